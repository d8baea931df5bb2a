// The replaceable clock and sleep every timed service reads through, and the tick and performance counters.
#pragma once

#include "platform/win/WinTypes.h"

#include <condition_variable>
#include <mutex>
#include <vector>

// A source of time. The layer holds one current clock (the real one by default); tests install a
// TManualClock so that tick counts, wall-clock time, sleeps and timed waits move only when the test says so.
// Clocks are not owned by the layer: whoever installs one keeps it alive until it is replaced.
class TClock {
public:
  TClock() = default;
  TClock(const TClock&) = delete;
  TClock& operator=(const TClock&) = delete;
  virtual ~TClock() = default;

  // Monotonic time in nanoseconds since an arbitrary start; never goes back.
  virtual UInt64 MonotonicNs() = 0;
  // Wall-clock time as FILETIME ticks: 100 ns units since 1601-01-01 UTC.
  virtual Int64 SystemTime100ns() = 0;
  // Suspends the calling thread for the given milliseconds of this clock's time.
  virtual void Sleep(DWORD Milliseconds) = 0;
  // Blocks on Cond (Lock held on entry and on return) until it is notified, the clock's monotonic time
  // reaches DeadlineNs, or spuriously. Callers loop: re-check their condition and the deadline after each
  // return. A waiter on a manual clock wakes when the clock is advanced.
  virtual void WaitUntil(std::condition_variable& Cond, std::unique_lock<std::mutex>& Lock, UInt64 DeadlineNs) = 0;
};

// The operating system's clocks: CLOCK_MONOTONIC and CLOCK_REALTIME.
class TRealClock final : public TClock {
public:
  UInt64 MonotonicNs() override;
  Int64 SystemTime100ns() override;
  void Sleep(DWORD Milliseconds) override;
  void WaitUntil(std::condition_variable& Cond, std::unique_lock<std::mutex>& Lock, UInt64 DeadlineNs) override;
};

// A clock that stands still until advanced. Thread-safe.
class TManualClock final : public TClock {
public:
  // What Sleep does on this clock: advance the clock by the sleep's length and return at once (the default,
  // so single-threaded code that sleeps runs through), or block until another thread advances the clock far
  // enough.
  enum TSleepMode { smAdvance, smBlock };

  // Starts at the given monotonic time and wall-clock time (FILETIME ticks). The defaults are a tick count of
  // 1000 ms and 2020-01-01 00:00:00 UTC.
  explicit TManualClock(TSleepMode SleepMode = smAdvance, UInt64 StartNs = 1000000000ull,
                        Int64 StartSystemTime100ns = 132223104000000000ll);
  ~TManualClock() override;

  UInt64 MonotonicNs() override;
  Int64 SystemTime100ns() override;
  void Sleep(DWORD Milliseconds) override;
  void WaitUntil(std::condition_variable& Cond, std::unique_lock<std::mutex>& Lock, UInt64 DeadlineNs) override;

  // Moves both the monotonic and the wall-clock time forward and wakes every sleeper and waiter.
  void Advance(UInt64 Milliseconds);
  void AdvanceNs(UInt64 Nanoseconds);
  // Sets the wall-clock time (the monotonic time is not affected, as when the user changes the system time).
  void SetSystemTime100ns(Int64 Value);
  // The lengths of the Sleep calls made on this clock, in order.
  std::vector<DWORD> SleepCalls();

private:
  std::mutex Lock;
  std::condition_variable Changed;  // sleepers in smBlock mode
  TSleepMode Mode;
  UInt64 Now;
  Int64 SystemNow;
  std::vector<DWORD> Sleeps;
  std::vector<std::condition_variable*> Waiters;  // conditions of threads inside WaitUntil
};

// The current clock. Never null: the real clock when none is installed.
TClock& Clock();
// Installs a clock (null restores the real one) and returns the one it replaces.
TClock* SetClock(TClock* NewClock);

// Installs a clock for a scope and restores the previous one at its end.
class TScopedClock {
public:
  explicit TScopedClock(TClock& C) : Previous(SetClock(&C)) {}
  ~TScopedClock() { SetClock(Previous); }
  TScopedClock(const TScopedClock&) = delete;
  TScopedClock& operator=(const TScopedClock&) = delete;

private:
  TClock* Previous;
};

// A 64-bit value with its halves, as the counters report it.
union LARGE_INTEGER {
  struct {
    DWORD LowPart;
    LONG HighPart;
  };
  struct {
    DWORD LowPart;
    LONG HighPart;
  } u;
  LONGLONG QuadPart;
};

// Milliseconds since the clock's start; GetTickCount wraps after 49.7 days as on the platform.
DWORD GetTickCount();
ULONGLONG GetTickCount64();
// The performance counter counts at a fixed frequency of 10 MHz (100 ns ticks). Both return TRUE.
BOOL QueryPerformanceCounter(LARGE_INTEGER* Count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* Frequency);
// Suspends the calling thread through the current clock. Sleep(0) yields.
void Sleep(DWORD Milliseconds);
