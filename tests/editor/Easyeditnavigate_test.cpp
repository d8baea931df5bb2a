// Navigation and the caret: the kept column of vertical moves, Home and End, word moves, page moves that keep
// the caret's place on the screen, the view following the caret, and the layer's caret itself.
#include "tests/editor/EditorInputSupport.h"

#include "platform/graphics/Caret.h"

namespace {

using Navigation = EditorInputTest;

std::string Numbered(int Count) {
  std::string S;
  for (int I = 0; I < Count; ++I) {
    S += "line " + std::to_string(I) + (I + 1 < Count ? "\n" : "");
  }
  return S;
}

TEST_F(Navigation, AVerticalMoveKeepsItsColumnOverShortLinesUntilAHorizontalMove) {
  TEasyEditorOptions O = Edit->Options();
  O.Include(eoKeepColumn);
  Edit->SetOptions(O);
  TEasySourceOptions S = Edit->GetSourceOptions();
  S.Exclude(srBeyondEol);
  Edit->SetSourceOptions(S);
  SetText("a long line of text\nab\nanother long line\nxy\nthe last long line");
  Caret(10, 0);
  Key(VK_DOWN);
  EXPECT_TRUE(SamePoint(Pos(), 2, 1)) << "limited by the short line";
  Key(VK_DOWN);
  EXPECT_TRUE(SamePoint(Pos(), 10, 2)) << "the remembered column comes back";
  Key(VK_DOWN);
  Key(VK_LEFT);
  EXPECT_TRUE(SamePoint(Pos(), 1, 3));
  Key(VK_DOWN);
  EXPECT_TRUE(SamePoint(Pos(), 1, 4)) << "a horizontal move forgets the column";
  Key(VK_DOWN);
  EXPECT_EQ(Pos().Y, 4) << "Down on the last line stays";
  Caret(3, 0);
  Key(VK_UP);
  EXPECT_TRUE(SamePoint(Pos(), 3, 0)) << "Up on the first line stays";
}

TEST_F(Navigation, HomeEndAndWordMoves) {
  TEasySourceOptions S = Edit->GetSourceOptions();
  S.Include(srLeaveTrailSpaces);
  Edit->SetSourceOptions(S);
  SetText("first line  \n  second word\nlast");
  S.Exclude(srLeaveTrailSpaces);
  Edit->SetSourceOptions(S);
  Caret(3, 0);
  Key(VK_END);
  EXPECT_TRUE(SamePoint(Pos(), 10, 0)) << "End stops before trailing blanks";
  Key(VK_HOME);
  EXPECT_TRUE(SamePoint(Pos(), 0, 0));
  Key(VK_RIGHT, Ctrl());
  EXPECT_TRUE(SamePoint(Pos(), 6, 0)) << "word right lands on the next word";
  Caret(0, 1);
  Key(VK_LEFT, Ctrl());
  EXPECT_EQ(Pos().Y, 0) << "word left from a line start goes to the line above";
  Caret(0, 0);
  Key(VK_LEFT, Ctrl());
  EXPECT_TRUE(SamePoint(Pos(), 0, 0));
  Caret(4, 2);
  Key(VK_RIGHT, Ctrl());
  EXPECT_TRUE(SamePoint(Pos(), 4, 2)) << "word right at the end of the text stays";
  Key(VK_HOME, Ctrl());
  EXPECT_TRUE(SamePoint(Pos(), 0, 0));
  Key(VK_END, Ctrl());
  EXPECT_TRUE(SamePoint(Pos(), 4, 2));
  Edit->Navigate(42);
  EXPECT_TRUE(SamePoint(Pos(), 4, 2)) << "no selection, no move";
}

TEST_F(Navigation, PageDownAtTheEndKeepsTheCaretsPlaceOnTheScreen) {
  SetText(Numbered(100));
  const int Rows = Edit->ScrollPageSize().cy;
  ASSERT_GT(Rows, 5);
  Caret(2, 3);
  const TPoint Screen0 = Edit->TextToPixelPoint(Pos(), false);
  Key(VK_NEXT);
  EXPECT_EQ(Edit->WindowLine(), Rows - 1);
  EXPECT_EQ(Pos().Y, 3 + Rows - 1);
  EXPECT_EQ(Edit->TextToPixelPoint(Pos(), false).Y, Screen0.Y);
  for (int I = 0; I < 20; ++I) {
    Key(VK_NEXT);
  }
  const int LastTop = Edit->WindowLine();
  const TPoint Caret1 = Pos();
  EXPECT_EQ(LastTop, 100 - Rows) << "the view stops at its last page";
  EXPECT_EQ(Edit->TextToPixelPoint(Pos(), false).Y, Screen0.Y) << "the caret keeps its row on the screen";
  Key(VK_NEXT);
  EXPECT_EQ(Edit->WindowLine(), LastTop);
  EXPECT_TRUE(SamePoint(Pos(), Caret1.X, Caret1.Y));
  // PgUp near the top puts the caret on the first line.
  Edit->SetWindowLine(2);
  Caret(2, 4);
  Key(VK_PRIOR);
  EXPECT_EQ(Edit->WindowLine(), 0);
  EXPECT_EQ(Pos().Y, 0);
}

TEST_F(Navigation, TheViewFollowsTheCaretAndHideCaretScrollsInstead) {
  SetText(Numbered(200));
  Caret(0, 150);
  const int Rows = Edit->ScrollPageSize().cy;
  EXPECT_EQ(Edit->WindowLine(), 150 - Rows + 1);
  Edit->CenterCurrentLine(false);
  EXPECT_EQ(Edit->WindowLine(), 150 - (Rows - 1) / 2);
  const int Top = Edit->WindowLine();
  Edit->CenterCurrentLine(true);
  EXPECT_EQ(Edit->WindowLine(), Top) << "a visible line is only kept visible";
  Edit->SetHideCaret(true);
  Key(VK_DOWN);
  EXPECT_EQ(Edit->WindowLine(), Top + 1);
  EXPECT_EQ(Pos().Y, 150) << "the caret stays";
  Edit->SetHideCaret(false);
  Key(VK_DOWN, Ctrl());
  EXPECT_EQ(Edit->WindowLine(), Top + 2) << "Ctrl+Down scrolls with the caret in place";
  EXPECT_EQ(Pos().Y, 150);
}

TEST_F(Navigation, TheCaretIsTheLayersAndFollowsFocus) {
  SetText("abc\ndef");
  Caret(2, 1);
  TPoint P{0, 0};
  ASSERT_TRUE(GetCaretPos(&P));
  const TPoint Expected = Edit->TextToPixelPoint(TPoint{2, 1}, false);
  EXPECT_TRUE(SamePoint(P, Expected.X, Expected.Y));
  EXPECT_GT(Edit->CaretHeight, 0);
  TEasyEdit* Other = NewEditor(0, 420, 300, 60);
  Other->SetFocus();
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->CaretWidth, 0) << "the caret went with the focus";
  Edit->SetFocus();
  Harness::RunUntilIdle();
  ASSERT_TRUE(GetCaretPos(&P));
  EXPECT_TRUE(SamePoint(P, Expected.X, Expected.Y));
  // The overwrite caret is a character wide.
  TEasyEditorOptions O = Edit->Options();
  O.Include(eoOverwriteCaret);
  Edit->SetOptions(O);
  Key(VK_INSERT);
  EXPECT_EQ(Edit->CaretWidth, Edit->Painter()->GetDefaultCharWidth());
  Key(VK_INSERT);
  EXPECT_EQ(Edit->CaretWidth, 2);
}

}  // namespace
