// The tree's tooltip: shown over a cut node's text in the node's font, none for a text that fits, clicks on the
// tip reach the tree.
#include "TreeTestUtil.h"

#include "treeview/Dcntreetooltip.h"

#include "platform/win/Clock.h"

#include <functional>

using namespace TreeTest;

namespace {

class ToolTipTest : public TreeFixture {
protected:
  void SetUp() override {
    TreeFixture::SetUp();
    Clock = std::make_unique<TManualClock>();
    Scoped = std::make_unique<TScopedClock>(*Clock);
    Short = Items()->Add(nullptr, "short");
    Long = Items()->Add(nullptr, "a rather long node text that the narrow tree cuts off at its edge");
    Tree->SetBounds(10, 10, 160, 200);
  }
  void TearDown() override {
    TreeFixture::TearDown();
    Scoped.reset();
  }
  TPoint LabelPoint(ZEZTreeNode* N) {
    const TRect R = N->DisplayRect(true);
    return Point(R.Left + 10, (R.Top + R.Bottom) / 2);
  }
  void Hover(ZEZTreeNode* N) {
    // The first move registers the tool, the next one over it shows the tip, as the mouse resting there does.
    const TPoint P = LabelPoint(N);
    Harness::MouseMove(Tree->Handle(), P);
    Harness::RunUntilIdle();
    Harness::MouseMove(Tree->Handle(), Point(P.X + 1, P.Y));
    Harness::Advance(*Clock, 50);
  }
  bool TipVisible() { return Tree->ToolTip() && IsWindowVisible(Tree->ToolTip()->Handle()); }
  std::unique_ptr<TManualClock> Clock;
  std::unique_ptr<TScopedClock> Scoped;
  ZEZTreeNode* Short = nullptr;
  ZEZTreeNode* Long = nullptr;
};

TEST_F(ToolTipTest, CutTextGetsATipOverTheNodeText) {
  TFont Bold;
  Bold.Assign(Tree->Font());
  Bold.SetStyle(TFontStyles{fsBold});
  Long->SetFont(&Bold);
  Show();
  ASSERT_NE(Tree->ToolTip(), nullptr);
  Hover(Short);
  EXPECT_EQ(Tree->ToolTip()->Node(), nullptr);
  EXPECT_FALSE(TipVisible());
  Hover(Long);
  EXPECT_EQ(Tree->ToolTip()->Node(), Long);
  ASSERT_TRUE(TipVisible());
  TRect W;
  GetWindowRect(Tree->ToolTip()->Handle(), &W);
  const TRect Text = Long->DisplayRect(true);
  TPoint Origin{0, 0};
  ClientToScreen(Tree->Handle(), &Origin);
  EXPECT_EQ(W.Left, Text.Left + Origin.X + 2 - GetSystemMetrics(SM_CXBORDER) - 2);
  EXPECT_EQ(W.Left, Tree->ToolTip()->TipRect().Left);
  EXPECT_EQ(W.Top, Tree->ToolTip()->TipRect().Top);
  // In the node's own font.
  EXPECT_EQ(static_cast<HFONT>(SendMessage(Tree->ToolTip()->Handle(), WM_GETFONT, 0, 0)),
            Long->GetInternalFont()->Handle());
  EXPECT_TRUE(Long->GetInternalFont()->Style().Contains(fsBold));
  // Clicking the tip selects the node under it.
  TPoint InTip{10, 3};
  Harness::Click(Tree->ToolTip()->Handle(), InTip);
  Harness::RunUntilIdle();
  EXPECT_EQ(Tree->Selected(), Long);
}

TEST_F(ToolTipTest, TheTipHidesWhenThePointerLeavesOrTheTreeScrollsOrADragStarts) {
  for (int I = 0; I < 30; ++I)
    Items()->Add(nullptr, "row " + std::to_string(I));
  Tree->DragMode = dmAutomatic;
  Show();
  struct Case {
    const char* Name;
    std::function<void()> Trigger;
  } Cases[] = {
      {"pointer on a short node", [&] { Hover(Short); }},
      {"scroll", [&] { SendMessage(Tree->Handle(), WM_VSCROLL, SB_LINEDOWN, 0); }},
      {"drag",
       [&] {
         const TPoint P = LabelPoint(Long);
         Harness::MouseDown(Tree->Handle(), P);
         Harness::MouseMove(Tree->Handle(), Point(P.X + 10, P.Y));
         Harness::RunUntilIdle();
       }},
  };
  for (const auto& C : Cases) {
    Tree->SetTopItem(Short);
    Harness::RunUntilIdle();
    // The tooltip control may wait its reshow delay after a tip went: the pointer rests until the tip shows.
    for (int I = 0; I < 40 && !TipVisible(); ++I) {
      Hover(Long);
      Harness::RunUntil([this] { return TipVisible(); }, 50);
    }
    ASSERT_TRUE(TipVisible()) << C.Name;
    C.Trigger();
    Harness::RunUntilIdle();
    EXPECT_FALSE(TipVisible()) << C.Name;
    EXPECT_EQ(Tree->ToolTip()->Node(), nullptr) << C.Name;
  }
  EXPECT_TRUE(Tree->Dragging());
  Harness::KeyPress(VK_ESCAPE);
  Harness::MouseUp(Tree->Handle(), LabelPoint(Short));
  Harness::RunUntilIdle();
}

TEST_F(ToolTipTest, NoTipWithWordWrapWhileEditingOrWhenOff) {
  Show();
  Tree->SetToolTips(false);
  EXPECT_EQ(Tree->ToolTip(), nullptr);
  Hover(Long);
  Tree->SetToolTips(true);
  ASSERT_NE(Tree->ToolTip(), nullptr);
  ASSERT_TRUE(Tree->EditNode(Long));
  Hover(Short);
  Hover(Long);
  EXPECT_EQ(Tree->ToolTip()->Node(), nullptr);
  Tree->EndEditNode(true);
}

TEST_F(ToolTipTest, TheHandlerCanChangeTheText) {
  std::string Seen;
  Tree->OnGetToolTipInfo = [&](TObject*, ZEZTreeNode*, std::string& Text, TRect&) {
    Text = "changed";
    Seen = Text;
  };
  Show();
  Hover(Long);
  EXPECT_EQ(Seen, "changed");
  char Buf[64] = {};
  GetWindowText(Tree->ToolTip()->Handle(), Buf, sizeof Buf);
  EXPECT_STREQ(Buf, "changed");
}

}  // namespace
