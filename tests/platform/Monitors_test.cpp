// Monitors: one primary screen, found by point, rectangle and window, and bound by name from "user32.dll".
#include "platform/win/Modules.h"
#include "platform/win/Monitors.h"
#include "platform/win/WinUser.h"

#include <gtest/gtest.h>

TEST(Monitors, OnScreenAndOffScreenLookups) {
  const int W = GetSystemMetrics(SM_CXSCREEN);
  const int H = GetSystemMetrics(SM_CYSCREEN);
  ASSERT_GT(W, 0);
  const HMONITOR Primary = MonitorFromPoint(Point(1, 1), MONITOR_DEFAULTTONULL);
  ASSERT_NE(Primary, 0u);
  EXPECT_EQ(MonitorFromPoint(Point(W + 50, 10), MONITOR_DEFAULTTONULL), 0u);
  EXPECT_EQ(MonitorFromPoint(Point(W + 50, 10), MONITOR_DEFAULTTONEAREST), Primary);
  const TRect Straddling = Rect(-20, -20, 10, 10);
  EXPECT_EQ(MonitorFromRect(&Straddling, MONITOR_DEFAULTTONULL), Primary);
  const TRect Away = Rect(-200, -200, -100, -100);
  EXPECT_EQ(MonitorFromRect(&Away, MONITOR_DEFAULTTONULL), 0u);
  EXPECT_EQ(MonitorFromWindow(0, MONITOR_DEFAULTTOPRIMARY), Primary);

  MONITORINFO Info;
  ASSERT_TRUE(GetMonitorInfo(Primary, &Info));
  EXPECT_EQ(Info.rcMonitor, Rect(0, 0, W, H));
  EXPECT_EQ(Info.dwFlags, MONITORINFOF_PRIMARY);
  Info.cbSize = 4;
  EXPECT_FALSE(GetMonitorInfo(Primary, &Info));
  EXPECT_FALSE(GetMonitorInfo(0, &Info));
}

TEST(Monitors, BoundByNameFromTheSystemModules) {
  HMODULE User = LoadLibrary("user32.dll");
  ASSERT_NE(User, nullptr);
  for (const char* Name : {"MonitorFromPoint", "MonitorFromRect", "MonitorFromWindow", "GetMonitorInfoA",
                           "TrackMouseEvent"}) {
    EXPECT_NE(GetProcAddress(User, Name), nullptr) << Name;
  }
  auto* Info = reinterpret_cast<BOOL (*)(HMONITOR, MONITORINFO*)>(GetProcAddress(User, "GetMonitorInfoA"));
  MONITORINFO MI;
  EXPECT_TRUE(Info(MonitorFromPoint(Point(0, 0), MONITOR_DEFAULTTOPRIMARY), &MI));
  HMODULE ComCtl = LoadLibrary("comctl32.dll");
  ASSERT_NE(ComCtl, nullptr);
  EXPECT_NE(GetProcAddress(ComCtl, "_TrackMouseEvent"), nullptr);
  FreeLibrary(User);
  FreeLibrary(ComCtl);
}
