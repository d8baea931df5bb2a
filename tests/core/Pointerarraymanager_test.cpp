// Tests of IntStore and PointerArrayManager: growth, bad indexes, list and indexed modes, sorting, clearing.
#include "core/Pointerarraymanager.h"
#include "core/Strstore.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// Elements are ints in a fixture-owned pool; the callback records what it was asked to free and refuses one value.
struct TPool {
  static std::vector<int> Freed;
  static int Refuse;
  static int Free(void* E) {
    const int V = *static_cast<int*>(E);
    if (V == Refuse) {
      return 0;
    }
    Freed.push_back(V);
    return 1;
  }
};
std::vector<int> TPool::Freed;
int TPool::Refuse = -1;

int CompareInts(const void* A, const void* B) { return *static_cast<const int*>(A) - *static_cast<const int*>(B); }

class PointerArrayManagerTest : public ::testing::Test {
protected:
  void SetUp() override {
    TPool::Freed.clear();
    TPool::Refuse = -1;
    for (int I = 0; I < 300; ++I) {
      Values[I] = I;
    }
  }
  int Values[300] = {};
};

TEST(IntStore, GrowthAndBadIndexes) {
  IntStore S;
  EXPECT_EQ(S.growthStep, 3);
  for (int I = 0; I < 4; ++I) {
    ASSERT_EQ(S.addInt(I * 10), 1);
  }
  EXPECT_EQ(S.capacity, 6);
  EXPECT_EQ(S.getInt(-1), -1);
  EXPECT_EQ(S.getInt(4), -1);
  S.getIntRef(99) = 5;  // goes to the scratch slot
  EXPECT_EQ(S.scratch, 5);
  EXPECT_EQ(S.getInt(0) + S.getInt(1) + S.getInt(2) + S.getInt(3), 60);
  EXPECT_EQ(S.getIntRef(-3), -1);  // the scratch slot is reset on every bad index

  EXPECT_EQ(S.setInt(7, 1), 0);
  EXPECT_EQ(S.setInt(7, 1, 1, 9), 1);
  EXPECT_EQ(S.count, 8);
  EXPECT_EQ(S.getInt(5), 9);
  EXPECT_EQ(S.setInt(-1, 1, 1, 0), 0);

  IntStore Sorted;
  for (int V : {5, 1, 4, 2, 3}) {
    Sorted.addInt(V, [](int A, int B) { return A - B; });
  }
  for (int I = 0; I < 5; ++I) {
    EXPECT_EQ(Sorted.getInt(I), I + 1);
  }
  IntStore Copy;
  ASSERT_EQ(Copy.copyFrom(Sorted), 1);
  EXPECT_EQ(Copy.count, 5);
  EXPECT_EQ(Copy.getInt(4), 5);
}

TEST_F(PointerArrayManagerTest, GrowthSteps) {
  PointerArrayManager L;
  for (int I = 0; I < 10; ++I) {
    EXPECT_GE(L.addPointer(&Values[I]), 0);
  }
  EXPECT_EQ(L.settings.getInt(PAM_CAPACITY), 10);
  EXPECT_GE(L.addPointer(&Values[10]), 0);
  EXPECT_EQ(L.settings.getInt(PAM_CAPACITY), 20);
  while (L.getCount() < 101) {
    EXPECT_GE(L.addPointer(&Values[L.getCount()]), 0);
  }
  EXPECT_EQ(L.settings.getInt(PAM_CAPACITY), 110);
  PointerArrayManager G;
  ASSERT_EQ(G.growTo(101), 1);
  ASSERT_EQ(G.settings.getInt(PAM_CAPACITY), 110);
  PointerArrayManager H;
  EXPECT_EQ(H.growTo(95), PAM_DONE);
  EXPECT_EQ(H.growTo(101), PAM_DONE);  // from 100: the step only
  EXPECT_EQ(H.settings.getInt(PAM_CAPACITY), 110);
  EXPECT_EQ(H.growTo(111), PAM_DONE);  // from 110 (above 100): 120 + 100
  EXPECT_EQ(H.settings.getInt(PAM_CAPACITY), 220);
  for (int I = 101; I < 220; ++I) {
    EXPECT_EQ(H.getPointer(I), nullptr);
  }
}

