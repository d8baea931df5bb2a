// Web origins: the "<FIEC>" block, network settings from the engine, and downloads and reloads against servers on
// 127.0.0.1 (redirects, Basic authentication, failures, secure addresses, cut and stalled replies).
#include "core/Fileinfoextraclass.h"
#include "core/Filestore.h"
#include "core/Fileinfoclass.h"
#include "core/Validatorlib.h"

#include "FakeMainWindow.h"
#include "SettingsTestSupport.h"
#include "support/NetTestServer.h"

#include "editor/Easyeditsource.h"
#include "net/Httpprot.h"
#include "platform/win/WinUser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace NetTest;

namespace {

std::string ReadAll(const std::string& Path) {
  std::ifstream F(Path, std::ios::binary);
  std::stringstream S;
  S << F.rdbuf();
  return S.str();
}

TEST(WebOriginBlock, RoundTripAndItsRules) {
  FileStore File;
  fileinfoextraclass A;
  A.address = "http://h/x.html";
  A.userName = "u";
  A.password = "secret";
  A.flags = WEBORIGIN_CREDENTIALS;
  A.userAgent = "Agent/1";
  A.WriteToFileStore(&File);
  fileinfoextraclass B;  // the default agent, no credentials flag: neither agent nor password is written
  B.address = "http://h/y.html";
  B.password = "never";
  B.WriteToFileStore(&File);
  fileinfoextraclass C;  // credentials flag with an empty password: no password line
  C.flags = WEBORIGIN_CREDENTIALS;
  C.WriteToFileStore(&File);
  std::vector<std::string> Lines;
  for (int I = 0; I < File.getLineCount(); ++I) {
    Lines.push_back(File.getLineText(I));
  }
  EXPECT_EQ(Lines, (std::vector<std::string>{"<FIEC>", "VERSION=1", "AGENT=Agent/1", "FLAGS=1", "PASSWORD=secret",
                                             "URL=http://h/x.html", "USERNAME=u", "</FIEC>", "<FIEC>", "VERSION=1",
                                             "FLAGS=0", "URL=http://h/y.html", "</FIEC>", "<FIEC>", "VERSION=1",
                                             "FLAGS=1", "</FIEC>"}));
  int Next = 0;
  std::unique_ptr<fileinfoextraclass> R(fileinfoextraclass::ReadFromFileStore(&File, 0, &Next));
  ASSERT_NE(R, nullptr);
  EXPECT_EQ(Next, 8);
  EXPECT_STREQ(R->address.text, "http://h/x.html");
  EXPECT_STREQ(R->userAgent.text, "Agent/1");
  EXPECT_STREQ(R->password.text, "secret");
  EXPECT_EQ(R->flags, WEBORIGIN_CREDENTIALS);
  R.reset(fileinfoextraclass::ReadFromFileStore(&File, Next, &Next));
  ASSERT_NE(R, nullptr);
  EXPECT_STREQ(R->userAgent.text, GetDefaultUserAgent(1).text);
  EXPECT_STREQ(R->password.text, "");
  // Keys in any order, unknown lines ignored, a bad number reads as 0, a block without its end gives nothing.
  FileStore Other;
  for (const char* L : {"<FIEC>", "URL=a=b", "junk", "FLAGS=zz", "</FIEC>", "<FIEC>", "URL=x"}) {
    Other.addLine(L, 0);
  }
  R.reset(fileinfoextraclass::ReadFromFileStore(&Other, 0, &Next));
  ASSERT_NE(R, nullptr);
  EXPECT_STREQ(R->address.text, "a=b");
  EXPECT_EQ(R->flags, 0u);
  EXPECT_EQ(fileinfoextraclass::ReadFromFileStore(&Other, Next, &Next), nullptr);
  EXPECT_EQ(std::string(GetDefaultUserAgent(3).text).rfind("ZUB Quillon Professional (", 0), 0u);
  EXPECT_STREQ(GetDefaultUserAgent(0).text, "");
}

// The fuzz target's seeds read without trouble.
TEST(WebOriginBlock, SeedsRead) {
  const std::filesystem::path Seeds = std::filesystem::path(ZUBQ_SOURCE_DIR) / "fuzz/corpus/Fileinfoextraclass";
  int Read = 0;
  for (const auto& E : std::filesystem::directory_iterator(Seeds)) {
    FileStore File;
    ASSERT_EQ(File.loadFile(E.path().c_str(), "rb"), 1) << E.path();
    int Next = 0;
    while (Next < File.getLineCount()) {
      std::unique_ptr<fileinfoextraclass> R(fileinfoextraclass::ReadFromFileStore(&File, Next, &Next));
      if (R == nullptr) {
        break;
      }
      ++Read;
    }
  }
  EXPECT_GT(Read, 0);
}

class Downloads : public SettingsTest {
protected:
  void SetUp() override {
    SettingsTest::SetUp();
    FixedClock = SetClock(nullptr);  // the client's waits and the cancel's timer run on real time
    MakeRoot();
    Window = std::make_unique<FakeMainWindow>();
    Local = Dir + "/download.txt";
  }
  void TearDown() override {
    Root.reset();
    Window.reset();
    SetClock(FixedClock);
    SettingsTest::TearDown();
  }
  fileinfoextraclass Record(const std::string& Url) {
    fileinfoextraclass R;
    R.address = Url.c_str();
    R.localFile = Local.c_str();
    return R;
  }
  std::unique_ptr<FakeMainWindow> Window;
  std::string Local;
  TClock* FixedClock = nullptr;
};

std::string Url(const TServer& S, const std::string& Path) { return "http://127.0.0.1:" + S.PortStr() + Path; }

TEST_F(Downloads, RedirectsAuthenticationAndContentType) {
  TServer* Self = nullptr;
  TServer S([&](TConn& C, int) {
    const std::string Rq = C.ReadRequest();
    Self->Record(Rq);
    if (Rq.rfind("GET /old", 0) == 0) {
      C.Send("HTTP/1.0 302 Found\r\nLocation: http://127.0.0.1:" + Self->PortStr() + "/New\r\n\r\n");
    } else if (Rq.rfind("GET /New", 0) == 0) {
      C.Send("HTTP/1.0 200 OK\r\nContent-Type: text/css\r\nContent-Length: 4\r\n\r\np{}\n");
    } else if (Rq.find("Authorization: Basic dXNlcjpwdw==") != std::string::npos) {
      C.Send("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<p>in</p>");
    } else {
      C.Send("HTTP/1.0 401 Unauthorized\r\n\r\n");
    }
  });
  Self = &S;
  fileinfoextraclass R = Record(Url(S, "/old#anchor"));
  ASSERT_EQ(R.Download(), DOWNLOAD_DONE);
  EXPECT_EQ(ReadAll(Local), "p{}\n");
  EXPECT_STREQ(R.contentType.text, "text/css");
  EXPECT_EQ(R.flags & WEBORIGIN_REDIRECTED, WEBORIGIN_REDIRECTED);
  // The client reports the location it took, with the port of this server.
  EXPECT_STREQ(R.GetString(0x40), R.redirectTarget.text);
  EXPECT_STREQ(R.redirectTarget.text, Url(S, "/New").c_str());
  EXPECT_STREQ(R.requestedAddress.text, Url(S, "/old").c_str());
  ASSERT_EQ(Window->Boxes.size(), 1u);
  EXPECT_EQ(Window->Boxes[0].Caption, "Quillon: Redirected");
  EXPECT_EQ(Window->Boxes[0].Text, "The server redirected the request for \"" + Url(S, "/old") + "\" to \"" +
                                       R.redirectTarget.text + "\".");
  EXPECT_EQ(Window->WaitWindow,
            (std::vector<std::string>{"show:Quillon: Opening...|Downloading, please wait...", "hide"}));
  fileinfoextraclass Auth = Record(Url(S, "/secret"));
  Auth.userName = "user";
  Auth.password = "pw";
  Auth.flags = WEBORIGIN_CREDENTIALS;
  Window->Boxes.clear();
  ASSERT_EQ(Auth.Download(), DOWNLOAD_DONE);
  EXPECT_EQ(ReadAll(Local), "<p>in</p>");
  EXPECT_TRUE(Window->Boxes.empty());
}

TEST_F(Downloads, ACaseOnlyRedirectIsReported) {
  TServer* Self = nullptr;
  TServer S([&](TConn& C, int) {
    const std::string Rq = C.ReadRequest();
    if (Rq.rfind("GET /page", 0) == 0) {
      C.Send("HTTP/1.0 301 Moved\r\nLocation: http://127.0.0.1:" + Self->PortStr() + "/PAGE\r\n\r\n");
    } else {
      C.Send("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\nx");
    }
  });
  Self = &S;
  fileinfoextraclass R = Record(Url(S, "/page"));
  ASSERT_EQ(R.Download(), DOWNLOAD_DONE);
  ASSERT_EQ(Window->Boxes.size(), 1u);
  EXPECT_EQ(Window->Boxes[0].Caption, "Quillon: Redirected");
}

TEST_F(Downloads, FailuresAndTheirMessages) {
  TServer S([](TConn& C, int) {
    const std::string Rq = C.ReadRequest();
    const std::string Code = Rq.substr(5, 3);
    C.Send("HTTP/1.0 " + Code + (Code == "500" ? " Server Broke" : " Nope") + "\r\n\r\nbody");
  });
  struct Case {
    const char* Code;
    bool Hint;
  } const Cases[] = {{"401", false}, {"403", false}, {"404", false}, {"500", true}};
  for (const Case& C : Cases) {
    Window->Boxes.clear();
    fileinfoextraclass R = Record(Url(S, std::string("/") + C.Code));
    EXPECT_EQ(R.Download(), DOWNLOAD_FAILED) << C.Code;
    ASSERT_EQ(Window->Boxes.size(), 1u);
    const std::string Expected = std::string("Failed: ") + C.Code + (C.Hint ? " Server Broke" : " Nope") +
                                 (C.Hint ? "; You may want to check your network connection and proxy settings."
                                         : "");
    EXPECT_EQ(Window->Boxes[0].Text, Expected);
    EXPECT_EQ(Window->Boxes[0].Caption, "Quillon: Open From The Web Failed");
  }
  // Secure addresses are refused in any case, before any traffic.
  const int Before = S.Accepted();
  for (const char* Address : {"https://127.0.0.1/", "HTTPS://127.0.0.1/", "HttpS://x"}) {
    Window->Boxes.clear();
    fileinfoextraclass R = Record(Address);
    EXPECT_EQ(R.Download(), DOWNLOAD_REFUSED_SECURE);
    ASSERT_EQ(Window->Boxes.size(), 1u);
    EXPECT_EQ(Window->Boxes[0].Text, "Cannot open an HTTPS link (not supported).");
  }
  EXPECT_EQ(S.Accepted(), Before);
  EXPECT_EQ(fileinfoextraclass::Download(nullptr), DOWNLOAD_NO_RECORD);
}

TEST_F(Downloads, ABodyCutShortIsAFailure) {
  TServer S([](TConn& C, int) {
    C.ReadRequest();
    C.Send("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: 1000\r\n\r\nonly a part");
  });
  fileinfoextraclass R = Record(Url(S, "/cut"));
  EXPECT_EQ(R.Download(), DOWNLOAD_FAILED);
  ASSERT_EQ(Window->Boxes.size(), 1u);
  EXPECT_NE(Window->Boxes[0].Text.find("11 of 1000 bytes"), std::string::npos) << Window->Boxes[0].Text;
}

// The cancel of the wait window, posted from a timer while the download waits.
void CancelFromTimer(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(0, Id);
  CancelActiveDownload();
}

TEST_F(Downloads, AStalledServerCanBeCancelled) {
  std::atomic<bool> Release{false};
  TServer S([&](TConn& C, int) {
    C.ReadRequest();
    C.Send("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\nstart");
    while (!Release.load()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });
  Window->OnWaitWindowShown = [] { SetTimer(0, 0, 200, CancelFromTimer); };
  fileinfoextraclass R = Record(Url(S, "/stall"));
  EXPECT_EQ(R.Download(), DOWNLOAD_FAILED);
  Release = true;
  ASSERT_EQ(Window->Boxes.size(), 1u);
  EXPECT_EQ(Window->Boxes[0].Text, "The download was cancelled.");
  EXPECT_FALSE(CancelActiveDownload());
}

TEST_F(Downloads, ReloadingAWebDocument) {
  int Round = 0;
  TServer S([&](TConn& C, int) {
    C.ReadRequest();
    C.Send("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\nround " + std::to_string(++Round) + "\n");
  });
  fileinfoclass Doc(prg->volatileState->undoDocuments, prg->volatileState->documents);
  auto* Origin = new fileinfoextraclass();
  Origin->address = Url(S, "/doc.html").c_str();
  Doc.SetWebOrigin(Origin, 1);
  EXPECT_EQ(Doc.Reload(), 2);
  EXPECT_EQ(Doc.text->Strings()->GetStr(0), "round 1");
  EXPECT_FALSE(std::filesystem::exists(Doc.webOrigin->localFile.text));
  Doc.webOrigin->address = "HTTPS://127.0.0.1/";
  EXPECT_EQ(Doc.Reload(), -2);
  EXPECT_EQ(Doc.text->Strings()->GetStr(0), "round 1");
}

TEST_F(Downloads, NetworkSettingsFromTheEngine) {
  ASSERT_EQ(prg->volatileState->LoadValidatorLibrary(0, 0), 0);
  const int Config = prg->volatileState->configHandle;
  ZUBCalls.ZUBSetString(Config, ZUB_CONFIG_PROXY_HOST, "proxy.local");
  ZUBCalls.ZUBSetString(Config, ZUB_CONFIG_PROXY_PORT, "3128");
  ZUBCalls.ZUBSetInteger(Config, ZUB_CONFIG_PROXY_FLAGS, 1);
  NetworkConfigClass Net;
  ASSERT_EQ(Net.LoadFromEngine(2), 0);
  EXPECT_STREQ(Net.userAgent.text, "ZUB Quillon Update Check");
  THttpCli Client(nullptr);
  Net.ApplyToHttpClient(&Client);
  EXPECT_EQ(Client.Proxy, "proxy.local");
  EXPECT_EQ(Client.ProxyPort, "3128");
  EXPECT_EQ(Client.Agent, "ZUB Quillon Update Check");
  Net.proxyFlags = 0;
  Net.ApplyToHttpClient(&Client);
  EXPECT_EQ(Client.Proxy, "");
  EXPECT_EQ(Client.ProxyPort, "");
}

}  // namespace
