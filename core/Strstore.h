// StrStore: the program's own growable 8-bit string, and the text functions that take or return it.
#pragma once

#include <cstddef>

// The general failure code of the foundation classes.
inline constexpr int ZUB_GENERAL_FAILURE = -1000000000;
// A sorted search that found nothing.
inline constexpr int ZUB_NOT_FOUND = -1000000001;

// Searches that find nothing, and edits that cannot be done.
inline constexpr int STR_NOT_FOUND = -1;
inline constexpr int STR_FAILED = -1;
// Flags of the searches and edits.
inline constexpr int STR_EXACT = 0x1;         // replaceAll, IsInStringList: case counts
inline constexpr int STR_FIND_AT_END = 0x2;   // find: only an occurrence at the end
inline constexpr int STR_FIND_NO_CASE = 0x4;  // find
inline constexpr int PATHPART_FILE = 0x1;     // removeLastPathPart: the file path separator
inline constexpr int PATHPART_URL = 0x2;      // removeLastPathPart: '/'
inline constexpr int COMMALIST_SEARCH = 0x1;  // FindInCommaList: required (without it 0)

// Results of StrStore::getNextTagName.
inline constexpr int TAG_FOUND = 0;
inline constexpr int TAG_COMMENT_SKIPPED = 1;
inline constexpr int TAG_ONLY_WHITESPACE = 2;
inline constexpr int TAG_NO_OPEN = -1;
inline constexpr int TAG_NOTHING_AFTER_OPEN = -2;
inline constexpr int TAG_NO_CURSOR = -3;
inline constexpr int TAG_CURSOR_OUTSIDE = -10;
// Results of StrStore::getNextAttribute.
inline constexpr int ATTR_READ = 0;
inline constexpr int ATTR_NO_MORE = 1;
inline constexpr int ATTR_NAME_AT_END = -2;
inline constexpr int ATTR_NO_EQUALS = -3;
inline constexpr int ATTR_NO_QUOTE = -4;
inline constexpr int ATTR_NO_CLOSING_QUOTE = -5;
inline constexpr int ATTR_CURSOR_OUTSIDE = -10;

// A byte string of the system code page. It owns its buffer (malloc'ed, never shared), which always holds a
// terminating 0 at position length and is never null; capacity is the buffer's size. Construction allocates 32
// bytes. Appends grow with spare room once the text is long (1000, 10000 or 100000 bytes beyond the need), so
// that building a report line by line does not copy on every append; assignments fit exactly and drop a large
// buffer back to 1024 bytes when a short text is assigned. Allocation failures leave the string unchanged.
class StrStore {
public:
  char* text;
  int length;
  int capacity;

  StrStore();
  StrStore(const char* Text);  // NOLINT: built from texts everywhere, as the program's own string type
  StrStore(const StrStore& Other);
  StrStore(StrStore&& Other) noexcept;
  StrStore& operator=(const StrStore& Other);
  StrStore& operator=(StrStore&& Other) noexcept;
  ~StrStore();

  // Assignment. N is -1 (up to the terminator) or the exact number of bytes to take; a null text is "". 1 or 0.
  int setString(const char* Text, int N);
  StrStore& assign(const char* Text);
  StrStore& assignStore(const StrStore& Other);
  StrStore& assignInt(int Value);
  StrStore& assignChar(char C);  // byte 0 gives ""
  int setInt(int Value);
  // Append of N bytes (N < 0: up to the terminator); nothing to append gives 1; 0 out of memory.
  int appendString(const char* Text, int N);
  StrStore& append(const char* Text);
  StrStore& appendStore(const StrStore& Other);
  StrStore& appendInt(int Value);
  StrStore& appendChar(char C);
  // The bytes Begin..End inclusive (End == Begin - 1: ""); the range may lie inside this string.
  StrStore& setRange(const char* Begin, const char* End);
  // Length becomes N - 1 (the old text is not kept when the buffer must grow); 1, 0 for N < 1, or
  // ZUB_GENERAL_FAILURE. Fill >= 0 sets the bytes to that value.
  int setStringLength(int N, int Fill = -1);
  void clear();
  int shrinkBuffer(int Need);

