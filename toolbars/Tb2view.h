// Views: the viewers of one item's subitems on one window, kept in step with the item tree, and their layout.
#pragma once

#include "platform/classes/Component.h"
#include "platform/controls/Controls.h"
#include "toolbars/Tb2item.h"
#include "toolbars/Tb2itemviewer.h"

#include <memory>
#include <vector>

class TTBBaseSkin;

enum TTBViewOrientation { tbvoHorizontal, tbvoVertical, tbvoFloating };
enum TTBViewTimerID { tiOpen, tiClose, tiScrollUp, tiScrollDown };
using TTBViewTimers = TSet<TTBViewTimerID, tiScrollDown>;
enum TTBViewStateFlag {
  vsOpen, vsMouseInWindow, vsDrawInOrder, vsOppositePopup, vsIgnoreFirstMouseUp, vsShowAccels, vsDropDownMenus,
  vsNoAnimation
};
using TTBViewState = TSet<TTBViewStateFlag, vsNoAnimation>;
enum TTBViewStyleFlag { vsUseHiddenAccels, vsAlwaysShowHints };
using TTBViewStyle = TSet<TTBViewStyleFlag, vsAlwaysShowHints>;
enum TTBEnterToolbarLoopOption { tbetMouseDown, tbetDropDownMenus, tbetKeyboardControl };
using TTBEnterToolbarLoopOptions = TSet<TTBEnterToolbarLoopOption, tbetKeyboardControl>;
// The platform timer identifiers of a popup view's timers.
inline constexpr UINT_PTR ViewTimerBaseID = 9000;

// Presents the subitems of ParentItem on Window: one viewer per item, laid out in lines. Owned by its owner
// (the toolbar or popup window); lives as long as its window.
class TTBView : public TComponent {
  Z_CLASS(TTBView, TComponent)
  friend class TTBItemViewer;

public:
  TTBView(TComponent* AOwner, TTBView* AParentView, TTBCustomItem* AParentItem, TWinControl* AWindow,
          bool AIsToolbar, bool ACustomizing, bool AUsePriorityList);
  void BeforeDestruction() override;

  // ---- Layout ----
  virtual void AutoSize(int AWidth, int AHeight);
  virtual void DoUpdatePositions(TPoint& ASize);
  virtual TTBCustomItem* GetChevronItem() { return nullptr; }
  virtual TRect GetMargins(TTBViewOrientation AOrientation);
  virtual TTBCustomItem* GetMDIButtonsItem() { return nullptr; }
  virtual TTBCustomItem* GetMDISystemMenuItem() { return nullptr; }
  virtual TFont* GetFont();
  virtual void InvalidatePositions();
  void ValidatePositions();
  void TryValidatePositions();
  TPoint UpdatePositions();
  void BeginUpdate();
  void EndUpdate();
  // Adds every windowed control whose item is hidden behind the chevron.
  void GetOffEdgeControlList(std::vector<TWinControl*>& List);
  bool CalculatePositions(bool CanMoveControls, TTBViewOrientation AOrientation, int AWrapOffset,
                          int AChevronOffset, int AChevronSize, TPoint& ABaseSize, TPoint& TotalSize,
                          int& AWrappedLines);

  // ---- Viewers ----
  void RecreateAllViewers();
  void RecreateItemViewer(int I);
  TTBItemViewer* Find(TTBCustomItem* Item);  // ETBItemError when the item has no viewer
  int IndexOf(const TTBItemViewer* V) const;
  TTBItemViewer* ViewerFromPoint(TPoint P);
  int ViewerCount() const { return static_cast<int>(FViewers.size()); }
  TTBItemViewer* Viewers(int I) const { return FViewers[static_cast<std::size_t>(I)]; }

