// The start-up splash as the core reaches it.
#include "core/Splashstatus.h"

namespace {

SplashWindowServices* Splash = nullptr;

}  // namespace

void SetSplashWindow(SplashWindowServices* Window) { Splash = Window; }

SplashWindowServices* GetSplashWindow() { return Splash; }

int SplashStatus(const char* Text) {
  if (Splash) {
    Splash->ShowStatus(Text ? Text : "");
  }
  return 0;
}

void CloseSplash() {
  if (SplashWindowServices* Window = Splash) {
    Splash = nullptr;
    Window->Release();
  }
}
