// Timers: per window and id, due by the current clock, synthesized as WM_TIMER when nothing else is queued.
#include "platform/win/WindowInternals.h"
#include "platform/win/Clock.h"

#include <algorithm>

using namespace WindowSystem;

namespace {

constexpr UINT MinimumElapse = 10;  // the platform's shortest period (USER_TIMER_MINIMUM)
constexpr UINT MaximumElapse = 0x7FFFFFFF;

UInt64 PeriodNs(UINT Elapse) { return static_cast<UInt64>(Elapse) * 1000000ull; }

}  // namespace

UINT_PTR SetTimer(HWND Wnd, UINT_PTR IdEvent, UINT Elapse, TIMERPROC TimerFunc) {
  auto& Q = CurrentQueue();
  if (Wnd) {
    auto R = Find(Wnd);
    if (!R || R->Dead) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    if (R->Queue.get() != &Q) {
      SetLastError(ERROR_ACCESS_DENIED);
      return 0;
    }
  }
  Elapse = std::clamp(Elapse, MinimumElapse, MaximumElapse);
  UInt64 Due = Clock().MonotonicNs() + PeriodNs(Elapse);
  if (!Wnd) {
    // Thread timers get a fresh id unless an existing thread timer is named.
    auto It = std::find_if(Q.Timers.begin(), Q.Timers.end(), [&](auto& T) { return !T.Wnd && T.Id == IdEvent; });
    if (IdEvent == 0 || It == Q.Timers.end()) {
      static UINT_PTR NextId = 0x7F00;
      IdEvent = ++NextId;
      Q.Timers.push_back(TTimerRec{0, IdEvent, Elapse, TimerFunc, Due});
    } else {
      *It = TTimerRec{0, IdEvent, Elapse, TimerFunc, Due};
    }
    return IdEvent;
  }
  auto It = std::find_if(Q.Timers.begin(), Q.Timers.end(), [&](auto& T) { return T.Wnd == Wnd && T.Id == IdEvent; });
  if (It != Q.Timers.end()) {
    *It = TTimerRec{Wnd, IdEvent, Elapse, TimerFunc, Due};
  } else {
    Q.Timers.push_back(TTimerRec{Wnd, IdEvent, Elapse, TimerFunc, Due});
  }
  return IdEvent ? IdEvent : 1;
}

BOOL KillTimer(HWND Wnd, UINT_PTR IdEvent) {
  auto& Q = CurrentQueue();
  auto It = std::find_if(Q.Timers.begin(), Q.Timers.end(), [&](auto& T) { return T.Wnd == Wnd && T.Id == IdEvent; });
  if (It == Q.Timers.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Q.Timers.erase(It);
  return TRUE;
}

namespace WindowSystem {

UInt64 NextTimerDue() {
  auto& Q = CurrentQueue();
  UInt64 Best = 0;
  for (auto& T : Q.Timers) {
    if (!Best || T.DueNs < Best) {
      Best = T.DueNs;
    }
  }
  return Best;
}

bool TakeDueTimer(MSG& Msg, HWND Filter, UINT Min, UINT Max, bool Remove) {
  auto& Q = CurrentQueue();
  if (Q.Timers.empty()) {
    return false;
  }
  UInt64 Now = Clock().MonotonicNs();
  TTimerRec* Best = nullptr;
  for (auto& T : Q.Timers) {
    if (T.DueNs > Now) {
      continue;
    }
    MSG M;
    M.hwnd = T.Wnd;
    M.message = WM_TIMER;
    if (!MessageMatches(M, Filter, Min, Max)) {
      continue;
    }
    if (!Best || T.DueNs < Best->DueNs) {
      Best = &T;
    }
  }
  if (!Best) {
    return false;
  }
  Msg = MSG{};
  Msg.hwnd = Best->Wnd;
  Msg.message = WM_TIMER;
  Msg.wParam = Best->Id;
  Msg.lParam = reinterpret_cast<LPARAM>(Best->Proc);
  if (Remove) {
    // One message however many periods were missed; the next one is a full period from now.
    Best->DueNs = Now + PeriodNs(Best->Elapse);
  }
  return true;
}

void KillTimersOf(HWND Wnd) {
  auto& Q = CurrentQueue();
  Q.Timers.erase(std::remove_if(Q.Timers.begin(), Q.Timers.end(), [&](auto& T) { return T.Wnd == Wnd; }),
                 Q.Timers.end());
}

}  // namespace WindowSystem
