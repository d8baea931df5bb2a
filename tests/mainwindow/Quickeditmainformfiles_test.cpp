// Document tabs of the main window with real files: opening, the untitled placeholder, closing with the save
// question, the documents handed over by another instance, and the shutdown through the close query.
#include "FileDialogSteps.h"
#include "MainFormFixture.h"

#include "core/Commandqueue.h"
#include "core/Fileinfoclass.h"
#include "core/Stringarraystore.h"
#include "core/Tabinfoclass.h"

#include "editor/Easyeditsource.h"
#include "platform/win/MessageBox.h"

#include <fstream>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

class MainFormFilesTest : public MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    ASSERT_EQ(Form->UpdateTabControls(), 0);
  }
  std::string MakeFile(const std::string& Name, const std::string& Text = "<p>text</p>\n") {
    const std::string Path = Dir + "/" + Name;
    std::ofstream(Path) << Text;
    return Path;
  }
  PointerArrayManager& Documents() { return *prg->volatileState->documents; }
  fileinfoclass* Document(int Index) { return static_cast<fileinfoclass*>(Documents().getPointer(Index)); }
  Strings Names() {
    Strings Out;
    for (int I = 0; I < Documents().getCount(); ++I) {
      Out.emplace_back(Document(I)->GetName(NAME_TAB_CAPTION | NAME_EMPTY_NOT_NULL));
    }
    return Out;
  }
  Strings Captions() {
    Strings Out;
    for (int I = 0; I < Form->TabControl1->Tabs()->Count(); ++I) {
      Out.push_back(Form->TabControl1->Tabs()->Strings(I));
    }
    return Out;
  }
  int Open(const std::string& Path, int Flags = 0) {
    return Form->AddNewFileTab(nullptr, Path.c_str(), Flags, nullptr);
  }
  void Modify(int Index) { Document(Index)->text->Modified = true; }
};

TEST_F(MainFormFilesTest, PlaceholderGivesWayUnlessWrittenInto) {
  ASSERT_EQ(Names(), Strings{"[Untitled]"});
  EXPECT_NE(Document(0)->flags & DOCFLAG_PLACEHOLDER, 0u);
  ASSERT_EQ(Open(MakeFile("a.html")), 0);
  EXPECT_EQ(Names(), Strings{"a.html"});
  EXPECT_EQ(Captions(), Strings{"a.html"});
  EXPECT_EQ(Form->GetCurrentFile(), Document(0));
  EXPECT_EQ(Form->EasyEdit1->GetEditSource(), Document(0)->text);

  // Closing the last document leaves a new untitled one; written into, it stays when a file comes.
  ASSERT_EQ(Form->CloseFileTab(Form->TabControl1, 0, 0), 0);
  ASSERT_EQ(Names(), Strings{"[Untitled]"});
  Modify(0);
  ASSERT_EQ(Open(MakeFile("b.html")), 0);
  EXPECT_EQ(Documents().getCount(), 2);
  EXPECT_EQ(Document(0)->flags & DOCFLAG_PLACEHOLDER, 0u);
  EXPECT_EQ(Form->GetCurrentFile(), Document(1));
}

TEST_F(MainFormFilesTest, AnOpenFileSelectsItsTabAndNamesCompareWithCase) {
  const std::string Lower = MakeFile("page.html");
  const std::string Upper = MakeFile("Page.html");
  ASSERT_EQ(Open(Lower), 0);
  ASSERT_EQ(Open(Upper), 0);
  ASSERT_EQ(Documents().getCount(), 2);  // two files of the file system, two documents
  EXPECT_EQ(Form->GetCurrentFile(), Document(1));
  ASSERT_EQ(Open(Lower), 0);
  EXPECT_EQ(Documents().getCount(), 2);
  EXPECT_EQ(Form->GetCurrentFile(), Document(0));
  EXPECT_EQ(Form->TabControl1->TabIndex(), 0);
  // Both stay in the recent-files list: they are different files.
  EXPECT_EQ(prg->interface->recentDocuments.getCount(), 2);
}

TEST_F(MainFormFilesTest, UnrecognisedTypesAreAskedAboutAndOpenFailuresKeepEverything) {
  const std::string Odd = MakeFile("notes.xyz");
  Dialogs.QueueAnswer(IDNO);
  EXPECT_EQ(Open(Odd), 1);
  EXPECT_EQ(Names(), Strings{"[Untitled]"});
  ASSERT_FALSE(Dialogs.Shown().empty());
  EXPECT_EQ(Dialogs.Shown().back().Caption, "Quillon: Unrecognized File Type");
  Dialogs.QueueAnswer(IDYES);
  EXPECT_EQ(Open(Odd), 0);
  EXPECT_EQ(Names(), Strings{"notes.xyz"});

  const std::string Missing = Dir + "/missing.html";
  EXPECT_EQ(Open(Missing), -6);
  EXPECT_EQ(Names(), Strings{"notes.xyz"});
  EXPECT_EQ(Dialogs.Shown().back().Caption, "Quillon: Error Opening File");
  EXPECT_NE(Dialogs.Shown().back().Text.find("\"" + Missing + "\""), std::string::npos);
}

