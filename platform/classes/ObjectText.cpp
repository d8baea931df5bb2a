// The text form of component streams: conversion from the binary form and back, byte for byte.
#include "platform/classes/Filer.h"

#include "platform/classes/Classes.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/SysUtils.h"

#include <cctype>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int LineLength = 64;      // characters of a string per text line
constexpr int BytesPerLine = 32;    // bytes of binary data per text line
const char* const CRLF = "\r\n";

// ---- extended values as text ----

#if LDBL_MANT_DIG == 64
using TExt = long double;
TExt BytesToExt(const Byte B[10]) {
  long double V = 0;
  std::memcpy(&V, B, 10);
  return V;
}
void ExtToBytes(TExt V, Byte B[10]) {
  Byte Raw[sizeof(long double)] = {};
  std::memcpy(Raw, &V, sizeof V);
  std::memcpy(B, Raw, 10);
}
#else
using TExt = long double;
TExt BytesToExt(const Byte B[10]) { return Extended80ToDouble(B); }
void ExtToBytes(TExt V, Byte B[10]) { DoubleToExtended80(static_cast<double>(V), B); }
#endif

bool SameExt(TExt A, TExt B) {
  return std::memcmp(&A, &B, 10) == 0 || A == B;
}

// Fixed notation with 18 decimals as the class library prints floats ("1.500000000000000000"); more
// decimals, or exponent notation, where that would not give back the same value.
std::string ExtToText(TExt V) {
  if (std::isnan(V) || std::isinf(V)) {
    return std::isnan(V) ? "NAN" : (V < 0 ? "-INF" : "INF");
  }
  char Buf[128];
  if (std::fabs(V) < 1e18L) {
    for (int Decimals = 18; Decimals <= 30; ++Decimals) {
      std::snprintf(Buf, sizeof Buf, "%.*Lf", Decimals, V);
      if (SameExt(std::strtold(Buf, nullptr), V) && (V != 0 || !std::signbit(V) || Buf[0] == '-')) {
        return Buf;
      }
    }
  }
  std::snprintf(Buf, sizeof Buf, "%.20LE", V);
  std::string S = Buf;
  // "1.5E+020" style exponents become "1.5E20"; "1.5E-005" becomes "1.5E-5".
  std::size_t E = S.find('E');
  std::string Mant = S.substr(0, E);
  std::string Exp = S.substr(E + 1);
  bool Neg = !Exp.empty() && Exp[0] == '-';
  if (!Exp.empty() && (Exp[0] == '-' || Exp[0] == '+')) {
    Exp.erase(0, 1);
  }
  while (Exp.size() > 1 && Exp[0] == '0') {
    Exp.erase(0, 1);
  }
  return Mant + "E" + (Neg ? "-" : "") + Exp;
}

TExt TextToExt(const std::string& S) {
  if (SameText(S, "NAN")) {
    return std::nanl("");
  }
  if (SameText(S, "INF")) {
    return HUGE_VALL;
  }
  if (SameText(S, "-INF")) {
    return -HUGE_VALL;
  }
  return std::strtold(S.c_str(), nullptr);
}

std::string CurrencyToText(Int64 C) {
  std::string S = C < 0 ? "-" : "";
  UInt64 A = C < 0 ? static_cast<UInt64>(-(C + 1)) + 1 : static_cast<UInt64>(C);
  S += std::to_string(A / 10000);
  UInt64 Frac = A % 10000;
  if (Frac != 0) {
    char Buf[8];
    std::snprintf(Buf, sizeof Buf, "%04u", static_cast<unsigned>(Frac));
    std::string F = Buf;
    while (F.back() == '0') {
      F.pop_back();
    }
    S += "." + F;
  }
  return S;
}

// ---- binary to text ----

class TBinaryToText {
public:
  TBinaryToText(TStream* Input, TStream* Output) : FReader(Input), FOut(Output) {}

  void Run() {
    FReader.ReadSignature();
    ConvertObject(0);
  }

private:
  void Write(const std::string& S) { FOut->WriteBuffer(S.data(), static_cast<LongInt>(S.size())); }
  void Indent(int Level) { Write(std::string(static_cast<std::size_t>(Level) * 2, ' ')); }
  void NewLine(int Level) {
    Write(CRLF);
    Indent(Level);
  }

