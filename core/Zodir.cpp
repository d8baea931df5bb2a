// Redraw brackets for windowed controls and the folder-exists test.
#include "core/Zodir.h"

#include "platform/win/Files.h"
#include "platform/win/WinUser.h"

namespace Zodir {

bool DirectoryExists(const std::string& Path) {
  const DWORD Attributes = GetFileAttributes(Path.c_str());
  return Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void BeginControlUpdate(HWND Control) {
  if (Control != 0 && IsWindow(Control)) {
    SendMessage(Control, WM_SETREDRAW, 0, 0);
  }
}

void FinishControlUpdate(HWND Control) {
  if (Control != 0 && IsWindow(Control)) {
    SendMessage(Control, WM_SETREDRAW, 1, 0);
    InvalidateRect(Control, nullptr, TRUE);
  }
}

}  // namespace Zodir
