// Keyboard input and the editing commands the key table reaches: the key lookup, typing, Return with
// auto-indentation, tabs, deletion, keyboard block marking, the block transformations, undo and redo,
// bookmarks and auto-correction.
#include "editor/Easyeditor.h"

#include "editor/Easysettings.h"
#include "editor/Easyutils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/VirtualKeys.h"

#include <algorithm>

namespace {

constexpr int MaxInt = EasyMaxInt;

// The column of the next word start at or after Column, as a word-right move finds it: over the rest of the
// current word, then over the delimiters.
int NextWordColumn(TCustomEasyEditSource* Source, const std::string& Text, int Column) {
  const int Length = static_cast<int>(Text.size());
  int P = Column;
  while (P < Length && !Source->IsDelimiter(Text, P + 1)) {
    ++P;
  }
  while (P < Length && Source->IsDelimiter(Text, P + 1)) {
    ++P;
  }
  return P;
}

bool IsBlank(char C) { return static_cast<unsigned char>(C) <= ' '; }

}  // namespace

// ---- keys ----

void TCustomEasyEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  KeyHandled = false;
  TShiftState Mods;
  for (TShiftStateItem I : {ssShift, ssAlt, ssCtrl}) {
    if (Shift.Contains(I)) {
      Mods.Include(I);
    }
  }
  if ((Key == VK_RETURN && !FWantReturns) || (Key == VK_TAB && !FWantTabs)) {
    if (!Mods.Contains(ssCtrl)) {
      return;  // the form uses the key
    }
    Mods = TShiftState{};
  }
  if (Key == 0 || ComponentState().Contains(csDesigning)) {
    return;
  }
  // A modifier pressed on its own is part of the next chord, not a key of its own: it neither runs a binding
  // nor ends a pending prefix (Ctrl+K, Ctrl released and pressed again, B).
  if (Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU || Key == VK_LSHIFT || Key == VK_RSHIFT ||
      Key == VK_LCONTROL || Key == VK_RCONTROL || Key == VK_LMENU || Key == VK_RMENU) {
    return;
  }
  TEasyKeyData* Data = FKeyList->FindKeyData(Key, Mods, KeyState);
  if (Data == nullptr) {
    KeyState = 0;
    return;
  }
  const int NewState = Data->NewState;
  const TEasyKeyboardMethod Proc = Data->Proc;  // the handler may change the table
  const Byte Cmd = Data->Cmd;
  Key = 0;
  KeyHandled = true;
  if (Proc) {
    Proc(Cmd);
  }
  KeyState = NewState;
}

void TCustomEasyEdit::KeyUp(Word& Key, TShiftState Shift) {
  TCustomControl::KeyUp(Key, Shift);
  KeyHandled = false;
}

void TCustomEasyEdit::KeyPress(char& Key) {
  TCustomControl::KeyPress(Key);
  if (KeyHandled) {
    KeyHandled = false;
    return;
  }
  if (ComponentState().Contains(csDesigning) || KeyState != 0) {
    return;
  }
  const auto C = static_cast<unsigned char>(Key);
  if (!((C >= 32 && C <= 126) || C >= 128)) {
    return;
  }
  TCustomEasyEditSource* Source = GetEditSource();
  if (Source->ReadOnly() && !IncrSearchActive) {
    return;
  }
  LastTypedChar = Key;
  DisableAutoCompleteTimer();
  if (IncrementalSearchKey(Key)) {
    return;
  }
  const char Typed = Key;
  Source->Bracket(oprInsert, [&] {
    if (NeedDeleteBlock()) {
      DeleteBlock();
    }
    if (GetOverwrite()) {
      Source->DeleteString(1);
    }
    Source->InsertString(std::string(1, Typed));
    Source->Navigate(1, 0);
    Source->UpdateSpelling(Source->CurrentPosition.Y);
  });
  CompletionKeyTyped(Typed);
}

// ---- auto-correction ----

bool TCustomEasyEdit::HasAutoCorrection(const std::string& Word, std::string& CorrectWord) {
  bool Has = false;
  if (OnWordAutoCorrect) {
    OnWordAutoCorrect(this, Word, CorrectWord, Has);
  }
  return Has;
}

