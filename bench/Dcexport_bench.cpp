// Speed of styled export and import: this tree's C++ sources repeated to 10 MB and coloured by the C++ tokenizer,
// written as HTML and as RTF (with the peak memory of the RTF export beside its output size), the RTF read back by
// the importer and converted to HTML. pygmentize, highlight and source-highlight, when installed, write HTML of
// the same file for comparison.
#include "codeeditor/Dcexport.h"
#include "codeeditor/Dclanguages.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {
namespace fs = std::filesystem;
using namespace Dcexport;
constexpr std::size_t TenMB = 10u << 20;

std::string ReadAll(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
}

struct TColoredDoc {
  std::vector<std::string> Lines;
  std::vector<std::string> Colors;  // one token code per character
  std::size_t Bytes = 0;
};

const TColoredDoc& CppDoc() {
  static const TColoredDoc Doc = [] {
    TColoredDoc D;
    std::vector<std::string> Files;
    for (const char* Dir : {"codeeditor", "editor", "platform/classes"}) {
      for (const auto& E : fs::recursive_directory_iterator(std::string(ZUBQ_SOURCE_DIR) + "/" + Dir)) {
        if (E.path().extension() == ".cpp" || E.path().extension() == ".h") {
          Files.push_back(E.path().string());
        }
      }
    }
    std::sort(Files.begin(), Files.end());
    std::string Seed;
    for (const auto& F : Files) {
      Seed += ReadAll(F);
    }
    std::string Text = Seed;
    while (Text.size() < TenMB) {
      Text += Seed;
    }
    std::size_t Pos = 0;
    while (Pos < Text.size()) {
      std::size_t End = Text.find('\n', Pos);
      if (End == std::string::npos) {
        End = Text.size();
      }
      D.Lines.push_back(Text.substr(Pos, End - Pos - (End > Pos && Text[End - 1] == '\r' ? 1 : 0)));
      Pos = End + 1;
    }
    Dcparser::TCPPParser P(nullptr);
    Integer State = 0;
    D.Colors.resize(D.Lines.size());
    for (std::size_t I = 0; I < D.Lines.size(); ++I) {
      D.Colors[I].assign(D.Lines[I].size(), '\0');
      State = P.ColorString(D.Lines[I], State, D.Colors[I]);
      D.Bytes += D.Lines[I].size() + 1;
    }
    return D;
  }();
  return Doc;
}

// Writes the document as its editor would: a run per token kind with the kind's colour and style.
void ExportDoc(IDCExporter& E, const TColoredDoc& D) {
  E.StartDocument("bench.cpp");
  for (std::size_t L = 0; L < D.Lines.size(); ++L) {
    if (L > 0) {
      E.NewLine();
    }
    const std::string& S = D.Lines[L];
    const std::string& C = D.Colors[L];
    std::size_t I = 0;
    while (I < S.size()) {
      std::size_t J = I + 1;
      while (J < S.size() && C[J] == C[I]) {
        ++J;
      }
      const std::string Text = E.TranslateString(S.substr(I, J - I));
      switch (C[I]) {
        case Dcparser::tokResWord:
          E.StartColor(0xFF0000);
          E.StartBold();
          E.WriteString(Text);
          E.FinishBold();
          E.FinishColor();
          break;
        case Dcparser::tokComment:
          E.StartColor(0x808080);
          E.StartItalic();
          E.WriteString(Text);
          E.FinishItalic();
          E.FinishColor();
          break;
        case Dcparser::tokString:
          E.StartColor(0x000080);
          E.WriteString(Text);
          E.FinishColor();
          break;
        default: E.WriteString(Text);
      }
      I = J;
    }
  }
  E.FinishDocument();
}

std::size_t PeakRss() {
  std::ifstream In("/proc/self/status");
  std::string Line;
  while (std::getline(In, Line)) {
    if (Line.rfind("VmHWM:", 0) == 0) {
      return std::strtoull(Line.c_str() + 6, nullptr, 10) * 1024;
    }
  }
  return 0;
}
std::size_t CurrentRss() {
  std::ifstream In("/proc/self/status");
  std::string Line;
  while (std::getline(In, Line)) {
    if (Line.rfind("VmRSS:", 0) == 0) {
      return std::strtoull(Line.c_str() + 6, nullptr, 10) * 1024;
    }
  }
  return 0;
}

