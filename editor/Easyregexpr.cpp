// The pattern compiler and its backtracking matcher.
#include "editor/Easyregexpr.h"

#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <array>
#include <cstring>

Z_IMPLEMENT_CLASS(EEasyRegExprError, Exception)

const std::array<Byte, 256>& EasyUpperTable() {
  static const std::array<Byte, 256> Table = [] {
    std::array<Byte, 256> T{};
    for (int C = 0; C < 256; ++C) {
      T[C] = static_cast<Byte>(AnsiUpperChar(static_cast<char>(C)));
    }
    return T;
  }();
  return Table;
}

namespace {

const std::array<Byte, 256>& UpperTable() { return EasyUpperTable(); }

bool IsQuantifier(char C) { return C == '*' || C == '+' || C == '|'; }
bool IsDigit(char C) { return C >= '0' && C <= '9'; }
bool IsConsuming(TEasyRegKind K) { return K == rkChar || K == rkAny || K == rkSet; }

// The characters that a backslash inside a set stands for literally.
constexpr std::string_view SetEscapes = "!$*+.[]\\^{|}-";

}  // namespace

TEasyRegExpr::TEasyRegExpr(const std::string& Pattern, bool ACaseSensitive) : FCaseSensitive(ACaseSensitive) {
  FStack.reserve(16);
  InitRegStates(Pattern);
}

void TEasyRegExpr::Error(const std::string& Pattern, int Position) const {
  throw EEasyRegExprError("%s is invalid mask at (%d)", {Pattern, Position});
}

// The pattern read element by element: each syntax element appends its elements; the pending negation, the open
// groups and the group just closed (which a following quantifier repeats) carry over between them.
struct TEasyRegExpr::TCompiler {
  TCompiler(const TEasyRegExpr& AOwner, const std::string& APattern)
      : Owner(AOwner), Pattern(APattern), N(static_cast<int>(APattern.size())) {}

  Byte Fold(Byte C) const { return Owner.FCaseSensitive ? C : UpperTable()[C]; }
  TEasyRegElement MakeChar(Byte C) const {
    TEasyRegElement E;
    E.Kind = rkChar;
    E.Char = Fold(C);
    return E;
  }
  static TEasyRegElement MakeKind(TEasyRegKind K) {
    TEasyRegElement E;
    E.Kind = K;
    return E;
  }
  void Append(TEasyRegElement E);
  Byte ReadCode(int& I);
  Byte ReadSetMember(int& I);
  void ReadEscape(int& I);
  void ReadSet(int& I);
  void OpenGroup();
  void CloseGroup();
  void ReadQuantifier(char C, int I);
  void ReadPlain(int& I);
  void Run();

  const TEasyRegExpr& Owner;
  const std::string& Pattern;
  const int N;
  std::vector<TEasyRegElement> Elems;
  std::vector<int> Groups;  // open marks of the groups not yet closed
  int Depth = 0;
  int NegGroupDepth = -1;  // depth inside the negated group, -1 when none is open
  bool Negate = false;
  int ClosedGroup = -1;  // the open mark of the group that ends just before, for a following quantifier
};

// Appends an element carrying the pending negation. The negation ends after the element unless the element lies
// inside a negated group.
void TEasyRegExpr::TCompiler::Append(TEasyRegElement E) {
  E.Negated = Negate;
  Elems.push_back(E);
  ClosedGroup = -1;
  if (!(NegGroupDepth >= 0 && Depth >= NegGroupDepth)) {
    Negate = false;
  }
}

// Reads "#" and its digits at I; I ends after them.
Byte TEasyRegExpr::TCompiler::ReadCode(int& I) {
  const int Start = I + 1;
  int J = Start;
  int Value = 0;
  while (J < N && IsDigit(Pattern[J])) {
    Value = (Value * 10 + (Pattern[J] - '0')) & 0xFFFF;
    ++J;
  }
  if (J == Start) {
    Owner.Error(Pattern, Start + 1);
  }
  I = J;
  return static_cast<Byte>(Value & 0xFF);
}

