// Display monitors: the program runs on one screen, which is the primary monitor.
#pragma once

#include "platform/win/WinTypes.h"

using HMONITOR = std::uintptr_t;

inline constexpr DWORD MONITOR_DEFAULTTONULL = 0;
inline constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 1;
inline constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;
inline constexpr DWORD MONITORINFOF_PRIMARY = 1;

struct MONITORINFO {
  DWORD cbSize = sizeof(MONITORINFO);
  TRect rcMonitor;
  TRect rcWork;
  DWORD dwFlags = 0;
};
using TMonitorInfo = MONITORINFO;

// The monitor holding the point or rectangle; off-screen ones give 0 with MONITOR_DEFAULTTONULL and the
// primary monitor otherwise.
HMONITOR MonitorFromPoint(TPoint Pt, DWORD Flags);
HMONITOR MonitorFromRect(const TRect* Rc, DWORD Flags);
HMONITOR MonitorFromWindow(HWND Wnd, DWORD Flags);
// Fills the monitor's and its work area's rectangles; FALSE for an unknown monitor or a too small cbSize.
BOOL GetMonitorInfo(HMONITOR Monitor, MONITORINFO* Info);
