// The default window procedure: what the platform does for messages a window procedure passes on.
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/Cursors.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/ApplicationIcon.h"
#include "platform/win/Desktop.h"
#include "platform/win/NativeControls.h"
#include "platform/win/WindowInternals.h"
#include "platform/win/CrossProcess.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <cstring>

using namespace WindowSystem;

namespace {

bool Contains(const TRect& R, TPoint P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

TPoint LParamPoint(LPARAM L) {
  return Point(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(L))), static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(L))));
}

LRESULT HitTest(const PWindowRec& R, TPoint P) {
  TRect W = WindowRectOnScreen(R->Handle);
  if (!Contains(W, P)) {
    return HTNOWHERE;
  }
  TPoint O = ClientOriginOnScreen(R->Handle);
  TRect C = Rect(O.X, O.Y, O.X + R->Client.Width(), O.Y + R->Client.Height());
  if (Contains(C, P)) {
    return HTCLIENT;
  }
  if (R->Style & WS_MINIMIZE) {
    return HTCAPTION;
  }
  if ((R->Style & WS_THICKFRAME) && !(R->Style & WS_MAXIMIZE)) {
    int F = GetSystemMetrics(SM_CXFRAME);
    int Corner = GetSystemMetrics(SM_CYCAPTION) + F;
    bool L = P.X < W.Left + F, Rt = P.X >= W.Right - F, T = P.Y < W.Top + F, B = P.Y >= W.Bottom - F;
    bool NearL = P.X < W.Left + Corner, NearR = P.X >= W.Right - Corner;
    bool NearT = P.Y < W.Top + Corner, NearB = P.Y >= W.Bottom - Corner;
    if ((T && NearL) || (L && NearT)) return HTTOPLEFT;
    if ((T && NearR) || (Rt && NearT)) return HTTOPRIGHT;
    if ((B && NearL) || (L && NearB)) return HTBOTTOMLEFT;
    if ((B && NearR) || (Rt && NearB)) return HTBOTTOMRIGHT;
    if (L) return HTLEFT;
    if (Rt) return HTRIGHT;
    if (T) return HTTOP;
    if (B) return HTBOTTOM;
  }
  TRect Inner = DefaultClientRect(R->Style & ~(WS_VSCROLL | WS_HSCROLL | WS_CAPTION),
                                  R->ExStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), W);
  if ((R->Style & WS_CAPTION) == WS_CAPTION) {
    int CapH = (R->ExStyle & WS_EX_TOOLWINDOW) ? GetSystemMetrics(SM_CYSMCAPTION) : GetSystemMetrics(SM_CYCAPTION);
    if (P.Y >= Inner.Top && P.Y < Inner.Top + CapH) {
      int Btn = GetSystemMetrics(SM_CXSIZE);
      int X = Inner.Right;
      if (R->Style & WS_SYSMENU) {
        if (P.X >= X - Btn) return HTCLOSE;
        X -= Btn + 2;
        if (R->Style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) {
          if (P.X >= X - Btn) return HTMAXBUTTON;
          X -= Btn;
          if (P.X >= X - Btn) return HTMINBUTTON;
        }
        if (P.X < Inner.Left + GetSystemMetrics(SM_CXSMICON) + 2 && !(R->ExStyle & WS_EX_TOOLWINDOW)) {
          return HTSYSMENU;
        }
      }
      return HTCAPTION;
    }
  }
  if (R->Style & WS_VSCROLL) {
    int Sx = C.Right;
    if (P.X >= Sx && P.X < Sx + GetSystemMetrics(SM_CXVSCROLL) && P.Y >= C.Top && P.Y < C.Bottom) {
      return HTVSCROLL;
    }
  }
  if (R->Style & WS_HSCROLL) {
    int Sy = C.Bottom;
    if (P.Y >= Sy && P.Y < Sy + GetSystemMetrics(SM_CYHSCROLL)) {
      return P.X >= C.Right ? HTSIZE : HTHSCROLL;
    }
  }
  return HTBORDER;
}

LRESULT AskParent(const PWindowRec& R, UINT Msg, WPARAM W, LPARAM L) {
  if ((R->Style & WS_CHILD) && IsWindow(R->Parent)) {
    return SendMessage(R->Parent, Msg, W, L);
  }
  return 0;
}

