// Fuzz target: command lines as a second instance or the engine hands them over, one per input line. Each line is
// split as the hand-over splits it, every part travels through a global atom to the receiving end, and the queue
// is then run against a main window that records what it was asked to do.
#include "core/Commandqueue.h"
#include "core/Mainwindowservices.h"
#include "core/Prgclass.h"
#include "core/Stringarraystore.h"
#include "core/Volatileclass.h"

#include "platform/win/Atoms.h"
#include "platform/win/DialogService.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Violation(const char* What, const std::string& Text) {
  std::fprintf(stderr, "%s: \"%s\"\n", What, Text.c_str());
  std::abort();
}

// A main window that opens nothing and only checks what it is given.
class CheckingWindow : public MainWindowServices {
public:
  int AddNewFileTab(TComponent*, const char* Name, int, fileinfoextraclass*) override {
    if (Name == nullptr || *Name == 0) {
      Violation("an empty document name was opened", "");
    }
    ++Opened;
    return 0;
  }
  void SetStatusText(const StrStore& Text) override {
    if (std::strncmp(Text.text, "Checking links... ", 18) != 0) {
      Violation("an unexpected status text", Text.text);
    }
  }
  int Opened = 0;
};

struct Fixture {
  Fixture() {
    const std::filesystem::path Folder =
        std::filesystem::temp_directory_path() / ("zubqueue-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(Folder / "temp");
    setenv("ZUBQ_REGISTRY_DIR", (Folder / "registry").c_str(), 1);
    setenv("ZUBQ_TEMP", (Folder / "temp").c_str(), 1);
    Root = std::make_unique<prgclass>();
    SetMainWindowServices(&Window);
    (void)SetDialogService(&Dialogs);  // no previous service to restore in this process
  }
  std::unique_ptr<prgclass> Root;
  CheckingWindow Window;
  TScriptedDialogs Dialogs;
};

Fixture& Shared() {
  static Fixture F;
  return F;
}

void HandOver(const std::string& Line) {
  std::vector<std::string> Parts;
  std::vector<std::string> Rejected;
  SplitRemoteCommandLine(Line.c_str(), Parts, Rejected);
  StringArrayStore& Queue = prg->volatileState->commandQueue;
  for (const std::string& Part : Parts) {
    if (Part.size() > static_cast<std::size_t>(REMOTE_COMMAND_MAXIMUM) || Part.empty()) {
      Violation("a part does not fit an atom", Part);
    }
    const int Before = Queue.getCount();
    const ATOM Atom = GlobalAddAtom(Part.c_str());
    if (Atom == 0) {
      Violation("a part was refused by the atom table", Part);
    }
    (void)QueueRemoteCommandAtom(Atom);  // checked through the queue below
    if (GlobalFindAtom(Part.c_str()) != 0) {
      Violation("the received atom stayed behind", Part);
    }
    if (Queue.getCount() != Before + 1 || std::strcmp(Queue.getString(Before), Part.c_str()) != 0) {
      Violation("the part was not queued as sent", Part);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  Fixture& F = Shared();
  const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
  std::size_t Start = 0;
  while (Start <= Bytes.size()) {
    std::size_t End = Bytes.find('\n', Start);
    if (End == std::string::npos) {
      End = Bytes.size();
    }
    // Atom names end at a zero byte, as the hand-over's text does.
    HandOver(std::string(Bytes.c_str() + Start, std::strlen(Bytes.substr(Start, End - Start).c_str())));
    Start = End + 1;
  }
  StringArrayStore& Queue = prg->volatileState->commandQueue;
  (void)ProcessCommandQueue(&Queue);  // always 0
  if (Queue.getCount() != 0) {
    Violation("the queue was not drained", "");
  }
  (void)F;
  return 0;
}
