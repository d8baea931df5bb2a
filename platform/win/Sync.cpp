// Waitable kernel objects, the wait functions, critical sections, interlocked operations and thread-local storage.
#include "platform/win/Sync.h"

#include "platform/win/Clock.h"
#include "platform/win/NamedSemaphore.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <limits>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

// One thread inside a wait function. PulseEvent hands its tokens to the waiters listed here.
struct TWaiter {
  std::vector<TWaitableObject*> Objects;
  std::vector<TWaitableObject*> Pulsed;
  bool WaitsOn(const TWaitableObject* O) const {
    return std::find(Objects.begin(), Objects.end(), O) != Objects.end();
  }
  bool IsPulsed(const TWaitableObject* O) const {
    return std::find(Pulsed.begin(), Pulsed.end(), O) != Pulsed.end();
  }
};

// The sync lock and the condition every waiter sleeps on. Never destroyed: detached threads may still
// signal objects while the process's static objects are being torn down.
struct TSyncState {
  std::mutex Lock;
  std::condition_variable Changed;
  std::vector<TWaiter*> Waiters;  // in arrival order
  std::map<std::string, std::weak_ptr<TWaitableObject>> Names;
};
TSyncState& State() {
  static TSyncState* S = new TSyncState;
  return *S;
}

thread_local TWaiter* CurrentWaiter = nullptr;
thread_local DWORD CurrentThreadId = 0;
std::atomic<DWORD> NextThreadId{1};

constexpr UInt64 PollSliceNs = 10'000'000;  // how often a wait re-checks objects other processes change

// Events --------------------------------------------------------------------------------------------------
class TEventObject final : public TWaitableObject {
public:
  TEventObject(bool AManualReset, bool AInitialState) : ManualReset(AManualReset), Signaled(AInitialState) {}
  bool IsSignaled(DWORD) override { return Signaled || (CurrentWaiter && CurrentWaiter->IsPulsed(this)); }
  bool Acquire(DWORD) override {
    if (!ManualReset) {
      Signaled = false;
    }
    return false;
  }
  bool ManualReset;
  bool Signaled;
};

// Mutexes -------------------------------------------------------------------------------------------------
class TMutexObject final : public TWaitableObject, public std::enable_shared_from_this<TMutexObject> {
public:
  bool IsSignaled(DWORD ThreadId) override { return Owner == 0 || Owner == ThreadId; }
  bool Acquire(DWORD ThreadId) override;
  void Abandon() {
    Owner = 0;
    Count = 0;
    Abandoned = true;
  }
  DWORD Owner = 0;
  LONG Count = 0;
  bool Abandoned = false;
};

// The mutexes a thread has taken; those still owned when it ends are abandoned.
struct TOwnedMutexes {
  std::vector<std::weak_ptr<TMutexObject>> List;
  DWORD Thread = 0;
  // Called with the sync lock held.
  void AbandonAll() {
    for (auto& W : List) {
      if (auto M = W.lock(); M && M->Owner == Thread) {
        M->Abandon();
      }
    }
    List.clear();
  }
  ~TOwnedMutexes() {
    if (!List.empty()) {
      ChangeWaitableState([this] { AbandonAll(); });
    }
  }
};
thread_local TOwnedMutexes OwnedMutexes;

bool TMutexObject::Acquire(DWORD ThreadId) {
  if (Owner == 0) {
    Owner = ThreadId;
    auto& L = OwnedMutexes.List;
    std::erase_if(L, [](const std::weak_ptr<TMutexObject>& W) { return W.expired(); });
    L.push_back(weak_from_this());
    OwnedMutexes.Thread = ThreadId;
  }
  ++Count;
  const bool WasAbandoned = Abandoned;
  Abandoned = false;
  return WasAbandoned;
}

