// The window system's inner records (window table, classes, per-thread queues) shared by its units; not for callers.
#pragma once

#include "platform/win/WinUser.h"
#include "platform/win/WindowBackend.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct TThreadQueue;

// A registered window class. Shared by the windows created from it, so unregistering never pulls it from under them.
struct TWndClassRec {
  std::string Name;
  WNDCLASS Info;  // lpszClassName and lpszMenuName point into the strings here
  std::string MenuName;
  std::vector<BYTE> ClassExtra;
  ATOM Atom = 0;
  int WindowCount = 0;
};

// One window of the table. Coordinates of Window and Client are in the parent's client coordinates (screen
// coordinates for top-level windows), as WM_NCCALCSIZE exchanges them.
struct TWindowRec {
  HWND Handle = 0;
  std::shared_ptr<TWndClassRec> Class;
  WNDPROC Proc = nullptr;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  HWND Parent = 0;
  HWND Owner = 0;
  // WM_SETICON: the big and the small icon (not owned).
  HICON BigIcon = 0;
  HICON SmallIcon = 0;
  std::vector<HWND> Children;  // z-order, topmost first
  TRect Window;
  TRect Client;
  TRect Normal;  // the restored window rectangle while minimised or maximised
  std::string Text;
  LONG_PTR Id = 0;
  LONG_PTR UserData = 0;
  HINSTANCE Instance = nullptr;
  std::vector<BYTE> Extra;
  std::shared_ptr<TThreadQueue> Queue;
  bool MessageOnly = false;
  bool Destroying = false;  // DestroyWindow has started
  bool Dead = false;        // WM_NCDESTROY has been sent; the handle is gone
  bool Redraw = true;       // WM_SETREDRAW
  bool NeedsPaint = false;  // the invalid region is not empty
  bool EraseBackground = false;
  TRect Invalid;            // bounding box of the invalid region, client coordinates
  std::uintptr_t HostTag = 0;  // the toolkit backend's own tag for the window's host
  HRGN Region = 0;             // SetWindowRgn: the window's shape in window coordinates (owned), 0 for none
  bool FrameDirty = false;     // the non-client area needs WM_NCPAINT before the next WM_PAINT
  bool RestoreMaximized = false;  // minimised from maximised: restoring maximises again
};
using PWindowRec = std::shared_ptr<TWindowRec>;

// A message sent from another thread, waiting to be handled by the window's thread.
struct TSentMessage {
  HWND Wnd = 0;
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
  bool Notify = false;  // SendNotifyMessage: nobody waits
  std::shared_ptr<TThreadQueue> Sender;  // woken when the call is done
  bool Done = false;
  std::mutex Lock;
  std::condition_variable Finished;
};

// A posted message with its extra-info word.
struct TPostedMessage {
  MSG Msg;
  LPARAM ExtraInfo = 0;
};

// A raw input event queued by the toolkit side; its target window is decided when it is read.
struct TInputEvent {
  enum TKind { ikKeyDown, ikKeyUp, ikMouseMove, ikButtonDown, ikButtonUp, ikWheel, ikIme };
  TKind Kind = ikKeyDown;
  WORD VirtualKey = 0;     // keys
  WORD ScanCode = 0;
  bool Extended = false;
  bool AutoRepeat = false;
  std::string Text;        // keys: the characters the key produced; input method: the committed text (1252)
  bool Composing = false;  // input method: a composition is under way (its text is in the kept event)
  int Button = 0;          // mouse buttons: 1 left, 2 right, 3 middle, 4 and 5 extra
  TPoint ScreenPos;        // mouse and wheel
  int WheelDelta = 0;      // multiples of 120 per notch
  DWORD Time = 0;
  LPARAM ExtraInfo = 0;    // names the toolkit's kept copy of the event; given by QueueInputEvent when 0
  bool Shift = false;      // modifier keys held once the event happened (merged with the layer's own state)
  bool Ctrl = false;
  bool Alt = false;
};

struct TTimerRec {
  HWND Wnd = 0;
  UINT_PTR Id = 0;
  UINT Elapse = 0;
  TIMERPROC Proc = nullptr;
  UInt64 DueNs = 0;
};

struct THookRec {
  HHOOK Handle = 0;
  int Kind = 0;
  HOOKPROC Proc = nullptr;
  bool Removed = false;
};

// The per-thread state of the window system: queues, focus, capture, timers and hooks. Shared by the windows of
// the thread, so a window's queue stays valid while another thread posts to it.
struct TThreadQueue {
  DWORD ThreadId = 0;
  bool GuiThread = false;  // the toolkit's thread: waits go through the backend

  std::mutex Lock;  // guards the three queues, QuitPosted and Wakeups
  std::condition_variable Wake;
  std::deque<TPostedMessage> Posted;
  std::deque<std::shared_ptr<TSentMessage>> Sent;
  std::deque<TInputEvent> Input;
  bool QuitPosted = false;
  int QuitCode = 0;
  unsigned Wakeups = 0;  // bumped by every append, so a waiter sees work that came in while it looked

