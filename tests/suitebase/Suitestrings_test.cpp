// The suite's string routines, its sorted string lists, and the text search over the lines of a page.
#include "suitebase/Suitestrings.h"

#include "platform/rtl/DateUtils.h"
#include "support/Corpus.h"

#include <gtest/gtest.h>

using namespace Vivaridiriz;
using namespace Dorazori;

namespace {
std::string Lines(TStrings& L) {
  std::string R;
  for (Integer I = 0; I < L.Count(); ++I) {
    R += "[" + L.Strings(I) + "]";
  }
  return R;
}
}  // namespace

TEST(SuiteStrings, ThePartsExamples) {
  EXPECT_EQ(PosEx("ab", "xxabab", 4), 5);
  EXPECT_EQ(PosEx("ab", "xxabab", 6), 0);
  EXPECT_EQ(PosEx("", "xxabab", 1), 0);
  EXPECT_EQ(PosEx("abcdefg", "abc", 1), 0);
  EXPECT_EQ(BackPosEx("ab", "xxabab", 4), 3);
  EXPECT_EQ(BackPosEx("ab", "xxabab", 6), 5);
  EXPECT_EQ(BackPosEx("ab", "xxabab", 2), 0);
  EXPECT_EQ(GetWordPos("  one two", 2, DefaultWordSeparators()), 5);
  EXPECT_EQ(GetWordPos("  one two", 3, DefaultWordSeparators()), -1);
  EXPECT_EQ(GetWord("  one two  ", 2), "two");
  std::string S = "aaa";
  ReplaceAllOccur(S, "a", "aa");
  EXPECT_EQ(S, "aaaaaa");
  S = "Abc aBC";
  ReplaceAllOccurEx(S, "abc", "x", true);
  EXPECT_EQ(S, "x x");
  EXPECT_EQ(ExtractQuotedStr("'it''s'", '\''), "it's");
  EXPECT_EQ(ExtractQuotedStr("'", '\''), "'");
  TStringList L;
  ParseAndCompactString(" a ; ;b", ';', &L);
  EXPECT_EQ(Lines(L), "[a][b]");
  EXPECT_EQ(DCUnParseString(&L, ";"), "a;b;");
  EXPECT_EQ(DCUnParseStringEx(&L, ";", false), "a;b");
  L.Add("");
  EXPECT_EQ(DCUnParseStringEx(&L, ";", false), "a;b");
  EXPECT_EQ(StringsToString(&L, ','), "a,b,");
  EXPECT_EQ(StrArrayToDelimStr({"x", "", "y"}, '|'), "x|y");
  EXPECT_EQ(AddCharOccurence("a-b", '-', 2), "a---b");
  EXPECT_EQ(RemoveNonIdentChars("a1_b.C"), "a_bC");
  EXPECT_EQ(TrimSeparators("..a.b..", TCharSet{'.'}), "a.b");
  EXPECT_EQ(GetFirstNotSpace("   "), 4);
  std::string Padded = "ab";
  AddBackSpaces(Padded, 4);
  EXPECT_EQ(Padded, "ab  ");
  EXPECT_EQ(RemoveStrSet("ab", "AxBxab", false), "xx");
}

TEST(SuiteStrings, CountedStringsAndListRoutines) {
  TStringList L;
  AddToCountedStrings(&L, "x");
  AddToCountedStrings(&L, "x");
  RemoveFromCountedStrings(&L, "x");
  EXPECT_EQ(L.Count(), 1);
  RemoveFromCountedStrings(&L, "x");
  EXPECT_EQ(L.Count(), 0);
  TList Items;
  int A = 0, B = 0, C = 0;
  Items.Add(&A);
  Items.Add(&B);
  Items.Add(&C);
  std::vector<Integer> Visited;
  EXPECT_FALSE(ForEachListItem(&Items, [&](TObject*, Integer Index, bool& Continue) {
    Visited.push_back(Index);
    Items.Delete(Index);  // deletions during the walk are tolerated
    Continue = Index != 1;
  }));
  EXPECT_EQ(Visited, (std::vector<Integer>{2, 1}));
}

TEST(SortedStringLists, FastListIgnoresAsciiCaseAndTheCaseSensitiveOneDoesNot) {
  TFastStringList Fast;
  ZEZCaseSensitiveStringList Exact;
  for (TStringList* L : {static_cast<TStringList*>(&Fast), static_cast<TStringList*>(&Exact)}) {
    for (const char* W : {"delta", "Bravo", "alpha", "Charlie"}) {
      (void)L->Add(W);
    }
    L->SetSorted(true);
  }
  EXPECT_EQ(Lines(Fast), "[alpha][Bravo][Charlie][delta]");
  EXPECT_EQ(Lines(Exact), "[Bravo][Charlie][alpha][delta]");
  Integer Index = -1;
  EXPECT_TRUE(Fast.Find("ALPHA", Index));
  EXPECT_EQ(Index, 0);
  EXPECT_FALSE(Exact.Find("ALPHA", Index));
  EXPECT_TRUE(Exact.Find("alpha", Index));
  EXPECT_EQ(Index, 2);
}

