// The batch wizard window driven headless: its layout and keys, dropped files, column sorts, selection commands,
// delete and save questions, whole runs from the window against local files and a server on 127.0.0.1, Stop,
// the core's calls through the services object, and the settings that survive the window.
#include "tests/batchwizard/BatchWizardWindow.h"

#include "batchwizard/Batchjob.h"
#include "core/Commandqueue.h"
#include "core/Enginedialogs.h"
#include "core/Fileinfoextraclass.h"
#include "support/Corpus.h"
#include "support/SiteServer.h"

#include "platform/win/Desktop.h"
#include "platform/win/VirtualKeys.h"

#include <algorithm>
#include <filesystem>

namespace {

using Strings = std::vector<std::string>;

bool Contains(const std::vector<std::pair<std::string, bool>>& Log, const std::string& Text, bool* Error = nullptr) {
  for (const auto& [Line, IsError] : Log) {
    if (Line.find(Text) != std::string::npos) {
      if (Error != nullptr) {
        *Error = IsError;
      }
      return true;
    }
  }
  return false;
}

// Runs Probe every few milliseconds while the loop runs (also inside a batch run's pumps) until it is destroyed.
class TProbe {
public:
  explicit TProbe(std::function<void()> Probe) : FProbe(std::move(Probe)) {
    FWindow = AllocateHWnd([this](TMessage& M) {
      if (M.Msg == WM_TIMER) {
        FProbe();
      } else {
        M.Result = DefWindowProc(FWindow, M.Msg, M.WParam, M.LParam);
      }
    });
    SetTimer(FWindow, 1, 5, nullptr);
  }
  ~TProbe() {
    KillTimer(FWindow, 1);
    DeallocateHWnd(FWindow);
  }
  TProbe(const TProbe&) = delete;
  TProbe& operator=(const TProbe&) = delete;

private:
  std::function<void()> FProbe;
  HWND FWindow = 0;
};

}  // namespace

TEST_F(BatchWizardWindowTest, TheWindowIsLaidOutWithItsColumnsKeysAndStatus) {
  EXPECT_EQ(Form->Caption(), "ZUB Quillon Pro Batch Wizard");
  EXPECT_EQ(Form->Width(), 560);
  EXPECT_EQ(Form->Height(), 400);
  EXPECT_EQ(Column(0).size(), 0u);
  const Strings Captions = {"Target", "Proc", "Flags", "Results", "Full Target"};
  const int Widths[] = {125, 40, 45, 55, 300};
  for (int C = 0; C < 5; ++C) {
    EXPECT_EQ(Form->TargetListView->Columns()->Items(C)->Caption(), Captions[static_cast<std::size_t>(C)]);
    EXPECT_EQ(Form->TargetListView->Columns()->Items(C)->Width(), Widths[C]);
  }
  EXPECT_EQ(Status(0), "Validate");
  EXPECT_EQ(Status(1), "0 targets.");
  const std::vector<std::pair<TTBCustomItem*, TShortCut>> Keys = {{Form->FileNewList, 16384 + 'N'},
                                                                  {Form->FileCloseList, 16384 + 'W'},
                                                                  {Form->FileOpenList, 16384 + 'O'},
                                                                  {Form->FileSaveList, 16384 + 'S'},
                                                                  {Form->FileSaveListAs, 16384 + 8192 + 'A'},
                                                                  {Form->FileStartProcessing, VK_F6},
                                                                  {Form->FileStopProcessing, VK_F7},
                                                                  {Form->FileReopenLastReport, 16384 + 'R'},
                                                                  {Form->FileExit, 32768 + VK_F4},
                                                                  {Form->SelectionProcessYes, 16384 + 'P'},
                                                                  {Form->SelectionProcessNo, 24576 + 'P'},
                                                                  {Form->TargetAddFiles, 16384 + 'F'},
                                                                  {Form->TargetAddDirectory, 16384 + 'D'},
                                                                  {Form->TargetAddURL, 16384 + 'U'},
                                                                  {Form->TargetDelete, VK_DELETE},
                                                                  {Form->TargetSelectAll, 16384 + 'A'},
                                                                  {Form->TargetProperties, VK_F5},
                                                                  {Form->OptionsWizard, VK_F4},
                                                                  {Form->OptionsValidatorEngine, 16384 + VK_F4},
                                                                  {Form->OptionsConfigurationEditor, 16384 + VK_F5},
                                                                  {Form->HelpWizard, VK_F1}};
  for (const auto& [Item, Key] : Keys) {
    EXPECT_EQ(Item->ShortCut(), Key) << Item->Caption();
  }
  // The engine's dialogs opened from here are owned by this window.
  EXPECT_EQ(GetEngineDialogOwner(EngineDialogOwnerSlot::BatchWizard), Form);
  // Nothing to process and nothing to save in an empty list.
  Form->UpdateCommandStates();
  EXPECT_FALSE(Form->FileStartProcessing->Enabled());
  EXPECT_FALSE(Form->FileSaveList->Enabled());
  EXPECT_FALSE(Form->FileStopProcessing->Enabled());
  EXPECT_TRUE(Form->OptionsWizard->Enabled());
}

