// Dragging controls (BeginDrag, the drag moved by the program's loop, CM_DRAG to the control under the pointer)
// and context menus (WM_CONTEXTMENU to OnContextPopup and the control's popup menu).
#include "platform/controls/Controls.h"
#include "platform/controls/Forms.h"

#include <cstdlib>

namespace {

struct TDragProgress {
  TControl* Source = nullptr;
  bool Active = false;     // the pointer has moved past the threshold (or the drag started at once)
  TPoint Start;
  int Threshold = 5;
  TControl* Target = nullptr;
  bool Accepted = false;
  HWND CaptureWnd = 0;
};
TDragProgress Drag;

TPopupMenuHandler PopupHandler = nullptr;

// The control under a screen point: the windowed control there, or its windowless child under the point.
TControl* ControlAtScreen(TPoint P) {
  TWinControl* W = FindControl(WindowFromPoint(P));
  if (!W) {
    return nullptr;
  }
  TPoint C = W->ScreenToClient(P);
  for (int I = W->ControlCount() - 1; I >= 0; --I) {
    TControl* Child = W->Controls(I);
    TRect B = Child->BoundsRect();
    if (!dynamic_cast<TWinControl*>(Child) && Child->Visible() && C.X >= B.Left && C.X < B.Right &&
        C.Y >= B.Top && C.Y < B.Bottom) {
      return Child;
    }
  }
  return W;
}

LRESULT SendDrag(TControl* Target, TDragMessage Kind, TPoint Pos) {
  TDragRec R;
  R.Pos = Pos;
  R.Source = Drag.Source;
  R.Target = Target;
  return Target->Perform(CM_DRAG, Kind, reinterpret_cast<LPARAM>(&R));
}

void StartIfMoved(TPoint P) {
  if (Drag.Active) {
    return;
  }
  if (std::abs(P.X - Drag.Start.X) < Drag.Threshold && std::abs(P.Y - Drag.Start.Y) < Drag.Threshold) {
    return;
  }
  Drag.Active = true;
  Drag.Source->Perform(CM_DRAG, dmFindTarget, 0);  // lets the source know the drag is real
}

void DragTo(TPoint P) {
  StartIfMoved(P);
  if (!Drag.Active) {
    return;
  }
  TControl* Under = ControlAtScreen(P);
  if (Under != Drag.Target) {
    if (Drag.Target) {
      SendDrag(Drag.Target, dmDragLeave, P);
    }
    Drag.Target = Under;
    Drag.Accepted = Under && SendDrag(Under, dmDragEnter, P) != 0;
  } else if (Under) {
    Drag.Accepted = SendDrag(Under, dmDragMove, P) != 0;
  }
  if (Drag.Source) {
    SetCursor(CursorOfTCursor(static_cast<TCursor>(Drag.Accepted ? Drag.Source->DragCursor : crNoDrop)));
  }
}

void DragDone(bool Drop) {
  if (!Drag.Source) {
    return;
  }
  TDragProgress D = Drag;
  Drag = TDragProgress{};
  TPoint P;
  GetCursorPos(&P);
  TControl* Target = nullptr;
  if (D.Active && D.Target) {
    if (Drop && D.Accepted) {
      Target = D.Target;
      TDragRec R;
      R.Pos = P;
      R.Source = D.Source;
      R.Target = Target;
      Target->Perform(CM_DRAG, dmDragDrop, reinterpret_cast<LPARAM>(&R));
    } else {
      TDragRec R;
      R.Pos = P;
      R.Source = D.Source;
      D.Target->Perform(CM_DRAG, dmDragLeave, reinterpret_cast<LPARAM>(&R));
    }
  }
  if (D.CaptureWnd && GetCapture() == D.CaptureWnd) {
    ReleaseCapture();
  }
  SetCursor(CursorOfTCursor(crArrow));
  TPoint Local = Target ? Target->ScreenToClient(P) : Point(0, 0);
  D.Source->DoEndDrag(Target, Local.X, Local.Y);
}

}  // namespace

void SetPopupMenuHandler(TPopupMenuHandler Handler) { PopupHandler = Handler; }

TControl* DragControl() { return Drag.Source; }

bool DragMessage(const MSG& Msg) {
  if (!Drag.Source) {
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
    case WM_KEYDOWN:
      if (Msg.wParam == VK_ESCAPE) {
        DragDone(false);
      }
      return true;  // keys are the drag's while it lasts
    case WM_KEYUP:
    case WM_CHAR:
      return true;
    case WM_CANCELMODE:
      DragDone(false);
      return false;
    default:
      return false;
  }
}

void TControl::BeginDrag(bool Immediate, int Threshold) {
  if (Drag.Source) {
    return;
  }
  Drag = TDragProgress{};
  Drag.Source = this;
  GetCursorPos(&Drag.Start);
  Drag.Threshold = Threshold >= 0 ? Threshold : Mouse->DragThreshold;
  // The drag takes the mouse: moves and the release come to the loop whatever window is under the pointer.
  auto* W = dynamic_cast<TWinControl*>(this);
  if (!W) {
    W = FParent;
  }
  if (W && W->HandleAllocated()) {
    Drag.CaptureWnd = W->Handle();
    SetCapture(Drag.CaptureWnd);
  }
  DoStartDrag();
  if (Immediate) {
    Drag.Active = true;
    DragTo(Drag.Start);
  }
}

void TControl::EndDrag(bool Drop) {
  if (Drag.Source == this) {
    DragDone(Drop);
  }
}

bool TControl::Dragging() const { return Drag.Source == this; }

void TControl::DoStartDrag() {
  if (OnStartDrag) {
    OnStartDrag(this);
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
  TPoint P = ScreenToClient(R->Pos);
  switch (static_cast<TDragMessage>(Message.WParam)) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
      TDragState State = Message.WParam == dmDragEnter ? dsDragEnter : Message.WParam == dmDragLeave ? dsDragLeave
                                                                                                     : dsDragMove;
      bool Accept = false;
      DragOver(R->Source, P.X, P.Y, State, Accept);
      Message.Result = Accept ? 1 : 0;
      return;
    }
    case dmDragDrop:
      DragDrop(R->Source, P.X, P.Y);
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
