// The shell tree over a fixture home folder: filling, expanding, selecting by path and by locator, renaming in
// place, new folders, deleting to the trash, refreshing after changes made by another process on the timing of
// the change notices, device broadcasts, context menus, and drag and drop.
#include "shell/Uptshelltree.h"

#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"
#include "platform/win/Messages.h"
#include "platform/win/VirtualKeys.h"
#include "tests/shell/ScriptedDropSource.h"
#include "tests/shell/ShellTestHome.h"
#include "tests/support/Forms.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// The user's real home folder, read before any fixture points HOME elsewhere.
const std::string RealHome = std::getenv("HOME") ? std::getenv("HOME") : "";

std::string Children(TTreeNode* Node) {
  std::string S;
  for (TTreeNode* C = Node ? Node->getFirstChild() : nullptr; C; C = C->getNextSibling()) {
    S += (S.empty() ? "" : ",") + C->Text();
  }
  return S;
}

TTreeNode* Child(TTreeNode* Node, const std::string& Caption) {
  for (TTreeNode* C = Node ? Node->getFirstChild() : nullptr; C; C = C->getNextSibling()) {
    if (C->Text() == Caption) {
      return C;
    }
  }
  return nullptr;
}

bool Exists(const std::string& Path) {
  struct stat St {};
  return lstat(Path.c_str(), &St) == 0;
}

class ShellTree : public TestSupport::TFormTest {
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
    Tree = TestSupport::Make<TPTShellTree>(Form, Form, Rect(0, 0, 300, 220));
    Form->Show();
    Harness::RunUntilIdle();  // the deferred fill
  }
  void TearDown() override {
    SetDialogService(OldDialogs);
    TFormTest::TearDown();
  }
  TTreeNode* Root() { return Tree->Items()->GetFirstNode(); }
  TTreeNode* HomeNode() { return Child(Root(), "Home"); }
  void Select(const std::string& Rel) {
    Tree->SetSelectedPathName(Home / Rel);
    ASSERT_EQ(Tree->GetSelectedPathName(), Home / Rel);
  }

  ShellTest::THome Home;
  std::unique_ptr<TScriptedDialogs> Dialogs;
  TDialogService* OldDialogs = nullptr;
  TPTShellTree* Tree = nullptr;
};

TEST_F(ShellTree, ShowsTheDesktopWithItsFoldersAndExpandsOnDemand) {
  ASSERT_NE(Root(), nullptr);
  EXPECT_EQ(Root()->Text(), "Desktop");
  EXPECT_TRUE(Root()->Expanded());
  EXPECT_EQ(Children(Root()), "Home,Computer,Trash");
  EXPECT_EQ(Tree->Selected(), Root());
  TTreeNode* H = HomeNode();
  EXPECT_TRUE(H->HasChildren());
  EXPECT_EQ(H->Count(), 0);  // not read until expanded
  H->Expand(false);
  EXPECT_EQ(Children(H), "Desktop,docs,Documents");
  TTreeNode* Docs = Child(H, "docs");
  Docs->Expand(false);
  EXPECT_EQ(Children(Docs), "other,sub");  // folders only, in the namespace's order
  EXPECT_FALSE(Child(Docs, "other")->HasChildren());
  EXPECT_TRUE(Child(Docs, "sub")->HasChildren());
  TTreeNode* Computer = Child(Root(), "Computer");
  Computer->Expand(false);
  EXPECT_EQ(Computer->getFirstChild()->Text(), "File System");
  // With files included, every folder has a button and files show.
  TPTShellTreeOptions O = Tree->Options();
  O.Include(ptstoIncludeNonFolders);
  Tree->SetOptions(O);
  Tree->FillItems();
  Select("docs");
  Tree->Selected()->Expand(false);
  EXPECT_EQ(Children(Tree->Selected()), "other,sub,page.html");
  EXPECT_TRUE(Child(Tree->Selected(), "other")->HasChildren());
}

