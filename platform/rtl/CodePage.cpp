// Code page 1252 tables, 1252 <-> UTF-8 conversion and the collation behind AnsiCompareStr/AnsiCompareText.
#include "platform/rtl/CodePage.h"
#include "platform/rtl/SysUtils.h"

#include <array>
#include <cstdint>
#include <clocale>
#include <cstring>
#include <cwchar>
#include <locale.h>
#include <memory>
#include <vector>

namespace {

// Code points of the bytes 0x80..0x9F; the rest of 1252 is ISO 8859-1.
constexpr char16_t High1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

struct TCaseTables {
  std::array<unsigned char, 256> Upper{};
  std::array<unsigned char, 256> Lower{};
  constexpr TCaseTables() {
    for (int I = 0; I < 256; ++I) {
      Upper[I] = static_cast<unsigned char>(I);
      Lower[I] = static_cast<unsigned char>(I);
    }
    auto Pair = [this](int Lo, int Up) {
      Upper[Lo] = static_cast<unsigned char>(Up);
      Lower[Up] = static_cast<unsigned char>(Lo);
    };
    for (int C = 'a'; C <= 'z'; ++C) {
      Pair(C, C - 32);
    }
    for (int C = 0xE0; C <= 0xFE; ++C) {
      if (C != 0xF7) {  // ÷ and × are not letters
        Pair(C, C - 32);
      }
    }
    Pair(0x9A, 0x8A);  // š Š
    Pair(0x9C, 0x8C);  // œ Œ
    Pair(0x9E, 0x8E);  // ž Ž
    Pair(0xFF, 0x9F);  // ÿ Ÿ
  }
};
constexpr TCaseTables CaseTables;

// ---- collation ----------------------------------------------------------------------------------------

bool OrdersLinguistically(locale_t Loc) {
  return wcscoll_l(L"apple", L"Banana", Loc) < 0 && wcscoll_l(L"Banana", L"cherry", Loc) < 0 &&
         wcscoll_l(L"\u00e9", L"f", Loc) < 0 && wcscoll_l(L"a", L"A", Loc) < 0;
}

// The collation locale, chosen once: the user's, else en_US.UTF-8, else none (the built-in order).
locale_t PickCollation() {
  const char* Candidates[] = {"", "en_US.UTF-8", "en_US.utf8", "en_US"};
  for (const char* Name : Candidates) {
    locale_t Loc = newlocale(LC_COLLATE_MASK, Name, static_cast<locale_t>(nullptr));
    if (Loc == static_cast<locale_t>(nullptr)) {
      continue;
    }
    if (OrdersLinguistically(Loc)) {
      return Loc;
    }
    freelocale(Loc);
  }
  return static_cast<locale_t>(nullptr);
}

locale_t CollationLocale() {
  static const locale_t Loc = PickCollation();
  return Loc;
}

// Built-in order for hosts without a linguistic locale: the primary weight of a letter is its base letter
// (accents and case removed), digits and letters come after punctuation as in the usual collations.
struct TFallbackWeights {
  std::array<unsigned short, 256> Primary{};
  constexpr TFallbackWeights() {
    // Non-letters keep their byte order below the letters; letters get 1000 + base letter.
    for (int I = 0; I < 256; ++I) {
      Primary[I] = static_cast<unsigned short>(I);
    }
    for (int C = '0'; C <= '9'; ++C) {
      Primary[C] = static_cast<unsigned short>(900 + C);
    }
    for (int C = 'a'; C <= 'z'; ++C) {
      Primary[C] = Primary[C - 32] = static_cast<unsigned short>(1000 + C);
    }
    const char* Bases = "AAAAAAACEEEEIIIIDNOOOOO*OUUUUYTsaaaaaaaceeeeiiiidnooooo/ouuuuyty";  // C0..FF
    for (int I = 0; I < 64; ++I) {
      const char B = Bases[I];
      if (B != '*' && B != '/') {
        const int Lo = (B >= 'A' && B <= 'Z') ? B + 32 : B;
        Primary[0xC0 + I] = static_cast<unsigned short>(1000 + Lo);
      }
    }
    Primary[0x8A] = Primary[0x9A] = 1000 + 's';
    Primary[0x8C] = Primary[0x9C] = 1000 + 'o';
    Primary[0x8E] = Primary[0x9E] = 1000 + 'z';
    Primary[0x9F] = 1000 + 'y';
  }
};
constexpr TFallbackWeights FallbackWeights;

int FallbackCompare(std::string_view A, std::string_view B) {
  const std::size_t N = std::min(A.size(), B.size());
  for (int Level = 0; Level < 3; ++Level) {
    for (std::size_t I = 0; I < N; ++I) {
      const auto CA = static_cast<unsigned char>(A[I]);
      const auto CB = static_cast<unsigned char>(B[I]);
      int WA = 0;
      int WB = 0;
      if (Level == 0) {
        WA = FallbackWeights.Primary[CA];
        WB = FallbackWeights.Primary[CB];
      } else if (Level == 1) {
        WA = CaseTables.Lower[CA];
        WB = CaseTables.Lower[CB];
      } else {
        // Lower case before upper case.
        WA = CaseTables.Lower[CA] == CA ? 0 : 1;
        WB = CaseTables.Lower[CB] == CB ? 0 : 1;
      }
      if (WA != WB) {
        return WA < WB ? -1 : 1;
      }
    }
    if (Level == 0 && A.size() != B.size()) {
      return A.size() < B.size() ? -1 : 1;
    }
  }
  return 0;
}

// Widens 1252 text into a caller's buffer (stack for short strings), folding case when asked.
class TWideText {
public:
  TWideText(std::string_view S, bool FoldCase) {
    wchar_t* Out = FLocal;
    if (S.size() >= LocalSize) {
      FHeap = std::make_unique<wchar_t[]>(S.size() + 1);
      Out = FHeap.get();
    }
    for (std::size_t I = 0; I < S.size(); ++I) {
      auto B = static_cast<unsigned char>(S[I]);
      if (FoldCase) {
        B = CaseTables.Lower[B];
      }
      Out[I] = static_cast<wchar_t>(Cp1252ToUnicode(B));
    }
    Out[S.size()] = 0;
    FText = Out;
  }
  const wchar_t* Text() const { return FText; }

private:
  static constexpr std::size_t LocalSize = 128;
  wchar_t FLocal[LocalSize];
  std::unique_ptr<wchar_t[]> FHeap;
  const wchar_t* FText = nullptr;
};

int BytewiseCompare(std::string_view A, std::string_view B) {
  const int R = A.compare(B);
  return R < 0 ? -1 : (R > 0 ? 1 : 0);
}

int FoldedBytewiseCompare(std::string_view A, std::string_view B) {
  const std::size_t N = std::min(A.size(), B.size());
  for (std::size_t I = 0; I < N; ++I) {
    const int CA = CaseTables.Lower[static_cast<unsigned char>(A[I])];
    const int CB = CaseTables.Lower[static_cast<unsigned char>(B[I])];
    if (CA != CB) {
      return CA < CB ? -1 : 1;
    }
  }
  return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
}

int Collate(std::string_view A, std::string_view B, bool IgnoreCase) {
  const locale_t Loc = CollationLocale();
  int R = 0;
  if (Loc == static_cast<locale_t>(nullptr)) {
    R = IgnoreCase ? FallbackCompare(AnsiLowerCase(A), AnsiLowerCase(B)) : FallbackCompare(A, B);
  } else {
    const TWideText WA(A, IgnoreCase);
    const TWideText WB(B, IgnoreCase);
    R = wcscoll_l(WA.Text(), WB.Text(), Loc);
  }
  if (R != 0) {
    return R < 0 ? -1 : 1;
  }
  // Texts the collation holds equal (ignorable characters, embedded zero bytes) are ordered by their
  // bytes, so that only identical texts compare equal and the order stays total.
  return IgnoreCase ? FoldedBytewiseCompare(A, B) : BytewiseCompare(A, B);
}

void AppendUtf8(std::string& Out, char32_t C) {
  if (C < 0x80) {
    Out += static_cast<char>(C);
  } else if (C < 0x800) {
    Out += static_cast<char>(0xC0 | (C >> 6));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  } else {
    Out += static_cast<char>(0xE0 | (C >> 12));
    Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  }
}

// Decodes one UTF-8 sequence at S[I]; returns its length, or 0 when it is malformed (a stray continuation
// byte, a truncated or overlong sequence, a surrogate or a value above U+10FFFF).
std::size_t DecodeUtf8(std::string_view S, std::size_t I, char32_t& C) {
  const auto B0 = static_cast<unsigned char>(S[I]);
  if (B0 < 0x80) {
    C = B0;
    return 1;
  }
  std::size_t Len = 0;
  char32_t Min = 0;
  if ((B0 & 0xE0) == 0xC0) {
    Len = 2;
    C = B0 & 0x1F;
    Min = 0x80;
  } else if ((B0 & 0xF0) == 0xE0) {
    Len = 3;
    C = B0 & 0x0F;
    Min = 0x800;
  } else if ((B0 & 0xF8) == 0xF0) {
    Len = 4;
    C = B0 & 0x07;
    Min = 0x10000;
  } else {
    return 0;
  }
  if (I + Len > S.size()) {
    return 0;
  }
  for (std::size_t K = 1; K < Len; ++K) {
    const auto B = static_cast<unsigned char>(S[I + K]);
    if ((B & 0xC0) != 0x80) {
      return 0;
    }
    C = (C << 6) | (B & 0x3F);
  }
  if (C < Min || C > 0x10FFFF || (C >= 0xD800 && C <= 0xDFFF)) {
    return 0;
  }
  return Len;
}

}  // namespace

