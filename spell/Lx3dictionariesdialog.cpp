// The custom-dictionaries window and the new-name window.
#include "spell/Lx3dictionariesdialog.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"
#include "spell/Lx3customdictionary.h"
#include "spell/Lx3spelldialog.h"


Z_IMPLEMENT_CLASS_PUBLISHED(TNewCustomDictionary, TForm, TNewCustomDictionary::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TCustomDictionariesDialog, TForm, TCustomDictionariesDialog::Publish)

void TNewCustomDictionary::Publish(TMetaClass& Meta) {
  TPublisher<TNewCustomDictionary> P(Meta);
  P.Field("EditLabel", &TNewCustomDictionary::EditLabel);
  P.Field("NameEdit", &TNewCustomDictionary::NameEdit);
  P.Field("OKButton", &TNewCustomDictionary::OKButton);
  P.Field("CancelButton", &TNewCustomDictionary::CancelButton);
  P.Field("DialogControl", &TNewCustomDictionary::DialogControl);
}

TNewCustomDictionary::TNewCustomDictionary(TComponent* AOwner)
    : TForm((TSpellDialog::RegisterLayoutClasses(), AOwner)) {}

void TNewCustomDictionary::AfterConstruction() {
  TForm::AfterConstruction();
  DialogControl->OnConfigurationAvailable = [this](TObject*) {
    SetCaption(DialogControl->GetString(lsNewCustomTitle));
    EditLabel->SetCaption(DialogControl->GetString(lsDlgNewCustom));
    OKButton->SetCaption(DialogControl->GetString(lsDlgOK));
    CancelButton->SetCaption(DialogControl->GetString(lsDlgCancel));
  };
}

void TCustomDictionariesDialog::Publish(TMetaClass& Meta) {
  TPublisher<TCustomDictionariesDialog> P(Meta);
  P.Field("CustomGroup", &TCustomDictionariesDialog::CustomGroup);
  P.Field("CustomDictionaries", &TCustomDictionariesDialog::CustomDictionaries);
  P.Field("EditButton", &TCustomDictionariesDialog::EditButton);
  P.Field("DeleteButton", &TCustomDictionariesDialog::DeleteButton);
  P.Field("NewButton", &TCustomDictionariesDialog::NewButton);
  P.Field("HelpButton", &TCustomDictionariesDialog::HelpButton);
  P.Field("OK", &TCustomDictionariesDialog::OK);
  P.Field("DialogControl", &TCustomDictionariesDialog::DialogControl);
}

TCustomDictionariesDialog::TCustomDictionariesDialog(TComponent* AOwner)
    : TForm((TSpellDialog::RegisterLayoutClasses(), RegisterClass(TListView::StaticClass()), AOwner)) {}

void TCustomDictionariesDialog::AfterConstruction() {
  TForm::AfterConstruction();
  DialogControl->OnConfigurationAvailable = [this](TObject*) { ConfigurationAvailable(); };
  CustomDictionaries->OnChange = [this](TObject*, TListItem* Item, TItemChange Change) {
    if (Change == ctState && !FFilling) {
      RowChecked(Item);
      RowSelected();
    }
  };
  CustomDictionaries->OnEditing = [this](TObject*, TListItem* Item, bool& Allow) {
    const auto I = static_cast<std::size_t>(Item->Index());
    Allow = I < FEntries.size() && FEntries[I].Renamable;
    if (Allow) {
      OK->SetDefault(false);  // Enter ends the edit, not the window
    }
  };
  CustomDictionaries->OnEdited = [this](TObject*, TListItem* Item, std::string& S) {
    OK->SetDefault(true);
    if (!RenameRow(Item->Index(), S)) {
      S = Item->Caption();
    }
  };
  EditButton->OnClick = [this](TObject*) { EditSelected(); };
  DeleteButton->OnClick = [this](TObject*) { DeleteSelected(); };
  NewButton->OnClick = [this](TObject*) { NewDictionary(); };
  HelpButton->OnClick = [this](TObject*) { DialogControl->HelpDictionariesDialog(); };
}

