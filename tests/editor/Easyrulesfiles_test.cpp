// Tests of the shipped rules files: each one compiles without a pattern error and without a silently ignored
// line, uses only the built-in token names, and lexes its sample document exactly as its golden style dump
// says, with LF and with CR LF line breaks. A mismatch writes the actual dump beside the golden file as .new.
#include "editor/Easyeditorparser.h"
#include "support/Corpus.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string RulesDir = std::string(ZUBQ_SOURCE_DIR) + "/data/ParserRules/";
const std::string GoldenDir = std::string(ZUBQ_TEST_DATA_DIR) + "/golden/";

std::string ReadFile(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  std::stringstream S;
  S << In.rdbuf();
  return S.str();
}

std::unique_ptr<TEasyEditorParser> LoadParser(const std::string& RulesFile) {
  std::unique_ptr<TEasyEditorParser> P(new TEasyEditorParser(nullptr));
  P->LoadRulesFromFile(RulesDir + RulesFile);
  return P;
}

// One line per text line: "[token]text" for every run of one style ("[-]" for none), and the state at the
// line's end when it is not the first state.
std::string DumpDocument(TEasyParser& P, const std::string& Text) {
  std::unique_ptr<TStringList> Lines(new TStringList);
  Lines->SetText(Text);
  std::string R;
  int State = 0;
  std::vector<int> Styles;
  for (int L = 0; L < Lines->Count(); ++L) {
    const std::string Line = Lines->Strings(L);
    EasyLexLine(&P, State, Line, Styles);
    for (std::size_t I = 0; I < Line.size(); ++I) {
      if (I == 0 || Styles[I] != Styles[I - 1]) {
        R += "[" + (Styles[I] < 0 ? std::string("-") : P.TokenName(Styles[I])) + "]";
      }
      R += Line[I];
    }
    if (State != 0) {
      R += "\t@" + (State >= 0 && State < P.StateCount() ? P.StateName(State) : std::to_string(State));
    }
    R += "\n";
  }
  return R;
}

std::string WithCrLf(const std::string& Text) {
  std::string R;
  for (char C : Text) {
    if (C == '\n') {
      R += '\r';
    }
    R += C;
  }
  return R;
}

struct RulesCase {
  const char* RulesFile;
  const char* Sample;  // in the golden folder; its dump is <Sample>.styles
};

class RulesFile : public ::testing::TestWithParam<RulesCase> {};

TEST_P(RulesFile, CompilesEveryLine) {
  const std::string Text = ReadFile(RulesDir + GetParam().RulesFile);
  ASSERT_FALSE(Text.empty()) << GetParam().RulesFile;
  // Replays the declarations line by line, so a rule that names something declared later shows up too.
  std::unique_ptr<TEasyParser> Replay(new TEasyParser(nullptr));
  std::unique_ptr<TStringList> Lines(new TStringList);
  Lines->SetText(Text);
  static const std::set<std::string> BuiltIn = {"tnone", "tstring", "tcomment", "tident", "tinteger",
                                                "tfloat", "tresword", "tresword1", "tresword2", "tassembler",
                                                "turl", "twhitespace", "tdirective"};
  for (int L = 0; L < Lines->Count(); ++L) {
    const std::string Line = Lines->Strings(L);
    if (Line.empty() || Line.rfind("//", 0) == 0) {
      continue;
    }
    int State = 0, Next = 0, Token = 0;
    std::string Expr;
    bool CaseSensitive = false;
    const TEasyRuleLineKind Kind = Replay->ParseRule(Line, State, Next, Token, Expr, CaseSensitive);
    EXPECT_NE(Kind, rlNone) << GetParam().RulesFile << " line " << L + 1 << " is ignored: " << Line;
    if (Kind == rlState) {
      Replay->AddState(Expr, CaseSensitive);
    } else if (Kind == rlToken) {
      EXPECT_TRUE(BuiltIn.count(Expr)) << "token without a colour scheme: " << Expr;
      Replay->AddToken(Expr);
    }
  }
  auto P = LoadParser(GetParam().RulesFile);
  EXPECT_EQ(P->RulesError(), "");
  EXPECT_EQ(P->TokenName(0), "tnone") << "text no rule matches is the first token";
}

