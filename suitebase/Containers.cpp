// Record lists, method lists, stacks, linked components, the index quicksort and small routines.
#include "suitebase/Containers.h"

#include "suitebase/Zizudo.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace Vivaridiriz {

Z_IMPLEMENT_CLASS(TMethodList, TObject)
Z_IMPLEMENT_CLASS(TIntStack, TList)
Z_IMPLEMENT_CLASS(TVariantStack, TObject)
Z_IMPLEMENT_CLASS(TMultiReadExclusiveWriteSynchronizer, TObject)
Z_IMPLEMENT_CLASS(ZEZLinkedComponent, TComponent)

TClass TRecordList::StaticClass() {
  static const TMetaClass Meta("TRecordList", TInterfacedObject::StaticClass(), nullptr);
  return &Meta;
}

// ---- TRecordList ----

TRecordList::TRecordList(Integer ARecordSize) : FRecordSize(ARecordSize > 0 ? ARecordSize : 1) {}

TRecordList::~TRecordList() { Clear(); }

Pointer TRecordList::Get(Integer Index) const {
  if (Index < 0 || Index > FCount) {
    TList::Error(RtlConsts::SListIndexError, Index);
  }
  return FData + static_cast<std::ptrdiff_t>(Index) * FRecordSize;
}

Integer TRecordList::Add(const void* Source) {
  Grow(FCount);
  Byte* Dest = FData + static_cast<std::ptrdiff_t>(FCount) * FRecordSize;
  if (Source != nullptr) {
    std::memcpy(Dest, Source, static_cast<std::size_t>(FRecordSize));
  } else {
    std::memset(Dest, 0, static_cast<std::size_t>(FRecordSize));
  }
  return FCount++;
}

void TRecordList::Delete(Integer Index) {
  if (Index < 0 || Index >= FCount) {
    TList::Error(RtlConsts::SListIndexError, Index);
  }
  --FCount;
  if (Index < FCount) {
    Byte* At = FData + static_cast<std::ptrdiff_t>(Index) * FRecordSize;
    std::memmove(At, At + FRecordSize, static_cast<std::size_t>(FCount - Index) * FRecordSize);
  }
}

void TRecordList::Grow(Integer Index) {
  if (Index >= FCapacity) {
    const Integer Doubled =
        FCapacity > std::numeric_limits<Integer>::max() / 2 ? std::numeric_limits<Integer>::max() : 2 * FCapacity;
    SetCapacity(std::max(Index, std::max(Doubled, 32)));
  }
}

void TRecordList::SetCapacity(Integer N) {
  if (N < 0) {
    TList::Error(RtlConsts::SListCapacityError, N);
  }
  if (N == FCapacity) {
    return;
  }
  const Int64 Bytes = static_cast<Int64>(N) * FRecordSize;
  if (Bytes > std::numeric_limits<NativeInt>::max() / 2) {
    throw EOutOfMemory(RtlConsts::SOutOfMemory);
  }
  FData = static_cast<Byte*>(ReallocMem(FData, static_cast<NativeInt>(Bytes)));
  FCapacity = N;
  if (FCount > N) {
    FCount = N;
  }
}

void TRecordList::SetCount(Integer N) {
  if (N < 0) {
    TList::Error(RtlConsts::SListCountError, N);
  }
  Grow(N);
  FCount = N;
}

void TRecordList::Clear() {
  SetCapacity(0);
  FCount = 0;
}

void TRecordList::SaveToStream(TStream* Stream) const {
  const Byte CountBytes[4] = {static_cast<Byte>(FCount), static_cast<Byte>(FCount >> 8),
                              static_cast<Byte>(FCount >> 16), static_cast<Byte>(FCount >> 24)};
  Stream->WriteBuffer(CountBytes, 4);
  const Int64 Bytes = static_cast<Int64>(FCount) * FRecordSize;
  if (Bytes > 0) {
    Stream->WriteBuffer(FData, static_cast<LongInt>(Bytes));
  }
}

