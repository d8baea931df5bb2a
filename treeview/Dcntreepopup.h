// The sizeable popup window: shows an existing control (a tree, a list) in a borderless drop-down window that the
// user can resize with a size grip, and tells whether the user accepted or cancelled it.
#pragma once

#include "platform/controls/Buttons.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

#include <functional>

using TCloseUpEvent = std::function<void(TObject* Sender, bool Accept)>;

// Shows Control (may be null) in a ZEZPopupWindow at the point (X, Y) of Origin's client area, moved into the
// desktop's work area, and waits until the window closes: true when it closed with OK (a double click on the
// control, or Enter), false for Escape, the cross button, a click outside the window or the program losing the
// activation. The control is borrowed: its parent, visibility, alignment, bounds and double-click handler are
// restored afterwards in every case. ShowPanel shows the bottom panel with the cross button and the size grip.
bool SizeablePopup(TControl* Control, TControl* Origin, Integer X, Integer Y, bool ShowPanel);

// The borderless popup window. Made and freed by SizeablePopup; one is shown at a time in the process.
class ZEZPopupWindow : public TCustomForm {
  Z_CLASS(ZEZPopupWindow, TCustomForm)
public:
  explicit ZEZPopupWindow(TComponent* AOwner);
  ~ZEZPopupWindow() override;

  TCloseUpEvent OnCloseUp;
  TPanel* Panel() const { return FPanel; }
  TSpeedButton* CancelButton() const { return FCancelBtn; }
  TImage* SizeGrip() const { return FSizeGrip; }
  TControl* Control() const { return FControl; }
  void SetControl(TControl* Value) { FControl = Value; }

  // Places the window at P (screen coordinates, kept within the work area) and shows it modally until
  // PopupHide sets the result.
  void PopupShow(TPoint P);
  // Ends the modal show with Result (mrOk or mrCancel); the hosted control is told it lost the focus first.
  void PopupHide(TModalResult Result);
  void OKBtnClick(TObject* Sender) {
    (void)Sender;
    PopupHide(mrOk);
  }
  void CancelBtnClick(TObject* Sender) {
    (void)Sender;
    PopupHide(mrCancel);
  }
  virtual void CloseUp(bool Accept);

  // The process's popup on screen now (null when none), for the mouse hook.
  static ZEZPopupWindow* Current();

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  friend LRESULT PopupMouseHook(int Code, WPARAM WParam, LPARAM LParam);
  void PopupKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  void PopupMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  bool AppHook(TMessage& Message);
  void RemoveHooks();
  void SizeGripMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void SizeGripMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void SizeGripMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  TPanel* FPanel = nullptr;
  TSpeedButton* FCancelBtn = nullptr;
  TImage* FSizeGrip = nullptr;
  TControl* FControl = nullptr;
  bool FSizing = false;
  Integer FOffsetX = 0;
  Integer FOffsetY = 0;
  int FAppHookId = -1;
};
