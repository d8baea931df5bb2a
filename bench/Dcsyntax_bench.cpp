// The scheme-driven tokenizer over the corpus pages with the HTML scheme (style sheets and scripts as inner
// blocks), and over the corpus style sheets with the style sheet block alone: bytes coloured per second.
#include "codeeditor/Dcsyntaxparser.h"
#include "support/Corpus.h"
#include "tests/codeeditor/HtmlScheme.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {
// Every corpus file of the folder, split into lines.
std::vector<std::string> CorpusLines(const std::string& Folder) {
  std::vector<std::string> Names;
  for (const auto& Entry : std::filesystem::directory_iterator(CorpusDir() + Folder)) {
    Names.push_back(Entry.path().filename().string());
  }
  std::sort(Names.begin(), Names.end());
  std::vector<std::string> Lines;
  for (const std::string& Name : Names) {
    const std::string Text = ReadCorpusFile(Folder + "/" + Name);
    std::size_t Start = 0;
    while (Start < Text.size()) {
      std::size_t End = Text.find('\n', Start);
      if (End == std::string::npos) {
        End = Text.size();
      }
      std::string L = Text.substr(Start, End - Start);
      if (!L.empty() && L.back() == '\r') {
        L.pop_back();
      }
      Lines.push_back(std::move(L));
      Start = End + 1;
    }
  }
  return Lines;
}

void Colour(benchmark::State& State, const std::string& Folder, void (*Build)(Dcsyntax::TSyntaxScheme*)) {
  const std::vector<std::string> Lines = CorpusLines(Folder);
  Dcsyntax::TSyntaxParser Parser(nullptr);
  Dcsyntax::TSyntaxScheme Scheme;
  Build(&Scheme);
  Parser.SetSyntaxScheme(&Scheme);
  std::vector<std::string> Colours;
  std::size_t Bytes = 0;
  for (const std::string& L : Lines) {
    Colours.emplace_back(L.size(), '\0');
    Bytes += L.size() + 1;
  }
  for (auto _ : State) {
    Integer S = 0;
    for (std::size_t I = 0; I < Lines.size(); ++I) {
      S = Parser.ColorString(Lines[I], S, Colours[I]);
    }
    benchmark::DoNotOptimize(S);
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) * static_cast<int64_t>(Bytes));
  State.counters["MB"] = static_cast<double>(Bytes) / 1e6;
}

// Goal: at least 40 MB/s over the pages.
void BM_SchemeColoursCorpusPages(benchmark::State& State) { Colour(State, "html", &HtmlScheme::Build); }
void BM_SchemeColoursCorpusStyleSheets(benchmark::State& State) { Colour(State, "css", &HtmlScheme::BuildCss); }
}  // namespace

BENCHMARK(BM_SchemeColoursCorpusPages)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SchemeColoursCorpusStyleSheets)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
