// The window system's interface: styles, records and the calls for windows, classes, geometry and messages.
#pragma once

#include "platform/win/Messages.h"
#include "platform/win/Sync.h"  // GetCurrentThreadId
#include "platform/win/VirtualKeys.h"

#include <exception>
#include <string>

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
using HOOKPROC = LRESULT (*)(int, WPARAM, LPARAM);
using HHOOK = std::uintptr_t;

// Error codes of the window calls.
inline constexpr LONG ERROR_INVALID_HOOK_HANDLE = 1404;
inline constexpr LONG ERROR_TLW_WITH_WSCHILD = 1406;
inline constexpr LONG ERROR_CANNOT_FIND_WND_CLASS = 1407;
inline constexpr LONG ERROR_WINDOW_OF_OTHER_THREAD = 1408;
inline constexpr LONG ERROR_CLASS_HAS_WINDOWS = 1412;
inline constexpr LONG ERROR_INVALID_INDEX = 1413;
inline constexpr LONG ERROR_INVALID_HOOK_FILTER = 1426;
inline constexpr LONG ERROR_INVALID_FILTER_PROC = 1427;

// ---- Styles -----------------------------------------------------------------------------------------------------
inline constexpr DWORD WS_OVERLAPPED = 0x00000000;
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_MINIMIZE = 0x20000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_DISABLED = 0x08000000;
inline constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
inline constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
inline constexpr DWORD WS_MAXIMIZE = 0x01000000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_DLGFRAME = 0x00400000;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_HSCROLL = 0x00100000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_THICKFRAME = 0x00040000;
inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;
inline constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
inline constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
inline constexpr DWORD WS_TILED = WS_OVERLAPPED;
inline constexpr DWORD WS_ICONIC = WS_MINIMIZE;
inline constexpr DWORD WS_SIZEBOX = WS_THICKFRAME;
inline constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
inline constexpr DWORD WS_POPUPWINDOW = WS_POPUP | WS_BORDER | WS_SYSMENU;
inline constexpr DWORD WS_CHILDWINDOW = WS_CHILD;

inline constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
inline constexpr DWORD WS_EX_NOPARENTNOTIFY = 0x00000004;
inline constexpr DWORD WS_EX_TOPMOST = 0x00000008;
inline constexpr DWORD WS_EX_ACCEPTFILES = 0x00000010;
inline constexpr DWORD WS_EX_TRANSPARENT = 0x00000020;
inline constexpr DWORD WS_EX_MDICHILD = 0x00000040;
inline constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;
inline constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr DWORD WS_EX_CONTEXTHELP = 0x00000400;
inline constexpr DWORD WS_EX_RIGHT = 0x00001000;
inline constexpr DWORD WS_EX_LEFT = 0x00000000;
inline constexpr DWORD WS_EX_RTLREADING = 0x00002000;
inline constexpr DWORD WS_EX_LEFTSCROLLBAR = 0x00004000;
inline constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;
inline constexpr DWORD WS_EX_STATICEDGE = 0x00020000;
inline constexpr DWORD WS_EX_APPWINDOW = 0x00040000;
inline constexpr DWORD WS_EX_LAYERED = 0x00080000;
inline constexpr DWORD WS_EX_NOINHERITLAYOUT = 0x00100000;
inline constexpr DWORD WS_EX_LAYOUTRTL = 0x00400000;
inline constexpr DWORD WS_EX_COMPOSITED = 0x02000000;
inline constexpr DWORD WS_EX_NOACTIVATE = 0x08000000;
inline constexpr DWORD WS_EX_OVERLAPPEDWINDOW = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;
inline constexpr DWORD WS_EX_PALETTEWINDOW = WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr UINT CS_DBLCLKS = 0x0008;
inline constexpr UINT CS_OWNDC = 0x0020;
inline constexpr UINT CS_CLASSDC = 0x0040;
inline constexpr UINT CS_PARENTDC = 0x0080;
inline constexpr UINT CS_NOCLOSE = 0x0200;
inline constexpr UINT CS_SAVEBITS = 0x0800;
inline constexpr UINT CS_BYTEALIGNCLIENT = 0x1000;
inline constexpr UINT CS_BYTEALIGNWINDOW = 0x2000;
inline constexpr UINT CS_GLOBALCLASS = 0x4000;
inline constexpr UINT CS_DROPSHADOW = 0x00020000;

