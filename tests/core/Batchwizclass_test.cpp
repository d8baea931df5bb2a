// The batch wizard's settings and targets: the column texts, comparison and adding, moving results, cloning,
// the list options and the target's clean-up.
#include "core/Batchwizclass.h"
#include "core/Fileinfoclass.h"
#include "core/Fileinfoextraclass.h"

#include "SettingsTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class BatchTargets : public SettingsTest {
protected:
  void SetUp() override {
    SettingsTest::SetUp();
    MakeRoot();
    List = std::make_unique<PointerArrayManager>(FreeBatchTarget);
  }
  void TearDown() override {
    List.reset();
    SettingsTest::TearDown();
  }
  batchwiztargetclass* At(int I) { return static_cast<batchwiztargetclass*>(List->getPointer(I)); }
  std::unique_ptr<PointerArrayManager> List;
};

// A view that records what the targets ask of it.
class RecordingView : public BatchTargetView {
public:
  std::vector<std::pair<int, int>> Calls;  // target id, flags
  void updateListItem(batchwiztargetclass* Target, int Flags) override { Calls.push_back({Target->targetId, Flags}); }
};

struct ColumnCase {
  const char* name;
  unsigned flags;
  int errors, warnings, bad, misspellings;
  const char* text;
  const char *caption, *proc, *letters, *results;
};

}  // namespace

TEST_F(BatchTargets, ColumnTextsOfFilesFoldersAndAddresses) {
  const ColumnCase Cases[] = {
      {"new file", TARGET_DEFAULT_FLAGS | TARGET_FILE, -1, -1, 0, -1, "/a/b/page.html", "page.html", "Yes", "F", ""},
      {"capped counts", TARGET_FILE, 150, 3, 0, -1, "/a/x.htm", "x.htm", "No", "F", "99e,03w,00b,00m"},
      {"folder with I, N and L",
       TARGET_DIRECTORY | TARGET_INCLUDE_SUB | TARGET_NEVER_VALIDATE | TARGET_FOLLOW_LINKS | TARGET_PROCESS, 2, 0, 7,
       12, "/a/site", "site", "Yes", "DINL", "02e,00w,07b,12m"},
      {"address", TARGET_URL | TARGET_PROCESS, 0, 0, 0, 0, "http://h/d/p.php?x=1", "p.php", "Yes", "U",
       "00e,00w,00b,00m"},
  };
  for (const ColumnCase& C : Cases) {
    SCOPED_TRACE(C.name);
    batchwiztargetclass T;
    T.targetFlags = C.flags;
    T.errorCount = C.errors;
    T.warningCount = C.warnings;
    T.badLinkCount = C.bad;
    T.misspellingCount = C.misspellings;
    T.targetText.assign(C.text);
    EXPECT_STREQ(T.getString(TGET_CAPTION), C.caption);
    EXPECT_STREQ(T.getString(TGET_PROCESS), C.proc);
    EXPECT_STREQ(T.getString(TGET_FLAGS), C.letters);
    EXPECT_STREQ(T.getString(TGET_RESULTS), C.results);
    EXPECT_STREQ(T.getString(TGET_DISPLAY_NAME), C.text);
  }
  // Credentials add P; a document target shows its document's name, or "[Untitled]".
  batchwiztargetclass* U = CreateTarget("http://h/", nullptr, TARGET_KIND_URL);
  U->webOrigin->SetUseCredentials(true, 1);
  EXPECT_STREQ(U->getString(TGET_FLAGS), "UP");
  delete U;
  auto* Doc = new fileinfoclass(prg->volatileState->undoDocuments, prg->volatileState->documents);
  (void)prg->volatileState->documents->addPointer(Doc);
  batchwiztargetclass D;
  D.sourceDocument = Doc;
  D.sourceSerial = Doc->serial;
  EXPECT_STREQ(D.getString(TGET_DISPLAY_NAME), "[Untitled]");
  EXPECT_EQ(D.getString(TGET_CAPTION), nullptr);
  EXPECT_STREQ(D.getString(TGET_CAPTION | TGET_EMPTY_NOT_NULL), "");
  D.sourceDocument = nullptr;
}