// Reads one member of a set at I (not "]"); I ends after it.
Byte TEasyRegExpr::TCompiler::ReadSetMember(int& I) {
  const char C = Pattern[I];
  if (C == '\\' && I + 1 < N && SetEscapes.find(Pattern[I + 1]) != std::string_view::npos) {
    I += 2;
    return static_cast<Byte>(Pattern[I - 1]);
  }
  if (C == '#') {
    return ReadCode(I);
  }
  if (C == '-') {
    Owner.Error(Pattern, I + 1);
  }
  ++I;
  return static_cast<Byte>(C);
}

// "\c": an escape mark, then the character itself.
void TEasyRegExpr::TCompiler::ReadEscape(int& I) {
  if (I + 1 >= N) {
    Owner.Error(Pattern, N + 1);
  }
  TEasyRegElement Mark = MakeKind(rkEscape);
  Mark.Char = Fold(static_cast<Byte>(Pattern[I + 1]));
  Mark.Negated = Negate;  // the negation goes on to the character that follows
  Elems.push_back(Mark);
  Append(MakeChar(static_cast<Byte>(Pattern[I + 1])));
  I += 2;
}

// "[...]" or "[^...]": members and ranges up to the closing bracket.
void TEasyRegExpr::TCompiler::ReadSet(int& I) {
  TEasyRegElement E = MakeKind(rkSet);
  ++I;
  if (I < N && Pattern[I] == '^') {
    E.SetNegated = true;
    ++I;
  }
  int Items = 0;
  while (true) {
    if (I >= N) {
      Owner.Error(Pattern, N + 1);
    }
    if (Pattern[I] == ']') {
      if (Items == 0) {
        Owner.Error(Pattern, I + 1);
      }
      ++I;
      break;
    }
    const Byte First = Fold(ReadSetMember(I));
    ++Items;
    if (I + 1 < N && Pattern[I] == '-' && Pattern[I + 1] == ']') {
      // A dash right before the closing bracket follows a member: it is a member itself.
      E.CharSet.set(First);
      E.CharSet.set('-');
      ++I;
    } else if (I + 1 < N && Pattern[I] == '-') {
      ++I;
      const Byte Last = Fold(ReadSetMember(I));
      for (int Ch = First; Ch <= Last; ++Ch) {
        E.CharSet.set(Ch);
      }
    } else {
      E.CharSet.set(First);
    }
  }
  Append(E);
}

void TEasyRegExpr::TCompiler::OpenGroup() {
  ++Depth;
  if (Negate && NegGroupDepth < 0) {
    NegGroupDepth = Depth;
  }
  Groups.push_back(static_cast<int>(Elems.size()));
  Append(MakeKind(rkGroupOpen));
}

void TEasyRegExpr::TCompiler::CloseGroup() {
  Append(MakeKind(rkGroupClose));
  if (!Groups.empty()) {
    ClosedGroup = Groups.back();
    Groups.pop_back();
    --Depth;
    if (NegGroupDepth >= 0 && Depth < NegGroupDepth) {
      NegGroupDepth = -1;  // the negation still covers the one element after the group
    }
  }
}

// "*", "+" or "|" at I: the unit before it (the group just closed, or the last element) links to it.
void TEasyRegExpr::TCompiler::ReadQuantifier(char C, int I) {
  if (Elems.empty()) {
    Owner.Error(Pattern, I + 1);
  }
  const int LastIndex = static_cast<int>(Elems.size()) - 1;
  const TEasyRegKind LastKind = Elems[LastIndex].Kind;
  if (LastKind == rkLineStart || LastKind == rkLineEnd || LastKind == rkEscape || LastKind >= rkOneOrMore) {
    Owner.Error(Pattern, I + 1);
  }
  const int Start = ClosedGroup >= 0 ? ClosedGroup : LastIndex;
  for (int K = Start; K <= LastIndex; ++K) {
    if (Elems[K].Link < 0) {
      Elems[K].Link = LastIndex;
    }
  }
  TEasyRegElement Quantifier = MakeKind(C == '*' ? rkZeroOrMore : C == '+' ? rkOneOrMore : rkZeroOrOne);
  Quantifier.Negated = NegGroupDepth >= 0 && Depth >= NegGroupDepth;
  Elems.push_back(Quantifier);
  ClosedGroup = -1;
}

