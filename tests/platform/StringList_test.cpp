// Tests of TStrings and TStringList: sorting and duplicates, Find, CommaText, line splitting, name=value
// items, change events and loading/saving.
#include "platform/classes/Classes.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const TStrings& L) {
  std::vector<std::string> Result;
  for (Integer I = 0; I < L.Count(); ++I) {
    Result.push_back(L[I]);
  }
  return Result;
}

using TLines = std::vector<std::string>;

void Fill(TStrings& L, const TLines& Items) {
  L.Clear();
  for (const std::string& S : Items) {
    L.Add(S);
  }
}

template <class F> std::string StringListErrorOf(F&& Fn) {
  try {
    Fn();
  } catch (const EStringListError& E) {
    return E.Message();
  }
  return "no EStringListError";
}

TEST(StringListTest, SortedListKeepsOrderAndTreatsDuplicatesByMode) {
  TStringList L;
  L.SetSorted(true);
  for (const char* S : {"pear", "Apple", "fig", "apple"}) {
    L.Add(S);
  }
  // dupIgnore: "apple" equals "Apple" case-insensitively and returns its index without adding.
  EXPECT_EQ(Lines(L), (TLines{"Apple", "fig", "pear"}));
  EXPECT_EQ(L.Add("APPLE"), 0);

  L.SetDuplicates(dupError);
  EXPECT_EQ(StringListErrorOf([&] { L.Add("FIG"); }), "String list does not allow duplicates");
  EXPECT_EQ(L.Count(), 3);

  L.SetDuplicates(dupAccept);
  L.Add("fig");
  L.Add("Fig");
  Integer Index = -1;
  EXPECT_TRUE(L.Find("FIG", Index));
  EXPECT_EQ(Index, 1);  // the first of the three equal items
  EXPECT_FALSE(L.Find("grape", Index));
  EXPECT_EQ(Index, 4);  // where it would go
  EXPECT_EQ(L.IndexOf("PEAR"), 4);

  EXPECT_EQ(StringListErrorOf([&] { L.Insert(0, "x"); }), "Operation not allowed on sorted string list");
  EXPECT_EQ(StringListErrorOf([&] { L.SetStrings(0, "x"); }), "Operation not allowed on sorted string list");
  EXPECT_EQ(StringListErrorOf([&] { L.Move(0, 1); }), "Operation not allowed on sorted string list");
  EXPECT_EQ(L.Count(), 5);
}

TEST(StringListTest, CaseSensitivityDecidesIndexOfFindAndOrder) {
  TStringList L;
  Fill(L, {"b", "B", "a"});
  EXPECT_EQ(L.IndexOf("A"), 2);
  L.SetCaseSensitive(true);
  EXPECT_EQ(L.IndexOf("A"), -1);
  EXPECT_EQ(L.IndexOf("B"), 1);
  L.SetSorted(true);
  L.SetDuplicates(dupError);
  L.Add("A");  // distinct when case matters
  EXPECT_EQ(L.Count(), 4);
  Integer Index = -1;
  for (const std::string& S : Lines(L)) {
    EXPECT_TRUE(L.Find(S, Index)) << S;
    EXPECT_EQ(L[Index], S);
  }
  // Turning case sensitivity off re-sorts, so Find keeps working on the new order.
  L.SetCaseSensitive(false);
  for (Integer I = 1; I < L.Count(); ++I) {
    EXPECT_LE(AnsiCompareText(L[I - 1], L[I]), 0);
  }
  EXPECT_TRUE(L.Find("b", Index));
}

TEST(StringListTest, SortMatchesAReferenceSortOnManyDuplicates) {
  std::mt19937 Rng(7);
  TStringList L;
  std::vector<std::string> Ref;
  for (int I = 0; I < 3000; ++I) {
    std::string S = "k" + std::to_string(Rng() % 200);
    if (Rng() % 2) {
      S[0] = 'K';
    }
    L.AddObject(S, reinterpret_cast<TObject*>(static_cast<NativeInt>(I + 1)));
    Ref.push_back(S);
  }
  L.Sort();
  ASSERT_EQ(L.Count(), 3000);
  for (Integer I = 1; I < L.Count(); ++I) {
    ASSERT_LE(AnsiCompareText(L[I - 1], L[I]), 0) << I;
  }
  // Every item kept its object through the exchanges.
  for (Integer I = 0; I < L.Count(); ++I) {
    auto Original = reinterpret_cast<NativeInt>(L.Objects(I)) - 1;
    ASSERT_EQ(Ref[static_cast<std::size_t>(Original)], L[I]);
  }
}

struct TTextCase {
  const char* Name;
  std::string Text;
  TLines Expected;
};

class SetTextTest : public testing::TestWithParam<TTextCase> {};

