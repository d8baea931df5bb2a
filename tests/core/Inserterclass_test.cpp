// Inserters: the configuration file reader, item normalisation, the shipped files and the inserter commands.
#include "SettingsTestSupport.h"

#include "core/Inserterclass.h"
#include "core/Mainwindowservices.h"
#include "core/Settings.h"

#include <filesystem>
#include <cstring>

namespace {

struct TReadCase {
  const char* Name;
  const char* Text;
  int Result;
  int Items;  // items in the array afterwards
};

const TReadCase ReadCases[] = {
    {"Minimal", "<zubtaginserterconfiguration>\n</zubtaginserterconfiguration>\n", INSCFG_OK, 0},
    {"RootWithVersionAndCaseFolded",
     "<?xml version=\"1.0\"?>\r\n<ZUBTagInserterConfiguration version='6.0'>\r\n"
     "<TAG menu=\"M\" caption=\"C\" inserttext=\"x\" />\r\n</ZUBTAGINSERTERCONFIGURATION>\r\n",
     INSCFG_OK, 1},
    {"CommentsAndBlankLinesAreSkipped",
     "<!-- a comment before the root -->\n<zubtaginserterconfiguration>\n<tag menu=\"M\" inserttext=\"a\">\n"
     "   \n\n<!-- between items -->\n<other attr=\"1\">\n<tag menu=\"M\" inserttext=\"b\">\n"
     "</zubtaginserterconfiguration>",
     INSCFG_OK, 2},
    {"PlainTextBetweenItemsKeepsWhatWasRead",
     "<zubtaginserterconfiguration>\n<tag menu=\"M\" inserttext=\"a\">\nplain text\n<tag menu=\"M\" inserttext=\"b\">\n"
     "</zubtaginserterconfiguration>\n",
     INSCFG_TAG_ERROR, 1},
    {"PlainTextBeforeTheRoot", "hello\n<zubtaginserterconfiguration>\n</zubtaginserterconfiguration>\n",
     INSCFG_TAG_ERROR, 0},
    {"NoClosingRoot", "<zubtaginserterconfiguration>\n<tag menu=\"M\" inserttext=\"a\">\n", INSCFG_NO_CLOSING_ROOT, 1},
    {"NoRoot", "<tag menu=\"M\" inserttext=\"a\">\n", INSCFG_NO_ROOT, 0},
    {"Empty", "", INSCFG_NO_ROOT, 0},
    {"RootAttributeError", "<zubtaginserterconfiguration version=6>\n</zubtaginserterconfiguration>\n",
     INSCFG_ATTRIBUTE_ERROR, 0},
    {"ItemAttributeErrorDropsTheItem",
     "<zubtaginserterconfiguration>\n<tag menu=\"M\" inserttext=\"a\">\n<tag menu=\"M\" caption=\"unclosed>\n"
     "</zubtaginserterconfiguration>\n",
     INSCFG_ATTRIBUTE_ERROR, 1},
    {"TextAfterTheAttributesIsIgnored",
     "<zubtaginserterconfiguration>\n<tag inserttext=\"a\"> trailing <b>bold</b>\n</zubtaginserterconfiguration>\n",
     INSCFG_OK, 1},
};

class InserterReading : public ::testing::TestWithParam<TReadCase> {};

}  // namespace

TEST_P(InserterReading, Results) {
  const TReadCase& C = GetParam();
  PointerArrayManager* Items = nullptr;
  EXPECT_EQ(LoadInserterConfigurationText(Items, C.Text, static_cast<int>(std::strlen(C.Text)), 0), C.Result);
  ASSERT_NE(Items, nullptr);
  EXPECT_EQ(Items->getCount(), C.Items);
  if (C.Result == INSCFG_OK) {
    EXPECT_EQ(Items->settings.getInt(PAM_UNCHANGED), 1);
  }
  delete Items;
}

