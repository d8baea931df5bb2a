// The memo source's tab stops, tab expansion and column conversion, Tab and Shift+Tab, block indentation and
// justification.
#include "codeeditor/Dcstring.h"

#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace Dcstring {

namespace {
constexpr Integer MaxTabStop = 9999;
}  // namespace

void TCustomMemoSource::SetTabStops(const std::string& S) {
  if (!S.empty() && S != FTabStopsStr) {
    std::vector<Integer> Stops;
    std::size_t Start = 0;
    while (Start <= S.size()) {
      std::size_t Comma = S.find(',', Start);
      if (Comma == std::string::npos) {
        Comma = S.size();
      }
      const std::string Entry = Trim(S.substr(Start, Comma - Start));
      const Integer V = StrToInt(Entry);
      // A stop beyond 9999 would make one tab a line of millions of blanks.
      if (V <= 0 || V > MaxTabStop || (!Stops.empty() && V <= Stops.back())) {
        throw Exception(SInvalidTabRack);
      }
      Stops.push_back(V);
      Start = Comma + 1;
    }
    if (Stops.empty()) {
      Stops.push_back(8);
    }
    FTabStops = std::move(Stops);
    FTabStopsStr = S;
  }
  if (FOptions.Contains(soUseTabCharacter)) {
    ParserChanged();
  }
}

Integer TCustomMemoSource::ExtraTabDelta() const {
  if (FTabStops.empty()) {
    return 8;
  }
  if (FTabStops.size() == 1) {
    return FTabStops[0];
  }
  return FTabStops.back() - FTabStops[FTabStops.size() - 2];
}

Integer TCustomMemoSource::GetVirtualTabStop(Integer Index) const {
  const auto Count = static_cast<Integer>(FTabStops.size());
  if (Index < Count) {
    return FTabStops[static_cast<std::size_t>(Index)];
  }
  const Integer Last = Count > 0 ? FTabStops.back() : 0;
  return Last + (Index - Count + 1) * ExtraTabDelta();
}

Integer TCustomMemoSource::TabWidthAt(Integer Disp) const {
  for (Integer Stop : FTabStops) {
    if (Stop > Disp) {
      return Stop - Disp;
    }
  }
  const Integer Last = FTabStops.empty() ? 0 : FTabStops.back();
  const Integer Delta = ExtraTabDelta();
  const Integer Next = Last + ((Disp - Last) / Delta + 1) * Delta;
  return Next - Disp;
}

std::string TCustomMemoSource::ExpandTabString(const std::string& S) const {
  if (S.find('\t') == std::string::npos) {
    return S;
  }
  std::string R;
  R.reserve(S.size() + 16);
  for (char C : S) {
    if (C == '\t') {
      R.append(static_cast<std::size_t>(TabWidthAt(static_cast<Integer>(R.size()))), ' ');
    } else {
      R += C;
    }
  }
  return R;
}

void TCustomMemoSource::CheckForTabs(TObject*, std::string& S) const { S = ExpandTabString(S); }

Integer TCustomMemoSource::ChangeTabString(std::string& S, Integer Index, Integer& StopIndex) const {
  return ChangeTabStringEx(S, Index, ' ', StopIndex);
}

Integer TCustomMemoSource::ChangeTabStringEx(std::string& S, Integer Index, char FillChar, Integer& StopIndex) const {
  S.erase(static_cast<std::size_t>(Index - 1), 1);
  while (GetVirtualTabStop(StopIndex) <= Index - 1) {
    ++StopIndex;
  }
  const Integer Width = GetVirtualTabStop(StopIndex) - Index + 1;
  S.insert(static_cast<std::size_t>(Index - 1), static_cast<std::size_t>(Width), FillChar);
  return Width;
}

Integer TCustomMemoSource::GetRealTabIndex(const std::string& S, Integer Col) const {
  Integer Disp = 0;
  for (Integer I = 0; I < static_cast<Integer>(S.size()); ++I) {
    if (Disp >= Col) {
      return I;
    }
    if (S[static_cast<std::size_t>(I)] == '\t') {
      const Integer W = TabWidthAt(Disp);
      if (Col < Disp + W) {
        return I + 1;  // inside the expansion: the character after the tab
      }
      Disp += W;
    } else {
      ++Disp;
    }
  }
  return static_cast<Integer>(S.size()) + std::max<Integer>(Col - Disp, 0);
}

