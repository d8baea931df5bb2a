// Tests of the two date and time picture languages (the class library's FormatDateTime and the platform's
// GetDateFormat/GetTimeFormat), date arithmetic and parsing.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Clock.h"
#include "platform/win/Locale.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
// Every test starts from the default (English, United States) conventions, whatever the machine's locale.
class DateTest : public ::testing::Test {
protected:
  void SetUp() override {
    ReloadUserLocale("C");
    GetFormatSettings();
  }
  void TearDown() override {
    ReloadUserLocale("C");
    GetFormatSettings();
  }
  // 2024-03-05 (a Tuesday) 14:07:09.045
  const TDateTime Sample = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
};

SYSTEMTIME St(WORD Y, WORD M, WORD D, WORD H = 0, WORD N = 0, WORD S = 0) {
  SYSTEMTIME T;
  T.wYear = Y;
  T.wMonth = M;
  T.wDay = D;
  T.wHour = H;
  T.wMinute = N;
  T.wSecond = S;
  return T;
}

std::string DateFormat(const SYSTEMTIME& T, const char* Picture, DWORD Flags = 0) {
  char Buf[128];
  const int N = GetDateFormat(LOCALE_USER_DEFAULT, Flags, &T, Picture, Buf, sizeof(Buf));
  return N > 0 ? std::string(Buf) : "<error " + std::to_string(GetLastError()) + ">";
}

std::string TimeFormat(const SYSTEMTIME& T, const char* Picture, DWORD Flags = 0) {
  char Buf[128];
  const int N = GetTimeFormat(LOCALE_USER_DEFAULT, Flags, &T, Picture, Buf, sizeof(Buf));
  return N > 0 ? std::string(Buf) : "<error " + std::to_string(GetLastError()) + ">";
}
}  // namespace

TEST_F(DateTest, FormatDateTimePictures) {
  struct TCase {
    const char* Picture;
    const char* Expected;
  };
  const TCase Cases[] = {
      {"c", "3/5/2024 2:07:09 PM"},
      {"", "3/5/2024 2:07:09 PM"},
      {"d dd ddd dddd", "5 05 Tue Tuesday"},
      {"ddddd", "3/5/2024"},
      {"dddddd", "Tuesday, March 5, 2024"},
      {"m mm mmm mmmm", "3 03 Mar March"},
      {"yy yyyy", "24 2024"},
      {"h hh n nn s ss", "14 14 7 07 9 09"},
      {"hh:mm", "14:07"},  // m right after an hour is the minute
      {"h 'x' m", "14 x 7"},
      {"z zzz", "45 045"},
      {"t", "2:07 PM"},
      {"tt", "2:07:09 PM"},
      {"h:nn am/pm", "2:07 pm"},
      {"h:nn AM/PM", "2:07 PM"},
      {"h a/p", "2 p"},
      {"hh ampm", "02 PM"},
      {"'mm' \"dd\" mm", "mm dd 03"},
      {"yyyy/mm/dd", "2024/03/05"},
      {"DD-MMM-YYYY", "05-Mar-2024"},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(FormatDateTime(C.Picture, Sample), C.Expected) << "picture: " << C.Picture;
  }
}

TEST_F(DateTest, FormatDateTimeEdges) {
  // Midnight: "c" leaves the time out; the 12-hour clock shows 12, not 0.
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), "3/5/2024");
  EXPECT_EQ(FormatDateTime("h:nn am/pm", EncodeDate(2024, 3, 5)), "12:00 am");
  // The separators come from the globals.
  DateSeparator = '-';
  TimeSeparator = '.';
  EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn", Sample), "2024-03-05 14.07");
  // Before 1899-12-30 the fraction still counts forward from midnight.
  EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn", -1.25), "1899-12-29 06.00");
  // Pictures that name each other do not recurse without end.
  LongDateFormat = "dddddd";
  EXPECT_NO_THROW(FormatDateTime("dddddd", Sample));
  // The last millisecond of a day stays in that day.
  Word H = 0, M = 0, S = 0, Ms = 0;
  DecodeTime(EncodeTime(23, 59, 59, 999), H, M, S, Ms);
  EXPECT_EQ(H * 10000000 + M * 100000 + S * 1000 + Ms, 235959999);
}

