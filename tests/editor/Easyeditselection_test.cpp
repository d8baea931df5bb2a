// The editor's selection: allowed kinds, normalising, what counts as inside, the selection as lines and
// extending it by caret moves.
#include "tests/editor/EditorWindowSupport.h"

#include "editor/Easyutils.h"

namespace {

class Selection : public EditorWindowTest {
protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    Edit->GetLines()->SetText("abc\r\nsecond line\r\nthird line here");
  }
};

struct TKindCase {
  const char* Name;
  TEasyBlockSelMode Mode;
  bool Wrap;
  TEasySelType Requested;
  TEasySelType Result;
};

class SelectionKinds : public EditorWindowTest, public ::testing::WithParamInterface<TKindCase> {};

TEST_P(SelectionKinds, FollowTheBlockSelectionMode) {
  const TKindCase& C = GetParam();
  Edit->SetBlockSelMode(C.Mode);
  Edit->SetWordWrap(C.Wrap);
  TEasySelType T = C.Requested;
  Edit->CheckSelType(T);
  EXPECT_EQ(T, C.Result);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SelectionKinds,
    ::testing::Values(TKindCase{"StreamOnly", TEasyBlockSelMode::bsStream, false, slBlock, slStream},
                      TKindCase{"BlockOnly", TEasyBlockSelMode::bsBlock, false, slStream, slBlock},
                      TKindCase{"BlockWhileWrapping", TEasyBlockSelMode::bsBlock, true, slStream, slNone},
                      TKindCase{"NoneAtAll", TEasyBlockSelMode::bsNone, false, slStream, slNone},
                      TKindCase{"BothKeepsBlock", TEasyBlockSelMode::bsBoth, false, slBlock, slBlock},
                      TKindCase{"BothWhileWrapping", TEasyBlockSelMode::bsBoth, true, slBlock, slStream},
                      TKindCase{"NoneStaysNone", TEasyBlockSelMode::bsStream, false, slNone, slNone}),
    [](const ::testing::TestParamInfo<TKindCase>& I) { return std::string(I.param.Name); });

TEST_F(Selection, ABackwardOrEmptyRangeIsNoSelection) {
  Edit->SetSelection(Rect(5, 1, 2, 1), slStream);
  EXPECT_EQ(Edit->SelType, slNone);
  EXPECT_TRUE(IsNullRect(Edit->SelRect));
  Edit->SetSelection(Rect(2, 1, 2, 1), slBlock);
  EXPECT_EQ(Edit->SelType, slBlock) << "a one-column block";
  TEasyEditorOptions O = Edit->Options();
  O.Include(eoReduceBlockSel);
  Edit->SetOptions(O);
  Edit->SetSelection(Rect(2, 1, 2, 2), slBlock);
  EXPECT_EQ(Edit->SelType, slNone) << "empty when the right column is left out";
  O.Exclude(eoEnableSelection);
  Edit->SetOptions(O);
  Edit->SetSelection(Rect(0, 0, 2, 1), slStream);
  EXPECT_EQ(Edit->SelType, slNone);
}

TEST_F(Selection, InsideAStreamRunsFromStartToBeforeEnd) {
  Edit->SetSelection(Rect(2, 0, 4, 2), slStream);
  EXPECT_FALSE(Edit->InsideBlock(1, 0));
  EXPECT_TRUE(Edit->InsideBlock(2, 0));
  EXPECT_TRUE(Edit->InsideBlock(40, 1));
  EXPECT_TRUE(Edit->InsideBlock(3, 2));
  EXPECT_FALSE(Edit->InsideBlock(4, 2));
  Edit->SetSelection(Rect(1, 1, 3, 2), slBlock);
  EXPECT_TRUE(Edit->InsideBlock(3, 2)) << "the right column belongs to a block";
  EXPECT_FALSE(Edit->InsideBlock(4, 1));
  EXPECT_FALSE(Edit->InsideBlock(2, 0));
}

TEST_F(Selection, TheSelectionAsLines) {
  Edit->SetSelection(Rect(1, 0, 6, 0), slStream);
  ASSERT_EQ(Edit->SelStrings()->Count(), 1);
  EXPECT_EQ(Edit->SelStrings()->Get(0), "bc   ") << "beyond the line end pads with spaces";
  Edit->SetSelection(Rect(4, 0, 5, 2), slStream);
  ASSERT_EQ(Edit->SelStrings()->Count(), 3);
  EXPECT_EQ(Edit->SelStrings()->Get(0), "");
  EXPECT_EQ(Edit->SelStrings()->Get(1), "second line");
  EXPECT_EQ(Edit->SelStrings()->Get(2), "third");
  Edit->SetSelection(Rect(1, 1, 3, 2), slBlock);
  EXPECT_EQ(Edit->SelStrings()->Get(0), "eco");
  EXPECT_EQ(Edit->SelStrings()->Get(1), "hir");
  Edit->SelStrings()->Delete(0);
  Edit->SelStrings()->Insert(0, "x");
  EXPECT_EQ(Edit->GetLines()->Get(1), "second line") << "the list cannot be edited";
}

TEST_F(Selection, CaretMovesExtendTheSelectionFromItsMovingEnd) {
  TCustomEasyEditSource* Source = Edit->GetEditSource();
  Source->JumpTo(2, 1);
  auto Right = [&] { Source->JumpTo(Source->CurrentPosition.X + 3, Source->CurrentPosition.Y); };
  auto Up = [&] { Source->JumpTo(Source->CurrentPosition.X, Source->CurrentPosition.Y - 1); };
  Edit->SelectBlock(Edit->SelType, slStream, Source->CurrentPosition, 0, Right, false);
  EXPECT_EQ(Edit->SelType, slStream);
  EXPECT_EQ(Edit->SelRect.Left, 2);
  EXPECT_EQ(Edit->SelRect.Right, 5);
  Edit->SelectBlock(Edit->SelType, slStream, Source->CurrentPosition, 0, Up, false);
  EXPECT_EQ(Edit->SelRect.Top, 0) << "moving above the start swaps the corners";
  EXPECT_EQ(Edit->SelRect.Left, 5);
  EXPECT_EQ(Edit->SelRect.Bottom, 1);
  EXPECT_EQ(Edit->SelRect.Right, 2);
}

}  // namespace
