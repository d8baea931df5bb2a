// The Reg* functions: the table of open key handles and the operations on the hive store.
#include "platform/win/RegistryStore.h"
#include "platform/win/WinReg.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace {

inline constexpr DWORD MaxKeyNameLength = 255;
inline constexpr REGSAM WriteRights =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC | WRITE_OWNER;

// An open key: its hive, its path of names from the hive's root, and the rights it was opened with.
struct TKeyHandle {
  HKEY Root = 0;
  std::vector<std::string> Path;
  REGSAM Access = 0;
};

struct THandleTable {
  std::map<HKEY, TKeyHandle> Open;
  HKEY Next = 0x100;
};

THandleTable& Handles() {
  static THandleTable T;
  return T;
}

bool IsPredefined(HKEY Key) { return Key >= 0x80000000u && Key <= 0x8000000Fu; }

REGSAM GrantedRights(HKEY Root, REGSAM Desired) {
  if (Desired & MAXIMUM_ALLOWED) {
    return RegistryIsReadOnly(Root) ? KEY_READ : KEY_ALL_ACCESS;
  }
  return Desired;
}

// Finds what a handle names. Predefined roots are always open with every right the hive allows.
LONG Resolve(HKEY hKey, TKeyHandle& Out) {
  if (IsPredefined(hKey)) {
    if (!RegIsHiveRoot(hKey)) {
      return ERROR_INVALID_HANDLE;
    }
    Out = TKeyHandle{hKey, {}, GrantedRights(hKey, MAXIMUM_ALLOWED)};
    return ERROR_SUCCESS;
  }
  const auto It = Handles().Open.find(hKey);
  if (It == Handles().Open.end()) {
    return ERROR_INVALID_HANDLE;
  }
  Out = It->second;
  return ERROR_SUCCESS;
}

HKEY AddHandle(TKeyHandle H) {
  THandleTable& T = Handles();
  const HKEY Key = T.Next++;
  T.Open.emplace(Key, std::move(H));
  return Key;
}

// Splits a sub key path at '\'. Empty names (doubled or trailing separators) are skipped.
LONG SplitPath(LPCSTR SubKey, std::vector<std::string>& Names) {
  if (!SubKey) {
    return ERROR_SUCCESS;
  }
  std::string Name;
  for (const char* P = SubKey;; ++P) {
    if (*P == '\\' || *P == '\0') {
      if (!Name.empty()) {
        if (Name.size() > MaxKeyNameLength) {
          return ERROR_INVALID_PARAMETER;
        }
        Names.push_back(Name);
      }
      Name.clear();
      if (*P == '\0') {
        return ERROR_SUCCESS;
      }
    } else {
      Name += *P;
    }
  }
}

// hKey's handle (Base), the names of the sub key path below it and the handle the sub key would get (New), with
// the rights asked for; write rights on a read-only store are refused.
LONG SubKeyHandle(HKEY hKey, LPCSTR lpSubKey, REGSAM samDesired, TKeyHandle& Base, std::vector<std::string>& Names,
                  TKeyHandle& New) {
  if (const LONG R = Resolve(hKey, Base); R != ERROR_SUCCESS) {
    return R;
  }
  if (const LONG R = SplitPath(lpSubKey, Names); R != ERROR_SUCCESS) {
    return R;
  }
  if ((samDesired & WriteRights) && RegistryIsReadOnly(Base.Root)) {
    return ERROR_ACCESS_DENIED;
  }
  New = TKeyHandle{Base.Root, Base.Path, GrantedRights(Base.Root, samDesired)};
  New.Path.insert(New.Path.end(), Names.begin(), Names.end());
  return ERROR_SUCCESS;
}

template <class TKey> TKey* Walk(TKey& Root, const std::vector<std::string>& Path, std::size_t Count) {
  TKey* Key = &Root;
  for (std::size_t I = 0; I < Count && Key; ++I) {
    Key = Key->FindSubKey(Path[I]);
  }
  return Key;
}
template <class TKey> TKey* Walk(TKey& Root, const std::vector<std::string>& Path) {
  return Walk(Root, Path, Path.size());
}

// Runs Fn on the key a handle names (read side); ERROR_KEY_DELETED when it no longer exists.
LONG ReadKey(HKEY hKey, REGSAM Needed, const std::function<LONG(const TRegStoreKey& Key)>& Fn) {
  TKeyHandle H;
  if (const LONG R = Resolve(hKey, H); R != ERROR_SUCCESS) {
    return R;
  }
  if ((H.Access & Needed) != Needed) {
    return ERROR_ACCESS_DENIED;
  }
  return RegReadHive(H.Root, [&](const TRegStoreKey& Root) {
    const TRegStoreKey* Key = Walk(Root, H.Path);
    return Key ? Fn(*Key) : ERROR_KEY_DELETED;
  });
}

