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

}  // namespace Harness
