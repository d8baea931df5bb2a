// Tests of word splitting, the string cursor and the ignore filters.
#include "spell/Lx3parseengine.h"

#include "SpellTestUtil.h"
#include "spell/Lx3ignore.h"
#include "support/Corpus.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Splits Text as the spell component does: the filters that act before the check skip text and words.
std::vector<std::string> Split(std::string Text, std::vector<TParserIgnore*> Filters = {}, bool French = false,
                               int Mode = 2) {
  TStringParser Cursor;
  Cursor.Initialize(&Text);
  TMainParsingEngine Engine;
  Engine.SetFrenchExceptions(French);
  Engine.OnInlineIgnore = [&](char Ch, TControlParser* P, bool& Ignore) {
    for (auto* F : Filters) {
      if (F->NeededBeforeCheck() && F->ExecuteIgnore(Ch, P)) {
        Ignore = true;
        return;
      }
    }
  };
  Engine.OnPreCheckIgnore = [&](const std::string& W, TControlParser* P, bool& Ignore) {
    for (auto* F : Filters) {
      if (F->NeededBeforeCheck() && F->ExecuteWordIgnorePreCheck(W, P)) {
        Ignore = true;
        return;
      }
    }
  };
  Engine.Initialize(&Cursor, Mode);
  std::vector<std::string> Words;
  for (std::string W = Engine.NextWord(); !W.empty(); W = Engine.NextWord()) {
    Words.push_back(W);
  }
  return Words;
}

using Words = std::vector<std::string>;

}  // namespace

TEST(Lx3parseengine, SplitsWordsWithApostrophesPeriodsAndAmpersands) {
  struct Case {
    const char* Name;
    const char* Text;
    Words Expected;
  };
  const Case Cases[] = {
      {"apostrophe inside", "I can't go", {"I", "can't", "go"}},
      {"quotes around", "'quoted' and \"double\"", {"quoted", "and", "double"}},
      {"abbreviation keeps its period", "see e.g. this", {"see", "e.g.", "this"}},
      {"full stop cut", "The end. Next", {"The", "end", "Next"}},
      {"decimal number", "pi is 3.14 here", {"pi", "is", "3.14", "here"}},
      {"ampersand starts a word", "AT&T rocks", {"AT", "&T", "rocks"}},
      {"letters and digits", "abc123 x", {"abc123", "x"}},
      {"last word without a following character", "last word", {"last", "word"}},
      {"empty", "", {}},
      {"only punctuation", " ,.;!", {}},
      {"Latin-1 letters", "caf\xE9 na\xEFve", {"caf\xE9", "na\xEFve"}},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(Split(C.Text), C.Expected) << C.Name;
  }
}

TEST(Lx3parseengine, FrenchElisionsSplitExceptFixedWords) {
  EXPECT_EQ(Split("l'homme aujourd'hui entr'acte", {}, true), (Words{"l", "homme", "aujourd'hui", "entr'acte"}));
  EXPECT_EQ(Split("l'homme", {}, false), (Words{"l'homme"}));
}

TEST(Lx3parseengine, HtmlFilterSkipsTagsCommentsAndServerBlocks) {
  THTMLIgnore Html;
  const std::string Page =
      "<html><!-- a comment here --><p class=\"x\">Some <b>bold</b> text</p>"
      "<% server code %><?php echo 'hi'; ?><!DOCTYPE html>&amp; end";
  EXPECT_EQ(Split(Page, {&Html}), (Words{"Some", "bold", "text", "&amp", "end"}));
  EXPECT_TRUE(Html.ExecuteWordIgnorePostCheck("&amp", nullptr));
  EXPECT_FALSE(Html.ExecuteWordIgnorePostCheck("amp", nullptr));
  // Running out of text inside a tag or comment ends the skip.
  EXPECT_EQ(Split("word <!-- open", {&Html}), (Words{"word"}));
  EXPECT_EQ(Split("word <", {&Html}), (Words{"word"}));
  EXPECT_EQ(Split("a <!-x> b", {&Html}), (Words{"a", "b"}));
}

TEST(Lx3parseengine, UrlFilterSkipsAddresses) {
  TURLIgnore Url;
  EXPECT_EQ(Split("go to http://example.com/a,b now", {&Url}), (Words{"go", "to", "b", "now"}));
  EXPECT_EQ(Split("mail john.doe@example.org today", {&Url}), (Words{"mail", "today"}));
  EXPECT_EQ(Split("see www.example.com/page ok", {&Url}), (Words{"see", "ok"}));
  EXPECT_EQ(Split("MAILTO:me@x.y and FTP:x", {&Url}), (Words{"and"}));
  EXPECT_TRUE(Url.ExecuteWordIgnorePostCheck("WWW.example.com", nullptr));
  EXPECT_EQ(Split("note: colon", {&Url}), (Words{"note", "colon"}));
}

