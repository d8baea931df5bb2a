// Sorting 1,000,000 lines of real pages by the collation, beside the system's sort tool with the same
// collation locale on the same lines (written to a temporary file; the tool's time includes its start).
#include "platform/classes/StringList.h"
#include "platform/rtl/SysUtils.h"
#include "support/Corpus.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t LineCount = 1000000;

// Lines of the corpus pages (plain ASCII, so that the tool reads the same text), cycled with a number so
// that most are distinct.
const std::vector<std::string>& Lines() {
  static const std::vector<std::string> List = [] {
    std::vector<std::string> Seed;
    for (const char* F : {"html/rust-std-String.html", "html/node-addons.html", "css/rustdoc.css"}) {
      std::ifstream In(CorpusDir() + F, std::ios::binary);
      std::string Line;
      while (std::getline(In, Line)) {
        std::string Clean;
        for (char C : Line) {
          if (static_cast<unsigned char>(C) >= 0x20 && static_cast<unsigned char>(C) < 0x7F) {
            Clean += C;
          }
        }
        if (!Clean.empty()) {
          Seed.push_back(Clean.substr(0, 80));
        }
      }
    }
    if (Seed.empty()) {
      Seed = {"The quick brown fox", "the Lazy dog", "<p class=\"x\">", "co-op", "Coop"};
    }
    std::vector<std::string> R;
    R.reserve(LineCount);
    for (std::size_t I = 0; I < LineCount; ++I) {
      R.push_back(Seed[I % Seed.size()] + (I % 3 == 0 ? "" : " " + std::to_string(I * 7919 % 100003)));
    }
    return R;
  }();
  return List;
}

void BM_StringListSortByCollation(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    TStringList L;
    L.SetCaseSensitive(State.range(0) != 0);
    L.SetCapacity(static_cast<Integer>(Lines().size()));
    for (const std::string& S : Lines()) {
      L.Add(S);
    }
    State.ResumeTiming();
    L.Sort();
    benchmark::DoNotOptimize(L.Count());
  }
}
BENCHMARK(BM_StringListSortByCollation)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// The comparison of every pair of strings directly, as the list sorted before its keys.
int DirectCompare(TStringList* List, Integer A, Integer B) {
  return List->CaseSensitive() ? AnsiCompareStr(List->Strings(A), List->Strings(B))
                               : AnsiCompareText(List->Strings(A), List->Strings(B));
}

void BM_StringListSortDirect(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    TStringList L;
    L.SetCaseSensitive(State.range(0) != 0);
    for (const std::string& S : Lines()) {
      L.Add(S);
    }
    State.ResumeTiming();
    L.CustomSort(&DirectCompare);
    benchmark::DoNotOptimize(L.Count());
  }
}
BENCHMARK(BM_StringListSortDirect)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// The system's tool, with the collation the list uses (en_US.UTF-8 unless the user's own orders text);
// -f ignores case as the case-insensitive list does.
void BM_SortTool(benchmark::State& State) {
  char Name[] = "/tmp/zubq_sort_XXXXXX";
  const int Fd = mkstemp(Name);
  if (Fd < 0) {
    State.SkipWithError("no temporary file");
    return;
  }
  close(Fd);
  {
    std::ofstream Out(Name, std::ios::binary);
    for (const std::string& S : Lines()) {
      Out << S << '\n';
    }
  }
  const std::string Command =
      std::string("LC_ALL=en_US.UTF-8 sort ") + (State.range(0) != 0 ? "" : "-f ") + Name + " > /dev/null";
  for (auto _ : State) {
    if (std::system(Command.c_str()) != 0) {
      State.SkipWithError("sort failed");
      break;
    }
  }
  std::remove(Name);
}
BENCHMARK(BM_SortTool)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
