// The class library's date and time routines and the format globals taken from the user's locale.
#include "platform/rtl/DateUtils.h"

#include "platform/rtl/Calendar.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Locale.h"

#include <cmath>

std::string ShortDateFormat;
std::string LongDateFormat;
std::string ShortTimeFormat;
std::string LongTimeFormat;
char DateSeparator = '/';
char TimeSeparator = ':';
char DecimalSeparator = '.';
std::string TimeAMString;
std::string TimePMString;
TNameArray<12> ShortMonthNames;
TNameArray<12> LongMonthNames;
TNameArray<7> ShortDayNames;
TNameArray<7> LongDayNames;
int TwoDigitYearCenturyWindow = 50;

void GetFormatSettings() {
  const TLocaleData& L = UserLocaleData();
  ShortDateFormat = L.ShortDate;
  LongDateFormat = L.LongDate;
  DateSeparator = L.DateSeparator.empty() ? '/' : L.DateSeparator[0];
  TimeSeparator = L.TimeSeparator.empty() ? ':' : L.TimeSeparator[0];
  DecimalSeparator = L.Decimal.empty() ? '.' : L.Decimal[0];
  TimeAMString = L.AM;
  TimePMString = L.PM;
  for (int I = 1; I <= 12; ++I) {
    ShortMonthNames[I] = L.ShortMonthNames[I - 1];
    LongMonthNames[I] = L.LongMonthNames[I - 1];
  }
  for (int I = 1; I <= 7; ++I) {
    ShortDayNames[I] = L.ShortDayNames[I - 1];
    LongDayNames[I] = L.LongDayNames[I - 1];
  }
  // The time pictures come from the locale's clock kind and leading-zero habit, not its own picture.
  const bool TwelveHour = GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_ITIME, "0") == "0";
  const std::string Hour = GetLocaleStr(LOCALE_USER_DEFAULT, LOCALE_ITLZERO, "0") == "1" ? "hh" : "h";
  const std::string Suffix = TwelveHour ? " AMPM" : "";
  ShortTimeFormat = Hour + ":mm" + Suffix;
  LongTimeFormat = Hour + ":mm:ss" + Suffix;
}

namespace {
struct TFormatSettingsInit {
  TFormatSettingsInit() { GetFormatSettings(); }
} FormatSettingsInit;

constexpr TDateTime MinDateTime = -693593.0;   // 0001-01-01
constexpr TDateTime MaxDateTime = 2958466.0;   // 10000-01-01, exclusive

using Calendar::CivilFromDays;
using Calendar::DaysFromCivil;
constexpr Int64 DaysFrom1970To1899 = -25569;

// Splits a TDateTime into whole days and milliseconds of the day. Before 1899-12-30 the fraction still counts
// forward from midnight (-1.25 is 1899-12-29 06:00), as the class library defines it.
void Split(TDateTime V, Int64& Days, Int64& Ms) {
  if (V >= 0) {
    const Int64 Total = std::llround(V * MSecsPerDay);
    Days = Total / MSecsPerDay;
    Ms = Total % MSecsPerDay;
    return;
  }
  Days = static_cast<Int64>(std::trunc(V));
  Ms = std::llround((static_cast<TDateTime>(Days) - V) * MSecsPerDay);
  if (Ms >= MSecsPerDay) {
    Ms -= MSecsPerDay;
    Days -= 1;
  }
}

// Joins a date and a time of day with the sign rule of Split.
TDateTime Compose(TDateTime D, TDateTime T) { return D < 0 ? D - T : D + T; }

void Decode(TDateTime V, Word& Y, Word& M, Word& D, Word& H, Word& N, Word& S, Word& Z) {
  Int64 Days = 0;
  Int64 Ms = 0;
  Split(V, Days, Ms);
  Int64 Year = 0;
  unsigned Month = 0;
  unsigned Day = 0;
  CivilFromDays(Days + DaysFrom1970To1899, Year, Month, Day);
  Y = static_cast<Word>(Year);
  M = static_cast<Word>(Month);
  D = static_cast<Word>(Day);
  H = static_cast<Word>(Ms / 3600000);
  N = static_cast<Word>(Ms / 60000 % 60);
  S = static_cast<Word>(Ms / 1000 % 60);
  Z = static_cast<Word>(Ms % 1000);
}
}  // namespace

