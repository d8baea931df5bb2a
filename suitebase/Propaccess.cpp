// Published property access: values through variants, copying, enumeration, property lists and classes.
#include "suitebase/Propaccess.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>

namespace Vivaridiriz {

namespace {
enum class TKindGroup { Ordinal, Object, Float, Text, Var, None };

TKindGroup GroupOf(PPropInfo PropInfo) {
  if (PropInfo == nullptr || PropInfo->PropType == nullptr) {
    return TKindGroup::None;
  }
  switch (PropInfo->PropType->Kind) {
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkSet: return TKindGroup::Ordinal;
    case tkClass: return TKindGroup::Object;
    case tkFloat: return TKindGroup::Float;
    case tkString:
    case tkLString:
    case tkWString:
    case tkWChar: return TKindGroup::Text;
    case tkVariant: return TKindGroup::Var;
    default: return TKindGroup::None;
  }
}

bool IsTextVariant(const Variant& V) { return V.VType() == varString || V.VType() == varOleStr; }

TObject* ObjectFromVariant(const Variant& Value) {
  if (Value.VType() == varUnknown || Value.VType() == varDispatch) {
    return static_cast<TObject*>(Value.AsPointer());
  }
  if (VarIsEmpty(Value) || (!IsTextVariant(Value) && !VarIsNull(Value) && Value.AsDouble() == 0)) {
    return nullptr;
  }
  RaiseInvalidPropertyValue();
}
}  // namespace

Variant GetPropValueByPropInfo(TPersistent* Instance, PPropInfo PropInfo) {
  if (Instance == nullptr) {
    return Unassigned();
  }
  switch (GroupOf(PropInfo)) {
    case TKindGroup::Ordinal: return Variant(static_cast<long long>(PropInfo->GetOrd(Instance)));
    case TKindGroup::Object: {
      TObject* Obj = PropInfo->GetObject(Instance);
      return Obj != nullptr ? Variant::FromPointer(varUnknown, Obj) : Variant(0);
    }
    case TKindGroup::Float: return Variant(static_cast<double>(PropInfo->GetFloat(Instance)));
    case TKindGroup::Text: return Variant(PropInfo->GetStr(Instance));
    case TKindGroup::Var: return PropInfo->GetVariant(Instance);
    case TKindGroup::None: break;
  }
  return Unassigned();
}

void SetPropValueByPropInfo(TPersistent* Instance, PPropInfo PropInfo, const Variant& Value) {
  if (Instance == nullptr) {
    return;
  }
  switch (GroupOf(PropInfo)) {
    case TKindGroup::Ordinal:
      if (IsTextVariant(Value)) {
        PropInfo->SetOrd(Instance, StrToInt(Value.AsString()));
      } else {
        PropInfo->SetOrd(Instance, CorrectBool(Value).AsInteger());
      }
      break;
    case TKindGroup::Object: PropInfo->SetObject(Instance, ObjectFromVariant(Value)); break;
    case TKindGroup::Float: PropInfo->SetFloat(Instance, Value.AsDouble()); break;
    case TKindGroup::Text: PropInfo->SetStr(Instance, Value.AsString()); break;
    case TKindGroup::Var: PropInfo->SetVariant(Instance, Value); break;
    case TKindGroup::None: break;
  }
}

Variant CorrectBool(const Variant& Value) {
  if (Value.VType() == varBoolean && Value.AsBoolean()) {
    return Variant(1);
  }
  return Value;
}

NativeInt GetClassProperty(TPersistent* Instance, const std::string& PropName) {
  PPropInfo Info = Instance != nullptr ? GetPropInfo(Instance, PropName) : nullptr;
  switch (GroupOf(Info)) {
    case TKindGroup::Ordinal: return static_cast<NativeInt>(Info->GetOrd(Instance));
    case TKindGroup::Object: return reinterpret_cast<NativeInt>(Info->GetObject(Instance));
    default: return 0;
  }
}

PTypeInfo GetPTypeInfo(PPropInfo PropInfo) { return PropInfo != nullptr ? PropInfo->PropType : nullptr; }

int GetOrdSize(TOrdType OrdType) {
  switch (OrdType) {
    case otSByte:
    case otUByte: return 1;
    case otSWord:
    case otUWord: return 2;
    default: return 4;
  }
}

int GetFloatSize(TFloatType FloatType) {
  switch (FloatType) {
    case ftSingle: return 4;
    case ftDouble:
    case ftComp:
    case ftCurr: return 8;
    case ftExtended: return 10;
  }
  return 0;
}

int GetPropValueSize(TPersistent* Instance, PPropInfo PropInfo) {
  if (Instance == nullptr || PropInfo == nullptr || PropInfo->PropType == nullptr) {
    return 0;
  }
  const TTypeInfo& Type = *PropInfo->PropType;
  switch (GroupOf(PropInfo)) {
    case TKindGroup::Ordinal:
    case TKindGroup::Object: return GetOrdSize(Type.OrdType);
    case TKindGroup::Float: return GetFloatSize(Type.FloatType);
    case TKindGroup::Text: return static_cast<int>(PropInfo->GetStr(Instance).size());
    case TKindGroup::Var: return 16;
    case TKindGroup::None: break;
  }
  return 0;
}

int GetDWordSize(int N) { return N / 4 + (N % 4 != 0 ? 1 : 0); }

void AssignAllProps(TPersistent* Source, TPersistent* Dest) { AssignAllPropsExclude(Source, Dest, nullptr); }

void AssignAllPropsExclude(TPersistent* Source, TPersistent* Dest, TStringList* Exclude) {
  if (Source == nullptr || Dest == nullptr || Source == Dest) {
    return;
  }
  for (PPropInfo Info : GetPropInfos(Source->ClassType())) {
    if (Exclude == nullptr || Exclude->IndexOf(Info->Name) < 0) {
      AssignProp(Source, Dest, Info->Name);
    }
  }
}

void AssignProp(TPersistent* Source, TPersistent* Dest, const std::string& PropName) {
  if (Source == nullptr || Dest == nullptr) {
    return;
  }
  AssignPropInfo(Source, Dest, GetPropInfo(Source, PropName), GetPropInfo(Dest, PropName));
}

void AssignPropInfo(TPersistent* Source, TPersistent* Dest, PPropInfo SourceProp, PPropInfo DestProp) {
  if (Source == nullptr || Dest == nullptr || SourceProp == nullptr || DestProp == nullptr || !DestProp->HasSetter) {
    return;
  }
  switch (GroupOf(SourceProp)) {
    case TKindGroup::Ordinal: DestProp->SetOrd(Dest, SourceProp->GetOrd(Source)); break;
    case TKindGroup::Object: DestProp->SetObject(Dest, SourceProp->GetObject(Source)); break;
    case TKindGroup::Float: DestProp->SetFloat(Dest, SourceProp->GetFloat(Source)); break;
    case TKindGroup::Text: DestProp->SetStr(Dest, SourceProp->GetStr(Source)); break;
    case TKindGroup::Var: DestProp->SetVariant(Dest, SourceProp->GetVariant(Source)); break;
    case TKindGroup::None: break;
  }
}

void AssignProps(TPersistent* Source, TPersistent* Dest, const std::vector<std::string>& Names) {
  if (Source == nullptr || Dest == nullptr || Source == Dest) {
    return;
  }
  for (const std::string& Name : Names) {
    AssignProp(Source, Dest, Name);
  }
}

void AssignPropsEx(TPersistent* Source, TPersistent* Dest, const std::string& CommaNames) {
  TStringList Names;
  Names.SetCommaText(CommaNames);
  std::vector<std::string> List;
  for (Integer I = 0; I < Names.Count(); ++I) {
    List.push_back(Names[I]);
  }
  AssignProps(Source, Dest, List);
}

void IterateProps(TPersistent* Instance, const TTypeKinds& TypeKinds, bool OnlyStored, NativeInt UserData,
                  const TPropCallBack& CallBack) {
  if (!CallBack || Instance == nullptr) {
    return;
  }
  TPropList List;
  (void)GetPropList(Instance->ClassType(), TypeKinds, List);  // the list itself is what is used
  for (PPropInfo Info : List) {
    if (!OnlyStored || Info->IsStored(Instance)) {
      CallBack(Instance, Info, UserData);
    }
  }
}

void ForEachProp(TPersistent* Instance, bool OnlyStored, NativeInt UserData, const TPropCallBack& CallBack) {
  IterateProps(Instance, tkAny, OnlyStored, UserData, CallBack);
}

bool InheritsFromClassName(const TObject* Instance, const std::string& ClassName) {
  if (Instance == nullptr) {
    return false;
  }
  for (TClass C = Instance->ClassType(); C != nullptr; C = C->ClassParent()) {
    if (SameText(C->ClassName(), ClassName)) {
      return true;
    }
  }
  return false;
}

TClass GetCommonParent(TClass ClassA, TClass ClassB) {
  if (ClassA == nullptr || ClassB == nullptr) {
    return nullptr;
  }
  if (ClassA->InheritsFrom(ClassB)) {
    return ClassB;
  }
  if (ClassB->InheritsFrom(ClassA)) {
    return ClassA;
  }
  return GetCommonParent(ClassA->ClassParent(), ClassB->ClassParent());
}

std::string GetColItemDisplayName(TCollectionItem* Item) { return Item != nullptr ? Item->DisplayName() : ""; }

void SetColItemDisplayName(TCollectionItem* Item, const std::string& Name) {
  if (Item != nullptr) {
    Item->SetDisplayName(Name);
  }
}

const TMethodTable* MethodTable(TClass AClass) { return GetMethodTable(AClass); }

void SetMethodTable(TClass AClass, const TMethodTable* Table) {
  if (AClass != nullptr) {
    ReplaceMethodTable(AClass, Table);
  }
}

const std::string* ClassNamePtr(TClass AClass) { return GetClassNamePtr(AClass); }

void SetClassNamePtr(TClass AClass, const std::string* Name) {
  if (AClass != nullptr) {
    ReplaceClassNamePtr(AClass, Name);
  }
}

void CallMethod(TObject* Instance, const TMethodEntry* Code) {
  const auto* Typed = dynamic_cast<const TTypedMethodEntry<void()>*>(Code);
  if (Instance != nullptr && Typed != nullptr) {
    Typed->Call(Instance)();
  }
}

}  // namespace Vivaridiriz

