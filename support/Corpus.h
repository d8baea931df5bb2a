// Where the shared corpus of real pages and style sheets lies, for tests and benchmarks.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// The corpus folder with a trailing "/": the "shared/corpus" folder beside the source tree (every checkout, CI's
// included, has the project's shared folder next to it). A test that needs a corpus file fails when it is missing.
inline const std::string& CorpusDir() {
  static const std::string Dir =
      (std::filesystem::path(ZUBQ_SOURCE_DIR) / ".." / "shared" / "corpus").lexically_normal().string() + "/";
  return Dir;
}

// A corpus file's bytes, Name relative to the corpus folder (empty when it cannot be read).
inline std::string ReadCorpusFile(const std::string& Name) {
  std::ifstream In(CorpusDir() + Name, std::ios::binary);
  std::stringstream S;
  S << In.rdbuf();
  return S.str();
}

// Lines lines taken from a corpus file again and again; Fallback (which must end in a line break) stands in for a
// file that is missing or holds no line break.
inline std::string RepeatedCorpusLines(const std::string& Name, int Lines, const std::string& Fallback) {
  std::string Seed = ReadCorpusFile(Name);
  if (Seed.find('\n') == std::string::npos) {
    Seed = Fallback;
  }
  std::string Text;
  Text.reserve(static_cast<std::size_t>(Lines) * 64);
  std::size_t Pos = 0;
  for (int Count = 0; Count < Lines;) {
    const std::size_t End = Seed.find('\n', Pos);
    if (End == std::string::npos) {
      Pos = 0;
      continue;
    }
    Text.append(Seed, Pos, End - Pos + 1);
    Pos = End + 1;
    ++Count;
  }
  return Text;
}
