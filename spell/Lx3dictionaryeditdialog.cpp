// The custom dictionary edit window.
#include "spell/Lx3dictionaryeditdialog.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/FileUtils.h"
#include "spell/Lx3customdictionary.h"
#include "spell/Lx3spelldialog.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TCustomDictionaryEditDialog, TForm, TCustomDictionaryEditDialog::Publish)

void TCustomDictionaryEditDialog::Publish(TMetaClass& Meta) {
  TPublisher<TCustomDictionaryEditDialog> P(Meta);
  using D = TCustomDictionaryEditDialog;
  P.Field("PageControl", &D::PageControl);
  P.Field("AddedWordsSheet", &D::AddedWordsSheet);
  P.Field("AddedWordsExplain", &D::AddedWordsExplain);
  P.Field("IgnoreEditLabel", &D::IgnoreEditLabel);
  P.Field("IgnoreEdit", &D::IgnoreEdit);
  P.Field("IgnoreList", &D::IgnoreList);
  P.Field("AddIgnoreButton", &D::AddIgnoreButton);
  P.Field("DeleteIgnoreButton", &D::DeleteIgnoreButton);
  P.Field("AutoCorrectWordsSheet", &D::AutoCorrectWordsSheet);
  P.Field("AutoCorrectWordsExplain", &D::AutoCorrectWordsExplain);
  P.Field("ReplaceEditLabel", &D::ReplaceEditLabel);
  P.Field("WithEditLabel", &D::WithEditLabel);
  P.Field("ReplaceEdit", &D::ReplaceEdit);
  P.Field("WithEdit", &D::WithEdit);
  P.Field("AutoCorrectList", &D::AutoCorrectList);
  P.Field("AddAutoCorrectButton", &D::AddAutoCorrectButton);
  P.Field("DeleteAutoCorrectButton", &D::DeleteAutoCorrectButton);
  P.Field("ExcludedWordsSheet", &D::ExcludedWordsSheet);
  P.Field("ExcludeWordsExplanation", &D::ExcludeWordsExplanation);
  P.Field("ExcludeEditLabel", &D::ExcludeEditLabel);
  P.Field("ExcludeEdit", &D::ExcludeEdit);
  P.Field("ExcludeList", &D::ExcludeList);
  P.Field("AddExcludeButton", &D::AddExcludeButton);
  P.Field("DeleteExcludeButton", &D::DeleteExcludeButton);
  P.Field("OK", &D::OK);
  P.Field("HelpButton", &D::HelpButton);
  P.Field("DialogControl", &D::DialogControl);
  P.Field("Timer", &D::Timer);
}

TCustomDictionaryEditDialog::TCustomDictionaryEditDialog(TComponent* AOwner)
    : TForm((TSpellDialog::RegisterLayoutClasses(),
             RegisterClasses({TListView::StaticClass(), TPageControl::StaticClass(), TTabSheet::StaticClass(),
                              TTimer::StaticClass()}),
             AOwner)) {}

void TCustomDictionaryEditDialog::AfterConstruction() {
  TForm::AfterConstruction();
  DialogControl->OnConfigurationAvailable = [this](TObject*) { ConfigurationAvailable(); };
  DialogControl->OnCustomDictionaryAvailable = [this](TObject*) { DictionaryAvailable(); };
  IgnoreEdit->OnChange = [this](TObject*) { WordEditChange(false); };
  ExcludeEdit->OnChange = [this](TObject*) { WordEditChange(true); };
  IgnoreList->OnClick = [this](TObject*) {
    const int I = IgnoreList->ItemIndex();
    if (I >= 0) {
      IgnoreEdit->SetText(IgnoreList->Items()->Strings(I));
    }
    WordEditChange(false);
  };
  ExcludeList->OnClick = [this](TObject*) {
    const int I = ExcludeList->ItemIndex();
    if (I >= 0) {
      ExcludeEdit->SetText(ExcludeList->Items()->Strings(I));
    }
    WordEditChange(true);
  };
  AddIgnoreButton->OnClick = [this](TObject*) { AddWord(false); };
  DeleteIgnoreButton->OnClick = [this](TObject*) { DeleteWord(false); };
  AddExcludeButton->OnClick = [this](TObject*) { AddWord(true); };
  DeleteExcludeButton->OnClick = [this](TObject*) { DeleteWord(true); };
  ReplaceEdit->OnChange = [this](TObject*) { PairCheck(); };
  WithEdit->OnChange = [this](TObject*) { WithEditChange(); };
  AutoCorrectList->OnSelectItem = [this](TObject*, TListItem* Item, bool Selected) {
    if (FChecking || !Item) {
      return;
    }
    if (Selected) {
      FChecking = true;
      ReplaceEdit->SetText(Item->Caption());
      WithEdit->SetText(Item->SubItems()->Count() > 0 ? Item->SubItems()->Strings(0) : std::string());
      FChecking = false;
      DeleteAutoCorrectButton->SetEnabled(true);
      AddAutoCorrectButton->SetEnabled(false);
    } else {
      Timer->SetEnabled(true);
    }
  };
  Timer->SetOnTimer([this](TObject*) {
    Timer->SetEnabled(false);
    PairCheck();
  });
  AddAutoCorrectButton->OnClick = [this](TObject*) { AddPair(); };
  DeleteAutoCorrectButton->OnClick = [this](TObject*) { DeletePair(); };
  HelpButton->OnClick = [this](TObject*) { DialogControl->HelpDictionaryEditDialog(); };
}