// A plain character or "#n" code.
void TEasyRegExpr::TCompiler::ReadPlain(int& I) {
  Byte Ch = 0;
  if (Pattern[I] == '#') {
    Ch = ReadCode(I);
  } else {
    Ch = static_cast<Byte>(Pattern[I]);
    ++I;
  }
  if (I < N && IsQuantifier(Pattern[I])) {
    // A quantifier after a plain character repeats that character only: wrap it in a group.
    const bool Neg = Negate;
    Negate = false;
    const int Open = static_cast<int>(Elems.size());
    Append(MakeKind(rkGroupOpen));
    Negate = Neg;
    Append(MakeChar(Ch));
    Append(MakeKind(rkGroupClose));
    ClosedGroup = Open;
  } else {
    Append(MakeChar(Ch));
  }
}

// The whole pattern, then the end element; an unclosed group is an error.
void TEasyRegExpr::TCompiler::Run() {
  int I = 0;
  while (I < N) {
    const char C = Pattern[I];
    switch (C) {
      case '\\': ReadEscape(I); break;
      case '.':
        Append(MakeKind(rkAny));
        ++I;
        break;
      case '^':
        Append(MakeKind(rkLineStart));
        ++I;
        break;
      case '$':
        Append(MakeKind(rkLineEnd));
        ++I;
        break;
      case '[': ReadSet(I); break;
      case '{':
        OpenGroup();
        ++I;
        break;
      case '}':
        CloseGroup();
        ++I;
        break;
      case '*':
      case '+':
      case '|':
        ReadQuantifier(C, I);
        ++I;
        break;
      case '!':
        if (I + 1 >= N) {
          Owner.Error(Pattern, N + 1);
        }
        Negate = true;
        ++I;
        break;
      default: ReadPlain(I); break;
    }
  }
  if (!Groups.empty()) {
    Owner.Error(Pattern, N + 1);
  }
  Append(MakeKind(rkChar));  // the end element
}

void TEasyRegExpr::InitRegStates(const std::string& Pattern) {
  TCompiler Compiler(*this, Pattern);
  Compiler.Run();
  Prepare(Compiler.Elems);
  FPattern = Pattern;
}

