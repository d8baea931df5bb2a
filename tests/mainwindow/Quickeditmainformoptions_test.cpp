// The option commands of the main window that reach the validator engine: logging and its log file, the
// validator options drop-down, the configuration commands, and syntax highlighting.
#include "MainFormFixture.h"

#include "core/Fileinfoclass.h"
#include "core/Enginejobs.h"
#include "core/Validatorlib.h"
#include "editor/Easyeditsource.h"

#include "tests/support/ModalWindowDriver.h"

#include "platform/controls/ComCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/MessageBox.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct TConfigCall {
  HWND Owner;
  int Config;
  int Command;
  bool operator==(const TConfigCall&) const = default;
};
std::vector<TConfigCall> ConfigCalls;
ZUBInt RecordConfigCall(ZUBWindow Owner, ZUBInt Config, ZUBInt Command) {
  ConfigCalls.push_back({static_cast<HWND>(Owner), Config, Command});
  return 0;
}

class MainFormOptionsTest : public MainFormTest {
protected:
  int Config() { return prg->volatileState->configHandle; }
  int Flag(int Word, int Bit) { return ZUBCalls.ZUBGetFlag(Config(), Word, Bit); }
  std::string LogFile() { return ZUBCalls.ZUBGetString(Config(), ZUB_CONFIG_LOG_FILE); }
  std::vector<std::string> Captions() {
    std::vector<std::string> Out;
    for (const TDialogRequest& R : Dialogs.Shown()) {
      Out.push_back(R.Caption);
    }
    return Out;
  }
  std::string MakeFile(const std::string& Name, const std::string& Text) {
    const std::string Path = Dir + "/" + Name;
    std::ofstream(Path) << Text;
    return Path;
  }
  fileinfoclass* Current() { return Form->GetCurrentFile(); }
  // Writes something into the log: a validation of a small page with logging on.
  void ValidateWithLogging() {
    ASSERT_EQ(ZUBCalls.ZUBSetFlag(Config(), ZUB_CONFIG_LOG_OPTIONS, ZUB_LOG_VALIDATIONS, 1), 0);
    ASSERT_EQ(Form->AddNewFileTab(nullptr, MakeFile("page.html", "<p>logged</p>\n").c_str(), 0, nullptr), 0);
    ASSERT_EQ(Current()->Validate(0, VALIDATE_QUIET), 0);
    ASSERT_TRUE(std::filesystem::exists(LogFile())) << LogFile();
  }
  // Opens the log into a tab of its own.
  void OpenLog() {
    Form->OptionsLoggingView->Click();
    ASSERT_NE(Current(), nullptr);
    ASSERT_EQ(std::string(Current()->name.text), LogFile());
  }
};

TEST_F(MainFormOptionsTest, AltF5FlipsTheLoggingFlagAndItsCheckMark) {
  Form->Show();
  Harness::RunUntilIdle();
  Harness::TMods Alt;
  Alt.Alt = true;
  ASSERT_EQ(Flag(ZUB_CONFIG_LOG_OPTIONS, ZUB_LOG_VALIDATIONS), 0);
  for (int Expected : {1, 0, 1}) {
    Harness::KeyPress(VK_F5, Alt);
    Harness::RunUntilIdle();
    EXPECT_EQ(Flag(ZUB_CONFIG_LOG_OPTIONS, ZUB_LOG_VALIDATIONS), Expected);
    EXPECT_EQ(Form->OptionsLoggingEnable->Checked(), Expected == 1);
  }
}

TEST_F(MainFormOptionsTest, ViewingTheLogOpensItInATabOrSaysThereIsNone) {
  std::filesystem::remove(LogFile());
  Form->OptionsLoggingView->Click();
  ASSERT_EQ(Dialogs.Shown().size(), 1u);
  EXPECT_EQ(Dialogs.Shown()[0].Text, "There is currently no log file on disk.");

  ValidateWithLogging();
  OpenLog();
  EXPECT_GT(Current()->text->Strings()->Count(), 0);
  // The log's type is none the editor knows, so opening it asks first (answered Yes).
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Quillon: No Log File On Disk", "Quillon: Unrecognized File Type"}));
}

