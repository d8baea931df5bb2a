// Window geometry: frames and client rectangles, positions and z-order, showing, minimising and maximising,
// coordinate mapping and the windows under a point.
#include "platform/win/WindowInternals.h"
#include "platform/win/SystemParams.h"

#include <algorithm>

using namespace WindowSystem;

namespace {

void Notify(HWND Wnd, TWindowChange What) {
  if (What == TWindowChange::Visibility && IsWindowVisible(Wnd)) {
    WindowBackend();  // a window that comes to show needs the toolkit
  }
  if (auto* B = ExistingWindowBackend()) {
    B->WindowChanged(Wnd, What);
  }
}

TRect Offset(TRect R, LONG Dx, LONG Dy) { return Rect(R.Left + Dx, R.Top + Dy, R.Right + Dx, R.Bottom + Dy); }

bool Contains(const TRect& R, TPoint P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

TRect TestScreen;

TRect WorkArea() {
  if (TestScreen.Right > TestScreen.Left && TestScreen.Bottom > TestScreen.Top) {
    return TestScreen;
  }
  if (auto* B = WindowBackend()) {
    return B->ScreenRect();
  }
  return Rect(0, 0, 800, 600);
}

}  // namespace

namespace {

void RestackWindow(const PWindowRec& R, HWND InsertAfter) {
  auto IsTopmost = [](HWND W) {
    auto X = Find(W);
    return X && (X->ExStyle & WS_EX_TOPMOST);
  };
  std::lock_guard G(TableLock());
  std::vector<HWND> List = ChildrenOf(R->Parent);
  if (R->MessageOnly) {
    return;
  }
  auto It = std::find(List.begin(), List.end(), R->Handle);
  if (It == List.end()) {
    return;
  }
  List.erase(It);
  if (InsertAfter == HWND_TOPMOST) {
    R->ExStyle |= WS_EX_TOPMOST;
  } else if (InsertAfter == HWND_NOTOPMOST) {
    R->ExStyle &= ~WS_EX_TOPMOST;
  }
  auto Pos = List.begin();
  if (InsertAfter == HWND_BOTTOM) {
    Pos = List.end();
    if (!R->Parent && (R->ExStyle & WS_EX_TOPMOST)) {
      R->ExStyle &= ~WS_EX_TOPMOST;  // a topmost window sent to the bottom loses its topmost place
    }
  } else if (InsertAfter == HWND_TOP || InsertAfter == HWND_TOPMOST || InsertAfter == HWND_NOTOPMOST) {
    if (!R->Parent && !(R->ExStyle & WS_EX_TOPMOST)) {
      while (Pos != List.end() && IsTopmost(*Pos)) {
        ++Pos;
      }
    }
  } else {
    Pos = std::find(List.begin(), List.end(), InsertAfter);
    Pos = Pos == List.end() ? List.begin() : Pos + 1;
  }
  List.insert(Pos, R->Handle);
  if (R->Parent) {
    Find(R->Parent)->Children = List;
  } else {
    ReorderTopLevel(List);
  }
}

}  // namespace

namespace WindowSystem {

TRect DefaultClientRect(DWORD Style, DWORD ExStyle, const TRect& W) {
  TRect C = W;
  auto Inset = [&](LONG Dx, LONG Dy) {
    C.Left += Dx;
    C.Right -= Dx;
    C.Top += Dy;
    C.Bottom -= Dy;
  };
  if (!(Style & WS_MINIMIZE)) {
    if (Style & WS_THICKFRAME) {
      Inset(GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME));
    } else if ((Style & WS_DLGFRAME) || (ExStyle & WS_EX_DLGMODALFRAME)) {
      Inset(GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME));
    } else if (Style & WS_BORDER) {
      Inset(GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER));
    }
    if ((Style & WS_CAPTION) == WS_CAPTION) {
      C.Top += (ExStyle & WS_EX_TOOLWINDOW) ? GetSystemMetrics(SM_CYSMCAPTION) : GetSystemMetrics(SM_CYCAPTION);
    }
    if (ExStyle & WS_EX_CLIENTEDGE) {
      Inset(GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE));
    }
    if (ExStyle & WS_EX_STATICEDGE) {
      Inset(GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER));
    }
    if (Style & WS_VSCROLL) {
      C.Right -= GetSystemMetrics(SM_CXVSCROLL);
    }
    if (Style & WS_HSCROLL) {
      C.Bottom -= GetSystemMetrics(SM_CYHSCROLL);
    }
  }
  C.Right = std::max(C.Right, C.Left);
  C.Bottom = std::max(C.Bottom, C.Top);
  return C;
}

