// The tree view on screen: measured rows, the top row and scroll ranges, wheel and scroll commands, and a picture
// of grouped results with its lines, buttons, images and selection.
#include "TreeTestUtil.h"

#include "treeview/Dcntreedraw.h"

#include "platform/graphics/ImgList.h"
#include "platform/graphics/ScrollBars.h"

#include <memory>

namespace {

// Rows of a fixed height, for the scrolling rules.
class TFixedRowTree : public ZEZTree {
public:
  using ZEZTree::ZEZTree;
  Integer NodeHeight(ZEZTreeNode*, Integer) override { return 16; }
};

class TreeView : public TreeTest::TreeFixture {
protected:
  TFixedRowTree* MakeFixed(int Rows) {
    auto* T = new TFixedRowTree(Form);
    T->AfterConstruction();
    T->SetBorderStyle(bsNone);
    T->SetParent(Form);
    T->SetBounds(10, 220, 200, 100);
    for (int I = 1; I <= Rows; ++I) {
      T->Items()->Add(nullptr, "row" + std::to_string(I));
    }
    Show();
    return T;
  }
  static std::string TopText(ZEZCustomTreeView* T) { return T->TopItem() ? T->TopItem()->GetText() : "nil"; }
};

TEST_F(TreeView, NewViewHasAnExpandedHiddenRoot) {
  EXPECT_TRUE(Tree->Root()->GetExpanded());
  EXPECT_EQ(Items()->GetCount(), 0);
  EXPECT_EQ(Tree->Selected(), nullptr);
  auto* Fresh = new ZEZTree(nullptr);
  Fresh->AfterConstruction();
  EXPECT_EQ(Fresh->Width(), 121);
  EXPECT_EQ(Fresh->Height(), 97);
  EXPECT_EQ(Fresh->Indent(), 19);
  EXPECT_THROW(Fresh->SetIndent(-1), EInvalidOperation);
  EXPECT_EQ(Fresh->Indent(), 19);
  EXPECT_THROW(Fresh->SetChangeDelay(-5), EInvalidOperation);
  EXPECT_EQ(Fresh->ChangeDelay(), 0);
  EXPECT_TRUE(FontHeightCacheExists());
  delete Fresh;
  // The cache lives while any view does: the fixture's tree still holds it.
  EXPECT_TRUE(FontHeightCacheExists());
}

TEST_F(TreeView, RowHeightFromFontAndImages) {
  Show();
  ZEZTreeNode* A = Items()->Add(nullptr, "Row");
  TEXTMETRIC Tm;
  HDC DC = GetDC(0);
  HGDIOBJ Old = SelectObject(DC, Tree->Font()->Handle());
  GetTextMetrics(DC, &Tm);
  SelectObject(DC, Old);
  ReleaseDC(0, DC);
  // The font height rounded up to even, 2 for the editor's margin, then 2 more.
  EXPECT_EQ(A->GetHeight(), ((Tm.tmHeight + 1) & ~1) + 4);
  TImageList Images(nullptr);
  Images.SetWidth(16);
  Images.SetHeight(30);
  Tree->SetImages(&Images);
  EXPECT_EQ(A->GetHeight(), 30);
  EXPECT_EQ(A->GetImageWidth(), 19);  // the image width + 3, whatever the index
  A->SetImageIndex(-1);
  EXPECT_EQ(A->GetImageWidth(), 19);
  Tree->SetImages(nullptr);
  // Button and symbol sizes.
  EXPECT_EQ(A->GetButtonRect(), Rect(0, 0, 9, 9));
  EXPECT_EQ(ZEZTreeNode::GetSymbolRect(A->GetButtonRect()), Rect(0, 0, 5, 5));
  Tree->SetIndent(8);
  EXPECT_EQ(A->GetButtonRect(), Rect(0, 0, 5, 5));
  EXPECT_EQ(ZEZTreeNode::GetSymbolRect(A->GetButtonRect()), Rect(0, 0, 3, 3));
}

TEST_F(TreeView, PositionsAndPartRectangles) {
  Show();
  Tree->SetShowRoot(false);
  ZEZTreeNode* A = Items()->Add(nullptr, "a");
  ZEZTreeNode* B = Items()->AddChild(A, "b");
  const TRect D = Tree->GetDrawRect();
  ZEZNodeDispInfo Info;
  A->GetNodeDispInfo(Info);
  EXPECT_EQ(Info.Rects[npButton].Width(), 0);  // no button column at the top without ShowRoot
  EXPECT_EQ(Info.Rects[npButton].Left, D.Left);
  EXPECT_EQ(B->GetPositionX(), 2147483647);  // under a collapsed parent
  EXPECT_EQ(B->GetWidth(), 0);
  A->Expand(false);
  EXPECT_EQ(B->GetPositionX(), D.Left + 0);
  B->GetNodeDispInfo(Info);
  EXPECT_EQ(Info.Rects[npButton].Width(), 19);
  EXPECT_EQ(Info.Rects[npText].Top, A->GetHeight());
  Tree->Root()->GetNodeDispInfoEx(Info, false);
  for (const TRect& R : Info.Rects) EXPECT_EQ(R, TRect{});
  // The widest row sets the horizontal range.
  EXPECT_EQ(Tree->GetMaxWidth(), std::max(A->GetWidth(), B->GetWidth()));
}

TEST_F(TreeView, SetTopItemLeavesNoEmptySpaceBelow) {
  TFixedRowTree* T = MakeFixed(10);
  ASSERT_EQ(T->GetDrawRect().Height(), 100);
  T->SetTopItem(T->Items()->GetItem(7));  // the eighth row
  EXPECT_EQ(TopText(T), "row5");
  EXPECT_EQ(T->TopIndex(), 4);
  T->SetTopItem(T->Items()->GetItem(0));
  TMessage M;
  M.Msg = WM_VSCROLL;
  M.WParam = SB_BOTTOM;
  T->Perform(WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(TopText(T), "row5");
  T->Perform(WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(TopText(T), "row4");
  T->Perform(WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(TopText(T), "row1");
  T->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(TopText(T), "row5");  // the page-down row, corrected to fill the window
  // The vertical bar: one position per row, a page of whole rows.
  SCROLLINFO Si;
  Si.fMask = SIF_ALL;
  GetScrollInfo(T->Handle(), SB_VERT, &Si);
  EXPECT_EQ(Si.nMax, 9);
  EXPECT_EQ(Si.nPage, 6u);
  EXPECT_EQ(Si.nPos, 4);
  // Deleting rows shrinks the range with the content.
  T->Items()->GetItem(9)->Delete();
  T->Items()->GetItem(8)->Delete();
  GetScrollInfo(T->Handle(), SB_VERT, &Si);
  EXPECT_EQ(Si.nMax, 7);
  EXPECT_EQ(TopText(T), "row3");
}

TEST_F(TreeView, WheelCarriesTheRemainder) {
  TFixedRowTree* T = MakeFixed(20);
  T->SetTopItem(T->Items()->GetItem(10));
  ASSERT_EQ(TopText(T), "row11");
  T->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(MAKELONG(0, 60)), 0);
  EXPECT_EQ(TopText(T), "row11");
  T->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(MAKELONG(0, 60)), 0);
  EXPECT_EQ(TopText(T), "row8");  // three rows up
  T->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(MAKELONG(0, static_cast<WORD>(-200))), 0);
  EXPECT_EQ(TopText(T), "row11");
  T->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(MAKELONG(0, static_cast<WORD>(-40))), 0);
  EXPECT_EQ(TopText(T), "row14");  // -80 kept, -40 more makes a notch
}

