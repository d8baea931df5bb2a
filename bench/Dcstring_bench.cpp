// Speed of the code editor's text model: typing, Enter and Backspace in the middle of a large C++ text with the
// tokenizer attached and the colours cached, loading a 60 MB file beside reading and splitting it, undoing a long
// run of typing, and finding and replacing in 10 MB. The text is this tree's C++ sources, repeated.
#include "codeeditor/Dclanguages.h"
#include "codeeditor/Dcstring.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {
namespace fs = std::filesystem;
using namespace Dcstring;

std::string ReadAll(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
}

// The C++ sources of the code editor library, as lines.
const std::vector<std::string>& SourceLines() {
  static const std::vector<std::string> Lines = [] {
    std::vector<std::string> R;
    std::vector<fs::path> Files;
    for (const auto& E : fs::directory_iterator(fs::path(ZUBQ_SOURCE_DIR) / "codeeditor")) {
      if (E.path().extension() == ".cpp" || E.path().extension() == ".h") {
        Files.push_back(E.path());
      }
    }
    std::sort(Files.begin(), Files.end());
    for (const fs::path& F : Files) {
      const std::string Text = ReadAll(F.string());
      std::size_t Start = 0;
      while (Start < Text.size()) {
        std::size_t End = Text.find('\n', Start);
        if (End == std::string::npos) {
          End = Text.size();
        }
        R.push_back(Text.substr(Start, End - Start));
        Start = End + 1;
      }
    }
    return R;
  }();
  return Lines;
}

// Source lines repeated up to Count lines, or up to Bytes bytes when Count is 0.
std::string SourceText(std::size_t Count, std::size_t Bytes = 0) {
  const auto& L = SourceLines();
  std::string Text;
  for (std::size_t I = 0; Count > 0 ? I < Count : Text.size() < Bytes; ++I) {
    Text += L[I % L.size()];
    Text += '\n';
  }
  return Text;
}

void NoNotice(void*, TObject*, NativeInt, NativeInt) {}

struct TLargeSource {
  explicit TLargeSource(std::size_t Count, bool WithParser = true) : Parser(nullptr), Memo(nullptr) {
    Memo.KeepTrailingBlanks = true;
    if (WithParser) {
      Memo.SetSyntaxParser(&Parser);
    }
    TStringStream S(SourceText(Count));
    Memo.LoadFromStream(&S);
    Memo.ParseStrings(0, Memo.GetStrCount() - 1, false);  // the cache is warm
    Memo.RegisterNotifier(TMemoNotifyProc::FromRec(TDCMethodRec{reinterpret_cast<void (*)()>(&NoNotice), nullptr}),
                          false);
  }
  ~TLargeSource() { Memo.SetSyntaxParser(nullptr); }
  Dcparser::TCPPParser Parser;
  TMemoSource Memo;
};

void BM_TypeInTheMiddle(benchmark::State& State) {
  TLargeSource L(static_cast<std::size_t>(State.range(0)), State.range(1) != 0);
  Integer Line = L.Memo.GetStrCount() / 2;
  L.Memo.JumpTo(4, Line);
  // Ordinary code, a character at a time; the caret goes to the next line after 80 columns.
  static const std::string Typed = "total += value * 2; ";
  std::size_t K = 0;
  double Parsed = 0;
  L.Memo.OnAfterParse = [&](TObject*, Integer, std::string&, std::string&) { Parsed += 1; };
  for (auto _ : State) {
    L.Memo.BeginUpdate(Reason::Insert);
    L.Memo.Insert(std::string(1, Typed[K++ % Typed.size()]));
    L.Memo.Navigate(0, 1);
    L.Memo.EndUpdate();
    if (L.Memo.GetCurChar() > 80) {
      State.PauseTiming();
      Line = Line + 1 < L.Memo.GetStrCount() ? Line + 1 : 0;
      L.Memo.JumpTo(4, Line);
      State.ResumeTiming();
    }
  }
  State.counters["parsed/key"] = Parsed / static_cast<double>(State.iterations());
}
BENCHMARK(BM_TypeInTheMiddle)->Args({10000, 1})->Args({1000000, 1})->Args({10000, 0})->Unit(benchmark::kMicrosecond);

