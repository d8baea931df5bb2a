// The Help and Links commands, the update check from the Help menu, the program information, the About box and the
// wait window, with the desktop's opener recorded instead of started.
#include "MainFormFixture.h"

#include "core/Strstore.h"
#include "core/Updatecheck.h"
#include "core/Validatorlib.h"
#include "mainwindow/Updatecheckform.h"
#include "support/NetTestServer.h"

#include "platform/controls/TestHarness.h"
#include "platform/graphics/Clipbrd.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"
#include "platform/win/UtilWindow.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

class MainFormHelpTest : public MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    SetShellExecuteRecording(true);
    ClearShellExecuteRecords();
  }
  void TearDown() override {
    SetShellExecuteRecording(false);
    unsetenv(UPDATE_SERVER_VARIABLE);
    MainFormTest::TearDown();
    Server.reset();
  }
  std::vector<std::string> Opened() {
    std::vector<std::string> Files;
    for (const TShellExecuteRecord& R : ShellExecuteRecords()) {
      Files.push_back(R.File);
    }
    return Files;
  }
  std::string Documentation(const char* Page) {
    return std::string(prg->volatileState->documentationFolder.text) + "/" + Page;
  }
  // A server that answers the update check with Body after a short pause (so that the wait window is up while the
  // client waits).
  void Serve(const std::string& Body) {
    Server = std::make_unique<NetTest::TServer>([this, Body](NetTest::TConn& C, int) {
      Server->Record(C.ReadRequest());
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
      (void)C.Send("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + Body);
    });
    setenv(UPDATE_SERVER_VARIABLE, ("http://127.0.0.1:" + Server->PortStr()).c_str(), 1);
  }
  std::vector<std::string> Captions() {
    std::vector<std::string> Out;
    for (const TDialogRequest& R : Dialogs.Shown()) {
      Out.push_back(R.Caption);
    }
    return Out;
  }
  std::unique_ptr<NetTest::TServer> Server;
};

TEST_F(MainFormHelpTest, EveryHelpAndLinksCommandOpensItsTargetOnce) {
  struct TCase {
    TTBCustomItem* Item;
    std::string Target;
  };
  const std::string W3C = "http://www.w3.org";
  const std::vector<TCase> Cases = {
      {Form->HelpContents, Documentation("contents.html")},
      {Form->HelpBigBtnContents, Documentation("contents.html")},
      {Form->ToolsHelp, Documentation("usingthetools.html")},
      {Form->HelpOnline, "http://www.palvane.example/quillon/help/contents.html"},
      {Form->LinksZUBHome, "http://www.palvane.example/"},
      {Form->LinksSupport, "http://www.palvane.example/support/"},
      {Form->LinksDownload, "http://www.palvane.example/download/"},
      {Form->LinksInternetContentRatingAssociation, "http://www.icra.org/"},
      {Form->LinksWPForum, "http://www.wapforum.org/"},
      {Form->LinksWorldWideWebConsortium, "http://www.w3.org/"},
      {Form->LinksSpecsHTML401, W3C + "/TR/html4/"},
      {Form->LinksSpecsXHTML10, W3C + "/TR/xhtml1/"},
      {Form->LinksSpecsXHTML11, W3C + "/TR/xhtml11/"},
      {Form->LinksSpecsCSS1, W3C + "/TR/REC-CSS1"},
      {Form->LinksSpecsCSS2, W3C + "/TR/REC-CSS2/"},
      {Form->LinksSpecsWCAG, W3C + "/TR/WAI-WEBCONTENT/"},
      {Form->LinksSection508Accessibility, "http://www.section508.gov/"},
  };
  for (const TCase& C : Cases) {
    ClearShellExecuteRecords();
    C.Item->Click();
    EXPECT_EQ(Opened(), std::vector<std::string>{C.Target}) << C.Item->Name();
    if (C.Target.rfind("http", 0) != 0) {
      // The documentation is placed beside the program, so the page is really there.
      EXPECT_TRUE(std::filesystem::is_regular_file(C.Target)) << C.Target;
    }
  }
  EXPECT_TRUE(Dialogs.Shown().empty());
}

