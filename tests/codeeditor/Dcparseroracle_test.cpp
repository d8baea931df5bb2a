// The Python and HTML tokenizers against Python's own readers, run as child processes: its tokenize module over
// the Python library (comments, one-line strings, the lines of triple-quoted strings) and its html.parser over the
// shared corpus pages (the start and end tags outside script and style contents).
#include "codeeditor/Dclanguages.h"

#include "support/Corpus.h"
#include "tests/codeeditor/TokenDump.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace Dcparser;
using TokenTest::ReadAll;
namespace fs = std::filesystem;

namespace {
std::string Python() { return fs::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3"; }

// Runs the script with the arguments and gives its standard output.
std::string RunPython(const TestSupport::TTempFolder& Dir, const std::string& Script, const std::string& Args) {
  const std::string ScriptName = Dir / "oracle.py";
  std::ofstream(ScriptName) << Script;
  const std::string Out = Dir / "out.txt";
  const int Rc = std::system((Python() + " " + ScriptName + " " + Args + " > " + Out).c_str());
  EXPECT_EQ(Rc, 0) << "the oracle failed";
  return ReadAll(Out);
}

// Records per file "F path", then "C line from to" (a comment), "S line from to" (a one-line string from its
// quote), "M line from to" (a line of a triple-quoted string from its first non-blank), with byte columns and
// lines from 1; "X" when tokenize rejects the file.
const char* const TokenizeOracle = R"PY(
import sys, tokenize, io
def b(line, col):
    return len(line[:col].encode('utf-8'))
def clean(s):
    return all(ord(c) >= 32 or c == '\t' for c in s)
for path in sys.argv[1:]:
    print('F', path)
    try:
        with open(path, 'rb') as f:
            src = f.read().decode('utf-8')
        lines = src.splitlines(True)
        toks = list(tokenize.generate_tokens(io.StringIO(src).readline))
    except Exception:
        print('X')
        continue
    for t in toks:
        (l0, c0), (l1, c1) = t.start, t.end
        if t.type == tokenize.COMMENT:
            print('C', l0, b(t.line, c0), b(t.line, c1))
        elif t.type == tokenize.STRING:
            q = min(i for i in (t.string.find("'"), t.string.find('"')) if i >= 0)
            body = t.string[q:]
            if l0 == l1:
                if clean(body):
                    print('S', l0, b(lines[l0 - 1], c0 + q), b(lines[l0 - 1], c1))
            elif body[:3] in ("'''", '"""') and clean(body.replace('\n', '').replace('\r', '')):
                for n in range(l0, l1 + 1):
                    text = lines[n - 1].rstrip('\r\n')
                    start = c0 + q if n == l0 else len(text) - len(text.lstrip(' \t'))
                    end = c1 if n == l1 else len(text)
                    if start < end:
                        print('M', n, b(text, start), b(text, end))
)PY";

// Records per file "F path", then the tags in order: "<name" for a start tag, "</name" for an end tag, names in
// lower case and cut where a tag name's characters (letters, digits, "_", "/") end.
const char* const HtmlOracle = R"PY(
import sys, re
from html.parser import HTMLParser
cut = re.compile(r'[0-9A-Za-z_]*')
class P(HTMLParser):
    def handle_starttag(self, tag, attrs):
        print('<' + cut.match(tag).group(0).lower())
    def handle_startendtag(self, tag, attrs):
        print('<' + cut.match(tag).group(0).lower())
    def handle_endtag(self, tag):
        print('</' + cut.match(tag).group(0).lower())
for path in sys.argv[1:]:
    print('F', path)
    p = P(convert_charrefs=True)
    p.feed(open(path, 'rb').read().decode('utf-8', 'replace'))
    p.close()
)PY";

std::vector<std::string> Colored(TCustomDCParser& P, TStrings* Lines) {
  std::vector<std::string> All;
  Integer State = 0;
  for (Integer I = 0; I < Lines->Count(); ++I) {
    std::string Colors;
    const std::string Line = Lines->Strings(I);
    P.PrepareColorData(I, Line, Colors);
    State = P.ColorString(Line, State, Colors);
    All.push_back(Colors);
  }
  return All;
}

