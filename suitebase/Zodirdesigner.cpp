// The run-time form designer, property editors found by name, and the property-change registry.
#include "suitebase/Zodirdesigner.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "suitebase/Compnames.h"
#include "suitebase/Notifiers.h"

#include <algorithm>
#include <memory>

namespace Zodir {

namespace {

// Keeps a temporary designer alive for a call: one counted reference, released at the end.
class TDesignerRef {
public:
  explicit TDesignerRef(TFDesigner* D) : FDesigner(D) {
    if (FDesigner) {
      FDesigner->_AddRef();
    }
  }
  ~TDesignerRef() {
    if (FDesigner) {
      FDesigner->_Release();
    }
  }
  TDesignerRef(const TDesignerRef&) = delete;
  TDesignerRef& operator=(const TDesignerRef&) = delete;
  TFDesigner* Get() const { return FDesigner; }

private:
  TFDesigner* FDesigner;
};

// The designer of the instance's form, else a new one for its top owner (and its form).
TFDesigner* DesignerFor(TPersistent* Instance) {
  if (TFDesigner* D = GetFormDesigner(Instance)) {
    return D;
  }
  auto* D = new TFDesigner();
  D->SetOwnerControl(Dccommon::GetTopOwner(Instance));
  D->SetCustomForm(Dccommon::GetPForm(Instance));
  return D;
}

std::string FirstSegment(const std::string& Path) { return Path.substr(0, Path.find('.')); }

// Looks for the editor of Path among the editors Source offers; see GetPropertyEditor.
TPropertyEditor* FindInEditors(const std::function<void(const TGetPropEditProc&)>& Source, std::string Path,
                               TPropertyEditor*& SetEditor) {
  TPropertyEditor* Result = nullptr;
  Source([&](TPropertyEditor* Editor) {
    std::unique_ptr<TPropertyEditor> Own(Editor);
    if (Result || Path.empty() || !SameText(Editor->GetName(), FirstSegment(Path))) {
      return;
    }
    const std::size_t Dot = Path.find('.');
    if (Dot == std::string::npos) {
      Result = Own.release();
      return;
    }
    const std::string Rest = Path.substr(Dot + 1);
    Result = FindInEditors([&](const TGetPropEditProc& Proc) { Editor->GetProperties(Proc); }, Rest, SetEditor);
    if (dynamic_cast<TSetProperty*>(Editor) && !SetEditor) {
      SetEditor = Own.release();
    }
  });
  return Result;
}

struct TPCNotifierInfo {
  TPersistent* Instance;
  TPropChangesMethod Proc;
};

std::vector<TPCNotifierInfo>& PCNotifiers() {
  static std::vector<TPCNotifierInfo> List;
  return List;
}

}  // namespace

// ---- The designer ----------------------------------------------------------------------------------------------

std::vector<TFDesigner*>& DesignerList() {
  static std::vector<TFDesigner*> List;
  return List;
}

TFDesigner::TFDesigner() { DesignerList().push_back(this); }

TFDesigner::~TFDesigner() {
  auto& L = DesignerList();
  L.erase(std::remove(L.begin(), L.end(), this), L.end());
}

TComponent* TFDesigner::GetOwnerControl() { return FOwnerControl ? FOwnerControl : FCustomForm; }

std::string TFDesigner::GetRootClassName() { return FOwnerControl ? FOwnerControl->ClassName() : std::string(); }

void TFDesigner::SetLimitControl(TWinControl* Control) {
  if (Control && !Control->ControlStyle.Contains(csAcceptsControls)) {
    throw EPropertyError("Invalid property value");
  }
  FLimitControl = Control;
}

bool TFDesigner::IsSelected(TPersistent* Obj) const { return FSelection.IndexOf(Obj) >= 0; }

void TFDesigner::SelectComponent(TPersistent* Obj) {
  FSelection.Clear();
  FSelection.Add(Obj);
  SelectionChanged();
}

void TFDesigner::DeselectComponent(TPersistent* Obj) {
  if (FSelection.IndexOf(Obj) >= 0) {
    FSelection.Remove(Obj);
    SelectionChanged();
  }
}

void TFDesigner::GetSelections(TDesignerSelections& List) {
  for (Integer I = 0; I < FSelection.Count(); ++I) {
    List.push_back(static_cast<TPersistent*>(FSelection.Items(I)));
  }
}

void TFDesigner::SetSelections(const TDesignerSelections& List) {
  FSelection.Clear();
  for (TPersistent* P : List) {
    FSelection.Add(P);
  }
  SelectionChanged();
}

void TFDesigner::ValidateSelection() {
  FSelection.Pack();
  if (FSelection.Count() == 0 && !FLimitControl && GetOwnerControl()) {
    FSelection.Add(static_cast<TPersistent*>(GetOwnerControl()));
  }
}

void TFDesigner::SelectionChanged() {
  if (InUpdate()) {
    return;
  }
  ValidateSelection();
  Dorazori::BroadCastToNotifiers(nullptr, SM_SELECTIONCHANGED, reinterpret_cast<WPARAM>(&FSelection),
                                 reinterpret_cast<LPARAM>(static_cast<IFormDesigner*>(this)));
}

void TFDesigner::Modified() {
  const bool WasEmpty = FSelection.Count() == 0;
  if (WasEmpty && GetOwnerControl()) {
    FSelection.Add(static_cast<TPersistent*>(GetOwnerControl()));
  }
  Dorazori::BroadCastToNotifiers(nullptr, SM_DESIGNERMODIFIED, reinterpret_cast<WPARAM>(&FSelection), 0);
  if (WasEmpty) {
    FSelection.Clear();
  }
}

void TFDesigner::Notification(TPersistent* Obj, TOperation Operation) {
  if (Operation == opInsert && Obj && GetOwnerControl() && Dccommon::GetTopOwner(Obj) == GetOwnerControl()) {
    Dorazori::BroadCastToNotifiers(nullptr, SM_OBJECTINSERTED, reinterpret_cast<WPARAM>(Obj), 0);
  }
}

void TFDesigner::ValidateRename(TComponent* Component, const std::string& CurrentName, const std::string& NewName) {
  (void)CurrentName;
  TComponent* Target = Component ? Component : GetOwnerControl();
  Dorazori::BroadCastToNotifiers(nullptr, SM_COMPONENTRENAMING, reinterpret_cast<WPARAM>(Target),
                                 reinterpret_cast<LPARAM>(NewName.c_str()));
}

std::string TFDesigner::UniqueName(const std::string& Base) { return Dorazori::UniqueName(GetOwnerControl(), Base); }

void TFDesigner::GetComponentNames(TClass Class, const std::function<void(const std::string&)>& Proc) {
  TComponent* Owner = GetOwnerControl();
  if (!Owner) {
    return;
  }
  for (int I = 0; I < Owner->ComponentCount(); ++I) {
    TComponent* C = Owner->Components(I);
    if (!C->Name().empty() && (!Class || C->InheritsFrom(Class))) {
      Proc(C->Name());
    }
  }
}

TComponent* TFDesigner::GetComponent(const std::string& Name) {
  if (Name.find('.') != std::string::npos) {
    return Dccommon::GlobalFindObject(Name);
  }
  TComponent* Owner = GetOwnerControl();
  if (!Owner) {
    return nullptr;
  }
  if (SameText(Owner->Name(), Name)) {
    return Owner;
  }
  return Owner->FindComponent(Name);
}

std::string TFDesigner::GetComponentName(TComponent* Component) {
  if (!Component || Component->Name().empty()) {
    return {};
  }
  TComponent* Owner = Component->Owner();
  if (Owner && Owner != GetOwnerControl() && Component != GetOwnerControl()) {
    return Owner->Name() + "." + Component->Name();
  }
  return Component->Name();
}

TMethod TFDesigner::CreateMethod(const std::string& Name) {
  TComponent* Owner = GetOwnerControl();
  if (!Owner) {
    return {};
  }
  const TMethodEntry* Code = MethodAddress(Owner->ClassType(), Name);
  return Code ? TMethod{Code, Owner} : TMethod{};
}

std::string TFDesigner::GetMethodName(const TMethod& Method) {
  if (!Method.Code || !Method.Data) {
    return {};
  }
  return ::MethodName(Method.Data->ClassType(), Method.Code);
}

bool TFDesigner::MethodExists(const std::string& Name) {
  TComponent* Owner = GetOwnerControl();
  return Owner && MethodAddress(Owner->ClassType(), Name) != nullptr;
}

TFDesigner* GetFormDesigner(TPersistent* Obj) {
  if (!Obj) {
    return nullptr;
  }
  TCustomForm* Form = Dccommon::GetPForm(Obj);
  TComponent* Top = Dccommon::GetTopOwner(Obj);
  for (TFDesigner* D : DesignerList()) {
    if ((Form && D->GetCustomForm() == Form) || (Top && D->GetOwnerControl() == Top && !Form)) {
      return D;
    }
  }
  return nullptr;
}

// ---- Property editors by name ----------------------------------------------------------------------------------

TPropertyEditor* GetPropertyEditor(TPersistent* Instance, const std::string& Path, TPropertyEditor*& SetEditor) {
  SetEditor = nullptr;
  if (!Instance) {
    return nullptr;
  }
  const TDesignerRef Designer(DesignerFor(Instance));
  const TDesignerSelections Selection{Instance};
  return FindInEditors(
      [&](const TGetPropEditProc& Proc) { GetComponentProperties(Selection, tkProperties, Designer.Get(), Proc); },
      Path, SetEditor);
}

void CallPropertyEditor(TPersistent* Instance, const std::string& Name) {
  if (!Instance) {
    return;
  }
  const TDesignerRef Designer(DesignerFor(Instance));
  std::unique_ptr<TPropertyEditor> Found;
  GetComponentProperties({Instance}, tkProperties, Designer.Get(), [&](TPropertyEditor* Editor) {
    std::unique_ptr<TPropertyEditor> Own(Editor);
    if (!Found && SameText(Editor->GetName(), Name)) {
      Found = std::move(Own);
    }
  });
  if (Found) {
    Found->Edit();
  }
}

// ---- Property-change registry ----------------------------------------------------------------------------------

void RegisterPropChangesNotifier(TPersistent* Instance, const TPropChangesMethod& Proc) {
  // Every registration is kept, also a second one for the same instance.
  PCNotifiers().push_back(TPCNotifierInfo{Instance, Proc});
}

void UnRegisterPropChangesNotifier(TPersistent* Instance, const TPropChangesMethod& Proc) {
  auto& L = PCNotifiers();
  const auto It = std::find_if(L.begin(), L.end(),
                               [&](const TPCNotifierInfo& N) { return N.Instance == Instance && N.Proc == Proc; });
  if (It != L.end()) {
    L.erase(It);
  }
}

void NotifyPropChanges(TList* Modified) {
  if (!Modified) {
    return;
  }
  // The registrations to call, each once, taken before any callback can change the registry.
  std::vector<TPCNotifierInfo> Due;
  for (const TPCNotifierInfo& N : PCNotifiers()) {
    if (Modified->IndexOf(N.Instance) >= 0) {
      Due.push_back(N);
    }
  }
  for (const TPCNotifierInfo& N : Due) {
    if (N.Proc.Code) {
      N.Proc.Code(N.Proc.Data, Modified);
    }
  }
}

int PropChangesNotifierCount() { return static_cast<int>(PCNotifiers().size()); }

namespace {
// Hears the designers' modification notices and tells the registrations.
class TPCMessageAnswer : public Dorazori::TMessageAnswer {
public:
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == SM_DESIGNERMODIFIED) {
      NotifyPropChanges(reinterpret_cast<TList*>(Message.WParam));
      return;
    }
    Dorazori::TMessageAnswer::Dispatch(Message);
  }
};
std::unique_ptr<TPCMessageAnswer> PCMessageAnswer;
}  // namespace

void InitPropChanges() {
  if (!PCMessageAnswer) {
    PCMessageAnswer = std::make_unique<TPCMessageAnswer>();
  }
}

void DonePropChanges() {
  PCMessageAnswer.reset();
  PCNotifiers().clear();
}

}  // namespace Zodir