void TRecordList::LoadFromStream(TStream* Stream) {
  Byte CountBytes[4] = {};
  Stream->ReadBuffer(CountBytes, 4);
  const auto N = static_cast<Integer>(
      static_cast<std::uint32_t>(CountBytes[0]) | static_cast<std::uint32_t>(CountBytes[1]) << 8 |
      static_cast<std::uint32_t>(CountBytes[2]) << 16 | static_cast<std::uint32_t>(CountBytes[3]) << 24);
  const Int64 Bytes = static_cast<Int64>(N) * FRecordSize;
  const Int64 Left = Stream->Size() - Stream->Position();
  // The stored count is checked against what the stream holds before anything is allocated or changed.
  if (N < 0 || Bytes > Left || Bytes > std::numeric_limits<LongInt>::max()) {
    throw EReadError(RtlConsts::SReadError);
  }
  Byte* Fresh = Bytes > 0 ? static_cast<Byte*>(GetMem(static_cast<NativeInt>(Bytes))) : nullptr;
  try {
    if (Bytes > 0) {
      Stream->ReadBuffer(Fresh, static_cast<LongInt>(Bytes));
    }
  } catch (...) {
    FreeMem(Fresh);
    throw;
  }
  FreeMem(FData);
  FData = Fresh;
  FCapacity = N;
  FCount = N;
}

// ---- TMethodList ----

TMethodList::TMethodList() : FList(new TRecordList(static_cast<Integer>(sizeof(TDCMethodRec)))) {}

TMethodList::~TMethodList() { delete FList; }

void TMethodList::Add(const TDCMethodRec& Method) {
  (void)FList->Add(&Method);  // appended; its index is Count - 1
}

void TMethodList::Delete(Integer Index) { FList->Delete(Index); }

void TMethodList::Clear() { FList->Clear(); }

TDCMethodRec TMethodList::Get(Integer Index) const {
  if (Index >= FList->Count()) {
    TList::Error(RtlConsts::SListIndexError, Index);
  }
  TDCMethodRec Result;
  std::memcpy(&Result, FList->Get(Index), sizeof(Result));
  return Result;
}

void TMethodList::Remove(const TDCMethodRec& Method) {
  for (Integer I = 0; I < FList->Count(); ++I) {
    if (isMethodsEqual(Get(I), Method)) {
      FList->Delete(I);
      return;
    }
  }
}

// ---- TIntStack ----

void TIntStack::Push(Integer Value) {
  (void)Add(reinterpret_cast<Pointer>(static_cast<NativeInt>(Value)));  // pushed on top
}

Integer TIntStack::Pop() {
  if (Count() == 0) {
    Vivaridiriz::Error(SStackEmpty);
  }
  const auto Value = static_cast<Integer>(reinterpret_cast<NativeInt>(Last()));
  TList::Delete(Count() - 1);
  return Value;
}

// ---- TVariantStack ----

TVariantStack::TVariantStack() : FBlockList(new TList()) {}

TVariantStack::~TVariantStack() {
  while (FBlockList->Count() > 0) {
    DropTopBlock();
  }
  delete FBlockList;
}

void TVariantStack::AddBlock(const Variant& Fill) {
  auto* B = new Variant[BlockSize];
  for (Integer I = 0; I < BlockSize; ++I) {
    B[I] = Fill;
  }
  FBlockList->Add(B);
}

void TVariantStack::DropTopBlock() {
  delete[] Block(FBlockList->Count() - 1);
  FBlockList->Delete(FBlockList->Count() - 1);
}

void TVariantStack::Push(const Variant& Value) {
  if (FItemCount % BlockSize == 0 && FItemCount / BlockSize == FBlockList->Count()) {
    AddBlock(Variant());
  }
  Block(FItemCount / BlockSize)[FItemCount % BlockSize] = Value;
  ++FItemCount;
}

void TVariantStack::PushInt(Integer Value) { Push(Variant(Value)); }

