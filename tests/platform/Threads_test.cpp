// Tests of TThread, synchronised calls, the multi-reader exclusive-writer lock and the event wrappers.
#include "platform/classes/Threads.h"

#include "platform/classes/SyncObjs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace {

// Constructs a thread as the virtual constructor does: construction, then AfterConstruction.
template <class T, class... A> T* Make(A&&... Args) {
  T* Thread = new T(std::forward<A>(Args)...);
  Thread->AfterConstruction();
  return Thread;
}

// Loops until terminated, then returns how many rounds it made as ReturnValue.
class TLoopThread : public TThread {
public:
  explicit TLoopThread(bool CreateSuspended, std::atomic<bool>* ADestroyed = nullptr)
      : TThread(CreateSuspended), Destroyed(ADestroyed) {}
  ~TLoopThread() override {
    if (Destroyed) {
      *Destroyed = true;
    }
  }
  std::atomic<int> Rounds{0};
  std::atomic<bool> Ran{false};

protected:
  void Execute() override {
    Ran = true;
    while (!Terminated()) {
      ++Rounds;
      std::this_thread::yield();
    }
    SetReturnValue(77);
  }

private:
  std::atomic<bool>* Destroyed;
};

// Runs a function as Execute.
class TFnThread : public TThread {
public:
  explicit TFnThread(std::function<void(TFnThread&)> AFn) : TThread(true), Fn(std::move(AFn)) {}
  using TThread::SetReturnValue;
  using TThread::Synchronize;

protected:
  void Execute() override { Fn(*this); }

private:
  std::function<void(TFnThread&)> Fn;
};

TEST(Thread, TerminateEndsExecuteAndWaitForReturnsTheReturnValue) {
  auto* T = Make<TLoopThread>(false);
  while (T->Rounds == 0) {
    std::this_thread::yield();
  }
  EXPECT_FALSE(T->Finished());
  T->Terminate();
  EXPECT_TRUE(T->Terminated());
  EXPECT_EQ(T->WaitFor(), 77u);
  EXPECT_TRUE(T->Finished());
  EXPECT_EQ(WaitForSingleObject(T->Handle(), 0), WAIT_OBJECT_0) << "the handle is waitable";
  EXPECT_NE(T->ThreadID(), GetCurrentThreadId());
  delete T;
}

TEST(Thread, SuspendedThreadRunsOnlyWhenStarted) {
  std::atomic<bool> Destroyed{false};
  auto* Never = Make<TLoopThread>(true, &Destroyed);
  EXPECT_THROW(Never->WaitFor(), EThread);
  delete Never;  // never started: discarded without running Execute
  EXPECT_TRUE(Destroyed);

  auto* T = Make<TLoopThread>(true);
  T->Suspend();  // nested: needs two Resumes, or one Start
  T->Resume();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(T->Ran) << "still suspended once";
  T->Start();
  while (!T->Ran) {
    std::this_thread::yield();
  }
  EXPECT_THROW(T->Suspend(), EThread) << "a running thread cannot be suspended here";
  EXPECT_THROW(T->Start(), EThread);
  delete T;  // terminates and waits
}

TEST(Thread, FreeOnTerminateDeletesItselfAfterOnTerminateRanOnTheMainThread) {
  std::atomic<bool> Destroyed{false};
  auto* T = new TLoopThread(true, &Destroyed);
  T->SetFreeOnTerminate(true);
  DWORD OnTerminateThread = 0;
  T->OnTerminate = [&](TObject* Sender) {
    EXPECT_EQ(Sender, T);
    OnTerminateThread = GetCurrentThreadId();
  };
  T->Start();
  EXPECT_THROW(T->WaitFor(), EThread) << "waiting for a self-freeing thread would touch a deleted object";
  T->Terminate();
  // OnTerminate is synchronised: the main thread has to run it before the thread can end.
  for (int I = 0; I < 500 && !Destroyed; ++I) {
    CheckSynchronize(10);
  }
  EXPECT_TRUE(Destroyed);
  EXPECT_EQ(OnTerminateThread, MainThreadID);
}

TEST(Thread, SynchronizeRunsOnTheMainThreadDuringWaitForAndPassesExceptionsBack) {
  DWORD RanOn = 0;
  auto* T = new TFnThread([&](TFnThread& Self) {
    Self.Synchronize([&] { RanOn = GetCurrentThreadId(); });
    Self.SetReturnValue(5);
    Self.Synchronize([] { throw EInvalidOperation("from the main thread"); });
  });
  T->Start();
  EXPECT_EQ(T->WaitFor(), 5u);
  EXPECT_EQ(RanOn, MainThreadID);
  ASSERT_TRUE(T->FatalException());
  EXPECT_THROW(std::rethrow_exception(T->FatalException()), EInvalidOperation);
  delete T;
}

