// Tests of form loading: layouts converted at build time, read by class name into a root and its children
// (FormLoading_test.dfm and FormLoading_test_inherited.dfm beside this file).
#include "platform/classes/Classes.h"
#include "platform/classes/Filer.h"
#include "platform/classes/FormResources.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::string> GLoadedLog;

class TTestButton : public TComponent {
  Z_CLASS(TTestButton, TComponent)
public:
  using TComponent::TComponent;
  std::string FCaption;
  TTestButton* FBuddy = nullptr;
  TNotifyEvent FOnClick;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TTestButton> P(Meta);
    P.Property("Caption", &TTestButton::FCaption, &TTestButton::FCaption);
    P.Property("Buddy", &TTestButton::FBuddy, &TTestButton::FBuddy);
    P.Property("OnClick", &TTestButton::FOnClick, &TTestButton::FOnClick);
  }

protected:
  void Loaded() override {
    inherited::Loaded();
    GLoadedLog.push_back(Name() + (FBuddy != nullptr ? "" : " (no buddy)"));
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TTestButton, TComponent, TTestButton::Publish)

// A form: it reads its layout when constructed through its class (the virtual constructor).
class TTestForm : public TComponent {
  Z_CLASS(TTestForm, TComponent)
public:
  using TComponent::TComponent;
  TTestButton* Button1 = nullptr;
  TTestButton* Button2 = nullptr;
  std::string FCaption;
  std::vector<std::string> FClicks;

  void AfterConstruction() override {
    inherited::AfterConstruction();
    InitInheritedComponent(this, TComponent::StaticClass());
  }
  void Button1Click(TObject* Sender) { FClicks.push_back("1:" + static_cast<TComponent*>(Sender)->Name()); }

