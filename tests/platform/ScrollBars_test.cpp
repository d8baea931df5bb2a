// Tests of window scroll bars: the visibility rule and the client area, positions, and the mouse on the bar.
#include "platform/controls/TestHarness.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"
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

}  // namespace
