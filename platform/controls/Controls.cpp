// The class library's control classes: message dispatch, bounds, windows, focus, mouse and key handling.
#include "platform/controls/Controls.h"
#include "platform/win/NativeControls.h"
#include "platform/win/ListControls.h"
#include "platform/win/WindowBackend.h"
#include "platform/win/WinMenu.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/classes/Filer.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

Z_IMPLEMENT_CLASS_PUBLISHED(TControl, TComponent, TControl::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TWinControl, TControl, TWinControl::Publish)
Z_IMPLEMENT_CLASS(TCustomControl, TWinControl)
Z_IMPLEMENT_CLASS(TGraphicControl, TControl)

namespace {

std::unordered_map<HWND, TWinControl*>& ControlsByHandle() {
  static auto* M = new std::unordered_map<HWND, TWinControl*>;
  return *M;
}

thread_local TWinControl* CreationControl = nullptr;

TPoint MessagePoint(const TWMMouse& M) { return Point(M.XPos, M.YPos); }

bool Contains(const TRect& R, TPoint P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

}  // namespace

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  TShiftState S;
  if (GetKeyState(VK_SHIFT) < 0) S.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) S.Include(ssCtrl);
  if (KeyData & (1 << 29)) S.Include(ssAlt);
  return S;
}

TShiftState KeysToShiftState(WPARAM Keys) {
  TShiftState S;
  if (Keys & MK_SHIFT) S.Include(ssShift);
  if (Keys & MK_CONTROL) S.Include(ssCtrl);
  if (Keys & MK_LBUTTON) S.Include(ssLeft);
  if (Keys & MK_RBUTTON) S.Include(ssRight);
  if (Keys & MK_MBUTTON) S.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) S.Include(ssAlt);
  return S;
}

TWinControl* FindControl(HWND Handle) {
  auto& M = ControlsByHandle();
  auto It = M.find(Handle);
  return It == M.end() ? nullptr : It->second;
}

TCustomForm* GetParentForm(TControl* Control) {
  while (Control && Control->Parent()) {
    Control = Control->Parent();
  }
  return Control && Control->Is<TCustomForm>() ? static_cast<TCustomForm*>(Control) : nullptr;
}

// ---- TControl ---------------------------------------------------------------------------------------------------

void TControl::Publish(TMetaClass& Meta) {
  TPublisher<TControl> P(Meta);
  P.Property("Left", &TControl::Left, &TControl::SetLeft);
  P.Property("Top", &TControl::Top, &TControl::SetTop);
  P.Property("Width", &TControl::Width, &TControl::SetWidth);
  P.Property("Height", &TControl::Height, &TControl::SetHeight);
  P.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
  P.Property("Caption", static_cast<std::string (TControl::*)() const>(&TControl::Caption), &TControl::SetCaption);
  P.Property("Color", &TControl::Color, &TControl::SetColor).Type(TypeInfoColor()).Stored(&TControl::IsColorStored);
  P.Property("Cursor", &TControl::Cursor, &TControl::Cursor).Type(TypeInfoCursor()).Default(crDefault);
  P.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TControl::IsFontStored);
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
  P.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
  P.Property("Enabled", &TControl::GetEnabled, &TControl::SetEnabled).Default(true);
  P.Property("Hint", &TControl::Hint, &TControl::Hint);
  P.Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
  P.Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Stored(&TControl::IsShowHintStored);
  P.Property("HelpContext", &TControl::HelpContext, &TControl::HelpContext).Default(0);
  P.Property("HelpKeyword", &TControl::HelpKeyword, &TControl::HelpKeyword);
  P.Property("HelpType", &TControl::HelpType, &TControl::HelpType).Default(htContext);
  P.Property("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode).Stored(&TControl::IsBiDiModeStored);
  P.Property("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode).Default(true);
  P.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
  P.Property("OnClick", &TControl::OnClick, &TControl::OnClick);
  P.Property("OnDblClick", &TControl::OnDblClick, &TControl::OnDblClick);
  P.Property("OnMouseDown", &TControl::OnMouseDown, &TControl::OnMouseDown);
  P.Property("OnMouseMove", &TControl::OnMouseMove, &TControl::OnMouseMove);
  P.Property("OnMouseUp", &TControl::OnMouseUp, &TControl::OnMouseUp);
  P.Property("OnResize", &TControl::OnResize, &TControl::OnResize);
  P.Property("Anchors", &TControl::Anchors, &TControl::SetAnchors).Default(TAnchors{akLeft, akTop});
  P.Property("Constraints", &TControl::Constraints, &TControl::SetConstraints);
  P.Property("DragCursor", &TControl::DragCursor, &TControl::DragCursor).Default(crDrag);
  P.Property("DragMode", &TControl::DragMode, &TControl::DragMode).Default(dmManual);
  P.Property("DragKind", &TControl::DragKind, &TControl::DragKind).Default(dkDrag);
  P.Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
  P.Property("OnContextPopup", &TControl::OnContextPopup, &TControl::OnContextPopup);
  P.Property("OnDragDrop", &TControl::OnDragDrop, &TControl::OnDragDrop);
  P.Property("OnDragOver", &TControl::OnDragOver, &TControl::OnDragOver);
  P.Property("OnEndDrag", &TControl::OnEndDrag, &TControl::OnEndDrag);
  P.Property("OnStartDrag", &TControl::OnStartDrag, &TControl::OnStartDrag);
  P.Property("OnMouseWheel", &TControl::OnMouseWheel, &TControl::OnMouseWheel);
  P.Property("OnMouseWheelDown", &TControl::OnMouseWheelDown, &TControl::OnMouseWheelDown);
  P.Property("OnMouseWheelUp", &TControl::OnMouseWheelUp, &TControl::OnMouseWheelUp);
  P.Property("OnCanResize", &TControl::OnCanResize, &TControl::OnCanResize);
  P.Property("OnConstrainedResize", &TControl::OnConstrainedResize, &TControl::OnConstrainedResize);
  P.Property("OnStartDock", &TControl::OnStartDock, &TControl::OnStartDock);
  P.Property("OnEndDock", &TControl::OnEndDock, &TControl::OnEndDock);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (Value != FPopupMenu) {
    ReplaceFreeNotified(FPopupMenu, Value);
  }
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) {
    FPopupMenu = nullptr;
  }
}

