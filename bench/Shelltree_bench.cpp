// The shell tree expanding a folder of 100,000 files and one subfolder: folders only (every entry is read, one
// node made), with files shown (a level of 100,000 nodes filled at once, with attributes, names and
// the namespace's sort), and a folder of 10,000 subfolders; and a merge refresh of the filled level.
#include "shell/Uptshelltree.h"

#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"

#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct TBench {
  std::string Home;
  TForm* Form = nullptr;
  TPTShellTree* Tree = nullptr;

  TBench() {
    Home = (std::filesystem::temp_directory_path() / ("zubq-shell-bench-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(Home + "/files");
    std::filesystem::create_directories(Home + "/folders");
    for (int I = 0; I < 100000; ++I) {
      std::ofstream(Home + "/files/file" + std::to_string(I) + ".html");
    }
    // One subfolder gives the folder its button, so that expanding it reads all 100,000 entries.
    std::filesystem::create_directories(Home + "/files/zz-subfolder");
    for (int I = 0; I < 10000; ++I) {
      mkdir((Home + "/folders/folder" + std::to_string(I)).c_str(), 0700);
    }
    setenv("HOME", Home.c_str(), 1);
    setenv("XDG_DATA_HOME", (Home + "/.local/share").c_str(), 1);
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(0, 0, 640, 480);
    Tree = new TPTShellTree(Form);
    Tree->AfterConstruction();
    TPTShellTreeOptions O = Tree->Options();
    O.Exclude(ptstoDynamicRefresh);
    Tree->SetOptions(O);
    Tree->SetParent(Form);
    Tree->SetBounds(0, 0, 600, 440);
    Form->Show();
    Harness::RunUntilIdle();
  }
  ~TBench() {
    delete Form;
    std::error_code Ignored;
    std::filesystem::remove_all(Home, Ignored);
  }
  void Options(bool Files) {
    TPTShellTreeOptions O = Tree->Options();
    if (Files) {
      O.Include(ptstoIncludeNonFolders);
    } else {
      O.Exclude(ptstoIncludeNonFolders);
    }
    Tree->SetOptions(O);
  }
  // Fills the tree down to the folder (collapsed, not yet read) and returns its node.
  TTreeNode* Reset(const std::string& Folder) {
    Tree->FillItems();
    Tree->SetSelectedPathName(Home + "/" + Folder);
    return Tree->Selected();
  }
};

TBench& Bench() {
  static TBench* B = new TBench;
  return *B;
}

void Expand(benchmark::State& State, const std::string& Folder, bool Files) {
  TBench& B = Bench();
  B.Options(Files);
  int Nodes = 0;
  for (auto _ : State) {
    State.PauseTiming();
    TTreeNode* Node = B.Reset(Folder);
    State.ResumeTiming();
    Node->Expand(false);
    Nodes = Node->Count();
  }
  State.counters["nodes"] = Nodes;
}

void BM_ExpandFolderOf100kFilesFoldersOnly(benchmark::State& State) { Expand(State, "files", false); }
void BM_ExpandFolderOf100kFilesWithFiles(benchmark::State& State) { Expand(State, "files", true); }
void BM_ExpandFolderOf10kSubfolders(benchmark::State& State) { Expand(State, "folders", false); }

void BM_RefreshFilledLevelOf100kFiles(benchmark::State& State) {
  TBench& B = Bench();
  B.Options(true);
  TTreeNode* Node = B.Reset("files");
  Node->Expand(false);
  for (auto _ : State) {
    B.Tree->RefreshNodes();
  }
}

BENCHMARK(BM_ExpandFolderOf100kFilesFoldersOnly)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExpandFolderOf100kFilesWithFiles)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ExpandFolderOf10kSubfolders)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RefreshFilledLevelOf100kFiles)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
