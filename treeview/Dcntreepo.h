// TfrmTreePrintSetup: the small window a tree view shows before printing: header with page numbers, footer,
// progress window on or off, and the printer setup.
#pragma once

#include "platform/controls/Dialogs.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

// Laid out by its layout file; made, shown modally and freed by the view's PrintWithDialog.
class TfrmTreePrintSetup : public TForm {
  Z_CLASS(TfrmTreePrintSetup, TForm)
public:
  explicit TfrmTreePrintSetup(TComponent* AOwner);
  static void Publish(TMetaClass& Meta);

  TLabel* lblFileName = nullptr;
  TGroupBox* gbxOptions = nullptr;
  TCheckBox* chkHeader = nullptr;
  TCheckBox* chkShowPrintProgress = nullptr;
  TCheckBox* chkFooter = nullptr;
  TButton* SetupBut = nullptr;
  TButton* OkBut = nullptr;
  TButton* CancelBut = nullptr;
  TButton* HelpBut = nullptr;
  TPrinterSetupDialog* PrinterSetup = nullptr;

  void FormCreate(TObject* Sender);
  // Runs the printer setup dialog.
  void SetupButClick(TObject* Sender);
};
