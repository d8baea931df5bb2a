// StrStore: construction, growth, assignment, comparison and editing in place.
#include "core/Strstore.h"

#include "core/Strtext.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Every StrStore holds a buffer; when not even a small one can be had there is nothing sound left to do.
char* AllocOrDie(int Size, int& Capacity) {
  auto* P = static_cast<char*>(std::malloc(static_cast<std::size_t>(Size)));
  if (P == nullptr) {
    P = static_cast<char*>(std::malloc(1));
    Size = 1;
    if (P == nullptr) {
      std::abort();
    }
  }
  P[0] = 0;
  Capacity = Size;
  return P;
}

}  // namespace

StrStore::StrStore() : text(nullptr), length(0), capacity(0) { text = AllocOrDie(32, capacity); }

StrStore::StrStore(const char* Text) : StrStore() { assign(Text); }

StrStore::StrStore(const StrStore& Other) : text(nullptr), length(0), capacity(0) {
  const int Want = Other.capacity > 2 * Other.length ? Other.length + 1 : Other.capacity;
  auto* P = static_cast<char*>(std::malloc(static_cast<std::size_t>(Want)));
  if (P == nullptr) {
    text = AllocOrDie(1, capacity);
    return;
  }
  std::memcpy(P, Other.text, static_cast<std::size_t>(Other.length) + 1);
  text = P;
  length = Other.length;
  capacity = Want;
}

StrStore::StrStore(StrStore&& Other) noexcept : text(Other.text), length(Other.length), capacity(Other.capacity) {
  Other.text = AllocOrDie(32, Other.capacity);
  Other.length = 0;
}

StrStore& StrStore::operator=(const StrStore& Other) { return assignStore(Other); }

StrStore& StrStore::operator=(StrStore&& Other) noexcept {
  if (this != &Other) {
    std::swap(text, Other.text);
    std::swap(length, Other.length);
    std::swap(capacity, Other.capacity);
    Other.clear();
  }
  return *this;
}

StrStore::~StrStore() { std::free(text); }

int StrStore::replaceBuffer(int NewCapacity, bool Keep) {
  auto* P = static_cast<char*>(std::malloc(static_cast<std::size_t>(NewCapacity)));
  if (P == nullptr) {
    return 0;
  }
  if (Keep) {
    const int N = length < NewCapacity ? length : NewCapacity - 1;
    std::memcpy(P, text, static_cast<std::size_t>(N));
    length = N;
  } else {
    length = 0;
  }
  P[length] = 0;
  std::free(text);
  text = P;
  capacity = NewCapacity;
  return 1;
}

int StrStore::shrinkBuffer(int Need) {
  if (capacity > 1024 && Need < 128) {
    replaceBuffer(1024, true);
  }
  return 1;
}

int StrStore::setString(const char* Text, int N) {
  if (Text == nullptr) {
    Text = "";
    N = 0;
  } else if (N < 0) {
    const std::size_t L = std::strlen(Text);
    if (L >= static_cast<std::size_t>(INT_MAX)) {
      return 0;
    }
    N = static_cast<int>(L);
  }
  if (N >= INT_MAX) {
    return 0;
  }
  if (capacity < N + 1) {
    auto* P = static_cast<char*>(std::malloc(static_cast<std::size_t>(N) + 1));
    if (P == nullptr) {
      return 0;
    }
    std::memcpy(P, Text, static_cast<std::size_t>(N));
    std::free(text);
    text = P;
    capacity = N + 1;
  } else {
    if (!owns(Text)) {
      shrinkBuffer(N + 1);
    }
    std::memmove(text, Text, static_cast<std::size_t>(N));
  }
  length = N;
  text[N] = 0;
  return 1;
}

StrStore& StrStore::assign(const char* Text) {
  setString(Text, -1);
  return *this;
}

StrStore& StrStore::assignStore(const StrStore& Other) {
  if (&Other != this) {
    setString(Other.text, Other.length);
  }
  return *this;
}

StrStore& StrStore::assignInt(int Value) {
  setInt(Value);
  return *this;
}

