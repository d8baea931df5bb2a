// The class library's control classes: TControl, TWinControl (a control with a window), TCustomControl and
// TGraphicControl, with their message dispatch, bounds, visibility, focus, mouse and key events.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/classes/Component.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/UtilWindow.h"
#include "platform/win/WinUser.h"

#include <functional>
#include <string>
#include <vector>

class TWinControl;
class TCustomForm;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TControlStyleItem {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption, csOpaque,
  csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents,
  csDisplayDragImage, csReflector, csActionClient, csMenuEvents
};
using TControlStyle = TSet<TControlStyleItem, csMenuEvents>;
enum TControlStateItem {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating, csPaintCopy,
  csCustomPaint, csDestroyingHandle, csDocking
};
using TControlState = TSet<TControlStateItem, csDocking>;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// The shift state of key data (Alt from bit 29) plus the current Shift and Ctrl keys.
TShiftState KeyDataToShiftState(LPARAM KeyData);
// The shift state of a mouse message's MK_ flags (and the Alt key).
TShiftState KeysToShiftState(WPARAM Keys);

// What a windowed control asks CreateWindowEx for. CreateParams fills it; the window class is registered on
// first use under WinClassName.
struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = 0;
  void* Param = nullptr;
  WNDCLASS WindowClass;
  std::string WinClassName;
};

// A visual element. Its Parent (a TWinControl) shows it; its Owner frees it. Messages reach it through WndProc
// -> Dispatch -> the handler for the message number, or DefaultHandler. Dispatch is the place to add handlers:
// override it, handle the message numbers of the class, and pass everything else to inherited::Dispatch (a
// handler calls inherited::Dispatch too where the class library's handler calls `inherited`).
class TControl : public TComponent {
  Z_CLASS(TControl, TComponent)
  friend class TWinControl;

public:
  explicit TControl(TComponent* AOwner);
  void BeforeDestruction() override;

  virtual void WndProc(TMessage& Message);
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int V) { SetBounds(V, FTop, FWidth, FHeight); }
  void SetTop(int V) { SetBounds(FLeft, V, FWidth, FHeight); }
  void SetWidth(int V) { SetBounds(FLeft, FTop, V, FHeight); }
  void SetHeight(int V) { SetBounds(FLeft, FTop, FWidth, V); }
  TRect BoundsRect() const { return Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  virtual TRect ClientRect();
  int ClientWidth() { return ClientRect().Width(); }
  int ClientHeight() { return ClientRect().Height(); }
  TPoint ClientToScreen(TPoint P);
  TPoint ScreenToClient(TPoint P);

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  std::string Caption() { return GetText(); }
  void SetCaption(const std::string& Value) { SetText(Value); }
  std::string Text() { return GetText(); }
  virtual std::string GetText();
  virtual void SetText(const std::string& Value);
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  std::string Hint;
  bool ShowHint = false;
  int Cursor = 0;

  TControlStyle ControlStyle;
  TControlState ControlState;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  bool MouseCapture();
  void SetMouseCapture(bool Value);

protected:
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void Resize();
  virtual void VisibleChanging() {}
  // Bounds as the window reports them, without moving anything (TWinControl after WM_WINDOWPOSCHANGED).
  void UpdateBoundsRect(const TRect& R);
  void RequestAlign();

  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  TAlign FAlign = alNone;
  std::string FText;

private:
  void DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift);
  void DoMouseUp(TWMMouse& Message, TMouseButton Button);
};

// A control with a window of its own. The window is created on first need (Handle, or when it comes to show)
// through CreateParams/CreateWnd; its window procedure is MainWndProc, which catches exceptions and hands them
// to the application. Child controls (windowed or not) are in Controls, in z-order of insertion.
class TWinControl : public TControl {
  Z_CLASS(TWinControl, TControl)

public:
  explicit TWinControl(TComponent* AOwner);
  void BeforeDestruction() override;

  HWND Handle();
  bool HandleAllocated() const { return FHandle != 0; }
  void HandleNeeded() { (void)Handle(); }
  void RecreateWnd();
  void DestroyHandle();

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int Index) const { return FControls.at(static_cast<std::size_t>(Index)); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);

  bool TabStop = false;
  int TabOrder() const;
  void SetTabOrder(int Value);
  virtual bool CanFocus();
  bool Focused();
  virtual void SetFocus();
  // The next control in tab order after CurControl among this control's descendants (wrapping round).
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  bool Showing() const override { return FShowing; }
  TRect ClientRect() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetEnabled(bool Value) override;
  std::string GetText() override;
  void SetText(const std::string& Value) override;
  void Invalidate() override;
  void Update() override;
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  void Realign() { AlignControls(nullptr); }
  bool DoubleBuffered = false;

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void MainWndProc(TMessage& Message);
  void UpdateShowing();
  void AlignControls(TControl* AControl, TRect* Rect = nullptr);
  virtual void AdjustClientRect(TRect& Rect) { (void)Rect; }
  // The window's own rectangle changed (WM_WINDOWPOSCHANGED): bounds, Resize and alignment follow.
  void UpdateBounds();

protected:
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void CreateHandle();
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual void DoEnter();
  virtual void DoExit();
  bool DoKeyDown(TWMKey& Message);
  bool DoKeyUp(TWMKey& Message);
  bool DoKeyPress(TWMKey& Message);
  virtual bool IsMenuKey(TWMKey& Message);
  void CNKeyDown(TWMKey& Message);
  void CNChar(TWMKey& Message);

  HWND FHandle = 0;
  WNDPROC FDefWndProc = nullptr;
  WNDPROC FObjectInstance = nullptr;
  bool FShowing = false;
  int FAlignLevel = 0;
  std::vector<TControl*> FControls;

private:
  friend LRESULT InitWndProc(HWND, UINT, WPARAM, LPARAM);
  bool IsControlMouseMsg(TWMMouse& Message);
};

// A windowed control that paints itself: Paint is called for WM_PAINT (the canvas comes with the graphics unit).
class TCustomControl : public TWinControl {
  Z_CLASS(TCustomControl, TWinControl)

public:
  explicit TCustomControl(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  TNotifyEvent OnPaint;

protected:
  virtual void Paint();
};

// A control without a window: its parent forwards the mouse messages over it and paints it.
class TGraphicControl : public TControl {
  Z_CLASS(TGraphicControl, TControl)

public:
  explicit TGraphicControl(TComponent* AOwner);
};

// The control a window handle belongs to (through its window procedure), or null.
TWinControl* FindControl(HWND Handle);
// The form that contains a control (the control itself for a form), or null.
TCustomForm* GetParentForm(TControl* Control);
