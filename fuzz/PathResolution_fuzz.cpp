// Path resolution of links found in documents: a base and a target (split at the first line feed; the first
// byte picks the flags) resolved and normalised in every style, and the other path helpers over both.
#include "core/Pathprocessor.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) {
    return 0;
  }
  const int Flags = Data[0] & 0x3F;
  std::string Rest(reinterpret_cast<const char*>(Data + 1), Size - 1);
  Rest = Rest.substr(0, Rest.find('\0'));  // the functions take zero-terminated texts
  const std::size_t Nl = Rest.find('\n');
  const std::string Base = Rest.substr(0, Nl);
  const std::string Target = Nl == std::string::npos ? std::string() : Rest.substr(Nl + 1);
  int Code = 0;
  ResolveRelativePath(Base.c_str(), Target.c_str(), Flags, &Code);
  ResolveRelativePath(Base.c_str(), Target.c_str(), RESOLVE_FILE | (Flags & ~RESOLVE_URL), &Code);
  ResolveRelativePath(Base.c_str(), Target.c_str(), RESOLVE_URL | (Flags & ~RESOLVE_FILE), &Code);
  for (const std::string* S : {&Base, &Target}) {
    NormalizePath(S->c_str(), PATH_STYLE_FILE, &Code);
    NormalizePath(S->c_str(), PATH_STYLE_URL, &Code);
    GetFileNameFromPath(S->c_str());
    GetPathFileName(S->c_str());
    GetUrlFileName(S->c_str(), 0);
    GetUrlFileName(S->c_str(), 2);
    RemoveUrlAnchor(S->c_str());
    HasDriveOrScheme(S->c_str());
    EndsWithBackslash(S->c_str());
    IsAbsoluteWindowsPath(S->c_str());
    HasDriveLetter(S->c_str(), 1);
  }
  return 0;
}
