// The input as a program module file: the layer's resource reader, the resource writer's in-place patching and
// the resource-update rebuild either work or fail with their errors, and never read or write outside the file.
#include "platform/rtl/Exceptions.h"
#include "platform/win/PeResources.h"
#include "platform/win/Resources.h"
#include "suitebase/Reswriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {
const std::string& ModuleFile() {
  static const std::string Name = [] {
    char Template[] = "/tmp/zubq-fuzz-pe-XXXXXX";
    const char* Dir = mkdtemp(Template);
    return std::string(Dir != nullptr ? Dir : "/tmp") + "/module.exe";
  }();
  return Name;
}

void WriteModule(const uint8_t* Data, size_t Size) {
  std::ofstream Out(ModuleFile(), std::ios::binary | std::ios::trunc);
  Out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Image(reinterpret_cast<const char*>(Data), Size);
  std::vector<TPeResource> Resources;
  std::string Error;
  const bool Read = ReadPeResources(Image, Resources, Error);
  for (const TPeResource& R : Resources) {
    if (R.Data.size() > Size) {
      std::fprintf(stderr, "a resource larger than the file\n");
      std::abort();
    }
  }
  if (Read) {
    std::string Rebuilt;
    if (WritePeResources(Image, Resources, Rebuilt, Error)) {
      std::vector<TPeResource> Again;
      if (!ReadPeResources(Rebuilt, Again, Error) || Again.size() != Resources.size()) {
        std::fprintf(stderr, "a rebuilt module does not read back: %s\n", Error.c_str());
        std::abort();
      }
    }
  }
  WriteModule(Data, Size);
  try {
    Dorazori::TResourceWriter Writer(ModuleFile());
    Writer.Replace("ABOUT", "new data", 8);
  } catch (const Exception&) {
  }
  WriteModule(Data, Size);
  if (const HANDLE Update = BeginUpdateResource(ModuleFile().c_str(), FALSE)) {
    (void)UpdateResource(Update, RT_RCDATA, "ABOUT", 0, "x", 1);  // the end call reports the outcome
    (void)EndUpdateResource(Update, FALSE);                       // failing is allowed; crashing is not
  }
  return 0;
}
