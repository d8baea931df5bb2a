// ZEZCustomTreeView: dragging nodes through the class library's drag protocol: the automatic start after the
// threshold, Escape through a keyboard hook, the drop target under the cursor, expanding a parent the cursor
// rests on, and scrolling near the edges.
#include "treeview/Dcntree.h"

#include "platform/win/WinHooks.h"

#include <algorithm>

namespace {
constexpr Integer DragMargin = 10;
// One drag runs at a time in the process: the hook and the view that installed it.
HHOOK GDragHook = 0;
ZEZCustomTreeView* GDragView = nullptr;

// Set from the Escape press that cancelled a drag until that key is taken and released: a loop may look at the
// key (HC_NOREMOVE) before it takes it (HC_ACTION), and neither the press nor its release may reach a control.
bool GEatingEscape = false;

LRESULT DragKeyboardHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code >= 0 && WParam == VK_ESCAPE) {
    const bool Release = (static_cast<DWORD_PTR>(LParam) & 0x80000000u) != 0;
    if (!Release && GDragView && GDragView->Dragging()) {
      GEatingEscape = true;
      GDragView->ProcessCancelDrag();
    }
    // Only a key being taken can be swallowed: a loop that merely looks at it (HC_NOREMOVE) would see it again.
    if (GEatingEscape && Code == HC_ACTION) {
      if (Release) {
        GEatingEscape = false;
        if (!GDragView && GDragHook) {
          // The drag ended with this key; its view left the hook in place until the key was done.
          UnhookWindowsHookEx(GDragHook);
          GDragHook = 0;
        }
      }
      return 1;
    }
  }
  return CallNextHookEx(GDragHook, Code, WParam, LParam);
}
}  // namespace

void ZEZCustomTreeView::WndProc(TMessage& Message) {
  const bool Press = Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK;
  if (Press && !ComponentState().Contains(csDesigning) && !Dragging() && DragMode == dmAutomatic &&
      DragKind == dkDrag) {
    // The view starts its drags itself, after the threshold; the press is its own.
    ControlState.Include(csLButtonDown);
    if (ControlStyle.Contains(csCaptureMouse)) {
      SetMouseCapture(true);
    }
    if (Message.Msg == WM_LBUTTONDOWN && ControlStyle.Contains(csClickEvents)) {
      ControlState.Include(csClicked);
    }
    Dispatch(Message);
    return;
  }
  TWinControl::WndProc(Message);
}

void ZEZCustomTreeView::SetKeyboardHook() {
  RemoveKeyboardHook();
  if (GDragHook) {
    // A hook left for an Escape still under way: the new drag takes it over.
    UnhookWindowsHookEx(GDragHook);
    GDragHook = 0;
  }
  GEatingEscape = false;
  GDragHook = SetWindowsHookEx(WH_KEYBOARD, &DragKeyboardHook, nullptr, 0);
  GDragView = this;
}

void ZEZCustomTreeView::RemoveKeyboardHook() {
  if (GDragView == this) {
    GDragView = nullptr;
    // While the Escape that ended the drag is still being taken, the hook stays to swallow it; it goes itself.
    if (GDragHook && !GEatingEscape) {
      UnhookWindowsHookEx(GDragHook);
      GDragHook = 0;
    }
  }
}

void ZEZCustomTreeView::ProcessCancelDrag() {
  if (Dragging()) {
    EndDrag(false);
  }
}

void ZEZCustomTreeView::DoStartDrag(TDragObject*& DragObject) {
  TWinControl::DoStartDrag(DragObject);
  KillEditTimer();
  UpdateToolTip();
  RemoveHotTrackNode();
  SetKeyboardHook();
  FDropNode = nullptr;
  MakeDragImage();
}

void ZEZCustomTreeView::MakeDragImage() {
  FDragImages->Clear();
  ZEZTreeNode* N = FMouseDownNode;
  TCustomImageList* L = FImages;
  if (!N || !L || N->ImageIndex() < 0 || N->ImageIndex() >= L->Count()) {
    return;
  }
  const Integer W = L->Width();
  const Integer H = L->Height();
  FDragImages->SetWidth(W);
  FDragImages->SetHeight(H);
  TBitmap Image;
  Image.SetWidth(W);
  Image.SetHeight(H);
  Image.Canvas()->Brush()->SetColor(clWhite);
  Image.Canvas()->FillRect(Rect(0, 0, W, H));
  ImageList_Draw(L->Handle(), N->ImageIndex(), Image.Canvas()->Handle(), 0, 0, ILD_NORMAL);
  TBitmap Mask;
  Mask.SetMonochrome(true);
  Mask.SetWidth(W);
  Mask.SetHeight(H);
  Mask.Canvas()->Brush()->SetColor(clWhite);
  Mask.Canvas()->FillRect(Rect(0, 0, W, H));
  ImageList_Draw(L->Handle(), N->ImageIndex(), Mask.Canvas()->Handle(), 0, 0, ILD_MASK);
  FDragImages->Add(&Image, &Mask);
  // The image hangs from the pointer where the press caught the node's picture.
  const TRect Icon = N->DisplayRectPart(npImage, npImage, false);
  const TPoint P = GetCursorPos();
  FDragImages->SetDragImage(0, P.X - Icon.Left, P.Y - Icon.Top);
}

TDragImageList* ZEZCustomTreeView::GetDragImages() {
  return FDragImages && FDragImages->Count() > 0 ? FDragImages.get() : nullptr;
}

