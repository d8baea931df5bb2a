// Floating-point text in the class library's layouts: FloatToStrF and FloatToStr.
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

// A finite value as 0.Digits x 10^Exponent with at most 18 significant digits and no trailing zeros;
// Count == 0 is zero.
struct TDecimal {
  bool Negative = false;
  int Exponent = 0;
  int Count = 0;
  char Digits[20] = {};
};

void StripZeros(TDecimal& D) {
  while (D.Count > 0 && D.Digits[D.Count - 1] == '0') {
    --D.Count;
  }
}

TDecimal ToDecimal(double V) {
  TDecimal D;
  D.Negative = std::signbit(V);
  V = std::fabs(V);
  if (V == 0) {
    return D;
  }
  // 18 significant digits, exactly rounded; the layout "d.ddddddddddddddddde+XX" is fixed.
  char Buf[40];
  const auto Res = std::to_chars(Buf, Buf + sizeof(Buf), V, std::chars_format::scientific, 17);
  *Res.ptr = '\0';
  const char* P = Buf;
  D.Digits[D.Count++] = *P++;
  if (*P == '.') {
    ++P;
  }
  while (*P >= '0' && *P <= '9') {
    D.Digits[D.Count++] = *P++;
  }
  ++P;  // 'e'
  D.Exponent = std::atoi(P) + 1;
  StripZeros(D);
  return D;
}

// Keeps N significant digits, rounding half away from zero; N <= 0 may round to zero or to one unit
// of the next higher decade.
void RoundTo(TDecimal& D, int N) {
  if (D.Count == 0 || N >= D.Count) {
    return;
  }
  if (N < 0) {
    D.Count = 0;
    return;
  }
  const bool Up = D.Digits[N] >= '5';
  D.Count = N;
  if (Up) {
    int I = N - 1;
    while (I >= 0 && D.Digits[I] == '9') {
      D.Digits[I] = '0';
      --I;
    }
    if (I >= 0) {
      ++D.Digits[I];
    } else {
      D.Digits[0] = '1';
      D.Count = 1;
      ++D.Exponent;
    }
  }
  StripZeros(D);
}

char DigitAt(const TDecimal& D, int I) { return (I >= 0 && I < D.Count) ? D.Digits[I] : '0'; }

void AppendExponent(std::string& R, int Exp, bool AlwaysSign, int MinDigits) {
  R += 'E';
  if (Exp < 0) {
    R += '-';
    Exp = -Exp;
  } else if (AlwaysSign) {
    R += '+';
  }
  const std::string Num = std::to_string(Exp);
  if (static_cast<int>(Num.size()) < MinDigits) {
    R.append(static_cast<std::size_t>(MinDigits) - Num.size(), '0');
  }
  R += Num;
}

std::string FormatGeneral(TDecimal D, int Precision, int ExpDigits) {
  RoundTo(D, Precision);
  if (D.Count == 0) {
    return "0";
  }
  std::string R = D.Negative ? "-" : "";
  if (D.Exponent > Precision || D.Exponent < -4) {
    R += D.Digits[0];
    if (D.Count > 1) {
      R += '.';
      R.append(D.Digits + 1, static_cast<std::size_t>(D.Count - 1));
    }
    AppendExponent(R, D.Exponent - 1, false, ExpDigits);
  } else if (D.Exponent <= 0) {
    R += "0.";
    R.append(static_cast<std::size_t>(-D.Exponent), '0');
    R.append(D.Digits, static_cast<std::size_t>(D.Count));
  } else {
    for (int I = 0; I < D.Exponent; ++I) {
      R += DigitAt(D, I);
    }
    if (D.Count > D.Exponent) {
      R += '.';
      R.append(D.Digits + D.Exponent, static_cast<std::size_t>(D.Count - D.Exponent));
    }
  }
  return R;
}

std::string FormatExponent(TDecimal D, int Precision, int ExpDigits) {
  RoundTo(D, Precision);
  std::string R = (D.Negative && D.Count > 0) ? "-" : "";
  R += DigitAt(D, 0);
  if (Precision > 1) {
    R += '.';
    for (int I = 1; I < Precision; ++I) {
      R += DigitAt(D, I);
    }
  }
  AppendExponent(R, D.Count == 0 ? 0 : D.Exponent - 1, true, ExpDigits);
  return R;
}

// Fixed, number and currency layouts: Decimals digits after the point, thousands separators on request.
std::string FormatFixed(TDecimal D, int Decimals, bool Thousands) {
  RoundTo(D, D.Exponent + Decimals);
  std::string Int;
  if (D.Count == 0 || D.Exponent <= 0) {
    Int = "0";
  } else {
    for (int I = 0; I < D.Exponent; ++I) {
      if (Thousands && I > 0 && (D.Exponent - I) % 3 == 0) {
        Int += ',';
      }
      Int += DigitAt(D, I);
    }
  }
  std::string R = (D.Negative && D.Count > 0) ? "-" : "";
  R += Int;
  if (Decimals > 0) {
    R += '.';
    for (int I = 0; I < Decimals; ++I) {
      R += D.Count == 0 ? '0' : DigitAt(D, D.Exponent + I);
    }
  }
  return R;
}

}  // namespace

std::string FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits) {
  if (std::isnan(Value)) {
    return "NAN";
  }
  if (std::isinf(Value)) {
    return Value < 0 ? "-INF" : "INF";
  }
  Precision = std::clamp(Precision, 1, 18);
  const TDecimal D = ToDecimal(Value);
  switch (Format) {
    case ffGeneral:
      return FormatGeneral(D, Precision, std::clamp(Digits, 0, 4));
    case ffExponent:
      return FormatExponent(D, Precision, std::clamp(Digits, 0, 4));
    case ffFixed:
    case ffNumber:
    case ffCurrency:
      break;
  }
  // A value with more integer digits than the precision holds is shown in general layout.
  if (D.Exponent > Precision) {
    return FormatGeneral(D, Precision, 0);
  }
  Digits = std::clamp(Digits, 0, 18);
  std::string R = FormatFixed(D, Digits, Format != ffFixed);
  if (Format == ffCurrency) {
    // The US defaults: "$1.00", negative "($1.00)".
    if (!R.empty() && R[0] == '-') {
      return "($" + R.substr(1) + ")";
    }
    return "$" + R;
  }
  return R;
}

std::string FloatToStr(Extended Value) { return FloatToStrF(Value, ffGeneral, 15, 0); }
