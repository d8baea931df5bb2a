// The replace dialog: the find dialog with a replacement text, prompting and Replace All.
#pragma once

#include "editor/Easysearchdlg.h"

class TFrmReplDlg : public TFrmFindDlg {
  Z_CLASS(TFrmReplDlg, TFrmFindDlg)
public:
  explicit TFrmReplDlg(TComponent* AOwner) : TFrmFindDlg(AOwner) {}
  static void Publish(TMetaClass& Meta);

  void LoadSettings() override;
  void SaveSettings() override;
  void FormCreate(TObject* Sender) override;
  // OK and Replace All: the settings are saved, then ReplaceAll tells which of the two it was.
  void btOKClick(TObject* Sender) override;

  TLabel* lbReplaceWith = nullptr;
  TEasyHistoryEditor* cbReplaceWith = nullptr;
  TCheckBox* chbPromptOnReplace = nullptr;
  TButton* btReplaceAll = nullptr;
};

// Published for hosts; nothing assigns it.
extern TFrmReplDlg* FrmReplDlg;
