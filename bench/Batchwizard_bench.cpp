// Batch runs: 1,000 local pages validated and reported beside the same engine jobs run one by one, a report of
// 100,000 messages written (validation excluded), and 100 pages of 20 KB downloaded from 127.0.0.1 through pools of
// 10 and 1, with and without a 50 ms delay per reply.
#include "batchwizard/Batchjob.h"
#include "batchwizard/Batchreports.h"
#include "batchwizard/Batchwizardhost.h"
#include "batchwizard/Httppool.h"
#include "core/Batchwizclass.h"
#include "core/Parserclass.h"
#include "core/Prgclass.h"
#include "core/Validatorlib.h"
#include "support/Corpus.h"
#include "support/SiteServer.h"

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
  Setting() {
    char Template[] = "/tmp/zubbatchbench-XXXXXX";
    Dir = ::mkdtemp(Template);
    ::setenv("ZUBQ_REGISTRY_DIR", (Dir + "/registry").c_str(), 1);
    ::setenv("ZUBQ_TEMP", (Dir + "/temp").c_str(), 1);
    std::filesystem::create_directories(Dir + "/temp");
    (void)SetDialogService(&Boxes);
    Root = std::make_unique<prgclass>();
    (void)InitParsers(Root->volatileState->documentTypes);  // the built-in types are all a run needs
    (void)Root->volatileState->LoadValidatorLibrary(0, 0);  // a missing engine shows as failed jobs
    Root->volatileState->batchTargets = new PointerArrayManager(FreeBatchTarget);
    batchwizclass& S = *Root->batchWizard;
    S.workingDirectory.assign((Dir + "/temp").c_str());
    S.optionFlags.set(BWF::OpenReport, false);
    S.optionFlags.set(BWF::UnsetCleanTargets, false);
    S.targetListLimit = 5000;
  }
  ~Setting() {
    delete Root->volatileState->batchTargets;
    Root->volatileState->batchTargets = nullptr;
    Root.reset();
    (void)SetDialogService(nullptr);
    std::filesystem::remove_all(Dir);
  }
};

Setting& Env() {
  static Setting S;
  return S;
}

