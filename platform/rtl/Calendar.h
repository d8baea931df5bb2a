// Proleptic Gregorian calendar arithmetic shared by the date functions and the time conversions.
#pragma once

#include "platform/rtl/Types.h"

namespace Calendar {

// Days since 1970-01-01 of a date (M 1-12, D 1-31); any year, negative included.
inline Int64 DaysFromCivil(Int64 Y, unsigned M, unsigned D) {
  Y -= M <= 2;
  const Int64 Era = (Y >= 0 ? Y : Y - 399) / 400;
  const unsigned Yoe = static_cast<unsigned>(Y - Era * 400);
  const unsigned Doy = (153 * (M + (M > 2 ? -3 : 9)) + 2) / 5 + D - 1;
  const unsigned Doe = Yoe * 365 + Yoe / 4 - Yoe / 100 + Doy;
  return Era * 146097 + static_cast<Int64>(Doe) - 719468;
}

// The date of a day number counted from 1970-01-01.
inline void CivilFromDays(Int64 Z, Int64& Y, unsigned& M, unsigned& D) {
  Z += 719468;
  const Int64 Era = (Z >= 0 ? Z : Z - 146096) / 146097;
  const unsigned Doe = static_cast<unsigned>(Z - Era * 146097);
  const unsigned Yoe = (Doe - Doe / 1460 + Doe / 36524 - Doe / 146096) / 365;
  const unsigned Doy = Doe - (365 * Yoe + Yoe / 4 - Yoe / 100);
  const unsigned Mp = (5 * Doy + 2) / 153;
  D = Doy - (153 * Mp + 2) / 5 + 1;
  M = Mp < 10 ? Mp + 3 : Mp - 9;
  Y = static_cast<Int64>(Yoe) + Era * 400 + (M <= 2);
}

}  // namespace Calendar
