// Speed of TStringList on large lists: filling, sorting, splitting text and sorted lookups.
#include "platform/classes/StringList.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> MakeLines(std::size_t Count) {
  std::mt19937 Rng(42);
  std::vector<std::string> Lines;
  Lines.reserve(Count);
  for (std::size_t I = 0; I < Count; ++I) {
    Lines.push_back("line " + std::to_string(Rng() % 1000000) + " of the document <p class=\"x\">");
  }
  return Lines;
}

void BM_AddLines(benchmark::State& State) {
  auto Lines = MakeLines(static_cast<std::size_t>(State.range(0)));
  for (auto _ : State) {
    TStringList L;
    for (const std::string& S : Lines) {
      L.Add(S);
    }
    benchmark::DoNotOptimize(L.Count());
  }
  State.SetItemsProcessed(State.iterations() * State.range(0));
}
BENCHMARK(BM_AddLines)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SortLines(benchmark::State& State) {
  auto Lines = MakeLines(static_cast<std::size_t>(State.range(0)));
  for (auto _ : State) {
    State.PauseTiming();
    TStringList L;
    for (const std::string& S : Lines) {
      L.Add(S);
    }
    State.ResumeTiming();
    L.Sort();
    benchmark::DoNotOptimize(L.Count());
  }
  State.SetItemsProcessed(State.iterations() * State.range(0));
}
BENCHMARK(BM_SortLines)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);


void BM_SetText(benchmark::State& State) {
  std::string Text;
  for (const std::string& S : MakeLines(static_cast<std::size_t>(State.range(0)))) {
    Text += S;
    Text += "\r\n";
  }
  for (auto _ : State) {
    TStringList L;
    L.SetText(Text);
    benchmark::DoNotOptimize(L.Count());
  }
  State.SetBytesProcessed(State.iterations() * static_cast<int64_t>(Text.size()));
}
BENCHMARK(BM_SetText)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SortedIndexOf(benchmark::State& State) {
  auto Lines = MakeLines(100000);
  TStringList L;
  L.SetDuplicates(dupAccept);
  for (const std::string& S : Lines) {
    L.Add(S);
  }
  L.SetSorted(true);
  std::size_t I = 0;
  for (auto _ : State) {
    benchmark::DoNotOptimize(L.IndexOf(Lines[I++ % Lines.size()]));
  }
}
BENCHMARK(BM_SortedIndexOf);

}  // namespace