StrStore& StrStore::assignChar(char C) {
  setString(&C, C == 0 ? 0 : 1);
  return *this;
}

int StrStore::setInt(int Value) {
  char Buf[16];
  const int N = std::snprintf(Buf, sizeof Buf, "%d", Value);
  return setString(Buf, N);
}

int StrStore::appendString(const char* Text, int N) {
  if (Text == nullptr || N == 0) {
    return 1;
  }
  if (N < 0) {
    const std::size_t L = std::strlen(Text);
    if (L >= static_cast<std::size_t>(INT_MAX)) {
      return 0;
    }
    N = static_cast<int>(L);
    if (N == 0) {
      return 1;
    }
  }
  const long long Need = static_cast<long long>(length) + N + 1;
  if (Need <= capacity) {
    std::memmove(text + length, Text, static_cast<std::size_t>(N));
  } else {
    const long long Spare = length > 100000 ? 100000 : length > 10000 ? 10000 : length > 1000 ? 1000 : 0;
    const long long NewCapacity = Need + Spare;
    if (NewCapacity > INT_MAX) {
      return 0;
    }
    auto* P = static_cast<char*>(std::malloc(static_cast<std::size_t>(NewCapacity)));
    if (P == nullptr) {
      return 0;
    }
    std::memcpy(P, text, static_cast<std::size_t>(length));
    std::memcpy(P + length, Text, static_cast<std::size_t>(N));  // Text may lie in the old buffer: copy first
    std::free(text);
    text = P;
    capacity = static_cast<int>(NewCapacity);
  }
  length += N;
  text[length] = 0;
  return 1;
}

StrStore& StrStore::append(const char* Text) {
  appendString(Text, -1);
  return *this;
}

StrStore& StrStore::appendStore(const StrStore& Other) {
  appendString(Other.text, Other.length);
  return *this;
}

StrStore& StrStore::appendInt(int Value) {
  char Buf[16];
  const int N = std::snprintf(Buf, sizeof Buf, "%d", Value);
  appendString(Buf, N);
  return *this;
}

StrStore& StrStore::appendChar(char C) {
  if (C != 0) {
    appendString(&C, 1);
  }
  return *this;
}

StrStore& StrStore::setRange(const char* Begin, const char* End) {
  if (Begin == nullptr || *Begin == 0 || End < Begin) {
    clear();
    shrinkBuffer(1);
    return *this;
  }
  const int N = static_cast<int>(End - Begin + 1);
  if (owns(Begin)) {
    // Take the bytes before the buffer can be replaced or overwritten.
    const std::string Copy(Begin, static_cast<std::size_t>(N));
    clear();
    shrinkBuffer(N + 1);
    appendString(Copy.data(), N);
  } else {
    clear();
    shrinkBuffer(N + 1);
    appendString(Begin, N);
  }
  return *this;
}

int StrStore::setStringLength(int N, int Fill) {
  if (N < 1) {
    return 0;
  }
  if (capacity < N) {
    auto* P = static_cast<char*>(std::malloc(static_cast<std::size_t>(N)));
    if (P == nullptr) {
      return ZUB_GENERAL_FAILURE;
    }
    std::free(text);
    text = P;
    capacity = N;
  }
  length = N - 1;
  if (Fill >= 0) {
    std::memset(text, Fill, static_cast<std::size_t>(length));
  }
  text[length] = 0;
  return 1;
}

void StrStore::clear() {
  length = 0;
  text[0] = 0;
}

int StrStore::notEqual(const char* Other) const {
  return std::strcmp(text, Other != nullptr ? Other : "") == 0 ? 0 : 1;
}

int StrStore::notEqualStore(const StrStore& Other) const {
  return (length == Other.length && std::memcmp(text, Other.text, static_cast<std::size_t>(length)) == 0) ? 0 : 1;
}

int StrStore::equalsNoCase(const char* Other) const {
  return StrText::EqualNoCase(text, length, Other != nullptr ? Other : "") ? 1 : 0;
}

