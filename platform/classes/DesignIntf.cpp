// The design-time registry: property and component editor registrations with their groups, the standard
// editors of the type kinds, and the property list of a selection.
#include "platform/classes/DesignIntf.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

TReleaseCustomModuleProc ReleaseCustomModuleProc = nullptr;
TRegisterActionsProc RegisterActionsProc = nullptr;

Z_IMPLEMENT_CLASS(TPropertyEditor, TObject)
Z_IMPLEMENT_CLASS(TOrdinalProperty, TPropertyEditor)
Z_IMPLEMENT_CLASS(TIntegerProperty, TOrdinalProperty)
Z_IMPLEMENT_CLASS(TCharProperty, TOrdinalProperty)
Z_IMPLEMENT_CLASS(TEnumProperty, TOrdinalProperty)
Z_IMPLEMENT_CLASS(TBoolProperty, TEnumProperty)
Z_IMPLEMENT_CLASS(TInt64Property, TPropertyEditor)
Z_IMPLEMENT_CLASS(TFloatProperty, TPropertyEditor)
Z_IMPLEMENT_CLASS(TStringProperty, TPropertyEditor)
Z_IMPLEMENT_CLASS(TSetProperty, TOrdinalProperty)
Z_IMPLEMENT_CLASS(TSetElementProperty, TPropertyEditor)
Z_IMPLEMENT_CLASS(TClassProperty, TPropertyEditor)
Z_IMPLEMENT_CLASS(TComponentProperty, TPropertyEditor)
Z_IMPLEMENT_CLASS(TMethodProperty, TPropertyEditor)
Z_IMPLEMENT_CLASS(TVariantProperty, TPropertyEditor)
Z_IMPLEMENT_CLASS(TComponentEditor, TObject)
Z_IMPLEMENT_CLASS(TDefaultEditor, TComponentEditor)

namespace {

inline constexpr const char* SInvalidPropertyValue = "Invalid property value";

struct TPropertyEditorEntry {
  PTypeInfo PropertyType;
  TClass ComponentClass;
  std::string PropertyName;
  TPropertyEditorClass EditorClass;
  int Group;
};

struct TComponentEditorEntry {
  TClass ComponentClass;
  TComponentEditorClass EditorClass;
  int Group;
};

std::vector<TPropertyEditorEntry>& PropertyEditors() {
  static std::vector<TPropertyEditorEntry> List;
  return List;
}

std::vector<TComponentEditorEntry>& ComponentEditors() {
  static std::vector<TComponentEditorEntry> List;
  return List;
}

int& LastGroup() {
  static int Group = -1;
  return Group;
}

bool IsClassType(PTypeInfo T) { return T && T->Kind == tkClass && T->ClassType; }

// Whether a registration's type covers the property's type: the same record, or an ancestor class of its class.
bool TypeCovers(PTypeInfo Registered, PTypeInfo PropType) {
  if (Registered == PropType) {
    return true;
  }
  return IsClassType(Registered) && IsClassType(PropType) && PropType->ClassType->InheritsFrom(Registered->ClassType);
}

// Whether candidate P is a closer match than the current best C for a property of type PropType.
bool Closer(const TPropertyEditorEntry& P, const TPropertyEditorEntry& C, PTypeInfo PropType) {
  // The type first: an exact type, then the nearer ancestor class.
  if (P.PropertyType != C.PropertyType) {
    if (P.PropertyType == PropType) {
      return true;
    }
    if (C.PropertyType == PropType) {
      return false;
    }
    if (IsClassType(P.PropertyType) && IsClassType(C.PropertyType)) {
      if (P.PropertyType->ClassType->InheritsFrom(C.PropertyType->ClassType)) {
        return true;
      }
      if (C.PropertyType->ClassType->InheritsFrom(P.PropertyType->ClassType)) {
        return false;
      }
    }
  }
  // Then the component class: one before none, a descendant before its ancestor.
  if (P.ComponentClass != C.ComponentClass) {
    if (!C.ComponentClass) {
      return true;
    }
    if (!P.ComponentClass) {
      return false;
    }
    if (P.ComponentClass->InheritsFrom(C.ComponentClass)) {
      return true;
    }
    if (C.ComponentClass->InheritsFrom(P.ComponentClass)) {
      return false;
    }
  }
  // Then a name before none; equals go to the later registration (the candidates come newest first).
  return !P.PropertyName.empty() && C.PropertyName.empty();
}

TPropertyEditorClass KindEditor(PTypeInfo T) {
  if (!T) {
    return TPropertyEditor::StaticClass();
  }
  switch (T->Kind) {
    case tkInteger: return TIntegerProperty::StaticClass();
    case tkChar:
    case tkWChar: return TCharProperty::StaticClass();
    case tkEnumeration: return TEnumProperty::StaticClass();
    case tkFloat: return TFloatProperty::StaticClass();
    case tkString:
    case tkLString:
    case tkWString: return TStringProperty::StaticClass();
    case tkSet: return TSetProperty::StaticClass();
    case tkClass: return TClassProperty::StaticClass();
    case tkMethod: return TMethodProperty::StaticClass();
    case tkVariant: return TVariantProperty::StaticClass();
    case tkInt64: return TInt64Property::StaticClass();
    default: return TPropertyEditor::StaticClass();
  }
}

std::unique_ptr<TPropertyEditor> MakeEditor(TPropertyEditorClass Class, IFormDesigner* Designer, int Count) {
  TObject* Obj = Class ? Class->NewInstance() : nullptr;
  auto* Editor = dynamic_cast<TPropertyEditor*>(Obj);
  if (!Editor) {
    delete Obj;
    throw EPropertyError("'" + std::string(Class ? Class->ClassName() : "") + "' is not a property editor");
  }
  Editor->Initialize(Designer, Count);
  return std::unique_ptr<TPropertyEditor>(Editor);
}

PPropInfo FindProp(TPersistent* Instance, const std::string& Name, PTypeInfo Type) {
  PPropInfo Info = ::GetPropInfo(Instance, Name);
  return Info && Info->PropType == Type ? Info : nullptr;
}

}  // namespace

