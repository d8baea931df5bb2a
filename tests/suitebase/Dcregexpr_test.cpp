// The suite's regular-expression matcher: the edge cases of its language, its compile errors, and agreement
// with std::regex where the two languages agree.
#include "suitebase/Dcregexpr.h"

#include "tests/suitebase/RegexReference.h"

#include <gtest/gtest.h>

using Dcregexpr::TRegExpr;

namespace {
struct TFindCase {
  const char* Pattern;
  bool MatchCase;
  const char* Subject;
  Integer Pos;
  bool Forward;
  bool Found;
  Integer FoundPos;
  Integer Len;
};

std::ostream& operator<<(std::ostream& Out, const TFindCase& C) {
  return Out << "'" << C.Pattern << "' in '" << C.Subject << "' from " << C.Pos;
}
}  // namespace

class RegExprFind : public ::testing::TestWithParam<TFindCase> {};

TEST_P(RegExprFind, FindsWhereTheLanguageSays) {
  const TFindCase& C = GetParam();
  TRegExpr Re(C.Pattern, C.MatchCase);
  Integer Pos = C.Pos;
  Integer Len = -1;
  EXPECT_EQ(Re.Find(C.Subject, Pos, Len, C.Forward), C.Found);
  EXPECT_EQ(Pos, C.FoundPos);
  EXPECT_EQ(Len, C.Len);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, RegExprFind,
    ::testing::Values(
        // Empty lines: only "^", "$" and "^$" match.
        TFindCase{"^", true, "", 1, true, true, 0, 0}, TFindCase{"$", true, "", 1, true, true, 1, 0},
        TFindCase{"^$", true, "", 1, true, true, 0, 0}, TFindCase{"a*", true, "", 1, true, false, 0, 0},
        TFindCase{"$", true, "abc", 1, true, true, 4, 0},
        // The end of the line counts as a character for ".".
        TFindCase{"a.", true, "xxa", 1, true, true, 3, 1}, TFindCase{"x*", true, "abc", 1, true, true, 1, 0},
        TFindCase{"ab+c", true, "xabbbc", 1, true, true, 2, 5}, TFindCase{"ab+c", true, "ac", 1, true, false, 0, 0},
        TFindCase{"{ab}+", true, "ababab", 1, true, true, 1,
                  6},  // The range of "[z-a]" adds nothing; the member before it stays.
        TFindCase{"[z-a]", true, "abz", 1, true, true, 3, 1}, TFindCase{"x[^a]", true, "abx", 1, true, true, 3, 1},
        TFindCase{"[a-c]", false, "xB", 1, true, true, 2, 1}, TFindCase{"a", false, "xA", 1, true, true, 2, 1},
        TFindCase{"a", true, "xA", 1, true, false, 0, 0}, TFindCase{"\\*", true, "a*b", 1, true, true, 2, 1},
        TFindCase{"^b", true, "ab", 1, true, false, 0, 0}, TFindCase{"b$", true, "abb", 1, true, true, 3, 1},
        TFindCase{"a*ab", true, "aaab", 1, true, true, 1, 4},
        // Backwards from column 5: columns 5, 4, 3, 2, 1 in that order.
        TFindCase{"ab", true, "abxab", 5, false, true, 4, 2}, TFindCase{"ab", true, "abxab", 3, false, true, 1, 2},
        TFindCase{"q", true, "abxab", 5, false, false, 0, 0}));

// An empty repetition at the last column used to loop forever: the repeat stopped only at the end of the line.
TEST(RegExprFind, EmptyRepeatNearTheEndOfTheLineEnds) {
  const struct {
    const char* Pattern;
    const char* Subject;
    Integer Pos;
    bool Forward;
    Integer FoundPos;
  } Cases[] = {{"x*", "ab", 2, true, 2},   {"x*", "ab", 2, false, 2}, {"{x}*", "ab", 2, true, 2},
               {"[x]*", "ab", 2, true, 2}, {"x*", "a", 1, true, 1},   {"x*y*", "ab", 2, true, 2}};
  for (const auto& C : Cases) {
    TRegExpr Re(C.Pattern, true);
    Integer Pos = C.Pos;
    Integer Len = -1;
    EXPECT_TRUE(Re.Find(C.Subject, Pos, Len, C.Forward)) << C.Pattern << " in " << C.Subject;
    EXPECT_EQ(Pos, C.FoundPos) << C.Pattern << " in " << C.Subject;
    EXPECT_EQ(Len, 0) << C.Pattern << " in " << C.Subject;
  }
}

TEST(RegExprCompile, MalformedPatternsRaiseTheMaskErrorAtTheOffendingPosition) {
  struct TCase {
    const char* Pattern;
    int Position;
  } Cases[] = {{"*a", 1}, {"^*", 2},   {"$+", 2},   {"a**", 3},  {"{ab", 4}, {"ab}", 4},
               {"[]", 2}, {"[abc", 5}, {"[-a]", 2}, {"ab\\", 3}, {"}{", 3},  {"x{a}}", 6}};
  for (const TCase& C : Cases) {
    try {
      TRegExpr Re(C.Pattern, true);
      ADD_FAILURE() << C.Pattern << " compiled";
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), std::string(C.Pattern) + " is invalid mask at (" + std::to_string(C.Position) + ")")
          << C.Pattern;
    }
  }
  EXPECT_TRUE(Dcregexpr::EmptyLineStr("^$"));
  EXPECT_FALSE(Dcregexpr::EmptyLineStr("^a"));
}

TEST(RegExprAgreement, MatchesAsStdRegexWhereTheLanguagesAgree) {
  const char* Patterns[] = {"abc",   "a+",     "a*b",  "{ab}+c",   "{ab}*",     "[a-c]+x", "[^x]y",
                            "^ab",   "b$",     "^a*$", "x+y+z*",   "[0-9]+",    ".b",      "a.*c",
                            "{.a}+", "\\.\\*", "Ab",   "[A-Cx]*d", "{abc}*abc", "a*a*a*b", "q*"};
  const char* Subjects[] = {"abc",    "xxabcab", "aaab", "ababc", "b",     "cab x ax",
                            "12ab34", "a.*",     "zzz",  "ABAB",  "abxabd"};
  int Compared = 0;
  for (const char* P : Patterns) {
    const auto Ecma = RegexReference::ToEcma(P);
    ASSERT_TRUE(Ecma.has_value()) << P;
    for (const bool MatchCase : {true, false}) {
      TRegExpr Re(P, MatchCase);
      for (const std::string S : Subjects) {
        for (int Pos = 1; Pos <= static_cast<int>(S.size()); ++Pos) {
          for (const bool Forward : {true, false}) {
            Integer Got = Pos;
            Integer Len = 0;
            const bool Found = Re.Find(S, Got, Len, Forward);
            const auto Want = RegexReference::Search(*Ecma, MatchCase, S, Pos, Forward);
            ASSERT_EQ(Found, Want.has_value()) << P << " in " << S << " from " << Pos << " fwd " << Forward;
            if (Found) {
              EXPECT_EQ(Got, Want->Column) << P << " in " << S << " from " << Pos << " fwd " << Forward;
              EXPECT_EQ(Len, Want->Length) << P << " in " << S << " from " << Pos << " fwd " << Forward;
            }
            ++Compared;
          }
        }
      }
    }
  }
  EXPECT_GT(Compared, 0);
}
