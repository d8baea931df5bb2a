// The scheme-driven tokenizer: block switching at part-of-block and outer delimiters, strings with a meta symbol,
// full-line comments, keyword case, the attribute table, state words and the limit on nesting chains.
#include "codeeditor/Dcsyntaxparser.h"

#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

using namespace Dcsyntax;

namespace {
constexpr char Root = 'r';     // root text
constexpr char Inner = 'i';    // the child block's text
constexpr char Str = 's';      // strings
constexpr char Comment = 'c';  // comments
constexpr char Key = 'k';      // keywords

TAttrItem* AddAttr(TSyntaxScheme* S, Integer Id, Integer Block = 0) {
  TAttrItem* A = S->FontTable()->AddItem();
  A->FontID = Id;
  A->BlockID = Block;
  return A;
}

// A scheme whose attribute numbers are the letters above, so a line's colour data reads as text.
class DcsyntaxParser : public ::testing::Test {
protected:
  void SetUp() override {
    P = std::make_unique<TSyntaxParser>(nullptr);
    S = P->SyntaxScheme();
    P->BeginUpdate();
    for (const char Id : {Root, Inner, Str, Comment, Key}) {
      AddAttr(S, Id);
    }
    RootBlock()->FIText = Root;
  }
  TSyntaxBlock* RootBlock() { return S->SyntaxBlocks()->GetItem(0); }
  TSyntaxBlock* AddChild(const std::string& Open, const std::string& Close, bool Part) {
    TSyntaxBlock* B = S->SyntaxBlocks()->AddItem();
    B->Name = "Child";
    B->ID = 1;
    B->ParentID = 0;
    B->FIText = Inner;
    TDelimiters* D = B->BlockDelimiters->AddItem();
    D->LeftDelimiter = Open;
    D->RightDelimiter = Close;
    D->DelimitersArePartOfBlock = Part;
    return B;
  }
  void AddString(TSyntaxBlock* B, const std::string& Open, const std::string& Close) {
    B->UseStrings = true;
    B->UseSingleLineStrings = true;
    TBlockToken* T = B->SingleLineStringDelimiters->AddItem();
    T->LeftDelimiter = Open;
    T->RightDelimiter = Close;
    T->FontID = Str;
  }
  void Ready() {
    P->EndUpdate();
    P->InitParser();
  }
  // Colours the lines one after another; returns their colour data, and the state words in States.
  std::vector<std::string> Colour(const std::vector<std::string>& Lines, Integer Start = 0) {
    std::vector<std::string> Out;
    States.clear();
    Integer State = Start;
    for (const std::string& L : Lines) {
      std::string C(L.size(), '\0');
      State = P->ColorString(L, State, C);
      States.push_back(State);
      Out.push_back(C);
    }
    return Out;
  }
  std::string Colour1(const std::string& Line, Integer Start = 0) { return Colour({Line}, Start)[0]; }

  std::unique_ptr<TSyntaxParser> P;
  TSyntaxScheme* S = nullptr;
  std::vector<Integer> States;
};
}  // namespace

TEST_F(DcsyntaxParser, PartOfBlockDelimitersTakeTheInnerBlocksAttributesAndOuterOnesTheEnclosing) {
  AddChild("<?", "?>", true);
  Ready();
  EXPECT_EQ(Colour1("a<?b?>c"), "riiiiir");
  EXPECT_EQ(Colour1("x<?y"), "riii");
  EXPECT_EQ((static_cast<Cardinal>(States[0]) >> 24), 1u) << "the line ends inside the child's chain";
  EXPECT_EQ(Colour1("y?>z", States[0]), "iiir");

  SetUp();
  AddChild("<?", "?>", false);
  Ready();
  EXPECT_EQ(Colour1("a<?b?>c"), "rrrirrr");
}

TEST_F(DcsyntaxParser, AStringEndsAtTheLineEndUnlessTheLineEndsWithTheMetaSymbol) {
  AddString(RootBlock(), "\"", "\"");
  RootBlock()->UseMetaSymbol = true;
  RootBlock()->MetaSymbol = '\\';
  Ready();
  const auto Wrapped = Colour({"x \"ab\\", "cd\" y"});
  EXPECT_EQ(Wrapped[0], "rrssss");
  EXPECT_EQ(Wrapped[1], "sssrr");
  const auto Open = Colour({"x \"ab", "cd\" y"});
  EXPECT_EQ(Open[0], "rrsss");
  EXPECT_EQ((States[0] >> 8) & 0xFF, 0) << "an open single-line string ends with its line";
  EXPECT_EQ(Open[1], "rrsss") << "the next line starts outside the string";

  SetUp();
  AddString(RootBlock(), "\"", "\"");
  RootBlock()->UseMetaSymbol = true;
  RootBlock()->MetaSymbol = '\\';
  RootBlock()->UseMetaToWrapLines = false;
  Ready();
  EXPECT_EQ(Colour({"x \"ab\\", "cd\" y"})[1], "rrsss");
}

