// The built-in sockets library: the asynchronous-select messages and their enabling rules, error numbers,
// no SIGPIPE, and name lookups on worker threads with a replaceable resolver.
#include "platform/win/Modules.h"
#include "platform/win/UtilWindow.h"
#include "platform/win/Winsock.h"
#include "support/NetTestServer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

using namespace NetTest;

namespace {

constexpr UINT WM_SOCK = WM_USER + 1;
constexpr UINT WM_LOOKUP = WM_USER + 2;

struct TEvent {
  WORD Event;
  WORD Error;
};

class WinsockTest : public ::testing::Test {
protected:
  void SetUp() override {
    Dll = LoadLibrary("WSOCK32.DLL");
    ASSERT_NE(Dll, nullptr);
    Startup = Bind<TWSAStartup>("WSAStartup");
    Cleanup = Bind<TWSACleanup>("WSACleanup");
    Socket = Bind<TOpenSocket>("socket");
    Select = Bind<TWSAAsyncSelect>("WSAAsyncSelect");
    ConnectFn = Bind<TConnect>("connect");
    SendFn = Bind<TSend>("send");
    RecvFn = Bind<TRecv>("recv");
    Close = Bind<TCloseSocket>("closesocket");
    LastError = Bind<TWSAGetLastError>("WSAGetLastError");
    TWSAData Data;
    ASSERT_EQ(Startup(0x0101, &Data), 0);
    EXPECT_EQ(Data.wVersion, 0x0101);
    Wnd = AllocateHWnd([this](TMessage& M) {
      if (M.Msg == WM_SOCK) {
        Events.push_back({WSAGETSELECTEVENT(M.LParam), WSAGETSELECTERROR(M.LParam)});
        if (OnEvent) {
          OnEvent(static_cast<TSocket>(M.WParam), WSAGETSELECTEVENT(M.LParam));
        }
      } else if (M.Msg == WM_LOOKUP) {
        Lookups.push_back({static_cast<UINT_PTR>(M.WParam), WSAGETASYNCERROR(M.LParam)});
      } else {
        M.Result = DefWindowProc(Wnd, M.Msg, M.WParam, M.LParam);
      }
    });
  }
  void TearDown() override {
    DeallocateHWnd(Wnd);
    Cleanup();
    FreeLibrary(Dll);
  }
  template <class F> F Bind(const char* Name) {
    void* P = GetProcAddress(Dll, Name);
    EXPECT_NE(P, nullptr) << Name;
    return reinterpret_cast<F>(P);
  }
  // A selected stream socket whose connect to 127.0.0.1:Port has been started.
  TSocket StartConnect(int Port) {
    TSocket S = Socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    EXPECT_NE(S, INVALID_SOCKET);
    EXPECT_EQ(Select(S, Wnd, WM_SOCK, FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE), 0);
    TSockAddrIn A;
    A.sin_family = AF_INET;
    A.sin_port = static_cast<std::uint16_t>(((Port & 0xFF) << 8) | ((Port >> 8) & 0xFF));
    A.sin_addr.S_addr = 0x0100007F;  // 127.0.0.1
    // Even an immediate answer comes as FD_CONNECT.
    EXPECT_EQ(ConnectFn(S, reinterpret_cast<TSockAddr*>(&A), sizeof A), SOCKET_ERROR);
    EXPECT_EQ(LastError(), WSAEWOULDBLOCK);
    return S;
  }
  int Count(WORD Event) const {
    int N = 0;
    for (const TEvent& E : Events) {
      N += E.Event == Event;
    }
    return N;
  }

