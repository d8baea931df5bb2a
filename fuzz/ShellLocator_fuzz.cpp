// The locator's stored "Pidl" property: any bytes are read without harm; bad bytes raise the reader's error and
// leave the locator as it was, and what reads writes back the same bytes.
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "shell/Uptshelllocator.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TPTShellLocator L;
  L.SetCSIDL(csidlPersonal);
  TMemoryStream In;
  if (Size) {
    In.WriteBuffer(Data, static_cast<LongInt>(Size));
  }
  In.SetPosition(0);
  try {
    L.ReadPidl(&In);
  } catch (const Exception&) {
    if (L.Which() != useCSIDL || L.GetCSIDL() != csidlPersonal) {
      std::abort();  // a refused value changes nothing
    }
    return 0;
  }
  const auto Used = static_cast<std::size_t>(In.Position());
  TMemoryStream Out;
  L.WritePidl(&Out);
  const std::string Written(static_cast<const char*>(Out.Memory()), static_cast<std::size_t>(Out.Size()));
  const std::string Read(reinterpret_cast<const char*>(Data), Used);
  // A desktop stored as kind 0 with length 0 comes back as the desktop's special folder, an empty id list (length
  // 2) as length 0, and any kind byte other than 0 means "special folder follows", written back as 1; all else
  // comes back as read.
  std::string Expected = Read;
  if (Read == std::string(5, '\0')) {
    Expected = std::string("\x01\x00", 2);
  } else if (Read.size() == 7 && Read[0] == '\0') {
    Expected = std::string(5, '\0');
  } else if (!Read.empty() && Read[0] != '\0') {
    Expected[0] = '\x01';
  }
  if (Written != Expected) {
    std::abort();
  }
  return 0;
}