TStringList* LinesOf(const std::string& Name) {
  TStringList* Lines = TokenTest::MakeLines(ReadAll(Name));
  for (Integer I = 0; I < Lines->Count(); ++I) {
    const std::string L = Lines->Strings(I);
    if (!L.empty() && L.back() == '\r') {
      Lines->SetStrings(I, L.substr(0, L.size() - 1));
    }
  }
  return Lines;
}
}  // namespace

TEST(DcparserOracle, PythonAgreesWithTokenize) {
  std::string Args;
  for (const auto& Entry : fs::directory_iterator("/usr/lib/python3.11")) {
    if (Entry.path().extension() == ".py") {
      Args += " " + Entry.path().string();
    }
  }
  ASSERT_FALSE(Args.empty());
  TestSupport::TTempFolder Dir;
  std::istringstream Out(RunPython(Dir, TokenizeOracle, Args));
  std::unique_ptr<TStringList> Lines;
  std::vector<std::string> Colors;
  std::string File;
  int Checked = 0;
  for (std::string Record; std::getline(Out, Record);) {
    std::istringstream R(Record);
    std::string Kind;
    R >> Kind;
    if (Kind == "F") {
      R >> File;
      Lines.reset(LinesOf(File));
      TPythonParser P(nullptr);
      Colors = Colored(P, Lines.get());
      continue;
    }
    if (Kind == "X") {
      Colors.clear();  // rejected by tokenize: skipped
      continue;
    }
    std::size_t Line = 0, From = 0, To = 0;
    R >> Line >> From >> To;
    if (Line == 0 || Line > Colors.size()) {
      continue;
    }
    const std::string& C = Colors[Line - 1];
    const char Want = Kind == "C" ? tokComment : tokString;
    for (std::size_t I = From; I < To && I < C.size(); ++I) {
      ASSERT_EQ(C[I], Want) << File << ":" << Line << ":" << I + 1 << " " << Kind << " " << Lines->Strings(Line - 1);
    }
    ++Checked;
  }
  EXPECT_GT(Checked, 10000);
}

TEST(DcparserOracle, HtmlTagsAgreeWithHtmlParser) {
  std::vector<std::string> Pages;
  for (const auto& Entry : fs::directory_iterator(CorpusDir() + "html")) {
    Pages.push_back(Entry.path().string());
  }
  std::sort(Pages.begin(), Pages.end());
  ASSERT_FALSE(Pages.empty());
  std::string Args;
  for (const std::string& P : Pages) {
    Args += " '" + P + "'";
  }
  TestSupport::TTempFolder Dir;
  std::istringstream Out(RunPython(Dir, HtmlOracle, Args));
  std::map<std::string, std::vector<std::string>> Expected;
  std::string File;
  for (std::string Record; std::getline(Out, Record);) {
    if (Record.rfind("F ", 0) == 0) {
      File = Record.substr(2);
    } else {
      Expected[File].push_back(Record);
    }
  }
  for (const std::string& Page : Pages) {
    std::unique_ptr<TStringList> Lines(LinesOf(Page));
    THTMLParser P(nullptr);
    P.SetStrings(Lines.get());
    std::vector<std::string> Tags;
    std::string RawUntil;  // inside script or style: only its end tag counts
    for (Integer Code = P.NextToken(); Code != tokEof; Code = P.NextToken()) {
      const std::string_view T = P.TokenView();
      if (Code != tokHtmlTag || T.size() < 2 || T[0] != '<') {
        continue;
      }
      std::string Name = LowerCase(T.substr(1));
      while (Name.size() > 1 && Name.back() == '/') {
        Name.pop_back();  // "<br/>"
      }
      if (Name == "/") {
        continue;
      }
      if (!RawUntil.empty() && Name != RawUntil) {
        continue;
      }
      RawUntil = Name == "script" || Name == "style" ? "/" + Name : std::string();
      Tags.push_back("<" + Name);
    }
    const std::vector<std::string>& Want = Expected[Page];
    ASSERT_GT(Want.size(), 50u) << Page;
    for (std::size_t I = 0; I < std::min(Tags.size(), Want.size()); ++I) {
      ASSERT_EQ(Tags[I], Want[I]) << Page << " tag " << I;
    }
    EXPECT_EQ(Tags.size(), Want.size()) << Page;
  }
}
