// The memo source's search and replace over its lines or its selection, the search dialog hooks, and bracket
// matching that skips strings and comments.
#include "codeeditor/Dcstring.h"
#include "codeeditor/Replunit.h"
#include "codeeditor/Searrepldlg.h"
#include "codeeditor/Searunit.h"

#include "platform/controls/Dialogs.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/SysUtils.h"
#include "suitebase/Dcinpfrm.h"
#include "suitebase/Dcregexpr.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace Dcstring {

namespace {
const std::array<char, 256>& UpperTable() {
  static const std::array<char, 256> T = [] {
    std::array<char, 256> R{};
    for (int B = 0; B < 256; ++B) {
      R[static_cast<std::size_t>(B)] = static_cast<char>(Cp1252Upper(static_cast<unsigned char>(B)));
    }
    return R;
  }();
  return T;
}

void Fold(std::string& S) {
  const auto& T = UpperTable();
  for (char& C : S) {
    C = T[static_cast<unsigned char>(C)];
  }
}

// Shows the busy cursor while it lives (unless it already shows).
class TBusyCursor {
public:
  TBusyCursor() : FOld(Screen->Cursor()) {
    if (FOld != crHourGlass) {
      Screen->SetCursor(crHourGlass);
    }
  }
  ~TBusyCursor() {
    if (FOld != crHourGlass) {
      Screen->SetCursor(FOld);
    }
  }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
  TCursor FOld;
};

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

// Where the last zero-length match was, so that repeating a search always advances.
struct TZeroMatch {
  bool Valid = false;
  Integer Line = 0;
  Integer Col = 0;
};
TZeroMatch GZeroMatch;
}  // namespace

// ---- options ----

TSearchOptions* TCustomMemoSource::GetSearchOptions() { return Dcstring::GetSearchOptions(); }

void TCustomMemoSource::SetSearchOptions(TSearchOptions* Options) { Dcstring::GetSearchOptions()->Assign(Options); }

void TCustomMemoSource::ToggleCaseSensitiveSearch() {
  GetSearchOptions()->CaseSensitive = !GetSearchOptions()->CaseSensitive;
}

void TCustomMemoSource::ToggleRegularExprSearch() {
  GetSearchOptions()->RegularExpr = !GetSearchOptions()->RegularExpr;
}

void TCustomMemoSource::SmartSearchOptions() {
  TSearchOptions* O = GetSearchOptions();
  if (FOptions.Contains(soFindTextAtCursor)) {
    O->TextToFind = GetTextAtCursor();
  }
  const bool OnSelection = FSelectionType != stNotSelected &&
                           (IsPosInBlock(GetCurChar(), GetCurLine()) ||
                            (GetCurChar() == FBlockBegin->CharPos && GetCurLine() == FBlockBegin->LinePos) ||
                            (GetCurChar() == FBlockEnd->CharPos && GetCurLine() == FBlockEnd->LinePos));
  O->Scope = OnSelection ? ssSelectedText : ssGlobal;
}

bool TCustomMemoSource::HandleSearchException(const std::string& Error) {
  bool Handled = !ModalSearchAndReplace;
  if (OnSearchException) {
    OnSearchException(this, Error, Handled);
  }
  return Handled;
}

void TCustomMemoSource::BeforeFindReplace(bool InReplace) {
  if (OnBeforeFindReplace) {
    OnBeforeFindReplace(this, InReplace);
  }
}

// ---- find ----

bool TCustomMemoSource::Find() {
  TSearchOptions* O = GetSearchOptions();
  O->FirstSearch = true;
  O->InReplace = false;
  O->ShowNotFound = true;
  Integer Len = 0;
  return InternalFind(Len);
}

bool TCustomMemoSource::Replace() {
  TSearchOptions* O = GetSearchOptions();
  O->FirstSearch = true;
  O->InReplace = true;
  O->ShowNotFound = true;
  return InternalReplace();
}