  // Comparison: notEqual gives 0 for equal texts, 1 for different ones.
  [[nodiscard]] int notEqual(const char* Other) const;
  [[nodiscard]] int notEqualStore(const StrStore& Other) const;
  [[nodiscard]] int equalsNoCase(const char* Other) const;
  [[nodiscard]] int isEqualNoCase(const char* Other) const { return equalsNoCase(Other); }
  [[nodiscard]] int equalsNoCaseStore(const StrStore& Other) const;
  [[nodiscard]] int startsWithNoCase(const char* Prefix) const;
  [[nodiscard]] int containsChar(char C) const;

  // Editing in place.
  int replaceChar(char A, char B);
  // Every occurrence, left to right; Flag STR_EXACT, else ignoring case. The count; STR_FAILED for a null search
  // text or no memory; an empty search text changes nothing and gives 0.
  int replaceAll(const char* Search, const char* Replacement, int Flag);
  int replaceLast(const char* Search, const char* Replacement);
  int trim(int Mode);
  int unquote();
  int cut(int N, int Mode);
  int removeSuffixNoCase(const char* Suffix, int Flags);
  int removeAnchor();
  int removeQuery();
  // PATHPART_URL: '/' separates; PATHPART_FILE: the file path separator (PathDelim). 1 a part was removed, 0
  // none, STR_FAILED no separator chosen.
  int removeLastPathPart(int Flags);
  void toUpper();
  // Flag 2: the number of references left undecoded; otherwise 1 when the text held no '&', else 0.
  int decodeCharRefs(int Flags);
  // Flag 1 keeps '+'. 1 when there was nothing to decode, else 0.
  int urlDecode(int Flags);
  // Index of the first occurrence or STR_NOT_FOUND; STR_FIND_NO_CASE, STR_FIND_AT_END.
  [[nodiscard]] int find(const char* Needle, int Flags) const;

  // ---- markup: references, URL decoding and the tag scanner (Strmarkup.cpp) ----
  // Markup scanning with a cursor into this string's text (see the result constants above).
  int getNextTagName(const char** Cursor, StrStore& Name, int Flags) const;
  int getNextAttribute(const char** Cursor, StrStore& Name, StrStore& Value) const;

  // Decodes one reference at Amp (which points at '&'); the byte value 1..255, or 0 when there is none. *Len
  // receives the length of the reference including '&' and ';'.
  static int parseCharRef(const char* Amp, int* Len);

private:
  bool owns(const char* P) const { return P >= text && P <= text + length; }
  int replaceBuffer(int NewCapacity, bool Keep);
};

// ---- the free text functions (Strfunctions.cpp) ----
// Searches over zero-terminated texts.
[[nodiscard]] int FindNoCase(const char* Text, const char* Needle);
[[nodiscard]] int FindLastNoCase(const char* Text, const char* Needle);
const char* FindChar(const char* Text, char C);
[[nodiscard]] int IndexOfChar(const char* Text, char C);
// List: texts ended by an empty one. Flag 1 compares exactly.
[[nodiscard]] int IsInStringList(const char* Text, const char* const* List, int Flags);
[[nodiscard]] int FindInCommaList(const char* Item, const char* List, int Flags);
[[nodiscard]] int IsWebUrl(const char* Text);

// Functions that return a new string.
// Bytes From..To inclusive; indexes outside the text are clamped to it (an empty range gives "").
StrStore SubString(const StrStore& S, int From, int To);
StrStore Pluralize(const char* Word, int Count);
StrStore GetFirstWord(StrStore& Source, int Flags);
StrStore GetFileExtension(const char* Name, int Flags);
StrStore AddDefaultExtension(const char* Name, const char* Extension, int Flags);
StrStore DecodeBasicEntities(const char* Text, int Flags);
StrStore EncodeBasicEntities(const StrStore& S, int Flags);
StrStore UrlEncode(const char* Text);
StrStore* GetScriptLinkUrl(const char* Text, StrStore* Out, int Flags);

// Free callback of the lists of heap strings: deletes the StrStore; 1.
int FreeStrStore(void* Element);