void ZEZCustomTreeView::HideDragImage() {
  if (FDragImageHide++ > 0) {
    return;
  }
  if (FDragObject) {
    FDragObject->HideDragImage();
  } else if (TDragImageList* L = GetDragImages()) {
    L->HideDragImage();
  }
}

void ZEZCustomTreeView::ShowDragImage() {
  if (FDragImageHide == 0 || --FDragImageHide > 0) {
    return;
  }
  if (FDragObject) {
    FDragObject->ShowDragImage();
  } else if (TDragImageList* L = GetDragImages()) {
    L->ShowDragImage();
  }
}

void ZEZCustomTreeView::DoEndDrag(TObject* Target, int X, int Y) {
  FDragPending = false;
  FDropNode = nullptr;
  try {
    TWinControl::DoEndDrag(Target, X, Y);
  } catch (...) {
    RemoveKeyboardHook();
    FDragImages->Clear();
    throw;
  }
  RemoveKeyboardHook();
  FDragImages->Clear();
}

void ZEZCustomTreeView::SetDropTarget(ZEZTreeNode* Node) {
  if (FDropTarget && FDropTarget != Node) {
    FDropTarget->SetDropTarget(false);
  }
  if (Node) {
    Node->SetDropTarget(true);
  }
}

void ZEZCustomTreeView::UpdateDropTarget(Integer X, Integer Y) {
  if (!FDragOver) {
    return;
  }
  ZEZTreeNode* N = GetHitTest(X, Y).Node;
  if (N && N != FDropTarget) {
    N->SetDropTarget(true);
  }
}

void ZEZCustomTreeView::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  if (State == dsDragLeave) {
    FDropNode = FDropTarget;
    KillScrollTimer();
    StopTimer(3, FExpandTimerOn);
    try {
      TWinControl::DragOver(Source, X, Y, State, Accept);
    } catch (...) {
      if (FDropTarget) FDropTarget->SetDropTarget(false);
      FDragOver = false;
      throw;
    }
    if (FDropTarget) FDropTarget->SetDropTarget(false);
    FDragOver = false;
    return;
  }
  if (State == dsDragEnter) {
    FDragOver = true;
    // No tip while a drag is over the view: one shown before the drag came goes now.
    UpdateToolTip();
  }
  UpdateDropTarget(X, Y);
  const TRect C = ClientRect();
  if (AutoScroll && X >= C.Left && X < C.Right && Y >= C.Top && Y < C.Bottom &&
      (X < C.Left + DragMargin || X > C.Right - DragMargin || Y < C.Top + DragMargin || Y > C.Bottom - DragMargin)) {
    StartTimer(2, 100, FScrollTimerOn);
  }
  if (FDropTarget && (FDropTarget->HasDescendants() || FDropTarget->GetHasChildren()) && ExpandOnDrag) {
    if (FDragExpandNode != FDropTarget) {
      StopTimer(3, FExpandTimerOn);
    }
    FDragExpandNode = FDropTarget;
    StartTimer(3, DragExpandDelay(), FExpandTimerOn);
  }
  TWinControl::DragOver(Source, X, Y, State, Accept);
}

void ZEZCustomTreeView::CMDragMessage(TMessage& Message) {
  const auto Kind = static_cast<TDragMessage>(Message.WParam);
  const auto* Rec = reinterpret_cast<const TDragRec*>(Message.LParam);
  if (Kind == dmDragDrop) {
    FLastDropNode = FDropNode;
  }
  try {
    TWinControl::Dispatch(Message);
  } catch (...) {
    if (Kind == dmDragDrop) FLastDropNode = nullptr;
    FDragObject = nullptr;
    throw;
  }
  if (Kind == dmDragDrop) {
    FLastDropNode = nullptr;
  }
  FDragObject = Rec ? Rec->Source : nullptr;
  if (Kind == dmDragLeave || Kind == dmDragDrop || Kind == dmDragCancel) {
    FDragObject = nullptr;
  }
}

void ZEZCustomTreeView::ProcessDragScroll() {
  const TPoint P = GetCursorPos();
  const TRect C = ClientRect();
  auto Inside = [&C](TPoint Q) { return Q.X >= C.Left && Q.X < C.Right && Q.Y >= C.Top && Q.Y < C.Bottom; };
  if (!Inside(P)) {
    KillScrollTimer();
    return;
  }
  const Integer MX = C.Width() < 2 * DragMargin ? C.Width() / 2 : DragMargin;
  const Integer MY = C.Height() < 2 * DragMargin ? C.Height() / 2 : DragMargin;
  ZEZTreeNode* Top = FTopItem;
  const Integer Horz = FHorzPos;
  if (P.X < C.Left + MX) Scroll(smLineLeft);
  if (P.X > C.Right - MX) Scroll(smLineRight);
  if (P.Y < C.Top + MY) Scroll(smLineUp);
  if (P.Y > C.Bottom - MY) Scroll(smLineDown);
  const TPoint Now = GetCursorPos();
  if (!Inside(Now) || (Top == FTopItem && Horz == FHorzPos) || !AutoScroll) {
    KillScrollTimer();
    return;
  }
  const bool Deep = Now.X >= C.Left + 5 && Now.X < C.Right - 5 && Now.Y >= C.Top + 5 && Now.Y < C.Bottom - 5;
  if (HandleAllocated()) {
    ::SetTimer(Handle(), 2, Deep ? 100 : 10, nullptr);
    FScrollTimerOn = true;
  }
}
