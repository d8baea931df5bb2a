// The editor component's own pattern language: a compiler into a list of elements and a backtracking matcher.
#pragma once

#include "editor/Easyconsts.h"
#include "platform/rtl/Exceptions.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The upper case of every 8-bit character in the system code page.
const std::array<Byte, 256>& EasyUpperTable();

// Raised for a pattern that does not compile: "<pattern> is invalid mask at (<1-based position>)".
Z_EXCEPTION(EEasyRegExprError, Exception)

// Kinds of compiled elements.
enum TEasyRegKind : Byte {
  rkChar = 0,        // a character; character 0 marks the end of the pattern
  rkAny = 1,         // any one character
  rkSet = 2,         // one character of a set
  rkLineStart = 3,   // the start of the text, where a line start is allowed
  rkLineEnd = 4,     // the end of the text
  rkGroupOpen = 5,
  rkGroupClose = 6,
  rkEscape = 7,      // marks that the next character was written with a backslash
  rkOneOrMore = 8,
  rkZeroOrOne = 9,
  rkZeroOrMore = 10
};

// One compiled element.
struct TEasyRegElement {
  int Link = -1;         // for the elements of a quantified unit: the index of the unit's last element
  bool Negated = false;  // written after "!"
  TEasyRegKind Kind = rkChar;
  Byte Char = 0;         // rkChar and rkEscape; upper-cased when not case-sensitive
  bool SetNegated = false;
  TEasyCharSet CharSet;  // rkSet; upper-cased members when not case-sensitive
  int Simple = -1;       // first element of a unit whose only consuming element is a plain test: that element
  TEasyCharSet Accept;   // rkChar, rkAny, rkSet: the text characters the element matches, case folding included
};

// A compiled pattern. Syntax: "." any character, "[..]" / "[^..]" sets, "^" and "$" the text's ends,
// "{" "}" groups, "*" "+" and "|" (zero or more, one or more, optional) after a unit, "!" negates the next
// element (before "{" the whole group and the element after it), "#n" a character code, "\c" the
// character c. The construction raises EEasyRegExprError for a bad pattern.
class TEasyRegExpr {
public:
  TEasyRegExpr(const std::string& Pattern, bool ACaseSensitive);
  TEasyRegExpr(const TEasyRegExpr&) = delete;
  TEasyRegExpr& operator=(const TEasyRegExpr&) = delete;
  virtual ~TEasyRegExpr() = default;

  // Compiles Pattern, replacing what was compiled; raises for a bad pattern (nothing is kept then).
  void InitRegStates(const std::string& Pattern);

  // Anchored match at the start of Text (Length characters). Length becomes the number of characters
  // matched, at least 1. AllowLineStart: "^" may match at the start.
  bool StringMatch(const char* Text, int TextLength, bool AllowLineStart, int& Length);
  bool StringMatch(std::string_view Text, bool AllowLineStart, int& Length) {
    return StringMatch(Text.data(), static_cast<int>(Text.size()), AllowLineStart, Length);
  }
  // Searches Text from Pos (1-based, in and out) forward or backward. On success Pos is the start of the
  // match and MatchLength its length (0 for an empty match); else both are 0.
  bool Find(const char* Text, int TextLength, bool Forward, int& MatchLength, int& Pos);
  bool FindString(const std::string& S, int& Pos, bool Forward, int& Length) {
    return Find(S.data(), static_cast<int>(S.size()), Forward, Length, Pos);
  }

  // True for the line-anchor patterns "^", "$" and "^$".
  bool EmptyLine() const;
  // The first character, any-character, set or escape element; null when the pattern has none.
  const TEasyRegElement* GetFirstState() const;

  // After StringMatch: how many characters from the start of the text the match looked at, the end of the
  // text counting as one more (so TextLength + 1 when it tested for the end). The outcome depends on those
  // characters alone: a text that agrees with them, and is at least that long, matches the same way.
  int Reach() const { return FReach; }

  // Off: every match takes the full walk, without the quick rejection and the linear form (which must agree
  // with it; tests compare the two).
  void SetShortcuts(bool Enabled) { FShortcuts = Enabled; }

  const std::string& Pattern() const { return FPattern; }
  bool CaseSensitive() const { return FCaseSensitive; }
  const std::vector<TEasyRegElement>& Elements() const { return FElements; }

