// Code page 1252: case tables, collation order of the Ansi comparisons and the UTF-8 round trip.
#include "platform/rtl/CodePage.h"
#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

TEST(CodePage, CaseTablePairs) {
  struct TPair {
    unsigned char Lower;
    unsigned char Upper;
  };
  const TPair Pairs[] = {
      {'a', 'A'}, {'z', 'Z'}, {0xE0, 0xC0} /* à À */, {0xE9, 0xC9} /* é É */, {0xF6, 0xD6} /* ö Ö */,
      {0xF8, 0xD8} /* ø Ø */, {0xFE, 0xDE} /* þ Þ */, {0xFF, 0x9F} /* ÿ Ÿ */, {0x9A, 0x8A} /* š Š */,
      {0x9C, 0x8C} /* œ Œ */, {0x9E, 0x8E} /* ž Ž */,
  };
  for (const TPair& P : Pairs) {
    SCOPED_TRACE(testing::Message() << "byte " << int(P.Lower));
    EXPECT_EQ(AnsiUpperChar(static_cast<char>(P.Lower)), static_cast<char>(P.Upper));
    EXPECT_EQ(AnsiLowerChar(static_cast<char>(P.Upper)), static_cast<char>(P.Lower));
  }
  // No case partner: ß, µ, ƒ, ª, º, ÷, ×, digits and punctuation.
  for (int B : {0xDF, 0xB5, 0x83, 0xAA, 0xBA, 0xF7, 0xD7, int('5'), int('['), 0x80}) {
    SCOPED_TRACE(testing::Message() << "byte " << int(B));
    EXPECT_EQ(AnsiUpperChar(static_cast<char>(B)), static_cast<char>(B));
    EXPECT_EQ(AnsiLowerChar(static_cast<char>(B)), static_cast<char>(B));
  }
  EXPECT_EQ(AnsiUpperCase("stra\xDF" "e \xE0 la cr\xE8me"), "STRA\xDF" "E \xC0 LA CR\xC8ME");
  EXPECT_EQ(UpperCase("cr\xE8me"), "CR\xE8ME");  // the ASCII version leaves è alone
}

TEST(CodePage, CollationIsLinguisticNotByteOrder) {
  // Byte order would put "Banana" first and "\xE9t\xE9" (été) after "zoo".
  std::vector<std::string> Words = {"zoo", "cherry", "\xE9t\xE9", "Banana", "apple", "eta", "Etz"};
  std::sort(Words.begin(), Words.end(),
            [](const std::string& A, const std::string& B) { return AnsiCompareText(A, B) < 0; });
  const std::vector<std::string> Expected = {"apple", "Banana", "cherry", "eta", "\xE9t\xE9", "Etz", "zoo"};
  EXPECT_EQ(Words, Expected);

  EXPECT_LT(AnsiCompareStr("apple", "Banana"), 0);
  EXPECT_LT(AnsiCompareStr("a", "A"), 0);  // lower case first for otherwise equal text
  EXPECT_GT(AnsiCompareStr("B", "b"), 0);
  EXPECT_EQ(AnsiCompareText("\xC9t\xC9", "\xE9t\xE9"), 0);
  EXPECT_NE(AnsiCompareText("\xE9", "e"), 0);  // accents still count
  EXPECT_TRUE(AnsiSameText("\x8A" "ALE", "\x9A" "ale"));
  EXPECT_FALSE(AnsiSameText("abc", "abd"));
}

TEST(CodePage, ComparisonIsATotalOrder) {
  // Antisymmetric, and equal only for identical (or, ignoring case, case-equal) text, so that sorted lists
  // can binary-search with it; includes texts the collation may hold equal (punctuation, zero bytes).
  const std::vector<std::string> Texts = {"",     "a",   "A",    "a-b", "ab",  "a b", "a\0b",   "\xE9",
                                          "e",    "E",   "\xC9", "co-op", "coop", "1", "10",   "9",
                                          "\x81", "\x8D", "a'b", "-",   "--",  "\xDF", "ss",  "straat"};
  for (const std::string& A : Texts) {
    for (const std::string& B : Texts) {
      SCOPED_TRACE(testing::Message() << "'" << A << "' vs '" << B << "'");
      const int S = AnsiCompareStr(A, B);
      EXPECT_EQ(S, -AnsiCompareStr(B, A));
      EXPECT_EQ(S == 0, A == B);
      const int T = AnsiCompareText(A, B);
      EXPECT_EQ(T, -AnsiCompareText(B, A));
      EXPECT_EQ(T == 0, AnsiLowerCase(A) == AnsiLowerCase(B));
      for (const std::string& C : Texts) {
        if (S < 0 && AnsiCompareStr(B, C) < 0) {
          EXPECT_LT(AnsiCompareStr(A, C), 0) << "not transitive via '" << C << "'";
        }
      }
    }
  }
}

TEST(CodePage, EveryByteRoundTripsThroughUtf8) {
  std::string All;
  for (int B = 0; B < 256; ++B) {
    All += static_cast<char>(B);
  }
  const std::string Utf8 = AnsiToUtf8(All);
  EXPECT_EQ(Utf8ToAnsi(Utf8), All);
  EXPECT_EQ(AnsiToUtf8("\x80\xE9\x9F\x81"), "\u20AC\u00E9\u0178\u0081");
  for (int B = 0; B < 256; ++B) {
    EXPECT_EQ(UnicodeToCp1252(Cp1252ToUnicode(static_cast<unsigned char>(B))), B);
  }
}

TEST(CodePage, Utf8ToAnsiReplacesWhatCannotBeHeld) {
  struct TCase {
    std::string Utf8;
    std::string Ansi;
  };
  const TCase Cases[] = {
      {"\u20AC 5 \u2019", "\x80 5 \x92"},
      {"\u4E2D\u6587", "??"},            // not in 1252
      {"\U0001F600x", "?x"},             // outside the basic plane
      {"\u0080", "?"},                   // a C1 control that 1252 uses for the euro sign
      {"a\xFF" "b", "a?b"},              // a byte that never starts UTF-8
      {"\xC3", "?"},                     // truncated sequence
      {"\xC0\xAF", "??"},                // overlong '/'
      {"\xED\xA0\x80", "???"},           // a surrogate
      {"\xE2\x82" "A", "?" "?A"},        // sequence cut by an ASCII byte
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(Utf8ToAnsi(C.Utf8), C.Ansi) << C.Utf8;
  }
}