const std::string& RtfOutput() {
  static const std::string Out = [] {
    TStringStream S;
    TDCRTFExporter E(&S);
    ExportDoc(E, CppDoc());
    return S.DataString();
  }();
  return Out;
}

// Runs first so that the process's peak covers this export alone (over the document already in memory).
void BM_ExportRtf(benchmark::State& St) {
  const TColoredDoc& D = CppDoc();
  std::size_t Output = 0;
  double PeakRatio = 0;
  for (auto _ : St) {
    const std::size_t Before = CurrentRss();
    {
      TStringStream S;
      TDCRTFExporter E(&S);
      ExportDoc(E, D);
      Output = S.DataString().size();
    }
    const std::size_t Peak = PeakRss();
    PeakRatio =
        std::max(PeakRatio, Peak > Before ? static_cast<double>(Peak - Before) / static_cast<double>(Output) : 0.0);
  }
  St.counters["output_MB"] = static_cast<double>(Output) / 1e6;
  St.counters["peak_over_output"] = PeakRatio;
  St.SetBytesProcessed(static_cast<int64_t>(D.Bytes) * St.iterations());
}

void BM_ExportHtml(benchmark::State& St) {
  const TColoredDoc& D = CppDoc();
  std::size_t Output = 0;
  for (auto _ : St) {
    TStringStream S;
    TDCHTMLExporter E(&S);
    ExportDoc(E, D);
    Output = S.DataString().size();
  }
  St.counters["output_MB"] = static_cast<double>(Output) / 1e6;
  St.SetBytesProcessed(static_cast<int64_t>(D.Bytes) * St.iterations());
}

void BM_ImportRtf(benchmark::State& St) {
  const std::string& Rtf = RtfOutput();
  std::size_t Runs = 0;
  for (auto _ : St) {
    ZEZRtfImporter I;
    std::string Text;
    I.OnParseText = [&](TObject*, const std::string& S, TFont*, TColor) {
      Text += S;
      ++Runs;
    };
    I.ParseText(Rtf);
    benchmark::DoNotOptimize(Text.data());
  }
  St.counters["runs"] = static_cast<double>(Runs) / static_cast<double>(St.iterations());
  St.SetBytesProcessed(static_cast<int64_t>(Rtf.size()) * St.iterations());
}

void BM_RtfToHtml(benchmark::State& St) {
  const std::string& Rtf = RtfOutput();
  for (auto _ : St) {
    benchmark::DoNotOptimize(RtfToHtml(Rtf).size());
  }
  St.SetBytesProcessed(static_cast<int64_t>(Rtf.size()) * St.iterations());
}

void External(benchmark::State& St, const std::string& Tool, const std::string& Args) {
  if (std::system(("command -v " + Tool + " >/dev/null 2>&1").c_str()) != 0) {
    St.SkipWithError((Tool + " is not installed").c_str());
    return;
  }
  const std::string Name = (fs::temp_directory_path() / "zubq-dcexport-bench.cpp").string();
  {
    std::ofstream Out(Name, std::ios::binary);
    for (const std::string& L : CppDoc().Lines) {
      Out << L << '\n';
    }
  }
  const std::string Command = Tool + " " + Args + " < " + Name + " > /dev/null 2>&1";
  for (auto _ : St) {
    benchmark::DoNotOptimize(std::system(Command.c_str()));
  }
  St.SetBytesProcessed(static_cast<int64_t>(CppDoc().Bytes) * St.iterations());
  fs::remove(Name);
}
void BM_HtmlPygments(benchmark::State& St) { External(St, "pygmentize", "-l cpp -f html"); }
void BM_HtmlHighlight(benchmark::State& St) { External(St, "highlight", "-S cpp -O html"); }
void BM_HtmlSourceHighlight(benchmark::State& St) { External(St, "source-highlight", "-s cpp -f html"); }
}  // namespace

BENCHMARK(BM_ExportRtf)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExportHtml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportRtf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RtfToHtml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HtmlPygments)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HtmlHighlight)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HtmlSourceHighlight)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
