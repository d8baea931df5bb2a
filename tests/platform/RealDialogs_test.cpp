// The platform's real dialogs and popup menus, shown even offscreen and answered by a drive from inside the
// layer's loop: message boxes and message dialogs, file, folder, font, colour and print setup dialogs, and
// TrackPopupMenu with nested submenus.
#include "platform/controls/Dialogs.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/DialogService.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WinMenu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace {

using Strings = std::vector<std::string>;

class RealDialogs : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    SetShowRealDialogs(true);
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 300, 200);
    Form->Show();
    Harness::RunUntilIdle();
    Dir = ::testing::TempDir() + "realdialogs_" + std::to_string(::getpid()) + "/";
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir + "sub");
    for (const char* Name : {"a.txt", "b.txt", "c.html"}) {
      std::ofstream(Dir + Name) << "x";
    }
  }
  void TearDown() override {
    Harness::StopDriving();
    SetShowRealDialogs(false);
    delete Form;
    std::filesystem::remove_all(Dir);
  }
  // Every drive must have run all its steps and cancelled nothing.
  void ExpectDriven() {
    EXPECT_EQ(Harness::DriveError(), "");
    EXPECT_TRUE(Harness::DriveDone());
  }
  TForm* Form = nullptr;
  std::string Dir;
};

TEST_F(RealDialogs, MessageBoxesOfferTheirButtonsAndAnswerReturnAndEscape) {
  struct TCase {
    UINT Type;
    Strings Buttons;
    std::string Default;
    WORD Key;
    int Result;
  };
  const TCase Cases[] = {
      {MB_OK, {"OK"}, "OK", VK_RETURN, IDOK},
      {MB_OK, {"OK"}, "OK", VK_ESCAPE, IDOK},
      {MB_OKCANCEL, {"OK", "Cancel"}, "OK", VK_ESCAPE, IDCANCEL},
      {MB_YESNO | MB_DEFBUTTON2, {"Yes", "No"}, "No", VK_RETURN, IDNO},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, {"Yes", "No", "Cancel"}, "Cancel", VK_RETURN, IDCANCEL},
      {MB_YESNOCANCEL, {"Yes", "No", "Cancel"}, "Yes", VK_ESCAPE, IDCANCEL},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, {"Abort", "Retry", "Ignore"}, "Retry", VK_RETURN, IDRETRY},
      {MB_RETRYCANCEL, {"Retry", "Cancel"}, "Retry", VK_RETURN, IDRETRY},
  };
  for (const TCase& C : Cases) {
    std::string Kind, Text, Default;
    Strings Buttons;
    Harness::DriveDialogs({[&](Harness::TDialogDriver& D) {
      Kind = D.Kind();
      Text = D.Text();
      Buttons = D.Buttons();
      Default = D.DefaultButton();
      D.Key(C.Key);
    }});
    EXPECT_EQ(MessageBox(Form->Handle(), "Go on?", "Question", C.Type), C.Result) << C.Type;
    ExpectDriven();
    EXPECT_EQ(Kind, "MessageBox");
    EXPECT_EQ(Text, "Go on?");
    EXPECT_EQ(Buttons, C.Buttons) << C.Type;
    EXPECT_EQ(Default, C.Default) << C.Type;
  }
}

TEST_F(RealDialogs, EscapeLeavesABoxWithoutCancelOpen) {
  // Yes/No has no way out but its buttons: Escape does nothing, so the click after it still finds the box open.
  Harness::DriveDialogs({[](Harness::TDialogDriver& D) {
    D.Key(VK_ESCAPE);
    D.Click("No");
  }});
  EXPECT_EQ(MessageBox(Form->Handle(), "Keep it?", "Question", MB_YESNO), IDNO);
  ExpectDriven();
}

TEST_F(RealDialogs, MessageDlgShowsItsCaptionsAndAnswersTheClickedOne) {
  Strings Buttons;
  std::string Default;
  Harness::DriveDialogs({[&](Harness::TDialogDriver& D) {
    Buttons = D.Buttons();
    Default = D.DefaultButton();
    EXPECT_EQ(D.Text(), "Save the changes?");
    EXPECT_TRUE(D.Click("No"));
  }});
  EXPECT_EQ(MessageDlg("Save the changes?", mtConfirmation, TMsgDlgButtons{mbYes, mbNo, mbCancel}, 0), mrNo);
  ExpectDriven();
  EXPECT_EQ(Buttons, (Strings{"Yes", "No", "Cancel"}));
  EXPECT_EQ(Default, "Yes");
  Harness::DriveDialogs({[](Harness::TDialogDriver& D) { D.Key(VK_ESCAPE); }});
  EXPECT_EQ(MessageDlg("Really?", mtWarning, TMsgDlgButtons{mbOK, mbCancel}, 0), mrCancel);
  ExpectDriven();
}

