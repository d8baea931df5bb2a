// The application's icon as the desktop shows it.
#pragma once

#include "platform/win/WinTypes.h"

// The desktop shows the application's icon for every window of the program without an icon of its own (WM_SETICON)
// and in the taskbar. The handle is not owned and must live while it is set; 0 gives the desktop's default back.
void SetApplicationIcon(HICON Icon);
HICON GetApplicationIcon();

// wParam of WM_SETICON and WM_GETICON.
inline constexpr WPARAM ICON_SMALL = 0;
inline constexpr WPARAM ICON_BIG = 1;
