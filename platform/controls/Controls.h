// The class library's control classes: TControl, TWinControl (a control with a window), TCustomControl and
// TGraphicControl, with their message dispatch, bounds, visibility, focus, mouse and key events.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/classes/Component.h"
#include "platform/classes/TypInfo.h"
#include "platform/graphics/Graphics.h"  // TFont, TCanvas, TColor
#include "platform/graphics/Cursors.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/UtilWindow.h"
#include "platform/win/WinUser.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TWinControl;
class TCustomForm;
class TPopupMenu;  // the menus unit's; controls only point at one
class TDragImageList;  // the image lists unit's; controls only point at one

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
Z_ENUM_TYPEINFO(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom")
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
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
// The wheel: WheelDelta in WHEEL_DELTA steps (positive away from the user), MousePos in screen coordinates.
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
// Resizing: OnCanResize may refuse a new size or change it; OnConstrainedResize may tighten the limits (0: none).
// (The splitter's OnCanResize, for one dimension, is the TCanResizeEvent of its unit.)
using TControlCanResizeEvent =
    std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TConstrainedResizeEvent =
    std::function<void(TObject* Sender, int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)>;

using THelpContext = int;
enum THelpType { htKeyword, htContext };
Z_ENUM_TYPEINFO(THelpType, "htKeyword", "htContext")
// Reading order and alignment; only left to right is drawn.
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
Z_ENUM_TYPEINFO(TBiDiMode, "bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly")
// The input method's state a windowed control asks for (kept, not applied).
enum TImeMode {
  imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese, imSHanguel,
  imHanguel
};
Z_ENUM_TYPEINFO(TImeMode, "imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira", "imSKata",
                "imKata", "imChinese", "imSHanguel", "imHanguel")
using TImeName = std::string;

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
Z_ENUM_TYPEINFO(TAnchorKind, "akLeft", "akTop", "akRight", "akBottom")
using TAnchors = TSet<TAnchorKind, akBottom>;

enum TDragMode { dmManual, dmAutomatic };
Z_ENUM_TYPEINFO(TDragMode, "dmManual", "dmAutomatic")
enum TDragKind { dkDrag, dkDock };
Z_ENUM_TYPEINFO(TDragKind, "dkDrag", "dkDock")
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
// CM_DRAG's wParam; its lParam points at a TDragRec.
enum TDragMessage { dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel, dmFindTarget };
class TControl;
class TDragObject;
struct TDragRec {
  TPoint Pos;                    // screen coordinates
  TDragObject* Source = nullptr;  // the drag object of the drag under way
  TControl* Target = nullptr;     // the control the message is about (null for dmFindTarget)
  bool Docking = false;
};
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
// The handler may supply its own drag object; without one the control's own is made (and freed at the end).
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;

// Docking is not built: its events are slots a layout can name, never fired.
class TDragDockObject;
using TStartDockEvent = std::function<void(TObject* Sender, TDragDockObject*& DragObject)>;
using TDockDropEvent = std::function<void(TObject* Sender, TDragDockObject* Source, int X, int Y)>;
using TDockOverEvent =
    std::function<void(TObject* Sender, TDragDockObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TUnDockEvent = std::function<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;
using TGetSiteInfoEvent =
    std::function<void(TObject* Sender, TControl* DockClient, TRect& InfluenceRect, TPoint MousePos, bool& CanDock)>;

// What is being dragged. The drag holds the mouse through Capture's window, moves with the pointer (DragPos, the
// control under it DragTarget with its window DragHandle and the point in its client area DragTargetPos), shows
// GetDragImages over controls that display drag images, sets GetDragCursor's cursor, and ends with Finished.
class TDragObject : public TObject {
  Z_CLASS(TDragObject, TObject)

public:
  TDragObject() = default;
  ~TDragObject() override;
  TDragObject(const TDragObject&) = delete;
  TDragObject& operator=(const TDragObject&) = delete;
  // Makes the window that holds the mouse capture during the drag (a hidden utility window) and captures.
  virtual HWND Capture();
  virtual void ReleaseCapture(HWND Handle);
  // The end of the drag: Target and the point in its client area when dropped and accepted.
  virtual void Finished(TObject* Target, int X, int Y, bool Accepted);
  virtual TCursor GetDragCursor(bool Accepted, int X, int Y);
  virtual TDragImageList* GetDragImages() { return nullptr; }
  virtual void HideDragImage();
  virtual void ShowDragImage();
  // True for objects the drag frees once it ended.
  virtual bool FreeWhenDone() const { return false; }
  bool Dropped() const { return FDropped; }
  double MouseDeltaX() const { return FMouseDeltaX; }
  double MouseDeltaY() const { return FMouseDeltaY; }
  TControl* DragTarget = nullptr;
  HWND DragHandle = 0;
  TPoint DragPos{0, 0};
  TPoint DragTargetPos{0, 0};
  bool Cancelling = false;
  bool AlwaysShowDragImages = false;  // show the image over every control, not only over csDisplayDragImage ones

protected:
  // Messages of the capture window: the mouse moves and releases of the drag, a lost capture ends it.
  virtual void WndProc(TMessage& Msg);

private:
  friend struct TDragAccess;
  HWND FCaptureWindow = 0;
  bool FDropped = false;
  double FMouseDeltaX = 0;
  double FMouseDeltaY = 0;
};

// A drag object freed by the drag once it ended.
class TDragObjectEx : public TDragObject {
  Z_CLASS(TDragObjectEx, TDragObject)

public:
  TDragObjectEx() = default;
  bool FreeWhenDone() const override { return true; }
};

// Drags a control: the end goes to the control's DoEndDrag (with a null target when not accepted).
class TBaseDragControlObject : public TDragObject {
  Z_CLASS(TBaseDragControlObject, TDragObject)

public:
  explicit TBaseDragControlObject(TControl* AControl) : Control(AControl) {}
  void Finished(TObject* Target, int X, int Y, bool Accepted) override;
  TControl* Control;

protected:
  virtual void EndDrag(TObject* Target, int X, int Y);
};

// Drags a control with its DragCursor and drag images.
class TDragControlObject : public TBaseDragControlObject {
  Z_CLASS(TDragControlObject, TBaseDragControlObject)

public:
  using TBaseDragControlObject::TBaseDragControlObject;
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;
  TDragImageList* GetDragImages() override;
  void HideDragImage() override;
  void ShowDragImage() override;
};

// The control drag object the drag makes when OnStartDrag supplies none; freed at the end.
class TDragControlObjectEx : public TDragControlObject {
  Z_CLASS(TDragControlObjectEx, TDragControlObject)

public:
  using TDragControlObject::TDragControlObject;
  bool FreeWhenDone() const override { return true; }
};

// Limits of a control's size (0: none). Owned by its control; a change re-applies them at once.
class TSizeConstraints : public TPersistent {
  Z_CLASS(TSizeConstraints, TPersistent)

public:
  explicit TSizeConstraints(TControl* AControl = nullptr) : FControl(AControl) {}
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  int MaxHeight() const { return FMaxHeight; }
  int MaxWidth() const { return FMaxWidth; }
  int MinHeight() const { return FMinHeight; }
  int MinWidth() const { return FMinWidth; }
  void SetMaxHeight(int Value);
  void SetMaxWidth(int Value);
  void SetMinHeight(int Value);
  void SetMinWidth(int Value);
  // Clamps a size to the limits (a maximum below the minimum gives way to it).
  void Apply(int& Width, int& Height) const;
  TNotifyEvent OnChange;

private:
  void Change();
  TControl* FControl;
  int FMaxHeight = 0;
  int FMaxWidth = 0;
  int FMinHeight = 0;
  int FMinWidth = 0;
};

// Type records of TColor and TCursor: layouts write their values as identifiers (clBtnFace, crHandPoint).
PTypeInfo TypeInfoCursor();

// Shows a control's popup menu at a screen point; installed by the menus unit. False when nothing was shown.
using TPopupMenuHandler = bool (*)(TPopupMenu* Menu, TControl* Control, TPoint ScreenPos);
void SetPopupMenuHandler(TPopupMenuHandler Handler);

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
  // Published: Left, Top, Width, Height, Cursor, Hint, ShowHint/ParentShowHint, Help*, BiDiMode/ParentBiDiMode,
  // Align, Visible, Enabled, Caption, the mouse, wheel, click and resize events and the dock event slots, as
  // layout files name them.
  static void Publish(TMetaClass& Meta);
  TComponent* GetParentComponent() override;
  bool HasParent() override { return true; }

  virtual void WndProc(TMessage& Message);
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
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
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  std::string Caption() { return GetText(); }
  std::string Caption() const { return const_cast<TControl*>(this)->GetText(); }
  void SetCaption(const std::string& Value) { SetText(Value); }
  // The client size; setting it changes the control's size by the difference.
  int ClientWidthValue() const { return const_cast<TControl*>(this)->ClientWidth(); }
  int ClientHeightValue() const { return const_cast<TControl*>(this)->ClientHeight(); }
  virtual void SetClientWidth(int Value) { SetWidth(Value + FWidth - ClientWidth()); }
  virtual void SetClientHeight(int Value) { SetHeight(Value + FHeight - ClientHeight()); }
  std::string Text() { return GetText(); }
  virtual std::string GetText();
  virtual void SetText(const std::string& Value);
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  std::string Hint;
  // ShowHint follows the parent's while ParentShowHint is on (CM_PARENTSHOWHINTCHANGED); setting it turns that off.
  // Changes send CM_SHOWHINTCHANGED, and the children hear CM_PARENTSHOWHINTCHANGED.
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  bool IsShowHintStored() const { return !FParentShowHint; }
  THelpContext HelpContext = 0;
  std::string HelpKeyword;
  THelpType HelpType = htContext;
  // BiDiMode follows the parent's while ParentBiDiMode is on, as ShowHint does.
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  bool IsBiDiModeStored() const { return !FParentBiDiMode; }
  int Cursor = crDefault;  // a TCursor value
  bool GetEnabled() const { return FEnabled; }

  // Colour and font: with ParentColor / ParentFont the control takes its parent's and follows its changes;
  // setting its own turns that off. Changes send CM_COLORCHANGED / CM_FONTCHANGED, and the children hear
  // CM_PARENTCOLORCHANGED / CM_PARENTFONTCHANGED.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  bool IsColorStored() const { return !FParentColor; }
  bool IsFontStored() const { return !FParentFont; }

  // Anchors keep the control's distances to its parent's edges when the parent's client area changes size.
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);
  TSizeConstraints* Constraints() const { return FConstraints.get(); }
  void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  // The menu a right click or the menu key opens; cleared when the menu is freed.
  void SetPopupMenu(TPopupMenu* Value);
  // The popup menu to show for a right click: this control's.
  virtual TPopupMenu* GetPopupMenu() { return FPopupMenu; }
  TContextPopupEvent OnContextPopup;

  // Dragging: BeginDrag starts at once, or after the pointer moved Threshold pixels (-1: Mouse->DragThreshold),
  // with the drag object OnStartDrag supplies (else a TDragControlObjectEx of the control). The program's loop
  // moves it with the mouse: the control under the pointer hears dsDragEnter, dsDragMove and dsDragLeave
  // (OnDragOver through CM_DRAG; the leave also comes just before a drop and its answer decides the drop); the
  // release drops (OnDragDrop), Escape or a right press cancels; OnEndDrag ends it (null target: no drop).
  // With DragMode dmAutomatic a left press starts it (Mouse->DragImmediate, Mouse->DragThreshold).
  void BeginDrag(bool Immediate, int Threshold = -1);
  void EndDrag(bool Drop);
  bool Dragging() const;
  TDragMode DragMode = dmManual;
  TDragKind DragKind = dkDrag;  // dkDock starts no drag: docking is not supported
  int DragCursor = crDrag;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;
  TStartDragEvent OnStartDrag;
  TStartDockEvent OnStartDock;
  TEndDragEvent OnEndDock;
  // The control's answer to a drag over it (OnDragOver; without a handler it refuses).
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DragDrop(TObject* Source, int X, int Y);
  virtual void DoStartDrag(TDragObject*& DragObject);
  virtual void DoEndDrag(TObject* Target, int X, int Y);
  // The images shown while this control is dragged (null: none).
  virtual TDragImageList* GetDragImages() { return nullptr; }
  // A drag of this control ended without a drop (before OnEndDrag).
  virtual void DragCanceled() {}

  TControlStyle ControlStyle;
  TControlState ControlState;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TControlCanResizeEvent OnCanResize;
  TConstrainedResizeEvent OnConstrainedResize;
  // Where WM_MOUSEWHEEL goes: a control in a form hands it to the form, the form to its focused control, which
  // hears CM_MOUSEWHEEL (DoMouseWheel, then its parents while nobody handled it). Result non-zero: handled.
  virtual void MouseWheelHandler(TMessage& Message);

  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  bool MouseCapture();
  void SetMouseCapture(bool Value);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void Resize();
  virtual void VisibleChanging() {}
  // The wheel turned by WheelDelta: OnMouseWheel, and unless it handled the turn, one DoMouseWheelDown or
  // DoMouseWheelUp for each whole WHEEL_DELTA (fractions add up over turns). True when handled.
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  // Whether the control may take a new size (OnCanResize, which may change it too).
  virtual bool CanResize(int& NewWidth, int& NewHeight);
  // The limits for a new size, starting from Constraints (OnConstrainedResize may change them).
  virtual void ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight);
  // CanResize for a new size, then the size within the limits; false leaves the bounds as they are.
  bool CheckNewSize(int& AWidth, int& AHeight);
  // Bounds as the window reports them, without moving anything (TWinControl after WM_WINDOWPOSCHANGED).
  void UpdateBoundsRect(const TRect& R);
  // A control read from a layout takes the reader's parent before its properties are read.
  void ReadState(TReader* Reader) override;
  void SetParentComponent(TComponent* Value) override;
  void Loaded() override;
  // Records the distances anchoring keeps (the bounds against the parent's client size now).
  void UpdateAnchorRules();
  // Moves the control as its anchors say for a parent client area of the given size.
  void AnchorTo(int ParentWidth, int ParentHeight);
  // The size within the constraints.
  void ConstrainSize(int& AWidth, int& AHeight) const;
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
  TColor FColor = clWindow;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  bool FTakingParentFont = false;  // the font changes because the parent's did: ParentFont stays on
  TAnchors FAnchors{akLeft, akTop};
  std::unique_ptr<TSizeConstraints> FConstraints;
  TPopupMenu* FPopupMenu = nullptr;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  int FWheelAccumulator = 0;
  // What anchoring keeps: the bounds and the parent's client size when they were last set.
  TRect FAnchorBounds;
  int FAnchorParentWidth = -1;
  int FAnchorParentHeight = -1;
  bool FAnchoring = false;

