// The base tree control: custom-draw wrappers answering the platform's custom-draw notifications, and node
// context menus from the right button and the menu key.
#include "shell/Upttreelist.h"

#include "platform/controls/Menus.h"
#include "platform/win/DialogService.h"
#include "platform/win/Messages.h"
#include "platform/win/VirtualKeys.h"
#include "tests/support/Forms.h"

#include <gtest/gtest.h>

namespace {

class TreeList : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    TFormTest::SetUp();
    OldDialogs = SetDialogService(&Dialogs);
    Tree = TestSupport::Make<TPTTreeView>(Form, Form, Rect(0, 0, 200, 150));
    A = Tree->Items()->Add(nullptr, "alpha");
    B = Tree->Items()->Add(nullptr, "beta");
    Form->Show();
    Harness::RunUntilIdle();
  }
  void TearDown() override {
    SetDialogService(OldDialogs);
    TFormTest::TearDown();
  }
  // Sends one custom-draw notification as the control's painting does.
  LRESULT Draw(DWORD Stage, TTreeNode* Node, NMTVCUSTOMDRAW& CD) {
    CD.nmcd.hdr.hwndFrom = Tree->Handle();
    CD.nmcd.hdr.code = NM_CUSTOMDRAW;
    CD.nmcd.dwDrawStage = Stage;
    CD.nmcd.lItemlParam = reinterpret_cast<LPARAM>(Node);
    CD.clrText = 0;
    CD.clrTextBk = 0xFFFFFF;
    return Tree->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&CD));
  }
  TScriptedDialogs Dialogs;
  TDialogService* OldDialogs = nullptr;
  TPTTreeView* Tree = nullptr;
  TTreeNode* A = nullptr;
  TTreeNode* B = nullptr;
};

TEST_F(TreeList, HandlersSkipItemsOrSetTheirColours) {
  NMTVCUSTOMDRAW CD;
  EXPECT_EQ(Draw(CDDS_PREPAINT, nullptr, CD), 0);  // nobody listens: the platform draws as usual
  std::vector<std::string> Seen;
  Tree->OnPTCustomDrawEx = [&](TObject*, TPTCustomDraw* W, TTreeNode* Node) {
    Seen.push_back(std::to_string(W->GetDrawStage()) + (Node ? ":" + Node->Text() : ""));
    if (W->GetDrawStage() == ptcdsItemPrePaint && Node == A) {
      W->SkipDefault = true;
    }
  };
  Tree->OnPTCustomDraw = [&](TObject*, TPTCustomDraw* W, TTreeNode* Node) {
    if (Node == B) {
      W->GetFont()->SetColor(clRed);
    }
  };
  EXPECT_EQ(Draw(CDDS_PREPAINT, nullptr, CD), CDRF_NOTIFYITEMDRAW);
  EXPECT_TRUE(Draw(CDDS_ITEMPREPAINT, A, CD) & CDRF_SKIPDEFAULT);
  const LRESULT R = Draw(CDDS_ITEMPREPAINT, B, CD);
  EXPECT_TRUE(R & CDRF_NEWFONT);
  EXPECT_FALSE(R & CDRF_SKIPDEFAULT);
  EXPECT_EQ(CD.clrText, ColorToRGB(clRed));
  EXPECT_EQ(Seen, (std::vector<std::string>{"1", "4:alpha", "4:beta"}));
  // A handler that sets the result itself has the last word.
  Tree->OnPTCustomDraw = [&](TObject*, TPTCustomDraw* W, TTreeNode*) { W->SetResult(CDRF_NOTIFYPOSTPAINT); };
  EXPECT_EQ(Draw(CDDS_ITEMPREPAINT, B, CD) & ~CDRF_NOTIFYITEMDRAW, CDRF_NOTIFYPOSTPAINT);
  // Painting runs through the same path.
  Tree->Repaint();
  Harness::RunUntilIdle();
  EXPECT_GT(Seen.size(), 3u);
}