void TVariantStack::PopLast(Variant* Target) {
  if (FItemCount == 0) {
    Vivaridiriz::Error(SStackEmpty);
  }
  const Integer Top = FItemCount - 1;
  Variant& Slot = Block(Top / BlockSize)[Top % BlockSize];
  if (Target != nullptr) {
    *Target = Slot;
  }
  Slot = Variant();
  if (Top % BlockSize == 0) {
    DropTopBlock();
  }
  --FItemCount;
}

Variant TVariantStack::Pop() {
  Variant Result;
  PopLast(&Result);
  return Result;
}

Variant* TVariantStack::Items(Integer Index) const {
  if (Index < 0 || Index >= FItemCount) {
    return nullptr;
  }
  return &Block(Index / BlockSize)[Index % BlockSize];
}

void TVariantStack::FillWithItems(Variant** Target, Integer Start, Integer N) const {
  for (Integer I = 0; I < N; ++I) {
    Target[I] = Items(Start + I);
  }
}

void TVariantStack::Collapse(Integer N) {
  if (N > FItemCount) {
    Vivaridiriz::Error(SStackEmpty);
  }
  if (N <= 0) {
    return;
  }
  Integer Left = FItemCount - N;
  // Whole blocks go at once while the remaining count lies below the top block.
  while (FBlockList->Count() > 0 && Left <= (FBlockList->Count() - 1) * BlockSize) {
    DropTopBlock();
  }
  for (Integer I = std::min(FItemCount, FBlockList->Count() * BlockSize) - 1; I >= Left; --I) {
    Block(I / BlockSize)[I % BlockSize] = Variant();
  }
  FItemCount = Left;
}

void TVariantStack::Expand(Integer N) {
  if (N <= 0) {
    return;
  }
  const Integer Target = FItemCount + N;
  while (FBlockList->Count() * BlockSize < Target) {
    AddBlock(Variant(3));
  }
  FItemCount = Target;
}

// ---- ZEZLinkedComponent ----

namespace {
// Reaches another component's Notification, as the owner's method pointer does.
struct TNotificationAccess : TComponent {
  static void Call(TComponent* Target, TComponent* AComponent, TOperation Operation) {
    (Target->*(&TNotificationAccess::Notification))(AComponent, Operation);
  }
};
}  // namespace

ZEZLinkedComponent::ZEZLinkedComponent(TComponent* AOwner) : TComponent(AOwner) {
  if (AOwner != nullptr) {
    FOnLinkNotify = [AOwner](TComponent* C, TOperation Op) { TNotificationAccess::Call(AOwner, C, Op); };
    FOwnerForward = true;
  }
}

ZEZLinkedComponent::~ZEZLinkedComponent() {
  Zizudo::dcRemoveFreeNotification(FLink, Zizudo::TFreeNotifyProc::Of<&ZEZLinkedComponent::FreeNotifyProc>(this));
}

void ZEZLinkedComponent::SetLink(TObject* Obj) {
  if (Obj == FLink) {
    return;
  }
  const auto Proc = Zizudo::TFreeNotifyProc::Of<&ZEZLinkedComponent::FreeNotifyProc>(this);
  Zizudo::dcRemoveFreeNotification(FLink, Proc);
  FLink = Obj;
  FLinkIsComponent = dynamic_cast<TComponent*>(Obj) != nullptr;
  if (Obj != nullptr) {
    Zizudo::dcAddFreeNotification(Obj, Proc);
  }
}

void ZEZLinkedComponent::FreeNotifyProc(void* Obj) {
  if (Obj == static_cast<void*>(FLink) && FLink != nullptr) {
    FLink = nullptr;
    if (FOnLinkNotify && (FLinkIsComponent || !FOwnerForward)) {
      FOnLinkNotify(static_cast<TComponent*>(Obj), opRemove);
    }
  }
}

