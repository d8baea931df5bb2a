// A scheme built in code for HTML with style sheets and scripts, saved in the stored form and loaded back, colours
// the corpus pages as the HTML tokenizer finds their tags and attribute names, and its style sheet block alone
// colours every comment of the corpus style sheets.
#include "codeeditor/Dclanguages.h"
#include "codeeditor/Dcsyntaxparser.h"
#include "support/Corpus.h"
#include "tests/codeeditor/HtmlScheme.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace Dcsyntax;

namespace {
std::string Around(const std::string& Line, std::size_t I) {
  const std::size_t From = I > 40 ? I - 40 : 0;
  return Line.substr(From, 80);
}

std::vector<std::string> SplitLines(const std::string& Text) {
  std::vector<std::string> Lines;
  std::size_t Start = 0;
  while (Start <= Text.size()) {
    std::size_t End = Text.find('\n', Start);
    if (End == std::string::npos) {
      End = Text.size();
    }
    std::string L = Text.substr(Start, End - Start);
    if (!L.empty() && L.back() == '\r') {
      L.pop_back();
    }
    Lines.push_back(std::move(L));
    Start = End + 1;
  }
  return Lines;
}

std::vector<std::string> ColourLines(Dorazori::TSimpleParser& P, const std::vector<std::string>& Lines) {
  std::vector<std::string> Out;
  Integer State = 0;
  for (const std::string& L : Lines) {
    std::string C(L.size(), '\0');
    State = P.ColorString(L, State, C);
    Out.push_back(std::move(C));
  }
  return Out;
}

// The scheme saved to a file in its text form and read back into a fresh parser.
void LoadThroughFile(TSyntaxParser& P, void (*Build)(TSyntaxScheme*)) {
  TSyntaxScheme Built;
  Build(&Built);
  TestSupport::TTempFolder Folder;
  const std::string Name = Folder.Path() + "/scheme.txt";
  Built.SaveToFile(Name);
  P.SyntaxScheme()->LoadFromFile(Name);
  ASSERT_EQ(P.SyntaxScheme()->SyntaxBlocks()->Count(), Built.SyntaxBlocks()->Count());
}

std::string Lower(std::string S) {
  for (char& C : S) {
    C = SchemeLower(C);
  }
  return S;
}

// Where script and style elements lie, by a plain scan: 1 for their tags, 2 for their contents.
std::vector<std::string> ElementMarks(const std::vector<std::string>& Lines) {
  std::string All;
  for (const std::string& L : Lines) {
    All += L;
    All += '\n';
  }
  const std::string Low = Lower(All);
  std::string Mark(All.size(), '\0');
  for (const std::string Name : {"script", "style"}) {
    std::size_t From = 0;
    while ((From = Low.find("<" + Name, From)) != std::string::npos) {
      const std::size_t Gt = Low.find('>', From);
      const std::size_t Close = Low.find("</" + Name + ">", Gt);
      if (Gt == std::string::npos || Close == std::string::npos) {
        break;
      }
      const std::size_t End = Close + Name.size() + 3;
      std::fill(Mark.begin() + static_cast<long>(From), Mark.begin() + static_cast<long>(End), '\1');
      std::fill(Mark.begin() + static_cast<long>(Gt + 1), Mark.begin() + static_cast<long>(Close), '\2');
      From = End;
    }
  }
  std::vector<std::string> Out;
  std::size_t Pos = 0;
  for (const std::string& L : Lines) {
    Out.push_back(Mark.substr(Pos, L.size()));
    Pos += L.size() + 1;
  }
  return Out;
}

bool OneOf(char C, std::initializer_list<Integer> Attrs) {
  for (const Integer A : Attrs) {
    if (static_cast<unsigned char>(C) == A) {
      return true;
    }
  }
  return false;
}
}  // namespace

