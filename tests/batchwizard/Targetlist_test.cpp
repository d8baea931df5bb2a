// Target list files: the golden file of a one-target list, a round trip of every field, the older line format,
// every reader failure with its message, the version notices and the open and save dialogs.
#include "BatchTestSupport.h"

#include "core/Fileinfoextraclass.h"

namespace {

class TargetLists : public BatchTest {
protected:
  std::string ListFile(const char* Name) { return Dir + "/lists/" + Name; }
  int Read(const std::string& Path) { return ReadTargetList(&Host, Targets(), Path.c_str(), nullptr); }
  std::vector<TDialogRequest> Boxes() { return Dialogs.Shown(); }
};

const char LoadError[] = "An error occurred trying to load the target list \"";

}  // namespace

TEST_F(TargetLists, OneFileTargetIsWrittenAsNineLines) {
  Add("/site/index.html", TARGET_KIND_FILE);
  const std::string File = ListFile("one.lst");
  std::filesystem::create_directories(Dir + "/lists");
  ASSERT_EQ(WriteTargetList(&Host, Targets(), File.c_str()), 0);
  EXPECT_EQ(BatchTest::Read(File),
            "<ZUBBATCHWIZARDTARGETLIST>\r\nVERSION=5\r\n<OPTIONS>\r\n</OPTIONS>\r\n<TARGET>\r\nFLAGS=1069547537\r\n"
            "TARGET=/site/index.html\r\n</TARGET>\r\n</ZUBBATCHWIZARDTARGETLIST>\r\n");
  EXPECT_EQ(Targets()->setUnchanged(1), 1);  // saved
}

TEST_F(TargetLists, EveryFieldSurvivesARoundTrip) {
  auto* Origin = new fileinfoextraclass;
  Origin->address.assign("http://example.test/docs/");
  Origin->userAgent.assign("Checker/1.0");
  Origin->userName.assign("ann");
  Origin->password.assign("s3cret");
  Origin->SetUseCredentials(true, 1);
  batchwiztargetclass* U = nullptr;
  ASSERT_EQ(AddTarget(Targets(), Origin, TARGET_KIND_ORIGIN | ADD_NO_ROW, &U), ADD_DONE);
  U->targetFlags |= TARGET_FOLLOW_LINKS;
  ASSERT_EQ(U->setString("http://example.test/docs/", TSET_LIMIT_TO), 0);
  ASSERT_EQ(U->setString("HTML,PHP", TSET_EXTENSIONS), 0);
  U->followDepthLimit = 3;
  Add(Dir, TARGET_KIND_DIRECTORY | TARGET_KIND_WITH_SUB);
  batchwizclass2 Options;
  Options.slots[0].assign("/r/report.html");
  Options.slots[1].assign("/r/style.css");
  Options.slots[2].assign(";draft;old");
  Options.slots[3].assign("/r/footer.html");
  ASSERT_EQ(Settings().SetCurrentListOptions(&Options), 0);
  const std::string File = ListFile("all.lst");
  std::filesystem::create_directories(Dir + "/lists");
  ASSERT_EQ(WriteTargetList(&Host, Targets(), File.c_str()), 0);
  ASSERT_EQ(Settings().SetCurrentListOptions(nullptr), 0);

  ASSERT_EQ(Read(File), TARGETLIST_READ);
  ASSERT_EQ(Targets()->getCount(), 2);
  batchwiztargetclass* R = Target(0);
  ASSERT_NE(R->webOrigin, nullptr);
  EXPECT_STREQ(R->targetText.text, "http://example.test/docs/");
  EXPECT_EQ(R->targetFlags, TARGET_DEFAULT_FLAGS | TARGET_URL | TARGET_FOLLOW_LINKS);
  EXPECT_STREQ(R->webOrigin->userAgent.text, "Checker/1.0");
  EXPECT_STREQ(R->webOrigin->userName.text, "ann");
  EXPECT_STREQ(R->webOrigin->password.text, "s3cret");
  EXPECT_EQ(fileinfoextraclass::UsesCredentials(R->webOrigin, 1), 1);
  EXPECT_STREQ(R->followLimitTo->text, "http://example.test/docs/");
  EXPECT_STREQ(R->followExtensions->text, "HTML,PHP");
  EXPECT_EQ(R->followDepthLimit, 3);
  EXPECT_TRUE(Target(1)->has(TARGET_DIRECTORY));
  EXPECT_TRUE(Target(1)->has(TARGET_INCLUDE_SUB));
  EXPECT_EQ(Target(1)->followDepthLimit, -1);
  ASSERT_NE(Settings().listOptions, nullptr);
  for (int Slot = 1; Slot <= 4; ++Slot) {
    EXPECT_STREQ(Settings().listOptions->slot(Slot).text, Options.slot(Slot).text);
  }
  EXPECT_TRUE(Boxes().empty());  // a current list shows no notice
}

