// The code editor's formatted text: the attribute table behind the selection attributes, its link entry, its
// overflow, the consistency mask and attributes set without a selection.
#include "codeeditor/Vuvudirich.h"

#include "tests/suitebase/SuiteEnvironment.h"
#include "tests/support/Forms.h"

using namespace Vuvudi;
using Dcstring::stNotSelected;
using Dcstring::stStreamSel;

namespace {
class VuvudiRich : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    TFormTest::SetUp();
    Form->SetBounds(40, 40, 640, 400);
    Memo = TestSupport::Make<ZEZMemo>(Form, Form, TRect{0, 0, 600, 340});
    Form->Show();
    Memo->SetText("abcdef\nghijkl\n");
    Harness::RunUntilIdle();
    Sel = GetSelAttributes(Memo);
    Parser = dynamic_cast<TAttributeParser*>(Source()->SyntaxParser());
  }
  Dcstring::TCustomMemoSource* Source() { return Memo->GetSource(); }
  void Select(Integer From, Integer To, Integer Line = 0) {
    Source()->SetSelection(stStreamSel, From, Line, To, Line);
    Sel = GetSelAttributes(Memo);
  }
  std::string Colours(Integer Line) {
    std::string C = Source()->GetColorData(Line);
    for (char& B : C) {
      B = static_cast<char>('0' + B);
    }
    return C;
  }
  ZEZMemo* Memo = nullptr;
  TMemoAttributes* Sel = nullptr;
  TAttributeParser* Parser = nullptr;
};
}  // namespace

TEST_F(VuvudiRich, SelectionAttributesSwitchTheControlToFormattedText) {
  ASSERT_NE(Parser, nullptr);
  EXPECT_EQ(Parser->Owner(), Memo);
  EXPECT_EQ(Parser->Count(), 1);
  EXPECT_EQ(Sel->Name(), Memo->Font()->Name());
  EXPECT_EQ(Colours(0), "000000");
}

TEST_F(VuvudiRich, BoldTwiceAddsNoEntry) {
  Select(1, 3);
  Sel->SetStyle(TFontStyles{fsBold});
  EXPECT_EQ(Colours(0), "011000");
  EXPECT_EQ(Parser->Count(), 2);
  Select(1, 3);
  Sel->SetStyle(TFontStyles{fsBold});
  EXPECT_EQ(Parser->Count(), 2);
  EXPECT_EQ(Colours(0), "011000");
  EXPECT_TRUE(Parser->GetFont(1)->Style().Contains(fsBold));
}

TEST_F(VuvudiRich, AColourOverThreeFontsKeepsThemAndAddsThreeEntries) {
  Select(0, 2);
  Sel->SetName("Liberation Serif");
  Select(2, 4);
  Sel->SetName("Liberation Sans");
  EXPECT_EQ(Colours(0), "112200");
  const Integer Before = Parser->Count();
  Select(0, 6);
  Sel->SetColor(clRed);
  EXPECT_EQ(Parser->Count(), Before + 3);
  const std::string C = Source()->GetStringItem(0)->ColorData;
  EXPECT_EQ(Parser->GetAttrFromIndex(C[0])->Name(), "Liberation Serif");
  EXPECT_EQ(Parser->GetAttrFromIndex(C[2])->Name(), "Liberation Sans");
  EXPECT_EQ(Parser->GetAttrFromIndex(C[4])->Name(), Memo->Font()->Name());
  for (const char B : C) {
    EXPECT_EQ(Parser->GetAttrFromIndex(B)->Color(), clRed);
  }
}

TEST_F(VuvudiRich, TheConsistencyMaskLacksWhatVariesOverTheSelection) {
  Select(0, 2);
  Sel->SetStyle(TFontStyles{fsBold});
  Select(0, 5);
  const TConsistentAttrs Mask = Sel->GetConsistentAttrs();
  EXPECT_EQ(Mask & csBold, 0);
  EXPECT_EQ(Mask & csStyle, 0);
  EXPECT_NE(Mask & csFace, 0);
  EXPECT_NE(Mask & csItalic, 0);
  Select(0, 2);
  EXPECT_EQ(Sel->GetConsistentAttrs(), csAllAttrs);
}

TEST_F(VuvudiRich, TheThirteenthSetGoesToIndexThirteenWithTwelveForLinks) {
  for (Integer I = 1; I <= 12; ++I) {
    TMemoAttributes A(nullptr);
    A.SetSize(10 + I);
    EXPECT_EQ(Parser->AddNewAttribute(&A), I < 12 ? I : 13) << I;
  }
  EXPECT_EQ(Parser->Count(), 14);
  EXPECT_EQ(Parser->GetAttrFromIndex(12)->TableIndex, 12);
  EXPECT_EQ(Parser->GetAttrFromIndex(12)->BkColor(), Memo->TextStyles()->GetItem(12)->Color());
}

TEST_F(VuvudiRich, AFullTableGivesZeroWhileUndoIsOnAndReusesFreeIndicesWhenAllowed) {
  for (Integer I = 1; Parser->Count() < 256; ++I) {
    TMemoAttributes A(nullptr);
    A.SetSize(I);
    (void)Parser->AddNewAttribute(&A);
  }
  ASSERT_TRUE(Source()->AllowUndo());
  TMemoAttributes Extra(nullptr);
  Extra.SetSize(999);
  EXPECT_EQ(Parser->AddNewAttribute(&Extra), 0);
  Sel->SetResetOnOverFlow(true);
  const Integer Reused = Parser->AddNewAttribute(&Extra);
  EXPECT_EQ(Reused, 1) << "the lowest index no character uses";
  EXPECT_EQ(Parser->GetAttrFromIndex(Reused)->Size(), 999);
  EXPECT_EQ(Parser->AddNewAttribute(&Extra), Reused);
}

TEST_F(VuvudiRich, WithoutASelectionTheNextTypedCharacterTakesTheAttributes) {
  Source()->SetSelectionType(stNotSelected);
  Source()->SetCaretPoint(TPoint{6, 0});
  TMemoAttributes Italic(Memo);
  Italic.SetStyle(TFontStyles{fsItalic});
  SetSelAttributes(Memo, &Italic);
  EXPECT_EQ(Colours(0), "000000") << "no text changes";
  Source()->InsertString("x");
  const std::string C = Source()->GetStringItem(0)->ColorData;
  ASSERT_EQ(C.size(), 7u);
  EXPECT_TRUE(Parser->GetAttrFromIndex(C[6])->Style().Contains(fsItalic));
  EXPECT_FALSE(Parser->GetAttrFromIndex(C[5])->Style().Contains(fsItalic));
}