// ---- Indexes, relations, positions, show commands ---------------------------------------------------------------
inline constexpr int GWL_WNDPROC = -4;
inline constexpr int GWL_HINSTANCE = -6;
inline constexpr int GWL_HWNDPARENT = -8;
inline constexpr int GWL_ID = -12;
inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
inline constexpr int GWL_USERDATA = -21;
inline constexpr int GWLP_WNDPROC = -4;
inline constexpr int GWLP_HINSTANCE = -6;
inline constexpr int GWLP_HWNDPARENT = -8;
inline constexpr int GWLP_ID = -12;
inline constexpr int GWLP_USERDATA = -21;
inline constexpr int GCL_MENUNAME = -8;
inline constexpr int GCL_HBRBACKGROUND = -10;
inline constexpr int GCL_HCURSOR = -12;
inline constexpr int GCL_HICON = -14;
inline constexpr int GCL_HMODULE = -16;
inline constexpr int GCL_CBWNDEXTRA = -18;
inline constexpr int GCL_CBCLSEXTRA = -20;
inline constexpr int GCL_WNDPROC = -24;
inline constexpr int GCL_STYLE = -26;
inline constexpr int GCW_ATOM = -32;

inline constexpr UINT GW_HWNDFIRST = 0;
inline constexpr UINT GW_HWNDLAST = 1;
inline constexpr UINT GW_HWNDNEXT = 2;
inline constexpr UINT GW_HWNDPREV = 3;
inline constexpr UINT GW_OWNER = 4;
inline constexpr UINT GW_CHILD = 5;
inline constexpr UINT GW_ENABLEDPOPUP = 6;
inline constexpr UINT GA_PARENT = 1;
inline constexpr UINT GA_ROOT = 2;
inline constexpr UINT GA_ROOTOWNER = 3;

inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;
inline constexpr UINT SWP_NOREDRAW = 0x0008;
inline constexpr UINT SWP_NOACTIVATE = 0x0010;
inline constexpr UINT SWP_FRAMECHANGED = 0x0020;
inline constexpr UINT SWP_DRAWFRAME = 0x0020;
inline constexpr UINT SWP_SHOWWINDOW = 0x0040;
inline constexpr UINT SWP_HIDEWINDOW = 0x0080;
inline constexpr UINT SWP_NOCOPYBITS = 0x0100;
inline constexpr UINT SWP_NOOWNERZORDER = 0x0200;
inline constexpr UINT SWP_NOREPOSITION = 0x0200;
inline constexpr UINT SWP_NOSENDCHANGING = 0x0400;
inline constexpr UINT SWP_DEFERERASE = 0x2000;
inline constexpr UINT SWP_ASYNCWINDOWPOS = 0x4000;
// Set on WM_WINDOWPOSCHANGED when the client area kept its size or place (no WM_SIZE / WM_MOVE follows).
inline constexpr UINT SWP_NOCLIENTSIZE = 0x0800;
inline constexpr UINT SWP_NOCLIENTMOVE = 0x1000;

inline constexpr HWND HWND_DESKTOP = 0;
inline constexpr HWND HWND_TOP = 0;
inline constexpr HWND HWND_BOTTOM = 1;
inline constexpr HWND HWND_TOPMOST = static_cast<HWND>(-1);
inline constexpr HWND HWND_NOTOPMOST = static_cast<HWND>(-2);
inline constexpr HWND HWND_MESSAGE = static_cast<HWND>(-3);
inline constexpr HWND HWND_BROADCAST = 0xFFFF;

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_NORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_MAXIMIZE = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWMINNOACTIVE = 7;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;
inline constexpr int SW_SHOWDEFAULT = 10;
inline constexpr int SW_FORCEMINIMIZE = 11;

inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MINIMIZED = 1;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;
inline constexpr WPARAM SIZE_MAXSHOW = 3;
inline constexpr WPARAM SIZE_MAXHIDE = 4;

inline constexpr WORD WA_INACTIVE = 0;
inline constexpr WORD WA_ACTIVE = 1;
inline constexpr WORD WA_CLICKACTIVE = 2;
inline constexpr LRESULT MA_ACTIVATE = 1;
inline constexpr LRESULT MA_ACTIVATEANDEAT = 2;
inline constexpr LRESULT MA_NOACTIVATE = 3;
inline constexpr LRESULT MA_NOACTIVATEANDEAT = 4;

inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;
inline constexpr UINT PM_NOYIELD = 0x0002;

// WM_NCCALCSIZE answers when wParam is TRUE.
inline constexpr LRESULT WVR_ALIGNTOP = 0x0010;
inline constexpr LRESULT WVR_VALIDRECTS = 0x0400;

// System metrics that the window system reports (classic, unthemed values).
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXVSCROLL = 2;
inline constexpr int SM_CYHSCROLL = 3;
inline constexpr int SM_CYCAPTION = 4;
inline constexpr int SM_CXBORDER = 5;
inline constexpr int SM_CYBORDER = 6;
inline constexpr int SM_CXDLGFRAME = 7;
inline constexpr int SM_CYDLGFRAME = 8;
inline constexpr int SM_CXFIXEDFRAME = 7;
inline constexpr int SM_CYFIXEDFRAME = 8;
inline constexpr int SM_CYVTHUMB = 9;
inline constexpr int SM_CXHTHUMB = 10;
inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;
inline constexpr int SM_CXCURSOR = 13;
inline constexpr int SM_CYCURSOR = 14;
inline constexpr int SM_CYMENU = 15;
inline constexpr int SM_CXFULLSCREEN = 16;
inline constexpr int SM_CYFULLSCREEN = 17;
inline constexpr int SM_MOUSEPRESENT = 19;
inline constexpr int SM_CYVSCROLL = 20;
inline constexpr int SM_CXHSCROLL = 21;
inline constexpr int SM_SWAPBUTTON = 23;
inline constexpr int SM_CXMIN = 28;
inline constexpr int SM_CYMIN = 29;
inline constexpr int SM_CXSIZE = 30;
inline constexpr int SM_CYSIZE = 31;
inline constexpr int SM_CXFRAME = 32;
inline constexpr int SM_CYFRAME = 33;
inline constexpr int SM_CXSIZEFRAME = 32;
inline constexpr int SM_CYSIZEFRAME = 33;
inline constexpr int SM_CXMINTRACK = 34;
inline constexpr int SM_CYMINTRACK = 35;
inline constexpr int SM_CXDOUBLECLK = 36;
inline constexpr int SM_CYDOUBLECLK = 37;
inline constexpr int SM_CXEDGE = 45;
inline constexpr int SM_CYEDGE = 46;
inline constexpr int SM_CXSMICON = 49;
inline constexpr int SM_CYSMICON = 50;
inline constexpr int SM_CYSMCAPTION = 51;
inline constexpr int SM_CXMAXTRACK = 59;
inline constexpr int SM_CYMAXTRACK = 60;
inline constexpr int SM_CXMAXIMIZED = 61;
inline constexpr int SM_CYMAXIMIZED = 62;
inline constexpr int SM_CXDRAG = 68;
inline constexpr int SM_CYDRAG = 69;
inline constexpr int SM_CXMENUCHECK = 71;
inline constexpr int SM_CYMENUCHECK = 72;
inline constexpr int SM_MOUSEWHEELPRESENT = 75;
inline constexpr int SM_CXVIRTUALSCREEN = 78;
inline constexpr int SM_CYVIRTUALSCREEN = 79;
inline constexpr int SM_CMONITORS = 80;
inline constexpr int WHEEL_DELTA = 120;

// ---- Records ----------------------------------------------------------------------------------------------------
struct MSG {
  HWND hwnd = 0;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  TPoint pt;
};
using TMsg = MSG;

struct WNDCLASS {
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = 0;
  HCURSOR hCursor = 0;
  HBRUSH hbrBackground = 0;
  LPCSTR lpszMenuName = nullptr;
  LPCSTR lpszClassName = nullptr;
};
using TWndClass = WNDCLASS;

struct CREATESTRUCT {
  LPVOID lpCreateParams = nullptr;
  HINSTANCE hInstance = nullptr;
  HMENU hMenu = 0;
  HWND hwndParent = 0;
  int cy = 0;
  int cx = 0;
  int y = 0;
  int x = 0;
  LONG style = 0;
  LPCSTR lpszName = nullptr;
  LPCSTR lpszClass = nullptr;
  DWORD dwExStyle = 0;
};
using TCreateStruct = CREATESTRUCT;