TEST_F(TreeView, CollapsingAroundTheTopRowMovesItToTheParent) {
  TFixedRowTree* T = MakeFixed(0);
  ZEZTreeNode* P = T->Items()->Add(nullptr, "p");
  for (int I = 0; I < 20; ++I) T->Items()->AddChild(P, "c" + std::to_string(I));
  T->Items()->Add(nullptr, "q");
  P->Expand(false);
  T->SetTopItem(T->Items()->GetItem(8));
  ASSERT_EQ(TopText(T), "c7");
  P->Collapse(false);
  EXPECT_EQ(TopText(T), "p");
  EXPECT_EQ(T->Items()->GetVisibleCount(), 2);
}

TEST_F(TreeView, HorizontalRangeAndPosition) {
  Show();
  ZEZTreeNode* A = Items()->Add(nullptr, std::string(120, 'W'));
  SCROLLINFO Si;
  Si.fMask = SIF_ALL;
  GetScrollInfo(Tree->Handle(), SB_HORZ, &Si);
  EXPECT_EQ(Si.nMax, A->GetWidth() - 1);
  Tree->Scroll(smToRight);
  EXPECT_EQ(Tree->HorzPos(), Tree->HorzRange() - Tree->GetPageSize().cx);
  // A wider window pulls the position back.
  Tree->SetBounds(10, 10, 2000, 200);
  Harness::RunUntilIdle();
  EXPECT_EQ(Tree->HorzPos(), std::max<Integer>(0, Tree->HorzRange() - Tree->GetPageSize().cx));
}

