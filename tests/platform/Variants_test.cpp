// Variant: type codes, conversions with the class library's rules, Null handling and comparison.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Variants.h"

#include <gtest/gtest.h>

TEST(Variants, ConstructionPicksTheTypeCode) {
  EXPECT_EQ(VarType(Variant()), varEmpty);
  EXPECT_EQ(VarType(Null()), varNull);
  EXPECT_EQ(VarType(Variant(short(3))), varSmallint);
  EXPECT_EQ(VarType(Variant(3)), varInteger);
  EXPECT_EQ(VarType(Variant(3u)), varInteger);
  EXPECT_EQ(VarType(Variant(Int64(1) << 40)), varDouble);
  EXPECT_EQ(VarType(Variant(1.5f)), varSingle);
  EXPECT_EQ(VarType(Variant(1.5)), varDouble);
  EXPECT_EQ(VarType(Variant(true)), varBoolean);
  EXPECT_EQ(VarType(Variant(static_cast<unsigned char>(7))), varByte);
  EXPECT_EQ(VarType(Variant("x")), varString);
  EXPECT_EQ(VarType(Variant::FromOleStr("x")), varOleStr);
  EXPECT_EQ(VarType(Variant::FromDateTime(1.0)), varDate);
  EXPECT_EQ(VarType(Variant::FromCurrency(1.0)), varCurrency);
  EXPECT_TRUE(VarIsEmpty(Unassigned()));
  EXPECT_TRUE(VarIsNull(Null()));
  EXPECT_EQ(varByte, 17);
  EXPECT_EQ(varString, 0x100);
}

TEST(Variants, ConversionRules) {
  EXPECT_EQ(Variant().AsInteger(), 0);
  EXPECT_EQ(Variant().AsString(), "");
  EXPECT_FALSE(Variant().AsBoolean());
  EXPECT_EQ(Variant(true).AsInteger(), -1);
  EXPECT_EQ(Variant(true).AsString(), "True");
  EXPECT_EQ(Variant(false).AsString(), "False");
  EXPECT_TRUE(Variant(" true ").AsBoolean());
  EXPECT_FALSE(Variant("FALSE").AsBoolean());
  EXPECT_TRUE(Variant("2").AsBoolean());
  EXPECT_EQ(Variant(" 42").AsInteger(), 42);
  EXPECT_EQ(Variant("$1F").AsInteger(), 31);
  EXPECT_EQ(Variant("2.5").AsInteger(), 2);  // ties to even
  EXPECT_EQ(Variant(3.5).AsInteger(), 4);
  EXPECT_DOUBLE_EQ(Variant("1.25").AsDouble(), 1.25);
  EXPECT_EQ(Variant(1.5).AsString(), "1.5");
  EXPECT_EQ(Variant(0.1f).AsString(), "0.1");
  EXPECT_EQ(Variant(-7).AsString(), "-7");
  // Dates read and print with the user's pictures, so the text round-trips whatever the locale.
  const std::string DateText = Variant::FromDateTime(43831.75).AsString();
  EXPECT_EQ(DateText, DateTimeToStr(43831.75));
  EXPECT_DOUBLE_EQ(Variant(DateText).AsDateTime(), 43831.75);
  EXPECT_EQ(VarType(VarAsType(Variant(DateText), varDate)), varDate);
  EXPECT_DOUBLE_EQ(Variant::FromCurrency(1.23456).AsDouble(), 1.2346);

  EXPECT_EQ(VarType(VarAsType(Variant("12"), varInteger)), varInteger);
  EXPECT_EQ(VarAsType(Variant("12"), varSmallint).AsInteger(), 12);
  EXPECT_EQ(VarAsType(Variant(1), varBoolean).AsBoolean(), true);
  EXPECT_EQ(VarAsType(Variant(12), varString).AsString(), "12");
  EXPECT_EQ(VarType(VarAsType(Variant(12), varOleStr)), varOleStr);
  EXPECT_TRUE(VarIsNull(VarAsType(Null(), varNull)));
  EXPECT_TRUE(VarIsEmpty(VarAsType(Variant(5), varEmpty)));
}

TEST(Variants, FailedConversionsRaiseEVariantError) {
  auto MessageOf = [](auto F) -> std::string {
    try {
      F();
    } catch (const EVariantError& E) {
      return E.Message();
    }
    return "no error";
  };
  EXPECT_EQ(MessageOf([] { (void)Null().AsInteger(); }), "Invalid variant type conversion");
  EXPECT_EQ(MessageOf([] { (void)Null().AsString(); }), "Invalid variant type conversion");
  EXPECT_EQ(MessageOf([] { VarAsType(Null(), varString); }), "Invalid variant type conversion");
  EXPECT_EQ(MessageOf([] { (void)Variant("abc").AsInteger(); }), "Invalid variant type conversion");
  EXPECT_EQ(MessageOf([] { (void)Variant("maybe").AsBoolean(); }), "Invalid variant type conversion");
  EXPECT_EQ(MessageOf([] { (void)Variant("no date").AsDateTime(); }), "Invalid variant type conversion");
  EXPECT_EQ(MessageOf([] { (void)Variant::FromDateTime(1e9).AsString(); }), "Variant overflow");
  EXPECT_EQ(MessageOf([] { VarAsType(Variant(1), varDispatch); }), "Invalid variant type conversion");
  EXPECT_EQ(MessageOf([] { (void)Variant(3e10).AsInteger(); }), "Variant overflow");
  EXPECT_EQ(MessageOf([] { VarAsType(Variant(40000), varSmallint); }), "Variant overflow");
  EXPECT_EQ(MessageOf([] { VarAsType(Variant(-1), varByte); }), "Variant overflow");
  EXPECT_EQ(VarToStr(Null()), "");
  EXPECT_EQ(VarToStrDef(Null(), "none"), "none");
}

TEST(Variants, Comparison) {
  EXPECT_TRUE(Null() == Null());
  EXPECT_EQ(VarCompareValue(Null(), Variant(0)), vrNotEqual);
  EXPECT_FALSE(Null() < Variant(1));
  EXPECT_TRUE(Variant(2) < Variant(2.5));
  EXPECT_TRUE(Variant(short(3)) == Variant(3.0));
  EXPECT_TRUE(Variant("abc") < Variant("abd"));
  EXPECT_TRUE(Variant("B") < Variant("a"));  // text compares by bytes
  EXPECT_TRUE(Variant("10") > Variant(9));   // numeric text against a number compares as numbers
  EXPECT_TRUE(Variant("x") != Variant(1));
  EXPECT_TRUE(Variant(false) < Variant(true));
  EXPECT_TRUE(Variant() == Variant(0));
  EXPECT_TRUE(Variant() == Variant(""));
  EXPECT_TRUE(Variant::FromError(5) == Variant::FromError(5));
  EXPECT_TRUE(Variant::FromError(5) != Variant(5));
}
