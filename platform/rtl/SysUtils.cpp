// The 8-bit string helpers, integer and float parsing, quoting, replacing and MulDiv.
#include "platform/rtl/SysUtils.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"

#include <charconv>
#include <cstdlib>
#include <limits>

namespace {

char AsciiUpper(char C) { return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 32) : C; }
char AsciiLower(char C) { return (C >= 'A' && C <= 'Z') ? static_cast<char>(C + 32) : C; }
bool IsBlank(char C) { return static_cast<unsigned char>(C) <= ' '; }

int HexDigit(char C) {
  if (C >= '0' && C <= '9') {
    return C - '0';
  }
  if (C >= 'A' && C <= 'F') {
    return C - 'A' + 10;
  }
  if (C >= 'a' && C <= 'f') {
    return C - 'a' + 10;
  }
  return -1;
}

// The class library's Val for integers: leading blanks, an optional sign, then decimal digits or hex
// digits after '$', 'x', 'X', '0x' or '0X'. Nothing may follow the digits. Decimal values must fit in
// Bits bits as a signed number; hex values may use all Bits bits ("$FFFFFFFF" is -1 for 32 bits).
bool ValInteger(std::string_view S, int Bits, Int64& Value) {
  std::size_t I = 0;
  while (I < S.size() && S[I] == ' ') {
    ++I;
  }
  bool Negative = false;
  if (I < S.size() && (S[I] == '+' || S[I] == '-')) {
    Negative = S[I] == '-';
    ++I;
  }
  bool Hex = false;
  if (I < S.size() && (S[I] == '$' || S[I] == 'x' || S[I] == 'X')) {
    Hex = true;
    ++I;
  } else if (I + 1 < S.size() && S[I] == '0' && (S[I + 1] == 'x' || S[I + 1] == 'X')) {
    Hex = true;
    I += 2;
  }
  if (I >= S.size()) {
    return false;
  }
  UInt64 Magnitude = 0;
  const UInt64 HexLimit = Bits == 64 ? std::numeric_limits<UInt64>::max() : (UInt64(1) << Bits) - 1;
  const UInt64 DecLimit = (UInt64(1) << (Bits - 1)) - (Negative ? 0 : 1);
  for (; I < S.size(); ++I) {
    if (Hex) {
      const int D = HexDigit(S[I]);
      if (D < 0 || Magnitude > (HexLimit >> 4)) {
        return false;
      }
      Magnitude = (Magnitude << 4) | static_cast<UInt64>(D);
    } else {
      if (S[I] < '0' || S[I] > '9') {
        return false;
      }
      const auto D = static_cast<UInt64>(S[I] - '0');
      if (Magnitude > (DecLimit - D) / 10) {
        return false;
      }
      Magnitude = Magnitude * 10 + D;
    }
  }
  if (Hex && Bits == 32) {
    // Sign-extend so that "$FFFFFFFF" reads as -1.
    Value = static_cast<std::int32_t>(static_cast<std::uint32_t>(Magnitude));
  } else {
    Value = static_cast<Int64>(Magnitude);
  }
  if (Negative) {
    Value = static_cast<Int64>(UInt64(0) - static_cast<UInt64>(Value));
  }
  return true;
}

// The class library's text-to-float syntax: optional blanks, sign, digits with one '.', an optional
// exponent "E[+|-]digits", optional blanks. At least one mantissa digit is required.
bool ParseFloat(std::string_view S, Extended& Value) {
  std::size_t B = 0;
  std::size_t E = S.size();
  while (B < E && S[B] == ' ') {
    ++B;
  }
  while (E > B && S[E - 1] == ' ') {
    --E;
  }
  std::string Text;
  std::size_t I = B;
  if (I < E && (S[I] == '+' || S[I] == '-')) {
    if (S[I] == '-') {
      Text += '-';
    }
    ++I;
  }
  bool AnyDigit = false;
  bool Point = false;
  for (; I < E; ++I) {
    const char C = S[I];
    if (C >= '0' && C <= '9') {
      AnyDigit = true;
    } else if (C == '.' && !Point) {
      Point = true;
    } else {
      break;
    }
    Text += C;
  }
  if (!AnyDigit) {
    return false;
  }
  if (I < E && (S[I] == 'e' || S[I] == 'E')) {
    Text += 'e';
    ++I;
    if (I < E && (S[I] == '+' || S[I] == '-')) {
      Text += S[I];
      ++I;
    }
    bool ExpDigit = false;
    for (; I < E && S[I] >= '0' && S[I] <= '9'; ++I) {
      Text += S[I];
      ExpDigit = true;
    }
    if (!ExpDigit) {
      return false;
    }
  }
  if (I != E) {
    return false;
  }
  double D = 0;
  const auto [Ptr, Ec] = std::from_chars(Text.data(), Text.data() + Text.size(), D);
  if (Ec != std::errc() || Ptr != Text.data() + Text.size()) {
    return false;  // out of range
  }
  Value = D;
  return true;
}

