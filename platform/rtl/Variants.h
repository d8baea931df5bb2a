// Variant: the class library's tagged value (integers, floats, currency, dates, strings, booleans, Null).
#pragma once

#include "platform/rtl/Types.h"

#include <string>
#include <string_view>

using TVarType = Word;

// The class library's type codes.
inline constexpr TVarType varEmpty = 0x0000;
inline constexpr TVarType varNull = 0x0001;
inline constexpr TVarType varSmallint = 0x0002;
inline constexpr TVarType varInteger = 0x0003;
inline constexpr TVarType varSingle = 0x0004;
inline constexpr TVarType varDouble = 0x0005;
inline constexpr TVarType varCurrency = 0x0006;
inline constexpr TVarType varDate = 0x0007;
inline constexpr TVarType varOleStr = 0x0008;
inline constexpr TVarType varDispatch = 0x0009;
inline constexpr TVarType varError = 0x000A;
inline constexpr TVarType varBoolean = 0x000B;
inline constexpr TVarType varVariant = 0x000C;
inline constexpr TVarType varUnknown = 0x000D;
inline constexpr TVarType varByte = 0x0011;
inline constexpr TVarType varString = 0x0100;
inline constexpr TVarType varTypeMask = 0x0FFF;
inline constexpr TVarType varArray = 0x2000;
inline constexpr TVarType varByRef = 0x4000;

namespace RtlConsts {
inline constexpr const char* SInvalidVarCast = "Invalid variant type conversion";
inline constexpr const char* SVarOverflow = "Variant overflow";
}  // namespace RtlConsts

// A value with a run-time type code. Unassigned (varEmpty) by default.
// Construction picks the type as the class library's assignment does: bool -> varBoolean, short ->
// varSmallint, unsigned char -> varByte, other integers -> varInteger (or varDouble when the value does not
// fit in 32 bits), float -> varSingle, double -> varDouble, text and char -> varString. Dates, currency,
// OLE strings, Null and error codes come from the named factories.
// varOleStr holds the same 8-bit text as varString; only the type code differs. varDispatch and
// varUnknown carry an opaque pointer that no conversion accepts. Variant arrays are not supported.
//
// Conversion rules (As* and VarAsType):
//  - Empty gives 0, 0.0, "" and False; Null converts to nothing but Null and Empty (EVariantError
//    "Invalid variant type conversion"; VarToStr gives "" for Null).
//  - Boolean True is -1 as a number, "True"/"False" as text; text "True"/"False" (any case, blanks
//    around allowed) reads as boolean, as does any number (non-zero is True).
//  - Text to integer accepts StrToInt's syntax or a float rounded to the nearest (ties to even); floats
//    round the same way. A result outside the target range raises EVariantError "Variant overflow".
//  - Dates are TDateTime serials; as text they use DateTimeToStr and TryStrToDateTime (the user's date
//    and time pictures); a date beyond the year 9999 raises "Variant overflow" when shown as text.
class Variant {
public:
  Variant() = default;
  Variant(bool V) : FType(varBoolean), FInt(V ? -1 : 0) {}
  Variant(short V) : FType(varSmallint), FInt(V) {}
  Variant(unsigned char V) : FType(varByte), FInt(V) {}
  Variant(char V) : FType(varString), FStr(1, V) {}
  Variant(int V) : FType(varInteger), FInt(V) {}
  Variant(unsigned V) { SetInt64(V); }
  Variant(long V) { SetInt64(V); }
  Variant(unsigned long V);
  Variant(long long V) { SetInt64(V); }
  Variant(unsigned long long V);
  Variant(float V) : FType(varSingle), FFloat(V) {}
  Variant(double V) : FType(varDouble), FFloat(V) {}
  Variant(const char* V) : FType(varString), FStr(V ? V : "") {}
  Variant(std::string V) : FType(varString), FStr(std::move(V)) {}
  Variant(std::string_view V) : FType(varString), FStr(V) {}

  static Variant FromNull();
  static Variant FromDateTime(TDateTime V);
  static Variant FromCurrency(Currency V);  // rounded to 4 decimals, as the currency type stores it
  static Variant FromOleStr(std::string_view V);
  static Variant FromError(Integer Code);
  static Variant FromPointer(TVarType AType, void* P);  // varDispatch or varUnknown

  TVarType VType() const { return FType; }

  Integer AsInteger() const;
  double AsDouble() const;
  Currency AsCurrency() const;
  TDateTime AsDateTime() const;
  bool AsBoolean() const;
  std::string AsString() const;
  void* AsPointer() const;  // the pointer of varDispatch/varUnknown, else null
  Integer AsError() const { return FType == varError ? static_cast<Integer>(FInt) : 0; }

private:
  void SetInt64(long long V);

  TVarType FType = varEmpty;
  Int64 FInt = 0;    // smallint, integer, byte, boolean (-1/0), error code
  double FFloat = 0;  // single, double, currency, date
  void* FPointer = nullptr;
  std::string FStr;  // string, OLE string
};

TVarType VarType(const Variant& V);
bool VarIsEmpty(const Variant& V);
bool VarIsNull(const Variant& V);
// The value converted to AType (see the rules above); raises EVariantError when it cannot be.
Variant VarAsType(const Variant& V, TVarType AType);
std::string VarToStr(const Variant& V);  // "" for Null
std::string VarToStrDef(const Variant& V, std::string_view Default);  // Default for Null
Variant Null();
Variant Unassigned();

// Comparison: Null equals only Null and is neither less nor greater than anything; texts compare by bytes;
// numbers, dates, booleans (False < True) and Empty (as 0) numerically; a text against a number as
// numbers when the text is numeric, else as texts. Opaque pointers and error codes are only equal or not.
enum TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };
TVariantRelationship VarCompareValue(const Variant& A, const Variant& B);
inline bool operator==(const Variant& A, const Variant& B) { return VarCompareValue(A, B) == vrEqual; }
inline bool operator!=(const Variant& A, const Variant& B) { return VarCompareValue(A, B) != vrEqual; }
inline bool operator<(const Variant& A, const Variant& B) { return VarCompareValue(A, B) == vrLessThan; }
inline bool operator>(const Variant& A, const Variant& B) { return VarCompareValue(A, B) == vrGreaterThan; }
inline bool operator<=(const Variant& A, const Variant& B) {
  const TVariantRelationship R = VarCompareValue(A, B);
  return R == vrLessThan || R == vrEqual;
}
inline bool operator>=(const Variant& A, const Variant& B) {
  const TVariantRelationship R = VarCompareValue(A, B);
  return R == vrGreaterThan || R == vrEqual;
}
