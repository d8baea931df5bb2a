// Drawing routines: rectangles aligned and clipped, text drawn with the rest filled, transparent copies.
#include "suitebase/Drawing.h"

#include <gtest/gtest.h>

using namespace Dorazori;

TEST(Drawing, RectanglesAlignAndClip) {
  EXPECT_EQ(AlignRectByRect(TRect{0, 0, 10, 10}, TRect{0, 0, 21, 21}, haCenter, vaCenter, 0, 0), (TRect{5, 5, 15, 15}));
  EXPECT_EQ(AlignRectByRect(TRect{0, 0, 50, 50}, TRect{0, 0, 21, 21}, haCenter, vaCenter, 0, 0), (TRect{0, 0, 21, 21}));
  EXPECT_EQ(AlignRectByRect(TRect{0, 0, 10, 4}, TRect{2, 2, 30, 20}, haRight, vaLeft, 0, 0), (TRect{20, 2, 30, 6}));
  EXPECT_EQ(AlignRectByRect(TRect{0, 0, 10, 4}, TRect{2, 2, 30, 20}, haLeft, vaRight, 3, 0), (TRect{2, 16, 12, 20}));
  EXPECT_EQ(AlignRectByRect(TRect{0, 0, 10, 4}, TRect{2, 2, 30, 20}, haNone, vaNone, 0, 0), (TRect{2, 2, 30, 20}));
  TRect R{-5, 3, 40, 50};
  CorrectRectByRect(R, TRect{0, 0, 30, 30});
  EXPECT_EQ(R, (TRect{0, 3, 30, 30}));
  EXPECT_EQ(RectWidth(R), 30);
  EXPECT_EQ(RectHeight(R), 27);
}

TEST(Drawing, TextWithFillAndTransparentCopies) {
  TBitmap B;
  B.SetSize(40, 20);
  TCanvas* C = B.Canvas();
  C->Brush()->SetColor(clRed);
  DrawTextWithFill(C, "", 0, TRect{0, 0, 40, 20});
  EXPECT_EQ(GetPixel(C->Handle(), 20, 10), 0x000000FFu);
  C->Brush()->SetColor(clLime);
  DrawTextWithFill(C, "i", DT_CENTER | DT_VCENTER | DT_SINGLELINE, TRect{0, 0, 40, 20});
  EXPECT_EQ(GetPixel(C->Handle(), 1, 1), 0x0000FF00u);  // the rest is filled
  EXPECT_EQ(GetPixel(C->Handle(), 38, 18), 0x0000FF00u);

  TBitmap Src;
  Src.SetSize(4, 4);
  Src.Canvas()->Brush()->SetColor(clBlue);
  Src.Canvas()->FillRect(TRect{0, 0, 4, 4});
  Src.Canvas()->Brush()->SetColor(clWhite);
  Src.Canvas()->FillRect(TRect{0, 0, 2, 4});  // white is the transparent half
  TBitmap Dest;
  Dest.SetSize(8, 8);
  Dest.Canvas()->Brush()->SetColor(clRed);
  Dest.Canvas()->FillRect(TRect{0, 0, 8, 8});
  EXPECT_EQ(GetTransparentColor(Src.Canvas()->Handle(), TRect{0, 0, 4, 3}), 0x00FFFFFFu);
  TransparentBitBlt(Src.Canvas()->Handle(), Dest.Canvas()->Handle(), TRect{0, 0, 4, 4}, 2, 2, clWhite);
  EXPECT_EQ(GetPixel(Dest.Canvas()->Handle(), 2, 2), 0x000000FFu);  // transparent: the red stays
  EXPECT_EQ(GetPixel(Dest.Canvas()->Handle(), 5, 5), 0x00FF0000u);  // blue copied
  TransparentBitBltEx(Src.Canvas()->Handle(), Dest.Canvas()->Handle(), TRect{0, 0, 4, 4}, clWhite, TRect{0, 0, 8, 8});
  EXPECT_EQ(GetPixel(Dest.Canvas()->Handle(), 1, 1), 0x000000FFu);
  EXPECT_EQ(GetPixel(Dest.Canvas()->Handle(), 7, 7), 0x00FF0000u);  // stretched
}
