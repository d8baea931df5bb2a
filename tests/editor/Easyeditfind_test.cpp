// The editor's find, replace, go-to-line and incremental search commands over the search settings.
#include "tests/editor/FindTestSupport.h"

#include "platform/controls/Dialogs.h"

namespace {

using Strings = std::vector<std::string>;

class Find : public FindTest {};

TEST_F(Find, ForwardStartsRightAfterTheCaretAndRepeatsToTheNextMatch) {
  SetText("xab ab ab");
  S->TextToFind = "ab";
  S->Origin = sgFromCursor;
  MoveTo(1, 0);
  EXPECT_TRUE(Edit->Find());
  EXPECT_EQ(Caret(), (TPoint{3, 0})) << "the match that starts right after the caret; the caret after it";
  EXPECT_EQ(Edit->SearchRect, Rect(1, 0, 3, 0));
  EXPECT_FALSE(S->FirstSearch);
  Edit->FindNext(TCustomEasyEdit::DlgFind);
  EXPECT_EQ(Caret(), (TPoint{6, 0}));
  MoveTo(5, 0);
  Edit->FindNext(TCustomEasyEdit::DlgFind);
  EXPECT_EQ(Caret(), (TPoint{9, 0})) << "never the match the caret stands in";
}

TEST_F(Find, BackwardLeavesTheCaretAtTheMatchStart) {
  SetText("ab ab\r\nab");
  S->TextToFind = "ab";
  S->Direction = srBackward;
  S->Origin = sgFromCursor;
  MoveTo(2, 1);
  EXPECT_TRUE(Edit->Find());
  EXPECT_EQ(Caret(), (TPoint{0, 1}));
  Edit->FindNext(TCustomEasyEdit::DlgFind);
  EXPECT_EQ(Caret(), (TPoint{3, 0}));
  Edit->FindNext(TCustomEasyEdit::DlgFind);
  EXPECT_EQ(Caret(), (TPoint{0, 0}));
}

TEST_F(Find, EntireScopeStartsAtTheStartOrTheEnd) {
  SetText("one two\r\none two");
  S->TextToFind = "one";
  S->Origin = sgEntireScope;
  MoveTo(5, 1);
  EXPECT_TRUE(Edit->Find());
  EXPECT_EQ(Caret(), (TPoint{3, 0}));
  S->Direction = srBackward;
  MoveTo(0, 0);
  EXPECT_TRUE(Edit->Find());
  EXPECT_EQ(Caret(), (TPoint{0, 1}));
}

TEST_F(Find, FindNextBeforeAnySearchUsesTheStoredTextFromTheCaret) {
  SetText("cat dog cat");
  S->TextToFind = "cat";
  S->FirstSearch = false;
  MoveTo(1, 0);
  Edit->FindNext(TCustomEasyEdit::DlgFind);
  EXPECT_EQ(Caret(), (TPoint{11, 0}));
}

TEST_F(Find, FindNextWaitsWhileTheFirstSearchIsPending) {
  Edit->GetLines()->Clear();
  S->TextToFind = "cat";
  ASSERT_EQ(Edit->LineCount(), 0);
  EXPECT_FALSE(Edit->Find());
  EXPECT_TRUE(S->FirstSearch) << "an empty text leaves the first search pending";
  const std::size_t Reported = Messages().size();
  SetText("cat");
  MoveTo(0, 0);
  Edit->FindNext(TCustomEasyEdit::DlgFind);
  EXPECT_EQ(Caret(), (TPoint{0, 0}));
  EXPECT_EQ(Messages().size(), Reported) << "Find Next did nothing, not even report";
  EXPECT_TRUE(Edit->Find());
  EXPECT_EQ(Caret(), (TPoint{3, 0}));
}

TEST_F(Find, NotFoundIsReportedWhenSoSet) {
  SetText("abc");
  S->TextToFind = "zz";
  EXPECT_FALSE(Edit->Find());
  S->ShowNotFound = false;
  EXPECT_FALSE(Edit->Find());
  EXPECT_EQ(Messages(), Strings{"Search string 'zz' not found"});
}

TEST_F(Find, SelectedScopeWithoutSelectionReportsOnceThenSearchesEverything) {
  SetText("one two one");
  S->TextToFind = "one";
  S->Scope = scSelectedText;
  MoveTo(1, 0);
  EXPECT_FALSE(Edit->Find());
  EXPECT_EQ(Messages(), Strings{"Tried to search selected text but no text is selected"});
  Edit->FindNext(TCustomEasyEdit::DlgFind);
  EXPECT_EQ(S->Scope, scGlobal);
  EXPECT_EQ(Caret(), (TPoint{3, 0})) << "the pending first search runs over the whole text";
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(Find, SearchesOnlyTheSelection) {
  SetText("ab ab\r\nab ab\r\nab");
  S->TextToFind = "ab";
  S->Scope = scSelectedText;
  S->Origin = sgEntireScope;
  MoveTo(0, 0);
  Edit->SetSelection(Rect(2, 1, 5, 1), slStream);
  EXPECT_TRUE(Edit->Find());
  EXPECT_EQ(Caret(), (TPoint{5, 1}));
  EXPECT_EQ(Edit->SearchRect, Rect(3, 1, 5, 1));
}

struct TOptionCase {
  const char* Name;
  bool CaseSensitive, WholeWords, Pattern;
  std::string Find;
  TRect Match;
};

class FindOptions : public FindTest, public ::testing::WithParamInterface<TOptionCase> {};

TEST_P(FindOptions, SelectTheRightMatch) {
  const TOptionCase& C = GetParam();
  SetText("Food foo FOO fo+d");
  S->TextToFind = C.Find;
  S->CaseSensitive = C.CaseSensitive;
  S->WholeWordsOnly = C.WholeWords;
  S->RegularExpr = C.Pattern;
  ASSERT_TRUE(Edit->Find());
  EXPECT_EQ(Edit->SearchRect, C.Match);
}

INSTANTIATE_TEST_SUITE_P(Options, FindOptions,
                         ::testing::Values(TOptionCase{"CaseIgnored", false, false, false, "foo", Rect(0, 0, 3, 0)},
                                           TOptionCase{"CaseSensitive", true, false, false, "FOO", Rect(9, 0, 12, 0)},
                                           TOptionCase{"WholeWords", false, true, false, "foo", Rect(5, 0, 8, 0)},
                                           TOptionCase{"Pattern", false, false, true, "fo+d", Rect(0, 0, 4, 0)},
                                           TOptionCase{"PatternCharsAsText", false, false, false, "fo+d",
                                                       Rect(13, 0, 17, 0)}),
                         [](const ::testing::TestParamInfo<TOptionCase>& I) { return std::string(I.param.Name); });

TEST_F(Find, WholeWordsAreSwitchedOffForATextWithABlank) {
  SetText("a b c");
  S->TextToFind = "b c";
  S->WholeWordsOnly = true;
  EXPECT_TRUE(Edit->Find());
  EXPECT_FALSE(S->WholeWordsOnly);
}

TEST_F(Find, ABadPatternShowsItsErrorAndFindsNothing) {
  SetText("abc");
  S->TextToFind = "(ab";
  S->RegularExpr = true;
  EXPECT_FALSE(Edit->Find());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_FALSE(Messages()[0].empty());
  EXPECT_EQ(Edit->GetEditSource()->UpdateCount(), 0);
  EXPECT_EQ(Edit->SearchRectHold, 0);
}

TEST_F(Find, OccurrenceCountLeavesTheCaret) {
  SetText("aXa\r\naa");
  S->TextToFind = "a";
  S->FirstSearch = true;
  MoveTo(1, 1);
  EXPECT_EQ(Edit->OccurrenceCount(), 4);
  EXPECT_EQ(Caret(), (TPoint{1, 1}));
}

// ---- replace ----

class ReplaceTest : public FindTest {};

TEST_F(ReplaceTest, PromptAnswersYesNoAndCancel) {
  SetText("a a a a");
  S->TextToFind = "a";
  S->ReplaceWith = "bb";
  S->PromptOnReplace = true;
  Dialogs.QueueAnswer(mrYes);
  Dialogs.QueueAnswer(mrNo);
  Dialogs.QueueAnswer(mrYes);
  Dialogs.QueueAnswer(mrCancel);
  int Count = 0;
  Edit->ReplaceEx(Count);
  // One step asks once; Find Next as a replace goes on.
  EXPECT_EQ(Text(), "bb a a a\r\n");
  for (int I = 0; I < 3; ++I) {
    Edit->FindNext(TCustomEasyEdit::DlgReplace);
  }
  EXPECT_EQ(Text(), "bb a bb a\r\n");
  EXPECT_EQ(Messages(), (Strings(4, "Replace this occurence of 'a'?")));
  const TDialogRequest R = Dialogs.Shown()[0];
  EXPECT_EQ(R.Buttons, (std::vector<int>{mrYes, mrNo, mrCancel, mrAll}));
}

TEST_F(ReplaceTest, AllReplacesTheRestWithoutAskingAndUndoesAsOneStep) {
  SetText("x a a\r\na a");
  S->TextToFind = "a";
  S->ReplaceWith = "b";
  S->PromptOnReplace = true;
  Dialogs.QueueAnswer(mrNo);
  Dialogs.QueueAnswer(mrAll);
  Edit->Replace();
  EXPECT_EQ(Text(), "x a a\r\na a\r\n") << "No skips the first";
  Edit->FindNext(TCustomEasyEdit::DlgReplace);
  EXPECT_EQ(Text(), "x a b\r\nb b\r\n");
  EXPECT_FALSE(S->PromptOnReplace);
  EXPECT_TRUE(S->ReplaceAll);
  EXPECT_EQ(Dialogs.Shown().size(), 2u);
  Edit->GetEditSource()->Undo();
  EXPECT_EQ(Text(), "x a a\r\na a\r\n");
}

TEST_F(ReplaceTest, ReplaceAllIsOneUndoStepAndUndoRestoresTheTextExactly) {
  const std::string Original = "alpha beta alpha\r\n  alpha\r\nbeta alphaalpha\r\n";
  SetText(Original);
  Edit->GetEditSource()->InsertString("typed ");
  S->TextToFind = "alpha";
  S->ReplaceWith = "omega!";
  S->PromptOnReplace = false;
  S->ReplaceAll = true;
  int Count = 0;
  Edit->ReplaceEx(Count);
  EXPECT_EQ(Count, 5);
  EXPECT_EQ(Text(), "typed omega! beta omega!\r\n  omega!\r\nbeta omega!omega!\r\n");
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(IsNullRect(Edit->SearchRect));
  Edit->GetEditSource()->Undo();
  EXPECT_EQ(Text(), "typed " + Original) << "the typing before stays";
  Edit->GetEditSource()->Redo();
  EXPECT_EQ(Text(), "typed omega! beta omega!\r\n  omega!\r\nbeta omega!omega!\r\n");
}

TEST_F(ReplaceTest, AnEmptyReplacementDeletesTheMatchAndLeavesTheCaretWhereItBegan) {
  SetText("one <b>two</b>");
  S->TextToFind = "<b>";
  S->PromptOnReplace = false;
  int Count = 0;
  EXPECT_TRUE(Edit->ReplaceEx(Count));
  EXPECT_EQ(Text(), "one two</b>\r\n");
  EXPECT_EQ(Caret(), (TPoint{4, 0}));
  S->ReplaceAll = true;
  S->TextToFind = "o";
  Edit->ReplaceEx(Count);
  EXPECT_EQ(Count, 2);
  EXPECT_EQ(Text(), "ne tw</b>\r\n");
}

TEST_F(ReplaceTest, AReplacementHoldingTheSearchTextIsNotFoundAgain) {
  SetText("a-a\r\na");
  S->TextToFind = "a";
  S->ReplaceWith = "aa";
  S->PromptOnReplace = false;
  S->ReplaceAll = true;
  int Count = 0;
  Edit->ReplaceEx(Count);
  EXPECT_EQ(Count, 3);
  EXPECT_EQ(Text(), "aa-aa\r\naa\r\n");
}

TEST_F(ReplaceTest, BackwardReplacesKeepTheCaretInFront) {
  SetText("a-a-a");
  S->TextToFind = "a";
  S->ReplaceWith = "[x]";
  S->Direction = srBackward;
  S->Origin = sgEntireScope;
  S->PromptOnReplace = false;
  S->ReplaceAll = true;
  int Count = 0;
  Edit->ReplaceEx(Count);
  EXPECT_EQ(Count, 3);
  EXPECT_EQ(Text(), "[x]-[x]-[x]\r\n");
}

TEST_F(ReplaceTest, APatternThatMatchesNothingEndsTheLoop) {
  SetText("abc\r\nd");
  S->TextToFind = "x*";
  S->RegularExpr = true;
  S->ReplaceWith = "";
  S->PromptOnReplace = false;
  S->ReplaceAll = true;
  int Count = 0;
  Edit->ReplaceEx(Count);
  EXPECT_EQ(Text(), "abc\r\nd\r\n");
  EXPECT_EQ(Edit->GetEditSource()->UpdateCount(), 0);
}

TEST_F(ReplaceTest, ReplaceAllInTheSelectionOnly) {
  SetText("a a\r\na a\r\na a");
  S->TextToFind = "a";
  S->ReplaceWith = "b";
  S->Scope = scSelectedText;
  S->Origin = sgEntireScope;
  S->PromptOnReplace = false;
  S->ReplaceAll = true;
  Edit->SetSelection(Rect(0, 1, 3, 1), slStream);
  int Count = 0;
  Edit->ReplaceEx(Count);
  EXPECT_EQ(Count, 2);
  EXPECT_EQ(Text(), "a a\r\nb b\r\na a\r\n");
}

TEST_F(ReplaceTest, ReadOnlyTextIsNotReplaced) {
  SetText("a");
  Edit->SetReadOnly(true);
  S->TextToFind = "a";
  S->PromptOnReplace = false;
  int Count = 0;
  EXPECT_FALSE(Edit->ReplaceEx(Count));
  EXPECT_EQ(Text(), "a\r\n");
}

// ---- go to line ----

TEST_F(Find, GoToLineWithoutAFormOnlyTakesTheCaretLine) {
  SetText("1\r\n22222\r\n333\r\n4444");
  MoveTo(2, 1);
  std::vector<Byte> Created;
  Edit->OnAfterCreateDialog = [&](TObject*, Byte Code, TObject*) { Created.push_back(Code); };
  Edit->ExecuteDialog(TCustomEasyEdit::DlgGotoLine);
  EXPECT_EQ(S->GotoLineNumber, 2);
  EXPECT_TRUE(Created.empty()) << "no form, nothing shown";
  S->GotoLineNumber = 4;
  Edit->GotoLine();
  EXPECT_EQ(Caret(), (TPoint{2, 3})) << "the column is kept";
  S->GotoLineNumber = 99;
  Edit->GotoLine();
  EXPECT_EQ(Caret().Y, 3) << "the source limits the line";
}

TEST_F(Find, FindTextAtCursorPresetsTheSearchText) {
  SetText("alpha beta");
  TEasyEditorOptions O = Edit->Options();
  O.Include(eoFindTextAtCursor);
  Edit->SetOptions(O);
  MoveTo(7, 0);
  bool Asked = false;
  Edit->OnBeforeCreateDialog = [&](TObject*, Byte, TObject*& Form, bool&, bool& Handled) {
    Asked = true;
    Form = nullptr;
    Handled = false;
  };
  // No dialog class: only the preset happens.
  const TClass SavedFind = GlobalSearchDialogClass;
  const TClass SavedReplace = GlobalReplaceDialogClass;
  GlobalSearchDialogClass = GlobalReplaceDialogClass = nullptr;
  Edit->ExecuteDialog(TCustomEasyEdit::DlgFind);
  EXPECT_TRUE(Asked);
  EXPECT_EQ(S->TextToFind, "beta");
  Edit->SetSelection(Rect(0, 0, 3, 0), slStream);
  Edit->ExecuteDialog(TCustomEasyEdit::DlgReplace);
  GlobalSearchDialogClass = SavedFind;
  GlobalReplaceDialogClass = SavedReplace;
  EXPECT_EQ(S->TextToFind, "alp");
}

// ---- incremental search ----

TEST_F(Find, IncrementalSearchExtendsNarrowsAndEnds) {
  SetText("xa ab\r\nab");
  MoveTo(0, 0);
  Edit->InitIncrementalSearch();
  EXPECT_TRUE(Edit->IncrSearchActive);
  EXPECT_TRUE(Edit->IncrementalSearchKey('a'));
  EXPECT_EQ(Caret(), (TPoint{1, 0})) << "the caret stays at the match start";
  EXPECT_EQ(Edit->SearchRect, Rect(1, 0, 2, 0));
  EXPECT_TRUE(Edit->IncrementalSearchKey('b'));
  EXPECT_EQ(Edit->IncrSearchText, "ab");
  EXPECT_EQ(Edit->SearchRect, Rect(3, 0, 5, 0));
  Edit->FindNext(TCustomEasyEdit::DlgFind);
  EXPECT_EQ(Edit->SearchRect, Rect(0, 1, 2, 1)) << "F3 goes to the next occurrence";
  EXPECT_TRUE(Edit->IncrementalSearchKey('z'));
  EXPECT_EQ(Edit->IncrSearchText, "ab") << "a character that finds nothing changes nothing";
  EXPECT_TRUE(Edit->IncrementalSearchKey('\b'));
  EXPECT_EQ(Edit->IncrSearchText, "a");
  EXPECT_EQ(Edit->SearchRect, Rect(0, 1, 1, 1));
  EXPECT_TRUE(Edit->IncrementalSearchKey('\x1B'));
  EXPECT_FALSE(Edit->IncrSearchActive);
  EXPECT_TRUE(IsNullRect(Edit->SearchRect));
  EXPECT_FALSE(Edit->IncrementalSearchKey('q')) << "typing inserts again";
}

TEST_F(Find, BackspaceShortensTheTextEvenWhenNothingMatches) {
  SetText("abc");
  Edit->InitIncrementalSearch();
  Edit->IncrementalSearchKey('c');
  ASSERT_EQ(Edit->IncrSearchText, "c");
  EXPECT_TRUE(Edit->IncrementalSearchKey('\b'));
  EXPECT_EQ(Edit->IncrSearchText, "") << "the search text can be emptied again";
  EXPECT_TRUE(IsNullRect(Edit->SearchRect));
  EXPECT_TRUE(Edit->IncrementalSearchKey('c'));
  EXPECT_EQ(Edit->SearchRect, Rect(2, 0, 3, 0));
}

TEST_F(Find, TheEditorsOwnIncrementalSettingsDoNotOverwriteTheStoredOnes) {
  S->TextToFind = "stored";
  S->SaveSettings();
  {
    auto* Other = NewEditor(0, 0, 100, 50);
    Other->GetLines()->SetText("zzz");
    Other->InitIncrementalSearch();
    Other->IncrementalSearchKey('z');
    delete Other;
  }
  std::unique_ptr<TEasySearchSettings> Fresh(new TEasySearchSettings());
  Fresh->SaveOnDestroy = false;
  EXPECT_EQ(Fresh->TextToFind, "stored");
}

TEST_F(Find, ARegisteredGoToLineFormIsShownAndKept) {
  SetText("1\r\n22\r\n333");
  MoveTo(1, 1);
  auto* Dialog = new TForm(Application);
  Dialog->AfterConstruction();
  Dialog->OnShow = [&](TObject*) {
    EXPECT_EQ(S->GotoLineNumber, 2);
    S->GotoLineNumber = 3;
    Dialog->ModalResult = mrOk;
  };
  GlobalGotoLineDialog = Dialog;
  Edit->ExecuteDialog(TCustomEasyEdit::DlgGotoLine);
  GlobalGotoLineDialog = nullptr;
  EXPECT_EQ(Caret(), (TPoint{1, 2}));
  EXPECT_EQ(Screen->FormCount() > 0, true);
  EXPECT_FALSE(Dialog->Visible()) << "closed, and still there to be used again";
  delete Dialog;
}

TEST_F(Find, ACaretMoveEndsIncrementalSearch) {
  SetText("abc");
  Edit->InitIncrementalSearch();
  Edit->IncrementalSearchKey('b');
  ASSERT_TRUE(Edit->IncrSearchActive);
  MoveTo(0, 0);
  EXPECT_FALSE(Edit->IncrSearchActive);
  EXPECT_TRUE(Edit->IncrSearchText.empty());
}

}  // namespace
