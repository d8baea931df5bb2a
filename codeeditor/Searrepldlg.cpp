// The non-modal Find and Replace window.
#include "codeeditor/Searrepldlg.h"

#include "platform/rtl/SysUtils.h"
#include "suitebase/Formhelpers.h"

#include <algorithm>

namespace Searrepldlg {

using namespace Dcstring;
using namespace Searunit;

Z_IMPLEMENT_CLASS_PUBLISHED(TFrmSearRepl, TForm, TFrmSearRepl::Publish)

TFrmSearRepl* FrmSearRepl = nullptr;

void CloseSearchWindow() {
  if (FrmSearRepl != nullptr) {
    delete FrmSearRepl;  // the destructor clears the variable
  }
}

TFrmSearRepl::TFrmSearRepl(TComponent* AOwner) : TForm((RegisterDialogClasses(), AOwner)) { FrmSearRepl = this; }

TFrmSearRepl::~TFrmSearRepl() {
  if (FrmSearRepl == this) {
    FrmSearRepl = nullptr;
  }
}

void TFrmSearRepl::Publish(TMetaClass& Meta) {
  TPublisher<TFrmSearRepl> P(Meta);
  P.Field("PageControl", &TFrmSearRepl::PageControl);
  P.Field("EditorFindPage", &TFrmSearRepl::EditorFindPage);
  P.Field("LTexttFind", &TFrmSearRepl::LTexttFind);
  P.Field("SearText", &TFrmSearRepl::SearText);
  P.Field("InfoLbl", &TFrmSearRepl::InfoLbl);
  P.Field("EditorReplacePage", &TFrmSearRepl::EditorReplacePage);
  P.Field("Label1", &TFrmSearRepl::Label1);
  P.Field("SearText1", &TFrmSearRepl::SearText1);
  P.Field("LReplWith", &TFrmSearRepl::LReplWith);
  P.Field("ReplText", &TFrmSearRepl::ReplText);
  P.Field("InfoLbl1", &TFrmSearRepl::InfoLbl1);
  P.Field("GotoTab", &TFrmSearRepl::GotoTab);
  P.Field("Label4", &TFrmSearRepl::Label4);
  P.Field("GotoBox", &TFrmSearRepl::GotoBox);
  P.Field("InputLabel", &TFrmSearRepl::InputLabel);
  P.Field("LineEd", &TFrmSearRepl::LineEd);
  P.Field("InfoLbl2", &TFrmSearRepl::InfoLbl2);
  P.Field("Panel2", &TFrmSearRepl::Panel2);
  P.Field("ExBtn", &TFrmSearRepl::ExBtn);
  P.Field("FindBtn", &TFrmSearRepl::FindBtn);
  P.Field("ReplBtn", &TFrmSearRepl::ReplBtn);
  P.Field("ReplAllBtn", &TFrmSearRepl::ReplAllBtn);
  P.Field("GoToBtn", &TFrmSearRepl::GoToBtn);
  P.Field("CloseBtn", &TFrmSearRepl::CloseBtn);
  P.Field("ExPanel", &TFrmSearRepl::ExPanel);
  P.Field("gbxOptions", &TFrmSearRepl::gbxOptions);
  P.Field("CaseSens", &TFrmSearRepl::CaseSens);
  P.Field("WholeWord", &TFrmSearRepl::WholeWord);
  P.Field("RegExpr", &TFrmSearRepl::RegExpr);
  P.Field("gbxDirection", &TFrmSearRepl::gbxDirection);
  P.Field("dirForward", &TFrmSearRepl::dirForward);
  P.Field("dirBackward", &TFrmSearRepl::dirBackward);
  P.Field("gbxScope", &TFrmSearRepl::gbxScope);
  P.Field("ScopeGlobal", &TFrmSearRepl::ScopeGlobal);
  P.Field("ScopeSelected", &TFrmSearRepl::ScopeSelected);
  P.Method("FormCreate", &TFrmSearRepl::FormCreate);
  P.Method("FormClose", &TFrmSearRepl::FormClose);
  P.Method("ExBtnClick", &TFrmSearRepl::ExBtnClick);
  P.Method("FindBtnClick", &TFrmSearRepl::FindBtnClick);
  P.Method("ReplBtnClick", &TFrmSearRepl::ReplBtnClick);
  P.Method("GoToBtnClick", &TFrmSearRepl::GoToBtnClick);
  P.Method("CloseBtnClick", &TFrmSearRepl::CloseBtnClick);
  P.Method("PageControlChange", &TFrmSearRepl::PageControlChange);
}

void TFrmSearRepl::FormCreate(TObject*) {
  Dccommon::SetFormFont(this);
  SetCaption(sFindAndRepl);
  EditorFindPage->SetCaption(SFind);
  EditorReplacePage->SetCaption(sReplace);
  GotoTab->SetCaption(SCapGotoLineNumber);
  LTexttFind->SetCaption(STextToFind);
  Label1->SetCaption(STextToFind);
  LReplWith->SetCaption(SReplaceWith);
  InputLabel->SetCaption(SCapEnterNewLine);
  GotoBox->Items()->Clear();
  GotoBox->Items()->Add(sLine);
  GotoBox->Items()->Add(sBookMark);
  gbxOptions->SetCaption(SOptions);
  CaseSens->SetCaption(SCaseSensitive);
  WholeWord->SetCaption(SWholeWord);
  RegExpr->SetCaption(SRegExpr);
  gbxDirection->SetCaption(SDirection);
  dirForward->SetCaption(SForward);
  dirBackward->SetCaption(SBackward);
  gbxScope->SetCaption(SScope);
  ScopeGlobal->SetCaption(SGlobal);
  ScopeSelected->SetCaption(SSelText);
  FindBtn->SetCaption(SFind);
  ReplBtn->SetCaption(sReplace);
  ReplAllBtn->SetCaption(SReplAll);
  GoToBtn->SetCaption(sGoTo);
  CloseBtn->SetCaption(sClose);
  ExBtn->SetLayout(blGlyphRight);

  FOptions = std::make_unique<TSearchOptions>();
  FOptions->Assign(GetSearchOptions());
  SearText->SetText(FOptions->TextToFind);
  SearText1->SetText(FOptions->TextToFind);
  ReplText->SetText(FOptions->ReplaceWith);
  CaseSens->SetChecked(FOptions->CaseSensitive);
  WholeWord->SetChecked(FOptions->WholeWordsOnly);
  RegExpr->SetChecked(FOptions->RegularExpr);
  (FOptions->Direction == sdBackward ? dirBackward : dirForward)->SetChecked(true);
  (FOptions->Scope == ssSelectedText ? ScopeSelected : ScopeGlobal)->SetChecked(true);
  GotoBox->SetItemIndex(0);
  // Designed open; the window starts small.
  ExBtnClick(ExBtn);
}

void TFrmSearRepl::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

// The button's picture: the half of a two-part glyph that matches the panel's state (an arrow down to open,
// up to close).
void TFrmSearRepl::ShowExGlyph(bool Open) {
  constexpr int S = 11;
  TBitmap Both;
  Both.SetSize(2 * S, S);
  TCanvas* C = Both.Canvas();
  C->Brush()->SetColor(clFuchsia);
  C->FillRect(TRect{0, 0, 2 * S, S});
  C->Brush()->SetColor(clBlack);
  C->Pen()->SetColor(clBlack);
  C->Polygon({TPoint{1, 3}, TPoint{S - 2, 3}, TPoint{S / 2, S - 3}});                  // more: down
  C->Polygon({TPoint{S + 1, S - 3}, TPoint{2 * S - 2, S - 3}, TPoint{S + S / 2, 3}});  // less: up
  TBitmap Half;
  Half.SetSize(S, S);
  const int From = Open ? S : 0;
  Half.Canvas()->CopyRect(TRect{0, 0, S, S}, C, TRect{From, 0, From + S, S});
  Half.SetTransparentColor(clFuchsia);
  ExBtn->SetGlyph(&Half);
}

void TFrmSearRepl::ExBtnClick(TObject*) {
  const bool Open = !ExPanel->Visible();
  const int H = ExPanel->Height();
  if (Open) {
    SetClientHeight(ClientHeight() + H);
    ExPanel->SetVisible(true);
  } else {
    ExPanel->SetVisible(false);
    SetClientHeight(ClientHeight() - H);
  }
  ExBtn->SetCaption(Open ? sLessButton : sMoreButton);
  ShowExGlyph(Open);
}

void TFrmSearRepl::AssignOptions() {
  FOptions->TextToFind = PageControl->ActivePage() == EditorReplacePage ? SearText1->Text() : SearText->Text();
  FOptions->ReplaceWith = ReplText->Text();
  FOptions->CaseSensitive = CaseSens->Checked();
  FOptions->WholeWordsOnly = WholeWord->Checked();
  FOptions->RegularExpr = RegExpr->Checked();
  FOptions->Direction = dirBackward->Checked() ? sdBackward : sdForward;
  FOptions->Scope = ScopeSelected->Checked() ? ssSelectedText : ssGlobal;
  FOptions->Origin = soFromCursor;
  FOptions->PromptOnReplace = false;
  GetSearchOptions()->Assign(FOptions.get());
}

void TFrmSearRepl::FindBtnClick(TObject*) {
  if (CurrentFindSource == nullptr) {
    return;
  }
  AssignOptions();
  SearText->HistoryChanged();
  if (CurrentFindSource->Find()) {
    ShowInfo("");
  } else {
    ShowInfo(Format(SErrNotFound, {GetSearchOptions()->GetDisplayTextToFind()}));
  }
}

void TFrmSearRepl::ReplBtnClick(TObject* Sender) {
  if (CurrentFindSource == nullptr) {
    return;
  }
  const bool All = Sender == ReplAllBtn;
  AssignOptions();
  FOptions->ReplaceAll = All;
  GetSearchOptions()->ReplaceAll = All;
  SearText1->HistoryChanged();
  ReplText->HistoryChanged();
  CurrentFindSource->ReplaceCount = 0;
  const bool Done = CurrentFindSource->Replace();
  if (All) {
    if (CurrentFindSource->ReplaceCount == 0) {
      ShowInfo(Format(SErrNotFound, {GetSearchOptions()->GetDisplayTextToFind()}));
    } else {
      ShowInfo(Format(sReplacements, {CurrentFindSource->ReplaceCount}));
    }
  } else if (!Done) {
    ShowInfo(Format(SErrNotFound, {GetSearchOptions()->GetDisplayTextToFind()}));
  } else {
    ShowInfo("");
  }
}

void TFrmSearRepl::GoToBtnClick(TObject*) {
  if (CurrentFindSource == nullptr) {
    return;
  }
  const Integer N = StrToInt(Trim(LineEd->Text()));
  if (GotoBox->ItemIndex() == 1) {
    TPoint P;
    if (CurrentFindSource->FindBookMark(N, P)) {
      CurrentFindSource->GoToBookmark(N);
      ShowInfo("");
    } else {
      ShowInfo(Format(sErrBookmarNotFound, {N}));
    }
    return;
  }
  // A number beyond the text goes to its last line, never past it.
  const Integer Last = std::max<Integer>(CurrentFindSource->GetStrCount() - 1, 0);
  CurrentFindSource->JumpToLine(N < 1 ? 0 : std::min<Integer>(N - 1, Last));
  ShowInfo("");
}

void TFrmSearRepl::CloseBtnClick(TObject*) {
  AssignOptions();
  Close();
}

void TFrmSearRepl::SetActiveIndex(int Index) {
  PageControl->SetActivePageIndex(Index);
  TWinControl* First = Index == 1   ? static_cast<TWinControl*>(SearText1)
                       : Index == 2 ? static_cast<TWinControl*>(LineEd)
                                    : static_cast<TWinControl*>(SearText);
  if (Visible() && First->CanFocus()) {
    First->SetFocus();
  }
  SetActiveControl(First);
  PageControlChange(PageControl);
}

void TFrmSearRepl::PageControlChange(TObject*) {
  const int Page = PageControl->ActivePageIndex();
  const bool GoTo = Page == 2;
  ExBtn->SetEnabled(!GoTo);
  FindBtn->SetEnabled(!GoTo);
  ReplAllBtn->SetVisible(!GoTo);
  ReplBtn->SetEnabled(Page == 1);
  ReplAllBtn->SetEnabled(Page == 1);
  GoToBtn->SetVisible(GoTo);
  FindBtn->SetDefault(Page == 0);
  ReplBtn->SetDefault(Page == 1);
  GoToBtn->SetDefault(GoTo);
  if (GoTo && ExPanel->Visible()) {
    ExBtnClick(ExBtn);
  }
  ShowInfo("");
}

void TFrmSearRepl::ShowInfo(const std::string& S) {
  InfoLbl->SetCaption(S);
  InfoLbl1->SetCaption(S);
  InfoLbl2->SetCaption(S);
}

void TFrmSearRepl::MakeSearchVisible(const TRect& R) {
  const TRect Mine{Left(), Top(), Left() + Width(), Top() + Height()};
  const bool Overlaps = Mine.Left < R.Right && R.Left < Mine.Right && Mine.Top < R.Bottom && R.Top < Mine.Bottom;
  if (!Overlaps) {
    return;
  }
  if (R.Bottom + Height() >= Screen->Height()) {
    SetTop(std::max(R.Top - Height(), 0));
  } else {
    SetTop(R.Bottom);
  }
}

}  // namespace Searrepldlg
