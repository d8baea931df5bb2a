// Tests of the HTML highlighter inside an edit source: lines are lexed only as far as something asks for them,
// edits re-lex only what they must, and the lazily lexed styles equal those of lexing the whole text afresh.
#include "EditorTestSupport.h"

#include "editor/Easyeditorparser.h"
#include "platform/classes/Streams.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// Records which lines the source had lexed.
class TCountingParser : public TEasyEditorParser {
public:
  explicit TCountingParser(TComponent* AOwner) : TEasyEditorParser(AOwner) {}
  std::set<int> Lexed;
  int ParseString(int& State, const std::string& Line, int& Pos) override {
    Lexed.insert(CurrentLine);
    return TEasyEditorParser::ParseString(State, Line, Pos);
  }
};

// 20 lines of markup with an embedded style sheet and script, repeated.
std::string LargeDocument(int Blocks) {
  const std::string Block =
      "<div class=\"item\" id=\"d\">\n"
      "<p>Plain text &amp; more text</p>\n"
      "<p>More plain words here</p>\n"
      "<style type=\"text/css\">\n"
      "p { color: red; margin: 0 }\n"
      "</style>\n"
      "<script>\n"
      "var n = 1; // one\n"
      "</script>\n"
      "<!-- a comment\n"
      "     over two lines -->\n"
      "<ul>\n"
      "<li>one</li>\n"
      "<li>two</li>\n"
      "</ul>\n"
      "<p>Closing words of the block</p>\n"
      "<img src=\"a.png\" alt=\"a\">\n"
      "<p>x</p>\n"
      "<p>y</p>\n"
      "</div>\n";
  std::string Text;
  for (int I = 0; I < Blocks; ++I) {
    Text += Block;
  }
  return Text;
}

class SourceLexing : public ::testing::Test {
protected:
  void SetUp() override {
    TEasySourceOptions O = DefaultSourceOptions;
    O.Exclude(srHighlightUrls);  // only the highlighter writes styles here
    Source->SetOptions(O);
    Parser->LoadRulesFromFile(std::string(ZUBQ_SOURCE_DIR) + "/data/ParserRules/html.xs");
    std::unique_ptr<TStringStream> In(new TStringStream(LargeDocument(300)));
    Source->LoadFromStream(In.get());
    Source->SetParser(Parser.get());
    Parser->Lexed.clear();
  }
  // What an editor does before it paints rows First to Last.
  void Show(int First, int Last) {
    for (int Row = First; Row <= Last; ++Row) {
      Source->ParseToString(Row);
    }
  }
  std::set<int> Take() {
    std::set<int> R;
    R.swap(Parser->Lexed);
    return R;
  }
  static std::set<int> Range(int First, int Last) {
    std::set<int> R;
    for (int I = First; I <= Last; ++I) {
      R.insert(I);
    }
    return R;
  }
  TOwned<TEasyEditSource> Source{nullptr};
  TOwned<TCountingParser> Parser{nullptr};
};

TEST_F(SourceLexing, OnlyRequestedRowsAndWhatLeadsToThemAreLexed) {
  ASSERT_EQ(Source->Strings()->Count(), 6000);
  EXPECT_EQ(Parser->RulesError(), "");
  EXPECT_TRUE(Take().empty());  // attaching lexes nothing
  Show(0, 39);
  EXPECT_EQ(Take(), Range(0, 39));
  // Jumping to the middle lexes the lines in between (their states lead there) and nothing below the view.
  Show(3000, 3039);
  EXPECT_EQ(Take(), Range(40, 3039));
  Show(3000, 3039);
  EXPECT_TRUE(Take().empty());
}

