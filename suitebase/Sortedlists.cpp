// The suite's sorted pointer lists and WriteMemory.
#include "suitebase/Sortedlists.h"

#include "suitebase/Dcmethod.h"

#include <fcntl.h>
#include <unistd.h>

namespace Videroriz {

Z_IMPLEMENT_CLASS(TFastList, TList)
Z_IMPLEMENT_CLASS(TCustomSortedList, TObject)
Z_IMPLEMENT_CLASS(TSortedList, TCustomSortedList)

namespace {
// The list being re-sorted on this thread: the store's sort takes a plain comparison function.
thread_local TCustomSortedList* SortingList = nullptr;

int CompareThroughSortingList(Pointer Item1, Pointer Item2) {
  return SortingList != nullptr ? SortingList->Compare(Item1, Item2) : 0;
}
}  // namespace

TCustomSortedList::TCustomSortedList() : FList(new TFastList()) {}

TCustomSortedList::~TCustomSortedList() { delete FList; }

Integer TCustomSortedList::CompareWithKey(Pointer Item, Pointer Key) { return ComparePointers(Item, Key); }

Integer TCustomSortedList::Compare(Pointer Item1, Pointer Item2) { return ComparePointers(Item1, Item2); }

void TCustomSortedList::Delete(Integer Index) { FList->Delete(Index); }

bool TCustomSortedList::SearchSorted(Pointer Searched, Integer& Index, bool ByKey) {
  Integer Lo = 0;
  Integer Hi = FList->Count() - 1;
  bool Found = false;
  Pointer* Items = FList->List();
  while (Lo <= Hi) {
    const Integer Mid = static_cast<Integer>((static_cast<unsigned>(Lo) + static_cast<unsigned>(Hi)) >> 1);
    const Integer C = ByKey ? CompareWithKey(Items[Mid], Searched) : Compare(Items[Mid], Searched);
    if (C < 0) {
      Lo = Mid + 1;
    } else {
      Hi = Mid - 1;
      if (C == 0) {
        Found = true;
        if (FDuplicateMode != dmAccept) {
          Lo = Mid;
        }
      }
    }
  }
  Index = Lo;
  return Found;
}

Integer TCustomSortedList::Add(Pointer Item) {
  if (!FSorted) {
    return FList->Add(Item);
  }
  const Integer N = FList->Count();
  // Items added in ascending order go to the end without a search: the search would give N, found false.
  if (N > 0 && Compare(FList->List()[N - 1], Item) < 0) {
    return FList->Add(Item);
  }
  Integer Index = 0;
  if (Find(Item, Index)) {
    if (FDuplicateMode == dmIgnore) {
      return Index;
    }
    if (FDuplicateMode == dmError) {
      throw Exception(SDuplicateItem);
    }
  }
  FList->Insert(Index, Item);
  return Index;
}

void TCustomSortedList::Insert(Integer Index, Pointer Item) {
  if (FSorted) {
    (void)Add(Item);  // a sorted list decides the place itself; the index it chose is not asked for
  } else {
    FList->Insert(Index, Item);
  }
}

bool TCustomSortedList::Find(Pointer Item, Integer& Index) {
  if (FSorted) {
    return SearchSorted(Item, Index, false);
  }
  Index = FList->IndexOf(Item);
  return Index >= 0;
}

bool TCustomSortedList::FindByKey(Pointer Key, Integer& Index) {
  if (FSorted) {
    return SearchSorted(Key, Index, true);
  }
  Index = IndexOfKey(Key);
  return Index >= 0;
}

Integer TCustomSortedList::IndexOf(Pointer Item) {
  Integer Index = -1;
  return Find(Item, Index) ? Index : -1;
}

Integer TCustomSortedList::IndexOfKey(Pointer Key) {
  if (FSorted) {
    Integer Index = -1;
    return FindByKey(Key, Index) ? Index : -1;
  }
  const Integer N = FList->Count();
  for (Integer I = 0; I < N; ++I) {
    if (CompareWithKey(FList->List()[I], Key) == 0) {
      return I;
    }
  }
  return -1;
}

Pointer TCustomSortedList::ItemByKey(Pointer Key) {
  const Integer Index = IndexOfKey(Key);
  return Index >= 0 ? FList->List()[Index] : nullptr;
}

Integer TCustomSortedList::Remove(Pointer Item) {
  Integer Index = -1;
  if (!Find(Item, Index)) {
    return -1;
  }
  Delete(Index);
  return Index;
}

void TCustomSortedList::RemoveAll(Pointer Item) {
  while (Remove(Item) != -1) {
  }
}

void TCustomSortedList::Clear() { FList->Clear(); }

Pointer TCustomSortedList::Get(Integer Index) const { return FList->Items(Index); }

void TCustomSortedList::SetSorted(bool Value) {
  if (Value == FSorted) {
    return;
  }
  FSorted = Value;
  if (!Value) {
    return;
  }
  Pointer* Items = FList->List();
  bool OutOfOrder = false;
  for (Integer I = FList->Count() - 2; I >= 0; --I) {
    if (Compare(Items[I], Items[I + 1]) > 0) {
      OutOfOrder = true;
      break;
    }
  }
  if (OutOfOrder) {
    TCustomSortedList* const Outer = SortingList;  // a Compare that re-sorts another list nests
    SortingList = this;
    try {
      FList->Sort(&CompareThroughSortingList);
    } catch (...) {
      SortingList = Outer;
      throw;
    }
    SortingList = Outer;
  }
}

bool WriteMemory(void* Address, const void* Buffer, NativeInt Size) {
  if (Size <= 0) {
    return Size == 0;
  }
  // /proc/self/mem writes through the page protection, as the platform's write-process-memory service does;
  // the change stays in this process's copy of the page.
  const int Fd = ::open("/proc/self/mem", O_RDWR | O_CLOEXEC);
  if (Fd < 0) {
    return false;
  }
  const ssize_t Written =
      ::pwrite(Fd, Buffer, static_cast<size_t>(Size), static_cast<off_t>(reinterpret_cast<std::uintptr_t>(Address)));
  ::close(Fd);
  return Written == Size;
}

}  // namespace Videroriz

namespace Vivaridiriz {

Z_IMPLEMENT_CLASS(TSortedListEx, Videroriz::TSortedList)

bool TSortedListEx::FindNearest(Pointer Item, Integer& Index) {
  if (!Sorted()) {
    Index = List()->IndexOf(Item);
    return Index >= 0;
  }
  return InternalFindNearest(
      Item, Index, [](TSortedListEx* L, Pointer A, Pointer B) { return L->Compare(A, B); }, this);
}

bool TSortedListEx::InternalFindNearest(Pointer Item, Integer& Index, const TNearestCompare& CompareProc,
                                        TSortedListEx* AList) {
  Integer Lo = 0;
  Integer Hi = Count() - 1;
  bool Found = false;
  if (Lo > Hi) {
    Index = 0;
    return false;
  }
  Pointer* Items = List()->List();
  do {
    const Integer Mid = static_cast<Integer>((static_cast<unsigned>(Lo) + static_cast<unsigned>(Hi)) >> 1);
    FLastProbe = Mid;
    const Integer C = CompareProc(AList, Items[Mid], Item);
    if (C < 0) {
      Lo = Mid;
    } else if (C > 0) {
      Hi = Mid;
    } else {
      Found = true;
      Lo = Mid;
      break;
    }
  } while (Hi - Lo >= 2 && Lo <= Hi);
  Index = Lo;
  return Found;
}

}  // namespace Vivaridiriz
