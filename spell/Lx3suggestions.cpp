// Suggestion candidates one typing error away from a misspelt word.
#include "spell/Lx3suggestions.h"

#include "platform/rtl/SysUtils.h"

namespace {

std::string DefaultMiddleChars() {
  std::string S = "'abcdefghijklmnopqrstuvwxyz\xD7\xDE\xDF";
  for (int C = 0xE0; C <= 0xFF; ++C) {
    S.push_back(static_cast<char>(C));
  }
  S += "\xB8\xA8\xB9\xB3\xBF";
  return S;
}

std::string DefaultFirstChars() {
  std::string S = "'abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (int C = 0xC0; C <= 0xFF; ++C) {
    S.push_back(static_cast<char>(C));
  }
  S += "\xB8\xA8\xB9\xB3\xBF";
  return S;
}

bool IsAllLower(const std::string& S) { return AnsiLowerCase(S) == S; }
bool IsAllUpper(const std::string& S) { return AnsiUpperCase(S) == S; }

}  // namespace

TSuggestionsGenerator::TSuggestionsGenerator() : MiddleChars(DefaultMiddleChars()), FirstChars(DefaultFirstChars()) {}

void TSuggestionsGenerator::WriteLanguage(std::int32_t Id) {
  if (Id == FLanguage) {
    return;
  }
  FLanguage = Id;
  WriteDefaultSuggestionTypes(FDefaultSuggestionTypes);
  std::string Extra;
  if (Id == 1029) {
    Extra = "\xE1\xE8\xEF\xE9\xEC\xED\xF2\xF3\xF8\x9A\x9D\xFA\xF9\xFD\x9E\xC1\xC8\xCF\xC9\xCC\xCD\xD2\xD3\xD8\x8A\x8D"
            "\xDA\xD9\xDD\x8E";
  } else if ((Id & 0xFF) == 12) {
    Extra = "\x9C";
  } else if (Id == 1049) {
    Extra = "\xB2\xA2\xB1\xA1\xBC\xAC\xB6\xA6";
  } else if (Id == 1045) {
    Extra = "\xB9\xE6\xEA\xB3\xB3\xF1\xF3\x9C\xBF\x9F\xA5\xC6\xCA\xA3\xD1\xD3\x8C\xAF\x8F";
  }
  MiddleChars += Extra;
  FirstChars += Extra;
}

void TSuggestionsGenerator::WriteDefaultSuggestionTypes(bool Value) {
  FDefaultSuggestionTypes = Value;
  if (Value) {
    FSuggestionTypes = FLanguage == 1053 ? static_cast<TSuggestionTypes>(AllSuggestionTypes &
                                                                         ~SuggestionTypeBit(stSplitWord))
                                         : AllSuggestionTypes;
  }
}

void TSuggestionsGenerator::WriteSuggestionTypes(TSuggestionTypes Value) {
  FSuggestionTypes = Value;
  FDefaultSuggestionTypes = false;
}

bool TSuggestionsGenerator::Exists(const std::string& Word) const {
  bool Result = false;
  FExists(Word, Result);
  return Result;
}

void TSuggestionsGenerator::AddWordToList(const std::string& Word) {
  // The list's own comparison ignores case: add unless the first match is this very spelling.
  for (Integer I = 0; I < FList->Count(); ++I) {
    const std::string S = FList->Strings(I);
    if (AnsiCompareText(S, Word) == 0) {
      if (S == Word) {
        return;
      }
      break;
    }
  }
  FList->Add(Word);
}

bool TSuggestionsGenerator::CheckWord(const std::string& Candidate) {
  if (Candidate.size() < 2 || !Exists(Candidate)) {
    return false;
  }
  if (FList->Count() > FMaxCount) {
    return true;
  }
  if (FWordLower && !IsAllLower(Candidate) && Exists(AnsiLowerCase(Candidate))) {
    return false;
  }
  AddWordToList(Candidate);
  return false;
}

bool TSuggestionsGenerator::Generate_SingleTransposition(int Distance) {
  const int L = static_cast<int>(FWord.size());
  if (!(Distance + 1 < L)) {
    return false;
  }
  std::string W = FWord;
  for (int I = L - Distance; I >= 1; --I) {
    std::swap(W[I - 1], W[I - 1 + Distance]);
    if (CheckWord(W)) {
      return true;
    }
    std::swap(W[I - 1], W[I - 1 + Distance]);
  }
  return false;
}

