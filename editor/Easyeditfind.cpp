// The editor's find, replace, go-to-line and incremental search commands over the process-wide search settings,
// and the registration slots of the dialogs that edit those settings.
#include "editor/Easyeditor.h"

#include "editor/Easyutils.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

TCustomForm* GlobalSearchDialog = nullptr;
TCustomForm* GlobalReplaceDialog = nullptr;
TCustomForm* GlobalGotoLineDialog = nullptr;
TClass GlobalSearchDialogClass = nullptr;
TClass GlobalReplaceDialogClass = nullptr;
TClass GlobalGotoLineDialogClass = nullptr;

// Set when the find and replace dialog units start (they fill the class slots above).
extern const bool EasySearchDlgRegistered;
extern const bool EasyReplDlgRegistered;

namespace {

// Raises a hold counter for a scope.
class THold {
public:
  explicit THold(int& Counter, bool Active = true) : FCounter(Active ? &Counter : nullptr) {
    if (FCounter) {
      ++*FCounter;
    }
  }
  ~THold() {
    if (FCounter) {
      --*FCounter;
    }
  }
  THold(const THold&) = delete;
  THold& operator=(const THold&) = delete;

private:
  int* FCounter;
};

// The hourglass for a scope, unless it already shows.
class TBusyCursor {
public:
  explicit TBusyCursor(bool Active) : FActive(Active && Screen->Cursor() != crHourGlass) {
    if (FActive) {
      Screen->SetCursor(crHourGlass);
    }
  }
  ~TBusyCursor() {
    if (FActive) {
      Screen->SetCursor(crDefault);
    }
  }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
  bool FActive;
};

// One update bracket of a source for a scope.
class TSourceBracket {
public:
  TSourceBracket(TCustomEasyEditSource* Source, TEasyOperation Operation) : FSource(Source) {
    FSource->BeginSourceUpdate(Operation);
  }
  ~TSourceBracket() { FSource->EndSourceUpdate(); }
  TSourceBracket(const TSourceBracket&) = delete;
  TSourceBracket& operator=(const TSourceBracket&) = delete;

private:
  TCustomEasyEditSource* FSource;
};

void ShowSearchError(const std::string& Text) { MessageDlg(Text, mtError, TMsgDlgButtons{mbOK}, 0); }

}  // namespace

// ---- dialogs ----

bool TCustomEasyEdit::CreateEditorDlg(Byte Code, TCustomForm*& Form, bool& Modal) {
  // The dialog units are linked with this one, so that their classes are registered.
  asm volatile("" : : "r"(&EasySearchDlgRegistered), "r"(&EasyReplDlgRegistered));
  Form = nullptr;
  Modal = true;
  bool Handled = false;
  if (OnBeforeCreateDialog) {
    TObject* Supplied = nullptr;
    OnBeforeCreateDialog(this, Code, Supplied, Modal, Handled);
    Form = dynamic_cast<TCustomForm*>(Supplied);
  }
  if (!Handled) {
    TEasySearchSettings* S = SearchSettings();
    auto Make = [](TCustomForm* Instance, TClass Class) -> TCustomForm* {
      if (Instance) {
        return Instance;
      }
      return Class ? dynamic_cast<TCustomForm*>(Class->NewInstance(nullptr)) : nullptr;
    };
    if (Code == DlgFind || Code == DlgReplace) {
      if (FOptions.Contains(eoFindTextAtCursor)) {
        S->TextToFind = SelType != slNone ? RemoveLastLineEnd(SelStrings()->Text())
                                          : GetEditSource()->GetTextAt(GetCurrentPosition(), false);
      }
      Form = Code == DlgFind ? Make(GlobalSearchDialog, GlobalSearchDialogClass)
                             : Make(GlobalReplaceDialog, GlobalReplaceDialogClass);
    } else if (Code == DlgGotoLine) {
      Form = Make(GlobalGotoLineDialog, GlobalGotoLineDialogClass);
      S->GotoLineNumber = GetCurrentPosition().Y + 1;
    }
  }
  if (!Form) {
    return false;
  }
  Modal = SendMessage(Form->Handle(), 0x857, reinterpret_cast<WPARAM>(this), Code) == 0;
  if (OnAfterCreateDialog) {
    OnAfterCreateDialog(this, Code, Form);
  }
  return true;
}

