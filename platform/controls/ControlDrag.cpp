// Dragging controls (drag objects, BeginDrag, the drag moved by the program's loop, CM_DRAG to the control under
// the pointer, drag images) and context menus (WM_CONTEXTMENU to OnContextPopup and the control's popup menu).
#include "platform/controls/Controls.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/ImgList.h"

#include <cstdlib>

Z_IMPLEMENT_CLASS(TDragObject, TObject)
Z_IMPLEMENT_CLASS(TDragObjectEx, TDragObject)
Z_IMPLEMENT_CLASS(TBaseDragControlObject, TDragObject)
Z_IMPLEMENT_CLASS(TDragControlObject, TBaseDragControlObject)
Z_IMPLEMENT_CLASS(TDragControlObjectEx, TDragControlObject)

// Sets what only the drag itself may set on a drag object.
struct TDragAccess {
  static void SetDropped(TDragObject* O, bool Value) { O->FDropped = Value; }
  static void SetMouseDelta(TDragObject* O, double X, double Y) {
    O->FMouseDeltaX = X;
    O->FMouseDeltaY = Y;
  }
};

namespace {

// The drag under way (one per process).
struct TDragProgress {
  TControl* Control = nullptr;    // the control being dragged (kept until its end event ran)
  TDragObject* Object = nullptr;  // null once the drag is ending
  TDragObject* Internal = nullptr;  // the control object the drag made itself: targets see its control
  bool Active = false;            // the pointer has moved past the threshold (or the drag started at once)
  TPoint Start{0, 0};
  int Threshold = 5;
  HWND CaptureWnd = 0;
  HCURSOR SaveCursor = 0;
  TDragImageList* Images = nullptr;
};
TDragProgress Drag;

TPopupMenuHandler PopupHandler = nullptr;

// Sends a CM_DRAG message about the drag object's current target to the target's window.
LRESULT SendDragMsg(TDragObject* O, TDragMessage Msg) {
  if (!O || !O->DragTarget || !IsWindow(O->DragHandle)) {
    return 0;
  }
  TDragRec R;
  R.Pos = O->DragPos;
  R.Source = O;
  R.Target = O->DragTarget;
  return SendMessage(O->DragHandle, CM_DRAG, Msg, reinterpret_cast<LPARAM>(&R));
}

// Asks the program's window under the point which control there takes part in the drag.
TControl* TargetAt(TPoint P, HWND& Handle) {
  HWND W = WindowFromPoint(P);
  while (W && !FindControl(W)) {
    W = GetParent(W);
  }
  Handle = W;
  if (!W) {
    return nullptr;
  }
  TDragRec R;
  R.Pos = P;
  R.Source = Drag.Object;
  return reinterpret_cast<TControl*>(SendMessage(W, CM_DRAG, dmFindTarget, reinterpret_cast<LPARAM>(&R)));
}

void SetDragCursor(TCursor C) { SetCursor(Screen->Cursors(C)); }

void DragTo(TPoint P) {
  TDragObject* O = Drag.Object;
  if (!O || O->Cancelling) {
    return;
  }
  if (!Drag.Active && std::abs(P.X - Drag.Start.X) < Drag.Threshold &&
      std::abs(P.Y - Drag.Start.Y) < Drag.Threshold) {
    return;
  }
  Drag.Active = true;
  HWND Handle = 0;
  TControl* Target = TargetAt(P, Handle);
  if (Target != O->DragTarget) {
    SendDragMsg(O, dmDragLeave);
    if (Drag.Object != O || O->Cancelling) {
      return;  // a handler ended the drag
    }
    O->DragTarget = Target;
    O->DragHandle = Target ? Handle : 0;
    O->DragPos = P;
    if (Target) {
      O->DragTargetPos = Target->ScreenToClient(P);
    }
    SendDragMsg(O, dmDragEnter);
    if (Drag.Object != O || O->Cancelling) {
      return;
    }
  }
  O->DragPos = P;
  if (O->DragTarget) {
    O->DragTargetPos = O->DragTarget->ScreenToClient(P);
  }
  bool Accepted = SendDragMsg(O, dmDragMove) != 0;
  if (Drag.Object != O || O->Cancelling) {
    return;
  }
  TCursor Cursor = O->GetDragCursor(Accepted, P.X, P.Y);
  if (TDragImageList* Images = Drag.Images) {
    // The image shows over controls that display drag images, and outside the program's windows.
    TControl* T = O->DragTarget;
    if (!T || T->ControlStyle.Contains(csDisplayDragImage) || O->AlwaysShowDragImages) {
      Images->SetDragCursor(Cursor);
      if (!Images->Dragging()) {
        Images->BeginDrag(GetDesktopWindow(), P.X, P.Y);
      } else {
        Images->DragMove(P.X, P.Y);
      }
    } else {
      Images->EndDrag();
    }
  }
  SetDragCursor(Cursor);
}

// Gives the mouse and the cursor back and forgets the drag (the control stays until its end event ran).
void ReleaseDrag(TDragObject* O) {
  if (Drag.Images) {
    Drag.Images->EndDrag();
    Drag.Images = nullptr;
  }
  HWND Cap = Drag.CaptureWnd;
  Drag.CaptureWnd = 0;
  if (Cap) {
    O->ReleaseCapture(Cap);
  }
  SetCursor(Drag.SaveCursor ? Drag.SaveCursor : CursorOfTCursor(crArrow));
  Drag.Object = nullptr;
}

void DragDone(bool Drop) {
  TDragObject* O = Drag.Object;
  if (!O || O->Cancelling) {
    return;
  }
  O->Cancelling = true;
  // The target hears the leave before a drop; its answer decides whether the drop happens.
  bool Accepted = Drag.Active && SendDragMsg(O, dmDragLeave) != 0 && Drop;
  ReleaseDrag(O);
  TDragAccess::SetDropped(O, Accepted);
  bool Free = O->FreeWhenDone();
  TControl* Target = O->DragTarget;
  TPoint TargetPos = O->DragTargetPos;
  struct TFinally {
    TDragObject* O;
    bool Free;
    ~TFinally() {
      Drag = TDragProgress{};
      if (Free) {
        delete O;
      }
    }
  } Finally{O, Free};
  if (Accepted) {
    SendDragMsg(O, dmDragDrop);
  } else if (!Drop && Target && Drag.Active) {
    SendDragMsg(O, dmDragCancel);
  }
  if (!Accepted) {
    Target = nullptr;
    TargetPos = Point(0, 0);
  }
  O->Finished(Target, TargetPos.X, TargetPos.Y, Accepted);
}

void DragInit(TDragObject* O, bool Immediate, int Threshold) {
  Drag.Object = O;
  O->DragTarget = nullptr;
  O->DragHandle = 0;
  O->Cancelling = false;
  TDragAccess::SetDropped(O, false);
  GetCursorPos(&Drag.Start);
  O->DragPos = Drag.Start;
  Drag.Threshold = Threshold;
  Drag.SaveCursor = GetCursor();
  if (auto* C = dynamic_cast<TBaseDragControlObject*>(O); C && C->Control && C->Control->Width() > 0 &&
                                                         C->Control->Height() > 0) {
    TPoint Local = C->Control->ScreenToClient(Drag.Start);
    TDragAccess::SetMouseDelta(O, static_cast<double>(Local.X) / C->Control->Width(),
                               static_cast<double>(Local.Y) / C->Control->Height());
  }
  Drag.CaptureWnd = O->Capture();
  Drag.Images = O->GetDragImages();
  if (Immediate) {
    Drag.Active = true;
    DragTo(Drag.Start);
  }
}

}  // namespace

