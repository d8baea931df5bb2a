// The HTTP client's helpers: splitting addresses, Base64 and UU encoding, RFC 1123 dates, URL encoding.
#include "net/Httpprot.h"

#include "platform/rtl/DateUtils.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

bool IsSchemeChar(char C) {
  return (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9') || C == '+' || C == '-' || C == '.';
}

// The base directory of a path: up to and including its last "/", or "/" when it holds none.
std::string BaseDirectory(const std::string& Path) {
  std::size_t P = Path.rfind('/');
  return P == std::string::npos ? std::string("/") : Path.substr(0, P + 1);
}

bool StartsWith(const std::string& S, const char* Prefix) { return S.rfind(Prefix, 0) == 0; }

}  // namespace

void ParseURL(const std::string& URL, std::string& Proto, std::string& User, std::string& Pass, std::string& Host,
              std::string& Port, std::string& Path) {
  const std::string Base = Path;
  Proto.clear();
  User.clear();
  Pass.clear();
  Host.clear();
  Port.clear();
  Path.clear();
  if (URL.empty()) {
    return;
  }
  if (StartsWith(URL, "./")) {
    Path = BaseDirectory(Base) + URL.substr(2);
    return;
  }
  if (StartsWith(URL, "../")) {
    std::string Dir = BaseDirectory(Base);
    std::string Rest = URL.substr(3);
    for (;;) {
      // Climb one directory above the current one.
      Dir.pop_back();
      Dir = BaseDirectory(Dir);
      if (!StartsWith(Rest, "../")) {
        break;
      }
      Rest.erase(0, 3);
    }
    Path = Dir + Rest;
    return;
  }
  std::size_t Start = 0;
  std::size_t Sep = URL.find("://");
  bool ValidScheme = Sep != std::string::npos && Sep > 0;
  for (std::size_t I = 0; ValidScheme && I < Sep; ++I) {
    ValidScheme = IsSchemeChar(URL[I]);
  }
  if (ValidScheme) {
    Proto = URL.substr(0, Sep);
    Start = Sep + 3;
  } else if (URL[0] == '/') {
    Proto = "http";
    if (URL.size() < 2 || URL[1] != '/') {
      Path = URL;
      return;
    }
    Start = 2;
  } else if (LowerCase(URL.substr(0, 5)) == "http:") {
    Proto = "http";
    if (URL.size() > 6 && URL[6] != '/') {
      Path = URL.substr(5);
      return;
    }
    Start = 7;
  } else if (LowerCase(URL.substr(0, 7)) == "mailto:") {
    Proto = "mailto";
    Start = URL.find(':') + 1;
  } else if (Sep != std::string::npos) {
    Proto = "http";  // not a valid scheme before "://": taken as having none
  }
  std::string Rest = Start < URL.size() ? URL.substr(Start) : std::string();
  std::size_t Slash = Rest.find('/');
  std::size_t Query = Rest.find('?');
  std::size_t PathAt = (Query != std::string::npos && (Slash == std::string::npos || Query < Slash)) ? Query : Slash;
  std::string Authority = Rest;
  if (PathAt != std::string::npos) {
    Path = Rest.substr(PathAt);
    Authority = Rest.substr(0, PathAt);
  }
  std::size_t B = Authority.rfind(':');
  std::size_t C = Authority.rfind('@');
  if (B == std::string::npos && C == std::string::npos) {
    Host = Authority;
    return;
  }
  if (B != std::string::npos && (C == std::string::npos || C < B)) {
    Port = Authority.substr(B + 1);
    std::size_t HostAt = C == std::string::npos ? 0 : C + 1;
    Host = Authority.substr(HostAt, B - HostAt);
    if (C == std::string::npos) {
      return;
    }
  } else {
    Host = Authority.substr(C + 1);
  }
  std::string UserPart = Authority.substr(0, C);
  std::size_t Colon = UserPart.find(':');
  if (Colon == std::string::npos) {
    User = UserPart;
  } else {
    User = UserPart.substr(0, Colon);
    Pass = UserPart.substr(Colon + 1);
  }
}

int Posn(const std::string& S, const std::string& Text, int N) {
  if (N == 0 || S.empty()) {
    return 0;
  }
  if (N > 0) {
    std::size_t From = 0;
    std::size_t At = std::string::npos;
    for (int I = 0; I < N; ++I) {
      At = Text.find(S, From);
      if (At == std::string::npos) {
        return static_cast<int>(Text.size()) + 1;  // fewer occurrences: past the end
      }
      From = At + 1;
    }
    return static_cast<int>(At) + 1;
  }
  std::vector<std::size_t> Found;
  for (std::size_t At = Text.find(S); At != std::string::npos; At = Text.find(S, At + 1)) {
    Found.push_back(At);
  }
  if (Found.size() < static_cast<std::size_t>(-static_cast<long long>(N))) {
    return 0;
  }
  return static_cast<int>(Found[Found.size() - static_cast<std::size_t>(-static_cast<long long>(N))]) + 1;
}

