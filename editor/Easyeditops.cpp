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
      std::string Line = FStrings->GetStr(Y);
      int InTab = 0;
      int TabWidth = 0;
      const int N = NeedTabs() ? FTabs->PosToRealPos(Line, X, InTab, TabWidth) : X;
      // Inside a tab's expansion the text goes before the tab, after blanks up to the caret column.
      const std::string Inserted = std::string(static_cast<std::size_t>(std::max(InTab, 0)), ' ') + Text;
      const int PadTo = N;
      AddTrailSpaces(Line, PadTo);
      Line.insert(static_cast<std::size_t>(N), Inserted);
      TEasyStringItem* Item = FStrings->GetItem(Y);
      std::string NewStyles;
      const bool KeepStyles = !Item->Styles.empty() || !Styles.empty();
      if (KeepStyles) {
        NewStyles = Item->Styles;
        const std::size_t Old = Item->Text.size();
        if (NewStyles.size() < Old * 2) {
          NewStyles += NoStyles(Old - NewStyles.size() / 2);
        }
        NewStyles.resize(Old * 2);
        if (NewStyles.size() < static_cast<std::size_t>(N) * 2) {
          NewStyles += NoStyles(static_cast<std::size_t>(N) - NewStyles.size() / 2);
        }
        std::string Piece = NoStyles(static_cast<std::size_t>(std::max(InTab, 0)));
        std::string Given = Styles.substr(0, Text.size() * 2);
        Given += NoStyles(Text.size() - Given.size() / 2);
        Piece += Given;
        NewStyles.insert(static_cast<std::size_t>(N) * 2, Piece);
      }
      BeforeTextChanged(N, Y, oprInsert, static_cast<int>(Inserted.size()), Styles);
      FStrings->Put(Y, Line);
      if (KeepStyles) {
        FStrings->GetItem(Y)->Styles = std::move(NewStyles);
      }
      AfterTextChanged(N, Y, oprInsert);
      // Touch the line before lexing it, so that editors hear of the change even when lexing fails.
      LinesUpdated(X, INT_MAX, Y, Y, true);
      if (NeedUpdate(Y)) {
        LinesUpdated(X, INT_MAX, Y, INT_MAX, true);
      }
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
      std::string Line = FStrings->GetStr(Y);
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
      TEasyStringItem* Item = FStrings->GetItem(Y);
      std::string Styles = Item->Styles;
      std::string DeletedStyles;
      if (Styles.size() >= static_cast<std::size_t>(Q + Len) * 2) {
        DeletedStyles = Styles.substr(static_cast<std::size_t>(Q) * 2, static_cast<std::size_t>(Len) * 2);
        Styles.erase(static_cast<std::size_t>(Q) * 2, static_cast<std::size_t>(Len) * 2);
      } else {
        Styles.clear();
      }
      if (FOptions.Contains(srAllowUndo)) {
        auto* Rec = new TStoreStringRec{Line.substr(static_cast<std::size_t>(Q), static_cast<std::size_t>(Len)),
                                        DeletedStyles, CurrentPosition, 0};
        AddUndoRecord(oprDelete, reinterpret_cast<NativeInt>(Rec));
      }
      Line.erase(static_cast<std::size_t>(Q), static_cast<std::size_t>(Len));
      BeforeTextChanged(Q, Y, oprDelete, Len, std::string());
      FStrings->Put(Y, Line);
      FStrings->GetItem(Y)->Styles = std::move(Styles);
      AfterTextChanged(Q, Y, oprDelete);
      LinesUpdated(X, INT_MAX, Y, Y, true);
      if (NeedUpdate(Y)) {
        LinesUpdated(X, INT_MAX, Y, INT_MAX, true);
      }
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
  std::string& Target = FStrings->GetItem(Line)->Styles;
  const std::size_t Need = static_cast<std::size_t>(Position.X + Count) * 2;
  if (Target.size() < Need) {
    Target += NoStyles((Need - Target.size()) / 2);
  }
  Target.replace(static_cast<std::size_t>(Position.X) * 2, static_cast<std::size_t>(Count) * 2, Styles, 0,
                 static_cast<std::size_t>(Count) * 2);
}