  // ---- Selection (the part the painters and tests need) ----
  TTBItemViewer* Selected() const { return FSelected; }
  void SetSelected(TTBItemViewer* Value);
  bool MouseOverSelected() const { return FMouseOverSelected; }
  // Marks the mouse as over the selected viewer (or not), as a move of the mouse would.
  void SetMouseOverSelected(bool Value);
  bool Capture() const { return FCapture; }
  void SetCapture();
  void CancelCapture();
  TTBItemViewer* OpenViewer() const { return FOpenViewer; }
  TTBView* OpenViewerView() const { return FOpenViewerView; }
  void SetAccelsVisibility(bool AShowAccels);
  TTBView* GetParentToolbarView();

  // ---- Keyboard, child popups and the menu loop ----
  // The next selectable viewer after CurViewer (null: from the start or end), cyclically; null when none.
  TTBItemViewer* NextSelectable(TTBItemViewer* CurViewer, bool GoForward);
  TTBItemViewer* FirstSelectable();
  // The next viewer whose accelerator (or, lacking one, first letter) is Key; IsOnlyItemWithAccel tells whether
  // no other viewer answers to it.
  TTBItemViewer* NextSelectableWithAccel(TTBItemViewer* Start, char Key, bool RequirePrimaryAccel,
                                         bool& IsOnlyItemWithAccel);
  TTBItemViewer* HighestPriorityViewer();
  void GivePriority(TTBItemViewer* AViewer);
  // Selects the viewer under P (screen coordinates; null: none), as a move of the mouse would.
  void UpdateSelection(const TPoint* P, bool AllowNewSelection);
  // Opens the selected item's submenu; true when a child popup is open afterwards.
  bool OpenChildPopup(bool SelectFirstItem);
  void CloseChildPopups();
  void ScrollSelectedIntoView();
  void Scroll(bool ADown);
  // Clicks or opens the selected item; true when the loop is to end.
  bool ClickSelectedItem(TTBItemEventData& Data);
  virtual void KeyDown(WORD& Key, TShiftState Shift, TTBItemEventData& Data);
  // Runs the toolbar's modal loop (keyboard or mouse control of a toolbar or menu bar) and then its done action.
  void EnterToolbarLoop(TTBEnterToolbarLoopOptions Options);
  void RunMenuLoop(bool MouseDownStart, bool DropDown, TTBDoneActionData& DoneAction, bool TrackRightButton,
                   bool SelectFirst);
  bool ContainsView(TTBView* AView);
  void InitiateActions();
  void StartTimer(TTBViewTimerID ATimer, int Interval);
  void StopTimer(TTBViewTimerID ATimer);
  void StopAllTimers();
  void TimerExpired(TTBViewTimerID ATimer);
  // A popup window opened from Viewer of this view (or none, to forget it).
  void SetOpenViewer(TWinControl* AWindow, TTBView* AView, TTBItemViewer* AViewer);
  TWinControl* OpenViewerWindow() const { return FOpenViewerWindow; }
  TRect MonitorRect() const { return FMonitorRect; }
  void SetMonitorRect(TRect Value) { FMonitorRect = Value; }
  void SetScrollOffset(int Value) { FScrollOffset = Value; }

  // ---- Drawing ----
  void DrawItem(TTBItemViewer* Viewer, TCanvas* DrawTo, bool Offscreen);
  void DrawSubitems(TCanvas* ACanvas);
  void Invalidate(TTBItemViewer* AViewer);

