// Termination signals and the desktop's session end reach the main form's close query through the loop.
#include "platform/win/SessionEnd.h"

#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/WinUser.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

class SessionEndTest : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(10, 10, 200, 100);
    Form->OnCloseQuery = [this](TObject*, bool& CanClose) {
      ++Queries;
      CanClose = Agree;
    };
    Form->OnClose = [this](TObject*, TCloseAction&) { Closed = true; };
    Form->Show();
    Application->SetMainForm(Form);
    (void)QuitPosted();  // an earlier test of this program may have told the loop to end
  }
  void TearDown() override {
    SessionEnd::Stop();
    Application->SetMainForm(nullptr);
    delete Form;
  }
  TForm* Form = nullptr;
  int Queries = 0;
  bool Agree = false;
  bool Closed = false;
  // Whether the loop was told to end (the quit message is waiting).
  static bool QuitPosted() {
    MSG M;
    return PeekMessage(&M, 0, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
  }
};

TEST_F(SessionEndTest, ASignalRunsTheCloseQueryAndAnAnswerOfNoKeepsTheProgram) {
  ASSERT_TRUE(SessionEnd::Start(Application->Handle(), WM_LAYER_TERMINATE));
  for (int Signal : {SIGTERM, SIGHUP, SIGINT}) {
    const int Before = Queries;
    ASSERT_EQ(::raise(Signal), 0);
    EXPECT_TRUE(Harness::RunUntil([&] { return Queries > Before; }, 5000)) << Signal;
    EXPECT_FALSE(Closed);
  }
  Agree = true;
  ASSERT_EQ(::raise(SIGTERM), 0);
  EXPECT_TRUE(Harness::RunUntil([&] { return Closed; }, 5000));
  EXPECT_EQ(Queries, 4);
}

TEST_F(SessionEndTest, StopPutsTheEarlierDispositionBack) {
  struct sigaction Before = {};
  sigaction(SIGTERM, nullptr, &Before);
  ASSERT_TRUE(SessionEnd::Start(Application->Handle(), WM_LAYER_TERMINATE));
  SessionEnd::Stop();
  struct sigaction After = {};
  sigaction(SIGTERM, nullptr, &After);
  EXPECT_EQ(After.sa_handler, Before.sa_handler);
  EXPECT_FALSE(SessionEnd::Started());
}

TEST_F(SessionEndTest, TheDesktopsSessionEndAsksTheMainFormAndEndsTheLoopWhenItAgrees) {
  EXPECT_FALSE(SessionEnd::QueryEndSession());
  EXPECT_EQ(Queries, 1);
  EXPECT_FALSE(QuitPosted());
  Agree = true;
  EXPECT_TRUE(SessionEnd::QueryEndSession());
  EXPECT_EQ(Queries, 2);
  EXPECT_TRUE(QuitPosted());
}

}  // namespace
