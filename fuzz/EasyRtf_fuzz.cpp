// The RTF reader over any text: it never fails, and every run, line break and picture it reports comes with
// consistent arguments; the painter measures and draws whatever it read.
#include "editor/Easyrtfpainter.h"
#include "editor/Easyrtfreader.h"
#include "platform/graphics/Graphics.h"

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
  TEasyRtfPainter Painter;
  TEasyRtfInfo* Head = Painter.AddRtfString(Text);
  if (Head->Width < 0 || Head->Height < 0) {
    std::abort();
  }
  TBitmap Canvas;
  Canvas.SetSize(64, 16);
  Painter.PaintToCanvas(Canvas.Canvas(), Rect(0, 0, 64, 16), false, true, Head);
  return 0;
}