int StrStore::equalsNoCaseStore(const StrStore& Other) const {
  return (length == Other.length && StrText::StartsNoCase(text, Other.text, length)) ? 1 : 0;
}

int StrStore::startsWithNoCase(const char* Prefix) const {
  if (Prefix == nullptr) {
    return 0;
  }
  const std::size_t N = std::strlen(Prefix);
  return (N <= static_cast<std::size_t>(length) && StrText::StartsNoCase(text, Prefix, static_cast<int>(N))) ? 1
                                                                                                            : 0;
}

int StrStore::containsChar(char C) const {
  return (C != 0 && std::memchr(text, C, static_cast<std::size_t>(length)) != nullptr) ? 1 : 0;
}

int StrStore::replaceChar(char A, char B) {
  if (A == 0) {
    return 0;
  }
  int Count = 0;
  for (int I = 0; I < length; ++I) {
    if (text[I] == A) {
      text[I] = B;
      ++Count;
    }
  }
  // Replacing by byte 0 would hide the rest of the text from every reader: end the text there.
  if (B == 0 && Count > 0) {
    length = static_cast<int>(std::strlen(text));
  }
  return Count;
}

int StrStore::replaceAll(const char* Search, const char* Replacement, int Flag) {
  if (Search == nullptr) {
    return STR_FAILED;
  }
  const int N = static_cast<int>(std::strlen(Search));
  if (length == 0 || N == 0) {
    return 0;
  }
  if (Replacement == nullptr) {
    Replacement = "";
  }
  const bool Exact = (Flag & STR_EXACT) != 0;
  std::string Out;
  int Count = 0;
  int I = 0;
  while (I < length) {
    const bool Hit = I + N <= length && (Exact ? std::memcmp(text + I, Search, static_cast<std::size_t>(N)) == 0
                                               : StrText::StartsNoCase(text + I, Search, N));
    if (Hit) {
      Out += Replacement;
      I += N;
      ++Count;
    } else {
      Out += text[I];
      ++I;
    }
  }
  if (Count > 0 && setString(Out.data(), static_cast<int>(Out.size())) == 0) {
    return STR_FAILED;
  }
  return Count;
}

int StrStore::replaceLast(const char* Search, const char* Replacement) {
  if (Search == nullptr || *Search == 0) {
    return STR_FAILED;
  }
  if (length == 0) {
    return 0;
  }
  const char Lower = StrText::Lower(*Search);
  int At = -1;
  for (int I = length - 1; I >= 0; --I) {
    if (StrText::Lower(text[I]) == Lower) {
      At = I;
      break;
    }
  }
  if (At < 0) {
    return 0;
  }
  std::string Out(text, static_cast<std::size_t>(At));
  if (Replacement != nullptr) {
    Out += Replacement;
  }
  Out.append(text + At + 1, static_cast<std::size_t>(length - At - 1));
  return setString(Out.data(), static_cast<int>(Out.size()));
}

int StrStore::trim(int Mode) {
  int Begin = 0;
  int End = length;
  if (Mode == 0 || Mode == 1) {
    while (Begin < End && StrText::IsSpace(text[Begin])) {
      ++Begin;
    }
  }
  if (Mode == 0 || Mode == 2) {
    while (End > Begin && StrText::IsSpace(text[End - 1])) {
      --End;
    }
  }
  const int Removed = length - (End - Begin);
  if (Removed > 0) {
    std::memmove(text, text + Begin, static_cast<std::size_t>(End - Begin));
    length = End - Begin;
    text[length] = 0;
  }
  return Removed;
}

int StrStore::unquote() {
  if (length < 2 || text[0] != '"') {
    return 0;
  }
  const char* Second = static_cast<const char*>(std::memchr(text + 1, '"', static_cast<std::size_t>(length - 1)));
  if (Second == nullptr) {
    return 0;
  }
  const int N = static_cast<int>(Second - text - 1);
  std::memmove(text, text + 1, static_cast<std::size_t>(N));
  length = N;
  text[length] = 0;
  return 1;
}

