// The combo box's selection-end and deletion events, and the image combo box: drawing its entries with images,
// overlays and indents, filling entries lazily, and its item height.
#include "shell/Uptimagecombo.h"

#include "platform/controls/TestHarness.h"
#include "platform/win/ListControls.h"
#include "platform/win/Messages.h"
#include "platform/win/VirtualKeys.h"
#include "platform/win/WinMenu.h"
#include "tests/support/Forms.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

TColor C(TColor Color) { return static_cast<TColor>(ColorToRGB(Color)); }

// An image list of square images in solid colours.
std::unique_ptr<TImageList> SolidImages(int Size, const std::vector<TColor>& Colors) {
  auto List = std::make_unique<TImageList>(nullptr);
  List->SetWidth(Size);
  List->SetHeight(Size);
  for (TColor Colour : Colors) {
    TBitmap Bmp;
    Bmp.SetSize(Size, Size);
    Bmp.Canvas()->Brush()->SetColor(Colour);
    Bmp.Canvas()->FillRect(Rect(0, 0, Size, Size));
    List->Add(&Bmp, nullptr);
  }
  return List;
}

class ImageCombo : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    TFormTest::SetUp();
    Images = SolidImages(16, {clRed, clBlue});
    Combo = TestSupport::Make<TPTImageCombo>(Form, Form, Rect(10, 10, 200, 24));
    Combo->SetColor(clWhite);
    Combo->SetImageList(Images.get());
    Form->Show();
    Harness::RunUntilIdle();
  }
  void TearDown() override {
    TFormTest::TearDown();
    Images.reset();
  }
  // Has the box draw entry Index on a 200 x 16 bitmap, as its list or field would.
  void DrawEntry(TBitmap& Bmp, int Index, UINT State) {
    Bmp.SetSize(200, 16);
    Bmp.Canvas()->Brush()->SetColor(clLime);
    Bmp.Canvas()->FillRect(Rect(0, 0, 200, 16));
    DRAWITEMSTRUCT D;
    D.CtlType = ODT_COMBOBOX;
    D.itemID = static_cast<UINT>(Index);
    D.itemState = State;
    D.hwndItem = Combo->Handle();
    D.hDC = Bmp.Canvas()->Handle();
    D.rcItem = Rect(0, 0, 200, 16);
    SendMessage(Form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&D));
  }
  std::unique_ptr<TImageList> Images;
  TPTImageCombo* Combo = nullptr;
};

TEST_F(ImageCombo, DrawsTheImageAndCaptionOfAnEntryAtItsIndent) {
  Combo->AddItem("Docs", 0, 2);
  TBitmap Bmp;
  DrawEntry(Bmp, 0, 0);
  TCanvas* Px = Bmp.Canvas();
  EXPECT_EQ(Px->Pixels(25, 8), C(clWhite));  // the row is filled with the box's colour
  EXPECT_EQ(Px->Pixels(26, 8), C(clRed));    // 12 x 2 + 2
  EXPECT_EQ(Px->Pixels(41, 8), C(clRed));
  EXPECT_EQ(Px->Pixels(42, 8), C(clWhite));
  // The caption from 45 (16 + 4 + 24 + 1): dark pixels there, none between image and caption.
  int Ink = 0;
  for (int X = 45; X < 80; ++X) {
    for (int Y = 0; Y < 16; ++Y) {
      Ink += Px->Pixels(X, Y) != C(clWhite) ? 1 : 0;
    }
  }
  EXPECT_GT(Ink, 0);
  for (int X = 42; X < 45; ++X) {
    EXPECT_EQ(Px->Pixels(X, 8), C(clWhite)) << X;
  }
  // Selected: the caption's rectangle in the highlight colour from 45, the image blended with it.
  DrawEntry(Bmp, 0, ODS_SELECTED);
  EXPECT_EQ(Px->Pixels(44, 15), C(clWhite));
  EXPECT_EQ(Px->Pixels(45, 15), C(clHighlight));
  EXPECT_NE(Px->Pixels(30, 8), C(clRed));
  EXPECT_NE(Px->Pixels(30, 8), C(clWhite));
  // In the closed box's field the same entry draws without indent.
  DrawEntry(Bmp, 0, ODS_COMBOBOXEDIT);
  EXPECT_EQ(Px->Pixels(2, 8), C(clRed));
  EXPECT_EQ(Px->Pixels(1, 8), C(clWhite));
  EXPECT_EQ(Px->Pixels(26, 8), C(clWhite));
}

TEST_F(ImageCombo, DrawsAnOverlayOverTheImage) {
  Images->Overlay(1, 0);
  TPTImageComboItem* Item = Combo->AddItem("x", 0, 0);
  Item->SetOverlayIndex(0);
  TBitmap Bmp;
  DrawEntry(Bmp, 0, 0);
  EXPECT_EQ(Bmp.Canvas()->Pixels(8, 8), C(clBlue));
}