void TCustomEasyEdit::CheckAutoCorrect() {
  TCustomEasyEditSource* Source = GetEditSource();
  TPoint P = GetCurrentPosition();
  if (P.X > 0) {
    --P.X;
  }
  int Start = 0;
  int End = 0;
  const TEasyCharSet Saved = Source->Delimiters;
  Source->Delimiters |= WordDelimSet;
  try {
    Source->GetWord(P, Start, End, wsWord);
  } catch (...) {
    Source->Delimiters = Saved;
    throw;
  }
  Source->Delimiters = Saved;
  if (Start > End || (Start == 0 && End == 0)) {
    return;
  }
  const std::string Line = GetLines()->GetStr(P.Y);
  const std::string Word = Line.substr(static_cast<std::size_t>(Start - 1), static_cast<std::size_t>(End - Start + 1));
  if (Word.empty() || Source->CheckWordSpelling(Word)) {
    return;
  }
  std::string Correction = Word;
  if (!HasAutoCorrection(Word, Correction)) {
    return;
  }
  Source->Bracket(oprOther, [&] {
    Source->JumpTo(Start - 1, P.Y);
    Source->DeleteString(End - Start + 1);
    Source->InsertString(Correction);
    Source->Navigate(static_cast<int>(Correction.size()) + 1, 0);
  });
}

// ---- ProcessKey: Return, Escape, Tab, back-tab ----

void TCustomEasyEdit::ProcessKey(Byte Cmd) {
  TCustomEasyEditSource* Source = GetEditSource();
  switch (Cmd) {
    case 16: {
      if (Source->ReadOnly()) {
        return;
      }
      Source->Bracket(oprBreak, [&] {
        if (NeedDeleteBlock()) {
          DeleteBlock();
        }
        const bool Insert = !GetOverwrite();
        if (Insert) {
          Source->BreakString();
        }
        const int Column = GetTabIndent(false);
        Source->JumpTo(0, Source->CurrentPosition.Y + 1);
        if (Source->Options().Contains(srAutoIndent)) {
          Source->AutoIndentLine(Insert, Column);
        }
      });
      return;
    }
    case 17: DoneIncrementalSearch(); return;
    case 18: {
      if (Source->ReadOnly()) {
        return;
      }
      if (FOptions.Contains(eoEnTabBlock) && SelType != slNone && SelRect.Top != SelRect.Bottom) {
        EnTabBlock();
        return;
      }
      Source->Bracket(oprInsert, [&] {
        if (NeedDeleteBlock()) {
          DeleteBlock();
        }
        InsertTab();
      });
      return;
    }
    case 19:
      if (FOptions.Contains(eoEnTabBlock) && SelType != slNone && SelRect.Top != SelRect.Bottom) {
        if (!Source->ReadOnly()) {
          DeTabBlock();
        }
        return;
      }
      Source->JumpToChar(Source->TabStopList()->GetPrev(Source->CurrentPosition.X));
      return;
    default: return;
  }
}

int TCustomEasyEdit::GetTabIndent(bool UseTabStops) {
  TCustomEasyEditSource* Source = GetEditSource();
  const TPoint Caret = Source->CurrentPosition;
  const int X = Caret.X;
  int Result = UseTabStops ? Source->TabStopList()->Get(X) : 0;
  const bool Scan = (!UseTabStops && X > 0 && Source->Options().Contains(srAutoIndent)) ||
                    (UseTabStops && Source->Options().Contains(srSmartTab));
  if (!Scan) {
    return Result;
  }
  TEasyStrings* Lines = GetLines();
  for (int P = std::min(Caret.Y, Lines->Count() - 1); P >= 0; --P) {
    const std::string Line = Lines->Get(P);
    if (Line.empty()) {
      continue;
    }
    // The text of the line's last display row.
    int RowStart = 0;
    if (FWordWrap) {
      const int I = FWrapList->IndexFromPoint(TPoint{MaxInt, P}, true);
      if (I >= 0) {
        RowStart = std::min(FWrapList->Row(I).StartChar, static_cast<int>(Line.size()));
      }
    }
    const std::string T = Line.substr(static_cast<std::size_t>(RowStart));
    const auto First = T.find_first_not_of(' ');
    const int C = First == std::string::npos ? 0 : static_cast<int>(First);
    if (!UseTabStops) {
      if (X >= C) {
        return C;
      }
      continue;
    }
    if (static_cast<int>(T.size()) <= X) {
      continue;
    }
    if (X < C) {
      return C;
    }
    return NextWordColumn(Source, Line, X);
  }
  return Result;
}