TEST_F(RealDialogs, TheOpenDialogShowsItsFiltersAndReturnsTheTypedFiles) {
  TOpenDialog Open(nullptr);
  Open.Filter = "Text|*.txt|Pages|*.html;*.htm";
  Open.FilterIndex = 2;
  Open.InitialDir = Dir;
  Strings Filters;
  std::string Selected;
  Harness::DriveDialogs({[&](Harness::TDialogDriver& D) {
    Filters = D.Filters();
    Selected = D.SelectedFilter();
    D.TypeFileName("c.html");
    D.Accept();
  }});
  ASSERT_TRUE(Open.Execute());
  ExpectDriven();
  EXPECT_EQ(Filters, (Strings{"Text (*.txt)", "Pages (*.html *.htm)"}));
  EXPECT_EQ(Selected, "Pages (*.html *.htm)");
  EXPECT_EQ(Open.FileName, Dir + "c.html");
  EXPECT_EQ(Open.FilterIndex, 2);

  // Several files, with another filter chosen.
  Open.Options.Include(ofAllowMultiSelect);
  Harness::DriveDialogs({[&](Harness::TDialogDriver& D) {
    D.SelectFilter(0);
    D.TypeFileName("\"a.txt\" \"b.txt\"");
    D.Accept();
  }});
  ASSERT_TRUE(Open.Execute());
  ExpectDriven();
  EXPECT_EQ(Open.Files()->CommaText(), Dir + "a.txt," + Dir + "b.txt");
  EXPECT_EQ(Open.FilterIndex, 1);

  // Cancel keeps the last choice.
  Harness::DriveDialogs({[](Harness::TDialogDriver& D) { D.Reject(); }});
  EXPECT_FALSE(Open.Execute());
  ExpectDriven();
  EXPECT_EQ(Open.FileName, Dir + "a.txt");
}

TEST_F(RealDialogs, AMissingFileIsReportedAndTheDialogShownAgain) {
  TOpenDialog Open(nullptr);
  Open.InitialDir = Dir;
  Open.Options.Include(ofFileMustExist);
  std::string Message;
  Harness::DriveDialogs({[](Harness::TDialogDriver& D) {
                           D.TypeFileName("missing.txt");
                           D.Accept();
                         },
                         [&](Harness::TDialogDriver& D) {
                           Message = D.Text();
                           D.Key(VK_RETURN);
                         },
                         [](Harness::TDialogDriver& D) {
                           D.TypeFileName("b.txt");
                           D.Accept();
                         }});
  ASSERT_TRUE(Open.Execute());
  ExpectDriven();
  EXPECT_NE(Message.find("File not found"), std::string::npos) << Message;
  EXPECT_EQ(Open.FileName, Dir + "b.txt");
}

TEST_F(RealDialogs, TheSaveDialogAsksBeforeReplacingAFile) {
  TSaveDialog Save(nullptr);
  Save.InitialDir = Dir;
  Save.Options.Include(ofOverwritePrompt);
  std::string Question;
  Harness::DriveDialogs({[](Harness::TDialogDriver& D) {
                           D.TypeFileName("a.txt");
                           D.Accept();
                         },
                         [&](Harness::TDialogDriver& D) {
                           Question = D.Text();
                           D.Click("No");
                         },
                         [](Harness::TDialogDriver& D) {
                           EXPECT_EQ(D.Kind(), "FileDialog");
                           D.TypeFileName("new.txt");
                           D.Accept();
                         }});
  ASSERT_TRUE(Save.Execute());
  ExpectDriven();
  EXPECT_NE(Question.find("already exists"), std::string::npos) << Question;
  EXPECT_EQ(Save.FileName, Dir + "new.txt");
}

TEST_F(RealDialogs, TheFolderChooserReturnsTheChosenFolder) {
  std::string Folder = Dir;
  Harness::DriveDialogs({[&](Harness::TDialogDriver& D) {
    EXPECT_EQ(D.Title(), "Pick a folder");
    D.TypeFileName(Dir + "sub");
    D.Accept();
  }});
  ASSERT_TRUE(SelectDirectory("Pick a folder", "", Folder));
  ExpectDriven();
  EXPECT_EQ(ExcludeTrailingPathDelimiter(Folder), Dir + "sub");
  Harness::DriveDialogs({[](Harness::TDialogDriver& D) { D.Reject(); }});
  EXPECT_FALSE(SelectDirectory("Pick a folder", "", Folder));
  ExpectDriven();
}