namespace {
// The reference: every match, scanned one position at a time.
bool NaiveFind(const std::vector<std::string>& Lines, const std::string& S, bool Back, bool Whole,
               const TCharSet& Delims, TPoint& Pos) {
  const std::string U = AnsiUpperCase(S);
  auto MatchAt = [&](const std::string& Line, Integer X) {
    if (X < 1 || X + static_cast<Integer>(U.size()) - 1 > static_cast<Integer>(Line.size()) ||
        Line.compare(static_cast<std::size_t>(X) - 1, U.size(), U) != 0) {
      return false;
    }
    if (!Whole) {
      return true;
    }
    const std::size_t B = static_cast<std::size_t>(X) - 1;
    const std::size_t E = B + U.size();
    if (B > 0 && !Delims.Contains(Line[B - 1])) {
      return false;
    }
    for (std::size_t I = B; I < E; ++I) {
      if (Delims.Contains(Line[I])) {
        return false;
      }
    }
    return E >= Line.size() || Delims.Contains(Line[E]);
  };
  if (!Back) {
    for (Integer Y = Pos.Y, X = Pos.X; Y < static_cast<Integer>(Lines.size()); ++Y, X = 1) {
      const std::string Line = AnsiUpperCase(Lines[static_cast<std::size_t>(Y)]);
      for (; X <= static_cast<Integer>(Line.size()); ++X) {
        if (MatchAt(Line, X)) {
          Pos = TPoint{X, Y};
          return true;
        }
      }
    }
    return false;
  }
  for (Integer Y = Pos.Y, X = Pos.X; Y >= 0; --Y) {
    std::string Line = AnsiUpperCase(Lines[static_cast<std::size_t>(Y)]);
    while (!Line.empty() && Line.back() == ' ') {
      Line.pop_back();
    }
    for (X = std::min<Integer>(X, static_cast<Integer>(Line.size())); X >= 1; --X) {
      if (MatchAt(Line, X)) {
        Pos = TPoint{X, Y};
        return true;
      }
    }
    X = Y > 0 ? static_cast<Integer>(Lines[static_cast<std::size_t>(Y) - 1].size()) : 0;
  }
  return false;
}
}  // namespace

TEST(FindInStringsEx, AgreesWithANaiveSearchOverARealPage) {
  TStringList Page;
  const std::string Text = ReadCorpusFile("html/FAQ.html");
  ASSERT_FALSE(Text.empty());
  Page.SetText(Text.substr(0, 6000));
  std::vector<std::string> Raw;
  for (Integer I = 0; I < Page.Count(); ++I) {
    Raw.push_back(Page.Strings(I));
  }
  const TCharSet Delims = TCharSet::Range('\0', '/') + TCharSet::Range(':', '@') + TCharSet{'[', ']', '{', '}'};
  for (const std::string Needle : {"the", "a", "HTML", "xml", "<p>"}) {
    for (const bool Back : {false, true}) {
      for (const bool Whole : {false, true}) {
        // Start from every 7th position of every line (and past the ends).
        for (Integer Y = 0; Y < Page.Count(); Y += 3) {
          for (Integer X = 1; X <= static_cast<Integer>(Raw[static_cast<std::size_t>(Y)].size()) + 1; X += 7) {
            TSearchParams Params;
            if (Back) {
              Params.Include(spBackSearch);
            }
            if (Whole) {
              Params.Include(spWholeWords);
            }
            TPoint Got{X, Y};
            TPoint Want{X, Y};
            Integer Len = 0;
            const bool Found = FindInStringsEx(Needle, &Page, Params, Delims, Got, Len);
            const bool Expected = NaiveFind(Raw, Needle, Back, Whole, Delims, Want);
            ASSERT_EQ(Found, Expected) << Needle << " from " << X << "," << Y << " back " << Back << " whole " << Whole;
            if (Found) {
              ASSERT_EQ(Got, Want) << Needle << " from " << X << "," << Y << " back " << Back << " whole " << Whole;
              ASSERT_EQ(Len, static_cast<Integer>(std::string(Needle).size()));
            }
          }
        }
      }
    }
  }
}

TEST(FindInStringsEx, AForwardSearchPastTheLastMatchFailsAndAMatcherCanStandIn) {
  TStringList Page;
  Page.SetText("one\ntwo\n");
  TPoint Pos{1, 1};
  Integer Len = 0;
  EXPECT_FALSE(FindInStringsEx("one", &Page, {}, TCharSet(), Pos, Len));
  EXPECT_TRUE(FindFirstInStrings("TWO", &Page, false, nullptr, Len, Pos));
  EXPECT_EQ(Pos, (TPoint{1, 1}));
  EXPECT_FALSE(FindFirstInStrings("TWO", &Page, true, nullptr, Len, Pos));
  // A matcher that finds the letter "w" wherever it is.
  const TFindExpression FindW = [](const std::string& S, Integer& AStart, Integer& ALen, bool) {
    const std::size_t At = S.find('w', static_cast<std::size_t>(AStart) - 1);
    AStart = At == std::string::npos ? 0 : static_cast<Integer>(At) + 1;
    ALen = 1;
    return At != std::string::npos;
  };
  EXPECT_TRUE(FindFirstInStrings("w", &Page, false, FindW, Len, Pos));
  EXPECT_EQ(Pos, (TPoint{2, 1}));
}

TEST(SuiteStrings, MonthNamesSortedListsAndRawLists) {
  EXPECT_EQ(ShortMonthNameToIndex(AnsiUpperCase(ShortMonthNames[3])), 3);
  EXPECT_EQ(ShortMonthNameToIndex("nomonth"), -1);
  EXPECT_GE(CurrentYear(), 2024);
  TStringList* Sorted = CreateSortedStringListEx(TFastStringList::StaticClass());
  EXPECT_TRUE(Sorted->Is<TFastStringList>());
  EXPECT_TRUE(Sorted->Sorted());
  (void)Sorted->AddObject("b", new TObject());
  TStrings* AsStrings = Sorted;
  FreeStrings(AsStrings);  // frees the object too; the sanitizer build checks
  EXPECT_EQ(AsStrings, nullptr);
  TList* Raw = nullptr;
  CreateListIfEmpty(Raw);
  Raw->Add(GetMem(10));
  DisposeList(Raw);
  EXPECT_EQ(Raw, nullptr);
}
