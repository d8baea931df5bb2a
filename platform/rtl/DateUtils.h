// The class library's date and time routines: encoding, the FormatDateTime picture language, parsing, and
// the locale-derived format globals.
#pragma once

#include "platform/rtl/Types.h"
#include "platform/win/TimeApi.h"

#include <string>
#include <string_view>

namespace SysConst {
inline constexpr const char* SDateEncodeError = "Invalid argument to date encode";
inline constexpr const char* STimeEncodeError = "Invalid argument to time encode";
inline constexpr const char* SInvalidDate = "'%s' is not a valid date";
inline constexpr const char* SInvalidTime = "'%s' is not a valid time";
inline constexpr const char* SInvalidDateTime = "'%s' is not a valid date and time";
}  // namespace SysConst

inline constexpr int HoursPerDay = 24;
inline constexpr int MinsPerDay = HoursPerDay * 60;
inline constexpr int SecsPerDay = MinsPerDay * 60;
inline constexpr int MSecsPerDay = SecsPerDay * 1000;
// Days from 0001-01-01 to 1899-12-30, the origin of TDateTime.
inline constexpr int DateDelta = 693594;

// A fixed-size list of names indexed from 1, as the class library's month and day name arrays are.
template <int N> struct TNameArray {
  std::string Items[N];
  std::string& operator[](int Index) { return Items[Index - 1]; }
  const std::string& operator[](int Index) const { return Items[Index - 1]; }
};

// The format globals, read from the user's locale at start-up and by GetFormatSettings. The date pictures are
// the locale's; the time pictures are built as the class library builds them ("h:mm AMPM" on a 12-hour
// locale, "hh:mm" with a leading zero, ...). '/' and ':' in any picture stand for the separators.
extern std::string ShortDateFormat;
extern std::string LongDateFormat;
extern std::string ShortTimeFormat;
extern std::string LongTimeFormat;
extern char DateSeparator;
extern char TimeSeparator;
extern char DecimalSeparator;
extern std::string TimeAMString;
extern std::string TimePMString;
extern TNameArray<12> ShortMonthNames;
extern TNameArray<12> LongMonthNames;
extern TNameArray<7> ShortDayNames;  // 1 = Sunday
extern TNameArray<7> LongDayNames;
// Two-digit years read by StrToDate fall within this many years before the current year and
// (100 - window) after it; 0 means the current century.
extern int TwoDigitYearCenturyWindow;
// Re-reads the globals above from the user's locale (ReloadUserLocale first to pick up a changed environment).
void GetFormatSettings();

bool IsLeapYear(Word Year);
Word DaysInAMonth(Word Year, Word Month);
// EncodeDate/EncodeTime raise EConvertError (SDateEncodeError / STimeEncodeError) on values out of range
// (years 1-9999); the Try forms return false instead.
TDateTime EncodeDate(Word Year, Word Month, Word Day);
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time);
void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day);
void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime Date);
// Adds months, keeping the time and clamping the day to the length of the target month.
TDateTime IncMonth(TDateTime Date, int NumberOfMonths = 1);

// The current local date and time, through the layer's clock.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// The class library's picture language: c d dd ddd dddd ddddd dddddd m mm mmm mmmm (m after h is minutes)
// yy yyyy h hh n nn s ss z zzz t tt am/pm a/p ampm / : and "quoted" or 'quoted' text; letters are
// case-insensitive. An empty picture means "c".
std::string FormatDateTime(std::string_view Format, TDateTime DateTime);
void DateTimeToString(std::string& Result, std::string_view Format, TDateTime DateTime);
std::string DateToStr(TDateTime Date);       // ddddd
std::string TimeToStr(TDateTime Time);       // tt
std::string DateTimeToStr(TDateTime DateTime);  // c

// Parse with ShortDateFormat's order of day, month and year, DateSeparator and TimeSeparator; a date with two
// numbers takes the current year; times take an optional seconds part, ".zzz" and AM/PM. The StrTo forms raise
// EConvertError with SInvalidDate / SInvalidTime / SInvalidDateTime.
bool TryStrToDate(std::string_view S, TDateTime& Value);
bool TryStrToTime(std::string_view S, TDateTime& Value);
bool TryStrToDateTime(std::string_view S, TDateTime& Value);
TDateTime StrToDate(std::string_view S);
TDateTime StrToTime(std::string_view S);
TDateTime StrToDateTime(std::string_view S);

// Packed local file dates (the FAT layout FileAge returns); DateTimeToFileDate gives 0 outside 1980-2107.
TDateTime FileDateToDateTime(Integer FileDate);
Integer DateTimeToFileDate(TDateTime DateTime);
TDateTime SystemTimeToDateTime(const SYSTEMTIME& SystemTime);
void DateTimeToSystemTime(TDateTime DateTime, SYSTEMTIME& SystemTime);
