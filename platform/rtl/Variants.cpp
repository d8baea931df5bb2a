// Variant conversions and comparison with the class library's rules.
#include "platform/rtl/Variants.h"

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <cmath>
#include <limits>

namespace {

[[noreturn]] void InvalidCast() { throw EVariantError(RtlConsts::SInvalidVarCast); }
[[noreturn]] void Overflow() { throw EVariantError(RtlConsts::SVarOverflow); }

bool IsText(TVarType T) { return T == varString || T == varOleStr; }
bool IsIntegral(TVarType T) { return T == varSmallint || T == varInteger || T == varByte || T == varBoolean; }
bool IsFloat(TVarType T) { return T == varSingle || T == varDouble || T == varCurrency || T == varDate; }

// Rounds to the nearest integer, ties to even, as the variant conversions do.
double RoundEven(double V) { return V - std::remainder(V, 1.0); }

constexpr double MaxDateSerial = 2958465.0;  // 9999-12-31

Int64 CheckedRange(double V, Int64 Min, Int64 Max) {
  if (std::isnan(V)) {
    Overflow();
  }
  const double R = RoundEven(V);
  if (R < static_cast<double>(Min) || R > static_cast<double>(Max)) {
    Overflow();
  }
  return static_cast<Int64>(R);
}

bool TextToBoolean(std::string_view S, bool& Value) {
  const std::string T = Trim(S);
  if (SameText(T, "True")) {
    Value = true;
    return true;
  }
  if (SameText(T, "False")) {
    Value = false;
    return true;
  }
  return false;
}

// Text as a number: integer syntax (hex included) first, then float syntax.
bool TextToDouble(std::string_view S, double& Value) {
  Int64 I = 0;
  if (TryStrToInt64(S, I)) {
    Value = static_cast<double>(I);
    return true;
  }
  return TryStrToFloat(S, Value);
}

}  // namespace

Variant::Variant(unsigned long V) {
  if (V > static_cast<unsigned long>(std::numeric_limits<Integer>::max())) {
    FType = varDouble;
    FFloat = static_cast<double>(V);
  } else {
    SetInt64(static_cast<long long>(V));
  }
}

Variant::Variant(unsigned long long V) {
  if (V > static_cast<unsigned long long>(std::numeric_limits<Integer>::max())) {
    FType = varDouble;
    FFloat = static_cast<double>(V);
  } else {
    SetInt64(static_cast<long long>(V));
  }
}

void Variant::SetInt64(long long V) {
  if (V >= std::numeric_limits<Integer>::min() && V <= std::numeric_limits<Integer>::max()) {
    FType = varInteger;
    FInt = V;
  } else {
    FType = varDouble;
    FFloat = static_cast<double>(V);
  }
}

Variant Variant::FromNull() {
  Variant V;
  V.FType = varNull;
  return V;
}

Variant Variant::FromDateTime(TDateTime D) {
  Variant V;
  V.FType = varDate;
  V.FFloat = D;
  return V;
}

Variant Variant::FromCurrency(Currency C) {
  Variant V;
  V.FType = varCurrency;
  V.FFloat = std::round(C * 10000.0) / 10000.0;
  return V;
}

Variant Variant::FromOleStr(std::string_view S) {
  Variant V(S);
  V.FType = varOleStr;
  return V;
}

Variant Variant::FromError(Integer Code) {
  Variant V;
  V.FType = varError;
  V.FInt = Code;
  return V;
}

Variant Variant::FromPointer(TVarType AType, void* P) {
  if (AType != varDispatch && AType != varUnknown) {
    InvalidCast();
  }
  Variant V;
  V.FType = AType;
  V.FPointer = P;
  return V;
}

double Variant::AsDouble() const {
  if (FType == varEmpty) {
    return 0;
  }
  if (IsIntegral(FType)) {
    return static_cast<double>(FInt);
  }
  if (IsFloat(FType)) {
    return FFloat;
  }
  if (IsText(FType)) {
    double D = 0;
    bool B = false;
    if (TextToDouble(FStr, D)) {
      return D;
    }
    if (TextToBoolean(FStr, B)) {
      return B ? -1 : 0;
    }
  }
  InvalidCast();
}

Integer Variant::AsInteger() const {
  if (FType == varEmpty) {
    return 0;
  }
  if (IsIntegral(FType)) {
    return static_cast<Integer>(FInt);
  }
  return static_cast<Integer>(
      CheckedRange(AsDouble(), std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max()));
}

Currency Variant::AsCurrency() const {
  if (FType == varCurrency) {
    return FFloat;
  }
  return std::round(AsDouble() * 10000.0) / 10000.0;
}

TDateTime Variant::AsDateTime() const {
  if (IsText(FType)) {
    TDateTime D = 0;
    if (TryStrToDateTime(FStr, D)) {
      return D;
    }
    InvalidCast();
  }
  return AsDouble();
}

