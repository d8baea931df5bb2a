// Edits inside one long line change the line and its styles in place; what they leave must equal a fresh
// load and lexing of the same text, with the undo giving the old line and styles back exactly.
#include "editor/Easyeditorparser.h"
#include "editor/Easyeditsource.h"
#include "platform/classes/Streams.h"
#include "support/Corpus.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

struct TSourceWithRules {
  std::unique_ptr<TEasyEditorParser> Parser{new TEasyEditorParser(nullptr)};
  std::unique_ptr<TEasyEditSource> Source{new TEasyEditSource(nullptr)};

  explicit TSourceWithRules(const std::string& Text) {
    Parser->LoadRulesFromFile(std::string(ZUBQ_SOURCE_DIR) + "/data/ParserRules/css_lev2.xs");
    Source->SetParser(Parser.get());
    TStringStream In(Text);
    Source->LoadFromStream(&In);
    Source->ParseToString(Source->Strings()->Count() - 1);
  }
  ~TSourceWithRules() { Source->SetParser(nullptr); }
  std::string Styles(int Line) const { return Source->Strings()->GetStrData(Line); }
  std::string Text(int Line) const { return Source->Strings()->GetStr(Line); }
};

std::string Sheet(int Rules) {
  std::string S;
  for (int I = 0; I < Rules; ++I) {
    S += ".c" + std::to_string(I) + "{color:#" + std::to_string(100 + I % 800) +
         ";background:url(http://x.org/a.png)}/* note */a:hover{margin:0 1px}";
  }
  return S;
}

TEST(LongLineEdits, StylesEqualAFreshLexingAndUndoRestoresThem) {
  const std::string Line = Sheet(400);
  TSourceWithRules Edited(Line);
  const std::string Before = Edited.Styles(0);
  struct {
    int Column;
    const char* Typed;
  } Cases[] = {{0, "x"}, {7, "/*"}, {static_cast<int>(Line.size()) / 2, "\""}, {static_cast<int>(Line.size()), "}"},
               {123, "url(a b)"}};
  for (const auto& C : Cases) {
    Edited.Source->JumpTo(C.Column, 0);
    Edited.Source->InsertString(C.Typed);
    const std::string After = Edited.Text(0);
    TSourceWithRules Fresh(After);
    EXPECT_TRUE(Edited.Styles(0) == Fresh.Styles(0)) << "typing " << C.Typed << " at " << C.Column;
    Edited.Source->Undo();
    EXPECT_TRUE(Edited.Text(0) == Line) << "undo at " << C.Column;
    EXPECT_TRUE(Edited.Styles(0) == Before) << "undo at " << C.Column;
  }
  Edited.Source->JumpTo(200, 0);
  Edited.Source->DeleteString(5);
  TSourceWithRules Fresh(Edited.Text(0));
  EXPECT_TRUE(Edited.Text(0) == Line.substr(0, 200) + Line.substr(205));
  EXPECT_TRUE(Edited.Styles(0) == Fresh.Styles(0));
  Edited.Source->Undo();
  EXPECT_TRUE(Edited.Text(0) == Line);
  EXPECT_TRUE(Edited.Styles(0) == Before);
}

// Pages and sheets no one here wrote, with their line breaks taken out: one long line of each kind.
std::string CorpusLine(const char* File, std::size_t Bytes) {
  std::string Text;
  if (FILE* F = std::fopen((CorpusDir() + File).c_str(), "rb")) {
    char Buffer[65536];
    for (std::size_t N; (N = std::fread(Buffer, 1, sizeof Buffer, F)) > 0;) {
      Text.append(Buffer, N);
    }
    std::fclose(F);
  }
  if (Text.empty()) {
    Text = Sheet(50);
  }
  std::string Line;
  for (char C : Text) {
    if (C != '\r' && C != '\n') {
      Line += C;
    }
  }
  const std::string Flat = Line;
  while (Line.size() < Bytes) {
    Line += Flat;
  }
  Line.resize(Bytes);
  return Line;
}

struct TLongLineCase {
  const char* Name;
  const char* Rules;
  const char* File;
};

class LongLineRelexing : public ::testing::TestWithParam<TLongLineCase> {};

