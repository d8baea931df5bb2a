// Helpers the list view and the tree view share: text measuring, WM_NOTIFY sending, drag thresholds and the
// in-place label edit.
#pragma once

#include "platform/controls/Controls.h"

#include <functional>
#include <string>

namespace ComCtrlsShared {

// The extent of Text in Font; an empty text is as high as a line and zero wide.
TSize MeasureText(TFont* Font, const std::string& Text);

// Fills the NMHDR of Control and sends it: WM_NOTIFY to the parent while both have windows and the control is not
// going away, else CN_NOTIFY to the control itself.
LRESULT SendNotify(TWinControl* Control, NMHDR& Header, UINT Code, bool Destroying);

// The mouse position packed in a mouse message's LPARAM.
TPoint MousePos(LPARAM LParam);

// The whole notches of a WM_MOUSEWHEEL turn (positive: away from the user), adding its delta to Rest, which keeps
// what is left of a notch for the next turn.
int TakeWheelNotches(int& Rest, WPARAM WParam);

// Whether the mouse moved from Start far enough to begin a drag.
bool PastDragThreshold(const TPoint& Start, const TPoint& Pos);

// Opens a native edit over R into EditWnd with Text selected and focused, its window procedure replaced by Proc
// (the old one stored in OldProc before any message reaches Proc) and Owner in its user data. False when no edit
// could be made (EditWnd is then 0).
bool OpenLabelEdit(TWinControl* Owner, const std::string& Text, const TRect& R, WNDPROC Proc, HWND& EditWnd,
                   WNDPROC& OldProc);

// The window procedure of a label edit: Enter and Escape end the edit (End(Cancel)), losing the focus ends it
// keeping the text; every other message goes to Old. Active says the edit is still the owner's.
LRESULT LabelEditMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, WNDPROC Old, bool Active,
                         const std::function<void(bool Cancel)>& End);

// Puts the edit's own procedure back and destroys it, handing the focus back to Owner if the edit had it.
void CloseLabelEdit(TWinControl* Owner, HWND Wnd, WNDPROC OldProc);

}  // namespace ComCtrlsShared
