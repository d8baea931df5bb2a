// The root object, meta classes and the replaceable memory manager.
#include "platform/rtl/System.h"

#include "platform/classes/TypInfo.h"
#include "platform/rtl/MetaClassHook.h"
#include "platform/rtl/Exceptions.h"

#include <atomic>
#include <cstdlib>
#include <mutex>

TMetaClass::TMetaClass(const char* AName, TClass AParent, TFactory AFactory, TPublisher APublisher)
    : FName(AName), FParent(AParent), FFactory(AFactory), FPublisher(APublisher) {}

namespace {
std::atomic<TMetaClassGoneHook> MetaClassGone{nullptr};
}  // namespace

void SetMetaClassGoneHook(TMetaClassGoneHook Hook) { MetaClassGone.store(Hook); }

TMetaClass::~TMetaClass() {
  if (const TMetaClassGoneHook Hook = MetaClassGone.load()) {
    Hook(this);
  }
}

bool TMetaClass::InheritsFrom(TClass AClass) const {
  for (TClass C = this; C != nullptr; C = C->FParent) {
    if (C == AClass) {
      return true;
    }
  }
  return false;
}

TObject* TMetaClass::NewInstance(TObject* Arg) const {
  return FFactory != nullptr ? FFactory(Arg) : nullptr;
}

namespace {
std::recursive_mutex& PublishLock() {
  static std::recursive_mutex Lock;
  return Lock;
}
}  // namespace

const std::vector<std::unique_ptr<TPropInfo>>& TMetaClass::OwnProperties() const {
  std::lock_guard<std::recursive_mutex> Guard(PublishLock());
  if (!FPublished) {
    FPublished = true;
    if (FPublisher != nullptr) {
      FPublisher(const_cast<TMetaClass&>(*this));
    }
  }
  return FProperties;
}

void TMetaClass::AddProperty(std::unique_ptr<TPropInfo> Info) {
  FProperties.push_back(std::move(Info));
}

const std::vector<std::unique_ptr<TMethodEntry>>& TMetaClass::OwnMethods() const {
  OwnProperties();  // runs the publisher once
  return FMethods;
}

const std::vector<std::unique_ptr<TFieldEntry>>& TMetaClass::OwnFields() const {
  OwnProperties();
  return FFields;
}

void TMetaClass::AddMethod(std::unique_ptr<TMethodEntry> Entry) {
  FMethods.push_back(std::move(Entry));
}

void TMetaClass::AddField(std::unique_ptr<TFieldEntry> Entry) {
  FFields.push_back(std::move(Entry));
}

TClass TObject::StaticClass() {
  static const TMetaClass Meta("TObject", nullptr, &ZubDetail::CreateInstance<TObject>);
  return &Meta;
}

// ---- memory manager ----

namespace {
void* DefaultGetMem(NativeInt Size) {
  return std::malloc(Size > 0 ? static_cast<std::size_t>(Size) : 1);
}
int DefaultFreeMem(void* P) {
  std::free(P);
  return 0;
}
void* DefaultReallocMem(void* P, NativeInt Size) {
  return std::realloc(P, Size > 0 ? static_cast<std::size_t>(Size) : 1);
}

struct TManagerSlot {
  std::mutex Lock;
  TMemoryManager Current{&DefaultGetMem, &DefaultFreeMem, &DefaultReallocMem};
};
TManagerSlot& Slot() {
  static TManagerSlot S;
  return S;
}
TMemoryManager Snapshot() {
  std::lock_guard<std::mutex> Guard(Slot().Lock);
  return Slot().Current;
}
}  // namespace

void GetMemoryManager(TMemoryManager& MemMgr) {
  MemMgr = Snapshot();
}

void SetMemoryManager(const TMemoryManager& MemMgr) {
  std::lock_guard<std::mutex> Guard(Slot().Lock);
  Slot().Current = MemMgr;
}

bool IsMemoryManagerSet() {
  TMemoryManager M = Snapshot();
  return M.GetMem != &DefaultGetMem || M.FreeMem != &DefaultFreeMem || M.ReallocMem != &DefaultReallocMem;
}

void* GetMem(NativeInt Size) {
  void* P = Snapshot().GetMem(Size);
  if (P == nullptr) {
    throw EOutOfMemory(RtlConsts::SOutOfMemory);
  }
  return P;
}

void FreeMem(void* P) {
  if (P != nullptr) {
    Snapshot().FreeMem(P);
  }
}

void* ReallocMem(void* P, NativeInt Size) {
  if (P == nullptr) {
    return Size > 0 ? GetMem(Size) : nullptr;
  }
  if (Size <= 0) {
    FreeMem(P);
    return nullptr;
  }
  void* Q = Snapshot().ReallocMem(P, Size);
  if (Q == nullptr) {
    throw EOutOfMemory(RtlConsts::SOutOfMemory);
  }
  return Q;
}

void* TObject::operator new(std::size_t Size) {
  return GetMem(static_cast<NativeInt>(Size));
}

void TObject::operator delete(TObject* P, std::destroying_delete_t) noexcept {
  // A destructor or BeforeDestruction that throws would leave a half-destroyed object; the class library
  // treats that as fatal too, so noexcept lets it terminate.
  P->BeforeDestruction();
  P->~TObject();
  Snapshot().FreeMem(P);
}

void TObject::operator delete(void* P) noexcept {
  if (P != nullptr) {
    Snapshot().FreeMem(P);
  }
}
