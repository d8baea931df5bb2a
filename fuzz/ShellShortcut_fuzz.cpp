// Desktop-entry shortcuts: any text is parsed without harm; what parses formats back to text that parses to the
// same keys, and resolving it as a shortcut file never fails other than with a result code.
#include "platform/win/ShlObj.h"
#include "shell/Uptshellutils.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  TDesktopEntry E;
  std::string Error;
  if (ParseDesktopEntry(Text, E, &Error)) {
    TDesktopEntry Back;
    if (!ParseDesktopEntry(FormatDesktopEntry(E), Back) || Back.Keys != E.Keys) {
      std::abort();
    }
  } else if (Error.empty()) {
    std::abort();  // a refusal always says why
  }
  static const std::string File = "/tmp/zubq-fuzz-shortcut-" + std::to_string(getpid()) + ".desktop";
  std::ofstream(File, std::ios::binary) << Text;
  TLinkData Link;
  if (SUCCEEDED(ResolveShortcut(File, Link, false)) && Link.TargetIdList) {
    std::abort();
  }
  std::remove(File.c_str());
  return 0;
}