  static void Publish(TMetaClass& Meta) {
    TPublisher<TTestForm> P(Meta);
    P.Property("Caption", &TTestForm::FCaption, &TTestForm::FCaption);
    P.Field("Button1", &TTestForm::Button1);
    P.Field("Button2", &TTestForm::Button2);
    P.Method("Button1Click", &TTestForm::Button1Click);
  }

protected:
  void GetChildren(TGetChildProc Proc, TComponent*) override {
    for (Integer I = 0; I < ComponentCount(); ++I) {
      Proc(Components(I));
    }
  }
  void Loaded() override {
    inherited::Loaded();
    GLoadedLog.push_back(Name());
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TTestForm, TComponent, TTestForm::Publish)

class TTestForm2 : public TTestForm {
  Z_CLASS(TTestForm2, TTestForm)
public:
  using TTestForm::TTestForm;
  TTestButton* Button3 = nullptr;
  void Button3Click(TObject*) { FClicks.push_back("3"); }
  static void Publish(TMetaClass& Meta) {
    TPublisher<TTestForm2> P(Meta);
    P.Field("Button3", &TTestForm2::Button3);
    P.Method("Button3Click", &TTestForm2::Button3Click);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TTestForm2, TTestForm, TTestForm2::Publish)

// A form class without a layout of its own.
class TBareForm : public TComponent {
  Z_CLASS(TBareForm, TComponent)
public:
  using TComponent::TComponent;
};
Z_IMPLEMENT_CLASS(TBareForm, TComponent)

template <class T> std::unique_ptr<T> CreateForm() {
  return std::unique_ptr<T>(static_cast<T*>(T::StaticClass()->NewInstance(nullptr)));
}

TEST(FormLoadingTest, LayoutIsReadIntoTheFormWithFieldsEventsAndReferences) {
  GLoadedLog.clear();
  auto Form = CreateForm<TTestForm>();
  EXPECT_EQ(Form->Name(), "TestForm");
  EXPECT_EQ(Form->FCaption, "Main");
  ASSERT_EQ(Form->ComponentCount(), 2);
  // The published fields are the children of those names.
  ASSERT_NE(Form->Button1, nullptr);
  ASSERT_NE(Form->Button2, nullptr);
  EXPECT_EQ(Form->Button1, Form->FindComponent("Button1"));
  EXPECT_EQ(Form->Button1->Owner(), Form.get());
  EXPECT_EQ(Form->Button1->FCaption, "OK");
  EXPECT_EQ(Form->Button2->FCaption, "Cancel");
  EXPECT_EQ(Form->Button2->Tag(), 7);
  EXPECT_EQ(Form->Button1->Tag(), 0);
  // A reference to a component read later is fixed up before Loaded.
  EXPECT_EQ(Form->Button1->FBuddy, Form->Button2);
  EXPECT_EQ(Form->Button2->FBuddy, Form->Button1);
  EXPECT_EQ(GLoadedLog, (std::vector<std::string>{"TestForm", "Button1", "Button2"}));
  EXPECT_FALSE(Form->ComponentState().Contains(csLoading));
  EXPECT_FALSE(Form->Button2->ComponentState().Contains(csLoading));
  // The event calls the form's published method.
  Form->Button1->FOnClick(Form->Button1);
  EXPECT_EQ(Form->FClicks, (std::vector<std::string>{"1:Button1"}));
  EXPECT_FALSE(static_cast<bool>(Form->Button2->FOnClick));
  // Written back, the handler's name is there again.
  TMemoryStream S;
  S.WriteComponent(Form.get());
  S.SetPosition(0);
  TStringStream Text;
  ObjectBinaryToText(&S, &Text);
  EXPECT_NE(Text.DataString().find("OnClick = Button1Click"), std::string::npos);
}

TEST(FormLoadingTest, PublishedFieldsFollowRenamingAndFreeing) {
  auto Form = CreateForm<TTestForm>();
  TTestButton* Second = Form->Button2;
  Second->SetName("Spare");
  EXPECT_EQ(Form->Button2, nullptr);
  Second->SetName("Button2");
  EXPECT_EQ(Form->Button2, Second);
  delete Form->Button1;  // the owner's field must not dangle
  EXPECT_EQ(Form->Button1, nullptr);
  EXPECT_EQ(Form->ComponentCount(), 1);
}

TEST(FormLoadingTest, InheritedFormReadsItsAncestorsLayoutFirst) {
  GLoadedLog.clear();
  auto Form = CreateForm<TTestForm2>();
  EXPECT_EQ(Form->Name(), "TestForm2");
  EXPECT_EQ(Form->FCaption, "Derived");
  ASSERT_EQ(Form->ComponentCount(), 3);
  EXPECT_EQ(Form->Button1->FCaption, "Go");         // changed by the descendant
  EXPECT_EQ(Form->Button2->FCaption, "Cancel");     // as the ancestor has it
  ASSERT_NE(Form->Button3, nullptr);
  EXPECT_EQ(Form->Button3->FBuddy, Form->Button2);  // a reference into the ancestor's part
  Form->Button3->FOnClick(Form->Button3);
  Form->Button1->FOnClick(Form->Button1);
  EXPECT_EQ(Form->FClicks, (std::vector<std::string>{"3", "1:Button1"}));
  // Both layouts were read before anything was told it is loaded, and each component is told once.
  EXPECT_EQ(GLoadedLog, (std::vector<std::string>{"TestForm2", "Button1", "Button2", "Button3"}));
}

TEST(FormLoadingTest, MissingLayouts) {
  TBareForm Bare(nullptr);
  EXPECT_FALSE(InitInheritedComponent(&Bare, TComponent::StaticClass()));
  EXPECT_FALSE(InitComponentRes("TBareForm", &Bare));
  try {
    ReadComponentRes("TBareForm", &Bare);
    ADD_FAILURE();
  } catch (const EResNotFound& E) {
    EXPECT_EQ(E.Message(), "Resource TBareForm not found");
  }
  const unsigned char* Data = nullptr;
  std::size_t Size = 0;
  ASSERT_TRUE(FindFormResource("ttestform", Data, Size));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(Data), 4), "TPF0");
}
}  // namespace