TEST_F(ShellTree, SelectsByPathAndByLocator) {
  Select("docs/sub/deep");
  EXPECT_EQ(Tree->Selected()->Text(), "deep");
  EXPECT_TRUE(Tree->Selected()->Parent()->Expanded());
  EXPECT_EQ(Tree->SelectedFolder()->GetPathName(), Home / "docs/sub/deep");
  TPTShellLocator L;
  L.SetCSIDL(csidlPersonal);
  Tree->SetSelectedFolder(&L);
  EXPECT_EQ(Tree->GetSelectedPathName(), Home / "Documents");
  L.SetIdList(nullptr);
  Tree->SetSelectedFolder(&L);
  EXPECT_EQ(Tree->Selected(), Root());
  // A folder that cannot be followed stops at the deepest folder reached.
  Tree->SetSelectedPathName(Home / "docs/missing");
  EXPECT_EQ(Tree->Selected(), Root());  // unparsable: the desktop
  Tree->GoUp(1);
  EXPECT_EQ(Tree->Selected(), Root());
  Select("docs/sub");
  Tree->GoUp(1);
  EXPECT_EQ(Tree->GetSelectedPathName(), Home / "docs");
}

TEST_F(ShellTree, RenamesInPlaceWithF2AndKeepsTheSelection) {
  Select("docs/sub");
  Tree->SetFocus();
  Harness::KeyPress(VK_F2);
  Harness::RunUntilIdle();
  ASSERT_TRUE(Tree->IsEditing());
  SetWindowText(Tree->EditHandle(), "  renamed  ");
  Harness::KeyPress(VK_RETURN);
  Harness::RunUntilIdle();
  EXPECT_FALSE(Tree->IsEditing());
  EXPECT_TRUE(Exists(Home / "docs/renamed"));
  EXPECT_FALSE(Exists(Home / "docs/sub"));
  EXPECT_EQ(Tree->Selected()->Text(), "renamed");
  EXPECT_EQ(Tree->GetSelectedPathName(), Home / "docs/renamed");
  // The rename's own change notice is the one the tree ignores.
  EXPECT_TRUE(Harness::RunUntil([&] { return !Tree->IgnoreNextNotice(); }, 3000));
  // Children of a renamed folder rebuild their paths from the new name.
  Tree->Selected()->Expand(false);
  auto* Deep = Tree->GetDataFromNode(Child(Tree->Selected(), "deep"));
  ASSERT_NE(Deep, nullptr);
  EXPECT_EQ(Deep->GetPathName(), Home / "docs/renamed/deep");
  // A name that exists is refused with the shell's message; the node keeps its caption.
  Select("docs/other");
  Tree->Selected()->EditText();
  SetWindowText(Tree->EditHandle(), "renamed");
  Harness::KeyPress(VK_RETURN);
  Harness::RunUntilIdle();
  EXPECT_EQ(Tree->Selected()->Text(), "other");
  ASSERT_FALSE(Dialogs->Shown().empty());
  EXPECT_NE(Dialogs->Shown().back().Text.find("already exists"), std::string::npos);
}

TEST_F(ShellTree, NewFoldersTakeTheNextFreeNameAndStartRenaming) {
  TManualClock Clock;  // the waits before the refresh pass at once
  TScopedClock Use(Clock);
  Select("docs");
  ASSERT_TRUE(Tree->CreateNewFolder(true));
  EXPECT_TRUE(Exists(Home / "docs/New Folder"));
  ASSERT_TRUE(Tree->IsEditing());
  EXPECT_EQ(Tree->EditingNode()->Text(), "New Folder");
  Harness::KeyPress(VK_ESCAPE);
  Harness::RunUntilIdle();
  ASSERT_TRUE(Tree->CreateNewFolder(false));
  EXPECT_TRUE(Exists(Home / "docs/New Folder (2)"));
  EXPECT_NE(Child(Tree->Selected(), "New Folder (2)"), nullptr);
  EXPECT_EQ(Clock.SleepCalls(), (std::vector<DWORD>{1000, 1000}));
  // With every long name taken, the short names follow.
  for (int N = 3; N <= 50; ++N) {
    Home.MakeDir("docs/New Folder (" + std::to_string(N) + ")");
  }
  std::string Name;
  ASSERT_TRUE(PTShCreateNewFolder(Home / "docs", Name));
  EXPECT_EQ(Name, "fldr");
  ASSERT_TRUE(PTShCreateNewFolder(Home / "docs", Name));
  EXPECT_EQ(Name, "fldr2");
  // A folder that cannot take new folders warns with the system's reason and answers false.
  if (geteuid() != 0) {
    chmod((Home / "docs/other").c_str(), 0500);
    const std::size_t Before = Dialogs->Shown().size();
    EXPECT_FALSE(PTShCreateNewFolder(Home / "docs/other", Name));
    ASSERT_GT(Dialogs->Shown().size(), Before);
    EXPECT_EQ(Dialogs->Shown()[Before].Text, "Unable to create the folder 'New Folder'\n\nAccess is denied.");
    chmod((Home / "docs/other").c_str(), 0700);
  }
}

