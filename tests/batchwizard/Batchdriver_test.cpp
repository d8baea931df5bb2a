// Batch runs with the real engine over folders of fixture pages: folder expansion and its exclusions, the text
// tools, the target limit, link following with depth limits, a documents run, Stop, the copy-back of results and
// the process-No marking, with the log texts and levels.
#include "BatchTestSupport.h"

#include "batchwizard/Batchjob.h"
#include "core/Fileinfoclass.h"

#include "editor/Easyeditsource.h"
#include "platform/classes/StringList.h"

namespace {

std::string Page(const std::string& Body) {
  return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">\n"
         "<html><head><title>Page</title></head><body>\n" +
         Body + "\n</body></html>\n";
}

std::string Links(const std::vector<std::string>& Targets) {
  std::string Body;
  for (const std::string& T : Targets) {
    Body += "<p><a href=\"" + T + "\">" + T + "</a></p>\n";
  }
  return Body;
}

class BatchRuns : public BatchTest {
protected:
  std::string Site() { return Dir + "/site"; }
  int Run() { return Host.ProcessTargets(nullptr, nullptr, 0); }
};

}  // namespace

TEST_F(BatchRuns, AFolderExpandsIntoItsPagesSkippingSpecialAndReportFolders) {
  Write(Site() + "/a.html", Page("<p>a</p>"));
  Write(Site() + "/notes.txt", "text");
  Write(Site() + "/pages/c.html", Page("<p>c</p>"));
  Write(Site() + "/_private/x.html", Page("<p>x</p>"));
  Write(Site() + "/cvs/y.html", Page("<p>y</p>"));
  Write(Site() + "/batchreport.html", Page("<p>old report</p>"));
  Write(Site() + "/batchreport3.html", Page("<p>old report page</p>"));
  Settings().reportFileName.assign((Site() + "/batchreport.html").c_str());
  Add(Site(), TARGET_KIND_DIRECTORY | TARGET_KIND_WITH_SUB);
  ASSERT_EQ(Run(), 0);
  const std::string Log = Host.Text();
  EXPECT_EQ(Host.LevelOf("Excluding directory target \"_private\" due to underscore and option set to do so."),
            std::make_pair(2, false))
      << Log;
  EXPECT_EQ(Host.LevelOf("Excluding directory target \"cvs\" because of name and option set to do so."),
            std::make_pair(2, false));
  EXPECT_EQ(Host.LevelOf("Added directory target \"pages\"."), std::make_pair(2, false));
  EXPECT_EQ(Host.LevelOf("Added file target \"a.html\"."), std::make_pair(2, false));
  EXPECT_TRUE(Host.Has("Added file target \"c.html\"."));
  EXPECT_EQ(Host.LevelOf("Excluding file target \"batchreport.html\" because it appears to be a report file from a "
                         "previous Batch Wizard run."),
            std::make_pair(2, false));
  EXPECT_TRUE(
      Host.Has("Excluding file target \"batchreport3.html\" because it appears to be a report file from a "
               "previous Batch Wizard run."));
  EXPECT_EQ(Host.LevelOf("Expanding directory target \"" + Site() + "\"..."), std::make_pair(1, false));
  EXPECT_EQ(Host.Count("Validating \""), 2);
  EXPECT_TRUE(Host.Has("Validating \"" + Site() + "/a.html\"..."));
  EXPECT_TRUE(Host.Has("Validating \"" + Site() + "/pages/c.html\"..."));
  EXPECT_EQ(Host.LevelOf("1 initial target to process."), std::make_pair(1, false));
  // Clean pages get no report section with the default options, and clean targets are set to No.
  EXPECT_EQ(Host.LevelOf("2 targets validated, 0 target reports generated."), std::make_pair(1, false)) << Log;
  EXPECT_TRUE(std::filesystem::exists(Site() + "/batchreport.html"));
  // The folder's results are the sum of its pages'; the run's copies are gone.
  EXPECT_EQ(Target(0)->errorCount, 0);
  EXPECT_EQ(Target(0)->warningCount, 0);
  EXPECT_FALSE(Target(0)->has(TARGET_PROCESS));
  EXPECT_TRUE(Host.Has("Changed 1 targets from process 'Yes' to process 'No'."));
  EXPECT_EQ(Host.ReportsShown, std::vector<std::string>{Site() + "/batchreport.html"});
  EXPECT_EQ(Host.running, 0);
  EXPECT_EQ(Host.runningJob, nullptr);
}