TEST_F(MainFormHelpTest, EveryDocumentationPageTheProgramOpensIsLinkedFromTheContents) {
  const std::string Folder = prg->volatileState->documentationFolder.text;
  std::ifstream In(Folder + "/contents.html");
  std::stringstream Contents;
  Contents << In.rdbuf();
  for (const char* Page :
       {"gettingstarted.html", "usingthetools.html", "editorgeneraltab.html", "editoreditortab.html",
        "editorhtmltab.html", "editorfiletypestab.html", "editorfileoptionstab.html",
        "draganddropdefaulttoolselectdialogbox.html", "resultswindowlinkstab.html", "wizardmain.html",
        "wizardoptionstab.html", "wizardreportingtab.html", "wizardlinkstab.html", "wizardtargetproperties.html"}) {
    EXPECT_TRUE(std::filesystem::is_regular_file(Folder + "/" + Page)) << Page;
    EXPECT_NE(Contents.str().find(std::string("href=\"") + Page + "\""), std::string::npos) << Page;
  }
}

TEST_F(MainFormHelpTest, CheckForNewVersionShowsTheWaitWindowAndRefreshesTheTitle) {
  Serve("DISPLAYINFOMESSAGE=You have the latest version.\n");
  Form->SetCaption("stale");
  // While the client waits for the reply it pumps messages: a probe posted before the command looks at the wait
  // window then, and posts itself again until it has seen it.
  std::atomic<bool> Probing{true};
  std::string SeenCaption, SeenText;
  bool SeenAnimating = false;
  HWND Probe = 0;
  Probe = AllocateHWnd([&](TMessage& M) {
    if (M.Msg != WM_USER + 7) {
      M.Result = DefWindowProc(Probe, M.Msg, M.WParam, M.LParam);
      return;
    }
    if (Form->WaitWindow != nullptr && Form->WaitWindow->Visible()) {
      SeenCaption = Form->WaitWindow->Caption();
      SeenText = Form->WaitWindow->MainLabel->Caption();
      SeenAnimating = Form->WaitWindow->Animate->Active();
    } else if (Probing) {
      PostMessage(Probe, WM_USER + 7, 0, 0);
    }
  });
  Dialogs.QueueAnswer(IDYES);  // go ahead with the check
  PostMessage(Probe, WM_USER + 7, 0, 0);
  Form->HelpCheckVersion->Click();
  Probing = false;
  Harness::RunUntilIdle();
  DeallocateHWnd(Probe);

  EXPECT_EQ(SeenCaption, "ZUB Quillon: Checking for Updates");
  EXPECT_EQ(SeenText, "Checking for updates, please wait...");
  EXPECT_TRUE(SeenAnimating);
  EXPECT_EQ(Form->WaitWindow, nullptr);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Quillon: Continue With The Update Check?",
                                                  "Quillon: Update Check Information Message"}));
  ASSERT_EQ(Server->Requests().size(), 1u);
  const std::string Request = Server->Requests()[0];
  EXPECT_NE(Request.find("flags=4&"), std::string::npos) << Request;
  // The configuration's version the engine reports travels with the request.
  const std::string Version = ZUBCalls.ZUBGetString(prg->volatileState->configHandle, ZUB_CONFIG_LOADED_FILE_NAME);
  EXPECT_STREQ(prg->volatileState->engineConfigFileName.text, Version.c_str());
  EXPECT_NE(Request.find(std::string("configversion=") + UrlEncode(Version.c_str()).text), std::string::npos);
  EXPECT_EQ(Form->Caption(), Form->GetTitleText(nullptr));
}

