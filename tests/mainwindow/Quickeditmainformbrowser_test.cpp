// The main window's browser pane over pages served on 127.0.0.1 and from files: free browsing into the "WB Source"
// document, preview mode, the status text, the window's and the page's own windows, input that reaches the page,
// and the waits that end when the program closes.
#include "MainFormFixture.h"

#include "core/Fileinfoclass.h"
#include "core/Flagword.h"
#include "core/Stringarraystore.h"

#include "editor/Easyeditsource.h"
#include "platform/classes/Registry.h"
#include "platform/controls/BrowserControl.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/Clock.h"
#include "platform/win/MessageBox.h"
#include "support/SiteServer.h"

#include <algorithm>
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

std::string WithoutCR(std::string Text) {
  std::erase(Text, '\r');
  return Text;
}

constexpr DWORD LoadTimeout = 20000;

class MainFormBrowserTest : public MainFormTest {
protected:
  NetTest::TSiteServer Site{""};
  TBrowserControl* Browser = nullptr;
  int Completed = 0;

  void SetUp() override {
    MainFormTest::SetUp();
    if (!TBrowserControl::EngineAvailable()) {
      GTEST_SKIP() << "no browser engine in this build";
    }
    ASSERT_EQ(Form->UpdateTabControls(), 0);
    // The first start's questions wait in the command queue: they are not this test's.
    (void)prg->volatileState->commandQueue.removeAllPointers(1);
    Form->Show();
  }

  // The pane on, with its browser, as the view settings show it; counts the completed pages.
  void OpenPane() {
    prg->interface->flags.set(IF40::WebBrowser, true);
    (void)Form->ApplyViewSettings(VIEW_NO_PREVIEW);
    if (Form->WebBrowser == nullptr) {
      ASSERT_EQ(Form->CreateWebBrowser(), 0);
    }
    Form->WebBrowserToolWindow->SetVisible(true);
    // Floating and large enough for pages that the tests click into, wherever the layout docks it.
    Form->WebBrowserToolWindow->SetFloating(true);
    Form->WebBrowserToolWindow->SetClientAreaSize(640, 480);
    Browser = dynamic_cast<TBrowserControl*>(Form->WebBrowser);
    ASSERT_NE(Browser, nullptr);
    ASSERT_TRUE(Harness::RunUntil([&] { return !Browser->Busy(); }, LoadTimeout));
    auto Complete = Browser->OnDocumentComplete;
    Browser->OnDocumentComplete = [this, Complete](TObject* Sender, TObject* Frame, const std::string& Address) {
      Complete(Sender, Frame, Address);
      ++Completed;
    };
  }

  bool WaitForPages(int Count) {
    const bool Done = Harness::RunUntil([&] { return Completed >= Count && !Browser->Busy(); }, LoadTimeout);
    Harness::RunUntilIdle();
    return Done;
  }

  void SetPreview(bool On) { prg->interface->flags2.set(IF2::BrowserPreview, On); }

  void Go(const std::string& Address) {
    Form->OpenCombo->SetText(Address);
    char Key = '\r';
    Form->OpenComboKeyPress(Form->OpenCombo, Key);
    EXPECT_EQ(Key, 0);  // taken: the box does not beep
  }

  fileinfoclass* Source() {
    PointerArrayManager* Documents = prg->volatileState->documents;
    for (int I = 0; I < Documents->getCount(); ++I) {
      auto* D = static_cast<fileinfoclass*>(Documents->getPointer(I));
      if ((D->flags & DOCFLAG_BROWSER_SOURCE) != 0) {
        return D;
      }
    }
    return nullptr;
  }

  static std::string TextOf(fileinfoclass* Document) { return WithoutCR(Document->text->Strings()->GetSaveText()); }

  std::size_t BoxesCaptioned(const std::string& Caption) {
    const auto Shown = Dialogs.Shown();
    return static_cast<std::size_t>(
        std::count_if(Shown.begin(), Shown.end(), [&](const TDialogRequest& R) { return R.Caption == Caption; }));
  }
};