void RecalcClient(const PWindowRec& R) {
  TRect Rc = R->Window;
  SendMessage(R->Handle, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&Rc));
  R->Client = Rc;
}

TPoint ClientOriginOnScreen(HWND Wnd) {
  TPoint P;
  for (auto R = Find(Wnd); R; R = Find(R->Parent)) {
    P.X += R->Client.Left;
    P.Y += R->Client.Top;
  }
  return P;
}

TRect WindowRectOnScreen(HWND Wnd) {
  auto R = Find(Wnd);
  if (!R) {
    return {};
  }
  TPoint O = ClientOriginOnScreen(R->Parent);
  return Offset(R->Window, O.X, O.Y);
}

}  // namespace WindowSystem

void SetScreenRectForTests(TRect R) { TestScreen = R; }

namespace {

bool CursorClipped = false;
TRect CursorClip;

}  // namespace

BOOL ClipCursor(const RECT* Rect) {
  CursorClipped = Rect != nullptr;
  CursorClip = Rect ? *Rect : TRect{};
  return TRUE;
}

BOOL GetClipCursor(RECT* Rect) {
  if (!Rect) {
    return FALSE;
  }
  *Rect = CursorClipped ? CursorClip : WorkArea();
  return TRUE;
}

TRect ScreenRectForTests() { return TestScreen; }

int GetSystemMetrics(int Index) {
  switch (Index) {
    case SM_CXSCREEN: case SM_CXFULLSCREEN: case SM_CXVIRTUALSCREEN: case SM_CXMAXIMIZED:
      return WorkArea().Width();
    case SM_CYSCREEN: case SM_CYFULLSCREEN: case SM_CYVIRTUALSCREEN: case SM_CYMAXIMIZED:
      return WorkArea().Height();
    case SM_CXMAXTRACK: return WorkArea().Width() + 12;
    case SM_CYMAXTRACK: return WorkArea().Height() + 12;
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL: case SM_CYVTHUMB:
    case SM_CXHTHUMB: case SM_CXSMICON: case SM_CYSMICON:
      return 16;
    case SM_CYCAPTION: return 19;
    case SM_CYSMCAPTION: return 15;
    case SM_CYMENU: return 19;
    case SM_CXMENUCHECK: case SM_CYMENUCHECK: return 13;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: case SM_CXDRAG: case SM_CYDRAG: return 4;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXMINTRACK: return 112;
    case SM_CYMINTRACK: return 27;
    case SM_CXSIZE: return 18;
    case SM_CYSIZE: return 18;
    case SM_MOUSEPRESENT: case SM_MOUSEWHEELPRESENT: case SM_CMONITORS: return 1;
    case SM_MENUDROPALIGNMENT: {
      BOOL Right = FALSE;
      SystemParametersInfo(SPI_GETMENUDROPALIGNMENT, 0, &Right, 0);
      return Right ? 1 : 0;
    }
    default: return 0;
  }
}

BOOL AdjustWindowRectEx(TRect* Rc, DWORD Style, BOOL Menu, DWORD ExStyle) {
  if (!Rc) {
    return FALSE;
  }
  // The frame is the same on every side except the top; measure it on a large rectangle.
  TRect Big = Rect(0, 0, 10000, 10000);
  TRect C = DefaultClientRect(Style & ~(WS_VSCROLL | WS_HSCROLL), ExStyle, Big);
  Rc->Left -= C.Left;
  Rc->Top -= C.Top + (Menu ? GetSystemMetrics(SM_CYMENU) : 0);
  Rc->Right += Big.Right - C.Right;
  Rc->Bottom += Big.Bottom - C.Bottom;
  return TRUE;
}

// ---- Rectangles and mapping ---------------------------------------------------------------------------------------

BOOL GetWindowRect(HWND Wnd, TRect* Rc) {
  if (!IsWindow(Wnd) || !Rc) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  *Rc = WindowRectOnScreen(Wnd);
  return TRUE;
}

