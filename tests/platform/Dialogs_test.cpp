// Dialogs answered by script: message dialogs (captions, buttons, results), file dialogs with their checks,
// font, colour, print and folder dialogs.
#include "platform/controls/Dialogs.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/MessageBox.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using Strings = std::vector<std::string>;

namespace {

class Dialogs : public ::testing::Test {
protected:
  void SetUp() override { Harness::Start(); }
  TScriptedDialogs Script;
  TScopedDialogService Scope{Script};
  TComponent Owner{nullptr};
};

struct TMsgCase {
  TMsgDlgType Type;
  TMsgDlgButtons Buttons;
  const char* Caption;
  std::vector<int> Results;
  int Default;
  const char* Captions;
};

TEST_F(Dialogs, MessageDlgOffersTheButtonsInOrderWithTheClassLibrarysCaptions) {
  Application->Title = "Quillon";
  const TMsgCase Cases[] = {
      {mtConfirmation, mbYesNoCancel, "Confirm", {mrYes, mrNo, mrCancel}, mrYes, "&Yes|&No|Cancel"},
      {mtWarning, mbOKCancel, "Warning", {mrOk, mrCancel}, mrOk, "OK|Cancel"},
      {mtError, mbAbortRetryIgnore, "Error", {mrAbort, mrRetry, mrIgnore}, mrRetry, "&Abort|&Retry|&Ignore"},
      {mtInformation, mbYesAllNoAllCancel, "Information", {mrYes, mrNo, mrCancel, mrNoToAll, mrYesToAll}, mrYes,
       "&Yes|&No|Cancel|N&o to All|Yes to &All"},
      {mtCustom, TMsgDlgButtons{mbOK, mbHelp}, "Quillon", {mrOk}, mrOk, "OK|&Help"},
  };
  for (const auto& C : Cases) {
    Script.QueueAnswer(C.Results.back());
    EXPECT_EQ(MessageDlg("Text", C.Type, C.Buttons, 7), C.Results.back());
    TDialogRequest R = Script.Shown().back();
    EXPECT_EQ(R.Kind, "MessageDlg");
    EXPECT_EQ(R.Caption, C.Caption);
    EXPECT_EQ(R.Text, "Text");
    EXPECT_EQ(R.Buttons, C.Results);
    EXPECT_EQ(R.DefaultButton, C.Default);
    EXPECT_EQ(R.Params["Captions"], C.Captions);
    EXPECT_EQ(R.Params["HelpContext"], "7");
  }
  // Unanswered: the default button; closed (or an answer that is no button): mrCancel.
  EXPECT_EQ(MessageDlg("?", mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0), mrYes);
  Script.QueueAnswer(0);
  EXPECT_EQ(MessageDlg("?", mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0), mrCancel);
  Script.QueueAnswer(mrAll);
  EXPECT_EQ(MessageDlg("?", mtConfirmation, mbOKCancel, 0), mrCancel);

  ShowMessage("Done");
  TDialogRequest R = Script.Shown().back();
  EXPECT_EQ(R.Caption, "Quillon");
  EXPECT_EQ(R.Buttons, (std::vector<int>{mrOk}));
  EXPECT_EQ(R.Params.count("X"), 0u);
  MessageDlgPos("At", mtWarning, TMsgDlgButtons{mbOK}, 0, 30, 40);
  R = Script.Shown().back();
  EXPECT_EQ(R.Params["X"], "30");
  EXPECT_EQ(R.Params["Y"], "40");
}

TEST_F(Dialogs, AModalDialogDisablesTheProgramsWindowsWhileUp) {
  auto* Form = new TForm(Application);
  Form->AfterConstruction();
  Form->SetBounds(0, 0, 100, 80);
  Form->Show();
  bool EnabledWhileUp = true;
  struct TProbe : TDialogService {
    HWND Wnd;
    bool* Seen;
    TDialogAnswer Run(const TDialogRequest&) override {
      *Seen = IsWindowEnabled(Wnd) != FALSE;
      return TDialogAnswer(mrOk);
    }
  } Probe;
  Probe.Wnd = Form->Handle();
  Probe.Seen = &EnabledWhileUp;
  {
    TScopedDialogService Inner(Probe);
    ShowMessage("x");
  }
  EXPECT_FALSE(EnabledWhileUp);
  EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
  delete Form;
}

class FileDialogs : public Dialogs {
protected:
  void SetUp() override {
    Dialogs::SetUp();
    Dir = std::filesystem::temp_directory_path() / ("zub_dialogs_" + std::to_string(::getpid()));
    std::filesystem::create_directories(Dir);
    Existing = (Dir / "old.txt").string();
    std::FILE* F = std::fopen(Existing.c_str(), "w");
    std::fclose(F);
  }
  void TearDown() override { std::filesystem::remove_all(Dir); }
  std::filesystem::path Dir;
  std::string Existing;
};

TEST_F(FileDialogs, OpenDialogPassesItsSettingsAndTakesTheFiles) {
  auto* D = new TOpenDialog(&Owner);
  D->Filter = "Text|*.txt|All|*.*";
  D->FilterIndex = 2;
  D->Title = "Select File or Files to Open";
  D->InitialDir = Dir.string();
  D->Options.Include(ofAllowMultiSelect);
  Strings Events;
  D->OnShow = [&](TObject*) { Events.push_back("show"); };
  D->OnClose = [&](TObject*) { Events.push_back("close"); };
  D->OnTypeChange = [&](TObject*) { Events.push_back("type"); };
  TDialogAnswer A(IDOK);
  A.Values = {Existing, (Dir / "b.txt").string()};
  A.Params["FilterIndex"] = "1";
  Script.QueueAnswer(A);
  ASSERT_TRUE(D->Execute());
  EXPECT_EQ(D->FileName, Existing);
  ASSERT_EQ(D->Files()->Count(), 2);
  EXPECT_EQ(D->Files()->Strings(1), (Dir / "b.txt").string());
  EXPECT_EQ(D->FilterIndex, 1);
  EXPECT_EQ(Events, (Strings{"show", "close", "type"}));
  TDialogRequest R = Script.Shown().back();
  EXPECT_EQ(R.Kind, "OpenDialog");
  EXPECT_EQ(R.Caption, "Select File or Files to Open");
  EXPECT_EQ(R.Params["Filter"], "Text|*.txt|All|*.*");
  EXPECT_EQ(R.Params["FilterIndex"], "2");
  EXPECT_EQ(R.Params["InitialDir"], Dir.string());
  EXPECT_EQ(R.Params["Options"], "ofHideReadOnly,ofAllowMultiSelect,ofEnableSizing");

  // Cancelled (or unanswered): false, and nothing changes.
  EXPECT_FALSE(D->Execute());
  EXPECT_EQ(D->FileName, Existing);
}

TEST_F(FileDialogs, ChecksAskAgainAsThePlatformsDialogDoes) {
  auto* Open = new TOpenDialog(&Owner);
  Open->Options.Include(ofFileMustExist);
  // A missing file: a message, then the dialog again, where the user picks an existing one.
  Script.QueueAnswer(IDOK, (Dir / "missing.txt").string());
  Script.QueueAnswer(IDOK);  // the message box
  Script.QueueAnswer(IDOK, Existing);
  ASSERT_TRUE(Open->Execute());
  EXPECT_EQ(Open->FileName, Existing);
  auto Shown = Script.Shown();
  ASSERT_EQ(Shown.size(), 3u);
  EXPECT_EQ(Shown[1].Kind, "MessageBox");
  EXPECT_NE(Shown[1].Text.find("File not found"), std::string::npos);
  EXPECT_EQ(Shown[2].Params["FileName"], (Dir / "missing.txt").string());

  auto* Save = new TSaveDialog(&Owner);
  Save->Options.Include(ofOverwritePrompt);
  Save->DefaultExt = "txt";
  // "old" gets the default extension, exists, and the user refuses to replace it; then a new name is taken.
  Script.QueueAnswer(IDOK, (Dir / "old").string());
  Script.QueueAnswer(IDNO);
  Script.QueueAnswer(IDOK, (Dir / "new").string());
  ASSERT_TRUE(Save->Execute());
  EXPECT_EQ(Save->FileName, (Dir / "new.txt").string());
  Shown = Script.Shown();
  EXPECT_EQ(Shown[3].Kind, "SaveDialog");
  EXPECT_NE(Shown[4].Text.find("already exists"), std::string::npos);
  // Yes replaces; an answer the platform's dialog checked itself is taken as it is.
  Script.QueueAnswer(IDOK, Existing);
  Script.QueueAnswer(IDYES);
  EXPECT_TRUE(Save->Execute());
  TDialogAnswer Checked(IDOK, (Dir / "plain").string());
  Checked.Params["Validated"] = "1";
  Script.QueueAnswer(Checked);
  ASSERT_TRUE(Save->Execute());
  EXPECT_EQ(Save->FileName, (Dir / "plain").string());

  // OnCanClose can keep the dialog open.
  int Asked = 0;
  Save->OnCanClose = [&](TObject*, bool& CanClose) { CanClose = ++Asked > 1; };
  Script.QueueAnswer(IDOK, (Dir / "a.txt").string());
  Script.QueueAnswer(IDOK, (Dir / "b.txt").string());
  ASSERT_TRUE(Save->Execute());
  EXPECT_EQ(Save->FileName, (Dir / "b.txt").string());
}

TEST_F(Dialogs, FontColorPrintAndFolderDialogs) {
  auto* FontDlg = new TFontDialog(&Owner);
  FontDlg->Font()->SetName("Courier New");
  FontDlg->Font()->SetSize(10);
  FontDlg->Options = TFontDialogOptions{fdFixedPitchOnly, fdForceFontExist};
  TDialogAnswer F(IDOK);
  F.Params = {{"Name", "Monospace"}, {"Size", "12"}, {"Style", "fsBold,fsItalic"}, {"Color", "255"}};
  Script.QueueAnswer(F);
  ASSERT_TRUE(FontDlg->Execute());
  EXPECT_EQ(FontDlg->Font()->Name(), "Monospace");
  EXPECT_EQ(FontDlg->Font()->Size(), 12);
  EXPECT_TRUE(FontDlg->Font()->Style().Contains(fsBold) && FontDlg->Font()->Style().Contains(fsItalic));
  EXPECT_NE(FontDlg->Font()->Color(), 255);  // no effects: the colour is not the dialog's to change
  TDialogRequest R = Script.Shown().back();
  EXPECT_EQ(R.Params["Name"], "Courier New");
  EXPECT_EQ(R.Params["Options"], "fdFixedPitchOnly,fdForceFontExist");

  auto* ColorDlg = new TColorDialog(&Owner);
  ColorDlg->Color = 0x00FF00;
  ColorDlg->CustomColors()->Add("ColorA=FFFFEE");
  TDialogAnswer C(IDOK);
  C.Params = {{"Color", "16711680"}, {"CustomColors", "ColorA=123456,ColorB=FFFFFF"}};
  Script.QueueAnswer(C);
  ASSERT_TRUE(ColorDlg->Execute());
  EXPECT_EQ(ColorDlg->Color, 0xFF0000);
  EXPECT_EQ(ColorDlg->CustomColors()->Count(), 2);
  EXPECT_EQ(Script.Shown().back().Params["CustomColors"], "ColorA=FFFFEE");

  auto* Print = new TPrintDialog(&Owner);
  Print->MinPage = 1;
  Print->MaxPage = 5;
  Print->Options = TPrintDialogOptions{poPageNums, poPrintToFile};
  TDialogAnswer Bad(IDOK);
  Bad.Params = {{"PrintRange", "prPageNums"}, {"FromPage", "2"}, {"ToPage", "9"}};
  TDialogAnswer Good(IDOK);
  Good.Params = {{"PrintRange", "prPageNums"}, {"FromPage", "2"}, {"ToPage", "4"}, {"Copies", "3"},
                 {"PrintToFile", "1"}};
  Script.QueueAnswer(Bad);
  Script.QueueAnswer(IDOK);  // "not in the range"
  Script.QueueAnswer(Good);
  ASSERT_TRUE(Print->Execute());
  EXPECT_EQ(Print->PrintRange, prPageNums);
  EXPECT_EQ(Print->FromPage, 2);
  EXPECT_EQ(Print->ToPage, 4);
  EXPECT_EQ(Print->Copies, 3);
  EXPECT_TRUE(Print->PrintToFile);
  EXPECT_EQ(Script.Shown().back().Params["FromPage"], "2");  // asked again with what the user had entered

  auto* Setup = new TPrinterSetupDialog(&Owner);
  EXPECT_FALSE(Setup->Execute());
  Script.QueueAnswer(IDOK);
  EXPECT_TRUE(Setup->Execute());
  EXPECT_EQ(Script.Shown().back().Kind, "PrinterSetupDialog");

  std::string Folder = "/start";
  const std::string Tmp = std::filesystem::temp_directory_path().string();
  Script.QueueAnswer(IDOK, "/no/such/folder/here");
  Script.QueueAnswer(IDOK);
  Script.QueueAnswer(IDOK, Tmp);
  ASSERT_TRUE(SelectDirectory("Pick", "", Folder));
  EXPECT_EQ(Folder, Tmp);
  EXPECT_FALSE(SelectDirectory("Pick", "", Folder));
  EXPECT_EQ(Folder, Tmp);
}

}  // namespace