TEST_F(MainFormHelpTest, TheProgramInformationIsExactlySevenLinesOnTheClipboard) {
  Form->CopyProgramInfotoClipboard->Click();
  std::istringstream Text(Clipboard()->AsText());
  std::vector<std::string> Lines;
  for (std::string Line; std::getline(Text, Line);) {
    Lines.push_back(Line);
  }
  ASSERT_EQ(Lines.size(), 7u);
  const std::string Engine = ZUBCalls.ZUBGetString3(ZUB_ENGINE_VERSION_TEXT);
  const std::string Config = ZUBCalls.ZUBGetString(prg->volatileState->configHandle, ZUB_CONFIG_LOADED_FILE_NAME);
  EXPECT_EQ(Lines[0], "PROGRAM NAME: ZUB Quillon Professional");
  EXPECT_EQ(Lines[1], "VERSIONSTRING: 6.01");
  EXPECT_EQ(Lines[2], "VERSIONINTERNALSTRING: 6.0100");
  EXPECT_EQ(Lines[3], "DLLVERSIONSTRING: " + Engine);
  EXPECT_EQ(Lines[4], "ZUBCFGVERSION: " + Config);
  EXPECT_EQ(Lines[5].rfind("DATE: ", 0), 0u);
  EXPECT_GT(Lines[5].size(), 6u);
  EXPECT_EQ(Lines[6].rfind("TIME: ", 0), 0u);
  EXPECT_EQ(Clipboard()->AsText().back(), '\n');
  ASSERT_EQ(Captions(), std::vector<std::string>{"Quillon: Information Copied"});
  EXPECT_EQ(Dialogs.Shown()[0].Text,
            "Program information has been copied to the Windows clipboard. You can now paste this information into "
            "emails that you send to Palvane.");
}

TEST_F(MainFormHelpTest, TheAboutBoxOffersTheUpdateCheckFromTheAboutBox) {
  Serve("\n");
  Dialogs.QueueAnswer(IDNO);
  Form->HelpAboutZUB->Click();
  ASSERT_EQ(Captions(), std::vector<std::string>{"Quillon: About ZUB Quillon"});
  const TDialogRequest About = Dialogs.Shown()[0];
  EXPECT_NE(About.Text.find("ZUB Quillon Professional"), std::string::npos);
  EXPECT_NE(About.Text.find("6.01"), std::string::npos);
  EXPECT_NE(About.Text.find(ZUBCalls.ZUBGetString3(ZUB_ENGINE_VERSION_TEXT)), std::string::npos);
  const std::string Ending = "Do you want to check for a new program version now?";
  EXPECT_EQ(About.Text.substr(About.Text.size() - Ending.size()), Ending);
  EXPECT_EQ(About.Buttons, (std::vector<int>{IDYES, IDNO}));
  EXPECT_EQ(Server->Accepted(), 0);

  Dialogs.QueueAnswer(IDYES);  // the About box
  Dialogs.QueueAnswer(IDYES);  // the update check's own question
  Form->HelpAboutZUB->Click();
  ASSERT_EQ(Server->Requests().size(), 1u);
  EXPECT_NE(Server->Requests()[0].find("flags=8&"), std::string::npos);
}

TEST_F(MainFormHelpTest, TheWaitWindowKeepsItsOwnTextsUnlessGivenOthers) {
  struct TCase {
    const char* Caption;
    const char* Text;
    std::string ShownCaption;
    std::string ShownText;
  };
  for (const TCase& C :
       {TCase{nullptr, nullptr, "ZUB Quillon: Checking for Updates", "Checking for updates, please wait..."},
        TCase{"Quillon: Opening...", "Downloading, please wait...", "Quillon: Opening...",
              "Downloading, please wait..."}}) {
    Form->ShowWaitWindow(C.Caption, C.Text);
    ASSERT_NE(Form->WaitWindow, nullptr);
    EXPECT_TRUE(Form->WaitWindow->Visible());
    EXPECT_EQ(Form->WaitWindow->Caption(), C.ShownCaption);
    EXPECT_EQ(Form->WaitWindow->MainLabel->Caption(), C.ShownText);
    EXPECT_TRUE(Form->WaitWindow->Animate->Active());
    EXPECT_EQ(Form->WaitWindow->Owner(), Form);
    Form->HideWaitWindow();
    EXPECT_EQ(Form->WaitWindow, nullptr);
  }
  Form->HideWaitWindow();  // nothing shown: nothing to do
}

}  // namespace
