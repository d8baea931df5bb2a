// Component streaming from the binary form (form resources, the clipboard): read into a plain root and into a
// form with every control registered, and converted to the text form. Bad input gives an error and nothing else.
#include "fuzz/FuzzComponents.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzComponents::Start();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Binary(reinterpret_cast<const char*>(Data), Size);
  FuzzComponents::ReadEveryWay(Binary);
  try {
    TStringStream In(Binary);
    TStringStream Text;
    ObjectBinaryToText(&In, &Text);
  } catch (const Exception&) {
  }
  return 0;
}
