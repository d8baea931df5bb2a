// EkRegistryEx and the plain registry calls.
#include "core/Ekregistryex.h"

#include "platform/rtl/SysUtils.h"

#include <cstdlib>
#include <cstring>

Z_IMPLEMENT_CLASS(EkRegistryEx, TRegistry)

EkRegistryEx::EkRegistryEx(int Options) : options(Options & EKREG_USE_FALLBACK) {
  if ((options & EKREG_USE_FALLBACK) != 0) {
    fallback = new EkRegistryEx(0);
    fallback->SetRootKey(HKEY_USERS);
  }
}

EkRegistryEx::~EkRegistryEx() {
  if (fallback != nullptr) {
    fallback->CloseKey();
    delete fallback;
  }
}

int EkRegistryEx::OpenKeyEx(const std::string& Path, bool CanCreate) {
  options &= ~EKREG_FALLBACK_OPEN;
  bool Opened = false;
  try {
    Opened = OpenKey(Path, CanCreate);
  } catch (const Exception&) {
    return 0;
  }
  openFallback(Opened ? CurrentPath() : Path);
  return 1;
}

void EkRegistryEx::openFallback(const std::string& Path) {
  if ((options & EKREG_USE_FALLBACK) == 0 || fallback == nullptr || RootKey() != HKEY_CURRENT_USER) {
    return;
  }
  options |= EKREG_FALLBACK_OPEN;
  try {
    fallback->CloseKey();
    const std::string Sep = (!Path.empty() && Path[0] == '\\') ? "" : "\\";
    fallback->OpenKeyReadOnly("\\.DEFAULT" + Sep + Path);
  } catch (const Exception&) {
    // The fallback only helps reading; a failure there changes nothing.
  }
}

int EkRegistryEx::OpenKeyReadOnlyEx(const std::string& Path) {
  options &= ~EKREG_FALLBACK_OPEN;
  bool Opened = false;
  try {
    Opened = OpenKeyReadOnly(Path);
  } catch (const Exception&) {
  }
  openFallback(Opened ? CurrentPath() : Path);
  return 1;
}

bool EkRegistryEx::fallbackHas(const std::string& Name) {
  if ((options & EKREG_FALLBACK_OPEN) == 0 || fallback == nullptr || fallback->CurrentKey() == 0) {
    return false;
  }
  try {
    return fallback->ValueExists(Name);
  } catch (const Exception&) {
    return false;
  }
}

bool EkRegistryEx::ReadIntegerFrom(TRegistry& Reg, const std::string& Name, int& Value, bool AsFlag) {
  try {
    if (!Reg.ValueExists(Name)) {
      return false;
    }
    int Read = 0;
    if (Reg.GetDataType(Name) == rdString || Reg.GetDataType(Name) == rdExpandString) {
      Read = StrToInt(Reg.ReadString(Name));
    } else if (AsFlag) {
      Read = Reg.ReadBool(Name) ? 1 : 0;
    } else {
      Read = Reg.ReadInteger(Name);
    }
    Value = AsFlag ? (Read != 0 ? 1 : 0) : Read;
  } catch (const Exception&) {
    // A value of the wrong type or text that is no number leaves the default.
  }
  return true;
}

int EkRegistryEx::ReadIntegerEx(const std::string& Name, int& Value) {
  if (!ReadIntegerFrom(*this, Name, Value, false)) {
    if (fallbackHas(Name)) {
      ReadIntegerFrom(*fallback, Name, Value, false);
    }
    WriteIntegerEx(Name, Value);
  }
  return 1;
}

int EkRegistryEx::ReadBoolEx(const std::string& Name, int& Value) {
  if (!ReadIntegerFrom(*this, Name, Value, true)) {
    if (fallbackHas(Name)) {
      ReadIntegerFrom(*fallback, Name, Value, true);
    }
    WriteBoolEx(Name, Value != 0);
  }
  return 1;
}

int EkRegistryEx::ReadFloatEx(const std::string& Name, double& Value) {
  if (ValueExists(Name)) {
    Value = ReadFloat(Name);
    return 1;
  }
  if (fallbackHas(Name)) {
    Value = fallback->ReadFloat(Name);
  }
  WriteFloat(Name, Value);
  return 1;
}

int EkRegistryEx::ReadStrStoreEx(const std::string& Name, StrStore& Value, int Flags) {
  try {
    if (ValueExists(Name)) {
      const std::string S = ReadString(Name);
      Value.setString(S.data(), static_cast<int>(S.size()));
      return 1;
    }
  } catch (const Exception&) {
    return 1;  // a value that cannot be read as text keeps the default
  }
  if (fallbackHas(Name)) {
    try {
      const std::string S = fallback->ReadString(Name);
      Value.setString(S.data(), static_cast<int>(S.size()));
    } catch (const Exception&) {
    }
  }
  if ((Flags & EKREG_WRITE_BACK) != 0 && !((Flags & EKREG_SKIP_EMPTY) != 0 && Value.length == 0)) {
    try {
      WriteString(Name, std::string(Value.text, static_cast<std::size_t>(Value.length)));
    } catch (const Exception&) {
      return 0;
    }
  }
  return 1;
}

int EkRegistryEx::ReadStringEx(const std::string& Name, char* Buffer, int Size, int Flags) {
  if (Buffer == nullptr || Size < 1) {
    return 0;
  }
  Buffer[Size - 1] = 0;
  StrStore Value(Buffer);
  const int Result = ReadStrStoreEx(Name, Value, Flags);
  const int N = Value.length < Size - 1 ? Value.length : Size - 1;
  std::memcpy(Buffer, Value.text, static_cast<std::size_t>(N));
  Buffer[N] = 0;
  return Result;
}

