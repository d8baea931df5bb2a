// The download pool against a small site on 127.0.0.1: the pool limit, error statuses and 301, HTTPS refused,
// content types, redirections into the web origin, short bodies, time-outs under a manual clock, Stop during
// downloads, the engine's proxy settings and the semaphore shared between processes.
#include "BatchTestSupport.h"

#include "batchwizard/Batchjob.h"
#include "batchwizard/Httppool.h"
#include "core/Fileinfoextraclass.h"
#include "support/SiteServer.h"

#include "platform/win/NamedSemaphore.h"
#include "platform/win/WinUser.h"

#include <map>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string Page(const std::string& Body) {
  return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">\n"
         "<html><head><title>Page</title></head><body>\n" +
         Body + "\n</body></html>\n";
}

// The job kinds the run asked the engine for.
std::vector<int> Kinds;
ZUBSetInteger_t RealSetInteger = nullptr;
ZUBInt RecordSetInteger(ZUBInt H, ZUBInt Id, ZUBInt Value) {
  if (Id == ZUB_JOB_KIND) {
    Kinds.push_back(Value);
  }
  return RealSetInteger(H, Id, Value);
}

class Downloads : public BatchTest {
protected:
  void SetUp() override {
    BatchTest::SetUp();
    Settings().optionFlags.set(BWF::OpenReport, false);
    RealSetInteger = ZUBCalls.ZUBSetInteger;
    ZUBCalls.ZUBSetInteger = RecordSetInteger;
    Kinds.clear();
  }
  void TearDown() override {
    ZUBCalls.ZUBSetInteger = RealSetInteger;
    BatchTest::TearDown();
  }
  std::string Root() { return Dir + "/www"; }
  void AddUrl(const std::string& Url) {
    ASSERT_EQ(AddTarget(Targets(), Url.c_str(), TARGET_KIND_URL | ADD_NO_ROW), ADD_DONE) << Url;
  }
  int Run() { return Host.ProcessTargets(nullptr, nullptr, 0); }
  // No download file of this process is left in the working folder.
  bool NoDownloadFilesLeft() {
    for (const auto& E : std::filesystem::directory_iterator(Dir + "/temp")) {
      if (E.path().filename().string().rfind("ZUB", 0) == 0) {
        return false;
      }
    }
    return true;
  }
};

}  // namespace

TEST_F(Downloads, APoolOfTwoTakesFiveDownloadsInTurn) {
  for (int I = 0; I < 5; ++I) {
    Write(Root() + "/p" + std::to_string(I) + ".html", Page("<p>page</p>"));
  }
  NetTest::TSiteServer Site(Root());
  // Replies slow enough that the third request always finds both places taken, however fast the machine.
  Site.SetDelayMs(300);
  for (int I = 0; I < 5; ++I) {
    AddUrl(Site.Url("/p" + std::to_string(I) + ".html"));
  }
  Settings().maxHttpRequests = 2;
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(Host.Count("Maximum concurrent HTTP request limit reached (2). Waiting for one or more previous requests "
                       "to complete..."),
            1)
      << Host.Text();
  EXPECT_EQ(Host.Count("Requested \"" + Site.Url("/p")), 5);
  EXPECT_EQ(Host.LevelOf("Requested \"" + Site.Url("/p0.html") + "\"."), std::make_pair(1, false));
  EXPECT_EQ(Host.LevelOf("Completed request for \"" + Site.Url("/p0.html") + "\". Status: 200, Reason: OK."),
            std::make_pair(2, false));
  EXPECT_TRUE(Host.Has("Initiated a total of 5 URL downloads."));
  EXPECT_TRUE(Host.Has("5 targets validated, 0 target reports generated."));
  EXPECT_EQ(Settings().runningHttpRequests, 0);
  EXPECT_TRUE(NoDownloadFilesLeft());
}

