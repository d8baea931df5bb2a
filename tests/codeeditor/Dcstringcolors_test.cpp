// The memo source's colour cache with a real tokenizer on a source file of this tree, address marking, colour
// data kept by a parser that stores it, and the longest line.
#include "codeeditor/Dcstring.h"

#include "codeeditor/Dclanguages.h"
#include "tests/codeeditor/MemoFixture.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

using namespace Dcstring;

Z_IMPLEMENT_CLASS(TMemoListener, TComponent)

namespace {
// A parser whose colour data is part of the document: it keeps whatever colours the lines hold.
class TKeepingParser : public Dorazori::TSimpleParser {
  Z_CLASS(TKeepingParser, Dorazori::TSimpleParser)
public:
  explicit TKeepingParser(TComponent* AOwner) : Dorazori::TSimpleParser(AOwner) {}
  Integer ColorString(const std::string&, Integer State, std::string&) override { return State; }
  bool StoreColorData() override { return true; }
  void PrepareColorData(Integer, const std::string& S, std::string& ColorData) override { ColorData.resize(S.size()); }
};

class ColorTest : public MemoTest {
protected:
  void LoadSource() { M->LoadFromFile(std::string(ZUBQ_SOURCE_DIR) + "/codeeditor/Dcstringprimitives.cpp"); }
  std::vector<Integer> Parsed;
};
}  // namespace

Z_IMPLEMENT_CLASS(TKeepingParser, Dorazori::TSimpleParser)

TEST_F(ColorTest, AnEditKeepsEarlierLinesAndReparsesFromItsLine) {
  Dcparser::TCPPParser Parser(nullptr);
  M->SetSyntaxParser(&Parser);
  LoadSource();
  ASSERT_GT(M->GetStrCount(), 200);
  M->GetColorData(0);
  EXPECT_EQ(M->ParsedCount, 101);  // a hundred lines ahead
  M->ParseStrings(0, M->GetStrCount() - 1, false);
  std::vector<std::string> Before;
  for (Integer I = 0; I < 10; ++I) {
    Before.push_back(M->GetStringItem(I)->ColorData);
  }
  M->JumpTo(0, 10);
  Type("x");
  EXPECT_EQ(M->ParsedCount, 10);
  for (Integer I = 0; I < 10; ++I) {
    EXPECT_TRUE(M->GetStringItem(I)->ItemState.Contains(isWasParsed));
    EXPECT_EQ(M->GetStringItem(I)->ColorData, Before[static_cast<std::size_t>(I)]);
  }
  M->OnAfterParse = [&](TObject*, Integer Index, std::string&, std::string&) { Parsed.push_back(Index); };
  M->GetColorData(12);
  EXPECT_EQ(M->ParsedCount, 113);
  for (Integer I : Parsed) {
    EXPECT_GE(I, 10);  // nothing before the edit is parsed again
  }
  M->SetSyntaxParser(nullptr);
}

TEST_F(ColorTest, OpeningACommentMarksToTheEndAndClosingItStopsWhereStatesAgree) {
  Dcparser::TCPPParser Parser(nullptr);
  M->SetSyntaxParser(&Parser);
  LoadSource();
  M->JumpTo(0, 9);
  M->Insert("*/");
  M->ParseStrings(0, M->GetStrCount() - 1, false);
  TMemoListener L;
  M->RegisterNotifier(L.Method(), false);
  M->JumpTo(0, 5);
  M->Insert("/*");
  ASSERT_FALSE(L.Calls.empty());
  EXPECT_EQ(L.Calls.back().First, 5);
  EXPECT_EQ(L.Calls.back().Last, MaxInt);
  M->OnAfterParse = [&](TObject*, Integer Index, std::string&, std::string&) { Parsed.push_back(Index); };
  M->ParseStrings(M->ParsedCount, M->GetStrCount() - 1, false);
  EXPECT_EQ(Parsed, (std::vector<Integer>{6, 7, 8, 9}));
  EXPECT_EQ(static_cast<Byte>(M->GetColorData(6)[0]), 2);  // a comment
  Parsed.clear();
  M->DeleteRight(2);
  M->ParseStrings(M->ParsedCount, M->GetStrCount() - 1, false);
  EXPECT_EQ(Parsed, (std::vector<Integer>{5, 6, 7, 8, 9}));  // the edited line, then until the states agree
  EXPECT_NE(static_cast<Byte>(M->GetColorData(6)[0]), 2);
  M->UnregisterNotifier(L.Method());
  M->SetSyntaxParser(nullptr);
}

