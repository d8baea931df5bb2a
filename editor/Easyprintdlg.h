// The print dialog: edits the process-wide print settings and then prints the editor it serves.
#pragma once

#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

class TCustomEasyEdit;

class TFrmPrintDlg : public TForm {
  Z_CLASS(TFrmPrintDlg, TForm)
public:
  explicit TFrmPrintDlg(TComponent* AOwner);
  void AfterConstruction() override;
  static void Publish(TMetaClass& Meta);

  // Fills the controls from the print settings and the editor (its selection and file name).
  void InitValues();
  // Writes the controls back into the print settings.
  void SaveValues();
  void SetupButClick(TObject* Sender);

  TCustomEasyEdit* Editor = nullptr;
  TGroupBox* gbDestination = nullptr;
  TLabel* lblFileName = nullptr;
  TCheckBox* chkPrintSel = nullptr;
  TGroupBox* gbOptions = nullptr;
  TCheckBox* chkHeader = nullptr;
  TCheckBox* chkLineNum = nullptr;
  TCheckBox* chkPageNum = nullptr;
  TCheckBox* chkWordWrap = nullptr;
  TCheckBox* chkSyntaxPrint = nullptr;
  TCheckBox* chkColorPrint = nullptr;
  TCheckBox* chkProgress = nullptr;
  TLabel* lblLeftMargin = nullptr;
  TEdit* edLeftIndent = nullptr;
  TButton* SetupBut = nullptr;
  TButton* OkBut = nullptr;
  TButton* CancelBut = nullptr;
};

// The form variable of the unit; nothing assigns it.
extern TFrmPrintDlg* FrmPrintDlg;

// Shows the print dialog for Editor; true when the user confirmed (the settings are then saved into the print
// settings).
bool EditPrintSettings(TCustomEasyEdit* Editor);
// The print dialog, then printing when confirmed.
void PrintWithDialog(TCustomEasyEdit* Editor);
