// The go-between of the spell windows.
#include "spell/Lx3dialogctrl.h"

#include "spell/Lx3customdictionary.h"
#include "spell/Lx3maindictionary.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TConfigurationDialogCtrl, TComponent, TConfigurationDialogCtrl::Publish)

void TConfigurationDialogCtrl::Publish(TMetaClass&) {}

TConfigurationDialogCtrl::TConfigurationDialogCtrl(TComponent* AOwner) : TComponent(AOwner) {}

void TConfigurationDialogCtrl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FLexiSpell) {
    FLexiSpell = nullptr;
    FCustomDictionary = nullptr;
  }
}

void TConfigurationDialogCtrl::WriteLexiSpell(TLexiSpell3Base* Component) {
  if (FLexiSpell || !Component) {
    return;
  }
  FLexiSpell = Component;
  FLexiSpell->FreeNotification(this);
  FAvailableOptions = Component->ConfigAvailableOptions;
  if (OnConfigurationAvailable) {
    OnConfigurationAvailable(this);
  }
}

void TConfigurationDialogCtrl::WriteCustomDictionary(TCustomDictionary* Dictionary) {
  FCustomDictionary = Dictionary;
  if (Dictionary && OnCustomDictionaryAvailable) {
    OnCustomDictionaryAvailable(this);
  }
}

TStringList* TConfigurationDialogCtrl::ReadAvailableMain() { return FLexiSpell ? FLexiSpell->ReadAvailableMain() : nullptr; }
TStringList* TConfigurationDialogCtrl::ReadAvailableCustom() {
  return FLexiSpell ? FLexiSpell->ReadAvailableCustom() : nullptr;
}
TStringList* TConfigurationDialogCtrl::ReadAvailableMSWordCustom() {
  return FLexiSpell ? FLexiSpell->ReadAvailableMSWordCustom() : nullptr;
}
bool TConfigurationDialogCtrl::ReadUseExcludeWords() const { return FLexiSpell ? FLexiSpell->UseExcludeWords : true; }
bool TConfigurationDialogCtrl::ReadCanUndo() const { return FLexiSpell && FLexiSpell->ReadCanUndo(); }
TCustomDictionary* TConfigurationDialogCtrl::ReadInternalCustom() const {
  return FLexiSpell ? FLexiSpell->InternalCustom.get() : nullptr;
}
TCustomDictionary* TConfigurationDialogCtrl::ReadActiveCustom() const {
  return FLexiSpell ? FLexiSpell->ActiveCustom.get() : nullptr;
}
TSpellDialogCommands TConfigurationDialogCtrl::ReadCommandsVisible() const {
  return FLexiSpell ? FLexiSpell->CommandsVisible : 0;
}
TSpellDialogCommands TConfigurationDialogCtrl::ReadCommandsEnabled() const {
  return FLexiSpell ? FLexiSpell->CommandsEnabled : 0;
}
int TConfigurationDialogCtrl::ReadHelpCtxSpellDialog() const { return FLexiSpell ? FLexiSpell->HelpCtxSpellDialog : 0; }
int TConfigurationDialogCtrl::ReadHelpCtxConfigDialog() const {
  return FLexiSpell ? FLexiSpell->HelpCtxConfigDialog : 0;
}
int TConfigurationDialogCtrl::ReadHelpCtxDictionariesDialog() const {
  return FLexiSpell ? FLexiSpell->HelpCtxDictionariesDialog : 0;
}
int TConfigurationDialogCtrl::ReadHelpCtxDictionaryEditDialog() const {
  return FLexiSpell ? FLexiSpell->HelpCtxDictionaryEditDialog : 0;
}
std::string TConfigurationDialogCtrl::ReadVersion() const { return FLexiSpell ? FLexiSpell->Version() : std::string(); }

std::unique_ptr<TMainDictionary> TConfigurationDialogCtrl::GetMainDictionary(const std::string& Name) {
  return FLexiSpell ? FLexiSpell->GetMainDictionary(Name) : nullptr;
}
std::unique_ptr<TCustomDictionary> TConfigurationDialogCtrl::GetCustomDictionary(const std::string& Name) {
  return FLexiSpell ? FLexiSpell->GetCustomDictionary(Name) : nullptr;
}

