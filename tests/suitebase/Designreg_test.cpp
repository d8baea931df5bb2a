// The designer support registries: editors, popups, edit sources and the class catalogue with package groups.
#include "platform/classes/ClassRegistry.h"
#include "suitebase/Designreg.h"
#include "suitebase/Notifiers.h"
#include "tests/support/Forms.h"

using namespace Dorazori;

namespace {

class TEditorA : public TComponent {
  Z_CLASS(TEditorA, TComponent)
public:
  using TComponent::TComponent;
};
Z_IMPLEMENT_CLASS(TEditorA, TComponent)
class TEditorB : public TComponent {
  Z_CLASS(TEditorB, TComponent)
public:
  using TComponent::TComponent;
};
Z_IMPLEMENT_CLASS(TEditorB, TComponent)
class TQuiet : public TComponent {
  Z_CLASS(TQuiet, TComponent)
public:
  using TComponent::TComponent;
};
Z_IMPLEMENT_CLASS(TQuiet, TComponent)
class TQuieter : public TQuiet {
  Z_CLASS(TQuieter, TQuiet)
public:
  using TQuiet::TQuiet;
};
Z_IMPLEMENT_CLASS(TQuieter, TQuiet)
class TSource : public TEditSource {
  Z_CLASS(TSource, TEditSource)
public:
  using TEditSource::TEditSource;
  std::string GetValue() override { return {}; }
  void SetValue(const std::string&) override {}
};
Z_IMPLEMENT_CLASS(TSource, TEditSource)

class TBroadcastListener : public TObject {
public:
  TBroadcastListener() { RegisterNotifier(this); }
  ~TBroadcastListener() override { UnregisterNotifier(this); }
  void Dispatch(TMessage& M) override {
    if (M.Msg == SM_COMPONENTSREGISTERED) {
      ++Heard;
    }
  }
  int Heard = 0;
};

TEST(Designreg, AGroupsRegistrationsGoTogetherFromEveryRegistry) {
  const int Popups = PopupClasses()->Count();
  const int Edits = EditClasses()->Count();
  const int Sources = EditSourceClasses()->Count();
  const int Items = ClassItems()->Count();
  CurrentGroup = 41;
  RegisterPopupClass(TypeInfo<int>(), nullptr, "", TEditorA::StaticClass());
  RegisterTextEditClass(TypeInfo<std::string>(), nullptr, "Caption", TEditorB::StaticClass());
  RegisterEditSource(TSource::StaticClass());
  ClassItems()->RegisterClass(TQuiet::StaticClass(), TClassItemCats{icField});
  CurrentGroup = 42;
  RegisterEditClass(TypeInfo<int>(), nullptr, "", TEditorA::StaticClass());
  CurrentGroup = -1;
  EXPECT_TRUE(IsTextEditClass(TEditorB::StaticClass()));
  EXPECT_FALSE(IsTextEditClass(TEditorA::StaticClass()));
  EXPECT_EQ(GetClass("TEditorA"), TEditorA::StaticClass());  // editors land in the class registry

  BroadCastToNotifiers(nullptr, SM_FREEEDITGROUP, 41, 0);
  EXPECT_EQ(PopupClasses()->Count(), Popups);
  EXPECT_EQ(EditClasses()->Count(), Edits + 1);  // group 42's stays
  EXPECT_EQ(EditSourceClasses()->Count(), Sources);
  EXPECT_EQ(ClassItems()->Count(), Items);
  BroadCastToNotifiers(nullptr, SM_FREEEDITGROUP, 42, 0);
  EXPECT_EQ(EditClasses()->Count(), Edits);
}

TEST(Designreg, UnregisteringNeedsTheExactPropertyName) {
  const int Edits = EditClasses()->Count();
  RegisterEditClass(TypeInfo<int>(), nullptr, "Width", TEditorA::StaticClass());
  UnRegisterEditClass(TypeInfo<int>(), nullptr, "width", TEditorA::StaticClass());
  EXPECT_EQ(EditClasses()->Count(), Edits + 1);
  UnRegisterEditClass(TypeInfo<int>(), nullptr, "Width", TEditorA::StaticClass());
  EXPECT_EQ(EditClasses()->Count(), Edits);
}

TEST(Designreg, TheCatalogueUnitesCategoriesAndDecidesIconsByTheFirstAncestor) {
  TClassItem* A = ClassItems()->RegisterClass(TQuiet::StaticClass(), TClassItemCats{icNoIcon});
  TClassItem* B = ClassItems()->RegisterClass(TQuiet::StaticClass(), TClassItemCats{icField});
  EXPECT_EQ(A, B);
  EXPECT_TRUE(A->Categories.Contains(icNoIcon));
  EXPECT_TRUE(A->Categories.Contains(icField));
  EXPECT_FALSE(IsIconClass(TQuieter::StaticClass()));
  EXPECT_TRUE(IsIconClass(TEditorB::StaticClass()));
  TList Fields;
  ClassItems()->ListFieldClasses(&Fields);
  EXPECT_GE(Fields.IndexOf(const_cast<TMetaClass*>(TQuiet::StaticClass())), 0);
}

TEST(Designreg, TheClassLibrarysHooksFillTheCatalogueAndBroadcast) {
  InstallRegistrationHooks();
  TBroadcastListener Listener;
  RegisterComponents("Suite", {TEditorB::StaticClass()});
  EXPECT_EQ(Listener.Heard, 1);
  TClassItem* Item = ClassItems()->RegisterClass(TEditorB::StaticClass(), TClassItemCats{});
  EXPECT_TRUE(Item->Categories.Contains(icShowinPalette));
  EXPECT_EQ(Item->Page, "Suite");
  RegisterComponents("Other", {TEditorB::StaticClass()});
  EXPECT_EQ(Item->Page, "Suite");  // the first page stays
  RegisterNoIcon({TEditorA::StaticClass()});
  EXPECT_FALSE(IsIconClass(TEditorA::StaticClass()));
  EXPECT_EQ(Listener.Heard, 3);
}

TEST(Designreg, SelectionsCompareItemByItemAndWrappersKeepTheirOrder) {
  TPersistent A;
  TPersistent B;
  ZEZPersistentList One;
  ZEZPersistentList Two;
  One.Add(&A);
  One.Add(&B);
  Two.Add(&A);
  EXPECT_FALSE(One.Equals(Two));
  Two.Add(&B);
  EXPECT_TRUE(One.Equals(Two));
  EXPECT_EQ(One.Get(1), &B);
  TListWrapper W;
  W.Add(&B);
  W.Add(&A);
  W.Add(&B);
  EXPECT_EQ(W.GetCount(), 2);
  EXPECT_LT(W.GetObject(0), W.GetObject(1));
  W.Remove(&B);
  EXPECT_EQ(W.GetCount(), 1);
  EXPECT_EQ(W.GetClass(0), W.GetObject(0));
}

class ButtonsTest : public TestSupport::TFormTest {};
TEST_F(ButtonsTest, StandardButtonsMoveUpWhenThereIsNoHelp) {
  auto* Ok = TestSupport::Make<TButton>(Form, Form, TRect{10, 100, 85, 125});
  auto* Cancel = TestSupport::Make<TButton>(Form, Form, TRect{90, 100, 165, 125});
  auto* Help = TestSupport::Make<TButton>(Form, Form, TRect{170, 100, 245, 125});
  boolShowHelpButton = true;
  UpdateStandardButtons(Ok, Cancel, Help);
  EXPECT_EQ(Ok->Left(), 10);
  EXPECT_TRUE(Help->Visible());
  EXPECT_EQ(Help->Caption(), "&Help");
  boolShowHelpButton = false;
  UpdateStandardButtons(Ok, Cancel, Help);
  EXPECT_EQ(Ok->Left(), 90);
  EXPECT_EQ(Cancel->Left(), 170);
  EXPECT_FALSE(Help->Visible());
  EXPECT_EQ(Ok->Caption(), "OK");
  EXPECT_EQ(Cancel->Caption(), "Cancel");
  EXPECT_EQ(DefaultCheckWidth(), 13);
  EXPECT_EQ(DefaultCheckHeight(), 13);
}

}  // namespace
