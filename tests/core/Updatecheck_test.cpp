// The update check against a scripted server on 127.0.0.1: the request, the reply's commands, the failures and the
// last check day.
#include "FakeMainWindow.h"
#include "SettingsTestSupport.h"

#include "core/Updatecheck.h"

#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"
#include "support/NetTestServer.h"

#include <cstdlib>

using NetTest::TConn;
using NetTest::TServer;

namespace {

class UpdateCheck : public SettingsTest {
protected:
  void SetUp() override {
    SettingsTest::SetUp();
    FixedClock = SetClock(nullptr);  // the client waits on real time
    MakeRoot();
    prg->volatileState->engineConfigFileName.assign("Default Config.cfg");
    prg->volatileState->lastUpdateCheckDay = 1;
    Window = std::make_unique<FakeMainWindow>();
    SetShellExecuteRecording(true);
    ClearShellExecuteRecords();
  }
  void TearDown() override {
    SetShellExecuteRecording(false);
    unsetenv(UPDATE_SERVER_VARIABLE);
    Root.reset();
    Window.reset();
    SetClock(FixedClock);
    SettingsTest::TearDown();
  }
  // Serves Reply (a whole HTTP reply) to every request and records the requests.
  void Serve(const std::string& Reply) {
    Server = std::make_unique<TServer>([this, Reply](TConn& C, int) {
      Server->Record(C.ReadRequest());
      C.Send(Reply);
    });
    setenv(UPDATE_SERVER_VARIABLE, ("http://127.0.0.1:" + Server->PortStr()).c_str(), 1);
  }
  static std::string Ok(const std::string& Body) {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + Body;
  }
  std::vector<std::string> Captions() {
    std::vector<std::string> Out;
    for (const TDialogRequest& R : Dialogs.Shown()) {
      Out.push_back(R.Caption);
    }
    return Out;
  }
  static int StoredDay() { return ReadLastUpdateCheck(LASTUPDATECHECK_READ); }

