// The language handlers the tokenizer keeps for every parser: strings, comments, numbers, identifiers,
// preprocessor lines and Pascal asm blocks.
#include "codeeditor/Dcparser.h"

#include "platform/rtl/SysUtils.h"

#include <array>
#include <cstring>

namespace Dcparser {

namespace {
constexpr bool IsIdentChar(unsigned char C) {
  return (C >= '0' && C <= '9') || (C >= 'A' && C <= 'Z') || C == '_' || (C >= 'a' && C <= 'z');
}
constexpr bool IsHexDigit(unsigned char C) {
  return (C >= '0' && C <= '9') || (C >= 'A' && C <= 'F') || (C >= 'a' && C <= 'f');
}
constexpr bool IsLineEndChar(unsigned char C) { return C < 32 && C != '\t'; }
}  // namespace

// ---- strings ----

Integer TCustomDCParser::ParseUniStrConst(char Quote) {
  bool Found = false;
  do {
    if (*FCurPtr != '\0') {
      ++FCurPtr;
    }
    Found = SkipToCharOrEol(Quote);
    if (Found) {
      ++FCurPtr;
    }
  } while (Found && *FCurPtr == Quote);
  FUnterminated = !Found;
  return tokString;
}

Integer TCustomDCParser::ParseStrConst() {
  (void)ParseUniStrConst('\'');  // always a string
  if (*FCurPtr == '#') {
    return ParseCharConst();
  }
  return tokString;
}

Integer TCustomDCParser::ParseVBStrConst() { return ParseUniStrConst('"'); }

Integer TCustomDCParser::ParseCharConst() {
  // A run of character codes and quoted strings is one token.
  for (;;) {
    ++FCurPtr;  // the "#"
    if (*FCurPtr == '$') {
      ++FCurPtr;
      SkipHexDigits();
    } else {
      SkipDigits();
    }
    if (*FCurPtr == '#') {
      continue;
    }
    if (*FCurPtr == '\'') {
      (void)ParseUniStrConst('\'');  // always a string
      if (*FCurPtr == '#') {
        continue;
      }
    }
    return tokString;
  }
}

Integer TCustomDCParser::ParseCStrConst() {
  const char Quote = *FCurPtr;
  const char* Start = FCurPtr;
  ++FCurPtr;
  for (;;) {
    if (!SkipToCharOrEol(Quote)) {
      return tokString;  // open only for this token: it never continues on the next line
    }
    std::size_t Backslashes = 0;
    for (const char* P = FCurPtr - 1; P > Start && *P == '\\'; --P) {
      ++Backslashes;
    }
    ++FCurPtr;
    if (Backslashes % 2 == 0) {
      return tokString;
    }
  }
}

// ---- comments ----

Integer TCustomDCParser::ParseComment() {
  if (SkipToCharOrEol('}')) {
    ++FCurPtr;
    FState = psNormal;
  } else {
    FState = psBraceComment;
  }
  return tokComment;
}

Integer TCustomDCParser::ParseComplexComment() {
  ++FCurPtr;
  if (*FCurPtr != '*') {
    return tokSymbol;
  }
  ++FCurPtr;
  return ParseComplexCommentEnd();
}

Integer TCustomDCParser::ParseComplexCommentEnd() { return ParseUniComplexCommentEnd(')'); }

Integer TCustomDCParser::ParseUniComplexCommentEnd(char C) {
  while (SkipToCharOrEol('*')) {
    ++FCurPtr;
    if (*FCurPtr == C) {
      ++FCurPtr;
      FState = psNormal;
      return tokComment;
    }
  }
  FState = psBlockComment;
  return tokComment;
}

Integer TCustomDCParser::ParseJscrComment() {
  ++FCurPtr;
  Integer Result = tokSymbol;
  if (*FCurPtr == '*') {
    ++FCurPtr;
    Result = ParseJScrCommentEnd();
  } else if (*FCurPtr == '/') {
    Result = RestIsComment();
  }
  if (FState == psDirective) {
    FState = psNormal;
  }
  return Result;
}

Integer TCustomDCParser::ParseJScrCommentEnd() { return ParseUniComplexCommentEnd('/'); }

Integer TCustomDCParser::ParseCComment() {
  ++FCurPtr;
  if (*FCurPtr == '/') {
    return RestIsComment();
  }
  return tokSymbol;
}

// ---- identifiers ----

Integer TCustomDCParser::ParseDelphiIdentifier() {
  const Integer Result = ParseIdentifier();
  if (Result == tokResWord && FState == psNormal && SameText(TokenView(), "asm")) {
    FState = psAsm;
  }
  return Result;
}

Integer TCustomDCParser::ParseVBIdentifier() {
  const Integer Result = ParseIdentifier();
  if (Result == tokResWord && FResWordId == FSpecialResWordId) {
    return RestIsComment();
  }
  return Result;
}

// ---- numbers ----

Integer TCustomDCParser::ParseVBHexConst() {
  ++FCurPtr;
  if (*FCurPtr == 'H' || *FCurPtr == 'h') {
    ++FCurPtr;
    SkipHexDigits();
    return tokInteger;
  }
  return tokSymbol;
}

Integer TCustomDCParser::ParseJHexConst() {
  if (FCurPtr[1] != 'x') {
    return ParseNumConst();
  }
  ++FCurPtr;
  if (IsHexDigit(static_cast<unsigned char>(FCurPtr[1]))) {
    return ParseHexConst();
  }
  return tokSymbol;
}

void TCustomDCParser::ParseCSuffixes() {
  static constexpr std::array<std::string_view, 17> Suffixes = {
      "ui64", "i64", "i32", "i16", "i8", "ul", "lu", "Ul", "lU", "uL", "Lu", "LU", "UL", "U", "u", "L", "l"};
  for (const std::string_view S : Suffixes) {
    if (std::strncmp(FCurPtr, S.data(), S.size()) == 0) {
      FCurPtr += S.size();
      return;
    }
  }
}

Integer TCustomDCParser::ParseCNumConst() {
  const Integer Result = ParseNumConst();
  if (Result == tokInteger) {
    ParseCSuffixes();
  }
  return Result;
}

Integer TCustomDCParser::ParseCHexConst() {
  const Integer Result = ParseJHexConst();
  if (Result == tokInteger) {
    ParseCSuffixes();
  }
  return Result;
}

// ---- preprocessor lines ----

Integer TCustomDCParser::ParseDefines() {
  ++FCurPtr;
  FState = psNormal;
  while (!IsLineEndChar(static_cast<unsigned char>(*FCurPtr))) {
    if (*FCurPtr == '/' && (FCurPtr[1] == '*' || FCurPtr[1] == '/')) {
      return tokDirective;
    }
    ++FCurPtr;
  }
  // A backslash ending the line continues the directive on the next one (it was stepped over above).
  if (FCurPtr > FTokenPtr && FCurPtr[-1] == '\\') {
    FState = psDirective;
  }
  return tokDirective;
}

// ---- Pascal asm blocks ----

bool TCustomDCParser::NextWordIsEnd() const {
  const char* P = FCurPtr;
  if (P[0] == '\0' || P[1] == '\0' || P[2] == '\0') {
    return false;
  }
  const std::string_view Word(P, 3);
  if (FCaseSensitive ? Word != "end" : !SameText(Word, "end")) {
    return false;
  }
  if (P > FLinePtr) {
    const auto B = static_cast<unsigned char>(P[-1]);
    if (B == '$' || (B >= '@' && B <= 'Z') || B == '_' || (B >= 'a' && B <= 'z')) {
      return false;
    }
  }
  return !IsIdentChar(static_cast<unsigned char>(P[3]));
}

Integer TCustomDCParser::ParseAsm() {
  while (static_cast<unsigned char>(*FCurPtr) > 32) {
    if (NextWordIsEnd()) {
      FState = psNormal;
      break;
    }
    if (FCurPtr[0] == '(' && FCurPtr[1] == '*') {
      FState = psAsmBlockComment;
      break;
    }
    if (FCurPtr[0] == '/' && FCurPtr[1] == '/') {
      FState = psAsmLineComment;
      break;
    }
    if (FCurPtr[0] == '{') {
      FState = psAsmBraceComment;
      break;
    }
    ++FCurPtr;
  }
  return tokAsm;
}

Integer TCustomDCParser::ParseAsmCComment() {
  const Integer Result = ParseCComment();
  FState = psAsm;
  return Result == tokSymbol ? tokAsm : Result;
}

Integer TCustomDCParser::ParseAsmComment() {
  const Integer Result = ParseComment();
  FState = FState == psBraceComment ? psAsmBraceComment : psAsm;
  return Result;
}

Integer TCustomDCParser::ParseAsmComplexComment() {
  const Integer Result = ParseComplexComment();
  FState = FState == psBlockComment ? psAsmBlockComment : psAsm;
  return Result == tokSymbol ? tokAsm : Result;
}

Integer TCustomDCParser::ParseAsmComplexCommentEnd() {
  const Integer Result = ParseComplexCommentEnd();
  FState = FState == psBlockComment ? psAsmBlockComment : psAsm;
  return Result;
}

}  // namespace Dcparser
