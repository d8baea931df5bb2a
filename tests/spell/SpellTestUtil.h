// Helpers of the spell-checker tests: temporary folders, compiling word lists, file bytes.
#pragma once

#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <stdlib.h>
#include <sys/wait.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace spelltest {

// A fresh folder removed at the end of the test.
using TTempDir = TestSupport::TTempFolder;

inline void WriteFile(const std::string& Path, const std::string& Bytes) {
  std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
  Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}

inline std::string ReadFile(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

inline std::string CompilerPath() { return std::string(ZUBQ_BINARY_DIR) + "/bin/zubq_admcompile"; }
inline std::string DictionaryFolder() { return std::string(ZUBQ_BINARY_DIR) + "/bin/Dictionary"; }

// Compiles Words (UTF-8, one a line) into Out; returns the compiler's exit code.
inline int CompileWords(const std::vector<std::string>& Words, const std::string& Out,
                        const std::string& Extra = "") {
  const std::string List = Out + ".txt";
  std::string Text;
  for (const auto& W : Words) {
    Text += W + "\n";
  }
  WriteFile(List, Text);
  const std::string Cmd = "'" + CompilerPath() + "' " + Extra + " '" + List + "' '" + Out + "' 2>/dev/null";
  const int Rc = std::system(Cmd.c_str());
  return WIFEXITED(Rc) ? WEXITSTATUS(Rc) : -1;
}

}  // namespace spelltest
