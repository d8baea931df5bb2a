// Calendar time records, the current time through the layer's clock, and UTC/local conversions.
#include "platform/win/TimeApi.h"

#include "platform/rtl/Calendar.h"
#include "platform/win/Clock.h"

#include <cstring>
#include <ctime>

namespace {
constexpr Int64 TicksPerMs = 10000;
constexpr Int64 TicksPerSecond = 10000000;
constexpr Int64 TicksPerDay = 864000000000ll;

using Calendar::CivilFromDays;
using Calendar::DaysFromCivil;
bool IsLeap(unsigned Y) { return (Y % 4 == 0 && Y % 100 != 0) || Y % 400 == 0; }
unsigned DaysInMonth(unsigned Y, unsigned M) {
  static const unsigned Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return M == 2 && IsLeap(Y) ? 29 : Days[M - 1];
}
Int64 FloorDiv(Int64 A, Int64 B) { return A / B - ((A % B != 0) && ((A < 0) != (B < 0))); }

void TicksToSystemTime(Int64 Ticks, SYSTEMTIME& St) {
  const Int64 Days = FloorDiv(Ticks, TicksPerDay);
  Int64 Rest = Ticks - Days * TicksPerDay;
  Int64 Y = 0;
  unsigned M = 0;
  unsigned D = 0;
  CivilFromDays(Days + DaysFromCivil(1601, 1, 1), Y, M, D);
  St.wYear = static_cast<WORD>(Y);
  St.wMonth = static_cast<WORD>(M);
  St.wDay = static_cast<WORD>(D);
  St.wDayOfWeek = static_cast<WORD>((Days + 1) % 7);  // 1601-01-01 was a Monday
  St.wHour = static_cast<WORD>(Rest / (3600 * TicksPerSecond));
  Rest %= 3600 * TicksPerSecond;
  St.wMinute = static_cast<WORD>(Rest / (60 * TicksPerSecond));
  Rest %= 60 * TicksPerSecond;
  St.wSecond = static_cast<WORD>(Rest / TicksPerSecond);
  Rest %= TicksPerSecond;
  St.wMilliseconds = static_cast<WORD>(Rest / TicksPerMs);
}

// Offset of local time from UTC, in seconds, at the UTC instant given as FILETIME ticks.
Int64 LocalOffsetAt(Int64 UtcTicks) {
  const time_t T = static_cast<time_t>(FloorDiv(UtcTicks - UnixEpochFileTime, TicksPerSecond));
  tm Tm{};
  if (!localtime_r(&T, &Tm)) {
    return 0;
  }
  return Tm.tm_gmtoff;
}
}  // namespace

void GetSystemTimeAsFileTime(FILETIME* Ft) {
  if (Ft) {
    *Ft = Int64ToFileTime(Clock().SystemTime100ns());
  }
}

void GetSystemTime(SYSTEMTIME* St) {
  if (St) {
    TicksToSystemTime(Clock().SystemTime100ns(), *St);
  }
}

void GetLocalTime(SYSTEMTIME* St) {
  if (St) {
    const Int64 Utc = Clock().SystemTime100ns();
    TicksToSystemTime(Utc + LocalOffsetAt(Utc) * TicksPerSecond, *St);
  }
}

