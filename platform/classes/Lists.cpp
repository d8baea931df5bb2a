// TList and TThreadList.
#include "platform/classes/Lists.h"

#include "platform/rtl/Exceptions.h"

#include <cstring>
#include <utility>

Z_IMPLEMENT_CLASS(TList, TObject)
Z_IMPLEMENT_CLASS(TThreadList, TObject)

TList::~TList() {
  // BeforeDestruction has normally emptied the list already; this covers lists torn down otherwise.
  FreeMem(FList);
}

void TList::BeforeDestruction() {
  Clear();
  TObject::BeforeDestruction();
}

void TList::Error(const std::string& Msg, NativeInt Data) {
  throw EListError(Format(Msg, {Data}));
}

Integer TList::Add(Pointer Item) {
  Integer Result = FCount;
  if (Result == FCapacity) {
    Grow();
  }
  FList[Result] = Item;
  ++FCount;
  if (Item != nullptr) {
    Notify(Item, lnAdded);
  }
  return Result;
}

void TList::Clear() {
  SetCount(0);
  SetCapacity(0);
}

void TList::Delete(Integer Index) {
  if (Index < 0 || Index >= FCount) {
    Error(RtlConsts::SListIndexError, Index);
  }
  Pointer Temp = FList[Index];
  --FCount;
  if (Index < FCount) {
    std::memmove(FList + Index, FList + Index + 1, static_cast<std::size_t>(FCount - Index) * sizeof(Pointer));
  }
  if (Temp != nullptr) {
    Notify(Temp, lnDeleted);
  }
}

void TList::Exchange(Integer Index1, Integer Index2) {
  if (Index1 < 0 || Index1 >= FCount) {
    Error(RtlConsts::SListIndexError, Index1);
  }
  if (Index2 < 0 || Index2 >= FCount) {
    Error(RtlConsts::SListIndexError, Index2);
  }
  std::swap(FList[Index1], FList[Index2]);
}

TList* TList::Expand() {
  if (FCount == FCapacity) {
    Grow();
  }
  return this;
}

Pointer TList::Extract(Pointer Item) {
  Integer I = IndexOf(Item);
  if (I < 0) {
    return nullptr;
  }
  // Null the slot first so that Delete does not report the item as deleted.
  FList[I] = nullptr;
  Delete(I);
  Notify(Item, lnExtracted);
  return Item;
}

Pointer TList::First() const {
  return Get(0);
}

Pointer TList::Last() const {
  return Get(FCount - 1);
}

Pointer TList::Get(Integer Index) const {
  if (Index < 0 || Index >= FCount) {
    Error(RtlConsts::SListIndexError, Index);
  }
  return FList[Index];
}

void TList::Grow() {
  Integer Delta = 4;
  if (FCapacity > 64) {
    Delta = FCapacity / 4;
  } else if (FCapacity > 8) {
    Delta = 16;
  }
  SetCapacity(FCapacity + Delta);
}

Integer TList::IndexOf(Pointer Item) const {
  for (Integer I = 0; I < FCount; ++I) {
    if (FList[I] == Item) {
      return I;
    }
  }
  return -1;
}

void TList::Insert(Integer Index, Pointer Item) {
  if (Index < 0 || Index > FCount) {
    Error(RtlConsts::SListIndexError, Index);
  }
  if (FCount == FCapacity) {
    Grow();
  }
  if (Index < FCount) {
    std::memmove(FList + Index + 1, FList + Index, static_cast<std::size_t>(FCount - Index) * sizeof(Pointer));
  }
  FList[Index] = Item;
  ++FCount;
  if (Item != nullptr) {
    Notify(Item, lnAdded);
  }
}

void TList::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) {
    return;
  }
  if (NewIndex < 0 || NewIndex >= FCount) {
    Error(RtlConsts::SListIndexError, NewIndex);
  }
  Pointer Item = Get(CurIndex);
  // A move is neither a deletion nor an addition: the slot is nulled so that no notification fires.
  FList[CurIndex] = nullptr;
  Delete(CurIndex);
  Insert(NewIndex, nullptr);
  FList[NewIndex] = Item;
}