TEST_F(BatchWizardWindowTest, DroppedFilesAddTargetsOnceAndTakeWholePaths) {
  Settings().optionFlags.set(BWF::NewDirectoriesIncludeSub, true);
  const std::string Folder = Dir + "/site";
  Write(Folder + "/a.html", "<p>a</p>");
  Write(Folder + "/b.htm", "<p>b</p>");
  // A path longer than 256 characters names its own file, not a shorter one.
  const std::string Deep = Dir + "/" + std::string(120, 'd') + "/" + std::string(120, 'e') + "/long-name.html";
  Write(Deep, "<p>long</p>");
  const Strings Dropped = {Folder, Folder + "/a.html", Folder + "/b.htm"};
  Harness::DropFiles(Form->Handle(), TPoint{100, 150}, Dropped);
  Harness::RunUntilIdle();
  ASSERT_EQ(Targets()->getCount(), 3);
  EXPECT_EQ(Column(2), (Strings{"DI", "F", "F"}));
  EXPECT_EQ(Column(4), (Strings{Folder, Folder + "/a.html", Folder + "/b.htm"}));
  EXPECT_EQ(Status(1), "3 targets.");
  EXPECT_TRUE(Modified());
  Harness::DropFiles(Form->Handle(), TPoint{100, 150}, Dropped);
  Harness::RunUntilIdle();
  EXPECT_EQ(Targets()->getCount(), 3);
  Harness::DropFiles(Form->Handle(), TPoint{100, 150}, {Deep});
  Harness::RunUntilIdle();
  ASSERT_EQ(Targets()->getCount(), 4);
  EXPECT_NE(RowOf(Deep), nullptr);
  EXPECT_EQ(OpenDropHandles(), 0);
}

TEST_F(BatchWizardWindowTest, ColumnClicksSetTheSortWordAndResultsKeepUnprocessedTargetsLast) {
  Add(Dir + "/b.html", TARGET_KIND_FILE);
  Add(Dir + "/a.html", TARGET_KIND_FILE);
  Add(Dir + "/c.html", TARGET_KIND_FILE);
  Add(Dir + "/folder", TARGET_KIND_DIRECTORY);
  Form->RefreshTargetListView(Targets(), REFRESH_ALL_ROWS);
  auto Click = [&](int C) {
    Form->TargetListViewColumnClick(Form->TargetListView, Form->TargetListView->Columns()->Items(C));
    return Settings().sortOrder;
  };
  EXPECT_EQ(Click(0), 3);
  EXPECT_EQ(Column(0), (Strings{"folder", "a.html", "b.html", "c.html"}));
  EXPECT_EQ(Click(0), 2);
  EXPECT_EQ(Column(0), (Strings{"c.html", "b.html", "a.html", "folder"}));
  EXPECT_EQ(Click(1), 4);
  EXPECT_EQ(Click(2), 9);
  EXPECT_EQ(Click(4), 33);
  EXPECT_EQ(Click(4), 32);
  // Results: a.html has errors, c.html is clean, the others were never processed.
  for (int I = 0; I < Targets()->getCount(); ++I) {
    batchwiztargetclass* T = Target(I);
    if (T->targetText.equalsNoCase((Dir + "/a.html").c_str()) != 0) {
      T->errorCount = 3;
      T->warningCount = 1;
    } else if (T->targetText.equalsNoCase((Dir + "/c.html").c_str()) != 0) {
      T->errorCount = 0;
      T->warningCount = 0;
    }
  }
  Form->RefreshTargetListView(Targets(), REFRESH_RESULTS);
  EXPECT_EQ(Click(3), 16);
  EXPECT_EQ(Column(0), (Strings{"a.html", "c.html", "b.html", "folder"}));
  EXPECT_EQ(Click(3), 17);
  EXPECT_EQ(Column(0), (Strings{"c.html", "a.html", "b.html", "folder"}));
  EXPECT_EQ(Column(3)[0], "00e,00w,00b,00m");
  EXPECT_EQ(Status(1), "4 targets.");
}

