// The Links page and link checking from the main window, against a site on 127.0.0.1 and local files, with the
// engine's background check reporting through the message window and the command queue.
#include "MainFormFixture.h"

#include "core/Fileinfoclass.h"
#include "platform/win/MessageBox.h"

#include "core/Filestore.h"
#include "core/Fileinfoextraclass.h"
#include "core/Msginfoclass.h"
#include "core/Linklist.h"
#include "core/Validatorlib.h"
#include "mainwindow/Linkspage.h"
#include "mainwindow/Resultspages.h"
#include "support/SiteServer.h"

#include <fstream>

class LinkcheckTest : public MainFormTest {
protected:
  NetTest::TSiteServer Site{""};

  // The engine's link time-out is set low in its configuration before it loads, so that a stalled server ends
  // the check soon; message identifiers are in use.
  void SetUp() override {
    PrepareFolders();
    std::ofstream(Dir + "/registry/zubvalidator.cfg") << "[Options]\nLinkTimeout=1\nMessageIDs=1\n";
    Harness::Start();
    MakeRootAndSettings();
    MakeForms();
    Form->Show();
    NetTest::TSiteServer::TRoute Good;
    Good.body = "<html><body>fine</body></html>";
    Site.SetRoute("/good.html", Good);
    NetTest::TSiteServer::TRoute Moved;
    Moved.status = 301;
    Moved.reason = "Moved Permanently";
    Moved.location = Site.Url("/good.html");
    Site.SetRoute("/moved.html", Moved);
    NetTest::TSiteServer::TRoute Stall;
    Stall.mode = NetTest::TSiteServer::rmStall;
    Site.SetRoute("/stall.html", Stall);
    (void)ZUBCalls.ZUBSetInteger3(ZUB_LINK_CACHE_RESET, 0);
  }

  std::string Status() { return Form->StatusBar->Panels()->Items(3)->Text(); }

  fileinfoclass* OpenPage() {
    std::ofstream(Dir + "/local.html") << "<html></html>";
    const std::string Page =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n"
        "<html><head><title>t</title></head><body><p>\n"
        "<a href=\"" +
        Site.Url("/good.html") +
        "\">1</a>\n"
        "<a href=\"" +
        Site.Url("/missing.html") +
        "\">2</a>\n"
        "<a href=\"" +
        Site.Url("/moved.html") +
        "\">3</a>\n"
        "<a href=\"local.html\">4</a>\n"
        "<a href=\"../../../../../../../../../../../../../../x.html\">5</a>\n"
        "<a href=\"local.html\">6</a>\n"
        "</p></body></html>\n";
    const std::string Path = Dir + "/page.html";
    std::ofstream(Path) << Page;
    EXPECT_EQ(Form->AddNewFileTab(nullptr, Path.c_str(), 0, nullptr), 0);
    return Form->GetCurrentFile();
  }

  // Runs the loop and the idle processing (which runs the queued commands) until the status says Text.
  bool WaitForStatus(const std::string& Text, DWORD TimeoutMs = 20000) {
    return Harness::RunUntil(
        [&] {
          bool Done = true;
          Form->ApplicationIdle(Application, Done);
          return Status() == Text;
        },
        TimeoutMs);
  }

  std::vector<std::string> Column(int Sub) {
    std::vector<std::string> Out;
    for (int I = 0; I < Form->LinksListView->Items()->Count(); ++I) {
      TListItem* Row = Form->LinksListView->Items()->Item(I);
      Out.push_back(Sub < 0 ? Row->Caption() : Row->SubItems()->Strings(Sub));
    }
    return Out;
  }
};

