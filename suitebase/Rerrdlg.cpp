// The reader-error dialog and its installation as the suite's reader-error handler.
#include "suitebase/Rerrdlg.h"

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/UnitInit.h"
#include "suitebase/Compfiler.h"
#include "suitebase/Containers.h"
#include "suitebase/Formhelpers.h"

#include <memory>

namespace Rerrdlg {

Z_IMPLEMENT_CLASS_PUBLISHED(TReaderErrorDlg, TForm, TReaderErrorDlg::Publish)

void TReaderErrorDlg::Publish(TMetaClass& Meta) {
  TPublisher<TReaderErrorDlg> P(Meta);
  P.Field("Bevel1", &TReaderErrorDlg::Bevel1);
  P.Field("LerrMess", &TReaderErrorDlg::LerrMess);
  P.Field("IgnoreButton", &TReaderErrorDlg::IgnoreButton);
  P.Field("CancelButton", &TReaderErrorDlg::CancelButton);
  P.Field("IgnoreAllButton", &TReaderErrorDlg::IgnoreAllButton);
  P.Method("FormCreate", &TReaderErrorDlg::FormCreate);
}

void TReaderErrorDlg::FormCreate(TObject*) {
  Dccommon::SetFormFont(this);
  SetCaption("Error Reading Form");
  LerrMess->SetCaption(SErrorMessage);
  IgnoreButton->SetCaption(Vivaridiriz::ResStr("&Ignore"));
  CancelButton->SetCaption(Vivaridiriz::ResStr("Cancel"));
  IgnoreAllButton->SetCaption("Ignore &All");
}

void ReaderErrorHandler(const std::string& Message, bool& Handled, bool& IgnoreAll) {
  std::unique_ptr<TReaderErrorDlg> D(
      static_cast<TReaderErrorDlg*>(TReaderErrorDlg::StaticClass()->NewInstance(Application)));
  D->LerrMess->SetCaption(Format(D->LerrMess->Caption(), {Message}));
  switch (D->ShowModal()) {
    case mrOk: Handled = true; break;
    case mrCancel: Handled = false; break;
    case mrIgnore:
      Handled = true;
      IgnoreAll = true;
      break;
    default: break;
  }
}

namespace {
void Install() {
  if (!Dccommon::ReaderErrorHandler) {
    Dccommon::ReaderErrorHandler = &ReaderErrorHandler;
  }
}
void Remove() { Dccommon::ReaderErrorHandler = nullptr; }
}  // namespace

}  // namespace Rerrdlg

Z_REGISTER_UNIT(UnitOrder::Dccommon + 5, "Rerrdlg", &Rerrdlg::Install, &Rerrdlg::Remove)
