// Thread hooks shared by the framework: one hook of each needed kind, fanned out to registered procedures.
#pragma once

#include "platform/rtl/Sets.h"
#include "platform/win/WinTypes.h"

enum THookProcCode { hpSendActivateApp, hpSendWindowPosChanged, hpPreDestroy, hpGetMessage };
using THookProcCodes = TSet<THookProcCode, hpGetMessage>;
// Called with the code, the window concerned (none for hpGetMessage) and the hook's wParam and lParam
// (hpGetMessage: lParam points at the MSG taken from the queue).
using THookProc = void (*)(THookProcCode Code, HWND Wnd, WPARAM WParam, LPARAM LParam);

// Registers Proc for Codes. A registered procedure only gains a reference (its codes stay as first given).
// Unless OnlyIncrementCount, every hook kind the codes need gains a user and is installed for the calling thread
// when it has none yet.
void InstallHookProc(THookProc Proc, THookProcCodes Codes, bool OnlyIncrementCount = false);
// Drops one reference of Proc (the entry goes at zero); the hook kinds of its codes each lose a user, and a kind
// left without users is removed. Unknown procedures are ignored.
void UninstallHookProc(THookProc Proc);

// Diagnostics: whether the call-window-procedure (0), computer-based-training (1) or get-message (2) hook is
// installed, and how many procedures are registered.
bool HookKindInstalled(int Kind);
int HookProcCount();
