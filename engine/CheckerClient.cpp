// Starting, feeding and ending the checker worker, with a deadline on every exchange.
#include "engine/CheckerClient.h"

#include "engine/EngineState.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>

extern char** environ;

namespace zubengine {

namespace {

using TClock = std::chrono::steady_clock;

// Time allowed for one document: a base and more for each megabyte (the checker's own speed is well above
// 5 MB a second; the margin is for a busy machine).
constexpr std::chrono::milliseconds TimeoutBase{30000};
constexpr std::chrono::milliseconds TimeoutPerMegabyte{5000};
constexpr int ChannelBuffer = 4 << 20;
// A reply larger than this is taken as nonsense.
constexpr std::uint64_t MaxReplySize = std::uint64_t{1} << 31;

std::chrono::milliseconds TimeoutFor(std::size_t Size) {
  long Forced = 0;
  if (EnvInt("ZUBQ_ENGINE_CHECKER_TIMEOUT_MS", Forced) && Forced > 0) {
    return std::chrono::milliseconds(Forced);
  }
  return TimeoutBase + TimeoutPerMegabyte * static_cast<long>(Size >> 20);
}

int MillisecondsLeft(TClock::time_point Deadline) {
  const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - TClock::now()).count();
  return Left <= 0 ? 0 : static_cast<int>(std::min<long long>(Left, 1 << 30));
}

// Waits until Fd is ready for Events; false at the deadline or when the other side has gone.
bool WaitFor(int Fd, short Events, TClock::time_point Deadline, bool& TimedOut) {
  for (;;) {
    pollfd P{Fd, Events, 0};
    const int Left = MillisecondsLeft(Deadline);
    const int N = ::poll(&P, 1, Left);
    if (N < 0 && errno == EINTR) {
      continue;
    }
    if (N == 0) {
      TimedOut = true;
      return false;
    }
    return N > 0 && (P.revents & Events) != 0;
  }
}

bool SendAll(int Fd, const char* Data, std::size_t Size, TClock::time_point Deadline, bool& TimedOut) {
  while (Size > 0) {
    const ssize_t N = ::send(Fd, Data, Size, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (N > 0) {
      Data += N;
      Size -= static_cast<std::size_t>(N);
      continue;
    }
    if (N < 0 && errno == EINTR) {
      continue;
    }
    if (N < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!WaitFor(Fd, POLLOUT, Deadline, TimedOut)) {
        return false;
      }
      continue;
    }
    return false;
  }
  return true;
}

bool ReceiveAll(int Fd, char* Data, std::size_t Size, TClock::time_point Deadline, bool& TimedOut) {
  while (Size > 0) {
    const ssize_t N = ::recv(Fd, Data, Size, MSG_DONTWAIT);
    if (N > 0) {
      Data += N;
      Size -= static_cast<std::size_t>(N);
      continue;
    }
    if (N == 0) {
      return false;  // the worker has gone
    }
    if (errno == EINTR) {
      continue;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      if (!WaitFor(Fd, POLLIN, Deadline, TimedOut)) {
        return false;
      }
      continue;
    }
    return false;
  }
  return true;
}

std::string LibraryFolder() {
  Dl_info Info{};
  if (::dladdr(reinterpret_cast<void*>(&CheckerWorkerPath), &Info) == 0 || !Info.dli_fname) {
    return {};
  }
  const std::string Name = Info.dli_fname;
  const std::size_t Slash = Name.find_last_of('/');
  return Slash == std::string::npos ? std::string("./") : Name.substr(0, Slash + 1);
}

}  // namespace

std::string CheckerWorkerPath() {
  std::string Named;
  if (EnvText("ZUBQ_ENGINE_WORKER", Named)) {
    return Named;
  }
  return LibraryFolder() + CheckerWorkerName;
}

TCheckerClient::~TCheckerClient() {
  Stop();
  if (SharedData) {
    ::munmap(SharedData, SharedSize);
  }
  if (SharedFd >= 0) {
    ::close(SharedFd);
  }
}

