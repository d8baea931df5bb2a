// The memo sources' two option groups read from any registry hive: bad values are limited or ignored, and a memo
// source takes the global options without harm.
#include "codeeditor/Dcstring.h"

#include "platform/rtl/UnitInit.h"
#include "platform/win/RegistryStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// The hive folder of this run, removed when the program ends.
struct THiveFolder {
  THiveFolder() {
    char Template[] = "/tmp/zubq-memooptions-XXXXXX";
    const char* Made = ::mkdtemp(Template);
    Name = Made != nullptr ? Made : "";
  }
  ~THiveFolder() {
    if (!Name.empty()) {
      std::error_code Ignored;
      std::filesystem::remove_all(Name, Ignored);
    }
  }
  THiveFolder(const THiveFolder&) = delete;
  THiveFolder& operator=(const THiveFolder&) = delete;
  std::string Name;
};

const std::string& HiveFolder() {
  static const THiveFolder Folder;
  return Folder.Name;
}

void Fail(const char* What) {
  std::fprintf(stderr, "%s\n", What);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const bool Ready = [] {
    if (HiveFolder().empty()) {
      Fail("no temporary folder for the hive");  // never the user's own registry
    }
    ::setenv("ZUBQ_REGISTRY_DIR", HiveFolder().c_str(), 1);
    InitializeUnits();
    return true;
  }();
  (void)Ready;
  {
    std::ofstream Out(HiveFolder() + "/HKCU.reg", std::ios::binary | std::ios::trunc);
    Out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  }
  RegistryResetForTests();
  Dcstring::TMemoSourceOptions* G = Dcstring::GlobalMemoSourceOptions();
  Dcstring::TSearchOptions* S = Dcstring::GetSearchOptions();
  for (Dorazori::TOptionExt* O : {static_cast<Dorazori::TOptionExt*>(G), static_cast<Dorazori::TOptionExt*>(S)}) {
    try {
      O->LoadConfig();
    } catch (Exception&) {
      // A value of the wrong kind is ignored; what was read before it stays.
    }
  }
  if (G->BlockIndent() < 0 || G->BlockIndent() > 9999) {
    Fail("block indent out of range");
  }
  if (S->Direction > Dcstring::sdBackward || S->Scope > Dcstring::ssSelectedText ||
      S->Origin > Dcstring::soEntireScope || S->Where > Dcstring::swOther) {
    Fail("a search choice out of range");
  }
  Dcstring::TMemoSource M(nullptr);
  M.SetUseGlobalOptions(true);
  M.Lines()->SetText("a\tb\nc");
  M.JumpTo(1, 0);
  M.PressTab();
  if (M.BlockIndent() > 9999 || M.GetVirtualTabStop(0) > 9999) {
    Fail("a memo source took an option out of range");
  }
  return 0;
}
