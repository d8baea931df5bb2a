// Extra controls of the class library: the timer component and the image control.
#pragma once

#include "platform/classes/Component.h"
#include "platform/classes/Threads.h"
#include "platform/controls/Controls.h"
#include "platform/win/WinUser.h"

// Calls OnTimer every Interval milliseconds while Enabled, from the program's loop (a hidden window's WM_TIMER).
// An interval of 0 or no handler stops it.
class TTimer : public TComponent {
  Z_CLASS(TTimer, TComponent)

public:
  explicit TTimer(TComponent* AOwner);
  void BeforeDestruction() override;
  // Published: Enabled, Interval, OnTimer.
  static void Publish(TMetaClass& Meta);

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  Cardinal Interval() const { return FInterval; }
  void SetInterval(Cardinal Value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);

protected:
  virtual void Timer();

private:
  void UpdateTimer();
  void WndProc(TMessage& Message);

  HWND FWindowHandle = 0;
  Cardinal FInterval = 1000;
  bool FEnabled = true;
  TNotifyEvent FOnTimer;
};

// A windowless control that shows a picture: at its top-left corner, centred (Center), or stretched over the
// control (Stretch); Transparent draws a bitmap's transparent colour see-through.
class TImage : public TGraphicControl {
  Z_CLASS(TImage, TGraphicControl)

public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  static void Publish(TMetaClass& Meta);

  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value);
  TCanvas* Canvas();  // the picture's bitmap canvas (made when needed)
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // Where the picture goes within the control's client area.
  TRect DestRect() const;
  // Draws the picture on Canvas with the control's client area at Origin.
  void PaintOn(TCanvas& Canvas, TPoint Origin);

protected:
  void Paint() override;  // PaintOn the control's own canvas (not the picture's)

private:
  void PictureChanged(TObject* Sender);
  std::unique_ptr<TPicture> FPicture;
  bool FCenter = false;
  bool FStretch = false;
  bool FTransparent = false;
};

