// Tests of the class library's graphics objects: fonts, pens and brushes with shared handles, the canvas, bitmaps
// (BMP files, transparency, masks), icons and pictures.
#include "platform/classes/FormResources.h"
#include "platform/classes/Streams.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Metafiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(Font, SizeAndHeightAndSharedHandles) {
  TFont A;
  EXPECT_EQ(A.Name(), "MS Sans Serif");
  EXPECT_EQ(A.Size(), 8);
  EXPECT_EQ(A.Height(), -11);
  EXPECT_EQ(A.Color(), clWindowText);
  int Changes = 0;
  A.OnChange = [&](TObject*) { ++Changes; };
  A.SetName("Courier New");
  A.SetSize(10);
  EXPECT_EQ(A.Height(), -13);
  A.SetSize(10);  // no change, no event
  EXPECT_EQ(Changes, 2);
  // Equal fonts share one handle; a different one gets its own.
  TFont B;
  B.Assign(&A);
  EXPECT_EQ(B.Name(), "Courier New");
  EXPECT_EQ(A.Handle(), B.Handle());
  B.SetStyle({fsBold});
  EXPECT_NE(A.Handle(), B.Handle());
  LOGFONT L;
  GetObject(B.Handle(), sizeof L, &L);
  EXPECT_EQ(L.lfWeight, FW_BOLD);
  EXPECT_EQ(L.lfHeight, -13);
  // The colour is not part of the handle.
  HFONT Before = A.Handle();
  A.SetColor(clRed);
  EXPECT_EQ(A.Handle(), Before);
  // A font made from a handle takes its attributes.
  TFont C;
  C.SetHandle(B.Handle());
  EXPECT_TRUE(C.Style().Contains(fsBold));
  EXPECT_EQ(C.Size(), 10);
  EXPECT_EQ(C.Handle(), B.Handle());
}

TEST(PenAndBrush, HandlesFollowTheAttributes) {
  TPen P1, P2;
  P1.SetColor(clRed);
  P2.SetColor(clRed);
  EXPECT_EQ(P1.Handle(), P2.Handle());
  LOGPEN L;
  GetObject(P1.Handle(), sizeof L, &L);
  EXPECT_EQ(L.lopnColor, RGB(255, 0, 0));
  P2.SetStyle(psDot);
  EXPECT_NE(P1.Handle(), P2.Handle());
  TBrush B;
  B.SetStyle(bsClear);
  LOGBRUSH LB;
  GetObject(B.Handle(), sizeof LB, &LB);
  EXPECT_EQ(LB.lbStyle, BS_NULL);
  B.SetColor(clBtnFace);  // a colour makes the brush solid again
  EXPECT_EQ(B.Style(), bsSolid);
  GetObject(B.Handle(), sizeof LB, &LB);
  EXPECT_EQ(LB.lbColor, RGB(212, 208, 200));
}

