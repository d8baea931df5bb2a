// The main window's browser pane: opening it until the first preview shows (the engine's start included), a
// preview refresh of a 1 MB document, and a loaded 1 MB page copied into the "WB Source" document.
#include "core/Fileinfoclass.h"
#include "core/Flagword.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Volatileclass.h"
#include "core/Zodir.h"
#include "mainwindow/Quickeditmainform.h"

#include "editor/Easyeditsource.h"
#include "platform/controls/BrowserControl.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"
#include "platform/win/RegistryStore.h"
#include "support/Corpus.h"
#include "support/SiteServer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
constexpr DWORD LoadTimeout = 30000;

// A private registry, temporary and runtime folder for the process, removed at its end.
struct TBenchFolders {
  std::string Dir;
  TBenchFolders() {
    char Template[] = "/tmp/zubq-browser-bench-XXXXXX";
    Dir = mkdtemp(Template) != nullptr ? Template : "/tmp/zubq-browser-bench";
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

// About 1 MB of real markup: a corpus page again and again.
std::string OneMegabytePage() {
  const std::string Part = ReadCorpusFile("html/node-addons.html");
  std::string Text = Part.empty() ? std::string("<p>A paragraph of text for the page.</p>\n") : Part;
  while (Text.size() < (1u << 20)) {
    Text += Part.empty() ? std::string("<p>A paragraph of text for the page.</p>\n") : Part;
  }
  return Text;
}

// The main window with its pane open, made once for the process (the engine starts once).
class TPane {
public:
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope{Dialogs};
  TZUBQEForm* Form = nullptr;
  TBrowserControl* Browser = nullptr;
  int Arrived = 0;
  Clock::time_point ArrivedAt;

  TPane() {
    static TBenchFolders Folders;
    Root = std::make_unique<prgclass>();
    (void)LoadSettings();
    (void)Root->volatileState->LoadValidatorLibrary(0, 0);
    (void)Root->volatileState->CreateSharedSources(SHARED_SOURCES_CREATE);
    (void)Root->volatileState->commandQueue.removeAllPointers(1);
    Application->CreateForm(Form);
    Zodir::FinishControlUpdate(Form->Handle());
    (void)Form->UpdateTabControls();
    Form->Show();
  }

  // Opens the pane and previews the current document; false when no page arrived.
  bool Open() {
    prg->interface->flags.set(IF40::WebBrowser, true);
    prg->interface->flags2.set(IF2::BrowserPreview, true);
    (void)Form->ApplyViewSettings(VIEW_NO_PREVIEW);
    if (Form->WebBrowser == nullptr && Form->CreateWebBrowser() != 0) {
      return false;
    }
    Form->WebBrowserToolWindow->SetVisible(true);
    Form->WebBrowserToolWindow->SetFloating(true);
    Form->WebBrowserToolWindow->SetClientAreaSize(640, 480);
    Browser = dynamic_cast<TBrowserControl*>(Form->WebBrowser);
    auto Complete = Browser->OnDocumentComplete;
    Browser->OnDocumentComplete = [this, Complete](TObject* Sender, TObject* Frame, const std::string& Address) {
      ArrivedAt = Clock::now();
      ++Arrived;
      Complete(Sender, Frame, Address);
    };
    return Preview();
  }

  // Refreshes the preview of the current document; false when no page arrived.
  bool Preview() {
    const int Before = Arrived;
    Form->WBRefreshBtnClick(nullptr);
    return Harness::RunUntil([&] { return Arrived > Before; }, LoadTimeout);
  }

  void Drain() {
    Harness::RunUntil([&] { return !Browser->Busy(); }, LoadTimeout);
    Harness::RunUntilIdle();
  }

private:
  std::unique_ptr<prgclass> Root;
};

TPane& Pane() {
  static TPane* P = new TPane;  // lives to the process's end, as the program's window does
  return *P;
}

fileinfoclass* Current() { return Pane().Form->GetCurrentFile(); }

void SetCurrentText(const std::string& Text) {
  fileinfoclass* Document = Current();
  Document->text->Strings()->SetText(Text);
  Document->text->Modified = true;
}

// From the command that opens the pane to the first preview shown, the browser engine's start included: once
// per process.
void BM_BrowserPaneToFirstPreview(benchmark::State& State) {
  TPane& P = Pane();
  SetCurrentText("<html><head><title>Preview</title></head><body><p>A document.</p></body></html>\n");
  for (auto _ : State) {
    const auto Start = Clock::now();
    if (!P.Open()) {
      State.SkipWithError("no page arrived");
      break;
    }
    State.SetIterationTime(std::chrono::duration<double>(P.ArrivedAt - Start).count());
  }
  P.Drain();
}
BENCHMARK(BM_BrowserPaneToFirstPreview)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// A preview refresh of a 1 MB document: its temporary file written and the page loaded again.
void BM_BrowserPreviewRefresh1MB(benchmark::State& State) {
  TPane& P = Pane();
  SetCurrentText(OneMegabytePage());
  if (P.Browser == nullptr && !P.Open()) {
    State.SkipWithError("no browser");
    return;
  }
  SetCurrentText(OneMegabytePage());
  prg->interface->flags2.set(IF2::BrowserPreview, true);
  P.Drain();
  for (auto _ : State) {
    const auto Start = Clock::now();
    if (!P.Preview()) {
      State.SkipWithError("no page arrived");
      break;
    }
    State.SetIterationTime(std::chrono::duration<double>(P.ArrivedAt - Start).count());
    P.Drain();
  }
}
BENCHMARK(BM_BrowserPreviewRefresh1MB)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

// The browser engine's own share: the same 1 MB file loaded again, straight through the control.
void BM_BrowserEngineLoad1MB(benchmark::State& State) {
  TPane& P = Pane();
  const std::string File = Current()->temporaryFile.text;
  for (auto _ : State) {
    const int Before = P.Arrived;
    const auto Start = Clock::now();
    P.Browser->Navigate(File);
    if (!Harness::RunUntil([&] { return P.Arrived > Before; }, LoadTimeout)) {
      State.SkipWithError("no page arrived");
      break;
    }
    State.SetIterationTime(std::chrono::duration<double>(P.ArrivedAt - Start).count());
    P.Drain();
  }
}
BENCHMARK(BM_BrowserEngineLoad1MB)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

// The window's own share of a preview refresh: the 1 MB document written to its temporary file.
void BM_BrowserPreviewFile1MB(benchmark::State& State) {
  SetCurrentText(OneMegabytePage());
  for (auto _ : State) {
    benchmark::DoNotOptimize(Current()->SaveToFile(nullptr, SAVE_TEMPORARY_COPY));
  }
}
BENCHMARK(BM_BrowserPreviewFile1MB)->Unit(benchmark::kMillisecond)->Iterations(20);

// A loaded 1 MB page copied into the source document: saved as served and loaded into its text store.
void BM_BrowserSourceCopy1MB(benchmark::State& State) {
  TPane& P = Pane();
  if (P.Browser == nullptr) {
    SetCurrentText("<p>A document.</p>\n");
  }
  if (P.Browser == nullptr && !P.Open()) {
    State.SkipWithError("no browser");
    return;
  }
  NetTest::TSiteServer Site{""};
  NetTest::TSiteServer::TRoute Route;
  Route.body = OneMegabytePage();
  Site.SetRoute("/big.html", Route);
  prg->interface->flags2.set(IF2::BrowserPreview, false);
  const int Before = P.Arrived;
  (void)P.Form->NavigateTo(Site.Url("/big.html").c_str(), 0);
  if (!Harness::RunUntil([&] { return P.Arrived > Before; }, LoadTimeout)) {
    State.SkipWithError("no page arrived");
    return;
  }
  P.Drain();
  for (auto _ : State) {
    benchmark::DoNotOptimize(P.Form->WebBrowserDocumentComplete(P.Browser, P.Browser, 2));
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) * static_cast<int64_t>(Route.body.size()));
}
BENCHMARK(BM_BrowserSourceCopy1MB)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