void BM_EnterInTheMiddle(benchmark::State& State) {
  TLargeSource L(static_cast<std::size_t>(State.range(0)));
  const Integer Line = L.Memo.GetStrCount() / 2;
  L.Memo.JumpTo(2, Line);
  for (auto _ : State) {
    L.Memo.PressEnter();
  }
}
BENCHMARK(BM_EnterInTheMiddle)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void BM_BackspaceJoinsInTheMiddle(benchmark::State& State) {
  TLargeSource L(static_cast<std::size_t>(State.range(0)));
  // Each join takes a line that was never joined before, so no line grows longer than two source lines.
  Integer Line = L.Memo.GetStrCount() / 2;
  for (auto _ : State) {
    State.PauseTiming();
    L.Memo.JumpTo(0, Line);
    State.ResumeTiming();
    L.Memo.DeleteCharLeft();
    Line = Line + 2 < L.Memo.GetStrCount() ? Line + 1 : 1;
  }
}
BENCHMARK(BM_BackspaceJoinsInTheMiddle)->Arg(10000)->Arg(1000000)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// The 60 MB file, written once and removed when the program ends.
struct TBigFile {
  TBigFile() : Name((fs::temp_directory_path() / "zubq-memo-60mb.cpp").string()) {
    std::ofstream(Name, std::ios::binary | std::ios::trunc) << SourceText(0, 60u << 20);
  }
  ~TBigFile() { std::remove(Name.c_str()); }
  TBigFile(const TBigFile&) = delete;
  TBigFile& operator=(const TBigFile&) = delete;
  std::string Name;
};

const std::string& BigFile() {
  static const TBigFile File;
  return File.Name;
}

void BM_ReadAndSplit60MB(benchmark::State& State) {
  for (auto _ : State) {
    const std::string Text = ReadAll(BigFile());
    std::vector<std::string> Lines;
    std::size_t Start = 0;
    while (Start < Text.size()) {
      std::size_t End = Text.find('\n', Start);
      if (End == std::string::npos) {
        End = Text.size();
      }
      Lines.emplace_back(Text, Start, End - Start);
      Start = End + 1;
    }
    benchmark::DoNotOptimize(Lines.data());
  }
}
BENCHMARK(BM_ReadAndSplit60MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoadFromFile60MB(benchmark::State& State) {
  for (auto _ : State) {
    TMemoSource M(nullptr);
    M.KeepTrailingBlanks = true;
    M.LoadFromFile(BigFile());
    benchmark::DoNotOptimize(M.GetStrCount());
    State.PauseTiming();
    { TMemoSource Gone(nullptr); }
    State.ResumeTiming();
  }
}
BENCHMARK(BM_LoadFromFile60MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UndoOf100000TypedCharacters(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    TMemoSource M(nullptr);
    M.Lines()->SetText("start");
    M.JumpTo(5, 0);
    for (int I = 0; I < 100000; ++I) {
      M.BeginUpdate(Reason::Insert);
      M.Insert(std::string(1, static_cast<char>('a' + I % 26)));
      M.Navigate(0, 1);
      M.EndUpdate();
    }
    State.ResumeTiming();
    M.Undo();
    State.PauseTiming();
    if (M.GetRaw(0) != "start") {
      State.SkipWithError("undo did not restore the text");
    }
    State.ResumeTiming();
  }
}
BENCHMARK(BM_UndoOf100000TypedCharacters)->Unit(benchmark::kMillisecond)->Iterations(3);

struct TTenMB {
  TTenMB() : Memo(nullptr) {
    Memo.KeepTrailingBlanks = true;
    std::string Text = SourceText(0, 10u << 20);
    Text += "the zzyzxneedle here\n";
    TStringStream S(Text);
    Memo.LoadFromStream(&S);
  }
  TMemoSource Memo;
};

void BM_FindOnTheLastLineOf10MB(benchmark::State& State) {
  TTenMB T;
  TSearchOptions* O = GetSearchOptions();
  O->TextToFind = "zzyzxNEEDLE";
  O->CaseSensitive = State.range(0) != 0;
  if (O->CaseSensitive) {
    O->TextToFind = "zzyzxneedle";
  }
  O->Direction = sdForward;
  O->Origin = soEntireScope;
  O->Scope = ssGlobal;
  O->RegularExpr = O->WholeWordsOnly = false;
  for (auto _ : State) {
    T.Memo.JumpTo(0, 0);
    if (!T.Memo.Find()) {
      State.SkipWithError("not found");
    }
  }
}
BENCHMARK(BM_FindOnTheLastLineOf10MB)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_ReplaceAll100000In10MB(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    TMemoSource M(nullptr);
    M.KeepTrailingBlanks = true;
    std::string Text = SourceText(0, 10u << 20);
    // 100,000 occurrences spread over the text.
    const std::size_t Step = Text.size() / 100000;
    std::string Marked;
    Marked.reserve(Text.size() + 100000 * 5);
    for (std::size_t I = 0; I < Text.size(); I += Step) {
      Marked.append(Text, I, Step);
      Marked += "QQRQ ";
    }
    TStringStream S(Marked);
    M.LoadFromStream(&S);
    TSearchOptions* O = GetSearchOptions();
    O->TextToFind = "QQRQ";
    O->ReplaceWith = "rep";
    O->CaseSensitive = true;
    O->ReplaceAll = true;
    O->PromptOnReplace = false;
    O->Direction = sdForward;
    O->Origin = soEntireScope;
    State.ResumeTiming();
    M.Replace();
    State.PauseTiming();
    State.counters["replacements"] = M.ReplaceCount;
    O->ReplaceAll = false;
    State.ResumeTiming();
  }
}
BENCHMARK(BM_ReplaceAll100000In10MB)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
