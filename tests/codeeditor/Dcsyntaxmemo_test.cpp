// The scheme-driven tokenizer in a code editor control: which block, token and attribute lie under a position or
// the caret.
#include "codeeditor/Dcsyntaxparser.h"
#include "codeeditor/Vuvudi.h"
#include "tests/codeeditor/HtmlScheme.h"
#include "tests/suitebase/SuiteEnvironment.h"
#include "tests/support/Forms.h"

using namespace Dcsyntax;

namespace {
class DcsyntaxMemo : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    TFormTest::SetUp();
    Form->SetBounds(40, 40, 640, 400);
    Memo = TestSupport::Make<Vuvudi::ZEZMemo>(Form, Form, TRect{0, 0, 600, 340});
    Parser = new TSyntaxParser(Form);
    TSyntaxScheme Scheme;
    HtmlScheme::Build(&Scheme);
    Parser->SetSyntaxScheme(&Scheme);
    Memo->GetSource()->SetSyntaxParser(Parser);
    Form->Show();
    Memo->SetText("<p class=\"x\">Hi</p>\n<script>\nvar a = 'b'; // c\n</script>\n");
    Harness::RunUntilIdle();
  }
  std::string BlockAt(Integer X, Integer Y) {
    TSyntaxBlock* B = GetSyntaxBlockAt(Memo, TPoint{X, Y});
    return B != nullptr ? B->Name : "(none)";
  }
  Vuvudi::ZEZMemo* Memo = nullptr;
  TSyntaxParser* Parser = nullptr;
};
}  // namespace

TEST_F(DcsyntaxMemo, ItemInfoNamesTheBlockTokenAndAttributeUnderAPosition) {
  EXPECT_EQ(BlockAt(0, 0), "Default");
  EXPECT_EQ(BlockAt(2, 0), "Tag");
  EXPECT_EQ(BlockAt(5, 0), "Attributes");
  EXPECT_EQ(BlockAt(15, 0), "Default");
  EXPECT_EQ(BlockAt(2, 2), "JavaScript") << "a line inside the script starts in its block";
  EXPECT_EQ(BlockAt(0, 2), "JavaScript") << "an empty prefix reports the block the line starts in";

  const TSyntaxItemInfo Keyword = GetItemInfoAt(Memo, TPoint{3, 2});
  EXPECT_EQ(Keyword.TokenKind, skKeyword);
  ASSERT_NE(Keyword.Item, nullptr);
  EXPECT_EQ(Keyword.Item, Keyword.Block->KeywordSets->GetItem(0));
  ASSERT_NE(Keyword.Attr, nullptr);
  EXPECT_EQ(Keyword.Attr->FontID, HtmlScheme::JsKeyword);

  const TSyntaxItemInfo String = GetItemInfoAt(Memo, TPoint{10, 2});
  EXPECT_EQ(String.TokenKind, skSingleLineString);
  EXPECT_EQ(String.Item, String.Block->SingleLineStringDelimiters->GetItem(1));

  const TSyntaxItemInfo Comment = GetItemInfoAt(Memo, TPoint{17, 2});
  EXPECT_EQ(Comment.TokenKind, skSingleLineComment);
  EXPECT_EQ(Comment.Attr->FontID, HtmlScheme::JsComment);

  EXPECT_EQ(GetItemInfoAt(Memo, TPoint{0, 99}).Block, nullptr) << "no such line";
  Memo->SetCaretPoint(TPoint{5, 2});
  ASSERT_NE(GetSyntaxBlockAtCursor(Memo), nullptr);
  EXPECT_EQ(GetSyntaxBlockAtCursor(Memo)->Name, "JavaScript");
}

TEST_F(DcsyntaxMemo, TheSourceKeepsTheSchemesAttributeNumbersAndTheParserItsFonts) {
  const std::string Colour = Memo->GetSource()->GetColorData(2);
  ASSERT_EQ(Colour.size(), std::string("var a = 'b'; // c").size());
  EXPECT_EQ(Colour[0], HtmlScheme::JsKeyword);
  EXPECT_EQ(Colour[8], HtmlScheme::JsString);
  EXPECT_EQ(Colour[13], HtmlScheme::JsComment);
  Parser->SyntaxScheme()->FontTable()->GetItemByID(HtmlScheme::JsKeyword)->Font()->SetColor(clBlue);
  Parser->SyntaxScheme()->SchemeChanged();
  EXPECT_EQ(Parser->GetFont(HtmlScheme::JsKeyword)->Color(), clBlue);
}

namespace {
struct TChangeCounter {
  int Count = 0;
  void Hit(TObject*, NativeInt, NativeInt) { ++Count; }
};
}  // namespace

TEST_F(DcsyntaxMemo, AParserOnTheGlobalOptionsFollowsTheirChanges) {
  TChangeCounter Counter;
  Parser->ChangeListeners->AddMethod(Dorazori::TNotifierProc::Of<&TChangeCounter::Hit>(&Counter));
  Vuvudi::GlobalMemoOptions()->Changed();
  EXPECT_EQ(Counter.Count, 0);  // a parser with its own fonts takes no notice
  Parser->SetUseGlobalOptions(true);
  const int Before = Counter.Count;
  Vuvudi::GlobalMemoOptions()->Changed();
  EXPECT_EQ(Counter.Count, Before + 1);
  Parser->ChangeListeners->DeleteWithData(&Counter);
}
