// The editor component's containers.
#include "editor/Easyclasses.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

Z_IMPLEMENT_CLASS(TEasySortedList, TList)
Z_IMPLEMENT_CLASS(TEasyRecordList, TObject)
Z_IMPLEMENT_CLASS(TEasyNotifierList, TCollection)
Z_IMPLEMENT_CLASS(TEasyNotifierListItem, TCollectionItem)

// ---- TEasySortedList ----

int TEasySortedList::CompareByKey(void* Item, NativeInt Key) {
  const Int64 D = static_cast<Int64>(static_cast<Integer>(reinterpret_cast<NativeInt>(Item))) -
                  static_cast<Int64>(static_cast<Integer>(Key));
  return D < 0 ? -1 : (D > 0 ? 1 : 0);
}

int TEasySortedList::Compare(void* Item1, void* Item2) {
  return CompareByKey(Item1, reinterpret_cast<NativeInt>(Item2));
}

namespace {
template <class Cmp> bool SortedSearch(TEasySortedList& L, int& LastFound, Byte Duplicates, int& Index, Cmp C) {
  const int N = L.Count();
  if (Duplicates != dupAccept && LastFound >= 0 && LastFound < N && C(L.Get(LastFound)) == 0) {
    Index = LastFound;
    return true;
  }
  bool Found = false;
  int Low = 0;
  int High = N - 1;
  while (Low <= High) {
    const int Mid = (Low + High) / 2;
    const int R = C(L.Get(Mid));
    if (R < 0) {
      Low = Mid + 1;
    } else {
      High = Mid - 1;
      if (R == 0) {
        Found = true;
        if (Duplicates != dupAccept) {
          LastFound = Mid;
          Low = Mid;
        }
      }
    }
  }
  Index = Low;
  return Found;
}
}  // namespace

bool TEasySortedList::Find(void* Item, int& Index) {
  if (!Sorted) {
    Index = IndexOf(Item);
    return Index >= 0;
  }
  return SortedSearch(*this, LastFound, Duplicates, Index, [&](void* P) { return Compare(P, Item); });
}

bool TEasySortedList::FindByKey(NativeInt Key, int& Index) {
  if (!Sorted) {
    for (int I = 0; I < Count(); ++I) {
      if (CompareByKey(Get(I), Key) == 0) {
        Index = I;
        return true;
      }
    }
    Index = Count();
    return false;
  }
  return SortedSearch(*this, LastFound, Duplicates, Index, [&](void* P) { return CompareByKey(P, Key); });
}

bool TEasySortedList::FindNearest(void* Item, int& Index) {
  int Low = 0;
  int High = Count() - 1;
  for (;;) {
    if (High < Low) {
      Index = Low;
      return false;
    }
    int Mid = (Low + High) / 2;
    LastProbe = Mid;
    const int R = Compare(Get(Mid), Item);
    if (R >= 0) {
      if (R == 0) {
        Index = Mid;
        return true;
      }
      High = Mid;
      Mid = Low;
    }
    if (High - Mid < 2) {
      Index = Mid;
      return false;
    }
    Low = Mid;
  }
}

int TEasySortedList::Add(void* Item) {
  if (!Sorted) {
    return TList::Add(Item);
  }
  int Index = 0;
  if (Find(Item, Index)) {
    if (Duplicates == dupIgnore) {
      return Index;
    }
    if (Duplicates == dupError) {
      throw EListError(Format(RtlConsts::SDuplicateItem, {reinterpret_cast<NativeInt>(Item)}));
    }
  }
  TList::Insert(Index, Item);
  return Index;
}

void TEasySortedList::Insert(int Index, void* Item) {
  if (Sorted) {
    Add(Item);
    return;
  }
  TList::Insert(Index, Item);
}

void TEasySortedList::Clear() {
  TList::Clear();
  LastFound = -1;
}

int TEasySortedList::Remove(void* Item) { return TList::Remove(Item); }

int TEasySortedList::IndexOfKey(NativeInt Key) {
  int Index = 0;
  return FindByKey(Key, Index) ? Index : -1;
}

void TEasySortedList::QuickSort(int L, int R) {
  if (L >= R) {
    return;
  }
  Pointer* Items = List();
  std::stable_sort(Items + L, Items + R + 1, [this](void* A, void* B) { return Compare(A, B) < 0; });
}

