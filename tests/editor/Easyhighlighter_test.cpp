// Tests of the highlighter: the rules language, the rule buckets, lexing one token and a line, the token
// stream, and the styles with their colour schemes.
#include "editor/Easyeditorparser.h"

#include "platform/graphics/Colors.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Components are torn down through delete.
template <class T> std::unique_ptr<T> Make() { return std::unique_ptr<T>(new T(nullptr)); }

std::unique_ptr<TEasyEditorParser> ParserWith(const std::string& Rules) {
  auto P = Make<TEasyEditorParser>();
  P->Rules()->SetText(Rules);
  return P;
}

// "[token]text" for every run of one style; "[-]" for no style.
std::string Dump(TEasyParser& P, int& State, const std::string& Line) {
  std::vector<int> Styles;
  EasyLexLine(&P, State, Line, Styles);
  std::string R;
  for (std::size_t I = 0; I < Line.size(); ++I) {
    if (I == 0 || Styles[I] != Styles[I - 1]) {
      R += "[" + (Styles[I] < 0 ? std::string("-") : P.TokenName(Styles[I])) + "]";
    }
    R += Line[I];
  }
  return R;
}

std::string Dump(TEasyParser& P, const std::string& Line) {
  int State = 0;
  return Dump(P, State, Line);
}

const char* Header =
    "Token=tnone\n"
    "Token=tresword\n"
    "Token=tstring\n"
    "Token=tcomment\n"
    "State=Normal\n";

TEST(Highlighter, RulesLanguageDeclaresStatesAndTokens) {
  auto P = ParserWith(
      "// a comment line\n"
      "Token=tnone\n"
      "token = tident\n"
      "State=Normal\n"
      "State = Strict , casesensitive\n"
      "State=Loose, Other\n"
      "Delimiters = .:\n");
  ASSERT_EQ(P->TokenCount(), 2);
  EXPECT_EQ(P->TokenName(1), "tident");
  ASSERT_EQ(P->StateCount(), 3);
  EXPECT_EQ(P->StateName(1), "Strict");
  EXPECT_EQ(P->Delimiters(), ".:");
  int S = -1, N = -1, T = -1;
  std::string Text;
  bool CS = false;
  EXPECT_EQ(P->ParseRule("State=Strict, CaseSensitive", S, N, T, Text, CS), rlState);
  EXPECT_TRUE(CS);
  EXPECT_EQ(P->ParseRule("State=Loose, Other", S, N, T, Text, CS), rlState);
  EXPECT_FALSE(CS);
  EXPECT_EQ(P->ParseRule("  // not a comment", S, N, T, Text, CS), rlNone);
  EXPECT_EQ(P->ParseRule("Normal 'a b' Strict tident", S, N, T, Text, CS), rlRule);
  EXPECT_EQ(Text, "'a b'");
  EXPECT_EQ(N, 1);
  EXPECT_EQ(P->ParseRule("Normal 'x' Nowhere tident", S, N, T, Text, CS), rlNone);
  EXPECT_EQ(P->GetStyleByName("TIDENT"), 1);
  EXPECT_EQ(P->GetStyleByName("tcomment"), -1);
}

TEST(Highlighter, LiteralWordBeatsPatternsAndLaterPatternWins) {
  auto P = ParserWith(std::string(Header) +
                      "Normal [a-z]+ Normal tstring\n"
                      "Normal 'begin' Normal tresword\n"
                      "Normal [a-z]+ Normal tcomment\n");
  // The word wins over both patterns; of the two patterns for letters the later one wins.
  EXPECT_EQ(Dump(*P, "begin beginx"), "[tresword]begin[tnone] [tcomment]beginx");
  EXPECT_EQ(Dump(*P, "endx"), "[tcomment]endx");
}

TEST(Highlighter, WordsMatchWholeRunsOfWordCharactersOnly) {
  auto P = ParserWith(std::string(Header) +
                      "Normal 'if' Normal tresword\n"
                      "Normal '<' Normal tresword\n"
                      "Normal 'a-b' Normal tresword\n");
  // "iffy" is not "if"; a word that begins with punctuation never matches; neither does one that holds it.
  EXPECT_EQ(Dump(*P, "if iffy IF < a-b"), "[tresword]if[tnone] iffy [tresword]IF[tnone] < a-b");
}

