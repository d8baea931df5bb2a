// Tests of undo and redo: grouping, lock blocks, the end of redo, replays of every edit and the
// caret-restoring mode.
#include "editor/Easyeditsource.h"

#include "EditorTestSupport.h"
#include "platform/classes/Streams.h"

#include <gtest/gtest.h>

namespace {
void Load(TCustomEasyEditSource& S, const std::string& Text) {
  TStringStream In(Text);
  S.LoadFromStream(&In);
}
}  // namespace

TEST(EasyUndo, TypedCharactersUndoInOneStepWithGrouping) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  Load(S, "x");
  S.JumpTo(1, 0);
  TypeText(S, "abc");
  ASSERT_EQ(S.Strings()->GetStr(0), "xabc");
  S.Undo();
  EXPECT_EQ(S.Strings()->GetStr(0), "x");
  EXPECT_EQ(S.CurrentPosition, (TPoint{1, 0}));
  S.Redo();
  EXPECT_EQ(S.Strings()->GetStr(0), "xabc");
  EXPECT_EQ(S.CurrentPosition, (TPoint{4, 0}));
}

TEST(EasyUndo, WithoutGroupingEachTypedCharacterIsOneStep) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  TEasySourceOptions O = DefaultSourceOptions;
  O.Exclude(srGroupUndo);
  S.SetOptions(O);
  TypeText(S, "abc");
  const char* Expected[] = {"ab", "a", ""};
  for (const char* E : Expected) {
    S.Undo();
    EXPECT_EQ(S.Strings()->GetStr(0), E);
  }
  EXPECT_EQ(S.CurrentPosition, (TPoint{0, 0}));
}

TEST(EasyUndo, AnyCaretMoveOrEditAfterUndoEndsRedo) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  TypeText(S, "ab");
  S.Undo();
  ASSERT_TRUE(S.RedoAvailable());
  S.Navigate(0, 0);  // no move, nothing happens
  EXPECT_TRUE(S.RedoAvailable());
  S.MoveRight();
  S.MoveLeft();
  EXPECT_FALSE(S.RedoAvailable());
}

TEST(EasyUndo, ALockBlockUndoesAndRedoesAsOneStep) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  Load(S, "hello world");
  S.JumpTo(6, 0);
  S.Navigate(0, 0);
  S.LockUndo();
  S.DeleteString(5);
  S.InsertString("there");
  S.UnlockUndo();
  ASSERT_EQ(S.Strings()->GetStr(0), "hello there");
  S.Undo();
  EXPECT_EQ(S.Strings()->GetStr(0), "hello world");
  S.Redo();
  EXPECT_EQ(S.Strings()->GetStr(0), "hello there");
  S.Undo();
  EXPECT_EQ(S.Strings()->GetStr(0), "hello world");
}

TEST(EasyUndo, UnlockWithUndoOffAddsNoMarker) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  TEasySourceOptions O = DefaultSourceOptions;
  O.Exclude(srAllowUndo);
  S.SetOptions(O);
  S.LockUndo();
  S.UnlockUndo();
  EXPECT_EQ(S.UndoList()->Count(), 0);
  TypeText(S, "a");
  EXPECT_EQ(S.UndoList()->Count(), 0);
  S.Undo();
  EXPECT_EQ(S.Strings()->GetStr(0), "a");
}

TEST(EasyUndo, BreaksJoinsAndDeletionsReplayExactly) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  TEasySourceOptions O = DefaultSourceOptions;
  O.Exclude(srGroupUndo);
  S.SetOptions(O);
  Load(S, "one two\nthree");
  const std::vector<std::string> Start = Lines(S.Strings());
  S.JumpTo(3, 0);
  S.BreakString();  // "one", " two"
  S.JumpTo(0, 1);
  S.DeleteString(1);  // "two"
  S.JumpTo(3, 1);
  S.JoinStrings();  // "twothree"
  ASSERT_EQ(Lines(S.Strings()), (std::vector<std::string>{"one", "twothree"}));
  std::vector<std::vector<std::string>> Seen;
  while (S.UndoAvailable()) {
    S.Undo();
    Seen.push_back(Lines(S.Strings()));
  }
  EXPECT_EQ(Lines(S.Strings()), Start);
  while (S.RedoAvailable()) {
    S.Redo();
  }
  EXPECT_EQ(Lines(S.Strings()), (std::vector<std::string>{"one", "twothree"}));
}

TEST(EasyUndo, StylesOfDeletedTextComeBackWithIt) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  TEasySourceOptions O = DefaultSourceOptions;
  O.Exclude(srHighlightUrls);
  S.SetOptions(O);
  Load(S, "abcd");
  S.UpdateStringData(TPoint{0, 0}, std::string("\x01\x00\x02\x00\x03\x00\x04\x00", 8));
  S.JumpTo(1, 0);
  S.DeleteString(2);
  EXPECT_EQ(S.Strings()->GetData(0, 2), 4);
  S.Undo();
  EXPECT_EQ(S.Strings()->GetStr(0), "abcd");
  EXPECT_EQ(S.Strings()->GetData(0, 2), 2);
  EXPECT_EQ(S.Strings()->GetData(0, 3), 3);
  // Style updates are undone as well.
  S.UpdateStringData(TPoint{1, 0}, std::string("\x09\x00", 2));
  S.Undo();
  EXPECT_EQ(S.Strings()->GetData(0, 2), 2);
}

TEST(EasyUndo, UndoOnlyChangesPutsTheCaretBackFirst) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  S.SetOptions(DefaultSourceOptions + TEasySourceOptions{srUndoOnlyChanges});
  Load(S, "hello\nworld");
  S.JumpTo(5, 0);
  S.InsertString("!");
  S.JumpTo(2, 1);
  EXPECT_EQ(S.UndoList()->Count(), 1);  // no navigation records
  S.Undo();
  EXPECT_EQ(S.Strings()->GetStr(0), "hello");
  EXPECT_EQ(S.CurrentPosition, (TPoint{5, 0}));
  S.Redo();
  EXPECT_EQ(S.Strings()->GetStr(0), "hello!");
}
