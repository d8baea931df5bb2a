// The suite's settings in the registry (single values below one root key, long binary buffers, objects as
// component streams, published properties as one value each, string lists) or in a profile file section, and
// file associations.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/classes/Registry.h"
#include "platform/rtl/Variants.h"

#include <optional>
#include <string>

namespace Dorazori {

extern std::string RegistryKey;      // "Software\Halvex (Nimbra VCL)\Corvane Report\Version 4.11"
extern Integer DefaultRegBlockSize;  // 8192: chunk size of long buffers
extern std::string OptionsFileName;  // profile file of the profile routines

inline constexpr const char* SNotSupportedType = "This type isn't supported by WriteToRegistry";
inline constexpr const char* LongRegKeyMark = "__Long RegKey__";

// The platform family that decides the long-buffer form: the NT family stores one binary value. Tests switch
// it to see the chunked form (nullopt: ask the platform).
bool RegistryIsNTFamily();
void SetRegistryNTFamilyForTests(std::optional<bool> Value);

// The shared registry object (made on first use, rooted at HKEY_CURRENT_USER unless changed).
TRegistry* SuiteRegistry();
void SetRootRegKey(HKEY Key);
std::string GetNimbraRegKey(const std::string& SubKey);
// Deletes Key\SubKey and every key below it under Root; true when it is gone (or was never there).
bool DCDeleteRegKey(HKEY Root, const std::string& Key, const std::string& SubKey);

// Value paths: RegistryKey + "\" + Path, split at the last backslash into key and value name.
void WriteToRegistry(const std::string& Path, const Variant& Value);
Variant ReadFromRegistry(const std::string& Path, const Variant& Default);
bool RegValueExists(const std::string& Path);

void WriteBufToRegistry(const std::string& Path, const void* Buffer, Integer Size);
Integer ReadBufFromRegistry(const std::string& Path, void* Buffer, Integer Size);
Integer GetRegBufSize(const std::string& Path);  // -1 when the key does not exist
void WriteLongBufToRegistry(const std::string& Path, const void* Buffer, Integer Size);
Integer GetLongRegBufSize(const std::string& Path);
// Reads the chunks until the size wanted is read, a chunk comes back short, or the header cannot be trusted
// (a chunk size of 0, or text that does not parse): then what was read is given.
Integer ReadLongBufFromRegistry(const std::string& Path, void* Buffer, Integer Size);

// A memory stream kept as a long buffer: loaded when made (unless in create mode, which stores an empty one at
// once), written back when destroyed if written to or resized.
class TRegistryStream : public TMemoryStream {
  Z_CLASS(TRegistryStream, TMemoryStream)
public:
  TRegistryStream(const std::string& APath, Word Mode);
  ~TRegistryStream() override;
  LongInt Write(const void* Buffer, LongInt Count) override;
  const std::string& Path() const { return FPath; }

private:
  std::string FPath;
  Integer FLoadedSize = -1;
  bool FDirty = false;
};

void WriteObjToRegistry(const std::string& Path, TPersistent* Instance);
void WriteObjTextToRegistry(const std::string& Path, TPersistent* Instance);
void ReadObjFromRegistry(const std::string& Path, TPersistent* Instance);
void ReadObjTextFromRegistry(const std::string& Path, TPersistent* Instance);
void WriteStringsToRegistry(const std::string& Path, TStrings* Strings);
void ReadStringsFromRegistry(const std::string& Path, TStrings* Strings);
// Every stored published property as a value below Path (string lists and collections as their own forms,
// other objects recursively). The save is one registry write.
void WritePropsToRegistry(TPersistent* Instance, const std::string& Path);
void ReadPropsFromRegistry(TPersistent* Instance, const std::string& Path);

// Profile sections: the object's component data as upper-case hexadecimal text, 64 digits an entry. Loading
// reads the whole section; text that is not hexadecimal pairs loads nothing.
void SaveComponentToIniFile(TPersistent* Instance, const std::string& Section);
void LoadComponentFromIniFile(TPersistent* Instance, const std::string& Section);
std::string BufferToText(const void* Buffer, Integer Size);
// Writes the bytes of the text into Stream; false, with nothing written, when the text is not hexadecimal
// pairs (NULs between entries are skipped).
bool TextToStream(const std::string& Text, TStream* Stream);

void AssociateFileExt(const std::string& Ext, const std::string& TypeKey, const std::string& Command,
                      const std::string& IconFile, Integer IconIndex);
void UnAssociateFileExt(const std::string& Ext, const std::string& TypeKey);

}  // namespace Dorazori
