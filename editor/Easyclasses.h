// The editor component's containers: a sorted pointer list, a list of inline fixed-size records, a list of
// notification methods, a sorted string list searched by buffer prefix and a name=value text file.
#pragma once

#include "editor/Easyconsts.h"
#include "editor/Easymethod.h"
#include "platform/classes/Lists.h"
#include "platform/classes/Component.h"
#include "platform/classes/Persistent.h"
#include "platform/rtl/System.h"

#include <string>
#include <string_view>
#include <vector>

// A pointer list kept sorted by a pluggable comparison. Subclasses compare items (Compare) and items
// with keys (CompareByKey); the base compares the pointer values as 32-bit numbers.
class TEasySortedList : public TList {
  Z_CLASS(TEasySortedList, TList)
public:
  TEasySortedList() = default;
  using TList::Get;
  using TList::Put;

  // Sorted: the insertion index; an equal item present is returned (ignore), raises (error) or is
  // preceded by the new one (accept). Unsorted: appends.
  int Add(void* Item);
  bool Find(void* Item, int& Index);
  bool FindByKey(NativeInt Key, int& Index);
  bool FindNearest(void* Item, int& Index);
  void Insert(int Index, void* Item);  // sorted lists ignore the index
  int Remove(void* Item);              // the former index or -1
  int IndexOfKey(NativeInt Key);
  void Clear() override;
  void Sort();
  void SetSorted(bool Value);
  bool GetSorted() const { return Sorted; }
  void QuickSort(int L, int R);

  TDuplicates Duplicates = dupIgnore;
  int LastFound = -1;
  int LastProbe = 0;

protected:
  virtual int CompareByKey(void* Item, NativeInt Key);
  virtual int Compare(void* Item1, void* Item2);

private:
  bool Sorted = true;
};

// Fixed-size records stored inline in one block. Grows by 4 records below a capacity of 9, by 16 up to 64
// and by a quarter above.
class TEasyRecordList : public TObject {
  Z_CLASS(TEasyRecordList, TObject)
public:
  explicit TEasyRecordList(int ARecordSize);
  TEasyRecordList(const TEasyRecordList&) = delete;
  TEasyRecordList& operator=(const TEasyRecordList&) = delete;
  ~TEasyRecordList() override;

  int Add(const void* Record);  // copies RecordSize bytes, zeros for null; returns the index
  void* Get(int Index) const;   // raises for an index outside 0..Count-1
  void Delete(int Index);
  virtual void Clear();
  void SetCapacity(int N);
  void SetCount(int N) { FCount = N; }
  int Count() const { return FCount; }
  int Capacity() const { return FCapacity; }
  int RecordSize() const { return FRecordSize; }

protected:
  virtual void Grow();
  [[noreturn]] virtual void Error(int Index) const;

private:
  int FCount = 0;
  int FCapacity = 0;
  int FRecordSize;
  unsigned char* FBlock = nullptr;
};

// One registration of a notifier list.
class TEasyNotifierListItem : public TCollectionItem {
  Z_CLASS(TEasyNotifierListItem, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  TEasyNotifyMethod Method;
};

// The registered observers of a source or a parser, called in order of registration.
class TEasyNotifierList : public TCollection {
  Z_CLASS(TEasyNotifierList, TCollection)
public:
  TEasyNotifierList();
  TEasyNotifierList(const TEasyNotifierList&) = delete;
  TEasyNotifierList& operator=(const TEasyNotifierList&) = delete;

  void AddItem(const TEasyNotifyMethod& Method);     // an identical registration moves to the end
  void DeleteItem(const TEasyNotifyMethod& Method);  // removes the first identical registration
  // Calls every method with (Sender, Data). Registrations removed meanwhile are not called.
  void SendNotification(TObject* Sender, NativeInt Data);
  // Tells every registered component (last registration first) that Component is going away.
  void BeforeDestroy(class TComponent* Component);
};

TEasyNotifierList* CreateNotifierList();

class TStream;

// Lets an object that is not a component be written and read by component streaming: its published properties
// appear under the name P, a dot and their own names. P is not owned.
class TEasyHolder : public TComponent {
  Z_CLASS(TEasyHolder, TComponent)
public:
  explicit TEasyHolder(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
  static void Publish(TMetaClass& Meta);
  TPersistent* P() const { return FP; }
  void SetP(TPersistent* Value) { FP = Value; }

private:
  TPersistent* FP = nullptr;
};

// Component streaming of any persistent object: a component directly, anything else through a holder.
void WritePersistentToStream(TStream* Stream, TPersistent* Object);
void ReadPersistentFromStream(TStream* Stream, TPersistent* Object);
