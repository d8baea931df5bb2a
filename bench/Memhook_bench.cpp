// Cost of the memory-release hook: a release with nothing registered beside the unhooked manager, a release
// that matches none of 10,000 registered addresses, and the editor's work (a 50,000-line page into the text
// store, 20,000 typed characters, highlighting every line, undoing everything) with and without the hook,
// measured alternately in one process.
#include "editor/Easyeditorparser.h"
#include "editor/Easyeditsource.h"
#include "editor/Easyhighlighter.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/UnitInit.h"
#include "support/Corpus.h"
#include "suitebase/Zizudo.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace {

// Installs the hook (the units' initialisation) or takes it out for the scope.
class THookScope {
public:
  explicit THookScope(bool Hooked) {
    if (Hooked) {
      InitializeUnits();
    } else {
      FinalizeUnits();
    }
  }
  ~THookScope() { FinalizeUnits(); }
  THookScope(const THookScope&) = delete;
  THookScope& operator=(const THookScope&) = delete;
};

void Release(benchmark::State& State, bool Hooked) {
  THookScope Scope(Hooked);
  for (auto _ : State) {
    void* P = GetMem(32);
    benchmark::DoNotOptimize(P);
    FreeMem(P);
  }
}
void BM_AllocReleaseUnhooked(benchmark::State& State) { Release(State, false); }
BENCHMARK(BM_AllocReleaseUnhooked);
void BM_AllocReleaseHookedNothingRegistered(benchmark::State& State) { Release(State, true); }
BENCHMARK(BM_AllocReleaseHookedNothingRegistered);

struct TIgnore {
  void Freed(void*) {}
};

void BM_AllocReleaseHooked10000Registered(benchmark::State& State) {
  THookScope Scope(true);
  TIgnore Target;
  std::vector<void*> Watched;
  for (int I = 0; I < 10000; ++I) {
    Watched.push_back(GetMem(48));
    Zizudo::dcAddFreeNotification(Watched.back(), Zizudo::TFreeNotifyProc::Of<&TIgnore::Freed>(&Target));
  }
  for (auto _ : State) {
    void* P = GetMem(32);
    benchmark::DoNotOptimize(P);
    FreeMem(P);
  }
  for (void* P : Watched) {
    Zizudo::dcRemoveFreeNotification(P, Zizudo::TFreeNotifyProc::Of<&TIgnore::Freed>(&Target));
    FreeMem(P);
  }
}
BENCHMARK(BM_AllocReleaseHooked10000Registered);

const std::string& Page() {
  static const std::string Text = RepeatedCorpusLines(
      "html/rust-std-String.html", 50000, "<p class=\"line\">The quick brown <b>fox</b> and the lazy dog</p>\n");
  return Text;
}

// This thread's processor time in milliseconds: steadier than the wall clock on a busy machine.
double ThreadMs() {
  timespec T{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
  return static_cast<double>(T.tv_sec) * 1000.0 + static_cast<double>(T.tv_nsec) / 1e6;
}

// One round of the editor's work; returns the processor time it took in milliseconds.
double EditorRound(TEasyEditorParser* Parser, std::vector<int>& Styles) {
  const double Start = ThreadMs();
  std::unique_ptr<TEasyEditSource> Source(new TEasyEditSource(nullptr));
  TStringStream In(Page());
  Source->LoadFromStream(&In);
  Source->JumpTo(0, 25000);
  for (int I = 0; I < 20000; ++I) {
    Source->InsertString(std::string(1, static_cast<char>('a' + I % 26)));
    if (I % 80 == 79) {
      Source->BreakString();
    }
  }
  int LexState = 0;
  for (Integer L = 0; L < Source->Strings()->Count(); ++L) {
    EasyLexLine(Parser, LexState, Source->Strings()->Strings(L), Styles);
  }
  while (Source->UndoAvailable()) {
    Source->Undo();
  }
  benchmark::DoNotOptimize(Source->Strings()->Count());
  Source.reset();
  return ThreadMs() - Start;
}

// Each iteration runs the work once without the hook and once with it, so that both sides see the machine in
// the same state; the counters give both means (processor time) and how far apart they are.
void BM_EditorWorkInterleaved(benchmark::State& State) {
  FinalizeUnits();
  std::unique_ptr<TEasyEditorParser> Parser(new TEasyEditorParser(nullptr));
  Parser->LoadRulesFromFile(std::string(ZUBQ_SOURCE_DIR) + "/data/ParserRules/html.xs");
  std::vector<int> Styles;
  double Unhooked = 0;
  double Hooked = 0;
  (void)EditorRound(Parser.get(), Styles);  // a first round warms the heap and the caches for both sides
  bool HookedFirst = false;
  for (auto _ : State) {
    // The side that runs first changes every iteration, so that neither inherits the other's warm heap.
    for (const bool Hook : {HookedFirst, !HookedFirst}) {
      if (Hook) {
        InitializeUnits();
        Hooked += EditorRound(Parser.get(), Styles);
        FinalizeUnits();
      } else {
        Unhooked += EditorRound(Parser.get(), Styles);
      }
    }
    HookedFirst = !HookedFirst;
  }
  const auto N = static_cast<double>(State.iterations());
  State.counters["unhooked_ms"] = Unhooked / N;
  State.counters["hooked_ms"] = Hooked / N;
  State.counters["diff_pct"] = Unhooked > 0 ? 100.0 * (Hooked - Unhooked) / Unhooked : 0;
}
BENCHMARK(BM_EditorWorkInterleaved)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
