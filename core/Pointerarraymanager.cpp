// PointerArrayManager: growth, list and indexed operations, sorted search and clearing.
#include "core/Pointerarraymanager.h"

#include "core/Strstore.h"

#include <cstdlib>
#include <cstring>
#include <new>

PointerArrayManager::PointerArrayManager() {
  settings.reset(7, 0);
  setting(PAM_MAXIMUM) = 1000000;
  setting(PAM_GROWTH) = 10;
  setting(PAM_CURSOR) = -1;
  setting(PAM_UNCHANGED) = 1;
}

PointerArrayManager::PointerArrayManager(FreeCallback Free) : PointerArrayManager() { freeCallback = Free; }

PointerArrayManager::~PointerArrayManager() {
  (void)removeAllPointers(1, 0);  // an element whose free was refused is its owner's to keep
}

int PointerArrayManager::getCount() const { return indexed() ? setting(PAM_CAPACITY) : setting(PAM_COUNT); }

int PointerArrayManager::growTo(int N) {
  const int Old = setting(PAM_CAPACITY);
  if (Old >= N) {
    return PAM_DONE;
  }
  const long long Step = setting(PAM_GROWTH) > 0 ? setting(PAM_GROWTH) : 10;
  long long New = Old;
  while (New < N) {
    New += Step;
  }
  New += Old > 100000 ? 100000 : Old > 10000 ? 10000 : Old > 1000 ? 1000 : Old > 100 ? 100 : 0;
  if (New > 0x3FFFFFFF) {
    return PAM_FAILED;
  }
  auto** P = static_cast<void**>(std::malloc(sizeof(void*) * static_cast<std::size_t>(New)));
  if (P == nullptr) {
    return PAM_FAILED;
  }
  if (Old > 0) {
    std::memcpy(P, elements, sizeof(void*) * static_cast<std::size_t>(Old));
  }
  for (long long I = Old; I < New; ++I) {
    P[I] = nullptr;
  }
  std::free(elements);
  elements = P;
  setting(PAM_CAPACITY) = static_cast<int>(New);
  return PAM_DONE;
}

int PointerArrayManager::addPointer(void* Element, CompareCallback Comparator) {
  if (indexed() || (Comparator != nullptr && Element == nullptr)) {
    return PAM_NO_INDEX;
  }
  const int Count = setting(PAM_COUNT);
  if (growTo(Count + 1) == PAM_FAILED) {
    return PAM_NO_INDEX;
  }
  const int At = Comparator != nullptr ? findInsertIndex(Element, Comparator) : Count;
  ZUBQ_ASSERT(At >= 0 && At <= Count && Count < setting(PAM_CAPACITY));
  std::memmove(elements + At + 1, elements + At, sizeof(void*) * static_cast<std::size_t>(Count - At));
  elements[At] = Element;
  setting(PAM_COUNT) = Count + 1;
  touched();
  return At;
}

int PointerArrayManager::addPointerEx(void* Element, int Flags) {
  if ((Flags & PAM_ENABLE) == 0) {
    return PAM_NO_INDEX;
  }
  if (!indexed()) {
    return addPointer(Element);
  }
  int At = findEmptySlot(PAM_FIND_INDEX);
  if (At < 0) {
    At = setting(PAM_CAPACITY);
  }
  return setPointer(Element, At, 0, 1, PAM_KEEP_MODE) != PAM_FAILED ? At : PAM_NO_INDEX;
}

int PointerArrayManager::insertPointer(void* Element, int Index) {
  const int Count = setting(PAM_COUNT);
  if (indexed() || Index < 0 || Index > Count || growTo(Count + 1) == PAM_FAILED) {
    return PAM_NO_INDEX;
  }
  ZUBQ_ASSERT(Count < setting(PAM_CAPACITY));
  std::memmove(elements + Index + 1, elements + Index, sizeof(void*) * static_cast<std::size_t>(Count - Index));
  elements[Index] = Element;
  setting(PAM_COUNT) = Count + 1;
  touched();
  return Index;
}

