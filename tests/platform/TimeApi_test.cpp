// Tests of the replaceable clock, the counters and the calendar time conversions.
#include "platform/win/Clock.h"
#include "platform/win/TimeApi.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <thread>

namespace {
SYSTEMTIME St(WORD Y, WORD M, WORD D, WORD H = 0, WORD N = 0, WORD S = 0, WORD Ms = 0) {
  SYSTEMTIME T;
  T.wYear = Y;
  T.wMonth = M;
  T.wDay = D;
  T.wHour = H;
  T.wMinute = N;
  T.wSecond = S;
  T.wMilliseconds = Ms;
  return T;
}

// Sets a time zone for one test (a POSIX rule, so no zone database is needed) and restores the old one.
class TScopedTimeZone {
public:
  explicit TScopedTimeZone(const char* Tz) {
    const char* Old = std::getenv("TZ");
    HadOld = Old != nullptr;
    OldValue = Old ? Old : "";
    setenv("TZ", Tz, 1);
    tzset();
  }
  ~TScopedTimeZone() {
    if (HadOld) {
      setenv("TZ", OldValue.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

private:
  bool HadOld = false;
  std::string OldValue;
};
}  // namespace

TEST(Clock, ManualClockDrivesTickCountsCountersAndSleep) {
  TManualClock Manual;
  TScopedClock Scope(Manual);
  const DWORD T0 = GetTickCount();
  LARGE_INTEGER C0;
  LARGE_INTEGER Freq;
  ASSERT_TRUE(QueryPerformanceCounter(&C0));
  ASSERT_TRUE(QueryPerformanceFrequency(&Freq));
  EXPECT_EQ(GetTickCount(), T0);  // stands still

  Manual.Advance(250);
  EXPECT_EQ(GetTickCount() - T0, 250u);
  LARGE_INTEGER C1;
  QueryPerformanceCounter(&C1);
  EXPECT_EQ((C1.QuadPart - C0.QuadPart) * 1000 / Freq.QuadPart, 250);

  // Sleep on a manual clock in its default mode moves the clock and returns at once.
  Sleep(1000);
  EXPECT_EQ(GetTickCount() - T0, 1250u);
  EXPECT_EQ(Manual.SleepCalls(), std::vector<DWORD>{1000});

  // The wall-clock time moves along with it.
  FILETIME F0;
  GetSystemTimeAsFileTime(&F0);
  Manual.Advance(2000);
  FILETIME F1;
  GetSystemTimeAsFileTime(&F1);
  EXPECT_EQ(FileTimeToInt64(F1) - FileTimeToInt64(F0), 20000000);
}

TEST(Clock, TickCountWrapsAfter49DaysButTheWideCountDoesNot) {
  TManualClock Manual(TManualClock::smAdvance, 0);
  TScopedClock Scope(Manual);
  Manual.Advance(0xFFFFFFFFull);
  EXPECT_EQ(GetTickCount(), 0xFFFFFFFFu);
  Manual.Advance(11);
  EXPECT_EQ(GetTickCount(), 10u);
  EXPECT_EQ(GetTickCount64(), 0x100000000ull + 10);
}

TEST(Clock, BlockingSleepAndTimedWaitsWakeWhenTheClockIsAdvanced) {
  TManualClock Manual(TManualClock::smBlock);
  TScopedClock Scope(Manual);
  std::atomic<bool> SleepDone{false};
  std::atomic<bool> WaitDone{false};
  std::thread Sleeper([&] {
    Sleep(500);
    SleepDone = true;
  });
  std::thread Waiter([&] {
    std::mutex M;
    std::condition_variable C;
    std::unique_lock<std::mutex> L(M);
    const UInt64 Deadline = Clock().MonotonicNs() + 300 * 1000000ull;
    while (Clock().MonotonicNs() < Deadline) {
      Clock().WaitUntil(C, L, Deadline);
    }
    WaitDone = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_FALSE(SleepDone);
  EXPECT_FALSE(WaitDone);
  Manual.Advance(300);
  Waiter.join();
  EXPECT_TRUE(WaitDone);
  EXPECT_FALSE(SleepDone);
  Manual.Advance(200);
  Sleeper.join();
  EXPECT_TRUE(SleepDone);
}

TEST(Clock, RealClockIsRestoredAndMoves) {
  {
    TManualClock Manual;
    TScopedClock Scope(Manual);
  }
  // The real clock is back: real sleeping moves it (the manual one would stand still).
  const ULONGLONG A = GetTickCount64();
  Sleep(20);
  EXPECT_GT(GetTickCount64(), A);
}

TEST(TimeApi, FileTimeAndSystemTimeRoundTrip) {
  struct TCase {
    SYSTEMTIME Time;
    Int64 Ticks;
    WORD DayOfWeek;
  };
  const TCase Cases[] = {
      {St(1601, 1, 1), 0, 1},                                            // Monday
      {St(1970, 1, 1), UnixEpochFileTime, 4},                            // Thursday
      {St(2000, 2, 29, 23, 59, 59, 999), 125963423999990000ll, 2},       // leap day, Tuesday
      {St(2024, 12, 31, 12, 0, 0), 133801200000000000ll, 2},
  };
  for (const TCase& C : Cases) {
    FILETIME Ft;
    ASSERT_TRUE(SystemTimeToFileTime(&C.Time, &Ft)) << C.Time.wYear;
    EXPECT_EQ(FileTimeToInt64(Ft), C.Ticks) << C.Time.wYear;
    SYSTEMTIME Back;
    ASSERT_TRUE(FileTimeToSystemTime(&Ft, &Back));
    EXPECT_EQ(Back.wYear, C.Time.wYear);
    EXPECT_EQ(Back.wMonth, C.Time.wMonth);
    EXPECT_EQ(Back.wDay, C.Time.wDay);
    EXPECT_EQ(Back.wHour, C.Time.wHour);
    EXPECT_EQ(Back.wMinute, C.Time.wMinute);
    EXPECT_EQ(Back.wSecond, C.Time.wSecond);
    EXPECT_EQ(Back.wMilliseconds, C.Time.wMilliseconds);
    EXPECT_EQ(Back.wDayOfWeek, C.DayOfWeek) << C.Time.wYear;
  }
}

TEST(TimeApi, InvalidSystemTimesAreRejected) {
  const SYSTEMTIME Bad[] = {St(2023, 2, 29), St(2024, 13, 1), St(2024, 1, 0), St(2024, 1, 1, 24),
                            St(2024, 1, 1, 0, 60), St(1600, 12, 31), St(2024, 1, 1, 0, 0, 0, 1000)};
  for (const SYSTEMTIME& T : Bad) {
    FILETIME Ft;
    SetLastError(0);
    EXPECT_FALSE(SystemTimeToFileTime(&T, &Ft)) << T.wYear << "-" << T.wMonth << "-" << T.wDay;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
}

TEST(TimeApi, LocalTimeFollowsTheZoneAndItsDaylightSaving) {
  TScopedTimeZone Zone("CET-1CEST,M3.5.0,M10.5.0/3");
  FILETIME Winter;
  FILETIME Summer;
  SYSTEMTIME W = St(2024, 1, 15, 12, 0, 0);
  SYSTEMTIME S = St(2024, 7, 15, 12, 0, 0);
  SystemTimeToFileTime(&W, &Winter);
  SystemTimeToFileTime(&S, &Summer);
  FILETIME Local;
  ASSERT_TRUE(FileTimeToLocalFileTime(&Winter, &Local));
  EXPECT_EQ(FileTimeToInt64(Local) - FileTimeToInt64(Winter), 3600ll * 10000000);
  ASSERT_TRUE(FileTimeToLocalFileTime(&Summer, &Local));
  EXPECT_EQ(FileTimeToInt64(Local) - FileTimeToInt64(Summer), 7200ll * 10000000);
  FILETIME Utc;
  ASSERT_TRUE(LocalFileTimeToFileTime(&Local, &Utc));
  EXPECT_EQ(FileTimeToInt64(Utc), FileTimeToInt64(Summer));

  // GetLocalTime and GetSystemTime read the layer's clock.
  TManualClock Manual(TManualClock::smAdvance, 1000000000ull, FileTimeToInt64(Summer));
  TScopedClock Scope(Manual);
  SYSTEMTIME Sys;
  SYSTEMTIME Loc;
  GetSystemTime(&Sys);
  GetLocalTime(&Loc);
  EXPECT_EQ(Sys.wHour, 12);
  EXPECT_EQ(Loc.wHour, 14);
  EXPECT_EQ(Loc.wDayOfWeek, 1);  // 2024-07-15 was a Monday

  TIME_ZONE_INFORMATION Tzi;
  EXPECT_EQ(GetTimeZoneInformation(&Tzi), TIME_ZONE_ID_DAYLIGHT);
  EXPECT_EQ(Tzi.Bias, -60);
  EXPECT_EQ(Tzi.DaylightBias, -60);
  EXPECT_STREQ(Tzi.StandardName, "CET");
}

TEST(TimeApi, DosDateTimeKeepsTwoSecondStepsAndItsYearRange) {
  SYSTEMTIME T = St(2010, 6, 7, 8, 9, 11);
  FILETIME Ft;
  SystemTimeToFileTime(&T, &Ft);
  WORD D = 0;
  WORD Tm = 0;
  ASSERT_TRUE(FileTimeToDosDateTime(&Ft, &D, &Tm));
  EXPECT_EQ(D, ((2010 - 1980) << 9) | (6 << 5) | 7);
  EXPECT_EQ(Tm, (8 << 11) | (9 << 5) | 5);
  FILETIME Back;
  ASSERT_TRUE(DosDateTimeToFileTime(D, Tm, &Back));
  EXPECT_EQ(FileTimeToInt64(Ft) - FileTimeToInt64(Back), 10000000);  // the odd second is lost

  SYSTEMTIME Old = St(1979, 12, 31);
  SystemTimeToFileTime(&Old, &Ft);
  EXPECT_FALSE(FileTimeToDosDateTime(&Ft, &D, &Tm));
}