// Precomputes what makes matching fast: the units that repeat one plain test, what every testing element
// accepts (case folding included), the leading plain characters and the linear form.
void TEasyRegExpr::Prepare(std::vector<TEasyRegElement>& Elems) {
  const auto& Upper = UpperTable();
  auto Fold = [&](Byte C) { return FCaseSensitive ? C : Upper[C]; };
  // A unit whose only consuming element is one plain, non-negated test repeats by a fast loop.
  for (int K = 0; K < static_cast<int>(Elems.size()); ++K) {
    TEasyRegElement& E = Elems[K];
    if (E.Link < 0 || (K > 0 && Elems[K - 1].Link == E.Link)) {
      continue;  // not the first element of a unit
    }
    int Test = -1;
    bool Plain = true;
    for (int J = K; J <= E.Link && Plain; ++J) {
      const TEasyRegElement& U = Elems[J];
      if (U.Negated || (U.Link != E.Link && J != K)) {
        Plain = false;
      } else if (IsConsuming(U.Kind)) {
        Plain = Test < 0 && !(U.Kind == rkChar && U.Char == 0);
        Test = J;
      } else if (U.Kind != rkGroupOpen && U.Kind != rkGroupClose) {
        Plain = false;
      }
    }
    if (Plain && Test >= 0) {
      E.Simple = Test;
    }
  }
  // What each testing element accepts, with case folding done once here.
  for (TEasyRegElement& E : Elems) {
    if (E.Kind == rkChar || E.Kind == rkAny || E.Kind == rkSet) {
      for (int C = 0; C < 256; ++C) {
        const Byte F = Fold(static_cast<Byte>(C));
        const bool Ok = E.Kind == rkAny || (E.Kind == rkChar ? F == E.Char : E.CharSet.test(F) != E.SetNegated);
        E.Accept.set(C, Ok);
      }
    }
  }
  std::vector<TEasyCharSet> Prefix;
  std::vector<bool> PrefixIsChar;
  for (const TEasyRegElement& E : Elems) {
    if (E.Negated || E.Link >= 0) {
      break;
    }
    if (E.Kind == rkEscape) {
      continue;
    }
    if (!IsConsuming(E.Kind) || (E.Kind == rkChar && E.Char == 0)) {
      break;
    }
    Prefix.push_back(E.Accept);
    PrefixIsChar.push_back(E.Kind == rkChar);
  }
  // Linear form: plain tests and simple repeated units only, without negation, anchors or other groups.
  std::vector<TLinearStep> Steps;
  bool Linear = true;
  for (std::size_t K = 0; Linear && K + 1 < Elems.size();) {
    const TEasyRegElement& E = Elems[K];
    if (E.Negated) {
      Linear = false;
    } else if (E.Kind == rkChar && E.Char == 0 && E.Link < 0) {
      break;  // "#0" ends the pattern as the end element does: the full walk ignores what follows it
    } else if (E.Kind == rkEscape) {
      ++K;
    } else if (E.Link >= 0) {
      Linear = E.Simple >= 0;
      for (int J = static_cast<int>(K); Linear && J <= E.Link; ++J) {
        Linear = !Elems[J].Negated;
      }
      if (Linear) {
        const TEasyRegKind Q = Elems[E.Link + 1].Kind;
        Steps.push_back(TLinearStep{Elems[E.Simple].Accept, Q == rkOneOrMore ? 1 : 0, Q == rkZeroOrOne ? 1 : -1});
        K = E.Link + 2;
      }
    } else if (IsConsuming(E.Kind)) {
      Steps.push_back(TLinearStep{E.Accept, 1, 1});
      ++K;
    } else {
      Linear = false;
    }
  }
  // Greedy is exact only when a repetition cannot take what the steps after it (up to the next mandatory
  // one) would need.
  for (std::size_t K = 0; Linear && K < Steps.size(); ++K) {
    if (Steps[K].Max == 1 && Steps[K].Min == 1) {
      continue;
    }
    for (std::size_t J = K + 1; Linear && J < Steps.size(); ++J) {
      Linear = (Steps[K].Accept & Steps[J].Accept).none();
      if (Steps[J].Min > 0) {
        break;
      }
    }
  }
  FLinear = std::move(Steps);
  FIsLinear = Linear && !Elems.back().Negated;
  FElements = std::move(Elems);
  FPrefix = std::move(Prefix);
  FPrefixIsChar = std::move(PrefixIsChar);
}

bool TEasyRegExpr::EmptyLine() const { return FPattern == "^" || FPattern == "$" || FPattern == "^$"; }

const TEasyRegElement* TEasyRegExpr::GetFirstState() const {
  for (const TEasyRegElement& E : FElements) {
    if (E.Kind == rkChar && E.Char == 0) {
      return nullptr;  // the end element
    }
    if (E.Kind == rkChar || E.Kind == rkAny || E.Kind == rkSet || E.Kind == rkEscape) {
      return &E;
    }
  }
  return nullptr;
}

