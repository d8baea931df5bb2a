// The code editor's stored option group ("CodeEdit\") read from any registry hive: bad values are ignored and a
// control takes the options without harm.
#include "codeeditor/Vuvudi.h"
#include "platform/controls/TestHarness.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/UnitInit.h"
#include "platform/win/RegistryStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {
struct THiveFolder {
  THiveFolder() {
    char Template[] = "/tmp/zubq-codeeditoptions-XXXXXX";
    const char* Made = ::mkdtemp(Template);
    Name = Made != nullptr ? Made : "";
  }
  ~THiveFolder() {
    if (!Name.empty()) {
      std::error_code Ignored;
      std::filesystem::remove_all(Name, Ignored);
    }
  }
  std::string Name;
};
const std::string& HiveFolder() {
  static const THiveFolder Folder;
  return Folder.Name;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const bool Ready = [] {
    if (HiveFolder().empty()) {
      std::abort();  // never the user's own registry
    }
    ::setenv("ZUBQ_REGISTRY_DIR", HiveFolder().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Harness::Start();
    InitializeUnits();
    return true;
  }();
  (void)Ready;
  {
    std::ofstream Out(HiveFolder() + "/HKCU.reg", std::ios::binary | std::ios::trunc);
    Out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  }
  RegistryResetForTests();
  Vuvudi::TMemoEnvOptions* G = Vuvudi::GlobalMemoOptions();
  G->InitValues();
  try {
    G->LoadConfig();
  } catch (const Exception&) {
    // A value of the wrong kind is ignored; what was read before it stays.
  }
  {
    Vuvudi::ZEZMemo M(nullptr);
    M.SetUseGlobalOptions(true);
    M.SetText("int main() {}\n");
    M.GetAveLineHeight();
    M.GetRealStrCount();
  }
  G->InitValues();
  return 0;
}