TEST_F(BatchTargets, AddingKeepsOneOfEqualTargetsAndSortsByKind) {
  prg->batchWizard->optionFlags.set(BWF::NewDirectoriesIncludeSub, true);
  EXPECT_EQ(AddTarget(List.get(), Dir.c_str(), TARGET_KIND_DIRECTORY | ADD_OPTION_SUB), ADD_DONE);
  EXPECT_TRUE(At(0)->has(TARGET_INCLUDE_SUB));
  // The same folder again: refused, and the I bit of the option goes to no one.
  EXPECT_EQ(AddTarget(List.get(), Dir.c_str(), TARGET_KIND_PATH | ADD_OPTION_SUB), ADD_EQUAL_PRESENT);
  EXPECT_EQ(List->getCount(), 1);
  // Two addresses that differ only in their agent are both kept; an equal one is not.
  auto* A = new fileinfoextraclass;
  A->address.assign("http://h/a.html");
  A->userAgent.assign("Agent A");
  auto* B = new fileinfoextraclass;
  B->CopyFrom(*A);
  B->userAgent.assign("Agent B");
  auto* C = new fileinfoextraclass;
  C->CopyFrom(*A);
  EXPECT_EQ(AddTarget(List.get(), A, TARGET_KIND_ORIGIN), ADD_DONE);
  EXPECT_EQ(AddTarget(List.get(), B, TARGET_KIND_ORIGIN), ADD_DONE);
  EXPECT_EQ(AddTarget(List.get(), C, TARGET_KIND_ORIGIN), ADD_EQUAL_PRESENT);
  delete C;  // refused: the caller keeps it
  EXPECT_EQ(AddTarget(List.get(), "/x/b.html", TARGET_KIND_FILE), ADD_DONE);
  EXPECT_EQ(AddTarget(List.get(), "/X/B.HTML", TARGET_KIND_FILE), ADD_EQUAL_PRESENT);  // files ignore case
  EXPECT_EQ(AddTarget(List.get(), "/x/a.html", TARGET_KIND_FILE), ADD_DONE);
  EXPECT_EQ(AddTarget(nullptr, "/x", TARGET_KIND_FILE), ADD_NO_LIST);
  EXPECT_EQ(AddTarget(List.get(), nullptr, TARGET_KIND_FILE), ADD_NO_TEXT);
  ASSERT_EQ(List->getCount(), 5);
  // URLs first, then folders, then files by folder and name.
  EXPECT_STREQ(At(0)->webOrigin->userAgent.text, "Agent A");
  EXPECT_STREQ(At(1)->webOrigin->userAgent.text, "Agent B");
  EXPECT_TRUE(At(2)->has(TARGET_DIRECTORY));
  EXPECT_STREQ(At(3)->targetText.text, "/x/a.html");
  EXPECT_STREQ(At(4)->targetText.text, "/x/b.html");
}

TEST_F(BatchTargets, ResultsMoveUpAndClonesCopyEverythingButTheirDownload) {
  batchwiztargetclass Folder, File1, File2;
  File1.errorCount = 2;
  File1.warningCount = 0;
  File1.badLinkCount = 3;
  File2.errorCount = 1;
  File2.warningCount = 4;
  File2.misspellingCount = 5;
  EXPECT_EQ(File1.moveResultsTo(&Folder), 1);
  EXPECT_EQ(File2.moveResultsTo(&Folder), 1);
  EXPECT_EQ(File2.moveResultsTo(&Folder), 0);  // nothing left to move
  EXPECT_EQ(Folder.errorCount, 3);
  EXPECT_EQ(Folder.warningCount, 4);
  EXPECT_EQ(Folder.misspellingCount, 5);
  EXPECT_EQ(Folder.badLinkCount, 3);
  EXPECT_EQ(File1.errorCount, -1);
  EXPECT_EQ(File1.badLinkCount, 0);

  batchwiztargetclass* U = CreateTarget("http://h/p.html#part", nullptr, TARGET_KIND_URL);
  U->webOrigin->localFile.assign("/somewhere/download.html");
  ASSERT_EQ(U->setString("http://h/", TSET_LIMIT_TO), 0);
  U->followDepthLimit = 2;
  U->kindFlags = TARGET_KIND_STYLE_SHEET;
  batchwiztargetclass* Copy = U->clone();
  EXPECT_EQ(Copy->sourceTarget, U);
  EXPECT_STREQ(Copy->targetText.text, U->targetText.text);
  EXPECT_STREQ(Copy->followLimitTo->text, "http://h/");
  EXPECT_EQ(Copy->followDepthLimit, 2);
  EXPECT_EQ(Copy->kindFlags, TARGET_KIND_STYLE_SHEET);
  EXPECT_NE(Copy->webOrigin, U->webOrigin);
  EXPECT_STREQ(Copy->webOrigin->address.text, "http://h/p.html#part");
  EXPECT_EQ(Copy->webOrigin->localFile.length, 0);
  EXPECT_NE(Copy->targetId, U->targetId);
  U->webOrigin->localFile.clear();
  delete Copy;
  delete U;
}

