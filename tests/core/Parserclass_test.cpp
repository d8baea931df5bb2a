// Document types: built-in definitions over the registry, lookups, highlighters and delimiter sets.
#include "SettingsTestSupport.h"

#include "core/Ekregistryex.h"
#include "core/Parserclass.h"
#include "core/Settings.h"

#include "editor/Easyeditorparser.h"

namespace {

const std::string HtmlKey = std::string("\\") + SETTINGS_ROOT + "\\" + PARSERS_KEY + "\\HTML";

void StoreText(const std::string& Key, const char* Name, const std::string& Value) {
  EkRegistryEx Reg;
  Reg.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_EQ(Reg.OpenKeyEx(Key, true), 1);
  ASSERT_TRUE(Reg.WriteStringEx(Name, Value.c_str()));
}

std::string StoredText(const std::string& Key, const char* Name) {
  EkRegistryEx Reg;
  Reg.SetRootKey(HKEY_CURRENT_USER);
  Reg.OpenKeyReadOnlyEx(Key);
  StrStore Value;
  Reg.ReadStrStoreEx(Name, Value, 0);
  return Value.text;
}

}  // namespace

using DocumentTypes = SettingsTest;

TEST_F(DocumentTypes, StoredValuesOverwriteTheBuiltInDefinitions) {
  StoreText(HtmlKey, "FileExtensions", "HTM,HTML,XHTML");
  StoreText(HtmlKey, "Delimiters", "<>");
  MakeRoot();
  PointerArrayManager* Types = prg->volatileState->documentTypes;
  ASSERT_EQ(InitParsers(Types), PARSERS_OK);
  ASSERT_EQ(Types->getCount(), 28);
  parserclass* Html = FindParser(Types, FINDPARSER_BY_KEY, 0, "html");
  ASSERT_NE(Html, nullptr);
  EXPECT_EQ(Html->fileType, FILETYPE_HTML);
  EXPECT_STREQ(Html->extensions.text, "HTM,HTML,XHTML");
  EXPECT_STREQ(Html->delimiters.text, "<>");
  EXPECT_TRUE(Html->flags.has(PF::LiveSpelling));
  EXPECT_EQ(FindParser(Types, FINDPARSER_BY_ID, FILETYPE_CSS, nullptr)->fileTypeKey.notEqual("CSS"), 0);
  EXPECT_EQ(FindParser(Types, FINDPARSER_BY_ID, FILETYPE_UNKNOWN_EXTENSION, nullptr), nullptr);
  EXPECT_EQ(InitParsers(nullptr), PARSERS_NO_ARRAY);
}

TEST_F(DocumentTypes, FieldAndKeyLookups) {
  MakeRoot();
  PointerArrayManager* Types = prg->volatileState->documentTypes;
  InitParsers(Types);
  // The first definition with extensions for any id, and the HTML type's own.
  EXPECT_STREQ(FindParserField(Types, PARSERFIELD_EXTENSIONS, -1, 0), "AWK");
  EXPECT_STREQ(FindParserField(Types, PARSERFIELD_EXTENSIONS, FILETYPE_HTML, -5),
               "HTM,HTML,SHTM,SHTML,ASA,ASP,CFM,CFML,XML,PHP,PHP3,PHP4,RT,SGML,SGM,SMI,SMIL,VTM,VTML");
  EXPECT_STREQ(FindParserField(Types, PARSERFIELD_DESCRIPTION, 0, 1), "Assembler");
  EXPECT_STREQ(FindParserField(Types, PARSERFIELD_HIGHLIGHTING, 0, 0), "On");
  EXPECT_EQ(FindParserField(Types, 9, 0, 0), nullptr);
  EXPECT_EQ(FindParserField(Types, PARSERFIELD_DESCRIPTION, 0, 28), nullptr);
  EXPECT_STREQ(FindParserKey(Types, 1, nullptr, 0), "AWKSCRIPT");
  EXPECT_STREQ(FindParserKey(Types, 1, "visual basic", 0), "VB");
  EXPECT_EQ(FindParserKey(Types, 1, "Visual Basic", 26), nullptr);
  EXPECT_EQ(FindParserKey(Types, 0, nullptr, 0), nullptr);
  // ".xml" files are HTML documents: the HTML type lists the extension before the XML type does.
  FindParser(Types, FINDPARSER_BY_KEY, 0, "HTML")->flags.set(PF::SyntaxHighlighting, false);
  EXPECT_STREQ(FindParser(Types, FINDPARSER_BY_KEY, 0, "HTML")->GetField(PARSERFIELD_HIGHLIGHTING, 0), "Off");
}

