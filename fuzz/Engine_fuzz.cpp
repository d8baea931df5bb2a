// Fuzz target: the engine's job protocol over HTML, XHTML and CSS text, handed over line by line as the program
// does; every finding must point inside the document. The first byte chooses the kind of text.
#include "engine/ZubValidator.h"

#include "platform/win/Modules.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct TEngineCalls {
  ZUBGetNewHandle_t GetNewHandle = nullptr;
  ZUBSetInteger_t SetInteger = nullptr;
  ZUBSetString_t SetString = nullptr;
  ZUBSetFlag_t SetFlag = nullptr;
  ZUBRunJob_t RunJob = nullptr;
  ZUBFreeHandle_t FreeHandle = nullptr;
  ZUBGetIntegerEZ_t GetIntegerEZ = nullptr;
  ZUBGetInteger2EZ_t GetInteger2EZ = nullptr;
  ZUBGetString2_t GetString2 = nullptr;
  ZUBHTMLConfiguration_t Configuration = nullptr;
  ZUBInt Config = -1;
};

template <class T>
void Bind(HMODULE M, T& Slot, const char* Name) {
  Slot = reinterpret_cast<T>(GetProcAddress(M, Name));
  if (!Slot) {
    std::fprintf(stderr, "the engine has no %s\n", Name);
    std::abort();
  }
}

// The engine, loaded by name as the program loads it, with a configuration in a folder of its own.
const TEngineCalls& Engine() {
  static const TEngineCalls E = [] {
    const std::filesystem::path Folder =
        std::filesystem::temp_directory_path() / ("zubengine-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(Folder);
    setenv("ZUBQ_REGISTRY_DIR", Folder.c_str(), 1);
    // A document that keeps the checker busy (a runaway in it takes tens of seconds to end in a sanitized worker
    // on a busy machine) gets the engine's "took too long" finding well before the fuzzer would call the input a
    // hang; a hang in the engine itself still is one.
    setenv("ZUBQ_ENGINE_CHECKER_TIMEOUT_MS", "5000", 0);
    HMODULE M = LoadLibrary("zubvalidatorV60.dll");
    if (!M) {
      std::fprintf(stderr, "the engine did not load\n");
      std::abort();
    }
    TEngineCalls C;
    Bind(M, C.GetNewHandle, "ZUBGetNewHandle");
    Bind(M, C.SetInteger, "ZUBSetInteger");
    Bind(M, C.SetString, "ZUBSetString");
    Bind(M, C.SetFlag, "ZUBSetFlag");
    Bind(M, C.RunJob, "ZUBRunJob");
    Bind(M, C.FreeHandle, "ZUBFreeHandle");
    Bind(M, C.GetIntegerEZ, "ZUBGetIntegerEZ");
    Bind(M, C.GetInteger2EZ, "ZUBGetInteger2EZ");
    Bind(M, C.GetString2, "ZUBGetString2");
    Bind(M, C.Configuration, "ZUBHTMLConfiguration");
    C.Config = C.GetNewHandle(ZUB_KIND_CONFIGURATION);
    if (C.Config < 0 || C.Configuration(0, C.Config, ZUB_CONFIG_LOAD_DEFAULT) < 0) {
      std::fprintf(stderr, "the engine's configuration did not load\n");
      std::abort();
    }
    return C;
  }();
  return E;
}

[[noreturn]] void Violation(const char* What, int Message, int Line, int Char, int Length) {
  std::fprintf(stderr, "finding %d points outside the document: %s (line %d, character %d, length %d)\n", Message,
               What, Line, Char, Length);
  std::abort();
}

// The program's lines: split at LF (a CR stays in its line); the text of a line ends at a zero byte.
std::vector<std::string> HandedLines(const std::string& Text) {
  std::vector<std::string> Lines;
  std::size_t Pos = 0;
  while (Pos < Text.size()) {
    std::size_t End = Text.find('\n', Pos);
    if (End == std::string::npos) {
      End = Text.size();
    }
    std::string Line = Text.substr(Pos, End - Pos);
    const std::size_t Zero = Line.find('\0');
    if (Zero != std::string::npos) {
      Line.resize(Zero);
    }
    Lines.push_back(std::move(Line));
    Pos = End + 1;
  }
  return Lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) {
    return 0;
  }
  const TEngineCalls& E = Engine();
  const int Mode = Data[0] % 3;
  std::string Text(reinterpret_cast<const char*>(Data + 1), Size - 1);
  if (Mode == 1) {
    Text = "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
           "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\n" + Text;
  }
  const std::vector<std::string> Lines = HandedLines(Text);
  const ZUBInt Job = E.GetNewHandle(ZUB_KIND_JOB);
  E.SetInteger(Job, ZUB_JOB_KIND, Mode == 2 ? ZUB_JOB_VALIDATE_CSS : ZUB_JOB_VALIDATE_MARKUP);
  E.SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATION, 1);
  E.SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_VALIDATION2, 1);
  E.SetInteger(Job, ZUB_JOB_TEXT_START, 0);
  for (const std::string& L : Lines) {
    E.SetString(Job, ZUB_JOB_LINE, L.c_str());
  }
  E.SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_TEXT_HANDED_OVER, 1);
  E.SetString(Job, ZUB_JOB_NAME, "fuzz.html");
  const ZUBInt R = E.RunJob(0, E.Config, Job, 0);
  E.FreeHandle(Job, 0);
  if (R < 0) {
    std::fprintf(stderr, "the job failed (%d)\n", R);
    std::abort();
  }
  // An empty document is one empty line as far as positions go.
  const int LineCount = std::max<int>(1, static_cast<int>(Lines.size()));
  const int Count = E.GetIntegerEZ(R, ZUB_RESULT_MESSAGES);
  if (Count < 0 || E.GetIntegerEZ(R, ZUB_RESULT_ERRORS) + E.GetIntegerEZ(R, ZUB_RESULT_WARNINGS) > Count) {
    std::fprintf(stderr, "the result's counts disagree\n");
    std::abort();
  }
  for (int I = 1; I <= Count; ++I) {
    const int Line = E.GetInteger2EZ(R, ZUB_MSG_LINE, I);
    const int Char = E.GetInteger2EZ(R, ZUB_MSG_CHAR, I);
    const int Length = E.GetInteger2EZ(R, ZUB_MSG_LENGTH, I);
    if (!E.GetString2(R, ZUB_MSG_TEXT, I)) {
      Violation("no text", I, Line, Char, Length);
    }
    if (Line <= 0) {
      continue;
    }
    if (Line > LineCount) {
      Violation("past the last line", I, Line, Char, Length);
    }
    const int End = Lines.empty() ? 1 : static_cast<int>(Lines[static_cast<std::size_t>(Line - 1)].size()) + 1;
    if (Char < 0 || Char > End) {
      Violation("past the end of its line", I, Line, Char, Length);
    }
    if (Char > 0 && (Length < 0 || Char + Length - 1 > End)) {
      Violation("marks past the end of its line", I, Line, Char, Length);
    }
  }
  E.FreeHandle(R, 0);
  return 0;
}
