// What a user does with the items of a shell list: opening with the mouse and the keys, going up, renaming in
// place, new folders, deleting, copying and pasting through the clipboard, the context menu, and dragging items
// to the tree and back.
#include "platform/graphics/ScrollBars.h"
#include "platform/win/Messages.h"
#include "platform/win/VirtualKeys.h"
#include "tests/shell/ScriptedDropSource.h"
#include "tests/shell/UptshelllistFixture.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace ShellListTest;
using ShellListCommands = ShellListFixture;

bool Exists(const std::string& Path) {
  struct stat St {};
  return lstat(Path.c_str(), &St) == 0;
}

TPoint Centre(TListItem* Item) {
  const TRect R = Item->DisplayRect(drLabel);
  return Point(R.Left + 4, (R.Top + R.Bottom) / 2);
}

TEST_F(ShellListCommands, DoubleClickAndEnterOpenFoldersAndBackspaceGoesUp) {
  Open("docs");
  List->SetFocus();
  Harness::DoubleClick(List->Handle(), Centre(ItemNamed(List, "sub")));
  Harness::RunUntilIdle();
  EXPECT_EQ(List->Folder()->GetPathName(), Home / "docs/sub");
  Harness::KeyPress(VK_BACK);
  Harness::RunUntilIdle();
  EXPECT_EQ(List->Folder()->GetPathName(), Home / "docs");
  // Enter on a selected folder is the list's, not a dialog's default button.
  List->SetSelected(ItemNamed(List, "sub"));
  EXPECT_EQ(List->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 1);
  List->SetSelected(ItemNamed(List, "c.txt"));
  EXPECT_EQ(List->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 0);
  List->SetSelected(ItemNamed(List, "sub"));
  Harness::KeyPress(VK_RETURN);
  Harness::RunUntilIdle();
  EXPECT_EQ(List->Folder()->GetPathName(), Home / "docs/sub");
}

TEST_F(ShellListCommands, ShortcutsToFoldersAreFollowedAndFilesGoToTheOpenEvent) {
  ASSERT_TRUE(SUCCEEDED(CreateQuickShortcut(Home / "docs/to-sub.desktop", Home / "docs/sub")));
  Home.MakeFile("docs/sub/inside.txt");
  Open("docs");
  int Opens = 0;
  List->OnDblClickOpen = [&](TObject*, bool& Handled) {
    ++Opens;
    Handled = true;
  };
  List->SetSelected(ItemNamed(List, "c.txt"));
  List->OpenSelectedItems();
  EXPECT_EQ(Opens, 1);
  EXPECT_EQ(List->Folder()->GetPathName(), Home / "docs");
  TListItem* Link = nullptr;
  for (int I = 0; I < List->Items()->Count() && !Link; ++I) {
    if (List->GetShListData(I)->GetFilename() == "to-sub.desktop") {
      Link = List->Items()->Item(I);
    }
  }
  ASSERT_NE(Link, nullptr);
  List->OpenItem(Link);
  EXPECT_EQ(Opens, 1);
  EXPECT_EQ(List->Folder()->GetPathName(), Home / "docs/sub");
  EXPECT_EQ(Names(List), "inside.txt");
}