TEST(Highlighter, LongestMultiWordLiteralWins) {
  auto P = ParserWith(std::string(Header) +
                      "Normal 'end' Normal tresword\n"
                      "Normal 'end else' Normal tstring\n"
                      "Normal 'end if' Normal tcomment\n"
                      "Normal 'end if then' Normal tstring\n");
  EXPECT_EQ(Dump(*P, "end if then"), "[tstring]end if then");
  EXPECT_EQ(Dump(*P, "end if x"), "[tcomment]end if[tnone] x");
  EXPECT_EQ(Dump(*P, "end iffy"), "[tresword]end[tnone] iffy");
  EXPECT_EQ(Dump(*P, "end"), "[tresword]end");
}

TEST(Highlighter, CaseSensitiveStatesCompareExactly) {
  auto P = ParserWith(
      "Token=tnone\nToken=tresword\n"
      "State=Normal, CaseSensitive\n"
      "Normal 'Begin' Normal tresword\n"
      "Normal x[a-c]+ Normal tresword\n");
  EXPECT_EQ(Dump(*P, "Begin begin xab XAB xAB"), "[tresword]Begin[tnone] begin [tresword]xab[tnone] XAB xAB");
}

TEST(Highlighter, RulesNamingLaterDeclarationsAreIgnored) {
  auto P = ParserWith(
      "Token=tnone\nToken=tstring\n"
      "State=Normal\n"
      "Normal \" Quoted tstring\n"  // Quoted is declared below: ignored
      "State=Quoted\n"
      "Normal 'x' Normal tresword\n"  // tresword is declared below: ignored
      "Token=tresword\n"
      "Normal '' Normal tresword\n"  // an empty word is ignored
      " Normal 'y' Normal tresword\n");  // leading blanks are trimmed
  EXPECT_EQ(Dump(*P, "\"x y"), "[tnone]\"x [tresword]y");
  EXPECT_EQ(P->CompiledStateCount(), 1);
}

TEST(Highlighter, PatternIsFiledUnderItsFirstElementOnly) {
  auto P = ParserWith(std::string(Header) +
                      "Normal a*b Normal tstring\n"
                      "Normal [0-9]+ Normal tcomment\n"
                      "Normal [^a-z0-9#32]+ Normal tresword\n");
  // At "b" the starred pattern is never tried; the set files its members, the negated set its complement.
  EXPECT_EQ(Dump(*P, "aab b 42 +-"), "[tstring]aab[tnone] b [tcomment]42[tnone] [tresword]+-");
}

TEST(Highlighter, NoRuleGivesTokenZeroOverWordAndBlanks) {
  auto P = ParserWith(std::string(Header) + "Normal '+' Normal tresword\n");
  int State = 0;
  int Pos = 1;
  const std::string Line = "abc  +,";
  EXPECT_EQ(P->ParseString(State, Line, Pos), 0);
  EXPECT_EQ(Pos, 6);  // over "abc" and the two blanks
  EXPECT_EQ(P->ParseString(State, Line, Pos), 0);  // "+" is punctuation: no word can match it
  EXPECT_EQ(Pos, 7);
  EXPECT_EQ(P->ParseString(State, Line, Pos), 0);
  EXPECT_EQ(Pos, 8);
}

TEST(Highlighter, StatesCarryAcrossLinesAndEndOfLineRulesSwitch) {
  auto P = ParserWith(std::string(Header) +
                      "State=Comment\n"
                      "State=Str\n"
                      "State=Dead\n"
                      "Normal /\\* Comment tcomment\n"
                      "Comment [^*]+ Comment tcomment\n"
                      "Comment \\* Comment tcomment\n"
                      "Comment \\*/ Normal tcomment\n"
                      "Normal \" Str tstring\n"
                      "Str [^\"]+ Str tstring\n"
                      "Str \" Normal tstring\n"
                      "Str $ Normal tresword\n"
                      "Normal \\! Dead tresword\n");
  int State = 0;
  EXPECT_EQ(Dump(*P, State, "a /* b"), "[tnone]a [tcomment]/* b");
  EXPECT_EQ(P->StateName(State), "Comment");
  EXPECT_EQ(Dump(*P, State, "c */ d"), "[tcomment]c */[tnone] d");
  EXPECT_EQ(State, 0);
  // An unclosed string: the end-of-line rule gives the last token its token and goes back to Normal.
  EXPECT_EQ(Dump(*P, State, "x \"abc"), "[tnone]x [tstring]\"[tresword]abc");
  EXPECT_EQ(State, 0);
  // A state without rules lexes the rest as one token without style, and stays.
  EXPECT_EQ(Dump(*P, State, "a ! b"), "[tnone]a [tresword]![-] b");
  EXPECT_EQ(P->StateName(State), "Dead");
  EXPECT_EQ(Dump(*P, State, "next"), "[-]next");
}

