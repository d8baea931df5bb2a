// The word splitter.
#include "spell/Lx3parseengine.h"

#include "platform/rtl/SysUtils.h"

namespace {

std::string DefaultCharSet() {
  std::string S = "\x92" "1234567890&'abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (int C = 0xC0; C <= 0xFF; ++C) {
    S.push_back(static_cast<char>(C));
  }
  S += "\x8A\x8C\x8D\x8E\x8F\x9A\x9C\x9D\x9E\x9F\xA1\xA2\xA3\xA5\xA6\xA8\xAC\xAF\xB1\xB2\xB3\xB6\xB8\xB9\xBC\xBF";
  return S;
}

inline unsigned char U(char C) { return static_cast<unsigned char>(C); }

}  // namespace

TMainParsingEngine::TMainParsingEngine() : FCharSet(DefaultCharSet()) { BuildTables(); }

void TMainParsingEngine::BuildTables() {
  FWordChars.fill(false);
  FInnerChars.fill(false);
  FEndCut.fill(false);
  for (char C : FCharSet) {
    FWordChars[U(C)] = true;
    if (FMidWord.find(C) == std::string::npos) {
      FInnerChars[U(C)] = true;
    }
  }
  for (char C : FForbidEnd) {
    FEndCut[U(C)] = true;
  }
}

void TMainParsingEngine::SetCharSet(const std::string& Set) {
  FCharSet = Set;
  BuildTables();
}

void TMainParsingEngine::SetMidWord(const std::string& Chars) {
  FMidWord = Chars;
  BuildTables();
}

void TMainParsingEngine::SetForbidEnd(const std::string& Chars) {
  FForbidEnd = Chars;
  BuildTables();
}

void TMainParsingEngine::SetFrenchExceptions(bool Flag) {
  FFrenchExceptions = Flag;
  if (Flag) {
    FMidWord += '\'';
  } else {
    const auto P = FMidWord.find('\'');
    if (P != std::string::npos) {
      FMidWord.erase(P, 1);
    }
  }
  BuildTables();
}

void TMainParsingEngine::Initialize(TControlParser* Parser, int Mode) {
  FParser = Parser;
  if (!Parser) {
    return;
  }
  int SX = 0;
  int SY = 0;
  int EX = 0;
  int EY = 0;
  Parser->GetSelectionPosition(SX, SY, EX, EY);
  switch (Mode) {
    case 0:
      AdjustToPosition(SX, SY);
      Parser->SetPosition(EX, EY, ptEnd);
      break;
    case 1:
      AdjustToPosition(SX, SY);
      break;
    case 2:
      Parser->SetPosition(0, 0, ptCurrent);
      break;
    default:
      break;
  }
}

void TMainParsingEngine::AdjustToPosition(int X, int Y) {
  if (!FParser) {
    return;
  }
  FParser->SetPosition(X, Y, ptCurrent);
  while (FInnerChars[U(FParser->GetChar())] && FParser->MovePrevious()) {
  }
}

std::string TMainParsingEngine::ReadWord() {
  TControlParser* P = FParser;
  for (;;) {
    // Finding the start.
    char Ch = P->GetChar();
    for (;;) {
      if (OnInlineIgnore) {
        bool Ignore = false;
        int X0 = 0;
        int Y0 = 0;
        P->GetPosition(X0, Y0);
        OnInlineIgnore(Ch, P, Ignore);
        if (Ignore) {
          int X1 = 0;
          int Y1 = 0;
          P->GetPosition(X1, Y1);
          // A filter that skipped nothing must not make the search stand still.
          if (X1 != X0 || Y1 != Y0) {
            Ch = P->GetChar();
            continue;
          }
        }
      }
      if (FWordChars[U(Ch)] && NoStartChars.find(Ch) == std::string::npos) {
        break;
      }
      if (!P->MoveNext()) {
        return std::string();
      }
      Ch = P->GetChar();
    }
    // Growing.
    std::string Word(1, Ch);
    bool Abbreviation = false;
    for (;;) {
      if (!P->MoveNext()) {
        if (!KeepUnfinishedLastWord) {
          return std::string();
        }
        break;
      }
      const char C = P->GetChar();
      if (FInnerChars[U(C)]) {
        Word.push_back(C);
        continue;
      }
      if (C == '.' && PeriodInsideWord) {
        P->MoveNext();
        const char Next = P->GetChar();
        P->MovePrevious();
        if (FInnerChars[U(Next)]) {
          Word.push_back(C);
          continue;
        }
        if (Word.find('.') != std::string::npos) {
          Word.push_back(C);
          Abbreviation = true;
          continue;
        }
        break;
      }
      if (C == '\'' && FFrenchExceptions) {
        const std::string Lower = AnsiLowerCase(Word);
        if (Lower == "aujourd" || Lower == "entr") {
          Word.push_back(C);
          continue;
        }
      }
      break;
    }
    // End cut.
    while (!Word.empty() && FEndCut[U(Word.back())]) {
      if (Abbreviation && Word.back() == '.') {
        break;
      }
      Word.pop_back();
      P->MovePrevious();
    }
    if (!Word.empty()) {
      return Word;
    }
    if (!P->MoveNext()) {
      return std::string();
    }
  }
}

std::string TMainParsingEngine::NextWord() {
  if (!FParser) {
    return std::string();
  }
  for (;;) {
    std::string Word = ReadWord();
    if (Word.empty()) {
      return Word;
    }
    if (OnPreCheckIgnore) {
      bool Ignore = false;
      OnPreCheckIgnore(Word, FParser, Ignore);
      if (Ignore) {
        continue;
      }
    }
    FLastWord = Word;
    return Word;
  }
}
