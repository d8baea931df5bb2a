// Messages: sending and posting, the reading order and filters, WM_PAINT and WM_TIMER synthesis, WM_QUIT, threads,
// exceptions from window procedures, hooks, atoms and registered messages, TranslateMessage.
#include "platform/win/Atoms.h"
#include "platform/win/Clock.h"
#include "platform/win/WinHooks.h"
#include "platform/win/WinUser.h"
#include "platform/rtl/Exceptions.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace WinTest;
using Strings = std::vector<std::string>;

namespace {

class Messages : public ::testing::Test {
protected:
  void TearDown() override { Reset(); }
};

TEST_F(Messages, SentMessagesRunAtOncePostedOnesInOrderAndDeadTargetsDropTheirs) {
  HWND A = Make("A", WS_POPUP, 0, 0, 1, 1);
  HWND B = Make("B", WS_POPUP, 0, 0, 1, 1);
  TakeLog();
  PostMessage(A, WM_USER, 0, 0);
  PostMessage(B, WM_USER + 1, 0, 0);
  PostMessage(A, WM_USER + 2, 0, 0);
  SendMessage(B, WM_USER, 0, 0);
  EXPECT_EQ(TakeLog(), Strings{"B:USER"});
  DestroyWindow(B);
  TakeLog();
  Drain();
  EXPECT_EQ(TakeLog(), (Strings{"A:USER", "A:USER2"}));
  EXPECT_FALSE(PostMessage(B, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(Messages, PeekHonoursWindowAndRangeFiltersAndNoRemove) {
  HWND A = Make("A", WS_POPUP, 0, 0, 1, 1);
  HWND B = Make("B", WS_POPUP, 0, 0, 1, 1);
  PostMessage(A, WM_USER, 1, 0);
  PostMessage(B, WM_USER + 1, 2, 0);
  PostMessage(A, WM_USER + 2, 3, 0);
  MSG M;
  ASSERT_TRUE(PeekMessage(&M, B, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(M.wParam, 2u);
  ASSERT_TRUE(PeekMessage(&M, 0, WM_USER + 2, WM_USER + 2, PM_REMOVE));
  EXPECT_EQ(M.wParam, 3u);
  EXPECT_FALSE(PeekMessage(&M, A, WM_USER + 1, WM_USER + 2, PM_REMOVE));
  ASSERT_TRUE(PeekMessage(&M, 0, 0, 0, PM_REMOVE));
  EXPECT_EQ(M.wParam, 1u);
  ASSERT_TRUE(PeekMessage(&M, 0, 0, 0, PM_REMOVE));
  EXPECT_EQ(M.wParam, 2u);
  EXPECT_FALSE(PeekMessage(&M, 0, 0, 0, PM_REMOVE));
  // Thread messages (no window) are read with the window filter -1 only, besides no filter.
  PostThreadMessage(GetCurrentThreadId(), WM_USER, 9, 0);
  EXPECT_FALSE(PeekMessage(&M, A, 0, 0, PM_REMOVE));
  ASSERT_TRUE(PeekMessage(&M, static_cast<HWND>(-1), 0, 0, PM_REMOVE));
  EXPECT_EQ(M.wParam, 9u);
}

TEST_F(Messages, PaintAndTimersComeOnlyWhenNothingElseIsQueued) {
  TManualClock Manual;
  TScopedClock Use(Manual);
  HWND W = Make("W", WS_POPUP, 0, 0, 10, 10);
  SetTimer(W, 5, 100, nullptr);
  InvalidateRect(W, nullptr, FALSE);
  Drain();  // hidden windows are not painted; the timer is not due
  TakeLog();
  ShowWindow(W, SW_SHOWNOACTIVATE);
  Manual.Advance(1000);  // ten periods pass: one WM_TIMER
  PostMessage(W, WM_USER, 0, 0);
  TakeLog();
  Drain();
  EXPECT_EQ(TakeLog(), (Strings{"W:USER", "W:PAINT", "W:TIMER"}));
  Drain();
  EXPECT_TRUE(TakeLog().empty());
  Manual.Advance(100);
  MSG M;
  ASSERT_TRUE(PeekMessage(&M, W, WM_TIMER, WM_TIMER, PM_REMOVE));
  EXPECT_EQ(M.wParam, 5u);
  EXPECT_TRUE(KillTimer(W, 5));
  EXPECT_FALSE(KillTimer(W, 5));
  Manual.Advance(1000);
  EXPECT_FALSE(PeekMessage(&M, 0, 0, 0, PM_REMOVE));
}

int TimerProcCalls = 0;
void CountingTimerProc(HWND, UINT, UINT_PTR, DWORD) { ++TimerProcCalls; }

TEST_F(Messages, TimerCallbacksRunFromDispatchAndDieWithTheirWindow) {
  TManualClock Manual;
  TScopedClock Use(Manual);
  HWND W = Make("W", WS_POPUP, 0, 0, 10, 10);
  SetTimer(W, 1, 50, &CountingTimerProc);
  UINT_PTR Thread = SetTimer(0, 0, 50, &CountingTimerProc);
  EXPECT_NE(Thread, 0u);
  Manual.Advance(50);
  TakeLog();
  Drain();
  EXPECT_EQ(TimerProcCalls, 2);
  EXPECT_TRUE(TakeLog().empty());  // the window procedure never saw WM_TIMER
  DestroyWindow(W);
  KillTimer(0, Thread);
  Manual.Advance(50);
  Drain();
  EXPECT_EQ(TimerProcCalls, 2);
}

TEST_F(Messages, QuitComesAfterPostedMessagesAndEndsGetMessage) {
  HWND W = Make("W", WS_POPUP, 0, 0, 1, 1);
  PostQuitMessage(3);
  PostMessage(W, WM_USER, 0, 0);
  MSG M;
  ASSERT_TRUE(GetMessage(&M, 0, 0, 0));
  EXPECT_EQ(M.message, WM_USER);
  EXPECT_FALSE(GetMessage(&M, 0, 0, 0));
  EXPECT_EQ(M.message, WM_QUIT);
  EXPECT_EQ(M.wParam, 3u);
}

TEST_F(Messages, WorkerThreadsPostAndSendToTheWindowsThread) {
  HWND W = Make("W", WS_POPUP, 0, 0, 1, 1);
  DWORD UiThread = GetCurrentThreadId();
  std::vector<DWORD> HandledOn;
  Handlers[W] = [&](HWND, UINT M, WPARAM Wp, LPARAM, LRESULT& R) {
    if (M == WM_USER || M == WM_USER + 1) {
      HandledOn.push_back(GetCurrentThreadId());
      EXPECT_EQ(InSendMessage(), M == WM_USER + 1);
      R = static_cast<LRESULT>(Wp * 2);
      if (M == WM_USER) {
        PostQuitMessage(0);
      }
      return true;
    }
    return false;
  };
  std::atomic<LRESULT> SendResult{0};
  std::thread Worker([&] {
    SendResult = SendMessage(W, WM_USER + 1, 21, 0);  // waits for the window's thread
    PostMessage(W, WM_USER, 0, 0);
  });
  MSG M;
  while (GetMessage(&M, 0, 0, 0)) {
    DispatchMessage(&M);
  }
  Worker.join();
  EXPECT_EQ(SendResult.load(), 42);
  EXPECT_EQ(HandledOn, (std::vector<DWORD>{UiThread, UiThread}));
}

std::vector<std::string> Reported;
void RecordException(const std::exception& E) { Reported.push_back(E.what()); }

TEST_F(Messages, ExceptionsFromWindowProceduresReachTheHandlerAndTheLoopGoesOn) {
  auto Old = SetWindowExceptionHandler(&RecordException);
  HWND W = Make("W", WS_POPUP, 0, 0, 1, 1);
  Handlers[W] = [](HWND, UINT M, WPARAM, LPARAM, LRESULT&) -> bool {
    if (M == WM_USER) {
      throw EListError("boom");
    }
    return false;
  };
  PostMessage(W, WM_USER, 0, 0);
  PostMessage(W, WM_USER + 1, 0, 0);
  TakeLog();
  Drain();
  EXPECT_EQ(Reported, Strings{"boom"});
  EXPECT_EQ(TakeLog(), (Strings{"W:USER", "W:USER1"}));
  // A direct SendMessage lets the exception reach the caller.
  EXPECT_THROW(SendMessage(W, WM_USER, 0, 0), EListError);
  SetWindowExceptionHandler(Old);
}

// ---- Hooks ----

std::vector<std::string> HookLog;
HHOOK HookA = 0, HookB = 0;
LRESULT CALLWNDPROCHook(int Code, WPARAM W, LPARAM L) {
  auto* C = reinterpret_cast<CWPSTRUCT*>(L);
  if (C->message == WM_USER) {
    HookLog.push_back("call");
  }
  return CallNextHookEx(HookA, Code, W, L);
}
LRESULT RETHook(int Code, WPARAM W, LPARAM L) {
  auto* C = reinterpret_cast<CWPRETSTRUCT*>(L);
  if (C->message == WM_USER) {
    HookLog.push_back("ret " + std::to_string(C->lResult));
  }
  return CallNextHookEx(HookB, Code, W, L);
}

TEST_F(Messages, CallWndProcHooksSurroundTheProcedure) {
  HWND W = Make("W", WS_POPUP, 0, 0, 1, 1);
  Handlers[W] = [](HWND, UINT M, WPARAM, LPARAM, LRESULT& R) {
    if (M == WM_USER) {
      HookLog.push_back("proc");
      R = 5;
      return true;
    }
    return false;
  };
  HookA = SetWindowsHookEx(WH_CALLWNDPROC, &CALLWNDPROCHook, nullptr, GetCurrentThreadId());
  HookB = SetWindowsHookEx(WH_CALLWNDPROCRET, &RETHook, nullptr, 0);
  SendMessage(W, WM_USER, 0, 0);
  EXPECT_EQ(HookLog, (Strings{"call", "proc", "ret 5"}));
  EXPECT_TRUE(UnhookWindowsHookEx(HookA));
  EXPECT_TRUE(UnhookWindowsHookEx(HookB));
  EXPECT_FALSE(UnhookWindowsHookEx(HookB));
  HookLog.clear();
  SendMessage(W, WM_USER, 0, 0);
  EXPECT_EQ(HookLog, Strings{"proc"});
  HookLog.clear();
}

HHOOK CbtHook = 0;
std::vector<int> CbtCodes;
bool VetoDestroy = false;
LRESULT CbtProc(int Code, WPARAM W, LPARAM L) {
  CbtCodes.push_back(Code);
  if (Code == HCBT_CREATEWND) {
    auto* C = reinterpret_cast<CBT_CREATEWND*>(L);
    if (std::string(C->lpcs->lpszName) == "veto") {
      return 1;
    }
  }
  if (Code == HCBT_DESTROYWND && VetoDestroy) {
    return 1;
  }
  return CallNextHookEx(CbtHook, Code, W, L);
}

TEST_F(Messages, CbtHookSeesAndCanVetoCreationDestructionAndActivation) {
  CbtHook = SetWindowsHookEx(WH_CBT, &CbtProc, nullptr, 0);
  EXPECT_EQ(Make("veto", WS_POPUP, 0, 0, 1, 1), 0u);
  HWND W = Make("W", WS_POPUP, 0, 0, 1, 1);
  ASSERT_NE(W, 0u);
  SetActiveWindow(W);
  VetoDestroy = true;
  EXPECT_FALSE(DestroyWindow(W));
  EXPECT_TRUE(IsWindow(W));
  VetoDestroy = false;
  EXPECT_TRUE(DestroyWindow(W));
  UnhookWindowsHookEx(CbtHook);
  EXPECT_EQ(CbtCodes, (std::vector<int>{HCBT_CREATEWND, HCBT_CREATEWND, HCBT_ACTIVATE, HCBT_SETFOCUS,
                                        HCBT_DESTROYWND, HCBT_DESTROYWND, HCBT_SETFOCUS}));
}

HHOOK GetMsgHook = 0;
LRESULT GetMsgProc(int Code, WPARAM W, LPARAM L) {
  auto* M = reinterpret_cast<MSG*>(L);
  if (M->message == WM_USER && W == PM_REMOVE) {
    M->message = WM_USER + 2;  // a hook may change the message before it is handled
  }
  return CallNextHookEx(GetMsgHook, Code, W, L);
}

TEST_F(Messages, GetMessageHookMayRewriteTheMessage) {
  HWND W = Make("W", WS_POPUP, 0, 0, 1, 1);
  GetMsgHook = SetWindowsHookEx(WH_GETMESSAGE, &GetMsgProc, nullptr, 0);
  PostMessage(W, WM_USER, 0, 0);
  TakeLog();
  Drain();
  UnhookWindowsHookEx(GetMsgHook);
  EXPECT_EQ(TakeLog(), Strings{"W:USER2"});
}

// ---- Atoms and registered messages ----

TEST(Atoms, CountReferencesCompareWithoutCaseAndLimitTheLength) {
  ATOM A = GlobalAddAtom("Zub Command Line");
  EXPECT_GE(A, 0xC000);
  EXPECT_EQ(GlobalAddAtom("ZUB COMMAND LINE"), A);
  EXPECT_EQ(GlobalFindAtom("zub command line"), A);
  char Buf[64];
  EXPECT_EQ(GlobalGetAtomName(A, Buf, sizeof Buf), 16u);
  EXPECT_STREQ(Buf, "Zub Command Line");  // the first spelling is kept
  EXPECT_EQ(GlobalGetAtomName(A, Buf, 4), 3u);
  EXPECT_STREQ(Buf, "Zub");
  EXPECT_EQ(GlobalDeleteAtom(A), 0);
  EXPECT_EQ(GlobalFindAtom("Zub Command Line"), A);  // one reference is left
  EXPECT_EQ(GlobalDeleteAtom(A), 0);
  EXPECT_EQ(GlobalFindAtom("Zub Command Line"), 0);
  EXPECT_EQ(GlobalDeleteAtom(A), A);

  EXPECT_NE(GlobalAddAtom(std::string(255, 'x').c_str()), 0);
  EXPECT_EQ(GlobalAddAtom(std::string(256, 'x').c_str()), 0);
  EXPECT_EQ(GlobalAddAtom(""), 0);
  EXPECT_EQ(GlobalAddAtom(MAKEINTATOM(42)), 42);
  EXPECT_EQ(GlobalAddAtom("#42"), 42);
  EXPECT_EQ(GlobalGetAtomName(42, Buf, sizeof Buf), 3u);
  EXPECT_STREQ(Buf, "#42");
}

TEST(Atoms, RegisteredMessagesAreStableAndNeverReleased) {
  UINT M = RegisterWindowMessage("ZubQuillonShowMe");
  EXPECT_GE(M, 0xC000u);
  EXPECT_EQ(RegisterWindowMessage("zubquillonshowme"), M);
  GlobalDeleteAtom(static_cast<ATOM>(M));
  GlobalDeleteAtom(static_cast<ATOM>(M));
  EXPECT_EQ(RegisterWindowMessage("ZubQuillonShowMe"), M);
  EXPECT_EQ(RegisterWindowMessage(""), 0u);
}

// ---- Translation of key messages posted by code ----

TEST_F(Messages, TranslateMessageUsesTheKeyStateForCharacters) {
  HWND W = Make("W", WS_POPUP, 0, 0, 1, 1);
  std::string Typed;
  Handlers[W] = [&](HWND, UINT M, WPARAM Wp, LPARAM, LRESULT&) {
    if (M == WM_CHAR) {
      Typed += static_cast<char>(Wp);
    }
    return false;
  };
  BYTE Keys[256] = {};
  auto Type = [&](WORD Vk, bool Shift, bool Ctrl) {
    Keys[VK_SHIFT] = Shift ? 0x80 : 0;
    Keys[VK_CONTROL] = Ctrl ? 0x80 : 0;
    SetKeyboardState(Keys);
    MSG M{W, WM_KEYDOWN, Vk, 1, 0, {}};
    TranslateMessage(&M);
    Drain();
  };
  Type('A', false, false);
  Type('A', true, false);
  Type('1', true, false);
  Type(VK_OEM_4, false, false);
  Type(VK_OEM_6, true, false);
  Type('C', false, true);
  Type(VK_LEFT, false, false);  // no character
  Type(VK_RETURN, false, false);
  EXPECT_EQ(Typed, std::string("aA![}\x03\r"));
  std::fill(std::begin(Keys), std::end(Keys), 0);
  SetKeyboardState(Keys);
}

}  // namespace