TEST_F(BatchWizardWindowTest, SelectionCommandsChangeOnlyTheTargetsTheyApplyTo) {
  const std::string Folder = Dir + "/site";
  Add(Folder, TARGET_KIND_DIRECTORY);
  Add("http://127.0.0.1/page.html", TARGET_KIND_URL);
  Add(Dir + "/x.html", TARGET_KIND_FILE);
  Form->RefreshTargetListView(Targets(), REFRESH_ALL_ROWS);
  (void)Targets()->setUnchanged(1);
  Select({Folder, "http://127.0.0.1/page.html"});
  Form->SelectionSetNFlagClick(nullptr);
  EXPECT_EQ(RowOf(Folder)->SubItems()->Strings(1), "DN");
  EXPECT_EQ(RowOf("http://127.0.0.1/page.html")->SubItems()->Strings(1), "UN");
  EXPECT_TRUE(Modified());
  Form->SelectionSetIFlagClick(nullptr);
  EXPECT_EQ(RowOf(Folder)->SubItems()->Strings(1), "DIN");
  EXPECT_EQ(RowOf("http://127.0.0.1/page.html")->SubItems()->Strings(1), "UN");
  Form->SelectionProcessNoClick(nullptr);
  EXPECT_EQ(Column(1), (Strings{"No", "No", "Yes"}));
  Form->AllProcessYesClick(nullptr);
  EXPECT_EQ(Column(1), (Strings{"Yes", "Yes", "Yes"}));
  // The popup's own rules: a folder alone cannot be opened in the editor.
  Select({Folder});
  Form->WizardPopupPopup(nullptr);
  EXPECT_TRUE(Form->PopupProperties->Enabled());
  EXPECT_FALSE(Form->PopupOpenInEditor->Enabled());
  EXPECT_TRUE(Form->PopupSaveList->Enabled());
  Form->TargetListView->ClearSelection();
  Form->WizardPopupPopup(nullptr);
  EXPECT_FALSE(Form->PopupProperties->Enabled());
  EXPECT_FALSE(Form->PopupDelete->Enabled());
}

TEST_F(BatchWizardWindowTest, DeleteAsksFirstAndSelectsTheRowAtTheFirstDeletedPlace) {
  for (const char* Name : {"a.html", "b.html", "c.html"}) {
    Add(Dir + "/" + Name, TARGET_KIND_FILE);
  }
  Form->RefreshTargetListView(Targets(), REFRESH_ALL_ROWS);
  Form->TargetDeleteClick(nullptr);
  EXPECT_EQ(Boxes(), Strings{"Quillon: First Select Targets to Delete|You must first select the targets to delete."});
  Select({Dir + "/a.html", Dir + "/b.html"});
  Dialogs.QueueAnswer(IDNO);
  Form->TargetDeleteClick(nullptr);
  EXPECT_EQ(Boxes(), Strings{"Quillon: Delete Selected Target(s)?|Are you sure that you want to delete the selected "
                             "target(s)? This operation cannot be undone."});
  EXPECT_EQ(Targets()->getCount(), 3);
  // The Del key asks the same question; Yes deletes.
  Dialogs.QueueAnswer(IDYES);
  Form->TargetListView->SetFocus();
  Harness::KeyPress(VK_DELETE);
  Harness::RunUntilIdle();
  EXPECT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Column(0), Strings{"c.html"});
  ASSERT_NE(Form->TargetListView->Selected(), nullptr);
  EXPECT_EQ(Form->TargetListView->Selected()->Caption(), "c.html");
  EXPECT_EQ(Status(1), "1 target.");
}

