// Calendar time records of the operating-system interface (SYSTEMTIME, FILETIME) and their conversions.
#pragma once

#include "platform/win/WinTypes.h"

// A calendar date and time; wDayOfWeek counts from Sunday = 0.
struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;
  WORD wDayOfWeek = 0;
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
};
using TSystemTime = SYSTEMTIME;

// 100 ns intervals since 1601-01-01 UTC (or local, for a "local file time"), as two 32-bit halves.
struct FILETIME {
  DWORD dwLowDateTime = 0;
  DWORD dwHighDateTime = 0;
};
using TFileTime = FILETIME;

// The 64-bit value of a FILETIME and back.
inline Int64 FileTimeToInt64(const FILETIME& Ft) {
  return static_cast<Int64>((static_cast<UInt64>(Ft.dwHighDateTime) << 32) | Ft.dwLowDateTime);
}
inline FILETIME Int64ToFileTime(Int64 V) {
  FILETIME Ft;
  Ft.dwLowDateTime = static_cast<DWORD>(static_cast<UInt64>(V) & 0xFFFFFFFFu);
  Ft.dwHighDateTime = static_cast<DWORD>(static_cast<UInt64>(V) >> 32);
  return Ft;
}
// FILETIME ticks of the Unix epoch 1970-01-01 UTC.
inline constexpr Int64 UnixEpochFileTime = 116444736000000000ll;

// The current time from the layer's clock: UTC, local, or as a FILETIME.
void GetSystemTime(SYSTEMTIME* St);
void GetLocalTime(SYSTEMTIME* St);
void GetSystemTimeAsFileTime(FILETIME* Ft);

// Conversions. FileTimeToSystemTime fails (ERROR_INVALID_PARAMETER) for values past 30827; SystemTimeToFileTime
// fails for fields out of range (month 1-12, day within the month, hour < 24, minute and second < 60,
// milliseconds < 1000, year 1601-30827); wDayOfWeek is ignored on input and filled in on output.
BOOL FileTimeToSystemTime(const FILETIME* Ft, SYSTEMTIME* St);
BOOL SystemTimeToFileTime(const SYSTEMTIME* St, FILETIME* Ft);
// UTC <-> local through the user's time zone. The offset used is the one in effect at the converted instant
// (daylight saving included), so file times read the same as the file manager shows them.
BOOL FileTimeToLocalFileTime(const FILETIME* Ft, FILETIME* Local);
BOOL LocalFileTimeToFileTime(const FILETIME* Local, FILETIME* Ft);
// -1, 0 or 1.
LONG CompareFileTime(const FILETIME* A, const FILETIME* B);
// Packed date and time of the FAT file system (local time, 2-second steps, years 1980-2107).
BOOL FileTimeToDosDateTime(const FILETIME* Ft, WORD* FatDate, WORD* FatTime);
BOOL DosDateTimeToFileTime(WORD FatDate, WORD FatTime, FILETIME* Ft);

// The user's time zone. Bias is UTC minus local time in minutes; StandardBias is 0 and DaylightBias the
// difference daylight saving makes (usually -60). The transition dates are left zero: the rules live in the
// system's zone database, not in a yearly table.
struct TIME_ZONE_INFORMATION {
  LONG Bias = 0;
  char StandardName[32] = {};
  SYSTEMTIME StandardDate;
  LONG StandardBias = 0;
  char DaylightName[32] = {};
  SYSTEMTIME DaylightDate;
  LONG DaylightBias = 0;
};
inline constexpr DWORD TIME_ZONE_ID_INVALID = 0xFFFFFFFF;
inline constexpr DWORD TIME_ZONE_ID_UNKNOWN = 0;
inline constexpr DWORD TIME_ZONE_ID_STANDARD = 1;
inline constexpr DWORD TIME_ZONE_ID_DAYLIGHT = 2;
// Fills Tzi and says whether daylight saving is in effect now.
DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* Tzi);
