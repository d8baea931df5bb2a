// The window in which the user edits one custom dictionary: added words, auto-correct pairs, excluded words.
#pragma once

#include "platform/controls/ComCtrls.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "spell/Lx3dialogctrl.h"

// Every change goes straight into the dictionary; there is nothing to cancel.
class TCustomDictionaryEditDialog : public TForm {
  Z_CLASS(TCustomDictionaryEditDialog, TForm)
public:
  explicit TCustomDictionaryEditDialog(TComponent* AOwner);
  void AfterConstruction() override;
  static void Publish(TMetaClass& Meta);

  TPageControl* PageControl = nullptr;
  TTabSheet* AddedWordsSheet = nullptr;
  TLabel* AddedWordsExplain = nullptr;
  TLabel* IgnoreEditLabel = nullptr;
  TEdit* IgnoreEdit = nullptr;
  TListBox* IgnoreList = nullptr;
  TButton* AddIgnoreButton = nullptr;
  TButton* DeleteIgnoreButton = nullptr;
  TTabSheet* AutoCorrectWordsSheet = nullptr;
  TLabel* AutoCorrectWordsExplain = nullptr;
  TLabel* ReplaceEditLabel = nullptr;
  TLabel* WithEditLabel = nullptr;
  TEdit* ReplaceEdit = nullptr;
  TEdit* WithEdit = nullptr;
  TListView* AutoCorrectList = nullptr;
  TButton* AddAutoCorrectButton = nullptr;
  TButton* DeleteAutoCorrectButton = nullptr;
  TTabSheet* ExcludedWordsSheet = nullptr;
  TLabel* ExcludeWordsExplanation = nullptr;
  TLabel* ExcludeEditLabel = nullptr;
  TEdit* ExcludeEdit = nullptr;
  TListBox* ExcludeList = nullptr;
  TButton* AddExcludeButton = nullptr;
  TButton* DeleteExcludeButton = nullptr;
  TButton* OK = nullptr;
  TButton* HelpButton = nullptr;
  TConfigurationDialogCtrl* DialogControl = nullptr;
  TTimer* Timer = nullptr;

  // The edits' checks and the buttons' work (the buttons call these).
  void WordEditChange(bool Exclude);
  void AddWord(bool Exclude);
  void DeleteWord(bool Exclude);
  void PairCheck();
  void WithEditChange();
  void AddPair();
  void DeletePair();

private:
  void ConfigurationAvailable();
  void DictionaryAvailable();
  void FillSheets();
  TCustomDictionary* Dictionary() const { return DialogControl->CustomDictionary(); }
  bool FChecking = false;
};
