// The inserter configuration reader over the fuzz seeds and the shipped files: known results, whole items.
#include "core/Inserterclass.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

TEST(InserterSeeds, EverySeedReadsToAKnownResult) {
  const std::filesystem::path Seeds = std::filesystem::path(ZUBQ_SOURCE_DIR) / "fuzz/corpus/Inserterconfig";
  int Count = 0;
  for (const auto& Entry : std::filesystem::directory_iterator(Seeds)) {
    SCOPED_TRACE(Entry.path().string());
    std::ifstream In(Entry.path(), std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    const std::string Text = S.str();
    PointerArrayManager* Items = nullptr;
    const int R = LoadInserterConfigurationText(Items, Text.data(), static_cast<int>(Text.size()), 0);
    EXPECT_TRUE(R == INSCFG_OK || R == INSCFG_NO_ROOT || R == INSCFG_NO_CLOSING_ROOT ||
                R == INSCFG_ATTRIBUTE_ERROR || R == INSCFG_TAG_ERROR)
        << R;
    ASSERT_NE(Items, nullptr);
    for (int I = 0; I < Items->getCount(); ++I) {
      EXPECT_NE(Items->getPointer(I), nullptr);
    }
    delete Items;
    ++Count;
  }
  EXPECT_GE(Count, 4);
}
