// Menu animation: the timing thread and the steps it asks the window's own thread to show.
#include "toolbars/Tb2anim.h"

#include "platform/graphics/WinGdi.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Clock.h"
#include "platform/win/Desktop.h"
#include "platform/win/KernelObjects.h"
#include "platform/win/Modules.h"
#include "platform/win/Sync.h"

#include <atomic>

namespace {

using TUpdateLayeredWindowProc = BOOL (*)(HWND, HDC, TPoint*, TSize*, HDC, TPoint*, COLORREF, const BLENDFUNCTION*,
                                          DWORD);

bool LayeredLookedUp = false;
TUpdateLayeredWindowProc UpdateLayeredWindowProc = nullptr;

// The one animation of the process. The worker thread reads the timing values and writes Step, the cursor and
// the flags; everything that draws runs on the window's own thread.
struct TAnimationData {
  HWND Wnd = 0;
  int Duration = 0;
  bool Fade = false;
  TTBAnimationDirection Direction;
  TPoint StartCursor{0, 0};
  TRect ScreenClientRect;
  HDC WindowDC = 0;
  HDC MemDC = 0;
  HBITMAP Bitmap = 0;
  HGDIOBJ OldBitmap = 0;
  int Width = 0;
  int Height = 0;
  std::atomic<int> Step{0};
};

TAnimationData Anim;
HANDLE ThreadHandle = 0;
HANDLE StopEvent = 0;  // set to ask the thread to stop; also cuts its waits short
std::atomic<bool> Finished{false};
volatile LONG StepPending = 0;
std::atomic<LPARAM> Serial{0};

DWORD AnimationThreadProc(LPVOID) {
  LARGE_INTEGER Frequency, Start, Now;
  QueryPerformanceFrequency(&Frequency);
  const LONGLONG TicksPerMs = std::max<LONGLONG>(1, Frequency.QuadPart / 1000);
  QueryPerformanceCounter(&Start);
  TPoint LastCursor = Anim.StartCursor;
  const HWND Wnd = Anim.Wnd;
  const int Duration = std::max(1, Anim.Duration);
  const LPARAM MySerial = Serial.load();
  while (WaitForSingleObject(StopEvent, 0) == WAIT_TIMEOUT) {
    QueryPerformanceCounter(&Now);
    const LONGLONG Elapsed = (Now.QuadPart - Start.QuadPart) / TicksPerMs;
    const int Target = MulDiv(255, static_cast<int>(std::min<LONGLONG>(Elapsed, 0x7FFFFFFF)), Duration);
    if (Target < 0) {
      break;
    }
    const int NewStep = Target & ~15;
    if (NewStep > 240 || Elapsed >= Duration) {
      break;
    }
    TPoint P;
    GetCursorPos(&P);
    if (P.X != LastCursor.X || P.Y != LastCursor.Y) {
      const TRect& R = Anim.ScreenClientRect;
      if (P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom) {
        break;  // the user already points into the menu: show it whole
      }
      LastCursor = P;
    }
    const int Current = Anim.Step.load();
    if (Current < NewStep) {
      Anim.Step.store(NewStep);
      if (InterlockedExchange(&StepPending, 1) != 1) {
        SendNotifyMessage(Wnd, WM_TB2K_STEPANIMATION, 0, MySerial);
      }
    } else {
      const DWORD Wait = static_cast<DWORD>(std::max(1, MulDiv(Current - Target + 16, Duration, 255)));
      WaitForSingleObject(StopEvent, Wait);
    }
  }
  Finished.store(true);
  SendNotifyMessage(Wnd, WM_TB2K_STEPANIMATION, 0, MySerial);
  return 0;
}

void SetLayeredAlpha(HWND Wnd, int Alpha, TPoint* Pos, TSize* Size, HDC Src) {
  BLENDFUNCTION Blend;
  Blend.SourceConstantAlpha = static_cast<BYTE>(std::clamp(Alpha, 0, 255));
  TPoint Origin{0, 0};
  UpdateLayeredWindowProc(Wnd, 0, Pos, Size, Src, Src ? &Origin : nullptr, 0, &Blend, ULW_ALPHA);
}

// Gives the window back its plain state and whole picture and frees the captured image.
void Restore() {
  const HWND Wnd = Anim.Wnd;
  if (!Wnd) {
    return;
  }
  if (IsWindow(Wnd)) {
    if (Anim.Fade) {
      SetWindowLong(Wnd, GWL_EXSTYLE, GetWindowLong(Wnd, GWL_EXSTYLE) & ~static_cast<LONG>(WS_EX_LAYERED));
    } else {
      SetWindowRgn(Wnd, 0, FALSE);
    }
    if (Anim.WindowDC && Anim.MemDC) {
      BitBlt(Anim.WindowDC, 0, 0, Anim.Width, Anim.Height, Anim.MemDC, 0, 0, SRCCOPY);
    }
  }
  if (Anim.MemDC) {
    SelectObject(Anim.MemDC, Anim.OldBitmap);
    DeleteDC(Anim.MemDC);
  }
  if (Anim.Bitmap) {
    DeleteObject(Anim.Bitmap);
  }
  if (Anim.WindowDC) {
    ReleaseDC(Wnd, Anim.WindowDC);
  }
  Anim.WindowDC = 0;
  Anim.MemDC = 0;
  Anim.Bitmap = 0;
  Anim.OldBitmap = 0;
  Anim.Wnd = 0;
  if (IsWindow(Wnd)) {
    SendMessage(Wnd, WM_TB2K_ANIMATIONENDED, 0, 0);
  }
}

}  // namespace

