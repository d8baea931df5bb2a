// Library loading over dlopen, the built-in system modules and their version resources, the platform identity.
#include "platform/win/Modules.h"

#include "platform/win/PeResources.h"

#include "platform/win/Sync.h"

#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

const Integer Win32Platform = static_cast<Integer>(VER_PLATFORM_WIN32_NT);
const Integer Win32MajorVersion = 5;
const Integer Win32MinorVersion = 1;
const Integer Win32BuildNumber = 2600;
const std::string Win32CSDVersion = "Service Pack 2";

namespace {

// A system module the layer provides itself. Its address is its module handle.
struct TBuiltinModule {
  std::string Name;         // lower case, with ".dll"
  std::string Description;
  WORD Version[4] = {};
  std::map<std::string, void*> Exports;
};

struct TLoadedLibrary {
  std::string Path;
  Integer References = 0;
};

HRESULT ComCtlGetVersion(DLLVERSIONINFO* pdvi);
HRESULT ShellGetVersion(DLLVERSIONINFO* pdvi);

// The module tables. Never destroyed: libraries may be freed from static destructors.
struct TModules {
  std::recursive_mutex Lock;
  std::vector<TBuiltinModule*> Builtins;
  std::map<void*, TLoadedLibrary> Loaded;  // dlopen handle -> what we loaded
  void* Program = nullptr;

