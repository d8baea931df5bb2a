// The editor's typing aids: code completion in a popup list, the popup hint, code templates inserted at the
// caret, bracket jumps and the highlighted bracket pair around the caret, and the scroll hint.
#include "editor/Easyeditor.h"

#include "editor/Easyhintwindow.h"
#include "editor/Easylistbox.h"
#include "editor/Easypopup.h"
#include "editor/Easyutils.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/VirtualKeys.h"

#include <algorithm>
#include <cstdint>

namespace {
constexpr int MaxInt = EasyMaxInt;

bool IsOpenBracket(char C) { return C == '(' || C == '<' || C == '[' || C == '{'; }
bool IsCloseBracket(char C) { return C == ')' || C == '>' || C == ']' || C == '}'; }
int BracketType(char C) {
  switch (C) {
    case '(':
    case ')': return 0;
    case '<':
    case '>': return 1;
    case '[':
    case ']': return 2;
    case '{':
    case '}': return 3;
    default: return -1;
  }
}

// Runs Body between LockUndo / UnlockUndo and inside one bracket of Operation, both closed on failure.
template <class F>
void OneUndoStep(TCustomEasyEditSource* Source, TEasyOperation Operation, F&& Body) {
  Source->LockUndo();
  Source->BeginSourceUpdate(Operation);
  try {
    Body();
  } catch (...) {
    Source->EndSourceUpdate();
    Source->UnlockUndo();
    throw;
  }
  Source->EndSourceUpdate();
  Source->UnlockUndo();
}
}  // namespace

// ---- the completion timer ----

void TCustomEasyEdit::EnableAutoCompleteTimer() {
  if (HandleAllocated()) {
    SetTimer(Handle(), EasyAutoCompleteTimerId, static_cast<UINT>(std::max(FAutoCompletePause, 1)), nullptr);
  }
}

void TCustomEasyEdit::CompletionKeyTyped(char Key) {
  DisableAutoCompleteTimer();
  // While a list is open the typing goes to it; the pause only counts with someone to ask.
  if (OpenPopup() != nullptr || (!OnAutoComplete && !OnDisplayHint)) {
    return;
  }
  CompletionStart = GetCurrentPosition();
  CompletionKey = Key;
  EnableAutoCompleteTimer();
}

bool TCustomEasyEdit::DoCodeCompletion() {
  const TPoint Caret = GetCurrentPosition();
  const bool Hooked = static_cast<bool>(OnAutoComplete) || static_cast<bool>(OnDisplayHint);
  if (!((Hooked && Caret.X == CompletionStart.X) || Caret.Y == CompletionStart.Y)) {
    return false;
  }
  if (OnAutoComplete) {
    TStrings* Items = FPopupWindow->Items();
    Items->Clear();
    bool AllowPopup = false;
    OnAutoComplete(this, Items, CompletionKey, AllowPopup);
    if (AllowPopup && Items->Count() > 0) {
      ShowPopupListBox(Items, false);
      return true;
    }
    return false;
  }
  if (OnDisplayHint) {
    std::string S;
    bool AllowPopup = false;
    OnDisplayHint(this, S, CompletionKey, AllowPopup);
    if (AllowPopup && !S.empty()) {
      TPoint P = ClientToScreen(TextToPixelPoint(Caret, CaretAtRowEnd));
      P.Y += FPainter->GetDefaultLineHeight();
      ShowPopupHint(S, P, PopupHint()->AutoHide);
      return true;
    }
  }
  return false;
}

// ---- the popup list ----

TEasyListBox* TCustomEasyEdit::PopupListBox() {
  if (!PopupList) {
    auto* L = new TEasyListBox(nullptr);
    L->AfterConstruction();
    PopupList.reset(L);
    L->SetVisible(false);
    L->SetBounds(0, 0, std::max(FPopupWindow->Width, 16), std::max(FPopupWindow->Height, 16));
    L->SetParent(this);
  }
  return static_cast<TEasyListBox*>(PopupList.get());
}

void TCustomEasyEdit::HidePopupListBox() { ClosePopupWindow(false); }

