// What the test harness tells about the desktop's view of the program's windows beyond the harness's own calls.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstdint>

namespace Harness {

// Whether the desktop lists the top-level window in its taskbar (false when it is not on screen).
bool HasTaskbarEntry(HWND Wnd);
// The pixel at the centre of the icon the desktop shows for the top-level window (its own icon, else the
// application's) as 0xAARRGGBB; 0 when it shows none or the window is not on screen.
std::uint32_t WindowIconPixel(HWND Wnd);

// Another program takes the keyboard focus (the program goes to the background), or the desktop gives it back to
// one of the program's windows (a click on its taskbar entry), as the desktop reports those changes.
void OtherProgramTakesFocus();
void DesktopActivates(HWND Wnd);
// The top-level window the desktop has active (0 when none of the program's).
HWND DesktopActiveWindow();
// Whether the desktop shows the top-level window iconified; the desktop restoring it (from its taskbar entry).
bool IconifiedOnDesktop(HWND Wnd);
void DesktopRestores(HWND Wnd);

}  // namespace Harness