TEST_F(BatchWizardWindowTest, TypingInTheExcludeFieldMarksTheListSoNewListAsksToSave) {
  Add(Dir + "/a.html", TARGET_KIND_FILE);
  Form->RefreshTargetListView(Targets(), REFRESH_ALL_ROWS);
  (void)Targets()->setUnchanged(1);
  Form->BatchWizardPageControl->SetActivePage(Form->ListOptionsSheet);
  Harness::RunUntilIdle();
  Form->ExcludeBeginStringsEdit->SetFocus();
  Harness::TypeText("http://ads.");
  Harness::RunUntilIdle();
  EXPECT_EQ(Form->ExcludeBeginStringsEdit->Text(), "http://ads.");
  EXPECT_TRUE(Modified());
  const std::string Question =
      "Quillon: Save Batch Wizard Target List?|The target list is not saved. Do you want to save the list before "
      "continuing?";
  // Cancel keeps everything.
  Dialogs.QueueAnswer(IDCANCEL);
  Form->FileNewListClick(nullptr);
  EXPECT_EQ(Boxes(), Strings{Question});
  EXPECT_EQ(Targets()->getCount(), 1);
  // Yes saves under the list's name, then the new list is empty and saved.
  Settings().listFileName.assign((Dir + "/saved.lst").c_str());
  Dialogs.QueueAnswer(IDYES);
  Form->FileNewListClick(nullptr);
  EXPECT_EQ(Boxes(), Strings{Question});
  EXPECT_NE(Read(Dir + "/saved.lst").find("http://ads."), std::string::npos);
  EXPECT_EQ(Targets()->getCount(), 0);
  EXPECT_EQ(Form->ExcludeBeginStringsEdit->Text(), "");
  EXPECT_FALSE(Modified());
  EXPECT_EQ(Form->Caption(), "ZUB Quillon Pro Batch Wizard");
  // No drops the changes.
  Add(Dir + "/b.html", TARGET_KIND_FILE);
  Dialogs.QueueAnswer(IDNO);
  EXPECT_EQ(Form->QuerySaveTargetList(), 0);
  EXPECT_EQ(Boxes(), Strings{Question});
}

TEST_F(BatchWizardWindowTest, AddUrlRefusesSecureAddresses) {
  DriveModal(
      "Enter URL Target to Add",
      [](TForm& F) {
        dynamic_cast<TComboBox*>(F.FindComponent("URLCombo"))->SetText("https://127.0.0.1/secure.html");
        TestSupport::TModalWindowDriver::Press(F, "OKBtn");
      },
      [&] { Form->TargetAddURLClick(nullptr); });
  EXPECT_EQ(Boxes(), Strings{"Quillon: Add URL Failed|Cannot add an HTTPS link (not supported)."});
  EXPECT_EQ(Targets()->getCount(), 0);
  DriveModal(
      "Enter URL Target to Add",
      [](TForm& F) {
        dynamic_cast<TComboBox*>(F.FindComponent("URLCombo"))->SetText("http://127.0.0.1/plain.html");
        TestSupport::TModalWindowDriver::Press(F, "OKBtn");
      },
      [&] { Form->TargetAddURLClick(nullptr); });
  ASSERT_EQ(Targets()->getCount(), 1);
  EXPECT_EQ(Column(2), Strings{"U"});
}

TEST_F(BatchWizardWindowTest, ReopenLastReportNamesAMissingReportAndDisablesItself) {
  Settings().reportFileName.assign((Dir + "/reports/gone.html").c_str());
  Settings().stateFlags |= 0x1;
  Form->UpdateCommandStates();
  EXPECT_TRUE(Form->FileReopenLastReport->Enabled());
  Form->FileReopenLastReportClick(nullptr);
  EXPECT_EQ(Boxes(), Strings{"Quillon: Report File Does Not Exist|The report file \"" + Dir +
                             "/reports/gone.html\" no longer exists so it can't be opened."});
  Form->UpdateCommandStates();
  EXPECT_FALSE(Form->FileReopenLastReport->Enabled());
}

