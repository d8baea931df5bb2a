// Golden token dumps of real files, one per language: each file's tokens line by line, checked whole and again with
// CR LF line breaks. Samples written here lie in Samples/; the others are read where Debian installs them and where
// the shared corpus keeps them (their first 300 lines, or fewer where a case says so). A mismatch writes
// Golden/<name>.tokens.new to compare.
#include "codeeditor/Dclanguages.h"

#include "support/Corpus.h"
#include "tests/codeeditor/TokenDump.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace Dcparser;
using TokenTest::ReadAll;

namespace {
constexpr int MaxLines = 300;

std::string DataDir() { return ZUBQ_TEST_DATA_DIR; }

std::string FirstLines(const std::string& Text, int Count) {
  std::size_t Pos = 0;
  for (int I = 0; I < Count && Pos != std::string::npos; ++I) {
    Pos = Text.find('\n', Pos);
    if (Pos != std::string::npos) {
      ++Pos;
    }
  }
  return Pos == std::string::npos ? Text : Text.substr(0, Pos);
}

// "line: code[text] code[text]..." for every line that holds a token; the scanner state at the end last.
std::string DumpByLine(TStringsParser& Parser, TStrings* Lines) {
  Parser.SetStrings(Lines);
  std::string Out;
  Integer Line = -1;
  for (Integer Code = Parser.NextToken(); Code != tokEof; Code = Parser.NextToken()) {
    if (Parser.LinePos() != Line) {
      Line = Parser.LinePos();
      Out += (Out.empty() ? "" : "\n") + std::to_string(Line + 1) + ":";
    }
    Out += " " + std::to_string(Code) + "[" + std::string(Parser.TokenView()) + "]";
  }
  return Out + "\nstate " + std::to_string(Parser.State()) + "\n";
}

struct TGoldenCase {
  const char* Name;
  TokenTest::TParserFactory Make;
  std::function<std::string()> Source;
};

std::ostream& operator<<(std::ostream& Out, const TGoldenCase& C) { return Out << C.Name; }

template <class T>
TokenTest::TParserFactory Factory() {
  return [] { return new T(nullptr); };
}

std::function<std::string()> Sample(const char* Name) {
  return [Name] { return ReadAll(DataDir() + "/Samples/" + Name); };
}
std::function<std::string()> Installed(const char* Path, int Lines = MaxLines) {
  return [Path, Lines] { return FirstLines(ReadAll(Path), Lines); };
}
std::function<std::string()> Corpus(const char* Name) {
  return [Name] { return FirstLines(ReadCorpusFile(Name), MaxLines); };
}

class GoldenFiles : public ::testing::TestWithParam<TGoldenCase> {};

TEST_P(GoldenFiles, MatchTheirDump) {
  const std::string Text = GetParam().Source();
  ASSERT_FALSE(Text.empty()) << GetParam().Name << ": the source is missing (scripts/deps.sh installs it)";
  std::string CrLf;
  for (const char C : Text) {
    if (C == '\n') {
      CrLf += '\r';
    }
    CrLf += C;
  }
  const std::string GoldenName = DataDir() + "/Golden/" + GetParam().Name + ".tokens";
  const std::string Expected = ReadAll(GoldenName);
  for (const std::string* Source : std::initializer_list<const std::string*>{&Text, &CrLf}) {
    std::unique_ptr<TStringList> Lines(TokenTest::MakeLines(*Source));
    std::unique_ptr<TStringsParser> P(GetParam().Make());
    const std::string Dump = DumpByLine(*P, Lines.get());
    if (Dump != Expected) {
      std::ofstream(GoldenName + ".new", std::ios::binary) << Dump;
    }
    EXPECT_TRUE(Dump == Expected) << GetParam().Name << (Source == &CrLf ? " with CR LF" : "") << ": see " << GoldenName
                                  << ".new";
  }
}

const TGoldenCase GoldenTable[] = {
    {"Cpp", Factory<TCPPParser>(), Sample("highlighter.cpp.sample")},
    {"FormLayout", Factory<TDFMParser>(), Sample("printdialog.dfm")},
    {"Sql", Factory<TSqlParser>(), Sample("orders.sql")},
    {"VBScript", Factory<TVBScriptParser>(), Sample("greeting.vbs")},
    {"Html", Factory<THTMLParser>(), Corpus("html/node-addons.html")},
    {"Python", Factory<TPythonParser>(), Installed("/usr/lib/python3.11/json/decoder.py", 270)},
    {"Perl", Factory<TPerlParser>(), Installed("/usr/share/perl/5.36.0/Text/Wrap.pm")},
    {"JavaScript", Factory<TJavaScriptParser>(), Installed("/usr/share/javascript/jquery/jquery.js", 120)},
    {"Pascal", Factory<TDelphiParser>(), Installed("/usr/share/fpcsrc/3.2.2/rtl/objpas/types.pp")},
    {"C", Factory<TCParser>(), Installed("/usr/include/stdio.h")},
};

INSTANTIATE_TEST_SUITE_P(Dcparser, GoldenFiles, ::testing::ValuesIn(GoldenTable),
                         [](const auto& Info) { return std::string(Info.param.Name); });
}  // namespace
