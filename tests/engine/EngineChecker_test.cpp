// The HTML checker runs in a worker process: a document that crashes it or makes it run away becomes an error for
// that document while the engine goes on; findings keep to the document's own lines.
#include "EngineTestUtil.h"
#include "support/Corpus.h"

#include <tidy/tidy.h>

#include <dirent.h>
#include <dlfcn.h>
#include <signal.h>

#include <chrono>
#include <climits>
#include <set>
#include <tuple>

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

// The HTML checker library called directly, with the steps its own command line runs for "-e" (parse, repair,
// diagnostics) and the engine's options: its errors and warnings as (code, line, column).
using TPlace = std::tuple<int, int, int>;

struct TTidy {
  void* Library = nullptr;
#define ZUB_TIDY_CALL(Name) decltype(&::Name) Name = nullptr;
#define ZUB_TIDY_CALLS(X)                                                                                        \
  X(tidyCreate) X(tidyRelease) X(tidySetAppData) X(tidyGetAppData) X(tidySetMessageCallback) X(tidyGetMessageDoc) \
  X(tidyGetMessageLevel) X(tidyGetMessageLine) X(tidyGetMessageColumn) X(tidyGetMessageCode) X(tidyOptSetValue)   \
  X(tidyOptSetInt) X(tidyOptSetBool) X(tidyParseString) X(tidyCleanAndRepair) X(tidyRunDiagnostics)
  ZUB_TIDY_CALLS(ZUB_TIDY_CALL)
#undef ZUB_TIDY_CALL
};

const TTidy& Tidy() {
  static const TTidy T = [] {
    TTidy R;
    R.Library = ::dlopen("libtidy.so", RTLD_NOW | RTLD_LOCAL);
    if (!R.Library) {
      return R;
    }
#define ZUB_TIDY_BIND(Name) R.Name = reinterpret_cast<decltype(&::Name)>(::dlsym(R.Library, #Name));
    ZUB_TIDY_CALLS(ZUB_TIDY_BIND)
#undef ZUB_TIDY_BIND
    return R;
  }();
  return T;
}

std::set<TPlace> CheckersOwnFindings(const std::string& Text, bool Utf8) {
  const TTidy& T = Tidy();
  std::set<TPlace> Out;
  TidyDoc D = T.tidyCreate();
  T.tidySetAppData(D, &Out);
  T.tidySetMessageCallback(D, [](TidyMessage M) -> Bool {
    const TTidy& T = Tidy();
    const TidyReportLevel Level = T.tidyGetMessageLevel(M);
    if (Level == TidyWarning || Level == TidyError || Level == TidyBadDocument || Level == TidyFatal) {
      auto* Out = static_cast<std::set<TPlace>*>(T.tidyGetAppData(T.tidyGetMessageDoc(M)));
      Out->insert({static_cast<int>(T.tidyGetMessageCode(M)), T.tidyGetMessageLine(M), T.tidyGetMessageColumn(M)});
    }
    return no;
  });
  T.tidyOptSetValue(D, TidyInCharEncoding, Utf8 ? "raw" : "win1252");
  T.tidyOptSetInt(D, TidyTabSize, 1);
  T.tidyOptSetInt(D, TidyShowErrors, INT_MAX / 2);
  T.tidyOptSetBool(D, TidyQuiet, yes);
  if (T.tidyParseString(D, Text.c_str()) >= 0 && T.tidyCleanAndRepair(D) >= 0) {
    T.tidyRunDiagnostics(D);
  }
  T.tidyRelease(D);
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
#if defined(__SANITIZE_ADDRESS__)
  // A sanitized worker has a deeper stack and slower calls: on a busy machine the runaway can take longer than
  // the engine's usual allowance to reach the end of it.
  setenv("ZUBQ_ENGINE_CHECKER_TIMEOUT_MS", "180000", 1);
#endif
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
  // The job comes back (a checker that never answers would hold it forever) with the checker's failure.
  const ZUBInt Stalled = Run(ZUB_JOB_VALIDATE_MARKUP, "<p>x</p>\n");
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

// The engine reports at least every error and warning that the checker's own full run reports (the repair and
// diagnostics steps find attributes not allowed in the document's version, for example), at the same places.
TEST_F(EngineChecker, EveryErrorAndWarningOfTheCheckersOwnRunIsReported) {
  ASSERT_NE(Tidy().tidyRunDiagnostics, nullptr) << "the HTML checker library did not load";
  const std::string Shared = CorpusDir() + "html/";
  for (const char* Page : {"valgrind-cg-manual.html", "FAQ.html", "libxslt-API.html", "node-addons.html"}) {
    SCOPED_TRACE(Page);
    const std::string Text = ReadFile(Shared + Page);
    ASSERT_FALSE(Text.empty());
    std::string Head = Text.substr(0, 2048);
    for (char& C : Head) {
      C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
    }
    const bool Utf8 = Head.find("charset=utf-8") != std::string::npos;
    std::string Handed;
    for (const std::string& L : Lines(Text)) {
      Handed += L + "\n";
    }
    const std::set<TPlace> Own = CheckersOwnFindings(Handed, Utf8);
    std::set<TPlace> Engine;
    for (const TFinding& M : Messages(Run(ZUB_JOB_VALIDATE_MARKUP, Text))) {
      Engine.insert({M.Id, M.Line, M.Char});
    }
    int Missing = 0;
    for (const TPlace& P : Own) {
      if (!Engine.count(P)) {
        ADD_FAILURE() << "code " << std::get<0>(P) << " at " << std::get<1>(P) << ":" << std::get<2>(P);
        ++Missing;
      }
    }
    EXPECT_EQ(Missing, 0);
  }
}

// Documents reach the worker through a block of memory kept from document to document: a small page after a
// large one is checked on its own text alone, and a larger one after it grows the block.
TEST_F(EngineChecker, PagesOfEverySizeInTurnGetTheirOwnFindings) {
  auto Findings = [&](const std::string& Text) {
    std::vector<std::tuple<int, int, int, std::string>> Out;
    const ZUBInt R = Run(ZUB_JOB_VALIDATE_MARKUP, Text);
    for (const TFinding& M : Messages(R)) {
      Out.emplace_back(M.Id, M.Line, M.Char, M.Text);
    }
    Api().ZUBFreeHandle(R, 0);
    return Out;
  };
  const std::string Small = "<html><head><title>t</title></head><body><p>x</b></p></body></html>\n";
  std::string Large = "<html><head><title>t</title></head><body>\n";
  while (Large.size() < (3u << 20)) {
    Large += "<p align=\"left\">A paragraph with <b>bold</b> and <foo>an unknown element</foo>.</p>\n";
  }
  Large += "<p>x</i></p></body></html>\n";
  const auto SmallFirst = Findings(Small);
  ASSERT_FALSE(SmallFirst.empty());
  const auto LargeFirst = Findings(Large);
  EXPECT_TRUE(Findings(Small) == SmallFirst);
  EXPECT_TRUE(Findings(Large + Large.substr(0, 1000)).size() > LargeFirst.size());
  EXPECT_TRUE(Findings(Large) == LargeFirst);
  EXPECT_TRUE(Findings(Small) == SmallFirst);
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
