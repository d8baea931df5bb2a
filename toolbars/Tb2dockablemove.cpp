// The move loop of dockable windows (dragging between docks, their rows and the floating state, live or as an
// outline) and the size loop of floating windows.
#include "toolbars/Tb2common.h"
#include "toolbars/Tb2dockable.h"

#include "platform/graphics/Cursors.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace {

bool DockAccepts(TTBDock* D, TTBCustomDockableWindow* W) {
  return D->AllowDrag() && W->DockableTo.Contains(D->Position());
}

bool ContainsControl(TWinControl* Parent, TControl* C) {
  for (TControl* P = C; P; P = P->Parent()) {
    if (P == Parent) {
      return true;
    }
  }
  return false;
}

// A form's docks that take the window, depth first: each control's docks in the order top, bottom, left, right,
// then its other windowed children, then the control itself when it is a dock.
void CollectDocks(TWinControl* C, TTBCustomDockableWindow* W, std::vector<TTBDock*>& Docks) {
  if (ContainsControl(C, W) && C != TBGetToolWindowParentForm(W)) {
    return;
  }
  if (!C->Showing()) {
    return;
  }
  auto Add = [&Docks, W](TTBDock* D) {
    if (DockAccepts(D, W) && std::find(Docks.begin(), Docks.end(), D) == Docks.end()) {
      Docks.push_back(D);
    }
  };
  for (TTBDockPosition P : {dpTop, dpBottom, dpLeft, dpRight}) {
    for (int I = 0; I < C->ControlCount(); ++I) {
      auto* D = dynamic_cast<TTBDock*>(C->Controls(I));
      if (D && D->Position() == P && D->Showing()) {
        Add(D);
      }
    }
  }
  for (int I = 0; I < C->ControlCount(); ++I) {
    auto* Child = dynamic_cast<TWinControl*>(C->Controls(I));
    if (Child && !Child->Is<TTBDock>() && Child != W && !ContainsControl(Child, W)) {
      CollectDocks(Child, W, Docks);
    }
  }
  if (auto* D = dynamic_cast<TTBDock*>(C)) {
    Add(D);
  }
}

TRect ScreenRectOf(TWinControl* C) {
  TRect R;
  GetWindowRect(C->Handle(), &R);
  return R;
}

bool Intersects(const TRect& A, const TRect& B) {
  return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

// One place the window can go: a dock (or floating, with no dock), the dock's screen rectangle, the window's
// outer size there and the dock's row thicknesses (with whether each row holds a full-size window).
struct TSizeEntry {
  TTBDock* Dock = nullptr;
  TRect ScreenRect;
  TPoint Size{0, 0};
  std::vector<std::pair<int, bool>> Rows;
};

void SetDragCursor(TCursor C) { SetCursor(Screen->Cursors(C)); }

// The desktop's context for drawing a drag outline; the desktop's painting is held until EndOutline.
HDC BeginOutline() {
  LockWindowUpdate(GetDesktopWindow());
  return GetDCEx(GetDesktopWindow(), 0, DCX_LOCKWINDOWUPDATE | DCX_CACHE | DCX_WINDOW);
}

void EndOutline(HDC DC) {
  ReleaseDC(GetDesktopWindow(), DC);
  LockWindowUpdate(0);
}

// Moves the near (left or top) or the far edge of a span by Delta, then keeps the span between Min and Max
// (0: no maximum) by that same edge.
void DragEdge(LONG& Near, LONG& Far, bool MoveNear, int Delta, int Min, int Max) {
  LONG& Edge = MoveNear ? Near : Far;
  const LONG Other = MoveNear ? Far : Near;
  const int Toward = MoveNear ? -1 : 1;  // from the fixed edge to the moved one
  Edge += Delta;
  const LONG Size = Far - Near;
  if (Size < Min) {
    Edge = Other + Toward * Min;
  } else if (Max > 0 && Size > Max) {
    Edge = Other + Toward * Max;
  }
}

}  // namespace

// One move of a dockable window with the mouse: where it may go (the docks that take it and floating), the
// window's size in each place, the place under the pointer as it moves, and applying it (at once while
// dragging smoothly, on release with an outline).
class TTBDockableWindowMover {
public:
  TTBDockableWindowMover(TTBCustomDockableWindow* AWindow, int InitX, int InitY);
  TTBDockableWindowMover(const TTBDockableWindowMover&) = delete;
  TTBDockableWindowMover& operator=(const TTBDockableWindowMover&) = delete;