char32_t Cp1252ToUnicode(unsigned char B) {
  if (B >= 0x80 && B < 0xA0) {
    return High1252[B - 0x80];
  }
  return B;
}

int UnicodeToCp1252(char32_t C) {
  if (C < 0x80 || (C >= 0xA0 && C <= 0xFF)) {
    return static_cast<int>(C);
  }
  for (int I = 0; I < 32; ++I) {
    if (High1252[I] == C) {
      return 0x80 + I;
    }
  }
  return -1;
}

unsigned char Cp1252Upper(unsigned char B) { return CaseTables.Upper[B]; }
unsigned char Cp1252Lower(unsigned char B) { return CaseTables.Lower[B]; }

char AnsiUpperChar(char C) { return static_cast<char>(CaseTables.Upper[static_cast<unsigned char>(C)]); }
char AnsiLowerChar(char C) { return static_cast<char>(CaseTables.Lower[static_cast<unsigned char>(C)]); }

std::string AnsiUpperCase(std::string_view S) {
  std::string R(S);
  for (char& C : R) {
    C = AnsiUpperChar(C);
  }
  return R;
}

std::string AnsiLowerCase(std::string_view S) {
  std::string R(S);
  for (char& C : R) {
    C = AnsiLowerChar(C);
  }
  return R;
}

