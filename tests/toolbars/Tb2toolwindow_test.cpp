// Tool windows: client size and its limits, stretching in a row, stored sizes, and dragging a docked edge with the
// mouse to resize a window or its whole row.
#include "tests/toolbars/ToolbarTestHost.h"

#include "platform/controls/TestHarness.h"
#include "toolbars/Tb2dockpositions.h"
#include "toolbars/Tb2toolwindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

using namespace TBTest;

namespace {

class Tb2toolwindow : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 500, 400);
    Form->Show();
    Top = Make<TTBDock>(Form, "TopDock");
    Top->SetParent(Form);
    Harness::RunUntilIdle();
  }
  void TearDown() override { delete Form; }
  TTBResizeableToolWindow* Pane(const std::string& Name, int W, int H, int Pos) {
    auto* T = Make<TTBResizeableToolWindow>(Form, Name);
    T->SetParent(Form);
    T->SetClientAreaSize(W, H);
    T->SetDockPos(Pos);
    T->SetCurrentDock(Top);
    return T;
  }
  TForm* Form = nullptr;
  TTBDock* Top = nullptr;
};

TEST_F(Tb2toolwindow, NewToolWindowIsThirtyTwoSquareAndKeepsItsClientSizeDocked) {
  auto* T = Make<TTBToolWindow>(Form, "T");
  EXPECT_EQ(32, T->Width());
  EXPECT_EQ(32, T->Height());
  T->SetParent(Form);
  T->SetClientAreaSize(100, 60);
  T->SetCurrentDock(Top);
  EXPECT_EQ(100, T->ClientAreaWidth());
  EXPECT_EQ(60, T->ClientAreaHeight());
  EXPECT_EQ(64, Top->Height());
}

TEST_F(Tb2toolwindow, StretchingToolWindowFillsItsRow) {
  auto* T = Pane("T", 100, 40, 0);
  T->SetStretch(true);
  EXPECT_EQ(Top->ClientWidth(), T->Width());
}

TEST_F(Tb2toolwindow, DraggingTheBottomEdgeResizesTheWholeRow) {
  TTBResizeableToolWindow* A = Pane("A", 100, 40, 0);
  TTBResizeableToolWindow* B = Pane("B", 100, 30, 200);
  ASSERT_EQ(A->EffectiveDockRow(), B->EffectiveDockRow());
  const TPoint Edge = Point(50, A->ClientAreaHeight() - 2);
  EXPECT_EQ(rkBottom, A->GetResizeKind(Edge.X, Edge.Y));
  Harness::MouseDown(A->Handle(), Edge);
  Harness::MouseMove(A->Handle(), Point(Edge.X, Edge.Y + 25));
  Harness::MouseUp(A->Handle(), Point(Edge.X, Edge.Y + 25));
  Harness::RunUntilIdle();
  EXPECT_EQ(65, A->ClientAreaHeight());
  EXPECT_EQ(65, B->ClientAreaHeight());
  EXPECT_EQ(69, Top->Height());
}

TEST_F(Tb2toolwindow, DraggingTheRightEdgeResizesTheWindowAloneWithinItsLimits) {
  TTBResizeableToolWindow* A = Pane("A", 100, 40, 0);
  TTBResizeableToolWindow* B = Pane("B", 100, 40, 200);
  const TPoint Edge = Point(A->ClientAreaWidth() - 1, 10);
  EXPECT_EQ(rkRight, A->GetResizeKind(Edge.X, Edge.Y));
  Harness::MouseDown(A->Handle(), Edge);
  Harness::MouseMove(A->Handle(), Point(Edge.X - 90, 10));
  Harness::MouseUp(A->Handle(), Point(Edge.X - 90, 10));
  Harness::RunUntilIdle();
  EXPECT_EQ(32, A->ClientAreaWidth());  // the minimum
  EXPECT_EQ(100, B->ClientAreaWidth());
}

TEST_F(Tb2toolwindow, FullSizeWindowResizesOnlyAcrossItsDock) {
  TTBResizeableToolWindow* A = Pane("A", 100, 40, 0);
  A->SetFullSize(true);
  EXPECT_EQ(rkNone, A->GetResizeKind(A->ClientAreaWidth() - 1, 10));
  EXPECT_EQ(rkBottom, A->GetResizeKind(10, A->ClientAreaHeight() - 1));
}

TEST_F(Tb2toolwindow, ClientSizeSurvivesSaveAndLoadOnlyWhenResizable) {
  std::map<std::string, int> Ints;
  std::map<std::string, std::string> Strings;
  auto Save = [&](TComponent* Owner) {
    TBCustomSavePositions(
        Owner, [&](const std::string& W, const std::string& V, int D, void*) { Ints[W + "." + V] = D; },
        [&](const std::string& W, const std::string& V, const std::string& D, void*) { Strings[W + "." + V] = D; },
        nullptr);
  };
  auto Load = [&](TComponent* Owner) {
    TBCustomLoadPositions(
        Owner,
        [&](const std::string& W, const std::string& V, int Def, void*) {
          auto It = Ints.find(W + "." + V);
          return It == Ints.end() ? Def : It->second;
        },
        [&](const std::string& W, const std::string& V, const std::string& Def, void*) {
          auto It = Strings.find(W + "." + V);
          return It == Strings.end() ? Def : It->second;
        },
        nullptr);
  };
  TTBResizeableToolWindow* A = Pane("A", 120, 50, 0);
  TTBResizeableToolWindow* B = Pane("B", 80, 70, 200);
  Save(Form);
  EXPECT_EQ(120, Ints["A.ClientWidth"]);
  A->SetClientAreaSize(60, 40);
  B->Resizable = false;
  B->SetClientAreaSize(60, 40);
  Load(Form);
  EXPECT_EQ(120, A->ClientAreaWidth());
  EXPECT_EQ(60, B->ClientAreaWidth());
}

}  // namespace
