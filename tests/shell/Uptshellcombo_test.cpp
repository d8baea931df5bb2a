// The shell combo box over a fixture home folder: the entries for a selected folder (the desktop, its folders,
// the volumes and the chain down to the folder), choosing an entry, going up, and the links to a shell tree and
// a shell list.
#include "shell/Uptshellcombo.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"
#include "platform/win/Messages.h"
#include "platform/win/WinMenu.h"
#include "tests/shell/ShellTestHome.h"
#include "tests/support/Forms.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A shell list as the combo box sees it: a folder, and what it was told.
class TFakeList : public TComponent, public TPTShellListLink {
public:
  explicit TFakeList(TComponent* AOwner) : TComponent(AOwner) {}
  void SetShellCombo(TPTShellComboLink* C) override { Combo = C; }
  TPTShellLocator* ListFolder() override { return &Folder; }
  void SynchronizeFromLink() override { ++Synchronized; }
  TComponent* LinkComponent() override { return this; }
  TPTShellComboLink* Combo = nullptr;
  TPTShellLocator Folder;
  int Synchronized = 0;
};

class ShellCombo : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    Home.MakeDir("Desktop");
    Home.MakeDir("docs");
    Home.MakeDir("docs/sub");
    Home.MakeDir("docs/sub/deep");
    Home.MakeDir("docs/other");
    Home.MakeFile("docs/page.html");
    Home.MakeDir("Documents");
    TFormTest::SetUp();
    Dialogs = std::make_unique<TScriptedDialogs>();
    OldDialogs = SetDialogService(Dialogs.get());
    Form->SetBounds(40, 40, 400, 300);
    Combo = TestSupport::Make<TPTShellCombo>(Form, Form, Rect(10, 10, 300, 34));
    Form->Show();
    Harness::RunUntilIdle();
  }
  void TearDown() override {
    SetDialogService(OldDialogs);
    TFormTest::TearDown();
  }
  // Every entry drawn once (as the open list does), then "indent:caption", the selected one marked with "*".
  std::vector<std::string> Entries() {
    std::vector<std::string> Out;
    TBitmap Bmp;
    Bmp.SetSize(300, 18);
    for (int I = 0; I < Combo->ItemCount(); ++I) {
      DRAWITEMSTRUCT D;
      D.CtlType = ODT_COMBOBOX;
      D.itemID = static_cast<UINT>(I);
      D.hwndItem = Combo->Handle();
      D.hDC = Bmp.Canvas()->Handle();
      D.rcItem = Rect(0, 0, 300, 18);
      SendMessage(Form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&D));
      TPTImageComboItem* Item = Combo->GetImageComboItem(I);
      Out.push_back(std::string(I == Combo->ItemIndex() ? "*" : "") + std::to_string(Item->Indent()) + ":" +
                    Item->Caption());
    }
    return Out;
  }
  int IndexOf(const std::string& Entry) {
    const auto E = Entries();
    const auto It = std::find(E.begin(), E.end(), Entry);
    return It == E.end() ? -1 : static_cast<int>(It - E.begin());
  }
  // Chooses an entry in the open list as the user does: the box reports the end of the selection.
  void Choose(int Index) {
    Combo->SetItemIndex(Index);
    const auto Box = static_cast<LPARAM>(Combo->Handle());
    SendMessage(Form->Handle(), WM_COMMAND, static_cast<WPARAM>(CBN_SELENDOK) << 16, Box);
    SendMessage(Form->Handle(), WM_COMMAND, static_cast<WPARAM>(CBN_CLOSEUP) << 16, Box);
    Harness::RunUntilIdle();
  }
  std::string Selected() {
    const auto E = Entries();
    for (const std::string& S : E) {
      if (S[0] == '*') {
        return S.substr(1);
      }
    }
    return {};
  }

  ShellTest::THome Home;
  std::unique_ptr<TScriptedDialogs> Dialogs;
  TDialogService* OldDialogs = nullptr;
  TPTShellCombo* Combo = nullptr;
};

