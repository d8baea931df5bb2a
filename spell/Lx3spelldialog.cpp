// The spell dialog.
#include "spell/Lx3spelldialog.h"

#include "platform/classes/ClassRegistry.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TSpellDialog, TForm, TSpellDialog::Publish)

void TSpellDialog::Publish(TMetaClass& Meta) {
  TPublisher<TSpellDialog> P(Meta);
  P.Field("NotFoundText", &TSpellDialog::NotFoundText);
  P.Field("ReplaceWithText", &TSpellDialog::ReplaceWithText);
  P.Field("SuggestionsText", &TSpellDialog::SuggestionsText);
  P.Field("NotFoundEdit", &TSpellDialog::NotFoundEdit);
  P.Field("ReplaceWithEdit", &TSpellDialog::ReplaceWithEdit);
  P.Field("SuggestionsListbox", &TSpellDialog::SuggestionsListbox);
  P.Field("UndoButton", &TSpellDialog::UndoButton);
  P.Field("OptionsButton", &TSpellDialog::OptionsButton);
  P.Field("IgnoreButton", &TSpellDialog::IgnoreButton);
  P.Field("IgnoreAllButton", &TSpellDialog::IgnoreAllButton);
  P.Field("ChangeButton", &TSpellDialog::ChangeButton);
  P.Field("ChangeAllButton", &TSpellDialog::ChangeAllButton);
  P.Field("AddButton", &TSpellDialog::AddButton);
  P.Field("AutoCorrectButton", &TSpellDialog::AutoCorrectButton);
  P.Field("HelpButton", &TSpellDialog::HelpButton);
  P.Field("CancelButton", &TSpellDialog::CancelButton);
  P.Field("DialogControl", &TSpellDialog::DialogControl);
}

void TSpellDialog::RegisterLayoutClasses() {
  static const bool Done = [] {
    RegisterClasses({TLabel::StaticClass(), TEdit::StaticClass(), TListBox::StaticClass(), TButton::StaticClass(),
                     TCheckBox::StaticClass(), TComboBox::StaticClass(), TGroupBox::StaticClass(),
                     TConfigurationDialogCtrl::StaticClass()});
    return true;
  }();
  (void)Done;
}

TSpellDialog::TSpellDialog(TComponent* AOwner) : TForm((RegisterLayoutClasses(), AOwner)) {}

void TSpellDialog::AfterConstruction() {
  TForm::AfterConstruction();
  if (!DialogControl) {
    DialogControl = new TConfigurationDialogCtrl(this);
  }
  DialogControl->OnConfigurationAvailable = [this](TObject*) { ConfigurationAvailable(); };
  DialogControl->OnPromptWord = [this](TObject*, const std::string& W, bool R) { PromptWord(W, R); };
  NotFoundEdit->OnDblClick = [this](TObject*) { ReplaceWithEdit->SetText(NotFoundEdit->Text()); };
  ReplaceWithEdit->OnChange = [this](TObject*) { ReplacementChanged(); };
  SuggestionsListbox->OnClick = [this](TObject*) {
    const int I = SuggestionsListbox->ItemIndex();
    if (I >= 0) {
      ReplaceWithEdit->SetText(SuggestionsListbox->Items()->Strings(I));
    }
  };
  SuggestionsListbox->OnDblClick = [this](TObject*) {
    const int I = SuggestionsListbox->ItemIndex();
    if (I >= 0 && ChangeButton->Enabled()) {
      DialogControl->Change(SuggestionsListbox->Items()->Strings(I));
    }
  };
  IgnoreButton->OnClick = [this](TObject*) {
    if (FRepeated) {
      DialogControl->RepeatIgnore();
    } else {
      DialogControl->Ignore();
    }
  };
  IgnoreAllButton->OnClick = [this](TObject*) { DialogControl->IgnoreAll(); };
  ChangeButton->OnClick = [this](TObject*) {
    if (FRepeated) {
      DialogControl->RepeatDelete();
    } else {
      DialogControl->Change(ReplaceWithEdit->Text());
    }
  };
  ChangeAllButton->OnClick = [this](TObject*) { DialogControl->ChangeAll(ReplaceWithEdit->Text()); };
  AutoCorrectButton->OnClick = [this](TObject*) { DialogControl->AutoCorrect(ReplaceWithEdit->Text()); };
  AddButton->OnClick = [this](TObject*) { DialogControl->Add(); };
  UndoButton->OnClick = [this](TObject*) { DialogControl->Undo(); };
  CancelButton->OnClick = [this](TObject*) { DialogControl->Cancel(); };
  HelpButton->OnClick = [this](TObject*) { DialogControl->HelpSpellDialog(); };
  OptionsButton->OnClick = [this](TObject*) {
    const std::string Word = NotFoundEdit->Text();
    const bool Doubled = FRepeated;
    DialogControl->Setup();
    FRepeated = !Doubled;  // prompt again as new, so the buttons follow the new options
    PromptWord(Word, Doubled);
  };
  OnClose = [this](TObject*, TCloseAction& Action) {
    TLexiSpell3Base* Spell = DialogControl->LexiSpell();
    if (Spell && Spell->Checking()) {
      Action = caNone;
      DialogControl->Cancel();
    }
  };
  OnDeactivate = [this](TObject*) {
    FDeactivated = true;
    EnableCommands(false);
  };
  OnActivate = [this](TObject*) {
    if (FDeactivated) {
      FDeactivated = false;
      EnableCommands(true);
    }
  };
}

