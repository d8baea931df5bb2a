// EkRegistryEx: settings access with read-or-create and a read fallback to the default user; plain registry calls.
#pragma once

#include "core/Strstore.h"
#include "platform/classes/Registry.h"

#include <memory>
#include <string>

// Options of EkRegistryEx.
inline constexpr int EKREG_USE_FALLBACK = 1;  // reads fall back to HKEY_USERS\.DEFAULT for HKEY_CURRENT_USER keys
inline constexpr int EKREG_FALLBACK_OPEN = 2; // kept by the object: the fallback key is open for the current key

// Flags of EkRegistryEx::ReadStrStoreEx and ReadStringEx.
inline constexpr int EKREG_WRITE_BACK = 1;      // a missing value is written back with the text now held
inline constexpr int EKREG_SKIP_EMPTY = 2;      // ... unless that text is empty

// A registry object for one settings load or save (never kept). Reads read or create: a missing value takes the
// fallback key's value when there is one, else keeps the caller's default, and is written back. No operation
// lets a class-library exception out, except the float pair.
class EkRegistryEx : public TRegistry {
  Z_CLASS(EkRegistryEx, TRegistry)
public:
  EkRegistryEx* fallback = nullptr;
  int options = 0;

  explicit EkRegistryEx(int Options = 0);
  ~EkRegistryEx() override;

  // Opens (creating when CanCreate) the key, and with the fallback option under HKEY_CURRENT_USER also the same
  // key under HKEY_USERS\.DEFAULT read-only in the fallback (the key's full path, also when Path was relative to
  // a key opened before). 0 only when the open raised; a key that could not be
  // opened still gives 1 (its reads keep their defaults).
  int OpenKeyEx(const std::string& Path, bool CanCreate);
  int OpenKeyReadOnlyEx(const std::string& Path);
  // Value is the default on entry and the value read on return. Always 1.
  int ReadBoolEx(const std::string& Name, int& Value);
  int ReadIntegerEx(const std::string& Name, int& Value);
  // Raises what the class library raises.
  int ReadFloatEx(const std::string& Name, double& Value);
  // 0 only when the write-back raised.
  int ReadStrStoreEx(const std::string& Name, StrStore& Value, int Flags);
  // The same into Buffer (at most Size - 1 bytes, always terminated; its content is the default).
  int ReadStringEx(const std::string& Name, char* Buffer, int Size, int Flags);
  bool WriteBoolEx(const std::string& Name, bool Value);
  bool WriteIntegerEx(const std::string& Name, int Value);
  bool WriteStringEx(const std::string& Name, const char* Value);
  bool WriteStrStoreEx(const std::string& Name, StrStore Value);
  void WriteFloatEx(const std::string& Name, double Value);
  bool WriteIntegerAsStringEx(const std::string& Name, int Value);
  bool DeleteKeyEx(const std::string& Path);
  bool DeleteValueEx(const std::string& Name);

private:
  void openFallback(const std::string& Path);
  // The value from this object's open key, converted as the integer reads do; false when it does not exist.
  bool ReadIntegerFrom(TRegistry& Reg, const std::string& Name, int& Value, bool AsFlag);
  bool fallbackHas(const std::string& Name);
};

// Plain registry calls: each opens and closes its own handle on Root\Path.
// The value's data in a new buffer (zero-terminated), or null. A missing value is written as the Default text
// (REG_SZ, creating the key) and read again when WriteDefault is set and NoWrite is not.
std::unique_ptr<char[]> ReadRegistryValue(const char* Name, const char* Default, HKEY Root, const char* Path,
                                          int WriteDefault, int NoWrite);
// With the string's text as default; 1 when a value was read into it, else 0.
int ReadRegistryString(const char* Name, StrStore& Value, int WriteDefault, HKEY Root, const char* Path);
// An int kept as decimal text.
int ReadRegistryInteger(const char* Name, int& Value, int WriteDefault, HKEY Root, const char* Path);
// Creates or opens the key and sets the value (REG_SZ with Size 0: the text and its terminator); a null name or
// data only creates the key. 1 or 0.
int WriteRegistryValue(const char* Name, const void* Data, HKEY Root, const char* Path, DWORD Type, DWORD Size);
int WriteRegistryInteger(const char* Name, int Value, HKEY Root, const char* Path);
// 1 when the key is gone afterwards (or never existed); 0 when it cannot be deleted (for one, it has sub keys).
int DeleteRegistryKey(HKEY Root, const char* Path);
