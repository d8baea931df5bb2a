// Component naming and lookup: unique names, the global lookup forwarder, design positions, resource type
// names and text-style sets.
#include "suitebase/Compnames.h"

#include "platform/classes/Filer.h"
#include "platform/win/Resources.h"
#include "suitebase/Classparams.h"
#include "tests/suitebase/SuiteSamples.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

using namespace Dorazori;
using namespace SuiteSamples;

TEST(Compnames, NamesOfComponents) {
  TComponent Owner(nullptr);
  TComponent* Edit1 = new TComponent(&Owner);
  Edit1->SetName("Edit1");
  (new TComponent(&Owner))->SetName("Edit2");
  EXPECT_EQ(UniqueName(&Owner, "Edit"), "Edit3");
  EXPECT_EQ(UniqueName(nullptr, "Edit"), "Edit1");
  TComponent Inner(Edit1);  // an owner above counts too
  EXPECT_FALSE(NameIsUnique(&Inner, "EDIT2"));

  struct TCase {
    const char* In;
    const char* Out;
  } Cases[] = {
      {"Button_12", "Button"}, {"Button12", "Button12"}, {"_5", "_5"}, {"A_", "A_"}, {"x_1", "x"}, {"_12", ""}};
  for (const TCase& C : Cases) {
    EXPECT_EQ(GetOriginalComponentName(C.In), C.Out) << C.In;
  }
  EXPECT_EQ(ExtractControlName("Form1.Button1.Caption"), "Button1");
  EXPECT_EQ(ExtractControlName("Button1"), "Button1");

  EXPECT_EQ(BuildCompName(Edit1, ""), "Edit1: TComponent");
  EXPECT_EQ(BuildCompName(Edit1, "Shown"), "Shown: TComponent");
  EXPECT_EQ(BuildCompName(nullptr, "x"), "");
  BuildCompNameFunc = [](TPersistent*, const std::string& Name) { return "custom " + Name; };
  EXPECT_EQ(BuildCompName(nullptr, "x"), "custom x");
  BuildCompNameFunc = nullptr;
}

TEST(Compnames, PositionsAreTwoSixteenBitHalves) {
  TComponent C(nullptr);
  SetComponentTopLeft(&C, TPoint{0x12345, 40});
  EXPECT_EQ(GetComponentTopLeft(&C), (TPoint{0x2345, 40}));
  SetComponentTopLeft(&C, TPoint{65535, 65535});
  EXPECT_EQ(GetComponentTopLeft(&C), (TPoint{65535, 65535}));
}

TEST(Compnames, GlobalLookupGoesThroughOneForwarder) {
  EXPECT_EQ(FindUniqueName("Form"), "");  // nothing installed yet
  TComponent Root(nullptr);
  Root.SetName("Form");
  RegisterGlobalComponent(&Root);
  TComponent Root1(nullptr);
  Root1.SetName("Form_1");
  RegisterGlobalComponent(&Root1);

  TComponent Other(nullptr);
  EXPECT_TRUE(
      SetFindGlobalCompProc([&Other](const std::string& Name) { return SameText(Name, "Other") ? &Other : nullptr; }));
  EXPECT_FALSE(SetFindGlobalCompProc([](const std::string&) { return nullptr; }));
  // The procedure's answer is final: the registered roots are hidden from the lookup.
  EXPECT_EQ(FindGlobalComponent("Other"), &Other);
  EXPECT_EQ(FindGlobalComponent("Form"), nullptr);
  EXPECT_EQ(FindUniqueName("Other"), "Other_1");
  RemoveFindGlobalCompProc();
  EXPECT_EQ(FindGlobalComponent("Form"), &Root);
  EXPECT_EQ(FindUniqueName("Form"), "Form_2");
  EXPECT_EQ(FindUniqueName("Free"), "Free");
  EXPECT_TRUE(SetFindGlobalCompProc([](const std::string&) { return nullptr; }));
  RemoveFindGlobalCompProc();
  UnregisterGlobalComponent(&Root);
  UnregisterGlobalComponent(&Root1);
}

TEST(Compnames, ComponentsAPropertyMayReferTo) {
  TSampleComponent Root;
  Root.SetName("Root");
  (new TSampleComponent(&Root))->SetName("A");
  (new TComponent(&Root))->SetName("NotSample");
  new TSampleComponent(&Root);  // unnamed
  TComponent Module(nullptr);
  Module.SetName("Module");
  (new TSampleComponent(&Module))->SetName("B");
  TList Owners;
  Owners.Add(&Root);
  Owners.Add(&Module);
  std::vector<std::string> Names;
  CompListNamesToProc(&Owners, &Root, TypeInfo<TSampleComponent*>(),
                      [&Names](const std::string& S) { Names.push_back(S); });
  EXPECT_EQ(Names, (std::vector<std::string>{"A", "Module.B"}));
}

TEST(Compnames, ResourceTypeNames) {
  EXPECT_EQ(StringFromRType(MAKEINTRESOURCE(10)), "RCDATA");
  EXPECT_EQ(StringFromRType(MAKEINTRESOURCE(22)), "ANIICON");
  EXPECT_EQ(StringFromRType(MAKEINTRESOURCE(13)), "");
  // Identifiers above the predefined ones are unnamed, never read as text.
  EXPECT_EQ(StringFromRType(MAKEINTRESOURCE(23)), "");
  EXPECT_EQ(StringFromRType(MAKEINTRESOURCE(0xFFFF)), "");
  EXPECT_EQ(StringFromRType("MYTYPE"), "MYTYPE");
  EXPECT_EQ(StringFromRName(MAKEINTRESOURCE(300)), "300");
  EXPECT_EQ(StringFromRName("ABOUT"), "ABOUT");
}

TEST(Compnames, TextStyleSetsAreClassRegistrations) {
  RegisterClassExt(TSampleComponent::StaticClass(), {TextStylesClassID, TextStylesClassInitName},
                   {TextStylesClassID, "Pascal"});
  RegisterClassExt(TSampleOptions::StaticClass(), {"Other"}, {1});
  RegisterClassExt(TSampleOther::StaticClass(), {TextStylesClassID, TextStylesClassInitName},
                   {TextStylesClassID, "Html"});
  std::vector<std::string> Sets;
  EnumTextStylesSets([&Sets](const std::string& S) { Sets.push_back(S); });
  EXPECT_EQ(Sets, (std::vector<std::string>{"Pascal", "Html"}));
  FreeTextStylesSets();
  Sets.clear();
  EnumTextStylesSets([&Sets](const std::string& S) { Sets.push_back(S); });
  EXPECT_TRUE(Sets.empty());
  EXPECT_NE(GetItemEqual(TSampleOptions::StaticClass(), {}, {}), nullptr);
  UnRegisterClassExt(TSampleOptions::StaticClass());
}
