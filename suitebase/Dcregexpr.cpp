// The suite's regular-expression matcher: a compiled list of states walked with a stack of retry points.
#include "suitebase/Dcregexpr.h"

#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace Dcregexpr {

Z_IMPLEMENT_CLASS(TRegExpr, TObject)

namespace {
bool IsRepeatChar(const std::string& P, Integer I) {
  return I < static_cast<Integer>(P.size()) && (P[I] == '*' || P[I] == '+');
}

bool IsSetEscapable(char C) {
  switch (C) {
    case '$':
    case '*':
    case '+':
    case '.':
    case '[':
    case ']':
    case '^':
    case '{':
    case '}':
    case '-': return true;
    default: return false;
  }
}
}  // namespace

bool EmptyLineStr(const std::string& S) { return S == "^" || S == "$" || S == "^$"; }

TRegExpr::TRegExpr(const std::string& APattern, bool AMatchCase) : FMatchCase(AMatchCase), FPattern(APattern) {
  InitRegStates(APattern);
}

Byte TRegExpr::Fold(char C) const {
  const auto B = static_cast<Byte>(C);
  return (!FMatchCase && B >= 'a' && B <= 'z') ? static_cast<Byte>(B - 'a' + 'A') : B;
}

void TRegExpr::CompileError(Integer Position) const { throw Exception(Format(SInvalidMask, {FCompiling, Position})); }

// Marks the item that ends at the last state as repeated; Position is the operator's 1-based position.
void TRegExpr::MarkRepeat(Integer Position, Integer LastGroup, bool OneOrMore) {
  if (FStates.empty()) {
    CompileError(Position);
  }
  const Integer Last = static_cast<Integer>(FStates.size()) - 1;
  const Integer Start = LastGroup >= 0 ? LastGroup : Last;
  switch (FStates[Start].Kind) {
    case rsLineStart:
    case rsLineEnd:
    case rsEscapeMark:
    case rsOneOrMore:
    case rsZeroOrMore: CompileError(Position);
    default: break;
  }
  for (Integer I = Start; I <= Last; ++I) {
    if (FStates[I].Next == -1) {
      FStates[I].Next = Last;
    }
  }
  TRegState Op;
  Op.Kind = OneOrMore ? rsOneOrMore : rsZeroOrMore;
  FStates.push_back(Op);
}

// Parses the set after "[" at index I; returns the index after its "]".
Integer TRegExpr::ParseSet(const std::string& P, Integer I, TRegState& Set, bool& ImplicitGroup) {
  const auto N = static_cast<Integer>(P.size());
  Set = TRegState();
  Set.Kind = rsSet;
  if (I < N && P[I] == '^') {
    Set.Value = 1;
    ++I;
  }
  bool HadMember = false;
  Integer Before = -1;  // the member a following "-" starts a range from
  while (I < N && P[I] != ']') {
    const char C = P[I];
    if (C == '-') {
      if (Before < 0) {
        CompileError(I + 1);
      }
      if (I + 1 >= N) {
        CompileError(N + 1);
      }
      const Byte Upper = Fold(P[I + 1]);
      for (Integer Code = Before; Code <= Upper; ++Code) {
        Set.Members.set(static_cast<std::size_t>(Code));
      }
      Before = -1;
      I += 2;
      continue;
    }
    if (C == '\\' && I + 1 < N && IsSetEscapable(P[I + 1])) {
      Before = static_cast<Byte>(P[I + 1]);
      I += 2;
    } else {
      // A backslash before anything else stands for itself; the next character is read normally.
      Before = Fold(C);
      ++I;
    }
    Set.Members.set(static_cast<std::size_t>(Before));
    HadMember = true;
  }
  if (I >= N) {
    CompileError(N + 1);
  }
  if (!HadMember) {
    CompileError(I + 1);
  }
  ++I;  // past "]"
  ImplicitGroup = IsRepeatChar(P, I);
  return I;
}

void TRegExpr::InitRegStates(const std::string& Pattern) {
  FStates.clear();
  FCompiling = Pattern;
  const auto N = static_cast<Integer>(Pattern.size());
  std::vector<Integer> OpenGroups;
  Integer Depth = 0;
  bool Unmatched = false;  // a "}" came before any open "{"
  Integer LastGroup = -1;
  auto AddState = [&](TRegState S, bool KeepGroup = false) {
    FStates.push_back(S);
    if (!KeepGroup) {
      LastGroup = -1;
    }
  };
  auto Simple = [](TRegStateKind K, Byte V = 0) {
    TRegState S;
    S.Kind = K;
    S.Value = V;
    return S;
  };
  // Wraps one item (a character or a set) in a group when a repetition follows it.
  auto AddWrapped = [&](const TRegState& Item, bool Implicit) {
    if (!Implicit) {
      AddState(Item);
      return;
    }
    AddState(Simple(rsGroupOpen));
    LastGroup = static_cast<Integer>(FStates.size()) - 1;
    AddState(Item, true);
    AddState(Simple(rsGroupClose), true);
  };
  Integer I = 0;
  while (I < N) {
    const char C = Pattern[I];
    switch (C) {
      case '^':
        AddState(Simple(rsLineStart));
        ++I;
        break;
      case '$':
        AddState(Simple(rsLineEnd));
        ++I;
        break;
      case '.':
        AddState(Simple(rsAnyChar));
        ++I;
        break;
      case '{':
        AddState(Simple(rsGroupOpen));
        OpenGroups.push_back(static_cast<Integer>(FStates.size()) - 1);
        ++Depth;
        ++I;
        break;
      case '}':
        AddState(Simple(rsGroupClose));
        if (!OpenGroups.empty()) {
          LastGroup = OpenGroups.back();
          OpenGroups.pop_back();
        } else {
          Unmatched = true;
        }
        --Depth;
        ++I;
        break;
      case '\\':
        if (I + 1 >= N) {
          CompileError(I + 1);
        }
        AddState(Simple(rsEscapeMark, Fold(Pattern[I + 1])));
        AddState(Simple(rsChar, Fold(Pattern[I + 1])));
        I += 2;
        break;
      case '*':
      case '+':
        MarkRepeat(I + 1, LastGroup, C == '+');
        LastGroup = -1;
        ++I;
        break;
      case '[': {
        bool Implicit = false;
        TRegState Set;
        I = ParseSet(Pattern, I + 1, Set, Implicit);
        AddWrapped(Set, Implicit);
        break;
      }
      default:
        AddWrapped(Simple(rsChar, Fold(C)), IsRepeatChar(Pattern, I + 1));
        ++I;
        break;
    }
  }
  AddState(Simple(rsChar, 0));
  if (Depth != 0 || Unmatched) {
    CompileError(N + 1);
  }
}