bool IsLeapYear(Word Year) { return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0; }

Word DaysInAMonth(Word Year, Word Month) {
  static const Word Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) {
    return 0;
  }
  return Month == 2 && IsLeapYear(Year) ? 29 : Days[Month - 1];
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month)) {
    return false;
  }
  Date = static_cast<TDateTime>(DaysFromCivil(Year, Month, Day) - DaysFrom1970To1899);
  return true;
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time) {
  if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000) {
    return false;
  }
  Time = ((Hour * 3600000.0) + Min * 60000.0 + Sec * 1000.0 + MSec) / MSecsPerDay;
  return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day) {
  TDateTime R = 0;
  if (!TryEncodeDate(Year, Month, Day, R)) {
    throw EConvertError(SysConst::SDateEncodeError);
  }
  return R;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
  TDateTime R = 0;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, R)) {
    throw EConvertError(SysConst::STimeEncodeError);
  }
  return R;
}

void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day) {
  Word H = 0, N = 0, S = 0, Z = 0;
  Decode(Date, Year, Month, Day, H, N, S, Z);
}

void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec) {
  Word Y = 0, M = 0, D = 0;
  Decode(Time, Y, M, D, Hour, Min, Sec, MSec);
}

int DayOfWeek(TDateTime Date) {
  Int64 Days = 0;
  Int64 Ms = 0;
  Split(Date, Days, Ms);
  return static_cast<int>(((Days + DateDelta) % 7 + 7) % 7) + 1;
}

TDateTime IncMonth(TDateTime Date, int NumberOfMonths) {
  Word Y = 0, M = 0, D = 0;
  DecodeDate(Date, Y, M, D);
  Int64 Index = static_cast<Int64>(Y) * 12 + (M - 1) + NumberOfMonths;
  const Word NewYear = static_cast<Word>(Index / 12);
  const Word NewMonth = static_cast<Word>(Index % 12 + 1);
  const Word NewDay = std::min(D, DaysInAMonth(NewYear, NewMonth));
  Int64 Days = 0;
  Int64 Ms = 0;
  Split(Date, Days, Ms);
  return Compose(EncodeDate(NewYear, NewMonth, NewDay), static_cast<TDateTime>(Ms) / MSecsPerDay);
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& St) {
  return Compose(EncodeDate(St.wYear, St.wMonth, St.wDay),
                 EncodeTime(St.wHour, St.wMinute, St.wSecond, St.wMilliseconds));
}

void DateTimeToSystemTime(TDateTime DateTime, SYSTEMTIME& St) {
  Decode(DateTime, St.wYear, St.wMonth, St.wDay, St.wHour, St.wMinute, St.wSecond, St.wMilliseconds);
  St.wDayOfWeek = static_cast<WORD>(DayOfWeek(DateTime) - 1);
}