struct WINDOWPOS {
  HWND hwnd = 0;
  HWND hwndInsertAfter = 0;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
};
using TWindowPos = WINDOWPOS;

struct NCCALCSIZE_PARAMS {
  TRect rgrc[3];
  WINDOWPOS* lppos = nullptr;
};
using TNCCalcSizeParams = NCCALCSIZE_PARAMS;

struct MINMAXINFO {
  TPoint ptReserved;
  TPoint ptMaxSize;
  TPoint ptMaxPosition;
  TPoint ptMinTrackSize;
  TPoint ptMaxTrackSize;
};
using TMinMaxInfo = MINMAXINFO;

struct STYLESTRUCT {
  DWORD styleOld = 0;
  DWORD styleNew = 0;
};
using TStyleStruct = STYLESTRUCT;

// ---- Window classes ---------------------------------------------------------------------------------------------
// Class names compare without regard to case. Registering a name twice fails with ERROR_CLASS_ALREADY_EXISTS.
ATOM RegisterClass(const WNDCLASS* WndClass);
// Fails (ERROR_CLASS_HAS_WINDOWS) while windows of the class exist.
BOOL UnregisterClass(LPCSTR ClassName, HINSTANCE Instance);
BOOL GetClassInfo(HINSTANCE Instance, LPCSTR ClassName, WNDCLASS* WndClass);
int GetClassName(HWND Wnd, LPSTR ClassName, int MaxCount);
LONG_PTR GetClassLongPtr(HWND Wnd, int Index);
DWORD GetClassLong(HWND Wnd, int Index);

// ---- Windows ----------------------------------------------------------------------------------------------------
HWND CreateWindowEx(DWORD ExStyle, LPCSTR ClassName, LPCSTR WindowName, DWORD Style, int X, int Y, int Width,
                    int Height, HWND Parent, HMENU Menu, HINSTANCE Instance, LPVOID Param);
HWND CreateWindow(LPCSTR ClassName, LPCSTR WindowName, DWORD Style, int X, int Y, int Width, int Height,
                  HWND Parent, HMENU Menu, HINSTANCE Instance, LPVOID Param);
BOOL DestroyWindow(HWND Wnd);
BOOL IsWindow(HWND Wnd);
BOOL IsWindowVisible(HWND Wnd);
BOOL IsWindowEnabled(HWND Wnd);
BOOL IsIconic(HWND Wnd);
BOOL IsZoomed(HWND Wnd);
BOOL IsChild(HWND Parent, HWND Wnd);
LONG GetWindowLong(HWND Wnd, int Index);
LONG SetWindowLong(HWND Wnd, int Index, LONG NewLong);
LONG_PTR GetWindowLongPtr(HWND Wnd, int Index);
LONG_PTR SetWindowLongPtr(HWND Wnd, int Index, LONG_PTR NewLong);
LRESULT CallWindowProc(WNDPROC PrevWndFunc, HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
LRESULT DefWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
HWND GetWindow(HWND Wnd, UINT Cmd);
HWND GetParent(HWND Wnd);
HWND GetAncestor(HWND Wnd, UINT Flags);
HWND GetTopWindow(HWND Wnd);
HWND GetDesktopWindow();
HWND SetParent(HWND Child, HWND NewParent);
BOOL EnumWindows(WNDENUMPROC Func, LPARAM Param);
BOOL EnumChildWindows(HWND Parent, WNDENUMPROC Func, LPARAM Param);
BOOL EnumThreadWindows(DWORD ThreadId, WNDENUMPROC Func, LPARAM Param);
HWND FindWindow(LPCSTR ClassName, LPCSTR WindowName);
HWND FindWindowEx(HWND Parent, HWND ChildAfter, LPCSTR ClassName, LPCSTR WindowName);
int GetWindowText(HWND Wnd, LPSTR String, int MaxCount);
int GetWindowTextLength(HWND Wnd);
BOOL SetWindowText(HWND Wnd, LPCSTR String);
std::string GetWindowTextString(HWND Wnd);  // the whole text, however long
BOOL EnableWindow(HWND Wnd, BOOL Enable);
int GetDlgCtrlID(HWND Wnd);
HWND GetDlgItem(HWND Dlg, int Id);
DWORD GetWindowThreadProcessId(HWND Wnd, DWORD* ProcessId);
BOOL LockWindowUpdate(HWND Wnd);

// ---- Geometry ---------------------------------------------------------------------------------------------------
BOOL SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int Cx, int Cy, UINT Flags);
BOOL MoveWindow(HWND Wnd, int X, int Y, int Width, int Height, BOOL Repaint);
BOOL ShowWindow(HWND Wnd, int CmdShow);
BOOL BringWindowToTop(HWND Wnd);
BOOL GetWindowRect(HWND Wnd, TRect* Rect);  // screen coordinates
BOOL GetClientRect(HWND Wnd, TRect* Rect);  // (0, 0, width, height)
BOOL ClientToScreen(HWND Wnd, TPoint* Point);
BOOL ScreenToClient(HWND Wnd, TPoint* Point);
int MapWindowPoints(HWND From, HWND To, TPoint* Points, UINT Count);
HWND WindowFromPoint(TPoint Point);
HWND ChildWindowFromPoint(HWND Parent, TPoint Point);
BOOL AdjustWindowRectEx(TRect* Rect, DWORD Style, BOOL Menu, DWORD ExStyle);
int GetSystemMetrics(int Index);
// Tests: makes the screen (and its work area) this rectangle instead of the real one; an empty rectangle goes
// back to the real screen. Window placement at screen edges is tested with it.
void SetScreenRectForTests(TRect R);
// The rectangle SetScreenRectForTests set, or an empty one.
TRect ScreenRectForTests();

