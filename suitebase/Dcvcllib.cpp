// The version label's editor and the limited component reference.
#include "suitebase/Dcvcllib.h"

#include "platform/win/MessageBox.h"

namespace Dcvcllib {

Z_IMPLEMENT_CLASS(ZEZVersionEditor, TStringProperty)
Z_IMPLEMENT_CLASS(TLimitComponentProperty, TComponentProperty)

PTypeInfo TypeInfoVersion() {
  static const TTypeInfo Info = [] {
    TTypeInfo I;
    I.Kind = tkLString;
    I.Name = "ZEZVersion";
    return I;
  }();
  return &Info;
}

TPropertyAttributes ZEZVersionEditor::GetAttributes() {
  TPropertyAttributes A = TStringProperty::GetAttributes();
  A.Include(paDialog);
  A.Include(paReadOnly);
  return A;
}

void ZEZVersionEditor::Edit() {
  const std::string Text = GetProductName() + " version " + GetValue() +
                           "\n\nThe component suite of ZUB Quillon.\nQuestions and reports: the project's issue list.";
  MessageBox(0, Text.c_str(), "About", MB_OK | MB_ICONINFORMATION);
}

void TLimitComponentProperty::GetValues(const std::function<void(const std::string&)>& Proc) {
  TComponentProperty::GetValues([&](const std::string& Name) {
    TComponent* C = Designer() ? Designer()->GetComponent(Name) : nullptr;
    if (C && AcceptComponent(C)) {
      Proc(Name);
    }
  });
}

void Register() { RegisterPropertyEditor(TypeInfoVersion(), nullptr, "", ZEZVersionEditor::StaticClass()); }

}  // namespace Dcvcllib
