// The input as a metafile file: the layer's reader takes it or raises the graphic error, and a picture it takes
// can be drawn and written again.
#include "platform/classes/Streams.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Metafiles.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TMemoryStream In;
  In.Write(Data, static_cast<LongInt>(Size));
  In.SetPosition(0);
  TMetafile M;
  try {
    M.LoadFromStream(&In);
  } catch (const EInvalidGraphic&) {
    return 0;
  }
  if (M.Width() > 0 && M.Height() > 0 && M.Width() * M.Height() <= 1 << 20) {
    TBitmap B;
    B.SetSize(16, 16);
    B.Canvas()->StretchDraw(TRect{0, 0, 16, 16}, &M);
    TMemoryStream Out;
    M.SaveToStream(&Out);
  }
  return 0;
}
