// The "please wait" window of network operations.
#include "mainwindow/Updatecheckform.h"

#include "platform/classes/ClassRegistry.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TUpdateCheckForm, TForm, TUpdateCheckForm::Publish)

namespace {

void RegisterLayoutClasses() {
  static const bool Done = [] {
    RegisterClasses({TLabel::StaticClass(), TAnimate::StaticClass()});
    return true;
  }();
  (void)Done;
}

}  // namespace

void TUpdateCheckForm::Publish(TMetaClass& Meta) {
  TPublisher<TUpdateCheckForm> P(Meta);
  using F = TUpdateCheckForm;
  P.Field("MainLabel", &F::MainLabel);
  P.Field("Animate", &F::Animate);
  P.Method("FormShow", &F::FormShow);
  P.Method("FormHide", &F::FormHide);
}

TUpdateCheckForm::TUpdateCheckForm(TComponent* AOwner) : TForm((RegisterLayoutClasses(), AOwner)) {}

void TUpdateCheckForm::FormShow(TObject*) {
  if (Animate != nullptr) {
    Animate->SetActive(true);
  }
}

void TUpdateCheckForm::FormHide(TObject*) {
  if (Animate != nullptr) {
    Animate->SetActive(false);
  }
}
