// Free routines the framework shares.
#include "toolbars/Tb2common.h"

#include "platform/controls/Controls.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Modules.h"
#include "platform/win/Monitors.h"
#include "platform/win/SystemParams.h"
#include "platform/win/WinReg.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT PrfCheckVisible = 0x01;
constexpr UINT PrfNonClient = 0x02;
constexpr UINT PrfClient = 0x04;
constexpr UINT PrfEraseBkgnd = 0x08;
constexpr UINT PrfChildren = 0x10;
constexpr UINT PrfOwned = 0x20;

using TTrackMouseEventFunc = BOOL (*)(TRACKMOUSEEVENT*);
TTrackMouseEventFunc TrackMouseEventFunc = nullptr;
int TrackMouseEventUsers = 0;

// The text without its "&" marks ("&&" stands for one "&"); AccelPos, when given, gets where the character after
// the last single "&" (the accelerator) is in that text, or -1.
std::string StripAccels(const std::string& S, int* AccelPos = nullptr) {
  std::string Out;
  Out.reserve(S.size());
  if (AccelPos) {
    *AccelPos = -1;
  }
  for (std::size_t I = 0; I < S.size(); ++I) {
    if (S[I] == '&') {
      ++I;
      if (I >= S.size()) {
        break;
      }
      if (AccelPos && S[I] != '&') {
        *AccelPos = static_cast<int>(Out.size());
      }
    }
    Out += S[I];
  }
  return Out;
}

void QuickSort(TList* List, int L, int R, const TListSortExCompare& Compare, void* Extra) {
  int I = 0;
  do {
    I = L;
    int J = R;
    void* P = List->Items(static_cast<Integer>((L + R) / 2));
    do {
      while (Compare(List->Items(I), P, Extra) < 0) {
        ++I;
      }
      while (Compare(List->Items(J), P, Extra) > 0) {
        --J;
      }
      if (I <= J) {
        List->Exchange(I, J);
        ++I;
        --J;
      }
    } while (I <= J);
    if (L < J) {
      QuickSort(List, L, J, Compare, Extra);
    }
    L = I;
  } while (I < R);
}

}  // namespace

bool ApplicationIsActive() { return GetActiveWindow() != 0; }

void ListSortEx(TList* List, const TListSortExCompare& Compare, void* Extra) {
  if (List && List->Count() > 1) {
    QuickSort(List, 0, List->Count() - 1, Compare, Extra);
  }
}

void HandleWMPrint(HWND Wnd, TMessage& Message, THandleWMPrintNCPaintProc NCPaintFunc, LPARAM AppData) {
  Message.Result = 1;
  const UINT Flags = static_cast<UINT>(Message.LParam);
  HDC DC = reinterpret_cast<HDC>(Message.WParam);
  if ((Flags & PrfCheckVisible) && !IsWindowVisible(Wnd)) {
    return;
  }
  const int Saved = SaveDC(DC);
  if ((Flags & PrfNonClient) && NCPaintFunc) {
    const int SavedNC = SaveDC(DC);
    NCPaintFunc(Wnd, DC, AppData);
    RestoreDC(DC, SavedNC);
  }
  TRect WR;
  GetWindowRect(Wnd, &WR);
  TPoint Origin{0, 0};
  ClientToScreen(Wnd, &Origin);
  const TPoint Offset{Origin.X - WR.Left, Origin.Y - WR.Top};
  if (Flags & PrfClient) {
    if (Flags & PrfNonClient) {
      OffsetWindowOrgEx(DC, -Offset.X, -Offset.Y, nullptr);
    }
    if (Flags & PrfEraseBkgnd) {
      SendMessage(Wnd, WM_ERASEBKGND, Message.WParam, 0);
    }
    SendMessage(Wnd, WM_PRINTCLIENT, Message.WParam, 0);
    if (Flags & PrfChildren) {
      for (HWND Child = GetWindow(Wnd, GW_CHILD); Child; Child = GetWindow(Child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(Child)) {
          continue;
        }
        TRect CR;
        GetWindowRect(Child, &CR);
        const int ChildSaved = SaveDC(DC);
        TPoint Org;
        GetWindowOrgEx(DC, &Org);
        const int X = CR.Left - Origin.X;
        const int Y = CR.Top - Origin.Y;
        IntersectClipRect(DC, X, Y, X + CR.Width(), Y + CR.Height());
        SetWindowOrgEx(DC, Org.X - X, Org.Y - Y, nullptr);
        SendMessage(Child, WM_PRINT, Message.WParam, PrfNonClient | PrfClient | PrfEraseBkgnd | PrfChildren);
        RestoreDC(DC, ChildSaved);
      }
    }
    (void)PrfOwned;
  }
  RestoreDC(DC, Saved);
}

