// Per-thread hooks: the hook kinds, their codes and records, and the calls that install and chain them.
#pragma once

#include "platform/win/WinUser.h"

inline constexpr int WH_MSGFILTER = -1;
inline constexpr int WH_JOURNALRECORD = 0;
inline constexpr int WH_JOURNALPLAYBACK = 1;
inline constexpr int WH_KEYBOARD = 2;
inline constexpr int WH_GETMESSAGE = 3;
inline constexpr int WH_CALLWNDPROC = 4;
inline constexpr int WH_CBT = 5;
inline constexpr int WH_SYSMSGFILTER = 6;
inline constexpr int WH_MOUSE = 7;
inline constexpr int WH_HARDWARE = 8;
inline constexpr int WH_DEBUG = 9;
inline constexpr int WH_SHELL = 10;
inline constexpr int WH_FOREGROUNDIDLE = 11;
inline constexpr int WH_CALLWNDPROCRET = 12;
inline constexpr int WH_KEYBOARD_LL = 13;
inline constexpr int WH_MOUSE_LL = 14;

inline constexpr int HC_ACTION = 0;
inline constexpr int HC_GETNEXT = 1;
inline constexpr int HC_SKIP = 2;
inline constexpr int HC_NOREMOVE = 3;
inline constexpr int HC_NOREM = 3;

inline constexpr int HCBT_MOVESIZE = 0;
inline constexpr int HCBT_MINMAX = 1;
inline constexpr int HCBT_QS = 2;
inline constexpr int HCBT_CREATEWND = 3;
inline constexpr int HCBT_DESTROYWND = 4;
inline constexpr int HCBT_ACTIVATE = 5;
inline constexpr int HCBT_CLICKSKIPPED = 6;
inline constexpr int HCBT_KEYSKIPPED = 7;
inline constexpr int HCBT_SYSCOMMAND = 8;
inline constexpr int HCBT_SETFOCUS = 9;

struct CBT_CREATEWND {
  CREATESTRUCT* lpcs = nullptr;
  HWND hwndInsertAfter = 0;
};
struct CBTACTIVATESTRUCT {
  BOOL fMouse = FALSE;
  HWND hWndActive = 0;
};
// WH_CALLWNDPROC's record (lParam): the message about to reach a window procedure.
struct CWPSTRUCT {
  LPARAM lParam = 0;
  WPARAM wParam = 0;
  UINT message = 0;
  HWND hwnd = 0;
};
// WH_CALLWNDPROCRET's record (lParam): the message a window procedure has just handled, with its result.
struct CWPRETSTRUCT {
  LRESULT lResult = 0;
  LPARAM lParam = 0;
  WPARAM wParam = 0;
  UINT message = 0;
  HWND hwnd = 0;
};
// WH_MOUSE's record (lParam; wParam is the mouse message).
struct MOUSEHOOKSTRUCT {
  TPoint pt;
  HWND hwnd = 0;
  UINT wHitTestCode = 0;
  std::uintptr_t dwExtraInfo = 0;
};

// Installs a hook for the calling thread (ThreadId 0 or the caller's id; hooks of other threads are not
// supported). The newest hook is called first; it passes the call on with CallNextHookEx. Hooks of
// WH_CALLWNDPROC, WH_CALLWNDPROCRET, WH_CBT, WH_GETMESSAGE, WH_MOUSE and WH_KEYBOARD are called.
// WH_CBT: a non-zero answer vetoes HCBT_CREATEWND, HCBT_DESTROYWND, HCBT_ACTIVATE, HCBT_SETFOCUS.
// WH_MOUSE / WH_KEYBOARD: a non-zero answer discards the input message. WH_GETMESSAGE gets PM_REMOVE or
// PM_NOREMOVE in wParam and the MSG* in lParam and may change the message.
HHOOK SetWindowsHookEx(int IdHook, HOOKPROC Fn, HINSTANCE Mod, DWORD ThreadId);
BOOL UnhookWindowsHookEx(HHOOK Hook);
LRESULT CallNextHookEx(HHOOK Hook, int Code, WPARAM WParam, LPARAM LParam);
