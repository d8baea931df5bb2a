// Docks: the bars along a form's edges in which dockable windows are laid out in rows.
#pragma once

#include "platform/controls/Controls.h"

#include <functional>
#include <vector>

class TTBCustomDockableWindow;

enum TTBDockPosition { dpTop, dpBottom, dpLeft, dpRight };
Z_ENUM_TYPEINFO(TTBDockPosition, "dpTop", "dpBottom", "dpLeft", "dpRight")
using TTBDockableTo = TSet<TTBDockPosition, dpRight>;
enum TTBDockBoundLine { blTop, blBottom, blLeft, blRight };
using TTBDockBoundLines = TSet<TTBDockBoundLine, blRight>;
enum TTBDockType { dtNotDocked, dtFloating, dtTopBottom, dtLeftRight };
enum TTBShrinkMode { tbsmNone, tbsmWrap, tbsmChevron };

using TTBInsertRemoveEvent = std::function<void(TObject* Sender, bool Inserting, TTBCustomDockableWindow* Bar)>;
using TTBRequestDockEvent = std::function<void(TObject* Sender, TTBCustomDockableWindow* Bar, bool& Accept)>;

// The bar along one edge of a form that holds dockable windows in rows. Owned by its form; keeps non-owning,
// free-notified lists of the windows docked in it and of those that remember it as their last dock.
class TTBDock : public TCustomControl {
  Z_CLASS(TTBDock, TCustomControl)
  friend class TTBCustomDockableWindow;

public:
  explicit TTBDock(TComponent* AOwner);
  // Published: Position (before any window is read into the dock), AllowDrag, OnRequestDock.
  static void Publish(TMetaClass& Meta);
  void BeforeDestruction() override;
  void SetParent(TWinControl* AParent) override;

  // Lays out every window in rows and sizes the dock to the sum of their thicknesses; deferred while updating.
  void ArrangeToolbars();
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  void CommitPositions();
  int GetHighestRow(bool HighestEffective) const;
  // The thickness of a row: the largest across-size of the windows visible in it; FullSize of the last seen.
  int GetCurrentRowSize(int Row, bool& AFullSize) const;
  int GetMinRowSize(int Row, TTBCustomDockableWindow* ExcludeControl) const;
  int GetDesignModeRowOf(int XY) const;
  bool HasVisibleToolbars() const;
  bool ToolbarVisibleOnDock(TTBCustomDockableWindow* AToolbar) const;
  int GetToolbarCount() const { return static_cast<int>(FVisibleList.size()); }
  TTBCustomDockableWindow* GetToolbars(int Index) const { return FVisibleList.at(static_cast<std::size_t>(Index)); }
  const std::vector<TTBCustomDockableWindow*>& DockList() const { return FDockList; }
  void ChangeDockList(bool Insert, TTBCustomDockableWindow* Bar);
  void ToolbarVisibilityChanged(TTBCustomDockableWindow* Bar, bool ForceRemove);
  // Rows and positions as "row:name@pos+size" per visible window, in layout order; for tests and diagnostics.
  std::string DebugDump() const;

  TTBDockPosition Position() const { return FPosition; }
  void SetPosition(TTBDockPosition Value);
  bool AllowDrag() const { return FAllowDrag; }
  void SetAllowDrag(bool Value);
  TTBDockBoundLines BoundLines() const { return FBoundLines; }
  void SetBoundLines(TTBDockBoundLines Value);
  bool FixAlign() const { return FFixAlign; }
  void SetFixAlign(bool Value);
  bool LimitToOneRow() const { return FLimitToOneRow; }
  void SetLimitToOneRow(bool Value) { FLimitToOneRow = Value; }
  bool IsVertical() const { return FPosition == dpLeft || FPosition == dpRight; }
  int NonClientWidth() const { return FNonClientWidth; }
  int NonClientHeight() const { return FNonClientHeight; }
  bool ArrangeNeeded() const { return FArrangeNeeded; }

  // State the move loop shares with the layout.
  bool DragRowOverfull = false;
  bool KeepDragOrder = false;
  TTBCustomDockableWindow* DragWindow = nullptr;
  bool CommitOnArrange = false;
  TTBInsertRemoveEvent OnInsertRemoveBar;
  TTBRequestDockEvent OnRequestDock;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  // A new length lays the rows out again.
  void Resize() override;

private:
  void ChangeWidthHeight(int NewWidth, int NewHeight);
  void ArrangeRows(std::vector<TTBCustomDockableWindow*>& List);
  // One run of ArrangeRows, phase by phase (Tb2dockarrange.cpp).
  struct TRowArrangement;
  void DrawNCArea();
  LRESULT RelayMsgToFloatingBars(TMessage& Message);

  TTBDockPosition FPosition = dpTop;
  bool FAllowDrag = true;
  TTBDockBoundLines FBoundLines;
  bool FFixAlign = false;
  bool FLimitToOneRow = false;
  int FUpdateCount = 0;
  bool FArrangeNeeded = false;
  int FNonClientWidth = 0;
  int FNonClientHeight = 0;
  std::vector<TTBCustomDockableWindow*> FDockList;
  std::vector<TTBCustomDockableWindow*> FVisibleList;
};

// The dock type a window has in a dock or floating.
TTBDockType TBGetDockTypeOf(const TTBDock* Control, bool Floating);