TEST_F(MainFormBrowserTest, AnEngineThatCannotBeLoadedIsReportedOnce) {
  setenv("ZUBQ_NO_WEB_BROWSER", "1", 1);
  EXPECT_EQ(Form->CreateWebBrowser(), 1);
  EXPECT_EQ(Form->WebBrowser, nullptr);
  EXPECT_EQ(BoxesCaptioned("Quillon: Can't Create Web Browser Object"), 1u);
  // F8: the view settings try to make it and turn the pane off again.
  Form->ViewWebBrowserClick(nullptr);
  const bool ViewSettingsApplied = BoxesCaptioned("Quillon: Can't Create Web Browser Object") > 1;
  unsetenv("ZUBQ_NO_WEB_BROWSER");
  if (!ViewSettingsApplied && prg->interface->flags.has(IF40::WebBrowser)) {
    GTEST_SKIP() << "the view settings do not make the browser yet";
  }
  EXPECT_EQ(BoxesCaptioned("Quillon: Can't Create Web Browser Object"), 2u);
  EXPECT_FALSE(prg->interface->flags.has(IF40::WebBrowser));
  EXPECT_FALSE(Form->ViewWebBrowser->Checked());
  EXPECT_EQ(Form->WebBrowser, nullptr);
}

// F8 makes the browser once and previews the current document; F8 again hides the pane and keeps the browser.
TEST_F(MainFormBrowserTest, F8MakesTheBrowserOnceAndPreviews) {
  fileinfoclass* Document = Form->GetCurrentFile();
  ASSERT_NE(Document, nullptr);
  Document->text->Strings()->SetText("<p>preview me</p>\n");
  Document->text->Modified = true;
  SetPreview(true);
  Form->ViewWebBrowserClick(nullptr);
  ASSERT_TRUE(prg->interface->flags.has(IF40::WebBrowser));
  if (Form->WebBrowser == nullptr) {
    GTEST_SKIP() << "the view settings do not make the browser yet";
  }
  Browser = dynamic_cast<TBrowserControl*>(Form->WebBrowser);
  ASSERT_NE(Browser, nullptr);
  EXPECT_TRUE(Form->WebBrowserToolWindow->Visible());
  EXPECT_TRUE(Form->ViewWebBrowser->Checked());
  ASSERT_TRUE(Harness::RunUntil([&] { return Form->BrowserPreviewDone && !Browser->Busy(); }, LoadTimeout));
  EXPECT_EQ(Browser->LocationURL(), "file://" + std::string(Document->temporaryFile.text));
  Form->ViewWebBrowserClick(nullptr);
  EXPECT_FALSE(prg->interface->flags.has(IF40::WebBrowser));
  EXPECT_FALSE(Form->WebBrowserToolWindow->Visible());
  Form->ViewWebBrowserClick(nullptr);
  EXPECT_EQ(Form->WebBrowser, Browser);
  EXPECT_EQ(BoxesCaptioned("Quillon: Can't Create Web Browser Object"), 0u);
}

TEST_F(MainFormBrowserTest, BrowsedPagesBecomeTheSourceDocumentByteForByte) {
  const std::string One =
      "<HTML><HEAD><TITLE>One</TITLE></HEAD>\r\n<BODY><A href=\"/two.html\">two</A></BODY></HTML>\r\n";
  const std::string Two = "<html><head><title>Two</title></head><body>two</body></html>\n";
  Site.SetRoute("/one.html", Page(One));
  Site.SetRoute("/two.html", Page(Two));
  SetPreview(false);
  OpenPane();
  EXPECT_FALSE(Form->WBBackBtn->Enabled());
  Go(Site.Url("/one.html"));
  ASSERT_TRUE(WaitForPages(1));
  EXPECT_STREQ(prg->interface->browserAddresses.getString(0), Site.Url("/one.html").c_str());
  TRegistry Registry;
  ASSERT_TRUE(Registry.OpenKey("Software\\Palvane\\ZUB Quillon v4\\Editor\\OpenInWebBrowser", false));
  EXPECT_EQ(Registry.ReadString("String0"), Site.Url("/one.html"));
  EXPECT_EQ(ReadFile(prg->volatileState->browserSourceFile.text), One);
  ASSERT_NE(Source(), nullptr);
  EXPECT_EQ(TextOf(Source()), WithoutCR(One));
  EXPECT_FALSE(Source()->text->Modified);
  EXPECT_EQ(Form->OpenCombo->Text(), Site.Url("/one.html"));

  // The link goes on from the page itself; Back follows the browser's history.
  Harness::Click(Browser->Handle(), TPoint{12, 14});
  ASSERT_TRUE(WaitForPages(2));
  EXPECT_EQ(Browser->LocationURL(), Site.Url("/two.html"));
  EXPECT_EQ(TextOf(Source()), Two);
  EXPECT_TRUE(Form->WBBackBtn->Enabled());
  Form->WBBackBtnClick(nullptr);
  ASSERT_TRUE(WaitForPages(3));
  EXPECT_EQ(Browser->LocationURL(), Site.Url("/one.html"));
  EXPECT_TRUE(Form->WBForwardBtn->Enabled());
  Form->WBForwardBtnClick(nullptr);
  ASSERT_TRUE(WaitForPages(4));
  Form->WBForwardBtnClick(nullptr);  // no history: nothing happens
  EXPECT_EQ(Browser->LocationURL(), Site.Url("/two.html"));
}