void HandleWMPrintClient(TWinControl* Control, TMessage& Message) {
  HDC DC = reinterpret_cast<HDC>(Message.WParam);
  const int Saved = SaveDC(DC);
  Control->Perform(WM_PAINT, Message.WParam, 0);
  RestoreDC(DC, Saved);
}

int DivRoundUp(int Dividend, int Divisor) {
  // Away from zero: the sign of the exact quotient decides, not the truncated one (which is 0 for -1 / 2).
  int Q = Dividend / Divisor;
  if (Dividend % Divisor != 0) {
    Q += (Dividend >= 0) == (Divisor >= 0) ? 1 : -1;
  }
  return Q;
}

int GetTextHeight(HDC DC) {
  TEXTMETRIC TM;
  GetTextMetrics(DC, &TM);
  return TM.tmHeight;
}

int GetTextWidth(HDC DC, std::string Text, bool Prefix) {
  if (Prefix) {
    Text = StripAccels(Text);
  }
  TSize Size{0, 0};
  GetTextExtentPoint32(DC, Text.c_str(), static_cast<int>(Text.size()), &Size);
  return Size.cx;
}

void ProcessPaintMessages() {
  MSG Msg;
  while (PeekMessage(&Msg, 0, WM_PAINT, WM_PAINT, PM_NOREMOVE)) {
    if (Msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(Msg.wParam));
      return;
    }
    if (!PeekMessage(&Msg, 0, WM_PAINT, WM_PAINT, PM_REMOVE)) {
      return;
    }
    DispatchMessage(&Msg);
  }
}

void RemoveMessages(UINT First, UINT Last) {
  MSG Msg;
  while (PeekMessage(&Msg, 0, First, Last, PM_REMOVE)) {
    if (Msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(Msg.wParam));
      return;
    }
  }
}

void SelectNCUpdateRgn(HWND Wnd, HDC DC, HRGN Rgn) {
  if (Rgn == 0 || Rgn == static_cast<HRGN>(1)) {
    return;
  }
  if (SelectClipRgn(DC, Rgn) == ERROR) {
    TRect R;
    GetWindowRect(Wnd, &R);
    HRGN All = CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
    SelectClipRgn(DC, All);
    DeleteObject(All);
  }
  TRect R;
  GetWindowRect(Wnd, &R);
  OffsetClipRgn(DC, -R.Left, -R.Top);
}

bool AddToList(std::unique_ptr<TList>& List, void* Item) {
  if (!List) {
    List = std::make_unique<TList>();
  }
  if (List->IndexOf(Item) >= 0) {
    return false;
  }
  List->Add(Item);
  return true;
}

void RemoveFromList(std::unique_ptr<TList>& List, void* Item) {
  if (!List) {
    return;
  }
  List->Remove(Item);
  if (List->Count() == 0) {
    List.reset();
  }
}

int ReadMenuShowDelayFromRegistry() {
  HKEY Key = 0;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &Key) != ERROR_SUCCESS) {
    return 400;
  }
  char Buffer[32] = {};
  DWORD Size = sizeof(Buffer) - 1;
  DWORD Type = 0;
  const LONG Result = RegQueryValueEx(Key, "MenuShowDelay", nullptr, &Type, reinterpret_cast<BYTE*>(Buffer), &Size);
  RegCloseKey(Key);
  if (Result == ERROR_FILE_NOT_FOUND) {
    return 400;
  }
  if (Result != ERROR_SUCCESS || Type != REG_SZ) {
    return 0;
  }
  const int Value = StrToIntDef(std::string(Buffer, strnlen(Buffer, Size)), 0);
  return Value < 0 ? 0 : Value;
}