  TModules() {
    auto Add = [&](const char* Name, const char* Description, WORD Major, WORD Minor, WORD Build) {
      auto* M = new TBuiltinModule;
      M->Name = Name;
      M->Description = Description;
      M->Version[0] = Major;
      M->Version[1] = Minor;
      M->Version[2] = Build;
      M->Version[3] = 2180;
      Builtins.push_back(M);
      return M;
    };
    TBuiltinModule* Kernel = Add("kernel32.dll", "Base services", 5, 1, 2600);
    Add("user32.dll", "Window and message services", 5, 1, 2600);
    TBuiltinModule* ComCtl = Add("comctl32.dll", "Common controls", 6, 0, 2900);
    Add("msimg32.dll", "Image blending services", 5, 1, 2600);
    TBuiltinModule* Shell = Add("shell32.dll", "Shell services", 6, 0, 2900);
    TBuiltinModule* Version = Add("version.dll", "Version resource services", 5, 1, 2600);
    Add("wsock32.dll", "Windows sockets", 5, 1, 2600);  // exports registered by Winsock.cpp

    ComCtl->Exports["DllGetVersion"] = reinterpret_cast<void*>(&ComCtlGetVersion);
    Shell->Exports["DllGetVersion"] = reinterpret_cast<void*>(&ShellGetVersion);
    Version->Exports["GetFileVersionInfoSizeA"] = reinterpret_cast<void*>(&GetFileVersionInfoSize);
    Version->Exports["GetFileVersionInfoA"] = reinterpret_cast<void*>(&GetFileVersionInfo);
    Version->Exports["VerQueryValueA"] = reinterpret_cast<void*>(&VerQueryValue);
    auto& K = Kernel->Exports;
    K["LoadLibraryA"] = reinterpret_cast<void*>(&LoadLibrary);
    K["FreeLibrary"] = reinterpret_cast<void*>(&FreeLibrary);
    K["GetModuleHandleA"] = reinterpret_cast<void*>(&GetModuleHandle);
    K["GetProcAddress"] = reinterpret_cast<void*>(&GetProcAddress);
    K["GetVersionExA"] = reinterpret_cast<void*>(static_cast<BOOL (*)(OSVERSIONINFOA*)>(&GetVersionEx));
    K["CloseHandle"] = reinterpret_cast<void*>(&CloseHandle);
    K["CreateEventA"] = reinterpret_cast<void*>(&CreateEvent);
    K["SetEvent"] = reinterpret_cast<void*>(&SetEvent);
    K["ResetEvent"] = reinterpret_cast<void*>(&ResetEvent);
    K["WaitForSingleObject"] = reinterpret_cast<void*>(&WaitForSingleObject);
    K["WaitForMultipleObjects"] = reinterpret_cast<void*>(&WaitForMultipleObjects);
    K["GetCurrentThreadId"] = reinterpret_cast<void*>(&GetCurrentThreadId);
    K["GetCurrentProcessId"] = reinterpret_cast<void*>(&GetCurrentProcessId);
  }
};
TModules& Modules() {
  static TModules* M = new TModules;
  return *M;
}

std::string Lower(std::string S) {
  std::transform(S.begin(), S.end(), S.begin(), [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
  return S;
}

bool EndsWithNoCase(const std::string& S, const char* Suffix) {
  const std::size_t N = std::strlen(Suffix);
  return S.size() >= N && Lower(S.substr(S.size() - N)) == Suffix;
}

// Splits "folder/name.dll" (either separator) into the folder ("" when none) and the name without ".dll".
void SplitModuleName(const std::string& Full, std::string& Folder, std::string& Base) {
  const std::size_t Slash = Full.find_last_of("/\\");
  Folder = Slash == std::string::npos ? std::string() : Full.substr(0, Slash);
  Base = Slash == std::string::npos ? Full : Full.substr(Slash + 1);
  if (EndsWithNoCase(Base, ".dll")) {
    Base.erase(Base.size() - 4);
  }
}

TBuiltinModule* FindBuiltin(const std::string& Base) {
  const std::string Name = Lower(Base) + ".dll";
  for (TBuiltinModule* M : Modules().Builtins) {
    if (M->Name == Name) {
      return M;
    }
  }
  return nullptr;
}

TBuiltinModule* BuiltinFromHandle(HMODULE H) {
  for (TBuiltinModule* M : Modules().Builtins) {
    if (static_cast<void*>(M) == H) {
      return M;
    }
  }
  return nullptr;
}

std::string ProgramFolder() {
  char Buf[4096];
  const ssize_t N = readlink("/proc/self/exe", Buf, sizeof Buf - 1);
  if (N <= 0) {
    return ".";
  }
  std::string Path(Buf, static_cast<std::size_t>(N));
  return Path.substr(0, Path.find_last_of('/'));
}

bool IsFile(const std::string& Path) {
  struct stat St {};
  return stat(Path.c_str(), &St) == 0 && S_ISREG(St.st_mode);
}

// The name of the entry of Folder that equals Name ignoring case, or "".
std::string FindNoCase(const std::string& Folder, const std::string& Name) {
  const std::string Wanted = Lower(Name);
  std::string Found;
  if (DIR* D = opendir(Folder.c_str())) {
    while (dirent* E = readdir(D)) {
      if (Lower(E->d_name) == Wanted) {
        Found = E->d_name;
        break;
      }
    }
    closedir(D);
  }
  return Found;
}

HRESULT FillDllVersion(DLLVERSIONINFO* pdvi, const char* Module) {
  constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);
  if (!pdvi || pdvi->cbSize < sizeof(DLLVERSIONINFO)) {
    return E_INVALIDARG;
  }
  const TBuiltinModule* M = FindBuiltin(Module);
  pdvi->dwMajorVersion = M->Version[0];
  pdvi->dwMinorVersion = M->Version[1];
  pdvi->dwBuildNumber = M->Version[2];
  pdvi->dwPlatformID = DLLVER_PLATFORM_NT;
  return 0;
}
HRESULT ComCtlGetVersion(DLLVERSIONINFO* pdvi) { return FillDllVersion(pdvi, "comctl32"); }
HRESULT ShellGetVersion(DLLVERSIONINFO* pdvi) { return FillDllVersion(pdvi, "shell32"); }

}  // namespace

// Libraries -----------------------------------------------------------------------------------------------
HMODULE LoadLibrary(LPCSTR lpLibFileName) {
  if (!lpLibFileName || !*lpLibFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::string Folder;
  std::string Base;
  SplitModuleName(lpLibFileName, Folder, Base);
  TModules& Ms = Modules();
  std::lock_guard<std::recursive_mutex> G(Ms.Lock);
  if (TBuiltinModule* M = FindBuiltin(Base)) {
    SetLastError(ERROR_SUCCESS);
    return M;
  }
  std::vector<std::string> Candidates;
  const bool IsSharedObject = Base.size() > 3 && Base.compare(Base.size() - 3, 3, ".so") == 0;
  const std::vector<std::string> Files =
      IsSharedObject ? std::vector<std::string>{Base} : std::vector<std::string>{"lib" + Base + ".so", Base + ".so"};
  const std::string Where = Folder.empty() ? ProgramFolder() : Folder;
  for (const std::string& F : Files) {
    Candidates.push_back(Where + "/" + F);
  }
  // Module names are case-insensitive on the platform ("WSOCK32.DLL"), file names here are not.
  for (const std::string& F : Files) {
    const std::string Match = FindNoCase(Where, F);
    if (!Match.empty() && Match != F) {
      Candidates.push_back(Where + "/" + Match);
    }
  }
  if (Folder.empty()) {
    Candidates.insert(Candidates.end(), Files.begin(), Files.end());  // the loader's search path
  }
  for (const std::string& C : Candidates) {
    const bool HasFolder = C.find('/') != std::string::npos;
    if (HasFolder && !IsFile(C)) {
      continue;
    }
    if (void* H = dlopen(C.c_str(), RTLD_NOW | RTLD_LOCAL)) {
      TLoadedLibrary& L = Ms.Loaded[H];
      L.Path = C;
      ++L.References;
      SetLastError(ERROR_SUCCESS);
      return H;
    }
    if (HasFolder) {
      // The file is there but will not load (wrong format or a missing dependency).
      SetLastError(ERROR_BAD_EXE_FORMAT);
      return nullptr;
    }
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

BOOL FreeLibrary(HMODULE hLibModule) {
  if (FreeDataModule(hLibModule)) {
    return TRUE;
  }
  TModules& Ms = Modules();
  std::lock_guard<std::recursive_mutex> G(Ms.Lock);
  if (BuiltinFromHandle(hLibModule)) {
    return TRUE;
  }
  auto It = Ms.Loaded.find(hLibModule);
  if (It == Ms.Loaded.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (--It->second.References == 0) {
    Ms.Loaded.erase(It);
  }
  dlclose(hLibModule);
  return TRUE;
}

HMODULE GetModuleHandle(LPCSTR lpModuleName) {
  TModules& Ms = Modules();
  std::lock_guard<std::recursive_mutex> G(Ms.Lock);
  if (!lpModuleName) {
    if (!Ms.Program) {
      Ms.Program = dlopen(nullptr, RTLD_NOW);
    }
    return Ms.Program;
  }
  std::string Folder;
  std::string Base;
  SplitModuleName(lpModuleName, Folder, Base);
  if (TBuiltinModule* M = FindBuiltin(Base)) {
    return M;
  }
  for (const auto& [Handle, L] : Ms.Loaded) {
    const std::string File = L.Path.substr(L.Path.find_last_of('/') + 1);
    if (File == "lib" + Base + ".so" || File == Base + ".so" || File == Base) {
      return Handle;
    }
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  // Values below 0x10000 are ordinals, which only the platform's own export tables have.
  if (reinterpret_cast<std::uintptr_t>(lpProcName) < 0x10000) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  TModules& Ms = Modules();
  std::lock_guard<std::recursive_mutex> G(Ms.Lock);
  if (TBuiltinModule* M = BuiltinFromHandle(hModule)) {
    auto It = M->Exports.find(lpProcName);
    if (It == M->Exports.end()) {
      SetLastError(ERROR_PROC_NOT_FOUND);
      return nullptr;
    }
    return It->second;
  }
  if (!hModule || (hModule != Ms.Program && !Ms.Loaded.contains(hModule))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  void* P = dlsym(hModule, lpProcName);
  if (!P) {
    SetLastError(ERROR_PROC_NOT_FOUND);
  }
  return P;
}

bool RegisterModuleExport(LPCSTR ModuleName, LPCSTR ExportName, void* Address) {
  if (!ModuleName || !ExportName) {
    return false;
  }
  std::string Folder;
  std::string Base;
  SplitModuleName(ModuleName, Folder, Base);
  TModules& Ms = Modules();
  std::lock_guard<std::recursive_mutex> G(Ms.Lock);
  TBuiltinModule* M = FindBuiltin(Base);
  if (!M) {
    return false;
  }
  M->Exports[ExportName] = Address;
  return true;
}

// Identity ------------------------------------------------------------------------------------------------
namespace {
template <class T> BOOL FillVersion(T* Info) {
  if (!Info || (Info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA) &&
                Info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOEXA))) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  Info->dwMajorVersion = static_cast<DWORD>(Win32MajorVersion);
  Info->dwMinorVersion = static_cast<DWORD>(Win32MinorVersion);
  Info->dwBuildNumber = static_cast<DWORD>(Win32BuildNumber);
  Info->dwPlatformId = static_cast<DWORD>(Win32Platform);
  std::memset(Info->szCSDVersion, 0, sizeof Info->szCSDVersion);
  std::memcpy(Info->szCSDVersion, Win32CSDVersion.data(), Win32CSDVersion.size());
  return TRUE;
}
}  // namespace

BOOL GetVersionEx(OSVERSIONINFOA* lpVersionInformation) { return FillVersion(lpVersionInformation); }

BOOL GetVersionEx(OSVERSIONINFOEXA* lpVersionInformation) {
  if (!FillVersion(lpVersionInformation)) {
    return FALSE;
  }
  if (lpVersionInformation->dwOSVersionInfoSize == sizeof(OSVERSIONINFOEXA)) {
    lpVersionInformation->wServicePackMajor = 2;
    lpVersionInformation->wServicePackMinor = 0;
    lpVersionInformation->wSuiteMask = 0x0100;  // VER_SUITE_SINGLEUSERTS
    lpVersionInformation->wProductType = VER_NT_WORKSTATION;
  }
  return TRUE;
}

// Version resources ---------------------------------------------------------------------------------------
namespace {
constexpr char VersionMagic[4] = {'Z', 'V', 'R', '1'};
constexpr DWORD Translation = 0x04E40409;  // US English, code page 1252
constexpr const char* TranslationKey = "040904e4";

// The block GetFileVersionInfo hands out: a header, the fixed record, the translation and the strings as
// "name\0value\0" pairs ending with an empty name.
struct TVersionHeader {
  char Magic[4];
  DWORD Size;
  VS_FIXEDFILEINFO Fixed;
  DWORD Translation;
};

std::vector<char> BuildVersionBlock(const TBuiltinModule& M) {
  TVersionHeader H{};
  std::memcpy(H.Magic, VersionMagic, sizeof H.Magic);
  H.Fixed = VS_FIXEDFILEINFO{};
  H.Fixed.dwFileVersionMS = (static_cast<DWORD>(M.Version[0]) << 16) | M.Version[1];
  H.Fixed.dwFileVersionLS = (static_cast<DWORD>(M.Version[2]) << 16) | M.Version[3];
  H.Fixed.dwProductVersionMS = H.Fixed.dwFileVersionMS;
  H.Fixed.dwProductVersionLS = H.Fixed.dwFileVersionLS;
  H.Translation = Translation;
  std::string Version = std::to_string(M.Version[0]) + "." + std::to_string(M.Version[1]) + "." +
                        std::to_string(M.Version[2]) + "." + std::to_string(M.Version[3]);
  const std::string Internal = M.Name.substr(0, M.Name.size() - 4);
  const std::pair<const char*, std::string> Strings[] = {
      {"CompanyName", "ZUB Quillon"},       {"FileDescription", M.Description},
      {"FileVersion", Version},             {"InternalName", Internal},
      {"OriginalFilename", M.Name},         {"ProductName", "ZUB Quillon system layer"},
      {"ProductVersion", Version},
  };
  std::vector<char> Block(sizeof H);
  for (const auto& [Name, Value] : Strings) {
    Block.insert(Block.end(), Name, Name + std::strlen(Name) + 1);
    Block.insert(Block.end(), Value.c_str(), Value.c_str() + Value.size() + 1);
  }
  Block.push_back('\0');
  H.Size = static_cast<DWORD>(Block.size());
  std::memcpy(Block.data(), &H, sizeof H);
  return Block;
}

const TBuiltinModule* BuiltinForFile(LPCSTR FileName, LONG& Error) {
  Error = ERROR_FILE_NOT_FOUND;
  if (!FileName || !*FileName) {
    return nullptr;
  }
  std::string Folder;
  std::string Base;
  SplitModuleName(FileName, Folder, Base);
  std::lock_guard<std::recursive_mutex> G(Modules().Lock);
  if (const TBuiltinModule* M = FindBuiltin(Base)) {
    return M;
  }
  if (IsFile(FileName)) {
    Error = ERROR_RESOURCE_TYPE_NOT_FOUND;
  }
  return nullptr;
}
}  // namespace

DWORD GetFileVersionInfoSize(LPCSTR lptstrFilename, DWORD* lpdwHandle) {
  if (lpdwHandle) {
    *lpdwHandle = 0;
  }
  LONG Error = 0;
  const TBuiltinModule* M = BuiltinForFile(lptstrFilename, Error);
  if (!M) {
    SetLastError(static_cast<DWORD>(Error));
    return 0;
  }
  return static_cast<DWORD>(BuildVersionBlock(*M).size());
}

BOOL GetFileVersionInfo(LPCSTR lptstrFilename, DWORD, DWORD dwLen, LPVOID lpData) {
  LONG Error = 0;
  const TBuiltinModule* M = BuiltinForFile(lptstrFilename, Error);
  if (!M) {
    SetLastError(static_cast<DWORD>(Error));
    return FALSE;
  }
  const std::vector<char> Block = BuildVersionBlock(*M);
  if (!lpData || dwLen < Block.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(lpData, Block.data(), Block.size());
  return TRUE;
}

BOOL VerQueryValue(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen) {
  const auto* Bytes = static_cast<const char*>(pBlock);
  if (!Bytes || !lpSubBlock || !lplpBuffer || std::memcmp(Bytes, VersionMagic, sizeof VersionMagic) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto* Header = reinterpret_cast<TVersionHeader*>(const_cast<char*>(Bytes));
  auto Answer = [&](void* P, UINT Len) {
    *lplpBuffer = P;
    if (puLen) {
      *puLen = Len;
    }
    return TRUE;
  };
  const std::string Path = Lower(lpSubBlock);
  if (Path == "\\" || Path.empty()) {
    return Answer(&Header->Fixed, sizeof(VS_FIXEDFILEINFO));
  }
  if (Path == "\\varfileinfo\\translation") {
    return Answer(&Header->Translation, sizeof(DWORD));
  }
  const std::string Prefix = std::string("\\stringfileinfo\\") + TranslationKey + "\\";
  if (Path.rfind(Prefix, 0) == 0) {
    const std::string Wanted = Path.substr(Prefix.size());
    const char* P = Bytes + sizeof(TVersionHeader);
    const char* End = Bytes + Header->Size;
    while (P < End && *P) {
      const char* Value = P + std::strlen(P) + 1;
      if (Lower(P) == Wanted) {
        return Answer(const_cast<char*>(Value), static_cast<UINT>(std::strlen(Value) + 1));
      }
      P = Value + std::strlen(Value) + 1;
    }
  }
  SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
  return FALSE;
}