void TCustomEasyEdit::InsertTab() {
  TCustomEasyEditSource* Source = GetEditSource();
  if (Source->Options().Contains(srUseTab)) {
    Source->InsertString("\t");
    if (FHideCaret) {
      Navigate(3);
    } else {
      Source->MoveRightEx(true);
    }
    WrapColumnValid = false;
    return;
  }
  const int N = GetTabIndent(true) - Source->CurrentPosition.X;
  if (N > 0) {
    Source->InsertString(std::string(static_cast<std::size_t>(N), ' '));
    Source->Navigate(N, 0);
  }
}

// The indentation one tab step gives the selected lines: a tab, or the blanks from the selection's start
// column to the next tab stop. The step is measured at the selection's start, not at the caret, so that a
// back-tab right after a tab (the caret then stands at the block's end) takes back what the tab added.
std::string TCustomEasyEdit::TabStepText() {
  TCustomEasyEditSource* Source = GetEditSource();
  if (Source->Options().Contains(srUseTab)) {
    return "\t";
  }
  const int X = SelType != slNone ? SelRect.Left : Source->CurrentPosition.X;
  return std::string(static_cast<std::size_t>(std::max(Source->TabStopList()->Get(X) - X, 0)), ' ');
}

void TCustomEasyEdit::EnTabBlock() {
  IndentText = TabStepText();
  try {
    ProcessBlock(33);
  } catch (...) {
    IndentText.clear();
    throw;
  }
  IndentText.clear();
}

void TCustomEasyEdit::DeTabBlock() {
  IndentText = TabStepText();
  try {
    ProcessBlock(37);
  } catch (...) {
    IndentText.clear();
    throw;
  }
  IndentText.clear();
}

// ---- deletion ----

bool TCustomEasyEdit::NeedDeleteBlock() {
  return FOptions.Contains(eoOverwriteBlocks) && !FOptions.Contains(eoPersistentBlocks) && SelType != slNone &&
         FSelStrings->Count() > 0;
}

void TCustomEasyEdit::DeleteStr(Byte Cmd) {
  TCustomEasyEditSource* Source = GetEditSource();
  if (Source->ReadOnly() && !IncrSearchActive) {
    return;
  }
  if (SelType != slNone && !FOptions.Contains(eoPersistentBlocks)) {
    DeleteBlock();
    return;
  }
  Source->Bracket(oprDelete, [&] {
    const int X = Source->CurrentPosition.X;
    const int Y = Source->CurrentPosition.Y;
    switch (Cmd) {
      case 2:
        if (IncrSearchActive && !IncrSearchText.empty()) {
          IncrementalSearch(std::string(), true);
        } else if (X > 0) {
          if (Y < LineCount() && X <= Source->LineLength(Y)) {
            Source->DeleteLeft();
          } else {
            Navigate(2);
          }
        } else if (Y > 0) {
          const std::string Prev = GetLines()->Get(Y - 1);
          const int Full = Source->LineLength(Y - 1);
          int Column = Full;
          if (!Source->Options().Contains(srLeaveTrailSpaces)) {
            Column = Source->GetRealPos(Y - 1, static_cast<int>(TrimRightEx(Source->Strings()->GetStrRef(Y - 1)).size()));
          }
          Source->JumpTo(Column, Y - 1);
          // Blanks after the column would keep the lines apart: they go.
          if (Column < Full) {
            Source->DeleteString(Full - Column);
          }
          Source->JoinStrings();
        }
        break;
      case 3:
        if (X < Source->LineLength(Y)) {
          Source->DeleteString(1);
        } else {
          Source->JoinStrings();
        }
        break;
      case 8: case 9: case 10: case 11: DoProcessBlock(-1, Cmd, 25, false); break;
      case 48: DoProcessBlock(34, -1, 25, false); break;
      case 60: DoProcessBlock(44, -1, 25, false); break;
      default: break;
    }
  });
}