// ---- Designer --------------------------------------------------------------------------------------------------

TComponent* IFormDesigner::GetComponent(const std::string& Name) {
  TComponent* Root = GetRoot();
  if (!Root || Name.empty()) {
    return nullptr;
  }
  if (SameText(Root->Name(), Name)) {
    return Root;
  }
  return Root->FindComponent(Name);
}

void IFormDesigner::GetComponentNames(TClass Class, const std::function<void(const std::string&)>& Proc) {
  TComponent* Root = GetRoot();
  if (!Root) {
    return;
  }
  for (int I = 0; I < Root->ComponentCount(); ++I) {
    TComponent* C = Root->Components(I);
    if (!C->Name().empty() && (!Class || C->InheritsFrom(Class))) {
      Proc(C->Name());
    }
  }
}

// ---- The base editor -------------------------------------------------------------------------------------------

void TPropertyEditor::Initialize(IFormDesigner* ADesigner, int APropCount) {
  FDesigner = ADesigner;
  FProps.assign(static_cast<std::size_t>(std::max(APropCount, 0)), TEntry{});
}

void TPropertyEditor::SetPropEntry(int Index, TPersistent* Instance, PPropInfo Info) {
  FProps[static_cast<std::size_t>(Index)] = TEntry{Instance, Info};
}

TPropertyAttributes TPropertyEditor::GetAttributes() { return TPropertyAttributes{paRevertable}; }
std::string TPropertyEditor::GetValue() { return "(unknown)"; }
void TPropertyEditor::SetValue(const std::string& Value) { (void)Value; }
void TPropertyEditor::GetValues(const std::function<void(const std::string&)>& Proc) { (void)Proc; }
void TPropertyEditor::Edit() {}
void TPropertyEditor::GetProperties(const std::function<void(TPropertyEditor*)>& Proc) { (void)Proc; }
std::string TPropertyEditor::GetName() { return FProps.empty() ? std::string() : FProps[0].Info->Name; }
bool TPropertyEditor::AllEqual() { return FProps.size() <= 1; }

