// TRegistry and TRegIniFile: the class library's wrappers over the registry functions.
#include "platform/classes/Registry.h"

#include "platform/classes/StringList.h"
#include "platform/rtl/SysUtils.h"

#include <cmath>
#include <cstring>
#include <vector>

Z_IMPLEMENT_CLASS(ERegistryException, Exception)
Z_IMPLEMENT_CLASS(TRegistry, TObject)
Z_IMPLEMENT_CLASS(TRegIniFile, TRegistry)

namespace {

bool IsRelative(const std::string& Value) { return Value.empty() || Value[0] != '\\'; }

std::string WithoutLead(const std::string& Key) { return IsRelative(Key) ? Key : Key.substr(1); }

TRegDataType DataTypeToRegData(DWORD Value) {
  switch (Value) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
  }
}

DWORD RegDataToDataType(TRegDataType Value) {
  switch (Value) {
    case rdString: return REG_SZ;
    case rdExpandString: return REG_EXPAND_SZ;
    case rdInteger: return REG_DWORD;
    case rdBinary: return REG_BINARY;
    default: return REG_NONE;
  }
}

// Copies a whole key tree (values and sub keys) from Source to Dest.
void CopyTree(HKEY Source, HKEY Dest) {
  std::vector<char> Name;
  std::vector<BYTE> Data;
  DWORD MaxSub = 0;
  DWORD MaxName = 0;
  DWORD MaxData = 0;
  if (RegQueryInfoKey(Source, nullptr, nullptr, nullptr, nullptr, &MaxSub, nullptr, nullptr, &MaxName, &MaxData,
                      nullptr, nullptr) != ERROR_SUCCESS) {
    return;
  }
  Name.resize(std::max(MaxSub, MaxName) + 1);
  Data.resize(MaxData + 1);
  for (DWORD I = 0;; ++I) {
    DWORD NameLen = static_cast<DWORD>(Name.size());
    DWORD DataLen = static_cast<DWORD>(Data.size());
    DWORD Type = REG_NONE;
    if (RegEnumValue(Source, I, Name.data(), &NameLen, nullptr, &Type, Data.data(), &DataLen) != ERROR_SUCCESS) {
      break;
    }
    RegSetValueEx(Dest, Name.data(), 0, Type, Data.data(), DataLen);
  }
  for (DWORD I = 0;; ++I) {
    DWORD NameLen = static_cast<DWORD>(Name.size());
    if (RegEnumKeyEx(Source, I, Name.data(), &NameLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      break;
    }
    HKEY SubSource = 0;
    HKEY SubDest = 0;
    if (RegOpenKeyEx(Source, Name.data(), 0, KEY_READ, &SubSource) == ERROR_SUCCESS) {
      if (RegCreateKeyEx(Dest, Name.data(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &SubDest,
                         nullptr) == ERROR_SUCCESS) {
        CopyTree(SubSource, SubDest);
        RegCloseKey(SubDest);
      }
      RegCloseKey(SubSource);
    }
  }
}

}  // namespace

TRegistry::TRegistry() = default;

TRegistry::TRegistry(LongWord AAccess) : FAccess(AAccess) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::ReadError(const std::string& Name) {
  throw ERegistryException(Format(RegistryConsts::SInvalidRegType, {Name}));
}

void TRegistry::CloseKey() {
  if (FCurrentKey != 0) {
    if (!FLazyWrite) {
      RegFlushKey(FCurrentKey);
    }
    RegCloseKey(FCurrentKey);
    FCurrentKey = 0;
    FCurrentPath.clear();
  }
}

void TRegistry::SetRootKey(HKEY Value) {
  if (FRootKey != Value) {
    FRootKey = Value;
    CloseKey();
  }
}

void TRegistry::ChangeKey(HKEY Value, const std::string& Path) {
  CloseKey();
  FCurrentKey = Value;
  FCurrentPath = Path;
}

HKEY TRegistry::GetBaseKey(bool Relative) const {
  return (FCurrentKey == 0 || !Relative) ? FRootKey : FCurrentKey;
}

HKEY TRegistry::GetKey(const std::string& Key) {
  HKEY Result = 0;
  if (RegOpenKeyEx(GetBaseKey(IsRelative(Key)), WithoutLead(Key).c_str(), 0, FAccess, &Result) != ERROR_SUCCESS) {
    return 0;
  }
  return Result;
}

bool TRegistry::CreateKey(const std::string& Key) {
  HKEY TempKey = 0;
  DWORD Disposition = 0;
  if (RegCreateKeyEx(GetBaseKey(IsRelative(Key)), WithoutLead(Key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                     KEY_ALL_ACCESS, nullptr, &TempKey, &Disposition) != ERROR_SUCCESS) {
    throw ERegistryException(Format(RegistryConsts::SRegCreateFailed, {Key}));
  }
  RegCloseKey(TempKey);
  return true;
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) {
  const bool Relative = IsRelative(Key);
  std::string S = WithoutLead(Key);
  HKEY TempKey = 0;
  LONG Result = ERROR_SUCCESS;
  if (!CanCreate || S.empty()) {
    Result = RegOpenKeyEx(GetBaseKey(Relative), S.c_str(), 0, FAccess, &TempKey);
  } else {
    DWORD Disposition = 0;
    Result = RegCreateKeyEx(GetBaseKey(Relative), S.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess, nullptr,
                            &TempKey, &Disposition);
  }
  if (Result != ERROR_SUCCESS) {
    return false;
  }
  if (FCurrentKey != 0 && Relative) {
    S = FCurrentPath + "\\" + S;
  }
  ChangeKey(TempKey, S);
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& Key) {
  const bool Relative = IsRelative(Key);
  std::string S = WithoutLead(Key);
  // The widest read rights that are granted: all read rights, then enumerate + query, then query alone.
  for (const LongWord Rights : {KEY_READ, STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
                                static_cast<LongWord>(KEY_QUERY_VALUE)}) {
    HKEY TempKey = 0;
    if (RegOpenKeyEx(GetBaseKey(Relative), S.c_str(), 0, Rights, &TempKey) == ERROR_SUCCESS) {
      FAccess = Rights;
      if (FCurrentKey != 0 && Relative) {
        S = FCurrentPath + "\\" + S;
      }
      ChangeKey(TempKey, S);
      return true;
    }
  }
  return false;
}

bool TRegistry::KeyExists(const std::string& Key) {
  const LongWord OldAccess = FAccess;
  FAccess = STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS;
  const HKEY TempKey = GetKey(Key);
  FAccess = OldAccess;
  if (TempKey != 0) {
    RegCloseKey(TempKey);
  }
  return TempKey != 0;
}

bool TRegistry::GetKeyInfo(TRegKeyInfo& Value) {
  Value = TRegKeyInfo();
  DWORD NumSubKeys = 0, MaxSubKeyLen = 0, NumValues = 0, MaxValueLen = 0, MaxDataLen = 0;
  const bool Ok = RegQueryInfoKey(FCurrentKey, nullptr, nullptr, nullptr, &NumSubKeys, &MaxSubKeyLen, nullptr,
                                  &NumValues, &MaxValueLen, &MaxDataLen, nullptr, &Value.FileTime) == ERROR_SUCCESS;
  if (Ok) {
    Value.NumSubKeys = static_cast<Integer>(NumSubKeys);
    Value.MaxSubKeyLen = static_cast<Integer>(MaxSubKeyLen);
    Value.NumValues = static_cast<Integer>(NumValues);
    Value.MaxValueLen = static_cast<Integer>(MaxValueLen);
    Value.MaxDataLen = static_cast<Integer>(MaxDataLen);
  }
  return Ok;
}

bool TRegistry::HasSubKeys() {
  TRegKeyInfo Info;
  return GetKeyInfo(Info) && Info.NumSubKeys > 0;
}

void TRegistry::GetKeyNames(TStrings* Strings) {
  Strings->Clear();
  TRegKeyInfo Info;
  if (!GetKeyInfo(Info)) {
    return;
  }
  std::vector<char> S(static_cast<std::size_t>(Info.MaxSubKeyLen) + 1);
  Strings->BeginUpdate();
  for (Integer I = 0; I < Info.NumSubKeys; ++I) {
    DWORD Len = static_cast<DWORD>(S.size());
    if (RegEnumKeyEx(FCurrentKey, static_cast<DWORD>(I), S.data(), &Len, nullptr, nullptr, nullptr, nullptr) ==
        ERROR_SUCCESS) {
      Strings->Add(std::string(S.data(), Len));
    }
  }
  Strings->EndUpdate();
}

void TRegistry::GetValueNames(TStrings* Strings) {
  Strings->Clear();
  TRegKeyInfo Info;
  if (!GetKeyInfo(Info)) {
    return;
  }
  std::vector<char> S(static_cast<std::size_t>(Info.MaxValueLen) + 1);
  Strings->BeginUpdate();
  for (Integer I = 0; I < Info.NumValues; ++I) {
    DWORD Len = static_cast<DWORD>(S.size());
    if (RegEnumValue(FCurrentKey, static_cast<DWORD>(I), S.data(), &Len, nullptr, nullptr, nullptr, nullptr) ==
        ERROR_SUCCESS) {
      Strings->Add(std::string(S.data(), Len));
    }
  }
  Strings->EndUpdate();
}

bool TRegistry::DeleteKey(const std::string& Key) {
  const bool Relative = IsRelative(Key);
  const std::string S = WithoutLead(Key);
  const HKEY OldKey = FCurrentKey;
  const HKEY Doomed = GetKey(Key);
  if (Doomed != 0) {
    // Sub keys go first, from the last one down, each relative to the key being deleted.
    SetCurrentKey(Doomed);
    try {
      TRegKeyInfo Info;
      if (GetKeyInfo(Info)) {
        std::vector<char> Name(static_cast<std::size_t>(Info.MaxSubKeyLen) + 1);
        for (Integer I = Info.NumSubKeys - 1; I >= 0; --I) {
          DWORD Len = static_cast<DWORD>(Name.size());
          if (RegEnumKeyEx(Doomed, static_cast<DWORD>(I), Name.data(), &Len, nullptr, nullptr, nullptr, nullptr) ==
              ERROR_SUCCESS) {
            DeleteKey(std::string(Name.data(), Len));
          }
        }
      }
    } catch (...) {
      SetCurrentKey(OldKey);
      RegCloseKey(Doomed);
      throw;
    }
    SetCurrentKey(OldKey);
    RegCloseKey(Doomed);
  }
  return RegDeleteKey(GetBaseKey(Relative), S.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::string& Name) { return RegDeleteValue(FCurrentKey, Name.c_str()) == ERROR_SUCCESS; }

bool TRegistry::GetDataInfo(const std::string& ValueName, TRegDataInfo& Value) {
  Value = TRegDataInfo();
  DWORD DataType = REG_NONE;
  DWORD DataSize = 0;
  if (RegQueryValueEx(FCurrentKey, ValueName.c_str(), nullptr, &DataType, nullptr, &DataSize) != ERROR_SUCCESS) {
    return false;
  }
  Value.RegData = DataTypeToRegData(DataType);
  Value.DataSize = static_cast<Integer>(DataSize);
  return true;
}

Integer TRegistry::GetDataSize(const std::string& ValueName) {
  TRegDataInfo Info;
  return GetDataInfo(ValueName, Info) ? Info.DataSize : -1;
}

TRegDataType TRegistry::GetDataType(const std::string& ValueName) {
  TRegDataInfo Info;
  return GetDataInfo(ValueName, Info) ? Info.RegData : rdUnknown;
}

bool TRegistry::ValueExists(const std::string& Name) {
  TRegDataInfo Info;
  return GetDataInfo(Name, Info);
}

Integer TRegistry::GetData(const std::string& Name, void* Buffer, Integer BufSize, TRegDataType& RegData) {
  DWORD DataType = REG_NONE;
  auto Size = static_cast<DWORD>(BufSize);
  if (RegQueryValueEx(FCurrentKey, Name.c_str(), nullptr, &DataType, static_cast<BYTE*>(Buffer), &Size) !=
      ERROR_SUCCESS) {
    throw ERegistryException(Format(RegistryConsts::SRegGetDataFailed, {Name}));
  }
  RegData = DataTypeToRegData(DataType);
  return static_cast<Integer>(Size);
}

void TRegistry::PutData(const std::string& Name, const void* Buffer, Integer BufSize, TRegDataType RegData) {
  if (RegSetValueEx(FCurrentKey, Name.c_str(), 0, RegDataToDataType(RegData), static_cast<const BYTE*>(Buffer),
                    static_cast<DWORD>(BufSize)) != ERROR_SUCCESS) {
    throw ERegistryException(Format(RegistryConsts::SRegSetDataFailed, {Name}));
  }
}

std::string TRegistry::ReadString(const std::string& Name) {
  const Integer Len = GetDataSize(Name);
  if (Len <= 0) {
    return std::string();
  }
  std::string Result(static_cast<std::size_t>(Len), '\0');
  TRegDataType RegData = rdUnknown;
  GetData(Name, Result.data(), Len, RegData);
  if (RegData != rdString && RegData != rdExpandString) {
    ReadError(Name);
  }
  Result.resize(std::strlen(Result.c_str()));
  return Result;
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value) {
  PutData(Name, Value.c_str(), static_cast<Integer>(Value.size() + 1), rdString);
}

void TRegistry::WriteExpandString(const std::string& Name, const std::string& Value) {
  PutData(Name, Value.c_str(), static_cast<Integer>(Value.size() + 1), rdExpandString);
}

Integer TRegistry::ReadInteger(const std::string& Name) {
  Integer Result = 0;
  TRegDataType RegData = rdUnknown;
  GetData(Name, &Result, sizeof Result, RegData);
  if (RegData != rdInteger) {
    ReadError(Name);
  }
  return Result;
}

void TRegistry::WriteInteger(const std::string& Name, Integer Value) { PutData(Name, &Value, sizeof Value, rdInteger); }

bool TRegistry::ReadBool(const std::string& Name) { return ReadInteger(Name) != 0; }

void TRegistry::WriteBool(const std::string& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

void TRegistry::ReadFixed(const std::string& Name, void* Buffer, Integer Size) {
  TRegDataType RegData = rdUnknown;
  const Integer Len = GetData(Name, Buffer, Size, RegData);
  if (RegData != rdBinary || Len != Size) {
    ReadError(Name);
  }
}

double TRegistry::ReadFloat(const std::string& Name) {
  double Result = 0;
  ReadFixed(Name, &Result, sizeof Result);
  return Result;
}

void TRegistry::WriteFloat(const std::string& Name, double Value) { PutData(Name, &Value, sizeof Value, rdBinary); }

Currency TRegistry::ReadCurrency(const std::string& Name) {
  Int64 Scaled = 0;
  ReadFixed(Name, &Scaled, sizeof Scaled);
  return static_cast<Currency>(Scaled) / 10000.0;
}

void TRegistry::WriteCurrency(const std::string& Name, Currency Value) {
  const Int64 Scaled = std::llround(Value * 10000.0);
  PutData(Name, &Scaled, sizeof Scaled, rdBinary);
}

TDateTime TRegistry::ReadDateTime(const std::string& Name) {
  TDateTime Result = 0;
  ReadFixed(Name, &Result, sizeof Result);
  return Result;
}

void TRegistry::WriteDateTime(const std::string& Name, TDateTime Value) {
  PutData(Name, &Value, sizeof Value, rdBinary);
}

Integer TRegistry::ReadBinaryData(const std::string& Name, void* Buffer, Integer BufSize) {
  TRegDataInfo Info;
  if (!GetDataInfo(Name, Info)) {
    return 0;
  }
  if ((Info.RegData != rdBinary && Info.RegData != rdUnknown) || Info.DataSize > BufSize) {
    ReadError(Name);
  }
  TRegDataType RegData = rdUnknown;
  return GetData(Name, Buffer, Info.DataSize, RegData);
}

void TRegistry::WriteBinaryData(const std::string& Name, const void* Buffer, Integer BufSize) {
  PutData(Name, Buffer, BufSize, rdBinary);
}

void TRegistry::RenameValue(const std::string& OldName, const std::string& NewName) {
  if (!ValueExists(OldName) || ValueExists(NewName)) {
    return;
  }
  // The raw type is kept (a multi-string stays one), and the new value exists before the old one goes.
  DWORD Type = REG_NONE;
  DWORD Size = 0;
  if (RegQueryValueEx(FCurrentKey, OldName.c_str(), nullptr, &Type, nullptr, &Size) != ERROR_SUCCESS) {
    return;
  }
  std::vector<BYTE> Data(Size + 1);
  if (RegQueryValueEx(FCurrentKey, OldName.c_str(), nullptr, &Type, Data.data(), &Size) != ERROR_SUCCESS) {
    throw ERegistryException(Format(RegistryConsts::SRegGetDataFailed, {OldName}));
  }
  if (RegSetValueEx(FCurrentKey, NewName.c_str(), 0, Type, Data.data(), Size) != ERROR_SUCCESS) {
    throw ERegistryException(Format(RegistryConsts::SRegSetDataFailed, {NewName}));
  }
  DeleteValue(OldName);
}

void TRegistry::MoveKey(const std::string& OldName, const std::string& NewName, bool Delete) {
  if (!KeyExists(OldName) || KeyExists(NewName)) {
    return;
  }
  const HKEY Source = GetKey(OldName);
  if (Source == 0) {
    return;
  }
  HKEY Dest = 0;
  if (RegCreateKeyEx(GetBaseKey(IsRelative(NewName)), WithoutLead(NewName).c_str(), 0, nullptr,
                     REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &Dest, nullptr) == ERROR_SUCCESS) {
    CopyTree(Source, Dest);
    RegCloseKey(Dest);
    RegCloseKey(Source);
    if (Delete) {
      DeleteKey(OldName);
    }
    return;
  }
  RegCloseKey(Source);
}

TRegIniFile::TRegIniFile(const std::string& FileName) : TRegIniFile(FileName, KEY_ALL_ACCESS) {}

TRegIniFile::TRegIniFile(const std::string& FileName, LongWord AAccess) : TRegistry(AAccess), FFileName(FileName) {
  OpenKey(FileName, true);
}

template <class TFn> bool TRegIniFile::WithSection(const std::string& Section, bool Create, TFn Fn) {
  if (Section.empty()) {
    Fn();
    return true;
  }
  HKEY NewKey = GetKey(Section);
  if (NewKey == 0 && Create) {
    CreateKey(Section);
    NewKey = GetKey(Section);
  }
  if (NewKey == 0) {
    return false;
  }
  const HKEY OldKey = CurrentKey();
  SetCurrentKey(NewKey);
  try {
    Fn();
  } catch (...) {
    SetCurrentKey(OldKey);
    RegCloseKey(NewKey);
    throw;
  }
  SetCurrentKey(OldKey);
  RegCloseKey(NewKey);
  return true;
}

std::string TRegIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                    const std::string& Default) {
  std::string Result = Default;
  WithSection(Section, false, [&] {
    if (ValueExists(Ident)) {
      Result = TRegistry::ReadString(Ident);
    }
  });
  return Result;
}

void TRegIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) {
  WithSection(Section, true, [&] { TRegistry::WriteString(Ident, Value); });
}

LongInt TRegIniFile::ReadInteger(const std::string& Section, const std::string& Ident, LongInt Default) {
  LongInt Result = Default;
  WithSection(Section, false, [&] {
    if (!ValueExists(Ident)) {
      return;
    }
    if (GetDataType(Ident) == rdString) {
      Result = StrToIntDef(TRegistry::ReadString(Ident), Default);
    } else {
      Result = TRegistry::ReadInteger(Ident);
    }
  });
  return Result;
}

void TRegIniFile::WriteInteger(const std::string& Section, const std::string& Ident, LongInt Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TRegIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TRegIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
  WriteInteger(Section, Ident, Value ? 1 : 0);
}

void TRegIniFile::ReadSection(const std::string& Section, TStrings* Strings) {
  Strings->Clear();
  WithSection(Section, false, [&] { GetValueNames(Strings); });
}

void TRegIniFile::ReadSections(TStrings* Strings) { GetKeyNames(Strings); }

void TRegIniFile::ReadSectionValues(const std::string& Section, TStrings* Strings) {
  Strings->Clear();
  WithSection(Section, false, [&] {
    TStringList Names;
    GetValueNames(&Names);
    Strings->BeginUpdate();
    for (Integer I = 0; I < Names.Count(); ++I) {
      const std::string Name = Names[I];
      // Integer values (written by TRegistry) show as numbers rather than failing the whole section.
      const std::string Value =
          GetDataType(Name) == rdInteger ? IntToStr(TRegistry::ReadInteger(Name)) : TRegistry::ReadString(Name);
      Strings->Add(Name + "=" + Value);
    }
    Strings->EndUpdate();
  });
}

void TRegIniFile::EraseSection(const std::string& Section) { TRegistry::DeleteKey(Section); }

void TRegIniFile::DeleteKey(const std::string& Section, const std::string& Ident) {
  WithSection(Section, false, [&] { DeleteValue(Ident); });
}
