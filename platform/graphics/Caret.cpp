// The caret: per-thread state, blinking by a thread timer, drawn by inverting pixels of its window's image.
#include "platform/graphics/Caret.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/WinUser.h"

namespace {

struct TCaret {
  HWND Wnd = 0;
  HBITMAP Bitmap = 0;
  int Width = 0;
  int Height = 0;
  TPoint Pos;
  int HideCount = 1;  // a new caret is hidden
  bool Drawn = false;
  UINT_PTR Timer = 0;
};

thread_local TCaret Caret;
UINT BlinkTime = 530;

// Inverts the caret's pixels; doing it twice restores them.
void Toggle() {
  TCaret& C = Caret;
  if (!IsWindow(C.Wnd)) {
    C.Drawn = false;
    return;
  }
  HDC DC = GetDC(C.Wnd);
  if (C.Bitmap > 1) {
    HDC Mem = CreateCompatibleDC(DC);
    HGDIOBJ Old = SelectObject(Mem, C.Bitmap);
    BitBlt(DC, C.Pos.X, C.Pos.Y, C.Width, C.Height, Mem, 0, 0, SRCINVERT);
    SelectObject(Mem, Old);
    DeleteDC(Mem);
  } else if (C.Bitmap == 1) {
    HBRUSH Gray = CreateSolidBrush(RGB(128, 128, 128));
    HGDIOBJ Old = SelectObject(DC, Gray);
    PatBlt(DC, C.Pos.X, C.Pos.Y, C.Width, C.Height, PATINVERT);
    SelectObject(DC, Old);
    DeleteObject(Gray);
  } else {
    PatBlt(DC, C.Pos.X, C.Pos.Y, C.Width, C.Height, DSTINVERT);
  }
  ReleaseDC(C.Wnd, DC);
  C.Drawn = !C.Drawn;
}

void Erase() {
  if (Caret.Drawn) {
    Toggle();
  }
}

void BlinkProc(HWND, UINT, UINT_PTR, DWORD) {
  if (Caret.Wnd && Caret.HideCount == 0) {
    Toggle();
  }
}

void RestartBlink() {
  if (Caret.Timer) {
    KillTimer(0, Caret.Timer);
    Caret.Timer = 0;
  }
  if (Caret.Wnd && Caret.HideCount == 0 && BlinkTime != static_cast<UINT>(-1)) {
    Caret.Timer = SetTimer(0, 0, BlinkTime, &BlinkProc);
  }
}

bool Mine(HWND Wnd) { return Caret.Wnd && (Wnd == 0 || Wnd == Caret.Wnd); }

}  // namespace

BOOL CreateCaret(HWND Wnd, HBITMAP Bitmap, int Width, int Height) {
  if (!IsWindow(Wnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  DestroyCaret();
  Caret = TCaret{};
  Caret.Wnd = Wnd;
  Caret.Bitmap = Bitmap;
  if (Bitmap > 1) {
    BITMAP B;
    if (GetObject(Bitmap, sizeof B, &B) == sizeof B) {
      Width = B.bmWidth;
      Height = B.bmHeight;
    }
  }
  Caret.Width = Width > 0 ? Width : 1;
  Caret.Height = Height > 0 ? Height : 16;
  return TRUE;
}

BOOL DestroyCaret() {
  if (!Caret.Wnd) {
    return FALSE;
  }
  Erase();
  if (Caret.Timer) {
    KillTimer(0, Caret.Timer);
  }
  Caret = TCaret{};
  return TRUE;
}

BOOL HideCaret(HWND Wnd) {
  if (!Mine(Wnd)) {
    return FALSE;
  }
  ++Caret.HideCount;
  Erase();
  RestartBlink();
  return TRUE;
}

BOOL ShowCaret(HWND Wnd) {
  if (!Mine(Wnd) || Caret.HideCount == 0) {
    return FALSE;
  }
  if (--Caret.HideCount == 0) {
    Toggle();  // shown at once, then blinking
    RestartBlink();
  }
  return TRUE;
}

BOOL SetCaretPos(int X, int Y) {
  if (!Caret.Wnd) {
    return FALSE;
  }
  bool WasDrawn = Caret.Drawn;
  Erase();
  Caret.Pos = Point(X, Y);
  if (WasDrawn || Caret.HideCount == 0) {
    Toggle();
    RestartBlink();  // a moved caret stays on for a whole period
  }
  return TRUE;
}

BOOL GetCaretPos(TPoint* Point) {
  if (!Point) {
    return FALSE;
  }
  *Point = Caret.Pos;
  return TRUE;
}

UINT GetCaretBlinkTime() { return BlinkTime; }

BOOL SetCaretBlinkTime(UINT Milliseconds) {
  BlinkTime = Milliseconds;
  RestartBlink();
  return TRUE;
}

namespace Gdi {

void CaretPaintBegin(HWND Wnd) {
  if (Caret.Wnd == Wnd && Wnd) {
    ++Caret.HideCount;
    Erase();
  }
}

void CaretPaintEnd(HWND Wnd) {
  if (Caret.Wnd == Wnd && Wnd && Caret.HideCount > 0 && --Caret.HideCount == 0) {
    Toggle();
  }
}

}  // namespace Gdi
