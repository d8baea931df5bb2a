// Syntax schemes: character sets as text, attribute and block numbers, copying, the first format's upgrade and the
// stored form.
#include "codeeditor/Dcsyntax.h"

#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

using namespace Dcsyntax;

namespace {
std::string Members(const TSysCharSet& Set) {
  std::string S;
  for (int C = 0; C < 256; ++C) {
    if (Set.Contains(static_cast<char>(C))) {
      S += static_cast<char>(C);
    }
  }
  return S;
}
}  // namespace

TEST(Dcsyntax, CharacterSetsAsText) {
  const TSysCharSet Set{'-', 'a', 'b', 'c'};
  EXPECT_EQ(CharSetToString(Set), "\\-a-c");
  EXPECT_TRUE(StringToCharSet("\\-a-c") == Set);
  EXPECT_EQ(Members(StringToCharSet("A-Z_a-z")), Members(TSyntaxBlock::DefaultFirstIdentChars()));
  EXPECT_EQ(CharSetToString(TSyntaxBlock::DefaultOtherIdentChars()), "0-9A-Z_a-z");
  // A trailing "\" or "-" and a leading "-" stand for themselves instead of reading past the text.
  EXPECT_EQ(Members(StringToCharSet("a\\")), "\\a");
  EXPECT_EQ(Members(StringToCharSet("a-")), "-a");
  EXPECT_EQ(Members(StringToCharSet("-a")), "-a");
  EXPECT_EQ(Members(StringToCharSet("z-a")), "z");  // a range down adds nothing
  EXPECT_EQ(Members(StringToCharSet("\\\\-")), "-\\");
  for (const char* Text : {"\\-a-c", "0-9A-Z_a-z", "\\\\x", "!-/:-@"}) {
    EXPECT_EQ(CharSetToString(StringToCharSet(Text)), Text);
  }
}

TEST(Dcsyntax, UniqueNumbersFillGaps) {
  TFontList Table;
  for (Integer Id : {0, 1, 3, 300}) {
    Table.AddItem()->FontID = Id;
  }
  EXPECT_EQ(Table.GetUniqueID(), 2);
  EXPECT_EQ(Table.AddItem()->FontID, 2);  // a new attribute takes the next free number
  EXPECT_EQ(Table.GetItemByID(3), Table.GetItem(2));
  EXPECT_EQ(Table.GetFontByID(9), nullptr);
  TSyntaxScheme Scheme;
  EXPECT_EQ(Scheme.SyntaxBlocks()->Count(), 1);
  EXPECT_EQ(Scheme.SyntaxBlocks()->GetItem(0)->Name, "Default");
  EXPECT_EQ(Scheme.GetUniqueBlockID(), 1);
  EXPECT_EQ(Scheme.BlockStackList().size(), 1u);
}

TEST(Dcsyntax, FirstFormatSchemeIsUpgraded) {
  TSyntaxScheme Scheme;
  Scheme.ClearContents();
  for (const char* Name : {"Markup", "Script", "Style"}) {
    Scheme.SyntaxBlocks()->AddItem()->Name = Name;
  }
  for (int I = 0; I < 4; ++I) {
    (void)Scheme.FontTable()->AddItem();  // numbers 0..3
  }
  Scheme.SyntaxBlocks()->GetItem(1)->FIText = 1;
  Scheme.SyntaxBlocks()->GetItem(2)->KeywordSets->AddItem()->FontID = 3;
  Scheme.SyntaxBlocks()->GetItem(2)->ParentID = 7;
  Scheme.InitScheme();
  EXPECT_EQ(Scheme.SyntaxVersion(), 3);
  for (Integer I = 0; I < 3; ++I) {
    EXPECT_EQ(Scheme.SyntaxBlocks()->GetItem(I)->ID, I);
    EXPECT_EQ(Scheme.SyntaxBlocks()->GetItem(I)->ParentID, I == 0 ? -1 : 0);
  }
  EXPECT_EQ(Scheme.FontTable()->GetItemByID(1)->BlockID, 1);
  EXPECT_EQ(Scheme.FontTable()->GetItemByID(3)->BlockID, 2);
  EXPECT_EQ(Scheme.FontTable()->GetItemByID(2)->BlockID, 0);
}

TEST(Dcsyntax, AssignCopiesEverything) {
  TSyntaxScheme A;
  A.Name = "Pascal";
  TSyntaxBlock* Root = A.SyntaxBlocks()->GetItem(0);
  Root->UseKeywords = true;
  Root->FirstIdentChars = StringToCharSet("a-z");
  TKeywordSet* Words = Root->KeywordSets->AddItem();
  Words->Name = "Reserved";
  Words->Keywords = "begin,end";
  TAttrItem* Attr = A.FontTable()->AddItem();
  Attr->Font()->SetName("Courier New");
  Attr->SetBackColor(0x123456);
  TSyntaxScheme B;
  B.Assign(&A);
  EXPECT_EQ(B.Name, "Pascal");
  EXPECT_EQ(B.SyntaxVersion(), 3);
  ASSERT_EQ(B.SyntaxBlocks()->GetItem(0)->KeywordSets->Count(), 1);
  EXPECT_EQ(B.SyntaxBlocks()->GetItem(0)->KeywordSets->GetItem(0)->Keywords, "begin,end");
  EXPECT_TRUE(B.SyntaxBlocks()->GetItem(0)->FirstIdentChars == StringToCharSet("a-z"));
  EXPECT_EQ(B.FontTable()->GetItem(0)->Font()->Name(), "Courier New");
  EXPECT_EQ(B.FontTable()->GetItem(0)->BackColor(), 0x123456);
  EXPECT_NE(B.FontTable()->GetItem(0)->Font(), Attr->Font());  // a copy of the font
}
