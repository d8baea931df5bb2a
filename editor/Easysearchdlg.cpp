// The find dialog and its registration as the editors' find dialog class.
#include "editor/Easysearchdlg.h"

#include "editor/Easycontrols.h"
#include "editor/Easysettings.h"
#include "editor/Easyutils.h"
#include "platform/classes/ClassRegistry.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TFrmFindDlg, TForm, TFrmFindDlg::Publish)

TFrmFindDlg* FrmFindDlg = nullptr;

// The editors find their find dialog through this class slot; linking the editor's find code links this.
extern const bool EasySearchDlgRegistered;
const bool EasySearchDlgRegistered = [] {
  GlobalSearchDialogClass = TFrmFindDlg::StaticClass();
  return true;
}();

void TFrmFindDlg::RegisterLayoutClasses() {
  static const bool Done = [] {
    RegisterClasses({TLabel::StaticClass(), TEasyHistoryEditor::StaticClass(), TGroupBox::StaticClass(),
                     TCheckBox::StaticClass(), TRadioButton::StaticClass(), TRadioGroup::StaticClass(),
                     TPanel::StaticClass(), TButton::StaticClass()});
    return true;
  }();
  (void)Done;
}

TFrmFindDlg::TFrmFindDlg(TComponent* AOwner) : TForm((RegisterLayoutClasses(), AOwner)) {}

void TFrmFindDlg::Publish(TMetaClass& Meta) {
  TPublisher<TFrmFindDlg> P(Meta);
  P.Field("lbTextToFind", &TFrmFindDlg::lbTextToFind);
  P.Field("cbTextToFind", &TFrmFindDlg::cbTextToFind);
  P.Field("gbOptions", &TFrmFindDlg::gbOptions);
  P.Field("cbCaseSensitive", &TFrmFindDlg::cbCaseSensitive);
  P.Field("cbWholeWord", &TFrmFindDlg::cbWholeWord);
  P.Field("cbRegularExpr", &TFrmFindDlg::cbRegularExpr);
  P.Field("gbDirection", &TFrmFindDlg::gbDirection);
  P.Field("rbForward", &TFrmFindDlg::rbForward);
  P.Field("rbBackward", &TFrmFindDlg::rbBackward);
  P.Field("rgScope", &TFrmFindDlg::rgScope);
  P.Field("rgOrigin", &TFrmFindDlg::rgOrigin);
  P.Field("pnButtons", &TFrmFindDlg::pnButtons);
  P.Field("btOK", &TFrmFindDlg::btOK);
  P.Field("btCancel", &TFrmFindDlg::btCancel);
  P.Field("btHelp", &TFrmFindDlg::btHelp);
  P.Method("FormCreate", &TFrmFindDlg::FormCreate);
  P.Method("btOKClick", &TFrmFindDlg::btOKClick);
}

void TFrmFindDlg::FormCreate(TObject*) {
  cbTextToFind->FileName = AddSlash(GetTempDir()) + "dialogs.ini";
  cbTextToFind->LoadHistory();
  LoadSettings();
}

void TFrmFindDlg::LoadSettings() {
  TEasySearchSettings* S = SearchSettings();
  cbTextToFind->SetText(S->TextToFind);
  cbCaseSensitive->SetChecked(S->CaseSensitive);
  cbWholeWord->SetChecked(S->WholeWordsOnly);
  cbRegularExpr->SetChecked(S->RegularExpr);
  if (S->Direction == srBackward) {
    rbBackward->SetChecked(true);
  } else {
    rbForward->SetChecked(true);
  }
  rgScope->SetItemIndex(S->Scope != scGlobal ? 1 : 0);
  rgOrigin->SetItemIndex(S->Origin != sgFromCursor ? 1 : 0);
}

void TFrmFindDlg::SaveSettings() {
  TEasySearchSettings* S = SearchSettings();
  S->TextToFind = cbTextToFind->Caption();
  S->CaseSensitive = cbCaseSensitive->Checked();
  S->WholeWordsOnly = cbWholeWord->Checked();
  S->RegularExpr = cbRegularExpr->Checked();
  S->Direction = rbForward->Checked() ? srForward : srBackward;
  S->Scope = rgScope->ItemIndex() == 0 ? scGlobal : scSelectedText;
  S->Origin = rgOrigin->ItemIndex() == 0 ? sgFromCursor : sgEntireScope;
}

void TFrmFindDlg::btOKClick(TObject*) { SaveSettings(); }
