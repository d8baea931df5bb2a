// Tests of TList and TThreadList: growth, errors naming the index, notifications, ordering operations.
#include "platform/classes/Lists.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Pointer P(NativeInt N) {
  return reinterpret_cast<Pointer>(N);
}

std::vector<NativeInt> Items(const TList& L) {
  std::vector<NativeInt> Result;
  for (Integer I = 0; I < L.Count(); ++I) {
    Result.push_back(reinterpret_cast<NativeInt>(L[I]));
  }
  return Result;
}

template <class F> std::string ErrorOf(F&& Fn) {
  try {
    Fn();
  } catch (const EListError& E) {
    return E.Message();
  }
  return "no EListError";
}

TEST(ListTest, CapacityGrowsByFourThenSixteenThenAQuarter) {
  TList L;
  std::vector<Integer> Seen;
  for (int I = 0; I < 80; ++I) {
    L.Add(P(I + 1));
    if (Seen.empty() || Seen.back() != L.Capacity()) {
      Seen.push_back(L.Capacity());
    }
  }
  EXPECT_EQ(Seen, (std::vector<Integer>{4, 8, 12, 28, 44, 60, 76, 95}));
  EXPECT_EQ(L.Count(), 80);
}

TEST(ListTest, BadIndexesRaiseEListErrorNamingTheValue) {
  TList L;
  L.Add(P(1));
  L.Add(P(2));
  EXPECT_EQ(ErrorOf([&] { L.Items(2); }), "List index out of bounds (2)");
  EXPECT_EQ(ErrorOf([&] { L.Items(-1); }), "List index out of bounds (-1)");
  EXPECT_EQ(ErrorOf([&] { L.Insert(3, P(9)); }), "List index out of bounds (3)");
  EXPECT_EQ(ErrorOf([&] { L.Delete(5); }), "List index out of bounds (5)");
  EXPECT_EQ(ErrorOf([&] { L.Exchange(0, 7); }), "List index out of bounds (7)");
  EXPECT_EQ(ErrorOf([&] { L.Move(0, 2); }), "List index out of bounds (2)");
  EXPECT_EQ(ErrorOf([&] { L.SetCapacity(1); }), "List capacity out of bounds (1)");
  EXPECT_EQ(ErrorOf([&] { L.SetCount(-3); }), "List count out of bounds (-3)");
  EXPECT_EQ(ErrorOf([] { TList E; E.First(); }), "List index out of bounds (0)");
  EXPECT_EQ(Items(L), (std::vector<NativeInt>{1, 2}));  // nothing lost on the way
}

TEST(ListTest, OrderingOperations) {
  TList L;
  for (NativeInt V : {5, 3, 9, 1}) {
    L.Add(P(V));
  }
  L.Insert(0, P(7));
  EXPECT_EQ(Items(L), (std::vector<NativeInt>{7, 5, 3, 9, 1}));
  L.Move(0, 4);
  EXPECT_EQ(Items(L), (std::vector<NativeInt>{5, 3, 9, 1, 7}));
  L.Exchange(0, 1);
  EXPECT_EQ(Items(L), (std::vector<NativeInt>{3, 5, 9, 1, 7}));
  EXPECT_EQ(L.Remove(P(9)), 2);
  EXPECT_EQ(L.Remove(P(42)), -1);
  L.Sort([](Pointer A, Pointer B) {
    return static_cast<int>(reinterpret_cast<NativeInt>(A) - reinterpret_cast<NativeInt>(B));
  });
  EXPECT_EQ(Items(L), (std::vector<NativeInt>{1, 3, 5, 7}));
  EXPECT_EQ(L.First(), P(1));
  EXPECT_EQ(L.Last(), P(7));
  EXPECT_EQ(L.IndexOf(P(5)), 2);

  L.SetCount(6);  // new slots are null
  EXPECT_EQ(Items(L), (std::vector<NativeInt>{1, 3, 5, 7, 0, 0}));
  L.SetItems(1, nullptr);
  L.Pack();
  EXPECT_EQ(Items(L), (std::vector<NativeInt>{1, 5, 7}));
  L.Clear();
  EXPECT_EQ(L.Count(), 0);
  EXPECT_EQ(L.Capacity(), 0);
}

class TRecordingList : public TList {
public:
  explicit TRecordingList(std::string* ALog) : FLog(ALog) {}

protected:
  void Notify(Pointer Ptr, TListNotification Action) override {
    static const char* Names[] = {"added", "extracted", "deleted"};
    *FLog += std::to_string(reinterpret_cast<NativeInt>(Ptr)) + " " + Names[Action] + ";";
  }

private:
  std::string* FLog;
};

TEST(ListTest, NotifyReportsAddExtractDeleteButNotMovesOrNulls) {
  std::string Log;
  auto* L = new TRecordingList(&Log);
  L->Add(P(1));
  L->Add(nullptr);
  L->Insert(0, P(2));
  L->Move(0, 2);
  L->Exchange(0, 1);
  EXPECT_EQ(Log, "1 added;2 added;");
  Log.clear();
  EXPECT_EQ(L->Extract(P(1)), P(1));
  EXPECT_EQ(L->Extract(P(99)), nullptr);
  L->SetItems(1, P(3));  // replaces 2
  EXPECT_EQ(Log, "1 extracted;2 deleted;3 added;");
  Log.clear();
  L->Add(P(4));
  Log.clear();
  delete L;  // freeing the list reports every remaining item as deleted
  EXPECT_EQ(Log, "4 deleted;3 deleted;");
}

TEST(ThreadListTest, DuplicatesAreIgnoredAcceptedOrRejected) {
  TThreadList T;
  T.Add(P(1));
  T.Add(P(1));
  EXPECT_EQ(T.LockList()->Count(), 1);
  T.UnlockList();

  T.SetDuplicates(dupAccept);
  T.Add(P(1));
  EXPECT_EQ(T.LockList()->Count(), 2);
  T.UnlockList();

  T.SetDuplicates(dupError);
  EXPECT_EQ(ErrorOf([&] { T.Add(P(0x1F)); T.Add(P(0x1F)); }), "List does not allow duplicates ($01F)");
  T.Remove(P(1));
  TList* L = T.LockList();  // the lock is re-entrant and released by the failed Add
  EXPECT_EQ(L->Count(), 2);
  T.UnlockList();
}

}  // namespace