TEST(Lx3parseengine, WordFiltersAfterTheCheck) {
  TUppercaseWordIgnore Upper;
  TNumbersIgnore Numbers;
  TAbbreviationsIgnore Abbrev;
  TQuotedLineIgnore Quoted(">|");
  struct Case {
    TParserIgnore* Filter;
    const char* Word;
    bool Expected;
  };
  const Case Cases[] = {{&Upper, "NASA", true},   {&Upper, "Nasa", false},     {&Upper, "123", true},
                        {&Numbers, "abc1", true}, {&Numbers, "abc", false},    {&Abbrev, "e.g.", true},
                        {&Abbrev, "U.S.A.", true}, {&Abbrev, "etc.", false},   {&Abbrev, "word", false}};
  for (const auto& C : Cases) {
    EXPECT_EQ(C.Filter->ExecuteWordIgnorePostCheck(C.Word, nullptr), C.Expected) << C.Word;
  }
  EXPECT_TRUE(Quoted.ExecuteLineIgnore("> quoted"));
  EXPECT_TRUE(Quoted.ExecuteLineIgnore("|x"));
  EXPECT_FALSE(Quoted.ExecuteLineIgnore(" > not"));
  EXPECT_FALSE(Quoted.ExecuteLineIgnore(""));
  std::string Line = "> reply";
  TStringParser Cursor;
  Cursor.Initialize(&Line);
  EXPECT_TRUE(Quoted.ExecuteWordIgnorePostCheck("reply", &Cursor));
  EXPECT_FALSE(Quoted.ExecuteWordIgnorePostCheck("reply", nullptr));
}

TEST(Lx3parseengine, StringCursorEdgesAndReplacement) {
  std::string Empty;
  TStringParser E;
  E.Initialize(&Empty);
  EXPECT_EQ(E.GetChar(), 0);
  EXPECT_FALSE(E.MovePrevious());
  EXPECT_FALSE(E.MoveNext());

  std::string Text = "a cat sat";
  TStringParser P;
  P.Initialize(&Text);
  P.SetPosition(10, 0, ptEnd);
  P.SetPosition(6, 0, ptCurrent);  // just behind "cat"
  P.SelectWord(3);
  int X = 0;
  int Y = 0;
  P.GetPosition(X, Y);
  EXPECT_EQ(X, 3);
  P.ReplaceWord("horse", 0);
  EXPECT_EQ(Text, "a horse sat");
  P.GetPosition(X, Y);
  EXPECT_EQ(X, 8);
  // The limit moved by two: the cursor may still reach one past the last character.
  P.SetPosition(11, 0, ptCurrent);
  EXPECT_TRUE(P.MoveNext());
  EXPECT_FALSE(P.MoveNext());
  RECT R;
  P.GetSelectionScreenPosition(R);
  EXPECT_EQ(R.Left, -1);
}

TEST(Lx3parseengine, SelectionModeStopsAtTheLimitAndStartsAtTheWord) {
  // Mode 0 starts at the word holding the selection's start and stops at its end.
  std::string Text = "alpha beta gamma delta";
  TStringParser Cursor;
  Cursor.Initialize(&Text);
  TMainParsingEngine Engine;
  Cursor.SetPosition(9, 0, ptCurrent);  // inside "beta"
  Engine.AdjustToPosition(9, 0);
  Cursor.SetPosition(17, 0, ptEnd);  // the blank behind "gamma"
  std::vector<std::string> Got;
  for (std::string W = Engine.NextWord(); !W.empty(); W = Engine.NextWord()) {
    Got.push_back(W);
  }
  EXPECT_TRUE(Got.empty());  // the engine was not initialized with a cursor
  Engine.Initialize(&Cursor, 3);  // keeps the cursor where it is
  Engine.AdjustToPosition(9, 0);
  for (std::string W = Engine.NextWord(); !W.empty(); W = Engine.NextWord()) {
    Got.push_back(W);
  }
  EXPECT_EQ(Got, (Words{"beta", "gamma"}));
  Engine.KeepUnfinishedLastWord = true;
  std::string Short = "one two";
  TStringParser C2;
  C2.Initialize(&Short);
  C2.SetPosition(7, 0, ptEnd);
  Engine.Initialize(&C2, 2);
  EXPECT_EQ(Engine.NextWord(), "one");
  EXPECT_EQ(Engine.NextWord(), "two");
}

TEST(Lx3parseengine, CorpusPagesSplitIntoWordsWithoutMarkup) {
  const std::string HtmlDir = CorpusDir() + "html";
  ASSERT_TRUE(std::filesystem::is_directory(HtmlDir)) << "the corpus is missing: " << HtmlDir;
  THTMLIgnore Html;
  TURLIgnore Url;
  int Pages = 0;
  for (const auto& E : std::filesystem::directory_iterator(HtmlDir)) {
    const std::string Page = spelltest::ReadFile(E.path().string());
    const auto Got = Split(Page, {&Url, &Html});
    ++Pages;
    EXPECT_FALSE(Got.empty()) << E.path();
    for (const auto& W : Got) {
      ASSERT_EQ(W.find('<'), std::string::npos) << E.path();
      ASSERT_NE(W, "href") << E.path();
      ASSERT_NE(W, "http") << E.path();
    }
  }
  EXPECT_GT(Pages, 0);
}
