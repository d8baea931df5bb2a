// Input through the harness and Qt's window-system path: clicks, double clicks, capture, typing, focus, the
// system keys, the wheel, hit testing, key state and input hooks.
#include "platform/controls/TestHarness.h"
#include "platform/win/WinHooks.h"
#include "platform/win/WinUser.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>

using namespace WinTest;
using Strings = std::vector<std::string>;

namespace {

class Input : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = Make("F", WS_POPUP | WS_BORDER, 100, 100, 300, 200);
    A = Make("A", WS_CHILD | WS_VISIBLE, 10, 10, 100, 50, Form, 0, 1);
    B = Make("B", WS_CHILD | WS_VISIBLE, 150, 10, 100, 50, Form, 0, 2);
    ShowWindow(Form, SW_SHOW);
    Harness::RunUntilIdle();
    TakeLog();
  }
  void TearDown() override {
    Harness::RunUntilIdle();
    Reset();
  }
  // The log restricted to some windows and messages.
  static Strings Only(const Strings& L, std::initializer_list<const char*> Keep) {
    Strings R;
    for (auto& S : L) {
      for (const char* K : Keep) {
        if (S.find(K) != std::string::npos) {
          R.push_back(S);
          break;
        }
      }
    }
    return R;
  }
  HWND Form = 0, A = 0, B = 0;
};

TEST_F(Input, ClickGoesToTheWindowUnderThePointInClientCoordinates) {
  std::vector<std::pair<WPARAM, LPARAM>> Params;
  Handlers[A] = [&](HWND, UINT M, WPARAM W, LPARAM L, LRESULT&) {
    if (M == WM_LBUTTONDOWN || M == WM_LBUTTONUP) {
      Params.emplace_back(W, L);
    }
    return false;
  };
  Harness::Click(A, Point(5, 7), Harness::TButton::Left, Harness::TMods{true, false, false});
  Harness::RunUntilIdle();
  EXPECT_EQ(Only(TakeLog(), {"BUTTON"}), (Strings{"A:LBUTTONDOWN", "A:LBUTTONUP"}));
  ASSERT_EQ(Params.size(), 2u);
  EXPECT_EQ(Params[0].first, MK_LBUTTON | MK_SHIFT);
  EXPECT_EQ(Params[0].second, MAKELONG(5, 7));
  EXPECT_EQ(Params[1].first, MK_SHIFT);
}

TEST_F(Input, DoubleClicksNeedTheClassStyleAndTheTimeAndDistance) {
  TManualClock Manual;
  TScopedClock Use(Manual);
  Harness::DoubleClick(A, Point(5, 5));
  Harness::RunUntilIdle();
  EXPECT_EQ(Only(TakeLog(), {"BUTTON"}),
            (Strings{"A:LBUTTONDOWN", "A:LBUTTONUP", "A:LBUTTONDBLCLK", "A:LBUTTONUP"}));
  // A third press right after is an ordinary press again.
  Harness::Click(A, Point(5, 5));
  Harness::RunUntilIdle();
  EXPECT_EQ(Only(TakeLog(), {"BUTTON"}), (Strings{"A:LBUTTONDOWN", "A:LBUTTONUP"}));
  // Too late, too far, or in another window: two single clicks.
  Manual.Advance(GetDoubleClickTime() + 1);
  Harness::Click(A, Point(5, 5));
  Manual.Advance(GetDoubleClickTime() + 1);
  Harness::Click(A, Point(5, 5));
  Harness::Click(A, Point(9, 5));
  Manual.Advance(GetDoubleClickTime() + 1);
  Harness::Click(A, Point(90, 5));
  Harness::Click(B, Point(5, 5));
  Harness::RunUntilIdle();
  EXPECT_EQ(Only(TakeLog(), {"DOWN", "DBL"}), (Strings{"A:LBUTTONDOWN", "A:LBUTTONDOWN", "A:LBUTTONDOWN",
                                                       "A:LBUTTONDOWN", "B:LBUTTONDOWN"}));
}