TEST_F(MainFormOptionsTest, DeletingTheLogAsksAndClosesItsTab) {
  ValidateWithLogging();
  const std::string Log = LogFile();

  Dialogs.QueueAnswer(IDNO);
  Form->OptionsLoggingDelete->Click();
  EXPECT_TRUE(std::filesystem::exists(Log));
  ASSERT_EQ(Captions(), std::vector<std::string>{"Quillon: Delete Log File?"});
  EXPECT_EQ(Dialogs.Shown()[0].Text, "Are you sure you want to delete the log file?");

  // Open in a tab: Cancel on the closing question leaves the tab and the file.
  OpenLog();
  Dialogs.QueueAnswer(IDYES);
  Dialogs.QueueAnswer(IDCANCEL);
  Form->OptionsLoggingDelete->Click();
  EXPECT_TRUE(std::filesystem::exists(Log));
  ASSERT_NE(Form->FindOpenDocument(Log.c_str(), nullptr), nullptr);
  EXPECT_EQ(Captions().back(), "Quillon: Log File Will Be Closed In Editor");
  EXPECT_EQ(Dialogs.Shown().back().Buttons, (std::vector<int>{IDOK, IDCANCEL}));

  // OK closes the tab, even with changes in it, and the file goes.
  Current()->text->Modified = true;
  Dialogs.QueueAnswer(IDYES);
  Dialogs.QueueAnswer(IDOK);
  Form->OptionsLoggingDelete->Click();
  EXPECT_EQ(Form->FindOpenDocument(Log.c_str(), nullptr), nullptr);
  EXPECT_FALSE(std::filesystem::exists(Log));
  EXPECT_EQ(Captions().size(), 6u);  // no save question on the way

  Form->OptionsLoggingDelete->Click();
  EXPECT_EQ(Dialogs.Shown().back().Text, "There is currently no log file on disk.");
}

TEST_F(MainFormOptionsTest, TheValidatorOptionsDropDownShowsAndWritesTheTwoEngineFlags) {
  ASSERT_EQ(ZUBCalls.ZUBSetFlag(Config(), ZUB_CONFIG_MARKUP_OPTIONS, ZUB_MARKUP_ACCESSIBILITY, 0), 0);
  ASSERT_EQ(ZUBCalls.ZUBSetFlag(Config(), ZUB_CONFIG_CSS_OPTIONS, ZUB_CSS_SYNTAX_CHECK, 1), 0);
  Form->OptionsValidatorOptionsPopup(Form->OptionsValidatorOptions, false);
  EXPECT_FALSE(Form->OptionsEnableAccessibilityChecking->Checked());
  EXPECT_TRUE(Form->OptionsEnableCSSChecking->Checked());

  const std::string Page = MakeFile("faults.html",
                                    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html><head><title>t</title>"
                                    "</head><body>\n<p><img src=\"a.png\"></p>\n</body></html>\n");
  ASSERT_EQ(Form->AddNewFileTab(nullptr, Page.c_str(), 0, nullptr), 0);
  ASSERT_EQ(Current()->Validate(0, VALIDATE_QUIET), 0);
  const int Without = Current()->GetResultCount(COUNT_MESSAGES);

  Form->OptionsEnableAccessibilityChecking->Click();  // checks itself, then writes the bit
  Form->OptionsEnableCSSChecking->Click();
  EXPECT_EQ(Flag(ZUB_CONFIG_MARKUP_OPTIONS, ZUB_MARKUP_ACCESSIBILITY), 1);
  EXPECT_EQ(Flag(ZUB_CONFIG_CSS_OPTIONS, ZUB_CSS_SYNTAX_CHECK), 0);
  Form->OptionsValidatorOptionsPopup(Form->OptionsValidatorOptions, false);
  EXPECT_TRUE(Form->OptionsEnableAccessibilityChecking->Checked());
  EXPECT_FALSE(Form->OptionsEnableCSSChecking->Checked());

  ASSERT_EQ(Current()->Validate(0, VALIDATE_QUIET), 0);
  EXPECT_GT(Current()->GetResultCount(COUNT_MESSAGES), Without);  // the accessibility findings came with it
}

