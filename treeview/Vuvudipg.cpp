// TMemoPrintProgress: the printing progress window.
#include "treeview/Vuvudipg.h"

#include "platform/classes/ClassRegistry.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TMemoPrintProgress, TForm, TMemoPrintProgress::Publish)

namespace {
bool RegisterLayoutClasses() {
  static const bool Done = [] {
    RegisterClasses(
        {TPanel::StaticClass(), TLabel::StaticClass(), TButton::StaticClass(), TProgressBar::StaticClass()});
    return true;
  }();
  return Done;
}
}  // namespace

void TMemoPrintProgress::Publish(TMetaClass& Meta) {
  TPublisher<TMemoPrintProgress> P(Meta);
  P.Field("pnlInfo", &TMemoPrintProgress::pnlInfo);
  P.Field("lblPrinter", &TMemoPrintProgress::lblPrinter);
  P.Field("lblFileName", &TMemoPrintProgress::lblFileName);
  P.Field("lblProgress", &TMemoPrintProgress::lblProgress);
  P.Field("ProgressBar", &TMemoPrintProgress::ProgressBar);
  P.Field("btnCancel", &TMemoPrintProgress::btnCancel);
  P.Method("FormCreate", &TMemoPrintProgress::FormCreate);
}

TMemoPrintProgress::TMemoPrintProgress(TComponent* AOwner) : TForm((RegisterLayoutClasses(), AOwner)) {}

void TMemoPrintProgress::FormCreate(TObject*) {
  SetCaption("Printing Status");
  lblPrinter->SetCaption("Searching printers ...");
  lblProgress->SetCaption("Printing pages:    calculation ...");
  btnCancel->SetCaption("Cancel");
}
