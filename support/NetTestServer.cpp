// Scripted TCP servers on 127.0.0.1 for the socket and HTTP tests.
#include "support/NetTestServer.h"

#include "platform/win/Clock.h"
#include "platform/win/WinUser.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace NetTest {

namespace {

long long NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

sockaddr_in Loopback(int Port) {
  sockaddr_in A{};
  A.sin_family = AF_INET;
  A.sin_port = htons(static_cast<uint16_t>(Port));
  A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return A;
}

// Waits for the descriptor to become readable; false on time-out.
bool WaitReadable(int Fd, long long Deadline) {
  for (;;) {
    long long Left = Deadline - NowMs();
    if (Left <= 0) {
      return false;
    }
    pollfd P{Fd, POLLIN, 0};
    int R = ::poll(&P, 1, static_cast<int>(Left));
    if (R > 0) {
      return true;
    }
    if (R < 0 && errno != EINTR) {
      return false;
    }
  }
}

}  // namespace

TConn::~TConn() { Close(); }

std::string TConn::ReadSome(int TimeoutMs) {
  if (FFd < 0 || !WaitReadable(FFd, NowMs() + TimeoutMs)) {
    return std::string();
  }
  char Buf[65536];
  ssize_t N = ::recv(FFd, Buf, sizeof Buf, 0);
  return N > 0 ? std::string(Buf, static_cast<std::size_t>(N)) : std::string();
}

std::string TConn::ReadExactly(std::size_t N, int TimeoutMs) {
  std::string Out;
  long long Deadline = NowMs() + TimeoutMs;
  while (Out.size() < N && FFd >= 0 && WaitReadable(FFd, Deadline)) {
    char Buf[65536];
    ssize_t R = ::recv(FFd, Buf, std::min(sizeof Buf, N - Out.size()), 0);
    if (R <= 0) {
      break;
    }
    Out.append(Buf, static_cast<std::size_t>(R));
  }
  return Out;
}

std::string TConn::ReadRequest(int TimeoutMs) {
  std::string Out;
  long long Deadline = NowMs() + TimeoutMs;
  std::size_t End = std::string::npos;
  while ((End = Out.find("\r\n\r\n")) == std::string::npos) {
    if (FFd < 0 || !WaitReadable(FFd, Deadline)) {
      return Out;
    }
    char Buf[4096];
    ssize_t R = ::recv(FFd, Buf, sizeof Buf, 0);
    if (R <= 0) {
      return Out;
    }
    Out.append(Buf, static_cast<std::size_t>(R));
  }
  std::size_t BodyLen = 0;
  std::size_t CL = Out.find("Content-Length: ");
  if (CL != std::string::npos && CL < End) {
    BodyLen = static_cast<std::size_t>(std::stoul(Out.substr(CL + 16)));
  }
  std::size_t Have = Out.size() - (End + 4);
  if (Have < BodyLen) {
    Out += ReadExactly(BodyLen - Have, static_cast<int>(std::max(1LL, Deadline - NowMs())));
  }
  return Out;
}

bool TConn::Send(const std::string& Data) {
  std::size_t Done = 0;
  while (Done < Data.size()) {
    ssize_t N = ::send(FFd, Data.data() + Done, Data.size() - Done, MSG_NOSIGNAL);
    if (N <= 0) {
      if (N < 0 && errno == EINTR) {
        continue;
      }
      return false;
    }
    Done += static_cast<std::size_t>(N);
  }
  return true;
}

bool TConn::SendPieces(const std::vector<std::string>& Pieces, int PauseMs) {
  int One = 1;
  ::setsockopt(FFd, IPPROTO_TCP, TCP_NODELAY, &One, sizeof One);
  for (const std::string& P : Pieces) {
    if (!Send(P)) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(PauseMs));
  }
  return true;
}

void TConn::ShutdownSend() {
  if (FFd >= 0) {
    ::shutdown(FFd, SHUT_WR);
  }
}

void TConn::Close() {
  if (FFd >= 0) {
    ::close(FFd);
    FFd = -1;
  }
}

void TConn::Reset() {
  if (FFd >= 0) {
    linger L{1, 0};
    ::setsockopt(FFd, SOL_SOCKET, SO_LINGER, &L, sizeof L);
    Close();
  }
}

