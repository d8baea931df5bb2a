// Tests of the line store: saving and loading, style codes, folding, index conversion, lexing marks and search.
#include "editor/Easystrings.h"

#include "EditorTestSupport.h"
#include "platform/classes/Streams.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
std::string SaveText(TEasyStrings& S) {
  TStringStream Out("");
  S.SaveToStream(&Out);
  return Out.DataString();
}

void LoadText(TEasyStrings& S, const std::string& Text) {
  TStringStream In(Text);
  S.LoadFromStream(&In);
}
}  // namespace

TEST(EasyStrings, SaveWritesEveryLineWithItsBreakAndNothingForAnEmptyStore) {
  TEasyStrings S;
  EXPECT_EQ(SaveText(S), "");
  S.Add("a");
  S.Add("");
  S.Add("b");
  S.LineBreakStyle = lbsLF;
  EXPECT_EQ(SaveText(S), std::string("a\n\nb\n"));
  S.LineBreakStyle = lbsCR;
  EXPECT_EQ(SaveText(S), std::string("a\r\rb\r"));
  S.LineBreakStyle = lbsCRLF;
  EXPECT_EQ(SaveText(S), std::string("a\r\n\r\nb\r\n"));
}

TEST(EasyStrings, LoadSplitsAtEveryBreakKindAndKeepsAllOtherBytes) {
  TEasyStrings S;
  LoadText(S, "one\r\ntwo\rthree\nfour\n\nlast");
  EXPECT_EQ(Lines(&S), (std::vector<std::string>{"one", "two", "three", "four", "", "last"}));

  std::string All;
  for (int C = 0; C < 256; ++C) {
    if (C != '\r' && C != '\n') {
      All += static_cast<char>(C);
    }
  }
  LoadText(S, All + "\n" + All + "\n");
  ASSERT_EQ(S.Count(), 2);
  EXPECT_EQ(S.GetStr(0), All);
  S.LineBreakStyle = lbsLF;
  EXPECT_EQ(SaveText(S), All + "\n" + All + "\n");
}

namespace {
// The lines of Text split at CR LF, CR or LF, the simple way.
std::vector<std::string> SplitPlainly(const std::string& Text) {
  std::vector<std::string> Out;
  std::string Line;
  bool Open = false;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == '\r' || Text[I] == '\n') {
      Out.push_back(Line);
      Line.clear();
      Open = false;
      if (Text[I] == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n') {
        ++I;
      }
    } else {
      Line += Text[I];
      Open = true;
    }
  }
  if (Open) {
    Out.push_back(Line);
  }
  return Out;
}

// A stream that fails to read after its first Limit bytes.
class TFailingStream : public TStringStream {
public:
  TFailingStream(std::string Text, LongInt ALimit) : TStringStream(std::move(Text)), Limit(ALimit) {}
  LongInt Read(void* Buffer, LongInt Count) override {
    const LongInt Allowed = std::max<LongInt>(0, std::min<LongInt>(Count, Limit - static_cast<LongInt>(Position())));
    return TStringStream::Read(Buffer, Allowed);
  }
  LongInt Limit;
};
}  // namespace

// A large stream is read a piece at a time: breaks split between pieces (CR LF halves, a CR at a piece's end),
// lines longer than a piece, and a CR at the very end all split as a whole text does.
TEST(EasyStrings, LoadingALargeStreamSplitsAsTheWholeTextDoes) {
  std::string Text;
  unsigned Seed = 99;
  while (Text.size() < (7u << 19)) {
    Seed = Seed * 1103515245u + 12345u;
    const unsigned R = (Seed >> 8) % 100;
    Text += R < 2 ? '\n' : (R < 3 ? '\r' : static_cast<char>('a' + R % 26));
  }
  Text += std::string(1500000, 'L');  // a line over more than one piece
  // A break at every boundary a piece of a power of two in size could have: CR LF split across it, or a lone CR
  // before it.
  for (std::size_t K = 1; (K << 14) < Text.size(); ++K) {
    const std::size_t At = (K << 14) - 1;
    Text[At] = '\r';
    Text[At + 1] = K % 2 == 0 ? '\n' : 'x';
  }
  Text += "\r";
  TEasyStrings S;
  LoadText(S, Text);
  EXPECT_TRUE(Lines(&S) == SplitPlainly(Text));
  TEasyStrings Whole;
  Whole.SetTextBuffer(Text.data(), Text.size());
  EXPECT_TRUE(Lines(&S) == Lines(&Whole));
}

TEST(EasyStrings, AFailedReadLeavesTheLinesAsTheyWere) {
  TEasyStrings S;
  LoadText(S, "kept\nlines");
  TFailingStream In(std::string(3 << 20, 'a') + "\nb", 1 << 21);
  EXPECT_THROW(S.LoadFromStream(&In), EReadError);
  EXPECT_EQ(Lines(&S), (std::vector<std::string>{"kept", "lines"}));
}

