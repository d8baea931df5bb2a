// The edit source's text operations: insert, delete, join, break, whole lines, clearing and style data.
#include "editor/Easyeditsource.h"
#include "editor/Easyutils.h"

#include <algorithm>
#include <climits>

namespace {
const std::string NoStyleCode("\xFF\xFF", 2);

std::string NoStyles(std::size_t Count) {
  std::string S;
  S.reserve(Count * 2);
  for (std::size_t I = 0; I < Count; ++I) {
    S += NoStyleCode;
  }
  return S;
}
}  // namespace

void TCustomEasyEditSource::CheckLastLine() {
  if (CurrentPosition.Y < FStrings->Count()) {
    return;
  }
  InternalEdit([&] {
    while (FStrings->Count() <= CurrentPosition.Y) {
      FStrings->Add(std::string());
    }
  });
  LinesUpdated(0, INT_MAX, CurrentPosition.Y, CurrentPosition.Y, true);
}

void TCustomEasyEditSource::InsertStringWithData(const std::string& Text, const std::string& Styles) {
  if (ReadOnly()) {
    return;
  }
  InternalEdit([&] {
    Bracket(oprInsert, [&] {
      CheckLastLine();
      const int X = CurrentPosition.X;
      const int Y = CurrentPosition.Y;
      int InTab = 0;
      int TabWidth = 0;
      const int N = NeedTabs() ? FTabs->PosToRealPos(FStrings->GetStrRef(Y), X, InTab, TabWidth) : X;
      // Inside a tab's expansion the text goes before the tab, after blanks up to the caret column.
      const std::string Inserted = std::string(static_cast<std::size_t>(std::max(InTab, 0)), ' ') + Text;
      const std::size_t At = static_cast<std::size_t>(N);
      BeforeTextChanged(N, Y, oprInsert, static_cast<int>(Inserted.size()), Styles);
      TEasyStringItem* Item = FStrings->GetItem(Y);
      const std::size_t Old = Item->Text.size();
      const bool KeepStyles = !Item->Styles.empty() || !Styles.empty();
      // A long line is lexed again only around the change.
      BeginSplice(Y, static_cast<int>(std::min(At, Old)), 0);
      TSpliceScope Scope(*this);
      // The line and its styles are edited in place: a long line is moved once, not copied.
      FStrings->PutWith(Y, [&](std::string& Line) {
        if (Line.size() < At) {
          Line.resize(At, ' ');
        }
        Line.insert(At, Inserted);
      });
      if (KeepStyles) {
        std::string& NewStyles = FStrings->GetItem(Y)->Styles.Mutable();
        NewStyles.resize(Old * 2, '\xFF');
        NewStyles.resize(std::max(Old, At) * 2, '\xFF');
        std::string Piece = NoStyles(static_cast<std::size_t>(std::max(InTab, 0)));
        Piece.append(Styles, 0, std::min(Styles.size(), Text.size() * 2));
        Piece.resize(Inserted.size() * 2, '\xFF');
        NewStyles.insert(At * 2, Piece);
      }
      AfterTextChanged(N, Y, oprInsert);
      // Touch the line before lexing it, so that editors hear of the change even when lexing fails.
      LinesUpdated(X, INT_MAX, Y, Y, true);
      if (NeedUpdate(Y)) {
        LinesUpdated(X, INT_MAX, Y, INT_MAX, true);
      }
      EndSplice();
      if (FOptions.Contains(srAllowUndo)) {
        if (InTab <= 0) {
          AddUndoRecordEx(oprInsert, static_cast<NativeInt>(Inserted.size()));
        } else {
          LockUndo();
          AddUndoRecord(oprNavigate, PackMove(-InTab, 0));
          AddUndoRecordEx(oprInsert, static_cast<NativeInt>(Inserted.size()));
          AddUndoRecord(oprNavigate, PackMove(InTab, 0));
          UnlockUndo();
        }
      }
      UpdatePosition(static_cast<int>(Inserted.size()), 0);
      UpdateSpelling(Y);
    });
  });
}

void TCustomEasyEditSource::DeleteString(int Count) {
  if (ReadOnly()) {
    return;
  }
  if (NeedTabs() && !Replaying() && CurrentPosition.Y < FStrings->Count()) {
    int InTab = 0;
    int TabWidth = 0;
    FTabs->PosToRealPos(FStrings->GetStrRef(CurrentPosition.Y), CurrentPosition.X, InTab, TabWidth);
    if (InTab > 0) {
      // Inside a tab: turn the part of the tab before the caret into blanks first, as one undo step.
      LockUndo();
      try {
        Navigate(-InTab, 0);
        InsertString(std::string(static_cast<std::size_t>(InTab), ' '));
        Navigate(InTab, 0);
        DeleteChars(Count);
      } catch (...) {
        UnlockUndo();
        throw;
      }
      UnlockUndo();
      return;
    }
  }
  DeleteChars(Count);
}