TEST_F(LinkcheckTest, CheckLinksReportsGoodBadWarningAndTheSummaryThroughTheQueue) {
  fileinfoclass* D = OpenPage();
  Form->ToolsValidateClick(nullptr);
  Form->ActivateResultsPage(Form->LinksSheet);
  ASSERT_EQ(Form->LinksListView->Items()->Count(), 6);
  EXPECT_TRUE(Form->LinksPlayBtn->Enabled());
  EXPECT_FALSE(Form->LinksStopBtn->Enabled());
  // Before the check: every link is not checked; the unresolvable one says so in its address.
  const std::vector<std::string> Order = Column(-1);
  EXPECT_EQ(Order, (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(Column(1)[4], "[error computing path] (../../../../../../../../../../../../../../x.html)");
  EXPECT_EQ(Column(1)[3], Dir + "/local.html");
  EXPECT_EQ(Status(), "0 bad links, 0 warning links, 0 good links, 6 links not checked, 6 total links.");
  EXPECT_EQ(Form->LinksSheet->ImageIndex(), 2);

  ASSERT_EQ(Form->CheckLinks(nullptr, CHECKLINKS_MANUAL), 0);
  ASSERT_TRUE(WaitForStatus("Checking links... completed.")) << Status();
  EXPECT_EQ(Site.Count("/good.html") > 0, true);
  // The refilled page, sorted by status: bad, warning, not checked, good.
  PointerArrayManager* Links = D->resultLists;
  ASSERT_NE(Links, nullptr);
  auto StatusOf = [&](int Order) {
    for (int I = 0; I < Links->getCount(); ++I) {
      auto* E = static_cast<StrStoreEx*>(Links->getPointer(I));
      if (E->spareInts.getInt(LINK_INT_ORDER) == Order) {
        return E->spareInts.getInt(LINK_INT_STATUS);
      }
    }
    return -1;
  };
  EXPECT_EQ(StatusOf(1), LINK_GOOD);
  EXPECT_EQ(StatusOf(2), LINK_BAD);
  EXPECT_EQ(StatusOf(3), LINK_WARNING);
  EXPECT_EQ(StatusOf(4), LINK_GOOD);
  EXPECT_EQ(Column(-1).front(), "2");
  EXPECT_EQ(Form->LinksSheet->ImageIndex(), 0);
  Form->LinksListView->SetSelected(Form->LinksListView->Items()->Item(0));
  const int Total = Links->tags->getInt(LINKS_TAG_TOTAL);
  EXPECT_EQ(Total, 6);
  EXPECT_EQ(Links->tags->getInt(LINKS_TAG_GOOD) + Links->tags->getInt(LINKS_TAG_BAD) +
                Links->tags->getInt(LINKS_TAG_WARNING) + Links->tags->getInt(LINKS_TAG_NOT_CHECKED),
            Total);
  EXPECT_EQ(Status(), LinkSummaryText(Links).text);
  EXPECT_TRUE(Form->LinksPlayBtn->Enabled());
}

TEST_F(LinkcheckTest, SecondDoubleClickFindsTheNextOccurrence) {
  fileinfoclass* D = OpenPage();
  Form->ToolsValidateClick(nullptr);
  Form->ActivateResultsPage(Form->LinksSheet);
  TListItems* Items = Form->LinksListView->Items();
  TListItem* Local = nullptr;
  for (int I = 0; I < Items->Count(); ++I) {
    if (Items->Item(I)->Caption() == "4") {
      Local = Items->Item(I);
    }
  }
  ASSERT_NE(Local, nullptr);
  Form->LinksListView->SetSelected(Local);
  Form->LinksListViewDblClick(nullptr);
  EXPECT_EQ(D->text->CurrentPosition.Y, 5);
  Form->LinksListViewDblClick(nullptr);
  EXPECT_EQ(D->text->CurrentPosition.Y, 7);
  EXPECT_EQ(Status(), "Press F3 to find the next matching link (if any).");
}

TEST_F(LinkcheckTest, SummaryWordsAndTheResetCommand) {
  PointerArrayManager Links;
  for (int Tag :
       {LINKS_TAG_BUILT, LINKS_TAG_TOTAL, LINKS_TAG_GOOD, LINKS_TAG_BAD, LINKS_TAG_NOT_CHECKED, LINKS_TAG_WARNING}) {
    (void)Links.setTag(Tag, Tag == LINKS_TAG_TOTAL ? 4 : 1);
  }
  EXPECT_STREQ(LinkSummaryText(&Links).text,
               "1 bad link, 1 warning link, 1 good link, 1 link not checked, 4 total links.");
  (void)Links.setTag(LINKS_TAG_BUILT, 0);
  EXPECT_STREQ(LinkSummaryText(&Links).text, "");
  Form->ResultsPopupResetLinkCacheClick(nullptr);
  Form->LinksStopBtnClick(nullptr);
  EXPECT_EQ(Status(), "Stopping link check... please wait...");
  EXPECT_EQ(Form->ResultsPageControl->ActivePage(), Form->LinksSheet);
}

TEST_F(LinkcheckTest, StopAgainstAStalledServerEndsTheCheckAndTheButtonsFollowIt) {
  const std::string Path = Dir + "/stall.html";
  std::string Page =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html><head><title>t</title></head><body><p>\n";
  for (int I = 0; I < 4; ++I) {
    Page += "<a href=\"" + Site.Url("/stall.html?" + std::to_string(I)) + "\">s</a>\n";
  }
  std::ofstream(Path) << Page << "</p></body></html>\n";
  ASSERT_EQ(Form->AddNewFileTab(nullptr, Path.c_str(), 0, nullptr), 0);
  Form->ToolsValidateClick(nullptr);
  ASSERT_EQ(Form->CheckLinks(nullptr, CHECKLINKS_MANUAL), 0);
  EXPECT_EQ(Form->CheckLinks(nullptr, CHECKLINKS_MANUAL), CHECKLINKS_RUNNING);
  Form->UpdateLinkCheckButtons();
  EXPECT_TRUE(Form->LinksStopBtn->Enabled());
  EXPECT_FALSE(Form->LinksPlayBtn->Enabled());
  Form->LinksStopBtnClick(nullptr);
  EXPECT_EQ(Status(), "Stopping link check... please wait...");
  ASSERT_TRUE(WaitForStatus("Checking links... completed.", 15000)) << Status();
  EXPECT_EQ(ZUBCalls.ZUBGetInteger3EZ(ZUB_LINK_CHECKS_RUNNING), 0);
  EXPECT_TRUE(Form->LinksPlayBtn->Enabled());
  EXPECT_FALSE(Form->LinksStopBtn->Enabled());
}

TEST_F(LinkcheckTest, AutomaticCheckRunsOncePerResult) {
  fileinfoclass* D = OpenPage();
  Form->ToolsValidateClick(nullptr);
  ASSERT_EQ(Form->CheckLinks(nullptr, CHECKLINKS_AUTOMATIC | CHECKLINKS_STAY), 0);
  ASSERT_TRUE(WaitForStatus("Checking links... completed.")) << Status();
  EXPECT_EQ(Form->CheckLinks(nullptr, CHECKLINKS_AUTOMATIC | CHECKLINKS_STAY), CHECKLINKS_ALREADY_RAN);
  // A new result may be checked again.
  Form->ToolsValidateClick(nullptr);
  const int Again = Form->CheckLinks(nullptr, CHECKLINKS_AUTOMATIC | CHECKLINKS_STAY);
  EXPECT_NE(Again, CHECKLINKS_ALREADY_RAN);
  // The link cache knows every status already: nothing is left to check.
  if (Again == 0) {
    EXPECT_TRUE(WaitForStatus("Checking links... completed.")) << Status();
  } else {
    EXPECT_EQ(Again, CHECKLINKS_NOTHING_LEFT);
    EXPECT_EQ(D->GetResultCount(COUNT_LIST_TAG_4), 0);
  }
}

TEST_F(LinkcheckTest, DocumentWithoutLinksKeepsCheckLinksDisabled) {
  const std::string Path = Dir + "/nolinks.html";
  std::ofstream(Path) << "<html><head><title>t</title></head><body><p>x</p></body></html>\n";
  ASSERT_EQ(Form->AddNewFileTab(nullptr, Path.c_str(), 0, nullptr), 0);
  Form->ToolsValidateClick(nullptr);
  Form->ActivateResultsPage(Form->LinksSheet);
  EXPECT_FALSE(Form->LinksPlayBtn->Enabled());
  EXPECT_FALSE(Form->ResultsPopupCheckLinks->Enabled());
}

TEST_F(LinkcheckTest, PopupOffersToOpenALocalLinkInTheEditor) {
  OpenPage();
  Form->ToolsValidateClick(nullptr);
  Form->ActivateResultsPage(Form->LinksSheet);
  TListItems* Items = Form->LinksListView->Items();
  for (int I = 0; I < Items->Count(); ++I) {
    if (Items->Item(I)->Caption() == "4") {
      Form->LinksListView->SetSelected(Items->Item(I));
    }
  }
  TTBCustomItem* Root = Form->ResultsPopupMenu->Items();
  Form->ResultsPopupMenuPopup(nullptr);
  Form->ResultsPopupMenuPopup(nullptr);
  ASSERT_EQ(Root->Items(0)->Caption(), "&Open Link in Editor");
  EXPECT_EQ(Root->Items(1)->Caption(), "Open Link in Browser");
  EXPECT_NE(Root->Items(2)->Caption(), "&Open Link in Editor");  // added once however often the menu opens
  Root->Items(0)->Click();
  EXPECT_STREQ(Form->GetCurrentFile()->name.text, (Dir + "/local.html").c_str());
  // The unresolvable link's address is not a link to open.
  Form->ActivateResultsPage(Form->LinksSheet);
}

TEST_F(LinkcheckTest, MessageIdentifierItemsWriteTheEngineConfiguration) {
  prg->interface->flags2.set(IF2::GroupedInMessages, true);
  OpenPage();
  Form->ActivateResultsPage(Form->MessagesSheet);
  Form->ToolsValidateClick(nullptr);
  TListItem* Row = nullptr;
  for (int I = 0; I < Form->ResultsListView->Items()->Count() && Row == nullptr; ++I) {
    auto* M = static_cast<msginfoclass*>(Form->ResultsListView->Items()->Item(I)->Data);
    Row = M->messageid > 0 ? Form->ResultsListView->Items()->Item(I) : nullptr;
  }
  ASSERT_NE(Row, nullptr);
  const int Id = static_cast<msginfoclass*>(Row->Data)->messageid;
  Form->SelectQuietly(Row, nullptr);
  ASSERT_EQ(ZUBCalls.ZUBGetIntegerEZ(EngineConfigHandle(), ZUB_CONFIG_MESSAGE_IDS), 1);
  Form->ResultsPopupMenuPopup(nullptr);
  EXPECT_TRUE(Form->ResultsPopupOptions->Enabled());
  EXPECT_EQ(Form->ResultsPopupOptions->Hint(), "This message's ID is " + std::to_string(Id) + ".");
  EXPECT_TRUE(Form->ResultsPopupEnableMessage->Checked());
  Form->ResultsPopupChangeToErrorClick(Form->ResultsPopupChangeToWarning);
  EXPECT_EQ(ZUBCalls.ZUBGetInteger2EZ(EngineConfigHandle(), ZUB_CONFIG_MESSAGE_TYPE, Id), 2);
  Form->ResultsPopupDisableMessageClick(Form->ResultsPopupDisableMessage);
  EXPECT_EQ(ZUBCalls.ZUBGetInteger2EZ(EngineConfigHandle(), ZUB_CONFIG_MESSAGE_ENABLED, Id), 0);
  Form->ResultsPopupMenuPopup(nullptr);
  EXPECT_TRUE(Form->ResultsPopupDisableMessage->Checked());
  EXPECT_TRUE(Form->ResultsPopupChangeToWarning->Checked());
  Form->ResultsPopupDisableMessageClick(Form->ResultsPopupEnableMessage);
  Form->ResultsPopupChangeToErrorClick(Form->ResultsPopupChangeToDefault);
  EXPECT_EQ(ZUBCalls.ZUBGetInteger2EZ(EngineConfigHandle(), ZUB_CONFIG_MESSAGE_ENABLED, Id), 1);
}

// A list without links stores no status counts: the summary reads 0, never a negative count.
TEST_F(LinkcheckTest, SummaryOfAPageWithoutLinksCountsNothing) {
  const std::string Path = Dir + "/nolinks.html";
  std::ofstream(Path) << "<html><head><title>t</title></head><body><p>x</p></body></html>\n";
  ASSERT_EQ(Form->AddNewFileTab(nullptr, Path.c_str(), 0, nullptr), 0);
  Form->ToolsValidateClick(nullptr);
  Form->ActivateResultsPage(Form->LinksSheet);
  EXPECT_EQ(Status(), "0 bad links, 0 warning links, 0 good links, 0 links not checked, 0 total links.");
  EXPECT_EQ(Form->LinksSheet->ImageIndex(), PAGEIMAGE_NONE);
}

// A page from the web with a user name: a link under the page's folder opens with the same credentials, another
// without them.
TEST_F(LinkcheckTest, OpenLinkInEditorCarriesTheCredentialsOnlyUnderTheBaseFolder) {
  NetTest::TSiteServer::TRoute Page;
  Page.body =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html><head><title>t</title></head><body><p>\n"
      "<a href=\"a.html\">a</a> <a href=\"" +
      Site.Url("/other/b.html") + "\">b</a>\n</p></body></html>\n";
  Site.SetRoute("/dir/page.html", Page);
  NetTest::TSiteServer::TRoute Plain;
  Plain.body = "<html><body>x</body></html>";
  Site.SetRoute("/dir/a.html", Plain);
  Site.SetRoute("/other/b.html", Plain);
  fileinfoextraclass Origin;
  Origin.address = Site.Url("/dir/page.html").c_str();
  Origin.userName = "user";
  Origin.password = "secret";
  Origin.SetUseCredentials(true, 1);
  ASSERT_EQ(Form->AddNewFileTab(nullptr, nullptr, 0x20, &Origin), 0);
  const int PageTab = Form->TabIndex(Form->GetEditorTabControl(0));
  Form->ToolsValidateClick(nullptr);
  Form->ActivateResultsPage(Form->LinksSheet);
  TListItems* Items = Form->LinksListView->Items();
  ASSERT_EQ(Items->Count(), 2);
  for (const char* Order : {"1", "2"}) {
    SCOPED_TRACE(Order);
    for (int I = 0; I < Items->Count(); ++I) {
      if (Items->Item(I)->Caption() == Order) {
        Form->LinksListView->SetSelected(Items->Item(I));
      }
    }
    Form->ResultsPopupMenuPopup(nullptr);
    TTBCustomItem* Open = Form->ResultsPopupMenu->Items()->Items(0);
    ASSERT_EQ(Open->Caption(), "&Open Link in Editor");
    Open->Click();
    fileinfoclass* Opened = Form->GetCurrentFile();
    ASSERT_NE(Opened->webOrigin, nullptr);
    const bool Under = std::string(Order) == "1";
    EXPECT_EQ(std::string(Opened->webOrigin->address.text), Site.Url(Under ? "/dir/a.html" : "/other/b.html"));
    EXPECT_EQ(std::string(Opened->webOrigin->userName.text), Under ? "user" : "") << Order;
    EXPECT_EQ(fileinfoextraclass::UsesCredentials(Opened->webOrigin, 1), Under ? 1 : 0) << Order;
    (void)Form->SelectTab(nullptr, PageTab, 0);
    Form->ActivateResultsPage(Form->LinksSheet);
  }
}
