// Profile sections read by the suite: the input as hexadecimal text, and as the entries of a section loaded into
// an object. Text that is not hexadecimal pairs loads nothing; other bad data fails with the class library's
// errors; nothing crashes.
#include "suitebase/Regstore.h"

#include "platform/rtl/Exceptions.h"
#include "platform/win/Profile.h"
#include "tests/suitebase/SuiteSamples.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
const std::string& IniFile() {
  static const std::string Name = [] {
    char Template[] = "/tmp/zubq-fuzz-profile-XXXXXX";
    const char* Dir = mkdtemp(Template);
    return std::string(Dir != nullptr ? Dir : "/tmp") + "/options.ini";
  }();
  return Name;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  TMemoryStream S;
  if (!Dorazori::TextToStream(Text, &S) && S.Size() != 0) {
    std::fprintf(stderr, "text that was refused left bytes behind\n");
    std::abort();
  }
  // The input's lines become the section's entries (NULs separate them, as the section reader gives them).
  std::string Entries;
  for (char C : Text) {
    Entries += C == '\n' || C == '\r' ? '\0' : C;
  }
  Entries += std::string(2, '\0');
  Dorazori::OptionsFileName = IniFile();
  if (!WritePrivateProfileSection("Fuzz", Entries.c_str(), IniFile().c_str())) {
    return 0;
  }
  try {
    SuiteSamples::TSampleOptions O;
    Dorazori::LoadComponentFromIniFile(&O, "Fuzz");
  } catch (const Exception&) {
  }
  return 0;
}
