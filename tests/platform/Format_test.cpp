// Format: the directive table, argument indexes, '*' fields and the errors for bad directives.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct TFormatCase {
  const char* Name;
  std::function<std::string()> Run;
  std::string Expected;
};
void PrintTo(const TFormatCase& C, std::ostream* Os) { *Os << C.Name; }

const TFormatCase FormatCases[] = {
    {"Percent", [] { return Format("100%%", {}); }, "100%"},
    {"DecimalAndString", [] { return Format("%d %s", {42, "apples"}); }, "42 apples"},
    {"DecimalPrecisionPadsZeros", [] { return Format("%.5d", {-12}); }, "-00012"},
    {"DecimalWidthRightAligns", [] { return Format("[%5d]", {42}); }, "[   42]"},
    {"MinusLeftAligns", [] { return Format("[%-5d]", {42}); }, "[42   ]"},
    {"Int64", [] { return Format("%d", {Int64(-9000000000)}); }, "-9000000000"},
    {"UnsignedOfNegative", [] { return Format("%u", {-1}); }, "4294967295"},
    {"HexUpperCase", [] { return Format("%x", {255}); }, "FF"},
    {"HexPrecision", [] { return Format("%.4x", {255}); }, "00FF"},
    {"HexNegative32", [] { return Format("%x", {-1}); }, "FFFFFFFF"},
    {"TypeCharsIgnoreCase", [] { return Format("%D %X %S", {10, 10, "a"}); }, "10 A a"},
    {"FixedDefault", [] { return Format("%f", {3.14159}); }, "3.14"},
    {"FixedRoundsHalfAway", [] { return Format("%.0f|%.2f", {2.5, 0.125}); }, "3|0.13"},
    {"FixedNegativeZero", [] { return Format("%.2f", {-0.001}); }, "0.00"},
    {"FixedNoDecimals", [] { return Format("%.0f", {1234.4}); }, "1234"},
    {"Exponent", [] { return Format("%e", {1234.5}); }, "1.23450000000000E+003"},
    {"ExponentPrecision", [] { return Format("%.3e", {-0.00012345}); }, "-1.23E-004"},
    {"ExponentZero", [] { return Format("%.2e", {0.0}); }, "0.0E+000"},
    {"General", [] { return Format("%g", {0.5}); }, "0.5"},
    {"GeneralLarge", [] { return Format("%g", {1e20}); }, "1E20"},
    {"GeneralPrecision", [] { return Format("%.3g", {1234.5}); }, "1.23E3"},
    {"Number", [] { return Format("%n", {1234567.891}); }, "1,234,567.89"},
    {"NumberNegativeSmall", [] { return Format("%.1n", {-999.96}); }, "-1,000.0"},
    {"Money", [] { return Format("%m", {1234.5}); }, "$1,234.50"},
    {"MoneyNegative", [] { return Format("%m", {-0.5}); }, "($0.50)"},
    {"StringPrecisionTruncates", [] { return Format("%.3s", {"abcdef"}); }, "abc"},
    {"StringWidth", [] { return Format("[%6s][%-6s]", {"ab", "cd"}); }, "[    ab][cd    ]"},
    {"Char", [] { return Format("%s%s", {'x', std::string("yz")}); }, "xyz"},
    {"IndexSetsFollowingArguments", [] { return Format("%1:s %0:s %s", {"a", "b", "c"}); }, "b a b"},
    {"IndexWithWidth", [] { return Format("%1:-3d|", {1, 2}); }, "2  |"},
    {"StarWidthAndPrecision", [] { return Format("[%*.*f]", {8, 3, 3.14159}); }, "[   3.142]"},
    {"EmbeddedZeroByte", [] { return Format("[%s]", {std::string("a\0b", 3)}); }, std::string("[a\0b]", 5)},
};

class FormatTable : public testing::TestWithParam<TFormatCase> {};

TEST_P(FormatTable, Produces) {
  EXPECT_EQ(GetParam().Run(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Directives, FormatTable, testing::ValuesIn(FormatCases),
                         [](const testing::TestParamInfo<TFormatCase>& Info) { return Info.param.Name; });

TEST(Format, PointerHasFullWidth) {
  const void* P = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(0xABCDEF));
  EXPECT_EQ(Format("%p", {P}), std::string(2 * sizeof(void*) - 6, '0') + "ABCDEF");
}

std::string ErrorOf(const std::function<void()>& F) {
  try {
    F();
  } catch (const EConvertError& E) {
    return E.Message();
  }
  return "no error";
}

TEST(Format, BadDirectivesAndMismatchesRaiseWithTheFormatString) {
  EXPECT_EQ(ErrorOf([] { Format("%d", {"text"}); }), "Format '%d' invalid or incompatible with argument");
  EXPECT_EQ(ErrorOf([] { Format("%f", {3}); }), "Format '%f' invalid or incompatible with argument");
  EXPECT_EQ(ErrorOf([] { Format("%s", {1.5}); }), "Format '%s' invalid or incompatible with argument");
  EXPECT_EQ(ErrorOf([] { Format("%p", {1}); }), "Format '%p' invalid or incompatible with argument");
  EXPECT_EQ(ErrorOf([] { Format("%k", {1}); }), "Format '%k' invalid or incompatible with argument");
  EXPECT_EQ(ErrorOf([] { Format("50%", {}); }), "Format '50%' invalid or incompatible with argument");
  EXPECT_EQ(ErrorOf([] { Format("%*d", {"x", 1}); }), "Format '%*d' invalid or incompatible with argument");
  EXPECT_EQ(ErrorOf([] { Format("%d %d", {1}); }), "No argument for format '%d %d'");
  EXPECT_EQ(ErrorOf([] { Format("%5:d", {1}); }), "No argument for format '%5:d'");
}

}  // namespace
