// The memo source's text model: updates and notifications, the lines adapter, positions, undo, caret and editing
// commands, tabs and indentation, bookmarks, line states and collapsing.
#include "codeeditor/Dcstring.h"

#include "platform/classes/TypInfo.h"
#include "tests/codeeditor/MemoFixture.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

using namespace Dcstring;

Z_IMPLEMENT_CLASS(TMemoListener, TComponent)

namespace {
std::string StateText(TMemoStates S) {
  static const char* Names[] = {"Position", "Edited", "Undo",    "Block",      "Ins",    "Count",
                                "Modified", "Found",  "ObjName", "Invalidate", "Parser", "ReadOnly"};
  std::string R;
  for (int I = 0; I <= msReadOnlyChanged; ++I) {
    if (S.Contains(static_cast<TMemoState>(I))) {
      R += (R.empty() ? "" : ",") + std::string(Names[I]);
    }
  }
  return R;
}
}  // namespace

// ---- updates and notifications ----

TEST_F(MemoTest, NestedUpdatesNotifyOnceWithTheUnionAndAnEmptyUpdateNotNotifying) {
  Load("a\nb\nc\nd\ne");
  TMemoListener L;
  M->RegisterNotifier(L.Method(), false);
  M->BeginUpdate(Reason::Insert);
  M->BeginUpdate(Reason::Insert);
  M->UpdateChanged(3, 3);
  M->EndUpdate();
  EXPECT_TRUE(L.Calls.empty());
  M->UpdateChanged(1, 1);
  M->EndUpdate();
  ASSERT_EQ(L.Calls.size(), 1u);
  EXPECT_EQ(L.Calls[0].First, 1);
  EXPECT_EQ(L.Calls[0].Last, 3);
  EXPECT_TRUE(L.Calls[0].State.Contains(msEdited));
  EXPECT_TRUE(M->Modified());

  L.Calls.clear();
  M->BeginUpdate(Reason::Navigate);
  M->EndUpdate();
  EXPECT_TRUE(L.Calls.empty());
  EXPECT_EQ(M->UpdateCount(), 0);
}

TEST_F(MemoTest, RegisteringANotifierSendsTheFullStateSet) {
  Load("a");
  TMemoListener L;
  M->RegisterNotifier(L.Method(), true);
  ASSERT_EQ(L.Calls.size(), 1u);
  EXPECT_EQ(StateText(L.Calls[0].State), "Position,Undo,Block,Ins,Count,Modified,ObjName,Parser");
  EXPECT_EQ(L.Calls[0].First, 0);
  M->RegisterNotifier(L.Method(), false);  // held once
  M->SetReadOnly(true);
  EXPECT_EQ(L.Calls.size(), 2u);
  EXPECT_EQ(StateText(L.Calls[1].State), "ReadOnly");
  M->UnregisterNotifier(L.Method());
  M->SetReadOnly(false);
  EXPECT_EQ(L.Calls.size(), 2u);
}

TEST_F(MemoTest, AListenerThatGoesIsForgottenAndHearsWhenTheSourceGoes) {
  auto* L = new TMemoListener();
  M->RegisterNotifier(L->Method(), false);
  delete L;
  Type("x");  // would call the freed listener
  EXPECT_EQ(Text(), "x");
}

TEST_F(MemoTest, PropertyLimits) {
  struct TCase {
    const char* Name;
    Integer Set;
    Integer Expected;
    bool Spaces;
  };
  for (const TCase& C : {TCase{"spaces 0", 0, 8, true}, TCase{"spaces 11", 11, 8, true}, TCase{"spaces 4", 4, 4, true},
                         TCase{"indent -3", -3, 0, false}, TCase{"indent huge", 1000000000, 9999, false}}) {
    if (C.Spaces) {
      M->SetSpacesInTab(C.Set);
      EXPECT_EQ(M->SpacesInTab(), C.Expected) << C.Name;
    } else {
      M->SetBlockIndent(C.Set);
      EXPECT_EQ(M->BlockIndent(), C.Expected) << C.Name;
    }
  }
  M->SetUndoLimit(-1);
  EXPECT_EQ(M->UndoLimit(), 0);
  EXPECT_EQ(M->Options(), DefaultStringsOptions);
  EXPECT_EQ(M->TabStops(), "9,17");
  EXPECT_EQ(M->TemplatesType(), "None");
  EXPECT_EQ(M->BlockOption(), bkBoth);
}