int PointerArrayManager::setPointer(void* Element, int Index, int FreeOld, int Grow, int KeepMode) {
  if ((KeepMode & PAM_KEEP_MODE) == 0) {
    setting(PAM_INDEXED) = 1;
  }
  if (Index < 0 || (Index >= setting(PAM_CAPACITY) && Grow == 0) || growTo(Index + 1) == PAM_FAILED) {
    return PAM_FAILED;
  }
  ZUBQ_ASSERT(Index < setting(PAM_CAPACITY));
  void* Old = elements[Index];
  // Storing the element that is already there must not free it.
  if (FreeOld != 0 && Old != nullptr && Old != Element && freeCallback != nullptr) {
    freeCallback(Old);
  }
  elements[Index] = Element;
  touched();
  return PAM_DONE;
}

int PointerArrayManager::putPointer(void* Element, int Index) {
  if (Index < 0 || Index >= setting(PAM_CAPACITY)) {
    return PAM_FAILED;
  }
  elements[Index] = Element;
  touched();
  return PAM_DONE;
}

void* PointerArrayManager::getPointer(int Index) const {
  if (Index < 0 || Index >= setting(PAM_CAPACITY) || (!indexed() && Index >= setting(PAM_COUNT))) {
    return nullptr;
  }
  return elements[Index];
}

int PointerArrayManager::removePointer(int Index, int Free) {
  const int Count = setting(PAM_COUNT);
  if (indexed() || Index < 0 || Index >= Count) {
    return PAM_FAILED;
  }
  ZUBQ_ASSERT(Count <= setting(PAM_CAPACITY));
  void* E = elements[Index];
  if (Free != 0 && E != nullptr && freeCallback != nullptr && freeCallback(E) == 0) {
    return PAM_FAILED;
  }
  std::memmove(elements + Index, elements + Index + 1, sizeof(void*) * static_cast<std::size_t>(Count - Index - 1));
  elements[Count - 1] = nullptr;
  setting(PAM_COUNT) = Count - 1;
  touched();
  return PAM_DONE;
}

int PointerArrayManager::removePointersFrom(int Index, int Flags) {
  const int Extent = getCount();
  if ((Flags & PAM_ENABLE) == 0 || Index < 0 || Index >= Extent) {
    return 0;
  }
  int Removed = 0;
  for (int I = Extent - 1; I >= Index; --I) {
    void* E = elements[I];
    if ((Flags & PAM_FREE_EACH) != 0 && E != nullptr && freeCallback != nullptr && freeCallback(E) == 0) {
      return PAM_FREE_REFUSED;
    }
    elements[I] = nullptr;
    if (!indexed()) {
      setting(PAM_COUNT) = I;
    }
    ++Removed;
    touched();
  }
  return Removed;
}

int PointerArrayManager::deletePointer(void* Element, CompareCallback Comparator, int Free) {
  const int At = Comparator != nullptr ? findSortedPointer(Element, Comparator) : findPointer(Element);
  if (At < 0) {
    return PAM_DONE;
  }
  if (!indexed()) {
    return removePointer(At, Free);
  }
  void* E = elements[At];
  if (Free != 0 && freeCallback != nullptr && freeCallback(E) == 0) {
    return PAM_FAILED;
  }
  elements[At] = nullptr;
  touched();
  return PAM_DONE;
}

int PointerArrayManager::removeAllPointers(int Release, int Mode) {
  delete tags;
  tags = nullptr;
  const int Extent = getCount();
  if (Release != 0) {
    int Result = PAM_DONE;
    for (int I = 0; I < Extent; ++I) {
      if (elements[I] != nullptr && freeCallback != nullptr && freeCallback(elements[I]) == 0) {
        Result = PAM_FAILED;
      }
    }
    std::free(elements);
    elements = nullptr;
    if (Extent > 0) {
      touched();
    }
    setting(PAM_CAPACITY) = 0;
    setting(PAM_COUNT) = 0;
    setting(PAM_INDEXED) = 0;
    setting(PAM_CURSOR) = -1;
    return Result;
  }
  int Freed = 0;
  for (int I = 0; I < Extent; ++I) {
    if (elements[I] == nullptr) {
      continue;
    }
    if (freeCallback == nullptr || freeCallback(elements[I]) != 0) {
      elements[I] = nullptr;
      ++Freed;
    }
  }
  setting(PAM_CURSOR) = -1;
  if (Freed > 0 || (Mode == 0 && setting(PAM_COUNT) != 0)) {
    touched();
  }
  if (Mode == 1) {
    (void)packPointers(indexed() ? 0 : PAM_TO_LIST_MODE);  // always PAM_DONE
  } else {
    setting(PAM_COUNT) = 0;
  }
  return PAM_DONE;
}

