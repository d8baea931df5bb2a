// Windows of other processes of the same user: the registry of findable windows, foreign handles, and messages
// that travel to them over each process's local socket.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>

// How it works
// - Every process publishes its top-level windows (hidden ones included; message-only windows are not findable)
//   in "<runtime folder>/windows/<pid>-<instance>.list": one line per window with its handle, class name and
//   caption, rewritten as windows are created, renamed, re-parented and destroyed. Beside it the process holds
//   "<pid>-<instance>.lock" locked for its whole life (so a lock we can take means the process is gone: its files
//   are then ignored and removed by whoever notices) and listens on "<pid>-<instance>.sock". The instance is a
//   random number, so a reused process id never addresses an earlier process's windows.
// - FindWindow/FindWindowEx on the top level search the own table first and then the registry (processes in a
//   stable order, each in its listing order). A window of another process is represented by a proxy handle in
//   0x40000000..0x7FFFFFFF (local handles stay below); the same foreign window always gets the same proxy.
//   IsWindow, GetWindowText, GetWindowTextLength and GetClassName answer for a proxy from the registry.
// - PostMessage and SendMessage to a proxy connect to the owner's socket. Numbers travel as they are; for messages
//   from WM_USER up, a parameter in 0xC000..0xFFFF that names a live global atom carries the atom's text, and the
//   receiver puts a fresh global atom with that text in its place (the receiver deletes it, as it would the
//   shared atom on the original platform; the sender's own atom is left alone). A registered window message
//   travels by its name. Messages below WM_USER travel only when they carry plain numbers (WM_NULL, WM_CLOSE,
//   WM_COMMAND, WM_SYSCOMMAND, WM_HOTKEY, key and mouse messages); others fail with ERROR_MESSAGE_SYNC_ONLY, and
//   so do the class library's private CM_/CN_ messages (they carry object pointers).
// - A listening thread per process accepts connections from processes of the same user, posts the message to
//   the window (which wakes its thread's loop) or sends it from a helper thread, and answers. PostMessage waits
//   for that answer (up to 2 s) so that it fails when the window or its process is gone. SendMessage waits up
//   to 5 s and returns 0 on time-out or when the peer is gone; while it waits it does not handle messages sent
//   to the calling thread. SendNotifyMessage and HWND_BROADCAST stay within the process.

inline constexpr LONG ERROR_MESSAGE_SYNC_ONLY = 1159;
inline constexpr LONG ERROR_TIMEOUT = 1460;

namespace CrossProcess {

inline constexpr HWND FirstForeignHandle = 0x40000000;
inline constexpr HWND LastForeignHandle = 0x7FFFFFFF;
inline bool IsForeignHandle(HWND Wnd) { return Wnd >= FirstForeignHandle && Wnd <= LastForeignHandle; }

// Calls from the window system.
// A window was created, renamed or re-parented: publishes it when it is top level, withdraws it otherwise.
void WindowChanged(HWND Wnd);
// A window is going away.
void WindowGone(HWND Wnd);
// The next findable window of another process after After (0: from the first) whose class and caption match as
// FindWindowEx compares them (null or empty class: any; null caption: any); 0 when none.
HWND FindForeignWindow(LPCSTR ClassName, LPCSTR WindowName, HWND After);
// Whether the proxy names a published window of a live process, and its class name and caption.
bool ForeignWindowInfo(HWND Wnd, std::string* ClassName, std::string* Caption);
BOOL PostForeignMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
LRESULT SendForeignMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

// Withdraws the process's windows from the registry, stops listening and removes its files. Runs at normal exit;
// publishing starts again with the next window change.
void Shutdown();

}  // namespace CrossProcess