// Counted semaphores inside the process -------------------------------------------------------------------
class TSemaphoreObject final : public TSemaphoreBase {
public:
  TSemaphoreObject(LONG AInitial, LONG AMaximum) : Count(AInitial), Maximum(AMaximum) {}
  bool IsSignaled(DWORD) override { return Count > 0; }
  bool Acquire(DWORD) override {
    --Count;
    return false;
  }
  BOOL Release(LONG Add, LONG* Previous) override {
    if (Add < 1) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    BOOL Ok = TRUE;
    ChangeWaitableState([&] {
      if (Add > Maximum - Count) {
        Ok = FALSE;
        return;
      }
      if (Previous) {
        *Previous = Count;
      }
      Count += Add;
    });
    if (!Ok) {
      SetLastError(ERROR_TOO_MANY_POSTS);
    }
    return Ok;
  }
  LONG Count;
  LONG Maximum;
};

// Threads -------------------------------------------------------------------------------------------------
class TThreadObject final : public TWaitableObject, public std::enable_shared_from_this<TThreadObject> {
public:
  bool IsSignaled(DWORD) override { return Finished; }
  bool Acquire(DWORD) override { return false; }
  // Starts the operating-system thread. Called with the sync lock held; false when none could be made.
  bool Launch() {
    try {
      std::thread([Self = shared_from_this()] { Self->Run(); }).detach();
    } catch (const std::system_error&) {
      return false;
    }
    Started = true;
    return true;
  }
  void Run() {
    CurrentThreadId = Id;
    OwnedMutexes.Thread = Id;
    const DWORD Code = Start(Param);
    ChangeWaitableState([&] {
      OwnedMutexes.AbandonAll();
      ExitCode = Code;
      Finished = true;
    });
  }
  LPTHREAD_START_ROUTINE Start = nullptr;
  LPVOID Param = nullptr;
  DWORD Id = 0;
  DWORD SuspendCount = 0;
  DWORD ExitCode = STILL_ACTIVE;
  bool Started = false;
  bool Finished = false;
};

// Looks up or registers a process-wide name for an event or mutex. Returns the existing object (setting
// ERROR_ALREADY_EXISTS), null with ERROR_INVALID_HANDLE when the name belongs to another kind, or the new one.
template <class T, class F> std::shared_ptr<TWaitableObject> CreateNamed(LPCSTR Name, F Make) {
  if (!Name || !*Name) {
    SetLastError(ERROR_SUCCESS);
    return Make();
  }
  TSyncState& S = State();
  std::lock_guard<std::mutex> G(S.Lock);
  auto& Slot = S.Names[Name];
  if (auto Existing = Slot.lock()) {
    if (!std::dynamic_pointer_cast<T>(Existing)) {
      SetLastError(ERROR_INVALID_HANDLE);
      return nullptr;
    }
    SetLastError(ERROR_ALREADY_EXISTS);
    return Existing;
  }
  std::erase_if(S.Names, [](const auto& P) { return P.second.expired(); });
  auto Obj = Make();
  S.Names[Name] = Obj;
  SetLastError(ERROR_SUCCESS);
  return Obj;
}

template <class T> std::shared_ptr<T> Lookup(HANDLE H) {
  auto Obj = FindKernelObjectAs<T>(H);
  if (!Obj) {
    SetLastError(ERROR_INVALID_HANDLE);
  }
  return Obj;
}

// Tries to complete a wait with the sync lock held. Returns WAIT_TIMEOUT when it cannot yet.
DWORD TryComplete(const std::vector<std::shared_ptr<TWaitableObject>>& Objs, bool WaitAll, DWORD Me) {
  if (!WaitAll) {
    for (std::size_t I = 0; I < Objs.size(); ++I) {
      if (Objs[I]->IsSignaled(Me)) {
        const bool Abandoned = Objs[I]->Acquire(Me);
        return static_cast<DWORD>((Abandoned ? WAIT_ABANDONED_0 : WAIT_OBJECT_0) + I);
      }
    }
    return WAIT_TIMEOUT;
  }
  for (std::size_t I = 0; I < Objs.size(); ++I) {
    if (!Objs[I]->IsSignaled(Me)) {
      for (std::size_t J = 0; J < I; ++J) {
        Objs[J]->CancelReservation();
      }
      return WAIT_TIMEOUT;
    }
  }
  DWORD Result = WAIT_OBJECT_0;
  for (std::size_t I = 0; I < Objs.size(); ++I) {
    if (Objs[I]->Acquire(Me) && Result == WAIT_OBJECT_0) {
      Result = static_cast<DWORD>(WAIT_ABANDONED_0 + I);
    }
  }
  return Result;
}

}  // namespace

