// The version label's editor and About box, and component references limited by the editor.
#include "platform/win/DialogService.h"
#include "platform/win/MessageBox.h"
#include "suitebase/Dcvcllib.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Dcvcllib;

namespace {

class TLabelled : public TComponent {
  Z_CLASS(TLabelled, TComponent)
public:
  using TComponent::TComponent;
  std::string FVersion;
  TComponent* FBuddy = nullptr;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TLabelled> P(Meta);
    P.Property("Version", &TLabelled::FVersion, &TLabelled::FVersion).Type(TypeInfoVersion()).Stored(false);
    P.Property("Buddy", &TLabelled::FBuddy, &TLabelled::FBuddy);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TLabelled, TComponent, TLabelled::Publish)

// Only components whose names start with "Ok".
class TOkOnly : public TLimitComponentProperty {
  Z_CLASS(TOkOnly, TLimitComponentProperty)
public:
  bool AcceptComponent(TComponent* C) override { return C->Name().rfind("Ok", 0) == 0; }
};
Z_IMPLEMENT_CLASS(TOkOnly, TLimitComponentProperty)

class TRootDesigner : public IFormDesigner {
public:
  explicit TRootDesigner(TComponent* R) : FRoot(R) {}
  TComponent* GetRoot() override { return FRoot; }

private:
  TComponent* FRoot;
};

TEST(Dcvcllib, TheVersionEditorAndItsAboutBox) {
  TScriptedDialogs Script;
  TScopedDialogService Scope(Script);
  const int Group = NewEditorGroup();
  Register();
  RegisterPropertyEditor(TypeInfo<TComponent*>(), TLabelled::StaticClass(), "Buddy", TOkOnly::StaticClass());
  TComponent Root(nullptr);
  auto* L = new TLabelled(&Root);
  for (const char* Name : {"OkOne", "NotThis", "OkTwo"}) {
    (new TComponent(&Root))->SetName(Name);
  }
  TRootDesigner Designer(&Root);
  std::map<std::string, std::unique_ptr<TPropertyEditor>> E;
  GetComponentProperties({L}, tkAny, &Designer, [&](TPropertyEditor* P) { E[P->GetName()].reset(P); });
  ASSERT_EQ(E["Version"]->ClassName(), "ZEZVersionEditor");
  EXPECT_EQ(E["Version"]->GetValue(), "4.11");
  EXPECT_TRUE(E["Version"]->GetAttributes().Contains(paReadOnly));
  EXPECT_TRUE(E["Version"]->GetAttributes().Contains(paDialog));
  Script.QueueAnswer(IDOK);
  E["Version"]->Edit();
  ASSERT_EQ(Script.Shown().size(), 1u);
  EXPECT_EQ(Script.Shown()[0].Caption, "About");
  EXPECT_EQ(Script.Shown()[0].Text.rfind("Nimbra Controls version 4.11", 0), 0u);

  std::vector<std::string> Offered;
  E["Buddy"]->GetValues([&](const std::string& S) { Offered.push_back(S); });
  EXPECT_EQ(Offered, (std::vector<std::string>{"OkOne", "OkTwo"}));
  FreeEditorGroup(Group);
}

}  // namespace