Int64 TPropertyEditor::GetOrdValue() const { return GetOrdValueAt(0); }
Int64 TPropertyEditor::GetOrdValueAt(int Index) const {
  const TEntry& E = FProps[static_cast<std::size_t>(Index)];
  return E.Info->GetOrd(E.Instance);
}
void TPropertyEditor::SetOrdValue(Int64 Value) {
  for (const TEntry& E : FProps) {
    E.Info->SetOrd(E.Instance, Value);
  }
  Modified();
}
std::string TPropertyEditor::GetStrValue() const { return GetStrValueAt(0); }
std::string TPropertyEditor::GetStrValueAt(int Index) const {
  const TEntry& E = FProps[static_cast<std::size_t>(Index)];
  return E.Info->GetStr(E.Instance);
}
void TPropertyEditor::SetStrValue(const std::string& Value) {
  for (const TEntry& E : FProps) {
    E.Info->SetStr(E.Instance, Value);
  }
  Modified();
}
Extended TPropertyEditor::GetFloatValue() const { return FProps[0].Info->GetFloat(FProps[0].Instance); }
void TPropertyEditor::SetFloatValue(Extended Value) {
  for (const TEntry& E : FProps) {
    E.Info->SetFloat(E.Instance, Value);
  }
  Modified();
}
Variant TPropertyEditor::GetVarValue() const { return FProps[0].Info->GetVariant(FProps[0].Instance); }
void TPropertyEditor::SetVarValue(const Variant& Value) {
  for (const TEntry& E : FProps) {
    E.Info->SetVariant(E.Instance, Value);
  }
  Modified();
}
TMethod TPropertyEditor::GetMethodValue() const { return FProps[0].Info->GetMethod(FProps[0].Instance); }

void TPropertyEditor::Modified() {
  if (FDesigner) {
    FDesigner->Modified();
  }
}

// ---- Ordinal kinds ---------------------------------------------------------------------------------------------

bool TOrdinalProperty::AllEqual() {
  for (int I = 1; I < PropCount(); ++I) {
    if (GetOrdValueAt(I) != GetOrdValue()) {
      return false;
    }
  }
  return true;
}

TPropertyAttributes TIntegerProperty::GetAttributes() { return TPropertyAttributes{paMultiSelect, paRevertable}; }
std::string TIntegerProperty::GetValue() { return IntToStr(GetOrdValue()); }
void TIntegerProperty::SetValue(const std::string& Value) {
  const Int64 V = StrToInt64(Trim(Value));
  const PTypeInfo T = GetPropType();
  if (T && T->MinValue < T->MaxValue && (V < T->MinValue || V > T->MaxValue)) {
    throw EPropertyError("Value must be between " + IntToStr(T->MinValue) + " and " + IntToStr(T->MaxValue));
  }
  SetOrdValue(V);
}

TPropertyAttributes TCharProperty::GetAttributes() { return TPropertyAttributes{paMultiSelect, paRevertable}; }
std::string TCharProperty::GetValue() {
  const Int64 C = GetOrdValue();
  if (C > 32 && C < 127) {
    return std::string(1, static_cast<char>(C));
  }
  return "#" + IntToStr(C);
}
void TCharProperty::SetValue(const std::string& Value) {
  if (Value.size() == 1) {
    SetOrdValue(static_cast<unsigned char>(Value[0]));
  } else if (Value.size() > 1 && Value[0] == '#') {
    const Int64 C = StrToInt64(Value.substr(1));
    if (C < 0 || C > 255) {
      throw EPropertyError(SInvalidPropertyValue);
    }
    SetOrdValue(C);
  } else {
    throw EPropertyError(SInvalidPropertyValue);
  }
}

TPropertyAttributes TEnumProperty::GetAttributes() {
  return TPropertyAttributes{paMultiSelect, paValueList, paSortList, paRevertable};
}
std::string TEnumProperty::GetValue() { return GetEnumName(GetPropType(), GetOrdValue()); }
void TEnumProperty::SetValue(const std::string& Value) {
  const int V = GetEnumValue(GetPropType(), Trim(Value));
  if (V < 0) {
    throw EPropertyError(SInvalidPropertyValue);
  }
  SetOrdValue(V);
}
void TEnumProperty::GetValues(const std::function<void(const std::string&)>& Proc) {
  for (const std::string& Name : GetPropType()->NameList) {
    Proc(Name);
  }
}