void TSpellDialog::ConfigurationAvailable() {
  FRepeated = false;
  FDeactivated = false;
  SetCaption(DialogControl->GetString(lsSpelling));
  const std::pair<TControl*, TSpellLanguageString> Texts[] = {
      {NotFoundText, lsDlgNotFound},       {ReplaceWithText, lsDlgReplaceWith}, {SuggestionsText, lsDlgSuggestions},
      {UndoButton, lsDlgUndo},             {OptionsButton, lsDlgOptions},       {IgnoreButton, lsDlgIgnore},
      {IgnoreAllButton, lsDlgIgnoreAll},   {ChangeButton, lsDlgChange},         {ChangeAllButton, lsDlgChangeAll},
      {AddButton, lsDlgAdd},               {AutoCorrectButton, lsDlgAutoCorrect}, {HelpButton, lsDlgHelp},
      {CancelButton, lsDlgCancel}};
  for (const auto& [Control, Id] : Texts) {
    Control->SetCaption(DialogControl->GetString(Id));
  }
  const std::pair<TButton*, TSpellDialogCommand> Buttons[] = {
      {UndoButton, sdcUndo},       {OptionsButton, sdcOptions}, {IgnoreAllButton, sdcIgnoreAll},
      {IgnoreButton, sdcIgnore},   {ChangeButton, sdcChange},   {ChangeAllButton, sdcChangeAll},
      {AddButton, sdcAdd},         {AutoCorrectButton, sdcAutoCorrect}, {CancelButton, sdcCancel}};
  for (const auto& [Button, Command] : Buttons) {
    Button->SetVisible(DialogControl->CommandVisible(Command));
  }
  HelpButton->SetVisible(DialogControl->CommandVisible(sdcHelp) && DialogControl->ReadHelpCtxSpellDialog() != 0);
  HelpButton->SetEnabled(Enabled(sdcHelp));
  CancelButton->SetEnabled(Enabled(sdcCancel));
  if (!OptionsButton->Visible()) {
    UndoButton->SetTop(138);
  }
}

void TSpellDialog::EnableCommands(bool Enable) {
  UndoButton->SetEnabled(Enable && DialogControl->ReadCanUndo() && Enabled(sdcUndo));
  OptionsButton->SetEnabled(Enable && Enabled(sdcOptions));
  ReplaceWithEdit->SetEnabled(Enable);
  SuggestionsListbox->SetEnabled(Enable);
  IgnoreAllButton->SetEnabled(Enable && Enabled(sdcIgnoreAll));
  IgnoreButton->SetEnabled(Enable && Enabled(sdcIgnore));
  ChangeAllButton->SetEnabled(Enable && Enabled(sdcChangeAll));
  ChangeButton->SetEnabled(Enable && Enabled(sdcChange));
  AddButton->SetEnabled(Enable && CanAddToActive(sdcAdd));
  AutoCorrectButton->SetEnabled(Enable && CanAddToActive(sdcAutoCorrect));
}

void TSpellDialog::PromptWord(const std::string& Word, bool Repeated) {
  NotFoundEdit->SetText(Word);
  SuggestionsListbox->Items()->Clear();
  if (Repeated != FRepeated) {
    FRepeated = Repeated;
    EnableCommands(!Repeated);
  }
  if (Repeated) {
    OptionsButton->SetEnabled(Enabled(sdcOptions));
    IgnoreButton->SetEnabled(Enabled(sdcIgnore));
    ChangeButton->SetEnabled(Enabled(sdcChange));
    NotFoundText->SetCaption(DialogControl->GetString(lsDlgRepeatedWord));
  } else {
    NotFoundText->SetCaption(DialogControl->GetString(lsDlgNotFound));
  }
  UndoButton->SetEnabled(DialogControl->ReadCanUndo() && Enabled(sdcUndo));
  if (Repeated) {
    ReplaceWithEdit->SetText(Word.substr(0, Word.size() / 2));
    return;
  }
  AddButton->SetEnabled(CanAddToActive(sdcAdd));
  AutoCorrectButton->SetEnabled(CanAddToActive(sdcAutoCorrect));
  TStringList Suggestions;
  DialogControl->Suggest(Word, Suggestions);
  SuggestionsListbox->Items()->Assign(&Suggestions);
  SuggestionsListbox->SetEnabled(Suggestions.Count() > 0);
  if (Suggestions.Count() > 0) {
    ReplaceWithEdit->SetText(Suggestions.Strings(0));
    ReplacementChanged();
    SuggestionsListbox->SetItemIndex(0);
  } else {
    ReplaceWithEdit->SetText(std::string());
    ReplacementChanged();
    SuggestionsListbox->Items()->Add(DialogControl->GetString(lsMnNoSuggestions));
  }
}

void TSpellDialog::ReplacementChanged() {
  if (FRepeated) {
    return;
  }
  const bool HasText = !ReplaceWithEdit->Text().empty();
  ChangeAllButton->SetEnabled(HasText && Enabled(sdcChangeAll));
  ChangeButton->SetEnabled(HasText && Enabled(sdcChange));
  AutoCorrectButton->SetEnabled(HasText && CanAddToActive(sdcAutoCorrect));
}
