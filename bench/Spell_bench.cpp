// Spell checker speed: splitting and looking up the words of a large page, beside hunspell and aspell checking
// the same page when they are installed; and the main dictionary built from each Debian word list: its size,
// compile and load time and lookup speed. Everything the benchmark writes goes to a temporary folder.
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

namespace fs = std::filesystem;

std::string ProgramDir() { return fs::read_symlink("/proc/self/exe").parent_path().string(); }

// A temporary folder for the run, removed at exit.
class TScratch {
public:
  TScratch() {
    std::string Pattern = (fs::temp_directory_path() / "zubq-spell-bench-XXXXXX").string();
    if (::mkdtemp(Pattern.data())) {
      FDir = Pattern;
    }
  }
  ~TScratch() {
    std::error_code Ec;
    if (!FDir.empty()) {
      fs::remove_all(FDir, Ec);
    }
  }
  TScratch(const TScratch&) = delete;
  TScratch& operator=(const TScratch&) = delete;
  const std::string& Dir() const { return FDir; }

private:
  std::string FDir;
};

const TScratch& Scratch() {
  static const TScratch S;
  return S;
}

// A copy of the shipped dictionaries in the temporary folder: the checker may make its custom dictionary beside
// them, and the build's folder must stay as the build made it.
const std::string& DictionaryCopy() {
  static const std::string Dir = [] {
    const fs::path To = fs::path(Scratch().Dir()) / "Dictionary";
    std::error_code Ec;
    fs::create_directories(To, Ec);
    for (const auto& E : fs::directory_iterator(fs::path(ProgramDir()) / "Dictionary", Ec)) {
      if (E.path().extension() == ".adm") {
        fs::copy_file(E.path(), To / E.path().filename(), fs::copy_options::overwrite_existing, Ec);
      }
    }
    return To.string();
  }();
  return Dir;
}

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

// The words of the page as the checker's parser splits them in HTML mode.
const std::vector<std::string>& PageWords() {
  static const std::vector<std::string> Words = [] {
    std::vector<std::string> W;
    TLexiSpell3Base Spell(nullptr);
    Spell.WriteConfigStorage(csNone);
    Spell.ConfigDefaultOptions =
        static_cast<TSpellOptions>(SpellOptionBit(soHTML) | SpellOptionBit(soInternet) | SpellOptionBit(soNumbers) |
                                   SpellOptionBit(soAbbreviations));
    Spell.ConfigDictionaryDir()->Clear();
    Spell.ConfigDictionaryDir()->Add(DictionaryCopy());
    std::string Text = BigPage();
    TStringParser Cursor;
    Cursor.Initialize(&Text);
    TMainParsingEngine& Engine = *Spell.ParsingEngine();
    Engine.Initialize(&Cursor, 2);
    for (std::string Word = Engine.NextWord(); !Word.empty(); Word = Engine.NextWord()) {
      W.push_back(Word);
    }
    Engine.Initialize(nullptr, 0);
    return W;
  }();
  return Words;
}

