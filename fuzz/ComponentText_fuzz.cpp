// Component streaming from the text form (layout files): converted to the binary form, then read into a plain
// root and into a form with every control registered. Bad text and bad layouts give an error and nothing else.
#include "fuzz/FuzzComponents.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzComponents::Start();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  std::string Binary;
  try {
    TStringStream Text(std::string(reinterpret_cast<const char*>(Data), Size));
    TStringStream Out;
    ObjectTextToBinary(&Text, &Out);
    Binary = Out.DataString();
  } catch (const Exception&) {
    return 0;
  }
  FuzzComponents::ReadEveryWay(Binary);
  return 0;
}