TEST_F(TreeList, RightClickOpensOnlyTheNodesMenuAndTheMenuKeyUsesTheSelection) {
  auto* ControlMenu = TestSupport::Make<TPopupMenu>(Form);
  ControlMenu->Items()->Add(NewItem("Control", 0, false, true, nullptr, 0, "ControlItem"));
  auto* NodeMenu = TestSupport::Make<TPopupMenu>(Form);
  NodeMenu->Items()->Add(NewItem("Node", 0, false, true, nullptr, 0, "NodeItem"));
  Tree->SetPopupMenu(ControlMenu);
  TTreeNode* Asked = nullptr;
  Tree->OnNodeContextMenu = [&](TObject*, TTreeNode* Node, TPoint, TPopupMenu*& Menu) {
    Asked = Node;
    Menu = NodeMenu;
  };
  const TRect R = B->DisplayRect(true);
  Harness::Click(Tree->Handle(), Point(R.Left + 3, R.Top + 3), Harness::TButton::Right);
  Harness::RunUntilIdle();
  EXPECT_EQ(Asked, B);
  ASSERT_EQ(Dialogs.Shown().size(), 1u);
  EXPECT_NE(Dialogs.Shown()[0].Text.find("Node"), std::string::npos);
  // The menu key without a selection: the control's menu at the client origin.
  Tree->SetSelected(nullptr);
  Tree->SetFocus();
  Harness::KeyPress(VK_APPS);
  Harness::RunUntilIdle();
  ASSERT_EQ(Dialogs.Shown().size(), 2u);
  EXPECT_NE(Dialogs.Shown()[1].Text.find("Control"), std::string::npos);
  const TPoint Origin = Tree->ClientToScreen(Point(0, 0));
  EXPECT_EQ(Dialogs.Shown()[1].Params.at("X"), std::to_string(Origin.X));
  // With a selection, Shift+F10 asks for the selected node's menu.
  Tree->SetSelected(A);
  Harness::KeyPress(VK_F10, {true, false, false});
  Harness::RunUntilIdle();
  EXPECT_EQ(Asked, A);
  EXPECT_EQ(Dialogs.Shown().size(), 3u);
}

int HeaderFormat(TPTListView* List, int Column) {
  HDITEM Item;
  Item.mask = HDI_FORMAT;
  SendMessage(List->GetHeaderHandle(), HDM_GETITEM, static_cast<WPARAM>(Column), reinterpret_cast<LPARAM>(&Item));
  return Item.fmt;
}

TEST_F(TreeList, ListHeaderShowsTheSortMarkOrDrawsItself) {
  auto* List = TestSupport::Make<TPTListView>(Form, Form, Rect(0, 150, 300, 230));
  for (const char* C : {"Name", "Size", "Type"}) {
    List->Columns()->Add()->SetCaption(C);
  }
  List->Columns()->Items(1)->SetAlignment(taRightJustify);
  List->SetViewStyle(vsReport);
  Harness::RunUntilIdle();
  ASSERT_NE(List->GetHeaderHandle(), 0u);
  List->SetHeaderSortColumn(2);
  List->SetHeaderSortDirection(ptsdDesc);
  // The common controls here are version 6: the header's own mark, right of the text.
  EXPECT_EQ(HeaderFormat(List, 2) & (HDF_SORTDOWN | HDF_SORTUP | HDF_OWNERDRAW), HDF_SORTDOWN);
  EXPECT_EQ(HeaderFormat(List, 0) & (HDF_SORTDOWN | HDF_SORTUP | HDF_OWNERDRAW), 0);
  EXPECT_EQ(HeaderFormat(List, 1) & HDF_JUSTIFYMASK, HDF_RIGHT);
  List->SetHeaderSortDisplayMode(ptlvLeftAlign);
  for (int I = 0; I < 3; ++I) {
    EXPECT_TRUE(HeaderFormat(List, I) & HDF_OWNERDRAW) << I;
  }
  EXPECT_EQ(HeaderFormat(List, 1) & HDF_JUSTIFYMASK, HDF_RIGHT);
  List->Repaint();  // the owner-drawn items draw through DrawHeader
  Harness::RunUntilIdle();
  List->SetHeaderSortDisplayMode(ptlvNone);
  EXPECT_EQ(HeaderFormat(List, 2) & (HDF_SORTDOWN | HDF_OWNERDRAW), 0);
}

TEST_F(TreeList, ListItemsOpenTheirContextMenuOnce) {
  auto* List = TestSupport::Make<TPTListView>(Form, Form, Rect(0, 150, 300, 230));
  List->SetViewStyle(vsList);
  TListItem* Item = List->Items()->Add();
  Item->SetCaption("one");
  auto* Menu = TestSupport::Make<TPopupMenu>(Form);
  Menu->Items()->Add(NewItem("Item", 0, false, true, nullptr, 0, "ItemEntry"));
  TListItem* Asked = nullptr;
  List->OnItemContextMenu = [&](TObject*, TListItem* I, TPoint, TPopupMenu*& M) {
    Asked = I;
    M = Menu;
  };
  Harness::RunUntilIdle();
  List->SetItemFocused(Item);
  List->SetFocus();
  Harness::KeyPress(VK_APPS);
  Harness::RunUntilIdle();
  EXPECT_EQ(Asked, Item);
  EXPECT_EQ(Dialogs.Shown().size(), 1u);
}

}  // namespace