// A bitmap of one colour, 16 x 16.
std::unique_ptr<TBitmap> Square(TColor C) {
  auto B = std::make_unique<TBitmap>();
  B->SetSize(16, 16);
  B->Canvas()->Brush()->SetColor(C);
  B->Canvas()->FillRect(Rect(0, 0, 16, 16));
  return B;
}

TEST_F(TreeView, PictureOfGroupedResults) {
  // On the heap: the tree still shows the list when the test ends, and only `delete` tells it while the list is
  // whole.
  auto Images = std::make_unique<TImageList>(nullptr);
  Images->SetWidth(16);
  Images->SetHeight(16);
  Images->Add(Square(clRed).get(), nullptr);
  Images->Add(Square(clYellow).get(), nullptr);
  Tree->SetImages(Images.get());
  Tree->SetHideSelection(false);
  Tree->SetBounds(10, 10, 380, 300);
  Show();
  struct TGroup {
    const char* Title;
    int Image;
    std::vector<const char*> Messages;
  };
  const TGroup Groups[] = {
      {"Errors (2)", 0, {"Line 3: missing </p>", "Line 9: unknown attribute \"colour\""}},
      {"Warnings (3)", 1, {"Line 1: no DOCTYPE", "Line 4: <img> lacks \"alt\"", "Line 12: empty <td>"}},
      {"Accessibility (0)", 1, {}},
  };
  Items()->BeginUpdate();
  for (const TGroup& G : Groups) {
    ZEZTreeNode* N = Items()->Add(nullptr, G.Title);
    TFontStyles S = N->GetFontStyle();
    S.Include(fsBold);
    N->SetFontStyle(S);
    N->SetImageIndex(-1);
    for (const char* M : G.Messages) {
      ZEZTreeNode* C = Items()->AddChildObject(N, M, nullptr);
      C->SetImageIndex(G.Image);
      C->SetSelectedIndex(G.Image);
    }
  }
  Items()->EndUpdate();
  Items()->GetFirstNode()->Expand(false);
  Items()->GetFirstNode()->GetNextSibling()->Expand(false);
  ZEZTreeNode* Sel = Items()->GetItem(5);  // Line 4
  Tree->SetSelected(Sel);
  Harness::RunUntilIdle();

  const std::string File = ::testing::TempDir() + "tree_grouped_results.png";
  ASSERT_TRUE(Harness::SaveWindowPng(Form->Handle(), File));
  Harness::TSavedImage Img;
  ASSERT_TRUE(Harness::LoadPng(File, Img));
  const TPoint Origin = Tree->ClientToScreen(Point(0, 0));
  const TPoint FormOrigin = Form->ClientToScreen(Point(0, 0));
  RECT Wr;
  GetWindowRect(Form->Handle(), &Wr);
  const int OX = Origin.X - Wr.Left, OY = Origin.Y - Wr.Top;
  (void)FormOrigin;
  auto Pixel = [&](int X, int Y) {
    const std::uint32_t P = Img.At(OX + X, OY + Y);
    return static_cast<TColor>(((P >> 16) & 0xFF) | (P & 0xFF00) | ((P & 0xFF) << 16));
  };
  auto Rgb = [](TColor C) { return static_cast<TColor>(ColorToRGB(C)); };

  // The error message's image sits in its image part, vertically centred.
  ZEZTreeNode* Err = Items()->GetItem(1);
  ZEZNodeDispInfo Info;
  Err->GetNodeDispInfo(Info);
  const TRect Image = Info.Rects[npImage];
  const int ImageTop = (Image.Top + Image.Bottom - 16) / 2;
  EXPECT_EQ(Pixel(Image.Left + 8, ImageTop + 8), Rgb(clRed));
  EXPECT_EQ(Pixel(Image.Left + 17, ImageTop + 8), Rgb(clWindow));  // the 3 pixels after it
  // A warning's image is yellow.
  Items()->GetItem(4)->GetNodeDispInfo(Info);
  EXPECT_EQ(Pixel(Info.Rects[npImage].Left + 8, (Info.Rects[npImage].Top + Info.Rects[npImage].Bottom) / 2), Rgb(clYellow));
  // The selected row's text part is on the inactive selection colour (the window is not focused).
  Sel->GetNodeDispInfo(Info);
  EXPECT_EQ(Pixel(Info.Rects[npText].Left + 1, Info.Rects[npText].Top + 1), Rgb(clBtnFace));
  EXPECT_EQ(Pixel(Info.Rects[npText].Right + 4, Info.Rects[npText].Top + 1), Rgb(clWindow));
  // The expanded group's button: a box in the lines colour with a minus and no plus; the collapsed one a plus.
  ZEZTreeNode* G0 = Items()->GetFirstNode();
  G0->GetNodeDispInfo(Info);
  TRect B = G0->GetButtonRect();
  CenterRectHorz(B, Info.Rects[npButton]);
  CenterRectVertEven(B, Info.Rects[npButton]);
  EXPECT_EQ(Pixel(B.Left, B.Top), Rgb(clBtnShadow));
  EXPECT_EQ(Pixel(B.Right - 1, B.Bottom - 1), Rgb(clBtnShadow));
  const int MidX = (B.Left + B.Right) / 2, MidY = (B.Top + B.Bottom) / 2;
  EXPECT_EQ(Pixel(MidX, MidY), Rgb(clBlack));
  EXPECT_EQ(Pixel(MidX, MidY - 2), Rgb(clWindow));  // no plus stroke while expanded
  ZEZTreeNode* G2 = G0->GetNextSibling()->GetNextSibling();
  EXPECT_FALSE(G2->GetHasChildren());
  // A message's own column: dotted vertical line through the middle of its parent's column.
  Err->GetNodeDispInfo(Info);
  const TRect Lines = Info.Rects[npButton];
  const int LineX = Lines.Left + (Lines.Width() - 1) / 2;
  int Dots = 0;
  for (int Y = Lines.Top; Y < Lines.Bottom; ++Y) {
    if (Pixel(LineX, Y) == Rgb(clBtnShadow)) ++Dots;
  }
  EXPECT_GE(Dots, Lines.Height() / 2 - 1);
  EXPECT_LE(Dots, Lines.Height() / 2 + 1);
  // The bold group text is wider than the same text in the normal font.
  G0->GetNodeDispInfo(Info);
  const int BoldWidth = G0->GetTextWidth();
  ZEZTreeNode* Plain = Items()->Add(nullptr, G0->GetText());
  EXPECT_GT(BoldWidth, Plain->GetTextWidth());
  // Below the last row the window colour fills the rest.
  EXPECT_EQ(Pixel(5, Tree->ClientHeight() - 2), Rgb(clWindow));
}