Integer TCustomMemoSource::GetRelativeTabIndex(const std::string& S, Integer Index) const {
  Integer Disp = 0;
  const Integer N = std::min<Integer>(Index, static_cast<Integer>(S.size()));
  for (Integer I = 0; I < N; ++I) {
    Disp += S[static_cast<std::size_t>(I)] == '\t' ? TabWidthAt(Disp) : 1;
  }
  return Disp + std::max<Integer>(Index - N, 0);
}

bool TCustomMemoSource::GetTabDelta(Integer Col, Integer Line, Integer& Delta, bool Forward) {
  Delta = 1;
  const std::string S = GetRaw(Line);
  Integer Disp = 0;
  for (char C : S) {
    if (C == '\t') {
      const Integer W = TabWidthAt(Disp);
      if (Forward && Col >= Disp && Col < Disp + W) {
        Delta = Disp + W - Col;
        return true;
      }
      if (!Forward && Col > Disp && Col <= Disp + W) {
        Delta = Col - Disp;
        return true;
      }
      Disp += W;
    } else {
      ++Disp;
    }
    if (Disp > Col + 1) {
      break;
    }
  }
  return false;
}

void TCustomMemoSource::CheckDeltaChar(Integer Line, Integer Col, Integer& DeltaChar) {
  const Integer Target = Col + DeltaChar;
  const std::string S = GetRaw(Line);
  Integer Disp = 0;
  for (char C : S) {
    if (Disp > Target) {
      return;
    }
    if (C == '\t') {
      const Integer W = TabWidthAt(Disp);
      if (Target > Disp && Target < Disp + W) {
        const Integer ToStart = Target - Disp;
        const Integer ToEnd = Disp + W - Target;
        DeltaChar = (ToEnd <= ToStart ? Disp + W : Disp) - Col;
        return;
      }
      Disp += W;
    } else {
      ++Disp;
    }
  }
}

void TCustomMemoSource::TabCursorRight() {
  Integer Delta = 1;
  GetTabDelta(GetCurChar(), GetCurLine(), Delta, true);
  Navigate(0, Delta);
}

void TCustomMemoSource::TabCursorLeft() {
  if (GetCurChar() == 0) {
    Navigate(0, -1);
    return;
  }
  Integer Delta = 1;
  GetTabDelta(GetCurChar(), GetCurLine(), Delta, false);
  Navigate(0, -Delta);
}

std::string TCustomMemoSource::GetSpecialString(Integer Index, bool Special, char TabChar, char SpaceChar) {
  if (!Special || (TabChar == 0 && SpaceChar == 0)) {
    return GetDisplay(Index);
  }
  std::string R;
  for (char C : GetRaw(Index)) {
    if (C == '\t') {
      const Integer W = TabWidthAt(static_cast<Integer>(R.size()));
      std::string Expansion(static_cast<std::size_t>(W), ' ');
      if (TabChar != 0) {
        Expansion[static_cast<std::size_t>(std::max<Integer>(W / 2, 1) - 1)] = TabChar;
      }
      R += Expansion;
    } else {
      R += C == ' ' && SpaceChar != 0 ? SpaceChar : C;
    }
  }
  return R;
}

std::string TCustomMemoSource::ExpandTabs(const std::string& S, Integer N) {
  if (S.find('\t') == std::string::npos) {
    return S;
  }
  std::string R;
  for (char C : S) {
    if (C == '\t') {
      R.append(static_cast<std::size_t>(std::max<Integer>(N, 0)), ' ');
    } else {
      R += C;
    }
  }
  return R;
}

void TCustomMemoSource::ExpandTabsinStrings(TStrings* Src, TStrings* Dst, Integer N) {
  std::vector<std::string> Lines;
  for (Integer I = 0; I < Src->Count(); ++I) {
    Lines.push_back(ExpandTabs(Src->Strings(I), N));
  }
  Dst->BeginUpdate();
  Dst->Clear();
  for (const std::string& L : Lines) {
    Dst->Add(L);
  }
  Dst->EndUpdate();
}

std::string TCustomMemoSource::ConvertTabs(const std::string& S) const {
  return FOptions.Contains(soUseTabCharacter) ? S : ExpandTabs(S, FSpacesInTab);
}