  // The docks of Form (and of the window's other dock forms) that may take the window.
  void CollectTargetDocks(TCustomForm* Form);
  // The window's outer size floating and in each of the docks, and the rows of each dock.
  void MeasurePlaces();
  // Takes the mouse (and the desktop, for an outline) for the loop.
  void Capture();
  // The loop: true when the button was released, false when the move was cancelled. Gives back the capture
  // (and the desktop) on every way out.
  bool Track();
  // Applies an accepted move and puts the docks back into their normal state.
  void Finish(bool Accepted);

private:
  void EndTracking();
  TSizeEntry& EntryOf(TTBDock* D);
  // The window's rectangle in a place when the pointer is at P, keeping the grab point under the pointer.
  TRect Place(const TSizeEntry& E, TPoint P) const;
  // The dock that takes the window with the pointer at P, or null (floating).
  TTBDock* FindTarget(TPoint P);
  // Keeps the floating frame, and its caption above all, within reach on the monitor.
  void KeepFloatingRectReachable(TPoint P);
  // The row of the target dock for the window centred at Centre (across the dock); true when that is a new row.
  bool RowAt(const TSizeEntry& E, int Centre, int& Row) const;
  void Step(TPoint P);
  void Apply(bool Live);
  void ApplyDocked(bool Live);
  void ApplyFloating();

  TTBCustomDockableWindow* const W;
  TTBDock* const StartDock;
  const int StartRow;
  const int StartPos;
  bool InRowArmed = false;
  const bool Outline;
  TPoint Press;
  TPoint Grab;
  int FrameW1 = 1;
  int FrameH1 = 1;
  bool NoDocking = false;
  bool CannotFloat = false;
  std::vector<TTBDock*> Docks;
  std::vector<TSizeEntry> Entries;
  HCURSOR StartCursor = 0;
  HDC DesktopDC = 0;
  HWND Wnd = 0;
  TTBDock* Target = nullptr;
  TRect DragRect = Rect(0, 0, 0, 0);
  TPoint PrevStepPos;
  bool FirstStep = true;
  bool StartedFloating = false;
};

TTBDockableWindowMover::TTBDockableWindowMover(TTBCustomDockableWindow* AWindow, int InitX, int InitY)
    : W(AWindow),
      StartDock(AWindow->FCurrentDock),
      StartRow(AWindow->FDockRow),
      StartPos(AWindow->FDockPos),
      Outline(!AWindow->SmoothDrag) {
  if (StartDock) {
    StartDock->DragWindow = W;
    StartDock->KeepDragOrder = false;
    StartDock->DragRowOverfull = false;
    StartDock->CommitOnArrange = true;
    StartDock->ArrangeToolbars();
    InRowArmed = StartDock->DragRowOverfull;
  }
  W->FDragMode = W->SmoothDrag;
  // The grab point, inside the moved frame.
  TWinControl* Moved = W->FloatingParent() ? static_cast<TWinControl*>(W->FloatingParent()) : W;
  Press = W->ClientToScreen(Point(InitX, InitY));
  const TRect StartFrame = ScreenRectOf(Moved);
  Grab = Point(Press.X - StartFrame.Left, Press.Y - StartFrame.Top);
  FrameW1 = std::max(1, StartFrame.Width() - 1);
  FrameH1 = std::max(1, StartFrame.Height() - 1);
  NoDocking = GetKeyState(VK_CONTROL) < 0;
  CannotFloat = W->DockMode != dmCanFloat;
}

void TTBDockableWindowMover::CollectTargetDocks(TCustomForm* Form) {
  if (W->DockMode == dmCannotFloatOrChangeDocks) {
    if (StartDock) {
      Docks.push_back(StartDock);
    }
  } else {
    if (StartDock && DockAccepts(StartDock, W)) {
      Docks.push_back(StartDock);
    }
    CollectDocks(Form, W, Docks);
    const std::vector<TCustomForm*>& DockForms = W->FDockForms;
    for (int I = 0; I < Screen->FormCount(); ++I) {
      TCustomForm* F = Screen->Forms(I);
      if (F != Form && std::find(DockForms.begin(), DockForms.end(), F) != DockForms.end()) {
        CollectDocks(F, W, Docks);
      }
    }
  }
  for (TTBDock* D : Docks) {
    D->CommitPositions();
  }
}

