// Settings load and save on an existing store, and registry writes one by one against one batch.
#include "core/Parserclass.h"
#include "core/Prgclass.h"
#include "core/Settings.h"

#include "platform/win/RegistryStore.h"
#include "platform/win/WinReg.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// A private registry and temporary folder for the process, removed at its end.
struct TBenchFolders {
  std::string Dir;
  TBenchFolders() {
    char Template[] = "/tmp/zubq-settings-bench-XXXXXX";
    Dir = mkdtemp(Template) != nullptr ? Template : "/tmp/zubq-settings-bench";
    setenv("ZUBQ_REGISTRY_DIR", (Dir + "/registry").c_str(), 1);
    setenv("ZUBQ_TEMP", (Dir + "/temp").c_str(), 1);
    std::filesystem::create_directories(Dir + "/temp");
    RegistryResetForTests();
  }
  ~TBenchFolders() { std::filesystem::remove_all(Dir); }
};

TBenchFolders& Folders() {
  static TBenchFolders F;
  return F;
}

// The root object after a first start (its store holds every setting).
prgclass& StartedRoot() {
  Folders();
  static std::unique_ptr<prgclass> Root = [] {
    auto R = std::make_unique<prgclass>();
    LoadSettings();
    InitParsers(R->volatileState->documentTypes);
    SaveSettings();
    return R;
  }();
  return *Root;
}

void BM_LoadSettingsExistingStore(benchmark::State& State) {
  StartedRoot();
  for (auto _ : State) {
    benchmark::DoNotOptimize(LoadSettings());
  }
}
BENCHMARK(BM_LoadSettingsExistingStore)->Unit(benchmark::kMillisecond);

void BM_SaveSettings(benchmark::State& State) {
  prgclass& Root = StartedRoot();
  int N = 0;
  for (auto _ : State) {
    Root.interface->mainFormLeft = ++N;  // a real change every time
    benchmark::DoNotOptimize(SaveSettings());
  }
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

void WriteValues(int Count, int Round) {
  HKEY K = 0;
  RegCreateKeyEx(HKEY_CURRENT_USER, "Bench", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &K, nullptr);
  for (int I = 0; I < Count; ++I) {
    const DWORD V = static_cast<DWORD>(Round + I);
    const std::string Name = "Value" + std::to_string(I);
    RegSetValueEx(K, Name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&V), sizeof V);
  }
  RegCloseKey(K);
}

// 250 changed values, each its own durable write of the hive.
void BM_RegistryWritesOneByOne(benchmark::State& State) {
  StartedRoot();
  int Round = 0;
  for (auto _ : State) {
    WriteValues(static_cast<int>(State.range(0)), ++Round);
  }
}
BENCHMARK(BM_RegistryWritesOneByOne)->Arg(250)->Unit(benchmark::kMillisecond);

// The same 250 values inside one batch: one durable write.
void BM_RegistryWritesBatched(benchmark::State& State) {
  StartedRoot();
  int Round = 0;
  for (auto _ : State) {
    TRegistryWriteBatch Batch;
    WriteValues(static_cast<int>(State.range(0)), ++Round);
    benchmark::DoNotOptimize(Batch.End());
  }
}
BENCHMARK(BM_RegistryWritesBatched)->Arg(250)->Unit(benchmark::kMillisecond);

}  // namespace
