// The colour-style file reader: any bytes give the file's styles or "Not a color styles file", and the styles
// read are usable by a control.
#include "codeeditor/Vuvudi.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/UnitInit.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {
// The file of this run, removed when the program ends.
struct TScratch {
  TScratch() {
    char Template[] = "/tmp/zubq-colorstyles-XXXXXX";
    const char* Made = ::mkdtemp(Template);
    Folder = Made != nullptr ? Made : "";
  }
  ~TScratch() {
    if (!Folder.empty()) {
      std::error_code Ignored;
      std::filesystem::remove_all(Folder, Ignored);
    }
  }
  std::string Folder;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static TScratch Scratch;
  static const bool Ready = [] {
    InitializeUnits();
    return true;
  }();
  (void)Ready;
  if (Scratch.Folder.empty()) {
    std::abort();
  }
  const std::string Name = Scratch.Folder + "/styles.RGB";
  {
    std::ofstream Out(Name, std::ios::binary | std::ios::trunc);
    Out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  }
  Vuvudi::TTextStyles Styles(nullptr);
  Styles.SetDefaultStyles();
  try {
    Styles.LoadColorStylesFromFile(Name);
  } catch (const Exception& E) {
    if (E.Message() != "Not a color styles file") {
      std::abort();
    }
    if (Styles.Count() != 25) {
      std::abort();  // a failed read changes nothing
    }
  }
  for (Integer I = 0; I < Styles.Count(); ++I) {
    (void)Styles.GetItem(I)->Font()->Handle();
  }
  return 0;
}
