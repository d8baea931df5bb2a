// Whole sites through the console host, as "-b" runs a list: a list file opened without a dialog, the Validate
// tool, the log kept as text and the report recorded instead of shown. Over local files, and over the
// documentation of Debian's libxslt1-dev served as a site on 127.0.0.1 and crawled by following links.
#include "BatchTestSupport.h"

#include "batchwizard/Batchjob.h"
#include "support/SiteServer.h"

#include <set>

namespace {

const char DocRoot[] = "/usr/share/doc/libxslt1-dev";

class WholeSite : public BatchTest {
protected:
  void SetUp() override {
    BatchTest::SetUp();
    if (!std::filesystem::exists(std::string(DocRoot) + "/html/index.html")) {
      GTEST_SKIP() << "libxslt1-dev's documentation is not installed (scripts/deps.sh installs it)";
    }
  }
  // Opens the list file as "-b" does and runs the Validate tool; the list stays unsaved.
  int RunList(const std::string& ListFile) {
    StrStore Name(ListFile.c_str());
    const int Opened = OpenTargetListFile(&Host, Targets(), Name, nullptr, 0);
    if (Opened != 0) {
      return Opened;
    }
    Settings().toolNumber = TOOL_VALIDATE;
    return Host.ProcessTargets(nullptr, nullptr, 0);
  }
  int HtmlPagesIn(const std::string& Folder) {
    int N = 0;
    for (const auto& E : std::filesystem::directory_iterator(Folder)) {
      N += E.path().extension() == ".html" ? 1 : 0;
    }
    return N;
  }
};

}  // namespace

TEST_F(WholeSite, LocalFilesOfAFolder) {
  const std::string List = Dir + "/local.lst";
  Write(List, "<ZUBBATCHWIZARDTARGETLIST>\r\nVERSION=5\r\n<TARGET>\r\nFLAGS=1069547538\r\nTARGET=" +
                  std::string(DocRoot) + "/html\r\n</TARGET>\r\n</ZUBBATCHWIZARDTARGETLIST>\r\n");
  ASSERT_EQ(RunList(List), 0);
  const int Pages = HtmlPagesIn(std::string(DocRoot) + "/html");
  EXPECT_EQ(Host.Count("Validating \""), Pages) << Host.Text();
  EXPECT_EQ(Host.Count("*** A problem occurred"), 0);
  EXPECT_EQ(Host.ReportsShown.size(), 1u);
  EXPECT_GT(Targets()->setUnchanged(1), -1);
}

TEST_F(WholeSite, ACrawlOverTheLoopbackSite) {
  NetTest::TSiteServer Site(DocRoot);
  const std::string List = Dir + "/site.lst";
  // One URL target with the L flag, limited to the site.
  Write(List, "<ZUBBATCHWIZARDTARGETLIST>\r\nVERSION=5\r\n<TARGET>\r\n<FIEC>\r\nVERSION=1\r\nFLAGS=0\r\nURL=" +
                  Site.Url("/html/index.html") +
                  "\r\n</FIEC>\r\nFLAGS=1069547668\r\nTARGET=" + Site.Url("/html/index.html") +
                  "\r\nFLLIMITTO=" + Site.Url("/") + "\r\n</TARGET>\r\n</ZUBBATCHWIZARDTARGETLIST>\r\n");
  Settings().optionFlags.set(BWF::OpenReport, false);
  ASSERT_EQ(RunList(List), 0);
  const std::string Log = Host.Text();
  // Every address was requested once, from the local server only.
  const auto Paths = Site.Paths();
  const std::set<std::string> Distinct(Paths.begin(), Paths.end());
  EXPECT_EQ(Distinct.size(), Paths.size()) << Log;
  EXPECT_EQ(Host.Count("Requested \""), static_cast<int>(Paths.size()));
  EXPECT_EQ(Host.Count("Requested \"" + Site.Url("/")), static_cast<int>(Paths.size()));
  int Found = 0, Missing = 0;
  for (const std::string& P : Paths) {
    if (std::filesystem::is_regular_file(std::string(DocRoot) + P)) {
      ++Found;
      EXPECT_EQ(Host.Count("Validating \"" + Site.Url(P) + "\"..."), 1) << P;
    } else {
      ++Missing;
      EXPECT_TRUE(Host.Has("An error occurred for the request \"" + Site.Url(P) +
                           "\". Error: 0, Status: 404, Reason: Not Found. This target will not be processed."))
          << P;
    }
  }
  // Debian 12's pages: 69 reached from the index, 10 links to pages that are not there.
  EXPECT_EQ(Found, 69);
  EXPECT_EQ(Missing, 10);
  EXPECT_EQ(Host.Count("Validating \""), Found);
  int Sections = 0;
  for (const auto& L : Host.Lines) {
    Sections += L.text.find("Generating validation report...") != std::string::npos ? 1 : 0;
  }
  EXPECT_TRUE(Host.Has(std::to_string(Found) + " targets validated, " + std::to_string(Sections) +
                       " target reports generated."));
  EXPECT_EQ(Site.Count("/gtk-doc/index.html"), 0);  // not linked
  std::printf("pages in html/: %d; requested: %zu; validated: %d; missing: %d\n",
              HtmlPagesIn(std::string(DocRoot) + "/html"), Paths.size(), Found, Missing);
  for (const auto& E : std::filesystem::directory_iterator(Dir + "/reports")) {
    if (E.path().extension() == ".html") {
      EXPECT_EQ(Unexpected(E.path().string()), "") << E.path();
    }
  }
}
