// Layout files converted in place: the input is written as a layout file into a fresh temporary folder, which is
// then converted. Whatever the input, nothing outside that folder changes and the conversion only logs errors.
#include "platform/controls/TestHarness.h"
#include "platform/rtl/UnitInit.h"
#include "suitebase/Fileutils.h"
#include "suitebase/Zodirfiles.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
fs::path Base;
fs::path Sibling;

std::set<std::string> Listing(const fs::path& Folder) {
  std::set<std::string> Names;
  std::error_code Error;
  for (fs::recursive_directory_iterator It(Folder, Error), End; !Error && It != End; It.increment(Error)) {
    Names.insert(It->path().string() + ":" + std::to_string(It->is_regular_file() ? fs::file_size(It->path()) : 0));
  }
  return Names;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Harness::Start();
  InitializeUnits();
  Dorazori::WriteLogEvent = [](const Variant&) {};
  Base = fs::temp_directory_path() / ("formconv_fuzz_" + std::to_string(::getpid()));
  fs::remove_all(Base);
  fs::create_directories(Base / "work");
  Sibling = Base / "sibling";
  fs::create_directories(Sibling);
  std::ofstream(Sibling / "keep.dfm") << "object Keep: TForm\n  Bogus = 1\nend\n";
  std::atexit([] {
    std::error_code Ignored;
    fs::remove_all(Base, Ignored);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size > 4096) {
    return 0;
  }
  const fs::path Work = Base / "work";
  fs::remove_all(Work);
  fs::create_directories(Work);
  std::ofstream(Work / "input.dfm", std::ios::binary)
      .write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  const auto Before = Listing(Sibling);
  Zodir::CorrectFormFiles(Work.string(), true);
  if (Listing(Sibling) != Before) {
    std::fprintf(stderr, "the conversion changed a file outside its folder\n");
    std::abort();
  }
  return 0;
}