void TEasySortedList::Sort() {
  QuickSort(0, Count() - 1);
  LastFound = -1;
}

void TEasySortedList::SetSorted(bool Value) {
  if (Value != Sorted) {
    Sorted = Value;
    if (Value) {
      Sort();
    }
  }
}

// ---- TEasyRecordList ----

TEasyRecordList::TEasyRecordList(int ARecordSize) : FRecordSize(ARecordSize) {}

TEasyRecordList::~TEasyRecordList() { std::free(FBlock); }

void TEasyRecordList::Grow() {
  int Delta = 4;
  if (FCapacity > 64) {
    Delta = FCapacity / 4;
  } else if (FCapacity > 8) {
    Delta = 16;
  }
  SetCapacity(FCapacity + Delta);
}

void TEasyRecordList::Error(int Index) const { throw EListError(Format(EasyConsts::SListIndexError, {Index})); }

void TEasyRecordList::SetCapacity(int N) {
  if (N < FCount) {
    N = FCount;
  }
  if (N == FCapacity) {
    return;
  }
  if (N == 0) {
    std::free(FBlock);
    FBlock = nullptr;
  } else {
    auto* Block = static_cast<unsigned char*>(std::realloc(FBlock, static_cast<std::size_t>(N) * FRecordSize));
    if (!Block) {
      throw EOutOfMemory(RtlConsts::SOutOfMemory);
    }
    FBlock = Block;
  }
  FCapacity = N;
}

int TEasyRecordList::Add(const void* Record) {
  if (FCount == FCapacity) {
    Grow();
  }
  unsigned char* Dest = FBlock + static_cast<std::size_t>(FCount) * FRecordSize;
  if (Record) {
    std::memcpy(Dest, Record, static_cast<std::size_t>(FRecordSize));
  } else {
    std::memset(Dest, 0, static_cast<std::size_t>(FRecordSize));
  }
  return FCount++;
}

void* TEasyRecordList::Get(int Index) const {
  if (Index < 0 || Index >= FCount) {
    Error(Index);
  }
  return FBlock + static_cast<std::size_t>(Index) * FRecordSize;
}

void TEasyRecordList::Delete(int Index) {
  if (Index < 0 || Index >= FCount) {
    Error(Index);
  }
  unsigned char* At = FBlock + static_cast<std::size_t>(Index) * FRecordSize;
  std::memmove(At, At + FRecordSize, static_cast<std::size_t>(FCount - Index - 1) * FRecordSize);
  --FCount;
}

void TEasyRecordList::Clear() {
  FCount = 0;
  SetCapacity(0);
}

// ---- TEasyNotifierList ----

TEasyNotifierList* CreateNotifierList() { return new TEasyNotifierList(); }

TEasyNotifierList::TEasyNotifierList() : TCollection(TEasyNotifierListItem::StaticClass()) {}

void TEasyNotifierList::AddItem(const TEasyNotifyMethod& Method) {
  DeleteItem(Method);
  auto* Item = new TEasyNotifierListItem(this);
  Item->Method = Method;
  Item->AfterConstruction();
}

void TEasyNotifierList::DeleteItem(const TEasyNotifyMethod& Method) {
  for (int I = 0; I < Count(); ++I) {
    if (static_cast<TEasyNotifierListItem*>(Items(I))->Method.SameAs(Method)) {
      Delete(I);
      return;
    }
  }
}

void TEasyNotifierList::SendNotification(TObject* Sender, NativeInt Data) {
  // Observers may register or unregister while they are called: walk a copy of the registrations and
  // skip those that are gone by the time their turn comes.
  const int N = Count();
  if (N == 0) {
    return;
  }
  std::vector<std::pair<Integer, TEasyNotifyMethod>> Snapshot;
  Snapshot.reserve(static_cast<std::size_t>(N));
  for (int I = 0; I < N; ++I) {
    auto* Item = static_cast<TEasyNotifierListItem*>(Items(I));
    Snapshot.emplace_back(Item->ID(), Item->Method);
  }
  for (const auto& [Id, Method] : Snapshot) {
    if (FindItemID(Id)) {
      Method(Sender, Data);
    }
  }
}
