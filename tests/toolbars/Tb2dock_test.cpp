// Docks and dockable windows: the row layout with windows of known sizes, and docking, floating and undocking.
#include "tests/toolbars/ToolbarTestHost.h"

#include "platform/controls/TestHarness.h"
#include "toolbars/Tb2dock.h"
#include "toolbars/Tb2dockable.h"

#include <gtest/gtest.h>

using namespace TBTest;

namespace {

// A dockable window whose content has a fixed size; it may shrink down to MinSize along the dock.
class TFixedBar : public TTBCustomDockableWindow {
public:
  explicit TFixedBar(TComponent* AOwner) : TTBCustomDockableWindow(AOwner) {}
  TPoint Size{40, 20};
  TTBShrinkMode Mode = tbsmNone;
  int MinSize = 0;
  TPoint DoArrange(bool, TTBDockType, bool, TTBDock*) override {
    return Point(CurrentShrunkSize() ? CurrentShrunkSize() - GetNonClientWidth() : Size.X, Size.Y);
  }
  void GetBaseSize(TPoint& ASize) override { ASize = Size; }
  TTBShrinkMode GetShrinkMode() override { return Mode; }
  void GetMinShrinkSize(int& AMinimumSize) override { AMinimumSize = MinSize; }
};

class Tb2dock : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 300, 200);
    Form->Show();
    Top = MakeDock(dpTop, "TopDock");
  }
  void TearDown() override { delete Form; }
  TTBDock* MakeDock(TTBDockPosition P, const std::string& Name) {
    auto* D = Make<TTBDock>(Form, Name);
    D->SetPosition(P);
    D->SetParent(Form);
    return D;
  }
  // A bar docked in Dock at the given place; 16 + 4 pixels of frame along a horizontal dock (drag handle 6).
  TFixedBar* Bar(TTBDock* Dock, const std::string& Name, int Row, int Pos, int W = 40, int H = 20) {
    auto* B = Make<TFixedBar>(Form, Name);
    B->Size = Point(W, H);
    B->SetDockRow(Row);
    B->SetDockPos(Pos);
    B->SetCurrentDock(Dock);
    return B;
  }
  TForm* Form = nullptr;
  TTBDock* Top = nullptr;
};

TEST_F(Tb2dock, EmptyDockIsZeroThickOrOneWithFixAlign) {
  EXPECT_EQ(0, Top->Height());
  Top->SetFixAlign(true);
  EXPECT_EQ(1, Top->Height());
  TTBDock* Left = MakeDock(dpLeft, "LeftDock");
  Left->SetFixAlign(true);
  EXPECT_EQ(1, Left->Width());
}

TEST_F(Tb2dock, WindowsInOneRowSitSideBySideInPositionOrder) {
  // Full size along the dock: 40 + 4 + drag handle 6 = 50; row thickness 20 + 4.
  Bar(Top, "B", 0, 30);
  Bar(Top, "A", 0, 10);
  Bar(Top, "C", 0, -1);
  EXPECT_EQ("0:C@0,0+50x24 0:A@50,0+50x24 0:B@100,0+50x24", Top->DebugDump());
  EXPECT_EQ(24, Top->Height());
}

TEST_F(Tb2dock, GapsAreKeptWhereThereIsRoom) {
  Bar(Top, "A", 0, 20);
  Bar(Top, "B", 0, 150);
  EXPECT_EQ("0:A@20,0+50x24 0:B@150,0+50x24", Top->DebugDump());
}

TEST_F(Tb2dock, FullSizeWindowTakesARowOfItsOwnAcrossTheDock) {
  Bar(Top, "A", 0, 0);
  TFixedBar* Menu = Bar(Top, "Menu", 0, 60);
  Menu->SetFullSize(true);
  // The full-size window keeps its row; the others in it move down.
  EXPECT_EQ("0:Menu@0,0+" + std::to_string(Top->Width()) + "x24 1:A@0,24+50x24", Top->DebugDump());
  EXPECT_EQ(48, Top->Height());
}

TEST_F(Tb2dock, RowThicknessIsTheTallestWindowPlusFour) {
  Bar(Top, "A", 0, 0, 40, 20);
  Bar(Top, "B", 0, 60, 40, 30);
  Bar(Top, "C", 1, 0, 40, 10);
  EXPECT_EQ("0:A@0,0+50x34 0:B@60,0+50x34 1:C@0,34+50x14", Top->DebugDump());
  EXPECT_EQ(48, Top->Height());
}

TEST_F(Tb2dock, EmptyRowsCloseUp) {
  Bar(Top, "A", 0, 0);
  Bar(Top, "B", 5, 0);
  EXPECT_EQ("0:A@0,0+50x24 1:B@0,24+50x24", Top->DebugDump());
}

