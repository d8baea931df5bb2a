// Extra controls of the class library; here the timer component.
#include "platform/controls/ExtCtrls.h"
#include "platform/classes/TypInfo.h"
#include "platform/controls/Forms.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TTimer, TComponent, TTimer::Publish)

void TTimer::Publish(TMetaClass& Meta) {
  TPublisher<TTimer> P(Meta);
  P.Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
  P.Property("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
  P.Property("OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer);
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  FWindowHandle = AllocateHWnd([this](TMessage& M) { WndProc(M); });
}

void TTimer::BeforeDestruction() {
  FEnabled = false;
  UpdateTimer();
  DeallocateHWnd(FWindowHandle);
  FWindowHandle = 0;
  inherited::BeforeDestruction();
}

void TTimer::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER) {
    try {
      Timer();
    } catch (const std::exception& E) {
      Application->HandleException(this, &E);
    }
    return;
  }
  Message.Result = DefWindowProc(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TTimer::UpdateTimer() {
  if (!FWindowHandle) {
    return;
  }
  KillTimer(FWindowHandle, 1);
  if (FEnabled && FInterval != 0 && FOnTimer) {
    SetTimer(FWindowHandle, 1, FInterval, nullptr);
  }
}

void TTimer::SetEnabled(bool Value) {
  if (Value != FEnabled) {
    FEnabled = Value;
    UpdateTimer();
  }
}

void TTimer::SetInterval(Cardinal Value) {
  if (Value != FInterval) {
    FInterval = Value;
    UpdateTimer();
  }
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

void TTimer::Timer() {
  if (FEnabled && FOnTimer) {
    FOnTimer(this);
  }
}
