// A sorted string list that is searched with a prefix of a character buffer, without building a string;
// the highlighter's keyword lists use it.
#pragma once

#include "platform/classes/StringList.h"

#include <string>

class TFastStringList : public TStringList {
  Z_CLASS(TFastStringList, TStringList)
public:
  explicit TFastStringList(bool ACaseSensitive = false);

  Integer Add(const std::string& S) override;  // also notes entries holding a blank
  bool Find(const std::string& S, Integer& Index) const override;
  // Binary search of the entry equal to the first Length characters of the null-terminated Buffer (with
  // HasSpaces, the multi-word comparison, which looks past Length). Index is the match or the insertion point.
  bool FindEx(const char* Buffer, int Length, Integer& Index) const;
  // From Index on, while entries match the start of Buffer (Length characters available), keeps the last
  // matching entry: Index becomes it and Length its length. False when none matched.
  bool FindLastEx(const char* Buffer, Integer& Index, int& Length) const;
  bool FindLast(const std::string& Text, Integer& Index, int& Length) const;
  // Compares entry Index with Buffer (BufferLength characters) over the larger of Length and the entry's
  // length, one more when the buffer goes on with a word character; on equality Length is that length.
  int CompareWithSpaces(Integer Index, const char* Buffer, int BufferLength, int& Length) const;
  bool HasSpaces() const { return FHasSpaces; }

protected:
  int CompareStrings(std::string_view S1, std::string_view S2) const override;

private:
  int ComparePrefix(const std::string& Entry, const char* Buffer, int Length) const;
  bool FHasSpaces = false;
};
