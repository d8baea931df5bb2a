// Tests of the compiled main dictionary: the compiler's output, lookups, damaged files and phonetic search.
#include "spell/Lx3maindictionary.h"

#include "SpellTestUtil.h"
#include "spell/Lx3phoneticsmap.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace spelltest;

namespace {

const std::vector<std::string> SmallWords = {
    "a",        "I",      "cat",       "cats",       "catalog",   "catalogue", "category", "dog",
    "dogs",     "receive", "received", "receiver",   "believe",   "Paris",     "paris",    "ab",
    "abc",      "abcdefghijklmnopqrstuvwxyz", "can't", "caf\xC3\xA9", "internationalization", "telephone",
    "telegraph", "tell", "tall", "toll"};

class MainDictionaryTest : public ::testing::Test {
protected:
  void SetUp() override {
    FFile = FDir / "small.adm";
    ASSERT_EQ(CompileWords(SmallWords, FFile, "--title Small --language 0x0409"), 0);
  }
  TTempDir FDir;
  std::string FFile;
};

}  // namespace

TEST_F(MainDictionaryTest, EveryCompiledWordIsFoundAndOthersAreNot) {
  TMainDictionary D;
  D.WriteFilename(FFile);
  ASSERT_EQ(D.Filename(), FFile);
  EXPECT_EQ(D.Title(), "Small");
  EXPECT_EQ(D.Language(), 0x0409);
  EXPECT_EQ(D.WordCount(), SmallWords.size());
  for (auto W : SmallWords) {
    if (W == "caf\xC3\xA9") {
      W = "caf\xE9";  // stored in code page 1252
    }
    EXPECT_TRUE(D.WordExists(W)) << W;
  }
  for (const char* W : {"", "b", "ca", "catalo", "Cat", "CAT", "dogz", "cats'", "abcd", "x", "caf\xC3\xA9"}) {
    EXPECT_FALSE(D.WordExists(W)) << W;
  }
}

TEST_F(MainDictionaryTest, WordLengthCountsTheMatchedCharacters) {
  TMainDictionary D;
  D.WriteFilename(FFile);
  EXPECT_EQ(D.WordLength("catal"), 5);      // a proper prefix: not a word, but all of it is in the tree
  EXPECT_FALSE(D.WordExists("catal"));
  EXPECT_EQ(D.WordLength("catxyz"), 3);     // leaves the tree at its fourth character
  EXPECT_EQ(D.WordLength("catalogues"), 9);
  EXPECT_EQ(D.WordLength("a"), 1);
  EXPECT_EQ(D.WordLength("zebra"), 0);
}

TEST_F(MainDictionaryTest, ForeignOrShortFilesAreRefusedAndThePreviousFileStays) {
  TMainDictionary D;
  D.WriteFilename(FFile);
  const std::string Good = ReadFile(FFile);
  std::string Banner = Good;
  Banner[5] ^= 0x20;
  struct Case {
    const char* Name;
    std::string Bytes;
  };
  const Case Cases[] = {{"exactly-1024", Good.substr(0, 1024)}, {"banner", Banner}, {"empty", ""}};
  for (const auto& C : Cases) {
    const std::string Other = FDir / (std::string(C.Name) + ".adm");
    WriteFile(Other, C.Bytes);
    D.WriteFilename(Other);
    EXPECT_EQ(D.Filename(), FFile) << C.Name;
    EXPECT_TRUE(D.WordExists("catalog")) << C.Name;
  }
  D.WriteFilename(FDir / "missing.adm");
  EXPECT_EQ(D.Filename(), FFile);
}

TEST_F(MainDictionaryTest, DamagedFilesAnswerNotFound) {
  const std::string Good = ReadFile(FFile);
  // Truncations keep the head but cut the tree, the linkage or the tables.
  for (std::size_t Cut : {std::size_t{1100}, Good.size() / 2, Good.size() - 100, Good.size() - 1}) {
    const std::string Name = FDir / ("cut" + std::to_string(Cut) + ".adm");
    WriteFile(Name, Good.substr(0, Cut));
    TMainDictionary D;
    D.WriteFilename(Name);
    EXPECT_FALSE(D.WordExists("catalog")) << Cut;
    EXPECT_FALSE(D.Loaded()) << Cut;
  }
  // Every byte after the head flipped in turn: lookups and phonetic searches stay inside the mapping.
  TPhoneticsMap Map;
  Map.WriteLanguage(0x0409);
  for (std::size_t I = 1024; I < Good.size(); I += 5) {
    std::string Bad = Good;
    Bad[I] = static_cast<char>(Bad[I] ^ 0xFF);
    const std::string Name = FDir / "flip.adm";
    WriteFile(Name, Bad);
    TMainDictionary D;
    D.WriteFilename(Name);
    for (const auto& W : SmallWords) {
      D.WordExists(W);
    }
    TStringList List;
    D.Suggest("recieve", Map, List);
    D.Suggest("catalog", Map, List);
  }
}

