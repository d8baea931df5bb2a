// Published-property reflection: lookup of properties, fields and methods, and access by record or name.
#include "platform/classes/TypInfo.h"

#include "platform/classes/ClassData.h"
#include "platform/rtl/MetaClassHook.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <unordered_map>

const TTypeKinds tkAny = [] {
  TTypeKinds K;
  for (int I = tkUnknown; I <= tkDynArray; ++I) {
    K.Include(static_cast<TTypeKind>(I));
  }
  return K;
}();
const TTypeKinds tkMethods{tkMethod};
const TTypeKinds tkProperties = tkAny - TTypeKinds{tkUnknown, tkMethod};

namespace {
const char* const SInvalidPropertyElement = "Invalid property element: %s";

[[noreturn]] void UnknownProperty(std::string_view Name) {
  throw EPropertyError(Format(RtlConsts::SUnknownProperty, {Name}));
}

PPropInfo FindPropInfo(const TObject* Instance, std::string_view Name) {
  PPropInfo Info = Instance != nullptr ? GetPropInfo(Instance, Name) : nullptr;
  if (Info == nullptr) {
    UnknownProperty(Name);
  }
  return Info;
}
}  // namespace

// ---- type records ----

TTypeInfo MakeOrdTypeInfo(TTypeKind Kind, std::string Name, TOrdType OrdType, Int64 MinValue, Int64 MaxValue) {
  TTypeInfo I;
  I.Kind = Kind;
  I.Name = std::move(Name);
  I.OrdType = OrdType;
  I.MinValue = MinValue;
  I.MaxValue = MaxValue;
  return I;
}

TTypeInfo MakeEnumTypeInfo(std::string Name, std::initializer_list<const char*> Names) {
  TTypeInfo I;
  I.Kind = tkEnumeration;
  I.Name = std::move(Name);
  I.OrdType = Names.size() <= 256 ? otUByte : otUWord;
  for (const char* N : Names) {
    I.NameList.emplace_back(N);
  }
  I.MinValue = 0;
  I.MaxValue = static_cast<Int64>(I.NameList.size()) - 1;
  return I;
}

TTypeInfo MakeFloatTypeInfo(std::string Name, TFloatType FloatType) {
  TTypeInfo I;
  I.Kind = tkFloat;
  I.Name = std::move(Name);
  I.FloatType = FloatType;
  return I;
}

PTypeInfo TypeInfoBoolean() {
  static const TTypeInfo Info = MakeEnumTypeInfo("Boolean", {"False", "True"});
  return &Info;
}
PTypeInfo TypeInfoChar() {
  static const TTypeInfo Info = MakeOrdTypeInfo(tkChar, "Char", otUByte, 0, 255);
  return &Info;
}
PTypeInfo TypeInfoInt64() {
  static const TTypeInfo Info = MakeOrdTypeInfo(tkInt64, "Int64", otSLong, INT64_MIN, INT64_MAX);
  return &Info;
}
PTypeInfo TypeInfoString() {
  static const TTypeInfo Info = [] {
    TTypeInfo I;
    I.Kind = tkLString;
    I.Name = "string";
    return I;
  }();
  return &Info;
}
PTypeInfo TypeInfoSingle() {
  static const TTypeInfo Info = MakeFloatTypeInfo("Single", ftSingle);
  return &Info;
}
PTypeInfo TypeInfoDouble() {
  static const TTypeInfo Info = MakeFloatTypeInfo("Double", ftDouble);
  return &Info;
}
PTypeInfo TypeInfoVariant() {
  static const TTypeInfo Info = [] {
    TTypeInfo I;
    I.Kind = tkVariant;
    I.Name = "Variant";
    return I;
  }();
  return &Info;
}
PTypeInfo TypeInfoCurrency() {
  static const TTypeInfo Info = MakeFloatTypeInfo("Currency", ftCurr);
  return &Info;
}
PTypeInfo TypeInfoDateTime() {
  static const TTypeInfo Info = MakeFloatTypeInfo("TDateTime", ftDouble);
  return &Info;
}

// ---- property records ----

