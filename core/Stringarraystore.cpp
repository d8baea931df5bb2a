// StringArrayStore: adding, cutting, and the registry form of history lists.
#include "core/Stringarraystore.h"

#include "core/Ekregistryex.h"
#include "core/Strtext.h"
#include "platform/classes/StringList.h"

#include <cstring>
#include <memory>
#include <new>

StringArrayStore::StringArrayStore() : PointerArrayManager(FreeStrStore) {}

const char* StringArrayStore::getString(int Index) const {
  const auto* S = static_cast<const StrStore*>(getPointer(Index));
  return S != nullptr ? S->text : nullptr;
}

int StringArrayStore::cutToMaximum() {
  if (maximum < 0 || getCount() <= maximum) {
    return 1;
  }
  return removePointersFrom(maximum, 3) >= 0 ? 1 : 0;
}

int StringArrayStore::addString(const char* Text, int Flags) {
  auto* Entry = new (std::nothrow) StrStore(Text);
  if (Entry == nullptr) {
    return 0;
  }
  const int At = (Flags & ADDSTRING_AT_END) != 0 ? addPointer(Entry) : insertPointer(Entry, 0);
  if (At < 0) {
    delete Entry;
    return 0;
  }
  if ((Flags & ADDSTRING_REMOVE_MATCHES) != 0) {
    int N = Entry->length;
    if ((Flags & ADDSTRING_UP_TO_PAREN) != 0) {
      const int Paren = IndexOfChar(Entry->text, '(');
      if (Paren >= 0) {
        N = Paren;
      }
    }
    const bool Exact = (Flags & ADDSTRING_EXACT) != 0;
    for (int I = getCount() - 1; I >= 0; --I) {
      auto* Old = static_cast<StrStore*>(getPointer(I));
      if (Old == Entry || Old == nullptr || Old->length < N) {
        continue;
      }
      const bool Match = Exact ? std::memcmp(Old->text, Entry->text, static_cast<std::size_t>(N)) == 0
                               : StrText::StartsNoCase(Old->text, Entry->text, N);
      if (!Match) {
        continue;
      }
      if ((Flags & ADDSTRING_KEEP_OLD_TEXT) != 0) {
        Entry->assignStore(*Old);
      }
      (void)removePointer(I, 1);  // a valid index of a list whose strings are always freed
    }
  }
  if ((Flags & ADDSTRING_NO_CUT) != 0) {
    return 1;
  }
  return cutToMaximum();
}

int StringArrayStore::copyToStrings(TStrings* Strings, int Flags) const {
  if (Strings == nullptr) {
    return 0;
  }
  if ((Flags & 1) != 0) {
    Strings->Clear();
  }
  const int N = getCount();
  for (int I = 0; I < N; ++I) {
    const auto* S = static_cast<const StrStore*>(getPointer(I));
    if (S != nullptr) {
      Strings->Add(std::string(S->text, static_cast<std::size_t>(S->length)));
    }
  }
  return 1;
}

int StringArrayStore::loadFromRegistry(StringArrayStore* List, HKEY Root, const char* Path, int Count) {
  if (List == nullptr) {
    return 0;
  }
  auto Reg = std::make_unique<EkRegistryEx>(EKREG_USE_FALLBACK);
  Reg->SetRootKey(Root);
  int Ok = Reg->OpenKeyEx(Path != nullptr ? Path : "", true);
  const bool Opened = Ok != 0 && Reg->CurrentKey() != 0;
  List->removeAllPointers(0, 0);
  bool CountStored = false;
  if (Count == HISTORY_COUNT_MAXIMUM) {
    Count = List->maximum >= 0 ? List->maximum : 0;
  } else if (Count == HISTORY_COUNT_STORED) {
    CountStored = true;
    Reg->ReadIntegerEx("NumberOfStrings", Count);  // the count argument (-2) is the default
  }
  Reg->ReadIntegerEx("Version", List->version);
  if (Opened) {
    char Buffer[1024];
    for (int I = 0; I < Count; ++I) {
      Buffer[0] = 0;
      if (Reg->ReadStringEx("String" + std::to_string(I), Buffer, sizeof Buffer, 0) == 0) {
        Ok = 0;
      }
      if (Buffer[0] != 0 && List->addString(Buffer, ADDSTRING_AT_END | ADDSTRING_NO_CUT) == 0) {
        Ok = 0;
      }
    }
  }
  Reg.reset();
  if (!CountStored && List->cutToMaximum() == 0) {
    Ok = 0;
  }
  return (Opened && Ok != 0) ? 1 : 0;
}

int StringArrayStore::saveToRegistry(HKEY Root, const char* Path, int Count) const {
  EkRegistryEx Reg(0);
  Reg.SetRootKey(Root);
  bool Ok = Reg.OpenKeyEx(Path != nullptr ? Path : "", true) != 0 && Reg.CurrentKey() != 0;
  if (Count == HISTORY_COUNT_MAXIMUM) {
    Count = maximum >= 0 ? maximum : getCount();
  } else if (Count == HISTORY_COUNT_STORED) {
    Count = getCount();
    Ok = Reg.WriteIntegerEx("NumberOfStrings", Count) && Ok;
  }
  Ok = Reg.WriteIntegerEx("Version", version) && Ok;
  for (int I = 0; I < Count; ++I) {
    const std::string Name = "String" + std::to_string(I);
    const auto* S = static_cast<const StrStore*>(getPointer(I));
    if (S != nullptr) {
      Ok = Reg.WriteStrStoreEx(Name, *S) && Ok;
    } else if (Reg.ValueExists(Name)) {
      Ok = Reg.DeleteValueEx(Name) && Ok;
    }
  }
  return Ok ? 1 : 0;
}