  void ConvertObject(int Level) {
    TFilerFlags Flags;
    Integer ChildPos = 0;
    FReader.ReadPrefix(Flags, ChildPos);
    std::string ClassName = FReader.ReadStr();
    std::string ObjectName = FReader.ReadStr();
    Indent(Level);
    Write(Flags.Contains(ffInherited) ? "inherited " : Flags.Contains(ffInline) ? "inline " : "object ");
    if (!ObjectName.empty()) {
      Write(ObjectName + ": ");
    }
    Write(ClassName);
    if (Flags.Contains(ffChildPos)) {
      Write(" [" + IntToStr(ChildPos) + "]");
    }
    Write(CRLF);
    while (!FReader.EndOfList()) {
      ConvertProperty(Level + 1);
    }
    FReader.ReadListEnd();
    while (!FReader.EndOfList()) {
      ConvertObject(Level + 1);
    }
    FReader.ReadListEnd();
    Indent(Level);
    Write("end");
    Write(CRLF);
  }

  void ConvertProperty(int Level) {
    Indent(Level);
    Write(FReader.ReadStr() + " = ");
    ConvertValue(Level);
    Write(CRLF);
  }

  void ConvertString(const std::vector<unsigned>& Chars, int Level) {
    const int L = static_cast<int>(Chars.size());
    if (L == 0) {
      Write("''");
      return;
    }
    if (L > LineLength) {
      NewLine(Level + 1);
    }
    int I = 0;
    int K = 0;
    while (I < L) {
      bool LineBreak = false;
      if (Chars[I] >= ' ' && Chars[I] < 127 && Chars[I] != '\'') {
        std::string Part;
        do {
          Part += static_cast<char>(Chars[I]);
          ++I;
        } while (I < L && Chars[I] >= ' ' && Chars[I] < 127 && Chars[I] != '\'' && I - K < LineLength);
        LineBreak = I - K >= LineLength;
        Write("'" + Part + "'");
      } else {
        Write("#" + std::to_string(Chars[I]));
        ++I;
        LineBreak = I - K >= LineLength;
      }
      if (LineBreak && I < L) {
        Write(" +");
        NewLine(Level + 1);
        K = I;
      }
    }
  }

  void ConvertBinary(int Level) {
    Integer Count = 0;
    Byte Raw[4];
    FReader.Read(Raw, 4);
    Count = static_cast<Integer>(Raw[0] | (Raw[1] << 8) | (Raw[2] << 16) | (static_cast<std::uint32_t>(Raw[3]) << 24));
    if (Count < 0 || FReader.Stream()->Size() - FReader.Stream()->Position() < Count) {
      throw EReadError(RtlConsts::SReadError);
    }
    Write("{");
    while (Count > 0) {
      NewLine(Level + 1);
      int N = std::min(Count, BytesPerLine);
      Byte Buf[BytesPerLine];
      FReader.Read(Buf, N);
      std::string Hex;
      for (int I = 0; I < N; ++I) {
        Hex += IntToHex(Buf[I], 2);
      }
      Write(Hex);
      Count -= N;
    }
    Write("}");
  }

