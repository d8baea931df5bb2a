// Replacing a resource's data in a program module file: through the platform's resource-update calls, or by
// patching the file in place (the data appended, its directory entry pointed at it).
#pragma once

#include "platform/rtl/Types.h"
#include "platform/win/WinTypes.h"

#include <string>

namespace Dorazori {

inline constexpr const char* SCantOpenForWriting = "Can't open file for writing";
inline constexpr const char* SInvalidFileFormat = "Invalid file format";
inline constexpr const char* SNoResources = "This file doesn't contain resources";
inline constexpr const char* SResourceNotFound = "Resource not found";
inline constexpr const char* SNot32BitModule = "The file is not a 32-bit module";
inline constexpr const char* SResourcesNotLast = "The resource section is not the last section of the file";
inline constexpr const char* SErrorCode = "\r\nError code : %d";

// Patches a 32-bit module in place. Made for one file; raises Exception with the texts above when the file
// cannot be opened, is no valid 32-bit module, has no resource section, or has one that is not the last thing
// in the file (appended data would land outside it).
class TResourceWriter {
public:
  explicit TResourceWriter(const std::string& AModulePath);
  TResourceWriter(const TResourceWriter&) = delete;
  TResourceWriter& operator=(const TResourceWriter&) = delete;
  // Points the first resource named ResourceName (any type; numeric identifiers never match) at a copy of
  // Data appended to the file, which grows by a multiple of 4096 bytes larger than Length. Raises
  // SResourceNotFound.
  void Replace(const std::string& ResourceName, const void* Data, Integer Length);
  Integer Growth() const { return FGrowth; }

private:
  std::string FModulePath;
  std::string FImage;
  Integer FGrowth = 0;
};

// Replaces (or adds) a resource: the resource-update calls on the NT family, else TResourceWriter (the type
// and language ignored; failures raise). True when it succeeded.
bool ResourceUpdate(const std::string& ModuleFile, LPCSTR ResourceType, LPCSTR ResourceName, Integer Size,
                    const void* Data, WORD Language);
// Adds the whole source file to the module as the RCDATA resource ResourceName.
void AddResFromFile(const std::string& SourceFile, const std::string& ModuleFile, const std::string& ResourceName);

}  // namespace Dorazori