int PointerArrayManager::findPointer(const void* Element) const {
  const int Extent = getCount();
  for (int I = 0; I < Extent; ++I) {
    if (elements[I] == Element) {
      return I;
    }
  }
  return PAM_NO_INDEX;
}

int PointerArrayManager::findInsertIndex(const void* Element, CompareCallback Comparator) const {
  int Lo = 0;
  int Hi = setting(PAM_COUNT) - 1;
  while (Lo <= Hi) {
    const int Mid = (Lo + Hi) / 2;
    const int C = Comparator(Element, elements[Mid]);
    if (C < 0) {
      Hi = Mid - 1;
    } else if (C > 0) {
      Lo = Mid + 1;
    } else {
      return Mid;
    }
  }
  return Lo;
}

int PointerArrayManager::findSortedPointer(const void* Element, CompareCallback Comparator) const {
  const int At = findInsertIndex(Element, Comparator);
  if (At < setting(PAM_COUNT) && Comparator(Element, elements[At]) == 0) {
    return At;
  }
  return ZUB_NOT_FOUND;
}

int PointerArrayManager::findEmptySlot(int Flag) const {
  if ((Flag & PAM_FIND_INDEX) == 0) {
    const int Count = setting(PAM_COUNT);
    for (int I = 0; I < Count && I < setting(PAM_CAPACITY); ++I) {
      if (elements[I] == nullptr) {
        return 1;
      }
    }
    return 0;
  }
  const int Extent = getCount();
  for (int I = 0; I < Extent; ++I) {
    if (elements[I] == nullptr) {
      return I;
    }
  }
  return PAM_NO_INDEX;
}

int PointerArrayManager::packPointers(int Flag) {
  const int Capacity = setting(PAM_CAPACITY);
  int Out = 0;
  for (int I = 0; I < Capacity; ++I) {
    if (elements[I] != nullptr) {
      elements[Out++] = elements[I];
    }
  }
  for (int I = Out; I < Capacity; ++I) {
    elements[I] = nullptr;
  }
  setting(PAM_CURSOR) = -1;
  if ((Flag & PAM_TO_LIST_MODE) != 0) {
    if (setting(PAM_COUNT) != Out) {
      touched();
    }
    setting(PAM_INDEXED) = 0;
    setting(PAM_COUNT) = Out;
  }
  return PAM_DONE;
}

int PointerArrayManager::setFreeCallback(FreeCallback Fn) {
  freeCallback = Fn;
  return PAM_DONE;
}

int PointerArrayManager::setCopyCallback(CopyCallback Fn) {
  copyCallback = Fn;
  return PAM_DONE;
}

int PointerArrayManager::setTag(int Index, int Value) {
  if (tags == nullptr) {
    tags = new (std::nothrow) IntStore();
    if (tags == nullptr) {
      return PAM_NO_INDEX;
    }
  }
  return tags->setInt(Index, Value, 1, 0);
}

int PointerArrayManager::setUnchanged(int Flag) {
  const int Previous = setting(PAM_UNCHANGED);
  setting(PAM_UNCHANGED) = Flag != 0 ? 1 : 0;
  return Previous;
}

int PointerArrayManager::changeSetting(int Index, int Delta, int Flags) {
  // Only the count may be moved this way, and only within the slots that exist.
  if ((Flags & PAM_ENABLE) != 0 && Index == PAM_COUNT) {
    long long Count = static_cast<long long>(setting(PAM_COUNT)) + Delta;
    if (Count < 0) {
      Count = 0;
    }
    if (Count > setting(PAM_CAPACITY)) {
      Count = setting(PAM_CAPACITY);
    }
    setting(PAM_COUNT) = static_cast<int>(Count);
    if (Delta != 0) {
      touched();
    }
  }
  return 0;
}
