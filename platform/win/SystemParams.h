// SystemParametersInfo: the desktop settings the program reads, with fixed answers (a classic, unthemed desktop).
#pragma once

#include "platform/graphics/WinGdi.h"
#include "platform/win/WinTypes.h"

inline constexpr UINT SPI_GETBORDER = 0x0005;
inline constexpr UINT SPI_GETKEYBOARDSPEED = 0x000A;
inline constexpr UINT SPI_GETKEYBOARDDELAY = 0x0016;
inline constexpr UINT SPI_GETMENUDROPALIGNMENT = 0x001B;
inline constexpr UINT SPI_SETMENUDROPALIGNMENT = 0x001C;
// GetSystemMetrics: drop-down menus align with their button's right edge (1) or left edge (0).
inline constexpr int SM_MENUDROPALIGNMENT = 40;
inline constexpr UINT SPI_GETICONTITLELOGFONT = 0x001F;
inline constexpr UINT SPI_GETDRAGFULLWINDOWS = 0x0026;
inline constexpr UINT SPI_GETNONCLIENTMETRICS = 0x0029;
inline constexpr UINT SPI_GETWORKAREA = 0x0030;
inline constexpr UINT SPI_GETHIGHCONTRAST = 0x0042;
inline constexpr UINT SPI_GETKEYBOARDPREF = 0x0044;
inline constexpr UINT SPI_GETSCREENREADER = 0x0046;
inline constexpr UINT SPI_GETFONTSMOOTHING = 0x004A;
inline constexpr UINT SPI_GETMOUSEHOVERWIDTH = 0x0062;
inline constexpr UINT SPI_GETMOUSEHOVERHEIGHT = 0x0064;
inline constexpr UINT SPI_GETMOUSEHOVERTIME = 0x0066;
inline constexpr UINT SPI_GETWHEELSCROLLLINES = 0x0068;
inline constexpr UINT SPI_GETMENUSHOWDELAY = 0x006A;
inline constexpr UINT SPI_SETMENUSHOWDELAY = 0x006B;
inline constexpr UINT SPI_GETWHEELSCROLLCHARS = 0x006C;
inline constexpr UINT SPI_GETMENUANIMATION = 0x1002;
inline constexpr UINT SPI_SETMENUANIMATION = 0x1003;
inline constexpr UINT SPI_GETCOMBOBOXANIMATION = 0x1004;
inline constexpr UINT SPI_GETLISTBOXSMOOTHSCROLLING = 0x1006;
inline constexpr UINT SPI_GETGRADIENTCAPTIONS = 0x1008;
inline constexpr UINT SPI_GETKEYBOARDCUES = 0x100A;
inline constexpr UINT SPI_GETMENUUNDERLINES = SPI_GETKEYBOARDCUES;
inline constexpr UINT SPI_GETHOTTRACKING = 0x100E;
inline constexpr UINT SPI_GETMENUFADE = 0x1012;
inline constexpr UINT SPI_SETMENUFADE = 0x1013;
inline constexpr UINT SPI_GETSELECTIONFADE = 0x1014;
inline constexpr UINT SPI_GETTOOLTIPANIMATION = 0x1016;
inline constexpr UINT SPI_GETTOOLTIPFADE = 0x1018;
inline constexpr UINT SPI_GETCURSORSHADOW = 0x101A;
inline constexpr UINT SPI_GETFLATMENU = 0x1022;
inline constexpr UINT SPI_GETDROPSHADOW = 0x1024;
inline constexpr UINT SPI_GETUIEFFECTS = 0x103E;
inline constexpr UINT SPI_GETFOREGROUNDLOCKTIMEOUT = 0x2000;
inline constexpr UINT SPI_GETCARETWIDTH = 0x2006;
inline constexpr UINT SPI_GETFONTSMOOTHINGTYPE = 0x200A;

struct NONCLIENTMETRICS {
  UINT cbSize = sizeof(NONCLIENTMETRICS);
  int iBorderWidth = 0;
  int iScrollWidth = 0;
  int iScrollHeight = 0;
  int iCaptionWidth = 0;
  int iCaptionHeight = 0;
  LOGFONT lfCaptionFont;
  int iSmCaptionWidth = 0;
  int iSmCaptionHeight = 0;
  LOGFONT lfSmCaptionFont;
  int iMenuWidth = 0;
  int iMenuHeight = 0;
  LOGFONT lfMenuFont;
  LOGFONT lfStatusFont;
  LOGFONT lfMessageFont;
};
using TNonClientMetrics = NONCLIENTMETRICS;

// Fills Param (a BOOL, UINT, TRect, NONCLIENTMETRICS or LOGFONT as the action says). Settings calls (SPI_SET...)
// are accepted and change nothing: the desktop's settings are not the program's to change. The menu settings are
// the exception: SPI_SETMENUSHOWDELAY (the delay in UiParam), SPI_SETMENUANIMATION and SPI_SETMENUFADE (the switch
// in Param, as a pointer-sized TRUE or FALSE) and SPI_SETMENUDROPALIGNMENT (right-aligned drop-down menus when
// UiParam is non-zero; GetSystemMetrics(SM_MENUDROPALIGNMENT) follows) change what this process reads back, so that menu code can be
// exercised with each setting. Unknown actions fail
// with ERROR_INVALID_PARAMETER, as does a NONCLIENTMETRICS whose cbSize is wrong.
BOOL SystemParametersInfo(UINT Action, UINT UiParam, void* Param, UINT WinIni);