TEST_F(ShellListCommands, F2RenamesInPlaceAndARefusedNameKeepsTheCaption) {
  Open("docs");
  List->SetFocus();
  TListItem* B = ItemNamed(List, "b.html");
  List->SetSelected(B);
  B->SetFocused(true);
  Harness::KeyPress(VK_F2);
  Harness::RunUntilIdle();
  ASSERT_TRUE(List->IsEditing());
  Harness::TypeText("  renamed.html ");
  Harness::KeyPress(VK_RETURN);
  Harness::RunUntilIdle();
  EXPECT_FALSE(List->IsEditing());
  EXPECT_TRUE(Exists(Home / "docs/renamed.html"));
  EXPECT_FALSE(Exists(Home / "docs/b.html"));
  EXPECT_EQ(B->Caption(), "renamed.html");
  EXPECT_EQ(List->GetDataFromItem(B)->GetPathName(), Home / "docs/renamed.html");
  // The rename's own change notice is the one the list drops.
  EXPECT_TRUE(Harness::RunUntil([&] { return !List->SuppressNextNotice(); }, 3000));
  TListItem* C = ItemNamed(List, "c.txt");
  List->SetSelected(C);
  C->SetFocused(true);
  // Enter on the name as it stands renames nothing, so no notice is waited for to be dropped.
  Harness::KeyPress(VK_F2);
  Harness::RunUntilIdle();
  ASSERT_TRUE(List->IsEditing());
  Harness::KeyPress(VK_RETURN);
  Harness::RunUntilIdle();
  EXPECT_FALSE(List->SuppressNextNotice());
  EXPECT_EQ(C->Caption(), "c.txt");
  Harness::KeyPress(VK_F2);
  Harness::RunUntilIdle();
  Harness::TypeText("a.htm");
  Harness::KeyPress(VK_RETURN);
  Harness::RunUntilIdle();
  EXPECT_EQ(C->Caption(), "c.txt");
  EXPECT_TRUE(Exists(Home / "docs/c.txt"));
  ASSERT_FALSE(Dialogs.Shown().empty());
  EXPECT_NE(Dialogs.Shown().back().Text.find("already exists"), std::string::npos);
}

TEST_F(ShellListCommands, NewFoldersTakeTheNextFreeNameAndStartRenaming) {
  Open("docs");
  ASSERT_TRUE(List->CreateNewFolder(true));
  Harness::RunUntilIdle();
  EXPECT_TRUE(Exists(Home / "docs/New Folder"));
  ASSERT_TRUE(List->IsEditing());
  EXPECT_EQ(List->ItemFocused()->Caption(), "New Folder");
  Harness::KeyPress(VK_ESCAPE);
  Harness::RunUntilIdle();
  ASSERT_TRUE(List->CreateNewFolder(false));
  Harness::RunUntilIdle();
  EXPECT_FALSE(List->IsEditing());
  EXPECT_NE(ItemNamed(List, "New Folder (2)"), nullptr);
  // The new folders come at the end, unsorted, like every merged item.
  EXPECT_EQ(Names(List), "sub,.hidden,a.htm,b.html,c.txt,New Folder,New Folder (2)");
}

TEST_F(ShellListCommands, DelAndShiftDelSendTheSelectionToTheTrash) {
  Open("docs");
  List->SetMultiSelect(true);
  List->SetFocus();
  List->SetSelected(ItemNamed(List, "a.htm"));
  Harness::KeyPress(VK_DELETE);
  Harness::RunUntilIdle();
  EXPECT_FALSE(Exists(Home / "docs/a.htm"));
  EXPECT_TRUE(Exists(Home / ".local/share/Trash/files/a.htm"));
  EXPECT_EQ(Names(List), "sub,.hidden,b.html,c.txt");
  ItemNamed(List, "b.html")->SetSelected(true);
  List->SetSelected(ItemNamed(List, "c.txt"));
  ItemNamed(List, "b.html")->SetSelected(true);
  EXPECT_EQ(List->ShellSelCount(), 2);
  Harness::KeyPress(VK_DELETE, {true, false, false});
  Harness::RunUntilIdle();
  EXPECT_EQ(Names(List), "sub,.hidden");
  // A verb that the items' menu does not have runs nothing (it does not fall back to opening them).
  List->Folder()->SetIdList(nullptr);
  ClearShellExecuteRecords();
  SetShellExecuteRecording(true);
  EXPECT_TRUE(FAILED(List->DoCommandForItem(ItemNamed(List, "Home"), "delete")));
  EXPECT_TRUE(ShellExecuteRecords().empty());
  SetShellExecuteRecording(false);
}

