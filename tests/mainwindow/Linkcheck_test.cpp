// The Links page and link checking from the main window, against a site on 127.0.0.1 and local files, with the
// engine's background check reporting through the message window and the command queue.
#include "MainFormFixture.h"

#include "core/Fileinfoclass.h"
#include "platform/win/MessageBox.h"

#include "core/Filestore.h"
#include "core/Linklist.h"
#include "core/Validatorlib.h"
#include "mainwindow/Linkspage.h"
#include "mainwindow/Resultspages.h"
#include "support/SiteServer.h"

#include <fstream>

class LinkcheckTest : public MainFormTest {
protected:
  NetTest::TSiteServer Site{""};

  void SetUp() override {
    MainFormTest::SetUp();
    Form->Show();
    NetTest::TSiteServer::TRoute Good;
    Good.body = "<html><body>fine</body></html>";
    Site.SetRoute("/good.html", Good);
    NetTest::TSiteServer::TRoute Moved;
    Moved.status = 301;
    Moved.reason = "Moved Permanently";
    Moved.location = Site.Url("/good.html");
    Site.SetRoute("/moved.html", Moved);
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