TDateTime Now() {
  SYSTEMTIME St;
  GetLocalTime(&St);
  return SystemTimeToDateTime(St);
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time() {
  const TDateTime N = Now();
  return N - std::trunc(N);
}

TDateTime FileDateToDateTime(Integer FileDate) {
  const UInt64 F = static_cast<std::uint32_t>(FileDate);
  const Word DatePart = static_cast<Word>(F >> 16);
  const Word TimePart = static_cast<Word>(F & 0xFFFF);
  return EncodeDate(static_cast<Word>(1980 + (DatePart >> 9)), (DatePart >> 5) & 15, DatePart & 31) +
         EncodeTime(TimePart >> 11, (TimePart >> 5) & 63, (TimePart & 31) * 2, 0);
}

Integer DateTimeToFileDate(TDateTime DateTime) {
  Word Y = 0, M = 0, D = 0, H = 0, N = 0, S = 0, Z = 0;
  if (DateTime < MinDateTime || DateTime >= MaxDateTime) {
    return 0;
  }
  Decode(DateTime, Y, M, D, H, N, S, Z);
  if (Y < 1980 || Y > 2107) {
    return 0;
  }
  const std::uint32_t DatePart = static_cast<std::uint32_t>(((Y - 1980) << 9) | (M << 5) | D);
  const std::uint32_t TimePart = static_cast<std::uint32_t>((H << 11) | (N << 5) | (S / 2));
  return static_cast<Integer>((DatePart << 16) | TimePart);
}

// --- the picture language ------------------------------------------------------------------------------------

namespace {
char Upper(char C) { return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 32) : C; }

bool StartsWithNoCase(std::string_view S, size_t I, std::string_view What) {
  if (S.size() - I < What.size()) {
    return false;
  }
  for (size_t K = 0; K < What.size(); ++K) {
    if (Upper(S[I + K]) != Upper(What[K])) {
      return false;
    }
  }
  return true;
}

std::string Padded(int V, int Digits) {
  std::string S = std::to_string(V);
  return S.size() < static_cast<size_t>(Digits) ? std::string(Digits - S.size(), '0') + S : S;
}

// Whether an am/pm specifier follows position I (outside quoted text): the hour is then on the 12-hour clock.
bool TwelveHourAhead(std::string_view F, size_t I) {
  char Quote = 0;
  for (; I < F.size(); ++I) {
    if (Quote) {
      if (F[I] == Quote) {
        Quote = 0;
      }
    } else if (F[I] == '"' || F[I] == '\'') {
      Quote = F[I];
    } else if (StartsWithNoCase(F, I, "am/pm") || StartsWithNoCase(F, I, "a/p") || StartsWithNoCase(F, I, "ampm")) {
      return true;
    }
  }
  return false;
}

struct TFields {
  Word Year, Month, Day, Hour, Min, Sec, MSec;
  int Dow;  // 1 = Sunday
};

void AppendFormat(std::string& Out, std::string_view F, const TFields& T, int Depth) {
  // Nested pictures (ddddd, c, t...) may name each other; two levels are enough and stop a loop.
  if (Depth > 2) {
    return;
  }
  char LastToken = ' ';
  for (size_t I = 0; I < F.size();) {
    const size_t Start = I;
    char Token = Upper(F[I]);
    size_t Count = 1;
    while (Start + Count < F.size() && F[Start + Count] == F[Start]) {
      ++Count;
    }
    if (Token >= 'A' && Token <= 'Z') {
      // m or mm right after an hour field is the minute.
      if (Token == 'M' && LastToken == 'H') {
        Token = 'N';
      }
      LastToken = Token;
    }
    I = Start + Count;  // most tokens consume their whole run; the others reset I below
    switch (Token) {
      case 'Y':
        Out += Count <= 2 ? Padded(T.Year % 100, 2) : Padded(T.Year, 4);
        break;
      case 'M':
        Out += Count <= 2 ? Padded(T.Month, static_cast<int>(Count))
               : Count == 3 ? ShortMonthNames[T.Month] : LongMonthNames[T.Month];
        break;
      case 'D':
        switch (Count) {
          case 1: case 2: Out += Padded(T.Day, static_cast<int>(Count)); break;
          case 3: Out += ShortDayNames[T.Dow]; break;
          case 4: Out += LongDayNames[T.Dow]; break;
          case 5: AppendFormat(Out, ShortDateFormat, T, Depth + 1); break;
          default: AppendFormat(Out, LongDateFormat, T, Depth + 1); break;
        }
        break;
      case 'H': {
        int H = T.Hour;
        if (TwelveHourAhead(F, I)) {
          H %= 12;
          if (H == 0) {
            H = 12;
          }
        }
        Out += Padded(H, Count >= 2 ? 2 : 1);
        break;
      }
      case 'N':
        Out += Padded(T.Min, Count >= 2 ? 2 : 1);
        break;
      case 'S':
        Out += Padded(T.Sec, Count >= 2 ? 2 : 1);
        break;
      case 'Z':
        Out += Padded(T.MSec, Count >= 3 ? 3 : 1);
        break;
      case 'T':
        AppendFormat(Out, Count == 1 ? ShortTimeFormat : LongTimeFormat, T, Depth + 1);
        break;
      case 'C':
        I = Start + 1;
        AppendFormat(Out, ShortDateFormat, T, Depth + 1);
        if (T.Hour != 0 || T.Min != 0 || T.Sec != 0 || T.MSec != 0) {
          Out += ' ';
          AppendFormat(Out, LongTimeFormat, T, Depth + 1);
        }
        break;
      case 'A': {
        const bool Pm = T.Hour >= 12;
        if (StartsWithNoCase(F, Start, "am/pm")) {
          // The letters keep the case they have in the picture.
          Out += F.substr(Pm ? Start + 3 : Start, 2);
          I = Start + 5;
        } else if (StartsWithNoCase(F, Start, "a/p")) {
          Out += F[Pm ? Start + 2 : Start];
          I = Start + 3;
        } else if (StartsWithNoCase(F, Start, "ampm")) {
          Out += Pm ? TimePMString : TimeAMString;
          I = Start + 4;
        } else {
          Out += F[Start];
          I = Start + 1;
        }
        break;
      }
      case '/':
        I = Start + 1;
        if (DateSeparator) {
          Out += DateSeparator;
        }
        break;
      case ':':
        I = Start + 1;
        if (TimeSeparator) {
          Out += TimeSeparator;
        }
        break;
      case '"':
      case '\'': {
        size_t End = F.find(F[Start], Start + 1);
        if (End == std::string_view::npos) {
          End = F.size();
        }
        Out += F.substr(Start + 1, End - Start - 1);
        I = End + 1;
        break;
      }
      default:
        Out += F[Start];
        I = Start + 1;
        break;
    }
  }
}
}  // namespace