std::size_t FindFrom(std::string_view S, std::string_view Pattern, std::size_t From) {
  return S.find(Pattern, From);
}

}  // namespace

int Pos(std::string_view SubStr, std::string_view S) {
  if (SubStr.empty()) {
    return 0;
  }
  const std::size_t P = S.find(SubStr);
  return P == std::string_view::npos ? 0 : static_cast<int>(P) + 1;
}

std::string Copy(std::string_view S, int Index, int Count) {
  if (Index < 1) {
    Index = 1;
  }
  const auto Len = static_cast<Int64>(S.size());
  if (Count <= 0 || Index > Len) {
    return std::string();
  }
  const Int64 Available = Len - Index + 1;
  return std::string(S.substr(static_cast<std::size_t>(Index - 1),
                              static_cast<std::size_t>(std::min<Int64>(Count, Available))));
}

void Delete(std::string& S, int Index, int Count) {
  if (Index < 1 || Count <= 0 || static_cast<std::size_t>(Index) > S.size()) {
    return;
  }
  S.erase(static_cast<std::size_t>(Index - 1), static_cast<std::size_t>(Count));
}

void Insert(std::string_view Source, std::string& S, int Index) {
  std::size_t At = Index < 1 ? 0 : static_cast<std::size_t>(Index - 1);
  if (At > S.size()) {
    At = S.size();
  }
  S.insert(At, Source);
}

std::string Trim(std::string_view S) {
  std::size_t B = 0;
  std::size_t E = S.size();
  while (B < E && IsBlank(S[B])) {
    ++B;
  }
  while (E > B && IsBlank(S[E - 1])) {
    --E;
  }
  return std::string(S.substr(B, E - B));
}

std::string TrimLeft(std::string_view S) {
  std::size_t B = 0;
  while (B < S.size() && IsBlank(S[B])) {
    ++B;
  }
  return std::string(S.substr(B));
}

std::string TrimRight(std::string_view S) {
  std::size_t E = S.size();
  while (E > 0 && IsBlank(S[E - 1])) {
    --E;
  }
  return std::string(S.substr(0, E));
}

std::string UpperCase(std::string_view S) {
  std::string R(S);
  for (char& C : R) {
    C = AsciiUpper(C);
  }
  return R;
}

std::string LowerCase(std::string_view S) {
  std::string R(S);
  for (char& C : R) {
    C = AsciiLower(C);
  }
  return R;
}

int CompareStr(std::string_view S1, std::string_view S2) {
  const std::size_t N = std::min(S1.size(), S2.size());
  for (std::size_t I = 0; I < N; ++I) {
    if (S1[I] != S2[I]) {
      return static_cast<unsigned char>(S1[I]) - static_cast<unsigned char>(S2[I]);
    }
  }
  return static_cast<int>(static_cast<Int64>(S1.size()) - static_cast<Int64>(S2.size()));
}

int CompareText(std::string_view S1, std::string_view S2) {
  const std::size_t N = std::min(S1.size(), S2.size());
  for (std::size_t I = 0; I < N; ++I) {
    const auto C1 = static_cast<unsigned char>(AsciiUpper(S1[I]));
    const auto C2 = static_cast<unsigned char>(AsciiUpper(S2[I]));
    if (C1 != C2) {
      return C1 - C2;
    }
  }
  return static_cast<int>(static_cast<Int64>(S1.size()) - static_cast<Int64>(S2.size()));
}

bool SameText(std::string_view S1, std::string_view S2) { return CompareText(S1, S2) == 0; }

std::string IntToStr(Int64 Value) { return std::to_string(Value); }

std::string IntToHex64(UInt64 Value, int Digits) {
  char Buf[17];
  int N = 0;
  do {
    Buf[16 - N] = "0123456789ABCDEF"[Value & 0xF];
    Value >>= 4;
    ++N;
  } while (Value != 0);
  std::string R;
  if (Digits > N) {
    R.assign(static_cast<std::size_t>(Digits - N), '0');
  }
  R.append(Buf + 17 - N, static_cast<std::size_t>(N));
  return R;
}

bool TryStrToInt(std::string_view S, int& Value) {
  Int64 V = 0;
  if (!ValInteger(S, 32, V)) {
    return false;
  }
  Value = static_cast<int>(V);
  return true;
}

bool TryStrToInt64(std::string_view S, Int64& Value) { return ValInteger(S, 64, Value); }

int StrToInt(std::string_view S) {
  int V = 0;
  if (!TryStrToInt(S, V)) {
    throw EConvertError(Format(RtlConsts::SInvalidInteger, {S}));
  }
  return V;
}

int StrToIntDef(std::string_view S, int Default) {
  int V = 0;
  return TryStrToInt(S, V) ? V : Default;
}

