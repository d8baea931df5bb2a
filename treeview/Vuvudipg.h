// TMemoPrintProgress: the small window that shows how printing goes (printer, document, page) with a progress
// bar and a Cancel button.
#pragma once

#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

// Laid out by its layout file. Shown without a modal loop by whoever prints, who writes the labels, moves the
// bar and reads ModalResult: mrCancel once the Cancel button (or Escape) was pressed. The printing code frees it.
class TMemoPrintProgress : public TForm {
  Z_CLASS(TMemoPrintProgress, TForm)
public:
  explicit TMemoPrintProgress(TComponent* AOwner);
  static void Publish(TMetaClass& Meta);

  TPanel* pnlInfo = nullptr;  // the three labels, top-aligned and word-wrapping
  TLabel* lblPrinter = nullptr;
  TLabel* lblFileName = nullptr;
  TLabel* lblProgress = nullptr;
  TProgressBar* ProgressBar = nullptr;
  TButton* btnCancel = nullptr;

  void FormCreate(TObject* Sender);
};
