// Tests of the edit source: brackets and notification, loading and saving, edits, tabs, caret moves,
// options, lexing and the failure paths.
#include "editor/Easyeditsource.h"

#include "EditorTestSupport.h"
#include "editor/Easyutils.h"
#include "platform/classes/Streams.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <sstream>

namespace {
TEasySourceOptions With(std::initializer_list<TEasySourceOption> Add,
                        std::initializer_list<TEasySourceOption> Remove = {}) {
  TEasySourceOptions O = DefaultSourceOptions;
  for (auto A : Add) O.Include(A);
  for (auto R : Remove) O.Exclude(R);
  return O;
}

void Load(TCustomEasyEditSource& S, const std::string& Text) {
  TStringStream In(Text);
  S.LoadFromStream(&In);
}

std::string TempFile(const std::string& Name) {
  return std::filesystem::temp_directory_path().string() + "/" + std::to_string(::getpid()) + Name;
}
}  // namespace

TEST(EasyEditSource, LoadingMakesAFreshUnmodifiedDocumentAndNotifiesOnce) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  TypeText(S, "old");
  S.Navigate(0, 0);
  ASSERT_TRUE(S.Modified);
  ASSERT_TRUE(S.UndoAvailable());
  TNotifyRecorder R(&S);
  Load(S, "first\nsecond  \nthird");
  EXPECT_EQ(R.Brackets, 1);
  EXPECT_TRUE(R.LastState.Contains(csEdit));
  EXPECT_TRUE(R.LastState.Contains(csPositionChanged));
  EXPECT_TRUE(R.LastState.Contains(csModifiedChanged));
  EXPECT_FALSE(S.Modified);
  EXPECT_EQ(S.CurrentPosition, (TPoint{0, 0}));
  EXPECT_FALSE(S.UndoAvailable());
  EXPECT_FALSE(S.RedoAvailable());
  EXPECT_EQ(S.Strings()->GetStr(1), "second  ");
}

TEST(EasyEditSource, LoadingDoesNotStripBlanksFromTheOldCaretLine) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  Load(S, "a\nb\nc");
  S.JumpTo(0, 1);
  Load(S, "x\ny  \nz");
  EXPECT_EQ(S.Strings()->GetStr(1), "y  ");
}

TEST(EasyEditSource, FilesRoundTripEveryByteWhenTabsAreKept) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  S.SetOptions(With({srLeaveTabs, srLeaveTrailSpaces}));
  std::string All;
  for (int C = 0; C < 256; ++C) {
    if (C != '\r' && C != '\n') All += static_cast<char>(C);
  }
  const std::string Text = All + "\r\n\tindented\r\n";
  const std::string In = TempFile("easy_roundtrip_in.txt");
  const std::string Out = TempFile("easy_roundtrip_out.txt");
  std::ofstream(In, std::ios::binary) << Text;
  S.LoadFromFile(In);
  EXPECT_EQ(S.FileName, In);
  EXPECT_EQ(S.Strings()->GetStr(1), "\tindented");
  EXPECT_EQ(S.Strings()->Get(1), "        indented");  // readers see tabs expanded
  S.SaveToFile(Out);
  std::stringstream Saved;
  Saved << std::ifstream(Out, std::ios::binary).rdbuf();
  EXPECT_EQ(Saved.str(), Text);
  std::remove(In.c_str());
  std::remove(Out.c_str());
}

TEST(EasyEditSource, WithoutKeptTabsLoadingExpandsThemToBlanks) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  Load(S, "\tx\nab\ty");
  EXPECT_EQ(S.Strings()->GetStr(0), "        x");
  EXPECT_EQ(S.Strings()->GetStr(1), "ab      y");
}

TEST(EasyEditSource, SwitchingTabsOffExpandsTheStoredTabs) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  S.SetOptions(With({srLeaveTabs}));
  Load(S, "a\tb");
  S.SetOptions(DefaultSourceOptions);
  EXPECT_EQ(S.Strings()->GetStr(0), "a       b");
}

TEST(EasyEditSource, EachEditorHearsOnceperOutermostBracket) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  Load(S, "one\ntwo");
  TNotifyRecorder A(&S);
  TNotifyRecorder B(&S);
  S.BeginSourceUpdate(oprOther);
  S.JumpTo(3, 0);
  S.BreakString();
  S.JumpTo(0, 1);
  S.InsertString("new");
  S.EndSourceUpdate();
  EXPECT_EQ(A.Brackets, 1);
  EXPECT_EQ(B.Brackets, 1);
  EXPECT_TRUE(A.LastState.Contains(csEdit));
  EXPECT_TRUE(A.LastState.Contains(csCountChanged));
  EXPECT_TRUE(A.LastState.Contains(csPositionChanged));
  EXPECT_EQ(S.FirstChangedLine, 0);
  A.Reset();
  S.AddString(1, "added");  // several inner brackets
  EXPECT_EQ(A.Brackets, 1);
  EXPECT_EQ(Lines(S.Strings()), (std::vector<std::string>{"one", "added", "new", "two"}));
}

