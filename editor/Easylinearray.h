// The line store's array of line pointers, kept as a gap buffer: indexing is constant time and inserting
// or deleting a line costs a move of the pointers between the gap and the place of the change, so a run
// of edits in one place of a large document does not move the whole array each time. Also the pool the
// line records are allocated from.
#pragma once

#include "platform/rtl/Assert.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

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

  void Swap(TEasyGapArray& Other) noexcept {
    std::swap(FData, Other.FData);
    std::swap(FCount, Other.FCount);
    std::swap(FCapacity, Other.FCapacity);
    std::swap(FGapStart, Other.FGapStart);
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

// Records of one type allocated in blocks owned by the pool, so that making a record costs no call of the
// general allocator and the records of lines loaded together lie together in memory. A deleted record's
// slot goes on a free list and is used again by the next New. Blocks are handed back only by Release (or
// the pool's end), which the owner calls once every record from the pool has been deleted or abandoned
// after its destructor ran.
template <class T>
class TEasyRecordPool {
public:
  TEasyRecordPool() = default;
  TEasyRecordPool(const TEasyRecordPool&) = delete;
  TEasyRecordPool& operator=(const TEasyRecordPool&) = delete;
  ~TEasyRecordPool() { Release(); }

  // A value-initialised record.
  T* New() {
    void* Slot = nullptr;
    if (FFree) {
      Slot = FFree;
      FFree = FFree->Next;
    } else {
      if (FUsed == FBlockSize) {
        AddBlock();
      }
      Slot = FBlocks.back() + FUsed * sizeof(TSlot);
      ++FUsed;
    }
    try {
      return new (Slot) T();
    } catch (...) {
      PushFree(Slot);
      throw;
    }
  }

  // Destroys a record made by New and keeps its slot for the next one.
  void Delete(T* Item) {
    if (Item) {
      Item->~T();
      PushFree(Item);
    }
  }

  // Hands every block back. Records still alive are not destroyed: the owner destroys them first.
  void Release() {
    for (char* Block : FBlocks) {
      std::free(Block);
    }
    FBlocks.clear();
    FFree = nullptr;
    FUsed = 0;
    FBlockSize = 0;
  }

  void Swap(TEasyRecordPool& Other) noexcept {
    FBlocks.swap(Other.FBlocks);
    std::swap(FFree, Other.FFree);
    std::swap(FUsed, Other.FUsed);
    std::swap(FBlockSize, Other.FBlockSize);
  }

private:
  struct TFree {
    TFree* Next;
  };
  // A slot is large enough for a record or a free-list link and aligned for both.
  union alignas(alignof(T) > alignof(TFree) ? alignof(T) : alignof(TFree)) TSlot {
    char Record[sizeof(T)];
    TFree Link;
  };
  static_assert(alignof(TSlot) <= alignof(std::max_align_t), "std::malloc must align the blocks");
  // Blocks grow from a few records (a one-line store stays small) to this many.
  static constexpr std::size_t MaxBlockSize = 4096;

  void PushFree(void* Slot) {
    auto* Free = static_cast<TFree*>(Slot);
    Free->Next = FFree;
    FFree = Free;
  }

  void AddBlock() {
    const std::size_t Size = FBlockSize == 0 ? 8 : (FBlockSize < MaxBlockSize ? FBlockSize * 2 : MaxBlockSize);
    FBlocks.reserve(FBlocks.size() + 1);
    char* Block = static_cast<char*>(std::malloc(Size * sizeof(TSlot)));
    if (!Block) {
      throw std::bad_alloc();
    }
    FBlocks.push_back(Block);
    FBlockSize = Size;
    FUsed = 0;
  }

  std::vector<char*> FBlocks;
  TFree* FFree = nullptr;
  std::size_t FUsed = 0;       // slots of the last block handed out
  std::size_t FBlockSize = 0;  // slots in the last block
};
