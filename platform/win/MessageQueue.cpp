// The message queues: sending, posting, the reading order of PeekMessage/GetMessage, dispatching, and the
// toolkit backend that the loops pump and wait in.
#include "platform/win/WindowInternals.h"
#include "platform/win/CrossProcess.h"
#include "platform/win/WinHooks.h"
#include "platform/win/Clock.h"
#include "platform/win/Sync.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <stdexcept>
#include <unordered_map>

using namespace WindowSystem;

namespace {

// ---- Threads and the backend ------------------------------------------------------------------------------------

struct TQueueRegistry {
  std::mutex Lock;
  std::unordered_map<DWORD, std::weak_ptr<TThreadQueue>> ById;
};
TQueueRegistry& Registry() {
  static auto* R = new TQueueRegistry;
  return *R;
}

std::atomic<TWindowBackendFactory> BackendFactory{nullptr};
std::atomic<TWindowBackend*> Backend{nullptr};
std::atomic<DWORD> BackendThread{0};
std::atomic<TWindowExceptionHandler> ExceptionHandler{nullptr};
thread_local bool InToolkit = false;  // inside the backend's ProcessEvents

void PumpToolkit(TThreadQueue& Q) {
  if (!Q.GuiThread || InToolkit) {
    return;
  }
  if (auto* B = Backend.load()) {
    InToolkit = true;
    struct TLeave {
      ~TLeave() { InToolkit = false; }
    } Leave;
    B->ProcessEvents();
  }
}

// ---- Sent messages from other threads ---------------------------------------------------------------------------

void FinishSent(const std::shared_ptr<TSentMessage>& M) {
  {
    std::lock_guard G(M->Lock);
    M->Done = true;
  }
  M->Finished.notify_all();
  if (M->Sender) {
    WakeQueue(*M->Sender);
  }
}

void ProcessSentMessages(TThreadQueue& Q) {
  for (;;) {
    std::shared_ptr<TSentMessage> M;
    {
      std::lock_guard G(Q.Lock);
      if (Q.Sent.empty()) {
        return;
      }
      M = Q.Sent.front();
      Q.Sent.pop_front();
    }
    auto R = Find(M->Wnd);
    if (R && !R->Dead) {
      ++Q.InSendDepth;
      try {
        M->Result = CallProc(R, M->Msg, M->WParam, M->LParam);
      } catch (const std::exception& E) {
        ReportException(E);
      } catch (...) {
        ReportUnknownException();
      }
      --Q.InSendDepth;
    }
    FinishSent(M);
  }
}

// ---- Reading ----------------------------------------------------------------------------------------------------

bool TakePosted(TThreadQueue& Q, MSG& Msg, LPARAM& Extra, HWND Filter, UINT Min, UINT Max, bool Remove) {
  std::lock_guard G(Q.Lock);
  for (auto It = Q.Posted.begin(); It != Q.Posted.end();) {
    if (It->Msg.hwnd && !IsWindow(It->Msg.hwnd)) {
      It = Q.Posted.erase(It);  // the window died after the post: the message is dropped
      continue;
    }
    if (MessageMatches(It->Msg, Filter, Min, Max)) {
      Msg = It->Msg;
      Extra = It->ExtraInfo;
      if (Remove) {
        Q.Posted.erase(It);
      }
      return true;
    }
    ++It;
  }
  return false;
}

bool TakeQuit(TThreadQueue& Q, MSG& Msg, HWND Filter, UINT Min, UINT Max, bool Remove) {
  std::lock_guard G(Q.Lock);
  if (!Q.QuitPosted) {
    return false;
  }
  MSG M;
  M.message = WM_QUIT;
  M.wParam = static_cast<WPARAM>(Q.QuitCode);
  M.time = GetTickCount();
  if (!MessageMatches(M, Filter, Min, Max)) {
    return false;
  }
  Msg = M;
  if (Remove) {
    Q.QuitPosted = false;
  }
  return true;
}

bool PeekInternal(TThreadQueue& Q, MSG* Out, HWND Filter, UINT Min, UINT Max, UINT Flags) {
  bool Remove = Flags & PM_REMOVE;
  for (;;) {
    ProcessSentMessages(Q);
    MSG Msg;
    LPARAM Extra = 0;
    bool Got = TakePosted(Q, Msg, Extra, Filter, Min, Max, Remove);
    bool IsInput = false;
    if (!Got) {
      Got = TakeInput(Q, Msg, Extra, Filter, Min, Max, Remove);
      IsInput = Got;
    }
    if (!Got) {
      Got = TakeQuit(Q, Msg, Filter, Min, Max, Remove);
    }
    if (!Got && MessageMatches(MSG{0, WM_PAINT, 0, 0, 0, {}}, 0, Min, Max)) {
      Got = TakePaint(Msg, Filter);
    }
    if (!Got) {
      Got = TakeDueTimer(Msg, Filter, Min, Max, Remove);
    }
    if (!Got) {
      return false;
    }
    if (Msg.time == 0) {
      Msg.time = GetTickCount();
      GetCursorPos(&Msg.pt);
    }
    if (HasHooks(WH_GETMESSAGE)) {
      CallHooks(WH_GETMESSAGE, HC_ACTION, Remove ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(&Msg));
    }
    if (IsInput && !AllowInputMessage(Msg, Remove)) {
      continue;
    }
    if (Remove) {
      Q.LastMsg = Msg;
      Q.LastExtraInfo = Extra;
    }
    if (Out) {
      *Out = Msg;
    }
    return true;
  }
}

bool HasWork(TThreadQueue& Q) {
  std::lock_guard G(Q.Lock);
  return !Q.Posted.empty() || !Q.Sent.empty() || !Q.Input.empty() || Q.QuitPosted;
}

// Waits until something may have arrived or the next timer is due, and no longer than CapNs (0: no cap) on the
// current clock.
void WaitForWork(TThreadQueue& Q, UInt64 CapNs = 0) {
  UInt64 Due = NextTimerDue();
  if (CapNs != 0 && (Due == 0 || CapNs < Due)) {
    Due = CapNs;
  }
  int TimeoutMs = -1;
  if (Due) {
    UInt64 Now = Clock().MonotonicNs();
    TimeoutMs = Due <= Now ? 0 : static_cast<int>(std::min<UInt64>((Due - Now + 999999) / 1000000, 1u << 30));
    if (TimeoutMs == 0) {
      return;
    }
  }
  if (Q.GuiThread) {
    if (auto* B = Backend.load()) {
      if (!HasWork(Q)) {
        InToolkit = true;
        B->WaitForEvents(TimeoutMs);
        InToolkit = false;
      }
      return;
    }
  }
  std::unique_lock L(Q.Lock);
  unsigned Seen = Q.Wakeups;
  if (!Q.Posted.empty() || !Q.Sent.empty() || !Q.Input.empty() || Q.QuitPosted) {
    return;
  }
  UInt64 Deadline = Due ? Due : Clock().MonotonicNs() + 3600ull * 1000000000ull;
  while (Q.Wakeups == Seen && Clock().MonotonicNs() < Deadline) {
    Clock().WaitUntil(Q.Wake, L, Deadline);
  }
}

LPARAM PackPoint(TPoint P) {
  return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(P.X), static_cast<WORD>(P.Y)));
}