void TTBDockableWindowMover::MeasurePlaces() {
  const TTBDockType CurType = TBGetDockTypeOf(W->FCurrentDock, W->FFloating);
  {
    TSizeEntry Floating;
    Floating.Size = W->DoArrange(false, CurType, true, nullptr);
    W->AddFloatingNCAreaToSize(Floating.Size);
    Entries.push_back(Floating);
  }
  for (TTBDock* D : Docks) {
    TSizeEntry E;
    E.Dock = D;
    E.ScreenRect = ScreenRectOf(D);
    if (D == W->FCurrentDock) {
      E.Size = Point(W->Width(), W->Height());
    } else {
      E.Size = W->DoArrange(false, CurType, false, D);
      W->AddDockedNCAreaToSize(E.Size, D->IsVertical());
    }
    for (int R = 0; R <= D->GetHighestRow(true); ++R) {
      bool Full = false;
      const int S = D->GetCurrentRowSize(R, Full);
      E.Rows.emplace_back(S, Full);
    }
    Entries.push_back(std::move(E));
  }
}

void TTBDockableWindowMover::Capture() {
  ProcessPaintMessages();
  StartCursor = GetCursor();
  if (Outline) {
    DesktopDC = BeginOutline();
  }
  Wnd = W->Handle();
  ::SetCapture(Wnd);
  PrevStepPos = Press;
  StartedFloating = W->FFloating;
}

TSizeEntry& TTBDockableWindowMover::EntryOf(TTBDock* D) {
  for (TSizeEntry& E : Entries) {
    if (E.Dock == D) {
      return E;
    }
  }
  return Entries.front();
}

TRect TTBDockableWindowMover::Place(const TSizeEntry& E, TPoint P) const {
  const int X = P.X - MulDiv(E.Size.X - 1, Grab.X, FrameW1);
  const int Y = P.Y - MulDiv(E.Size.Y - 1, Grab.Y, FrameH1);
  return Rect(X, Y, X + E.Size.X, Y + E.Size.Y);
}

bool TTBDockableWindowMover::RowAt(const TSizeEntry& E, int Centre, int& Row) const {
  // Near a row's edge the window goes into a new row before it; well inside a row that holds no full-size
  // window, into that row; past the last row, into a new one at the end.
  int Sum = 0;
  for (int I = 0; I < static_cast<int>(E.Rows.size()); ++I) {
    const int S = E.Rows[static_cast<std::size_t>(I)].first;
    if (S == 0) {
      continue;
    }
    const bool Full = W->FFullSize || E.Rows[static_cast<std::size_t>(I)].second;
    const int Band = Full ? S / 2 : S / 4;
    if (Centre < Sum + Band) {
      Row = I;
      return true;
    }
    Sum += S;
    if (!Full && Centre < Sum - Band) {
      Row = I;
      return false;
    }
  }
  Row = static_cast<int>(E.Rows.size());
  return true;
}

void TTBDockableWindowMover::ApplyDocked(bool Live) {
  TSizeEntry& E = EntryOf(Target);
  const TPoint TL = Target->ScreenToClient(Point(DragRect.Left, DragRect.Top));
  const TRect R = Rect(TL.X, TL.Y, TL.X + DragRect.Width(), TL.Y + DragRect.Height());
  const bool Vertical = Target->IsVertical();
  int Row = W->FDockRow;
  bool NewRow = false;
  if (!Target->KeepDragOrder) {
    NewRow = RowAt(E, Vertical ? (R.Left + R.Right) / 2 : (R.Top + R.Bottom) / 2, Row);
    if (NewRow) {
      InRowArmed = false;
    }
  }
  if (InRowArmed) {
    // Dragged along its own overfull row far enough, the window keeps the row's order and shrinks the others.
    const int Along = Vertical ? PrevStepPos.Y - Press.Y : PrevStepPos.X - Press.X;
    if (Target == StartDock && Row == StartRow) {
      if (std::abs(Along) > 9) {
        InRowArmed = false;
        Target->KeepDragOrder = true;
        SetDragCursor(Vertical ? crSizeNS : crSizeWE);
      }
    } else {
      InRowArmed = false;
    }
  }
  W->FDockRow = Row;
  W->FDockPos = Vertical ? R.Top : R.Left;
  W->NewRowRequested = NewRow;
  if (!Live) {
    Target->CommitOnArrange = true;
  }
  if (W->Parent() != Target) {
    W->SetParent(Target);
  } else {
    Target->ArrangeToolbars();
  }
  W->NewRowRequested = false;
}

