// Fuzz target: batch target list files, current and older format. A read either succeeds or leaves the list
// empty; a list read writes back and reads again to the same number of targets.
#include "batchwizard/Targetlist.h"
#include "core/Batchwizclass.h"

#include "platform/win/DialogService.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string TempName(const char* Kind) { return "/tmp/zubq-targetlist-fuzz-" + std::to_string(::getpid()) + Kind; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static TScriptedDialogs Boxes;  // notices are answered at once
  static TScopedDialogService UseBoxes(Boxes);
  const std::string In = TempName(".lst");
  const std::string Out = TempName("-out.lst");
  if (std::FILE* F = std::fopen(In.c_str(), "wb")) {
    std::fwrite(Data, 1, Size, F);
    std::fclose(F);
  }
  PointerArrayManager List(FreeBatchTarget);
  const int R = ReadTargetList(nullptr, &List, In.c_str(), nullptr);
  if (R != TARGETLIST_READ && List.getCount() != 0) {
    std::abort();  // a failed read leaves no targets behind
  }
  if (R == TARGETLIST_READ) {
    if (WriteTargetList(nullptr, &List, Out.c_str()) != 0) {
      std::abort();
    }
    PointerArrayManager Back(FreeBatchTarget);
    if (ReadTargetList(nullptr, &Back, Out.c_str(), nullptr) != TARGETLIST_READ || Back.getCount() != List.getCount()) {
      std::abort();
    }
  }
  std::remove(In.c_str());
  std::remove(Out.c_str());
  return 0;
}
