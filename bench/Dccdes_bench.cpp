// The script code designers over a VBScript of 5,000 handlers: listing them, and deleting the 1,000 empty ones.
#include "codeeditor/Dccdes.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {
// Handlers "HandlerN(Sender)" with a statement each; every fifth is an empty "EmptyN" instead.
void FillScript(TStrings* Lines) {
  Lines->BeginUpdate();
  Lines->Clear();
  for (int I = 0; I < 5000; ++I) {
    if (I % 5 == 0) {
      Lines->Add("Sub Empty" + std::to_string(I));
    } else {
      Lines->Add("Sub Handler" + std::to_string(I) + "(Sender)");
      Lines->Add("  Count = Count + " + std::to_string(I));
    }
    Lines->Add("End Sub");
    Lines->Add("");
  }
  Lines->EndUpdate();
}

void BM_GetMethods5000(benchmark::State& St) {
  std::unique_ptr<TStringList> Lines(new TStringList());
  FillScript(Lines.get());
  Dccdes::TVbsCodeDesigner D(nullptr);
  D.SetStrings(Lines.get());
  std::unique_ptr<TStringList> Found(new TStringList());
  for (auto _ : St) {
    Found->Clear();
    D.GetMethods(nullptr, Found.get());
  }
  St.counters["methods"] = Found->Count();
}
BENCHMARK(BM_GetMethods5000)->Unit(benchmark::kMillisecond);

void BM_DeleteEmptyMethods1000(benchmark::State& St) {
  std::unique_ptr<TStringList> Lines(new TStringList());
  Dccdes::TVbsCodeDesigner D(nullptr);
  D.SetStrings(Lines.get());
  for (auto _ : St) {
    St.PauseTiming();
    FillScript(Lines.get());
    St.ResumeTiming();
    D.DeleteEmptyMethods();
  }
  St.counters["lines left"] = Lines->Count();
}
BENCHMARK(BM_DeleteEmptyMethods1000)->Unit(benchmark::kMillisecond);
}  // namespace
