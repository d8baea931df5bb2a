// Tests of formatted-text attributes and paragraphs, and of the prefix-searched keyword list.
#include "editor/Easyattributes.h"
#include "editor/Easyfaststrings.h"

#include <gtest/gtest.h>

namespace {
class TCountingAttributes : public TCustomEasyEditorAttributes {
public:
  int Updates = 0;
  void Update() override { ++Updates; }
};
}  // namespace

TEST(EasyAttributes, SettingTheCurrentValueUpdatesOnlyUntilTheAttributeIsGiven) {
  TCountingAttributes A;
  A.SetSize(0);  // equal, but not given yet
  EXPECT_EQ(A.Updates, 1);
  A.SetSize(0);
  EXPECT_EQ(A.Updates, 1);
  A.SetStyle(TEasyFontStyles{fsBold});
  EXPECT_TRUE(A.GetConsistentAttributes().Contains(caBold));
  EXPECT_FALSE(A.GetConsistentAttributes().Contains(caItalic));
  A.SetScriptStyle(ssSuperScript);
  A.SetScriptStyle(ssSubScript);
  EXPECT_TRUE(A.GetConsistentAttributes().Contains(caSubScript));
  EXPECT_FALSE(A.GetConsistentAttributes().Contains(caSuperScript));
}

TEST(EasyAttributes, NumberingSetsTheHangingIndent) {
  TCustomEasyParagraph P;
  P.SetNumber(5);
  P.SetNumbering(nbsBullet);
  EXPECT_EQ(P.FirstIndent(), -24);
  EXPECT_EQ(P.LeftIndent(), 48);
  EXPECT_EQ(P.Number(), 1);
  EXPECT_EQ(P.GetNumberString(), std::string(1, static_cast<char>(183)));
  P.SetNumbering(nbsNumber);
  P.SetNumber(3);
  EXPECT_EQ(P.GetNumberString(), "3.");
}

TEST(EasyFastStrings, FindsBufferPrefixesAndLongestEntries) {
  TFastStringList L(false);
  for (const char* W : {"end", "END IF", "else", "e"}) {
    L.Add(W);
  }
  EXPECT_TRUE(L.HasSpaces());
  Integer Index = -1;
  const char* Buffer = "ELSE x";
  EXPECT_TRUE(L.FindEx(Buffer, 4, Index));
  EXPECT_EQ(L.Strings(Index), "else");
  // A multi-word entry does not match the beginning of a longer word.
  const char* Longer = "end iffy";
  EXPECT_FALSE(L.FindEx(Longer, 6, Index));
  const char* Exact = "end if;";
  EXPECT_TRUE(L.FindEx(Exact, 6, Index));
  TFastStringList K(true);
  for (const char* W : {"a", "ab", "abc", "b"}) {
    K.Add(W);
  }
  Index = 0;
  int Length = 4;
  EXPECT_TRUE(K.FindLastEx("abcz", Index, Length));
  EXPECT_EQ(K.Strings(Index), "abc");
  EXPECT_EQ(Length, 3);
}