TComponent* TControl::GetParentComponent() { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* W = dynamic_cast<TWinControl*>(Value)) {
    SetParent(W);
  }
}

void TControl::ReadState(TReader* Reader) {
  if (auto* P = dynamic_cast<TWinControl*>(Reader->Parent())) {
    SetParent(P);
  }
  TComponent::ReadState(Reader);
}

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FFont(std::make_unique<TFont>()), FConstraints(std::make_unique<TSizeConstraints>(this)) {
  ControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FFont->OnChange = [this](TObject*) { FontChanged(); };
}

void TControl::Loaded() {
  TComponent::Loaded();
  UpdateAnchorRules();
}

void TControl::BeforeDestruction() {
  DragControlDestroyed(this);
  Application->ControlDestroyed(this);
  if (FParent) {
    FParent->RemoveControl(this);
  }
  inherited::BeforeDestruction();
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage M{Msg, WParam, LParam, 0};
  WndProc(M);
  return M.Result;
}

void TControl::WndProc(TMessage& Message) {
  // Mouse capture follows the left button for controls that ask for it, as the class library does it.
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && DragMode == dmAutomatic && FEnabled) {
    // An automatic drag starts with the press; the press itself goes no further.
    BeginDrag(Mouse->DragImmediate, Mouse->DragThreshold);
    return;
  }
  if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) {
    if (ControlStyle.Contains(csCaptureMouse)) {
      SetMouseCapture(true);
    }
    // Only a plain press makes a click: the release after a double click gives none.
    if (Message.Msg == WM_LBUTTONDOWN && ControlStyle.Contains(csClickEvents)) {
      ControlState.Include(csClicked);
    }
  } else if (Message.Msg == WM_LBUTTONUP) {
    if (ControlStyle.Contains(csCaptureMouse)) {
      SetMouseCapture(false);
    }
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
  auto& Mouse = MessageAs<TWMMouse>(Message);
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: DoMouseDown(Mouse, mbLeft, TShiftState{}); return;
    case WM_RBUTTONDOWN: DoMouseDown(Mouse, mbRight, TShiftState{}); return;
    case WM_MBUTTONDOWN: DoMouseDown(Mouse, mbMiddle, TShiftState{}); return;
    case WM_LBUTTONDBLCLK:
      if (ControlStyle.Contains(csClickEvents)) {
        DblClick();
      }
      DoMouseDown(Mouse, mbLeft, TShiftState{ssDouble});
      return;
    case WM_RBUTTONDBLCLK: DoMouseDown(Mouse, mbRight, TShiftState{ssDouble}); return;
    case WM_LBUTTONUP: {
      bool WasClicked = ControlState.Contains(csClicked);
      ControlState.Exclude(csClicked);
      if (WasClicked && Contains(ClientRect(), MessagePoint(Mouse))) {
        Click();
      }
      DoMouseUp(Mouse, mbLeft);
      return;
    }
    case WM_RBUTTONUP: DoMouseUp(Mouse, mbRight); return;
    case WM_MBUTTONUP: DoMouseUp(Mouse, mbMiddle); return;
    case WM_MOUSEMOVE:
      MouseMove(KeysToShiftState(Mouse.Keys), Mouse.XPos, Mouse.YPos);
      DefaultHandler(Message);
      return;
    case WM_CANCELMODE:
      if (MouseCapture()) {
        SetMouseCapture(false);
      }
      DefaultHandler(Message);
      return;
    case WM_SETTEXT:
      DefaultHandler(Message);
      return;
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
    case CM_TEXTCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
      Invalidate();
      return;
    case CM_PARENTCOLORCHANGED:
      TakeParentColor();
      return;
    case CM_PARENTFONTCHANGED:
      TakeParentFont();
      return;
    case CM_PARENTSHOWHINTCHANGED:
      TakeParentShowHint();
      return;
    case CM_PARENTBIDIMODECHANGED:
      TakeParentBiDiMode();
      return;
    case WM_MOUSEWHEEL:
      WMMouseWheel(Message);
      return;
    case CM_MOUSEWHEEL:
      CMMouseWheel(Message);
      return;
    case WM_CONTEXTMENU:
      WMContextMenu(Message);
      if (Message.Result == 0) {
        DefaultHandler(Message);
      }
      return;
    case CM_DRAG:
      CMDrag(Message);
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      // The parent hears about its children's mouse entering and leaving, with the child in lParam.
      if (Message.LParam == 0 && FParent) {
        FParent->Perform(Message.Msg, 0, reinterpret_cast<LPARAM>(this));
      }
      DefaultHandler(Message);
      return;
    default:
      DefaultHandler(Message);
      return;
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXT: {
      if (Message.WParam == 0) {
        Message.Result = 0;
        return;
      }
      std::size_t N = std::min<std::size_t>(FText.size(), Message.WParam - 1);
      std::copy_n(FText.data(), N, reinterpret_cast<char*>(Message.LParam));
      reinterpret_cast<char*>(Message.LParam)[N] = '\0';
      Message.Result = static_cast<LRESULT>(N);
      return;
    }
    case WM_GETTEXTLENGTH: Message.Result = static_cast<LRESULT>(FText.size()); return;
    case WM_SETTEXT: FText = reinterpret_cast<LPCSTR>(Message.LParam); Message.Result = TRUE; return;
    default: return;
  }
}

// ---- The mouse wheel --------------------------------------------------------------------------------------------

namespace {

// True while a wheel message is routed: the platform's default handling passes WM_MOUSEWHEEL on to the parent
// window, which must not route the same turn to the focused control again.
thread_local bool RoutingWheel = false;

}  // namespace

void TControl::WMMouseWheel(TMessage& Message) {
  if (RoutingWheel) {
    DefaultHandler(Message);
    return;
  }
  RoutingWheel = true;
  try {
    Message.Result = 0;
    MouseWheelHandler(Message);
    // Nobody handled it: the window's own handling (a list scrolls).
    if (Message.Result == 0) {
      DefaultHandler(Message);
    }
  } catch (...) {
    RoutingWheel = false;
    throw;
  }
  RoutingWheel = false;
}