bool TCustomMemoSource::FindNext() {
  TSearchOptions* O = GetSearchOptions();
  O->ShowNotFound = true;
  if (FSelectionType == stNotSelected) {
    O->Scope = ssGlobal;
  }
  if (O->FirstSearch) {
    return false;
  }
  if (O->InReplace) {
    return InternalReplace();
  }
  Integer Len = 0;
  return InternalFind(Len);
}

bool TCustomMemoSource::SearchinStringsLocal(Integer& Line, Integer& Col, Integer& FoundLen, bool Selection) {
  TSearchOptions* O = GetSearchOptions();
  const Integer Count = Selection ? FSelectionStrings->Count() : GetStrCount();
  if (Count == 0) {
    return false;
  }
  const bool Forward = O->Direction == sdForward;
  if (O->FirstSearch) {
    GZeroMatch.Valid = false;
    if (O->Origin == soEntireScope) {
      if (Forward) {
        Line = 0;
        Col = 1;
      } else {
        Line = Count - 1;
        Col = MaxInt;
      }
    }
    O->FirstSearch = false;
  }
  if (O->TextToFind.empty()) {
    return false;
  }
  std::unique_ptr<Dcregexpr::TRegExpr> Expr;
  if (O->RegularExpr) {
    Expr = std::make_unique<Dcregexpr::TRegExpr>(O->TextToFind, O->CaseSensitive);
  }
  std::string Pattern = O->TextToFind;
  if (!O->CaseSensitive) {
    Fold(Pattern);
  }
  const auto PLen = static_cast<Integer>(Pattern.size());
  std::string Buffer;
  auto LineText = [&](Integer L) -> const std::string& {
    if (Selection) {
      Buffer = FSelectionStrings->Strings(L);
    } else {
      const TStringItem* Item = GetStringItem(L);
      if (Item->Text.find('\t') == std::string::npos && (O->CaseSensitive || Expr)) {
        return Item->Text;
      }
      Buffer = ExpandTabString(Item->Text);
    }
    if (!O->CaseSensitive && !Expr) {
      Fold(Buffer);
    }
    return Buffer;
  };
  auto WholeWordAt = [&](const std::string& S, Integer Start, Integer Len) {
    if (!O->WholeWordsOnly) {
      return true;
    }
    const bool Before = Start == 0 || IsDelimiter(S[static_cast<std::size_t>(Start - 1)]);
    const bool After =
        Start + Len >= static_cast<Integer>(S.size()) || IsDelimiter(S[static_cast<std::size_t>(Start + Len)]);
    return Before && After;
  };
  if (Forward) {
    Integer From = std::max<Integer>(Col, 1) - 1;  // 0-based start of the search on the first line
    for (Integer L = std::max<Integer>(Line, 0); L < Count; ++L, From = 0) {
      const std::string& S = LineText(L);
      if (Expr) {
        Integer Start = From;
        while (Start <= static_cast<Integer>(S.size())) {
          Integer P = Start + 1;
          Integer Len = 0;
          if (Dcregexpr::EmptyLineStr(O->TextToFind) && S.empty() && L == Line && Start == From && From > 0) {
            break;
          }
          if (!Expr->Find(S, P, Len, true)) {
            break;
          }
          if (Len == 0 && GZeroMatch.Valid && GZeroMatch.Line == L && GZeroMatch.Col == P && !Selection) {
            Start = P;  // the same empty match again: one character on
            continue;
          }
          if (WholeWordAt(S, P - 1, Len)) {
            Line = L;
            Col = P;
            FoundLen = Len;
            GZeroMatch = Len == 0 ? TZeroMatch{true, L, P} : TZeroMatch{};
            return true;
          }
          Start = P;
        }
        continue;
      }
      std::size_t Pos = static_cast<std::size_t>(From);
      while (Pos <= S.size()) {
        Pos = S.find(Pattern, Pos);
        if (Pos == std::string::npos) {
          break;
        }
        if (WholeWordAt(S, static_cast<Integer>(Pos), PLen)) {
          Line = L;
          Col = static_cast<Integer>(Pos) + 1;
          FoundLen = PLen;
          return true;
        }
        ++Pos;
      }
    }
    return false;
  }
  // Backward: a match starts left of the start column; each line without its trailing blanks.
  Integer Limit = Col;  // 1-based: a match starts before this column
  for (Integer L = std::min<Integer>(Line, Count - 1); L >= 0; --L, Limit = MaxInt) {
    std::string S = LineText(L);
    while (!S.empty() && static_cast<Byte>(S.back()) <= ' ') {
      S.pop_back();
    }
    if (Expr) {
      // End falls at every step, so the scan of a line always ends.
      Integer End = std::min<Integer>(Limit - 1, static_cast<Integer>(S.size()));
      while (End >= 1) {
        Integer P = End;
        Integer Len = 0;
        if (!Expr->Find(S, P, Len, false)) {
          break;
        }
        if (P > End) {
          --End;
          continue;
        }
        if (Len == 0 && GZeroMatch.Valid && GZeroMatch.Line == L && GZeroMatch.Col == P) {
          End = P - 1;  // the same empty match again: one character on
          continue;
        }
        if (WholeWordAt(S, P - 1, Len)) {
          Line = L;
          Col = P;
          FoundLen = Len;
          GZeroMatch = Len == 0 ? TZeroMatch{true, L, P} : TZeroMatch{};
          return true;
        }
        End = P - 1;
      }
      continue;
    }
    if (PLen > static_cast<Integer>(S.size())) {
      continue;
    }
    Integer Start = std::min<Integer>(Limit - 2, static_cast<Integer>(S.size()) - PLen);
    while (Start >= 0) {
      const std::size_t Pos = S.rfind(Pattern, static_cast<std::size_t>(Start));
      if (Pos == std::string::npos) {
        break;
      }
      if (WholeWordAt(S, static_cast<Integer>(Pos), PLen)) {
        Line = L;
        Col = static_cast<Integer>(Pos) + 1;
        FoundLen = PLen;
        return true;
      }
      Start = static_cast<Integer>(Pos) - 1;
    }
  }
  return false;
}