void TCustomEasyEdit::InsertStr(Byte Cmd) {
  if (Cmd == 51) {
    GetEditSource()->BreakString();
  }
}

void TCustomEasyEdit::DeleteBlock() {
  if (SelType == slNone) {
    return;
  }
  TCustomEasyEditSource* Source = GetEditSource();
  const TRect R = SelRect;
  const TEasySelType Type = SelType;
  ++SelectionHold;
  try {
    Source->Bracket(oprDeleteBlock, [&] {
      Source->BeginBlockUpdate();
      try {
        const int Count = LineCount();
        if (Type == slStream) {
          if (R.Top == R.Bottom) {
            Source->JumpTo(R.Left, R.Top);
            Source->DeleteString(R.Right - R.Left);
          } else {
            for (int L = std::min(R.Bottom, Count - 1); L >= R.Top; --L) {
              if (L == R.Bottom) {
                Source->JumpTo(0, L);
                Source->DeleteString(R.Right);
              } else if (L > R.Top) {
                Source->JumpTo(0, L);
                Source->DeleteString(Source->LineLength(L));
                Source->JoinStrings();
              } else {
                Source->JumpTo(R.Left, L);
                Source->DeleteString(std::max(Source->LineLength(L) - R.Left, 0));
                Source->JoinStrings();
              }
            }
            Source->JumpTo(R.Left, R.Top);
          }
        } else {
          for (int L = std::min(R.Bottom, Count - 1); L >= R.Top; --L) {
            int S = 0;
            int E = 0;
            if (GetSelBounds(L, L, false, S, E) && S < E) {
              Source->JumpTo(S, L);
              Source->DeleteString(E - S);
            }
          }
          Source->JumpTo(R.Left, R.Top);
        }
      } catch (...) {
        Source->EndBlockUpdate();
        throw;
      }
      Source->EndBlockUpdate();
    });
  } catch (...) {
    --SelectionHold;
    throw;
  }
  --SelectionHold;
  SetSelType(slNone);
}

// ---- block commands ----

void TCustomEasyEdit::DoProcessBlock(int Before, int Navigation, int After, bool Restore) {
  TCustomEasyEditSource* Source = GetEditSource();
  const TPoint P = Source->CurrentPosition;
  auto Cleanup = [&] {
    TrackedPoint1 = TrackedPoint2 = nullptr;
    if (Restore) {
      Source->JumpTo(P.X, P.Y);
    }
  };
  Source->Bracket(oprOther, [&] {
    try {
      if (Before >= 0) {
        ProcessBlock(static_cast<Byte>(Before));
      }
      if (Navigation >= 0) {
        ++NavigateCount;
        try {
          Navigate(static_cast<Byte>(Navigation));
        } catch (...) {
          --NavigateCount;
          throw;
        }
        --NavigateCount;
        TPoint A = P;
        TPoint B = Source->CurrentPosition;
        if (B.Y < A.Y || (B.Y == A.Y && B.X < A.X)) {
          std::swap(A, B);
        }
        ++SelectionHold;
        SetSelection(Rect(A.X, A.Y, B.X, B.Y), slStream);
        --SelectionHold;
        if (After >= 0) {
          ProcessBlock(static_cast<Byte>(After));
        }
        SetSelType(slNone);
      } else if (After >= 0) {
        ProcessBlock(static_cast<Byte>(After));
      }
    } catch (...) {
      Cleanup();
      throw;
    }
    Cleanup();
  });
}

