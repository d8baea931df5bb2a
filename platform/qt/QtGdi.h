// The Qt side of the drawing unit as the window hosts see it: showing a window's backing image.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>
#include <vector>

class QPainter;
class QRect;

// Copies the part R (widget coordinates) of the window's backing image onto the host's painter; false when the
// window has no backing image yet.
bool PaintWindowBacking(HWND Wnd, QPainter& P, const QRect& R);

struct TPrintSettings;
struct TPixels;
namespace Gdi {
// Print jobs on Qt's printers (QtPrinter.cpp), registered with the drawing functions (QtGdi.cpp).
std::vector<std::string> QtPrinterNames();
void* QtPrintJobStart(const TPrintSettings& Settings);
bool QtPrintJobPage(void* Job, const TPixels& Page);
bool QtPrintJobEnd(void* Job, bool Abort);
}  // namespace Gdi
