// The named property editors on a control's properties: colours, cursors, fonts through their dialogs,
// shortcuts, modal results and dates.
#include "platform/controls/DesignEditors.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/Colors.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/DateUtils.h"
#include "platform/win/MessageBox.h"
#include "platform/win/DialogService.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

class TDated : public TComponent {
  Z_CLASS(TDated, TComponent)
public:
  using TComponent::TComponent;
  double FWhen = 0;
  int FKey = 0;
  int FResult = 0;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TDated> P(Meta);
    P.Property("When", &TDated::FWhen, &TDated::FWhen).Type(TypeInfoDateTime());
    P.Property("Key", &TDated::FKey, &TDated::FKey);
    P.Property("Result", &TDated::FResult, &TDated::FResult);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TDated, TComponent, TDated::Publish)

class NamedEditors : public ::testing::Test {
protected:
  void SetUp() override {
    Group = NewEditorGroup();
    RegisterPropertyEditor(TypeInfoColor(), nullptr, "", TColorProperty::StaticClass());
    RegisterPropertyEditor(TypeInfoCursor(), nullptr, "", TCursorProperty::StaticClass());
    RegisterPropertyEditor(TypeInfo<TFont*>(), nullptr, "", TFontProperty::StaticClass());
    RegisterPropertyEditor(TypeInfoDateTime(), nullptr, "", TDateTimeProperty::StaticClass());
    RegisterPropertyEditor(TypeInfo<int>(), TDated::StaticClass(), "Key", TShortCutProperty::StaticClass());
    RegisterPropertyEditor(TypeInfo<int>(), TDated::StaticClass(), "Result", TModalResultProperty::StaticClass());
  }
  void TearDown() override { FreeEditorGroup(Group); }
  std::map<std::string, std::unique_ptr<TPropertyEditor>> Editors(TPersistent* Object) {
    std::map<std::string, std::unique_ptr<TPropertyEditor>> Result;
    GetComponentProperties({Object}, tkAny, nullptr, [&](TPropertyEditor* E) { Result[E->GetName()].reset(E); });
    return Result;
  }
  int Group = 0;
  TScriptedDialogs Script;
  TScopedDialogService Scope{Script};
};

TEST_F(NamedEditors, ColoursCursorsAndFontsOfAControl) {
  TButton Button(nullptr);
  auto E = Editors(&Button);
  ASSERT_EQ(E["Color"]->ClassName(), "TColorProperty");
  E["Color"]->SetValue("clRed");
  EXPECT_EQ(Button.Color(), clRed);
  EXPECT_EQ(E["Color"]->GetValue(), "clRed");
  EXPECT_THROW(E["Color"]->SetValue("clNothing"), EConvertError);
  std::vector<std::string> Colours;
  E["Color"]->GetValues([&](const std::string& S) { Colours.push_back(S); });
  EXPECT_NE(std::find(Colours.begin(), Colours.end(), "clBtnFace"), Colours.end());
  // The colour dialog: confirmed, its colour is taken; cancelled, nothing changes.
  TDialogAnswer Blue(IDOK);
  Blue.Params["Color"] = std::to_string(static_cast<int>(clBlue));
  Script.QueueAnswer(Blue);
  E["Color"]->Edit();
  EXPECT_EQ(Button.Color(), clBlue);
  Script.QueueAnswer(IDCANCEL);
  E["Color"]->Edit();
  EXPECT_EQ(Button.Color(), clBlue);

  ASSERT_EQ(E["Cursor"]->ClassName(), "TCursorProperty");
  E["Cursor"]->SetValue("crHandPoint");
  EXPECT_EQ(Button.Cursor, crHandPoint);
  EXPECT_EQ(E["Cursor"]->GetValue(), "crHandPoint");
  E["Cursor"]->SetValue("-3");
  EXPECT_EQ(E["Cursor"]->GetValue(), "crCross");

  ASSERT_EQ(E["Font"]->ClassName(), "TFontProperty");
  EXPECT_TRUE(E["Font"]->GetAttributes().Contains(paDialog));
  TDialogAnswer Font(IDOK);
  Font.Params["Name"] = "Courier New";
  Font.Params["Size"] = "14";
  Script.QueueAnswer(Font);
  E["Font"]->Edit();
  EXPECT_EQ(Script.Shown().back().Kind, "FontDialog");
  EXPECT_EQ(Button.Font()->Name(), "Courier New");
  EXPECT_EQ(Button.Font()->Size(), 14);
}

TEST_F(NamedEditors, ShortcutsModalResultsAndDates) {
  TDated D(nullptr);
  auto E = Editors(&D);
  E["Key"]->SetValue("Ctrl+S");
  EXPECT_EQ(E["Key"]->GetValue(), "Ctrl+S");
  EXPECT_NE(D.FKey, 0);
  E["Key"]->SetValue("");
  EXPECT_EQ(D.FKey, 0);
  EXPECT_EQ(E["Key"]->GetValue(), "(None)");
  EXPECT_THROW(E["Key"]->SetValue("Ctrl+Nothing"), EPropertyError);
  E["Result"]->SetValue("mrCancel");
  EXPECT_EQ(D.FResult, 2);
  E["Result"]->SetValue("42");
  EXPECT_EQ(E["Result"]->GetValue(), "42");
  ASSERT_EQ(E["When"]->ClassName(), "TDateTimeProperty");
  EXPECT_EQ(E["When"]->GetValue(), "");
  E["When"]->SetValue(DateTimeToStr(45000.5));
  EXPECT_DOUBLE_EQ(D.FWhen, 45000.5);
  EXPECT_THROW(E["When"]->SetValue("not a date"), EConvertError);
}

}  // namespace