Int64 StrToInt64(std::string_view S) {
  Int64 V = 0;
  if (!TryStrToInt64(S, V)) {
    throw EConvertError(Format(RtlConsts::SInvalidInteger, {S}));
  }
  return V;
}

Int64 StrToInt64Def(std::string_view S, Int64 Default) {
  Int64 V = 0;
  return TryStrToInt64(S, V) ? V : Default;
}

bool TryStrToFloat(std::string_view S, Extended& Value) { return ParseFloat(S, Value); }

Extended StrToFloat(std::string_view S) {
  Extended V = 0;
  if (!ParseFloat(S, V)) {
    throw EConvertError(Format(RtlConsts::SInvalidFloat, {S}));
  }
  return V;
}

Extended StrToFloatDef(std::string_view S, Extended Default) {
  Extended V = 0;
  return ParseFloat(S, V) ? V : Default;
}

std::string QuotedStr(std::string_view S) { return AnsiQuotedStr(S, '\''); }

std::string AnsiQuotedStr(std::string_view S, char Quote) {
  std::string R;
  R.reserve(S.size() + 2);
  R += Quote;
  for (char C : S) {
    R += C;
    if (C == Quote) {
      R += Quote;
    }
  }
  R += Quote;
  return R;
}

std::string AnsiExtractQuotedStr(const char*& P, char Quote) {
  std::string R;
  if (P == nullptr || *P != Quote) {
    return R;
  }
  ++P;
  while (*P != '\0') {
    if (*P == Quote) {
      ++P;
      if (*P != Quote) {
        return R;  // the closing quote
      }
    }
    R += *P;
    ++P;
  }
  return R;
}

std::string StringReplace(std::string_view S, std::string_view OldPattern, std::string_view NewPattern,
                          int Flags) {
  if (OldPattern.empty()) {
    return std::string(S);
  }
  // Case-insensitive search runs on upper-cased copies; the two have the same byte positions.
  std::string FoldedS;
  std::string FoldedPattern;
  std::string_view Haystack = S;
  std::string_view Needle = OldPattern;
  if (Flags & rfIgnoreCase) {
    FoldedS = AnsiUpperCase(S);
    FoldedPattern = AnsiUpperCase(OldPattern);
    Haystack = FoldedS;
    Needle = FoldedPattern;
  }
  std::string R;
  std::size_t From = 0;
  while (true) {
    const std::size_t At = FindFrom(Haystack, Needle, From);
    if (At == std::string_view::npos) {
      break;
    }
    R.append(S.substr(From, At - From));
    R.append(NewPattern);
    From = At + Needle.size();
    if (!(Flags & rfReplaceAll)) {
      break;
    }
  }
  R.append(S.substr(From));
  return R;
}

int MulDiv(int Number, int Numerator, int Denominator) {
  if (Denominator == 0) {
    return -1;
  }
  const Int64 Product = static_cast<Int64>(Number) * Numerator;
  const bool Negative = (Product < 0) != (Denominator < 0);
  const UInt64 P = Product < 0 ? UInt64(0) - static_cast<UInt64>(Product) : static_cast<UInt64>(Product);
  const UInt64 D = Denominator < 0 ? UInt64(0) - static_cast<UInt64>(static_cast<Int64>(Denominator))
                                   : static_cast<UInt64>(Denominator);
  const UInt64 Q = (P + D / 2) / D;  // half away from zero
  if (Q > (Negative ? UInt64(0x80000000u) : UInt64(0x7FFFFFFFu))) {
    return -1;
  }
  return Negative ? static_cast<int>(-static_cast<Int64>(Q)) : static_cast<int>(Q);
}

bool IsValidIdent(std::string_view Ident) {
  if (Ident.empty()) {
    return false;
  }
  auto Alpha = [](char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_'; };
  if (!Alpha(Ident[0])) {
    return false;
  }
  for (char C : Ident.substr(1)) {
    if (!Alpha(C) && !(C >= '0' && C <= '9')) {
      return false;
    }
  }
  return true;
}

int LastDelimiter(std::string_view Delimiters, std::string_view S) {
  const std::size_t P = S.find_last_of(Delimiters);
  return P == std::string_view::npos ? 0 : static_cast<int>(P) + 1;
}

std::string AdjustLineBreaks(std::string_view S) {
  std::string R;
  R.reserve(S.size() + S.size() / 16);
  for (std::size_t I = 0; I < S.size(); ++I) {
    const char C = S[I];
    if (C == '\r' || C == '\n') {
      R += "\r\n";
      // A CR LF or LF CR pair is one break.
      if (I + 1 < S.size() && (S[I + 1] == '\r' || S[I + 1] == '\n') && S[I + 1] != C) {
        ++I;
      }
    } else {
      R += C;
    }
  }
  return R;
}
