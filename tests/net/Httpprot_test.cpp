// The HTTP client against scripted servers on 127.0.0.1: request bytes, the reply parser, redirections, proxy,
// failures, Abort, parallel requests and hostile servers.
#include "net/Httpprot.h"
#include "support/NetTestServer.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace NetTest;

namespace {

const std::string DefaultHeaders =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\nUser-Agent: Mozilla/3.0 (compatible)\r\n";

// A server that records each request and answers every connection with the same reply, then closes.
struct TReplyServer {
  explicit TReplyServer(std::string Reply)
      : Server([this, Reply](TConn& C, int) {
          Server.Record(C.ReadRequest());
          C.Send(Reply);
        }) {}
  std::string Url(const std::string& Path = "/") const { return "http://127.0.0.1:" + Server.PortStr() + Path; }
  TServer Server;
};

// Counts the request-done events of a client.
struct TDone {
  int Count = 0;
  Word Error = 0;
  THttpRequest Rq = httpAbort;
  void Attach(THttpCli& H) {
    H.OnRequestDone = [this](TObject*, THttpRequest R, Word E) {
      ++Count;
      Error = E;
      Rq = R;
    };
  }
};

// ---- Request bytes ----------------------------------------------------------------------------------------------

TEST(HttpRequest, GetHeadAndPostSendTheExactHeader) {
  TReplyServer S("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\nbody");
  THttpCli H(nullptr);
  TMemoryStream Body;
  H.RcvdStream = &Body;

  H.URL = S.Url("/dir/page?x=1");
  H.Get();
  EXPECT_EQ(H.DocName(), "page.htm");  // "page", given the extension of the text/html it turned out to be
  H.URL = S.Url("");
  H.Username = "user";  // an empty password keeps its colon
  H.Head();
  EXPECT_EQ(H.DocName(), "document.htm");
  H.Username.clear();
  TStringStream Posted("a=1&b=2");
  H.PostStream = &Posted;
  H.URL = S.Url("/form/");
  H.Post();
  EXPECT_EQ(H.DocName(), "document.htm");

  auto R = S.Server.Requests();
  ASSERT_EQ(R.size(), 3u);
  EXPECT_EQ(R[0], "GET /dir/page?x=1 HTTP/1.0\r\n" + DefaultHeaders + "Host: 127.0.0.1\r\n\r\n");
  EXPECT_EQ(R[1], "HEAD / HTTP/1.0\r\n" + DefaultHeaders + "Host: 127.0.0.1\r\nAuthorization: Basic dXNlcjo=\r\n\r\n");
  EXPECT_EQ(R[2], "POST /form/ HTTP/1.0\r\nAccept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
                  "Content-Type: application/x-www-form-urlencoded\r\nUser-Agent: Mozilla/3.0 (compatible)\r\n"
                  "Host: 127.0.0.1\r\nContent-Length: 7\r\n\r\na=1&b=2");
  EXPECT_EQ(H.PostedCount(), 7);
}

TEST(HttpRequest, OptionalHeadersComeInTheirOrder) {
  TReplyServer S("HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n");
  THttpCli H(nullptr);
  H.URL = "http://joe:pw@127.0.0.1:" + S.Server.PortStr() + "/";
  H.Sender = "me@test";
  H.Reference = "http://ref/";
  H.AcceptLanguage = "de";
  H.NoCache = true;
  H.ModifiedSince = 36526.5;  // 2000-01-01 12:00
  H.Cookie = "k=v";
  H.ContentRangeBegin = "10";
  H.Get();
  EXPECT_EQ(H.Username, "joe");
  EXPECT_TRUE(H.ContentRangeBegin.empty());
  ASSERT_EQ(S.Server.Requests().size(), 1u);
  EXPECT_EQ(S.Server.Requests()[0],
            "GET / HTTP/1.0\r\nFrom: me@test\r\nAccept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
            "Referer: http://ref/\r\nAccept-Language: de\r\nUser-Agent: Mozilla/3.0 (compatible)\r\n"
            "Host: 127.0.0.1\r\nPragma: no-cache\r\nIf-Modified-Since: Sat, 01 Jan 2000 12:00:00 GMT\r\n"
            "Authorization: Basic am9lOnB3\r\nCookie: k=v\r\nRange: bytes=10-\r\n\r\n");
}

TEST(HttpRequest, ProxyGetsTheWholeAddressAndItsCredentials) {
  TReplyServer Proxy("HTTP/1.0 200 OK\r\n\r\nvia proxy");
  THttpCli H(nullptr);
  TMemoryStream Body;
  H.RcvdStream = &Body;
  H.Proxy = "127.0.0.1:" + Proxy.Server.PortStr();
  H.ProxyPort = "1";  // the port written in Proxy wins
  H.ProxyUsername = "pu";
  H.ProxyPassword = "pp";
  H.URL = "http://target.test:81/x.htm";
  H.Get();
  ASSERT_EQ(Proxy.Server.Requests().size(), 1u);
  EXPECT_EQ(Proxy.Server.Requests()[0], "GET http://target.test:81/x.htm HTTP/1.0\r\n" + DefaultHeaders +
                                            "Host: target.test\r\nProxy-Authorization: Basic cHU6cHA=\r\n\r\n");
  EXPECT_EQ(H.StatusCode(), 200);
}

// ---- Events -----------------------------------------------------------------------------------------------------

TEST(HttpEvents, GetFiresEveryEventInOrder) {
  TReplyServer S("HTTP/1.0 200 OK\r\nSet-Cookie: a=b\r\nContent-Type: Text/HTML\r\n\r\n<p>hi</p>");
  THttpCli H(nullptr);
  std::vector<std::string> Log;
  auto Add = [&](const std::string& E) {
    if (Log.empty() || Log.back() != E || E != "DocData") {
      Log.push_back(E);
    }
  };
  const char* States[] = {"Ready", "NotConnected", "Connected", "DnsLookup", "DnsLookupDone", "WaitingHeader",
                          "WaitingBody", "Aborting"};
  H.OnStateChange = [&](TObject*) { Add(std::string("State:") + States[H.HttpState()]); };
  H.OnSessionConnected = [&](TObject*) { Add("SessionConnected"); };
  H.OnRequestHeaderBegin = [&](TObject*) { Add("RequestHeaderBegin"); };
  H.OnBeforeHeaderSend = [&](TObject*, const std::string& M, TStrings* L) {
    Add("BeforeHeaderSend:" + M + ":" + std::to_string(L->Count()));
  };
  H.OnCommand = [&](TObject*, std::string& Line) { Add("Command:" + Line); };
  H.OnRequestHeaderEnd = [&](TObject*) { Add("RequestHeaderEnd"); };
  H.OnHeaderBegin = [&](TObject*) { Add("HeaderBegin"); };
  H.OnCookie = [&](TObject*, const std::string& V, bool&) { Add("Cookie:" + V); };
  H.OnHeaderData = [&](TObject*) { Add("HeaderData"); };
  H.OnHeaderEnd = [&](TObject*) { Add("HeaderEnd"); };
  H.OnDocBegin = [&](TObject*) { Add("DocBegin"); };
  H.OnDocData = [&](TObject*, const void*, int) { Add("DocData"); };
  H.OnDocEnd = [&](TObject*) { Add("DocEnd"); };
  H.OnRequestDone = [&](TObject*, THttpRequest, Word E) { Add("RequestDone:" + std::to_string(E)); };
  H.URL = S.Url("/a.htm");
  H.GetASync();
  ASSERT_TRUE(PumpUntil([&] { return !Log.empty() && Log.back().rfind("RequestDone", 0) == 0; }));
  PumpFor(50);
  const std::vector<std::string> Expected = {
      "State:NotConnected", "State:DnsLookup", "State:DnsLookupDone", "State:Connected", "SessionConnected",
      "State:WaitingHeader", "RequestHeaderBegin", "BeforeHeaderSend:GET:4", "Command:GET /a.htm HTTP/1.0",
      "Command:Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*",
      "Command:User-Agent: Mozilla/3.0 (compatible)", "Command:Host: 127.0.0.1", "RequestHeaderEnd", "Command:",
      "HeaderBegin", "HeaderData", "Cookie:a=b", "HeaderData", "HeaderData", "State:WaitingBody", "HeaderEnd",
      "DocBegin", "DocData", "DocEnd", "State:Ready", "RequestDone:0"};
  EXPECT_EQ(Log, Expected);
  EXPECT_EQ(H.RcvdContentType(), "text/html");
  EXPECT_EQ(H.RcvdHeaderLines()->Count(), 3);
}

// ---- Replies ----------------------------------------------------------------------------------------------------

TEST(HttpReply, SplitAtEveryByteBoundaryParsesTheSame) {
  const std::string Reply = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nX-Long: v\r\n\r\nhello\r\nworld";
  // Each byte in its own read (CR and LF apart everywhere), then every two-piece split.
  std::vector<std::vector<std::string>> Splits;
  std::vector<std::string> Bytes;
  for (char C : Reply) {
    Bytes.emplace_back(1, C);
  }
  Splits.push_back(Bytes);
  for (std::size_t K = 1; K < Reply.size(); ++K) {
    Splits.push_back({Reply.substr(0, K), Reply.substr(K)});
  }
  std::atomic<std::size_t> Next{0};
  TServer Server([&](TConn& C, int) {
    C.ReadRequest();
    C.SendPieces(Splits[Next++], 3);
  });
  THttpCli H(nullptr);
  for (std::size_t I = 0; I < Splits.size(); ++I) {
    TMemoryStream Body;
    H.RcvdStream = &Body;
    H.URL = "http://127.0.0.1:" + Server.PortStr() + "/";
    H.Get();
    std::string Got(static_cast<const char*>(Body.Memory()), static_cast<std::size_t>(Body.Size()));
    EXPECT_EQ(H.StatusCode(), 200) << I;
    EXPECT_EQ(H.ReasonPhrase(), "OK") << I;
    EXPECT_EQ(H.RcvdContentType(), "text/plain") << I;
    EXPECT_EQ(Got, "hello\r\nworld") << I;
    EXPECT_EQ(H.RcvdHeaderLines()->Count(), 3) << I;
  }
}

TEST(HttpReply, ContentLengthZeroCompletesBeforeTheServerCloses) {
  std::atomic<bool> Release{false};
  TServer Server([&](TConn& C, int) {
    C.ReadRequest();
    C.Send("HTTP/1.0 204 No Content\r\nContent-Length: 0\r\n\r\n");
    while (!Release) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  THttpCli H(nullptr);
  TDone Done;
  Done.Attach(H);
  H.URL = "http://127.0.0.1:" + Server.PortStr() + "/";
  H.GetASync();
  EXPECT_TRUE(PumpUntil([&] { return Done.Count == 1; }, 10000));
  Release = true;
  EXPECT_EQ(H.StatusCode(), 204);
  EXPECT_EQ(H.RcvdContentLength(), 0);
}

TEST(HttpReply, ErrorReplyKeepsOnlyTheBodyThatCameWithItsHeader) {
  TServer Server([&](TConn& C, int) {
    C.ReadRequest();
    C.Send("HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\n\r\n<b>first</b>");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    C.Send("second");
  });
  THttpCli H(nullptr);
  TMemoryStream Body;
  H.RcvdStream = &Body;
  H.URL = "http://127.0.0.1:" + Server.PortStr() + "/missing.htm";
  try {
    H.Get();
    FAIL() << "no exception";
  } catch (const EHttpException& E) {
    EXPECT_EQ(E.ErrorCode, 404);
    EXPECT_EQ(E.Message(), "Not Found");
  }
  EXPECT_EQ(std::string(static_cast<const char*>(Body.Memory()), static_cast<std::size_t>(Body.Size())),
            "<b>first</b>");
}

TEST(HttpReply, HtmlAsFirstLineIsTakenWholeAsBody) {
  const std::string Page = "<HtMl><body>\r\nhi\n</body></html>";
  TReplyServer S(Page);
  THttpCli H(nullptr);
  TMemoryStream Body;
  H.RcvdStream = &Body;
  H.URL = S.Url("/setup.exe");
  H.Get();
  EXPECT_EQ(std::string(static_cast<const char*>(Body.Memory()), static_cast<std::size_t>(Body.Size())), Page);
  EXPECT_EQ(H.RcvdContentType(), "text/html");
  EXPECT_EQ(H.StatusCode(), 0);
}

TEST(HttpReply, ExeDocumentServedAsHtmlIsNamedHtm) {
  TReplyServer S("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<p>");
  THttpCli H(nullptr);
  H.URL = S.Url("/dl/setup.exe?v=2");
  H.Get();
  EXPECT_EQ(H.DocName(), "setup.htm");
}

// ---- Redirections -----------------------------------------------------------------------------------------------

TEST(HttpRedirect, RelativeAbsoluteAndCrossHostLocationsAreFollowed) {
  TServer Other([&](TConn& C, int) {
    Other.Record(C.ReadRequest());
    C.Send("HTTP/1.0 200 OK\r\n\r\nother host");
  });
  std::string OtherUrl = "http://127.0.0.1:" + Other.PortStr() + "/far/end.htm";
  TServer Server([&](TConn& C, int I) {
    Server.Record(C.ReadRequest());
    switch (I) {
      case 0: C.Send("HTTP/1.0 302 Found\r\nLocation: /new/place.htm\r\n\r\n"); break;
      case 1: C.Send("HTTP/1.0 302 Found\r\nLocation: next.htm\r\n\r\n"); break;
      case 2: C.Send("HTTP/1.0 301 Moved\r\nLocation: " + OtherUrl + "\r\n\r\n"); break;
      default: C.Send("HTTP/1.0 500 Unexpected\r\n\r\n"); break;
    }
  });
  THttpCli H(nullptr);
  TMemoryStream Body;
  H.RcvdStream = &Body;
  TStringStream Posted("data");
  H.PostStream = &Posted;
  std::vector<std::string> Locations;
  H.OnLocationChange = [&](TObject*) { Locations.push_back(H.CurrentLocation()); };
  TDone Done;
  Done.Attach(H);
  H.URL = "http://127.0.0.1:" + Server.PortStr() + "/start.htm";
  H.PostASync();
  ASSERT_TRUE(PumpUntil([&] { return Done.Count == 1; }));
  PumpFor(50);
  EXPECT_EQ(Done.Count, 1);
  EXPECT_EQ(Done.Rq, httpGET);  // a redirected POST goes on as GET
  auto R = Server.Requests();
  ASSERT_EQ(R.size(), 3u);
  EXPECT_EQ(R[0].substr(0, R[0].find("\r\n")), "POST /start.htm HTTP/1.0");
  EXPECT_EQ(R[1].substr(0, R[1].find("\r\n")), "GET /new/place.htm HTTP/1.0");
  EXPECT_EQ(R[2].substr(0, R[2].find("\r\n")), "GET /new/next.htm HTTP/1.0");
  ASSERT_EQ(Other.Requests().size(), 1u);
  EXPECT_EQ(Other.Requests()[0].substr(0, Other.Requests()[0].find("\r\n")), "GET /far/end.htm HTTP/1.0");
  // The locations keep the servers' ports.
  const std::string Host = "http://127.0.0.1:" + Server.PortStr();
  EXPECT_EQ(Locations, (std::vector<std::string>{Host + "/new/place.htm", Host + "/new/next.htm", OtherUrl}));
  EXPECT_EQ(H.StatusCode(), 200);
  EXPECT_EQ(H.DocName(), "end.htm");
  EXPECT_EQ(std::string(static_cast<const char*>(Body.Memory()), static_cast<std::size_t>(Body.Size())), "other host");
}

TEST(HttpRedirect, EndlessChainEndsWithAnError) {
  TServer Server([&](TConn& C, int) {
    C.ReadRequest();
    C.Send("HTTP/1.0 302 Found\r\nLocation: /again\r\n\r\n");
  });
  THttpCli H(nullptr);
  TDone Done;
  Done.Attach(H);
  H.URL = "http://127.0.0.1:" + Server.PortStr() + "/";
  H.GetASync();
  ASSERT_TRUE(PumpUntil([&] { return Done.Count == 1; }, 10000));
  PumpFor(50);
  EXPECT_EQ(Done.Count, 1);
  EXPECT_EQ(H.StatusCode(), 404);
  EXPECT_EQ(H.ReasonPhrase(), "Too many redirections");
  EXPECT_EQ(Server.Accepted(), THttpCli::MaxRedirections + 1);
}

// ---- Failures and Abort -----------------------------------------------------------------------------------------

TEST(HttpFailure, RefusedConnectionEndsWith404AndRaisesForSyncCallers) {
  THttpCli H(nullptr);
  TDone Done;
  Done.Attach(H);
  H.URL = "http://127.0.0.1:" + std::to_string(UnusedPort()) + "/";
  H.GetASync();
  ASSERT_TRUE(PumpUntil([&] { return Done.Count == 1; }));
  PumpFor(50);
  EXPECT_EQ(Done.Count, 1);
  EXPECT_EQ(Done.Error, WSAECONNREFUSED);
  EXPECT_EQ(H.StatusCode(), 404);
  EXPECT_EQ(H.ReasonPhrase(), "Connection refused (Error #10061)");
  try {
    H.Get();
    FAIL() << "no exception";
  } catch (const EHttpException& E) {
    EXPECT_EQ(E.ErrorCode, 404);
    EXPECT_EQ(E.Message(), "Connection refused (Error #10061)");
  }
}

TEST(HttpFailure, UnknownHostCannotBeResolved) {
  TWinsockResolver R;
  R.Lookup = [](const std::string&, std::vector<std::uint32_t>&, std::string&) { return WSAHOST_NOT_FOUND; };
  TWinsockResolver Old = SetWinsockResolver(R);
  THttpCli H(nullptr);
  H.URL = "http://nowhere.test/";
  EXPECT_THROW(H.Get(), EHttpException);
  EXPECT_EQ(H.ReasonPhrase(), "can't resolve hostname to IP address");
  SetWinsockResolver(Old);
}

TEST(HttpFailure, BusyAndNothingToPostAreRefused) {
  TReplyServer S("HTTP/1.0 200 OK\r\n\r\n");
  THttpCli H(nullptr);
  TDone Done;
  Done.Attach(H);
  H.URL = S.Url();
  H.GetASync();
  try {
    H.GetASync();
    FAIL() << "no exception";
  } catch (const EHttpException& E) {
    EXPECT_EQ(E.ErrorCode, 1);
    EXPECT_EQ(E.Message(), "HTTP component is busy");
  }
  ASSERT_TRUE(PumpUntil([&] { return Done.Count == 1; }));
  try {
    H.PostASync();
    FAIL() << "no exception";
  } catch (const EHttpException& E) {
    EXPECT_EQ(E.ErrorCode, 2);
    EXPECT_EQ(E.Message(), "HTTP component has nothing to post");
  }
}

enum TAbortPoint { apLookup, apConnect, apTransfer };

class HttpAbort : public ::testing::TestWithParam<TAbortPoint> {};

TEST_P(HttpAbort, EndsWithExactlyOneRequestDoneAndTheClientStaysUsable) {
  static std::atomic<bool> Release{false};
  Release = false;
  TWinsockResolver R;
  R.Lookup = [](const std::string&, std::vector<std::uint32_t>& Addrs, std::string& Official) {
    while (!Release) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    Addrs = {0x0100007F};
    Official = "slow.test";
    return 0;
  };
  TWinsockResolver Old = SetWinsockResolver(R);
  std::atomic<bool> Stop{false};
  TServer Server([&](TConn& C, int I) {
    C.ReadRequest();
    if (I == 0 && GetParam() == apTransfer) {
      C.Send("HTTP/1.0 200 OK\r\n\r\n" + std::string(20000, 'b'));
      while (!Stop && C.Send(std::string(4096, 'c'))) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
      return;
    }
    C.Send("HTTP/1.0 200 OK\r\n\r\nfine");
  });
  THttpCli H(nullptr);
  TDone Done;
  Done.Attach(H);
  const std::string Direct = "http://127.0.0.1:" + Server.PortStr() + "/";
  H.URL = GetParam() == apLookup ? "http://slow.test:" + Server.PortStr() + "/" : Direct;
  bool AbortedInData = false;
  H.OnDocData = [&](TObject*, const void*, int) {
    if (!AbortedInData) {
      AbortedInData = true;
      H.Abort();
    }
  };
  H.GetASync();
  if (GetParam() == apLookup) {
    EXPECT_EQ(H.HttpState(), httpDnsLookup);
    H.Abort();
  } else if (GetParam() == apConnect) {
    EXPECT_EQ(H.HttpState(), httpDnsLookupDone);  // the dotted address answered, the connect is under way
    H.Abort();
  }
  ASSERT_TRUE(PumpUntil([&] { return Done.Count == 1; }));
  Release = true;
  Stop = true;
  PumpFor(100);
  EXPECT_EQ(Done.Count, 1);
  EXPECT_EQ(Done.Error, 3);
  EXPECT_EQ(H.StatusCode(), 404);
  EXPECT_EQ(H.ReasonPhrase(), "Connection aborted on request");
  EXPECT_EQ(H.HttpState(), httpReady);

  H.OnDocData = nullptr;
  TMemoryStream Body;
  H.RcvdStream = &Body;
  H.URL = Direct;
  H.Get();
  EXPECT_EQ(H.StatusCode(), 200);
  SetWinsockResolver(Old);
}

std::string AbortPointName(const ::testing::TestParamInfo<TAbortPoint>& I) {
  static const char* const Names[] = {"DuringLookup", "DuringConnect", "DuringTransfer"};
  return Names[I.param];
}

INSTANTIATE_TEST_SUITE_P(Points, HttpAbort, ::testing::Values(apLookup, apConnect, apTransfer), AbortPointName);

TEST(HttpParallel, ThreeAsynchronousRequestsComplete) {
  TServer Server([&](TConn& C, int) {
    std::string Req = C.ReadRequest();
    std::string Path = Req.substr(4, Req.find(' ', 4) - 4);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    C.Send("HTTP/1.0 200 OK\r\n\r\n" + Path + std::string(30000, '.'));
  });
  THttpCli Clients[3] = {THttpCli(nullptr), THttpCli(nullptr), THttpCli(nullptr)};
  TMemoryStream Bodies[3];
  int Done = 0;
  for (int I = 0; I < 3; ++I) {
    Clients[I].RcvdStream = &Bodies[I];
    Clients[I].URL = "http://127.0.0.1:" + Server.PortStr() + "/doc" + std::to_string(I);
    Clients[I].OnRequestDone = [&](TObject*, THttpRequest, Word E) {
      EXPECT_EQ(E, 0);
      ++Done;
    };
    Clients[I].GetASync();
  }
  ASSERT_TRUE(PumpUntil([&] { return Done == 3; }));
  for (int I = 0; I < 3; ++I) {
    std::string Got(static_cast<const char*>(Bodies[I].Memory()), static_cast<std::size_t>(Bodies[I].Size()));
    EXPECT_EQ(Got, "/doc" + std::to_string(I) + std::string(30000, '.'));
  }
}

// ---- Hostile servers --------------------------------------------------------------------------------------------

struct THostileCase {
  const char* Name;
  std::function<void(TConn&)> Script;
  const char* Reason;  // expected reason phrase, or "" for any
};

class HttpHostile : public ::testing::TestWithParam<THostileCase> {};

TEST_P(HttpHostile, RequestEndsWithAnErrorAndTheClientStaysUsable) {
  const THostileCase& C = GetParam();
  TServer Server([&](TConn& Conn, int I) {
    Conn.ReadRequest();
    if (I == 0) {
      C.Script(Conn);
    } else {
      Conn.Send("HTTP/1.0 200 OK\r\n\r\nfine");
    }
  });
  THttpCli H(nullptr);
  TDone Done;
  Done.Attach(H);
  long long Received = 0;
  H.OnDocData = [&](TObject*, const void*, int Len) {
    Received += Len;
    if (Received > 1000000) {
      H.Abort();  // the caller gives up on a body without end
    }
  };
  H.URL = "http://127.0.0.1:" + Server.PortStr() + "/";
  H.GetASync();
  ASSERT_TRUE(PumpUntil([&] { return Done.Count == 1; }, 10000));
  PumpFor(50);
  EXPECT_EQ(Done.Count, 1);
  EXPECT_EQ(H.StatusCode(), 404);
  if (*C.Reason) {
    EXPECT_EQ(H.ReasonPhrase(), C.Reason);
  }
  H.OnDocData = nullptr;
  H.Get();
  EXPECT_EQ(H.StatusCode(), 200);
}

INSTANTIATE_TEST_SUITE_P(
    Servers, HttpHostile,
    ::testing::Values(
        THostileCase{"OversizedHeaderLine",
                     [](TConn& C) { C.Send("HTTP/1.0 200 OK\r\nX-Big: " + std::string(20000, 'h') + "\r\n\r\n"); },
                     "HTTP line too long"},
        THostileCase{"EndlessHeaders",
                     [](TConn& C) {
                       C.Send("HTTP/1.0 200 OK\r\n");
                       for (int I = 0; I < 100000 && C.Send("X-More: " + std::to_string(I) + "\r\n"); ++I) {
                       }
                     },
                     "HTTP header too long"},
        THostileCase{"EndlessBody",
                     [](TConn& C) {
                       C.Send("HTTP/1.0 200 OK\r\n\r\n");
                       std::string Block(65536, 'e');
                       while (C.Send(Block)) {
                       }
                     },
                     "Connection aborted on request"},
        THostileCase{"GarbageStatusLine",
                     [](TConn& C) { C.Send(std::string("\x00\x01\xff\xfe garbage\r\n\r\nrest", 20)); }, ""},
        THostileCase{"ClosesWithoutAnswer", [](TConn&) {}, ""}),
    [](const ::testing::TestParamInfo<THostileCase>& I) { return std::string(I.param.Name); });

}  // namespace