TEST_F(TreeView, DottedLinesAndFocusRectangle) {
  Show();
  ZEZCanvas* C = Tree->Canvas();
  HDC DC = GetDC(Tree->Handle());
  C->SetHandle(DC);
  const Integer Before = C->BlitCount();
  C->DrawHorzDotLine(5, 3, 5);
  EXPECT_EQ(C->BlitCount(), Before);
  C->DrawHorzDotLine(0, 3, 25);
  EXPECT_EQ(C->BlitCount(), Before + 3);  // 10, 10 and 5 pixels
  C->Pen()->SetColor(clBlack);
  C->Brush()->SetColor(clWhite);
  C->FillRect(Rect(0, 0, 40, 40));
  C->DrawFocusRect(Rect(0, 0, 10, 10));
  // Every pixel of the outline once, alternating round the corners.
  int Black = 0;
  for (int Y = 0; Y < 10; ++Y) {
    for (int X = 0; X < 10; ++X) {
      const bool Edge = X == 0 || Y == 0 || X == 9 || Y == 9;
      const bool On = C->Pixels(X, Y) == clBlack;
      if (!Edge) {
        EXPECT_FALSE(On) << X << "," << Y;
      }
      Black += On;
    }
  }
  EXPECT_EQ(Black, 18);
  EXPECT_NE(C->Pixels(0, 0) == clBlack, C->Pixels(1, 0) == clBlack);
  EXPECT_NE(C->Pixels(9, 0) == clBlack, C->Pixels(9, 1) == clBlack);
  EXPECT_NE(C->Pixels(0, 9) == clBlack, C->Pixels(0, 8) == clBlack);
  C->SetHandle(0);
  ReleaseDC(Tree->Handle(), DC);
}

}  // namespace

