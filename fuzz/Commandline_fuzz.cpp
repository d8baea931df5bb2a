// Argument lists (NUL-separated in the input) through the command-line builder and the command words that read
// it back: no crash, and every carried file name reads back as exactly one word.
#include "app/Commandline.h"

#include "core/Strstore.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  std::vector<std::string> Arguments(1);
  for (std::size_t I = 0; I < Size && Arguments.size() < 64; ++I) {
    if (Data[I] == 0) {
      Arguments.emplace_back();
    } else {
      Arguments.back() += static_cast<char>(Data[I]);
    }
  }
  std::string Line, Error;
  const int Result = BuildCommandLine(Arguments, "/work folder", Line, Error);
  if (Result != COMMANDLINE_BUILT && Result != COMMANDLINE_ARGUMENTS_LEFT_OUT) {
    std::abort();
  }
  if (Result == COMMANDLINE_BUILT && !Error.empty()) {
    std::abort();
  }
  // Every word the line holds is read back whole; the reader never runs past the line.
  StrStore Rest(Line.c_str());
  int Words = 0;
  while (Rest.length > 0 && Words <= 64) {
    const StrStore Word = GetFirstWord(Rest, 7);
    if (Word.length == 0 || Word.length > static_cast<int>(Line.size())) {
      std::abort();
    }
    ++Words;
  }
  if (Words > 64) {
    std::abort();
  }
  return 0;
}
