// Reads an editor's properties from a layout (the binary component stream, or its text form when the input
// starts with "object"), as a form file would hand them over; bad input must raise, never crash or hang.
#include "editor/Easyeditor.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/TestHarness.h"

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const bool Started = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Harness::Start();
    RegisterClasses({TEasyEdit::StaticClass(), TEasyEditSource::StaticClass()});
    return true;
  }();
  (void)Started;
  const std::string Input(reinterpret_cast<const char*>(Data), Size);
  std::unique_ptr<TEasyEdit> Edit(new TEasyEdit(nullptr));
  Edit->AfterConstruction();
  try {
    TMemoryStream Binary;
    if (Input.rfind("object", 0) == 0) {
      TStringStream Text(Input);
      ObjectTextToBinary(&Text, &Binary);
    } else {
      Binary.WriteBuffer(Input.data(), static_cast<LongInt>(Input.size()));
    }
    Binary.SetPosition(0);
    Binary.ReadComponent(Edit.get());
  } catch (const std::exception&) {
    // A damaged layout is refused; the editor stays usable.
  }
  Edit->GetLines()->Add("after");
  (void)Edit->GetMaxLineWidth();
  return 0;
}
