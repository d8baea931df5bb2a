// Speed of the suite's sorted pointer list over a million items (ascending adds, switching sorting on over a
// shuffled list, lookups by key), and of its fast string list sorting the word list of wamerican.
#include "suitebase/Sortedlists.h"
#include "suitebase/Suitestrings.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {
constexpr int Items = 1000000;

Pointer Item(NativeInt I) { return reinterpret_cast<Pointer>(I * 16 + 16); }

void BM_AscendingAdd(benchmark::State& State) {
  for (auto _ : State) {
    Videroriz::TSortedList L;
    for (NativeInt I = 0; I < Items; ++I) {
      benchmark::DoNotOptimize(L.Add(Item(I)));
    }
  }
  State.SetItemsProcessed(State.iterations() * Items);
}
BENCHMARK(BM_AscendingAdd)->Unit(benchmark::kMillisecond);

void BM_SortedOnShuffled(benchmark::State& State) {
  std::vector<NativeInt> Order(Items);
  for (NativeInt I = 0; I < Items; ++I) {
    Order[static_cast<std::size_t>(I)] = I;
  }
  std::shuffle(Order.begin(), Order.end(), std::mt19937(5));
  for (auto _ : State) {
    State.PauseTiming();
    Videroriz::TSortedList L;
    L.SetSorted(false);
    L.SetCapacity(Items);
    for (NativeInt I : Order) {
      (void)L.Add(Item(I));
    }
    State.ResumeTiming();
    L.SetSorted(true);
    benchmark::DoNotOptimize(L.Get(0));
  }
}
BENCHMARK(BM_SortedOnShuffled)->Unit(benchmark::kMillisecond);

void BM_FindByKeyMillion(benchmark::State& State) {
  Videroriz::TSortedList L;
  for (NativeInt I = 0; I < Items; ++I) {
    (void)L.Add(Item(I));
  }
  std::vector<Pointer> Keys(Items);
  std::mt19937 Rng(9);
  for (Pointer& K : Keys) {
    K = Item(static_cast<NativeInt>(Rng() % Items));
  }
  for (auto _ : State) {
    Integer Found = 0;
    for (Pointer K : Keys) {
      Integer Index = 0;
      Found += L.FindByKey(K, Index) ? 1 : 0;
    }
    benchmark::DoNotOptimize(Found);
  }
  State.SetItemsProcessed(State.iterations() * Items);
}
BENCHMARK(BM_FindByKeyMillion)->Unit(benchmark::kMillisecond);

std::vector<std::string> Words() {
  std::vector<std::string> W;
  std::ifstream In("/usr/share/dict/american-english");
  std::string Line;
  while (std::getline(In, Line) && W.size() < 100000) {
    W.push_back(Line);
  }
  std::shuffle(W.begin(), W.end(), std::mt19937(3));
  return W;
}

void BM_FastStringListSortWords(benchmark::State& State) {
  const std::vector<std::string> W = Words();
  for (auto _ : State) {
    State.PauseTiming();
    Vivaridiriz::TFastStringList L;
    L.BeginUpdate();
    for (const std::string& S : W) {
      (void)L.Add(S);
    }
    L.EndUpdate();
    State.ResumeTiming();
    L.Sort();
    benchmark::DoNotOptimize(L.Count());
  }
  State.counters["words"] = static_cast<double>(W.size());
}
BENCHMARK(BM_FastStringListSortWords)->Unit(benchmark::kMillisecond);

}  // namespace