bool TCustomMemoSource::InternalFind(Integer& FoundLen) {
  FoundLen = 0;
  TSearchOptions* O = GetSearchOptions();
  ++SelectionLock;
  bool Result = false;
  try {
    BeforeFindReplace(false);
    const bool Selection = O->Scope == ssSelectedText;
    if (Selection && FSelectionType == stNotSelected) {
      if (O->FirstSearch && !HandleSearchException(SErrEmptySel)) {
        throw Exception(SErrEmptySel);
      }
      --SelectionLock;
      return false;
    }
    InUpdate(this, Reason::Find, [&] {
      if (O->WholeWordsOnly && !O->RegularExpr &&
          std::any_of(O->TextToFind.begin(), O->TextToFind.end(), [&](char C) { return IsDelimiter(C); })) {
        O->WholeWordsOnly = false;
      }
      TPoint Start = GetCaretPoint();
      if (Selection) {
        if (O->FirstSearch && O->Origin == soFromCursor && !IsPosInBlock(Start.X, Start.Y) &&
            !IsValidBlockPos(Start.X, Start.Y)) {
          if (!HandleSearchException(SErrOutsideSel)) {
            throw Exception(SErrOutsideSel);
          }
          return;
        }
        Start = PointToSelPoint(Start);
      }
      Integer Line = Start.Y;
      Integer Col = O->Direction == sdForward ? Start.X + 1 : Start.X + 1;
      bool Found = false;
      bool Failed = false;
      {
        TBusyCursor Busy;
        try {
          Found = SearchinStringsLocal(Line, Col, FoundLen, Selection);
        } catch (Exception& E) {
          Failed = true;
          if (!HandleSearchException(E.Message())) {
            MessageDlg(E.Message(), mtInformation, TMsgDlgButtons{mbOK}, 0);
          }
        }
      }
      if (Found) {
        TPoint P{Col - 1, Line};
        if (Selection) {
          P = SelPointToPoint(P);
        }
        FoundRect = TRect{P.X, P.Y, P.X + FoundLen, P.Y + 1};
        if (FOptions.Contains(soSelectFoundText) && (FSelectionType == stNotSelected || !Selection)) {
          FBlockBegin->SetPosition(P.X, P.Y);
          FBlockEnd->SetPosition(P.X + FoundLen, P.Y);
          FSelectionType = FoundLen > 0 ? stStreamSel : stNotSelected;
        }
        JumpTo(O->Direction == sdForward ? P.X + FoundLen : P.X, P.Y);
        Result = true;
      } else if (!Failed && O->ShowNotFound) {
        const std::string Msg = Format(SErrNotFound, {O->GetDisplayTextToFind()});
        if (!HandleSearchException(Msg)) {
          MessageDlg(Msg, mtInformation, TMsgDlgButtons{mbOK}, 0);
        }
      }
    });
  } catch (...) {
    --SelectionLock;
    throw;
  }
  --SelectionLock;
  return Result;
}

