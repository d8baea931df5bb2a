// Byte-level helpers shared by the string and path units: ASCII case folding and white space.
#pragma once

#include "platform/rtl/FileUtils.h"

namespace StrText {

// The separator of file paths on this platform; URLs always use '/'.
inline constexpr char FileSeparator = PathDelim;

inline char Lower(char C) { return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C; }

// Blank, tab, line feed, vertical tab, form feed, carriage return.
inline bool IsSpace(char C) { return C == ' ' || (C >= '\t' && C <= '\r'); }

// The first N bytes of A and B are equal when ASCII letters are folded (B must hold at least N bytes).
inline bool StartsNoCase(const char* A, const char* B, int N) {
  for (int I = 0; I < N; ++I) {
    if (Lower(A[I]) != Lower(B[I])) {
      return false;
    }
  }
  return true;
}

// A (N bytes) equals the zero-terminated B when ASCII letters are folded.
inline bool EqualNoCase(const char* A, int N, const char* B) {
  int I = 0;
  for (; I < N; ++I) {
    if (B[I] == 0 || Lower(A[I]) != Lower(B[I])) {
      return false;
    }
  }
  return B[I] == 0;
}

// The value of a hexadecimal digit, or NOT_HEX_DIGIT.
inline constexpr int NOT_HEX_DIGIT = -1;
inline int HexValue(char C) {
  if (C >= '0' && C <= '9') {
    return C - '0';
  }
  if (C >= 'a' && C <= 'f') {
    return C - 'a' + 10;
  }
  if (C >= 'A' && C <= 'F') {
    return C - 'A' + 10;
  }
  return NOT_HEX_DIGIT;
}

}  // namespace StrText
