// Dates and times as text, elapsed time in words, a rough day number and file-time helpers.
#pragma once

#include "core/Strstore.h"
#include "platform/win/TimeApi.h"

void GetLocalSystemTime(SYSTEMTIME* Out);
int GetCurrentYear();
int GetCurrentMonth();
int GetCurrentDay();
// year * 365.24 + month * 30.44 + day, rounded: grows by about one a day (months count as 30.44 days).
int GetApproximateDayNumber();
// The current date in the user's locale with the given picture (null: the long date form), in a static buffer
// that the next call overwrites; "error getting date or in date format" on failure.
const char* GetDateString(const char* Format);
const char* GetDateStringBuf(const char* Format, char* Buffer, int Size);
// The same for the time (null picture: the default form); "error getting time or in time format" on failure.
const char* GetTimeString(const char* Format);
const char* GetTimeStringBuf(const char* Format, char* Buffer, int Size);
// Seconds from Start to End; -1 when either cannot be converted.
inline constexpr double TIME_SPAN_UNKNOWN = -1.0;  // a time missing or not convertible
[[nodiscard]] double GetSecondsBetween(const SYSTEMTIME* Start, const SYSTEMTIME* End);
void FileTimeToInt64(const FILETIME* In, Int64* Out);
// "1 day, 1 hour, 1 minute, 1.50 seconds"; the seconds always end the text. Negative times count as 0.
StrStore FormatElapsedTime(Int64 Milliseconds);
