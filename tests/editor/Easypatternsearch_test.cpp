// Tests of the search settings with patterns: the pattern branch of the search step, empty matches that must
// still make progress, a host's own matcher, and every setting surviving a restart.
#include "editor/Easyregexpr.h"
#include "editor/Easysettings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace {

class PatternSearch : public ::testing::Test {
protected:
  void SetUp() override {
    Saved = SettingsFileName();
    File = std::filesystem::temp_directory_path().string() + "/EasyPatternSearch_test_" +
           std::to_string(::getpid()) + ".txt";
    std::remove(File.c_str());
    SettingsFileName() = File;
    Lines.reset(new TEasyStrings);
  }
  void TearDown() override {
    OnGetGlobalFindRoutine = nullptr;
    std::remove(File.c_str());
    SettingsFileName() = Saved;
  }
  std::unique_ptr<TEasySearchSettings> Settings(const std::string& Pattern) {
    std::unique_ptr<TEasySearchSettings> S(new TEasySearchSettings);
    S->RegularExpr = true;
    S->TextToFind = Pattern;
    return S;
  }
  std::string Saved;
  std::string File;
  std::unique_ptr<TEasyStrings> Lines;
};

TEST_F(PatternSearch, FindsMatchesWithTheirLengthsBothWays) {
  Lines->Add("id = 42;");
  Lines->Add("Total: 7 AB");
  auto S = Settings("[0-9]+");
  TPoint Pos{1, 0};
  int Len = 0;
  ASSERT_TRUE(S->Search(Lines.get(), Pos, Len, DelimSet));
  EXPECT_EQ(Pos, (TPoint{6, 0}));
  EXPECT_EQ(Len, 2);
  Pos.X += Len;
  ASSERT_TRUE(S->Search(Lines.get(), Pos, Len, DelimSet));
  EXPECT_EQ(Pos, (TPoint{8, 1}));
  // Backward from the end of the second line finds the 7 again, then the 42.
  S->Direction = srBackward;
  Pos = TPoint{11, 1};
  ASSERT_TRUE(S->Search(Lines.get(), Pos, Len, DelimSet));
  EXPECT_EQ(Pos, (TPoint{8, 1}));
  Pos.X -= 1;
  ASSERT_TRUE(S->Search(Lines.get(), Pos, Len, DelimSet));
  EXPECT_EQ(Pos, (TPoint{7, 0}));  // the last start that still matches: "2"
  EXPECT_EQ(Len, 1);
  // Case folding follows CaseSensitive.
  auto Folded = Settings("ab");
  Pos = TPoint{1, 0};
  EXPECT_TRUE(Folded->Search(Lines.get(), Pos, Len, DelimSet));
  EXPECT_EQ(Pos, (TPoint{10, 1}));
  Folded->CaseSensitive = true;
  Pos = TPoint{1, 0};
  EXPECT_FALSE(Folded->Search(Lines.get(), Pos, Len, DelimSet));
}

TEST_F(PatternSearch, LineStartsAreFoundOneAfterAnother) {
  Lines->Add("first");
  Lines->Add("");
  Lines->Add("third");
  auto S = Settings("^");
  TPoint Pos{1, 0};
  int Len = -1;
  std::vector<int> Found;
  while (S->Search(Lines.get(), Pos, Len, DelimSet) && Found.size() < 5) {
    EXPECT_EQ(Len, 0);
    EXPECT_EQ(Pos.X, 1);
    Found.push_back(Pos.Y);
  }
  EXPECT_EQ(Found, (std::vector<int>{1, 2}));  // never the line where the search started, never one twice
}

TEST_F(PatternSearch, AnEmptyMatchStillMovesTheStartOn) {
  Lines->Add("ab");
  Lines->Add("c");
  auto S = Settings("x*");
  TPoint Pos{1, 0};
  int Len = -1;
  ASSERT_TRUE(S->Search(Lines.get(), Pos, Len, DelimSet));
  EXPECT_EQ(Len, 0);
  EXPECT_EQ(Pos, (TPoint{2, 0}));  // matched at 1, moved on by one
  ASSERT_TRUE(S->Search(Lines.get(), Pos, Len, DelimSet));
  EXPECT_EQ(Pos, (TPoint{0, 1}));  // at the line end: the next line
}

TEST_F(PatternSearch, AHostMatcherTakesOver) {
  Lines->Add("abc");
  int Calls = 0;
  OnGetGlobalFindRoutine = [&](TEasySearchSettings*) -> TEasyMatchFunc {
    return [&](const std::string&, int& X, int& Length, bool) {
      ++Calls;
      X = 3;
      Length = 1;
      return true;
    };
  };
  auto S = Settings("a**");  // never compiled: the host's matcher decides
  TPoint Pos{1, 0};
  int Len = 0;
  EXPECT_TRUE(S->Search(Lines.get(), Pos, Len, DelimSet));
  EXPECT_EQ(Pos, (TPoint{3, 0}));
  EXPECT_EQ(Calls, 1);
  OnGetGlobalFindRoutine = nullptr;
  EXPECT_THROW(S->Search(Lines.get(), Pos, Len, DelimSet), EEasyRegExprError);
}

TEST_F(PatternSearch, EverySettingSurvivesARestart) {
  {
    auto S = Settings("[a-z]+ \"x\"");
    S->ReplaceWith = "y=1";
    S->PromptOnReplace = false;
    S->CaseSensitive = true;
    S->WholeWordsOnly = true;
    S->Direction = srBackward;
    S->Scope = scSelectedText;
    S->Origin = sgFromCursor;
    S->ShowNotFound = false;
    S->ReplaceAll = true;
    S->InReplace = true;
    S->FirstSearch = true;
    S->GotoLineNumber = 1234;
  }
  std::unique_ptr<TEasySearchSettings> R(new TEasySearchSettings);
  EXPECT_EQ(R->TextToFind, "[a-z]+ \"x\"");
  EXPECT_EQ(R->ReplaceWith, "y=1");
  EXPECT_FALSE(R->PromptOnReplace);
  EXPECT_TRUE(R->CaseSensitive);
  EXPECT_TRUE(R->WholeWordsOnly);
  EXPECT_TRUE(R->RegularExpr);
  EXPECT_EQ(R->Direction, srBackward);
  EXPECT_EQ(R->Scope, scSelectedText);
  EXPECT_EQ(R->Origin, sgFromCursor);
  EXPECT_FALSE(R->ShowNotFound);
  EXPECT_TRUE(R->ReplaceAll);
  EXPECT_TRUE(R->InReplace);
  EXPECT_TRUE(R->FirstSearch);
  EXPECT_EQ(R->GotoLineNumber, 1234);
}

}  // namespace
