// The folder browse dialog run modally over a fixture home folder, driven from inside its loop: choosing, cancelling,
// the buttons and their states, the layout, and the errors of a dialog without its window.
#include "shell/Uptfolderbrowse.h"

#include "platform/rtl/Exceptions.h"
#include "platform/win/DialogService.h"
#include "platform/win/ShlObj.h"
#include "platform/win/VirtualKeys.h"
#include "tests/shell/ShellTestHome.h"
#include "tests/support/Forms.h"
#include "tests/support/ModalWindowDriver.h"

#include <gtest/gtest.h>

#include <filesystem>

using TestSupport::TModalWindowDriver;

namespace {

TTreeNode* Child(TTreeNode* Node, const std::string& Caption) {
  for (TTreeNode* C = Node ? Node->getFirstChild() : nullptr; C; C = C->getNextSibling()) {
    if (C->Text() == Caption) {
      return C;
    }
  }
  return nullptr;
}

class FolderBrowse : public ::testing::Test {
protected:
  void SetUp() override {
    Home.MakeDir("Desktop");
    Home.MakeDir("docs");
    Home.MakeDir("docs/sub");
    Home.MakeDir("docs/other");
    Harness::Start();
    OldDialogs = SetDialogService(&Dialogs);
    Dlg = TestSupport::Make<TPTFolderBrowseDlg>(Application);
  }
  void TearDown() override {
    delete Dlg;
    SetDialogService(OldDialogs);
  }
  // Runs the dialog with Act inside its loop; Execute's result.
  bool Run(const std::function<void(TPTFrmFolderBrowseDlg&)>& Act, const std::string& Caption = "Browse for Folder") {
    TModalWindowDriver Driver(Caption, [&](TForm& F) { Act(dynamic_cast<TPTFrmFolderBrowseDlg&>(F)); });
    Driver.Arm();
    const bool R = Dlg->Execute();
    EXPECT_TRUE(Driver.Driven());
    return R;
  }