void TBInitLayeredWindows(bool ForceLookup) {
  if (LayeredLookedUp && !ForceLookup) {
    return;
  }
  LayeredLookedUp = true;
  UpdateLayeredWindowProc = nullptr;
  if (HMODULE User32 = GetModuleHandle("user32.dll")) {
    UpdateLayeredWindowProc = reinterpret_cast<TUpdateLayeredWindowProc>(GetProcAddress(User32, "UpdateLayeredWindow"));
  }
}

HWND TBAnimatedWindow() { return ThreadHandle ? Anim.Wnd : 0; }
bool TBAnimationFades() { return ThreadHandle && Anim.Fade; }
int TBAnimationStep() { return Anim.Step.load(); }

void TBEndAnimation(HWND Wnd) {
  if (!ThreadHandle || (Wnd && Wnd != Anim.Wnd)) {
    return;
  }
  SetEvent(StopEvent);
  WaitForSingleObject(ThreadHandle, INFINITE);
  CloseHandle(ThreadHandle);
  ThreadHandle = 0;
  Restore();
}

void TBStartAnimation(HWND Wnd, int Duration, bool Fade, TTBAnimationDirection Direction) {
  TBEndAnimation(0);
  TBInitLayeredWindows();
  Anim.Wnd = Wnd;
  Anim.Duration = Duration;
  Anim.Fade = Fade && UpdateLayeredWindowProc != nullptr;
  Anim.Direction = Direction;
  Anim.Step.store(0);
  Finished.store(false);
  StepPending = 0;
  GetCursorPos(&Anim.StartCursor);
  TRect Client;
  GetClientRect(Wnd, &Client);
  TPoint TL{Client.Left, Client.Top};
  ClientToScreen(Wnd, &TL);
  Anim.ScreenClientRect = Rect(TL.X, TL.Y, TL.X + Client.Width(), TL.Y + Client.Height());
  // The window's whole picture, frame included, drawn into a memory context before it shows.
  TRect W;
  GetWindowRect(Wnd, &W);
  Anim.Width = W.Width();
  Anim.Height = W.Height();
  Anim.WindowDC = GetDCEx(Wnd, 0, DCX_WINDOW | DCX_CACHE);
  Anim.Bitmap = CreateCompatibleBitmap(Anim.WindowDC, Anim.Width, Anim.Height);
  Anim.MemDC = CreateCompatibleDC(Anim.WindowDC);
  Anim.OldBitmap = SelectObject(Anim.MemDC, Anim.Bitmap);
  SendMessage(Wnd, WM_PRINT, reinterpret_cast<WPARAM>(Anim.MemDC),
              PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
  if (Anim.Fade) {
    SetWindowLong(Wnd, GWL_EXSTYLE, GetWindowLong(Wnd, GWL_EXSTYLE) | static_cast<LONG>(WS_EX_LAYERED));
    Anim.Step.store(32);
    TPoint Pos{W.Left, W.Top};
    TSize Size{Anim.Width, Anim.Height};
    SetLayeredAlpha(Wnd, 32, &Pos, &Size, Anim.MemDC);
  } else if (SetWindowRgn(Wnd, CreateRectRgn(0, 0, 0, 0), FALSE) == 0) {
    SetWindowRgn(Wnd, 0, FALSE);
  }
  SetWindowPos(Wnd, 0, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW |
                   SWP_NOOWNERZORDER | SWP_ASYNCWINDOWPOS);
  // Shown without a redraw: the captured picture is what shows, so no paint is due (a paint would end the
  // animation at once).
  ValidateRect(Wnd, nullptr);
  if (!StopEvent) {
    StopEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  }
  ResetEvent(StopEvent);
  HANDLE Thread = CreateThread(nullptr, 0, &AnimationThreadProc, nullptr, CREATE_SUSPENDED, nullptr);
  if (!Thread) {
    Restore();
    return;
  }
  ThreadHandle = Thread;
  Serial.fetch_add(1);
  ResumeThread(Thread);
}

void TBStepAnimation(const TMessage& Message) {
  if (!ThreadHandle || Message.LParam != Serial.load()) {
    return;  // a step of an animation that has already ended
  }
  if (Finished.load()) {
    TBEndAnimation(Anim.Wnd);
    return;
  }
  const int Step = Anim.Step.load();
  if (Anim.Fade) {
    SetLayeredAlpha(Anim.Wnd, Step, nullptr, nullptr, 0);
  } else {
    const int W = Anim.Width;
    const int H = Anim.Height;
    int DX = 0;
    int DY = 0;
    if (Anim.Direction.Contains(tbadDown)) {
      DY = MulDiv(H, Step, 255) - H;
    } else if (Anim.Direction.Contains(tbadUp)) {
      DY = H - MulDiv(H, Step, 255);
    }
    if (Anim.Direction.Contains(tbadRight)) {
      DX = MulDiv(W, Step, 255) - W;
    } else if (Anim.Direction.Contains(tbadLeft)) {
      DX = W - MulDiv(W, Step, 255);
    }
    SetWindowRgn(Anim.Wnd, CreateRectRgn(DX, DY, DX + W, DY + H), FALSE);
    BitBlt(Anim.WindowDC, DX, DY, W, H, Anim.MemDC, 0, 0, SRCCOPY);
  }
  StepPending = 0;
}

namespace {
// Unit end: no thread may outlive the program's windows.
struct TAnimationUnit {
  ~TAnimationUnit() {
    if (ThreadHandle) {
      SetEvent(StopEvent);
      WaitForSingleObject(ThreadHandle, INFINITE);
      CloseHandle(ThreadHandle);
      ThreadHandle = 0;
    }
  }
};
const TAnimationUnit AnimationUnit;
}  // namespace
