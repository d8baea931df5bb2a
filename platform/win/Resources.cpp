// The resource table: typed named blobs, string tables, and the Find/Load/Lock calls over them.
#include "platform/win/Resources.h"

#include "platform/win/PeResources.h"
#include "platform/classes/FormResources.h"
#include "platform/rtl/SysUtils.h"

#include <cstring>
#include <map>
#include <mutex>
#include <vector>

namespace {

struct TEntry {
  std::string Type;  // upper case, or "#<id>"
  std::string Name;
  const void* Data = nullptr;
  std::size_t Size = 0;
};

struct TTable {
  std::mutex Lock;
  std::vector<TEntry> Entries;  // handle = index + 1
  std::map<UINT, std::string> Strings;
};

TTable& Table() {
  static TTable T;
  return T;
}

std::string Key(LPCSTR Name) {
  if (IS_INTRESOURCE(Name)) {
    return "#" + std::to_string(reinterpret_cast<std::uintptr_t>(Name));
  }
  std::string S = UpperCase(Name);
  // "#12" names id 12.
  if (S.size() > 1 && S[0] == '#') {
    int Id = 0;
    if (TryStrToInt(S.substr(1), Id)) {
      return "#" + std::to_string(Id);
    }
  }
  return S;
}

}  // namespace

void RegisterResource(LPCSTR Type, LPCSTR Name, const void* Data, std::size_t Size) {
  TTable& T = Table();
  std::lock_guard G(T.Lock);
  std::string Ty = Key(Type), N = Key(Name);
  for (TEntry& E : T.Entries) {
    if (E.Type == Ty && E.Name == N) {
      E.Data = Data;
      E.Size = Size;
      return;
    }
  }
  T.Entries.push_back({Ty, N, Data, Size});
}

void RegisterStringResource(UINT Id, const std::string& Text) {
  TTable& T = Table();
  std::lock_guard G(T.Lock);
  T.Strings[Id] = Text;
}

HRSRC FindResource(HMODULE Module, LPCSTR Name, LPCSTR Type) {
  if (IsDataModule(Module)) {
    return FindDataModuleResource(Module, Name, Type);
  }
  if (!Name || !Type) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  TTable& T = Table();
  std::string Ty = Key(Type), N = Key(Name);
  {
    std::lock_guard G(T.Lock);
    for (std::size_t I = 0; I < T.Entries.size(); ++I) {
      if (T.Entries[I].Type == Ty && T.Entries[I].Name == N) {
        return I + 1;
      }
    }
  }
  // Form layouts are RCDATA resources of their class name.
  const unsigned char* Data = nullptr;
  std::size_t Size = 0;
  if (Ty == Key(RT_RCDATA) && !IS_INTRESOURCE(Name) && FindFormResource(Name, Data, Size)) {
    std::lock_guard G(T.Lock);
    T.Entries.push_back({Ty, N, Data, Size});
    return T.Entries.size();
  }
  SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return 0;
}

HGLOBAL LoadResource(HMODULE Module, HRSRC Res) {
  if (IsDataModule(Module)) {
    DWORD Size = 0;
    return const_cast<void*>(DataModuleResource(Module, Res, Size));
  }
  TTable& T = Table();
  std::lock_guard G(T.Lock);
  if (Res == 0 || Res > T.Entries.size()) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  return const_cast<void*>(T.Entries[Res - 1].Data);
}

LPVOID LockResource(HGLOBAL Data) { return Data; }

DWORD SizeofResource(HMODULE Module, HRSRC Res) {
  if (IsDataModule(Module)) {
    DWORD Size = 0;
    (void)DataModuleResource(Module, Res, Size);  // only the size is asked for
    return Size;
  }
  TTable& T = Table();
  std::lock_guard G(T.Lock);
  if (Res == 0 || Res > T.Entries.size()) {
    return 0;
  }
  return static_cast<DWORD>(T.Entries[Res - 1].Size);
}

BOOL FreeResource(HGLOBAL) { return FALSE; }

int LoadString(HINSTANCE, UINT Id, LPSTR Buffer, int BufferMax) {
  TTable& T = Table();
  std::lock_guard G(T.Lock);
  auto It = T.Strings.find(Id);
  if (It == T.Strings.end() || !Buffer) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    if (Buffer && BufferMax > 0) {
      Buffer[0] = '\0';
    }
    return 0;
  }
  if (BufferMax == 0) {
    *reinterpret_cast<const char**>(Buffer) = It->second.c_str();
    return static_cast<int>(It->second.size());
  }
  std::size_t N = std::min<std::size_t>(It->second.size(), static_cast<std::size_t>(BufferMax - 1));
  std::memcpy(Buffer, It->second.data(), N);
  Buffer[N] = '\0';
  return static_cast<int>(N);
}

std::string LoadResString(UINT Id) {
  TTable& T = Table();
  std::lock_guard G(T.Lock);
  auto It = T.Strings.find(Id);
  return It == T.Strings.end() ? std::string() : It->second;
}
