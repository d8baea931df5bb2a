// The editor's chrome objects: gutter and margin pens, the gutter's laid-out width, line-number digits, named
// line styles, the colours in effect with and without focus, and formatting-mark strings.
#include "tests/editor/EditorWindowSupport.h"

namespace {

class Chrome : public EditorWindowTest {};

TEST_F(Chrome, PensAreLimitedToTwoPixels) {
  Edit->Gutter()->Pen()->SetWidth(5);
  EXPECT_EQ(Edit->Gutter()->Pen()->Width(), 2);
  Edit->Margin()->Pen()->SetWidth(5);
  EXPECT_EQ(Edit->Margin()->Pen()->Width(), 2);
  TPen Wide;
  Wide.SetWidth(4);
  Edit->LineDivider()->SetPen(&Wide);
  EXPECT_EQ(Edit->LineDivider()->Pen()->Width(), 2);
}

TEST_F(Chrome, TheGutterWidthFollowsItsOptionAndTheNumbersOnIt) {
  EXPECT_EQ(Edit->Gutter()->GetWidth(), 32);
  TEasyEditorOptions O = Edit->Options();
  O.Exclude(eoPaintGutter);
  Edit->SetOptions(O);
  EXPECT_EQ(Edit->Gutter()->GetWidth(), 0);
  O.Include(eoPaintGutter);
  Edit->SetOptions(O);
  std::string Text;
  for (int I = 0; I < 10000; ++I) {
    Text += "x\r\n";
  }
  Edit->GetLines()->SetTextBuffer(Text.data(), Text.size());
  Edit->LineNumbers()->SetStartFrom(1);  // numbers up to 10000
  Edit->LineNumbers()->SetOptions(TEasyLineNumbersOptions{lnPaintOnGutter});
  Edit->LineNumbers()->SetVisible(true);
  Edit->Gutter()->SetWidth(10);
  EXPECT_EQ(Edit->LineNumberDigits, 5);
  EXPECT_EQ(Edit->Gutter()->GetWidth(), Edit->LineNumberWidth) << "as wide as the number column";
  EXPECT_GT(Edit->LineNumberWidth, 10);
}

struct TDigitsCase {
  const char* Name;
  int Lines;
  int StartFrom;
  int Digits;
};

class LineNumberDigits : public EditorWindowTest, public ::testing::WithParamInterface<TDigitsCase> {};

TEST_P(LineNumberDigits, CountTheLargestNumberShown) {
  const TDigitsCase& C = GetParam();
  std::string Text;
  for (int I = 0; I < C.Lines; ++I) {
    Text += "x\r\n";
  }
  Edit->GetLines()->SetTextBuffer(Text.data(), Text.size());
  Edit->LineNumbers()->SetStartFrom(C.StartFrom);
  Edit->LineNumbers()->SetVisible(true);
  EXPECT_EQ(Edit->LineNumberDigits, C.Digits);
}

INSTANTIATE_TEST_SUITE_P(Cases, LineNumberDigits,
                         ::testing::Values(TDigitsCase{"NineFromOne", 9, 1, 1}, TDigitsCase{"TenFromOne", 10, 1, 2},
                                           TDigitsCase{"TenFromZero", 10, 0, 1},
                                           TDigitsCase{"HundredFromOne", 100, 1, 3}),
                         [](const ::testing::TestParamInfo<TDigitsCase>& I) { return std::string(I.param.Name); });

TEST_F(Chrome, LineStylesByNameAndTheirColours) {
  auto* Error = static_cast<TEasyLineStyle*>(Edit->LineStyles()->Add());
  Error->SetName("Error");
  Error->SetColor(clYellow);
  Error->SetBackColor(clRed);
  auto* Quiet = static_cast<TEasyLineStyle*>(Edit->LineStyles()->Add());
  Quiet->SetName("Quiet");
  Quiet->SetIgnoreColors(true);
  EXPECT_EQ(Edit->LineStyles()->IndexOfName("ERROR"), 0);
  EXPECT_EQ(Edit->LineStyles()->IndexOfName("missing"), -1);
  TColor Fore = 0, Back = 0;
  Edit->GetColorFromStyle(0, Fore, Back);
  EXPECT_EQ(Fore, clYellow);
  EXPECT_EQ(Back, clRed);
  Edit->GetColorFromStyle(1, Fore, Back);
  EXPECT_EQ(Fore, -1) << "a style that ignores colours keeps only its image";
  EXPECT_EQ(Back, -1);
  Edit->GetColorFromStyle(7, Fore, Back);
  EXPECT_EQ(Back, -1);
  TEasyEditorOptions O = Edit->Options();
  O.Exclude(eoInvertLineStyle);
  Edit->SetOptions(O);
  Edit->GetColorFromStyle(0, Fore, Back);
  EXPECT_EQ(Fore, -1);
  EXPECT_EQ(Back, clRed);
}

TEST_F(Chrome, AssigningAGutterLeavesItsBackColour) {
  auto* Other = new TEasyEdit(Form);
  Other->Gutter()->SetWidth(50);
  Other->Gutter()->SetBackColor(clRed);
  Edit->Gutter()->SetBackColor(clBlue);
  Edit->SetGutter(Other->Gutter());
  EXPECT_EQ(Edit->Gutter()->Width(), 50);
  EXPECT_EQ(Edit->Gutter()->BackColor(), clBlue);
}

TEST_F(Chrome, SelectionColoursDependOnFocus) {
  TEasyEditorColors* C = Edit->Colors();
  Form->SetFocus();
  Harness::RunUntilIdle();
  ASSERT_FALSE(Edit->IsFocused());
  EXPECT_EQ(C->GetSelBackColor(), C->InActiveSelBackColor);
  EXPECT_EQ(C->GetSelColor(), C->InActiveSelColor);
  Edit->SetFocus();
  Harness::RunUntilIdle();
  EXPECT_EQ(C->GetSelBackColor(), C->SelBackColor);
  C->SetInActiveSelColor(C->SelColor);
  Form->SetFocus();
  Harness::RunUntilIdle();
  EXPECT_EQ(C->GetSelColor(), C->SelColor) << "equal colours do not change on focus loss";
}

TEST_F(Chrome, TabMarksSitInsideTheirExpansion) {
  TEasySourceOptions SO = Edit->GetSourceOptions();
  SO.Include(srUseTab);
  Edit->SetSourceOptions(SO);
  Edit->GetLines()->SetText("abcd\tx\r\na\tb\r\n\ty");
  const char Space = static_cast<char>(183), Tab = static_cast<char>(187), Eol = static_cast<char>(182);
  // Expanded to 4 blanks: the mark on the second; to 7: on the third; to 8: on the fourth.
  EXPECT_EQ(Edit->GetFmtString(0), std::string("abcd") + Space + Tab + Space + Space + "x" + Eol);
  EXPECT_EQ(Edit->GetFmtString(1), std::string("a") + Space + Space + Tab + std::string(4, Space) + "b" + Eol);
  EXPECT_EQ(Edit->GetFmtString(2), std::string(3, Space) + Tab + std::string(4, Space) + "y" + Eol);
  Edit->OnGetFormattingMark = [](TObject*, TEasyFormattingMark Mark, char& C) {
    if (Mark == fmEol) {
      C = 0;
    }
  };
  EXPECT_EQ(Edit->GetFmtString(0).back(), 'x') << "no end-of-line mark";
}

}  // namespace

// The number column below the last line holds no number left over from a longer text shown before, with and
// without word wrap.
TEST_F(Chrome, TheNumberColumnBelowTheTextIsClearedWhenTheTextShrinks) {
  for (const bool Wrap : {false, true}) {
    std::string Long;
    for (int I = 0; I < 40; ++I) {
      Long += "line of text\r\n";
    }
    Edit->SetWordWrap(Wrap);
    Edit->LineNumbers()->SetVisible(true);
    Edit->GetLines()->SetTextBuffer(Long.data(), Long.size());
    (void)Snapshot(Edit, "gutter_long.png");
    Edit->GetLines()->SetTextBuffer("one", 3);
    const Harness::TSavedImage Image = Snapshot(Edit, "gutter_short.png");
    const TPoint O0 = ClientOrigin(Edit);
    const int LH = Edit->EasyPainter()->LineHeight();
    const int Left = Edit->Gutter()->GetWidth();
    const TRect Below = Rect(Left, 2 * LH, Left + Edit->LineNumberWidth, 8 * LH);
    EXPECT_FALSE(CellHas(Image, O0, Below, Argb(clBlack))) << "a number left below the text, wrap " << Wrap;
  }
}
