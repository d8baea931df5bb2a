// Tests of the spell checker's small routines.
#include "spell/Lx3utils.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

TEST(Lx3utils, EditDistanceCountsNeighbourSwapsAsOneEdit) {
  struct Case {
    const char* A;
    const char* B;
    int Expected;
  };
  const Case Cases[] = {{"teh", "the", 1}, {"abc", "abc", 0}, {"", "abc", 3}, {"recieve", "receive", 1},
                        {"kitten", "sitting", 3}, {"Abc", "abc", 1},
                        // A swap must never make two different texts equal.
                        {"ab", "bab", 1}, {"abab", "baba", 2}};
  for (const auto& C : Cases) {
    EXPECT_EQ(GetEditDistance(C.A, C.B), C.Expected) << C.A << " / " << C.B;
  }
  EXPECT_EQ(GetEditDistance(std::string(300, 'a'), std::string(290, 'b')), 300);
}

TEST(Lx3utils, HashAndPrimes) {
  EXPECT_EQ(HashString("", 251), 0);
  for (const char* W : {"a", "word", "\xE9t\xE9", "a rather longer text with many bytes in it"}) {
    const int H = HashString(W, 251);
    EXPECT_GE(H, 0);
    EXPECT_LT(H, 251);
    EXPECT_EQ(H, HashString(W, 251));
  }
  EXPECT_EQ(HashString("abc", 1), 0);  // no division by zero for a one-slot table
  EXPECT_EQ(GetNextPrime(0), 251u);
  EXPECT_EQ(GetNextPrime(250), 251u);
  EXPECT_EQ(GetNextPrime(251), 509u);
  EXPECT_EQ(GetNextPrime(65521), 131071u);
  EXPECT_EQ(SecondaryHash(0), 1);
  EXPECT_EQ(SecondaryHash(97), 1);
  EXPECT_EQ(SecondaryHash(200), 7);
  EXPECT_EQ(GetLexiVersion(), "3.3.1 Pro");
}

TEST(Lx3utils, EventListKeepsOneEntryPerListenerInOrder) {
  TEventList List;
  TObject A;
  TObject B;
  std::string Calls;
  List.Add(&A, [&](TObject*) { Calls += "a"; });
  List.Add(&B, [&](TObject*) { Calls += "b"; });
  List.Add(&A, [&](TObject*) { Calls += "x"; });
  EXPECT_EQ(List.ReadCount(), 2);
  List.Notify(nullptr);
  EXPECT_EQ(Calls, "ab");
  List.Remove(&A);
  List.Remove(&A);
  List.Notify(nullptr);
  EXPECT_EQ(Calls, "abb");
  EXPECT_EQ(List.ReadItems(5), nullptr);
}

TEST(Lx3utils, WriteProbeNeverDeletesAnExistingFile) {
  const TestSupport::TTempFolder Dir("zubspell-probe");
  const std::string Existing = Dir / "keep.adu";
  {
    std::ofstream Out(Existing);
    Out << "words";
  }
  EXPECT_TRUE(CanFileBeWritten(Existing, true));
  EXPECT_TRUE(std::filesystem::exists(Existing));
  EXPECT_EQ(std::filesystem::file_size(Existing), 5u);
  const std::string Fresh = Dir / "new.adu";
  EXPECT_TRUE(CanFileBeWritten(Fresh, true));
  EXPECT_FALSE(std::filesystem::exists(Fresh));
  EXPECT_TRUE(CanFileBeWritten(Fresh, false));
  EXPECT_TRUE(std::filesystem::exists(Fresh));
  EXPECT_FALSE(CanFileBeWritten(Dir / "no/such/folder/x.adu", true));
}
