// The 8-bit string helpers: 1-based substrings, trimming, comparison, number parsing and printing, quoting,
// replacing, MulDiv and the small identifier/line-break helpers.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(SysUtils, SubstringsAreOneBasedAndClamped) {
  EXPECT_EQ(Pos("lo", "hello"), 4);
  EXPECT_EQ(Pos("x", "hello"), 0);
  EXPECT_EQ(Pos("", "hello"), 0);
  EXPECT_EQ(Copy("hello", 2, 3), "ell");
  EXPECT_EQ(Copy("hello", 0, 2), "he");     // Index < 1 counts as 1
  EXPECT_EQ(Copy("hello", -5, 2), "he");
  EXPECT_EQ(Copy("hello", 4, 100), "lo");   // Count clamped
  EXPECT_EQ(Copy("hello", 6, 1), "");
  EXPECT_EQ(Copy("hello", 2, -1), "");
  EXPECT_EQ(Copy("hello", 2, std::numeric_limits<int>::max()), "ello");

  std::string S = "hello";
  Delete(S, 2, 2);
  EXPECT_EQ(S, "hlo");
  Delete(S, 0, 5);  // out of range: nothing happens
  Delete(S, 4, 1);
  EXPECT_EQ(S, "hlo");
  Delete(S, 2, 100);
  EXPECT_EQ(S, "h");
  Insert("ey", S, 2);
  EXPECT_EQ(S, "hey");
  Insert("<", S, -3);
  Insert(">", S, 99);
  EXPECT_EQ(S, "<hey>");
}

TEST(SysUtils, TrimAndAsciiCase) {
  EXPECT_EQ(Trim("\t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("\x01 x "), "x ");
  EXPECT_EQ(TrimRight(" x \x1F"), " x");
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");  // the no-break space is above ' '
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(UpperCase("abc\xE9"), "ABC\xE9");
  EXPECT_EQ(LowerCase("ABC\xC9"), "abc\xC9");
  EXPECT_LT(CompareStr("B", "a"), 0);
  EXPECT_GT(CompareStr("ab", "a"), 0);
  EXPECT_LT(CompareStr("a", "\xE9"), 0);  // bytes compare unsigned
  EXPECT_EQ(CompareText("HeLLo", "hello"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
  EXPECT_GT(CompareText("_", "a"), 0);  // folded to upper case, as the class library does
  EXPECT_TRUE(SameText("ABC", "abc"));
  EXPECT_FALSE(SameText("\xC9", "\xE9"));
}

TEST(SysUtils, StrToIntAcceptsValSyntax) {
  struct TCase {
    const char* Text;
    int Value;
  };
  const TCase Good[] = {{"0", 0},      {"  12", 12},       {"+7", 7},          {"-2147483648", INT32_MIN},
                        {"$ff", 255},  {"0x1A", 26},       {"x10", 16},        {"-$10", -16},
                        {"$FFFFFFFF", -1}, {"2147483647", INT32_MAX}, {"007", 7}};
  for (const TCase& C : Good) {
    EXPECT_EQ(StrToInt(C.Text), C.Value) << C.Text;
  }
  for (const char* Bad : {"", " ", "12 ", "1.5", "abc", "2147483648", "-2147483649", "$", "$1FFFFFFFF", "--1",
                          "1e3", "0x"}) {
    SCOPED_TRACE(Bad);
    int V = 99;
    EXPECT_FALSE(TryStrToInt(Bad, V));
    EXPECT_EQ(V, 99);
    EXPECT_EQ(StrToIntDef(Bad, -5), -5);
  }
  try {
    StrToInt("12a");
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "'12a' is not a valid integer value");
  }
  EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<Int64>::min());
  EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
  EXPECT_EQ(StrToInt64("4294967296"), Int64(4294967296));
  EXPECT_EQ(StrToInt64Def("9223372036854775808", 3), 3);
  EXPECT_THROW(StrToInt64("x"), EConvertError);
}

TEST(SysUtils, FloatTextBothWays) {
  EXPECT_DOUBLE_EQ(StrToFloat(" -1.5E3 "), -1500);
  EXPECT_DOUBLE_EQ(StrToFloat(".5"), 0.5);
  EXPECT_DOUBLE_EQ(StrToFloat("2."), 2);
  Extended V = 0;
  for (const char* Bad : {"", ".", "1,5", "1e", "e5", "1.2.3", "inf", "nan", "1e999", "0x10"}) {
    EXPECT_FALSE(TryStrToFloat(Bad, V)) << Bad;
  }
  try {
    StrToFloat("1,5");
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "'1,5' is not a valid floating point value");
  }

  struct TCase {
    double Value;
    const char* Text;
  };
  const TCase Cases[] = {{0, "0"},         {-0.5, "-0.5"},       {1e20, "1E20"},
                         {1.5e-10, "1.5E-10"}, {123456789012345.0, "123456789012345"},
                         {1234567890123456.0, "1.23456789012346E15"}, {0.1 + 0.2, "0.3"},
                         {0.00001, "0.00001"}, {0.000001, "1E-6"},  {100, "100"},
                         {-1234.5678, "-1234.5678"}, {1.0 / 3, "0.333333333333333"}, {2.0 / 3, "0.666666666666667"},
                         {999999999999999.9, "1E15"}};
  for (const TCase& C : Cases) {
    EXPECT_EQ(FloatToStr(C.Value), C.Text);
  }
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(FloatToStr(std::nan("")), "NAN");
  EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 4, 2), "1.235E+03");
  EXPECT_EQ(FloatToStrF(1e20, ffFixed, 15, 2), "1E20");  // too many integer digits for fixed
}

