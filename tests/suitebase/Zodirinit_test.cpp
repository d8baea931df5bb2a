// The suite's design services at start-up: the standard editors outside a development environment (and not
// again inside one), the run-time editors, the application object, the name builder, and a clean shut-down.
#include "platform/controls/StdCtrls.h"
#include "suitebase/Compnames.h"
#include "suitebase/Zodiractions.h"
#include "suitebase/Zodirdesigner.h"
#include "tests/support/Forms.h"

using namespace Zodir;

namespace {

class TFiles : public TComponent {
  Z_CLASS(TFiles, TComponent)
public:
  using TComponent::TComponent;
  std::string FFileName;
  std::string FComputer;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TFiles> P(Meta);
    P.Property("FileName", &TFiles::FFileName, &TFiles::FFileName);
    P.Property("ComputerName", &TFiles::FComputer, &TFiles::FComputer);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TFiles, TComponent, TFiles::Publish)

int Released = 0;
void CountRelease(TObject*) { ++Released; }

TClass EditorOf(TClass Class, const char* Property) { return GetEditorClass(GetPropInfo(Class, Property), Class); }

class ZodirStartUp : public TestSupport::TFormTest {};

TEST_F(ZodirStartUp, OutsideADevelopmentEnvironmentTheStandardEditorsAreRegisteredAndFreedAgain) {
  ReleaseCustomModuleProc = &CountRelease;
  EXPECT_EQ(EditorOf(TButton::StaticClass(), "Color"), TIntegerProperty::StaticClass());
  InitializeZodir();
  ASSERT_NE(App, nullptr);
  EXPECT_FALSE(Dorazori::UnderDelphiIDE);
  EXPECT_EQ(EditorOf(TButton::StaticClass(), "Color"), TColorProperty::StaticClass());
  EXPECT_EQ(EditorOf(TForm::StaticClass(), "Color"), TColorProperty::StaticClass());
  EXPECT_EQ(EditorOf(TFont::StaticClass(), "Size"), TFontSizePropEdit::StaticClass());
  EXPECT_EQ(EditorOf(TButton::StaticClass(), "Font"), TFontProperty::StaticClass());
  EXPECT_EQ(EditorOf(TFiles::StaticClass(), "FileName"), TFileNameEdit::StaticClass());
  EXPECT_EQ(EditorOf(TFiles::StaticClass(), "ComputerName"), TComputerNameProperty::StaticClass());

  Form->SetName("Form1");
  auto* Button = TestSupport::Make<TButton>(Form, Form, TRect{10, 10, 90, 35});
  Button->SetName("Button1");
  auto* Designer = new TFDesigner();
  Designer->_AddRef();
  Designer->SetCustomForm(Form);
  Designer->SetOwnerControl(Form);
  EXPECT_EQ(Dorazori::BuildCompName(Form, ""), "Form1: TForm1");
  EXPECT_EQ(Dorazori::BuildCompName(Button, ""), "Button1: TButton");
  EXPECT_EQ(Dorazori::BuildCompName(nullptr, ""), "");
  Designer->_Release();

  // A released module is passed on to the procedure that was there before.
  ReleaseCustomModuleProc(Form);
  EXPECT_EQ(Released, 1);
  FinalizeZodir();
  EXPECT_EQ(App, nullptr);
  EXPECT_EQ(ReleaseCustomModuleProc, &CountRelease);
  EXPECT_EQ(EditorOf(TButton::StaticClass(), "Color"), TIntegerProperty::StaticClass());
  ReleaseCustomModuleProc = nullptr;
}

TEST_F(ZodirStartUp, InsideADevelopmentEnvironmentNothingIsRegisteredAgain) {
  const int Group = NewEditorGroup();
  RegisterStandardEditors();  // what the development environment brings
  const int Before = PropertyEditorCount();
  InitializeZodir();
  EXPECT_TRUE(Dorazori::UnderDelphiIDE);
  ASSERT_NE(App, nullptr);
  EXPECT_EQ(PropertyEditorCount(), Before + 1);  // only the start-up's own probe editor
  EXPECT_EQ(EditorOf(TFiles::StaticClass(), "FileName"), TStringProperty::StaticClass());
  FinalizeZodir();
  FreeEditorGroup(Group);
  Dorazori::UnderDelphiIDE = false;
}

}  // namespace