bool PostTo(const PThreadQueue& Q, HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TPostedMessage P;
  P.Msg.hwnd = Wnd;
  P.Msg.message = Msg;
  P.Msg.wParam = WParam;
  P.Msg.lParam = LParam;
  P.Msg.time = GetTickCount();
  GetCursorPos(&P.Msg.pt);
  {
    std::lock_guard G(Q->Lock);
    Q->Posted.push_back(P);
  }
  WakeQueue(*Q);
  return true;
}

}  // namespace

// ---- Backend registration ---------------------------------------------------------------------------------------

void RegisterWindowBackendFactory(TWindowBackendFactory Factory) { BackendFactory = Factory; }

TWindowBackend* ExistingWindowBackend() { return Backend.load(); }

namespace {

TWindowBackend* BackendFor(DWORD Me, bool Load) {
  if (auto* B = Backend.load()) {
    return BackendThread.load() == Me ? B : nullptr;
  }
  if (Me != MainThreadID) {
    return nullptr;
  }
  if (Load && !BackendFactory.load()) {
    LoadToolkit();
  }
  auto Factory = BackendFactory.load();
  if (!Factory || Me != MainThreadID) {
    return nullptr;
  }
  auto& Q = CurrentQueue();
  Q.GuiThread = true;
  BackendThread = Me;
  auto* B = Factory();
  Backend = B;
  return B;
}

}  // namespace