void TCustomEasyEdit::ExecuteDialog(Byte Code) {
  TCustomForm* Form = nullptr;
  bool Modal = true;
  if (!CreateEditorDlg(Code, Form, Modal)) {
    return;
  }
  if (!Modal) {
    Form->Show();
    return;
  }
  // A registered instance belongs to whoever registered it; every other form is the editor's to free.
  const bool Registered = Form == GlobalSearchDialog || Form == GlobalReplaceDialog || Form == GlobalGotoLineDialog;
  TModalResult Result = mrCancel;
  try {
    Result = Form->ShowModal();
  } catch (...) {
    if (!Registered) {
      delete Form;
    }
    throw;
  }
  if (!Registered) {
    delete Form;
  }
  if (Result == mrCancel) {
    return;
  }
  switch (Code) {
    case DlgFind: Find(); break;
    case DlgReplace: Replace(); break;
    case DlgGotoLine: GotoLine(); break;
    default: break;
  }
}

void TCustomEasyEdit::GotoLine() {
  TCustomEasyEditSource* Source = GetEditSource();
  Source->JumpTo(Source->CurrentPosition.X, std::max(SearchSettings()->GotoLineNumber - 1, 0));
}

// ---- find ----

bool TCustomEasyEdit::Find() {
  TEasySearchSettings* S = SearchSettings();
  S->FirstSearch = true;
  S->InReplace = false;
  int Len = 0;
  return DoFind(Len, false, false);
}

bool TCustomEasyEdit::Replace() {
  int Count = 0;
  return ReplaceEx(Count);
}

bool TCustomEasyEdit::ReplaceEx(int& Count) {
  TEasySearchSettings* S = SearchSettings();
  S->FirstSearch = true;
  S->InReplace = true;
  return DoReplace(Count);
}

TPoint TCustomEasyEdit::PointToBlockPoint(const TPoint& P) {
  switch (SelType) {
    case slStream: return TPoint{P.Y == SelRect.Top ? P.X - SelRect.Left : P.X, P.Y - SelRect.Top};
    case slBlock: return TPoint{P.X - SelRect.Left, P.Y - SelRect.Top};
    case slNone: break;
  }
  return P;
}

TPoint TCustomEasyEdit::BlockPointToPoint(const TPoint& P) {
  switch (SelType) {
    case slStream: return TPoint{P.Y == 0 ? P.X + SelRect.Left : P.X, P.Y + SelRect.Top};
    case slBlock: return TPoint{P.X + SelRect.Left, P.Y + SelRect.Top};
    case slNone: break;
  }
  return P;
}

bool TCustomEasyEdit::DoFind(int& Len, bool Silent, bool WrapAround) {
  Len = 0;
  TEasySearchSettings* S = SearchSettings();
  TCustomEasyEditSource* Source = GetEditSource();
  THold SearchHold(SearchRectHold);
  THold SelHold(SelectionHold,
                FOptions.Contains(eoSelectFoundText) && !(SelType != slNone && S->Scope == scSelectedText));
  if (S->Scope == scSelectedText && SelType == slNone) {
    if (!Silent && S->FirstSearch) {
      ShowSearchError(EasyConsts::sEmptySel);
    }
    return false;
  }
  bool Found = false;
  bool Again = false;
  {
    TSourceBracket Bracket(Source, oprOther);
    if (S->WholeWordsOnly && !S->RegularExpr) {
      for (char C : S->TextToFind) {
        if (InCharSet(C, Source->Delimiters)) {
          S->WholeWordsOnly = false;
          break;
        }
      }
    }
    const bool Forward = S->Direction == srForward;
    TEasyStrings* Lines = GetLines();
    TEasyStrings Selected;
    TPoint Start{0, 0};
    if (S->Scope == scSelectedText) {
      const TPoint Caret = GetCurrentPosition();
      if (S->FirstSearch && S->Origin == sgFromCursor && !InsideBlock(Caret.X, Caret.Y)) {
        Source->JumpTo(SelRect.Left, SelRect.Top);
      }
      // The selection's lines as a store of their own: the search reads lines by reference.
      TEasySelStrings* Sel = SelStrings();
      for (int I = 0; I < Sel->Count(); ++I) {
        Selected.Add(Sel->Get(I));
      }
      Lines = &Selected;
      Start = PointToBlockPoint(GetCurrentPosition());
    } else {
      Start = Source->GetCharacterPos();
    }
    if (Forward) {
      ++Start.X;
    }
    try {
      TBusyCursor Busy(!Silent);
      Found = S->Search(Lines, Start, Len, Source->Delimiters);
    } catch (const std::exception& E) {
      if (!Silent) {
        ShowSearchError(E.what());
      }
      return false;
    }
    if (Found) {
      StringFound(S->Scope, Forward, Len, Start);
    } else if (WrapAround) {
      Source->JumpTo(0, 0);
      Again = true;
    } else if (!Silent && S->ShowNotFound) {
      ShowSearchError(Format(EasyConsts::sNotFound, {S->TextToFind}));
    }
  }
  if (Again) {
    return DoFind(Len, Silent, false);
  }
  return Found;
}

