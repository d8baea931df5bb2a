// The line store's array of line pointers, kept as a gap buffer: indexing is constant time and inserting
// or deleting a line costs a move of the pointers between the gap and the place of the change, so a run
// of edits in one place of a large document does not move the whole array each time.
#pragma once

#include "platform/rtl/Assert.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

template <class T> class TEasyGapArray {
public:
  TEasyGapArray() = default;
  TEasyGapArray(const TEasyGapArray&) = delete;
  TEasyGapArray& operator=(const TEasyGapArray&) = delete;
  ~TEasyGapArray() { std::free(FData); }

  int Count() const { return FCount; }
  int Capacity() const { return FCapacity; }
  T* operator[](int Index) const {
    ZUBQ_ASSERT(Index >= 0 && Index < FCount);
    return FData[Physical(Index)];
  }
  void Set(int Index, T* Item) {
    ZUBQ_ASSERT(Index >= 0 && Index < FCount);
    FData[Physical(Index)] = Item;
  }

  // Reallocates to exactly N slots (at least Count).
  void SetCapacity(int N) {
    if (N < FCount) {
      N = FCount;
    }
    MoveGapTo(FCount);
    T** Data = static_cast<T**>(std::realloc(FData, static_cast<std::size_t>(N > 0 ? N : 1) * sizeof(T*)));
    if (!Data) {
      throw std::bad_alloc();
    }
    FData = Data;
    FCapacity = N;
    FGapStart = FCount;
  }

  // Inserts before Index (0 <= Index <= Count), growing by the line store's rule when full.
  void Insert(int Index, T* Item) {
    ZUBQ_ASSERT(Index >= 0 && Index <= FCount);
    if (FCount == FCapacity) {
      int Delta = 4;
      if (FCapacity > 64) {
        Delta = FCapacity / 4;
      } else if (FCapacity > 8) {
        Delta = 16;
      }
      SetCapacity(FCapacity + Delta);
    }
    MoveGapTo(Index);
    FData[FGapStart++] = Item;
    ++FCount;
  }

  void Delete(int Index) {
    ZUBQ_ASSERT(Index >= 0 && Index < FCount);
    MoveGapTo(Index + 1);
    --FGapStart;
    --FCount;
  }

  void Clear() {
    FCount = 0;
    FGapStart = 0;
  }

private:
  int GapLength() const { return FCapacity - FCount; }
  std::size_t Physical(int Index) const {
    return static_cast<std::size_t>(Index < FGapStart ? Index : Index + GapLength());
  }
  // Moves the gap so that it starts before logical index Index.
  void MoveGapTo(int Index) {
    ZUBQ_ASSERT(Index >= 0 && Index <= FCount && FCount <= FCapacity && FGapStart >= 0 && FGapStart <= FCount);
    const int Gap = GapLength();
    if (Gap == 0) {
      FGapStart = Index;
      return;
    }
    if (Index < FGapStart) {
      std::memmove(FData + Index + Gap, FData + Index, static_cast<std::size_t>(FGapStart - Index) * sizeof(T*));
    } else if (Index > FGapStart) {
      std::memmove(FData + FGapStart, FData + FGapStart + Gap, static_cast<std::size_t>(Index - FGapStart) * sizeof(T*));
    }
    FGapStart = Index;
  }

  T** FData = nullptr;
  int FCount = 0;
  int FCapacity = 0;
  int FGapStart = 0;
};