TEST_F(ShellListCommands, CtrlCAndCtrlVCopyThroughTheClipboardAndCtrlASelectsAll) {
  Open("docs");
  List->SetMultiSelect(true);
  List->SetFocus();
  List->SetSelected(ItemNamed(List, "a.htm"));
  ItemNamed(List, "c.txt")->SetSelected(true);
  Harness::KeyPress('C', {false, true, false});
  Harness::RunUntilIdle();
  List->OpenItem(ItemNamed(List, "sub"));
  List->SetFocus();
  Harness::KeyPress('V', {false, true, false});
  Harness::RunUntilIdle();
  EXPECT_TRUE(Exists(Home / "docs/sub/a.htm"));
  EXPECT_TRUE(Exists(Home / "docs/sub/c.txt"));
  EXPECT_TRUE(Exists(Home / "docs/a.htm"));
  EXPECT_EQ(Names(List), "a.htm,c.txt");
  Harness::KeyPress('A', {false, true, false});
  Harness::RunUntilIdle();
  EXPECT_EQ(List->SelCount(), 2);
  // Cut and paste moves; names that exist get a number.
  Harness::KeyPress('X', {false, true, false});
  Harness::RunUntilIdle();
  List->GoUp(1);
  List->SetFocus();
  List->ClearSelection();
  Harness::KeyPress('V', {false, true, false});
  Harness::RunUntilIdle();
  EXPECT_FALSE(Exists(Home / "docs/sub/c.txt"));
  EXPECT_TRUE(Exists(Home / "docs/c (2).txt"));
  EXPECT_NE(ItemNamed(List, "c (2).txt"), nullptr);
}

TEST_F(ShellListCommands, TheWheelScrollsRowsInTheReportAndColumnsInTheListStyle) {
  for (int I = 0; I < 80; ++I) {
    Home.MakeFile("docs/f" + std::to_string(100 + I) + ".txt");
  }
  Open("docs");
  List->SetFocus();
  Harness::Wheel(List->Handle(), Point(50, 80), -1);
  Harness::RunUntilIdle();
  EXPECT_GT(List->TopItem()->Index(), 0);
  List->SetViewStyle(vsList);
  ASSERT_EQ(List->TopItem()->Index(), 0);
  Harness::Wheel(List->Handle(), Point(50, 80), -1);
  Harness::RunUntilIdle();
  SCROLLINFO Info;
  Info.fMask = SIF_POS;
  GetScrollInfo(List->Handle(), SB_HORZ, &Info);
  EXPECT_EQ(Info.nPos, 1);  // one column along
}

// Answers the context menu after a change notice arrived while it was open.
class TNoticeDuringMenu final : public TDialogService {
public:
  TDialogAnswer Run(const TDialogRequest& Request) override {
    Requests.push_back(Request);
    if (Request.Kind == "PopupMenu") {
      SendMessage(List, AM_CHANGENOTIFY, 0, 0);
    }
    return TDialogAnswer(Answer);
  }
  HWND List = 0;
  int Answer = 0;
  std::vector<TDialogRequest> Requests;
};

TEST_F(ShellListCommands, TheContextMenuDropsNoticesAndRunsItsCommand) {
  Open("docs");
  TListItem* Sub = ItemNamed(List, "sub");
  List->SetSelected(Sub);
  Sub->SetFocused(true);
  TNoticeDuringMenu Menu;
  Menu.List = List->Handle();
  SetDialogService(&Menu);
  List->ProcessMenuForAllSelected(Centre(Sub));
  ASSERT_EQ(Menu.Requests.size(), 1u);
  EXPECT_NE(Menu.Requests[0].Text.find("Rena&me\t1018"), std::string::npos) << Menu.Requests[0].Text;
  EXPECT_FALSE(List->RefreshTimer()->Enabled());
  EXPECT_FALSE(List->InDragOrMenu());
  Menu.Answer = 1000 + ShellCmdRename;
  List->ProcessMenu(Sub, Centre(Sub));
  EXPECT_TRUE(List->IsEditing());
  Harness::KeyPress(VK_ESCAPE);
  Harness::RunUntilIdle();
  Menu.Answer = 1000 + ShellCmdDelete;
  List->ProcessMenu(ItemNamed(List, "c.txt"), Centre(Sub));
  EXPECT_FALSE(Exists(Home / "docs/c.txt"));
  EXPECT_EQ(ItemNamed(List, "c.txt"), nullptr);  // refreshed after the command
  SetDialogService(&Dialogs);
}