// ---- Drag objects ------------------------------------------------------------------------------------------------

TDragObject::~TDragObject() {
  if (Drag.Object == this) {
    // Freed while it is being dragged: the drag stops without further events.
    Cancelling = true;
    ReleaseDrag(this);
    Drag = TDragProgress{};
  }
}

HWND TDragObject::Capture() {
  FCaptureWindow = AllocateHWnd([this](TMessage& M) { WndProc(M); });
  SetCapture(FCaptureWindow);
  return FCaptureWindow;
}

void TDragObject::ReleaseCapture(HWND Handle) {
  if (Handle && GetCapture() == Handle) {
    ::ReleaseCapture();
  }
  if (Handle == FCaptureWindow) {
    FCaptureWindow = 0;
  }
  DeallocateHWnd(Handle);
}

void TDragObject::WndProc(TMessage& Msg) {
  Msg.Result = 0;
  switch (Msg.Msg) {
    case WM_MOUSEMOVE: {
      TPoint P;
      GetCursorPos(&P);
      DragTo(P);
      return;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      DragDone(true);
      return;
    case WM_RBUTTONDOWN:
    case WM_CAPTURECHANGED:
      DragDone(false);
      return;
    case CN_KEYDOWN:
      if (Msg.WParam == VK_ESCAPE) {
        Msg.Result = 1;
        DragDone(false);
      }
      return;
    default:
      Msg.Result = DefWindowProc(FCaptureWindow, Msg.Msg, Msg.WParam, Msg.LParam);
      return;
  }
}

void TDragObject::Finished(TObject* Target, int X, int Y, bool Accepted) {
  (void)Target;
  (void)X;
  (void)Y;
  (void)Accepted;
}

TCursor TDragObject::GetDragCursor(bool Accepted, int X, int Y) {
  (void)X;
  (void)Y;
  return Accepted ? crDrag : crNoDrop;
}

void TDragObject::HideDragImage() {
  if (TDragImageList* Images = GetDragImages()) {
    Images->HideDragImage();
  }
}

void TDragObject::ShowDragImage() {
  if (TDragImageList* Images = GetDragImages()) {
    Images->ShowDragImage();
  }
}

void TBaseDragControlObject::Finished(TObject* Target, int X, int Y, bool Accepted) {
  if (!Accepted) {
    if (Control) {
      Control->DragCanceled();
    }
    Target = nullptr;
  }
  EndDrag(Target, X, Y);
}

void TBaseDragControlObject::EndDrag(TObject* Target, int X, int Y) {
  if (Control) {
    Control->DoEndDrag(Target, X, Y);
  }
}

TCursor TDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
  (void)X;
  (void)Y;
  return Accepted && Control ? static_cast<TCursor>(Control->DragCursor) : crNoDrop;
}

