// Colouring speed of the language tokenizers, line by line with the state carried as the editor colours a text:
// HTML over the shared corpus pages and C++ over this tree's sources (each repeated to 10 MB) beside the editor's
// own highlighter on the same text, and every other tokenizer over its real files. External highlighters, when
// installed, run on the same files for comparison (their cheapest output into /dev/null). The module parser
// removes the conditional code of the Free Pascal run-time library.
#include "codeeditor/Dclanguages.h"
#include "codeeditor/Dcmoduleparser.h"
#include "editor/Easyeditorparser.h"
#include "support/Corpus.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {
namespace fs = std::filesystem;
constexpr std::size_t TenMB = 10u << 20;

std::string ReadAll(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
}

// Files under Root with one of the extensions, in a fixed order, up to MaxBytes in all.
std::vector<std::string> FilesUnder(const std::string& Root, const std::vector<std::string>& Extensions,
                                    std::size_t MaxBytes = static_cast<std::size_t>(-1)) {
  std::vector<std::string> Files;
  std::error_code Ec;
  if (fs::is_regular_file(Root, Ec)) {
    return {Root};
  }
  for (auto It = fs::recursive_directory_iterator(Root, fs::directory_options::skip_permission_denied, Ec);
       It != fs::recursive_directory_iterator(); It.increment(Ec)) {
    if (Ec) {
      break;
    }
    const std::string P = It->path().string();
    if (It->is_regular_file(Ec) && P.find("/build") == std::string::npos && P.find("/.git") == std::string::npos) {
      for (const std::string& E : Extensions) {
        if (It->path().extension() == E) {
          Files.push_back(P);
        }
      }
    }
  }
  std::sort(Files.begin(), Files.end());
  std::vector<std::string> Taken;
  std::size_t Total = 0;
  for (const std::string& F : Files) {
    if (Total >= MaxBytes) {
      break;
    }
    Total += fs::file_size(F, Ec);
    Taken.push_back(F);
  }
  return Taken;
}

std::vector<std::string> SplitLines(const std::string& Text) {
  std::vector<std::string> Lines;
  std::size_t Pos = 0;
  while (Pos < Text.size()) {
    std::size_t End = Text.find('\n', Pos);
    if (End == std::string::npos) {
      End = Text.size();
    }
    std::size_t Stop = End;
    if (Stop > Pos && Text[Stop - 1] == '\r') {
      --Stop;
    }
    Lines.push_back(Text.substr(Pos, Stop - Pos));
    Pos = End + 1;
  }
  return Lines;
}

// The files' text repeated (or not) up to Bytes.
std::vector<std::string> Document(const std::vector<std::string>& Files, std::size_t Bytes) {
  std::string Seed;
  for (const std::string& F : Files) {
    Seed += ReadAll(F);
    if (!Seed.empty() && Seed.back() != '\n') {
      Seed += '\n';
    }
  }
  std::string Text = Seed;
  while (!Seed.empty() && Text.size() < Bytes) {
    Text += Seed;
  }
  return SplitLines(Text);
}

int64_t BytesOf(const std::vector<std::string>& Lines) {
  int64_t Bytes = 0;
  for (const std::string& L : Lines) {
    Bytes += static_cast<int64_t>(L.size()) + 1;
  }
  return Bytes;
}

void ColorLines(benchmark::State& St, Dcparser::TCustomDCParser& P, const std::vector<std::string>& Lines) {
  if (Lines.empty()) {
    St.SkipWithError("no files");
    return;
  }
  std::string Colors;
  for (auto _ : St) {
    Integer State = 0;
    for (std::size_t I = 0; I < Lines.size(); ++I) {
      P.PrepareColorData(static_cast<Integer>(I), Lines[I], Colors);
      State = P.ColorString(Lines[I], State, Colors);
    }
    benchmark::DoNotOptimize(State);
    benchmark::DoNotOptimize(Colors.data());
  }
  St.SetBytesProcessed(BytesOf(Lines) * St.iterations());
}