TEST(SysUtils, IntToHexAndIntToStr) {
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0, 0), "0");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(Int64(-1), 2), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(DWORD(0xFF000000u), 8), "FF000000");
  EXPECT_EQ(IntToHex(Int64(0x123456789A), 4), "123456789A");
  EXPECT_EQ(IntToStr(std::numeric_limits<Int64>::min()), "-9223372036854775808");
}

TEST(SysUtils, Quoting) {
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(QuotedStr(""), "''");
  EXPECT_EQ(AnsiQuotedStr("say \"hi\"", '"'), "\"say \"\"hi\"\"\"");
  const char* P = "'it''s' rest";
  EXPECT_EQ(AnsiExtractQuotedStr(P, '\''), "it's");
  EXPECT_STREQ(P, " rest");
  const char* Unclosed = "'abc";
  EXPECT_EQ(AnsiExtractQuotedStr(Unclosed, '\''), "abc");
  EXPECT_STREQ(Unclosed, "");
  const char* NotQuoted = "abc";
  EXPECT_EQ(AnsiExtractQuotedStr(NotQuoted, '\''), "");
  EXPECT_STREQ(NotQuoted, "abc");
}

TEST(SysUtils, StringReplace) {
  EXPECT_EQ(StringReplace("a-b-c", "-", "+", 0), "a+b-c");
  EXPECT_EQ(StringReplace("a-b-c", "-", "+", rfReplaceAll), "a+b+c");
  EXPECT_EQ(StringReplace("Abc aBC", "bc", "X", rfReplaceAll), "AX aBC");
  EXPECT_EQ(StringReplace("Abc aBC", "bc", "X", rfReplaceAll | rfIgnoreCase), "AX aX");
  EXPECT_EQ(StringReplace("\xC9t\xE9", "\xE9", "e", rfReplaceAll | rfIgnoreCase), "ete");
  EXPECT_EQ(StringReplace("aaa", "aa", "a", rfReplaceAll), "aa");  // no rescan of replaced text
  EXPECT_EQ(StringReplace("abc", "", "x", rfReplaceAll), "abc");
}

TEST(SysUtils, MulDivRoundsHalfAwayFromZero) {
  struct TCase {
    int Number, Numerator, Denominator, Result;
  };
  const TCase Cases[] = {
      {3, 1, 2, 2},    {5, 1, 2, 3},     {-3, 1, 2, -2},  {3, -1, 2, -2}, {3, 1, -2, -2}, {-3, -1, -2, -2},
      {1, 1, 3, 0},    {2, 1, 3, 1},     {-2, 1, 3, -1},  {96, 120, 96, 120}, {100, 72, 96, 75},
      {5, 7, 0, -1},   {INT32_MAX, 2, 2, INT32_MAX},      {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX},
      {INT32_MAX, 2, 1, -1} /* overflow */, {INT32_MIN, 1, 1, INT32_MIN}, {INT32_MIN, -1, 1, -1},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(MulDiv(C.Number, C.Numerator, C.Denominator), C.Result)
        << C.Number << " * " << C.Numerator << " / " << C.Denominator;
  }
}

TEST(SysUtils, IdentifiersDelimitersAndLineBreaks) {
  for (const char* Good : {"a", "_", "Form1", "_x_9"}) {
    EXPECT_TRUE(IsValidIdent(Good)) << Good;
  }
  for (const char* Bad : {"", "1a", "a b", "a-b", "\xE9t\xE9", "a."}) {
    EXPECT_FALSE(IsValidIdent(Bad)) << Bad;
  }
  EXPECT_EQ(LastDelimiter("\\/", "c:\\dir/file.txt"), 7);
  EXPECT_EQ(LastDelimiter(".", "file"), 0);
  EXPECT_EQ(AdjustLineBreaks("a\rb\nc\r\nd\n\re\n\nf\r\r"), "a\r\nb\r\nc\r\nd\r\ne\r\n\r\nf\r\n\r\n");
}
