// Validating pages through the engine's entry points (a generated 1 MB page, a small page for the cost of a job,
// real pages of 66 KB, 1 MB and 8 MB) beside the same steps of the HTML checker library called directly (same
// options, messages collected), so the engine's own share shows.
#include "engine/ZubValidator.h"

#include "platform/win/Modules.h"
#include "support/Corpus.h"

#include <benchmark/benchmark.h>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-qualifiers"
#include <tidy.h>
#include <tidybuffio.h>
#pragma GCC diagnostic pop

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

// About 1 MB of ordinary markup with a sprinkling of faults (an unknown element, a missing alt, an entity).
const std::vector<std::string>& PageLines() {
  static const std::vector<std::string> Lines = [] {
    std::vector<std::string> L = {"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">", "<html>", "<head>",
                                  "<title>Generated page</title>",
                                  "<style type=\"text/css\">p { color: #333; margin: 0 1em; }</style>", "</head>",
                                  "<body>"};
    std::size_t Size = 0;
    for (int I = 0; Size < 1024 * 1024; ++I) {
      std::string Line;
      switch (I % 8) {
        case 0: Line = "<h2 id=\"s" + std::to_string(I) + "\">Section " + std::to_string(I) + "</h2>"; break;
        case 1: Line = "<p class=\"intro\">Some text with <a href=\"page" + std::to_string(I) + ".html\">a link</a> and <b>bold</b> words.</p>"; break;
        case 2: Line = "<ul><li>One item</li><li>Another item with <em>emphasis</em></li></ul>"; break;
        case 3: Line = "<table><tr><td>Cell</td><td style=\"width: 10px\">Cell two</td></tr></table>"; break;
        case 4: Line = "<p>An image <img src=\"pic" + std::to_string(I) + ".png\"> without alt text.</p>"; break;
        case 5: Line = "<div><span>Nested</span> text &amp; more &copy; text</div>"; break;
        case 6: Line = "<p>Plain paragraph of ordinary running text that goes on for a while.</p>"; break;
        default: Line = "<p><foo>unknown element</foo> &bad; entity</p>"; break;
      }
      Size += Line.size() + 1;
      L.push_back(std::move(Line));
    }
    L.push_back("</body>");
    L.push_back("</html>");
    return L;
  }();
  return Lines;
}

struct TEngine {
  ZUBGetNewHandle_t GetNewHandle;
  ZUBSetInteger_t SetInteger;
  ZUBSetString_t SetString;
  ZUBSetFlag_t SetFlag;
  ZUBRunJob_t RunJob;
  ZUBFreeHandle_t FreeHandle;
  ZUBGetIntegerEZ_t GetIntegerEZ;
  ZUBHTMLConfiguration_t Configuration;
  ZUBInt Config = -1;
};

const TEngine& Engine() {
  static const TEngine E = [] {
    const std::string Folder = std::filesystem::temp_directory_path() / "zubengine-bench";
    setenv("ZUBQ_REGISTRY_DIR", Folder.c_str(), 1);
    HMODULE M = LoadLibrary("zubvalidatorV60.dll");
    TEngine T{};
    if (!M) return T;
    T.GetNewHandle = reinterpret_cast<ZUBGetNewHandle_t>(GetProcAddress(M, "ZUBGetNewHandle"));
    T.SetInteger = reinterpret_cast<ZUBSetInteger_t>(GetProcAddress(M, "ZUBSetInteger"));
    T.SetString = reinterpret_cast<ZUBSetString_t>(GetProcAddress(M, "ZUBSetString"));
    T.SetFlag = reinterpret_cast<ZUBSetFlag_t>(GetProcAddress(M, "ZUBSetFlag"));
    T.RunJob = reinterpret_cast<ZUBRunJob_t>(GetProcAddress(M, "ZUBRunJob"));
    T.FreeHandle = reinterpret_cast<ZUBFreeHandle_t>(GetProcAddress(M, "ZUBFreeHandle"));
    T.GetIntegerEZ = reinterpret_cast<ZUBGetIntegerEZ_t>(GetProcAddress(M, "ZUBGetIntegerEZ"));
    T.Configuration = reinterpret_cast<ZUBHTMLConfiguration_t>(GetProcAddress(M, "ZUBHTMLConfiguration"));
    T.Config = T.GetNewHandle(ZUB_KIND_CONFIGURATION);
    T.Configuration(0, T.Config, 1);
    return T;
  }();
  return E;
}

// One validation job over Lines, as the program runs it; the number of messages.
ZUBInt ValidateOnce(const TEngine& E, const std::vector<std::string>& Lines) {
  const ZUBInt Job = E.GetNewHandle(ZUB_KIND_JOB);
  E.SetInteger(Job, ZUB_JOB_KIND, ZUB_JOB_VALIDATE_MARKUP);
  E.SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATION, 1);
  E.SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATION2, 1);
  E.SetInteger(Job, ZUB_JOB_TEXT_START, 0);
  for (const std::string& L : Lines) {
    E.SetString(Job, ZUB_JOB_LINE, L.c_str());
  }
  E.SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_TEXT_HANDED_OVER, 1);
  E.SetString(Job, ZUB_JOB_NAME, "generated.html");
  const ZUBInt R = E.RunJob(0, E.Config, Job, 0);
  const ZUBInt Count = E.GetIntegerEZ(R, ZUB_RESULT_MESSAGES);
  E.FreeHandle(R, 0);
  E.FreeHandle(Job, 0);
  return Count;
}