TEST(DcsyntaxCorpus, HtmlSchemeColoursTagsAttributesScriptsAndStylesOfThePages) {
  TSyntaxParser Scheme(nullptr);
  LoadThroughFile(Scheme, &HtmlScheme::Build);
  Integer Pages = 0;
  for (const auto& Entry : std::filesystem::directory_iterator(CorpusDir() + "html")) {
    const std::string Name = Entry.path().filename().string();
    const std::vector<std::string> Lines = SplitLines(ReadCorpusFile("html/" + Name));
    Dcparser::THTMLParser Html(nullptr);
    const std::vector<std::string> Want = ColourLines(Html, Lines);
    const std::vector<std::string> Got = ColourLines(Scheme, Lines);
    const std::vector<std::string> Marks = ElementMarks(Lines);
    Integer Tags = 0;
    Integer Mismatches = 0;
    for (std::size_t L = 0; L < Lines.size() && Mismatches < 5; ++L) {
      for (std::size_t I = 0; I < Lines[L].size(); ++I) {
        const char G = Got[L][I];
        if (Marks[L][I] == '\2') {
          const bool Script = OneOf(G, {HtmlScheme::JsText, HtmlScheme::JsKeyword, HtmlScheme::JsString,
                                        HtmlScheme::JsComment, HtmlScheme::JsNumber, HtmlScheme::Symbol});
          const bool Style =
              OneOf(G, {HtmlScheme::CssText, HtmlScheme::CssComment, HtmlScheme::CssString, HtmlScheme::CssNumber});
          if (!Script && !Style) {
            ADD_FAILURE() << Name << ":" << L + 1 << ":" << I + 1
                          << " not in a script or style block: " << Around(Lines[L], I);
            ++Mismatches;
          }
          continue;
        }
        if (Marks[L][I] == '\1') {
          continue;  // the tokenizer reads script and style tags like any other, but not what follows them
        }
        const Integer W = static_cast<unsigned char>(Want[L][I]);
        const Integer Expect = W == Dcparser::tokHtmlTag     ? HtmlScheme::TagName
                               : W == Dcparser::tokHtmlParam ? HtmlScheme::AttrName
                                                             : -1;
        // The tokenizer knows only double quotes: inside a single-quoted value it sees names.
        if (Expect < 0 || static_cast<unsigned char>(G) == HtmlScheme::Value) {
          continue;
        }
        ++Tags;
        if (static_cast<unsigned char>(G) != Expect) {
          ADD_FAILURE() << Name << ":" << L + 1 << ":" << I + 1 << " wants " << Expect << ", has "
                        << static_cast<int>(G) << ": " << Around(Lines[L], I);
          ++Mismatches;
        }
      }
    }
    EXPECT_GT(Tags, 0) << Name;
    ++Pages;
  }
  EXPECT_GE(Pages, 6);
}

namespace {
// Comments of a style sheet by a plain scan that skips strings (with their escapes; a string ends with its line).
std::vector<std::string> CssComments(const std::vector<std::string>& Lines) {
  std::vector<std::string> Marks;
  bool InComment = false;
  for (const std::string& L : Lines) {
    std::string M(L.size(), '\0');
    char Quote = 0;
    for (std::size_t I = 0; I < L.size(); ++I) {
      if (InComment) {
        M[I] = '\1';
        if (L[I] == '/' && I > 0 && L[I - 1] == '*' && M[I - 1] == '\1' && !(I >= 2 && M[I - 2] == '\2')) {
          InComment = false;
        }
        continue;
      }
      if (Quote != 0) {
        if (L[I] == '\\') {
          ++I;
        } else if (L[I] == Quote) {
          Quote = 0;
        }
        continue;
      }
      if (L[I] == '"' || L[I] == '\'') {
        Quote = L[I];
      } else if (L[I] == '/' && I + 1 < L.size() && L[I + 1] == '*') {
        M[I] = '\1';
        M[I + 1] = '\2';  // the opener's star closes nothing
        ++I;
        InComment = true;
      }
    }
    for (char& C : M) {
      C = C != 0 ? '\1' : '\0';
    }
    Marks.push_back(std::move(M));
  }
  return Marks;
}
}  // namespace

TEST(DcsyntaxCorpus, StyleSheetBlockAloneFindsEveryCommentOfTheStyleSheets) {
  TSyntaxParser Scheme(nullptr);
  LoadThroughFile(Scheme, &HtmlScheme::BuildCss);
  Integer Sheets = 0;
  Integer Comments = 0;
  for (const auto& Entry : std::filesystem::directory_iterator(CorpusDir() + "css")) {
    const std::string Name = Entry.path().filename().string();
    const std::vector<std::string> Lines = SplitLines(ReadCorpusFile("css/" + Name));
    const std::vector<std::string> Got = ColourLines(Scheme, Lines);
    const std::vector<std::string> Want = CssComments(Lines);
    Integer Mismatches = 0;
    for (std::size_t L = 0; L < Lines.size() && Mismatches < 5; ++L) {
      for (std::size_t I = 0; I < Lines[L].size(); ++I) {
        const bool InComment = Want[L][I] != 0;
        Comments += InComment ? 1 : 0;
        if (InComment != (static_cast<unsigned char>(Got[L][I]) == HtmlScheme::CssComment)) {
          ADD_FAILURE() << Name << ":" << L + 1 << ":" << I + 1 << (InComment ? " comment" : " no comment")
                        << " coloured " << static_cast<int>(Got[L][I]) << ": " << Around(Lines[L], I);
          ++Mismatches;
        }
      }
    }
    ++Sheets;
  }
  EXPECT_GE(Sheets, 3);
  EXPECT_GT(Comments, 100);
}