std::string EncodeLine(THttpEncoding Encoding, const char* SrcData, int Size) {
  static const char Base64Chars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  const auto* Src = reinterpret_cast<const unsigned char*>(SrcData);
  std::string Out;
  if (Size <= 0) {
    return Out;
  }
  if (Encoding == encUUEncode) {
    auto UU = [](unsigned V) { return V == 0 ? '`' : static_cast<char>(V + 32); };
    Out += static_cast<char>(Size + 32);
    for (int I = 0; I < Size; I += 3) {
      unsigned B0 = Src[I];
      unsigned B1 = I + 1 < Size ? Src[I + 1] : 0;
      unsigned B2 = I + 2 < Size ? Src[I + 2] : 0;
      Out += UU(B0 >> 2);
      Out += UU(((B0 & 3) << 4) | (B1 >> 4));
      Out += UU(((B1 & 15) << 2) | (B2 >> 6));
      Out += UU(B2 & 63);
    }
    return Out;
  }
  Out.reserve(static_cast<std::size_t>((Size + 2) / 3 * 4));
  for (int I = 0; I < Size; I += 3) {
    unsigned V = static_cast<unsigned>(Src[I]) << 16;
    if (I + 1 < Size) {
      V |= static_cast<unsigned>(Src[I + 1]) << 8;
    }
    if (I + 2 < Size) {
      V |= Src[I + 2];
    }
    Out += Base64Chars[(V >> 18) & 63];
    Out += Base64Chars[(V >> 12) & 63];
    Out += I + 1 < Size ? Base64Chars[(V >> 6) & 63] : '=';
    Out += I + 2 < Size ? Base64Chars[V & 63] : '=';
  }
  return Out;
}

std::string EncodeStr(THttpEncoding Encoding, const std::string& Value) {
  return EncodeLine(Encoding, Value.data(), static_cast<int>(Value.size()));
}

std::string RFC1123_Date(TDateTime aDate) {
  static const char WeekDays[] = "MonTueWedThuFriSatSun";
  static const char Months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
  Word Year = 0;
  Word Month = 0;
  Word Day = 0;
  Word Hour = 0;
  Word Min = 0;
  Word Sec = 0;
  Word MSec = 0;
  DecodeDate(aDate, Year, Month, Day);
  DecodeTime(aDate, Hour, Min, Sec, MSec);
  // Day 0 of the count (30 December 1899) was a Saturday; the modulo stays positive before it too.
  long long Days = static_cast<long long>(std::floor(static_cast<double>(aDate)));
  int WeekDay = static_cast<int>(((Days - 2) % 7 + 7) % 7);
  char Buf[64];
  std::snprintf(Buf, sizeof Buf, "%.3s, %2.2d %.3s %4.4d %2.2d:%2.2d:%2.2d", WeekDays + WeekDay * 3, Day,
                Months + (Month - 1) * 3, Year, Hour, Min, Sec);
  return Buf;
}

std::string UrlEncode(const std::string& S) {
  static const char Hex[] = "0123456789ABCDEF";
  std::string Out;
  Out.reserve(S.size() * 3);
  for (char Ch : S) {
    unsigned char C = static_cast<unsigned char>(Ch);
    if ((C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9')) {
      Out += Ch;
    } else {
      Out += '%';
      Out += Hex[C >> 4];
      Out += Hex[C & 15];
    }
  }
  return Out;
}

std::string UrlDecode(const std::string& S) {
  std::string Out;
  std::size_t I = 0;
  while (I < S.size() && S[I] != '&') {
    char Ch = S[I];
    if (Ch == '%') {
      // Up to two hexadecimal digits follow; two characters are skipped either way.
      char Digits[3] = {0, 0, 0};
      for (std::size_t K = 0; K < 2 && I + 1 + K < S.size(); ++K) {
        Digits[K] = S[I + 1 + K];
      }
      Out += static_cast<char>(htoi2(Digits));
      I = std::min(I + 3, S.size());
      continue;
    }
    Out += Ch == '+' ? ' ' : Ch;
    ++I;
  }
  return Out;
}

bool IsDigit(char Ch) { return Ch >= '0' && Ch <= '9'; }

bool IsXDigit(char Ch) { return IsDigit(Ch) || (Ch >= 'a' && Ch <= 'f') || (Ch >= 'A' && Ch <= 'F'); }

int XDigit(char Ch) {
  if (IsDigit(Ch)) {
    return Ch - '0';
  }
  if (Ch >= 'a' && Ch <= 'f') {
    return Ch - 'a' + 10;
  }
  if (Ch >= 'A' && Ch <= 'F') {
    return Ch - 'A' + 10;
  }
  return 0;
}

int htoin(const char* Value, int Len) {
  int I = 0;
  while (I < Len && Value[I] == ' ') {
    ++I;
  }
  int Result = 0;
  while (I < Len && IsXDigit(Value[I])) {
    Result = Result * 16 + XDigit(Value[I]);
    ++I;
  }
  return Result;
}

int htoi2(const char* Value) { return htoin(Value, 2); }

void ReplaceExt(std::string& FName, const std::string& newExt) {
  std::size_t Dot = FName.rfind('.');
  if (Dot == std::string::npos) {
    FName += "." + newExt;
  } else {
    FName = FName.substr(0, Dot + 1) + newExt;
  }
}
