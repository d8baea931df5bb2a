// Small containers and one-line routines used throughout the suite: record lists, method lists, stacks, the
// lock object, linked components, the index quicksort and the free/copy/compare helpers.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/rtl/Variants.h"
#include "suitebase/Dcmethod.h"
#include "suitebase/Sortedlists.h"

#include <mutex>
#include <string>

namespace Vivaridiriz {

inline constexpr const char* SStackEmpty = "Stack is empty";

// A growable array of fixed-size raw records in one block. Records are plain bytes: the list never
// initialises or finalises their contents.
class TRecordList : public TInterfacedObject {
public:
  static TClass StaticClass();
  TClass ClassType() const override { return StaticClass(); }
  explicit TRecordList(Integer ARecordSize);
  ~TRecordList() override;
  TRecordList(const TRecordList&) = delete;
  TRecordList& operator=(const TRecordList&) = delete;

  // The address of record Index; Index may be Count (the next free record). EListError otherwise.
  Pointer Get(Integer Index) const;
  Integer Add(const void* Source);  // copies RecordSize bytes, or zero-fills when Source is null
  void Delete(Integer Index);
  void Grow(Integer Index);  // Capacity := max(Index, max(2 * Capacity, 32)) when Index >= Capacity
  void SetCapacity(Integer N);
  void SetCount(Integer N);
  void Clear();
  // Count as 32-bit little-endian, then Count * RecordSize bytes.
  void SaveToStream(TStream* Stream) const;
  // Reads a list written by SaveToStream with the same record size; Capacity becomes Count. A count the
  // stream cannot hold raises EReadError and leaves the list unchanged.
  void LoadFromStream(TStream* Stream);

  Integer RecordSize() const { return FRecordSize; }
  Integer Count() const { return FCount; }
  Integer Capacity() const { return FCapacity; }
  Pointer Data() const { return FData; }

private:
  Integer FRecordSize;
  Integer FCount = 0;
  Integer FCapacity = 0;
  Byte* FData = nullptr;
};

// A list of method pointers, each held as its untyped record.
class TMethodList : public TObject {
  Z_CLASS(TMethodList, TObject)
public:
  TMethodList();
  ~TMethodList() override;
  TMethodList(const TMethodList&) = delete;
  TMethodList& operator=(const TMethodList&) = delete;

  void Add(const TDCMethodRec& Method);
  void Delete(Integer Index);
  void Clear();
  TDCMethodRec Get(Integer Index) const;
  void Remove(const TDCMethodRec& Method);  // the first equal entry; nothing when absent
  Integer GetCount() const { return FList->Count(); }
  Integer GetCapacity() const { return FList->Capacity(); }
  void SetCapacity(Integer N) { FList->SetCapacity(N); }

private:
  TRecordList* FList;
};

class TIntStack : public TList {
  Z_CLASS(TIntStack, TList)
public:
  TIntStack() = default;
  void Push(Integer Value);
  Integer Pop();  // "Stack is empty" when empty
  bool IsEmpty() const { return Count() == 0; }
};

// A stack of variants in blocks of 1024.
class TVariantStack : public TObject {
  Z_CLASS(TVariantStack, TObject)
public:
  static constexpr Integer BlockSize = 1024;
  TVariantStack();
  ~TVariantStack() override;
  TVariantStack(const TVariantStack&) = delete;
  TVariantStack& operator=(const TVariantStack&) = delete;

  void Push(const Variant& Value);
  void PushInt(Integer Value);
  void PopLast(Variant* Target);  // "Stack is empty" when empty
  Variant Pop();
  Variant* Items(Integer Index) const;  // null outside 0..Count-1
  void FillWithItems(Variant** Target, Integer Start, Integer N) const;
  void Collapse(Integer N);  // drops the top N; "Stack is empty" (and no change) when N > Count
  void Expand(Integer N);    // adds N slots: free slots of the top block stay empty, new blocks hold integer 3
  Integer Count() const { return FItemCount; }
  bool IsEmpty() const { return FItemCount == 0; }
  Integer BlockCount() const { return FBlockList->Count(); }

private:
  Variant* Block(Integer I) const { return static_cast<Variant*>(FBlockList->Items(I)); }
  void AddBlock(const Variant& Fill);
  void DropTopBlock();