TEST_F(MemoTest, TabCharacterAndSmartTabExcludeEachOther) {
  TStringsOptions O = M->Options();
  O.Include(soUseTabCharacter);
  M->SetOptions(O);
  EXPECT_TRUE(M->Options().Contains(soUseTabCharacter));
  EXPECT_FALSE(M->Options().Contains(soSmartTab));
  O = M->Options();
  O.Include(soSmartTab);
  M->SetOptions(O);
  EXPECT_TRUE(M->Options().Contains(soSmartTab));
  EXPECT_FALSE(M->Options().Contains(soUseTabCharacter));
}

// ---- the lines adapter ----

TEST_F(MemoTest, InsertingALineThroughLinesShiftsCaretAndSelectionAndClearsUndo) {
  Load("zero\none\ntwo\nthree");
  M->JumpTo(2, 2);
  Type("X");
  M->SetSelection(stStreamSel, 1, 1, 2, 3);
  M->JumpTo(3, 2);
  ASSERT_TRUE(M->UndoAvailable());
  M->Lines()->Insert(1, "new");
  EXPECT_EQ(Text(), "zero\nnew\none\ntwXo\nthree");
  EXPECT_EQ(M->DebugDump().substr(M->DebugDump().find("caret")), "caret 3,3 stream 1,2-2,4");
  EXPECT_FALSE(M->UndoAvailable());
  M->Lines()->Delete(1);
  EXPECT_EQ(M->DebugDump().substr(M->DebugDump().find("caret")), "caret 3,2 stream 1,1-2,3");
  M->Lines()->SetStrings(0, "a\tb");
  EXPECT_EQ(M->GetRaw(0), "a        b");  // SpacesInTab blanks
}

TEST_F(MemoTest, LinesReadExpandsTabsAndTextKeepsThem) {
  TStringsOptions O = M->Options();
  O.Include(soUseTabCharacter);
  M->SetOptions(O);
  Load("a\tb\nc");
  EXPECT_EQ(M->Lines()->Strings(0), "a        b");
  EXPECT_EQ(M->Lines()->Text(), "a\tb\r\nc");
}

TEST_F(MemoTest, SavingThroughLinesEndsPerOutFormat) {
  struct TCase {
    const char* Name;
    TOutFormatType Format;
    const char* Expected;
  };
  Load("one\ntwo");
  for (const TCase& C : {TCase{"unix", ofUnix, "one\ntwo\n"}, TCase{"mac", ofMac, "one\rtwo\r"},
                         TCase{"windows", ofWindows, "one\r\ntwo"}}) {
    M->OutFormat = C.Format;
    TStringStream S("");
    M->Lines()->SaveToStream(&S);
    EXPECT_EQ(S.DataString(), C.Expected) << C.Name;
  }
  M->OutFormat = ofWindows;
  TStringsOptions O = M->Options();
  O.Include(soExcludeReadOnlyLines);
  M->SetOptions(O);
  M->SetLineReadOnly(0, true);
  TStringStream S("");
  M->SaveToStream(&S);
  EXPECT_EQ(S.DataString(), "two\r\n");
}

TEST_F(MemoTest, LinesClearUnderBlockOptionNoneAndClearCommand) {
  Load("abc\ndef");
  M->SetBlockOption(bkNone);
  M->Clear();
  EXPECT_EQ(M->GetStrCount(), 0);  // removes the text whatever the block option
  M->SetBlockOption(bkBoth);
  Load("abc\ndef");
  M->Clear();
  EXPECT_EQ(M->GetStrCount(), 0);
  M->Undo();
  EXPECT_EQ(Text(), "abc\ndef");
}

TEST_F(MemoTest, MemoSourceByNameIgnoresCase) {
  M->ChangeObjectName("/tmp/Some File.PAS");
  EXPECT_EQ(MemoSourceByName("/TMP/some file.pas"), M.get());
  EXPECT_EQ(MemoSourceByName("other"), nullptr);
  EXPECT_EQ(M->GetShortObjectName(), "Some File");
}

// ---- positions ----

TEST_F(MemoTest, ColumnBlockKeepsItsCoordinatesAndStreamBlockMoves) {
  TStringsOptions O = M->Options();
  O.Include(soPersistentBlocks);
  M->SetOptions(O);
  Load("abcdefgh\nabcdefgh");
  M->SetSelection(stBlockSel, 4, 0, 6, 1);
  M->JumpTo(1, 0);
  Type("XY");
  EXPECT_EQ(M->GetSelectionRect(), (TRect{4, 0, 6, 1}));
  M->SetSelection(stStreamSel, 4, 0, 6, 1);
  M->JumpTo(1, 0);
  Type("XY");
  EXPECT_EQ(M->GetSelectionRect(), (TRect{6, 0, 6, 1}));
}