TEST_F(BatchTargets, DeletingATargetDeletesItsDownloadAndRowAndHandsResultsToItsDocument) {
  const std::string File = Dir + "/temp/ZUB1-1temp.html";
  std::ofstream(File) << "<p>";
  RecordingView View;
  batchwiztargetclass* U = CreateTarget("http://h/", nullptr, TARGET_KIND_URL);
  U->listView = &View;
  U->webOrigin->localFile.assign(File.c_str());
  const int Id = U->targetId;
  delete U;
  EXPECT_FALSE(std::filesystem::exists(File));
  ASSERT_EQ(View.Calls.size(), 1u);
  EXPECT_EQ(View.Calls[0].first, Id);
  EXPECT_NE(View.Calls[0].second & ROW_DELETE, 0);

  // A document target hands its result to its document while the document is open, and to no one once it is
  // closed (the handle is freed instead).
  auto* Doc = new fileinfoclass(prg->volatileState->undoDocuments, prg->volatileState->documents);
  (void)prg->volatileState->documents->addPointer(Doc);
  auto* T = new batchwiztargetclass;
  T->sourceDocument = Doc;
  T->sourceSerial = Doc->serial;
  EXPECT_TRUE(T->documentAlive());
  (void)prg->volatileState->documents->removePointer(0, 1);
  EXPECT_FALSE(T->documentAlive());
  EXPECT_STREQ(T->getString(TGET_DISPLAY_NAME), "");  // its own text, never the closed document
  delete T;
}

TEST_F(BatchTargets, ListOptionsMarkTheTargetListModifiedAndSelectorsPair) {
  batchwizclass& B = *prg->batchWizard;
  PointerArrayManager Targets(FreeBatchTarget);
  prg->volatileState->batchTargets = &Targets;
  (void)Targets.setUnchanged(1);
  batchwizclass2 Start;
  Start.slots[0].assign("/l/list.html");
  ASSERT_EQ(B.SetCurrentListOptions(&Start), 0);
  EXPECT_EQ(Targets.setUnchanged(1), 1);  // taking options is not a change
  // Each setter selector reaches the text its getter selector reads.
  const std::pair<int, int> Pairs[] = {{BWSET_REPORT, BWGET_REPORT},
                                       {BWSET_CSS, BWGET_CSS},
                                       {BWSET_FOOTER, BWGET_FOOTER},
                                       {BWSET_LAST_REPORT, BWGET_LAST_REPORT},
                                       {BWSET_LIST_REPORT, BWGET_LIST_REPORT},
                                       {BWSET_LIST_CSS, BWGET_LIST_CSS},
                                       {BWSET_LIST_EXCLUDE, BWGET_LIST_EXCLUDE}};
  int N = 0;
  for (auto [Set, Get] : Pairs) {
    const std::string Text = "/t/text" + std::to_string(++N);
    EXPECT_EQ(B.setString(Text.c_str(), Set), 0);
    ASSERT_NE(B.getString(Get), nullptr) << Set;
    EXPECT_EQ(B.getString(Get)->text, Text) << Set;
  }
  EXPECT_EQ(Targets.setUnchanged(1), 0);  // the list slots changed it
  // The list's slot wins with 0x2 while it is not empty; an empty slot gives the wizard's own file.
  EXPECT_STREQ(B.getString(BWGET_REPORT | BWGET_LIST_WINS)->text, "/t/text5");
  B.listOptions->slots[0].clear();
  EXPECT_STREQ(B.getString(BWGET_REPORT | BWGET_LIST_WINS)->text, "/t/text1");
  ASSERT_EQ(B.SetCurrentListOptions(nullptr), 0);
  EXPECT_EQ(B.getString(BWGET_LIST_EXCLUDE), nullptr);
  prg->volatileState->batchTargets = nullptr;
}
