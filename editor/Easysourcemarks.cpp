// The edit source's bookmarks, line styles, bracket matching, URL marking and live spelling.
#include "editor/Easyeditsource.h"
#include "editor/Easyutils.h"

#include <climits>
#include <cstring>

// ---- bookmarks ----

void TCustomEasyEditSource::UpdateBookMark(int Line) {
  if (Line >= 0 && Line < FStrings->Count()) {
    LinesUpdated(0, INT_MAX, Line, Line, false);
    State.Include(csBookMarkChanged);
  }
}

void TCustomEasyEditSource::SetBookMark(int Number, const TPoint& Point) {
  Bracket(oprOther, [&] {
    ClearBookmark(Number);
    FBookMarks->SetBookMark(Point, Number);
    UpdateBookMark(Point.Y);
  });
}

void TCustomEasyEditSource::ClearBookmark(int Number) {
  if (Number < 0) {
    return;
  }
  Bracket(oprOther, [&] {
    int Line = 0;
    if (FBookMarks->ClearBookMark(Number, Line)) {
      UpdateBookMark(Line);
    }
  });
}

void TCustomEasyEditSource::ToggleBookMark(int Number, const TPoint& Point) {
  if (Number < 0) {
    return;
  }
  TPoint At;
  if (FindBookMark(Number, At) && At.Y == Point.Y) {
    ClearBookmark(Number);
  } else {
    SetBookMark(Number, Point);
  }
}

void TCustomEasyEditSource::SetLineBookMark(int Line, int Number) {
  if (Number < 0) {
    return;
  }
  Bracket(oprOther, [&] {
    ClearBookmark(Number);
    FBookMarks->SetBookMark(TPoint{0, Line}, Number);
    UpdateBookMark(Line);
  });
}

void TCustomEasyEditSource::GoToBookmark(int Number) {
  TPoint At;
  if (Number < 0 || !FindBookMark(Number, At)) {
    return;
  }
  GoingToBookmark = true;
  try {
    JumpTo(At.X, At.Y);
  } catch (...) {
    GoingToBookmark = false;
    throw;
  }
  GoingToBookmark = false;
}

bool TCustomEasyEditSource::FindBookMark(int Number, TPoint& Point) const {
  int Index = 0;
  if (FBookMarks->FindBookMark(Number, Index)) {
    const TEasyBookMark* M = FBookMarks->Mark(Index);
    Point = TPoint{M->Char, M->Line};
    return true;
  }
  Point = TPoint{-1, -1};
  return false;
}

int TCustomEasyEditSource::MaxBookMarkNumber() const {
  int Result = -1;
  for (int I = 0; I < FBookMarks->Count(); ++I) {
    Result = std::max(Result, FBookMarks->Mark(I)->Number);
  }
  return Result;
}

// ---- line styles ----

int TCustomEasyEditSource::GetLineStyle(int Line) {
  int Index = 0;
  return FLineStyles->FindByKey(Line, Index) ? FLineStyles->Mark(Index)->Number : -1;
}

void TCustomEasyEditSource::SetLineStyle(int Line, int Style) {
  Bracket(oprOther, [&] {
    int Index = 0;
    const bool Has = FLineStyles->FindByKey(Line, Index);
    if (Style < 0) {
      if (Has) {
        FLineStyles->DeleteMark(Index);
      }
    } else if (Has) {
      FLineStyles->Mark(Index)->Number = Style;
    } else {
      FLineStyles->SetBookMark(TPoint{0, Line}, Style);
    }
    State.Include(csLineStyleChanged);
    LinesUpdated(0, INT_MAX, Line, Line, false);
  });
}

void TCustomEasyEditSource::ToggleLineStyle(int Line, int Style) {
  SetLineStyle(Line, GetLineStyle(Line) == Style ? -1 : Style);
}

void TCustomEasyEditSource::UpdatePosition(int DX, int DY) {
  const int X = CurrentPosition.X;
  const int Y = CurrentPosition.Y;
  UpdateBlock(X, Y, DX, DY);
  if (FBookMarks->UpdatePosition(X, Y, DX, DY)) {
    State.Include(csBookMarkChanged);
  }
  if (DY != 0 && FLineStyles->UpdatePosition(X, Y, 0, DY)) {
    State.Include(csLineStyleChanged);
  }
}

// ---- brackets ----

int TCustomEasyEditSource::FindBracket(char Ch, const TPoint& Point, bool Forward) {
  if (Point.Y < 0 || Point.Y >= FStrings->Count()) {
    return 0;
  }
  if (!FBracketStore) {
    FBracketStore.reset(new TEasyStrings());
  }
  FBracketStore->Clear();
  FBracketStore->Add(FStrings->Get(Point.Y));
  TPoint Pos{Point.X, 0};
  int Len = 0;
  TEasySearchParams Params{srpCaseSensitive};
  if (Forward) {
    Params.Include(srpForward);
  }
  return SearchInStrings(std::string(1, Ch), FBracketStore.get(), Params, Delimiters, Pos, Len) ? Pos.X : 0;
}

namespace {
char Partner(char Ch, bool Open) {
  static const char Opens[] = "(<[{";
  static const char Closes[] = ")>]}";
  const char* From = Open ? Opens : Closes;
  const char* To = Open ? Closes : Opens;
  const char* P = std::strchr(From, Ch);
  return (Ch != '\0' && P) ? To[P - From] : '\0';
}
}  // namespace

