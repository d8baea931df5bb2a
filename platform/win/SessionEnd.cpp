// Termination signals turned into posted messages, and the desktop's session-end query.
#include "platform/win/SessionEnd.h"

#include "platform/win/WinUser.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace SessionEnd {
namespace {

constexpr int Signals[] = {SIGTERM, SIGHUP, SIGINT};

std::mutex Lock;
int Pipe[2] = {-1, -1};
std::thread Relay;
struct sigaction Previous[3];
bool Running = false;
HWND TargetWindow = 0;
UINT TargetMessage = 0;
std::atomic<bool> Pending{false};
TQueryHandler Query;

// Async-signal-safe: only writes the signal's number into the pipe.
void OnSignal(int Signal) {
  const int Saved = errno;
  const unsigned char Byte = static_cast<unsigned char>(Signal);
  if (Pipe[1] >= 0) {
    (void)!::write(Pipe[1], &Byte, 1);
  }
  errno = Saved;
}

// Reads signal numbers until the pipe closes and posts one message per request to the target window.
void RelayLoop(int ReadEnd) {
  unsigned char Byte = 0;
  for (;;) {
    const ssize_t N = ::read(ReadEnd, &Byte, 1);
    if (N < 0 && errno == EINTR) {
      continue;
    }
    if (N <= 0 || Byte == 0) {
      return;  // closed, or the stop marker
    }
    HWND Target;
    UINT Msg;
    {
      std::lock_guard<std::mutex> G(Lock);
      Target = TargetWindow;
      Msg = TargetMessage;
    }
    if (Target != 0 && !Pending.exchange(true)) {
      if (!PostMessage(Target, Msg, Byte, 0)) {
        Pending = false;
      }
    }
  }
}

}  // namespace

bool Start(HWND Target, UINT Msg) {
  std::lock_guard<std::mutex> G(Lock);
  TargetWindow = Target;
  TargetMessage = Msg;
  if (Running) {
    return true;
  }
  if (::pipe2(Pipe, O_CLOEXEC) != 0) {
    return false;
  }
  struct sigaction Action = {};
  Action.sa_handler = OnSignal;
  sigemptyset(&Action.sa_mask);
  Action.sa_flags = SA_RESTART;
  for (int I = 0; I < 3; ++I) {
    sigaction(Signals[I], &Action, &Previous[I]);
  }
  Relay = std::thread(RelayLoop, Pipe[0]);
  Running = true;
  Pending = false;
  return true;
}

void Stop() {
  std::thread Ending;
  {
    std::lock_guard<std::mutex> G(Lock);
    if (!Running) {
      return;
    }
    for (int I = 0; I < 3; ++I) {
      sigaction(Signals[I], &Previous[I], nullptr);
    }
    const unsigned char Marker = 0;
    (void)!::write(Pipe[1], &Marker, 1);
    Ending = std::move(Relay);
    Running = false;
    TargetWindow = 0;
  }
  Ending.join();
  ::close(Pipe[0]);
  ::close(Pipe[1]);
  Pipe[0] = Pipe[1] = -1;
}

bool Started() {
  std::lock_guard<std::mutex> G(Lock);
  return Running;
}

// The request was handled (the close query ran): a later signal asks again.
void Handled() { Pending = false; }

void SetQueryHandler(TQueryHandler Handler) {
  std::lock_guard<std::mutex> G(Lock);
  Query = std::move(Handler);
}

bool QueryEndSession() {
  TQueryHandler Handler;
  {
    std::lock_guard<std::mutex> G(Lock);
    Handler = Query;
  }
  return !Handler || Handler();
}

}  // namespace SessionEnd
