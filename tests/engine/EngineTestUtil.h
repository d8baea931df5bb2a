// Test helpers for the validator engine: the entry points loaded by name as the program loads them, jobs run
// through them, a fresh settings folder, and a small HTTP server on 127.0.0.1.
#pragma once

#include "engine/ZubValidator.h"

#include "platform/win/Modules.h"
#include "platform/win/RegistryStore.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>


namespace EngineTest {

// Every entry point, found by name in the library the way the program binds them.
struct TApi {
  HMODULE Module = nullptr;
#define ZUB_MEMBER(Name, Ret, Args) Name##_t Name = nullptr;
  ZUB_ENTRY_POINTS(ZUB_MEMBER)
#undef ZUB_MEMBER
};

inline TApi LoadApi(const char* Library = "zubvalidatorV60.dll") {
  TApi A;
  A.Module = LoadLibrary(Library);
  if (!A.Module) return A;
#define ZUB_BIND(Name, Ret, Args) A.Name = reinterpret_cast<Name##_t>(GetProcAddress(A.Module, #Name));
  ZUB_ENTRY_POINTS(ZUB_BIND)
#undef ZUB_BIND
  return A;
}

inline const TApi& Api() {
  static const TApi A = LoadApi();
  return A;
}

inline std::string ReadFile(const std::string& Name) {
  std::ifstream F(Name, std::ios::binary);
  std::ostringstream S;
  S << F.rdbuf();
  return S.str();
}

inline std::string DataFile(const char* Name) { return std::string(ZUBQ_TEST_DATA_DIR) + "/" + Name; }

inline std::vector<std::string> Lines(const std::string& Text) {
  std::vector<std::string> Out;
  std::stringstream S(Text);
  std::string L;
  while (std::getline(S, L)) Out.push_back(L);
  return Out;
}

// A fresh settings folder for the engine's configuration file, and environment switches cleared.
class TEngineFixture : public ::testing::Test {
protected:
  std::filesystem::path Folder;
  ZUBInt Config = -1;

  void SetUp() override {
    ASSERT_NE(Api().Module, nullptr) << "the engine library did not load";
    Folder = std::filesystem::temp_directory_path() /
             ("zubengine-" + std::to_string(::getpid()) + "-" + std::to_string(Counter()++));
    std::filesystem::create_directories(Folder);
    setenv("ZUBQ_REGISTRY_DIR", Folder.c_str(), 1);
    RegistryResetForTests();
    for (const char* V : {"ZUBQ_ENGINE_VERSION", "ZUBQ_ENGINE_FAIL", "ZUBQ_ENGINE_RUN_RESULT",
                          "ZUBQ_ENGINE_CONFIG_FAIL"}) {
      unsetenv(V);
    }
    Config = Api().ZUBGetNewHandle(ZUB_KIND_CONFIGURATION);
    ASSERT_GE(Config, 0);
    ASSERT_EQ(Api().ZUBHTMLConfiguration(0, Config, 1), 0);
  }
  void TearDown() override {
    Api().ZUBFreeHandle(Config, 0);
    std::error_code Ec;
    std::filesystem::remove_all(Folder, Ec);
  }
  static int& Counter() {
    static int N = 0;
    return N;
  }

