// Keyed sorted lists.
#include "suitebase/Keyedlists.h"

#include "suitebase/Dcmethod.h"
#include "suitebase/Zizudo.h"

namespace Vivaridiriz {

Z_IMPLEMENT_CLASS(TSortedCustomData, TObject)
Z_IMPLEMENT_CLASS(TSortedListData, TSortedCustomData)
Z_IMPLEMENT_CLASS(TSortedKeyList, Videroriz::TSortedList)
Z_IMPLEMENT_CLASS(TSortedKeyDataList, TSortedKeyList)
Z_IMPLEMENT_CLASS(TSortedCompKeyList, TSortedKeyDataList)

Integer TSortedKeyList::CompareWithKey(Pointer Item, Pointer Key) { return ComparePointers(KeyByItem(Item), Key); }

Integer TSortedKeyList::Compare(Pointer Item1, Pointer Item2) {
  return ComparePointers(KeyByItem(Item1), KeyByItem(Item2));
}

Pointer TSortedKeyList::KeyByItem(Pointer Item) { return Item; }

TSortedKeyDataList::TSortedKeyDataList(TClass ARecordClass)
    : FRecordClass(ARecordClass != nullptr ? ARecordClass : TSortedCustomData::StaticClass()) {}

TSortedKeyDataList::~TSortedKeyDataList() {
  for (Integer I = Count() - 1; I >= 0; --I) {
    delete static_cast<TSortedCustomData*>(Get(I));
  }
  Clear();
}

void TSortedKeyDataList::Delete(Integer Index) {
  auto* Rec = static_cast<TSortedCustomData*>(Get(Index));
  TSortedKeyList::Delete(Index);
  delete Rec;
}

Pointer TSortedKeyDataList::KeyByItem(Pointer Item) { return static_cast<TSortedCustomData*>(Item)->Key; }

NativeInt TSortedKeyDataList::ItemByKey(Pointer Key) {
  if (!FRecordClass->InheritsFrom(TSortedListData::StaticClass())) {
    return 0;
  }
  auto* Rec = static_cast<TSortedListData*>(TSortedKeyList::ItemByKey(Key));
  return Rec != nullptr ? Rec->Data : 0;
}

TSortedCustomData* TSortedKeyDataList::Add(Pointer Key) {
  TObject* Made = FRecordClass->NewInstance(static_cast<TObject*>(Key));
  auto* Rec = dynamic_cast<TSortedCustomData*>(Made);
  if (Rec == nullptr) {
    delete Made;
    throw Exception(Format("Class %s cannot hold keyed records", {FRecordClass->ClassName()}));
  }
  Rec->Key = Key;
  Integer Index = -1;
  try {
    Index = TSortedKeyList::Add(Rec);
  } catch (...) {
    delete Rec;
    throw;
  }
  // A key already held (duplicates ignored) keeps its record; the new one is not needed.
  auto* Held = static_cast<TSortedCustomData*>(Get(Index));
  if (Held != Rec) {
    delete Rec;
  }
  return Held;
}

TSortedCompKeyList::TSortedCompKeyList(TClass ARecordClass) : TSortedKeyDataList(ARecordClass) {}

TSortedCompKeyList::~TSortedCompKeyList() {
  while (Count() > 0) {
    Delete(Count() - 1);
  }
}

void TSortedCompKeyList::Delete(Integer Index) {
  auto* Rec = static_cast<TSortedCustomData*>(Get(Index));
  Zizudo::dcRemoveFreeNotification(static_cast<TObject*>(Rec->Key),
                                   Zizudo::TFreeNotifyProc::Of<&TSortedCompKeyList::Notification>(this));
  TSortedKeyDataList::Delete(Index);
}

TSortedCustomData* TSortedCompKeyList::Add(Pointer Key) {
  const Integer Before = Count();
  TSortedCustomData* Rec = TSortedKeyDataList::Add(Key);
  if (Count() != Before) {
    Zizudo::dcAddFreeNotification(static_cast<TObject*>(Key),
                                  Zizudo::TFreeNotifyProc::Of<&TSortedCompKeyList::Notification>(this));
  }
  return Rec;
}

void TSortedCompKeyList::Notification(void* Obj) {
  // The key's registration went with its release, and the key may already be gone: only the record goes.
  for (Integer Index = IndexOfKey(Obj); Index >= 0; Index = IndexOfKey(Obj)) {
    TSortedKeyDataList::Delete(Index);
  }
}

}  // namespace Vivaridiriz
