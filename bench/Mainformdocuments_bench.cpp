// The main window with documents: switching tabs, a document list handed over by a second instance in one
// command, and shutdown with twenty open documents.
#include "core/Commandqueue.h"
#include "core/Fileinfoclass.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Shutdown.h"
#include "core/Volatileclass.h"
#include "mainwindow/Editormessagewindow.h"
#include "mainwindow/Quickeditmainform.h"

#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"
#include "support/Corpus.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

struct Setting {
  std::string Dir;
  TScriptedDialogs Dialogs;
  std::unique_ptr<prgclass> Root;
  TZUBQEForm* Form = nullptr;
  TZUBEditorMessageWindow* MessageWindow = nullptr;

  Setting() {
    char Template[] = "/tmp/zubmainbench-XXXXXX";
    Dir = ::mkdtemp(Template);
    for (const char* Sub : {"/registry", "/temp", "/files"}) {
      std::filesystem::create_directories(Dir + Sub);
    }
    ::setenv("ZUBQ_REGISTRY_DIR", (Dir + "/registry").c_str(), 1);
    ::setenv("ZUBQ_TEMP", (Dir + "/temp").c_str(), 1);
    (void)SetDialogService(&Dialogs);  // every question gets its default answer at once
    Harness::Start();
    Root = std::make_unique<prgclass>();
    (void)LoadSettings();                                                   // a fresh store: defaults
    (void)Root->volatileState->LoadValidatorLibrary(0, 0);                  // the tabs work without the engine too
    (void)Root->volatileState->CreateSharedSources(SHARED_SOURCES_CREATE);  // always 0
    Application->CreateForm(Form);
    Application->CreateForm(MessageWindow);
    (void)Form->UpdateTabControls();  // the untitled document
  }

  std::string File(const std::string& Name, int Lines) {
    const std::string Path = Dir + "/files/" + Name;
    if (!std::filesystem::exists(Path)) {
      std::ofstream(Path, std::ios::binary)
          << RepeatedCorpusLines("html/FAQ.html", Lines, "<p class=\"x\">Ordinary text of a document.</p>\n");
    }
    return Path;
  }
  void CloseAll() {
    (void)Form->CloseALLFiles(0);  // nothing is modified: no question
  }
};

Setting& Env() {
  static Setting S;
  return S;
}

void BM_SelectTabBetweenTwoDocuments(benchmark::State& State) {
  Setting& E = Env();
  const int Lines = static_cast<int>(State.range(0));
  E.CloseAll();
  (void)E.Form->AddNewFileTab(nullptr, E.File("one-" + std::to_string(Lines) + ".html", Lines).c_str(), 0, nullptr);
  (void)E.Form->AddNewFileTab(nullptr, E.File("two-" + std::to_string(Lines) + ".html", Lines).c_str(), 0, nullptr);
  int Index = 0;
  for (auto _ : State) {
    benchmark::DoNotOptimize(E.Form->SelectTab(E.Form->TabControl1, Index, 0));
    Index = 1 - Index;
  }
  E.CloseAll();
}
BENCHMARK(BM_SelectTabBetweenTwoDocuments)->Arg(500)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_HundredFilesHandedOverInOneCommand(benchmark::State& State) {
  Setting& E = Env();
  std::string Line;
  for (int I = 0; I < 100; ++I) {
    Line += "\"" + E.File("handed " + std::to_string(I) + ".html", 40) + "\" ";
  }
  for (auto _ : State) {
    (void)SendToRunningInstance(E.MessageWindow->Handle(), Line.c_str());  // always done for a window
    Harness::RunUntilIdle();
    (void)ProcessCommandQueue(&prg->volatileState->commandQueue);  // always 0
    State.PauseTiming();
    if (prg->volatileState->documents->getCount() < 100) {
      State.SkipWithError("not every file was opened");
    }
    E.CloseAll();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_HundredFilesHandedOverInOneCommand)->Unit(benchmark::kMillisecond);

void BM_ShutdownWithTwentyDocuments(benchmark::State& State) {
  Setting& E = Env();
  for (auto _ : State) {
    State.PauseTiming();
    prg->volatileState->shuttingDown = 0;
    E.CloseAll();
    for (int I = 0; I < 20; ++I) {
      (void)E.Form->AddNewFileTab(nullptr, E.File("open " + std::to_string(I) + ".html", 200).c_str(), 0, nullptr);
    }
    State.ResumeTiming();
    benchmark::DoNotOptimize(ShutdownApplication());
  }
  prg->volatileState->shuttingDown = 0;
}
BENCHMARK(BM_ShutdownWithTwentyDocuments)->Unit(benchmark::kMillisecond);

}  // namespace
