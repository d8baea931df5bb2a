// Replays the position store's fuzz seeds: odd, out-of-range and unknown values load without harm.
#include "fuzz/Tb2dockpositions_fuzz.cpp"

#include "platform/controls/TestHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

TEST(Tb2dockpositionsSeeds, EverySeedLoads) {
  Harness::Start();
  const std::filesystem::path Dir = std::filesystem::path(ZUBQ_SOURCE_DIR) / "fuzz/corpus/Tb2dockpositions";
  int Seeds = 0;
  for (const auto& Entry : std::filesystem::directory_iterator(Dir)) {
    std::ifstream In(Entry.path(), std::ios::binary);
    const std::string Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size()), 0);
    ++Seeds;
  }
  EXPECT_GT(Seeds, 0);
}
