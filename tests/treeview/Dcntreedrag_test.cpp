// Dragging nodes within a tree: the threshold, the drag buttons, the drop target during the drop, Escape, and
// expanding a parent the cursor rests on.
#include "TreeTestUtil.h"

#include "platform/graphics/ImgList.h"
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

TEST_F(DragTest, TheDragButtonsDecideWhichButtonDrags) {
  Tree->DragButtons = TSet<TMouseButton, mbMiddle>{mbRight};
  Show();
  const HWND W = Tree->Handle();
  const TPoint Start = LabelPoint(A);
  Harness::MouseDown(W, Start);
  Move(Point(Start.X + 20, Start.Y));
  EXPECT_FALSE(Tree->Dragging()) << "the left button is not a drag button now";
  Harness::MouseUp(W, Point(Start.X + 20, Start.Y));
  Harness::RunUntilIdle();
  Harness::MouseDown(W, Start, Harness::TButton::Right);
  Move(Point(Start.X + 20, Start.Y));
  EXPECT_TRUE(Tree->Dragging());
  Harness::KeyPress(VK_ESCAPE);
  Harness::RunUntilIdle();
  EXPECT_FALSE(Tree->Dragging());
  Harness::MouseUp(W, Point(Start.X + 20, Start.Y), Harness::TButton::Right);
  Harness::RunUntilIdle();
}

TEST_F(DragTest, EscapeCancelsAndRestingOverAParentExpandsIt) {
  int Escapes = 0;
  Tree->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { Escapes += Key == VK_ESCAPE ? 1 : 0; };
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
  EXPECT_EQ(Escapes, 0) << "the hook swallowed the key";
  EXPECT_EQ(Ended, "none");
  EXPECT_EQ(Dropped, "");
  Harness::MouseUp(W, LabelPoint(P));
  Harness::RunUntilIdle();
}

TEST_F(DragTest, TheDraggedNodesImageIsTheDragImage) {
  auto* List = new TImageList(Form);
  List->AfterConstruction();
  TBitmap Picture;
  Picture.SetWidth(16);
  Picture.SetHeight(16);
  Picture.Canvas()->Brush()->SetColor(clRed);
  Picture.Canvas()->FillRect(Rect(0, 0, 16, 16));
  List->AddMasked(&Picture, clNone);
  Tree->SetImages(List);
  A->SetImageIndex(0);
  B->SetImageIndex(-1);
  Show();
  const HWND W = Tree->Handle();
  struct Case {
    ZEZTreeNode* Node;
    bool HasImage;
  } Cases[] = {{A, true}, {B, false}};
  for (const auto& C : Cases) {
    const TPoint Start = LabelPoint(C.Node);
    Harness::MouseDown(W, Start);
    Move(Point(Start.X + 10, Start.Y));
    ASSERT_TRUE(Tree->Dragging());
    TDragImageList* Images = Tree->GetDragImages();
    EXPECT_EQ(Images != nullptr, C.HasImage) << C.Node->GetText();
    if (Images) {
      EXPECT_EQ(Images->Count(), 1);
      EXPECT_EQ(Images->Width(), 16);
      EXPECT_EQ(Images->Height(), 16);
      // The image hangs where the press caught the node: left of the pointer by the press's distance from the
      // picture.
      const TRect Icon = C.Node->DisplayRectPart(npImage, npImage, false);
      EXPECT_EQ(Images->DragHotspot().X, Start.X + 10 - Icon.Left);
    }
    Harness::MouseUp(W, LabelPoint(P));
    Harness::RunUntilIdle();
    EXPECT_FALSE(Tree->Dragging());
    EXPECT_EQ(Tree->GetDragImages(), nullptr) << "cleared at the end";
  }
}

TEST_F(DragTest, DroppingOnAnotherTreeNamesItsNodeUnderThePointer) {
  auto* Other = new ZEZTree(Form);
  Other->AfterConstruction();
  Other->SetParent(Form);
  Other->SetBounds(10, 220, 300, 100);
  ZEZTreeNode* Target = Other->Items()->Add(nullptr, "target");
  Other->Items()->Add(nullptr, "other");
  std::string Log;
  Other->OnDragOver = [&](TObject*, TObject* Source, int, int, TDragState State, bool& Accept) {
    Accept = Source == Tree;
    if (State == dsDragEnter)
      Log += "enter ";
  };
  Other->OnDragDrop = [&](TObject*, TObject* Source, int, int) {
    Log += std::string("drop:") + (Source == Tree ? "tree" : "?") + ":" +
           (Other->DropTarget() ? Other->DropTarget()->GetText() : "nil");
  };
  Show();
  const TPoint Start = LabelPoint(A);
  Harness::MouseDown(Tree->Handle(), Start);
  Move(Point(Start.X + 10, Start.Y));
  ASSERT_TRUE(Tree->Dragging());
  const TRect R = Target->DisplayRect(true);
  const TPoint Over = Point(R.Left + 4, (R.Top + R.Bottom) / 2);
  Harness::MouseMove(Other->Handle(), Over);
  Harness::RunUntilIdle();
  EXPECT_EQ(Other->DropTarget(), Target);
  EXPECT_EQ(Tree->DropTarget(), nullptr) << "the source's own drop target went when the pointer left it";
  Harness::MouseUp(Other->Handle(), Over);
  Harness::RunUntilIdle();
  EXPECT_EQ(Log, "enter drop:tree:target");
  EXPECT_EQ(Ended, "target");
  EXPECT_EQ(Other->DropTarget(), nullptr);
}

TEST_F(DragTest, NearTheBottomEdgeTheTreeScrollsFasterTheCloserThePointer) {
  for (int I = 0; I < 40; ++I)
    Items()->Add(nullptr, "row " + std::to_string(I));
  Show();
  const HWND W = Tree->Handle();
  const TPoint Start = LabelPoint(A);
  Harness::MouseDown(W, Start);
  Move(Point(Start.X + 10, Start.Y));
  ASSERT_TRUE(Tree->Dragging());
  const TRect C = Tree->ClientRect();
  auto TopIndex = [this] { return Tree->TopItem()->GetVisibleIndex(); };
  // 3 pixels inside the bottom edge: a row every 10 ms.
  Move(Point(60, C.Bottom - 3));
  Harness::Advance(*Clock, 100);  // the first tick comes after 100 ms
  const Integer First = TopIndex();
  EXPECT_GT(First, 0);
  Harness::Advance(*Clock, 10);
  EXPECT_EQ(TopIndex(), First + 1);
  Harness::Advance(*Clock, 10);
  EXPECT_EQ(TopIndex(), First + 2);
  // 7 pixels inside: a row every 100 ms.
  Move(Point(60, C.Bottom - 7));
  Harness::Advance(*Clock, 10);
  const Integer Slow = TopIndex();
  Harness::Advance(*Clock, 50);
  EXPECT_EQ(TopIndex(), Slow);
  Harness::Advance(*Clock, 50);
  EXPECT_EQ(TopIndex(), Slow + 1);
  // At the last row the scrolling stops.
  for (int I = 0; I < 50; ++I)
    Harness::Advance(*Clock, 100);
  const Integer End = TopIndex();
  Harness::Advance(*Clock, 200);
  EXPECT_EQ(TopIndex(), End);
  EXPECT_EQ(Tree->GetLastVisibleNode(), Items()->GetLastNode());
  Harness::KeyPress(VK_ESCAPE);
  Harness::MouseUp(W, Point(60, C.Bottom - 7));
  Harness::RunUntilIdle();
}

}  // namespace
