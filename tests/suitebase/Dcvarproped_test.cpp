// The variant property editors: the value keeps its type, and the nested "Type" converts it by name.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Variants.h"
#include "suitebase/Dcvarproped.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace Dcvarproped;

namespace {

class THolder : public TPersistent {
  Z_CLASS(THolder, TPersistent)
public:
  Variant FValue;
  static void Publish(TMetaClass& Meta) {
    TPublisher<THolder> P(Meta);
    P.Property("Value", &THolder::FValue, &THolder::FValue);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(THolder, TPersistent, THolder::Publish)

class VariantEditors : public ::testing::Test {
protected:
  void SetUp() override {
    Group = NewEditorGroup();
    Register();
    GetComponentProperties({&H}, tkAny, nullptr, [&](TPropertyEditor* E) { Value.reset(E); });
    ASSERT_TRUE(Value);
    Value->GetProperties([&](TPropertyEditor* E) { Type.reset(E); });
    ASSERT_TRUE(Type);
  }
  void TearDown() override { FreeEditorGroup(Group); }
  int Group = 0;
  THolder H;
  std::unique_ptr<TPropertyEditor> Value;
  std::unique_ptr<TPropertyEditor> Type;
};

TEST_F(VariantEditors, TheTypeTable) {
  EXPECT_EQ(Value->ClassName(), "ZEZVariantProperty");
  EXPECT_EQ(Type->GetName(), "Type");
  struct TCase {
    const char* Name;
    TVarType Code;
    const char* Shown;
  } Cases[] = {{"integer", varInteger, "Integer"},
               {"String", varString, "String"},
               {"Boolean", varBoolean, "Boolean"},
               {"NoSuchType", varNull, "Null"}};
  for (const TCase& C : Cases) {
    H.FValue = Null();
    Type->SetValue(C.Name);
    EXPECT_EQ(VarType(H.FValue), C.Code) << C.Name;
    EXPECT_EQ(Type->GetValue(), C.Shown) << C.Name;
  }
  H.FValue = Null();
  Type->SetValue("integer");
  EXPECT_EQ(H.FValue.AsInteger(), 0);
  H.FValue = Null();
  Type->SetValue("String");
  EXPECT_EQ(H.FValue.AsString(), "");
}

TEST_F(VariantEditors, TypedTextKeepsTheType) {
  H.FValue = Null();
  Value->SetValue("42");
  EXPECT_EQ(VarType(H.FValue), varString);  // on Null a number stays text
  H.FValue = Variant(7);
  Value->SetValue("42");
  EXPECT_EQ(VarType(H.FValue), varInteger);
  EXPECT_EQ(H.FValue.AsInteger(), 42);
  EXPECT_ANY_THROW(Value->SetValue("forty"));
  EXPECT_EQ(H.FValue.AsInteger(), 42);
  H.FValue = Variant(true);
  EXPECT_EQ(Value->GetValue(), "True");
}

}  // namespace
