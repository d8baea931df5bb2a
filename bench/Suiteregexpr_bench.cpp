// Searching 50,000 lines of a real page with the suite's matcher, and a case-blind miss of the suite's text
// search over the same lines.
#include "suitebase/Dcregexpr.h"
#include "suitebase/Suitestrings.h"
#include "support/Corpus.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

TStringList* PageLines() {
  static TStringList* Lines = [] {
    auto* L = new TStringList();
    L->SetText(RepeatedCorpusLines("html/rust-std-String.html", 50000,
                                   "<p class=\"line\">The quick brown <b>fox</b> and the lazy dog</p>\n"));
    return L;
  }();
  return Lines;
}

void BM_RegExprSearch50000Lines(benchmark::State& State) {
  TStringList* Lines = PageLines();
  std::vector<std::string> Copy;
  for (Integer I = 0; I < Lines->Count(); ++I) {
    Copy.push_back(Lines->Strings(I));
  }
  Dcregexpr::TRegExpr Re("cl[a-z]*ss", false);
  for (auto _ : State) {
    Integer Found = 0;
    for (const std::string& Line : Copy) {
      Integer Pos = 1;
      Integer Len = 0;
      Found += Re.Find(Line, Pos, Len, true) ? 1 : 0;
    }
    benchmark::DoNotOptimize(Found);
  }
  State.counters["lines"] = static_cast<double>(Copy.size());
}
BENCHMARK(BM_RegExprSearch50000Lines)->Unit(benchmark::kMillisecond);

void BM_FindInStringsMissIgnoringCase(benchmark::State& State) {
  TStringList* Lines = PageLines();
  for (auto _ : State) {
    TPoint Pos{1, 0};
    Integer Len = 0;
    benchmark::DoNotOptimize(Dorazori::FindInStringsEx("zqxjkwv", Lines, {}, Dorazori::TCharSet(), Pos, Len));
  }
}
BENCHMARK(BM_FindInStringsMissIgnoringCase)->Unit(benchmark::kMillisecond);

}  // namespace