// The HTML checker runs in a worker process: wall-clock time is what the user waits for.
void BM_ValidateThroughEntryPoints(benchmark::State& State) {
  const TEngine& E = Engine();
  if (E.Config < 0) {
    State.SkipWithError("the engine did not load");
    return;
  }
  const auto& Lines = PageLines();
  ValidateOnce(E, Lines);  // the worker started and its memory in use, as in a program that has validated before
  for (auto _ : State) {
    benchmark::DoNotOptimize(ValidateOnce(E, Lines));
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) * 1024 * 1024);
}
BENCHMARK(BM_ValidateThroughEntryPoints)->Unit(benchmark::kMillisecond)->UseRealTime();

// A small page: the cost of a job itself (hand-over, the worker's round trip, the result handle).
void BM_ValidateSmallPageThroughEntryPoints(benchmark::State& State) {
  const TEngine& E = Engine();
  if (E.Config < 0) {
    State.SkipWithError("the engine did not load");
    return;
  }
  const std::vector<std::string> Lines(PageLines().begin(), PageLines().begin() + 20);
  for (auto _ : State) {
    benchmark::DoNotOptimize(ValidateOnce(E, Lines));
  }
}
BENCHMARK(BM_ValidateSmallPageThroughEntryPoints)->Unit(benchmark::kMicrosecond)->UseRealTime();

struct TCollected {
  int Line, Column;
  std::string Text;
};

Bool TIDY_CALL Collect(TidyMessage M) {
  auto* Out = static_cast<std::vector<TCollected>*>(tidyGetAppData(tidyGetMessageDoc(M)));
  if (tidyGetMessageLevel(M) < TidyDialogueSummary) {
    Out->push_back({tidyGetMessageLine(M), tidyGetMessageColumn(M), tidyGetMessage(M)});
  }
  return no;
}

// The checker library's own steps, as its command line runs them for "-e" and as the engine's worker runs them
// (parse, repair, diagnostics), with the engine's options and the messages collected.
std::size_t CheckDirectly(std::string& Text, bool Utf8 = false) {
  std::vector<TCollected> Messages;
  TidyDoc D = tidyCreate();
  tidySetAppData(D, &Messages);
  tidySetMessageCallback(D, Collect);
  tidyOptSetValue(D, TidyInCharEncoding, Utf8 ? "raw" : "win1252");
  tidyOptSetInt(D, TidyTabSize, 1);
  tidyOptSetBool(D, TidyShowWarnings, yes);
  tidyOptSetBool(D, TidyShowInfo, yes);
  tidyOptSetInt(D, TidyShowErrors, INT_MAX / 2);
  tidyOptSetBool(D, TidyQuiet, yes);
  TidyBuffer Errors;
  tidyBufInit(&Errors);
  tidySetErrorBuffer(D, &Errors);
  TidyBuffer In;
  tidyBufInit(&In);
  tidyBufAttach(&In, reinterpret_cast<byte*>(Text.data()), static_cast<uint>(Text.size()));
  tidyParseBuffer(D, &In);
  tidyBufDetach(&In);
  if (tidyCleanAndRepair(D) >= 0) {
    tidyRunDiagnostics(D);
  }
  tidyBufFree(&Errors);
  tidyRelease(D);
  return Messages.size();
}

void BM_SameDiagnosisCalledDirectly(benchmark::State& State) {
  std::string Text;
  for (const std::string& L : PageLines()) {
    Text += L + "\n";
  }
  CheckDirectly(Text);  // as warm as the engine's side
  for (auto _ : State) {
    benchmark::DoNotOptimize(CheckDirectly(Text));
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) * 1024 * 1024);
}
BENCHMARK(BM_SameDiagnosisCalledDirectly)->Unit(benchmark::kMillisecond)->UseRealTime();