namespace Dorazori {

Variant GetPropValue(TPersistent* Instance, const std::string& PropName) {
  if (Instance == nullptr) {
    return Unassigned();
  }
  return Vivaridiriz::GetPropValueByPropInfo(Instance, GetPropInfo(Instance, PropName));
}

void SetPropValue(TPersistent* Instance, const std::string& PropName, const Variant& Value) {
  if (Instance != nullptr) {
    Vivaridiriz::SetPropValueByPropInfo(Instance, GetPropInfo(Instance, PropName), Value);
  }
}

void SetPropValues(const std::vector<TPersistent*>& Instances, const std::string& PropName, const Variant& Value) {
  for (TPersistent* Instance : Instances) {
    SetPropValue(Instance, PropName, Value);
  }
}

void SetEnabledControls(const std::vector<TPersistent*>& Instances, bool Enabled) {
  SetPropValues(Instances, "Enabled", Variant(Enabled));
}

bool PropertyExists(TPersistent* Instance, const std::string& PropName) {
  return Instance != nullptr && GetPropInfo(Instance, PropName) != nullptr;
}

void PropNamesToStrings(TPersistent* Instance, TStrings* List) {
  List->Clear();
  if (Instance == nullptr) {
    return;
  }
  for (PPropInfo Info : GetPropInfos(Instance->ClassType())) {
    List->Add(Info->Name);
  }
}

void AssignPropsFromStrings(TPersistent* Instance, TStrings* List) {
  if (Instance == nullptr || List == nullptr) {
    return;
  }
  for (PPropInfo Info : GetPropInfos(Instance->ClassType())) {
    const std::string Value = Trim(List->Values(Info->Name));
    if (!Value.empty()) {
      SetPropValue(Instance, Info->Name, Variant(Value));
    }
  }
}

void DCGetEnumTypeValueNames(PTypeInfo TypeInfo, TStrings* List) {
  if (TypeInfo == nullptr || TypeInfo->Kind != tkEnumeration) {
    return;
  }
  List->Clear();
  for (Int64 V = TypeInfo->MinValue; V <= TypeInfo->MaxValue; ++V) {
    List->Add(GetEnumName(TypeInfo, V));
  }
}

std::string GetClassUnit(TPersistent* /*Instance*/) { return ""; }

PPropInfo ZEZPropInfoList::Items(Integer Index) const {
  return Index >= 0 && Index < Count() ? FList[static_cast<std::size_t>(Index)] : nullptr;
}

void ZEZPropInfoList::Delete(Integer Index) {
  if (Index >= 0 && Index < Count()) {
    FList.erase(FList.begin() + Index);
  }
}

void ZEZPropInfoList::Intersect(const ZEZPropInfoList& Other) {
  for (Integer I = Count() - 1; I >= 0; --I) {
    if (!Other.IsInList(FList[static_cast<std::size_t>(I)])) {
      Delete(I);
    }
  }
}

void ZEZPropInfoList::UpdateList(TPersistent* Instance, const TTypeKinds& TypeKinds) {
  FList.clear();
  if (Instance != nullptr) {
    (void)GetPropList(Instance->ClassType(), TypeKinds, FList);  // the count is FList's size
  }
}

bool ZEZPropInfoList::IsInList(PPropInfo PropInfo) const {
  return PropInfo != nullptr && std::any_of(FList.begin(), FList.end(), [PropInfo](PPropInfo P) {
           return P->PropType == PropInfo->PropType && SameText(P->Name, PropInfo->Name);
         });
}

IDCPropInfoList DCCreatePropInfoList(TPersistent* Instance, const TTypeKinds& TypeKinds) {
  return std::make_shared<ZEZPropInfoList>(Instance, TypeKinds);
}

TClass GetCommonClassesParent(const TList* List) {
  if (List == nullptr || List->Count() == 0) {
    return nullptr;
  }
  TClass Result = static_cast<TObject*>(List->Items(0))->ClassType();
  for (Integer I = 1; I < List->Count(); ++I) {
    Result = Vivaridiriz::GetCommonParent(Result, static_cast<TObject*>(List->Items(I))->ClassType());
  }
  return Result;
}

}  // namespace Dorazori
