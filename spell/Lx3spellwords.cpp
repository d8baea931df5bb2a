// The spell-check component: single-word tests, suggestions with learning, and word and error counts.
#include "spell/Lx3spellbase.h"

#include "platform/rtl/SysUtils.h"
#include "spell/Lx3customdictionary.h"
#include "spell/Lx3maindictionary.h"
#include "spell/Lx3parseengine.h"
#include "spell/Lx3phoneticsmap.h"
#include "spell/Lx3suggestions.h"

#include <vector>

namespace {

char LowerChar(char C) { return AnsiLowerCase(std::string_view(&C, 1))[0]; }
char UpperChar(char C) { return AnsiUpperCase(std::string_view(&C, 1))[0]; }

}  // namespace

bool TLexiSpell3Base::WordExistsInMain(const std::string& Word) {
  FConfig->EnsureLoaded();
  for (auto& D : OpenMainDictionaries) {
    if (D->WordExists(Word)) {
      D->WordFound();
      return true;
    }
  }
  return false;
}

bool TLexiSpell3Base::WordExists(const std::string& Word) {
  if (WordExistsInMain(Word)) {
    return true;
  }
  if (ActiveCustom && ActiveCustom->IgnoreExists(Word)) {
    return true;
  }
  for (auto& D : OpenCustomDictionaries) {
    if (D->IgnoreExists(Word)) {
      return true;
    }
  }
  for (auto& D : OpenMSWordDictionaries) {
    if (D->IgnoreExists(Word)) {
      return true;
    }
  }
  return InternalCustom->IgnoreExists(Word);
}

std::string TLexiSpell3Base::GetCaseModification(const std::string& Word) {
  if (Word.empty()) {
    return Word;
  }
  switch (AllowedCases) {
    case cmNone:
      return Word;
    case cmInitialCaps: {
      std::string R = Word;
      R[0] = LowerChar(R[0]);
      return R;
    }
    case cmInitialCapsOrUpcase: {
      if (AnsiUpperCase(Word) == Word) {
        return AnsiLowerCase(Word);
      }
      std::string R = Word;
      R[0] = LowerChar(R[0]);
      return R;
    }
    case cmAnyCase:
      return AnsiLowerCase(Word);
    case cmCustom: {
      std::string R = Word;
      if (OnCaseModification) {
        OnCaseModification(this, R);
      }
      return R;
    }
  }
  return Word;
}

bool TLexiSpell3Base::WordIsPossessive(const std::string& Word) {
  std::size_t At = Word.find("'s");
  if (At == std::string::npos) {
    At = Word.find("'S");
  }
  if (At == std::string::npos || At + 2 != Word.size()) {
    return false;
  }
  const std::string Stem = Word.substr(0, Word.size() - 2);
  if (Stem.empty()) {
    return false;
  }
  const std::string Modified = GetCaseModification(Stem);
  for (auto& D : OpenMainDictionaries) {
    if ((D->Language() & 0xFF) == 9 && (D->WordExists(Modified) || D->WordExists(Stem))) {
      return true;
    }
  }
  return false;
}

bool TLexiSpell3Base::WordAcceptable(const std::string& Word) {
  if (WordExists(Word)) {
    return true;
  }
  const std::string Modified = GetCaseModification(Word);
  if (Modified != Word && WordExists(Modified)) {
    return true;
  }
  if (FPossessive && WordIsPossessive(Word)) {
    return true;
  }
  Extended Number = 0;
  if (!Word.empty() && TryStrToFloat(Word, Number)) {
    return true;
  }
  if (Word.size() == 1) {
    return true;
  }
  return RunPostCheckIgnore(Word, FParser);
}

bool TLexiSpell3Base::WordExcluded(const std::string& Word) {
  FConfig->EnsureLoaded();
  if (ActiveCustom && ActiveCustom->ExcludeExists(Word)) {
    return true;
  }
  for (auto& D : OpenCustomDictionaries) {
    if (D->ExcludeExists(Word)) {
      return true;
    }
  }
  std::string Pair;
  return MappingDictionary && MappingDictionary->AutoCorrectExists(Word, Pair);
}