std::string TConfigurationDialogCtrl::GetOptionString(TSpellOption Option) {
  if (!FLexiSpell) {
    return std::string();
  }
  switch (Option) {
    case soUser1:
      return FLexiSpell->ConfigUserOption1;
    case soUser2:
      return FLexiSpell->ConfigUserOption2;
    case soUser3:
      return FLexiSpell->ConfigUserOption3;
    case soUser4:
      return FLexiSpell->ConfigUserOption4;
    default:
      return FLexiSpell->GetString(static_cast<TSpellLanguageString>(Option));
  }
}

std::string TConfigurationDialogCtrl::GetString(TSpellLanguageString Id) {
  return FLexiSpell ? FLexiSpell->GetString(Id) : std::string();
}

void TConfigurationDialogCtrl::Setup() {
  if (FLexiSpell) {
    FLexiSpell->InternalSetup(this);
  }
}
void TConfigurationDialogCtrl::SetupCustomDictionaries() {
  if (FLexiSpell) {
    FLexiSpell->InternalSetupCustomDictionaries(this);
  }
}
void TConfigurationDialogCtrl::EditCustomDictionary(TCustomDictionary* Dictionary) {
  if (FLexiSpell) {
    FLexiSpell->InternalEditCustomDictionary(this, Dictionary);
  }
}
void TConfigurationDialogCtrl::SetupAddDictionaryDir() {
  if (FLexiSpell) {
    FLexiSpell->InternalSetupAddDictionaryDir(this);
  }
}
void TConfigurationDialogCtrl::EnableCustomDictionary(const std::string& Name, bool Enable) {
  if (FLexiSpell) {
    FLexiSpell->EnableCustomDictionary(Name, Enable);
  }
}
void TConfigurationDialogCtrl::EnableWordDictionary(const std::string& FileName, bool Enable) {
  if (FLexiSpell) {
    FLexiSpell->EnableWordDictionary(FileName, Enable);
  }
}
void TConfigurationDialogCtrl::RemoveCustomDictionary(const std::string& Name) {
  if (FLexiSpell) {
    FLexiSpell->RemoveCustomDictionary(Name);
  }
}
void TConfigurationDialogCtrl::CreateNewCustomDictionary(const std::string& Name) {
  if (FLexiSpell) {
    FLexiSpell->CreateNewCustomDictionary(Name);
  }
}
bool TConfigurationDialogCtrl::RenameCustomDictionary(const std::string& OldName, const std::string& NewName) {
  return FLexiSpell && FLexiSpell->RenameCustomDictionary(OldName, NewName);
}

void TConfigurationDialogCtrl::Ignore() {
  if (FLexiSpell) {
    FLexiSpell->Check_Ignore();
  }
}
void TConfigurationDialogCtrl::IgnoreAll() {
  if (FLexiSpell) {
    FLexiSpell->Check_IgnoreAll();
  }
}
void TConfigurationDialogCtrl::Change(const std::string& Replacement) {
  if (FLexiSpell) {
    FLexiSpell->Check_Change(Replacement);
  }
}
void TConfigurationDialogCtrl::ChangeAll(const std::string& Replacement) {
  if (FLexiSpell) {
    FLexiSpell->Check_ChangeAll(Replacement);
  }
}
void TConfigurationDialogCtrl::Add() {
  if (FLexiSpell) {
    FLexiSpell->Check_Add();
  }
}
void TConfigurationDialogCtrl::AutoCorrect(const std::string& Replacement) {
  if (FLexiSpell) {
    FLexiSpell->Check_AutoCorrect(Replacement);
  }
}
void TConfigurationDialogCtrl::ControlEdited() {
  if (FLexiSpell) {
    FLexiSpell->Check_ControlEdited();
  }
}
void TConfigurationDialogCtrl::Cancel() {
  if (FLexiSpell) {
    FLexiSpell->Check_Cancel();
  }
}
void TConfigurationDialogCtrl::Undo() {
  if (FLexiSpell) {
    FLexiSpell->Check_Undo();
  }
}
void TConfigurationDialogCtrl::RepeatIgnore() {
  if (FLexiSpell) {
    FLexiSpell->Check_RepeatIgnore();
  }
}
void TConfigurationDialogCtrl::RepeatDelete() {
  if (FLexiSpell) {
    FLexiSpell->Check_RepeatDelete();
  }
}
void TConfigurationDialogCtrl::Suggest(const std::string& Word, TStrings& Strings) {
  if (FLexiSpell) {
    FLexiSpell->Suggest(Word, Strings);
  }
}
