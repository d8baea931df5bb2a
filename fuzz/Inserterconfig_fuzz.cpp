// Fuzz target: the inserter configuration reader over arbitrary file contents.
#include "core/Inserterclass.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size > (1u << 20)) {
    return 0;
  }
  PointerArrayManager* Items = nullptr;
  LoadInserterConfigurationText(Items, reinterpret_cast<const char*>(Data), static_cast<int>(Size), 0);
  if (Items != nullptr) {
    // Every item read must be whole: normalised, with a display text that can be built.
    for (int I = 0; I < Items->getCount(); ++I) {
      auto* Item = static_cast<ticlass*>(Items->getPointer(I));
      StrStore Display;
      Item->GetDisplayText(1, Display);
      Item->Normalize(1);
    }
    delete Items;
  }
  return 0;
}