void TPropInfo::KindError() const {
  throw EPropertyError(Format(RtlConsts::SInvalidPropertyType, {PropType != nullptr ? PropType->Name : Name}));
}
void TPropInfo::ReadOnlyError() const {
  throw EPropertyError(RtlConsts::SReadOnlyProperty);
}
void RaiseInvalidPropertyValue() {
  throw EPropertyError(RtlConsts::SInvalidPropertyValue);
}

Int64 TPropInfo::GetOrd(const TObject*) const { KindError(); }
void TPropInfo::SetOrd(TObject*, Int64) const { KindError(); }
std::string TPropInfo::GetStr(const TObject*) const { KindError(); }
void TPropInfo::SetStr(TObject*, const std::string&) const { KindError(); }
Extended TPropInfo::GetFloat(const TObject*) const { KindError(); }
void TPropInfo::SetFloat(TObject*, Extended) const { KindError(); }
TObject* TPropInfo::GetObject(const TObject*) const { KindError(); }
void TPropInfo::SetObject(TObject*, TObject*) const { KindError(); }
TMethod TPropInfo::GetMethod(const TObject*) const { KindError(); }
void TPropInfo::SetMethod(TObject*, const TMethod&) const { KindError(); }
Variant TPropInfo::GetVariant(const TObject*) const { KindError(); }
void TPropInfo::SetVariant(TObject*, const Variant&) const { KindError(); }
bool TPropInfo::IsStored(const TObject*) const { return true; }

// ---- methods and fields ----

// ---- replaceable class data ----

namespace {
struct TClassDataReplacements {
  std::mutex Lock;
  std::map<TClass, const TMethodTable*> Methods;
  std::map<TClass, const std::string*> Names;
};
TClassDataReplacements& Replacements() {
  static TClassDataReplacements R;
  return R;
}
template <class T>
void Replace(std::map<TClass, const T*>& Map, TClass AClass, const T* Value) {
  std::lock_guard<std::mutex> Guard(Replacements().Lock);
  if (Value != nullptr) {
    Map[AClass] = Value;
  } else {
    Map.erase(AClass);
  }
}
}  // namespace

const TMethodTable* GetMethodTable(TClass AClass) {
  if (AClass == nullptr) {
    return nullptr;
  }
  {
    std::lock_guard<std::mutex> Guard(Replacements().Lock);
    const auto It = Replacements().Methods.find(AClass);
    if (It != Replacements().Methods.end()) {
      return It->second;
    }
  }
  return &AClass->OwnMethods();
}

void ReplaceMethodTable(TClass AClass, const TMethodTable* Table) { Replace(Replacements().Methods, AClass, Table); }

const std::string* GetClassNamePtr(TClass AClass) {
  if (AClass == nullptr) {
    return nullptr;
  }
  std::lock_guard<std::mutex> Guard(Replacements().Lock);
  const auto It = Replacements().Names.find(AClass);
  return It != Replacements().Names.end() ? It->second : &AClass->ClassName();
}

void ReplaceClassNamePtr(TClass AClass, const std::string* Name) { Replace(Replacements().Names, AClass, Name); }

const TMethodEntry* MethodAddress(TClass AClass, std::string_view Name) {
  for (TClass C = AClass; C != nullptr; C = C->ClassParent()) {
    for (const auto& M : *GetMethodTable(C)) {
      if (SameText(M->Name, Name)) {
        return M.get();
      }
    }
  }
  return nullptr;
}

std::string MethodName(TClass AClass, const TMethodEntry* Code) {
  if (Code != nullptr && AClass != nullptr && AClass->InheritsFrom(Code->Owner)) {
    return Code->Name;
  }
  return std::string();
}

const TFieldEntry* FieldAddress(TClass AClass, std::string_view Name) {
  for (TClass C = AClass; C != nullptr; C = C->ClassParent()) {
    for (const auto& F : C->OwnFields()) {
      if (SameText(F->Name, Name)) {
        return F.get();
      }
    }
  }
  return nullptr;
}

TClass GetFieldClass(TClass AClass, std::string_view ClassName) {
  for (TClass C = AClass; C != nullptr; C = C->ClassParent()) {
    for (const auto& F : C->OwnFields()) {
      if (SameText(F->FieldClass->ClassName(), ClassName)) {
        return F->FieldClass;
      }
    }
  }
  return nullptr;
}

