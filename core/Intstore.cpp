// IntStore: growth, access and sorted insertion.
#include "core/Intstore.h"

#include <cstdlib>
#include <cstring>

IntStore::IntStore(int N, int Fill) { reset(N, Fill); }

IntStore::~IntStore() { std::free(values); }

int IntStore::copyFrom(const IntStore& Other) {
  if (&Other == this) {
    return 1;
  }
  growthStep = Other.growthStep;
  count = 0;
  if (reserve(Other.capacity, 0) == 0) {
    return 0;
  }
  if (Other.count > 0) {
    std::memcpy(values, Other.values, sizeof(int) * static_cast<std::size_t>(Other.count));
  }
  count = Other.count;
  scratch = Other.scratch;
  return 1;
}

void IntStore::clear() {
  count = 0;
  scratch = 0;
}

int IntStore::reset(int N, int Fill) {
  clear();
  return setSize(N, Fill);
}

int IntStore::reserve(int N, int Keep) {
  if (capacity >= N) {
    return 1;
  }
  const long long Step = growthStep > 0 ? growthStep : 1;
  long long NewCapacity = capacity;
  while (NewCapacity < N) {
    NewCapacity += Step;
  }
  auto* P = static_cast<int*>(std::malloc(sizeof(int) * static_cast<std::size_t>(NewCapacity)));
  if (P == nullptr) {
    return 0;
  }
  if (Keep != 0 && count > 0) {
    std::memcpy(P, values, sizeof(int) * static_cast<std::size_t>(count));
  }
  std::free(values);
  values = P;
  capacity = static_cast<int>(NewCapacity);
  return 1;
}

int IntStore::setSize(int N, int Fill) {
  if (N <= count) {
    return 1;
  }
  if (reserve(N, 1) == 0) {
    return 0;
  }
  for (int I = count; I < N; ++I) {
    values[I] = Fill;
  }
  count = N;
  return 1;
}

int IntStore::findInsertIndex(int Value, IntCompareCallback Comparator) const {
  int Lo = 0;
  int Hi = count - 1;
  while (Lo <= Hi) {
    const int Mid = (Lo + Hi) / 2;
    const int C = Comparator(Value, values[Mid]);
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

int IntStore::addInt(int Value, IntCompareCallback Comparator) {
  const int At = Comparator != nullptr ? findInsertIndex(Value, Comparator) : count;
  if (reserve(count + 1, 1) == 0) {
    return 0;
  }
  std::memmove(values + At + 1, values + At, sizeof(int) * static_cast<std::size_t>(count - At));
  values[At] = Value;
  ++count;
  return 1;
}

int IntStore::setInt(int Index, int Value, int Grow, int Fill) {
  if (Index < 0) {
    return 0;
  }
  if (Index >= count) {
    if (Grow == 0 || setSize(Index + 1, Fill) == 0) {
      return 0;
    }
  }
  values[Index] = Value;
  return 1;
}

int& IntStore::getIntRef(int Index) {
  if (Index < 0 || Index >= count) {
    scratch = -1;
    return scratch;
  }
  return values[Index];
}

int IntStore::getInt(int Index) const { return (Index < 0 || Index >= count) ? -1 : values[Index]; }
