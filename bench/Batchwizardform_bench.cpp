// The batch wizard window (offscreen): a list of 10,000 targets opened (read, every row made, one sort), a column
// sort of 10,000 rows, 1,000 dropped files added, and 1,000 local pages run through the shown window beside the
// same run through a host without a window.
#include "batchwizard/Batchjob.h"
#include "batchwizard/Batchwizard.h"
#include "batchwizard/Batchwizardservices.h"
#include "batchwizard/Targetlist.h"
#include "core/Mainsetup.h"
#include "core/Parserclass.h"
#include "core/Prgclass.h"
#include "core/Validatorlib.h"
#include "support/Corpus.h"

#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

class QuietHost : public BatchWizardHost {
public:
  void WriteLogLine(int, const char*, bool) override {}
  void ShowReportFile(const char*) override {}
};

struct Setting {
  std::string Dir;
  std::unique_ptr<prgclass> Root;
  TScriptedDialogs Boxes;
  TBatchWizardServices Services;
  TBatchWizardForm* Form = nullptr;
  Setting() {
    char Template[] = "/tmp/zubwizardbench-XXXXXX";
    Dir = ::mkdtemp(Template);
    ::setenv("ZUBQ_REGISTRY_DIR", (Dir + "/registry").c_str(), 1);
    ::setenv("ZUBQ_TEMP", (Dir + "/temp").c_str(), 1);
    std::filesystem::create_directories(Dir + "/temp");
    std::filesystem::create_directories(Dir + "/report");
    (void)SetDialogService(&Boxes);
    Harness::Start();
    Root = std::make_unique<prgclass>();
    (void)InitParsers(Root->volatileState->documentTypes);  // the built-in types are all a run needs
    (void)Root->volatileState->LoadValidatorLibrary(0, 0);  // a missing engine shows as failed jobs
    batchwizclass& S = *Root->batchWizard;
    S.workingDirectory.assign((Dir + "/temp").c_str());
    S.reportFileName.assign((Dir + "/report/batchreport.html").c_str());
    S.optionFlags.set(BWF::OpenReport, false);
    S.optionFlags.set(BWF::UnsetCleanTargets, false);
    S.optionFlags.set(BWF::SizeColumns, false);
    S.targetListLimit = 5000;
    SetBatchWizardServices(&Services);
    (void)ShowBatchWizard(nullptr, BATCHWIZARD_NO_START);  // always 0
    Form = BatchWizardWindow();
    Harness::RunUntilIdle();
  }
  ~Setting() {
    delete BatchWizardWindow();
    SetBatchWizardServices(nullptr);
    delete Root->volatileState->batchTargets;
    Root->volatileState->batchTargets = nullptr;
    Root.reset();
    (void)SetDialogService(nullptr);
    std::filesystem::remove_all(Dir);
  }
  PointerArrayManager* List() { return Root->volatileState->batchTargets; }
  void Empty() {
    (void)List()->setUnchanged(1);
    Form->FileNewListClick(nullptr);
  }
};

Setting& Env() {
  static Setting S;
  return S;
}

const char* const Extensions[] = {".html", ".htm", ".css", ".shtml", ".php"};

// A list file of 10,000 file targets spread over 100 folders.
const std::string& BigList() {
  static const std::string Name = [] {
    const std::string F = Env().Dir + "/big.lst";
    std::string Out = "<ZUBBATCHWIZARDTARGETLIST>\r\nVERSION=5\r\n";
    for (int I = 0; I < 10000; ++I) {
      Out += "<TARGET>\r\nFLAGS=1073741841\r\nTARGET=" + Env().Dir + "/site/d" + std::to_string(I % 100) + "/page" +
             std::to_string(I) + Extensions[I % 5] + "\r\n</TARGET>\r\n";
    }
    Out += "</ZUBBATCHWIZARDTARGETLIST>\r\n";
    std::ofstream(F, std::ios::binary) << Out;
    return F;
  }();
  return Name;
}

