// The modal Find dialog.
#include "codeeditor/Searunit.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/controls/Buttons.h"
#include "suitebase/Designreg.h"
#include "suitebase/Formhelpers.h"

namespace Searunit {

using namespace Dcstring;

Z_IMPLEMENT_CLASS_PUBLISHED(TSrchDialog, TForm, TSrchDialog::Publish)

TSrchDialog* SrchDialog = nullptr;

void RegisterDialogClasses() {
  static const bool Done = [] {
    RegisterClasses({TPageControl::StaticClass(), TTabSheet::StaticClass(), TLabel::StaticClass(),
                     Histed::ZEZHistoryEditor::StaticClass(), TGroupBox::StaticClass(), TCheckBox::StaticClass(),
                     TRadioButton::StaticClass(), TRadioGroup::StaticClass(), TPanel::StaticClass(),
                     TButton::StaticClass(), TBitBtn::StaticClass(), TListBox::StaticClass(), TEdit::StaticClass()});
    return true;
  }();
  (void)Done;
}

void SetChoices(TRadioGroup* Group, const char* First, const char* Second, int Index) {
  if (Group->Items()->Count() != 2) {
    Group->Items()->Clear();
    Group->Items()->Add(First);
    Group->Items()->Add(Second);
  }
  Group->SetItemIndex(Index);
}

TSrchDialog::TSrchDialog(TComponent* AOwner) : TForm((RegisterDialogClasses(), AOwner)) { SrchDialog = this; }

TSrchDialog::~TSrchDialog() {
  if (SrchDialog == this) {
    SrchDialog = nullptr;
  }
}

void TSrchDialog::Publish(TMetaClass& Meta) {
  TPublisher<TSrchDialog> P(Meta);
  P.Field("PageControl", &TSrchDialog::PageControl);
  P.Field("EditorFindPage", &TSrchDialog::EditorFindPage);
  P.Field("LTexttFind", &TSrchDialog::LTexttFind);
  P.Field("SearText", &TSrchDialog::SearText);
  P.Field("OptionsGroup", &TSrchDialog::OptionsGroup);
  P.Field("CaseSens", &TSrchDialog::CaseSens);
  P.Field("WholeWord", &TSrchDialog::WholeWord);
  P.Field("RegExpr", &TSrchDialog::RegExpr);
  P.Field("DirectionGroup", &TSrchDialog::DirectionGroup);
  P.Field("dirForward", &TSrchDialog::dirForward);
  P.Field("dirBackward", &TSrchDialog::dirBackward);
  P.Field("ScopeGroup", &TSrchDialog::ScopeGroup);
  P.Field("OriginGroup", &TSrchDialog::OriginGroup);
  P.Field("FileFindPage", &TSrchDialog::FileFindPage);
  P.Field("Panel1", &TSrchDialog::Panel1);
  P.Field("OKBut", &TSrchDialog::OKBut);
  P.Field("CancelBut", &TSrchDialog::CancelBut);
  P.Field("HelpBut", &TSrchDialog::HelpBut);
  P.Method("FormCreate", &TSrchDialog::FormCreate);
  P.Method("OKButClick", &TSrchDialog::OKButClick);
}

void TSrchDialog::FormCreate(TObject*) {
  Dccommon::SetFormFont(this);
  FOptions = std::make_unique<TSearchOptions>();
  FOptions->Assign(GetSearchOptions());
  SetCaption(SFindText);
  EditorFindPage->SetCaption(SFind);
  LTexttFind->SetCaption(STextToFind);
  OptionsGroup->SetCaption(SOptions);
  CaseSens->SetCaption(SCaseSensitive);
  WholeWord->SetCaption(SWholeWord);
  RegExpr->SetCaption(SRegExpr);
  DirectionGroup->SetCaption(SDirection);
  dirForward->SetCaption(SForward);
  dirBackward->SetCaption(SBackward);
  ScopeGroup->SetCaption(SScope);
  OriginGroup->SetCaption(SOrigin);
  Dorazori::UpdateStandardButtons(OKBut, CancelBut, HelpBut);

  SearText->SetText(FOptions->TextToFind);
  CaseSens->SetChecked(FOptions->CaseSensitive);
  WholeWord->SetChecked(FOptions->WholeWordsOnly);
  RegExpr->SetChecked(FOptions->RegularExpr);
  if (FOptions->Direction == sdBackward) {
    dirBackward->SetChecked(true);
  } else {
    dirForward->SetChecked(true);
  }
  SetChoices(ScopeGroup, SGlobal, SSelText, FOptions->Scope == ssSelectedText ? 1 : 0);
  SetChoices(OriginGroup, SFromCursor, SEntireScope, FOptions->Origin == soEntireScope ? 1 : 0);
}

void TSrchDialog::OKButClick(TObject*) {
  FOptions->TextToFind = SearText->Text();
  FOptions->CaseSensitive = CaseSens->Checked();
  FOptions->WholeWordsOnly = WholeWord->Checked();
  FOptions->RegularExpr = RegExpr->Checked();
  FOptions->Direction = dirBackward->Checked() ? sdBackward : sdForward;
  FOptions->Scope = ScopeGroup->ItemIndex() == 1 ? ssSelectedText : ssGlobal;
  FOptions->Origin = OriginGroup->ItemIndex() == 1 ? soEntireScope : soFromCursor;
  GetSearchOptions()->Assign(FOptions.get());
  SearText->HistoryChanged();
  SearText->SaveHistory();
}

}  // namespace Searunit