void DateTimeToString(std::string& Result, std::string_view Format, TDateTime DateTime) {
  TFields T{};
  Decode(DateTime, T.Year, T.Month, T.Day, T.Hour, T.Min, T.Sec, T.MSec);
  T.Dow = DayOfWeek(DateTime);
  Result.clear();
  AppendFormat(Result, Format.empty() ? std::string_view("c") : Format, T, 0);
}

std::string FormatDateTime(std::string_view Format, TDateTime DateTime) {
  std::string R;
  DateTimeToString(R, Format, DateTime);
  return R;
}

std::string DateToStr(TDateTime Date) { return FormatDateTime("ddddd", Date); }
std::string TimeToStr(TDateTime Time) { return FormatDateTime("tt", Time); }
std::string DateTimeToStr(TDateTime DateTime) { return FormatDateTime("c", DateTime); }

// --- parsing ---------------------------------------------------------------------------------------------------

namespace {
struct TScanner {
  std::string_view S;
  size_t Pos = 0;

  void Blanks() {
    while (Pos < S.size() && S[Pos] == ' ') {
      ++Pos;
    }
  }
  bool AtEnd() {
    Blanks();
    return Pos >= S.size();
  }
  // A run of digits (at most 9); Digits reports how many were read.
  bool Number(int& Value, int& Digits) {
    Blanks();
    Value = 0;
    Digits = 0;
    while (Pos < S.size() && S[Pos] >= '0' && S[Pos] <= '9' && Digits < 9) {
      Value = Value * 10 + (S[Pos++] - '0');
      ++Digits;
    }
    return Digits > 0;
  }
  bool Char(char C) {
    Blanks();
    if (Pos < S.size() && S[Pos] == C) {
      ++Pos;
      return true;
    }
    return false;
  }
  bool Word(std::string_view W) {
    Blanks();
    if (!W.empty() && StartsWithNoCase(S, Pos, W)) {
      Pos += W.size();
      return true;
    }
    return false;
  }
  // -1 none, 0 am, 12 pm.
  int AmPm() {
    if (Word(TimeAMString) || Word("AM")) {
      return 0;
    }
    if (Word(TimePMString) || Word("PM")) {
      return 12;
    }
    return -1;
  }
};

enum TDateOrder { doMDY, doDMY, doYMD };

TDateOrder DateOrder() {
  for (char C : ShortDateFormat) {
    switch (Upper(C)) {
      case 'D': return doDMY;
      case 'M': return doMDY;
      case 'Y': return doYMD;
      default: break;
    }
  }
  return doMDY;
}

bool ScanDate(TScanner& Sc, TDateTime& Value) {
  int N1 = 0, N2 = 0, N3 = 0, L1 = 0, L2 = 0, L3 = 0;
  if (!Sc.Number(N1, L1) || !Sc.Char(DateSeparator) || !Sc.Number(N2, L2)) {
    return false;
  }
  int Y = 0, M = 0, D = 0, YearDigits = 4;
  Word CurYear = 0, CurMonth = 0, CurDay = 0;
  DecodeDate(Now(), CurYear, CurMonth, CurDay);
  const TDateOrder Order = DateOrder();
  if (Sc.Char(DateSeparator)) {
    if (!Sc.Number(N3, L3)) {
      return false;
    }
    switch (Order) {
      case doMDY: M = N1; D = N2; Y = N3; YearDigits = L3; break;
      case doDMY: D = N1; M = N2; Y = N3; YearDigits = L3; break;
      case doYMD: Y = N1; M = N2; D = N3; YearDigits = L1; break;
    }
    if (YearDigits <= 2) {
      if (TwoDigitYearCenturyWindow > 0) {
        const int CenturyBase = CurYear - TwoDigitYearCenturyWindow;
        Y += CenturyBase / 100 * 100;
        if (Y < CenturyBase) {
          Y += 100;
        }
      } else {
        Y += CurYear / 100 * 100;
      }
    }
  } else {
    Y = CurYear;
    if (Order == doDMY) {
      D = N1;
      M = N2;
    } else {
      M = N1;
      D = N2;
    }
  }
  if (Y > 9999 || M > 12 || D > 31) {
    return false;
  }
  return TryEncodeDate(static_cast<::Word>(Y), static_cast<::Word>(M), static_cast<::Word>(D), Value);
}

bool ScanTime(TScanner& Sc, TDateTime& Value) {
  int BaseHour = Sc.AmPm();
  int H = 0, M = 0, S = 0, Z = 0, L = 0;
  if (!Sc.Number(H, L)) {
    return false;
  }
  if (Sc.Char(TimeSeparator)) {
    if (!Sc.Number(M, L)) {
      return false;
    }
    if (Sc.Char(TimeSeparator)) {
      if (!Sc.Number(S, L)) {
        return false;
      }
      if (Sc.Char(DecimalSeparator)) {
        if (!Sc.Number(Z, L)) {
          return false;
        }
      }
    }
  }
  if (BaseHour < 0) {
    BaseHour = Sc.AmPm();
  }
  if (BaseHour >= 0) {
    if (H == 0 || H > 12) {
      return false;
    }
    H = H % 12 + BaseHour;
  }
  if (H > 23 || M > 59 || S > 59 || Z > 999) {
    return false;
  }
  return TryEncodeTime(static_cast<::Word>(H), static_cast<::Word>(M), static_cast<::Word>(S),
                       static_cast<::Word>(Z), Value);
}
}  // namespace