void TControl::MouseWheelHandler(TMessage& Message) {
  TCustomForm* Form = GetParentForm(this);
  if (Form && Form != this) {
    Form->MouseWheelHandler(Message);
    return;
  }
  if (Form) {
    if (TWinControl* Focused = Form->ActiveControl(); Focused && Focused != this) {
      Message.Result = Focused->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
      return;
    }
  }
  Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

void TControl::CMMouseWheel(TMessage& Message) {
  const TShiftState Shift = KeysToShiftState(LOWORD(static_cast<DWORD_PTR>(Message.WParam)));
  const int Delta = static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(Message.WParam)));
  const TPoint Pos = Point(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(Message.LParam))),
                           static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(Message.LParam))));
  Message.Result = 0;
  if (DoMouseWheel(Shift, Delta, Pos)) {
    Message.Result = 1;
  } else if (FParent) {
    Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
  }
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool Result = false;
  if (OnMouseWheel) {
    OnMouseWheel(this, Shift, WheelDelta, MousePos, Result);
  }
  if (!Result) {
    FWheelAccumulator += WheelDelta;
    while (std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
      if (FWheelAccumulator < 0) {
        FWheelAccumulator += WHEEL_DELTA;
        Result = DoMouseWheelDown(Shift, MousePos);
      } else {
        FWheelAccumulator -= WHEEL_DELTA;
        Result = DoMouseWheelUp(Shift, MousePos);
      }
    }
  }
  return Result;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool Result = false;
  if (OnMouseWheelDown) {
    OnMouseWheelDown(this, Shift, MousePos, Result);
  }
  return Result;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool Result = false;
  if (OnMouseWheelUp) {
    OnMouseWheelUp(this, Shift, MousePos, Result);
  }
  return Result;
}

void TControl::DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift) {
  MouseDown(Button, Shift + KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
  DefaultHandler(reinterpret_cast<TMessage&>(Message));
}

void TControl::DoMouseUp(TWMMouse& Message, TMouseButton Button) {
  MouseUp(Button, KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
  DefaultHandler(reinterpret_cast<TMessage&>(Message));
}

void TControl::Click() {
  if (OnClick) {
    OnClick(this);
  }
}

void TControl::DblClick() {
  if (OnDblClick) {
    OnDblClick(this);
  }
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) {
    OnMouseDown(this, Button, Shift, X, Y);
  }
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) {
    OnMouseUp(this, Button, Shift, X, Y);
  }
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) {
    OnMouseMove(this, Shift, X, Y);
  }
}

void TControl::Resize() {
  if (OnResize) {
    OnResize(this);
  }
}

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) {
    return;
  }
  if (AParent == this) {
    throw EInvalidOperation("A control cannot have itself as its parent");
  }
  if (FParent) {
    FParent->RemoveControl(this);
  }
  if (AParent) {
    AParent->InsertControl(this);
    Perform(CM_PARENTCOLORCHANGED, 0, 0);
    Perform(CM_PARENTFONTCHANGED, 0, 0);
    Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
    if (Is<TWinControl>()) {
      Perform(CM_PARENTCTL3DCHANGED, 0, 0);
    }
  }
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!CheckNewSize(AWidth, AHeight)) {
    return;
  }
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) {
    return;
  }
  Invalidate();
  bool Sized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  Invalidate();
  if (Sized) {
    Resize();
  }
  UpdateAnchorRules();
  RequestAlign();
}

bool TControl::CheckNewSize(int& AWidth, int& AHeight) {
  int W = AWidth, H = AHeight;
  if ((W != FWidth || H != FHeight) && !CanResize(W, H)) {
    return false;
  }
  int MinW = 0, MinH = 0, MaxW = 0, MaxH = 0;
  if (FConstraints) {
    MinW = FConstraints->MinWidth();
    MinH = FConstraints->MinHeight();
    MaxW = FConstraints->MaxWidth();
    MaxH = FConstraints->MaxHeight();
  }
  ConstrainedResize(MinW, MinH, MaxW, MaxH);
  // A maximum below the minimum gives way to it.
  if (MaxW > 0 && W > MaxW) W = MaxW;
  if (MinW > 0 && W < MinW) W = MinW;
  if (MaxH > 0 && H > MaxH) H = MaxH;
  if (MinH > 0 && H < MinH) H = MinH;
  AWidth = W;
  AHeight = H;
  return true;
}

bool TControl::CanResize(int& NewWidth, int& NewHeight) {
  bool Result = true;
  if (OnCanResize) {
    OnCanResize(this, NewWidth, NewHeight, Result);
  }
  return Result;
}

void TControl::ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight) {
  if (OnConstrainedResize) {
    OnConstrainedResize(this, MinWidth, MinHeight, MaxWidth, MaxHeight);
  }
}

void TControl::UpdateBoundsRect(const TRect& R) {
  bool Sized = R.Width() != FWidth || R.Height() != FHeight;
  FLeft = R.Left;
  FTop = R.Top;
  FWidth = R.Width();
  FHeight = R.Height();
  if (Sized) {
    Resize();
  }
}

void TControl::RequestAlign() {
  if (FParent && FAlign != alNone) {
    FParent->AlignControls(this);
  }
}

TRect TControl::ClientRect() { return Rect(0, 0, FWidth, FHeight); }

TPoint TControl::ClientToScreen(TPoint P) {
  // A windowed control's client area starts inside its frame (a form's also below its caption): ask the window.
  // A control without a window sits at its bounds in its parent's client area.
  TPoint Origin{FLeft, FTop};
  auto* W = dynamic_cast<TWinControl*>(this);
  if (W != nullptr && W->HandleAllocated()) {
    Origin = Point(0, 0);
    ::ClientToScreen(W->Handle(), &Origin);
  } else if (FParent) {
    Origin = FParent->ClientToScreen(Origin);
  }
  return Point(P.X + Origin.X, P.Y + Origin.Y);
}

TPoint TControl::ScreenToClient(TPoint P) {
  TPoint Origin = ClientToScreen(Point(0, 0));
  return Point(P.X - Origin.X, P.Y - Origin.Y);
}

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) {
    return;
  }
  VisibleChanging();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
  RequestAlign();
  if (auto* W = dynamic_cast<TWinControl*>(this)) {
    W->UpdateShowing();
  } else if (FParent) {
    FParent->Invalidate();
  }
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetEnabled(bool Value) {
  if (FEnabled != Value) {
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
  }
}

