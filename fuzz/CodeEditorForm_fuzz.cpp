// A form layout holding a code editor control, read through component streaming (text form converted to the
// binary form, then read into a form): special symbols, gutter images and text styles of any shape give an error
// or a working control, never a crash or a huge allocation.
#include "codeeditor/Vuvudi.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/UnitInit.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static bool Done = false;
  if (Done) {
    return 0;
  }
  Done = true;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Harness::Start();
  InitializeUnits();
  RegisterClasses({Vuvudi::ZEZMemo::StaticClass(), TForm::StaticClass()});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const int Started = LLVMFuzzerInitialize(nullptr, nullptr);
  (void)Started;
  const std::string Input(reinterpret_cast<const char*>(Data), Size);
  std::string Binary = Input;
  if (Input.rfind("object", 0) == 0) {
    try {
      TStringStream Text(Input);
      TStringStream Out;
      ObjectTextToBinary(&Text, &Out);
      Binary = Out.DataString();
    } catch (const Exception&) {
      return 0;
    }
  }
  std::unique_ptr<TForm> Form(new TForm(nullptr));
  try {
    TStringStream In(Binary);
    In.ReadComponent(Form.get());
  } catch (const Exception&) {
    return 0;
  }
  for (Integer I = 0; I < Form->ComponentCount(); ++I) {
    if (auto* M = dynamic_cast<Vuvudi::ZEZMemo*>(Form->Components(I))) {
      M->SetParent(Form.get());
      M->GetAveLineHeight();
      M->GetRealStrCount();
      M->Invalidate();
    }
  }
  Form->Show();
  Harness::RunUntilIdle(1000);
  return 0;
}
