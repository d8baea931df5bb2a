// Tests of StringArrayStore: adding with its flags, the maximum, and the registry form of history lists.
#include "core/Stringarraystore.h"

#include "CoreRegistryFixture.h"
#include "platform/classes/Registry.h"
#include "platform/classes/StringList.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> Entries(const StringArrayStore& L) {
  std::vector<std::string> Out;
  for (int I = 0; I < L.getCount(); ++I) {
    Out.emplace_back(L.getString(I));
  }
  return Out;
}

TEST(StringArrayStore, AddingMovesMatchesToTheTop) {
  StringArrayStore L;
  for (const char* S : {"e", "d", "c", "b", "a"}) {
    L.addString(S, 0);
  }
  EXPECT_EQ(L.addString("C", ADDSTRING_REMOVE_MATCHES), 1);
  EXPECT_EQ(Entries(L), (std::vector<std::string>{"C", "a", "b", "d", "e"}));
  L.addString("c", ADDSTRING_REMOVE_MATCHES | ADDSTRING_KEEP_OLD_TEXT);
  EXPECT_EQ(Entries(L), (std::vector<std::string>{"C", "a", "b", "d", "e"}));
  L.addString("c", ADDSTRING_REMOVE_MATCHES | ADDSTRING_EXACT);
  EXPECT_EQ(L.getCount(), 6);

  StringArrayStore P;
  P.addString("abc", 0);
  P.addString("ab", ADDSTRING_REMOVE_MATCHES);
  EXPECT_EQ(Entries(P), (std::vector<std::string>{"ab"}));
  P.addString("abc", ADDSTRING_REMOVE_MATCHES);
  EXPECT_EQ(Entries(P), (std::vector<std::string>{"abc", "ab"}));
  P.addString("tool (old)", 0);
  P.addString("tool (new)", ADDSTRING_REMOVE_MATCHES | ADDSTRING_UP_TO_PAREN);
  EXPECT_EQ(Entries(P), (std::vector<std::string>{"tool (new)", "abc", "ab"}));
  P.addString("last", ADDSTRING_AT_END);
  EXPECT_EQ(Entries(P).back(), "last");
}

TEST(StringArrayStore, MaximumCutsFromTheEnd) {
  StringArrayStore L;
  L.maximum = 3;
  for (const char* S : {"1", "2", "3", "4"}) {
    L.addString(S, 0);
  }
  EXPECT_EQ(Entries(L), (std::vector<std::string>{"4", "3", "2"}));
  L.addString("5", ADDSTRING_NO_CUT);
  EXPECT_EQ(L.getCount(), 4);
  L.maximum = -1;
  for (int I = 0; I < 30; ++I) {
    L.addString("x", 0);
  }
  EXPECT_EQ(L.getCount(), 34);

  TStringList Strings;
  Strings.Add("old");
  L.copyToStrings(&Strings, 1);
  EXPECT_EQ(Strings.Count(), 34);
  EXPECT_EQ(Strings[33], "2");
}

class HistoryTest : public CoreRegistryTest {};

TEST_F(HistoryTest, SavingAFewerEntriesDeletesTheStaleOnes) {
  const char* Path = "Software\\Palvane\\ZUB Quillon v4\\Recent";
  StringArrayStore L;
  for (int I = 0; I < 5; ++I) {
    L.addString(("file" + std::to_string(I)).c_str(), ADDSTRING_AT_END);
  }
  L.version = 3;
  ASSERT_EQ(L.saveToRegistry(HKEY_CURRENT_USER, Path, HISTORY_COUNT_MAXIMUM), 1);
  ASSERT_EQ(L.removePointersFrom(3, PAM_ENABLE | PAM_FREE_EACH), 2);
  ASSERT_EQ(L.saveToRegistry(HKEY_CURRENT_USER, Path, HISTORY_COUNT_MAXIMUM), 1);

  TRegistry Reg;
  ASSERT_TRUE(Reg.OpenKeyReadOnly(Path));
  EXPECT_EQ(Reg.ReadString("String2"), "file2");
  for (int I = 3; I < 20; ++I) {
    EXPECT_FALSE(Reg.ValueExists("String" + std::to_string(I))) << I;
  }
  EXPECT_EQ(Reg.ReadInteger("Version"), 3);
  EXPECT_FALSE(Reg.ValueExists("NumberOfStrings"));

  StringArrayStore Loaded;
  Loaded.addString("dropped", 0);
  EXPECT_EQ(StringArrayStore::loadFromRegistry(&Loaded, HKEY_CURRENT_USER, Path, HISTORY_COUNT_MAXIMUM), 1);
  EXPECT_EQ(Entries(Loaded), (std::vector<std::string>{"file0", "file1", "file2"}));
  EXPECT_EQ(Loaded.version, 3);
}

TEST_F(HistoryTest, StoredCountSkipsEmptyEntriesAndCutsLongValues) {
  const char* Path = "Software\\Palvane\\ZUB Quillon v4\\Queue";
  {
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey(Path, true));
    Reg.WriteInteger("NumberOfStrings", 4);
    Reg.WriteString("String0", "a");
    Reg.WriteString("String1", "");
    Reg.WriteString("String3", std::string(2000, 'z'));
  }
  StringArrayStore L;
  L.maximum = 1;  // a stored count is not cut to the maximum
  EXPECT_EQ(StringArrayStore::loadFromRegistry(&L, HKEY_CURRENT_USER, Path, HISTORY_COUNT_STORED), 1);
  ASSERT_EQ(L.getCount(), 2);
  EXPECT_STREQ(L.getString(0), "a");
  EXPECT_EQ(std::string(L.getString(1)), std::string(1023, 'z'));

  L.addString("b", ADDSTRING_NO_CUT);
  ASSERT_EQ(L.saveToRegistry(HKEY_CURRENT_USER, Path, HISTORY_COUNT_STORED), 1);
  TRegistry Reg;
  ASSERT_TRUE(Reg.OpenKeyReadOnly(Path));
  EXPECT_EQ(Reg.ReadInteger("NumberOfStrings"), 3);
  EXPECT_EQ(Reg.ReadString("String0"), "b");
}

}  // namespace
