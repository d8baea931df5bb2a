// The memory-release hook, free notifications, thread message hooks and code patching.
#include "suitebase/Zizudo.h"

#include "platform/rtl/UnitInit.h"

#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace Zizudo {

Z_IMPLEMENT_CLASS(TFreeNotifier, TObject)
Z_IMPLEMENT_CLASS(TFreeNotifierInfo, TObject)
Z_IMPLEMENT_CLASS(TFreeNotifiersList, Videroriz::TCustomSortedList)
Z_IMPLEMENT_CLASS(TNotifierStorage, TComponent)
Z_IMPLEMENT_CLASS(TCustomActiveNotifier, TComponent)

namespace {
// The manager in place before the hook, and the same with the default routine where an entry was null.
TMemoryManager Saved{};
TMemoryManager Forward{};

// The global list of registrations for non-components. Changed only under ListLock; the count mirrors the
// list's count so that a release on any thread tests it without the lock.
std::mutex ListLock;
std::atomic<TFreeNotifiersList*> GlobalList{nullptr};
std::atomic<Integer> GlobalCount{0};
// Set while this thread changes the list under the lock: the releases of that bookkeeping (a freed entry,
// an outgrown array) must not search the half-changed list, nor take the lock again.
thread_local bool InBookkeeping = false;

TNotifierStorage* Storage = nullptr;

TList* WndHookSubscribers = nullptr;
HHOOK WndHookHandle = 0;
TList* FocusSubscribers = nullptr;
HHOOK FocusHookHandle = 0;

// Holds the lock and marks this thread's releases as bookkeeping for the scope.
class TListGuard {
public:
  TListGuard() : FGuard(ListLock) { InBookkeeping = true; }
  ~TListGuard() {
    if (TFreeNotifiersList* L = GlobalList.load(std::memory_order_relaxed)) {
      GlobalCount.store(L->Count(), std::memory_order_release);
    }
    InBookkeeping = false;
  }
  TListGuard(const TListGuard&) = delete;
  TListGuard& operator=(const TListGuard&) = delete;

private:
  std::lock_guard<std::mutex> FGuard;
};

void* TargetOf(Pointer Item) { return static_cast<TFreeNotifierInfo*>(Item)->Target; }
}  // namespace

// ---- TFreeNotifierInfo ----

TFreeNotifierInfo::TFreeNotifierInfo(void* ATarget) : Target(ATarget), Callbacks(new TList()) {}

TFreeNotifierInfo::~TFreeNotifierInfo() {
  Freeing = true;
  for (Integer I = 0; I < Callbacks->Count(); ++I) {
    delete static_cast<TFreeNotifier*>(Callbacks->Items(I));
  }
  delete Callbacks;
}

// ---- TFreeNotifiersList ----

Integer TFreeNotifiersList::CompareWithKey(Pointer Item, Pointer Key) { return ComparePointers(TargetOf(Item), Key); }

Integer TFreeNotifiersList::Compare(Pointer Item1, Pointer Item2) {
  return ComparePointers(TargetOf(Item1), TargetOf(Item2));
}

TFreeNotifierInfo* TFreeNotifiersList::FindInfo(void* Address) {
  if (Count() == 0) {
    return nullptr;
  }
  Integer Index = 0;
  return FindByKey(Address, Index) ? static_cast<TFreeNotifierInfo*>(Get(Index)) : nullptr;
}

bool TFreeNotifiersList::AddNotifier(void* Instance, const TFreeNotifyProc& Proc) {
  TFreeNotifierInfo* Info = FindInfo(Instance);
  const bool Created = Info == nullptr;
  if (Created) {
    Info = new TFreeNotifierInfo(Instance);
    (void)Add(Info);  // the address had no entry, so the new one goes to its place
  }
  Info->Callbacks->Add(new TFreeNotifier(Proc));
  return Created;
}

bool TFreeNotifiersList::RemoveNotifier(void* Instance, const TFreeNotifyProc& Proc) {
  TFreeNotifierInfo* Info = FindInfo(Instance);
  if (Info == nullptr || Info->Freeing) {
    return false;
  }
  for (Integer I = Info->Callbacks->Count() - 1; I >= 0; --I) {
    auto* N = static_cast<TFreeNotifier*>(Info->Callbacks->Items(I));
    if (N != nullptr && N->Callback == Proc) {
      Info->Callbacks->Delete(I);
      delete N;
    }
  }
  if (Info->Callbacks->Count() > 0) {
    return false;
  }
  (void)Remove(Info);  // found above, so it is there
  delete Info;
  return true;
}