void TCustomEasyEdit::StringFound(TEasySearchScope Scope, bool ToEnd, int Len, TPoint P) {
  THold Hold(SearchRectHold);
  if (Scope == scSelectedText) {
    P = BlockPointToPoint(P);
  }
  if (P.X > 0) {
    --P.X;
  }
  // The search counts characters; the view counts display columns.
  TCustomEasyEditSource* Source = GetEditSource();
  const int X1 = Source->GetRealPos(P.Y, P.X);
  const int X2 = Source->GetRealPos(P.Y, P.X + Len);
  if (!FOptions.Contains(eoDisableSearchHighlight)) {
    SetSearchRect(Rect(X1, P.Y, X2, P.Y));
  }
  if (FOptions.Contains(eoSelectFoundText) && (SelType == slNone || Scope == scGlobal)) {
    SetSelection(Rect(X1, P.Y, X2, P.Y), slStream);
  }
  Source->JumpTo(ToEnd ? X2 : X1, P.Y);
}

void TCustomEasyEdit::FindNext(Byte Code) {
  TEasySearchSettings* S = SearchSettings();
  // A selected-text scope with nothing selected falls back to the whole text; the pending first search then
  // runs there, so that the search goes on after the one report of the empty selection.
  bool ScopeFellBack = false;
  if (SelType == slNone) {
    ScopeFellBack = S->Scope == scSelectedText;
    S->Scope = scGlobal;
  }
  if (S->FirstSearch && !ScopeFellBack) {
    return;
  }
  S->InReplace = S->InReplace || Code == DlgReplace;
  if (S->InReplace) {
    int Count = 0;
    DoReplace(Count);
    return;
  }
  if (IncrSearchActive) {
    TCustomEasyEditSource* Source = GetEditSource();
    const TRect OldRect = SearchRect;
    const TPoint OldCaret = GetCurrentPosition();
    const bool OldRunning = IncrSearchRunning;
    IncrSearchRunning = true;
    THold Hold(SearchRectHold);
    bool Found = false;
    try {
      TSourceBracket Bracket(Source, oprNavigate);
      if (!IncrSearchText.empty() && !IsNullRect(SearchRect)) {
        Source->Navigate(static_cast<int>(IncrSearchText.size()), 0);
      }
      Found = IncrementalSearch(std::string(), false);
      if (!Found) {
        Source->JumpTo(OldCaret.X, OldCaret.Y);
        SetSearchRect(OldRect);
      }
    } catch (...) {
      IncrSearchRunning = OldRunning;
      throw;
    }
    IncrSearchRunning = OldRunning;
    if (!Found && S->ShowNotFound) {
      ShowSearchError(Format(EasyConsts::sNotFound, {IncrSearchText}));
    }
    return;
  }
  int Len = 0;
  DoFind(Len, false, false);
}

int TCustomEasyEdit::OccurrenceCount() {
  TCustomEasyEditSource* Source = GetEditSource();
  THold Hold(SelectionHold);
  const TPoint Caret = GetCurrentPosition();
  int Count = 0;
  {
    TSourceBracket Bracket(Source, oprNavigate);
    int Len = 0;
    TPoint Last{-1, -1};
    while (DoFind(Len, true, false)) {
      // An empty match that does not move on ends the count instead of repeating for ever.
      const TPoint Now = GetCurrentPosition();
      if (Len == 0 && Now.X == Last.X && Now.Y == Last.Y) {
        break;
      }
      Last = Now;
      ++Count;
    }
    SearchRect = TRect{0, 0, 0, 0};
    Source->JumpTo(Caret.X, Caret.Y);
  }
  return Count;
}

