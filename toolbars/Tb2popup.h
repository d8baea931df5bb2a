// Popup windows (submenus, drop-down menus, chevron lists, context menus) and the popup menu component.
#pragma once

#include "platform/controls/Menus.h"
#include "toolbars/Tb2anim.h"
#include "toolbars/Tb2item.h"
#include "toolbars/Tb2view.h"
#include "toolbars/Tbskins.h"

#include <memory>

enum TTBPopupAlignment { tbpaLeft, tbpaRight, tbpaCenter };
enum TTBPopupPosition { tbpTop, tbpRight, tbpOther };

// The view inside a popup window: takes its window's font.
class TTBPopupView : public TTBView {
  Z_CLASS(TTBPopupView, TTBView)

public:
  using TTBView::TTBView;
  TFont* GetFont() override;
};

// A top-most, non-activating window showing one popup view of an item's subitems. Freed by the view that
// opened it (or by whoever popped it up, for context menus).
class TTBPopupWindow : public TCustomControl {
  Z_CLASS(TTBPopupWindow, TCustomControl)

public:
  TTBPopupWindow(TComponent* AOwner, TTBView* AParentView, TTBCustomItem* AItem, bool ACustomizing);
  void BeforeDestruction() override;
  TTBPopupView* View() const { return FView; }
  TTBAnimationDirection AnimationDirection() const { return FAnimationDirection; }
  void SetAnimationDirection(TTBAnimationDirection Value) { FAnimationDirection = Value; }
  // Shows the window where its bounds say, without activating it; animated when the desktop's menu animation
  // is on, the view has nothing selected and the opener allows it.
  void ShowPopup();
  TTBBaseSkin* Skin() const { return FSkin; }
  // Where the popup opened from a toolbar button (screen rectangle) and on which side of it; an Office XP popup
  // draws the border it shares with the button in the button's colour so that the two look joined.
  void SetOpener(const TRect& ScreenRect, TTBPopupPosition Position) {
    FOpenerRect = ScreenRect;
    FOpenerPosition = Position;
  }
  // The drop shadows of a skin with shadows (null otherwise, and until the popup is created).
  TShadow* RightShadow() const { return FShadows[0].get(); }
  TShadow* BottomShadow() const { return FShadows[1].get(); }

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void Paint() override;
  virtual void PaintScrollArrows();

private:
  void DrawNCArea(HDC DC);
  static void PrintNCArea(HWND Wnd, HDC DC, LPARAM AppData);
  void ShowShadows();
  void HideShadows();

  TTBPopupView* FView = nullptr;
  TTBAnimationDirection FAnimationDirection;
  TTBBaseSkin* FSkin = nullptr;
  std::unique_ptr<TShadow> FShadows[2];
  TRect FOpenerRect;
  TTBPopupPosition FOpenerPosition = tbpOther;
};

// The non-client size of popup windows (on every side).
int TBPopupNCSize();
// Which way the last popup opened relative to its opener.
TTBPopupPosition TBLastPopupPosition();

// Creates, places and shows a popup window of Item's subitems: as a submenu or drop-down of ParentViewer in
// ParentView, or (no parent view) at the screen point Pt with the alignment. Raises after freeing the window when
// placing fails.
TTBPopupWindow* TBCreatePopup(TTBCustomItem* Item, TTBView* ParentView, TTBItemViewer* ParentViewer,
                              bool PositionAsSubmenu, bool SelectFirstItem, bool Customizing, TPoint Pt,
                              TTBPopupAlignment Alignment);
// Pops up Item's subitems at a screen point and runs the menu loop until the user chose or cancelled; the item
// chosen is clicked afterwards. Returns the item chosen, or null.
TTBCustomItem* TBPopupItem(TTBCustomItem* Item, TPoint Pt, TTBPopupAlignment Alignment, bool TrackRightButton,
                           bool SelectFirstItem);

// A context menu whose items are a toolbar item tree. Owns its root item.
class TTBPopupMenu : public TPopupMenu, public ITBItems {
  Z_CLASS(TTBPopupMenu, TPopupMenu)

public:
  explicit TTBPopupMenu(TComponent* AOwner);
  void AfterConstruction() override;
  void BeforeDestruction() override;
  TTBCustomItem* GetItems() override { return FItem; }
  TTBRootItem* Items() const { return FItem; }
  TCustomImageList* Images() const { return FItem->SubMenuImages(); }
  void SetImages(TCustomImageList* Value) { FItem->SetSubMenuImages(Value); }
  void Popup(int X, int Y) override;
  // The item the last Popup chose, or null.
  TTBCustomItem* LastChosen() const { return FLastChosen; }
  // The look of the menu's popups when their opener has none; none means the default skin.
  TTBBaseSkin* Skin() const { return FSkin; }
  void SetSkin(TTBBaseSkin* Value);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TTBRootItem* FItem = nullptr;
  TTBCustomItem* FLastChosen = nullptr;
  TTBBaseSkin* FSkin = nullptr;
};
