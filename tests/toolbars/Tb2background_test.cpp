// Tests of backgrounds: change notification, the transparent colour and where the pattern starts.
#include "toolbars/Tb2background.h"

#include "platform/controls/TestHarness.h"
#include "platform/graphics/WinGdi.h"

#include <gtest/gtest.h>

namespace {

struct TListener {
  int Calls = 0;
  void Changed(TObject*) { ++Calls; }
};

class Tb2background : public ::testing::Test {
protected:
  void SetUp() override { Harness::Start(); }
  static void Paint(TBitmap& B, int W, int H, TColor Fill) {
    B.SetPixelFormat(pf32bit);
    B.SetSize(W, H);
    B.Canvas()->Brush()->SetColor(Fill);
    B.Canvas()->FillRect(Rect(0, 0, W, H));
  }
};

TEST_F(Tb2background, ChangesRebuildOnlyWhatTheyTouch) {
  TTBBackground Bk(nullptr);
  TListener L;
  Bk.RegisterChanges(TBMethod<&TListener::Changed>(&L));
  Bk.RegisterChanges(TBMethod<&TListener::Changed>(&L));
  EXPECT_EQ(Bk.HandlerCount(), 1);
  EXPECT_FALSE(Bk.UsingBackground());
  TBitmap Src;
  Paint(Src, 4, 4, clRed);
  Bk.SetBitmap(&Src);
  EXPECT_TRUE(Bk.UsingBackground());
  const int AfterBitmap = L.Calls;
  EXPECT_GE(AfterBitmap, 1);
  TBitmap Dest;
  Paint(Dest, 10, 10, clWhite);
  Bk.Draw(Dest.Canvas()->Handle(), Rect(0, 0, 10, 10));
  EXPECT_TRUE(Bk.Prepared());
  Bk.SetBkColor(clBlue);  // opaque: nothing to rebuild
  EXPECT_TRUE(Bk.Prepared());
  EXPECT_EQ(L.Calls, AfterBitmap);
  Bk.SetTransparent(true);
  Bk.Draw(Dest.Canvas()->Handle(), Rect(0, 0, 10, 10));
  Bk.SetBkColor(clGreen);  // transparent: rebuilt, and every listener hears of it
  EXPECT_FALSE(Bk.Prepared());
  EXPECT_EQ(L.Calls, AfterBitmap + 2);
  Bk.UnregisterChanges(TBMethod<&TListener::Changed>(&L));
  EXPECT_EQ(Bk.HandlerCount(), 0);
}

TEST_F(Tb2background, TheBottomLeftColourShowsTheBackgroundColour) {
  TTBBackground Bk(nullptr);
  TBitmap Src;
  Paint(Src, 3, 3, clRed);
  Src.Canvas()->SetPixels(1, 1, clYellow);
  Bk.SetBitmap(&Src);
  Bk.SetBkColor(clBlue);
  Bk.SetTransparent(true);
  TBitmap Dest;
  Paint(Dest, 6, 6, clWhite);
  Bk.Draw(Dest.Canvas()->Handle(), Rect(0, 0, 6, 6));
  EXPECT_EQ(Dest.Canvas()->Pixels(0, 0), clBlue);
  EXPECT_EQ(Dest.Canvas()->Pixels(1, 1), clYellow);
  EXPECT_EQ(Dest.Canvas()->Pixels(4, 4), clYellow);  // tiled
  EXPECT_EQ(Dest.Canvas()->Pixels(5, 5), clBlue);
}

TEST_F(Tb2background, PatternsStartAtTheRectanglesCorner) {
  for (int Size : {8, 5}) {
    TTBBackground Bk(nullptr);
    TBitmap Src;
    Paint(Src, Size, Size, clRed);
    Src.Canvas()->SetPixels(0, 0, clLime);
    Bk.SetBitmap(&Src);
    TBitmap Dest;
    Paint(Dest, 30, 30, clWhite);
    Bk.Draw(Dest.Canvas()->Handle(), Rect(3, 5, 30, 30));
    EXPECT_EQ(Dest.Canvas()->Pixels(3, 5), clLime) << Size;
    EXPECT_EQ(Dest.Canvas()->Pixels(4, 5), clRed) << Size;
    EXPECT_EQ(Dest.Canvas()->Pixels(3 + Size, 5 + Size), clLime) << Size;
  }
}

}  // namespace
