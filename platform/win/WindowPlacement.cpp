// GetWindowPlacement and SetWindowPlacement over the window table's normal rectangle.
#include "platform/win/WindowPlacement.h"

#include "platform/win/WindowInternals.h"

#include <mutex>

using WindowSystem::Find;
using WindowSystem::TableLock;

BOOL GetWindowPlacement(HWND Wnd, WINDOWPLACEMENT* Placement) {
  if (!Placement || Placement->length != sizeof(WINDOWPLACEMENT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const PWindowRec Rec = Find(Wnd);
  if (!Rec) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  const bool Minimized = IsIconic(Wnd);
  const bool Maximized = IsZoomed(Wnd);
  {
    std::lock_guard L(TableLock());
    Placement->rcNormalPosition = (Minimized || Maximized) ? Rec->Normal : Rec->Window;
    Placement->flags = Minimized && Rec->RestoreMaximized ? 2 : 0;  // WPF_RESTORETOMAXIMIZED
  }
  Placement->showCmd = Minimized ? SW_SHOWMINIMIZED : Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
  Placement->ptMinPosition = TPoint{-1, -1};
  Placement->ptMaxPosition = TPoint{-1, -1};
  return TRUE;
}

BOOL SetWindowPlacement(HWND Wnd, const WINDOWPLACEMENT* Placement) {
  if (!Placement || Placement->length != sizeof(WINDOWPLACEMENT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const PWindowRec Rec = Find(Wnd);
  if (!Rec) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  const TRect& N = Placement->rcNormalPosition;
  if (IsIconic(Wnd) || IsZoomed(Wnd)) {
    // Restoring brings the window back to the new rectangle.
    ShowWindow(Wnd, SW_RESTORE);
  }
  SetWindowPos(Wnd, 0, N.Left, N.Top, N.Width(), N.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  if (Placement->showCmd != SW_HIDE) {
    ShowWindow(Wnd, static_cast<int>(Placement->showCmd));
  }
  return TRUE;
}
