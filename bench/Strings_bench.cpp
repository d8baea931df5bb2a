// Speed of the string helpers used in every list sort and message: AnsiCompareText, Format and Pos.
#include "platform/rtl/SysUtils.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string>& Words() {
  static const std::vector<std::string> List = {"Caption", "caption", "Color", "Font", "Height", "Hint",
                                                "Left", "Name", "\xE9t\xE9", "Tag", "Top", "Visible",
                                                "Width", "OnClick", "TabOrder", "Enabled"};
  return List;
}

void BM_AnsiCompareText(benchmark::State& State) {
  const auto& W = Words();
  std::size_t I = 0;
  for (auto _ : State) {
    benchmark::DoNotOptimize(AnsiCompareText(W[I % W.size()], W[(I + 5) % W.size()]));
    ++I;
  }
}
BENCHMARK(BM_AnsiCompareText);

void BM_AnsiCompareStr(benchmark::State& State) {
  const auto& W = Words();
  std::size_t I = 0;
  for (auto _ : State) {
    benchmark::DoNotOptimize(AnsiCompareStr(W[I % W.size()], W[(I + 3) % W.size()]));
    ++I;
  }
}
BENCHMARK(BM_AnsiCompareStr);

void BM_FormatIntString(benchmark::State& State) {
  const std::string Name = "Button1";
  int N = 0;
  for (auto _ : State) {
    benchmark::DoNotOptimize(Format("%d %s", {N++, Name}));
  }
}
BENCHMARK(BM_FormatIntString);

void BM_Pos64K(benchmark::State& State) {
  std::string Text;
  while (Text.size() < 64 * 1024) {
    Text += "<p class=\"body\">The quick brown fox jumps over the lazy dog.</p>\r\n";
  }
  Text += "</html>";
  for (auto _ : State) {
    benchmark::DoNotOptimize(Pos("</html>", Text));
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) * static_cast<int64_t>(Text.size()));
}
BENCHMARK(BM_Pos64K);

}  // namespace