TEST_F(Downloads, FailedRepliesAreLoggedAndNotValidated) {
  Write(Root() + "/style.css", "p { color: red; }\n");
  NetTest::TSiteServer Site(Root());
  NetTest::TSiteServer::TRoute Moved;
  Moved.status = 301;
  Moved.reason = "Moved Permanently";
  Site.SetRoute("/moved.html", Moved);
  NetTest::TSiteServer::TRoute Short;
  Short.body = Page("<p>cut</p>");
  Short.mode = NetTest::TSiteServer::rmCutShort;
  Site.SetRoute("/short.html", Short);
  NetTest::TSiteServer::TRoute PlainCss;
  PlainCss.contentType = "text/plain";
  PlainCss.body = "p { color: blue; }\n";
  Site.SetRoute("/plain.css", PlainCss);
  AddUrl(Site.Url("/missing.html"));
  AddUrl(Site.Url("/short.html"));
  AddUrl(Site.Url("/plain.css"));
  AddUrl(Site.Url("/style.css"));
  AddUrl("HTTPS://127.0.0.1/secure.html");
  // A final reply of 301 (nowhere to go) fails as well.
  AddUrl(Site.Url("/moved.html"));
  ASSERT_EQ(Run(), 0);
  const std::string Log = Host.Text();
  EXPECT_EQ(Host.LevelOf("An error occurred for the request \"" + Site.Url("/missing.html") +
                         "\". Error: 0, Status: 404, Reason: Not Found. This target will not be processed."),
            std::make_pair(1, true))
      << Log;
  EXPECT_EQ(Host.LevelOf("The download of \"" + Site.Url("/short.html") + "\" ended early: " +
                         std::to_string(Short.body.size()) + " of " + std::to_string(Short.body.size() + 100) +
                         " bytes were received. This target will not be "
                         "processed."),
            std::make_pair(1, true));
  EXPECT_EQ(Host.LevelOf("Cannot open \"HTTPS://127.0.0.1/secure.html\" because it is an HTTPS link and HTTPS is not "
                         "supported."),
            std::make_pair(1, true));
  EXPECT_TRUE(Host.Has("An error occurred for the request \"" + Site.Url("/moved.html") +
                       "\". Error: 0, Status: 301, Reason: Moved Permanently. This target will not be processed."));
  EXPECT_EQ(Host.Count("Validating \""), 2);  // the two style sheets
  EXPECT_EQ(std::count(Kinds.begin(), Kinds.end(), ZUB_JOB_VALIDATE_CSS), 2);
  EXPECT_EQ(Site.Count("/secure.html"), 0);
  EXPECT_TRUE(NoDownloadFilesLeft());
}

TEST_F(Downloads, ARedirectionBecomesTheBaseOfTheLinksFollowed) {
  Write(Root() + "/new/page.html", Page("<p><a href=\"other.html\">other</a></p>"));
  Write(Root() + "/new/other.html", Page("<p>other</p>"));
  NetTest::TSiteServer Site(Root());
  NetTest::TSiteServer::TRoute Found;
  Found.status = 302;
  Found.reason = "Found";
  Found.location = Site.Url("/new/page.html");
  Site.SetRoute("/old.html", Found);
  AddUrl(Site.Url("/old.html"));
  Target(0)->targetFlags |= TARGET_FOLLOW_LINKS;
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(Site.Count("/new/other.html"), 1) << Host.Text();
  EXPECT_TRUE(Host.Has("Requested \"" + Site.Url("/new/other.html") + "\"."));
}

