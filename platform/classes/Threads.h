// TThread, the queue of calls synchronised onto the main thread, and the multi-reader exclusive-writer lock.
#pragma once

#include "platform/rtl/Exceptions.h"
#include "platform/win/Sync.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

using TThreadMethod = std::function<void()>;
using TNotifyEvent = std::function<void(TObject* Sender)>;

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// Synchronize from a secondary thread queues its method for the main thread (MainThreadID) and blocks until
// the main thread has run it in CheckSynchronize. The event loop drains the queue: it installs WakeMainThread
// (called, from the queuing thread, each time a call is queued; typically it posts a message to wake the loop)
// and calls CheckSynchronize when woken and when idle. Until such a loop exists, the main thread drains the
// queue wherever it calls CheckSynchronize or TThread::WaitFor. Synchronize called on the main thread runs the
// method at once.
extern TNotifyEvent WakeMainThread;
// Runs the queued calls on the main thread, first waiting up to Timeout ms for one to arrive. Returns true
// when it ran any. Raises EThread when called from another thread.
bool CheckSynchronize(Integer Timeout = 0);

// A thread of execution. Subclasses override Execute and poll Terminated.
// Starting: C++ cannot call the subclass's Execute from TThread's constructor, so a thread created with
// CreateSuspended = false starts in AfterConstruction. The class library's virtual constructor calls it;
// code that uses `new` directly calls AfterConstruction() afterwards (or creates the thread suspended and
// calls Start/Resume).
// Suspend works only before the thread has started (Linux cannot stop a running thread safely); on a running
// thread it raises EThread instead of pretending.
// Lifetime: `delete` on an unfinished thread terminates it and waits for it; a thread that was never started
// is discarded without running Execute. With FreeOnTerminate the thread deletes itself after OnTerminate.
class TThread : public TObject {
  Z_CLASS(TThread, TObject)
public:
  explicit TThread(bool CreateSuspended);
  ~TThread() override;
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  void AfterConstruction() override;
  void BeforeDestruction() override;

  // Starts a thread created suspended (Resume counts down nested Suspends). Start raises EThread when the
  // thread already runs or has finished.
  void Resume();
  void Start();
  void Suspend();
  // Asks Execute to stop: sets Terminated.
  void Terminate();
  // Waits until the thread has finished and returns ReturnValue. On the main thread it keeps running
  // synchronised calls meanwhile, so a thread that synchronises while being waited for does not dead-lock.
  // Raises EThread for a thread waiting for itself, one never started, or one that frees itself.
  LongWord WaitFor();
  // Runs Method on the main thread (see WakeMainThread) and returns when it has run; an exception it raises
  // is raised again here.
  void Synchronize(const TThreadMethod& Method);

  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }
  HANDLE Handle() const { return FHandle; }
  DWORD ThreadID() const { return FThreadID; }
  // Accepted and kept; the operating system's scheduling is not changed.
  TThreadPriority Priority() const { return FPriority; }
  void SetPriority(TThreadPriority Value) { FPriority = Value; }
  bool Suspended() const { return FSuspended; }
  void SetSuspended(bool Value);
  bool Terminated() const { return FTerminated.load(); }
  bool Finished() const { return FFinished.load(); }
  LongWord ReturnValue() const { return FReturnValue; }
  // The exception that ended Execute, or null.
  std::exception_ptr FatalException() const { return FFatalException; }

  // Called, through Synchronize, after Execute ends.
  TNotifyEvent OnTerminate;

protected:
  virtual void Execute() = 0;
  // Runs OnTerminate on the main thread.
  virtual void DoTerminate();
  void SetReturnValue(LongWord Value) { FReturnValue = Value; }

private:
  static DWORD ThreadProc(LPVOID Param);
  void WaitForEnd();

  HANDLE FHandle = nullptr;
  DWORD FThreadID = 0;
  bool FCreateSuspended;
  bool FSuspended = true;
  bool FStarted = false;
  bool FFreeOnTerminate = false;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  TThreadPriority FPriority = tpNormal;
  LongWord FReturnValue = 0;
  std::exception_ptr FFatalException;
};

// Many readers or one writer. Re-entrant: a thread may nest reads, nest writes and read while it writes.
// A reader may ask to write: while it waits, its read does not keep other writers out, and BeginWrite then
// returns false to say another thread wrote in between (what it read may be stale). BeginWrite returns true
// when no other writer came in between.
class TMultiReadExclusiveWriteSynchronizer : public TObject {
  Z_CLASS(TMultiReadExclusiveWriteSynchronizer, TObject)
public:
  TMultiReadExclusiveWriteSynchronizer() = default;
  TMultiReadExclusiveWriteSynchronizer(const TMultiReadExclusiveWriteSynchronizer&) = delete;
  TMultiReadExclusiveWriteSynchronizer& operator=(const TMultiReadExclusiveWriteSynchronizer&) = delete;

  void BeginRead();
  void EndRead();
  bool BeginWrite();
  void EndWrite();
  // Counts the writes so far.
  Cardinal RevisionLevel();

private:
  bool ReadersBlockWriter(DWORD Me) const;

  std::mutex FLock;
  std::condition_variable FChanged;
  DWORD FWriter = 0;
  Integer FWriteDepth = 0;
  Integer FWaitingWriters = 0;
  Cardinal FRevision = 0;
  std::map<DWORD, Integer> FReaders;      // read depth per thread
  std::vector<DWORD> FPromoting;          // readers waiting in BeginWrite
};
using TMREWSync = TMultiReadExclusiveWriteSynchronizer;