void TTBDockableWindowMover::ApplyFloating() {
  InRowArmed = false;
  W->FFloatingPosition = Point(DragRect.Left, DragRect.Top);
  if (!W->FFloating) {
    W->SetFloating(true);
  } else if (TTBFloatingWindowParent* Frame = W->FloatingParent()) {
    Frame->SetBounds(DragRect.Left, DragRect.Top, Frame->Width(), Frame->Height());
  }
  W->MoveOnScreen(true);
}

void TTBDockableWindowMover::Apply(bool Live) {
  if (Target) {
    ApplyDocked(Live);
  } else {
    ApplyFloating();
  }
  W->Update();
}

TTBDock* TTBDockableWindowMover::FindTarget(TPoint P) {
  if (W->FCurrentDock && W->FCurrentDock->KeepDragOrder) {
    return W->FCurrentDock;
  }
  if ((FirstStep && StartedFloating) || NoDocking) {
    return nullptr;
  }
  for (TTBDock* D : Docks) {
    const TSizeEntry& E = EntryOf(D);
    TRect R = E.ScreenRect;
    GrowRect(R, 3, 3);
    const TRect WR = Place(E, P);
    const int A = 25 * Grab.X / FrameW1;
    const int C = 25 * Grab.Y / FrameH1;
    bool In = P.X >= R.Left + A - 25 && P.X < R.Right + A && P.Y >= R.Top + C - 25 && P.Y < R.Bottom + C;
    if (In && D->IsVertical()) {
      In = P.Y >= R.Top && P.Y < R.Bottom;
    }
    In = In && Intersects(WR, R);
    if (!In) {
      continue;
    }
    bool Accept = true;
    if (D->OnRequestDock) {
      D->OnRequestDock(D, W, Accept);
    }
    if (Accept) {
      return D;
    }
  }
  return nullptr;
}

void TTBDockableWindowMover::KeepFloatingRectReachable(TPoint P) {
  TRect M = GetRectOfMonitorContainingPoint(P, true);
  const TPoint B = W->GetFloatingBorderSize();
  GrowRect(M, -(B.X + 4), -(B.Y + 4));
  if (DragRect.Bottom < M.Top) {
    MoveRect(DragRect, 0, M.Top - DragRect.Bottom);
  }
  if (DragRect.Top > M.Bottom) {
    MoveRect(DragRect, 0, M.Bottom - DragRect.Top);
  }
  if (DragRect.Right < M.Left) {
    MoveRect(DragRect, M.Left - DragRect.Right, 0);
  }
  if (DragRect.Left > M.Right) {
    MoveRect(DragRect, M.Right - DragRect.Left, 0);
  }
  TPoint TL, BR;
  W->GetFloatingNCArea(TL, BR);
  const int MinTop = M.Top - TL.Y + 4;
  if (DragRect.Top < MinTop) {
    MoveRect(DragRect, 0, MinTop - DragRect.Top);
  }
}

