// Batch reports: golden pages of a single-page report and of a root page with pages 1-3 (manual clock, fixed time
// zone), page counts and names, the summary's complete and partial headings, the quoted source line, names that
// need encoding, the external style sheet, and every page validated by the engine.
#include "BatchTestSupport.h"

#include "batchwizard/Batchjob.h"
#include "batchwizard/Batchreports.h"

#include <cstdlib>
#include <ctime>

namespace {

std::string Page(const std::string& Body) {
  return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">\n"
         "<html><head><title>Page</title></head><body>\n" +
         Body + "\n</body></html>\n";
}
const char Broken[] = "<p>Fish &amp; chips <foo>now</foo></p>";

class BatchReports : public BatchTest {
protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
    BatchTest::SetUp();
  }
  std::string Site() { return Dir + "/site"; }
  std::string ReportDir() { return Dir + "/reports"; }
  std::string Normalized(const std::string& Path) {
    std::string Text = BatchTest::Read(Path);
    Replace(Text, Dir, "<DIR>");
    return Text;
  }
  void ExpectGolden(const std::string& Path, const char* Golden) {
    const std::string Actual = Normalized(Path);
    const std::string File = std::string(ZUBQ_TEST_DATA_DIR) + "/golden/" + Golden;
    const std::string Expected = BatchTest::Read(File);
    if (Actual != Expected) {
      std::ofstream(File + ".new", std::ios::binary) << Actual;
    }
    EXPECT_EQ(Actual, Expected) << "compare " << File << ".new";
  }
  int Run() { return Host.ProcessTargets(nullptr, nullptr, 0); }
};

}  // namespace

TEST_F(BatchReports, ASinglePageReport) {
  Write(Site() + "/broken.html", Page(Broken));
  Write(Site() + "/clean.html", Page("<p>fine</p>"));
  Write(Site() + "/a&b \"q\" <x>.html", Page(Broken));
  Add(Site(), TARGET_KIND_DIRECTORY);
  Settings().optionFlags.set(BWF::OpenReport, false);
  Settings().optionFlags.set(BWF::MultiPageReport, false);
  Settings().cssFileName.assign((Dir + "/none.css").c_str());
  ASSERT_EQ(Run(), 0);
  const std::string Report = ReportDir() + "/batchreport.html";
  ExpectGolden(Report, "single.html");
  EXPECT_FALSE(std::filesystem::exists(ReportDir() + "/batchreport1.html"));
  EXPECT_EQ(Unexpected(Report), "");
  EXPECT_TRUE(
      Host.Has("HTML report file(s) successfully written. The option to automatically open the report is "
               "not enabled."));
  EXPECT_EQ(Host.LevelOf("External CSS file \"" + Dir +
                         "/none.css\" cannot be opened. Does it exist? Falling back "
                         "to using internal default CSS instead."),
            std::make_pair(1, true));
  EXPECT_TRUE(Host.ReportsShown.empty());
}

TEST_F(BatchReports, ARootPageWithThreePages) {
  for (int I = 0; I < 25; ++I) {
    Write(Site() + "/p" + std::to_string(10 + I) + ".html", Page(Broken));
  }
  Add(Site(), TARGET_KIND_DIRECTORY);
  Settings().optionFlags.set(BWF::MultiPageReport, true);
  Settings().optionFlags.set(BWF::OpenReport, false);
  Settings().cssFileName.assign((Dir + "/none.css").c_str());
  ASSERT_EQ(Run(), 0);
  ExpectGolden(ReportDir() + "/batchreport.html", "root.html");
  ExpectGolden(ReportDir() + "/batchreport3.html", "page3.html");
  EXPECT_FALSE(std::filesystem::exists(ReportDir() + "/batchreport4.html"));
  const std::string Page2 = BatchTest::Read(ReportDir() + "/batchreport2.html");
  EXPECT_NE(Page2.find("<h2>Summary Report (Partial)</h2>"), std::string::npos);
  for (const char* Name : {"batchreport.html", "batchreport1.html", "batchreport2.html", "batchreport3.html"}) {
    EXPECT_EQ(Unexpected(ReportDir() + "/" + Name), "") << Name;
  }
  int Sections = 0;
  for (std::size_t At = Page2.find("<h3 class=\"target\">"); At != std::string::npos;
       At = Page2.find("<h3 class=\"target\">", At + 1)) {
    ++Sections;
  }
  EXPECT_EQ(Sections, 10);
}