TEST_F(DateTest, PlatformPicturesWithTheDefaultLocale) {
  struct TCase {
    SYSTEMTIME Date;
    const char* Picture;
    const char* Expected;
  };
  const TCase DateCases[] = {
      {St(2024, 3, 5), "d dd ddd dddd", "5 05 Tue Tuesday"},
      {St(2024, 3, 5), "M MM MMM MMMM", "3 03 Mar March"},
      {St(2009, 1, 2), "y yy yyyy", "9 09 2009"},
      {St(2024, 3, 5), "gg yyyy", "A.D. 2024"},
      {St(2024, 3, 5), "'Today is' dddd", "Today is Tuesday"},
      {St(2024, 3, 5), "dd'.'MM", "05.03"},
      {St(2024, 3, 5), "'o''clock' d", "o'clock 5"},
  };
  for (const TCase& C : DateCases) {
    EXPECT_EQ(DateFormat(C.Date, C.Picture), C.Expected) << "picture: " << C.Picture;
  }
  const SYSTEMTIME T = St(2024, 3, 5, 14, 7, 9);
  EXPECT_EQ(DateFormat(T, nullptr, DATE_SHORTDATE), "3/5/2024");
  EXPECT_EQ(DateFormat(T, nullptr, DATE_LONGDATE), "Tuesday, March 5, 2024");
  EXPECT_EQ(TimeFormat(T, "h hh H HH m mm s ss t tt"), "2 02 14 14 7 07 9 09 P PM");
  EXPECT_EQ(TimeFormat(T, nullptr), "2:07:09 PM");
  struct TFlagCase {
    DWORD Flags;
    const char* Expected;
  };
  const TFlagCase FlagCases[] = {
      {TIME_NOSECONDS, "02:07 PM"},
      {TIME_NOTIMEMARKER, "02:07:09"},
      {TIME_NOMINUTESORSECONDS, "02 PM"},
      {TIME_FORCE24HOURFORMAT | TIME_NOTIMEMARKER, "14:07:09"},
  };
  for (const TFlagCase& C : FlagCases) {
    EXPECT_EQ(TimeFormat(T, "hh:mm:ss tt", C.Flags), C.Expected) << "flags: " << C.Flags;
  }
  EXPECT_EQ(TimeFormat(St(2024, 3, 5, 8, 5, 0), "tt h:mm", TIME_NOTIMEMARKER), "8:05");
}

TEST_F(DateTest, PlatformFormatCallContract) {
  const SYSTEMTIME T = St(2024, 3, 5);
  EXPECT_EQ(GetDateFormat(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &T, nullptr, nullptr, 0), 9);  // "3/5/2024" + null
  char Small[4];
  EXPECT_EQ(GetDateFormat(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &T, nullptr, Small, sizeof(Small)), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  char Buf[64];
  EXPECT_EQ(GetDateFormat(LOCALE_USER_DEFAULT, DATE_LONGDATE, &T, "yyyy", Buf, sizeof(Buf)), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
  const SYSTEMTIME Bad = St(2023, 2, 29);
  EXPECT_EQ(GetDateFormat(LOCALE_USER_DEFAULT, 0, &Bad, "d", Buf, sizeof(Buf)), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, ""), "M/d/yyyy");
  EXPECT_EQ(GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1 + 2, ""), "March");
  EXPECT_EQ(GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_SDAYNAME1, ""), "Monday");
  EXPECT_EQ(GetLocaleStr(LOCALE_USER_DEFAULT, 0x7777, "none"), "none");
}

TEST_F(DateTest, GermanLocaleFeedsBothLanguages) {
  if (!ReloadUserLocale("de_DE.UTF-8")) {
    GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
  }
  GetFormatSettings();
  const SYSTEMTIME T = St(2024, 3, 5, 14, 7, 9);
  EXPECT_EQ(DateFormat(T, nullptr, DATE_SHORTDATE), "05.03.2024");
  EXPECT_EQ(DateFormat(T, "MMMM"), "M\xE4rz");  // code page 1252
  EXPECT_EQ(TimeFormat(T, nullptr), "14:07:09");
  EXPECT_EQ(DateSeparator, '.');
  EXPECT_EQ(LongTimeFormat, "hh:mm:ss");
  EXPECT_EQ(DateTimeToStr(Sample), "05.03.2024 14:07:09");
  EXPECT_EQ(StrToDate("5.3.2024"), EncodeDate(2024, 3, 5));
}

