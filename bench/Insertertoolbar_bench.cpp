// The first show of the CSS inserter: its shipped file read (166 items), the toolbar built in the main form's dock
// and placed.
#include "core/Inserterclass.h"
#include "core/Mainwindowservices.h"
#include "core/Prgclass.h"
#include "core/Settings.h"

#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/RegistryStore.h"
#include "toolbars/Tb2dock.h"
#include "toolbars/Tb2dockpositions.h"
#include "toolbars/Tb2toolbar.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

const char PositionsKey[] = "Software\\Palvane\\ZUB Quillon v4\\Editor\\Interface";

class BenchMainWindow : public MainWindowServices {
public:
  TForm* Form = nullptr;
  TForm* MainForm() override { return Form; }
  void SaveToolbarPositions() override { TBRegSavePositions(Form, HKEY_CURRENT_USER, PositionsKey); }
  void LoadToolbarPositions() override { TBRegLoadPositions(Form, HKEY_CURRENT_USER, PositionsKey); }
};

void BM_FirstShowOfTheCssInserter(benchmark::State& State) {
  char Template[] = "/tmp/zubq-inserter-bench-XXXXXX";
  const std::string Dir = mkdtemp(Template) != nullptr ? Template : "/tmp/zubq-inserter-bench";
  setenv("ZUBQ_REGISTRY_DIR", (Dir + "/registry").c_str(), 1);
  setenv("ZUBQ_TEMP", (Dir + "/temp").c_str(), 1);
  std::filesystem::create_directories(Dir + "/temp");
  RegistryResetForTests();
  Harness::Start();
  BenchMainWindow Window;
  SetMainWindowServices(&Window);
  auto* Main = new TForm(Application);
  Main->AfterConstruction();
  Main->SetBounds(0, 0, 800, 600);
  auto* Dock = new TTBDock(Main);
  Dock->AfterConstruction();
  Dock->SetName("EditorMenuBarDock");
  Dock->SetParent(Main);
  Main->Show();
  Window.Form = Main;
  auto Root = std::make_unique<prgclass>();
  LoadSettings();
  auto* Css = static_cast<inserterclass*>(Root->volatileState->inserters->getPointer(1));
  Css->configFile.assign((std::string(ZUBQ_SOURCE_DIR) + "/data/cssinsertercfg.txt").c_str());
  int Items = 0;
  for (auto _ : State) {
    benchmark::DoNotOptimize(Css->UpdateToolbar(INSERTER_TOOLBAR_SHOW));
    State.PauseTiming();
    Items = Css->items->getCount();
    benchmark::DoNotOptimize(Css->UpdateToolbar(INSERTERS_DESTROY));
    delete Css->items;
    Css->items = nullptr;
    State.ResumeTiming();
  }
  State.counters["items"] = Items;
  Root.reset();
  delete Main;
  SetMainWindowServices(nullptr);
  std::filesystem::remove_all(Dir);
}
BENCHMARK(BM_FirstShowOfTheCssInserter)->Unit(benchmark::kMillisecond);

}  // namespace
