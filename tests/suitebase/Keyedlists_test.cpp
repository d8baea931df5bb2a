// Keyed sorted lists and the list that drops entries whose key object is released.
#include "suitebase/Keyedlists.h"

#include "suitebase/Zizudo.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

using namespace Vivaridiriz;

TEST(SortedKeyDataList, ItemByKeyGivesDataOnlyForDataRecords) {
  TSortedKeyDataList Plain(TSortedCustomData::StaticClass());
  (void)Plain.Add(reinterpret_cast<Pointer>(5));
  EXPECT_EQ(Plain.ItemByKey(reinterpret_cast<Pointer>(5)), 0);

  TSortedKeyDataList Data(TSortedListData::StaticClass());
  for (NativeInt Key : {30, 10, 20}) {
    static_cast<TSortedListData*>(Data.Add(reinterpret_cast<Pointer>(Key)))->Data = Key * 2;
  }
  EXPECT_EQ(Data.ItemByKey(reinterpret_cast<Pointer>(20)), 40);
  EXPECT_EQ(Data.ItemByKey(reinterpret_cast<Pointer>(25)), 0);
  EXPECT_EQ(static_cast<TSortedCustomData*>(Data[0])->Key, reinterpret_cast<Pointer>(10));
  // The same key again keeps its record.
  TSortedCustomData* Again = Data.Add(reinterpret_cast<Pointer>(20));
  EXPECT_EQ(static_cast<TSortedListData*>(Again)->Data, 40);
  EXPECT_EQ(Data.Count(), 3);
}

TEST(SortedCompKeyList, AReleasedKeyTakesItsEntryAndTheListLeavesNoRegistration) {
  auto* List = new TSortedCompKeyList(TSortedListData::StaticClass());
  auto* K1 = new TObject();
  auto* K2 = new TObject();
  auto* K3 = new TComponent(nullptr);
  (void)List->Add(K1);
  (void)List->Add(K2);
  (void)List->Add(K3);
  EXPECT_EQ(Zizudo::GlobalNotifierCount(), 2);
  delete K1;
  EXPECT_EQ(List->Count(), 2);
  EXPECT_EQ(List->IndexOfKey(K1), -1);
  delete K3;  // a component key goes through the component store
  EXPECT_EQ(List->Count(), 1);
  EXPECT_EQ(Zizudo::NotifierStorage(), nullptr);
  delete List;
  EXPECT_EQ(Zizudo::GlobalNotifierCount(), 0);
  delete K2;
}
