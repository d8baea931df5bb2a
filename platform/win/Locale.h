// The user's locale as the operating-system interface reports it: date and time pictures, names, separators.
#pragma once

#include "platform/win/TimeApi.h"

#include <string>
#include <string_view>

using LCID = DWORD;
using LCTYPE = DWORD;

inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
inline constexpr LCID LOCALE_INVARIANT = 0x007F;
inline constexpr DWORD LOCALE_NOUSEROVERRIDE = 0x80000000;

// GetDateFormat flags.
inline constexpr DWORD DATE_SHORTDATE = 0x00000001;
inline constexpr DWORD DATE_LONGDATE = 0x00000002;
inline constexpr DWORD DATE_USE_ALT_CALENDAR = 0x00000004;
// GetTimeFormat flags.
inline constexpr DWORD TIME_NOMINUTESORSECONDS = 0x00000001;
inline constexpr DWORD TIME_NOSECONDS = 0x00000002;
inline constexpr DWORD TIME_NOTIMEMARKER = 0x00000004;
inline constexpr DWORD TIME_FORCE24HOURFORMAT = 0x00000008;

inline constexpr LONG ERROR_INVALID_FLAGS = 1004;

// GetLocaleInfo items the class library and the program read.
inline constexpr LCTYPE LOCALE_ILANGUAGE = 0x0001;
inline constexpr LCTYPE LOCALE_SENGLANGUAGE = 0x1001;
inline constexpr LCTYPE LOCALE_SABBREVLANGNAME = 0x0003;
inline constexpr LCTYPE LOCALE_SDECIMAL = 0x000E;
inline constexpr LCTYPE LOCALE_STHOUSAND = 0x000F;
inline constexpr LCTYPE LOCALE_SCURRENCY = 0x0014;
inline constexpr LCTYPE LOCALE_ICURRDIGITS = 0x0019;
inline constexpr LCTYPE LOCALE_ICURRENCY = 0x001B;
inline constexpr LCTYPE LOCALE_INEGCURR = 0x001C;
inline constexpr LCTYPE LOCALE_SDATE = 0x001D;
inline constexpr LCTYPE LOCALE_STIME = 0x001E;
inline constexpr LCTYPE LOCALE_SSHORTDATE = 0x001F;
inline constexpr LCTYPE LOCALE_SLONGDATE = 0x0020;
inline constexpr LCTYPE LOCALE_IDATE = 0x0021;
inline constexpr LCTYPE LOCALE_ITIME = 0x0023;
inline constexpr LCTYPE LOCALE_ITLZERO = 0x0025;
inline constexpr LCTYPE LOCALE_S1159 = 0x0028;
inline constexpr LCTYPE LOCALE_S2359 = 0x0029;
inline constexpr LCTYPE LOCALE_SDAYNAME1 = 0x002A;           // Monday; ...7 = 0x0030 Sunday
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME1 = 0x0031;     // Monday; ...7 = 0x0037 Sunday
inline constexpr LCTYPE LOCALE_SMONTHNAME1 = 0x0038;         // January; ...12 = 0x0043
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME1 = 0x0044;   // ...12 = 0x004F
inline constexpr LCTYPE LOCALE_STIMEFORMAT = 0x1003;
inline constexpr LCTYPE LOCALE_IFIRSTDAYOFWEEK = 0x100C;

// The user's locale data, in code page 1252. Pictures use the platform's picture language
// ("d dd ddd dddd M MM MMM MMMM y yy yyyy gg" and "h hh H HH m mm s ss t tt", 'quoted text').
struct TLocaleData {
  std::string Name;          // the locale's name, e.g. "de_DE.UTF-8"; "C" for the default
  std::string ShortDate;     // e.g. "M/d/yyyy"
  std::string LongDate;      // e.g. "dddd, MMMM d, yyyy"
  std::string TimeFormat;    // e.g. "h:mm:ss tt"
  std::string DateSeparator;
  std::string TimeSeparator;
  std::string AM;
  std::string PM;
  std::string ShortMonthNames[12];
  std::string LongMonthNames[12];
  std::string ShortDayNames[7];  // Sunday first
  std::string LongDayNames[7];
  std::string Decimal = ".";
  std::string Thousand = ",";
  std::string Currency = "$";
};

// The user's locale, read once from LC_ALL / LC_TIME / LANG (the C and POSIX locales give English (United
// States) conventions, as the platform's default). ReloadUserLocale re-reads the environment, or loads the named
// locale; an unknown name leaves the default conventions and returns false.
const TLocaleData& UserLocaleData();
bool ReloadUserLocale(const char* LocaleName = nullptr);

// Formats with the platform's picture language; the pure helpers behind GetDateFormat/GetTimeFormat.
// TimeFlags are the TIME_* flags.
std::string FormatLocaleDate(const SYSTEMTIME& St, std::string_view Picture, const TLocaleData& L);
std::string FormatLocaleTime(const SYSTEMTIME& St, std::string_view Picture, DWORD TimeFlags, const TLocaleData& L);

// With the platform's contract: Date/Time null means now (local); Format null means the locale's picture
// (DATE_SHORTDATE when no flag says otherwise; DATE_* with a Format is ERROR_INVALID_FLAGS). Returns the
// characters written including the terminating null, or with Size 0 the size needed; 0 on failure with
// ERROR_INSUFFICIENT_BUFFER or ERROR_INVALID_PARAMETER.
int GetDateFormat(LCID Locale, DWORD Flags, const SYSTEMTIME* Date, LPCSTR Format, LPSTR Buffer, int Size);
int GetTimeFormat(LCID Locale, DWORD Flags, const SYSTEMTIME* Time, LPCSTR Format, LPSTR Buffer, int Size);
// One locale value as text, with the same size contract; ERROR_INVALID_FLAGS for an unknown item.
int GetLocaleInfo(LCID Locale, LCTYPE Type, LPSTR Buffer, int Size);
// The class library's form of the above: the value, or Default when it cannot be read.
std::string GetLocaleStr(LCID Locale, LCTYPE Type, std::string_view Default);
LCID GetUserDefaultLCID();
LCID GetThreadLocale();