TPropertyAttributes TInt64Property::GetAttributes() { return TPropertyAttributes{paMultiSelect, paRevertable}; }
bool TInt64Property::AllEqual() {
  for (int I = 1; I < PropCount(); ++I) {
    if (GetOrdValueAt(I) != GetOrdValue()) {
      return false;
    }
  }
  return true;
}
std::string TInt64Property::GetValue() { return IntToStr(GetOrdValue()); }
void TInt64Property::SetValue(const std::string& Value) { SetOrdValue(StrToInt64(Trim(Value))); }

TPropertyAttributes TFloatProperty::GetAttributes() { return TPropertyAttributes{paMultiSelect, paRevertable}; }
bool TFloatProperty::AllEqual() {
  const Extended First = GetFloatValue();
  for (int I = 1; I < PropCount(); ++I) {
    if (GetPropInfo()->GetFloat(GetComponent(I)) != First) {
      return false;
    }
  }
  return true;
}
std::string TFloatProperty::GetValue() { return FloatToStr(GetFloatValue()); }
void TFloatProperty::SetValue(const std::string& Value) { SetFloatValue(StrToFloat(Trim(Value))); }

TPropertyAttributes TStringProperty::GetAttributes() { return TPropertyAttributes{paMultiSelect, paRevertable}; }
bool TStringProperty::AllEqual() {
  for (int I = 1; I < PropCount(); ++I) {
    if (GetStrValueAt(I) != GetStrValue()) {
      return false;
    }
  }
  return true;
}
std::string TStringProperty::GetValue() { return GetStrValue(); }
void TStringProperty::SetValue(const std::string& Value) { SetStrValue(Value); }

// ---- Sets ------------------------------------------------------------------------------------------------------

TPropertyAttributes TSetProperty::GetAttributes() {
  return TPropertyAttributes{paMultiSelect, paSubProperties, paReadOnly, paRevertable};
}
std::string TSetProperty::GetValue() { return SetToString(GetPropType(), GetOrdValue(), true); }
void TSetProperty::SetValue(const std::string& Value) { SetOrdValue(StringToSet(GetPropType(), Value)); }
void TSetProperty::GetProperties(const std::function<void(TPropertyEditor*)>& Proc) {
  const PTypeInfo Element = GetPropType()->CompType;
  if (!Element) {
    return;
  }
  for (Int64 E = Element->MinValue; E <= Element->MaxValue; ++E) {
    auto* Editor = new TSetElementProperty();
    Editor->Initialize(Designer(), PropCount());
    for (int I = 0; I < PropCount(); ++I) {
      Editor->SetPropEntry(I, GetComponent(I), GetPropInfo());
    }
    Editor->SetElement(static_cast<int>(E));
    Proc(Editor);
  }
}

TPropertyAttributes TSetElementProperty::GetAttributes() {
  return TPropertyAttributes{paMultiSelect, paValueList, paSortList};
}
std::string TSetElementProperty::GetName() { return GetEnumName(GetPropType()->CompType, FElement); }
std::string TSetElementProperty::GetValue() { return (GetOrdValue() >> FElement) & 1 ? "True" : "False"; }
void TSetElementProperty::SetValue(const std::string& Value) {
  bool On = false;
  if (SameText(Value, "True")) {
    On = true;
  } else if (!SameText(Value, "False")) {
    throw EPropertyError(SInvalidPropertyValue);
  }
  for (int I = 0; I < PropCount(); ++I) {
    const Int64 Old = GetOrdValueAt(I);
    const Int64 Bit = Int64{1} << FElement;
    GetPropInfo()->SetOrd(GetComponent(I), On ? (Old | Bit) : (Old & ~Bit));
  }
  Modified();
}
void TSetElementProperty::GetValues(const std::function<void(const std::string&)>& Proc) {
  Proc("False");
  Proc("True");
}
bool TSetElementProperty::AllEqual() {
  for (int I = 1; I < PropCount(); ++I) {
    if (((GetOrdValueAt(I) ^ GetOrdValue()) >> FElement) & 1) {
      return false;
    }
  }
  return true;
}

