// StrStore's markup side: character references, URL decoding and the tag and attribute scanner.
#include "core/Strstore.h"
#include "core/Strtext.h"

#include <cstring>

namespace {

// The named character references of HTML 4.01 whose code points fit in a byte: four first, then 160..255.
struct TEntity {
  const char* Name;
  int Code;
};
const TEntity BasicEntities[] = {{"quot", 34}, {"amp", 38}, {"lt", 60}, {"gt", 62}};
const char* const LatinEntities[96] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",
    "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",
    "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave",
    "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",
    "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",
    "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute",
    "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
    "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

// Name (the bytes after '&') followed directly by ';'.
bool NameMatches(const char* P, const char* Name) {
  const std::size_t N = std::strlen(Name);
  return std::strncmp(P, Name, N) == 0 && P[N] == ';';
}

}  // namespace

int StrStore::parseCharRef(const char* Amp, int* Len) {
  if (Amp == nullptr || *Amp != '&') {
    return 0;
  }
  const char* Semi = std::strchr(Amp, ';');
  if (Semi == nullptr) {
    return 0;
  }
  int Value = 0;
  if (Amp[1] == '#') {
    const bool Hex = Amp[2] == 'x' || Amp[2] == 'X';
    const char* P = Amp + (Hex ? 3 : 2);
    if (P == Semi) {
      return 0;
    }
    for (; P < Semi; ++P) {
      const int Digit = Hex ? StrText::HexValue(*P) : ((*P >= '0' && *P <= '9') ? *P - '0' : -1);
      if (Digit < 0) {
        return 0;
      }
      Value = Value * (Hex ? 16 : 10) + Digit;
      if (Value > 255) {
        return 0;  // also keeps long digit runs from overflowing
      }
    }
  } else {
    for (const TEntity& E : BasicEntities) {
      if (NameMatches(Amp + 1, E.Name)) {
        Value = E.Code;
        break;
      }
    }
    if (Value == 0) {
      for (int I = 0; I < 96; ++I) {
        if (NameMatches(Amp + 1, LatinEntities[I])) {
          Value = 160 + I;
          break;
        }
      }
    }
  }
  if (Value < 1 || Value > 255) {
    return 0;
  }
  if (Len != nullptr) {
    *Len = static_cast<int>(Semi - Amp) + 1;
  }
  return Value;
}

int StrStore::decodeCharRefs(int Flags) {
  if (std::memchr(text, '&', static_cast<std::size_t>(length)) == nullptr) {
    return (Flags & 2) != 0 ? 0 : 1;
  }
  // Decoding only ever shortens the text, so it is done in place in one walk.
  int Left = 0;
  int Out = 0;
  int I = 0;
  while (I < length) {
    if (text[I] == '&') {
      int Len = 0;
      const int Value = parseCharRef(text + I, &Len);
      if (Value != 0) {
        text[Out++] = static_cast<char>(Value);
        I += Len;
        continue;
      }
      ++Left;
    }
    text[Out++] = text[I++];
  }
  length = Out;
  text[length] = 0;
  return (Flags & 2) != 0 ? Left : 0;
}

int StrStore::urlDecode(int Flags) {
  const bool KeepPlus = (Flags & 1) != 0;
  bool Any = false;
  int Out = 0;
  int I = 0;
  while (I < length) {
    const char C = text[I];
    if (C == '%') {
      Any = true;
      const int Hi = I + 1 < length ? StrText::HexValue(text[I + 1]) : -1;
      const int Lo = I + 2 < length ? StrText::HexValue(text[I + 2]) : -1;
      const int Value = (Hi >= 0 && Lo >= 0) ? Hi * 16 + Lo : 0;
      if (Value != 0) {
        text[Out++] = static_cast<char>(Value);
        I += 3;
        continue;
      }
    } else if (C == '+' && !KeepPlus) {
      Any = true;
      text[Out++] = ' ';
      ++I;
      continue;
    }
    text[Out++] = C;
    ++I;
  }
  length = Out;
  text[length] = 0;
  return Any ? 0 : 1;
}

int StrStore::getNextTagName(const char** Cursor, StrStore& Name, int Flags) const {
  if (Cursor == nullptr || (*Cursor == nullptr && (Flags & 2) == 0)) {
    return TAG_NO_CURSOR;
  }
  const char* End = text + length;
  const char* P = text;
  if ((Flags & 2) == 0) {
    P = *Cursor;
    if (P < text || P > End) {
      return TAG_CURSOR_OUTSIDE;
    }
  }
  while (P < End && StrText::IsSpace(*P)) {
    ++P;
  }
  if (P == End) {
    return TAG_ONLY_WHITESPACE;
  }
  P = static_cast<const char*>(std::memchr(P, '<', static_cast<std::size_t>(End - P)));
  if (P == nullptr) {
    return TAG_NO_OPEN;
  }
  ++P;
  while (P < End && StrText::IsSpace(*P)) {
    ++P;
  }
  if (P == End) {
    return TAG_NOTHING_AFTER_OPEN;
  }
  if (End - P >= 3 && std::strncmp(P, "!--", 3) == 0) {
    const char* Close = std::strstr(P + 3, "-->");
    *Cursor = Close != nullptr ? Close + 3 : End;
    return TAG_COMMENT_SKIPPED;
  }
  const char* NameEnd = P;
  while (NameEnd < End && !StrText::IsSpace(*NameEnd) && *NameEnd != '>') {
    ++NameEnd;
  }
  Name.setString(P, static_cast<int>(NameEnd - P));
  Name.decodeCharRefs(1);
  *Cursor = NameEnd < End ? NameEnd + 1 : End;
  return TAG_FOUND;
}

int StrStore::getNextAttribute(const char** Cursor, StrStore& Name, StrStore& Value) const {
  const char* End = text + length;
  if (Cursor == nullptr || *Cursor == nullptr || *Cursor < text || *Cursor > End) {
    return ATTR_CURSOR_OUTSIDE;
  }
  const char* P = *Cursor;
  while (P < End && StrText::IsSpace(*P)) {
    ++P;
  }
  if (P == End || *P == '/' || *P == '>') {
    return ATTR_NO_MORE;
  }
  const char* NameStart = P;
  while (P < End && *P != '=' && !StrText::IsSpace(*P)) {
    ++P;
  }
  if (P == End) {
    return ATTR_NAME_AT_END;
  }
  const char* NameEnd = P;
  while (P < End && StrText::IsSpace(*P)) {
    ++P;
  }
  if (P == End || *P != '=') {
    return ATTR_NO_EQUALS;
  }
  ++P;
  while (P < End && StrText::IsSpace(*P)) {
    ++P;
  }
  if (P == End || (*P != '"' && *P != '\'')) {
    return ATTR_NO_QUOTE;
  }
  const char Quote = *P++;
  const char* Close = static_cast<const char*>(std::memchr(P, Quote, static_cast<std::size_t>(End - P)));
  if (Close == nullptr) {
    return ATTR_NO_CLOSING_QUOTE;
  }
  Name.setString(NameStart, static_cast<int>(NameEnd - NameStart));
  Value.setString(P, static_cast<int>(Close - P));
  Value.decodeCharRefs(1);
  *Cursor = Close + 1;
  return ATTR_READ;
}