namespace {

TEST_F(TreeView, ATreeFilledBeforeItsWindowIsLaidOutWhenTheWindowComes) {
  ZEZTreeNode* A = Items()->Add(nullptr, "a");
  for (int I = 0; I < 40; ++I) Items()->AddChild(A, std::string(static_cast<std::size_t>(I), 'm'));
  A->Expand(false);
  EXPECT_FALSE(Tree->HandleAllocated());
  Show();
  int Widest = 0;
  for (ZEZTreeNode* N = Items()->GetFirstNode(); N; N = N->GetNextVisibleSimple()) Widest = std::max(Widest, N->GetWidth());
  EXPECT_EQ(Tree->GetMaxWidth(), Widest);
  SCROLLINFO Si;
  Si.fMask = SIF_ALL;
  GetScrollInfo(Tree->Handle(), SB_VERT, &Si);
  EXPECT_EQ(Si.nMax, 40);
  EXPECT_GT(Si.nPage, 0u);
  EXPECT_LT(static_cast<int>(Si.nPage), 41);
}

}  // namespace

namespace {

// An editor that measures texts itself: every text is Answer pixels high and twice that wide.
class TMeasuringEditor : public TControl {
public:
  using TControl::TControl;
  LRESULT Answer = 0;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == DMMeasure) {
      const auto* M = reinterpret_cast<const TDMMeasure*>(Message.WParam);
      Message.Result = M->Height ? Answer : 2 * Answer;
      return;
    }
    TControl::Dispatch(Message);
  }
};

class TEditorTree : public ZEZTree {
public:
  using ZEZTree::ZEZTree;
  TMeasuringEditor* Editor = nullptr;
  TControl* GetEditor(ZEZTreeNode*, Integer) override { return Editor; }
};

TEST_F(TreeView, AnEditorThatMeasuresSetsTheRowSize) {
  auto* T = new TEditorTree(Form);
  T->AfterConstruction();
  T->SetParent(Form);
  T->Editor = new TMeasuringEditor(Form);
  T->Editor->AfterConstruction();
  Show();
  ZEZTreeNode* N = T->Items()->Add(nullptr, "text");
  struct TCase {
    LRESULT Answer;
    Integer Height;
    Integer Width;
  };
  for (const TCase& C : {TCase{30, 32, 62}, TCase{1, 4, 4}, TCase{0, 0, 0}}) {
    T->Editor->Answer = C.Answer;
    T->ResetCache();
    if (C.Answer == 0) {
      // Not measured by the editor: the view's own measure, font height plus the margins.
      EXPECT_EQ(N->GetHeight(), GetFontHeight(T->Font()) + 4);
    } else {
      EXPECT_EQ(N->GetHeight(), C.Height) << C.Answer;
      EXPECT_EQ(N->GetTextWidth(), C.Width) << C.Answer;
    }
  }
}

}  // namespace
