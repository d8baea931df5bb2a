// The suite's sorted pointer lists: TCustomSortedList with its duplicate modes, its item store TFastList,
// the nearest search of TSortedListEx, and WriteMemory.
#pragma once

#include "platform/classes/Lists.h"
#include "platform/rtl/Exceptions.h"
#include "suitebase/Dcmethod.h"

#include <functional>

namespace Videroriz {

inline constexpr const char* SDuplicateItem = "Can't insert duplicate item";

// What Add does with an item equal to one already held.
inline constexpr Byte dmIgnore = 0;  // returns the existing item's index, inserts nothing
inline constexpr Byte dmAccept = 1;  // inserts before every equal item
inline constexpr Byte dmError = 2;   // raises SDuplicateItem, inserts nothing

// The item store: a pointer list whose destruction releases its array at once, without visiting the items.
class TFastList : public TList {
  Z_CLASS(TFastList, TList)
public:
  TFastList() = default;
  void BeforeDestruction() override { TObject::BeforeDestruction(); }
};

// A list of untyped pointers kept in the order of the virtual Compare (by address by default). Items are not
// owned. Switched to unsorted, it is a plain append list with identity searches. One list is used on one
// thread at a time.
class TCustomSortedList : public TObject {
  Z_CLASS(TCustomSortedList, TObject)
public:
  TCustomSortedList();
  ~TCustomSortedList() override;
  TCustomSortedList(const TCustomSortedList&) = delete;
  TCustomSortedList& operator=(const TCustomSortedList&) = delete;

  // <0 when Item sorts before Key, 0 when it matches, >0 after; the base orders by address.
  virtual Integer CompareWithKey(Pointer Item, Pointer Key);
  virtual Integer Compare(Pointer Item1, Pointer Item2);
  // Removes the item at Index (descendants free or unregister it); a bad index raises EListError.
  virtual void Delete(Integer Index);

  // Sorted: inserts at the item's place, or handles an equal item by DuplicateMode. Unsorted: appends.
  Integer Add(Pointer Item);
  // Unsorted: inserts at Index (EListError when bad); sorted: Add, Index ignored.
  void Insert(Integer Index, Pointer Item);
  // Sorted: binary search with Compare; Index is the match or where Item belongs. Unsorted: identity search.
  bool Find(Pointer Item, Integer& Index);
  bool FindByKey(Pointer Key, Integer& Index);
  Integer IndexOf(Pointer Item);
  Integer IndexOfKey(Pointer Key);
  Pointer ItemByKey(Pointer Key);
  Integer Remove(Pointer Item);  // the removed item's former index, or -1
  void RemoveAll(Pointer Item);
  void Clear();
  Pointer Get(Integer Index) const;  // EListError outside 0..Count-1
  Pointer operator[](Integer Index) const { return Get(Index); }

  Integer Count() const { return FList->Count(); }
  void SetCount(Integer Value) { FList->SetCount(Value); }
  Integer Capacity() const { return FList->Capacity(); }
  void SetCapacity(Integer Value) { FList->SetCapacity(Value); }
  bool Sorted() const { return FSorted; }
  // Switching on re-sorts the items when they are out of order (not stable); an ordered list stays as it is.
  void SetSorted(bool Value);
  Byte DuplicateMode() const { return FDuplicateMode; }
  void SetDuplicateMode(Byte Value) { FDuplicateMode = Value; }
  TFastList* List() const { return FList; }

protected:
  bool SearchSorted(Pointer Searched, Integer& Index, bool ByKey);

private:
  TFastList* FList;
  Byte FDuplicateMode = dmIgnore;
  bool FSorted = true;
};

class TSortedList : public TCustomSortedList {
  Z_CLASS(TSortedList, TCustomSortedList)
public:
  TSortedList() = default;
};

// Writes Size bytes from Buffer to Address in this process's memory, also into pages that are not writable
// (code). True when all Size bytes were written.
bool WriteMemory(void* Address, const void* Buffer, NativeInt Size);

}  // namespace Videroriz

namespace Vivaridiriz {

// A sorted list with a nearest-position search; the code editor's position lists derive from it.
class TSortedListEx : public Videroriz::TSortedList {
  Z_CLASS(TSortedListEx, Videroriz::TSortedList)
public:
  // Compares the list item (first) with the searched item (second).
  using TNearestCompare = std::function<Integer(TSortedListEx* List, Pointer ListItem, Pointer Searched)>;

  TSortedListEx() = default;
  // Sorted: true only when an equal item was met (Index = its position); otherwise Index is the lower end
  // of the last bracket probed (0 for an empty list). Unsorted: the identity search.
  bool FindNearest(Pointer Item, Integer& Index);
  bool InternalFindNearest(Pointer Item, Integer& Index, const TNearestCompare& CompareProc, TSortedListEx* AList);
  Integer LastProbe() const { return FLastProbe; }

private:
  Integer FLastProbe = 0;
};

}  // namespace Vivaridiriz
