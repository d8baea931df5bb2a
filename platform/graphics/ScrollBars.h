// Window scroll bars: range, page and position per bar, the visibility rule, drawing in the frame, and the mouse
// (arrows, page areas, thumb dragging) sending WM_VSCROLL/WM_HSCROLL. The flat scroll-bar calls act on the same bars.
#pragma once

#include "platform/win/WinTypes.h"

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};
using TScrollInfo = SCROLLINFO;

inline constexpr UINT SIF_RANGE = 0x0001;
inline constexpr UINT SIF_PAGE = 0x0002;
inline constexpr UINT SIF_POS = 0x0004;
inline constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
inline constexpr UINT SIF_TRACKPOS = 0x0010;
inline constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

inline constexpr UINT ESB_ENABLE_BOTH = 0x0000;
inline constexpr UINT ESB_DISABLE_BOTH = 0x0003;
inline constexpr UINT ESB_DISABLE_LTUP = 0x0001;
inline constexpr UINT ESB_DISABLE_RTDN = 0x0002;

// A bar shows while its page is smaller than its range (nMax - nMin + 1); with SIF_DISABLENOSCROLL it stays
// shown, disabled, instead of disappearing. Showing or hiding a bar changes the client area (WM_SIZE follows).
// The position is kept within nMin .. nMax - max(nPage - 1, 0). Returns the new position.
int SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO* Info, BOOL Redraw);
BOOL GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info);
int SetScrollPos(HWND Wnd, int Bar, int Pos, BOOL Redraw);  // returns the previous position
int GetScrollPos(HWND Wnd, int Bar);
BOOL SetScrollRange(HWND Wnd, int Bar, int Min, int Max, BOOL Redraw);
BOOL GetScrollRange(HWND Wnd, int Bar, int* Min, int* Max);
BOOL ShowScrollBar(HWND Wnd, int Bar, BOOL Show);
BOOL EnableScrollBar(HWND Wnd, UINT Bar, UINT Arrows);

BOOL InitializeFlatSB(HWND Wnd);
std::int32_t UninitializeFlatSB(HWND Wnd);
int FlatSB_SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO* Info, BOOL Redraw);
BOOL FlatSB_GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info);
int FlatSB_SetScrollPos(HWND Wnd, int Bar, int Pos, BOOL Redraw);
int FlatSB_GetScrollPos(HWND Wnd, int Bar);
int FlatSB_SetScrollRange(HWND Wnd, int Bar, int Min, int Max, BOOL Redraw);
BOOL FlatSB_GetScrollRange(HWND Wnd, int Bar, int* Min, int* Max);
BOOL FlatSB_ShowScrollBar(HWND Wnd, int Bar, BOOL Show);
BOOL FlatSB_EnableScrollBar(HWND Wnd, int Bar, UINT Arrows);
BOOL FlatSB_SetScrollProp(HWND Wnd, UINT Index, std::intptr_t Value, BOOL Redraw);
// Flat scroll-bar properties and their style values.
inline constexpr UINT WSB_PROP_VSTYLE = 0x0100;
inline constexpr UINT WSB_PROP_HSTYLE = 0x0200;
inline constexpr std::intptr_t FSB_REGULAR_MODE = 0;
inline constexpr std::intptr_t FSB_ENCARTA_MODE = 1;
inline constexpr std::intptr_t FSB_FLAT_MODE = 2;

namespace Gdi {
// Draws the window's scroll bars into its frame (WM_NCPAINT and after changes).
void DrawScrollBars(HWND Wnd);
// The default window procedure's handling of a press on a scroll bar (HTVSCROLL/HTHSCROLL at a screen point):
// sends the scroll messages and, for the thumb, follows the mouse until the button goes up.
void ScrollBarClick(HWND Wnd, WPARAM HitTest, LPARAM ScreenPoint);
}  // namespace Gdi
