// The editor options window: shown with every document type listed, and its OK with fifty open documents of 2,000
// lines each (settings saved, every document's kind decided again, the view applied).
#include "core/Fileinfoclass.h"
#include "core/Parserclass.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Volatileclass.h"
#include "mainwindow/Editoroptionsfrm.h"
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
    char Template[] = "/tmp/zuboptionsbench-XXXXXX";
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
    (void)Root->volatileState->LoadValidatorLibrary(0, 0);                  // the options work without it too
    (void)Root->volatileState->CreateSharedSources(SHARED_SOURCES_CREATE);  // always 0
    Application->CreateForm(Form);
    Application->CreateForm(MessageWindow);
    Application->CreateForm(EditorOptionsForm);
    Form->Show();
  }

  std::string File(const std::string& Name, int Lines) {
    const std::string Path = Dir + "/files/" + Name;
    if (!std::filesystem::exists(Path)) {
      std::ofstream(Path, std::ios::binary)
          << RepeatedCorpusLines("html/FAQ.html", Lines, "<p class=\"x\">Ordinary text of a document.</p>\n");
    }
    return Path;
  }
};

Setting& Env() {
  static Setting S;
  return S;
}

void BM_EditorOptionsShownWithEveryDocumentType(benchmark::State& State) {
  Setting& E = Env();
  TEditorOptionsForm& Options = *EditorOptionsForm;
  Options.FileTypesListView->Items()->Clear();
  Options.Show();  // a showing fills the list again
  Options.Hide();
  if (Options.FileTypesListView->Items()->Count() == 0) {
    State.SkipWithError("showing the window did not fill it");
  }
  for (auto _ : State) {
    Options.Show();  // fills every page, the file types list among them
    Options.Hide();
  }
  if (Options.FileTypesListView->Items()->Count() != prg->volatileState->documentTypes->getCount()) {
    State.SkipWithError("not every document type was listed");
  }
  State.counters["types"] = Options.FileTypesListView->Items()->Count();
  (void)E;
}
BENCHMARK(BM_EditorOptionsShownWithEveryDocumentType)->Unit(benchmark::kMillisecond);

void BM_EditorOptionsOKWithFiftyDocuments(benchmark::State& State) {
  Setting& E = Env();
  for (int I = static_cast<int>(prg->volatileState->documents->getCount()); I < 51; ++I) {
    (void)E.Form->AddNewFileTab(nullptr, E.File("open " + std::to_string(I) + ".html", 2000).c_str(), 0, nullptr);
  }
  TEditorOptionsForm& Options = *EditorOptionsForm;
  Options.Show();
  for (auto _ : State) {
    Options.OKBtnClick(nullptr);
    E.Form->ApplyEditorOptions();
  }
  Options.Hide();
  if (prg->volatileState->documents->getCount() < 50 || !E.Dialogs.Shown().empty()) {
    State.SkipWithError("the documents did not open, or something was reported");
  }
  State.counters["documents"] = prg->volatileState->documents->getCount();
}
BENCHMARK(BM_EditorOptionsOKWithFiftyDocuments)->Unit(benchmark::kMillisecond);

}  // namespace