// ---- lookup ----

PPropInfo GetPropInfo(TClass AClass, std::string_view PropName) {
  for (TClass C = AClass; C != nullptr; C = C->ClassParent()) {
    for (const auto& P : C->OwnProperties()) {
      if (SameText(P->Name, PropName)) {
        return P.get();
      }
    }
  }
  return nullptr;
}

PPropInfo GetPropInfo(const TObject* Instance, std::string_view PropName) {
  return Instance != nullptr ? GetPropInfo(Instance->ClassType(), PropName) : nullptr;
}

PPropInfo GetPropInfo(const TObject* Instance, std::string_view PropName, const TTypeKinds& AKinds) {
  PPropInfo P = GetPropInfo(Instance, PropName);
  return P != nullptr && AKinds.Contains(P->PropType->Kind) ? P : nullptr;
}

namespace {
void ForgetPropInfos(TClass Gone);

// Property lists per class, built once: meta classes and their properties never change after publishing. A meta
// class that goes (its library unloaded) takes its list and those of the classes derived from it along.
struct TPropListCache {
  TPropListCache() { SetMetaClassGoneHook(&ForgetPropInfos); }
  ~TPropListCache() { SetMetaClassGoneHook(nullptr); }
  std::mutex Lock;
  std::unordered_map<TClass, TPropList> Lists;
};
TPropListCache& Cache() {
  static TPropListCache C;
  return C;
}

void ForgetPropInfos(TClass Gone) {
  TPropListCache& C = Cache();
  std::lock_guard<std::mutex> Guard(C.Lock);
  for (auto It = C.Lists.begin(); It != C.Lists.end();) {
    bool Derived = false;
    for (TClass K = It->first; K != nullptr && !Derived; K = K->ClassParent()) {
      Derived = K == Gone;
    }
    It = Derived ? C.Lists.erase(It) : std::next(It);
  }
}

TPropList BuildPropInfos(TClass AClass);
}  // namespace

TPropList GetPropInfos(TClass AClass) {
  if (AClass == nullptr) {
    return TPropList();
  }
  {
    std::lock_guard<std::mutex> Guard(Cache().Lock);
    auto It = Cache().Lists.find(AClass);
    if (It != Cache().Lists.end()) {
      return It->second;
    }
  }
  // Built outside the lock: publishers may ask for their ancestors' lists.
  TPropList List = BuildPropInfos(AClass);
  std::lock_guard<std::mutex> Guard(Cache().Lock);
  return Cache().Lists.emplace(AClass, std::move(List)).first->second;
}

namespace {
TPropList BuildPropInfos(TClass AClass) {
  TPropList List;
  std::vector<TClass> Chain;
  for (TClass C = AClass; C != nullptr; C = C->ClassParent()) {
    Chain.push_back(C);
  }
  for (auto It = Chain.rbegin(); It != Chain.rend(); ++It) {
    for (const auto& P : (*It)->OwnProperties()) {
      auto Same = std::find_if(List.begin(), List.end(), [&](PPropInfo Q) { return SameText(Q->Name, P->Name); });
      if (Same != List.end()) {
        *Same = P.get();
      } else {
        List.push_back(P.get());
      }
    }
  }
  return List;
}
}  // namespace

TPropList GetPropList(const TObject* Instance) {
  return Instance != nullptr ? GetPropInfos(Instance->ClassType()) : TPropList();
}

int GetPropList(TClass AClass, const TTypeKinds& TypeKinds, TPropList& List, bool SortList) {
  List.clear();
  for (PPropInfo P : GetPropInfos(AClass)) {
    if (TypeKinds.Contains(P->PropType->Kind)) {
      List.push_back(P);
    }
  }
  if (SortList) {
    std::stable_sort(List.begin(), List.end(), [](PPropInfo A, PPropInfo B) { return CompareText(A->Name, B->Name) < 0; });
  }
  return static_cast<int>(List.size());
}

