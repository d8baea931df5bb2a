// The shell list opening a folder of 100,000 files (every item inserted with its attributes, sorted by name, the
// first page painted with texts and icons asked for on demand) in the report and list views, scrolling it a page
// at a time with a repaint, and a merge refresh of the whole folder.
#include "shell/Uptshelllist.h"

#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/Messages.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct TBench {
  std::string Home;
  TForm* Form = nullptr;
  TPTShellList* List = nullptr;

  TBench() {
    Home = (std::filesystem::temp_directory_path() / ("zubq-shelllist-bench-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(Home + "/files");
    for (int I = 0; I < 100000; ++I) {
      std::ofstream(Home + "/files/file" + std::to_string(I) + ".html") << "x";
    }
    setenv("HOME", Home.c_str(), 1);
    setenv("XDG_DATA_HOME", (Home + "/.local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (Home + "/.config").c_str(), 1);
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(0, 0, 800, 600);
    List = new TPTShellList(Form);
    List->AfterConstruction();
    TPTShellListOptions O = List->Options();
    O.Exclude(ptsloDynamicRefresh);
    List->SetOptions(O);
    List->SetParent(Form);
    List->SetBounds(0, 0, 760, 560);
    Form->Show();
    Harness::RunUntilIdle();
  }
  ~TBench() {
    delete Form;
    std::error_code Ignored;
    std::filesystem::remove_all(Home, Ignored);
  }
  void ShowEmpty() {
    List->Folder()->SetPathName(Home);
    Harness::RunUntilIdle();
  }
};

TBench& Bench() {
  static TBench* B = new TBench;
  return *B;
}

void Open(benchmark::State& State, TViewStyle Style) {
  TBench& B = Bench();
  B.List->SetViewStyle(Style);
  for (auto _ : State) {
    State.PauseTiming();
    B.ShowEmpty();
    State.ResumeTiming();
    B.List->Folder()->SetPathName(B.Home + "/files");
    B.List->Repaint();
  }
  State.counters["items"] = B.List->Items()->Count();
}

void BM_OpenFolderOf100kFilesReport(benchmark::State& State) { Open(State, vsReport); }
void BM_OpenFolderOf100kFilesList(benchmark::State& State) { Open(State, vsList); }

void Scroll(benchmark::State& State, TViewStyle Style, UINT Message, int Code) {
  TBench& B = Bench();
  B.List->SetViewStyle(Style);
  if (B.List->Folder()->GetPathName() != B.Home + "/files") {
    B.List->Folder()->SetPathName(B.Home + "/files");
  }
  int Pages = 0;
  for (auto _ : State) {
    SendMessage(B.List->Handle(), Message, static_cast<WPARAM>(Code), 0);
    B.List->Repaint();
    if (++Pages % 1000 == 0) {
      State.PauseTiming();
      SendMessage(B.List->Handle(), Message, SB_TOP, 0);
      State.ResumeTiming();
    }
  }
}

void BM_ScrollPageReport(benchmark::State& State) { Scroll(State, vsReport, WM_VSCROLL, SB_PAGEDOWN); }
void BM_ScrollPageList(benchmark::State& State) { Scroll(State, vsList, WM_HSCROLL, SB_PAGEDOWN); }

void BM_MergeRefreshOf100kFiles(benchmark::State& State) {
  TBench& B = Bench();
  B.List->SetViewStyle(vsReport);
  B.List->Folder()->SetPathName(B.Home + "/files");
  for (auto _ : State) {
    B.List->RefreshItems();
  }
}

BENCHMARK(BM_OpenFolderOf100kFilesReport)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenFolderOf100kFilesList)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ScrollPageReport)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollPageList)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MergeRefreshOf100kFiles)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
