// TList, the class library's list of untyped pointers, and TThreadList, a list guarded by a lock.
#pragma once

#include "platform/rtl/System.h"

#include <mutex>
#include <string>

// How a list treats an item it already holds (TStringList, TThreadList).
enum TDuplicates { dupIgnore, dupAccept, dupError };

// What happened to an item: TList::Notify receives one of these.
enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// Orders two items: <0, 0 or >0.
using TListSortCompare = int (*)(Pointer Item1, Pointer Item2);

// The largest number of items a list holds.
inline constexpr Integer MaxListSize = 0x7FFFFFFF / 16;

// A growable array of pointers. It owns only its array, never what the pointers point to (descendants that
// own their items free them in Notify). Indexes are 0-based; a bad index raises EListError naming it.
class TList : public TObject {
  Z_CLASS(TList, TObject)
public:
  TList() = default;
  ~TList() override;
  TList(const TList&) = delete;
  TList& operator=(const TList&) = delete;

  // Clears the list first, so that descendants hear lnDeleted for every item.
  void BeforeDestruction() override;

  Integer Add(Pointer Item);                 // returns the new item's index
  virtual void Clear();                      // count and capacity to 0
  void Delete(Integer Index);
  // Raises EListError with Msg formatted with Data (the class library's class procedure).
  [[noreturn]] static void Error(const std::string& Msg, NativeInt Data);
  void Exchange(Integer Index1, Integer Index2);
  TList* Expand();                           // grows when full; returns this
  Pointer Extract(Pointer Item);             // removes without lnDeleted (lnExtracted instead); null if absent
  Pointer First() const;
  Integer IndexOf(Pointer Item) const;       // -1 when absent
  void Insert(Integer Index, Pointer Item);  // 0 <= Index <= Count
  Pointer Last() const;
  void Move(Integer CurIndex, Integer NewIndex);
  Integer Remove(Pointer Item);              // the index it had, or -1
  void Pack();                               // drops null items
  void Sort(TListSortCompare Compare);       // the class library's quicksort (not stable)

  Integer Capacity() const { return FCapacity; }
  void SetCapacity(Integer NewCapacity);     // < Count or > MaxListSize raises SListCapacityError
  Integer Count() const { return FCount; }
  void SetCount(Integer NewCount);           // new slots are null; shrinking deletes the tail
  Pointer Items(Integer Index) const { return Get(Index); }
  void SetItems(Integer Index, Pointer Item) { Put(Index, Item); }
  Pointer operator[](Integer Index) const { return Get(Index); }
  Pointer* List() const { return FList; }   // the raw array (Count entries valid)

protected:
  Pointer Get(Integer Index) const;
  void Put(Integer Index, Pointer Item);
  // Grows the capacity: by 4 up to 8 items, by 16 up to 64, then by a quarter.
  virtual void Grow();
  // Called after an item was added, or after it was extracted or deleted; never for null items.
  virtual void Notify(Pointer Ptr, TListNotification Action);

private:
  Pointer* FList = nullptr;
  Integer FCount = 0;
  Integer FCapacity = 0;
};

// A TList shared between threads: every access goes through LockList ... UnlockList. The lock is
// re-entrant on the same thread, like a critical section.
class TThreadList : public TObject {
  Z_CLASS(TThreadList, TObject)
public:
  TThreadList();
  ~TThreadList() override;
  TThreadList(const TThreadList&) = delete;
  TThreadList& operator=(const TThreadList&) = delete;

  // Adds unless the item is present: dupIgnore skips it, dupError raises EListError (SDuplicateItem).
  void Add(Pointer Item);
  void Clear();
  TList* LockList();
  void Remove(Pointer Item);
  void UnlockList();
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }

private:
  TList* FList;
  std::recursive_mutex FLock;
  TDuplicates FDuplicates = dupIgnore;
};