const DWORD MainThreadID = GetCurrentThreadId();

void ChangeWaitableState(const std::function<void()>& F) {
  TSyncState& S = State();
  {
    std::lock_guard<std::mutex> G(S.Lock);
    F();
  }
  S.Changed.notify_all();
}

// Events --------------------------------------------------------------------------------------------------
HANDLE CreateEvent(LPVOID, BOOL bManualReset, BOOL bInitialState, LPCSTR lpName) {
  auto Obj = CreateNamed<TEventObject>(lpName, [&] {
    return std::make_shared<TEventObject>(bManualReset != FALSE, bInitialState != FALSE);
  });
  if (!Obj) {
    return nullptr;
  }
  const DWORD Error = GetLastError();
  HANDLE H = AddKernelObject(std::move(Obj));
  SetLastError(Error);
  return H;
}

BOOL SetEvent(HANDLE hEvent) {
  auto E = Lookup<TEventObject>(hEvent);
  if (!E) {
    return FALSE;
  }
  ChangeWaitableState([&] { E->Signaled = true; });
  return TRUE;
}

BOOL ResetEvent(HANDLE hEvent) {
  auto E = Lookup<TEventObject>(hEvent);
  if (!E) {
    return FALSE;
  }
  ChangeWaitableState([&] { E->Signaled = false; });
  return TRUE;
}

BOOL PulseEvent(HANDLE hEvent) {
  auto E = Lookup<TEventObject>(hEvent);
  if (!E) {
    return FALSE;
  }
  ChangeWaitableState([&] {
    for (TWaiter* W : State().Waiters) {
      if (W->WaitsOn(E.get())) {
        W->Pulsed.push_back(E.get());
        if (!E->ManualReset) {
          break;
        }
      }
    }
    E->Signaled = false;
  });
  return TRUE;
}

// Mutexes -------------------------------------------------------------------------------------------------
HANDLE CreateMutex(LPVOID, BOOL bInitialOwner, LPCSTR lpName) {
  auto Obj = CreateNamed<TMutexObject>(lpName, [] { return std::make_shared<TMutexObject>(); });
  if (!Obj) {
    return nullptr;
  }
  const DWORD Error = GetLastError();
  if (bInitialOwner) {
    const DWORD Me = GetCurrentThreadId();
    ChangeWaitableState([&] {
      if (Obj->IsSignaled(Me)) {
        Obj->Acquire(Me);
      }
    });
  }
  HANDLE H = AddKernelObject(std::move(Obj));
  SetLastError(Error);
  return H;
}

BOOL ReleaseMutex(HANDLE hMutex) {
  auto M = Lookup<TMutexObject>(hMutex);
  if (!M) {
    return FALSE;
  }
  const DWORD Me = GetCurrentThreadId();
  BOOL Ok = TRUE;
  ChangeWaitableState([&] {
    if (M->Owner != Me) {
      Ok = FALSE;
      return;
    }
    if (--M->Count == 0) {
      M->Owner = 0;
    }
  });
  if (!Ok) {
    SetLastError(ERROR_NOT_OWNER);
  }
  return Ok;
}

