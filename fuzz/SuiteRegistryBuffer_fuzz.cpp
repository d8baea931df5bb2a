// Long registry buffers in their chunked form: the input's first 36 bytes are the header value and the rest is
// shared out as the chunks. Reading never goes past the buffer it is given and always ends.
#include "suitebase/Regstore.h"

#include "platform/rtl/Exceptions.h"
#include "platform/win/RegistryStore.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
void UseFreshRegistry() {
  static const bool Done = [] {
    char Template[] = "/tmp/zubq-fuzz-registry-XXXXXX";
    if (const char* Dir = mkdtemp(Template)) {
      setenv("ZUBQ_REGISTRY_DIR", Dir, 1);
    }
    RegistryResetForTests();
    Dorazori::SetRegistryNTFamilyForTests(false);
    return true;
  }();
  (void)Done;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  UseFreshRegistry();
  const size_t HeaderSize = std::min<size_t>(Size, 36);
  try {
    Dorazori::WriteBufToRegistry("Fuzz\\Buf", Data, static_cast<Integer>(HeaderSize));
    const size_t Rest = Size - HeaderSize;
    const size_t Chunk = std::max<size_t>(1, (Rest + 2) / 3);
    for (size_t I = 0, Done = 0; I < 4; ++I) {
      const size_t N = std::min(Chunk, Rest - Done);
      Dorazori::WriteBufToRegistry("Fuzz\\Buf__" + IntToStr(static_cast<Int64>(I)), Data + HeaderSize + Done,
                                   static_cast<Integer>(N));
      Done += N;
    }
    const Integer Wanted = std::clamp<Integer>(Dorazori::GetLongRegBufSize("Fuzz\\Buf"), 0, 1 << 16);
    std::vector<char> Buffer(static_cast<size_t>(Wanted) + 1, '\x5A');
    const Integer Got = Dorazori::ReadLongBufFromRegistry("Fuzz\\Buf", Buffer.data(), Wanted);
    if (Got < 0 || Got > Wanted || Buffer[static_cast<size_t>(Wanted)] != '\x5A') {
      std::fprintf(stderr, "the read left its buffer\n");
      std::abort();
    }
    Dorazori::TRegistryStream Stream("Fuzz\\Buf", fmOpenRead);
  } catch (const Exception&) {
  }
  return 0;
}
