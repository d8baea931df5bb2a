// Property editors for a development environment: the suite's version label with its About box, and references
// limited to the components a descendant accepts.
#pragma once

#include "platform/classes/DesignIntf.h"

namespace Dcvcllib {

// The type of the suite components' Version label (a text).
PTypeInfo TypeInfoVersion();

// "4.11", read-only; Edit shows the About box ("Nimbra Controls version 4.11").
class ZEZVersionEditor : public TStringProperty {
  Z_CLASS(ZEZVersionEditor, TStringProperty)
public:
  TPropertyAttributes GetAttributes() override;
  virtual std::string GetProductName() { return "Nimbra Controls"; }
  std::string GetValue() override { return "4.11"; }
  void Edit() override;
};

// A component reference offering only the components AcceptComponent takes.
class TLimitComponentProperty : public TComponentProperty {
  Z_CLASS(TLimitComponentProperty, TComponentProperty)
public:
  void GetValues(const std::function<void(const std::string&)>& Proc) override;
  virtual bool AcceptComponent(TComponent* Component) = 0;
};

// Registers ZEZVersionEditor for every Version label.
void Register();

}  // namespace Dcvcllib