Integer TCustomMemoSource::GetSmartTabPos(Integer StopIndex, Integer Col, Integer Line) {
  Integer Result = GetVirtualTabStop(StopIndex);
  if (!FOptions.Contains(soSmartTab) || Line <= 0) {
    return Result;
  }
  Integer Above = Line - 1;
  while (Above >= 0 && DisplayLength(Above) <= Col) {
    --Above;
  }
  if (Above < 0) {
    return Result;
  }
  const std::string D = GetDisplay(Above);
  const auto Lead = static_cast<Integer>(D.find_first_not_of(" \t"));
  if (Lead > GetCurChar()) {
    return Lead;
  }
  // Align with the next word of the line above.
  const TSelectionType SavedType = FSelectionType;
  const TPoint SavedCaret = GetCaretPoint();
  const TStringsOptions SavedOptions = FOptions;
  TPosition* B = CopyPosition(FBlockBegin);
  TPosition* E = CopyPosition(FBlockEnd);
  FOptions.Exclude(soLimitEOL);
  FCaretPos->SetPosition(Col, Above);
  const bool Undo = FAllowUndo;
  FAllowUndo = false;
  JumpWordRight();
  FAllowUndo = Undo;
  if (GetCurLine() == Above) {
    Result = GetCurChar();
  }
  FCaretPos->SetPosition(SavedCaret.X, SavedCaret.Y);
  FOptions = SavedOptions;
  FSelectionType = SavedType;
  FBlockBegin->Assign(B);
  FBlockEnd->Assign(E);
  delete B;
  delete E;
  return Result;
}

void TCustomMemoSource::PressTab() {
  BeginUndoBlock();
  BeginUpdate(Reason::Tab);
  try {
    bool Indent = false;
    if (FSelectionType != stNotSelected) {
      const TRect R = GetSelectionRect();
      if (R.Bottom > R.Top) {
        Indent = true;
      } else {
        DeleteBlock();
      }
    }
    const Integer Col = GetCurChar();
    Integer Stop = 0;
    while (GetVirtualTabStop(Stop) <= Col) {
      ++Stop;
    }
    const Integer Target = std::max(GetSmartTabPos(Stop, Col, GetCurLine()), Col + 1);
    const bool Tabs = FOptions.Contains(soUseTabCharacter);
    const std::string Text = Tabs ? std::string("\t") : std::string(static_cast<std::size_t>(Target - Col), ' ');
    if (Indent) {
      FBlockIndentStr = Text;
      IndentBlock();
      FBlockIndentStr.clear();
    } else if (GetOverwrite()) {
      Navigate(0, Target - Col);
    } else if (Insert(Text)) {
      if (Tabs) {
        TabCursorRight();
      } else {
        Navigate(0, Target - Col);
      }
    }
  } catch (...) {
    FBlockIndentStr.clear();
    EndUpdate();
    EndUndoBlock();
    throw;
  }
  EndUpdate();
  EndUndoBlock();
}

void TCustomMemoSource::PressShiftTab() {
  Integer Lines = 0;
  Integer Col = GetCurChar();
  Integer Line = GetCurLine();
  if (FSelectionType != stNotSelected) {
    const TRect R = GetSelectionRect();
    Lines = R.Bottom - R.Top + 1;
    Col = FSelectionType == stBlockSel ? std::min(R.Left, R.Right) : R.Left;
    Line = R.Top;
  }
  Integer Stop = 0;
  while (GetVirtualTabStop(Stop) < Col) {
    ++Stop;
  }
  if (Lines >= 2) {
    const Integer Smart = GetSmartTabPos(Stop, Col, Line);
    FBlockIndentStr = std::string(static_cast<std::size_t>(std::max<Integer>(Smart - Col, 0)), ' ');
    try {
      OutDentBlock();
    } catch (...) {
      FBlockIndentStr.clear();
      throw;
    }
    FBlockIndentStr.clear();
    return;
  }
  const Integer Caret = GetCurChar();
  Integer Prev = 0;
  for (Integer K = 0; GetVirtualTabStop(K) < Caret; ++K) {
    Prev = GetVirtualTabStop(K);
  }
  Navigate(0, Prev - Caret);
}

std::string TCustomMemoSource::FIndentBlockStr(const std::string& S) {
  if (S.empty()) {
    return S;
  }
  const std::string Add =
      FBlockIndentStr.empty() ? std::string(static_cast<std::size_t>(FBlockIndent), ' ') : FBlockIndentStr;
  return Add + S;
}

