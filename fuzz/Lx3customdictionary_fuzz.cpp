// Fuzz target: a custom dictionary file of any bytes loads, answers lookups and takes changes without reading
// outside its contents.
#include "spell/Lx3customdictionary.h"

#include <cstdint>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  char Name[] = "/tmp/zubq-adufuzz-XXXXXX";
  const int Fd = ::mkstemp(Name);
  if (Fd < 0) {
    return 0;
  }
  std::size_t Done = 0;
  while (Done < Size) {
    const auto N = ::write(Fd, Data + Done, Size - Done);
    if (N <= 0) {
      break;
    }
    Done += static_cast<std::size_t>(N);
  }
  ::close(Fd);
  {
    TCustomDictionary D;
    D.WriteFilename(Name);
    std::string Replacement;
    for (const char* W : {"word", "teh", "colour", "alpha", ""}) {
      D.IgnoreExists(W);
      D.ExcludeExists(W);
      D.AutoCorrectExists(W, Replacement);
    }
    for (int I = 0; I < D.ReadIgnoreCount() && I < 64; ++I) {
      D.GetIgnoreWord(I);
    }
    for (int I = 0; I < D.ReadAutoCorrectCount() && I < 64; ++I) {
      D.GetAutoCorrectWord(I, Replacement);
    }
    D.AddIgnore("fuzzword");
    D.RemoveIgnore("word");
    D.SetModified(false);  // leave the input file as it is
  }
  ::unlink(Name);
  return 0;
}