// A whole run from the window: two local pages, a missing one and a page on a local server.
TEST_F(BatchWizardWindowTest, ProcessListRunsFromTheWindowAndFillsTheResults) {
  Write(Dir + "/site/good.html",
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html><head><title>t</title></head><body><p>ok</p>"
        "</body></html>\n");
  Write(Dir + "/site/bad.html", "<html><body><p>unclosed<b></body></html>\n");
  Write(Dir + "/www/page.html", "<html><body><p>served</body></html>\n");
  NetTest::TSiteServer Site(Dir + "/www");
  Add(Dir + "/site/good.html", TARGET_KIND_FILE);
  Add(Dir + "/site/bad.html", TARGET_KIND_FILE);
  Add(Dir + "/site/missing.html", TARGET_KIND_FILE);
  Add(Site.Url("/page.html"), TARGET_KIND_URL);
  Add("https://127.0.0.1/secure.html", TARGET_KIND_URL);
  // Enough pages for the probe to see the counts in the caption while they are processed.
  const std::string Page =
      ReadCorpusFile("html/" + std::filesystem::directory_iterator(CorpusDir() + "html")->path().filename().string());
  for (int I = 0; I < 80; ++I) {
    Write(Dir + "/many/p" + std::to_string(I) + ".html", Page);
  }
  Add(Dir + "/many", TARGET_KIND_DIRECTORY);
  Form->RefreshTargetListView(Targets(), REFRESH_ALL_ROWS);
  Strings Captions;
  bool PageSwitched = false, ListDisabled = false, PopupRemoved = false, StopEnabled = false, ProcessDisabled = false;
  {
    TProbe Probe([&] {
      if (Form->running == 0) {
        return;
      }
      PageSwitched = Form->BatchWizardPageControl->ActivePage() == Form->ProgressSheet;
      ListDisabled = !Form->TargetSheet->Enabled();
      PopupRemoved = Form->TargetListView->PopupMenu() == nullptr;
      Form->UpdateCommandStates();
      StopEnabled = Form->FileStopProcessing->Enabled();
      ProcessDisabled = !Form->FileStartProcessing->Enabled();
      if (Captions.empty() || Captions.back() != Form->Caption()) {
        Captions.push_back(Form->Caption());
      }
    });
    Form->SetFocus();
    Harness::KeyPress(VK_F6);
    Harness::RunUntil([&] { return Form->running == 0 && !Contains(Log(), "Begin processing") == false; }, 60000);
    Harness::RunUntilIdle();
  }
  EXPECT_TRUE(PageSwitched);
  EXPECT_TRUE(ListDisabled);
  EXPECT_TRUE(PopupRemoved);
  EXPECT_TRUE(StopEnabled);
  EXPECT_TRUE(ProcessDisabled);
  ASSERT_FALSE(Captions.empty());
  EXPECT_TRUE(std::any_of(Captions.begin(), Captions.end(), [](const std::string& C) {
    return C.find("% Complete - [") != std::string::npos && C.find("<>") != std::string::npos;
  })) << ::testing::PrintToString(Captions);
  EXPECT_EQ(Form->Caption(), "ZUB Quillon Pro Batch Wizard");
  EXPECT_TRUE(Form->TargetSheet->Enabled());
  EXPECT_EQ(Form->TargetListView->PopupMenu(), Form->WizardPopup);
  EXPECT_EQ(Status(1), "Processing complete.");
  const auto Lines = Log();
  ASSERT_FALSE(Lines.empty());
  EXPECT_EQ(Lines.front().first.rfind("Begin processing at ", 0), 0u);
  EXPECT_TRUE(Contains(Lines, "Total processing time was "));
  // Without the verbose option only level-1 lines show; the missing page's line is an error line.
  EXPECT_FALSE(Contains(Lines, "Deleting the temporary list of targets"));
  bool Error = false;
  std::string All;
  for (const auto& [Line, IsError] : Lines) {
    All += (IsError ? "E " : "  ") + Line + "\n";
  }
  ASSERT_TRUE(std::any_of(Lines.begin(), Lines.end(), [](const auto& L) { return L.second; })) << All;
  (void)Error;
  // The Results column is filled for the pages that were processed.
  EXPECT_NE(RowOf(Dir + "/site/bad.html")->SubItems()->Strings(2), "");
  EXPECT_NE(RowOf(Dir + "/site/good.html")->SubItems()->Strings(2), "");
  EXPECT_NE(RowOf(Site.Url("/page.html"))->SubItems()->Strings(2), "");
  // Pictures of the log and of the list with its results, for looking at.
  Harness::RunUntilIdle();
  EXPECT_TRUE(Harness::SaveWindowPng(Form->Handle(), std::string(ZUBQ_BINARY_DIR) + "/batchwizard-window-log.png"));
  // The Target List page can be shown again.
  Form->BatchWizardPageControl->SetActivePage(Form->TargetSheet);
  EXPECT_EQ(Form->BatchWizardPageControl->ActivePage(), Form->TargetSheet);
  Harness::RunUntilIdle();
  EXPECT_TRUE(Harness::SaveWindowPng(Form->Handle(), std::string(ZUBQ_BINARY_DIR) + "/batchwizard-window-list.png"));
}

