// The RTF importer over any text: it never fails, every run it hands out is text, and no font it asks for is
// outside the sizes a painter can make.
#include "codeeditor/Dcexport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  Dcexport::ZEZRtfImporter Importer;
  std::size_t Delivered = 0;
  Importer.OnParseText = [&](TObject*, const std::string& S, TFont* Font, TColor) {
    if (S.empty() || Font == nullptr) {
      std::abort();
    }
    if (Font->Size() < Dcexport::MinImportFontSize || Font->Size() > Dcexport::MaxImportFontSize) {
      std::abort();
    }
    Delivered += S.size();
  };
  TStringStream Stream(Text);
  (void)Importer.IsValidStream(&Stream);
  Importer.ParseText(Text);
  // Every run comes from the input: at most a blank, a line break or a tab for each byte read.
  if (Delivered > 2 * Size + 16) {
    std::abort();
  }
  return 0;
}
