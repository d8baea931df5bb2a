// The hand-over to a running instance, the first start's command line and the command queue's vocabulary, run
// in one process against recording window stand-ins.
#include "RecordingWindows.h"
#include "SettingsTestSupport.h"

#include "core/Batchwizclass.h"
#include "core/Commandqueue.h"
#include "core/Ekregistryex.h"
#include "core/Shellintegration.h"

#include "platform/win/Atoms.h"
#include "platform/win/DialogService.h"
#include "platform/win/UtilWindow.h"

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

class CommandQueueTest : public SettingsTest {
protected:
  void SetUp() override {
    SettingsTest::SetUp();
    MakeRoot();
    Harness::Start();
    Window.Main = TestSupport::Make<TForm>(Application);
    Window.Main->SetBounds(40, 40, 320, 240);
    MessageWindow = AllocateHWnd([this](TMessage& M) {
      if (M.Msg == REMOTE_COMMAND_MESSAGE) {
        ++Received;
        (void)QueueRemoteCommandAtom(static_cast<ATOM>(M.LParam));  // the queue is checked by the test
        return;
      }
      M.Result = DefWindowProc(MessageWindowHandle(), M.Msg, M.WParam, M.LParam);
    });
  }
  void TearDown() override {
    DeallocateHWnd(MessageWindow);
    delete Window.Main;
    Window.Main = nullptr;
    SettingsTest::TearDown();
  }
  HWND MessageWindowHandle() const { return MessageWindow; }

  static void Drain() {
    MSG Msg{};
    while (PeekMessage(&Msg, 0, 0, 0, PM_REMOVE) != 0) {
      DispatchMessage(&Msg);
    }
  }
  StringArrayStore& Queue() { return prg->volatileState->commandQueue; }
  Strings Queued() {
    Strings Out;
    for (int I = 0; I < Queue().getCount(); ++I) {
      Out.emplace_back(Queue().getString(I));
    }
    return Out;
  }
  void Run(const char* Command) {
    ASSERT_EQ(Queue().addString(Command, ADDSTRING_AT_END), 1);
    EXPECT_EQ(ProcessCommandQueue(&Queue()), 0);
    EXPECT_EQ(Queue().getCount(), 0);
  }

  TScriptedDialogs Dialogs;
  TScopedDialogService DialogScope{Dialogs};
  RecordingMainWindow Window;
  RecordingBatchWizard Wizard;
  HWND MessageWindow = 0;
  int Received = 0;
};

TEST_F(CommandQueueTest, HandOverToTheOwnMessageWindowQueuesAtTheEnd) {
  EXPECT_EQ(SendToRunningInstance(0, "a.html"), HANDOVER_NO_WINDOW);
  ASSERT_EQ(Queue().addString("first", ADDSTRING_AT_END), 1);
  EXPECT_EQ(SendToRunningInstance(MessageWindow, "\"my page.html\" b.css"), HANDOVER_DONE);
  EXPECT_EQ(SendToRunningInstance(MessageWindow, ""), HANDOVER_DONE);
  EXPECT_EQ(SendToRunningInstance(MessageWindow, nullptr), HANDOVER_DONE);
  Drain();
  EXPECT_EQ(Queued(), (Strings{"first", "\"my page.html\" b.css", "-BringToFront", "-BringToFront"}));
  EXPECT_TRUE(Dialogs.Shown().empty());
}

TEST_F(CommandQueueTest, ReceivedAtomIsDeletedAlsoWhileShuttingDownAndAtomZeroIsIgnored) {
  const ATOM Atom = GlobalAddAtom("late.html");
  ASSERT_NE(Atom, 0);
  prg->volatileState->shuttingDown = 1;
  EXPECT_EQ(QueueRemoteCommandAtom(Atom), 0);
  EXPECT_EQ(GlobalFindAtom("late.html"), 0);
  EXPECT_EQ(Queue().getCount(), 0);
  prg->volatileState->shuttingDown = 0;
  EXPECT_EQ(QueueRemoteCommandAtom(0), 0);
  EXPECT_EQ(Queue().getCount(), 0);
}

// A document list longer than one atom holds goes over in parts split between words, each part a whole command.
TEST_F(CommandQueueTest, LongDocumentListGoesOverInPartsBetweenWords) {
  std::string Line;
  Strings Names;
  for (int I = 0; I < 40; ++I) {
    Names.push_back("/home/user/site/page number " + std::to_string(I) + ".html");
    Line += (I > 0 ? " \"" : "\"") + Names.back() + "\"";
  }
  ASSERT_GT(Line.size(), 1000u);
  EXPECT_EQ(SendToRunningInstance(MessageWindow, Line.c_str()), HANDOVER_DONE);
  Drain();
  EXPECT_GT(Received, 4);
  for (const std::string& Part : Queued()) {
    EXPECT_LE(Part.size(), static_cast<std::size_t>(REMOTE_COMMAND_MAXIMUM));
  }
  EXPECT_EQ(ProcessCommandQueue(&Queue()), 0);
  Strings Opened;
  for (const std::string& Call : Window.Calls) {
    if (Call.rfind("open:", 0) == 0) {
      Opened.push_back(Call.substr(5, Call.size() - 7));
    }
  }
  EXPECT_EQ(Opened, Names);
  EXPECT_TRUE(Dialogs.Shown().empty());
}