// ---- Messages ---------------------------------------------------------------------------------------------------
LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
BOOL PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
BOOL PostThreadMessage(DWORD ThreadId, UINT Msg, WPARAM WParam, LPARAM LParam);
BOOL SendNotifyMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
void PostQuitMessage(int ExitCode);
BOOL PeekMessage(MSG* Msg, HWND Wnd, UINT FilterMin, UINT FilterMax, UINT RemoveMsg);
BOOL GetMessage(MSG* Msg, HWND Wnd, UINT FilterMin, UINT FilterMax);  // FALSE for WM_QUIT
BOOL WaitMessage();
// Without handles (Count 0, the only form supported): waits until a message is in the queue (WAIT_OBJECT_0) or
// the time on the current clock is up (WAIT_TIMEOUT); WAIT_FAILED for handles.
DWORD MsgWaitForMultipleObjects(DWORD Count, const HANDLE* Handles, BOOL WaitAll, DWORD Milliseconds, DWORD WakeMask);
BOOL TranslateMessage(const MSG* Msg);
LRESULT DispatchMessage(const MSG* Msg);
DWORD GetMessagePos();
LONG GetMessageTime();
LPARAM GetMessageExtraInfo();
BOOL InSendMessage();
DWORD GetQueueStatus(UINT Flags);
UINT RegisterWindowMessage(LPCSTR String);

