// A small web site on 127.0.0.1 for the batch wizard's tests and benchmarks: a folder's files with their content
// types, and routes that answer with a chosen status, a redirection, a stalled reply or a body cut short.
#pragma once

#include "support/NetTestServer.h"

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace NetTest {

class TSiteServer {
public:
  enum TMode { rmNormal, rmStall, rmCutShort };
  // A fixed answer for one path.
  struct TRoute {
    int status = 200;
    std::string reason = "OK";
    std::string contentType = "text/html";
    std::string body;
    std::string location;  // a Location header when not empty
    TMode mode = rmNormal;
  };

  // Serves the files under Root (empty: none) for paths without a route; anything else answers 404.
  explicit TSiteServer(std::string Root);
  ~TSiteServer();
  TSiteServer(const TSiteServer&) = delete;
  TSiteServer& operator=(const TSiteServer&) = delete;

  int Port() const { return FServer.Port(); }
  // "http://127.0.0.1:<port>" followed by Path.
  std::string Url(const std::string& Path) const;
  void SetRoute(const std::string& Path, TRoute Route);
  // Every reply waits this long before it is sent.
  void SetDelayMs(int Ms) { FDelayMs = Ms; }
  // The decoded paths requested, in order, and how often one path was requested.
  std::vector<std::string> Paths();
  int Count(const std::string& Path);
  // The request lines received (as "GET <target> HTTP/1.0"), in order.
  std::vector<std::string> RequestLines();

private:
  void Serve(TConn& Conn);
  bool FindRoute(const std::string& Path, TRoute& Route);

  std::string FRoot;
  std::atomic<bool> FStopping{false};
  std::atomic<int> FDelayMs{0};
  std::mutex FLock;
  std::map<std::string, TRoute> FRoutes;
  std::vector<std::string> FPaths;
  std::vector<std::string> FLines;
  TServer FServer;  // last: its threads stop before the members above go
};

}  // namespace NetTest
