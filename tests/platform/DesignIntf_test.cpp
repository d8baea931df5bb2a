// The design-time registry: the standard editors of the type kinds, the precedence of registered property
// editors, the property list of a selection, component editors and editor groups.
#include "platform/classes/Classes.h"
#include "platform/classes/DesignIntf.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <map>

namespace {
enum TShade { shLight, shDark };
}
Z_ENUM_TYPEINFO(TShade, "shLight", "shDark")

namespace {
using TShades = TSet<TShade, shDark>;

class TPart : public TPersistent {
  Z_CLASS(TPart, TPersistent)
public:
  int FSize = 1;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TPart> P(Meta);
    P.Property("Size", &TPart::FSize, &TPart::FSize);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TPart, TPersistent, TPart::Publish)

class TWidget : public TComponent {
  Z_CLASS(TWidget, TComponent)
public:
  using TComponent::TComponent;
  int FCount = 0;
  TShade FShade = shLight;
  bool FFlag = false;
  char FLetter = 'a';
  double FRatio = 0;
  Int64 FBig = 0;
  std::string FText;
  TShades FShades;
  TPart* FPart = nullptr;
  TComponent* FBuddy = nullptr;
  TNotifyEvent FOnChange;
  Variant FValue;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TWidget> P(Meta);
    P.Property("Count", &TWidget::FCount, &TWidget::FCount);
    P.Property("Shade", &TWidget::FShade, &TWidget::FShade);
    P.Property("Flag", &TWidget::FFlag, &TWidget::FFlag);
    P.Property("Letter", &TWidget::FLetter, &TWidget::FLetter);
    P.Property("Ratio", &TWidget::FRatio, &TWidget::FRatio);
    P.Property("Big", &TWidget::FBig, &TWidget::FBig);
    P.Property("Text", &TWidget::FText, &TWidget::FText);
    P.Property("Shades", &TWidget::FShades, &TWidget::FShades);
    P.Property("Part", &TWidget::FPart, &TWidget::FPart);
    P.Property("Buddy", &TWidget::FBuddy, &TWidget::FBuddy);
    P.Property("OnChange", &TWidget::FOnChange, &TWidget::FOnChange);
    P.Property("Value", &TWidget::FValue, &TWidget::FValue);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TWidget, TComponent, TWidget::Publish)

class TSpecialWidget : public TWidget {
  Z_CLASS(TSpecialWidget, TWidget)
public:
  using TWidget::TWidget;
};
Z_IMPLEMENT_CLASS(TSpecialWidget, TWidget)

// Only Count and Text, like a widget's.
class TOther : public TComponent {
  Z_CLASS(TOther, TComponent)
public:
  using TComponent::TComponent;
  int FCount = 0;
  std::string FText;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TOther> P(Meta);
    P.Property("Text", &TOther::FText, &TOther::FText);
    P.Property("Count", &TOther::FCount, &TOther::FCount);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TOther, TComponent, TOther::Publish)

// Registered editors, told apart by class.
class TEditorA : public TPropertyEditor {
  Z_CLASS(TEditorA, TPropertyEditor)
};
Z_IMPLEMENT_CLASS(TEditorA, TPropertyEditor)
class TEditorB : public TPropertyEditor {
  Z_CLASS(TEditorB, TPropertyEditor)
};
Z_IMPLEMENT_CLASS(TEditorB, TPropertyEditor)
class TEditorC : public TStringProperty {
  Z_CLASS(TEditorC, TStringProperty)
};
Z_IMPLEMENT_CLASS(TEditorC, TStringProperty)
class TEditorD : public TStringProperty {
  Z_CLASS(TEditorD, TStringProperty)
};
Z_IMPLEMENT_CLASS(TEditorD, TStringProperty)

class TWidgetEditor : public TComponentEditor {
  Z_CLASS(TWidgetEditor, TComponentEditor)
public:
  int GetVerbCount() override { return 1; }
  std::string GetVerb(int) override { return "Reset"; }
  void ExecuteVerb(int) override { static_cast<TWidget*>(Component())->FCount = 0; }
};
Z_IMPLEMENT_CLASS(TWidgetEditor, TComponentEditor)
class TSpecialEditor : public TWidgetEditor {
  Z_CLASS(TSpecialEditor, TWidgetEditor)
};
Z_IMPLEMENT_CLASS(TSpecialEditor, TWidgetEditor)

class TCountingDesigner : public IFormDesigner {
public:
  explicit TCountingDesigner(TComponent* ARoot) : FRoot(ARoot) {}
  void Modified() override { ++Changes; }
  TComponent* GetRoot() override { return FRoot; }
  int Changes = 0;

private:
  TComponent* FRoot;
};

// Each test registers into a group of its own and frees it at the end.
class DesignRegistry : public ::testing::Test {
protected:
  void SetUp() override { Group = NewEditorGroup(); }
  void TearDown() override { FreeEditorGroup(Group); }
  // The editors of the selection, by property name.
  std::map<std::string, std::unique_ptr<TPropertyEditor>> Editors(const TDesignerSelections& Selection,
                                                                  IFormDesigner* Designer = nullptr) {
    std::map<std::string, std::unique_ptr<TPropertyEditor>> Result;
    GetComponentProperties(Selection, tkAny, Designer, [&](TPropertyEditor* E) { Result[E->GetName()].reset(E); });
    return Result;
  }
  int Group = 0;
};

TEST_F(DesignRegistry, EveryKindHasItsStandardEditorWithItsTexts) {
  TComponent Root(nullptr);
  Root.SetName("Form1");
  auto* W = new TWidget(&Root);
  W->SetName("W1");
  auto* Buddy = new TWidget(&Root);
  Buddy->SetName("Buddy1");
  TPart Part;
  W->FPart = &Part;
  TCountingDesigner Designer(&Root);
  // References to components have their editor only once it is registered, as the standard table does.
  RegisterPropertyEditor(TypeInfo<TComponent*>(), nullptr, "", TComponentProperty::StaticClass());
  auto E = Editors({W}, &Designer);
  const std::map<std::string, std::string> Classes = {
      {"Count", "TIntegerProperty"},   {"Shade", "TEnumProperty"},    {"Flag", "TEnumProperty"},
      {"Letter", "TCharProperty"},     {"Ratio", "TFloatProperty"},   {"Big", "TInt64Property"},
      {"Text", "TStringProperty"},     {"Shades", "TSetProperty"},    {"Part", "TClassProperty"},
      {"OnChange", "TMethodProperty"}, {"Value", "TVariantProperty"}, {"Name", "TStringProperty"},
      {"Buddy", "TComponentProperty"}};
  for (const auto& [Name, Class] : Classes) {
    ASSERT_TRUE(E.count(Name)) << Name;
    EXPECT_EQ(E[Name]->ClassName(), Class) << Name;
  }
  E["Count"]->SetValue(" 42 ");
  EXPECT_EQ(W->FCount, 42);
  EXPECT_EQ(E["Count"]->GetValue(), "42");
  EXPECT_THROW(E["Count"]->SetValue("x"), EConvertError);
  E["Shade"]->SetValue("shDark");
  EXPECT_EQ(W->FShade, shDark);
  EXPECT_THROW(E["Shade"]->SetValue("shNone"), EPropertyError);
  std::vector<std::string> Values;
  E["Shade"]->GetValues([&](const std::string& S) { Values.push_back(S); });
  EXPECT_EQ(Values, (std::vector<std::string>{"shLight", "shDark"}));
  E["Letter"]->SetValue("#9");
  EXPECT_EQ(W->FLetter, '\t');
  EXPECT_EQ(E["Letter"]->GetValue(), "#9");
  E["Shades"]->SetValue("[shDark]");
  EXPECT_EQ(E["Shades"]->GetValue(), "[shDark]");
  std::vector<std::unique_ptr<TPropertyEditor>> Elements;
  E["Shades"]->GetProperties([&](TPropertyEditor* P) { Elements.emplace_back(P); });
  ASSERT_EQ(Elements.size(), 2u);
  EXPECT_EQ(Elements[0]->GetName(), "shLight");
  Elements[0]->SetValue("True");
  EXPECT_EQ(E["Shades"]->GetValue(), "[shLight,shDark]");
  EXPECT_EQ(E["Part"]->GetValue(), "(TPart)");
  std::vector<std::unique_ptr<TPropertyEditor>> Sub;
  E["Part"]->GetProperties([&](TPropertyEditor* P) { Sub.emplace_back(P); });
  ASSERT_EQ(Sub.size(), 1u);
  Sub[0]->SetValue("7");
  EXPECT_EQ(Part.FSize, 7);
  E["Buddy"]->SetValue("Buddy1");
  EXPECT_EQ(W->FBuddy, Buddy);
  EXPECT_EQ(E["Buddy"]->GetValue(), "Buddy1");
  EXPECT_THROW(E["Buddy"]->SetValue("Nobody"), EPropertyError);
  E["Buddy"]->SetValue("");
  EXPECT_EQ(W->FBuddy, nullptr);
  EXPECT_EQ(Designer.Changes, 8);  // every accepted change told the designer once
}

TEST_F(DesignRegistry, TheClosestRegistrationWins) {
  PPropInfo Text = GetPropInfo(TWidget::StaticClass(), "Text");
  PPropInfo Name = GetPropInfo(TWidget::StaticClass(), "Name");
  PPropInfo Part = GetPropInfo(TWidget::StaticClass(), "Part");
  EXPECT_EQ(GetEditorClass(Text, TWidget::StaticClass()), TStringProperty::StaticClass());
  RegisterPropertyEditor(TypeInfo<std::string>(), nullptr, "", TEditorA::StaticClass());
  EXPECT_EQ(GetEditorClass(Text, TWidget::StaticClass()), TEditorA::StaticClass());
  // A component class beats none, whatever the order.
  RegisterPropertyEditor(TypeInfo<std::string>(), TWidget::StaticClass(), "", TEditorB::StaticClass());
  RegisterPropertyEditor(TypeInfo<std::string>(), nullptr, "", TEditorA::StaticClass());
  EXPECT_EQ(GetEditorClass(Text, TWidget::StaticClass()), TEditorB::StaticClass());
  EXPECT_EQ(GetEditorClass(Text, TOther::StaticClass()), TEditorA::StaticClass());
  // A descendant class beats its ancestor; a name beats none at the same class.
  RegisterPropertyEditor(TypeInfo<std::string>(), TSpecialWidget::StaticClass(), "", TEditorC::StaticClass());
  EXPECT_EQ(GetEditorClass(Text, TSpecialWidget::StaticClass()), TEditorC::StaticClass());
  EXPECT_EQ(GetEditorClass(Text, TWidget::StaticClass()), TEditorB::StaticClass());
  RegisterPropertyEditor(TypeInfo<std::string>(), TWidget::StaticClass(), "text", TEditorD::StaticClass());
  EXPECT_EQ(GetEditorClass(Text, TWidget::StaticClass()), TEditorD::StaticClass());
  EXPECT_EQ(GetEditorClass(Name, TWidget::StaticClass()), TEditorB::StaticClass());
  // Among equals the latest.
  RegisterPropertyEditor(TypeInfo<std::string>(), TWidget::StaticClass(), "Text", TEditorC::StaticClass());
  EXPECT_EQ(GetEditorClass(Text, TWidget::StaticClass()), TEditorC::StaticClass());
  // Class types: an ancestor's registration covers descendants; the nearer class wins.
  RegisterPropertyEditor(TypeInfo<TObject*>(), nullptr, "", TEditorA::StaticClass());
  EXPECT_EQ(GetEditorClass(Part, TWidget::StaticClass()), TEditorA::StaticClass());
  RegisterPropertyEditor(TypeInfo<TPersistent*>(), nullptr, "", TEditorB::StaticClass());
  RegisterPropertyEditor(TypeInfo<TObject*>(), nullptr, "", TEditorA::StaticClass());
  EXPECT_EQ(GetEditorClass(Part, TWidget::StaticClass()), TEditorB::StaticClass());
}

TEST_F(DesignRegistry, ASelectionSharesThePropertiesEveryObjectHasWithTheSameEditor) {
  TWidget W(nullptr);
  TOther O(nullptr);
  W.FCount = 3;
  O.FCount = 3;
  W.FText = "a";
  O.FText = "b";
  auto E = Editors({&W, &O});
  std::vector<std::string> Names;
  for (const auto& [Name, Editor] : E) {
    Names.push_back(Name);
  }
  EXPECT_EQ(Names, (std::vector<std::string>{"Count", "Name", "Tag", "Text"}));
  EXPECT_TRUE(E["Count"]->AllEqual());
  EXPECT_FALSE(E["Text"]->AllEqual());
  E["Text"]->SetValue("c");
  EXPECT_EQ(W.FText, "c");
  EXPECT_EQ(O.FText, "c");

  // An editor without a multiple selection, or different editors for the objects, leave the property out.
  RegisterPropertyEditor(TypeInfo<int>(), TOther::StaticClass(), "Count", TEditorC::StaticClass());
  RegisterPropertyEditor(TypeInfo<std::string>(), nullptr, "Text", TEditorA::StaticClass());
  E = Editors({&W, &O});
  EXPECT_FALSE(E.count("Count"));
  EXPECT_FALSE(E.count("Text"));
  EXPECT_TRUE(Editors({&O}).count("Text"));
}

TEST_F(DesignRegistry, ComponentEditorsAndGroups) {
  TSpecialWidget S(nullptr);
  TWidget W(nullptr);
  TOther O(nullptr);
  EXPECT_EQ(GetComponentEditor(&W, nullptr)->ClassName(), "TDefaultEditor");
  RegisterComponentEditor(TSpecialWidget::StaticClass(), TSpecialEditor::StaticClass());
  RegisterComponentEditor(TWidget::StaticClass(), TWidgetEditor::StaticClass());
  EXPECT_EQ(GetComponentEditor(&S, nullptr)->ClassName(), "TSpecialEditor");
  auto Editor = GetComponentEditor(&W, nullptr);
  EXPECT_EQ(Editor->ClassName(), "TWidgetEditor");
  W.FCount = 5;
  Editor->Edit();  // the first verb
  EXPECT_EQ(W.FCount, 0);
  EXPECT_EQ(GetComponentEditor(&O, nullptr)->ClassName(), "TDefaultEditor");

  // A second group's registrations go with it; the first group's stay.
  const int Properties = PropertyEditorCount();
  const int Components = ComponentEditorCount();
  const int Second = NewEditorGroup();
  EXPECT_GT(Second, Group);
  RegisterPropertyEditor(TypeInfo<int>(), nullptr, "", TEditorA::StaticClass());
  RegisterComponentEditor(TOther::StaticClass(), TWidgetEditor::StaticClass());
  EXPECT_EQ(GetComponentEditor(&O, nullptr)->ClassName(), "TWidgetEditor");
  FreeEditorGroup(Second);
  EXPECT_EQ(PropertyEditorCount(), Properties);
  EXPECT_EQ(ComponentEditorCount(), Components);
  EXPECT_EQ(GetComponentEditor(&S, nullptr)->ClassName(), "TSpecialEditor");
  EXPECT_EQ(CurrentGroup, Group);
}

}  // namespace
