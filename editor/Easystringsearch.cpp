// The plain text search over a line store.
#include "editor/Easystrings.h"
#include "editor/Easyutils.h"
#include "platform/rtl/SysUtils.h"

#include <array>

namespace {
// The system code page's upper-case mapping, one lookup per byte.
const std::array<char, 256>& UpperTable() {
  static const std::array<char, 256> Table = [] {
    std::array<char, 256> T{};
    for (int C = 0; C < 256; ++C) {
      T[static_cast<std::size_t>(C)] = AnsiUpperChar(static_cast<char>(C));
    }
    return T;
  }();
  return Table;
}

void UpperInPlace(std::string& S) {
  const auto& T = UpperTable();
  for (char& C : S) {
    C = T[static_cast<unsigned char>(C)];
  }
}

// Reads a line as the search sees it: through the store's filter, without trailing blanks, folded when
// the search ignores case. Reuses Buffer's memory from line to line. Returns the untrimmed length.
int PrepareLine(TEasyStrings* Strings, int Index, bool Fold, std::string& Buffer) {
  Buffer.assign(Strings->GetStrRef(Index));
  if (Strings->OnGetString) {
    Strings->OnGetString(Strings, Buffer, false);
  }
  const int FullLength = static_cast<int>(Buffer.size());
  std::size_t Len = Buffer.size();
  while (Len > 0 && static_cast<unsigned char>(Buffer[Len - 1]) <= ' ') {
    --Len;
  }
  Buffer.resize(Len);
  if (Fold) {
    UpperInPlace(Buffer);
  }
  return FullLength;
}

struct TWordBounds {
  int Start;  // 1-based first character of the word around the match start
  int End;    // 1-based last character of that word
};

TWordBounds WordAround(const std::string& Line, int Pos, const TEasyCharSet& Delimiters) {
  int Start = Pos;
  while (Start > 1 && !InCharSet(Line[static_cast<std::size_t>(Start - 2)], Delimiters)) {
    --Start;
  }
  int End = Pos;
  while (End < static_cast<int>(Line.size()) && !InCharSet(Line[static_cast<std::size_t>(End)], Delimiters)) {
    ++End;
  }
  return {Start, End};
}

// A whole-word match starts at a word's start and ends at a word's end. For a single word this is the same
// as asking that the surrounding word be exactly as long as the match; a phrase is accepted as well.
bool IsWholeWord(const std::string& Line, int Pos, int Len, const TEasyCharSet& Delimiters) {
  if (Pos > 1 && !InCharSet(Line[static_cast<std::size_t>(Pos - 2)], Delimiters)) {
    return false;
  }
  const std::size_t After = static_cast<std::size_t>(Pos - 1 + Len);
  return After >= Line.size() || InCharSet(Line[After], Delimiters);
}
}  // namespace

bool SearchInStrings(const std::string& Text, TEasyStrings* Strings, TEasySearchParams Params,
                     const TEasyCharSet& Delimiters, TPoint& Pos, int& Len, const TEasyMatchFunc& MatchFunc) {
  Len = static_cast<int>(Text.size());
  if (Text.empty() || !Strings || Strings->Count() == 0) {
    return false;
  }
  const bool Fold = !Params.Contains(srpCaseSensitive) && !MatchFunc;
  std::string Searched = Text;
  if (Fold) {
    UpperInPlace(Searched);
  }
  const bool WholeWords = Params.Contains(srpWholeWords);
  std::string Line;
  if (Params.Contains(srpForward)) {
    if (Pos.Y < 0) {
      Pos = TPoint{1, 0};
    }
    while (Pos.Y < Strings->Count()) {
      PrepareLine(Strings, Pos.Y, Fold, Line);
      const int Trimmed = static_cast<int>(Line.size());
      while (Trimmed >= Pos.X || (Trimmed == 0 && Pos.X == 1 && MatchFunc)) {
        bool Found = false;
        if (MatchFunc) {
          Found = MatchFunc(Line, Pos.X, Len, true);
        } else {
          Pos.X = FindPos(Searched, Line, Pos.X);
          Found = Pos.X > 0;
        }
        if (!Found) {
          break;
        }
        if (!WholeWords || Pos.X == 0 || IsWholeWord(Line, Pos.X, Len, Delimiters)) {
          return true;
        }
        const TWordBounds Word = WordAround(Line, Pos.X, Delimiters);
        Pos.X = Word.End == Pos.X ? Word.End + 1 : Word.End;
      }
      ++Pos.Y;
      Pos.X = 1;
    }
    return false;
  }
  if (Pos.Y >= Strings->Count()) {
    Pos.Y = Strings->Count() - 1;
    Pos.X = static_cast<int>(Strings->Get(Pos.Y).size());
  }
  while (Pos.Y >= 0) {
    PrepareLine(Strings, Pos.Y, Fold, Line);
    const int Trimmed = static_cast<int>(Line.size());
    while (Pos.X > 0 || (Trimmed == 0 && Pos.X == 0 && MatchFunc)) {
      if (Pos.X > Trimmed) {
        Pos.X = Trimmed;
      }
      bool Found = false;
      if (MatchFunc) {
        Found = MatchFunc(Line, Pos.X, Len, false);
      } else {
        Pos.X = FindBackPos(Searched, Line, Pos.X);
        Found = Pos.X > 0;
      }
      if (!Found) {
        break;
      }
      if (!WholeWords || Pos.X == 0 || IsWholeWord(Line, Pos.X, Len, Delimiters)) {
        return true;
      }
      Pos.X = WordAround(Line, Pos.X, Delimiters).Start - 1;
    }
    --Pos.Y;
    if (Pos.Y >= 0) {
      Pos.X = static_cast<int>(Strings->Get(Pos.Y).size());
    }
  }
  return false;
}
