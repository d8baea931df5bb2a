// Thread hooks shared by the framework.
#include "toolbars/Tb2hook.h"

#include "platform/win/WinHooks.h"
#include "platform/win/WinUser.h"

#include <memory>
#include <vector>

namespace {

struct THookProcEntry {
  THookProc Proc = nullptr;
  int RefCount = 0;
  THookProcCodes Codes;
};

struct THookState {
  HHOOK Handle = 0;
  int UseCount = 0;
};

// The registered procedures in registration order (none until the first registration).
std::unique_ptr<std::vector<THookProcEntry>> HookProcList;
THookState Hooks[3];
constexpr int HookTypes[3] = {WH_CALLWNDPROC, WH_CBT, WH_GETMESSAGE};

int KindOf(THookProcCode Code) {
  switch (Code) {
    case hpSendActivateApp:
    case hpSendWindowPosChanged: return 0;
    case hpPreDestroy: return 1;
    case hpGetMessage: return 2;
  }
  return 0;
}

// Calls every procedure registered for Code; one that raises does not stop the others.
void CallProcs(THookProcCode Code, HWND Wnd, WPARAM WParam, LPARAM LParam) {
  if (!HookProcList) {
    return;
  }
  // A copy, so that a procedure may register or unregister procedures while it runs.
  std::vector<THookProcEntry> Entries = *HookProcList;
  for (const THookProcEntry& E : Entries) {
    if (E.Codes.Contains(Code)) {
      try {
        E.Proc(Code, Wnd, WParam, LParam);
      } catch (...) {
        // Swallowed: the other procedures and the hook chain still run.
      }
    }
  }
}

LRESULT CallWndProcHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION) {
    const auto* Msg = reinterpret_cast<const CWPSTRUCT*>(LParam);
    if (Msg->message == WM_ACTIVATEAPP) {
      CallProcs(hpSendActivateApp, Msg->hwnd, Msg->wParam, Msg->lParam);
    } else if (Msg->message == WM_WINDOWPOSCHANGED) {
      CallProcs(hpSendWindowPosChanged, Msg->hwnd, Msg->wParam, Msg->lParam);
    }
  }
  return CallNextHookEx(Hooks[0].Handle, Code, WParam, LParam);
}

LRESULT CBTHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HCBT_DESTROYWND) {
    CallProcs(hpPreDestroy, static_cast<HWND>(WParam), 0, 0);
  }
  return CallNextHookEx(Hooks[1].Handle, Code, WParam, LParam);
}

LRESULT GetMessageHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION) {
    CallProcs(hpGetMessage, 0, WParam, LParam);
  }
  return CallNextHookEx(Hooks[2].Handle, Code, WParam, LParam);
}

constexpr HOOKPROC HookProcs[3] = {&CallWndProcHook, &CBTHook, &GetMessageHook};

TSet<int, 2> KindsOf(THookProcCodes Codes) {
  TSet<int, 2> Kinds;
  for (THookProcCode C : {hpSendActivateApp, hpSendWindowPosChanged, hpPreDestroy, hpGetMessage}) {
    if (Codes.Contains(C)) {
      Kinds.Include(KindOf(C));
    }
  }
  return Kinds;
}

// Removes every hook when the unit goes, whatever the counts say.
struct THookFinalizer {
  ~THookFinalizer() {
    for (THookState& H : Hooks) {
      if (H.Handle) {
        UnhookWindowsHookEx(H.Handle);
        H.Handle = 0;
      }
    }
    HookProcList.reset();
  }
} HookFinalizer;

}  // namespace

void InstallHookProc(THookProc Proc, THookProcCodes Codes, bool OnlyIncrementCount) {
  if (!HookProcList) {
    HookProcList = std::make_unique<std::vector<THookProcEntry>>();
  }
  bool Found = false;
  for (THookProcEntry& E : *HookProcList) {
    if (E.Proc == Proc) {
      ++E.RefCount;
      Found = true;
      break;
    }
  }
  if (!Found) {
    HookProcList->push_back({Proc, 1, Codes});
  }
  if (OnlyIncrementCount) {
    return;
  }
  TSet<int, 2> Kinds = KindsOf(Codes);
  for (int K = 0; K < 3; ++K) {
    if (Kinds.Contains(K)) {
      ++Hooks[K].UseCount;
      if (!Hooks[K].Handle) {
        Hooks[K].Handle = SetWindowsHookEx(HookTypes[K], HookProcs[K], 0, GetCurrentThreadId());
      }
    }
  }
}

void UninstallHookProc(THookProc Proc) {
  if (!HookProcList) {
    return;
  }
  for (std::size_t I = 0; I < HookProcList->size(); ++I) {
    THookProcEntry& E = (*HookProcList)[I];
    if (E.Proc != Proc) {
      continue;
    }
    THookProcCodes Codes = E.Codes;
    if (--E.RefCount <= 0) {
      HookProcList->erase(HookProcList->begin() + static_cast<std::ptrdiff_t>(I));
    }
    TSet<int, 2> Kinds = KindsOf(Codes);
    for (int K = 0; K < 3; ++K) {
      if (Kinds.Contains(K) && Hooks[K].UseCount > 0) {
        if (--Hooks[K].UseCount == 0 && Hooks[K].Handle) {
          UnhookWindowsHookEx(Hooks[K].Handle);
          Hooks[K].Handle = 0;
        }
      }
    }
    break;
  }
  if (HookProcList->empty()) {
    HookProcList.reset();
  }
}

bool HookKindInstalled(int Kind) { return Kind >= 0 && Kind < 3 && Hooks[Kind].Handle != 0; }

int HookProcCount() { return HookProcList ? static_cast<int>(HookProcList->size()) : 0; }