TEST_F(BatchReports, PageCountsNamesAndTheCompleteHeading) {
  BatchWizardJobClass Job(&Host);
  Job.optionFlags.set(BWF::MultiPageReport, true);
  const std::pair<int, int> Counts[] = {{0, 1}, {1, 2}, {8, 2}, {10, 2}, {11, 3}, {25, 4}};
  for (auto [Sections, Pages] : Counts) {
    Job.targetReportCount = Sections;
    EXPECT_EQ(GetReportPageCount(&Job), Pages) << Sections;
  }
  EXPECT_EQ(std::string(GetReportPageFileName("/r/batchreport.html", 3, 0).text), "/r/batchreport3.html");
  EXPECT_EQ(std::string(GetReportPageFileName("/r/batchreport.html", 2, PAGENAME_FILE_PART).text), "batchreport2.html");
  EXPECT_EQ(std::string(GetReportPageFileName("/r.d/report", 1, 0).text), "/r.d/report1");
  EXPECT_EQ(std::string(GetReportPageFileName("/r/batchreport.html", 0, 0).text), "/r/batchreport.html");
  Job.targetReportCount = 25;
  EXPECT_EQ(
      std::string(BuildPageNavigation(&Job, 0).text),
      "  <p>Multiple page report: <b>Previous 0 <a href=\"batchreport1.html\">1</a> <a "
      "href=\"batchreport2.html\">2</a> <a href=\"batchreport3.html\">3</a> <a href=\"batchreport1.html\">Next</a> "
      "</b></p>");

  // Eight sections: the root page and page 1, whose own summary is complete.
  for (int I = 0; I < 8; ++I) {
    Write(Site() + "/p" + std::to_string(I) + ".html", Page(Broken));
  }
  Add(Site(), TARGET_KIND_DIRECTORY);
  Settings().optionFlags.set(BWF::MultiPageReport, true);
  ASSERT_EQ(Run(), 0);
  EXPECT_NE(BatchTest::Read(ReportDir() + "/batchreport1.html").find("<h2>Summary Report (Complete)</h2>"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(ReportDir() + "/batchreport2.html"));
}

TEST_F(BatchReports, NothingProcessedWritesOnlyTheRootPage) {
  Settings().optionFlags.set(BWF::MultiPageReport, true);
  ASSERT_EQ(Run(), 0);
  EXPECT_TRUE(std::filesystem::exists(ReportDir() + "/batchreport.html"));
  EXPECT_FALSE(std::filesystem::exists(ReportDir() + "/batchreport1.html"));
  EXPECT_EQ(Host.LevelOf("No targets were processed."), std::make_pair(1, false));
  EXPECT_EQ(Host.Count("Report compiled in"), 0);
}

TEST_F(BatchReports, TheQuotedSourceLine) {
  const struct {
    int column, length;
    const char* quote;
  } Cases[] = {
      {5, 3, "<p class=\"htmlsource\">abcd<span class=\"htmlsourcehighlight\">efg</span>h&amp;j<br>&nbsp;</p>"},
      {12, 3, "<p class=\"htmlsource\">abcdefgh&amp;j<br>&nbsp;</p>"},
      {0, 3, "<p class=\"htmlsource\">abcdefgh&amp;j<br>&nbsp;</p>"},
      {9, -4, "<p class=\"htmlsource\">abcdefgh<span class=\"htmlsourcehighlight\">&amp;</span>j<br>&nbsp;</p>"},
      {9, 50, "<p class=\"htmlsource\">abcdefgh<span class=\"htmlsourcehighlight\">&amp;j</span><br>&nbsp;</p>"},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(std::string(QuoteSourceLine("abcdefgh&j", C.column, C.length).text), C.quote) << C.column;
  }
}

TEST_F(BatchReports, TheTemplateIsCopiedBesideTheReportOrUsedAsItIs) {
  Write(Site() + "/broken.html", Page(Broken));
  Add(Site() + "/broken.html", TARGET_KIND_FILE);
  Write(Dir + "/mine.css", "body { color: green; }\n");
  Settings().cssFileName.assign((Dir + "/mine.css").c_str());
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(BatchTest::Read(ReportDir() + "/batchreport.css"), "body { color: green; }\n");
  const std::string Report = BatchTest::Read(ReportDir() + "/batchreport.html");
  EXPECT_NE(Report.find("<link href=\"batchreport.css\" type=\"text/css\" rel=stylesheet>"), std::string::npos);
  EXPECT_EQ(Report.find("<style"), std::string::npos);
  // A template that is the report's own style sheet is not truncated by copying it onto itself.
  Settings().cssFileName.assign((ReportDir() + "/batchreport.css").c_str());
  Target(0)->targetFlags |= TARGET_PROCESS;
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(BatchTest::Read(ReportDir() + "/batchreport.css"), "body { color: green; }\n");
  EXPECT_EQ(
      Host.LevelOf("Successfully copied external CSS template file \"" + ReportDir() + "/batchreport.css\" to \"" +
                   ReportDir() + "/batchreport.css\". Using this external stylesheet."),
      std::make_pair(3, false));
  // A footer file replaces the default footer.
  Write(Dir + "/footer.html", "<p>Our own footer</p>\n");
  Settings().footerFileName.assign((Dir + "/footer.html").c_str());
  Target(0)->targetFlags |= TARGET_PROCESS;
  ASSERT_EQ(Run(), 0);
  const std::string WithFooter = BatchTest::Read(ReportDir() + "/batchreport.html");
  EXPECT_NE(WithFooter.find("<p>Our own footer</p>\r\n"), std::string::npos);
  EXPECT_EQ(WithFooter.find("Begin default footer"), std::string::npos);
}