int GetMenuShowDelay() {
  DWORD Delay = 0;
  int Result = 0;
  if (SystemParametersInfo(SPI_GETMENUSHOWDELAY, 0, &Delay, 0)) {
    Result = static_cast<int>(Delay);
  } else {
    static const int Cached = ReadMenuShowDelayFromRegistry();
    Result = Cached;
  }
  return Result < 0 ? 0 : Result;
}

bool AreFlatMenusEnabled() {
  BOOL Flat = FALSE;
  return IsWindowsXP() && SystemParametersInfo(SPI_GETFLATMENU, 0, &Flat, 0) && Flat;
}

bool AreKeyboardCuesEnabled() {
  BOOL Cues = FALSE;
  return !SystemParametersInfo(SPI_GETKEYBOARDCUES, 0, &Cues, 0) || Cues;
}

HRGN CreateNullRegion() { return CreateRectRgn(0, 0, 0, 0); }

namespace {

// The ring of R: R minus R deflated by Size (limited to R).
HRGN RingRegion(const TRect& R, TSize Size) {
  HRGN Ring = CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
  TRect Inner = R;
  Inner.Left += Size.cx;
  Inner.Top += Size.cy;
  Inner.Right -= Size.cx;
  Inner.Bottom -= Size.cy;
  if (Inner.Right < Inner.Left) {
    Inner.Right = Inner.Left;
  }
  if (Inner.Bottom < Inner.Top) {
    Inner.Bottom = Inner.Top;
  }
  HRGN Hole = CreateRectRgn(Inner.Left, Inner.Top, Inner.Right, Inner.Bottom);
  CombineRgn(Ring, Ring, Hole, RGN_XOR);
  DeleteObject(Hole);
  return Ring;
}

void InvertRegion(HDC DC, HRGN Rgn, HBRUSH Brush) {
  SelectClipRgn(DC, Rgn);
  TRect Box;
  GetClipBox(DC, &Box);
  HGDIOBJ Old = SelectObject(DC, Brush);
  PatBlt(DC, Box.Left, Box.Top, Box.Width(), Box.Height(), PATINVERT);
  SelectObject(DC, Old);
}

}  // namespace

void DrawInvertRect(HDC DC, const TRect* NewRect, const TRect* OldRect, TSize NewSize, TSize OldSize,
                    HBRUSH Brush, HBRUSH BrushLast) {
  const int Saved = SaveDC(DC);
  HRGN NewRgn = NewRect ? RingRegion(*NewRect, NewSize) : CreateNullRegion();
  HRGN OldRgn = OldRect ? RingRegion(*OldRect, OldSize) : CreateNullRegion();
  if (!BrushLast || BrushLast == Brush) {
    HRGN Both = CreateNullRegion();
    CombineRgn(Both, NewRgn, OldRgn, RGN_XOR);
    InvertRegion(DC, Both, Brush);
    DeleteObject(Both);
  } else {
    InvertRegion(DC, OldRgn, BrushLast);
    InvertRegion(DC, NewRgn, Brush);
  }
  DeleteObject(NewRgn);
  DeleteObject(OldRgn);
  RestoreDC(DC, Saved);
}

HBRUSH CreateHalftoneBrush() {
  WORD Pattern[8];
  for (int I = 0; I < 8; ++I) {
    Pattern[I] = static_cast<WORD>(I % 2 == 0 ? 0x55 : 0xAA);
  }
  HBITMAP Bmp = CreateBitmap(8, 8, 1, 1, Pattern);
  HBRUSH Brush = CreatePatternBrush(Bmp);
  DeleteObject(Bmp);
  return Brush;
}

void DrawHalftoneInvertRect(HDC DC, const TRect* NewRect, const TRect* OldRect, TSize NewSize, TSize OldSize) {
  HBRUSH Brush = CreateHalftoneBrush();
  DrawInvertRect(DC, NewRect, OldRect, NewSize, OldSize, Brush, 0);
  DeleteObject(Brush);
}