void TTBDockableWindowMover::Step(TPoint P) {
  TTBDock* const OldTarget = Target;
  const TRect OldRect = DragRect;
  Target = FindTarget(P);
  FirstStep = false;
  if (!Target) {
    const TRect M = GetRectOfMonitorContainingPoint(P, true);
    P.X = std::clamp(P.X, M.Left, std::max(M.Left, M.Right - 1));
    P.Y = std::clamp(P.Y, M.Top, std::max(M.Top, M.Bottom - 1));
  }
  DragRect = Place(Target ? EntryOf(Target) : Entries.front(), P);
  if (!Target) {
    KeepFloatingRectReachable(P);
  }
  if (!CannotFloat || Target) {
    if (Target && Target->KeepDragOrder) {
      SetDragCursor(Target->IsVertical() ? crSizeNS : crSizeWE);
    } else {
      SetCursor(StartCursor);
    }
  } else {
    DragRect = Rect(0, 0, 0, 0);
    SetDragCursor(crNo);
  }
  if (Outline) {
    W->DrawDraggingOutline(DesktopDC, RectEmpty(DragRect) ? nullptr : &DragRect,
                           RectEmpty(OldRect) ? nullptr : &OldRect, Target != nullptr, OldTarget != nullptr);
  } else if (!RectEmpty(DragRect)) {
    Apply(true);
  }
  PrevStepPos = P;
}

void TTBDockableWindowMover::EndTracking() {
  if (GetCapture() == Wnd) {
    ReleaseCapture();
  }
  if (Outline) {
    W->DrawDraggingOutline(DesktopDC, nullptr, RectEmpty(DragRect) ? nullptr : &DragRect, false,
                           Target != nullptr);
    EndOutline(DesktopDC);
  }
  W->FDragMode = false;
}

bool TTBDockableWindowMover::Track() {
  struct TEnd {
    TTBDockableWindowMover* M;
    ~TEnd() { M->EndTracking(); }
  } End{this};
  Step(Press);
  TPoint Last = Press;
  MSG Msg;
  while (TBNextCaptureMessage(Wnd, Msg)) {
    if (Msg.message == WM_KEYDOWN || Msg.message == WM_KEYUP || Msg.message == WM_SYSKEYDOWN ||
        Msg.message == WM_SYSKEYUP) {
      if (Msg.wParam == VK_CONTROL) {
        // Ctrl held keeps the window from docking.
        const bool Down = Msg.message == WM_KEYDOWN || Msg.message == WM_SYSKEYDOWN;
        if (Down != NoDocking) {
          NoDocking = Down;
          Step(Last);
        }
      } else if (Msg.wParam == VK_ESCAPE && Msg.message == WM_KEYDOWN) {
        return false;
      }
      continue;
    }
    if (Msg.message == WM_MOUSEMOVE) {
      const TPoint P = TBMessagePoint(Msg);
      if (P.X != Last.X || P.Y != Last.Y) {
        Step(P);
        Last = P;
      }
      continue;
    }
    if (Msg.message == WM_LBUTTONUP) {
      return true;
    }
    if (Msg.message == WM_LBUTTONDOWN || Msg.message == WM_LBUTTONDBLCLK) {
      return false;
    }
    TBDispatchCaptureMessage(Msg);
  }
  return false;
}

void TTBDockableWindowMover::Finish(bool Accepted) {
  if (Accepted && !RectEmpty(DragRect)) {
    Apply(false);
  }
  if (W->FUseLastDock && W->FCurrentDock) {
    W->SetLastDock(W->FCurrentDock);
  }
  if (W->FFloatFrameCache && W->FFloatFrameCache != W->Parent()) {
    delete W->FFloatFrameCache;
    W->FFloatFrameCache = nullptr;
  }
  if (StartDock && StartDock->DragWindow == W) {
    StartDock->DragWindow = nullptr;
    StartDock->KeepDragOrder = false;
  }
  if (!W->FDocked) {
    W->FDockRow = StartRow;
    W->FDockPos = StartPos;
  }
}

void TTBCustomDockableWindow::BeginMoving(int InitX, int InitY) {
  TCustomForm* Form = TBGetToolWindowParentForm(this);
  if (!Form) {
    return;
  }
  TTBDockableWindowMover Mover(this, InitX, InitY);
  Mover.CollectTargetDocks(Form);
  Mover.MeasurePlaces();
  Mover.Capture();
  const bool Accepted = Mover.Track();
  Mover.Finish(Accepted);
}

