// The editor settings on documents' text stores, a document's saved state and kind, and file name comparison.
#include "core/Editsourceoptions.h"
#include "core/Filenames.h"
#include "core/Fileinfoclass.h"
#include "core/Parserclass.h"

#include "RecordingWindows.h"
#include "SettingsTestSupport.h"

#include "editor/Easyeditsource.h"

#include <unistd.h>

#include <fstream>

namespace {

using Strings = std::vector<std::string>;

class DocumentState : public SettingsTest {
protected:
  void SetUp() override {
    SettingsTest::SetUp();
    MakeRoot();
    InitParsers(prg->volatileState->documentTypes);
  }
  fileinfoclass* NewDoc() {
    auto* D = new fileinfoclass(prg->volatileState->undoDocuments, prg->volatileState->documents);
    EXPECT_GE(prg->volatileState->documents->addPointer(D), 0);
    return D;
  }
  int OpenedRefreshes(fileinfoclass* D) const {
    int N = 0;
    for (const auto& [Doc, Flags] : Window.OpenedListCalls) {
      N += Doc == D && Flags == 4 ? 1 : 0;
    }
    return N;
  }
  RecordingMainWindow Window;
};

TEST_F(DocumentState, OptionsFollowTheInterfaceWordsAndLeaveTheRestAlone) {
  fileinfoclass* D = NewDoc();
  TEasySourceOptions Start = D->text->Options();
  Start.Include(srSmartTab);
  Start.Include(srLiveSpell);
  Start.Include(srHighlightUrls);
  Start.Exclude(srMoveUpAtLineBegin);
  D->text->SetOptions(Start);
  InterfaceFlags40& F = prg->interface->flags;
  F.set(IF40::AutoIndent, true);
  F.set(IF40::CursorToLineEnd, true);
  F.set(IF40::BackUnindents, false);
  F.set(IF40::TabCharacter, true);
  F.set(IF40::CursorToTabs, false);
  prg->interface->flags3.set(IF3::LeaveTrailingSpaces, true);

  ASSERT_EQ(ApplyEditSourceOptions(D->text, SOURCEOPTIONS_OPTIONS | SOURCEOPTIONS_KEEP_LIVE_SPELLING), 0);
  const TEasySourceOptions O = D->text->Options();
  EXPECT_TRUE(O.Contains(srMoveUpAtLineBegin));
  EXPECT_TRUE(O.Contains(srMoveDownAtLineEnd));
  EXPECT_FALSE(O.Contains(srSmartTab));
  EXPECT_TRUE(O.Contains(srAutoIndent));
  EXPECT_FALSE(O.Contains(srBeyondEol));
  EXPECT_FALSE(O.Contains(srBackUnindents));
  EXPECT_TRUE(O.Contains(srUseTab));
  EXPECT_TRUE(O.Contains(srCursorThroughTabs));
  EXPECT_TRUE(O.Contains(srLeaveTrailSpaces));
  EXPECT_TRUE(O.Contains(srLiveSpell));
  EXPECT_TRUE(O.Contains(srHighlightUrls));

  ASSERT_EQ(ApplyEditSourceOptions(D->text, SOURCEOPTIONS_OPTIONS), 0);
  EXPECT_FALSE(D->text->Options().Contains(srLiveSpell));
  EXPECT_EQ(ApplyEditSourceOptions(nullptr, SOURCEOPTIONS_OPTIONS), -1);
}

TEST_F(DocumentState, RejectedTabStopsBecomeTheDefaultAndTheWindowAppliesThemAgain) {
  fileinfoclass* A = NewDoc();
  fileinfoclass* B = NewDoc();
  prg->editorOptions->tabStops.assign("4,8");
  EXPECT_EQ(ApplyToAllDocuments(prg->volatileState->documents, ALLDOCUMENTS_TAB_STOPS), 0);
  EXPECT_TRUE(Window.Calls.empty());

  prg->editorOptions->tabStops.assign("eight,x");
  EXPECT_EQ(
      ApplyToAllDocuments(prg->volatileState->documents, ALLDOCUMENTS_TAB_STOPS | ALLDOCUMENTS_MESSAGE_LINE_STYLES), 0);
  EXPECT_STREQ(prg->editorOptions->tabStops.text, DEFAULT_TAB_STOPS);
  EXPECT_EQ(Window.Calls, (Strings{"applysettings:4", "linestyles:0", "linestyles:0"}));
  (void)A;
  (void)B;
}

// Deciding the kind applies the options first and last, and refreshes the document's rows and line styles.
TEST_F(DocumentState, DecidingTheKindAppliesTheEditorSettings) {
  fileinfoclass* D = NewDoc();
  D->name = "/tmp/no-extension";
  D->onDisk = 1;
  prg->interface->flags.set(IF40::AutoIndent, false);
  TEasySourceOptions O = D->text->Options();
  O.Include(srLiveSpell);
  O.Include(srAutoIndent);
  D->text->SetOptions(O);
  prg->editorOptions->noExtensionFileType.assign("HTML");
  ASSERT_EQ(D->UpdateDocumentType(0), 0);
  EXPECT_EQ(D->documentType, FILETYPE_HTML);
  EXPECT_NE(D->text->Parser(), nullptr);
  EXPECT_FALSE(D->text->Options().Contains(srAutoIndent));
  EXPECT_FALSE(D->text->Options().Contains(srLiveSpell));
  EXPECT_EQ(Window.Calls, Strings{"linestyles:0"});
  EXPECT_EQ(ApplyToAllDocuments(prg->volatileState->documents, ALLDOCUMENTS_DOCUMENT_TYPES), 0);
}

TEST_F(DocumentState, SavedStateRefreshesOnlyWhenItChanges) {
  fileinfoclass* D = NewDoc();
  ASSERT_EQ(D->savedState, SAVEDSTATE_NONE);
  ASSERT_EQ(D->SetSavedState(SAVEDSTATE_SAVED), 0);
  ASSERT_EQ(D->SetSavedState(SAVEDSTATE_SAVED), 0);
  EXPECT_EQ(OpenedRefreshes(D), 1);

  D->text->Modified = true;
  ASSERT_EQ(D->SetSavedState(SAVEDSTATE_FROM_STORE), 0);
  EXPECT_EQ(D->savedState, SAVEDSTATE_IS_CHANGED);
  EXPECT_EQ(OpenedRefreshes(D), 2);

  ASSERT_EQ(D->SetSavedState(SAVEDSTATE_SAVED | SAVEDSTATE_TO_STORE), 0);
  EXPECT_EQ(D->savedState, SAVEDSTATE_IS_SAVED);
  EXPECT_FALSE(D->text->Modified);
  EXPECT_EQ(OpenedRefreshes(D), 3);
}

TEST_F(DocumentState, FileNamesCompareWithCaseAndFilesByIdentity) {
  const std::string Lower = Dir + "/page.html";
  const std::string Upper = Dir + "/Page.html";
  const std::string Link = Dir + "/link.html";
  std::ofstream(Lower) << "a";
  std::ofstream(Upper) << "b";
  ASSERT_EQ(::symlink(Lower.c_str(), Link.c_str()), 0);
  EXPECT_FALSE(SameFileName(Lower.c_str(), Upper.c_str()));
  EXPECT_TRUE(SameFileName(Lower.c_str(), Lower.c_str()));
  EXPECT_TRUE(SameFileName(nullptr, ""));
  EXPECT_FALSE(IsSameFile(Lower.c_str(), Upper.c_str()));
  EXPECT_TRUE(IsSameFile(Lower.c_str(), Link.c_str()));
  EXPECT_TRUE(IsSameFile((Dir + "/./page.html").c_str(), Lower.c_str()));
  EXPECT_FALSE(IsSameFile((Dir + "/new.html").c_str(), (Dir + "/New.html").c_str()));
  EXPECT_TRUE(IsSameFile((Dir + "/new.html").c_str(), (Dir + "/new.html").c_str()));
}

}  // namespace