TEST_P(SetTextTest, SplitsAtCrLfCrOrLf) {
  TStringList L;
  L.SetText(GetParam().Text);
  EXPECT_EQ(Lines(L), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Breaks, SetTextTest,
    testing::Values(TTextCase{"CrLf", "a\r\nb", {"a", "b"}}, TTextCase{"Cr", "a\rb", {"a", "b"}},
                    TTextCase{"Lf", "a\nb", {"a", "b"}}, TTextCase{"LfCrIsTwoBreaks", "a\n\rb", {"a", "", "b"}},
                    TTextCase{"EmptyLines", "a\n\nb\r\r\nc", {"a", "", "b", "", "c"}},
                    TTextCase{"TrailingBreakAddsNoLine", "a\r\n", {"a"}},
                    TTextCase{"OnlyABreak", "\r\n", {""}}, TTextCase{"Empty", "", {}},
                    TTextCase{"NulIsText", std::string("a\0b\nc", 5), {std::string("a\0b", 3), "c"}}),
    [](const testing::TestParamInfo<TTextCase>& Info) { return Info.param.Name; });

TEST(StringListTest, TextEndsEveryLineWithCrLf) {
  TStringList L;
  Fill(L, {"a", "", "b"});
  EXPECT_EQ(L.Text(), "a\r\n\r\nb\r\n");
  L.Clear();
  EXPECT_EQ(L.Text(), "");
}

struct TCommaCase {
  const char* Name;
  TLines Items;
  std::string Text;
};

class CommaTextTest : public testing::TestWithParam<TCommaCase> {};

TEST_P(CommaTextTest, QuotesWhereNeededAndRoundTrips) {
  TStringList L;
  Fill(L, GetParam().Items);
  EXPECT_EQ(L.CommaText(), GetParam().Text);
  TStringList Back;
  Back.SetCommaText(L.CommaText());
  EXPECT_EQ(Lines(Back), GetParam().Items);
}

INSTANTIATE_TEST_SUITE_P(
    Items, CommaTextTest,
    testing::Values(TCommaCase{"Plain", {"a", "b"}, "a,b"}, TCommaCase{"Blank", {"a b", "c"}, "\"a b\",c"},
                    TCommaCase{"Comma", {"a,b"}, "\"a,b\""}, TCommaCase{"Quote", {"say \"hi\""}, "\"say \"\"hi\"\"\""},
                    TCommaCase{"Tab", {"x\ty"}, "\"x\ty\""}, TCommaCase{"OneEmpty", {""}, "\"\""},
                    TCommaCase{"EmptyLast", {"a", ""}, "a,\"\""}, TCommaCase{"EmptyMiddle", {"a", "", "b"}, "a,\"\",b"},
                    TCommaCase{"None", {}, ""}, TCommaCase{"Apostrophe", {"it's"}, "it's"}),
    [](const testing::TestParamInfo<TCommaCase>& Info) { return Info.param.Name; });

TEST(StringListTest, SetCommaTextParsesBlanksQuotesAndEmptyItems) {
  const std::vector<std::pair<std::string, TLines>> Cases = {
      {"a b,c", {"a", "b", "c"}},
      {"  a ,  b  ", {"a", "b"}},
      {"a,,b", {"a", "", "b"}},
      {"a,", {"a", ""}},
      {"\"a\"\"b\",c", {"a\"b", "c"}},
      {"\"unterminated, still", {"unterminated, still"}},
      {"\"x\"y", {"x", "y"}},
      {"   ", {}},
  };
  for (const auto& [Text, Expected] : Cases) {
    TStringList L;
    L.SetCommaText(Text);
    EXPECT_EQ(Lines(L), Expected) << Text;
  }
  TStringList D;
  D.SetDelimiter(';');
  D.SetQuoteChar('\'');
  D.SetDelimitedText("a;'b;c' d");
  EXPECT_EQ(Lines(D), (TLines{"a", "b;c", "d"}));
  EXPECT_EQ(D.DelimitedText(), "a;'b;c';d");
}

TEST(StringListTest, NamesAndValues) {
  TStringList L;
  Fill(L, {"Width=10", "noequals", "Name=a=b"});
  EXPECT_EQ(L.Names(0), "Width");
  EXPECT_EQ(L.Names(1), "");
  EXPECT_EQ(L.Values("NAME"), "a=b");
  EXPECT_EQ(L.Values("missing"), "");
  EXPECT_EQ(L.IndexOfName("width"), 0);
  L.SetValues("width", "20");
  L.SetValues("Height", "5");
  L.SetValues("Name", "");  // an empty value deletes the item
  EXPECT_EQ(Lines(L), (TLines{"width=20", "noequals", "Height=5"}));
}

TEST(StringListTest, ChangeEventsFireOncePerChangeOrOncePerUpdate) {
  TStringList L;
  std::string Log;
  L.SetOnChanging([&](TObject* Sender) {
    EXPECT_EQ(Sender, &L);
    Log += "<";
  });
  L.SetOnChange([&](TObject*) { Log += ">"; });
  L.Add("a");
  L.Delete(0);
  EXPECT_EQ(Log, "<><>");
  Log.clear();
  L.BeginUpdate();
  L.BeginUpdate();
  L.Add("x");
  L.Add("y");
  L.EndUpdate();
  EXPECT_EQ(Log, "<");
  L.EndUpdate();
  EXPECT_EQ(Log, "<>");
  Log.clear();
  L.SetText("1\n2\n3");
  L.SetCommaText("1,2");
  EXPECT_EQ(Log, "<><>");
}

TEST(StringListTest, IndexErrorsNameTheIndexAndLoseNothing) {
  TStringList L;
  Fill(L, {"a", "b"});
  EXPECT_EQ(StringListErrorOf([&] { L.Strings(2); }), "List index out of bounds (2)");
  EXPECT_EQ(StringListErrorOf([&] { L.Delete(-1); }), "List index out of bounds (-1)");
  EXPECT_EQ(StringListErrorOf([&] { L.Insert(3, "z"); }), "List index out of bounds (3)");
  EXPECT_EQ(StringListErrorOf([&] { L.Move(0, 2); }), "List index out of bounds (2)");
  EXPECT_EQ(StringListErrorOf([&] { L.SetCapacity(1); }), "List capacity out of bounds (1)");
  EXPECT_EQ(Lines(L), (TLines{"a", "b"}));
}

TEST(StringListTest, MoveExchangeAndInsertKeepObjectsWithStrings) {
  TStringList L;
  TObject A;
  TObject B;
  L.AddObject("a", &A);
  L.AddObject("b", &B);
  L.Add("c");
  L.Move(0, 2);
  EXPECT_EQ(Lines(L), (TLines{"b", "c", "a"}));
  EXPECT_EQ(L.Objects(2), &A);
  L.Exchange(0, 2);
  EXPECT_EQ(L.Objects(0), &A);
  EXPECT_EQ(L.Objects(2), &B);
  L.InsertObject(1, "new", &B);
  EXPECT_EQ(L.IndexOfObject(&B), 1);
  EXPECT_EQ(L.Capacity(), 4);
}

TEST(StringListTest, AssignCopiesFromStringsAndRejectsOthers) {
  TStringList Src;
  TObject Obj;
  Src.AddObject("one", &Obj);
  Src.Add("two");
  TStringList Dst;
  Dst.Add("old");
  Dst.Assign(&Src);
  EXPECT_TRUE(Dst.Equals(&Src));
  EXPECT_EQ(Dst.Objects(0), &Obj);
  Dst.Add("three");
  EXPECT_FALSE(Dst.Equals(&Src));

  TOwnedCollection Other(nullptr, TCollectionItem::StaticClass());
  try {
    Dst.Assign(&Other);
    FAIL() << "no error";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "Cannot assign a TOwnedCollection to a TStringList");
  }
}

