// Program modules of the platform's portable executable format handled as data: their headers and resource
// tree read with every offset checked, modules loaded as data files for the resource calls, and the
// resource-update calls that rebuild a module's resource section.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr DWORD LOAD_LIBRARY_AS_DATAFILE = 0x00000002;

// A resource type or name: an identifier (IsId) or a string, compared without regard to ASCII case.
struct TPeResKey {
  bool IsId = true;
  WORD Id = 0;
  std::string Name;
  static TPeResKey From(LPCSTR P);  // MAKEINTRESOURCE values give identifiers; "#12" names identifier 12
  bool operator==(const TPeResKey& Other) const;
};

struct TPeResource {
  TPeResKey Type;
  TPeResKey Name;
  WORD Language = 0;
  std::string Data;
};

// What the headers of an image say, as file offsets into it.
struct TPeLayout {
  bool Pe32Plus = false;
  std::uint32_t NtOffset = 0;        // the "PE\0\0" signature
  std::uint32_t OptionalOffset = 0;  // the optional header
  std::uint32_t SectionTableOffset = 0;
  std::uint16_t SectionCount = 0;
  std::uint32_t SectionAlignment = 0;
  std::uint32_t FileAlignment = 0;
  std::uint32_t SizeOfHeaders = 0;
  std::uint32_t ResourceDirOffset = 0;  // the resource entry of the data directory (RVA, size)
  int ResourceSection = -1;             // the section holding the resource tree, -1 when there is none
};

// Reads the headers; false with Error ("Invalid file format" or what is wrong) when they are not a valid
// image. Every offset read lies inside Image.
bool ReadPeLayout(const std::string& Image, TPeLayout& Layout, std::string& Error);
// Reads the resource tree (type, name, language, data); false with Error when it cannot be trusted. Offsets
// are checked against the section and the file, the tree depth is bounded (three levels).
bool ReadPeResources(const std::string& Image, std::vector<TPeResource>& Resources, std::string& Error);
// The image with its resource section rebuilt from Resources and placed last in the file; the section table,
// the image size and the resource directory entry are fixed. False with Error when the headers have no room
// for a new section or the image is not valid.
bool WritePeResources(const std::string& Image, const std::vector<TPeResource>& Resources, std::string& Result,
                      std::string& Error);

// Modules: with LOAD_LIBRARY_AS_DATAFILE the file is read as a module image whose resources FindResource,
// LoadResource and SizeofResource give (FreeLibrary releases it); ERROR_BAD_EXE_FORMAT when it is not a valid
// image, ERROR_FILE_NOT_FOUND when it is missing. Without the flag, as LoadLibrary.
HMODULE LoadLibraryEx(LPCSTR FileName, HANDLE File, DWORD Flags);

// Resource updates: a handle collects changes to a module file; EndUpdateResource writes them (unless
// Discard) by rebuilding the resource section. UpdateResource with null Data and size 0 deletes the resource.
// BeginUpdateResource gives null with ERROR_FILE_NOT_FOUND or ERROR_BAD_EXE_FORMAT.
HANDLE BeginUpdateResource(LPCSTR FileName, BOOL DeleteExistingResources);
BOOL UpdateResource(HANDLE Update, LPCSTR Type, LPCSTR Name, WORD Language, LPCVOID Data, DWORD Size);
BOOL EndUpdateResource(HANDLE Update, BOOL Discard);

// The resource calls' hooks for modules loaded as data files (used by the resource and module units).
bool IsDataModule(HMODULE Module);
std::uintptr_t FindDataModuleResource(HMODULE Module, LPCSTR Name, LPCSTR Type);
const void* DataModuleResource(HMODULE Module, std::uintptr_t Res, DWORD& Size);
bool FreeDataModule(HMODULE Module);