TEST_F(Downloads, AStalledServerIsAbortedOneSweepAfterTheTimeOut) {
  NetTest::TSiteServer Site("");
  NetTest::TSiteServer::TRoute Stall;
  Stall.mode = NetTest::TSiteServer::rmStall;
  Site.SetRoute("/slow.html", Stall);
  AddUrl(Site.Url("/slow.html"));
  Settings().downloadTimeout = 60;
  // Every wait of the run lets its whole time pass on the manual clock (and a millisecond of real time, so that
  // the server's answers and the sockets' events come in).
  class ClockHost : public ConsoleHost {
  public:
    explicit ClockHost(TManualClock& C) : Manual(C) {}
    void WaitForMessage(int Milliseconds) override {
      ProcessMessages();
      Manual.Advance(static_cast<UInt64>(Milliseconds));
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    TManualClock& Manual;
  } Waiting(Clock);
  const int R = Waiting.ProcessTargets(nullptr, nullptr, 0);
  Host.Lines = Waiting.Lines;
  ASSERT_EQ(R, 0);
  const std::string Prefix = "A timeout occurred (in ";
  ASSERT_EQ(Host.Count(Prefix), 1) << Host.Text();
  std::string Line;
  for (const auto& L : Host.Lines) {
    if (L.text.rfind(Prefix, 0) == 0) {
      Line = L.text;
      EXPECT_TRUE(L.error);
    }
  }
  const double Seconds = std::stod(Line.substr(Prefix.size()));
  EXPECT_GT(Seconds, 60.0);
  EXPECT_LE(Seconds, 61.5);
  EXPECT_NE(Line.find("s) for the request \"" + Site.Url("/slow.html") + "\"."), std::string::npos);
  EXPECT_EQ(Host.Count("Validating \""), 0);
}

TEST_F(Downloads, StopWhileWaitingAbortsTheDownloadsAndStillReports) {
  NetTest::TSiteServer Site("");
  NetTest::TSiteServer::TRoute Stall;
  Stall.mode = NetTest::TSiteServer::rmStall;
  Site.SetRoute("/a.html", Stall);
  Site.SetRoute("/b.html", Stall);
  AddUrl(Site.Url("/a.html"));
  AddUrl(Site.Url("/b.html"));
  Target(0)->errorCount = 3;
  Host.OnPump = [&] {
    if (Host.Has("Waiting for all (if any) HTTP downloads to finish...") && (Host.abortWord & ABORT_REQUESTED) == 0) {
      Host.Stop();
    }
  };
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(Host.Count(ABORT_LINE), 1) << Host.Text();
  EXPECT_EQ(Host.LevelOf("Aborting any HTTP requests already in progress..."), std::make_pair(1, false));
  EXPECT_TRUE(std::filesystem::exists(Dir + "/reports/batchreport.html"));
  EXPECT_EQ(Target(0)->errorCount, 3);
  EXPECT_EQ(Settings().runningHttpRequests, 0);
}

TEST_F(Downloads, TheProxyComesFromTheEngineConfiguration) {
  Write(Root() + "/p.html", Page("<p>through the proxy</p>"));
  NetTest::TSiteServer Proxy(Root());
  const int Config = prg->volatileState->configHandle;
  ASSERT_GE(ZUBCalls.ZUBSetFlag(Config, ZUB_CONFIG_NETWORK_OPTIONS, ZUB_NETWORK_USE_PROXY, 1), 0);
  ASSERT_GE(ZUBCalls.ZUBSetString(Config, ZUB_CONFIG_PROXY_HOST, "127.0.0.1"), 0);
  ASSERT_GE(ZUBCalls.ZUBSetString(Config, ZUB_CONFIG_PROXY_PORT, std::to_string(Proxy.Port()).c_str()), 0);
  AddUrl("http://site.invalid/p.html");
  ASSERT_EQ(Run(), 0);
  const auto Lines = Proxy.RequestLines();
  ASSERT_EQ(Lines.size(), 1u) << Host.Text();
  EXPECT_EQ(Lines[0], "GET http://site.invalid/p.html HTTP/1.0");
  EXPECT_TRUE(Host.Has("Validating \"http://site.invalid/p.html\"..."));
}

TEST_F(Downloads, SweepsOfTwoProcessesTakeTurns) {
  // Another process holds the sweep semaphore for a while; this process's sweep waits for it.
  int Ready[2];
  ASSERT_EQ(::pipe(Ready), 0);
  const pid_t Child = fork();
  if (Child == 0) {
    HANDLE S = CreateNamedSemaphore(DOWNLOAD_SEMAPHORE_NAME, 1, 1, false);
    const bool Held = S != 0 && WaitForSingleObject(S, INFINITE) == WAIT_OBJECT_0;
    const char Byte = Held ? '1' : '0';
    (void)::write(Ready[1], &Byte, 1);
    ::usleep(400000);
    _exit(Held && ReleaseSemaphore(S, 1, nullptr) ? 0 : 1);
  }
  char Byte = 0;
  ASSERT_EQ(::read(Ready[0], &Byte, 1), 1);
  ASSERT_EQ(Byte, '1');
  BatchWizardJobClass Job(&Host);
  const auto Start = std::chrono::steady_clock::now();
  EXPECT_EQ(AbortHttpRequests(&Job, ABORT_ALL), 0);
  const auto Waited = std::chrono::steady_clock::now() - Start;
  EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(Waited).count(), 300);
  int Status = 0;
  ASSERT_EQ(::waitpid(Child, &Status, 0), Child);
  EXPECT_EQ(WEXITSTATUS(Status), 0);
  ::close(Ready[0]);
  ::close(Ready[1]);
}

TEST_F(Downloads, ARunningCountWithoutABusySlotIsMendedByTheNextSweep) {
  // A count that lost a request must not keep the wait for downloads going for ever.
  BatchWizardJobClass Job(&Host);
  Settings().runningHttpRequests = 1;
  TRealClock Real;
  TScopedClock UseReal(Real);  // the sweep runs on its interval in real time
  const auto Start = std::chrono::steady_clock::now();
  WaitForDownloads(&Job, &Host.abortWord, DOWNLOAD_WAIT);
  const auto Waited = std::chrono::steady_clock::now() - Start;
  EXPECT_EQ(Settings().runningHttpRequests, 0);
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(Waited).count(), 5000);
  EXPECT_FALSE(Host.WatchdogFired);
}

