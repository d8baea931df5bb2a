// The go-between that sits on every spell window and talks to the spell-check component.
#pragma once

#include "platform/classes/Classes.h"
#include "spell/Lx3spellbase.h"

#include <functional>
#include <memory>
#include <string>

// Forwards a window's requests to the spell-check component; without a component every answer is neutral
// (empty, zero, false or null) and every command does nothing.
class TConfigurationDialogCtrl : public TComponent {
  Z_CLASS(TConfigurationDialogCtrl, TComponent)
public:
  explicit TConfigurationDialogCtrl(TComponent* AOwner);
  static void Publish(TMetaClass& Meta);

  TLexiSpell3Base* LexiSpell() const { return FLexiSpell; }
  // Attaches the component only when none is attached yet, then fires OnConfigurationAvailable.
  void WriteLexiSpell(TLexiSpell3Base* Component);
  TCustomDictionary* CustomDictionary() const { return FCustomDictionary; }
  void WriteCustomDictionary(TCustomDictionary* Dictionary);
  TLexiConfig* Configuration() const { return FLexiSpell ? FLexiSpell->Config() : nullptr; }
  TSpellOptions AvailableOptions() const { return FAvailableOptions; }

  TStringList* ReadAvailableMain();
  TStringList* ReadAvailableCustom();
  TStringList* ReadAvailableMSWordCustom();
  bool ReadUseExcludeWords() const;
  bool ReadCanUndo() const;
  TCustomDictionary* ReadInternalCustom() const;
  TCustomDictionary* ReadActiveCustom() const;
  TSpellDialogCommands ReadCommandsVisible() const;
  TSpellDialogCommands ReadCommandsEnabled() const;
  int ReadHelpCtxSpellDialog() const;
  int ReadHelpCtxConfigDialog() const;
  int ReadHelpCtxDictionariesDialog() const;
  int ReadHelpCtxDictionaryEditDialog() const;
  std::string ReadVersion() const;
  std::unique_ptr<TMainDictionary> GetMainDictionary(const std::string& Name);
  std::unique_ptr<TCustomDictionary> GetCustomDictionary(const std::string& Name);
  std::string GetOptionString(TSpellOption Option);
  std::string GetString(TSpellLanguageString Id);
  // A command is usable when the component shows and enables it.
  bool CommandVisible(TSpellDialogCommand C) const { return (ReadCommandsVisible() & SpellCommandBit(C)) != 0; }
  bool CommandEnabled(TSpellDialogCommand C) const { return (ReadCommandsEnabled() & SpellCommandBit(C)) != 0; }

  void Setup();
  void SetupCustomDictionaries();
  void EditCustomDictionary(TCustomDictionary* Dictionary);
  void SetupAddDictionaryDir();
  void EnableCustomDictionary(const std::string& Name, bool Enable);
  void EnableWordDictionary(const std::string& FileName, bool Enable);
  void RemoveCustomDictionary(const std::string& Name);
  void CreateNewCustomDictionary(const std::string& Name);
  bool RenameCustomDictionary(const std::string& OldName, const std::string& NewName);

  void Ignore();
  void IgnoreAll();
  void Change(const std::string& Replacement);
  void ChangeAll(const std::string& Replacement);
  void Add();
  void AutoCorrect(const std::string& Replacement);
  void ControlEdited();
  void Cancel();
  void Undo();
  void RepeatIgnore();
  void RepeatDelete();
  void Suggest(const std::string& Word, TStrings& Strings);
  // There is no help viewer here: these only ask the application for the topic.
  void HelpSpellDialog() {}
  void HelpConfigDialog() {}
  void HelpDictionariesDialog() {}
  void HelpDictionaryEditDialog() {}

  TNotifyEvent OnConfigurationAvailable;
  TNotifyEvent OnCustomDictionaryAvailable;
  TPromptWordEvent OnPromptWord;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TLexiSpell3Base* FLexiSpell = nullptr;
  TCustomDictionary* FCustomDictionary = nullptr;
  TSpellOptions FAvailableOptions = 0;
};
