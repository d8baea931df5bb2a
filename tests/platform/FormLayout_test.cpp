// Forms read from their layout files (FormLayout_test.dfm beside this file, converted at build time): the form's
// and its controls' published properties, tab order, alignment, event handlers bound by name, and CreateForm.
#include "platform/classes/Filer.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/NativeControls.h"

#include <gtest/gtest.h>

namespace {

class TLayoutBox : public TCustomControl {
  Z_CLASS(TLayoutBox, TCustomControl)
public:
  using TCustomControl::TCustomControl;
};
Z_IMPLEMENT_CLASS(TLayoutBox, TCustomControl)

class TLayoutEdit : public TWinControl {
  Z_CLASS(TLayoutEdit, TWinControl)
public:
  using TWinControl::TWinControl;

protected:
  void CreateParams(TCreateParams& Params) override {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_EDIT);
  }
};
Z_IMPLEMENT_CLASS(TLayoutEdit, TWinControl)

class TLayoutForm : public TForm {
  Z_CLASS(TLayoutForm, TForm)
public:
  using TForm::TForm;
  TLayoutBox* Box = nullptr;
  TLayoutEdit* First = nullptr;
  TLayoutEdit* Second = nullptr;
  TLayoutBox* Hidden = nullptr;
  std::vector<std::string> Log;

  void FormCreate(TObject*) {
    // Everything is read by the time OnCreate runs.
    Log.push_back("create:" + std::string(First ? First->Caption() : "?") + ":" + (Visible() ? "shown" : "hidden"));
  }
  void BoxClick(TObject* Sender) { Log.push_back("click:" + static_cast<TComponent*>(Sender)->Name()); }
  void SecondKeyPress(TObject*, char& Key) { Key = static_cast<char>(std::toupper(static_cast<unsigned char>(Key))); }