TEST_F(MainDictionaryTest, PhoneticSearchFindsWordsThatSoundAlike) {
  TMainDictionary D;
  D.WriteFilename(FFile);
  TPhoneticsMap Map;
  Map.WriteLanguage(0x0409);
  TStringList List;
  D.Suggest("recieve", Map, List);
  EXPECT_GE(List.IndexOf("receive"), 0);
  TStringList Tel;
  D.Suggest("telefone", Map, Tel);
  EXPECT_GE(Tel.IndexOf("telephone"), 0);
  TStringList None;
  D.Suggest("c", Map, None);
  D.Suggest("ca", Map, None);  // a code of at most one character after the first two letters
  EXPECT_EQ(None.Count(), 0);
}

TEST(MainDictionary, LargeTreesUseVariableChildNumbers) {
  TTempDir Dir;
  std::vector<std::string> Words;
  std::mt19937 Rng(7);
  std::set<std::string> Seen;
  while (Words.size() < 45000) {
    std::string W;
    const int Len = 3 + static_cast<int>(Rng() % 8);
    for (int I = 0; I < Len; ++I) {
      W.push_back(static_cast<char>('a' + Rng() % 26));
    }
    if (Seen.insert(W).second) {
      Words.push_back(W);
    }
  }
  const std::string File = Dir / "large.adm";
  ASSERT_EQ(CompileWords(Words, File), 0);
  TMainDictionary D;
  D.WriteFilename(File);
  ASSERT_GE(D.NodeCount(), 65535u);
  for (const auto& W : Words) {
    ASSERT_TRUE(D.WordExists(W)) << W;
  }
  int Wrong = 0;
  for (int I = 0; I < 10000; ++I) {
    std::string W = Words[static_cast<std::size_t>(I)] + "q";
    if (!Seen.count(W) && D.WordExists(W)) {
      ++Wrong;
    }
  }
  EXPECT_EQ(Wrong, 0);
}

TEST(MainDictionary, CompilerRefusesWordsOutsideTheCodePage) {
  TTempDir Dir;
  EXPECT_EQ(CompileWords({"good", "\xD0\x96uk"}, Dir / "bad.adm"), 1);  // a Cyrillic letter
  EXPECT_FALSE(std::filesystem::exists(Dir / "bad.adm"));
}

// The shipped American dictionary holds every word of its list and none of 10,000 non-words.
TEST(MainDictionary, ShippedAmericanDictionaryHoldsItsWordList) {
  TMainDictionary D;
  D.WriteFilename(DictionaryFolder() + "/American.adm");
  ASSERT_FALSE(D.Filename().empty());
  EXPECT_EQ(D.Language() & 0xFF, 9);
  std::ifstream In("/usr/share/dict/american-english-large");
  std::set<std::string> Words;
  std::string Line;
  while (std::getline(In, Line)) {
    std::string W;
    for (std::size_t I = 0; I < Line.size(); ++I) {
      const auto C = static_cast<unsigned char>(Line[I]);
      if (C == 0xC3 && I + 1 < Line.size()) {
        W.push_back(static_cast<char>(0x40 + static_cast<unsigned char>(Line[++I])));  // U+00C0..U+00FF
      } else {
        W.push_back(static_cast<char>(C));
      }
    }
    Words.insert(W);
  }
  ASSERT_GT(Words.size(), 90000u);
  int Missing = 0;
  for (const auto& W : Words) {
    Missing += D.WordExists(W) ? 0 : 1;
  }
  EXPECT_EQ(Missing, 0);
  std::mt19937 Rng(11);
  int Found = 0;
  int Tried = 0;
  while (Tried < 10000) {
    std::string W;
    const int Len = 2 + static_cast<int>(Rng() % 9);
    for (int I = 0; I < Len; ++I) {
      W.push_back(static_cast<char>('a' + Rng() % 26));
    }
    if (Words.count(W)) {
      continue;
    }
    ++Tried;
    Found += D.WordExists(W) ? 1 : 0;
  }
  EXPECT_EQ(Found, 0);
  TPhoneticsMap Map;
  Map.WriteLanguage(0x0409);
  TStringList List;
  D.Suggest("recieve", Map, List);
  EXPECT_GE(List.IndexOf("receive"), 0);
}
