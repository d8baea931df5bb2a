// Edits inside one long line change the line and its styles in place; what they leave must equal a fresh
// load and lexing of the same text, with the undo giving the old line and styles back exactly.
#include "editor/Easyeditorparser.h"
#include "editor/Easyeditsource.h"
#include "platform/classes/Streams.h"

#include <gtest/gtest.h>

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
