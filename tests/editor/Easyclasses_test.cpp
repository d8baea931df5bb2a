// Tests of the component's containers.
#include "editor/Easyclasses.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
void* Item(NativeInt V) { return reinterpret_cast<void*>(V); }
}  // namespace

TEST(EasyClasses, SortedListHandlesDuplicatesByMode) {
  TEasySortedList L;
  for (NativeInt V : {5, 1, 9, 3}) {
    L.Add(Item(V));
  }
  EXPECT_EQ(L.Add(Item(3)), 1);
  EXPECT_EQ(L.Count(), 4);
  int Index = -1;
  EXPECT_TRUE(L.Find(Item(9), Index));
  EXPECT_EQ(Index, 3);
  EXPECT_FALSE(L.Find(Item(4), Index));
  EXPECT_EQ(Index, 2);
  L.Duplicates = dupAccept;
  EXPECT_EQ(L.Add(Item(3)), 1);
  EXPECT_EQ(L.Count(), 5);
  L.Duplicates = dupError;
  EXPECT_THROW(L.Add(Item(5)), EListError);
  EXPECT_EQ(L.IndexOfKey(9), 4);
  EXPECT_EQ(L.IndexOfKey(7), -1);
}

TEST(EasyClasses, RecordListStoresRecordsInline) {
  TEasyRecordList L(8);
  const char Data[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  L.Add(Data);
  L.Add(nullptr);
  EXPECT_EQ(std::memcmp(L.Get(0), Data, 8), 0);
  const char Zero[8] = {};
  EXPECT_EQ(std::memcmp(L.Get(1), Zero, 8), 0);
  EXPECT_EQ(L.Capacity(), 4);
  for (int I = 0; I < 10; ++I) {
    L.Add(nullptr);
  }
  EXPECT_EQ(L.Capacity(), 12);  // 4 at a time below 9
  L.Add(nullptr);
  EXPECT_EQ(L.Capacity(), 28);  // then 16 at a time
  try {
    L.Get(13);
    ADD_FAILURE();
  } catch (const EListError& E) {
    EXPECT_EQ(E.Message(), "List Index out of bounds Index: 13");
  }
  L.Delete(0);
  EXPECT_EQ(L.Count(), 12);
  L.Clear();
  EXPECT_EQ(L.Capacity(), 0);
}

TEST(EasyClasses, NotifierCallsEachRegistrationOnceInOrder) {
  struct TObserver {
    std::vector<int>* Log;
    int Id;
    void Changed(TObject*, NativeInt) { Log->push_back(Id); }
  };
  std::vector<int> Log;
  TObserver A{&Log, 1};
  TObserver B{&Log, 2};
  TEasyNotifierList N;
  N.AddItem(TEasyNotifyMethod(&A, &TObserver::Changed));
  N.AddItem(TEasyNotifyMethod(&B, &TObserver::Changed));
  N.AddItem(TEasyNotifyMethod(&A, &TObserver::Changed));  // moves to the end
  N.SendNotification(nullptr, 0);
  EXPECT_EQ(Log, (std::vector<int>{2, 1}));
  N.DeleteItem(TEasyNotifyMethod(&B, &TObserver::Changed));
  Log.clear();
  N.SendNotification(nullptr, 0);
  EXPECT_EQ(Log, std::vector<int>{1});
}
