// Loading and saving a large document through the editor's text store, beside a plain read of the file
// into memory and a plain write of the same bytes.
#include "editor/Easyeditsource.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

// The corpus pages repeated to about 73 MB, written once to a temporary file.
const std::string& DocumentFile() {
  static const std::string Name = [] {
    std::string Seed;
    for (const char* F : {"html/rust-std-String.html", "html/node-addons.html", "css/rustdoc.css"}) {
      std::ifstream In(std::string("/work/shared/corpus/") + F, std::ios::binary);
      std::stringstream S;
      S << In.rdbuf();
      Seed += S.str();
    }
    if (Seed.empty()) {
      Seed = "<p class=\"line\">The quick brown fox and the lazy dog</p>\r\n";
    }
    std::string Text;
    while (Text.size() < (73u << 20)) {
      Text += Seed;
    }
    char Path[] = "/tmp/zubq_store_XXXXXX";
    const int Fd = mkstemp(Path);
    if (Fd >= 0) {
      close(Fd);
    }
    std::ofstream Out(Path, std::ios::binary);
    Out.write(Text.data(), static_cast<std::streamsize>(Text.size()));
    return std::string(Path);
  }();
  return Name;
}

std::string PlainRead(const std::string& Name) {
  std::string Data;
  if (FILE* F = std::fopen(Name.c_str(), "rb")) {
    std::fseek(F, 0, SEEK_END);
    Data.resize(static_cast<std::size_t>(std::ftell(F)));
    std::fseek(F, 0, SEEK_SET);
    const std::size_t Got = std::fread(Data.data(), 1, Data.size(), F);
    Data.resize(Got);
    std::fclose(F);
  }
  return Data;
}

void BM_PlainRead(benchmark::State& State) {
  for (auto _ : State) {
    benchmark::DoNotOptimize(PlainRead(DocumentFile()).size());
  }
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StoreLoad(benchmark::State& State) {
  for (auto _ : State) {
    std::unique_ptr<TEasyEditSource> Source(new TEasyEditSource(nullptr));
    Source->LoadFromFile(DocumentFile());
    benchmark::DoNotOptimize(Source->Strings()->Count());
    State.PauseTiming();
    Source.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_StoreLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainWrite(benchmark::State& State) {
  const std::string Data = PlainRead(DocumentFile());
  const std::string Out = DocumentFile() + ".out";
  for (auto _ : State) {
    if (FILE* F = std::fopen(Out.c_str(), "wb")) {
      std::fwrite(Data.data(), 1, Data.size(), F);
      std::fclose(F);
    }
  }
  std::remove(Out.c_str());
}
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StoreSave(benchmark::State& State) {
  std::unique_ptr<TEasyEditSource> Source(new TEasyEditSource(nullptr));
  Source->LoadFromFile(DocumentFile());
  const std::string Out = DocumentFile() + ".out";
  for (auto _ : State) {
    Source->SaveToFile(Out);
  }
  std::remove(Out.c_str());
}
BENCHMARK(BM_StoreSave)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
