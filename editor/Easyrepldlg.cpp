// The replace dialog and its registration as the editors' replace dialog class.
#include "editor/Easyrepldlg.h"

#include "editor/Easycontrols.h"
#include "editor/Easysettings.h"
#include "editor/Easyutils.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TFrmReplDlg, TFrmFindDlg, TFrmReplDlg::Publish)

TFrmReplDlg* FrmReplDlg = nullptr;

extern const bool EasyReplDlgRegistered;
const bool EasyReplDlgRegistered = [] {
  GlobalReplaceDialogClass = TFrmReplDlg::StaticClass();
  return true;
}();

void TFrmReplDlg::Publish(TMetaClass& Meta) {
  TPublisher<TFrmReplDlg> P(Meta);
  P.Field("lbReplaceWith", &TFrmReplDlg::lbReplaceWith);
  P.Field("cbReplaceWith", &TFrmReplDlg::cbReplaceWith);
  P.Field("chbPromptOnReplace", &TFrmReplDlg::chbPromptOnReplace);
  P.Field("btReplaceAll", &TFrmReplDlg::btReplaceAll);
}

void TFrmReplDlg::FormCreate(TObject* Sender) {
  TFrmFindDlg::FormCreate(Sender);
  cbReplaceWith->SetTabOrder(1);
  cbReplaceWith->FileName = cbTextToFind->FileName;
}

void TFrmReplDlg::LoadSettings() {
  TFrmFindDlg::LoadSettings();
  TEasySearchSettings* S = SearchSettings();
  cbReplaceWith->SetText(S->ReplaceWith);
  chbPromptOnReplace->SetChecked(S->PromptOnReplace);
}

void TFrmReplDlg::SaveSettings() {
  TFrmFindDlg::SaveSettings();
  TEasySearchSettings* S = SearchSettings();
  S->ReplaceWith = cbReplaceWith->Caption();
  S->PromptOnReplace = chbPromptOnReplace->Checked();
}

void TFrmReplDlg::btOKClick(TObject* Sender) {
  SaveSettings();
  SearchSettings()->ReplaceAll = Sender != nullptr && Sender == btReplaceAll;
}
