// The matcher remembers failed walks and searches every column in one pass; a plain backtracking walk over
// the same compiled elements, written out here, must give the same answer on many small patterns and texts.
#include "editor/Easyregexpr.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The straightforward walk: no remembered failures, no shortcuts, every pending point tried in turn.
class TReferenceWalk {
public:
  explicit TReferenceWalk(const std::vector<TEasyRegElement>& Elements) : FElements(Elements) {}

  bool Match(const std::string& Text, int Start, bool AllowLineStart, int& Length) {
    FText = reinterpret_cast<const Byte*>(Text.data()) + Start;
    FLength = static_cast<int>(Text.size()) - Start;
    FAllowLineStart = AllowLineStart;
    FStack.clear();
    FMatchLength = 0;
    FEndPassed = false;
    const int Last = static_cast<int>(FElements.size()) - 1;
    int Pos = 0;
    bool Found = InternalFind(0, Last, Pos);
    int Elem = 0;
    while (!Found && Pop(Pos, Elem)) {
      FEndPassed = false;
      Found = InternalFind(Elem, Last, Pos);
    }
    Length = FMatchLength;
    return Found;
  }

  bool Find(const std::string& Pattern, const std::string& Text, bool Forward, int& MatchLength, int& Pos) {
    const int TextLength = static_cast<int>(Text.size());
    const bool EmptyLine = Pattern == "^" || Pattern == "$" || Pattern == "^$";
    if (Pattern == "$" && (Forward || Pos == TextLength)) {
      Pos = TextLength + 1;
      MatchLength = 0;
      return true;
    }
    MatchLength = 0;
    if (TextLength <= 0) {
      Pos = EmptyLine ? 1 : 0;
      return EmptyLine;
    }
    Pos = std::max(1, std::min(Pos, TextLength));
    for (; Pos >= 1 && Pos <= TextLength; Pos += Forward ? 1 : -1) {
      int L = 0;
      if (Match(Text, Pos - 1, Pos == 1, L)) {
        MatchLength = L;
        return true;
      }
    }
    Pos = 0;
    return false;
  }

private:
  struct TItem {
    int Pos;
    int Elem;
    int Low;
  };

  bool Pop(int& Pos, int& Elem) {
    if (FStack.empty()) {
      return false;
    }
    TItem& Top = FStack.back();
    Pos = Top.Pos;
    Elem = Top.Elem;
    if (Top.Pos > Top.Low) {
      --Top.Pos;
    } else {
      FStack.pop_back();
    }
    return true;
  }

