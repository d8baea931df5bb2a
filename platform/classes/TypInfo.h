// Published-property reflection: type records, property records, published fields and methods, and the
// routines that read and write published properties by name.
#pragma once

#include "platform/rtl/Sets.h"
#include "platform/rtl/System.h"
#include "platform/rtl/Variants.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

enum TTypeKind {
  tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod, tkWChar,
  tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray
};
using TTypeKinds = TSet<TTypeKind, tkDynArray>;
extern const TTypeKinds tkAny;         // every kind
extern const TTypeKinds tkMethods;     // [tkMethod]
extern const TTypeKinds tkProperties;  // every kind but tkUnknown and tkMethod

enum TOrdType { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };
enum TFloatType { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

// Describes one type. Records live for the whole process and are compared by address.
struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  std::string Name;
  TOrdType OrdType = otSLong;          // ordinal kinds
  Int64 MinValue = 0;                  // ordinal kinds
  Int64 MaxValue = 0;
  std::vector<std::string> NameList;   // tkEnumeration: value names, ordinal 0 first
  const TTypeInfo* CompType = nullptr; // tkSet: the element type
  TClass ClassType = nullptr;          // tkClass
  TFloatType FloatType = ftDouble;     // tkFloat
};
using PTypeInfo = const TTypeInfo*;

TTypeInfo MakeOrdTypeInfo(TTypeKind Kind, std::string Name, TOrdType OrdType, Int64 MinValue, Int64 MaxValue);
TTypeInfo MakeEnumTypeInfo(std::string Name, std::initializer_list<const char*> Names);
TTypeInfo MakeFloatTypeInfo(std::string Name, TFloatType FloatType);
// Float types that share double with others but stream differently (vaCurrency, vaDate).
PTypeInfo TypeInfoCurrency();
PTypeInfo TypeInfoDateTime();

// TTypeInfoOf<T>::Get() gives the type record of a C++ type used as a property's value. Integers, bool, char,
// float, double, Int64, std::string, TSet<E, Max>, pointers to TObject descendants and std::function events
// are known; enumerations declare theirs at global scope with Z_ENUM_TYPEINFO(TAlign, "alNone", "alTop", ...).
template <class T, class Enable = void> struct TTypeInfoOf;
template <class T> PTypeInfo TypeInfo() { return TTypeInfoOf<std::remove_cvref_t<T>>::Get(); }

