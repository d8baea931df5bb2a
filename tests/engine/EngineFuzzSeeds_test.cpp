// The engine's fuzz target replayed over its seeds and regression inputs: every finding points inside the
// document (the target aborts with the finding otherwise).
#include "fuzz/Engine_fuzz.cpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

TEST(EngineFuzzSeeds, EveryFindingOfEverySeedPointsInsideTheDocument) {
  const std::filesystem::path Folder = std::filesystem::path(ZUBQ_SOURCE_DIR) / "fuzz" / "corpus" / "Engine";
  int Seeds = 0;
  for (const auto& Entry : std::filesystem::directory_iterator(Folder)) {
    std::ifstream F(Entry.path(), std::ios::binary);
    const std::string Bytes((std::istreambuf_iterator<char>(F)), std::istreambuf_iterator<char>());
    SCOPED_TRACE(Entry.path().filename().string());
    EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size()), 0);
    ++Seeds;
  }
  EXPECT_GT(Seeds, 0);
}

}  // namespace