  bool SubWalk(int First, int Last, int& Pos) {
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

  // 0 mismatch, 1 pass, 2 match.
  int Test(const TEasyRegElement& E, int Pos) const {
    switch (E.Kind) {
      case rkChar:
      case rkAny:
      case rkSet:
        return E.Accept[Pos < FLength ? FText[Pos] : 0] ? 2 : 0;
      case rkLineStart:
        return Pos == 0 && FAllowLineStart ? 1 : 0;
      case rkLineEnd:
        return Pos >= FLength ? 1 : 0;
      default:
        return 1;
    }
  }

  bool InternalFind(int First, int Last, int& Pos) {
    const bool TopLevel = Last == static_cast<int>(FElements.size()) - 1;
    bool LastNegated = false;
    for (int I = First; I <= Last;) {
      const TEasyRegElement& E = FElements[I];
      if (E.Link >= 0 && E.Link != Last) {
        const int UnitEnd = E.Link;
        const TEasyRegKind Q = FElements[UnitEnd + 1].Kind;
        const int Next = UnitEnd + 2;
        if (Q == rkOneOrMore && Pos >= FLength) {
          return false;
        }
        int P = Pos;
        if (Q == rkOneOrMore && !SubWalk(I, UnitEnd, P)) {
          return false;
        }
        int Count = Q == rkOneOrMore ? 1 : 0;
        while (!(Q == rkZeroOrOne && Count >= 1) && P < FLength) {
          int NP = P;
          const std::size_t Mark = FStack.size();
          FStack.push_back(TItem{P, Next, P});
          if (!SubWalk(I, UnitEnd, NP)) {
            FStack.resize(Mark);
            break;
          }
          P = NP;
          ++Count;
        }
        Pos = P;
        I = Next;
        continue;
      }
      if (E.Kind == rkChar && E.Char == 0) {
        if (E.Negated) {
          return false;
        }
        FMatchLength = Pos;
        return true;
      }
      const int R = Test(E, Pos);
      if (R == 0) {
        if (!E.Negated) {
          return false;
        }
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
      if (R == 2) {
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

  const std::vector<TEasyRegElement>& FElements;
  const Byte* FText = nullptr;
  int FLength = 0;
  bool FAllowLineStart = false;
  bool FEndPassed = false;
  int FMatchLength = 0;
  std::vector<TItem> FStack;
};

std::string RandomPattern(std::mt19937& Rng) {
  static const char* Atoms[] = {"a", "b", "A", ".", "[ab]", "[^a]", "^", "$", "\\*", "#98", "{a}", "{ab}", "{a|b}",
                                "{a*b}", "!a", "!{ab}", "[a-c]", "c"};
  static const char* Quantifiers[] = {"", "", "", "*", "+", "|"};
  std::string P;
  const int Count = 1 + static_cast<int>(Rng() % 5);
  for (int K = 0; K < Count; ++K) {
    const std::string Atom = Atoms[Rng() % std::size(Atoms)];
    P += Atom;
    if (Atom != "^" && Atom != "$" && Atom[0] != '!') {
      P += Quantifiers[Rng() % std::size(Quantifiers)];
    }
  }
  return P;
}

std::string RandomText(std::mt19937& Rng) {
  static const char Letters[] = "aabbcA*";
  std::string T;
  const int Length = static_cast<int>(Rng() % 9);
  for (int K = 0; K < Length; ++K) {
    T += Letters[Rng() % (sizeof(Letters) - 1)];
  }
  return T;
}

TEST(RegExprWalk, RememberedFailuresChangeNoResult) {
  std::mt19937 Rng(20261210);
  int Compared = 0;
  for (int Round = 0; Round < 3000; ++Round) {
    const std::string Pattern = RandomPattern(Rng);
    const bool CaseSensitive = Rng() % 2 == 0;
    std::unique_ptr<TEasyRegExpr> R;
    try {
      R = std::make_unique<TEasyRegExpr>(Pattern, CaseSensitive);
    } catch (const EEasyRegExprError&) {
      continue;
    }
    R->SetShortcuts(Round % 3 != 0);
    TReferenceWalk Ref(R->Elements());
    for (int K = 0; K < 8; ++K) {
      const std::string Text = RandomText(Rng);
      const bool LineStart = K % 2 == 0;
      int L1 = 0;
      int L2 = 0;
      const bool M1 = R->StringMatch(Text, LineStart, L1);
      const bool M2 = Ref.Match(Text, 0, LineStart, L2);
      ASSERT_EQ(M1, M2) << Pattern << " on \"" << Text << "\"";
      EXPECT_EQ(L1, L2 > 0 ? L2 : 1) << Pattern << " on \"" << Text << "\"";
      for (const bool Forward : {true, false}) {
        const int From = static_cast<int>(Rng() % (Text.size() + 2));
        int P1 = From;
        int P2 = From;
        int Len1 = -1;
        int Len2 = -1;
        const bool F1 = R->FindString(Text, P1, Forward, Len1);
        const bool F2 = Ref.Find(Pattern, Text, Forward, Len2, P2);
        ASSERT_EQ(F1, F2) << Pattern << " in \"" << Text << "\" from " << From << (Forward ? " forward" : " back");
        EXPECT_EQ(P1, P2) << Pattern << " in \"" << Text << "\" from " << From;
        EXPECT_EQ(Len1, Len2) << Pattern << " in \"" << Text << "\" from " << From;
      }
      ++Compared;
    }
  }
  EXPECT_GT(Compared, 10000);
}

// What a match reports to have looked at is all it depends on: any text that agrees with those characters
// (and is at least as long) matches the same way. Lexing a long line again after an edit relies on it.
TEST(RegExprWalk, AMatchDependsOnlyOnWhatItReportsToHaveRead) {
  std::mt19937 Rng(4711);
  int Compared = 0;
  for (int Round = 0; Round < 3000; ++Round) {
    const std::string Pattern = RandomPattern(Rng);
    std::unique_ptr<TEasyRegExpr> R;
    try {
      R = std::make_unique<TEasyRegExpr>(Pattern, Rng() % 2 == 0);
    } catch (const EEasyRegExprError&) {
      continue;
    }
    R->SetShortcuts(Round % 3 != 0);
    for (int K = 0; K < 8; ++K) {
      const std::string Text = RandomText(Rng) + RandomText(Rng);
      const bool LineStart = K % 2 == 0;
      int Length = 0;
      const bool Matched = R->StringMatch(Text, LineStart, Length);
      const int Reach = R->Reach();
      ASSERT_GE(Reach, Matched ? Length : 0) << Pattern << " on \"" << Text << "\"";
      if (Reach > static_cast<int>(Text.size())) {
        continue;  // it looked for the end: only this very text is known to match so
      }
      for (int V = 0; V < 4; ++V) {
        const std::string Variant = Text.substr(0, static_cast<std::size_t>(Reach)) + RandomText(Rng);
        int VariantLength = 0;
        ASSERT_EQ(R->StringMatch(Variant, LineStart, VariantLength), Matched)
            << Pattern << " on \"" << Text << "\" and \"" << Variant << "\" (reach " << Reach << ")";
        EXPECT_EQ(VariantLength, Length) << Pattern << " on \"" << Text << "\" and \"" << Variant << "\"";
        ++Compared;
      }
    }
  }
  EXPECT_GT(Compared, 1000);
}

TEST(RegExprWalk, PatternsThatBacktrackHeavilyStillAnswer) {
  struct {
    const char* Pattern;
    std::string Text;
    bool Matches;
  } Cases[] = {{"a*a*a*a*a*b", std::string(1000, 'a'), false},
               {"a*a*a*a*a*b", std::string(1000, 'a') + "b", true},
               {".*.*.*b", std::string(2000, 'x'), false},
               {"{a*}*b", std::string(300, 'a'), false}};
  for (const auto& C : Cases) {
    TEasyRegExpr R(C.Pattern, false);
    int Length = 0;
    EXPECT_EQ(R.StringMatch(C.Text, false, Length), C.Matches) << C.Pattern;
    if (C.Matches) {
      EXPECT_EQ(Length, static_cast<int>(C.Text.size())) << C.Pattern;
    }
  }
  TEasyRegExpr R("a*b", false);
  const std::string Line = std::string(100000, 'a') + "b";
  int Pos = 1;
  int Length = 0;
  ASSERT_TRUE(R.FindString(Line, Pos, true, Length));
  EXPECT_EQ(Pos, 1);
  EXPECT_EQ(Length, 100001);
  const std::string NoMatch(100000, 'a');
  Pos = 1;
  EXPECT_FALSE(R.FindString(NoMatch, Pos, true, Length));
  EXPECT_EQ(Pos, 0);
}

}  // namespace