void TCustomDictionariesDialog::ConfigurationAvailable() {
  SetCaption(DialogControl->GetString(lsDictionaries));
  CustomGroup->SetCaption(DialogControl->GetString(lsDlgCustomDictionaries));
  EditButton->SetCaption(DialogControl->GetString(lsDlgEdit));
  DeleteButton->SetCaption(DialogControl->GetString(lsDlgDelete));
  NewButton->SetCaption(DialogControl->GetString(lsDlgNew));
  HelpButton->SetCaption(DialogControl->GetString(lsDlgHelp));
  OK->SetCaption(DialogControl->GetString(lsDlgOK));
  FillList();
}

void TCustomDictionariesDialog::FillList() {
  HelpButton->SetVisible(DialogControl->CommandVisible(sdcHelp) && DialogControl->ReadHelpCtxDictionariesDialog() != 0);
  HelpButton->SetEnabled(DialogControl->CommandEnabled(sdcHelp));
  EditButton->SetEnabled(false);
  DeleteButton->SetEnabled(false);
  FFilling = true;
  CustomDictionaries->Items()->Clear();
  FEntries.clear();
  auto AddRow = [this](const std::string& Caption, const TListEntry& Entry) {
    TListItem* Item = CustomDictionaries->Items()->Add();
    Item->SetCaption(Caption);
    Item->SetChecked(Entry.Checked);
    FEntries.push_back(Entry);
  };
  TCustomDictionary* Internal = DialogControl->ReadInternalCustom();
  if (DialogControl->CommandVisible(sdcInternalEdit) && Internal &&
      (Internal->ReadIgnoreCount() > 0 || Internal->ReadAutoCorrectCount() > 0)) {
    TListEntry E;
    E.Internal = true;
    AddRow(DialogControl->GetString(lsIgnoreAllChangeAll), E);
  }
  TLexiConfig* Config = DialogControl->Configuration();
  auto Holds = [](TStrings* List, const std::string& Text) {
    for (int I = 0; List && I < List->Count(); ++I) {
      if (SameText(List->Strings(I), Text)) {
        return true;
      }
    }
    return false;
  };
  TStringList* Custom = DialogControl->ReadAvailableCustom();
  for (int I = 0; Custom && I < Custom->Count(); ++I) {
    const std::string Entry = Custom->Strings(I);
    TListEntry E;
    E.Name = Entry;
    E.Checked = Config && Holds(Config->ReadCustomDictionaries(), Entry);
    E.Renamable = ExtractFileName(Entry) == Entry;
    AddRow(ExtractFileName(Entry), E);
  }
  TStringList* Word = DialogControl->ReadAvailableMSWordCustom();
  for (int I = 0; Word && I < Word->Count(); ++I) {
    const std::string File = Word->Strings(I);
    TListEntry E;
    E.Name = File;
    E.WordProcessor = true;
    E.Checked = Config && Holds(Config->ReadMSWordCustomDictionaries(), File);
    AddRow(ExtractFileName(File), E);
  }
  FFilling = false;
}

TListItem* TCustomDictionariesDialog::Current() {
  TListItem* Item = CustomDictionaries->ItemFocused();
  return Item ? Item : CustomDictionaries->Selected();
}

void TCustomDictionariesDialog::RowSelected() {
  TListItem* Item = CustomDictionaries->Selected();
  const auto I = Item ? static_cast<std::size_t>(Item->Index()) : FEntries.size();
  EditButton->SetEnabled(I < FEntries.size());
  DeleteButton->SetEnabled(I < FEntries.size() && !FEntries[I].Internal && !FEntries[I].WordProcessor);
}

