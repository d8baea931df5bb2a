// Replace All on a generated document of 1,000,000 lines holding 100,000 matches (one on every tenth line), and
// the undo of it, which must restore the document exactly in one step.
#include "editor/Easyeditor.h"
#include "editor/Easysettings.h"
#include "platform/classes/Streams.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace {
constexpr int LineCount = 1000000;
constexpr int Matches = 100000;

const std::string& Document() {
  static const std::string Text = [] {
    std::string T;
    T.reserve(static_cast<std::size_t>(LineCount) * 60);
    for (int I = 0; I < LineCount; ++I) {
      T += "<p class=\"line\">Line ";
      T += std::to_string(I);
      T += I % (LineCount / Matches) == 0 ? " with a needle in the hay</p>\r\n" : " of the quick brown fox</p>\r\n";
    }
    return T;
  }();
  return Text;
}

// The search settings of the benchmark live in a file of their own.
void PrivateSettings() {
  static const bool Done = [] {
    SettingsFileName() =
        (std::filesystem::temp_directory_path() / ("Easyreplace_bench_" + std::to_string(::getpid()) + ".txt"))
            .string();
    return true;
  }();
  (void)Done;
}

std::unique_ptr<TEasyEdit> LoadedEditor() {
  std::unique_ptr<TEasyEdit> Edit(new TEasyEdit(nullptr));
  TStringStream In(Document());
  Edit->GetEditSource()->LoadFromStream(&In);
  return Edit;
}

void PrepareReplaceAll() {
  TEasySearchSettings* S = SearchSettings();
  S->Init();
  S->TextToFind = "needle";
  S->ReplaceWith = "thread";
  S->PromptOnReplace = false;
  S->ReplaceAll = true;
  S->ShowNotFound = false;
}

void BM_ReplaceAll(benchmark::State& State) {
  PrivateSettings();
  for (auto _ : State) {
    State.PauseTiming();
    std::unique_ptr<TEasyEdit> Edit = LoadedEditor();
    PrepareReplaceAll();
    State.ResumeTiming();
    int Count = 0;
    Edit->ReplaceEx(Count);
    State.PauseTiming();
    if (Count != Matches) {
      State.SkipWithError("not every match was replaced");
    }
    Edit.reset();
    State.ResumeTiming();
  }
  State.SetItemsProcessed(static_cast<Int64>(State.iterations()) * Matches);
}
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UndoReplaceAll(benchmark::State& State) {
  PrivateSettings();
  for (auto _ : State) {
    State.PauseTiming();
    std::unique_ptr<TEasyEdit> Edit = LoadedEditor();
    PrepareReplaceAll();
    int Count = 0;
    Edit->ReplaceEx(Count);
    State.ResumeTiming();
    Edit->GetEditSource()->Undo();
    State.PauseTiming();
    TStringStream Out{std::string()};
    Edit->GetEditSource()->SaveToStream(&Out);
    if (Out.DataString() != Document()) {
      State.SkipWithError("undo did not restore the document");
    }
    if (Edit->GetEditSource()->UndoAvailable()) {
      State.SkipWithError("Replace All took more than one undo step");
    }
    Edit.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_UndoReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
