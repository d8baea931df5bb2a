// The small window that asks for a line number and a character position to go to.
#pragma once

#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

// Made for each use by the go-to-line command with the application as owner, shown modally and freed after
// use. Laid out by its form resource; the command sets the line label's text before showing it.
class TGoToLineForm : public TForm {
  Z_CLASS(TGoToLineForm, TForm)
public:
  explicit TGoToLineForm(TComponent* AOwner);
  static void Publish(TMetaClass& Meta);

  TLabel* GoToLineLabel = nullptr;
  TEdit* GoToLineEdit = nullptr;
  TLabel* GoToCharLabel = nullptr;
  TEdit* GoToCharEdit = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;
};