TRegExpr::TStep TRegExpr::StepState(const TRegState& State, const std::string& S, Integer P, Integer& EndPos) const {
  const auto Len = static_cast<Integer>(S.size());
  if (State.Kind == rsChar && State.Value == 0) {
    if (EndPos == 0) {
      EndPos = P;
    }
    return TStep::Terminal;
  }
  EndPos = 0;
  switch (State.Kind) {
    case rsChar: return P < Len && Fold(S[P]) == State.Value ? TStep::Consumed : TStep::Fail;
    case rsSet: {
      // The end of the subject is in no set, so a negated set takes it.
      const bool Member = P < Len && State.Members.test(Fold(S[P]));
      return Member != (State.Value != 0) ? TStep::Consumed : TStep::Fail;
    }
    case rsLineStart: return P == 0 ? TStep::ZeroWidth : TStep::Fail;
    case rsLineEnd: return P == Len ? TStep::ZeroWidth : TStep::Fail;
    case rsAnyChar: return TStep::Consumed;
    default: return TStep::ZeroWidth;
  }
}

bool TRegExpr::Repeat(Integer First, Integer Last, const std::string& S, Integer& P, Integer& EndPos) {
  const Integer Start = P;
  if (Walk(First, Last, S, P, EndPos) && P != Start) {
    return true;
  }
  P = Start;
  return false;
}

bool TRegExpr::Walk(Integer First, Integer Last, const std::string& S, Integer& P, Integer& EndPos) {
  const auto Len = static_cast<Integer>(S.size());
  bool Ended = false;
  Integer I = First;
  while (I <= Last) {
    const TRegState& State = FStates[static_cast<std::size_t>(I)];
    if (State.Next >= 0 && State.Next != Last) {
      const Integer E = State.Next;
      const bool OneOrMore = FStates[static_cast<std::size_t>(E) + 1].Kind == rsOneOrMore;
      if (P >= Len) {
        if (OneOrMore) {
          return false;
        }
        I = E + 2;
        continue;
      }
      if (OneOrMore && !Repeat(I, E, S, P, EndPos)) {
        return false;
      }
      FBacktrack.push_back({P, E + 2});
      while (Repeat(I, E, S, P, EndPos) && P < Len) {
        FBacktrack.push_back({P, E + 2});
      }
      I = E + 2;
      continue;
    }
    switch (StepState(State, S, P, EndPos)) {
      case TStep::Fail: return false;
      case TStep::Terminal: return true;
      case TStep::ZeroWidth: ++I; break;
      case TStep::Consumed:
        ++I;
        if (Ended) {
          return false;
        }
        if (P < Len) {
          ++P;
        } else {
          Ended = true;
        }
        break;
    }
  }
  return true;
}

bool TRegExpr::FindRegExpr(const std::string& S, Integer& Pos, Integer& EndPos, bool Forward) {
  EndPos = 0;
  const auto Len = static_cast<Integer>(S.size());
  Pos = std::min(Pos, Len);
  if (S.empty()) {
    return EmptyLineStr(FPattern);
  }
  FBacktrack.clear();
  const auto Last = static_cast<Integer>(FStates.size()) - 1;
  Integer Start = Pos > 0 ? Pos - 1 : 0;
  while (true) {
    Pos = Start + 1;
    Integer P = Start;
    if (Walk(0, Last, S, P, EndPos)) {
      return true;
    }
    while (!FBacktrack.empty()) {
      const TRetryPoint Retry = FBacktrack.back();
      FBacktrack.pop_back();
      P = Retry.Position;
      if (Walk(Retry.State, Last, S, P, EndPos)) {
        return true;
      }
    }
    Start += Forward ? 1 : -1;
    if (Start >= Len || Start < 0) {
      break;
    }
  }
  FBacktrack.clear();
  Pos = 0;
  EndPos = 0;
  return false;
}

bool TRegExpr::Find(const std::string& S, Integer& Pos, Integer& Len, bool Forward) {
  Len = 0;
  const auto Size = static_cast<Integer>(S.size());
  if (FPattern == "$" && (Forward || Pos == Size)) {
    Pos = Size + 1;
    return true;
  }
  const bool Found = FindRegExpr(S, Pos, Len, Forward);
  if (Found && Len > 0) {
    ++Len;
  }
  Len -= Pos;
  if (Len < 0) {
    Len = 0;
  }
  return Found;
}

}  // namespace Dcregexpr
