// The memo source's line store: growth, reads and writes out of range, the read hook, the text form, and positions.
#include "codeeditor/Dcstringlines.h"

#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

using namespace Dcstring;

namespace {
class TTaggedItem : public TStringItem {
  Z_CLASS(TTaggedItem, TStringItem)
public:
  TTaggedItem() = default;
};
}  // namespace

Z_IMPLEMENT_CLASS(TTaggedItem, TStringItem)

TEST(Dcstringlines, GrowsByHalfAtLeast64) {
  TInternalStrings L;
  EXPECT_EQ(L.Capacity(), 0);
  L.Add("a");
  EXPECT_EQ(L.Capacity(), 64);
  for (int I = 1; I < 65; ++I) {
    L.Add("x");
  }
  EXPECT_EQ(L.Capacity(), 128);
  for (int I = 65; I < 129; ++I) {
    L.Add("x");
  }
  EXPECT_EQ(L.Capacity(), 192);
  L.Clear();
  EXPECT_EQ(L.Count(), 0);
  EXPECT_EQ(L.Capacity(), 0);
}

TEST(Dcstringlines, OutOfRangeReadsEmptyAndWritesNothing) {
  TInternalStrings L;
  L.Add("one");
  L.Add("two");
  EXPECT_EQ(L.Strings(5), "");
  EXPECT_EQ(L.Strings(-1), "");
  EXPECT_EQ(L.Objects(5), nullptr);
  L.SetStrings(5, "x");
  L.SetObjects(5, &L);
  L.Delete(7);
  L.Delete(-1);
  L.Insert(3, "beyond");  // only 0 to Count
  L.Exchange(0, 1);       // does nothing
  EXPECT_EQ(L.Text(), "one\r\ntwo");
  L.Insert(2, "three");
  L.Insert(0, "zero");
  EXPECT_EQ(L.Text(), "zero\r\none\r\ntwo\r\nthree");
}

TEST(Dcstringlines, PutClearsTheParsedStateAndTheHookExpandsReads) {
  TInternalStrings L;
  L.Add("a\tb");
  L.Items(0)->ItemState.Include(isWasParsed);
  L.Items(0)->ItemState.Include(isReadOnly);
  L.SetStrings(0, "c\td");
  EXPECT_FALSE(L.Items(0)->ItemState.Contains(isWasParsed));
  EXPECT_TRUE(L.Items(0)->ItemState.Contains(isReadOnly));
  L.SetReadHook([](const std::string& Raw) {
    std::string S = Raw;
    std::replace(S.begin(), S.end(), '\t', ' ');
    return S;
  });
  EXPECT_EQ(L.Strings(0), "c d");
  EXPECT_EQ(L.GetRaw(0), "c\td");
  L.IgnoreTabs = true;
  EXPECT_EQ(L.Strings(0), "c\td");
  EXPECT_EQ(L.Text(), "c\td");  // the text form is the stored text
}

TEST(Dcstringlines, TextDropsOnlyTheFinalLineBreak) {
  TInternalStrings L;
  EXPECT_EQ(L.Text(), "");
  L.Add("");
  EXPECT_EQ(L.Text(), "");
  L.Add("");
  EXPECT_EQ(L.Text(), "\r\n");
  L.Clear();
  L.Add("a\r");  // a line that itself ends in CR loses it with the break: at most two characters go
  EXPECT_EQ(L.Text(), "a\r");
}

TEST(Dcstringlines, ItemsComeFromTheItemClass) {
  TInternalStrings L;
  L.SetItemClass(TTaggedItem::StaticClass());
  L.AddObject("x", &L);
  EXPECT_NE(dynamic_cast<TTaggedItem*>(L.Items(0)), nullptr);
  EXPECT_EQ(L.Objects(0), &L);
}

TEST(Dcstringlines, Positions) {
  TCollection Positions(TPosition::StaticClass());
  auto* A = static_cast<TPosition*>(Positions.Add());
  auto* B = static_cast<TPosition*>(Positions.Add());
  A->SetPosition(4, 9);
  EXPECT_EQ(A->CharPos, 4);
  EXPECT_EQ(A->LinePos, 9);
  EXPECT_FALSE(A->SameAs(B));
  B->Assign(A);
  EXPECT_TRUE(A->SameAs(B));
  EXPECT_FALSE(A->SameAs(nullptr));
}