// 1,000 pages: the corpus pages copied again and again.
const std::string& PageFolder() {
  static const std::string Folder = [] {
    const std::string F = Env().Dir + "/pages";
    std::filesystem::create_directories(F);
    std::vector<std::string> Seeds;
    for (const auto& E : std::filesystem::directory_iterator(CorpusDir() + "html")) {
      Seeds.push_back(ReadCorpusFile("html/" + E.path().filename().string()));
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

void BM_BatchValidate1000Pages(benchmark::State& State) {
  const std::string Folder = PageFolder();
  QuietHost Host;
  batchwizclass& S = *Env().Root->batchWizard;
  S.toolNumber = TOOL_VALIDATE;
  S.reportFileName.assign((Env().Dir + "/report/batchreport.html").c_str());
  std::filesystem::create_directories(Env().Dir + "/report");
  PointerArrayManager* List = Env().Root->volatileState->batchTargets;
  for (auto _ : State) {
    (void)List->removeAllPointers(0);                                           // the target callback never refuses
    (void)AddTarget(List, Folder.c_str(), TARGET_KIND_DIRECTORY | ADD_NO_ROW);  // a fresh list: always added
    benchmark::DoNotOptimize(Host.ProcessTargets(nullptr, nullptr, 0));
  }
}
BENCHMARK(BM_BatchValidate1000Pages)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DirectJobs1000Pages(benchmark::State& State) {
  const std::string Folder = PageFolder();
  const int Config = Env().Root->volatileState->configHandle;
  for (auto _ : State) {
    for (int I = 0; I < 1000; ++I) {
      const std::string Name = Folder + "/p" + std::to_string(1000 + I) + ".html";
      const int Job = ZUBCalls.ZUBGetNewHandle(ZUB_KIND_JOB);
      ZUBCalls.ZUBSetInteger(Job, ZUB_JOB_KIND, ZUB_JOB_VALIDATE_MARKUP);
      ZUBCalls.ZUBSetInteger(Job, ZUB_JOB_SOURCE, ZUB_SOURCE_FILE);
      ZUBCalls.ZUBSetString(Job, ZUB_JOB_NAME, Name.c_str());
      ZUBCalls.ZUBSetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_READ_FILE, 1);
      const int Result = ZUBCalls.ZUBRunJob(0, Config, Job, 0);
      benchmark::DoNotOptimize(ZUBCalls.ZUBGetIntegerEZ(Result, ZUB_RESULT_ERRORS));
      ZUBCalls.ZUBFreeHandle(Result, 0);
      ZUBCalls.ZUBFreeHandle(Job, 0);
    }
  }
}
BENCHMARK(BM_DirectJobs1000Pages)->Unit(benchmark::kMillisecond)->Iterations(3);

// The report of one page with 100,000 images without alt text: message table and page, validation excluded.
void BM_Report100000Messages(benchmark::State& State) {
  const std::string Page = Env().Dir + "/images.html";
  {
    std::ofstream F(Page, std::ios::binary);
    F << "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html><head><title>t</title></head><body><p>\n";
    for (int I = 0; I < 100000; ++I) {
      F << "<img src=\"i.png\">\n";
    }
    F << "</p></body></html>\n";
  }
  QuietHost Host;
  const int Config = Env().Root->volatileState->configHandle;
  std::int64_t Messages = 0;
  for (auto _ : State) {
    State.PauseTiming();
    BatchWizardJobClass Job(&Host);
    Job.toolNumber = TOOL_VALIDATE;
    Job.optionFlags = Env().Root->batchWizard->optionFlags;
    Job.optionFlags.set(BWF::MultiPageReport, false);
    auto* T = new batchwiztargetclass;
    T->targetText.assign(Page.c_str());
    T->setBit(TARGET_FILE | TARGET_PROCESSED, true);
    (void)Job.temporaryTargets.addPointer(T);  // one target in an empty list
    T->jobHandle = ZUBCalls.ZUBGetNewHandle(ZUB_KIND_JOB);
    ZUBCalls.ZUBSetInteger(T->jobHandle, ZUB_JOB_KIND, ZUB_JOB_VALIDATE_MARKUP);
    ZUBCalls.ZUBSetInteger(T->jobHandle, ZUB_JOB_SOURCE, ZUB_SOURCE_FILE);
    ZUBCalls.ZUBSetString(T->jobHandle, ZUB_JOB_NAME, Page.c_str());
    ZUBCalls.ZUBSetFlag(T->jobHandle, ZUB_JOB_FLAGS, ZUB_JOB_READ_FILE, 1);
    T->resultHandle = ZUBCalls.ZUBRunJob(0, Config, T->jobHandle, 0);
    Messages = ZUBCalls.ZUBGetIntegerEZ(T->resultHandle, ZUB_RESULT_MESSAGES);
    const std::string Report = Env().Dir + "/images-report.html";
    State.ResumeTiming();
    (void)WriteMessageTable(T, &Job);  // a table is written: the page has findings
    int Written = 0;
    benchmark::DoNotOptimize(
        WriteReportPage(&Job.temporaryTargets, Report.c_str(), &Written, REPORT_SINGLE_PAGE, &Job));
  }
  State.counters["messages"] = static_cast<double>(Messages);
}
BENCHMARK(BM_Report100000Messages)->Unit(benchmark::kMillisecond)->Iterations(2);

// 100 pages of 20 KB through a pool of Arg(0) clients, each reply delayed Arg(1) ms.
void BM_Download100Pages(benchmark::State& State) {
  const std::string Root = Env().Dir + "/www";
  std::filesystem::create_directories(Root);
  const std::string Body = "<html><body><p>" + std::string(20 * 1024 - 30, 'x') + "</p></body></html>\n";
  for (int I = 0; I < 100; ++I) {
    std::ofstream(Root + "/p" + std::to_string(I) + ".html", std::ios::binary) << Body;
  }
  NetTest::TSiteServer Site(Root);
  Site.SetDelayMs(static_cast<int>(State.range(1)));
  batchwizclass& S = *Env().Root->batchWizard;
  S.maxHttpRequests = static_cast<int>(State.range(0));
  QuietHost Host;
  for (auto _ : State) {
    BatchWizardJobClass Job(&Host);
    for (int I = 0; I < 100; ++I) {
      const std::string Url = Site.Url("/p" + std::to_string(I) + ".html");
      (void)AddTarget(&Job.temporaryTargets, Url.c_str(), TARGET_KIND_URL | ADD_NO_ROW);  // distinct addresses
    }
    (void)StartDownloads(&Job, &Host.abortWord, DOWNLOAD_START);  // every slot can be had
    WaitForDownloads(&Job, &Host.abortWord, DOWNLOAD_WAIT);
  }
}
BENCHMARK(BM_Download100Pages)
    ->Args({10, 0})
    ->Args({10, 50})
    ->Args({1, 50})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