INSTANTIATE_TEST_SUITE_P(Cases, InserterReading, ::testing::ValuesIn(ReadCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST(InserterItems, AttributesDecodingAndNormalisation) {
  const char Text[] =
      "<zubtaginserterconfiguration>\n"
      "<tag menu=\"Text\" caption=\"\" inserttext=\"&lt;b&gt;|&lt;/b&gt;\">\n"
      "<tag menu=\"Text\" flags=\"4\" caption=\"ignored\" inserttext=\"x\">\n"
      "<tag menu='Text' caption='Tab' inserttext='a&#9;b&#13;&#10;c' hint='Own hint' flags='16' command='2'>\n"
      "<tag menu=\"Text\" inserttext=\"&#9;&#8;\" UNKNOWN=\"1\">\n"
      "</zubtaginserterconfiguration>\n";
  PointerArrayManager* Items = nullptr;
  ASSERT_EQ(LoadInserterConfigurationText(Items, Text, static_cast<int>(sizeof Text - 1), 0), INSCFG_OK);
  ASSERT_EQ(Items->getCount(), 4);
  const auto* Bold = static_cast<ticlass*>(Items->getPointer(0));
  EXPECT_STREQ(Bold->insertText.text, "<b>|</b>");
  EXPECT_STREQ(Bold->caption.text, "<b>|</b>");
  EXPECT_STREQ(Bold->hint.text, "<b></b>");
  const auto* Separator = static_cast<ticlass*>(Items->getPointer(1));
  EXPECT_STREQ(Separator->caption.text, "-");
  EXPECT_STREQ(Separator->hint.text, "");
  const auto* Tab = static_cast<ticlass*>(Items->getPointer(2));
  EXPECT_STREQ(Tab->hint.text, "Own hint");
  EXPECT_EQ(Tab->flags.asInt(), 0x12);  // 0x10 also sets 2
  EXPECT_EQ(Tab->command, 2);
  StrStore Display;
  ASSERT_NE(Tab->GetDisplayText(1, Display), nullptr);
  EXPECT_STREQ(Display.text, "ab\nc");
  EXPECT_EQ(Tab->GetDisplayText(0, Display), nullptr);
  const auto* Blank = static_cast<ticlass*>(Items->getPointer(3));
  EXPECT_EQ(Blank->GetDisplayText(1, Display), nullptr);
  EXPECT_STREQ(Blank->caption.text, "");
  delete Items;
}

TEST(InserterFiles, MissingFileCannotBeRead) {
  PointerArrayManager* Items = nullptr;
  EXPECT_EQ(LoadInserterConfiguration(Items, "/no/such/file.txt", 0), INSCFG_CANNOT_READ);
  EXPECT_EQ(Items, nullptr);
}

TEST(InserterFiles, TheShippedFilesReadWhole) {
  struct TShipped {
    const char* File;
    int AtLeast;
  };
  for (const TShipped& S : {TShipped{"taginsertercfg.txt", 80}, TShipped{"cssinsertercfg.txt", 100},
                            TShipped{"userinsertercfg.txt", 3}}) {
    SCOPED_TRACE(S.File);
    PointerArrayManager* Items = nullptr;
    const std::string Path = std::string(ZUBQ_SOURCE_DIR) + "/data/" + S.File;
    ASSERT_EQ(LoadInserterConfiguration(Items, Path.c_str(), 0), INSCFG_OK);
    EXPECT_GE(Items->getCount(), S.AtLeast);
    for (int I = 0; I < Items->getCount(); ++I) {
      const auto* Item = static_cast<ticlass*>(Items->getPointer(I));
      EXPECT_GT(Item->menu.length, 0) << I;
      EXPECT_GT(Item->caption.length, 0) << I;
    }
    delete Items;
  }
}

using Inserters = SettingsTest;

TEST_F(Inserters, DefaultsAndLookup) {
  MakeRoot();
  PointerArrayManager* Array = prg->volatileState->inserters;
  ASSERT_EQ(Array->getCount(), 3);
  const auto* Tag = static_cast<inserterclass*>(Array->getPointer(0));
  EXPECT_STREQ(Tag->registryName.text, "TagInserter");
  EXPECT_EQ(Tag->top, 100);
  EXPECT_EQ(Tag->width, 300);
  EXPECT_EQ(FindInserter(Array, IF2::CSSInserter, 1), Array->getPointer(1));
  EXPECT_EQ(FindInserter(Array, IF2::UserInserter, 1), Array->getPointer(2));
  EXPECT_EQ(FindInserter(Array, IF2::UserInserter, 0), nullptr);
  EXPECT_EQ(FindInserter(Array, IF2::ValidateOnOpen, 1), nullptr);
}
