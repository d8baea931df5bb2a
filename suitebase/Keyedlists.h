// Sorted lists ordered by a key taken from each item: key lists, lists of owned key/data records, and the
// list that drops the entries whose key object is released.
#pragma once

#include "suitebase/Sortedlists.h"

namespace Vivaridiriz {

// One record of a TSortedKeyDataList; descendants add data. Made through the class's virtual constructor.
class TSortedCustomData : public TObject {
  Z_CLASS(TSortedCustomData, TObject)
public:
  // The key passes through the virtual constructor's argument; it need not be an object.
  using TConstructorArg = TObject*;
  explicit TSortedCustomData(TObject* AKey) : Key(AKey) {}
  Pointer Key;
};

class TSortedListData : public TSortedCustomData {
  Z_CLASS(TSortedListData, TSortedCustomData)
public:
  explicit TSortedListData(TObject* AKey) : TSortedCustomData(AKey) {}
  NativeInt Data = 0;
};

// Orders its items by KeyByItem (the item itself here), compared as whole values.
class TSortedKeyList : public Videroriz::TSortedList {
  Z_CLASS(TSortedKeyList, Videroriz::TSortedList)
public:
  TSortedKeyList() = default;
  Integer CompareWithKey(Pointer Item, Pointer Key) override;
  Integer Compare(Pointer Item1, Pointer Item2) override;
  virtual Pointer KeyByItem(Pointer Item);
};

// Owns records of RecordClass, one per key, sorted by key.
class TSortedKeyDataList : public TSortedKeyList {
  Z_CLASS(TSortedKeyDataList, TSortedKeyList)
public:
  explicit TSortedKeyDataList(TClass ARecordClass);
  ~TSortedKeyDataList() override;
  void Delete(Integer Index) override;  // frees the record
  Pointer KeyByItem(Pointer Item) override;
  // The Data of the key's record when the records are TSortedListData; 0 otherwise.
  virtual NativeInt ItemByKey(Pointer Key);
  // Creates a record for Key through RecordClass and puts it at its place.
  virtual TSortedCustomData* Add(Pointer Key);
  TClass RecordClass() const { return FRecordClass; }

private:
  TClass FRecordClass;
};

// Keys are objects the list watches: an entry goes when its key object is released.
class TSortedCompKeyList : public TSortedKeyDataList {
  Z_CLASS(TSortedCompKeyList, TSortedKeyDataList)
public:
  explicit TSortedCompKeyList(TClass ARecordClass);
  ~TSortedCompKeyList() override;
  void Delete(Integer Index) override;
  TSortedCustomData* Add(Pointer Key) override;
  void Notification(void* Obj);  // the release callback
};

}  // namespace Vivaridiriz