BOOL GetClientRect(HWND Wnd, TRect* Rc) {
  auto R = Find(Wnd);
  if (!R || !Rc) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  *Rc = Rect(0, 0, R->Client.Width(), R->Client.Height());
  return TRUE;
}

BOOL ClientToScreen(HWND Wnd, TPoint* P) {
  if (!IsWindow(Wnd) || !P) {
    return FALSE;
  }
  TPoint O = ClientOriginOnScreen(Wnd);
  P->X += O.X;
  P->Y += O.Y;
  return TRUE;
}

BOOL ScreenToClient(HWND Wnd, TPoint* P) {
  if (!IsWindow(Wnd) || !P) {
    return FALSE;
  }
  TPoint O = ClientOriginOnScreen(Wnd);
  P->X -= O.X;
  P->Y -= O.Y;
  return TRUE;
}

int MapWindowPoints(HWND From, HWND To, TPoint* Points, UINT Count) {
  if ((From && !IsWindow(From)) || (To && !IsWindow(To))) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  TPoint A = ClientOriginOnScreen(From);
  TPoint B = ClientOriginOnScreen(To);
  LONG Dx = A.X - B.X;
  LONG Dy = A.Y - B.Y;
  for (UINT I = 0; I < Count; ++I) {
    Points[I].X += Dx;
    Points[I].Y += Dy;
  }
  return MAKELONG(static_cast<WORD>(Dx), static_cast<WORD>(Dy));
}

namespace {

HWND ChildAt(HWND Parent, TPoint Screen) {
  for (HWND C : ChildrenOf(Parent)) {
    auto R = Find(C);
    if (!R || !(R->Style & WS_VISIBLE) || (R->Style & WS_DISABLED)) {
      continue;
    }
    if (Contains(WindowRectOnScreen(C), Screen) && InsideWindowRegion(*R, Screen)) {
      HWND Deeper = ChildAt(C, Screen);
      return Deeper ? Deeper : C;
    }
  }
  return 0;
}

}  // namespace

HWND WindowFromPoint(TPoint Point) {
  for (HWND W : TopLevelWindows()) {
    auto R = Find(W);
    // Layered windows with WS_EX_TRANSPARENT (drag images and the like) let the point through.
    constexpr DWORD ClickThrough = WS_EX_LAYERED | WS_EX_TRANSPARENT;
    if (!R || !(R->Style & WS_VISIBLE) || (R->ExStyle & ClickThrough) == ClickThrough) {
      continue;
    }
    if (Contains(WindowRectOnScreen(W), Point) && InsideWindowRegion(*R, Point)) {
      HWND C = ChildAt(W, Point);
      return C ? C : W;
    }
  }
  return 0;
}

HWND ChildWindowFromPoint(HWND Parent, TPoint Point) {
  auto P = Find(Parent);
  if (!P) {
    return 0;
  }
  if (!Contains(Rect(0, 0, P->Client.Width(), P->Client.Height()), Point) &&
      !Contains(Offset(P->Window, -P->Client.Left, -P->Client.Top), Point)) {
    return 0;
  }
  for (HWND C : ChildrenOf(Parent)) {
    if (auto R = Find(C); R && Contains(R->Window, Point)) {
      return C;
    }
  }
  return Parent;
}

// ---- Positions, z-order, showing --------------------------------------------------------------------------------

