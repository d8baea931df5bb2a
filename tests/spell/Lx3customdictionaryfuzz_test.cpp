// Replays the custom dictionary reader's fuzz seeds.
#include "../../fuzz/Lx3customdictionary_fuzz.cpp"

#include "SpellTestUtil.h"

#include <gtest/gtest.h>

TEST(Lx3customdictionaryFuzz, SeedsRunCleanly) {
  int Seeds = 0;
  for (const auto& E : std::filesystem::directory_iterator(std::string(ZUBQ_SOURCE_DIR) +
                                                           "/fuzz/corpus/Lx3customdictionary")) {
    const std::string Bytes = spelltest::ReadFile(E.path().string());
    EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size()), 0);
    ++Seeds;
  }
  EXPECT_GT(Seeds, 0);
}