TEST(EasyStrings, StyleCodesOfAnUnlexedLineAreNone) {
  TEasyStrings S;
  S.Add("abc");
  EXPECT_EQ(S.GetData(0, 1), -1);
  EXPECT_EQ(S.GetData(5, 1), -1);
  S.GetItem(0)->Styles.Mutable().assign(6, '\0');
  S.PutData(0, 2, 2, 7);
  EXPECT_EQ(S.GetData(0, 1), 0);
  EXPECT_EQ(S.GetData(0, 2), 7);
  EXPECT_EQ(S.GetData(0, 3), 7);
  EXPECT_EQ(S.GetData(0, 4), -1);
}

TEST(EasyStrings, BadIndexesAreIgnoredAndGiveNeutralValues) {
  TEasyStrings S;
  S.Add("x");
  S.Put(3, "y");
  S.Delete(-1);
  S.Insert(5, "z");
  EXPECT_EQ(S.Count(), 1);
  EXPECT_EQ(S.Get(9), "");
  EXPECT_EQ(S.GetObject(9), nullptr);
  EXPECT_EQ(S.GetState(9), 0);
  EXPECT_TRUE(S.GetVisible(9));
  EXPECT_TRUE(S.GetLineVisible(9));
}

TEST(EasyStrings, ClearOnAnEmptyStoreSendsNoChange) {
  TEasyStrings S;
  int Changes = 0;
  S.OnChange = [&](TObject*) { ++Changes; };
  S.Clear();
  EXPECT_EQ(Changes, 0);
  S.Add("a");
  S.Clear();
  EXPECT_EQ(Changes, 2);
}

TEST(EasyStrings, AnUpdateReportsOneChangeWithTheWholeRange) {
  TEasyStrings S;
  S.Add("a");
  S.Add("b");
  S.Add("c");
  int Changes = 0;
  S.OnChange = [&](TObject*) { ++Changes; };
  S.BeginUpdate();
  S.Put(2, "C");
  S.Put(1, "B");
  S.EndUpdate();
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(S.FirstChanged, 1);
  EXPECT_EQ(S.LastChanged, 2);
}

class EasyStringsFolding : public ::testing::Test {
protected:
  // Line 1 heads a block of lines 2-4 (level 1) with a nested block headed by line 3 (line 4, level 2).
  void SetUp() override {
    for (int I = 0; I < 7; ++I) {
      S.Add("line" + std::to_string(I));
    }
    S.SetHideLines(true);
    for (int I = 2; I <= 4; ++I) {
      S.SetLevel(I, I == 4 ? 2 : 1);
      S.GetItem(I)->Flags |= sfHidden;
    }
  }
  std::vector<int> Hidden() {
    std::vector<int> R;
    for (int I = 0; I < S.Count(); ++I) {
      if (!S.GetLineVisible(I)) {
        R.push_back(I);
      }
    }
    return R;
  }
  TEasyStrings S;
};

TEST_F(EasyStringsFolding, CollapseHidesTheBodyAndExpandOpensNestedBlocks) {
  S.SetCollapsed(3, true);
  S.SetCollapsed(1, true);
  EXPECT_EQ(Hidden(), (std::vector<int>{2, 3, 4}));
  EXPECT_EQ(S.GetVisibleCount(), 4);
  S.SetExpanded(1, true);
  EXPECT_EQ(Hidden(), std::vector<int>{});
  EXPECT_TRUE(S.GetExpanded(3));
  EXPECT_FALSE(S.GetCollapsed(3));
}

TEST_F(EasyStringsFolding, InsertingAboveAHiddenLineKeepsItHidden) {
  S.SetCollapsed(1, true);
  S.Insert(0, "new");
  EXPECT_EQ(Hidden(), (std::vector<int>{3, 4, 5}));
  EXPECT_TRUE(S.GetLineVisible(0));
  S.Delete(0);
  EXPECT_EQ(Hidden(), (std::vector<int>{2, 3, 4}));
  S.Delete(3);
  EXPECT_EQ(Hidden(), (std::vector<int>{2, 3}));
}

TEST_F(EasyStringsFolding, HidingALineBelowAShownOpenLineOnlyMarksIt) {
  S.SetVisible(6, false);
  EXPECT_FALSE(S.GetVisible(6));
  EXPECT_TRUE(S.GetLineVisible(6));
  S.SetVisible(0, false);
  EXPECT_FALSE(S.GetLineVisible(0));
}