BOOL SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int Cx, int Cy, UINT Flags) {
  auto R = Find(Wnd);
  if (!R || R->Dead) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  bool Visible = R->Style & WS_VISIBLE;
  if ((Flags & SWP_SHOWWINDOW) && Visible) {
    Flags &= ~SWP_SHOWWINDOW;
  }
  if ((Flags & SWP_HIDEWINDOW) && !Visible) {
    Flags &= ~SWP_HIDEWINDOW;
  }
  if (R->Style & WS_CHILD) {
    Flags |= SWP_NOACTIVATE;
  }
  WINDOWPOS WP{Wnd, InsertAfter, X, Y, Cx, Cy, Flags};
  if (Flags & SWP_NOMOVE) {
    WP.x = R->Window.Left;
    WP.y = R->Window.Top;
  }
  if (Flags & SWP_NOSIZE) {
    WP.cx = R->Window.Width();
    WP.cy = R->Window.Height();
  }
  if (WP.x == R->Window.Left && WP.y == R->Window.Top) {
    WP.flags |= SWP_NOMOVE;
  }
  if (WP.cx == R->Window.Width() && WP.cy == R->Window.Height()) {
    WP.flags |= SWP_NOSIZE;
  }
  if (!(Flags & SWP_NOSENDCHANGING)) {
    SendMessage(Wnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&WP));
    if (R->Dead) {
      return FALSE;
    }
  }
  WP.cx = std::max(WP.cx, 0);
  WP.cy = std::max(WP.cy, 0);
  TRect OldWindow = R->Window;
  TRect OldClient = R->Client;
  TRect NewWindow = Rect(WP.x, WP.y, WP.x + WP.cx, WP.y + WP.cy);
  bool SizeChanged = NewWindow.Width() != OldWindow.Width() || NewWindow.Height() != OldWindow.Height();
  R->Window = NewWindow;
  if (SizeChanged || (WP.flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS P;
    P.rgrc[0] = NewWindow;
    P.rgrc[1] = OldWindow;
    P.rgrc[2] = OldClient;
    P.lppos = &WP;
    SendMessage(Wnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&P));
    if (R->Dead) {
      return FALSE;
    }
    R->Client = P.rgrc[0];
  } else {
    R->Client = Offset(OldClient, NewWindow.Left - OldWindow.Left, NewWindow.Top - OldWindow.Top);
  }
  UINT Changed = WP.flags & ~(SWP_NOMOVE | SWP_NOSIZE | SWP_NOCLIENTSIZE | SWP_NOCLIENTMOVE);
  if (NewWindow.Left == OldWindow.Left && NewWindow.Top == OldWindow.Top) {
    Changed |= SWP_NOMOVE;
  }
  if (!SizeChanged) {
    Changed |= SWP_NOSIZE;
  }
  if (R->Client.Width() == OldClient.Width() && R->Client.Height() == OldClient.Height()) {
    Changed |= SWP_NOCLIENTSIZE;
  }
  if (R->Client.Left == OldClient.Left && R->Client.Top == OldClient.Top) {
    Changed |= SWP_NOCLIENTMOVE;
  }
  WP.flags = Changed;
  if (!(Changed & SWP_NOZORDER)) {
    RestackWindow(R, WP.hwndInsertAfter);
    Notify(Wnd, TWindowChange::ZOrder);
  }
  if (!(Changed & SWP_NOMOVE) || !(Changed & SWP_NOSIZE) || (Changed & SWP_FRAMECHANGED)) {
    Notify(Wnd, TWindowChange::Geometry);
    if (!(Changed & SWP_NOSIZE) || (Changed & SWP_FRAMECHANGED)) {
      InvalidateWhole(Wnd);
    }
  }
  if (Changed & SWP_SHOWWINDOW) {
    R->Style |= WS_VISIBLE;
    Notify(Wnd, TWindowChange::Visibility);
    InvalidateWhole(Wnd);
  } else if (Changed & SWP_HIDEWINDOW) {
    R->Style &= ~WS_VISIBLE;
    Notify(Wnd, TWindowChange::Visibility);
    WindowHidden(Wnd);
  }
  SendMessage(Wnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&WP));
  if (!R->Dead && !R->Parent && !(Changed & SWP_NOACTIVATE) && (R->Style & WS_VISIBLE) &&
      ((Changed & SWP_SHOWWINDOW) || !(Changed & SWP_NOZORDER))) {
    SetActiveWindow(Wnd);
  }
  return TRUE;
}

