// Free routines the framework shares: text measuring (also rotated), inverted outlines, monitors, menu settings,
// message clean-up and small list helpers.
#pragma once

#include "platform/classes/Lists.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/WinUser.h"

#include <functional>
#include <memory>
#include <string>

class TWinControl;

bool ApplicationIsActive();
// Quicksort of a pointer list by Compare (which gets Extra); the order of equal items is not kept.
using TListSortExCompare = std::function<int(void* Item1, void* Item2, void* Extra)>;
void ListSortEx(TList* List, const TListSortExCompare& Compare, void* Extra);

// WM_PRINT of a window that draws its own frame (FrameProc, with the window, context and AppData): see the
// routine's description in the source. The message's result becomes 1.
using THandleWMPrintNCPaintProc = void (*)(HWND Wnd, HDC DC, LPARAM AppData);
void HandleWMPrint(HWND Wnd, TMessage& Message, THandleWMPrintNCPaintProc NCPaintFunc, LPARAM AppData);
// WM_PRINTCLIENT: the control paints its client area into the given context (its state saved and restored).
void HandleWMPrintClient(TWinControl* Control, TMessage& Message);

// Truncated quotient moved one step away from zero when there is a remainder (up for a positive quotient, down
// for a negative one).
int DivRoundUp(int Dividend, int Divisor);
int GetTextHeight(HDC DC);
// Width of Text; with Prefix, single "&"s are left out and "&&" counts as one "&".
int GetTextWidth(HDC DC, std::string Text, bool Prefix);
// Dispatches every pending WM_PAINT of the thread; a WM_QUIT met is posted again and ends it.
void ProcessPaintMessages();
// Removes the pending messages First..Last; a WM_QUIT among them is posted again and ends it.
void RemoveMessages(UINT First, UINT Last);
void SelectNCUpdateRgn(HWND Wnd, HDC DC, HRGN Rgn);

// Lists created on first use and freed when emptied.
bool AddToList(std::unique_ptr<TList>& List, void* Item);
void RemoveFromList(std::unique_ptr<TList>& List, void* Item);

// The platform's menu show delay in milliseconds (never negative).
int GetMenuShowDelay();
// The delay as the user's desktop settings in the registry hold it: 400 when the value is missing, 0 when it is
// not a whole number; not cached.
int ReadMenuShowDelayFromRegistry();
bool AreFlatMenusEnabled();
bool AreKeyboardCuesEnabled();
HRGN CreateNullRegion();
// Inverts the ring of NewRect (Thickness NewSize) and the ring of OldRect (OldSize); with one brush the two rings
// are inverted as their exclusive union, so that one pass both erases the old outline and draws the new one.
void DrawInvertRect(HDC DC, const TRect* NewRect, const TRect* OldRect, TSize NewSize, TSize OldSize,
                    HBRUSH Brush, HBRUSH BrushLast);
HBRUSH CreateHalftoneBrush();
void DrawHalftoneInvertRect(HDC DC, const TRect* NewRect, const TRect* OldRect, TSize NewSize, TSize OldSize);
TRect GetRectOfPrimaryMonitor(bool WorkArea);
bool UsingMultipleMonitors();
TRect GetRectOfMonitorContainingRect(const TRect& R, bool WorkArea);
TRect GetRectOfMonitorContainingPoint(const TPoint& P, bool WorkArea);
TRect GetRectOfMonitorContainingWindow(HWND W, bool WorkArea);
void InitTrackMouseEvent();
bool CallTrackMouseEvent(HWND Wnd, DWORD Flags);
// The context's font turned by 270 degrees (the caller deletes it).
HFONT CreateRotatedFont(HDC DC);
// Text drawn from bottom to top, centred in R, with its accelerator underlined unless Format has DT_HIDEPREFIX.
void DrawRotatedText(HDC DC, std::string AText, const TRect& ARect, UINT AFormat);
// Whether the user's sound scheme has a sound for the event name.
bool NeedToPlaySound(const std::string& Alias);
inline int Max(int A, int B) { return A > B ? A : B; }
inline int Min(int A, int B) { return A < B ? A : B; }
// The character after the last single "&" ("&&" pairs skipped); 0 when there is none.
char FindAccelChar(const std::string& S);
bool IsWindowsXP();

// A method pointer that can be compared as the class library compares them (code and object): Code identifies
// the method, Data the object, Fn calls it. TBMethod<&TFoo::Bar>(Foo) makes one.
template <class Sig> struct TTBMethod {
  const void* Code = nullptr;
  const void* Data = nullptr;
  std::function<Sig> Fn;
  explicit operator bool() const { return static_cast<bool>(Fn); }
};
template <class Sig> bool MethodsEqual(const TTBMethod<Sig>& A, const TTBMethod<Sig>& B) {
  return A.Code == B.Code && A.Data == B.Data;
}

namespace TBDetail {
template <auto M> struct TMethodTag {
  static inline const char Tag = 0;
};
template <class T> struct TMemberTraits;
template <class C, class R, class... A> struct TMemberTraits<R (C::*)(A...)> {
  using Sig = R(A...);
  template <auto M> static TTBMethod<Sig> Make(C* Obj) {
    return {&TMethodTag<M>::Tag, Obj, [Obj](A... Args) { return (Obj->*M)(Args...); }};
  }
};
}  // namespace TBDetail

template <auto M, class C> auto TBMethod(C* Obj) {
  return TBDetail::TMemberTraits<decltype(M)>::template Make<M>(Obj);
}

// A change handler of a background or a skin: called with the sender.
class TObject;
using TTBNotifyMethod = TTBMethod<void(TObject*)>;

// Rectangle helpers.
inline bool RectEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }
inline bool PointInRect(const TRect& R, const TPoint& P) {
  return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}
inline void MoveRect(TRect& R, int DX, int DY) {
  R.Left += DX;
  R.Right += DX;
  R.Top += DY;
  R.Bottom += DY;
}
inline void GrowRect(TRect& R, int DX, int DY) {
  R.Left -= DX;
  R.Right += DX;
  R.Top -= DY;
  R.Bottom += DY;
}

// The screen point of a message: for client-area mouse messages, from their coordinates (the position at the
// time of the input), else the message's own point.
TPoint TBMessagePoint(const MSG& Msg);

// Fills, or frames 1 pixel thick, a rectangle in a solid colour.
void TBFillSolid(HDC DC, const TRect& R, COLORREF C);
void TBFrameSolid(HDC DC, const TRect& R, COLORREF C);

// The next message of a loop that runs while Wnd holds the mouse capture (moving, sizing, tracking a button),
// taken from the queue; waits while none is queued. False once Wnd has lost the capture, and at WM_QUIT, which
// is posted again for the application's own loop.
bool TBNextCaptureMessage(HWND Wnd, MSG& Msg);
// The rest of such a loop's messages: keys and the right and middle buttons are dropped (the loop owns the
// input), everything else is translated and dispatched.
void TBDispatchCaptureMessage(MSG& Msg);