// Typing and deleting all over a long line (quotes, comment marks and tags that change the lexer's state far
// beyond them, addresses, plain characters), each edit and each undo checked against lexing the whole line
// afresh: styles and the state at the line's end.
TEST_P(LongLineRelexing, EditsAndUndoLexAsAFreshLineDoes) {
  const TLongLineCase& C = GetParam();
  const std::string Line = CorpusLine(C.File, 96 * 1024);
  std::unique_ptr<TEasyEditorParser> Parser(new TEasyEditorParser(nullptr));
  Parser->LoadRulesFromFile(std::string(ZUBQ_SOURCE_DIR) + "/data/ParserRules/" + C.Rules);
  auto Fresh = [&](const std::string& Text, std::string& Styles) {
    std::unique_ptr<TEasyEditSource> S(new TEasyEditSource(nullptr));
    S->SetParser(Parser.get());
    TStringStream In(Text + "\nnext");
    S->LoadFromStream(&In);
    S->ParseToString(1);
    Styles = S->Strings()->GetStrData(0);
    const int End = S->Strings()->GetState(0);
    S->SetParser(nullptr);
    return End;
  };
  std::unique_ptr<TEasyEditSource> Source(new TEasyEditSource(nullptr));
  Source->SetParser(Parser.get());
  TStringStream In(Line + "\nnext");
  Source->LoadFromStream(&In);
  Source->ParseToString(1);
  const char* Typed[] = {"\"", "'", "/*", "*/", "<", ">", "<!--", "-->", "x", " ", "http://a.org/b", "{", "}",
                         "<script>", "</style>", "//", "#", "\\"};
  unsigned Seed = 12345;
  auto Next = [&](unsigned Bound) {
    Seed = Seed * 1103515245u + 12345u;
    return (Seed >> 8) % Bound;
  };
  for (int Step = 0; Step < 60; ++Step) {
    const int Column = static_cast<int>(Next(static_cast<unsigned>(Source->Strings()->GetStr(0).size()) + 1));
    Source->JumpTo(Column, 0);
    const bool Typing = Next(3) != 0;
    if (Typing) {
      Source->InsertString(Typed[Next(sizeof Typed / sizeof Typed[0])]);
    } else {
      Source->DeleteString(static_cast<int>(Next(40)) + 1);
    }
    std::string Expected;
    const int EndState = Fresh(Source->Strings()->GetStr(0), Expected);
    ASSERT_TRUE(Source->Strings()->GetStrData(0) == Expected) << C.Name << ": step " << Step << " at " << Column;
    ASSERT_EQ(Source->Strings()->GetState(0), EndState) << C.Name << ": step " << Step;
    if (Next(4) == 0) {
      // Undo may take back more than this step (typing is grouped); whatever it gives back lexes afresh.
      Source->Undo();
      const int UndoneState = Fresh(Source->Strings()->GetStr(0), Expected);
      ASSERT_TRUE(Source->Strings()->GetStrData(0) == Expected) << C.Name << ": undo at step " << Step;
      ASSERT_EQ(Source->Strings()->GetState(0), UndoneState) << C.Name << ": undo at step " << Step;
    }
  }
  Source->SetParser(nullptr);
}

// A token whose rule looked far ahead for its end (a quote never closed on the line) changes when the end is
// typed far beyond it, and so do all tokens between; an address broken in its middle loses its style whole.
TEST(LongLineEdits, TokensThatLookedFarAheadAreLexedAgain) {
  std::unique_ptr<TEasyEditorParser> Parser(new TEasyEditorParser(nullptr));
  Parser->Rules()->SetText("Token=tnone\nToken=tstring\nToken=turl\nState=Normal\nNormal \"[^\"]*\" Normal tstring\n");
  std::string Line = "a \"";
  for (int I = 0; I < 20000; ++I) {
    Line += "x y ";
  }
  Line += " http://example.org/a/long/path/name ";
  for (int I = 0; I < 5000; ++I) {
    Line += "x y ";
  }
  auto Lexed = [&](const std::string& Text) {
    std::unique_ptr<TEasyEditSource> S(new TEasyEditSource(nullptr));
    S->SetParser(Parser.get());
    TStringStream In(Text);
    S->LoadFromStream(&In);
    S->ParseToString(0);
    std::string Styles = S->Strings()->GetStrData(0);
    S->SetParser(nullptr);
    return Styles;
  };
  std::unique_ptr<TEasyEditSource> Source(new TEasyEditSource(nullptr));
  Source->SetParser(Parser.get());
  TStringStream In(Line);
  Source->LoadFromStream(&In);
  Source->ParseToString(0);
  const std::size_t Address = Line.find("http:");
  struct {
    std::size_t Column;
    const char* Typed;
    int Deleted;
  } Steps[] = {{60000, "\"", 0}, {60000, "", 1}, {Address + 2, " ", 0}, {Address + 2, "", 1}, {70000, "\"", 0}};
  for (const auto& Step : Steps) {
    Source->JumpTo(static_cast<int>(Step.Column), 0);
    if (Step.Deleted > 0) {
      Source->DeleteString(Step.Deleted);
    } else {
      Source->InsertString(Step.Typed);
    }
    ASSERT_TRUE(Source->Strings()->GetStrData(0) == Lexed(Source->Strings()->GetStr(0)))
        << "after editing at " << Step.Column;
  }
  Source->SetParser(nullptr);
}

