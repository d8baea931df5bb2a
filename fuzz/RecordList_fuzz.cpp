// A record list read from any stream: a stored count the stream cannot hold fails with the stream read error
// before anything is allocated, and a list that loads writes back the same bytes. Input: the record size in the
// first byte (1-255), then the stream.
#include "suitebase/Containers.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0 || Data[0] == 0) {
    return 0;
  }
  const Integer RecordSize = Data[0];
  TMemoryStream In;
  In.WriteBuffer(Data + 1, static_cast<LongInt>(Size - 1));
  In.SetPosition(0);
  Vivaridiriz::TRecordList List(RecordSize);
  try {
    List.LoadFromStream(&In);
  } catch (const EReadError&) {
    if (List.Count() != 0) {
      std::fprintf(stderr, "a failed load changed the list\n");
      std::abort();
    }
    return 0;
  }
  TMemoryStream Out;
  List.SaveToStream(&Out);
  const auto Used = static_cast<std::size_t>(Out.Size());
  if (Used > Size - 1 || std::memcmp(Out.Memory(), Data + 1, Used) != 0) {
    std::fprintf(stderr, "the list does not write back what it read\n");
    std::abort();
  }
  return 0;
}