void TCustomEasyEdit::ShowPopupListBoxEx(TStrings* List, bool HookKeys, bool RememberStart) {
  HidePopupListBox();
  if (RememberStart) {
    CompletionStart = GetCurrentPosition();
  }
  TStrings* Items = FPopupWindow->Items();
  if (List != Items) {
    Items->Assign(List);
  }
  if (Items->Count() == 0) {
    return;
  }
  TEasyListBox* LB = PopupListBox();
  LB->SetVisible(false);
  LB->Items()->Clear();
  // The chains of the last list are no longer shown; without this they would pile up for the editor's life.
  LB->Painter()->DestroyItems();
  for (int I = 0; I < Items->Count(); ++I) {
    LB->AddRtfString(Items->Strings(I));
  }
  const int Needed = LB->AdjustColumns();
  LB->SetHeight(std::max(FPopupWindow->Height, LB->RowHeight()));
  if (FPopupWindow->AdjustSize) {
    int W = std::min(Screen->Width() / 2, Needed + 4);
    if (Items->Count() * LB->RowHeight() > LB->Height()) {
      W += GetSystemMetrics(SM_CXVSCROLL);
    }
    LB->SetWidth(std::max(W, 16));
  } else {
    LB->SetWidth(std::max(FPopupWindow->Width, 16));
  }
  if (HookKeys) {
    LB->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) { PopupListBoxKeyDown(Sender, Key, Shift); };
    LB->OnKeyPress = [this](TObject* Sender, char& Key) { PopupListBoxKeyPress(Sender, Key); };
  } else {
    LB->OnKeyDown = nullptr;
    LB->OnKeyPress = nullptr;
  }
  TPoint P = TextToPixelPoint(GetCurrentPosition(), CaretAtRowEnd);
  const TPoint S = ClientToScreen(P);
  if (S.Y + LB->Height() > Screen->Height()) {
    P.Y -= LB->Height();
  } else {
    P.Y += FPainter->GetDefaultLineHeight();
  }
  if (S.X + LB->Width() > Screen->Width()) {
    P.X -= LB->Width();
  }
  PopupControl(LB, this, P.X, P.Y, FPopupWindow->SizeAble, [this](TObject* Sender) { PopupCallBack(Sender); });
  // Chosen once the list box lives in the popup: moving it there makes its window anew.
  LB->SetItemIndex(0);
}

void TCustomEasyEdit::PopupCallBack(TObject*) {
  TEasyListBox* LB = PopupListBox();
  const int I = LB->ItemIndex();
  TStrings* Items = FPopupWindow->Items();
  if (I >= 0 && I < Items->Count()) {
    if (ShowingTemplates) {
      ShowingTemplates = false;
      InsertTemplate(static_cast<int>(reinterpret_cast<std::intptr_t>(Items->Objects(I))));
    } else {
      TCustomEasyEditSource* Source = GetEditSource();
      Source->BeginSourceUpdate(oprInsert);
      try {
        std::string S = Items->Strings(I);
        BeforeInsertPopup(S);
        const TPoint Caret = GetCurrentPosition();
        if (Caret.Y == CompletionStart.Y && Caret.X > CompletionStart.X) {
          Source->JumpTo(CompletionStart.X, CompletionStart.Y);
          Source->DeleteString(Caret.X - CompletionStart.X);
        }
        const TPoint At = Source->GetCharacterPos();
        Source->InsertString(S);
        Source->JumpTo(Source->GetRealPos(At.Y, At.X + static_cast<int>(S.size())), At.Y);
        SetSelType(slNone);
      } catch (...) {
        Source->EndSourceUpdate();
        ShowingTemplates = false;
        throw;
      }
      Source->EndSourceUpdate();
    }
  }
  ShowingTemplates = false;
}

void TCustomEasyEdit::PopupListBoxKeyDown(TObject*, Word& Key, TShiftState Shift) {
  switch (Key) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN: return;
    case VK_SPACE:
      if (!Shift.Contains(ssCtrl)) {
        if (TEasyPopup* P = OpenPopup()) {
          P->ClosePopup(true, false);
        }
      }
      Key = 0;
      break;
    case VK_LEFT:
    case VK_RIGHT: {
      HidePopupListBox();
      Word K = Key;
      KeyDown(K, Shift);
      Key = 0;
      break;
    }
    default: {
      Word K = Key;
      KeyDown(K, Shift);
      Key = 0;
      break;
    }
  }
  const TPoint Caret = GetCurrentPosition();
  if (Caret.Y != CompletionStart.Y || Caret.X < CompletionStart.X) {
    HidePopupListBox();
  }
}

