// Fuzz target: a main dictionary file of any bytes is accepted or refused, and lookups and phonetic searches on
// it stay inside the mapping.
#include "spell/Lx3maindictionary.h"
#include "spell/Lx3phoneticsmap.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  char Name[] = "/tmp/zubq-admfuzz-XXXXXX";
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
    TMainDictionary D;
    D.WriteFilename(Name);
    TPhoneticsMap Map;
    Map.WriteLanguage(0x0409);
    for (const char* W : {"a", "I", "cat", "catalog", "receive", "recieve", "internationalization", "x", "zz"}) {
      D.WordExists(W);
      D.WordLength(W);
    }
    TStringList List;
    D.Suggest("recieve", Map, List);
    D.Suggest("catalog", Map, List);
  }
  ::unlink(Name);
  return 0;
}
