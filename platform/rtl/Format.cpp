// Format: the class library's "%" directives over a TVarRec argument list.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace {

constexpr int DefaultFloatPrecision = 15;
constexpr int DefaultFixedDecimals = 2;
constexpr int DefaultCurrencyDecimals = 2;
constexpr int MaxFieldNumber = 100000000;  // widths and precisions beyond this are refused as malformed

class TFormatter {
public:
  TFormatter(std::string_view AFmt, TVarRecList AArgs) : FFmt(AFmt), FArgs(AArgs.begin()), FCount(AArgs.size()) {}

  std::string Run() {
    std::string Out;
    Out.reserve(FFmt.size() + 16);
    std::size_t Start = 0;
    while (true) {
      const std::size_t P = FFmt.find('%', Start);
      if (P == std::string_view::npos) {
        Out.append(FFmt.substr(Start));
        return Out;
      }
      Out.append(FFmt.substr(Start, P - Start));
      FPos = P + 1;
      Directive(Out);
      Start = FPos;
    }
  }

private:
  [[noreturn]] void Invalid() const { throw EConvertError(Format(RtlConsts::SInvalidFormat, {FFmt})); }

  char Peek() const { return FPos < FFmt.size() ? FFmt[FPos] : '\0'; }

  const TVarRec& NextArg() {
    if (FArgIndex >= FCount) {
      throw EConvertError(Format(RtlConsts::SArgumentMissing, {FFmt}));
    }
    return FArgs[FArgIndex++];
  }

  // Digits or '*' (taken from the next argument, which must be an integer); -1 when neither is there.
  int Number() {
    if (Peek() == '*') {
      ++FPos;
      const TVarRec& A = NextArg();
      if (A.Kind != TVarRec::vtInteger && A.Kind != TVarRec::vtInt64) {
        Invalid();
      }
      return A.VInt < 0 ? -1 : static_cast<int>(std::min<Int64>(A.VInt, MaxFieldNumber));
    }
    if (Peek() < '0' || Peek() > '9') {
      return -1;
    }
    int N = 0;
    while (Peek() >= '0' && Peek() <= '9') {
      N = N * 10 + (Peek() - '0');
      if (N > MaxFieldNumber) {
        Invalid();
      }
      ++FPos;
    }
    return N;
  }

  void Directive(std::string& Out) {
    if (Peek() == '%') {
      Out += '%';
      ++FPos;
      return;
    }
    bool Left = false;
    if (Peek() == '-') {
      Left = true;
      ++FPos;
    }
    int Width = Number();
    if (!Left && Width >= 0 && Peek() == ':') {
      ++FPos;
      FArgIndex = static_cast<std::size_t>(Width);
      if (Peek() == '-') {
        Left = true;
        ++FPos;
      }
      Width = Number();
    }
    int Prec = -1;
    if (Peek() == '.') {
      ++FPos;
      Prec = std::max(Number(), 0);
    }
    const char Type = Peek();
    if (Type == '\0') {
      Invalid();
    }
    ++FPos;
    std::string Text = Convert(Type, Prec);
    if (Width > 0 && static_cast<int>(Text.size()) < Width) {
      const std::size_t Pad = static_cast<std::size_t>(Width) - Text.size();
      if (Left) {
        Text.append(Pad, ' ');
      } else {
        Text.insert(0, Pad, ' ');
      }
    }
    Out += Text;
  }

  std::string Convert(char Type, int Prec) {
    switch (Type) {
      case 'd': case 'D': return Decimal(Prec, false);
      case 'u': case 'U': return Decimal(Prec, true);
      case 'x': case 'X': return Hex(Prec);
      case 'e': case 'E': return Float(ffExponent, Prec < 0 ? DefaultFloatPrecision : Prec, 3);
      case 'f': case 'F': return Float(ffFixed, DefaultFloatPrecision, Prec < 0 ? DefaultFixedDecimals : Prec);
      case 'g': case 'G': return Float(ffGeneral, Prec < 0 ? DefaultFloatPrecision : Prec, 0);
      case 'n': case 'N': return Float(ffNumber, DefaultFloatPrecision, Prec < 0 ? DefaultFixedDecimals : Prec);
      case 'm': case 'M':
        return Float(ffCurrency, DefaultFloatPrecision, Prec < 0 ? DefaultCurrencyDecimals : Prec);
      case 'p': case 'P': return PointerText(Prec);
      case 's': case 'S': return Str(Prec);
      default: Invalid();
    }
  }

  const TVarRec& IntegerArg() {
    const TVarRec& A = NextArg();
    if (A.Kind != TVarRec::vtInteger && A.Kind != TVarRec::vtInt64) {
      Invalid();
    }
    return A;
  }

  static std::string ZeroPad(std::string Digits, int MinDigits) {
    if (MinDigits > static_cast<int>(Digits.size())) {
      Digits.insert(0, static_cast<std::size_t>(MinDigits) - Digits.size(), '0');
    }
    return Digits;
  }

  std::string Decimal(int Prec, bool AsUnsigned) {
    const TVarRec& A = IntegerArg();
    UInt64 Magnitude = 0;
    bool Negative = false;
    if (AsUnsigned) {
      Magnitude = A.Kind == TVarRec::vtInteger ? static_cast<std::uint32_t>(A.VInt) : static_cast<UInt64>(A.VInt);
    } else {
      Negative = A.VInt < 0;
      Magnitude = Negative ? UInt64(0) - static_cast<UInt64>(A.VInt) : static_cast<UInt64>(A.VInt);
    }
    std::string Text = ZeroPad(std::to_string(Magnitude), Prec);
    return Negative ? "-" + Text : Text;
  }

  std::string Hex(int Prec) {
    const TVarRec& A = IntegerArg();
    const UInt64 V = A.Kind == TVarRec::vtInteger ? static_cast<std::uint32_t>(A.VInt) : static_cast<UInt64>(A.VInt);
    return IntToHex64(V, std::max(Prec, 0));
  }

  std::string Float(TFloatFormat Layout, int Precision, int Digits) {
    const TVarRec& A = NextArg();
    if (A.Kind != TVarRec::vtExtended) {
      Invalid();
    }
    return FloatToStrF(A.VExtended, Layout, Precision, Digits);
  }

  std::string PointerText(int Prec) {
    const TVarRec& A = NextArg();
    if (A.Kind != TVarRec::vtPointer) {
      Invalid();
    }
    const auto V = static_cast<UInt64>(reinterpret_cast<std::uintptr_t>(A.VPointer));
    return IntToHex64(V, std::max(Prec, static_cast<int>(2 * sizeof(void*))));
  }

  std::string Str(int Prec) {
    const TVarRec& A = NextArg();
    std::string_view S;
    char C = 0;
    if (A.Kind == TVarRec::vtString) {
      S = A.VString;
    } else if (A.Kind == TVarRec::vtChar) {
      C = static_cast<char>(A.VInt);
      S = std::string_view(&C, 1);
    } else {
      Invalid();
    }
    if (Prec >= 0 && static_cast<std::size_t>(Prec) < S.size()) {
      S = S.substr(0, static_cast<std::size_t>(Prec));
    }
    return std::string(S);
  }

  std::string_view FFmt;
  const TVarRec* FArgs;
  std::size_t FCount;
  std::size_t FPos = 0;
  std::size_t FArgIndex = 0;
};

}  // namespace

std::string Format(std::string_view Fmt, TVarRecList Args) { return TFormatter(Fmt, Args).Run(); }
