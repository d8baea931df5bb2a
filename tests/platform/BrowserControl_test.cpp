// Tests of the web browser control over pages served on 127.0.0.1: navigation, history, the busy state, saving the
// served bytes, the page's own windows and the input that reaches the page.
#include "platform/controls/BrowserControl.h"

#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "support/SiteServer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

NetTest::TSiteServer::TRoute Page(const std::string& Body) {
  NetTest::TSiteServer::TRoute Route;
  Route.body = Body;
  return Route;
}

std::string ReadFile(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  std::stringstream S;
  S << In.rdbuf();
  return S.str();
}

class BrowserControlTest : public ::testing::Test {
protected:
  NetTest::TSiteServer Site{""};
  TForm* Form = nullptr;
  TBrowserControl* Browser = nullptr;
  int Completed = 0;
  std::string LastComplete;
  bool Back = false;
  bool Forward = false;

  void SetUp() override {
    Harness::Start();
    if (!TBrowserControl::EngineAvailable()) {
      GTEST_SKIP() << "no browser engine in this build";
    }
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(20, 20, 640, 480);
    Browser = new TBrowserControl(Form);
    Browser->SetParent(Form);
    Browser->SetAlign(alClient);
    Browser->OnDocumentComplete = [this](TObject*, TObject* Frame, const std::string& Address) {
      EXPECT_EQ(Frame, Browser);
      ++Completed;
      LastComplete = Address;
    };
    Browser->OnCommandStateChange = [this](TObject*, int Command, bool Enable) {
      if (Command == CSC_NAVIGATEBACK) {
        Back = Enable;
      } else if (Command == CSC_NAVIGATEFORWARD) {
        Forward = Enable;
      }
    };
    Form->Show();
    Harness::RunUntilIdle();
  }

  void TearDown() override {
    delete Form;
    Harness::RunUntilIdle();
  }

  // Navigates and waits for the page's completion (at most 20 s).
  bool Load(const std::string& Address) {
    const int Before = Completed;
    Browser->Navigate(Address);
    return Harness::RunUntil([&] { return Completed > Before && !Browser->Busy(); }, 20000);
  }
};

TEST_F(BrowserControlTest, LoadsServedPagesAndWalksTheHistory) {
  Site.SetRoute("/one.html", Page("<html><head><title>One</title></head><body>1</body></html>"));
  Site.SetRoute("/two.html", Page("<html><head><title>Two</title></head><body>2</body></html>"));
  EXPECT_THROW(Browser->GoBack(), EBrowserError);
  ASSERT_TRUE(Load(Site.Url("/one.html")));
  EXPECT_EQ(LastComplete, Site.Url("/one.html"));
  EXPECT_EQ(Browser->GetProperty(DISPID_LOCATIONURL).AsString(), Site.Url("/one.html"));
  ASSERT_TRUE(Load(Site.Url("/two.html")));
  EXPECT_TRUE(Back);
  EXPECT_FALSE(Forward);
  const int Before = Completed;
  Browser->GoBack();
  ASSERT_TRUE(Harness::RunUntil([&] { return Completed > Before && !Browser->Busy(); }, 20000));
  EXPECT_EQ(Browser->LocationURL(), Site.Url("/one.html"));
  EXPECT_TRUE(Forward);
  EXPECT_THROW(Browser->GoBack(), EBrowserError);
}

TEST_F(BrowserControlTest, BusyFromTheCallUntilTheLoadEndsOrStops) {
  Site.SetRoute("/slow.html", Page("<p>slow</p>"));
  Site.SetDelayMs(1500);
  Browser->Navigate(Site.Url("/slow.html"));
  EXPECT_TRUE(Browser->Busy());
  EXPECT_TRUE(Browser->GetProperty(DISPID_BUSY).AsBoolean());
  Harness::RunUntil([] { return false; }, 200);
  Browser->Stop();
  EXPECT_FALSE(Browser->Busy());
  EXPECT_EQ(Completed, 0);
}

TEST_F(BrowserControlTest, SavesTheServedBytesExactly) {
  // Upper-case tags and odd spacing that a rewrite of the document would change.
  const std::string Body = "<HTML><HEAD><TITLE>Kept</TITLE></HEAD>\r\n<BODY  BGCOLOR=white><P>Text</BODY></HTML>\r\n";
  Site.SetRoute("/kept.html", Page(Body));
  const std::string File = (std::filesystem::temp_directory_path() / "zubq_browser_saved").string();
  EXPECT_FALSE(Browser->SaveDocumentToFile(File));  // nothing loaded yet
  ASSERT_TRUE(Load(Site.Url("/kept.html")));
  ASSERT_TRUE(Browser->SaveDocumentToFile(File));
  EXPECT_EQ(ReadFile(File), Body);
  std::filesystem::remove(File);
}