void TCustomDictionaryEditDialog::ConfigurationAvailable() {
  auto T = [this](TSpellLanguageString Id) { return DialogControl->GetString(Id); };
  AddedWordsSheet->SetCaption(T(lsDlgAddedWords));
  AutoCorrectWordsSheet->SetCaption(T(lsDlgAutoCorrectPairs));
  ExcludedWordsSheet->SetCaption(T(lsDlgExcludedWords));
  AddedWordsExplain->SetCaption(T(lsDlgAddedWordsExplanation));
  AutoCorrectWordsExplain->SetCaption(T(lsDlgAutoCorrectPairsExplanation));
  ExcludeWordsExplanation->SetCaption(T(lsDlgExcludedWordsExplanation));
  IgnoreEditLabel->SetCaption(T(lsDlgIgnoreThisWord));
  ReplaceEditLabel->SetCaption(T(lsDlgReplace));
  WithEditLabel->SetCaption(T(lsDlgWith));
  ExcludeEditLabel->SetCaption(T(lsDlgExcludeThisWord));
  for (TButton* B : {AddIgnoreButton, AddAutoCorrectButton, AddExcludeButton}) {
    B->SetCaption(T(lsDlgAdd));
  }
  for (TButton* B : {DeleteIgnoreButton, DeleteAutoCorrectButton, DeleteExcludeButton}) {
    B->SetCaption(T(lsDlgDelete));
  }
  HelpButton->SetCaption(T(lsDlgHelp));
  OK->SetCaption(T(lsDlgOK));
}

void TCustomDictionaryEditDialog::DictionaryAvailable() {
  TCustomDictionary* D = Dictionary();
  const bool Internal = D && D == DialogControl->ReadInternalCustom();
  AddedWordsSheet->SetTabVisible(DialogControl->CommandVisible(sdcAddedEdit));
  AutoCorrectWordsSheet->SetTabVisible(DialogControl->CommandVisible(sdcAutoCorrectEdit));
  ExcludedWordsSheet->SetTabVisible(DialogControl->ReadUseExcludeWords() && !Internal &&
                                    DialogControl->CommandVisible(sdcExcludedEdit));
  if (Internal) {
    SetCaption(DialogControl->GetString(lsIgnoreAllChangeAllTitle));
    AddedWordsSheet->SetCaption(DialogControl->GetString(lsDlgIgnoreAll));
    AutoCorrectWordsSheet->SetCaption(DialogControl->GetString(lsDlgChangeAll));
  } else if (D) {
    SetCaption(ExtractFileName(D->Filename()));
  }
  HelpButton->SetVisible(DialogControl->CommandVisible(sdcHelp) && DialogControl->ReadHelpCtxDictionaryEditDialog() != 0);
  HelpButton->SetEnabled(DialogControl->CommandEnabled(sdcHelp));
  FillSheets();
}

void TCustomDictionaryEditDialog::FillSheets() {
  TCustomDictionary* D = Dictionary();
  for (TButton* B : {AddIgnoreButton, DeleteIgnoreButton, AddAutoCorrectButton, DeleteAutoCorrectButton,
                     AddExcludeButton, DeleteExcludeButton}) {
    B->SetEnabled(false);
  }
  if (!D) {
    return;
  }
  const TCursor Saved = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  IgnoreList->Items()->Clear();
  for (int I = 0; I < D->ReadIgnoreCount(); ++I) {
    IgnoreList->Items()->Add(D->GetIgnoreWord(I));
  }
  ExcludeList->Items()->Clear();
  for (int I = 0; I < D->ReadExcludeCount(); ++I) {
    ExcludeList->Items()->Add(D->GetExcludeWord(I));
  }
  AutoCorrectList->Items()->Clear();
  for (int I = 0; I < D->ReadAutoCorrectCount(); ++I) {
    std::string With;
    const std::string Word = D->GetAutoCorrectWord(I, With);
    TListItem* Item = AutoCorrectList->Items()->Add();
    Item->SetCaption(Word);
    Item->SubItems()->Add(With);
  }
  Screen->SetCursor(Saved);
}

void TCustomDictionaryEditDialog::WordEditChange(bool Exclude) {
  TCustomDictionary* D = Dictionary();
  TEdit* Edit = Exclude ? ExcludeEdit : IgnoreEdit;
  TListBox* List = Exclude ? ExcludeList : IgnoreList;
  TButton* Add = Exclude ? AddExcludeButton : AddIgnoreButton;
  TButton* Del = Exclude ? DeleteExcludeButton : DeleteIgnoreButton;
  if (!D) {
    return;
  }
  const std::string Word = Edit->Text();
  std::string Pair;
  if (Exclude ? D->ExcludeExists(Word) : D->IgnoreExists(Word)) {
    Add->SetEnabled(false);
    List->SetItemIndex(List->Items()->IndexOf(Word));
    Del->SetEnabled(List->ItemIndex() >= 0);
    return;
  }
  List->SetItemIndex(-1);
  Del->SetEnabled(false);
  const bool OtherKind = (Exclude ? D->IgnoreExists(Word) : D->ExcludeExists(Word)) || D->AutoCorrectExists(Word, Pair);
  Add->SetEnabled(!Word.empty() && !OtherKind);
}