void TCustomEasyEdit::DoProcessString(bool Restore, TEasyStrProc Proc) {
  if (SelType == slNone) {
    return;
  }
  TCustomEasyEditSource* Source = GetEditSource();
  const TPoint P = Source->CurrentPosition;
  ++SelectionHold;
  try {
    Source->Bracket(oprOther, [&] {
      TEasyStrings Copy;
      const int N = FSelStrings->Count();
      for (int I = 0; I < N; ++I) {
        Copy.Add(FSelStrings->Get(I));
      }
      if (N > 0) {
        for (int I = 0; I < N; ++I) {
          std::string S = Copy.GetStr(I);
          (this->*Proc)(S);
          Copy.Put(I, S);
        }
      }
      const TEasySelType Kind = SelType;
      const TPoint Start{SelRect.Left, SelRect.Top};
      DeleteBlock();
      Source->JumpTo(Start.X, Start.Y);
      PasteStrings(&Copy, Kind);
      if (Restore) {
        Source->JumpTo(P.X, P.Y);
      }
    });
  } catch (...) {
    --SelectionHold;
    throw;
  }
  --SelectionHold;
}

void TCustomEasyEdit::IndentProc(std::string& S) {
  if (S.empty()) {
    return;
  }
  S.insert(0, IndentText.empty() ? std::string(static_cast<std::size_t>(std::max(FBlockIndent, 0)), ' ') : IndentText);
}

void TCustomEasyEdit::OutdentProc(std::string& S) {
  if (S.empty()) {
    return;
  }
  const int N = IndentText.empty() ? FBlockIndent : static_cast<int>(IndentText.size());
  int K = 0;
  while (K < N && K < static_cast<int>(S.size()) && IsBlank(S[static_cast<std::size_t>(K)])) {
    ++K;
  }
  S.erase(0, static_cast<std::size_t>(K));
}

void TCustomEasyEdit::UpperCaseProc(std::string& S) { S = AnsiUpperCase(S); }

void TCustomEasyEdit::LowerCaseProc(std::string& S) { S = AnsiLowerCase(S); }

void TCustomEasyEdit::CapitalizeProc(std::string& S) {
  S = AnsiLowerCase(S);
  TCustomEasyEditSource* Source = GetEditSource();
  for (std::size_t I = 0; I < S.size(); ++I) {
    const bool Delim = InCharSet(S[I], Source->Delimiters);
    if (!Delim && (I == 0 || InCharSet(S[I - 1], Source->Delimiters))) {
      S[I] = AnsiUpperChar(S[I]);
    }
  }
}

void TCustomEasyEdit::ToggleCaseProc(std::string& S) {
  const std::string Upper = AnsiUpperCase(S);
  const std::string Lower = AnsiLowerCase(S);
  for (std::size_t I = 0; I < S.size(); ++I) {
    S[I] = Upper[I] != S[I] ? Upper[I] : Lower[I];
  }
}

void TCustomEasyEdit::SelectLine() {
  const int Y = GetCurrentPosition().Y;
  SetSelection(Rect(0, Y, 0, Y + 1), slStream);
}

void TCustomEasyEdit::SelectWrapLine() {
  const TPoint P = GetCurrentPosition();
  int Start = 0;
  int End = GetEditSource()->LineLength(P.Y);
  if (FWordWrap) {
    const int I = FWrapList->IndexFromPoint(P, CaretAtRowEnd);
    if (I >= 0) {
      Start = FWrapList->Row(I).StartChar;
      End = std::min(FWrapList->Row(I).EndChar, End);
    }
  }
  SetSelection(Rect(Start, P.Y, End, P.Y), slStream);
}

void TCustomEasyEdit::MarkWord() {
  TCustomEasyEditSource* Source = GetEditSource();
  const TPoint P = Source->CurrentPosition;
  int Start = 0;
  int End = 0;
  Source->GetWord(P, Start, End, wsWord);
  if (Start == 0 && End == 0) {
    return;
  }
  ++SelectionHold;
  try {
    Source->JumpTo(End, P.Y);
    SetSelection(Rect(Start - 1, P.Y, End, P.Y), slStream);
  } catch (...) {
    --SelectionHold;
    throw;
  }
  --SelectionHold;
}