TEST_F(ShellTree, DeleteSendsToTheTrashAndSelectsTheParent) {
  Select("docs/sub");
  Tree->SetFocus();
  Harness::KeyPress(VK_DELETE, {true, false, false});  // Shift+Del deletes like Del
  Harness::RunUntilIdle();
  EXPECT_FALSE(Exists(Home / "docs/sub"));
  EXPECT_TRUE(Exists(Home / ".local/share/Trash/files/sub/deep"));
  EXPECT_EQ(Tree->GetSelectedPathName(), Home / "docs");
  EXPECT_EQ(Children(Tree->Selected()), "other");
}

TEST_F(ShellTree, ChangesByAnotherProcessRefreshOnceAfterTheQuietPeriod) {
  TManualClock Clock;
  TScopedClock Use(Clock);
  Select("docs");
  Tree->Selected()->Expand(false);
  Tree->InstallChangeHandlersForAllLocalDrives();
  ASSERT_NE(Tree->ChangeThread(), nullptr);
  const auto& W = Tree->WatchedFolders();
  ASSERT_NE(std::find(W.begin(), W.end(), Home / "docs"), W.end());
  int Fills = 0;
  Tree->OnFillComplete = [&](TObject*) { ++Fills; };
  ASSERT_EQ(std::system(("mkdir '" + Home / "docs/made" + "' && mv '" + Home / "docs/other" + "' '" +
                         Home / "docs/moved" + "' && rmdir '" + Home / "docs/sub/deep" + "'")
                            .c_str()),
            0);
  ASSERT_TRUE(Harness::RunUntil([&] { return Tree->RefreshTimer()->Enabled(); }));
  Harness::RunUntil([] { return false; }, 200);  // let the burst's other notices arrive
  EXPECT_EQ(Tree->RefreshTimer()->Interval(), TPTCustomShellTree::RefreshDelayUnfocused);
  Harness::Advance(Clock, 1999);
  EXPECT_EQ(Fills, 0);
  EXPECT_EQ(Children(Child(HomeNode(), "docs")), "other,sub");
  Harness::Advance(Clock, 1);
  EXPECT_EQ(Fills, 1);
  EXPECT_EQ(Children(Child(HomeNode(), "docs")), "made,moved,sub");
  // With the focus the quiet period is 400 ms.
  Tree->SetFocus();
  Harness::RunUntilIdle();
  ASSERT_EQ(std::system(("mkdir '" + Home / "docs/again" + "'").c_str()), 0);
  ASSERT_TRUE(Harness::RunUntil([&] { return Tree->RefreshTimer()->Enabled(); }));
  EXPECT_EQ(Tree->RefreshTimer()->Interval(), TPTCustomShellTree::RefreshDelayFocused);
  Harness::Advance(Clock, 400);
  EXPECT_EQ(Children(Child(HomeNode(), "docs")), "again,made,moved,sub");
  // Deleting the selected folder outside the program selects its parent after the refresh.
  Select("docs/made");
  ASSERT_EQ(std::system(("rmdir '" + Home / "docs/made" + "'").c_str()), 0);
  ASSERT_TRUE(Harness::RunUntil([&] { return Tree->RefreshTimer()->Enabled(); }));
  Harness::Advance(Clock, 2000);
  EXPECT_EQ(Tree->GetSelectedPathName(), Home / "docs");
}

// Answers the context menu after a change notice arrived while it was open.
class TNoticeDuringMenu final : public TDialogService {
public:
  TDialogAnswer Run(const TDialogRequest& Request) override {
    Requests.push_back(Request);
    if (Request.Kind == "PopupMenu") {
      SendMessage(Tree, AM_CHANGENOTIFY, 0, 0);
    }
    return TDialogAnswer(Answer);
  }
  HWND Tree = 0;
  int Answer = 0;
  std::vector<TDialogRequest> Requests;
};

