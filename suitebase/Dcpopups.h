// The free-standing popup list (ZEZPopupListBox) that opens at a point of any control, takes that control's
// keyboard input while it is shown and tells a callback which item was chosen.
#pragma once

#include "suitebase/Dcedit.h"

#include <functional>
#include <initializer_list>

namespace Dcedit {

// The chosen index, or -1 when the list was closed without a choice.
using TPopupListBoxCallback = std::function<void(TObject* Sender, int SelIndex)>;

class ZEZPopupListBox : public TPopupListBox {
  Z_CLASS(ZEZPopupListBox, TPopupListBox)
public:
  explicit ZEZPopupListBox(TComponent* AOwner);
  ~ZEZPopupListBox() override;
  // Opens at a screen point, as wide as its columns plus 8 (scaled down to MaxSize), above and left of the point
  // when it would leave the screen; the parent's keys come here until it closes.
  void Popup(int X, int Y);
  void Close(bool Accept) override;
  bool Shown() const { return FShown; }
  int MaxSize = 0;
  TPopupListBoxCallback CallBack;

protected:
  void CreateWnd() override;
  void DestroyWnd() override;

private:
  static LRESULT ParentWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  static LRESULT MouseHook(int Code, WPARAM WParam, LPARAM LParam);
  void UnhookParent();
  // Removes the mouse hook and the main window's hook.
  void UnhookWatchers();
  void Dispatch(TMessage& Message) override;
  int FAppHook = 0;
  HWND FHookedParent = 0;
  WNDPROC FOldParentProc = nullptr;
  bool FShown = false;
};

// Opens a popup list of Items at the client point (X, Y) of Control, one column per alignment, in a copy of Font
// ("MS Sans Serif" 8 without one). The caller frees the list.
ZEZPopupListBox* PopupListbox(TWinControl* Control, TStrings* Items, int X, int Y,
                              std::initializer_list<Dccontrols::TLeftRightAlign> Alignments, TFont* Font,
                              const TPopupListBoxCallback& CallBack, int MaxSize);

}  // namespace Dcedit