TEST_F(ImageCombo, FillsAnEntryWhenDrawnUntilItHasACaptionAndImage) {
  TPTImageComboItem* Item = Combo->AddItem("", -1, 1);
  int Asked = 0;
  Combo->OnGetItemData = [&](TObject*, TPTImageComboItem* I) {
    ++Asked;
    if (Asked == 2) {
      I->SetCaption("Filled");
      I->SetImageIndex(1);
    }
  };
  TBitmap Bmp;
  DrawEntry(Bmp, 0, 0);
  EXPECT_EQ(Asked, 1);
  EXPECT_EQ(Bmp.Canvas()->Pixels(14, 8), C(clWhite));  // no image yet
  DrawEntry(Bmp, 0, 0);
  EXPECT_EQ(Asked, 2);
  EXPECT_EQ(Item->Caption(), "Filled");
  EXPECT_EQ(Bmp.Canvas()->Pixels(14, 8), C(clBlue));
  DrawEntry(Bmp, 0, 0);
  EXPECT_EQ(Asked, 2);
}

TEST_F(ImageCombo, ItsItemHeightFollowsTheFontAndTheImages) {
  EXPECT_EQ(Combo->ItemHeight(), 16);  // text height 13 + 2 < 16-pixel images
  Combo->AddItem("a", 0, 0);
  Combo->AddItem("b", 1, 0);
  auto Small = SolidImages(8, {clGreen});
  Combo->SetImageList(Small.get());
  EXPECT_EQ(Combo->ItemHeight(), 15);
  EXPECT_EQ(Combo->ItemCount(), 2);  // the entries stay
  // A freed image list is forgotten.
  Small.reset();
  EXPECT_EQ(Combo->ImageList(), nullptr);
  TFont Big;
  Big.SetHeight(-24);
  Combo->SetFont(&Big);
  EXPECT_GT(Combo->ItemHeight(), 24);
  EXPECT_EQ(Combo->ItemCount(), 2);
}

TEST_F(ImageCombo, DeletingEntriesFreesThemAndTellsTheOwner) {
  std::vector<void*> Deleted;
  Combo->OnDeleteItem = [&](TObject*, void* Item) { Deleted.push_back(Item); };
  TPTImageComboItem* A = Combo->AddItem("a", 0, 0);
  TPTImageComboItem* B = Combo->AddItem("b", 0, 1);
  TPTImageComboItem* D = Combo->AddItem("d", 0, 1);
  EXPECT_EQ(Combo->GetImageComboItem(1), B);
  EXPECT_EQ(B->Index(), 1);
  Combo->Items()->Delete(1);
  EXPECT_EQ(Deleted, (std::vector<void*>{B}));
  EXPECT_EQ(Combo->GetImageComboItem(1), D);
  Combo->ClearItems();
  EXPECT_EQ(Deleted, (std::vector<void*>{B, A, D}));
  EXPECT_EQ(Combo->ItemCount(), 0);
  // Entries left when the box goes are freed with it.
  Combo->AddItem("e", 0, 0);
  delete Combo;
  EXPECT_EQ(Deleted.size(), 4u);
}

TEST_F(ImageCombo, ChoosingFromTheListReportsTheEndOfTheSelection) {
  Combo->AddItem("a", 0, 0);
  Combo->AddItem("b", 1, 1);
  Combo->SetItemIndex(0);
  std::vector<std::string> Events;
  Combo->OnSelEndOk = [&](TObject*) { Events.push_back("ok:" + std::to_string(Combo->ItemIndex())); };
  Combo->OnSelEndCancel = [&](TObject*) { Events.push_back("cancel"); };
  Combo->OnCloseUp = [&](TObject*) { Events.push_back("closeup"); };
  Combo->SetFocus();
  Harness::RunUntilIdle();
  // Down opens the list (the extended keyboard interface).
  Harness::KeyPress(VK_DOWN);
  Harness::RunUntilIdle();
  EXPECT_TRUE(Combo->DroppedDown());
  Combo->SetDroppedDown(false);
  Harness::RunUntilIdle();
  EXPECT_EQ(Events, (std::vector<std::string>{"cancel", "closeup"}));
  EXPECT_EQ(Combo->ItemIndex(), 0);
}

TEST(Combobox, TellsTheOwnerOfEveryEntryWithDataThatGoesAway) {
  Harness::Start();
  auto* Form = TestSupport::Make<TForm>(Application);
  auto* Box = TestSupport::Make<TPTCombobox>(Form, Form, Rect(0, 0, 120, 24));
  std::vector<void*> Deleted;
  Box->OnDeleteItem = [&](TObject*, void* Item) { Deleted.push_back(Item); };
  TObject A, B;
  Box->Items()->AddObject("a", &A);
  Box->Items()->Add("plain");
  Box->Items()->AddObject("b", &B);
  Box->Items()->Delete(1);  // no data: nothing to tell
  EXPECT_TRUE(Deleted.empty());
  Box->Items()->Clear();
  EXPECT_EQ(Deleted, (std::vector<void*>{&A, &B}));
  delete Form;
}

}  // namespace
