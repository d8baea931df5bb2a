// The platform's tooltip control (window class "tooltips_class32"): tools are rectangles of windows with a text;
// hovering over one shows the tip after the initial delay until the mouse leaves it or the auto-pop time passes.
#pragma once

#include "platform/win/WinUser.h"

inline constexpr const char* TOOLTIPS_CLASS = "tooltips_class32";

inline constexpr DWORD TTS_ALWAYSTIP = 0x01;
inline constexpr DWORD TTS_NOPREFIX = 0x02;
inline constexpr DWORD TTS_NOANIMATE = 0x10;
inline constexpr DWORD TTS_NOFADE = 0x20;
inline constexpr DWORD TTS_BALLOON = 0x40;

inline constexpr UINT TTF_IDISHWND = 0x0001;
inline constexpr UINT TTF_CENTERTIP = 0x0002;
inline constexpr UINT TTF_RTLREADING = 0x0004;
inline constexpr UINT TTF_SUBCLASS = 0x0010;
inline constexpr UINT TTF_TRACK = 0x0020;
inline constexpr UINT TTF_ABSOLUTE = 0x0080;
inline constexpr UINT TTF_TRANSPARENT = 0x0100;  // the mouse passes through the shown tip to the window below

inline constexpr WPARAM TTDT_AUTOMATIC = 0;
inline constexpr WPARAM TTDT_RESHOW = 1;
inline constexpr WPARAM TTDT_AUTOPOP = 2;
inline constexpr WPARAM TTDT_INITIAL = 3;

inline constexpr UINT TTM_ACTIVATE = WM_USER + 1;
inline constexpr UINT TTM_SETDELAYTIME = WM_USER + 3;
inline constexpr UINT TTM_ADDTOOL = WM_USER + 4;
inline constexpr UINT TTM_DELTOOL = WM_USER + 5;
inline constexpr UINT TTM_NEWTOOLRECT = WM_USER + 6;
inline constexpr UINT TTM_RELAYEVENT = WM_USER + 7;
inline constexpr UINT TTM_GETTOOLINFO = WM_USER + 8;
inline constexpr UINT TTM_SETTOOLINFO = WM_USER + 9;
inline constexpr UINT TTM_GETTEXT = WM_USER + 11;
inline constexpr UINT TTM_UPDATETIPTEXT = WM_USER + 12;
inline constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
inline constexpr UINT TTM_WINDOWFROMPOINT = WM_USER + 16;
inline constexpr UINT TTM_TRACKACTIVATE = WM_USER + 17;
inline constexpr UINT TTM_TRACKPOSITION = WM_USER + 18;
inline constexpr UINT TTM_SETTIPBKCOLOR = WM_USER + 19;
inline constexpr UINT TTM_SETTIPTEXTCOLOR = WM_USER + 20;
inline constexpr UINT TTM_GETDELAYTIME = WM_USER + 21;
inline constexpr UINT TTM_SETMAXTIPWIDTH = WM_USER + 24;
inline constexpr UINT TTM_GETMAXTIPWIDTH = WM_USER + 25;
inline constexpr UINT TTM_POP = WM_USER + 28;
inline constexpr UINT TTM_UPDATE = WM_USER + 29;

// WM_NOTIFY codes the control sends to a tool's window: TTN_SHOW (answer non-zero when the handler placed the
// tip itself) and TTN_POP.
inline constexpr UINT TTN_FIRST = static_cast<UINT>(-520);
inline constexpr UINT TTN_SHOW = TTN_FIRST - 1;
inline constexpr UINT TTN_POP = TTN_FIRST - 2;

// A tool. cbSize is accepted whatever its value (the record has no older layouts here).
struct TOOLINFO {
  UINT cbSize = sizeof(TOOLINFO);
  UINT uFlags = 0;
  HWND hwnd = 0;
  UINT_PTR uId = 0;
  TRect rect;           // client coordinates of hwnd (unused with TTF_IDISHWND: the whole window)
  HINSTANCE hinst = nullptr;
  LPSTR lpszText = nullptr;
  LPARAM lParam = 0;
};
using TToolInfo = TOOLINFO;

// Registers the window class (also done when the program starts); true when it is registered.
bool InitToolTipControl();
