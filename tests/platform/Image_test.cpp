// The image control: where the picture goes (corner, centred, stretched) and the transparent colour left out.
#include "platform/controls/ExtCtrls.h"
#include "platform/graphics/Colors.h"

#include <gtest/gtest.h>

namespace {

TEST(Image, PlacesThePictureAndDrawsIt) {
  TImage Image(nullptr);
  Image.AfterConstruction();
  Image.SetBounds(0, 0, 40, 30);
  TBitmap Pic;
  Pic.SetSize(10, 10);
  Pic.Canvas()->Brush()->SetColor(clRed);
  Pic.Canvas()->FillRect(Rect(0, 0, 10, 10));
  Pic.Canvas()->SetPixels(0, 9, clLime);  // the bottom-left pixel: the transparent colour
  Image.Picture()->SetGraphic(&Pic);
  struct {
    bool Center, Stretch, Transparent;
    TRect Dest;
    TPoint Red, White;
  } const Cases[] = {
      {false, false, false, Rect(0, 0, 10, 10), Point(5, 5), Point(20, 15)},
      {true, false, false, Rect(15, 10, 25, 20), Point(20, 15), Point(5, 5)},
      {true, true, false, Rect(0, 0, 40, 30), Point(39, 1), Point(-1, -1)},
  };
  for (auto& C : Cases) {
    Image.SetCenter(C.Center);
    Image.SetStretch(C.Stretch);
    EXPECT_EQ(Image.DestRect(), C.Dest);
    TBitmap Out;
    Out.SetSize(40, 30);
    Out.Canvas()->Brush()->SetColor(clWhite);
    Out.Canvas()->FillRect(Rect(0, 0, 40, 30));
    Image.PaintOn(*Out.Canvas(), Point(0, 0));
    EXPECT_EQ(ColorToRGB(Out.Canvas()->Pixels(C.Red.X, C.Red.Y)), ColorToRGB(clRed));
    if (C.White.X >= 0) {
      EXPECT_EQ(ColorToRGB(Out.Canvas()->Pixels(C.White.X, C.White.Y)), ColorToRGB(clWhite));
    }
  }
  // Transparent: the picture's transparent colour leaves the background.
  Image.SetStretch(false);
  Image.SetCenter(false);
  for (bool Transparent : {false, true}) {
    Image.SetTransparent(Transparent);
    TBitmap Out;
    Out.SetSize(40, 30);
    Out.Canvas()->Brush()->SetColor(clWhite);
    Out.Canvas()->FillRect(Rect(0, 0, 40, 30));
    Image.PaintOn(*Out.Canvas(), Point(0, 0));
    EXPECT_EQ(ColorToRGB(Out.Canvas()->Pixels(0, 9)), ColorToRGB(Transparent ? clWhite : clLime)) << Transparent;
  }
}

}  // namespace