TFreeNotifierInfo* TFreeNotifiersList::DetachInfo(void* Address) {
  TFreeNotifierInfo* Info = FindInfo(Address);
  if (Info != nullptr) {
    (void)Remove(Info);
  }
  return Info;
}

void RunAndFreeInfo(TFreeNotifierInfo* Info) {
  TList* Callbacks = Info->Callbacks;
  Integer I = 0;
  while (I < Callbacks->Count()) {
    auto* N = static_cast<TFreeNotifier*>(Callbacks->Items(I));
    if (N != nullptr && N->Callback) {
      N->Callback(Info->Target);
    }
    if (I < Callbacks->Count() && Callbacks->Items(I) == N) {
      ++I;
    }
  }
  delete Info;
}

void TFreeNotifiersList::NotifyAndRemove(void* Address) {
  if (TFreeNotifierInfo* Info = DetachInfo(Address)) {
    RunAndFreeInfo(Info);
  }
}

void TFreeNotifiersList::FreeAllSilently() {
  for (Integer I = Count() - 1; I >= 0; --I) {
    delete static_cast<TFreeNotifierInfo*>(Get(I));
  }
  Clear();
}

// ---- component store ----

TNotifierStorage::TNotifierStorage(TComponent* AOwner) : TComponent(AOwner), FList(new TFreeNotifiersList()) {}

TNotifierStorage::~TNotifierStorage() {
  if (Storage == this) {
    Storage = nullptr;
  }
  // The links to the watched components went with this component's teardown; the entries go silently.
  FList->FreeAllSilently();
  delete FList;
}

bool TNotifierStorage::AddNotifier(TComponent* Instance, const TFreeNotifyProc& Proc) {
  const bool Created = FList->AddNotifier(Instance, Proc);
  if (Created) {
    Instance->FreeNotification(this);
  }
  return Created;
}

bool TNotifierStorage::RemoveNotifier(TComponent* Instance, const TFreeNotifyProc& Proc) {
  const bool Emptied = FList->RemoveNotifier(Instance, Proc);
  if (Emptied) {
    Instance->RemoveFreeNotification(this);
    FreeIfEmpty();
  }
  return Emptied;
}

void TNotifierStorage::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && FList->FindInfo(AComponent) != nullptr) {
    ComponentFreed(AComponent);
  }
}

void TNotifierStorage::ComponentFreed(TComponent* AComponent) {
  AComponent->RemoveFreeNotification(this);
  FList->NotifyAndRemove(AComponent);
  if (Storage == this) {
    FreeIfEmpty();
  }
}

void TNotifierStorage::FreeIfEmpty() {
  if (FList->Count() == 0) {
    delete this;
  }
}

TNotifierStorage* NotifierStorage() { return Storage; }

Integer GlobalNotifierCount() { return GlobalCount.load(std::memory_order_acquire); }

bool HookInstalled() { return GlobalList.load(std::memory_order_acquire) != nullptr; }

// ---- free notifications ----

void dcAddFreeNotification(TObject* Instance, const TFreeNotifyProc& Proc) {
  if (Instance == nullptr) {
    return;
  }
  if (auto* C = dynamic_cast<TComponent*>(Instance)) {
    if (Storage == nullptr) {
      Storage = new TNotifierStorage(nullptr);
    }
    (void)Storage->AddNotifier(C, Proc);  // whether the entry is new concerns only the store
    return;
  }
  dcAddFreeNotification(static_cast<void*>(Instance), Proc);
}

void dcAddFreeNotification(void* Block, const TFreeNotifyProc& Proc) {
  if (Block == nullptr) {
    return;
  }
  TListGuard Guard;
  if (TFreeNotifiersList* L = GlobalList.load(std::memory_order_relaxed)) {
    (void)L->AddNotifier(Block, Proc);  // a new entry or one more callback: either way registered
  }
}

