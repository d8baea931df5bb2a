// Tests of window scroll bars: the visibility rule and the client area, positions, and the mouse on the bar.
#include "platform/controls/TestHarness.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

using namespace WinTest;
using Strings = std::vector<std::string>;

namespace {

class ScrollBars : public ::testing::Test {
protected:
  void SetUp() override { Harness::Start(); }
  void TearDown() override { Reset(); }
};

SCROLLINFO Info(int Min, int Max, UINT Page, UINT Mask = SIF_RANGE | SIF_PAGE) {
  SCROLLINFO I;
  I.fMask = Mask;
  I.nMin = Min;
  I.nMax = Max;
  I.nPage = Page;
  return I;
}

std::vector<std::string> SizesIn(const std::vector<std::string>& Log) {
  std::vector<std::string> Out;
  for (const auto& L : Log) {
    if (L.find(":SIZE") != std::string::npos) {
      Out.push_back(L);
    }
  }
  return Out;
}

TEST_F(ScrollBars, ABarShowsOnlyWhileThePageIsSmallerThanTheRange) {
  HWND W = Make("W", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80);
  Harness::RunUntilIdle();
  TakeLog();
  SCROLLINFO I = Info(0, 99, 50);
  SetScrollInfo(W, SB_VERT, &I, TRUE);
  TRect C;
  GetClientRect(W, &C);
  EXPECT_EQ(C, Rect(0, 0, 100 - GetSystemMetrics(SM_CXVSCROLL), 80));
  EXPECT_TRUE(GetWindowLong(W, GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(SizesIn(TakeLog()), Strings{"W:SIZE"});
  // A page covering the range hides it again.
  I = Info(0, 99, 100);
  SetScrollInfo(W, SB_VERT, &I, TRUE);
  GetClientRect(W, &C);
  EXPECT_EQ(C.Right, 100);
  EXPECT_EQ(SizesIn(TakeLog()), Strings{"W:SIZE"});
  // SIF_DISABLENOSCROLL keeps it, disabled.
  I = Info(0, 9, 20, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL);
  SetScrollInfo(W, SB_HORZ, &I, TRUE);
  GetClientRect(W, &C);
  EXPECT_EQ(C.Bottom, 80 - GetSystemMetrics(SM_CYHSCROLL));
  // Positions stay within min .. max - page + 1.
  I = Info(0, 99, 30);
  SetScrollInfo(W, SB_VERT, &I, FALSE);
  EXPECT_EQ(SetScrollPos(W, SB_VERT, 500, TRUE), 0);
  EXPECT_EQ(GetScrollPos(W, SB_VERT), 70);
  SCROLLINFO Back;
  Back.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(W, SB_VERT, &Back));
  EXPECT_EQ(Back.nMax, 99);
  EXPECT_EQ(Back.nPage, 30u);
  EXPECT_EQ(FlatSB_GetScrollPos(W, SB_VERT), 70);
  int Min = -1, Max = -1;
  GetScrollRange(W, SB_VERT, &Min, &Max);
  EXPECT_EQ(Max, 99);
  // ShowScrollBar forces it either way.
  ShowScrollBar(W, SB_BOTH, FALSE);
  GetClientRect(W, &C);
  EXPECT_EQ(C, Rect(0, 0, 100, 80));
}

TEST_F(ScrollBars, ClicksAndThumbDragsSendScrollMessages) {
  HWND W = Make("W", WS_POPUP | WS_VISIBLE, 0, 0, 100, 116);
  std::vector<std::pair<int, int>> Seen;
  Handlers[W] = [&](HWND, UINT M, WPARAM Wp, LPARAM, LRESULT& R) {
    if (M == WM_VSCROLL) {
      Seen.emplace_back(LOWORD(Wp), static_cast<SHORT>(HIWORD(Wp)));
      R = 0;
      return true;
    }
    return false;
  };
  SCROLLINFO I = Info(0, 99, 20);
  SetScrollInfo(W, SB_VERT, &I, TRUE);
  Harness::RunUntilIdle();
  TRect C;
  GetClientRect(W, &C);
  int BarX = C.Right + 8;  // client coordinates beyond the client area: the bar
  Harness::Click(W, Point(BarX, 5));  // the up arrow
  Harness::RunUntilIdle();
  Harness::Click(W, Point(BarX, 110));  // the down arrow
  Harness::RunUntilIdle();
  Harness::Click(W, Point(BarX, 90));  // the track below the thumb
  Harness::RunUntilIdle();
  EXPECT_EQ(Seen, (std::vector<std::pair<int, int>>{{SB_LINEUP, 0}, {SB_ENDSCROLL, 0}, {SB_LINEDOWN, 0},
                                                    {SB_ENDSCROLL, 0}, {SB_PAGEDOWN, 0}, {SB_ENDSCROLL, 0}}));
  Seen.clear();
  // The thumb: 84 pixels of track, a 16-pixel thumb (20/100 of the track) at the top; dragging it to the bottom
  // tracks to the last position.
  Harness::MouseDown(W, Point(BarX, 20));
  Harness::MouseMove(W, Point(BarX, 60));
  Harness::MouseMove(W, Point(BarX, 200));
  Harness::MouseUp(W, Point(BarX, 200));
  Harness::RunUntilIdle();
  ASSERT_GE(Seen.size(), 3u);
  EXPECT_EQ(Seen.front().first, SB_THUMBTRACK);
  EXPECT_EQ(Seen[Seen.size() - 2], std::make_pair(static_cast<int>(SB_THUMBPOSITION), 80));
  EXPECT_EQ(Seen.back().first, SB_ENDSCROLL);
  SCROLLINFO T;
  T.fMask = SIF_TRACKPOS;
  GetScrollInfo(W, SB_VERT, &T);
  EXPECT_EQ(T.nTrackPos, 80);
  EXPECT_EQ(GetCapture(), 0u);
}

// A size grip sits at the corner it was aligned to and, dragged, sizes its top-level window the way a sizing
// border does: WM_SIZING and WM_SIZE on the way, never below the window's minimum track size.
TEST_F(ScrollBars, DraggingASizeGripSizesItsWindowDownToTheMinimum) {
  HWND W = Make("W", WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE, 50, 50, 300, 200);
  int Sizings = 0;
  Handlers[W] = [&](HWND, UINT M, WPARAM WP, LPARAM L, LRESULT& Result) {
    if (M == WM_GETMINMAXINFO) {
      reinterpret_cast<MINMAXINFO*>(L)->ptMinTrackSize = Point(250, 180);
      Result = 0;
      return true;
    }
    if (M == WM_SIZING) {
      EXPECT_EQ(WP, WMSZ_BOTTOMRIGHT);
      ++Sizings;
    }
    return false;
  };
  TRect C{};
  GetClientRect(W, &C);
  // Made with the whole client area, the grip takes the system's size in its bottom-right corner.
  HWND Grip = CreateWindowEx(0, WC_SCROLLBAR, "", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN,
                             0, 0, C.Right, C.Bottom, W, 0, nullptr, nullptr);
  ASSERT_TRUE(Grip);
  TRect G{};
  GetWindowRect(Grip, &G);
  MapWindowPoints(0, W, reinterpret_cast<TPoint*>(&G), 2);
  EXPECT_EQ(G, Rect(C.Right - GetSystemMetrics(SM_CXVSCROLL), C.Bottom - GetSystemMetrics(SM_CYHSCROLL), C.Right,
                    C.Bottom));
  Harness::RunUntilIdle();
  TPoint Inside = Point(G.Width() / 2, G.Height() / 2);
  TPoint OnScreen = Inside;
  ClientToScreen(Grip, &OnScreen);
  EXPECT_EQ(SendMessage(Grip, WM_NCHITTEST, 0, MAKELONG(OnScreen.X, OnScreen.Y)), HTBOTTOMRIGHT);
  struct {
    int Dx, Dy;
    int WantW, WantH;
  } const Drags[] = {{40, 30, 340, 230}, {-200, -10, 250, 220}, {85, -300, 335, 180}};
  for (const auto& D : Drags) {
    TRect Before{};
    GetWindowRect(W, &Before);
    TakeLog();
    // The points are taken where the grip is when the input is queued.
    const TPoint Start = Inside;
    Harness::MouseDown(Grip, Start);
    Harness::MouseMove(Grip, Point(Start.X + D.Dx / 2, Start.Y + D.Dy / 2));
    Harness::MouseMove(Grip, Point(Start.X + D.Dx, Start.Y + D.Dy));
    Harness::MouseUp(Grip, Point(Start.X + D.Dx, Start.Y + D.Dy));
    Harness::RunUntilIdle();
    TRect After{};
    GetWindowRect(W, &After);
    EXPECT_EQ(After.Left, Before.Left);
    EXPECT_EQ(After.Top, Before.Top);
    EXPECT_EQ(After.Width(), D.WantW) << D.Dx << "," << D.Dy;
    EXPECT_EQ(After.Height(), D.WantH) << D.Dx << "," << D.Dy;
    EXPECT_FALSE(SizesIn(TakeLog()).empty());
    // The program moves its grip back into the corner, as a real one does on WM_SIZE.
    GetClientRect(W, &C);
    SetWindowPos(Grip, 0, C.Right - G.Width(), C.Bottom - G.Height(), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Harness::RunUntilIdle();
  }
  EXPECT_GE(Sizings, 3);
  EXPECT_EQ(GetCapture(), HWND(0));
}

}  // namespace
