// 8-bit string helpers with the class library's semantics (1-based positions), number conversion and Format.
#pragma once

#include "platform/rtl/Sets.h"
#include "platform/rtl/Types.h"

#include <concepts>
#include <initializer_list>
#include <string>
#include <string_view>

// One argument of Format's open argument list; converts implicitly from the usual C++ values.
struct TVarRec {
  enum TKind { vtInteger, vtInt64, vtExtended, vtString, vtChar, vtPointer, vtBoolean };
  TKind Kind;
  Int64 VInt = 0;
  Extended VExtended = 0;
  std::string_view VString;
  const void* VPointer = nullptr;

  TVarRec(int V) : Kind(vtInteger), VInt(V) {}
  TVarRec(unsigned V) : Kind(vtInt64), VInt(V) {}
  TVarRec(long V) : Kind(vtInt64), VInt(V) {}
  TVarRec(unsigned long V) : Kind(vtInt64), VInt(static_cast<Int64>(V)) {}
  TVarRec(long long V) : Kind(vtInt64), VInt(V) {}
  TVarRec(unsigned long long V) : Kind(vtInt64), VInt(static_cast<Int64>(V)) {}
  TVarRec(double V) : Kind(vtExtended), VExtended(V) {}
  TVarRec(char V) : Kind(vtChar), VInt(static_cast<unsigned char>(V)) {}
  TVarRec(bool V) : Kind(vtBoolean), VInt(V ? 1 : 0) {}
  TVarRec(const char* V) : Kind(vtString), VString(V ? V : "") {}
  TVarRec(const std::string& V) : Kind(vtString), VString(V) {}
  TVarRec(std::string_view V) : Kind(vtString), VString(V) {}
  TVarRec(const void* V) : Kind(vtPointer), VPointer(V) {}
};
using TVarRecList = std::initializer_list<TVarRec>;

// Format with the class library's syntax: "%" [index ":"] ["-"] [width] ["." prec] type, where width and
// precision may be "*", and type is one of d u e f g n m p s x (either case); "%%" is a percent sign.
//   d, u  integer (u: the value as unsigned); precision = minimum digits, zero padded
//   x     integer as upper-case hex (negative 32-bit values as 8 digits); precision = minimum digits
//   e     "-d.dddE+ddd", precision = significant digits (default 15), exponent at least 3 digits
//   f     fixed, precision = decimals (default 2); n: the same with ',' thousands separators
//   g     general, precision = significant digits (default 15), no trailing zeros, exponent as "1E20"
//   m     money with the US defaults: "$1,234.50", negative "($1,234.50)", precision default 2
//   p     pointer as upper-case hex, 2 * sizeof(void*) digits (16 on 64-bit hosts)
//   s     string or character; precision truncates
// '-' left-justifies within width. An index sets the argument for this and the following directives.
// A bad directive or a type mismatch raises EConvertError ("Format '%s' invalid or incompatible with
// argument"); running out of arguments raises EConvertError ("No argument for format '%s'").
std::string Format(std::string_view Fmt, TVarRecList Args);

// 1-based substring helpers. Pos returns 0 when not found.
int Pos(std::string_view SubStr, std::string_view S);
std::string Copy(std::string_view S, int Index, int Count);
void Delete(std::string& S, int Index, int Count);
void Insert(std::string_view Source, std::string& S, int Index);

std::string Trim(std::string_view S);       // removes characters <= ' ' at both ends
std::string TrimLeft(std::string_view S);
std::string TrimRight(std::string_view S);

std::string UpperCase(std::string_view S);  // ASCII letters only
std::string LowerCase(std::string_view S);
int CompareStr(std::string_view S1, std::string_view S2);   // byte order, <0, 0, >0
int CompareText(std::string_view S1, std::string_view S2);  // ASCII case folded, byte order
bool SameText(std::string_view S1, std::string_view S2);