void TCustomDictionaryEditDialog::AddWord(bool Exclude) {
  TCustomDictionary* D = Dictionary();
  TEdit* Edit = Exclude ? ExcludeEdit : IgnoreEdit;
  if (!D || !(Exclude ? AddExcludeButton : AddIgnoreButton)->Enabled()) {
    return;
  }
  const std::string Word = Edit->Text();
  if (Exclude ? D->AddExclude(Word) : D->AddIgnore(Word)) {
    (Exclude ? ExcludeList : IgnoreList)->Items()->Add(Word);
  }
  WordEditChange(Exclude);
}

void TCustomDictionaryEditDialog::DeleteWord(bool Exclude) {
  TCustomDictionary* D = Dictionary();
  TEdit* Edit = Exclude ? ExcludeEdit : IgnoreEdit;
  TListBox* List = Exclude ? ExcludeList : IgnoreList;
  if (!D) {
    return;
  }
  const std::string Word = Edit->Text();
  if (!(Exclude ? D->RemoveExclude(Word) : D->RemoveIgnore(Word))) {
    return;
  }
  const int At = List->Items()->IndexOf(Word);
  if (At >= 0) {
    List->Items()->Delete(At);
  }
  const int Count = List->Items()->Count();
  if (Count > 0) {
    const int Next = At >= 0 && At < Count ? At : Count - 1;
    List->SetItemIndex(Next);
    Edit->SetText(List->Items()->Strings(Next));
  }
  WordEditChange(Exclude);
}

void TCustomDictionaryEditDialog::PairCheck() {
  TCustomDictionary* D = Dictionary();
  if (!D || FChecking) {
    return;
  }
  const std::string Word = ReplaceEdit->Text();
  std::string With;
  FChecking = true;
  if (D->AutoCorrectExists(Word, With)) {
    AddAutoCorrectButton->SetEnabled(false);
    for (int I = 0; I < AutoCorrectList->Items()->Count(); ++I) {
      TListItem* Item = AutoCorrectList->Items()->Item(I);
      if (Item->Caption() == Word) {
        AutoCorrectList->SetItemFocused(Item);
        AutoCorrectList->SetSelected(Item);
        break;
      }
    }
    DeleteAutoCorrectButton->SetEnabled(AutoCorrectList->ItemFocused() != nullptr);
  } else {
    AutoCorrectList->SetItemFocused(nullptr);
    AutoCorrectList->ClearSelection();
    DeleteAutoCorrectButton->SetEnabled(false);
    AddAutoCorrectButton->SetEnabled(!Word.empty() && !D->IgnoreExists(Word) && !D->ExcludeExists(Word) &&
                                     !WithEdit->Text().empty());
  }
  FChecking = false;
}

void TCustomDictionaryEditDialog::WithEditChange() {
  TCustomDictionary* D = Dictionary();
  TListItem* Item = AutoCorrectList->ItemFocused();
  if (!D || FChecking) {
    return;
  }
  if (!Item || !Item->Selected()) {
    PairCheck();
    return;
  }
  std::string Old;
  const std::string Now = WithEdit->Text();
  if (D->AutoCorrectExists(Item->Caption(), Old) && Old != Now && !Now.empty()) {
    D->RemoveAutoCorrect(Item->Caption());
    D->AddAutoCorrect(Item->Caption(), Now);
    if (Item->SubItems()->Count() > 0) {
      Item->SubItems()->SetStrings(0, Now);
    }
  }
}

void TCustomDictionaryEditDialog::AddPair() {
  TCustomDictionary* D = Dictionary();
  if (!D || !AddAutoCorrectButton->Enabled()) {
    return;
  }
  const std::string Word = ReplaceEdit->Text();
  const std::string With = WithEdit->Text();
  if (D->AddAutoCorrect(Word, With)) {
    TListItem* Item = AutoCorrectList->Items()->Add();
    Item->SetCaption(Word);
    Item->SubItems()->Add(With);
  }
  PairCheck();
}

void TCustomDictionaryEditDialog::DeletePair() {
  TCustomDictionary* D = Dictionary();
  TListItem* Item = AutoCorrectList->ItemFocused();
  if (!D || !Item || !D->RemoveAutoCorrect(Item->Caption())) {
    return;
  }
  const int At = Item->Index();
  AutoCorrectList->Items()->Delete(At);
  const int Count = AutoCorrectList->Items()->Count();
  if (Count > 0) {
    TListItem* Next = AutoCorrectList->Items()->Item(At < Count ? At : Count - 1);
    AutoCorrectList->SetItemFocused(Next);
    AutoCorrectList->SetSelected(Next);
  }
}
