// A drop of 100 files of 10 KB on the drag-and-drop window with the tool option on, the tool running in the
// loaded engine.
#include "core/Dragdropwindow.h"
#include "core/Enginejobs.h"
#include "core/Prgclass.h"

#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"
#include "platform/win/RegistryStore.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

void BM_DropOfAHundredFilesWithTheTool(benchmark::State& State) {
  char Template[] = "/tmp/zubq-drop-bench-XXXXXX";
  const std::string Dir = mkdtemp(Template) != nullptr ? Template : "/tmp/zubq-drop-bench";
  setenv("ZUBQ_REGISTRY_DIR", (Dir + "/registry").c_str(), 1);
  setenv("ZUBQ_TEMP", (Dir + "/temp").c_str(), 1);
  std::filesystem::create_directories(Dir + "/temp");
  RegistryResetForTests();
  Harness::Start();
  TScriptedDialogs Dialogs;
  TScopedDialogService Use(Dialogs);
  auto Root = std::make_unique<prgclass>();
  if (Root->volatileState->LoadValidatorLibrary(0, 0) != 0) {
    State.SkipWithError("the engine library could not be loaded");
    return;
  }
  Root->editorOptions->flags.set(EOF40::ToolOnDropped, true);
  Root->editorOptions->flags.set(EOF40::ValidateDropped, false);
  Root->tools->flags.set(TF40::ShowToolDialog, false);
  std::string Text;
  while (Text.size() < 10240) {
    Text += "<P CLASS=\"Note\">Some text of the page, in capitals and not.</P>\n";
  }
  std::vector<std::string> Files;
  for (int I = 0; I < 100; ++I) {
    Files.push_back(Dir + "/page" + std::to_string(I) + ".html");
    std::ofstream(Files.back()) << Text.substr(0, 10240);
  }
  auto* Form = new TDragDropForm(Application);
  Form->AfterConstruction();
  Form->Show();
  Harness::RunUntilIdle();
  for (auto _ : State) {
    Harness::DropFiles(Form->Handle(), {10, 10}, Files);
    Harness::RunUntilIdle();
  }
  // Every file ran without a failure message.
  State.counters["messages"] = static_cast<double>(Dialogs.Shown().size());
  delete Form;
  Root.reset();
  std::filesystem::remove_all(Dir);
}
BENCHMARK(BM_DropOfAHundredFilesWithTheTool)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