// ---- replace ----

bool TCustomMemoSource::ReplaceStep() {
  TSearchOptions* O = GetSearchOptions();
  Integer Len = 0;
  if (GetReadOnly() || !InternalFind(Len)) {
    return false;
  }
  int Answer = mrYes;
  if (O->PromptOnReplace) {
    Answer = MessageDlg(Format(SAskReplace, {O->GetDisplayTextToFind()}), mtConfirmation,
                        TMsgDlgButtons{mbYes, mbNo, mbCancel, mbAll}, 0);
    if (Answer == mrCancel || (Answer != mrYes && Answer != mrNo && Answer != mrAll)) {
      return false;
    }
    if (Answer == mrNo) {
      return true;
    }
    if (Answer == mrAll) {
      O->PromptOnReplace = false;
      O->ReplaceAll = true;
      BeginUpdate(Reason::Replace);  // closed by the replace-all loop
    }
  }
  const bool OldJumping = FJumping;
  FJumping = true;
  try {
    InUpdate(this, Reason::Replace, [&] {
      const TSelectionType T = FSelectionType;
      ++SelectionLock;
      if (O->Direction == sdBackward) {
        DeleteRight(Len);
        Insert(O->ReplaceWith);
      } else {
        Navigate(0, -Len);
        if (StoreColorData()) {
          CurrentAttr = GetAttr(TPoint{GetCurChar() + 1, GetCurLine()});
        }
        DeleteRight(Len);
        if (!O->ReplaceWith.empty()) {
          Integer Width = 0;
          InsertEx(O->ReplaceWith, std::string(), &Width);
          Navigate(0, Width);
        }
      }
      --SelectionLock;
      if (T == stNotSelected) {
        FSelectionType = stNotSelected;
      }
    });
  } catch (...) {
    FJumping = OldJumping;
    throw;
  }
  FJumping = OldJumping;
  ++ReplaceCount;
  return true;
}

void TCustomMemoSource::ReplaceAllLoop() {
  TSearchOptions* O = GetSearchOptions();
  const bool Prompt = O->PromptOnReplace;
  std::unique_ptr<TBusyCursor> Busy;
  try {
    if (!Prompt) {
      BeginUpdate(Reason::Replace);
      Busy = std::make_unique<TBusyCursor>();
    }
    bool First = true;
    while (ReplaceStep()) {
      if (First) {
        O->ShowNotFound = false;
        First = false;
      }
    }
  } catch (...) {
    if (!Prompt) {
      FoundRect = TRect{};
    }
    while (FUpdateCount > 0) {
      EndUpdate();
    }
    throw;
  }
  if (!Prompt) {
    FoundRect = TRect{};
  }
  while (FUpdateCount > 0) {
    EndUpdate();
  }
}

