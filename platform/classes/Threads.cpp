// TThread, the synchronisation queue and TMultiReadExclusiveWriteSynchronizer.
#include "platform/classes/Threads.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(TThread, TObject)
Z_IMPLEMENT_CLASS(TMultiReadExclusiveWriteSynchronizer, TObject)

TNotifyEvent WakeMainThread;

namespace {

struct TSyncRequest {
  const TThreadMethod* Method = nullptr;
  std::exception_ptr Error;
  bool Done = false;
};

// The queue of synchronised calls. Never destroyed: threads may still queue while statics are torn down.
struct TSyncQueue {
  std::mutex Lock;
  std::condition_variable Done;
  std::vector<TSyncRequest*> Pending;
  HANDLE Signal = CreateEvent(nullptr, TRUE, FALSE, nullptr);  // set while calls are pending
};
TSyncQueue& Queue() {
  static TSyncQueue* Q = new TSyncQueue;
  return *Q;
}

}  // namespace

bool CheckSynchronize(Integer Timeout) {
  if (GetCurrentThreadId() != MainThreadID) {
    throw EThread(Format("CheckSynchronize called from thread $%x, which is NOT the main thread",
                         {static_cast<Integer>(GetCurrentThreadId())}));
  }
  TSyncQueue& Q = Queue();
  if (Timeout > 0) {
    WaitForSingleObject(Q.Signal, static_cast<DWORD>(Timeout));
  }
  std::vector<TSyncRequest*> Calls;
  {
    std::lock_guard<std::mutex> G(Q.Lock);
    ResetEvent(Q.Signal);
    Calls.swap(Q.Pending);
  }
  for (TSyncRequest* R : Calls) {
    try {
      (*R->Method)();
    } catch (...) {
      R->Error = std::current_exception();
    }
    std::lock_guard<std::mutex> G(Q.Lock);
    R->Done = true;
  }
  if (!Calls.empty()) {
    Q.Done.notify_all();
  }
  return !Calls.empty();
}

// TThread ---------------------------------------------------------------------------------------------------

TThread::TThread(bool CreateSuspended) : FCreateSuspended(CreateSuspended) {
  FHandle = CreateThread(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &FThreadID);
  if (!FHandle) {
    throw EThread(Format("Thread creation error (%d)", {static_cast<Integer>(GetLastError())}));
  }
}

TThread::~TThread() {
  if (FHandle) {
    CloseHandle(FHandle);
  }
}

void TThread::AfterConstruction() {
  if (!FCreateSuspended) {
    Resume();
  }
}

void TThread::BeforeDestruction() {
  // Runs while the subclass is still whole: Execute may be using it until the thread ends.
  if (FStarted && !FFinished && GetCurrentThreadId() != FThreadID) {
    Terminate();
    WaitForEnd();
  }
}

DWORD TThread::ThreadProc(LPVOID Param) {
  auto* Self = static_cast<TThread*>(Param);
  if (!Self->Terminated()) {
    try {
      Self->Execute();
    } catch (...) {
      Self->FFatalException = std::current_exception();
    }
  }
  const bool FreeThread = Self->FFreeOnTerminate;
  const DWORD Result = Self->FReturnValue;
  try {
    Self->DoTerminate();
  } catch (...) {
    if (!Self->FFatalException) {
      Self->FFatalException = std::current_exception();
    }
  }
  // After this store the owner may delete the object at any moment.
  Self->FFinished = true;
  if (FreeThread) {
    delete Self;
  }
  return Result;
}

void TThread::DoTerminate() {
  if (OnTerminate) {
    Synchronize([this] { OnTerminate(this); });
  }
}

void TThread::Resume() {
  if (FStarted) {
    return;
  }
  const DWORD Previous = ResumeThread(FHandle);
  if (Previous == 0xFFFFFFFF) {
    throw EThread(Format("Thread error (%d)", {static_cast<Integer>(GetLastError())}));
  }
  if (Previous <= 1) {
    FStarted = true;
    FSuspended = false;
  }
}

void TThread::Start() {
  if (FStarted || FFinished) {
    throw EThread("Cannot call Start on a running or terminated thread");
  }
  while (!FStarted) {
    Resume();
  }
}

void TThread::Suspend() {
  if (FStarted) {
    throw EThread("Cannot suspend a running thread on this system");
  }
  SuspendThread(FHandle);
  FSuspended = true;
}

