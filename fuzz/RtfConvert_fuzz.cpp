// Both RTF converters over any text: the only failure is the index error of a font or colour number outside its
// table, raised as the class library's exception.
#include "codeeditor/Dcexport.h"
#include "platform/rtl/Exceptions.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  try {
    (void)Dcexport::RtfToHtml(Text);
  } catch (const EStringListError&) {
    // A font or colour number outside its table.
  }
  TStringStream Stream;
  Dcexport::TDCRTFExporter Exporter(&Stream);
  try {
    (void)Dcexport::Rtf2Rtf(Text, &Exporter);
  } catch (const EStringListError&) {
    // As above.
  }
  Exporter.StartDocument("");
  Exporter.FinishDocument();
  return 0;
}