TEST_F(EasyStringsFolding, VisibleAndRealIndexesConvertAroundRunsOfHiddenLines) {
  S.SetCollapsed(1, true);  // hides 2, 3, 4
  S.SetVisible(6, false);
  S.SetLineVisible(6, false);  // and 6 on its own
  const int RealToRow[] = {0, 1, 2, 2, 2, 2, 3};
  for (int Line = 0; Line < 7; ++Line) {
    EXPECT_EQ(S.RealToVisibleLineIndex(Line), RealToRow[Line]) << "line " << Line;
  }
  const int RowToReal[] = {0, 1, 5, 7};
  for (int Row = 0; Row < 4; ++Row) {
    EXPECT_EQ(S.VisibleToRealLineIndex(Row), RowToReal[Row]) << "row " << Row;
  }
  S.SetHideLines(false);
  EXPECT_EQ(S.RealToVisibleLineIndex(4), 4);
  EXPECT_EQ(S.GetHiddenCount(), 0);
}

TEST(EasyStrings, ClearedLexingMarksFollowTheirLines) {
  TEasyStrings S;
  for (int I = 0; I < 500; ++I) {
    S.Add("x");
    S.SetParsed(I);
  }
  S.ClearParsed(300, INT_MAX);
  EXPECT_TRUE(S.IsParsed(299));
  EXPECT_FALSE(S.IsParsed(300));
  EXPECT_FALSE(S.IsParsed(499));
  // A line inserted above moves the mark with the lines it covers.
  S.Insert(10, "y");
  EXPECT_TRUE(S.IsParsed(300));
  EXPECT_FALSE(S.IsParsed(301));
  S.Delete(0);
  S.Delete(0);
  EXPECT_TRUE(S.IsParsed(298));
  EXPECT_FALSE(S.IsParsed(299));
  S.SetParsed(400);
  EXPECT_TRUE(S.IsParsed(400));
  EXPECT_FALSE(S.IsParsed(401));
  S.ClearParsed(5, 5);
  EXPECT_FALSE(S.IsParsed(5));
  EXPECT_TRUE(S.IsParsed(6));
}

struct TSearchCase {
  const char* Name;
  std::vector<std::string> Text;
  std::string Find;
  bool Forward;
  bool WholeWords;
  bool CaseSensitive;
  TPoint Start;
  bool Found;
  TPoint At;
};

class EasySearch : public ::testing::TestWithParam<TSearchCase> {};

TEST_P(EasySearch, FindsAsExpected) {
  const TSearchCase& C = GetParam();
  TEasyStrings S;
  for (const auto& L : C.Text) {
    S.Add(L);
  }
  TEasySearchParams P;
  if (C.Forward) P.Include(srpForward);
  if (C.WholeWords) P.Include(srpWholeWords);
  if (C.CaseSensitive) P.Include(srpCaseSensitive);
  TPoint Pos = C.Start;
  int Len = 0;
  const TEasyCharSet Delims = MakeCharSet({'\0', '.', ','}, {{'\x02', ' '}});
  EXPECT_EQ(SearchInStrings(C.Find, &S, P, Delims, Pos, Len), C.Found);
  if (C.Found) {
    EXPECT_EQ(Pos, C.At);
    EXPECT_EQ(Len, static_cast<int>(C.Find.size()));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EasySearch,
    ::testing::Values(
        TSearchCase{"ForwardIgnoresCase", {"xx", "a Word"}, "word", true, false, false, {1, 0}, true, {3, 1}},
        TSearchCase{"ForwardCaseSensitiveMisses", {"a Word"}, "word", true, false, true, {1, 0}, false, {}},
        TSearchCase{"ForwardWholeWordSkipsTail", {"sword word"}, "word", true, true, false, {1, 0}, true, {7, 0}},
        TSearchCase{"ForwardWholeWordSkipsHead", {"words, word"}, "word", true, true, false, {1, 0}, true, {8, 0}},
        TSearchCase{"ForwardWholeWordNextLine", {"swordfish", "word"}, "word", true, true, false, {1, 0}, true, {1, 1}},
        TSearchCase{"ForwardFromColumn", {"ab ab"}, "ab", true, false, false, {2, 0}, true, {4, 0}},
        TSearchCase{"ForwardNeverMatchesTrailingBlanks", {"ab   ", "c"}, " ", true, false, false, {3, 0}, false, {}},
        TSearchCase{"BackwardWholeWordSkipsTail", {"word sword"}, "word", false, true, false, {10, 0}, true, {1, 0}},
        TSearchCase{"BackwardFromBeyondEnd", {"ab ab   "}, "ab", false, false, false, {40, 0}, true, {4, 0}},
        TSearchCase{"BackwardPreviousLine", {"ab", "xx"}, "ab", false, false, false, {2, 1}, true, {1, 0}},
        TSearchCase{"BackwardNeverMatchesTrailingBlanks", {"a  "}, " ", false, false, false, {3, 0}, false, {}},
        TSearchCase{"WholeWordPhrase", {"see foo bar."}, "foo bar", true, true, false, {1, 0}, true, {5, 0}},
        TSearchCase{"EmptyText", {"abc"}, "", true, false, false, {1, 0}, false, {}}),
    [](const ::testing::TestParamInfo<TSearchCase>& Info) { return std::string(Info.param.Name); });
