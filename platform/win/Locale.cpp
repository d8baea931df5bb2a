// The user's locale read through nl_langinfo, and the platform's date and time picture language.
#include "platform/win/Locale.h"

#include "platform/rtl/SysUtils.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <locale.h>
#include <mutex>
#include <vector>

namespace {
TLocaleData EnglishUS() {
  TLocaleData L;
  L.Name = "C";
  L.ShortDate = "M/d/yyyy";
  L.LongDate = "dddd, MMMM d, yyyy";
  L.TimeFormat = "h:mm:ss tt";
  L.DateSeparator = "/";
  L.TimeSeparator = ":";
  L.AM = "AM";
  L.PM = "PM";
  static const char* const Months[12] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};
  static const char* const Days[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  for (int I = 0; I < 12; ++I) {
    L.LongMonthNames[I] = Months[I];
    L.ShortMonthNames[I] = std::string(Months[I], 3);
  }
  for (int I = 0; I < 7; ++I) {
    L.LongDayNames[I] = Days[I];
    L.ShortDayNames[I] = std::string(Days[I], 3);
  }
  return L;
}

// Converts a strftime pattern of the locale database into a picture of the platform's language. Letters
// outside directives become quoted text.
std::string PictureFromStrftime(std::string_view F, const std::string& AmPmPattern, int Depth = 0) {
  std::string Out;
  std::string Literal;
  auto FlushLiteral = [&] {
    for (char C : Literal) {
      if ((C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z')) {
        Out += '\'';
        Out += C;
        Out += '\'';
      } else if (C == '\'') {
        Out += "''";
      } else {
        Out += C;
      }
    }
    Literal.clear();
  };
  for (size_t I = 0; I < F.size(); ++I) {
    if (F[I] != '%' || I + 1 >= F.size()) {
      Literal += F[I];
      continue;
    }
    char D = F[++I];
    // Skip the glibc flags and the E/O modifiers: the picture language has no equivalent.
    while ((D == '-' || D == '_' || D == '0' || D == '^' || D == '#' || D == 'E' || D == 'O') && I + 1 < F.size()) {
      D = F[++I];
    }
    const char* Piece = nullptr;
    switch (D) {
      case 'd': Piece = "dd"; break;
      case 'e': Piece = "d"; break;
      case 'm': Piece = "MM"; break;
      case 'y': Piece = "yy"; break;
      case 'Y': case 'G': Piece = "yyyy"; break;
      case 'b': case 'h': Piece = "MMM"; break;
      case 'B': Piece = "MMMM"; break;
      case 'a': Piece = "ddd"; break;
      case 'A': Piece = "dddd"; break;
      case 'H': Piece = "HH"; break;
      case 'k': Piece = "H"; break;
      case 'I': Piece = "hh"; break;
      case 'l': Piece = "h"; break;
      case 'M': Piece = "mm"; break;
      case 'S': Piece = "ss"; break;
      case 'p': case 'P': Piece = "tt"; break;
      case 'T': Piece = "HH:mm:ss"; break;
      case 'R': Piece = "HH:mm"; break;
      case 'D': Piece = "MM/dd/yy"; break;
      case 'F': Piece = "yyyy-MM-dd"; break;
      case 'r':
        FlushLiteral();
        if (Depth == 0 && !AmPmPattern.empty()) {
          Out += PictureFromStrftime(AmPmPattern, AmPmPattern, 1);
        } else {
          Out += "hh:mm:ss tt";
        }
        continue;
      case 'n': case 't': Literal += ' '; continue;
      case '%': Literal += '%'; continue;
      default: continue;  // time zone and other directives have no picture: dropped
    }
    FlushLiteral();
    Out += Piece;
  }
  FlushLiteral();
  return Trim(Out);
}

// The first run of characters between two fields of a picture (the separator), skipping quoted text.
std::string SeparatorOf(const std::string& Picture, std::string_view Fields, const std::string& Fallback) {
  size_t I = 0;
  while (I < Picture.size() && Fields.find(Picture[I]) == std::string_view::npos) {
    ++I;
  }
  while (I < Picture.size() && Fields.find(Picture[I]) != std::string_view::npos) {
    ++I;
  }
  std::string Sep;
  while (I < Picture.size() && Fields.find(Picture[I]) == std::string_view::npos && Picture[I] != '\'') {
    Sep += Picture[I++];
  }
  return Sep.empty() ? Fallback : Sep;
}

// A long date picture in the spirit of the locale's short date: the order of day, month and year is kept.
std::string LongDateFor(const std::string& ShortDate) {
  const size_t D = ShortDate.find('d');
  const size_t M = ShortDate.find('M');
  const size_t Y = ShortDate.find('y');
  if (Y != std::string::npos && (D == std::string::npos || Y < D) && (M == std::string::npos || Y < M)) {
    return "yyyy MMMM d";
  }
  if (M != std::string::npos && D != std::string::npos && M < D) {
    return "dddd, MMMM d, yyyy";
  }
  return "dddd, d MMMM yyyy";
}

bool LoadFromSystem(const char* Name, TLocaleData& L) {
  locale_t Loc = newlocale(LC_TIME_MASK | LC_NUMERIC_MASK | LC_MONETARY_MASK | LC_CTYPE_MASK, Name, nullptr);
  if (!Loc) {
    return false;
  }
  const bool Utf8 = std::strcmp(nl_langinfo_l(CODESET, Loc), "UTF-8") == 0;
  auto Get = [&](nl_item Item) {
    std::string S = nl_langinfo_l(Item, Loc);
    return Utf8 ? Utf8ToAnsi(S) : S;
  };
  const char* Effective = Name;
  if (!*Effective) {
    for (const char* Var : {"LC_ALL", "LC_TIME", "LANG"}) {
      const char* V = std::getenv(Var);
      if (V && *V) {
        Effective = V;
        break;
      }
    }
  }
  const std::string EffName = *Effective ? Effective : "C";
  const bool IsDefault = EffName == "C" || EffName == "POSIX" || EffName.rfind("C.", 0) == 0;
  if (IsDefault) {
    freelocale(Loc);
    return true;
  }
  L.Name = EffName;
  const std::string AmPm = nl_langinfo_l(T_FMT_AMPM, Loc);
  L.ShortDate = PictureFromStrftime(Get(D_FMT), AmPm);
  L.LongDate = LongDateFor(L.ShortDate);
  L.TimeFormat = PictureFromStrftime(Get(T_FMT), AmPm);
  L.DateSeparator = SeparatorOf(L.ShortDate, "dMy", "/");
  L.TimeSeparator = SeparatorOf(L.TimeFormat, "hHms", ":");
  L.AM = Get(AM_STR);
  L.PM = Get(PM_STR);
  for (int I = 0; I < 12; ++I) {
    L.ShortMonthNames[I] = Get(static_cast<nl_item>(ABMON_1 + I));
    L.LongMonthNames[I] = Get(static_cast<nl_item>(MON_1 + I));
  }
  for (int I = 0; I < 7; ++I) {
    L.ShortDayNames[I] = Get(static_cast<nl_item>(ABDAY_1 + I));
    L.LongDayNames[I] = Get(static_cast<nl_item>(DAY_1 + I));
  }
  L.Decimal = Get(RADIXCHAR);
  L.Thousand = Get(THOUSEP);
  std::string Cur = Get(CRNCYSTR);
  if (!Cur.empty() && (Cur[0] == '-' || Cur[0] == '+' || Cur[0] == '.')) {
    Cur.erase(0, 1);
  }
  if (!Cur.empty()) {
    L.Currency = Cur;
  }
  freelocale(Loc);
  return true;
}

std::mutex LocaleLock;
TLocaleData* Current = nullptr;

TLocaleData LoadLocale(const char* Name, bool& Ok) {
  TLocaleData L = EnglishUS();
  Ok = LoadFromSystem(Name ? Name : "", L);
  return L;
}

// --- the picture language -----------------------------------------------------------------------------------

std::string TwoDigits(int V) {
  std::string S = std::to_string(V % 100);
  return S.size() < 2 ? "0" + S : S;
}

// Counts how often Picture[I] repeats from I on.
size_t RunLength(std::string_view Picture, size_t I) {
  size_t N = 1;
  while (I + N < Picture.size() && Picture[I + N] == Picture[I]) {
    ++N;
  }
  return N;
}

// Appends quoted text starting at Picture[I] == '\''; '' inside or outside quotes is one quote. Returns the
// index past the closing quote.
size_t AppendQuoted(std::string_view Picture, size_t I, std::string& Out) {
  ++I;
  while (I < Picture.size()) {
    if (Picture[I] == '\'') {
      if (I + 1 < Picture.size() && Picture[I + 1] == '\'') {
        Out += '\'';
        I += 2;
        continue;
      }
      return I + 1;
    }
    Out += Picture[I++];
  }
  return I;
}
}  // namespace

const TLocaleData& UserLocaleData() {
  std::lock_guard<std::mutex> G(LocaleLock);
  if (!Current) {
    bool Ok = false;
    Current = new TLocaleData(LoadLocale(nullptr, Ok));
  }
  return *Current;
}

bool ReloadUserLocale(const char* LocaleName) {
  bool Ok = false;
  TLocaleData L = LoadLocale(LocaleName, Ok);
  std::lock_guard<std::mutex> G(LocaleLock);
  // Earlier references stay valid: the record is updated in place.
  if (!Current) {
    Current = new TLocaleData(std::move(L));
  } else {
    *Current = std::move(L);
  }
  return Ok;
}

std::string FormatLocaleDate(const SYSTEMTIME& St, std::string_view Picture, const TLocaleData& L) {
  std::string Out;
  const int Month = St.wMonth >= 1 && St.wMonth <= 12 ? St.wMonth : 1;
  const int Dow = St.wDayOfWeek % 7;
  for (size_t I = 0; I < Picture.size();) {
    const char C = Picture[I];
    if (C == '\'') {
      I = AppendQuoted(Picture, I, Out);
      continue;
    }
    const size_t N = (C == 'd' || C == 'M' || C == 'y' || C == 'g') ? RunLength(Picture, I) : 1;
    switch (C) {
      case 'd':
        Out += N == 1 ? std::to_string(St.wDay) : N == 2 ? TwoDigits(St.wDay)
               : N == 3 ? L.ShortDayNames[Dow] : L.LongDayNames[Dow];
        break;
      case 'M':
        Out += N == 1 ? std::to_string(Month) : N == 2 ? TwoDigits(Month)
               : N == 3 ? L.ShortMonthNames[Month - 1] : L.LongMonthNames[Month - 1];
        break;
      case 'y':
        Out += N == 1 ? std::to_string(St.wYear % 100) : N == 2 ? TwoDigits(St.wYear) : std::to_string(St.wYear);
        break;
      case 'g':
        Out += "A.D.";
        break;
      default:
        Out += C;
    }
    I += N;
  }
  return Out;
}

std::string FormatLocaleTime(const SYSTEMTIME& St, std::string_view Picture, DWORD TimeFlags, const TLocaleData& L) {
  // Split into fields and the literal text before each, so that a suppressed field takes its separator along.
  struct TPiece {
    std::string Before;
    char Field = 0;  // 0 for trailing text
    size_t Count = 0;
  };
  std::vector<TPiece> Pieces(1);
  for (size_t I = 0; I < Picture.size();) {
    const char C = Picture[I];
    if (C == '\'') {
      I = AppendQuoted(Picture, I, Pieces.back().Before);
      continue;
    }
    if (C == 'h' || C == 'H' || C == 'm' || C == 's' || C == 't') {
      const size_t N = RunLength(Picture, I);
      Pieces.back().Field = C;
      Pieces.back().Count = N;
      Pieces.emplace_back();
      I += N;
      continue;
    }
    Pieces.back().Before += C;
    ++I;
  }
  auto Suppressed = [&](char F) {
    return ((TimeFlags & TIME_NOMINUTESORSECONDS) && (F == 'm' || F == 's')) ||
           ((TimeFlags & TIME_NOSECONDS) && F == 's') || ((TimeFlags & TIME_NOTIMEMARKER) && F == 't');
  };
  std::string Out;
  bool DropNextSeparator = false;
  bool AnyField = false;
  for (const TPiece& P : Pieces) {
    if (P.Field && Suppressed(P.Field)) {
      // A suppressed field drops the separator before it; at the start, the one after it.
      DropNextSeparator = !AnyField;
      continue;
    }
    if (!DropNextSeparator) {
      Out += P.Before;
    }
    DropNextSeparator = false;
    if (!P.Field) {
      continue;
    }
    AnyField = true;
    int Hour12 = St.wHour % 12;
    if (Hour12 == 0) {
      Hour12 = 12;
    }
    const bool Force24 = (TimeFlags & TIME_FORCE24HOURFORMAT) != 0;
    const std::string& Marker = St.wHour < 12 ? L.AM : L.PM;
    switch (P.Field) {
      case 'h':
        if (!Force24) {
          Out += P.Count == 1 ? std::to_string(Hour12) : TwoDigits(Hour12);
          break;
        }
        [[fallthrough]];
      case 'H':
        Out += P.Count == 1 ? std::to_string(St.wHour) : TwoDigits(St.wHour);
        break;
      case 'm':
        Out += P.Count == 1 ? std::to_string(St.wMinute) : TwoDigits(St.wMinute);
        break;
      case 's':
        Out += P.Count == 1 ? std::to_string(St.wSecond) : TwoDigits(St.wSecond);
        break;
      case 't':
        Out += P.Count == 1 ? Marker.substr(0, 1) : Marker;
        break;
    }
  }
  return Out;
}

namespace {
int CopyOut(const std::string& S, LPSTR Buffer, int Size) {
  const int Needed = static_cast<int>(S.size()) + 1;
  if (Size == 0) {
    return Needed;
  }
  if (!Buffer || Size < Needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(Buffer, S.c_str(), S.size() + 1);
  return Needed;
}

bool ValidDate(const SYSTEMTIME& St) {
  FILETIME Ft;
  return SystemTimeToFileTime(&St, &Ft) != FALSE;
}

// Fills in the day of the week the caller may have left out.
SYSTEMTIME Normalised(const SYSTEMTIME& St) {
  SYSTEMTIME Out = St;
  FILETIME Ft;
  if (SystemTimeToFileTime(&St, &Ft)) {
    FileTimeToSystemTime(&Ft, &Out);
  }
  return Out;
}
}  // namespace

int GetDateFormat(LCID, DWORD Flags, const SYSTEMTIME* Date, LPCSTR Format, LPSTR Buffer, int Size) {
  if (Size < 0 || (Size > 0 && !Buffer)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (Format && (Flags & (DATE_SHORTDATE | DATE_LONGDATE))) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  SYSTEMTIME St;
  if (Date) {
    if (!ValidDate(*Date)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    St = Normalised(*Date);
  } else {
    GetLocalTime(&St);
  }
  const TLocaleData& L = UserLocaleData();
  const std::string Picture = Format ? std::string(Format) : (Flags & DATE_LONGDATE) ? L.LongDate : L.ShortDate;
  return CopyOut(FormatLocaleDate(St, Picture, L), Buffer, Size);
}

int GetTimeFormat(LCID, DWORD Flags, const SYSTEMTIME* Time, LPCSTR Format, LPSTR Buffer, int Size) {
  if (Size < 0 || (Size > 0 && !Buffer)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  SYSTEMTIME St;
  if (Time) {
    if (Time->wHour > 23 || Time->wMinute > 59 || Time->wSecond > 59 || Time->wMilliseconds > 999) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    St = *Time;
  } else {
    GetLocalTime(&St);
  }
  const TLocaleData& L = UserLocaleData();
  return CopyOut(FormatLocaleTime(St, Format ? std::string_view(Format) : L.TimeFormat, Flags, L), Buffer, Size);
}

namespace {
struct TLangId {
  const char* Prefix;
  LCID Id;
};
// Locale identifiers of the languages most users run; others report English (United States).
const TLangId LangIds[] = {
    {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009}, {"de_AT", 0x0C07}, {"de_CH", 0x0807},
    {"fr_CA", 0x0C0C}, {"fr_BE", 0x080C}, {"fr_CH", 0x100C}, {"pt_PT", 0x0816}, {"nl_BE", 0x0813},
    {"en", 0x0409},    {"de", 0x0407},    {"fr", 0x040C},    {"es", 0x0C0A},    {"it", 0x0410},
    {"nl", 0x0413},    {"pt", 0x0416},    {"sv", 0x041D},    {"da", 0x0406},    {"nb", 0x0414},
    {"fi", 0x040B},    {"pl", 0x0415},    {"cs", 0x0405},    {"hu", 0x040E},    {"ru", 0x0419},
    {"ja", 0x0411},    {"zh", 0x0804},    {"ko", 0x0412},    {"tr", 0x041F},    {"el", 0x0408}};

std::string LocaleValue(const TLocaleData& L, LCTYPE Type, bool& Known) {
  Known = true;
  const LCTYPE T = Type & ~LOCALE_NOUSEROVERRIDE;
  if (T >= LOCALE_SDAYNAME1 && T < LOCALE_SDAYNAME1 + 7) {
    return L.LongDayNames[(T - LOCALE_SDAYNAME1 + 1) % 7];
  }
  if (T >= LOCALE_SABBREVDAYNAME1 && T < LOCALE_SABBREVDAYNAME1 + 7) {
    return L.ShortDayNames[(T - LOCALE_SABBREVDAYNAME1 + 1) % 7];
  }
  if (T >= LOCALE_SMONTHNAME1 && T < LOCALE_SMONTHNAME1 + 12) {
    return L.LongMonthNames[T - LOCALE_SMONTHNAME1];
  }
  if (T >= LOCALE_SABBREVMONTHNAME1 && T < LOCALE_SABBREVMONTHNAME1 + 12) {
    return L.ShortMonthNames[T - LOCALE_SABBREVMONTHNAME1];
  }
  const size_t D = L.ShortDate.find('d');
  const size_t M = L.ShortDate.find('M');
  const size_t Y = L.ShortDate.find('y');
  switch (T) {
    case LOCALE_ILANGUAGE: return IntToHex(GetUserDefaultLCID(), 4);
    case LOCALE_SENGLANGUAGE: return L.Name == "C" ? "English" : L.Name.substr(0, L.Name.find('_'));
    case LOCALE_SABBREVLANGNAME: return L.Name == "C" ? "ENU" : UpperCase(L.Name.substr(0, 2)) + "U";
    case LOCALE_SDECIMAL: return L.Decimal;
    case LOCALE_STHOUSAND: return L.Thousand;
    case LOCALE_SCURRENCY: return L.Currency;
    case LOCALE_ICURRDIGITS: return "2";
    case LOCALE_ICURRENCY: return "0";
    case LOCALE_INEGCURR: return "0";
    case LOCALE_SDATE: return L.DateSeparator;
    case LOCALE_STIME: return L.TimeSeparator;
    case LOCALE_SSHORTDATE: return L.ShortDate;
    case LOCALE_SLONGDATE: return L.LongDate;
    case LOCALE_STIMEFORMAT: return L.TimeFormat;
    case LOCALE_IDATE: return (Y < D && Y < M) ? "2" : (D < M ? "1" : "0");
    case LOCALE_ITIME: return L.TimeFormat.find('H') != std::string::npos ? "1" : "0";
    case LOCALE_ITLZERO: return (L.TimeFormat.find("hh") != std::string::npos ||
                                 L.TimeFormat.find("HH") != std::string::npos) ? "1" : "0";
    case LOCALE_S1159: return L.AM;
    case LOCALE_S2359: return L.PM;
    case LOCALE_IFIRSTDAYOFWEEK: return L.Name == "C" || L.Name.rfind("en_US", 0) == 0 ? "6" : "0";
    default: Known = false; return {};
  }
}
}  // namespace

LCID GetUserDefaultLCID() {
  const std::string& Name = UserLocaleData().Name;
  for (const TLangId& L : LangIds) {
    if (Name.rfind(L.Prefix, 0) == 0) {
      return L.Id;
    }
  }
  return 0x0409;
}

LCID GetThreadLocale() { return GetUserDefaultLCID(); }

int GetLocaleInfo(LCID, LCTYPE Type, LPSTR Buffer, int Size) {
  if (Size < 0 || (Size > 0 && !Buffer)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  bool Known = false;
  const std::string V = LocaleValue(UserLocaleData(), Type, Known);
  if (!Known) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  return CopyOut(V, Buffer, Size);
}

std::string GetLocaleStr(LCID Locale, LCTYPE Type, std::string_view Default) {
  char Buf[256];
  const int N = GetLocaleInfo(Locale, Type, Buf, sizeof(Buf));
  return N > 0 ? std::string(Buf, N - 1) : std::string(Default);
}