bool Variant::AsBoolean() const {
  if (FType == varEmpty) {
    return false;
  }
  if (IsIntegral(FType)) {
    return FInt != 0;
  }
  if (IsFloat(FType)) {
    return FFloat != 0;
  }
  if (IsText(FType)) {
    bool B = false;
    double D = 0;
    if (TextToBoolean(FStr, B)) {
      return B;
    }
    if (TextToDouble(FStr, D)) {
      return D != 0;
    }
  }
  InvalidCast();
}

std::string Variant::AsString() const {
  switch (FType) {
    case varEmpty: return std::string();
    case varSmallint:
    case varInteger:
    case varByte: return IntToStr(FInt);
    case varBoolean: return FInt != 0 ? "True" : "False";
    case varSingle: return FloatToStrF(FFloat, ffGeneral, 7, 0);
    case varDouble:
    case varCurrency: return FloatToStr(FFloat);
    case varDate:
      if (!std::isfinite(FFloat) || std::fabs(FFloat) > MaxDateSerial) {
        Overflow();
      }
      return DateTimeToStr(FFloat);
    case varString:
    case varOleStr: return FStr;
    default: InvalidCast();
  }
}

void* Variant::AsPointer() const { return (FType == varDispatch || FType == varUnknown) ? FPointer : nullptr; }

TVarType VarType(const Variant& V) { return V.VType(); }
bool VarIsEmpty(const Variant& V) { return V.VType() == varEmpty; }
bool VarIsNull(const Variant& V) { return V.VType() == varNull; }
Variant Null() { return Variant::FromNull(); }
Variant Unassigned() { return Variant(); }

Variant VarAsType(const Variant& V, TVarType AType) {
  if (AType == V.VType() || AType == varVariant) {
    return V;
  }
  if (AType == varEmpty) {
    return Variant();
  }
  if (V.VType() == varNull) {
    InvalidCast();
  }
  switch (AType) {
    case varSmallint:
      return Variant(static_cast<short>(CheckedRange(V.AsDouble(), -32768, 32767)));
    case varByte:
      return Variant(static_cast<unsigned char>(CheckedRange(V.AsDouble(), 0, 255)));
    case varInteger: return Variant(V.AsInteger());
    case varSingle: {
      const double D = V.AsDouble();
      if (std::isfinite(D) && std::fabs(D) > std::numeric_limits<float>::max()) {
        Overflow();
      }
      return Variant(static_cast<float>(D));
    }
    case varDouble: return Variant(V.AsDouble());
    case varCurrency: return Variant::FromCurrency(V.AsCurrency());
    case varDate: return Variant::FromDateTime(V.AsDateTime());
    case varBoolean: return Variant(V.AsBoolean());
    case varString: return Variant(V.AsString());
    case varOleStr: return Variant::FromOleStr(V.AsString());
    default: InvalidCast();
  }
}

std::string VarToStr(const Variant& V) { return VarToStrDef(V, ""); }

std::string VarToStrDef(const Variant& V, std::string_view Default) {
  return V.VType() == varNull ? std::string(Default) : V.AsString();
}

TVariantRelationship VarCompareValue(const Variant& A, const Variant& B) {
  const TVarType TA = A.VType();
  const TVarType TB = B.VType();
  auto Rel = [](auto X, auto Y) { return X < Y ? vrLessThan : (Y < X ? vrGreaterThan : vrEqual); };
  if (TA == varNull || TB == varNull) {
    return TA == TB ? vrEqual : vrNotEqual;
  }
  auto Opaque = [](TVarType T) { return T == varDispatch || T == varUnknown || T == varError; };
  if (Opaque(TA) || Opaque(TB)) {
    if (TA != TB) {
      return vrNotEqual;
    }
    const bool Same = TA == varError ? A.AsError() == B.AsError() : A.AsPointer() == B.AsPointer();
    return Same ? vrEqual : vrNotEqual;
  }
  if (TA == varBoolean && TB == varBoolean) {
    return Rel(A.AsBoolean(), B.AsBoolean());
  }
  const bool TextA = IsText(TA);
  const bool TextB = IsText(TB);
  if (TextA || TextB) {
    // A text against a number compares numerically when the text reads as one.
    double DA = 0;
    double DB = 0;
    const bool NumA = TextA ? TextToDouble(A.AsString(), DA) : (DA = A.AsDouble(), true);
    const bool NumB = TextB ? TextToDouble(B.AsString(), DB) : (DB = B.AsDouble(), true);
    if (!(TextA && TextB) && TA != varEmpty && TB != varEmpty && NumA && NumB) {
      return Rel(DA, DB);
    }
    const int C = CompareStr(A.AsString(), B.AsString());
    return C < 0 ? vrLessThan : (C > 0 ? vrGreaterThan : vrEqual);
  }
  return Rel(A.AsDouble(), B.AsDouble());
}
