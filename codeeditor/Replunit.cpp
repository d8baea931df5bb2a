// The modal Replace dialog.
#include "codeeditor/Replunit.h"

#include "suitebase/Designreg.h"
#include "suitebase/Formhelpers.h"

namespace Replunit {

using namespace Dcstring;
using namespace Searunit;

Z_IMPLEMENT_CLASS_PUBLISHED(TReplDialog, TForm, TReplDialog::Publish)

TReplDialog* ReplDialog = nullptr;

TReplDialog::TReplDialog(TComponent* AOwner) : TForm((RegisterDialogClasses(), AOwner)) { ReplDialog = this; }

TReplDialog::~TReplDialog() {
  if (ReplDialog == this) {
    ReplDialog = nullptr;
  }
}

void TReplDialog::Publish(TMetaClass& Meta) {
  TPublisher<TReplDialog> P(Meta);
  P.Field("LTexttFind", &TReplDialog::LTexttFind);
  P.Field("SearText", &TReplDialog::SearText);
  P.Field("LReplWith", &TReplDialog::LReplWith);
  P.Field("ReplText", &TReplDialog::ReplText);
  P.Field("OptionsGroup", &TReplDialog::OptionsGroup);
  P.Field("CaseSens", &TReplDialog::CaseSens);
  P.Field("WholeWord", &TReplDialog::WholeWord);
  P.Field("RegExpr", &TReplDialog::RegExpr);
  P.Field("PromptRepl", &TReplDialog::PromptRepl);
  P.Field("DirectionGroup", &TReplDialog::DirectionGroup);
  P.Field("dirForward", &TReplDialog::dirForward);
  P.Field("dirBackward", &TReplDialog::dirBackward);
  P.Field("ScopeGroup", &TReplDialog::ScopeGroup);
  P.Field("OriginGroup", &TReplDialog::OriginGroup);
  P.Field("OKBut", &TReplDialog::OKBut);
  P.Field("ReplBut", &TReplDialog::ReplBut);
  P.Field("CancelBut", &TReplDialog::CancelBut);
  P.Field("HelpBut", &TReplDialog::HelpBut);
  P.Method("FormCreate", &TReplDialog::FormCreate);
  P.Method("OKButClick", &TReplDialog::OKButClick);
  P.Method("ReplButClick", &TReplDialog::ReplButClick);
}

void TReplDialog::FormCreate(TObject*) {
  Dccommon::SetFormFont(this);
  FOptions = std::make_unique<TSearchOptions>();
  FOptions->Assign(GetSearchOptions());
  SetCaption(SReplText);
  LTexttFind->SetCaption(STextToFind);
  LReplWith->SetCaption(SReplaceWith);
  OptionsGroup->SetCaption(SOptions);
  CaseSens->SetCaption(SCaseSensitive);
  WholeWord->SetCaption(SWholeWord);
  RegExpr->SetCaption(SRegExpr);
  PromptRepl->SetCaption(SPropmtRepl);
  DirectionGroup->SetCaption(SDirection);
  dirForward->SetCaption(SForward);
  dirBackward->SetCaption(SBackward);
  ScopeGroup->SetCaption(SScope);
  OriginGroup->SetCaption(SOrigin);
  ReplBut->SetCaption(SReplAll);
  OKBut->SetCaption("OK");
  CancelBut->SetCaption("Cancel");
  HelpBut->SetCaption("&Help");
  HelpBut->SetVisible(Dorazori::boolShowHelpButton);
  if (!Dorazori::boolShowHelpButton) {
    for (TButton* B : {OKBut, ReplBut, CancelBut}) {
      B->SetLeft(B->Left() + 80);
    }
  }

  SearText->SetText(FOptions->TextToFind);
  ReplText->SetText(FOptions->ReplaceWith);
  CaseSens->SetChecked(FOptions->CaseSensitive);
  WholeWord->SetChecked(FOptions->WholeWordsOnly);
  RegExpr->SetChecked(FOptions->RegularExpr);
  PromptRepl->SetChecked(FOptions->PromptOnReplace);
  if (FOptions->Direction == sdBackward) {
    dirBackward->SetChecked(true);
  } else {
    dirForward->SetChecked(true);
  }
  SetChoices(ScopeGroup, SGlobal, SSelText, FOptions->Scope == ssSelectedText ? 1 : 0);
  SetChoices(OriginGroup, SFromCursor, SEntireScope, FOptions->Origin == soEntireScope ? 1 : 0);
}

void TReplDialog::SaveOptions(bool ReplaceAll) {
  FOptions->TextToFind = SearText->Text();
  FOptions->ReplaceWith = ReplText->Text();
  FOptions->CaseSensitive = CaseSens->Checked();
  FOptions->WholeWordsOnly = WholeWord->Checked();
  FOptions->RegularExpr = RegExpr->Checked();
  FOptions->PromptOnReplace = PromptRepl->Checked();
  FOptions->Direction = dirBackward->Checked() ? sdBackward : sdForward;
  FOptions->Scope = ScopeGroup->ItemIndex() == 1 ? ssSelectedText : ssGlobal;
  FOptions->Origin = OriginGroup->ItemIndex() == 1 ? soEntireScope : soFromCursor;
  FOptions->ReplaceAll = ReplaceAll;
  GetSearchOptions()->Assign(FOptions.get());
}

void TReplDialog::OKButClick(TObject*) {
  SaveOptions(false);
  for (Histed::ZEZHistoryEditor* E : {SearText, ReplText}) {
    E->HistoryChanged();
    E->SaveHistory();
  }
}

void TReplDialog::ReplButClick(TObject*) {
  Dccommon::UpdateEditors(this);
  SaveOptions(true);
  // The fields keep their histories on Replace All as on OK.
  for (Histed::ZEZHistoryEditor* E : {SearText, ReplText}) {
    E->HistoryChanged();
    E->SaveHistory();
  }
}

}  // namespace Replunit