  void ConvertValue(int Level) {
    switch (FReader.NextValue()) {
      case vaList:
        FReader.ReadValue();
        Write("(");
        while (!FReader.EndOfList()) {
          NewLine(Level + 1);
          ConvertValue(Level + 1);
        }
        FReader.ReadListEnd();
        Write(")");
        break;
      case vaInt8:
      case vaInt16:
      case vaInt32:
        Write(IntToStr(FReader.ReadInteger()));
        break;
      case vaInt64:
        Write(IntToStr(FReader.ReadInt64()));
        break;
      case vaExtended: {
        FReader.ReadValue();
        Byte B[10];
        FReader.Read(B, 10);
        Write(ExtToText(BytesToExt(B)));
        break;
      }
      case vaSingle:
        Write(ExtToText(static_cast<TExt>(FReader.ReadSingle())) + "s");
        break;
      case vaDate:
        Write(ExtToText(static_cast<TExt>(FReader.ReadDate())) + "d");
        break;
      case vaCurrency: {
        FReader.ReadValue();
        Byte B[8];
        FReader.Read(B, 8);
        UInt64 U = 0;
        for (int I = 0; I < 8; ++I) {
          U |= static_cast<UInt64>(B[I]) << (8 * I);
        }
        Write(CurrencyToText(static_cast<Int64>(U)) + "c");
        break;
      }
      case vaString:
      case vaLString: {
        std::string S = FReader.ReadString();
        std::vector<unsigned> Chars;
        for (char C : S) {
          Chars.push_back(static_cast<unsigned char>(C));
        }
        ConvertString(Chars, Level);
        break;
      }
      case vaWString: {
        FReader.ReadValue();
        Byte Raw[4];
        FReader.Read(Raw, 4);
        Integer Len = static_cast<Integer>(Raw[0] | (Raw[1] << 8) | (Raw[2] << 16) |
                                           (static_cast<std::uint32_t>(Raw[3]) << 24));
        if (Len < 0 || FReader.Stream()->Size() - FReader.Stream()->Position() < static_cast<Int64>(Len) * 2) {
          throw EReadError(RtlConsts::SReadError);
        }
        std::vector<unsigned> Chars;
        for (Integer I = 0; I < Len; ++I) {
          Byte W[2];
          FReader.Read(W, 2);
          Chars.push_back(W[0] | (W[1] << 8));
        }
        ConvertString(Chars, Level);
        break;
      }
      case vaIdent:
      case vaFalse:
      case vaTrue:
      case vaNil:
      case vaNull:
        Write(FReader.ReadIdent());
        break;
      case vaBinary:
        FReader.ReadValue();
        ConvertBinary(Level);
        break;
      case vaSet: {
        FReader.ReadValue();
        Write("[");
        bool First = true;
        for (;;) {
          std::string Name = FReader.ReadStr();
          if (Name.empty()) {
            break;
          }
          Write((First ? "" : ", ") + Name);
          First = false;
        }
        Write("]");
        break;
      }
      case vaCollection:
        FReader.ReadValue();
        Write("<");
        while (!FReader.EndOfList()) {
          NewLine(Level + 1);
          Write("item");
          TValueType Next = FReader.NextValue();
          if (Next == vaInt8 || Next == vaInt16 || Next == vaInt32) {
            Write(" [" + IntToStr(FReader.ReadInteger()) + "]");
          }
          FReader.ReadListBegin();
          Write(CRLF);
          while (!FReader.EndOfList()) {
            ConvertProperty(Level + 2);
          }
          FReader.ReadListEnd();
          Indent(Level + 1);
          Write("end");
        }
        FReader.ReadListEnd();
        Write(">");
        break;
      default:
        throw EReadError(RtlConsts::SInvalidPropertyValue);
    }
  }

  TReader FReader;
  TStream* FOut;
};

// ---- text to binary ----

enum TToken { toEOF, toSymbol, toString, toInteger, toFloat, toChar };

class TTextToBinary {
public:
  TTextToBinary(TStream* Input, TStream* Output) : FWriter(Output) {
    Int64 Size = Input->Size() - Input->Position();
    FText.resize(static_cast<std::size_t>(std::max<Int64>(Size, 0)));
    if (!FText.empty()) {
      Input->ReadBuffer(FText.data(), static_cast<LongInt>(FText.size()));
    }
    NextToken();
  }

  void Run() {
    FWriter.WriteSignature();
    ConvertObject();
  }

private:
  [[noreturn]] void Error(const std::string& Message) {
    throw EParserError(Format("%s on line %d", {Message, FLine}));
  }
  void CheckChar(char C) {
    if (FToken != toChar || FTokenChar != C) {
      Error(Format("'%s' expected", {std::string(1, C)}));
    }
  }
  void CheckSymbol() {
    if (FToken != toSymbol) {
      Error("Identifier expected");
    }
  }
  bool IsSymbol(const char* S) const { return FToken == toSymbol && SameText(FTokenString, S); }
  bool IsChar(char C) const { return FToken == toChar && FTokenChar == C; }

  void SkipBlanks() {
    while (FPos < FText.size()) {
      char C = FText[FPos];
      if (C == '\n') {
        ++FLine;
      } else if (static_cast<unsigned char>(C) > ' ') {
        break;
      }
      ++FPos;
    }
  }

