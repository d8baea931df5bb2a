// The suite's regular-expression matcher on any pattern and line: only its compile error may be raised, every
// match lies inside the line, and on the part of the language it shares with ECMAScript it matches as
// std::regex does. Input: a flag byte (bit 0 match case, bit 1 backwards, the upper bits the start column),
// the pattern up to the first line feed, then the line.
#include "suitebase/Dcregexpr.h"
#include "tests/suitebase/RegexReference.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {
void Fail(const char* What, const std::string& Pattern, const std::string& Line, int Pos) {
  std::fprintf(stderr, "%s: pattern \"%s\" line \"%s\" from %d\n", What, Pattern.c_str(), Line.c_str(), Pos);
  std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) {
    return 0;
  }
  const bool MatchCase = (Data[0] & 1) != 0;
  const bool Forward = (Data[0] & 2) == 0;
  const int Start = Data[0] >> 2;
  const std::string Rest(reinterpret_cast<const char*>(Data + 1), Size - 1);
  const std::size_t Nl = Rest.find('\n');
  const std::string Pattern = Rest.substr(0, Nl);
  const std::string Line = Nl == std::string::npos ? std::string() : Rest.substr(Nl + 1);
  if (Pattern.size() > 24 || Line.size() > 64) {
    return 0;  // a backtracking walk: long patterns over long lines only cost time
  }
  std::unique_ptr<Dcregexpr::TRegExpr> Re;
  try {
    Re = std::make_unique<Dcregexpr::TRegExpr>(Pattern, MatchCase);
  } catch (const Exception& E) {
    if (E.Message().find(" is invalid mask at (") == std::string::npos) {
      Fail("unexpected compile error", Pattern, Line, Start);
    }
    return 0;
  }
  Integer Pos = Start;
  Integer Len = 0;
  const bool Found = Re->Find(Line, Pos, Len, Forward);
  const auto N = static_cast<Integer>(Line.size());
  if (!Found && (Pos != 0 || Len != 0)) {
    Fail("no match but a position", Pattern, Line, Start);
  }
  if (Found && (Pos < 0 || Len < 0 || Pos > N + 1 || (Pos >= 1 && Pos + Len - 1 > N))) {
    Fail("match outside the line", Pattern, Line, Start);
  }
  if (Line.empty() || Pattern == "$" || Line.find_first_of("\r\n") != std::string::npos) {
    return 0;  // both take the matcher's own rule for these; a line holds no line break
  }
  const auto Ecma = RegexReference::ToEcma(Pattern);
  if (!Ecma) {
    return 0;
  }
  const auto Want = RegexReference::Search(*Ecma, MatchCase, Line, Start, Forward);
  if (Found != Want.has_value() || (Found && (Pos != Want->Column || Len != Want->Length))) {
    Fail("differs from std::regex", Pattern, Line, Start);
  }
  return 0;
}