BOOL MoveWindow(HWND Wnd, int X, int Y, int Width, int Height, BOOL Repaint) {
  return SetWindowPos(Wnd, 0, X, Y, Width, Height, SWP_NOZORDER | SWP_NOACTIVATE | (Repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND Wnd) { return SetWindowPos(Wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

namespace {

void SetPlacement(const PWindowRec& R, DWORD Set, DWORD Clear, const TRect& NewRect, UINT Flags) {
  if (!(R->Style & (WS_MINIMIZE | WS_MAXIMIZE))) {
    R->Normal = R->Window;
  }
  R->Style = (R->Style & ~Clear) | Set;
  SetWindowPos(R->Handle, HWND_TOP, NewRect.Left, NewRect.Top, NewRect.Width(), NewRect.Height(),
               Flags | SWP_FRAMECHANGED);
}

TRect MaximizedRect(const PWindowRec& R) {
  TRect Area = R->Parent ? Rect(0, 0, Find(R->Parent)->Client.Width(), Find(R->Parent)->Client.Height())
                         : WorkArea();
  TRect Frame = DefaultClientRect(R->Style & ~WS_CAPTION, R->ExStyle & ~WS_EX_CLIENTEDGE, Rect(0, 0, 1000, 1000));
  MINMAXINFO MM;
  MM.ptMaxSize = Point(Area.Width() + 2 * Frame.Left, Area.Height() + 2 * Frame.Top);
  MM.ptMaxPosition = Point(Area.Left - Frame.Left, Area.Top - Frame.Top);
  MM.ptMinTrackSize = Point(GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK));
  MM.ptMaxTrackSize = Point(GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK));
  SendMessage(R->Handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&MM));
  return Rect(MM.ptMaxPosition.X, MM.ptMaxPosition.Y, MM.ptMaxPosition.X + MM.ptMaxSize.X,
              MM.ptMaxPosition.Y + MM.ptMaxSize.Y);
}

}  // namespace

BOOL ShowWindow(HWND Wnd, int CmdShow) {
  auto R = Find(Wnd);
  if (!R || R->Dead) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  BOOL WasVisible = (R->Style & WS_VISIBLE) ? TRUE : FALSE;
  UINT NoActivate = 0;
  switch (CmdShow) {
    case SW_SHOWNOACTIVATE: case SW_SHOWNA: case SW_SHOWMINNOACTIVE: case SW_MINIMIZE: case SW_FORCEMINIMIZE:
      NoActivate = SWP_NOACTIVATE;
      break;
    default: break;
  }
  if (CmdShow == SW_HIDE) {
    if (!WasVisible) {
      return FALSE;
    }
    SendMessage(Wnd, WM_SHOWWINDOW, FALSE, 0);
    SetWindowPos(Wnd, 0, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return WasVisible;
  }
  if (!WasVisible) {
    SendMessage(Wnd, WM_SHOWWINDOW, TRUE, 0);
    if (R->Dead) {
      return FALSE;
    }
  }
  UINT Show = SWP_SHOWWINDOW | NoActivate;
  switch (CmdShow) {
    case SW_SHOWMINIMIZED: case SW_MINIMIZE: case SW_SHOWMINNOACTIVE: case SW_FORCEMINIMIZE:
      if (!(R->Style & WS_MINIMIZE)) {
        R->RestoreMaximized = (R->Style & WS_MAXIMIZE) != 0;
        TPoint P = Point(-32000, -32000);
        SetPlacement(R, WS_MINIMIZE, WS_MAXIMIZE, Rect(P.X, P.Y, P.X + 160, P.Y + 24), Show);
        return WasVisible;
      }
      break;
    case SW_SHOWMAXIMIZED:
      if (!(R->Style & WS_MAXIMIZE)) {
        SetPlacement(R, WS_MAXIMIZE, WS_MINIMIZE, MaximizedRect(R), Show);
        return WasVisible;
      }
      break;
    case SW_RESTORE: case SW_SHOWNORMAL: case SW_SHOWDEFAULT:
      // A window minimised from maximised is restored maximised, as the platform remembers it.
      if (CmdShow == SW_RESTORE && (R->Style & WS_MINIMIZE) && R->RestoreMaximized) {
        R->RestoreMaximized = false;
        SetPlacement(R, WS_MAXIMIZE, WS_MINIMIZE, MaximizedRect(R), Show);
        return WasVisible;
      }
      R->RestoreMaximized = false;
      if (R->Style & (WS_MINIMIZE | WS_MAXIMIZE)) {
        TRect N = R->Normal;
        R->Style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
        SetWindowPos(Wnd, HWND_TOP, N.Left, N.Top, N.Width(), N.Height(), Show | SWP_FRAMECHANGED);
        return WasVisible;
      }
      break;
    default: break;
  }
  // Showing a child leaves its place among its siblings (their order is the tab and group order of dialogs).
  bool KeepOrder = NoActivate || (R->Style & WS_CHILD);
  SetWindowPos(Wnd, HWND_TOP, 0, 0, 0, 0, Show | SWP_NOMOVE | SWP_NOSIZE | (KeepOrder ? SWP_NOZORDER : 0));
  return WasVisible;
}
