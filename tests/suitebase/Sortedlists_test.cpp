// Sorted pointer lists: duplicate modes, searches, re-sorting and the nearest search.
#include "suitebase/Sortedlists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <thread>
#include <vector>

using Videroriz::TSortedList;
using Vivaridiriz::TSortedListEx;

namespace {
Pointer P(NativeInt V) { return reinterpret_cast<Pointer>(V); }
NativeInt V(Pointer Item) { return reinterpret_cast<NativeInt>(Item); }

// Items are small records ordered by their first field, so that equal items can be different pointers.
struct TRec {
  int Key;
  int Tag;
};
class TRecList : public TSortedListEx {
public:
  Integer Compare(Pointer A, Pointer B) override {
    return CompareValues(static_cast<TRec*>(A)->Key, static_cast<TRec*>(B)->Key);
  }
  Integer CompareWithKey(Pointer Item, Pointer Key) override {
    return CompareValues(static_cast<TRec*>(Item)->Key, static_cast<int>(V(Key)));
  }
};

std::vector<int> Tags(TRecList& L) {
  std::vector<int> R;
  for (Integer I = 0; I < L.Count(); ++I) {
    R.push_back(static_cast<TRec*>(L[I])->Tag);
  }
  return R;
}
}  // namespace

struct TNearestCase {
  const char* Name;
  std::vector<NativeInt> Items;
  NativeInt Searched;
  bool Found;
  Integer Index;
};

class FindNearestTest : public ::testing::TestWithParam<TNearestCase> {};

TEST_P(FindNearestTest, GivesTheLowerEndOfTheLastBracket) {
  const TNearestCase& C = GetParam();
  TSortedListEx L;
  for (NativeInt Item : C.Items) {
    (void)L.Add(P(Item));
  }
  Integer Index = -7;
  EXPECT_EQ(L.FindNearest(P(C.Searched), Index), C.Found);
  EXPECT_EQ(Index, C.Index);
}

INSTANTIATE_TEST_SUITE_P(Cases, FindNearestTest,
                         ::testing::Values(TNearestCase{"Equal", {10, 20, 30}, 20, true, 1},
                                           TNearestCase{"Between", {10, 20, 30}, 25, false, 1},
                                           TNearestCase{"BeforeAll", {10, 20, 30}, 5, false, 0},
                                           TNearestCase{"AfterAll", {10, 20, 30}, 35, false, 1},
                                           TNearestCase{"OneItem", {10}, 35, false, 0},
                                           TNearestCase{"Empty", {}, 20, false, 0}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST(SortedList, DuplicateModesDecideWhatAddDoesWithAnEqualItem) {
  TRec A{5, 1}, B{7, 2}, Dup{5, 3};
  for (Byte Mode : {Videroriz::dmIgnore, Videroriz::dmAccept, Videroriz::dmError}) {
    SCOPED_TRACE(static_cast<int>(Mode));
    TRecList L;
    L.SetDuplicateMode(Mode);
    (void)L.Add(&B);
    (void)L.Add(&A);
    if (Mode == Videroriz::dmError) {
      try {
        (void)L.Add(&Dup);
        FAIL() << "no exception";
      } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), "Can't insert duplicate item");
      }
      EXPECT_EQ(Tags(L), (std::vector<int>{1, 2}));
    } else if (Mode == Videroriz::dmIgnore) {
      EXPECT_EQ(L.Add(&Dup), 0);
      EXPECT_EQ(Tags(L), (std::vector<int>{1, 2}));
    } else {
      EXPECT_EQ(L.Add(&Dup), 0);
      EXPECT_EQ(Tags(L), (std::vector<int>{3, 1, 2}));  // before every equal item
    }
  }
}

TEST(SortedList, SortedInsertIgnoresTheIndexAndUnsortedInsertChecksIt) {
  TSortedList L;
  (void)L.Add(P(10));
  (void)L.Add(P(30));
  L.Insert(0, P(20));
  EXPECT_EQ(V(L[1]), 20);
  L.SetSorted(false);
  L.Insert(0, P(40));
  EXPECT_EQ(V(L[0]), 40);
  EXPECT_THROW(L.Insert(9, P(1)), EListError);
  EXPECT_EQ(L.Count(), 4);
  EXPECT_THROW((void)L.Get(4), EListError);
}

