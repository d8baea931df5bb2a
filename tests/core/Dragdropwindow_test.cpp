// The drag-and-drop window: its shape, dropped files run through the tool and the validator of the loaded engine,
// the failures and their questions, the popup's state and moving the window with the left button.
#include "FakeMainWindow.h"
#include "SettingsTestSupport.h"

#include "core/Dragdropwindow.h"
#include "core/Enginedialogs.h"
#include "core/Enginejobs.h"

#include "platform/win/Desktop.h"
#include "platform/win/MessageBox.h"
#include "tests/support/Forms.h"
#include "toolbars/Tb2item.h"
#include "toolbars/Tb2popup.h"

#include <filesystem>
#include <fstream>

namespace {

class DropWindow : public FakeMainWindow {
public:
  std::vector<std::string> Progress;
  int ChangeChecks = 0;
  int ChoosersMade = 0;
  bool MakeChooser = false;
  void SetDropProgressText(const char* Text) override { Progress.push_back(Text); }
  void CheckFileChangedOnDisk(int) override { ++ChangeChecks; }
  // A chooser that the user closes at once: cancelled.
  TForm* CreateDragDropToolForm() override {
    if (!MakeChooser) {
      return nullptr;
    }
    ++ChoosersMade;
    auto* F = new TForm(Application);
    F->AfterConstruction();
    F->OnShow = [F](TObject*) { PostMessage(F->Handle(), WM_CLOSE, 0, 0); };
    return F;
  }
};

class DragDropWindow : public SettingsTest {
protected:
  void SetUp() override {
    SettingsTest::SetUp();
    Harness::Start();
    MakeRoot();
    Window = std::make_unique<DropWindow>();
    ASSERT_EQ(prg->volatileState->LoadValidatorLibrary(0, 0), 0);
    Form = TestSupport::Make<TDragDropForm>(Application);
    Form->Show();
    Harness::RunUntilIdle();
  }
  void TearDown() override {
    delete Form;
    Root.reset();
    Window.reset();
    SettingsTest::TearDown();
  }
  std::string File(const std::string& Name, const std::string& Text = "<P>Hello</P>\n") {
    const std::string Path = Dir + "/" + Name;
    std::ofstream(Path) << Text;
    return Path;
  }
  void Options(bool Tool, bool Validator) {
    prg->editorOptions->flags.set(EOF40::ToolOnDropped, Tool);
    prg->editorOptions->flags.set(EOF40::ValidateDropped, Validator);
  }
  void Drop(const std::vector<std::string>& Files) {
    Harness::DropFiles(Form->Handle(), {10, 10}, Files);
    Harness::RunUntilIdle();
  }
  // The engine steps in the order they ran: "tool" for a tool run, "validate <name>" for a validation.
  std::vector<std::string> Steps() const {
    std::vector<std::string> Out;
    for (const std::string& S : Window->StatusTexts) {
      if (S == "Processing...") {
        Out.push_back("tool");
      } else if (S.rfind("Validating ", 0) == 0) {
        const std::string Name = S.substr(S.find_last_of('/') + 1);
        Out.push_back("validate " + Name.substr(0, Name.size() - 3));  // without the "..."
      }
    }
    return Out;
  }