TEST_F(Input, DragWithCaptureFollowsTheCapturingWindowOutsideIt) {
  std::vector<LPARAM> Moves;
  Handlers[A] = [&](HWND W, UINT M, WPARAM, LPARAM L, LRESULT&) {
    if (M == WM_LBUTTONDOWN) {
      SetCapture(W);
    } else if (M == WM_MOUSEMOVE && GetCapture() == W) {
      Moves.push_back(L);
    } else if (M == WM_LBUTTONUP) {
      ReleaseCapture();
    }
    return false;
  };
  // The move is queued before the press is handled: it still reaches A once A captures.
  Harness::MouseDown(A, Point(10, 10));
  Harness::MouseMove(B, Point(5, 5));
  Harness::RunUntilIdle();
  Harness::MouseMove(Form, Point(-20, 250));
  Harness::RunUntilIdle();
  Harness::MouseUp(B, Point(5, 5));
  Harness::RunUntilIdle();
  EXPECT_EQ(Only(TakeLog(), {"BUTTON", "CAPTURE"}), (Strings{"A:LBUTTONDOWN", "A:LBUTTONUP", "A:CAPTURECHANGED"}));
  // (The release at B's point moves the pointer back there first.)
  ASSERT_EQ(Moves.size(), 3u);
  EXPECT_EQ(Moves[0], MAKELONG(145, 5));                                   // B's (5,5) in A's client area
  EXPECT_EQ(Moves[1], MAKELONG(static_cast<WORD>(-30), static_cast<WORD>(240)));  // outside everything
  EXPECT_EQ(Moves[2], Moves[0]);
  EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(Input, TypingQueuedAheadOfTheLoopKeepsItsOrder) {
  SetFocus(A);
  std::string Typed;
  Handlers[A] = [&](HWND, UINT M, WPARAM W, LPARAM, LRESULT&) {
    if (M == WM_CHAR) {
      Typed += static_cast<char>(W);
    }
    return false;
  };
  Harness::TypeText("ab");
  Harness::KeyPress(VK_BACK);
  Harness::TypeText("c");
  Harness::KeyPress('A', Harness::TMods{true, false, false});
  Harness::KeyPress(VK_OEM_4);
  Harness::KeyPress(VK_OEM_6, Harness::TMods{true, false, false});
  Harness::KeyPress(VK_NUMPAD7);
  Harness::KeyPress('C', Harness::TMods{false, true, false});
  Harness::RunUntilIdle();
  EXPECT_EQ(Typed, std::string("ab\bcA[}7\x03"));
}

TEST_F(Input, KeyMessagesCarryKeyDataAndTheKeyStateAsRead) {
  SetFocus(B);
  std::vector<std::pair<UINT, LPARAM>> Keys;
  bool ShiftSeen = false;
  Handlers[B] = [&](HWND, UINT M, WPARAM W, LPARAM L, LRESULT&) {
    if (M == WM_KEYDOWN || M == WM_KEYUP) {
      Keys.emplace_back(M, L);
      if (W == 'A') {
        ShiftSeen = GetKeyState(VK_SHIFT) < 0;
      }
    }
    return false;
  };
  Harness::KeyPress('A', Harness::TMods{true, false, false});
  Harness::RunUntilIdle();
  EXPECT_TRUE(ShiftSeen);
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  ASSERT_EQ(Keys.size(), 4u);  // Shift down, A down, A up, Shift up
  auto Data = static_cast<DWORD>(Keys[1].second);
  EXPECT_EQ(Data & 0xFFFF, 1u);               // repeat count
  EXPECT_EQ((Data >> 16) & 0xFF, 0x1Eu);      // scan code of A
  EXPECT_EQ(Data >> 30, 0u);                  // first press
  EXPECT_EQ(static_cast<DWORD>(Keys[2].second) >> 30, 3u);  // release: previous state and transition bits
}

TEST_F(Input, KeysTypedAfterTabFollowTheFocusItMoved) {
  SetFocus(A);
  TakeLog();
  Handlers[A] = [&](HWND, UINT M, WPARAM W, LPARAM, LRESULT&) {
    if (M == WM_KEYDOWN && W == VK_TAB) {
      SetFocus(B);
    }
    return false;
  };
  Harness::KeyPress(VK_TAB);
  Harness::TypeText("x");
  Harness::RunUntilIdle();
  // The Tab's own character goes where its key message went; the next key follows the new focus.
  EXPECT_EQ(Only(TakeLog(), {"FOCUS", "CHAR"}), (Strings{"A:KILLFOCUS", "B:SETFOCUS", "A:CHAR", "B:CHAR"}));
}

TEST_F(Input, AltAloneAndAltLetterGiveTheMenuKeyCommand) {
  SetFocus(A);
  std::vector<std::pair<WPARAM, LPARAM>> Commands;
  Handlers[Form] = [&](HWND, UINT M, WPARAM W, LPARAM L, LRESULT&) {
    if (M == WM_SYSCOMMAND) {
      Commands.emplace_back(W, L);
      return true;
    }
    return false;
  };
  Harness::KeyPress(VK_MENU);
  Harness::RunUntilIdle();
  EXPECT_EQ(Only(TakeLog(), {"A:SYS"}), (Strings{"A:SYSKEYDOWN", "A:SYSKEYUP"}));
  Harness::KeyPress('F', Harness::TMods{false, false, true});
  Harness::RunUntilIdle();
  EXPECT_EQ(Only(TakeLog(), {"A:SYS"}), (Strings{"A:SYSKEYDOWN", "A:SYSKEYDOWN", "A:SYSCHAR", "A:SYSKEYUP",
                                                 "A:SYSKEYUP"}));
  EXPECT_EQ(Commands, (std::vector<std::pair<WPARAM, LPARAM>>{{SC_KEYMENU, 0}, {SC_KEYMENU, 'f'}}));
}

TEST_F(Input, WheelGoesToTheFocusAndBubblesToTheParent) {
  SetFocus(A);
  WPARAM Seen = 0;
  Handlers[Form] = [&](HWND, UINT M, WPARAM W, LPARAM, LRESULT&) {
    if (M == WM_MOUSEWHEEL) {
      Seen = W;
      return true;
    }
    return false;
  };
  Harness::Wheel(B, Point(5, 5), -2, Harness::TMods{false, true, false});
  Harness::RunUntilIdle();
  EXPECT_EQ(Only(TakeLog(), {"WHEEL"}), (Strings{"A:MOUSEWHEEL", "F:MOUSEWHEEL"}));
  EXPECT_EQ(static_cast<SHORT>(HIWORD(Seen)), -240);
  EXPECT_EQ(LOWORD(Seen), MK_CONTROL);
}

TEST_F(Input, HitTestCodesChooseNonClientMessagesAndTransparentWindowsPassClicksOn) {
  Handlers[Form] = [](HWND, UINT M, WPARAM, LPARAM L, LRESULT& R) {
    if (M == WM_NCHITTEST && static_cast<SHORT>(HIWORD(L)) < 100 + 10) {
      R = HTCAPTION;  // the top band of the form drags it
      return true;
    }
    return false;
  };
  Handlers[B] = [](HWND, UINT M, WPARAM, LPARAM, LRESULT& R) {
    if (M == WM_NCHITTEST) {
      R = HTTRANSPARENT;
      return true;
    }
    return false;
  };
  std::vector<WPARAM> NcHits;
  auto Old = Handlers[Form];
  Handlers[Form] = [&, Old](HWND W, UINT M, WPARAM Wp, LPARAM L, LRESULT& R) {
    if (M == WM_NCLBUTTONDOWN) {
      NcHits.push_back(Wp);
    }
    return Old(W, M, Wp, L, R);
  };
  Harness::Click(Form, Point(200, 2));
  Harness::Click(B, Point(5, 5));  // B is transparent: the form gets it
  Harness::RunUntilIdle();
  EXPECT_EQ(NcHits, std::vector<WPARAM>{static_cast<WPARAM>(HTCAPTION)});
  EXPECT_EQ(Only(TakeLog(), {"BUTTONDOWN"}), (Strings{"F:NCLBUTTONDOWN", "F:LBUTTONDOWN"}));
}

TEST_F(Input, DisabledWindowsGetNoMouseInput) {
  EnableWindow(A, FALSE);
  Harness::Click(A, Point(5, 5));
  Harness::RunUntilIdle();
  EXPECT_EQ(Only(TakeLog(), {"BUTTONDOWN"}), Strings{"F:LBUTTONDOWN"});  // falls to the parent, as on the platform
  EnableWindow(Form, FALSE);
  Harness::Click(B, Point(5, 5));
  Harness::RunUntilIdle();
  EXPECT_TRUE(Only(TakeLog(), {"BUTTON"}).empty());
}

TEST_F(Input, RightClickGivesAContextMenuMessage) {
  LPARAM Where = 0;
  Handlers[Form] = [&](HWND, UINT M, WPARAM, LPARAM L, LRESULT&) {
    if (M == WM_CONTEXTMENU) {
      Where = L;
      return true;
    }
    return false;
  };
  Harness::Click(A, Point(3, 4), Harness::TButton::Right);
  Harness::RunUntilIdle();
  EXPECT_EQ(Only(TakeLog(), {"CONTEXT"}), (Strings{"A:CONTEXTMENU", "F:CONTEXTMENU"}));
  EXPECT_EQ(Where, MAKELONG(100 + 1 + 10 + 3, 100 + 1 + 10 + 4));
}

HHOOK KeyHook = 0;
LRESULT EatF2(int Code, WPARAM W, LPARAM L) {
  if (Code == HC_ACTION && W == VK_F2) {
    return 1;
  }
  return CallNextHookEx(KeyHook, Code, W, L);
}
HHOOK MouseHook = 0;
std::vector<UINT> HookedMouse;
LRESULT SeeMouse(int Code, WPARAM W, LPARAM L) {
  if (Code == HC_ACTION && W != WM_MOUSEMOVE) {
    HookedMouse.push_back(static_cast<UINT>(W));
  }
  return CallNextHookEx(MouseHook, Code, W, L);
}

TEST_F(Input, KeyboardAndMouseHooksSeeAndMayDiscardInput) {
  SetFocus(A);
  KeyHook = SetWindowsHookEx(WH_KEYBOARD, &EatF2, nullptr, 0);
  MouseHook = SetWindowsHookEx(WH_MOUSE, &SeeMouse, nullptr, 0);
  Harness::KeyPress(VK_F2);
  Harness::KeyPress(VK_F3);
  Harness::Click(B, Point(1, 1));
  Harness::RunUntilIdle();
  UnhookWindowsHookEx(KeyHook);
  UnhookWindowsHookEx(MouseHook);
  EXPECT_EQ(Only(TakeLog(), {"A:KEY"}), (Strings{"A:KEYDOWN", "A:KEYUP"}));
  EXPECT_EQ(HookedMouse, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(Input, FocusAndActivationMessages) {
  HWND Other = Make("O", WS_POPUP, 500, 100, 50, 50);
  SetFocus(A);
  TakeLog();
  ShowWindow(Other, SW_SHOW);  // activates the other window
  EXPECT_EQ(Only(TakeLog(), {"ACTIVATE", "FOCUS"}),
            (Strings{"F:NCACTIVATE", "F:ACTIVATE", "O:NCACTIVATE", "O:ACTIVATE", "A:KILLFOCUS", "O:SETFOCUS"}));
  EXPECT_EQ(GetActiveWindow(), Other);
  SetFocus(B);  // activates the form again and focuses B directly
  EXPECT_EQ(Only(TakeLog(), {"ACTIVATE", "FOCUS"}),
            (Strings{"O:NCACTIVATE", "O:ACTIVATE", "F:NCACTIVATE", "F:ACTIVATE", "O:KILLFOCUS", "B:SETFOCUS"}));
  DestroyWindow(B);  // focus leaves a dying window for its parent
  EXPECT_EQ(GetFocus(), Form);
}

TEST_F(Input, PostsFromAWorkerWakeTheLoopWaitingInQt) {
  std::vector<DWORD> On;
  Handlers[A] = [&](HWND, UINT M, WPARAM, LPARAM, LRESULT&) {
    if (M == WM_USER) {
      On.push_back(GetCurrentThreadId());
    }
    return false;
  };
  std::thread Worker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    PostMessage(A, WM_USER, 0, 0);
  });
  MSG M;
  while (On.empty() && GetMessage(&M, 0, 0, 0)) {
    DispatchMessage(&M);
  }
  Worker.join();
  EXPECT_EQ(On, std::vector<DWORD>{GetCurrentThreadId()});
}

TEST_F(Input, MovesNotYetReadMergeIntoTheLatest) {
  Harness::MouseMove(A, Point(1, 1));
  Harness::MouseMove(A, Point(2, 2));
  Harness::MouseMove(A, Point(3, 3));
  Harness::RunUntilIdle();
  EXPECT_EQ(Only(TakeLog(), {"A:MOUSEMOVE"}), Strings{"A:MOUSEMOVE"});
  TPoint P;
  GetCursorPos(&P);
  ScreenToClient(A, &P);
  EXPECT_EQ(P, Point(3, 3));
}

TEST_F(Input, TrackedWindowsHearThePointerLeaveOnce) {
  Harness::MouseMove(A, Point(5, 5));
  Harness::RunUntilIdle();
  TRACKMOUSEEVENT T;
  T.dwFlags = TME_LEAVE;
  T.hwndTrack = A;
  ASSERT_TRUE(TrackMouseEvent(&T));
  int Leaves = 0;
  Handlers[A] = [&](HWND, UINT M, WPARAM, LPARAM, LRESULT&) {
    Leaves += M == WM_MOUSELEAVE;
    return false;
  };
  Harness::MouseMove(A, Point(6, 6));
  Harness::RunUntilIdle();
  EXPECT_EQ(Leaves, 0);
  Harness::MouseMove(B, Point(5, 5));
  Harness::RunUntilIdle();
  Harness::MouseMove(A, Point(5, 5));
  Harness::MouseMove(B, Point(5, 5));
  Harness::RunUntilIdle();
  EXPECT_EQ(Leaves, 1);
  TRACKMOUSEEVENT Q;
  Q.dwFlags = TME_QUERY;
  TrackMouseEvent(&Q);
  EXPECT_EQ(Q.hwndTrack, 0u);
  Handlers.erase(A);  // it counts into this test's frame, which ends before the fixture's windows go
}

TEST_F(Input, SavesAVisibleWindowAsPng) {
  auto File = std::filesystem::temp_directory_path() / "zubq_window_test.png";
  std::filesystem::remove(File);
  EXPECT_TRUE(Harness::SaveWindowPng(Form, File.string()));
  EXPECT_GT(std::filesystem::file_size(File), 100u);
  std::filesystem::remove(File);
  HWND Hidden = Make("H", WS_POPUP, 0, 0, 10, 10);
  EXPECT_FALSE(Harness::SaveWindowPng(Hidden, File.string()));
}

}  // namespace
