// The colour, pen-style and brush-style boxes: their items, the chosen value and what an item draws.
#include "tests/support/Forms.h"

#include "editor/Easycolorbox.h"
#include "platform/graphics/WinGdi.h"

namespace {

using TestSupport::Make;

class ColorBoxes : public TestSupport::TFormTest {
protected:
  // Draws item Index of a box into a bitmap and returns it.
  template <class T>
  std::unique_ptr<TBitmap> DrawnItem(T* Box, int Index) {
    auto B = std::make_unique<TBitmap>();
    B->SetSize(120, 16);
    Box->Canvas()->Lock();
    Box->Canvas()->SetHandle(B->Canvas()->Handle());
    Box->Canvas()->Brush()->SetColor(clWhite);
    Box->DrawItem(Index, Rect(0, 0, 120, 16), TOwnerDrawState{});
    Box->Canvas()->SetHandle(0);
    Box->Canvas()->Unlock();
    return B;
  }
};

TEST_F(ColorBoxes, TheColourBoxListsNamedColoursAndACustomOne) {
  auto* Box = Make<TEasyColorBox>(Form, Form, Rect(10, 10, 150, 22));
  Box->HandleNeeded();
  ASSERT_GT(Box->Items()->Count(), 20);
  EXPECT_EQ(Box->Items()->Strings(0), "Black");
  EXPECT_EQ(Box->Items()->Strings(Box->Items()->Count() - 1), "Custom");
  EXPECT_EQ(Box->ItemIndex(), 0);
  Box->SetSelectedColor(clRed);
  EXPECT_EQ(Box->Items()->Strings(Box->ItemIndex()), "Red");
  EXPECT_EQ(Box->SelectedColor(), clRed);
  // A colour without a name goes to the custom item.
  int Changes = 0;
  Box->OnChange = [&](TObject*) { ++Changes; };
  const TColor Odd = static_cast<TColor>(RGB(12, 34, 56));
  Box->SetSelectedColor(Odd);
  EXPECT_EQ(Box->ItemIndex(), Box->Items()->Count() - 1);
  EXPECT_EQ(Box->ItemColor(Box->ItemIndex()), Odd);
  EXPECT_EQ(Box->CustomColor(), Odd);
  EXPECT_EQ(Changes, 1);
  // Without custom colours the custom item goes, the first item is selected, and an unnamed colour selects
  // nothing.
  Box->SetUseCustomColor(false);
  EXPECT_NE(Box->Items()->Strings(Box->Items()->Count() - 1), "Custom");
  EXPECT_EQ(Box->ItemIndex(), 0);
  Box->SetSelectedColor(Odd);
  EXPECT_EQ(Box->ItemIndex(), -1);
  EXPECT_EQ(Box->SelectedColor(), -1);
  // A choice in the list becomes the selected colour.
  Box->SetItemIndex(2);
  SendMessage(Form->Handle(), WM_COMMAND, static_cast<WPARAM>(CBN_SELCHANGE) << 16, static_cast<LPARAM>(Box->Handle()));
  EXPECT_EQ(Box->SelectedColor(), Box->ItemColor(2));
  // An item draws its swatch in its colour and its name.
  Box->SetSelectedColor(clRed);
  auto B = DrawnItem(Box, Box->ItemIndex());
  EXPECT_EQ(B->Canvas()->Pixels(10, 8), clRed);
  EXPECT_EQ(B->Canvas()->Pixels(2, 8), clBlack) << "outline";
}

TEST_F(ColorBoxes, StyleBoxesListTheStylesAndReportTheChoice) {
  auto* Pens = Make<TEasyPenStyleBox>(Form, Form, Rect(10, 40, 150, 22));
  auto* Brushes = Make<TEasyBrushStyleBox>(Form, Form, Rect(10, 70, 150, 22));
  Pens->SetPenStyle(psDot);
  Pens->HandleNeeded();
  Brushes->HandleNeeded();
  ASSERT_EQ(Pens->Items()->Count(), 7);
  ASSERT_EQ(Brushes->Items()->Count(), 8);
  EXPECT_EQ(Pens->ItemIndex(), 2);
  Brushes->SetBrushStyle(bsCross);
  EXPECT_EQ(Brushes->ItemIndex(), 6);
  Pens->SetItemIndex(4);
  SendMessage(Form->Handle(), WM_COMMAND, static_cast<WPARAM>(CBN_SELCHANGE) << 16,
              static_cast<LPARAM>(Pens->Handle()));
  EXPECT_EQ(Pens->PenStyle(), psDashDotDot);
  auto Solid = DrawnItem(Brushes, 0);
  EXPECT_EQ(Solid->Canvas()->Pixels(15, 8), clBlack);
  auto Clear = DrawnItem(Brushes, 1);
  EXPECT_EQ(Clear->Canvas()->Pixels(15, 8), static_cast<TColor>(ColorToRGB(clInfoBk)));
  auto Line = DrawnItem(Pens, 0);
  EXPECT_EQ(Line->Canvas()->Pixels(60, 8), clBlack);
  EXPECT_EQ(Line->Canvas()->Pixels(60, 2), clWhite);
}

}  // namespace
