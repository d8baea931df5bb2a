// Requests from outside to end the program: the termination signals (SIGTERM, SIGHUP, SIGINT) and the desktop's
// end of the session. Both reach the program through its message loop, so that its close query runs with its
// questions instead of the process dying with unsaved work.
#pragma once

#include "platform/win/WinTypes.h"

#include <functional>

namespace SessionEnd {

// From now on SIGTERM, SIGHUP and SIGINT post Msg to Target (the signal number in wParam) instead of ending the
// process; Stop puts the earlier dispositions back. A signal that arrives while an earlier one waits in the
// queue adds nothing. False when the signals cannot be caught (the earlier dispositions stay).
bool Start(HWND Target, UINT Msg);
void Stop();
bool Started();
// The receiver of the posted message calls this once it has acted on the request, so a later signal asks again.
void Handled();

// The desktop asks whether the session may end. The application registers the handler that asks its windows
// (WM_QUERYENDSESSION) and ends the loop when they agree; true when the session may end (also without handler).
using TQueryHandler = std::function<bool()>;
void SetQueryHandler(TQueryHandler Handler);
bool QueryEndSession();

}  // namespace SessionEnd
