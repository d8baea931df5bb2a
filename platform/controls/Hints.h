// Hints of the class library: THintWindow, the hint record of CM_HINTSHOW, and the application's hint cycle
// (pause, show, hide, cancel) driven by the mouse.
#pragma once

#include "platform/controls/Controls.h"

#include <functional>
#include <memory>
#include <string>

// What CM_HINTSHOW hands to the control under the mouse (lParam points at it); the control may change any field
// and answers non-zero to show no hint.
struct THintInfo {
  TControl* HintControl = nullptr;
  TPoint HintPos;           // screen position of the hint window's top left
  int HintMaxWidth = 0;     // the width at which the text wraps
  TColor HintColor = 0;
  TRect CursorRect;         // in HintControl's client coordinates: moving out of it ends the hint
  TPoint CursorPos;         // in HintControl's client coordinates
  int ReshowTimeout = 0;    // > 0: ask again after this many milliseconds while the mouse stays
  int HideTimeout = 0;      // milliseconds until the hint goes; 0: the application's HintHidePause
  std::string HintStr;
  void* HintData = nullptr;
};
using TShowHintEvent = std::function<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;

// A small top-level window that shows a hint: no activation, a one-pixel frame, the hint colour and font.
class THintWindow : public TCustomControl {
  Z_CLASS(THintWindow, TCustomControl)

public:
  explicit THintWindow(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  // Shows AHint at Rect (screen coordinates), on top of every window, without taking the focus.
  virtual void ActivateHint(TRect Rect, const std::string& AHint);
  virtual void ActivateHintData(TRect Rect, const std::string& AHint, void* AData);
  // The size the hint needs (left and top 0): the text wrapped at MaxWidth, plus the margins and frame.
  virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData);
  // Whether a message ends the hint (a key or a button press).
  virtual bool IsHintMsg(const MSG& Msg);
  // Hides the hint and lets its window go.
  void ReleaseHandle();

protected:
  void CreateParams(TCreateParams& Params) override;
  int ShowCommand() override { return SW_SHOWNOACTIVATE; }
  void Paint() override;
  virtual void NCPaint(HDC DC);
};

// The application's hint settings and cycle (the class library keeps them on the application object). The mouse
// reaches it through a mouse hook of the thread (Install); after HintPause over a control with a hint (HintShortPause
// when another hint was up a moment ago) the control hears CM_HINTSHOW, OnShowHint may change or refuse the hint,
// and the hint window shows until HideTimeout passes, the mouse leaves CursorRect, or a key or button is pressed.
class THintManager {
public:
  THintManager();
  ~THintManager();
  THintManager(const THintManager&) = delete;
  THintManager& operator=(const THintManager&) = delete;

  void Install();    // hooks the calling thread's mouse and key messages
  void Uninstall();
  TColor HintColor;
  int HintPause = 500;
  int HintShortPause = 50;
  int HintHidePause = 2500;
  bool ShowHint = true;
  TShowHintEvent OnShowHint;

  // Shows the hint of the control under the cursor (screen coordinates) at once, as the pause ending does;
  // false when there is none or it was refused.
  bool ActivateHint(TPoint CursorPos);
  // Hides the hint and starts the pause again.
  void CancelHint();
  THintWindow* HintWindow() const { return FHintWindow.get(); }
  bool HintShowing() const;
  // Called for each mouse move (the hook does it): restarts the pause when the hint control changes, hides the
  // hint when the mouse leaves its rectangle.
  void HintMouseMessage(HWND Wnd, TPoint CursorPos);

private:
  void TimerExpired(UINT_PTR Id);
  void HideHint();
  void WndProc(TMessage& Message);
  HWND FWindow = 0;
  HHOOK FMouseHook = 0;
  HHOOK FKeyHook = 0;
  TControl* FHintControl = nullptr;
  TRect FCursorRect;  // screen coordinates
  std::unique_ptr<THintWindow> FHintWindow;
  DWORD FLastHideTick = 0;
  bool FActive = false;
};

// The application's hint manager, created on first use (on the user-interface thread).
THintManager& Hints();
// The hint text of a control: its own, else its nearest parent's; the short part before '|'.
std::string GetHintOf(TControl* Control);