bool TCustomEasyEditSource::FindCloseBracket(char Ch, TPoint& Point) {
  const char Close = Partner(Ch, true);
  if (!Close) {
    return false;
  }
  int Depth = 1;
  int Y = Point.Y;
  int X = Point.X + 2;  // 1-based column after the bracket
  while (Y >= 0 && Y < FStrings->Count()) {
    const int O = FindBracket(Ch, TPoint{X, Y}, true);
    const int C = FindBracket(Close, TPoint{X, Y}, true);
    if (C > 0 && (O == 0 || C < O)) {
      if (--Depth == 0) {
        Point = TPoint{C - 1, Y};
        return true;
      }
      X = C + 1;
    } else if (O > 0) {
      ++Depth;
      X = O + 1;
    } else {
      ++Y;
      X = 1;
    }
  }
  return false;
}

bool TCustomEasyEditSource::FindOpenBracket(char Ch, TPoint& Point) {
  const char Open = Partner(Ch, false);
  if (!Open) {
    return false;
  }
  int Depth = 1;
  int Y = Point.Y;
  int X = Point.X;  // 1-based column before the bracket
  while (Y >= 0 && Y < FStrings->Count()) {
    const int O = X > 0 ? FindBracket(Open, TPoint{X, Y}, false) : 0;
    const int C = X > 0 ? FindBracket(Ch, TPoint{X, Y}, false) : 0;
    if (O > 0 && O > C) {
      if (--Depth == 0) {
        Point = TPoint{O - 1, Y};
        return true;
      }
      X = O - 1;
    } else if (C > 0) {
      ++Depth;
      X = C - 1;
    } else {
      --Y;
      X = Y >= 0 ? static_cast<int>(FStrings->Get(Y).size()) : 0;
    }
  }
  return false;
}

// ---- URLs and live spelling ----

int TCustomEasyEditSource::GetUrlStyle() const {
  if (UrlStyle >= 0) {
    return UrlStyle;
  }
  return FParser ? 32759 : 8;
}

bool TCustomEasyEditSource::NeedSpell() {
  return AllowParsing() && FOptions.Contains(srLiveSpell) && static_cast<bool>(OnWordSpell);
}

bool TCustomEasyEditSource::NeedUrls() { return AllowParsing() && FOptions.Contains(srHighlightUrls); }

void TCustomEasyEditSource::UpdateSpelling(int Line) {
  if (FOptions.Contains(srLiveSpell)) {
    ParseString(Line, true);
  }
}

void TCustomEasyEditSource::SpellTokensChanged(TObject*) {
  if (!FUpdatingStyles) {
    ParserChanged(this, 0);
  }
}

void TCustomEasyEditSource::DoCheckUrl(const std::string& Text, std::string& Styles) {
  DoCheckUrlRange(Text, Styles, 0, Text.size());
}

void TCustomEasyEditSource::DoCheckUrlRange(const std::string& Text, std::string& Styles, std::size_t From,
                                            std::size_t To) {
  if (Styles.size() != Text.size() * 2) {
    return;
  }
  const TEasyCharSet UrlChars = ValueSet | UrlSet;
  const Word Code = static_cast<Word>(GetUrlStyle());
  const std::size_t N = Text.size();
  std::size_t I = From;
  while (I < To) {
    if (!InCharSet(Text[I], UrlChars)) {
      ++I;
      continue;
    }
    const std::size_t Start = I;
    while (I < N && InCharSet(Text[I], UrlChars)) {
      ++I;
    }
    // The character after the run takes part in the test.
    const std::string_view Candidate(Text.data() + Start, (I < N ? I + 1 : I) - Start);
    if (IsHyperString(Candidate)) {
      for (std::size_t C = Start; C < I; ++C) {
        std::memcpy(Styles.data() + C * 2, &Code, 2);
      }
    }
  }
}

bool TCustomEasyEditSource::CheckWordSpelling(const std::string& Word) {
  if (!OnWordSpell) {
    return true;
  }
  const std::string Trimmed = TrimWord(Word);
  if (Trimmed.empty()) {
    return true;
  }
  bool Correct = true;
  OnWordSpell(this, Trimmed, Correct);
  return Correct;
}

void TCustomEasyEditSource::DoCheckSpelling(int Line, const std::string& Text, std::string& Styles) {
  const int N = static_cast<int>(Text.size());
  if (N == 0 || Styles.size() != Text.size() * 2) {
    return;
  }
  const bool Typing = FUpdateCount > 0 && State.Contains(csEdit) && Line == CurrentPosition.Y;
  int I = 0;
  while (I < N) {
    if (InCharSet(Text[static_cast<std::size_t>(I)], SpellDelimiters)) {
      ++I;
      continue;
    }
    const int Start = I;
    while (I < N && !InCharSet(Text[static_cast<std::size_t>(I)], SpellDelimiters)) {
      ++I;
    }
    // 1-based start Start + 1 and end I.
    if (Typing && Start + 1 <= CurrentPosition.X && I >= CurrentPosition.X) {
      continue;
    }
    Word First = 0;
    std::memcpy(&First, Styles.data() + Start * 2, 2);
    if (FParser && First != 0xFFFF) {
      bool Listed = false;
      for (int T = 0; T < FSpellTokens->Count(); ++T) {
        if (static_cast<int>(reinterpret_cast<NativeInt>(FSpellTokens->Objects(T))) == static_cast<SmallInt>(First)) {
          Listed = true;
          break;
        }
      }
      if (!Listed) {
        continue;
      }
    }
    if (!CheckWordSpelling(Text.substr(static_cast<std::size_t>(Start), static_cast<std::size_t>(I - Start)))) {
      const Word Mark = First == 0xFFFF ? static_cast<Word>(65534) : static_cast<Word>(First + 32767);
      for (int C = Start; C < I; ++C) {
        std::memcpy(Styles.data() + C * 2, &Mark, 2);
      }
    }
  }
}