bool IsPublishedProp(const TObject* Instance, std::string_view PropName) {
  return GetPropInfo(Instance, PropName) != nullptr;
}
bool IsPublishedProp(TClass AClass, std::string_view PropName) {
  return GetPropInfo(AClass, PropName) != nullptr;
}

TTypeKind PropType(const TObject* Instance, std::string_view PropName) {
  return FindPropInfo(Instance, PropName)->PropType->Kind;
}
TTypeKind PropType(TClass AClass, std::string_view PropName) {
  PPropInfo P = GetPropInfo(AClass, PropName);
  if (P == nullptr) {
    UnknownProperty(PropName);
  }
  return P->PropType->Kind;
}
bool PropIsType(const TObject* Instance, std::string_view PropName, TTypeKind TypeKind) {
  return PropType(Instance, PropName) == TypeKind;
}
bool IsStoredProp(const TObject* Instance, PPropInfo PropInfo) {
  return PropInfo->IsStored(Instance);
}
bool IsStoredProp(const TObject* Instance, std::string_view PropName) {
  return FindPropInfo(Instance, PropName)->IsStored(Instance);
}

// ---- access ----

Int64 GetOrdProp(const TObject* Instance, PPropInfo PropInfo) { return PropInfo->GetOrd(Instance); }
Int64 GetOrdProp(const TObject* Instance, std::string_view PropName) {
  return FindPropInfo(Instance, PropName)->GetOrd(Instance);
}
void SetOrdProp(TObject* Instance, PPropInfo PropInfo, Int64 Value) { PropInfo->SetOrd(Instance, Value); }
void SetOrdProp(TObject* Instance, std::string_view PropName, Int64 Value) {
  FindPropInfo(Instance, PropName)->SetOrd(Instance, Value);
}
std::string GetStrProp(const TObject* Instance, PPropInfo PropInfo) { return PropInfo->GetStr(Instance); }
std::string GetStrProp(const TObject* Instance, std::string_view PropName) {
  return FindPropInfo(Instance, PropName)->GetStr(Instance);
}
void SetStrProp(TObject* Instance, PPropInfo PropInfo, const std::string& Value) {
  PropInfo->SetStr(Instance, Value);
}
void SetStrProp(TObject* Instance, std::string_view PropName, const std::string& Value) {
  FindPropInfo(Instance, PropName)->SetStr(Instance, Value);
}
Extended GetFloatProp(const TObject* Instance, PPropInfo PropInfo) { return PropInfo->GetFloat(Instance); }
Extended GetFloatProp(const TObject* Instance, std::string_view PropName) {
  return FindPropInfo(Instance, PropName)->GetFloat(Instance);
}
void SetFloatProp(TObject* Instance, PPropInfo PropInfo, Extended Value) { PropInfo->SetFloat(Instance, Value); }
void SetFloatProp(TObject* Instance, std::string_view PropName, Extended Value) {
  FindPropInfo(Instance, PropName)->SetFloat(Instance, Value);
}
Int64 GetInt64Prop(const TObject* Instance, PPropInfo PropInfo) { return PropInfo->GetOrd(Instance); }
Int64 GetInt64Prop(const TObject* Instance, std::string_view PropName) {
  return FindPropInfo(Instance, PropName)->GetOrd(Instance);
}
void SetInt64Prop(TObject* Instance, PPropInfo PropInfo, Int64 Value) { PropInfo->SetOrd(Instance, Value); }
void SetInt64Prop(TObject* Instance, std::string_view PropName, Int64 Value) {
  FindPropInfo(Instance, PropName)->SetOrd(Instance, Value);
}

