// The engine's windows opened for the window the user works in, the default-tool chooser's creation and the
// engine's configuration kept across a reload of the engine.
#include "SettingsTestSupport.h"

#include "core/Enginedialogs.h"
#include "core/Validatorlib.h"

#include "platform/controls/TestHarness.h"
#include "tests/support/ModalWindowDriver.h"

using TestSupport::TModalWindowDriver;

namespace {

const char* const OptionsCaption = "Validator Engine Options (Validator/Logging/Tools/Network)";
const char* const EditorCaption = "ZUB Quillon Pro Configuration Editor";

class Enginedialogs : public SettingsTest {
protected:
  void SetUp() override {
    Harness::Start();
    SettingsTest::SetUp();
    unsetenv("ZUBQ_ENGINE_FAIL");
    MakeRoot();
    ASSERT_EQ(prg->volatileState->LoadValidatorLibrary(0, 0), 0);
  }
  void TearDown() override {
    for (auto Slot : {EngineDialogOwnerSlot::MainWindow, EngineDialogOwnerSlot::BatchWizard,
                      EngineDialogOwnerSlot::DragDropWindow}) {
      SetEngineDialogOwner(Slot, nullptr);
    }
    delete MainForm;
    delete DropForm;
    unsetenv("ZUBQ_ENGINE_FAIL");
    SettingsTest::TearDown();
  }
  TForm* NewForm() {
    auto* F = new TForm(Application);
    F->AfterConstruction();
    F->SetBounds(10, 10, 200, 100);
    F->Show();
    return F;
  }
  TForm* MainForm = nullptr;
  TForm* DropForm = nullptr;
};

TEST_F(Enginedialogs, EachWindowIsOwnedByTheWindowTheFlagsName) {
  MainForm = NewForm();
  DropForm = NewForm();
  SetEngineDialogOwner(EngineDialogOwnerSlot::MainWindow, MainForm);
  SetEngineDialogOwner(EngineDialogOwnerSlot::DragDropWindow, DropForm);
  struct TCase {
    bool Options;
    int Value, Flags;
    HWND Owner;
  };
  const TCase Cases[] = {
      {true, 4, 4, 0},                    // no owner, even while the main window exists
      {true, 2, 0, MainForm->Handle()},
      {true, 4, 1, 0},                    // the batch wizard was never shown
      {true, 4, 2, DropForm->Handle()},
      {false, 4, 2, DropForm->Handle()},
      {false, 4, 1, 0},
      {false, 0, 4, MainForm->Handle()},  // 4 is like 0 for the editor
  };
  for (const TCase& C : Cases) {
    TModalWindowDriver Driver(C.Options ? OptionsCaption : EditorCaption,
                              [](TForm& F) { TModalWindowDriver::Press(F, "CancelButton"); });
    Driver.Arm();
    const int R = C.Options ? OpenValidatorOptions(C.Value, C.Flags) : OpenConfigurationEditor(C.Value, C.Flags);
    EXPECT_EQ(R, 0);
    ASSERT_TRUE(Driver.Driven());
    EXPECT_EQ(Driver.OwnerWindow(), C.Owner) << C.Options << " " << C.Flags;
    EXPECT_FALSE(IsWindow(Driver.Window()));
  }
  EXPECT_TRUE(Dialogs.Shown().empty());
  // A window that goes empties its slot.
  delete DropForm;
  DropForm = nullptr;
  EXPECT_EQ(GetEngineDialogOwner(EngineDialogOwnerSlot::DragDropWindow), nullptr);
  EXPECT_EQ(EngineDialogOwnerWindow(DIALOG_OWNER_DRAG_DROP_WINDOW, false), 0u);
  EXPECT_EQ(EngineDialogOwnerWindow(DIALOG_OWNER_MAIN_WINDOW, false), MainForm->Handle());
}

TEST_F(Enginedialogs, TheEditorsFailureIsReportedTheOptionsWindowsIsSilent) {
  TModalWindowDriver Driver(OptionsCaption, [](TForm& F) {
    TModalWindowDriver::Click(F, "AccessibilityCheck");
    TModalWindowDriver::Click(F, "OKButton");
  });
  Driver.Arm();
  EXPECT_EQ(OpenValidatorOptions(0, 0), 1);  // changed
  setenv("ZUBQ_ENGINE_FAIL", "ZUBOpenConfigurationEditor,ZUBOpenValidatorOptions", 1);
  EXPECT_LT(OpenConfigurationEditor(0, 0), 0);
  EXPECT_EQ(OpenValidatorOptions(0, 0), 0);
  unsetenv("ZUBQ_ENGINE_FAIL");
  const auto Shown = Dialogs.Shown();
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0].Caption, "Quillon: Error Opening Configuration Editor");
  EXPECT_EQ(Shown[0].Text.rfind("The Configuration Editor could not be opened. Please contact Palvane (", 0), 0u);
}

