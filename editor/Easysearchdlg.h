// The find dialog: it edits the process-wide search settings; the editor runs the search after it closes.
#pragma once

#include "editor/Easyhistoryeditor.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

// Made for one command and freed after it closes. OK saves the settings; Cancel leaves them untouched.
class TFrmFindDlg : public TForm {
  Z_CLASS(TFrmFindDlg, TForm)
public:
  explicit TFrmFindDlg(TComponent* AOwner);
  static void Publish(TMetaClass& Meta);
  static void RegisterLayoutClasses();

  virtual void LoadSettings();
  virtual void SaveSettings();
  virtual void FormCreate(TObject* Sender);
  virtual void btOKClick(TObject* Sender);

  TLabel* lbTextToFind = nullptr;
  TEasyHistoryEditor* cbTextToFind = nullptr;
  TGroupBox* gbOptions = nullptr;
  TCheckBox* cbCaseSensitive = nullptr;
  TCheckBox* cbWholeWord = nullptr;
  TCheckBox* cbRegularExpr = nullptr;
  TGroupBox* gbDirection = nullptr;
  TRadioButton* rbForward = nullptr;
  TRadioButton* rbBackward = nullptr;
  TRadioGroup* rgScope = nullptr;
  TRadioGroup* rgOrigin = nullptr;
  TPanel* pnButtons = nullptr;
  TButton* btOK = nullptr;
  TButton* btCancel = nullptr;
  TButton* btHelp = nullptr;
};

// Published for hosts; nothing assigns it.
extern TFrmFindDlg* FrmFindDlg;
