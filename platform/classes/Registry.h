// TRegistry and TRegIniFile: the class library's wrappers over the registry functions.
#pragma once

#include "platform/rtl/Exceptions.h"
#include "platform/win/WinReg.h"

#include <string>

class TStrings;

Z_EXCEPTION(ERegistryException, Exception)

// The class library's messages for registry failures.
namespace RegistryConsts {
inline constexpr const char* SRegCreateFailed = "Unable to create key %s";
inline constexpr const char* SRegGetDataFailed = "Failed to get data for '%s'";
inline constexpr const char* SRegSetDataFailed = "Failed to set data for '%s'";
inline constexpr const char* SInvalidRegType = "Invalid data type for '%s'";
}  // namespace RegistryConsts

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegKeyInfo {
  Integer NumSubKeys = 0;
  Integer MaxSubKeyLen = 0;
  Integer NumValues = 0;
  Integer MaxValueLen = 0;   // longest value name
  Integer MaxDataLen = 0;
  TFileTime FileTime;
};

struct TRegDataInfo {
  TRegDataType RegData = rdUnknown;
  Integer DataSize = 0;
};

// A cursor on the registry: a root key and at most one open current key, on which the Read/Write calls act.
// Paths use '\'. A path that starts with '\' is absolute (from RootKey); any other path is relative to the current
// key when one is open, else to RootKey. Reads of a missing value raise ERegistryException, except ReadString
// (which gives '') and ReadBinaryData (which gives 0). Not copyable; the current key closes on destruction.
class TRegistry : public TObject {
  Z_CLASS(TRegistry, TObject)
public:
  TRegistry();
  explicit TRegistry(LongWord AAccess);
  ~TRegistry() override;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  void CloseKey();
  // Creates a key (relative or absolute); raises ERegistryException "Unable to create key %s" on failure.
  bool CreateKey(const std::string& Key);
  // Deletes a key with all its sub keys. False when it does not exist or cannot be deleted.
  bool DeleteKey(const std::string& Key);
  bool DeleteValue(const std::string& Name);
  bool GetDataInfo(const std::string& ValueName, TRegDataInfo& Value);
  Integer GetDataSize(const std::string& ValueName);      // -1 when the value does not exist
  TRegDataType GetDataType(const std::string& ValueName); // rdUnknown when it does not exist
  bool GetKeyInfo(TRegKeyInfo& Value);
  void GetKeyNames(TStrings* Strings);
  void GetValueNames(TStrings* Strings);
  bool HasSubKeys();
  bool KeyExists(const std::string& Key);
  // Copies OldName's key tree to NewName; with Delete, removes the old one afterwards. Does nothing when OldName
  // does not exist or NewName does.
  void MoveKey(const std::string& OldName, const std::string& NewName, bool Delete);
  // Opens a key as the current key with Access rights, creating it (and its path) when CanCreate.
  bool OpenKey(const std::string& Key, bool CanCreate);
  // Opens a key for reading; Access becomes the read rights that were granted, as in the class library.
  bool OpenKeyReadOnly(const std::string& Key);
  // Renames a value, keeping its exact type and data; nothing happens when OldName is missing or NewName exists.
  void RenameValue(const std::string& OldName, const std::string& NewName);
  bool ValueExists(const std::string& Name);