// ---- replace ----

namespace {
enum class TReplaceAnswer { Yes, No, Cancel, All };
}

// One replacement: finds the next match, asks when so set, and replaces it. Returns false to stop.
// OpenBrackets counts the brackets (with their undo locks) an All answer opened; DoReplace closes them.
static bool ReplaceStep(TCustomEasyEdit* Edit, int& Count, int& OpenBrackets, TReplaceAnswer& Answer,
                        TPoint& LastEmpty) {
  TCustomEasyEditSource* Source = Edit->GetEditSource();
  if (Source->ReadOnly()) {
    return false;
  }
  TEasySearchSettings* S = SearchSettings();
  int Len = 0;
  if (!Edit->DoFind(Len, false, false)) {
    return false;
  }
  const bool Forward = S->Direction == srForward;
  const TPoint Char = Source->GetCharacterPos();
  const int Start = Forward ? Char.X - Len : Char.X;
  if (Len == 0) {
    // A pattern that matches nothing over and over at the same place would never end the loop.
    if (LastEmpty.X == Start && LastEmpty.Y == Char.Y) {
      return false;
    }
    LastEmpty = TPoint{Start, Char.Y};
  }
  Answer = TReplaceAnswer::Yes;
  if (S->PromptOnReplace) {
    const int R = MessageDlg(Format(EasyConsts::sReplace, {S->TextToFind}), mtWarning,
                             TMsgDlgButtons{mbYes, mbNo, mbCancel, mbAll}, 0);
    Answer = R == mrYes   ? TReplaceAnswer::Yes
             : R == mrNo  ? TReplaceAnswer::No
             : R == mrAll ? TReplaceAnswer::All
                          : TReplaceAnswer::Cancel;
  }
  if (Answer == TReplaceAnswer::Cancel) {
    return false;
  }
  if (Answer == TReplaceAnswer::No) {
    return true;
  }
  if (Answer == TReplaceAnswer::All) {
    S->PromptOnReplace = false;
    S->ReplaceAll = true;
    Source->LockUndo();
    Source->BeginSourceUpdate(oprOther);
    ++OpenBrackets;
  }
  {
    TSourceBracket Bracket(Source, oprOther);
    const int Y = Char.Y;
    const int X1 = Source->GetRealPos(Y, Start);
    const int Width = Source->GetRealPos(Y, Start + Len) - X1;
    const std::string& With = S->ReplaceWith;
    Source->JumpTo(X1, Y);
    if (Width > 0) {
      Source->DeleteString(Width);
    }
    if (!With.empty()) {
      // The caret stays in front of inserted text: a forward search steps over it, so that a replacement
      // holding the searched text is not found again.
      Source->InsertString(With);
      if (Forward) {
        Source->JumpTo(Source->GetRealPos(Y, Start + static_cast<int>(With.size())), Y);
      }
    }
  }
  ++Count;
  Edit->SetSearchRect(TRect{0, 0, 0, 0});
  return true;
}

bool TCustomEasyEdit::DoReplace(int& Count) {
  Count = 0;
  TCustomEasyEditSource* Source = GetEditSource();
  if (Source->ReadOnly()) {
    return false;
  }
  TEasySearchSettings* S = SearchSettings();
  THold Hold(SelectionHold);
  const bool SavedShowNotFound = S->ShowNotFound;
  int OpenBrackets = 0;
  TPoint LastEmpty{-1, -1};
  bool Result = false;
  auto RunLoop = [&] {
    const bool Quiet = !S->PromptOnReplace;
    TBusyCursor Busy(Quiet);
    // Every replacement of one Replace All is one undo step.
    if (Quiet) {
      Source->LockUndo();
      Source->BeginSourceUpdate(oprOther);
    }
    try {
      TReplaceAnswer Answer = TReplaceAnswer::Yes;
      do {
        Result = ReplaceStep(this, Count, OpenBrackets, Answer, LastEmpty);
        S->ShowNotFound = false;
      } while (Result);
    } catch (...) {
      if (Quiet) {
        Source->EndSourceUpdate();
        Source->UnlockUndo();
      }
      throw;
    }
    if (Quiet) {
      SearchRect = TRect{0, 0, 0, 0};
      Source->EndSourceUpdate();
      Source->UnlockUndo();
    }
  };
  auto CloseOpened = [&] {
    for (; OpenBrackets > 0; --OpenBrackets) {
      Source->EndSourceUpdate();
      Source->UnlockUndo();
    }
    S->ShowNotFound = SavedShowNotFound;
  };
  try {
    if (S->ReplaceAll) {
      RunLoop();
    } else {
      TReplaceAnswer Answer = TReplaceAnswer::Yes;
      Result = ReplaceStep(this, Count, OpenBrackets, Answer, LastEmpty);
      S->ShowNotFound = false;
      if (Result && Answer == TReplaceAnswer::All) {
        RunLoop();
      }
    }
  } catch (...) {
    CloseOpened();
    throw;
  }
  CloseOpened();
  return Result;
}