TEST_F(DateTest, EncodingArithmeticAndFileDates) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  try {
    EncodeDate(2023, 2, 29);
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_STREQ(E.what(), "Invalid argument to date encode");
  }
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);

  EXPECT_EQ(DayOfWeek(Sample), 3);  // Tuesday, Sunday = 1
  EXPECT_EQ(DayOfWeek(0), 7);       // 1899-12-30 was a Saturday
  EXPECT_EQ(DayOfWeek(-1), 6);
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(2023));

  struct TCase {
    TDateTime From;
    int Months;
    TDateTime Expected;
  };
  const TCase Cases[] = {
      {EncodeDate(2024, 1, 31), 1, EncodeDate(2024, 2, 29)},
      {EncodeDate(2023, 1, 31), 1, EncodeDate(2023, 2, 28)},
      {EncodeDate(2024, 3, 31), -1, EncodeDate(2024, 2, 29)},
      {EncodeDate(2024, 12, 15), 1, EncodeDate(2025, 1, 15)},
      {EncodeDate(2024, 1, 15), -13, EncodeDate(2022, 12, 15)},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(IncMonth(C.From, C.Months), C.Expected) << FormatDateTime("yyyy-mm-dd", C.From) << " " << C.Months;
  }
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", IncMonth(Sample, 2)), "2024-05-05 14:07:09.045");

  const Integer FileDate = DateTimeToFileDate(Sample);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", FileDateToDateTime(FileDate)), "2024-03-05 14:07:08");
  EXPECT_EQ(DateTimeToFileDate(EncodeDate(1979, 12, 31)), 0);

  SYSTEMTIME S;
  DateTimeToSystemTime(Sample, S);
  EXPECT_EQ(S.wDayOfWeek, 2);
  EXPECT_EQ(S.wMilliseconds, 45);
  EXPECT_EQ(SystemTimeToDateTime(S), Sample);
}

TEST_F(DateTest, ParsingDatesAndTimes) {
  // "Now" is mid-2021 so that two-number dates and two-digit years have a fixed meaning.
  SYSTEMTIME Mid = St(2021, 6, 15, 12, 0, 0);
  FILETIME Ft;
  SystemTimeToFileTime(&Mid, &Ft);
  TManualClock Manual(TManualClock::smAdvance, 1000000000ull, FileTimeToInt64(Ft));
  TScopedClock Scope(Manual);

  struct TCase {
    const char* Text;
    TDateTime Expected;
  };
  const TCase Dates[] = {
      {"3/5/2024", EncodeDate(2024, 3, 5)},
      {" 3 / 5 / 2024 ", EncodeDate(2024, 3, 5)},
      {"3/5", EncodeDate(2021, 3, 5)},
      {"3/5/24", EncodeDate(2024, 3, 5)},
      {"3/5/80", EncodeDate(1980, 3, 5)},
      {"3/5/70", EncodeDate(2070, 3, 5)},
  };
  for (const TCase& C : Dates) {
    EXPECT_EQ(StrToDate(C.Text), C.Expected) << C.Text;
  }
  for (const char* Bad : {"2/30/2024", "13/1/2024", "abc", "3/5/2024x", "", "3/"}) {
    TDateTime V = 0;
    EXPECT_FALSE(TryStrToDate(Bad, V)) << Bad;
  }
  try {
    StrToDate("2/30/2024");
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_STREQ(E.what(), "'2/30/2024' is not a valid date");
  }

  const TCase Times[] = {
      {"14:07", EncodeTime(14, 7, 0, 0)},
      {"2:07:09 PM", EncodeTime(14, 7, 9, 0)},
      {"12:00 AM", 0.0},
      {"12:30 pm", EncodeTime(12, 30, 0, 0)},
      {"14:07:09.045", EncodeTime(14, 7, 9, 45)},
  };
  for (const TCase& C : Times) {
    EXPECT_EQ(StrToTime(C.Text), C.Expected) << C.Text;
  }
  for (const char* Bad : {"13:00 PM", "1:60", "25:00", "x"}) {
    TDateTime V = 0;
    EXPECT_FALSE(TryStrToTime(Bad, V)) << Bad;
  }
  EXPECT_THROW(StrToTime("1:60"), EConvertError);

  const TDateTime Whole = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
  EXPECT_EQ(StrToDateTime("3/5/2024 2:07:09 PM"), Whole);
  EXPECT_EQ(StrToDateTime(DateTimeToStr(Whole)), Whole);
  EXPECT_EQ(StrToDateTime("3/5/2024"), EncodeDate(2024, 3, 5));
  EXPECT_THROW(StrToDateTime("3/5/2024 nonsense"), EConvertError);
}