bool TCustomMemoSource::InternalReplace() {
  ReplaceCount = 0;
  if (FReadOnly) {
    return false;
  }
  TSearchOptions* O = GetSearchOptions();
  ++SelectionLock;
  bool Result = false;
  try {
    BeforeFindReplace(true);
    if (O->ReplaceAll) {
      ReplaceAllLoop();
    } else {
      Result = ReplaceStep();
      O->ShowNotFound = false;
      if (Result && O->ReplaceAll) {
        ReplaceAllLoop();
        Result = false;
      }
    }
  } catch (...) {
    --SelectionLock;
    if (StoreColorData()) {
      CurrentAttr = -1;
    }
    throw;
  }
  --SelectionLock;
  if (StoreColorData()) {
    CurrentAttr = -1;
  }
  return Result;
}

// ---- dialogs ----

TForm* TCustomMemoSource::CreateSearchDialog() {
  TForm* Dialog = static_cast<TForm*>(Searunit::TSrchDialog::StaticClass()->NewInstance(Application));
  if (OnCreateDialog) {
    OnCreateDialog(this, Dialog);
  }
  return Dialog;
}

TForm* TCustomMemoSource::CreateReplaceDialog() {
  if (GetReadOnly()) {
    return nullptr;
  }
  TForm* Dialog = static_cast<TForm*>(Replunit::TReplDialog::StaticClass()->NewInstance(Application));
  if (OnCreateDialog) {
    OnCreateDialog(this, Dialog);
  }
  return Dialog;
}

TForm* TCustomMemoSource::CreateNotModalSearchDialog() {
  TForm* Window = static_cast<TForm*>(Searrepldlg::TFrmSearRepl::StaticClass()->NewInstance(Application));
  if (OnCreateDialog) {
    OnCreateDialog(this, Window);
  }
  return Window;
}

namespace {
// A line number typed by the user as a 0-based line of the text: never before the first or past the last.
Integer ClampedLine(TCustomMemoSource* M, Integer Number) {
  return Number < 1 ? 0 : std::min<Integer>(Number - 1, std::max<Integer>(M->GetStrCount() - 1, 0));
}
}  // namespace

bool TCustomMemoSource::CheckNotModalSearchRepl(Integer PageIndex) {
  if (ModalSearchAndReplace) {
    return false;
  }
  if (Searrepldlg::FrmSearRepl == nullptr) {
    CreateNotModalSearchDialog();
  }
  Searrepldlg::TFrmSearRepl* Window = Searrepldlg::FrmSearRepl;
  if (Window == nullptr) {
    return false;
  }
  SmartSearchOptions();
  Window->LineEd->SetText(IntToStr(GetCurLine() + 1));
  Window->Show();
  Window->SetActiveIndex(PageIndex);
  return true;
}

void TCustomMemoSource::ShowSearchDialog() {
  if (CheckNotModalSearchRepl(0)) {
    return;
  }
  SmartSearchOptions();
  std::unique_ptr<TForm> Dialog(CreateSearchDialog());
  if (Dialog == nullptr) {
    return;
  }
  FLastSource = this;
  const int R = Dialog->ShowModal();
  Dialog.reset();
  if (R == mrOk && FLastSource != nullptr) {
    Find();
  }
}

void TCustomMemoSource::ShowReplaceDialog() {
  if (CheckNotModalSearchRepl(1)) {
    return;
  }
  SmartSearchOptions();
  std::unique_ptr<TForm> Dialog(CreateReplaceDialog());
  if (Dialog == nullptr) {
    return;
  }
  FLastSource = this;
  const int R = Dialog->ShowModal();
  Dialog.reset();
  if ((R == mrOk || R == Replunit::mrReplaceAll) && FLastSource != nullptr) {
    Replace();
  }
}