TEST_F(PointerArrayManagerTest, GrowthFrom101SlotsAdds100) {
  PointerArrayManager L;
  L.settings.values[PAM_GROWTH] = 101;
  EXPECT_EQ(L.growTo(1), PAM_DONE);
  ASSERT_EQ(L.settings.getInt(PAM_CAPACITY), 101);
  L.settings.values[PAM_GROWTH] = 10;
  EXPECT_EQ(L.growTo(102), PAM_DONE);
  EXPECT_EQ(L.settings.getInt(PAM_CAPACITY), 211);
}

TEST_F(PointerArrayManagerTest, ListModeAddRemoveAndBadIndexes) {
  PointerArrayManager L(TPool::Free);
  EXPECT_EQ(L.settings.getInt(PAM_UNCHANGED), 1);
  for (int I = 0; I < 3; ++I) {
    EXPECT_EQ(L.addPointer(&Values[I]), I);
  }
  EXPECT_EQ(L.settings.getInt(PAM_UNCHANGED), 0);
  EXPECT_EQ(L.getPointer(3), nullptr);  // at the count
  EXPECT_EQ(L.getPointer(-1), nullptr);
  EXPECT_EQ(L.insertPointer(&Values[9], 4), -1);
  EXPECT_EQ(L.insertPointer(&Values[9], 3), 3);
  EXPECT_EQ(L.removePointer(3, 0), 1);

  EXPECT_EQ(L.removePointer(0, 1), 1);
  EXPECT_EQ(L.getCount(), 2);
  EXPECT_EQ(L.getPointer(0), &Values[1]);
  EXPECT_EQ(L.elements[2], nullptr);
  EXPECT_EQ(TPool::Freed, std::vector<int>{0});
  EXPECT_EQ(L.removePointer(2, 1), 0);

  TPool::Refuse = 1;
  EXPECT_EQ(L.removePointer(0, 1), 0);  // refused: nothing changes
  EXPECT_EQ(L.getCount(), 2);
  EXPECT_EQ(L.deletePointer(&Values[2], nullptr, 1), 1);
  EXPECT_EQ(L.deletePointer(&Values[200], nullptr, 1), 1);  // not found counts as done
  EXPECT_EQ(L.getCount(), 1);
}

TEST_F(PointerArrayManagerTest, SortedInsertAndSearch) {
  PointerArrayManager L;
  for (int V : {50, 10, 40, 20, 30}) {
    EXPECT_GE(L.addPointer(&Values[V], CompareInts), 0);
  }
  for (int I = 0; I < 5; ++I) {
    EXPECT_EQ(*static_cast<int*>(L.getPointer(I)), (I + 1) * 10);
  }
  int Twenty = 20;
  EXPECT_EQ(L.addPointer(&Twenty, CompareInts), 1);  // inserted before the equal element the search meets
  EXPECT_EQ(L.getPointer(1), &Twenty);
  int Missing = 25;
  EXPECT_EQ(L.findSortedPointer(&Missing, CompareInts), ZUB_NOT_FOUND);
  int Big = 99;
  EXPECT_EQ(L.findInsertIndex(&Big, CompareInts), 6);
  EXPECT_EQ(L.findSortedPointer(&Values[40], CompareInts), 4);
  EXPECT_EQ(L.addPointer(nullptr, CompareInts), -1);
}

