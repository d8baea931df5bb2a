// Scripted TCP servers on 127.0.0.1 for the socket and HTTP tests and benchmarks, and a message pump with a
// deadline. Kept free of the system's socket headers (their names clash with the sockets library's).
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace NetTest {

// One accepted connection, used from the server's thread.
class TConn {
public:
  explicit TConn(int Fd) : FFd(Fd) {}
  ~TConn();
  TConn(const TConn&) = delete;
  TConn& operator=(const TConn&) = delete;

  // Reads an HTTP request: up to the blank line, then as many body bytes as its Content-Length says.
  std::string ReadRequest(int TimeoutMs = 5000);
  // Reads whatever arrives within the time (at least one byte unless the peer closes or time runs out).
  std::string ReadSome(int TimeoutMs = 5000);
  // Reads exactly N bytes (less when the peer closes or time runs out).
  std::string ReadExactly(std::size_t N, int TimeoutMs = 5000);
  // Sends all bytes; false when the peer is gone.
  bool Send(const std::string& Data);
  // Sends the pieces one after the other with a pause between them, so that they arrive in separate reads.
  bool SendPieces(const std::vector<std::string>& Pieces, int PauseMs = 15);
  void ShutdownSend();
  void Close();
  // Closes with a reset (linger on, 0 seconds).
  void Reset();
  // Waits until the peer closes; true when it reset the connection.
  bool WaitPeerGone(int TimeoutMs, bool& WasReset);
  int Fd() const { return FFd; }

private:
  int FFd = -1;
};

// A server on 127.0.0.1 with an ephemeral port. Each accepted connection runs the handler on its own thread;
// the connection closes when the handler returns (unless it closed it itself).
class TServer {
public:
  using THandler = std::function<void(TConn& Conn, int Index)>;
  explicit TServer(THandler Handler);
  ~TServer();
  TServer(const TServer&) = delete;
  TServer& operator=(const TServer&) = delete;

  int Port() const { return FPort; }
  std::string PortStr() const { return std::to_string(FPort); }
  int Accepted() const { return FAccepted.load(); }
  // The requests the handlers recorded with Record, in order.
  void Record(const std::string& Request);
  std::vector<std::string> Requests();

private:
  void AcceptLoop();

  THandler FHandler;
  int FListenFd = -1;
  int FPort = 0;
  std::atomic<bool> FStop{false};
  std::atomic<int> FAccepted{0};
  std::thread FThread;
  std::mutex FLock;
  std::vector<std::thread> FWorkers;
  std::vector<std::string> FRequests;
};

// A port on 127.0.0.1 where nothing listens.
int UnusedPort();

// Pumps this thread's messages until Done() or the time is up; returns Done().
bool PumpUntil(const std::function<bool()>& Done, int TimeoutMs = 5000);
// Pumps messages for the given time.
void PumpFor(int Ms);

// A plain blocking client: connects to 127.0.0.1:Port, sends Request and reads until the server closes, in
// reads of BufSize bytes. Returns the bytes read.
long long BlockingFetch(int Port, const std::string& Request, int BufSize);

}  // namespace NetTest