TEST(EasyEditSource, NavigationLimits) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  S.SetOptions(With({}, {srBeyondEol}));
  Load(S, "abc\nde");
  TNotifyRecorder R(&S);
  S.Navigate(0, 0);
  EXPECT_EQ(R.Brackets, 0);
  S.Navigate(10, 0);
  EXPECT_EQ(S.CurrentPosition, (TPoint{3, 0}));
  S.Navigate(0, 5);
  EXPECT_EQ(S.CurrentPosition, (TPoint{2, 1}));
  S.Navigate(-10, -10);
  EXPECT_EQ(S.CurrentPosition, (TPoint{0, 0}));
  S.SetOptions(With({srBeyondEof}));
  S.Navigate(7, 4);
  EXPECT_EQ(S.CurrentPosition, (TPoint{7, 4}));
  S.SetOptions(DefaultSourceOptions);  // beyond-end-of-file off: back to the last line's end
  EXPECT_EQ(S.CurrentPosition, (TPoint{2, 1}));
}

TEST(EasyEditSource, InsertingPastTheTextPadsAndAppendsLines) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  S.SetOptions(With({srBeyondEof}));
  S.JumpTo(2, 1);
  S.InsertString("x");
  EXPECT_EQ(Lines(S.Strings()), (std::vector<std::string>{"", "  x"}));
  EXPECT_EQ(S.CurrentPosition, (TPoint{2, 1}));  // inserting leaves the caret
}

TEST(EasyEditSource, VerticalMovesAndBreaksStripTrailingBlanksOfTheLineLeft) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  Load(S, "ab  \ncd  \nef");
  S.Navigate(0, 1);
  EXPECT_EQ(S.Strings()->GetStr(0), "ab");
  S.Navigate(2, 0);
  EXPECT_EQ(S.Strings()->GetStr(1), "cd  ");  // a move along the line keeps them
  S.Navigate(1, 0);
  S.BreakString();
  EXPECT_EQ(Lines(S.Strings()), (std::vector<std::string>{"ab", "cd", " ", "ef"}));
  EXPECT_EQ(S.CurrentPosition, (TPoint{3, 1}));
  S.SetOptions(With({srLeaveTrailSpaces}));
  S.Navigate(0, 1);
  EXPECT_EQ(S.Strings()->GetStr(2), " ");
}

TEST(EasyEditSource, TabsStayInTheTextAndEditsInsideThemPutBlanksFirst) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  S.SetOptions(With({srLeaveTabs}));
  Load(S, "\tx");
  S.JumpTo(3, 0);
  S.InsertString("ab");
  EXPECT_EQ(S.Strings()->GetStr(0), "   ab\tx");
  EXPECT_EQ(S.Strings()->Get(0).find("ab"), 3u);
  EXPECT_EQ(S.GetCharacterPos(), (TPoint{3, 0}));
  EXPECT_EQ(S.GetRealPos(0, 6), 8);
  S.Undo();
  EXPECT_EQ(S.Strings()->GetStr(0), "\tx");
  EXPECT_EQ(S.CurrentPosition, (TPoint{3, 0}));
  // Deleting inside the tab turns its first part into blanks, then deletes the rest of it.
  S.DeleteString(1);
  EXPECT_EQ(S.Strings()->GetStr(0), "   x");
  S.Undo();
  EXPECT_EQ(S.Strings()->GetStr(0), "\tx");
}

TEST(EasyEditSource, TabStopsAreValidated) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  S.SetTabStops("4,6");
  EXPECT_EQ(S.GetTabStops(), "4,6");
  for (const char* Bad : {"4,4", "0", "-2"}) {
    try {
      S.SetTabStops(Bad);
      ADD_FAILURE() << Bad;
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), "Invalid Tab Stop");
    }
  }
  EXPECT_EQ(S.GetTabStops(), "4,6");
  EXPECT_EQ(S.TabStopList()->Get(6), 8);
}

