// The root object, meta classes and the replaceable memory manager.
#include "platform/rtl/System.h"

#include "platform/classes/TypInfo.h"
#include "platform/rtl/MetaClassHook.h"
#include "platform/rtl/Exceptions.h"

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <utility>

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

void* SysGetMem(NativeInt Size) { return std::malloc(Size > 0 ? static_cast<std::size_t>(Size) : 1); }
int SysFreeMem(void* P) {
  std::free(P);
  return 0;
}
void* SysReallocMem(void* P, NativeInt Size) { return std::realloc(P, Size > 0 ? static_cast<std::size_t>(Size) : 1); }

namespace {

// The three entry points are read without a lock on every allocation: constant-initialised atomics, so that
// they are valid before any static constructor runs. A manager is installed entry by entry; a hook that
// chains to the previous manager stays correct whichever mix of old and new entries a racing call sees.
constinit std::atomic<void* (*)(NativeInt)> CurrentGetMem{&SysGetMem};
constinit std::atomic<int (*)(void*)> CurrentFreeMem{&SysFreeMem};
constinit std::atomic<void* (*)(void*, NativeInt)> CurrentReallocMem{&SysReallocMem};

TMemoryManager Snapshot() {
  return TMemoryManager{CurrentGetMem.load(std::memory_order_acquire), CurrentFreeMem.load(std::memory_order_acquire),
                        CurrentReallocMem.load(std::memory_order_acquire)};
}
}  // namespace

void GetMemoryManager(TMemoryManager& MemMgr) {
  MemMgr = Snapshot();
}

void SetMemoryManager(const TMemoryManager& MemMgr) {
  CurrentGetMem.store(MemMgr.GetMem, std::memory_order_release);
  CurrentFreeMem.store(MemMgr.FreeMem, std::memory_order_release);
  CurrentReallocMem.store(MemMgr.ReallocMem, std::memory_order_release);
}

bool IsMemoryManagerSet() {
  TMemoryManager M = Snapshot();
  return M.GetMem != &SysGetMem || M.FreeMem != &SysFreeMem || M.ReallocMem != &SysReallocMem;
}

void* GetMem(NativeInt Size) {
  void* P = CurrentGetMem.load(std::memory_order_acquire)(Size);
  if (P == nullptr) {
    throw EOutOfMemory(RtlConsts::SOutOfMemory);
  }
  return P;
}

void FreeMem(void* P) {
  if (P != nullptr) {
    (void)CurrentFreeMem.load(std::memory_order_acquire)(P);  // the class library's FreeMem drops the status
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
  void* Q = CurrentReallocMem.load(std::memory_order_acquire)(P, Size);
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
  (void)CurrentFreeMem.load(std::memory_order_acquire)(P);
}

void TObject::operator delete(void* P) noexcept {
  if (P != nullptr) {
    (void)CurrentFreeMem.load(std::memory_order_acquire)(P);
  }
}

void TObject::Dispatch(TMessage& Message) { DefaultHandler(Message); }

void TObject::DefaultHandler(TMessage& Message) { (void)Message; }

Integer TInterfacedObject::_AddRef() { return FRefCount.fetch_add(1, std::memory_order_acq_rel) + 1; }

Integer TInterfacedObject::_Release() {
  const Integer Count = FRefCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (Count == 0) {
    delete this;
  }
  return Count;
}

TClass TInterfacedObject::StaticClass() {
  static const TMetaClass Meta("TInterfacedObject", TObject::StaticClass(),
                               &ZubDetail::CreateInstance<TInterfacedObject>);
  return &Meta;
}
