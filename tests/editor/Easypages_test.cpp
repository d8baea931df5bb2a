// The page model: sheet geometry, settings copied from the default page, lazy layout, lookups at a caret shown
// at a row end, pages dropped after edits, and the page-layout view's mapping, scrolling and painting.
#include "tests/editor/EditorInputSupport.h"

#include "editor/Easyhintwindow.h"
#include "editor/Easypages.h"
#include "platform/graphics/Caret.h"

#include <vector>

namespace {

std::string Numbered(int Lines) {
  std::string S;
  for (int I = 0; I < Lines; ++I) {
    S += "Line " + std::to_string(I) + "\r\n";
  }
  return S;
}

class Pages : public EditorWindowTest {
protected:
  void Fill(int Lines) {
    const std::string Text = Numbered(Lines);
    Edit->GetLines()->SetTextBuffer(Text.data(), Text.size());
  }
  int LinesPerPage() {
    TEasyPage* P = Edit->GetDefaultPage();
    return (P->GetRealPageSize().cy - P->TopIndent() - P->BottomIndent()) / Edit->EasyPainter()->LineHeight();
  }
};

TEST_F(Pages, SheetSizesFollowPageSizeOrientationAndTheScreenResolution) {
  TEasyPage* P = Edit->GetDefaultPage();
  ASSERT_NE(P, nullptr);
  EXPECT_EQ(P->PageSize(), psLetter);
  EXPECT_EQ(P->GetRealPageSize().cx, 816);
  EXPECT_EQ(P->GetRealPageSize().cy, 1054);
  P->SetOrientation(pgLandscape);
  EXPECT_EQ(P->GetRealPageSize().cx, 1054);
  EXPECT_EQ(P->GetRealPageSize().cy, 816);
  P->SetOrientation(pgPortrait);
  P->SetPageWidth(200);
  EXPECT_EQ(P->PageSize(), psOther);
  EXPECT_TRUE(P->IsPageWidthStored());
  P->SetPageSize(psA4);
  EXPECT_EQ(P->PageWidth(), 210);
  EXPECT_EQ(P->PageHeight(), 297);
  EXPECT_FALSE(P->IsPageHeightStored());
  P->SetLeftIndent(-5);
  EXPECT_EQ(P->LeftIndent(), 0);
  P->SetOrientation(pgLandscape);
  // A new page takes the default page's settings; its own table size wins over copied width and height.
  TEasyPage* Second = Edit->Pages()->Add();
  EXPECT_EQ(Second->PageSize(), psA4);
  EXPECT_EQ(Second->Orientation(), pgLandscape);
  EXPECT_EQ(Second->LeftIndent(), 0);
  EXPECT_EQ(Second->GetRealPageSize().cx, P->GetRealPageSize().cx);
}

TEST_F(Pages, LookupsLayOutPagesOnlyUntilTheOneFoundAndTheRangeIsEstimated) {
  Fill(2000);
  Edit->SetPageType(ptPageLayout);
  const int PerPage = LinesPerPage();
  ASSERT_GT(PerPage, 10);
  TEasyPages* Pages = Edit->Pages();
  const int Target = 3 * PerPage + 5;
  EXPECT_EQ(Edit->GetPageIndexAt(TPoint{0, Target}, true), 3);
  EXPECT_EQ(Pages->Count(), 4) << "pages are added only until the one holding the line";
  EXPECT_EQ(Pages->Page(1)->FirstLine, PerPage);
  EXPECT_EQ(Pages->Page(3)->LastLine, 4 * PerPage - 1);
  // The sheets follow each other with a top band between them.
  EXPECT_EQ(Pages->Page(0)->Top, Pages->Page(0)->TopGutterHeight());
  EXPECT_EQ(Pages->Page(1)->Top, Pages->Page(0)->Top + 1054 + 24);
  // The range is extrapolated from the laid-out part, far beyond the four pages made.
  const int Laid = Edit->GetMaxScrollHeight();
  const int Estimated = Edit->GetEstimatedHeight();
  EXPECT_GT(Estimated, 4 * Laid);
  EXPECT_NEAR(Estimated, 2000 / PerPage * (1054 + 24), 3 * 1078);
  // A pixel lookup finds the sheet under a document y.
  EXPECT_EQ(Edit->GetPageIndexAt(TPoint{10, Pages->Page(2)->Top + 100}, false), 2);
  // The text ends: a lookup beyond it stops adding pages at the text's end.
  Edit->GetPageIndexAt(TPoint{0, 1999}, true);
  const int All = Pages->Count();
  EXPECT_EQ(All, (2000 + PerPage - 1) / PerPage);
  EXPECT_TRUE(Pages->TextEndsOnPage(All - 1));
}

TEST_F(Pages, APageLaidOutPastAGapLeavesThePagesBeforeItToBeLaidOut) {
  Fill(300);
  Edit->SetPageType(ptPageLayout);
  TEasyPages* Pages = Edit->Pages();
  // Pages made without a layout (as copied settings are) and the extent asked first: the last is measured.
  Pages->TOwnedCollection::Add();
  Pages->TOwnedCollection::Add();
  Pages->LaidOut = 0;
  Edit->ScrollHeightCache = 0;
  Edit->GetMaxScrollHeight();
  EXPECT_EQ(Pages->LaidOut, 0) << "the pages before the measured one are still to be laid out";
  const int PerPage = LinesPerPage();
  EXPECT_EQ(Edit->GetPageIndexAt(TPoint{0, 2 * PerPage + 1}, true), 2);
  EXPECT_EQ(Pages->Page(1)->FirstLine, PerPage);
  EXPECT_EQ(Pages->Page(2)->FirstLine, 2 * PerPage);
}

TEST_F(Pages, ACaretAtTheEndOfAPageShownAtARowEndBelongsToThatPage) {
  Fill(100);
  Edit->SetPageType(ptPageBreaks);
  TEasyPages* Pages = Edit->Pages();
  Pages->Add();
  // Page 0 ends inside line 5 after character 9; page 1 goes on from character 10.
  TEasyPage* A = Pages->Page(0);
  TEasyPage* B = Pages->Page(1);
  A->FirstLine = 0;
  A->LastLine = 5;
  A->LastChar = 9;
  B->FirstLine = 5;
  B->FirstChar = 10;
  B->LastLine = 20;
  Pages->LaidOut = 2;
  Edit->CaretAtRowEnd = false;
  EXPECT_EQ(Pages->ComparePage(TPoint{10, 5}, true, 0), -1);
  EXPECT_EQ(Pages->ComparePage(TPoint{10, 5}, true, 1), 0);
  Edit->CaretAtRowEnd = true;
  EXPECT_EQ(Pages->ComparePage(TPoint{10, 5}, true, 0), 0);
  EXPECT_EQ(Pages->ComparePage(TPoint{10, 5}, true, 1), 1);
  int Index = -1;
  EXPECT_TRUE(Pages->Find(TPoint{10, 5}, true, Index, 2));
  EXPECT_EQ(Index, 0);
  EXPECT_EQ(Pages->ComparePage(TPoint{11, 5}, true, 0), -1);
}

TEST_F(Pages, EditsDropThePagesPastTheTextButNeverTheFirst) {
  Fill(1000);
  Edit->SetPageType(ptPageLayout);
  Edit->GetPageIndexAt(TPoint{0, 999}, true);
  TEasyPages* Pages = Edit->Pages();
  const int Before = Pages->Count();
  ASSERT_GT(Before, 10);
  const std::string Half = Numbered(500);
  Edit->GetLines()->SetTextBuffer(Half.data(), Half.size());
  Pages->RemoveExtraPages();
  EXPECT_LT(Pages->Count(), Before);
  for (int I = 1; I < Pages->Count(); ++I) {
    EXPECT_LE(Pages->Page(I)->FirstLine, Edit->LineCount() - 1);
  }
  Edit->GetEditSource()->Clear();
  Pages->RemoveExtraPages();
  ASSERT_EQ(Pages->Count(), 1);
  EXPECT_EQ(Edit->GetDefaultPage(), Pages->Page(0));
  EXPECT_LE(Pages->LaidOut, 1);
}

TEST_F(Pages, PageLayoutMapsTextToTheSheetsAndBack) {
  Fill(300);
  Edit->SetPageType(ptPageLayout);
  TEasyPage* P0 = Edit->GetDefaultPage();
  const int LH = Edit->EasyPainter()->LineHeight();
  const int CW = Edit->EasyPainter()->CharWidth();
  const int Left = Edit->GetLeftIndent() + P0->GetLeftGutterWidth() + P0->LeftIndent();
  const TPoint Q = Edit->TextToPixelPoint(TPoint{3, 2}, false);
  EXPECT_EQ(Q.X, Left + 3 * CW);
  EXPECT_EQ(Q.Y, P0->Top + P0->TopIndent() + 2 * LH);
  EXPECT_EQ(Edit->PixelToTextPoint(TPoint{Q.X + 1, Q.Y + 1}, false), (TPoint{3, 2}));
  // A line of the second page lies below the first sheet and its band.
  const int Second = LinesPerPage();
  TEasyPage* P1 = Edit->GetPageAt(TPoint{0, Second}, true);
  ASSERT_EQ(P1->Index(), 1);
  const TPoint Q1 = Edit->TextToPixelPoint(TPoint{0, Second}, false);
  EXPECT_EQ(Q1.Y, P1->Top + P1->TopIndent());
  // Scrolling moves in pixels.
  Edit->SetScrollBars(ssBoth);
  Edit->DoVScroll(SB_LINEDOWN, 0);
  EXPECT_EQ(Edit->WindowLine(), Edit->EasyPainter()->GetTopLineHeight());
  EXPECT_EQ(Edit->TextToPixelPoint(TPoint{0, Second}, false).Y, Q1.Y - Edit->WindowLine());
  Edit->DoVScroll(SB_PAGEDOWN, 0);
  EXPECT_EQ(Edit->WindowLine(), LH + Edit->ClientHeight());
  Edit->DoVScroll(SB_TOP, 0);
  EXPECT_EQ(Edit->WindowLine(), 0);
  EXPECT_EQ(Edit->GetMaxScrollWidth(), 816 + 2 * 64);
}

TEST_F(Pages, PageLayoutShowsSheetsWithFramesOnTheBackground) {
  Fill(300);
  Edit->SetBorderColor(static_cast<TColor>(RGB(90, 120, 150)));
  Edit->SetPageType(ptPageLayout);
  Edit->GetDefaultPage()->SetPaintPageNumber(true);
  const Harness::TSavedImage Image = Snapshot(Edit, "page_layout.png");
  const TPoint O = ClientOrigin(Edit);
  TEasyPage* P0 = Edit->GetDefaultPage();
  const TRect Outer = P0->PageOuterRect(false);
  EXPECT_EQ(Image.At(O.X + 10, O.Y + 100), Argb(static_cast<TColor>(RGB(90, 120, 150)))) << "background";
  EXPECT_EQ(Image.At(O.X + Outer.Left - 1, O.Y + 100), Argb(clBlack)) << "frame";
  EXPECT_EQ(Image.At(O.X + Outer.Left + Edit->GetLeftIndent() + 2, O.Y + Outer.Top + 2), Argb(Edit->Color()))
      << "sheet";
  EXPECT_EQ(Image.At(O.X + Outer.Left + 2, O.Y + Outer.Top + 2), Argb(clBtnFace)) << "gutter on the sheet";
  EXPECT_EQ(Image.At(O.X + 30, O.Y + 5), Argb(static_cast<TColor>(RGB(90, 120, 150)))) << "band above";
  const TRect Text = P0->PageRect();
  EXPECT_TRUE(CellHasNear(Image, O, Rect(Text.Left, Text.Top, Text.Left + 60, Text.Top + 16), Argb(clBlack), 80))
      << "text inside the margins";
}

TEST_F(Pages, PageBreaksDrawADottedLineWhereAPageEnds) {
  Fill(300);
  Edit->SetPageType(ptPageBreaks);
  Edit->SetBounds(0, 0, 600, 1300);
  Harness::RunUntilIdle();
  TEasyPage* P0 = Edit->GetDefaultPage();
  Edit->GetPageIndexAt(TPoint{0, 100}, true);
  EXPECT_EQ(P0->LastLine, LinesPerPage() - 1);
  const Harness::TSavedImage Image = Snapshot(Edit, "page_breaks.png");
  const TPoint O = ClientOrigin(Edit);
  const int Y = P0->PageRect().Bottom - 1;
  EXPECT_TRUE(CellHas(Image, O, Rect(Edit->GetLeftIndent(), Y, Edit->GetLeftIndent() + 20, Y + 1), Argb(clBlack)));
}

TEST_F(Pages, PageLayoutHelpersForCaretAndMouse) {
  Fill(400);
  Edit->SetPageType(ptPageLayout);
  Edit->SetScrollBars(ssBoth);
  TEasyPage* P0 = Edit->GetDefaultPage();
  // A line far down the first page scrolls the view by pixels until its row is inside.
  const TPoint Deep{0, LinesPerPage() - 1};
  Edit->PageLayoutEnsureVisible(Deep);
  const int Y = Edit->TextToPixelPoint(Deep, false).Y;
  EXPECT_GT(Edit->WindowLine(), 0);
  EXPECT_LE(Y, Edit->ClientHeight() - Edit->EasyPainter()->LineHeight());
  EXPECT_GE(Y, 0);
  Edit->SetCurrentPosition(Deep);
  EXPECT_TRUE(Edit->PageLayoutIsCurrentLineVisible());
  Edit->SetWindowLine(0);
  EXPECT_FALSE(Edit->PageLayoutIsCurrentLineVisible());
  Edit->PageLayoutCenterCurrentLine();
  EXPECT_TRUE(Edit->PageLayoutIsCurrentLineVisible());
  EXPECT_EQ(Edit->PageLayoutPageStep(), Edit->ClientHeight() - Edit->EasyPainter()->LineHeight());
  Edit->SetWindowLine(0);
  // The view's top and bottom text points, the gutter band on the sheet and the wrap width of its text.
  EXPECT_EQ(Edit->PageLayoutVisiblePoint(false), (TPoint{0, 0}));
  EXPECT_GT(Edit->PageLayoutVisiblePoint(true).Y, 10);
  const TRect Outer = P0->PageOuterRect(false);
  EXPECT_TRUE(Edit->PageLayoutMouseOnGutter(TPoint{Outer.Left + 3, Outer.Top + 50}));
  EXPECT_FALSE(Edit->PageLayoutMouseOnGutter(TPoint{Outer.Left + 200, Outer.Top + 50}));
  EXPECT_EQ(Edit->PageLayoutGutterLeft(TPoint{Outer.Left + 3, Outer.Top + 50}), P0->LeftGutterWidth());
  EXPECT_EQ(Edit->PageLayoutWrapWidth(P0), 816 - 24 - 24 - Edit->GetLeftIndent() - 2);
}

// ---- page layout reached by keys, mouse, messages and the wrap pass ----

class PageLayoutInput : public EditorInputTest {
protected:
  void Layout(int Lines) {
    SetText(Numbered(Lines));
    Edit->SetPageType(ptPageLayout);
    Edit->SetScrollBars(ssBoth);
    Harness::RunUntilIdle();
  }
  int CaretY() { return Edit->TextToPixelPoint(Pos(), Edit->CaretAtRowEnd).Y; }
};

TEST_F(PageLayoutInput, PageKeysScrollByPixelsAndKeepTheCaretOnItsScreenRow) {
  Layout(400);
  Caret(2, 3);
  const int Y = CaretY();
  const int H = Edit->Painter()->GetDefaultLineHeight();
  const int Step = Edit->PageLayoutPageStep();
  // The caret lands on the row under its old screen position: the same place give or take part of a row.
  Key(VK_NEXT);
  EXPECT_EQ(Edit->WindowLine(), Step);
  EXPECT_LT(std::abs(CaretY() - Y), H) << "the caret keeps its place on the screen";
  EXPECT_GT(Pos().Y, 3);
  Key(VK_NEXT);
  EXPECT_EQ(Edit->WindowLine(), 2 * Step) << "the step lays out the pages it reaches";
  EXPECT_LT(std::abs(CaretY() - Y), H);
  Key(VK_PRIOR);
  Key(VK_PRIOR);
  EXPECT_EQ(Edit->WindowLine(), 0);
  EXPECT_EQ(Pos().Y, 3);
  Key(VK_PRIOR);
  EXPECT_EQ(Pos().Y, 0) << "less than a page above the view puts the caret on the first line";
  // At the end of the text the view stops at its last position and the caret still keeps its screen row.
  Key(VK_END, Ctrl());
  const int Max = Edit->PageLayoutMaxWindowLine();
  Edit->SetWindowLine(Max - Step / 2);
  Caret(0, Edit->PixelToTextPoint(TPoint{0, Y}, false).Y);
  const int EndY = CaretY();
  Key(VK_NEXT);
  EXPECT_EQ(Edit->WindowLine(), Max);
  const int Kept = CaretY();
  EXPECT_LT(std::abs(Kept - EndY), H);
  Key(VK_NEXT);
  EXPECT_EQ(Edit->WindowLine(), Max);
  EXPECT_EQ(CaretY(), Kept);
}

TEST_F(PageLayoutInput, TopAndBottomOfTheViewAreTheTextAtItsEdges) {
  Layout(400);
  Edit->SetWindowLine(300);
  const TPoint Top = Edit->PageLayoutVisiblePoint(false);
  const TPoint Bottom = Edit->PageLayoutVisiblePoint(true);
  ASSERT_GT(Top.Y, 0);
  ASSERT_GT(Bottom.Y, Top.Y + 10);
  Caret(0, 0);
  Edit->SetWindowLine(300);
  Key(VK_PRIOR, Ctrl());
  EXPECT_EQ(Pos(), Top);
  EXPECT_TRUE(Edit->IsCurrentLineVisble());
  Caret(0, 0);
  Edit->SetWindowLine(300);
  Key(VK_NEXT, Ctrl());
  EXPECT_EQ(Pos(), Bottom);
  EXPECT_TRUE(Edit->IsCurrentLineVisble());
}

TEST_F(PageLayoutInput, TheCaretIsPlacedOverTheGutterBandOfAScrolledSheet) {
  Layout(20);
  Caret(0, 1);
  // Scrolled right, the text's first column lies left of the editor's gutter indent but right of any ruler.
  const int X0 = Edit->TextToPixelPoint(TPoint{0, 1}, false).X;
  Edit->SetWindowChar(X0 - Edit->GetLeftIndent() / 2);
  Edit->UpdateCaret();
  const TPoint Q = Edit->TextToPixelPoint(Pos(), false);
  ASSERT_LT(Q.X, Edit->GetLeftIndent());
  ASSERT_GE(Q.X, 0);
  TPoint C{0, 0};
  GetCaretPos(&C);
  EXPECT_EQ(C, Q);
  // Scrolled further, the caret is left of the client area and parked out of sight.
  Edit->SetWindowChar(X0 + 40);
  Edit->UpdateCaret();
  GetCaretPos(&C);
  EXPECT_LT(C.Y, 0);
}

TEST_F(PageLayoutInput, AClickOnABookmarkInTheSheetsGutterReportsItsImage) {
  Layout(20);
  Edit->GetEditSource()->SetBookMark(1, TPoint{0, 2});
  Harness::RunUntilIdle();
  int Line = -1;
  int Image = -2;
  Edit->OnGutterClick = [&](TObject*, int L, int I) {
    Line = L;
    Image = I;
  };
  const TRect Outer = Edit->GetDefaultPage()->PageOuterRect(false);
  const int Y = CellPoint(0, 2).Y;
  ASSERT_TRUE(Edit->MouseOnGutter(Outer.Left + 4, Y));
  Harness::Click(Edit->Handle(), TPoint{Outer.Left + 4, Y});
  Harness::RunUntilIdle();
  EXPECT_EQ(Line, 2);
  EXPECT_EQ(Image, 1);
}

TEST_F(PageLayoutInput, LineScrollMessagesMoveByLineHeightsAndCharacterWidths) {
  Layout(400);
  const int H = Edit->Painter()->GetDefaultLineHeight();
  const int W = Edit->Painter()->GetDefaultCharWidth();
  EXPECT_EQ(SendMessage(Edit->Handle(), EM_LINESCROLL, 3, 10), 1);
  EXPECT_EQ(Edit->WindowLine(), 10 * H);
  EXPECT_EQ(Edit->WindowChar(), std::min(3 * W, Edit->PageLayoutMaxWindowChar()));
  SendMessage(Edit->Handle(), EM_LINESCROLL, static_cast<WPARAM>(-100), static_cast<LPARAM>(-50));
  EXPECT_EQ(Edit->WindowLine(), 0);
  EXPECT_EQ(Edit->WindowChar(), 0);
  SendMessage(Edit->Handle(), EM_LINESCROLL, 100000, 1000000);
  EXPECT_EQ(Edit->WindowLine(), Edit->PageLayoutMaxWindowLine());
  EXPECT_EQ(Edit->WindowChar(), Edit->PageLayoutMaxWindowChar());
}

TEST_F(PageLayoutInput, WrappedLinesBreakAtTheWidthOfTheirOwnPage) {
  const int PerPage = [&] {
    SetText("x");
    TEasyPage* P = Edit->GetDefaultPage();
    return (P->GetRealPageSize().cy - P->TopIndent() - P->BottomIndent()) / Edit->Painter()->GetDefaultLineHeight();
  }();
  std::string Text;
  const std::string Long(400, 'w');
  for (int I = 0; I < PerPage + 10; ++I) {
    Text += (I == 1 || I == PerPage + 2 ? Long : "short") + "\r\n";
  }
  SetText(Text);
  Edit->SetPageType(ptPageLayout);
  // The second sheet lies on its side, so its text is wider than the first sheet's.
  Edit->GetPageIndexAt(TPoint{0, PerPage + 2}, true);
  ASSERT_GE(Edit->Pages()->Count(), 2);
  TEasyPage* Second = Edit->Pages()->Page(1);
  Second->SetOrientation(pgLandscape);
  Edit->SetWordWrap(true);
  Harness::RunUntilIdle();
  ASSERT_EQ(Edit->GetPageIndexAt(TPoint{0, PerPage + 2}, true), 1);
  const int CharW = Edit->Painter()->GetDefaultCharWidth();
  auto FirstRowEnd = [&](int Line) {
    const int I = Edit->WrapList()->IndexFromPoint(TPoint{0, Line}, false);
    return I < 0 ? -1 : Edit->WrapList()->Row(I).EndChar;
  };
  EXPECT_EQ(FirstRowEnd(1), Edit->PageLayoutWrapWidth(Edit->GetDefaultPage()) / CharW);
  EXPECT_EQ(FirstRowEnd(PerPage + 2), Edit->PageLayoutWrapWidth(Second) / CharW);
  EXPECT_GT(FirstRowEnd(PerPage + 2), FirstRowEnd(1));
}

TEST_F(PageLayoutInput, WrappedTextOnASheetReachesToThePagesTextWidth) {
  Layout(5);
  Edit->SetWordWrap(true);
  Harness::RunUntilIdle();
  const TRect R = Edit->GetDefaultPage()->PageRect();
  const int Columns = (R.Right - R.Left) / Edit->Painter()->GetDefaultCharWidth();
  const int End = Edit->GetEditSource()->LineLength(1);
  Caret(End, 1);
  Key(VK_RIGHT);
  EXPECT_TRUE(SamePoint(Pos(), End + 1, 1)) << "room beyond the line's end inside the page";
  Caret(Columns, 1);
  Key(VK_RIGHT);
  EXPECT_TRUE(SamePoint(Pos(), 0, 2)) << "past the page's width the move goes on to the next line";
  Caret(Columns, 4);
  Key(VK_RIGHT);
  EXPECT_TRUE(SamePoint(Pos(), Columns, 4)) << "on the last line it stops";
}

TEST_F(PageLayoutInput, TheScrollHintNamesThePageAtTheTopOfTheView) {
  Layout(400);
  TEasyEditorOptions O = Edit->Options();
  O.Include(eoShowScrollHint);
  O.Include(eoThumbTracking);
  Edit->SetOptions(O);
  TEasyPage* Second = Edit->Pages()->GetPageAt(TPoint{0, 100}, true);
  ASSERT_NE(Second, nullptr);
  ASSERT_EQ(Second->Index(), 1);
  int HintPage = -1;
  int HintLine = -1;
  std::string Shown;
  Edit->OnScrollHint = [&](TObject*, int Line, int Page, std::string& S) {
    HintLine = Line;
    HintPage = Page;
    Shown = S;
  };
  Edit->SetWindowLine(Second->Top + Second->TopIndent());
  Edit->ProcessVScroll(SB_THUMBTRACK, Edit->WindowLine());
  EXPECT_EQ(HintPage, 1);
  EXPECT_EQ(HintLine, Second->FirstLine);
  EXPECT_EQ(Shown, "\\rtf\\b Page : \\b0 2, \\b Line : \\b0 " + std::to_string(Second->FirstLine + 1) + " ");
  EXPECT_TRUE(Edit->PopupHint()->Visible());
  Edit->ProcessVScroll(SB_ENDSCROLL, 0);
  EXPECT_FALSE(Edit->PopupHint()->Visible());
}

// ---- word wrap in page layout: pages split by rows, ending and starting inside lines ----

class WrappedPages : public EditorInputTest {
protected:
  // Words of "xxxx" filling about Rows rows of the default page's text width.
  std::string Paragraph(int Rows) {
    const int Columns = Edit->PageLayoutWrapWidth(Edit->GetDefaultPage()) / Edit->Painter()->GetDefaultCharWidth();
    std::string S;
    for (int I = 0; I < Rows * (Columns / 5); ++I) {
      S += "xxxx ";
    }
    return S;
  }
  // A heading, a paragraph that wraps to 20 rows more than a sheet holds, and a closing line, in wrapped page
  // layout, laid out to the end.
  void Layout() {
    SetText("x");
    // A narrow sheet that fits the view's width.
    Edit->GetDefaultPage()->SetPageWidth(120);
    Edit->SetPageType(ptPageLayout);
    Edit->SetScrollBars(ssBoth);
    SetText("heading\r\n" + Paragraph(Edit->GetDefaultPage()->TextRows() + 20) + "\r\nclosing\r\n");
    Edit->SetWordWrap(true);
    Harness::RunUntilIdle();
    Edit->GetPageIndexAt(TPoint{0, Edit->LineCount() - 1}, true);
  }
  int LineHeight() { return Edit->Painter()->GetDefaultLineHeight(); }
  int RowOf(const TPoint& P, bool AtRowEnd) { return Edit->WrapList()->IndexFromPoint(P, AtRowEnd); }
  // Every laid-out page starts on the row after the previous page's last one and holds as many rows as its
  // sheet does, unless the text ends on it: no row is lost or shown twice.
  void ExpectPagesFollowTheRows() {
    TEasyPages* Pages = Edit->Pages();
    int Row = 0;
    for (int P = 0; P < Pages->LaidOut; ++P) {
      TEasyPage* Page = Pages->Page(P);
      ASSERT_EQ(RowOf(TPoint{Page->FirstChar, Page->FirstLine}, false), Row) << "first row of page " << P;
      Row += Page->TextRows();
      if (!Pages->TextEndsOnPage(P)) {
        EXPECT_EQ(RowOf(TPoint{Page->LastChar, Page->LastLine}, false), Row - 1) << "last row of page " << P;
      }
    }
  }
};

TEST_F(WrappedPages, ASheetEndsInsideTheParagraphAndTheNextGoesOnAtTheNextCharacter) {
  Layout();
  TEasyPages* Pages = Edit->Pages();
  ASSERT_GE(Pages->Count(), 2);
  TEasyPage* A = Pages->Page(0);
  TEasyPage* B = Pages->Page(1);
  EXPECT_EQ(A->LastLine, 1);
  ASSERT_NE(A->LastChar, EasyMaxInt) << "the first sheet ends inside the paragraph";
  EXPECT_EQ(B->FirstLine, 1);
  EXPECT_EQ(B->FirstChar, A->LastChar + 1);
  // Every row lies on exactly one sheet, each sheet but the last full.
  TEasyWrapList* L = Edit->WrapList();
  ASSERT_EQ(L->Row(L->Count() - 1).Line, Edit->LineCount() - 1) << "laid out to the end, wrapped to the end";
  std::vector<int> Rows(static_cast<std::size_t>(Pages->Count()), 0);
  int Previous = 0;
  for (int I = 0; I < L->Count(); ++I) {
    const int P = Edit->GetPageAtPoint(TPoint{L->Row(I).StartChar, L->Row(I).Line}, false)->Index();
    ASSERT_GE(P, Previous) << "row " << I;
    Previous = P;
    ++Rows[static_cast<std::size_t>(P)];
  }
  for (int P = 0; P + 1 < Pages->Count(); ++P) {
    EXPECT_EQ(Rows[static_cast<std::size_t>(P)], Pages->Page(P)->TextRows()) << "page " << P;
  }
  ExpectPagesFollowTheRows();
  // The split position: at a row start it is the next sheet's first cell, at a row end the end of the
  // first sheet's last row; pixels map back to it.
  const TPoint Split{B->FirstChar, 1};
  const TPoint Start = Edit->TextToPixelPoint(Split, false);
  EXPECT_EQ(Start.Y, B->Top + B->TopIndent() - Edit->WindowLine());
  EXPECT_EQ(Start.X, B->PageRect().Left);
  EXPECT_EQ(Edit->TextToPixelPoint(Split, true).Y,
            A->Top + A->TopIndent() + (A->TextRows() - 1) * LineHeight() - Edit->WindowLine());
  EXPECT_EQ(Edit->PixelToTextPoint(TPoint{Start.X + 1, Start.Y + 1}, false), Split);
  Edit->CaretAtRowEnd = false;
  EXPECT_EQ(Edit->GetPageIndexAt(Split, true), 1);
  Edit->CaretAtRowEnd = true;
  EXPECT_EQ(Edit->GetPageIndexAt(Split, true), 0);
  Edit->CaretAtRowEnd = false;
}

TEST_F(WrappedPages, NoRowIsPaintedBelowTheSheetsTextAndTheNextSheetGoesOn) {
  Layout();
  TEasyPage* A = Edit->Pages()->Page(0);
  TEasyPage* B = Edit->Pages()->Page(1);
  // The view shows the bottom of the first sheet and the top of the second.
  Edit->SetWindowLine(A->Top + A->Height - Edit->ClientHeight() / 2);
  const Harness::TSavedImage Image = Snapshot(Edit, "wrapped_page_end.png");
  const TPoint O = ClientOrigin(Edit);
  const int H = LineHeight();
  const int W = Edit->Painter()->GetDefaultCharWidth();
  const TRect TA = A->PageRect();
  const int LastRow = TA.Top + (A->TextRows() - 1) * H;
  ASSERT_GT(LastRow, 0);
  ASSERT_LT(B->PageRect().Top + H, Edit->ClientHeight());
  EXPECT_TRUE(CellHasNear(Image, O, Rect(TA.Left, LastRow, TA.Left + 10 * W, LastRow + H), Argb(clBlack), 90))
      << "the sheet's last row";
  ASSERT_LT(TA.Right, Edit->ClientWidth());
  EXPECT_FALSE(
      CellHasNear(Image, O, Rect(TA.Left, LastRow + H, TA.Right, A->PageOuterRect(false).Bottom), Argb(clBlack), 90))
      << "nothing below it on the sheet";
  const TRect TB = B->PageRect();
  EXPECT_TRUE(CellHasNear(Image, O, Rect(TB.Left, TB.Top, TB.Left + 10 * W, TB.Top + H), Argb(clBlack), 90))
      << "the paragraph goes on at the top of the next sheet";
}

TEST_F(WrappedPages, TheCaretCrossesThePageEndInsideTheParagraphAndBack) {
  Layout();
  TEasyPage* A = Edit->Pages()->Page(0);
  TEasyPage* B = Edit->Pages()->Page(1);
  const TEasyWrapRow Last = Edit->WrapList()->Row(RowOf(TPoint{A->LastChar, 1}, false));
  Caret(Last.StartChar + 7, 1);
  EXPECT_EQ(Edit->GetCurrentPage(), A);
  Key(VK_DOWN);
  EXPECT_TRUE(SamePoint(Pos(), B->FirstChar + 7, 1)) << Pos().X << "," << Pos().Y;
  EXPECT_EQ(Edit->GetCurrentPage(), B);
  EXPECT_TRUE(Edit->IsCurrentLineVisble());
  EXPECT_EQ(Edit->TextToPixelPoint(Pos(), Edit->CaretAtRowEnd).Y, B->Top + B->TopIndent() - Edit->WindowLine());
  Key(VK_UP);
  EXPECT_TRUE(SamePoint(Pos(), Last.StartChar + 7, 1));
  EXPECT_EQ(Edit->GetCurrentPage(), A);
  // End on the sheet's last row stays on that sheet and row.
  const int Y = Edit->TextToPixelPoint(Pos(), false).Y;
  Key(VK_END);
  EXPECT_GT(Pos().X, Last.StartChar + 7);
  EXPECT_EQ(Edit->GetCurrentPage(), A);
  EXPECT_EQ(Edit->TextToPixelPoint(Pos(), Edit->CaretAtRowEnd).Y, Y);
  // Right from the row's end goes on to the next sheet's first row.
  Caret(B->FirstChar - 1, 1);
  Key(VK_RIGHT);
  EXPECT_TRUE(SamePoint(Pos(), B->FirstChar, 1));
  EXPECT_EQ(Edit->GetCurrentPage(), B);
  // Page Down from the first sheet keeps the caret's place on the screen, on the rows of the next sheet.
  Caret(Last.StartChar + 7, 1);
  Edit->SetWindowLine(A->Top + A->Height - Edit->ClientHeight());
  Edit->UpdateCaret();
  const int Screen = Edit->TextToPixelPoint(Pos(), Edit->CaretAtRowEnd).Y;
  Key(VK_NEXT);
  EXPECT_EQ(Edit->GetCurrentPage(), B);
  EXPECT_EQ(Pos().Y, 1);
  EXPECT_LT(std::abs(Edit->TextToPixelPoint(Pos(), Edit->CaretAtRowEnd).Y - Screen), LineHeight());
}

TEST_F(WrappedPages, PageBreaksSplitWrappedTextByRowsToo) {
  SetText("x");
  Edit->SetPageType(ptPageBreaks);
  SetText(Paragraph(Edit->GetDefaultPage()->TextRows() + 10) + "\r\n");
  Edit->SetWordWrap(true);
  Harness::RunUntilIdle();
  Edit->GetPageIndexAt(TPoint{0, 1}, true);
  TEasyPage* A = Edit->Pages()->Page(0);
  ASSERT_GE(Edit->Pages()->Count(), 2);
  EXPECT_EQ(A->LastLine, 0);
  ASSERT_NE(A->LastChar, EasyMaxInt);
  EXPECT_EQ(A->Height, A->TextRows() * LineHeight()) << "the page's text is a sheet of rows";
  EXPECT_EQ(Edit->Pages()->Page(1)->FirstChar, A->LastChar + 1);
  ExpectPagesFollowTheRows();
}

TEST_F(WrappedPages, ClicksAtTheSplitLandOnTheSheetClicked) {
  Layout();
  TEasyPage* A = Edit->Pages()->Page(0);
  TEasyPage* B = Edit->Pages()->Page(1);
  Edit->SetWindowLine(A->Top + A->Height - Edit->ClientHeight() / 2);
  Harness::Click(Edit->Handle(), CellPoint(B->FirstChar + 2, 1));
  Harness::RunUntilIdle();
  EXPECT_TRUE(SamePoint(Pos(), B->FirstChar + 2, 1));
  // Past the text of the first sheet's last row: the caret goes to that row's end and stays on that sheet.
  const TPoint End = Edit->TextToPixelPoint(TPoint{B->FirstChar, 1}, true);
  Harness::Click(Edit->Handle(), TPoint{A->PageRect().Right - 3, End.Y + LineHeight() / 2});
  Harness::RunUntilIdle();
  EXPECT_EQ(Pos().Y, 1);
  EXPECT_EQ(Edit->GetCurrentPage(), A);
  EXPECT_EQ(Edit->TextToPixelPoint(Pos(), Edit->CaretAtRowEnd).Y, End.Y);
}

TEST_F(WrappedPages, TheScrollHintNamesTheSheetThatStartsInsideTheParagraph) {
  Layout();
  TEasyEditorOptions O = Edit->Options();
  O.Include(eoShowScrollHint);
  O.Include(eoThumbTracking);
  Edit->SetOptions(O);
  int HintPage = -1;
  int HintLine = -1;
  Edit->OnScrollHint = [&](TObject*, int Line, int Page, std::string&) {
    HintLine = Line;
    HintPage = Page;
  };
  TEasyPage* B = Edit->Pages()->Page(1);
  Edit->SetWindowLine(B->Top + B->TopIndent());
  Edit->ProcessVScroll(SB_THUMBTRACK, Edit->WindowLine());
  EXPECT_EQ(HintLine, 1);
  EXPECT_EQ(HintPage, 1);
  Edit->ProcessVScroll(SB_ENDSCROLL, 0);
}

TEST_F(WrappedPages, WrappingStaysLazyAndThePagesFollowEditsAndSheetChanges) {
  SetText("x");
  Edit->SetPageType(ptPageLayout);
  std::string Text;
  for (int I = 0; I < 2000; ++I) {
    Text += Paragraph(3 + I % 2) + "\r\n";
  }
  SetText(Text);
  Edit->SetWordWrap(true);
  Harness::RunUntilIdle();
  TEasyWrapList* L = Edit->WrapList();
  TEasyPages* Pages = Edit->Pages();
  const int PerPage = Pages->Page(0)->TextRows();
  EXPECT_LT(L->Row(L->Count() - 1).Line, 2 * PerPage) << "the pass stopped below the view";
  // A lookup far down wraps the rows on the way, and no further than a step beyond.
  ASSERT_GE(Edit->GetPageIndexAt(TPoint{0, 600}, true), 1);
  EXPECT_GE(L->Row(L->Count() - 1).Line, 600);
  EXPECT_LT(L->Row(L->Count() - 1).Line, 1999);
  ExpectPagesFollowTheRows();
  // Typing inside a line split between two sheets moves the split; the pages follow on the next lookup.
  int Split = 1;
  while (Split < Pages->LaidOut && Pages->Page(Split)->FirstChar == 0) {
    ++Split;
  }
  ASSERT_LT(Split, Pages->LaidOut) << "some line is split between sheets";
  Caret(0, Pages->Page(Split)->FirstLine);
  Type("yy ");
  Edit->GetPageIndexAt(TPoint{0, 600}, true);
  {
    SCOPED_TRACE("typed");
    ExpectPagesFollowTheRows();
  }
  // A new line above shifts every row below.
  Caret(3, 2);
  Key(VK_RETURN);
  Edit->GetPageIndexAt(TPoint{0, 600}, true);
  {
    SCOPED_TRACE("new line");
    ExpectPagesFollowTheRows();
  }
  EXPECT_LT(L->Row(L->Count() - 1).Line, 1999) << "edits wrap and lay out no further than asked";
  // A wider second sheet: its rows wrap at its own width, split where its text height runs out.
  Pages->Page(1)->SetOrientation(pgLandscape);
  Edit->GetPageIndexAt(TPoint{0, 600}, true);
  {
    SCOPED_TRACE("landscape");
    ExpectPagesFollowTheRows();
  }
  // Compare the first rows of a line on each sheet.
  const int OnFirst = RowOf(TPoint{0, 5}, false);
  int OnSecond = RowOf(TPoint{Pages->Page(1)->FirstChar, Pages->Page(1)->FirstLine}, false);
  while (L->Row(OnSecond).StartChar != 0) {
    ++OnSecond;
  }
  ASSERT_EQ(Edit->GetPageAtPoint(TPoint{0, L->Row(OnSecond).Line}, false)->Index(), 1);
  auto Length = [&](int Row) { return L->Row(Row).EndChar - L->Row(Row).StartChar; };
  EXPECT_GT(Length(OnSecond), Length(OnFirst) + 20);
}

TEST_F(Pages, TheNumberColumnBesideTheGutterRunsOverTheSheetsMargins) {
  Fill(20);
  Edit->SetColor(static_cast<TColor>(RGB(250, 240, 200)));
  Edit->SetBorderColor(static_cast<TColor>(RGB(90, 120, 150)));
  Edit->LineNumbers()->SetVisible(true);
  TEasyLineNumbersOptions LO = Edit->LineNumbers()->Options();
  LO.Exclude(lnPaintOnGutter);
  Edit->LineNumbers()->SetOptions(LO);
  Edit->SetPageType(ptPageLayout);
  const Harness::TSavedImage Image = Snapshot(Edit, "page_number_column.png");
  const TPoint O = ClientOrigin(Edit);
  TEasyPage* P0 = Edit->GetDefaultPage();
  const TRect Outer = P0->PageOuterRect(false);
  const int X = Outer.Left + Edit->Gutter()->GetWidth() + Edit->LineNumberWidth - 2;
  EXPECT_EQ(Image.At(O.X + X, O.Y + Outer.Top + 2), Argb(Edit->Color())) << "above the first row";
  EXPECT_EQ(Image.At(O.X + X, O.Y + P0->PageRect().Top + 20 * Edit->EasyPainter()->LineHeight() + 4),
            Argb(Edit->Color()))
      << "below the last row";
}

}  // namespace