private:
  void FontChanged();
  void TakeParentFont();
  void TakeParentColor();
  void TakeParentShowHint();
  void TakeParentBiDiMode();
  void WMMouseWheel(TMessage& Message);
  void CMMouseWheel(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void CMDrag(TMessage& Message);
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
  // Published: TabOrder, TabStop, Ctl3D/ParentCtl3D, ImeMode, ImeName, DockSite, UseDockManager, the key, enter
  // and exit events and the dock site's event slots.
  static void Publish(TMetaClass& Meta);

  HWND Handle();
  bool HandleAllocated() const { return FHandle != 0; }
  // Paints the visible graphic controls among the children, from First (null: all) upwards in z-order, into DC
  // (the window's own paint context).
  void PaintControls(HDC DC, TControl* First);
  bool HasGraphicChildren() const;
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
  bool GetTabStop() const { return TabStop; }
  virtual bool CanFocus();
  bool Focused();
  virtual void SetFocus();
  // The next control in tab order after CurControl among this control's descendants (wrapping round).
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  // The visible windowless child at a client point (the topmost), or null.
  TControl* ControlAtPos(TPoint P);
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
  // Ctl3D: a sunken client edge for the controls with a border (else a flat line); it follows the parent's while
  // ParentCtl3D is on. Changes send CM_CTL3DCHANGED, and the windowed children hear CM_PARENTCTL3DCHANGED.
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value);
  bool IsCtl3DStored() const { return !FParentCtl3D; }
  TImeMode ImeMode = imDontCare;
  TImeName ImeName;
  bool DockSite = false;        // kept only: docking is not built
  bool UseDockManager = false;  // kept only
  TDockDropEvent OnDockDrop;
  TDockOverEvent OnDockOver;
  TUnDockEvent OnUnDock;
  TGetSiteInfoEvent OnGetSiteInfo;

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
  // Reading a layout: alignment waits until the children are read, and their tab order is applied at the end.
  void ReadState(TReader* Reader) override;
  void Loaded() override;
  TComponent* GetChildParent() override { return this; }
  // The controls this one shows that Root owns, in z-order (what a layout file holds for it).
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  virtual void CreateParams(TCreateParams& Params);
  // The border of a control with one: with Ctl3D a sunken client edge (WS_EX_CLIENTEDGE), else WS_BORDER.
  void AddBorder(TCreateParams& Params) const;
  // Gives the window the border bits CreateParams asks for now and redraws its frame.
  void ApplyBorderStyles();
  // How UpdateShowing shows the window: children without activation, top-level windows as they are.
  virtual int ShowCommand() { return FParent ? SW_SHOWNOACTIVATE : SW_SHOW; }
  // Makes the control's window a subclass of a registered window class (a native control such as "EDIT"): the
  // class's procedure becomes the default handler and its class style and cursor are kept.
  void CreateSubClass(TCreateParams& Params, const char* ControlClassName);
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
  int FLoadedTabOrder = -1;  // TabOrder read from a layout, applied once the parent's children are read
  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;  // the windowed children in tab order (FControls keeps creation order)
  bool FCtl3D = true;
  bool FParentCtl3D = true;

