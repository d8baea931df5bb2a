// The suite's small regular-expression matcher: one line at a time, forwards or backwards from a column.
#pragma once

#include "platform/rtl/Exceptions.h"

#include <bitset>
#include <string>
#include <vector>

namespace Dcregexpr {

inline constexpr const char* SInvalidMask = "%s is invalid mask at (%d)";

// The kinds of compiled states, with their stored numbers.
enum TRegStateKind : Byte {
  rsChar = 0,
  rsAnyChar = 1,
  rsSet = 2,
  rsLineStart = 3,
  rsLineEnd = 4,
  rsGroupOpen = 5,
  rsGroupClose = 6,
  rsEscapeMark = 7,
  rsOneOrMore = 8,
  rsZeroOrMore = 9
};

struct TRegState {
  Integer Next = -1;  // -1, or for the states of a repeated item the index of the item's closing state
  TRegStateKind Kind = rsChar;
  Byte Value = 0;  // the character (upper-cased without MatchCase), or a set's negation flag
  std::bitset<256> Members;
};

// A compiled pattern. A malformed pattern raises Exception "<pattern> is invalid mask at (<position>)".
class TRegExpr : public TObject {
  Z_CLASS(TRegExpr, TObject)
public:
  TRegExpr(const std::string& APattern, bool AMatchCase);
  TRegExpr(const TRegExpr&) = delete;
  TRegExpr& operator=(const TRegExpr&) = delete;

  // Compiles Pattern into new states (the Pattern property keeps the constructor's text).
  void InitRegStates(const std::string& Pattern);
  // Searches S from the 1-based column Pos. Found: Pos is the match's column and Len its length (0 for an
  // empty match). Not found: false with Pos and Len 0.
  bool Find(const std::string& S, Integer& Pos, Integer& Len, bool Forward);
  // The search itself: EndPos is the number of characters before the end of the match.
  bool FindRegExpr(const std::string& S, Integer& Pos, Integer& EndPos, bool Forward);

  const std::string& Pattern() const { return FPattern; }
  bool MatchCase() const { return FMatchCase; }
  const std::vector<TRegState>& States() const { return FStates; }

private:
  struct TRetryPoint {
    Integer Position;
    Integer State;
  };
  enum class TStep { Fail, Terminal, ZeroWidth, Consumed };

  Byte Fold(char C) const;
  [[noreturn]] void CompileError(Integer Position) const;
  Integer ParseSet(const std::string& P, Integer I, TRegState& Set, bool& ImplicitGroup);
  void MarkRepeat(Integer Position, Integer LastGroup, bool OneOrMore);
  TStep StepState(const TRegState& State, const std::string& S, Integer P, Integer& EndPos) const;
  bool Walk(Integer First, Integer Last, const std::string& S, Integer& P, Integer& EndPos);
  bool Repeat(Integer First, Integer Last, const std::string& S, Integer& P, Integer& EndPos);

  std::vector<TRegState> FStates;
  std::vector<TRetryPoint> FBacktrack;
  bool FMatchCase;
  std::string FPattern;
  std::string FCompiling;  // the pattern being compiled, for the error message
};

// True for the patterns that match an empty line: "^", "$" and "^$".
bool EmptyLineStr(const std::string& S);

}  // namespace Dcregexpr