TEST_F(BatchWizardWindowTest, StopDuringDownloadsAbortsWritesTheReportAndKeepsOldResults) {
  Write(Dir + "/www/slow.html", "<html><body><p>slow</p></body></html>\n");
  NetTest::TSiteServer Site(Dir + "/www");
  Site.SetDelayMs(3000);
  Settings().optionFlags.set(BWF::VerboseLog, true);
  Add(Site.Url("/slow.html"), TARGET_KIND_URL);
  Target(0)->errorCount = 2;
  Target(0)->warningCount = 0;
  Form->RefreshTargetListView(Targets(), REFRESH_ALL_ROWS);
  const std::string Before = Column(3)[0];
  bool Refused = false;
  unsigned long long RunStart = 0;
  {
    TProbe Probe([&] {
      if (Form->running != 0 && RunStart == 0) {
        RunStart = RealClock.MonotonicNs();
      }
      // Stop once the download has been waited for a while (it takes three seconds to come).
      if (Form->running != 0 && (Form->abortWord & ABORT_REQUESTED) == 0 &&
          RealClock.MonotonicNs() - RunStart > 500ull * 1000 * 1000) {
        // Closing the window, switching pages and a second run are refused without a message while it runs.
        bool CanClose = true;
        Form->FormCloseQuery(Form, CanClose);
        bool CanChange = true;
        Form->BatchWizardPageControlChanging(Form, CanChange);
        Refused = !CanClose && !CanChange && Form->ProcessTargets(nullptr, nullptr, 0) == -3;
        Form->FileStopProcessingClick(nullptr);
      }
    });
    Form->FileStartProcessingClick(nullptr);
  }
  EXPECT_TRUE(Refused);
  bool Error = false;
  EXPECT_TRUE(Contains(Log(), "*** Processing aborted due to user request. ***", &Error));
  EXPECT_TRUE(Error);
  EXPECT_TRUE(std::filesystem::exists(Dir + "/reports/batchreport.html"));
  EXPECT_EQ(Column(3)[0], Before);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(BatchWizardWindowTest, ShutdownDuringARunPressesStopAndCancelsUntilTheRunEnded) {
  Write(Dir + "/www/slow.html", "<html><body><p>slow</p></body></html>\n");
  NetTest::TSiteServer Site(Dir + "/www");
  Site.SetDelayMs(2000);
  Add(Site.Url("/slow.html"), TARGET_KIND_URL);
  Form->RefreshTargetListView(Targets(), REFRESH_ALL_ROWS);
  int Answer = -1;
  std::string StatusSeen;
  {
    TProbe Probe([&] {
      if (Form->running != 0 && Answer < 0) {
        Answer = BatchWizard().QuerySaveTargetList(1);
        StatusSeen = Status(1);
      }
    });
    Form->FileStartProcessingClick(nullptr);
  }
  EXPECT_EQ(Answer, 1);
  EXPECT_EQ(StatusSeen, "Aborting target list processing... please wait...");
  EXPECT_TRUE(Boxes().empty());
  // Once the run ended the question is the usual one.
  (void)Targets()->setUnchanged(1);
  EXPECT_EQ(BatchWizard().QuerySaveTargetList(1), 0);
}

TEST_F(BatchWizardWindowTest, TheCommandQueueOpensAndRunsAListWithTheValidateTool) {
  Write(Dir + "/site/p.html", "<html><body><p>p</p></body></html>\n");
  Add(Dir + "/site/p.html", TARGET_KIND_FILE);
  ASSERT_EQ(WriteTargetList(nullptr, Targets(), (Dir + "/run.lst").c_str()), 0);
  (void)Targets()->removeAllPointers(0);
  (void)Targets()->setUnchanged(1);
  Settings().toolNumber = TOOL_UPPERCASE;
  auto Run = [&](const std::string& Command) {
    ASSERT_EQ(prg->volatileState->commandQueue.addString(Command.c_str(), ADDSTRING_AT_END), 1);
    EXPECT_EQ(ProcessCommandQueue(&prg->volatileState->commandQueue), 0);
  };
  Run("-b " + Dir + "/run.lst");
  EXPECT_EQ(Settings().toolNumber, TOOL_VALIDATE);
  EXPECT_EQ(Form->Caption(), "ZUB Quillon Pro Batch Wizard - " + Dir + "/run.lst");
  EXPECT_TRUE(Contains(Log(), "Begin processing at "));
  EXPECT_NE(Column(3)[0], "");
  // A list that fails to open leaves the window open and runs nothing.
  Form->ClearLog();
  Run("-b " + Dir + "/missing.lst");
  EXPECT_TRUE(Form->Visible());
  EXPECT_TRUE(Log().empty());
  EXPECT_EQ(Boxes().size(), 1u);
  // "-3" opens the options dialog.
  DriveModal(
      "ZUB Quillon Pro Batch Wizard Options", [](TForm& F) { TestSupport::TModalWindowDriver::Press(F, "CancelBtn"); },
      [&] { Run("-3"); });
}

TEST_F(BatchWizardWindowTest, TheFirstShowingReopensTheLastListAndSettingsSurviveTheWindow) {
  Write(Dir + "/site/p.html", "<p>p</p>");
  Add(Dir + "/site/p.html", TARGET_KIND_FILE);
  ASSERT_EQ(WriteTargetList(nullptr, Targets(), (Dir + "/last.lst").c_str()), 0);
  (void)Targets()->removeAllPointers(0);
  (void)Targets()->setUnchanged(1);
  Settings().listFileName.assign((Dir + "/last.lst").c_str());
  for (int I = 0; I < 17; ++I) {
    (void)Settings().recentLists.addString((Dir + "/r" + std::to_string(I) + ".lst").c_str(), 3);
  }
  Settings().optionFlags.set(BWF::Toolbar, false);
  Form->SetBounds(5000, 4000, 500, 300);
  delete Form;
  Form = nullptr;
  EXPECT_EQ(prg->interface->batchFormLeft, 5000);
  SetBatchWizardServices(&Services);  // a new registration: its next showing is a first one
  ASSERT_EQ(ShowBatchWizard(nullptr, 0), 0);
  Form = BatchWizardWindow();
  ASSERT_NE(Form, nullptr);
  Harness::RunUntilIdle();
  EXPECT_EQ(Column(4), Strings{Dir + "/site/p.html"});
  EXPECT_EQ(Form->Caption(), "ZUB Quillon Pro Batch Wizard - " + Dir + "/last.lst");
  // The bounds were moved back onto the screen; the toolbar stays hidden; 15 recent lists, the newest first.
  const TRect Screen = ::Screen->WorkAreaRect();
  EXPECT_LE(Form->Left() + Form->Width(), Screen.Right);
  EXPECT_LE(Form->Top() + Form->Height(), Screen.Bottom);
  EXPECT_EQ(Form->Width(), 500);
  EXPECT_FALSE(Form->BatchWizardToolbar->Visible());
  ASSERT_EQ(Form->FileOpenList->Count(), 15);
  EXPECT_EQ(Form->FileOpenList->Items(0)->Caption(), Dir + "/last.lst");
  EXPECT_EQ(Form->OpenListBtn->Count(), 15);
  EXPECT_EQ(Form->FileOpenList->Items(1)->Caption(), Dir + "/r16.lst");
}
