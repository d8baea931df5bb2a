// Handing the current document to programs outside: the desktop's viewer (Alt+F8) and the outside style-sheet
// editor, with the shell's openings recorded instead of started.
#include "MainFormFixture.h"

#include "core/Ekregistryex.h"
#include "core/Fileinfoclass.h"
#include "core/Parserclass.h"

#include "editor/Easyeditsource.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const char* const TopStyleKey = "SOFTWARE\\Bradbury\\TopStyle";
constexpr int NoTypeQuestion = 0x8;
const char* const AppPathKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\TopStyle2.exe";

class ExternalTest : public MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    SetShellExecuteRecording(true);
    ClearShellExecuteRecords();
  }
  void TearDown() override {
    SetShellExecuteRecording(false);
    MainFormTest::TearDown();
  }
  std::string MakeFile(const std::string& Name, const std::string& Text) {
    const std::string Path = Dir + "/" + Name;
    std::ofstream(Path) << Text;
    return Path;
  }
  // Opens a file without the question about an unknown type.
  fileinfoclass* Open(const std::string& Path) {
    EXPECT_EQ(Form->AddNewFileTab(nullptr, Path.c_str(), NoTypeQuestion, nullptr), 0);
    return Form->GetCurrentFile();
  }
  static void Change(fileinfoclass* Document) {
    Document->text->Strings()->Add("<p>changed</p>");
    Document->text->Modified = true;
  }
  static void SetMachineValue(const char* Key, const char* Name, const std::string& Value) {
    EkRegistryEx Reg(0);
    Reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(Reg.OpenKey(Key, true));
    Reg.WriteString(Name, Value);
  }
  // An executable stand-in for the outside editor.
  std::string MakeProgram() {
    const std::string Path = MakeFile("topstyle", "#!/bin/sh\nexit 0\n");
    std::filesystem::permissions(Path, std::filesystem::perms::owner_all);
    return Path;
  }
  std::vector<std::string> Captions() {
    std::vector<std::string> Out;
    for (const TDialogRequest& R : Dialogs.Shown()) {
      Out.push_back(R.Caption);
    }
    return Out;
  }
};

TEST_F(ExternalTest, AnUntitledDocumentIsOfferedTheSaveAndNothingOpensUnsaved) {
  (void)Form->UpdateTabControls();
  fileinfoclass* Document = Form->GetCurrentFile();
  ASSERT_NE(Document, nullptr);
  ASSERT_EQ(Document->onDisk, 0);
  Dialogs.QueueAnswer(IDNO);
  Form->ViewExternalBtnClick(nullptr);
  ASSERT_EQ(Captions(), std::vector<std::string>{"Quillon: Save Now?"});
  EXPECT_EQ(Dialogs.Shown()[0].Text,
            "\"[Untitled]\" must be saved before viewing. Do you want to save this document now? (You can enable "
            "automatic saving in the Editor Options so that this question is not asked.)");
  EXPECT_TRUE(ShellExecuteRecords().empty());
}

TEST_F(ExternalTest, ASavedDocumentWithoutAnExtensionNeedsOne) {
  fileinfoclass* Document = Open(MakeFile("noextension", "<p>x</p>\n"));
  Change(Document);
  Dialogs.QueueAnswer(IDYES);
  Form->ViewExternalBtn->Click();
  EXPECT_FALSE(Document->text->Modified);  // saved on Yes
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Quillon: Save Now?", "Quillon: File Extension Required"}));
  EXPECT_EQ(Dialogs.Shown()[1].Text,
            "This file must have a file extension before Windows knows how to view it with an external viewer.");
  EXPECT_TRUE(ShellExecuteRecords().empty());

  // Saved already: no question, only the extension box.
  Form->ViewExternalViewer->Click();
  EXPECT_EQ(Captions().back(), "Quillon: File Extension Required");
  EXPECT_EQ(Captions().size(), 3u);
}

