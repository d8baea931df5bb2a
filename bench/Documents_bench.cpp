// Opening and saving a 60 MB document beside a plain read and write of the same file (with the same flush), and
// validating an 8 MB real page through a document beside a direct engine job on the same lines.
#include "core/Enginejobs.h"
#include "core/Fileinfoclass.h"
#include "core/Prgclass.h"
#include "core/Validatorlib.h"

#include "editor/Easyeditsource.h"
#include "platform/classes/StringList.h"
#include "support/Corpus.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Setting {
  std::string Dir;
  std::unique_ptr<prgclass> Root;
  Setting() {
    char Template[] = "/tmp/zubdocbench-XXXXXX";
    Dir = ::mkdtemp(Template);
    ::setenv("ZUBQ_REGISTRY_DIR", (Dir + "/registry").c_str(), 1);
    Root = std::make_unique<prgclass>();
    if (Root->volatileState->LoadValidatorLibrary(0, 0) != ENGINELOAD_DONE) {
      std::fprintf(stderr, "the validator engine could not be loaded\n");
      std::exit(1);
    }
    // The engine starts its checker worker with the first job: start it before anything is timed.
    const int Job = ZUBCalls.ZUBGetNewHandle(ZUB_KIND_JOB);
    ZUBCalls.ZUBSetInteger(Job, ZUB_JOB_KIND, ZUB_JOB_VALIDATE_MARKUP);
    ZUBCalls.ZUBSetString(Job, ZUB_JOB_LINE, "<p>warm</p>");
    const int Result = ZUBCalls.ZUBRunJob(0, Root->volatileState->configHandle, Job, 0);
    ZUBCalls.ZUBFreeHandle(Result, 0);
    ZUBCalls.ZUBFreeHandle(Job, 0);
  }
  ~Setting() {
    Root.reset();
    std::filesystem::remove_all(Dir);
  }
};

Setting& Env() {
  static Setting S;
  return S;
}

// A 60 MB page of ordinary markup lines.
const std::string& BigFile() {
  static const std::string Path = [] {
    const std::string P = Env().Dir + "/big.html";
    std::ofstream F(P, std::ios::binary);
    const std::string Line = "<p class=\"x\">Ordinary running text of a long document, line after line.</p>\r\n";
    for (std::size_t Size = 0; Size < 60u * 1024 * 1024; Size += Line.size()) {
      F << Line;
    }
    return P;
  }();
  return Path;
}