TEST(EasyEditSource, JoiningNeedsTheCaretAtTheLineEnd) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  Load(S, "abc\ndef");
  S.JumpTo(1, 0);
  S.JoinStrings();
  EXPECT_EQ(S.Strings()->Count(), 2);
  S.JumpTo(2, 0);  // on the last character
  S.JoinStrings();
  EXPECT_EQ(Lines(S.Strings()), std::vector<std::string>{"abcdef"});
  S.Undo();
  EXPECT_EQ(Lines(S.Strings()), (std::vector<std::string>{"abc", "def"}));
  S.JumpTo(5, 0);  // beyond the end: blanks fill the gap
  S.JoinStrings();
  EXPECT_EQ(Lines(S.Strings()), std::vector<std::string>{"abc  def"});
}

TEST(EasyEditSource, OptionInteractions) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  S.SetOptions(With({srSmartTab}));
  S.SetOptions(With({srSmartTab, srUseTab}));
  EXPECT_TRUE(S.Options().Contains(srUseTab));
  EXPECT_FALSE(S.Options().Contains(srSmartTab));
  TypeText(S, "ab");
  S.Undo();
  ASSERT_TRUE(S.RedoAvailable());
  TypeText(S, "c");
  S.SetOptions(S.Options() + TEasySourceOptions{srUndoOnlyChanges});
  EXPECT_FALSE(S.UndoAvailable());
  EXPECT_FALSE(S.RedoAvailable());
}

TEST(EasyEditSource, ReadOnlyRefusesEditsAndUndoSilently) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  TypeText(S, "ab");
  S.SetReadOnly(true);
  S.InsertString("x");
  S.DeleteString(1);
  S.BreakString();
  S.JoinStrings();
  S.Undo();
  EXPECT_EQ(Lines(S.Strings()), std::vector<std::string>{"ab"});
  EXPECT_TRUE(S.UndoAvailable());
  S.SetReadOnly(false);
  S.Undo();
  EXPECT_EQ(Lines(S.Strings()), std::vector<std::string>{""});
}

TEST(EasyEditSource, AFailureInsideAnEditClosesItsBrackets) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  TOwned<TTestParser> POwned;
  TTestParser& P = *POwned;
  Load(S, "abc");
  S.SetParser(&P);
  TNotifyRecorder R(&S);
  P.ThrowOnLex = true;
  EXPECT_THROW(S.InsertString("x"), Exception);
  EXPECT_EQ(S.UpdateCount(), 0);
  EXPECT_EQ(R.Brackets, 1);  // editors still hear what changed before the failure
  P.ThrowOnLex = false;
  S.InsertString("y");
  EXPECT_EQ(S.Strings()->GetStr(0), "yxabc");
  // The internal edit counter is back at 0: a direct change of the lines is seen as an external one.
  ASSERT_TRUE(S.UndoAvailable());
  S.Strings()->Add("external");
  EXPECT_FALSE(S.UndoAvailable());
  EXPECT_FALSE(S.Modified);
}

TEST(EasyEditSource, WordsAroundThePosition) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  Load(S, "  foo bar  baz");
  struct {
    int X;
    TEasyWordSelection Type;
    int Start, End;
  } Cases[] = {{3, wsWord, 3, 5}, {5, wsWord, 3, 5}, {6, wsWord, 7, 9}, {0, wsWord, 3, 5}, {2, wsWordAndSpace, 3, 6},
               {7, wsToNextWord, 7, 11}};
  for (const auto& C : Cases) {
    int Start = 0;
    int End = 0;
    S.GetWord(TPoint{C.X, 0}, Start, End, C.Type);
    EXPECT_EQ(Start, C.Start) << C.X;
    EXPECT_EQ(End, C.End) << C.X;
  }
  EXPECT_EQ(S.GetTextAt(TPoint{7, 0}, true), "bar");
  EXPECT_EQ(S.GetTextAt(TPoint{5, 0}, true), "");
}

TEST(EasyEditSource, BackspaceAtTheIndentUnindentsToThePreviousLevel) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  Load(S, "    foo bar\n        x");
  S.JumpTo(8, 1);
  S.DeleteLeft();
  EXPECT_EQ(S.Strings()->GetStr(1), "    x");
  EXPECT_EQ(S.CurrentPosition, (TPoint{4, 1}));
  S.JumpTo(5, 1);
  S.DeleteLeft();
  EXPECT_EQ(S.Strings()->GetStr(1), "    ");
}

