// The move loop of dockable windows: dragging between the docks of the form, their rows and the floating state.
#include "toolbars/Tb2common.h"
#include "toolbars/Tb2dockable.h"

#include <algorithm>

namespace {

// The docks of a form that take the window, depth first, each edge's docks in the order top, bottom, left, right.
void CollectDocks(TWinControl* Parent, TTBCustomDockableWindow* W, std::vector<TTBDock*>& Docks) {
  for (TTBDockPosition P : {dpTop, dpBottom, dpLeft, dpRight}) {
    for (int I = 0; I < Parent->ControlCount(); ++I) {
      auto* D = dynamic_cast<TTBDock*>(Parent->Controls(I));
      if (D && D->Position() == P && D->Showing() && D->AllowDrag() && W->DockableTo.Contains(P) &&
          std::find(Docks.begin(), Docks.end(), D) == Docks.end()) {
        Docks.push_back(D);
      }
    }
  }
  for (int I = 0; I < Parent->ControlCount(); ++I) {
    auto* C = dynamic_cast<TWinControl*>(Parent->Controls(I));
    if (C && !C->Is<TTBDock>() && C != W && C->Showing()) {
      CollectDocks(C, W, Docks);
    }
  }
}

TRect ScreenRectOf(TWinControl* C) {
  const TPoint TL = C->Parent() ? C->Parent()->ClientToScreen(Point(C->Left(), C->Top())) : Point(C->Left(), C->Top());
  return Rect(TL.X, TL.Y, TL.X + C->Width(), TL.Y + C->Height());
}

}  // namespace

