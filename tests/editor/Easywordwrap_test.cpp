// Word wrap: the break rule, the row-end flag at row boundaries, lazy wrapping far below the view, and typing,
// moving and painting in wrapped text.
#include "tests/editor/EditorInputSupport.h"

namespace {

class WordWrap : public EditorInputTest {
protected:
  // Rows of 10 characters: wrapping at the margin, set to column 10.
  void WrapAtTen() {
    Edit->Margin()->SetPosition(10);
    TEasyEditorOptions O = Edit->Options();
    O.Include(eoBreakWordsAtMargin);
    Edit->SetOptions(O);
    Edit->SetWordWrap(true);
    Harness::RunUntilIdle();
  }
  std::string Rows() {
    std::string S;
    TEasyWrapList* L = Edit->WrapList();
    for (int I = 0; I < L->Count(); ++I) {
      const TEasyWrapRow& R = L->Row(I);
      S += std::to_string(R.Line) + ":" + std::to_string(R.StartChar) + "-" +
           (R.EndChar == EasyMaxInt ? std::string("end") : std::to_string(R.EndChar)) + " ";
    }
    return S;
  }
};

TEST_F(WordWrap, TheBreakRule) {
  SetText(std::string("abcdefghijklmnopqrstuvwxyz") + "\n" + "hello big world of text\n\nx\x01yyyyyyyyzzz");
  WrapAtTen();
  EXPECT_EQ(Rows(),
            "0:0-10 0:10-20 0:20-end "  // no delimiter: hard breaks after the tenth character
            "1:0-10 1:10-19 1:19-end "  // "hello big " and "world of " keep their blanks at the row's end
            "2:0-end "                  // an empty line is one row
            "3:0-1 3:1-11 3:11-end ");  // the object character begins the next row
}

TEST_F(WordWrap, APositionOnARowBoundaryMapsByItsRowEndFlag) {
  SetText("hello big world of text");
  WrapAtTen();
  TEasyWrapList* L = Edit->WrapList();
  EXPECT_TRUE(SamePoint(L->PointToWrapPoint(TPoint{10, 0}, true), 10, 0)) << "the end of the upper row";
  EXPECT_TRUE(SamePoint(L->PointToWrapPoint(TPoint{10, 0}, false), 0, 1)) << "the start of the lower row";
  EXPECT_EQ(L->PointToWrapPoint(TPoint{EasyMaxInt, 0}, false).Y, 2) << "MaxInt: the line's last row";
  EXPECT_TRUE(SamePoint(L->WrapPointToPoint(TPoint{3, 1}), 13, 0));
  EXPECT_TRUE(SamePoint(L->WrapPointToPoint(TPoint{1, 9}), 20, 0)) << "below the last row: the last row";
  EXPECT_TRUE(SamePoint(L->WrapPointToPointEx(TPoint{1, 9}), 20, 7)) << "Ex: lines below the text";
  // The caret at a boundary shows on the row its flag names; End puts it at the end of its row.
  Caret(2, 0);
  Key(VK_END);
  EXPECT_TRUE(SamePoint(Pos(), 10, 0));
  EXPECT_TRUE(Edit->CaretAtRowEnd);
  EXPECT_EQ(Edit->TextToPixelPoint(Pos(), Edit->CaretAtRowEnd).Y, Edit->TextToPixelPoint(TPoint{0, 0}, false).Y);
  Key(VK_DOWN);
  EXPECT_EQ(Edit->WrapList()->PointToWrapPoint(Pos(), Edit->CaretAtRowEnd).Y, 1) << "Down moves one row";
  Key(VK_HOME);
  EXPECT_TRUE(SamePoint(Pos(), 10, 0)) << "Home goes to the row's start";
}

TEST_F(WordWrap, RightBeyondALinesEndGoesAsFarAsTheWrapWidthThenToTheNextLine) {
  SetText("abc\nhello big world\nxyz");
  WrapAtTen();
  ASSERT_TRUE(Edit->GetEditSource()->Options().Contains(srBeyondEol));
  Caret(3, 0);
  Key(VK_RIGHT);
  EXPECT_TRUE(SamePoint(Pos(), 4, 0)) << "room beyond the line's end up to the wrap width";
  Caret(10, 0);
  Key(VK_RIGHT);
  EXPECT_TRUE(SamePoint(Pos(), 0, 1)) << "past the wrap width the move goes on to the next line";
  Caret(10, 2);
  Key(VK_RIGHT);
  EXPECT_TRUE(SamePoint(Pos(), 10, 2)) << "on the last line it stops";
  // Inside a row that is not its line's last, a move stands.
  Caret(9, 1);
  Key(VK_RIGHT);
  EXPECT_TRUE(SamePoint(Pos(), 10, 1));
}

TEST_F(WordWrap, AFullRewrapStopsBelowTheViewAndLaterRowsWrapOnDemandWithoutGaps) {
  std::string Text;
  for (int I = 0; I < 5000; ++I) {
    Text += "word word word word word " + std::to_string(I) + "\n";
  }
  SetText(Text);
  WrapAtTen();
  TEasyWrapList* L = Edit->WrapList();
  EXPECT_GT(L->Count(), cDefaultWrapDelta);
  EXPECT_LT(L->Count(), cDefaultWrapDelta + 20) << "the pass stops 256 rows below the view";
  Caret(0, 4000);
  EXPECT_GT(L->Count(), 4000 * 3) << "the rows on the way were wrapped";
  int Line = 0;
  for (int I = 0; I < L->Count(); ++I) {
    ASSERT_TRUE(L->Row(I).Line == Line || L->Row(I).Line == Line + 1) << "row " << I;
    Line = L->Row(I).Line;
  }
  EXPECT_EQ(L->Row(0).Line, 0);
  EXPECT_TRUE(Edit->IsCurrentLineVisble());
}

TEST_F(WordWrap, TypingReflowsAndTheRowsArePainted) {
  SetText("hello big world");
  WrapAtTen();
  EXPECT_EQ(Rows(), "0:0-10 0:10-end ");
  Caret(0, 0);
  Type("oh ");
  EXPECT_EQ(Rows(), "0:0-9 0:9-end ");
  Key(VK_BACK);
  Key(VK_BACK);
  Key(VK_BACK);
  EXPECT_EQ(Rows(), "0:0-10 0:10-end ");
  Caret(4, 0);
  Key(VK_RETURN);
  EXPECT_EQ(Rows(), "0:0-end 1:0-6 1:6-end ");
  const Harness::TSavedImage Image = Snapshot(Edit, "wrapped_rows.png");
  const TPoint Origin = ClientOrigin(Edit);
  // "world" was moved to the third row: its first cell holds ink.
  const TPoint Cell = Edit->TextToPixelPoint(TPoint{6, 1}, false);
  const int W = Edit->Painter()->GetDefaultCharWidth();
  const int H = Edit->Painter()->GetDefaultLineHeight();
  EXPECT_EQ(Cell.Y, Edit->TextToPixelPoint(TPoint{0, 0}, false).Y + 2 * H);
  EXPECT_TRUE(CellHasNear(Image, Origin, Rect(Cell.X, Cell.Y, Cell.X + W, Cell.Y + H), Argb(clBlack), 90));
  Edit->SetWordWrap(false);
  EXPECT_EQ(Edit->WrapList()->Count(), 0);
}

TEST_F(WordWrap, EachRowOfAWrappedLinePaintsItsOwnPartOfTheSelection) {
  SetText("hello big world of text");
  WrapAtTen();
  Edit->SetSelection(Rect(3, 0, 13, 0), slStream);
  int S = 0;
  int E = 0;
  ASSERT_TRUE(Edit->GetSelBounds(0, 0, true, S, E));
  EXPECT_EQ(S, Edit->TextToPixelPoint(TPoint{3, 0}, false).X);
  EXPECT_EQ(E, Edit->ClientWidth()) << "the first row is selected to its end";
  ASSERT_TRUE(Edit->GetSelBounds(0, 10, true, S, E));
  EXPECT_EQ(S, Edit->GetLeftIndent());
  EXPECT_EQ(E, Edit->TextToPixelPoint(TPoint{13, 0}, false).X);
  EXPECT_FALSE(Edit->GetSelBounds(0, 19, true, S, E)) << "the last row holds none of it";
}

}  // namespace