// Code page 1252 aware versions. Case mapping uses the 1252 tables (a-z, the accented letters, š/Š, œ/Œ,
// ž/Ž, ÿ/Ÿ; ß, µ and ƒ have no upper-case form in 1252 and stay).
// The comparisons use the user's collation, as the platform's do: the text is widened and compared with the
// C library's collation of the user's LC_COLLATE. When that locale does not order text linguistically (the
// "C"/"POSIX" and "C.UTF-8" locales compare code points), en_US.UTF-8 is used instead, and when no
// linguistic locale is installed, a built-in 1252 order (letters by base letter, then accent, then case).
// Strings the collation holds equal are then ordered by their bytes, so the order is total and consistent
// (sorted lists binary-search with it). AnsiCompareStr puts lower case before upper case for otherwise equal
// text ("a" < "A"); AnsiCompareText ignores case, so it returns 0 only for texts equal up to 1252 case.
std::string AnsiUpperCase(std::string_view S);
std::string AnsiLowerCase(std::string_view S);
int AnsiCompareStr(std::string_view S1, std::string_view S2);
int AnsiCompareText(std::string_view S1, std::string_view S2);
bool AnsiSameText(std::string_view S1, std::string_view S2);
// Sorting many strings: a key computed once per string whose byte order is the collation's order, so that
// AnsiCompareByKeys(K1, S1, K2, S2, IgnoreCase) has the sign of AnsiCompareText (IgnoreCase) or AnsiCompareStr.
// False (and no key) when no linguistic locale is installed: then compare the strings themselves.
bool AnsiCollationKey(std::string_view S, bool IgnoreCase, std::string& Key);
int AnsiCompareByKeys(std::string_view K1, std::string_view S1, std::string_view K2, std::string_view S2,
                      bool IgnoreCase);
char AnsiUpperChar(char C);
char AnsiLowerChar(char C);

std::string IntToStr(Int64 Value);
// Upper-case hex with at least Digits digits. Negative values of 32-bit (and smaller) types give their
// 32-bit two's complement ("FFFFFFFF"), negative 64-bit values their 64-bit one.
std::string IntToHex64(UInt64 Value, int Digits);
template <std::integral T> std::string IntToHex(T Value, int Digits) {
  if constexpr (sizeof(T) <= 4) {
    return IntToHex64(static_cast<std::uint32_t>(Value), Digits);
  } else {
    return IntToHex64(static_cast<UInt64>(Value), Digits);
  }
}
// Integer text as the class library's Val reads it: leading spaces, an optional '+' or '-', then decimal
// digits or hex digits after '$', 'x' or '0x'; nothing may follow. Hex may fill all 32 (64) bits
// ("$FFFFFFFF" is -1); decimal values out of range are errors.
int StrToInt(std::string_view S);                 // raises EConvertError "'%s' is not a valid integer value"
int StrToIntDef(std::string_view S, int Default);
Int64 StrToInt64(std::string_view S);
Int64 StrToInt64Def(std::string_view S, Int64 Default);
bool TryStrToInt(std::string_view S, int& Value);
// Float text: blanks around, an optional sign, digits with one '.' (always '.', whatever the locale), an
// optional exponent "E[+|-]digits"; no thousands separators, INF or NAN; values out of range are errors.
Extended StrToFloat(std::string_view S);          // raises EConvertError "'%s' is not a valid floating point value"
bool TryStrToFloat(std::string_view S, Extended& Value);
std::string FloatToStr(Extended Value);           // 15 significant digits, general format
bool TryStrToInt64(std::string_view S, Int64& Value);
Extended StrToFloatDef(std::string_view S, Extended Default);

// FloatToStrF's layouts. Precision is the number of significant digits (at most 18); Digits is the minimum
// number of exponent digits (ffGeneral, ffExponent) or the number of decimals (ffFixed, ffNumber,
// ffCurrency). The decimal separator is '.', the thousands separator ',' and the currency "$" prefix.
// Fixed layouts switch to the general one when the value has more integer digits than Precision.
// Rounding is half away from zero on the value's 18-digit decimal form. NaN and infinities give "NAN",
// "INF" and "-INF".
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
std::string FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits);

std::string QuotedStr(std::string_view S);                 // 'it''s'
std::string AnsiQuotedStr(std::string_view S, char Quote);
std::string AnsiExtractQuotedStr(const char*& P, char Quote);

enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
std::string StringReplace(std::string_view S, std::string_view OldPattern, std::string_view NewPattern,
                          int Flags);

// Number * Numerator / Denominator with a 64-bit intermediate, rounded half away from zero; -1 when
// Denominator is 0 or the result does not fit in 32 bits.
int MulDiv(int Number, int Numerator, int Denominator);

// True for a non-empty ASCII identifier: a letter or '_', then letters, digits or '_'.
bool IsValidIdent(std::string_view Ident);
// 1-based position of the last character of S that occurs in Delimiters; 0 when there is none.
int LastDelimiter(std::string_view Delimiters, std::string_view S);
// Turns every CR, LF and LF CR line break into CR LF.
std::string AdjustLineBreaks(std::string_view S);

// Code page 1252 <-> UTF-8 conversion (for display, file names and the clipboard). Characters that 1252
// cannot hold become '?', and so does every byte of malformed UTF-8. The five bytes 1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the code points of the same value, so every byte round-trips.
std::string AnsiToUtf8(std::string_view S);
std::string Utf8ToAnsi(std::string_view S);
