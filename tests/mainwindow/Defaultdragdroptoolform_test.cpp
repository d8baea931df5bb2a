// The default drag-and-drop tool chooser, shown modally through the application core as the drag-and-drop window
// and the main window show it.
#include "tests/core/SettingsTestSupport.h"

#include "core/Enginedialogs.h"
#include "core/Validatorlib.h"
#include "mainwindow/Defaultdragdroptoolform.h"

#include "platform/controls/TestHarness.h"
#include "tests/support/ModalWindowDriver.h"

using TestSupport::TModalWindowDriver;

namespace {

const char* const Caption = "Drag and Drop Default Tool Select";

// The main window's part: it makes the chooser.
class ToolChooserServices : public MainWindowServices {
public:
  ToolChooserServices() { SetMainWindowServices(this); }
  ~ToolChooserServices() override { SetMainWindowServices(nullptr); }
  TForm* CreateDragDropToolForm() override {
    auto* F = new TDragDropToolForm(Application);
    F->AfterConstruction();
    return F;
  }
};

struct THelpCall {
  int Id = 0;
  std::string Text;
};
THelpCall LastHelp;
ZUBInt RecordHelp(ZUBWindow, ZUBInt Id, const char* Text, ZUBInt) {
  LastHelp = {Id, Text ? Text : ""};
  return 0;
}

class DragDropToolChooser : public SettingsTest {
protected:
  void SetUp() override {
    Harness::Start();
    SettingsTest::SetUp();
    MakeRoot();
    DropWindow = new TForm(Application);
    DropWindow->AfterConstruction();
    DropWindow->SetBounds(20, 20, 200, 120);
    DropWindow->Show();
    SetEngineDialogOwner(EngineDialogOwnerSlot::DragDropWindow, DropWindow);
  }
  void TearDown() override {
    SetEngineDialogOwner(EngineDialogOwnerSlot::DragDropWindow, nullptr);
    delete DropWindow;
    SettingsTest::TearDown();
  }
  // Shows the chooser for the drag-and-drop window with Act run on it; the modal result.
  int Show(const std::function<void(TForm&)>& Act) {
    TModalWindowDriver Driver(Caption, Act);
    Driver.Arm();
    const int R = ShowDragDropToolDialog(DIALOG_OWNER_DRAG_DROP_WINDOW);
    EXPECT_TRUE(Driver.Driven());
    EXPECT_EQ(Driver.OwnerWindow(), DropWindow->Handle());
    EXPECT_EQ(prg->volatileState->dialogParent, 0u);
    return R;
  }
  ToolChooserServices Services;
  TForm* DropWindow = nullptr;
};

TEST_F(DragDropToolChooser, OKStoresTheChosenToolAndTheCheckBoxBit) {
  toolsclass& Tools = *prg->tools;
  Tools.lastToolFile = "/tmp/last.html";
  ASSERT_EQ(Tools.defaultDragDropTool, 2);
  ASSERT_TRUE(Tools.flags.has(TF40::ShowToolDialog));
  const int R = Show([](TForm& F) {
    auto* Group = TModalWindowDriver::Find<TRadioGroup>(F, "ToolSelectRadioGroup");
    EXPECT_EQ(Group->ItemIndex(), 1);  // tool 2, "Quick Uppercase"
    EXPECT_TRUE(TModalWindowDriver::Find<TCheckBox>(F, "ShowDragDropToolDialogCheckBox")->Checked());
    TModalWindowDriver::Click(Group->Buttons(4));  // "Convert File Format"
    TModalWindowDriver::Click(F, "ShowDragDropToolDialogCheckBox");
    TModalWindowDriver::Click(F, "OKBtn");
  });
  EXPECT_EQ(R, mrOk);
  EXPECT_EQ(Tools.defaultDragDropTool, 5);
  EXPECT_FALSE(Tools.flags.has(TF40::ShowToolDialog));
  EXPECT_EQ(Tools.flags.asInt(), 0x3FFF0000);  // the other bits as they were
  EXPECT_STREQ(Tools.lastToolFile.text, "/tmp/last.html");
}

TEST_F(DragDropToolChooser, ArrowKeysMoveTheChoiceAndReturnStoresTheToolMovedTo) {
  struct TCase {
    std::vector<WORD> Keys;
    int Stored;
  };
  // Stored tool 2 is the second button; the group wraps at both ends.
  for (const TCase& C : {TCase{{VK_DOWN}, 3}, TCase{{VK_UP}, 1}, TCase{{VK_UP, VK_UP}, 5},
                         TCase{{VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT}, 1}, TCase{{VK_LEFT, VK_DOWN, VK_DOWN}, 3}}) {
    prg->tools->defaultDragDropTool = 2;
    EXPECT_EQ(Show([&](TForm& F) {
                auto* Group = TModalWindowDriver::Find<TRadioGroup>(F, "ToolSelectRadioGroup");
                Group->Buttons(1)->SetFocus();
                for (WORD K : C.Keys) {
                  Harness::KeyPress(K);
                }
                Harness::KeyPress(VK_RETURN);
              }),
              mrOk);
    EXPECT_EQ(prg->tools->defaultDragDropTool, C.Stored) << C.Keys.size();
  }
}

TEST_F(DragDropToolChooser, AStoredToolOutOfRangeShowsNoChoiceAndOKWithoutOneStoresMinusOne) {
  for (int Stored : {0, 6, -1}) {
    prg->tools->defaultDragDropTool = Stored;
    int Shown = 99;
    EXPECT_EQ(Show([&](TForm& F) {
                Shown = TModalWindowDriver::Find<TRadioGroup>(F, "ToolSelectRadioGroup")->ItemIndex();
                TModalWindowDriver::Press(F, "OKBtn");
              }),
              mrOk);
    EXPECT_EQ(Shown, -1) << Stored;
    EXPECT_EQ(prg->tools->defaultDragDropTool, -1) << Stored;
  }
}

TEST_F(DragDropToolChooser, CancelChangesNothing) {
  const toolsclass Before = *prg->tools;
  EXPECT_EQ(Show([](TForm& F) {
              TModalWindowDriver::Find<TRadioGroup>(F, "ToolSelectRadioGroup")->SetItemIndex(0);
              TModalWindowDriver::Click(F, "ShowDragDropToolDialogCheckBox");
              TModalWindowDriver::Press(F, "CancelBtn");
            }),
            mrCancel);
  EXPECT_EQ(prg->tools->defaultDragDropTool, Before.defaultDragDropTool);
  EXPECT_EQ(prg->tools->flags, Before.flags);
}

TEST_F(DragDropToolChooser, HelpOpensTheDialogsPageThroughTheProgramsHelpCall) {
  prg->volatileState->documentationFolder = "/opt/zubq/Documentation";
  const auto Saved = ZUBCalls.ZUBDisplayHelp;
  ZUBCalls.ZUBDisplayHelp = &RecordHelp;
  LastHelp = {};
  Show([](TForm& F) {
    TModalWindowDriver::Find<TButton>(F, "HelpBtn")->Click();
    TModalWindowDriver::Press(F, "CancelBtn");
  });
  ZUBCalls.ZUBDisplayHelp = Saved;
  EXPECT_EQ(LastHelp.Id, 35001);
  EXPECT_EQ(LastHelp.Text, "/opt/zubq/Documentation/draganddropdefaulttoolselectdialogbox.html");
}

}  // namespace