// A list whose drop source walks a script of input steps, one per check of the drag loop.
class TScriptedList : public TPTShellList {
public:
  using TPTShellList::TPTShellList;
  std::vector<std::function<void()>> Script;
  IDropSource_NRC* CreateIDropSource(int Button) override {
    return new ShellTest::TScriptedDropSource(TPTShellList::CreateIDropSource(Button), Script);
  }
};

// A tree whose drop source walks a script of input steps, one per check of the drag loop.
class TScriptedTree : public TPTShellTree {
public:
  using TPTShellTree::TPTShellTree;
  std::vector<std::function<void()>> Script;
  IDropSource_NRC* CreateIDropSource(int Button, IDataObject_NRC* Data) override {
    return new ShellTest::TScriptedDropSource(TPTShellTree::CreateIDropSource(Button, Data), Script);
  }
};

class ShellListDrag : public ShellListFixture {
protected:
  void SetUp() override {
    ShellListFixture::SetUp();
    delete List;
    Scripted = TestSupport::Make<TScriptedList>(Form, Form, Rect(220, 0, 620, 360));
    Scripted->SetViewStyle(vsReport);
    List = Scripted;
    Tree = TestSupport::Make<TPTShellTree>(Form, Form, Rect(0, 0, 210, 360));
    Harness::RunUntilIdle();
  }
  void Drag(HWND From, TPoint A, HWND To, TPoint B) {
    Scripted->Script = {[=] { Harness::MouseMove(To, B); }, [=] { Harness::MouseMove(To, Point(B.X + 1, B.Y)); },
                        [=] { Harness::MouseUp(To, Point(B.X + 1, B.Y)); }};
    Harness::MouseMove(From, A);
    Harness::MouseDown(From, A);
    Harness::MouseMove(From, Point(A.X + 12, A.Y + 2));
    Harness::RunUntilIdle();
  }
  TScriptedList* Scripted = nullptr;
  TPTShellTree* Tree = nullptr;
};

TEST_F(ShellListDrag, FilesDraggedToATreeFolderMoveThereAndTheListRefreshes) {
  Tree->SetSelectedPathName(Home / "docs/sub");
  Open("docs");
  const TRect To = Tree->Selected()->DisplayRect(true);
  Drag(List->Handle(), Centre(ItemNamed(List, "a.htm")), Tree->Handle(), Point(To.Left + 3, To.Top + 3));
  EXPECT_TRUE(Exists(Home / "docs/sub/a.htm"));
  EXPECT_FALSE(Exists(Home / "docs/a.htm"));
  EXPECT_EQ(ItemNamed(List, "a.htm"), nullptr);
  EXPECT_FALSE(List->InDragOrMenu());
}

TEST_F(ShellListDrag, ATreeFolderDraggedOntoTheListMovesIntoTheListsFolder) {
  delete Tree;
  auto* Scripted = TestSupport::Make<TScriptedTree>(Form, Form, Rect(0, 0, 210, 360));
  Tree = Scripted;
  Harness::RunUntilIdle();
  Home.MakeDir("docs/other");
  Open("docs/sub");
  Tree->SetSelectedPathName(Home / "docs/other");
  const TRect From = Tree->Selected()->DisplayRect(true);
  const TPoint A = Point(From.Left + 3, From.Top + 3), B = Point(200, 300);
  const HWND To = List->Handle();
  Scripted->Script = {[=] { Harness::MouseMove(To, B); }, [=] { Harness::MouseMove(To, Point(B.X + 1, B.Y)); },
                      [=] { Harness::MouseUp(To, Point(B.X + 1, B.Y)); }};
  Harness::MouseMove(Tree->Handle(), A);
  Harness::MouseDown(Tree->Handle(), A);
  Harness::MouseMove(Tree->Handle(), Point(A.X + 12, A.Y + 12));
  Harness::RunUntilIdle();
  EXPECT_TRUE(Exists(Home / "docs/sub/other"));
  EXPECT_FALSE(Exists(Home / "docs/other"));
  EXPECT_NE(ItemNamed(List, "other"), nullptr);
}

