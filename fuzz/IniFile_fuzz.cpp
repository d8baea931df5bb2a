// Ini files: any file is read without harm through the profile functions (small buffers included) and the
// ini file class, and writing one key keeps every other section's values as they were.
#include "platform/classes/IniFiles.h"
#include "platform/classes/StringList.h"
#include "platform/win/Profile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

namespace {

std::string FileName() {
  static const std::string Name = "/tmp/zubq-fuzz-ini-" + std::to_string(getpid()) + ".ini";
  return Name;
}

// Every section's values, as the ini file class reads them.
std::map<std::string, std::string> Snapshot(TIniFile& Ini, const std::string& Skip) {
  std::map<std::string, std::string> Out;
  TStringList Sections;
  Ini.ReadSections(&Sections);
  for (Integer I = 0; I < Sections.Count(); ++I) {
    const std::string Section = Sections.Strings(I);
    if (Section == Skip) {
      continue;
    }
    TStringList Keys;
    Ini.ReadSection(Section, &Keys);
    for (Integer K = 0; K < Keys.Count(); ++K) {
      Out["[" + Section + "]" + Keys.Strings(K)] = Ini.ReadString(Section, Keys.Strings(K), "\x01missing");
    }
  }
  return Out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Name = FileName();
  {
    std::ofstream Out(Name, std::ios::binary | std::ios::trunc);
    Out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  }
  char Small[7];
  GetPrivateProfileString(nullptr, nullptr, "", Small, sizeof Small, Name.c_str());
  GetPrivateProfileSectionNames(Small, sizeof Small, Name.c_str());
  for (const std::string& Section : ProfileSectionNames(Name)) {
    GetPrivateProfileString(Section.c_str(), nullptr, "", Small, sizeof Small, Name.c_str());
    GetPrivateProfileSection(Section.c_str(), Small, sizeof Small, Name.c_str());
    for (const std::string& Key : ProfileKeyNames(Name, Section)) {
      GetPrivateProfileString(Section.c_str(), Key.c_str(), "", Small, sizeof Small, Name.c_str());
      GetPrivateProfileInt(Section.c_str(), Key.c_str(), 0, Name.c_str());
    }
  }
  {
    TIniFile Ini(Name);
    const auto Before = Snapshot(Ini, "Fuzz Section");
    Ini.WriteString("Fuzz Section", "Fuzz Key", "value");
    const auto After = Snapshot(Ini, "Fuzz Section");
    if (Before != After) {
      std::fprintf(stderr, "writing one key changed other sections' values\n");
      std::abort();
    }
    if (Ini.ReadString("Fuzz Section", "Fuzz Key", "") != "value") {
      std::fprintf(stderr, "the key written does not read back\n");
      std::abort();
    }
  }
  unlink(Name.c_str());
  return 0;
}