TEST_F(ShellTree, ContextMenuDropsNoticesAndRunsItsCommand) {
  Select("docs/sub");
  TNoticeDuringMenu Menu;
  Menu.Tree = Tree->Handle();
  SetDialogService(&Menu);
  const TRect R = Tree->Selected()->DisplayRect(true);
  Tree->DoNodeContextMenu(Tree->Selected(), Point(R.Left + 2, R.Top + 2));
  ASSERT_EQ(Menu.Requests.size(), 1u);
  EXPECT_NE(Menu.Requests[0].Text.find("Rena&me\t1018"), std::string::npos) << Menu.Requests[0].Text;
  EXPECT_FALSE(Tree->RefreshTimer()->Enabled());  // the notice during the menu was dropped
  Menu.Answer = 1000 + ShellCmdRename;
  Tree->DoNodeContextMenu(Tree->Selected(), Point(R.Left + 2, R.Top + 2));
  EXPECT_TRUE(Tree->IsEditing());  // the tree's own rename
  Tree->Selected()->EndEdit(true);
  Tree->Selected()->Expand(false);
  Menu.Answer = 1000 + ShellCmdNewFolder;
  Tree->DoNodeContextMenu(Tree->Selected(), Point(R.Left + 2, R.Top + 2));
  EXPECT_TRUE(Exists(Home / "docs/sub/New Folder"));
  EXPECT_NE(Child(Tree->Selected(), "New Folder"), nullptr);  // refreshed after the command
  SetDialogService(Dialogs.get());
}

TEST_F(ShellTree, DeviceArrivalRefreshesComputer) {
  TestSupport::TTempFolder Mounts("zubq-tree-mounts");
  TestSupport::TTempFolder Volume("zubq-volume");
  std::ofstream(Mounts / "mounts") << "overlay / overlay rw 0 0\n";
  SetMountTableFile(Mounts / "mounts");
  TTreeNode* Computer = Child(Root(), "Computer");
  Computer->Expand(false);
  EXPECT_EQ(Children(Computer), "File System");
  std::ofstream(Mounts / "mounts") << "overlay / overlay rw 0 0\n/dev/sdz1 " << Volume.Path() << " ext4 rw 0 0\n";
  BroadcastDeviceChange(DBT_DEVICEARRIVAL);
  Harness::RunUntilIdle();
  const std::string Label = Volume.Path().substr(Volume.Path().rfind('/') + 1);
  EXPECT_EQ(Children(Computer), "File System," + Label);
  std::ofstream(Mounts / "mounts") << "overlay / overlay rw 0 0\n";
  BroadcastDeviceChange(DBT_DEVICEREMOVECOMPLETE);
  Harness::RunUntilIdle();
  EXPECT_EQ(Children(Computer), "File System");
  SetMountTableFile("");
}

TEST_F(ShellTree, UnreadableFoldersBrokenLinksAndNamesThatAreNotUtf8) {
  Home.MakeDir("docs/locked");
  Home.MakeDir("docs/locked/inside");
  chmod((Home / "docs/locked").c_str(), 0);
  symlink((Home / "nowhere").c_str(), (Home / "docs/broken").c_str());
  const std::string Odd = std::string("odd") + static_cast<char>(0xFF);
  Home.MakeDir("docs/" + Odd);
  Select("docs");
  Tree->Selected()->Expand(false);
  EXPECT_EQ(Children(Tree->Selected()), "locked," + Odd + ",other,sub");
  TTreeNode* Locked = Child(Tree->Selected(), "locked");
  Locked->Expand(false);
  if (geteuid() != 0) {
    EXPECT_EQ(Locked->Count(), 0);
    EXPECT_TRUE(Locked->HasChildren());  // a second expansion tries again
  }
  Tree->SetSelectedPathName(Home / "docs" + "/" + Odd);
  EXPECT_EQ(Tree->GetSelectedPathName(), Home / "docs" + "/" + Odd);
  chmod((Home / "docs/locked").c_str(), 0700);
}

TEST_F(ShellTree, FilesDraggedFromTheDesktopLandInTheFolderUnderThePointer) {
  Select("docs/sub");
  Home.MakeFile("dragged.txt");
  const TRect R = Tree->Selected()->DisplayRect(true);
  Harness::TDesktopData Data;
  Data.Files = {Home / "dragged.txt"};
  const auto Action = Harness::DragFromDesktop(Data, {{Tree->Handle(), Point(R.Left + 3, R.Top + 3)}}, true,
                                               {false, true, false});
  EXPECT_EQ(Action, Harness::TDropAction::Copy);
  EXPECT_TRUE(Exists(Home / "docs/sub/dragged.txt"));
  EXPECT_TRUE(Exists(Home / "dragged.txt"));
}

// A tree whose drop source walks a script of input steps, one per check of the drag loop.
class TScriptedTree : public TPTShellTree {
public:
  using TPTShellTree::TPTShellTree;
  std::vector<std::function<void()>> Script;
  IDropSource_NRC* CreateIDropSource(int Button, IDataObject_NRC* Data) override {
    return new ShellTest::TScriptedDropSource(TPTShellTree::CreateIDropSource(Button, Data), Script);
  }
};

