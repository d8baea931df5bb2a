// Display monitors over the window system's screen rectangle, exported by the built-in "user32.dll".
#include "platform/win/Monitors.h"

#include "platform/win/Modules.h"
#include "platform/win/WinUser.h"

namespace {

constexpr HMONITOR PrimaryMonitor = 1;

TRect ScreenBounds() {
  return Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

bool Intersects(const TRect& A, const TRect& B) {
  return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

HMONITOR Answer(bool OnScreen, DWORD Flags) {
  return OnScreen || Flags != MONITOR_DEFAULTTONULL ? PrimaryMonitor : 0;
}

}  // namespace

HMONITOR MonitorFromPoint(TPoint Pt, DWORD Flags) {
  const TRect S = ScreenBounds();
  return Answer(Pt.X >= S.Left && Pt.X < S.Right && Pt.Y >= S.Top && Pt.Y < S.Bottom, Flags);
}

HMONITOR MonitorFromRect(const TRect* Rc, DWORD Flags) {
  return Answer(Rc != nullptr && Intersects(*Rc, ScreenBounds()), Flags);
}

HMONITOR MonitorFromWindow(HWND Wnd, DWORD Flags) {
  TRect R;
  if (!IsWindow(Wnd) || !GetWindowRect(Wnd, &R)) {
    return Answer(false, Flags);
  }
  return MonitorFromRect(&R, Flags);
}

BOOL GetMonitorInfo(HMONITOR Monitor, MONITORINFO* Info) {
  if (Monitor != PrimaryMonitor || Info == nullptr || Info->cbSize < sizeof(MONITORINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Info->rcMonitor = ScreenBounds();
  Info->rcWork = Info->rcMonitor;
  Info->dwFlags = MONITORINFOF_PRIMARY;
  return TRUE;
}

namespace {
// The names the program binds at run time from the system's user and common-controls modules.
struct TMonitorExports {
  TMonitorExports() {
    RegisterModuleExport("user32.dll", "MonitorFromPoint", reinterpret_cast<void*>(&MonitorFromPoint));
    RegisterModuleExport("user32.dll", "MonitorFromRect", reinterpret_cast<void*>(&MonitorFromRect));
    RegisterModuleExport("user32.dll", "MonitorFromWindow", reinterpret_cast<void*>(&MonitorFromWindow));
    RegisterModuleExport("user32.dll", "GetMonitorInfoA", reinterpret_cast<void*>(&GetMonitorInfo));
    RegisterModuleExport("user32.dll", "TrackMouseEvent", reinterpret_cast<void*>(&TrackMouseEvent));
    RegisterModuleExport("comctl32.dll", "_TrackMouseEvent", reinterpret_cast<void*>(&TrackMouseEvent));
  }
};
const TMonitorExports MonitorExports;
}  // namespace
