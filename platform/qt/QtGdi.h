// The Qt side of the drawing unit as the window hosts see it: showing a window's backing image.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstdint>
#include <string>
#include <vector>

class QPainter;
class QRect;

// The largest em size, in pixels, that fonts are built with: the font library cannot render glyphs past 65,535
// pixels, and text that large is drawn as outlines anyway. Larger requests get this size.
inline constexpr int MaxFontPixelSize = 16384;

// Copies the part R (widget coordinates) of the window's backing image onto the host's painter; false when the
// window has no backing image yet.
bool PaintWindowBacking(HWND Wnd, QPainter& P, const QRect& R);

struct TPrintSettings;
struct TPixels;
enum class TStandardIcon;
namespace Gdi {
// Print jobs on Qt's printers (QtPrinter.cpp), registered with the drawing functions (QtGdi.cpp).
std::vector<std::string> QtPrinterNames();
void* QtPrintJobStart(const TPrintSettings& Settings);
bool QtPrintJobPage(void* Job, const TPixels& Page);
bool QtPrintJobEnd(void* Job, bool Abort);
// The desktop's icons (QtIcons.cpp): the icon theme, then the style's standard icons.
int QtDesktopIcon(const std::vector<std::string>& Names, TStandardIcon Standard, int Size, std::string& Key,
                  std::vector<std::uint32_t>* Pixels);
}  // namespace Gdi
