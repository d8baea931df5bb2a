// Window scroll bars: their state per window, the visibility rule, drawing in the frame and mouse tracking; and
// the scroll bar control class in its size box and size grip kinds.
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/GdiInternals.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"
#include "platform/win/WindowInternals.h"

#include <map>
#include <mutex>

namespace {

struct TBar {
  SCROLLINFO Info;
  bool Shown = false;
  bool DisableNoScroll = false;  // kept shown (disabled) when nothing scrolls
  UINT Disabled = ESB_ENABLE_BOTH;
};

struct TBars {
  TBar Horz;
  TBar Vert;
};

std::map<HWND, TBars>& Table() {
  static std::map<HWND, TBars> T;
  return T;
}

TBar* BarOf(HWND Wnd, int Bar) {
  if (!IsWindow(Wnd) || (Bar != SB_HORZ && Bar != SB_VERT)) {
    return nullptr;
  }
  auto& T = Table();
  // Bars of windows that are gone go when a new window's bars are made.
  if (T.find(Wnd) == T.end()) {
    for (auto It = T.begin(); It != T.end();) {
      It = IsWindow(It->first) ? std::next(It) : T.erase(It);
    }
  }
  TBars& B = T[Wnd];
  return Bar == SB_VERT ? &B.Vert : &B.Horz;
}

int MaxPos(const SCROLLINFO& I) {
  return std::max(I.nMin, I.nMax - std::max<int>(static_cast<int>(I.nPage) - 1, 0));
}

bool Scrolls(const SCROLLINFO& I) {
  return I.nMax > I.nMin && (I.nPage == 0 || static_cast<long long>(I.nPage) <= static_cast<long long>(I.nMax) - I.nMin);
}

// Shows or hides a bar through the window's style; the frame change recomputes the client area.
void SetShown(HWND Wnd, int Bar, bool Show) {
  DWORD Flag = Bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
  DWORD Style = static_cast<DWORD>(GetWindowLong(Wnd, GWL_STYLE));
  if (((Style & Flag) != 0) == Show) {
    return;
  }
  SetWindowLong(Wnd, GWL_STYLE, static_cast<LONG>(Show ? (Style | Flag) : (Style & ~Flag)));
  SetWindowPos(Wnd, 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// The bar's rectangle in the window's image, and its arrow size.
bool Geometry(HWND Wnd, int Bar, TRect& R) {
  auto W = WindowSystem::Find(Wnd);
  if (!W) {
    return false;
  }
  DWORD Flag = Bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
  if (!(W->Style & Flag)) {
    return false;
  }
  int Cx = W->Client.Left - W->Window.Left, Cy = W->Client.Top - W->Window.Top;
  if (Bar == SB_VERT) {
    R = Rect(Cx + W->Client.Width(), Cy, Cx + W->Client.Width() + GetSystemMetrics(SM_CXVSCROLL), Cy + W->Client.Height());
  } else {
    R = Rect(Cx, Cy + W->Client.Height(), Cx + W->Client.Width(), Cy + W->Client.Height() + GetSystemMetrics(SM_CYHSCROLL));
  }
  return true;
}

struct TParts {
  TRect Bar, Less, More, Thumb;  // arrows at the start and end, the thumb (empty when disabled)
  int TrackStart = 0, TrackLength = 0, ThumbLength = 0;
};

TParts PartsOf(const TRect& R, int Bar, const TBar& B) {
  TParts P;
  P.Bar = R;
  bool Vert = Bar == SB_VERT;
  int Len = Vert ? R.Height() : R.Width();
  int Arrow = std::min(Vert ? GetSystemMetrics(SM_CYVSCROLL) : GetSystemMetrics(SM_CXHSCROLL), Len / 2);
  if (Vert) {
    P.Less = Rect(R.Left, R.Top, R.Right, R.Top + Arrow);
    P.More = Rect(R.Left, R.Bottom - Arrow, R.Right, R.Bottom);
  } else {
    P.Less = Rect(R.Left, R.Top, R.Left + Arrow, R.Bottom);
    P.More = Rect(R.Right - Arrow, R.Top, R.Right, R.Bottom);
  }
  P.TrackStart = (Vert ? R.Top : R.Left) + Arrow;
  P.TrackLength = std::max(0, Len - 2 * Arrow);
  const SCROLLINFO& I = B.Info;
  int Range = I.nMax - I.nMin + 1;
  if (!Scrolls(I) || B.Disabled == ESB_DISABLE_BOTH || Range <= 0) {
    return P;
  }
  P.ThumbLength = I.nPage ? static_cast<int>(static_cast<long long>(P.TrackLength) * I.nPage / Range)
                          : GetSystemMetrics(SM_CYVTHUMB);
  P.ThumbLength = std::clamp(P.ThumbLength, std::min(8, P.TrackLength), P.TrackLength);
  int Span = MaxPos(I) - I.nMin;
  int Offset = Span > 0 ? static_cast<int>(static_cast<long long>(P.TrackLength - P.ThumbLength) * (I.nPos - I.nMin) / Span) : 0;
  int Start = P.TrackStart + Offset;
  P.Thumb = Vert ? Rect(R.Left, Start, R.Right, Start + P.ThumbLength) : Rect(Start, R.Top, Start + P.ThumbLength, R.Bottom);
  return P;
}

void DrawBar(HDC DC, int Bar, const TBar& B, const TRect& R) {
  TParts P = PartsOf(R, Bar, B);
  // The track: the classic halftone of button face and highlight.
  WORD Bits[8];
  for (int I = 0; I < 8; ++I) {
    Bits[I] = static_cast<WORD>((I % 2) ? 0xAAAA : 0x5555);
  }
  HBITMAP Pattern = CreateBitmap(8, 8, 1, 1, Bits);
  HBRUSH Halftone = CreatePatternBrush(Pattern);
  DeleteObject(Pattern);
  SetTextColor(DC, GetSysColor(COLOR_BTNFACE));
  SetBkColor(DC, GetSysColor(COLOR_BTNHIGHLIGHT));
  FillRect(DC, &R, Halftone);
  DeleteObject(Halftone);
  bool Vert = Bar == SB_VERT;
  bool Off = !Scrolls(B.Info) || B.Disabled == ESB_DISABLE_BOTH;
  TRect Less = P.Less, More = P.More;
  DrawFrameControl(DC, &Less, DFC_SCROLL, (Vert ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) |
                                              ((Off || (B.Disabled & ESB_DISABLE_LTUP)) ? DFCS_INACTIVE : 0));
  DrawFrameControl(DC, &More, DFC_SCROLL, (Vert ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) |
                                              ((Off || (B.Disabled & ESB_DISABLE_RTDN)) ? DFCS_INACTIVE : 0));
  if (P.Thumb.Right > P.Thumb.Left) {
    TRect T = P.Thumb;
    DrawEdge(DC, &T, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
}

void Redraw(HWND Wnd, BOOL Redraw) {
  if (Redraw) {
    Gdi::DrawScrollBars(Wnd);
  }
}

// Applies the visibility rule after a change.
void Update(HWND Wnd, int Bar, TBar& B) {
  bool Want = Scrolls(B.Info) || B.DisableNoScroll;
  B.Shown = Want;
  SetShown(Wnd, Bar, Want);
}

}  // namespace

int SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO* Info, BOOL Redraw) {
  TBar* B = BarOf(Wnd, Bar);
  if (!B || !Info) {
    return 0;
  }
  SCROLLINFO& I = B->Info;
  if (Info->fMask & SIF_RANGE) {
    I.nMin = Info->nMin;
    I.nMax = std::max(Info->nMin, Info->nMax);
  }
  if (Info->fMask & SIF_PAGE) {
    I.nPage = std::min<UINT>(Info->nPage, static_cast<UINT>(I.nMax - I.nMin + 1));
  }
  if (Info->fMask & SIF_POS) {
    I.nPos = Info->nPos;
  }
  I.nPos = std::clamp(I.nPos, I.nMin, MaxPos(I));
  B->DisableNoScroll = (Info->fMask & SIF_DISABLENOSCROLL) != 0 && !Scrolls(I) ? true
                       : (Info->fMask & SIF_DISABLENOSCROLL) != 0                ? B->DisableNoScroll
                                                                                 : false;
  int Pos = I.nPos;
  Update(Wnd, Bar, *B);
  ::Redraw(Wnd, Redraw);
  return Pos;
}

BOOL GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info) {
  TBar* B = BarOf(Wnd, Bar);
  if (!B || !Info) {
    return FALSE;
  }
  UINT Mask = Info->fMask;
  if (Mask & SIF_RANGE) {
    Info->nMin = B->Info.nMin;
    Info->nMax = B->Info.nMax;
  }
  if (Mask & SIF_PAGE) {
    Info->nPage = B->Info.nPage;
  }
  if (Mask & SIF_POS) {
    Info->nPos = B->Info.nPos;
  }
  if (Mask & SIF_TRACKPOS) {
    Info->nTrackPos = B->Info.nTrackPos;
  }
  return TRUE;
}

int SetScrollPos(HWND Wnd, int Bar, int Pos, BOOL Redraw) {
  TBar* B = BarOf(Wnd, Bar);
  if (!B) {
    return 0;
  }
  int Old = B->Info.nPos;
  B->Info.nPos = std::clamp(Pos, B->Info.nMin, MaxPos(B->Info));
  ::Redraw(Wnd, Redraw);
  return Old;
}

int GetScrollPos(HWND Wnd, int Bar) {
  TBar* B = BarOf(Wnd, Bar);
  return B ? B->Info.nPos : 0;
}

BOOL SetScrollRange(HWND Wnd, int Bar, int Min, int Max, BOOL Redraw) {
  SCROLLINFO I;
  I.fMask = SIF_RANGE;
  I.nMin = Min;
  I.nMax = Max;
  return BarOf(Wnd, Bar) ? (SetScrollInfo(Wnd, Bar, &I, Redraw), TRUE) : FALSE;
}

BOOL GetScrollRange(HWND Wnd, int Bar, int* Min, int* Max) {
  TBar* B = BarOf(Wnd, Bar);
  if (!B || !Min || !Max) {
    return FALSE;
  }
  *Min = B->Info.nMin;
  *Max = B->Info.nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND Wnd, int Bar, BOOL Show) {
  if (!IsWindow(Wnd)) {
    return FALSE;
  }
  for (int B : {SB_HORZ, SB_VERT}) {
    if (Bar == B || Bar == SB_BOTH) {
      BarOf(Wnd, B)->Shown = Show;
      SetShown(Wnd, B, Show);
    }
  }
  Gdi::DrawScrollBars(Wnd);
  return TRUE;
}

BOOL EnableScrollBar(HWND Wnd, UINT Bar, UINT Arrows) {
  if (!IsWindow(Wnd)) {
    return FALSE;
  }
  for (int B : {SB_HORZ, SB_VERT}) {
    if (static_cast<int>(Bar) == B || Bar == SB_BOTH) {
      BarOf(Wnd, B)->Disabled = Arrows;
    }
  }
  Gdi::DrawScrollBars(Wnd);
  return TRUE;
}

BOOL InitializeFlatSB(HWND Wnd) { return IsWindow(Wnd); }
std::int32_t UninitializeFlatSB(HWND) { return 0; }
int FlatSB_SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO* Info, BOOL Redraw) {
  return SetScrollInfo(Wnd, Bar, Info, Redraw);
}
BOOL FlatSB_GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info) { return GetScrollInfo(Wnd, Bar, Info); }
int FlatSB_SetScrollPos(HWND Wnd, int Bar, int Pos, BOOL Redraw) { return SetScrollPos(Wnd, Bar, Pos, Redraw); }
int FlatSB_GetScrollPos(HWND Wnd, int Bar) { return GetScrollPos(Wnd, Bar); }
int FlatSB_SetScrollRange(HWND Wnd, int Bar, int Min, int Max, BOOL Redraw) {
  return SetScrollRange(Wnd, Bar, Min, Max, Redraw);
}
BOOL FlatSB_GetScrollRange(HWND Wnd, int Bar, int* Min, int* Max) { return GetScrollRange(Wnd, Bar, Min, Max); }
BOOL FlatSB_ShowScrollBar(HWND Wnd, int Bar, BOOL Show) { return ShowScrollBar(Wnd, Bar, Show); }
BOOL FlatSB_EnableScrollBar(HWND Wnd, int Bar, UINT Arrows) {
  return EnableScrollBar(Wnd, static_cast<UINT>(Bar), Arrows);
}
BOOL FlatSB_SetScrollProp(HWND Wnd, UINT, std::intptr_t, BOOL) { return IsWindow(Wnd); }