bool TLexiSpell3Base::WordHasCorrection(const std::string& Word, std::string& Replacement) {
  FConfig->EnsureLoaded();
  if (ActiveCustom && ActiveCustom->AutoCorrectExists(Word, Replacement)) {
    return true;
  }
  if (InternalCustom->AutoCorrectExists(Word, Replacement)) {
    return true;
  }
  for (auto& D : OpenCustomDictionaries) {
    if (D->AutoCorrectExists(Word, Replacement)) {
      return true;
    }
  }
  if (MappingAutoReplace && MappingDictionary && MappingDictionary->AutoCorrectExists(Word, Replacement)) {
    return true;
  }
  if (SuggestionsAutoReplace && LearningDictionary && LearningDictionary->AutoCorrectExists(Word, Replacement)) {
    return true;
  }
  if (FDualCaps && Word.size() > 2) {
    const std::string Rest = Word.substr(2);
    const std::string Head = Word.substr(0, 2);
    if (AnsiLowerCase(Rest) == Rest && AnsiUpperCase(Head) == Head) {
      std::string R = Word;
      R[1] = LowerChar(R[1]);
      const bool Letters = LowerChar(Word[0]) != UpperChar(Word[0]) && LowerChar(Word[1]) != UpperChar(Word[1]);
      if (R != Word && Letters && WordAcceptable(R)) {
        Replacement = R;
        return true;
      }
    }
  }
  return false;
}

void TLexiSpell3Base::ExistsEvent(const std::string& Word, bool& Exists) {
  const std::string Modified = GetCaseModification(Word);
  if (FPrimaryOnly) {
    Exists = WordExistsInMain(Word) || WordExistsInMain(Modified);
  } else {
    Exists = WordExists(Word) || WordExists(Modified);
  }
  if (!Exists && FPossessive) {
    Exists = WordIsPossessive(Word);
  }
}

bool TLexiSpell3Base::LiveWordCorrect(const std::string& Word) {
  return WordAcceptable(Word) && !(UseExcludeWords && WordExcluded(Word));
}

bool TLexiSpell3Base::ValidRepeatedWord(const std::string& Word, TControlParser* Parser) {
  if (!Parser) {
    return false;
  }
  int X = 0;
  int Y = 0;
  Parser->GetPosition(X, Y);
  bool Valid = true;
  for (std::size_t I = 0; I <= Word.size() && Valid; ++I) {
    Valid = Parser->MovePrevious();
  }
  if (Valid) {
    Valid = Parser->GetChar() == ' ';
  }
  for (std::size_t I = Word.size(); I > 0 && Valid; --I) {
    Valid = Parser->MovePrevious() && Parser->GetChar() == Word[I - 1];
  }
  Parser->SetPosition(X, Y, ptCurrent);
  return Valid;
}

// Suggestions.

void TLexiSpell3Base::InternalSuggest(const std::string& Word, int Max, TStrings& Strings) {
  FConfig->EnsureLoaded();
  std::string Pair;
  if (MappingDictionary && MappingDictionary->AutoCorrectExists(Word, Pair)) {
    Strings.Add(Pair);
    return;
  }
  TStringList L;
  FSuggestions->Suggest(
      Word, Max, [this](const std::string& W, bool& Exists) { ExistsEvent(W, Exists); }, &L);
  const int N = L.Count();
  if (PhoneticSuggestions && !OpenMainDictionaries.empty()) {
    TMainDictionary& First = *OpenMainDictionaries.front();
    if (FPhoneticsMap->Language() != First.Language()) {
      FPhoneticsMap->WriteLanguage(First.Language());
      if (OnAdjustPhoneticsMap) {
        OnAdjustPhoneticsMap(this);
      }
    }
    First.Suggest(Word, *FPhoneticsMap, L);
    if ((FPhoneticsMap->Language() & 0xFF) == 9 && L.Count() < 20) {
      FPhoneticsMap->WriteLanguage(0);
      if (OnAdjustPhoneticsMap) {
        OnAdjustPhoneticsMap(this);
      }
      First.Suggest(Word, *FPhoneticsMap, L);
    }
  }
  struct TEntry {
    std::string Text;
    int Distance;
  };
  std::vector<TEntry> Entries;
  Entries.reserve(static_cast<std::size_t>(L.Count()));
  for (int I = 0; I < L.Count(); ++I) {
    const std::string E = L.Strings(I);
    const int D = GetEditDistance(Word, E);
    if (I >= N && !FPhoneticsMap->AcceptableDistance(Word, D)) {
      continue;
    }
    Entries.push_back({E, D});
  }
  if (LearningDictionary) {
    std::string Learned;
    if (LearningDictionary->AutoCorrectExists(Word, Learned)) {
      bool Exact = false;
      for (auto& E : Entries) {
        if (E.Text == Learned) {
          E.Distance = 0;
          Exact = true;
          break;
        }
      }
      if (!Exact) {
        Entries.insert(Entries.begin(), TEntry{Learned, 0});
      }
    }
    for (auto& E : Entries) {
      E.Distance = LearningDictionary->IgnoreExists(E.Text) ? 2 * E.Distance - 1 : 2 * E.Distance;
    }
  }
  // A stable selection order: equal distances keep their places.
  for (std::size_t J = 0; J + 1 < Entries.size(); ++J) {
    for (std::size_t K = J + 1; K < Entries.size(); ++K) {
      if (Entries[K].Distance < Entries[J].Distance) {
        std::swap(Entries[K], Entries[J]);
      }
    }
  }
  if (Max >= 0 && static_cast<int>(Entries.size()) > Max) {
    Entries.resize(static_cast<std::size_t>(Max));
  }
  Strings.Clear();
  for (const auto& E : Entries) {
    Strings.Add(E.Text);
  }
}

