// Sorting compares collation keys made once per string; the order must be the one the direct comparison of
// the strings gives, with the same quicksort: equal strings keep the same objects in the same places.
#include "platform/classes/StringList.h"
#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

int DirectCompareStr(TStringList* List, Integer A, Integer B) {
  return AnsiCompareStr(List->Strings(A), List->Strings(B));
}

int DirectCompareText(TStringList* List, Integer A, Integer B) {
  return AnsiCompareText(List->Strings(A), List->Strings(B));
}

std::string RandomLine(std::mt19937& Rng) {
  static const std::vector<std::string> Pieces = {
      "a", "A", "b", "B", "z", "Z", "0", "9", " ", "-", "_", ".", "'", "\xE9", "\xC9", "e", "E", "\xF6", "o",
      "\xDF", "ss", "\x8A", "\x9A", "\xFF", "\t", std::string(1, '\0'), "co-op", "coop", "Co op", "\x80", "~"};
  std::string S;
  const int Count = static_cast<int>(Rng() % 7);
  for (int I = 0; I < Count; ++I) {
    S += Pieces[Rng() % Pieces.size()];
  }
  return S;
}

TEST(StringListSort, KeysGiveTheDirectComparisonsOrder) {
  std::mt19937 Rng(4242);
  for (const bool CaseSensitive : {false, true}) {
    for (int Round = 0; Round < 200; ++Round) {
      std::unique_ptr<TStringList> Keyed(new TStringList);
      std::unique_ptr<TStringList> Direct(new TStringList);
      Keyed->SetCaseSensitive(CaseSensitive);
      Direct->SetCaseSensitive(CaseSensitive);
      const int Count = 1 + static_cast<int>(Rng() % 400);
      for (int I = 0; I < Count; ++I) {
        const std::string S = RandomLine(Rng);
        // The objects tell equal strings apart.
        TObject* Tag = reinterpret_cast<TObject*>(static_cast<std::intptr_t>(I + 1));
        Keyed->AddObject(S, Tag);
        Direct->AddObject(S, Tag);
      }
      Keyed->Sort();
      Direct->CustomSort(CaseSensitive ? &DirectCompareStr : &DirectCompareText);
      ASSERT_EQ(Keyed->Count(), Direct->Count());
      for (int I = 0; I < Keyed->Count(); ++I) {
        ASSERT_EQ(Keyed->Strings(I), Direct->Strings(I)) << "item " << I << (CaseSensitive ? " case" : " nocase");
        ASSERT_EQ(Keyed->Objects(I), Direct->Objects(I)) << "item " << I;
      }
    }
  }
}

TEST(StringListSort, KeysCompareAsTheStringsDo) {
  const char* Texts[] = {"", "a", "A", "ab", "a b", "a-b", "\xE9", "e", "f", "E", "\xC9t\xE9", "ete", "zebra",
                         "Zebra", "x\0y", "x"};
  for (const bool IgnoreCase : {false, true}) {
    for (const char* A : Texts) {
      for (const char* B : Texts) {
        std::string KA;
        std::string KB;
        if (!AnsiCollationKey(A, IgnoreCase, KA) || !AnsiCollationKey(B, IgnoreCase, KB)) {
          GTEST_SKIP() << "no linguistic collation installed";
        }
        const int Direct = IgnoreCase ? AnsiCompareText(A, B) : AnsiCompareStr(A, B);
        EXPECT_EQ(AnsiCompareByKeys(KA, A, KB, B, IgnoreCase), Direct) << A << " / " << B;
      }
    }
  }
}

}  // namespace
