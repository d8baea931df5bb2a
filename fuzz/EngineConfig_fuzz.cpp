// Fuzz target: the validator engine's configuration file reader over arbitrary file contents. A damaged file
// loads what it can; what it loaded must be written and read back whole (nothing further dropped, nothing
// changed).
#include "engine/EngineConfig.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size > (1u << 20)) {
    return 0;
  }
  zubengine::TEngineConfig First;
  std::vector<std::string> Dropped;
  First.LoadText(std::string(reinterpret_cast<const char*>(Data), Size), "fuzz.cfg", Dropped);
  const std::string Written = First.ToText();
  zubengine::TEngineConfig Second;
  std::vector<std::string> DroppedAgain;
  Second.LoadText(Written, "fuzz.cfg", DroppedAgain);
  if (!DroppedAgain.empty() || Second.ToText() != Written || First.Configurations.empty() ||
      First.CurrentConfiguration < 0 ||
      First.CurrentConfiguration >= static_cast<int>(First.Configurations.size())) {
    std::fprintf(stderr, "the configuration read does not survive a save and a load:\n%s\n%s\n", Written.c_str(),
                 DroppedAgain.empty() ? "" : DroppedAgain.front().c_str());
    std::abort();
  }
  return 0;
}