TEasyRegExpr::TTestResult TEasyRegExpr::FindToken(const TEasyRegElement& E, int Pos) const {
  switch (E.Kind) {
    case rkChar:
    case rkAny:
    case rkSet:
      // At the end of the text the terminating character 0 is tested.
      return TestChar(E, Pos < FLength ? FText[Pos] : 0) ? trMatch : trMismatch;
    case rkLineStart:
      return Pos == 0 && FAllowLineStart ? trPass : trMismatch;
    case rkLineEnd:
      return Pos >= FLength ? trPass : trMismatch;
    default:
      return trPass;
  }
}

void TEasyRegExpr::Push(int Pos, int Elem, int Low) { FStack.push_back(TStackItem{Pos, Elem, Low}); }

// A repetition of a unit must consume at least one character; points pushed by a failed repetition are
// dropped with it.
bool TEasyRegExpr::SubWalk(int First, int Last, int& Pos) {
  const std::size_t Mark = FStack.size();
  const bool EndPassed = FEndPassed;
  int P = Pos;
  if (InternalFind(First, Last, P) && P > Pos) {
    Pos = P;
    return true;
  }
  FStack.resize(Mark);
  FEndPassed = EndPassed;
  return false;
}

bool TEasyRegExpr::InternalFind(int First, int Last, int& Pos) {
  const bool TopLevel = Last == static_cast<int>(FElements.size()) - 1;
  bool LastNegated = false;
  int I = First;
  while (I <= Last) {
    const TEasyRegElement& E = FElements[I];
    if (E.Link >= 0 && E.Link != Last) {
      // A quantified unit: elements I..Link, quantifier Link + 1, continuation Link + 2.
      const int UnitEnd = E.Link;
      const TEasyRegKind Q = FElements[UnitEnd + 1].Kind;
      const int Next = UnitEnd + 2;
      NoteReach(Pos);
      if (Q == rkOneOrMore && Pos >= FLength) {
        return false;
      }
      int P = Pos;
      if (E.Simple >= 0) {
        const TEasyRegElement& T = FElements[E.Simple];
        const int Max = Q == rkZeroOrOne ? 1 : FLength;
        int Count = 0;
        if (FUseRunEnds && Max > 1) {
          Count = std::min(RunEnd(E.Simple, FBase + P) - FBase, FLength) - P;
          P += Count;
        } else if (Max > 1) {
          Count = RunSpanEnd(E.Simple, P) - P;
          P += Count;
        } else {
          while (Count < Max && P < FLength && TestChar(T, FText[P])) {
            ++P;
            ++Count;
          }
        }
        NoteReach(P);
        if (Q == rkOneOrMore && Count == 0) {
          return false;
        }
        const int Low = Q == rkOneOrMore ? Pos + 1 : Pos;
        if (P - 1 >= Low) {
          Push(P - 1, Next, Low);
        }
      } else {
        if (Q == rkOneOrMore && !SubWalk(I, UnitEnd, P)) {
          return false;
        }
        int Count = Q == rkOneOrMore ? 1 : 0;
        while (!(Q == rkZeroOrOne && Count >= 1) && P < FLength) {
          int NP = P;
          const std::size_t Mark = FStack.size();
          Push(P, Next, P);
          if (!SubWalk(I, UnitEnd, NP)) {
            FStack.resize(Mark);
            break;
          }
          P = NP;
          ++Count;
        }
        NoteReach(P);
      }
      Pos = P;
      I = Next;
      continue;
    }
    if (E.Kind == rkChar && E.Char == 0) {  // the end element
      if (E.Negated) {
        return false;
      }
      FMatchLength = Pos;
      return true;
    }
    NoteReach(Pos);
    const TTestResult R = FindToken(E, Pos);
    if (R == trMismatch) {
      if (!E.Negated) {
        return false;
      }
      // A negated element that does not match stands for one character and ends the walk.
      if (Pos < FLength) {
        ++Pos;
      } else if (FEndPassed) {
        return false;
      } else {
        FEndPassed = true;
      }
      if (TopLevel) {
        FMatchLength = Pos;
      }
      return true;
    }
    LastNegated = E.Negated;
    if (R == trMatch) {
      // A negated run that matched in full is a mismatch of the whole run.
      if (E.Negated && I + 1 <= Last && !FElements[I + 1].Negated) {
        return false;
      }
      if (FEndPassed) {
        return false;
      }
      if (Pos < FLength) {
        ++Pos;
      } else {
        FEndPassed = true;
      }
    }
    ++I;
  }
  return !LastNegated;
}

