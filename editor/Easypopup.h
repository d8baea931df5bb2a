// A borderless stay-on-top window that shows an existing control (the completion list) at a point, accepts with
// Return or a double click, cancels with Escape, a click elsewhere or the activation of another window, and
// then puts the control back where it was. One such popup is open at a time.
#pragma once

#include "platform/controls/Forms.h"

#include <functional>
#include <vector>

class TEasyPopup;

// Owned by the application; made by PopupControl and freed when it closes.
class TEasyPopup : public TCustomForm {
  Z_CLASS(TEasyPopup, TCustomForm)
public:
  explicit TEasyPopup(TComponent* AOwner);
  void BeforeDestruction() override;
  void Dispatch(TMessage& Message) override;
  // Closes the popup: Accept calls the close notification with the hosted control; FreeNow frees it at once,
  // else its release is scheduled.
  void ClosePopup(bool Accept, bool FreeNow);
  TControl* HostedControl() const { return FControl; }
  TCustomForm* HookedForm() const { return FHookedForm; }
  TNotifyEvent CloseNotify;
  // Whether the popup should be showing (its hooked form may have hidden it for a while).
  bool MeantVisible = false;
  // Set while the hooked form hides the popup with itself: losing the activation then does not close it.
  bool OwnerHiding = false;

protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend void PopupControl(TControl*, TWinControl*, int, int, bool, const TNotifyEvent&);
  void HostControl(TControl* Control);
  void RestoreControl();
  TControl* FControl = nullptr;
  TCustomForm* FHookedForm = nullptr;
  TWinControl* FOldParent = nullptr;
  bool FOldVisible = false;
  TAlign FOldAlign = alNone;
  TRect FOldBounds{0, 0, 0, 0};
  TNotifyEvent FOldDblClick;
  bool FSizable = false;
  bool FClosing = false;
};

// Shows Control in a popup at (X, Y) of Parent's client area; nothing when a popup is open already.
void PopupControl(TControl* Control, TWinControl* Parent, int X, int Y, bool Sizable, const TNotifyEvent& CloseNotify);
// Closes the open popup, if any, and frees it at once.
void ClosePopupWindow(bool Accept);
// The open popup, or null.
TEasyPopup* OpenPopup();
