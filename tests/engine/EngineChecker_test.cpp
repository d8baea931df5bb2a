// The HTML checker runs in a worker process: a document that crashes it or makes it run away becomes an error for
// that document while the engine goes on; findings keep to the document's own lines.
#include "EngineTestUtil.h"

#include <dirent.h>
#include <signal.h>

#include <chrono>

using namespace EngineTest;

namespace {

// The engine's checker workers among this process's children.
std::vector<pid_t> WorkerPids() {
  std::vector<pid_t> Out;
  DIR* D = ::opendir("/proc");
  if (!D) {
    return Out;
  }
  while (dirent* E = ::readdir(D)) {
    const pid_t Pid = static_cast<pid_t>(std::atoi(E->d_name));
    if (Pid <= 0) {
      continue;
    }
    const std::string Stat = ReadFile("/proc/" + std::string(E->d_name) + "/stat");
    const std::size_t Open = Stat.find('(');
    const std::size_t Close = Stat.rfind(')');
    if (Open == std::string::npos || Close == std::string::npos) {
      continue;
    }
    const std::string Name = Stat.substr(Open + 1, Close - Open - 1);
    char State = 0;
    int Parent = 0;
    if (std::sscanf(Stat.c_str() + Close + 1, " %c %d", &State, &Parent) == 2 && Parent == ::getpid() &&
        Name.rfind("zubvalidator-wo", 0) == 0 && State != 'Z') {
      Out.push_back(Pid);
    }
  }
  ::closedir(D);
  return Out;
}

class EngineChecker : public TEngineFixture {
protected:
  void TearDown() override {
    for (const char* V : {"ZUBQ_ENGINE_CHECKER_STALL", "ZUBQ_ENGINE_CHECKER_TIMEOUT_MS", "ZUBQ_ENGINE_WORKER"}) {
      unsetenv(V);
    }
    TEngineFixture::TearDown();
  }
  // The checker's failure note of a result, or null.
  static const TFinding* CheckerFailure(const std::vector<TFinding>& Ms) {
    return FindMsg(Ms, "The HTML checker could not check this document");
  }
  // A page with a fault the checker finds: a fault of the checker's own shows it is working.
  bool CheckerWorks() {
    const ZUBInt R = Run(ZUB_JOB_VALIDATE_MARKUP, "<html><head><title>t</title></head><body><p>x</b></p></body></html>\n");
    const std::vector<TFinding> Ms = Messages(R);
    Api().ZUBFreeHandle(R, 0);
    return FindMsg(Ms, "</b>") != nullptr && !CheckerFailure(Ms);
  }
};

TEST_F(EngineChecker, ARunawayInTheCheckerIsAnErrorForThatDocumentAndTheEngineGoesOn) {
  const ZUBInt R = Run(ZUB_JOB_VALIDATE_MARKUP, ReadFile(DataFile("checker-runaway-recursion.html")));
  ASSERT_GE(R, 0);
  const std::vector<TFinding> Ms = Messages(R);
  const TFinding* Failed = CheckerFailure(Ms);
  ASSERT_NE(Failed, nullptr);
  EXPECT_EQ(Failed->Type, ZUB_MSG_ERROR);
  EXPECT_NE(Failed->Text.find("crashed"), std::string::npos) << Failed->Text;
  EXPECT_GE(Api().ZUBGetIntegerEZ(R, ZUB_RESULT_ERRORS), 1);
  // The engine's own checks still ran: the XHTML document type was seen.
  EXPECT_NE(FindMsg(Ms, "checked as XHTML"), nullptr);
  Api().ZUBFreeHandle(R, 0);
  EXPECT_TRUE(CheckerWorks());
  EXPECT_EQ(WorkerPids().size(), 1u);
}

TEST_F(EngineChecker, AStalledCheckerTimesOutAndAMissingOneIsReported) {
  ASSERT_TRUE(CheckerWorks());
  setenv("ZUBQ_ENGINE_CHECKER_STALL", "1", 1);
  setenv("ZUBQ_ENGINE_CHECKER_TIMEOUT_MS", "300", 1);
  const auto Start = std::chrono::steady_clock::now();
  const ZUBInt Stalled = Run(ZUB_JOB_VALIDATE_MARKUP, "<p>x</p>\n");
  EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::seconds(20));
  const std::vector<TFinding> StalledMs = Messages(Stalled);
  const TFinding* TooLong = CheckerFailure(StalledMs);
  ASSERT_NE(TooLong, nullptr);
  EXPECT_NE(TooLong->Text.find("took too long"), std::string::npos) << TooLong->Text;
  EXPECT_TRUE(WorkerPids().empty());
  unsetenv("ZUBQ_ENGINE_CHECKER_STALL");
  // The worker is looked for where it is named when it is started.
  setenv("ZUBQ_ENGINE_WORKER", "/nonexistent/zubvalidator-worker", 1);
  const std::vector<TFinding> MissingMs = Messages(Run(ZUB_JOB_VALIDATE_MARKUP, "<p>x</p>\n"));
  const TFinding* Missing = CheckerFailure(MissingMs);
  ASSERT_NE(Missing, nullptr);
  EXPECT_NE(Missing->Text.find("could not be started"), std::string::npos) << Missing->Text;
  unsetenv("ZUBQ_ENGINE_WORKER");
  EXPECT_TRUE(CheckerWorks());
}

TEST_F(EngineChecker, AWorkerKilledBetweenDocumentsIsReplaced) {
  ASSERT_TRUE(CheckerWorks());
  const std::vector<pid_t> Before = WorkerPids();
  ASSERT_EQ(Before.size(), 1u);
  ::kill(Before[0], SIGKILL);
  // Once it has died (a zombie until the engine reaps it), the next document starts a new worker.
  for (int I = 0; I < 400 && !WorkerPids().empty(); ++I) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_TRUE(CheckerWorks());
  const std::vector<pid_t> After = WorkerPids();
  ASSERT_EQ(After.size(), 1u);
  EXPECT_NE(After[0], Before[0]);
}

// A CR alone inside a handed line is a character of that line: the findings after it stay on their lines, and
// none points past the end of the document.
TEST_F(EngineChecker, ALoneCrKeepsFindingsOnTheirLines) {
  const std::string Text = ReadFile(DataFile("lone-cr-shifts-positions.html"));
  const std::vector<std::string> Handed = Lines(Text);
  ASSERT_EQ(Handed.size(), 5u);
  const std::vector<TFinding> Ms = Messages(Run(ZUB_JOB_VALIDATE_MARKUP, Text));
  const TFinding* Stray = FindMsg(Ms, "</b>");
  ASSERT_NE(Stray, nullptr);
  EXPECT_EQ(Stray->Line, 4);
  EXPECT_EQ(Stray->Char, 5);
  for (const TFinding& M : Ms) {
    if (M.Line <= 0) {
      continue;
    }
    EXPECT_LE(M.Line, static_cast<int>(Handed.size())) << M.Text;
    EXPECT_LE(M.Char, static_cast<int>(Handed[static_cast<std::size_t>(M.Line - 1)].size()) + 1) << M.Text;
  }
}

}  // namespace