TEST_F(CommandQueueTest, SplitKeepsTheOpenSwitchAndRejectsWhatCannotBeDivided) {
  const std::string Long(300, 'x');
  std::string List = "-v";
  for (int I = 0; I < 30; ++I) {
    List += " /tmp/document-" + std::to_string(I) + ".html";
  }
  Strings Parts, Rejected;
  SplitRemoteCommandLine((List + " " + Long).c_str(), Parts, Rejected);
  ASSERT_GT(Parts.size(), 1u);
  for (const std::string& Part : Parts) {
    EXPECT_EQ(Part.rfind("-v /tmp/document-", 0), 0u) << Part;
    EXPECT_LE(Part.size(), static_cast<std::size_t>(REMOTE_COMMAND_MAXIMUM));
  }
  EXPECT_EQ(Rejected, Strings{Long});

  Parts.clear();
  Rejected.clear();
  const std::string Batch = "-b " + Long;
  SplitRemoteCommandLine(Batch.c_str(), Parts, Rejected);
  EXPECT_TRUE(Parts.empty());
  EXPECT_EQ(Rejected, Strings{Batch});
}

TEST_F(CommandQueueTest, UnsendableCommandsAndFailedPostsAreToldToTheUser) {
  const std::string Batch = "-b " + std::string(300, 'l');
  EXPECT_EQ(SendToRunningInstance(MessageWindow, Batch.c_str()), HANDOVER_DONE);
  Drain();
  EXPECT_EQ(Received, 0);
  ASSERT_EQ(Dialogs.Shown().size(), 1u);
  EXPECT_NE(Dialogs.Shown()[0].Text.find("cannot be divided"), std::string::npos);

  // A window that went away: the post fails, the user is told and the atom does not stay behind.
  const HWND Gone = AllocateHWnd([](TMessage&) {});
  DeallocateHWnd(Gone);
  EXPECT_EQ(SendToRunningInstance(Gone, "orphan.html"), HANDOVER_DONE);
  ASSERT_EQ(Dialogs.Shown().size(), 2u);
  EXPECT_NE(Dialogs.Shown()[1].Text.find("orphan.html"), std::string::npos);
  EXPECT_EQ(GlobalFindAtom("orphan.html"), 0);
}

TEST_F(CommandQueueTest, FirstStartCommandLine) {
  ASSERT_EQ(QueueFirstRunCommands(prg->volatileState), 1);
  EXPECT_EQ(ProcessCommandLine(0, "\"a b.html\""), COMMANDLINE_QUEUED);
  EXPECT_EQ(prg->volatileState->commandLinePresent, 1);
  EXPECT_EQ(Queued(), (Strings{"\"a b.html\"", FIRST_RUN_COMMAND}));
  for (const char* Line : {"-x", "-X", "-xanything"}) {
    EXPECT_EQ(ProcessCommandLine(0, Line), COMMANDLINE_ASSOCIATIONS_REMOVED) << Line;
  }
  EXPECT_EQ(Queue().getCount(), 2);
}

TEST_F(CommandQueueTest, TwoQuotedNamesWithBlanksOpenBoth) {
  Run("\"/tmp/my page.html\"   \"/tmp/other page.css\"");
  EXPECT_EQ(Window.Calls, (Strings{"open:/tmp/my page.html:0", "open:/tmp/other page.css:0"}));
  EXPECT_TRUE(Window.Main->Visible());
}

// Shell verbs start the program with "-o" or "-v" before the documents; neither is a document name.
TEST_F(CommandQueueTest, OpenAndValidateSwitchesTakeTheWordsAfterThem) {
  Run("-o a.html \"b c.html\"");
  EXPECT_EQ(Window.Calls, (Strings{"open:a.html:0", "open:b c.html:0"}));
  Window.Calls.clear();
  Run("-V a.html b.html");
  EXPECT_EQ(Window.Calls, (Strings{"open:a.html:0", "validate:1:2:-1", "open:b.html:0", "validate:1:2:-1"}));
}

TEST_F(CommandQueueTest, BatchSwitchIsAPrefixAndRunsTheListWhenItOpens) {
  Run("-batch targets.zbl");
  EXPECT_EQ(Wizard.Calls, (Strings{"create", "restore:1", "openlist:targets.zbl:4", "process"}));
  ASSERT_NE(Wizard.Form, nullptr);
  EXPECT_TRUE(Wizard.Form->Visible());
  EXPECT_EQ(prg->batchWizard->runKind, 1);

  Wizard.Calls.clear();
  prg->batchWizard->runKind = 0;
  Wizard.OpenResult = -1;
  Run("-B missing.zbl");
  EXPECT_EQ(Wizard.Calls, (Strings{"restore:1", "openlist:missing.zbl:4"}));
  EXPECT_EQ(prg->batchWizard->runKind, 0);

  // Without a window nothing is opened.
  delete Wizard.Form;
  Wizard.Form = nullptr;
  Wizard.CanCreate = false;
  Wizard.Calls.clear();
  Run("-b other.zbl");
  EXPECT_EQ(Wizard.Calls, Strings{"create"});
}