TEST_F(MemoTest, BreakingALineMovesABlockEndAfterTheCaretToTheNewLine) {
  Load("abcdefgh");
  M->SetSelection(stStreamSel, 1, 0, 6, 0);
  M->JumpTo(4, 0);
  M->BreakLine();
  EXPECT_EQ(M->GetSelectionRect(), (TRect{1, 0, 2, 1}));
  M->JoinLines();
  EXPECT_EQ(M->GetSelectionRect(), (TRect{1, 0, 6, 0}));
}

// ---- undo ----

TEST_F(MemoTest, GroupedUndoOfTypingAndTheNavigateRecordThatStopsIt) {
  Load("");
  Type("abc");
  M->Undo();
  EXPECT_EQ(Text(), "");
  M->Redo();
  EXPECT_EQ(Text(), "abc");

  TStringsOptions O = M->Options();
  O.Exclude(soGroupUndo);
  M->SetOptions(O);
  Type("d");
  M->Undo();
  EXPECT_EQ(Text(), "abc");

  M->SetOptions(DefaultStringsOptions);
  Load("");
  Type("ab");
  M->CursorLeft();
  M->CursorRight();
  Type("c");
  M->Undo();
  EXPECT_EQ(Text(), "ab");
  EXPECT_EQ(Caret(), (TPoint{2, 0}));
}

TEST_F(MemoTest, EditsAndMovesAfterAnUndoClearTheRedoList) {
  Load("");
  Type("ab");
  M->Undo();
  EXPECT_TRUE(M->RedoAvailable());
  Type("x");
  EXPECT_FALSE(M->RedoAvailable());
  M->Undo();
  EXPECT_TRUE(M->RedoAvailable());
  Load("abc");
  Type("z");
  M->Undo();
  M->CursorRight();
  EXPECT_FALSE(M->RedoAvailable());
}

TEST_F(MemoTest, UndoOfADeletionReinsertsAndLeavesTheCaretBefore) {
  Load("hello world");
  M->JumpTo(5, 0);
  M->DeleteRight(6);
  EXPECT_EQ(Text(), "hello");
  M->Undo();
  EXPECT_EQ(Text(), "hello world");
  EXPECT_EQ(Caret(), (TPoint{5, 0}));
}

TEST_F(MemoTest, ModifiedFollowsTheSavedPointAndIsForcedPastIt) {
  Load("");
  M->SetModified(false);
  Type("a");
  EXPECT_TRUE(M->Modified());
  M->Undo();
  EXPECT_FALSE(M->Modified());
  M->Redo();
  EXPECT_TRUE(M->Modified());
  M->SetModified(false);
  M->Undo();  // past the saved point
  EXPECT_TRUE(M->Modified());
  M->Redo();
  EXPECT_TRUE(M->Modified());
  EXPECT_TRUE(M->ForcedModified());
}

TEST_F(MemoTest, UndoLimitLetsTheListGrowBy100BeforeTheCut) {
  Load("");
  M->SetUndoLimit(10);
  TStringsOptions O = M->Options();
  O.Exclude(soGroupUndo);
  M->SetOptions(O);
  Integer Max = 0;
  for (int I = 0; I < 150; ++I) {
    M->Insert("x");
    Max = std::max(Max, M->CurrentUndoList()->Count());
  }
  EXPECT_EQ(Max, 111);
  EXPECT_LE(M->CurrentUndoList()->Count(), 111);
  M->SetAllowUndo(false);
  EXPECT_FALSE(M->UndoAvailable());
  M->Insert("y");
  EXPECT_FALSE(M->UndoAvailable());
}

// ---- caret and editing ----

TEST_F(MemoTest, NavigationLimits) {
  Load("abcd\nxy");
  M->JumpTo(2, 0);
  M->Navigate(0, -5);
  EXPECT_EQ(Caret(), (TPoint{0, 0}));
  M->JumpTo(0, 1);
  M->CursorDown();
  EXPECT_EQ(Caret(), (TPoint{0, 1}));
  TStringsOptions O = M->Options();
  O.Include(soBeyondFileEnd);
  M->SetOptions(O);
  M->CursorDown();
  EXPECT_EQ(Caret(), (TPoint{0, 2}));
  O.Exclude(soBeyondFileEnd);
  O.Include(soLimitEOL);
  M->SetOptions(O);
  EXPECT_EQ(Caret(), (TPoint{2, 1}));  // back to the end of the text
  M->JumpTo(4, 0);
  M->CursorRight();
  EXPECT_EQ(Caret(), (TPoint{0, 1}));
}

