// The component filer's readers: the stream tests and a root created from the input (text or binary) with the
// suite's and the class library's classes registered. Bad input gives an error, frees the partial root and
// leaves no window behind.
#include "fuzz/FuzzComponents.h"
#include "suitebase/Compfiler.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzComponents::Start();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TStringStream In(std::string(reinterpret_cast<const char*>(Data), Size));
  const int FormsBefore = Screen->FormCount();
  const int ModulesBefore = DataModuleCount();
  try {
    (void)Dccommon::IsTextStream(&In);
    (void)Dccommon::GetClassNameFromStream(&In);
    (void)Dccommon::StreamContainsDataModule(&In);
  } catch (const Exception&) {
  }
  In.SetPosition(0);
  try {
    Dccommon::TCompFiler Filer;
    Filer.IgnoreAllErrors = false;
    std::unique_ptr<TComponent> Root(Filer.CreateFromStream(&In, TForm::StaticClass(), false));
    TStringStream Out;
    Filer.SaveToStream(&Out, Root.get());
  } catch (const Exception&) {
  }
  if (Screen->FormCount() != FormsBefore || DataModuleCount() != ModulesBefore) {
    __builtin_trap();  // a root of a failed load was left behind
  }
  return 0;
}
