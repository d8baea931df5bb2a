// The object inspector's editors of variant properties: the value as text in its current type, and the type as
// a nested "Type" property chosen by name.
#pragma once

#include "platform/classes/DesignIntf.h"

namespace Dcvarproped {

// A variant: a Boolean shows "False"/"True", others their text; a text typed on Null becomes a string, else it
// is converted to the current type (EConvertError, EVariantError when it does not convert).
class ZEZVariantProperty : public TPropertyEditor {
  Z_CLASS(ZEZVariantProperty, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
  void GetProperties(const std::function<void(TPropertyEditor*)>& Proc) override;
};

// The "Type" of a variant, by one of the names "Boolean", "Byte", "Currency", "Date", "Double", "Integer",
// "Null", "OleStr", "Single", "Smallint", "String"; another name gives Null.
class TVarTypeProperty : public TPropertyEditor {
  Z_CLASS(TVarTypeProperty, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override;
  std::string GetName() override { return "Type"; }
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
  void GetValues(const std::function<void(const std::string&)>& Proc) override;
};

// Registers ZEZVariantProperty for variant properties of every class.
void Register();

}  // namespace Dcvarproped