private:
  void TakeParentCtl3D();
  friend LRESULT InitWndProc(HWND, UINT, WPARAM, LPARAM);
  bool IsControlMouseMsg(TWMMouse& Message);
  // Hands a notification from a child window (WM_COMMAND, WM_NOTIFY...) to the child's control as CN_ message.
  static bool DoControlMsg(HWND ControlHandle, TMessage& Message);
};

// A windowed control that paints itself: for WM_PAINT, Paint (and OnPaint) draws on Canvas, which holds the paint
// device context (clipped to the area to repaint) with the control's font and colour selected.
class TCustomControl : public TWinControl {
  Z_CLASS(TCustomControl, TWinControl)

public:
  explicit TCustomControl(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  TCanvas* Canvas() const { return FCanvas.get(); }
  TNotifyEvent OnPaint;

protected:
  virtual void Paint();

private:
  std::unique_ptr<TCanvas> FCanvas;
};

// A control without a window: its parent forwards the mouse messages over it and paints it. The parent sends
// WM_PAINT with its device context in WParam, moved to the control's corner and clipped to its bounds; Paint
// then draws on Canvas, which holds that context with the control's font and colour selected.
class TGraphicControl : public TControl {
  Z_CLASS(TGraphicControl, TControl)

public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  void Dispatch(TMessage& Message) override;
  TCanvas* Canvas() const { return FCanvas.get(); }

protected:
  virtual void Paint() {}

private:
  std::unique_ptr<TCanvas> FCanvas;
};

// The application's loop hands every message here first while a drag is under way; true when the drag used it.
bool DragMessage(const MSG& Msg);
// The control being dragged, or null; the drag object of the drag under way, or null.
TControl* DragControl();
TDragObject* DragObject();
// Ends the drag under way without a drop.
void CancelDrag();
// Whether Sender is a drag object (a drag's Source that is not a control).
bool IsDragObject(TObject* Sender);
// The control under a screen point (a windowless child where there is one); disabled ones only when allowed.
TControl* FindDragTarget(TPoint Pos, bool AllowDisabled);
// A control goes away: a drag it takes part in ends (without events when it is the dragged one).
void DragControlDestroyed(TControl* Control);

// The control a window handle belongs to (through its window procedure), or null.
TWinControl* FindControl(HWND Handle);
// The form that contains a control (the control itself for a form), or null.
TCustomForm* GetParentForm(TControl* Control);
