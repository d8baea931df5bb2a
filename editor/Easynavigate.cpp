// The edit source's caret: moves, jumps, tab-aware steps, indentation, trailing blanks and words.
#include "editor/Easyeditsource.h"
#include "editor/Easyutils.h"

#include <algorithm>
#include <climits>

int TCustomEasyEditSource::LineLength(int Line) {
  if (Line < 0 || Line >= FStrings->Count()) {
    return 0;
  }
  const std::string& Raw = FStrings->GetStrRef(Line);
  return NeedTabs() ? FTabs->RealPosToPos(Raw, static_cast<int>(Raw.size())) : static_cast<int>(Raw.size());
}

void TCustomEasyEditSource::Navigate(int DX, int DY) {
  if (FUpdateCount == 0) {
    OldPosition = CurrentPosition;
  }
  const int X = CurrentPosition.X;
  const int Y = CurrentPosition.Y;
  if (X + DX < 0) {
    DX = -X;
  }
  if (Y + DY < 0) {
    DY = -Y;
  }
  if (!(FOptions.Contains(srBeyondEof) && !FUsePages)) {
    const int Last = std::max(FStrings->Count() - 1, 0);
    if (Y + DY > Last) {
      DY = Last - Y;
    }
  }
  const int Target = Y + DY;
  const int Length = LineLength(Target);
  if (X + DX > Length) {
    if (FOptions.Contains(srBeyondEol)) {
      // The editors may correct the move (a word-wrapping editor does).
      TEasySourceNotification N{oprNavigate, 0, TPoint{DX, DY}};
      FNotifiers->SendNotification(this, reinterpret_cast<NativeInt>(&N));
      DX = N.Position.X;
      DY = N.Position.Y;
    } else if (!Replaying()) {
      DX = std::max(Length - X, -X);
    }
  }
  if (FOptions.Contains(srAlwaysOnTabs) && NeedTabs() && Target >= 0 && Target < FStrings->Count()) {
    int InTab = 0;
    int Width = 0;
    FTabs->PosToRealPos(FStrings->GetStrRef(Target), X + DX, InTab, Width);
    if (InTab > 0) {
      DX = InTab > (Width + 1) / 2 ? DX + Width - InTab + 1 : DX - InTab;
    }
  }
  if (DX == 0 && DY == 0) {
    return;
  }
  Bracket(oprNavigate, [&] {
    if (DY != 0) {
      RemoveTrailSpaces(!FOptions.Contains(srBeyondEol));
    }
    CurrentPosition.X += DX;
    CurrentPosition.Y += DY;
    if (FOptions.Contains(srAllowUndo) &&
        !(FOptions.Contains(srUndoOnlyChanges) && FUpdateOperation != oprInsert)) {
      AddUndoRecord(oprNavigate, PackMove(DX, DY));
    }
    const int Line = CurrentPosition.Y;
    if (Jumping && Line < FStrings->Count() && FStrings->GetItem(Line)->NotShown) {
      FStrings->ExpandPrev(Line);
    }
  });
}

void TCustomEasyEditSource::JumpTo(int X, int Y) {
  const bool Old = Jumping;
  Jumping = true;
  try {
    Navigate(X - CurrentPosition.X, Y - CurrentPosition.Y);
  } catch (...) {
    Jumping = Old;
    throw;
  }
  Jumping = Old;
}

void TCustomEasyEditSource::MoveLeft() {
  const int X = CurrentPosition.X;
  const int Y = CurrentPosition.Y;
  if (NeedTabs() && (!FOptions.Contains(srCursorThroughTabs) || FOptions.Contains(srAlwaysOnTabs)) && X > 0) {
    int InTab = 0;
    int Width = 0;
    FTabs->PosToRealPos(FStrings->GetStrRef(Y), X - 1, InTab, Width);
    if (InTab > 0) {
      Navigate(-InTab - 1, 0);
      return;
    }
  }
  if (X > 0 || !FOptions.Contains(srMoveUpAtLineBegin)) {
    Navigate(-1, 0);
  } else if (Y > 0) {
    JumpTo(LineLength(Y - 1), Y - 1);
  }
}