void TCustomEasyEdit::PopupListBoxKeyPress(TObject*, char& Key) {
  if (Key == '.') {
    if (TEasyPopup* P = OpenPopup()) {
      P->ClosePopup(true, false);
    }
    char K = Key;
    KeyPress(K);
    Key = 0;
    return;
  }
  char K = Key;
  KeyPress(K);
  Key = 0;
  const TPoint Caret = GetCurrentPosition();
  if (Caret.Y != CompletionStart.Y || Caret.X < CompletionStart.X) {
    HidePopupListBox();
    return;
  }
  const std::string Line = GetLines()->Get(Caret.Y);
  const int From = std::min(static_cast<int>(Line.size()), CompletionStart.X);
  const int To = std::min(static_cast<int>(Line.size()), Caret.X);
  const std::string Word =
      AnsiUpperCase(Line.substr(static_cast<std::size_t>(From), static_cast<std::size_t>(To - From)));
  TEasyListBox* LB = PopupListBox();
  TStrings* Items = LB->Items();
  int Best = -1;
  std::size_t BestPos = std::string::npos;
  for (int I = 0; I < Items->Count(); ++I) {
    const std::string Text = AnsiUpperCase(Items->Strings(I));
    const std::size_t P = Text.find(Word);
    if (P == 0) {
      Best = I;
      break;
    }
    if (P != std::string::npos && (BestPos == std::string::npos || P < BestPos)) {
      Best = I;
      BestPos = P;
    }
  }
  LB->SetItemIndex(Best);
}

void TCustomEasyEdit::FreeTypingAids() {
  DisableAutoCompleteTimer();
  if (TEasyPopup* P = OpenPopup(); P && PopupList && P->HostedControl() == PopupList.get()) {
    ClosePopupWindow(false);
  }
  PopupList.reset();
  PopupHintWindow.reset();
}

// ---- the popup hint ----

TEasyHint* TCustomEasyEdit::PopupHint() {
  if (!PopupHintWindow) {
    auto* H = new TEasyHint(nullptr);
    H->AfterConstruction();
    PopupHintWindow.reset(H);
  }
  return static_cast<TEasyHint*>(PopupHintWindow.get());
}

void TCustomEasyEdit::ShowPopupHint(const std::string& S, TPoint P, bool AutoHide) {
  TEasyHint* H = PopupHint();
  H->AutoHide = AutoHide;
  // A flat scroll bar under the hint is drawn again first.
  if (FlatScrollBarsActive && (FScrollBars == ssVertical || FScrollBars == ssBoth)) {
    SetScrollPos(SB_VERT, GetScrollPos(SB_VERT));
  }
  H->ActivateHintAtPos(P, S);
}

void TCustomEasyEdit::HidePopupHint() {
  if (PopupHintWindow) {
    TEasyHint* H = static_cast<TEasyHint*>(PopupHintWindow.get());
    if (H->Visible() || H->State() != hstHide) {
      H->CancelHint();
    }
  }
}

// ---- the scroll hint ----

void TCustomEasyEdit::ProcessVScroll(int Code, int Pos) {
  (void)Pos;
  if (!FOptions.Contains(eoShowScrollHint) || (Code != SB_THUMBTRACK && Code != SB_ENDSCROLL)) {
    return;
  }
  if (Code == SB_ENDSCROLL) {
    HidePopupHint();
    return;
  }
  int N = FOptions.Contains(eoThumbTracking) ? FWindowLine : GetScrollPos(SB_VERT);
  // The text position at the top of the view: its line is shown, and its page (a page may start inside a line).
  TPoint Top{0, 0};
  if (PageLayout()) {
    const int Saved = FWindowLine;
    if (!FOptions.Contains(eoThumbTracking)) {
      FWindowLine = std::max(N, 0);
    }
    Top = PixelToTextPoint(TPoint{0, 0}, false);
    FWindowLine = Saved;
  } else if (FWordWrap) {
    Top = FWrapList->WrapPointToPoint(TPoint{0, std::max(N, 0)});
  } else {
    GetRealLineIndex(N);
    Top = TPoint{0, N};
  }
  N = Top.Y;
  int Page = 0;
  std::string Text;
  if (NeedPages()) {
    // The page is looked up (and laid out when the view is dragged past the pages laid out so far), not guessed
    // from stale page ranges.
    Page = GetPageAtPoint(TPoint{std::max(Top.X, 0), std::max(N, 0)}, false)->Index();
    Text = Format("\\rtf\\b Page : \\b0 %d, \\b Line : \\b0 %d ", {Page + 1, N + 1});
  } else {
    Text = Format("\\rtf\\b Line : \\b0 %d ", {N + 1});
  }
  DoScrollHint(N, Page, Text);
  TEasyHint* H = PopupHint();
  const TSize Size = H->GetSize(Text);
  TPoint Cursor{0, 0};
  ::GetCursorPos(&Cursor);
  const TPoint TopLeft = ClientToScreen(TPoint{0, 0});
  const TPoint BottomRight = ClientToScreen(TPoint{ClientWidth(), ClientHeight()});
  const int Y = std::clamp(Cursor.Y, TopLeft.Y, std::max(TopLeft.Y, BottomRight.Y - Size.cy));
  const TPoint At{BottomRight.X - Size.cx, Y};
  ScrollHintRect = Rect(At.X, At.Y, BottomRight.X, At.Y + Size.cy);
  ShowPopupHint(Text, At, false);
}