TEST_F(ShellCombo, ShowsTheDesktopItsFoldersAndTheVolumes) {
  const auto E = Entries();
  ASSERT_GE(E.size(), 5u);
  EXPECT_EQ(E[0], "*0:Desktop");  // nothing chosen: the desktop
  EXPECT_EQ(E[1], "1:Home");
  EXPECT_EQ(E[2], "1:Computer");
  EXPECT_EQ(E[3], "2:File System");
  EXPECT_EQ(E.back(), "1:Trash");
  for (std::size_t I = 3; I + 1 < E.size(); ++I) {
    EXPECT_EQ(E[I].substr(0, 2), "2:") << E[I];  // only volumes between Computer and Trash
  }
}

TEST_F(ShellCombo, ShowsTheChainDownToTheSelectedFolderIndentedByDepth) {
  Combo->GetSelectedFolder()->SetPathName(Home / "docs/sub");
  const auto E = Entries();
  ASSERT_GE(E.size(), 6u);
  EXPECT_EQ((std::vector<std::string>(E.begin(), E.begin() + 6)),
            (std::vector<std::string>{"0:Desktop", "1:Home", "2:docs", "*3:sub", "1:Computer", "2:File System"}));
  EXPECT_EQ(IndexOf("3:other"), -1);  // only the chain, not its siblings
  EXPECT_EQ(Combo->GetShComboData(Combo->ItemIndex())->GetThisIShf() != nullptr, true);
}

TEST_F(ShellCombo, AFolderOnAVolumeSitsUnderItsVolumeAndGoUpClimbsTheChain) {
  TestSupport::TTempFolder Outside("zubq-combo");
  mkdir((Outside / "a").c_str(), 0700);
  mkdir((Outside / "a/b").c_str(), 0700);
  Combo->GetSelectedFolder()->SetPathName(Outside / "a/b");
  auto E = Entries();
  const int B = Combo->ItemIndex();
  ASSERT_GT(B, 0);
  const int Depth = Combo->GetImageComboItem(B)->Indent();
  EXPECT_EQ(E[static_cast<std::size_t>(B)], "*" + std::to_string(Depth) + ":b");
  EXPECT_EQ(E[static_cast<std::size_t>(B) - 1], std::to_string(Depth - 1) + ":a");
  // Up the chain: each entry one level less deep, down to a volume at 2 under Computer at 1.
  int I = B;
  while (Combo->GetImageComboItem(I)->Indent() > 2) {
    ASSERT_EQ(Combo->GetImageComboItem(I - 1)->Indent(), Combo->GetImageComboItem(I)->Indent() - 1);
    --I;
  }
  const int Volume = I;
  int Computer = Volume;
  while (Combo->GetImageComboItem(Computer)->Indent() != 1) {
    --Computer;
  }
  EXPECT_EQ(E[static_cast<std::size_t>(Computer)], "1:Computer");

  Combo->GoUp(1);
  EXPECT_EQ(Selected(), std::to_string(Depth - 1) + ":a");
  EXPECT_EQ(Combo->GetSelectedFolder()->GetPathName(), Outside / "a");
  // From a volume one level up is Computer.
  Choose(IndexOf("2:File System"));
  EXPECT_EQ(Selected(), "2:File System");
  Combo->GoUp(1);
  EXPECT_EQ(Selected(), "1:Computer");
  EXPECT_EQ(Combo->GetSelectedFolder()->GetIdList() != nullptr, true);
  // From the desktop nothing changes.
  Choose(0);
  Combo->GoUp(1);
  EXPECT_EQ(Selected(), "0:Desktop");
  EXPECT_EQ(Combo->GetSelectedFolder()->GetIdList(), nullptr);
}

