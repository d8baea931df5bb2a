// Cost of the editor's pattern matcher on patterns that backtrack a lot: anchored matches of stacked
// repetitions on long runs of letters, and searches that try every column of a long line.
#include "editor/Easyregexpr.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void AnchoredMatch(benchmark::State& State, const char* Pattern, char Letter) {
  const std::string Text(static_cast<std::size_t>(State.range(0)), Letter);
  TEasyRegExpr R(Pattern, false);
  for (auto _ : State) {
    int Length = 0;
    benchmark::DoNotOptimize(R.StringMatch(Text, false, Length));
  }
}

void Search(benchmark::State& State, const char* Pattern, char Letter) {
  const std::string Text(static_cast<std::size_t>(State.range(0)), Letter);
  TEasyRegExpr R(Pattern, false);
  for (auto _ : State) {
    int Pos = 1;
    int Length = 0;
    benchmark::DoNotOptimize(R.FindString(Text, Pos, true, Length));
  }
}

void BM_StackedStarsAnchored(benchmark::State& State) { AnchoredMatch(State, "a*a*a*a*a*b", 'a'); }
BENCHMARK(BM_StackedStarsAnchored)->Arg(160)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_StackedAnyAnchored(benchmark::State& State) { AnchoredMatch(State, ".*.*.*b", 'x'); }
BENCHMARK(BM_StackedAnyAnchored)->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_TwoAnyAnchored(benchmark::State& State) { AnchoredMatch(State, ".*.*b", 'x'); }
BENCHMARK(BM_TwoAnyAnchored)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_StarSearchNoMatch(benchmark::State& State) { Search(State, "a*b", 'a'); }
BENCHMARK(BM_StarSearchNoMatch)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_TwoStarsSearchNoMatch(benchmark::State& State) { Search(State, "a*a*b", 'a'); }
BENCHMARK(BM_TwoStarsSearchNoMatch)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_StackedStarsSearchNoMatch(benchmark::State& State) { Search(State, "a*a*a*a*a*b", 'a'); }
BENCHMARK(BM_StackedStarsSearchNoMatch)->Arg(1000)->Unit(benchmark::kMillisecond);

// An everyday search: a word that is not there, over a line of ordinary markup.
void BM_WordSearchInMarkup(benchmark::State& State) {
  std::string Line;
  while (Line.size() < 100000) {
    Line += "<p class=\"note\">The quick brown fox jumps over the lazy dog.</p>";
  }
  TEasyRegExpr R("fo[xy]es", false);
  for (auto _ : State) {
    int Pos = 1;
    int Length = 0;
    benchmark::DoNotOptimize(R.FindString(Line, Pos, true, Length));
  }
}
BENCHMARK(BM_WordSearchInMarkup)->Unit(benchmark::kMicrosecond);

}  // namespace
