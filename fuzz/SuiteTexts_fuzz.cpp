// Texts the suite reads from other programs: a help contents file (entries added and removed) and a compiler's
// output (its error lines picked). Any text is handled without a crash.
#include "suitebase/Dcapiide.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {
const std::string& CntFile() {
  static const std::string Name = [] {
    char Template[] = "/tmp/zubq-fuzz-cnt-XXXXXX";
    const char* Dir = mkdtemp(Template);
    return std::string(Dir != nullptr ? Dir : "/tmp") + "/help.cnt";
  }();
  return Name;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  (void)Dcapi::ConvertErrors(Text);
  std::ofstream(CntFile(), std::ios::binary | std::ios::trunc) << Text;
  Dcapi::AddHelpToCntFile("suite.hlp", "Suite help", CntFile());
  Dcapi::RemoveHelpFromCntFile("suite.hlp", CntFile());
  Dcapi::RemoveHelpFromCntFile("other.hlp", CntFile());
  return 0;
}