void TCustomEasyEditSource::MoveRightEx(bool Force) {
  const int X = CurrentPosition.X;
  const int Y = CurrentPosition.Y;
  if (NeedTabs() && (Force || !FOptions.Contains(srCursorThroughTabs) || FOptions.Contains(srAlwaysOnTabs))) {
    int InTab = 0;
    int Width = 0;
    FTabs->PosToRealPos(FStrings->GetStrRef(Y), X + 1, InTab, Width);
    if (InTab > 0) {
      Navigate(Width - InTab + 2, 0);
      return;
    }
  }
  if (FOptions.Contains(srMoveDownAtLineEnd) && X >= LineLength(Y)) {
    if (Y < FStrings->Count() - 1 || FOptions.Contains(srBeyondEof)) {
      JumpTo(0, Y + 1);
    }
    return;
  }
  Navigate(1, 0);
}

int TCustomEasyEditSource::GetPrevIndent() {
  const int X = CurrentPosition.X;
  int Y = CurrentPosition.Y;
  if (Y <= 0) {
    return 0;
  }
  std::string Line;
  for (--Y; Y >= 0; --Y) {
    Line = FStrings->Get(Y);
    if (Y == 0) {
      break;
    }
    const int First = GetFirstValidChar(Line);
    if (First <= static_cast<int>(Line.size()) && First <= X) {
      break;
    }
  }
  if (Line.empty()) {
    return 0;
  }
  int I = std::min(X, static_cast<int>(Line.size()));  // 1-based index of the character before the caret
  while (I > 0 && Line[static_cast<std::size_t>(I - 1)] == ' ') {
    --I;
  }
  while (I > 0 && Line[static_cast<std::size_t>(I - 1)] != ' ') {
    --I;
  }
  return std::max(I, 0);
}

void TCustomEasyEditSource::DeleteLeft() {
  const int Y = CurrentPosition.Y;
  if (FOptions.Contains(srBackUnindents) && Y < FStrings->Count()) {
    const std::string Line = FStrings->Get(Y);
    const int First = GetFirstValidChar(Line) - 1;  // 0-based column of the first non-blank
    if (First < static_cast<int>(Line.size()) && CurrentPosition.X == First && First > 0) {
      const int P = GetPrevIndent();
      JumpTo(P, Y);
      DeleteString(First - P);
      if (NeedTabs()) {
        const int Now = GetFirstValidChar(FStrings->Get(Y)) - 1;
        if (Now < P) {
          JumpTo(Now, Y);
          InsertString(std::string(static_cast<std::size_t>(P - Now), ' '));
        }
      }
      JumpTo(P, Y);
      return;
    }
  }
  MoveLeft();
  DeleteString(1);
}

void TCustomEasyEditSource::AutoIndentLine(bool Insert, int Column) {
  if (!FOptions.Contains(srAutoIndent)) {
    return;
  }
  if (Insert && Column > 0) {
    std::string Indent;
    if (NeedTabs() && FOptions.Contains(srOptimalFill)) {
      int At = 0;
      while (FTabs->Get(At) <= Column) {
        Indent += '\t';
        At = FTabs->Get(At);
      }
      Indent.append(static_cast<std::size_t>(Column - At), ' ');
    } else {
      Indent.assign(static_cast<std::size_t>(Column), ' ');
    }
    InsertString(Indent);
  }
  JumpTo(Column, CurrentPosition.Y);
}

