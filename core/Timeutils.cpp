// Dates and times as text, elapsed time in words, a rough day number and file-time helpers.
#include "core/Timeutils.h"

#include "platform/win/Locale.h"

#include <cstdio>
#include <cstring>

namespace {

const char DateError[] = "error getting date or in date format";
const char TimeError[] = "error getting time or in time format";

const char* CopyError(const char* Text, char* Buffer, int Size) {
  if (Buffer == nullptr || Size < 1) {
    return Text;
  }
  std::snprintf(Buffer, static_cast<std::size_t>(Size), "%s", Text);
  return Buffer;
}

}  // namespace

void GetLocalSystemTime(SYSTEMTIME* Out) {
  if (Out != nullptr) {
    GetLocalTime(Out);
  }
}

int GetCurrentYear() {
  SYSTEMTIME St;
  GetLocalTime(&St);
  return St.wYear;
}

int GetCurrentMonth() {
  SYSTEMTIME St;
  GetLocalTime(&St);
  return St.wMonth;
}

int GetCurrentDay() {
  SYSTEMTIME St;
  GetLocalTime(&St);
  return St.wDay;
}

int GetApproximateDayNumber() {
  SYSTEMTIME St;
  GetLocalTime(&St);
  return static_cast<int>(St.wYear * 365.24 + St.wMonth * 30.44 + St.wDay + 0.5);
}

const char* GetDateStringBuf(const char* Format, char* Buffer, int Size) {
  if (Buffer == nullptr || Size < 1) {
    return DateError;
  }
  SYSTEMTIME St;
  GetLocalTime(&St);
  if (GetDateFormat(LOCALE_USER_DEFAULT, Format == nullptr ? DATE_LONGDATE : 0, &St, Format, Buffer, Size) == 0) {
    return CopyError(DateError, Buffer, Size);
  }
  return Buffer;
}

const char* GetDateString(const char* Format) {
  static char Buffer[256];
  return GetDateStringBuf(Format, Buffer, sizeof Buffer);
}

const char* GetTimeStringBuf(const char* Format, char* Buffer, int Size) {
  if (Buffer == nullptr || Size < 1) {
    return TimeError;
  }
  SYSTEMTIME St;
  GetLocalTime(&St);
  if (GetTimeFormat(LOCALE_USER_DEFAULT, 0, &St, Format, Buffer, Size) == 0) {
    return CopyError(TimeError, Buffer, Size);
  }
  return Buffer;
}

const char* GetTimeString(const char* Format) {
  static char Buffer[256];
  return GetTimeStringBuf(Format, Buffer, sizeof Buffer);
}

double GetSecondsBetween(const SYSTEMTIME* Start, const SYSTEMTIME* End) {
  FILETIME A;
  FILETIME B;
  if (Start == nullptr || End == nullptr || !SystemTimeToFileTime(Start, &A) || !SystemTimeToFileTime(End, &B)) {
    return TIME_SPAN_UNKNOWN;
  }
  return static_cast<double>(FileTimeToInt64(B) - FileTimeToInt64(A)) / 10000000.0;
}

void FileTimeToInt64(const FILETIME* In, Int64* Out) {
  if (In != nullptr && Out != nullptr) {
    *Out = FileTimeToInt64(*In);
  }
}

StrStore FormatElapsedTime(Int64 Milliseconds) {
  const Int64 Ms = Milliseconds > 0 ? Milliseconds : 0;
  const Int64 Days = Ms / 86400000;
  const Int64 Hours = (Ms % 86400000) / 3600000;
  const Int64 Minutes = (Ms % 3600000) / 60000;
  const double Seconds = static_cast<double>(Ms % 60000) * 0.001;
  StrStore Text;
  auto Unit = [&Text](Int64 Value, const char* Word) {
    Text.append(std::to_string(Value).c_str()).appendStore(Pluralize(Word, Value == 1 ? 1 : 2)).append(", ");
  };
  if (Days > 0) {
    Unit(Days, " day");
  }
  if (Days > 0 || Hours > 0) {
    Unit(Hours, " hour");
  }
  if (Days > 0 || Hours > 0 || Minutes > 0) {
    Unit(Minutes, " minute");
  }
  char Buf[32];
  std::snprintf(Buf, sizeof Buf, "%.2f", Seconds);
  Text.append(Buf).append(Seconds == 1.0 ? " second" : " seconds");
  return Text;
}