TEST_F(BatchRuns, ATextToolTakesEveryPageAndWritesNoReport) {
  for (const char* Name : {"a.html", "b.html", "c.html", "batchreport.html"}) {
    Write(Site() + "/" + Name, Page("<p>lower</p>"));
  }
  Settings().reportFileName.assign((Site() + "/batchreport.html").c_str());
  Settings().toolNumber = TOOL_UPPERCASE;
  Add(Site(), TARGET_KIND_DIRECTORY);
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(Host.Count("Using the Uppercase Tool on \""), 4) << Host.Text();
  EXPECT_EQ(Host.Count("Target processed in "), 4);
  EXPECT_EQ(Host.Count("Excluding file target"), 0);
  EXPECT_EQ(Host.Count("Compiling report"), 0);
  EXPECT_EQ(Host.Count("targets validated"), 0);
  EXPECT_NE(BatchTest::Read(Site() + "/a.html").find("<P>"), std::string::npos);
}

TEST_F(BatchRuns, ExcludeStringsAndTheTargetLimit) {
  for (const char* Name : {"draft1.html", "OLD.html", "page.html"}) {
    Write(Site() + "/" + Name, Page("<p>x</p>"));
  }
  batchwizclass2 Options;
  Options.slots[2].assign(";;draft;old");
  ASSERT_EQ(Settings().SetCurrentListOptions(&Options), 0);
  Add(Site(), TARGET_KIND_DIRECTORY);
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(Host.LevelOf("Excluding file target \"draft1.html\" because it matches an exclude string."),
            std::make_pair(2, false));
  EXPECT_TRUE(Host.Has("Excluding file target \"OLD.html\" because it matches an exclude string."));
  EXPECT_EQ(Host.Count("Validating \""), 1) << Host.Text();

  // Fifty pages and a limit of ten: the folder and nine pages, the limit message once.
  std::filesystem::remove_all(Site());
  for (int I = 0; I < 50; ++I) {
    Write(Site() + "/p" + std::to_string(100 + I) + ".html", Page("<p>x</p>"));
  }
  Settings().targetListLimit = 10;
  Settings().optionFlags.set(BWF::UnsetCleanTargets, false);
  Target(0)->targetFlags |= TARGET_PROCESS;
  ASSERT_EQ(Settings().SetCurrentListOptions(nullptr), 0);
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(Host.Count("No more targets will be added because maximum number of targets (10) has been reached."), 1);
  EXPECT_EQ(Host.LevelOf("No more targets will be added because maximum number of targets (10) has been reached."),
            std::make_pair(1, true));
  EXPECT_EQ(Host.Count("Validating \""), 9);
}

TEST_F(BatchRuns, FollowedLinksMakeFurtherPassesWithinTheirDepth) {
  Write(Site() + "/index.html", Page(Links({"one.html", "two.html#part", "pic.jpg", "noext", "one.html"})));
  Write(Site() + "/one.html", Page(Links({"three.html"})));
  Write(Site() + "/two.html", Page("<p>two</p>"));
  Write(Site() + "/three.html", Page("<p>three</p>"));
  Write(Site() + "/noext", Page("<p>no extension</p>"));
  Write(Site() + "/pic.jpg", "not a picture");
  batchwiztargetclass* T = nullptr;
  ASSERT_EQ(AddTarget(Targets(), (Site() + "/index.html").c_str(), TARGET_KIND_FILE | ADD_NO_ROW, &T), ADD_DONE);
  T->targetFlags |= TARGET_FOLLOW_LINKS;
  T->followDepthLimit = 1;
  ASSERT_EQ(Run(), 0);
  const std::string Log = Host.Text();
  EXPECT_EQ(Host.LevelOf("Added 3 new link targets to follow."), std::make_pair(2, false)) << Log;
  EXPECT_EQ(Host.LevelOf("Making another pass to validate the followed links..."), std::make_pair(2, false));
  EXPECT_EQ(Host.Count("Validating \""), 4);
  EXPECT_TRUE(Host.Has("Validating \"" + Site() + "/noext\"..."));
  EXPECT_TRUE(Host.Has("Validating \"" + Site() + "/two.html\"..."));
  EXPECT_EQ(Host.Count("Validating \"" + Site() + "/pic.jpg"), 0);
  EXPECT_EQ(Host.Count("Validating \"" + Site() + "/three.html"), 0);
  EXPECT_EQ(Host.LevelOf("Follow links depth limit reached. Not following any links in this target."),
            std::make_pair(3, false));
  EXPECT_EQ(Host.Count("Follow links depth limit reached."), 3);
}

