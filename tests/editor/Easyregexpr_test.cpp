// Tests of the component's pattern language: compiling, anchored matching, searching and the error texts.
#include "editor/Easyregexpr.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct MatchCase {
  const char* Name;
  const char* Pattern;
  bool CaseSensitive;
  const char* Text;
  bool LineStart;
  bool Matches;
  int Length;  // checked only when it matches
};

class RegExprMatch : public ::testing::TestWithParam<MatchCase> {};

TEST_P(RegExprMatch, AnchoredMatchAndLength) {
  const MatchCase& C = GetParam();
  TEasyRegExpr R(C.Pattern, C.CaseSensitive);
  int Length = -1;
  EXPECT_EQ(R.StringMatch(std::string(C.Text), C.LineStart, Length), C.Matches);
  if (C.Matches) {
    EXPECT_EQ(Length, C.Length);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegExprMatch,
    ::testing::Values(
        // A quantifier after a plain character repeats that character only.
        MatchCase{"StarRepeatsLastCharNone", "ab*", false, "a", false, true, 1},
        MatchCase{"StarRepeatsLastCharOne", "ab*", false, "ab", false, true, 2},
        MatchCase{"StarRepeatsLastCharMany", "ab*", false, "abbbx", false, true, 4},
        MatchCase{"StarDoesNotRepeatPair", "ab*", false, "abab", false, true, 2},
        MatchCase{"GroupStarNone", "{ab}*c", false, "c", false, true, 1},
        MatchCase{"GroupStarOne", "{ab}*c", false, "abc", false, true, 3},
        MatchCase{"GroupStarTwo", "{ab}*c", false, "ababc", false, true, 5},
        MatchCase{"GroupStarNoTail", "{ab}*c", false, "abab", false, false, 0},
        MatchCase{"OptionalAbsent", "a|b", false, "b", false, true, 1},
        MatchCase{"OptionalPresent", "a|b", false, "ab", false, true, 2},
        MatchCase{"PlusNeedsOne", "a+", false, "b", false, false, 0},
        MatchCase{"PlusGreedy", "a+", false, "aaab", false, true, 3},
        MatchCase{"RangeFoldsCase", "[a-c]", false, "B", false, true, 1},
        MatchCase{"RangeCaseSensitive", "[a-c]", true, "B", false, false, 0},
        MatchCase{"CharFoldsCase", "abc", false, "ABC", false, true, 3},
        MatchCase{"NegatedSet", "[^a-c]", false, "d", false, true, 1},
        MatchCase{"NegatedSetFolds", "[^a-c]", false, "C", false, false, 0},
        MatchCase{"CharCode", "#65", true, "A", false, true, 1},
        MatchCase{"CodeRange", "[#48-#57]+", true, "2026x", false, true, 4},
        MatchCase{"CodeRangeRejects", "[#48-#57]", true, "a", false, false, 0},
        MatchCase{"EscapedStar", "\\*", false, "*", false, true, 1},
        MatchCase{"EscapedBang", "<\\!--", false, "<!-- x", false, true, 4},
        MatchCase{"SetEscapes", "[\\]\\-]+", false, "]-]x", false, true, 3},
        MatchCase{"TrailingDashInSet", "[+-]+", false, "-+-x", false, true, 3},
        MatchCase{"LineStartAllowed", "^a", false, "a", true, true, 1},
        MatchCase{"LineStartRefused", "^a", false, "a", false, false, 0},
        MatchCase{"LineEnd", "ab$", false, "ab", false, true, 2},
        MatchCase{"LineEndNotYet", "ab$", false, "abc", false, false, 0},
        MatchCase{"EmptyMatchReportsOne", "x*", false, "y", false, true, 1},
        MatchCase{"BacktrackPlainStar", "a*ab", false, "aaab", false, true, 4},
        MatchCase{"BacktrackGroupStar", "{ab}*abc", false, "ababc", false, true, 5},
        MatchCase{"BacktrackIntoSetRun", "[a-z]*[0-9]", false, "abc1", false, true, 4},
        MatchCase{"QuotedString", "\"[^\"]*\"", false, "\"a b\" c", false, true, 5},
        MatchCase{"UnclosedQuotedString", "\"[^\"]*\"", false, "\"a b", false, false, 0},
        MatchCase{"NegatedCharTakesOne", "!a", false, "bc", false, true, 1},
        MatchCase{"NegatedCharRejects", "!a", false, "a", false, false, 0},
        MatchCase{"NegatedGroupDiffers", "x!{ab}", false, "xac", false, true, 3},
        MatchCase{"NegatedGroupRejectsSame", "x!{ab}", false, "xab", false, false, 0},
        MatchCase{"RunOfNonStars", "{!\\*}+", false, "ab*", false, true, 2},
        MatchCase{"NestedGroups", "{a{bc}*}+d", false, "abcbcad", false, true, 7}),
    [](const ::testing::TestParamInfo<MatchCase>& I) { return std::string(I.param.Name); });

struct ErrorCase {
  const char* Name;
  const char* Pattern;
  int Position;
};

class RegExprError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(RegExprError, RaisesWithPosition) {
  const ErrorCase& C = GetParam();
  try {
    TEasyRegExpr R(C.Pattern, false);
    FAIL() << "no error for " << C.Pattern;
  } catch (const EEasyRegExprError& E) {
    EXPECT_EQ(E.Message(), std::string(C.Pattern) + " is invalid mask at (" + std::to_string(C.Position) + ")");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegExprError,
    ::testing::Values(ErrorCase{"StarFirst", "*a", 1}, ErrorCase{"StarAfterLineStart", "^*", 2},
                      ErrorCase{"DoubleStar", "a**", 3}, ErrorCase{"UnclosedSet", "[", 2},
                      ErrorCase{"EmptySet", "[]", 2}, ErrorCase{"EmptyNegatedSet", "[^]", 3},
                      ErrorCase{"UnclosedGroup", "{a", 3}, ErrorCase{"BangAtEnd", "!", 2},
                      ErrorCase{"HashWithoutDigits", "a#b", 3}, ErrorCase{"BackslashAtEnd", "a\\", 3},
                      ErrorCase{"DashWithoutStart", "[-a]", 2}, ErrorCase{"PlusAfterLineEnd", "a$+", 3},
                      ErrorCase{"SetMissingEnd", "[a-c", 5}),
    [](const ::testing::TestParamInfo<ErrorCase>& I) { return std::string(I.param.Name); });

TEST(RegExpr, LenientForms) {
  // A range that runs backwards adds nothing but is no error; "}" without a group is accepted.
  TEasyRegExpr Backwards("[z-ax]", true);
  int L = 0;
  EXPECT_FALSE(Backwards.StringMatch(std::string("m"), false, L));
  EXPECT_TRUE(Backwards.StringMatch(std::string("x"), false, L));
  TEasyRegExpr Close("a}", true);
  EXPECT_TRUE(Close.StringMatch(std::string("a"), false, L));
  // A backslash before an ordinary character inside a set is a member itself.
  TEasyRegExpr Slash("[\\a]+", true);
  EXPECT_TRUE(Slash.StringMatch(std::string("\\a\\"), false, L));
  EXPECT_EQ(L, 3);
}

struct FindCase {
  const char* Name;
  const char* Pattern;
  const char* Text;
  int From;
  bool Forward;
  int Pos;  // 0: no match
  int Length;
};

class RegExprFind : public ::testing::TestWithParam<FindCase> {};

TEST_P(RegExprFind, FindsFromPosition) {
  const FindCase& C = GetParam();
  TEasyRegExpr R(C.Pattern, false);
  int Pos = C.From;
  int Length = -1;
  EXPECT_EQ(R.FindString(C.Text, Pos, C.Forward, Length), C.Pos != 0);
  EXPECT_EQ(Pos, C.Pos);
  EXPECT_EQ(Length, C.Length);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegExprFind,
    ::testing::Values(FindCase{"BackwardFromEnd", "a", "aXa", 3, false, 3, 1},
                      FindCase{"BackwardFromMiddle", "a", "aXa", 2, false, 1, 1},
                      FindCase{"ForwardSkips", "a", "aXa", 2, true, 3, 1},
                      FindCase{"ForwardFromZero", "x+", "axxb", 0, true, 2, 2},
                      FindCase{"PastEndIsCut", "b", "ab", 9, false, 2, 1},
                      FindCase{"NotFound", "q", "abc", 1, true, 0, 0},
                      FindCase{"EmptyMatchHasLengthZero", "x*", "abc", 1, true, 1, 0},
                      FindCase{"LineStartOnlyAtFirst", "^a", "aa", 2, true, 0, 0},
                      FindCase{"LineEndForward", "$", "abc", 1, true, 4, 0},
                      FindCase{"LineEndBackwardAtEnd", "$", "abc", 3, false, 4, 0},
                      FindCase{"LineEndBackwardBefore", "$", "abc", 2, false, 0, 0},
                      FindCase{"EmptyTextLineStart", "^", "", 1, true, 1, 0},
                      FindCase{"EmptyTextOtherPattern", "a*", "", 1, true, 0, 0}),
    [](const ::testing::TestParamInfo<FindCase>& I) { return std::string(I.param.Name); });

TEST(RegExpr, FirstStateAndLineAnchors) {
  EXPECT_TRUE(TEasyRegExpr("^$", false).EmptyLine());
  EXPECT_FALSE(TEasyRegExpr("^a", false).EmptyLine());
  // The first element that tests a character, skipping anchors and marks; upper-cased when folding.
  TEasyRegExpr Expr("^{b}*c", false);
  const TEasyRegElement* E = Expr.GetFirstState();
  ASSERT_NE(E, nullptr);
  EXPECT_EQ(E->Kind, rkChar);
  EXPECT_EQ(E->Char, 'B');
  EXPECT_EQ(TEasyRegExpr("\\<", true).GetFirstState()->Kind, rkEscape);
  EXPECT_EQ(TEasyRegExpr("^$", true).GetFirstState(), nullptr);
}

TEST(RegExpr, MatcherIsReusable) {
  // The backtrack stack and the recorded length start afresh for every match.
  TEasyRegExpr R("[a-z]*1", false);
  int L = 0;
  EXPECT_FALSE(R.StringMatch(std::string("abcdefgh"), false, L));
  EXPECT_TRUE(R.StringMatch(std::string("ab1"), false, L));
  EXPECT_EQ(L, 3);
  EXPECT_FALSE(R.StringMatch(std::string("2"), false, L));
  EXPECT_EQ(L, 1);
}

TEST(RegExpr, ShortcutsAgreeWithTheFullWalk) {
  // Wrapping a pattern in a group changes nothing it matches but keeps it off the shortcuts for plain
  // leading characters and for patterns that need no backtracking.
  const char* Patterns[] = {"[0-9]+[a-z%]*", "\"[^\"]*\"", "<[a-z][a-z0-9\\-]*", "ab|c", "[a-z]*[0-9]", "x+y*",
                            "\\.", "a.", "#35[0-9a-f]+", "[^<&]+"};
  const char* Texts[] = {"12px;", "12", "\"ab\" c", "\"ab", "<div-a>", "<", "abc", "ac", "xyz9", "xxx", "\\",
                         "a", "#ff0", "text<b>", "&amp;", ""};
  for (const char* P : Patterns) {
    TEasyRegExpr Fast(P, false);
    TEasyRegExpr Full(std::string("{") + P + "}", false);
    for (const char* T : Texts) {
      int L1 = 0;
      int L2 = 0;
      const bool M1 = Fast.StringMatch(std::string(T), false, L1);
      const bool M2 = Full.StringMatch(std::string(T), false, L2);
      EXPECT_EQ(M1, M2) << P << " on " << T;
      if (M1 && M2) {
        EXPECT_EQ(L1, L2) << P << " on " << T;
      }
    }
  }
}

TEST(RegExpr, CharacterZeroEndsThePatternOnEveryPath) {
  // "#0" is the end element's character: what follows it is never tested, by the shortcuts neither.
  TEasyRegExpr R("a#0b", false);
  int Length = 0;
  EXPECT_TRUE(R.StringMatch(std::string("ab"), false, Length));
  EXPECT_EQ(Length, 1);
  const char* Patterns[] = {"a#0b", "#0", "ab#0", "a#0", "[a-z]+#0x", "x*#0y", "{a}#0b", "a#0!b", "#0#0"};
  const char* Texts[] = {"ab", "a", "", "b", "abc", "xxy", "zz"};
  for (const char* P : Patterns) {
    TEasyRegExpr Fast(P, false);
    TEasyRegExpr Full(P, false);
    Full.SetShortcuts(false);
    for (const char* T : Texts) {
      const std::string Text = T;
      int L1 = 0;
      int L2 = 0;
      const bool M1 = Fast.StringMatch(Text, false, L1);
      const bool M2 = Full.StringMatch(Text, false, L2);
      EXPECT_EQ(M1, M2) << P << " on " << T;
      if (M1 && M2) {
        EXPECT_EQ(L1, L2) << P << " on " << T;
      }
      int Pos1 = 1;
      int Pos2 = 1;
      EXPECT_EQ(Fast.FindString(Text, Pos1, true, L1), Full.FindString(Text, Pos2, true, L2)) << P << " in " << T;
      EXPECT_EQ(Pos1, Pos2) << P << " in " << T;
      EXPECT_EQ(L1, L2) << P << " in " << T;
    }
  }
}

}  // namespace