int AnsiCompareStr(std::string_view S1, std::string_view S2) { return Collate(S1, S2, false); }
int AnsiCompareText(std::string_view S1, std::string_view S2) { return Collate(S1, S2, true); }
bool AnsiSameText(std::string_view S1, std::string_view S2) { return FoldedBytewiseCompare(S1, S2) == 0; }

bool AnsiCollationKey(std::string_view S, bool IgnoreCase, std::string& Key) {
  const locale_t Loc = CollationLocale();
  Key.clear();
  if (Loc == static_cast<locale_t>(nullptr)) {
    return false;
  }
  // The collation sees the text up to its first zero byte, as the direct comparison does.
  const std::size_t Zero = S.find('\0');
  if (Zero != std::string_view::npos) {
    S = S.substr(0, Zero);
  }
  thread_local std::vector<wchar_t> Weights(256);
  bool Ascii = true;
  for (const char C : S) {
    Ascii = Ascii && static_cast<unsigned char>(C) < 0x80;
  }
  std::size_t Need = 0;
  if (Ascii && S.size() < 128) {
    // Plain ASCII: widened directly, without the code page table.
    wchar_t Wide[128];
    for (std::size_t I = 0; I < S.size(); ++I) {
      const auto B = static_cast<unsigned char>(S[I]);
      Wide[I] = static_cast<wchar_t>(IgnoreCase && B >= 'A' && B <= 'Z' ? B + 32 : B);
    }
    Wide[S.size()] = 0;
    Need = wcsxfrm_l(Weights.data(), Wide, Weights.size(), Loc);
    if (Need >= Weights.size()) {
      Weights.resize(Need + 1);
      wcsxfrm_l(Weights.data(), Wide, Weights.size(), Loc);
    }
  } else {
    const TWideText W(S, IgnoreCase);
    Need = wcsxfrm_l(Weights.data(), W.Text(), Weights.size(), Loc);
    if (Need >= Weights.size()) {
      Weights.resize(Need + 1);
      wcsxfrm_l(Weights.data(), W.Text(), Weights.size(), Loc);
    }
  }
  // The C library's keys and its direct comparison disagree beyond the first level where characters that
  // the first level ignores take part, so the key holds the first level only: equal keys are settled by
  // the direct comparison.
  for (std::size_t I = 0; I < Need; ++I) {
    if (Weights[I] == 1) {
      Need = I;
      break;
    }
  }
  // Each weight in an order-keeping variable length: one byte below 0x80, then two, three or five bytes
  // whose lead bytes lie above those of the shorter forms.
  Key.reserve(Need * 2);
  for (std::size_t I = 0; I < Need; ++I) {
    const auto V = static_cast<std::uint32_t>(Weights[I]);
    if (V < 0x80) {
      Key += static_cast<char>(V);
    } else if (V < 0x4000) {
      Key += static_cast<char>(0x80 | (V >> 8));
      Key += static_cast<char>(V & 0xFF);
    } else if (V < 0x200000) {
      Key += static_cast<char>(0xC0 | (V >> 16));
      Key += static_cast<char>((V >> 8) & 0xFF);
      Key += static_cast<char>(V & 0xFF);
    } else {
      Key += static_cast<char>(0xE0);
      for (int Shift = 24; Shift >= 0; Shift -= 8) {
        Key += static_cast<char>((V >> Shift) & 0xFF);
      }
    }
  }
  return true;
}

int AnsiCompareByKeys(std::string_view K1, std::string_view S1, std::string_view K2, std::string_view S2,
                      bool IgnoreCase) {
  const int R = K1.compare(K2);
  if (R != 0) {
    return R < 0 ? -1 : 1;
  }
  if (S1 == S2) {
    return 0;
  }
  return Collate(S1, S2, IgnoreCase);
}

std::string AnsiToUtf8(std::string_view S) {
  std::string Out;
  Out.reserve(S.size() + S.size() / 4);
  for (char Ch : S) {
    AppendUtf8(Out, Cp1252ToUnicode(static_cast<unsigned char>(Ch)));
  }
  return Out;
}

std::string Utf8ToAnsi(std::string_view S) {
  std::string Out;
  Out.reserve(S.size());
  std::size_t I = 0;
  while (I < S.size()) {
    char32_t C = 0;
    const std::size_t Len = DecodeUtf8(S, I, C);
    if (Len == 0) {
      Out += '?';
      ++I;
      continue;
    }
    const int B = UnicodeToCp1252(C);
    Out += B < 0 ? '?' : static_cast<char>(B);
    I += Len;
  }
  return Out;
}
