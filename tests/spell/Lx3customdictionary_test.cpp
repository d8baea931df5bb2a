// Tests of custom and learning dictionaries: entries, the hash table, files, safe saving and merging.
#include "spell/Lx3customdictionary.h"

#include "SpellTestUtil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace spelltest;

TEST(Lx3customdictionary, AnyKindBlocksASecondEntry) {
  TCustomDictionary D;
  EXPECT_TRUE(D.AddIgnore("colour"));
  EXPECT_FALSE(D.AddAutoCorrect("colour", "color"));
  EXPECT_FALSE(D.AddExclude("colour"));
  EXPECT_FALSE(D.AddIgnore(""));
  EXPECT_TRUE(D.IgnoreExists("colour"));
  EXPECT_FALSE(D.ExcludeExists("colour"));
  EXPECT_FALSE(D.IgnoreExists("Colour"));  // case-sensitive
  EXPECT_TRUE(D.AddAutoCorrect("teh", "the"));
  std::string Replacement;
  EXPECT_TRUE(D.AutoCorrectExists("teh", Replacement));
  EXPECT_EQ(Replacement, "the");
  EXPECT_FALSE(D.RemoveExclude("teh"));
  EXPECT_TRUE(D.RemoveAutoCorrect("teh"));
  EXPECT_FALSE(D.AutoCorrectExists("teh", Replacement));
  // Word and replacement of 500 bytes together are taken, 501 refused.
  EXPECT_TRUE(D.AddAutoCorrect(std::string(250, 'a'), std::string(250, 'b')));
  EXPECT_FALSE(D.AddAutoCorrect(std::string(250, 'c'), std::string(251, 'd')));
}

TEST(Lx3customdictionary, RemovedRecordsStayAndTheTableGrowsAtAQuarter) {
  TCustomDictionary D;
  EXPECT_TRUE(D.AddIgnore("word"));
  EXPECT_EQ(D.TableSize(), 251);
  const auto Used = D.UsedBytes();
  EXPECT_TRUE(D.RemoveIgnore("word"));
  EXPECT_TRUE(D.AddIgnore("word"));
  EXPECT_EQ(D.UsedBytes(), 2 * Used);
  for (int I = 2; I <= 62; ++I) {
    ASSERT_TRUE(D.AddIgnore("w" + std::to_string(I)));
  }
  EXPECT_EQ(D.WordCount(), 62);
  EXPECT_EQ(D.TableSize(), 251);
  EXPECT_TRUE(D.AddExclude("sixtythree"));
  EXPECT_EQ(D.TableSize(), 509);
  for (int I = 2; I <= 62; ++I) {
    ASSERT_TRUE(D.IgnoreExists("w" + std::to_string(I)));
  }
  EXPECT_EQ(D.ReadIgnoreCount(), 62);
  EXPECT_EQ(D.ReadExcludeCount(), 1);
  EXPECT_EQ(D.GetExcludeWord(0), "sixtythree");
  EXPECT_EQ(D.GetIgnoreWord(99), "");
}

TEST(Lx3customdictionary, NamedBeforeItsFileExistsAndRoundTrips) {
  TTempDir Dir;
  const std::string File = Dir / "user.adu";
  {
    TCustomDictionary D;
    D.WriteFilename(File);
    ASSERT_EQ(D.Filename(), File);
    EXPECT_EQ(D.ReadIgnoreCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(File));
    D.AddIgnore("Quillon");
    D.AddExclude("alot");
    D.AddAutoCorrect("recieve", "receive");
    D.Save();
    EXPECT_TRUE(std::filesystem::exists(File));
  }
  TCustomDictionary R;
  R.WriteFilename(File);
  EXPECT_TRUE(R.IgnoreExists("Quillon"));
  EXPECT_TRUE(R.ExcludeExists("alot"));
  std::string Replacement;
  EXPECT_EQ(R.GetAutoCorrectWord(0, Replacement), "recieve");
  EXPECT_EQ(Replacement, "receive");
  const std::string Bytes = ReadFile(File);
  EXPECT_EQ(Bytes.substr(0, 119), AduFormat::Banner);
  EXPECT_EQ(Bytes[119], '\0');
  EXPECT_EQ(Bytes[120], '\x1A');
  // A foreign file is refused as a name.
  WriteFile(Dir / "foreign.adu", "not a dictionary at all, but long enough to hold a banner: " + std::string(100, 'x'));
  R.WriteFilename(Dir / "foreign.adu");
  EXPECT_EQ(R.Filename(), File);
}