TRect GetRectOfPrimaryMonitor(bool WorkArea) {
  TRect R;
  if (WorkArea && SystemParametersInfo(SPI_GETWORKAREA, 0, &R, 0)) {
    return R;
  }
  return Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

bool UsingMultipleMonitors() {
  const int Count = GetSystemMetrics(SM_CMONITORS);
  return Count != 0 && Count != 1;
}

namespace {

TRect MonitorRect(HMONITOR Monitor, bool WorkArea) {
  MONITORINFO Info;
  Info.cbSize = sizeof(Info);
  if (Monitor && GetMonitorInfo(Monitor, &Info)) {
    return WorkArea ? Info.rcWork : Info.rcMonitor;
  }
  return GetRectOfPrimaryMonitor(WorkArea);
}

}  // namespace

TRect GetRectOfMonitorContainingRect(const TRect& R, bool WorkArea) {
  if (!UsingMultipleMonitors()) {
    return GetRectOfPrimaryMonitor(WorkArea);
  }
  return MonitorRect(MonitorFromRect(&R, MONITOR_DEFAULTTONEAREST), WorkArea);
}

TRect GetRectOfMonitorContainingPoint(const TPoint& P, bool WorkArea) {
  if (!UsingMultipleMonitors()) {
    return GetRectOfPrimaryMonitor(WorkArea);
  }
  return MonitorRect(MonitorFromPoint(P, MONITOR_DEFAULTTONEAREST), WorkArea);
}

TRect GetRectOfMonitorContainingWindow(HWND W, bool WorkArea) {
  if (!UsingMultipleMonitors()) {
    return GetRectOfPrimaryMonitor(WorkArea);
  }
  return MonitorRect(MonitorFromWindow(W, MONITOR_DEFAULTTONEAREST), WorkArea);
}

void InitTrackMouseEvent() {
  if (TrackMouseEventUsers++ == 0 && !TrackMouseEventFunc) {
    if (HMODULE User = GetModuleHandle("user32.dll")) {
      TrackMouseEventFunc = reinterpret_cast<TTrackMouseEventFunc>(GetProcAddress(User, "TrackMouseEvent"));
    }
    if (!TrackMouseEventFunc) {
      TrackMouseEventFunc = &TrackMouseEvent;
    }
  }
}

bool CallTrackMouseEvent(HWND Wnd, DWORD Flags) {
  if (!TrackMouseEventFunc) {
    return false;
  }
  TRACKMOUSEEVENT Track;
  Track.dwFlags = Flags;
  Track.hwndTrack = Wnd;
  Track.dwHoverTime = 0;
  return TrackMouseEventFunc(&Track) != FALSE;
}

HFONT CreateRotatedFont(HDC DC) {
  LOGFONT LF;
  GetObject(GetCurrentObject(DC, OBJ_FONT), sizeof(LF), &LF);
  LF.lfEscapement = 2700;
  LF.lfOrientation = 2700;
  LF.lfOutPrecision = 7;  // TrueType only
  if (SameText(LF.lfFaceName, "MS Sans Serif") || SameText(LF.lfFaceName, "Microsoft Sans Serif")) {
    std::strcpy(LF.lfFaceName, "Arial");
  }
  return CreateFontIndirect(&LF);
}

void DrawRotatedText(HDC DC, std::string AText, const TRect& ARect, UINT AFormat) {
  HFONT Font = CreateRotatedFont(DC);
  HGDIOBJ OldFont = SelectObject(DC, Font);
  TEXTMETRIC TM;
  GetTextMetrics(DC, &TM);
  // The accelerator: the character after the last single "&", found by its position in the stripped text.
  int AccelPos = -1;
  const std::string Stripped = StripAccels(AText, &AccelPos);
  TSize Size{0, 0};
  GetTextExtentPoint32(DC, Stripped.c_str(), static_cast<int>(Stripped.size()), &Size);
  const int X = ARect.Left + (ARect.Width() - TM.tmHeight) / 2;
  const int Y = ARect.Top + (ARect.Height() - Size.cx) / 2;
  const UINT OldAlign = SetTextAlign(DC, TA_BOTTOM);
  TextOut(DC, X, Y, Stripped.c_str(), static_cast<int>(Stripped.size()));
  SetTextAlign(DC, OldAlign);
  if (AccelPos >= 0 && !(AFormat & DT_HIDEPREFIX)) {
    TSize Before{0, 0};
    TSize Upto{0, 0};
    GetTextExtentPoint32(DC, Stripped.c_str(), AccelPos, &Before);
    GetTextExtentPoint32(DC, Stripped.c_str(), AccelPos + 1, &Upto);
    HPEN Pen = CreatePen(PS_SOLID, 1, GetTextColor(DC));
    HGDIOBJ OldPen = SelectObject(DC, Pen);
    MoveToEx(DC, X + TM.tmDescent - 2, Y + Before.cx, nullptr);
    LineTo(DC, X + TM.tmDescent - 2, Y + Upto.cx);
    SelectObject(DC, OldPen);
    DeleteObject(Pen);
  }
  SelectObject(DC, OldFont);
  DeleteObject(Font);
}

bool NeedToPlaySound(const std::string& Alias) {
  HKEY Key = 0;
  const std::string Path = "AppEvents\\Schemes\\Apps\\.Default\\" + Alias + "\\.Current";
  if (RegOpenKeyEx(HKEY_CURRENT_USER, Path.c_str(), 0, KEY_QUERY_VALUE, &Key) != ERROR_SUCCESS) {
    return false;
  }
  char Buffer[8] = {};
  DWORD Size = sizeof(Buffer);
  const LONG Result = RegQueryValueEx(Key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(Buffer), &Size);
  RegCloseKey(Key);
  return Result == ERROR_MORE_DATA || (Result == ERROR_SUCCESS && Size > 0 && Buffer[0] != '\0');
}

char FindAccelChar(const std::string& S) {
  int AccelPos = -1;
  const std::string Stripped = StripAccels(S, &AccelPos);
  return AccelPos >= 0 ? Stripped[static_cast<std::size_t>(AccelPos)] : 0;
}

bool IsWindowsXP() {
  return Win32Platform == VER_PLATFORM_WIN32_NT &&
         (Win32MajorVersion > 5 || (Win32MajorVersion == 5 && Win32MinorVersion >= 1));
}

TPoint TBMessagePoint(const MSG& Msg) {
  if (Msg.message >= WM_MOUSEMOVE && Msg.message <= WM_MBUTTONDBLCLK && Msg.hwnd) {
    POINT P{static_cast<short>(LOWORD(Msg.lParam)), static_cast<short>(HIWORD(Msg.lParam))};
    ::ClientToScreen(Msg.hwnd, &P);
    return P;
  }
  return Msg.pt;
}

void TBFillSolid(HDC DC, const TRect& R, COLORREF C) {
  HBRUSH B = CreateSolidBrush(C);
  TRect Rc = R;
  FillRect(DC, &Rc, B);
  DeleteObject(B);
}

void TBFrameSolid(HDC DC, const TRect& R, COLORREF C) {
  HBRUSH B = CreateSolidBrush(C);
  TRect Rc = R;
  FrameRect(DC, &Rc, B);
  DeleteObject(B);
}

bool TBNextCaptureMessage(HWND Wnd, MSG& Msg) {
  bool Idle = false;
  while (GetCapture() == Wnd) {
    if (Idle) {
      WaitMessage();
    }
    if (!PeekMessage(&Msg, 0, 0, 0, PM_REMOVE)) {
      Idle = true;
      continue;
    }
    if (Msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(Msg.wParam));
      return false;
    }
    return true;
  }
  return false;
}

void TBDispatchCaptureMessage(MSG& Msg) {
  if ((Msg.message >= WM_KEYFIRST && Msg.message <= WM_KEYLAST) ||
      (Msg.message >= WM_RBUTTONDOWN && Msg.message <= WM_MBUTTONDBLCLK)) {
    return;
  }
  TranslateMessage(&Msg);
  DispatchMessage(&Msg);
}