bool TCustomMemoSource::ReadIntegerDialog(const std::string& Caption, const std::string& Prompt, Integer HelpContext,
                                          Integer& Value, const TCreateDialogEvent& Callback, TObject* Sender) {
  std::unique_ptr<Dcinpfrm::TInputLineForm> Form(Dcinpfrm::CreateInputForm(Caption, Prompt, HelpContext));
  Form->PropEdit->SetText(IntToStr(Value));
  if (Callback) {
    Callback(Sender, Form.get());
  }
  if (Form->ShowModal() != mrOk) {
    return false;
  }
  Value = StrToInt(Trim(Form->PropEdit->Text()));
  return true;
}

void TCustomMemoSource::ShowGoToLineDialog() {
  if (CheckNotModalSearchRepl(2)) {
    return;
  }
  FLastSource = this;
  Integer Value = GetCurLine() + 1;
  if (ReadIntegerDialog(Searunit::SCapGotoLineNumber, Searunit::SCapEnterNewLine, 0, Value, OnCreateDialog, this) &&
      FLastSource != nullptr) {
    // A number beyond the text goes to the last line: past it, the caret would sit up to two billion lines
    // down and the next character typed would append as many empty lines.
    JumpTo(0, ClampedLine(this, Value));
  }
}

// ---- brackets ----

bool TCustomMemoSource::CharIsStringOrComment(Integer Line, Integer Col) {
  if (IsSyntaxParser()) {
    return false;
  }
  const std::string C = GetStoredColorData(Line);
  if (Col < 0 || Col >= static_cast<Integer>(C.size())) {
    return false;
  }
  const auto Style = static_cast<Byte>(C[static_cast<std::size_t>(Col)]);
  return Style == 1 || Style == 2;
}

Integer TCustomMemoSource::FindWord(const std::string& S, const TPoint& P, bool Forward, bool WholeWord) {
  const std::string D = GetDisplay(P.Y);
  if (S.empty()) {
    return 0;
  }
  auto Counts = [&](std::size_t Pos) {
    if (CharIsStringOrComment(P.Y, static_cast<Integer>(Pos))) {
      return false;
    }
    if (WholeWord) {
      const bool Before = Pos == 0 || IsDelimiter(D[Pos - 1]);
      const bool After = Pos + S.size() >= D.size() || IsDelimiter(D[Pos + S.size()]);
      return Before && After;
    }
    return true;
  };
  if (Forward) {
    std::size_t Pos = static_cast<std::size_t>(std::max<Integer>(P.X + 1, 0));
    while (Pos < D.size()) {
      Pos = D.find(S, Pos);
      if (Pos == std::string::npos) {
        return 0;
      }
      if (Counts(Pos)) {
        return static_cast<Integer>(Pos) + 1;
      }
      ++Pos;
    }
    return 0;
  }
  if (P.X < 2 && P.X != MaxInt) {
    if (P.X < 1) {
      return 0;
    }
  }
  Integer Start = std::min<Integer>(P.X - 1, static_cast<Integer>(D.size()) - 1);
  while (Start >= 0) {
    const std::size_t Pos = D.rfind(S, static_cast<std::size_t>(Start));
    if (Pos == std::string::npos) {
      return 0;
    }
    if (Counts(Pos)) {
      return static_cast<Integer>(Pos) + 1;
    }
    Start = static_cast<Integer>(Pos) - 1;
  }
  return 0;
}

char TCustomMemoSource::CorrectCharUnderCursor(TPoint& P) {
  P = GetCaretPoint();
  if (FSelectionType != stNotSelected && FBlockBegin->LinePos == FBlockEnd->LinePos &&
      FBlockEnd->CharPos - FBlockBegin->CharPos == 1) {
    P = TPoint{FBlockBegin->CharPos, FBlockBegin->LinePos};
  }
  const std::string D = GetDisplay(P.Y);
  if (P.X < 0 || P.X >= static_cast<Integer>(D.size()) || CharIsStringOrComment(P.Y, P.X)) {
    return '\0';
  }
  return D[static_cast<std::size_t>(P.X)];
}