// Close All asks from the last document to the first and stops at a cancel.
TEST_F(MainFormFilesTest, CloseAllOverFiveChangedDocumentsCancelledAtTheThird) {
  for (int I = 1; I <= 5; ++I) {
    ASSERT_EQ(Open(MakeFile("d" + std::to_string(I) + ".html")), 0);
  }
  for (int I = 0; I < 5; ++I) {
    Modify(I);
  }
  const std::size_t Before = Dialogs.Shown().size();
  Dialogs.QueueAnswer(IDNO);
  Dialogs.QueueAnswer(IDNO);
  Dialogs.QueueAnswer(IDCANCEL);
  EXPECT_EQ(Form->CloseALLFiles(0), 1);
  EXPECT_EQ(Names(), (Strings{"d1.html**", "d2.html**", "d3.html**"}));
  ASSERT_EQ(Dialogs.Shown().size(), Before + 3);
  EXPECT_EQ(Dialogs.Shown().back().Caption, "Quillon: Save Changes?");
  EXPECT_NE(Dialogs.Shown().back().Text.find("d3.html"), std::string::npos);
}

TEST_F(MainFormFilesTest, HandedOverDocumentsOpenWhenTheQueueRuns) {
  const std::string A = MakeFile("my page.html");
  const std::string B = MakeFile("other page.css", "p { color: red }\n");
  EXPECT_EQ(SendToRunningInstance(MessageWindow->Handle(), ("\"" + A + "\" \"" + B + "\"").c_str()), HANDOVER_DONE);
  Harness::RunUntilIdle();
  (void)ProcessCommandQueue(&prg->volatileState->commandQueue);  // runs what the idle handler has not run yet
  EXPECT_EQ(Names(), (Strings{"my page.html", "other page.css"}));
  EXPECT_TRUE(Form->Visible());
}

TEST_F(MainFormFilesTest, ShutdownRemembersTheOpenFilesAndACancelledQuestionKeepsEverything) {
  const std::string A = MakeFile("a.html");
  const std::string B = MakeFile("b.html");
  ASSERT_EQ(Open(A), 0);
  ASSERT_EQ(Open(B), 0);
  prg->editorOptions->flags.set(EOF40::ReopenDocuments, true);
  Modify(1);
  Dialogs.QueueAnswer(IDCANCEL);
  EXPECT_FALSE(Form->CloseQuery());
  EXPECT_EQ(prg->volatileState->shuttingDown, 0);
  EXPECT_EQ(Documents().getCount(), 2);

  Document(1)->text->Modified = false;
  EXPECT_TRUE(Form->CloseQuery());
  EXPECT_EQ(prg->volatileState->shuttingDown, 1);
  StringArrayStore Stored;
  (void)StringArrayStore::loadFromRegistry(&Stored, HKEY_CURRENT_USER,
                                           (std::string(SETTINGS_ROOT) + "\\Editor\\LastOpenFiles").c_str(),
                                           HISTORY_COUNT_STORED);
  ASSERT_EQ(Stored.getCount(), 2);
  EXPECT_EQ(std::string(Stored.getString(0)), A);
  EXPECT_EQ(std::string(Stored.getString(1)), B);
}

}  // namespace

TEST_F(MainFormFilesTest, YesAtTheSaveQuestionWritesTheFileAndAnUntitledTextGoesThroughTheSaveDialog) {
  const std::string Path = MakeFile("s.html", "<p>old</p>\n");
  ASSERT_EQ(Open(Path), 0);
  Document(0)->text->Strings()->SetText("<p>new</p>\n");
  Modify(0);
  Dialogs.QueueAnswer(IDYES);
  EXPECT_EQ(Form->CloseFileTab(Form->TabControl1, 0, 0), 0);
  std::ifstream In(Path);
  std::string Line;
  std::getline(In, Line);
  EXPECT_EQ(Line, "<p>new</p>\r");  // the default save format ends lines with CR LF

  // An untitled document is saved through the save dialog: Cancel there keeps it open and changed.
  ASSERT_EQ(Names(), Strings{"[Untitled]"});
  Document(0)->text->Strings()->SetText("<p>kept</p>\n");
  Modify(0);
  Dialogs.QueueAnswer(IDYES);
  int Closed = 0;
  EXPECT_EQ(FileDialogSteps::Answer("Save As", {FileDialogSteps::CancelDialog},
                                    [&] { Closed = Form->CloseFileTab(Form->TabControl1, 0, 1); }),
            1);
  EXPECT_EQ(Closed, 1);
  EXPECT_EQ(Documents().getCount(), 1);
  EXPECT_TRUE(Document(0)->text->Modified);

  // A name given there saves the text under it before the document closes.
  const std::string Named = Dir + "/kept.html";
  Dialogs.QueueAnswer(IDYES);
  EXPECT_EQ(FileDialogSteps::Answer("Save As", {Named}, [&] { Closed = Form->CloseFileTab(Form->TabControl1, 0, 1); }),
            1);
  EXPECT_EQ(Closed, 0);
  std::ifstream Kept(Named);
  std::getline(Kept, Line);
  EXPECT_EQ(Line, "<p>kept</p>\r");
}
