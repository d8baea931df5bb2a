// Where the shared corpus of real pages and style sheets lies, for tests and benchmarks.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

// The corpus folder with a trailing "/": the "shared/corpus" folder beside the source tree, as a checkout next
// to the project's shared folder has it, else the workplace's shared folder.
inline const std::string& CorpusDir() {
  static const std::string Dir = [] {
    const std::filesystem::path Beside = std::filesystem::path(ZUBQ_SOURCE_DIR) / ".." / "shared" / "corpus";
    std::error_code Ec;
    if (std::filesystem::is_directory(Beside, Ec)) {
      return Beside.lexically_normal().string() + "/";
    }
    return std::string("/work/shared/corpus/");
  }();
  return Dir;
}