TEST(EasyEditSource, LexingIsLazyAndIncremental) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  S.SetOptions(With({}, {srHighlightUrls}));
  TOwned<TTestParser> POwned;
  TTestParser& P = *POwned;
  std::string Text;
  for (int I = 0; I < 100; ++I) Text += "word \"str\" x\n";
  Load(S, Text);
  S.SetParser(&P);
  S.ParseToString(9);
  EXPECT_EQ(S.ParsedUpTo(), 10);
  EXPECT_TRUE(S.Strings()->IsParsed(9));
  EXPECT_FALSE(S.Strings()->IsParsed(10));
  EXPECT_EQ(S.Strings()->GetData(0, 1), 1);
  EXPECT_EQ(S.Strings()->GetData(0, 6), 2);
  EXPECT_EQ(S.Strings()->GetData(0, 11), 0);
  // An edit that opens a string runs the state on: the lines below are re-lexed when asked for.
  S.ParseToString(99);
  S.JumpTo(0, 5);
  S.InsertString("\"");
  EXPECT_EQ(S.Strings()->GetState(5), 1);
  EXPECT_LE(S.ParsedUpTo(), 5);
  P.Calls = 0;
  S.ParseToString(7);
  EXPECT_GT(P.Calls, 0);
  EXPECT_EQ(S.Strings()->GetData(6, 1), 2);
  // A plain edit re-lexes only its own line and leaves the end state alone.
  S.ParseToString(99);
  S.JumpTo(0, 50);
  P.Calls = 0;
  S.InsertString("a");
  S.ParseToString(99);
  EXPECT_LT(P.Calls, 20);
}

TEST(EasyEditSource, DestroyingAParserDetachesEverySourceUsingIt) {
  TOwned<TEasyEditSource> AOwned(nullptr);
  TEasyEditSource& A = *AOwned;
  TOwned<TEasyEditSource> BOwned(nullptr);
  TEasyEditSource& B = *BOwned;
  auto* P = new TTestParser();
  P->SetDelimiters("#");
  A.SetParser(P);
  B.SetParser(P);
  EXPECT_EQ(P->NotifierCount(), 2);
  EXPECT_TRUE(InCharSet('#', A.Delimiters));
  delete P;
  EXPECT_EQ(A.Parser(), nullptr);
  EXPECT_EQ(B.Parser(), nullptr);
}

TEST(EasyEditSource, UrlsAreMarkedWithOrWithoutAParser) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  Load(S, "see www.example.com/x now");
  S.ParseToString(0);
  EXPECT_EQ(S.Strings()->GetData(0, 1), -1);
  EXPECT_EQ(S.Strings()->GetData(0, 5), 8);
  EXPECT_EQ(S.Strings()->GetData(0, 21), 8);
  EXPECT_EQ(S.Strings()->GetData(0, 22), -1);
  TOwned<TTestParser> NoUrlOwned;
  TTestParser& NoUrl = *NoUrlOwned;
  S.SetParser(&NoUrl);
  S.ParseToString(0);
  EXPECT_EQ(S.Strings()->GetData(0, 5), 32759);
  TOwned<TTestParser> WithUrlOwned(true);
  TTestParser& WithUrl = *WithUrlOwned;
  S.SetParser(&WithUrl);
  S.ParseToString(0);
  EXPECT_EQ(S.Strings()->GetData(0, 5), 3);
  S.SetParser(nullptr);
}

TEST(EasyEditSource, SecureAddressesAreMarkedLikePlainOnes) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  Load(S, "go https://example.com/x now");
  S.ParseToString(0);
  EXPECT_EQ(S.Strings()->GetData(0, 3), -1);
  EXPECT_EQ(S.Strings()->GetData(0, 4), 8);
  EXPECT_EQ(S.Strings()->GetData(0, 24), 8);
  EXPECT_EQ(S.Strings()->GetData(0, 25), -1);
}

TEST(EasyEditSource, LiveSpellingMarksWordsButNotTheOneBeingTyped) {
  TOwned<TEasyEditSource> SOwned(nullptr);
  TEasyEditSource& S = *SOwned;
  S.SetOptions(With({srLiveSpell}));
  S.OnWordSpell = [](TObject*, const std::string& Word, bool& Correct) { Correct = Word != "helo" && Word != "wrold"; };
  Load(S, "wrold ok");
  S.ParseToString(0);
  EXPECT_EQ(S.Strings()->GetData(0, 1), 65534 - 65536);
  EXPECT_EQ(S.Strings()->GetData(0, 7), -1);
  S.JumpTo(8, 0);
  S.BreakString();
  S.JumpTo(0, 1);
  TypeText(S, "helo");
  EXPECT_EQ(S.Strings()->GetData(1, 1), -1);
  S.UpdateSpelling(1);
  EXPECT_EQ(S.Strings()->GetData(1, 1), -2);
}