TEST_F(MemoTest, TypingBeyondTheLineEndPadsWithBlanks) {
  Load("abcd");
  M->JumpTo(10, 0);
  Type("x");
  EXPECT_EQ(Text(), "abcd      x");
}

TEST_F(MemoTest, TrailingBlanksGoWhenTheCaretLeavesTheLineWithoutAnUndoStep) {
  Load("ab\ncd");
  M->JumpTo(2, 0);
  Type("  ");
  const Integer Records = M->CurrentUndoList()->Count();
  M->CursorDown();
  EXPECT_EQ(M->GetRaw(0), "ab");
  EXPECT_EQ(M->CurrentUndoList()->Count(), Records + 1);  // the move only
  M->KeepTrailingBlanks = true;
  M->JumpTo(2, 0);
  Type("  ");
  M->CursorDown();
  EXPECT_EQ(M->GetRaw(0), "ab  ");
}

TEST_F(MemoTest, DeleteCharRightAndLeftAtLineEnds) {
  Load("ab\ncd");
  M->JumpTo(2, 0);
  M->DeleteCharRight();
  EXPECT_EQ(Text(), "abcd");
  M->JumpTo(4, 0);
  M->DeleteCharRight();
  EXPECT_EQ(Text(), "abcd");
  M->JumpTo(0, 0);
  M->DeleteCharLeft();
  EXPECT_EQ(Text(), "abcd");
  M->JumpTo(2, 0);
  M->DeleteCharLeft();
  EXPECT_EQ(Text(), "acd");
  EXPECT_EQ(Caret(), (TPoint{1, 0}));
}

TEST_F(MemoTest, BackUnindentGoesToTheWordOfTheLineAbove) {
  Load("    ab c\n        x");
  M->JumpTo(8, 1);
  M->DeleteCharLeft();
  EXPECT_EQ(M->GetRaw(1), "       x");
  EXPECT_EQ(Caret(), (TPoint{7, 1}));
}

TEST_F(MemoTest, EnterKeepsIndentationAndMovesALineDownWhole) {
  Load("    abc");
  M->JumpTo(0, 0);
  M->PressEnter();
  EXPECT_EQ(Text(), "\n    abc");
  EXPECT_EQ(Caret(), (TPoint{0, 1}));
  M->JumpTo(7, 1);
  M->PressEnter();
  EXPECT_EQ(Text(), "\n    abc\n    ");
  EXPECT_EQ(Caret(), (TPoint{4, 2}));
  M->Undo();
  EXPECT_EQ(Text(), "\n    abc");
}

TEST_F(MemoTest, WordJumpsAndWords) {
  Load("alpha beta\ngamma");
  M->JumpTo(0, 0);
  M->JumpWordRight();
  EXPECT_EQ(Caret(), (TPoint{6, 0}));
  M->JumpWordRight();
  EXPECT_EQ(Caret(), (TPoint{10, 0}));
  M->JumpWordRight();
  EXPECT_EQ(Caret(), (TPoint{0, 1}));
  M->JumpTo(2, 1);
  M->JumpWordRight();  // the last word of the last line: to its end, and it stays
  EXPECT_EQ(Caret(), (TPoint{5, 1}));
  M->JumpWordRight();
  EXPECT_EQ(Caret(), (TPoint{5, 1}));
  M->JumpWordLeft();
  EXPECT_EQ(Caret(), (TPoint{0, 1}));
  M->JumpWordLeft();
  EXPECT_EQ(Caret(), (TPoint{10, 0}));
  EXPECT_EQ(M->GetTextAt(7, 0), "beta");
  EXPECT_EQ(M->CorrectTextAt(5, 0), "");
  EXPECT_EQ(M->GetFirstNonSpaceChar(1, 0), -1);
}

TEST_F(MemoTest, InsertGUIDFramesA38CharacterIdentifier) {
  Load("");
  M->InsertGUID();
  const std::string T = Text();
  ASSERT_EQ(T.size(), 42u);
  EXPECT_EQ(T.substr(0, 3), "['{");
  EXPECT_EQ(T.substr(39), "}']");
  EXPECT_EQ(T[11], '-');
  EXPECT_EQ(Caret(), (TPoint{42, 0}));
}