HWND Root(HWND Wnd) { return GetAncestor(Wnd, GA_ROOT); }

// Draws the frame the styles give a window (the parts DefaultClientRect leaves out), in window coordinates.
void PaintFrame(const PWindowRec& R, bool Active) {
  DWORD St = R->Style, Ex = R->ExStyle;
  if (St & WS_MINIMIZE) {
    return;
  }
  HDC DC = GetWindowDC(R->Handle);
  if (!DC) {
    return;
  }
  TRect Rc = Rect(0, 0, R->Window.Width(), R->Window.Height());
  auto Band = [&](int Dx, int Dy, int Color) {
    // A flat band of the frame's face colour, Dx and Dy wide, inside what was drawn so far.
    for (int I = 0; I < std::max(Dx, Dy); ++I) {
      if (Rc.Width() <= 0 || Rc.Height() <= 0) {
        break;
      }
      FrameRect(DC, &Rc, GetSysColorBrush(Color));
      Rc = Rect(Rc.Left + (I < Dx ? 1 : 0), Rc.Top + (I < Dy ? 1 : 0), Rc.Right - (I < Dx ? 1 : 0),
                Rc.Bottom - (I < Dy ? 1 : 0));
    }
  };
  if ((St & WS_THICKFRAME) || (St & WS_DLGFRAME) || (Ex & WS_EX_DLGMODALFRAME)) {
    bool Thick = St & WS_THICKFRAME;
    int Fx = GetSystemMetrics(Thick ? SM_CXFRAME : SM_CXDLGFRAME);
    int Fy = GetSystemMetrics(Thick ? SM_CYFRAME : SM_CYDLGFRAME);
    DrawEdge(DC, &Rc, EDGE_RAISED, BF_RECT | BF_ADJUST);
    Band(Fx - 2, Fy - 2, COLOR_BTNFACE);
  } else if (St & WS_BORDER) {
    FrameRect(DC, &Rc, GetSysColorBrush(COLOR_WINDOWFRAME));
    Rc = Rect(Rc.Left + 1, Rc.Top + 1, Rc.Right - 1, Rc.Bottom - 1);
  }
  if ((St & WS_CAPTION) == WS_CAPTION) {
    int H = (Ex & WS_EX_TOOLWINDOW) ? GetSystemMetrics(SM_CYSMCAPTION) : GetSystemMetrics(SM_CYCAPTION);
    TRect Cap = Rect(Rc.Left, Rc.Top, Rc.Right, Rc.Top + H - 1);
    FillRect(DC, &Cap, GetSysColorBrush(Active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    TRect Line = Rect(Rc.Left, Rc.Top + H - 1, Rc.Right, Rc.Top + H);
    FillRect(DC, &Line, GetSysColorBrush(COLOR_BTNFACE));
    TRect Title = Rect(Cap.Left + 4, Cap.Top, Cap.Right - 4, Cap.Bottom);
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, GetSysColor(Active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    DrawText(DC, R->Text.c_str(), static_cast<int>(R->Text.size()), &Title,
             DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    Rc.Top += H;
  }
  if (Ex & WS_EX_CLIENTEDGE) {
    DrawEdge(DC, &Rc, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  }
  if (Ex & WS_EX_STATICEDGE) {
    DrawEdge(DC, &Rc, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  }
  ReleaseDC(R->Handle, DC);
}

// The cursor DefWindowProc shows for a hit-test code; 0 when the class cursor (or none) is meant.
HCURSOR CursorForHit(LRESULT Hit) {
  switch (Hit) {
    case HTLEFT: case HTRIGHT: return IDC_SIZEWE;
    case HTTOP: case HTBOTTOM: return IDC_SIZENS;
    case HTTOPLEFT: case HTBOTTOMRIGHT: return IDC_SIZENWSE;
    case HTTOPRIGHT: case HTBOTTOMLEFT: return IDC_SIZENESW;
    default: return 0;
  }
}

// The loop both the sizing and the moving of a window run: the mouse's screen position goes to Track until the
// left button goes up; Escape calls Cancel and ends it. The loop owns the mouse and the keyboard meanwhile.
void RunSizeMoveLoop(HWND Wnd, const std::function<void(TPoint)>& Track, const std::function<void()>& Cancel) {
  SendMessage(Wnd, WM_ENTERSIZEMOVE, 0, 0);
  SetCapture(Wnd);
  MSG M;
  bool Quit = false;
  while (GetCapture() == Wnd) {
    if (!GetMessage(&M, 0, 0, 0)) {
      Quit = true;
      break;
    }
    if (M.message == WM_LBUTTONUP || M.message == WM_NCLBUTTONUP) {
      break;
    }
    if (M.message == WM_MOUSEMOVE || M.message == WM_NCMOUSEMOVE) {
      TPoint P = LParamPoint(M.lParam);
      if (M.message == WM_MOUSEMOVE) {
        ClientToScreen(M.hwnd, &P);
      }
      Track(P);
      continue;
    }
    if (M.message == WM_KEYDOWN && M.wParam == VK_ESCAPE) {
      Cancel();
      break;
    }
    if ((M.message >= WM_MOUSEFIRST && M.message <= WM_MOUSELAST) ||
        (M.message >= WM_KEYFIRST && M.message <= WM_KEYLAST)) {
      continue;
    }
    TranslateMessage(&M);
    DispatchMessage(&M);
  }
  if (GetCapture() == Wnd) {
    ReleaseCapture();
  }
  SendMessage(Wnd, WM_EXITSIZEMOVE, 0, 0);
  if (Quit) {
    PostQuitMessage(static_cast<int>(M.wParam));
  }
}

// The moving loop of WM_SYSCOMMAND SC_MOVE (a press on the caption, or a window that sends WM_NCLBUTTONDOWN with
// HTCAPTION itself): the window follows the mouse from where the cursor was at the message that started it (the
// one its caller is handling) until the left button goes up; WM_MOVING
// may change the rectangle. Escape puts the window back. Only top-level windows that are neither minimised nor
// maximised move.
void MoveLoop(HWND Wnd) {
  auto R = Find(Wnd);
  if (!R || (R->Style & WS_CHILD) || (R->Style & (WS_MINIMIZE | WS_MAXIMIZE))) {
    return;
  }
  const DWORD Pos = GetMessagePos();
  const TPoint Start{static_cast<short>(LOWORD(Pos)), static_cast<short>(HIWORD(Pos))};
  TRect Orig{};
  GetWindowRect(Wnd, &Orig);
  auto Place = [&](const TRect& Rc) {
    SetWindowPos(Wnd, 0, Rc.Left, Rc.Top, Rc.Width(), Rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
  };
  auto Track = [&](TPoint P) {
    TRect Rc = Orig;
    Rc.Left += P.X - Start.X;
    Rc.Right += P.X - Start.X;
    Rc.Top += P.Y - Start.Y;
    Rc.Bottom += P.Y - Start.Y;
    SendMessage(Wnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&Rc));
    TRect Now{};
    GetWindowRect(Wnd, &Now);
    if (Rc.Left != Now.Left || Rc.Top != Now.Top) {
      Place(Rc);
    }
  };
  RunSizeMoveLoop(Wnd, Track, [&] { Place(Orig); });
}

// The sizing loop of WM_SYSCOMMAND SC_SIZE (a sizing border or a size grip): the edges Edge names follow the
// mouse from Start (screen) until the left button goes up; WM_SIZING may change the rectangle, which stays
// within WM_GETMINMAXINFO's track sizes. Escape puts the window back.
void SizeLoop(HWND Wnd, WPARAM Edge, TPoint Start) {
  auto R = Find(Wnd);
  if (!R || (R->Style & (WS_MINIMIZE | WS_MAXIMIZE)) || Edge < WMSZ_LEFT || Edge > WMSZ_BOTTOMRIGHT) {
    return;
  }
  const bool Left = Edge == WMSZ_LEFT || Edge == WMSZ_TOPLEFT || Edge == WMSZ_BOTTOMLEFT;
  const bool Right = Edge == WMSZ_RIGHT || Edge == WMSZ_TOPRIGHT || Edge == WMSZ_BOTTOMRIGHT;
  const bool Top = Edge == WMSZ_TOP || Edge == WMSZ_TOPLEFT || Edge == WMSZ_TOPRIGHT;
  const bool Bottom = Edge == WMSZ_BOTTOM || Edge == WMSZ_BOTTOMLEFT || Edge == WMSZ_BOTTOMRIGHT;
  TRect Orig{};
  GetWindowRect(Wnd, &Orig);
  // SetWindowPos takes the parent's client coordinates.
  HWND Parent = (R->Style & WS_CHILD) ? GetParent(Wnd) : 0;
  auto Place = [&](TRect Rc) {
    if (Parent) {
      ScreenToClient(Parent, reinterpret_cast<TPoint*>(&Rc.Left));
      ScreenToClient(Parent, reinterpret_cast<TPoint*>(&Rc.Right));
    }
    SetWindowPos(Wnd, 0, Rc.Left, Rc.Top, Rc.Width(), Rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  };
  auto Track = [&](TPoint P) {
    MINMAXINFO MM{};
    MM.ptMinTrackSize = Point(GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK));
    MM.ptMaxTrackSize = Point(GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK));
    SendMessage(Wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&MM));
    const int MaxW = std::max<int>(MM.ptMinTrackSize.X, MM.ptMaxTrackSize.X);
    const int MaxH = std::max<int>(MM.ptMinTrackSize.Y, MM.ptMaxTrackSize.Y);
    TRect Rc = Orig;
    const int Dx = P.X - Start.X, Dy = P.Y - Start.Y;
    if (Left) Rc.Left = Orig.Right - std::clamp<int>(Orig.Width() - Dx, MM.ptMinTrackSize.X, MaxW);
    if (Right) Rc.Right = Orig.Left + std::clamp<int>(Orig.Width() + Dx, MM.ptMinTrackSize.X, MaxW);
    if (Top) Rc.Top = Orig.Bottom - std::clamp<int>(Orig.Height() - Dy, MM.ptMinTrackSize.Y, MaxH);
    if (Bottom) Rc.Bottom = Orig.Top + std::clamp<int>(Orig.Height() + Dy, MM.ptMinTrackSize.Y, MaxH);
    SendMessage(Wnd, WM_SIZING, Edge, reinterpret_cast<LPARAM>(&Rc));
    TRect Now{};
    GetWindowRect(Wnd, &Now);
    if (Rc != Now) {
      Place(Rc);
    }
  };
  RunSizeMoveLoop(Wnd, Track, [&] { Place(Orig); });
}

// The frame: its size, hit testing and painting.
std::optional<LRESULT> NonClientMessage(HWND Wnd, const PWindowRec& R, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_NCCREATE:
      return TRUE;
    case WM_NCCALCSIZE:
      if (WParam) {
        auto* P = reinterpret_cast<NCCALCSIZE_PARAMS*>(LParam);
        P->rgrc[0] = DefaultClientRect(R->Style, R->ExStyle, P->rgrc[0]);
      } else if (LParam) {
        auto* Rc = reinterpret_cast<TRect*>(LParam);
        *Rc = DefaultClientRect(R->Style, R->ExStyle, *Rc);
      }
      return 0;
    case WM_NCHITTEST:
      return HitTest(R, LParamPoint(LParam));
    case WM_NCACTIVATE:
      if (R->Window != R->Client && IsWindowVisible(Wnd)) {
        PaintFrame(R, WParam != 0);
      }
      return TRUE;
    case WM_NCPAINT:
      if (R->Window != R->Client) {
        PaintFrame(R, GetActiveWindow() == Wnd);
      }
      Gdi::DrawScrollBars(Wnd);
      return 0;
    default: return std::nullopt;
  }
}

// The caption text and the icons.
std::optional<LRESULT> TextMessage(HWND Wnd, const PWindowRec& R, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_SETTEXT:
      R->Text = LParam ? reinterpret_cast<LPCSTR>(LParam) : "";
      if (auto* B = ExistingWindowBackend()) {
        B->WindowChanged(Wnd, TWindowChange::Text);
      }
      CrossProcess::WindowChanged(Wnd);  // other processes find it by its new caption
      // The caption bar the layer draws shows the new text at once, as the platform's does.
      if ((R->Style & WS_CAPTION) == WS_CAPTION && R->Window != R->Client && IsWindowVisible(Wnd)) {
        PaintFrame(R, GetActiveWindow() == Wnd);
      }
      return TRUE;
    case WM_GETTEXT: {
      if (WParam == 0 || !LParam) {
        return 0;
      }
      auto* Buf = reinterpret_cast<char*>(LParam);
      std::size_t N = std::min<std::size_t>(R->Text.size(), WParam - 1);
      std::memcpy(Buf, R->Text.data(), N);
      Buf[N] = '\0';
      return static_cast<LRESULT>(N);
    }
    case WM_SETICON: {
      HICON& Slot = WParam == ICON_SMALL ? R->SmallIcon : R->BigIcon;
      const HICON Old = Slot;
      Slot = static_cast<HICON>(LParam);
      if (auto* B = ExistingWindowBackend()) {
        B->WindowChanged(Wnd, TWindowChange::Icon);
      }
      return static_cast<LRESULT>(Old);
    }
    case WM_GETICON: return static_cast<LRESULT>(WParam == ICON_SMALL ? R->SmallIcon : R->BigIcon);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(R->Text.size());
    default: return std::nullopt;
  }
}

// Closing, painting and printing, and the questions a window answers yes to.
std::optional<LRESULT> PaintAndLifeMessage(HWND Wnd, const PWindowRec& R, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_CLOSE:
      DestroyWindow(Wnd);
      return 0;
    case WM_SETREDRAW:
      R->Redraw = WParam != 0;
      return 0;
    case WM_PAINT: {
      // Painting nothing still validates the area and erases it when that was asked for.
      PAINTSTRUCT Ps;
      BeginPaint(Wnd, &Ps);
      EndPaint(Wnd, &Ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      HBRUSH Brush = R->Class->Info.hbrBackground;
      if (!Brush || !WParam) {
        return Brush ? 1 : 0;
      }
      TRect C = Rect(0, 0, R->Client.Width(), R->Client.Height());
      FillRect(static_cast<HDC>(WParam), &C, Brush);
      return 1;
    }
    case WM_PRINT:
      PrintWindowImage(Wnd, static_cast<HDC>(WParam), LParam);
      return 0;
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN:
      return TRUE;
    case WM_CANCELMODE:
      if (GetCapture() == Wnd) {
        ReleaseCapture();
      }
      return 0;
    default: return std::nullopt;
  }
}

// Size and position changes: the track sizes and the WM_SIZE and WM_MOVE that follow a change.
std::optional<LRESULT> PositionMessage(HWND Wnd, const PWindowRec& R, UINT Msg, [[maybe_unused]] WPARAM WParam,
                                       LPARAM LParam) {
  switch (Msg) {
    case WM_WINDOWPOSCHANGING: {
      auto* WP = reinterpret_cast<WINDOWPOS*>(LParam);
      bool Overlapped = !(R->Style & (WS_POPUP | WS_CHILD));
      if (!(WP->flags & SWP_NOSIZE) && (Overlapped || (R->Style & WS_THICKFRAME)) &&
          !(R->Style & (WS_MINIMIZE | WS_MAXIMIZE))) {
        MINMAXINFO MM;
        MM.ptMinTrackSize = Point(GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK));
        MM.ptMaxTrackSize = Point(GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK));
        if (!(R->Style & WS_THICKFRAME) || (R->Style & WS_CHILD)) {
          MM.ptMinTrackSize = Point(0, 0);
        }
        SendMessage(Wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&MM));
        WP->cx = std::clamp(WP->cx, static_cast<int>(MM.ptMinTrackSize.X), std::max<int>(MM.ptMinTrackSize.X, MM.ptMaxTrackSize.X));
        WP->cy = std::clamp(WP->cy, static_cast<int>(MM.ptMinTrackSize.Y), std::max<int>(MM.ptMinTrackSize.Y, MM.ptMaxTrackSize.Y));
      }
      return 0;
    }
    case WM_WINDOWPOSCHANGED: {
      auto* WP = reinterpret_cast<WINDOWPOS*>(LParam);
      if (!(WP->flags & SWP_NOCLIENTSIZE)) {
        WPARAM Kind = (R->Style & WS_MINIMIZE) ? SIZE_MINIMIZED : (R->Style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        SendMessage(Wnd, WM_SIZE, Kind, MAKELONG(static_cast<WORD>(R->Client.Width()), static_cast<WORD>(R->Client.Height())));
      }
      if (!(WP->flags & SWP_NOCLIENTMOVE) && IsWindow(Wnd)) {
        SendMessage(Wnd, WM_MOVE, 0, MAKELONG(static_cast<WORD>(R->Client.Left), static_cast<WORD>(R->Client.Top)));
      }
      return 0;
    }
    default: return std::nullopt;
  }
}