void TEasyRegExpr::ResetMemo(const Byte* Whole, int WholeLength, bool RunEnds) {
  FWhole = Whole;
  FWholeLength = WholeLength;
  FUseRunEnds = RunEnds;
  FFailed.resize(FElements.size());
  FRunEnds.resize(FElements.size());
  for (std::vector<int>& F : FFailed) {
    F.clear();
  }
  for (std::vector<int>& R : FRunEnds) {
    R.clear();
  }
  FRunSpans.assign(FElements.size(), TRunSpan{});
}

int TEasyRegExpr::RunSpanEnd(int Elem, int Pos) {
  TRunSpan& S = FRunSpans[Elem];
  if (S.From >= 0 && Pos >= S.From && Pos <= S.To) {
    return S.To;
  }
  const TEasyRegElement& T = FElements[Elem];
  int P = Pos;
  while (P < FLength && TestChar(T, FText[P])) {
    ++P;
    if (P == S.From) {
      // The run goes on into the one already known.
      S.From = Pos;
      return S.To;
    }
  }
  S.From = Pos;
  S.To = P;
  return P;
}

int TEasyRegExpr::RunEnd(int Elem, int Pos) {
  std::vector<int>& R = FRunEnds[Elem];
  if (R.empty()) {
    const TEasyRegElement& T = FElements[Elem];
    R.resize(static_cast<std::size_t>(FWholeLength) + 1);
    R[FWholeLength] = FWholeLength;
    for (int K = FWholeLength - 1; K >= 0; --K) {
      R[K] = TestChar(T, FWhole[K]) ? R[K + 1] : K;
    }
  }
  return R[Pos];
}

// Slot K of an element's forest stands for position K - 1; slot 0 (position -1) is always a root.
int TEasyRegExpr::Live(int Elem, int Pos) {
  std::vector<int>& F = FFailed[Elem];
  const int Slot = Pos + 1;
  if (Slot >= static_cast<int>(F.size())) {
    return Pos;  // never marked
  }
  int Root = Slot;
  while (F[Root] != Root) {
    Root = F[Root];
  }
  for (int K = Slot; F[K] != Root;) {
    const int Up = F[K];
    F[K] = Root;
    K = Up;
  }
  return Root - 1;
}

void TEasyRegExpr::MarkFailed(int Elem, int Pos) {
  std::vector<int>& F = FFailed[Elem];
  const int Slot = Pos + 1;
  if (Slot >= static_cast<int>(F.size())) {
    const int Old = static_cast<int>(F.size());
    F.resize(static_cast<std::size_t>(Slot) + 1);
    for (int K = Old; K <= Slot; ++K) {
      F[K] = K;
    }
  }
  F[Slot] = Slot - 1;
}

// A resumed walk has failed for good once every point it left on the stack has been tried.
void TEasyRegExpr::CloseExhausted() {
  while (!FOpen.empty() && FStack.size() <= FOpen.back().Level) {
    MarkFailed(FOpen.back().Elem, FOpen.back().Pos);
    FOpen.pop_back();
  }
}

// Pop, skipping the points whose walk is already known to fail; the order of the others is kept.
bool TEasyRegExpr::PopLive(int& Pos, int& Elem) {
  for (;;) {
    CloseExhausted();
    if (FStack.empty()) {
      return false;
    }
    TStackItem& Top = FStack.back();
    const int P = Live(Top.Elem, FBase + Top.Pos) - FBase;
    if (P < Top.Low) {
      FStack.pop_back();
      continue;
    }
    Pos = P;
    Elem = Top.Elem;
    if (P > Top.Low) {
      Top.Pos = P - 1;
    } else {
      FStack.pop_back();
    }
    return true;
  }
}