TEST_F(MainFormBrowserTest, AFramesetUpdatesTheSourceOnceAndAnEditedSourceIsKept) {
  const std::string Frames =
      "<html><frameset cols=\"50%,50%\"><frame src=\"/left.html\"><frame src=\"/right.html\"></frameset></html>\n";
  Site.SetRoute("/frames.html", Page(Frames));
  Site.SetRoute("/left.html", Page("<p>left</p>\n"));
  Site.SetRoute("/right.html", Page("<p>right</p>\n"));
  Site.SetRoute("/next.html", Page("<p>next</p>\n"));
  SetPreview(false);
  OpenPane();
  Go(Site.Url("/frames.html"));
  ASSERT_TRUE(WaitForPages(1));
  ASSERT_TRUE(Harness::RunUntil([&] { return Site.Count("/right.html") > 0 && Site.Count("/left.html") > 0; }, 5000));
  Harness::RunUntil([] { return false; }, 300);
  EXPECT_EQ(Completed, 1);
  fileinfoclass* First = Source();
  ASSERT_NE(First, nullptr);
  EXPECT_EQ(TextOf(First), Frames);

  // Edited, it stays with its text as an ordinary document; the next page gets a fresh source document.
  First->text->Strings()->SetText("<p>mine</p>\n");
  First->text->Modified = true;
  Go(Site.Url("/next.html"));
  ASSERT_TRUE(WaitForPages(2));
  EXPECT_EQ(First->flags & DOCFLAG_BROWSER_SOURCE, 0u);
  EXPECT_NE(First->flags & DOCFLAG_DETACHED_SOURCE, 0u);
  EXPECT_EQ(TextOf(First), "<p>mine</p>\n");
  ASSERT_NE(Source(), nullptr);
  EXPECT_NE(Source(), First);
  EXPECT_EQ(TextOf(Source()), "<p>next</p>\n");
}

TEST_F(MainFormBrowserTest, BrowsedPagesAreValidatedWhenAsked) {
  Site.SetRoute("/v.html", Page("<p>unclosed\n"));
  SetPreview(false);
  prg->interface->flags2.set(IF2::ValidateBrowserSource, true);
  OpenPane();
  const std::size_t Before = Dialogs.Shown().size();
  Go(Site.Url("/v.html"));
  ASSERT_TRUE(WaitForPages(1));
  ASSERT_NE(Source(), nullptr);
  EXPECT_EQ(Form->GetCurrentFile(), Source());
  // Validated, or told that validation is still to come.
  const auto Shown = Dialogs.Shown();
  const bool Told = Shown.size() > Before && Shown.back().Text == "This feature is not yet implemented.";
  EXPECT_TRUE(Source()->resultHandle >= 0 || Told);
}