TEST_F(Tb2dock, RowTooLongWrapsTheFirstWindowThatDoesNotFitAndAllAfterIt) {
  Bar(Top, "A", 0, 0, 100);
  Bar(Top, "B", 0, 110, 100);
  Bar(Top, "C", 0, 220, 20);
  Form->SetClientWidth(200);
  // The wrapped windows keep their wanted positions as far as the row allows.
  EXPECT_EQ("0:A@0,0+110x24 1:B@60,24+110x24 1:C@170,24+30x24", Top->DebugDump());
}

TEST_F(Tb2dock, SingleWindowNeverWraps) {
  Form->SetClientWidth(100);
  Bar(Top, "Wide", 0, 0, 300);
  EXPECT_EQ("0:Wide@0,0+310x24", Top->DebugDump());
}

TEST_F(Tb2dock, OneRowDockShrinksChevronWindowsInsteadOfWrapping) {
  Top->SetLimitToOneRow(true);
  Form->SetClientWidth(150);
  TFixedBar* A = Bar(Top, "A", 0, 0, 100);
  A->Mode = tbsmChevron;
  A->MinSize = 30;
  TFixedBar* B = Bar(Top, "B", 3, 0, 60);
  (void)B;
  Top->ArrangeToolbars();
  EXPECT_EQ("0:A@0,0+80x24 0:B@80,0+70x24", Top->DebugDump());
  EXPECT_EQ(80, A->CurrentShrunkSize());
}

TEST_F(Tb2dock, StretchWindowFillsTheRestOfItsRow) {
  TFixedBar* A = Bar(Top, "A", 0, 0);
  A->SetStretch(true);
  Bar(Top, "B", 1, 0);
  EXPECT_EQ("0:A@0,0+" + std::to_string(Top->Width()) + "x24 1:B@0,24+50x24", Top->DebugDump());
}

TEST_F(Tb2dock, VerticalDocksPlaceAlongTheirHeight) {
  TTBDock* Left = MakeDock(dpLeft, "LeftDock");
  Bar(Left, "A", 0, 0, 20, 40);
  Bar(Left, "B", 0, 50, 20, 40);
  EXPECT_EQ("0:A@0,0+24x50 0:B@0,50+24x50", Left->DebugDump());
  EXPECT_EQ(24, Left->Width());
}

TEST_F(Tb2dock, BoundLinesAddToTheDockThickness) {
  Top->SetBoundLines(TTBDockBoundLines{blTop, blBottom});
  Bar(Top, "A", 0, 0);
  EXPECT_EQ(26, Top->Height());
  EXPECT_EQ(24, Top->ClientHeight());
}

TEST_F(Tb2dock, RedockingKeepsTheNativeWindow) {
  TTBDock* Bottom = MakeDock(dpBottom, "BottomDock");
  TFixedBar* A = Bar(Top, "A", 0, 0);
  const HWND Before = A->Handle();
  A->SetCurrentDock(Bottom);
  EXPECT_EQ(Before, A->Handle());
  EXPECT_EQ(Bottom, A->CurrentDock());
  EXPECT_EQ(0, Top->Height());
  EXPECT_EQ(24, Bottom->Height());
  A->SetFloating(true);
  EXPECT_EQ(Before, A->Handle());
  EXPECT_TRUE(A->Floating());
  EXPECT_FALSE(A->Docked());
  ASSERT_NE(nullptr, A->FloatingParent());
  EXPECT_EQ(A->FloatingParent()->Handle(), ::GetParent(A->Handle()));
  EXPECT_EQ(Point(40, 20), Point(A->Width(), A->Height()));
  A->SetCurrentDock(Top);
  EXPECT_EQ(Before, A->Handle());
  EXPECT_EQ(Top->Handle(), ::GetParent(A->Handle()));
  EXPECT_TRUE(TBFloatingWindows().empty());
}

TEST_F(Tb2dock, UndockedWindowLiesOnItsForm) {
  TFixedBar* A = Bar(Top, "A", 0, 0);
  A->SetCurrentDock(nullptr);
  EXPECT_EQ(Form, A->Parent());
  EXPECT_FALSE(A->Docked());
  EXPECT_FALSE(A->Floating());
  // It still remembers the dock it came from.
  EXPECT_EQ(Top, A->LastDock());
}

TEST_F(Tb2dock, FloatingWindowRemembersItsRowAndDocksBackIntoIt) {
  TFixedBar* A = Bar(Top, "A", 0, 0);
  TFixedBar* B = Bar(Top, "B", 1, 0);
  Bar(Top, "C", 2, 0);
  B->SetFloating(true);
  EXPECT_EQ("0:A@0,0+50x24 2:C@0,24+50x24", Top->DebugDump());
  B->DoubleClick();
  EXPECT_TRUE(B->Docked());
  EXPECT_EQ("0:A@0,0+50x24 1:B@0,24+50x24 2:C@0,48+50x24", Top->DebugDump());
  (void)A;
}