  std::unique_ptr<DropWindow> Window;
  TDragDropForm* Form = nullptr;
};

TEST_F(DragDropWindow, ASmallTopmostWindowWithoutTaskbarEntry) {
  EXPECT_EQ(Form->Width(), DRAGDROP_WINDOW_WIDTH);
  EXPECT_EQ(Form->Height(), DRAGDROP_WINDOW_HEIGHT);
  const LONG_PTR Ex = GetWindowLongPtr(Form->Handle(), GWL_EXSTYLE);
  EXPECT_TRUE(Ex & WS_EX_TOPMOST);
  EXPECT_TRUE(Ex & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(Ex & WS_EX_APPWINDOW);
  EXPECT_TRUE(Ex & WS_EX_ACCEPTFILES);
  EXPECT_EQ(GetEngineDialogOwner(EngineDialogOwnerSlot::DragDropWindow), Form);
  EXPECT_EQ(Form->QuillonIconImage->Picture()->Width(), DRAGDROP_WINDOW_WIDTH);
  ASSERT_EQ(Form->DragDropPopupMenu->Items()->Count(), 12);
  EXPECT_EQ(Form->DragDropBatchWizard->Caption(), "&Batch Wizard");
  delete Form;
  Form = nullptr;
  EXPECT_EQ(GetEngineDialogOwner(EngineDialogOwnerSlot::DragDropWindow), nullptr);
}

TEST_F(DragDropWindow, ThreeFilesRunTheToolThenTheValidatorWithPauses) {
  TManualClock Manual;
  TScopedClock UseManual(Manual);
  Options(true, true);
  prg->tools->flags.set(TF40::ShowToolDialog, false);
  prg->tools->defaultDragDropTool = ZUB_JOB_LOWER_CASE;
  Drop({File("a.html"), File("b.html"), File("c.html")});
  EXPECT_EQ(Steps(), (std::vector<std::string>{"tool", "validate a.html", "tool", "validate b.html", "tool",
                                               "validate c.html"}));
  EXPECT_EQ(Window->Progress, (std::vector<std::string>{"[1<>3] a.html", "[2<>3] b.html", "[3<>3] c.html"}));
  EXPECT_EQ(Manual.SleepCalls(), (std::vector<DWORD>{DRAGDROP_PAUSE_MS, DRAGDROP_PAUSE_MS}));
  EXPECT_STREQ(prg->volatileState->lastValidatedFile.text, (Dir + "/c.html").c_str());
  EXPECT_TRUE(Dialogs.Shown().empty());
  EXPECT_EQ(OpenDropHandles(), 0);
  EXPECT_EQ(Window->ChangeChecks, 1);
}

TEST_F(DragDropWindow, ToolFailuresAskOrTell) {
  Options(true, false);
  prg->tools->flags.set(TF40::ShowToolDialog, false);
  // A file gone before the tool could read it fails. The last file: the plain message.
  const std::string Gone = Dir + "/gone.html";
  Drop({File("a.html"), Gone});
  ASSERT_EQ(Dialogs.Shown().size(), 1u);
  EXPECT_EQ(Dialogs.Shown()[0].Caption, "Quillon: Error Using Tool On Dropped File");
  EXPECT_EQ(Dialogs.Shown()[0].Text, "An error occurred attempting to use the tool on the document \"" + Gone + "\".");
  // Another file: the question; No leaves the rest untouched.
  Window->StatusTexts.clear();
  Dialogs.QueueAnswer(IDNO);
  Drop({Gone, File("b.html"), File("c.html")});
  ASSERT_EQ(Dialogs.Shown().size(), 2u);
  EXPECT_NE(Dialogs.Shown()[1].Text.find("Do you want to continue processing the rest of the dropped files?"),
            std::string::npos);
  EXPECT_EQ(Steps(), std::vector<std::string>{"tool"});
  EXPECT_EQ(OpenDropHandles(), 0);
}

TEST_F(DragDropWindow, NothingRunsWithoutOptionsOrWhenTheChooserIsCancelled) {
  Options(false, false);
  Drop({File("a.html")});
  ASSERT_EQ(Dialogs.Shown().size(), 1u);
  EXPECT_EQ(Dialogs.Shown()[0].Caption, "Quillon: Drag And Drop Action Not Specified");
  EXPECT_TRUE(Steps().empty());

  Options(true, true);
  prg->tools->flags.set(TF40::ShowToolDialog, true);
  Window->MakeChooser = true;
  Drop({File("b.html")});
  EXPECT_EQ(Window->ChoosersMade, 1);
  EXPECT_TRUE(Steps().empty());
  EXPECT_EQ(OpenDropHandles(), 0);
}

TEST_F(DragDropWindow, ALongPathIsReadWhole) {
  Options(false, true);
  const std::string Folder = Dir + "/" + std::string(120, 'd') + "/" + std::string(120, 'e');
  std::filesystem::create_directories(Folder);
  const std::string Path = Folder + "/page.html";
  std::ofstream(Path) << "<p>x</p>\n";
  ASSERT_GT(Path.size(), 255u);
  Drop({Path});
  EXPECT_STREQ(prg->volatileState->lastValidatedFile.text, Path.c_str());
  EXPECT_TRUE(Dialogs.Shown().empty());
}

TEST_F(DragDropWindow, ThePopupShowsTheOptionsAndTheRevalidateState) {
  Options(true, false);
  prg->tools->lastValidatedToolFile.clear();
  Form->DragPopupMenuPopup(Form->DragDropPopupMenu);
  EXPECT_TRUE(Form->DragDropUseToolPopup->Checked());
  EXPECT_FALSE(Form->DragDropUseValidatorPopup->Checked());
  EXPECT_FALSE(Form->RevalidateLastDocumentPopup->Enabled());
  Options(false, true);
  prg->tools->lastValidatedToolFile.assign("/tmp/x.html");
  Form->DragPopupMenuPopup(Form->DragDropPopupMenu);
  EXPECT_FALSE(Form->DragDropUseToolPopup->Checked());
  EXPECT_TRUE(Form->DragDropUseValidatorPopup->Checked());
  EXPECT_TRUE(Form->RevalidateLastDocumentPopup->Enabled());
}

HWND DraggedWindow = 0;

// Runs inside the move loop: the rest of the drag, as the user's hand goes on.
void FinishDrag(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(0, Id);
  Harness::MouseMove(DraggedWindow, {50, 25});
  Harness::MouseUp(DraggedWindow, {50, 25});
}

TEST_F(DragDropWindow, DraggingWithTheLeftButtonMovesTheWindow) {
  TClock* Fixed = SetClock(nullptr);  // the timer that finishes the drag runs on real time
  Form->SetBounds(100, 100, DRAGDROP_WINDOW_WIDTH, DRAGDROP_WINDOW_HEIGHT);
  Harness::RunUntilIdle();
  DraggedWindow = Form->Handle();
  Harness::MouseDown(DraggedWindow, {10, 10});
  Harness::MouseMove(DraggedWindow, {20, 15});
  SetTimer(0, 0, 10, FinishDrag);
  Harness::RunUntilIdle();
  TRect R{};
  GetWindowRect(DraggedWindow, &R);
  EXPECT_EQ(R.Left, 130);
  EXPECT_EQ(R.Top, 110);
  SetClock(Fixed);
}

}  // namespace
