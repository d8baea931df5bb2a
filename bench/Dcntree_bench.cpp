// The tree view with 100,000 nodes (1,000 groups of 100 messages): building, expanding everything, a full repaint
// of an 800x600 view, one row repainted until it is in the window on the screen, scrolling to the end, and
// stepping through every node by index.
#include "treeview/Dcntree.h"

#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/ImgList.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int Groups = 1000;
constexpr int PerGroup = 100;

struct TBench {
  TForm* Form = nullptr;
  ZEZTree* Tree = nullptr;
  std::unique_ptr<TImageList> Images;

  TBench() {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(0, 0, 840, 660);
    Tree = new ZEZTree(Form);
    Tree->AfterConstruction();
    Tree->SetParent(Form);
    Tree->SetBounds(0, 0, 800, 600);
    Tree->SetShowRoot(false);
    Tree->SetHideSelection(false);
    Images = std::make_unique<TImageList>(nullptr);
    Images->SetWidth(16);
    Images->SetHeight(16);
    TBitmap B;
    B.SetSize(16, 16);
    B.Canvas()->Brush()->SetColor(clRed);
    B.Canvas()->FillRect(Rect(0, 0, 16, 16));
    Images->Add(&B, nullptr);
    Tree->SetImages(Images.get());
    Form->Show();
    Harness::RunUntilIdle();
  }
  ~TBench() {
    Harness::RunUntilIdle();
    delete Form;
  }
  void Build() {
    ZEZTreeNodes* Items = Tree->Items();
    Items->BeginUpdate();
    Items->Clear();
    for (int G = 0; G < Groups; ++G) {
      ZEZTreeNode* N = Items->Add(nullptr, "Group " + std::to_string(G) + " (100 messages)");
      N->SetFontStyle(TFontStyles{fsBold});
      for (int M = 0; M < PerGroup; ++M) {
        ZEZTreeNode* C = Items->AddChildObject(N, "Line " + std::to_string(M + 1) + ": element \"p\" not allowed here", nullptr);
        C->SetImageIndex(0);
      }
    }
    Items->EndUpdate();
  }
};

TBench& Bench() {
  static TBench B;
  return B;
}

void BM_BuildTree(benchmark::State& State) {
  TBench& B = Bench();
  for (auto _ : State) {
    B.Build();
  }
  State.counters["nodes"] = B.Tree->Items()->GetCount();
}
BENCHMARK(BM_BuildTree)->Unit(benchmark::kMillisecond);

void BM_ExpandAll(benchmark::State& State) {
  TBench& B = Bench();
  B.Build();
  for (auto _ : State) {
    State.PauseTiming();
    B.Tree->FullCollapse();
    State.ResumeTiming();
    B.Tree->FullExpand();
  }
  State.counters["rows"] = B.Tree->Items()->GetVisibleCount();
}
BENCHMARK(BM_ExpandAll)->Unit(benchmark::kMillisecond);

void BM_FullRepaint(benchmark::State& State) {
  TBench& B = Bench();
  B.Build();
  B.Tree->FullExpand();
  B.Tree->SetSelected(B.Tree->Items()->GetItem(3));
  B.Tree->SetTopItem(B.Tree->Items()->GetFirstNode());
  for (auto _ : State) {
    B.Tree->Invalidate();
    B.Tree->Update();
  }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

// One row changed and the loop run until idle, the window's drawing on the screen included.
void BM_RowRepaintShown(benchmark::State& State) {
  TBench& B = Bench();
  B.Build();
  B.Tree->FullExpand();
  B.Tree->SetTopItem(B.Tree->Items()->GetFirstNode());
  Harness::RunUntilIdle();
  ZEZTreeNode* Row = B.Tree->Items()->GetItem(5);
  int N = 0;
  for (auto _ : State) {
    Row->SetText("Line 5: element \"p\" not allowed here " + std::to_string(N++ & 1));
    Harness::RunUntilIdle();
  }
}
BENCHMARK(BM_RowRepaintShown)->Unit(benchmark::kMicrosecond);

void BM_ScrollToEnd(benchmark::State& State) {
  TBench& B = Bench();
  B.Build();
  B.Tree->FullExpand();
  for (auto _ : State) {
    State.PauseTiming();
    B.Tree->Perform(WM_VSCROLL, SB_TOP, 0);
    B.Tree->Update();
    State.ResumeTiming();
    B.Tree->Perform(WM_VSCROLL, SB_BOTTOM, 0);
    B.Tree->Update();
  }
  State.counters["top"] = B.Tree->TopIndex();
}
BENCHMARK(BM_ScrollToEnd)->Unit(benchmark::kMillisecond);

void BM_StepByIndex(benchmark::State& State) {
  TBench& B = Bench();
  B.Build();
  ZEZTreeNodes* Items = B.Tree->Items();
  const int Count = Items->GetCount();
  for (auto _ : State) {
    for (int I = 0; I < Count; ++I) {
      benchmark::DoNotOptimize(Items->GetItem(I));
    }
  }
  State.SetItemsProcessed(State.iterations() * Count);
}
BENCHMARK(BM_StepByIndex)->Unit(benchmark::kMillisecond);

}  // namespace
