// Toolbars: their size from their items in each place, the chevron in a short row, menu bars spanning their
// dock and wrapping, and the sizes a floating toolbar may snap to.
#include "tests/toolbars/ToolbarTestHost.h"

#include "platform/controls/TestHarness.h"
#include "toolbars/Tb2popup.h"
#include "toolbars/Tb2toolbar.h"

#include <gtest/gtest.h>

using namespace TBTest;

namespace {

class Tb2toolbar : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 400, 300);
    Form->Show();
    Top = Make<TTBDock>(Form, "TopDock");
    Top->SetParent(Form);
    Left = Make<TTBDock>(Form, "LeftDock");
    Left->SetPosition(dpLeft);
    Left->SetParent(Form);
  }
  void TearDown() override { delete Form; }
  TTBToolbar* Toolbar(const std::string& Name, int Items) {
    auto* T = Make<TTBToolbar>(Form, Name);
    for (int I = 0; I < Items; ++I) {
      AddItem(Form, T->Items(), "Item" + std::to_string(I));
    }
    return T;
  }
  TForm* Form = nullptr;
  TTBDock* Top = nullptr;
  TTBDock* Left = nullptr;
};

TEST_F(Tb2toolbar, DockedToolbarIsItsItemsPlusTheFrame) {
  TTBToolbar* T = Toolbar("T", 3);
  T->SetCurrentDock(Top);
  TPoint Base;
  T->GetBaseSize(Base);
  EXPECT_EQ(Base.X + T->GetNonClientWidth(), T->Width());
  EXPECT_EQ(Base.Y + 4, T->Height());
  EXPECT_EQ(T->Height(), Top->Height());
  EXPECT_EQ(tbvoHorizontal, T->View()->Orientation());
  T->SetCurrentDock(Left);
  EXPECT_EQ(tbvoVertical, T->View()->Orientation());
  EXPECT_EQ(T->Width(), Left->Width());
  EXPECT_GT(T->Height(), T->Width());
}

TEST_F(Tb2toolbar, ShortRowHidesTheLastItemsBehindTheChevron) {
  TTBToolbar* T = Toolbar("T", 12);
  Form->SetClientWidth(1000);
  T->SetCurrentDock(Top);
  const int Full = T->Width();
  ASSERT_LT(Full, Top->Width());
  Form->SetClientWidth(Full / 2);
  EXPECT_EQ(Top->Width(), T->Width());
  EXPECT_GT(T->CurrentShrunkSize(), 0);
  int Hidden = 0;
  for (int I = 0; I < T->View()->ViewerCount(); ++I) {
    TTBItemViewer* V = T->View()->Viewers(I);
    Hidden += V->Item() != T->ChevronItem() && !V->Show() ? 1 : 0;
  }
  EXPECT_GT(Hidden, 0);
  Form->SetClientWidth(Full + 50);
  EXPECT_EQ(Full, T->Width());
  EXPECT_EQ(0, T->CurrentShrunkSize());
}

TEST_F(Tb2toolbar, MenuBarSpansItsDockAndWraps) {
  TTBToolbar* Other = Toolbar("Other", 2);
  Other->SetCurrentDock(Top);
  TTBToolbar* M = Toolbar("Menu", 10);
  M->SetMenuBar(true);
  M->SetCurrentDock(Top);
  EXPECT_TRUE(M->FullSize());
  EXPECT_EQ(tbsmWrap, M->ShrinkMode());
  EXPECT_FALSE(M->CloseButton);
  EXPECT_EQ(Top->ClientWidth(), M->Width());
  EXPECT_NE(M->EffectiveDockRow(), Other->EffectiveDockRow());
  const int OneLine = M->Height();
  Form->SetClientWidth(120);
  EXPECT_GT(M->Height(), OneLine);
}