// ---- code templates ----

void TCustomEasyEdit::BeforeShowTemplate() {
  SetSelType(slNone);
  TCustomEasyEditSource* Source = GetEditSource();
  const TPoint Char = Source->GetCharacterPos();
  if (Char.Y < 0 || Char.Y >= LineCount()) {
    return;
  }
  const std::string Line = GetLines()->Get(Char.Y);
  const int X = std::min(Char.X, static_cast<int>(Line.size()));
  auto IsWordChar = [&](int I) {
    return I >= 0 && I < static_cast<int>(Line.size()) &&
           !InCharSet(Line[static_cast<std::size_t>(I)], Source->Delimiters);
  };
  if (!IsWordChar(X - 1)) {
    return;
  }
  // Inside a word (word characters on both sides) the word is left alone unless blocks persist.
  if (!FOptions.Contains(eoPersistentBlocks) && IsWordChar(X) && Char.X <= static_cast<int>(Line.size())) {
    return;
  }
  int Start = X;
  while (IsWordChar(Start - 1)) {
    --Start;
  }
  const int S = Source->GetRealPos(Char.Y, Start);
  const int E = Source->GetRealPos(Char.Y, X);
  SetSelection(Rect(S, Char.Y, E, Char.Y), slStream);
}

void TCustomEasyEdit::ShowCodeTemplates() {
  if (FCodeTemplates->Count() == 0) {
    return;
  }
  BeforeShowTemplate();
  const std::string Filter = SelType != slNone ? RemoveLastLineEnd(SelStrings()->Text()) : std::string();
  TStringList List;
  FCodeTemplates->TemplateToStrings(&List, Filter);
  if (List.Count() == 1) {
    InsertTemplate(static_cast<int>(reinterpret_cast<std::intptr_t>(List.Objects(0))));
    return;
  }
  ShowingTemplates = true;
  ShowPopupListBoxEx(&List, false, false);
  if (OpenPopup() == nullptr) {
    ShowingTemplates = false;
  }
}

void TCustomEasyEdit::InsertTemplate(int Index) {
  if (Index < 0 || Index >= FCodeTemplates->Count()) {
    return;
  }
  TCustomEasyEditSource* Source = GetEditSource();
  OneUndoStep(Source, oprInsertBlock, [&] {
    TStringList Lines;
    Lines.Assign(FCodeTemplates->Template(Index)->Code());
    if (OnBeforeInsertPopup) {
      std::string S = RemoveLastLineEnd(Lines.Text());
      BeforeInsertPopup(S);
      Lines.SetText(S);
    }
    // The selection (the word the filter came from) goes first.
    if (SelType == slStream) {
      const TRect R = SelRect;
      Source->JumpTo(R.Left, R.Top);
      if (R.Top == R.Bottom) {
        Source->DeleteString(R.Right - R.Left);
      } else {
        Source->DeleteString(MaxInt);
        for (int I = R.Top; I < R.Bottom; ++I) {
          Source->JoinStrings();
        }
        Source->DeleteString(R.Right);
      }
    } else if (SelType == slBlock) {
      const TRect R = SelRect;
      for (int Y = R.Top; Y <= R.Bottom; ++Y) {
        Source->JumpTo(R.Left, Y);
        Source->DeleteString(R.Right - R.Left);
      }
      Source->JumpTo(R.Left, R.Top);
    }
    SetSelType(slNone);
    const TPoint P = GetCurrentPosition();
    const int N = Lines.Count();
    // The text after the caret goes below the template: one break per template line, the caret staying.
    for (int I = 0; I < N; ++I) {
      Source->BreakString();
      Source->JumpTo(P.X, P.Y);
    }
    // The lines go in as a block: every one starts at the caret's column.
    for (int I = 0; I < N; ++I) {
      const int Y = P.Y + I;
      const int Length = Source->LineLength(Y);
      Source->JumpTo(std::min(P.X, Length), Y);
      std::string Text = Lines.Strings(I);
      if (Length < P.X) {
        Text.insert(0, static_cast<std::size_t>(P.X - Length), ' ');
      }
      Source->InsertString(Text);
    }
    int Row = -1;
    int Column = 0;
    for (int I = 0; I < N && Row < 0; ++I) {
      const std::size_t C = Lines.Strings(I).find('|');
      if (C != std::string::npos) {
        Row = I;
        Column = static_cast<int>(C);
      }
    }
    if (Row >= 0) {
      // The caret stands where the marker was, and the marker goes.
      Source->JumpTo(P.X + Column, P.Y + Row);
      Source->DeleteString(1);
    } else {
      Source->JumpTo(P.X + static_cast<int>(N > 0 ? Lines.Strings(N - 1).size() : 0), P.Y + std::max(N - 1, 0));
    }
    SetSelType(slNone);
  });
}