TEST(Highlighter, LineStartOnlyAtColumnOne) {
  auto P = ParserWith(std::string(Header) + "Normal ^\\#.* Normal tcomment\n");
  EXPECT_EQ(Dump(*P, "#x"), "[tcomment]#x");
  EXPECT_EQ(Dump(*P, " #x"), "[tnone] #x");
}

TEST(Highlighter, PatternErrorKeepsEarlierLines) {
  auto P = Make<TEasyEditorParser>();
  std::unique_ptr<TStringList> Rules(new TStringList);
  Rules->SetText(std::string(Header) +
                 "Normal 'one' Normal tresword\n"
                 "Normal a** Normal tstring\n"
                 "Normal 'two' Normal tresword\n");
  try {
    P->SetRules(Rules.get());
    FAIL() << "no error";
  } catch (const EEasyRegExprError& E) {
    EXPECT_EQ(E.Message(), "a** is invalid mask at (3)");
  }
  EXPECT_EQ(P->RulesError(), "a** is invalid mask at (3)");
  EXPECT_EQ(Dump(*P, "one two"), "[tresword]one[tnone] two");
  // The token styles were still rebuilt for what was compiled.
  EXPECT_EQ(P->Styles()->Count(), 4 + 5);
  // Mended rules clear the error.
  P->Rules()->Delete(6);
  EXPECT_EQ(P->RulesError(), "");
  EXPECT_EQ(Dump(*P, "one two"), "[tresword]one[tnone] [tresword]two");
}

TEST(Highlighter, ChangesNotifyAttachedSources) {
  auto P = ParserWith(std::string(Header));
  int Calls = 0;
  int Key = 0;
  P->RegisterNotifier(TEasyNotifyMethod(&Key, &Key, [&](TObject*, NativeInt) { ++Calls; }));
  P->Rules()->Add("Normal 'x' Normal tresword");
  EXPECT_EQ(Calls, 1);
  P->Styles()->Style(1)->SetFontColor(clRed);
  EXPECT_EQ(Calls, 2);
  P->Styles()->Style(1)->SetFontColor(clRed);  // unchanged: nothing
  EXPECT_EQ(Calls, 2);
  P->ColorChanged(clYellow);  // one notification for all styles
  EXPECT_EQ(Calls, 3);
}

TEST(Highlighter, TokenStream) {
  auto P = ParserWith(std::string(Header) + "Normal 'if' Normal tresword\nNormal \"[^\"]*\" Normal tstring\n");
  EXPECT_THROW(P->Reset(), Exception);
  std::unique_ptr<TStringList> Lines(new TStringList);
  Lines->SetText("if \"a\"\n\n\nx");
  P->Strings = Lines.get();
  P->Reset();
  std::string Peeked;
  EXPECT_EQ(P->PeekToken(Peeked), 1);
  EXPECT_EQ(Peeked, "if");
  std::vector<std::string> Seen;
  while (P->NextToken() >= 0) {
    Seen.push_back(P->TokenName(P->Token) + ":" + P->TokenString() + "@" + std::to_string(P->LineIndex));
  }
  EXPECT_EQ(Seen, (std::vector<std::string>{"tresword:if@0", "tnone: @0", "tstring:\"a\"@0", "tnone:x@3"}));
  EXPECT_TRUE(P->EndOfSource());
  EXPECT_EQ(P->Token, -1);
}

