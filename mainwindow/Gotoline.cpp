// The go-to-line window: its published components.
#include "mainwindow/Gotoline.h"

#include "platform/classes/ClassRegistry.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TGoToLineForm, TForm, TGoToLineForm::Publish)

namespace {

int RegisterLayoutClasses() {
  RegisterClasses({TLabel::StaticClass(), TEdit::StaticClass(), TButton::StaticClass()});
  return 0;
}

}  // namespace

void TGoToLineForm::Publish(TMetaClass& Meta) {
  TPublisher<TGoToLineForm> P(Meta);
  using F = TGoToLineForm;
  P.Field("GoToLineLabel", &F::GoToLineLabel);
  P.Field("GoToLineEdit", &F::GoToLineEdit);
  P.Field("GoToCharLabel", &F::GoToCharLabel);
  P.Field("GoToCharEdit", &F::GoToCharEdit);
  P.Field("OKBtn", &F::OKBtn);
  P.Field("CancelBtn", &F::CancelBtn);
}

TGoToLineForm::TGoToLineForm(TComponent* AOwner) : TForm(((void)RegisterLayoutClasses(), AOwner)) {}
