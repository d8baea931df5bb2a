// The prefix-searched sorted string list.
#include "editor/Easyfaststrings.h"

#include "editor/Easyconsts.h"
#include "editor/Easyutils.h"

#include <algorithm>
#include <cstring>

Z_IMPLEMENT_CLASS(TFastStringList, TStringList)

TFastStringList::TFastStringList(bool ACaseSensitive) {
  SetCaseSensitive(ACaseSensitive);
  SetSorted(true);
}

Integer TFastStringList::Add(const std::string& S) {
  if (S.find(' ') != std::string::npos) {
    FHasSpaces = true;
  }
  return TStringList::Add(S);
}

int TFastStringList::CompareStrings(std::string_view S1, std::string_view S2) const {
  const int N = static_cast<int>(S2.size());
  const std::string Left(S1);
  const int R = CaseSensitive() ? CompareStrEx(Left, S2.data(), N) : CompareTextEx(Left, S2.data(), N);
  return R;
}

int TFastStringList::ComparePrefix(const std::string& Entry, const char* Buffer, int Length) const {
  return CaseSensitive() ? CompareStrEx(Entry, Buffer, Length) : CompareTextEx(Entry, Buffer, Length);
}

int TFastStringList::CompareWithSpaces(Integer Index, const char* Buffer, int BufferLength, int& Length) const {
  const std::string Entry = Strings(Index);
  int L = std::min(std::max(Length, static_cast<int>(Entry.size())), BufferLength);
  if (L < BufferLength - 1 && InCharSet(Buffer[L], ValueSet)) {
    ++L;  // the buffer goes on with the same word: an entry must not match its beginning
  }
  const int R = ComparePrefix(Entry, Buffer, L);
  if (R == 0) {
    Length = L;
  }
  return R;
}

bool TFastStringList::Find(const std::string& S, Integer& Index) const {
  return FindEx(S.data(), static_cast<int>(S.size()), Index);
}

bool TFastStringList::FindEx(const char* Buffer, int Length, Integer& Index) const {
  int Low = 0;
  int High = Count() - 1;
  bool Found = false;
  // The buffer is null-terminated text that may go on beyond Length characters.
  const int BufferLength = FHasSpaces ? static_cast<int>(std::strlen(Buffer)) : Length;
  while (Low <= High) {
    const int Mid = (Low + High) / 2;
    int Matched = Length;
    const int R = FHasSpaces ? CompareWithSpaces(Mid, Buffer, BufferLength, Matched) : ComparePrefix(Strings(Mid), Buffer, Length);
    if (R < 0) {
      Low = Mid + 1;
    } else {
      High = Mid - 1;
      if (R == 0) {
        Found = true;
        if (Duplicates() != dupAccept) {
          Low = Mid;
        }
      }
    }
  }
  Index = Low;
  return Found;
}

bool TFastStringList::FindLastEx(const char* Buffer, Integer& Index, int& Length) const {
  const int Available = Length;
  bool Found = false;
  for (int I = std::max(Index, 0); I < Count(); ++I) {
    const std::string Entry = Strings(I);
    const int L = static_cast<int>(Entry.size());
    if (L > Available || ComparePrefix(Entry, Buffer, L) != 0) {
      break;
    }
    Index = I;
    Length = L;
    Found = true;
  }
  return Found;
}

bool TFastStringList::FindLast(const std::string& Text, Integer& Index, int& Length) const {
  Length = static_cast<int>(Text.size());
  return FindLastEx(Text.data(), Index, Length);
}
