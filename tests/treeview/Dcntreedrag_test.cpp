// Dragging nodes within a tree: the threshold, the drag buttons, the drop target during the drop, Escape, and
// expanding a parent the cursor rests on.
#include "TreeTestUtil.h"

#include "platform/win/Clock.h"

using namespace TreeTest;

namespace {

class DragTest : public TreeFixture {
protected:
  void SetUp() override {
    TreeFixture::SetUp();
    Clock = std::make_unique<TManualClock>();
    Scoped = std::make_unique<TScopedClock>(*Clock);
    A = Items()->Add(nullptr, "alpha");
    B = Items()->Add(nullptr, "beta");
    P = Items()->Add(nullptr, "parent");
    Items()->AddChild(P, "child");
    Tree->DragMode = dmAutomatic;
    Tree->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& Accept) { Accept = true; };
    Tree->OnDragDrop = [this](TObject*, TObject*, int, int) {
      Dropped = Tree->DropTarget() ? Tree->DropTarget()->GetText() : "nil";
    };
    Tree->OnEndDrag = [this](TObject*, TObject* Target, int, int) { Ended = Target ? "target" : "none"; };
  }
  void TearDown() override {
    TreeFixture::TearDown();
    Scoped.reset();
  }
  TPoint LabelPoint(ZEZTreeNode* N) {
    const TRect R = N->DisplayRect(true);
    return Point(R.Left + 5, (R.Top + R.Bottom) / 2);
  }
  void Move(TPoint Pt) {
    Harness::MouseMove(Tree->Handle(), Pt);
    Harness::RunUntilIdle();
  }
  std::unique_ptr<TManualClock> Clock;
  std::unique_ptr<TScopedClock> Scoped;
  ZEZTreeNode *A = nullptr, *B = nullptr, *P = nullptr;
  std::string Dropped;
  std::string Ended;
};

TEST_F(DragTest, ThresholdThenDropOnTheNodeUnderTheCursor) {
  Show();
  const HWND W = Tree->Handle();
  const TPoint Start = LabelPoint(A);
  Harness::MouseDown(W, Start);
  Harness::RunUntilIdle();
  EXPECT_EQ(Tree->Selected(), A);
  Move(Point(Start.X + 4, Start.Y));
  EXPECT_FALSE(Tree->Dragging());
  Move(Point(Start.X + 5, Start.Y));
  EXPECT_TRUE(Tree->Dragging());
  Move(LabelPoint(B));
  EXPECT_EQ(Tree->DropTarget(), B);
  Harness::MouseUp(W, LabelPoint(B));
  Harness::RunUntilIdle();
  EXPECT_FALSE(Tree->Dragging());
  EXPECT_EQ(Dropped, "beta");
  EXPECT_EQ(Ended, "target");
  EXPECT_EQ(Tree->DropTarget(), nullptr);
}

TEST_F(DragTest, RightButtonDoesNotDragByDefault) {
  Show();
  const HWND W = Tree->Handle();
  const TPoint Start = LabelPoint(A);
  Harness::MouseDown(W, Start, Harness::TButton::Right);
  Move(Point(Start.X + 20, Start.Y + 20));
  EXPECT_FALSE(Tree->Dragging());
  Harness::MouseUp(W, Point(Start.X + 20, Start.Y + 20), Harness::TButton::Right);
  Harness::RunUntilIdle();
}

TEST_F(DragTest, EscapeCancelsAndRestingOverAParentExpandsIt) {
  Show();
  const HWND W = Tree->Handle();
  const TPoint Start = LabelPoint(A);
  Harness::MouseDown(W, Start);
  Move(Point(Start.X + 10, Start.Y));
  ASSERT_TRUE(Tree->Dragging());
  Move(LabelPoint(P));
  EXPECT_EQ(Tree->DropTarget(), P);
  EXPECT_FALSE(P->GetExpanded());
  Harness::Advance(*Clock, 120);
  EXPECT_TRUE(P->GetExpanded());
  Harness::KeyPress(VK_ESCAPE);
  Harness::RunUntilIdle();
  EXPECT_FALSE(Tree->Dragging());
  EXPECT_EQ(Ended, "none");
  EXPECT_EQ(Dropped, "");
  Harness::MouseUp(W, LabelPoint(P));
  Harness::RunUntilIdle();
}

}  // namespace
