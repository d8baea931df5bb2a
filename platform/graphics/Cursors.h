// Cursors: the class library's TCursor values, the system cursor ids and the cursor shown over the program's windows.
#pragma once

#include "platform/win/WinTypes.h"

using TCursor = SmallInt;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSize = -22;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

inline constexpr WORD IDC_ARROW = 32512;
inline constexpr WORD IDC_IBEAM = 32513;
inline constexpr WORD IDC_WAIT = 32514;
inline constexpr WORD IDC_CROSS = 32515;
inline constexpr WORD IDC_UPARROW = 32516;
inline constexpr WORD IDC_SIZE = 32640;
inline constexpr WORD IDC_ICON = 32641;
inline constexpr WORD IDC_SIZENWSE = 32642;
inline constexpr WORD IDC_SIZENESW = 32643;
inline constexpr WORD IDC_SIZEWE = 32644;
inline constexpr WORD IDC_SIZENS = 32645;
inline constexpr WORD IDC_SIZEALL = 32646;
inline constexpr WORD IDC_NO = 32648;
inline constexpr WORD IDC_HAND = 32649;
inline constexpr WORD IDC_APPSTARTING = 32650;
inline constexpr WORD IDC_HELP = 32651;
// The system cursors: LoadCursor(0, MAKEINTRESOURCE(IDC_xxx)) gives a shared handle (the id itself), 0 for others.
HCURSOR LoadCursor(HINSTANCE Instance, LPCSTR Name);
// The standard cursor of a crXXX value (crDefault and crNone give 0).
HCURSOR CursorOfTCursor(TCursor Cursor);
// The cursor shown over the program's windows; returns the previous one.
HCURSOR SetCursor(HCURSOR Cursor);
HCURSOR GetCursor();
