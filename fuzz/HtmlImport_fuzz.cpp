// The HTML importer over any text: it never fails, and every run it hands out is text in a limited font size.
#include "codeeditor/Dcexport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  Dcexport::TDCHTMLImporter Importer;
  std::size_t Delivered = 0;
  Importer.OnParseText = [&](TObject*, const std::string& S, TFont* Font, TColor) {
    if (S.empty() || Font == nullptr || Font->Size() < 1 || Font->Size() > Dcexport::MaxImportFontSize) {
      std::abort();
    }
    Delivered += S.size();
  };
  Importer.ParseText(Text);
  // A "<P>" gives four bytes for three read; nothing gives more.
  if (Delivered > 2 * Size + 16) {
    std::abort();
  }
  return 0;
}
