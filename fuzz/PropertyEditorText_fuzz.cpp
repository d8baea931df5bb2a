// Texts typed into the object inspector: the input is given to SetValue of every standard and suite property
// editor of a test component and a button (and their sub-properties). Each either takes it or refuses it with an
// exception of the class library; nothing else happens.
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/UnitInit.h"
#include "suitebase/Zodiractions.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

enum TFuzzKind { fkOne, fkTwo, fkThree };

}  // namespace

Z_ENUM_TYPEINFO(TFuzzKind, "fkOne", "fkTwo", "fkThree")

namespace {

using TFuzzKinds = TSet<TFuzzKind, fkThree>;

class TFuzzTarget : public TComponent {
  Z_CLASS(TFuzzTarget, TComponent)
public:
  using TComponent::TComponent;
  int FCount = 0;
  Int64 FBig = 0;
  char FLetter = 'a';
  bool FFlag = false;
  double FRatio = 0;
  double FWhen = 0;
  std::string FText;
  std::string FFileName;
  std::string FComputerName;
  std::string FFolder;
  TFuzzKind FKind = fkOne;
  TFuzzKinds FKinds;
  int FColor = 0;
  int FCursor = 0;
  int FShortCut = 0;
  int FModalResult = 0;
  Variant FValue;
  TComponent* FBuddy = nullptr;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TFuzzTarget> P(Meta);
    P.Property("Count", &TFuzzTarget::FCount, &TFuzzTarget::FCount);
    P.Property("Big", &TFuzzTarget::FBig, &TFuzzTarget::FBig);
    P.Property("Letter", &TFuzzTarget::FLetter, &TFuzzTarget::FLetter);
    P.Property("Flag", &TFuzzTarget::FFlag, &TFuzzTarget::FFlag);
    P.Property("Ratio", &TFuzzTarget::FRatio, &TFuzzTarget::FRatio);
    P.Property("When", &TFuzzTarget::FWhen, &TFuzzTarget::FWhen).Type(TypeInfoDateTime());
    P.Property("Text", &TFuzzTarget::FText, &TFuzzTarget::FText);
    P.Property("FileName", &TFuzzTarget::FFileName, &TFuzzTarget::FFileName);
    P.Property("ComputerName", &TFuzzTarget::FComputerName, &TFuzzTarget::FComputerName);
    P.Property("Folder", &TFuzzTarget::FFolder, &TFuzzTarget::FFolder);
    P.Property("Kind", &TFuzzTarget::FKind, &TFuzzTarget::FKind);
    P.Property("Kinds", &TFuzzTarget::FKinds, &TFuzzTarget::FKinds);
    P.Property("Color", &TFuzzTarget::FColor, &TFuzzTarget::FColor).Type(TypeInfoColor());
    P.Property("Cursor", &TFuzzTarget::FCursor, &TFuzzTarget::FCursor).Type(TypeInfoCursor());
    P.Property("ShortCut", &TFuzzTarget::FShortCut, &TFuzzTarget::FShortCut);
    P.Property("ModalResult", &TFuzzTarget::FModalResult, &TFuzzTarget::FModalResult);
    P.Property("Value", &TFuzzTarget::FValue, &TFuzzTarget::FValue);
    P.Property("Buddy", &TFuzzTarget::FBuddy, &TFuzzTarget::FBuddy);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TFuzzTarget, TComponent, TFuzzTarget::Publish)

TComponent* Root = nullptr;
TFuzzTarget* Target = nullptr;
TButton* Button = nullptr;

void SetEvery(TPropertyEditor* Editor, const std::string& Text, int Depth) {
  std::unique_ptr<TPropertyEditor> Own(Editor);
  try {
    Editor->SetValue(Text);
    (void)Editor->GetValue();
  } catch (const Exception&) {
    // A refused text: the class library's error is the answer.
  }
  if (Depth < 2) {
    Editor->GetProperties([&](TPropertyEditor* Sub) { SetEvery(Sub, Text, Depth + 1); });
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Harness::Start();
  InitializeUnits();
  const int Group = NewEditorGroup();
  (void)Group;
  RegisterPropertyEditor(TypeInfo<std::string>(), TFuzzTarget::StaticClass(), "Folder",
                         Zodir::TDirectoryProperty::StaticClass());
  RegisterPropertyEditor(TypeInfo<std::string>(), TFuzzTarget::StaticClass(), "Text",
                         Zodir::TMonoSpaceFontNamesProperty::StaticClass());
  Root = new TComponent(nullptr);
  Root->SetName("Root");
  Target = new TFuzzTarget(Root);
  Target->SetName("Target");
  Button = new TButton(Root);
  Button->SetName("Button1");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size > 256) {
    return 0;
  }
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  for (TPersistent* Object : std::vector<TPersistent*>{Target, Button}) {
    std::vector<TPropertyEditor*> Editors;
    GetComponentProperties({Object}, tkProperties, nullptr, [&](TPropertyEditor* E) { Editors.push_back(E); });
    for (TPropertyEditor* E : Editors) {
      // The name stays: renaming would only test the component's own name rules over and over.
      if (E->GetName() == "Name") {
        delete E;
        continue;
      }
      SetEvery(E, Text, 0);
    }
  }
  return 0;
}