// A plain-text line (no highlighter, addresses marked) marks again only the addresses an edit touches: typing and
// deleting in and beside addresses, breaking and joining them, each edit and undo checked against marking the
// whole line afresh.
TEST(LongLineEdits, PlainLineMarksAddressesAsAFreshLineDoes) {
  std::string Line;
  for (int I = 0; I < 3000; ++I) {
    Line += "see http://example.org/p" + std::to_string(I) + ".html or www.x.org, mail a@b.org; ";
  }
  auto Fresh = [](const std::string& Text) {
    std::unique_ptr<TEasyEditSource> S(new TEasyEditSource(nullptr));
    TStringStream In(Text);
    S->LoadFromStream(&In);
    S->ParseToString(0);
    return S->Strings()->GetStrData(0);
  };
  std::unique_ptr<TEasyEditSource> Source(new TEasyEditSource(nullptr));
  TStringStream In(Line);
  Source->LoadFromStream(&In);
  Source->ParseToString(0);
  ASSERT_NE(Source->Strings()->GetStrData(0), std::string(Line.size() * 2, '\xFF'));
  const char* Typed[] = {" ", "x", "http://", "www.", ".", "/", ",", "@", "://"};
  unsigned Seed = 777;
  auto Next = [&](unsigned Bound) {
    Seed = Seed * 1103515245u + 12345u;
    return (Seed >> 8) % Bound;
  };
  for (int Step = 0; Step < 80; ++Step) {
    const std::string Now = Source->Strings()->GetStr(0);
    // Half of the edits go right into or beside an address.
    int Column = static_cast<int>(Next(static_cast<unsigned>(Now.size()) + 1));
    if (Step % 2 == 0) {
      const std::size_t At = Now.find("http", static_cast<std::size_t>(Column));
      Column = At == std::string::npos ? Column : static_cast<int>(At + Next(12));
    }
    Source->JumpTo(Column, 0);
    if (Next(3) != 0) {
      Source->InsertString(Typed[Next(sizeof Typed / sizeof Typed[0])]);
    } else {
      Source->DeleteString(static_cast<int>(Next(10)) + 1);
    }
    Source->ParseToString(0);
    ASSERT_TRUE(Source->Strings()->GetStrData(0) == Fresh(Source->Strings()->GetStr(0)))
        << "step " << Step << " at " << Column;
    if (Next(4) == 0) {
      Source->Undo();
      Source->ParseToString(0);
      ASSERT_TRUE(Source->Strings()->GetStrData(0) == Fresh(Source->Strings()->GetStr(0))) << "undo at step " << Step;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Rules, LongLineRelexing,
                         ::testing::Values(TLongLineCase{"StyleSheet", "css_lev2.xs", "css/rustdoc.css"},
                                           TLongLineCase{"Page", "html.xs", "html/node-addons.html"},
                                           TLongLineCase{"Script", "java_script.xs", "html/rust-std-String.html"},
                                           TLongLineCase{"Xml", "xml.xs", "html/libxslt-API.html"}),
                         [](const ::testing::TestParamInfo<TLongLineCase>& I) { return std::string(I.param.Name); });

}  // namespace

namespace {

TEST(LongLineEdits, SavingWritesTheSameBytesAsTheWholeText) {
  // Lines longer than the save buffer, lines that fill it exactly, and many short ones.
  std::string Text = std::string(3 << 20, 'a') + "\r\n" + std::string((1 << 20) - 2, 'b') + "\r\nc\r\n";
  for (int I = 0; I < 20000; ++I) {
    Text += "line " + std::to_string(I) + "\r\n";
  }
  Text += "last";
  TSourceWithRules S(Text);
  for (const int Style : {static_cast<int>(lbsCRLF), static_cast<int>(lbsLF), static_cast<int>(lbsCR)}) {
    S.Source->Strings()->LineBreakStyle = Style;
    TMemoryStream Out;
    S.Source->SaveToStream(&Out);
    const std::string Expected = S.Source->Strings()->GetSaveText();
    ASSERT_EQ(static_cast<std::size_t>(Out.Size()), Expected.size());
    EXPECT_TRUE(std::memcmp(Out.Memory(), Expected.data(), Expected.size()) == 0);
  }
}

}  // namespace
