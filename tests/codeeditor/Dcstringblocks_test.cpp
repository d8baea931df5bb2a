// The memo source's selection and block commands, the clipboard, and search, replace and bracket matching.
#include "codeeditor/Dcstring.h"

#include "codeeditor/Dclanguages.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/Clipbrd.h"
#include "tests/codeeditor/MemoFixture.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

using namespace Dcstring;

Z_IMPLEMENT_CLASS(TMemoListener, TComponent)

namespace {
std::string Tail(const std::string& Dump) { return Dump.substr(Dump.find("caret")); }

class BlockTest : public MemoTest {
protected:
  void SetUp() override {
    MemoTest::SetUp();
    TSearchOptions* O = GetSearchOptions();
    O->CaseSensitive = O->WholeWordsOnly = O->RegularExpr = O->PromptOnReplace = O->ReplaceAll = false;
    O->Direction = sdForward;
    O->Scope = ssGlobal;
    O->Origin = soEntireScope;
    O->ReplaceWith.clear();
  }
  void Options(std::initializer_list<TStringsOption> Add) {
    TStringsOptions O = M->Options();
    for (TStringsOption A : Add) {
      O.Include(A);
    }
    M->SetOptions(O);
  }
};
}  // namespace

// ---- marking ----

TEST_F(BlockTest, MarkRightThenLeftLeavesNothing) {
  Load("abcdef");
  M->JumpTo(3, 0);
  M->MarkRight();
  EXPECT_EQ(Tail(M->DebugDump()), "caret 4,0 stream 3,0-4,0");
  M->MarkLeft();
  EXPECT_EQ(Tail(M->DebugDump()), "caret 3,0");
}

TEST_F(BlockTest, BlockOptionDecidesTheKind) {
  Load("abcdef\nghijkl");
  M->SetBlockOption(bkBlockSel);
  M->JumpTo(1, 0);
  M->MarkDown();
  M->MarkRight();
  EXPECT_EQ(Tail(M->DebugDump()), "caret 2,1 column 1,0-2,1");
  M->SetBlockOption(bkStreamSel);
  EXPECT_EQ(M->SelectionType(), stStreamSel);
  M->SetBlockOption(bkNone);
  EXPECT_EQ(M->SelectionType(), stNotSelected);
  M->MarkRight();
  M->SelectAll();
  EXPECT_EQ(M->SelectionType(), stNotSelected);
}

TEST_F(BlockTest, SelectionStringsAndBounds) {
  Load("0123456789\nabcdefghij\nABCDEFGHIJ");
  M->SetSelection(stStreamSel, 3, 0, 2, 2);
  EXPECT_EQ(M->SelectionStrings()->Text(), "3456789\r\nabcdefghij\r\nAB\r\n");
  Integer S = 0;
  Integer E = 0;
  M->SelectionBounds(1, S, E);
  EXPECT_EQ(E, MaxInt);
  M->SetSelection(stBlockSel, 2, 0, 4, 1);
  EXPECT_EQ(M->SelectionStrings()->Text(), "234\r\ncde\r\n");
  EXPECT_TRUE(M->IsPosInBlock(4, 1));
  EXPECT_FALSE(M->IsPosInBlock(5, 1));
  EXPECT_EQ(M->PointToSelPoint(TPoint{3, 1}), (TPoint{1, 1}));
}

// ---- deleting, pasting, moving ----

TEST_F(BlockTest, DeletingAStreamOverLinesJoinsThem) {
  Load("l0\nline1\nline2 xyz\nl3\nl4\nline5 abc\nl6");
  M->SetSelection(stStreamSel, 3, 2, 4, 5);
  M->DeleteBlock();
  EXPECT_EQ(Text(), "l0\nline1\nlin5 abc\nl6");
  EXPECT_EQ(Tail(M->DebugDump()), "caret 3,2");
  M->Undo();
  EXPECT_EQ(Text(), "l0\nline1\nline2 xyz\nl3\nl4\nline5 abc\nl6");
}

TEST_F(BlockTest, ColumnBlockCopiedHereIsPastedAsColumnAndForeignTextAsStream) {
  Load("abcd\nefgh\nijkl");
  M->SetSelection(stBlockSel, 1, 0, 2, 2);
  M->CopyBlock();
  EXPECT_EQ(Clipboard()->AsText(), "bc\r\nfg\r\njk");
  M->ClearSelection();
  M->JumpTo(4, 2);  // the last line's end: lines are added
  M->PasteBlock();
  EXPECT_EQ(Text(), "abcd\nefgh\nijklbc\n    fg\n    jk\n");
  Clipboard()->SetAsText("x\r\ny");
  Load("abcd\nefgh");
  M->JumpTo(1, 0);
  M->PasteBlock();
  EXPECT_EQ(Text(), "ax\nybcd\nefgh");
  Clipboard()->SetAsText("one\r\n");
  Load("abc");
  M->PasteBlock();
  EXPECT_EQ(Text(), "one\nabc");
  EXPECT_EQ(Caret(), (TPoint{0, 1}));
}