// A real page: the manual page from the corpus as it is (66 KB) when Bytes is 0, else its body repeated under its
// head to Bytes.
std::vector<std::string> MakeRealPageLines(std::size_t Bytes) {
  std::ifstream F(CorpusDir() + "html/valgrind-cg-manual.html", std::ios::binary);
  const std::string Page((std::istreambuf_iterator<char>(F)), std::istreambuf_iterator<char>());
  std::vector<std::string> All;
  std::stringstream S(Page);
  for (std::string L; std::getline(S, L);) {
    All.push_back(L);
  }
  if (Bytes == 0) {
    return All;
  }
  std::size_t BodyStart = 0;
  std::size_t BodyEnd = All.size();
  for (std::size_t I = 0; I < All.size(); ++I) {
    if (BodyStart == 0 && All[I].find("<body") != std::string::npos) {
      BodyStart = I + 1;
    }
    if (All[I].find("</body") != std::string::npos) {
      BodyEnd = I;
    }
  }
  std::vector<std::string> Out(All.begin(), All.begin() + static_cast<std::ptrdiff_t>(BodyStart));
  std::size_t Size = 0;
  while (BodyStart < BodyEnd && Size < Bytes) {
    for (std::size_t I = BodyStart; I < BodyEnd; ++I) {
      Out.push_back(All[I]);
      Size += All[I].size() + 1;
    }
  }
  Out.insert(Out.end(), All.begin() + static_cast<std::ptrdiff_t>(BodyEnd), All.end());
  return Out;
}

const std::vector<std::string>& LargeRealPageLines() {
  static const std::vector<std::string> Lines = MakeRealPageLines(8 * 1024 * 1024);
  return Lines;
}

// The real pages most pages are like: the 66 KB page itself (argument 0) and its body repeated to 1 MB (1).
const std::vector<std::string>& RealPageLines(std::int64_t Which) {
  static const std::vector<std::string> Small = MakeRealPageLines(0);
  static const std::vector<std::string> Medium = MakeRealPageLines(1024 * 1024);
  return Which == 0 ? Small : Medium;
}

// Handing over the 1 MB real page's lines to a job without running it: the cost of the entry point calls, once per
// line, that every job pays before it runs.
void BM_HandOverLines(benchmark::State& State) {
  const TEngine& E = Engine();
  const auto& Lines = RealPageLines(1);
  if (E.Config < 0 || Lines.size() < 100) {
    State.SkipWithError("the engine or the page did not load");
    return;
  }
  for (auto _ : State) {
    const ZUBInt Job = E.GetNewHandle(ZUB_KIND_JOB);
    E.SetInteger(Job, ZUB_JOB_TEXT_START, 0);
    for (const std::string& L : Lines) {
      E.SetString(Job, ZUB_JOB_LINE, L.c_str());
    }
    E.FreeHandle(Job, 0);
  }
  State.SetItemsProcessed(static_cast<int64_t>(State.iterations() * Lines.size()));
}
BENCHMARK(BM_HandOverLines)->Unit(benchmark::kMicrosecond);

// The engine job and the checker library's same steps on the 66 KB and 1 MB real pages, side by side:
//   Engine_bench --benchmark_filter=RealPage --benchmark_repetitions=5
void BM_ValidateRealPageThroughEntryPoints(benchmark::State& State) {
  const TEngine& E = Engine();
  const auto& Lines = RealPageLines(State.range(0));
  if (E.Config < 0 || Lines.size() < 100) {
    State.SkipWithError("the engine or the page did not load");
    return;
  }
  ValidateOnce(E, Lines);
  for (auto _ : State) {
    benchmark::DoNotOptimize(ValidateOnce(E, Lines));
  }
}
BENCHMARK(BM_ValidateRealPageThroughEntryPoints)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_SameRealPageCalledDirectly(benchmark::State& State) {
  const auto& Lines = RealPageLines(State.range(0));
  if (Lines.size() < 100) {
    State.SkipWithError("the page did not load");
    return;
  }
  std::string Text;
  for (const std::string& L : Lines) {
    Text += L + "\n";
  }
  CheckDirectly(Text, true);
  for (auto _ : State) {
    benchmark::DoNotOptimize(CheckDirectly(Text, true));  // the page says it is UTF-8
  }
}
BENCHMARK(BM_SameRealPageCalledDirectly)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The whole engine job on the 8 MB page beside the checker library's same steps on the same text. Both sides run
// once before the clock starts. Compare the medians of repetitions run in one program:
//   Engine_bench --benchmark_filter=8MB --benchmark_repetitions=5
void BM_Validate8MBRealPageThroughEntryPoints(benchmark::State& State) {
  const TEngine& E = Engine();
  if (E.Config < 0 || LargeRealPageLines().size() < 100) {
    State.SkipWithError("the engine or the page did not load");
    return;
  }
  ValidateOnce(E, LargeRealPageLines());
  for (auto _ : State) {
    benchmark::DoNotOptimize(ValidateOnce(E, LargeRealPageLines()));
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) * 8 * 1024 * 1024);
}
BENCHMARK(BM_Validate8MBRealPageThroughEntryPoints)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_Same8MBRealPageCalledDirectly(benchmark::State& State) {
  if (LargeRealPageLines().size() < 100) {
    State.SkipWithError("the page did not load");
    return;
  }
  std::string Text;
  for (const std::string& L : LargeRealPageLines()) {
    Text += L + "\n";
  }
  CheckDirectly(Text, true);
  for (auto _ : State) {
    benchmark::DoNotOptimize(CheckDirectly(Text, true));  // the page says it is UTF-8
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) * 8 * 1024 * 1024);
}
BENCHMARK(BM_Same8MBRealPageCalledDirectly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