TEST_F(MainFormOptionsTest, TheConfigurationCommandsReachTheEngine) {
  ConfigCalls.clear();
  const auto Real = ZUBCalls.ZUBHTMLConfiguration;
  ZUBCalls.ZUBHTMLConfiguration = &RecordConfigCall;
  const std::vector<TTBItem*> Items = {Form->SettingsHTMLConfigClean,        Form->SettingsHTMLConfigReset,
                                       Form->SettingsHTMLConfigLoad,         Form->SettingsHTMLConfigSave,
                                       Form->SettingsHTMLConfigSaveAs,       Form->OptionsHTMLConfigExportPrograms,
                                       Form->OptionsHTMLConfigImportPrograms};
  for (TTBItem* Item : Items) {
    Item->Click();
  }
  ZUBCalls.ZUBHTMLConfiguration = Real;
  const HWND W = Form->Handle();
  EXPECT_EQ(ConfigCalls, (std::vector<TConfigCall>{{W, Config(), 64},
                                                   {W, Config(), 4},
                                                   {W, Config(), 128},
                                                   {W, Config(), 32},
                                                   {W, Config(), 16},
                                                   {0, Config(), 0x8000},
                                                   {0, Config(), 0x10000}}));
}

TEST_F(MainFormOptionsTest, SaveConfigurationWritesTheEnginesFile) {
  const std::string File = ZUBCalls.ZUBGetString(Config(), ZUB_CONFIG_FILE_NAME);
  std::filesystem::remove(File);
  ASSERT_EQ(ZUBCalls.ZUBSetFlag(Config(), ZUB_CONFIG_MARKUP_OPTIONS, ZUB_MARKUP_ACCESSIBILITY, 1), 0);
  Form->SettingsHTMLConfigSave->Click();
  EXPECT_TRUE(std::filesystem::exists(File)) << File;
  // Reset goes back to the defaults, unsaved until saved.
  Form->SettingsHTMLConfigReset->Click();
  EXPECT_EQ(Flag(ZUB_CONFIG_MARKUP_OPTIONS, ZUB_MARKUP_ACCESSIBILITY), 0);
  EXPECT_TRUE(Dialogs.Shown().empty());
}

TEST_F(MainFormOptionsTest, TheEnginesOptionsWindowOpensAtItsPageOwnedByTheMainWindow) {
  using TestSupport::TModalWindowDriver;
  struct TCase {
    TTBCustomItem* Item;
    const char* Page;
  };
  for (const TCase& C :
       {TCase{Form->OptionsValidatorOptions, "ValidatorSheet"}, TCase{Form->ToolsToolsOptions, "ToolsSheet"}}) {
    std::string Shown;
    TModalWindowDriver Driver("Validator Engine Options (Validator/Logging/Tools/Network)", [&](TForm& F) {
      if (auto* Pages = dynamic_cast<TPageControl*>(F.FindComponent("PageControl"))) {
        Shown = Pages->ActivePage() != nullptr ? Pages->ActivePage()->Name() : "";
      }
      F.ModalResult = mrCancel;
    });
    Driver.Arm();
    C.Item->Click();
    EXPECT_TRUE(Driver.Driven());
    EXPECT_EQ(Driver.OwnerWindow(), Form->Handle());
    EXPECT_EQ(Shown, C.Page);
  }
}

TEST_F(MainFormOptionsTest, TheDefaultToolChooserBelongsToTheMainWindow) {
  using TestSupport::TModalWindowDriver;
  TModalWindowDriver Driver("Drag and Drop Default Tool Select",
                            [](TForm& F) { TModalWindowDriver::Press(F, "CancelBtn"); });
  Driver.Arm();
  Form->DragDropOptions->Click();
  EXPECT_TRUE(Driver.Driven());
  EXPECT_EQ(Driver.OwnerWindow(), Form->Handle());
}

TEST_F(MainFormOptionsTest, SyntaxHighlightingFollowsItsCommand) {
  const std::string Page = MakeFile("colours.html", "<p>text</p>\n");
  ASSERT_EQ(Form->AddNewFileTab(nullptr, Page.c_str(), 0, nullptr), 0);
  ASSERT_TRUE(prg->editorOptions->flags.has(EOF40::SyntaxHighlighting));
  ASSERT_NE(Current()->text->Parser(), nullptr);
  Form->OptionsSyntaxHighlighting->Click();
  EXPECT_FALSE(prg->editorOptions->flags.has(EOF40::SyntaxHighlighting));
  EXPECT_FALSE(Form->OptionsSyntaxHighlighting->Checked());
  EXPECT_EQ(Current()->text->Parser(), nullptr);
  Form->OptionsSyntaxHighlighting->Click();
  EXPECT_TRUE(Form->OptionsSyntaxHighlighting->Checked());
  EXPECT_NE(Current()->text->Parser(), nullptr);
}

}  // namespace