void LexLines(benchmark::State& St, const char* RulesFile, const std::vector<std::string>& Lines) {
  std::unique_ptr<TEasyEditorParser> P(new TEasyEditorParser(nullptr));
  P->LoadRulesFromFile(std::string(ZUBQ_SOURCE_DIR) + "/data/ParserRules/" + RulesFile);
  std::vector<int> Styles;
  for (auto _ : St) {
    int State = 0;
    for (const std::string& L : Lines) {
      EasyLexLine(P.get(), State, L, Styles);
    }
    benchmark::DoNotOptimize(State);
  }
  St.SetBytesProcessed(BytesOf(Lines) * St.iterations());
}

// Runs Command once per iteration over the files written out as one file of the document's text.
void External(benchmark::State& St, const std::string& Tool, const std::string& Args,
              const std::vector<std::string>& Lines, const std::string& Extension) {
  if (std::system(("command -v " + Tool + " >/dev/null 2>&1").c_str()) != 0) {
    St.SkipWithError((Tool + " is not installed").c_str());
    return;
  }
  const std::string Name = (fs::temp_directory_path() / ("zubq-dcparser-bench" + Extension)).string();
  {
    std::ofstream Out(Name, std::ios::binary);
    for (const std::string& L : Lines) {
      Out << L << '\n';
    }
  }
  const std::string Command = Tool + " " + Args + " < " + Name + " > /dev/null 2>&1";
  for (auto _ : St) {
    benchmark::DoNotOptimize(std::system(Command.c_str()));
  }
  St.SetBytesProcessed(BytesOf(Lines) * St.iterations());
  fs::remove(Name);
}

const std::vector<std::string>& HtmlDoc() {
  static const std::vector<std::string> Doc = Document(FilesUnder(CorpusDir() + "html", {".html"}), TenMB);
  return Doc;
}
const std::vector<std::string>& CppDoc() {
  static const std::vector<std::string> Doc = Document(FilesUnder(ZUBQ_SOURCE_DIR, {".cpp", ".h"}), TenMB);
  return Doc;
}

template <class T>
void Tokenizer(benchmark::State& St, const std::vector<std::string>& Lines) {
  T P(nullptr);
  ColorLines(St, P, Lines);
}

void BM_HtmlTokenizer(benchmark::State& St) { Tokenizer<Dcparser::THTMLParser>(St, HtmlDoc()); }
void BM_HtmlEditorHighlighter(benchmark::State& St) { LexLines(St, "html.xs", HtmlDoc()); }
void BM_HtmlSourceHighlight(benchmark::State& St) {
  External(St, "source-highlight", "-s html -f esc", HtmlDoc(), ".html");
}
void BM_HtmlHighlight(benchmark::State& St) { External(St, "highlight", "-S html -O ansi", HtmlDoc(), ".html"); }
void BM_HtmlPygments(benchmark::State& St) { External(St, "pygmentize", "-l html -f null", HtmlDoc(), ".html"); }
void BM_CppTokenizer(benchmark::State& St) { Tokenizer<Dcparser::TCPPParser>(St, CppDoc()); }
void BM_CppEditorHighlighter(benchmark::State& St) { LexLines(St, "c++builder.xs", CppDoc()); }
void BM_CppSourceHighlight(benchmark::State& St) {
  External(St, "source-highlight", "-s cpp -f esc", CppDoc(), ".cpp");
}
void BM_CppHighlight(benchmark::State& St) { External(St, "highlight", "-S cpp -O ansi", CppDoc(), ".cpp"); }
void BM_CppPygments(benchmark::State& St) { External(St, "pygmentize", "-l cpp -f null", CppDoc(), ".cpp"); }