void TCustomEasyEditSource::DeleteChars(int Count) {
  InternalEdit([&] {
    Bracket(oprDelete, [&] {
      const int X = CurrentPosition.X;
      const int Y = CurrentPosition.Y;
      if (Y >= FStrings->Count() || Count <= 0) {
        return;
      }
      const std::string& Line = FStrings->GetStrRef(Y);
      const int Length = static_cast<int>(Line.size());
      int InTab = 0;
      int TabWidth = 0;
      const int Q = NeedTabs() ? FTabs->PosToRealPos(Line, X, InTab, TabWidth) : X;
      if (Q >= Length) {
        return;
      }
      int Len = Count;
      if (Count == INT_MAX) {
        Len = Length - Q;
      } else if (NeedTabs() && !Replaying()) {
        int EndInTab = 0;
        const int EndIndex = FTabs->PosToRealPos(Line, X + Count, EndInTab, TabWidth);
        Len = EndIndex - Q + (EndInTab > 0 ? 1 : 0);
      }
      Len = std::min(Len, Length - Q);
      if (Len <= 0) {
        return;
      }
      const std::size_t From = static_cast<std::size_t>(Q);
      const std::size_t Cut = static_cast<std::size_t>(Len);
      TEasyStringItem* Item = FStrings->GetItem(Y);
      const bool StylesCover = Item->Styles.size() >= (From + Cut) * 2;
      std::string DeletedStyles;
      if (StylesCover) {
        DeletedStyles = Item->Styles.substr(From * 2, Cut * 2);
      }
      if (FOptions.Contains(srAllowUndo)) {
        auto* Rec = new TStoreStringRec{Line.substr(From, Cut), DeletedStyles, CurrentPosition, 0};
        AddUndoRecord(oprDelete, reinterpret_cast<NativeInt>(Rec));
      }
      BeforeTextChanged(Q, Y, oprDelete, Len, std::string());
      BeginSplice(Y, Q, Len);
      TSpliceScope Scope(*this);
      // The line and its styles are edited in place: a long line is moved once, not copied.
      FStrings->PutWith(Y, [&](std::string& Text) { Text.erase(From, Cut); });
      std::string& Styles = FStrings->GetItem(Y)->Styles.Mutable();
      if (StylesCover) {
        Styles.erase(From * 2, Cut * 2);
      } else {
        Styles.clear();
      }
      AfterTextChanged(Q, Y, oprDelete);
      LinesUpdated(X, INT_MAX, Y, Y, true);
      if (NeedUpdate(Y)) {
        LinesUpdated(X, INT_MAX, Y, INT_MAX, true);
      }
      EndSplice();
      UpdatePosition(-Len, 0);
      UpdateSpelling(Y);
    });
  });
}

void TCustomEasyEditSource::JoinStrings() {
  if (ReadOnly()) {
    return;
  }
  const int Y = CurrentPosition.Y;
  if (FStrings->Count() <= 1 || Y >= FStrings->Count() - 1 || Y < 0) {
    return;
  }
  const std::string& Raw = FStrings->GetStrRef(Y);
  const int C = NeedTabs() ? FTabs->PosToRealPos(Raw, CurrentPosition.X) : CurrentPosition.X;
  int Length = static_cast<int>(Raw.size());
  // While undoing a break, blanks the break left beyond the caret are dropped first.
  const bool CutBlanks = Replaying() && C < Length && Raw.find_first_not_of(' ', static_cast<std::size_t>(C)) == std::string::npos;
  if (CutBlanks) {
    Length = C;
  }
  if (C + 1 < Length) {
    return;
  }
  if (C < Length) {
    // On the line's last character: join at the line end, so that breaking at the caret undoes it.
    Bracket(oprJoin, [&] {
      Navigate(LineLength(Y) - CurrentPosition.X, 0);
      JoinStrings();
    });
    return;
  }
  InternalEdit([&] {
    Bracket(oprJoin, [&] {
      std::string Line = FStrings->GetStr(Y);
      const int Cut = C;
      if (CutBlanks) {
        Line.resize(static_cast<std::size_t>(Cut));
      }
      const int OldLength = static_cast<int>(Line.size());
      const int Pad = std::max(Cut - OldLength, 0);
      TEasyStringItem* Item = FStrings->GetItem(Y);
      TEasyStringItem* Next = FStrings->GetItem(Y + 1);
      std::string Styles;
      const bool KeepStyles = !Item->Styles.empty() || !Next->Styles.empty();
      if (KeepStyles) {
        Styles = Item->Styles.substr(0, static_cast<std::size_t>(OldLength) * 2);
        Styles += NoStyles(static_cast<std::size_t>(OldLength + Pad) - Styles.size() / 2);
        std::string NextStyles = Next->Styles.substr(0, Next->Text.size() * 2);
        NextStyles += NoStyles(Next->Text.size() - NextStyles.size() / 2);
        Styles += NextStyles;
      }
      Line.append(static_cast<std::size_t>(Pad), ' ');
      Line += Next->Text;
      FStrings->Put(Y, Line);
      if (KeepStyles) {
        FStrings->GetItem(Y)->Styles = std::move(Styles);
      }
      FStrings->Delete(Y + 1);
      if (FOptions.Contains(srAllowUndo)) {
        AddUndoRecordEx(oprJoin, 0);
      }
      AfterTextChanged(Cut, Y, oprJoin);
      LinesUpdated(Cut, INT_MAX, Y, INT_MAX, true);
      NeedUpdate(Y);
      UpdatePosition(OldLength + Pad, -1);
    });
  });
}