std::string TControl::GetText() {
  auto Len = static_cast<int>(Perform(WM_GETTEXTLENGTH, 0, 0));
  std::string S(static_cast<std::size_t>(Len) + 1, '\0');
  auto N = static_cast<int>(Perform(WM_GETTEXT, static_cast<WPARAM>(Len + 1), reinterpret_cast<LPARAM>(S.data())));
  S.resize(static_cast<std::size_t>(std::max(N, 0)));
  return S;
}

void TControl::SetText(const std::string& Value) {
  if (GetText() != Value) {
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
    Perform(CM_TEXTCHANGED, 0, 0);
  }
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign != Value) {
    FAlign = Value;
    RequestAlign();
  }
}

void TControl::Invalidate() {
  if (FParent && FParent->HandleAllocated() && FVisible) {
    TRect R = BoundsRect();
    InvalidateRect(FParent->Handle(), &R, TRUE);
  }
}

void TControl::Update() {
  if (FParent) {
    FParent->Update();
  }
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

bool TControl::MouseCapture() {
  auto* W = dynamic_cast<TWinControl*>(this);
  if (W) {
    return W->HandleAllocated() && GetCapture() == W->Handle();
  }
  return FParent && FParent->HandleAllocated() && GetCapture() == FParent->Handle() &&
         TApplication::CaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value) {
  if (MouseCapture() == Value) {
    return;
  }
  if (Value) {
    if (auto* W = dynamic_cast<TWinControl*>(this)) {
      SetCapture(W->Handle());
    } else if (FParent) {
      TApplication::SetCaptureControl(this);
      SetCapture(FParent->Handle());
    }
  } else {
    TApplication::SetCaptureControl(nullptr);
    ReleaseCapture();
  }
}

// ---- TWinControl ------------------------------------------------------------------------------------------------

LRESULT InitWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  // The first message of a control's new window: attach the window to the control and hand the message on.
  TWinControl* C = CreationControl;
  if (!C) {
    return DefWindowProc(Wnd, Msg, WParam, LParam);
  }
  CreationControl = nullptr;
  C->FHandle = Wnd;
  ControlsByHandle()[Wnd] = C;
  SetWindowLongPtr(Wnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(C->FObjectInstance));
  return CallWindowProc(C->FObjectInstance, Wnd, Msg, WParam, LParam);
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

void TWinControl::Publish(TMetaClass& Meta) {
  TPublisher<TWinControl> P(Meta);
  P.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(false);
  P.Property("OnEnter", &TWinControl::OnEnter, &TWinControl::OnEnter);
  P.Property("OnExit", &TWinControl::OnExit, &TWinControl::OnExit);
  P.Property("OnKeyDown", &TWinControl::OnKeyDown, &TWinControl::OnKeyDown);
  P.Property("OnKeyPress", &TWinControl::OnKeyPress, &TWinControl::OnKeyPress);
  P.Property("OnKeyUp", &TWinControl::OnKeyUp, &TWinControl::OnKeyUp);
  P.Property("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D).Stored(&TWinControl::IsCtl3DStored);
  P.Property("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D).Default(true);
  P.Property("ImeMode", &TWinControl::ImeMode, &TWinControl::ImeMode).Default(imDontCare);
  P.Property("ImeName", &TWinControl::ImeName, &TWinControl::ImeName);
  P.Property("DockSite", &TWinControl::DockSite, &TWinControl::DockSite).Default(false);
  P.Property("UseDockManager", &TWinControl::UseDockManager, &TWinControl::UseDockManager).Default(false);
  P.Property("OnDockDrop", &TWinControl::OnDockDrop, &TWinControl::OnDockDrop);
  P.Property("OnDockOver", &TWinControl::OnDockOver, &TWinControl::OnDockOver);
  P.Property("OnUnDock", &TWinControl::OnUnDock, &TWinControl::OnUnDock);
  P.Property("OnGetSiteInfo", &TWinControl::OnGetSiteInfo, &TWinControl::OnGetSiteInfo);
}

void TWinControl::ReadState(TReader* Reader) {
  DisableAlign();
  try {
    TControl::ReadState(Reader);
  } catch (...) {
    --FAlignLevel;
    throw;
  }
  // The children's tab orders as the layout gives them: each child with an order in range takes that place; the
  // others fill the places left, in the order they came.
  std::vector<TWinControl*> Placed(FTabList.size(), nullptr);
  std::vector<TWinControl*> Rest;
  for (TWinControl* W : FTabList) {
    const int J = W->FLoadedTabOrder;
    if (J >= 0 && static_cast<std::size_t>(J) < Placed.size() && !Placed[static_cast<std::size_t>(J)]) {
      Placed[static_cast<std::size_t>(J)] = W;
    } else {
      Rest.push_back(W);
    }
    W->FLoadedTabOrder = -1;
  }
  auto Next = Rest.begin();
  for (TWinControl*& W : Placed) {
    if (!W) {
      W = *Next++;
    }
  }
  FTabList = std::move(Placed);
  EnableAlign();
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

void TWinControl::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TControl* C : FControls) {
    if (C->Owner() == Root) {
      Proc(C);
    }
  }
}

void TWinControl::BeforeDestruction() {
  Destroying();
  if (FParent) {
    FParent->RemoveControl(this);
  }
  DestroyHandle();
  // A windowed control frees the controls it shows, as the class library's does.
  while (!FControls.empty()) {
    TControl* C = FControls.back();
    RemoveControl(C);
    delete C;
  }
  inherited::BeforeDestruction();
  if (FObjectInstance) {
    FreeObjectInstance(FObjectInstance);
    FObjectInstance = nullptr;
  }
}

HWND TWinControl::Handle() {
  if (!FHandle) {
    CreateHandle();
  }
  return FHandle;
}

void TWinControl::CreateHandle() {
  if (FHandle) {
    return;
  }
  CreateWnd();
  // The client area is known for certain now: aligned children follow it.
  Realign();
  for (TControl* C : std::vector<TControl*>(FControls)) {
    if (auto* W = dynamic_cast<TWinControl*>(C); W && W->Showing()) {
      W->HandleNeeded();
    }
  }
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FParent) {
    Params.Style |= WS_CLIPCHILDREN;
  }
  if (TabStop) {
    Params.Style |= WS_TABSTOP;
  }
  if (!FEnabled) {
    Params.Style |= WS_DISABLED;
  }
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent ? FParent->Handle() : 0;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = &DefWindowProc;
  Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char* ControlClassName) {
  WNDCLASS WC;
  LoadToolkit();  // the native control classes come with the toolkit
  if (!ControlClassName || !GetClassInfo(nullptr, ControlClassName, &WC)) {
    throw EOSError(std::string("Window class '") + (ControlClassName ? ControlClassName : "") + "' is not registered");
  }
  Params.WindowClass = WC;
  Params.WindowClass.style &= ~CS_GLOBALCLASS;
  Params.WindowClass.lpszClassName = nullptr;
}

bool TWinControl::DoControlMsg(HWND ControlHandle, TMessage& Message) {
  TWinControl* C = FindControl(ControlHandle);
  if (!C) {
    return false;
  }
  Message.Result = C->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
  return true;
}

void TWinControl::CreateWnd() {
  TCreateParams Params;
  CreateParams(Params);
  if ((Params.Style & WS_CHILD) && !Params.WndParent) {
    throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  }
  FDefWndProc = Params.WindowClass.lpfnWndProc;
  WNDCLASS Existing;
  if (!GetClassInfo(nullptr, Params.WinClassName.c_str(), &Existing)) {
    WNDCLASS WC = Params.WindowClass;
    WC.lpfnWndProc = &InitWndProc;
    WC.lpszClassName = Params.WinClassName.c_str();
    RegisterClass(&WC);
  }
  if (!FObjectInstance) {
    FObjectInstance = MakeObjectInstance([this](TMessage& M) { MainWndProc(M); });
  }
  CreateWindowHandle(Params);
  if (!FHandle) {
    throw EOSError("Error creating window of '" + ClassName() + "'");
  }
  UpdateBounds();  // the window may have been placed or sized by the system (default positions, limits)
  FShowing = (GetWindowLong(FHandle, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  CreationControl = this;
  CreateWindowEx(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style, Params.X,
                 Params.Y, Params.Width, Params.Height, Params.WndParent, 0, nullptr, Params.Param);
  CreationControl = nullptr;
}

void TWinControl::DestroyWnd() {
  FText = GetText();
  ::DestroyWindow(FHandle);
}

void TWinControl::DestroyHandle() {
  if (!FHandle) {
    return;
  }
  for (TControl* C : FControls) {
    if (auto* W = dynamic_cast<TWinControl*>(C)) {
      W->DestroyHandle();
    }
  }
  ControlState.Include(csDestroyingHandle);
  DestroyWnd();
  ControlState.Exclude(csDestroyingHandle);
}

void TWinControl::RecreateWnd() {
  if (FHandle) {
    DestroyHandle();
    UpdateShowing();
  }
}

void TWinControl::MainWndProc(TMessage& Message) {
  try {
    WndProc(Message);
  } catch (const std::exception& E) {
    Application->HandleException(this, &E);
  } catch (...) {
    Application->HandleException(this, nullptr);
  }
}

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS: {
      auto* Form = GetParentForm(this);
      if (Form && Form != this && !Form->SetFocusedControl(this)) {
        return;
      }
      break;
    }
    case WM_KILLFOCUS:
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
      if (IsControlMouseMsg(MessageAs<TWMMouse>(Message))) {
        // What the windowless control left alone still gets the platform's default handling (a right button's
        // release makes WM_CONTEXTMENU).
        if (Message.Result == 0 && FHandle) {
          Message.Result = ::DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
        }
        return;
      }
      break;
    default:
      break;
  }
  TControl::WndProc(Message);
}

TControl* TWinControl::ControlAtPos(TPoint P) {
  for (auto It = FControls.rbegin(); It != FControls.rend(); ++It) {
    TControl* C = *It;
    if (!dynamic_cast<TWinControl*>(C) && C->Visible() && Contains(C->BoundsRect(), P)) {
      return C;
    }
  }
  return nullptr;
}

bool TWinControl::IsControlMouseMsg(TWMMouse& Message) {
  // Graphic controls have no window: their parent hands them the mouse messages over them.
  TControl* Target = TApplication::CaptureControl();
  if (Target && Target->Parent() != this) {
    Target = nullptr;
  }
  if (!Target) {
    for (auto It = FControls.rbegin(); It != FControls.rend(); ++It) {
      TControl* C = *It;
      if (!dynamic_cast<TWinControl*>(C) && C->Visible() && C->Enabled() &&
          Contains(C->BoundsRect(), Point(Message.XPos, Message.YPos))) {
        Target = C;
        break;
      }
    }
  }
  if (!Target) {
    return false;
  }
  TMessage M = reinterpret_cast<TMessage&>(Message);
  M.LParam = MAKELONG(static_cast<WORD>(Message.XPos - Target->Left()), static_cast<WORD>(Message.YPos - Target->Top()));
  Target->WndProc(M);
  Message.Result = M.Result;
  return true;
}

void TWinControl::Dispatch(TMessage& Message) {
  auto& Key = MessageAs<TWMKey>(Message);
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      // The background is the control's own colour (native widgets draw their own).
      if (Message.WParam != 0 && FHandle != 0 && !IsNativeWindow(FHandle)) {
        TRect R;
        GetClientRect(FHandle, &R);
        HBRUSH Brush = CreateSolidBrush(ColorToRGB(Color()));
        FillRect(static_cast<HDC>(Message.WParam), &R, Brush);
        DeleteObject(Brush);
        Message.Result = 1;
        return;
      }
      TControl::Dispatch(Message);
      return;
    case WM_PAINT:
      // A window that does not paint itself still paints the graphic controls it holds, over the background
      // that BeginPaint erased.
      if (HasGraphicChildren()) {
        PAINTSTRUCT Ps;
        HDC DC = Message.WParam ? static_cast<HDC>(Message.WParam) : BeginPaint(FHandle, &Ps);
        PaintControls(DC, nullptr);
        if (!Message.WParam) {
          EndPaint(FHandle, &Ps);
        }
        Message.Result = 0;
        return;
      }
      TControl::Dispatch(Message);
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!DoKeyDown(Key)) {
        TControl::Dispatch(Message);
      }
      return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (!DoKeyUp(Key)) {
        TControl::Dispatch(Message);
      }
      return;
    case WM_CHAR:
      if (!DoKeyPress(Key)) {
        TControl::Dispatch(Message);
      }
      return;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
      CNKeyDown(Key);
      return;
    case CN_CHAR:
    case CN_SYSCHAR:
      CNChar(Key);
      return;
    case WM_WINDOWPOSCHANGED:
      TControl::Dispatch(Message);
      UpdateBounds();
      return;
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
      if (Message.LParam && DoControlMsg(static_cast<HWND>(Message.LParam), Message)) {
        return;
      }
      TControl::Dispatch(Message);
      return;
    case WM_NOTIFY:
      if (Message.LParam && DoControlMsg(reinterpret_cast<NMHDR*>(Message.LParam)->hwndFrom, Message)) {
        return;
      }
      TControl::Dispatch(Message);
      return;
    case WM_DRAWITEM:
      // Owner-drawn child controls draw themselves (CN_DRAWITEM); menus are drawn by their own window.
      if (auto* D = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
          D && D->CtlType != ODT_MENU && DoControlMsg(D->hwndItem, Message)) {
        return;
      }
      TControl::Dispatch(Message);
      return;
    case WM_MEASUREITEM:
      if (auto* M = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam); M && M->CtlType != ODT_MENU) {
        // The box asking, else (a record sent by other code) the child with the record's id.
        HWND Child = MeasuringItemWindow();
        if (!Child && M->CtlID != 0) {
          Child = GetDlgItem(FHandle, static_cast<int>(M->CtlID));
        }
        if (Child && DoControlMsg(Child, Message)) {
          return;
        }
      }
      TControl::Dispatch(Message);
      return;
    case WM_SETCURSOR:
      if (LOWORD(static_cast<DWORD_PTR>(Message.LParam)) == HTCLIENT &&
          static_cast<HWND>(Message.WParam) == FHandle) {
        // The screen's cursor wins; else the cursor of the control under the pointer.
        int C = Screen->Cursor();
        if (C == crDefault) {
          TPoint P;
          GetCursorPos(&P);
          TControl* Under = ControlAtPos(ScreenToClient(P));
          C = Under ? Under->Cursor : Cursor;
        }
        if (C != crDefault) {
          ::SetCursor(Screen->Cursors(C));
          Message.Result = 1;
          return;
        }
      }
      TControl::Dispatch(Message);
      return;
    case WM_CONTEXTMENU:
      // A windowless child under the pointer has the first say.
      if (Message.LParam != -1) {
        TPoint P = Point(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(Message.LParam))),
                         static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(Message.LParam))));
        if (TControl* Under = ControlAtPos(ScreenToClient(P)); Under && Under != this) {
          if (Under->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam) != 0) {
            Message.Result = 1;
            return;
          }
        }
      }
      TControl::Dispatch(Message);
      return;
    case WM_NCDESTROY:
      TControl::Dispatch(Message);
      ControlsByHandle().erase(FHandle);
      FHandle = 0;
      FShowing = false;
      return;
    case CM_ENTER:
      DoEnter();
      return;
    case CM_EXIT:
      DoExit();
      return;
    case CM_ENABLEDCHANGED:
      if (FHandle) {
        EnableWindow(FHandle, FEnabled);
      }
      return;
    case CM_SHOWHINTCHANGED:
    case CM_BIDIMODECHANGED:
      if (Message.Msg == CM_BIDIMODECHANGED) {
        Invalidate();
      }
      for (TControl* C : std::vector<TControl*>(FControls)) {
        C->Perform(Message.Msg == CM_SHOWHINTCHANGED ? CM_PARENTSHOWHINTCHANGED : CM_PARENTBIDIMODECHANGED, 0, 0);
      }
      return;
    case CM_CTL3DCHANGED:
      ApplyBorderStyles();
      Invalidate();
      for (TControl* C : std::vector<TControl*>(FControls)) {
        if (C->Is<TWinControl>()) {
          C->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
        }
      }
      return;
    case CM_PARENTCTL3DCHANGED:
      TakeParentCtl3D();
      return;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
      if (Message.Msg == CM_FONTCHANGED && FHandle) {
        ::SendMessage(FHandle, WM_SETFONT, static_cast<WPARAM>(Font()->Handle()), 0);
      }
      Invalidate();
      // The children that follow their parent take the new colour or font.
      for (TControl* C : std::vector<TControl*>(FControls)) {
        C->Perform(Message.Msg == CM_COLORCHANGED ? CM_PARENTCOLORCHANGED : CM_PARENTFONTCHANGED, 0, 0);
      }
      return;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_SETTEXT:
      if (FHandle) {
        DefaultHandler(Message);
      } else {
        TControl::DefaultHandler(Message);
      }
      return;
    default:
      TControl::Dispatch(Message);
      return;
  }
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (FHandle) {
    Message.Result = CallWindowProc(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
  } else {
    TControl::DefaultHandler(Message);
  }
}

