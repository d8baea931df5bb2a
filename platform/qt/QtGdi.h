// The Qt side of the drawing unit as the window hosts see it: showing a window's backing image.
#pragma once

#include "platform/win/WinTypes.h"

class QPainter;
class QRect;

// Copies the part R (widget coordinates) of the window's backing image onto the host's painter; false when the
// window has no backing image yet.
bool PaintWindowBacking(HWND Wnd, QPainter& P, const QRect& R);