int StrStore::cut(int N, int Mode) {
  if (Mode == 1) {
    if (N > 0 && N <= length) {
      length -= N;
      text[length] = 0;
      return N;
    }
    return 0;
  }
  if (Mode == 2) {
    int I = 0;
    while (I < length && (text[I] == ' ' || text[I] == '|')) {
      ++I;
    }
    if (I == 0 || I == length) {
      return 0;
    }
    std::memmove(text, text + I, static_cast<std::size_t>(length - I));
    length -= I;
    text[length] = 0;
    return I;
  }
  return 0;
}

int StrStore::removeSuffixNoCase(const char* Suffix, int /*Flags*/) {
  if (Suffix == nullptr) {
    return 0;
  }
  const int N = static_cast<int>(std::strlen(Suffix));
  if (N == 0 || N > length || !StrText::StartsNoCase(text + length - N, Suffix, N)) {
    return 0;
  }
  length -= N;
  text[length] = 0;
  return N;
}

int StrStore::removeAnchor() {
  int Start = 0;
  for (int I = length - 1; I >= 0; --I) {
    if (text[I] == '/' || text[I] == '\\') {
      Start = I + 1;
      break;
    }
  }
  const char* Hash = static_cast<const char*>(std::memchr(text + Start, '#', static_cast<std::size_t>(length - Start)));
  if (Hash == nullptr) {
    return 0;
  }
  const int Removed = length - static_cast<int>(Hash - text);
  length -= Removed;
  text[length] = 0;
  return Removed;
}

int StrStore::removeQuery() {
  int Start = 0;
  for (int I = length - 1; I >= 0; --I) {
    if (text[I] == '/') {
      Start = I + 1;
      break;
    }
  }
  const char* Mark = static_cast<const char*>(std::memchr(text + Start, '?', static_cast<std::size_t>(length - Start)));
  if (Mark == nullptr) {
    return 0;
  }
  const int Removed = length - static_cast<int>(Mark - text);
  length -= Removed;
  text[length] = 0;
  return Removed;
}

int StrStore::removeLastPathPart(int Flags) {
  char Sep = 0;
  if ((Flags & PATHPART_URL) != 0) {
    Sep = '/';
  } else if ((Flags & PATHPART_FILE) != 0) {
    Sep = StrText::FileSeparator;
  } else {
    return STR_FAILED;
  }
  trim(0);
  if (length > 0 && text[length - 1] == Sep) {
    text[--length] = 0;
  }
  int At = -1;
  for (int I = length - 1; I >= 0; --I) {
    if (text[I] == Sep) {
      At = I;
      break;
    }
  }
  if (At < 0 || (At > 0 && text[At - 1] == Sep)) {
    return 0;
  }
  length = At;
  text[length] = 0;
  return 1;
}

void StrStore::toUpper() {
  for (int I = 0; I < length; ++I) {
    if (text[I] >= 'a' && text[I] <= 'z') {
      text[I] = static_cast<char>(text[I] - 'a' + 'A');
    }
  }
}

int StrStore::find(const char* Needle, int Flags) const {
  if (Needle == nullptr || *Needle == 0) {
    return STR_NOT_FOUND;
  }
  const int N = static_cast<int>(std::strlen(Needle));
  if (N > length) {
    return STR_NOT_FOUND;
  }
  const bool NoCase = (Flags & STR_FIND_NO_CASE) != 0;
  auto Matches = [&](int I) {
    return NoCase ? StrText::StartsNoCase(text + I, Needle, N)
                  : std::memcmp(text + I, Needle, static_cast<std::size_t>(N)) == 0;
  };
  if ((Flags & STR_FIND_AT_END) != 0) {
    return Matches(length - N) ? length - N : STR_NOT_FOUND;
  }
  for (int I = 0; I + N <= length; ++I) {
    if (Matches(I)) {
      return I;
    }
  }
  return STR_NOT_FOUND;
}

int FreeStrStore(void* Element) {
  delete static_cast<StrStore*>(Element);
  return 1;
}