void dcRemoveFreeNotification(TObject* Instance, const TFreeNotifyProc& Proc) {
  if (Instance == nullptr) {
    return;
  }
  if (auto* C = dynamic_cast<TComponent*>(Instance); C != nullptr && Storage != nullptr) {
    if (Storage->RemoveNotifier(C, Proc)) {
      return;
    }
  }
  dcRemoveFreeNotification(static_cast<void*>(Instance), Proc);
}

void dcRemoveFreeNotification(void* Block, const TFreeNotifyProc& Proc) {
  if (Block == nullptr) {
    return;
  }
  TListGuard Guard;
  if (TFreeNotifiersList* L = GlobalList.load(std::memory_order_relaxed)) {
    (void)L->RemoveNotifier(Block, Proc);  // nothing registered is silently ignored
  }
}

// ---- the wrapper manager ----

void* dcGetMemHook(NativeInt Size) { return Forward.GetMem(Size); }

void* dcReallocMemHook(void* P, NativeInt Size) { return Forward.ReallocMem(P, Size); }

int dcFreeMemHook(void* P) {
  const int Status = Forward.FreeMem(P);
  // The count is 0 whenever the list is missing or empty: one load decides the common case.
  if (GlobalCount.load(std::memory_order_acquire) == 0 || InBookkeeping) {
    return Status;
  }
  TFreeNotifierInfo* Info = nullptr;
  {
    TListGuard Guard;
    if (TFreeNotifiersList* L = GlobalList.load(std::memory_order_relaxed)) {
      Info = L->DetachInfo(P);
    }
  }
  // The callbacks run after the lock is let go, so that they may register and remove themselves.
  if (Info != nullptr) {
    RunAndFreeInfo(Info);
  }
  return Status;
}

namespace {
void InitializeHook() {
  auto* L = new TFreeNotifiersList();
  GetMemoryManager(Saved);
  // A manager without an entry forwards to the class library's own routine for it.
  Forward.GetMem = Saved.GetMem != nullptr ? Saved.GetMem : &SysGetMem;
  Forward.FreeMem = Saved.FreeMem != nullptr ? Saved.FreeMem : &SysFreeMem;
  Forward.ReallocMem = Saved.ReallocMem != nullptr ? Saved.ReallocMem : &SysReallocMem;
  GlobalList.store(L, std::memory_order_release);
  GlobalCount.store(0, std::memory_order_release);
  SetMemoryManager(TMemoryManager{&dcGetMemHook, &dcFreeMemHook, &dcReallocMemHook});
}

void FinalizeHook() {
  if (FocusHookHandle != 0) {
    (void)UnhookWindowsHookEx(FocusHookHandle);  // a hook that is already gone needs no removal
    FocusHookHandle = 0;
  }
  FreeAndNil(FocusSubscribers);
  SetMemoryManager(Saved);
  TFreeNotifiersList* L = nullptr;
  {
    TListGuard Guard;
    L = GlobalList.exchange(nullptr, std::memory_order_acq_rel);
    GlobalCount.store(0, std::memory_order_release);
  }
  if (L != nullptr) {
    L->FreeAllSilently();
    delete L;
  }
  FreeAndNil(WndHookSubscribers);
}
}  // namespace

// ---- thread message hooks ----

namespace {
LRESULT WndHookProc(int Code, WPARAM WParam, LPARAM LParam) {
  const LRESULT Result = CallNextHookEx(WndHookHandle, Code, WParam, LParam);
  if (Code != HC_ACTION || WndHookSubscribers == nullptr) {
    return Result;
  }
  TMessage Message;
  Message.Msg = CM_WNDHOOKMESSAGE;
  Message.WParam = static_cast<WPARAM>(LParam);
  const Integer N = WndHookSubscribers->Count();
  for (Integer I = 0; I < N && I < WndHookSubscribers->Count(); ++I) {
    static_cast<TObject*>(WndHookSubscribers->Items(I))->Dispatch(Message);
    if (Message.Result != 0) {
      break;
    }
  }
  return Result;
}

LRESULT FocusHookProc(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION && FocusSubscribers != nullptr) {
    const auto* Info = reinterpret_cast<const CWPRETSTRUCT*>(LParam);
    if (Info != nullptr && Info->message == WM_SETFOCUS) {
      const Integer N = FocusSubscribers->Count();
      for (Integer I = 0; I < N && I < FocusSubscribers->Count(); ++I) {
        static_cast<TCustomActiveNotifier*>(FocusSubscribers->Items(I))->HookProc(*Info);
      }
    }
  }
  // Passed on, so that hooks installed earlier on this thread still hear every call.
  return CallNextHookEx(FocusHookHandle, Code, WParam, LParam);
}
}  // namespace