// Activation, the cursor and the mouse: the parent decides first where it may, and a right click
// asks for the context menu.
std::optional<LRESULT> MouseMessage(HWND Wnd, const PWindowRec& R, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_ACTIVATE: {
      auto& Q = CurrentQueue();
      if (LOWORD(WParam) != WA_INACTIVE && !HIWORD(WParam) && !Q.FocusAfterActivate) {
        HWND F = GetFocus();
        if (!F || (F != Wnd && !IsChild(Wnd, F))) {
          SetFocus(Wnd);
        }
      }
      return 0;
    }
    case WM_MOUSEACTIVATE: {
      LRESULT P = AskParent(R, Msg, WParam, LParam);
      return P ? P : MA_ACTIVATE;
    }
    case WM_SETCURSOR: {
      // The parent decides first; then the frame's sizing cursors, the class cursor in the client area, or the
      // arrow. A click on a disabled window (HTERROR) beeps.
      if (AskParent(R, Msg, WParam, LParam)) {
        return TRUE;
      }
      auto Hit = static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(LParam)));
      WORD Mouse = HIWORD(static_cast<DWORD_PTR>(LParam));
      if (Hit == HTERROR) {
        if (Mouse == WM_LBUTTONDOWN || Mouse == WM_RBUTTONDOWN || Mouse == WM_MBUTTONDOWN) {
          MessageBeep(0);
        }
        return FALSE;
      }
      if (Hit == HTCLIENT) {
        if (HCURSOR C = R->Class->Info.hCursor) {
          SetCursor(C);
          return TRUE;
        }
        return FALSE;
      }
      HCURSOR C = CursorForHit(Hit);
      SetCursor(C ? C : IDC_ARROW);
      return FALSE;
    }
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
      return AskParent(R, Msg, WParam, LParam);
    case WM_RBUTTONUP: {
      TPoint P = LParamPoint(LParam);
      ClientToScreen(Wnd, &P);
      SendMessage(Wnd, WM_CONTEXTMENU, Wnd, MAKELONG(static_cast<WORD>(P.X), static_cast<WORD>(P.Y)));
      return 0;
    }
    case WM_NCRBUTTONUP:
      SendMessage(Wnd, WM_CONTEXTMENU, Wnd, LParam);
      return 0;
    default: return std::nullopt;
  }
}