// ---- tabs ----

TEST_F(MemoTest, TabStopsExpandAndRejectBadLists) {
  struct TCase {
    const char* Name;
    const char* Before;
    Integer Width;
  };
  for (const TCase& C : {TCase{"col 0", "", 9}, TCase{"col 8", "12345678", 1}, TCase{"col 9", "123456789", 8},
                         TCase{"col 20", "12345678901234567890", 5}}) {
    EXPECT_EQ(M->ExpandTabString(std::string(C.Before) + "\t").size() - std::string(C.Before).size(),
              static_cast<std::size_t>(C.Width))
        << C.Name;
  }
  EXPECT_EQ(M->GetVirtualTabStop(2), 25);
  M->SetTabStops("4");
  EXPECT_EQ(M->GetVirtualTabStop(2), 12);
  M->SetTabStops("");
  EXPECT_EQ(M->TabStops(), "4");
  for (const char* Bad : {"9,9", "0", "9,5", "10000"}) {
    EXPECT_THROW(
        {
          try {
            M->SetTabStops(Bad);
          } catch (Exception& E) {
            EXPECT_EQ(E.Message(), "Invalid Tab Rack");
            throw;
          }
        },
        Exception)
        << Bad;
  }
  EXPECT_EQ(M->TabStops(), "4");
}

TEST_F(MemoTest, ColumnsAndStoredIndices) {
  EXPECT_EQ(M->GetRealTabIndex("\tab", 5), 1);
  EXPECT_EQ(M->GetRealTabIndex("\tab", 0), 0);
  EXPECT_EQ(M->GetRelativeTabIndex("\tab", 2), 10);
  TStringsOptions O = M->Options();
  O.Include(soUseTabCharacter);
  M->SetOptions(O);
  Load("\tz");
  M->JumpTo(3, 0);
  Type("x");
  EXPECT_EQ(M->GetRaw(0), "   x\tz");
  EXPECT_EQ(M->GetDisplay(0), "   x     z");
  O = M->Options();
  O.Include(soCursorAlwaysOnTabs);
  M->SetOptions(O);
  Load("\tz");
  M->JumpTo(0, 0);
  M->Navigate(0, 5);
  EXPECT_EQ(Caret(), (TPoint{9, 0}));
  M->JumpTo(0, 0);
  M->Navigate(0, 4);
  EXPECT_EQ(Caret(), (TPoint{0, 0}));
}

TEST_F(MemoTest, JustifyAndShiftTab) {
  EXPECT_EQ(TCustomMemoSource::ExpandString("a b", 5), "a   b");
  EXPECT_EQ(TCustomMemoSource::ExpandString("abcde", 5), "abcde");
  Load("x");
  M->JumpTo(12, 0);
  M->PressShiftTab();
  EXPECT_EQ(Caret(), (TPoint{9, 0}));
  M->JumpTo(5, 0);
  M->PressShiftTab();
  EXPECT_EQ(Caret(), (TPoint{0, 0}));
  Load("a b\nabcde");
  M->JustifyText();
  EXPECT_EQ(Text(), "a   b\nabcde");
  EXPECT_FALSE(M->UndoAvailable());
}

TEST_F(MemoTest, TabIndentsTwoSelectedLinesAndInsertsOtherwise) {
  TStringsOptions O = M->Options();
  O.Exclude(soSmartTab);
  M->SetOptions(O);
  Load("ab\ncd\nef");
  M->JumpTo(1, 0);
  M->PressTab();
  EXPECT_EQ(M->GetRaw(0), "a        b");
  EXPECT_EQ(Caret(), (TPoint{9, 0}));
  M->Undo();
  EXPECT_EQ(M->GetRaw(0), "ab");
  M->JumpTo(0, 0);
  M->SetSelection(stStreamSel, 0, 0, 1, 1);
  M->PressTab();
  EXPECT_EQ(Text(), "         ab\n         cd\nef");
  M->PressShiftTab();
  EXPECT_EQ(Text(), "ab\ncd\nef");
}

// ---- bookmarks, states, collapsing ----

