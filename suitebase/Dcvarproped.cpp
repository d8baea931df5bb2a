// The variant property editors.
#include "suitebase/Dcvarproped.h"

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Variants.h"

namespace Dcvarproped {

Z_IMPLEMENT_CLASS(ZEZVariantProperty, TPropertyEditor)
Z_IMPLEMENT_CLASS(TVarTypeProperty, TPropertyEditor)

namespace {
struct TVarTypeName {
  const char* Name;
  TVarType Code;
};
const TVarTypeName VarTypeNames[] = {{"Boolean", varBoolean},   {"Byte", varByte},     {"Currency", varCurrency},
                                     {"Date", varDate},         {"Double", varDouble}, {"Integer", varInteger},
                                     {"Null", varNull},         {"OleStr", varOleStr}, {"Single", varSingle},
                                     {"Smallint", varSmallint}, {"String", varString}};
}  // namespace

TPropertyAttributes ZEZVariantProperty::GetAttributes() { return TPropertyAttributes{paSubProperties}; }

std::string ZEZVariantProperty::GetValue() {
  const Variant V = GetVarValue();
  if (VarType(V) == varBoolean) {
    return V.AsBoolean() ? "True" : "False";
  }
  return VarToStr(V);
}

void ZEZVariantProperty::SetValue(const std::string& Value) {
  const Variant Current = GetVarValue();
  if (VarIsNull(Current)) {
    SetVarValue(Variant(Value));
    return;
  }
  SetVarValue(VarAsType(Variant(Value), VarType(Current)));
}

void ZEZVariantProperty::GetProperties(const std::function<void(TPropertyEditor*)>& Proc) {
  auto* Type = new TVarTypeProperty();
  Type->Initialize(Designer(), PropCount());
  for (int I = 0; I < PropCount(); ++I) {
    Type->SetPropEntry(I, GetComponent(I), GetPropInfo());
  }
  Proc(Type);
}

TPropertyAttributes TVarTypeProperty::GetAttributes() {
  return TPropertyAttributes{paValueList, paMultiSelect, paSortList};
}

std::string TVarTypeProperty::GetValue() {
  const TVarType Code = VarType(GetVarValue());
  for (const TVarTypeName& T : VarTypeNames) {
    if (T.Code == Code) {
      return T.Name;
    }
  }
  return "Null";
}

void TVarTypeProperty::SetValue(const std::string& Value) {
  TVarType Code = varNull;
  for (const TVarTypeName& T : VarTypeNames) {
    if (SameText(T.Name, Value)) {
      Code = T.Code;
      break;
    }
  }
  if (Code == varNull) {
    SetVarValue(Null());
    return;
  }
  Variant V = GetVarValue();
  if (VarIsNull(V)) {
    V = Code == varString || Code == varOleStr ? Variant(std::string()) : Variant(0);
  }
  SetVarValue(VarAsType(V, Code));
}

void TVarTypeProperty::GetValues(const std::function<void(const std::string&)>& Proc) {
  for (const TVarTypeName& T : VarTypeNames) {
    Proc(T.Name);
  }
}

void Register() {
  RegisterPropertyEditor(TypeInfo<Variant>(), TPersistent::StaticClass(), "", ZEZVariantProperty::StaticClass());
}

}  // namespace Dcvarproped
