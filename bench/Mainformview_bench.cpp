// The main window's layout and editing commands: a View toggle with the repaint it causes on a 50,000-line
// document, the menu checks, wrapping a 1 MB selection in a tag and undoing it, and an inserter item's click.
#include "core/Fileinfoclass.h"
#include "core/Inserterclass.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Volatileclass.h"
#include "mainwindow/Editormessagewindow.h"
#include "mainwindow/Quickeditmainform.h"

#include "editor/Easyeditsource.h"
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
    char Template[] = "/tmp/zubviewbench-XXXXXX";
    Dir = ::mkdtemp(Template);
    for (const char* Sub : {"/registry", "/temp", "/files"}) {
      std::filesystem::create_directories(Dir + Sub);
    }
    ::setenv("ZUBQ_REGISTRY_DIR", (Dir + "/registry").c_str(), 1);
    ::setenv("ZUBQ_TEMP", (Dir + "/temp").c_str(), 1);
    (void)SetDialogService(&Dialogs);
    Harness::Start();
    Root = std::make_unique<prgclass>();
    (void)LoadSettings();
    (void)Root->volatileState->LoadValidatorLibrary(0, 0);
    (void)Root->volatileState->CreateSharedSources(SHARED_SOURCES_CREATE);
    Application->CreateForm(Form);
    Application->CreateForm(MessageWindow);
    (void)Form->UpdateTabControls();
    Form->Show();
    Harness::RunUntilIdle();
  }

  // Opens a corpus page repeated to the given number of lines and focuses its editor.
  void OpenDocument(int Lines) {
    (void)Form->CloseALLFiles(0);
    const std::string Path = Dir + "/files/page-" + std::to_string(Lines) + ".html";
    if (!std::filesystem::exists(Path)) {
      std::ofstream(Path, std::ios::binary)
          << RepeatedCorpusLines("html/FAQ.html", Lines, "<p class=\"x\">Ordinary text of a document.</p>\n");
    }
    (void)Form->AddNewFileTab(nullptr, Path.c_str(), 0, nullptr);
    Form->SetActiveControl(Form->EasyEdit1);
    Harness::RunUntilIdle();
  }
  TEasyEditSource* Text() { return Form->GetCurrentFile()->text; }
};

Setting& Env() {
  static Setting S;
  return S;
}

void BM_ViewToggleWithRepaint(benchmark::State& State) {
  Setting& E = Env();
  E.OpenDocument(50000);
  for (auto _ : State) {
    E.Form->ViewStatusBarClick(nullptr);
    Harness::RunUntilIdle();
  }
}
BENCHMARK(BM_ViewToggleWithRepaint)->Unit(benchmark::kMillisecond);

void BM_SplitViewToggleWithRepaint(benchmark::State& State) {
  Setting& E = Env();
  E.OpenDocument(50000);
  for (auto _ : State) {
    E.Form->ViewSplitViewClick(nullptr);
    Harness::RunUntilIdle();
  }
}
BENCHMARK(BM_SplitViewToggleWithRepaint)->Unit(benchmark::kMillisecond);

void BM_UpdateMenuChecks(benchmark::State& State) {
  Setting& E = Env();
  for (auto _ : State) {
    E.Form->UpdateMenuChecks();
  }
}
BENCHMARK(BM_UpdateMenuChecks)->Unit(benchmark::kMicrosecond);

// A selection of about 1 MB of text wrapped in a pair of tags (one undo step), then that step undone.
void BM_WrapOneMegabyteSelection(benchmark::State& State) {
  Setting& E = Env();
  E.OpenDocument(20000);
  TEasyEditSource* Text = E.Text();
  const int Last = Text->Strings()->Count() - 1;
  for (auto _ : State) {
    State.PauseTiming();
    Text->SetCurrentPosition(TPoint{0, Last});
    E.Form->EasyEdit1->SetSelection(Rect(0, 0, 0, Last), slStream);
    State.ResumeTiming();
    benchmark::DoNotOptimize(E.Form->InsertTag("<div>", "</div>", 2));
    State.PauseTiming();
    if (Text->Strings()->Get(0).rfind("<div>", 0) != 0) {
      State.SkipWithError("the selection was not wrapped");
    }
    Text->Undo();
    State.ResumeTiming();
  }
  State.counters["bytes"] = static_cast<double>(E.Form->EasyEdit1->GetTextLen());
}
BENCHMARK(BM_WrapOneMegabyteSelection)->Unit(benchmark::kMillisecond);

void BM_UndoOneMegabyteWrap(benchmark::State& State) {
  Setting& E = Env();
  E.OpenDocument(20000);
  TEasyEditSource* Text = E.Text();
  const int Last = Text->Strings()->Count() - 1;
  for (auto _ : State) {
    State.PauseTiming();
    Text->SetCurrentPosition(TPoint{0, Last});
    E.Form->EasyEdit1->SetSelection(Rect(0, 0, 0, Last), slStream);
    (void)E.Form->InsertTag("<div>", "</div>", 2);
    State.ResumeTiming();
    Text->Undo();
  }
}
BENCHMARK(BM_UndoOneMegabyteWrap)->Unit(benchmark::kMillisecond);

void BM_InserterItemWrapsASelection(benchmark::State& State) {
  Setting& E = Env();
  E.OpenDocument(500);
  inserterclass* Tag = FindInserter(prg->volatileState->inserters, IF2::TagInserter, 1);
  if (!prg->interface->flags2.has(IF2::TagInserter)) {
    E.Form->ViewTagInserterClick(nullptr);
  }
  if (Tag == nullptr || Tag->toolbar == nullptr) {
    State.SkipWithError("no tag inserter");
    return;
  }
  ticlass Record;
  Record.insertText.assign("<strong>|</strong>");
  auto* Item = new TTBItem(E.Form);
  Item->SetTag(reinterpret_cast<NativeInt>(&Record));
  Tag->toolbar->Items()->Items(0)->Add(Item);
  TEasyEditSource* Text = E.Text();
  for (auto _ : State) {
    State.PauseTiming();
    E.Form->SetActiveControl(E.Form->EasyEdit1);
    Text->SetCurrentPosition(TPoint{10, 3});
    E.Form->EasyEdit1->SetSelection(Rect(0, 3, 10, 3), slStream);
    State.ResumeTiming();
    E.Form->InserterItemClick(Item);
    State.PauseTiming();
    Text->Undo();
    State.ResumeTiming();
  }
  delete Item;
}
BENCHMARK(BM_InserterItemWrapsASelection)->Unit(benchmark::kMicrosecond);

}  // namespace
