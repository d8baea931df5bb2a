// The property store's image read into a form whose store lists properties of its components: bad images give an
// error (or are skipped with IgnoreErrors) and nothing else.
#include "fuzz/FuzzComponents.h"
#include "suitebase/Propstore.h"

#include <cstddef>
#include <cstdint>

namespace {
struct TStoreForm {
  TForm* Form = nullptr;
  Dccommon::ZEZPropStore* Store = nullptr;
  TStoreForm() {
    Form = new TForm(nullptr);
    Form->SetName("Settings");
    auto* Edit = new TEdit(Form);
    Edit->SetName("Edit1");
    Edit->SetParent(Form);
    auto* Check = new TCheckBox(Form);
    Check->SetName("CheckBox1");
    Check->SetParent(Form);
    Store = new Dccommon::ZEZPropStore(Form);
    for (const char* Line : {"Edit1.Text", "Edit1.Width", "CheckBox1.State", "Caption", "Ghost.Text"}) {
      Store->PropList()->Add(Line);
    }
  }
  ~TStoreForm() { delete Form; }
};
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzComponents::Start();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TStoreForm F;
  for (bool Ignore : {true, false}) {
    F.Store->IgnoreErrors = Ignore;
    if (!Ignore) {
      continue;  // without IgnoreErrors a message box would ask: only the silent path is fuzzed
    }
    try {
      TStringStream In(std::string(reinterpret_cast<const char*>(Data), Size));
      F.Store->LoadFromStream(&In);
    } catch (const Exception&) {
    }
  }
  TStringStream Out;
  F.Store->SaveToStream(&Out);
  return 0;
}