  TList* FBlockList;
  Integer FItemCount = 0;
};

// A plain mutual-exclusion lock: readers exclude each other too.
class TMultiReadExclusiveWriteSynchronizer : public TObject {
  Z_CLASS(TMultiReadExclusiveWriteSynchronizer, TObject)
public:
  TMultiReadExclusiveWriteSynchronizer() = default;
  void BeginRead() { FLock.lock(); }
  void EndRead() { FLock.unlock(); }
  void BeginWrite() { FLock.lock(); }
  void EndWrite() { FLock.unlock(); }

private:
  std::recursive_mutex FLock;
};

using TNotifyProc = TDCMethod<void(TComponent* AComponent, TOperation Operation)>;

// Forwards the release of any linked object (not only components) as a component notification, by default
// to its owner's Notification. A released object that is no component is gone by the time it is reported, so
// it reaches only a handler set with SetOnLinkNotify (which may use it as a key), never a component's
// Notification, which would look into it.
class ZEZLinkedComponent : public TComponent {
  Z_CLASS(ZEZLinkedComponent, TComponent)
public:
  explicit ZEZLinkedComponent(TComponent* AOwner);
  ~ZEZLinkedComponent() override;
  TObject* Link() const { return FLink; }
  void SetLink(TObject* Obj);
  const std::function<void(TComponent*, TOperation)>& OnLinkNotify() const { return FOnLinkNotify; }
  void SetOnLinkNotify(std::function<void(TComponent*, TOperation)> Value) {
    FOnLinkNotify = std::move(Value);
    FOwnerForward = false;
  }
  void FreeNotifyProc(void* Obj);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TObject* FLink = nullptr;
  bool FLinkIsComponent = false;
  bool FOwnerForward = false;  // OnLinkNotify is the owner's Notification
  std::function<void(TComponent*, TOperation)> FOnLinkNotify;
};

using ZEZCompareCallBack = std::function<Integer(Integer AFirstItem, Integer ASecondItem)>;
using ZEZExchangeCallBack = std::function<void(Integer AOrigin, Integer ADestination)>;

// Sorts the abstract sequence L..R by index; never exchanges two items that compare equal.
void DCQuickSort(Integer L, Integer R, const ZEZCompareCallBack& Compare, const ZEZExchangeCallBack& Exchange);

// ---- one-line routines ----
[[noreturn]] void Error(const std::string& Msg);
[[noreturn]] void ErrorFmt(const std::string& Fmt, TVarRecList Args);
template <class T>
void FreeObject(T*& Ref) {
  FreeAndNil(Ref);
}
void FreePointer(Pointer& P);
void ClearList(TList* List);  // frees every item as an object
template <class T>
void FreeList(T*& Ref) {
  ClearList(Ref);
  FreeAndNil(Ref);
}
void ClearSortedList(Videroriz::TCustomSortedList* List);
template <class T>
void FreeSortedList(T*& Ref) {
  ClearSortedList(Ref);
  FreeAndNil(Ref);
}
void CopyList(TList* Source, TList* Dest);
void AppendList(TList* Source, TList* Dest);
Integer ListIndexOf(TList* List, Pointer Item);
// Allocates Size zero-filled bytes from the memory manager.
void GetMem0(Pointer& P, NativeInt Size);
inline Integer Min(Integer A, Integer B) { return A < B ? A : B; }
inline Integer Max(Integer A, Integer B) { return A > B ? A : B; }
void SwapInt(Integer& A, Integer& B);
void SwapMaxInt(Integer& A, Integer& B);  // afterwards A <= B
inline bool isMethodsEqual(const TDCMethodRec& M1, const TDCMethodRec& M2) { return M1 == M2; }
inline bool AreObjNotEqualNotNil(const TObject* A, const TObject* B) { return A != nullptr && B != nullptr && A != B; }
inline TClass GetVMT(const TObject* Obj) { return Obj->ClassType(); }
bool StrToBool(const std::string& S);
std::string BoolToStr(bool B);
inline std::string ResStr(const std::string& S) { return S; }

}  // namespace Vivaridiriz