TEST_F(Enginedialogs, ANewNamedConfigurationIsReadBackAfterTheEngineIsLoadedAgain) {
  TModalWindowDriver Driver(EditorCaption, [](TForm& F) {
    TModalWindowDriver::Find<TEdit>(F, "NameEdit")->SetText("Site Rules");
    TModalWindowDriver::Click(F, "NewButton");
    TModalWindowDriver::Click(F, "OKButton");
  });
  Driver.Arm();
  EXPECT_EQ(OpenConfigurationEditor(0, 0), 1);
  volatileclass& Vol = *prg->volatileState;
  ASSERT_EQ(ZUBCalls.ZUBHTMLConfiguration(0, Vol.configHandle, ZUB_CONFIG_SAVE), 0);
  Vol.FreeValidatorLibrary();
  ASSERT_EQ(Vol.LoadValidatorLibrary(0, 0), 0);
  const int Count = ZUBCalls.ZUBGetIntegerEZ(Vol.configHandle, ZUB_CONFIG_CONFIGURATION_COUNT);
  ASSERT_EQ(Count, 5);
  EXPECT_STREQ(ZUBCalls.ZUBGetString2(Vol.configHandle, ZUB_CONFIG_CONFIGURATION_NAME, 4), "Site Rules");
  EXPECT_TRUE(Dialogs.Shown().empty());
}

// What the main window's services make of the chooser, as the core sees it.
class ChooserWindow : public MainWindowServices {
public:
  ChooserWindow() { SetMainWindowServices(this); }
  ~ChooserWindow() override { SetMainWindowServices(nullptr); }
  TForm* CreateDragDropToolForm() override {
    ParentSeen = prg->volatileState->dialogParent;
    if (Fail) {
      throw Exception("no layout");
    }
    if (!Make) {
      return nullptr;
    }
    auto* F = new TForm(Application);
    F->AfterConstruction();
    F->OnShow = [F](TObject*) { PostMessage(F->Handle(), WM_CLOSE, 0, 0); };
    return F;
  }
  bool Make = false;
  bool Fail = false;
  HWND ParentSeen = 0;
};

TEST_F(Enginedialogs, TheChooserTakesTheOwnersHandleWhileItIsMadeAndGivesMinusOneWithoutAForm) {
  DropForm = NewForm();
  SetEngineDialogOwner(EngineDialogOwnerSlot::DragDropWindow, DropForm);
  ChooserWindow Services;
  EXPECT_EQ(ShowDragDropToolDialog(DIALOG_OWNER_DRAG_DROP_WINDOW), -1);
  EXPECT_EQ(Services.ParentSeen, DropForm->Handle());
  EXPECT_EQ(prg->volatileState->dialogParent, 0u);
  Services.Fail = true;
  EXPECT_EQ(ShowDragDropToolDialog(DIALOG_OWNER_DRAG_DROP_WINDOW), -1);
  EXPECT_EQ(prg->volatileState->dialogParent, 0u);
  Services.Fail = false;
  Services.Make = true;
  EXPECT_EQ(ShowDragDropToolDialog(DIALOG_OWNER_BATCH_WIZARD), mrCancel);  // closed: cancelled
  EXPECT_EQ(Services.ParentSeen, 0u);  // no batch wizard
  EXPECT_EQ(prg->volatileState->dialogParent, 0u);
}

}  // namespace
