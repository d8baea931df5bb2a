// Tests of the waitable objects, the wait functions, critical sections, interlocked operations and TLS.
#include "platform/win/Sync.h"

#include "platform/win/Clock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>
#include <vector>

namespace {

// Closes the handles a test made.
struct THandles {
  std::vector<HANDLE> List;
  HANDLE Add(HANDLE H) {
    List.push_back(H);
    return H;
  }
  ~THandles() {
    for (HANDLE H : List) {
      CloseHandle(H);
    }
  }
};

// Runs a wait on another thread so the test can change state while it blocks.
std::future<DWORD> WaitAsync(std::vector<HANDLE> Handles, BOOL WaitAll, DWORD Timeout) {
  return std::async(std::launch::async, [=] {
    return WaitForMultipleObjects(static_cast<DWORD>(Handles.size()), Handles.data(), WaitAll, Timeout);
  });
}

bool StillBlocked(std::future<DWORD>& F) {
  return F.wait_for(std::chrono::milliseconds(50)) == std::future_status::timeout;
}

TEST(Events, ManualResetStaysSignaledAutoResetReleasesOneWait) {
  THandles H;
  HANDLE Manual = H.Add(CreateEvent(nullptr, TRUE, TRUE, nullptr));
  HANDLE Auto = H.Add(CreateEvent(nullptr, FALSE, TRUE, nullptr));
  ASSERT_NE(Manual, nullptr);
  EXPECT_EQ(WaitForSingleObject(Manual, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(Manual, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(Auto, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(Auto, 0), WAIT_TIMEOUT);
  ResetEvent(Manual);
  EXPECT_EQ(WaitForSingleObject(Manual, 0), WAIT_TIMEOUT);
}

TEST(Events, SetEventWakesAnInfiniteWaitOnAnotherThread) {
  THandles H;
  HANDLE E = H.Add(CreateEvent(nullptr, FALSE, FALSE, nullptr));
  auto Waiter = WaitAsync({E}, FALSE, INFINITE);
  EXPECT_TRUE(StillBlocked(Waiter));
  SetEvent(E);
  EXPECT_EQ(Waiter.get(), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(E, 0), WAIT_TIMEOUT) << "the waiter consumed the auto-reset signal";
}

TEST(Events, AutoResetEventHandsItsTokenToOneWaiterAtATime) {
  THandles H;
  HANDLE Token = H.Add(CreateEvent(nullptr, FALSE, TRUE, nullptr));
  std::atomic<int> Holders{0};
  std::atomic<bool> Overlap{false};
  int Passes = 0;
  std::vector<std::thread> Threads;
  for (int T = 0; T < 4; ++T) {
    Threads.emplace_back([&] {
      for (int I = 0; I < 500; ++I) {
        ASSERT_EQ(WaitForSingleObject(Token, 10000), WAIT_OBJECT_0);
        Overlap = Overlap || ++Holders != 1;
        ++Passes;
        --Holders;
        SetEvent(Token);
      }
    });
  }
  for (auto& T : Threads) {
    T.join();
  }
  EXPECT_FALSE(Overlap);
  EXPECT_EQ(Passes, 2000);
}

TEST(Events, PulseReleasesCurrentWaitersOnlyAndLeavesTheEventReset) {
  THandles H;
  HANDLE E = H.Add(CreateEvent(nullptr, TRUE, FALSE, nullptr));
  PulseEvent(E);  // nobody waits: nothing to release
  EXPECT_EQ(WaitForSingleObject(E, 0), WAIT_TIMEOUT);

  auto A = WaitAsync({E}, FALSE, 10000);
  auto B = WaitAsync({E}, FALSE, 10000);
  ASSERT_TRUE(StillBlocked(A));
  ASSERT_TRUE(StillBlocked(B));
  // A waiter that had not quite begun its wait misses a pulse, so pulse until both have been released.
  for (int I = 0; I < 100 && (StillBlocked(A) || StillBlocked(B)); ++I) {
    PulseEvent(E);
  }
  EXPECT_EQ(A.get(), WAIT_OBJECT_0);
  EXPECT_EQ(B.get(), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(E, 0), WAIT_TIMEOUT);
}

TEST(Events, NamedEventIsSharedInsideTheProcess) {
  THandles H;
  HANDLE A = H.Add(CreateEvent(nullptr, TRUE, FALSE, "SyncTestEvent"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  HANDLE B = H.Add(CreateEvent(nullptr, TRUE, FALSE, "SyncTestEvent"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  SetEvent(A);
  EXPECT_EQ(WaitForSingleObject(B, 0), WAIT_OBJECT_0);
  EXPECT_EQ(CreateMutex(nullptr, FALSE, "SyncTestEvent"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(WaitMultiple, WaitAnyReturnsTheLowestSignaledIndex) {
  THandles H;
  HANDLE E[3];
  for (HANDLE& X : E) {
    X = H.Add(CreateEvent(nullptr, TRUE, FALSE, nullptr));
  }
  EXPECT_EQ(WaitForMultipleObjects(3, E, FALSE, 0), WAIT_TIMEOUT);
  SetEvent(E[2]);
  SetEvent(E[1]);
  EXPECT_EQ(WaitForMultipleObjects(3, E, FALSE, 0), WAIT_OBJECT_0 + 1);
}

TEST(WaitMultiple, WaitAllTakesEverythingAtOnceOrNothing) {
  THandles H;
  HANDLE E[2] = {H.Add(CreateEvent(nullptr, FALSE, FALSE, nullptr)),
                 H.Add(CreateSemaphore(nullptr, 0, 5, nullptr))};
  SetEvent(E[0]);
  EXPECT_EQ(WaitForMultipleObjects(2, E, TRUE, 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(E[0], 0), WAIT_OBJECT_0) << "a failed wait for all must not consume the event";

  SetEvent(E[0]);
  auto Waiter = WaitAsync({E[0], E[1]}, TRUE, INFINITE);
  ASSERT_TRUE(StillBlocked(Waiter));
  ReleaseSemaphore(E[1], 1, nullptr);
  EXPECT_EQ(Waiter.get(), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForMultipleObjects(2, E, FALSE, 0), WAIT_TIMEOUT) << "both were taken";
}

TEST(WaitMultiple, TimeOutsRunOnTheLayerClock) {
  TManualClock Manual;
  TScopedClock Scope(Manual);
  THandles H;
  HANDLE E = H.Add(CreateEvent(nullptr, TRUE, FALSE, nullptr));
  auto Waiter = WaitAsync({E}, FALSE, 60000);
  ASSERT_TRUE(StillBlocked(Waiter)) << "no real time passes on a manual clock";
  Manual.Advance(59999);
  ASSERT_TRUE(StillBlocked(Waiter));
  Manual.Advance(1);
  EXPECT_EQ(Waiter.get(), WAIT_TIMEOUT);
}

TEST(WaitMultiple, BadArgumentsFailWithThePlatformErrors) {
  THandles H;
  std::vector<HANDLE> Many;
  for (int I = 0; I < 65; ++I) {
    Many.push_back(H.Add(CreateEvent(nullptr, TRUE, FALSE, nullptr)));
  }
  SetEvent(Many[63]);
  EXPECT_EQ(WaitForMultipleObjects(64, Many.data(), FALSE, 0), WAIT_OBJECT_0 + 63);

  struct TCase {
    const char* Name;
    std::vector<HANDLE> Handles;
    BOOL WaitAll;
    LONG Error;
  };
  HANDLE Closed = CreateEvent(nullptr, TRUE, TRUE, nullptr);
  CloseHandle(Closed);
  const TCase Cases[] = {
      {"65 handles", Many, FALSE, ERROR_INVALID_PARAMETER},
      {"no handles", {}, FALSE, ERROR_INVALID_PARAMETER},
      {"closed handle", {Many[0], Closed}, FALSE, ERROR_INVALID_HANDLE},
      {"null handle", {nullptr}, FALSE, ERROR_INVALID_HANDLE},
      {"same object twice in a wait for all", {Many[0], Many[0]}, TRUE, ERROR_INVALID_PARAMETER},
  };
  for (const TCase& C : Cases) {
    SetLastError(0);
    EXPECT_EQ(WaitForMultipleObjects(static_cast<DWORD>(C.Handles.size()), C.Handles.data(), C.WaitAll, 0),
              WAIT_FAILED)
        << C.Name;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(C.Error)) << C.Name;
  }
}

TEST(Mutexes, RecursiveOwnershipAndOwnerOnlyRelease) {
  THandles H;
  HANDLE M = H.Add(CreateMutex(nullptr, TRUE, nullptr));
  EXPECT_EQ(WaitForSingleObject(M, 0), WAIT_OBJECT_0);  // owner again: count 2
  EXPECT_EQ(WaitAsync({M}, FALSE, 0).get(), WAIT_TIMEOUT);
  EXPECT_FALSE(std::async(std::launch::async, [M] { return ReleaseMutex(M); }).get());
  ASSERT_TRUE(ReleaseMutex(M));
  EXPECT_EQ(WaitAsync({M}, FALSE, 0).get(), WAIT_TIMEOUT) << "still held once";
  ASSERT_TRUE(ReleaseMutex(M));
  EXPECT_FALSE(ReleaseMutex(M));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));
}

TEST(Mutexes, OwnerThreadEndingAbandonsTheMutex) {
  THandles H;
  HANDLE Other = H.Add(CreateEvent(nullptr, TRUE, FALSE, nullptr));
  HANDLE M = H.Add(CreateMutex(nullptr, FALSE, nullptr));
  std::thread([M] { WaitForSingleObject(M, INFINITE); }).join();
  HANDLE Both[2] = {Other, M};
  EXPECT_EQ(WaitForMultipleObjects(2, Both, FALSE, 1000), WAIT_ABANDONED_0 + 1);
  ReleaseMutex(M);
  EXPECT_EQ(WaitForSingleObject(M, 0), WAIT_OBJECT_0) << "abandonment is reported once";
  ReleaseMutex(M);
}

TEST(Semaphores, CountsUnitsAndRefusesToPassTheMaximum) {
  THandles H;
  HANDLE S = H.Add(CreateSemaphore(nullptr, 2, 3, nullptr));
  EXPECT_EQ(WaitForSingleObject(S, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(S, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(S, 0), WAIT_TIMEOUT);
  LONG Previous = -1;
  ASSERT_TRUE(ReleaseSemaphore(S, 3, &Previous));
  EXPECT_EQ(Previous, 0);
  EXPECT_FALSE(ReleaseSemaphore(S, 1, &Previous));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TOO_MANY_POSTS));
  EXPECT_EQ(CreateSemaphore(nullptr, 4, 3, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

DWORD ReturnParam(LPVOID P) { return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(P)); }

TEST(ThreadHandles, SignaledWhenTheThreadEndsWithItsExitCode) {
  THandles H;
  DWORD Id = 0;
  HANDLE T = H.Add(CreateThread(nullptr, 0, &ReturnParam, reinterpret_cast<LPVOID>(42), CREATE_SUSPENDED, &Id));
  ASSERT_NE(T, nullptr);
  EXPECT_NE(Id, 0u);
  EXPECT_EQ(GetThreadId(T), Id);
  DWORD Code = 0;
  ASSERT_TRUE(GetExitCodeThread(T, &Code));
  EXPECT_EQ(Code, STILL_ACTIVE);
  EXPECT_EQ(WaitForSingleObject(T, 50), WAIT_TIMEOUT) << "a suspended thread does not run";
  EXPECT_EQ(ResumeThread(T), 1u);
  EXPECT_EQ(WaitForSingleObject(T, 5000), WAIT_OBJECT_0);
  ASSERT_TRUE(GetExitCodeThread(T, &Code));
  EXPECT_EQ(Code, 42u);
  EXPECT_EQ(SuspendThread(T), 0xFFFFFFFFu);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

TEST(CriticalSections, RecursiveAndExclusiveBetweenThreads) {
  CRITICAL_SECTION CS;
  InitializeCriticalSection(&CS);
  EnterCriticalSection(&CS);
  EXPECT_TRUE(TryEnterCriticalSection(&CS));
  EXPECT_FALSE(std::async(std::launch::async, [&] { return TryEnterCriticalSection(&CS); }).get());
  LeaveCriticalSection(&CS);
  EXPECT_FALSE(std::async(std::launch::async, [&] { return TryEnterCriticalSection(&CS); }).get());
  LeaveCriticalSection(&CS);

  long Counter = 0;
  std::vector<std::thread> Threads;
  for (int T = 0; T < 4; ++T) {
    Threads.emplace_back([&] {
      for (int I = 0; I < 10000; ++I) {
        EnterCriticalSection(&CS);
        ++Counter;
        LeaveCriticalSection(&CS);
      }
    });
  }
  for (auto& T : Threads) {
    T.join();
  }
  EXPECT_EQ(Counter, 40000);
  DeleteCriticalSection(&CS);
}

TEST(Interlocked, ReturnValuesFollowThePlatform) {
  volatile LONG V = 5;
  EXPECT_EQ(InterlockedIncrement(&V), 6);
  EXPECT_EQ(InterlockedDecrement(&V), 5);
  EXPECT_EQ(InterlockedExchangeAdd(&V, 10), 5);
  EXPECT_EQ(InterlockedExchange(&V, 7), 15);
  EXPECT_EQ(InterlockedCompareExchange(&V, 9, 1), 7) << "no match: unchanged";
  EXPECT_EQ(V, 7);
  EXPECT_EQ(InterlockedCompareExchange(&V, 9, 7), 7);
  EXPECT_EQ(V, 9);
  int X = 0;
  void* volatile P = nullptr;
  EXPECT_EQ(InterlockedCompareExchangePointer(&P, &X, nullptr), nullptr);
  EXPECT_EQ(InterlockedExchangePointer(&P, nullptr), &X);

  volatile LONG Shared = 0;
  std::vector<std::thread> Threads;
  for (int T = 0; T < 4; ++T) {
    Threads.emplace_back([&] {
      for (int I = 0; I < 10000; ++I) {
        InterlockedIncrement(&Shared);
      }
    });
  }
  for (auto& T : Threads) {
    T.join();
  }
  EXPECT_EQ(Shared, 40000);
}

TEST(ThreadLocalStorage, ValuesArePerThreadAndANewIndexStartsEmpty) {
  const DWORD Index = TlsAlloc();
  ASSERT_NE(Index, TLS_OUT_OF_INDEXES);
  int Mine = 1;
  ASSERT_TRUE(TlsSetValue(Index, &Mine));
  EXPECT_EQ(std::async(std::launch::async, [&] {
              int Theirs = 2;
              TlsSetValue(Index, &Theirs);
              return TlsGetValue(Index) == &Theirs;
            }).get(),
            true);
  EXPECT_EQ(TlsGetValue(Index), &Mine);
  ASSERT_TRUE(TlsFree(Index));
  SetLastError(0);
  EXPECT_EQ(TlsGetValue(Index), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  const DWORD Again = TlsAlloc();
  ASSERT_EQ(Again, Index) << "the freed slot is reused";
  SetLastError(ERROR_INVALID_DATA);
  EXPECT_EQ(TlsGetValue(Again), nullptr) << "the earlier value must not reappear";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  TlsFree(Again);
}

TEST(Identity, ThreadIdsDifferAndTheProcessIdIsTheSystems) {
  const DWORD Mine = GetCurrentThreadId();
  EXPECT_NE(Mine, 0u);
  EXPECT_EQ(GetCurrentThreadId(), Mine);
  EXPECT_NE(std::async(std::launch::async, [] { return GetCurrentThreadId(); }).get(), Mine);
  EXPECT_EQ(GetCurrentProcessId(), static_cast<DWORD>(getpid()));
}

}  // namespace