void BM_SplitAndLookUpPage(benchmark::State& State) {
  TLexiSpell3Base Spell(nullptr);
  Spell.WriteConfigStorage(csNone);
  Spell.ConfigDefaultOptions = static_cast<TSpellOptions>(SpellOptionBit(soHTML) | SpellOptionBit(soInternet) |
                                                          SpellOptionBit(soNumbers) | SpellOptionBit(soAbbreviations));
  Spell.ConfigDictionaryDir()->Clear();
  Spell.ConfigDictionaryDir()->Add(DictionaryCopy());
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
  Spell.ConfigDictionaryDir()->Add(DictionaryCopy());
  if (Spell.OpenMainDictionaries.empty()) {
    State.SkipWithError("no American dictionary");
    return;
  }
  const std::vector<std::string>& Words = PageWords();
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

// The Debian word lists the American dictionary can be built from.
const char* const WordLists[] = {"/usr/share/dict/american-english", "/usr/share/dict/american-english-large",
                                 "/usr/share/dict/american-english-huge"};

std::string CompiledList(int Which) { return Scratch().Dir() + "/list" + std::to_string(Which) + ".adm"; }

std::string CompileCommand(int Which, const std::string& Out) {
  return "'" + ProgramDir() + "/zubq_admcompile' --title 'American English' --language 0x0409 '" + WordLists[Which] +
         "' '" + Out + "' > /dev/null";
}

// Compiles each word list once; the size of the dictionary it makes and its word count.
void BM_CompileAmericanDictionary(benchmark::State& State) {
  const int Which = static_cast<int>(State.range(0));
  if (!fs::exists(WordLists[Which])) {
    State.SkipWithError("word list not installed");
    return;
  }
  const std::string Out = CompiledList(Which);
  for (auto _ : State) {
    if (std::system(CompileCommand(Which, Out).c_str()) != 0) {
      State.SkipWithError("compiler failed");
      return;
    }
  }
  std::ifstream In(WordLists[Which]);
  std::int64_t Lines = 0;
  for (std::string L; std::getline(In, L);) {
    ++Lines;
  }
  State.counters["words"] = static_cast<double>(Lines);
  State.counters["adm_bytes"] = static_cast<double>(fs::file_size(Out));
}
BENCHMARK(BM_CompileAmericanDictionary)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// Opening a dictionary built from each word list and looking up its first word, as the checker does when it opens
// its dictionaries.
void BM_LoadAmericanDictionary(benchmark::State& State) {
  const int Which = static_cast<int>(State.range(0));
  const std::string Dict = CompiledList(Which);
  if (!fs::exists(Dict) && (!fs::exists(WordLists[Which]) || std::system(CompileCommand(Which, Dict).c_str()) != 0)) {
    State.SkipWithError("no dictionary");
    return;
  }
  for (auto _ : State) {
    TMainDictionary D;
    D.WriteFilename(Dict);
    benchmark::DoNotOptimize(D.WordExists("the"));
  }
}
BENCHMARK(BM_LoadAmericanDictionary)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Every word of the page looked up in a dictionary built from each word list alone.
void BM_LookUpPageWords(benchmark::State& State) {
  const int Which = static_cast<int>(State.range(0));
  const std::string Dict = CompiledList(Which);
  if (!fs::exists(Dict) && (!fs::exists(WordLists[Which]) || std::system(CompileCommand(Which, Dict).c_str()) != 0)) {
    State.SkipWithError("no dictionary");
    return;
  }
  TMainDictionary D;
  D.WriteFilename(Dict);
  const std::vector<std::string>& Words = PageWords();
  std::int64_t Found = 0;
  for (auto _ : State) {
    for (const auto& W : Words) {
      Found += D.WordExists(W) ? 1 : 0;
    }
  }
  State.SetItemsProcessed(State.iterations() * static_cast<std::int64_t>(Words.size()));
  State.counters["found"] = static_cast<double>(Found) / static_cast<double>(State.iterations() * Words.size());
}
BENCHMARK(BM_LookUpPageWords)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The peers: a checker program listing the misspelt words of the page (HTML mode), or of the page's words one per
// line, when it is installed. The time includes the program's start and dictionary load; the "Empty" runs give
// those alone.
enum TPeerInput { piPage, piWords, piEmpty };

std::string WritePeerInput(TPeerInput Input) {
  const std::string F = Scratch().Dir() + (Input == piPage ? "/page.html" : Input == piWords ? "/words.txt" : "/empty");
  std::ofstream Out(F, std::ios::binary);
  if (Input == piPage) {
    Out << BigPage();
  } else if (Input == piWords) {
    for (const auto& W : PageWords()) {
      Out << W << '\n';
    }
  }
  return F;
}

const std::string& PeerInput(TPeerInput Input) {
  static const std::string Files[3] = {WritePeerInput(piPage), WritePeerInput(piWords), WritePeerInput(piEmpty)};
  return Files[Input];
}

void RunPeer(benchmark::State& State, const std::string& Program, const std::string& PageArgs,
             const std::string& WordArgs) {
  if (std::system(("command -v " + Program + " > /dev/null 2>&1").c_str()) != 0) {
    State.SkipWithError((Program + " not installed").c_str());
    return;
  }
  const auto Input = static_cast<TPeerInput>(State.range(0));
  const std::string Cmd =
      Program + " " + (Input == piPage ? PageArgs : WordArgs) + " < '" + PeerInput(Input) + "' > /dev/null 2>&1";
  for (auto _ : State) {
    if (std::system(Cmd.c_str()) != 0) {
      State.SkipWithError((Program + " failed").c_str());
      return;
    }
  }
  if (Input != piEmpty) {
    State.SetItemsProcessed(State.iterations() * static_cast<std::int64_t>(PageWords().size()));
  }
}

void BM_PeerHunspell(benchmark::State& State) { RunPeer(State, "hunspell", "-d en_US -H -l", "-d en_US -l"); }
BENCHMARK(BM_PeerHunspell)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PeerAspell(benchmark::State& State) {
  RunPeer(State, "aspell", "--lang=en_US --mode=html list", "--lang=en_US --mode=none list");
}
BENCHMARK(BM_PeerAspell)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
