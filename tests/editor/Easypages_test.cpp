// The page model: sheet geometry, settings copied from the default page, lazy layout, lookups at a caret shown
// at a row end, pages dropped after edits, and the page-layout view's mapping, scrolling and painting.
#include "tests/editor/EditorWindowSupport.h"

#include "editor/Easypages.h"

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

}  // namespace