void TTBCustomDockableWindow::BeginMoving(int InitX, int InitY) {
  TCustomForm* Form = TBGetToolWindowParentForm(this);
  if (!Form) {
    return;
  }
  TTBDock* StartDock = FCurrentDock;
  const int StartRow = FDockRow;
  const int StartPos = FDockPos;
  if (StartDock) {
    StartDock->DragWindow = this;
    StartDock->KeepDragOrder = false;
    StartDock->DragRowOverfull = false;
    StartDock->CommitOnArrange = true;
    StartDock->ArrangeToolbars();
  }
  std::vector<TTBDock*> Docks;
  if (DockMode == dmCannotFloatOrChangeDocks) {
    if (StartDock) {
      Docks.push_back(StartDock);
    }
  } else {
    CollectDocks(Form, this, Docks);
  }
  for (TTBDock* D : Docks) {
    D->CommitPositions();
  }
  // The grab point, as a share of the moved frame.
  TWinControl* Moved = FloatingParent() ? static_cast<TWinControl*>(FloatingParent()) : this;
  const TPoint Press = ClientToScreen(Point(InitX, InitY));
  const TRect StartFrame = ScreenRectOf(Moved);
  const TPoint Grab = Point(Press.X - StartFrame.Left, Press.Y - StartFrame.Top);
  const bool CannotFloat = DockMode != dmCanFloat;
  FDragMode = true;
  const HWND Wnd = Handle();
  ::SetCapture(Wnd);
  auto Step = [&](TPoint P, bool LookForDocks) {
    TTBDock* Target = nullptr;
    if (LookForDocks) {
      for (TTBDock* D : Docks) {
        TRect R = ScreenRectOf(D);
        R = Rect(R.Left - 3, R.Top - 3, R.Right + 3, R.Bottom + 3);
        const int A = 25 * Grab.X / std::max(1, StartFrame.Width() - 1);
        const int C = 25 * Grab.Y / std::max(1, StartFrame.Height() - 1);
        bool In = P.X >= R.Left + A - 25 && P.X < R.Right + A && P.Y >= R.Top + C - 25 && P.Y < R.Bottom + C;
        if (In && D->IsVertical()) {
          In = P.Y >= R.Top && P.Y < R.Bottom;
        }
        bool Accept = true;
        if (In && D->OnRequestDock) {
          D->OnRequestDock(D, this, Accept);
        }
        if (In && Accept) {
          Target = D;
          break;
        }
      }
    }
    const TPoint TopLeft = Point(P.X - Grab.X, P.Y - Grab.Y);
    if (Target) {
      const TPoint Local = Target->ScreenToClient(TopLeft);
      const bool Vertical = Target->IsVertical();
      const int Centre = Vertical ? Local.X + Width() / 2 : Local.Y + Height() / 2;
      // The row under the centre: near a row's edge a new row is asked for before it, else the row is joined.
      int Row = 0;
      int Sum = 0;
      bool NewRow = false;
      bool Found = false;
      const int Highest = Target->GetHighestRow(true);
      for (int R = 0; R <= Highest && !Found; ++R) {
        bool FullRow = false;
        const int S = Target->GetCurrentRowSize(R, FullRow);
        if (S == 0) {
          continue;
        }
        const bool Full = FFullSize || FullRow;
        const int Band = Full ? S / 2 : S / 4;
        if (Centre < Sum + Band) {
          Row = R;
          NewRow = true;
          Found = true;
          break;
        }
        Sum += S;
        if (!Full && Centre < Sum - Band) {
          Row = R;
          Found = true;
        }
      }
      if (!Found) {
        Row = Highest + 1;
        NewRow = true;
      }
      FDockRow = Row;
      FDockPos = std::max(0, Vertical ? Local.Y : Local.X);
      NewRowRequested = NewRow;
      if (Parent() != Target) {
        SetParent(Target);
      } else {
        Target->ArrangeToolbars();
      }
      Target->CommitOnArrange = true;
      Target->ArrangeToolbars();
      NewRowRequested = false;
    } else if (!CannotFloat) {
      FFloatingPosition = TopLeft;
      if (!FFloating) {
        SetFloating(true);
      } else if (TTBFloatingWindowParent* Frame = FloatingParent()) {
        Frame->SetBounds(TopLeft.X, TopLeft.Y, Frame->Width(), Frame->Height());
      }
    }
  };
  struct TEnd {
    TTBCustomDockableWindow* W;
    HWND Wnd;
    ~TEnd() {
      if (GetCapture() == Wnd) {
        ReleaseCapture();
      }
      W->FDragMode = false;
    }
  } End{this, Wnd};
  MSG Msg;
  bool Idle = false;
  TPoint Last = Press;
  bool Canceled = false;
  while (GetCapture() == Wnd) {
    if (Idle) {
      WaitMessage();
    }
    if (!PeekMessage(&Msg, 0, 0, 0, PM_REMOVE)) {
      Idle = true;
      continue;
    }
    Idle = false;
    if (Msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(Msg.wParam));
      break;
    }
    if (Msg.message == WM_LBUTTONUP) {
      break;
    }
    if (Msg.message == WM_KEYDOWN && Msg.wParam == VK_ESCAPE) {
      Canceled = true;
      break;
    }
    if ((Msg.message >= WM_KEYFIRST && Msg.message <= WM_KEYLAST) ||
        (Msg.message >= WM_LBUTTONDOWN && Msg.message <= WM_MBUTTONDBLCLK)) {
      continue;
    }
    if (Msg.message == WM_MOUSEMOVE) {
      const TPoint P = TBMessagePoint(Msg);
      if (P.X != Last.X || P.Y != Last.Y) {
        Last = P;
        Step(P, true);
      }
      continue;
    }
    TranslateMessage(&Msg);
    DispatchMessage(&Msg);
  }
  (void)Canceled;  // a live drag keeps where the window went
  if (FUseLastDock && FCurrentDock) {
    SetLastDock(FCurrentDock);
  }
  if (StartDock && StartDock->DragWindow == this) {
    StartDock->DragWindow = nullptr;
  }
  if (FFloatFrameCache && FFloatFrameCache != Parent()) {
    delete FFloatFrameCache;
    FFloatFrameCache = nullptr;
  }
  if (!FDocked) {
    FDockRow = StartRow;
    FDockPos = StartPos;
  }
}