  HMODULE Dll = nullptr;
  TWSAStartup Startup = nullptr;
  TWSACleanup Cleanup = nullptr;
  TOpenSocket Socket = nullptr;
  TWSAAsyncSelect Select = nullptr;
  TConnect ConnectFn = nullptr;
  TSend SendFn = nullptr;
  TRecv RecvFn = nullptr;
  TCloseSocket Close = nullptr;
  TWSAGetLastError LastError = nullptr;
  HWND Wnd = 0;
  std::vector<TEvent> Events;
  std::vector<std::pair<UINT_PTR, WORD>> Lookups;
  std::function<void(TSocket, WORD)> OnEvent;
};

TEST_F(WinsockTest, EventsFollowTheEnablingRulesAndEveryByteArrives) {
  const std::string Payload(3000, 'x');
  TServer Server([&](TConn& C, int) {
    C.Send(Payload);
    C.Close();  // the close travels together with the last data
  });
  std::string Got;
  OnEvent = [&](TSocket S, WORD Event) {
    if (Event == FD_READ) {
      char Buf[700];  // less than what waits: the next FD_READ must come from the re-enabling receive
      int N = RecvFn(S, Buf, sizeof Buf, 0);
      if (N > 0) {
        Got.append(Buf, static_cast<std::size_t>(N));
      }
    }
  };
  TSocket S = StartConnect(Server.Port());
  // As on the platform, FD_CLOSE may come while data still waits; the receives after it still get every byte.
  ASSERT_TRUE(PumpUntil([&] { return Count(FD_CLOSE) > 0 && Got.size() == Payload.size(); }));
  PumpFor(100);
  ASSERT_GE(Events.size(), 3u);
  EXPECT_EQ(Events[0].Event, FD_CONNECT);
  EXPECT_EQ(Events[0].Error, 0);
  EXPECT_EQ(Events[1].Event, FD_WRITE);
  EXPECT_EQ(Count(FD_CONNECT), 1);
  EXPECT_EQ(Count(FD_WRITE), 1);
  EXPECT_EQ(Count(FD_CLOSE), 1);
  for (const TEvent& E : Events) {
    if (E.Event == FD_CLOSE) {
      EXPECT_EQ(E.Error, 0);  // a graceful close
    }
  }
  EXPECT_GE(Count(FD_READ), 5);
  EXPECT_EQ(Got, Payload);
  EXPECT_EQ(Close(S), 0);
}

TEST_F(WinsockTest, RefusedConnectComesAsFdConnectWithItsError) {
  TSocket S = StartConnect(UnusedPort());
  ASSERT_TRUE(PumpUntil([&] { return !Events.empty(); }));
  PumpFor(50);
  ASSERT_EQ(Events.size(), 1u);
  EXPECT_EQ(Events[0].Event, FD_CONNECT);
  EXPECT_EQ(Events[0].Error, WSAECONNREFUSED);
  Close(S);
}

TEST_F(WinsockTest, FdWriteComesAgainOnlyAfterASendThatWouldBlock) {
  std::atomic<bool> Drain{false};
  std::atomic<long> Drained{0};
  TServer Server([&](TConn& C, int) {
    while (!Drain) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    for (std::string Got = C.ReadSome(500); !Got.empty(); Got = C.ReadSome(500)) {
      Drained += static_cast<long>(Got.size());
    }
  });
  TSocket S = StartConnect(Server.Port());
  ASSERT_TRUE(PumpUntil([&] { return Count(FD_WRITE) == 1; }));
  std::string Block(65536, 'y');
  int Result = 0;
  for (int I = 0; I < 10000; ++I) {
    Result = SendFn(S, Block.data(), static_cast<int>(Block.size()), 0);
    if (Result == SOCKET_ERROR) {
      break;
    }
  }
  ASSERT_EQ(Result, SOCKET_ERROR);
  EXPECT_EQ(LastError(), WSAEWOULDBLOCK);
  PumpFor(50);
  EXPECT_EQ(Count(FD_WRITE), 1);
  Drain = true;
  EXPECT_TRUE(PumpUntil([&] { return Count(FD_WRITE) == 2; }));
  Close(S);
}

TEST_F(WinsockTest, PeerResetGivesOneClose10054AndSendingAfterItRaisesNoSignal) {
  TServer Server([&](TConn& C, int) {
    C.ReadSome(2000);
    C.Reset();
  });
  TSocket S = StartConnect(Server.Port());
  ASSERT_TRUE(PumpUntil([&] { return Count(FD_WRITE) == 1; }));
  ASSERT_EQ(SendFn(S, "ping", 4, 0), 4);
  ASSERT_TRUE(PumpUntil([&] { return Count(FD_CLOSE) == 1; }));
  EXPECT_EQ(Events.back().Error, WSAECONNRESET);
  // Without MSG_NOSIGNAL these sends would end the test program with SIGPIPE.
  int Result = 0;
  for (int I = 0; I < 3 && Result != SOCKET_ERROR; ++I) {
    Result = SendFn(S, "more", 4, 0);
  }
  EXPECT_EQ(Result, SOCKET_ERROR);
  int Error = LastError();
  EXPECT_TRUE(Error == WSAECONNRESET || Error == WSAECONNABORTED || Error == WSAESHUTDOWN) << Error;
  PumpFor(50);
  EXPECT_EQ(Count(FD_CLOSE), 1);
  Close(S);
}

TEST_F(WinsockTest, LookupsRunOnTheReplaceableResolverAndCanBeCancelled) {
  std::atomic<bool> Release{false};
  static std::atomic<bool>* ReleasePtr = nullptr;  // outlives a worker that is still waiting at exit
  ReleasePtr = &Release;
  TWinsockResolver Resolver;
  Resolver.Lookup = [](const std::string& Name, std::vector<std::uint32_t>& Addrs, std::string& Official) {
    if (Name == "slow.test") {
      while (ReleasePtr && !ReleasePtr->load()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
    }
    if (Name == "bad.test") {
      return WSAHOST_NOT_FOUND;
    }
    Addrs = {0x04030201, 0x08070605};
    Official = Name;
    return 0;
  };
  TWinsockResolver Old = SetWinsockResolver(Resolver);
  auto ByName = Bind<TWSAAsyncGetHostByName>("WSAAsyncGetHostByName");
  auto Cancel = Bind<TWSACancelAsyncRequest>("WSACancelAsyncRequest");
  alignas(THostEnt) char Buf[MAXGETHOSTSTRUCT];

  HANDLE Good = ByName(Wnd, WM_LOOKUP, "good.test", Buf, sizeof Buf);
  ASSERT_NE(Good, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return Lookups.size() == 1; }));
  EXPECT_EQ(Lookups[0].first, reinterpret_cast<UINT_PTR>(Good));
  EXPECT_EQ(Lookups[0].second, 0);
  auto* H = reinterpret_cast<THostEnt*>(Buf);
  EXPECT_STREQ(H->h_name, "good.test");
  ASSERT_NE(H->h_addr_list[1], nullptr);
  EXPECT_EQ(std::memcmp(H->h_addr_list[1], "\x05\x06\x07\x08", 4), 0);
  EXPECT_EQ(H->h_addr_list[2], nullptr);

