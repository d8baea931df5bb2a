// PointerArrayManager: the owning array of pointers that carries every list of the program.
#pragma once

#include "core/Intstore.h"

#include "platform/rtl/Assert.h"

// Frees an element; non-zero when it was freed (zero keeps it in the list).
using FreeCallback = int (*)(void* Element);
// Makes a copy of an element (stored only; no operation of the list calls it).
using CopyCallback = void* (*)(const void* Element);
// Orders the new or sought element against an element of the list, like a three-way comparison.
using CompareCallback = int (*)(const void* New, const void* Existing);

// Indexes of PointerArrayManager::settings.
inline constexpr int PAM_MAXIMUM = 0;    // maximum element count (stored, not enforced)
inline constexpr int PAM_GROWTH = 1;     // growth step
inline constexpr int PAM_CAPACITY = 2;   // slots allocated
inline constexpr int PAM_COUNT = 3;      // elements in use (list mode)
inline constexpr int PAM_CURSOR = 4;     // iteration cursor
inline constexpr int PAM_INDEXED = 5;    // 1 in indexed mode
inline constexpr int PAM_UNCHANGED = 6;  // 1 until the elements or the count change

// Results: PAM_DONE, or PAM_FAILED when the element was not stored, removed or freed; operations that give an
// index give PAM_NO_INDEX when there is none.
inline constexpr int PAM_DONE = 1;
inline constexpr int PAM_FAILED = 0;
inline constexpr int PAM_NO_INDEX = -1;
inline constexpr int PAM_FREE_REFUSED = -1;  // removePointersFrom: a free was refused
// Flags.
inline constexpr int PAM_ENABLE = 0x1;        // addPointerEx, removePointersFrom, changeSetting: required
inline constexpr int PAM_FREE_EACH = 0x2;     // removePointersFrom: frees each element
inline constexpr int PAM_KEEP_MODE = 0x1;     // setPointer: stays in list mode
inline constexpr int PAM_TO_LIST_MODE = 0x1;  // packPointers: back to list mode with the packed count
inline constexpr int PAM_FIND_INDEX = 0x1;    // findEmptySlot: the index (else 1 or 0: whether the count has one)

// An array of pointers that owns its elements and frees them through its free callback (none: the list only
// drops its pointers). In list mode the elements are packed from index 0 and counted; in indexed mode they sit at
// chosen indexes with empty (null) slots allowed and no shifting. The extent is the count in list mode and the
// capacity in indexed mode. It grows by 10 slots at a time up to 100 slots, then in larger steps. A bad index
// never touches memory outside the array: getters give null or -1, setters 0. Not copyable.
class PointerArrayManager {
public:
  void** elements = nullptr;  // slots beyond the elements in use are null
  IntStore* tags = nullptr;   // an int per index for the list's users, created by setTag
  IntStore settings;          // seven ints, see PAM_*
  FreeCallback freeCallback = nullptr;
  CopyCallback copyCallback = nullptr;

  PointerArrayManager();
  explicit PointerArrayManager(FreeCallback Free);
  ~PointerArrayManager();
  PointerArrayManager(const PointerArrayManager&) = delete;
  PointerArrayManager& operator=(const PointerArrayManager&) = delete;

  int getCount() const;
  // List mode: appends, or with a comparator inserts at the sorted place (before an equal element met by the
  // search); the index, or -1 (indexed mode, out of memory, or a null element with a comparator).
  [[nodiscard]] int addPointer(void* Element, CompareCallback Comparator = nullptr);
  // Flag 1 required. List mode: addPointer. Indexed mode: the first empty slot, else the index equal to the
  // capacity. The index or -1.
  [[nodiscard]] int addPointerEx(void* Element, int Flags);
  // List mode: inserts at 0..count, shifting the rest up; the index or -1.
  [[nodiscard]] int insertPointer(void* Element, int Index);
  // Stores at an index, switching to indexed mode unless KeepMode bit 1; grows when Grow; frees a different old
  // element through the callback when FreeOld. 1 or 0.
  [[nodiscard]] int setPointer(void* Element, int Index, int FreeOld, int Grow, int KeepMode);
  [[nodiscard]] int putPointer(void* Element, int Index);
  void* getPointer(int Index) const;
  // List mode: removes (with Free the callback must agree) and shifts down. 1, or 0 refused or bad index.
  [[nodiscard]] int removePointer(int Index, int Free);
  // Flag 1 required; removes from the last element down to Index (flag 2 frees each). The number removed, 0 when
  // Index is outside the extent, -1 when a free was refused (the elements above it are gone).
  [[nodiscard]] int removePointersFrom(int Index, int Flags);
  // Finds the element (sorted search with a comparator, identity without) and removes it; not found counts as 1.
  [[nodiscard]] int deletePointer(void* Element, CompareCallback Comparator, int Free);
  int removeAllPointers(int Release, int Mode = 0);
  [[nodiscard]] int findPointer(const void* Element) const;
  [[nodiscard]] int indexOfPointer(const void* Element) const { return findPointer(Element); }
  [[nodiscard]] int findInsertIndex(const void* Element, CompareCallback Comparator) const;
  // The index of an element comparing equal, or ZUB_NOT_FOUND.
  [[nodiscard]] int findSortedPointer(const void* Element, CompareCallback Comparator) const;
  [[nodiscard]] int findEmptySlot(int Flag) const;
  int packPointers(int Flag);
  int setFreeCallback(FreeCallback Fn);
  int setCopyCallback(CopyCallback Fn);
  int setTag(int Index, int Value);
  // Sets the unchanged flag and returns its previous value.
  int setUnchanged(int Flag);
  // With flag bit 1 adds Delta to the count (kept within 0..capacity); a non-zero delta clears the unchanged
  // flag. 0.
  int changeSetting(int Index, int Delta, int Flags);
  // Makes room for at least N slots; 1 or 0 out of memory.
  [[nodiscard]] int growTo(int N);

private:
  int& setting(int Index) {
    ZUBQ_ASSERT(Index >= 0 && Index <= PAM_UNCHANGED);
    return settings.values[Index];
  }
  int setting(int Index) const { return settings.values[Index]; }
  bool indexed() const { return setting(PAM_INDEXED) == 1; }
  void touched() { setting(PAM_UNCHANGED) = 0; }
};