  // A job of the given kind over Text (line by line, as the program hands a document over); the result handle.
  ZUBInt Run(int Kind, const std::string& Text, const std::string& Name = "test.html", ZUBInt ConfigIndex = -1) {
    const TApi& E = Api();
    const ZUBInt Job = E.ZUBGetNewHandle(ZUB_KIND_JOB);
    EXPECT_GE(Job, 0);
    EXPECT_EQ(E.ZUBSetInteger(Job, 5001, Kind), 0);
    if (ConfigIndex >= 0) E.ZUBSetInteger(Job, 5004, ConfigIndex);
    E.ZUBSetFlag(Job, 2000, 0x4000, 1);
    E.ZUBSetFlag(Job, 2000, 0x8000, 1);
    E.ZUBSetInteger(Job, 5003, 0);
    for (const std::string& L : Lines(Text)) EXPECT_EQ(E.ZUBSetString(Job, 8002, L.c_str()), 0);
    E.ZUBSetFlag(Job, 2000, 0x2000, 1);
    E.ZUBSetString(Job, 8000, Name.c_str());
    const ZUBInt Result = E.ZUBRunJob(0, Config, Job, 0);
    E.ZUBFreeHandle(Job, 0);
    return Result;
  }
};

struct TFinding {
  int Type, Line, Char, Length, Kind, Id, Flag1;
  std::string Text, Category;
};

inline std::vector<TFinding> Messages(ZUBInt Result) {
  const TApi& E = Api();
  std::vector<TFinding> Out;
  const int N = E.ZUBGetIntegerEZ(Result, 6003);
  for (int I = 1; I <= N; ++I) {
    const char* T = E.ZUBGetString2(Result, 12001, I);
    const char* C = E.ZUBGetString2(Result, 12004, I);
    Out.push_back({E.ZUBGetInteger2EZ(Result, 15000, I), E.ZUBGetInteger2EZ(Result, 15001, I),
                   E.ZUBGetInteger2EZ(Result, 15002, I), E.ZUBGetInteger2EZ(Result, 15003, I),
                   E.ZUBGetInteger2EZ(Result, 15013, I), E.ZUBGetInteger2EZ(Result, 15015, I),
                   E.ZUBGetInteger2EZ(Result, 15005, I), T ? T : "", C ? C : ""});
  }
  return Out;
}

// The first message whose text contains Part, or null.
// The first finding whose text holds Part; the pointer lives as long as Ms (so keep a vector you search in a
// variable when the pointer outlives the expression).
inline const TFinding* FindMsg(const std::vector<TFinding>& Ms, const std::string& Part) {
  for (const TFinding& M : Ms) {
    if (M.Text.find(Part) != std::string::npos) return &M;
  }
  return nullptr;
}

inline std::vector<std::string> NamedList(ZUBInt Result, const char* Name) {
  const TApi& E = Api();
  std::vector<std::string> Out;
  const ZUBInt L = E.ZUBGetInteger4EZ(Result, 23000, Name);
  if (L < 0) return Out;
  const int N = E.ZUBGetInteger2EZ(Result, 15008, L);
  for (int I = 0; I < N; ++I) {
    const char* S = E.ZUBGetString4(Result, 20000, L, I);
    Out.push_back(S ? S : "<null>");
  }
  return Out;
}

// A tiny HTTP/1.0 server on 127.0.0.1 answering by path: "/good" 200, "/missing" 404, "/moved" 301 to "/good",
// "/headless" 405 for HEAD and 200 for GET; anything else 404. It records the requests it saw.
class THttpServer {
public:
  THttpServer() {
    Listener = ::socket(AF_INET, SOCK_STREAM, 0);
    int One = 1;
    ::setsockopt(Listener, SOL_SOCKET, SO_REUSEADDR, &One, sizeof One);
    sockaddr_in A{};
    A.sin_family = AF_INET;
    A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    A.sin_port = 0;
    ::bind(Listener, reinterpret_cast<sockaddr*>(&A), sizeof A);
    ::listen(Listener, 16);
    socklen_t Len = sizeof A;
    ::getsockname(Listener, reinterpret_cast<sockaddr*>(&A), &Len);
    Port = ntohs(A.sin_port);
    Thread = std::thread([this] { Serve(); });
  }
  ~THttpServer() {
    Stopping = true;
    ::shutdown(Listener, SHUT_RDWR);
    ::close(Listener);
    Thread.join();
  }
  std::string Url(const std::string& Path) const { return "http://127.0.0.1:" + std::to_string(Port) + Path; }
  std::vector<std::string> Requests() {
    std::lock_guard<std::mutex> G(Lock);
    return Seen;
  }

private:
  int Listener = -1;
  int Port = 0;
  std::atomic<bool> Stopping{false};
  std::thread Thread;
  std::mutex Lock;
  std::vector<std::string> Seen;

  void Serve() {
    while (!Stopping) {
      const int C = ::accept(Listener, nullptr, nullptr);
      if (C < 0) return;
      std::string Req;
      char Buf[2048];
      while (Req.find("\r\n\r\n") == std::string::npos) {
        const ssize_t N = ::recv(C, Buf, sizeof Buf, 0);
        if (N <= 0) break;
        Req.append(Buf, static_cast<std::size_t>(N));
      }
      const std::string Line = Req.substr(0, Req.find("\r\n"));
      {
        std::lock_guard<std::mutex> G(Lock);
        Seen.push_back(Line);
      }
      const bool Head = Line.rfind("HEAD ", 0) == 0;
      const std::size_t P1 = Line.find(' ');
      const std::string Path = Line.substr(P1 + 1, Line.find(' ', P1 + 1) - P1 - 1);
      std::string Status = "404 Not Found", Extra;
      if (Path == "/good") Status = "200 OK";
      if (Path == "/moved") {
        Status = "301 Moved Permanently";
        Extra = "Location: " + Url("/good") + "\r\n";
      }
      if (Path == "/headless") Status = Head ? "405 Method Not Allowed" : "200 OK";
      const std::string Body = "<html><body>" + Status + "</body></html>";
      std::string Reply = "HTTP/1.0 " + Status + "\r\nContent-Type: text/html\r\nContent-Length: " +
                          std::to_string(Body.size()) + "\r\n" + Extra + "Connection: close\r\n\r\n";
      if (!Head) Reply += Body;
      ::send(C, Reply.data(), Reply.size(), MSG_NOSIGNAL);
      ::close(C);
    }
  }
};

}  // namespace EngineTest