TEST(SortedList, SortedSearchesMatchEqualItemsAndUnsortedOnlyTheSamePointer) {
  TRec A{5, 1}, B{9, 2}, Other{5, 3};
  TRecList L;
  (void)L.Add(&A);
  (void)L.Add(&B);
  EXPECT_EQ(L.IndexOf(&Other), 0);
  EXPECT_EQ(L.IndexOfKey(P(9)), 1);
  EXPECT_EQ(L.ItemByKey(P(6)), nullptr);
  L.SetSorted(false);
  EXPECT_EQ(L.IndexOf(&Other), -1);
  (void)L.Add(&Other);
  EXPECT_EQ(L.IndexOfKey(P(5)), 0);  // the first from the start
}

TEST(SortedList, RemoveAllDeletesEveryEqualItemOneDeleteEach) {
  struct TCounting : TRecList {
    int Deletes = 0;
    void Delete(Integer Index) override {
      ++Deletes;
      TRecList::Delete(Index);
    }
  } L;
  L.SetDuplicateMode(Videroriz::dmAccept);
  TRec A{5, 1}, B{5, 2}, C{6, 3}, D{5, 4};
  for (TRec* R : {&A, &B, &C, &D}) {
    (void)L.Add(R);
  }
  L.RemoveAll(&A);
  EXPECT_EQ(Tags(L), (std::vector<int>{3}));
  EXPECT_EQ(L.Deletes, 3);
  EXPECT_EQ(L.Remove(&A), -1);
}

TEST(SortedList, SortedOffAndOnKeepsAnOrderedListAndSortsAShuffledOne) {
  TRecList L;
  L.SetDuplicateMode(Videroriz::dmAccept);
  TRec Recs[] = {{1, 1}, {2, 2}, {2, 3}, {3, 4}};
  for (TRec& R : Recs) {
    (void)L.Add(&R);
  }
  const std::vector<int> Before = Tags(L);
  L.SetSorted(false);
  L.SetSorted(true);
  EXPECT_EQ(Tags(L), Before);

  L.SetSorted(false);
  L.Clear();
  for (int I = 3; I >= 0; --I) {
    (void)L.Add(&Recs[I]);
  }
  L.SetSorted(true);
  EXPECT_EQ(static_cast<TRec*>(L[0])->Key, 1);
  EXPECT_EQ(static_cast<TRec*>(L[3])->Key, 3);
}

TEST(SortedList, DefaultOrderComparesWholeAddressesNotTruncatedDifferences) {
  // Keys 2^31 apart: a signed 32-bit difference would put them in the wrong order.
  TSortedList L;
  const NativeInt Low = 0x10;
  const NativeInt High = Low + (NativeInt{1} << 31);
  const NativeInt Higher = NativeInt{1} << 40;
  (void)L.Add(P(Higher));
  (void)L.Add(P(High));
  (void)L.Add(P(Low));
  EXPECT_EQ(V(L[0]), Low);
  EXPECT_EQ(V(L[1]), High);
  EXPECT_EQ(V(L[2]), Higher);
  EXPECT_EQ(L.IndexOf(P(High)), 1);
}

TEST(SortedList, TwoThreadsResortTheirOwnListsAtOnce) {
  auto Work = [](unsigned Seed, bool& Ok) {
    std::mt19937 Rng(Seed);
    std::vector<NativeInt> Values(20000);
    for (auto& X : Values) {
      X = static_cast<NativeInt>(Rng() % 100000) + 1;
    }
    TSortedList L;
    L.SetSorted(false);
    for (NativeInt X : Values) {
      (void)L.Add(P(X));
    }
    L.SetSorted(true);
    std::sort(Values.begin(), Values.end());
    Ok = true;
    for (Integer I = 0; I < L.Count(); ++I) {
      Ok = Ok && V(L[I]) == Values[static_cast<std::size_t>(I)];
    }
  };
  bool Ok1 = false, Ok2 = false;
  std::thread T1(Work, 1u, std::ref(Ok1));
  std::thread T2(Work, 2u, std::ref(Ok2));
  T1.join();
  T2.join();
  EXPECT_TRUE(Ok1);
  EXPECT_TRUE(Ok2);
}

TEST(WriteMemory, WritesIntoThisProcessAndReportsAnUnmappedAddress) {
  char Buffer[4] = {'a', 'b', 'c', 'd'};
  const char New[2] = {'x', 'y'};
  EXPECT_TRUE(Videroriz::WriteMemory(Buffer + 1, New, 2));
  EXPECT_EQ(std::string(Buffer, 4), "axyd");
  EXPECT_FALSE(Videroriz::WriteMemory(reinterpret_cast<void*>(0x10), New, 2));
}
