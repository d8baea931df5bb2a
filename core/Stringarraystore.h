// StringArrayStore: a history list of strings with a maximum and a version, kept in the registry.
#pragma once

#include "core/Pointerarraymanager.h"
#include "core/Strstore.h"
#include "platform/win/WinReg.h"

class TStrings;

// Flags of StringArrayStore::addString.
inline constexpr int ADDSTRING_REMOVE_MATCHES = 0x02;  // remove older entries that begin like the new one
inline constexpr int ADDSTRING_EXACT = 0x04;           // ... comparing exactly (else ignoring case)
inline constexpr int ADDSTRING_UP_TO_PAREN = 0x08;     // ... comparing only the new entry's part before '('
inline constexpr int ADDSTRING_KEEP_OLD_TEXT = 0x10;   // the new entry takes the text of the entry it replaces
inline constexpr int ADDSTRING_AT_END = 0x20;          // add at the end instead of the top
inline constexpr int ADDSTRING_NO_CUT = 0x40;          // do not cut the list to its maximum

// Counts of loadFromRegistry and saveToRegistry.
inline constexpr int HISTORY_COUNT_MAXIMUM = -1;  // as many as the maximum
inline constexpr int HISTORY_COUNT_STORED = -2;   // the value NumberOfStrings (save: the entries, and write it)

// A list of heap StrStore entries, most recent first, with a maximum (20; negative: no limit) and a version. In
// the registry: "NumberOfStrings" (only when asked for), "Version", and "String0", "String1", ...
class StringArrayStore : public PointerArrayManager {
public:
  int maximum = 20;
  int version = 0;

  StringArrayStore();

  // 1 done, 0 failed.
  int addString(const char* Text, int Flags);
  const char* getString(int Index) const;
  // Adds every entry in order to Strings; flag 1 clears it first.
  int copyToStrings(TStrings* Strings, int Flags) const;
  // Empties List and reads it from Root\Path (falling back to the default user's key). 1 when the key opened and
  // every read and the cut succeeded, else 0.
  static int loadFromRegistry(StringArrayStore* List, HKEY Root, const char* Path, int Count);
  // Writes Version and the entries below Count, deleting the String values beyond the entries. 1 or 0.
  int saveToRegistry(HKEY Root, const char* Path, int Count) const;

private:
  int cutToMaximum();
};