  std::unique_ptr<FakeMainWindow> Window;
  std::unique_ptr<TServer> Server;
  TClock* FixedClock = nullptr;
};

TEST_F(UpdateCheck, TheRequestAndTheReplysCommands) {
  Serve(
      Ok("displayinfomessage=You have the latest version.\r\n"
         "DISPLAYQUESTIONMESSAGE=Read the news?\r\nGOTOURL=https://www.palvane.example/news\r\n"
         "DisplayQuestionMessage=Download now?\r\nGOTOURL=http://www.palvane.example/get\r\n"
         "something else\r\nDISPLAYERRORMESSAGE=Beware.\r\n"));
  Dialogs.QueueAnswer(IDYES);  // continue
  Dialogs.QueueAnswer(IDOK);
  Dialogs.QueueAnswer(IDNO);   // no news: its address is skipped
  Dialogs.QueueAnswer(IDYES);  // download
  EXPECT_EQ(CheckForUpdate(0, UPDATECHECK_FROM_MENU | UPDATECHECK_FORCE), 1);

  const std::vector<std::string> Requests = Server->Requests();
  ASSERT_EQ(Requests.size(), 1u);
  EXPECT_EQ(Requests[0].substr(0, Requests[0].find("\r\n")),
            "GET /php/updatecheck.php3?version=6%2e0100&configversion=Default+Config%2ecfg&flags=5&force=1 HTTP/1.0");
  EXPECT_NE(Requests[0].find("\r\nUser-Agent: ZUB Quillon Update Check\r\n"), std::string::npos) << Requests[0];

  EXPECT_EQ(Captions(),
            (std::vector<std::string>{"Quillon: Continue With The Update Check?",
                                      "Quillon: Update Check Information Message", "Quillon: Update Check Question",
                                      "Quillon: Update Check Question", "Quillon: Update Check Error Message"}));
  EXPECT_EQ(Dialogs.Shown()[1].Text, "You have the latest version.");
  const std::vector<TShellExecuteRecord> Opened = ShellExecuteRecords();
  ASSERT_EQ(Opened.size(), 1u);
  EXPECT_EQ(Opened[0].File, "http://www.palvane.example/get");
  EXPECT_EQ(Window->WaitWindow,
            (std::vector<std::string>{"show:ZUB Quillon: Checking for Updates|Checking for updates, please wait...",
                                      "hide"}));
  EXPECT_EQ(prg->volatileState->lastUpdateCheckDay, TodaysDayNumber());
  EXPECT_EQ(StoredDay(), TodaysDayNumber());
}

TEST_F(UpdateCheck, OnlyWebAddressesAreOpened) {
  const std::vector<std::string> Lines = {"GOTOURL=/usr/bin/xterm", "GOTOURL=file:///etc/passwd",
                                          "gotourl=javascript:alert(1)", "GOTOURL=http://",
                                          "GOTOURL=HTTPS://ok.example/"};
  EXPECT_EQ(CarryOutUpdateReply(Lines, 0), 1);
  const std::vector<TShellExecuteRecord> Opened = ShellExecuteRecords();
  ASSERT_EQ(Opened.size(), 1u);
  EXPECT_EQ(Opened[0].File, "HTTPS://ok.example/");
}

TEST_F(UpdateCheck, AnEmptyReplyShowsNothingAndKeepsTheDay) {
  Serve(Ok(""));
  EXPECT_EQ(CheckForUpdate(0, UPDATECHECK_NO_QUESTION), 1);  // asks nothing
  EXPECT_TRUE(Dialogs.Shown().empty());
  EXPECT_EQ(prg->volatileState->lastUpdateCheckDay, 1);
  ASSERT_EQ(Server->Requests().size(), 1u);
  EXPECT_NE(Server->Requests()[0].find("&flags=64&force=0 "), std::string::npos);
}

TEST_F(UpdateCheck, FailuresAreReportedAndKeepTheDay) {
  Serve("HTTP/1.0 404 Not Found\r\n\r\nnothing here");
  EXPECT_EQ(CheckForUpdate(0, UPDATECHECK_NO_QUESTION), 1);
  setenv(UPDATE_SERVER_VARIABLE, ("http://127.0.0.1:" + std::to_string(NetTest::UnusedPort())).c_str(), 1);
  EXPECT_EQ(CheckForUpdate(0, UPDATECHECK_NO_QUESTION), 1);
  ASSERT_EQ(Captions(), (std::vector<std::string>{"Quillon: Update Check Failed", "Quillon: Update Check Failed"}));
  EXPECT_EQ(Dialogs.Shown()[0].Text,
            "Failed: 404 Not Found\n\nYou may want to try again later and/or check your network connection and "
            "proxy settings.");
  EXPECT_EQ(Dialogs.Shown()[1].Text.rfind("Failed: ", 0), 0u);
  EXPECT_EQ(prg->volatileState->lastUpdateCheckDay, 1);
  EXPECT_EQ(Window->WaitWindow.back(), "hide");
}

TEST_F(UpdateCheck, DecliningConnectsToNothing) {
  Serve(Ok("DISPLAYINFOMESSAGE=x\n"));
  Dialogs.QueueAnswer(IDNO);
  EXPECT_EQ(CheckForUpdate(0, UPDATECHECK_FROM_ABOUT), 1);
  EXPECT_EQ(Server->Accepted(), 0);
  EXPECT_TRUE(Window->WaitWindow.empty());
}

TEST_F(UpdateCheck, TheStoredDayIsReadAndCreated) {
  EXPECT_EQ(ReadLastUpdateCheck(0), 0);
  EXPECT_EQ(ReadLastUpdateCheck(LASTUPDATECHECK_READ), 1);  // the current value, written back
  prg->volatileState->lastUpdateCheckDay = 5;
  EXPECT_EQ(ReadLastUpdateCheck(LASTUPDATECHECK_READ), 1);
}

}  // namespace