TEST_F(PointerArrayManagerTest, IndexedMode) {
  PointerArrayManager L(TPool::Free);
  EXPECT_EQ(L.setPointer(&Values[5], 5, 1, 1, 0), 1);
  EXPECT_EQ(L.settings.getInt(PAM_INDEXED), 1);
  EXPECT_EQ(L.getCount(), 10);
  EXPECT_EQ(L.getPointer(9), nullptr);  // any index below the capacity is answered
  EXPECT_EQ(L.getPointer(5), &Values[5]);
  EXPECT_EQ(L.addPointer(&Values[1]), -1);
  EXPECT_EQ(L.removePointer(5, 0), 0);
  EXPECT_EQ(L.setPointer(&Values[1], 20, 0, 0, 0), 0);
  EXPECT_EQ(L.setPointer(&Values[1], -1, 0, 1, 0), 0);

  EXPECT_EQ(L.addPointerEx(&Values[0], 1), 0);  // first empty slot
  for (int I = 1; I < 10; ++I) {
    EXPECT_EQ(L.setPointer(&Values[I], I, 1, 0, 1), PAM_DONE);
  }
  EXPECT_EQ(TPool::Freed, std::vector<int>{});  // storing the element already there frees nothing
  EXPECT_EQ(L.addPointerEx(&Values[10], 1), 10);  // full: at the old capacity, grown
  EXPECT_EQ(L.getCount(), 20);
  EXPECT_EQ(L.addPointerEx(&Values[11], 0), -1);
  EXPECT_EQ(L.setPointer(&Values[12], 3, 1, 0, 1), 1);
  EXPECT_EQ(TPool::Freed, std::vector<int>{3});

  EXPECT_EQ(L.setPointer(nullptr, 4, 0, 0, 1), PAM_DONE);
  EXPECT_EQ(L.findEmptySlot(1), 4);
  EXPECT_EQ(L.packPointers(1), 1);
  EXPECT_EQ(L.settings.getInt(PAM_INDEXED), 0);
  EXPECT_EQ(L.getCount(), 10);
  EXPECT_EQ(L.getPointer(4), &Values[5]);
}

TEST_F(PointerArrayManagerTest, RemovePointersFromStopsAtARefusal) {
  PointerArrayManager L(TPool::Free);
  for (int I = 0; I < 5; ++I) {
    EXPECT_GE(L.addPointer(&Values[I]), 0);
  }
  EXPECT_EQ(L.removePointersFrom(3, 0), 0);  // flag 1 required
  EXPECT_EQ(L.removePointersFrom(5, 1), 0);
  EXPECT_EQ(L.removePointersFrom(-1, 1), 0);
  TPool::Refuse = 2;
  EXPECT_EQ(L.removePointersFrom(1, 3), -1);
  EXPECT_EQ(TPool::Freed, (std::vector<int>{4, 3}));
  EXPECT_EQ(L.getCount(), 3);
  EXPECT_EQ(L.removePointersFrom(1, 1), 2);  // without freeing
  EXPECT_EQ(L.getCount(), 1);
}

TEST_F(PointerArrayManagerTest, ClearingWithAndWithoutRelease) {
  PointerArrayManager L(TPool::Free);
  for (int I = 0; I < 3; ++I) {
    EXPECT_GE(L.addPointer(&Values[I]), 0);
  }
  L.setTag(7, 3);
  ASSERT_NE(L.tags, nullptr);
  TPool::Refuse = 1;
  EXPECT_EQ(L.removeAllPointers(0, 1), 1);
  EXPECT_EQ(L.tags, nullptr);
  EXPECT_EQ(L.getCount(), 1);
  EXPECT_EQ(L.getPointer(0), &Values[1]);
  EXPECT_EQ(L.settings.getInt(PAM_CURSOR), -1);

  EXPECT_EQ(L.removeAllPointers(1, 0), 0);  // the refusal is reported; the array goes anyway
  EXPECT_EQ(L.settings.getInt(PAM_CAPACITY), 0);
  EXPECT_EQ(L.elements, nullptr);

  EXPECT_EQ(L.setUnchanged(1), 0);
  EXPECT_EQ(L.setUnchanged(1), 1);
  L.changeSetting(PAM_COUNT, 5, 1);  // no slots: the count stays within the capacity
  EXPECT_EQ(L.getCount(), 0);
}

TEST(PointerArrayManager, OwnsHeapStringsThroughTheCallback) {
  // Run under a leak checker this shows the destructor releasing the strings.
  PointerArrayManager L(FreeStrStore);
  for (int I = 0; I < 150; ++I) {
    ASSERT_GE(L.addPointer(new StrStore("entry")), 0);
  }
  EXPECT_EQ(L.removePointer(0, 1), 1);
  EXPECT_EQ(L.getCount(), 149);
}

}  // namespace