TEST(Highlighter, NewParserHasColourStylesAndSchemes) {
  auto P = Make<TEasyEditorParser>();
  ASSERT_EQ(P->Styles()->Count(), 5);
  EXPECT_EQ(P->Styles()->Style(0)->Name(), "Active Selection");
  EXPECT_EQ(P->Styles()->IndexOfColor("readonly color"), 4);
  EXPECT_EQ(P->GetDefaultColor(), clWindow);
  P->Rules()->SetText(std::string(Header) + "Token=tmine\n");
  ASSERT_EQ(P->Styles()->Count(), 5 + 5);
  EXPECT_EQ(P->Styles()->Style(1)->Name(), "tresword");
  EXPECT_TRUE(P->Styles()->Style(1)->FontStyle().Contains(fsBold));
  EXPECT_EQ(P->Styles()->Style(2)->FontColor(), clMaroon);
  EXPECT_EQ(P->Styles()->Style(3)->Description(), "Comment");
  // A name outside the thirteen keeps the plain defaults.
  EXPECT_EQ(P->Styles()->Style(4)->FontColor(), clWindowText);
  Integer Color = 0;
  TEasyFontStyles Font;
  P->GetFont(3, Color, Font);
  EXPECT_EQ(Color, clNavy);
  EXPECT_TRUE(Font.Contains(fsItalic));
  P->GetFont(99, Color, Font);
  EXPECT_EQ(Color, -1);
  EXPECT_EQ(P->GetColor(99), -1);

  P->SetColorMapping(cmOcean);
  EXPECT_EQ(P->Styles()->Style(2)->FontColor(), clPurple);
  EXPECT_EQ(P->GetDefaultColor(), clAqua);
  EXPECT_EQ(P->Styles()->Style(4)->FontColor(), clWindowText);  // not in the scheme: kept
  P->ColorChanged(clYellow);
  EXPECT_EQ(P->GetColor(1), clYellow);
  EXPECT_EQ(P->GetColor(5), clBlue);  // colour styles keep their background
}

TEST(Highlighter, ReloadKeepsUserColoursOfRemainingTokens) {
  auto P = ParserWith(std::string(Header));
  P->Styles()->Style(1)->SetFontColor(clFuchsia);  // tresword
  P->Styles()->Style(3)->SetFontColor(clLime);     // tcomment
  P->Styles()->Style(4)->SetColor(clGray);         // Active Selection
  P->Rules()->SetText("Token=tnone\nToken=tstring\nToken=tresword\nState=Normal\n");
  ASSERT_EQ(P->Styles()->Count(), 3 + 5);
  EXPECT_EQ(P->Styles()->Style(2)->Name(), "tresword");
  EXPECT_EQ(P->Styles()->Style(2)->FontColor(), clFuchsia);
  EXPECT_EQ(P->Styles()->IndexOfName("tcomment"), -1);
  EXPECT_EQ(P->Styles()->Style(3)->Color(), clGray);
  // Bring tcomment back: it starts from the scheme again.
  P->Rules()->Add("Token=tcomment");
  EXPECT_EQ(P->Styles()->Style(3)->FontColor(), clNavy);
}

class TTestColors : public TCustomEasyEditorColors {
public:
  void SetSelColor(Integer V) override { SelColor = V; }
  void SetSelBackColor(Integer V) override { SelBackColor = V; }
  void SetSearchMatchColor(Integer V) override { SearchMatchColor = V; }
  void SetSearchMatchBackColor(Integer V) override { SearchMatchBackColor = V; }
  void SetReadOnlyColor(Integer V) override { ReadOnlyColor = V; }
  void SetDisabledColor(Integer V) override { DisabledColor = V; }
  void SetInActiveSelColor(Integer V) override { InActiveSelColor = V; }
  void SetInActiveSelBackColor(Integer V) override { InActiveSelBackColor = V; }
  void SetLiveSpellColor(Integer V) override { LiveSpellColor = V; }
  void SetHyperStringColor(Integer V) override { HyperStringColor = V; }
  void SetFmtMarkColor(Integer V) override { FmtMarkColor = V; }
};

TEST(Highlighter, UpdateColorsBothWaysWithoutNotifying) {
  auto P = Make<TEasyEditorParser>();
  int Calls = 0;
  int Key = 0;
  P->RegisterNotifier(TEasyNotifyMethod(&Key, &Key, [&](TObject*, NativeInt) { ++Calls; }));
  std::unique_ptr<TTestColors> Colors(new TTestColors);
  P->UpdateColors(Colors.get(), false);
  EXPECT_EQ(Colors->SelColor, clHighlightText);
  EXPECT_EQ(Colors->SelBackColor, clHighlight);
  EXPECT_EQ(Colors->SearchMatchColor, clLime);
  EXPECT_EQ(Colors->ReadOnlyColor, clBtnFace);
  Colors->SearchMatchBackColor = clRed;
  Colors->DisabledColor = clGray;
  P->UpdateColors(Colors.get(), true);
  EXPECT_EQ(P->Styles()->Style(2)->Color(), clRed);
  EXPECT_EQ(P->Styles()->Style(3)->FontColor(), clGray);
  EXPECT_EQ(P->Styles()->Style(3)->Color(), -1);  // disabled and read-only carry a font colour only
  EXPECT_EQ(Calls, 0);
}

}  // namespace
