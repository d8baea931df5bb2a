// The code editor control's styled text: 10 MB of this tree's C++ coloured by the C++ tokenizer, exported as HTML
// and RTF through the control, and that RTF loaded back into a second control (runs with their fonts and colours).
#include "codeeditor/Dclanguages.h"
#include "codeeditor/Vuvudiexport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {
namespace fs = std::filesystem;
constexpr std::size_t TenMB = 10u << 20;

std::string CppText() {
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
    std::ifstream In(F, std::ios::binary);
    Seed.append(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
  }
  std::string Text = Seed;
  while (Text.size() < TenMB) {
    Text += Seed;
  }
  Text.resize(TenMB);
  return Text.substr(0, Text.rfind('\n'));
}

// One coloured control for every benchmark.
Vuvudi::ZEZMemo* Coloured() {
  static Vuvudi::ZEZMemo* Memo = [] {
    auto* M = new Vuvudi::ZEZMemo(nullptr);
    M->GetSource()->SetSyntaxParser(new Dcparser::TCPPParser(M));
    M->SetText(CppText());
    return M;
  }();
  return Memo;
}

std::string Export(bool Rtf) {
  TStringStream Out;
  if (Rtf) {
    Vuvudi::ExportToRtfStream(Coloured(), &Out);
  } else {
    Vuvudi::ExportToHtmlStream(Coloured(), &Out);
  }
  return Out.DataString();
}

// Goals: HTML under 400 ms, RTF under 600 ms.
void BM_ControlExportHtml(benchmark::State& St) {
  (void)Coloured();
  std::size_t Size = 0;
  for (auto _ : St) {
    Size = Export(false).size();
  }
  St.counters["output_MB"] = static_cast<double>(Size) / 1e6;
  St.SetBytesProcessed(static_cast<int64_t>(TenMB) * St.iterations());
}

void BM_ControlExportRtf(benchmark::State& St) {
  (void)Coloured();
  std::size_t Size = 0;
  for (auto _ : St) {
    Size = Export(true).size();
  }
  St.counters["output_MB"] = static_cast<double>(Size) / 1e6;
  St.SetBytesProcessed(static_cast<int64_t>(TenMB) * St.iterations());
}

// Goal: under 3 s.
void BM_ControlLoadFromRtf(benchmark::State& St) {
  const std::string Rtf = Export(true);
  for (auto _ : St) {
    Vuvudi::ZEZMemo Target(nullptr);
    TStringStream In(Rtf);
    Vuvudi::LoadFromRtfStream(&Target, &In);
    benchmark::DoNotOptimize(Target.GetLines()->Count());
  }
  St.counters["rtf_MB"] = static_cast<double>(Rtf.size()) / 1e6;
  St.SetBytesProcessed(static_cast<int64_t>(Rtf.size()) * St.iterations());
}
}  // namespace

BENCHMARK(BM_ControlExportHtml)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ControlExportRtf)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ControlLoadFromRtf)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
