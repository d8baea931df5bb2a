// Per-thread hooks: installation, removal and the chain that each hook passes on with CallNextHookEx.
#include "platform/win/WinHooks.h"
#include "platform/win/WindowInternals.h"

#include <algorithm>
#include <atomic>

using namespace WindowSystem;

namespace {

std::atomic<HHOOK> NextHook{0x5000};

bool Supported(int Kind) {
  return Kind == WH_CALLWNDPROC || Kind == WH_CALLWNDPROCRET || Kind == WH_CBT || Kind == WH_GETMESSAGE ||
         Kind == WH_MOUSE || Kind == WH_KEYBOARD || Kind == WH_MSGFILTER;
}

// Calls the first live hook of Kind at or after position Start of the thread's list.
LRESULT CallFrom(TThreadQueue& Q, std::size_t Start, int Kind, int Code, WPARAM WParam, LPARAM LParam) {
  for (std::size_t I = Start; I < Q.Hooks.size(); ++I) {
    auto H = Q.Hooks[I];  // keep it alive while it runs, even if it unhooks itself
    if (H->Kind == Kind && !H->Removed) {
      return H->Proc(Code, WParam, LParam);
    }
  }
  return 0;
}

}  // namespace

HHOOK SetWindowsHookEx(int IdHook, HOOKPROC Fn, HINSTANCE, DWORD ThreadId) {
  if (!Fn) {
    SetLastError(ERROR_INVALID_FILTER_PROC);
    return 0;
  }
  if (!Supported(IdHook)) {
    SetLastError(ERROR_INVALID_HOOK_FILTER);
    return 0;
  }
  auto& Q = CurrentQueue();
  if (ThreadId != 0 && ThreadId != Q.ThreadId) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto H = std::make_shared<THookRec>();
  H->Handle = NextHook.fetch_add(1);
  H->Kind = IdHook;
  H->Proc = Fn;
  Q.Hooks.insert(Q.Hooks.begin(), H);
  return H->Handle;
}

BOOL UnhookWindowsHookEx(HHOOK Hook) {
  auto& Q = CurrentQueue();
  auto It = std::find_if(Q.Hooks.begin(), Q.Hooks.end(), [&](auto& H) { return H->Handle == Hook; });
  if (It == Q.Hooks.end()) {
    SetLastError(ERROR_INVALID_HOOK_HANDLE);
    return FALSE;
  }
  (*It)->Removed = true;
  Q.Hooks.erase(It);
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK Hook, int Code, WPARAM WParam, LPARAM LParam) {
  auto& Q = CurrentQueue();
  auto It = std::find_if(Q.Hooks.begin(), Q.Hooks.end(), [&](auto& H) { return H->Handle == Hook; });
  if (It == Q.Hooks.end()) {
    return 0;
  }
  return CallFrom(Q, static_cast<std::size_t>(It - Q.Hooks.begin()) + 1, (*It)->Kind, Code, WParam, LParam);
}

namespace WindowSystem {

bool HasHooks(int Kind) {
  auto& Q = CurrentQueue();
  return std::any_of(Q.Hooks.begin(), Q.Hooks.end(), [&](auto& H) { return H->Kind == Kind; });
}

LRESULT CallHooks(int Kind, int Code, WPARAM WParam, LPARAM LParam) {
  auto& Q = CurrentQueue();
  // Hooks do not see the messages they cause themselves (a hook that sends a message is not re-entered).
  unsigned Bit = 1u << static_cast<unsigned>(Kind + 1);
  if (Q.ActiveHookKinds & Bit) {
    return 0;
  }
  Q.ActiveHookKinds |= Bit;
  struct TLeave {
    TThreadQueue& Q;
    unsigned Bit;
    ~TLeave() { Q.ActiveHookKinds &= ~Bit; }
  } Leave{Q, Bit};
  return CallFrom(Q, 0, Kind, Code, WParam, LParam);
}

}  // namespace WindowSystem