TDragImageList* TDragControlObject::GetDragImages() { return Control ? Control->GetDragImages() : nullptr; }

void TDragControlObject::HideDragImage() {
  if (TDragImageList* Images = GetDragImages()) {
    Images->HideDragImage();
  }
}

void TDragControlObject::ShowDragImage() {
  if (TDragImageList* Images = GetDragImages()) {
    Images->ShowDragImage();
  }
}

// ---- The drag under way --------------------------------------------------------------------------------------

void SetPopupMenuHandler(TPopupMenuHandler Handler) { PopupHandler = Handler; }

TControl* DragControl() { return Drag.Control; }

TDragObject* DragObject() { return Drag.Object; }

void CancelDrag() {
  if (Drag.Object) {
    DragDone(false);
  }
  Drag.Control = nullptr;
}

bool IsDragObject(TObject* Sender) { return dynamic_cast<TDragObject*>(Sender) != nullptr; }

TControl* FindDragTarget(TPoint Pos, bool AllowDisabled) {
  HWND W = WindowFromPoint(Pos);
  while (W && !FindControl(W)) {
    W = GetParent(W);
  }
  TWinControl* Win = W ? FindControl(W) : nullptr;
  if (!Win) {
    return nullptr;
  }
  TPoint C = Win->ScreenToClient(Pos);
  for (int I = Win->ControlCount() - 1; I >= 0; --I) {
    TControl* Child = Win->Controls(I);
    TRect B = Child->BoundsRect();
    bool Inside = C.X >= B.Left && C.X < B.Right && C.Y >= B.Top && C.Y < B.Bottom;
    if (!dynamic_cast<TWinControl*>(Child) && Child->Visible() && (AllowDisabled || Child->Enabled()) && Inside) {
      return Child;
    }
  }
  return Win;
}

void DragControlDestroyed(TControl* Control) {
  if (Drag.Object && Drag.Object->DragTarget == Control) {
    Drag.Object->DragTarget = nullptr;
    Drag.Object->DragHandle = 0;
  }
  if (Drag.Control != Control) {
    return;
  }
  // The dragged control goes away: the drag stops without events; the drag's own object goes with it.
  TDragObject* O = Drag.Object;
  bool Free = O && (O == Drag.Internal || O->FreeWhenDone());
  if (O) {
    O->Cancelling = true;
    ReleaseDrag(O);
  }
  Drag = TDragProgress{};
  if (Free) {
    delete O;
  }
}

bool DragMessage(const MSG& Msg) {
  if (!Drag.Object) {
    return false;
  }
  switch (Msg.message) {
    case WM_MOUSEMOVE:
      DragTo(Msg.pt);
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      DragDone(true);
      return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      DragDone(false);  // a right press cancels
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return true;  // the buttons are the drag's while it lasts
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (Msg.message == WM_KEYDOWN && Msg.wParam == VK_ESCAPE) {
        DragDone(false);
      } else if (Msg.wParam == VK_CONTROL && Drag.Object) {
        DragTo(Drag.Object->DragPos);  // the target may answer differently with Ctrl
      }
      return true;  // keys are the drag's while it lasts
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
      return true;
    case WM_CANCELMODE:
      DragDone(false);
      return false;
    default:
      return false;
  }
}