// Semaphores ----------------------------------------------------------------------------------------------
HANDLE CreateSemaphore(LPVOID, LONG lInitialCount, LONG lMaximumCount, LPCSTR lpName) {
  if (lMaximumCount < 1 || lInitialCount < 0 || lInitialCount > lMaximumCount) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (lpName && *lpName) {
    return CreateNamedSemaphore(lpName, lInitialCount, lMaximumCount, false);
  }
  HANDLE H = AddKernelObject(std::make_shared<TSemaphoreObject>(lInitialCount, lMaximumCount));
  SetLastError(ERROR_SUCCESS);
  return H;
}

HANDLE OpenSemaphore(DWORD, BOOL, LPCSTR lpName) {
  if (!lpName || !*lpName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateNamedSemaphore(lpName, 0, 0, true);
}

BOOL ReleaseSemaphore(HANDLE hSemaphore, LONG lReleaseCount, LONG* lpPreviousCount) {
  auto S = Lookup<TSemaphoreBase>(hSemaphore);
  return S ? S->Release(lReleaseCount, lpPreviousCount) : FALSE;
}

// Waiting -------------------------------------------------------------------------------------------------
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  return WaitForMultipleObjects(1, &hHandle, FALSE, dwMilliseconds);
}

DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds) {
  if (nCount == 0 || nCount > MAXIMUM_WAIT_OBJECTS || !lpHandles) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  std::vector<std::shared_ptr<TWaitableObject>> Objs(nCount);
  TWaiter Waiter;
  bool Polled = false;
  for (DWORD I = 0; I < nCount; ++I) {
    Objs[I] = FindKernelObjectAs<TWaitableObject>(lpHandles[I]);
    if (!Objs[I]) {
      SetLastError(ERROR_INVALID_HANDLE);
      return WAIT_FAILED;
    }
    if (bWaitAll && Waiter.WaitsOn(Objs[I].get())) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return WAIT_FAILED;
    }
    Waiter.Objects.push_back(Objs[I].get());
    Polled = Polled || Objs[I]->NeedsPolling();
  }

  const DWORD Me = GetCurrentThreadId();
  const bool Infinite = dwMilliseconds == INFINITE;
  const UInt64 Deadline = Infinite ? std::numeric_limits<UInt64>::max()
                                   : Clock().MonotonicNs() + static_cast<UInt64>(dwMilliseconds) * 1'000'000ull;
  TSyncState& S = State();
  std::unique_lock<std::mutex> L(S.Lock);
  S.Waiters.push_back(&Waiter);
  CurrentWaiter = &Waiter;
  DWORD Result = WAIT_TIMEOUT;
  for (;;) {
    Result = TryComplete(Objs, bWaitAll != FALSE, Me);
    // A pulse counts only at the instant it happens: what this check did not use is gone.
    Waiter.Pulsed.clear();
    if (Result != WAIT_TIMEOUT || dwMilliseconds == 0) {
      break;
    }
    const UInt64 Now = Clock().MonotonicNs();
    if (Now >= Deadline) {
      break;
    }
    if (Infinite && !Polled) {
      S.Changed.wait(L);
    } else {
      Clock().WaitUntil(S.Changed, L, Polled ? std::min(Deadline, Now + PollSliceNs) : Deadline);
    }
  }
  CurrentWaiter = nullptr;
  std::erase(S.Waiters, &Waiter);
  return Result;
}

// Threads -------------------------------------------------------------------------------------------------
HANDLE CreateThread(LPVOID, std::size_t, LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter,
                    DWORD dwCreationFlags, DWORD* lpThreadId) {
  if (!lpStartAddress) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto T = std::make_shared<TThreadObject>();
  T->Start = lpStartAddress;
  T->Param = lpParameter;
  T->Id = NextThreadId.fetch_add(1);
  T->SuspendCount = (dwCreationFlags & CREATE_SUSPENDED) ? 1 : 0;
  if (T->SuspendCount == 0) {
    bool Ok = false;
    ChangeWaitableState([&] { Ok = T->Launch(); });
    if (!Ok) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
  }
  if (lpThreadId) {
    *lpThreadId = T->Id;
  }
  return AddKernelObject(std::move(T));
}

