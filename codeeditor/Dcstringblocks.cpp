// The memo source's selection: its kinds and bounds, marking by caret moves, the clipboard, pasting line lists
// as stream or column text, block deletion, moving and transforming commands.
#include "codeeditor/Dcstring.h"

#include "platform/classes/StringList.h"
#include "platform/graphics/Clipbrd.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Clipboard.h"

#include <algorithm>

namespace Dcstring {

Integer TCustomMemoSource::ClipSelType = 0;

namespace {
template <class F>
void InUpdate(TCustomMemoSource* M, Integer Reason, F&& Body) {
  M->BeginUpdate(Reason);
  try {
    Body();
  } catch (...) {
    M->EndUpdate();
    throw;
  }
  M->EndUpdate();
}

// Keeps a flag set for the lifetime of the guard.
class TFlagGuard {
public:
  explicit TFlagGuard(bool& Flag) : FFlag(Flag), FOld(Flag) { FFlag = true; }
  ~TFlagGuard() { FFlag = FOld; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
  bool& FFlag;
  bool FOld;
};
}  // namespace

// ---- selection state ----

void TCustomMemoSource::CheckSelectionType(TSelectionType& SelType) {
  if (SelType == stNotSelected) {
    return;
  }
  switch (FBlockOption) {
    case bkStreamSel: SelType = stStreamSel; break;
    case bkBlockSel: SelType = stBlockSel; break;
    case bkNone: SelType = stNotSelected; break;
    case bkBoth: break;
  }
  if (OnGetSelectionType) {
    OnGetSelectionType(this, SelType);
  }
}

void TCustomMemoSource::SetSelectionType(TSelectionType T) {
  if (T == FSelectionType) {
    return;
  }
  InUpdate(this, Reason::SetSelType, [&] {
    CheckSelectionType(T);
    FSelectionType = T;
  });
}

void TCustomMemoSource::SetBlockOption(TBlockOption V) {
  if (V == FBlockOption) {
    return;
  }
  FBlockOption = V;
  if (V == bkBlockSel && FSelectionType == stStreamSel) {
    SetSelectionType(stBlockSel);
  } else if (V == bkStreamSel && FSelectionType == stBlockSel) {
    SetSelectionType(stStreamSel);
  } else if (V == bkNone && FSelectionType != stNotSelected) {
    InUpdate(this, Reason::SetSelType, [&] { FSelectionType = stNotSelected; });
  }
}

void TCustomMemoSource::SetSelectionRect(const TRect& R) {
  InUpdate(this, Reason::SelRect, [&] {
    FBlockBegin->SetPosition(R.Left, R.Top);
    FBlockEnd->SetPosition(R.Right, R.Bottom);
  });
}

TRect TCustomMemoSource::GetSelectionRect() const {
  return TRect{FBlockBegin->CharPos, FBlockBegin->LinePos, FBlockEnd->CharPos, FBlockEnd->LinePos};
}

void TCustomMemoSource::SetSelection(TSelectionType Type, Integer StartChar, Integer StartLine, Integer EndChar,
                                     Integer EndLine) {
  InUpdate(this, Reason::SetSelection, [&] {
    FSelectionType = Type;
    FBlockBegin->SetPosition(StartChar, StartLine);
    FBlockEnd->SetPosition(EndChar, EndLine);
  });
}

bool TCustomMemoSource::IsBlockEmpty(TSelectionType Type) const {
  const TRect R = GetSelectionRect();
  if (Type == stStreamSel) {
    return R.Bottom < R.Top || (R.Top == R.Bottom && R.Left >= R.Right);
  }
  if (Type == stBlockSel) {
    return R.Bottom < R.Top || R.Right < R.Left;
  }
  return true;
}

bool TCustomMemoSource::IsValidBlockPos(Integer Col, Integer Line) const {
  const TRect R = GetSelectionRect();
  if (FSelectionType == stStreamSel) {
    return (Col == R.Left && Line == R.Top) || (Col == R.Right && Line == R.Bottom);
  }
  if (FSelectionType == stBlockSel) {
    return (Line == R.Top || Line == R.Bottom) && (Col == R.Left || Col == R.Right);
  }
  return true;
}

void TCustomMemoSource::SelectionBounds(Integer Line, Integer& StartCol, Integer& EndCol) const {
  StartCol = 0;
  EndCol = 0;
  const TRect R = GetSelectionRect();
  if (FSelectionType == stNotSelected || Line < R.Top || Line > R.Bottom) {
    return;
  }
  if (FSelectionType == stBlockSel) {
    StartCol = R.Left;
    EndCol = R.Right + 1;
    return;
  }
  StartCol = Line == R.Top ? R.Left : 0;
  EndCol = Line == R.Bottom ? R.Right : MaxInt;
}

bool TCustomMemoSource::IsPosInBlock(Integer Col, Integer Line) const {
  Integer S = 0;
  Integer E = 0;
  SelectionBounds(Line, S, E);
  return Col >= S && Col < E;
}

TPoint TCustomMemoSource::PointToSelPoint(const TPoint& P) const {
  const TRect R = GetSelectionRect();
  if (FSelectionType == stStreamSel) {
    return {P.Y == R.Top ? P.X - R.Left : P.X, P.Y - R.Top};
  }
  if (FSelectionType == stBlockSel) {
    return {P.X - R.Left, P.Y - R.Top};
  }
  return P;
}

TPoint TCustomMemoSource::SelPointToPoint(const TPoint& P) const {
  const TRect R = GetSelectionRect();
  if (FSelectionType == stStreamSel) {
    return {P.Y == 0 ? P.X + R.Left : P.X, P.Y + R.Top};
  }
  if (FSelectionType == stBlockSel) {
    return {P.X + R.Left, P.Y + R.Top};
  }
  return P;
}

bool TCustomMemoSource::CanPaste() { return Clipboard()->HasFormat(CF_TEXT); }

// ---- marking ----

void TCustomMemoSource::UnivMark(TSelectionType SelType, TMemoProc MoveProc) {
  UnivMarkWith(SelType, MoveProc != nullptr ? std::function<void()>([this, MoveProc] { (this->*MoveProc)(); })
                                            : std::function<void()>());
}

void TCustomMemoSource::UnivMarkWith(TSelectionType SelType, const std::function<void()>& MoveProc) {
  InUpdate(this, Reason::ExtendSelection, [&] {
    CheckSelectionType(SelType);
    const Integer C0 = GetCurChar();
    const Integer L0 = GetCurLine();
    TRect R = GetSelectionRect();
    ++SelectionLock;
    try {
      if (FSelectionType != stNotSelected && IsValidBlockPos(C0, L0)) {
        if (MoveProc) {
          MoveProc();
        }
        const Integer C1 = GetCurChar();
        const Integer L1 = GetCurLine();
        if (FSelectionType == stBlockSel) {
          if (R.Left == R.Right) {
            (R.Left < C1 ? R.Right : R.Left) = C1;
          } else {
            (R.Left < C0 ? R.Right : R.Left) = C1;
          }
          if (R.Top == R.Bottom) {
            (R.Top < L1 ? R.Bottom : R.Top) = L1;
          } else {
            (R.Top < L0 ? R.Bottom : R.Top) = L1;
          }
          if (R.Left > R.Right) {
            std::swap(R.Left, R.Right);
          }
          if (R.Top > R.Bottom) {
            std::swap(R.Top, R.Bottom);
          }
        } else {
          if (C0 == R.Left && L0 == R.Top) {
            R.Left = C1;
            R.Top = L1;
          } else {
            R.Right = C1;
            R.Bottom = L1;
          }
          if (R.Bottom < R.Top || (R.Bottom == R.Top && R.Right < R.Left)) {
            std::swap(R.Left, R.Right);
            std::swap(R.Top, R.Bottom);
          }
        }
      } else {
        R = TRect{C0, L0, C0, L0};
        if (MoveProc) {
          MoveProc();
        }
        const Integer C1 = GetCurChar();
        const Integer L1 = GetCurLine();
        if (L1 == L0) {
          (C1 >= C0 ? R.Right : R.Left) = C1;
        } else if (L1 < L0) {
          R.Left = C1;
          R.Top = L1;
        } else {
          R.Right = C1;
          R.Bottom = L1;
        }
        if (SelType == stBlockSel) {
          if (R.Left > R.Right) {
            std::swap(R.Left, R.Right);
          }
        }
      }
    } catch (...) {
      --SelectionLock;
      throw;
    }
    --SelectionLock;
    FBlockBegin->SetPosition(R.Left, R.Top);
    FBlockEnd->SetPosition(R.Right, R.Bottom);
    FSelectionType = SelType;
  });
}

void TCustomMemoSource::MarkBlockBegin() {
  InUpdate(this, Reason::MarkBlockBegin, [&] {
    FBlockBegin->Assign(FCaretPos);
    if (FSelectionType == stNotSelected) {
      TSelectionType T = stStreamSel;
      CheckSelectionType(T);
      FSelectionType = T;
    }
  });
}

void TCustomMemoSource::MarkBlockEnd() {
  InUpdate(this, Reason::MarkBlockEnd, [&] {
    FBlockEnd->Assign(FCaretPos);
    if (FSelectionType == stNotSelected) {
      TSelectionType T = stStreamSel;
      CheckSelectionType(T);
      FSelectionType = T;
    }
  });
}

void TCustomMemoSource::SetBlockAsColBlock() {
  if (FSelectionType == stStreamSel) {
    InUpdate(this, Reason::ToColumnBlock, [&] { FSelectionType = stBlockSel; });
  }
}

void TCustomMemoSource::SetBlockAsLineBlock() {
  if (FSelectionType == stBlockSel) {
    InUpdate(this, Reason::ToStreamBlock, [&] { FSelectionType = stStreamSel; });
  }
}

void TCustomMemoSource::SelectAll() {
  if (FBlockOption == bkNone) {
    return;
  }
  ++SelectionLock;
  try {
    InUpdate(this, Reason::SelectAll, [&] {
      FSelectionType = stNotSelected;
      JumpToFileBegin();
      FBlockBegin->Assign(FCaretPos);
      const bool Keep = KeepTrailingBlanks;
      KeepTrailingBlanks = true;  // the whole last line, blanks included
      try {
        JumpToFileEnd();
      } catch (...) {
        KeepTrailingBlanks = Keep;
        throw;
      }
      KeepTrailingBlanks = Keep;
      FBlockEnd->Assign(FCaretPos);
      TSelectionType T = stStreamSel;
      CheckSelectionType(T);
      FSelectionType = T;
    });
  } catch (...) {
    --SelectionLock;
    throw;
  }
  --SelectionLock;
}

void TCustomMemoSource::MarkLine() {
  InUpdate(this, Reason::MarkLine, [&] {
    const Integer L = GetCurLine();
    FBlockBegin->SetPosition(0, L);
    FBlockEnd->SetPosition(0, L + 1);
    FSelectionType = stStreamSel;
  });
}

void TCustomMemoSource::MarkWordWithType(TWordSelectionType Type) {
  InUpdate(this, Reason::MarkWord, [&] {
    FSelectionType = stNotSelected;
    Integer E = 0;
    Integer S = 0;
    if (WordBounds(GetCurChar(), GetCurLine(), Type, E, S)) {
      ++SelectionLock;
      JumpTo(E, GetCurLine());
      --SelectionLock;
      FBlockBegin->SetPosition(S - 1, GetCurLine());
      FBlockEnd->SetPosition(E, GetCurLine());
      FSelectionType = stStreamSel;
    }
  });
}

void TCustomMemoSource::CorrectMarkWordRight() {
  InUpdate(this, Reason::MarkWord, [&] {
    FSelectionType = stNotSelected;
    const Integer Line = GetCurLine();
    const Integer Col = GetCurChar();
    Integer E = 0;
    Integer S = 0;
    Integer To;
    if (WordBounds(Col, Line, wsWordWithSpace, E, S) && S - 1 > Col + 1) {
      To = S - 1;  // the gap up to the next word
    } else if (WordBounds(Col, Line, wsWordWithSpace, E, S)) {
      To = E;
    } else {
      To = DisplayLength(Line);
    }
    if (To <= Col) {
      return;
    }
    ++SelectionLock;
    JumpTo(To, Line);
    --SelectionLock;
    FBlockBegin->SetPosition(Col, Line);
    FBlockEnd->SetPosition(To, Line);
    FSelectionType = stStreamSel;
  });
}

void TCustomMemoSource::JumpToBlockBegin() {
  if (FSelectionType != stNotSelected) {
    ++SelectionLock;
    JumpTo(FBlockBegin->CharPos, FBlockBegin->LinePos);
    --SelectionLock;
  }
}

void TCustomMemoSource::JumpToBlockEnd() {
  if (FSelectionType != stNotSelected) {
    ++SelectionLock;
    JumpTo(FBlockEnd->CharPos, FBlockEnd->LinePos);
    --SelectionLock;
  }
}

// ---- clipboard ----

void TCustomMemoSource::CopyBlock() {
  if (FSelectionType == stNotSelected) {
    if (FOptions.Contains(soForceCutCopy)) {
      Clipboard()->Clear();
    }
    return;
  }
  GetStrings()->IgnoreTabs = true;
  std::string Text;
  try {
    for (Integer I = 0; I < FSelectionStrings->Count(); ++I) {
      if (I > 0) {
        Text += "\r\n";
      }
      Text += FSelectionStrings->Strings(I);
    }
  } catch (...) {
    GetStrings()->IgnoreTabs = false;
    throw;
  }
  GetStrings()->IgnoreTabs = false;
  Clipboard()->SetAsText(Text);
  ClipSelType = FSelectionType == stBlockSel ? 1 : 0;
  FOwnCopySequence = GetClipboardSequenceNumber();
}

void TCustomMemoSource::CutBlock() {
  if (FSelectionType == stNotSelected && !FOptions.Contains(soForceCutCopy)) {
    Clipboard()->Clear();
    return;
  }
  InUpdate(this, Reason::Cut, [&] {
    CopyBlock();
    DeleteBlock();
  });
}

void TCustomMemoSource::ClipboardToStrings(TStrings* Strings) {
  Strings->Clear();
  if (!Clipboard()->HasFormat(CF_TEXT)) {
    return;
  }
  const std::string Text = Clipboard()->AsText();
  Strings->SetText(Text);
  if (!Text.empty() && (Text.back() == '\n' || Text.back() == '\r')) {
    Strings->Add("");
  }
}

void TCustomMemoSource::PasteFromClipboard(TStrings* Strings) {
  if (OnPasteFromClipboard) {
    OnPasteFromClipboard(this, Strings);
  }
}

void TCustomMemoSource::PasteBlock() {
  InUpdate(this, Reason::Paste, [&] {
    CheckOverwriteBlock();
    // Only this source's own last copy, still on the clipboard, pastes as a column block.
    if (FOwnCopySequence == 0 || FOwnCopySequence != GetClipboardSequenceNumber()) {
      ClipSelType = 0;
    }
    TStringList L;
    ClipboardToStrings(&L);
    PasteFromClipboard(&L);
    InsertStrings(&L, ClipSelType == 1);
    if (!FOptions.Contains(soPersistentBlocks)) {
      FSelectionType = stNotSelected;
    }
  });
}

// ---- inserting line lists ----

void TCustomMemoSource::InsertStrings(TStrings* Strings, bool AsBlock) {
  if (FOptions.Contains(soUseTabCharacter)) {
    PasteBlockFromStrings(Strings, AsBlock);
    return;
  }
  TStringList L;
  ExpandTabsinStrings(Strings, &L, FSpacesInTab);
  PasteBlockFromStrings(&L, AsBlock);
}

void TCustomMemoSource::InsertString(const std::string& S) {
  InUpdate(this, Reason::InsertString, [&] {
    const TSelectionType T = FSelectionType;
    TPosition* B = CopyPosition(FBlockBegin);
    TPosition* E = CopyPosition(FBlockEnd);
    try {
      TStringList L;
      L.SetText(S);
      if (!S.empty() && (S.back() == '\n' || S.back() == '\r')) {
        L.Add("");
      }
      InsertStrings(&L, false);
    } catch (...) {
      delete B;
      delete E;
      throw;
    }
    FSelectionType = T;
    FBlockBegin->Assign(B);
    FBlockEnd->Assign(E);
    delete B;
    delete E;
  });
}

void TCustomMemoSource::PasteBlockFromStringsEx(TStrings* Strings, TStrings* Colors, bool AsBlock) {
  if (Strings == nullptr || Strings->Count() == 0) {
    return;
  }
  auto ColorOf = [&](Integer I) {
    return Colors != nullptr && I < Colors->Count() ? Colors->Strings(I) : std::string();
  };
  InUpdate(this, Reason::Paste, [&] {
    TFlagGuard Batch(FMaxLineBatch);
    const Integer Count = Strings->Count();
    const Integer StartCol = GetCurChar();
    const Integer StartLine = GetCurLine();
    if (Count == 1 || AsBlock) {
      if (Count == 1) {
        Integer Width = 0;
        InsertEx(Strings->Strings(0), ColorOf(0), &Width);
        FBlockBegin->SetPosition(StartCol, StartLine);
        FBlockEnd->SetPosition(StartCol + Width, StartLine);
        FSelectionType = Width > 0 ? stStreamSel : stNotSelected;
        if (AsBlock) {
          Navigate(1, 0);
        } else {
          Navigate(0, Width);
        }
      } else {
        Integer Width0 = 0;
        for (Integer I = 0; I < Count; ++I) {
          Integer W = 0;
          InsertEx(Strings->Strings(I), I == 0 ? ColorOf(0) : std::string(), &W);
          if (I == 0) {
            Width0 = W;
          }
          if (GetCurLine() + 1 >= GetStrCount()) {
            JumpTo(DisplayLength(GetCurLine()), GetCurLine());
            BreakLine();
          }
          JumpTo(StartCol, GetCurLine() + 1);
        }
        FBlockBegin->SetPosition(StartCol, StartLine);
        FBlockEnd->SetPosition(StartCol + Width0 - 1, StartLine + Count - 1);
        FSelectionType = stBlockSel;
      }
    } else {
      BreakLine();
      InsertEx(Strings->Strings(0), ColorOf(0));
      JumpTo(0, StartLine + 1);
      Integer LastWidth = 0;
      InsertEx(Strings->Strings(Count - 1), ColorOf(Count - 1), &LastWidth);
      for (Integer I = 1; I <= Count - 2; ++I) {
        JumpTo(0, StartLine + I);
        BreakLine();
        InsertEx(Strings->Strings(I), ColorOf(I));
      }
      const Integer EndLine = StartLine + Count - 1;
      const Integer EndCol =
          GetRelativeTabIndex(GetRaw(EndLine), static_cast<Integer>(Strings->Strings(Count - 1).size()));
      JumpTo(EndCol, EndLine);
      FBlockBegin->SetPosition(StartCol, StartLine);
      FBlockEnd->SetPosition(EndCol, EndLine);
      FSelectionType = stStreamSel;
    }
  });
  if (FMaxLinePending && !FMaxLineBatch) {
    FMaxLinePending = false;
    ReCalculateMaxLine();
  }
}

// ---- block commands ----

void TCustomMemoSource::DeleteBlock() {
  if (FSelectionType == stNotSelected) {
    return;
  }
  InUpdate(this, Reason::DeleteBlock, [&] {
    TFlagGuard Batch(FMaxLineBatch);
    const TRect R = GetSelectionRect();
    const TSelectionType T = FSelectionType;
    FSelectionType = stNotSelected;
    if (T == stStreamSel && R.Bottom > R.Top) {
      JumpTo(R.Right, R.Bottom);
      DeleteToLineBegin();
      for (Integer I = R.Top + 1; I < R.Bottom; ++I) {
        JumpTo(0, R.Top + 1);
        DeleteLine();
      }
      JumpTo(R.Left, R.Top);
      DeleteRight(MaxInt);
      JoinLines();
      JumpTo(R.Left, R.Top);
    } else {
      const Integer Width = R.Right - R.Left + (T == stBlockSel ? 1 : 0);
      for (Integer Line = R.Top; Line <= R.Bottom; ++Line) {
        Integer Left = R.Left;
        Integer Count = Width;
        if (FOptions.Contains(soUseTabCharacter)) {
          const std::string Raw = GetRaw(Line);
          const Integer From = GetRealTabIndex(Raw, Left);
          Integer Start = From;
          if (From > 0 && From <= static_cast<Integer>(Raw.size()) && Raw[static_cast<std::size_t>(From - 1)] == '\t' &&
              GetRelativeTabIndex(Raw, From - 1) < Left && Left < GetRelativeTabIndex(Raw, From)) {
            Start = From - 1;  // the edge inside a tab moves to the tab's start
          }
          Left = GetRelativeTabIndex(Raw, Start);
          Count = GetRealTabIndex(Raw, R.Left + Width) - Start;
        }
        JumpTo(Left, Line);
        DeleteRight(Count);
      }
      JumpTo(R.Left, R.Top);
    }
  });
  if (FMaxLinePending && !FMaxLineBatch) {
    FMaxLinePending = false;
    ReCalculateMaxLine();
  }
}

bool TCustomMemoSource::CheckOverwriteBlock() {
  if (FUpdateCount <= 1 && FOptions.Contains(soOverwriteBlocks) && !FOptions.Contains(soPersistentBlocks) &&
      FSelectionType != stNotSelected) {
    DeleteBlock();
    return true;
  }
  return false;
}

void TCustomMemoSource::DuplicateBlock() {
  if (FSelectionType == stNotSelected) {
    return;
  }
  InUpdate(this, Reason::DuplicateBlock, [&] {
    const bool AsBlock = FSelectionType == stBlockSel;
    TStringList L;
    L.Assign(FSelectionStrings);
    FSelectionType = stNotSelected;
    PasteBlockFromStrings(&L, AsBlock);
  });
}

bool TCustomMemoSource::MoveBlockEx(bool Move) {
  if (FSelectionType == stNotSelected || IsPosInBlock(GetCurChar(), GetCurLine())) {
    return false;
  }
  InUpdate(this, Reason::MoveBlock, [&] {
    const bool AsBlock = FSelectionType == stBlockSel;
    TMemoryStream S;
    WriteBlockToStream(&S);
    TPosition* Caret = CopyCurrent();
    try {
      if (Move) {
        DeleteBlock();
      }
    } catch (...) {
      delete Caret;
      throw;
    }
    RestorePosition(Caret);
    S.SetPosition(0);
    ReadBlockFromStreamEx(&S, AsBlock);
  });
  return true;
}

void TCustomMemoSource::WriteBlockToStream(TStream* S) {
  if (FSelectionType == stNotSelected) {
    return;
  }
  std::string Text;
  for (Integer I = 0; I < FSelectionStrings->Count(); ++I) {
    if (I > 0) {
      Text += "\r\n";
    }
    Text += FSelectionStrings->Strings(I);
  }
  S->WriteBuffer(Text.data(), static_cast<Integer>(Text.size()));
}

void TCustomMemoSource::WriteBlockToFile(const std::string& Name) {
  TFileStream S(Name, fmCreate);
  WriteBlockToStream(&S);
}

void TCustomMemoSource::ReadBlockFromStreamEx(TStream* S, bool AsBlock) {
  std::string Text(static_cast<std::size_t>(S->Size() - S->Position()), '\0');
  if (!Text.empty()) {
    S->ReadBuffer(Text.data(), static_cast<Integer>(Text.size()));
  }
  TStringList L;
  L.SetText(Text);
  if (!Text.empty() && (Text.back() == '\n' || Text.back() == '\r')) {
    L.Add("");
  }
  InsertStrings(&L, AsBlock);
}

void TCustomMemoSource::ReadBlockFromFile(const std::string& Name) {
  TFileStream S(Name, fmOpenRead | fmShareDenyWrite);
  ReadBlockFromStream(&S);
}

void TCustomMemoSource::ChangeBlockTo(const std::string& S) {
  InUpdate(this, Reason::ChangeBlock, [&] {
    if (FSelectionType != stNotSelected) {
      const TRect R = GetSelectionRect();
      DeleteBlock();
      JumpTo(R.Left, R.Top);
    }
    InsertString(S);
  });
}

void TCustomMemoSource::AssignLines(TStrings* Strings, bool SelectionOnly) {
  if (!FOptions.Contains(soExcludeReadOnlyLines)) {
    Strings->Assign(SelectionOnly ? static_cast<TStrings*>(FSelectionStrings) : FLines);
    return;
  }
  Strings->BeginUpdate();
  Strings->Clear();
  if (SelectionOnly) {
    const Integer Top = FBlockBegin->LinePos;
    for (Integer I = 0; I < FSelectionStrings->Count(); ++I) {
      if (!GetLineReadOnly(Top + I)) {
        Strings->Add(FSelectionStrings->Strings(I));
      }
    }
  } else {
    for (Integer I = 0; I < GetStrCount(); ++I) {
      if (!GetLineReadOnly(I)) {
        Strings->Add(GetRaw(I));
      }
    }
  }
  Strings->EndUpdate();
}

void TCustomMemoSource::DoWithBlock(Integer AReason, bool KeepCaret, TMemoProc Action, TMemoProc Marker) {
  TPosition* B = CopyPosition(FBlockBegin);
  TPosition* E = CopyPosition(FBlockEnd);
  const TSelectionType T = FSelectionType;
  try {
    InUpdate(this, AReason, [&] {
      TPosition* Caret = KeepCaret ? CopyCurrent() : nullptr;
      try {
        if (Marker != nullptr) {
          (this->*Marker)();
        }
        if (Action != nullptr) {
          (this->*Action)();
        }
      } catch (...) {
        delete Caret;
        throw;
      }
      if (Caret != nullptr) {
        RestorePosition(Caret);
      }
      FSelectionType = T;
      FBlockBegin->Assign(B);
      FBlockEnd->Assign(E);
    });
  } catch (...) {
    delete B;
    delete E;
    throw;
  }
  delete B;
  delete E;
}

void TCustomMemoSource::DoWithBlockStr(Integer AReason, bool KeepCaret, const TStrFunc& StrFunc) {
  if (FSelectionType == stNotSelected) {
    return;
  }
  InUpdate(this, AReason, [&] {
    TPosition* Caret = KeepCaret ? CopyCurrent() : nullptr;
    try {
      const bool AsBlock = FSelectionType == stBlockSel;
      const bool Colors = StoreColorData();
      TStringList L;
      TStringList C;
      for (Integer I = 0; I < FSelectionStrings->Count(); ++I) {
        const std::string Old = FSelectionStrings->Strings(I);
        std::string New = StrFunc(this, Old);
        std::string Colour = Colors ? FSelectionStrings->GetColorString(I) : std::string();
        if (Colors && New.size() != Old.size()) {
          Colour = StrFunc(this, Colour);
        }
        L.Add(New);
        C.Add(Colour);
      }
      const TRect R = GetSelectionRect();
      DeleteBlock();
      JumpTo(R.Left, R.Top);
      PasteBlockFromStringsEx(&L, Colors ? &C : nullptr, AsBlock);
      if (!AsBlock && L.Count() > 0) {
        // A stream ending in an empty line (a whole-line selection) keeps its end at the next line's start.
        if (L.Strings(L.Count() - 1).empty() && L.Count() > 1) {
          FBlockEnd->SetPosition(0, R.Top + L.Count() - 1);
        }
      }
    } catch (...) {
      delete Caret;
      throw;
    }
    if (Caret != nullptr) {
      ++SelectionLock;
      RestorePosition(Caret);
      --SelectionLock;
    }
  });
}

std::string TCustomMemoSource::FUpperCaseStr(const std::string& S) const { return AnsiUpperCase(S); }

std::string TCustomMemoSource::FLowerCaseStr(const std::string& S) const { return AnsiLowerCase(S); }

std::string TCustomMemoSource::FToggleStrCase(const std::string& S) const {
  std::string R = S;
  for (char& Ch : R) {
    const std::string One(1, Ch);
    const std::string Up = AnsiUpperCase(One);
    Ch = Up != One ? Up[0] : AnsiLowerCase(One)[0];
  }
  return R;
}

std::string TCustomMemoSource::FCapitalizeStr(const std::string& S) const {
  std::string R = AnsiLowerCase(S);
  bool First = true;
  for (char& Ch : R) {
    if (IsDelimiter(Ch)) {
      First = true;
      continue;
    }
    if (First) {
      Ch = AnsiUpperCase(std::string(1, Ch))[0];
    }
    First = false;
  }
  return R;
}

void TCustomMemoSource::UpperCaseBlock() {
  DoWithBlockStr(Reason::UpperBlock, true,
                 [](TCustomMemoSource* M, const std::string& S) { return M->FUpperCaseStr(S); });
}

void TCustomMemoSource::LowerCaseBlock() {
  DoWithBlockStr(Reason::LowerBlock, true,
                 [](TCustomMemoSource* M, const std::string& S) { return M->FLowerCaseStr(S); });
}

void TCustomMemoSource::ToggleBlockCase() {
  DoWithBlockStr(Reason::ToggleBlock, true,
                 [](TCustomMemoSource* M, const std::string& S) { return M->FToggleStrCase(S); });
}

void TCustomMemoSource::CapitalizeBlock() {
  DoWithBlockStr(Reason::CapitalizeBlock, true,
                 [](TCustomMemoSource* M, const std::string& S) { return M->FCapitalizeStr(S); });
}

void TCustomMemoSource::QuoteBlock() {
  DoWithBlockStr(Reason::QuoteBlock, true,
                 [](TCustomMemoSource* M, const std::string& S) { return M->FQuoteBlockStr(S); });
}

// ---- the selection as lines ----

Integer TSelectionStrings::GetCount() const {
  TCustomMemoSource* M = FMemoSource;
  if (M->SelectionType() == stNotSelected) {
    return 0;
  }
  return std::max<Integer>(M->BlockEnd()->LinePos - M->BlockBegin()->LinePos + 1, 0);
}

void TSelectionStrings::SliceBounds(Integer Index, const std::string& Display, Integer& From, Integer& Width,
                                    bool& Pad) const {
  TCustomMemoSource* M = FMemoSource;
  const TRect R = M->GetSelectionRect();
  const Integer Line = R.Top + Index;
  const auto Len = static_cast<Integer>(Display.size());
  Pad = false;
  if (M->SelectionType() == stBlockSel) {
    From = R.Left;
    Width = R.Right - R.Left + 1;
    Pad = true;
    return;
  }
  if (R.Top == R.Bottom) {
    From = R.Left;
    Width = R.Right - R.Left;
    Pad = true;
  } else if (Line == R.Top) {
    From = R.Left;
    Width = std::max<Integer>(Len - R.Left, 0);
  } else if (Line == R.Bottom) {
    From = 0;
    Width = std::min<Integer>(R.Right, Len);
  } else {
    From = 0;
    Width = Len;
  }
}

std::string TSelectionStrings::Get(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) {
    return {};
  }
  TCustomMemoSource* M = FMemoSource;
  const Integer Line = M->BlockBegin()->LinePos + Index;
  const std::string Raw = M->GetRaw(Line);
  const std::string Display = M->ExpandTabString(Raw);
  Integer From = 0;
  Integer Width = 0;
  bool Pad = false;
  SliceBounds(Index, Display, From, Width, Pad);
  if (Width <= 0) {
    return {};
  }
  if (M->GetStrings()->IgnoreTabs) {
    // The stored text: the columns become stored indices.
    const Integer A = M->GetRealTabIndex(Raw, From);
    const Integer B = M->GetRealTabIndex(Raw, From + Width);
    std::string R = A < static_cast<Integer>(Raw.size())
                        ? Raw.substr(static_cast<std::size_t>(A), static_cast<std::size_t>(B - A))
                        : std::string();
    if (Pad && static_cast<Integer>(R.size()) < B - A) {
      R.append(static_cast<std::size_t>(B - A) - R.size(), ' ');
    }
    return R;
  }
  std::string R = From < static_cast<Integer>(Display.size())
                      ? Display.substr(static_cast<std::size_t>(From), static_cast<std::size_t>(Width))
                      : std::string();
  if (Pad && static_cast<Integer>(R.size()) < Width) {
    R.append(static_cast<std::size_t>(Width) - R.size(), ' ');
  }
  return R;
}

std::string TSelectionStrings::GetColorString(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) {
    return {};
  }
  TCustomMemoSource* M = FMemoSource;
  const Integer Line = M->BlockBegin()->LinePos + Index;
  const std::string Display = M->GetDisplay(Line);
  const std::string Colour = M->GetStoredColorData(Line);
  Integer From = 0;
  Integer Width = 0;
  bool Pad = false;
  SliceBounds(Index, Display, From, Width, Pad);
  if (Width <= 0) {
    return {};
  }
  std::string R = From < static_cast<Integer>(Colour.size())
                      ? Colour.substr(static_cast<std::size_t>(From), static_cast<std::size_t>(Width))
                      : std::string();
  if (Pad && static_cast<Integer>(R.size()) < Width) {
    R.append(static_cast<std::size_t>(Width) - R.size(), '\0');
  }
  return R;
}

void TSelectionStrings::Clear() { FMemoSource->DeleteBlock(); }

}  // namespace Dcstring