LONG WriteKey(HKEY hKey, REGSAM Needed, const std::function<LONG(TRegStoreKey& Key, bool& Changed)>& Fn) {
  TKeyHandle H;
  if (const LONG R = Resolve(hKey, H); R != ERROR_SUCCESS) {
    return R;
  }
  if ((H.Access & Needed) != Needed) {
    return ERROR_ACCESS_DENIED;
  }
  return RegWriteHive(H.Root, [&](TRegStoreKey& Root, bool& Changed) {
    TRegStoreKey* Key = Walk(Root, H.Path);
    return Key ? Fn(*Key, Changed) : ERROR_KEY_DELETED;
  });
}

std::string ValueName(LPCSTR Name) { return Name ? std::string(Name) : std::string(); }

// Copies a name into a caller's character buffer: Size holds the room (with the NUL) on entry and the length
// (without it) on return.
LONG CopyName(const std::string& Name, LPSTR Buffer, DWORD* Size) {
  if (!Buffer || !Size) {
    return ERROR_INVALID_PARAMETER;
  }
  if (Name.size() + 1 > *Size) {
    return ERROR_MORE_DATA;
  }
  std::memcpy(Buffer, Name.c_str(), Name.size() + 1);
  *Size = static_cast<DWORD>(Name.size());
  return ERROR_SUCCESS;
}

// Copies value data: a null buffer asks only for the size; a short one gives ERROR_MORE_DATA and the size.
LONG CopyData(const TRegStoreValue& V, DWORD* Type, BYTE* Data, DWORD* Size) {
  if (Data && !Size) {
    return ERROR_INVALID_PARAMETER;
  }
  if (Type) {
    *Type = V.Type;
  }
  if (!Size) {
    return ERROR_SUCCESS;
  }
  const auto Needed = static_cast<DWORD>(V.Data.size());
  if (Data && Needed > *Size) {
    *Size = Needed;
    return ERROR_MORE_DATA;
  }
  if (Data) {
    std::memcpy(Data, V.Data.data(), Needed);
  }
  *Size = Needed;
  return ERROR_SUCCESS;
}

void PutLastWriteTime(FILETIME* Out, HKEY hKey) {
  if (!Out) {
    return;
  }
  TKeyHandle H;
  *Out = Int64ToFileTime(Resolve(hKey, H) == ERROR_SUCCESS ? RegHiveFileTime(H.Root) : 0);
}

}  // namespace

void RegResetHandleTable() {
  std::lock_guard Guard(RegStoreMutex());
  Handles().Open.clear();
}