DWORD ResumeThread(HANDLE hThread) {
  auto T = Lookup<TThreadObject>(hThread);
  if (!T) {
    return 0xFFFFFFFF;
  }
  DWORD Previous = 0;
  bool Ok = true;
  ChangeWaitableState([&] {
    Previous = T->SuspendCount;
    if (T->Started || T->SuspendCount == 0) {
      return;
    }
    if (--T->SuspendCount == 0 && !T->Launch()) {
      T->SuspendCount = 1;
      Ok = false;
    }
  });
  if (!Ok) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0xFFFFFFFF;
  }
  return Previous;
}

DWORD SuspendThread(HANDLE hThread) {
  auto T = Lookup<TThreadObject>(hThread);
  if (!T) {
    return 0xFFFFFFFF;
  }
  DWORD Previous = 0xFFFFFFFF;
  ChangeWaitableState([&] {
    if (!T->Started) {
      Previous = T->SuspendCount++;
    }
  });
  if (Previous == 0xFFFFFFFF) {
    SetLastError(ERROR_NOT_SUPPORTED);
  }
  return Previous;
}

BOOL GetExitCodeThread(HANDLE hThread, DWORD* lpExitCode) {
  auto T = Lookup<TThreadObject>(hThread);
  if (!T || !lpExitCode) {
    if (T) {
      SetLastError(ERROR_INVALID_PARAMETER);
    }
    return FALSE;
  }
  ChangeWaitableState([&] { *lpExitCode = T->ExitCode; });
  return TRUE;
}

DWORD GetThreadId(HANDLE hThread) {
  auto T = Lookup<TThreadObject>(hThread);
  return T ? T->Id : 0;
}

DWORD GetCurrentThreadId() {
  if (CurrentThreadId == 0) {
    CurrentThreadId = NextThreadId.fetch_add(1);
  }
  return CurrentThreadId;
}

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

// Critical sections ---------------------------------------------------------------------------------------
void InitializeCriticalSection(RTL_CRITICAL_SECTION* lpCriticalSection) {
  pthread_mutexattr_t Attr;
  pthread_mutexattr_init(&Attr);
  pthread_mutexattr_settype(&Attr, PTHREAD_MUTEX_RECURSIVE);
  pthread_mutex_init(&lpCriticalSection->Mutex, &Attr);
  pthread_mutexattr_destroy(&Attr);
  lpCriticalSection->OwningThread = 0;
  lpCriticalSection->RecursionCount = 0;
}

void EnterCriticalSection(RTL_CRITICAL_SECTION* lpCriticalSection) {
  pthread_mutex_lock(&lpCriticalSection->Mutex);
  lpCriticalSection->OwningThread = GetCurrentThreadId();
  ++lpCriticalSection->RecursionCount;
}

void LeaveCriticalSection(RTL_CRITICAL_SECTION* lpCriticalSection) {
  // Leaving a section the thread does not hold is a caller fault; it must not unlock another thread's hold.
  if (lpCriticalSection->OwningThread != GetCurrentThreadId()) {
    return;
  }
  if (--lpCriticalSection->RecursionCount == 0) {
    lpCriticalSection->OwningThread = 0;
  }
  pthread_mutex_unlock(&lpCriticalSection->Mutex);
}

BOOL TryEnterCriticalSection(RTL_CRITICAL_SECTION* lpCriticalSection) {
  if (pthread_mutex_trylock(&lpCriticalSection->Mutex) != 0) {
    return FALSE;
  }
  lpCriticalSection->OwningThread = GetCurrentThreadId();
  ++lpCriticalSection->RecursionCount;
  return TRUE;
}

void DeleteCriticalSection(RTL_CRITICAL_SECTION* lpCriticalSection) {
  pthread_mutex_destroy(&lpCriticalSection->Mutex);
}

