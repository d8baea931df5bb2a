// Dockable windows: the windows that sit in a dock, float in a frame of their own, or lie on their form.
#pragma once

#include "platform/controls/Controls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "toolbars/Tb2dock.h"

#include <functional>
#include <memory>
#include <vector>

class TTBBaseSkin;
class TTBFloatingWindowParent;

enum TTBDockMode { dmCanFloat, dmCannotFloat, dmCannotFloatOrChangeDocks };
enum TTBDragHandleStyle { dhDouble, dhNone, dhSingle };
enum TTBFloatingMode { fmOnTopOfParentForm, fmOnTopOfAllForms };
enum TTBSizeHandle {
  twshLeft, twshRight, twshTop, twshTopLeft, twshTopRight, twshBottom, twshBottomLeft, twshBottomRight
};
enum TTBDockableWindowStyle { tbdsResizeEightCorner, tbdsResizeClipCursor };
using TTBDockableWindowStyles = TSet<TTBDockableWindowStyle, tbdsResizeClipCursor>;
enum TTBToolWindowNCRedrawWhatElement { twrdBorder, twrdCaption, twrdCloseButton };
using TTBToolWindowNCRedrawWhat = TSet<TTBToolWindowNCRedrawWhatElement, twrdCloseButton>;
// The framework's own non-client hit codes: a docked window's drag area and close button, a floating caption.
inline constexpr LRESULT HTDOCKEDDRAGAREA = 2000;
inline constexpr LRESULT HTTBCLOSEBUTTON = 2001;
inline constexpr LRESULT HTTBCAPTION = 2002;
using TTBDockChangingEvent = std::function<void(TObject* Sender, bool Floating, TTBDock* DockingTo)>;

// Reading and writing a window's stored values under its name; ExtraData is the store's own.
using TTBPositionReadIntProc = std::function<int(const std::string& ToolbarName, const std::string& Value,
                                                 int Default, void* ExtraData)>;
using TTBPositionReadStringProc = std::function<std::string(
    const std::string& ToolbarName, const std::string& Value, const std::string& Default, void* ExtraData)>;
using TTBPositionWriteIntProc =
    std::function<void(const std::string& ToolbarName, const std::string& Value, int Data, void* ExtraData)>;
using TTBPositionWriteStringProc = std::function<void(const std::string& ToolbarName, const std::string& Value,
                                                      const std::string& Data, void* ExtraData)>;
struct TTBReadPositionData {
  TTBPositionReadIntProc ReadIntProc;
  TTBPositionReadStringProc ReadStringProc;
  void* ExtraData = nullptr;
};
struct TTBWritePositionData {
  TTBPositionWriteIntProc WriteIntProc;
  TTBPositionWriteStringProc WriteStringProc;
  void* ExtraData = nullptr;
};

// A window that can be docked, floated or put on its form. Its native window survives every change of parent.
// Owned by its form like any control; a floating frame it made is its own and goes with it.
class TTBCustomDockableWindow : public TCustomControl {
  Z_CLASS(TTBCustomDockableWindow, TCustomControl)
  friend class TTBDock;
  friend class TTBFloatingWindowParent;

public:
  explicit TTBCustomDockableWindow(TComponent* AOwner);
  // Published: the place in the dock (DockRow, DockPos) and the dock and visibility events.
  static void Publish(TMetaClass& Meta);
  void BeforeDestruction() override;
  void SetParent(TWinControl* AParent) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  bool HasParent() override;
  TComponent* GetParentComponent() override;

  // ---- Where it lives ----
  TTBDock* CurrentDock() const { return FCurrentDock; }
  void SetCurrentDock(TTBDock* Value);
  bool Docked() const { return FDocked; }
  bool Floating() const { return FFloating; }
  void SetFloating(bool Value);
  TTBFloatingWindowParent* FloatingParent() const;
  TPoint FloatingPosition() const { return FFloatingPosition; }
  void SetFloatingPosition(TPoint Value);
  TTBDock* LastDock() const { return FLastDock; }
  void SetLastDock(TTBDock* Value);
  bool UseLastDock() const { return FUseLastDock; }
  void SetUseLastDock(bool Value);
  TTBDock* DefaultDock() const { return FDefaultDock; }
  void SetDefaultDock(TTBDock* Value);