TEST_F(ShellListDrag, FilesDroppedFromTheDesktopLandInTheListsFolderOrTheFolderItemUnderThePointer) {
  Home.MakeFile("dragged.txt");
  Open("docs");
  Harness::TDesktopData Data;
  Data.Files = {Home / "dragged.txt"};
  auto Action = Harness::DragFromDesktop(Data, {{List->Handle(), Point(300, 300)}}, true, {false, true, false});
  EXPECT_EQ(Action, Harness::TDropAction::Copy);
  EXPECT_TRUE(Exists(Home / "docs/dragged.txt"));
  EXPECT_NE(ItemNamed(List, "dragged.txt"), nullptr);
  Action = Harness::DragFromDesktop(Data, {{List->Handle(), Centre(ItemNamed(List, "sub"))}}, true,
                                    {false, true, false});
  EXPECT_EQ(Action, Harness::TDropAction::Copy);
  EXPECT_TRUE(Exists(Home / "docs/sub/dragged.txt"));
  EXPECT_TRUE(Exists(Home / "dragged.txt"));
}

TEST_F(ShellListDrag, TheListsOwnItemsDroppedOnItsEmptySpaceAreRefusedWithTheLeftButton) {
  Open("docs");
  int Fills = 0;
  List->OnFillComplete = [&](TObject*) { ++Fills; };
  const TPoint A = Centre(ItemNamed(List, "a.htm")), B = Point(300, 330);
  const HWND W = List->Handle();
  // A change notice during the drag is dropped, and a drag that ends without a drop refreshes nothing.
  Scripted->Script = {[=] { Harness::MouseMove(W, B); }, [=] { SendMessage(W, AM_CHANGENOTIFY, 0, 0); },
                      [=] { Harness::MouseMove(W, Point(B.X + 1, B.Y)); },
                      [=] { Harness::MouseUp(W, Point(B.X + 1, B.Y)); }};
  Harness::MouseMove(W, A);
  Harness::MouseDown(W, A);
  Harness::MouseMove(W, Point(A.X + 12, A.Y + 2));
  Harness::RunUntilIdle();
  EXPECT_FALSE(List->RefreshTimer()->Enabled());
  EXPECT_EQ(Fills, 0);
  EXPECT_EQ(Names(List), "sub,.hidden,a.htm,b.html,c.txt");
  EXPECT_FALSE(Exists(Home / "docs/a (2).htm"));
  // Onto a folder item of its own list the shell moves it.
  Drag(List->Handle(), Centre(ItemNamed(List, "a.htm")), List->Handle(), Centre(ItemNamed(List, "sub")));
  EXPECT_TRUE(Exists(Home / "docs/sub/a.htm"));
  EXPECT_EQ(ItemNamed(List, "a.htm"), nullptr);
}

TEST_F(ShellListDrag, AfterARightButtonDragTheNextRightClickOpensTheMenuAgain) {
  Open("docs");
  const TPoint A = Centre(ItemNamed(List, "a.htm")), B = Point(300, 330);
  const HWND W = List->Handle();
  // Onto its own folder: the folder takes nothing that already lies in it.
  Scripted->Script = {[=] { Harness::MouseMove(W, B); }, [=] { Harness::MouseMove(W, Point(B.X + 1, B.Y)); },
                      [=] { Harness::MouseUp(W, Point(B.X + 1, B.Y), Harness::TButton::Right); }};
  Harness::MouseMove(W, A);
  Harness::MouseDown(W, A, Harness::TButton::Right);
  Harness::MouseMove(W, Point(A.X + 12, A.Y + 2));
  Harness::RunUntilIdle();
  EXPECT_TRUE(List->DragStarted());
  EXPECT_FALSE(List->InDragOrMenu());
  EXPECT_EQ(Names(List), "sub,.hidden,a.htm,b.html,c.txt");
  const std::size_t Before = Dialogs.Shown().size();
  Harness::Click(W, Centre(ItemNamed(List, "c.txt")), Harness::TButton::Right);
  Harness::RunUntilIdle();
  const auto Shown = Dialogs.Shown();
  ASSERT_GT(Shown.size(), Before);
  EXPECT_EQ(Shown.back().Kind, "PopupMenu");
}

}  // namespace
