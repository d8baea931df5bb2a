// The start-up splash window.
#include "mainwindow/Splashform.h"

#include "platform/classes/ClassRegistry.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TSplashForm, TForm, TSplashForm::Publish)

namespace {

void RegisterLayoutClasses() {
  static const bool Done = [] {
    RegisterClasses({TPanel::StaticClass(), TLabel::StaticClass()});
    return true;
  }();
  (void)Done;
}

}  // namespace

void TSplashForm::Publish(TMetaClass& Meta) {
  TPublisher<TSplashForm> P(Meta);
  using F = TSplashForm;
  P.Field("MainPanel", &F::MainPanel);
  P.Field("LoadingLabel", &F::LoadingLabel);
  P.Field("NoticeLabel", &F::NoticeLabel);
  P.Field("InfoLabel", &F::InfoLabel);
  P.Field("StatusLabel", &F::StatusLabel);
  P.Method("SplashMouseMove", &F::SplashMouseMove);
}

TSplashForm::TSplashForm(TComponent* AOwner) : TForm((RegisterLayoutClasses(), AOwner)) { SetSplashWindow(this); }

TSplashForm::~TSplashForm() {
  if (GetSplashWindow() == this) {
    SetSplashWindow(nullptr);
  }
}

void TSplashForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  // Owned by the desktop window and without the application-window style: no taskbar button, not topmost.
  Params.ExStyle &= ~(WS_EX_APPWINDOW | WS_EX_TOPMOST);
  Params.WndParent = GetDesktopWindow();
}

void TSplashForm::SplashMouseMove(TObject*, TShiftState Shift, int, int) {
  if (Shift.Contains(ssLeft)) {
    ReleaseCapture();
    SendMessage(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  }
}

void TSplashForm::ShowStatus(const char* Text) {
  StatusLabel->SetCaption(Text ? Text : "");
  Show();
  Update();
}

void TSplashForm::Release() {
  if (GetSplashWindow() == this) {
    SetSplashWindow(nullptr);
  }
  Hide();
  delete this;
}
