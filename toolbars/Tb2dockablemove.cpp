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

}  // namespace

void TTBCustomDockableWindow::BeginMoving(int InitX, int InitY) {
  TCustomForm* Form = TBGetToolWindowParentForm(this);
  if (!Form) {
    return;
  }
  TTBDock* const StartDock = FCurrentDock;
  const int StartRow = FDockRow;
  const int StartPos = FDockPos;
  bool InRowArmed = false;
  if (StartDock) {
    StartDock->DragWindow = this;
    StartDock->KeepDragOrder = false;
    StartDock->DragRowOverfull = false;
    StartDock->CommitOnArrange = true;
    StartDock->ArrangeToolbars();
    InRowArmed = StartDock->DragRowOverfull;
  }
  FDragMode = SmoothDrag;
  const bool Outline = !SmoothDrag;
  // The grab point, inside the moved frame.
  TWinControl* Moved = FloatingParent() ? static_cast<TWinControl*>(FloatingParent()) : this;
  const TPoint Press = ClientToScreen(Point(InitX, InitY));
  const TRect StartFrame = ScreenRectOf(Moved);
  const TPoint Grab = Point(Press.X - StartFrame.Left, Press.Y - StartFrame.Top);
  const int FrameW1 = std::max(1, StartFrame.Width() - 1);
  const int FrameH1 = std::max(1, StartFrame.Height() - 1);
  bool NoDocking = GetKeyState(VK_CONTROL) < 0;
  const bool CannotFloat = DockMode != dmCanFloat;
  // The docks that may take the window.
  std::vector<TTBDock*> Docks;
  if (DockMode == dmCannotFloatOrChangeDocks) {
    if (StartDock) {
      Docks.push_back(StartDock);
    }
  } else {
    if (StartDock && DockAccepts(StartDock, this)) {
      Docks.push_back(StartDock);
    }
    CollectDocks(Form, this, Docks);
    for (int I = 0; I < Screen->FormCount(); ++I) {
      TCustomForm* F = Screen->Forms(I);
      if (F != Form && std::find(FDockForms.begin(), FDockForms.end(), F) != FDockForms.end()) {
        CollectDocks(F, this, Docks);
      }
    }
  }
  for (TTBDock* D : Docks) {
    D->CommitPositions();
  }
  const TTBDockType CurType = TBGetDockTypeOf(FCurrentDock, FFloating);
  std::vector<TSizeEntry> Entries;
  {
    TSizeEntry Floating;
    Floating.Size = DoArrange(false, CurType, true, nullptr);
    AddFloatingNCAreaToSize(Floating.Size);
    Entries.push_back(Floating);
  }
  for (TTBDock* D : Docks) {
    TSizeEntry E;
    E.Dock = D;
    E.ScreenRect = ScreenRectOf(D);
    if (D == FCurrentDock) {
      E.Size = Point(Width(), Height());
    } else {
      E.Size = DoArrange(false, CurType, false, D);
      AddDockedNCAreaToSize(E.Size, D->IsVertical());
    }
    for (int R = 0; R <= D->GetHighestRow(true); ++R) {
      bool Full = false;
      const int S = D->GetCurrentRowSize(R, Full);
      E.Rows.emplace_back(S, Full);
    }
    Entries.push_back(std::move(E));
  }
  ProcessPaintMessages();
  const HCURSOR StartCursor = GetCursor();
  HDC DesktopDC = 0;
  if (Outline) {
    LockWindowUpdate(GetDesktopWindow());
    DesktopDC = GetDCEx(GetDesktopWindow(), 0, DCX_LOCKWINDOWUPDATE | DCX_CACHE | DCX_WINDOW);
  }
  const HWND Wnd = Handle();
  ::SetCapture(Wnd);
  TTBDock* Target = nullptr;
  TRect DragRect = Rect(0, 0, 0, 0);
  TPoint Last = Press;
  TPoint PrevStepPos = Press;
  bool FirstStep = true;
  const bool StartedFloating = FFloating;

  auto EntryOf = [&Entries](TTBDock* D) -> TSizeEntry& {
    for (TSizeEntry& E : Entries) {
      if (E.Dock == D) {
        return E;
      }
    }
    return Entries.front();
  };
  auto Place = [&](const TSizeEntry& E, TPoint P) {
    const int X = P.X - MulDiv(E.Size.X - 1, Grab.X, FrameW1);
    const int Y = P.Y - MulDiv(E.Size.Y - 1, Grab.Y, FrameH1);
    return Rect(X, Y, X + E.Size.X, Y + E.Size.Y);
  };
  auto Apply = [&](bool Live) {
    if (Target) {
      TSizeEntry& E = EntryOf(Target);
      const TPoint TL = Target->ScreenToClient(Point(DragRect.Left, DragRect.Top));
      const TRect R = Rect(TL.X, TL.Y, TL.X + DragRect.Width(), TL.Y + DragRect.Height());
      const bool Vertical = Target->IsVertical();
      int Row = FDockRow;
      bool NewRow = false;
      if (!Target->KeepDragOrder) {
        const int Centre = Vertical ? (R.Left + R.Right) / 2 : (R.Top + R.Bottom) / 2;
        int Sum = 0;
        bool Found = false;
        for (int I = 0; I < static_cast<int>(E.Rows.size()) && !Found; ++I) {
          const int S = E.Rows[static_cast<std::size_t>(I)].first;
          if (S == 0) {
            continue;
          }
          const bool Full = FFullSize || E.Rows[static_cast<std::size_t>(I)].second;
          const int Band = Full ? S / 2 : S / 4;
          if (Centre < Sum + Band) {
            Row = I;
            NewRow = true;
            Found = true;
            break;
          }
          Sum += S;
          if (!Full && Centre < Sum - Band) {
            Row = I;
            Found = true;
          }
        }
        if (!Found) {
          Row = static_cast<int>(E.Rows.size());
          NewRow = true;
        }
        if (NewRow) {
          InRowArmed = false;
        }
      }
      if (InRowArmed) {
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
      FDockRow = Row;
      FDockPos = Vertical ? R.Top : R.Left;
      NewRowRequested = NewRow;
      if (!Live) {
        Target->CommitOnArrange = true;
      }
      if (Parent() != Target) {
        SetParent(Target);
      } else {
        Target->ArrangeToolbars();
      }
      NewRowRequested = false;
    } else {
      InRowArmed = false;
      FFloatingPosition = Point(DragRect.Left, DragRect.Top);
      if (!FFloating) {
        SetFloating(true);
      } else if (TTBFloatingWindowParent* Frame = FloatingParent()) {
        Frame->SetBounds(DragRect.Left, DragRect.Top, Frame->Width(), Frame->Height());
      }
      MoveOnScreen(true);
    }
    Update();
  };
  auto Step = [&](TPoint P) {
    TTBDock* const OldTarget = Target;
    const TRect OldRect = DragRect;
    Target = nullptr;
    if (FCurrentDock && FCurrentDock->KeepDragOrder) {
      Target = FCurrentDock;
    } else if (!(FirstStep && StartedFloating) && !NoDocking) {
      for (TTBDock* D : Docks) {
        const TSizeEntry& E = EntryOf(D);
        TRect R = E.ScreenRect;
        GrowRect(R, 3, 3);
        const TRect W = Place(E, P);
        const int A = 25 * Grab.X / FrameW1;
        const int C = 25 * Grab.Y / FrameH1;
        bool In = P.X >= R.Left + A - 25 && P.X < R.Right + A && P.Y >= R.Top + C - 25 && P.Y < R.Bottom + C;
        if (In && D->IsVertical()) {
          In = P.Y >= R.Top && P.Y < R.Bottom;
        }
        In = In && Intersects(W, R);
        if (!In) {
          continue;
        }
        bool Accept = true;
        if (D->OnRequestDock) {
          D->OnRequestDock(D, this, Accept);
        }
        if (Accept) {
          Target = D;
          break;
        }
      }
    }
    FirstStep = false;
    if (!Target) {
      const TRect M = GetRectOfMonitorContainingPoint(P, true);
      P.X = std::clamp(P.X, M.Left, std::max(M.Left, M.Right - 1));
      P.Y = std::clamp(P.Y, M.Top, std::max(M.Top, M.Bottom - 1));
    }
    DragRect = Place(Target ? EntryOf(Target) : Entries.front(), P);
    if (!Target) {
      // Keep the floating frame, and its caption above all, within reach on the monitor.
      TRect M = GetRectOfMonitorContainingPoint(P, true);
      const TPoint B = GetFloatingBorderSize();
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
      GetFloatingNCArea(TL, BR);
      const int MinTop = M.Top - TL.Y + 4;
      if (DragRect.Top < MinTop) {
        MoveRect(DragRect, 0, MinTop - DragRect.Top);
      }
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
      DrawDraggingOutline(DesktopDC, RectEmpty(DragRect) ? nullptr : &DragRect, RectEmpty(OldRect) ? nullptr : &OldRect,
                          Target != nullptr, OldTarget != nullptr);
    } else if (!RectEmpty(DragRect)) {
      Apply(true);
    }
    PrevStepPos = P;
  };

  bool Accepted = false;
  struct TEnd {
    TTBCustomDockableWindow* W;
    HWND Wnd;
    bool Outline;
    HDC& DC;
    TRect& DragRect;
    TTBDock*& Target;
    ~TEnd() {
      if (GetCapture() == Wnd) {
        ReleaseCapture();
      }
      if (Outline) {
        W->DrawDraggingOutline(DC, nullptr, RectEmpty(DragRect) ? nullptr : &DragRect, false, Target != nullptr);
        ReleaseDC(GetDesktopWindow(), DC);
        LockWindowUpdate(0);
      }
      W->FDragMode = false;
    }
  };
  {
    TEnd End{this, Wnd, Outline, DesktopDC, DragRect, Target};
    Step(Press);
    MSG Msg;
    bool Idle = false;
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
      if (Msg.message == WM_KEYDOWN || Msg.message == WM_KEYUP || Msg.message == WM_SYSKEYDOWN ||
          Msg.message == WM_SYSKEYUP) {
        if (Msg.wParam == VK_CONTROL) {
          const bool Down = Msg.message == WM_KEYDOWN || Msg.message == WM_SYSKEYDOWN;
          if (Down != NoDocking) {
            NoDocking = Down;
            Step(Last);
          }
        } else if (Msg.wParam == VK_ESCAPE && Msg.message == WM_KEYDOWN) {
          break;
        }
        continue;
      }
      if (Msg.message >= WM_KEYFIRST && Msg.message <= WM_KEYLAST) {
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
        Accepted = true;
        break;
      }
      if (Msg.message == WM_LBUTTONDOWN || Msg.message == WM_LBUTTONDBLCLK) {
        break;
      }
      if (Msg.message >= WM_MOUSEFIRST && Msg.message <= WM_MBUTTONDBLCLK) {
        continue;
      }
      TranslateMessage(&Msg);
      DispatchMessage(&Msg);
    }
  }
  if (Accepted && !RectEmpty(DragRect)) {
    Apply(false);
  }
  if (FUseLastDock && FCurrentDock) {
    SetLastDock(FCurrentDock);
  }
  if (FFloatFrameCache && FFloatFrameCache != Parent()) {
    delete FFloatFrameCache;
    FFloatFrameCache = nullptr;
  }
  if (StartDock && StartDock->DragWindow == this) {
    StartDock->DragWindow = nullptr;
    StartDock->KeepDragOrder = false;
  }
  if (!FDocked) {
    FDockRow = StartRow;
    FDockPos = StartPos;
  }
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
    LockWindowUpdate(GetDesktopWindow());
    DesktopDC = GetDCEx(GetDesktopWindow(), 0, DCX_LOCKWINDOWUPDATE | DCX_CACHE | DCX_WINDOW);
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
          ReleaseDC(GetDesktopWindow(), DC);
          LockWindowUpdate(0);
        }
      }
    } End{Wnd, Outline, DesktopDC, this, Current};
    MSG Msg;
    bool Idle = false;
    TPoint Last = StartPos;
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
      if ((Msg.message >= WM_KEYFIRST && Msg.message <= WM_KEYLAST) ||
          (Msg.message >= WM_RBUTTONDOWN && Msg.message <= WM_MBUTTONDBLCLK)) {
        continue;
      }
      if (Msg.message != WM_MOUSEMOVE) {
        TranslateMessage(&Msg);
        DispatchMessage(&Msg);
        continue;
      }
      const TPoint P = TBMessagePoint(Msg);
      if (P.X == Last.X && P.Y == Last.Y) {
        continue;
      }
      Last = P;
      TRect R = Start;
      if (SizeX) {
        const int DX = P.X - StartPos.X;
        if (FromLeft) {
          R.Left += DX;
          if (R.Width() < MinW) {
            R.Left = R.Right - MinW;
          } else if (MaxW > 0 && R.Width() > MaxW) {
            R.Left = R.Right - MaxW;
          }
        } else {
          R.Right += DX;
          if (R.Width() < MinW) {
            R.Right = R.Left + MinW;
          } else if (MaxW > 0 && R.Width() > MaxW) {
            R.Right = R.Left + MaxW;
          }
        }
      }
      if (SizeY) {
        const int DY = P.Y - StartPos.Y;
        if (FromTop) {
          R.Top += DY;
          if (R.Height() < MinH) {
            R.Top = R.Bottom - MinH;
          } else if (MaxH > 0 && R.Height() > MaxH) {
            R.Top = R.Bottom - MaxH;
          }
        } else {
          R.Bottom += DY;
          if (R.Height() < MinH) {
            R.Bottom = R.Top + MinH;
          } else if (MaxH > 0 && R.Height() > MaxH) {
            R.Bottom = R.Top + MaxH;
          }
        }
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