bool ToolkitLoaded() { return BackendFactory.load() != nullptr; }

TWindowBackend* WindowBackend() { return BackendFor(GetCurrentThreadId(), true); }

TWindowBackend* WindowBackendIfLoaded() { return BackendFor(GetCurrentThreadId(), false); }

// ---- Window-system internals ------------------------------------------------------------------------------------

namespace WindowSystem {

PThreadQueue CurrentQueuePtr() {
  thread_local PThreadQueue Q;
  if (!Q) {
    Q = std::make_shared<TThreadQueue>();
    Q->ThreadId = GetCurrentThreadId();
    auto& R = Registry();
    std::lock_guard G(R.Lock);
    R.ById[Q->ThreadId] = Q;
  }
  return Q;
}

TThreadQueue& CurrentQueue() {
  thread_local TThreadQueue* Q = CurrentQueuePtr().get();
  return *Q;
}

PThreadQueue QueueOfThread(DWORD ThreadId) {
  auto& R = Registry();
  std::lock_guard G(R.Lock);
  auto It = R.ById.find(ThreadId);
  return It == R.ById.end() ? nullptr : It->second.lock();
}

void WakeQueue(TThreadQueue& Q) {
  {
    std::lock_guard G(Q.Lock);
    ++Q.Wakeups;
  }
  Q.Wake.notify_all();
  if (Q.GuiThread) {
    if (auto* B = Backend.load()) {
      B->WakeUp();
    }
  }
}

LRESULT CallProc(const PWindowRec& R, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto& Q = CurrentQueue();
  bool Hooked = !Q.Hooks.empty();
  if (Hooked && HasHooks(WH_CALLWNDPROC)) {
    CWPSTRUCT C{LParam, WParam, Msg, R->Handle};
    CallHooks(WH_CALLWNDPROC, HC_ACTION, Q.InSendDepth > 0, reinterpret_cast<LPARAM>(&C));
  }
  LRESULT Result = InvokeProc(R->Proc, R->Handle, Msg, WParam, LParam);
  if (Hooked && HasHooks(WH_CALLWNDPROCRET)) {
    CWPRETSTRUCT C{Result, LParam, WParam, Msg, R->Handle};
    CallHooks(WH_CALLWNDPROCRET, HC_ACTION, Q.InSendDepth > 0, reinterpret_cast<LPARAM>(&C));
  }
  return Result;
}

void ReportException(const std::exception& E) {
  if (auto H = ExceptionHandler.load()) {
    H(E);
  } else {
    std::fprintf(stderr, "Exception in a window procedure: %s\n", E.what());
  }
}

void ReportUnknownException() { ReportException(std::runtime_error("Unknown exception in a window procedure")); }

bool MessageMatches(const MSG& Msg, HWND Filter, UINT Min, UINT Max) {
  if (Filter == static_cast<HWND>(-1)) {
    if (Msg.hwnd != 0) {
      return false;
    }
  } else if (Filter != 0 && Msg.hwnd != Filter) {
    return false;
  }
  if (Min == 0 && Max == 0) {
    return true;
  }
  if (Min <= Max) {
    return Msg.message >= Min && Msg.message <= Max;
  }
  return Msg.message >= Min || Msg.message <= Max;  // an inverted range excludes the messages between
}

}  // namespace WindowSystem

TWindowExceptionHandler SetWindowExceptionHandler(TWindowExceptionHandler Handler) {
  return ExceptionHandler.exchange(Handler);
}

// ---- Sending and posting ----------------------------------------------------------------------------------------

LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Wnd == HWND_BROADCAST) {
    for (HWND W : TopLevelWindows()) {
      SendMessage(W, Msg, WParam, LParam);
    }
    return 0;
  }
  if (CrossProcess::IsForeignHandle(Wnd)) {
    return CrossProcess::SendForeignMessage(Wnd, Msg, WParam, LParam);
  }
  auto R = Find(Wnd);
  if (!R || R->Dead) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  auto& Me = CurrentQueue();
  if (R->Queue.get() == &Me) {
    return CallProc(R, Msg, WParam, LParam);
  }
  // Another thread's window: queue the call for that thread and handle calls sent to us while we wait.
  auto M = std::make_shared<TSentMessage>();
  M->Wnd = Wnd;
  M->Msg = Msg;
  M->WParam = WParam;
  M->LParam = LParam;
  M->Sender = CurrentQueuePtr();
  PThreadQueue Target = R->Queue;
  {
    std::lock_guard G(Target->Lock);
    Target->Sent.push_back(M);
  }
  WakeQueue(*Target);
  for (;;) {
    ProcessSentMessages(Me);
    {
      std::lock_guard G(M->Lock);
      if (M->Done) {
        return M->Result;
      }
    }
    std::unique_lock L(Me.Lock);
    unsigned Seen = Me.Wakeups;
    Me.Wake.wait_for(L, std::chrono::milliseconds(20), [&] { return Me.Wakeups != Seen || !Me.Sent.empty(); });
  }
}

BOOL SendNotifyMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto R = Find(Wnd);
  if (!R || R->Dead) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (R->Queue.get() == &CurrentQueue()) {
    SendMessage(Wnd, Msg, WParam, LParam);
    return TRUE;
  }
  auto M = std::make_shared<TSentMessage>();
  M->Wnd = Wnd;
  M->Msg = Msg;
  M->WParam = WParam;
  M->LParam = LParam;
  M->Notify = true;
  {
    std::lock_guard G(R->Queue->Lock);
    R->Queue->Sent.push_back(M);
  }
  WakeQueue(*R->Queue);
  return TRUE;
}

BOOL PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Wnd == 0) {
    return PostThreadMessage(GetCurrentThreadId(), Msg, WParam, LParam);
  }
  if (Wnd == HWND_BROADCAST) {
    for (HWND W : TopLevelWindows()) {
      PostMessage(W, Msg, WParam, LParam);
    }
    return TRUE;
  }
  if (CrossProcess::IsForeignHandle(Wnd)) {
    return CrossProcess::PostForeignMessage(Wnd, Msg, WParam, LParam);
  }
  auto R = Find(Wnd);
  if (!R || R->Dead) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return PostTo(R->Queue, Wnd, Msg, WParam, LParam);
}

BOOL PostThreadMessage(DWORD ThreadId, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto Q = ThreadId == GetCurrentThreadId() ? CurrentQueuePtr() : QueueOfThread(ThreadId);
  if (!Q) {
    SetLastError(1444);  // ERROR_INVALID_THREAD_ID
    return FALSE;
  }
  return PostTo(Q, 0, Msg, WParam, LParam);
}

void PostQuitMessage(int ExitCode) {
  auto& Q = CurrentQueue();
  {
    std::lock_guard G(Q.Lock);
    Q.QuitPosted = true;
    Q.QuitCode = ExitCode;
  }
  WakeQueue(Q);
}

// ---- Reading ----------------------------------------------------------------------------------------------------

BOOL PeekMessage(MSG* Msg, HWND Wnd, UINT FilterMin, UINT FilterMax, UINT RemoveMsg) {
  auto& Q = CurrentQueue();
  PumpToolkit(Q);
  return PeekInternal(Q, Msg, Wnd, FilterMin, FilterMax, RemoveMsg) ? TRUE : FALSE;
}

BOOL GetMessage(MSG* Msg, HWND Wnd, UINT FilterMin, UINT FilterMax) {
  auto& Q = CurrentQueue();
  MSG M;
  for (;;) {
    PumpToolkit(Q);
    if (PeekInternal(Q, &M, Wnd, FilterMin, FilterMax, PM_REMOVE)) {
      if (Msg) {
        *Msg = M;
      }
      return M.message == WM_QUIT ? FALSE : TRUE;
    }
    WaitForWork(Q);
  }
}

