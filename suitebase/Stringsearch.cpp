// The text search over the lines of a string list.
#include "platform/rtl/CodePage.h"
#include "platform/rtl/SysUtils.h"
#include "suitebase/Suitestrings.h"

#include <array>

namespace Dorazori {

namespace {
// Upper-cases S in place (code page 1252) when Fold is set; a table, so that no line allocates twice.
void FoldInPlace(std::string& S, bool Fold) {
  static const std::array<char, 256> Upper = [] {
    std::array<char, 256> T{};
    for (int B = 0; B < 256; ++B) {
      T[static_cast<std::size_t>(B)] = static_cast<char>(Cp1252Upper(static_cast<unsigned char>(B)));
    }
    return T;
  }();
  if (Fold) {
    for (char& C : S) {
      C = Upper[static_cast<unsigned char>(C)];
    }
  }
}

// The line as the search compares it.
std::string LineFor(TStrings* Lines, Integer Y, bool Fold) {
  std::string Line = Lines->Strings(Y);
  FoldInPlace(Line, Fold);
  return Line;
}

struct TWordSpan {
  Integer Start;  // 1-based first character of the word around the match
  Integer End;    // 1-based last character (Start - 1 for an empty word)
};

// The run of characters outside Delimiters that holds position X (1-based), extended both ways.
TWordSpan WordAround(const std::string& Line, Integer X, const TCharSet& Delimiters) {
  const auto N = static_cast<Integer>(Line.size());
  Integer Start = X;
  while (Start > 1 && !Delimiters.Contains(Line[static_cast<std::size_t>(Start) - 2])) {
    --Start;
  }
  Integer End = X - 1;
  while (End < N && !Delimiters.Contains(Line[static_cast<std::size_t>(End)])) {
    ++End;
  }
  return {Start, End};
}

bool IsWholeWord(const TWordSpan& Word, Integer X, Integer Len) {
  return Word.Start == X && Word.End - Word.Start + 1 == Len;
}

// One line from X in the given direction; true with X and Len at a match that passes the whole-word test. A
// match that fails it moves X past its word (forwards) or before it (backwards) and the line is searched again.
bool SearchLine(const std::string& Text, const std::string& Line, bool Forward, bool WholeWords,
                const TCharSet& Delimiters, const TFindExpression& FindExpr, Integer& X, Integer& Len) {
  const auto N = static_cast<Integer>(Line.size());
  while (X >= 1 && (!Forward || X <= N || (N == 0 && X == 1 && FindExpr))) {
    bool Matched = false;
    if (FindExpr) {
      Matched = FindExpr(Line, X, Len, Forward) || X != 0;
    } else {
      X = Forward ? Vivaridiriz::PosEx(Text, Line, X) : Vivaridiriz::BackPosEx(Text, Line, X);
      Matched = X > 0;
    }
    if (!Matched || X <= 0) {
      return false;
    }
    if (!WholeWords) {
      return true;
    }
    const TWordSpan Word = WordAround(Line, X, Delimiters);
    if (IsWholeWord(Word, X, Len)) {
      return true;
    }
    if (Forward) {
      X = Word.End > X ? Word.End : X + 1;
    } else {
      X = Word.Start - 1;
    }
  }
  return false;
}
}  // namespace

bool FindInStringsEx(const std::string& S, TStrings* Lines, TSearchParams Params, const TCharSet& Delimiters,
                     TPoint& Pos, Integer& Len, const TFindExpression& FindExpr) {
  Len = static_cast<Integer>(S.size());
  if (Lines == nullptr || Lines->Count() == 0 || S.empty()) {
    return false;
  }
  const bool Fold = !Params.Contains(spCaseSens) && !FindExpr;
  std::string Text = S;
  FoldInPlace(Text, Fold);
  const bool WholeWords = Params.Contains(spWholeWords);
  const Integer Count = Lines->Count();
  if (!Params.Contains(spBackSearch)) {
    for (Integer Y = std::max(Pos.Y, 0); Y < Count; ++Y, Pos.X = 1) {
      const std::string Line = LineFor(Lines, Y, Fold);
      const auto LineLen = static_cast<Integer>(Line.size());
      if (Pos.X < 1) {
        Pos.X = 1;
      }
      if (LineLen < Pos.X && !(LineLen == 0 && Pos.X == 1 && FindExpr)) {
        continue;
      }
      Integer X = Pos.X;
      if (SearchLine(Text, Line, true, WholeWords, Delimiters, FindExpr, X, Len)) {
        Pos = TPoint{X, Y};
        return true;
      }
    }
    return false;
  }
  for (Integer Y = std::min(Pos.Y, Count - 1); Y >= 0; --Y) {
    std::string Line = LineFor(Lines, Y, Fold);
    while (!Line.empty() && Line.back() == ' ') {
      Line.pop_back();
    }
    const auto LineLen = static_cast<Integer>(Line.size());
    Integer X = std::min(Pos.X, LineLen);
    if (SearchLine(Text, Line, false, WholeWords, Delimiters, FindExpr, X, Len)) {
      Pos = TPoint{X, Y};
      return true;
    }
    if (Y > 0) {
      Pos.X = static_cast<Integer>(Lines->Strings(Y - 1).size());
    }
  }
  return false;
}

bool FindFirstInStrings(const std::string& S, TStrings* Lines, bool CaseSensitive, const TFindExpression& FindExpr,
                        Integer& Len, TPoint& Pos) {
  Pos = TPoint{1, 0};
  return FindNextInStrings(S, Lines, CaseSensitive, FindExpr, Len, Pos);
}

bool FindNextInStrings(const std::string& S, TStrings* Lines, bool CaseSensitive, const TFindExpression& FindExpr,
                       Integer& Len, TPoint& Pos) {
  const TSearchParams Params = CaseSensitive ? TSearchParams{spCaseSens} : TSearchParams{};
  return FindInStringsEx(S, Lines, Params, TCharSet(), Pos, Len, FindExpr);
}

}  // namespace Dorazori