void TCustomEasyEdit::ProcessBlock(Byte Cmd) {
  TCustomEasyEditSource* Source = GetEditSource();
  const TPoint C = Source->CurrentPosition;
  switch (Cmd) {
    case 22: CopyBlock(); return;
    case 23: CutBlock(); return;
    case 24: PasteBlock(); return;
    case 25: case 41: DeleteBlock(); return;
    case 29: case 38: {
      auto Ordered = [](TPoint A, TPoint B) {
        if (B.Y < A.Y || (B.Y == A.Y && B.X < A.X)) {
          std::swap(A, B);
        }
        return Rect(A.X, A.Y, B.X, B.Y);
      };
      if (SelType != slNone) {
        TRect R = SelRect;
        if (Cmd == 29) {
          R.Left = C.X;
          R.Top = C.Y;
        } else {
          R.Right = C.X;
          R.Bottom = C.Y;
        }
        if (SelType == slStream) {
          R = Ordered(TPoint{R.Left, R.Top}, TPoint{R.Right, R.Bottom});
        } else {
          if (R.Left > R.Right) std::swap(R.Left, R.Right);
          if (R.Top > R.Bottom) std::swap(R.Top, R.Bottom);
        }
        SetSelection(R, SelType);
      } else if (BlockAnchor.Y >= 0) {
        SetSelection(Cmd == 29 ? Ordered(C, BlockAnchor) : Ordered(BlockAnchor, C), slStream);
        BlockAnchor = C;
      } else {
        BlockAnchor = C;
      }
      return;
    }
    case 30: {
      if (SelType == slNone) {
        return;
      }
      TEasyStrings Copy;
      for (int I = 0; I < FSelStrings->Count(); ++I) {
        Copy.Add(FSelStrings->Get(I));
      }
      const TEasySelType Kind = SelType;
      SetSelType(slNone);
      PasteStrings(&Copy, Kind);
      return;
    }
    case 31: DoProcessBlock(39, -1, 36, true); return;
    case 32: DoProcessBlock(39, -1, 35, true); return;
    case 33: DoProcessString(false, &TCustomEasyEdit::IndentProc); return;
    case 37: DoProcessString(false, &TCustomEasyEdit::OutdentProc); return;
    case 35: DoProcessString(true, &TCustomEasyEdit::UpperCaseProc); return;
    case 36: DoProcessString(true, &TCustomEasyEdit::LowerCaseProc); return;
    case 46: DoProcessString(true, &TCustomEasyEdit::ToggleCaseProc); return;
    case 59: DoProcessString(true, &TCustomEasyEdit::CapitalizeProc); return;
    case 34: SelectLine(); return;
    case 39: MarkWord(); return;
    case 40: MoveBlock(true); return;
    case 44: {
      const int Last = std::max(LineCount() - 1, 0);
      SetSelection(Rect(0, 0, Source->LineLength(Last), Last), slStream);
      return;
    }
    case 58: SetSelType(slNone); return;
    case 64: EnTabBlock(); return;
    case 65: DeTabBlock(); return;
    case 66: SelectWrapLine(); return;
    default: return;
  }
}

// ---- undo, modes and bookmarks ----

void TCustomEasyEdit::UndoOrRedo(Byte Cmd) {
  if (Cmd == 20) {
    GetEditSource()->Undo();
  } else if (Cmd == 21) {
    GetEditSource()->Redo();
  }
}

void TCustomEasyEdit::Toggle(Byte Cmd) {
  switch (Cmd) {
    case 53: SetOverwrite(!GetOverwrite()); break;
    case 54: SearchSettings()->CaseSensitive = !SearchSettings()->CaseSensitive; break;
    case 55: SearchSettings()->RegularExpr = !SearchSettings()->RegularExpr; break;
    default: break;
  }
}

void TCustomEasyEdit::ToggleBookMark(Byte Number) { GetEditSource()->ToggleBookMark(Number, GetCurrentPosition()); }

void TCustomEasyEdit::GoToBookMark(Byte Number) {
  GetEditSource()->GoToBookmark(Number);
  EnsureCaretVisible();
}