void TList::Notify(Pointer Ptr, TListNotification Action) {
  (void)Ptr;
  (void)Action;
}

void TList::Pack() {
  for (Integer I = FCount - 1; I >= 0; --I) {
    if (FList[I] == nullptr) {
      Delete(I);
    }
  }
}

void TList::Put(Integer Index, Pointer Item) {
  if (Index < 0 || Index >= FCount) {
    Error(RtlConsts::SListIndexError, Index);
  }
  Pointer Temp = FList[Index];
  FList[Index] = Item;
  if (Temp != nullptr) {
    Notify(Temp, lnDeleted);
  }
  if (Item != nullptr) {
    Notify(Item, lnAdded);
  }
}

Integer TList::Remove(Pointer Item) {
  Integer Result = IndexOf(Item);
  if (Result >= 0) {
    Delete(Result);
  }
  return Result;
}

void TList::SetCapacity(Integer NewCapacity) {
  if (NewCapacity < FCount || NewCapacity > MaxListSize) {
    Error(RtlConsts::SListCapacityError, NewCapacity);
  }
  if (NewCapacity != FCapacity) {
    FList = static_cast<Pointer*>(ReallocMem(FList, static_cast<NativeInt>(NewCapacity) * sizeof(Pointer)));
    FCapacity = NewCapacity;
  }
}

void TList::SetCount(Integer NewCount) {
  if (NewCount < 0 || NewCount > MaxListSize) {
    Error(RtlConsts::SListCountError, NewCount);
  }
  if (NewCount > FCapacity) {
    SetCapacity(NewCount);
  }
  if (NewCount > FCount) {
    std::memset(FList + FCount, 0, static_cast<std::size_t>(NewCount - FCount) * sizeof(Pointer));
    FCount = NewCount;
  } else {
    for (Integer I = FCount - 1; I >= NewCount; --I) {
      Delete(I);
    }
  }
}

namespace {
// The class library's quicksort: middle pivot, Hoare partition. It recurses into the smaller part and
// loops on the larger, so the stack stays shallow on any input.
void QuickSortPointers(Pointer* SortList, Integer L, Integer R, TListSortCompare SCompare) {
  while (L < R) {
    Integer I = L;
    Integer J = R;
    Pointer P = SortList[L + (R - L) / 2];
    do {
      while (SCompare(SortList[I], P) < 0) {
        ++I;
      }
      while (SCompare(SortList[J], P) > 0) {
        --J;
      }
      if (I <= J) {
        std::swap(SortList[I], SortList[J]);
        ++I;
        --J;
      }
    } while (I <= J);
    if (J - L < R - I) {
      QuickSortPointers(SortList, L, J, SCompare);
      L = I;
    } else {
      QuickSortPointers(SortList, I, R, SCompare);
      R = J;
    }
  }
}
}  // namespace

void TList::Sort(TListSortCompare Compare) {
  if (FList != nullptr && FCount > 1) {
    QuickSortPointers(FList, 0, FCount - 1, Compare);
  }
}

// ---- TThreadList ----

TThreadList::TThreadList() : FList(new TList()) {}

TThreadList::~TThreadList() {
  LockList();
  delete FList;
  FList = nullptr;
  UnlockList();
}

void TThreadList::Add(Pointer Item) {
  std::lock_guard<std::recursive_mutex> Guard(FLock);
  if (FDuplicates == dupAccept || FList->IndexOf(Item) == -1) {
    FList->Add(Item);
  } else if (FDuplicates == dupError) {
    TList::Error(RtlConsts::SDuplicateItem, reinterpret_cast<NativeInt>(Item));
  }
}

void TThreadList::Clear() {
  std::lock_guard<std::recursive_mutex> Guard(FLock);
  FList->Clear();
}

TList* TThreadList::LockList() {
  FLock.lock();
  return FList;
}

void TThreadList::Remove(Pointer Item) {
  std::lock_guard<std::recursive_mutex> Guard(FLock);
  FList->Remove(Item);
}

void TThreadList::UnlockList() {
  FLock.unlock();
}