TObject* GetObjectProp(const TObject* Instance, PPropInfo PropInfo, TClass MinClass) {
  TObject* Obj = PropInfo->GetObject(Instance);
  return Obj != nullptr && (MinClass == nullptr || Obj->InheritsFrom(MinClass)) ? Obj : nullptr;
}
TObject* GetObjectProp(const TObject* Instance, std::string_view PropName, TClass MinClass) {
  return GetObjectProp(Instance, FindPropInfo(Instance, PropName), MinClass);
}
void SetObjectProp(TObject* Instance, PPropInfo PropInfo, TObject* Value) { PropInfo->SetObject(Instance, Value); }
void SetObjectProp(TObject* Instance, std::string_view PropName, TObject* Value) {
  FindPropInfo(Instance, PropName)->SetObject(Instance, Value);
}
TMethod GetMethodProp(const TObject* Instance, PPropInfo PropInfo) { return PropInfo->GetMethod(Instance); }
TMethod GetMethodProp(const TObject* Instance, std::string_view PropName) {
  return FindPropInfo(Instance, PropName)->GetMethod(Instance);
}
void SetMethodProp(TObject* Instance, PPropInfo PropInfo, const TMethod& Value) {
  PropInfo->SetMethod(Instance, Value);
}
void SetMethodProp(TObject* Instance, std::string_view PropName, const TMethod& Value) {
  FindPropInfo(Instance, PropName)->SetMethod(Instance, Value);
}

Variant GetVariantProp(const TObject* Instance, PPropInfo PropInfo) { return PropInfo->GetVariant(Instance); }
Variant GetVariantProp(const TObject* Instance, std::string_view PropName) {
  return FindPropInfo(Instance, PropName)->GetVariant(Instance);
}
void SetVariantProp(TObject* Instance, PPropInfo PropInfo, const Variant& Value) {
  PropInfo->SetVariant(Instance, Value);
}
void SetVariantProp(TObject* Instance, std::string_view PropName, const Variant& Value) {
  FindPropInfo(Instance, PropName)->SetVariant(Instance, Value);
}

Variant GetPropValue(const TObject* Instance, std::string_view PropName, bool PreferStrings) {
  PPropInfo P = FindPropInfo(Instance, PropName);
  switch (P->PropType->Kind) {
    case tkInteger:
    case tkChar:
      return Variant(static_cast<long long>(P->GetOrd(Instance)));
    case tkEnumeration:
      if (PreferStrings) {
        return Variant(GetEnumName(P->PropType, P->GetOrd(Instance)));
      }
      if (P->PropType == TypeInfo<bool>()) {
        return Variant(P->GetOrd(Instance) != 0);
      }
      return Variant(static_cast<long long>(P->GetOrd(Instance)));
    case tkSet:
      if (PreferStrings) {
        return Variant(GetSetProp(Instance, P));
      }
      return Variant(static_cast<long long>(P->GetOrd(Instance)));
    case tkInt64:
      return Variant(static_cast<long long>(P->GetOrd(Instance)));
    case tkFloat:
      return Variant(P->GetFloat(Instance));
    case tkString:
    case tkLString:
    case tkWString:
      return Variant(P->GetStr(Instance));
    case tkVariant:
      return P->GetVariant(Instance);
    default:
      throw EPropertyError(Format(RtlConsts::SInvalidPropertyType, {P->PropType->Name}));
  }
}

void SetPropValue(TObject* Instance, std::string_view PropName, const Variant& Value) {
  PPropInfo P = FindPropInfo(Instance, PropName);
  const bool IsText = VarType(Value) == varString || VarType(Value) == varOleStr;
  switch (P->PropType->Kind) {
    case tkInteger:
    case tkChar:
    case tkInt64:
      P->SetOrd(Instance, IsText ? StrToInt64(VarToStr(Value)) : static_cast<Int64>(Value.AsInteger()));
      break;
    case tkEnumeration:
      if (IsText) {
        SetEnumProp(Instance, PropName, VarToStr(Value));
      } else if (VarType(Value) == varBoolean) {
        P->SetOrd(Instance, Value.AsBoolean() ? 1 : 0);
      } else {
        P->SetOrd(Instance, Value.AsInteger());
      }
      break;
    case tkSet:
      if (IsText) {
        SetSetProp(Instance, P, VarToStr(Value));
      } else {
        P->SetOrd(Instance, Value.AsInteger());
      }
      break;
    case tkFloat:
      P->SetFloat(Instance, Value.AsDouble());
      break;
    case tkString:
    case tkLString:
    case tkWString:
      P->SetStr(Instance, VarToStr(Value));
      break;
    case tkVariant:
      P->SetVariant(Instance, Value);
      break;
    default:
      throw EPropertyError(Format(RtlConsts::SInvalidPropertyType, {P->PropType->Name}));
  }
}