TEST_F(TargetLists, CountsInTheFileAreShownAndOldVersionsAreNoticed) {
  struct Case {
    const char* name;
    const char* version;
    const char* caption;
  };
  const Case Cases[] = {{"current", "VERSION=5\r\n", nullptr},
                        {"older", "VERSION=4\r\n", "Quillon: Old Format Target List"},
                        {"newer", "VERSION=6\r\nVERSION=4\r\n", "Quillon: New Format Target List"},
                        {"none", "", nullptr}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.name);
    TScriptedDialogs Boxes;
    TScopedDialogService Use(Boxes);
    const std::string File = ListFile("counts.lst");
    Write(File, std::string("<ZUBBATCHWIZARDTARGETLIST>\r\n") + C.version +
                    "<TARGET>\nFLAGS=17\nTARGET=/a/b.html\nERRORS=4\nWARNINGS=0\nFLDEPTHLIMIT=-7\nJUNK=1\n"
                    "</TARGET>\n</ZUBBATCHWIZARDTARGETLIST>\n");
    ASSERT_EQ(Read(File), TARGETLIST_READ);
    ASSERT_EQ(Targets()->getCount(), 1);
    EXPECT_STREQ(Target(0)->getString(TGET_RESULTS), "04e,00w,00b,00m");
    EXPECT_EQ(Target(0)->followDepthLimit, -1);
    const auto Shown = Boxes.Shown();
    if (C.caption == nullptr) {
      EXPECT_TRUE(Shown.empty());
    } else {
      ASSERT_EQ(Shown.size(), 1u);
      EXPECT_EQ(Shown[0].Caption, C.caption);
      EXPECT_NE(Shown[0].Flags & MB_SETFOREGROUND, 0u);
    }
  }
}

TEST_F(TargetLists, TheOlderLineFormatIsConverted) {
  const std::string File = ListFile("old.txt");
  Write(File,
        "File: /site/a.html\r\n\r\n\r\nfile: /site/b.html\ndir : /site/sub\nURL : http://h/x.html\n"
        "Note: skipped\nFile: /site/a.html\n");
  ASSERT_EQ(Read(File), TARGETLIST_READ);
  ASSERT_EQ(Targets()->getCount(), 4);
  EXPECT_TRUE(Target(0)->has(TARGET_URL));
  EXPECT_TRUE(Target(1)->has(TARGET_DIRECTORY));
  EXPECT_STREQ(Target(2)->targetText.text, "/site/a.html");
  EXPECT_STREQ(Target(3)->targetText.text, "/site/b.html");
  const auto Shown = Boxes();
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0].Caption, "Quillon: Old Format");
  EXPECT_EQ(Settings().listOptions->slot(1).length, 0);  // an empty record is current
}