void TWinControl::UpdateBounds() {
  if (!FHandle) {
    return;
  }
  TRect R;
  GetWindowRect(FHandle, &R);
  if (GetWindowLong(FHandle, GWL_STYLE) & WS_CHILD) {
    HWND P = GetParent(FHandle);
    TPoint Tl{R.Left, R.Top};
    ::ScreenToClient(P, &Tl);
    R = Rect(Tl.X, Tl.Y, Tl.X + R.Width(), Tl.Y + R.Height());
  }
  if (R != BoundsRect()) {
    UpdateBoundsRect(R);
    RequestAlign();
    AlignControls(nullptr);
  }
}

TRect TWinControl::ClientRect() {
  if (FHandle) {
    TRect R;
    GetClientRect(FHandle, &R);
    return R;
  }
  return TControl::ClientRect();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!CheckNewSize(AWidth, AHeight)) {
    return;
  }
  if (FHandle) {
    if (ALeft != FLeft || ATop != FTop || AWidth != FWidth || AHeight != FHeight) {
      SetWindowPos(FHandle, 0, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
      UpdateAnchorRules();
    }
    return;
  }
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  AlignControls(nullptr);
}

void TWinControl::SetEnabled(bool Value) { TControl::SetEnabled(Value); }

std::string TWinControl::GetText() { return TControl::GetText(); }

