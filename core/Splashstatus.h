// The start-up splash as the core reaches it: its status line while it exists, and its end.
#pragma once

// What the core asks of the splash window. The splash registers itself while it exists.
class SplashWindowServices {
public:
  virtual ~SplashWindowServices() = default;
  // Sets the status line to the text, shows the splash and repaints it at once.
  virtual void ShowStatus(const char* Text) = 0;
  // Closes and frees the splash (it unregisters itself).
  virtual void Release() = 0;
};

// Registers the splash (null: there is none).
void SetSplashWindow(SplashWindowServices* Splash);
// The registered splash, or null.
SplashWindowServices* GetSplashWindow();
// When the splash exists: its status line becomes the text, shown and repainted at once. 0.
int SplashStatus(const char* Text);
// Frees the splash when it exists; nothing otherwise.
void CloseSplash();