// The link statuses are refreshed when the progress moved by 33 or more from the value last acted on.
TEST_F(CommandQueueTest, LinkCheckProgressRefreshesAtStepsOfThirtyThree) {
  for (const char* Percent : {"10", "20", "40", "45", "80"}) {
    Run((std::string(LINK_CHECK_COMMAND) + " " + Percent).c_str());
  }
  EXPECT_EQ(Window.Calls, (Strings{"linkimage:3", "linkimage:3"}));
  EXPECT_EQ(Window.StatusTexts.back(), "Checking links... 80%");
  EXPECT_EQ(prg->volatileState->linkCheckProgress, 80);

  Window.Calls.clear();
  Run("-linkcheckmessage 101");
  EXPECT_EQ(Window.Calls, (Strings{"linkimage:3", "filllinks:42", "linkbuttons"}));
  EXPECT_EQ(Window.StatusTexts.back(), "Checking links... completed.");
  EXPECT_EQ(prg->volatileState->linkCheckProgress, 0);

  Window.Calls.clear();
  Run("-LinkCheckMessage garbage");
  EXPECT_TRUE(Window.Calls.empty());
  EXPECT_EQ(Window.StatusTexts.back(), "Checking links... garbage%");
}

TEST_F(CommandQueueTest, DialogCommandsGiveTheForegroundBack) {
  TForm* Other = TestSupport::Make<TForm>(Application);
  Other->SetBounds(400, 40, 200, 100);
  Other->Show();
  const HWND Main = Window.Main->Handle();
  const struct {
    const char* Command;
    Strings MainCalls;
    Strings WizardCalls;
    HWND Foreground;
  } Cases[] = {
      {"-1", {}, {}, Other->Handle()},
      {"-2", {"configeditor"}, {}, Other->Handle()},
      {"-3", {}, {"create", "restore:1", "options"}, Other->Handle()},
      {"-4", {"editoroptions"}, {}, Other->Handle()},
      {"-BringToFront", {}, {}, Main},
  };
  for (const auto& Case : Cases) {
    Window.Calls.clear();
    Wizard.Calls.clear();
    Window.Main->Hide();
    ASSERT_NE(SetForegroundWindow(Other->Handle()), 0);
    Run(Case.Command);
    EXPECT_EQ(Window.Calls, Case.MainCalls) << Case.Command;
    EXPECT_EQ(Wizard.Calls, Case.WizardCalls) << Case.Command;
    EXPECT_EQ(GetForegroundWindow(), Case.Foreground) << Case.Command;
    // The main window was raised for the command (the batch wizard's options leave it alone).
    EXPECT_EQ(Window.Main->Visible(), std::string(Case.Command) != "-3") << Case.Command;
  }
  delete Other;
}

// Started with "-x" the program only removes the associations; a queued "-X" also gives the browser back the
// source viewer it had.
TEST_F(CommandQueueTest, QueuedRemovalAlsoRestoresTheSourceViewer) {
  EkRegistryEx Reg(0);
  Reg.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(Reg.OpenKey(SOURCE_VIEWER_KEY, true));
  Reg.WriteString("", "/opt/zubquillon/zubquillon");
  Reg.WriteString(SOURCE_VIEWER_SAVED, "/usr/bin/viewer");
  Reg.CloseKey();
  EXPECT_EQ(ProcessCommandLine(0, "-x"), COMMANDLINE_ASSOCIATIONS_REMOVED);
  ASSERT_TRUE(Reg.OpenKey(SOURCE_VIEWER_KEY, false));
  EXPECT_TRUE(Reg.ValueExists(SOURCE_VIEWER_SAVED));
  Reg.CloseKey();

  Run("-X");
  ASSERT_TRUE(Reg.OpenKey(SOURCE_VIEWER_KEY, false));
  EXPECT_FALSE(Reg.ValueExists(SOURCE_VIEWER_SAVED));
  EXPECT_EQ(Reg.ReadString(""), "/usr/bin/viewer");
}

TEST_F(CommandQueueTest, CommandsQueuedWhileOneRunsRunInTheSameCall) {
  Window.OnOpen = [this](const char* Name) {
    if (std::string(Name) == "a.html") {
      (void)Queue().addString("c.html", ADDSTRING_AT_END);  // checked through the calls below
    }
  };
  ASSERT_EQ(Queue().addString("a.html", ADDSTRING_AT_END), 1);
  ASSERT_EQ(Queue().addString("   ", ADDSTRING_AT_END), 1);
  ASSERT_EQ(Queue().addString("b.html", ADDSTRING_AT_END), 1);
  EXPECT_EQ(ProcessCommandQueue(&Queue()), 0);
  EXPECT_EQ(Window.Calls, (Strings{"open:a.html:0", "open:b.html:0", "open:c.html:0"}));
  EXPECT_EQ(ProcessCommandQueue(nullptr), 0);
}

}  // namespace