void TCustomEasyEditSource::BreakString() {
  if (ReadOnly()) {
    return;
  }
  if (FStrings->Count() == 0) {
    InternalEdit([&] { FStrings->Add(std::string()); });
  }
  const int Y = CurrentPosition.Y;
  if (Y > FStrings->Count() - 1 || Y < 0) {
    return;
  }
  InternalEdit([&] {
    Bracket(oprBreak, [&] {
      const int X = CurrentPosition.X;
      FStrings->Insert(Y + 1, std::string());
      TEasyStringItem* Item = FStrings->GetItem(Y);
      if ((Item->Flags & (sfHidden | sfExpanded | sfCollapsed)) != 0) {
        FStrings->SetVisible(Y + 1, false);
        FStrings->SetLevel(Y + 1, Item->Level);
      }
      const std::string Line = Item->Text;
      int InTab = 0;
      int TabWidth = 0;
      int C = NeedTabs() ? FTabs->PosToRealPos(Line, X, InTab, TabWidth) : X;
      if (InTab > 0) {
        ++C;
      }
      const int Length = static_cast<int>(Line.size());
      if (C < Length) {
        std::string Styles = Item->Styles;
        FStrings->Put(Y + 1, Line.substr(static_cast<std::size_t>(C)));
        FStrings->Put(Y, Line.substr(0, static_cast<std::size_t>(C)));
        if (Styles.size() == Line.size() * 2) {
          FStrings->GetItem(Y + 1)->Styles = Styles.substr(static_cast<std::size_t>(C) * 2);
          Styles.resize(static_cast<std::size_t>(C) * 2);
          FStrings->GetItem(Y)->Styles = std::move(Styles);
        } else {
          FStrings->GetItem(Y)->Styles.clear();
        }
      }
      if (FOptions.Contains(srAllowUndo)) {
        AddUndoRecordEx(oprBreak, 0);
      }
      AfterTextChanged(C, Y, oprBreak);
      LinesUpdated(X, INT_MAX, Y, INT_MAX, true);
      NeedUpdate(Y);
      UpdatePosition(-std::min(C, Length), 1);
      if (!Replaying()) {
        RemoveTrailSpaces(true);
      }
    });
  });
}

void TCustomEasyEditSource::AddString(int Index, const std::string& Text) {
  Bracket(oprInsert, [&] {
    if (Index <= 0) {
      JumpTo(0, 0);
    } else {
      JumpTo(LineLength(Index - 1), Index - 1);
    }
    BreakString();
    JumpTo(0, Index);
    InsertString(Text);
  });
}

void TCustomEasyEditSource::Clear() {
  Bracket(oprOther, [&] {
    FStrings->Clear();
    if (FBookMarks->Count() > 0) {
      FBookMarks->Clear();
      State.Include(csBookMarkChanged);
    }
    if (FLineStyles->Count() > 0) {
      FLineStyles->Clear();
      State.Include(csLineStyleChanged);
    }
  });
}

void TCustomEasyEditSource::StringDataChanged(int X, int Line, int Count, const std::string&) {
  if (!FOptions.Contains(srAllowUndo) || Line < 0 || Line >= FStrings->Count() || Count <= 0) {
    return;
  }
  std::string Old;
  for (int I = 0; I < Count; ++I) {
    const int Code = FStrings->GetData(Line, X + I + 1);
    const Word W = static_cast<Word>(Code);
    Old.append(reinterpret_cast<const char*>(&W), 2);
  }
  AddUndoRecord(oprUpdateData, reinterpret_cast<NativeInt>(new TStoreStringRec{std::string(), Old, TPoint{X, Line}, 0}));
}

void TCustomEasyEditSource::UpdateStringData(const TPoint& Position, const std::string& Styles) {
  const int Line = Position.Y;
  if (Line < 0 || Line >= FStrings->Count() || Position.X < 0) {
    return;
  }
  const int Count = static_cast<int>(Styles.size() / 2);
  StringDataChanged(Position.X, Line, Count, Styles);
  FStrings->GetItem(Line)->LexPoints.reset();  // the styles are no longer what lexing gave
  std::string& Target = FStrings->GetItem(Line)->Styles.Mutable();
  const std::size_t Need = static_cast<std::size_t>(Position.X + Count) * 2;
  if (Target.size() < Need) {
    Target += NoStyles((Need - Target.size()) / 2);
  }
  Target.replace(static_cast<std::size_t>(Position.X) * 2, static_cast<std::size_t>(Count) * 2, Styles, 0,
                 static_cast<std::size_t>(Count) * 2);
}
