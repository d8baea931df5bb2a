// The caret: one per thread, a blinking inverted block (or bitmap) drawn into its window's image.
#pragma once

#include "platform/win/WinTypes.h"

// Replaces the thread's caret with a new one for the window: solid black (Bitmap 0), grey (Bitmap 1) or the
// bitmap's pixels, of Width x Height (0: the system border width and the font-independent default height).
// A new caret is hidden; ShowCaret shows it.
BOOL CreateCaret(HWND Wnd, HBITMAP Bitmap, int Width, int Height);
BOOL DestroyCaret();
// Hiding counts: a caret hidden twice shows again after two ShowCaret calls. While it is hidden it is never
// left drawn in the window. Wnd 0 means the caret's own window; another window fails.
BOOL HideCaret(HWND Wnd);
BOOL ShowCaret(HWND Wnd);
BOOL SetCaretPos(int X, int Y);
BOOL GetCaretPos(TPoint* Point);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT Milliseconds);

namespace Gdi {
// Painting takes the caret off while a window paints over it and puts it back after.
void CaretPaintBegin(HWND Wnd);
void CaretPaintEnd(HWND Wnd);
}  // namespace Gdi
