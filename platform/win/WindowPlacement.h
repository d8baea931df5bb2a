// A top-level window's placement: its show state and its normal (restored) rectangle, as one 44-byte record.
#pragma once

#include "platform/win/WinUser.h"

#include <cstdint>

// The platform's record: little-endian 32-bit fields, 44 bytes in all; length must be 44.
struct WINDOWPLACEMENT {
  UINT length = sizeof(WINDOWPLACEMENT);
  UINT flags = 0;
  UINT showCmd = 0;
  TPoint ptMinPosition;
  TPoint ptMaxPosition;
  TRect rcNormalPosition;  // screen coordinates (the parent's client coordinates for a child)
};
static_assert(sizeof(WINDOWPLACEMENT) == 44, "the stored record is 44 bytes");
using TWindowPlacement = WINDOWPLACEMENT;

// FALSE for a bad window or a record whose length is not 44.
BOOL GetWindowPlacement(HWND Wnd, WINDOWPLACEMENT* Placement);
// Moves the window to its normal rectangle and shows it with showCmd (SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED,
// SW_SHOWNORMAL...; SW_HIDE keeps it hidden); a minimised or maximised window keeps the rectangle for its restore.
BOOL SetWindowPlacement(HWND Wnd, const WINDOWPLACEMENT* Placement);
