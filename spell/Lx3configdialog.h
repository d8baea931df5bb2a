// The spelling options window: the option boxes, the main dictionaries and the active custom dictionary.
#pragma once

#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "spell/Lx3dialogctrl.h"

#include <array>
#include <vector>

// Every change goes straight into the configuration; there is nothing to cancel.
class TSpellCheckConfigDialog : public TForm {
  Z_CLASS(TSpellCheckConfigDialog, TForm)
public:
  explicit TSpellCheckConfigDialog(TComponent* AOwner);
  void AfterConstruction() override;
  static void Publish(TMetaClass& Meta);

  TGroupBox* OptionsGroup = nullptr;
  std::array<TCheckBox*, 10> Options{};
  TGroupBox* DictionariesGroup = nullptr;
  TListView* MainDictionaries = nullptr;
  TLabel* CustomLabel = nullptr;
  TComboBox* CustomCombo = nullptr;
  TButton* DictionariesButton = nullptr;
  TButton* ResetButton = nullptr;
  TButton* HelpButton = nullptr;
  TButton* OK = nullptr;
  TConfigurationDialogCtrl* DialogControl = nullptr;

  // The rows of the main list: files first, then the browse row when it is offered.
  void FillMainList();
  void FillCustomCombo();
  void FillOptions();

private:
  void ConfigurationAvailable();
  void MainChanged(TListItem* Item);
  void OptionClicked(TCheckBox* Box);
  bool Visible(TSpellDialogCommand C) const { return DialogControl->CommandVisible(C); }
  bool Enabled(TSpellDialogCommand C) const { return DialogControl->CommandEnabled(C); }

  std::vector<bool> FRemembered;
  bool FHasBrowseRow = false;
  bool FFilling = false;
  int FHiddenOptions = 0;
};