void BM_OpenList10000Targets(benchmark::State& State) {
  Setting& E = Env();
  const std::string Name = BigList();
  for (auto _ : State) {
    State.PauseTiming();
    E.Empty();
    State.ResumeTiming();
    benchmark::DoNotOptimize(E.Form->OpenTargetList(nullptr, Name.c_str(), OPENLIST_NAMED));
  }
  State.counters["rows"] = E.Form->TargetListView->Items()->Count();
}
BENCHMARK(BM_OpenList10000Targets)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SortColumn10000Rows(benchmark::State& State) {
  Setting& E = Env();
  E.Empty();
  (void)E.Form->OpenTargetList(nullptr, BigList().c_str(), OPENLIST_NAMED);  // read above
  int Column = 0;
  for (auto _ : State) {
    E.Form->SortTargetListView(Column, 0);
    Column = (Column + 1) % 5;
  }
  State.counters["rows"] = E.Form->TargetListView->Items()->Count();
}
BENCHMARK(BM_SortColumn10000Rows)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_Drop1000Files(benchmark::State& State) {
  Setting& E = Env();
  std::vector<std::string> Paths;
  for (int I = 0; I < 1000; ++I) {
    const std::string P = E.Dir + "/drop/f" + std::to_string(I) + Extensions[I % 5];
    std::filesystem::create_directories(E.Dir + "/drop");
    std::ofstream(P) << "<p>x</p>";
    Paths.push_back(P);
  }
  for (auto _ : State) {
    State.PauseTiming();
    E.Empty();
    State.ResumeTiming();
    E.Form->AddDroppedPaths(Paths);
  }
  State.counters["rows"] = E.Form->TargetListView->Items()->Count();
}
BENCHMARK(BM_Drop1000Files)->Unit(benchmark::kMillisecond)->Iterations(5);

// 1,000 pages: the corpus pages copied again and again.
const std::string& PageFolder() {
  static const std::string Folder = [] {
    const std::string F = Env().Dir + "/pages";
    std::filesystem::create_directories(F);
    std::vector<std::string> Seeds;
    for (const auto& Entry : std::filesystem::directory_iterator(CorpusDir() + "html")) {
      Seeds.push_back(ReadCorpusFile("html/" + Entry.path().filename().string()));
    }
    if (Seeds.empty()) {
      Seeds.push_back("<html><head><title>t</title></head><body><p>page</p></body></html>\n");
    }
    for (int I = 0; I < 1000; ++I) {
      std::ofstream(F + "/p" + std::to_string(1000 + I) + ".html", std::ios::binary) << Seeds[I % Seeds.size()];
    }
    return F;
  }();
  return Folder;
}

void BM_Run1000PagesWindow(benchmark::State& State) {
  Setting& E = Env();
  const std::string Folder = PageFolder();
  E.Root->batchWizard->optionFlags.set(BWF::VerboseLog, State.range(0) != 0);
  for (auto _ : State) {
    State.PauseTiming();
    E.Empty();
    (void)AddTarget(E.List(), Folder.c_str(), TARGET_KIND_DIRECTORY);  // a fresh list: always added
    State.ResumeTiming();
    E.Form->FileStartProcessingClick(nullptr);
  }
}
BENCHMARK(BM_Run1000PagesWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Run1000PagesConsole(benchmark::State& State) {
  Setting& E = Env();
  const std::string Folder = PageFolder();
  E.Root->batchWizard->optionFlags.set(BWF::VerboseLog, State.range(0) != 0);
  QuietHost Host;
  for (auto _ : State) {
    State.PauseTiming();
    E.Empty();
    (void)AddTarget(E.List(), Folder.c_str(), TARGET_KIND_DIRECTORY | ADD_NO_ROW);  // as above
    State.ResumeTiming();
    benchmark::DoNotOptimize(Host.ProcessTargets(nullptr, nullptr, 0));
  }
}
BENCHMARK(BM_Run1000PagesConsole)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
