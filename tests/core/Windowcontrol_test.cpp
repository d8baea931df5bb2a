// Tests of the busy guard (cursor, texts, busy panel) and of the redraw brackets and folder tests.
#include "core/Dcapi.h"
#include "core/Windowcontrol.h"
#include "core/Zodir.h"

#include "platform/win/WinUser.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <vector>

namespace {

class WindowControlTest : public ::testing::Test {
protected:
  void SetUp() override { ResetWindowControlHooks(); }
  void TearDown() override { ResetWindowControlHooks(); }
};

TEST_F(WindowControlTest, GuardRestoresTheScreenCursor) {
  std::vector<SmallInt> Set;
  WindowControlHooks H;
  H.SetScreenCursor = [&Set](SmallInt C) { Set.push_back(C); };
  H.GetScreenCursor = [] { return static_cast<SmallInt>(-2); };
  SetWindowControlHooks(H);
  {
    WindowControl Busy(WINCTRL_SCREEN_CURSOR, nullptr, nullptr);
    Busy.setCursor(WindowControlHourGlass);
    Busy.setCursor(WindowControlHourGlass);  // unchanged: not set again
  }
  EXPECT_EQ(Set, (std::vector<SmallInt>{WindowControlHourGlass, -2}));

  Set.clear();
  { WindowControl NoCursor(0, nullptr, nullptr); }
  EXPECT_TRUE(Set.empty());
}

TEST_F(WindowControlTest, DefaultHooksKeepTheCursorForTheScreenToPickUp) {
  {
    WindowControl Busy(WINCTRL_SCREEN_CURSOR, nullptr, nullptr);
    Busy.setCursor(WindowControlHourGlass);
    EXPECT_EQ(WindowControlScreenCursor(), WindowControlHourGlass);
  }
  EXPECT_EQ(WindowControlScreenCursor(), WindowControlDefaultCursor);
}

TEST_F(WindowControlTest, BusyPanelAndTexts) {
  std::map<int, std::string> Panels;
  std::string ControlText = "Validate";
  SmallInt ControlCursor = 5;
  auto* Bar = reinterpret_cast<TStatusBar*>(0x10);
  auto* Control = reinterpret_cast<TControl*>(0x20);
  WindowControlHooks H;
  H.GetStatusText = [&](TStatusBar*, int P, std::string& T) {
    T = Panels[P];
    return true;
  };
  H.SetStatusText = [&](TStatusBar*, int P, const std::string& T) {
    Panels[P] = T;
    return true;
  };
  H.GetControlText = [&](TControl*, std::string& T) {
    T = ControlText;
    return true;
  };
  H.SetControlText = [&](TControl*, const std::string& T) {
    ControlText = T;
    return true;
  };
  H.GetControlCursor = [&](TControl*, SmallInt& C) {
    C = ControlCursor;
    return true;
  };
  H.SetControlCursor = [&](TControl*, SmallInt C) {
    ControlCursor = C;
    return true;
  };
  SetWindowControlHooks(H);
  {
    WindowControl Guard(WINCTRL_SCREEN_CURSOR | WINCTRL_CONTROL_TEXT | WINCTRL_CONTROL_CURSOR, Control, Bar);
    Guard.setCursor(-19);
    EXPECT_TRUE(Guard.setTexts("Stop", 2, "Checking links"));
    EXPECT_EQ(ControlText, "Stop");
    EXPECT_EQ(Panels[2], "Checking links");
    ControlCursor = 7;

    EXPECT_EQ(Guard.setBusy(true, 1), 1);
    EXPECT_EQ(Panels[1], "Busy");
    EXPECT_EQ(WindowControlScreenCursor(), WindowControlHourGlass);
    EXPECT_EQ(Guard.setBusy(true, 3), 0);  // already busy through this guard
    WindowControl Other(0, nullptr, Bar);
    EXPECT_EQ(Other.setBusy(true, 1), 0);  // the panel already reads "Busy"
  }
  EXPECT_EQ(Panels[1], "");
  EXPECT_EQ(ControlText, "Validate");
  EXPECT_EQ(ControlCursor, 5);
  // The busy state ended before the saved cursor came back, so the hourglass does not stay.
  EXPECT_EQ(WindowControlScreenCursor(), WindowControlDefaultCursor);

  WindowControl Simple(0, nullptr, Bar);
  EXPECT_EQ(Simple.setBusy(true, -1), 1);
  EXPECT_EQ(Panels[-1], "Busy");
  EXPECT_EQ(Simple.setBusy(false, -1), 1);
  EXPECT_EQ(Panels[-1], "");
}

std::vector<WPARAM> RedrawLog;

LRESULT RecordingProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L) {
  if (Msg == WM_SETREDRAW) {
    RedrawLog.push_back(W);
  }
  return DefWindowProc(Wnd, Msg, W, L);
}

TEST(Zodir, RedrawBracketsReachTheWindow) {
  WNDCLASS Class;
  Class.lpfnWndProc = RecordingProc;
  Class.lpszClassName = "ZodirRedrawTest";
  ASSERT_NE(RegisterClass(&Class), 0);
  HWND Wnd = CreateWindowEx(0, "ZodirRedrawTest", "", WS_OVERLAPPED, 0, 0, 100, 50, 0, 0, nullptr, nullptr);
  ASSERT_NE(Wnd, 0u);
  ValidateRect(Wnd, nullptr);
  Zodir::BeginControlUpdate(Wnd);
  Zodir::FinishControlUpdate(Wnd);
  Zodir::BeginControlUpdate(0);  // no window: nothing happens
  EXPECT_EQ(RedrawLog, (std::vector<WPARAM>{0, 1}));
  TRect Update;
  EXPECT_TRUE(GetUpdateRect(Wnd, &Update, FALSE));
  DestroyWindow(Wnd);
  UnregisterClass("ZodirRedrawTest", nullptr);
}

TEST(Zodir, DirectoryExists) {
  const TestSupport::TTempFolder Temp("zubcore-dir");
  const std::string& Dir = Temp.Path();
  const std::string File = Dir + "/f";
  std::fclose(std::fopen(File.c_str(), "w"));
  EXPECT_TRUE(Zodir::DirectoryExists(Dir));
  EXPECT_TRUE(Dcapi::DirectoryExists(Dir + "/"));
  EXPECT_FALSE(Zodir::DirectoryExists(File));
  EXPECT_FALSE(Dcapi::DirectoryExists(Dir + "/missing"));
}

}  // namespace