BOOL WaitMessage() {
  auto& Q = CurrentQueue();
  for (;;) {
    PumpToolkit(Q);
    ProcessSentMessages(Q);
    if (PeekInternal(Q, nullptr, 0, 0, 0, PM_NOREMOVE)) {
      return TRUE;
    }
    WaitForWork(Q);
  }
}

DWORD MsgWaitForMultipleObjects(DWORD Count, const HANDLE* Handles, BOOL WaitAll, DWORD Milliseconds, DWORD WakeMask) {
  (void)Handles;
  (void)WaitAll;
  (void)WakeMask;
  if (Count != 0) {
    return WAIT_FAILED;
  }
  auto& Q = CurrentQueue();
  const UInt64 Deadline =
      Milliseconds == INFINITE ? 0 : Clock().MonotonicNs() + static_cast<UInt64>(Milliseconds) * 1000000ull;
  for (;;) {
    PumpToolkit(Q);
    ProcessSentMessages(Q);
    if (PeekInternal(Q, nullptr, 0, 0, 0, PM_NOREMOVE)) {
      return WAIT_OBJECT_0;
    }
    if (Deadline != 0 && Clock().MonotonicNs() >= Deadline) {
      return WAIT_TIMEOUT;
    }
    WaitForWork(Q, Deadline);
  }
}

LRESULT DispatchMessage(const MSG* Msg) {
  if (!Msg || !Msg->hwnd) {
    if (Msg && Msg->message == WM_TIMER && Msg->lParam) {
      // A thread timer's callback (no window).
      try {
        reinterpret_cast<TIMERPROC>(Msg->lParam)(0, WM_TIMER, Msg->wParam, GetTickCount());
      } catch (const std::exception& E) {
        ReportException(E);
      } catch (...) {
        ReportUnknownException();
      }
    }
    return 0;
  }
  auto R = Find(Msg->hwnd);
  if (!R || R->Dead || R->Queue.get() != &CurrentQueue()) {
    return 0;
  }
  try {
    if (Msg->message == WM_TIMER && Msg->lParam) {
      reinterpret_cast<TIMERPROC>(Msg->lParam)(Msg->hwnd, WM_TIMER, Msg->wParam, GetTickCount());
      return 0;
    }
    if (Msg->message == WM_PAINT) {
      PaintFrameIfDirty(Msg->hwnd);
    }
    if (Msg->message == WM_LAYER_FOREGROUND) {
      SetForegroundWindow(Msg->hwnd);  // another process asked for this window; the user sees it come forward
      return 0;
    }
    return CallProc(R, Msg->message, Msg->wParam, Msg->lParam);
  } catch (const std::exception& E) {
    ReportException(E);
  } catch (...) {
    ReportUnknownException();
  }
  return 0;
}

DWORD GetMessagePos() {
  auto& Q = CurrentQueue();
  return static_cast<DWORD>(PackPoint(Q.LastMsg.pt));
}

LONG GetMessageTime() { return static_cast<LONG>(CurrentQueue().LastMsg.time); }

LPARAM GetMessageExtraInfo() { return CurrentQueue().LastExtraInfo; }

BOOL InSendMessage() { return CurrentQueue().InSendDepth > 0 ? TRUE : FALSE; }

DWORD GetQueueStatus(UINT Flags) {
  auto& Q = CurrentQueue();
  DWORD S = 0;
  {
    std::lock_guard G(Q.Lock);
    if (!Q.Posted.empty()) {
      S |= QS_POSTMESSAGE;
    }
    if (!Q.Sent.empty()) {
      S |= QS_SENDMESSAGE;
    }
    for (auto& E : Q.Input) {
      S |= (E.Kind == TInputEvent::ikKeyDown || E.Kind == TInputEvent::ikKeyUp || E.Kind == TInputEvent::ikIme) ? QS_KEY
           : E.Kind == TInputEvent::ikMouseMove                                 ? QS_MOUSEMOVE
                                                                                : QS_MOUSEBUTTON;
    }
  }
  MSG M;
  if (TakePaint(M, 0)) {
    S |= QS_PAINT;
  }
  UInt64 Due = NextTimerDue();
  if (Due && Due <= Clock().MonotonicNs()) {
    S |= QS_TIMER;
  }
  S &= Flags;
  return (S << 16) | S;
}
