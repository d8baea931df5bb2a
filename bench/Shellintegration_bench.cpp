// Shell integration: the associations added and removed over a private registry, desktop entry folder and a
// user's association list of 200 foreign lines.
#include "core/Prgclass.h"
#include "core/Shellintegration.h"

#include "platform/win/DesktopFiles.h"
#include "platform/win/DialogService.h"
#include "platform/win/MessageBox.h"
#include "platform/win/RegistryStore.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

struct TBenchFolders {
  std::string Dir;
  TBenchFolders() {
    char Template[] = "/tmp/zubq-shell-bench-XXXXXX";
    Dir = mkdtemp(Template) != nullptr ? Template : "/tmp/zubq-shell-bench";
    setenv("ZUBQ_REGISTRY_DIR", (Dir + "/registry").c_str(), 1);
    setenv("XDG_DATA_HOME", (Dir + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (Dir + "/config").c_str(), 1);
    RegistryResetForTests();
    std::string List = "[Default Applications]\n";
    for (int I = 0; I < 100; ++I) {
      List += "application/x-type" + std::to_string(I) + "=viewer" + std::to_string(I) + ".desktop\n";
    }
    List += "\n[Added Associations]\n";
    for (int I = 0; I < 98; ++I) {
      List += "text/x-kind" + std::to_string(I) + "=editor" + std::to_string(I) + ".desktop;\n";
    }
    WriteTextFileAtomic(Dir + "/config/mimeapps.list", List);
  }
  ~TBenchFolders() { std::filesystem::remove_all(Dir); }
};

void BM_AssociationsAddedAndRemoved(benchmark::State& State) {
  TBenchFolders Folders;
  TScriptedDialogs Dialogs;
  TScopedDialogService Use(Dialogs);
  const bool Add = State.range(0) != 0;
  for (auto _ : State) {
    if (!Add) {
      State.PauseTiming();
      Dialogs.QueueAnswer(IDYES);
      benchmark::DoNotOptimize(AddFileAssociations(0, 0, 0));
      State.ResumeTiming();
      benchmark::DoNotOptimize(RemoveFileAssociations(0, 0));
    } else {
      Dialogs.QueueAnswer(IDYES);
      benchmark::DoNotOptimize(AddFileAssociations(0, 0, 0));
      State.PauseTiming();
      benchmark::DoNotOptimize(RemoveFileAssociations(0, 0));
      State.ResumeTiming();
    }
  }
}
BENCHMARK(BM_AssociationsAddedAndRemoved)->Arg(1)->Arg(0)->ArgName("add")->Unit(benchmark::kMillisecond);

}  // namespace