BOOL FileTimeToSystemTime(const FILETIME* Ft, SYSTEMTIME* St) {
  if (!Ft || !St || FileTimeToInt64(*Ft) < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  TicksToSystemTime(FileTimeToInt64(*Ft), *St);
  return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* St, FILETIME* Ft) {
  if (!St || !Ft || St->wYear < 1601 || St->wYear > 30827 || St->wMonth < 1 || St->wMonth > 12 || St->wDay < 1 ||
      St->wDay > DaysInMonth(St->wYear, St->wMonth) || St->wHour > 23 || St->wMinute > 59 || St->wSecond > 59 ||
      St->wMilliseconds > 999) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const Int64 Days = DaysFromCivil(St->wYear, St->wMonth, St->wDay) - DaysFromCivil(1601, 1, 1);
  const Int64 Ticks = Days * TicksPerDay + ((St->wHour * 60ll + St->wMinute) * 60 + St->wSecond) * TicksPerSecond +
                      St->wMilliseconds * TicksPerMs;
  *Ft = Int64ToFileTime(Ticks);
  return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* Ft, FILETIME* Local) {
  if (!Ft || !Local) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const Int64 Utc = FileTimeToInt64(*Ft);
  *Local = Int64ToFileTime(Utc + LocalOffsetAt(Utc) * TicksPerSecond);
  return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* Local, FILETIME* Ft) {
  if (!Local || !Ft) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const Int64 L = FileTimeToInt64(*Local);
  // The offset depends on the UTC instant we are looking for; a second look settles it except inside the hour
  // a clock change skips or repeats.
  const Int64 Guess = L - LocalOffsetAt(L) * TicksPerSecond;
  *Ft = Int64ToFileTime(L - LocalOffsetAt(Guess) * TicksPerSecond);
  return TRUE;
}

LONG CompareFileTime(const FILETIME* A, const FILETIME* B) {
  const UInt64 X = static_cast<UInt64>(FileTimeToInt64(*A));
  const UInt64 Y = static_cast<UInt64>(FileTimeToInt64(*B));
  return X < Y ? -1 : (X > Y ? 1 : 0);
}

BOOL FileTimeToDosDateTime(const FILETIME* Ft, WORD* FatDate, WORD* FatTime) {
  SYSTEMTIME St;
  if (!FatDate || !FatTime || !FileTimeToSystemTime(Ft, &St) || St.wYear < 1980 || St.wYear > 2107) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *FatDate = static_cast<WORD>(((St.wYear - 1980) << 9) | (St.wMonth << 5) | St.wDay);
  *FatTime = static_cast<WORD>((St.wHour << 11) | (St.wMinute << 5) | (St.wSecond / 2));
  return TRUE;
}

BOOL DosDateTimeToFileTime(WORD FatDate, WORD FatTime, FILETIME* Ft) {
  SYSTEMTIME St;
  St.wYear = static_cast<WORD>(1980 + (FatDate >> 9));
  St.wMonth = static_cast<WORD>((FatDate >> 5) & 15);
  St.wDay = static_cast<WORD>(FatDate & 31);
  St.wHour = static_cast<WORD>(FatTime >> 11);
  St.wMinute = static_cast<WORD>((FatTime >> 5) & 63);
  St.wSecond = static_cast<WORD>((FatTime & 31) * 2);
  return SystemTimeToFileTime(&St, Ft);
}

DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* Tzi) {
  if (!Tzi) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return TIME_ZONE_ID_INVALID;
  }
  *Tzi = TIME_ZONE_INFORMATION{};
  tzset();
  const time_t Now = static_cast<time_t>(FloorDiv(Clock().SystemTime100ns() - UnixEpochFileTime, TicksPerSecond));
  tm NowTm{};
  localtime_r(&Now, &NowTm);
  // Find the standard and daylight offsets by sampling the year's midwinter and midsummer.
  long StdOff = NowTm.tm_isdst > 0 ? NowTm.tm_gmtoff - 3600 : NowTm.tm_gmtoff;
  long DstOff = StdOff;
  for (int Month : {0, 6}) {
    tm Probe = NowTm;
    Probe.tm_mon = Month;
    Probe.tm_mday = 15;
    Probe.tm_isdst = -1;
    const time_t T = mktime(&Probe);
    tm Out{};
    localtime_r(&T, &Out);
    if (Out.tm_isdst > 0) {
      DstOff = Out.tm_gmtoff;
    } else {
      StdOff = Out.tm_gmtoff;
    }
  }
  Tzi->Bias = static_cast<LONG>(-StdOff / 60);
  Tzi->DaylightBias = static_cast<LONG>(-(DstOff - StdOff) / 60);
  std::strncpy(Tzi->StandardName, tzname[0] ? tzname[0] : "", sizeof(Tzi->StandardName) - 1);
  std::strncpy(Tzi->DaylightName, tzname[1] ? tzname[1] : "", sizeof(Tzi->DaylightName) - 1);
  if (DstOff == StdOff) {
    return TIME_ZONE_ID_UNKNOWN;
  }
  return NowTm.tm_isdst > 0 ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}
