// Dialog templates read from resources: any bytes are either read whole or refused, never read past their end.
#include "platform/controls/ResDialogs.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  // A copy of exactly Size bytes, so that a read past the end is caught by the sanitizers.
  std::vector<uint8_t> Bytes(Data, Data + Size);
  TDialogTemplate T;
  if (ReadDialogTemplate(Bytes.data(), Bytes.size(), T)) {
    for (const TDialogItemTemplate& Item : T.Items) {
      if (Item.CreationData.size() > Size) {
        std::abort();
      }
    }
  }
  return 0;
}
