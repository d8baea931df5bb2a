// Published properties read, written, copied and enumerated by their type records; property lists of two
// selections intersected; common ancestors of classes.
#pragma once

#include "platform/classes/ClassData.h"
#include "platform/classes/Classes.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/Variants.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Vivaridiriz {

// Values through variants. Ordinal kinds (integer, character, enumeration, set, class) move as integers (a
// class property as its object, see GetPropValueByPropInfo), floats as reals, string kinds (short, long,
// wide, wide character) as strings, variants as they are; other kinds give an unassigned variant.
// A class property gives its object as an opaque pointer variant (varUnknown); null gives 0.
Variant GetPropValueByPropInfo(TPersistent* Instance, PPropInfo PropInfo);
// Nothing for no record. Ordinal kinds: a string is read with StrToInt (EConvertError on bad text), any other
// value goes through CorrectBool and AsInteger. A class property takes an opaque pointer variant (or 0 for
// none); other values raise EPropertyError "Invalid property value". Read-only properties raise the layer's
// read-only error.
void SetPropValueByPropInfo(TPersistent* Instance, PPropInfo PropInfo, const Variant& Value);
// A copy of Value, but the boolean true becomes the integer 1.
Variant CorrectBool(const Variant& Value);
// The ordinal value of the named property (a class property: the object's address); 0 for none or no such
// property.
NativeInt GetClassProperty(TPersistent* Instance, const std::string& PropName);
PTypeInfo GetPTypeInfo(PPropInfo PropInfo);

int GetOrdSize(TOrdType OrdType);
int GetFloatSize(TFloatType FloatType);
int GetPropValueSize(TPersistent* Instance, PPropInfo PropInfo);
int GetDWordSize(int N);

// Copying. Both objects must be set and differ; properties of kinds without a value form (events, 64-bit
// integers) and destination properties without a setter are skipped.
void AssignAllProps(TPersistent* Source, TPersistent* Dest);
void AssignAllPropsExclude(TPersistent* Source, TPersistent* Dest, TStringList* Exclude);
void AssignProp(TPersistent* Source, TPersistent* Dest, const std::string& PropName);
void AssignPropInfo(TPersistent* Source, TPersistent* Dest, PPropInfo SourceProp, PPropInfo DestProp);
void AssignProps(TPersistent* Source, TPersistent* Dest, const std::vector<std::string>& Names);
void AssignPropsEx(TPersistent* Source, TPersistent* Dest, const std::string& CommaNames);

// Enumerating, in the order of the layer's property list (sorted by name).
using TPropCallBack = std::function<void(TPersistent* Instance, PPropInfo PropInfo, NativeInt UserData)>;
void IterateProps(TPersistent* Instance, const TTypeKinds& TypeKinds, bool OnlyStored, NativeInt UserData,
                  const TPropCallBack& CallBack);
void ForEachProp(TPersistent* Instance, bool OnlyStored, NativeInt UserData, const TPropCallBack& CallBack);

// Classes.
bool InheritsFromClassName(const TObject* Instance, const std::string& ClassName);  // ASCII case ignored
TClass GetCommonParent(TClass ClassA, TClass ClassB);
std::string GetColItemDisplayName(TCollectionItem* Item);  // "" for none
void SetColItemDisplayName(TCollectionItem* Item, const std::string& Name);

// A class's published-method list and class name, replaceable (null restores the class's own). Published
// methods are then looked up in the replacement; the replaced name is what ClassNamePtr gives (the meta class
// keeps its own).
const TMethodTable* MethodTable(TClass AClass);
void SetMethodTable(TClass AClass, const TMethodTable* Table);
const std::string* ClassNamePtr(TClass AClass);
void SetClassNamePtr(TClass AClass, const std::string* Name);
// Calls the parameterless published method Code on Instance; nothing when either is none or the method
// takes arguments.
void CallMethod(TObject* Instance, const TMethodEntry* Code);

}  // namespace Vivaridiriz

namespace Dorazori {

// By name: nothing (or an unassigned result) for no instance or no such property.
Variant GetPropValue(TPersistent* Instance, const std::string& PropName);
void SetPropValue(TPersistent* Instance, const std::string& PropName, const Variant& Value);
void SetPropValues(const std::vector<TPersistent*>& Instances, const std::string& PropName, const Variant& Value);
void SetEnabledControls(const std::vector<TPersistent*>& Instances, bool Enabled);
bool PropertyExists(TPersistent* Instance, const std::string& PropName);
// Clears List and adds every published property name, inherited ones first, in declaration order.
void PropNamesToStrings(TPersistent* Instance, TStrings* List);
// Sets each published property whose name=value line in List has a non-empty trimmed value.
void AssignPropsFromStrings(TPersistent* Instance, TStrings* List);
// An enumeration's value names, lowest first; List is left alone for other types.
void DCGetEnumTypeValueNames(PTypeInfo TypeInfo, TStrings* List);
// The declaring unit of the object's class. The layer's type records carry no unit names: always "".
std::string GetClassUnit(TPersistent* Instance);

// The property records of a class with the given kinds (sorted by name), shared by reference.
class ZEZPropInfoList {
public:
  ZEZPropInfoList(TPersistent* Instance, const TTypeKinds& TypeKinds) { UpdateList(Instance, TypeKinds); }
  Integer Count() const { return static_cast<Integer>(FList.size()); }
  PPropInfo Items(Integer Index) const;  // null out of range
  void Delete(Integer Index);
  // Keeps only entries that Other holds too (same type record, name with ASCII case ignored).
  void Intersect(const ZEZPropInfoList& Other);
  void UpdateList(TPersistent* Instance, const TTypeKinds& TypeKinds);
  bool IsInList(PPropInfo PropInfo) const;

private:
  TPropList FList;
};
using IDCPropInfoList = std::shared_ptr<ZEZPropInfoList>;
IDCPropInfoList DCCreatePropInfoList(TPersistent* Instance, const TTypeKinds& TypeKinds);

// The nearest common ancestor of the classes of the objects in List (TObject pointers); null when empty.
TClass GetCommonClassesParent(const TList* List);

}  // namespace Dorazori