// Interlocked operations ----------------------------------------------------------------------------------
LONG InterlockedIncrement(volatile LONG* Addend) { return __atomic_add_fetch(Addend, 1, __ATOMIC_SEQ_CST); }
LONG InterlockedDecrement(volatile LONG* Addend) { return __atomic_sub_fetch(Addend, 1, __ATOMIC_SEQ_CST); }
LONG InterlockedExchange(volatile LONG* Target, LONG Value) {
  return __atomic_exchange_n(Target, Value, __ATOMIC_SEQ_CST);
}
LONG InterlockedExchangeAdd(volatile LONG* Addend, LONG Value) {
  return __atomic_fetch_add(Addend, Value, __ATOMIC_SEQ_CST);
}
LONG InterlockedCompareExchange(volatile LONG* Destination, LONG Exchange, LONG Comparand) {
  __atomic_compare_exchange_n(Destination, &Comparand, Exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
  return Comparand;  // on failure the builtin stored the value it found
}
void* InterlockedExchangePointer(void* volatile* Target, void* Value) {
  return __atomic_exchange_n(Target, Value, __ATOMIC_SEQ_CST);
}
void* InterlockedCompareExchangePointer(void* volatile* Destination, void* Exchange, void* Comparand) {
  __atomic_compare_exchange_n(Destination, &Comparand, Exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
  return Comparand;
}

// Thread-local storage ------------------------------------------------------------------------------------
namespace {
constexpr DWORD TlsSlotCount = 1088;  // the platform's 64 plus its 1024 expansion slots
// An odd generation marks a slot in use; each allocation starts a new generation, so values a thread stored
// under an earlier allocation of the same index read as null.
std::array<std::atomic<UInt64>, TlsSlotCount> TlsGeneration{};
std::mutex TlsAllocLock;
struct TTlsValue {
  UInt64 Generation = 0;
  void* Value = nullptr;
};
thread_local std::vector<TTlsValue> TlsValues;

bool TlsInUse(DWORD Index, UInt64& Generation) {
  if (Index >= TlsSlotCount) {
    return false;
  }
  Generation = TlsGeneration[Index].load(std::memory_order_acquire);
  return (Generation & 1) != 0;
}
}  // namespace

DWORD TlsAlloc() {
  std::lock_guard<std::mutex> G(TlsAllocLock);
  for (DWORD I = 0; I < TlsSlotCount; ++I) {
    if ((TlsGeneration[I].load() & 1) == 0) {
      TlsGeneration[I].fetch_add(1);
      return I;
    }
  }
  SetLastError(ERROR_NO_MORE_ITEMS);
  return TLS_OUT_OF_INDEXES;
}

BOOL TlsFree(DWORD dwTlsIndex) {
  std::lock_guard<std::mutex> G(TlsAllocLock);
  UInt64 Generation = 0;
  if (!TlsInUse(dwTlsIndex, Generation)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  TlsGeneration[dwTlsIndex].fetch_add(1);
  return TRUE;
}

LPVOID TlsGetValue(DWORD dwTlsIndex) {
  UInt64 Generation = 0;
  if (!TlsInUse(dwTlsIndex, Generation)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  SetLastError(ERROR_SUCCESS);
  if (dwTlsIndex >= TlsValues.size() || TlsValues[dwTlsIndex].Generation != Generation) {
    return nullptr;
  }
  return TlsValues[dwTlsIndex].Value;
}

BOOL TlsSetValue(DWORD dwTlsIndex, LPVOID lpTlsValue) {
  UInt64 Generation = 0;
  if (!TlsInUse(dwTlsIndex, Generation)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (dwTlsIndex >= TlsValues.size()) {
    TlsValues.resize(dwTlsIndex + 1);
  }
  TlsValues[dwTlsIndex] = TTlsValue{Generation, lpTlsValue};
  return TRUE;
}
