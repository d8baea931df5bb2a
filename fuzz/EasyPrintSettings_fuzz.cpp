// Reads the print settings from a settings file whose "PrintSettings" entry holds the input as its property
// stream; bad input must raise or be ignored, never crash, and the settings stay usable.
#include "editor/Easyprint.h"
#include "editor/Easyutils.h"
#include "platform/controls/TestHarness.h"

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const std::string File = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Harness::Start();
    return (std::filesystem::temp_directory_path() / ("zubq_printsettings_fuzz_" + std::to_string(getpid()) + ".txt"))
        .string();
  }();
  const std::string Input(reinterpret_cast<const char*>(Data), Size);
  {
    std::ofstream Out(File, std::ios::binary | std::ios::trunc);
    Out << "PrintSettings=" << StringToHex(Input) << "\r\n";
  }
  static TEasyPrintSettings* Settings = PrintSettings();
  Settings->Init();
  try {
    ReadPersistentFromFile(Settings, File, "PrintSettings");
  } catch (const std::exception&) {
    // A damaged entry is refused.
  }
  if (Settings->Font()->Size() <= 0 || Settings->Options.ToMask() > 0xFF) {
    std::abort();
  }
  std::filesystem::remove(File);
  return 0;
}