TEST_F(MemoTest, BookmarksToggleMoveAndFollowEdits) {
  Load("line0\nline1\nline2\nabcdef");
  M->JumpTo(0, 1);
  M->ToggleBookMark1();
  EXPECT_EQ(M->FGetBookmark(1), 1);
  M->ToggleBookMark1();
  EXPECT_EQ(M->FGetBookmark(1), 0);
  M->ToggleBookMark1();
  M->JumpTo(0, 2);
  M->ToggleBookMark1();  // moves it
  EXPECT_EQ(M->FGetBookmark(1), 0);
  EXPECT_EQ(M->FGetBookmark(2), 1);
  M->JumpTo(3, 3);
  M->SetBookmark(10);
  M->SetBookmark(7);
  M->JumpTo(0, 0);
  M->SetBookmark(2);
  EXPECT_EQ(M->NextBookmarkNumber(), 11);
  M->ClearBookmark(10);
  M->ClearBookmark(1);
  EXPECT_EQ(M->NextBookmarkNumber(), 8);
  M->JumpTo(1, 3);
  Type("xyz");
  TPoint P;
  ASSERT_TRUE(M->FindBookMark(7, P));
  EXPECT_EQ(P, (TPoint{6, 3}));
  M->JumpTo(5, 3);
  M->BreakLine();
  ASSERT_TRUE(M->FindBookMark(7, P));
  EXPECT_EQ(P, (TPoint{1, 4}));
  M->JumpTo(0, 4);
  M->SetBookmark(10);
  M->JumpTo(0, 0);
  M->GoToBookMark0();
  EXPECT_EQ(Caret(), (TPoint{0, 4}));
  EXPECT_FALSE(M->FindBookMark(5, P));
  EXPECT_EQ(P, (TPoint{-1, -1}));
}

TEST_F(MemoTest, LineStatesNotifyOnceAndDoNotModify) {
  Load("0\n1\n2\n3\n4\n5\n6");
  M->SetModified(false);
  TMemoListener L;
  M->RegisterNotifier(L.Method(), false);
  EXPECT_TRUE(M->SetLineReadOnly(5, true));
  EXPECT_FALSE(M->SetLineReadOnly(5, true));
  EXPECT_EQ(L.Calls.size(), 1u);
  M->SetImageBit(2, 3, true);
  EXPECT_TRUE(M->GetImageBit(2, 3));
  M->SetLineTextStyle(2, 4);
  EXPECT_EQ(M->GetLineTextStyle(2), 4);
  EXPECT_FALSE(M->Modified());
  M->JumpTo(0, 5);
  Type("x");
  EXPECT_EQ(M->GetRaw(5), "5");
  EXPECT_FALSE(M->GetImageBit(99, 3));
}

TEST_F(MemoTest, CollapsingHidesRegionsAndAJumpOpensThem) {
  Load("0\n1\n2\nhead\n4\n5\n6\n7\n8");
  for (Integer I = 4; I <= 6; ++I) {
    M->GetStringItem(I)->ItemState.Include(isHidden);
  }
  M->SetCollapseState(3, csCollapsed);
  EXPECT_EQ(M->HiddenLines()->Count(), 3);
  EXPECT_EQ(M->RealToVisibleIndex(7), 4);
  EXPECT_EQ(M->VisibleToRealIndex(4), 7);
  M->JumpTo(0, 5);
  EXPECT_EQ(M->GetCollapseState(3), csExpanded);
  EXPECT_EQ(M->HiddenLines()->Count(), 0);
  EXPECT_EQ(M->GetCollapseState(99), csNone);
}

TEST_F(MemoTest, JoiningTwoHiddenLinesKeepsTheListFreeOfDuplicates) {
  TVisibleLinesList L;
  L.AddLine(4);
  L.AddLine(5);
  L.AddLine(8);
  L.LineChanged(4, -1);
  EXPECT_EQ(L.Count(), 2);
  EXPECT_EQ(L.Items(0), 4);
  EXPECT_EQ(L.Items(1), 7);
}

TEST_F(MemoTest, PublishedPropertiesReachTheSource) {
  ASSERT_NE(GetPropInfo(M.get(), "Lines"), nullptr);
  ASSERT_NE(GetPropInfo(M.get(), "OutFormat"), nullptr);
  SetStrProp(M.get(), "TabStops", "4,8");
  EXPECT_EQ(M->TabStops(), "4,8");
  EXPECT_EQ(GetStrProp(M.get(), "TemplatesType"), "None");
  TClipbrdMemoSource Clip(nullptr);
  EXPECT_NE(GetPropInfo(&Clip, "Options"), nullptr);
  EXPECT_EQ(GetPropInfo(&Clip, "Lines"), nullptr);
}
