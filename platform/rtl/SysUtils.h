// 8-bit string helpers with the class library's semantics (1-based positions), number conversion and Format.
#pragma once

#include "platform/rtl/Types.h"

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
// precision may be "*", and type is one of d u e f g n m p s x (either case). A mismatch raises EConvertError
// ("Format '%s' invalid or incompatible with argument").
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

// Code page 1252 aware versions. The comparisons use the user's collation, as the platform's do.
std::string AnsiUpperCase(std::string_view S);
std::string AnsiLowerCase(std::string_view S);
int AnsiCompareStr(std::string_view S1, std::string_view S2);
int AnsiCompareText(std::string_view S1, std::string_view S2);
bool AnsiSameText(std::string_view S1, std::string_view S2);
char AnsiUpperChar(char C);
char AnsiLowerChar(char C);

std::string IntToStr(Int64 Value);
std::string IntToHex(Int64 Value, int Digits);
int StrToInt(std::string_view S);                 // raises EConvertError "'%s' is not a valid integer value"
int StrToIntDef(std::string_view S, int Default);
Int64 StrToInt64(std::string_view S);
Int64 StrToInt64Def(std::string_view S, Int64 Default);
bool TryStrToInt(std::string_view S, int& Value);
Extended StrToFloat(std::string_view S);          // raises EConvertError "'%s' is not a valid floating point value"
bool TryStrToFloat(std::string_view S, Extended& Value);
std::string FloatToStr(Extended Value);           // 15 significant digits, general format

std::string QuotedStr(std::string_view S);                 // 'it''s'
std::string AnsiQuotedStr(std::string_view S, char Quote);
std::string AnsiExtractQuotedStr(const char*& P, char Quote);

enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
std::string StringReplace(std::string_view S, std::string_view OldPattern, std::string_view NewPattern,
                          int Flags);

int MulDiv(int Number, int Numerator, int Denominator);  // rounded; -1 when Denominator is 0

// Code page 1252 <-> UTF-8 conversion (for display, file names and the clipboard). Characters that 1252
// cannot hold become '?'.
std::string AnsiToUtf8(std::string_view S);
std::string Utf8ToAnsi(std::string_view S);