TEST(StringListTest, LoadsAndSavesTextThroughStreamsAndFiles) {
  TStringStream In(std::string("head\rone\r\ntwo\nlast", 18));
  In.SetPosition(5);  // loading starts at the stream's position
  TStringList L;
  L.LoadFromStream(&In);
  EXPECT_EQ(Lines(L), (TLines{"one", "two", "last"}));

  TStringStream Out;
  L.SaveToStream(&Out);
  EXPECT_EQ(Out.DataString(), "one\r\ntwo\r\nlast\r\n");

  std::string FileName = testing::TempDir() + "stringlist_roundtrip.txt";
  L.Add(std::string("bin\0\xff", 5));
  L.SaveToFile(FileName);
  TStringList Back;
  Back.LoadFromFile(FileName);
  EXPECT_TRUE(Back.Equals(&L));
  std::remove(FileName.c_str());
}

// The smallest TStrings descendant: the base class's defaults must carry everything else.
class TBareStrings : public TStrings {
public:
  std::vector<std::string> Items;
  std::string Log;
  void Clear() override { Items.clear(); }
  void Delete(Integer Index) override { Items.erase(Items.begin() + Index); }
  void Insert(Integer Index, const std::string& S) override { Items.insert(Items.begin() + Index, S); }

protected:
  std::string Get(Integer Index) const override { return Items.at(static_cast<std::size_t>(Index)); }
  Integer GetCount() const override { return static_cast<Integer>(Items.size()); }
  void SetUpdateState(bool Updating) override { Log += Updating ? "[" : "]"; }
};

TEST(StringsTest, BaseClassDefaultsWorkOverTheAbstractPrimitives) {
  TBareStrings L;
  L.SetText("c\nb=2\na");
  EXPECT_EQ(L.Log, "[]");
  L.Exchange(0, 2);
  L.Move(2, 0);
  EXPECT_EQ(L.Items, (TLines{"c", "a", "b=2"}));
  L.SetValues("B", "3");
  L.SetStrings(0, "first");
  EXPECT_EQ(L.Items, (TLines{"first", "a", "B=3"}));  // the name as given replaces the old one
  EXPECT_EQ(L.IndexOf("A"), 1);
  EXPECT_EQ(L.CommaText(), "first,a,B=3");
  EXPECT_EQ(L.Objects(0), nullptr);

  TStringList Copy;
  Copy.Assign(&L);
  EXPECT_TRUE(Copy.Equals(&L));
  L.Log.clear();
  L.Assign(&Copy);  // one update around the whole assignment
  EXPECT_EQ(L.Log, "[]");
  EXPECT_EQ(L.Text(), "first\r\na\r\nB=3\r\n");
}

}  // namespace
