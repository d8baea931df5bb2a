// The editor's pattern matcher: its shortcuts (the quick rejection and the linear form) must agree with the full
// walk on every anchored match and on searches both ways. Input: a flag byte (bit 0 case-sensitive), the pattern
// up to the first line feed, then the text.
#include "editor/Easyregexpr.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

void Fail(const char* What, const std::string& Pattern, const std::string& Text, int At, int A, int B) {
  std::fprintf(stderr, "%s: pattern \"%s\" text \"%s\" at %d: %d against %d\n", What, Pattern.c_str(),
               Text.c_str(), At, A, B);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) {
    return 0;
  }
  const bool CaseSensitive = (Data[0] & 1) != 0;
  const std::string Rest(reinterpret_cast<const char*>(Data + 1), Size - 1);
  const std::size_t Nl = Rest.find('\n');
  const std::string Pattern = Rest.substr(0, Nl);
  const std::string Text = Nl == std::string::npos ? std::string() : Rest.substr(Nl + 1);
  if (Pattern.size() > 64 || Text.size() > 256) {
    return 0;  // the backtracking walk is not meant for long patterns over long texts
  }
  std::unique_ptr<TEasyRegExpr> Fast;
  std::unique_ptr<TEasyRegExpr> Full;
  try {
    Fast.reset(new TEasyRegExpr(Pattern, CaseSensitive));
  } catch (const EEasyRegExprError&) {
    return 0;
  }
  Full.reset(new TEasyRegExpr(Pattern, CaseSensitive));
  Full->SetShortcuts(false);

  const int N = static_cast<int>(Text.size());
  for (int Start = 0; Start <= N; ++Start) {
    int LenFast = 0;
    int LenFull = 0;
    const bool A = Fast->StringMatch(Text.data() + Start, N - Start, Start == 0, LenFast);
    const bool B = Full->StringMatch(Text.data() + Start, N - Start, Start == 0, LenFull);
    if (A != B) {
      Fail("the shortcuts and the full walk disagree on a match", Pattern, Text, Start, A, B);
    }
    if (A && LenFast != LenFull) {
      Fail("the shortcuts and the full walk match different lengths", Pattern, Text, Start, LenFast, LenFull);
    }
  }
  for (const bool Forward : {true, false}) {
    int PosFast = Forward ? 1 : N;
    int PosFull = PosFast;
    int LenFast = 0;
    int LenFull = 0;
    const bool A = Fast->Find(Text.data(), N, Forward, LenFast, PosFast);
    const bool B = Full->Find(Text.data(), N, Forward, LenFull, PosFull);
    if (A != B || PosFast != PosFull || LenFast != LenFull) {
      Fail("the shortcuts and the full walk find different matches", Pattern, Text, PosFast, PosFull, LenFull);
    }
  }
  return 0;
}