void TCustomDictionariesDialog::RowChecked(TListItem* Item) {
  const auto I = static_cast<std::size_t>(Item->Index());
  if (I >= FEntries.size()) {
    return;
  }
  TListEntry& E = FEntries[I];
  if (E.Internal) {
    if (!Item->Checked()) {
      FFilling = true;
      Item->SetChecked(true);
      FFilling = false;
    }
    return;
  }
  if (Item->Checked() == E.Checked) {
    return;
  }
  E.Checked = Item->Checked();
  FFilling = true;
  CustomDictionaries->SetSelected(Item);
  FFilling = false;
  if (E.WordProcessor) {
    DialogControl->EnableWordDictionary(E.Name, E.Checked);
  } else {
    DialogControl->EnableCustomDictionary(E.Name, E.Checked);
  }
}

bool TCustomDictionariesDialog::RenameRow(int Index, const std::string& NewName) {
  const auto I = static_cast<std::size_t>(Index);
  if (I >= FEntries.size() || !FEntries[I].Renamable || NewName.empty()) {
    return false;
  }
  const std::string Old = CustomDictionaries->Items()->Item(Index)->Caption();
  if (!DialogControl->RenameCustomDictionary(Old, NewName)) {
    return false;
  }
  FEntries[I].Name = NewName;
  return true;
}

void TCustomDictionariesDialog::DeleteSelected() {
  TListItem* Item = Current();
  if (!Item || static_cast<std::size_t>(Item->Index()) >= FEntries.size()) {
    return;
  }
  const TListEntry E = FEntries[static_cast<std::size_t>(Item->Index())];
  if (E.Internal || E.WordProcessor) {
    return;
  }
  if (Application->MessageBox(DialogControl->GetString(lsRemoveCustomDict), DialogControl->GetString(lsConfirmation),
                              MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
    DialogControl->RemoveCustomDictionary(E.Name);
    FillList();
  }
}

void TCustomDictionariesDialog::NewDictionary() {
  auto* Ask = new TNewCustomDictionary(this);
  Ask->AfterConstruction();
  Ask->DialogControl->WriteLexiSpell(DialogControl->LexiSpell());
  const bool Ok = Ask->ShowModal() == mrOk;
  const std::string Typed = Ask->NameEdit->Text();
  delete Ask;
  if (!Ok || Typed.empty()) {
    return;
  }
  const std::string Name = ChangeFileExt(ExtractFileName(Typed), ".adu");
  auto Find = [this, &Name]() -> TListItem* {
    for (int I = 0; I < CustomDictionaries->Items()->Count(); ++I) {
      if (CustomDictionaries->Items()->Item(I)->Caption() == Name) {
        return CustomDictionaries->Items()->Item(I);
      }
    }
    return nullptr;
  };
  if (TListItem* Existing = Find()) {
    CustomDictionaries->SetSelected(Existing);
    return;
  }
  DialogControl->CreateNewCustomDictionary(Name);
  FillList();
  if (TListItem* Created = Find()) {
    CustomDictionaries->SetSelected(Created);
    CustomDictionaries->SetItemFocused(Created);
  }
  if (CustomDictionaries->HandleAllocated()) {
    CustomDictionaries->SetFocus();
  }
}

void TCustomDictionariesDialog::EditSelected() {
  TListItem* Item = Current();
  if (!Item || static_cast<std::size_t>(Item->Index()) >= FEntries.size()) {
    return;
  }
  const TListEntry E = FEntries[static_cast<std::size_t>(Item->Index())];
  if (E.Internal) {
    DialogControl->EditCustomDictionary(DialogControl->ReadInternalCustom());
  } else if (E.WordProcessor) {
    // The word processor's lists are plain text: the shell opens them with their own program.
    const std::string Folder = ExtractFileDir(E.Name);
    ShellExecute(Handle(), "open", E.Name.c_str(), nullptr, Folder.c_str(), SW_SHOWNORMAL);
  } else if (auto Dict = DialogControl->GetCustomDictionary(E.Name)) {
    DialogControl->EditCustomDictionary(Dict.get());
  }
}
