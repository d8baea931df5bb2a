// The memo source's five editing primitives: caret moves, insertion, deletion within a line, line breaks and
// joins. Each records itself for undo, shifts the tracked positions and marks, and re-colours its line.
#include "codeeditor/Dcstring.h"

#include <algorithm>

namespace Dcstring {

namespace {
bool IsBlank(char C) { return static_cast<Byte>(C) <= ' '; }

std::string TrimRightBlanks(const std::string& S) {
  std::size_t N = S.size();
  while (N > 0 && IsBlank(S[N - 1])) {
    --N;
  }
  return S.substr(0, N);
}
}  // namespace

bool TCustomMemoSource::LineHasTabs(const TStringItem* Item) {
  if (Item == FTabFreeItem && Item->Text.data() == FTabFreeData && Item->Text.size() == FTabFreeSize) {
    return false;
  }
  if (Item->Text.find('\t') != std::string::npos) {
    return true;
  }
  NoteTabFree(Item);
  return false;
}

Integer TCustomMemoSource::DisplayLength(Integer Line) {
  const TStringItem* Item = GetStringItem(Line);
  if (Item == nullptr) {
    return 0;
  }
  if (!LineHasTabs(Item)) {
    return static_cast<Integer>(Item->Text.size());
  }
  return static_cast<Integer>(ExpandTabString(Item->Text).size());
}

void TCustomMemoSource::Navigate(Integer DeltaLine, Integer DeltaChar) {
  if (OnGetPosition) {
    OnGetPosition(this, DeltaLine, DeltaChar);
  }
  const Integer Line = GetCurLine();
  const Integer Col = GetCurChar();
  DeltaLine = std::max(DeltaLine, -Line);
  DeltaChar = std::max(DeltaChar, -Col);
  if (!FOptions.Contains(soBeyondFileEnd)) {
    const Integer Last = std::max<Integer>(GetStrCount() - 1, 0);
    if (Line + DeltaLine > Last) {
      DeltaLine = Last - Line;
    }
  }
  const Integer Target = Line + DeltaLine;
  if (FOptions.Contains(soLimitEOL)) {
    const Integer Len = DisplayLength(Target);
    if (Col + DeltaChar > Len) {
      DeltaChar = std::max(Len - Col, -Col);
    }
  }
  if (FOptions.Contains(soCursorAlwaysOnTabs)) {
    CheckDeltaChar(Target, Col, DeltaChar);
  }
  if (DeltaLine == 0 && DeltaChar == 0 && !BookmarkJump) {
    return;
  }
  BeginUpdate(Reason::Navigate);
  try {
    if (DeltaLine != 0) {
      DiscardTrailingTabs(false);
    }
    if (FAllowUndo) {
      if (TUndoRecord* R = CreateNewUndoRecord(soNavigate)) {
        R->Value1 = DeltaLine;
        R->Value2 = DeltaChar;
      }
    }
    FCaretPos->SetPosition(Col + DeltaChar, Target);
    if (FJumping && !GetLineVisible(Target)) {
      ExpandPrevLine(Target);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

bool TCustomMemoSource::Insert(const std::string& S) { return InsertEx(S, std::string(), nullptr); }

bool TCustomMemoSource::InsertEx(const std::string& S, const std::string& ColorS, Integer* Inserted) {
  if (Inserted != nullptr) {
    *Inserted = 0;
  }
  if (S.empty()) {
    return false;
  }
  if (GetReadOnly()) {
    return false;
  }
  const Integer Line = GetCurLine();
  const Integer Col = GetCurChar();
  while (Line >= GetStrCount()) {
    GetStringsInsert(GetStrCount(), "");
    UpdateChanged(GetStrCount() - 1, GetStrCount() - 1);
  }
  if (ReadOnlyLine()) {
    return false;
  }
  BeginUpdate(Reason::Insert);
  try {
    const bool Colors = StoreColorData();
    const Byte Attr = Colors ? GetAttr(GetCaretPoint()) : 0;
    TStringItem* Item = GetStringItem(Line);
    const bool HasTabs = LineHasTabs(Item);
    // The line's strings move out and back, so typing into a long line copies nothing.
    std::string Raw = std::move(Item->Text);
    std::string Colour = std::move(Item->ColorData);
    if (Colors) {
      Colour.resize(Raw.size(), '\0');
    }
    const Integer OldDisplay =
        HasTabs ? static_cast<Integer>(ExpandTabString(Raw).size()) : static_cast<Integer>(Raw.size());
    bool Padded = false;
    if (Col > OldDisplay) {
      Raw.append(static_cast<std::size_t>(Col - OldDisplay), ' ');
      if (Colors) {
        Colour.append(static_cast<std::size_t>(Col - OldDisplay), static_cast<char>(Attr));
      }
      Padded = true;
    }
    std::string Text = S;
    std::string TextColour;
    if (Colors) {
      if (!ColorS.empty()) {
        TextColour = ColorS;
        TextColour.resize(Text.size(), '\0');
      } else {
        TextColour.assign(Text.size(), static_cast<char>(Attr));
      }
    }
    // The stored index of the caret; inside a tab's expansion the text goes before the tab, after blanks that
    // keep it at the caret column.
    Integer Index = Col;
    Integer Prefix = 0;
    if (HasTabs) {
      Integer Disp = 0;
      Index = static_cast<Integer>(Raw.size());
      for (Integer I = 0; I < static_cast<Integer>(Raw.size()); ++I) {
        if (Disp >= Col) {
          Index = I;
          break;
        }
        Integer W = 1;
        if (Raw[static_cast<std::size_t>(I)] == '\t') {
          W = TabWidthAt(Disp);
          if (Col < Disp + W) {
            Index = I;
            Prefix = Col - Disp;
            break;
          }
        }
        Disp += W;
      }
      if (Prefix > 0) {
        Text.insert(0, static_cast<std::size_t>(Prefix), ' ');
        if (Colors) {
          TextColour.insert(0, static_cast<std::size_t>(Prefix), TextColour.empty() ? '\0' : TextColour[0]);
        }
      }
    }
    Raw.insert(static_cast<std::size_t>(Index), Text);
    if (Colors) {
      Colour.insert(static_cast<std::size_t>(Index), TextColour);
    }
    Item->ColorData = std::move(Colour);
    Item->Text = std::move(Raw);
    const std::string& NewRaw = Item->Text;
    Item->ItemState.Exclude(isWasParsed);
    const bool NewTabs = HasTabs || Text.find('\t') != std::string::npos;
    if (!NewTabs) {
      NoteTabFree(Item);
    }
    const std::string NewDisplay = NewTabs ? ExpandTabString(NewRaw) : std::string();
    const Integer NewLen = NewTabs ? static_cast<Integer>(NewDisplay.size()) : static_cast<Integer>(NewRaw.size());
    Integer Width;
    if (Padded) {
      Width = NewLen - Col;
    } else {
      Width = NewLen - OldDisplay;
    }
    if (!Padded && Text.find_first_not_of(' ') == std::string::npos) {
      // Blanks typed at the end of a line move nothing that stands after them.
      const Integer TrimmedNew = static_cast<Integer>(TrimRightBlanks(NewTabs ? NewDisplay : NewRaw).size());
      if (TrimmedNew <= Col) {
        Width = 0;
      }
    }
    // Blanks padded up to the caret are recorded with the text, so that undo takes them away again.
    const Integer Pad = Padded ? Col - OldDisplay : 0;
    if (Pad > 0) {
      Prefix = Pad;
    }
    const Integer Len = static_cast<Integer>(Text.size()) + Pad;
    if (Prefix == 0) {
      if (TUndoRecord* R = CreateNewUndoRecord(soInsert)) {
        R->Value1 = Len;
      }
    } else if (FAllowUndo) {
      BeginUndoBlock();
      if (TUndoRecord* R = CreateNewUndoRecord(soNavigate)) {
        R->Value2 = -Prefix;
      }
      if (TUndoRecord* R = CreateNewUndoRecord(soInsert)) {
        R->Value1 = Len;
      }
      if (TUndoRecord* R = CreateNewUndoRecord(soNavigate)) {
        R->Value2 = Prefix;
      }
      EndUndoBlock();
    }
    FBookMarks->CharChanged(Line, Col, Width);
    UpdatePositions(soInsert, Width);
    UpdateChanged(Line, Line);
    const bool Recalc = UpdateString(Line);
    MaxLineAfterInsert(Line, Recalc);
    if (Inserted != nullptr) {
      *Inserted = NewTabs ? Width : static_cast<Integer>(S.size());
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return true;
}

void TCustomMemoSource::MaxLineAfterInsert(Integer Line, bool Recalc) {
  if (!FMaxLineTracking) {
    return;
  }
  if (Recalc) {
    ReCalculateMaxLine();
    return;
  }
  const Integer Len = GetMaxLen(Line);
  if (Len >= MaxLineLength) {
    MaxLineLength = Len;
    MaxLineIndex = Line;
  }
}

void TCustomMemoSource::DeleteRight(Integer Count) {
  const Integer Line = GetCurLine();
  if (Count <= 0 || Line >= GetStrCount() || ReadOnlyLine()) {
    return;
  }
  if (GetCurChar() >= DisplayLength(Line)) {
    return;
  }
  BeginUpdate(Reason::DeleteRight);
  try {
    TStringItem* Item = GetStringItem(Line);
    Integer Col = GetCurChar();
    const bool Tabs = LineHasTabs(Item);
    if (Tabs) {
      // Inside a tab's expansion the part left of the caret becomes blanks first.
      Integer Delta = 0;
      const Integer Index = GetRealTabIndex(Item->Text, Col);
      const Integer TabStart = Index > 0 ? GetRelativeTabIndex(Item->Text, Index - 1) : 0;
      if (Index > 0 && Item->Text[static_cast<std::size_t>(Index - 1)] == '\t' && TabStart < Col &&
          Col < GetRelativeTabIndex(Item->Text, Index)) {
        Delta = Col - TabStart;
        BeginUndoBlock();
        Navigate(0, -Delta);
        Insert(std::string(static_cast<std::size_t>(Delta), ' '));
        Navigate(0, Delta);
        EndUndoBlock();
        Item = GetStringItem(Line);
        Col = GetCurChar();
      }
    }
    const Integer Index = Tabs ? GetRealTabIndex(Item->Text, Col) : Col;
    const Integer Avail = static_cast<Integer>(Item->Text.size()) - Index;
    const Integer Cut = std::min(Count, Avail);
    if (Cut > 0) {
      const bool Colors = StoreColorData();
      const Integer EndDisplay = Tabs ? GetRelativeTabIndex(Item->Text, Index + Cut) : Index + Cut;
      const Integer Width = EndDisplay - Col;
      const Integer OldEndState = Item->EndState;
      const bool WasLongest = MaxLineIndex == Line;
      std::string Removed = Item->Text.substr(static_cast<std::size_t>(Index), static_cast<std::size_t>(Cut));
      std::string RemovedColour;
      if (Colors) {
        CheckStringItem(Item);
        RemovedColour = Item->ColorData.substr(static_cast<std::size_t>(Index), static_cast<std::size_t>(Cut));
        Item->ColorData.erase(static_cast<std::size_t>(Index), static_cast<std::size_t>(Cut));
      }
      Item->Text.erase(static_cast<std::size_t>(Index), static_cast<std::size_t>(Cut));
      Item->ItemState.Exclude(isWasParsed);
      if (!Tabs) {
        NoteTabFree(Item);
      }
      if (TUndoRecord* R = CreateNewUndoRecord(soDeleteRight)) {
        R->Text = std::move(Removed);
        R->ColorText = std::move(RemovedColour);
      }
      UpdateChanged(Line, Line);
      DeleteLastEmptyLine();
      UpdatePositions(soDeleteRight, Width);
      FBookMarks->CharChanged(Line, Col, -Width);
      const bool Recalc = UpdateString(Line);
      if (FMaxLineTracking) {
        const TStringItem* After = GetStringItem(Line);
        if (Recalc || WasLongest || (After != nullptr && After->EndState != OldEndState)) {
          ReCalculateMaxLine();
        }
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomMemoSource::DeleteLastEmptyLine() {
  if (GetStrCount() == 1 && GetStringItem(0)->Text.empty()) {
    GetStringsDelete(0);
    UpdateChanged(0, 0);
  }
}

void TCustomMemoSource::BreakLine() {
  if (GetStrCount() == 0) {
    GetStringsInsert(0, "");
  }
  const Integer Line = GetCurLine();
  if (Line >= GetStrCount() || ReadOnlyLine()) {
    return;
  }
  BeginUpdate(Reason::BreakLine);
  try {
    if (GetCollapseState(Line) == csCollapsed) {
      SetCollapseState(Line, csExpanded);
    }
    Integer Col = GetCurChar();
    {
      // Inside a tab's expansion the part left of the caret becomes blanks first, so the line breaks before
      // the tab and a join at the caret undoes the break.
      const std::string& Raw = GetStringItem(Line)->Text;
      const Integer Index = GetRealTabIndex(Raw, Col);
      if (Index > 0 && Index <= static_cast<Integer>(Raw.size()) && Raw[static_cast<std::size_t>(Index - 1)] == '\t') {
        const Integer TabStart = GetRelativeTabIndex(Raw, Index - 1);
        if (TabStart < Col && Col < GetRelativeTabIndex(Raw, Index)) {
          const Integer Delta = Col - TabStart;
          BeginUndoBlock();
          Navigate(0, -Delta);
          Insert(std::string(static_cast<std::size_t>(Delta), ' '));
          Navigate(0, Delta);
          EndUndoBlock();
          Col = GetCurChar();
        }
      }
    }
    GetStringsInsert(Line + 1, "");
    TStringItem* Item = GetStringItem(Line);
    TStringItem* NewItem = GetStringItem(Line + 1);
    if (Item->ItemState.Contains(isHidden) || Item->ItemState.Contains(isExpanded) ||
        Item->ItemState.Contains(isCollapsed)) {
      NewItem->ItemState.Include(isHidden);
    }
    const bool WasEmpty = Item->Text.empty();
    const Integer Index = std::min<Integer>(GetRealTabIndex(Item->Text, Col), static_cast<Integer>(Item->Text.size()));
    const bool Colors = StoreColorData();
    if (Colors) {
      CheckStringItem(Item);
      if (!State.Contains(msUndo) && !ImportFlag) {
        const std::string Aligned = GetStoredColorData(Line);
        CurrentAttr = Aligned.empty() ? 0
                                      : static_cast<Byte>(Aligned[static_cast<std::size_t>(std::clamp<Integer>(
                                            Col - 1, 0, static_cast<Integer>(Aligned.size()) - 1))]);
        KeepCurrentAttr = true;
      }
      NewItem->ColorData = Item->ColorData.substr(static_cast<std::size_t>(Index));
      Item->ColorData.erase(static_cast<std::size_t>(Index));
    }
    NewItem->Text = Item->Text.substr(static_cast<std::size_t>(Index));
    Item->Text.erase(static_cast<std::size_t>(Index));
    Item->ItemState.Exclude(isWasParsed);
    if (Col == 0) {
      NewItem->SavedText = Item->SavedText;
    }
    // Bookmarks at or right of the caret go to the new line, the ones below one line down.
    for (Integer I = 0; I < FBookMarks->Count(); ++I) {
      TBookMarkRec* B = FBookMarks->Rec(I);
      if (B->Line == Line && B->Col >= Col) {
        B->Line = Line + 1;
        B->Col -= Col;
      } else if (B->Line > Line) {
        ++B->Line;
      }
    }
    FBookMarks->Resort();
    FHiddenLines->LineChanged(Line, 1);
    if (Col == 0 || WasEmpty) {
      MoveLineProps(Item, NewItem);
    }
    if (FMaxLineTracking) {
      if (MaxLineIndex == Line) {
        ReCalculateMaxLine();
      } else if (MaxLineIndex > Line) {
        ++MaxLineIndex;
      }
    }
    CreateNewUndoRecord(soBreakLine);
    UpdatePositions(soBreakLine, 0);
    UpdateChanged(Line, MaxInt);
    UpdateString(Line);
    if (!State.Contains(msUndo)) {
      DiscardTrailingTabs(true);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomMemoSource::JoinLines() {
  const Integer Line = GetCurLine();
  if (State.Contains(msUndo) && Line < GetStrCount()) {
    TStringItem* Item = GetStringItem(Line);
    const Integer Index = GetRealTabIndex(Item->Text, GetCurChar());
    if (Index < static_cast<Integer>(Item->Text.size()) &&
        Item->Text.find_first_not_of(" \t", static_cast<std::size_t>(Index)) == std::string::npos) {
      Item->Text.erase(static_cast<std::size_t>(Index));
      if (Item->ColorData.size() > Item->Text.size()) {
        Item->ColorData.erase(Item->Text.size());
      }
    }
  }
  if (Line >= GetStrCount() - 1 || GetStrCount() <= 1 || ReadOnlyLine() || ReadOnlyNextLine()) {
    return;
  }
  Integer Col = GetCurChar();
  if (Col < DisplayLength(Line)) {
    return;
  }
  Integer UndoJoinGap = 0;
  BeginUpdate(Reason::JoinLines);
  try {
    if (GetCollapseState(Line) == csCollapsed) {
      SetCollapseState(Line, csExpanded);
    }
    if (GetCollapseState(Line + 1) == csCollapsed) {
      SetCollapseState(Line + 1, csExpanded);
    }
    if (const Integer Gap = Col - DisplayLength(Line); Gap > 0) {
      if (State.Contains(msUndo)) {
        // Undoing a break made beyond the line end: the lines join at the end, adding no blanks, and the caret
        // returns to its column afterwards, where the earlier records expect it.
        Navigate(0, -Gap);
        Col = GetCurChar();
        UndoJoinGap = Gap;
      } else {
        // The blanks up to the caret become an insertion of their own, which undo removes again.
        Navigate(0, -Gap);
        Insert(std::string(static_cast<std::size_t>(Gap), ' '));
        Navigate(0, Gap);
      }
    }
    TStringItem* Item = GetStringItem(Line);
    TStringItem* Next = GetStringItem(Line + 1);
    const Integer Pad = Col - DisplayLength(Line);
    if (StoreColorData()) {
      CheckStringItem(Item);
      CheckStringItem(Next);
      const char Last = Item->ColorData.empty() ? '\0' : Item->ColorData.back();
      Item->ColorData.append(static_cast<std::size_t>(Pad), Last);
      Item->ColorData += Next->ColorData;
    }
    Item->Text.append(static_cast<std::size_t>(Pad), ' ');
    Item->Text += Next->Text;
    Item->ItemState.Exclude(isWasParsed);
    if (Col == 0) {
      Item->SavedText = Next->SavedText;
    }
    AssignLineProps(Next, Item);
    GetStringsDelete(Line + 1);
    DeleteLastEmptyLine();
    for (Integer I = 0; I < FBookMarks->Count(); ++I) {
      TBookMarkRec* B = FBookMarks->Rec(I);
      if (B->Line == Line + 1) {
        B->Line = Line;
        B->Col += Col;
      } else if (B->Line > Line + 1) {
        --B->Line;
      }
    }
    FBookMarks->Resort();
    FHiddenLines->LineChanged(Line, -1);
    CreateNewUndoRecord(soJoinLines);
    UpdatePositions(soJoinLines, 0);
    UpdateChanged(Line, MaxInt);
    UpdateString(Line);
    if (FMaxLineTracking) {
      const Integer Len = GetMaxLen(Line);
      if (Len >= MaxLineLength) {
        MaxLineLength = Len;
        MaxLineIndex = Line;
      } else if (MaxLineIndex > Line) {
        --MaxLineIndex;
      }
    }
    if (UndoJoinGap > 0) {
      Navigate(0, UndoJoinGap);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomMemoSource::DiscardTrailingTabs(bool Delete) {
  if (KeepTrailingBlanks) {
    return;
  }
  const Integer Line = GetCurLine();
  TStringItem* Item = GetStringItem(Line);
  if (Item == nullptr || Item->Text.empty() || !IsBlank(Item->Text.back())) {
    return;
  }
  BeginUpdate(Reason::DeleteRight);
  try {
    const std::string Trimmed = TrimRightBlanks(Item->Text);
    if (Delete) {
      const Integer Col = GetCurChar();
      const Integer End = GetRelativeTabIndex(Trimmed, static_cast<Integer>(Trimmed.size()));
      Navigate(0, End - Col);
      DeleteRight(MaxInt);
      Navigate(0, Col - GetCurChar());
    } else {
      Item->Text = Trimmed;
      if (Item->ColorData.size() > Trimmed.size()) {
        Item->ColorData.erase(Trimmed.size());
      }
      Item->ItemState.Exclude(isWasParsed);
      UpdateChangedLines(Line, Line);
      ParsedCount = std::min(ParsedCount, Line);
      UpdateString(Line);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

}  // namespace Dcstring