namespace Gdi {

void DrawScrollBars(HWND Wnd) {
  TRect R;
  bool Any = false;
  HDC DC = 0;
  for (int Bar : {SB_HORZ, SB_VERT}) {
    if (Geometry(Wnd, Bar, R)) {
      if (!DC) {
        DC = GetWindowDC(Wnd);
      }
      DrawBar(DC, Bar, *BarOf(Wnd, Bar), R);
      Any = true;
    }
  }
  if (Any) {
    TRect V, H;
    if (Geometry(Wnd, SB_VERT, V) && Geometry(Wnd, SB_HORZ, H)) {
      TRect Corner = Rect(V.Left, H.Top, V.Right, H.Bottom);  // the size box between the bars
      FillRect(DC, &Corner, GetSysColorBrush(COLOR_BTNFACE));
    }
    ReleaseDC(Wnd, DC);
  }
}

void ScrollBarClick(HWND Wnd, WPARAM HitTest, LPARAM ScreenPoint) {
  int Bar = HitTest == HTVSCROLL ? SB_VERT : SB_HORZ;
  UINT Msg = Bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
  TRect R;
  TBar* B = BarOf(Wnd, Bar);
  if (!B || !Geometry(Wnd, Bar, R)) {
    return;
  }
  TRect Win;
  GetWindowRect(Wnd, &Win);
  TPoint P = Point(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(ScreenPoint))) - Win.Left,
                   static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(ScreenPoint))) - Win.Top);
  TParts Parts = PartsOf(R, Bar, *B);
  auto In = [&](const TRect& Rc) { return P.X >= Rc.Left && P.X < Rc.Right && P.Y >= Rc.Top && P.Y < Rc.Bottom; };
  bool Vert = Bar == SB_VERT;
  if (!Scrolls(B->Info) || B->Disabled == ESB_DISABLE_BOTH) {
    return;
  }
  bool Thumb = In(Parts.Thumb);
  if (!Thumb) {
    int Code = In(Parts.Less) ? SB_LINEUP : In(Parts.More) ? SB_LINEDOWN
               : ((Vert ? P.Y : P.X) < (Vert ? Parts.Thumb.Top : Parts.Thumb.Left)) ? SB_PAGEUP : SB_PAGEDOWN;
    SendMessage(Wnd, Msg, static_cast<WPARAM>(Code), 0);
  }
  // Follow the mouse until the button goes up.
  SetCapture(Wnd);
  int Grab = (Vert ? P.Y - Parts.Thumb.Top : P.X - Parts.Thumb.Left);
  int Track = B->Info.nPos;
  TPoint ClientOrigin = Point(0, 0);
  ClientToScreen(Wnd, &ClientOrigin);
  MSG M;
  while (GetCapture() == Wnd && GetMessage(&M, 0, 0, 0)) {
    if (M.message == WM_LBUTTONUP || M.message == WM_NCLBUTTONUP) {
      break;
    }
    if (M.message == WM_MOUSEMOVE && M.hwnd == Wnd && Thumb) {
      // Client coordinates to the window image's, then to a position on the track.
      int X = static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(M.lParam))) + ClientOrigin.X - Win.Left;
      int Y = static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(M.lParam))) + ClientOrigin.Y - Win.Top;
      int Along = (Vert ? Y : X) - Grab - Parts.TrackStart;
      int Room = std::max(1, Parts.TrackLength - Parts.ThumbLength);
      int Span = MaxPos(B->Info) - B->Info.nMin;
      Track = std::clamp(B->Info.nMin + static_cast<int>((static_cast<long long>(Along) * Span + Room / 2) / Room),
                         B->Info.nMin, MaxPos(B->Info));
      B->Info.nTrackPos = Track;
      SendMessage(Wnd, Msg, MAKELONG(SB_THUMBTRACK, static_cast<WORD>(Track)), 0);
      continue;
    }
    if (M.message >= WM_MOUSEFIRST && M.message <= WM_MOUSELAST) {
      continue;  // other mouse input belongs to the tracking
    }
    TranslateMessage(&M);
    DispatchMessage(&M);
  }
  if (GetCapture() == Wnd) {
    ReleaseCapture();
  }
  if (M.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(M.wParam));
  }
  if (Thumb) {
    SendMessage(Wnd, Msg, MAKELONG(SB_THUMBPOSITION, static_cast<WORD>(Track)), 0);
  }
  SendMessage(Wnd, Msg, SB_ENDSCROLL, 0);
}

}  // namespace Gdi

