// The start-up splash window.
#pragma once

#include "core/Splashstatus.h"

#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

// The window shown while the program starts. Made with no owner by the start-up, freed by the main window's first
// idle call (through CloseSplash) or at the latest by the main function. It registers itself as the core's splash
// while it exists. It has no taskbar button, does not stay on top and follows the mouse when dragged.
class TSplashForm : public TForm, public SplashWindowServices {
  Z_CLASS(TSplashForm, TForm)
public:
  explicit TSplashForm(TComponent* AOwner);
  ~TSplashForm() override;
  static void Publish(TMetaClass& Meta);

  TPanel* MainPanel = nullptr;
  TLabel* LoadingLabel = nullptr;
  TLabel* NoticeLabel = nullptr;
  TLabel* InfoLabel = nullptr;
  TLabel* StatusLabel = nullptr;

  // A press and move with the left button moves the window.
  void SplashMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);

  void ShowStatus(const char* Text) override;
  void Release() override;

protected:
  void CreateParams(TCreateParams& Params) override;
};