// ---- brackets ----

void TCustomEasyEdit::FindBracket() {
  TCustomEasyEditSource* Source = GetEditSource();
  TPoint P = Source->GetCharacterPos();
  if (P.Y < 0 || P.Y >= LineCount()) {
    return;
  }
  const std::string Line = GetLines()->Get(P.Y);
  if (P.X < 0 || P.X >= static_cast<int>(Line.size())) {
    return;
  }
  const char C = Line[static_cast<std::size_t>(P.X)];
  bool Found = false;
  if (IsOpenBracket(C)) {
    Found = Source->FindCloseBracket(C, P);
  } else if (IsCloseBracket(C)) {
    Found = Source->FindOpenBracket(C, P);
  }
  if (Found) {
    Source->BeginSourceUpdate(oprNavigate);
    try {
      Source->JumpTo(Source->GetRealPos(P.Y, P.X), P.Y);
    } catch (...) {
      Source->EndSourceUpdate();
      throw;
    }
    Source->EndSourceUpdate();
  }
}

void TCustomEasyEdit::InvalidateBrackets() {
  if (!HandleAllocated()) {
    return;
  }
  const int H = FPainter->GetDefaultLineHeight();
  for (const TPoint& B : {BracketPos1, BracketPos2}) {
    if (B.X >= 0 && B.Y >= 0) {
      const TPoint P = TextToPixelPoint(TPoint{GetEditSource()->GetRealPos(B.Y, B.X), B.Y}, false);
      const TRect R = Rect(P.X, P.Y, P.X + H, P.Y + H);
      InvalidateRect(Handle(), &R, FALSE);
    }
  }
}

void TCustomEasyEdit::UnHighlightBrackets() {
  InvalidateBrackets();
  BracketPos1 = BracketPos2 = TPoint{-1, -1};
}

void TCustomEasyEdit::HighlightBrackets() {
  UnHighlightBrackets();
  TCustomEasyEditSource* Source = GetEditSource();
  const TPoint Caret = Source->GetCharacterPos();
  TEasyStrings* Lines = GetLines();
  if (Caret.Y < 0 || Lines->Count() == 0) {
    return;
  }
  // Walking back from the caret, a closing bracket not yet answered means the next opening bracket of its kind
  // is closed before the caret; the first opening bracket left over encloses the caret.
  int Pending[4] = {0, 0, 0, 0};
  for (int Y = std::min(Caret.Y, Lines->Count() - 1); Y >= 0; --Y) {
    const std::string& S = Lines->GetStrRef(Y);
    int X = Y == Caret.Y ? std::min(Caret.X, static_cast<int>(S.size())) : static_cast<int>(S.size());
    for (--X; X >= 0; --X) {
      const char C = S[static_cast<std::size_t>(X)];
      const int T = BracketType(C);
      if (T < 0) {
        continue;
      }
      if (IsCloseBracket(C)) {
        ++Pending[T];
        continue;
      }
      if (Pending[T] > 0) {
        --Pending[T];
        continue;
      }
      TPoint Partner{X, Y};
      if (Source->FindCloseBracket(C, Partner) &&
          (Partner.Y > Caret.Y || (Partner.Y == Caret.Y && Partner.X >= Caret.X))) {
        BracketPos1 = TPoint{X, Y};
        BracketPos2 = Partner;
        InvalidateBrackets();
        return;
      }
    }
  }
}

bool TCustomEasyEdit::CheckBrackets(int Line, int Column) const {
  // The painter asks with 0-based character columns.
  if (!FOptions.Contains(eoHighlightBrackets)) {
    return false;
  }
  return (BracketPos1.X == Column && BracketPos1.Y == Line) || (BracketPos2.X == Column && BracketPos2.Y == Line);
}