TEST_F(Downloads, TheFinalLinkCheckCountsBadLinksAndStopReachesTheEngine) {
  Write(Root() + "/index.html", Page("<p><a href=\"ok.html\">ok</a> <a href=\"missing.html\">missing</a></p>"));
  Write(Root() + "/ok.html", Page("<p>ok</p>"));
  NetTest::TSiteServer Site(Root());
  AddUrl(Site.Url("/index.html"));
  Settings().optionFlags.set(BWF::LinkCheckWhenValidating, true);
  Settings().optionFlags.set(BWF::MultiPageReport, false);
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(Host.LevelOf("Checking links (this could take awhile)..."), std::make_pair(1, false)) << Host.Text();
  EXPECT_EQ(Target(0)->badLinkCount, 1);
  const std::string Report = BatchTest::Read(Dir + "/reports/batchreport.html");
  EXPECT_NE(Report.find("<h3>4. Documents that have bad links</h3>"), std::string::npos);
  EXPECT_NE(Report.find("<span class=\"badlinkstatus\">"), std::string::npos);
  EXPECT_NE(Report.find("2 links extracted; 1 bad, 0 warning, "), std::string::npos);
  EXPECT_EQ(Unexpected(Dir + "/reports/batchreport.html"), "");

  // Stop during the final link check asks the engine to end the check; at other times it does not.
  BatchWizardJobClass Job(&Host);
  Host.runningJob = &Job;
  ASSERT_GE(ZUBCalls.ZUBSetFlag2(ZUB_ENGINE_FLAGS, ZUB_ENGINE_STOP_LINK_CHECK, 0), 0);
  Host.Stop();
  EXPECT_EQ(ZUBCalls.ZUBGetFlag2(ZUB_ENGINE_FLAGS, ZUB_ENGINE_STOP_LINK_CHECK), 0);
  Job.runState |= RUNSTATE_FINAL_LINK_CHECK;
  Host.Stop();
  EXPECT_EQ(ZUBCalls.ZUBGetFlag2(ZUB_ENGINE_FLAGS, ZUB_ENGINE_STOP_LINK_CHECK), 1);
  EXPECT_NE(Host.abortWord & ABORT_REQUESTED, 0);
  Host.runningJob = nullptr;
}

TEST_F(Downloads, StopEndsTheWaitForAFreeSlotAndAWebTargetWithoutAddressFails) {
  NetTest::TSiteServer Site("");
  NetTest::TSiteServer::TRoute Stall;
  Stall.mode = NetTest::TSiteServer::rmStall;
  Site.SetRoute("/a.html", Stall);
  Site.SetRoute("/b.html", Stall);
  AddUrl(Site.Url("/a.html"));
  AddUrl(Site.Url("/b.html"));
  Settings().maxHttpRequests = 1;
  Host.OnPump = [&] {
    if (Host.Count("Maximum concurrent HTTP request limit reached") > 0 && (Host.abortWord & ABORT_REQUESTED) == 0) {
      Host.Stop();
    }
  };
  const auto Start = std::chrono::steady_clock::now();
  ASSERT_EQ(Run(), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::seconds(10)) << Host.Text();
  EXPECT_EQ(Site.Count("/b.html"), 0);
  EXPECT_EQ(Settings().runningHttpRequests, 0);

  // A hand-edited list can name a web target without its address record: it fails instead of being fetched.
  Host.OnPump = nullptr;
  const std::string List = Dir + "/bare.lst";
  Write(List, "<ZUBBATCHWIZARDTARGETLIST>\nVERSION=5\n<TARGET>\nFLAGS=1069547540\nTARGET=" + Site.Url("/c.html") +
                  "\n</TARGET>\n</ZUBBATCHWIZARDTARGETLIST>\n");
  ASSERT_EQ(ReadTargetList(&Host, Targets(), List.c_str(), nullptr), TARGETLIST_READ);
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(Host.LevelOf("Cannot download \"" + Site.Url("/c.html") +
                         "\" because the target has no web address. This target will not be processed."),
            std::make_pair(1, true))
      << Host.Text();
  EXPECT_EQ(Host.Count("Validating \""), 0);
}
