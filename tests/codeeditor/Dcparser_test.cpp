// The tokenizer framework (tables, words, the state stack, the string-list reader, errors) and the ten language
// tokenizers on the edge cases of each language.
#include "codeeditor/Dclanguages.h"
#include "codeeditor/Dcmoduleparser.h"

#include "platform/classes/ClassRegistry.h"
#include "tests/codeeditor/TokenDump.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Dcparser;
using TokenTest::DumpTokens;
using TokenTest::Raised;

namespace {
// Reads a zero-terminated buffer with the base scanner; counts the tokens and gives the line number reached.
std::string ScanBuffer(TCustomDCParser& Parser, const char* Text) {
  Parser.SetLinePtr(Text);
  int Tokens = 0;
  while (Parser.SimpleNextToken() != tokEof) {
    ++Tokens;
  }
  return std::to_string(Tokens) + " tokens, line " + std::to_string(Parser.LinePos());
}

struct TFrameworkCase {
  const char* Name;
  std::function<std::string()> Run;
  const char* Expected;
};

std::ostream& operator<<(std::ostream& Out, const TFrameworkCase& C) { return Out << C.Name; }

class FrameworkCases : public ::testing::TestWithParam<TFrameworkCase> {};

TEST_P(FrameworkCases, GiveTheExpectedResult) { EXPECT_EQ(GetParam().Run(), GetParam().Expected); }

const TFrameworkCase FrameworkTable[] = {
    {"EmptyText",
     [] {
       TDelphiParser P(nullptr);
       return DumpTokens(P, "");
     },
     " #0"},
    {"BlanksAndTabsOnly",
     [] {
       TDelphiParser P(nullptr);
       return DumpTokens(P, " \t  \n\t");
     },
     " #0"},
    {"UnclaimedCharacterIsASymbol",
     [] {
       TDelphiParser P(nullptr);
       return DumpTokens(P, "a!\xE9");
     },
     "3[a] 7[!] 7[\xE9] #0"},
    {"UnclaimedCharacterInAnOpenStateIsSkipped",
     [] {
       TDelphiParser P(nullptr);
       return DumpTokens(P, "{ open\n  still");
     },
     "2[{ open] 2[still] #1"},
    {"CrLfLfCrCrAndLfAreOneLineEndEach",
     [] {
       TModuleParser P(nullptr);
       return ScanBuffer(P, "a\r\nb\n\rc\rd\ne");
     },
     "5 tokens, line 4"},
    {"CrInsideAListLineKeepsTheNextLine",
     [] {
       TDelphiParser P(nullptr);
       return DumpTokens(P, "a\rb\r\nc");
     },
     "3[a] 3[b] 3[c] #0"},
    {"CaseInsensitiveWords",
     [] {
       TDelphiParser P(nullptr);
       return DumpTokens(P, "BEGIN begin Begin");
     },
     "6[BEGIN] 6[begin] 6[Begin] #0"},
    {"CaseSensitiveWords",
     [] {
       TDelphiParser P(nullptr);
       P.SetCaseSensitive(true);
       return DumpTokens(P, "BEGIN begin");
     },
     "3[BEGIN] 6[begin] #0"},
    {"BlankLinesAndDuplicatesGiveIdsWithoutGaps",
     [] {
       TStringsParser P(nullptr);
       std::unique_ptr<TStringList> W(TokenTest::MakeLines("b\n\n  a \nb\n\nc"));
       P.SetResWords(W.get());
       return std::to_string(P.WordList()->Count()) + " " + std::to_string(P.WordId("a")) +
              std::to_string(P.WordId("b")) + std::to_string(P.WordId("c")) + std::to_string(P.WordId("d"));
     },
     "3 012-1"},
    {"PeekTokenLeavesEverything",
     [] {
       TDelphiParser P(nullptr);
       std::unique_ptr<TStringList> L(TokenTest::MakeLines("x {a\nb} y"));
       P.SetStrings(L.get());
       (void)P.NextToken();
       (void)P.NextToken();  // the comment, left open: state 1
       auto Snapshot = [&] {
         return std::to_string(P.Token()) + "," + std::to_string(P.GetCharPos()) + "," +
                std::to_string(P.GetTokenCharPos()) + "," + std::to_string(P.LinePos()) + "," +
                std::to_string(P.State());
       };
       const std::string Before = Snapshot();
       const Integer Peeked = P.PeekToken();
       const std::string After = Snapshot();
       const std::string Next = P.NextTokenStr();
       return Before + " " + std::to_string(Peeked) + " " + After + " " + Next;
     },
     "2,4,2,0,1 2 2,4,2,0,1 b}"},
    {"SetInternalStateRestoresAndDiscards",
     [] {
       TDelphiParser P(nullptr);
       std::unique_ptr<TStringList> L(TokenTest::MakeLines("a b c d"));
       P.SetStrings(L.get());
       (void)P.NextToken();
       const Integer Mark = P.PushState();
       (void)P.NextToken();
       (void)P.PushState();
       (void)P.NextToken();
       P.SetInternalState(Mark);
       const Integer Top = P.GetInternalState();
       return std::to_string(Top) + " " + P.NextTokenStr();
     },
     "-1 b"},
    {"StringsParserEndsOnePastTheLastLine",
     [] {
       TDelphiParser P(nullptr);
       std::unique_ptr<TStringList> L(TokenTest::MakeLines("a\nb"));
       P.SetStrings(L.get());
       while (P.NextToken() != tokEof) {
       }
       const Integer Again = P.NextToken();
       return std::to_string(P.LinePos()) + " " + std::to_string(Again);
     },
     "2 0"},
    {"ReportLineEndsGivesOneLineEndPerLineChange",
     [] {
       TDelphiParser P(nullptr);
       std::unique_ptr<TStringList> L(TokenTest::MakeLines("a\n\nb {x\ny} c"));
       P.ReportLineEnds = true;
       P.SetStrings(L.get());
       std::string Codes;
       for (Integer C = P.NextToken(); C != tokEof; C = P.NextToken()) {
         Codes += std::to_string(C) + " ";
       }
       return Codes;
     },
     "3 12 12 3 2 2 3 12 "},
    {"PopOnAnEmptyStack",
     [] {
       TDelphiParser P(nullptr);
       return Raised([&] { (void)P.PopState(); });
     },
     "Token list is empty at Line:1, Char:1. "},
    {"SoftPopWithoutASoftItem",
     [] {
       TDelphiParser P(nullptr);
       (void)P.PushState();
       return Raised([&] { (void)P.SoftPopState(); });
     },
     "Token list is empty at Line:1, Char:1. "},
    {"StateInFuture",
     [] {
       TDelphiParser P(nullptr);
       return Raised([&] { P.SetInternalState(0); });
     },
     "State is in future at Line:1, Char:1. "},
    {"StringsNotSpecified",
     [] {
       TDelphiParser P(nullptr);
       return Raised([&] { (void)P.NextToken(); });
     },
     "Strings are not specified"},
    {"ErrorTextFromInputIsNotAFormat",
     [] {
       TDelphiParser P(nullptr);
       std::unique_ptr<TStringList> L(TokenTest::MakeLines("  %s%d%n"));
       P.SetStrings(L.get());
       (void)P.NextToken();
       return Raised([&] { P.CheckResWord(P.WordId("begin")); });
     },
     "begin expected at Line:1, Char:3. "},
};

INSTANTIATE_TEST_SUITE_P(Dcparser, FrameworkCases, ::testing::ValuesIn(FrameworkTable),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// ---- languages ----

enum TLanguage { lgDelphi, lgDFM, lgVBScript, lgPython, lgJavaScript, lgPerl, lgSql, lgHTML, lgC, lgCpp };

TStringsParser* MakeParser(TLanguage Language) {
  switch (Language) {
    case lgDelphi: return new TDelphiParser(nullptr);
    case lgDFM: return new TDFMParser(nullptr);
    case lgVBScript: return new TVBScriptParser(nullptr);
    case lgPython: return new TPythonParser(nullptr);
    case lgJavaScript: return new TJavaScriptParser(nullptr);
    case lgPerl: return new TPerlParser(nullptr);
    case lgSql: return new TSqlParser(nullptr);
    case lgHTML: return new THTMLParser(nullptr);
    case lgC: return new TCParser(nullptr);
    case lgCpp: return new TCPPParser(nullptr);
  }
  return nullptr;
}

struct TLanguageCase {
  const char* Name;
  TLanguage Language;
  const char* Text;
  const char* Expected;
};

std::ostream& operator<<(std::ostream& Out, const TLanguageCase& C) { return Out << C.Name; }

class LanguageCases : public ::testing::TestWithParam<TLanguageCase> {};

TEST_P(LanguageCases, Tokenize) {
  std::unique_ptr<TStringsParser> P(MakeParser(GetParam().Language));
  EXPECT_EQ(DumpTokens(*P, GetParam().Text), GetParam().Expected);
}

const TLanguageCase LanguageTable[] = {
    {"PascalStringWithCharCodes", lgDelphi, "'It''s'#13#10'x';", "1['It''s'#13#10'x'] 7[;] #0"},
    {"PascalParenAloneIsASymbol", lgDelphi, "(a)", "7[(] 3[a] 7[)] #0"},
    {"PascalOpenBraceCommentContinues", lgDelphi, "a { b\nc } d", "3[a] 2[{ b] 2[c }] 3[d] #0"},
    {"PascalOpenParenStarComment", lgDelphi, "(* a\nb *) c", "2[(* a] 2[b *)] 3[c] #0"},
    {"PascalNumbers", lgDelphi, "$1F 1.5e-3 1..2 1e", "4[$1F] 5[1.5e-3] 4[1] 7[.] 7[.] 4[2] 5[1e] #0"},
    {"PascalLineComment", lgDelphi, "a // b", "3[a] 2[// b] #0"},
    {"PascalAsmBlock", lgDelphi, "asm mov eax, 1 end;", "6[asm] 9[mov] 9[eax,] 9[1] 9[] 6[end] 7[;] #0"},
    {"PascalAsmXendAndEndUnderscoreStayAsm", lgDelphi, "asm xend end_ end", "6[asm] 9[xend] 9[end_] 9[] 6[end] #0"},
    {"PascalAsmComments", lgDelphi, "asm a{x}b(*y*)c//z\nend",
     "6[asm] 9[a] 2[{x}] 9[b] 2[(*y*)] 9[c] 2[//z] 9[] 6[end] #0"},
    {"PascalAsmOpenCommentCarries", lgDelphi, "asm { x\ny } end", "6[asm] 2[{ x] 2[y }] 9[] 6[end] #0"},
    {"DfmObject", lgDFM, "object Form1: TForm1\n  Caption = 'Hi'#39\nend",
     "6[object] 3[Form1] 7[:] 3[TForm1] 3[Caption] 7[=] 1['Hi'#39] 6[end] #0"},
    {"CHexWithSuffix", lgC, "0x1FUL 0X1F 1.0f 10u", "4[0x1FUL] 4[0] 3[X1F] 5[1.0] 3[f] 4[10u] #0"},
    {"CZeroXAloneIsASymbol", lgC, "0x;", "7[0] 3[x] 7[;] #0"},
    {"CDefineContinues", lgC, "#define A \\\n  B\nint", "8[#define A \\] 8[  B] 6[int] #0"},
    {"CDefineStopsBeforeAComment", lgC, "#include <a> // c", "8[#include <a> ] 2[// c] #0"},
    {"CEscapedQuotes", lgC, "'a\\\\' \"x\\\"y\" 'b", "1['a\\\\'] 1[\"x\\\"y\"] 1['b] #0"},
    {"CBlockCommentOpen", lgC, "/* a\nb */ c", "2[/* a] 2[b */] 3[c] #0"},
    {"CppWords", lgCpp, "class template int foo", "6[class] 6[template] 6[int] 3[foo] #0"},
    {"PythonTripleOnOneLine", lgPython, "'''a''' x", "1['''a'''] 3[x] #0"},
    {"PythonTripleAcrossLines", lgPython, "'''a\nb\nc''' d", "1['''a] 1[b] 1[c'''] 3[d] #0"},
    {"PythonTripleLeftOpen", lgPython, "x '''a\n\n  b", "3[x] 1['''a] 1[b] #8"},
    {"PythonDoubleTripleOpenState", lgPython, "x = \"\"\"a", "3[x] 7[=] 1[\"\"\"a] #9"},
    {"PythonSingleQuoteTakesBackslashes", lgPython, "'it\\'s' + x", "1['it\\'s'] 7[+] 3[x] #0"},
    {"PythonTripleSkipsEscapedQuote", lgPython, "'''a\\''' b''' c", "1['''a\\''' b'''] 3[c] #0"},
    {"PythonCommentAndWords", lgPython, "def f(): # c", "6[def] 3[f] 7[(] 7[)] 7[:] 2[# c] #0"},
    {"JavaScriptHexLowerXOnly", lgJavaScript, "0x1F 0X1 1.5", "4[0x1F] 4[0] 3[X1] 5[1.5] #0"},
    {"JavaScriptCaseSensitive", lgJavaScript, "function Function", "6[function] 3[Function] #0"},
    {"PerlSigilQuoteIsASymbol", lgPerl, "$'x", "7[$] 7['] 3[x] #0"},
    {"PerlHereDocument", lgPerl, "print <<EOF;\nline\nEOF\nmy $a;",
     "3[print] 1[<<EOF;] 1[line] 1[EOF] 6[my] 7[$] 3[a] 7[;] #0"},
    {"PerlQuotedHereDocumentTag", lgPerl, "print <<\"END X\";\nEND X\n1", "3[print] 1[<<\"END X\";] 1[END X] 4[1] #0"},
    {"PerlLessLessBlank", lgPerl, "a << b", "3[a] 7[<] 7[<] 3[b] #0"},
    {"PerlHereDocumentOpen", lgPerl, "<<EOF\nx", "1[<<EOF] 1[x] #11"},
    {"PerlCommentAndDollarHash", lgPerl, "$#a # c", "7[$] 3[#a] 2[# c] #0"},
    {"PerlEscapedQuote", lgPerl, "\"a\\\"b\" 'c'", "1[\"a\\\"b\"] 1['c'] #0"},
    {"SqlComments", lgSql, "a-b -- text\n/* x */", "3[a] 7[-] 3[b] 2[-- text] 2[/* x */] #0"},
    {"SqlWordsIgnoreCase", lgSql, "WHERE where Alter", "6[WHERE] 6[where] 6[Alter] #0"},
    {"SqlQuotes", lgSql, "'a''b' \"c\"\"d\"", "1['a''b'] 1[\"c\"\"d\"] #0"},
    {"VBScriptRem", lgVBScript, "x REM text\nrem", "3[x] 2[REM text] 2[rem] #0"},
    {"VBScriptHexAndAmpersand", lgVBScript, "&H1F &x", "4[&H1F] 7[&] 3[x] #0"},
    {"VBScriptCommentAndString", lgVBScript, "Dim s ' c\ns = \"a\"\"b\"",
     "6[Dim] 3[s] 2[' c] 3[s] 7[=] 1[\"a\"\"b\"] #0"},
    {"HtmlStartTag", lgHTML, "<a href=\"x.html\">t</a>", "10[<a] 11[href] 1[\"x.html\"] 10[>] 3[t] 10[</a] 10[>] #0"},
    {"HtmlComment", lgHTML, "<!-- x --> y", "2[<!-] 2[-] 2[x -->] 3[y] #0"},
    {"HtmlCommentOpen", lgHTML, "<!-- x\n-->", "2[<!-] 2[-] 2[x] 2[-->] #0"},
    {"HtmlTagAcrossLines", lgHTML, "<div\n class='c'>", "10[<div] 11[class] 11[c] 10[>] #0"},
    {"HtmlDoctype", lgHTML, "<!DOCTYPE html>", "10[<] 11[DOCTYPE] 11[html] 10[>] #0"},
};

INSTANTIATE_TEST_SUITE_P(Dcparser, LanguageCases, ::testing::ValuesIn(LanguageTable),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST(Dcparser, WordListSizes) {
  const std::pair<TLanguage, int> Sizes[] = {{lgDelphi, 105}, {lgDFM, 5},   {lgVBScript, 56}, {lgJavaScript, 58},
                                             {lgSql, 152},    {lgPerl, 33}, {lgC, 31},        {lgCpp, 94},
                                             {lgPython, 28},  {lgHTML, 0}};
  for (const auto& [Language, Size] : Sizes) {
    std::unique_ptr<TStringsParser> P(MakeParser(Language));
    EXPECT_EQ(P->WordList()->Count(), Size) << Language;
  }
  TSqlParser Sql(nullptr);
  EXPECT_GE(Sql.WordId("ALTER"), 0);
}

TEST(Dcparser, ColorStringCarriesTheState) {
  TDelphiParser P(nullptr);
  std::string Colors;
  const std::string First = "a { open";
  P.PrepareColorData(0, First, Colors);
  EXPECT_EQ(P.ColorString(First, 0, Colors), psBraceComment);
  EXPECT_EQ(Colors, std::string("\x03\x00\x02\x02\x02\x02\x02\x02", 8));
  const std::string Second = " x } b";
  P.PrepareColorData(1, Second, Colors);
  EXPECT_EQ(P.ColorString(Second, psBraceComment, Colors), psNormal);
  EXPECT_EQ(Colors, std::string("\x00\x02\x02\x02\x00\x03", 6));
  // An empty line keeps the state it was given.
  std::string None;
  EXPECT_EQ(P.ColorString("", psBraceComment, None), psBraceComment);
}

TEST(Dcparser, ColorDataHandlerIsCutOrPaddedToTheToken) {
  TDelphiParser P(nullptr);
  P.SetOnGetColorData([](TObject*, Integer Token, const std::string& Text, std::string& Colors) {
    Colors = Token == tokResWord ? std::string("XY") : std::string(Text.size() + 5, 'Z');
  });
  std::string Colors;
  const std::string Line = "begin ab";
  P.PrepareColorData(0, Line, Colors);
  (void)P.ColorString(Line, 0, Colors);  // the colour data is what is checked
  EXPECT_EQ(Colors, std::string("XY\x06\x06\x06\0ZZ", 8));
}

TEST(Dcparser, ChangingTheWordsTellsTheListeners) {
  TDelphiParser P(nullptr);
  struct TCounter {
    void Changed(TObject*, NativeInt, NativeInt) { ++Count; }
    int Count = 0;
  } Counter;
  P.RegisterNotifier(Dorazori::TNotifierProc::Of<&TCounter::Changed>(&Counter));
  P.ResWords()->Add("extra");
  P.SetCaseSensitive(true);
  P.SetCaseSensitive(true);  // unchanged: nobody hears of it
  EXPECT_EQ(Counter.Count, 2);
  EXPECT_GE(P.WordId("extra"), 0);
}

TEST(Dcparser, ClassesAreRegisteredByName) {
  EXPECT_EQ(GetClass("TCPPParser"), TCPPParser::StaticClass());
  EXPECT_EQ(GetClass("THTMLParser"), THTMLParser::StaticClass());
  EXPECT_EQ(GetFloatFromString("1.5"), 1.5);
}

}  // namespace
