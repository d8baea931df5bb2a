// The spelling options window.
#include "spell/Lx3configdialog.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/SysUtils.h"
#include "spell/Lx3maindictionary.h"
#include "spell/Lx3spelldialog.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TSpellCheckConfigDialog, TForm, TSpellCheckConfigDialog::Publish)

void TSpellCheckConfigDialog::Publish(TMetaClass& Meta) {
  TPublisher<TSpellCheckConfigDialog> P(Meta);
  P.Field("OptionsGroup", &TSpellCheckConfigDialog::OptionsGroup);
  P.Field("DictionariesGroup", &TSpellCheckConfigDialog::DictionariesGroup);
  P.Field("MainDictionaries", &TSpellCheckConfigDialog::MainDictionaries);
  P.Field("CustomLabel", &TSpellCheckConfigDialog::CustomLabel);
  P.Field("CustomCombo", &TSpellCheckConfigDialog::CustomCombo);
  P.Field("DictionariesButton", &TSpellCheckConfigDialog::DictionariesButton);
  P.Field("ResetButton", &TSpellCheckConfigDialog::ResetButton);
  P.Field("HelpButton", &TSpellCheckConfigDialog::HelpButton);
  P.Field("OK", &TSpellCheckConfigDialog::OK);
  P.Field("DialogControl", &TSpellCheckConfigDialog::DialogControl);
}

namespace {
bool ContainsText(TStrings* List, const std::string& Text) {
  for (int I = 0; List && I < List->Count(); ++I) {
    if (SameText(List->Strings(I), Text)) {
      return true;
    }
  }
  return false;
}
}  // namespace

TSpellCheckConfigDialog::TSpellCheckConfigDialog(TComponent* AOwner)
    : TForm((TSpellDialog::RegisterLayoutClasses(), RegisterClass(TListView::StaticClass()), AOwner)) {}

void TSpellCheckConfigDialog::AfterConstruction() {
  TForm::AfterConstruction();
  for (int I = 0; I < 10; ++I) {
    Options[static_cast<std::size_t>(I)] = dynamic_cast<TCheckBox*>(FindComponent("Option" + std::to_string(I + 1)));
    TCheckBox* Box = Options[static_cast<std::size_t>(I)];
    Box->OnClick = [this, Box](TObject*) { OptionClicked(Box); };
  }
  DialogControl->OnConfigurationAvailable = [this](TObject*) { ConfigurationAvailable(); };
  MainDictionaries->OnChange = [this](TObject*, TListItem* Item, TItemChange Change) {
    if (Change == ctState) {
      MainChanged(Item);
    }
  };
  MainDictionaries->OnSelectItem = [this](TObject*, TListItem* Item, bool Selected) {
    if (Selected && Item && !FFilling) {
      Item->SetSelected(false);
    }
  };
  CustomCombo->OnChange = [this](TObject*) {
    const int I = CustomCombo->ItemIndex();
    if (!FFilling && I >= 0 && DialogControl->Configuration()) {
      DialogControl->Configuration()->WriteActiveCustom(CustomCombo->Items()->Strings(I));
    }
  };
  DictionariesButton->OnClick = [this](TObject*) {
    DialogControl->SetupCustomDictionaries();
    FillCustomCombo();
  };
  ResetButton->OnClick = [this](TObject*) {
    if (DialogControl->Configuration()) {
      DialogControl->Configuration()->ResetConfigurationDefaults();
    }
    FillMainList();
    FillCustomCombo();
    FillOptions();
  };
  HelpButton->OnClick = [this](TObject*) { DialogControl->HelpConfigDialog(); };
}

void TSpellCheckConfigDialog::ConfigurationAvailable() {
  SetCaption(DialogControl->GetString(lsSpellingOptions));
  OptionsGroup->SetCaption(DialogControl->GetString(lsDlgOptionsLabel));
  DictionariesGroup->SetCaption(DialogControl->GetString(lsDlgDictionariesLabel));
  MainDictionaries->Columns()->Items(0)->SetCaption(DialogControl->GetString(lsDlgName));
  MainDictionaries->Columns()->Items(1)->SetCaption(DialogControl->GetString(lsDlgFilename));
  CustomLabel->SetCaption(DialogControl->GetString(lsDlgCustomDictionary));
  DictionariesButton->SetCaption(DialogControl->GetString(lsDlgDictionaries));
  ResetButton->SetCaption(DialogControl->GetString(lsDlgResetDefaults));
  HelpButton->SetCaption(DialogControl->GetString(lsDlgHelp));
  OK->SetCaption(DialogControl->GetString(lsDlgOK));

  DictionariesButton->SetVisible(Visible(sdcCustomDictionaries));
  CustomCombo->SetVisible(Visible(sdcCustomDictionary));
  CustomLabel->SetVisible(Visible(sdcCustomDictionary));
  ResetButton->SetVisible(Visible(sdcResetDefaults));
  OK->SetVisible(Visible(sdcConfigOK));
  HelpButton->SetVisible(Visible(sdcHelp) && DialogControl->ReadHelpCtxConfigDialog() != 0);
  DictionariesButton->SetEnabled(Enabled(sdcCustomDictionaries));
  CustomCombo->SetEnabled(Enabled(sdcCustomDictionary));
  OK->SetEnabled(Enabled(sdcConfigOK));
  HelpButton->SetEnabled(Enabled(sdcHelp));
  ResetButton->SetEnabled(Visible(sdcResetDefaults));
  if (!DictionariesButton->Visible() && !CustomCombo->Visible()) {
    MainDictionaries->SetHeight(DictionariesButton->Top() + DictionariesButton->Height() - MainDictionaries->Top());
  }
  if (!OK->Visible() && !HelpButton->Visible()) {
    DictionariesGroup->SetHeight(OK->Top() + OK->Height() - DictionariesGroup->Top());
  }
  FillMainList();
  FillCustomCombo();
  FillOptions();
  // Each hidden option box takes its 16 pixels out of the window.
  const int Shrink = 16 * FHiddenOptions;
  if (Shrink > 0) {
    OptionsGroup->SetHeight(OptionsGroup->Height() - Shrink);
    for (TControl* C : {static_cast<TControl*>(DictionariesGroup), static_cast<TControl*>(ResetButton),
                        static_cast<TControl*>(HelpButton), static_cast<TControl*>(OK)}) {
      C->SetTop(C->Top() - Shrink);
    }
    SetClientHeight(ClientHeight() - Shrink);
  }
}