TEST(Canvas, DrawsWithItsPenBrushAndFont) {
  TBitmap Bmp;
  Bmp.SetSize(60, 30);
  TCanvas* C = Bmp.Canvas();
  EXPECT_EQ(C->Pixels(5, 5), clWhite);  // new bitmaps are white
  C->Brush()->SetColor(clRed);
  C->FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(C->Pixels(9, 9), clRed);
  C->Pen()->SetColor(clBlue);
  C->MoveTo(0, 20);
  C->LineTo(10, 20);
  EXPECT_EQ(C->Pixels(9, 20), clBlue);
  EXPECT_EQ(C->Pixels(10, 20), clWhite);
  EXPECT_EQ(C->PenPos(), Point(10, 20));
  // Pen mode xor drawn twice restores.
  C->Pen()->SetMode(pmXor);
  C->Pen()->SetColor(clWhite);
  C->MoveTo(0, 5);
  C->LineTo(40, 5);
  EXPECT_EQ(C->Pixels(5, 5), clAqua);  // red xor white
  C->MoveTo(0, 5);
  C->LineTo(40, 5);
  EXPECT_EQ(C->Pixels(5, 5), clRed);
  C->Pen()->SetMode(pmCopy);
  C->Font()->SetName("Courier New");
  C->Font()->SetSize(10);
  EXPECT_EQ(C->TextWidth("abc"), 24);
  EXPECT_EQ(C->TextHeight("abc"), 15);
  C->Brush()->SetStyle(bsClear);
  C->TextOut(20, 10, "x");
  EXPECT_EQ(C->PenPos(), Point(28, 10));
  // ClipRect is the whole bitmap; CopyRect copies between canvases with CopyMode.
  EXPECT_EQ(C->ClipRect(), Rect(0, 0, 60, 30));
  TBitmap Other;
  Other.SetSize(10, 10);
  Other.Canvas()->CopyRect(Rect(0, 0, 10, 10), C, Rect(0, 0, 10, 10));
  EXPECT_EQ(Other.Canvas()->Pixels(3, 3), clRed);
  C->Lock();
  EXPECT_EQ(C->LockCount(), 1);
  C->Unlock();
  // A plain canvas without a DC refuses to draw.
  TCanvas Plain;
  EXPECT_THROW(Plain.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(Bitmap, BmpFilesRoundTripInEveryDepthWritten) {
  for (TPixelFormat F : {pf24bit, pf32bit, pf1bit}) {
    TBitmap A;
    A.SetPixelFormat(F);
    A.SetSize(7, 3);  // odd width: rows need padding
    A.Canvas()->Brush()->SetColor(clBlack);
    A.Canvas()->FillRect(Rect(0, 0, 3, 2));
    if (F != pf1bit) {
      A.Canvas()->SetPixels(6, 2, static_cast<TColor>(RGB(10, 20, 30)));
    }
    TMemoryStream S;
    A.SaveToStream(&S);
    S.SetPosition(0);
    TBitmap B;
    B.LoadFromStream(&S);
    EXPECT_EQ(B.Width(), 7);
    EXPECT_EQ(B.Height(), 3);
    EXPECT_EQ(B.Monochrome(), F == pf1bit);
    EXPECT_EQ(B.Canvas()->Pixels(2, 1), clBlack);
    EXPECT_EQ(B.Canvas()->Pixels(3, 1), clWhite);
    if (F != pf1bit) {
      EXPECT_EQ(B.Canvas()->Pixels(6, 2), static_cast<TColor>(RGB(10, 20, 30)));
    }
  }
  TMemoryStream Bad;
  Bad.WriteBuffer("BMxxxxxxxxxxxxxxxxxxxxxxxxxxxx", 30);
  Bad.SetPosition(0);
  TBitmap B;
  EXPECT_THROW(B.LoadFromStream(&Bad), EInvalidGraphic);
}

TEST(Bitmap, SizeAssignScanLineAndResources) {
  TBitmap A;
  A.SetSize(4, 4);
  A.Canvas()->SetPixels(1, 1, clRed);
  A.SetSize(8, 2);  // keeps what fits
  EXPECT_EQ(A.Canvas()->Pixels(1, 1), clRed);
  auto* Row = static_cast<std::uint32_t*>(A.ScanLine(1));
  EXPECT_EQ(Row[1] & 0xFFFFFF, 0xFF0000u);
  Row[2] = 0x0000FF;
  EXPECT_EQ(A.Canvas()->Pixels(2, 1), clBlue);
  EXPECT_THROW(A.ScanLine(2), ERangeError);
  TBitmap B;
  B.Assign(&A);
  A.Canvas()->SetPixels(1, 1, clLime);
  EXPECT_EQ(B.Canvas()->Pixels(1, 1), clRed);  // a copy, not shared pixels
  // A bitmap resource (BMP file without its file header) loads by name.
  TMemoryStream S;
  B.SaveToStream(&S);
  static std::string Res;
  Res.assign(static_cast<const char*>(S.Memory()) + 14, static_cast<std::size_t>(S.Size()) - 14);
  RegisterFormResource("ZUBTESTBITMAP", reinterpret_cast<const unsigned char*>(Res.data()), Res.size());
  TBitmap C;
  C.LoadFromResourceName(nullptr, "ZubTestBitmap");
  EXPECT_EQ(C.Width(), 8);
  EXPECT_EQ(C.Canvas()->Pixels(1, 1), clRed);
  EXPECT_THROW(C.LoadFromResourceName(nullptr, "NoSuchBitmap"), EResNotFound);
}

TEST(Bitmap, TransparentDrawingLeavesTheTransparentColourOut) {
  TBitmap Glyph;
  Glyph.SetSize(4, 4);
  Glyph.Canvas()->Brush()->SetColor(clFuchsia);
  Glyph.Canvas()->FillRect(Rect(0, 0, 4, 4));
  Glyph.Canvas()->Brush()->SetColor(clNavy);
  Glyph.Canvas()->FillRect(Rect(1, 1, 3, 3));
  EXPECT_EQ(Glyph.TransparentColor(), clFuchsia);  // the bottom-left pixel
  // The mask is white where the transparent colour is.
  HBITMAP Mask = Glyph.MaskHandle();
  HDC DC = CreateCompatibleDC(0);
  HGDIOBJ Old = SelectObject(DC, Mask);
  EXPECT_EQ(GetPixel(DC, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(DC, 1, 1), RGB(0, 0, 0));
  SelectObject(DC, Old);
  DeleteDC(DC);
  Glyph.SetTransparent(true);
  TBitmap Target;
  Target.SetSize(16, 16);
  Target.Canvas()->Brush()->SetColor(clYellow);
  Target.Canvas()->FillRect(Rect(0, 0, 16, 16));
  Target.Canvas()->Draw(2, 2, &Glyph);
  EXPECT_EQ(Target.Canvas()->Pixels(2, 2), clYellow);
  EXPECT_EQ(Target.Canvas()->Pixels(3, 3), clNavy);
  // Stretched to twice the size.
  Target.Canvas()->StretchDraw(Rect(8, 8, 16, 16), &Glyph);
  EXPECT_EQ(Target.Canvas()->Pixels(9, 9), clYellow);
  EXPECT_EQ(Target.Canvas()->Pixels(10, 10), clNavy);
  EXPECT_EQ(Target.Canvas()->Pixels(13, 13), clNavy);
  EXPECT_EQ(Target.Canvas()->Pixels(14, 14), clYellow);
}

TEST(IconAndPicture, IconFilesRoundTripAndDrawThroughTheirMask) {
  TBitmap Color;
  Color.SetSize(16, 16);
  Color.Canvas()->Brush()->SetColor(clRed);
  Color.Canvas()->FillRect(Rect(0, 0, 16, 16));
  TBitmap Mask;
  Mask.SetMonochrome(true);
  Mask.SetSize(16, 16);
  Mask.Canvas()->Brush()->SetColor(clBlack);
  Mask.Canvas()->FillRect(Rect(4, 4, 12, 12));  // opaque in the middle only
  ICONINFO Info;
  Info.hbmColor = Color.Handle();
  Info.hbmMask = Mask.Handle();
  TIcon Icon;
  Icon.SetHandle(CreateIconIndirect(&Info));
  EXPECT_EQ(Icon.Width(), 16);
  std::string File = std::string(ZUBQ_BINARY_DIR) + "/canvas-test.ico";
  Icon.SaveToFile(File);
  TPicture Pic;
  Pic.LoadFromFile(File);
  ASSERT_NE(dynamic_cast<TIcon*>(Pic.Graphic()), nullptr);
  TBitmap Target;
  Target.SetSize(16, 16);
  Target.Canvas()->Draw(0, 0, Pic.Graphic());
  EXPECT_EQ(Target.Canvas()->Pixels(0, 0), clWhite);
  EXPECT_EQ(Target.Canvas()->Pixels(8, 8), clRed);
  std::filesystem::remove(File);
  EXPECT_THROW(Pic.LoadFromFile("picture.xyz"), EInvalidGraphic);
  // Asking for a bitmap replaces the icon; assigning a picture copies its graphic.
  Pic.Bitmap()->SetSize(3, 3);
  TPicture Copy;
  Copy.Assign(&Pic);
  EXPECT_EQ(Copy.Width(), 3);
  EXPECT_NE(Copy.Graphic(), Pic.Graphic());
}

TEST(Metafile, PlayedAtTwiceTheSizeScales) {
  TMetafile M;
  M.SetWidth(50);
  M.SetHeight(30);
  {
    TMetafileCanvas C(&M, 0);
    C.Brush()->SetColor(clRed);
    C.Pen()->SetColor(clRed);
    C.Rectangle(10, 5, 20, 15);
    C.Font()->SetName("Courier New");
    C.Font()->SetSize(10);
    C.Font()->SetColor(clBlue);
    C.Brush()->SetStyle(bsClear);
    C.TextOut(25, 5, "ab");
  }
  ASSERT_FALSE(M.Empty());
  // The box of pixels of one colour (Color) or, with Other set, of any colour but white and red.
  auto InkOf = [](TBitmap& B, TColor Color, bool Other = false) {
    TRect R{B.Width(), B.Height(), 0, 0};
    for (int Y = 0; Y < B.Height(); ++Y) {
      for (int X = 0; X < B.Width(); ++X) {
        TColor P = B.Canvas()->Pixels(X, Y);
        if (Other ? (P != clWhite && P != clRed) : P == Color) {
          R = Rect(std::min<LONG>(R.Left, X), std::min<LONG>(R.Top, Y), std::max<LONG>(R.Right, X + 1),
                   std::max<LONG>(R.Bottom, Y + 1));
        }
      }
    }
    return R;
  };
  TBitmap One;
  One.SetSize(50, 30);
  One.Canvas()->Draw(0, 0, &M);
  EXPECT_EQ(InkOf(One, clRed), Rect(10, 5, 20, 15));
  TBitmap Two;
  Two.SetSize(100, 60);
  Two.Canvas()->StretchDraw(Rect(0, 0, 100, 60), &M);
  EXPECT_EQ(InkOf(Two, clRed), Rect(20, 10, 40, 30));
  // The text grows with it: two 8-pixel characters become about 32 pixels.
  TRect Small = InkOf(One, clBlue, true), Big = InkOf(Two, clBlue, true);
  EXPECT_GE(Big.Left, 50);
  EXPECT_NEAR(Big.Width(), 2 * Small.Width(), 3);
  EXPECT_NEAR(Big.Height(), 2 * Small.Height(), 3);
  // Without a size the picture takes the extent of what was drawn.
  TMetafile Auto;
  {
    TMetafileCanvas C(&Auto, 0);
    C.FillRect(Rect(0, 0, 7, 9));
  }
  EXPECT_EQ(Auto.Width(), 7);
  EXPECT_EQ(Auto.Height(), 9);
}

}  // namespace
