// How rows look: normal, selected with and without the focus, full-row selection, hidden selection, drop targets,
// collapsed and expanded buttons, and which areas a change repaints.
#include "TreeTestUtil.h"

#include "platform/graphics/WinGdi.h"

namespace {

class TreePaint : public TreeTest::TreeFixture {
protected:
  void SetUp() override {
    TreeFixture::SetUp();
    Tree->SetBounds(10, 10, 300, 200);
    A = Items()->Add(nullptr, "Alpha group");
    A1 = Items()->AddChild(A, "first message");
    A2 = Items()->AddChild(A, "second message");
    B = Items()->Add(nullptr, "Beta group");
    Items()->AddChild(B, "hidden");
    A->Expand(false);
    Show();
  }
  // The tree's client pixels as the screen shows them.
  TColor Pixel(int X, int Y) {
    Harness::RunUntilIdle();
    HDC DC = GetDC(Tree->Handle());
    const COLORREF C = GetPixel(DC, X, Y);
    ReleaseDC(Tree->Handle(), DC);
    return static_cast<TColor>(C);
  }
  TRect Part(ZEZTreeNode* N, TNodePart P) {
    ZEZNodeDispInfo Info;
    N->GetNodeDispInfo(Info);
    return Info.Rects[P];
  }
  static TColor Rgb(TColor C) { return static_cast<TColor>(ColorToRGB(C)); }
  ZEZTreeNode* A = nullptr;
  ZEZTreeNode* A1 = nullptr;
  ZEZTreeNode* A2 = nullptr;
  ZEZTreeNode* B = nullptr;
};

TEST_F(TreePaint, SelectionLooks) {
  Tree->SetSelected(A1);
  const TRect Text = Part(A1, npText);
  const TRect Indent = Part(A1, npButton);
  // Unfocused with HideSelection on: the selected node looks unselected.
  EXPECT_EQ(Pixel(Text.Left + 1, Text.Top + 1), Rgb(clWindow));
  Tree->SetHideSelection(false);
  EXPECT_EQ(Pixel(Text.Left + 1, Text.Top + 1), Rgb(clBtnFace));
  // Focused: the active colours.
  Tree->SetFocus();
  Harness::RunUntilIdle();
  ASSERT_TRUE(Tree->IsFocused());
  EXPECT_EQ(Pixel(Text.Left + 2, Text.Top + 2), Rgb(clHighlight));
  EXPECT_EQ(Pixel(Indent.Left + 1, Indent.Top + 1), Rgb(clWindow));  // partial: only the text part
  EXPECT_EQ(Pixel(Text.Right + 3, Text.Top + 2), Rgb(clWindow));
  // Full-row selection: the indent and the space right of the text take the colour too.
  Tree->SetRowSelect(true);
  Tree->SetRowSelectType(rtFull);
  Tree->Invalidate();
  EXPECT_EQ(Pixel(Indent.Left + 1, Indent.Top + 2), Rgb(clHighlight));
  EXPECT_EQ(Pixel(Tree->ClientWidth() - 3, Text.Top + 2), Rgb(clHighlight));
  // An unselected row is untouched.
  const TRect Other = Part(A2, npText);
  EXPECT_EQ(Pixel(Other.Left + 1, Other.Top + 1), Rgb(clWindow));
}

TEST_F(TreePaint, FocusRectangleAroundTheFocusedText) {
  Tree->SetSelected(A2);
  Tree->SetFocus();
  Harness::RunUntilIdle();
  const TRect Text = Part(A2, npText);
  // The dotted frame alternates along the text part's top edge: the pen (the focus colour against the highlight)
  // and the brush (the focus colour against white).
  const TColor P0 = Pixel(Text.Left, Text.Top), P1 = Pixel(Text.Left + 1, Text.Top);
  EXPECT_NE(P0, P1);
  const TColor Pen = static_cast<TColor>(ColorToRGB(clHighlight) ^ ColorToRGB(clHighlight));
  const TColor Brush = static_cast<TColor>(ColorToRGB(clHighlight) ^ 0xFFFFFF);
  EXPECT_TRUE((P0 == Pen && P1 == Brush) || (P0 == Brush && P1 == Pen));
  // Inside the frame, the selection colour.
  EXPECT_EQ(Pixel(Text.Left + 2, Text.Top + 2), Rgb(clHighlight));
}

TEST_F(TreePaint, DropTargetLooks) {
  A2->SetDropTarget(true);
  const TRect Text = Part(A2, npText);
  Tree->Invalidate();
  EXPECT_EQ(Pixel(Text.Left + 2, Text.Top + 2), Rgb(clHighlight));  // looks selected
  Tree->SetDropTargetKind(tkDown);
  Tree->Invalidate();
  EXPECT_EQ(Pixel(Text.Left + 2, Text.Top + 2), Rgb(clWindow));
  // The insertion bar two pixels above the bottom, in the text colour.
  EXPECT_EQ(Pixel(Text.Left + 5, Text.Bottom - 2), Rgb(clWindowText));
  A2->SetDropTarget(false);
  EXPECT_EQ(Tree->DropTarget(), nullptr);
}

TEST_F(TreePaint, ButtonsShowPlusOrMinus) {
  auto Strokes = [&](ZEZTreeNode* N) {
    TRect Bx = N->GetButtonRect();
    const TRect R = Part(N, npButton);
    CenterRectHorz(Bx, R);
    CenterRectVertEven(Bx, R);
    const int MidX = (Bx.Left + Bx.Right) / 2, MidY = (Bx.Top + Bx.Bottom) / 2;
    return std::make_pair(Pixel(MidX - 2, MidY) == Rgb(clBlack), Pixel(MidX, MidY - 2) == Rgb(clBlack));
  };
  EXPECT_EQ(Strokes(A), std::make_pair(true, false));  // expanded: minus
  EXPECT_EQ(Strokes(B), std::make_pair(true, true));   // collapsed: plus
  Tree->SetShowButtons(false);
  EXPECT_EQ(Strokes(B), std::make_pair(false, false));
}

TEST_F(TreePaint, ChangesRepaintTheirRows) {
  Harness::RunUntilIdle();
  auto Dirty = [&] {
    TRect R;
    const BOOL Any = GetUpdateRect(Tree->Handle(), &R, FALSE);
    Harness::RunUntilIdle();
    return Any ? R : TRect{};
  };
  // A new last child repaints the previous last sibling's lines and the window below its row.
  ZEZTreeNode* A3 = Items()->AddChild(A, "third");
  const TRect D = Dirty();
  EXPECT_LE(D.Top, Part(A2, npLines).Top);
  EXPECT_EQ(D.Bottom, Tree->ClientHeight());
  // A colour change repaints only the text part, or the whole row with full-row selection.
  A3->SetFontColor(clRed);
  TRect R = Dirty();
  EXPECT_EQ(R, Part(A3, npText));
  Tree->SetRowSelect(true);
  Tree->SetRowSelectType(rtFull);
  Harness::RunUntilIdle();
  A3->SetFontColor(clBlue);
  R = Dirty();
  EXPECT_EQ(R.Left, 0);
  EXPECT_EQ(R.Top, Part(A3, npText).Top);
  // While locked nothing is repainted until the end of the update.
  Items()->BeginUpdate();
  A3->SetText("renamed");
  EXPECT_EQ(Dirty(), TRect{});
  Items()->EndUpdate();
  EXPECT_NE(Dirty(), TRect{});
}

}  // namespace
