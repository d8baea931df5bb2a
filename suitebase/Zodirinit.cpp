// The suite's design services at start-up: the standard property editors (unless a development environment
// registered them), the application object, the run-time editors, the hooks of the other units; and their end.
#include "platform/classes/ClassRegistry.h"
#include "platform/controls/Dialogs.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/UnitInit.h"
#include "suitebase/Classparams.h"
#include "suitebase/Compfiler.h"
#include "suitebase/Compnames.h"
#include "suitebase/Dcvarproped.h"
#include "suitebase/Notifiers.h"
#include "suitebase/Zodiractions.h"
#include "suitebase/Zodirdesigner.h"

namespace Zodir {

ZEZApplication* App = nullptr;
int DCRegisteringStdProps = 0;
bool HideEventsInInspector = false;
bool ToolFormsOnTop = false;

namespace {

class TFakeComponent : public TComponent {
  Z_CLASS(TFakeComponent, TComponent)
public:
  using TComponent::TComponent;
};
class TFakeComponentEditor : public TComponentEditor {
  Z_CLASS(TFakeComponentEditor, TComponentEditor)
};
class TFakePropertyEditor : public TStringProperty {
  Z_CLASS(TFakePropertyEditor, TStringProperty)
};
// A component with one published colour, "c", for the presence test.
class TMClass : public TComponent {
  Z_CLASS(TMClass, TComponent)
public:
  using TComponent::TComponent;
  TColor FC = clBlack;
  static void Publish(TMetaClass& Meta);
};

}  // namespace

Z_IMPLEMENT_CLASS(TFakeComponent, TComponent)
Z_IMPLEMENT_CLASS(TFakeComponentEditor, TComponentEditor)
Z_IMPLEMENT_CLASS(TFakePropertyEditor, TStringProperty)
// gcc 12 takes the one-letter name through its inlined string building for an overlapping copy.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
void TMClass::Publish(TMetaClass& Meta) {
  TPublisher<TMClass> P(Meta);
  P.Property("c", &TMClass::FC, &TMClass::FC).Type(TypeInfoColor());
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
Z_IMPLEMENT_CLASS_PUBLISHED(TMClass, TComponent, TMClass::Publish)
Z_IMPLEMENT_CLASS(TFileNameEdit, TStringProperty)

TPropertyAttributes TFileNameEdit::GetAttributes() { return TPropertyAttributes{paDialog}; }
std::string TFileNameEdit::GetFilter() { return "All files (*.*)|*.*"; }
void TFileNameEdit::Edit() {
  TOpenDialog Dialog(nullptr);
  Dialog.DefaultExt = GetDefaultExtension();
  Dialog.Filter = GetFilter();
  Dialog.FileName = GetValue();
  if (Dialog.Execute()) {
    SetValue(Dialog.FileName);
  }
}

bool StandardEditorsPresent() {
  TMClass Probe(nullptr);
  bool Present = false;
  GetComponentProperties({&Probe}, tkAny, nullptr, [&](TPropertyEditor* Editor) {
    Present = Present || (Editor->GetName() == "c" && Editor->ClassType() == TColorProperty::StaticClass());
    delete Editor;
  });
  return Present;
}

void RegisterStandardEditors() {
  ++DCRegisteringStdProps;
  struct TLower {
    ~TLower() { --DCRegisteringStdProps; }
  } Lower;
  struct TRow {
    PTypeInfo Type;
    TClass Class;
    const char* Name;
    TClass Editor;
  };
  // The layer keeps captions, names, shortcuts and such as plain strings and integers: those editors go by the
  // property names that carry them.
  const TRow Rows[] = {
      {TypeInfo<TObject*>(), nullptr, "", TClassProperty::StaticClass()},
      {TypeInfo<TComponent*>(), nullptr, "", TComponentProperty::StaticClass()},
      {TypeInfo<int>(), nullptr, "", TIntegerProperty::StaticClass()},
      {TypeInfo<Int64>(), nullptr, "", TInt64Property::StaticClass()},
      {TypeInfo<char>(), nullptr, "", TCharProperty::StaticClass()},
      {TypeInfo<std::string>(), nullptr, "", TStringProperty::StaticClass()},
      {TypeInfoColor(), nullptr, "", TColorProperty::StaticClass()},
      {TypeInfo<TFont*>(), nullptr, "", TFontProperty::StaticClass()},
      {TypeInfoCursor(), nullptr, "", TCursorProperty::StaticClass()},
      {TypeInfo<std::string>(), nullptr, "Caption", TCaptionProperty::StaticClass()},
      {TypeInfo<std::string>(), TFont::StaticClass(), "Name", TFontNameProperty::StaticClass()},
      {TypeInfo<int>(), nullptr, "ModalResult", TModalResultProperty::StaticClass()},
      {TypeInfo<int>(), nullptr, "ShortCut", TShortCutProperty::StaticClass()},
      {TypeInfo<std::string>(), TComponent::StaticClass(), "Name", TComponentNameProperty::StaticClass()},
      {TypeInfo<int>(), nullptr, "TabOrder", TTabOrderProperty::StaticClass()},
      {TypeInfoDateTime(), nullptr, "", TDateTimeProperty::StaticClass()},
      {TypeInfo<int>(), TFont::StaticClass(), "Charset", TFontCharsetProperty::StaticClass()},
      {TypeInfo<std::string>(), nullptr, "ImeName", TImeNameProperty::StaticClass()},
      {TypeInfo<bool>(), nullptr, "", TBoolProperty::StaticClass()},
  };
  for (const TRow& R : Rows) {
    RegisterPropertyEditor(R.Type, R.Class, R.Name, R.Editor);
  }
  Dcvarproped::Register();
  RegisterPropertyEditor(TypeInfo<int>(), TFont::StaticClass(), "Size", TFontSizePropEdit::StaticClass());
}

void FreePropEditors() {
  for (int Group = -1; Group <= CurrentGroup; ++Group) {
    FreeEditorGroup(Group);
  }
}

std::string BuildComponentName(TPersistent* Instance, const std::string& Name) {
  if (!Instance) {
    return {};
  }
  auto* Component = dynamic_cast<TComponent*>(Instance);
  const std::string N = !Name.empty() ? Name : (Component ? Component->Name() : std::string());
  if (N.empty()) {
    return {};
  }
  auto* Form = dynamic_cast<TCustomForm*>(Instance);
  const bool Designed = Form && (GetFormDesigner(Form) || Form->ComponentState().Contains(csDesigning));
  const std::string Kind = Designed ? "T" + N : std::string(Instance->ClassName());
  std::string Result;
  Result.reserve(N.size() + 2 + Kind.size());
  Result.append(N).append(": ").append(Kind);
  return Result;
}

namespace {

int InitCount = 0;
int OwnGroup = -2;  // the editor group the start-up made, or -2
TReleaseCustomModuleProc SavedRelease = nullptr;

void ReleaseCustomModule(TObject* Module) {
  Dorazori::UnRegisterClassExt(Module);
  Dorazori::BroadCastToNotifiers(nullptr, Dorazori::SM_FREEEDITGROUP, reinterpret_cast<WPARAM>(Module), 0);
  if (SavedRelease) {
    SavedRelease(Module);
  }
}

}  // namespace

void InitializeZodir() {
  if (InitCount++ > 0) {
    return;
  }
  if (CurrentGroup < 0) {
    OwnGroup = NewEditorGroup();
  }
  SavedRelease = ReleaseCustomModuleProc;
  ReleaseCustomModuleProc = &ReleaseCustomModule;
  RegisterPropertyEditor(TypeInfo<std::string>(), TFakeComponent::StaticClass(), "NN",
                         TFakePropertyEditor::StaticClass());
  RegisterComponentEditor(TFakeComponent::StaticClass(), TFakeComponentEditor::StaticClass());
  Dorazori::UnderDelphiIDE = StandardEditorsPresent();
  new ZEZApplication();
  Dorazori::SafeRegisterClass(Dccommon::TPropFileSystem::StaticClass());
  if (!Dorazori::UnderDelphiIDE) {
    RegisterPropertyEditor(TypeInfo<std::string>(), nullptr, "FileName", TFileNameEdit::StaticClass());
    RegisterPropertyEditor(TypeInfo<std::string>(), nullptr, "ComputerName", TComputerNameProperty::StaticClass());
  }
  InitPropChanges();
  Dorazori::BuildCompNameFunc = &BuildComponentName;
  Dccommon::GetDesignerProc = [](TPersistent* Instance) -> Dccommon::IDesignerNotify* {
    return GetFormDesigner(Instance);
  };
  Dorazori::CallPropEditProc = &CallPropertyEditor;
}

void FinalizeZodir() {
  if (InitCount == 0 || --InitCount > 0) {
    return;
  }
  if (ReleaseCustomModuleProc == &ReleaseCustomModule) {
    ReleaseCustomModuleProc = SavedRelease;
  }
  SavedRelease = nullptr;
  delete App;
  DonePropChanges();
  Dorazori::BuildCompNameFunc = nullptr;
  Dccommon::GetDesignerProc = nullptr;
  Dorazori::CallPropEditProc = nullptr;
  if (OwnGroup != -2) {
    FreeEditorGroup(OwnGroup);
    OwnGroup = -2;
  }
}

}  // namespace Zodir

Z_REGISTER_UNIT(UnitOrder::Zodir, "Zodir", &Zodir::InitializeZodir, &Zodir::FinalizeZodir)