TEST_F(ShellCombo, ChoosingAnEntryMovesTheLinkedTreeAndTheTreeRefillsTheCombo) {
  auto* Tree = TestSupport::Make<TPTShellTree>(Form, Form, Rect(10, 40, 300, 200));
  Harness::RunUntilIdle();
  Combo->SetShellTree(Tree);
  EXPECT_EQ(Tree->ShellCombo(), static_cast<TPTShellTreeLink*>(Combo));
  std::vector<std::string> Events;
  Combo->OnSelEndOk = [&](TObject*) { Events.push_back("selendok"); };
  // The tree moves: the combo shows the chain down to its folder.
  Tree->SetSelectedPathName(Home / "docs/sub/deep");
  Harness::RunUntilIdle();
  EXPECT_EQ(Selected(), "4:deep");
  EXPECT_NE(IndexOf("3:sub"), -1);
  // Choosing an entry moves the tree.
  Choose(IndexOf("2:docs"));
  EXPECT_EQ(Events, (std::vector<std::string>{"selendok"}));
  EXPECT_EQ(Tree->GetSelectedPathName(), Home / "docs");
  EXPECT_EQ(Selected(), "2:docs");
  EXPECT_EQ(IndexOf("3:sub"), -1);
  // The tree's selection by the user (a click on a node) refills the combo.
  Tree->Selected()->Expand(false);
  TTreeNode* Other = Tree->Selected()->getFirstChild();
  ASSERT_NE(Other, nullptr);
  ASSERT_EQ(Other->Text(), "other");
  const TRect R = Other->DisplayRect(true);
  Harness::Click(Tree->Handle(), Point(R.Left + 2, (R.Top + R.Bottom) / 2));
  Harness::RunUntilIdle();
  EXPECT_EQ(Tree->GetSelectedPathName(), Home / "docs/other");
  EXPECT_EQ(Selected(), "3:other");
  // Linking a list while the tree is linked is ignored; a freed tree is forgotten.
  TFakeList List(nullptr);
  Combo->SetShellList(&List);
  EXPECT_EQ(Combo->ShellList(), nullptr);
  EXPECT_EQ(List.Combo, nullptr);
  delete Tree;
  EXPECT_EQ(Combo->ShellTree(), nullptr);
}

TEST_F(ShellCombo, ALinkedListFollowsTheComboAndMovesIt) {
  auto* List = new TFakeList(Form);
  Combo->SetShellList(List);
  EXPECT_EQ(List->Combo, static_cast<TPTShellComboLink*>(Combo));
  // Choosing an entry gives the list's folder its id list.
  Combo->GetSelectedFolder()->SetPathName(Home / "docs/sub");
  EXPECT_EQ(List->Folder.GetPathName(), Home / "docs/sub");
  Choose(IndexOf("1:Home"));
  EXPECT_EQ(List->Folder.GetPathName(), Home.Path());
  // The list moves the combo through its selected folder: the entries follow.
  List->Combo->ComboSelectedFolder()->SetPathName(Home / "Documents");
  EXPECT_EQ(Selected(), "2:Documents");
  List->Combo->ComboGoUp(1);
  EXPECT_EQ(Selected(), "1:Home");
  Combo->Synchronize(true);
  EXPECT_EQ(List->Synchronized, 1);
  // Another list: the previous one is told to unlink.
  TFakeList Second(nullptr);
  Combo->SetShellList(&Second);
  EXPECT_EQ(List->Combo, nullptr);
  EXPECT_EQ(Second.Combo, static_cast<TPTShellComboLink*>(Combo));
  Combo->SetShellList(nullptr);
  EXPECT_EQ(Second.Combo, nullptr);
  // A linked list that is freed is forgotten.
  Combo->SetShellList(List);
  delete List;
  EXPECT_EQ(Combo->ShellList(), nullptr);
}

