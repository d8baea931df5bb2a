// The class parameter registry and the verbs registered through it.
#include "suitebase/Classparams.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/UnitInit.h"
#include "suitebase/Notifiers.h"

namespace Dorazori {

Z_IMPLEMENT_CLASS(TObjectParamListItem, TCollectionItem)
Z_IMPLEMENT_CLASS(TObjectParamList, TCollection)
Z_IMPLEMENT_CLASS(TVerbObject, TPersistent)

namespace {
// One parameter's value, held as the object of its name's line.
class TParamHolder : public TObject {
public:
  explicit TParamHolder(const Variant& AValue) : Value(AValue) {}
  Variant Value;
};

TObjectParamList* TheList = nullptr;

inline constexpr const char* ParamVerbName = "Verb.Name";
inline constexpr const char* ParamVerbGetState = "Verb.GetState";
inline constexpr const char* ParamVerbExecute = "Verb.Execute";

enum class TClassMatch { Descendant, Ancestor, Exact };

bool ClassMatches(TClass Registered, TClass AClass, TClassMatch Mode) {
  switch (Mode) {
    case TClassMatch::Descendant: return Registered->InheritsFrom(AClass);
    case TClassMatch::Ancestor: return AClass->InheritsFrom(Registered);
    case TClassMatch::Exact: return Registered == AClass;
  }
  return false;
}

bool ParamsMatch(const TObjectParamListItem* Item, const std::vector<std::string>& Names,
                 const std::vector<Variant>& Values, TCompareParams CompareParams) {
  for (std::size_t I = 0; I < Names.size(); ++I) {
    const Variant Wanted = I < Values.size() ? Values[I] : Null();
    if (!ParamValuesEqual(Item->GetParamByName(Names[I]), Wanted, CompareParams)) {
      return false;
    }
  }
  return true;
}

TObjectParamListItem* FindItem(TClass AClass, const std::vector<std::string>& Names, const std::vector<Variant>& Values,
                               TCompareParams CompareParams, TClassMatch Mode, TList* All) {
  if (AClass == nullptr) {
    return nullptr;
  }
  TObjectParamList* L = ObjectParamList();
  for (Integer I = 0; I < L->Count(); ++I) {
    TObjectParamListItem* Item = L->GetItem(I);
    if (Item->HoldsClass && ClassMatches(Item->GetClassPtr(), AClass, Mode) &&
        ParamsMatch(Item, Names, Values, CompareParams)) {
      if (All == nullptr) {
        return Item;
      }
      All->Add(Item);
    }
  }
  return nullptr;
}

TObjectParamListItem* Register(const void* Target, bool HoldsClass, const std::vector<std::string>& Names,
                               const std::vector<Variant>& Values) {
  if (Names.size() < Values.size()) {
    throw Exception(SParamsMismatch);
  }
  auto* Item = static_cast<TObjectParamListItem*>(ObjectParamList()->Add());
  Item->Target = Target;
  Item->HoldsClass = HoldsClass;
  for (std::size_t I = 0; I < Values.size(); ++I) {
    Item->SetParamByName(Names[I], Values[I]);
  }
  return Item;
}

void FinalizeParams() { FreeAndNil(TheList); }
}  // namespace

TObjectParamListItem::TObjectParamListItem(TCollection* ACollection)
    : TCollectionItem(ACollection), Params(new TStringList()) {
  Params->SetSorted(true);
  Params->SetDuplicates(dupIgnore);
}

TObjectParamListItem::~TObjectParamListItem() {
  for (Integer I = 0; I < Params->Count(); ++I) {
    delete Params->Objects(I);
  }
  delete Params;
}

Variant TObjectParamListItem::GetParamByName(const std::string& Name) const {
  Integer Index = 0;
  if (!Params->Find(Name, Index)) {
    return Null();
  }
  return static_cast<TParamHolder*>(Params->Objects(Index))->Value;
}

void TObjectParamListItem::SetParamByName(const std::string& Name, const Variant& Value) {
  Integer Index = 0;
  if (Params->Find(Name, Index)) {
    static_cast<TParamHolder*>(Params->Objects(Index))->Value = Value;
  } else {
    (void)Params->AddObject(Name, new TParamHolder(Value));  // a sorted list places it itself
  }
}

TObjectParamList::TObjectParamList() : TCollection(TObjectParamListItem::StaticClass()) {}

TObjectParamListItem* TObjectParamList::GetItem(Integer Index) const {
  return static_cast<TObjectParamListItem*>(Items(Index));
}

TObjectParamListItem* TObjectParamList::ItemByDataPtr(const void* Ptr) const {
  for (Integer I = 0; I < Count(); ++I) {
    if (GetItem(I)->Target == Ptr) {
      return GetItem(I);
    }
  }
  return nullptr;
}

Variant TObjectParamList::ForEveryClass(TClass AClass, const std::vector<Variant>& Params,
                                        const TObjectParamListIterator& Iterator) {
  Variant Result;
  bool Finish = false;
  Integer I = Count() - 1;
  while (I >= 0 && !Finish) {
    TObjectParamListItem* Item = GetItem(I);
    if (Item->HoldsClass && AClass != nullptr && Item->GetClassPtr()->InheritsFrom(AClass)) {
      Result = Iterator(Item, Params, Finish);
    }
    I = std::min(I, Count()) - 1;
  }
  return Result;
}

TObjectParamList* ObjectParamList() {
  if (TheList == nullptr) {
    TheList = new TObjectParamList();
  }
  return TheList;
}

Variant ProcVariant(void* Proc) { return Proc != nullptr ? Variant::FromPointer(varUnknown, Proc) : Null(); }

bool ParamValuesEqual(const Variant& A, const Variant& B, TCompareParams CompareParams) {
  if (VarType(A) != VarType(B)) {
    return false;
  }
  if (VarType(A) == varString || VarType(A) == varOleStr) {
    std::string SA = A.AsString();
    std::string SB = B.AsString();
    if (CompareParams.Contains(cpIgnoreCase)) {
      SA = AnsiUpperCase(SA);
      SB = AnsiUpperCase(SB);
    }
    if (!CompareParams.Contains(cpPartialCompare)) {
      return SA == SB;
    }
    // Containment by substring position: an empty text is contained nowhere.
    return (!SA.empty() && SB.find(SA) != std::string::npos) || (!SB.empty() && SA.find(SB) != std::string::npos);
  }
  return A == B;
}

TObjectParamListItem* RegisterClassExt(TClass AClass, const std::vector<std::string>& Names,
                                       const std::vector<Variant>& Values) {
  return Register(AClass, true, Names, Values);
}

TObjectParamListItem* RegisterObjectEx(const void* AObject, const std::vector<std::string>& Names,
                                       const std::vector<Variant>& Values) {
  return Register(AObject, false, Names, Values);
}

void UnRegisterClassExt(const void* AClassOrObject) {
  if (TheList == nullptr) {
    return;
  }
  while (TObjectParamListItem* Item = TheList->ItemByDataPtr(AClassOrObject)) {
    delete Item;
  }
}

TObjectParamListItem* GetItemEx(TClass AClass, const std::vector<std::string>& Names,
                                const std::vector<Variant>& Values, TCompareParams CompareParams) {
  return FindItem(AClass, Names, Values, CompareParams, TClassMatch::Descendant, nullptr);
}

TObjectParamListItem* GetItemInherited(TClass AClass, const std::vector<std::string>& Names,
                                       const std::vector<Variant>& Values, TCompareParams CompareParams) {
  return FindItem(AClass, Names, Values, CompareParams, TClassMatch::Ancestor, nullptr);
}

TObjectParamListItem* GetItemEqual(TClass AClass, const std::vector<std::string>& Names,
                                   const std::vector<Variant>& Values, TCompareParams CompareParams) {
  return FindItem(AClass, Names, Values, CompareParams, TClassMatch::Exact, nullptr);
}

void GetItemsEx(TClass AClass, const std::vector<std::string>& Names, const std::vector<Variant>& Values,
                TCompareParams CompareParams, TList* List) {
  (void)FindItem(AClass, Names, Values, CompareParams, TClassMatch::Descendant, List);  // all go to List
}

TClass GetClassEx(TClass AClass, const std::vector<std::string>& Names, const std::vector<Variant>& Values,
                  TCompareParams CompareParams) {
  TObjectParamListItem* Item = GetItemEx(AClass, Names, Values, CompareParams);
  return Item != nullptr ? Item->GetClassPtr() : nullptr;
}

TClass GetClassInherited(TClass AClass, const std::vector<std::string>& Names, const std::vector<Variant>& Values,
                         TCompareParams CompareParams) {
  TObjectParamListItem* Item = GetItemInherited(AClass, Names, Values, CompareParams);
  return Item != nullptr ? Item->GetClassPtr() : nullptr;
}

TObjectParamListItem* GetItemExParent(TClass AClass, TClass StopClass, const std::vector<std::string>& Names,
                                      const std::vector<Variant>& Values, TCompareParams CompareParams) {
  for (TClass C = AClass; C != nullptr; C = C->ClassParent()) {
    if (TObjectParamListItem* Item = GetItemEx(C, Names, Values, CompareParams)) {
      return Item;
    }
    if (C == StopClass) {
      break;
    }
  }
  return nullptr;
}

void GetRegisteredClasses(TClass AClass, TList* List) {
  List->Clear();
  if (TheList == nullptr || AClass == nullptr) {
    return;
  }
  for (Integer I = 0; I < TheList->Count(); ++I) {
    TObjectParamListItem* Item = TheList->GetItem(I);
    if (Item->HoldsClass && Item->GetClassPtr()->InheritsFrom(AClass)) {
      List->Add(const_cast<TMetaClass*>(Item->GetClassPtr()));
    }
  }
}

// ---- verbs ----

void RegisterVerb(const std::string& Name, TVerbGetStateProc GetState, TVerbExecuteProc Execute) {
  (void)RegisterClassExt(
      TVerbObject::StaticClass(), {ParamVerbName, ParamVerbGetState, ParamVerbExecute},
      {Variant(Name), ProcVariant(reinterpret_cast<void*>(GetState)), ProcVariant(reinterpret_cast<void*>(Execute))});
  IDEChanged();
}

void RegisterVerbArray(const std::vector<TVerbData>& Verbs) {
  IDEBeginUpdate();
  try {
    for (const TVerbData& V : Verbs) {
      RegisterVerb(V.Name, V.GetState, V.Execute);
    }
  } catch (...) {
    IDEEndUpdate();
    throw;
  }
  IDEEndUpdate();
}

TObjectParamListItem* GetVerbProcAddr(const std::string& Name, TVerbGetStateProc& GetState, TVerbExecuteProc& Execute) {
  TObjectParamListItem* Item =
      GetItemEx(TVerbObject::StaticClass(), {ParamVerbName}, {Variant(Name)}, TCompareParams{cpIgnoreCase});
  if (Item != nullptr) {
    GetState = reinterpret_cast<TVerbGetStateProc>(Item->GetParamByName(ParamVerbGetState).AsPointer());
    Execute = reinterpret_cast<TVerbExecuteProc>(Item->GetParamByName(ParamVerbExecute).AsPointer());
  }
  return Item;
}

void CallVerbByName(const std::string& Name) {
  TVerbGetStateProc GetState = nullptr;
  TVerbExecuteProc Execute = nullptr;
  if (GetVerbProcAddr(Name, GetState, Execute) != nullptr && Execute != nullptr) {
    Execute();
  }
}

}  // namespace Dorazori

Z_REGISTER_UNIT(UnitOrder::Dorazori, "Dorazori.Params", nullptr, &Dorazori::FinalizeParams)
