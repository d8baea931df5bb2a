// Speed of the suite's design services: the property editors of a selection of 100 buttons (goal: under 10 ms)
// and the start-up and shut-down of the design services with the standard editors (goal: under 20 ms, as it runs
// at every start of the program).
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TestHarness.h"
#include "suitebase/Zodiractions.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

void Start() {
  static const bool Started = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Harness::Start();
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

}  // namespace
