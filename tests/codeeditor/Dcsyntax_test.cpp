// Syntax schemes: character sets as text, attribute and block numbers, copying, the first format's upgrade and the
// stored form.
#include "codeeditor/Dcsyntax.h"

#include "platform/classes/Filer.h"
#include "platform/win/DialogService.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>

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

// ---- stored form ----

namespace {
// A scheme with two blocks, keyword sets, delimiters, attributes and its own identifier characters.
void FillScheme(TSyntaxScheme& S) {
  S.Name = "Markup with script";
  TSyntaxBlock* Root = S.SyntaxBlocks()->GetItem(0);
  Root->UseComments = Root->UseMultiLineComments = true;
  TBlockToken* Comment = Root->MultiLineCommentDelimiters->AddItem();
  Comment->LeftDelimiter = "<!--";
  Comment->RightDelimiter = "-->";
  Comment->FontID = 1;
  TSyntaxBlock* Script = S.SyntaxBlocks()->AddItem();
  Script->Name = "Script";
  Script->ID = 1;
  Script->ParentID = 0;
  Script->CaseSensitive = true;
  Script->UseMetaSymbol = true;
  Script->MetaSymbol = '\\';
  Script->UseKeywords = true;
  Script->OtherIdentChars = StringToCharSet("0-9A-Z_a-z$");
  TDelimiters* Enter = Script->BlockDelimiters->AddItem();
  Enter->LeftDelimiter = "<script>";
  Enter->RightDelimiter = "</script>";
  TKeywordSet* Words = Script->KeywordSets->AddItem();
  Words->Name = "Reserved";
  Words->Keywords = "var,function,\"a b\"";
  Words->FontID = 2;
  for (int I = 0; I < 3; ++I) {
    TAttrItem* A = S.FontTable()->AddItem();
    A->BlockID = I == 2 ? 1 : 0;
    A->GlobalAttrID = "Style" + std::to_string(I);
    A->SetBackColor(0x102030 * (I + 1));
    A->Font()->SetName(I == 1 ? "Courier New" : "Arial");
  }
  S.InitScheme();
}

std::string TextForm(TSyntaxScheme& S) {
  TMemoryStream Binary;
  S.SaveToStream(&Binary);
  Binary.SetPosition(0);
  TMemoryStream Text;
  ObjectBinaryToText(&Binary, &Text);
  return std::string(static_cast<const char*>(Text.Memory()), static_cast<std::size_t>(Text.Size()));
}
}  // namespace

TEST(Dcsyntax, SavedAndLoadedSchemesAreEqual) {
  TSyntaxScheme A;
  FillScheme(A);
  const std::string Text = TextForm(A);
  EXPECT_EQ(Text.rfind("object TPersHolder", 0), 0u) << Text;
  EXPECT_NE(Text.find("P.SyntaxVersion = 3"), std::string::npos) << Text;
  EXPECT_NE(Text.find("P.SyntaxBlocks = <"), std::string::npos) << Text;
  EXPECT_NE(Text.find("OtherIdentChars = '$0-9A-Z_a-z'"), std::string::npos) << Text;

  TestSupport::TTempFolder Dir;
  A.SaveToFile(Dir / "scheme.txt");
  TSyntaxScheme FromFile;
  FromFile.LoadFromFile(Dir / "scheme.txt");
  EXPECT_EQ(TextForm(FromFile), Text);

  TMemoryStream Binary;
  A.SaveToStream(&Binary);
  Binary.SetPosition(0);
  TSyntaxScheme FromBinary;
  FromBinary.LoadFromStream(&Binary);
  EXPECT_EQ(TextForm(FromBinary), Text);

  TMemoryStream TextStream;
  TextStream.WriteBuffer(Text.data(), static_cast<LongInt>(Text.size()));
  TextStream.SetPosition(0);
  TSyntaxScheme FromText;
  FromText.LoadFromStream(&TextStream);
  EXPECT_EQ(TextForm(FromText), Text);
  EXPECT_EQ(FromText.SyntaxBlocks()->GetItem(1)->KeywordSets->GetItem(0)->Keywords, "var,function,\"a b\"");
  EXPECT_EQ(FromText.SyntaxBlocks()->GetItem(1)->MetaSymbol, '\\');
  EXPECT_EQ(FromText.FontTable()->GetItemByID(1)->Font()->Name(), "Courier New");
}

TEST(Dcsyntax, UnknownPropertyIsSkipped) {
  TSyntaxScheme A;
  FillScheme(A);
  std::string Text = TextForm(A);
  const std::size_t At = Text.find("  P.Name = ");
  ASSERT_NE(At, std::string::npos);
  Text.insert(At, "  P.Colour = 5\n  P.Later = 'x'\n");
  TMemoryStream In;
  In.WriteBuffer(Text.data(), static_cast<LongInt>(Text.size()));
  In.SetPosition(0);
  TSyntaxScheme B;
  B.LoadFromStream(&In);
  EXPECT_EQ(B.Name, "Markup with script");
  EXPECT_EQ(B.SyntaxBlocks()->Count(), 2);
}

TEST(Dcsyntax, UnreadableFileKeepsTheSchemeAndSaysSo) {
  TestSupport::TTempFolder Dir;
  std::ofstream(Dir / "bad.txt") << "object TPersHolder\n  P.Name = \n";
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope(Dialogs);
  TSyntaxScheme S;
  FillScheme(S);
  const std::string Before = TextForm(S);
  EXPECT_THROW(S.LoadFromFile(Dir / "bad.txt"), Exception);
  EXPECT_THROW(S.LoadFromFile(Dir / "none.txt"), Exception);
  TMemoryStream Junk;
  Junk.WriteBuffer("junk", 4);
  Junk.SetPosition(0);
  EXPECT_THROW(S.LoadFromStream(&Junk), Exception);
  EXPECT_EQ(TextForm(S), Before);
  const std::vector<TDialogRequest> Shown = Dialogs.Shown();
  ASSERT_EQ(Shown.size(), 3u);
  EXPECT_EQ(Shown[0].Text, "Can't read syntax scheme from file \"" + (Dir / "bad.txt") + "\".");
  EXPECT_EQ(Shown[2].Text, "Can't read syntax scheme from stream.");
}
