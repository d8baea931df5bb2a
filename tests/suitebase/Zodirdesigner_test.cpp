// The run-time form designer: selection and modification notices, component lookups, property editors found by
// path, and the property-change registry.
#include "platform/controls/StdCtrls.h"
#include "platform/rtl/Exceptions.h"
#include "suitebase/Notifiers.h"
#include "suitebase/Zodirdesigner.h"
#include "tests/support/Forms.h"

using namespace Zodir;

namespace {

// Records the designer notices: message, and the size and first object of the list they carry.
class TRecorder : public Dorazori::TMessageAnswer {
public:
  struct TNotice {
    UINT Msg;
    Integer Count;
    void* First;
  };
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == SM_SELECTIONCHANGED || Message.Msg == SM_DESIGNERMODIFIED) {
      auto* List = reinterpret_cast<TList*>(Message.WParam);
      Notices.push_back({Message.Msg, List->Count(), List->Count() > 0 ? List->Items(0) : nullptr});
    }
    Dorazori::TMessageAnswer::Dispatch(Message);
  }
  std::vector<TNotice> Notices;
};

class DesignerTest : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    TFormTest::SetUp();
    Form->SetName("Form1");
    Button = TestSupport::Make<TButton>(Form, Form, TRect{10, 10, 90, 35});
    Button->SetName("Button1");
    Designer = new TFDesigner();
    Designer->_AddRef();
    Designer->SetOwnerControl(Form);
    Designer->SetCustomForm(Form);
  }
  void TearDown() override {
    Designer->_Release();
    TFormTest::TearDown();
  }
  TButton* Button = nullptr;
  TFDesigner* Designer = nullptr;
};

TEST_F(DesignerTest, SelectionAndModificationNotices) {
  TRecorder Recorder;
  Designer->SelectComponent(Button);
  Designer->DeselectComponent(Button);
  ASSERT_EQ(Recorder.Notices.size(), 2u);
  EXPECT_EQ(Recorder.Notices[0].Msg, SM_SELECTIONCHANGED);
  EXPECT_EQ(Recorder.Notices[0].First, Button);
  EXPECT_EQ(Recorder.Notices[1].Msg, SM_SELECTIONCHANGED);
  ASSERT_EQ(Designer->GetSelection()->Count(), 1);
  EXPECT_EQ(Designer->GetSelection()->Items(0), Form);  // the owner control stands in

  Designer->GetSelection()->Clear();
  Recorder.Notices.clear();
  Designer->Modified();
  ASSERT_EQ(Recorder.Notices.size(), 1u);
  EXPECT_EQ(Recorder.Notices[0].Msg, SM_DESIGNERMODIFIED);
  EXPECT_EQ(Recorder.Notices[0].Count, 1);
  EXPECT_EQ(Recorder.Notices[0].First, Form);
  EXPECT_EQ(Designer->GetSelection()->Count(), 0);

  EXPECT_THROW(Designer->SetLimitControl(Button), EPropertyError);
  EXPECT_EQ(Designer->GetLimitControl(), nullptr);
  auto* Box = TestSupport::Make<TGroupBox>(Form, Form, TRect{100, 10, 200, 100});
  Designer->SetLimitControl(Box);
  EXPECT_EQ(Designer->GetLimitControl(), Box);
}

TEST_F(DesignerTest, NamesAndComponents) {
  EXPECT_EQ(Designer->GetComponent("form1"), Form);
  EXPECT_EQ(Designer->GetComponent("Button1"), Button);
  EXPECT_EQ(Designer->GetComponent("Form1.Button1"), Button);  // the global lookup
  EXPECT_EQ(Designer->GetComponent("Nothing"), nullptr);
  EXPECT_EQ(Designer->GetComponentName(Button), "Button1");
  EXPECT_EQ(Designer->GetComponentName(nullptr), "");
  EXPECT_EQ(Designer->GetRootClassName(), "TForm");
  EXPECT_EQ(GetFormDesigner(Button), Designer);
  EXPECT_EQ(Designer->CreateMethod("NoSuchMethod").Code, nullptr);
}

TEST_F(DesignerTest, PropertyEditorsFoundByPath) {
  TPropertyEditor* SetEditor = nullptr;
  std::unique_ptr<TPropertyEditor> Name(GetPropertyEditor(Button, "Font.Name", SetEditor));
  ASSERT_TRUE(Name);
  EXPECT_EQ(Name->GetName(), "Name");
  EXPECT_EQ(Name->GetValue(), Button->Font()->Name());
  EXPECT_EQ(SetEditor, nullptr);  // the font is no set
  std::unique_ptr<TPropertyEditor> Bold(GetPropertyEditor(Button, "Font.Style.fsBold", SetEditor));
  std::unique_ptr<TPropertyEditor> Style(SetEditor);
  ASSERT_TRUE(Bold);
  ASSERT_TRUE(Style);
  Bold->SetValue("True");
  EXPECT_TRUE(Button->Font()->Style().Contains(fsBold));
  EXPECT_EQ(GetPropertyEditor(Button, "Font.Nothing", SetEditor), nullptr);
  EXPECT_EQ(GetPropertyEditor(nullptr, "Caption", SetEditor), nullptr);
  // A temporary designer for an object on no designed form ends with the call.
  TButton Loose(nullptr);
  const std::size_t Designers = DesignerList().size();
  std::unique_ptr<TPropertyEditor> Caption(GetPropertyEditor(&Loose, "Caption", SetEditor));
  ASSERT_TRUE(Caption);
  EXPECT_EQ(DesignerList().size(), Designers);
  CallPropertyEditor(&Loose, "NoSuchProperty");  // nothing happens
}

// Every registration is kept, even a second one for the same instance, and each hears a notice once.
TEST_F(DesignerTest, PropertyChangeRegistrationsAreEachCalledOnce) {
  InitPropChanges();
  std::vector<std::string> Calls;
  static std::vector<std::string>* Log = nullptr;
  Log = &Calls;
  const TPropChangesMethod A{[](TObject*, TList*) { Log->push_back("A"); }, nullptr};
  const TPropChangesMethod B{[](TObject*, TList*) { Log->push_back("B"); }, nullptr};
  RegisterPropChangesNotifier(Button, A);
  RegisterPropChangesNotifier(Button, B);
  RegisterPropChangesNotifier(Form, A);
  Designer->SetSelections({Button, Button});
  Designer->Modified();
  EXPECT_EQ(Calls, (std::vector<std::string>{"A", "B"}));
  UnRegisterPropChangesNotifier(Button, A);
  UnRegisterPropChangesNotifier(Button, A);  // no second one: nothing
  Calls.clear();
  Designer->Modified();
  EXPECT_EQ(Calls, std::vector<std::string>{"B"});
  EXPECT_EQ(PropChangesNotifierCount(), 2);
  DonePropChanges();
  EXPECT_EQ(PropChangesNotifierCount(), 0);
}

}  // namespace