TEST_F(BatchRuns, ALinkFoundAgainWithoutLimitKeepsTheLargerDepth) {
  // a.html (depth 1) and b.html (unlimited) both link to c.html; c.html links to d.html. Found first with depth 0
  // and then again without limit, c.html goes on to d.html.
  Write(Site() + "/a.html", Page(Links({"c.html"})));
  Write(Site() + "/b.html", Page(Links({"c.html"})));
  Write(Site() + "/c.html", Page(Links({"d.html"})));
  Write(Site() + "/d.html", Page("<p>d</p>"));
  for (const char* Name : {"a.html", "b.html"}) {
    batchwiztargetclass* T = nullptr;
    ASSERT_EQ(AddTarget(Targets(), (Site() + "/" + Name).c_str(), TARGET_KIND_FILE | ADD_NO_ROW, &T), ADD_DONE);
    T->targetFlags |= TARGET_FOLLOW_LINKS;
    T->followDepthLimit = std::string(Name) == "a.html" ? 1 : -1;
  }
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(Host.Count("Validating \"" + Site() + "/c.html"), 1) << Host.Text();
  EXPECT_EQ(Host.Count("Validating \"" + Site() + "/d.html"), 1);
}

TEST_F(BatchRuns, TheLimitStopsMovingFollowedLinks) {
  std::vector<std::string> Ten;
  for (int I = 0; I < 10; ++I) {
    Ten.push_back("l" + std::to_string(I) + ".html");
    Write(Site() + "/" + Ten.back(), Page("<p>l</p>"));
  }
  for (const char* Name : {"a.html", "b.html", "c.html"}) {
    Write(Site() + "/" + Name, Page(Links(Ten)));
    batchwiztargetclass* T = nullptr;
    ASSERT_EQ(AddTarget(Targets(), (Site() + "/" + Name).c_str(), TARGET_KIND_FILE | ADD_NO_ROW, &T), ADD_DONE);
    T->targetFlags |= TARGET_FOLLOW_LINKS;
  }
  Settings().targetListLimit = 5;
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(Host.Count("No more targets will be added because maximum number of targets (5) has been reached."), 1)
      << Host.Text();
  EXPECT_EQ(Host.Count("Validating \""), 5);
}

TEST_F(BatchRuns, ADocumentsRunValidatesOpenDocumentsAndHandsThemTheirResults) {
  PointerArrayManager Ready;
  std::vector<fileinfoclass*> Docs;
  for (int I = 0; I < 3; ++I) {
    auto* D = new fileinfoclass(prg->volatileState->undoDocuments, prg->volatileState->documents);
    (void)prg->volatileState->documents->addPointer(D);
    D->name.assign((Site() + "/doc" + std::to_string(I) + ".html").c_str());
    TStringList L;
    L.Add(I == 1 ? "<p>unclosed <b>bold" : "<p>fine</p>");
    D->text->SetStrings(&L);
    (void)Ready.addPointer(D);
    Docs.push_back(D);
  }
  Settings().toolNumber = TOOL_UPPERCASE;  // the run validates all the same, with the built-in style and footer
  ASSERT_EQ(Host.ProcessTargets(nullptr, &Ready, PROCESS_DOCUMENTS), 0);
  EXPECT_EQ(Host.LevelOf("3 initial targets to process."), std::make_pair(1, false)) << Host.Text();
  EXPECT_EQ(Host.Count("Validating \""), 3);
  EXPECT_EQ(Host.Count("Footer filename not specified"), 0);
  for (fileinfoclass* D : Docs) {
    EXPECT_GE(D->resultHandle, 0);
  }
  EXPECT_GT(ZUBCalls.ZUBGetIntegerEZ(Docs[1]->resultHandle, ZUB_RESULT_ERRORS) +
                ZUBCalls.ZUBGetIntegerEZ(Docs[1]->resultHandle, ZUB_RESULT_WARNINGS),
            0);
  const std::string Report = BatchTest::Read(Dir + "/reports/batchreport.html");
  EXPECT_NE(Report.find("<style type=\"text/css\"><!--"), std::string::npos);
  EXPECT_NE(Report.find("Begin default footer"), std::string::npos);
  EXPECT_EQ(Host.ProcessTargets(nullptr, nullptr, PROCESS_DOCUMENTS), -1);
}