bool TConn::WaitPeerGone(int TimeoutMs, bool& WasReset) {
  WasReset = false;
  long long Deadline = NowMs() + TimeoutMs;
  while (FFd >= 0) {
    long long Left = Deadline - NowMs();
    if (Left <= 0) {
      return false;
    }
    pollfd P{FFd, POLLIN, 0};
    if (::poll(&P, 1, static_cast<int>(Left)) <= 0) {
      continue;
    }
    if (P.revents & POLLERR) {
      WasReset = true;
      return true;
    }
    char Buf[4096];
    ssize_t N = ::recv(FFd, Buf, sizeof Buf, 0);
    if (N == 0) {
      // A FIN; a reset may follow right behind it (error and hang-up are reported without asking).
      pollfd Q{FFd, 0, 0};
      ::poll(&Q, 1, 200);
      int Err = 0;
      socklen_t L = sizeof Err;
      ::getsockopt(FFd, SOL_SOCKET, SO_ERROR, &Err, &L);
      WasReset = (Q.revents & POLLERR) || Err != 0;
      return true;
    }
    if (N < 0) {
      WasReset = errno == ECONNRESET || errno == EPIPE;
      return true;
    }
  }
  return false;
}

TServer::TServer(THandler Handler) : FHandler(std::move(Handler)) {
  FListenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int One = 1;
  ::setsockopt(FListenFd, SOL_SOCKET, SO_REUSEADDR, &One, sizeof One);
  sockaddr_in A = Loopback(0);
  ::bind(FListenFd, reinterpret_cast<sockaddr*>(&A), sizeof A);
  socklen_t L = sizeof A;
  ::getsockname(FListenFd, reinterpret_cast<sockaddr*>(&A), &L);
  FPort = ntohs(A.sin_port);
  ::listen(FListenFd, 16);
  FThread = std::thread([this] { AcceptLoop(); });
}

TServer::~TServer() {
  FStop = true;
  FThread.join();
  ::close(FListenFd);
  std::vector<std::thread> Workers;
  {
    std::lock_guard G(FLock);
    Workers.swap(FWorkers);
  }
  for (auto& W : Workers) {
    W.join();
  }
}

void TServer::AcceptLoop() {
  while (!FStop) {
    pollfd P{FListenFd, POLLIN, 0};
    if (::poll(&P, 1, 20) <= 0) {
      continue;
    }
    int Fd = ::accept4(FListenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (Fd < 0) {
      continue;
    }
    // A client that stops reading must not keep a worker (and the server's destructor) waiting for ever.
    timeval SendLimit{30, 0};
    ::setsockopt(Fd, SOL_SOCKET, SO_SNDTIMEO, &SendLimit, sizeof SendLimit);
    int Index = FAccepted++;
    std::lock_guard G(FLock);
    FWorkers.emplace_back([this, Fd, Index] {
      TConn C(Fd);
      FHandler(C, Index);
    });
  }
}

void TServer::Record(const std::string& Request) {
  std::lock_guard G(FLock);
  FRequests.push_back(Request);
}

std::vector<std::string> TServer::Requests() {
  std::lock_guard G(FLock);
  return FRequests;
}

int UnusedPort() {
  int Fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in A = Loopback(0);
  ::bind(Fd, reinterpret_cast<sockaddr*>(&A), sizeof A);
  socklen_t L = sizeof A;
  ::getsockname(Fd, reinterpret_cast<sockaddr*>(&A), &L);
  ::close(Fd);
  return ntohs(A.sin_port);
}

bool PumpUntil(const std::function<bool()>& Done, int TimeoutMs) {
  long long Deadline = NowMs() + TimeoutMs;
  while (!Done()) {
    if (NowMs() >= Deadline) {
      return false;
    }
    MSG M;
    if (PeekMessage(&M, 0, 0, 0, PM_REMOVE)) {
      TranslateMessage(&M);
      DispatchMessage(&M);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  return true;
}

void PumpFor(int Ms) {
  long long Deadline = NowMs() + Ms;
  PumpUntil([&] { return NowMs() >= Deadline; }, Ms + 1000);
}

long long BlockingFetch(int Port, const std::string& Request, int BufSize) {
  int Fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in A = Loopback(Port);
  if (::connect(Fd, reinterpret_cast<sockaddr*>(&A), sizeof A) != 0) {
    ::close(Fd);
    return -1;
  }
  ::send(Fd, Request.data(), Request.size(), MSG_NOSIGNAL);
  std::vector<char> Buf(static_cast<std::size_t>(BufSize));
  long long Total = 0;
  for (;;) {
    ssize_t N = ::recv(Fd, Buf.data(), Buf.size(), 0);
    if (N <= 0) {
      break;
    }
    Total += N;
  }
  ::close(Fd);
  return Total;
}

}  // namespace NetTest