TEST_F(ShellCombo, FillsItsEntriesOnlyWhenDrawnAndSizesItsDropDownToTheScreen) {
  Combo->GetSelectedFolder()->SetPathName(Home / "docs");
  // Before drawing, only the desktop and the selected folder know their captions.
  int Known = 0;
  for (int I = 0; I < Combo->ItemCount(); ++I) {
    Known += Combo->GetImageComboItem(I)->Caption().empty() ? 0 : 1;
  }
  EXPECT_EQ(Known, 2);
  EXPECT_EQ(Combo->GetImageComboItem(Combo->ItemIndex())->Caption(), "docs");
  Entries();
  for (int I = 0; I < Combo->ItemCount(); ++I) {
    EXPECT_FALSE(Combo->GetImageComboItem(I)->Caption().empty()) << I;
    EXPECT_GE(Combo->GetImageComboItem(I)->ImageIndex(), 0) << I;
  }
  std::vector<int> Counts;
  Combo->OnDropDown = [&](TObject*) { Counts.push_back(Combo->DropDownCount); };
  Combo->SetDroppedDown(true);
  Harness::RunUntilIdle();
  Combo->SetDroppedDown(false);
  Harness::RunUntilIdle();
  const int Y = Form->ClientToScreen(Point(0, Combo->Top() + Combo->Height())).Y;
  ASSERT_EQ(Counts.size(), 1u);
  EXPECT_EQ(Counts[0], (Screen->Height() - Y - 1) / Combo->ItemHeight());
}

TEST_F(ShellCombo, AFormLayoutLinksTheComboToItsTree) {
  RegisterClasses({TPTShellCombo::StaticClass(), TPTShellTree::StaticClass()});
  TStringStream In(
      "object Form1: TForm\r\n"
      "  object LookIn: TPTShellCombo\r\n"
      "    Left = 10\r\n    Top = 60\r\n    Width = 280\r\n    Height = 22\r\n"
      "    ShellTree = Folders\r\n"
      "    IndentPixels = 10\r\n"
      "  end\r\n"
      "  object Folders: TPTShellTree\r\n"
      "    Left = 10\r\n    Top = 90\r\n    Width = 280\r\n    Height = 150\r\n"
      "  end\r\n"
      "end\r\n");
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  Bin.SetPosition(0);
  Bin.ReadComponent(Form);
  auto* LookIn = dynamic_cast<TPTShellCombo*>(Form->FindComponent("LookIn"));
  auto* Folders = dynamic_cast<TPTShellTree*>(Form->FindComponent("Folders"));
  ASSERT_NE(LookIn, nullptr);
  ASSERT_NE(Folders, nullptr);
  EXPECT_EQ(LookIn->ShellTree(), Folders);
  EXPECT_EQ(Folders->ShellCombo(), static_cast<TPTShellTreeLink*>(LookIn));
  EXPECT_EQ(LookIn->IndentPixels(), 10);
  Harness::RunUntilIdle();
  Folders->SetSelectedPathName(Home / "Documents");
  Harness::RunUntilIdle();
  Combo = LookIn;
  EXPECT_EQ(Selected(), "2:Documents");
}

// A combo box that leaves out everything below the desktop's own folders.
class TTopLevelCombo : public TPTShellCombo {
public:
  using TPTShellCombo::TPTShellCombo;
  bool CanAdd(IShellFolder_NRC*, LPCITEMIDLIST, int Level, ULONG, LPCITEMIDLIST) override { return Level < 2; }
};

TEST_F(ShellCombo, LeavesOutWhatItsOptionsAndFilterRefuse) {
  TPTShellComboOptions O = Combo->Options();
  O.Exclude(ptscoNonFilesystemAncestors);
  Combo->SetOptions(O);
  Combo->FillItems();
  // The trash is neither in the file system nor above it.
  EXPECT_EQ(IndexOf("1:Trash"), -1);
  EXPECT_NE(IndexOf("1:Home"), -1);
  EXPECT_NE(IndexOf("2:File System"), -1);
  auto* Top = TestSupport::Make<TTopLevelCombo>(Form, Form, Rect(10, 40, 300, 64));
  Harness::RunUntilIdle();
  Combo = Top;  // the entries of the filtered box
  EXPECT_EQ(Entries(), (std::vector<std::string>{"*0:Desktop", "1:Home", "1:Computer", "1:Trash"}));
}

}  // namespace