bool TCheckerClient::PutShared(std::string_view Text) {
  if (SharedFd < 0 || Text.empty()) {
    return false;
  }
  if (Text.size() > SharedSize) {
    // Grown by half at least, in whole megabytes.
    constexpr std::size_t Step = std::size_t{1} << 20;
    std::size_t Size = std::max(Text.size(), SharedSize + SharedSize / 2);
    Size = (Size + Step - 1) / Step * Step;
    if (SharedData) {
      ::munmap(SharedData, SharedSize);
      SharedData = nullptr;
      SharedSize = 0;
    }
    if (::ftruncate(SharedFd, static_cast<off_t>(Size)) != 0) {
      return false;
    }
    void* P = ::mmap(nullptr, Size, PROT_READ | PROT_WRITE, MAP_SHARED, SharedFd, 0);
    if (P == MAP_FAILED) {
      return false;
    }
    SharedData = static_cast<char*>(P);
    SharedSize = Size;
  }
  std::memcpy(SharedData, Text.data(), Text.size());
  return true;
}

void TCheckerClient::Stop() {
  if (Fd >= 0) {
    ::close(Fd);
    Fd = -1;
  }
  if (Pid > 0) {
    ::kill(Pid, SIGKILL);
    while (::waitpid(Pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    Pid = -1;
  }
}

bool TCheckerClient::Start(std::string& Why) {
  int Pair[2] = {-1, -1};
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, Pair) != 0) {
    Why = "the checker's channel could not be made";
    return false;
  }
  // The worker's end becomes its standard input (dup2 clears close-on-exec on the copy only); an end that is
  // itself 0 is moved first, so that dup2 does copy it.
  int Child = Pair[1];
  if (Child == 0) {
    Child = ::fcntl(Pair[1], F_DUPFD_CLOEXEC, 3);
    ::close(Pair[1]);
  }
  // The shared block for documents, made once; it becomes the worker's descriptor CheckerSharedBlock. Kept above
  // that number, so that neither copy onto the worker's descriptors overwrites the other's source.
  if (SharedFd < 0) {
    const int Made = ::memfd_create("zubq-checker-document", MFD_CLOEXEC);
    if (Made >= 0) {
      SharedFd = ::fcntl(Made, F_DUPFD_CLOEXEC, CheckerSharedBlock + 1);
      ::close(Made);
    }
  }
  const std::string Path = CheckerWorkerPath();
  posix_spawn_file_actions_t Actions;
  posix_spawnattr_t Attr;
  ::posix_spawn_file_actions_init(&Actions);
  ::posix_spawn_file_actions_adddup2(&Actions, Child, 0);
  if (SharedFd >= 0) {
    ::posix_spawn_file_actions_adddup2(&Actions, SharedFd, CheckerSharedBlock);
  }
  ::posix_spawnattr_init(&Attr);
  sigset_t Empty;
  sigemptyset(&Empty);
  sigset_t Defaults;
  sigemptyset(&Defaults);
  sigaddset(&Defaults, SIGPIPE);
  sigaddset(&Defaults, SIGSEGV);
  sigaddset(&Defaults, SIGXCPU);
  ::posix_spawnattr_setsigmask(&Attr, &Empty);
  ::posix_spawnattr_setsigdefault(&Attr, &Defaults);
  ::posix_spawnattr_setflags(&Attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  char* Argv[] = {const_cast<char*>(Path.c_str()), nullptr};
  pid_t NewPid = -1;
  const int Failed = ::posix_spawn(&NewPid, Path.c_str(), &Actions, &Attr, Argv, environ);
  ::posix_spawn_file_actions_destroy(&Actions);
  ::posix_spawnattr_destroy(&Attr);
  ::close(Child);
  if (Failed != 0) {
    ::close(Pair[0]);
    Why = "the checker \"" + Path + "\" could not be started (" + std::strerror(Failed) + ")";
    return false;
  }
  Pid = NewPid;
  Fd = Pair[0];
  // Room for large documents and replies, so that they cross in few steps.
  const int Buffer = ChannelBuffer;
  ::setsockopt(Fd, SOL_SOCKET, SO_SNDBUF, &Buffer, sizeof Buffer);
  ::setsockopt(Fd, SOL_SOCKET, SO_RCVBUF, &Buffer, sizeof Buffer);
  return true;
}

// Why the worker ended, once it has.
std::string TCheckerClient::WhyEnded() {
  int Status = 0;
  pid_t Done = -1;
  for (int Tries = 0; Tries < 50; ++Tries) {
    Done = ::waitpid(Pid, &Status, WNOHANG);
    if (Done != 0) {
      break;
    }
    ::usleep(2000);
  }
  if (Done == Pid) {
    Pid = -1;
    if (WIFSIGNALED(Status)) {
      const int Sig = WTERMSIG(Status);
      if (Sig == SIGSEGV || Sig == SIGBUS) {
        return "the checker crashed on this document (it may have run out of stack)";
      }
      if (Sig == SIGABRT) {
        return "the checker stopped on this document (it may have run out of memory)";
      }
      return std::string("the checker was ended by signal ") + std::to_string(Sig);
    }
    if (WIFEXITED(Status)) {
      return "the checker ended on this document (exit code " + std::to_string(WEXITSTATUS(Status)) + ")";
    }
  }
  return "the checker stopped answering";
}

// A failed exchange: why, and the worker ended.
bool TCheckerClient::Fail(bool TimedOut, std::string& Why) {
  if (Why.empty()) {
    Why = TimedOut ? "the checker took too long over this document" : WhyEnded();
  }
  Stop();
  return false;
}

bool TCheckerClient::Begin(const TCheckerRequest& Request, std::string& Why) {
  Why.clear();
  // A worker that ended while idle (killed from outside) is replaced before it is given the document.
  if (Pid > 0 && ::waitpid(Pid, nullptr, WNOHANG) == Pid) {
    Pid = -1;
    Stop();
  }
  if (Pid < 0 && !Start(Why)) {
    return false;
  }
  Deadline = TClock::now() + TimeoutFor(Request.Text.size());
  bool TimedOut = false;
  TCheckerRequest Sent = Request;
  Sent.Shared = PutShared(Request.Text);
  const std::string Header = EncodeRequestHeader(Sent);
  if (!SendAll(Fd, Header.data(), Header.size(), Deadline, TimedOut) ||
      (!Sent.Shared && !SendAll(Fd, Request.Text.data(), Request.Text.size(), Deadline, TimedOut))) {
    return Fail(TimedOut, Why);
  }
  return true;
}

bool TCheckerClient::Finish(TCheckerReply& Reply, std::string& Why) {
  Why.clear();
  bool TimedOut = false;
  char Length[CheckerReplyLengthSize];
  if (Fd < 0 || !ReceiveAll(Fd, Length, sizeof Length, Deadline, TimedOut)) {
    return Fail(TimedOut, Why);
  }
  const std::uint64_t Size = GetUint64(reinterpret_cast<const unsigned char*>(Length));
  if (Size > MaxReplySize) {
    Why = "the checker answered with a damaged reply";
    return Fail(false, Why);
  }
  // The buffer is kept from reply to reply, so that its memory is not mapped and cleared again each time.
  if (ReplyBuffer.size() < Size) {
    ReplyBuffer.resize(static_cast<std::size_t>(Size));
  }
  if (!ReceiveAll(Fd, ReplyBuffer.data(), static_cast<std::size_t>(Size), Deadline, TimedOut)) {
    return Fail(TimedOut, Why);
  }
  if (!DecodeReply(std::string_view(ReplyBuffer.data(), static_cast<std::size_t>(Size)), Reply)) {
    Why = "the checker answered with a damaged reply";
    return Fail(false, Why);
  }
  return true;
}

bool TCheckerClient::Check(const TCheckerRequest& Request, TCheckerReply& Reply, std::string& Why) {
  return Begin(Request, Why) && Finish(Reply, Why);
}

}  // namespace zubengine
