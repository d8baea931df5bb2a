// Tests of the suggestion generator and the phonetic codes.
#include "spell/Lx3suggestions.h"

#include "SpellTestUtil.h"
#include "spell/Lx3maindictionary.h"
#include "spell/Lx3phoneticsmap.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::vector<std::string> SuggestFor(const std::set<std::string>& Dict, const std::string& Word, int Max = -1) {
  TSuggestionsGenerator G;
  TStringList List;
  G.Suggest(Word, Max, [&](const std::string& W, bool& E) { E = Dict.count(W) > 0; }, &List);
  std::vector<std::string> Out;
  for (Integer I = 0; I < List.Count(); ++I) {
    Out.push_back(List.Strings(I));
  }
  return Out;
}

bool Has(const std::vector<std::string>& V, const std::string& W) {
  return std::find(V.begin(), V.end(), W) != V.end();
}

}  // namespace

TEST(Lx3suggestions, EachKindOfTypingErrorFindsTheWord) {
  const std::set<std::string> Dict = {"the", "receive", "house", "mouse", "cat", "hat", "into", "in", "to",
                                      "end", "Next", "London", "london"};
  struct Case {
    const char* Typed;
    const char* Expected;
  };
  const Case Cases[] = {{"teh", "the"},        {"recieve", "receive"}, {"huose", "house"}, {"hous", "house"},
                        {"housse", "house"},   {"mousw", "mouse"},     {"cst", "cat"},     {"intto", "into"},
                        {"into", "in to"},     {"end.Next", "end.  Next"}};
  for (const auto& C : Cases) {
    EXPECT_TRUE(Has(SuggestFor(Dict, C.Typed), C.Expected)) << C.Typed;
  }
  // A lower-case misspelling does not offer a capitalised word whose lower-case form is also a word.
  EXPECT_FALSE(Has(SuggestFor(Dict, "londn"), "London"));
  EXPECT_TRUE(Has(SuggestFor(Dict, "londn"), "london"));
  EXPECT_TRUE(SuggestFor(Dict, "").empty());
  EXPECT_TRUE(SuggestFor(Dict, std::string(251, 'a')).empty());
}

TEST(Lx3suggestions, ListStopsGrowingPastTheMaximum) {
  std::set<std::string> Dict;
  for (char C = 'a'; C <= 'z'; ++C) {
    Dict.insert(std::string("ca") + C);
  }
  const auto Got = SuggestFor(Dict, "cax", 3);
  EXPECT_EQ(Got.size(), 4u);  // the list may reach one more than the maximum before it counts as full
}

TEST(Lx3suggestions, LanguageAddsLettersOnce) {
  TSuggestionsGenerator G;
  const auto Middle = G.MiddleChars.size();
  EXPECT_EQ(Middle, 67u);
  EXPECT_EQ(G.FirstChars.size(), 122u);
  G.WriteLanguage(1036);
  G.WriteLanguage(1036);
  EXPECT_EQ(G.MiddleChars.size(), Middle + 1);
  G.WriteLanguage(1053);
  EXPECT_EQ(G.SuggestionTypes() & SuggestionTypeBit(stSplitWord), 0);
  G.WriteSuggestionTypes(SuggestionTypeBit(stInsertion));
  EXPECT_FALSE(G.DefaultSuggestionTypes());
}

TEST(Lx3phoneticsmap, EnglishCodes) {
  TPhoneticsMap M;
  M.WriteLanguage(0x0409);
  EXPECT_EQ(M.GetMapping("telephone"), M.GetMapping("telefone"));
  EXPECT_EQ(M.GetMapping("Recieve"), "resf");
  EXPECT_EQ(M.GetMapping("hello"), "hel");  // a double letter gives one code letter
  EXPECT_EQ(M.GetMapping("ab"), "ab");
  EXPECT_EQ(M.GetMapping("thought").substr(0, 2), "th");
  EXPECT_TRUE(M.AcceptableDistance("house", 2));
  EXPECT_FALSE(M.AcceptableDistance("house", 3));
  M.WriteStartDepth(0);
  EXPECT_EQ(M.StartDepth(), 2);
  TPhoneticsMap Other;
  Other.WriteLanguage(0x0407);
  EXPECT_EQ(Other.GetMapping("Vater"), Other.GetMapping("Vader"));
}

TEST(Lx3suggestions, CommonMisspellingsWithTheAmericanDictionary) {
  TMainDictionary D;
  D.WriteFilename(spelltest::DictionaryFolder() + "/American.adm");
  ASSERT_FALSE(D.Filename().empty());
  std::set<std::string> Dummy;
  TSuggestionsGenerator G;
  G.WriteLanguage(0x0409);
  struct Case {
    const char* Typed;
    const char* Expected;
  };
  const Case Cases[] = {{"recieve", "receive"}, {"seperate", "separate"}, {"definately", "definitely"},
                        {"teh", "the"},         {"wierd", "weird"},       {"occured", "occurred"}};
  TPhoneticsMap Map;
  Map.WriteLanguage(0x0409);
  for (const auto& C : Cases) {
    TStringList List;
    G.Suggest(C.Typed, -1, [&](const std::string& W, bool& E) { E = D.WordExists(W); }, &List);
    D.Suggest(C.Typed, Map, List);
    EXPECT_GE(List.IndexOf(C.Expected), 0) << C.Typed;
  }
}
