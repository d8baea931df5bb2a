// The window table: classes, creation and destruction order, window longs and subclassing, the tree, geometry.
#include "platform/win/UtilWindow.h"
#include "platform/win/WinUser.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

using namespace WinTest;
using Strings = std::vector<std::string>;

namespace {

class Windows : public ::testing::Test {
protected:
  void TearDown() override { Reset(); }
};

LRESULT PlainProc(HWND W, UINT M, WPARAM Wp, LPARAM Lp) { return DefWindowProc(W, M, Wp, Lp); }

TEST_F(Windows, ClassesRegisterOnceCompareWithoutCaseAndStayWhileWindowsExist) {
  WNDCLASS WC;
  WC.lpfnWndProc = &PlainProc;
  WC.cbWndExtra = 8;
  WC.lpszClassName = "ZubPlainClass";
  ATOM A = RegisterClass(&WC);
  EXPECT_GE(A, 0xC000);
  EXPECT_EQ(RegisterClass(&WC), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  WNDCLASS Info;
  ASSERT_TRUE(GetClassInfo(nullptr, "zubplainclass", &Info));
  EXPECT_EQ(Info.cbWndExtra, 8);
  EXPECT_STREQ(Info.lpszClassName, "ZubPlainClass");

  HWND W = CreateWindowEx(0, "ZUBPLAINCLASS", "x", WS_POPUP, 0, 0, 10, 10, 0, 0, nullptr, nullptr);
  ASSERT_NE(W, 0u);
  char Name[8];
  EXPECT_EQ(GetClassName(W, Name, sizeof Name), 7);  // truncated to the buffer
  EXPECT_STREQ(Name, "ZubPlai");
  EXPECT_FALSE(UnregisterClass("ZubPlainClass", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
  DestroyWindow(W);
  EXPECT_TRUE(UnregisterClass("ZubPlainClass", nullptr));
  EXPECT_EQ(CreateWindowEx(0, "ZubPlainClass", "", WS_POPUP, 0, 0, 1, 1, 0, 0, nullptr, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
}

TEST_F(Windows, CreationAndDestructionFollowThePlatformsOrder) {
  HWND P = Make("P", WS_POPUP, 0, 0, 100, 100);
  EXPECT_EQ(TakeLog(), (Strings{"P:GETMINMAXINFO", "P:NCCREATE", "P:NCCALCSIZE", "P:CREATE", "P:SIZE", "P:MOVE"}));
  HWND C = Make("C", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, P);
  HWND G = Make("G", WS_CHILD, 0, 0, 5, 5, C);
  TakeLog();
  EXPECT_TRUE(DestroyWindow(P));
  // WM_DESTROY goes down the tree parent first; WM_NCDESTROY comes back up, children first.
  EXPECT_EQ(TakeLog(), (Strings{"P:DESTROY", "C:DESTROY", "G:DESTROY", "G:NCDESTROY", "C:NCDESTROY",
                                "P:NCDESTROY"}));
  EXPECT_FALSE(IsWindow(P));
  EXPECT_FALSE(IsWindow(C));
  EXPECT_FALSE(IsWindow(G));
  // A stale handle never names a new window.
  HWND Q = Make("Q", WS_POPUP, 0, 0, 1, 1);
  EXPECT_NE(Q, P);
  EXPECT_NE(Q, C);
  EXPECT_NE(Q, G);
  EXPECT_FALSE(DestroyWindow(P));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(Windows, ChildCreationNotifiesTheParentAndShowsWhenVisible) {
  HWND P = Make("P", WS_POPUP, 0, 0, 100, 100);
  TakeLog();
  Make("C", WS_CHILD | WS_VISIBLE, 1, 2, 10, 10, P, 0, 7);
  EXPECT_EQ(TakeLog(), (Strings{"C:NCCREATE", "C:NCCALCSIZE", "C:CREATE", "C:SIZE", "C:MOVE", "P:PARENTNOTIFY",
                                "C:SHOWWINDOW", "C:POSCHANGING", "C:POSCHANGED"}));
}

TEST_F(Windows, FailedCreationReturnsNoHandle) {
  // WM_CREATE answering -1 destroys the window; WM_NCCREATE answering FALSE ends it before WM_CREATE.
  CreationHandler = [](HWND, UINT M, WPARAM, LPARAM, LRESULT& R) {
    if (M == WM_CREATE) {
      R = -1;
      return true;
    }
    return false;
  };
  EXPECT_EQ(CreateWindowEx(0, RecordingClass(), "", WS_POPUP, 0, 0, 1, 1, 0, 0, nullptr, nullptr), 0u);
  EXPECT_EQ(TakeLog(), (Strings{"?:GETMINMAXINFO", "?:NCCREATE", "?:NCCALCSIZE", "?:CREATE", "?:DESTROY",
                                "?:NCDESTROY"}));
  EXPECT_EQ(CreateWindowEx(0, RecordingClass(), "", WS_CHILD, 0, 0, 1, 1, 0, 0, nullptr, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
  CreationHandler = nullptr;
  HWND P = Make("P", WS_POPUP, 0, 0, 1, 1);
  Handlers[P] = nullptr;
  CreationHandler = [](HWND, UINT M, WPARAM, LPARAM, LRESULT& R) {
    if (M == WM_NCCREATE) {
      R = FALSE;
      return true;
    }
    return false;
  };
  TakeLog();
  EXPECT_EQ(CreateWindowEx(0, RecordingClass(), "", WS_CHILD, 0, 0, 1, 1, P, 0, nullptr, nullptr), 0u);
  EXPECT_EQ(TakeLog(), (Strings{"?:NCCREATE", "?:NCDESTROY"}));
}

WNDPROC OldProc = nullptr;
int SubclassCalls = 0;
LRESULT SubclassProc(HWND W, UINT M, WPARAM Wp, LPARAM Lp) {
  if (M == WM_USER) {
    ++SubclassCalls;
    return 42 + CallWindowProc(OldProc, W, M, Wp, Lp);  // the old procedure still sees it
  }
  return CallWindowProc(OldProc, W, M, Wp, Lp);
}

TEST_F(Windows, SubclassingUserDataAndExtraBytes) {
  HWND W = Make("W", WS_POPUP, 0, 0, 1, 1);
  OldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(W, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  EXPECT_EQ(OldProc, &RecordingProc);
  TakeLog();
  EXPECT_EQ(SendMessage(W, WM_USER, 0, 0), 42);
  EXPECT_EQ(SubclassCalls, 1);
  EXPECT_EQ(TakeLog(), Strings{"W:USER"});

  SetWindowLongPtr(W, GWL_USERDATA, 0x1234567890LL);
  EXPECT_EQ(GetWindowLongPtr(W, GWL_USERDATA), 0x1234567890LL);
  // The class asked for 16 extra bytes: two pointer-sized slots; beyond them is an error.
  EXPECT_EQ(SetWindowLongPtr(W, 8, 77), 0);
  EXPECT_EQ(GetWindowLongPtr(W, 8), 77);
  EXPECT_EQ(SetWindowLong(W, 12, 5), 0);
  EXPECT_EQ(GetWindowLong(W, 12), 5);
  EXPECT_EQ(GetWindowLong(W, 0), 0);
  EXPECT_EQ(GetWindowLongPtr(W, 9), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  // Style changes are announced.
  TakeLog();
  SetWindowLong(W, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindowLong(W, GWL_EXSTYLE), static_cast<LONG>(WS_EX_TOOLWINDOW));
  SetWindowLongPtr(W, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(OldProc));
}

TEST_F(Windows, ObjectInstancesAndUtilityWindows) {
  std::vector<UINT> Seen;
  HWND H = AllocateHWnd([&](TMessage& M) {
    Seen.push_back(M.Msg);
    M.Result = M.Msg == WM_USER ? 7 : 0;
  });
  ASSERT_TRUE(IsWindow(H));
  EXPECT_FALSE(IsWindowVisible(H));
  EXPECT_EQ(SendMessage(H, WM_USER, 1, 2), 7);
  PostMessage(H, WM_USER + 1, 0, 0);
  Drain();
  EXPECT_EQ(Seen, (std::vector<UINT>{WM_USER, WM_USER + 1}));
  auto Instance = reinterpret_cast<WNDPROC>(GetWindowLongPtr(H, GWL_WNDPROC));
  EXPECT_EQ(CallWindowProc(Instance, H, WM_USER, 0, 0), 7);
  DeallocateHWnd(H);
  EXPECT_FALSE(IsWindow(H));
}

TEST_F(Windows, TreeRelationsReparentingAndSearches) {
  HWND Owner = Make("Owner", WS_OVERLAPPED, 0, 0, 100, 100);
  HWND Popup = Make("Popup", WS_POPUP, 0, 0, 10, 10, Owner);
  HWND A = Make("A", WS_CHILD, 0, 0, 10, 10, Owner, 0, 1);
  HWND B = Make("B", WS_CHILD, 0, 0, 10, 10, Owner, 0, 2);
  HWND A1 = Make("A1", WS_CHILD, 0, 0, 10, 10, A, 0, 3);
  EXPECT_EQ(GetParent(A), Owner);
  EXPECT_EQ(GetParent(Popup), Owner);  // a popup's "parent" is its owner
  EXPECT_EQ(GetWindow(Popup, GW_OWNER), Owner);
  EXPECT_EQ(GetParent(Owner), 0u);
  // Children in creation order are z-order top to bottom.
  EXPECT_EQ(GetWindow(Owner, GW_CHILD), A);
  EXPECT_EQ(GetWindow(A, GW_HWNDNEXT), B);
  EXPECT_EQ(GetWindow(B, GW_HWNDPREV), A);
  EXPECT_EQ(GetWindow(A, GW_HWNDLAST), B);
  EXPECT_EQ(GetDlgItem(Owner, 2), B);
  EXPECT_EQ(GetDlgCtrlID(A1), 3);

  std::vector<HWND> Found;
  EnumChildWindows(Owner, [](HWND W, LPARAM L) {
    reinterpret_cast<std::vector<HWND>*>(L)->push_back(W);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&Found));
  EXPECT_EQ(Found, (std::vector<HWND>{A, A1, B}));

  EXPECT_TRUE(IsChild(Owner, A1));
  EXPECT_EQ(SetParent(A1, B), A);  // the handle survives re-parenting
  EXPECT_EQ(GetParent(A1), B);
  EXPECT_TRUE(IsWindow(A1));
  EXPECT_EQ(GetWindow(A, GW_CHILD), 0u);
  EXPECT_EQ(SetParent(Owner, A1), 0u);  // a window cannot go below its own descendant

  EXPECT_EQ(FindWindow(RecordingClass(), "owner"), Owner);
  EXPECT_EQ(FindWindow(nullptr, "Popup"), Popup);
  EXPECT_EQ(FindWindow(nullptr, "A"), 0u);  // children are not top-level
  EXPECT_EQ(FindWindowEx(Owner, 0, nullptr, "B"), B);
  EXPECT_EQ(FindWindowEx(Owner, A, RecordingClass(), nullptr), B);
  EXPECT_EQ(FindWindowEx(Owner, B, RecordingClass(), nullptr), 0u);
  // Destroying the owner takes the owned popup with it, first.
  TakeLog();
  DestroyWindow(Owner);
  EXPECT_FALSE(IsWindow(Popup));
  EXPECT_EQ(TakeLog().front(), "Popup:DESTROY");
}

TEST_F(Windows, TextAndEnabling) {
  HWND W = Make("W", WS_POPUP, 0, 0, 1, 1);
  EXPECT_TRUE(SetWindowText(W, "Hello world"));
  char Buf[6];
  EXPECT_EQ(GetWindowText(W, Buf, sizeof Buf), 5);
  EXPECT_STREQ(Buf, "Hello");
  EXPECT_EQ(GetWindowTextLength(W), 11);
  EXPECT_EQ(GetWindowTextString(W), "Hello world");
  TakeLog();
  EXPECT_FALSE(EnableWindow(W, FALSE));  // was enabled
  EXPECT_FALSE(IsWindowEnabled(W));
  EXPECT_TRUE(EnableWindow(W, FALSE));   // was disabled; no message the second time
  EXPECT_TRUE(EnableWindow(W, TRUE));
  EXPECT_EQ(TakeLog(), (Strings{"W:ENABLE", "W:ENABLE"}));
}

struct TFrameCase {
  const char* Name;
  DWORD Style;
  DWORD ExStyle;
  TRect Client;  // relative to the window's top-left for a 100x80 window
};

class Frames : public Windows, public ::testing::WithParamInterface<TFrameCase> {};

TEST_P(Frames, ClientRectangleFollowsTheFrameStyles) {
  const auto& C = GetParam();
  HWND W = Make("W", C.Style, 10, 20, 100, 80, 0, C.ExStyle);
  TRect WR, CR;
  GetWindowRect(W, &WR);
  GetClientRect(W, &CR);
  EXPECT_EQ(WR, Rect(10, 20, 110, 100));
  TPoint O{0, 0};
  ClientToScreen(W, &O);
  EXPECT_EQ(Rect(O.X - 10, O.Y - 20, O.X - 10 + CR.Right, O.Y - 20 + CR.Bottom), C.Client);
  // AdjustWindowRectEx is the inverse for frames without scroll bars.
  if (!(C.Style & (WS_VSCROLL | WS_HSCROLL))) {
    TRect A = Rect(0, 0, CR.Right, CR.Bottom);
    AdjustWindowRectEx(&A, C.Style, FALSE, C.ExStyle);
    EXPECT_EQ(A.Width(), 100);
    EXPECT_EQ(A.Height(), 80);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Styles, Frames,
    ::testing::Values(TFrameCase{"Plain", WS_POPUP, 0, Rect(0, 0, 100, 80)},
                      TFrameCase{"Border", WS_POPUP | WS_BORDER, 0, Rect(1, 1, 99, 79)},
                      TFrameCase{"ClientEdge", WS_POPUP, WS_EX_CLIENTEDGE, Rect(2, 2, 98, 78)},
                      TFrameCase{"Sizeable", WS_OVERLAPPEDWINDOW, 0, Rect(4, 23, 96, 76)},
                      TFrameCase{"Dialog", WS_POPUP | WS_CAPTION, 0, Rect(3, 22, 97, 77)},
                      TFrameCase{"ScrollBars", WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, Rect(0, 0, 84, 64)}),
    [](const auto& I) { return std::string(I.param.Name); });

TEST_F(Windows, CoordinatesMapThroughNestedClientAreas) {
  HWND P = Make("P", WS_POPUP | WS_BORDER, 100, 50, 200, 200);
  HWND C = Make("C", WS_CHILD, 10, 20, 50, 50, P, WS_EX_CLIENTEDGE);
  TPoint Pt{0, 0};
  ClientToScreen(C, &Pt);
  EXPECT_EQ(Pt, Point(100 + 1 + 10 + 2, 50 + 1 + 20 + 2));
  ScreenToClient(P, &Pt);
  EXPECT_EQ(Pt, Point(12, 22));
  TPoint Pts[2] = {{0, 0}, {5, 5}};
  MapWindowPoints(C, P, Pts, 2);
  EXPECT_EQ(Pts[1], Point(17, 27));
  TRect R;
  GetWindowRect(C, &R);
  EXPECT_EQ(R, Rect(111, 71, 161, 121));
  EXPECT_EQ(ChildWindowFromPoint(P, Point(15, 25)), C);
  EXPECT_EQ(ChildWindowFromPoint(P, Point(5, 5)), P);
}

TEST_F(Windows, SetWindowPosLetsTheHandlerChangeThePositionAndReportsSizeAndMove) {
  HWND W = Make("W", WS_POPUP, 0, 0, 100, 100);
  Handlers[W] = [](HWND, UINT M, WPARAM, LPARAM L, LRESULT&) {
    if (M == WM_WINDOWPOSCHANGING) {
      auto* WP = reinterpret_cast<WINDOWPOS*>(L);
      if (!(WP->flags & SWP_NOSIZE)) {
        WP->cx = std::min(WP->cx, 150);
      }
    }
    return false;
  };
  TakeLog();
  SetWindowPos(W, 0, 5, 6, 300, 40, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(TakeLog(), (Strings{"W:POSCHANGING", "W:NCCALCSIZE", "W:POSCHANGED", "W:SIZE", "W:MOVE"}));
  TRect R;
  GetWindowRect(W, &R);
  EXPECT_EQ(R, Rect(5, 6, 155, 46));
  MoveWindow(W, 7, 6, 150, 40, TRUE);  // a move alone: no WM_SIZE, no WM_NCCALCSIZE
  EXPECT_EQ(TakeLog(), (Strings{"W:POSCHANGING", "W:POSCHANGED", "W:MOVE"}));
}

TEST_F(Windows, ZOrderAndTopmost) {
  HWND P = Make("P", WS_POPUP, 0, 0, 100, 100);
  HWND A = Make("A", WS_CHILD, 0, 0, 10, 10, P);
  HWND B = Make("B", WS_CHILD, 0, 0, 10, 10, P);
  HWND C = Make("C", WS_CHILD, 0, 0, 10, 10, P);
  SetWindowPos(C, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(P, GW_CHILD), C);
  SetWindowPos(C, B, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(B, GW_HWNDNEXT), C);
  SetWindowPos(A, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(P, GW_CHILD), B);
  EXPECT_EQ(GetWindow(C, GW_HWNDNEXT), A);
  // A topmost top-level window stays above new ordinary ones.
  HWND T = Make("T", WS_POPUP, 0, 0, 1, 1, 0, WS_EX_TOPMOST);
  HWND N = Make("N", WS_POPUP, 0, 0, 1, 1);
  EXPECT_EQ(GetWindow(N, GW_HWNDPREV), T);
  SetWindowPos(T, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_FALSE(GetWindowLong(T, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(Windows, ShowMinimizeMaximizeRestore) {
  HWND W = Make("W", WS_OVERLAPPEDWINDOW, 10, 10, 200, 150);
  HWND C = Make("C", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, W);
  EXPECT_FALSE(IsWindowVisible(C));  // its parent is hidden
  TakeLog();
  EXPECT_FALSE(ShowWindow(W, SW_SHOWNOACTIVATE));
  Strings L = TakeLog();
  ASSERT_GE(L.size(), 3u);
  EXPECT_EQ((Strings{L[0], L[1], L[2]}), (Strings{"W:SHOWWINDOW", "W:POSCHANGING", "W:POSCHANGED"}));
  EXPECT_TRUE(IsWindowVisible(C));
  EXPECT_EQ(GetActiveWindow(), 0u);

  ShowWindow(W, SW_MAXIMIZE);
  EXPECT_TRUE(IsZoomed(W));
  TRect R;
  GetWindowRect(W, &R);
  EXPECT_GT(R.Width(), 200);
  ShowWindow(W, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(W));
  EXPECT_FALSE(IsZoomed(W));
  // Minimised from maximised, the window comes back maximised; restoring it again gives its normal place.
  ShowWindow(W, SW_RESTORE);
  EXPECT_FALSE(IsIconic(W));
  EXPECT_TRUE(IsZoomed(W));
  ShowWindow(W, SW_RESTORE);
  EXPECT_FALSE(IsZoomed(W));
  GetWindowRect(W, &R);
  EXPECT_EQ(R, Rect(10, 10, 210, 160));
  TakeLog();
  EXPECT_TRUE(ShowWindow(W, SW_HIDE));
  EXPECT_EQ(TakeLog().front(), "W:SHOWWINDOW");
  EXPECT_FALSE(ShowWindow(W, SW_HIDE));
  EXPECT_TRUE(TakeLog().empty());
}

TEST_F(Windows, WindowFromPointSkipsHiddenAndDisabledChildren) {
  HWND P = Make("P", WS_POPUP | WS_VISIBLE, 300, 300, 100, 100);
  HWND A = Make("A", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, P);
  HWND B = Make("B", WS_CHILD, 50, 0, 50, 50, P);
  EXPECT_EQ(WindowFromPoint(Point(310, 310)), A);
  EXPECT_EQ(WindowFromPoint(Point(360, 310)), P);  // B is hidden
  ShowWindow(B, SW_SHOW);
  EXPECT_EQ(WindowFromPoint(Point(360, 310)), B);
  EnableWindow(A, FALSE);
  EXPECT_EQ(WindowFromPoint(Point(310, 310)), P);
  EXPECT_EQ(WindowFromPoint(Point(290, 310)), 0u);
}

}  // namespace