void TWinControl::SetText(const std::string& Value) { TControl::SetText(Value); }

void TWinControl::Invalidate() {
  if (FHandle) {
    InvalidateRect(FHandle, nullptr, TRUE);
  }
}

void TWinControl::Update() {
  if (FHandle) {
    UpdateWindow(FHandle);
  }
}

void TWinControl::InsertControl(TControl* AControl) {
  AControl->FParent = this;
  FControls.push_back(AControl);
  if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
    FTabList.push_back(W);
  }
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
  if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
    W->UpdateShowing();
  }
  if (AControl->Align() != alNone) {
    AlignControls(AControl);
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
}

void TWinControl::RemoveControl(TControl* AControl) {
  auto It = std::find(FControls.begin(), FControls.end(), AControl);
  if (It == FControls.end()) {
    return;
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
  if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
    if (auto* Form = GetParentForm(this); Form && W->HandleAllocated() && GetFocus() == W->Handle()) {
      ::SetFocus(Form->HandleAllocated() ? Form->Handle() : 0);
    }
    W->DestroyHandle();
  }
  FControls.erase(std::find(FControls.begin(), FControls.end(), AControl));
  if (auto T = std::find(FTabList.begin(), FTabList.end(), AControl); T != FTabList.end()) {
    FTabList.erase(T);
  }
  AControl->FParent = nullptr;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
  Realign();
}