TEST_F(BlockTest, CutWithoutSelectionEmptiesTheClipboard) {
  Load("abc");
  Clipboard()->SetAsText("keep");
  M->CutBlock();
  EXPECT_EQ(Clipboard()->AsText(), "");
  EXPECT_EQ(Text(), "abc");
}

TEST_F(BlockTest, MoveBlockRefusesACaretInsideAndMovesOtherwise) {
  Options({soPersistentBlocks});
  Load("one two\nthree");
  M->SetSelection(stStreamSel, 0, 0, 4, 0);
  M->JumpTo(1, 0);
  EXPECT_FALSE(M->MoveBlock());
  EXPECT_EQ(Text(), "one two\nthree");
  M->JumpTo(5, 1);
  EXPECT_TRUE(M->MoveBlock());
  EXPECT_EQ(Text(), "two\nthreeone ");
}

TEST_F(BlockTest, CaseChangesKeepTheSelection) {
  Load("hello world\nsecond line");
  Options({soPersistentBlocks});
  M->SetSelection(stStreamSel, 0, 0, 11, 0);
  M->JumpTo(2, 1);
  M->UpperCaseBlock();
  EXPECT_EQ(M->GetRaw(0), "HELLO WORLD");
  EXPECT_EQ(Tail(M->DebugDump()), "caret 2,1 stream 0,0-11,0");
  M->LowerCaseBlock();
  M->CapitalizeBlock();
  EXPECT_EQ(M->GetRaw(0), "Hello World");
  M->ToggleBlockCase();
  EXPECT_EQ(M->GetRaw(0), "hELLO wORLD");
  M->JumpTo(1, 1);
  M->UpperCaseWord();
  EXPECT_EQ(M->GetRaw(1), "SECOND line");
  M->QuoteBlock();
  EXPECT_EQ(M->GetRaw(0), ">hELLO wORLD");
}

TEST_F(BlockTest, JustifyingASelectionWidensItsLines) {
  Load("a b\nabcde\nrest");
  M->SetSelection(stStreamSel, 0, 0, 5, 1);
  M->JustifyBlock();
  EXPECT_EQ(Text(), "a   b\nabcde\nrest");
  EXPECT_EQ(M->SelectionType(), stNotSelected);
}

TEST_F(BlockTest, DeleteWordsAndLines) {
  Load("alpha beta gamma\nnext");
  M->JumpTo(6, 0);
  M->DeleteWordRight();
  EXPECT_EQ(M->GetRaw(0), "alpha gamma");
  M->DeleteWordLeft();
  EXPECT_EQ(M->GetRaw(0), "gamma");
  M->DeleteLine();
  EXPECT_EQ(Text(), "next");
  M->DeleteLine();
  EXPECT_EQ(M->GetStrCount(), 0);
}

// ---- search and replace ----

TEST_F(BlockTest, SearchingTwiceForAWordThatOccursOnce) {
  Load("some text here");
  GetSearchOptions()->TextToFind = "text";
  EXPECT_TRUE(M->Find());
  EXPECT_EQ(Caret(), (TPoint{9, 0}));
  EXPECT_FALSE(M->FindNext());
  ASSERT_EQ(Scripted.Shown().size(), 1u);
  EXPECT_EQ(Scripted.Shown()[0].Text, "Search string 'text' not found");
  EXPECT_EQ(Caret(), (TPoint{9, 0}));
}

TEST_F(BlockTest, BackwardCaseInsensitiveAndWholeWordSearches) {
  Load("Abc abc xabc ABC");
  TSearchOptions* O = GetSearchOptions();
  O->TextToFind = "abc";
  O->Direction = sdBackward;
  O->Origin = soFromCursor;
  M->JumpTo(12, 0);
  EXPECT_TRUE(M->Find());
  EXPECT_EQ(Caret(), (TPoint{9, 0}));
  EXPECT_TRUE(M->FindNext());
  EXPECT_EQ(Caret(), (TPoint{4, 0}));
  O->WholeWordsOnly = true;
  O->Direction = sdForward;
  O->Origin = soEntireScope;
  EXPECT_TRUE(M->Find());
  EXPECT_TRUE(M->FindNext());
  EXPECT_TRUE(M->FindNext());
  EXPECT_EQ(Caret(), (TPoint{16, 0}));  // xabc is not a whole word
  O->TextToFind = "c a";
  M->Find();
  EXPECT_FALSE(O->WholeWordsOnly);
}