TEST_P(RulesFile, LexesSampleAsGolden) {
  const std::string Sample = GoldenDir + GetParam().Sample;
  const std::string Text = ReadFile(Sample);
  ASSERT_FALSE(Text.empty()) << Sample;
  auto P = LoadParser(GetParam().RulesFile);
  const std::string Actual = DumpDocument(*P, Text);
  const std::string Expected = ReadFile(Sample + ".styles");
  if (Actual != Expected) {
    std::ofstream(Sample + ".styles.new", std::ios::binary) << Actual;
  }
  EXPECT_EQ(Actual, Expected) << "see " << Sample << ".styles.new";
  EXPECT_EQ(DumpDocument(*P, WithCrLf(Text)), Actual) << "CR LF line breaks lex differently";
}

INSTANTIATE_TEST_SUITE_P(
    Shipped, RulesFile,
    ::testing::Values(RulesCase{"html.xs", "sample.html"}, RulesCase{"css_lev2.xs", "sample.css"},
                      RulesCase{"xml.xs", "sample.xml"}, RulesCase{"java_script.xs", "sample.js"},
                      RulesCase{"awk_script.xs", "sample.awk"}, RulesCase{"assembler.xs", "sample.asm"},
                      RulesCase{"c++builder.xs", "sample.bcpp"}, RulesCase{"c.xs", "sample.cpp"},
                      RulesCase{"c#.xs", "sample.cs"}, RulesCase{"cobol.xs", "sample.cbl"},
                      RulesCase{"delphi.xs", "sample.pas"}, RulesCase{"dfm_files.xs", "sample.dfm"},
                      RulesCase{"foxpro.xs", "sample.prg"}, RulesCase{"ini_file.xs", "sample.ini"},
                      RulesCase{"java.xs", "sample.java"}, RulesCase{"latex.xs", "sample.tex"},
                      RulesCase{"modula2.xs", "sample.mod"}, RulesCase{"ms_dosbl.xs", "sample.bat"},
                      RulesCase{"oberon.xs", "sample.obn"}, RulesCase{"perl.xs", "sample.pl"},
                      RulesCase{"python.xs", "sample.py"}, RulesCase{"rtf.xs", "sample.rtf"},
                      RulesCase{"sql_oracle.xs", "sample.sql"}, RulesCase{"tcltk.xs", "sample.tcl"},
                      RulesCase{"unix_shell.xs", "sample.sh"}, RulesCase{"vis_basic.xs", "sample.bas"},
                      RulesCase{"vbs_script.xs", "sample.vbs"}),
    [](const ::testing::TestParamInfo<RulesCase>& I) {
      // "c++builder.xs" and "c#.xs" become "cppbuilder_xs" and "csharp_xs".
      std::string N;
      for (char C : std::string(I.param.RulesFile)) {
        N += C == '+' ? std::string("p") : C == '#' ? std::string("sharp") : std::isalnum(static_cast<unsigned char>(C)) ? std::string(1, C) : std::string("_");
      }
      return N;
    });

// Real pages and style sheets: every character gets a style and every construct is closed by the end.
TEST(RulesFiles, CorpusDocumentsLexCleanly) {
  const std::string Corpus = CorpusDir();
  struct Doc {
    const char* Rules;
    const char* File;
  };
  const Doc Docs[] = {{"html.xs", "html/FAQ.html"},          {"html.xs", "html/libxslt-API.html"},
                      {"html.xs", "html/node-addons.html"},   {"html.xs", "html/rust-book-keywords.html"},
                      {"html.xs", "html/rust-std-String.html"}, {"html.xs", "html/valgrind-cg-manual.html"},
                      {"css_lev2.xs", "css/book-general.css"}, {"css_lev2.xs", "css/node-style.css"},
                      {"css_lev2.xs", "css/rustdoc.css"}};
  for (const Doc& D : Docs) {
    const std::string Text = ReadFile(Corpus + D.File);
    ASSERT_FALSE(Text.empty()) << "the corpus file is missing: " << Corpus << D.File;
    auto P = LoadParser(D.Rules);
    std::unique_ptr<TStringList> Lines(new TStringList);
    Lines->SetText(Text);
    int State = 0;
    int Unstyled = 0;
    std::vector<int> Styles;
    for (int L = 0; L < Lines->Count(); ++L) {
      EasyLexLine(P.get(), State, Lines->Strings(L), Styles);
      for (int S : Styles) {
        Unstyled += S < 0 ? 1 : 0;
      }
    }
    EXPECT_EQ(Unstyled, 0) << D.File;
    EXPECT_EQ(P->StateName(State), P->StateName(0)) << D.File << " ends inside a construct";
  }
}

}  // namespace