  HANDLE Bad = ByName(Wnd, WM_LOOKUP, "bad.test", Buf, sizeof Buf);
  ASSERT_TRUE(PumpUntil([&] { return Lookups.size() == 2; }));
  EXPECT_EQ(Lookups[1].first, reinterpret_cast<UINT_PTR>(Bad));
  EXPECT_EQ(Lookups[1].second, WSAHOST_NOT_FOUND);

  char SlowBuf[MAXGETHOSTSTRUCT];
  HANDLE Slow = ByName(Wnd, WM_LOOKUP, "slow.test", SlowBuf, sizeof SlowBuf);
  EXPECT_EQ(Cancel(Slow), 0);
  Release = true;
  PumpFor(100);
  EXPECT_EQ(Lookups.size(), 2u);  // a cancelled lookup never answers
  EXPECT_EQ(Cancel(Slow), SOCKET_ERROR);
  EXPECT_EQ(LastError(), WSAEINVAL);
  SetWinsockResolver(Old);
}

TEST_F(WinsockTest, AddressesAndOptionsSpeakThePlatformsNumbers) {
  auto InetAddr = Bind<TInet_addr>("inet_addr");
  auto Ntoa = Bind<TInet_ntoa>("inet_ntoa");
  auto SetOpt = Bind<TSetSockOpt>("setsockopt");
  auto GetOpt = Bind<TGetSockOpt>("getsockopt");
  EXPECT_EQ(InetAddr("127.0.0.1"), 0x0100007Fu);
  EXPECT_EQ(InetAddr("1.2.3.x"), INADDR_NONE);
  TInAddr In;
  In.S_addr = 0x0403020A;
  EXPECT_STREQ(Ntoa(In), "10.2.3.4");
  TSocket S = Socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  TLinger L{1, 0};
  EXPECT_EQ(SetOpt(S, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&L), sizeof L), 0);
  TLinger Back{};
  int Len = sizeof Back;
  EXPECT_EQ(GetOpt(S, SOL_SOCKET, SO_LINGER, reinterpret_cast<char*>(&Back), &Len), 0);
  EXPECT_EQ(Back.l_onoff, 1);
  EXPECT_EQ(SetOpt(S, SOL_SOCKET, 0x7777, reinterpret_cast<const char*>(&L), sizeof L), SOCKET_ERROR);
  EXPECT_EQ(LastError(), WSAENOPROTOOPT);
  EXPECT_EQ(SendFn(S, "x", 1, 0), SOCKET_ERROR);
  EXPECT_EQ(LastError(), WSAENOTCONN);
  EXPECT_EQ(Close(S), 0);
  EXPECT_EQ(Close(S), SOCKET_ERROR);
  EXPECT_EQ(LastError(), WSAENOTSOCK);
}

}  // namespace
