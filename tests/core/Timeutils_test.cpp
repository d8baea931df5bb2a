// Tests of the time functions: elapsed time in words, day numbers, date and time text, intervals.
#include "core/Timeutils.h"

#include "platform/win/Clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

class TimeTest : public ::testing::Test {
protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
  }
};

TEST(FormatElapsedTime, Words) {
  struct TCase {
    Int64 Ms;
    const char* Text;
  } Cases[] = {
      {0, "0.00 seconds"},
      {1000, "1.00 second"},
      {1500, "1.50 seconds"},
      {60000, "1 minute, 0.00 seconds"},
      {3600000, "1 hour, 0 minutes, 0.00 seconds"},
      {90061500, "1 day, 1 hour, 1 minute, 1.50 seconds"},
      {2 * 86400000LL + 5000, "2 days, 0 hours, 0 minutes, 5.00 seconds"},
      {-5, "0.00 seconds"},
  };
  for (const TCase& C : Cases) {
    EXPECT_STREQ(FormatElapsedTime(C.Ms).text, C.Text) << C.Ms;
  }
}

TEST_F(TimeTest, DayNumbersAndFields) {
  // 2020-01-31 12:00 UTC, then a day later, then across the month's end.
  TManualClock Clock(TManualClock::smAdvance, 1000000000ull, 132223104000000000ll + 30LL * 864000000000LL +
                                                                 432000000000LL);
  TScopedClock Scope(Clock);
  EXPECT_EQ(GetCurrentYear(), 2020);
  EXPECT_EQ(GetCurrentMonth(), 1);
  EXPECT_EQ(GetCurrentDay(), 31);
  const int Jan31 = GetApproximateDayNumber();
  EXPECT_EQ(Jan31, static_cast<int>(2020 * 365.24 + 30.44 + 31 + 0.5));
  Clock.Advance(86400000);  // February 1st: the month's end counts 30.44 days
  const int Feb1 = GetApproximateDayNumber();
  EXPECT_GE(Feb1 - Jan31, 0);
  EXPECT_LE(Feb1 - Jan31, 4);
  Clock.Advance(86400000);
  EXPECT_EQ(GetApproximateDayNumber() - Feb1, 1);

  char Buffer[64];
  EXPECT_STREQ(GetDateStringBuf("yyyy'-'MM'-'dd", Buffer, sizeof Buffer), "2020-02-02");
  EXPECT_STREQ(GetTimeStringBuf("HH':'mm", Buffer, sizeof Buffer), "12:00");
  EXPECT_STRNE(GetDateString(nullptr), "error getting date or in date format");
  char Tiny[4];
  EXPECT_STREQ(GetDateStringBuf("yyyy'-'MM'-'dd", Tiny, sizeof Tiny), "err");
}

TEST(GetSecondsBetween, Intervals) {
  SYSTEMTIME A;
  A.wYear = 2024;
  A.wMonth = 2;
  A.wDay = 28;
  A.wHour = 23;
  A.wMinute = 59;
  A.wSecond = 59;
  A.wMilliseconds = 500;
  SYSTEMTIME B = A;
  B.wMonth = 3;
  B.wDay = 1;
  B.wHour = 0;
  B.wMinute = 0;
  B.wSecond = 0;
  B.wMilliseconds = 0;
  EXPECT_DOUBLE_EQ(GetSecondsBetween(&A, &B), 86400.5);  // 2024 is a leap year
  EXPECT_DOUBLE_EQ(GetSecondsBetween(&B, &A), -86400.5);
  SYSTEMTIME Bad = A;
  Bad.wMonth = 13;
  EXPECT_EQ(GetSecondsBetween(&A, &Bad), -1);

  FILETIME Ft;
  Ft.dwHighDateTime = 1;
  Ft.dwLowDateTime = 2;
  Int64 V = 0;
  FileTimeToInt64(&Ft, &V);
  EXPECT_EQ(V, (1LL << 32) + 2);
}

}  // namespace
