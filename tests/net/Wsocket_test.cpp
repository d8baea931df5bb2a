// The socket component: lookups, connect and close, the receive loop, the send queue, line mode and SOCKS.
#include "net/Wsocket.h"
#include "support/NetTestServer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

using namespace NetTest;

namespace {

// Exposes the send queue for inspection.
struct TProbeSocket : TWSocket {
  using TWSocket::FBufList;
  using TWSocket::TWSocket;
};

struct TSocketLog {
  std::vector<std::string> Events;
  std::string Data;
  int Closed = 0;
  Word CloseError = 0;
  Word ConnectError = 0xFFFF;

  void Attach(TWSocket& S, int ReadPiece = 0) {
    S.OnSessionConnected = [this](TObject*, Word E) {
      ConnectError = E;
      Events.push_back("connected:" + std::to_string(E));
    };
    S.OnSessionClosed = [this](TObject*, Word E) {
      ++Closed;
      CloseError = E;
      Events.push_back("closed:" + std::to_string(E));
    };
    if (ReadPiece > 0) {
      S.OnDataAvailable = [this, &S, ReadPiece](TObject*, Word) {
        std::string Buf(static_cast<std::size_t>(ReadPiece), '\0');
        int N = S.Receive(Buf.data(), ReadPiece);
        if (N > 0) {
          Data.append(Buf, 0, static_cast<std::size_t>(N));
          if (Events.empty() || Events.back() != "data") {
            Events.push_back("data");
          }
        }
      };
    }
  }
};

void ConnectTo(TWSocket& S, int Port) {
  S.SetAddr("127.0.0.1");
  S.SetPort(std::to_string(Port));
  S.SetProto("tcp");
  S.Connect();
}

TEST(WSocketLookup, DottedAddressAnswersAtOnceAndEmptyNameGives10022) {
  TWSocket S(nullptr);
  std::vector<Word> Done;
  S.OnDnsLookupDone = [&](TObject*, Word E) { Done.push_back(E); };
  S.DnsLookup("127.0.0.1");
  ASSERT_EQ(Done, std::vector<Word>{0});  // inside the call
  EXPECT_EQ(S.DnsResult(), "127.0.0.1");
  ASSERT_EQ(S.DnsResultList()->Count(), 1);
  EXPECT_EQ(S.DnsResultList()->Strings(0), "127.0.0.1");

  // Without an error handler the empty name raises.
  try {
    S.DnsLookup("");
    FAIL() << "no exception";
  } catch (const ESocketException& E) {
    EXPECT_EQ(E.Message(), "DNS lookup: invalid host name.");
  }
  // With one, the error goes there and the lookup still ends, with 10022.
  int Errors = 0;
  S.OnError = [&](TObject*) { ++Errors; };
  Done.clear();
  S.DnsLookup("");
  EXPECT_EQ(Errors, 1);
  EXPECT_EQ(Done, std::vector<Word>{WSAEINVAL});
}

TEST(WSocketLookup, NamesGoThroughTheResolverAndCancelGives10004) {
  TWinsockResolver R;
  R.Lookup = [](const std::string& Name, std::vector<std::uint32_t>& Addrs, std::string& Official) {
    if (Name == "slow.test") {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    Addrs = {0x0100007F, 0x0200007F};
    Official = Name;
    return 0;
  };
  TWinsockResolver Old = SetWinsockResolver(R);
  TWSocket S(nullptr);
  std::vector<Word> Done;
  S.OnDnsLookupDone = [&](TObject*, Word E) { Done.push_back(E); };
  S.DnsLookup("two.test");
  EXPECT_TRUE(Done.empty());  // answered from the message loop
  ASSERT_TRUE(PumpUntil([&] { return !Done.empty(); }));
  EXPECT_EQ(Done[0], 0);
  EXPECT_EQ(S.DnsResult(), "127.0.0.1");
  EXPECT_EQ(S.DnsResultList()->Text(), "127.0.0.1\r\n127.0.0.2\r\n");

  Done.clear();
  S.DnsLookup("slow.test");
  S.CancelDnsLookup();
  EXPECT_EQ(Done, std::vector<Word>{WSAEINTR});
  PumpFor(300);
  EXPECT_EQ(Done.size(), 1u);  // the late answer is dropped
  SetWinsockResolver(Old);
}

TEST(WSocketIsDottedIP, AcceptsFourDecimalPartsOnly) {
  struct TCase {
    const char* Text;
    bool Dotted;
  };
  const TCase Cases[] = {
      {"127.0.0.1", true},    {"  10.1.2.3  ", true}, {"255.255.255.255", true}, {"1.2.3", false},
      {"1.2.3.256", false},   {".1.2.3", false},      {"1.2.3.x", false},        {"1.2..3", false},
      {"1.2.3.4.5", false},   {"", false},            {"1.2.3.", false},         {"host.example", false},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(WSocketIsDottedIP(C.Text), C.Dotted) << C.Text;
  }
}

TEST(WSocketErrors, SendWhileNotConnectedGivesMinusOneAnd10057) {
  TWSocket S(nullptr);
  int Errors = 0;
  S.OnError = [&](TObject*) { ++Errors; };
  EXPECT_EQ(S.Send("abc", 3), -1);
  EXPECT_EQ(S.LastError(), WSAENOTCONN);
  EXPECT_EQ(Errors, 1);
  EXPECT_EQ(WSocketErrorDesc(10061), "Connection refused");
  EXPECT_EQ(WSocketErrorDesc(12345), "Not a WinSock error");
}

TEST(WSocketConnect, RefusedConnectionReports10061AndClosesOnce) {
  TWSocket S(nullptr);
  TSocketLog Log;
  Log.Attach(S);
  ConnectTo(S, UnusedPort());
  EXPECT_EQ(S.State(), wsConnecting);
  ASSERT_TRUE(PumpUntil([&] { return Log.Closed > 0; }));
  PumpFor(50);
  EXPECT_EQ(Log.ConnectError, WSAECONNREFUSED);
  EXPECT_EQ(Log.Closed, 1);
  EXPECT_EQ(S.State(), wsClosed);
}

TEST(WSocketConnect, PeerClosingWithItsLastDataDeliversEveryByteBeforeOneClose) {
  std::string Payload;
  for (int I = 0; I < 5000; ++I) {
    Payload += static_cast<char>('a' + I % 26);
  }
  TServer Server([&](TConn& C, int) {
    C.Send(Payload);
    C.Close();
  });
  TWSocket S(nullptr);
  TSocketLog Log;
  Log.Attach(S, 300);
  ConnectTo(S, Server.Port());
  ASSERT_TRUE(PumpUntil([&] { return Log.Closed > 0; }));
  PumpFor(50);
  EXPECT_EQ(Log.Data, Payload);
  EXPECT_EQ(Log.Events, (std::vector<std::string>{"connected:0", "data", "closed:0"}));
  EXPECT_EQ(S.ReadCount(), 0);  // counts restart after the close
}

TEST(WSocketConnect, DataWithoutAHandlerIsReadAway) {
  TServer Server([&](TConn& C, int) {
    C.Send(std::string(5000, 'z'));
    C.Close();
  });
  TWSocket S(nullptr);
  Int64 ReadBeforeClose = -1;
  S.OnSessionClosed = [&](TObject*, Word) { ReadBeforeClose = S.ReadCount(); };
  ConnectTo(S, Server.Port());
  ASSERT_TRUE(PumpUntil([&] { return ReadBeforeClose >= 0; }));
  EXPECT_EQ(ReadBeforeClose, 5000);
}

TEST(WSocketClose, DefaultLingerResetsTheConnectionAndLingerOffDoesNot) {
  for (TSocketLingerOnOff Linger : {wsLingerOn, wsLingerOff}) {
    std::atomic<int> Outcome{-1};
    TServer Server([&](TConn& C, int) {
      bool WasReset = false;
      if (C.WaitPeerGone(3000, WasReset)) {
        Outcome = WasReset ? 1 : 0;
      }
    });
    TWSocket S(nullptr);
    S.OnSessionConnected = [&](TObject*, Word) {
      S.SetLingerOnOff(Linger);  // applied below, as Close does not set it again
      if (Linger == wsLingerOff) {
        TLinger Off{0, 0};
        WSocket_setsockopt(S.HSocket(), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&Off), sizeof Off);
      }
      S.Close();
    };
    ConnectTo(S, Server.Port());
    ASSERT_TRUE(PumpUntil([&] { return Outcome >= 0; })) << Linger;
    EXPECT_EQ(Outcome, Linger == wsLingerOn ? 1 : 0) << Linger;
  }
}

TEST(WSocketSend, ResetDuringSendingIsReportedOnce) {
  TServer Server([&](TConn& C, int) {
    C.ReadSome(2000);
    C.Reset();
  });
  TWSocket S(nullptr);
  TSocketLog Log;
  Log.Attach(S);
  std::string Block(100000, 'q');
  S.OnDataSent = [&](TObject*, Word) {
    if (S.State() == wsConnected) {
      S.Send(Block.data(), static_cast<int>(Block.size()));
    }
  };
  int Errors = 0;
  S.OnError = [&](TObject*) { ++Errors; };
  ConnectTo(S, Server.Port());
  ASSERT_TRUE(PumpUntil([&] { return Log.Closed > 0; }));
  PumpFor(100);
  EXPECT_EQ(Log.Closed, 1);
  EXPECT_TRUE(Log.CloseError == 0 || Log.CloseError == WSAECONNRESET || Log.CloseError == WSAECONNABORTED)
      << Log.CloseError;
  EXPECT_EQ(S.State(), wsClosed);
}

TEST(WSocketSend, DataGoesIntoChunksOf1460Bytes) {
  TProbeSocket S(nullptr);
  std::string Data(3000, 'd');
  S.PutDataInSendBuffer(Data.data(), 3000);
  ASSERT_EQ(S.FBufList.size(), 3u);
  int Len = 0;
  S.FBufList[0]->Peek(Len);
  EXPECT_EQ(Len, 1460);
  S.FBufList[2]->Peek(Len);
  EXPECT_EQ(Len, 80);
  S.DeleteBufferedData();

  TBuffer B(0);
  EXPECT_EQ(B.BufSize(), 1514);
  EXPECT_EQ(B.Write("abcdef", 6), 6);
  char Out[8] = {};
  EXPECT_EQ(B.Read(Out, 8), 6);
  EXPECT_EQ(B.WrCount(), 0);  // read empty: the next write starts at the beginning
  EXPECT_EQ(B.Write("xy", 2), 2);
  const char* P = B.Peek(Len);
  EXPECT_EQ(std::string(P, static_cast<std::size_t>(Len)), "xy");
  EXPECT_EQ(B.Remove(5), 2);
  EXPECT_EQ(B.Peek(Len), nullptr);
}

TEST(WSocketLineMode, DeliversOneLineAtATimeAndDropsOverlongData) {
  TServer Server([&](TConn& C, int) {
    C.SendPieces({"line1\r\npart", "2\r\n", "0123456789A"}, 40);
    C.ReadSome(500);
  });
  TWSocket S(nullptr);
  S.SetLineModeProp(true);
  S.SetLineLimit(10);
  std::vector<std::string> Lines;
  std::vector<int> Exceeded;
  S.OnDataAvailable = [&](TObject*, Word) {
    char Buf[256];
    int N = S.Receive(Buf, sizeof Buf);
    if (N > 0) {
      Lines.emplace_back(Buf, static_cast<std::size_t>(N));
    }
  };
  S.OnLineLimitExceeded = [&](TObject*, int Len, bool&) { Exceeded.push_back(Len); };
  ConnectTo(S, Server.Port());
  ASSERT_TRUE(PumpUntil([&] { return !Exceeded.empty(); }));
  EXPECT_EQ(Lines, (std::vector<std::string>{"line1\r\n", "part2\r\n"}));
  EXPECT_EQ(Exceeded, std::vector<int>{11});
  S.Close();
}

TEST(WSocketLineMode, ReadLineWaitsForALineOrTimesOut) {
  TServer Server([&](TConn& C, int) {
    C.SendPieces({"hel", "lo\r\nrest"}, 60);
    C.ReadSome(2000);
  });
  TWSocket S(nullptr);
  bool Connected = false;
  S.OnSessionConnected = [&](TObject*, Word) { Connected = true; };
  ConnectTo(S, Server.Port());
  ASSERT_TRUE(PumpUntil([&] { return Connected; }));
  std::string Line;
  S.ReadLine(5, Line);
  EXPECT_EQ(Line, "hello\r\n");
  S.ReadLine(-200, Line);  // 200 ms: only the unterminated rest comes
  EXPECT_EQ(Line, "rest");
  S.Close();
}

// ---- SOCKS --------------------------------------------------------------------------------------------------------

struct TSocksCase {
  const char* Name;
  const char* Level;
  bool Auth;
  std::string ExpectRequest;  // what the server must see last (the connect request)
  std::vector<std::string> Replies;
  int ExpectError;  // 0: granted
};
// Shown by name in test listings instead of as raw bytes.
void PrintTo(const TSocksCase& C, std::ostream* Os) { *Os << C.Name; }

class WSocketSocks : public ::testing::TestWithParam<TSocksCase> {};

TEST_P(WSocketSocks, NegotiatesWithTheServer) {
  const TSocksCase& C = GetParam();
  std::vector<std::string> Seen;
  std::mutex SeenLock;
  TServer Server([&](TConn& Conn, int) {
    for (const std::string& Reply : C.Replies) {
      std::string Req = Conn.ReadSome(2000);
      {
        std::lock_guard G(SeenLock);
        Seen.push_back(Req);
      }
      Conn.Send(Reply);
    }
    Conn.ReadSome(1000);
  });
  TWSocket S(nullptr);
  S.SetSocksServer("127.0.0.1");
  S.SetSocksPort(Server.PortStr());
  S.SetSocksLevel(C.Level);
  if (C.Auth) {
    S.SetSocksAuthentication(socksAuthenticateUsercode);
    S.SetSocksUsercode("user");
    S.SetSocksPassword("pw");
  }
  std::vector<std::pair<int, std::string>> Errors;
  S.OnSocksError = [&](TObject*, int E, const std::string& M) { Errors.emplace_back(E, M); };
  std::string Data;
  Word Connected = 0xFFFF;
  S.OnSessionConnected = [&](TObject*, Word E) { Connected = E; };
  S.OnDataAvailable = [&](TObject*, Word) {
    char Buf[64];
    int N = S.Receive(Buf, sizeof Buf);
    if (N > 0) {
      Data.append(Buf, static_cast<std::size_t>(N));
    }
  };
  S.SetAddr(std::string(C.Level) == "4" ? "10.1.2.3" : "target.test");
  S.SetPort("8080");
  S.Connect();
  ASSERT_TRUE(PumpUntil([&] { return Connected != 0xFFFF && (C.ExpectError != 0 || Data == "hello"); }));
  EXPECT_EQ(Connected, C.ExpectError);
  std::lock_guard G(SeenLock);
  ASSERT_FALSE(Seen.empty());
  if (!C.ExpectRequest.empty()) {
    EXPECT_EQ(Seen.back(), C.ExpectRequest);
  }
  if (C.ExpectError != 0) {
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_EQ(Errors[0].first, C.ExpectError);
    EXPECT_EQ(S.State(), wsClosed);
  } else {
    EXPECT_TRUE(Errors.empty());
  }
}

const std::string Port8080("\x1f\x90", 2);
const std::string V5Connect = std::string("\x05\x01\x00\x03\x0btarget.test", 16) + Port8080;
const std::string V5Granted = std::string("\x05\x00\x00\x01\x7f\x00\x00\x01\x04\x00", 10);

INSTANTIATE_TEST_SUITE_P(
    Levels, WSocketSocks,
    ::testing::Values(
        // The data right behind the grant reaches the caller first.
        TSocksCase{"Socks4Granted", "4", false,
                   std::string("\x04\x01", 2) + Port8080 + "\x0a\x01\x02\x03" + std::string(1, '\0'),
                   {std::string("\x00\x5a\x00\x00\x00\x00\x00\x00", 8) + "hello"}, 0},
        TSocksCase{"Socks4Rejected", "4", false, "", {std::string("\x00\x5b\x00\x00\x00\x00\x00\x00", 8)}, 20016},
        TSocksCase{"Socks4AGrantedByName", "4A", false,
                   std::string("\x04\x01", 2) + Port8080 + std::string("\x00\x00\x00\x01\x00", 5) + "target.test" +
                       std::string(1, '\0'),
                   {std::string("\x00\x5a\x00\x00\x00\x00\x00\x00", 8) + "hello"}, 0},
        TSocksCase{"Socks5Granted", "5", false, V5Connect, {std::string("\x05\x00", 2), V5Granted + "hello"}, 0},
        TSocksCase{"Socks5WithPassword", "5", true, V5Connect,
                   {std::string("\x05\x02", 2), std::string("\x01\x00", 2), V5Granted + "hello"}, 0},
        TSocksCase{"Socks5WrongPassword", "5", true, std::string("\x01\x04user\x02pw", 9),
                   {std::string("\x05\x02", 2), std::string("\x01\x01", 2)}, 20015},
        TSocksCase{"Socks5ConnectRefused", "5", false, V5Connect,
                   {std::string("\x05\x00", 2), std::string("\x05\x05\x00\x01\x00\x00\x00\x00\x00\x00", 10)},
                   20008},
        TSocksCase{"Socks5BadVersion", "5", false, "", {std::string("\x04\x00", 2)}, 20002}),
    [](const ::testing::TestParamInfo<TSocksCase>& I) { return std::string(I.param.Name); });

TEST(WSocketSocksSettings, LevelIsCheckedAndStoredInUpperCase) {
  TWSocket S(nullptr);
  S.SetSocksLevel("4a");
  EXPECT_EQ(S.SocksLevel(), "4A");
  EXPECT_THROW(S.SetSocksLevel("6"), ESocketException);
  S.SetSocksServer("127.0.0.1");
  S.SetProto("udp");
  EXPECT_THROW(S.Connect(), ESocketException);
  EXPECT_THROW(S.Listen(), ESocketException);
}

}  // namespace