TEST_F(TargetLists, EveryReaderFailureLeavesAnEmptyListAndNoName) {
  struct Case {
    const char* name;
    const char* text;
    int code;
  };
  const Case Cases[] = {
      {"neither format", "hello\nworld\n", TARGETLIST_NO_FORMAT},
      {"no end tag", "<ZUBBATCHWIZARDTARGETLIST>\nVERSION=5\n<TARGET>\nFLAGS=17\nTARGET=/a\n</TARGET>\n",
       TARGETLIST_NO_END_TAG},
      {"open target", "<ZUBBATCHWIZARDTARGETLIST>\n<TARGET>\nFLAGS=17\n", TARGETLIST_OPEN_BLOCK},
      {"open options", "<ZUBBATCHWIZARDTARGETLIST>\n<OPTIONS>\nHTMLREPORTFILENAME=x\n", TARGETLIST_OPEN_BLOCK},
      {"open web block", "<ZUBBATCHWIZARDTARGETLIST>\n<TARGET>\n<FIEC>\nURL=http://h/\n", TARGETLIST_BAD_WEB_BLOCK},
      {"old line without separator", "File: /a.html\nnothing here\n", TARGETLIST_BAD_OLD_LINE},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.name);
    TScriptedDialogs Boxes;
    TScopedDialogService Use(Boxes);
    Add("/keep/me.html", TARGET_KIND_FILE);
    const std::string File = ListFile("bad.lst");
    Write(File, C.text);
    StrStore Name(File.c_str());
    EXPECT_EQ(OpenTargetListFile(&Host, Targets(), Name, nullptr, 0), C.code);
    EXPECT_EQ(Targets()->getCount(), 0);
    EXPECT_EQ(Name.length, 0);
    const auto Shown = Boxes.Shown();
    ASSERT_FALSE(Shown.empty());
    EXPECT_EQ(Shown.back().Caption, "Quillon: Cannot Open Target List");
    EXPECT_EQ(Shown.back().Text.rfind(LoadError, 0), 0u);
    EXPECT_NE(Shown.back().Flags & MB_ICONERROR, 0u);
  }
  StrStore Missing((Dir + "/lists/missing.lst").c_str());
  EXPECT_EQ(OpenTargetListFile(&Host, Targets(), Missing, nullptr, 0), TARGETLIST_CANNOT_OPEN);
}

TEST_F(TargetLists, TheDialogsAppendTheExtensionAndAskBeforeOverwritingAnotherFile) {
  std::filesystem::create_directories(Dir + "/lists");
  Add("/site/a.html", TARGET_KIND_FILE);
  // Save As with a name without extension saves "<name>.lst".
  StrStore Name;
  Host.SaveAnswer = ListFile("mine");
  EXPECT_EQ(SaveTargetListFile(&Host, Targets(), Name, LISTFILE_DIALOG_WHEN_EMPTY), 0);
  EXPECT_EQ(std::string(Name.text), ListFile("mine.lst"));
  EXPECT_TRUE(std::filesystem::exists(ListFile("mine.lst")));
  // Saving under the open list's own name asks nothing; another existing file asks, and No cancels.
  EXPECT_EQ(SaveTargetListFile(&Host, Targets(), Name, LISTFILE_DIALOG), 0);
  EXPECT_TRUE(Boxes().empty());
  Write(ListFile("other.lst"), "x");
  Host.SaveAnswer = ListFile("other.lst");
  Dialogs.QueueAnswer(IDNO);
  EXPECT_EQ(SaveTargetListFile(&Host, Targets(), Name, LISTFILE_DIALOG), TARGETLIST_CANCELLED);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].Caption, "Quillon: File Already Exists");
  EXPECT_EQ(BatchTest::Read(ListFile("other.lst")), "x");
  // Opening through the dialog appends the extension too; a cancelled dialog opens nothing.
  Host.OpenAnswer = ListFile("mine");
  StrStore Open;
  EXPECT_EQ(OpenTargetListFile(&Host, Targets(), Open, nullptr, LISTFILE_DIALOG_WHEN_EMPTY), 0);
  EXPECT_EQ(std::string(Open.text), ListFile("mine.lst"));
  EXPECT_EQ(Host.DialogTitles.back(), "Select Target List to Open");
  EXPECT_EQ(std::string(Settings().lastOpenDirectory.text), Dir + "/lists");
  Host.OpenAnswer.reset();
  EXPECT_EQ(OpenTargetListFile(&Host, Targets(), Open, nullptr, LISTFILE_DIALOG), TARGETLIST_CANCELLED);
  StrStore Empty;
  EXPECT_EQ(SaveTargetListFile(nullptr, Targets(), Empty, 0), TARGETLIST_NO_NAME);
}

TEST_F(TargetLists, AFailedSaveKeepsTheOldFile) {
  std::filesystem::create_directories(Dir + "/lists");
  const std::string File = ListFile("kept.lst");
  Write(File, "old contents");
  std::filesystem::permissions(File, std::filesystem::perms::owner_read);
  Add("/site/a.html", TARGET_KIND_FILE);
  StrStore Name(File.c_str());
  EXPECT_EQ(SaveTargetListFile(&Host, Targets(), Name, 0), TARGETLIST_WRITE_FAILED);
  EXPECT_EQ(BatchTest::Read(File), "old contents");
  std::filesystem::permissions(File, std::filesystem::perms::owner_all);
}