TEST_F(SourceLexing, EditsInTheMiddleLexOnlyWhatTheyMust) {
  Show(3000, 3039);
  Take();
  // Typing that leaves the line's end state alone: that line only.
  Source->JumpTo(3, 3001);
  Source->InsertString("new ");
  Show(3000, 3039);
  EXPECT_EQ(Take(), Range(3001, 3001));
  // Opening a comment changes the states below, down to the line where the block's own comment ends and the
  // states agree again (line 3010): the lines from there on keep their styles.
  Source->JumpTo(0, 3002);
  Source->InsertString("<!--");
  Show(3000, 3039);
  EXPECT_EQ(Take(), Range(3002, 3009));
  EXPECT_EQ(Source->Strings()->GetData(3003, 1), Parser->GetStyleByName("tcomment"));
  // Opening one that is closed only below the view (line 3050) re-lexes down to the last visible row.
  Source->JumpTo(0, 3031);
  Source->InsertString("<!--");
  Show(3000, 3039);
  EXPECT_EQ(Take(), Range(3031, 3039));
  // Breaking a line marks everything below it, but only the visible rows are lexed.
  Source->JumpTo(2, 3020);
  Source->BreakString();
  Show(3000, 3039);
  const std::set<int> AfterBreak = Take();
  EXPECT_GE(*AfterBreak.begin(), 3020);
  EXPECT_LE(*AfterBreak.rbegin(), 3039);
  // Nothing asked for the rows below the view, so nothing lexed them; the first request there does.
  Show(5990, 5990);
  EXPECT_EQ(*Take().rbegin(), 5990);
}

TEST_F(SourceLexing, LazyStylesEqualAFreshLexingOfTheWholeText) {
  Show(0, 2000);
  Source->JumpTo(0, 1500);
  Source->InsertString("<!--");
  Source->JumpTo(5, 1510);
  Source->InsertString("-->");
  Source->JumpTo(0, 700);
  Source->BreakString();
  Source->JumpTo(0, 100);
  Source->DeleteString(3);
  TEasyStrings* Lines = Source->Strings();
  Show(0, Lines->Count() - 1);
  int State = 0;
  std::vector<int> Styles;
  for (int L = 0; L < Lines->Count(); ++L) {
    const std::string Text = Lines->GetStr(L);
    EasyLexLine(Parser.get(), State, Text, Styles);
    for (int C = 0; C < static_cast<int>(Text.size()); ++C) {
      ASSERT_EQ(static_cast<int16_t>(Lines->GetData(L, C + 1)), Styles[C]) << "line " << L << " column " << C + 1;
    }
    ASSERT_EQ(Lines->GetState(L), State) << "line " << L;
  }
}

// Text and attribute values are what live spelling checks; markup is not; addresses get the URL style.
TEST(SourceLexingHtml, SpellingAndAddressesFollowTheTokens) {
  TOwned<TEasyEditSource> Source(nullptr);
  TOwned<TEasyEditorParser> Parser(nullptr);
  Parser->LoadRulesFromFile(std::string(ZUBQ_SOURCE_DIR) + "/data/ParserRules/html.xs");
  TEasySourceOptions O = DefaultSourceOptions;
  O.Include(srLiveSpell);
  Source->SetOptions(O);
  Source->OnWordSpell = [](TObject*, const std::string& Word, bool& Correct) {
    Correct = Word != "Helo" && Word != "clas" && Word != "titel";
  };
  std::unique_ptr<TStringStream> In(new TStringStream("<p clas=\"x\" title=\"titel\">Helo http://www.example.com/</p>\n"));
  Source->LoadFromStream(In.get());
  Source->SetParser(Parser.get());
  Source->ParseToString(0);
  TEasyStrings* L = Source->Strings();
  const std::string Line = L->GetStr(0);
  auto At = [&](const std::string& Needle) { return static_cast<int>(Line.find(Needle)) + 1; };
  const int Ident = Parser->GetStyleByName("tident");
  const int String = Parser->GetStyleByName("tstring");
  EXPECT_EQ(L->GetData(0, At("clas")), Ident);  // an attribute name: not checked
  EXPECT_EQ(static_cast<Word>(L->GetData(0, At("titel"))), static_cast<Word>(String + 32767));
  EXPECT_EQ(static_cast<Word>(L->GetData(0, At("Helo"))), static_cast<Word>(String + 32767));
  EXPECT_EQ(L->GetData(0, At("http")), Parser->GetStyleByName("turl"));
  EXPECT_EQ(L->GetData(0, At("example")), Parser->GetStyleByName("turl"));
}

}  // namespace