void TWinControl::UpdateShowing() {
  bool Want = FVisible && (FParent ? FParent->Showing() : Is<TCustomForm>() && FVisible);
  if (Want) {
    HandleNeeded();
  }
  if (Want == FShowing) {
    return;
  }
  FShowing = Want;
  if (FHandle) {
    ::ShowWindow(FHandle, Want ? ShowCommand() : SW_HIDE);
  }
  for (TControl* C : std::vector<TControl*>(FControls)) {
    if (auto* W = dynamic_cast<TWinControl*>(C)) {
      W->UpdateShowing();
    }
  }
  Perform(CM_SHOWINGCHANGED, 0, 0);
}

int TWinControl::TabOrder() const {
  if (!FParent) {
    return -1;
  }
  const auto& L = FParent->FTabList;
  auto It = std::find(L.begin(), L.end(), this);
  return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (ComponentState().Contains(csReading)) {
    FLoadedTabOrder = Value;
    return;
  }
  if (!FParent) {
    return;
  }
  // Only the tab order moves; the children's order (their stacking and the order a layout lists them) stays.
  auto& L = FParent->FTabList;
  L.erase(std::find(L.begin(), L.end(), this));
  const auto Pos = Value < 0 || static_cast<std::size_t>(Value) >= L.size() ? L.end() : L.begin() + Value;
  L.insert(Pos, this);
}

bool TWinControl::CanFocus() {
  for (TControl* C = this; C; C = C->Parent()) {
    if (!C->Visible() || !C->Enabled()) {
      return false;
    }
  }
  return true;
}

