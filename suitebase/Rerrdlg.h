// TReaderErrorDlg: asks whether to ignore an error met while a stored form or data module is read, ignore all
// further ones, or cancel. The unit installs it as the suite's reader-error handler at start.
#pragma once

#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

#include <string>

namespace Rerrdlg {

inline constexpr const char* SErrorMessage =
    "%s.  Ignore the error and continue?  NOTE: Ignoring the error may cause components to be deleted or property "
    "values to be lost.";

class TReaderErrorDlg : public TForm {
  Z_CLASS(TReaderErrorDlg, TForm)
public:
  using TForm::TForm;
  static void Publish(TMetaClass& Meta);
  void FormCreate(TObject* Sender);

  TBevel* Bevel1 = nullptr;
  TLabel* LerrMess = nullptr;
  TButton* IgnoreButton = nullptr;
  TButton* CancelButton = nullptr;
  TButton* IgnoreAllButton = nullptr;
};

// The handler: Ignore handles the error, Ignore All handles it and all that follow, Cancel lets it be raised.
void ReaderErrorHandler(const std::string& Message, bool& Handled, bool& IgnoreAll);

}  // namespace Rerrdlg
