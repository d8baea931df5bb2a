// TInputLineForm: a small modal dialog asking for one line of text, and the routines built on it.
#pragma once

#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

#include <string>

namespace Dcinpfrm {

// Owned by the application while shown; freed by the routines below.
class TInputLineForm : public TForm {
  Z_CLASS(TInputLineForm, TForm)
public:
  using TForm::TForm;
  static void Publish(TMetaClass& Meta);
  void FormCreate(TObject* Sender);

  TPanel* Panel1 = nullptr;
  TLabel* InputLabel = nullptr;
  TEdit* PropEdit = nullptr;
  TButton* OkBut = nullptr;
  TButton* CancelBut = nullptr;
  TButton* HelpBut = nullptr;
};

TInputLineForm* CreateInputForm(const std::string& Caption, const std::string& Prompt, int HelpContext);
// True when confirmed: Value then holds the text; cancelled, Value keeps its value.
bool ReadString(const std::string& Caption, const std::string& Prompt, int HelpContext, std::string& Value);
// The same with the decimal text of Value; a text that is no integer raises the conversion error.
bool ReadInteger(const std::string& Caption, const std::string& Prompt, int HelpContext, int& Value);
// Factor is 1.0 first; confirmed, the percentage typed divided by 100.
bool ReadScaleFactor(double& Factor);

}  // namespace Dcinpfrm
