// The program's start as a user waits for it: process start to the main window shown and idle (fresh and existing
// settings), its parts measured in the process (phases 1 and 2, phase 3; the form's creation is Mainform_bench's),
// and a second instance handing a name over: start to exit code 7, and the exit to the first one's new tab.
#include "app/Htmlquick.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Volatileclass.h"
#include "core/Zodir.h"
#include "mainwindow/Editormessagewindow.h"
#include "mainwindow/Quickeditmainform.h"
#include "support/ProgramProcess.h"

#include "platform/controls/TestHarness.h"
#include "platform/win/RegistryStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace ProgramProcess;

std::string FreshDir(const char* Name) {
  std::string Template = "/tmp/zubq-" + std::string(Name) + "-XXXXXX";
  return mkdtemp(Template.data()) != nullptr ? Template : "/tmp/zubq-" + std::string(Name);
}

double Seconds(Clock::time_point From, Clock::time_point To) {
  return std::chrono::duration<double>(To - From).count();
}

// Process start to the main window idle; the close afterwards is not timed. Argument 0: a fresh settings store
// each time; 1: the store of an earlier run.
void BM_ProcessStartToIdle(benchmark::State& State) {
  const std::string Dir = FreshDir("startup-bench");
  Harness::Start();
  int Runs = 0;
  {
    THome Home(Dir);
    for (auto _ : State) {
      if (State.range(0) == 0) {
        fs::remove_all(Dir + "/registry");
        fs::create_directories(Dir + "/registry");
      }
      const auto Begin = Clock::now();
      const pid_t Pid = Home.Start(ZUBQ_PROGRAM_PATH, {}, "run.txt");
      const HWND Form = WaitForMainWindow();
      const auto End = Clock::now();
      if (Form == 0) {
        State.SkipWithError("the program did not come up");
        break;
      }
      State.SetIterationTime(Seconds(Begin, End));
      PostMessage(Form, WM_CLOSE, 0, 0);
      if (WaitForExit(Pid) != 0) {
        State.SkipWithError("the program did not close cleanly");
        break;
      }
      ++Runs;
    }
  }
  fs::remove_all(Dir);
  State.counters["runs"] = Runs;
}
BENCHMARK(BM_ProcessStartToIdle)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// A second instance handing one name over: its whole life, and the time from its exit to the first instance
// showing the document.
void BM_SecondInstanceHandOver(benchmark::State& State) {
  const std::string Dir = FreshDir("handover-bench");
  Harness::Start();
  {
    THome Home(Dir);
    const pid_t First = Home.Start(ZUBQ_PROGRAM_PATH, {}, "first.txt");
    const HWND Form = WaitForMainWindow();
    if (Form == 0 || !HandOverWithoutAsking(Home)) {
      State.SkipWithError("the first instance did not come up");
    }
    double NewTab = 0;
    int Index = 0;
    for (auto _ : State) {
      if (Form == 0) {
        break;
      }
      const std::string Name = "page" + std::to_string(++Index) + ".html";
      std::ofstream(Dir + "/docs/" + Name) << "<p>" << Index << "</p>\n";
      const auto Begin = Clock::now();
      const pid_t Second = Home.Start(ZUBQ_PROGRAM_PATH, {Dir + "/docs/" + Name}, "second.txt");
      const int Code = WaitForExit(Second);
      const auto Exited = Clock::now();
      if (Code != 7 || !WaitForCaption(Form, Name)) {
        State.SkipWithError("the name was not handed over");
        break;
      }
      NewTab += Seconds(Exited, Clock::now());
      State.SetIterationTime(Seconds(Begin, Exited));
    }
    State.counters["new_tab_after_exit_ms"] = Index > 0 ? NewTab * 1000 / Index : 0;
    if (Form != 0) {
      PostMessage(Form, WM_CLOSE, 0, 0);
    }
    (void)WaitForExit(First);
  }
  fs::remove_all(Dir);
}
BENCHMARK(BM_SecondInstanceHandOver)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// A private registry, temporary and runtime folder for the in-process phases, removed at the process's end.
struct TPhaseFolders {
  std::string Dir = FreshDir("phases-bench");
  TPhaseFolders() {
    for (const char* Sub : {"/registry", "/temp", "/runtime"}) {
      fs::create_directories(Dir + Sub);
    }
    fs::permissions(Dir + "/runtime", fs::perms::owner_all);
    setenv("ZUBQ_REGISTRY_DIR", (Dir + "/registry").c_str(), 1);
    setenv("ZUBQ_TEMP", (Dir + "/temp").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (Dir + "/runtime").c_str(), 1);
    RegistryResetForTests();
    Harness::Start();
  }
  ~TPhaseFolders() { fs::remove_all(Dir); }
};

// Phases 1 and 2 on an existing settings store with no other instance: the settings read and the engine's
// callbacks; the engine load between them is the binding's own (Engine_bench).
void BM_StartupPhases1And2(benchmark::State& State) {
  static TPhaseFolders Folders;
  {
    prgclass First;
    (void)LoadSettings();  // the first start writes the store
  }
  for (auto _ : State) {
    State.PauseTiming();
    auto Root = std::make_unique<prgclass>();
    (void)Root->volatileState->LoadValidatorLibrary(0, 0);  // phase 2 hands the engine its callback
    State.ResumeTiming();
    StartupRecord Record;
    benchmark::DoNotOptimize(StartupPhase1("", &Record));
    benchmark::DoNotOptimize(StartupPhase2(&Record));
    State.PauseTiming();
    Root.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_StartupPhases1And2)->Unit(benchmark::kMillisecond);

// Phase 3 once the main window exists: images, editors, the drag-and-drop window, the inserters.
void BM_StartupPhase3(benchmark::State& State) {
  static TPhaseFolders Folders;
  auto Root = std::make_unique<prgclass>();
  (void)LoadSettings();
  (void)Root->volatileState->LoadValidatorLibrary(0, 0);
  (void)Root->volatileState->CreateSharedSources(SHARED_SOURCES_CREATE);
  for (auto _ : State) {
    State.PauseTiming();
    TZUBQEForm* Form = nullptr;
    Application->CreateForm(Form);
    State.ResumeTiming();
    StartupRecord Record;
    benchmark::DoNotOptimize(StartupPhase3(0, &Record));
    Zodir::FinishControlUpdate(Form->Handle());
    State.PauseTiming();
    (void)Form->CloseQuery();
    delete Form;
    delete Application->FindComponent("DragDropForm");  // the third phase makes it once a process
    State.ResumeTiming();
  }
}
BENCHMARK(BM_StartupPhase3)->Unit(benchmark::kMillisecond);

}  // namespace
