// Lexing speed of the shipped HTML and CSS rules over large documents, first line to last, as an edit source
// lexes them (one style code per character, the state carried from line to line); and of every shipped rules
// file over one line that is a single 100,000-letter word.
#include "editor/Easyeditorparser.h"
#include "support/Corpus.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

// The real pages of the shared corpus, repeated up to Bytes; a generated page when the corpus is missing.
std::vector<std::string> MakeDocument(const std::vector<std::string>& Files, const std::string& Fallback,
                                      std::size_t Bytes) {
  std::string Seed;
  for (const std::string& F : Files) {
    Seed += ReadCorpusFile(F);
  }
  if (Seed.empty()) {
    Seed = Fallback;
  }
  std::string Text;
  while (Text.size() < Bytes) {
    Text += Seed;
  }
  std::unique_ptr<TStringList> Lines(new TStringList);
  Lines->SetText(Text);
  std::vector<std::string> R;
  R.reserve(Lines->Count());
  for (int I = 0; I < Lines->Count(); ++I) {
    R.push_back(Lines->Strings(I));
  }
  return R;
}

void LexDocument(benchmark::State& St, const char* RulesFile, const std::vector<std::string>& Lines) {
  std::unique_ptr<TEasyEditorParser> P(new TEasyEditorParser(nullptr));
  P->LoadRulesFromFile(std::string(ZUBQ_SOURCE_DIR) + "/data/ParserRules/" + RulesFile);
  std::size_t Bytes = 0;
  for (const std::string& L : Lines) {
    Bytes += L.size() + 2;
  }
  std::vector<int> Styles;
  for (auto _ : St) {
    int State = 0;
    for (const std::string& L : Lines) {
      EasyLexLine(P.get(), State, L, Styles);
    }
    benchmark::DoNotOptimize(State);
    benchmark::DoNotOptimize(Styles.data());
  }
  St.SetBytesProcessed(static_cast<int64_t>(Bytes) * St.iterations());
  St.counters["lines"] = static_cast<double>(Lines.size());
}

const char* FallbackHtml =
    "<!DOCTYPE html>\n<html><head><title>Page &amp; more</title>\n<style>\nbody { margin: 0; color: #333 }\n"
    "</style></head>\n<body>\n<!-- comment -->\n<p class=\"intro\" id=x>Some text with <b>bold</b> words.</p>\n"
    "<script>\nvar n = 10; // count\nif (n > 2) { alert(\"hi\"); }\n</script>\n</body></html>\n";

const char* FallbackCss =
    "/* layout */\nbody, html { margin: 0; padding: 0 }\n#main .col > p:first-child { font: 12px/1.5 serif; "
    "color: #ff8800; background: url(a.png) no-repeat }\n@media print { .nav { display: none } }\n";

void BM_LexHtml10MB(benchmark::State& St) {
  static const std::vector<std::string> Doc =
      MakeDocument({"html/node-addons.html", "html/rust-std-String.html", "html/valgrind-cg-manual.html",
                    "html/rust-book-keywords.html"},
                   FallbackHtml, 10u << 20);
  LexDocument(St, "html.xs", Doc);
}
BENCHMARK(BM_LexHtml10MB)->Unit(benchmark::kMillisecond);

void BM_LexHtml50000Lines(benchmark::State& St) {
  static const std::vector<std::string> Doc = [] {
    std::vector<std::string> D = MakeDocument({"html/node-addons.html", "html/valgrind-cg-manual.html"},
                                              FallbackHtml, 8u << 20);
    D.resize(50000);
    return D;
  }();
  LexDocument(St, "html.xs", Doc);
}
BENCHMARK(BM_LexHtml50000Lines)->Unit(benchmark::kMillisecond);

void BM_LexCss10MB(benchmark::State& St) {
  static const std::vector<std::string> Doc =
      MakeDocument({"css/node-style.css", "css/book-general.css", "css/rustdoc.css"}, FallbackCss, 10u << 20);
  LexDocument(St, "css_lev2.xs", Doc);
}
BENCHMARK(BM_LexCss10MB)->Unit(benchmark::kMillisecond);

// The shipped rules files in name order.
const std::vector<std::string>& RulesFiles() {
  static const std::vector<std::string> Files = [] {
    std::vector<std::string> F;
    for (const auto& E : std::filesystem::directory_iterator(std::string(ZUBQ_SOURCE_DIR) + "/data/ParserRules")) {
      if (E.path().extension() == ".xs") {
        F.push_back(E.path().filename().string());
      }
    }
    std::sort(F.begin(), F.end());
    return F;
  }();
  return Files;
}

// The word is one letter repeated (argument 1: 0) or the alphabet over and over (argument 1: 1).
void BM_LexLongWord(benchmark::State& St) {
  const std::size_t Which = static_cast<std::size_t>(St.range(0));
  if (Which >= RulesFiles().size()) {
    St.SkipWithError("no such rules file");
    return;
  }
  std::string Word(100000, 'w');
  if (St.range(1) == 1) {
    for (std::size_t I = 0; I < Word.size(); ++I) {
      Word[I] = static_cast<char>('a' + I % 26);
    }
  }
  St.SetLabel(RulesFiles()[Which]);
  LexDocument(St, RulesFiles()[Which].c_str(), {Word});
}
BENCHMARK(BM_LexLongWord)->ArgsProduct({benchmark::CreateDenseRange(0, 26, 1), {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace
