// Fuzz target: the tree view's node stream reader over arbitrary bytes.
#include "treeview/Dcntree.h"

#include "platform/classes/Streams.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/rtl/Exceptions.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static ZEZTree* Tree = [] {
    Harness::Start();
    auto* T = new ZEZTree(nullptr);
    T->AfterConstruction();
    return T;
  }();
  TMemoryStream S;
  if (Size > 0) {
    S.WriteBuffer(Data, static_cast<LongInt>(Size));
  }
  S.SetPosition(0);
  try {
    Tree->LoadFromStream(&S);
    // What was read must write out again.
    TMemoryStream Out;
    Tree->SaveToStream(&Out);
  } catch (const Exception&) {
  }
  Tree->Items()->Clear();
  return 0;
}