BENCHMARK(BM_HtmlTokenizer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HtmlEditorHighlighter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HtmlSourceHighlight)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_HtmlHighlight)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_HtmlPygments)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_CppTokenizer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CppEditorHighlighter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CppSourceHighlight)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_CppHighlight)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_CppPygments)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The other tokenizers, each over its own real files (about 10 MB at most).
void BM_PythonTokenizer(benchmark::State& St) {
  static const auto Doc = Document(FilesUnder("/usr/lib/python3.11", {".py"}, TenMB), 0);
  Tokenizer<Dcparser::TPythonParser>(St, Doc);
}
void BM_PerlTokenizer(benchmark::State& St) {
  static const auto Doc = Document(FilesUnder("/usr/share/perl/5.36.0", {".pm"}, TenMB), 0);
  Tokenizer<Dcparser::TPerlParser>(St, Doc);
}
void BM_JavaScriptTokenizer(benchmark::State& St) {
  static const auto Doc = Document({"/usr/share/javascript/jquery/jquery.js"}, 0);
  Tokenizer<Dcparser::TJavaScriptParser>(St, Doc);
}
void BM_DelphiTokenizer(benchmark::State& St) {
  static const auto Doc = Document(FilesUnder("/usr/share/fpcsrc/3.2.2/rtl", {".pp", ".pas", ".inc"}, TenMB), 0);
  Tokenizer<Dcparser::TDelphiParser>(St, Doc);
}
void BM_DFMTokenizer(benchmark::State& St) {
  static const auto Doc = Document(FilesUnder(ZUBQ_SOURCE_DIR, {".dfm"}), 0);
  Tokenizer<Dcparser::TDFMParser>(St, Doc);
}
void BM_CTokenizer(benchmark::State& St) {
  static const auto Doc = Document(FilesUnder("/usr/include", {".h"}, TenMB), 0);
  Tokenizer<Dcparser::TCParser>(St, Doc);
}
void BM_SqlTokenizer(benchmark::State& St) {
  static const auto Doc = Document(FilesUnder(std::string(ZUBQ_SOURCE_DIR) + "/tests/codeeditor", {".sql"}), TenMB);
  Tokenizer<Dcparser::TSqlParser>(St, Doc);
}
void BM_VBScriptTokenizer(benchmark::State& St) {
  static const auto Doc = Document(FilesUnder(std::string(ZUBQ_SOURCE_DIR) + "/tests/codeeditor", {".vbs"}), TenMB);
  Tokenizer<Dcparser::TVBScriptParser>(St, Doc);
}
BENCHMARK(BM_PythonTokenizer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PerlTokenizer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JavaScriptTokenizer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DelphiTokenizer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DFMTokenizer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CTokenizer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqlTokenizer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VBScriptTokenizer)->Unit(benchmark::kMillisecond);

// Conditional code removed from every unit of the run-time library (each with its own folder and the shared
// include folders as unit paths); the bytes counted are the units' own, the include files they read come on top.
void BM_RemoveIfDefsRtl(benchmark::State& St) {
  const std::string Rtl = "/usr/share/fpcsrc/3.2.2/rtl";
  static const std::vector<std::string> Units = FilesUnder(Rtl, {".pp", ".pas"});
  const std::string Paths = Rtl + "/inc;" + Rtl + "/unix;" + Rtl + "/linux;" + Rtl + "/x86_64;" + Rtl + "/objpas;" +
                            Rtl + "/objpas/sysutils;" + Rtl + "/objpas/classes";
  if (Units.empty()) {
    St.SkipWithError("the Free Pascal sources are not installed");
    return;
  }
  int64_t Bytes = 0;
  int Failed = 0;
  for (auto _ : St) {
    Bytes = 0;
    Failed = 0;
    for (const std::string& U : Units) {
      try {
        const std::string Out = Dcparser::DCRemoveIfDefsEx(U, "FPC;UNIX;LINUX;CPUX86_64", "", Paths, true,
                                                           [](std::string&, bool& GiveUp) { GiveUp = true; });
        benchmark::DoNotOptimize(Out.data());
      } catch (const Exception&) {
        ++Failed;  // a unit with a directive error counts with what it read
      }
      Bytes += static_cast<int64_t>(fs::file_size(U));
    }
  }
  St.SetBytesProcessed(Bytes * St.iterations());
  St.counters["units"] = static_cast<double>(Units.size());
  St.counters["failed"] = Failed;
}
BENCHMARK(BM_RemoveIfDefsRtl)->Unit(benchmark::kMillisecond);
}  // namespace
