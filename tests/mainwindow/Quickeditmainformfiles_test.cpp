// Document tabs of the main window with real files: opening, the untitled placeholder, closing with the save
// question, the documents handed over by another instance, and the shutdown through the close query.
#include "FileDialogSteps.h"
#include "MainFormFixture.h"

#include "core/Commandqueue.h"
#include "core/Enginejobs.h"
#include "core/Fileinfoclass.h"
#include "core/Stringarraystore.h"
#include "core/Tabinfoclass.h"

#include "editor/Easyeditsource.h"
#include "platform/win/MessageBox.h"

#include <filesystem>
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

namespace {

TEST_F(MainFormFilesTest, TheOpenDialogOpensSeveralFilesAndOffersToCreateAMissingOne) {
  const std::string A = MakeFile("a.html");
  const TPTOpenOptions Options = Form->PTOpenDialog->Options();
  // Two names typed at once; the second has no extension and no file: the default extension is added.
  Dialogs.QueueAnswer(IDYES);
  EXPECT_EQ(FileDialogSteps::Answer("Select File or Files to Open", {"\"" + A + "\" \"" + Dir + "/new\""},
                                    [&] { Form->FileOpenClick(Form); }),
            1);
  EXPECT_EQ(Names(), (Strings{"a.html", "new.html"}));
  ASSERT_FALSE(Dialogs.Shown().empty());
  EXPECT_EQ(Dialogs.Shown().back().Caption, "Quillon: Cannot Open File");
  EXPECT_EQ(Dialogs.Shown().back().Text, "Cannot open the file \"" + Dir +
                                             "/new.html\". The file may not exist. Do you want to create this "
                                             "file?");
  EXPECT_TRUE(std::filesystem::exists(Dir + "/new.html"));
  EXPECT_EQ(TZUBQEForm::LastOpenFolder, Dir);
  // The multiple selection was for that run only.
  EXPECT_EQ(Form->PTOpenDialog->Options(), Options);

  // No: nothing is made or opened.
  Dialogs.QueueAnswer(IDNO);
  EXPECT_EQ(FileDialogSteps::Answer("Select File or Files to Open", {Dir + "/other.html"},
                                    [&] { Form->FileOpenClick(Form); }),
            1);
  EXPECT_FALSE(std::filesystem::exists(Dir + "/other.html"));
  EXPECT_EQ(Documents().getCount(), 2);
}

TEST_F(MainFormFilesTest, TheRecentFilesMenusHoldFifteenEntriesAndCanBeCleared) {
  std::vector<std::string> Paths;
  for (int I = 0; I < 16; ++I) {
    Paths.push_back(MakeFile("r" + std::to_string(I) + ".html"));
    ASSERT_EQ(Open(Paths.back()), 0);
  }
  for (TTBCustomItem* Menu :
       {static_cast<TTBCustomItem*>(Form->FileOpen), static_cast<TTBCustomItem*>(Form->FileOpenBtn)}) {
    ASSERT_EQ(Menu->Count(), 17);
    EXPECT_EQ(Menu->Items(0)->Caption(), Paths[15]);
    EXPECT_EQ(Menu->Items(14)->Caption(), Paths[1]);
    EXPECT_NE(dynamic_cast<TTBSeparatorItem*>(Menu->Items(15)), nullptr);
    EXPECT_EQ(Menu->Items(16)->Caption(), "Clear Recent Files List");
  }
  // An entry opens (here: selects) its file.
  ASSERT_EQ(Form->CloseFileTab(Form->TabControl1, 3, 0), 0);
  Form->FileOpen->Items(12)->Click();
  Harness::RunUntilIdle();
  EXPECT_EQ(std::string(Form->GetCurrentFile()->name.text), Paths[3]);
  EXPECT_EQ(Form->FileOpen->Items(0)->Caption(), Paths[3]);

  Form->FileOpenBtn->Items(16)->Click();
  Harness::RunUntilIdle();
  EXPECT_EQ(prg->interface->recentDocuments.getCount(), 0);
  EXPECT_EQ(Form->FileOpen->Count(), 0);
  EXPECT_EQ(Form->FileOpenBtn->Count(), 0);
}

TEST_F(MainFormFilesTest, CloseCompleteClosesValidatedDocumentsWithoutErrorsAndSaysSo) {
  ASSERT_EQ(Open(MakeFile("clean.css", "p { color: red }\n")), 0);
  ASSERT_EQ(Open(MakeFile("broken.html", "<p>unclosed <b>bold\n")), 0);
  ASSERT_EQ(Open(MakeFile("unchecked.html")), 0);
  for (int I = 0; I < 2; ++I) {
    ASSERT_EQ(ValidateDocument(Document(I), 0, VALIDATE_QUIET), JOB_DONE);
  }
  ASSERT_EQ(Document(0)->GetResultCount(COUNT_ERRORS_AND_WARNINGS), 0);
  ASSERT_GT(Document(1)->GetResultCount(COUNT_ERRORS_AND_WARNINGS), 0);
  Form->FileCloseCompleteClick(Form);
  EXPECT_EQ(Names(), (Strings{"broken.html", "unchecked.html"}));
  EXPECT_EQ(Form->StatusBar->Panels()->Items(3)->Text(), "1 document closed. 2 documents validated.");

  // A changed clean document asks first; Cancel stops.
  ASSERT_EQ(Open(MakeFile("clean2.css", "p { color: blue }\n")), 0);
  ASSERT_EQ(ValidateDocument(Document(2), 0, VALIDATE_QUIET), JOB_DONE);
  Modify(2);
  Dialogs.QueueAnswer(IDCANCEL);
  Form->FileCloseCompleteClick(Form);
  EXPECT_EQ(Documents().getCount(), 3);
  EXPECT_EQ(Form->StatusBar->Panels()->Items(3)->Text(),
            "0 documents closed. Operation cancelled by user.1 document validated.");
}

TEST_F(MainFormFilesTest, TabCommandsWrapAndTheEditorEventsFollowTheDocument) {
  for (const char* Name : {"t1.html", "t2.html", "t3.html"}) {
    ASSERT_EQ(Open(MakeFile(Name)), 0);
  }
  auto Current = [&] { return std::string(Form->GetCurrentFile()->GetName(NAME_FILE_PART)); };
  EXPECT_EQ(Current(), "t3.html");
  Form->ViewNextDocumentClick(Form);
  EXPECT_EQ(Current(), "t1.html");
  Form->ViewPreviousDocumentClick(Form);
  EXPECT_EQ(Current(), "t3.html");
  Form->FirstTabBtnClick(Form);
  EXPECT_EQ(Current(), "t1.html");
  Form->LastTabBtnClick(Form);
  EXPECT_EQ(Current(), "t3.html");
  EXPECT_TRUE(Form->ViewNextDocument->Enabled());
  EXPECT_EQ(Form->Caption(), "ZUB Quillon Pro v6.01 - " + Dir + "/t3.html");

  // A gutter click toggles bookmark 0 on its line.
  TEasyEditSource* Text = Form->GetCurrentFile()->text;
  Form->EasyEdit1GutterClick(Form->EasyEdit1, 0, 0);
  TPoint At{};
  EXPECT_TRUE(Text->FindBookMark(0, At));
  Form->EasyEdit1GutterClick(Form->EasyEdit1, 0, 0);
  EXPECT_FALSE(Text->FindBookMark(0, At));

  // A change of the text's modified state shows in the title and the state panel.
  Text->Modified = true;
  Form->EasyEdit1SourceChanged(Form->EasyEdit1, TEasyEditSourceStates{csModifiedChanged});
  EXPECT_EQ(Form->Caption(), "ZUB Quillon Pro v6.01 - " + Dir + "/t3.html**");
  EXPECT_EQ(Form->StatusBar->Panels()->Items(2)->Text(), "CHANGED");
}

}  // namespace