// ---- TControl's side ---------------------------------------------------------------------------------------------

void TControl::BeginDrag(bool Immediate, int Threshold) {
  if (dynamic_cast<TCustomForm*>(this) && DragKind != dkDock) {
    throw EInvalidOperation("A form cannot be dragged");
  }
  if (Drag.Control || Drag.Object || DragKind != dkDrag) {
    return;
  }
  if (Threshold < 0) {
    Threshold = Mouse->DragThreshold;
  }
  Drag = TDragProgress{};
  Drag.Control = this;
  TDragObject* O = nullptr;
  try {
    DoStartDrag(O);
  } catch (...) {
    Drag = TDragProgress{};
    throw;
  }
  if (Drag.Control != this) {
    // The start handler cancelled the drag.
    if (O && O->FreeWhenDone()) {
      delete O;
    }
    return;
  }
  if (!O) {
    O = new TDragControlObjectEx(this);
    Drag.Internal = O;
  }
  DragInit(O, Immediate, Threshold);
}

void TControl::EndDrag(bool Drop) {
  if (Dragging()) {
    DragDone(Drop);
  }
}

bool TControl::Dragging() const { return Drag.Control == this; }

void TControl::DoStartDrag(TDragObject*& DragObject) {
  if (OnStartDrag) {
    OnStartDrag(this, DragObject);
  }
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) {
  if (OnEndDrag) {
    OnEndDrag(this, Target, X, Y);
  }
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = false;
  if (OnDragOver) {
    Accept = true;
    OnDragOver(this, Source, X, Y, State, Accept);
  }
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
  if (OnDragDrop) {
    OnDragDrop(this, Source, X, Y);
  }
}

void TControl::CMDrag(TMessage& Message) {
  auto* R = reinterpret_cast<TDragRec*>(Message.LParam);
  Message.Result = 0;
  if (!R) {
    return;
  }
  auto Kind = static_cast<TDragMessage>(Message.WParam);
  if (Kind == dmFindTarget) {
    // The windowless child under the point (an enabled one), else this control.
    TControl* Found = this;
    if (auto* W = dynamic_cast<TWinControl*>(this)) {
      if (TControl* Child = W->ControlAtPos(ScreenToClient(R->Pos)); Child && Child->Enabled()) {
        Found = Child;
      }
    }
    Message.Result = reinterpret_cast<LRESULT>(Found);
    return;
  }
  // The message may be about a windowless child of this control's window.
  TControl* Target = R->Target ? R->Target : this;
  // The drag's own control object reaches the handlers as its control; any other drag object as itself.
  TObject* Source = R->Source;
  if (R->Source && R->Source == Drag.Internal) {
    Source = static_cast<TBaseDragControlObject*>(R->Source)->Control;
  }
  TPoint P = Target->ScreenToClient(R->Pos);
  switch (Kind) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
      TDragState State = Kind == dmDragEnter ? dsDragEnter : Kind == dmDragLeave ? dsDragLeave : dsDragMove;
      bool Accept = false;
      Target->DragOver(Source, P.X, P.Y, State, Accept);
      Message.Result = Accept ? 1 : 0;
      return;
    }
    case dmDragDrop:
      Target->DragDrop(Source, P.X, P.Y);
      return;
    default:
      return;
  }
}

void TControl::WMContextMenu(TMessage& Message) {
  Message.Result = 0;
  TPoint Screen = Point(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(Message.LParam))),
                        static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(Message.LParam))));
  bool Keyboard = Message.LParam == -1;
  TPoint Client = Keyboard ? Point(-1, -1) : ScreenToClient(Screen);
  if (Keyboard) {
    Screen = ClientToScreen(Point(0, 0));  // the menu key: the menu opens at the control's corner
  }
  bool Handled = false;
  if (OnContextPopup) {
    OnContextPopup(this, Client, Handled);
  }
  if (Handled) {
    Message.Result = 1;
    return;
  }
  if (TPopupMenu* Menu = GetPopupMenu(); Menu && PopupHandler && PopupHandler(Menu, this, Screen)) {
    Message.Result = 1;
  }
}
