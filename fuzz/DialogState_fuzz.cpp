// The dialogs' state stream as the registry hands it back: any bytes are read without harm; bad bytes raise the
// reader's error and leave the dialog as it was, and what reads writes back the same bytes.
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "shell/Uptdialogs.h"
#include "shell/Uptfolderbrowse.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

template <class D>
void Check(const uint8_t* Data, size_t Size, size_t StateSize) {
  D Dialog(nullptr);
  Dialog.FormWidth = 123;
  TMemoryStream Before;
  Dialog.WriteStateToStream(&Before);
  TMemoryStream In;
  if (Size) {
    In.WriteBuffer(Data, static_cast<LongInt>(Size));
  }
  In.SetPosition(0);
  TMemoryStream After;
  try {
    Dialog.ReadStateFromStream(&In);
  } catch (const Exception&) {
    Dialog.WriteStateToStream(&After);
    if (After.Size() != Before.Size() ||
        std::string(static_cast<const char*>(After.Memory()), static_cast<std::size_t>(After.Size())) !=
            std::string(static_cast<const char*>(Before.Memory()), static_cast<std::size_t>(Before.Size()))) {
      std::abort();  // a refused state changes nothing
    }
    return;
  }
  if (Size < StateSize || static_cast<std::size_t>(In.Position()) != StateSize) {
    std::abort();
  }
  Dialog.WriteStateToStream(&After);
  std::string Expected(reinterpret_cast<const char*>(Data), StateSize);
  if (StateSize == 14 && Expected[9] != 0) {
    Expected[9] = 1;  // any other tree byte reads as "shown"
  }
  if (std::string(static_cast<const char*>(After.Memory()), static_cast<std::size_t>(After.Size())) != Expected) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  Check<TPTOpenDlg>(Data, Size, 14);
  Check<TPTFolderBrowseDlg>(Data, Size, 9);
  return 0;
}
