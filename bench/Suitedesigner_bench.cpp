// Speed of the suite's design services: the property editors of a selection of 100 buttons (goal: under 10 ms),
// the conversion of 200 layout files, half of them stale (goal: under 1 s), and the start-up and shut-down of the design services with the standard editors (goal: under 20 ms, as it runs
// at every start of the program).
#include "platform/classes/ClassRegistry.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TestHarness.h"
#include "suitebase/Fileutils.h"
#include "suitebase/Zodiractions.h"
#include "suitebase/Zodirfiles.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

void Start() {
  static const bool Started = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Harness::Start();
    RegisterClasses({TForm::StaticClass(), TButton::StaticClass()});
    return true;
  }();
  (void)Started;
}

void BM_PropertiesOf100Buttons(benchmark::State& State) {
  Start();
  Zodir::InitializeZodir();
  std::unique_ptr<TForm> Form(new TForm(nullptr));
  TDesignerSelections Selection;
  for (int I = 0; I < 100; ++I) {
    auto* B = new TButton(Form.get());
    B->SetParent(Form.get());
    Selection.push_back(B);
  }
  int Editors = 0;
  for (auto _ : State) {
    Editors = 0;
    GetComponentProperties(Selection, tkProperties, nullptr, [&](TPropertyEditor* E) {
      ++Editors;
      delete E;
    });
  }
  State.counters["editors"] = Editors;
  Form.reset();
  Zodir::FinalizeZodir();
}
BENCHMARK(BM_PropertiesOf100Buttons)->Unit(benchmark::kMillisecond);

void BM_DesignServicesStartAndEnd(benchmark::State& State) {
  Start();
  for (auto _ : State) {
    Zodir::InitializeZodir();
    Zodir::FinalizeZodir();
  }
}
BENCHMARK(BM_DesignServicesStartAndEnd)->Unit(benchmark::kMillisecond);

void BM_Convert200LayoutFiles(benchmark::State& State) {
  namespace fs = std::filesystem;
  Start();
  Dorazori::WriteLogEvent = [](const Variant&) {};
  const fs::path Root = fs::temp_directory_path() / ("suitedesigner_bench_" + std::to_string(::getpid()));
  for (auto _ : State) {
    State.PauseTiming();
    fs::remove_all(Root);
    for (int I = 0; I < 200; ++I) {
      const fs::path Folder = Root / ("f" + std::to_string(I % 10));
      fs::create_directories(Folder);
      std::ofstream(Folder / ("form" + std::to_string(I) + ".dfm"))
          << "object Form" << I << ": TForm\n  Left = " << I << "\n  Caption = 'Form'\n"
          << (I % 2 ? "  Gone = 1\n" : "") << "  object Button1: TButton\n    Left = 8\n  end\nend\n";
    }
    State.ResumeTiming();
    Zodir::CorrectFormFiles(Root.string(), true);
  }
  int Converted = 0;
  for (const auto& E : fs::recursive_directory_iterator(Root)) {
    Converted += E.path().extension() == ".~df" ? 1 : 0;
  }
  State.counters["converted"] = Converted;
  fs::remove_all(Root);
  Dorazori::WriteLogEvent = nullptr;
}
BENCHMARK(BM_Convert200LayoutFiles)->Unit(benchmark::kMillisecond);

}  // namespace