std::string GetEnumProp(const TObject* Instance, std::string_view PropName) {
  PPropInfo P = FindPropInfo(Instance, PropName);
  return GetEnumName(P->PropType, P->GetOrd(Instance));
}
void SetEnumProp(TObject* Instance, std::string_view PropName, std::string_view Value) {
  PPropInfo P = FindPropInfo(Instance, PropName);
  int V = GetEnumValue(P->PropType, Value);
  if (V < 0) {
    throw EPropertyError(Format(SInvalidPropertyElement, {Value}));
  }
  P->SetOrd(Instance, V);
}

// ---- enumerations and sets ----

std::string GetEnumName(PTypeInfo TypeInfo, Int64 Value) {
  if (TypeInfo == nullptr) {
    return std::string();
  }
  if (TypeInfo->Kind != tkEnumeration) {
    return IntToStr(Value);
  }
  if (Value < 0 || Value >= static_cast<Int64>(TypeInfo->NameList.size())) {
    return std::string();
  }
  return TypeInfo->NameList[static_cast<std::size_t>(Value)];
}

int GetEnumValue(PTypeInfo TypeInfo, std::string_view Name) {
  if (TypeInfo == nullptr) {
    return -1;
  }
  if (TypeInfo->Kind != tkEnumeration) {
    int V = 0;
    return TryStrToInt(Name, V) ? V : -1;
  }
  for (std::size_t I = 0; I < TypeInfo->NameList.size(); ++I) {
    if (SameText(TypeInfo->NameList[I], Name)) {
      return static_cast<int>(I);
    }
  }
  return -1;
}

std::string SetToString(PTypeInfo SetType, Int64 Value, bool Brackets) {
  std::string S;
  PTypeInfo Comp = SetType != nullptr ? SetType->CompType : nullptr;
  for (int I = 0; I < 64; ++I) {
    if ((static_cast<UInt64>(Value) >> I) & 1u) {
      if (!S.empty()) {
        S += ',';
      }
      S += GetEnumName(Comp, I);
    }
  }
  return Brackets ? "[" + S + "]" : S;
}

std::string SetToString(PPropInfo PropInfo, Int64 Value, bool Brackets) {
  return SetToString(PropInfo->PropType, Value, Brackets);
}

Int64 StringToSet(PTypeInfo SetType, std::string_view Value) {
  std::string S = Trim(Value);
  if (!S.empty() && S.front() == '[') {
    S.erase(0, 1);
  }
  if (!S.empty() && S.back() == ']') {
    S.pop_back();
  }
  UInt64 Result = 0;
  std::size_t Start = 0;
  while (Start <= S.size()) {
    std::size_t Comma = S.find(',', Start);
    std::string Name = Trim(std::string_view(S).substr(Start, Comma == std::string::npos ? std::string::npos : Comma - Start));
    if (!Name.empty()) {
      int V = GetEnumValue(SetType != nullptr ? SetType->CompType : nullptr, Name);
      if (V < 0 || V >= 64) {
        throw EPropertyError(Format(SInvalidPropertyElement, {Name}));
      }
      Result |= UInt64(1) << V;
    }
    if (Comma == std::string::npos) {
      break;
    }
    Start = Comma + 1;
  }
  return static_cast<Int64>(Result);
}

std::string GetSetProp(const TObject* Instance, PPropInfo PropInfo, bool Brackets) {
  return SetToString(PropInfo->PropType, PropInfo->GetOrd(Instance), Brackets);
}
std::string GetSetProp(const TObject* Instance, std::string_view PropName, bool Brackets) {
  return GetSetProp(Instance, FindPropInfo(Instance, PropName), Brackets);
}
void SetSetProp(TObject* Instance, PPropInfo PropInfo, std::string_view Value) {
  PropInfo->SetOrd(Instance, StringToSet(PropInfo->PropType, Value));
}
void SetSetProp(TObject* Instance, std::string_view PropName, std::string_view Value) {
  SetSetProp(Instance, FindPropInfo(Instance, PropName), Value);
}
