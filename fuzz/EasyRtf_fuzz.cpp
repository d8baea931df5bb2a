// The RTF reader over any text: it never fails, and every run, line break and picture it reports comes with
// consistent arguments.
#include "editor/Easyrtfreader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  std::size_t Delivered = 0;
  ImportFromRtfString(Text, [&](TObject*, const std::string& S, TObject* Object, TCustomEasyParagraph* Paragraph,
                                TCustomEasyEditorAttributes* Attributes) {
    // A notification carries a run (attributes), a line break or paragraph format (paragraph), or a picture.
    if (!Attributes && !Paragraph && !Object) {
      std::abort();
    }
    if (Attributes && S.empty()) {
      std::abort();
    }
    Delivered += S.size();
  });
  // Text runs only come from the input: escapes never grow a byte into more than one character.
  if (Delivered > 2 * Size + 16) {
    std::abort();
  }
  return 0;
}