// ---- Focus, activation, capture, keyboard and mouse state ------------------------------------------------------
// Focus, activation and capture belong to the calling thread. SetFocus sends WM_KILLFOCUS to the old and
// WM_SETFOCUS to the new focus (activating its top-level window first) and returns the old focus.
HWND SetFocus(HWND Wnd);
HWND GetFocus();
HWND SetActiveWindow(HWND Wnd);
HWND GetActiveWindow();
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND Wnd);
// Mouse input goes to the capture window, in its client coordinates, until ReleaseCapture; the window that
// loses the capture gets WM_CAPTURECHANGED with the new capture window in lParam.
HWND SetCapture(HWND Wnd);
BOOL ReleaseCapture();
HWND GetCapture();
// Confines the cursor to a screen rectangle (null: frees it). The layer has no pointer of its own to move, so the
// rectangle is only recorded and reported by GetClipCursor; synthetic input is not clipped.
BOOL ClipCursor(const RECT* Rect);
BOOL GetClipCursor(RECT* Rect);
// The key state as of the messages read so far (high bit: down; low bit: toggled), and as of now.
SHORT GetKeyState(int VirtKey);
SHORT GetAsyncKeyState(int VirtKey);
BOOL GetKeyboardState(BYTE* KeyState);  // 256 bytes
BOOL SetKeyboardState(const BYTE* KeyState);
inline constexpr UINT MAPVK_VK_TO_VSC = 0;
inline constexpr UINT MAPVK_VSC_TO_VK = 1;
inline constexpr UINT MAPVK_VK_TO_CHAR = 2;
UINT MapVirtualKey(UINT Code, UINT MapType);
// Asks for WM_MOUSELEAVE (WM_NCMOUSELEAVE with TME_NONCLIENT) once the pointer leaves the window; one request
// gives one message. TME_HOVER is accepted but gives no WM_MOUSEHOVER.
inline constexpr DWORD TME_HOVER = 0x00000001;
inline constexpr DWORD TME_LEAVE = 0x00000002;
inline constexpr DWORD TME_NONCLIENT = 0x00000010;
inline constexpr DWORD TME_QUERY = 0x40000000;
inline constexpr DWORD TME_CANCEL = 0x80000000;
inline constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;
struct TRACKMOUSEEVENT {
  DWORD cbSize = sizeof(TRACKMOUSEEVENT);
  DWORD dwFlags = 0;
  HWND hwndTrack = 0;
  DWORD dwHoverTime = HOVER_DEFAULT;
};
using TTrackMouseEvent = TRACKMOUSEEVENT;
BOOL TrackMouseEvent(TRACKMOUSEEVENT* Track);
// Sounds are quiet here (no sound device is assumed); the calls are counted for tests.
BOOL MessageBeep(UINT Type);
int MessageBeepCount();
UINT GetDoubleClickTime();
BOOL SetDoubleClickTime(UINT Milliseconds);
BOOL GetCursorPos(TPoint* Point);
BOOL SetCursorPos(int X, int Y);

// ---- Update regions ---------------------------------------------------------------------------------------------
// A window's invalid area (kept as its bounding rectangle) makes WM_PAINT due for it once nothing else is queued.
// The painting calls that validate it (BeginPaint, ValidateRect) or draw it come with the graphics unit.
BOOL InvalidateRect(HWND Wnd, const TRect* Rc, BOOL Erase);
BOOL ValidateRect(HWND Wnd, const TRect* Rc);
BOOL GetUpdateRect(HWND Wnd, TRect* Rc, BOOL Erase);
BOOL UpdateWindow(HWND Wnd);  // sends WM_PAINT at once when the window needs painting
// Whether the last BeginPaint-style request asked for the background to be erased; clears the flag.
BOOL TakeEraseBackground(HWND Wnd);

// ---- Timers -----------------------------------------------------------------------------------------------------
// A timer is due Elapse milliseconds (of the current clock, see Clock.h) after it was set or last fired; one
// WM_TIMER is synthesized however many periods were missed. With a window, the id names the timer within that
// window (setting it again re-arms it) and SetTimer returns the id; without a window, SetTimer returns a new id.
// A TIMERPROC is called by DispatchMessage instead of the window procedure.
UINT_PTR SetTimer(HWND Wnd, UINT_PTR IdEvent, UINT Elapse, TIMERPROC TimerFunc);
BOOL KillTimer(HWND Wnd, UINT_PTR IdEvent);

inline constexpr UINT QS_KEY = 0x0001;
inline constexpr UINT QS_MOUSEMOVE = 0x0002;
inline constexpr UINT QS_MOUSEBUTTON = 0x0004;
inline constexpr UINT QS_POSTMESSAGE = 0x0008;
inline constexpr UINT QS_TIMER = 0x0010;
inline constexpr UINT QS_PAINT = 0x0020;
inline constexpr UINT QS_SENDMESSAGE = 0x0040;
inline constexpr UINT QS_MOUSE = QS_MOUSEMOVE | QS_MOUSEBUTTON;
inline constexpr UINT QS_INPUT = QS_MOUSE | QS_KEY;
inline constexpr UINT QS_ALLINPUT = QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_SENDMESSAGE;

// The handler of exceptions that escape a window procedure called from a loop. The application object installs
// one (it calls HandleException); without one the exception's message is written to standard error. The message
// being handled is dropped either way, and the loop goes on.
using TWindowExceptionHandler = void (*)(const std::exception& E);
TWindowExceptionHandler SetWindowExceptionHandler(TWindowExceptionHandler Handler);