TEST_F(DocumentTypes, HighlighterIsBuiltOnFirstUseAndSharedAfter) {
  MakeRoot();
  PointerArrayManager* Types = prg->volatileState->documentTypes;
  InitParsers(Types);
  parserclass* Css = FindParser(Types, FINDPARSER_BY_ID, FILETYPE_CSS, nullptr);
  ASSERT_EQ(Css->highlighter, nullptr);
  TEasyEditorParser* First = Css->GetEditorParser();
  ASSERT_NE(First, nullptr);
  EXPECT_GT(First->Rules()->Count(), 0);
  EXPECT_EQ(Css->GetEditorParser(), First);
  EXPECT_EQ(FindParser(Types, FINDPARSER_BY_ID, FILETYPE_TEXT, nullptr)->GetEditorParser(), nullptr);
  EXPECT_TRUE(Dialogs.Shown().empty());
  // Freed with its type.
  Types->removeAllPointers(1, 0);
}

TEST_F(DocumentTypes, MissingRulesFileHealsAndTheNextSaveStoresTheNewPath) {
  StoreText(HtmlKey, "RulesFilename", "/no/such/folder/html.xs");
  MakeRoot();
  PointerArrayManager* Types = prg->volatileState->documentTypes;
  InitParsers(Types);
  parserclass* Html = FindParser(Types, FINDPARSER_BY_KEY, 0, "HTML");
  ASSERT_NE(Html->GetEditorParser(), nullptr);
  const std::string Beside = std::string(prg->volatileState->programFolder.text) + "/ParserRules/html.xs";
  EXPECT_EQ(std::string(Html->rulesPath.text), Beside);
  EXPECT_TRUE(Dialogs.Shown().empty());
  EXPECT_EQ(StoredText(HtmlKey, "RulesFilename"), "/no/such/folder/html.xs");
  ASSERT_EQ(SaveSettings(), 1);
  EXPECT_EQ(StoredText(HtmlKey, "RulesFilename"), Beside);
}

TEST_F(DocumentTypes, RulesFileMissingEverywhereIsReportedOnce) {
  MakeRoot();
  PointerArrayManager* Types = prg->volatileState->documentTypes;
  parserclass* Odd = AddParser(Types, "Odd", "ODD", 99, "ODD", "no_such_rules.xs", 0);
  ASSERT_NE(Odd, nullptr);
  EXPECT_NE(Odd->GetEditorParser(), nullptr);  // kept, highlighting nothing
  ASSERT_EQ(Dialogs.Shown().size(), 1u);
  EXPECT_EQ(Dialogs.Shown()[0].Caption, "Quillon: Could Not Load Parser Rules");
  EXPECT_EQ(Dialogs.Shown()[0].Text, "Could not load parser rules for Odd parser (filename: \"" +
                                         std::string(Odd->rulesPath.text) +
                                         "\"). This syntax parser will not function properly.");
  Odd->GetEditorParser();
  EXPECT_EQ(Dialogs.Shown().size(), 1u);
}

TEST(DelimiterSet, LeavesOutCodeOneAndCodesAbove127) {
  parserclass Type;
  Type.delimiters.assign("ab\x01\x80\xff;");
  std::bitset<256> Set;
  Set.set(200);  // replaced, not added to
  BuildDelimiterSet(Set, &Type);
  EXPECT_TRUE(Set.test(0));
  EXPECT_FALSE(Set.test(1));
  for (int C = 2; C <= 32; ++C) {
    EXPECT_TRUE(Set.test(static_cast<std::size_t>(C))) << C;
  }
  EXPECT_TRUE(Set.test('a'));
  EXPECT_TRUE(Set.test(';'));
  EXPECT_FALSE(Set.test('c'));
  EXPECT_FALSE(Set.test(0x80));
  EXPECT_FALSE(Set.test(0xff));
  EXPECT_FALSE(Set.test(200));
  EXPECT_EQ(Set.count(), 32u + 3u);
}
