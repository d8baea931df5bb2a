// TfrmTreePrintSetup: the tree view's print setup window.
#include "treeview/Dcntreepo.h"

#include "platform/classes/ClassRegistry.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TfrmTreePrintSetup, TForm, TfrmTreePrintSetup::Publish)

namespace {
bool RegisterLayoutClasses() {
  static const bool Done = [] {
    RegisterClasses({TLabel::StaticClass(), TGroupBox::StaticClass(), TCheckBox::StaticClass(), TButton::StaticClass(),
                     TPrinterSetupDialog::StaticClass()});
    return true;
  }();
  return Done;
}
}  // namespace

void TfrmTreePrintSetup::Publish(TMetaClass& Meta) {
  TPublisher<TfrmTreePrintSetup> P(Meta);
  P.Field("lblFileName", &TfrmTreePrintSetup::lblFileName);
  P.Field("gbxOptions", &TfrmTreePrintSetup::gbxOptions);
  P.Field("chkHeader", &TfrmTreePrintSetup::chkHeader);
  P.Field("chkShowPrintProgress", &TfrmTreePrintSetup::chkShowPrintProgress);
  P.Field("chkFooter", &TfrmTreePrintSetup::chkFooter);
  P.Field("SetupBut", &TfrmTreePrintSetup::SetupBut);
  P.Field("OkBut", &TfrmTreePrintSetup::OkBut);
  P.Field("CancelBut", &TfrmTreePrintSetup::CancelBut);
  P.Field("HelpBut", &TfrmTreePrintSetup::HelpBut);
  P.Field("PrinterSetup", &TfrmTreePrintSetup::PrinterSetup);
  P.Method("FormCreate", &TfrmTreePrintSetup::FormCreate);
  P.Method("SetupButClick", &TfrmTreePrintSetup::SetupButClick);
}

TfrmTreePrintSetup::TfrmTreePrintSetup(TComponent* AOwner) : TForm((RegisterLayoutClasses(), AOwner)) {}

void TfrmTreePrintSetup::FormCreate(TObject*) {
  // The texts the code editor's print window uses as well.
  SetCaption("Print");
  chkHeader->SetCaption("Header/page &number");
  chkFooter->SetCaption("&Footer");
  chkShowPrintProgress->SetCaption("Show &print progress");
  SetupBut->SetCaption("Se&tup...");
}

void TfrmTreePrintSetup::SetupButClick(TObject*) { PrinterSetup->Execute(); }
