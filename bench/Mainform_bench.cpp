// The main window's creation on an existing settings store: its layout read alone, the whole creation through
// its set-up, and the first idle call that ends start-up.
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Volatileclass.h"
#include "core/Zodir.h"
#include "mainwindow/Quickeditmainform.h"

#include "platform/controls/TestHarness.h"
#include "platform/win/RegistryStore.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// A private registry, temporary and runtime folder for the process, removed at its end.
struct TBenchFolders {
  std::string Dir;
  TBenchFolders() {
    char Template[] = "/tmp/zubq-mainform-bench-XXXXXX";
    Dir = mkdtemp(Template) != nullptr ? Template : "/tmp/zubq-mainform-bench";
    for (const char* Sub : {"/registry", "/temp", "/runtime"}) {
      std::filesystem::create_directories(Dir + Sub);
    }
    std::filesystem::permissions(Dir + "/runtime", std::filesystem::perms::owner_all);
    setenv("ZUBQ_REGISTRY_DIR", (Dir + "/registry").c_str(), 1);
    setenv("ZUBQ_TEMP", (Dir + "/temp").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (Dir + "/runtime").c_str(), 1);
    RegistryResetForTests();
    Harness::Start();
  }
  ~TBenchFolders() { std::filesystem::remove_all(Dir); }
};

// The root object after a first start: its store holds every setting, the engine is bound.
prgclass& StartedRoot() {
  static TBenchFolders Folders;
  static std::unique_ptr<prgclass> Root = [] {
    auto R = std::make_unique<prgclass>();
    (void)LoadSettings();                                // the first start writes the store
    (void)R->volatileState->LoadValidatorLibrary(0, 0);  // a missing engine only slows nothing down
    (void)R->volatileState->CreateSharedSources(SHARED_SOURCES_CREATE);
    return R;
  }();
  return *Root;
}

TZUBQEForm* CreateMainForm() {
  TZUBQEForm* Form = nullptr;
  Application->CreateForm(Form);
  Zodir::FinishControlUpdate(Form->Handle());
  return Form;
}

// The layout alone: without a root object the set-up stops at once.
void BM_MainFormLayoutRead(benchmark::State& State) {
  StartedRoot();
  prgclass* Saved = prg;
  for (auto _ : State) {
    prg = nullptr;
    TZUBQEForm* Form = CreateMainForm();
    prg = Saved;
    State.PauseTiming();
    delete Form;
    State.ResumeTiming();
  }
}
BENCHMARK(BM_MainFormLayoutRead)->Unit(benchmark::kMillisecond)->Iterations(10);

// The layout and the whole set-up.
void BM_MainFormCreation(benchmark::State& State) {
  StartedRoot();
  for (auto _ : State) {
    TZUBQEForm* Form = CreateMainForm();
    State.PauseTiming();
    delete Form;
    State.ResumeTiming();
  }
}
BENCHMARK(BM_MainFormCreation)->Unit(benchmark::kMillisecond)->Iterations(10);

// The first idle call after creation (the command queue is empty).
void BM_MainFormFirstIdle(benchmark::State& State) {
  prgclass& Root = StartedRoot();
  for (auto _ : State) {
    State.PauseTiming();
    Root.volatileState->idleReached = 0;
    TZUBQEForm* Form = CreateMainForm();
    State.ResumeTiming();
    bool Done = true;
    Form->ApplicationIdle(Application, Done);
    State.PauseTiming();
    delete Form;
    State.ResumeTiming();
  }
}
BENCHMARK(BM_MainFormFirstIdle)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