  // Owned by the thread itself (no lock).
  HWND Focus = 0;
  HWND Active = 0;
  HWND Capture = 0;
  BYTE KeyState[256] = {};  // as of the messages read so far: 0x80 down, 0x01 toggled
  int InSendDepth = 0;
  MSG LastMsg;
  LPARAM LastExtraInfo = 0;
  std::vector<TTimerRec> Timers;
  std::vector<std::shared_ptr<THookRec>> Hooks;  // newest first
  unsigned ActiveHookKinds = 0;  // bit Kind+1 set while hooks of that kind run
  // Double-click tracking.
  HWND LastClickWnd = 0;
  int LastClickButton = 0;
  DWORD LastClickTime = 0;
  TPoint LastClickPos;
  bool LastClickWasDouble = false;
  // Alt pressed alone gives SC_KEYMENU on its release.
  bool AltAlone = false;
  // The F10 or Alt whose press the default window procedure handled, since the last key press was read; only its
  // release gives SC_KEYMENU (a press that a menu loop took ends the loop, and its release must not start it again).
  WPARAM KeyMenuPress = 0;
  HWND TrackWnd = 0;            // TrackMouseEvent: the window watched for the pointer leaving
  DWORD TrackFlags = 0;
  HWND FocusAfterActivate = 0;  // SetFocus is activating this window's top-level: WM_ACTIVATE leaves focus alone
  int PaintPending = 0;         // windows of the thread whose invalid region is not empty
};
using PThreadQueue = std::shared_ptr<TThreadQueue>;

// The character an unshifted or shifted key gives on a US keyboard (0 for none).
char CharOfKey(WORD Vk, bool Shift);

namespace WindowSystem {
std::recursive_mutex& TableLock();
// The record of a live window (or one being destroyed), null for 0, stale or unknown handles.
PWindowRec Find(HWND Wnd);
// The calling thread's queue (created on first use).
TThreadQueue& CurrentQueue();
PThreadQueue CurrentQueuePtr();
PThreadQueue QueueOfThread(DWORD ThreadId);
// Top-level windows in z-order, topmost first.
std::vector<HWND> TopLevelWindows();
// The desktop moved the keyboard focus: to another program (0), or back to one of the program's top-level windows.
// The layer activates as SetActiveWindow does, so the program sees WM_ACTIVATE and WM_ACTIVATEAPP.
void DesktopActivationChanged(HWND Wnd);
std::vector<HWND> ChildrenOf(HWND Wnd);  // 0: the top-level windows
// Calls a window's procedure on its own thread, with the call-window-procedure hooks around it.
LRESULT CallProc(const PWindowRec& Rec, UINT Msg, WPARAM WParam, LPARAM LParam);
// Calls a procedure value (a function or an object instance).
LRESULT InvokeProc(WNDPROC Proc, HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
// Hands an exception that escaped a window procedure to the installed handler.
void ReportException(const std::exception& E);
void ReportUnknownException();
// Wakes the thread that owns the queue (a waiter in GetMessage/WaitMessage).
void WakeQueue(TThreadQueue& Q);
// Geometry helpers: the client origin of a window in screen coordinates, and the screen rectangle of a window.
TPoint ClientOriginOnScreen(HWND Wnd);
TRect WindowRectOnScreen(HWND Wnd);
// Recomputes the client rectangle through WM_NCCALCSIZE.
void RecalcClient(const PWindowRec& Rec);
// The default non-client frame: the client rectangle that the styles leave inside a window rectangle.
TRect DefaultClientRect(DWORD Style, DWORD ExStyle, const TRect& WindowRect);
// Replaces the order of the top-level list (same windows, new z-order).
void ReorderTopLevel(const std::vector<HWND>& NewOrder);
// Marks the whole client area of a window as needing paint (if it is visible).
void InvalidateWhole(HWND Wnd);
// Called when a window was hidden: moves activation and capture away from it.
void WindowHidden(HWND Wnd);
// Called as a window dies: forgets it in focus, capture, activation, timers and the backend.
void ForgetWindow(const PWindowRec& Rec);
// Marks every window of the thread as needing no paint (used by tests that do not care).
bool HasHooks(int Kind);
// Calls the thread's hooks of one kind, newest first, until one answers non-zero for kinds that can veto.
LRESULT CallHooks(int Kind, int Code, WPARAM WParam, LPARAM LParam);
// Timers: the earliest due time in ns of the current thread, or 0 when it has no timers.
UInt64 NextTimerDue();
// Finds a due timer matching the filter, re-arms it and fills Msg; false when none is due.
bool TakeDueTimer(MSG& Msg, HWND Filter, UINT Min, UINT Max, bool Remove);
void KillTimersOf(HWND Wnd);
// Input: converts the next raw input event into a message (deciding its target now); false if none matches.
bool TakeInput(TThreadQueue& Q, MSG& Msg, LPARAM& ExtraInfo, HWND Filter, UINT Min, UINT Max, bool Remove);
// Called by the loop for every key and mouse message it hands out (key state, hooks).
bool AllowInputMessage(const MSG& Msg, bool Remove);
bool MessageMatches(const MSG& Msg, HWND Filter, UINT Min, UINT Max);
// Whether the window accepts WM_PAINT now, and its paint message: the first window (in table order) that needs
// painting and matches the filter.
bool TakePaint(MSG& Msg, HWND Filter);
// Appends a raw input event to the calling (user-interface) thread's input queue and updates the asynchronous
// key state and the cursor position. Returns the event's extra-info id.
LPARAM QueueInputEvent(TInputEvent E);
// Moves activation away from a window that is hidden or destroyed, and focus out of a dying tree.
void MoveActivationAway(HWND Wnd, bool Dying);
// The extra info of the input message the thread read last, and the kept text of an input event.
std::string KeptText(LPARAM ExtraInfo);
// Whether a screen point is inside the window's region (true without one).
bool InsideWindowRegion(const TWindowRec& R, TPoint ScreenPos);
// The hot key a key press with these modifiers makes, if one is registered: the WM_HOTKEY message for it.
bool HotKeyMessage(WORD Vk, bool Shift, bool Ctrl, bool Alt, MSG& Msg);
// Sends WM_NCPAINT first when the window's frame needs drawing (before its WM_PAINT).
void PaintFrameIfDirty(HWND Wnd);
// Drops what the window system keeps for a dying window (hot keys, region).
void ForgetDesktopState(const PWindowRec& Rec);
}  // namespace WindowSystem
