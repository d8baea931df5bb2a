// Extra controls of the class library; here the timer component.
#pragma once

#include "platform/classes/Component.h"
#include "platform/classes/Threads.h"
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
