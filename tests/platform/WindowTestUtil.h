// Test helpers for the window system: a window class whose procedure records messages and can be given handlers.
#pragma once

#include "platform/win/WinUser.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace WinTest {

// Messages seen by recording windows, as "<name>:<message name>" (messages outside the watched set are skipped).
inline std::vector<std::string> Log;
inline std::map<HWND, std::string> Names;
// Per-window handlers: return true when handled (Result set), false to fall through to DefWindowProc.
using THandler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;
inline std::map<HWND, THandler> Handlers;
inline THandler CreationHandler;  // used for windows during creation, before their handle is known
inline std::string PendingName;   // the name Make gives the window it is creating

inline const char* MessageName(UINT M) {
  switch (M) {
    case WM_CREATE: return "CREATE";
    case WM_NCCREATE: return "NCCREATE";
    case WM_DESTROY: return "DESTROY";
    case WM_NCDESTROY: return "NCDESTROY";
    case WM_NCCALCSIZE: return "NCCALCSIZE";
    case WM_SIZE: return "SIZE";
    case WM_MOVE: return "MOVE";
    case WM_SHOWWINDOW: return "SHOWWINDOW";
    case WM_WINDOWPOSCHANGING: return "POSCHANGING";
    case WM_WINDOWPOSCHANGED: return "POSCHANGED";
    case WM_GETMINMAXINFO: return "GETMINMAXINFO";
    case WM_SETFOCUS: return "SETFOCUS";
    case WM_KILLFOCUS: return "KILLFOCUS";
    case WM_ACTIVATE: return "ACTIVATE";
    case WM_NCACTIVATE: return "NCACTIVATE";
    case WM_ACTIVATEAPP: return "ACTIVATEAPP";
    case WM_PARENTNOTIFY: return "PARENTNOTIFY";
    case WM_CAPTURECHANGED: return "CAPTURECHANGED";
    case WM_KEYDOWN: return "KEYDOWN";
    case WM_KEYUP: return "KEYUP";
    case WM_CHAR: return "CHAR";
    case WM_SYSKEYDOWN: return "SYSKEYDOWN";
    case WM_SYSKEYUP: return "SYSKEYUP";
    case WM_SYSCHAR: return "SYSCHAR";
    case WM_SYSCOMMAND: return "SYSCOMMAND";
    case WM_MOUSEMOVE: return "MOUSEMOVE";
    case WM_LBUTTONDOWN: return "LBUTTONDOWN";
    case WM_LBUTTONUP: return "LBUTTONUP";
    case WM_LBUTTONDBLCLK: return "LBUTTONDBLCLK";
    case WM_RBUTTONDOWN: return "RBUTTONDOWN";
    case WM_RBUTTONUP: return "RBUTTONUP";
    case WM_CONTEXTMENU: return "CONTEXTMENU";
    case WM_MOUSEWHEEL: return "MOUSEWHEEL";
    case WM_MOUSEACTIVATE: return "MOUSEACTIVATE";
    case WM_NCLBUTTONDOWN: return "NCLBUTTONDOWN";
    case WM_NCMOUSEMOVE: return "NCMOUSEMOVE";
    case WM_NCLBUTTONUP: return "NCLBUTTONUP";
    case WM_TIMER: return "TIMER";
    case WM_PAINT: return "PAINT";
    case WM_USER: return "USER";
    case WM_USER + 1: return "USER1";
    case WM_USER + 2: return "USER2";
    case WM_ENABLE: return "ENABLE";
    case WM_SETTEXT: return "SETTEXT";
    default: return nullptr;
  }
}

inline LRESULT RecordingProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L) {
  if (const char* N = MessageName(Msg)) {
    auto It = Names.find(Wnd);
    if (It == Names.end() && !PendingName.empty()) {
      It = Names.emplace(Wnd, PendingName).first;
    }
    Log.push_back((It == Names.end() ? std::string("?") : It->second) + ":" + N);
  }
  LRESULT Result = 0;
  auto H = Handlers.find(Wnd);
  if (H != Handlers.end() && H->second && H->second(Wnd, Msg, W, L, Result)) {
    return Result;
  }
  if (H == Handlers.end() && CreationHandler && CreationHandler(Wnd, Msg, W, L, Result)) {
    return Result;
  }
  return DefWindowProc(Wnd, Msg, W, L);
}

inline const char* RecordingClass() {
  static bool Registered = [] {
    WNDCLASS WC;
    WC.style = CS_DBLCLKS;
    WC.lpfnWndProc = &RecordingProc;
    WC.cbWndExtra = 16;
    WC.lpszClassName = "ZubRecording";
    return RegisterClass(&WC) != 0;
  }();
  (void)Registered;
  return "ZubRecording";
}

// Creates a recording window; Name labels it in the log.
inline HWND Make(const std::string& Name, DWORD Style, int X, int Y, int W, int H, HWND Parent = 0,
                 DWORD ExStyle = 0, int Id = 0) {
  PendingName = Name;
  HWND Wnd = CreateWindowEx(ExStyle, RecordingClass(), Name.c_str(), Style, X, Y, W, H, Parent,
                            static_cast<HMENU>(Id), nullptr, nullptr);
  PendingName.clear();
  if (Wnd) {
    Names[Wnd] = Name;
  }
  return Wnd;
}

// Destroys every window still alive and empties the log (test teardown).
inline void Reset() {
  for (auto& [W, N] : Names) {
    if (IsWindow(W)) {
      DestroyWindow(W);
    }
  }
  Names.clear();
  Handlers.clear();
  CreationHandler = nullptr;
  Log.clear();
  MSG M;
  while (PeekMessage(&M, 0, 0, 0, PM_REMOVE)) {
  }
}

// Dispatches everything queued (posted, input, paint, due timers) without waiting.
inline int Drain(int Limit = 1000) {
  MSG M;
  int N = 0;
  while (N < Limit && PeekMessage(&M, 0, 0, 0, PM_REMOVE)) {
    if (M.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(M.wParam));
      break;
    }
    TranslateMessage(&M);
    DispatchMessage(&M);
    ++N;
  }
  return N;
}

inline std::vector<std::string> TakeLog() {
  auto L = Log;
  Log.clear();
  return L;
}

}  // namespace WinTest