  ShellTest::THome Home;
  TScriptedDialogs Dialogs;
  TDialogService* OldDialogs = nullptr;
  TPTFolderBrowseDlg* Dlg = nullptr;
};

TEST_F(FolderBrowse, OKReturnsTheFolderChosenInTheTree) {
  Dlg->SetSelectedPathName(Home / "docs");
  Dlg->SetStatus("Choose the target folder");
  std::string Shown;
  std::string Status;
  std::string Notified;
  Dlg->OnSelChange = [&](TObject*, LPCITEMIDLIST List) { Notified = PathFromIdList(List); };
  EXPECT_TRUE(Run([&](TPTFrmFolderBrowseDlg& F) {
    Shown = F.GetSelectedPathname();
    Status = F.StatusTxt->Caption();
    F.PTShellTree1->SetSelectedPathName(Home / "docs/sub");
    Harness::RunUntilIdle();
    TModalWindowDriver::Press(F, "OkBtn");
  }));
  EXPECT_EQ(Shown, Home / "docs");
  EXPECT_EQ(Status, "Choose the target folder");
  EXPECT_EQ(Notified, Home / "docs/sub");
  EXPECT_EQ(Dlg->GetSelectedPathName(), Home / "docs/sub");
  EXPECT_GT(Dlg->FormWidth, 0);
  EXPECT_EQ(Dlg->FormWindowState, wsNormal);
}

TEST_F(FolderBrowse, CancelAfterMovingKeepsThePresetFolder) {
  Dlg->SetSelectedPathName(Home / "docs/other");
  Dlg->Title = "Pick a Folder";
  EXPECT_FALSE(Run(
      [&](TPTFrmFolderBrowseDlg& F) {
        F.PTShellTree1->SetSelectedPathName(Home / "docs/sub");
        TModalWindowDriver::Press(F, "CancelBtn");
      },
      "Pick a Folder"));
  EXPECT_EQ(Dlg->GetSelectedPathName(), Home / "docs/other");
}

TEST_F(FolderBrowse, TheButtonsFollowTheSelectedNode) {
  Dlg->SetOptions(Dlg->Options() + TPTFolderBrowseDlgOptions{ptfbCreateDeleteButtons});
  struct TState {
    bool Create, Delete, CreateIcon, DeleteIcon;
  };
  std::vector<TState> States;
  Run([&](TPTFrmFolderBrowseDlg& F) {
    auto Record = [&] {
      States.push_back({F.CreateBtn->Enabled(), F.DeleteBtn->Enabled(), F.CreateNewFolderBtn->Enabled(),
                        F.DeleteFolderBtn->Enabled()});
    };
    TTreeNode* Root = F.PTShellTree1->Items()->GetFirstNode();
    F.PTShellTree1->SetSelected(Root);
    Record();
    TTreeNode* Computer = Child(Root, "Computer");
    EXPECT_NE(Computer, nullptr);
    F.PTShellTree1->SetSelected(Computer);
    Record();
    F.PTShellTree1->SetSelectedPathName(Home / "docs");
    Record();
    TModalWindowDriver::Press(F, "CancelBtn");
  });
  ASSERT_EQ(States.size(), 3u);
  // The root (the desktop folder) may get new folders but not be deleted; "Computer" has no path.
  EXPECT_TRUE(States[0].Create && States[0].CreateIcon);
  EXPECT_FALSE(States[0].Delete || States[0].DeleteIcon);
  EXPECT_FALSE(States[1].Create || States[1].Delete || States[1].CreateIcon || States[1].DeleteIcon);
  EXPECT_TRUE(States[2].Create && States[2].Delete && States[2].CreateIcon && States[2].DeleteIcon);
}

TEST_F(FolderBrowse, CreateAndDeleteWorkOnTheSelectedFolder) {
  Dlg->SetSelectedPathName(Home / "docs");
  Dlg->SetOptions(Dlg->Options() + TPTFolderBrowseDlgOptions{ptfbCreateDeleteButtons});
  Run([&](TPTFrmFolderBrowseDlg& F) {
    F.CreateBtn->Click();
    Harness::RunUntilIdle();
    if (F.PTShellTree1->IsEditing()) {
      Harness::KeyPress(VK_RETURN);
      Harness::RunUntilIdle();
    }
    F.PTShellTree1->SetSelectedPathName(Home / "docs/other");
    F.DeleteBtn->Click();
    Harness::RunUntilIdle();
    TModalWindowDriver::Press(F, "CancelBtn");
  });
  EXPECT_TRUE(std::filesystem::is_directory(Home / "docs/New Folder"));
  EXPECT_FALSE(std::filesystem::exists(Home / "docs/other"));
}

TEST_F(FolderBrowse, LayoutWithAndWithoutTheCreateAndDeleteButtons) {
  struct TGeometry {
    int Client, OkLeft, CancelLeft, TreeLeft, TreeRight, StatusRight, CreateIconLeft, DeleteIconLeft;
    bool CreateVisible, DeleteVisible;
    TRect Grip;
  };
  auto Measure = [&](TPTFolderBrowseDlgOptions Options) {
    Dlg->SetOptions(Options);
    TGeometry G{};
    Run([&](TPTFrmFolderBrowseDlg& F) {
      F.SetBounds(F.Left(), F.Top(), 500, 420);
      Harness::RunUntilIdle();
      G = {F.ClientWidth(),
           F.OkBtn->Left(),
           F.CancelBtn->Left(),
           F.PTShellTree1->Left(),
           F.PTShellTree1->Left() + F.PTShellTree1->Width(),
           F.StatusTxt->Left() + F.StatusTxt->Width(),
           F.CreateNewFolderBtn->Left(),
           F.DeleteFolderBtn->Left(),
           F.CreateBtn->Visible(),
           F.DeleteBtn->Visible(),
           {}};
      GetWindowRect(F.SizeGrip(), &G.Grip);
      TModalWindowDriver::Press(F, "CancelBtn");
    });
    return G;
  };
  const TGeometry Plain = Measure(PTFolderBrowseDlgDefaultOptions());
  EXPECT_FALSE(Plain.CreateVisible || Plain.DeleteVisible);
  EXPECT_EQ(Plain.CancelLeft, Plain.Client - 16 - 75);
  EXPECT_EQ(Plain.OkLeft, Plain.CancelLeft - 4 - 75);
  EXPECT_EQ(Plain.TreeRight - Plain.TreeLeft, Plain.Client - 24);
  EXPECT_EQ(Plain.DeleteIconLeft, Plain.Client - 16 - 23);
  EXPECT_EQ(Plain.CreateIconLeft, Plain.DeleteIconLeft - 8 - 23);
  EXPECT_EQ(Plain.StatusRight, Plain.CreateIconLeft - 4);
  EXPECT_EQ(Plain.Grip.Width(), 13);
  EXPECT_EQ(Plain.Grip.Height(), 13);

  const TGeometry Buttons = Measure(TPTFolderBrowseDlgOptions{ptfbCreateDeleteButtons, ptfbDeleteFolderIcon});
  EXPECT_TRUE(Buttons.CreateVisible && Buttons.DeleteVisible);
  EXPECT_EQ(Buttons.OkLeft, Buttons.TreeLeft);
  EXPECT_EQ(Buttons.CancelLeft, Buttons.OkLeft + 75 + 4);
  EXPECT_EQ(Buttons.StatusRight, Buttons.DeleteIconLeft - 8);
  EXPECT_EQ(Dlg->FormWidth, 500);
  EXPECT_EQ(Dlg->FormHeight, 420);
}

TEST_F(FolderBrowse, TheWindowCannotBeMadeSmallerThanItsMinimum) {
  int W = 0;
  int H = 0;
  Run([&](TPTFrmFolderBrowseDlg& F) {
    F.SetBounds(F.Left(), F.Top(), 100, 100);
    Harness::RunUntilIdle();
    W = F.Width();
    H = F.Height();
    TModalWindowDriver::Press(F, "CancelBtn");
  });
  EXPECT_EQ(W, TPTFrmFolderBrowseDlg::MinWidth);
  EXPECT_EQ(H, TPTFrmFolderBrowseDlg::MinHeight);
}

TEST_F(FolderBrowse, TheOKButtonAndReentryNeedTheRightState) {
  try {
    Dlg->SetOkEnabled(false);
    ADD_FAILURE() << "no error";
  } catch (const EInvalidOperation& E) {
    EXPECT_EQ(E.Message(), "TPTFolderBrowseDlg form not active");
  }
  EXPECT_THROW((void)Dlg->GetOkEnabled(), EInvalidOperation);
  std::string Again;
  bool Enabled = true;
  Run([&](TPTFrmFolderBrowseDlg& F) {
    Dlg->SetOkEnabled(false);
    Enabled = F.OkBtn->Enabled();
    try {
      Dlg->Execute();
    } catch (const EInvalidOperation& E) {
      Again = E.Message();
    }
    TModalWindowDriver::Press(F, "CancelBtn");
  });
  EXPECT_FALSE(Enabled);
  EXPECT_EQ(Again, "TPTFolderBrowseDlg already executing");
  EXPECT_EQ(Dlg->Form(), nullptr);
}

}  // namespace
