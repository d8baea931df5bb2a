// Fuzz target: the web-origin blocks of a batch target list. Every block read must write back and read again to
// the same record.
#include "core/Fileinfoextraclass.h"
#include "core/Filestore.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  std::string Bytes(reinterpret_cast<const char*>(Data), Size);
  std::FILE* In = fmemopen(Bytes.data(), Bytes.size() > 0 ? Bytes.size() : 1, "rb");
  if (In == nullptr) {
    return 0;
  }
  FileStore File;
  File.loadFile(In, 1);
  int Next = 0;
  while (Next < File.getLineCount()) {
    const int Before = Next;
    std::unique_ptr<fileinfoextraclass> R(fileinfoextraclass::ReadFromFileStore(&File, Next, &Next));
    if (R == nullptr) {
      break;
    }
    if (Next <= Before) {
      std::abort();  // the reader must move on
    }
    FileStore Out;
    R->WriteToFileStore(&Out);
    int After = 0;
    std::unique_ptr<fileinfoextraclass> Back(fileinfoextraclass::ReadFromFileStore(&Out, 0, &After));
    if (Back == nullptr || After != Out.getLineCount() || Back->flags != R->flags ||
        std::strcmp(Back->address.text, R->address.text) != 0 ||
        std::strcmp(Back->userAgent.text, R->userAgent.text) != 0 ||
        std::strcmp(Back->userName.text, R->userName.text) != 0) {
      std::abort();
    }
  }
  return 0;
}