// ---- Objects, references, events, variants ---------------------------------------------------------------------

TPropertyAttributes TClassProperty::GetAttributes() {
  return TPropertyAttributes{paMultiSelect, paSubProperties, paReadOnly};
}
std::string TClassProperty::GetValue() { return "(" + GetPropType()->Name + ")"; }
void TClassProperty::GetProperties(const std::function<void(TPropertyEditor*)>& Proc) {
  TDesignerSelections Objects;
  for (int I = 0; I < PropCount(); ++I) {
    auto* P = dynamic_cast<TPersistent*>(GetPropInfo()->GetObject(GetComponent(I)));
    if (!P) {
      return;
    }
    Objects.push_back(P);
  }
  GetComponentProperties(Objects, tkProperties, Designer(), Proc);
}

TPropertyAttributes TComponentProperty::GetAttributes() {
  return TPropertyAttributes{paMultiSelect, paValueList, paSortList, paRevertable};
}
std::string TComponentProperty::GetValue() {
  auto* C = dynamic_cast<TComponent*>(GetPropInfo()->GetObject(GetComponent(0)));
  if (!C) {
    return {};
  }
  return Designer() ? Designer()->GetComponentName(C) : C->Name();
}
void TComponentProperty::SetValue(const std::string& Value) {
  TComponent* C = nullptr;
  if (!Value.empty()) {
    C = Designer() ? Designer()->GetComponent(Value) : nullptr;
    if (!C || !C->InheritsFrom(GetPropType()->ClassType)) {
      throw EPropertyError(SInvalidPropertyValue);
    }
  }
  for (int I = 0; I < PropCount(); ++I) {
    GetPropInfo()->SetObject(GetComponent(I), C);
  }
  Modified();
}
void TComponentProperty::GetValues(const std::function<void(const std::string&)>& Proc) {
  if (Designer()) {
    Designer()->GetComponentNames(GetPropType()->ClassType, Proc);
  }
}

TPropertyAttributes TMethodProperty::GetAttributes() {
  return TPropertyAttributes{paMultiSelect, paValueList, paSortList, paRevertable};
}
bool TMethodProperty::AllEqual() {
  const TMethod First = GetMethodValue();
  for (int I = 1; I < PropCount(); ++I) {
    if (!(GetPropInfo()->GetMethod(GetComponent(I)) == First)) {
      return false;
    }
  }
  return true;
}
std::string TMethodProperty::GetValue() {
  const TMethod M = GetMethodValue();
  return M.Code ? M.Code->Name : std::string();
}

TPropertyAttributes TVariantProperty::GetAttributes() { return TPropertyAttributes{paMultiSelect}; }
std::string TVariantProperty::GetValue() { return VarToStr(GetVarValue()); }
void TVariantProperty::SetValue(const std::string& Value) { SetVarValue(Variant(Value)); }

// ---- Registrations ---------------------------------------------------------------------------------------------

void RegisterPropertyEditor(PTypeInfo PropertyType, TClass ComponentClass, const std::string& PropertyName,
                            TPropertyEditorClass EditorClass) {
  if (!PropertyType) {
    return;
  }
  PropertyEditors().push_back(
      TPropertyEditorEntry{PropertyType, ComponentClass, PropertyName, EditorClass, CurrentGroup});
}

TPropertyEditorClass GetEditorClass(PPropInfo PropInfo, TClass ObjectClass) {
  if (!PropInfo) {
    return nullptr;
  }
  const PTypeInfo PropType = PropInfo->PropType;
  const TPropertyEditorEntry* Best = nullptr;
  const auto& List = PropertyEditors();
  for (auto It = List.rbegin(); It != List.rend(); ++It) {
    const TPropertyEditorEntry& P = *It;
    if (P.ComponentClass && !(ObjectClass && ObjectClass->InheritsFrom(P.ComponentClass))) {
      continue;
    }
    if (!P.PropertyName.empty() && !SameText(P.PropertyName, PropInfo->Name)) {
      continue;
    }
    if (!TypeCovers(P.PropertyType, PropType)) {
      continue;
    }
    if (!Best || Closer(P, *Best, PropType)) {
      Best = &P;
    }
  }
  return Best ? Best->EditorClass : KindEditor(PropType);
}