TEST_F(BatchRuns, ADocumentClosedDuringTheRunIsLoggedAsFailed) {
  PointerArrayManager Ready;
  auto* D = new fileinfoclass(prg->volatileState->undoDocuments, prg->volatileState->documents);
  (void)prg->volatileState->documents->addPointer(D);
  D->name.assign("/nowhere/closed.html");
  (void)Ready.addPointer(D);
  bool Closed = false;
  Host.OnPump = [&] {
    if (!Closed && Host.Has("Processing targets...")) {
      Closed = true;
      (void)prg->volatileState->documents->deletePointer(D, nullptr, 1);  // the user closes it
    }
  };
  ASSERT_EQ(Host.ProcessTargets(nullptr, &Ready, PROCESS_DOCUMENTS), 0);
  EXPECT_TRUE(Host.Has("The document \"/nowhere/closed.html\" was closed during the run.")) << Host.Text();
  EXPECT_TRUE(Host.Has("*** A problem occurred processing this target. ***"));
}

TEST_F(BatchRuns, ResultsComeBackAndCleanTargetsCanBeSetToNo) {
  Write(Site() + "/clean.html", Page("<p>fine</p>"));
  Write(Site() + "/broken.html", "<p>unclosed <b>bold\n");
  Add(Site() + "/clean.html", TARGET_KIND_FILE);
  Add(Site() + "/broken.html", TARGET_KIND_FILE);
  Add(Site() + "/never.html", TARGET_KIND_FILE);
  Target(2)->targetFlags |= TARGET_NEVER_VALIDATE;
  Settings().optionFlags.set(BWF::UnsetCleanTargets, true);
  ASSERT_EQ(Run(), 0);
  // broken.html, clean.html, never.html by name.
  EXPECT_GT(Target(0)->errorCount + Target(0)->warningCount, 0) << Host.Text();
  EXPECT_TRUE(Target(0)->has(TARGET_PROCESS));
  EXPECT_EQ(Target(1)->errorCount, 0);
  EXPECT_FALSE(Target(1)->has(TARGET_PROCESS));
  EXPECT_EQ(Target(2)->errorCount, -1);  // never validated: untouched
  EXPECT_TRUE(Target(2)->has(TARGET_PROCESS));
  EXPECT_EQ(Host.LevelOf("Changed 1 targets from process 'Yes' to process 'No'."), std::make_pair(3, false));
  EXPECT_EQ(Host.LevelOf("2 active target(s) added to the temporary list."), std::make_pair(2, false));
  EXPECT_EQ(Targets()->setUnchanged(1), 0);  // the list changed
}

TEST_F(BatchRuns, VerboseOffShowsOnlyLevelOneAndASecondStartIsRefused) {
  Write(Site() + "/a.html", Page("<p>a</p>"));
  Add(Site() + "/a.html", TARGET_KIND_FILE);
  Settings().optionFlags.set(BWF::VerboseLog, false);
  int Nested = 0;
  Host.OnPump = [&] {
    if (Nested == 0) {
      Nested = Host.ProcessTargets(nullptr, nullptr, 0);
    }
  };
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(Nested, -3);
  for (const ConsoleHost::Line& L : Host.Lines) {
    EXPECT_EQ(L.level, 1) << L.text;
  }
  EXPECT_TRUE(Host.Has("Validating \"" + Site() + "/a.html\"..."));
  EXPECT_EQ(Host.Lines.front().text.rfind("Begin processing at ", 0), 0u);
  EXPECT_EQ(Host.Lines.back().text.rfind("Total processing time was ", 0), 0u);
}

TEST_F(BatchRuns, StopDuringTheRunStillWritesAReportAndKeepsOldResults) {
  for (int I = 0; I < 5; ++I) {
    Write(Site() + "/p" + std::to_string(I) + ".html", Page("<p>x</p>"));
  }
  Add(Site(), TARGET_KIND_DIRECTORY);
  Target(0)->errorCount = 7;
  Host.OnPump = [&] {
    if (Host.Count("Validating \"") == 2 && (Host.abortWord & ABORT_REQUESTED) == 0) {
      Host.Stop();
    }
  };
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(Host.Count(ABORT_LINE), 1) << Host.Text();
  EXPECT_EQ(Host.LevelOf(ABORT_LINE), std::make_pair(1, true));
  EXPECT_EQ(Host.Count("Validating \""), 2);
  EXPECT_TRUE(std::filesystem::exists(Dir + "/reports/batchreport.html"));
  EXPECT_EQ(Target(0)->errorCount, 7);  // not copied back
}