bool TWinControl::Focused() { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() {
  if (auto* Form = GetParentForm(this); Form && Form != this) {
    Form->FocusControl(this);
  } else if (FParent) {
    ::SetFocus(Handle());
  } else {
    ::SetFocus(Handle());
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) {
  // The tab list: windowed descendants in tab order, depth first.
  std::vector<TWinControl*> List;
  std::function<void(TWinControl*)> Collect = [&](TWinControl* P) {
    for (TWinControl* W : P->FTabList) {
      List.push_back(W);
      Collect(W);
    }
  };
  Collect(this);
  if (List.empty()) {
    return nullptr;
  }
  auto It = std::find(List.begin(), List.end(), CurControl);
  std::size_t Start = It == List.end() ? (GoForward ? List.size() - 1 : 0) : static_cast<std::size_t>(It - List.begin());
  std::size_t I = Start;
  for (std::size_t Step = 0; Step < List.size(); ++Step) {
    I = GoForward ? (I + 1) % List.size() : (I + List.size() - 1) % List.size();
    TWinControl* W = List[I];
    if (W == CurControl && It != List.end()) {
      break;
    }
    if ((!CheckTabStop || W->TabStop) && (!CheckParent || W->Parent() == this) && W->CanFocus()) {
      return W;
    }
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* Next = FindNextControl(CurControl, GoForward, CheckTabStop, false)) {
    Next->SetFocus();
  }
}

void TWinControl::EnableAlign() {
  if (--FAlignLevel == 0) {
    AlignControls(nullptr);
  }
}

void TWinControl::AlignControls(TControl* AControl, TRect* ARect) {
  if (FAlignLevel > 0) {
    return;
  }
  TRect R = ARect ? *ARect : ClientRect();
  AdjustClientRect(R);
  ++FAlignLevel;
  // Within one alignment the controls go by their current position (the control being aligned first), so a
  // splitter stays beside the panel it sizes and a panel shown again returns to its place.
  auto InsertBefore = [](TControl* C1, TControl* C2, TAlign A) {
    switch (A) {
      case alTop: return C1->Top() < C2->Top();
      case alBottom: return C1->Top() + C1->Height() >= C2->Top() + C2->Height();
      case alLeft: return C1->Left() < C2->Left();
      case alRight: return C1->Left() + C1->Width() >= C2->Left() + C2->Width();
      default: return false;
    }
  };
  // The class library's order: top, bottom, left, right, then the client control takes what is left.
  for (TAlign A : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> List;
    if (AControl && AControl->Align() == A && AControl->Visible() && AControl->Parent() == this) {
      List.push_back(AControl);
    }
    for (TControl* C : FControls) {
      if (C == AControl || C->Align() != A || !C->Visible()) {
        continue;
      }
      std::size_t J = 0;
      while (J < List.size() && !InsertBefore(C, List[J], A)) {
        ++J;
      }
      List.insert(List.begin() + static_cast<std::ptrdiff_t>(J), C);
    }
    for (TControl* C : List) {
      int W = C->Width(), H = C->Height();
      switch (A) {
        case alTop: C->SetBounds(R.Left, R.Top, R.Width(), H); R.Top += H; break;
        case alBottom: C->SetBounds(R.Left, R.Bottom - H, R.Width(), H); R.Bottom -= H; break;
        case alLeft: C->SetBounds(R.Left, R.Top, W, R.Height()); R.Left += W; break;
        case alRight: C->SetBounds(R.Right - W, R.Top, W, R.Height()); R.Right -= W; break;
        case alClient: C->SetBounds(R.Left, R.Top, R.Width(), R.Height()); break;
        default: break;
      }
    }
  }
  TRect Whole = ClientRect();
  for (TControl* C : std::vector<TControl*>(FControls)) {
    C->AnchorTo(Whole.Width(), Whole.Height());
  }
  --FAlignLevel;
}

// ---- Keys -------------------------------------------------------------------------------------------------------

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (OnKeyDown) {
    OnKeyDown(this, Key, Shift);
  }
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (OnKeyUp) {
    OnKeyUp(this, Key, Shift);
  }
}

void TWinControl::KeyPress(char& Key) {
  if (OnKeyPress) {
    OnKeyPress(this, Key);
  }
}

void TWinControl::DoEnter() {
  if (OnEnter) {
    OnEnter(this);
  }
}

void TWinControl::DoExit() {
  if (OnExit) {
    OnExit(this);
  }
}

// The form sees keys first when its KeyPreview is on; a handler that sets the key to 0 eats it.
bool TWinControl::DoKeyDown(TWMKey& Message) {
  TShiftState Shift = KeyDataToShiftState(Message.KeyData);
  auto* Form = GetParentForm(this);
  if (Form && Form != this && Form->KeyPreview && Form->DoKeyDown(Message)) {
    return true;
  }
  Word Key = Message.CharCode;
  KeyDown(Key, Shift);
  Message.CharCode = Key;
  return Key == 0;
}

bool TWinControl::DoKeyUp(TWMKey& Message) {
  TShiftState Shift = KeyDataToShiftState(Message.KeyData);
  auto* Form = GetParentForm(this);
  if (Form && Form != this && Form->KeyPreview && Form->DoKeyUp(Message)) {
    return true;
  }
  Word Key = Message.CharCode;
  KeyUp(Key, Shift);
  Message.CharCode = Key;
  return Key == 0;
}

bool TWinControl::DoKeyPress(TWMKey& Message) {
  auto* Form = GetParentForm(this);
  if (Form && Form != this && Form->KeyPreview && Form->DoKeyPress(Message)) {
    return true;
  }
  char C = static_cast<char>(Message.CharCode);
  KeyPress(C);
  Message.CharCode = static_cast<unsigned char>(C);
  return C == 0;
}

// The popup menus of this control and of its parents come first (the nearest first), then the form's OnShortCut,
// main menu and action lists, then the application.
bool TWinControl::IsMenuKey(TWMKey& Message) {
  if (!ComponentState().Contains(csDesigning)) {
    for (TWinControl* C = this; C; C = C->Parent()) {
      TPopupMenu* Menu = C->GetPopupMenu();
      if (Menu && Menu->WindowHandle() && Menu->IsShortCut(Message)) {
        return true;
      }
    }
  }
  auto* Form = GetParentForm(this);
  if (Form && Form->IsShortCut(Message)) {
    return true;
  }
  return Application && Application->HandleAllocated() &&
         SendMessage(Application->Handle(), CM_APPKEYDOWN, Message.CharCode, Message.KeyData) != 0;
}

// A key on its way to this control: shortcuts first, then the dialog keys (Tab, arrows, Return, Escape) unless
// the control wants them itself.
void TWinControl::CNKeyDown(TWMKey& Message) {
  Message.Result = 1;
  if (IsMenuKey(Message)) {
    return;
  }
  LRESULT Mask = 0;
  switch (Message.CharCode) {
    case VK_TAB: Mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: Mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: Mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (Mask && Perform(CM_WANTSPECIALKEY, Message.CharCode, Message.KeyData) == 0 &&
      (Perform(WM_GETDLGCODE, 0, 0) & Mask) == 0) {
    auto* Form = GetParentForm(this);
    if (Form && Form->Perform(CM_DIALOGKEY, Message.CharCode, Message.KeyData) != 0) {
      return;
    }
  }
  Message.Result = 0;
}

void TWinControl::CNChar(TWMKey& Message) {
  Message.Result = 1;
  if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0) {
    auto* Form = GetParentForm(this);
    if (Form && Form->Perform(CM_DIALOGCHAR, Message.CharCode, Message.KeyData) != 0) {
      return;
    }
  }
  Message.Result = 0;
}

// ---- TGraphicControl ----------------------------------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg != WM_PAINT || Message.WParam == 0) {
    TControl::Dispatch(Message);
    return;
  }
  FCanvas->Lock();
  try {
    FCanvas->SetHandle(static_cast<HDC>(Message.WParam));
    FCanvas->SetFont(Font());
    FCanvas->Brush()->SetColor(Color());
    Paint();
  } catch (...) {
    FCanvas->SetHandle(0);
    FCanvas->Unlock();
    throw;
  }
  FCanvas->SetHandle(0);
  FCanvas->Unlock();
  Message.Result = 0;
}

bool TWinControl::HasGraphicChildren() const {
  return std::any_of(FControls.begin(), FControls.end(),
                     [](TControl* C) { return dynamic_cast<TGraphicControl*>(C) != nullptr; });
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  std::size_t Start = 0;
  if (First != nullptr) {
    auto It = std::find(FControls.begin(), FControls.end(), First);
    Start = It == FControls.end() ? 0 : static_cast<std::size_t>(It - FControls.begin());
  }
  // The list may change while a control paints (a handler that frees one): walk a copy.
  const std::vector<TControl*> Children(FControls.begin() + static_cast<std::ptrdiff_t>(Start), FControls.end());
  for (TControl* C : Children) {
    auto* G = dynamic_cast<TGraphicControl*>(C);
    if (G == nullptr || !G->Visible()) {
      continue;
    }
    const TRect R = G->BoundsRect();
    if (!RectVisible(DC, &R)) {
      continue;
    }
    const int Saved = SaveDC(DC);
    TPoint Org;
    GetWindowOrgEx(DC, &Org);
    SetWindowOrgEx(DC, Org.X - R.Left, Org.Y - R.Top, nullptr);
    IntersectClipRect(DC, 0, 0, R.Width(), R.Height());
    G->Perform(WM_PAINT, static_cast<WPARAM>(DC), 0);
    RestoreDC(DC, Saved);
  }
}