TEST_F(ColorTest, AddressesGetStyle12WithTheirFullStop) {
  M->SetHighLightUrls(true);
  Load("see www.example.com. and foo.bar now\nmail me@host.org");
  const std::string C = M->GetColorData(0);
  const std::string Expected = std::string(4, '\0') + std::string(16, '\x0c') + std::string(16, '\0');
  EXPECT_EQ(C, Expected);
  EXPECT_EQ(M->GetColorData(1).substr(5), std::string(11, '\x0c'));
  EXPECT_EQ(M->GetAttr(TPoint{20, 0}), 0);  // left of an address: the style before it
}

TEST_F(ColorTest, DisplayAlignedColourWidensTabs) {
  TStringsOptions O = M->Options();
  O.Include(soUseTabCharacter);
  M->SetOptions(O);
  M->SetTabStops("8");
  M->SetHighLightUrls(true);
  Load("a\tb");
  EXPECT_EQ(M->GetStoredColorData(0).size(), 9u);
  EXPECT_EQ(M->GetColorData(0).size(), 3u);
}

TEST_F(ColorTest, StoredColoursFollowEditsUndoAndRedo) {
  TKeepingParser Parser(nullptr);
  M->SetSyntaxParser(&Parser);
  Load("plain");
  M->JumpTo(5, 0);
  M->InsertEx("abc", std::string(3, '\x03'));
  EXPECT_EQ(M->GetStringItem(0)->ColorData, std::string(5, '\0') + std::string(3, '\x03'));
  M->JumpTo(8, 0);
  Type("d");  // takes the style left of the caret
  EXPECT_EQ(M->GetStringItem(0)->ColorData, std::string(5, '\0') + std::string(4, '\x03'));
  M->JumpTo(2, 0);
  M->DeleteRight(4);
  EXPECT_EQ(M->GetStringItem(0)->ColorData, std::string(2, '\0') + std::string(3, '\x03'));
  M->Undo();
  EXPECT_EQ(M->GetStringItem(0)->ColorData, std::string(5, '\0') + std::string(4, '\x03'));
  M->Redo();
  EXPECT_EQ(M->GetStringItem(0)->ColorData, std::string(2, '\0') + std::string(3, '\x03'));
  M->JumpTo(3, 0);
  M->BreakLine();
  EXPECT_EQ(M->GetStringItem(1)->ColorData, std::string(2, '\x03'));
  M->Undo();
  M->Undo();
  M->Undo();
  EXPECT_EQ(Text(), "plainabcd");
  EXPECT_EQ(M->GetStringItem(0)->ColorData, std::string(5, '\0') + std::string(4, '\x03'));
  M->SetSyntaxParser(nullptr);
}

TEST_F(ColorTest, TheLongestLineIsTheLaterOfEqualOnes) {
  Load("abc\nxy\ndef");
  M->UpdateMaxLine(true);
  EXPECT_EQ(M->MaxLineIndex, 2);
  EXPECT_EQ(M->MaxLineLength, 3);
  M->JumpTo(2, 1);
  Type("zz");
  EXPECT_EQ(M->MaxLineIndex, 1);
  M->JumpTo(0, 0);
  M->BreakLine();
  EXPECT_EQ(M->MaxLineIndex, 2);
}