bool TSuggestionsGenerator::Generate_SingleDeletion() {
  const int L = static_cast<int>(FWord.size());
  for (int Pos = L + 1; Pos >= 2; --Pos) {
    std::string W = FWord;
    W.insert(W.begin() + (Pos - 1), ' ');
    for (char C : MiddleChars) {
      W[Pos - 1] = C;
      if (CheckWord(W)) {
        return true;
      }
    }
  }
  std::string W = " " + FWord;
  for (char C : FirstChars) {
    W[0] = C;
    if (CheckWord(W)) {
      return true;
    }
  }
  return false;
}

bool TSuggestionsGenerator::Generate_SingleInsertion() {
  const int L = static_cast<int>(FWord.size());
  for (int Pos = L; Pos >= 1; --Pos) {
    std::string W = FWord;
    W.erase(static_cast<std::size_t>(Pos - 1), 1);
    if (CheckWord(W)) {
      return true;
    }
  }
  return false;
}

bool TSuggestionsGenerator::Generate_SingleSubstitution() {
  const int L = static_cast<int>(FWord.size());
  std::string W = FWord;
  for (int Pos = L; Pos >= 2; --Pos) {
    const char Old = W[Pos - 1];
    for (char C : MiddleChars) {
      if (C == Old) {
        continue;  // the word itself is no candidate
      }
      W[Pos - 1] = C;
      if (CheckWord(W)) {
        return true;
      }
    }
    W[Pos - 1] = Old;
  }
  const char Old = W[0];
  for (char C : FirstChars) {
    if (C == Old) {
      continue;
    }
    W[0] = C;
    if (CheckWord(W)) {
      return true;
    }
  }
  return false;
}

bool TSuggestionsGenerator::Generate_SplitWord() {
  const int L = static_cast<int>(FWord.size());
  if (L < 4) {
    return false;
  }
  for (int A = 2; A <= L - 2; ++A) {
    const std::string First = FWord.substr(0, static_cast<std::size_t>(A));
    const std::string Rest = FWord.substr(static_cast<std::size_t>(A));
    if (Exists(First) && Exists(Rest)) {
      if (FList->Count() > FMaxCount) {
        return true;
      }
      AddWordToList(First + " " + Rest);
    }
  }
  const auto Period = FWord.find('.');
  if (Period != std::string::npos && FWord.find('.', Period + 1) == std::string::npos && Period + 1 < FWord.size() &&
      Period > 0) {
    const std::string Before = FWord.substr(0, Period);
    const std::string After = FWord.substr(Period + 1);
    const std::string Upper = AnsiUpperCase(After.substr(0, 1));
    if (After.substr(0, 1) == Upper && AnsiLowerCase(Upper) != Upper && Exists(Before) && Exists(After) &&
        FList->Count() <= FMaxCount) {
      AddWordToList(Before + ".  " + After);
    }
  }
  return false;
}

void TSuggestionsGenerator::InternalSuggest(const std::string& Word) {
  if (!FExists || !FList || Word.empty() || FMaxCount <= 0 || Word.size() > 250) {
    return;
  }
  FWord = Word;
  FWordLower = IsAllLower(Word);
  const std::string SavedMiddle = MiddleChars;
  if (!FWordLower) {
    MiddleChars = FirstChars;
  }
  const bool Full = (Has(stTransposition) && Generate_SingleTransposition(1)) ||
                    (Has(stSingleDeletion) && Generate_SingleDeletion()) ||
                    (Has(stInsertion) && Generate_SingleInsertion()) ||
                    (Has(stSubstitution) && Generate_SingleSubstitution()) ||
                    (Has(stTransposition) && Generate_SingleTransposition(2)) ||
                    (Has(stSplitWord) && Generate_SplitWord());
  (void)Full;
  MiddleChars = SavedMiddle;
}

void TSuggestionsGenerator::Suggest(const std::string& Word, int MaxCount, const TExistsEvent& ExistsTest,
                                    TStrings* List) {
  FExists = ExistsTest;
  FList = List;
  FMaxCount = MaxCount == -1 ? 65535 : MaxCount;
  InternalSuggest(Word);
  if (!Word.empty() && !IsAllUpper(Word) && !IsAllLower(Word)) {
    const std::string First = Word.substr(0, 1);
    const bool FirstUpper = AnsiUpperCase(First) == First && AnsiLowerCase(First) != First;
    InternalSuggest(FirstUpper ? First + AnsiLowerCase(Word.substr(1)) : AnsiLowerCase(Word));
  }
  FExists = nullptr;
  FList = nullptr;
}