LONG RegOpenKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD /*ulOptions*/, REGSAM samDesired, HKEY* phkResult) {
  std::lock_guard Guard(RegStoreMutex());
  if (!phkResult) {
    return ERROR_INVALID_PARAMETER;
  }
  *phkResult = 0;
  TKeyHandle Base;
  TKeyHandle New;
  std::vector<std::string> Names;
  if (const LONG R = SubKeyHandle(hKey, lpSubKey, samDesired, Base, Names, New); R != ERROR_SUCCESS) {
    return R;
  }
  const LONG R = RegReadHive(New.Root, [&](const TRegStoreKey& Root) {
    if (!Walk(Root, Base.Path)) {
      return ERROR_KEY_DELETED;
    }
    return Walk(Root, New.Path) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
  if (R == ERROR_SUCCESS) {
    *phkResult = AddHandle(std::move(New));
  }
  return R;
}

LONG RegOpenKey(HKEY hKey, LPCSTR lpSubKey, HKEY* phkResult) {
  return RegOpenKeyEx(hKey, lpSubKey, 0, MAXIMUM_ALLOWED, phkResult);
}

LONG RegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD /*Reserved*/, LPSTR /*lpClass*/, DWORD /*dwOptions*/,
                    REGSAM samDesired, void* /*lpSecurityAttributes*/, HKEY* phkResult, DWORD* lpdwDisposition) {
  std::lock_guard Guard(RegStoreMutex());
  if (!phkResult) {
    return ERROR_INVALID_PARAMETER;
  }
  *phkResult = 0;
  if (lpSubKey && lpSubKey[0] == '\\') {
    return ERROR_BAD_PATHNAME;
  }
  TKeyHandle Base;
  TKeyHandle New;
  std::vector<std::string> Names;
  if (const LONG R = SubKeyHandle(hKey, lpSubKey, samDesired, Base, Names, New); R != ERROR_SUCCESS) {
    return R;
  }
  // An existing key is only opened: no lock, no write.
  LONG R = RegReadHive(New.Root, [&](const TRegStoreKey& Root) {
    if (!Walk(Root, Base.Path)) {
      return ERROR_KEY_DELETED;
    }
    return Walk(Root, New.Path) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
  DWORD Disposition = REG_OPENED_EXISTING_KEY;
  if (R == ERROR_FILE_NOT_FOUND) {
    if (!(Base.Access & KEY_CREATE_SUB_KEY)) {
      return ERROR_ACCESS_DENIED;
    }
    bool Created = false;
    R = RegWriteHive(New.Root, [&](TRegStoreKey& Root, bool& Changed) {
      TRegStoreKey* Key = Walk(Root, Base.Path);
      if (!Key) {
        return ERROR_KEY_DELETED;
      }
      for (const std::string& Name : Names) {
        auto& Slot = Key->SubKeys[RegFoldName(Name)];
        if (!Slot) {
          Slot = std::make_unique<TRegStoreKey>();
          Slot->Name = Name;
          Changed = true;
        }
        Key = Slot.get();
      }
      Created = Changed;
      return ERROR_SUCCESS;
    });
    // Another process may have created it in the meantime: then it was only opened.
    Disposition = Created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  }
  if (R != ERROR_SUCCESS) {
    return R;
  }
  if (lpdwDisposition) {
    *lpdwDisposition = Disposition;
  }
  *phkResult = AddHandle(std::move(New));
  return ERROR_SUCCESS;
}

LONG RegCreateKey(HKEY hKey, LPCSTR lpSubKey, HKEY* phkResult) {
  return RegCreateKeyEx(hKey, lpSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, MAXIMUM_ALLOWED, nullptr, phkResult,
                        nullptr);
}

LONG RegCloseKey(HKEY hKey) {
  std::lock_guard Guard(RegStoreMutex());
  if (IsPredefined(hKey)) {
    return ERROR_SUCCESS;
  }
  return Handles().Open.erase(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegFlushKey(HKEY hKey) {
  std::lock_guard Guard(RegStoreMutex());
  TKeyHandle H;
  return Resolve(hKey, H);
}

LONG RegQueryValueEx(HKEY hKey, LPCSTR lpValueName, DWORD* /*lpReserved*/, DWORD* lpType, BYTE* lpData,
                     DWORD* lpcbData) {
  std::lock_guard Guard(RegStoreMutex());
  return ReadKey(hKey, KEY_QUERY_VALUE, [&](const TRegStoreKey& Key) {
    const TRegStoreValue* V = Key.FindValue(ValueName(lpValueName));
    return V ? CopyData(*V, lpType, lpData, lpcbData) : ERROR_FILE_NOT_FOUND;
  });
}

LONG RegSetValueEx(HKEY hKey, LPCSTR lpValueName, DWORD /*Reserved*/, DWORD dwType, const BYTE* lpData,
                   DWORD cbData) {
  std::lock_guard Guard(RegStoreMutex());
  if (!lpData && cbData > 0) {
    return ERROR_INVALID_PARAMETER;
  }
  const std::string Name = ValueName(lpValueName);
  std::string Data(reinterpret_cast<const char*>(lpData ? lpData : reinterpret_cast<const BYTE*>("")), cbData);
  return WriteKey(hKey, KEY_SET_VALUE, [&](TRegStoreKey& Key, bool& Changed) {
    TRegStoreValue* V = Key.FindValue(Name);
    if (!V) {
      Key.Values.push_back(TRegStoreValue{Name, RegFoldName(Name), dwType, {}});
      V = &Key.Values.back();
    } else if (V->Type == dwType && V->Data == Data) {
      return ERROR_SUCCESS;  // the same value again: nothing to make durable
    }
    V->Type = dwType;
    V->Data = std::move(Data);
    Changed = true;
    return ERROR_SUCCESS;
  });
}

LONG RegDeleteValue(HKEY hKey, LPCSTR lpValueName) {
  std::lock_guard Guard(RegStoreMutex());
  const std::string Fold = RegFoldName(ValueName(lpValueName));
  return WriteKey(hKey, KEY_SET_VALUE, [&](TRegStoreKey& Key, bool& Changed) {
    const auto It = std::find_if(Key.Values.begin(), Key.Values.end(),
                                 [&](const TRegStoreValue& V) { return V.Fold == Fold; });
    if (It == Key.Values.end()) {
      return ERROR_FILE_NOT_FOUND;
    }
    Key.Values.erase(It);
    Changed = true;
    return ERROR_SUCCESS;
  });
}

LONG RegDeleteKey(HKEY hKey, LPCSTR lpSubKey) {
  std::lock_guard Guard(RegStoreMutex());
  TKeyHandle Base;
  if (const LONG R = Resolve(hKey, Base); R != ERROR_SUCCESS) {
    return R;
  }
  std::vector<std::string> Names;
  if (const LONG R = SplitPath(lpSubKey, Names); R != ERROR_SUCCESS) {
    return R;
  }
  std::vector<std::string> Path = Base.Path;
  Path.insert(Path.end(), Names.begin(), Names.end());
  if (Path.empty()) {
    return ERROR_ACCESS_DENIED;  // a hive's root cannot be deleted
  }
  return RegWriteHive(Base.Root, [&](TRegStoreKey& Root, bool& Changed) {
    if (!Walk(Root, Base.Path)) {
      return ERROR_KEY_DELETED;
    }
    TRegStoreKey* Parent = Walk(Root, Path, Path.size() - 1);
    TRegStoreKey* Key = Parent ? Parent->FindSubKey(Path.back()) : nullptr;
    if (!Key) {
      return ERROR_FILE_NOT_FOUND;
    }
    if (!Key->SubKeys.empty()) {
      return ERROR_ACCESS_DENIED;
    }
    Parent->SubKeys.erase(RegFoldName(Path.back()));
    Changed = true;
    return ERROR_SUCCESS;
  });
}

LONG RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD* lpcName, DWORD* /*lpReserved*/, LPSTR lpClass,
                  DWORD* lpcClass, FILETIME* lpftLastWriteTime) {
  std::lock_guard Guard(RegStoreMutex());
  const LONG R = ReadKey(hKey, KEY_ENUMERATE_SUB_KEYS, [&](const TRegStoreKey& Key) {
    if (dwIndex >= Key.SubKeys.size()) {
      return ERROR_NO_MORE_ITEMS;
    }
    auto It = Key.SubKeys.begin();
    std::advance(It, dwIndex);
    return CopyName(It->second->Name, lpName, lpcName);
  });
  if (R == ERROR_SUCCESS) {
    if (lpClass && lpcClass && *lpcClass > 0) {
      lpClass[0] = '\0';
    }
    if (lpcClass) {
      *lpcClass = 0;
    }
    PutLastWriteTime(lpftLastWriteTime, hKey);
  }
  return R;
}

LONG RegEnumKey(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName) {
  return RegEnumKeyEx(hKey, dwIndex, lpName, &cchName, nullptr, nullptr, nullptr, nullptr);
}

LONG RegEnumValue(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, DWORD* lpcValueName, DWORD* /*lpReserved*/,
                  DWORD* lpType, BYTE* lpData, DWORD* lpcbData) {
  std::lock_guard Guard(RegStoreMutex());
  return ReadKey(hKey, KEY_QUERY_VALUE, [&](const TRegStoreKey& Key) {
    if (dwIndex >= Key.Values.size()) {
      return ERROR_NO_MORE_ITEMS;
    }
    const TRegStoreValue& V = Key.Values[dwIndex];
    if (const LONG R = CopyName(V.Name, lpValueName, lpcValueName); R != ERROR_SUCCESS) {
      return R;
    }
    return CopyData(V, lpType, lpData, lpcbData);
  });
}

LONG RegQueryInfoKey(HKEY hKey, LPSTR lpClass, DWORD* lpcClass, DWORD* /*lpReserved*/, DWORD* lpcSubKeys,
                     DWORD* lpcMaxSubKeyLen, DWORD* lpcMaxClassLen, DWORD* lpcValues, DWORD* lpcMaxValueNameLen,
                     DWORD* lpcMaxValueLen, DWORD* lpcbSecurityDescriptor, FILETIME* lpftLastWriteTime) {
  std::lock_guard Guard(RegStoreMutex());
  const LONG R = ReadKey(hKey, KEY_QUERY_VALUE, [&](const TRegStoreKey& Key) {
    DWORD MaxSub = 0;
    DWORD MaxName = 0;
    DWORD MaxData = 0;
    for (const auto& [Fold, Sub] : Key.SubKeys) {
      MaxSub = std::max(MaxSub, static_cast<DWORD>(Sub->Name.size()));
    }
    for (const TRegStoreValue& V : Key.Values) {
      MaxName = std::max(MaxName, static_cast<DWORD>(V.Name.size()));
      MaxData = std::max(MaxData, static_cast<DWORD>(V.Data.size()));
    }
    const auto Put = [](DWORD* Out, DWORD Value) {
      if (Out) {
        *Out = Value;
      }
    };
    Put(lpcSubKeys, static_cast<DWORD>(Key.SubKeys.size()));
    Put(lpcMaxSubKeyLen, MaxSub);
    Put(lpcMaxClassLen, 0);
    Put(lpcValues, static_cast<DWORD>(Key.Values.size()));
    Put(lpcMaxValueNameLen, MaxName);
    Put(lpcMaxValueLen, MaxData);
    Put(lpcbSecurityDescriptor, 0);
    if (lpClass && lpcClass && *lpcClass > 0) {
      lpClass[0] = '\0';
    }
    Put(lpcClass, 0);
    return ERROR_SUCCESS;
  });
  if (R == ERROR_SUCCESS) {
    PutLastWriteTime(lpftLastWriteTime, hKey);
  }
  return R;
}