void ZEZLinkedComponent::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (AComponent != nullptr && static_cast<TObject*>(AComponent) == FLink) {
    if (Operation == opRemove) {
      FLink = nullptr;
    }
    if (FOnLinkNotify) {
      FOnLinkNotify(AComponent, Operation);
    }
  }
}

// ---- DCQuickSort ----

void DCQuickSort(Integer L, Integer R, const ZEZCompareCallBack& Compare, const ZEZExchangeCallBack& Exchange) {
  while (L < R) {
    Integer I = L;
    Integer J = R;
    Integer P = static_cast<Integer>((static_cast<Int64>(L) + R) / 2);
    do {
      while (Compare(I, P) < 0) {
        ++I;
      }
      while (Compare(J, P) > 0) {
        --J;
      }
      if (I <= J) {
        if (I != J && Compare(I, J) != 0) {
          Exchange(I, J);
          if (P == I) {
            P = J;
          } else if (P == J) {
            P = I;
          }
        }
        ++I;
        --J;
      }
    } while (I <= J);
    if (L < J) {
      DCQuickSort(L, J, Compare, Exchange);
    }
    L = I;
  }
}

// ---- routines ----

void Error(const std::string& Msg) { throw Exception(Msg); }

void ErrorFmt(const std::string& Fmt, TVarRecList Args) { throw Exception(Fmt, Args); }

void FreePointer(Pointer& P) {
  if (P != nullptr) {
    FreeMem(P);
    P = nullptr;
  }
}

void ClearList(TList* List) {
  if (List == nullptr) {
    return;
  }
  while (List->Count() > 0) {
    auto* Obj = static_cast<TObject*>(List->Items(0));
    List->Delete(0);
    delete Obj;
  }
}

void ClearSortedList(Videroriz::TCustomSortedList* List) {
  if (List == nullptr) {
    return;
  }
  while (List->Count() > 0) {
    List->Delete(0);
  }
}

void CopyList(TList* Source, TList* Dest) {
  if (Source == Dest) {
    return;
  }
  Dest->SetCount(Source->Count());
  if (Source->Count() > 0) {
    std::memcpy(Dest->List(), Source->List(), static_cast<std::size_t>(Source->Count()) * sizeof(Pointer));
  }
}

void AppendList(TList* Source, TList* Dest) {
  if (Source == Dest) {
    return;
  }
  const Integer Old = Dest->Count();
  Dest->SetCount(Old + Source->Count());
  if (Source->Count() > 0) {
    std::memcpy(Dest->List() + Old, Source->List(), static_cast<std::size_t>(Source->Count()) * sizeof(Pointer));
  }
}

Integer ListIndexOf(TList* List, Pointer Item) {
  if (List == nullptr || List->Count() == 0) {
    return -1;
  }
  Pointer* Begin = List->List();
  Pointer* End = Begin + List->Count();
  Pointer* At = std::find(Begin, End, Item);
  return At == End ? -1 : static_cast<Integer>(At - Begin);
}

void GetMem0(Pointer& P, NativeInt Size) {
  P = GetMem(Size);
  std::memset(P, 0, static_cast<std::size_t>(Size > 0 ? Size : 0));
}

void SwapInt(Integer& A, Integer& B) { std::swap(A, B); }

void SwapMaxInt(Integer& A, Integer& B) {
  if (B < A) {
    std::swap(A, B);
  }
}

namespace {
// Reaches a persistent object's GetOwner, as the class library's dynamic call does.
struct TOwnerAccess : TPersistent {
  static TPersistent* Call(TPersistent* Obj) { return (Obj->*(&TOwnerAccess::GetOwner))(); }
};
}  // namespace

TPersistent* GetOwner(TObject* Obj) {
  auto* P = dynamic_cast<TPersistent*>(Obj);
  return P != nullptr ? TOwnerAccess::Call(P) : nullptr;
}

bool StrToBool(const std::string& S) { return CompareText(S, "True") == 0; }

std::string BoolToStr(bool B) { return B ? "True" : "False"; }

}  // namespace Vivaridiriz
