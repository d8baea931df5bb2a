// The mount table: any text is read without harm; every entry read has an absolute mount point and a known
// drive type, and the volumes Computer shows come out of it with "/" first.
#include "platform/win/ShlObj.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  std::vector<TMountEntry> Entries;
  ParseMountTable(Text, Entries);
  for (const TMountEntry& E : Entries) {
    if (E.MountPoint.empty() || E.MountPoint[0] != '/' || E.DriveType < DRIVE_REMOVABLE || E.DriveType > DRIVE_RAMDISK) {
      std::abort();
    }
  }
  static const std::string File = "/tmp/zubq-fuzz-mounts-" + std::to_string(getpid());
  std::ofstream(File, std::ios::binary) << Text;
  SetMountTableFile(File);
  const std::vector<TMountEntry> Shown = ShownVolumes();
  if (Shown.empty() || Shown[0].MountPoint != "/") {
    std::abort();
  }
  SetMountTableFile("");
  std::remove(File.c_str());
  return 0;
}
