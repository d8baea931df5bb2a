// The start-up phases in the process: the another-instance question, the splash and its status lines, and the
// third phase's steps in their order.
#include "app/Htmlquick.h"
#include "core/Commandqueue.h"
#include "core/Ekregistryex.h"
#include "core/Fileinfoclass.h"
#include "core/Splashstatus.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/MessageBox.h"
#include "tests/mainwindow/MainFormFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

// Records the status lines instead of showing them.
class TRecordingSplash final : public SplashWindowServices {
public:
  std::vector<std::string> Lines;
  void ShowStatus(const char* Text) override { Lines.emplace_back(Text); }
  void Release() override { SetSplashWindow(nullptr); }
};

bool Shows(const std::vector<TDialogRequest>& Shown, const std::string& Caption) {
  for (const TDialogRequest& R : Shown) {
    if (R.Caption == Caption) {
      return true;
    }
  }
  return false;
}

class StartupTest : public MainFormTest {
protected:
  void TearDown() override {
    CloseSplash();                                      // a test that went on as a further instance showed it
    delete Application->FindComponent("DragDropForm");  // made by the third phase, once a process
    MainFormTest::TearDown();
  }
  // The stored question whether to run a further instance (the settings hold it on by default).
  static void StoreAskAnotherInstance(bool On) {
    EkRegistryEx Reg(EKREG_USE_FALLBACK);
    Reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_NE(Reg.OpenKeyEx((std::string(SETTINGS_ROOT) + "\\Editor\\Interface").c_str(), true), 0);
    Reg.WriteInteger("Flags2V45", On ? static_cast<int>(IF2::AskAnotherInstance.mask) : 0);
  }
};

TEST_F(StartupTest, AnotherInstanceQuestionDecidesBetweenHandOverAndAFurtherInstance) {
  StoreAskAnotherInstance(true);
  ASSERT_NE(FindWindow(MESSAGE_WINDOW_CLASS, MESSAGE_WINDOW_CAPTION), 0);

  StartupRecord Record;
  Dialogs.QueueAnswer(IDNO);
  EXPECT_EQ(StartupPhase1("", &Record), EXIT_HANDED_OVER);
  EXPECT_EQ(Record.stop, 1);
  EXPECT_TRUE(Shows(Dialogs.Shown(), "Quillon: Run Another Instance?"));
  EXPECT_EQ(GetSplashWindow(), nullptr);

  Dialogs.QueueAnswer(IDYES);
  EXPECT_EQ(StartupPhase1("", &Record), EXIT_NORMAL);
  EXPECT_EQ(Record.stop, 0);
  EXPECT_NE(GetSplashWindow(), nullptr) << "a further instance shows its splash";
}

TEST_F(StartupTest, WithoutTheQuestionARunningInstanceTakesTheCommandLine) {
  StoreAskAnotherInstance(false);
  StartupRecord Record;
  EXPECT_EQ(StartupPhase1("", &Record), EXIT_HANDED_OVER);
  EXPECT_FALSE(Shows(Dialogs.Shown(), "Quillon: Run Another Instance?"));
}

TEST_F(StartupTest, ThirdPhaseRunsItsStepsInOrder) {
  const std::string A = Dir + "/a.html", B = Dir + "/b.css";
  std::ofstream(A) << "<p>a</p>\n";
  std::ofstream(B) << "p {}\n";
  StringArrayStore Last;
  ASSERT_EQ(Last.addString(A.c_str(), ADDSTRING_AT_END), 1);
  ASSERT_EQ(Last.addString(B.c_str(), ADDSTRING_AT_END), 1);
  ASSERT_EQ(Last.saveToRegistry(HKEY_CURRENT_USER, (std::string(SETTINGS_ROOT) + "\\Editor\\LastOpenFiles").c_str(),
                                HISTORY_COUNT_STORED),
            1);
  prg->editorOptions->flags.set(EOF40::ReopenDocuments, true);
  prg->editorOptions->flags.set(EOF40::AskUpdateCheck, true);
  prg->volatileState->stateFlags.set(VSF::FirstRun, true);
  prg->volatileState->stateFlags.set(VSF::UpdateCheckDue, true);
  TRecordingSplash Splash;
  SetSplashWindow(&Splash);
  for (int I = 0; I < 4; ++I) {
    Dialogs.QueueAnswer(IDNO);  // every question answered No: nothing is launched or fetched
  }

  StartupRecord Record;
  EXPECT_EQ(StartupPhase3(0, &Record), EXIT_NORMAL);
  EXPECT_EQ(Record.stop, 0);
  SetSplashWindow(nullptr);

  const std::vector<std::string> Order = {
      "Processing images...",           "Creating forms...",          "Reopening last opened documents...",
      "Creating Inserter Window(s)...", "View Getting Started page?", "Check for update?"};
  std::size_t At = 0;
  for (const std::string& Line : Splash.Lines) {
    if (At < Order.size() && Line == Order[At]) {
      ++At;
    }
  }
  EXPECT_EQ(At, Order.size()) << "missing or out of order: " << (At < Order.size() ? Order[At] : "");
  ASSERT_EQ(prg->volatileState->documents->getCount(), 2)
      << static_cast<fileinfoclass*>(prg->volatileState->documents->getPointer(0))->name.text;
  for (int I = 0; I < 2; ++I) {
    EXPECT_STREQ(static_cast<fileinfoclass*>(prg->volatileState->documents->getPointer(I))->name.text,
                 (I == 0 ? A : B).c_str());
  }
  EXPECT_TRUE(Shows(Dialogs.Shown(), "Quillon: View Getting Started Page?"));
  EXPECT_TRUE(Shows(Dialogs.Shown(), "Quillon: Check For Updates?"));
  EXPECT_FALSE(prg->volatileState->stateFlags.has(VSF::UpdateCheckDue));
}

TEST_F(StartupTest, ThirdPhaseAsksNothingWhenNoQuestionIsDue) {
  prg->volatileState->stateFlags.set(VSF::FirstRun, false);
  prg->volatileState->stateFlags.set(VSF::UpdateCheckDue, false);
  StartupRecord Record;
  EXPECT_EQ(StartupPhase3(0, &Record), EXIT_NORMAL);
  EXPECT_FALSE(Shows(Dialogs.Shown(), "Quillon: View Getting Started Page?"));
  EXPECT_FALSE(Shows(Dialogs.Shown(), "Quillon: Check For Updates?"));
}

}  // namespace