TEST_F(DcsyntaxParser, AnOddRunOfMetaSymbolsEscapesTheCloserAndAnEvenRunDoesNot) {
  AddString(RootBlock(), "\"", "\"");
  RootBlock()->UseMetaSymbol = true;
  RootBlock()->MetaSymbol = '\\';
  Ready();
  EXPECT_EQ(Colour1("\"a\\\"b\" c"), "ssssssrr");
  EXPECT_EQ(Colour1("\"a\\\\\" c"), "sssssrr");
  EXPECT_EQ(Colour1("\"a\\\\\\\" c\" d"), "sssssssssrr");
}

TEST_F(DcsyntaxParser, AFullLineCommentOpenerAfterATokenIsNoComment) {
  RootBlock()->UseComments = true;
  RootBlock()->UseFullLineComments = true;
  TLineToken* T = RootBlock()->FullLineCommentDelimiters->AddItem();
  T->LeftDelimiter = "#";
  T->FontID = Comment;
  Ready();
  EXPECT_EQ(Colour1("  # note"), "rrcccccc");
  EXPECT_EQ(Colour1("x # note"), "rrrrrrrr");
}

TEST_F(DcsyntaxParser, KeywordsFollowTheBlocksCase) {
  for (const bool Case : {false, true}) {
    SetUp();
    RootBlock()->CaseSensitive = Case;
    RootBlock()->UseKeywords = true;
    TKeywordSet* K = RootBlock()->KeywordSets->AddItem();
    K->Keywords = "Begin,End";
    K->FontID = Key;
    Ready();
    EXPECT_EQ(Colour1("Begin BEGIN begins"), Case ? "kkkkkrrrrrrrrrrrrr" : "kkkkkrkkkkkrrrrrrr") << Case;
  }
}

TEST_F(DcsyntaxParser, AnEmptyFontTableColoursWithTheWhitespaceAttribute) {
  S->FontTable()->Clear();
  RootBlock()->FIText = -1;
  Ready();
  EXPECT_EQ(S->AttrTable()[0], S->WhitespaceAttr());
  EXPECT_EQ(S->AttrTable()[12], S->UrlAttr());
  EXPECT_EQ(P->GetFont(0), S->WhitespaceAttr()->WorkFont.get());
  EXPECT_EQ(P->GetFont(77), S->WhitespaceAttr()->WorkFont.get());
  EXPECT_EQ(P->GetFont(-1), S->WhitespaceAttr()->WorkFont.get());
  EXPECT_TRUE(S->UrlAttr()->WorkFont->Style().Contains(fsUnderline));
  std::string C(3, '\x7F');
  (void)P->ColorString("a b", 0, C);
  EXPECT_EQ(C, std::string(3, '\xFF')) << "no attribute numbers: every character keeps the stand-in";
}

TEST_F(DcsyntaxParser, AttributesTakeTheirBlocksTextFontAndBackground) {
  TAttrItem* Text = S->FontTable()->GetItemByID(Root);
  Text->SetUseDefFont(false);
  Text->Font()->SetName("Liberation Mono");
  Text->Font()->SetSize(14);
  Text->SetUseDefBack(false);
  Text->SetBackColor(clYellow);
  TAttrItem* Child = S->FontTable()->GetItemByID(Key);
  Child->Font()->SetColor(clRed);
  Ready();
  EXPECT_EQ(Child->WorkFont->Name(), "Liberation Mono");
  EXPECT_EQ(Child->WorkFont->Size(), 14);
  EXPECT_EQ(Child->WorkFont->Color(), clRed);
  EXPECT_EQ(Child->WorkBackColor, clYellow);
  TColor Back = clNone;
  EXPECT_TRUE(P->GetBackColor(Key, Back));
  EXPECT_EQ(Back, clYellow);
}

