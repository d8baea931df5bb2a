// The calling thread's last error code.
#include "platform/win/WinTypes.h"

namespace {
thread_local DWORD LastError = 0;
}

DWORD GetLastError() {
  return LastError;
}

void SetLastError(DWORD Code) {
  LastError = Code;
}