void TTBCustomDockableWindow::BeginSizing(TTBSizeHandle SizeHandle) {
  TTBFloatingWindowParent* Frame = FloatingParent();
  if (!Frame) {
    return;
  }
  int MinW = 0, MinH = 0, MaxW = 0, MaxH = 0;
  GetMinMaxSize(MinW, MinH, MaxW, MaxH);
  const int NCW = Frame->Width() - Frame->ClientWidth();
  const int NCH = Frame->Height() - Frame->ClientHeight();
  MinW += NCW;
  MinH += NCH;
  MaxW = MaxW > 0 ? MaxW + NCW : 0;
  MaxH = MaxH > 0 ? MaxH + NCH : 0;
  const bool SizeX = SizeHandle != twshTop && SizeHandle != twshBottom;
  const bool FromLeft = SizeHandle == twshLeft || SizeHandle == twshTopLeft || SizeHandle == twshBottomLeft;
  const bool SizeY = SizeHandle != twshLeft && SizeHandle != twshRight;
  const bool FromTop = SizeHandle == twshTop || SizeHandle == twshTopLeft || SizeHandle == twshTopRight;
  ResizeBegin(SizeHandle);
  struct TResizeEnd {
    TTBCustomDockableWindow* W;
    ~TResizeEnd() { W->ResizeEnd(); }
  } ResizeEndGuard{this};
  ProcessPaintMessages();
  const bool Outline = !SmoothDrag;
  HDC DesktopDC = 0;
  if (Outline) {
    DesktopDC = BeginOutline();
  }
  const HWND Wnd = Frame->Handle();
  ::SetCapture(Wnd);
  if (DockableWindowStyles.Contains(tbdsResizeClipCursor) && !UsingMultipleMonitors()) {
    const TRect Primary = GetRectOfPrimaryMonitor(false);
    ClipCursor(&Primary);
  }
  const TRect Start = Frame->BoundsRect();
  TRect Current = Start;
  if (Outline) {
    DrawDraggingOutline(DesktopDC, &Current, nullptr, false, false);
  }
  // Where the press was: the message's own position, not the pointer's now.
  const DWORD Pos = GetMessagePos();
  const TPoint StartPos = Point(static_cast<short>(LOWORD(Pos)), static_cast<short>(HIWORD(Pos)));
  auto Apply = [&](const TRect& R) {
    BeginUpdate();
    try {
      ResizeTrackAccept();
      TTBFloatingWindowParent* F = FloatingParent();
      if (F) {
        F->SetBounds(R.Left, R.Top, R.Width(), R.Height());
        FFloatingPosition = Point(R.Left, R.Top);
        SetBounds(0, 0, F->ClientWidth(), F->ClientHeight());
      }
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    MoveOnScreen(true);
  };
  bool Accepted = false;
  {
    struct TEnd {
      HWND Wnd;
      bool Outline;
      HDC DC;
      TTBCustomDockableWindow* W;
      TRect& Current;
      ~TEnd() {
        if (GetCapture() == Wnd) {
          ReleaseCapture();
        }
        ClipCursor(nullptr);
        if (Outline) {
          W->DrawDraggingOutline(DC, nullptr, &Current, false, false);
          EndOutline(DC);
        }
      }
    } End{Wnd, Outline, DesktopDC, this, Current};
    MSG Msg;
    TPoint Last = StartPos;
    while (TBNextCaptureMessage(Wnd, Msg)) {
      if (Msg.message == WM_KEYDOWN && Msg.wParam == VK_ESCAPE) {
        break;
      }
      if (Msg.message == WM_LBUTTONUP) {
        Accepted = true;
        break;
      }
      if (Msg.message == WM_LBUTTONDOWN || Msg.message == WM_LBUTTONDBLCLK) {
        break;
      }
      if (Msg.message != WM_MOUSEMOVE) {
        TBDispatchCaptureMessage(Msg);
        continue;
      }
      const TPoint P = TBMessagePoint(Msg);
      if (P.X == Last.X && P.Y == Last.Y) {
        continue;
      }
      Last = P;
      TRect R = Start;
      if (SizeX) {
        DragEdge(R.Left, R.Right, FromLeft, P.X - StartPos.X, MinW, MaxW);
      }
      if (SizeY) {
        DragEdge(R.Top, R.Bottom, FromTop, P.Y - StartPos.Y, MinH, MaxH);
      }
      ResizeTrack(R, Start);
      if (Outline) {
        DrawDraggingOutline(DesktopDC, &R, &Current, false, false);
        Current = R;
      } else {
        Current = R;
        Apply(R);
      }
    }
  }
  if (Outline && Accepted) {
    Apply(Current);
  }
}