  static bool IsIdentStart(char C) { return std::isalpha(static_cast<unsigned char>(C)) || C == '_'; }
  static bool IsIdentChar(char C) { return std::isalnum(static_cast<unsigned char>(C)) || C == '_'; }

  void ReadStringToken() {
    FTokenChars.clear();
    while (FPos < FText.size() && (FText[FPos] == '\'' || FText[FPos] == '#')) {
      if (FText[FPos] == '#') {
        ++FPos;
        std::size_t Start = FPos;
        unsigned Code = 0;
        bool Hex = FPos < FText.size() && FText[FPos] == '$';
        if (Hex) {
          ++FPos;
        }
        while (FPos < FText.size() && (Hex ? std::isxdigit(static_cast<unsigned char>(FText[FPos]))
                                           : std::isdigit(static_cast<unsigned char>(FText[FPos])))) {
          Code = Code * (Hex ? 16 : 10) + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(FText[FPos]))
                                                                    ? FText[FPos] - '0'
                                                                    : (std::toupper(FText[FPos]) - 'A' + 10));
          if (Code > 0x10FFFF) {
            Error("Invalid string constant");
          }
          ++FPos;
        }
        if (FPos == Start + (Hex ? 1 : 0)) {
          Error("Invalid string constant");
        }
        FTokenChars.push_back(Code);
      } else {
        ++FPos;
        for (;;) {
          if (FPos >= FText.size() || FText[FPos] == '\r' || FText[FPos] == '\n') {
            Error("Invalid string constant");
          }
          if (FText[FPos] == '\'') {
            if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') {
              FTokenChars.push_back('\'');
              FPos += 2;
              continue;
            }
            ++FPos;
            break;
          }
          FTokenChars.push_back(static_cast<unsigned char>(FText[FPos]));
          ++FPos;
        }
      }
    }
    FToken = toString;
  }

  void NextToken() {
    SkipBlanks();
    FTokenString.clear();
    if (FPos >= FText.size()) {
      FToken = toEOF;
      return;
    }
    char C = FText[FPos];
    if (IsIdentStart(C)) {
      std::size_t Start = FPos;
      while (FPos < FText.size() && IsIdentChar(FText[FPos])) {
        ++FPos;
      }
      FTokenString = FText.substr(Start, FPos - Start);
      FToken = toSymbol;
    } else if (C == '\'' || C == '#') {
      ReadStringToken();
    } else if (C == '$') {
      std::size_t Start = ++FPos;
      while (FPos < FText.size() && std::isxdigit(static_cast<unsigned char>(FText[FPos]))) {
        ++FPos;
      }
      if (FPos == Start) {
        Error("Number expected");
      }
      FTokenString = "$" + FText.substr(Start, FPos - Start);
      FToken = toInteger;
    } else if (C == '-' || std::isdigit(static_cast<unsigned char>(C))) {
      std::size_t Start = FPos++;
      while (FPos < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FPos]))) {
        ++FPos;
      }
      FToken = toInteger;
      FFloatType = '\0';
      while (FPos < FText.size() && (std::isdigit(static_cast<unsigned char>(FText[FPos])) || FText[FPos] == '.' ||
                                     FText[FPos] == 'e' || FText[FPos] == 'E' ||
                                     ((FText[FPos] == '+' || FText[FPos] == '-') &&
                                      (FText[FPos - 1] == 'e' || FText[FPos - 1] == 'E')))) {
        ++FPos;
        FToken = toFloat;
      }
      FTokenString = FText.substr(Start, FPos - Start);
      if (FTokenString == "-" && FPos < FText.size() && IsIdentStart(FText[FPos])) {
        // "-INF"
        while (FPos < FText.size() && IsIdentChar(FText[FPos])) {
          FTokenString += FText[FPos++];
        }
        FToken = toFloat;
      }
      if (FPos < FText.size() && std::strchr("cCdDsS", FText[FPos]) != nullptr && FText[FPos] != '\0') {
        FFloatType = static_cast<char>(std::toupper(FText[FPos]));
        FToken = toFloat;
        ++FPos;
      }
      if (FTokenString == "-") {
        Error("Number expected");
      }
    } else {
      FToken = toChar;
      FTokenChar = C;
      ++FPos;
    }
  }

  Int64 TokenInt() {
    Int64 V = 0;
    if (!FTokenString.empty() && FTokenString[0] == '$') {
      V = static_cast<Int64>(std::strtoull(FTokenString.c_str() + 1, nullptr, 16));
    } else if (!TryParseInt64(FTokenString, V)) {
      Error("Number expected");
    }
    return V;
  }
  static bool TryParseInt64(const std::string& S, Int64& V) {
    char* End = nullptr;
    errno = 0;
    V = std::strtoll(S.c_str(), &End, 10);
    return errno == 0 && End != nullptr && *End == '\0';
  }

  std::string ObjectHeader() {
    CheckSymbol();
    TFilerFlags Flags;
    if (IsSymbol("inherited")) {
      Flags.Include(ffInherited);
    } else if (IsSymbol("inline")) {
      Flags.Include(ffInline);
    } else if (!IsSymbol("object")) {
      Error("'object' expected");
    }
    NextToken();
    CheckSymbol();
    std::string ObjectName;
    std::string ClassName = FTokenString;
    NextToken();
    if (IsChar(':')) {
      NextToken();
      CheckSymbol();
      ObjectName = ClassName;
      ClassName = FTokenString;
      NextToken();
    }
    Integer ChildPos = 0;
    if (IsChar('[')) {
      NextToken();
      if (FToken != toInteger) {
        Error("Number expected");
      }
      ChildPos = static_cast<Integer>(TokenInt());
      NextToken();
      CheckChar(']');
      NextToken();
      Flags.Include(ffChildPos);
    }
    if (!Flags.Empty()) {
      Byte Prefix = static_cast<Byte>(0xF0 | Flags.ToMask());
      FWriter.Write(&Prefix, 1);
      if (Flags.Contains(ffChildPos)) {
        FWriter.WriteInteger(ChildPos);
      }
    }
    FWriter.WriteStr(ClassName);
    FWriter.WriteStr(ObjectName);
    return ClassName;
  }

  bool AtObject() const { return IsSymbol("object") || IsSymbol("inherited") || IsSymbol("inline"); }

  void ConvertObject() {
    ObjectHeader();
    while (!IsSymbol("end") && !AtObject() && FToken != toEOF) {
      ConvertProperty();
    }
    FWriter.WriteListEnd();
    while (!IsSymbol("end")) {
      if (FToken == toEOF) {
        Error("'end' expected");
      }
      ConvertObject();
    }
    FWriter.WriteListEnd();
    NextToken();
  }

  void ConvertProperty() {
    CheckSymbol();
    std::string Name = FTokenString;
    NextToken();
    while (IsChar('.')) {
      NextToken();
      CheckSymbol();
      Name += "." + FTokenString;
      NextToken();
    }
    FWriter.WriteStr(Name);
    CheckChar('=');
    NextToken();
    ConvertValue();
  }

  void WriteText(const std::vector<unsigned>& Chars) {
    bool Wide = false;
    for (unsigned C : Chars) {
      Wide = Wide || C > 255;
    }
    if (!Wide) {
      std::string S;
      for (unsigned C : Chars) {
        S += static_cast<char>(C);
      }
      FWriter.WriteString(S);
      return;
    }
    std::vector<std::uint16_t> Units;
    for (unsigned C : Chars) {
      if (C >= 0x10000) {
        Units.push_back(static_cast<std::uint16_t>(0xD800 + ((C - 0x10000) >> 10)));
        Units.push_back(static_cast<std::uint16_t>(0xDC00 + ((C - 0x10000) & 0x3FF)));
      } else {
        Units.push_back(static_cast<std::uint16_t>(C));
      }
    }
    FWriter.WriteValue(vaWString);
    const auto Len = static_cast<std::uint32_t>(Units.size());
    Byte L[4] = {static_cast<Byte>(Len), static_cast<Byte>(Len >> 8), static_cast<Byte>(Len >> 16),
                 static_cast<Byte>(Len >> 24)};
    FWriter.Write(L, 4);
    for (std::uint16_t U : Units) {
      Byte B[2] = {static_cast<Byte>(U), static_cast<Byte>(U >> 8)};
      FWriter.Write(B, 2);
    }
  }

  void ConvertFloat() {
    if (FFloatType == 'C') {
      FWriter.WriteValue(vaCurrency);
      Int64 C = CurrencyFromText(FTokenString);
      Byte B[8];
      for (int I = 0; I < 8; ++I) {
        B[I] = static_cast<Byte>(static_cast<UInt64>(C) >> (8 * I));
      }
      FWriter.Write(B, 8);
      return;
    }
    TExt V = TextToExt(FTokenString);
    if (FFloatType == 'S') {
      FWriter.WriteSingle(static_cast<float>(V));
    } else if (FFloatType == 'D') {
      FWriter.WriteDate(static_cast<double>(V));
    } else {
      Byte B[10];
      ExtToBytes(V, B);
      FWriter.WriteValue(vaExtended);
      FWriter.Write(B, 10);
    }
  }

  Int64 CurrencyFromText(const std::string& S) {
    // Exact decimal: up to four decimals.
    bool Neg = !S.empty() && S[0] == '-';
    std::string Digits = Neg ? S.substr(1) : S;
    std::size_t Dot = Digits.find('.');
    std::string IntPart = Digits.substr(0, Dot);
    std::string Frac = Dot == std::string::npos ? std::string() : Digits.substr(Dot + 1);
    if (Frac.find_first_of("eE") != std::string::npos || IntPart.find_first_of("eE") != std::string::npos) {
      return static_cast<Int64>(std::llround(static_cast<double>(TextToExt(S) * 10000)));
    }
    if (Frac.size() > 4) {
      Frac.resize(4);
    }
    while (Frac.size() < 4) {
      Frac += '0';
    }
    Int64 V = 0;
    if (!TryParseInt64(IntPart + Frac, V)) {
      Error("Number expected");
    }
    return Neg ? -V : V;
  }

  void ConvertValue() {
    switch (FToken) {
      case toString: {
        std::vector<unsigned> Chars = FTokenChars;
        NextToken();
        while (IsChar('+')) {
          NextToken();
          if (FToken != toString) {
            Error("String expected");
          }
          Chars.insert(Chars.end(), FTokenChars.begin(), FTokenChars.end());
          NextToken();
        }
        WriteText(Chars);
        return;
      }
      case toInteger:
        FWriter.WriteInteger(TokenInt());
        break;
      case toFloat:
        ConvertFloat();
        break;
      case toSymbol: {
        // A component reference may name a component of another root: "Form2.Button1".
        std::string Ident = FTokenString;
        while (FPos < FText.size() && FText[FPos] == '.') {
          NextToken();
          NextToken();
          CheckSymbol();
          Ident += "." + FTokenString;
        }
        FWriter.WriteIdent(Ident);
        break;
      }
      case toChar:
        switch (FTokenChar) {
          case '[':
            ConvertSet();
            break;
          case '(':
            NextToken();
            FWriter.WriteListBegin();
            while (!IsChar(')')) {
              if (FToken == toEOF) {
                Error("')' expected");
              }
              ConvertValue();
            }
            FWriter.WriteListEnd();
            break;
          case '{':
            ConvertBinary();
            return;
          case '<':
            ConvertCollection();
            break;
          default:
            Error("Invalid property value");
        }
        break;
      case toEOF:
        Error("Invalid property value");
    }
    NextToken();
  }

  void ConvertSet() {
    NextToken();
    FWriter.WriteValue(vaSet);
    if (!IsChar(']')) {
      for (;;) {
        CheckSymbol();
        FWriter.WriteStr(FTokenString);
        NextToken();
        if (IsChar(']')) {
          break;
        }
        CheckChar(',');
        NextToken();
      }
    }
    FWriter.WriteStr(std::string());
  }

  void ConvertBinary() {
    // The hex digits up to '}', blanks ignored; the token after '}' is read here.
    std::string Hex;
    for (;;) {
      if (FPos >= FText.size()) {
        Error("Invalid binary value");
      }
      char C = FText[FPos++];
      if (C == '}') {
        break;
      }
      if (C == '\n') {
        ++FLine;
      }
      if (static_cast<unsigned char>(C) <= ' ') {
        continue;
      }
      if (!std::isxdigit(static_cast<unsigned char>(C))) {
        Error("Invalid binary value");
      }
      Hex += C;
    }
    if (Hex.size() % 2 != 0) {
      Error("Invalid binary value");
    }
    FWriter.WriteValue(vaBinary);
    const auto Size = static_cast<std::uint32_t>(Hex.size() / 2);
    Byte L[4] = {static_cast<Byte>(Size), static_cast<Byte>(Size >> 8), static_cast<Byte>(Size >> 16),
                 static_cast<Byte>(Size >> 24)};
    FWriter.Write(L, 4);
    std::string Bytes;
    for (std::size_t I = 0; I < Hex.size(); I += 2) {
      Bytes += static_cast<char>(std::stoi(Hex.substr(I, 2), nullptr, 16));
    }
    if (!Bytes.empty()) {
      FWriter.Write(Bytes.data(), static_cast<LongInt>(Bytes.size()));
    }
    NextToken();
  }

  void ConvertCollection() {
    NextToken();
    FWriter.WriteValue(vaCollection);
    while (!IsChar('>')) {
      if (!IsSymbol("item")) {
        Error("'item' expected");
      }
      NextToken();
      if (IsChar('[')) {
        NextToken();
        if (FToken != toInteger) {
          Error("Number expected");
        }
        FWriter.WriteInteger(TokenInt());
        NextToken();
        CheckChar(']');
        NextToken();
      }
      FWriter.WriteListBegin();
      while (!IsSymbol("end")) {
        if (FToken == toEOF) {
          Error("'end' expected");
        }
        ConvertProperty();
      }
      FWriter.WriteListEnd();
      NextToken();
    }
    FWriter.WriteListEnd();
  }

  TWriter FWriter;
  std::string FText;
  std::size_t FPos = 0;
  int FLine = 1;
  TToken FToken = toEOF;
  std::string FTokenString;
  std::vector<unsigned> FTokenChars;
  char FTokenChar = '\0';
  char FFloatType = '\0';
};