bool TryStrToDate(std::string_view S, TDateTime& Value) {
  TScanner Sc{S};
  TDateTime D = 0;
  if (!ScanDate(Sc, D) || !Sc.AtEnd()) {
    return false;
  }
  Value = D;
  return true;
}

bool TryStrToTime(std::string_view S, TDateTime& Value) {
  TScanner Sc{S};
  TDateTime T = 0;
  if (!ScanTime(Sc, T) || !Sc.AtEnd()) {
    return false;
  }
  Value = T;
  return true;
}

bool TryStrToDateTime(std::string_view S, TDateTime& Value) {
  TScanner Sc{S};
  TDateTime D = 0;
  TDateTime T = 0;
  if (!ScanDate(Sc, D)) {
    // A time alone is a time on day zero.
    return TryStrToTime(S, Value);
  }
  if (!Sc.AtEnd() && (!ScanTime(Sc, T) || !Sc.AtEnd())) {
    return false;
  }
  Value = Compose(D, T);
  return true;
}

TDateTime StrToDate(std::string_view S) {
  TDateTime R = 0;
  if (!TryStrToDate(S, R)) {
    throw EConvertError(Format(SysConst::SInvalidDate, {S}));
  }
  return R;
}

TDateTime StrToTime(std::string_view S) {
  TDateTime R = 0;
  if (!TryStrToTime(S, R)) {
    throw EConvertError(Format(SysConst::SInvalidTime, {S}));
  }
  return R;
}

TDateTime StrToDateTime(std::string_view S) {
  TDateTime R = 0;
  if (!TryStrToDateTime(S, R)) {
    throw EConvertError(Format(SysConst::SInvalidDateTime, {S}));
  }
  return R;
}
