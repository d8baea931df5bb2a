// A keystroke and its undo in the middle of one very long line, as minified scripts and style sheets have
// them, with the style sheet rules lexing the line, and in a plain-text document (no highlighter, addresses
// marked); beside them, the plain copy of a line that long.
#include "editor/Easyeditorparser.h"
#include "editor/Easyeditsource.h"
#include "platform/classes/Streams.h"
#include "support/Corpus.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

// The corpus style sheets with their line breaks taken out, repeated up to Bytes: one line.
std::string LongLine(std::size_t Bytes) {
  std::string Seed;
  for (const char* F : {"rustdoc.css", "node-style.css", "book-general.css"}) {
    std::ifstream In(CorpusDir() + "css/" + F, std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    Seed += S.str();
  }
  if (Seed.empty()) {
    Seed = "body{margin:0;padding:0}a:hover{color:#fff;background:url(x.png)}.note{font:12px/1.5 sans-serif}";
  }
  std::string Line;
  Line.reserve(Bytes);
  for (char C : Seed) {
    if (C != '\r' && C != '\n') {
      Line += C;
    }
  }
  const std::string Flat = Line;
  while (Line.size() < Bytes) {
    Line += Flat;
  }
  Line.resize(Bytes);
  return Line;
}

struct TLongLineSource {
  std::unique_ptr<TEasyEditorParser> Parser{new TEasyEditorParser(nullptr)};
  std::unique_ptr<TEasyEditSource> Source{new TEasyEditSource(nullptr)};

  explicit TLongLineSource(std::size_t Bytes, bool Highlighted = true) {
    Parser->LoadRulesFromFile(std::string(ZUBQ_SOURCE_DIR) + "/data/ParserRules/css_lev2.xs");
    if (Highlighted) {
      Source->SetParser(Parser.get());
    }
    TStringStream In(LongLine(Bytes));
    Source->LoadFromStream(&In);
    Source->ParseToString(0);
    Source->JumpTo(static_cast<int>(Bytes / 2), 0);
  }
  ~TLongLineSource() { Source->SetParser(nullptr); }
};

void BM_KeystrokeInLongLine(benchmark::State& State) {
  TLongLineSource L(static_cast<std::size_t>(State.range(0)));
  for (auto _ : State) {
    L.Source->InsertString("x");
    L.Source->DeleteString(1);
  }
}
BENCHMARK(BM_KeystrokeInLongLine)->Arg(5 << 20)->Arg(50 << 20)->Unit(benchmark::kMillisecond);

// The first keystroke after the line was loaded and lexed, when the line still has no room to grow.
void BM_FirstKeystrokeInLongLine(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    auto L = std::make_unique<TLongLineSource>(static_cast<std::size_t>(State.range(0)));
    State.ResumeTiming();
    L->Source->InsertString("x");
    State.PauseTiming();
    L.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_FirstKeystrokeInLongLine)->Arg(5 << 20)->Arg(50 << 20)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_KeystrokeAndUndoInLongLine(benchmark::State& State) {
  TLongLineSource L(static_cast<std::size_t>(State.range(0)));
  for (auto _ : State) {
    L.Source->InsertString("x");
    L.Source->Undo();
    L.Source->ParseToString(0);  // as the repaint after the undo does
  }
}
BENCHMARK(BM_KeystrokeAndUndoInLongLine)->Arg(5 << 20)->Arg(50 << 20)->Unit(benchmark::kMillisecond);

// The same in a plain-text document: no highlighter, the default options (addresses marked).
void BM_PlainKeystrokeInLongLine(benchmark::State& State) {
  TLongLineSource L(static_cast<std::size_t>(State.range(0)), false);
  for (auto _ : State) {
    L.Source->InsertString("x");
    L.Source->ParseToString(0);
    L.Source->DeleteString(1);
    L.Source->ParseToString(0);
  }
}
BENCHMARK(BM_PlainKeystrokeInLongLine)->Arg(5 << 20)->Arg(50 << 20)->Unit(benchmark::kMillisecond);

void BM_PlainFirstKeystrokeInLongLine(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    auto L = std::make_unique<TLongLineSource>(static_cast<std::size_t>(State.range(0)), false);
    State.ResumeTiming();
    L->Source->InsertString("x");
    L->Source->ParseToString(0);
    State.PauseTiming();
    L.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_PlainFirstKeystrokeInLongLine)->Arg(5 << 20)->Arg(50 << 20)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PlainKeystrokeAndUndoInLongLine(benchmark::State& State) {
  TLongLineSource L(static_cast<std::size_t>(State.range(0)), false);
  for (auto _ : State) {
    L.Source->InsertString("x");
    L.Source->ParseToString(0);
    L.Source->Undo();
    L.Source->ParseToString(0);
  }
}
BENCHMARK(BM_PlainKeystrokeAndUndoInLongLine)->Arg(5 << 20)->Arg(50 << 20)->Unit(benchmark::kMillisecond);

// The floor: copying a line that long once.
void BM_CopyLine(benchmark::State& State) {
  const std::string Line = LongLine(static_cast<std::size_t>(State.range(0)));
  std::string Copy;
  for (auto _ : State) {
    Copy = Line;
    benchmark::DoNotOptimize(Copy.data());
  }
}
BENCHMARK(BM_CopyLine)->Arg(5 << 20)->Arg(50 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
