// Spell checker speed: splitting and looking up the words of a large page, and compiling the main dictionary.
#include "platform/rtl/CodePage.h"
#include "spell/Lx3maindictionary.h"
#include "spell/Lx3parseengine.h"
#include "spell/Lx3spellbase.h"
#include "support/Corpus.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string ProgramDir() { return std::filesystem::read_symlink("/proc/self/exe").parent_path().string(); }

// An 8 MB page: the body of a corpus page repeated.
const std::string& BigPage() {
  static const std::string Page = [] {
    std::ifstream In(CorpusDir() + "html/valgrind-cg-manual.html", std::ios::binary);
    const std::string Utf8((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    // The editor hands the checker 8-bit text: the page's UTF-8 in code page 1252.
    std::string Source;
    for (std::size_t I = 0; I < Utf8.size(); ++I) {
      const auto B = static_cast<unsigned char>(Utf8[I]);
      if (B < 0x80) {
        Source.push_back(static_cast<char>(B));
        continue;
      }
      char32_t C = 0;
      int More = B >= 0xF0 ? 3 : B >= 0xE0 ? 2 : 1;
      C = B & (0x3F >> More);
      for (; More > 0 && I + 1 < Utf8.size(); --More) {
        C = (C << 6) | (static_cast<unsigned char>(Utf8[++I]) & 0x3F);
      }
      const int Byte = UnicodeToCp1252(C);
      Source.push_back(Byte > 0 ? static_cast<char>(Byte) : '?');
    }
    auto Start = Source.find("<body");
    auto End = Source.rfind("</body>");
    if (Start == std::string::npos || End == std::string::npos || End <= Start) {
      Start = 0;
      End = Source.size();
    }
    const std::string Body = Source.substr(Start, End - Start);
    std::string Page = "<html><head><title>Big</title></head>";
    while (!Body.empty() && Page.size() < 8u * 1024 * 1024) {
      Page += Body;
    }
    return Page + "</body></html>";
  }();
  return Page;
}

void BM_SplitAndLookUpPage(benchmark::State& State) {
  TLexiSpell3Base Spell(nullptr);
  Spell.WriteConfigStorage(csNone);
  Spell.ConfigDefaultOptions = static_cast<TSpellOptions>(SpellOptionBit(soHTML) | SpellOptionBit(soInternet) |
                                                          SpellOptionBit(soNumbers) | SpellOptionBit(soAbbreviations));
  Spell.ConfigDictionaryDir()->Clear();
  Spell.ConfigDictionaryDir()->Add(ProgramDir() + "/Dictionary");
  if (Spell.OpenMainDictionaries.empty()) {
    State.SkipWithError("no American dictionary");
    return;
  }
  TMainDictionary& Dict = *Spell.OpenMainDictionaries.front();
  BigPage();  // built once, outside the timing
  std::int64_t Words = 0;
  std::int64_t Found = 0;
  for (auto _ : State) {
    std::string Text = BigPage();
    TStringParser Cursor;
    Cursor.Initialize(&Text);
    TMainParsingEngine& Engine = *Spell.ParsingEngine();
    Engine.Initialize(&Cursor, 2);
    for (std::string W = Engine.NextWord(); !W.empty(); W = Engine.NextWord()) {
      ++Words;
      Found += Dict.WordExists(W) ? 1 : 0;
    }
  }
  State.SetItemsProcessed(Words);
  State.SetBytesProcessed(static_cast<std::int64_t>(State.iterations()) * static_cast<std::int64_t>(BigPage().size()));
  State.counters["found"] = benchmark::Counter(static_cast<double>(Found) / static_cast<double>(Words));
}
BENCHMARK(BM_SplitAndLookUpPage)->Unit(benchmark::kMillisecond);

// The check's verdict on every word of the page (acceptable, excluded, corrections, repeated words), the words
// split beforehand.
void BM_WordCheckPage(benchmark::State& State) {
  TLexiSpell3Base Spell(nullptr);
  Spell.WriteConfigStorage(csNone);
  Spell.WriteSuggestionsDictFN("");
  Spell.WriteLearnSuggestions(false);
  Spell.ConfigDictionaryDir()->Clear();
  Spell.ConfigDictionaryDir()->Add(ProgramDir() + "/Dictionary");
  if (Spell.OpenMainDictionaries.empty()) {
    State.SkipWithError("no American dictionary");
    return;
  }
  std::vector<std::string> Words;
  {
    std::string Text = BigPage();
    TStringParser Cursor;
    Cursor.Initialize(&Text);
    TMainParsingEngine& Engine = *Spell.ParsingEngine();
    Engine.Initialize(&Cursor, 2);
    for (std::string W = Engine.NextWord(); !W.empty(); W = Engine.NextWord()) {
      Words.push_back(W);
    }
    Engine.Initialize(nullptr, 0);
  }
  std::int64_t Checked = 0;
  std::int64_t Denied = 0;
  std::string Replacement;
  for (auto _ : State) {
    for (const auto& W : Words) {
      Denied += Spell.CheckWord(W, Replacement) == wcDenied ? 1 : 0;
    }
    Checked += static_cast<std::int64_t>(Words.size());
  }
  State.SetItemsProcessed(Checked);
  State.counters["denied"] = benchmark::Counter(static_cast<double>(Denied) / static_cast<double>(Checked));
}
BENCHMARK(BM_WordCheckPage)->Unit(benchmark::kMillisecond);

void BM_CompileAmericanDictionary(benchmark::State& State) {
  const std::string Out = "/tmp/zubq-bench-American-" + std::to_string(::getpid()) + ".adm";
  const std::string Cmd = "'" + ProgramDir() + "/zubq_admcompile' --title 'American English' "
                          "/usr/share/dict/american-english '" + Out + "'";
  for (auto _ : State) {
    if (std::system(Cmd.c_str()) != 0) {
      State.SkipWithError("compiler failed");
      break;
    }
  }
  std::filesystem::remove(Out);
}
BENCHMARK(BM_CompileAmericanDictionary)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
