// Fuzz target: a form layout in text form holding an item container with its item tree.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "toolbars/Tb2itemcontainer.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

namespace {

class TFuzzRoot : public TComponent {
  Z_CLASS(TFuzzRoot, TComponent)

public:
  using TComponent::TComponent;

protected:
  void GetChildren(TGetChildProc Proc, TComponent*) override {
    for (Integer I = 0; I < ComponentCount(); ++I) {
      if (!Components(I)->HasParent()) {
        Proc(Components(I));
      }
    }
  }
};
Z_IMPLEMENT_CLASS(TFuzzRoot, TComponent)

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const bool Registered = [] {
    TBRegisterItemClasses();
    RegisterClasses({TFuzzRoot::StaticClass()});
    return true;
  }();
  (void)Registered;
  try {
    TStringStream In(std::string(reinterpret_cast<const char*>(Data), Size));
    TMemoryStream Bin;
    ObjectTextToBinary(&In, &Bin);
    Bin.SetPosition(0);
    TFuzzRoot Root(nullptr);
    Bin.ReadComponent(&Root);
    // Walk what was read, as a view would.
    for (Integer I = 0; I < Root.ComponentCount(); ++I) {
      if (auto* C = dynamic_cast<TTBItemContainer*>(Root.Components(I))) {
        for (int J = 0; J < C->Items()->Count(); ++J) {
          (void)C->Items()->Items(J)->GetShortCutText();
        }
      }
    }
  } catch (const std::exception&) {
    // Bad layouts are refused with an exception; that is the expected outcome.
  }
  return 0;
}
