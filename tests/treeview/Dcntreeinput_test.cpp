// Mouse, keyboard, type-ahead, multiple selection, the rubber band and the delayed selection notification of the
// tree view, driven through the harness as a user would.
#include "TreeTestUtil.h"

#include "platform/win/Clock.h"

using namespace TreeTest;

namespace {

class InputTest : public TreeFixture {
protected:
  void SetUp() override {
    TreeFixture::SetUp();
    Clock = std::make_unique<TManualClock>();
    Scoped = std::make_unique<TScopedClock>(*Clock);
  }
  void TearDown() override {
    TreeFixture::TearDown();
    Scoped.reset();
  }
  // a(a1 a2) b(b1 b2) c, expanded.
  void Fill() {
    A = Items()->Add(nullptr, "alpha");
    A1 = Items()->AddChild(A, "apple");
    A2 = Items()->AddChild(A, "avocado");
    B = Items()->Add(nullptr, "beta");
    B1 = Items()->AddChild(B, "banana");
    B2 = Items()->AddChild(B, "Berry");
    C = Items()->Add(nullptr, "gamma");
    Tree->FullExpand();
  }
  // The middle of a node's label in client coordinates.
  TPoint LabelPoint(ZEZTreeNode* N) {
    const TRect R = N->DisplayRect(true);
    return Point((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
  }
  void ClickOn(ZEZTreeNode* N, Harness::TMods Mods = {}) {
    Harness::Click(Tree->Handle(), LabelPoint(N), Harness::TButton::Left, Mods);
    Harness::RunUntilIdle();
  }
  void Key(WORD Vk, Harness::TMods Mods = {}) {
    Harness::KeyPress(Vk, Mods);
    Harness::RunUntilIdle();
  }
  std::string SelectedTexts() {
    std::string S;
    for (ZEZTreeNode* N = Items()->GetFirstNode(); N; N = N->GetNext()) {
      if (N->GetSelected()) {
        S += (S.empty() ? "" : " ") + N->GetText();
      }
    }
    return S;
  }

  std::unique_ptr<TManualClock> Clock;
  std::unique_ptr<TScopedClock> Scoped;
  ZEZTreeNode *A = nullptr, *A1 = nullptr, *A2 = nullptr, *B = nullptr, *B1 = nullptr, *B2 = nullptr, *C = nullptr;
};

TEST_F(InputTest, HitTestNamesTheRowParts) {
  Fill();
  Show();
  auto Hit = Tree->GetHitTest(LabelPoint(A1).X, LabelPoint(A1).Y);
  EXPECT_EQ(Hit.Node, A1);
  EXPECT_TRUE(Hit.HitTests.Contains(dhtOnLabel));
  EXPECT_TRUE(Hit.HitTests.Contains(dhtOnItem));
  const TRect Btn = A->DisplayRectPart(npButton, npButton, false);
  Hit = Tree->GetHitTest((Btn.Left + Btn.Right) / 2, (Btn.Top + Btn.Bottom) / 2);
  EXPECT_EQ(Hit.Node, A);
  EXPECT_TRUE(Hit.HitTests.Contains(dhtOnButton));
  // A leaf's button column is indent.
  const TRect LeafBtn = A1->DisplayRectPart(npButton, npButton, false);
  Hit = Tree->GetHitTest((LeafBtn.Left + LeafBtn.Right) / 2, (LeafBtn.Top + LeafBtn.Bottom) / 2);
  EXPECT_TRUE(Hit.HitTests.Contains(dhtOnIndent));
  EXPECT_FALSE(Hit.HitTests.Contains(dhtOnItem));
  EXPECT_TRUE(Tree->GetHitTest(5, -1).HitTests.Contains(dhtAbove));
  EXPECT_TRUE(Tree->GetHitTest(5, Tree->ClientHeight()).HitTests.Contains(dhtBelow));
  Hit = Tree->GetHitTest(5, Tree->ClientHeight() - 2);
  EXPECT_TRUE(Hit.HitTests.Contains(dhtNowhere));
  EXPECT_EQ(Hit.Node, nullptr);
  EXPECT_EQ(Tree->GetNodeAt(LabelPoint(B).X, LabelPoint(B).Y), B);
}

TEST_F(InputTest, HitTestInfoInTheClassLibrarysTerms) {
  Fill();
  Tree->SetCheckBoxesType(ctAll);
  Show();
  const TRect Box = A1->DisplayRectPart(npCheckBox, npCheckBox, false);
  const TRect Btn = A->DisplayRectPart(npButton, npButton, false);
  const TRect Client = Tree->ClientRect();
  struct Case {
    const char* Name;
    TPoint At;
    THitTests Expect;
  } Cases[] = {
      {"label", LabelPoint(A1), {htOnItem, htOnLabel}},
      {"button", Point((Btn.Left + Btn.Right) / 2, (Btn.Top + Btn.Bottom) / 2), {htOnButton}},
      {"check box (no such hit there)", Point((Box.Left + Box.Right) / 2, (Box.Top + Box.Bottom) / 2), {}},
      {"below the rows", Point(5, Client.Bottom - 2), {htNowhere}},
      {"above", Point(5, -3), {htAbove}},
      {"on a row right of its parts; the right edge is inside", Point(Client.Right, 3), {}},
      {"right of it", Point(Client.Right + 1, Client.Bottom), {htBelow, htToRight}},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(Tree->GetHitTestInfoAt(C.At.X, C.At.Y), C.Expect) << C.Name;
  }
  EXPECT_TRUE(Tree->GetHitTest(LabelPoint(A1).X, LabelPoint(A1).Y).HitTests.Contains(dhtOnItem));
}

TEST_F(InputTest, ClicksSelectButtonsToggleDoubleClicksExpand) {
  Fill();
  LogEvents();
  int Clicks = 0;
  int DblClicks = 0;
  Tree->OnClick = [&](TObject*) { ++Clicks; };
  Tree->OnDblClick = [&](TObject*) { ++DblClicks; };
  Show();
  ClickOn(B1);
  EXPECT_EQ(Tree->Selected(), B1);
  EXPECT_EQ(Clicks, 1);
  const TRect Btn = A->DisplayRectPart(npButton, npButton, false);
  Harness::Click(Tree->Handle(), Point((Btn.Left + Btn.Right) / 2, (Btn.Top + Btn.Bottom) / 2));
  Harness::RunUntilIdle();
  EXPECT_FALSE(A->GetExpanded());
  EXPECT_EQ(Tree->Selected(), B1);
  Harness::DoubleClick(Tree->Handle(), LabelPoint(B));
  Harness::RunUntilIdle();
  EXPECT_EQ(DblClicks, 1);
  EXPECT_FALSE(B->GetExpanded());
  EXPECT_EQ(Tree->Selected(), B);
}

TEST_F(InputTest, KeyboardNavigation) {
  Fill();
  Show();
  ClickOn(A);
  struct Step {
    WORD Vk;
    const char* Expect;
  } Steps[] = {{VK_DOWN, "apple"}, {VK_DOWN, "avocado"}, {VK_DOWN, "beta"},  {VK_UP, "avocado"},
               {VK_LEFT, "alpha"}, {VK_LEFT, "alpha"},   {VK_RIGHT, "alpha"}, {VK_RIGHT, "apple"},
               {VK_END, "gamma"},  {VK_HOME, "alpha"}};
  for (const auto& S : Steps) {
    Key(S.Vk);
    ASSERT_NE(Tree->Selected(), nullptr);
    EXPECT_EQ(Tree->Selected()->GetText(), S.Expect) << "key " << S.Vk;
  }
  // Left on the expanded alpha collapsed it once; Right expanded it again.
  EXPECT_TRUE(A->GetExpanded());
  // '-' collapses, '+' expands, '*' expands below.
  Harness::TypeText("-");
  Harness::RunUntilIdle();
  EXPECT_FALSE(A->GetExpanded());
  Harness::TypeText("+");
  Harness::RunUntilIdle();
  EXPECT_TRUE(A->GetExpanded());
}

TEST_F(InputTest, StarExpandsTheSelectedNodeAndCtrlKeypadStarExpandsAll) {
  Fill();
  ZEZTreeNode* Deep = Items()->AddChild(A1, "seed");
  Tree->FullCollapse();
  Show();
  ClickOn(A);
  Harness::TypeText("*");
  Harness::RunUntilIdle();
  EXPECT_TRUE(A->GetExpanded());
  EXPECT_TRUE(A1->GetExpanded()) << "'*' expands below the selected node";
  EXPECT_FALSE(B->GetExpanded());
  Tree->FullCollapse();
  Key(VK_MULTIPLY, {false, true, false});
  for (ZEZTreeNode* N : {A, A1, B})
    EXPECT_TRUE(N->GetExpanded()) << N->GetText();
  EXPECT_TRUE(Deep->GetIsVisible());
}

TEST_F(InputTest, CtrlArrowsScrollWithoutMovingTheSelection) {
  for (int I = 0; I < 60; ++I) Items()->Add(nullptr, "row" + std::to_string(I));
  Show();
  ClickOn(Items()->GetFirstNode());
  ZEZTreeNode* Sel = Tree->Selected();
  Key(VK_DOWN, {false, true, false});
  EXPECT_EQ(Tree->Selected(), Sel);
  EXPECT_EQ(Tree->TopItem(), Sel->GetNextSibling());
  Key(VK_UP, {false, true, false});
  EXPECT_EQ(Tree->TopItem(), Sel);
}

TEST_F(InputTest, SpaceSwitchesCheckNodes) {
  Fill();
  A1->SetNodeType(ntCheckBox);
  std::vector<std::string> Checks;
  Tree->OnCheckClick = [&](TObject*, ZEZTreeNode* N) { Checks.push_back(N->GetText()); };
  Show();
  ClickOn(A1);
  Key(VK_SPACE);
  EXPECT_TRUE(A1->GetChecked());
  Key(VK_SPACE);
  EXPECT_FALSE(A1->GetChecked());
  EXPECT_EQ(Checks.size(), 2u);
}

TEST_F(InputTest, TypeAheadGrowsWrapsAndKeepsThePrefix) {
  Fill();
  Show();
  ClickOn(B1);
  // "b" starts at the selected node itself.
  Harness::TypeText("b");
  Harness::RunUntilIdle();
  EXPECT_EQ(Tree->Selected(), B1);
  // "be" within 500 ms: the search goes on from banana to Berry (case folded).
  Clock->Advance(100);
  Harness::TypeText("e");
  Harness::RunUntilIdle();
  EXPECT_EQ(Tree->Selected(), B2);
  EXPECT_EQ(Tree->SearchText(), "be");
  // "bex" matches nothing: the prefix stays "be".
  Clock->Advance(100);
  Harness::TypeText("x");
  Harness::RunUntilIdle();
  EXPECT_EQ(Tree->Selected(), B2);
  EXPECT_EQ(Tree->SearchText(), "be");
  // After a pause a fresh search wraps from the selected node to the top.
  Clock->Advance(600);
  Harness::TypeText("a");
  Harness::RunUntilIdle();
  EXPECT_EQ(Tree->Selected(), A);
  Clock->Advance(100);
  Harness::TypeText("v");
  Harness::RunUntilIdle();
  EXPECT_EQ(Tree->Selected(), A2);
}

TEST_F(InputTest, CtrlAndShiftClicksBuildAMultipleSelection) {
  Tree->SetMultiSelect(true);
  Fill();
  Show();
  ClickOn(A1);
  ClickOn(B1, {true, false, false});
  EXPECT_EQ(SelectedTexts(), "apple avocado beta banana");
  EXPECT_EQ(Tree->Selected(), B1);
  EXPECT_EQ(Tree->ShiftAnchor(), A1);
  ClickOn(A, {true, false, false});
  EXPECT_EQ(SelectedTexts(), "alpha apple");
  ClickOn(C, {false, true, false});
  EXPECT_EQ(SelectedTexts(), "alpha apple gamma");
  ClickOn(A, {false, true, false});
  EXPECT_EQ(SelectedTexts(), "apple gamma");
  // Shift with the arrow keys extends from the anchor.
  ClickOn(A2);
  Key(VK_DOWN, {true, false, false});
  Key(VK_DOWN, {true, false, false});
  EXPECT_EQ(SelectedTexts(), "avocado beta banana");
  Key(VK_UP, {true, false, false});
  EXPECT_EQ(SelectedTexts(), "avocado beta");
}

TEST_F(InputTest, ShiftRangeKeepsToSiblingsWhenAsked) {
  Tree->SetMultiSelect(true);
  Tree->SetSelectOnlySiblings(true);
  Fill();
  Show();
  ClickOn(A2);
  ClickOn(B1, {true, false, false});
  EXPECT_EQ(SelectedTexts(), "avocado");
  ASSERT_NE(Tree->ShiftAnchor(), nullptr);
  EXPECT_TRUE(Tree->ShiftAnchor()->GetSelected());
}

TEST_F(InputTest, SelectionNotificationIsDelayed) {
  for (int I = 0; I < 10; ++I) Items()->Add(nullptr, "row" + std::to_string(I));
  Tree->SetChangeDelay(300);
  int Changes = 0;
  std::vector<std::string> Delayed;
  Tree->OnChange = [&](TObject*, ZEZTreeNode*) { ++Changes; };
  Tree->OnSelectionChanged = [&](TObject*, ZEZTreeNode* N) { Delayed.push_back(N ? N->GetText() : "nil"); };
  Show();
  ClickOn(Items()->GetFirstNode());
  Harness::Advance(*Clock, 400);
  Delayed.clear();
  Changes = 0;
  for (int I = 0; I < 4; ++I) {
    Key(VK_DOWN);
    Harness::Advance(*Clock, 100);
  }
  EXPECT_EQ(Changes, 4);
  EXPECT_TRUE(Delayed.empty());
  Harness::Advance(*Clock, 250);
  ASSERT_EQ(Delayed.size(), 1u);
  EXPECT_EQ(Delayed[0], "row4");
  // With no delay it fires at once, once per change.
  Tree->SetChangeDelay(0);
  Delayed.clear();
  Key(VK_DOWN);
  EXPECT_EQ(Delayed.size(), 1u);
}

TEST_F(InputTest, AClickRaisesItsEventsInOrder) {
  Fill();
  Show();
  ClickOn(A);
  std::vector<std::string> Events;
  auto Note = [&](const char* E) { Events.push_back(E); };
  Tree->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { Note("MouseDown"); };
  Tree->OnChanging = [&](TObject*, ZEZTreeNode*, bool&) { Note("Changing"); };
  Tree->OnSelectionChanged = [&](TObject*, ZEZTreeNode*) { Note("SelectionChanged"); };
  Tree->OnChange = [&](TObject*, ZEZTreeNode*) { Note("Change"); };
  Tree->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { Note("MouseUp"); };
  Tree->OnClick = [&](TObject*) { Note("Click"); };
  ClickOn(B);
  // The selection is announced once the notification lock opens, before OnChange, all within the press.
  EXPECT_EQ(Events,
            (std::vector<std::string>{"MouseDown", "Changing", "SelectionChanged", "Change", "Click", "MouseUp"}));
}

TEST_F(InputTest, SetSelectedEventsAndRefusal) {
  Fill();
  LogEvents();
  bool Allow = true;
  Tree->OnChanging = [&](TObject*, ZEZTreeNode*, bool& A) { A = Allow; };
  Tree->SetSelected(B);
  Log.clear();
  Tree->SetSelected(B);
  EXPECT_EQ(Joined(), "");
  Allow = false;
  Tree->SetSelected(C);
  EXPECT_EQ(Tree->Selected(), B);
  EXPECT_EQ(Joined(), "");
  Allow = true;
  Tree->SetSelected(nullptr);
  EXPECT_EQ(Joined(), "Change:nil");
  EXPECT_EQ(Tree->Selected(), nullptr);
  EXPECT_EQ(Tree->SelectedCount(), 0);
}

TEST_F(InputTest, RubberBandSelectsTheRowsItCrosses) {
  Tree->SetMultiSelect(true);
  Fill();
  Tree->SetBounds(10, 10, 300, 300);
  Show();
  ClickOn(C);
  const TRect RA = A1->DisplayRect(true);
  const TRect RB = B->DisplayRect(true);
  const TPoint Start = Point(RA.Right + 20, RA.Top + 2);
  const HWND W = Tree->Handle();
  Harness::MouseDown(W, Start);
  Harness::RunUntilIdle();
  EXPECT_TRUE(Tree->RubberBandRunning());
  Harness::MouseMove(W, Point(RA.Left + 2, RB.Top + 2), {});
  Harness::RunUntilIdle();
  EXPECT_EQ(SelectedTexts(), "apple avocado beta");
  // Back over one row: it is deselected again.
  const TRect R2 = A2->DisplayRect(true);
  Harness::MouseMove(W, Point(RA.Left + 2, R2.Top + 2), {});
  Harness::RunUntilIdle();
  EXPECT_EQ(SelectedTexts(), "apple avocado");
  Harness::MouseUp(W, Point(RA.Left + 2, R2.Top + 2));
  Harness::RunUntilIdle();
  EXPECT_FALSE(Tree->RubberBandRunning());
}

TEST_F(InputTest, RubberBandAutoScrollsBelowTheWindow) {
  Tree->SetMultiSelect(true);
  for (int I = 0; I < 60; ++I) Items()->Add(nullptr, "row" + std::to_string(I));
  Show();
  const HWND W = Tree->Handle();
  const TRect R0 = Items()->GetFirstNode()->DisplayRect(true);
  Harness::MouseDown(W, Point(R0.Right + 30, R0.Top + 2));
  Harness::MouseMove(W, Point(R0.Left + 2, Tree->ClientHeight() + 40), {});
  Harness::RunUntilIdle();
  ZEZTreeNode* Top = Tree->TopItem();
  Harness::Advance(*Clock, 60);
  Harness::Advance(*Clock, 60);
  EXPECT_NE(Tree->TopItem(), Top);
  EXPECT_GE(Tree->SelectedCount(), 2);
  Key(VK_ESCAPE);
  EXPECT_FALSE(Tree->RubberBandRunning());
}

TEST_F(InputTest, DeleteSelectedItemsFreesTheSelection) {
  Tree->SetMultiSelect(true);
  Fill();
  Show();
  ClickOn(A1);
  ClickOn(B2, {false, true, false});
  ClickOn(C, {false, true, false});
  Tree->DeleteSelectedItems();
  EXPECT_EQ(Tree->SelectedCount(), 0);
  EXPECT_EQ(Dump(Items()->GetFirstNode()), "alpha(avocado) beta(banana)");
}

TEST_F(InputTest, RightClickHighlightsWithoutMovingTheSelection) {
  Fill();
  Tree->RightClickSelect = true;
  std::vector<std::string> Right;
  TRightClickAction Answer = raSelect;
  Tree->OnRightClickNode = [&](TObject*, ZEZTreeNode* N, TRightClickAction& Action) {
    Right.push_back(N->GetText());
    Action = Answer;
  };
  Show();
  ClickOn(A);
  Harness::MouseDown(Tree->Handle(), LabelPoint(B), Harness::TButton::Right);
  Harness::RunUntilIdle();
  EXPECT_EQ(Right, std::vector<std::string>{"beta"});
  EXPECT_EQ(Tree->Highlighted(), B);
  EXPECT_TRUE(B->GetSelected());
  EXPECT_FALSE(A->GetSelected());
  EXPECT_EQ(Tree->Selected(), A);
  Harness::MouseUp(Tree->Handle(), LabelPoint(B), Harness::TButton::Right);
  Harness::RunUntilIdle();
  EXPECT_EQ(Tree->Highlighted(), nullptr);
  EXPECT_TRUE(A->GetSelected());
  EXPECT_FALSE(B->GetSelected());
  // raMakeSelected moves the selection for good.
  Answer = raMakeSelected;
  Harness::Click(Tree->Handle(), LabelPoint(C), Harness::TButton::Right);
  Harness::RunUntilIdle();
  EXPECT_EQ(Tree->Selected(), C);
  EXPECT_EQ(SelectedTexts(), "gamma");
}

TEST_F(InputTest, HotTrackingFollowsTheMouse) {
  Fill();
  Tree->SetHotTrack(true);
  Show();
  Harness::MouseMove(Tree->Handle(), LabelPoint(B));
  Harness::RunUntilIdle();
  EXPECT_EQ(Tree->HotNode(), B);
  EXPECT_TRUE(Tree->UpdateCursorAt(LabelPoint(B).X, LabelPoint(B).Y));
  Harness::MouseMove(Tree->Handle(), Point(Tree->ClientWidth() - 2, Tree->ClientHeight() - 2));
  Harness::RunUntilIdle();
  EXPECT_EQ(Tree->HotNode(), nullptr);
}

TEST_F(InputTest, DoubleClickOnTheIndentCollapsesTheParent) {
  Fill();
  Show();
  const TRect Lines = A1->DisplayRectPart(npLines, npLines, false);
  const TRect Btn = A->DisplayRectPart(npButton, npButton, false);
  Harness::DoubleClick(Tree->Handle(), Point((Btn.Left + Btn.Right) / 2 + 1, (Lines.Top + Lines.Bottom) / 2));
  Harness::RunUntilIdle();
  EXPECT_FALSE(A->GetExpanded());
}

}  // namespace