void AddWndHook(TObject* Obj) {
  if (WndHookSubscribers == nullptr) {
    WndHookSubscribers = new TList();
  }
  if (WndHookSubscribers->Count() == 0) {
    WndHookHandle = SetWindowsHookEx(WH_CALLWNDPROC, &WndHookProc, 0, GetCurrentThreadId());
  }
  WndHookSubscribers->Add(Obj);
}

void RemoveWndHook(TObject* Obj) {
  if (WndHookSubscribers == nullptr) {
    return;
  }
  (void)WndHookSubscribers->Remove(Obj);  // an object that was not subscribed is ignored
  if (WndHookSubscribers->Count() == 0 && WndHookHandle != 0) {
    (void)UnhookWindowsHookEx(WndHookHandle);  // nothing to do when it is already gone
    WndHookHandle = 0;
  }
}

TCustomActiveNotifier::TCustomActiveNotifier(TComponent* AOwner) : TComponent(AOwner) {
  if (FocusSubscribers == nullptr) {
    FocusSubscribers = new TList();
  }
  if (FocusSubscribers->Count() == 0) {
    FocusHookHandle = SetWindowsHookEx(WH_CALLWNDPROCRET, &FocusHookProc, 0, GetCurrentThreadId());
  }
  FocusSubscribers->Add(this);
}

TCustomActiveNotifier::~TCustomActiveNotifier() {
  if (FocusSubscribers != nullptr) {
    (void)FocusSubscribers->Remove(this);  // absent after finalisation freed the list's entries
    if (FocusSubscribers->Count() == 0 && FocusHookHandle != 0) {
      (void)UnhookWindowsHookEx(FocusHookHandle);
      FocusHookHandle = 0;
    }
  }
}

void TCustomActiveNotifier::HookProc(const CWPRETSTRUCT& Info) {
  (void)Info;
  if (FOnActiveChanged) {
    FOnActiveChanged(this);
  }
}

// ---- code patching ----

namespace {
bool ReadMemory(const void* Address, void* Buffer, std::size_t Size) {
  const int Fd = ::open("/proc/self/mem", O_RDONLY | O_CLOEXEC);
  if (Fd < 0) {
    return false;
  }
  const ssize_t Read = ::pread(Fd, Buffer, Size, static_cast<off_t>(reinterpret_cast<std::uintptr_t>(Address)));
  ::close(Fd);
  return Read == static_cast<ssize_t>(Size);
}
}  // namespace

THookInfo SetupHook(void* OldProc, void* NewProc) {
  THookInfo Info;
  if (!ReadMemory(OldProc, Info.SavedBytes.data(), Info.SavedBytes.size())) {
    return Info;
  }
#if defined(__x86_64__)
  const auto From = static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(OldProc)) + 5;
  const auto To = static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(NewProc));
  const std::int64_t Displacement = To - From;
  if (Displacement < INT32_MIN || Displacement > INT32_MAX) {
    return Info;  // a cut displacement would jump elsewhere
  }
  const auto Rel = static_cast<std::int32_t>(Displacement);
  std::array<Byte, 5> Jump{0xE9, 0, 0, 0, 0};
  std::memcpy(Jump.data() + 1, &Rel, sizeof(Rel));
  if (Videroriz::WriteMemory(OldProc, Jump.data(), static_cast<NativeInt>(Jump.size()))) {
    Info.Address = OldProc;
  }
#else
  (void)NewProc;
#endif
  return Info;
}

void RestoreHook(const THookInfo& Info) {
  if (Info.Address != nullptr) {
    (void)Videroriz::WriteMemory(Info.Address, Info.SavedBytes.data(),
                                 static_cast<NativeInt>(Info.SavedBytes.size()));  // best effort, as patching
  }
}

}  // namespace Zizudo

Z_REGISTER_UNIT(UnitOrder::Zizudo, "Zizudo", &Zizudo::InitializeHook, &Zizudo::FinalizeHook)
