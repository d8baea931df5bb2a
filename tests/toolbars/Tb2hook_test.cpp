// Tests of the shared thread hooks: which kinds exist, reference counts, and procedures that raise.
#include "toolbars/Tb2hook.h"

#include "platform/controls/TestHarness.h"
#include "platform/win/WinUser.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

std::vector<int> Calls;

void Raising(THookProcCode Code, HWND, WPARAM, LPARAM) {
  if (Code == hpGetMessage) {
    Calls.push_back(1);
    throw std::runtime_error("a procedure that fails");
  }
}

void Counting(THookProcCode Code, HWND, WPARAM, LPARAM LParam) {
  if (Code == hpGetMessage && reinterpret_cast<const MSG*>(LParam)->message == WM_USER + 77) {
    Calls.push_back(2);
  }
}

void PreDestroyOnly(THookProcCode, HWND, WPARAM, LPARAM) {}

class Tb2hook : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Calls.clear();
  }
};

TEST_F(Tb2hook, OnlyTheKindsTheCodesNeedAreInstalled) {
  InstallHookProc(&Counting, {hpGetMessage});
  EXPECT_FALSE(HookKindInstalled(0));
  EXPECT_FALSE(HookKindInstalled(1));
  EXPECT_TRUE(HookKindInstalled(2));
  InstallHookProc(&PreDestroyOnly, {hpPreDestroy});
  EXPECT_TRUE(HookKindInstalled(1));
  UninstallHookProc(&PreDestroyOnly);
  EXPECT_FALSE(HookKindInstalled(1));
  UninstallHookProc(&Counting);
  EXPECT_FALSE(HookKindInstalled(2));
  EXPECT_EQ(HookProcCount(), 0);
}

TEST_F(Tb2hook, AProcedureInstalledTwiceNeedsTwoRemovals) {
  InstallHookProc(&Counting, {hpGetMessage});
  InstallHookProc(&Counting, {hpGetMessage});
  EXPECT_EQ(HookProcCount(), 1);
  UninstallHookProc(&Counting);
  EXPECT_TRUE(HookKindInstalled(2));
  EXPECT_EQ(HookProcCount(), 1);
  UninstallHookProc(&Counting);
  EXPECT_FALSE(HookKindInstalled(2));
  EXPECT_EQ(HookProcCount(), 0);
}

TEST_F(Tb2hook, AProcedureThatRaisesDoesNotStopTheOthers) {
  InstallHookProc(&Raising, {hpGetMessage});
  InstallHookProc(&Counting, {hpGetMessage});
  HWND Wnd = CreateWindowEx(0, "STATIC", "", 0, 0, 0, 10, 10, 0, 0, nullptr, nullptr);
  PostMessage(Wnd, WM_USER + 77, 0, 0);
  MSG Msg;
  ASSERT_TRUE(PeekMessage(&Msg, Wnd, WM_USER + 77, WM_USER + 77, PM_REMOVE));
  ASSERT_FALSE(Calls.empty());
  EXPECT_EQ(Calls.front(), 1);
  EXPECT_NE(std::find(Calls.begin(), Calls.end(), 2), Calls.end());
  DestroyWindow(Wnd);
  UninstallHookProc(&Raising);
  UninstallHookProc(&Counting);
  EXPECT_EQ(HookProcCount(), 0);
}

TEST_F(Tb2hook, PreDestroyReportsTheWindowBeingDestroyed) {
  static HWND Seen = 0;
  Seen = 0;
  THookProc Proc = [](THookProcCode Code, HWND Wnd, WPARAM, LPARAM) {
    if (Code == hpPreDestroy) {
      Seen = Wnd;
    }
  };
  InstallHookProc(Proc, {hpPreDestroy});
  HWND Wnd = CreateWindowEx(0, "STATIC", "", 0, 0, 0, 10, 10, 0, 0, nullptr, nullptr);
  DestroyWindow(Wnd);
  EXPECT_EQ(Seen, Wnd);
  UninstallHookProc(Proc);
}

}  // namespace