void TSpellCheckConfigDialog::FillOptions() {
  TLexiConfig* Config = DialogControl->Configuration();
  const TSpellOptions Current = Config ? Config->ReadSpellOptions() : 0;
  std::size_t Next = 0;
  FFilling = true;
  for (int O = soLiveSpelling; O <= soUser4 && Next < Options.size(); ++O) {
    const auto Option = static_cast<TSpellOption>(O);
    if ((DialogControl->AvailableOptions() & SpellOptionBit(Option)) == 0) {
      continue;
    }
    TCheckBox* Box = Options[Next++];
    Box->SetTag(O);
    Box->SetCaption(DialogControl->GetOptionString(Option));
    Box->SetChecked((Current & SpellOptionBit(Option)) != 0);
    Box->SetVisible(true);
  }
  FHiddenOptions = static_cast<int>(Options.size() - Next);
  for (; Next < Options.size(); ++Next) {
    Options[Next]->SetVisible(false);
  }
  FFilling = false;
}

void TSpellCheckConfigDialog::OptionClicked(TCheckBox* Box) {
  TLexiConfig* Config = DialogControl->Configuration();
  if (FFilling || !Config) {
    return;
  }
  const TSpellOptions Bit = SpellOptionBit(static_cast<TSpellOption>(Box->Tag()));
  const TSpellOptions Current = Config->ReadSpellOptions();
  Config->WriteSpellOptions(Box->Checked() ? (Current | Bit) : static_cast<TSpellOptions>(Current & ~Bit));
}

void TSpellCheckConfigDialog::FillMainList() {
  FFilling = true;
  MainDictionaries->Items()->Clear();
  FRemembered.clear();
  TLexiConfig* Config = DialogControl->Configuration();
  TStringList* Available = DialogControl->ReadAvailableMain();
  TStringList* Chosen = Config ? Config->ReadMainDictionaries() : nullptr;
  for (int I = 0; Available && I < Available->Count(); ++I) {
    const std::string File = Available->Strings(I);
    auto Dict = DialogControl->GetMainDictionary(File);
    TListItem* Item = MainDictionaries->Items()->Add();
    Item->SetCaption(Dict ? Dict->Title() : "???");
    Item->SubItems()->Add(File);
    const bool Checked = ContainsText(Chosen, File);
    Item->SetChecked(Checked);
    FRemembered.push_back(Checked);
  }
  FHasBrowseRow = Visible(sdcMainDictFolderBrowse);
  if (FHasBrowseRow) {
    TListItem* Item = MainDictionaries->Items()->Add();
    Item->SetCaption(DialogControl->GetString(lsDlgBrowseForMain));
    Item->SubItems()->Add(std::string());
    FRemembered.push_back(false);
  }
  int Width = MainDictionaries->ClientWidth() - MainDictionaries->Columns()->Items(0)->Width() - 4;
  if (MainDictionaries->Items()->Count() > 4) {
    Width -= GetSystemMetrics(SM_CXVSCROLL);
  }
  MainDictionaries->Columns()->Items(1)->SetWidth(Width);
  FFilling = false;
}

void TSpellCheckConfigDialog::MainChanged(TListItem* Item) {
  if (FFilling || !Item) {
    return;
  }
  const auto Index = static_cast<std::size_t>(Item->Index());
  if (Index >= FRemembered.size() || Item->Checked() == FRemembered[Index]) {
    return;
  }
  const bool IsBrowse = FHasBrowseRow && Index + 1 == FRemembered.size();
  if (IsBrowse) {
    FFilling = true;
    Item->SetChecked(false);
    FFilling = false;
    DialogControl->SetupAddDictionaryDir();
    FillMainList();
    return;
  }
  FRemembered[Index] = Item->Checked();
  TLexiConfig* Config = DialogControl->Configuration();
  if (!Config) {
    return;
  }
  TStringList* Chosen = Config->ReadMainDictionaries();
  const std::string File = Item->SubItems()->Strings(0);
  int Found = -1;
  for (int I = 0; I < Chosen->Count(); ++I) {
    if (SameText(Chosen->Strings(I), File)) {
      Found = I;
      break;
    }
  }
  if (Item->Checked() && Found < 0) {
    Chosen->Add(File);
  } else if (!Item->Checked() && Found >= 0) {
    Chosen->Delete(Found);
  }
}

void TSpellCheckConfigDialog::FillCustomCombo() {
  FFilling = true;
  CustomCombo->Items()->Clear();
  TStringList* Available = DialogControl->ReadAvailableCustom();
  TLexiConfig* Config = DialogControl->Configuration();
  const std::string Active = Config ? Config->ReadActiveCustom() : std::string();
  int Selected = -1;
  for (int I = 0; Available && I < Available->Count(); ++I) {
    CustomCombo->Items()->Add(Available->Strings(I));
    if (Selected < 0 && SameText(Available->Strings(I), Active)) {
      Selected = I;
    }
  }
  CustomCombo->SetItemIndex(Selected);
  FFilling = false;
}