TEST_F(BlockTest, SelectionSearchFromACursorOutsideRaises) {
  Load("abc abc\nabc");
  TSearchOptions* O = GetSearchOptions();
  O->TextToFind = "abc";
  O->Scope = ssSelectedText;
  O->Origin = soFromCursor;
  Options({soPersistentBlocks});
  M->SetSelection(stStreamSel, 0, 0, 3, 0);
  M->JumpTo(1, 1);
  try {
    M->Find();
    FAIL();
  } catch (Exception& E) {
    EXPECT_EQ(E.Message(), "Tried to search marked block from cursor but cursor is outside block");
  }
  ModalSearchAndReplace = false;  // handed over instead of raised
  EXPECT_FALSE(M->Find());
  ModalSearchAndReplace = true;
  M->ClearSelection();
  O->Scope = ssSelectedText;
  EXPECT_THROW(M->Find(), Exception);
}

TEST_F(BlockTest, ReplaceAllCountsAndLeavesNoUpdateOpen) {
  Load("a x a\na a\nend a");
  TSearchOptions* O = GetSearchOptions();
  O->TextToFind = "a";
  O->ReplaceWith = "bb";
  O->ReplaceAll = true;
  M->Replace();
  EXPECT_EQ(M->ReplaceCount, 5);
  EXPECT_EQ(Text(), "bb x bb\nbb bb\nend bb");
  EXPECT_EQ(M->UpdateCount(), 0);
  EXPECT_TRUE(Scripted.Shown().empty());
  M->Undo();
  EXPECT_EQ(Text(), "a x a\na a\nend a");
}

TEST_F(BlockTest, PromptedReplaceAnswersYesNoCancelAndAll) {
  TSearchOptions* O = GetSearchOptions();
  O->TextToFind = "a";
  O->ReplaceWith = "B";
  O->PromptOnReplace = true;
  Load("a a a a");
  Scripted.QueueAnswer(mrNo);
  EXPECT_TRUE(M->Replace());
  EXPECT_EQ(Text(), "a a a a");
  EXPECT_EQ(Scripted.Shown().back().Text, "Replace this occurence of 'a'?");
  Scripted.QueueAnswer(mrCancel);
  EXPECT_FALSE(M->FindNext());
  Scripted.QueueAnswer(mrYes);
  EXPECT_TRUE(M->FindNext());
  EXPECT_EQ(Text(), "a a B a");
  Load("a a a a");
  O->ReplaceAll = true;
  O->PromptOnReplace = true;
  Scripted.QueueAnswer(mrNo);
  Scripted.QueueAnswer(mrYes);
  Scripted.QueueAnswer(mrAll);
  M->Replace();
  EXPECT_EQ(Text(), "a B B B");
  EXPECT_EQ(M->UpdateCount(), 0);
}

TEST_F(BlockTest, ReplaceAllOfAnEmptyMatchAdvances) {
  TSearchOptions* O = GetSearchOptions();
  O->RegularExpr = true;
  O->ReplaceWith = "";
  O->ReplaceAll = true;
  for (const char* Pattern : {"^", "$"}) {
    for (TSearchDirection D : {sdForward, sdBackward}) {
      Load("ab\ncd");
      O->TextToFind = Pattern;
      O->Direction = D;
      O->Origin = soEntireScope;
      M->Replace();
      EXPECT_EQ(Text(), "ab\ncd");
      EXPECT_EQ(M->UpdateCount(), 0);
    }
  }
}

TEST_F(BlockTest, BracketsSkipStringsWithATokenizer) {
  Dcparser::TCPPParser Parser(nullptr);
  M->SetSyntaxParser(&Parser);
  Load("f(a,\n  \")\",\n  b)");
  M->JumpTo(1, 0);
  M->FindNextBracket();
  EXPECT_EQ(Caret(), (TPoint{3, 2}));
  M->FindNextBracket();
  EXPECT_EQ(Caret(), (TPoint{1, 0}));
  Load("g(x");
  M->JumpTo(1, 0);
  M->FindNextBracket();
  EXPECT_EQ(Caret(), (TPoint{1, 0}));
  M->SetSyntaxParser(nullptr);
}
