// Tests of bookmarks and line styles following edits, and of bracket matching.
#include "editor/Easyeditsource.h"

#include "EditorTestSupport.h"
#include "platform/classes/Streams.h"

#include <gtest/gtest.h>

namespace {
void Load(TCustomEasyEditSource& S, const std::string& Text) {
  TStringStream In(Text);
  S.LoadFromStream(&In);
}

TPoint Mark(TCustomEasyEditSource& S, int Number) {
  TPoint P;
  S.FindBookMark(Number, P);
  return P;
}
}  // namespace

class EasyBookMarks : public ::testing::Test {
protected:
  void SetUp() override {
    Load(S, "0123456789\nabcdefghij\nklmnopqrst");
    S.SetBookMark(1, TPoint{5, 1});
  }
  TOwned<TEasyEditSource> SOwned{nullptr};
  TEasyEditSource& S = *SOwned;
};

TEST_F(EasyBookMarks, InsertingBeforeMovesAndAfterLeaves) {
  S.JumpTo(2, 1);
  S.InsertString("xyz");
  EXPECT_EQ(Mark(S, 1), (TPoint{8, 1}));
  S.JumpTo(9, 1);
  S.InsertString("!");
  EXPECT_EQ(Mark(S, 1), (TPoint{8, 1}));
}

TEST_F(EasyBookMarks, DeletingAtTheMarkLeavesItAndBeforeMovesIt) {
  S.JumpTo(5, 1);
  S.DeleteString(2);
  EXPECT_EQ(Mark(S, 1), (TPoint{5, 1}));
  S.JumpTo(1, 1);
  S.DeleteString(2);
  EXPECT_EQ(Mark(S, 1), (TPoint{3, 1}));
}

TEST_F(EasyBookMarks, BreaksAndJoinsCarryMarksBetweenLines) {
  S.SetBookMark(2, TPoint{1, 2});
  S.JumpTo(3, 1);
  S.BreakString();
  EXPECT_EQ(Mark(S, 1), (TPoint{2, 2}));
  EXPECT_EQ(Mark(S, 2), (TPoint{1, 3}));
  S.JumpTo(3, 1);
  S.JoinStrings();
  EXPECT_EQ(Mark(S, 1), (TPoint{5, 1}));
  EXPECT_EQ(Mark(S, 2), (TPoint{1, 2}));
}

TEST_F(EasyBookMarks, ToggleSetsClearsAndMoves) {
  S.ToggleBookMark(1, TPoint{0, 1});
  TPoint P;
  EXPECT_FALSE(S.FindBookMark(1, P));
  EXPECT_EQ(P, (TPoint{-1, -1}));
  S.ToggleBookMark(1, TPoint{2, 0});
  S.ToggleBookMark(1, TPoint{4, 2});
  EXPECT_EQ(Mark(S, 1), (TPoint{4, 2}));
  EXPECT_EQ(S.GetLineBookMark(2), 1);
  EXPECT_EQ(S.GetLineBookMark(0), -1);
  EXPECT_EQ(S.MaxBookMarkNumber(), 1);
  S.GoToBookmark(1);
  EXPECT_EQ(S.CurrentPosition, (TPoint{4, 2}));
  S.ToggleBookMark(-1, TPoint{0, 0});
  EXPECT_EQ(S.BookMarks()->Count(), 1);
}

TEST_F(EasyBookMarks, LineStylesStayOnTheBrokenLineUnlessTheBreakIsAtColumnZero) {
  TNotifyRecorder R(&S);
  S.SetLineStyle(1, 3);
  EXPECT_TRUE(R.LastState.Contains(csLineStyleChanged));
  S.SetLineStyle(2, 0);
  S.JumpTo(4, 1);
  S.BreakString();
  EXPECT_EQ(S.GetLineStyle(1), 3);
  EXPECT_EQ(S.GetLineStyle(2), -1);
  EXPECT_EQ(S.GetLineStyle(3), 0);
  S.JumpTo(0, 1);
  S.BreakString();
  EXPECT_EQ(S.GetLineStyle(1), -1);
  EXPECT_EQ(S.GetLineStyle(2), 3);
  EXPECT_EQ(S.GetLineStyle(4), 0);
  S.ToggleLineStyle(2, 3);
  EXPECT_EQ(S.GetLineStyle(2), -1);
  S.Clear();
  EXPECT_EQ(S.BookMarks()->Count(), 0);
  EXPECT_EQ(S.LineStyles()->Count(), 0);
  EXPECT_EQ(S.Strings()->Count(), 0);
}

TEST(EasyBrackets, FindsPartnersAcrossNestingAndLines) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  Load(S, "f(a(b)c)\n{\n  [x]\n}");
  TPoint P{1, 0};
  EXPECT_TRUE(S.FindCloseBracket('(', P));
  EXPECT_EQ(P, (TPoint{7, 0}));
  EXPECT_TRUE(S.FindOpenBracket(')', P));
  EXPECT_EQ(P, (TPoint{1, 0}));
  P = TPoint{0, 1};
  EXPECT_TRUE(S.FindCloseBracket('{', P));
  EXPECT_EQ(P, (TPoint{0, 3}));
  EXPECT_TRUE(S.FindOpenBracket('}', P));
  EXPECT_EQ(P, (TPoint{0, 1}));
  Load(S, "(a(b)");
  P = TPoint{0, 0};
  EXPECT_FALSE(S.FindCloseBracket('(', P));
  EXPECT_EQ(P, (TPoint{0, 0}));
  EXPECT_FALSE(S.FindCloseBracket('x', P));
}