  std::string ReadString(const std::string& Name);
  void WriteString(const std::string& Name, const std::string& Value);
  void WriteExpandString(const std::string& Name, const std::string& Value);
  Integer ReadInteger(const std::string& Name);
  void WriteInteger(const std::string& Name, Integer Value);
  bool ReadBool(const std::string& Name);
  void WriteBool(const std::string& Name, bool Value);
  double ReadFloat(const std::string& Name);  // 8 bytes of binary data
  void WriteFloat(const std::string& Name, double Value);
  // Stored as the class library stores Currency: a 64-bit integer of ten-thousandths, as binary data.
  Currency ReadCurrency(const std::string& Name);
  void WriteCurrency(const std::string& Name, Currency Value);
  TDateTime ReadDate(const std::string& Name) { return ReadDateTime(Name); }
  TDateTime ReadTime(const std::string& Name) { return ReadDateTime(Name); }
  TDateTime ReadDateTime(const std::string& Name);
  void WriteDate(const std::string& Name, TDateTime Value) { WriteDateTime(Name, Value); }
  void WriteTime(const std::string& Name, TDateTime Value) { WriteDateTime(Name, Value); }
  void WriteDateTime(const std::string& Name, TDateTime Value);
  // Copies binary (or untyped) data into Buffer; returns its size, 0 when the value is missing. Raises "Invalid
  // data type" when the value has another type or does not fit in BufSize.
  Integer ReadBinaryData(const std::string& Name, void* Buffer, Integer BufSize);
  void WriteBinaryData(const std::string& Name, const void* Buffer, Integer BufSize);

  HKEY CurrentKey() const { return FCurrentKey; }
  const std::string& CurrentPath() const { return FCurrentPath; }
  bool LazyWrite() const { return FLazyWrite; }
  void SetLazyWrite(bool Value) { FLazyWrite = Value; }
  HKEY RootKey() const { return FRootKey; }
  void SetRootKey(HKEY Value);  // closes the current key
  LongWord Access() const { return FAccess; }
  void SetAccess(LongWord Value) { FAccess = Value; }

protected:
  void ChangeKey(HKEY Value, const std::string& Path);
  HKEY GetBaseKey(bool Relative) const;
  Integer GetData(const std::string& Name, void* Buffer, Integer BufSize, TRegDataType& RegData);
  // Opens Key (relative or absolute) with Access; 0 when it cannot.
  HKEY GetKey(const std::string& Key);
  void PutData(const std::string& Name, const void* Buffer, Integer BufSize, TRegDataType RegData);
  void SetCurrentKey(HKEY Value) { FCurrentKey = Value; }

private:
  [[noreturn]] static void ReadError(const std::string& Name);
  void ReadFixed(const std::string& Name, void* Buffer, Integer Size);

  HKEY FCurrentKey = 0;
  HKEY FRootKey = HKEY_CURRENT_USER;
  bool FLazyWrite = true;
  std::string FCurrentPath;
  LongWord FAccess = KEY_ALL_ACCESS;
};

// An ini-file-like view of a registry key: each section is a sub key, each entry a value; integers and booleans
// are stored as strings. The key is FileName, opened (and created) at construction relative to HKEY_CURRENT_USER.
class TRegIniFile : public TRegistry {
  Z_CLASS(TRegIniFile, TRegistry)
public:
  explicit TRegIniFile(const std::string& FileName);
  TRegIniFile(const std::string& FileName, LongWord AAccess);

  const std::string& FileName() const { return FFileName; }
  std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default);
  void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value);
  // Reads string values as numbers (Default when not one) and integer values as they are.
  LongInt ReadInteger(const std::string& Section, const std::string& Ident, LongInt Default);
  void WriteInteger(const std::string& Section, const std::string& Ident, LongInt Value);
  bool ReadBool(const std::string& Section, const std::string& Ident, bool Default);
  void WriteBool(const std::string& Section, const std::string& Ident, bool Value);
  void ReadSection(const std::string& Section, TStrings* Strings);        // the value names
  void ReadSections(TStrings* Strings);                                   // the sub key names
  void ReadSectionValues(const std::string& Section, TStrings* Strings);  // "Name=Value" lines
  void EraseSection(const std::string& Section);
  void DeleteKey(const std::string& Section, const std::string& Ident);

  using TRegistry::DeleteKey;
  using TRegistry::ReadBool;
  using TRegistry::ReadInteger;
  using TRegistry::ReadString;
  using TRegistry::WriteBool;
  using TRegistry::WriteInteger;
  using TRegistry::WriteString;

private:
  // Runs Fn with the section's key as the current key (the current key itself for an empty section); false
  // when the section cannot be opened (or created, with Create).
  template <class TFn> bool WithSection(const std::string& Section, bool Create, TFn Fn);

  std::string FFileName;
};