TEST(Lx3customdictionary, TwoInstancesThatBothAddWordsLeaveBothSets) {
  TTempDir Dir;
  const std::string File = Dir / "shared.adu";
  {
    TCustomDictionary Seed;
    Seed.WriteFilename(File);
    Seed.AddIgnore("common");
    Seed.AddIgnore("gone");
    Seed.Save();
  }
  TCustomDictionary A;
  TCustomDictionary B;
  A.WriteFilename(File);
  B.WriteFilename(File);
  EXPECT_TRUE(A.IgnoreExists("common"));
  EXPECT_TRUE(B.IgnoreExists("common"));
  A.AddIgnore("alpha");
  A.AddAutoCorrect("teh", "the");
  A.Save();
  B.AddIgnore("beta");
  B.RemoveIgnore("gone");
  B.Save();  // the file changed since B loaded it: B's changes are merged into it
  A.AddIgnore("gamma");
  A.Save();  // and again for A
  TCustomDictionary R;
  R.WriteFilename(File);
  std::string Replacement;
  for (const char* W : {"common", "alpha", "beta", "gamma"}) {
    EXPECT_TRUE(R.IgnoreExists(W)) << W;
  }
  EXPECT_FALSE(R.IgnoreExists("gone"));
  EXPECT_TRUE(R.AutoCorrectExists("teh", Replacement));
}

TEST(Lx3customdictionary, SavingWritesInPlaceWhenNothingCanBeWrittenBeside) {
  TTempDir Dir;
  const std::string File = Dir / "user.adu";
  TCustomDictionary D;
  D.WriteFilename(File);
  D.AddIgnore("first");
  D.Save();
  // A folder in the way of the file written beside leaves only the in-place write.
  std::filesystem::create_directory(File + ".saving~");
  TCustomDictionary E;
  E.WriteFilename(File);
  E.AddIgnore("second");
  E.Save();
  TCustomDictionary R;
  R.WriteFilename(File);
  EXPECT_TRUE(R.IgnoreExists("first"));
  EXPECT_TRUE(R.IgnoreExists("second"));
}

TEST(Lx3customdictionary, ReadOnlyFolderKeepsTheMerge) {
  TTempDir Dir;
  const std::string File = Dir / "user.adu";
  {
    TCustomDictionary D;
    D.WriteFilename(File);
    D.AddIgnore("first");
    D.Save();
  }
  TCustomDictionary A;
  TCustomDictionary B;
  A.WriteFilename(File);
  B.WriteFilename(File);
  A.AddIgnore("alpha");
  B.AddIgnore("beta");
  // The folder takes no new file: read-only for everyone but the superuser, and for the superuser too because a
  // folder stands where the file written beside the dictionary would go.
  const std::string Blocker = File + ".saving~";
  ASSERT_EQ(::mkdir(Blocker.c_str(), 0755), 0);
  ::chmod(Dir.Path().c_str(), 0555);
  A.Save();
  B.Save();
  ::chmod(Dir.Path().c_str(), 0755);
  ::rmdir(Blocker.c_str());
  TCustomDictionary R;
  R.WriteFilename(File);
  EXPECT_TRUE(R.IgnoreExists("alpha"));
  EXPECT_TRUE(R.IgnoreExists("beta"));
}

TEST(Lx3customdictionary, DamagedBodyIsReadAsEmptyAndNeverOverwritten) {
  TTempDir Dir;
  const std::string File = Dir / "user.adu";
  {
    TCustomDictionary D;
    D.WriteFilename(File);
    D.AddIgnore("word");
    D.Save();
  }
  std::string Bytes = ReadFile(File);
  for (std::size_t Cut : {Bytes.size() - 1, std::size_t{140}, std::size_t{125}}) {
    const std::string Name = Dir / ("cut" + std::to_string(Cut) + ".adu");
    WriteFile(Name, Bytes.substr(0, Cut));
    TCustomDictionary D;
    D.WriteFilename(Name);
    EXPECT_FALSE(D.IgnoreExists("word"));
    D.AddIgnore("other");
    D.Save();
    EXPECT_EQ(ReadFile(Name), Bytes.substr(0, Cut)) << Cut;
  }
  // Slots that point outside the word area.
  std::string Bad = Bytes;
  for (std::size_t I = 141; I + 4 < Bad.size() - 20; I += 4) {
    if (Bad[I] != 0) {
      Bad[I + 3] = 0x40;
    }
  }
  WriteFile(Dir / "bad.adu", Bad);
  TCustomDictionary D;
  D.WriteFilename(Dir / "bad.adu");
  EXPECT_FALSE(D.IgnoreExists("word"));
}