TEST_F(ExternalTest, WithAutomaticSavingTheFileIsSavedAndOpenedByACorrectAddress) {
  prg->editorOptions->flags.set(EOF40::SaveBeforeViewing, true);
  std::filesystem::create_directories(Dir + "/odd dir");
  const std::string Path = MakeFile("odd dir/a #b%c?d\xe9.html", "<p>x</p>\n");
  fileinfoclass* Document = Open(Path);
  Change(Document);
  Form->ViewExternalBtnClick(nullptr);
  EXPECT_TRUE(Dialogs.Shown().empty());
  EXPECT_FALSE(Document->text->Modified);
  std::ifstream In(Path);
  EXPECT_NE(std::string(std::istreambuf_iterator<char>(In), {}).find("changed"), std::string::npos);
  const std::vector<TShellExecuteRecord> Opened = ShellExecuteRecords();
  ASSERT_EQ(Opened.size(), 1u);
  EXPECT_EQ(Opened[0].File, "file://" + Dir + "/odd%20dir/a%20%23b%25c%3Fd%E9.html");
  EXPECT_EQ(Opened[0].Action, "xdg-open");
}

TEST_F(ExternalTest, TopStyleIsFoundThroughAppPathsAndGetsTheNameAsOneArgument) {
  const std::string Program = MakeProgram();
  SetMachineValue(AppPathKey, "", Program);
  struct TCase {
    std::string Name;
    std::vector<std::string> Arguments;
  };
  const std::string Quoted = Dir + "/say \"hi\" a\\\"b \\.html";
  const std::string Sheet = Dir + "/site\\.css";
  const std::string Trailing = Dir + "/ends in.css\\";
  for (const TCase& C :
       {TCase{Quoted, {"/o:" + Quoted, "/v"}}, TCase{Sheet, {"/v", Sheet}}, TCase{Trailing, {"/v", Trailing}}}) {
    std::ofstream(C.Name) << "p { color: red }\n";
    (void)Open(C.Name);
    ClearShellExecuteRecords();
    Form->ValidateStyleSheetwithTopStyle->Click();
    const std::vector<TShellExecuteRecord> Started = ShellExecuteRecords();
    ASSERT_EQ(Started.size(), 1u) << C.Name;
    EXPECT_EQ(Started[0].Operation, "open");
    EXPECT_EQ(Started[0].File, Program);
    EXPECT_EQ(Started[0].Action, "spawn");
    EXPECT_EQ(Started[0].Arguments, C.Arguments);
  }
  EXPECT_TRUE(Dialogs.Shown().empty());

  // The maker's own key wins over App Paths.
  const std::string Newer = MakeProgram() + "2";
  std::filesystem::copy_file(Program, Newer);
  SetMachineValue(TopStyleKey, "CurrentProVersion", Newer);
  ClearShellExecuteRecords();
  Form->ValidateStyleSheetwithTopStyle->Click();
  ASSERT_EQ(ShellExecuteRecords().size(), 1u);
  EXPECT_EQ(ShellExecuteRecords()[0].File, Newer);
}

TEST_F(ExternalTest, WithoutTopStyleNothingStartsAndAFailedStartIsReported) {
  (void)Open(MakeFile("sheet.css", "p {}\n"));
  Form->ValidateStyleSheetwithTopStyle->Click();
  ASSERT_EQ(Captions(), std::vector<std::string>{"Quillon: "});
  EXPECT_EQ(Dialogs.Shown()[0].Text.rfind("This feature requires TopStyle Pro 2.0 or greater. A compatible version of "
                                          "TopStyle was not found on this system.",
                                          0),
            0u);
  EXPECT_TRUE(ShellExecuteRecords().empty());

  SetMachineValue(TopStyleKey, "CurrentProVersion", Dir + "/not-installed/topstyle");
  Form->ValidateStyleSheetwithTopStyle->Click();
  EXPECT_EQ(Captions().back(), "Quillon: Could Not Validate Document");
  EXPECT_EQ(Dialogs.Shown().back().Text, "An error occurred validating this document with TopStyle.");
}

TEST_F(ExternalTest, TopStyleAsksToSaveAChangedDocumentFirst) {
  SetMachineValue(AppPathKey, "", MakeProgram());
  fileinfoclass* Document = Open(MakeFile("changed.css", "p {}\n"));
  Change(Document);
  Dialogs.QueueAnswer(IDNO);
  Form->ValidateStyleSheetwithTopStyle->Click();
  ASSERT_EQ(Captions(), std::vector<std::string>{"Quillon: Save Now?"});
  EXPECT_NE(Dialogs.Shown()[0].Text.find("\" must be saved before validating. Do you want to save"), std::string::npos);
  EXPECT_TRUE(ShellExecuteRecords().empty());
}

}  // namespace
