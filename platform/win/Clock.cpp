// The replaceable clock, the real and manual clocks, and the counters and Sleep read through them.
#include "platform/win/Clock.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>

namespace {
// Seconds between 1601-01-01 and 1970-01-01.
constexpr Int64 UnixEpochIn100ns = 116444736000000000ll;

UInt64 ReadClock(clockid_t Id) {
  timespec Ts{};
  clock_gettime(Id, &Ts);
  return static_cast<UInt64>(Ts.tv_sec) * 1000000000ull + static_cast<UInt64>(Ts.tv_nsec);
}

TRealClock& RealClock() {
  static TRealClock Real;
  return Real;
}

std::atomic<TClock*> Current{nullptr};

// A waiter on a manual clock also wakes on this real-time slice, so a notification that slips between its
// deadline check and its wait costs at most this long.
constexpr auto ManualWaitSlice = std::chrono::milliseconds(5);
}  // namespace

UInt64 TRealClock::MonotonicNs() { return ReadClock(CLOCK_MONOTONIC); }

Int64 TRealClock::SystemTime100ns() {
  return static_cast<Int64>(ReadClock(CLOCK_REALTIME) / 100) + UnixEpochIn100ns;
}

void TRealClock::Sleep(DWORD Milliseconds) {
  if (Milliseconds == 0) {
    std::this_thread::yield();
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds));
}

void TRealClock::WaitUntil(std::condition_variable& Cond, std::unique_lock<std::mutex>& Lock, UInt64 DeadlineNs) {
  const UInt64 NowNs = MonotonicNs();
  if (DeadlineNs <= NowNs) {
    return;
  }
  // steady_clock is CLOCK_MONOTONIC on Linux, but a relative wait does not depend on that.
  Cond.wait_for(Lock, std::chrono::nanoseconds(DeadlineNs - NowNs));
}

TManualClock::TManualClock(TSleepMode SleepMode, UInt64 StartNs, Int64 StartSystemTime100ns)
    : Mode(SleepMode), Now(StartNs), SystemNow(StartSystemTime100ns) {}

TManualClock::~TManualClock() = default;

UInt64 TManualClock::MonotonicNs() {
  std::lock_guard<std::mutex> G(Lock);
  return Now;
}

Int64 TManualClock::SystemTime100ns() {
  std::lock_guard<std::mutex> G(Lock);
  return SystemNow;
}

void TManualClock::Sleep(DWORD Milliseconds) {
  {
    std::lock_guard<std::mutex> G(Lock);
    Sleeps.push_back(Milliseconds);
  }
  if (Mode == smAdvance) {
    Advance(Milliseconds);
    return;
  }
  std::unique_lock<std::mutex> L(Lock);
  const UInt64 Deadline = Now + static_cast<UInt64>(Milliseconds) * 1000000ull;
  Changed.wait(L, [&] { return Now >= Deadline; });
}

void TManualClock::WaitUntil(std::condition_variable& Cond, std::unique_lock<std::mutex>& CallerLock,
                             UInt64 DeadlineNs) {
  {
    std::lock_guard<std::mutex> G(Lock);
    if (Now >= DeadlineNs) {
      return;
    }
    Waiters.push_back(&Cond);
  }
  Cond.wait_for(CallerLock, ManualWaitSlice);
  std::lock_guard<std::mutex> G(Lock);
  auto It = std::find(Waiters.begin(), Waiters.end(), &Cond);
  if (It != Waiters.end()) {
    Waiters.erase(It);
  }
}

void TManualClock::Advance(UInt64 Milliseconds) { AdvanceNs(Milliseconds * 1000000ull); }

void TManualClock::AdvanceNs(UInt64 Nanoseconds) {
  std::lock_guard<std::mutex> G(Lock);
  Now += Nanoseconds;
  SystemNow += static_cast<Int64>(Nanoseconds / 100);
  Changed.notify_all();
  for (std::condition_variable* C : Waiters) {
    C->notify_all();
  }
}

void TManualClock::SetSystemTime100ns(Int64 Value) {
  std::lock_guard<std::mutex> G(Lock);
  SystemNow = Value;
}

std::vector<DWORD> TManualClock::SleepCalls() {
  std::lock_guard<std::mutex> G(Lock);
  return Sleeps;
}

TClock& Clock() {
  TClock* C = Current.load(std::memory_order_acquire);
  return C ? *C : RealClock();
}

TClock* SetClock(TClock* NewClock) {
  TClock* Old = Current.exchange(NewClock, std::memory_order_acq_rel);
  return Old ? Old : &RealClock();
}

DWORD GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }

ULONGLONG GetTickCount64() { return Clock().MonotonicNs() / 1000000ull; }

BOOL QueryPerformanceCounter(LARGE_INTEGER* Count) {
  if (!Count) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Count->QuadPart = static_cast<LONGLONG>(Clock().MonotonicNs() / 100);
  return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* Frequency) {
  if (!Frequency) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Frequency->QuadPart = 10000000;
  return TRUE;
}

void Sleep(DWORD Milliseconds) { Clock().Sleep(Milliseconds); }