std::string TCustomMemoSource::FOutDentBlockStr(const std::string& S) {
  const auto N =
      static_cast<std::size_t>(FBlockIndentStr.empty() ? FBlockIndent : static_cast<Integer>(FBlockIndentStr.size()));
  std::size_t K = 0;
  while (K < N && K < S.size() && static_cast<Byte>(S[K]) <= ' ') {
    ++K;
  }
  return S.substr(K);
}

void TCustomMemoSource::IndentBlock() {
  DoWithBlockStr(Reason::IndentBlock, true,
                 [](TCustomMemoSource* M, const std::string& S) { return M->FIndentBlockStr(S); });
}

void TCustomMemoSource::OutDentBlock() {
  DoWithBlockStr(Reason::OutdentBlock, true,
                 [](TCustomMemoSource* M, const std::string& S) { return M->FOutDentBlockStr(S); });
}

Integer TCustomMemoSource::GetMemoIndent(Integer Column) {
  if (!OnGetPosition) {
    return Column;
  }
  IndentRequest = true;
  Integer DeltaLine = Column;
  Integer DeltaChar = Column;
  try {
    OnGetPosition(this, DeltaLine, DeltaChar);
  } catch (...) {
    IndentRequest = false;
    throw;
  }
  IndentRequest = false;
  return DeltaChar;
}

std::string TCustomMemoSource::ExpandString(const std::string& S, Integer Width) {
  std::string R = S;
  while (!R.empty() && R.back() != '\t' && static_cast<Byte>(R.back()) <= ' ') {
    R.pop_back();
  }
  const auto L = static_cast<Integer>(R.size());
  if (L >= Width) {
    return R;
  }
  std::size_t Lead = 0;
  while (Lead < R.size() && static_cast<Byte>(R[Lead]) <= ' ') {
    ++Lead;
  }
  std::vector<std::size_t> Gaps;
  for (std::size_t I = Lead; I < R.size(); ++I) {
    if (R[I] == ' ') {
      Gaps.push_back(I);
    }
  }
  if (Gaps.empty()) {
    return R;
  }
  const auto G = static_cast<Integer>(Gaps.size());
  const Integer Q = (Width - L) / G;
  const Integer Rem = (Width - L) % G;
  // From the last gap backwards, so earlier positions stay valid; the last Rem gaps take one more.
  for (Integer K = G - 1; K >= 0; --K) {
    const Integer Extra = Q + (K >= G - Rem ? 1 : 0);
    R.insert(Gaps[static_cast<std::size_t>(K)], static_cast<std::size_t>(Extra), ' ');
  }
  return R;
}

void TCustomMemoSource::ExpandStrings(TStrings* Strings, Integer Width) {
  for (Integer I = 0; I < Strings->Count(); ++I) {
    Strings->SetStrings(I, ExpandString(Strings->Strings(I), Width));
  }
}

void TCustomMemoSource::JustifyBlock() {
  if (FSelectionType == stNotSelected) {
    return;
  }
  BeginUpdate(Reason::Paste);
  try {
    const TPoint Caret = GetCaretPoint();
    const TSelectionType T = FSelectionType;
    const TRect R = GetSelectionRect();
    TStringList L;
    Integer Width = 0;
    for (Integer I = 0; I < FSelectionStrings->Count(); ++I) {
      std::string S = FSelectionStrings->Strings(I);
      while (!S.empty() && static_cast<Byte>(S.back()) <= ' ' && S.back() != '\t') {
        S.pop_back();
      }
      Width = std::max<Integer>(Width, static_cast<Integer>(S.size()));
      L.Add(S);
    }
    ExpandStrings(&L, Width);
    DeleteBlock();
    JumpTo(R.Left, R.Top);
    PasteBlockFromStrings(&L, T == stBlockSel);
    JumpTo(Caret.X, Caret.Y);
    FSelectionType = stNotSelected;
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomMemoSource::JustifyText() {
  Integer Width = 0;
  for (Integer I = 0; I < GetStrCount(); ++I) {
    Width = std::max(Width, DisplayLength(I));
  }
  for (Integer I = 0; I < GetStrCount(); ++I) {
    TStringItem* Item = GetStringItem(I);
    Item->Text = ExpandString(Item->Text, Width);
    Item->ItemState.Exclude(isWasParsed);
  }
  ClearUndoBuffer();
  ParserChanged();
}

}  // namespace Dcstring