void GetComponentProperties(const TDesignerSelections& Components, const TTypeKinds& Filter, IFormDesigner* Designer,
                            const TGetPropEditProc& Proc) {
  if (Components.empty() || !Components[0]) {
    return;
  }
  TPersistent* First = Components[0];
  const int Count = static_cast<int>(Components.size());
  for (PPropInfo Info : GetPropList(First)) {
    if (!Info->PropType || !Filter.Contains(Info->PropType->Kind)) {
      continue;
    }
    const TPropertyEditorClass EditorClass = GetEditorClass(Info, First->ClassType());
    std::vector<PPropInfo> Infos{Info};
    bool Shared = true;
    for (int I = 1; I < Count && Shared; ++I) {
      PPropInfo Other = FindProp(Components[static_cast<std::size_t>(I)], Info->Name, Info->PropType);
      Shared = Other && GetEditorClass(Other, Components[static_cast<std::size_t>(I)]->ClassType()) == EditorClass;
      Infos.push_back(Other);
    }
    if (!Shared) {
      continue;
    }
    std::unique_ptr<TPropertyEditor> Editor = MakeEditor(EditorClass, Designer, Count);
    for (int I = 0; I < Count; ++I) {
      Editor->SetPropEntry(I, Components[static_cast<std::size_t>(I)], Infos[static_cast<std::size_t>(I)]);
    }
    if (Count > 1 && !Editor->GetAttributes().Contains(paMultiSelect)) {
      continue;
    }
    Proc(Editor.release());
  }
}

// ---- Component editors -----------------------------------------------------------------------------------------

void TComponentEditor::Initialize(TComponent* AComponent, IFormDesigner* ADesigner) {
  FComponent = AComponent;
  FDesigner = ADesigner;
}

void TComponentEditor::Edit() {
  if (GetVerbCount() > 0) {
    ExecuteVerb(0);
  }
}

void RegisterComponentEditor(TClass ComponentClass, TComponentEditorClass EditorClass) {
  if (ComponentClass && EditorClass) {
    ComponentEditors().push_back(TComponentEditorEntry{ComponentClass, EditorClass, CurrentGroup});
  }
}

std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* Component, IFormDesigner* Designer) {
  TComponentEditorClass Class = TDefaultEditor::StaticClass();
  TClass Matched = nullptr;
  if (Component) {
    const auto& List = ComponentEditors();
    for (auto It = List.rbegin(); It != List.rend(); ++It) {
      if (Component->InheritsFrom(It->ComponentClass) && (!Matched || It->ComponentClass->InheritsFrom(Matched)) &&
          It->ComponentClass != Matched) {
        Matched = It->ComponentClass;
        Class = It->EditorClass;
      }
    }
  }
  TObject* Obj = Class->NewInstance();
  auto* Editor = dynamic_cast<TComponentEditor*>(Obj);
  if (!Editor) {
    delete Obj;
    Editor = new TDefaultEditor();
  }
  Editor->Initialize(Component, Designer);
  return std::unique_ptr<TComponentEditor>(Editor);
}

// ---- Groups ----------------------------------------------------------------------------------------------------

int NewEditorGroup() {
  LastGroup() = std::max(LastGroup(), CurrentGroup) + 1;
  CurrentGroup = LastGroup();
  return CurrentGroup;
}

void FreeEditorGroup(int Group) {
  auto& P = PropertyEditors();
  P.erase(std::remove_if(P.begin(), P.end(), [Group](const TPropertyEditorEntry& E) { return E.Group == Group; }),
          P.end());
  auto& C = ComponentEditors();
  C.erase(std::remove_if(C.begin(), C.end(), [Group](const TComponentEditorEntry& E) { return E.Group == Group; }),
          C.end());
  if (CurrentGroup == Group) {
    CurrentGroup = Group - 1;
  }
}

int PropertyEditorCount() { return static_cast<int>(PropertyEditors().size()); }
int ComponentEditorCount() { return static_cast<int>(ComponentEditors().size()); }