TEST(Thread, WakeMainThreadIsCalledForEveryQueuedCall) {
  HANDLE Woken = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  WakeMainThread = [&](TObject*) { SetEvent(Woken); };
  bool Ran = false;
  auto* T = new TFnThread([&](TFnThread& Self) { Self.Synchronize([&] { Ran = true; }); });
  T->Start();
  ASSERT_EQ(WaitForSingleObject(Woken, 5000), WAIT_OBJECT_0);
  EXPECT_FALSE(Ran) << "the call waits for the main thread";
  EXPECT_TRUE(CheckSynchronize());
  EXPECT_TRUE(Ran);
  T->WaitFor();
  delete T;
  WakeMainThread = nullptr;
  CloseHandle(Woken);

  EXPECT_THROW(std::async(std::launch::async, [] { CheckSynchronize(); }).get(), EThread);
  EXPECT_FALSE(CheckSynchronize()) << "nothing queued";
}

TEST(Thread, ExceptionInExecuteBecomesFatalException) {
  auto* T = new TFnThread([](TFnThread&) { throw EConvertError("bad"); });
  T->Start();
  T->WaitFor();
  ASSERT_TRUE(T->FatalException());
  EXPECT_THROW(std::rethrow_exception(T->FatalException()), EConvertError);
  delete T;
}

TEST(MultiReadExclusiveWrite, ReadersShareWritersExclude) {
  TMultiReadExclusiveWriteSynchronizer Sync;
  Sync.BeginRead();
  EXPECT_TRUE(std::async(std::launch::async, [&] {
                Sync.BeginRead();  // a second reader gets in
                Sync.EndRead();
                return true;
              }).get());
  std::atomic<bool> Wrote{false};
  auto Writer = std::async(std::launch::async, [&] {
    const bool Clean = Sync.BeginWrite();
    Wrote = true;
    Sync.EndWrite();
    return Clean;
  });
  EXPECT_EQ(Writer.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
  EXPECT_FALSE(Wrote);
  Sync.BeginRead();  // nested read while a writer waits: must not dead-lock
  Sync.EndRead();
  Sync.EndRead();
  EXPECT_TRUE(Writer.get());

  // Re-entrant writing, and reading inside a write.
  EXPECT_TRUE(Sync.BeginWrite());
  EXPECT_TRUE(Sync.BeginWrite());
  Sync.BeginRead();
  Sync.EndRead();
  Sync.EndWrite();
  EXPECT_EQ(std::async(std::launch::async, [&] {
              return Sync.RevisionLevel();
            }).get(),
            2u);
  auto Reader = std::async(std::launch::async, [&] {
    Sync.BeginRead();
    Sync.EndRead();
  });
  EXPECT_EQ(Reader.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout) << "still held once";
  Sync.EndWrite();
  Reader.get();
}

TEST(MultiReadExclusiveWrite, TwoReadersPromotingBothGetInAndTheSecondLearnsOfTheFirst) {
  TMultiReadExclusiveWriteSynchronizer Sync;
  std::atomic<int> Reading{0};
  auto Promote = [&] {
    Sync.BeginRead();
    ++Reading;
    while (Reading < 2) {
      std::this_thread::yield();
    }
    const bool Clean = Sync.BeginWrite();
    Sync.EndWrite();
    Sync.EndRead();
    return Clean;
  };
  auto A = std::async(std::launch::async, Promote);
  auto B = std::async(std::launch::async, Promote);
  const int Clean = int(A.get()) + int(B.get());
  EXPECT_EQ(Clean, 1) << "the first writer is clean, the second is told another wrote in between";
}

TEST(SyncObjects, EventAndCriticalSectionWrappers) {
  TSimpleEvent E;
  EXPECT_EQ(E.WaitFor(0), wrTimeout);
  E.SetEvent();
  EXPECT_EQ(E.WaitFor(0), wrSignaled);
  EXPECT_EQ(E.WaitFor(0), wrSignaled) << "manual reset";
  E.ResetEvent();
  EXPECT_EQ(E.WaitFor(0), wrTimeout);

  TEvent Auto(nullptr, false, true, "");
  EXPECT_EQ(Auto.WaitFor(INFINITE), wrSignaled);
  EXPECT_EQ(Auto.WaitFor(0), wrTimeout);

  TCriticalSection CS;
  CS.Enter();
  EXPECT_TRUE(CS.TryEnter());
  EXPECT_FALSE(std::async(std::launch::async, [&] { return CS.TryEnter(); }).get());
  CS.Leave();
  CS.Leave();
  EXPECT_TRUE(std::async(std::launch::async, [&] {
                const bool Got = CS.TryEnter();
                CS.Leave();
                return Got;
              }).get());
}

}  // namespace