TEST_F(RealDialogs, FontAndColourDialogsReturnThePickedValues) {
  TFontDialog Fonts(nullptr);
  Fonts.Font()->SetName("DejaVu Sans");
  Fonts.Font()->SetSize(10);
  Harness::DriveDialogs({[](Harness::TDialogDriver& D) {
    EXPECT_EQ(D.Kind(), "FontDialog");
    EXPECT_TRUE(D.ChooseFont("DejaVu Serif", 14, true));
    D.Accept();
  }});
  ASSERT_TRUE(Fonts.Execute());
  ExpectDriven();
  EXPECT_EQ(Fonts.Font()->Name(), "DejaVu Serif");
  EXPECT_EQ(Fonts.Font()->Size(), 14);
  EXPECT_TRUE(Fonts.Font()->Style().Contains(fsBold));

  TColorDialog Colors(nullptr);
  Colors.Color = RGB(200, 0, 0);
  Harness::DriveDialogs({[](Harness::TDialogDriver& D) {
    EXPECT_TRUE(D.ChooseColor(RGB(10, 20, 30)));
    D.Accept();
  }});
  ASSERT_TRUE(Colors.Execute());
  ExpectDriven();
  EXPECT_EQ(Colors.Color, static_cast<int>(RGB(10, 20, 30)));
  Harness::DriveDialogs({[](Harness::TDialogDriver& D) {
    D.ChooseColor(RGB(1, 2, 3));
    D.Reject();
  }});
  EXPECT_FALSE(Colors.Execute());
  ExpectDriven();
  EXPECT_EQ(Colors.Color, static_cast<int>(RGB(10, 20, 30)));
}

TEST_F(RealDialogs, PrintSetupRunsWithoutAPrinter) {
  TPrinterSetupDialog Setup(nullptr);
  std::string Kind;
  Harness::DriveDialogs({[&](Harness::TDialogDriver& D) {
    Kind = D.Kind();
    D.Accept();
  }});
  EXPECT_TRUE(Setup.Execute());
  ExpectDriven();
  EXPECT_EQ(Kind, "PageSetupDialog");

  TPrintDialog Print(nullptr);
  Print.Copies = 2;
  Print.MinPage = 1;
  Print.MaxPage = 9;
  Harness::DriveDialogs({[&](Harness::TDialogDriver& D) {
    Kind = D.Kind();
    D.Accept();
  }});
  EXPECT_TRUE(Print.Execute());
  ExpectDriven();
  EXPECT_EQ(Kind, "PrintDialog");
  EXPECT_EQ(Print.Copies, 2);
}

TEST_F(RealDialogs, APopupMenuReturnsTheCommandChosenInNestedSubmenus) {
  HMENU Deepest = CreatePopupMenu();
  AppendMenu(Deepest, MF_STRING, 9, "&Deepest");
  HMENU Sub = CreatePopupMenu();
  AppendMenu(Sub, MF_STRING, 7, "Inner");
  AppendMenu(Sub, MF_POPUP, static_cast<UINT_PTR>(Deepest), "&More");
  HMENU Menu = CreatePopupMenu();
  AppendMenu(Menu, MF_STRING, 1, "&Open");
  AppendMenu(Menu, MF_SEPARATOR, 0, nullptr);
  AppendMenu(Menu, MF_STRING | MF_GRAYED, 2, "Gone");
  AppendMenu(Menu, MF_POPUP, static_cast<UINT_PTR>(Sub), "&Sub");
  const HWND Owner = Form->Handle();

  Strings Items;
  Harness::DriveDialogs({[&](Harness::TDialogDriver& D) {
                           Items = D.Buttons();
                           EXPECT_EQ(D.Kind(), "Menu");
                           D.Click("Sub");
                         },
                         [](Harness::TDialogDriver& D) {
                           EXPECT_EQ(D.Buttons(), (Strings{"Inner", "More"}));
                           D.Click("More");
                         },
                         [](Harness::TDialogDriver& D) { D.Click("Deepest"); }});
  EXPECT_EQ(TrackPopupMenu(Menu, TPM_RETURNCMD, 100, 100, 0, Owner, nullptr), 9);
  ExpectDriven();
  EXPECT_EQ(Items, (Strings{"Open", "-", "Gone", "Sub"}));

  Harness::DriveDialogs({[](Harness::TDialogDriver& D) { D.Click("Open"); }});
  EXPECT_EQ(TrackPopupMenu(Menu, TPM_RETURNCMD, 100, 100, 0, Owner, nullptr), 1);
  ExpectDriven();
  // A greyed item cannot be chosen; Escape closes the menu with no command.
  Harness::DriveDialogs({[](Harness::TDialogDriver& D) {
    D.Click("Gone");
    D.Key(VK_ESCAPE);
  }});
  EXPECT_EQ(TrackPopupMenu(Menu, TPM_RETURNCMD, 100, 100, 0, Owner, nullptr), 0);
  ExpectDriven();
  DestroyMenu(Menu);
}

TEST_F(RealDialogs, ADialogNobodyAnswersIsCancelledAtTheDeadline) {
  Harness::DriveDialogs({[](Harness::TDialogDriver&) {}, [](Harness::TDialogDriver&) {}}, 300);
  EXPECT_EQ(MessageBox(Form->Handle(), "Stuck?", "Question", MB_OKCANCEL), IDCANCEL);
  EXPECT_NE(Harness::DriveError(), "");
  EXPECT_FALSE(Harness::DriveDone());
}

}  // namespace