bool TCustomEasyEditSource::RemoveTrailSpaces(bool Undoable) {
  const int Y = CurrentPosition.Y;
  if (FOptions.Contains(srLeaveTrailSpaces) || Y < 0 || Y >= FStrings->Count()) {
    return false;
  }
  const std::string Raw = FStrings->GetStr(Y);
  const std::string Trimmed = TrimRightEx(Raw);
  if (Trimmed.size() == Raw.size()) {
    return false;
  }
  Bracket(oprDelete, [&] {
    const TEasySourceOptions Saved = FOptions;
    FOptions.Include(srBeyondEol);
    try {
      if (Undoable) {
        const int X = CurrentPosition.X;
        const int From = NeedTabs() ? FTabs->RealPosToPos(Raw, static_cast<int>(Trimmed.size()))
                                    : static_cast<int>(Trimmed.size());
        JumpTo(From, Y);
        DeleteString(LineLength(Y) - From);
        JumpTo(X, Y);
      } else {
        InternalEdit([&] {
          TEasyStringItem* Item = FStrings->GetItem(Y);
          std::string Styles = Item->Styles;
          FStrings->Put(Y, Trimmed);
          if (Styles.size() >= Trimmed.size() * 2) {
            Styles.resize(Trimmed.size() * 2);
            FStrings->GetItem(Y)->Styles = std::move(Styles);
          }
        });
      }
      NeedUpdate(Y);
      LinesUpdated(0, INT_MAX, Y, Y, true);
    } catch (...) {
      FOptions = Saved;
      throw;
    }
    FOptions = Saved;
  });
  return true;
}

bool TCustomEasyEditSource::OutOfText() const { return CurrentPosition.Y >= FStrings->Count(); }

TPoint TCustomEasyEditSource::GetCharacterPos() {
  TPoint P = CurrentPosition;
  if (NeedTabs() && P.Y >= 0 && P.Y < FStrings->Count()) {
    P.X = FTabs->PosToRealPos(FStrings->GetStrRef(P.Y), P.X);
  }
  return P;
}

int TCustomEasyEditSource::GetRealPos(int Line, int Index) {
  if (!NeedTabs() || Line < 0 || Line >= FStrings->Count()) {
    return Index;
  }
  return FTabs->RealPosToPos(FStrings->GetStrRef(Line), Index);
}

bool TCustomEasyEditSource::IsDelimiter(const std::string& Text, int Index) const {
  return Index >= 1 && Index <= static_cast<int>(Text.size()) &&
         InCharSet(Text[static_cast<std::size_t>(Index - 1)], Delimiters);
}

void TCustomEasyEditSource::GetWord(const TPoint& Position, int& Start, int& End, TEasyWordSelection Type) {
  Start = 0;
  End = 0;
  const std::string S = FStrings->Get(Position.Y);
  const int Len = static_cast<int>(S.size());
  if (Len == 0) {
    return;
  }
  auto At = [&](int I) { return S[static_cast<std::size_t>(I - 1)]; };
  auto Delim = [&](int I) { return IsDelimiter(S, I); };
  int I = std::min(Position.X + 1, Len);
  while (I >= 1 && Delim(I)) {
    --I;
  }
  if (I >= 1 && At(I) != '\x01') {
    while (I > 1 && !Delim(I - 1) && At(I - 1) != '\x01') {
      --I;
    }
  }
  if (I < 1) {
    I = 1;
  }
  while (I <= Len && Delim(I)) {
    ++I;
  }
  if (I > Len) {
    return;
  }
  Start = I;
  if (At(I) != '\x01') {
    while (I < Len && !Delim(I + 1) && At(I + 1) != '\x01') {
      ++I;
    }
  }
  if (Type == wsWordAndSpace) {
    if (I < Len && At(I + 1) == ' ') {
      ++I;
    }
  } else if (Type == wsToNextWord) {
    while (I < Len && Delim(I + 1)) {
      ++I;
    }
  }
  End = I;
}

std::string TCustomEasyEditSource::GetTextAt(const TPoint& Position, bool OnlyOnWord) {
  if (OnlyOnWord) {
    const std::string S = FStrings->Get(Position.Y);
    if (Position.X < 0 || Position.X >= static_cast<int>(S.size()) || IsDelimiter(S, Position.X + 1)) {
      return std::string();
    }
  }
  int Start = 0;
  int End = 0;
  GetWord(Position, Start, End, wsWord);
  if (Start == 0) {
    return std::string();
  }
  return FStrings->Get(Position.Y).substr(static_cast<std::size_t>(Start - 1), static_cast<std::size_t>(End - Start + 1));
}
