// The registry store's hive files: any text is read without harm, keeping what can be read; a strict read that
// succeeds agrees with it; and what is written reads back to exactly the same keys and values.
#include "platform/win/RegistryStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool SameTree(const TRegStoreKey& A, const TRegStoreKey& B) {
  if (A.Name != B.Name || A.Values.size() != B.Values.size() || A.SubKeys.size() != B.SubKeys.size()) {
    return false;
  }
  for (std::size_t I = 0; I < A.Values.size(); ++I) {
    const TRegStoreValue& X = A.Values[I];
    const TRegStoreValue& Y = B.Values[I];
    if (X.Name != Y.Name || X.Fold != Y.Fold || X.Type != Y.Type || X.Data != Y.Data) {
      return false;
    }
  }
  for (auto IA = A.SubKeys.begin(), IB = B.SubKeys.begin(); IA != A.SubKeys.end(); ++IA, ++IB) {
    if (IA->first != IB->first || !SameTree(*IA->second, *IB->second)) {
      return false;
    }
  }
  return true;
}

void Fail(const char* What, const std::string& Text) {
  std::fprintf(stderr, "%s\n--- text ---\n%s\n", What, Text.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  TRegStoreKey Strict;
  TRegStoreKey Kept;
  std::string Error;
  std::vector<std::string> Dropped;
  const bool StrictOk = RegParseHive(Text, Strict, Error);
  const bool KeptOk = RegParseHive(Text, Kept, Error, &Dropped);
  if (StrictOk && (!KeptOk || !Dropped.empty() || !SameTree(Strict, Kept))) {
    Fail("a text read whole is read differently when damage is allowed", Text);
  }
  if (!KeptOk) {
    return 0;
  }
  const std::string Written = RegFormatHive(Kept);
  TRegStoreKey Again;
  if (!RegParseHive(Written, Again, Error)) {
    Fail(("the written hive does not read back: " + Error).c_str(), Written);
  }
  if (!SameTree(Kept, Again)) {
    Fail("the written hive reads back to other keys", Written);
  }
  if (RegFormatHive(Again) != Written) {
    Fail("writing the hive again gives other text", Written);
  }
  return 0;
}
