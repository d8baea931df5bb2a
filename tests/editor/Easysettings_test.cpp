// Tests of the settings file and the search settings: first run, foreign lines, keys in other case,
// damaged entries, and the search step.
#include "editor/Easysettings.h"

#include "editor/Easyinifile.h"
#include "editor/Easyutils.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <sstream>

namespace {
class EasySettingsFile : public ::testing::Test {
protected:
  void SetUp() override {
    Saved = SettingsFileName();
    File = std::filesystem::temp_directory_path().string() + "/EasySettings_test_" + std::to_string(::getpid()) + ".txt";
    std::remove(File.c_str());
    SettingsFileName() = File;
  }
  void TearDown() override {
    std::remove(File.c_str());
    SettingsFileName() = Saved;
  }
  std::string Contents() {
    std::stringstream S;
    S << std::ifstream(File, std::ios::binary).rdbuf();
    return S.str();
  }
  void Write(const std::string& Text) { std::ofstream(File, std::ios::binary) << Text; }
  std::string Saved;
  std::string File;
};
}  // namespace

TEST_F(EasySettingsFile, FirstRunGivesDefaultsAndCreatesAnEmptyFile) {
  {
    TEasySearchSettings S;
    EXPECT_EQ(S.Origin, sgEntireScope);
    EXPECT_TRUE(S.ShowNotFound);
    EXPECT_TRUE(S.PromptOnReplace);
    EXPECT_FALSE(S.CaseSensitive);
    EXPECT_EQ(S.TextToFind, "");
    EXPECT_EQ(Contents(), "");
    S.TextToFind = "needle";
    S.Direction = srBackward;
    S.ShowNotFound = false;
    S.GotoLineNumber = 42;
  }
  const std::string Text = Contents();
  EXPECT_EQ(Text.rfind("SearchSettings=", 0), 0u);
  TEasySearchSettings Again;
  EXPECT_EQ(Again.TextToFind, "needle");
  EXPECT_EQ(Again.Direction, srBackward);
  EXPECT_FALSE(Again.ShowNotFound);
  EXPECT_EQ(Again.GotoLineNumber, 42);
}

TEST_F(EasySettingsFile, ForeignLinesStayAndKeysAreFoundInAnyCase) {
  Write("Other=1\r\nsearchsettings=\r\nLast=x=y\r\n");
  {
    TEasySearchSettings S;
    EXPECT_EQ(S.Origin, sgEntireScope);  // nothing after "=": the defaults
    S.TextToFind = "t";
  }
  TEasyIniFile Ini(File);
  ASSERT_EQ(Ini.Lines()->Count(), 3);
  EXPECT_EQ(Ini.Lines()->Strings(0), "Other=1");
  EXPECT_EQ(Ini.Lines()->Strings(1).rfind("SearchSettings=", 0), 0u);
  EXPECT_EQ(Ini.ReadString("Last", ""), "x=y");
}

TEST_F(EasySettingsFile, ADamagedEntryRaisesAndIsRepaired) {
  Write("SearchSettings=00FF12\r\n");
  EXPECT_THROW(TEasySearchSettings Damaged, EReadError);
  TEasySearchSettings Repaired;
  EXPECT_EQ(Repaired.Origin, sgEntireScope);
}

TEST_F(EasySettingsFile, FirstSearchPlacesTheStartByOriginAndDirection) {
  TEasyStrings Lines;
  Lines.Add("abc abc");
  Lines.Add("x abc y");
  TEasySearchSettings S;
  S.TextToFind = "abc";
  S.FirstSearch = true;
  S.Direction = srBackward;
  TPoint Pos{1, 0};
  int Len = 0;
  EXPECT_TRUE(S.Search(&Lines, Pos, Len, DelimSet));
  EXPECT_EQ(Pos, (TPoint{3, 1}));
  EXPECT_FALSE(S.FirstSearch);
  S.FirstSearch = true;
  S.Origin = sgFromCursor;
  S.Direction = srForward;
  Pos = TPoint{2, 0};
  EXPECT_TRUE(S.Search(&Lines, Pos, Len, DelimSet));
  EXPECT_EQ(Pos, (TPoint{5, 0}));
  S.RegularExpr = true;
  S.TextToFind = "a**";  // a bad pattern raises out of the search
  EXPECT_THROW(S.Search(&Lines, Pos, Len, DelimSet), Exception);
  S.RegularExpr = false;
}