// ---- The scroll bar control: size boxes and size grips -----------------------------------------------------------

namespace {

bool IsSizeBox(HWND Wnd) { return static_cast<DWORD>(GetWindowLong(Wnd, GWL_STYLE)) & (SBS_SIZEBOX | SBS_SIZEGRIP); }

// A size box (SBS_SIZEBOX; drawn as the grip with SBS_SIZEGRIP) takes the system's size at the aligned corner of
// the rectangle it was made with, and a drag on it sizes its top-level window from the bottom-right corner.
// Scroll bar controls of the other kinds are not provided: they act as plain windows.
LRESULT ScrollBarControlProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (!IsSizeBox(Wnd)) {
    return DefWindowProc(Wnd, Msg, WParam, LParam);
  }
  switch (Msg) {
    case WM_CREATE: {
      const auto* C = reinterpret_cast<const CREATESTRUCT*>(LParam);
      const DWORD Style = static_cast<DWORD>(C->style);
      const int W = GetSystemMetrics(SM_CXVSCROLL), H = GetSystemMetrics(SM_CYHSCROLL);
      if (Style & SBS_SIZEBOXBOTTOMRIGHTALIGN) {
        MoveWindow(Wnd, C->x + C->cx - W, C->y + C->cy - H, W, H, FALSE);
      } else if (Style & SBS_SIZEBOXTOPLEFTALIGN) {
        MoveWindow(Wnd, C->x, C->y, W, H, FALSE);
      }
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers it all
    case WM_PAINT: {
      PAINTSTRUCT Ps;
      HDC DC = BeginPaint(Wnd, &Ps);
      TRect R{};
      GetClientRect(Wnd, &R);
      if (GetWindowLong(Wnd, GWL_STYLE) & SBS_SIZEGRIP) {
        DrawFrameControl(DC, &R, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
      } else {
        FillRect(DC, &R, GetSysColorBrush(COLOR_BTNFACE));
      }
      EndPaint(Wnd, &Ps);
      return 0;
    }
    case WM_NCHITTEST: {
      // The bottom-right sizing corner of the top-level window, while that can be sized.
      const LRESULT Hit = DefWindowProc(Wnd, Msg, WParam, LParam);
      HWND Root = GetAncestor(Wnd, GA_ROOT);
      return Hit == HTCLIENT && Root && !IsZoomed(Root) && !IsIconic(Root) ? HTBOTTOMRIGHT : Hit;
    }
    case WM_NCLBUTTONDOWN:
      if (WParam == HTBOTTOMRIGHT) {
        SendMessage(GetAncestor(Wnd, GA_ROOT), WM_SYSCOMMAND, SC_SIZE + WMSZ_BOTTOMRIGHT, LParam);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProc(Wnd, Msg, WParam, LParam);
}

const ATOM ScrollBarControlClass = [] {
  WNDCLASS WC;
  WC.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
  WC.lpfnWndProc = &ScrollBarControlProc;
  WC.lpszClassName = WC_SCROLLBAR;
  return RegisterClass(&WC);
}();

}  // namespace
