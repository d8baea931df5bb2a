// The shell controls' COM set-up for the process.
#include "shell/Uptshell95.h"

namespace {
struct TComLifetime {
  TComLifetime() { CoInitialize(nullptr); }
  ~TComLifetime() { CoUninitialize(); }
};
}  // namespace

void PTInitializeCom() { static TComLifetime Com; }
