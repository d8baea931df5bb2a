// The spell dialog: the word not found, the replacement, the suggestions and the command buttons.
#pragma once

#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "spell/Lx3dialogctrl.h"

// Its layout is read from its layout file; the component reaches it through its DialogControl.
class TSpellDialog : public TForm {
  Z_CLASS(TSpellDialog, TForm)
public:
  explicit TSpellDialog(TComponent* AOwner);
  void AfterConstruction() override;
  static void Publish(TMetaClass& Meta);
  // The classes its layout names, registered once.
  static void RegisterLayoutClasses();

  TLabel* NotFoundText = nullptr;
  TLabel* ReplaceWithText = nullptr;
  TLabel* SuggestionsText = nullptr;
  TEdit* NotFoundEdit = nullptr;
  TEdit* ReplaceWithEdit = nullptr;
  TListBox* SuggestionsListbox = nullptr;
  TButton* UndoButton = nullptr;
  TButton* OptionsButton = nullptr;
  TButton* IgnoreButton = nullptr;
  TButton* IgnoreAllButton = nullptr;
  TButton* ChangeButton = nullptr;
  TButton* ChangeAllButton = nullptr;
  TButton* AddButton = nullptr;
  TButton* AutoCorrectButton = nullptr;
  TButton* HelpButton = nullptr;
  TButton* CancelButton = nullptr;
  TConfigurationDialogCtrl* DialogControl = nullptr;

  bool Repeated() const { return FRepeated; }

private:
  void ConfigurationAvailable();
  void PromptWord(const std::string& Word, bool Repeated);
  void EnableCommands(bool Enable);
  void ReplacementChanged();
  bool Enabled(TSpellDialogCommand C) const { return DialogControl->CommandEnabled(C); }
  bool CanAddToActive(TSpellDialogCommand C) const { return DialogControl->ReadActiveCustom() && Enabled(C); }

  bool FRepeated = false;
  bool FDeactivated = false;
};
