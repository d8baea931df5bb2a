// Saving documents of the main window with real files: Save As through the save dialog, the refusals and
// questions on the way, failures that keep the text, reloading and the test for changes on disk.
#include "FileDialogSteps.h"
#include "MainFormFixture.h"

#include "core/Fileinfoclass.h"
#include "core/Stringarraystore.h"

#include "editor/Easyeditsource.h"
#include "platform/win/MessageBox.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

using FileDialogSteps::CancelDialog;

class MainFormSaveTest : public MainFormTest {
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
  static std::string Read(const std::string& Path) {
    std::ifstream In(Path, std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    return S.str();
  }
  fileinfoclass* Current() { return Form->GetCurrentFile(); }
  std::string FirstLine() { return Current()->text->Strings()->Strings(0); }
  int Open(const std::string& Path) { return Form->AddNewFileTab(nullptr, Path.c_str(), 0, nullptr); }
  void Write(const std::string& Text) {
    Current()->text->Strings()->SetText(Text);
    Current()->text->Modified = true;
  }
  // Save As of the current document, answering the save dialog's showings in order.
  int SaveAs(const std::vector<std::string>& Answers, int Shown) {
    int Result = 99;
    EXPECT_EQ(FileDialogSteps::Answer("Save As", Answers, [&] { Result = Form->SaveFileTab(nullptr, -1, 1); }), Shown);
    return Result;
  }
  std::size_t Asked() { return Dialogs.Shown().size(); }
  std::string LastCaption() { return Dialogs.Shown().empty() ? "" : Dialogs.Shown().back().Caption; }
};

TEST_F(MainFormSaveTest, AnUntitledTextIsSavedUnderTheNameGivenWithTheDefaultExtension) {
  Write("<p>new</p>\n");
  EXPECT_EQ(SaveAs({Dir + "/fresh"}, 1), 0);
  const std::string Saved = Dir + "/fresh.html";
  EXPECT_EQ(Read(Saved), "<p>new</p>\r\n");
  EXPECT_EQ(std::string(Current()->name.text), Saved);
  EXPECT_EQ(Current()->onDisk, 1);
  EXPECT_FALSE(Current()->text->Modified);
  EXPECT_EQ(Form->TabControl1->Tabs()->Strings(0), "fresh.html");
  EXPECT_EQ(std::string(prg->interface->recentDocuments.getString(0)), Saved);
  EXPECT_EQ(TZUBQEForm::LastSaveFolder, Dir);
  EXPECT_EQ(Form->Caption(), "ZUB Quillon Pro v6.01 - " + Saved);
  EXPECT_EQ(Form->StatusBar->Panels()->Items(3)->Text(), "Saved \"fresh.html\".");
}

TEST_F(MainFormSaveTest, SaveAsRefusesAnotherOpenDocumentsFileAndAsksBeforeOverwritingAnother) {
  const std::string A = MakeFile("a.html", "A\n");
  const std::string Other = MakeFile("other.html", "other\n");
  ASSERT_EQ(Open(A), 0);
  ASSERT_EQ(Open(MakeFile("b.html", "B\n")), 0);
  Write("changed\n");
  // The open file under another name (a hard link to it) is still that file.
  const std::string Link = Dir + "/link.html";
  std::filesystem::create_hard_link(A, Link);
  Dialogs.QueueAnswer(IDOK);
  Dialogs.QueueAnswer(IDNO);
  EXPECT_EQ(SaveAs({Link, Other, CancelDialog}, 3), 1);
  const auto Shown = Dialogs.Shown();
  ASSERT_GE(Shown.size(), 2u);
  EXPECT_EQ(Shown[Shown.size() - 2].Caption, "Quillon: Cannot Save");
  EXPECT_EQ(Shown[Shown.size() - 2].Text, "Cannot save as \"" + Link + "\" because that file is opened in the editor.");
  EXPECT_EQ(Shown.back().Caption, "Quillon: File Already Exists");
  EXPECT_EQ(Shown.back().Text, "File \"" + Other + "\" already exists. Overwrite?");
  EXPECT_EQ(Read(A), "A\n");
  EXPECT_EQ(Read(Other), "other\n");
  EXPECT_EQ(std::string(Current()->name.text), Dir + "/b.html");
  EXPECT_TRUE(Current()->text->Modified);

  // Its own file under another name is no other file: no question.
  const std::string Own = Dir + "/own.html";
  std::filesystem::create_hard_link(Dir + "/b.html", Own);
  const std::size_t Before = Asked();
  EXPECT_EQ(SaveAs({Own}, 1), 0);
  EXPECT_EQ(Asked(), Before);
  EXPECT_EQ(Read(Own), "changed\r\n");
  EXPECT_EQ(std::string(Current()->name.text), Own);
}

TEST_F(MainFormSaveTest, ANameThatDiffersOnlyInCaseIsAnotherFileAndIsAskedAbout) {
  const std::string Lower = MakeFile("page.html", "lower\n");
  ASSERT_EQ(Open(MakeFile("Page.html", "upper\n")), 0);
  Write("upper changed\n");
  Dialogs.QueueAnswer(IDNO);
  EXPECT_EQ(SaveAs({Lower, CancelDialog}, 2), 1);
  EXPECT_EQ(LastCaption(), "Quillon: File Already Exists");
  EXPECT_EQ(Read(Lower), "lower\n");
}

TEST_F(MainFormSaveTest, AFailedSaveAsKeepsTheOldNameAndTheText) {
  Write("<p>precious</p>\n");
  EXPECT_EQ(SaveAs({Dir + "/no such folder/x.html"}, 1), -6);
  EXPECT_EQ(LastCaption(), "Quillon: Error");
  EXPECT_EQ(Dialogs.Shown().back().Text, "Error saving \"x.html\". Check the path, filename, and disk access rights.");
  EXPECT_EQ(Current()->onDisk, 0);
  EXPECT_EQ(std::string(Current()->GetName(NAME_TAB_CAPTION | NAME_EMPTY_NOT_NULL)), "[Untitled]**");
  EXPECT_TRUE(Current()->text->Modified);
  EXPECT_EQ(FirstLine(), "<p>precious</p>");
  EXPECT_EQ(prg->interface->recentDocuments.getCount(), 0);
}

TEST_F(MainFormSaveTest, SavingAFileChangedOnDiskAsksFirstAndAFailedWriteKeepsTheChanges) {
  const std::string Path = MakeFile("s.html", "old\n");
  ASSERT_EQ(Open(Path), 0);
  Write("mine\n");
  // Skipped as unmodified only when it is.
  EXPECT_EQ(Form->SaveFileTab(nullptr, -1, 2), 0);
  EXPECT_EQ(Read(Path), "mine\r\n");
  EXPECT_EQ(Form->SaveFileTab(nullptr, -1, 2), 0);

  std::ofstream(Path) << "theirs, longer\n";
  Write("mine again\n");
  Dialogs.QueueAnswer(IDNO);
  EXPECT_EQ(Form->SaveFileTab(nullptr, -1, 0), 1);
  EXPECT_EQ(LastCaption(), "Quillon: Overwrite Changes?");
  EXPECT_EQ(Read(Path), "theirs, longer\n");

  // The folder goes away: the write fails, the text stays changed.
  std::filesystem::remove(Path);
  std::filesystem::create_directory(Path);
  EXPECT_EQ(Form->SaveFileTab(nullptr, -1, 4), -6);
  EXPECT_TRUE(Current()->text->Modified);
  EXPECT_EQ(Form->StatusBar->Panels()->Items(3)->Text(),
            "Error saving \"s.html\". Check the path, filename, and disk access rights.");
  std::filesystem::remove(Path);
  Current()->text->Modified = false;
}

TEST_F(MainFormSaveTest, ReloadAsksBeforeDroppingChangesAndRefusesAnUntitledText) {
  EXPECT_EQ(Form->Reload(Current()), 2);
  EXPECT_EQ(LastCaption(), "Quillon: Can't Reload");

  const std::string Path = MakeFile("r.html", "disk\n");
  ASSERT_EQ(Open(Path), 0);
  Write("mine");
  Dialogs.QueueAnswer(IDNO);
  EXPECT_EQ(Form->Reload(Current()), 3);
  EXPECT_EQ(FirstLine(), "mine");
  Dialogs.QueueAnswer(IDYES);
  EXPECT_EQ(Form->Reload(Current()), 0);
  EXPECT_EQ(LastCaption(), "Quillon: Reload?");
  EXPECT_EQ(FirstLine(), "disk");
  EXPECT_FALSE(Current()->text->Modified);
  EXPECT_EQ(Form->StatusBar->Panels()->Items(3)->Text(), "Reloaded \"" + Path + "\".");
  EXPECT_EQ(Form->Caption(), "ZUB Quillon Pro v6.01 - " + Path);
}

TEST_F(MainFormSaveTest, AChangeOnDiskIsAskedAboutOnceAndAVanishedFileWarnedOnce) {
  const std::string Path = MakeFile("d.html", "first\n");
  ASSERT_EQ(Open(Path), 0);
  std::ofstream(Path) << "second, longer\n";
  Dialogs.QueueAnswer(IDYES);
  std::size_t Before = Asked();
  Form->FormActivate(Form);
  ASSERT_EQ(Asked(), Before + 1);
  EXPECT_EQ(LastCaption(), "Quillon: Reload?");
  EXPECT_EQ(Dialogs.Shown().back().Text, "Document \"" + Path + "\" has changed on disk. Reload?");
  EXPECT_EQ(FirstLine(), "second, longer");
  Form->FormActivate(Form);
  EXPECT_EQ(Asked(), Before + 1);

  // Declined: the text stays, and the same change is not asked about again.
  std::ofstream(Path) << "third, longer still\n";
  Dialogs.QueueAnswer(IDNO);
  Form->FormActivate(Form);
  Form->FormActivate(Form);
  EXPECT_EQ(Asked(), Before + 2);
  EXPECT_EQ(FirstLine(), "second, longer");

  std::filesystem::remove(Path);
  Before = Asked();
  Form->FormActivate(Form);
  Form->FormActivate(Form);
  ASSERT_EQ(Asked(), Before + 1);
  EXPECT_EQ(LastCaption(), "Quillon: Warning");
  EXPECT_EQ(Dialogs.Shown().back().Text.rfind("Warning! Document \"" + Path + "\" no longer exists on disk.", 0), 0u);
}

}  // namespace