void TThread::SetSuspended(bool Value) {
  if (Value) {
    Suspend();
  } else {
    Resume();
  }
}

void TThread::Terminate() { FTerminated = true; }

void TThread::WaitForEnd() {
  if (GetCurrentThreadId() != MainThreadID) {
    WaitForSingleObject(FHandle, INFINITE);
    return;
  }
  const HANDLE Handles[2] = {FHandle, Queue().Signal};
  while (WaitForMultipleObjects(2, Handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    CheckSynchronize();
  }
}

LongWord TThread::WaitFor() {
  if (GetCurrentThreadId() == FThreadID) {
    throw EThread("A thread cannot wait for itself");
  }
  if (!FStarted) {
    throw EThread("Cannot wait for a thread that has not been started");
  }
  if (FFreeOnTerminate) {
    throw EThread("Cannot call WaitFor on a thread that frees itself");
  }
  WaitForEnd();
  return FReturnValue;
}

void TThread::Synchronize(const TThreadMethod& Method) {
  if (GetCurrentThreadId() == MainThreadID) {
    Method();
    return;
  }
  TSyncQueue& Q = Queue();
  TSyncRequest Request;
  Request.Method = &Method;
  TNotifyEvent Wake;
  {
    std::lock_guard<std::mutex> G(Q.Lock);
    Q.Pending.push_back(&Request);
    SetEvent(Q.Signal);
    Wake = WakeMainThread;
  }
  if (Wake) {
    Wake(this);
  }
  {
    std::unique_lock<std::mutex> L(Q.Lock);
    Q.Done.wait(L, [&] { return Request.Done; });
  }
  if (Request.Error) {
    std::rethrow_exception(Request.Error);
  }
}

// TMultiReadExclusiveWriteSynchronizer ----------------------------------------------------------------------

bool TMultiReadExclusiveWriteSynchronizer::ReadersBlockWriter(DWORD Me) const {
  for (const auto& [Thread, Depth] : FReaders) {
    if (Thread != Me && Depth > 0 &&
        std::find(FPromoting.begin(), FPromoting.end(), Thread) == FPromoting.end()) {
      return true;
    }
  }
  return false;
}

void TMultiReadExclusiveWriteSynchronizer::BeginRead() {
  const DWORD Me = GetCurrentThreadId();
  std::unique_lock<std::mutex> L(FLock);
  auto It = FReaders.find(Me);
  if (FWriter != Me && (It == FReaders.end() || It->second == 0)) {
    // Waiting writers go first, so a stream of readers cannot starve them.
    FChanged.wait(L, [&] { return FWriter == 0 && FWaitingWriters == 0; });
  }
  ++FReaders[Me];
}

void TMultiReadExclusiveWriteSynchronizer::EndRead() {
  const DWORD Me = GetCurrentThreadId();
  {
    std::lock_guard<std::mutex> G(FLock);
    auto It = FReaders.find(Me);
    if (It == FReaders.end()) {
      return;
    }
    if (--It->second <= 0) {
      FReaders.erase(It);
    }
  }
  FChanged.notify_all();
}

bool TMultiReadExclusiveWriteSynchronizer::BeginWrite() {
  const DWORD Me = GetCurrentThreadId();
  std::unique_lock<std::mutex> L(FLock);
  if (FWriter == Me) {
    ++FWriteDepth;
    return true;
  }
  const Cardinal Seen = FRevision;
  ++FWaitingWriters;
  FPromoting.push_back(Me);
  FChanged.wait(L, [&] { return FWriter == 0 && !ReadersBlockWriter(Me); });
  --FWaitingWriters;
  std::erase(FPromoting, Me);
  FWriter = Me;
  FWriteDepth = 1;
  ++FRevision;
  return FRevision == Seen + 1;
}

void TMultiReadExclusiveWriteSynchronizer::EndWrite() {
  const DWORD Me = GetCurrentThreadId();
  {
    std::lock_guard<std::mutex> G(FLock);
    if (FWriter != Me || --FWriteDepth > 0) {
      return;
    }
    FWriter = 0;
    FWriteDepth = 0;
  }
  FChanged.notify_all();
}

Cardinal TMultiReadExclusiveWriteSynchronizer::RevisionLevel() {
  std::lock_guard<std::mutex> G(FLock);
  return FRevision;
}