TEST_F(ShellTree, DraggingAFolderOntoAnotherCopiesWithCtrlAndMovesWithout) {
  auto* Scripted = TestSupport::Make<TScriptedTree>(Form, Form, Rect(0, 0, 300, 220));
  delete Tree;
  Tree = Scripted;
  Harness::RunUntilIdle();
  Select("docs/other");
  Select("docs/sub");
  TTreeNode* Sub = Tree->Selected();
  TTreeNode* Other = Child(Sub->Parent(), "other");
  const TRect From = Sub->DisplayRect(true), To = Other->DisplayRect(true);
  const TPoint A = Point(From.Left + 3, From.Top + 3), B = Point(To.Left + 3, To.Top + 3);
  const Harness::TMods Ctrl{false, true, false};
  Scripted->Script = {[&] { Harness::MouseMove(Tree->Handle(), B); },
                      [&] { Harness::KeyDown(VK_CONTROL); },
                      [&] { Harness::MouseMove(Tree->Handle(), Point(B.X + 1, B.Y), Ctrl); },
                      [&] { Harness::MouseUp(Tree->Handle(), Point(B.X + 1, B.Y), Harness::TButton::Left, Ctrl); }};
  Harness::MouseMove(Tree->Handle(), A);
  Harness::MouseDown(Tree->Handle(), A);
  Harness::MouseMove(Tree->Handle(), Point(A.X + 12, A.Y + 12), {});
  Harness::RunUntilIdle();
  Harness::KeyUp(VK_CONTROL);
  Harness::RunUntilIdle();
  EXPECT_TRUE(Exists(Home / "docs/other/sub/deep"));
  EXPECT_TRUE(Exists(Home / "docs/sub/deep"));
  EXPECT_FALSE(Tree->InDragOrMenu());
}

TEST_F(ShellTree, TheWheelScrollsTheTreeOrTheShellControlUnderThePointer) {
  for (int I = 0; I < 40; ++I) {
    Home.MakeDir("docs/f" + std::to_string(10 + I));
  }
  Select("docs");
  Tree->Selected()->Expand(false);
  Tree->SetTopItem(Root());
  Tree->SetFocus();
  Harness::Wheel(Tree->Handle(), Point(50, 50), -1);
  Harness::RunUntilIdle();
  EXPECT_NE(Tree->TopItem(), Root());
  // A second tree under the pointer takes the turn while the first keeps the focus.
  auto* Second = TestSupport::Make<TPTShellTree>(Form, Form, Rect(0, 0, 300, 220));
  Tree->SetBounds(0, 230, 300, 60);
  Harness::RunUntilIdle();
  Second->SetSelectedPathName(Home / "docs");
  Second->Selected()->Expand(false);
  Second->SetTopItem(Second->Items()->GetFirstNode());
  Tree->SetFocus();
  TTreeNode* FirstTop = Tree->TopItem();
  Harness::Wheel(Second->Handle(), Point(50, 50), -1);
  Harness::RunUntilIdle();
  EXPECT_NE(Second->TopItem(), Second->Items()->GetFirstNode());
  EXPECT_EQ(Tree->TopItem(), FirstTop);
}

class ShellTreeRealHome : public TestSupport::TFormTest {};

TEST_F(ShellTreeRealHome, ShowsTheRealHomeFolderWithoutTouchingIt) {
  if (RealHome.empty() || access(RealHome.c_str(), R_OK | X_OK) != 0) {
    GTEST_SKIP() << "no readable home folder";
  }
  setenv("HOME", RealHome.c_str(), 1);
  auto* Tree = TestSupport::Make<TPTShellTree>(Form, Form, Rect(0, 0, 300, 220));
  TPTShellTreeOptions O = Tree->Options();
  O.Exclude(ptstoDynamicRefresh);
  Tree->SetOptions(O);
  Form->Show();
  Harness::RunUntilIdle();
  TTreeNode* Home = Child(Tree->Items()->GetFirstNode(), "Home");
  ASSERT_NE(Home, nullptr);
  Home->Expand(false);
  Tree->SetSelectedPathName(RealHome);
  EXPECT_EQ(Tree->GetSelectedPathName(), RealHome);
  for (TTreeNode* C = Home->getFirstChild(); C; C = C->getNextSibling()) {
    EXPECT_EQ(Tree->GetDataFromNode(C)->GetPathName().rfind(RealHome + "/", 0), 0u);
  }
}

}  // namespace