void BM_OpenAndSaveDocument(benchmark::State& State) {
  const std::string& In = BigFile();
  const std::string Out = Env().Dir + "/saved.html";
  for (auto _ : State) {
    fileinfoclass Doc(nullptr, nullptr);
    if (Doc.LoadFromFile(In.c_str(), 1) != 0 || Doc.SaveToFile(Out.c_str(), 0) != 0) {
      State.SkipWithError("load or save failed");
      break;
    }
  }
  State.SetBytesProcessed(State.iterations() * static_cast<int64_t>(std::filesystem::file_size(In)));
}
BENCHMARK(BM_OpenAndSaveDocument)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PlainReadAndWrite(benchmark::State& State) {
  const std::string& In = BigFile();
  const std::string Out = Env().Dir + "/plain.html";
  for (auto _ : State) {
    std::ifstream F(In, std::ios::binary);
    std::stringstream S;
    S << F.rdbuf();
    const std::string Text = S.str();
    const std::string Temp = Out + ".tmp";
    const int Fd = ::open(Temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const char* P = Text.data();
    std::size_t Left = Text.size();
    while (Left > 0) {
      const ssize_t N = ::write(Fd, P, Left);
      if (N <= 0) {
        break;
      }
      P += N;
      Left -= static_cast<std::size_t>(N);
    }
    ::fsync(Fd);
    ::close(Fd);
    ::rename(Temp.c_str(), Out.c_str());
  }
  State.SetBytesProcessed(State.iterations() * static_cast<int64_t>(std::filesystem::file_size(In)));
}
BENCHMARK(BM_PlainReadAndWrite)->Unit(benchmark::kMillisecond)->Iterations(5);

// About 8 MB: the head of a real page, its body repeated, and its end.
const std::vector<std::string>& PageLines() {
  static const std::vector<std::string> Lines = [] {
    std::ifstream F(CorpusDir() + "html/valgrind-cg-manual.html");
    std::vector<std::string> All;
    std::string L;
    while (std::getline(F, L)) {
      if (!L.empty() && L.back() == '\r') {
        L.pop_back();
      }
      All.push_back(L);
    }
    std::size_t BodyStart = 0;
    std::size_t BodyEnd = All.size();
    for (std::size_t I = 0; I < All.size(); ++I) {
      if (BodyStart == 0 && All[I].find("<body") != std::string::npos) {
        BodyStart = I + 1;
      }
      if (All[I].find("</body>") != std::string::npos) {
        BodyEnd = I;
      }
    }
    std::vector<std::string> Out(All.begin(), All.begin() + static_cast<long>(BodyStart));
    std::size_t Size = 0;
    while (Size < 8u * 1024 * 1024 && BodyEnd > BodyStart) {
      for (std::size_t I = BodyStart; I < BodyEnd; ++I) {
        Out.push_back(All[I]);
        Size += All[I].size() + 1;
      }
    }
    Out.insert(Out.end(), All.begin() + static_cast<long>(BodyEnd), All.end());
    return Out;
  }();
  return Lines;
}

void BM_ValidateDocument(benchmark::State& State) {
  Env();
  fileinfoclass Doc(nullptr, nullptr);
  Doc.name = "/bench/page.html";
  TStringList L;
  for (const auto& S : PageLines()) {
    L.Add(S);
  }
  Doc.text->SetStrings(&L);
  Doc.UpdateDocumentType(0);  // an open document has its highlighter before it is validated
  for (auto _ : State) {
    const int Code = Doc.Validate(VALIDATE_LAST_CONFIGURATION, VALIDATE_QUIET);
    if (Code != 0) {
      State.SkipWithError(("validation failed: " + std::to_string(Code)).c_str());
      break;
    }
  }
}

void BM_DirectEngineJob(benchmark::State& State) {
  const int Config = Env().Root->volatileState->configHandle;
  for (auto _ : State) {
    const int Job = ZUBCalls.ZUBGetNewHandle(ZUB_KIND_JOB);
    ZUBCalls.ZUBSetInteger(Job, ZUB_JOB_KIND, ZUB_JOB_VALIDATE_MARKUP);
    ZUBCalls.ZUBSetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATION, 1);
    ZUBCalls.ZUBSetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATION2, 1);
    ZUBCalls.ZUBSetInteger(Job, ZUB_JOB_TEXT_START, 0);
    for (const auto& S : PageLines()) {
      ZUBCalls.ZUBSetString(Job, ZUB_JOB_LINE, S.c_str());
    }
    ZUBCalls.ZUBSetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_TEXT_HANDED_OVER, 1);
    ZUBCalls.ZUBSetString(Job, ZUB_JOB_NAME, "/bench/page.html");
    const int Result = ZUBCalls.ZUBRunJob(0, Config, Job, 0);
    if (Result < 0) {
      State.SkipWithError("job failed");
      break;
    }
    ZUBCalls.ZUBFreeHandle(Result, 0);
    ZUBCalls.ZUBFreeHandle(Job, 0);
  }
}
BENCHMARK(BM_DirectEngineJob)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ValidateDocument)->Unit(benchmark::kMillisecond)->Iterations(5);

// The program's own part alone: handing the document's lines to a job and adopting a result.
void BM_HandOverAndAdopt(benchmark::State& State) {
  Env();
  fileinfoclass Doc(nullptr, nullptr);
  TStringList L;
  for (const auto& S : PageLines()) {
    L.Add(S);
  }
  Doc.text->SetStrings(&L);
  Doc.UpdateDocumentType(0);
  const int Config = Env().Root->volatileState->configHandle;
  for (auto _ : State) {
    const int Job = ZUBCalls.ZUBGetNewHandle(ZUB_KIND_JOB);
    ZUBCalls.ZUBSetInteger(Job, ZUB_JOB_KIND, ZUB_JOB_VALIDATE_MARKUP);
    if (Doc.SendTextToJob(Job) != SENDTEXT_DONE) {
      State.SkipWithError("the text could not be handed to the engine");
      break;
    }
    State.PauseTiming();
    const int Result = ZUBCalls.ZUBRunJob(0, Config, Job, 0);
    State.ResumeTiming();
    ZUBCalls.ZUBFreeHandle(Job, 0);
    if (Doc.SetResultHandle(Result, RESULT_ADOPT) != RESULT_HANDLE_SET) {
      State.SkipWithError("the engine gave no result");
      break;
    }
    State.counters["structure_lines"] = ZUBCalls.ZUBGetIntegerEZ(Result, ZUB_RESULT_STRUCTURE_LINES);
  }
}
BENCHMARK(BM_HandOverAndAdopt)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