bool TEasyRegExpr::DoFind() {
  const int Last = static_cast<int>(FElements.size()) - 1;
  FOpen.clear();
  int Pos = 0;
  int Elem = 0;
  if (Live(0, FBase) == FBase) {
    FOpen.push_back(TOpenWalk{0, FBase, 0});
    FEndPassed = false;
    if (InternalFind(0, Last, Pos)) {
      return true;
    }
  }
  while (PopLive(Pos, Elem)) {
    FOpen.push_back(TOpenWalk{Elem, FBase + Pos, FStack.size()});
    FEndPassed = false;
    if (InternalFind(Elem, Last, Pos)) {
      return true;
    }
  }
  CloseExhausted();
  return false;
}

bool TEasyRegExpr::Match(const char* Text, int TextLength, bool AllowLineStart) {
  FMatchLength = 0;
  // The quick rejection looks at most at the leading characters the pattern fixes, and at the end.
  FReach = std::min(static_cast<int>(FPrefix.size()), TextLength) + 1;
  if (FShortcuts && QuickReject(reinterpret_cast<const Byte*>(Text), TextLength)) {
    return false;
  }
  // Within a search the full walk with its remembered failures is linear over the columns; the greedy form
  // would scan the rest of the line again from every column.
  if (FShortcuts && FIsLinear && FWhole == nullptr) {
    const int R = MatchLinear(reinterpret_cast<const Byte*>(Text), TextLength);
    if (R >= 0) {
      return R == 1;
    }
    FMatchLength = 0;
  }
  FText = reinterpret_cast<const Byte*>(Text);
  FLength = TextLength;
  FAllowLineStart = AllowLineStart;
  FStack.clear();
  FMatchLength = 0;
  if (FWhole == nullptr) {
    ResetMemo(FText, FLength, false);
    FBase = 0;
    const bool Result = DoFind();
    FWhole = nullptr;
    return Result;
  }
  FBase = static_cast<int>(FText - FWhole);
  return DoFind();
}

int TEasyRegExpr::MatchLinear(const Byte* Text, int TextLength) {
  int P = 0;
  for (const TLinearStep& S : FLinear) {
    int Count = 0;
    while (Count != S.Max && P < TextLength && S.Accept[Text[P]]) {
      ++P;
      ++Count;
    }
    NoteReach(P);
    if (Count < S.Min) {
      return P >= TextLength ? -1 : 0;  // at the text end the terminator rules of the full walk decide
    }
  }
  FMatchLength = P;
  return 1;
}

bool TEasyRegExpr::StringMatch(const char* Text, int TextLength, bool AllowLineStart, int& Length) {
  const bool Result = Match(Text, TextLength, AllowLineStart);
  Length = FMatchLength > 0 ? FMatchLength : 1;
  return Result;
}

bool TEasyRegExpr::Find(const char* Text, int TextLength, bool Forward, int& MatchLength, int& Pos) {
  if (FPattern == "$" && (Forward || Pos == TextLength)) {
    Pos = TextLength + 1;
    MatchLength = 0;
    return true;
  }
  MatchLength = 0;
  if (TextLength <= 0) {
    if (EmptyLine()) {
      Pos = 1;
      return true;
    }
    Pos = 0;
    return false;
  }
  if (Pos > TextLength) {
    Pos = TextLength;
  }
  if (Pos <= 0) {
    Pos = 1;
  }
  ResetMemo(reinterpret_cast<const Byte*>(Text), TextLength, true);
  while (Pos >= 1 && Pos <= TextLength) {
    const int Start = Pos - 1;
    if (Match(Text + Start, TextLength - Start, Start == 0)) {
      MatchLength = FMatchLength > 0 ? FMatchLength : 0;
      FWhole = nullptr;
      return true;
    }
    Pos += Forward ? 1 : -1;
  }
  FWhole = nullptr;
  Pos = 0;
  return false;
}