#define Z_ENUM_TYPEINFO(E, ...)                                                                                \
  template <> struct TTypeInfoOf<E> {                                                                          \
    static PTypeInfo Get() {                                                                                   \
      static const TTypeInfo Info = MakeEnumTypeInfo(#E, {__VA_ARGS__});                                       \
      return &Info;                                                                                            \
    }                                                                                                          \
  };

// A published method of a class, found by name. Events bound through it remember the entry, so that the
// handler's name can be written back (see TBoundMethod).
struct TMethodEntry {
  std::string Name;
  TClass Owner = nullptr;
  virtual ~TMethodEntry() = default;
};

// A method pointer as the class library has it: the published method (Code) and the object (Data).
// Code is null for no handler, and for a handler that is not a published method.
struct TMethod {
  const TMethodEntry* Code = nullptr;
  TObject* Data = nullptr;
  friend bool operator==(const TMethod&, const TMethod&) = default;
};

// A published field holding a reference to an object (a form's child components): the reader assigns it
// when it reads a component of that name.
struct TFieldEntry {
  std::string Name;
  TClass FieldClass = nullptr;
  virtual ~TFieldEntry() = default;
  virtual TObject* Get(const TObject* Instance) const = 0;
  // Stores Value (null clears); returns false when Value is not of the field's class.
  virtual bool Set(TObject* Instance, TObject* Value) const = 0;
};

// Published methods and fields by name (ASCII case ignored), searched from AClass up to TObject.
const TMethodEntry* MethodAddress(TClass AClass, std::string_view Name);
std::string MethodName(TClass AClass, const TMethodEntry* Code);  // empty when AClass has no such method
const TFieldEntry* FieldAddress(TClass AClass, std::string_view Name);
// The class of a published field of that class name declared in AClass or an ancestor (the reader uses it
// to find a child's class without the class registry); null when there is none.
TClass GetFieldClass(TClass AClass, std::string_view ClassName);

inline constexpr Int64 NoDefault = static_cast<Int64>(static_cast<Integer>(0x80000000u));

// One published property. Records are created by a class's publisher and live for the whole process.
struct TPropInfo {
  std::string Name;
  PTypeInfo PropType = nullptr;
  TClass Owner = nullptr;          // the class that declared it
  Int64 Default = NoDefault;       // ordinal default (sets as bit masks); NoDefault when there is none
  int NameIndex = 0;               // position in the class's property list
  bool HasGetter = false;
  bool HasSetter = false;

  virtual ~TPropInfo() = default;
  virtual Int64 GetOrd(const TObject* Instance) const;
  virtual void SetOrd(TObject* Instance, Int64 Value) const;
  virtual std::string GetStr(const TObject* Instance) const;
  virtual void SetStr(TObject* Instance, const std::string& Value) const;
  virtual Extended GetFloat(const TObject* Instance) const;
  virtual void SetFloat(TObject* Instance, Extended Value) const;
  virtual TObject* GetObject(const TObject* Instance) const;
  virtual void SetObject(TObject* Instance, TObject* Value) const;
  virtual TMethod GetMethod(const TObject* Instance) const;
  virtual void SetMethod(TObject* Instance, const TMethod& Value) const;
  virtual Variant GetVariant(const TObject* Instance) const;
  virtual void SetVariant(TObject* Instance, const Variant& Value) const;
  // The stored rule: true, false, or a member function of the instance.
  virtual bool IsStored(const TObject* Instance) const;

protected:
  [[noreturn]] void KindError() const;
  [[noreturn]] void ReadOnlyError() const;
};
using PPropInfo = const TPropInfo*;
using TPropList = std::vector<PPropInfo>;

// Property lookup (ASCII case ignored). GetPropInfo returns null when there is no such property.
PPropInfo GetPropInfo(TClass AClass, std::string_view PropName);
PPropInfo GetPropInfo(const TObject* Instance, std::string_view PropName);
PPropInfo GetPropInfo(const TObject* Instance, std::string_view PropName, const TTypeKinds& AKinds);
// Every published property of the class, inherited ones first, each in declaration order. A property
// published again by a descendant keeps its ancestor's place.
TPropList GetPropInfos(TClass AClass);
TPropList GetPropList(const TObject* Instance);
// The properties of the given kinds; sorted by name when SortList, as the class library does. Returns the count.
int GetPropList(TClass AClass, const TTypeKinds& TypeKinds, TPropList& List, bool SortList = true);
bool IsPublishedProp(const TObject* Instance, std::string_view PropName);
bool IsPublishedProp(TClass AClass, std::string_view PropName);
// The kind of a property's type; raises EPropertyError "Property %s does not exist" when there is none.
TTypeKind PropType(const TObject* Instance, std::string_view PropName);
TTypeKind PropType(TClass AClass, std::string_view PropName);
bool PropIsType(const TObject* Instance, std::string_view PropName, TTypeKind TypeKind);
bool IsStoredProp(const TObject* Instance, PPropInfo PropInfo);
bool IsStoredProp(const TObject* Instance, std::string_view PropName);

// Access by record or by name. The by-name forms raise EPropertyError "Property %s does not exist";
// a wrong kind raises EPropertyError "Invalid property type: %s"; writing a property without a setter
// raises EPropertyError "Property is read-only". Ordinal values of sets are bit masks. An ordinal outside an
// enumeration's values leaves the property as it was.
Int64 GetOrdProp(const TObject* Instance, PPropInfo PropInfo);
Int64 GetOrdProp(const TObject* Instance, std::string_view PropName);
void SetOrdProp(TObject* Instance, PPropInfo PropInfo, Int64 Value);
void SetOrdProp(TObject* Instance, std::string_view PropName, Int64 Value);
std::string GetStrProp(const TObject* Instance, PPropInfo PropInfo);
std::string GetStrProp(const TObject* Instance, std::string_view PropName);
void SetStrProp(TObject* Instance, PPropInfo PropInfo, const std::string& Value);
void SetStrProp(TObject* Instance, std::string_view PropName, const std::string& Value);
Extended GetFloatProp(const TObject* Instance, PPropInfo PropInfo);
Extended GetFloatProp(const TObject* Instance, std::string_view PropName);
void SetFloatProp(TObject* Instance, PPropInfo PropInfo, Extended Value);
void SetFloatProp(TObject* Instance, std::string_view PropName, Extended Value);
Int64 GetInt64Prop(const TObject* Instance, PPropInfo PropInfo);
Int64 GetInt64Prop(const TObject* Instance, std::string_view PropName);
void SetInt64Prop(TObject* Instance, PPropInfo PropInfo, Int64 Value);
void SetInt64Prop(TObject* Instance, std::string_view PropName, Int64 Value);
// MinClass: null is returned when the object is not of that class.
TObject* GetObjectProp(const TObject* Instance, PPropInfo PropInfo, TClass MinClass = nullptr);
TObject* GetObjectProp(const TObject* Instance, std::string_view PropName, TClass MinClass = nullptr);
// Raises EPropertyError "Invalid property value" when Value is not of the property's class.
void SetObjectProp(TObject* Instance, PPropInfo PropInfo, TObject* Value);
void SetObjectProp(TObject* Instance, std::string_view PropName, TObject* Value);
TMethod GetMethodProp(const TObject* Instance, PPropInfo PropInfo);
TMethod GetMethodProp(const TObject* Instance, std::string_view PropName);
// Binds the event to Value.Code on Value.Data (clears it when Code is null); raises EPropertyError
// "Invalid property value" when the method's parameters differ from the event's.
void SetMethodProp(TObject* Instance, PPropInfo PropInfo, const TMethod& Value);
void SetMethodProp(TObject* Instance, std::string_view PropName, const TMethod& Value);
Variant GetVariantProp(const TObject* Instance, PPropInfo PropInfo);
Variant GetVariantProp(const TObject* Instance, std::string_view PropName);
void SetVariantProp(TObject* Instance, PPropInfo PropInfo, const Variant& Value);
void SetVariantProp(TObject* Instance, std::string_view PropName, const Variant& Value);
// Any property as a variant: ordinals as integers (enumerations and sets as their names when PreferStrings),
// floats, strings, variants as they are; methods and objects are not handled (EPropertyError).
Variant GetPropValue(const TObject* Instance, std::string_view PropName, bool PreferStrings = true);
// The reverse: enumeration and set names are accepted from strings.
void SetPropValue(TObject* Instance, std::string_view PropName, const Variant& Value);
std::string GetEnumProp(const TObject* Instance, std::string_view PropName);
void SetEnumProp(TObject* Instance, std::string_view PropName, std::string_view Value);

// Enumerations: the name of an ordinal ("" when out of range; integer types give the number as text) and the
// ordinal of a name (ASCII case ignored; -1 when there is none).
std::string GetEnumName(PTypeInfo TypeInfo, Int64 Value);
int GetEnumValue(PTypeInfo TypeInfo, std::string_view Name);
// Sets as text: "a,b" ("[a,b]" with Brackets); StringToSet accepts either, spaces allowed, and raises
// EPropertyError "Invalid property element: %s" on an unknown name.
std::string SetToString(PPropInfo PropInfo, Int64 Value, bool Brackets = false);
std::string SetToString(PTypeInfo SetType, Int64 Value, bool Brackets = false);
Int64 StringToSet(PTypeInfo SetType, std::string_view Value);
std::string GetSetProp(const TObject* Instance, PPropInfo PropInfo, bool Brackets = false);
std::string GetSetProp(const TObject* Instance, std::string_view PropName, bool Brackets = false);
void SetSetProp(TObject* Instance, PPropInfo PropInfo, std::string_view Value);
void SetSetProp(TObject* Instance, std::string_view PropName, std::string_view Value);

#include "platform/classes/TypInfoImpl.h"
