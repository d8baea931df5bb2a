// Speed of the editor's text store on a generated document of 1,000,000 lines (about 60 MB): loading,
// saving, a single-character edit and a line break in the middle, and a search that finds nothing.
#include "editor/Easyeditsource.h"
#include "platform/classes/Streams.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {
constexpr int LineCount = 1000000;

const std::string& Document() {
  static const std::string Text = [] {
    std::string T;
    T.reserve(static_cast<std::size_t>(LineCount) * 62);
    for (int I = 0; I < LineCount; ++I) {
      T += "<p class=\"line\">Line ";
      T += std::to_string(I);
      T += " of the quick brown fox and the lazy dog</p>\r\n";
    }
    return T;
  }();
  return Text;
}

TEasySourceOptions DocumentOptions() {
  TEasySourceOptions O = DefaultSourceOptions;
  O.Include(srLeaveTabs);
  return O;
}

void LoadDocument(TEasyEditSource& Source) {
  TStringStream In(Document());
  Source.LoadFromStream(&In);
}

// Each round loads into a new source and frees it again afterwards.
void BM_Load(benchmark::State& State) {
  for (auto _ : State) {
    std::unique_ptr<TEasyEditSource> Owned(new TEasyEditSource(nullptr));
    TEasyEditSource& Source = *Owned;
    Source.SetOptions(DocumentOptions());
    LoadDocument(Source);
    benchmark::DoNotOptimize(Source.Strings()->Count());
  }
  State.SetBytesProcessed(static_cast<Int64>(State.iterations()) * static_cast<Int64>(Document().size()));
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& State) {
  std::unique_ptr<TEasyEditSource> Owned(new TEasyEditSource(nullptr));
    TEasyEditSource& Source = *Owned;
  Source.SetOptions(DocumentOptions());
  LoadDocument(Source);
  for (auto _ : State) {
    TMemoryStream Out;
    Source.SaveToStream(&Out);
    benchmark::DoNotOptimize(Out.Size());
  }
  State.SetBytesProcessed(static_cast<Int64>(State.iterations()) * static_cast<Int64>(Document().size()));
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

// Typing a character in the middle of the document and deleting it again, with undo recording and URL
// marking on as in the program.
void BM_EditCharacterInMiddle(benchmark::State& State) {
  std::unique_ptr<TEasyEditSource> Owned(new TEasyEditSource(nullptr));
    TEasyEditSource& Source = *Owned;
  Source.SetOptions(DocumentOptions());
  LoadDocument(Source);
  Source.JumpTo(10, LineCount / 2);
  for (auto _ : State) {
    Source.InsertString("x");
    Source.DeleteString(1);
  }
  State.SetItemsProcessed(static_cast<Int64>(State.iterations()) * 2);
}
BENCHMARK(BM_EditCharacterInMiddle)->Unit(benchmark::kMicrosecond);

// Breaking a line in the middle and joining it again: one line inserted and one deleted.
void BM_BreakAndJoinInMiddle(benchmark::State& State) {
  std::unique_ptr<TEasyEditSource> Owned(new TEasyEditSource(nullptr));
    TEasyEditSource& Source = *Owned;
  Source.SetOptions(DocumentOptions());
  LoadDocument(Source);
  Source.JumpTo(10, LineCount / 2);
  for (auto _ : State) {
    Source.BreakString();
    Source.JoinStrings();
  }
  State.SetItemsProcessed(static_cast<Int64>(State.iterations()) * 2);
}
BENCHMARK(BM_BreakAndJoinInMiddle)->Unit(benchmark::kMicrosecond);

void SearchNothing(benchmark::State& State, TEasySearchParams Params) {
  std::unique_ptr<TEasyEditSource> Owned(new TEasyEditSource(nullptr));
    TEasyEditSource& Source = *Owned;
  Source.SetOptions(DocumentOptions());
  LoadDocument(Source);
  for (auto _ : State) {
    TPoint Pos{1, 0};
    int Len = 0;
    const bool Found = SearchInStrings("zebra crossing", Source.Strings(), Params, Source.Delimiters, Pos, Len);
    benchmark::DoNotOptimize(Found);
  }
  State.SetBytesProcessed(static_cast<Int64>(State.iterations()) * static_cast<Int64>(Document().size()));
}

void BM_SearchNotFoundIgnoringCase(benchmark::State& State) { SearchNothing(State, TEasySearchParams{srpForward}); }
BENCHMARK(BM_SearchNotFoundIgnoringCase)->Unit(benchmark::kMillisecond);

void BM_SearchNotFoundCaseSensitive(benchmark::State& State) {
  SearchNothing(State, TEasySearchParams{srpForward, srpCaseSensitive});
}
BENCHMARK(BM_SearchNotFoundCaseSensitive)->Unit(benchmark::kMillisecond);
}  // namespace