  static void Publish(TMetaClass& Meta) {
    TPublisher<TLayoutForm> P(Meta);
    P.Field("Box", &TLayoutForm::Box);
    P.Field("First", &TLayoutForm::First);
    P.Field("Second", &TLayoutForm::Second);
    P.Field("Hidden", &TLayoutForm::Hidden);
    P.Method("FormCreate", &TLayoutForm::FormCreate);
    P.Method("BoxClick", &TLayoutForm::BoxClick);
    P.Method("SecondKeyPress", &TLayoutForm::SecondKeyPress);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TLayoutForm, TForm, TLayoutForm::Publish)

class FormLayout : public ::testing::Test {
protected:
  void SetUp() override { Harness::Start(); }
  void TearDown() override {
    delete Form;
    Harness::RunUntilIdle();
  }
  TLayoutForm* Form = nullptr;
};

TEST_F(FormLayout, AFormIsBuiltFromItsLayout) {
  Application->CreateForm(Form);
  ASSERT_NE(Form, nullptr);
  EXPECT_EQ(Form->Log, (std::vector<std::string>{"create:Anna:hidden"}));
  EXPECT_EQ(Form->Name(), "LayoutForm");
  EXPECT_EQ(Form->Caption(), "Layout test");
  EXPECT_EQ(Form->BorderStyle, bsDialog);
  EXPECT_TRUE(Form->KeyPreview);
  EXPECT_EQ(Form->Left(), 120);
  EXPECT_EQ(Form->Top(), 80);
  // Visible = True shows the form once it is created; its client area has the size the layout gives.
  EXPECT_TRUE(Form->Visible());
  EXPECT_TRUE(IsWindowVisible(Form->Handle()));
  EXPECT_EQ(Form->ClientWidth(), 260);
  EXPECT_EQ(Form->ClientHeight(), 150);
  EXPECT_GT(Form->Width(), 260);

  // The controls are the form's fields, parented to it, with their properties.
  ASSERT_TRUE(Form->Box && Form->First && Form->Second && Form->Hidden);
  EXPECT_EQ(Form->Box->Parent(), Form);
  EXPECT_EQ(Form->Box->Owner(), Form);
  EXPECT_EQ(Form->Box->Hint, "A box");
  EXPECT_TRUE(Form->Box->ShowHint());
  EXPECT_EQ(Form->Box->BoundsRect(), Rect(0, 0, 260, 40));  // aligned to the top of the client area
  EXPECT_FALSE(Form->Hidden->Visible());
  EXPECT_FALSE(Form->Hidden->HandleAllocated());
  EXPECT_EQ(GetWindowTextString(Form->First->Handle()), "Anna");
  // Tab order as the layout gives it, whatever the order of the controls in the file.
  EXPECT_EQ(Form->Second->TabOrder(), 0);
  EXPECT_EQ(Form->First->TabOrder(), 1);
  EXPECT_EQ(Form->FindNextControl(nullptr, true, true, false), Form->Second);
  EXPECT_EQ(Form->ActiveControl(), Form->Second);
  if (Application->MainForm() == Form) {
    Application->SetMainForm(nullptr);
  }
}

TEST_F(FormLayout, EventsReadFromTheLayoutCallTheFormsMethods) {
  Application->CreateForm(TLayoutForm::StaticClass(), Form);
  ASSERT_NE(Form, nullptr);
  Harness::RunUntilIdle();
  Harness::Click(Form->Box->Handle(), Point(5, 5));
  Harness::RunUntilIdle();
  EXPECT_EQ(Form->Log.back(), "click:Box");
  // The active control has the focus; its key handler from the layout changes what is typed.
  EXPECT_EQ(GetFocus(), Form->Second->Handle());
  Harness::TypeText("ab");
  Harness::KeyPress(VK_TAB);
  Harness::TypeText("c");
  Harness::RunUntilIdle();
  EXPECT_EQ(Form->Second->Caption(), "AB");
  EXPECT_EQ(Form->First->Caption(), "Annac");
  if (Application->MainForm() == Form) {
    Application->SetMainForm(nullptr);
  }
}

TEST_F(FormLayout, FontsAreReadFromTheLayout) {
  Application->CreateForm(Form);
  auto* First = static_cast<TControl*>(Form->FindComponent("First"));
  ASSERT_NE(First, nullptr);
  TFont* F = First->Font();
  EXPECT_EQ(F->Name(), "Courier New");
  EXPECT_EQ(F->Height(), -13);
  EXPECT_EQ(F->Color(), clRed);
  EXPECT_EQ(F->Charset(), ANSI_CHARSET);
  EXPECT_TRUE(F->Style().Contains(fsBold));
  EXPECT_TRUE(F->Style().Contains(fsItalic));
  EXPECT_FALSE(F->Style().Contains(fsUnderline));
  EXPECT_FALSE(First->ParentFont());
  if (Application->MainForm() == Form) {
    Application->SetMainForm(nullptr);
  }
}

TEST_F(FormLayout, WrittenBackTheLayoutNamesTheSameHandlersAndValues) {
  Application->CreateForm(Form);
  TMemoryStream S;
  S.WriteComponent(Form);
  S.SetPosition(0);
  TStringStream Text;
  ObjectBinaryToText(&S, &Text);
  std::string T = Text.DataString();
  for (const char* Want : {"BorderStyle = bsDialog", "ClientWidth = 260", "OnCreate = FormCreate",
                           "object Box: TLayoutBox", "OnClick = BoxClick", "TabOrder = 1", "Visible = False",
                           "Align = alTop", "ActiveControl = Second", "Font.Charset = ANSI_CHARSET",
                           "Font.Color = clRed", "Font.Name = 'Courier New'", "Font.Style = [fsBold, fsItalic]",
                           "Font.Height = -13"}) {
    EXPECT_NE(T.find(Want), std::string::npos) << Want << "\n" << T;
  }
  if (Application->MainForm() == Form) {
    Application->SetMainForm(nullptr);
  }
}

}  // namespace