TEST_F(BrowserControlTest, RefusedPortCompletesNothing) {
  std::string Address;
  {
    const NetTest::TSiteServer Gone{""};
    Address = Gone.Url("/x.html");
  }
  Browser->Navigate(Address);
  ASSERT_TRUE(Harness::RunUntil([&] { return !Browser->Busy(); }, 20000));
  EXPECT_EQ(Completed, 0);
}

TEST_F(BrowserControlTest, PageScriptsOpenWindowsAndAskToClose) {
  Site.SetRoute("/open.html", Page("<a id=l target=_blank href='/two.html'>new</a><script>setTimeout(function() { "
                                   "window.close(); }, 200);</script>"));
  Site.SetRoute("/two.html", Page("<p>two</p>"));
  int Closes = 0;
  int NewWindows = 0;
  Browser->OnNewWindow2 = [&](TObject*, bool&) { ++NewWindows; };
  Browser->WindowProc = [&](TMessage& Message) {
    if (Message.Msg == WM_CLOSE) {
      ++Closes;
      return;
    }
    Browser->DefaultWindowProc(Message);
  };
  ASSERT_TRUE(Load(Site.Url("/open.html")));
  ASSERT_TRUE(Harness::RunUntil([&] { return Closes > 0; }, 10000));
  EXPECT_TRUE(Browser->HandleAllocated());
  // A click on the link opens a window of its own; the control keeps its page.
  Harness::Click(Browser->Handle(), TPoint{12, 14});
  ASSERT_TRUE(Harness::RunUntil([&] { return Browser->OpenedWindowCount() == 1; }, 10000));
  EXPECT_EQ(NewWindows, 1);
  EXPECT_EQ(Browser->LocationURL(), Site.Url("/open.html"));
}

// Typing, Backspace, the arrows, Delete and the clipboard keys act in the page's field; Enter submits its form.
TEST_F(BrowserControlTest, KeysReachTheFieldOfThePage) {
  Site.SetRoute("/form.html",
                Page("<form action='/submit'><input name=t autofocus onkeydown=\"fetch('/key')\"></form>"));
  Site.SetRoute("/submit", Page("<p>sent</p>"));
  ASSERT_TRUE(Load(Site.Url("/form.html")));
  Harness::Click(Browser->Handle(), TPoint{20, 18});
  // The page takes keys a while after it has the focus: a harmless key until the field sees one.
  ASSERT_TRUE(Harness::RunUntil(
      [&] {
        Harness::KeyPress(VK_SHIFT);
        return Harness::RunUntil([&] { return Site.Count("/key") > 0; }, 100);
      },
      10000));
  const auto Settle = [] { Harness::RunUntil([] { return false; }, 60); };
  Harness::TypeText("abcd");
  Settle();
  for (WORD Key : {VK_BACK, VK_LEFT, VK_LEFT, VK_DELETE}) {
    Harness::KeyPress(Key);
    Settle();
  }
  for (WORD Key : {'A', 'C'}) {
    Harness::KeyPress(Key, {.Ctrl = true});
    Settle();
  }
  Harness::KeyPress(VK_END);
  Settle();
  Harness::KeyPress('V', {.Ctrl = true});
  Settle();
  const int Before = Completed;
  Harness::KeyPress(VK_RETURN);
  ASSERT_TRUE(Harness::RunUntil([&] { return Completed > Before && !Browser->Busy(); }, 20000));
  EXPECT_EQ(Browser->LocationURL(), Site.Url("/submit?t=acac"));
}

// A render process that dies ends the busy state: nothing waits for a page that will not come.
TEST_F(BrowserControlTest, ADeadRenderProcessEndsBusy) {
  Site.SetRoute("/one.html", Page("<p>one</p>"));
  ASSERT_TRUE(Load(Site.Url("/one.html")));
  Browser->Navigate("chrome://crash");
  EXPECT_TRUE(Browser->Busy());
  EXPECT_TRUE(Harness::RunUntil([&] { return !Browser->Busy(); }, 20000));
}

}  // namespace