// Skips a resource header in front of a component stream; the name is returned.
std::string SkipResHeader(TStream* Input) {
  Byte Head[3] = {};
  Input->ReadBuffer(Head, 3);
  if (Head[0] != 0xFF || Head[1] != 10 || Head[2] != 0) {
    throw EInvalidImage(RtlConsts::SInvalidImage);
  }
  std::string Name;
  char C = 0;
  for (;;) {
    Input->ReadBuffer(&C, 1);
    if (C == '\0') {
      break;
    }
    Name += C;
  }
  Byte Rest[6];
  Input->ReadBuffer(Rest, 6);
  return Name;
}
}  // namespace

void ObjectBinaryToText(TStream* Input, TStream* Output) {
  TBinaryToText(Input, Output).Run();
}

void ObjectTextToBinary(TStream* Input, TStream* Output) {
  TTextToBinary(Input, Output).Run();
}

void ObjectResourceToText(TStream* Input, TStream* Output) {
  SkipResHeader(Input);
  ObjectBinaryToText(Input, Output);
}

void ObjectTextToResource(TStream* Input, TStream* Output) {
  TMemoryStream Binary;
  ObjectTextToBinary(Input, &Binary);
  // The resource is named after the root's class, upper-cased.
  Binary.SetPosition(4);
  TReader Reader(&Binary);
  TFilerFlags Flags;
  Integer ChildPos = 0;
  Reader.ReadPrefix(Flags, ChildPos);
  std::string Name = UpperCase(Reader.ReadStr());
  Byte Head[3] = {0xFF, 10, 0};
  Output->WriteBuffer(Head, 3);
  Output->WriteBuffer(Name.c_str(), static_cast<LongInt>(Name.size() + 1));
  const auto Size = static_cast<std::uint32_t>(Binary.Size());
  Byte Tail[6] = {0x30, 0x10, static_cast<Byte>(Size), static_cast<Byte>(Size >> 8), static_cast<Byte>(Size >> 16),
                  static_cast<Byte>(Size >> 24)};
  Output->WriteBuffer(Tail, 6);
  Binary.SetPosition(0);
  Output->CopyFrom(&Binary, Binary.Size());
}