void TLexiSpell3Base::Suggest(const std::string& Word, TStrings& Strings) {
  FConfig->EnsureLoaded();
  InternalSuggest(Word, MaxSuggestions, Strings);
}

void TLexiSpell3Base::LearnSuggestion(const std::string& Word, const std::string& Replacement) {
  if (LearningDictionary) {
    LearningDictionary->AddAutoCorrect(Word, Replacement);
    LearningDictionary->AddIgnore(Replacement);
  }
}

// Counting.

void TLexiSpell3Base::GetWordCountParserInternal(TControlParser* Parser, TCheckType CheckType, int& Words,
                                                 int& Errors, bool& ErrorsPresent, bool StopAtFirstError,
                                                 bool CountErrors) {
  Words = 0;
  Errors = 0;
  ErrorsPresent = false;
  if (!Parser) {
    return;
  }
  if (CheckType == ctAll || CheckType == ctSelected) {
    FConfig->EnsureLoaded();
    int SX = 0;
    int SY = 0;
    Parser->GetCursorPosition(SX, SY);
    TMainParsingEngine Engine;
    Engine.OnInlineIgnore = [this](char Ch, TControlParser* P, bool& Ignore) { RunInlineIgnore(Ch, P, Ignore); };
    Engine.OnPreCheckIgnore = [this](const std::string& W, TControlParser* P, bool& Ignore) {
      RunPreCheckIgnore(W, P, Ignore);
    };
    Engine.Initialize(Parser, static_cast<int>(CheckType));
    std::string Previous;
    for (std::string W = Engine.NextWord(); !W.empty(); W = Engine.NextWord()) {
      ++Words;
      if (!CountErrors) {
        continue;
      }
      bool Error = !WordAcceptable(W) || (UseExcludeWords && WordExcluded(W));
      if (!Error && FRepeated) {
        Error = Previous == W && ValidRepeatedWord(W, Parser);
      }
      if (!Error) {
        Previous = W;
      }
      if (Error) {
        ++Errors;
        if (StopAtFirstError) {
          break;
        }
      }
    }
    switch (EndCursorPosition) {
      case epHome:
        Parser->SetPosition(0, 0, ptCurrent);
        break;
      case epOriginal:
        Parser->SetPosition(SX, SY, ptCurrent);
        break;
      case epNoModify:
        break;
    }
    Parser->SelectWord(0);
  }
  if (FFreeCursorAtEnd) {
    delete Parser;
  }
  ErrorsPresent = Errors > 0;
}

int TLexiSpell3Base::GetWordCountParser(TControlParser* Parser, TCheckType CheckType) {
  int Words = 0;
  int Errors = 0;
  bool Present = false;
  GetWordCountParserInternal(Parser, CheckType, Words, Errors, Present, false, false);
  return Words;
}

int TLexiSpell3Base::GetErrorCountParser(TControlParser* Parser, TCheckType CheckType) {
  int Words = 0;
  int Errors = 0;
  bool Present = false;
  GetWordCountParserInternal(Parser, CheckType, Words, Errors, Present, false, true);
  return Errors;
}

bool TLexiSpell3Base::ErrorsPresentInParser(TControlParser* Parser, TCheckType CheckType) {
  int Words = 0;
  int Errors = 0;
  bool Present = false;
  GetWordCountParserInternal(Parser, CheckType, Words, Errors, Present, true, true);
  return Present;
}

namespace {
TStringParser* StringCursor(std::string& Text) {
  auto* P = new TStringParser();
  P->Initialize(&Text);
  return P;
}
}  // namespace

int TLexiSpell3Base::GetWordCountString(const std::string& Text) {
  std::string Copy = Text;
  return GetWordCountParser(StringCursor(Copy), ctAll);
}

int TLexiSpell3Base::GetErrorCountString(const std::string& Text) {
  std::string Copy = Text;
  return GetErrorCountParser(StringCursor(Copy), ctAll);
}

bool TLexiSpell3Base::ErrorsPresentInString(const std::string& Text) {
  std::string Copy = Text;
  return ErrorsPresentInParser(StringCursor(Copy), ctAll);
}
