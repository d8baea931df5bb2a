// The process-wide class parameter registry: classes or objects registered with named variant parameters,
// found again by class relationship and parameter values; verbs registered through it.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/rtl/Variants.h"

#include <functional>
#include <string>
#include <vector>

namespace Dorazori {

inline constexpr const char* SParamsMismatch = "Each parameter value needs a name";

enum TCompareParam { cpIgnoreCase, cpPartialCompare };
using TCompareParams = TSet<TCompareParam, cpPartialCompare>;

// One registration: its target (a class or an object) and its parameters by name (ASCII case ignored).
class TObjectParamListItem : public TCollectionItem {
  Z_CLASS(TObjectParamListItem, TCollectionItem)
public:
  explicit TObjectParamListItem(TCollection* ACollection);
  ~TObjectParamListItem() override;

  Variant GetParamByName(const std::string& Name) const;  // Null when absent
  void SetParamByName(const std::string& Name, const Variant& Value);
  const void* GetObjectPtr() const { return Target; }
  TClass GetClassPtr() const { return HoldsClass ? static_cast<TClass>(Target) : nullptr; }

  TStringList* Params;
  const void* Target = nullptr;
  bool HoldsClass = false;
  Integer Group = 0;
};

class TObjectParamList;
using TObjectParamListIterator =
    std::function<Variant(TObjectParamListItem* Item, const std::vector<Variant>& Params, bool& Finish)>;

// The registrations in registration order.
class TObjectParamList : public TCollection {
  Z_CLASS(TObjectParamList, TCollection)
public:
  TObjectParamList();
  TObjectParamListItem* GetItem(Integer Index) const;
  TObjectParamListItem* ItemByDataPtr(const void* Ptr) const;
  // Calls Iterator for every class registration of AClass or a descendant, last first, until it sets Finish;
  // the iterator may delete registrations. Gives the last call's result.
  Variant ForEveryClass(TClass AClass, const std::vector<Variant>& Params, const TObjectParamListIterator& Iterator);
};

// The registry, made on first use and freed by the unit's finalisation.
TObjectParamList* ObjectParamList();

// Names must hold at least as many entries as Values; otherwise Exception SParamsMismatch and nothing is
// registered.
TObjectParamListItem* RegisterClassExt(TClass AClass, const std::vector<std::string>& Names,
                                       const std::vector<Variant>& Values);
TObjectParamListItem* RegisterObjectEx(const void* AObject, const std::vector<std::string>& Names,
                                       const std::vector<Variant>& Values);
void UnRegisterClassExt(const void* AClassOrObject);

// Lookups over class registrations, first to last, by parameter values: GetItemEx takes AClass and its
// descendants, GetItemInherited AClass and its ancestors, GetItemEqual AClass only.
TObjectParamListItem* GetItemEx(TClass AClass, const std::vector<std::string>& Names,
                                const std::vector<Variant>& Values, TCompareParams CompareParams = {});
TObjectParamListItem* GetItemInherited(TClass AClass, const std::vector<std::string>& Names,
                                       const std::vector<Variant>& Values, TCompareParams CompareParams = {});
TObjectParamListItem* GetItemEqual(TClass AClass, const std::vector<std::string>& Names,
                                   const std::vector<Variant>& Values, TCompareParams CompareParams = {});
void GetItemsEx(TClass AClass, const std::vector<std::string>& Names, const std::vector<Variant>& Values,
                TCompareParams CompareParams, TList* List);
TClass GetClassEx(TClass AClass, const std::vector<std::string>& Names, const std::vector<Variant>& Values,
                  TCompareParams CompareParams = {});
TClass GetClassInherited(TClass AClass, const std::vector<std::string>& Names, const std::vector<Variant>& Values,
                         TCompareParams CompareParams = {});
// GetItemEx for AClass, then its parent and so on, up to and including StopClass.
TObjectParamListItem* GetItemExParent(TClass AClass, TClass StopClass, const std::vector<std::string>& Names,
                                      const std::vector<Variant>& Values, TCompareParams CompareParams = {});
// Every class registration of AClass or a descendant, as TClass pointers in registration order.
void GetRegisteredClasses(TClass AClass, TList* List);
bool ParamValuesEqual(const Variant& A, const Variant& B, TCompareParams CompareParams);
// A procedure's address as a parameter value (an opaque pointer; Null for none); AsPointer gives it back.
Variant ProcVariant(void* Proc);

// ---- verbs ----
enum TVerbState { vsVisible, vsEnabled, vsChecked };
using TVerbStates = TSet<TVerbState, vsChecked>;
using TVerbGetStateProc = void (*)(TVerbStates& State);
using TVerbExecuteProc = void (*)();

struct TVerbData {
  std::string Name;
  TVerbGetStateProc GetState = nullptr;
  TVerbExecuteProc Execute = nullptr;
};

// The class verbs are registered under.
class TVerbObject : public TPersistent {
  Z_CLASS(TVerbObject, TPersistent)
public:
  TVerbObject() = default;
};

void RegisterVerb(const std::string& Name, TVerbGetStateProc GetState, TVerbExecuteProc Execute);
void RegisterVerbArray(const std::vector<TVerbData>& Verbs);
// The first verb named Name (case ignored); fills both procedures. Null, and both untouched, when absent.
TObjectParamListItem* GetVerbProcAddr(const std::string& Name, TVerbGetStateProc& GetState, TVerbExecuteProc& Execute);
void CallVerbByName(const std::string& Name);

}  // namespace Dorazori