TEST_F(Tb2toolbar, FloatingSizesRunFromOneLineToTheNarrowest) {
  TTBToolbar* T = Toolbar("T", 4);
  T->SetCurrentDock(Top);
  T->SetFloating(true);
  std::vector<TPoint> Sizes;
  T->BuildPotentialSizesList(Sizes);
  ASSERT_GE(Sizes.size(), 2u);
  for (std::size_t I = 1; I < Sizes.size(); ++I) {
    EXPECT_LT(Sizes[I].X, Sizes[I - 1].X);
    EXPECT_GT(Sizes[I].Y, Sizes[I - 1].Y);
  }
  EXPECT_EQ(0, T->FloatingWidth());
  T->SetFloatingWidth(Sizes.back().X);
  EXPECT_EQ(Sizes.back(), Point(T->ClientWidth(), T->ClientHeight()));
}

}  // namespace

namespace {

TEST_F(Tb2toolbar, ChevronMenuShowsTheHiddenItems) {
  TTBToolbar* T = Toolbar("T", 12);
  Form->SetClientWidth(1000);
  T->SetCurrentDock(Top);
  Form->SetClientWidth(T->Width() / 2);
  std::vector<std::string> Hidden;
  TTBItemViewer* ChevronViewer = nullptr;
  for (int I = 0; I < T->View()->ViewerCount(); ++I) {
    TTBItemViewer* V = T->View()->Viewers(I);
    if (V->Item() == T->ChevronItem()) {
      ChevronViewer = V;
    } else if (!V->Show()) {
      Hidden.push_back(V->Item()->Caption());
    }
  }
  ASSERT_NE(nullptr, ChevronViewer);
  ASSERT_FALSE(Hidden.empty());
  T->View()->SetSelected(ChevronViewer);
  ASSERT_TRUE(T->View()->OpenChildPopup(false));
  auto* Popup = dynamic_cast<TTBPopupWindow*>(T->View()->OpenViewerWindow());
  ASSERT_NE(nullptr, Popup);
  std::vector<std::string> Shown;
  Popup->View()->ValidatePositions();
  for (int I = 0; I < Popup->View()->ViewerCount(); ++I) {
    if (Popup->View()->Viewers(I)->Show()) {
      Shown.push_back(Popup->View()->Viewers(I)->Item()->Caption());
    }
  }
  EXPECT_EQ(Hidden, Shown);
  T->View()->CloseChildPopups();
}

}  // namespace

namespace {

TEST_F(Tb2toolbar, DragHandleMovesTheToolbarBetweenDocksRowsAndFloating) {
  auto* Bottom = Make<TTBDock>(Form, "BottomDock");
  Bottom->SetPosition(dpBottom);
  Bottom->SetParent(Form);
  TTBToolbar* A = Toolbar("A", 2);
  TTBToolbar* B = Toolbar("B", 2);
  A->SetCurrentDock(Top);
  B->SetDockPos(200);
  B->SetCurrentDock(Top);
  Harness::RunUntilIdle();
  const HWND Handle = A->Handle();
  // The drag handle lies left of the client area.
  const TPoint Grip = Point(-4, 4);
  auto Drag = [&](TPoint FormClient) {
    Harness::MouseDown(A->Handle(), Grip);
    const TPoint Screen = Form->ClientToScreen(FormClient);
    Harness::MouseMove(A->Handle(), A->ScreenToClient(Screen));
    Harness::MouseUp(A->Handle(), A->ScreenToClient(Screen));
    Harness::RunUntilIdle();
  };
  Drag(Point(50, Form->ClientHeight() - 10));
  EXPECT_EQ(Bottom, A->CurrentDock());
  EXPECT_EQ(Handle, A->Handle());
  EXPECT_EQ(Bottom, A->LastDock());
  // Back to the top dock, below B's row: a row of its own.
  Drag(Point(50, Top->Height() + 3));
  EXPECT_EQ(Top, A->CurrentDock());
  EXPECT_NE(A->EffectiveDockRow(), B->EffectiveDockRow());
  // Into the middle of the form: floating, at the point where it was let go.
  Drag(Point(150, 150));
  EXPECT_TRUE(A->Floating());
  EXPECT_EQ(Handle, A->Handle());
}

}  // namespace
