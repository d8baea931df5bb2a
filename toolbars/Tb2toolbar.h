// Toolbars: dockable windows that show an item tree as a row of buttons or as a form's menu bar.
#pragma once

#include "toolbars/Tb2dockable.h"
#include "toolbars/Tb2item.h"
#include "toolbars/Tb2view.h"

class TTBCustomToolbar;

// The item behind a toolbar's chevron: opens the items that do not fit.
class TTBChevronItem : public TTBCustomItem {
  Z_CLASS(TTBChevronItem, TTBCustomItem)

public:
  explicit TTBChevronItem(TComponent* AOwner);
  TTBItemViewerClass GetItemViewerClass(TTBView* AView) override;
};

// The view of a toolbar: takes the toolbar's font, chevron and minimum row size, and sizes the toolbar.
class TTBToolbarView : public TTBView {
  Z_CLASS(TTBToolbarView, TTBView)

public:
  TTBToolbarView(TTBCustomToolbar* AToolbar, TTBCustomItem* ARoot, bool AUsePriorityList);
  void AutoSize(int AWidth, int AHeight) override;
  void DoUpdatePositions(TPoint& ASize) override;
  TFont* GetFont() override;
  TTBCustomItem* GetChevronItem() override;

private:
  TTBCustomToolbar* FToolbar;
};

// A dockable window showing the subitems of its root item. Owns its root, chevron item and view.
class TTBCustomToolbar : public TTBCustomDockableWindow, public ITBItems {
  Z_CLASS(TTBCustomToolbar, TTBCustomDockableWindow)
  friend class TTBToolbarView;

public:
  explicit TTBCustomToolbar(TComponent* AOwner);
  void AfterConstruction() override;
  void BeforeDestruction() override;
  TTBCustomItem* GetItems() override { return FItem; }

  TTBRootItem* Items() const { return FItem; }
  TTBChevronItem* ChevronItem() const { return FChevronItem; }
  TTBToolbarView* View() const { return FView; }
  TCustomImageList* Images() const { return FItem->SubMenuImages(); }
  void SetImages(TCustomImageList* Value) { FItem->SetSubMenuImages(Value); }
  bool MenuBar() const { return FMenuBar; }
  void SetMenuBar(bool Value);
  TTBShrinkMode ShrinkMode() const { return FShrinkMode; }
  void SetShrinkMode(TTBShrinkMode Value);
  int FloatingWidth() const { return FFloatingWidth; }
  void SetFloatingWidth(int Value);
  bool SystemFont() const { return FSystemFont; }
  void SetSystemFont(bool Value);
  bool ProcessShortCuts() const { return FProcessShortCuts; }
  void SetProcessShortCuts(bool Value);
  // Opens the menu or clicks the item whose accelerator is Key, or (Key 0) selects the first item and runs the
  // toolbar's loop; false when nothing answered.
  bool KeyboardOpen(char Key, bool RequirePrimaryAccel);
  bool UpdateActions = true;
  int WrappedLines() const { return FWrappedLines; }

  TPoint DoArrange(bool CanMoveControls, TTBDockType PreviousDockType, bool NewFloating, TTBDock* NewDock) override;
  void GetBaseSize(TPoint& ASize) override;
  void GetMinShrinkSize(int& AMinimumSize) override;
  TTBShrinkMode GetShrinkMode() override { return FShrinkMode; }
  bool ControlExistsAtPos(TPoint P) override;
  void ReadPositionData(const TTBReadPositionData& Data) override;
  void WritePositionData(const TTBWritePositionData& Data) override;
  // The floating sizes the items allow, from one line to the narrowest, each as (width, height).
  void BuildPotentialSizesList(std::vector<TPoint>& List);
  // Resizing the floating frame snaps to the sizes the items allow.
  void ResizeBegin(TTBSizeHandle SizeHandle) override;
  void ResizeTrack(TRect& Rect, const TRect& OrigRect) override;
  void ResizeTrackAccept() override;
  void ResizeEnd() override;

protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

private:
  void UpdateViewProperties();
  int CalcWrapOffset(TTBDock* ADock);
  int CalcChevronOffset(TTBDock* ADock, TTBViewOrientation AOrientation);

  TTBRootItem* FItem = nullptr;
  TTBChevronItem* FChevronItem = nullptr;
  TTBToolbarView* FView = nullptr;
  bool FMenuBar = false;
  TTBShrinkMode FShrinkMode = tbsmChevron;
  int FFloatingWidth = 0;
  bool FSystemFont = true;
  int FWrappedLines = 1;
  TPoint FBaseSize{0, 0};
  int FArranging = 0;
  bool FProcessShortCuts = false;
  bool FMouseLoop = false;
  bool FMenuBarHook = false;
  // What a floating resize needs while it runs.
  struct TResizeRecord {
    TTBSizeHandle SizeHandle = twshRight;
    TRect StartFrame;
    int BorderWidth = 0;
    int FloatingWidth = 0;
    bool Changed = false;
    int LastDirection = 0;
    std::vector<TPoint> Sizes;
    int SnapDistance = 12;
    bool Vertical = false;
  };
  std::unique_ptr<TResizeRecord> FResize;
  void UpdateMainWindowHook();
  void UpdateMenuBarHook();
  void CancelHover();
};

// The toolbar as forms publish it.
class TTBToolbar : public TTBCustomToolbar {
  Z_CLASS(TTBToolbar, TTBCustomToolbar)

public:
  explicit TTBToolbar(TComponent* AOwner) : TTBCustomToolbar(AOwner) {}
};