  // How many leading characters QuickReject may look at.
  int PrefixLength() const { return static_cast<int>(FPrefix.size()); }
  // True when Text cannot match because one of the pattern's leading plain characters differs from it.
  bool QuickReject(const Byte* Text, int TextLength) const {
    const int N = static_cast<int>(FPrefix.size());
    for (int K = 0; K < N; ++K) {
      if (K >= TextLength) {
        return FPrefixIsChar[K];  // the end of the text can still pass an any-character or set test
      }
      if (!FPrefix[K][Text[K]]) {
        return true;
      }
    }
    return false;
  }

private:
  // Reads a pattern into elements (InitRegStates, Easyregexpr.cpp).
  struct TCompiler;
  struct TStackItem {
    int Pos;   // the most recent text position still to try
    int Elem;  // the element to continue at
    int Low;   // positions Pos down to Low are pending, most recent first
  };
  enum TTestResult { trMismatch, trPass, trMatch };
  // A resumed walk whose outcome is still open: its element, its position in the whole text and the stack
  // depth below which its own pending points lie.
  struct TOpenWalk {
    int Elem;
    int Pos;
    std::size_t Level;
  };

  [[noreturn]] void Error(const std::string& Pattern, int Position) const;
  void Prepare(std::vector<TEasyRegElement>& Elems);
  bool Match(const char* Text, int TextLength, bool AllowLineStart);
  bool DoFind();
  bool PopLive(int& Pos, int& Elem);
  void CloseExhausted();
  // Failed walks: per element, a forest over the positions of the whole text whose roots are the positions
  // not known to fail; Live gives the highest such position at or below Pos (-1 when none).
  int Live(int Elem, int Pos);
  void MarkFailed(int Elem, int Pos);
  void ResetMemo(const Byte* Whole, int WholeLength, bool RunEnds);
  int RunEnd(int Elem, int Pos);
  // Within one match: where the run of repeated plain test Elem from Pos of the text ends, remembering the last
  // run found per element, so that backtracking into a run does not scan it again from every position.
  int RunSpanEnd(int Elem, int Pos);
  bool InternalFind(int First, int Last, int& Pos);
  bool SubWalk(int First, int Last, int& Pos);
  TTestResult FindToken(const TEasyRegElement& E, int Pos) const;
  bool TestChar(const TEasyRegElement& E, Byte C) const { return E.Accept[C]; }
  void Push(int Pos, int Elem, int Low);

  std::string FPattern;
  bool FCaseSensitive;
  std::vector<TEasyRegElement> FElements;
  std::vector<TEasyCharSet> FPrefix;  // what the leading consuming elements accept, one text character each
  std::vector<bool> FPrefixIsChar;
  // A pattern made only of plain tests and repeated plain tests, where nothing a repetition takes could
  // also start what follows it, matches greedily without backtracking: FLinear lists its steps.
  struct TLinearStep {
    TEasyCharSet Accept;
    int Min;
    int Max;
  };
  std::vector<TLinearStep> FLinear;
  bool FIsLinear = false;
  bool FShortcuts = true;
  // 1 match, 0 no match, -1 the text ended too early to tell without the full walk.
  int MatchLinear(const Byte* Text, int TextLength);
  std::vector<TStackItem> FStack;
  // Remembered across the start columns of one search: a walk resumed at an element and a position of the
  // whole text either always fails or ends the search, whatever column it came from.
  std::vector<TOpenWalk> FOpen;
  std::vector<std::vector<int>> FFailed;
  std::vector<std::vector<int>> FRunEnds;  // for repeated plain tests: where the run from each position ends
  bool FUseRunEnds = false;
  struct TRunSpan {
    int From = -1;  // every position From..To of the text starts a run that ends at To
    int To = -1;
  };
  std::vector<TRunSpan> FRunSpans;
  const Byte* FWhole = nullptr;
  int FWholeLength = 0;
  int FBase = 0;  // where the matched text starts in the whole text
  // The text being matched.
  const Byte* FText = nullptr;
  int FLength = 0;
  bool FAllowLineStart = false;
  bool FEndPassed = false;
  int FMatchLength = 0;
  int FReach = 0;
  // Position Pos of the text was read or compared with the text's end.
  void NoteReach(int Pos) {
    if (Pos + 1 > FReach) {
      FReach = Pos + 1;
    }
  }
};