TEST_F(Tb2dock, DoubleClickDocksIntoTheDefaultDockFirstInRowZero) {
  TFixedBar* A = Bar(Top, "A", 0, 0);
  auto* B = Make<TFixedBar>(Form, "B");
  B->SetParent(Form);
  B->SetDefaultDock(Top);
  B->SetDockRow(4);
  B->SetDockPos(100);
  B->DoubleClick();
  EXPECT_EQ(Top, B->CurrentDock());
  EXPECT_EQ("0:B@0,0+50x24 0:A@50,0+50x24", Top->DebugDump());
  (void)A;
}

TEST_F(Tb2dock, DockPosOnAnUndockedWindowIsOnlyStored) {
  auto* B = Make<TFixedBar>(Form, "B");
  B->SetParent(Form);
  B->SetDockPos(70);
  EXPECT_EQ(70, B->DockPos());
  B->SetCurrentDock(Top);
  EXPECT_EQ("0:B@70,0+50x24", Top->DebugDump());
}

TEST_F(Tb2dock, NoLastDockAfterUseLastDockIsTurnedOff) {
  TFixedBar* A = Bar(Top, "A", 0, 0);
  A->SetFloating(true);
  EXPECT_EQ(Top, A->LastDock());
  EXPECT_EQ(1u, Top->DockList().size());
  A->SetUseLastDock(false);
  EXPECT_EQ(nullptr, A->LastDock());
  EXPECT_TRUE(Top->DockList().empty());
}

TEST_F(Tb2dock, HiddenWindowLeavesItsRowAndComesBack) {
  TFixedBar* A = Bar(Top, "A", 0, 0);
  Bar(Top, "B", 0, 60);
  A->Hide();
  EXPECT_EQ("0:B@60,0+50x24", Top->DebugDump());
  A->Show();
  EXPECT_EQ("0:A@0,0+50x24 0:B@60,0+50x24", Top->DebugDump());
}

TEST_F(Tb2dock, CloseAsksFirst) {
  TFixedBar* A = Bar(Top, "A", 0, 0);
  bool Allow = false;
  int Closed = 0;
  A->OnCloseQuery = [&Allow](TObject*, bool& CanClose) { CanClose = Allow; };
  A->OnClose = [&Closed](TObject*) { ++Closed; };
  A->Close();
  EXPECT_TRUE(A->Visible());
  EXPECT_EQ(0, Closed);
  Allow = true;
  A->Close();
  EXPECT_FALSE(A->Visible());
  EXPECT_EQ(1, Closed);
  EXPECT_EQ(0, Top->Height());
}

TEST_F(Tb2dock, FloatingFrameFullyOffTheScreenMovesIntoTheWorkArea) {
  TFixedBar* A = Bar(Top, "A", 0, 0);
  A->SetFloating(true);
  const TRect Work = Screen->WorkAreaRect();
  A->SetFloatingPosition(Point(Work.Right + 500, Work.Bottom + 500));
  A->MoveOnScreen(true);
  TTBFloatingWindowParent* Frame = A->FloatingParent();
  EXPECT_EQ(Work.Right, Frame->Left() + Frame->Width());
  EXPECT_EQ(Work.Bottom, Frame->Top() + Frame->Height());
  // Partly visible: left alone when only fully hidden frames are to move.
  A->SetFloatingPosition(Point(Work.Left - 10, Work.Top + 10));
  A->MoveOnScreen(true);
  EXPECT_EQ(Work.Left - 10, Frame->Left());
  A->MoveOnScreen(false);
  EXPECT_EQ(Work.Left, Frame->Left());
}

TEST_F(Tb2dock, FloatingFrameFollowsItsForm) {
  TFixedBar* A = Bar(Top, "A", 0, 0);
  A->HideWhenInactive = false;
  A->SetFloating(true);
  TTBFloatingWindowParent* Frame = A->FloatingParent();
  EXPECT_TRUE(Frame->Visible());
  A->Hide();
  EXPECT_FALSE(Frame->Visible());
  A->Show();
  EXPECT_TRUE(Frame->Visible());
}

TEST_F(Tb2dock, DockRefusesBadParentsAndPositionChangesWithControls) {
  auto* Inner = Make<TTBDock>(Form, "Inner");
  EXPECT_THROW(Inner->SetParent(Top), EInvalidOperation);
  Bar(Top, "A", 0, 0);
  EXPECT_THROW(Top->SetPosition(dpLeft), EInvalidOperation);
}

TEST_F(Tb2dock, FloatingWithoutAFormRaises) {
  auto* Lone = Make<TFixedBar>(nullptr, "Lone");
  EXPECT_THROW(Lone->SetFloating(true), EInvalidOperation);
  delete Lone;
}

}  // namespace
