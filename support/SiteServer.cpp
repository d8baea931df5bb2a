// A small web site on 127.0.0.1: files, content types, fixed routes, redirections, stalls and short bodies.
#include "support/SiteServer.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

namespace NetTest {

namespace {

std::string ContentTypeOf(const std::string& Path) {
  const std::size_t Dot = Path.rfind('.');
  const std::string Ext = Dot == std::string::npos ? "" : Path.substr(Dot + 1);
  if (Ext == "html" || Ext == "htm") {
    return "text/html";
  }
  if (Ext == "css") {
    return "text/css";
  }
  if (Ext == "txt") {
    return "text/plain";
  }
  if (Ext == "png") {
    return "image/png";
  }
  return Ext == "gif" ? "image/gif" : "application/octet-stream";
}

std::string Decode(const std::string& S) {
  std::string Out;
  for (std::size_t I = 0; I < S.size(); ++I) {
    if (S[I] == '%' && I + 2 < S.size() && std::isxdigit(static_cast<unsigned char>(S[I + 1])) &&
        std::isxdigit(static_cast<unsigned char>(S[I + 2]))) {
      Out += static_cast<char>(std::stoi(S.substr(I + 1, 2), nullptr, 16));
      I += 2;
    } else {
      Out += S[I];
    }
  }
  return Out;
}

// The path of a request target ("/p?q" or "http://host:port/p?q"), without query and anchor.
std::string PathOf(std::string Target) {
  if (Target.rfind("http://", 0) == 0) {
    const std::size_t Slash = Target.find('/', 7);
    Target = Slash == std::string::npos ? "/" : Target.substr(Slash);
  }
  Target = Target.substr(0, Target.find_first_of("?#"));
  return Decode(Target);
}

}  // namespace

TSiteServer::TSiteServer(std::string Root)
    : FRoot(std::move(Root)), FServer([this](TConn& Conn, int) { Serve(Conn); }) {}

TSiteServer::~TSiteServer() { FStopping = true; }

std::string TSiteServer::Url(const std::string& Path) const {
  return "http://127.0.0.1:" + std::to_string(Port()) + Path;
}

void TSiteServer::SetRoute(const std::string& Path, TRoute Route) {
  std::lock_guard G(FLock);
  FRoutes[Path] = std::move(Route);
}

std::vector<std::string> TSiteServer::Paths() {
  std::lock_guard G(FLock);
  return FPaths;
}

int TSiteServer::Count(const std::string& Path) {
  std::lock_guard G(FLock);
  return static_cast<int>(std::count(FPaths.begin(), FPaths.end(), Path));
}

std::vector<std::string> TSiteServer::RequestLines() {
  std::lock_guard G(FLock);
  return FLines;
}

bool TSiteServer::FindRoute(const std::string& Path, TRoute& Route) {
  {
    std::lock_guard G(FLock);
    auto It = FRoutes.find(Path);
    if (It != FRoutes.end()) {
      Route = It->second;
      return true;
    }
  }
  if (FRoot.empty() || Path.find("..") != std::string::npos) {
    return false;
  }
  std::ifstream F(FRoot + Path, std::ios::binary);
  if (!F || Path.back() == '/') {
    return false;
  }
  Route.body.assign(std::istreambuf_iterator<char>(F), {});
  Route.contentType = ContentTypeOf(Path);
  return true;
}

void TSiteServer::Serve(TConn& Conn) {
  const std::string Request = Conn.ReadRequest();
  const std::string Line = Request.substr(0, Request.find("\r\n"));
  const std::size_t A = Line.find(' ');
  const std::size_t B = Line.rfind(' ');
  if (A == std::string::npos || B <= A) {
    return;
  }
  const std::string Path = PathOf(Line.substr(A + 1, B - A - 1));
  {
    std::lock_guard G(FLock);
    FPaths.push_back(Path);
    FLines.push_back(Line);
  }
  if (FDelayMs > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(FDelayMs.load()));
  }
  TRoute Route;
  if (!FindRoute(Path, Route)) {
    Route.status = 404;
    Route.reason = "Not Found";
    Route.body = "<html><body><p>Not found</p></body></html>";
  }
  if (Route.mode == rmStall) {
    // Nothing is sent; the client gives up and closes.
    while (!FStopping) {
      bool Reset = false;
      if (Conn.WaitPeerGone(50, Reset)) {
        return;
      }
    }
    return;
  }
  const std::size_t Announced = Route.body.size() + (Route.mode == rmCutShort ? 100 : 0);
  std::string Reply = "HTTP/1.0 " + std::to_string(Route.status) + " " + Route.reason + "\r\n";
  Reply += "Content-Type: " + Route.contentType + "\r\nContent-Length: " + std::to_string(Announced) + "\r\n";
  if (!Route.location.empty()) {
    Reply += "Location: " + Route.location + "\r\n";
  }
  Reply += "\r\n" + Route.body;
  Conn.Send(Reply);
}

}  // namespace NetTest