namespace {
char Partner(char Open) {
  switch (Open) {
    case '{': return '}';
    case '[': return ']';
    case '<': return '>';
    case '}': return '{';
    case ']': return '[';
    case '>': return '<';
    case ')': return '(';
    default: return ')';
  }
}
}  // namespace

bool TCustomMemoSource::FindCloseBracket(char Open, bool MoveCaret, TPoint& P) {
  const std::string O(1, Open);
  const std::string C(1, Partner(Open));
  Integer Depth = 1;
  TPoint Scan = P;  // FindWord searches right of Scan.X
  while (Scan.Y < GetStrCount()) {
    const Integer NextOpen = FindWord(O, Scan, true, false);
    const Integer NextClose = FindWord(C, Scan, true, false);
    if (NextClose > 0 && (NextOpen == 0 || NextClose < NextOpen)) {
      if (--Depth == 0) {
        P = TPoint{NextClose - 1, Scan.Y};
        if (MoveCaret) {
          JumpTo(P.X, P.Y);
        }
        return true;
      }
      Scan.X = NextClose - 1;
    } else if (NextOpen > 0) {
      ++Depth;
      Scan.X = NextOpen - 1;
    } else {
      Scan = TPoint{-1, Scan.Y + 1};
    }
  }
  return false;
}

bool TCustomMemoSource::FindOpenBracket(char Close, bool MoveCaret, TPoint& P) {
  const std::string C(1, Close);
  const std::string O(1, Partner(Close));
  Integer Depth = 1;
  TPoint Scan = P;  // FindWord searches left of Scan.X
  while (Scan.Y >= 0) {
    const Integer PrevClose = FindWord(C, Scan, false, false);
    const Integer PrevOpen = FindWord(O, Scan, false, false);
    if (PrevOpen > 0 && (PrevClose == 0 || PrevOpen > PrevClose)) {
      if (--Depth == 0) {
        P = TPoint{PrevOpen - 1, Scan.Y};
        if (MoveCaret) {
          JumpTo(P.X, P.Y);
        }
        return true;
      }
      Scan.X = PrevOpen - 1;
    } else if (PrevClose > 0) {
      ++Depth;
      Scan.X = PrevClose - 1;
    } else {
      if (Scan.Y == 0) {
        break;
      }
      Scan = TPoint{MaxInt, Scan.Y - 1};
    }
  }
  return false;
}

void TCustomMemoSource::NextBracket() {
  InUpdate(this, Reason::Navigate, [&] {
    TPoint P;
    const char Ch = CorrectCharUnderCursor(P);
    if (Ch != '(' && Ch != '<' && Ch != '[' && Ch != '{') {
      return;
    }
    const TPoint Caret = GetCaretPoint();
    JumpTo(P.X, P.Y);
    if (!FindCloseBracket(Ch, true, P)) {
      JumpTo(Caret.X, Caret.Y);
    }
  });
}

void TCustomMemoSource::PrevBracket() {
  InUpdate(this, Reason::Navigate, [&] {
    TPoint P;
    const char Ch = CorrectCharUnderCursor(P);
    if (Ch != ')' && Ch != '>' && Ch != ']' && Ch != '}') {
      return;
    }
    const TPoint Caret = GetCaretPoint();
    JumpTo(P.X, P.Y);
    if (!FindOpenBracket(Ch, true, P)) {
      JumpTo(Caret.X, Caret.Y);
    }
  });
}

void TCustomMemoSource::FindNextBracket() {
  TPoint P;
  const char Ch = CorrectCharUnderCursor(P);
  if (Ch == '(' || Ch == '<' || Ch == '[' || Ch == '{') {
    NextBracket();
  } else if (Ch == ')' || Ch == '>' || Ch == ']' || Ch == '}') {
    PrevBracket();
  }
}

}  // namespace Dcstring