TEST_F(DcsyntaxParser, StateWordZeroStartsInTheRootAndAnUnknownChainMeansTheRoot) {
  AddChild("{", "}", true);
  Ready();
  EXPECT_EQ(Colour1("a{b}"), "riii");
  EXPECT_EQ(States[0], 0);
  EXPECT_EQ(Colour1("ab", 0x7F000000), "rr");
  EXPECT_EQ(States[0], 0);
}

// Blocks that are their own parents would nest without end: the chain list stops at 256 and colouring goes on.
TEST_F(DcsyntaxParser, BlocksNestingInACycleStopAtTheChainLimit) {
  (void)AddChild("(", ")", false);
  RootBlock()->ParentID = 1;  // the root is its child's child
  TDelimiters* D = RootBlock()->BlockDelimiters->AddItem();
  D->LeftDelimiter = "(";
  D->RightDelimiter = ")";
  Ready();
  const std::string Line(1000, '(');
  const std::string C = Colour1(Line);
  EXPECT_EQ(static_cast<Integer>(S->BlockStackList().size()), MaxBlockChains);
  EXPECT_EQ(C.size(), Line.size());
  // The limit holds on: later lines reuse chains.
  (void)Colour1(Line, States[0]);
  EXPECT_EQ(static_cast<Integer>(S->BlockStackList().size()), MaxBlockChains);
}

TEST_F(DcsyntaxParser, TokensReachTheEventWithTheirWholeText) {
  AddString(RootBlock(), "'", "'");
  RootBlock()->UseIdentifiers = true;
  RootBlock()->FIIdentifier = Key;
  Ready();
  std::vector<std::pair<Integer, std::string>> Seen;
  P->OnGetToken = [&](TObject*, Integer Kind, const std::string& Text) { Seen.emplace_back(Kind, Text); };
  (void)Colour1("ab 'x y' 12");
  const std::vector<std::pair<Integer, std::string>> Want = {
      {skIdentifier, "ab"}, {skText, " "}, {skSingleLineString, "'x y'"}, {skText, " "}, {skInteger, "12"}};
  EXPECT_EQ(Seen, Want);
}

TEST_F(DcsyntaxParser, NumbersCommentsAndDirectives) {
  TSyntaxBlock* B = RootBlock();
  B->UseNumbers = true;
  B->FIIntNum = 'n';
  B->FIFloatNum = 'f';
  B->FIHexNum = 'h';
  B->UsePrefixedNumbers = true;
  B->NumPrefixes->AddItem()->LeftDelimiter = "$";
  B->UseComments = true;
  B->UseMultiLineComments = true;
  TBlockToken* Ml = B->MultiLineCommentDelimiters->AddItem();
  Ml->LeftDelimiter = "/*";
  Ml->RightDelimiter = "*/";
  Ml->FontID = Comment;
  B->UseLineDirectives = true;
  B->LineDirectivePrefix = "#";
  B->FIDirective = 'd';
  for (const char Id : {'n', 'f', 'h', 'd'}) {
    AddAttr(S, Id);
  }
  Ready();
  EXPECT_EQ(Colour1("1 2.5e3 $FF 1e"), "nrfffffrhhhrnr");
  const auto Lines = Colour({"a /* b", "c */ d"});
  EXPECT_EQ(Lines[0], "rrcccc");
  EXPECT_EQ(Lines[1], "ccccrr");
  EXPECT_EQ(Colour1("#x /*c*/ y"), "dddcccccdd");
}

// The fuzz target's seed: a scheme in the text form before "%%", then lines; the scheme must load for the seed to
// reach the colouring.
TEST(DcsyntaxParserSeed, TheColouringSeedsSchemeLoadsAndEntersItsScriptBlock) {
  std::ifstream In(std::string(ZUBQ_SOURCE_DIR) + "/fuzz/corpus/SchemeColor/nested-blocks.txt", std::ios::binary);
  const std::string All((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
  const std::size_t Split = All.find("\n%%\n");
  ASSERT_NE(Split, std::string::npos);
  TMemoryStream Stream;
  Stream.WriteBuffer(All.data(), static_cast<LongInt>(Split));
  Stream.SetPosition(0);
  TSyntaxParser P(nullptr);
  P.SyntaxScheme()->LoadFromStream(&Stream);
  ASSERT_EQ(P.SyntaxScheme()->SyntaxBlocks()->Count(), 2);
  std::string C(20, '\0');
  (void)P.ColorString("<script>var x = 1;", 0, C);
  EXPECT_EQ(P.CurBlockIndex(), 1);
  EXPECT_EQ(C.substr(8, 3), "\4\4\4");
}