TEST_F(MainFormBrowserTest, PreviewShowsTheDocumentAndRefusesWhatCannotBeShown) {
  SetPreview(true);
  OpenPane();
  // An untitled document previews through its temporary file.
  fileinfoclass* Untitled = Form->GetCurrentFile();
  ASSERT_NE(Untitled, nullptr);
  Untitled->text->Strings()->SetText("<p>draft</p>\n");
  Untitled->text->Modified = true;  // written into: the placeholder stays
  const int Before = Completed;
  Form->NavigateWebBrowser(Form, 0x40);
  ASSERT_TRUE(WaitForPages(Before + 1));
  EXPECT_EQ(reinterpret_cast<fileinfoclass*>(Form->WBPanel->Tag()), Untitled);
  EXPECT_EQ(Browser->LocationURL(), "file://" + std::string(Untitled->temporaryFile.text));
  EXPECT_TRUE(Form->BrowserPreviewDone);

  // Automatic refresh: the timer previews the document again after 10 s.
  prg->interface->flags2.set(IF2::BrowserAutoRefresh, true);
  {
    TManualClock Clock;
    TScopedClock UseClock(Clock);
    Form->BrowserTimer->SetEnabled(false);
    Form->BrowserTimer->SetEnabled(true);
    Harness::Advance(Clock, 9000);
    EXPECT_EQ(Completed, Before + 1);
    Harness::Advance(Clock, 1000);
  }
  ASSERT_TRUE(WaitForPages(Before + 2));

  // A document whose extension is not in the preview list cannot be previewed.
  const std::string Asp = Dir + "/page.asp";
  std::ofstream(Asp) << "<% x %>\n";
  ASSERT_EQ(Form->AddNewFileTab(nullptr, Asp.c_str(), 0, nullptr), 0);
  Form->WBRefreshBtnClick(nullptr);
  EXPECT_EQ(BoxesCaptioned("Quillon: Cannot Preview"), 1u);
  EXPECT_EQ(Form->IsPreviewable(Form->GetCurrentFile(), nullptr, 1 | 4), 0);
}

// Names: an absolute path needs a preview extension (a language suffix skipped), addresses and folders do not.
TEST_F(MainFormBrowserTest, PreviewableNames) {
  const std::pair<const char*, int> Cases[] = {{"/tmp/a.html", 1},    {"/tmp/a.HTM", 1},       {"/tmp/a.asp", 0},
                                               {"/tmp/a.html.en", 1}, {"/tmp/a.php.pt-br", 1}, {"/tmp/folder/", 1},
                                               {"http://x/a.asp", 1}, {"relative.asp", 1},     {"", 0}};
  for (const auto& [Name, Expected] : Cases) {
    EXPECT_EQ(Form->IsPreviewable(nullptr, Name, 2), Expected) << Name;
  }
}

TEST_F(MainFormBrowserTest, HelpShowsTheDocumentationContents) {
  prg->volatileState->programFolder = Dir.c_str();
  std::filesystem::create_directories(Dir + "/Documentation");
  std::ofstream(Dir + "/Documentation/contents.html") << "<title>Contents</title><p>help</p>\n";
  OpenPane();
  const int Before = Completed;
  Form->WBHelpBtnClick(nullptr);
  ASSERT_TRUE(WaitForPages(Before + 1));
  EXPECT_EQ(Browser->LocationURL(), "file://" + Dir + "/Documentation/contents.html");
  // The copy of a local page is named by the page's path.
  ASSERT_NE(Source(), nullptr);
  EXPECT_STREQ(Source()->GetName(NAME_WEB), (Dir + "/Documentation/contents.html").c_str());
}

