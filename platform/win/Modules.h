// Dynamic libraries, the layer's built-in system modules, the platform identity and version resources.
#pragma once

#include "platform/win/WinTypes.h"

using FARPROC = void*;
using HRESULT = std::int32_t;
inline constexpr LONG ERROR_BAD_EXE_FORMAT = 193;
inline constexpr LONG ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;

// LoadLibrary("name.dll") returns a built-in module when the name (any case, with or without ".dll" and a
// folder) is one of the layer's system modules: user32, comctl32, msimg32, shell32, kernel32, version, wsock32.
// "UxTheme.dll" is deliberately absent (no visual styles), so callers take their fallbacks.
// Any other name loads "libname.so", then "name.so", first from the program folder (the executable's
// folder; the name's case is ignored there, as module names are case-insensitive), then through the dynamic
// loader's library path. A name with a folder is looked up in that folder only. Loading again returns the same handle and counts a reference; FreeLibrary drops one and unloads at
// zero (built-in modules are never unloaded). Fails with null and ERROR_MOD_NOT_FOUND.
HMODULE LoadLibrary(LPCSTR lpLibFileName);
BOOL FreeLibrary(HMODULE hLibModule);
// The handle of a module already loaded (no reference is counted); the built-in modules are always loaded.
// Null gives the program itself, whose exported symbols GetProcAddress finds.
HMODULE GetModuleHandle(LPCSTR lpModuleName);
// An exported function by name: dlsym for a loaded library, the export table for a built-in module. Fails
// with null and ERROR_PROC_NOT_FOUND (unknown name, or an ordinal: only names are supported) or
// ERROR_INVALID_HANDLE (not a module handle).
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);

// Adds or replaces an export of a built-in module, so the units that implement a system function can wire it
// up: RegisterModuleExport("user32.dll", "TrackMouseEvent", reinterpret_cast<void*>(&TrackMouseEvent)).
// Returns false when the module is not one of the built-in ones.
bool RegisterModuleExport(LPCSTR ModuleName, LPCSTR ExportName, void* Address);

// The platform identity: Windows NT 5.1 build 2600, Service Pack 2.
inline constexpr DWORD VER_PLATFORM_WIN32s = 0;
inline constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr DWORD VER_PLATFORM_WIN32_NT = 2;
inline constexpr BYTE VER_NT_WORKSTATION = 1;

struct OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize = 0;
  DWORD dwMajorVersion = 0;
  DWORD dwMinorVersion = 0;
  DWORD dwBuildNumber = 0;
  DWORD dwPlatformId = 0;
  char szCSDVersion[128] = {};
};
struct OSVERSIONINFOEXA {
  DWORD dwOSVersionInfoSize = 0;
  DWORD dwMajorVersion = 0;
  DWORD dwMinorVersion = 0;
  DWORD dwBuildNumber = 0;
  DWORD dwPlatformId = 0;
  char szCSDVersion[128] = {};
  WORD wServicePackMajor = 0;
  WORD wServicePackMinor = 0;
  WORD wSuiteMask = 0;
  BYTE wProductType = 0;
  BYTE wReserved = 0;
};
using OSVERSIONINFO = OSVERSIONINFOA;
using OSVERSIONINFOEX = OSVERSIONINFOEXA;
using TOSVersionInfo = OSVERSIONINFOA;

// Fills the record; dwOSVersionInfoSize must be the size of OSVERSIONINFO or OSVERSIONINFOEX, otherwise
// FALSE with ERROR_INSUFFICIENT_BUFFER.
BOOL GetVersionEx(OSVERSIONINFOA* lpVersionInformation);
BOOL GetVersionEx(OSVERSIONINFOEXA* lpVersionInformation);

// The class library's copies of the identity.
extern const Integer Win32Platform;
extern const Integer Win32MajorVersion;
extern const Integer Win32MinorVersion;
extern const Integer Win32BuildNumber;
extern const std::string Win32CSDVersion;

// Version resources of the built-in system modules. GetFileVersionInfoSize fails with
// ERROR_RESOURCE_TYPE_NOT_FOUND for an existing file that has none and ERROR_FILE_NOT_FOUND otherwise.
// VerQueryValue understands "\" (VS_FIXEDFILEINFO), "\VarFileInfo\Translation" and
// "\StringFileInfo\<lang><codepage>\<name>" (CompanyName, FileDescription, FileVersion, InternalName,
// OriginalFilename, ProductName, ProductVersion); string lengths count characters with the terminator.
struct VS_FIXEDFILEINFO {
  DWORD dwSignature = 0xFEEF04BD;
  DWORD dwStrucVersion = 0x00010000;
  DWORD dwFileVersionMS = 0;
  DWORD dwFileVersionLS = 0;
  DWORD dwProductVersionMS = 0;
  DWORD dwProductVersionLS = 0;
  DWORD dwFileFlagsMask = 0x3F;
  DWORD dwFileFlags = 0;
  DWORD dwFileOS = 0x00040004;  // VOS_NT_WINDOWS32
  DWORD dwFileType = 2;         // VFT_DLL
  DWORD dwFileSubtype = 0;
  DWORD dwFileDateMS = 0;
  DWORD dwFileDateLS = 0;
};
DWORD GetFileVersionInfoSize(LPCSTR lptstrFilename, DWORD* lpdwHandle);
BOOL GetFileVersionInfo(LPCSTR lptstrFilename, DWORD dwHandle, DWORD dwLen, LPVOID lpData);
BOOL VerQueryValue(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen);

// What comctl32's and shell32's DllGetVersion export fills (found through GetProcAddress, as callers do).
inline constexpr DWORD DLLVER_PLATFORM_NT = 2;
struct DLLVERSIONINFO {
  DWORD cbSize = 0;
  DWORD dwMajorVersion = 0;
  DWORD dwMinorVersion = 0;
  DWORD dwBuildNumber = 0;
  DWORD dwPlatformID = 0;
};
using DLLGETVERSIONPROC = HRESULT (*)(DLLVERSIONINFO* pdvi);

// LoadImage and the other resource loaders from a module handle belong to the graphics unit.