  // ---- Place in the dock ----
  int DockRow() const { return FDockRow; }
  void SetDockRow(int Value);
  int DockPos() const { return FDockPos; }
  void SetDockPos(int Value);
  int EffectiveDockRow() const { return FEffectiveDockRow; }
  int EffectiveDockPos() const { return FEffectiveDockPos; }
  bool FullSize() const { return FFullSize; }
  void SetFullSize(bool Value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  int CurrentShrunkSize() const { return FCurrentShrunkSize; }
  int RowThickness() const { return FRowThickness; }
  bool NewRowRequested = false;

  // ---- Layout ----
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  // Lays out the content and, when the window sizes itself, takes the size it asks for; deferred while updating.
  void Arrange();
  bool IsAutoResized() const { return FAutoResize || FDocked || FFloating; }
  void ChangeSize(int AWidth, int AHeight);
  int GetNonClientWidth();
  int GetNonClientHeight();
  // Moves a floating frame onto the work area (with OnlyIfFullyOffscreen, only when none of it is visible).
  void MoveOnScreen(bool OnlyIfFullyOffscreen);
  bool IsMovable() const;
  // The move loop: drags the window with the mouse between the docks of its form and the floating state until
  // the button is released (Escape cancels). X, Y: the press in client coordinates.
  void BeginMoving(int InitX, int InitY);
  // The size loop of a floating window: the frame's edge or corner follows the mouse within the window's limits
  // until the button is released (Escape cancels).
  void BeginSizing(TTBSizeHandle SizeHandle);
  bool DragMode() const { return FDragMode; }
  // Other forms whose docks take this window while it is dragged.
  void AddDockForm(TCustomForm* Form);
  void RemoveDockForm(TCustomForm* Form);
  const std::vector<TCustomForm*>& DockForms() const { return FDockForms; }
  void DoubleClick();
  void Close();
  // Recomputes and redraws the docked frame, keeping position, size and Z order.
  void RecalcNCArea();
  // Redraws the docked frame at once.
  void RedrawNCArea();
  // The docked frame: what lies outside the client area on each side (LeftRight: on a left or right dock).
  void GetDockedNCArea(TPoint& TopLeft, TPoint& BottomRight, bool LeftRight);
  void AddDockedNCAreaToSize(TPoint& S, bool LeftRight);
  // The floating frame's sides (caption included) around the window.
  void GetFloatingNCArea(TPoint& TopLeft, TPoint& BottomRight);
  void AddFloatingNCAreaToSize(TPoint& S);
  virtual TPoint GetFloatingBorderSize();
  virtual void GetDockedCloseButtonRect(bool LeftRight, TRect& R);
  // Paints the docked frame into ADC (DrawToDC) or the window's own context limited to Clip.
  virtual void DrawNCArea(bool DrawToDC, HDC ADC, HRGN Clip);
  // Draws or moves the halftone outline of a drag: a docked rectangle 1 pixel thick, a floating one as thick as
  // the floating frame's border.
  void DrawDraggingOutline(HDC DC, const TRect* NewRect, const TRect* OldRect, bool NewDocking, bool OldDocking);
  // The skin the frames are painted with: the window's own, else the default skin.
  TTBBaseSkin* Skin() const;
  virtual void SetSkin(TTBBaseSkin* Value);
  bool CloseButtonDown() const { return FCloseButtonDown; }
  bool CloseButtonHover() const { return FCloseButtonHover; }
  bool InactiveCaption() const { return FInactiveCaption; }
  bool GetShowingState();
  void UpdateVisibility();
  // A floating frame is topmost when its owner form is, or (on top of all forms) while the window is enabled.
  void UpdateTopmostFlag();

  // ---- What descendants supply ----
  virtual void CalcNCSizes(int& AWidth, int& AHeight);
  virtual TPoint DoArrange(bool CanMoveControls, TTBDockType PreviousDockType, bool NewFloating,
                           TTBDock* NewDock) = 0;
  virtual void GetBaseSize(TPoint& ASize) = 0;
  virtual void GetMinShrinkSize(int& AMinimumSize) { (void)AMinimumSize; }
  virtual void GetMinMaxSize(int& AMinClientWidth, int& AMinClientHeight, int& AMaxClientWidth,
                             int& AMaxClientHeight) {
    (void)AMinClientWidth, (void)AMinClientHeight, (void)AMaxClientWidth, (void)AMaxClientHeight;
  }
  virtual TTBShrinkMode GetShrinkMode() { return tbsmNone; }
  virtual void SizeChanging(int AWidth, int AHeight) { (void)AWidth, (void)AHeight; }
  virtual bool ControlExistsAtPos(TPoint P);
  virtual int DragHandleSize();
  // The handle's size across on a dock of the given orientation: a docked caption on a left or right dock of a
  // skin with docked captions, else the drag handle.
  int DockedHandleSize(bool LeftRight);
  // Values of the window's own in the position store, after the common ones.
  virtual void ReadPositionData(const TTBReadPositionData& Data) { (void)Data; }
  virtual void DoneReadingPositionData(const TTBReadPositionData& Data) { (void)Data; }
  virtual void WritePositionData(const TTBWritePositionData& Data) { (void)Data; }
  // A size loop begins and ends (every way out).
  virtual void ResizeBegin(TTBSizeHandle SizeHandle) { (void)SizeHandle; }
  virtual void ResizeEnd() {}
  // The size loop's new frame rectangle may be changed here; the last one is accepted before it is applied.
  virtual void ResizeTrack(TRect& Rect, const TRect& OrigRect) { (void)Rect, (void)OrigRect; }
  virtual void ResizeTrackAccept() {}

  // ---- Properties ----
  bool AutoResize() const { return FAutoResize; }
  void SetAutoResize(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool CloseButton = true;
  bool CloseButtonWhenDocked() const { return FCloseButtonWhenDocked; }
  void SetCloseButtonWhenDocked(bool Value);
  TTBDockableTo DockableTo{dpTop, dpBottom, dpLeft, dpRight};
  TTBDockMode DockMode = dmCanFloat;
  TTBDragHandleStyle DragHandleStyle() const { return FDragHandleStyle; }
  void SetDragHandleStyle(TTBDragHandleStyle Value);
  TTBFloatingMode FloatingMode = fmOnTopOfParentForm;
  bool HideWhenInactive = true;
  bool Resizable = true;
  bool ShowCaption = true;
  bool SmoothDrag = true;
  bool ActivateParent = true;
  TTBDockableWindowStyles DockableWindowStyles{tbdsResizeEightCorner, tbdsResizeClipCursor};
  TAlignment DockTextAlign = taLeftJustify;
  int HideCount() const { return FHideCount; }

  TNotifyEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnDockChanged;
  TTBDockChangingEvent OnDockChanging;
  TTBDockChangingEvent OnDockChangingHidden;
  TNotifyEvent OnMove;
  TNotifyEvent OnRecreated;
  TNotifyEvent OnRecreating;
  TNotifyEvent OnVisibleChanged;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Moved();
  virtual void DoDockChangingHidden(bool NewFloating, TTBDock* DockingTo);

  int FPositioningLock = 0;
  bool FArrangeNeeded = false;

private:
  // The move loop's state and steps.
  friend class TTBDockableWindowMover;

  void ReparentKeepingHandle(TWinControl* AParent);
  void DispatchNonClient(TMessage& Message);
  void SetCloseButtonState(bool Pressed);
  void CancelNCHover();
  void UpdateFloatingList();

  bool FAutoResize = true;
  int FDockPos = -1;
  int FDockRow = 0;
  int FEffectiveDockPos = 0;
  int FEffectiveDockRow = -1;
  bool FDocked = false;
  TTBDock* FCurrentDock = nullptr;
  TTBDock* FDefaultDock = nullptr;
  TTBDock* FLastDock = nullptr;
  int FCurrentShrunkSize = 0;
  bool FFloating = false;
  bool FFullSize = false;
  bool FStretch = false;
  bool FUseLastDock = true;
  TBorderStyle FBorderStyle = bsSingle;
  bool FCloseButtonWhenDocked = false;
  TTBDragHandleStyle FDragHandleStyle = dhSingle;
  int FRowThickness = 0;
  int FUpdateCount = 0;
  int FMoveEventLock = 0;
  int FHideCount = 0;
  TPoint FFloatingPosition{0, 0};
  bool FDragMode = false;
  TTBFloatingWindowParent* FFloatFrameCache = nullptr;
  std::vector<TCustomForm*> FDockForms;
  TTBBaseSkin* FSkin = nullptr;
  bool FCloseButtonDown = false;
  bool FCloseButtonHover = false;
  bool FInactiveCaption = false;
};

// The small frame window a floating dockable window lives in. Made and freed by its dockable window; owned
// by nobody; shown while its window shows.
class TTBFloatingWindowParent : public TCustomForm {
  Z_CLASS(TTBFloatingWindowParent, TCustomForm)

public:
  explicit TTBFloatingWindowParent(TComponent* AOwner);
  TTBCustomDockableWindow* DockableWindow() const { return FDockableWindow; }
  TCustomForm* ParentForm() const { return FParentForm; }
  void SetParentForm(TCustomForm* Value) { FParentForm = Value; }
  void SetDockableWindow(TTBCustomDockableWindow* Value) { FDockableWindow = Value; }
  // Shows the frame when its window shows and its form lets it.
  void SetShouldShow(bool Value);
  bool CloseButtonDown() const { return FCloseButtonDown; }
  bool CloseButtonHover() const { return FCloseButtonHover; }
  void SetCloseButtonState(bool Pressed);
  void RedrawNCArea(TTBToolWindowNCRedrawWhat What);
  // The caption and close-button rectangles in window coordinates (empty without a caption or close button).
  TRect CaptionRect(bool ForDrawing);
  TRect CloseButtonRect(bool ForDrawing);

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  virtual void DrawNCArea(bool DrawToDC, HDC ADC, HRGN Clip, TTBToolWindowNCRedrawWhat What);

private:
  LRESULT HitTest(TPoint P);
  static void PrintNCArea(HWND Wnd, HDC DC, LPARAM AppData);

  TTBCustomDockableWindow* FDockableWindow = nullptr;
  TCustomForm* FParentForm = nullptr;
  bool FShouldShow = false;
  bool FCloseButtonDown = false;
  bool FCloseButtonHover = false;
};

// The system's small-caption height: floating captions and docked captions are this tall.
int TBSmallCaptionHeight();
// Runs the close-button tracking loop over a button's rectangle in Wnd's window coordinates; SetState shows it
// pressed or not. True when the button was clicked (released inside).
bool TBTrackCloseButton(HWND Wnd, const TRect& WindowRect, const std::function<void(bool)>& SetState);

// The outermost form above a control, or the form a floating frame belongs to; null when there is none.
TCustomForm* TBGetToolWindowParentForm(TControl* Control);
// The same, raising EInvalidOperation when there is none.
TCustomForm* TBValidToolWindowParentForm(TControl* Control);
// The floating dockable windows of the process.
const std::vector<TTBCustomDockableWindow*>& TBFloatingWindows();
