// The engine's link checker against a server the test starts on 127.0.0.1: registration, the cache, the
// Links page's check that goes on after the call and posts its progress, and the batch wizard's waiting check.
#include "EngineTestUtil.h"

#include "platform/win/Atoms.h"
#include "platform/win/UtilWindow.h"

#include <chrono>

using namespace EngineTest;

namespace {

class EngineLinks : public TEngineFixture {
protected:
  THttpServer Server;
  std::vector<std::string> Progress;
  HWND Window = 0;

  void SetUp() override {
    TEngineFixture::SetUp();
    Api().ZUBSetInteger3(16001, 0);
    Window = AllocateHWnd([this](TMessage& M) {
      if (M.Msg == 0x8001) {
        char Buf[1024] = {};
        GlobalGetAtomName(static_cast<ATOM>(M.LParam), Buf, sizeof Buf);
        GlobalDeleteAtom(static_cast<ATOM>(M.LParam));
        Progress.push_back(Buf);
        M.Result = 0;
        return;
      }
      M.Result = DefWindowProc(Window, M.Msg, M.WParam, M.LParam);
    });
  }
  void TearDown() override {
    DeallocateHWnd(Window);
    TEngineFixture::TearDown();
  }

  // Registers addresses as the program's link submission does; their ids.
  std::vector<ZUBInt> Submit(const std::vector<std::string>& Addresses) {
    std::vector<ZUBInt> Ids;
    for (const std::string& A : Addresses) {
      const ZUBInt Id = Api().ZUBSetString3(17005, A.c_str());
      EXPECT_GT(Id, 0);
      Api().ZUBSetString7(28002, Id, "Test Agent");
      Ids.push_back(Id);
    }
    return Ids;
  }
  ZUBInt LinkJob(bool WithWindow) {
    const ZUBInt Job = Api().ZUBGetNewHandle(ZUB_KIND_JOB);
    Api().ZUBSetInteger(Job, 5001, 7);
    if (WithWindow) {
      Api().ZUBSetString(Job, 8002, std::to_string(Window).c_str());
      Api().ZUBSetString(Job, 8002, "32769");
    }
    return Job;
  }
  void PumpUntil(const std::function<bool()>& Done) {
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    MSG M;
    while (!Done() && std::chrono::steady_clock::now() < Deadline) {
      while (PeekMessage(&M, 0, 0, 0, PM_REMOVE)) {
        TranslateMessage(&M);
        DispatchMessage(&M);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
};

TEST_F(EngineLinks, LinksPageCheckRunsOnAndPostsItsProgressToTheWindow) {
  const TApi& E = Api();
  const std::string Local = (Folder / "here.html").string();
  std::ofstream(Local) << "x";
  const std::vector<std::string> Links = {Server.Url("/good"), Server.Url("/missing"), Server.Url("/moved"),
                                          Server.Url("/headless"), "file://" + Local, Local + ".gone",
                                          "mailto:someone@example.org"};
  const auto Ids = Submit(Links);
  EXPECT_EQ(E.ZUBSetString3(17005, Links[0].c_str()), Ids[0]);  // the same address keeps its id
  for (ZUBInt Id : Ids) EXPECT_EQ(E.ZUBGetInteger6EZ(30001, Id), 1);
  EXPECT_LT(E.ZUBGetInteger5EZ(25003, Links[0].c_str()), 0);  // not in the cache yet
  const ZUBInt Job = LinkJob(true);
  ASSERT_GE(E.ZUBRunJob(0, Config, Job, 0), 0);
  PumpUntil([&] { return !Progress.empty() && Progress.back() == "-LinkCheckMessage 101"; });
  ASSERT_FALSE(Progress.empty());
  EXPECT_EQ(Progress.back(), "-LinkCheckMessage 101");
  int Last = 0;
  for (const std::string& P : Progress) {
    ASSERT_EQ(P.rfind("-LinkCheckMessage ", 0), 0u) << P;
    const int N = std::stoi(P.substr(18));
    EXPECT_GT(N, Last);
    Last = N;
  }
  EXPECT_EQ(E.ZUBGetInteger3EZ(16002), 0);
  struct TExpect {
    int Status;
    const char* Text;
    const char* Comment;
  };
  const TExpect Expected[] = {{2, "200 OK", ""},
                              {3, "404 Not Found", ""},
                              {4, "301 Moved Permanently", "Redirected to "},
                              {2, "200 OK", ""},
                              {2, "OK", ""},
                              {3, "File not found", ""},
                              {4, "Not checked", "Links with the scheme \"mailto\""}};
  for (std::size_t I = 0; I < Links.size(); ++I) {
    EXPECT_EQ(E.ZUBGetInteger5EZ(25003, Links[I].c_str()), Expected[I].Status) << Links[I];
    EXPECT_EQ(E.ZUBGetInteger6EZ(30001, Ids[I]), Expected[I].Status) << Links[I];
    EXPECT_STREQ(E.ZUBGetString5(24000, Links[I].c_str()), Expected[I].Text) << Links[I];
    EXPECT_EQ(std::string(E.ZUBGetString5(24001, Links[I].c_str())).rfind(Expected[I].Comment, 0), 0u) << Links[I];
  }
  // The server saw HEAD first, GET only where HEAD was refused, and the link's user agent.
  const auto Seen = Server.Requests();
  EXPECT_NE(std::find(Seen.begin(), Seen.end(), "GET /headless HTTP/1.1"), Seen.end());
  EXPECT_EQ(std::find(Seen.begin(), Seen.end(), "GET /good HTTP/1.1"), Seen.end());
  // Checked links are not checked again; a reset one (29000) is, and emptying the cache forgets them all.
  const std::size_t Before = Server.Requests().size();
  Progress.clear();
  ASSERT_EQ(E.ZUBSetInteger6(29000, Ids[1], 1), 0);
  EXPECT_EQ(E.ZUBGetInteger6EZ(30001, Ids[1]), 1);
  ASSERT_GE(E.ZUBRunJob(0, Config, Job, 0), 0);
  PumpUntil([&] { return !Progress.empty() && Progress.back() == "-LinkCheckMessage 101"; });
  EXPECT_EQ(Server.Requests().size(), Before + 1);
  EXPECT_EQ(E.ZUBSetInteger3(16001, 0), 0);
  EXPECT_LT(E.ZUBGetInteger5EZ(25003, Links[0].c_str()), 0);
  EXPECT_STREQ(E.ZUBGetString5(24000, Links[0].c_str()), "");
  E.ZUBFreeHandle(Job, 0);
}

TEST_F(EngineLinks, BatchCheckIsCompleteWhenTheCallReturnsAndStopIsSeenWhilePumping) {
  const TApi& E = Api();
  const auto Ids = Submit({Server.Url("/good"), Server.Url("/missing")});
  const ZUBInt Job = LinkJob(false);
  const ZUBInt R = E.ZUBRunJob(0, Config, Job, 1);
  ASSERT_GE(R, 0);
  EXPECT_EQ(E.ZUBGetInteger3EZ(16002), 0);
  EXPECT_EQ(E.ZUBGetInteger6EZ(30001, Ids[0]), 2);
  EXPECT_EQ(E.ZUBGetInteger6EZ(30001, Ids[1]), 3);
  // A stop asked for from a window handler while the engine pumps ends the check early.
  for (int I = 0; I < 40; ++I) Submit({Server.Url("/good?") + std::to_string(I)});
  PostMessage(Window, WM_USER, 0, 0);
  HWND Stopper = AllocateHWnd([&](TMessage& M) {
    if (M.Msg == WM_USER) E.ZUBSetFlag2(26000, 1, 1);
    M.Result = 0;
  });
  PostMessage(Stopper, WM_USER, 0, 0);
  ASSERT_GE(E.ZUBRunJob(0, Config, Job, 1 | 0x80000), 0);
  EXPECT_EQ(E.ZUBGetFlag2(26000, 1), 1);
  int Unchecked = 0;
  for (int I = 0; I < 40; ++I) {
    Unchecked += E.ZUBGetInteger5EZ(25003, (Server.Url("/good?") + std::to_string(I)).c_str()) < 0;
  }
  EXPECT_GT(Unchecked, 0);
  DeallocateHWnd(Stopper);
  E.ZUBSetFlag2(26000, 1, 0);
  E.ZUBFreeHandle(Job, 0);
}

TEST_F(EngineLinks, OneCheckAtATimeAndBadIdsAreRefused) {
  const TApi& E = Api();
  EXPECT_LT(E.ZUBSetString3(17005, ""), 0);
  EXPECT_LT(E.ZUBSetString7(28000, 999999, "user"), 0);
  EXPECT_LT(E.ZUBGetInteger6EZ(30001, -5), 0);
  EXPECT_LT(E.ZUBSetInteger6(29000, 0, 1), 0);
  Submit({Server.Url("/good")});
  const ZUBInt Job = LinkJob(true);
  ASSERT_GE(E.ZUBRunJob(0, Config, Job, 0), 0);
  if (E.ZUBGetInteger3EZ(16002) > 0) {
    EXPECT_LT(E.ZUBRunJob(0, Config, Job, 0), 0);
  }
  PumpUntil([&] { return !Progress.empty() && Progress.back() == "-LinkCheckMessage 101"; });
  E.ZUBFreeHandle(Job, 0);
}

}  // namespace