TEST_F(MainFormBrowserTest, StatusTextAndTheBrowserWindows) {
  Site.SetRoute("/close.html", Page("<a target=_blank href=\"/new.html\">new</a>"
                                    "<script>setTimeout(function() { window.close(); }, 300);</script>"));
  Site.SetRoute("/new.html", Page("<p>new</p>"));
  SetPreview(false);
  OpenPane();

  // A page that closes its window is refused; its new windows open on their own.
  Go(Site.Url("/close.html"));
  ASSERT_TRUE(WaitForPages(1));
  ASSERT_TRUE(Harness::RunUntil([&] { return BoxesCaptioned("Quillon: Trying To Close Browser") == 1; }, LoadTimeout));
  EXPECT_EQ(Dialogs.Shown().back().Text, "The integrated web browser is attempting to close but this is not allowed.");
  EXPECT_EQ(Form->WebBrowser, Browser);
  EXPECT_TRUE(Browser->HandleAllocated());
  Harness::Click(Browser->Handle(), TPoint{12, 14});
  ASSERT_TRUE(Harness::RunUntil([&] { return Browser->OpenedWindowCount() == 1; }, LoadTimeout));
  EXPECT_EQ(Browser->LocationURL(), Site.Url("/close.html"));

  // Floating, the text goes to the window's own status bar, docked to the main window's.
  Form->WebBrowserStatusTextChange(Browser, "floating text");
  EXPECT_EQ(Form->WBStatusBar->SimpleText(), "floating text");
  Form->WebBrowserToolWindow->SetFloating(false);
  Form->WebBrowserStatusTextChange(Browser, "docked text");
  EXPECT_EQ(Form->StatusBar->Panels()->Items(3)->Text(), "docked text");
  EXPECT_EQ(Form->WBStatusBar->SimpleText(), "floating text");
  // Closing the floating window turns the pane off.
  Form->WebBrowserToolWindow->SetFloating(true);
  Form->WebBrowserToolWindow->SetVisible(false);
  EXPECT_FALSE(prg->interface->flags.has(IF40::WebBrowser));
}

TEST_F(MainFormBrowserTest, KeysReachThePageAndTheWindowsShortcuts) {
  Site.SetRoute("/form.html", Page("<form action=\"/submit\"><input name=t autofocus onkeydown=\"fetch('/key')\">"
                                   "</form>"));
  Site.SetRoute("/submit", Page("<p>sent</p>"));
  SetPreview(false);
  OpenPane();
  Go(Site.Url("/form.html"));
  ASSERT_TRUE(WaitForPages(1));
  Harness::Click(Browser->Handle(), TPoint{20, 18});
  // The page takes keys a while after it has the focus: a harmless key until the field sees one.
  ASSERT_TRUE(Harness::RunUntil(
      [&] {
        Harness::KeyPress(VK_SHIFT);
        return Harness::RunUntil([&] { return Site.Count("/key") > 0; }, 100);
      },
      LoadTimeout));
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
  ASSERT_TRUE(WaitForPages(Before + 1));
  EXPECT_EQ(Browser->LocationURL(), Site.Url("/submit?t=acac"));

  // F8 is the window's: the pane goes off.
  Harness::Click(Browser->Handle(), TPoint{20, 18});
  Settle();
  ASSERT_EQ(GetFocus(), Browser->Handle());
  Harness::KeyPress(VK_F8);
  ASSERT_TRUE(Harness::RunUntil([&] { return !prg->interface->flags.has(IF40::WebBrowser); }, 5000));
}

// A page that never loads does not hold the program: the wait ends when the program closes.
TEST_F(MainFormBrowserTest, WaitsEndWhenTheProgramCloses) {
  NetTest::TSiteServer::TRoute Stalled = Page("<p>never</p>");
  Stalled.mode = NetTest::TSiteServer::rmStall;
  Site.SetRoute("/stall.html", Stalled);
  SetPreview(false);
  OpenPane();
  Browser->Navigate(Site.Url("/stall.html"));
  ASSERT_TRUE(Browser->Busy());
  bool Done = true;
  Form->ApplicationIdle(Application, Done);
  EXPECT_TRUE(Form->WBStopBtn->Enabled());
  auto* Closing = new TTimer(Form);
  Closing->SetInterval(300);
  Closing->SetOnTimer([&](TObject*) {
    Closing->SetEnabled(false);
    prg->volatileState->shuttingDown = 1;
  });
  Closing->SetEnabled(true);
  EXPECT_EQ(Form->WaitForBrowser(2), 0);
  EXPECT_EQ(prg->volatileState->shuttingDown, 1);
  EXPECT_EQ(Form->WebBrowserDocumentComplete(Browser, Browser, 2), 4);
  prg->volatileState->shuttingDown = 0;
  Form->WBStopButtonClick(nullptr);
  EXPECT_FALSE(Browser->Busy());
  Form->ApplicationIdle(Application, Done);
  EXPECT_FALSE(Form->WBStopBtn->Enabled());
}

}  // namespace