// ---- incremental search ----

void TCustomEasyEdit::InitIncrementalSearch() {
  TCustomEasyEditSource* Source = GetEditSource();
  IncrSearchActive = true;
  SearchSettings()->InReplace = false;
  TSourceBracket Bracket(Source, oprOther);
  Source->State.Include(csIncrementalSearchChanged);
}

void TCustomEasyEdit::DoneIncrementalSearch() {
  if (!IncrSearchActive) {
    return;
  }
  TCustomEasyEditSource* Source = GetEditSource();
  TSourceBracket Bracket(Source, oprOther);
  IncrSearchActive = false;
  IncrSearchText.clear();
  Source->State.Include(csIncrementalSearchChanged);
  SetSearchRect(TRect{0, 0, 0, 0});
}

void TCustomEasyEdit::CheckIncrementalSearch() {
  if (!IncrSearchRunning) {
    DoneIncrementalSearch();
  }
}

bool TCustomEasyEdit::IncrementalSearch(const std::string& Chars, bool Backspace) {
  std::string Candidate = IncrSearchText;
  if (Backspace) {
    if (!Candidate.empty()) {
      Candidate.pop_back();
    }
  } else {
    Candidate += Chars;
  }
  if (!IncrSearchSettings) {
    IncrSearchSettings = std::make_unique<TEasySearchSettings>();
    IncrSearchSettings->SaveOnDestroy = false;
  }
  TEasySearchSettings* Global = SearchSettings();
  TEasySearchSettings* S = IncrSearchSettings.get();
  S->CaseSensitive = Global->CaseSensitive;
  S->Direction = Global->Direction;
  S->TextToFind = Candidate;
  S->WholeWordsOnly = false;
  S->InReplace = false;
  S->RegularExpr = false;
  S->FirstSearch = false;
  const bool Forward = S->Direction == srForward;
  TPoint Start = GetEditSource()->GetCharacterPos();
  if (Forward) {
    ++Start.X;
  }
  int Len = 0;
  if (!Candidate.empty() && S->Search(GetLines(), Start, Len, DelimSet)) {
    IncrSearchText = Candidate;
    const bool OldRunning = IncrSearchRunning;
    IncrSearchRunning = true;
    try {
      // The caret stays at the match's start searching forward (its end backward), so that the next
      // character extends the same match.
      StringFound(scGlobal, !Forward, Len, Start);
    } catch (...) {
      IncrSearchRunning = OldRunning;
      throw;
    }
    IncrSearchRunning = OldRunning;
    return true;
  }
  if (Backspace) {
    IncrSearchText = Candidate;
    if (Candidate.empty()) {
      SetSearchRect(TRect{0, 0, 0, 0});
    }
  }
  return false;
}

bool TCustomEasyEdit::IncrementalSearchKey(char Key) {
  if (!IncrSearchActive) {
    return false;
  }
  if (Key == '\x1B') {
    DoneIncrementalSearch();
    return true;
  }
  if (Key == '\b') {
    if (!IncrSearchText.empty()) {
      IncrementalSearch(std::string(), true);
    }
    return true;
  }
  if (static_cast<unsigned char>(Key) < 32) {
    return false;
  }
  IncrementalSearch(std::string(1, Key), false);
  return true;
}
