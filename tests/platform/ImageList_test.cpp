// Tests of image lists: adding strips and masked images, drawing styles (transparent, background, blending,
// mask, overlays, disabled), change links and the cursor values.
#include "platform/graphics/ImgList.h"

#include <gtest/gtest.h>

namespace {

// A strip of two 4x4 images: image 0 red with a fuchsia border, image 1 blue.
std::unique_ptr<TBitmap> Strip() {
  auto B = std::make_unique<TBitmap>();
  B->SetSize(8, 4);
  TCanvas* C = B->Canvas();
  C->Brush()->SetColor(clFuchsia);
  C->FillRect(Rect(0, 0, 4, 4));
  C->Brush()->SetColor(clRed);
  C->FillRect(Rect(1, 1, 3, 3));
  C->Brush()->SetColor(clBlue);
  C->FillRect(Rect(4, 0, 8, 4));
  return B;
}

std::unique_ptr<TBitmap> Target(TColor Fill = clYellow) {
  auto T = std::make_unique<TBitmap>();
  T->SetSize(10, 10);
  T->Canvas()->Brush()->SetColor(Fill);
  T->Canvas()->FillRect(Rect(0, 0, 10, 10));
  return T;
}

class ImageList : public ::testing::Test {
protected:
  void SetUp() override {
    L.SetWidth(4);
    L.SetHeight(4);
    auto S = Strip();
    EXPECT_EQ(L.AddMasked(S.get(), clFuchsia), 0);
  }
  TImageList L{nullptr};
};

TEST_F(ImageList, StripsBecomeImagesAndMaskedColoursShowThrough) {
  EXPECT_EQ(L.Count(), 2);
  auto T = Target();
  L.Draw(T->Canvas(), 2, 2, 0);
  EXPECT_EQ(T->Canvas()->Pixels(2, 2), clYellow);  // the fuchsia border is see-through
  EXPECT_EQ(T->Canvas()->Pixels(3, 3), clRed);
  L.Draw(T->Canvas(), 2, 2, 1);
  EXPECT_EQ(T->Canvas()->Pixels(2, 2), clBlue);
  // A background colour fills the see-through part unless the style is transparent.
  L.SetBkColor(clGreen);
  L.Draw(T->Canvas(), 0, 0, 0);
  EXPECT_EQ(T->Canvas()->Pixels(0, 0), clGreen);
  L.DrawingStyle = dsTransparent;
  auto U = Target();
  L.Draw(U->Canvas(), 0, 0, 0);
  EXPECT_EQ(U->Canvas()->Pixels(0, 0), clYellow);
  // GetBitmap: the masked colour was turned black in the image.
  TBitmap B;
  L.SetBkColor(clNone);
  ASSERT_TRUE(L.GetBitmap(0, &B));
  EXPECT_EQ(B.Width(), 4);
  EXPECT_EQ(B.Canvas()->Pixels(1, 1), clRed);
}

TEST_F(ImageList, BlendMaskAndOverlayStyles) {
  auto T = Target(clWhite);
  HDC DC = T->Canvas()->Handle();
  ImageList_DrawEx(L.Handle(), 1, DC, 0, 0, 0, 0, CLR_NONE, RGB(255, 255, 255), ILD_BLEND50);
  EXPECT_EQ(T->Canvas()->Pixels(0, 0), static_cast<TColor>(RGB(127, 127, 255)));
  // The default blend colour is the highlight colour.
  ImageList_DrawEx(L.Handle(), 1, DC, 4, 4, 0, 0, CLR_NONE, CLR_DEFAULT, ILD_BLEND50);
  COLORREF H = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_EQ(T->Canvas()->Pixels(4, 4), static_cast<TColor>(RGB(GetRValue(H) / 2, GetGValue(H) / 2, (255 + GetBValue(H)) / 2)));
  auto M = Target(clYellow);
  ImageList_Draw(L.Handle(), 0, M->Canvas()->Handle(), 0, 0, ILD_MASK);
  EXPECT_EQ(M->Canvas()->Pixels(0, 0), clYellow);
  EXPECT_EQ(M->Canvas()->Pixels(1, 1), clBlack);
  // Overlay 0 is image 0 (red centre) drawn over image 1.
  ASSERT_TRUE(L.Overlay(0, 0));
  auto O = Target();
  L.DrawOverlay(O->Canvas(), 0, 0, 1, 0);
  EXPECT_EQ(O->Canvas()->Pixels(0, 0), clBlue);
  EXPECT_EQ(O->Canvas()->Pixels(1, 1), clRed);
}

TEST_F(ImageList, DisabledImagesAreEmbossed) {
  auto T = Target(clBtnFace);
  L.Draw(T->Canvas(), 0, 0, 1, false);
  EXPECT_EQ(T->Canvas()->Pixels(0, 0), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(T->Canvas()->Pixels(4, 4), static_cast<TColor>(GetSysColor(COLOR_BTNHIGHLIGHT)));
}

TEST_F(ImageList, EditingNotifiesChangeLinks) {
  int Seen = 0;
  {
    TChangeLink Link;
    Link.OnChange = [&](TObject* Sender) {
      EXPECT_EQ(Sender, &L);
      ++Seen;
    };
    L.RegisterChanges(&Link);
    L.Delete(0);
    EXPECT_EQ(L.Count(), 1);
    EXPECT_THROW(L.Delete(5), EInvalidOperation);
    L.BeginUpdate();
    L.Clear();
    L.Clear();
    L.EndUpdate();
    EXPECT_EQ(Seen, 2);
    // Icons keep their masks.
    TBitmap Color;
    Color.SetSize(4, 4);
    TBitmap Mask;
    Mask.SetMonochrome(true);
    Mask.SetSize(4, 4);
    Mask.Canvas()->Brush()->SetColor(clBlack);
    Mask.Canvas()->FillRect(Rect(0, 0, 2, 4));
    ICONINFO Info;
    Info.hbmColor = Color.Handle();
    Info.hbmMask = Mask.Handle();
    TIcon Icon;
    Icon.SetHandle(CreateIconIndirect(&Info));
    EXPECT_EQ(L.AddIcon(&Icon), 0);
    auto T = Target();
    L.Draw(T->Canvas(), 0, 0, 0);
    EXPECT_EQ(T->Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(T->Canvas()->Pixels(3, 0), clYellow);
  }
  L.Clear();  // the link is gone: nothing to tell
  EXPECT_EQ(Seen, 3);
}

TEST(Cursors, StandardValuesMapToSystemCursors) {
  EXPECT_EQ(crHourGlass, -11);
  EXPECT_EQ(crHandPoint, -21);
  EXPECT_EQ(CursorOfTCursor(crIBeam), static_cast<HCURSOR>(IDC_IBEAM));
  EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(IDC_ARROW)), static_cast<HCURSOR>(IDC_ARROW));
  EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(1)), 0u);
  HCURSOR Old = SetCursor(LoadCursor(nullptr, MAKEINTRESOURCE(IDC_WAIT)));
  EXPECT_EQ(GetCursor(), static_cast<HCURSOR>(IDC_WAIT));
  SetCursor(Old);
}

}  // namespace
