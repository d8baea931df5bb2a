// The suite matcher's patterns as ECMAScript expressions, for checking it against std::regex on the part of
// the language where the two agree.
#pragma once

#include <optional>
#include <regex>
#include <string>

namespace RegexReference {

// The ECMAScript form of Pattern, or nothing when the pattern lies outside the agreeing sub-language: ASCII
// letters, digits and blanks; escaped punctuation; sets of such characters with letter-to-letter or digit ranges;
// "^" and "$"; groups in braces; "*" and "+". Excluded: what the two treat differently: a "." or negated set
// that could take the end of the line (one not followed by a character, a set, "*" or "+"), repeated groups
// holding anything but characters, sets and "." (nested repeats, anchors, inner groups, empty groups).
inline std::optional<std::string> ToEcma(const std::string& P) {
  auto IsPlain = [](char C) {
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9') || C == ' ';
  };
  auto IsSpecial = [](char C) {
    return C == '*' || C == '+' || C == '.' || C == '[' || C == ']' || C == '^' || C == '$' || C == '{' || C == '}' ||
           C == '\\';
  };
  // Whether the item ending before index I is followed by something that consumes a character.
  auto FollowedByConsumer = [&](std::size_t I) {
    return I < P.size() && (IsPlain(P[I]) || P[I] == '*' || P[I] == '+' || P[I] == '\\' ||
                            (P[I] == '[' && I + 1 < P.size() && P[I + 1] != '^'));
  };
  std::string Out;
  int Depth = 0;
  std::size_t GroupStart = 0;
  bool GroupPlain = true;  // the open group holds only consuming items
  bool PrevItem = false;   // something stands before a "*" or "+"
  for (std::size_t I = 0; I < P.size(); ++I) {
    const char C = P[I];
    if (IsPlain(C)) {
      Out += C;
      PrevItem = true;
    } else if (C == '\\') {
      if (I + 1 >= P.size() || !IsSpecial(P[I + 1])) {
        return std::nullopt;
      }
      Out += '\\';
      Out += P[++I];
      PrevItem = true;
    } else if (C == '.') {
      if (!FollowedByConsumer(I + 1)) {
        return std::nullopt;
      }
      Out += '.';
      PrevItem = true;
    } else if (C == '[') {
      std::size_t J = I + 1;
      const bool Negated = J < P.size() && P[J] == '^';
      if (Negated) {
        ++J;
      }
      std::string Set = Negated ? "[^" : "[";
      bool Any = false;
      while (J < P.size() && P[J] != ']') {
        const char M = P[J];
        if (!IsPlain(M) || M == ' ') {
          return std::nullopt;
        }
        if (J + 2 < P.size() && P[J + 1] == '-' && P[J + 2] != ']') {
          const char H = P[J + 2];
          const bool Lower = M >= 'a' && M <= 'z' && H >= 'a' && H <= 'z';
          const bool Upper = M >= 'A' && M <= 'Z' && H >= 'A' && H <= 'Z';
          const bool Digit = M >= '0' && M <= '9' && H >= '0' && H <= '9';
          if (!(Lower || Upper || Digit) || H < M) {
            return std::nullopt;
          }
          Set += M;
          Set += '-';
          Set += H;
          J += 3;
        } else {
          Set += M;
          ++J;
        }
        Any = true;
      }
      if (J >= P.size() || !Any) {
        return std::nullopt;
      }
      if (Negated && !FollowedByConsumer(J + 1)) {
        return std::nullopt;
      }
      Out += Set + "]";
      I = J;
      PrevItem = true;
    } else if (C == '{') {
      if (Depth > 0) {
        GroupPlain = false;
      }
      ++Depth;
      GroupStart = Out.size();
      GroupPlain = Depth == 1;
      Out += '(';
      PrevItem = false;
    } else if (C == '}') {
      if (Depth == 0) {
        return std::nullopt;
      }
      --Depth;
      const bool Empty = Out.size() == GroupStart + 1;
      Out += ')';
      const bool Repeated = I + 1 < P.size() && (P[I + 1] == '*' || P[I + 1] == '+');
      if (Repeated && (Empty || !GroupPlain || Depth > 0)) {
        return std::nullopt;
      }
      PrevItem = true;
    } else if (C == '*' || C == '+') {
      if (!PrevItem || Depth > 0) {
        return std::nullopt;  // nothing to repeat, a second operator, or a repeat inside a group
      }
      Out += C;
      PrevItem = false;
    } else if (C == '^' || C == '$') {
      if (Depth > 0) {
        GroupPlain = false;
      }
      Out += C;
      PrevItem = false;
    } else {
      return std::nullopt;
    }
  }
  if (Depth != 0) {
    return std::nullopt;
  }
  return Out;
}

// The first match found trying each start column in the matcher's order (forwards from Pos to the last
// character, or backwards from Pos to the first); nothing when none matches. Column is 1-based.
struct TMatch {
  int Column;
  int Length;
};
inline std::optional<TMatch> Search(const std::string& Ecma, bool MatchCase, const std::string& S, int Pos,
                                    bool Forward) {
  auto Flags = std::regex::ECMAScript;
  if (!MatchCase) {
    Flags |= std::regex::icase;
  }
  const std::regex Re(Ecma, Flags);
  const int Len = static_cast<int>(S.size());
  int Start = std::min(Pos, Len);
  Start = Start > 0 ? Start - 1 : 0;
  for (; Start >= 0 && Start < Len; Start += Forward ? 1 : -1) {
    std::smatch M;
    auto MatchFlags = std::regex_constants::match_continuous;
    if (Start > 0) {
      MatchFlags |= std::regex_constants::match_prev_avail;
    }
    if (std::regex_search(S.cbegin() + Start, S.cend(), M, Re, MatchFlags)) {
      return TMatch{Start + 1, static_cast<int>(M.length(0))};
    }
  }
  return std::nullopt;
}

}  // namespace RegexReference
