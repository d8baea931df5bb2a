// Pastes clipboard text another program left (any bytes, any line breaks) into an editor, as a stream or as a
// block, at a caret that may lie beyond the text, then undoes it: bad text must never crash, hang or lose
// the editor's own lines.
#include "editor/Easyeditor.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/Clipbrd.h"

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const bool Started = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Harness::Start();
    return true;
  }();
  (void)Started;
  if (Size == 0) {
    return 0;
  }
  // The first byte picks the paste: bit 0 block, bit 1 kept tabs, bit 2 overwrite the selection, the rest the
  // caret's column.
  const unsigned Mode = Data[0];
  const std::string Text(reinterpret_cast<const char*>(Data + 1), Size - 1);
  std::unique_ptr<TEasyEdit> Edit(new TEasyEdit(nullptr));
  Edit->AfterConstruction();
  Edit->GetLines()->SetText("first line\nsecond\tline\nthird");
  if (Mode & 2) {
    TEasySourceOptions O = Edit->GetSourceOptions();
    O.Include(srUseTab);
    Edit->SetSourceOptions(O);
  }
  Edit->GetEditSource()->JumpTo(static_cast<int>(Mode >> 3), 1);
  if (Mode & 4) {
    Edit->SetSelection(Rect(2, 0, 4, 1), slStream);
  }
  try {
    Clipboard()->SetAsText(Text);
    ClipboardSelType = (Mode & 1) ? slBlock : slStream;
    Edit->PasteFromClipboard();
    Edit->SetSelText(Text);
    (void)Edit->GetSelText();
    (void)Edit->PosToTextPoint(Edit->GetTextLen());
    while (Edit->GetCanUndo()) {
      Edit->Undo();
    }
  } catch (const std::exception&) {
    // Refused text leaves the editor usable.
  }
  if (Edit->LineCount() == 0) {
    std::abort();  // the editor's lines were lost
  }
  Edit->GetLines()->Add("after");
  return 0;
}