// The keyboard: the context menu key, the menu keys (Alt alone, F10), Alt+F4 and composed text.
std::optional<LRESULT> KeyboardMessage(HWND Wnd, [[maybe_unused]] const PWindowRec& R, UINT Msg, WPARAM WParam,
                                       LPARAM LParam) {
  switch (Msg) {
    case WM_KEYUP:
      if (WParam == VK_APPS) {
        SendMessage(Wnd, WM_CONTEXTMENU, Wnd, -1);
      }
      return 0;
    case WM_SYSKEYDOWN:
      if (WParam == VK_F10 && (GetKeyState(VK_SHIFT) < 0)) {
        SendMessage(Wnd, WM_CONTEXTMENU, Wnd, -1);
      } else if (WParam == VK_F4 && (LParam & (1 << 29))) {
        SendMessage(Root(Wnd), WM_SYSCOMMAND, SC_CLOSE, 0);
      } else if (WParam == VK_F10 || WParam == VK_MENU) {
        CurrentQueue().KeyMenuPress = WParam;
      }
      return 0;
    case WM_SYSKEYUP: {
      auto& Q = CurrentQueue();
      const bool PressSeen = Q.KeyMenuPress == WParam;
      if (PressSeen && ((WParam == VK_MENU && Q.AltAlone) || (WParam == VK_F10 && GetKeyState(VK_SHIFT) >= 0))) {
        Q.AltAlone = false;
        Q.KeyMenuPress = 0;
        SendMessage(Root(Wnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
      }
      return 0;
    }
    case WM_IME_COMPOSITION:
      // A window that does not handle compositions itself gets the committed text as characters, one WM_CHAR
      // each, read before anything else that is queued.
      if (LParam & GCS_RESULTSTR) {
        LPARAM Extra = GetMessageExtraInfo();
        std::string Text = KeptText(Extra);
        auto& Q = CurrentQueue();
        std::lock_guard G(Q.Lock);
        for (auto It = Text.rbegin(); It != Text.rend(); ++It) {
          TPostedMessage P;
          P.Msg.hwnd = Wnd;
          P.Msg.message = WM_CHAR;
          P.Msg.wParam = static_cast<unsigned char>(*It);
          P.Msg.lParam = 1;
          P.ExtraInfo = Extra;
          Q.Posted.push_front(P);
        }
      }
      return 0;
    case WM_SYSCHAR:
      if (WParam != VK_RETURN && WParam != VK_ESCAPE) {
        SendMessage(Root(Wnd), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(WParam));
      }
      return 0;
    default: return std::nullopt;
  }
}

// The system commands and the clicks on the frame that start them (moving, sizing, the caption's
// buttons).
std::optional<LRESULT> SystemCommandMessage(HWND Wnd, const PWindowRec& R, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_SYSCOMMAND:
      switch (WParam & 0xFFF0) {
        case SC_CLOSE: SendMessage(Wnd, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ShowWindow(Wnd, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(Wnd, SW_MAXIMIZE); break;
        case SC_RESTORE: ShowWindow(Wnd, SW_RESTORE); break;
        case SC_SIZE: SizeLoop(Wnd, WParam & 0x000F, LParamPoint(LParam)); break;
        case SC_MOVE: MoveLoop(Wnd); break;
        default: break;
      }
      return 0;
    case WM_NCLBUTTONDOWN:
      switch (WParam) {
        case HTCAPTION: SendMessage(Wnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, LParam); break;
        case HTCLOSE: SendMessage(Wnd, WM_SYSCOMMAND, SC_CLOSE, LParam); break;
        case HTMAXBUTTON: SendMessage(Wnd, WM_SYSCOMMAND, IsZoomed(Wnd) ? SC_RESTORE : SC_MAXIMIZE, LParam); break;
        case HTMINBUTTON: SendMessage(Wnd, WM_SYSCOMMAND, SC_MINIMIZE, LParam); break;
        case HTVSCROLL:
        case HTHSCROLL: Gdi::ScrollBarClick(Wnd, WParam, LParam); break;
        case HTLEFT: case HTRIGHT: case HTTOP: case HTTOPLEFT: case HTTOPRIGHT: case HTBOTTOM: case HTBOTTOMLEFT:
        case HTBOTTOMRIGHT:
          // A sizing border of this window (a child that answers a sizing code for its top-level window, such
          // as a size grip, sends SC_SIZE there itself).
          if (R->Style & WS_THICKFRAME) {
            SendMessage(Wnd, WM_SYSCOMMAND, SC_SIZE + (WParam - HTLEFT + WMSZ_LEFT), LParam);
          }
          break;
        default: break;
      }
      return 0;
    case WM_NCLBUTTONDBLCLK:
      if (WParam == HTCAPTION && (R->Style & WS_MAXIMIZEBOX)) {
        SendMessage(Wnd, WM_SYSCOMMAND, IsZoomed(Wnd) ? SC_RESTORE : SC_MAXIMIZE, LParam);
      }
      return 0;
    default: return std::nullopt;
  }
}

}  // namespace

LRESULT DefWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto R = Find(Wnd);
  if (!R) {
    return 0;
  }
  for (auto* Group : {&NonClientMessage, &TextMessage, &PaintAndLifeMessage, &PositionMessage, &MouseMessage,
                      &KeyboardMessage, &SystemCommandMessage}) {
    if (const std::optional<LRESULT> Result = Group(Wnd, R, Msg, WParam, LParam)) {
      return *Result;
    }
  }
  return 0;
}