bool EkRegistryEx::WriteBoolEx(const std::string& Name, bool Value) {
  try {
    WriteBool(Name, Value);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

bool EkRegistryEx::WriteIntegerEx(const std::string& Name, int Value) {
  try {
    WriteInteger(Name, Value);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

bool EkRegistryEx::WriteStringEx(const std::string& Name, const char* Value) {
  try {
    WriteString(Name, Value != nullptr ? Value : "");
    return true;
  } catch (const Exception&) {
    return false;
  }
}

bool EkRegistryEx::WriteStrStoreEx(const std::string& Name, StrStore Value) {
  try {
    WriteString(Name, std::string(Value.text, static_cast<std::size_t>(Value.length)));
    return true;
  } catch (const Exception&) {
    return false;
  }
}

void EkRegistryEx::WriteFloatEx(const std::string& Name, double Value) { WriteFloat(Name, Value); }

bool EkRegistryEx::WriteIntegerAsStringEx(const std::string& Name, int Value) {
  return WriteStringEx(Name, IntToStr(Value).c_str());
}

bool EkRegistryEx::DeleteKeyEx(const std::string& Path) {
  try {
    return DeleteKey(Path);
  } catch (const Exception&) {
    return false;
  }
}

bool EkRegistryEx::DeleteValueEx(const std::string& Name) {
  try {
    return DeleteValue(Name);
  } catch (const Exception&) {
    return false;
  }
}

// ---- Plain registry calls ---------------------------------------------------------------------------------------

namespace {

std::unique_ptr<char[]> QueryValue(HKEY Root, const char* Path, const char* Name) {
  HKEY Key = 0;
  if (RegOpenKeyEx(Root, Path, 0, KEY_READ, &Key) != ERROR_SUCCESS) {
    return nullptr;
  }
  std::unique_ptr<char[]> Data;
  DWORD Type = 0;
  DWORD Size = 0;
  if (RegQueryValueEx(Key, Name, nullptr, &Type, nullptr, &Size) == ERROR_SUCCESS) {
    Data.reset(new char[Size + 1]);
    if (RegQueryValueEx(Key, Name, nullptr, &Type, reinterpret_cast<BYTE*>(Data.get()), &Size) == ERROR_SUCCESS) {
      Data[Size] = 0;  // string data may have been stored without its terminator
    } else {
      Data.reset();
    }
  }
  RegCloseKey(Key);
  return Data;
}

}  // namespace

std::unique_ptr<char[]> ReadRegistryValue(const char* Name, const char* Default, HKEY Root, const char* Path,
                                          int WriteDefault, int NoWrite) {
  std::unique_ptr<char[]> Data = QueryValue(Root, Path, Name);
  if (Data == nullptr && WriteDefault != 0 && NoWrite == 0) {
    if (WriteRegistryValue(Name, Default != nullptr ? Default : "", Root, Path, REG_SZ, 0) != 0) {
      Data = QueryValue(Root, Path, Name);
    }
  }
  return Data;
}

int ReadRegistryString(const char* Name, StrStore& Value, int WriteDefault, HKEY Root, const char* Path) {
  std::unique_ptr<char[]> Data = ReadRegistryValue(Name, Value.text, Root, Path, WriteDefault, 0);
  if (Data == nullptr) {
    return 0;
  }
  Value.assign(Data.get());
  return 1;
}

int ReadRegistryInteger(const char* Name, int& Value, int WriteDefault, HKEY Root, const char* Path) {
  const std::string Default = IntToStr(Value);
  std::unique_ptr<char[]> Data = ReadRegistryValue(Name, Default.c_str(), Root, Path, WriteDefault, 0);
  if (Data == nullptr) {
    return 0;
  }
  Value = static_cast<int>(std::strtol(Data.get(), nullptr, 10));
  return 1;
}

int WriteRegistryValue(const char* Name, const void* Data, HKEY Root, const char* Path, DWORD Type, DWORD Size) {
  HKEY Key = 0;
  DWORD Disposition = 0;
  char Class[1] = {0};
  if (RegCreateKeyEx(Root, Path != nullptr ? Path : "", 0, Class, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &Key,
                     &Disposition) != ERROR_SUCCESS) {
    return 0;
  }
  LONG Result = ERROR_SUCCESS;
  if (Name != nullptr && Data != nullptr) {
    if (Type == REG_SZ && Size == 0) {
      Size = static_cast<DWORD>(std::strlen(static_cast<const char*>(Data)) + 1);
    }
    Result = RegSetValueEx(Key, Name, 0, Type, static_cast<const BYTE*>(Data), Size);
  }
  RegCloseKey(Key);
  return Result == ERROR_SUCCESS ? 1 : 0;
}

int WriteRegistryInteger(const char* Name, int Value, HKEY Root, const char* Path) {
  const std::string Text = IntToStr(Value);
  return WriteRegistryValue(Name, Text.c_str(), Root, Path, REG_SZ, 0);
}

int DeleteRegistryKey(HKEY Root, const char* Path) {
  HKEY Key = 0;
  if (RegOpenKeyEx(Root, Path, 0, KEY_READ, &Key) != ERROR_SUCCESS) {
    return 1;
  }
  RegCloseKey(Key);
  if (RegOpenKeyEx(Root, Path, 0, KEY_ALL_ACCESS, &Key) != ERROR_SUCCESS) {
    return 0;
  }
  RegCloseKey(Key);
  const LONG Result = RegDeleteKey(Root, Path);
  return (Result == ERROR_SUCCESS || Result == ERROR_FILE_NOT_FOUND || Result == ERROR_KEY_DELETED) ? 1 : 0;
}