  // ---- Properties ----
  TColor BackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(TColor Value) { FBackgroundColor = Value; }
  TPoint BaseSize() const { return FBaseSize; }
  TTBView* ChevronParentView() const { return FChevronParentView; }
  void SetChevronParentView(TTBView* Value);
  int ChevronOffset() const { return FChevronOffset; }
  void SetChevronOffset(int Value);
  int ChevronSize() const { return FChevronSize; }
  void SetChevronSize(int Value);
  TTBCustomItem* CurParentItem() const { return FCurParentItem; }
  bool Customizing() const { return FCustomizing; }
  void SetCustomizing(bool Value);
  bool IsPopup() const { return FIsPopup; }
  bool IsToolbar() const { return FIsToolbar; }
  void SetIsToolbar(bool Value) { FIsToolbar = Value; FIsPopup = !Value; }
  int LeadingCount() const { return FInternalViewersAtFront; }
  int TrailingCount() const { return FInternalViewersAtEnd; }
  int MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int Value);
  TTBViewOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TTBViewOrientation Value);
  TTBCustomItem* ParentItem() const { return FParentItem; }
  TTBView* ParentView() const { return FParentView; }
  bool PositionsValid() const { return FValidated; }
  int ScrollOffset() const { return FScrollOffset; }
  bool ShowDownArrow() const { return FShowDownArrow; }
  bool ShowUpArrow() const { return FShowUpArrow; }
  TTBBaseSkin* Skin() const { return FSkin; }
  // A new look measures and paints differently: positions are computed again and the window repainted.
  void SetSkin(TTBBaseSkin* Value);
  // The skin that paints this view: its own, else the default skin; none when that is disabled.
  TTBBaseSkin* ActiveSkin() const;
  TTBViewState State() const { return FState; }
  void SetState(TTBViewState Value) { FState = Value; }
  TTBViewStyle Style() const { return FStyle; }
  void SetStyle(TTBViewStyle Value) { FStyle = Value; }
  bool UsePriorityList() const { return FUsePriorityList; }
  TWinControl* Window() const { return FWindow; }
  int WrapOffset() const { return FWrapOffset; }
  void SetWrapOffset(int Value);
  int WrappedLines() const { return FWrappedLines; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  // One run of CalculatePositions, phase by phase (Tb2viewlayout.cpp).
  struct TLayoutPass;
  // The modal menu loop's handling of each message (Tb2menukeys.cpp).
  struct TMenuLoop;

  void ItemNotification(TTBCustomItem* Sender, bool Relayed, TTBItemChangedAction Action, int Index,
                        TTBCustomItem* Item);
  void LinkNotification(TTBCustomItem* Sender, bool Relayed, TTBItemChangedAction Action, int Index,
                        TTBCustomItem* Item);
  void UpdateCurParentItem();
  void ImagesChanged();
  void FreeViewers();
  void InsertItemViewers(int NewIndex, const std::vector<TTBItemViewer*>& AViewers);
  void DeletingViewer(TTBItemViewer* Viewer);
  void ItemInserted(TTBCustomItem* Parent, int Index, TTBCustomItem* Item);
  void ItemDeleting(TTBCustomItem* Parent, TTBCustomItem* Item);

  TTBViewTimers FActiveTimers;
  TColor FBackgroundColor = clDefault;
  TPoint FBaseSize{0, 0};
  bool FCapture = false;
  int FChevronOffset = 0;
  TTBView* FChevronParentView = nullptr;
  int FChevronSize = 0;
  TTBCustomItem* FCurParentItem = nullptr;
  bool FCustomizing = false;
  int FInternalViewersAtEnd = 0;
  int FInternalViewersAtFront = 0;
  bool FIsPopup = false;
  bool FIsToolbar = false;
  int FMaxHeight = 0;
  TRect FMonitorRect;
  bool FMouseOverSelected = false;
  TTBItemViewer* FOpenViewer = nullptr;
  TTBView* FOpenViewerView = nullptr;
  TWinControl* FOpenViewerWindow = nullptr;
  TTBView* FParentView = nullptr;
  TTBCustomItem* FParentItem = nullptr;
  std::vector<TTBItemViewer*> FPriorityList;
  TTBViewOrientation FOrientation = tbvoHorizontal;
  int FScrollOffset = 0;
  TTBItemViewer* FSelected = nullptr;
  bool FShowDownArrow = false;
  bool FShowUpArrow = false;
  TTBBaseSkin* FSkin = nullptr;
  TTBViewState FState;
  TTBViewStyle FStyle;
  int FUpdating = 0;
  bool FUsePriorityList = false;
  bool FValidated = false;
  std::vector<TTBItemViewer*> FViewers;
  TWinControl* FWindow = nullptr;
  int FWrapOffset = 0;
  int FWrappedLines = 1;
};

// Turns a view's drop-down state on or off (its submenus open as the selection moves while it is on); nothing
// for no view.
void TBSetDropDownMenus(TTBView* V, bool On);
