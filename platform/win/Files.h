// Files, folders and file mappings of the operating-system interface, over POSIX files with native '/' paths.
#pragma once

#include "platform/win/KernelObjects.h"
#include "platform/win/TimeApi.h"

#include <string>
#include <string_view>

inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;
inline constexpr DWORD FILE_SHARE_READ = 0x00000001;
inline constexpr DWORD FILE_SHARE_WRITE = 0x00000002;
inline constexpr DWORD FILE_SHARE_DELETE = 0x00000004;

inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;
inline constexpr DWORD TRUNCATE_EXISTING = 5;

inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x00000002;
inline constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x00000004;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
inline constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x00000020;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;
inline constexpr DWORD FILE_ATTRIBUTE_TEMPORARY = 0x00000100;
inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
inline constexpr DWORD FILE_FLAG_BACKUP_SEMANTICS = 0x02000000;

inline constexpr DWORD FILE_BEGIN = 0;
inline constexpr DWORD FILE_CURRENT = 1;
inline constexpr DWORD FILE_END = 2;
inline constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;
inline constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;

inline constexpr DWORD PAGE_READONLY = 0x02;
inline constexpr DWORD PAGE_READWRITE = 0x04;
inline constexpr DWORD FILE_MAP_WRITE = 0x0002;
inline constexpr DWORD FILE_MAP_READ = 0x0004;

inline constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x00000001;
inline constexpr DWORD MOVEFILE_COPY_ALLOWED = 0x00000002;

inline constexpr LONG ERROR_CURRENT_DIRECTORY = 16;
inline constexpr LONG ERROR_NOT_SAME_DEVICE = 17;
inline constexpr LONG ERROR_NEGATIVE_SEEK = 131;
inline constexpr LONG ERROR_FILENAME_EXCED_RANGE = 206;
inline constexpr LONG ERROR_FILE_INVALID = 1006;
inline constexpr LONG ERROR_INVALID_ADDRESS = 487;
inline constexpr LONG ERROR_MAPPED_ALIGNMENT = 1132;

// The error code the platform would report for a failed POSIX call on Path: ENOENT becomes
// ERROR_PATH_NOT_FOUND when the folder part is missing, else ERROR_FILE_NOT_FOUND.
DWORD ErrorFromErrno(int Errno, std::string_view Path = {});
// Matches a file name against a mask of '*' and '?' the way the platform's file search does: case-sensitive
// (the file system is), "*.*" and "name.*" also match names without an extension, a mask ending in "." matches
// only names without one.
bool MatchesFileMask(std::string_view Name, std::string_view Mask);

// Attributes: FILE_ATTRIBUTE_DIRECTORY for folders, ARCHIVE for files, READONLY when the owner may not write,
// HIDDEN for names starting with a dot. INVALID_FILE_ATTRIBUTES with ERROR_FILE_NOT_FOUND or
// ERROR_PATH_NOT_FOUND when the path does not exist. SetFileAttributes changes only READONLY (the write
// permission bits); the other bits are accepted and ignored.
DWORD GetFileAttributes(LPCSTR FileName);
BOOL SetFileAttributes(LPCSTR FileName, DWORD Attributes);

// Folders. CreateDirectory fails with ERROR_ALREADY_EXISTS when the name exists and ERROR_PATH_NOT_FOUND when
// the parent does not; RemoveDirectory with ERROR_DIR_NOT_EMPTY or ERROR_DIRECTORY (not a folder).
BOOL CreateDirectory(LPCSTR PathName, LPVOID SecurityAttributes);
BOOL RemoveDirectory(LPCSTR PathName);
DWORD GetCurrentDirectory(DWORD BufferLength, LPSTR Buffer);
BOOL SetCurrentDirectory(LPCSTR PathName);
// The absolute form of a path (relative to the current folder, "." and ".." resolved without touching the
// disk); the file-name part is returned through FilePart when asked. Length or needed size as the platform.
DWORD GetFullPathName(LPCSTR FileName, DWORD BufferLength, LPSTR Buffer, LPSTR* FilePart);

// Files by name. DeleteFile refuses folders and read-only files (ERROR_ACCESS_DENIED) as the platform does.
// MoveFile fails with ERROR_ALREADY_EXISTS when the target exists; MoveFileEx replaces it with
// MOVEFILE_REPLACE_EXISTING and copies across file systems with MOVEFILE_COPY_ALLOWED (MoveFile always may).
// CopyFile keeps the last-write time and the read-only state; with FailIfExists an existing target gives
// ERROR_FILE_EXISTS.
BOOL DeleteFile(LPCSTR FileName);
BOOL MoveFile(LPCSTR ExistingFileName, LPCSTR NewFileName);
BOOL MoveFileEx(LPCSTR ExistingFileName, LPCSTR NewFileName, DWORD Flags);
BOOL CopyFile(LPCSTR ExistingFileName, LPCSTR NewFileName, BOOL FailIfExists);

// The user's temporary folder with a trailing '/': $ZUBQ_TEMP when set, else $XDG_CACHE_HOME/ZUB Quillon/Temp
// (default ~/.cache/ZUB Quillon/Temp); it persists across runs and is created on demand. Returns the length
// without the null, or the size needed with it when the buffer is too small.
DWORD GetTempPath(DWORD BufferLength, LPSTR Buffer);
std::string GetTempPathString();
// Names a file PathName/<up to 3 characters of Prefix><hex number>.tmp. With Unique 0 the number is chosen so
// that the file is new, and the file is created empty; otherwise the name is only formed. Returns the number,
// or 0 with ERROR_DIRECTORY (no such folder) or another error. Buffer holds at least MAX_PATH characters.
UINT GetTempFileName(LPCSTR PathName, LPCSTR PrefixString, UINT Unique, LPSTR TempFileName);

// Open files are kernel objects (CloseHandle ends them). Sharing modes are accepted; Linux does not enforce
// them. CreateFile returns INVALID_HANDLE_VALUE with the error code on failure; after CREATE_ALWAYS or
// OPEN_ALWAYS on an existing file GetLastError is ERROR_ALREADY_EXISTS, else 0. A folder opens only with
// FILE_FLAG_BACKUP_SEMANTICS (for its times). FILE_ATTRIBUTE_READONLY creates a read-only file.
HANDLE CreateFile(LPCSTR FileName, DWORD DesiredAccess, DWORD ShareMode, LPVOID SecurityAttributes,
                  DWORD CreationDisposition, DWORD FlagsAndAttributes, HANDLE TemplateFile);
// Synchronous only (Overlapped must be null). Reading at the end gives TRUE with 0 bytes.
BOOL ReadFile(HANDLE File, LPVOID Buffer, DWORD NumberOfBytesToRead, DWORD* NumberOfBytesRead, LPVOID Overlapped);
BOOL WriteFile(HANDLE File, LPCVOID Buffer, DWORD NumberOfBytesToWrite, DWORD* NumberOfBytesWritten,
               LPVOID Overlapped);
// Returns the low half of the new position (the high half through DistanceToMoveHigh); INVALID_SET_FILE_POINTER
// with a non-zero GetLastError on failure (ERROR_NEGATIVE_SEEK before the start).
DWORD SetFilePointer(HANDLE File, LONG DistanceToMove, LONG* DistanceToMoveHigh, DWORD MoveMethod);
BOOL SetFilePointerEx(HANDLE File, Int64 DistanceToMove, Int64* NewFilePointer, DWORD MoveMethod);
BOOL SetEndOfFile(HANDLE File);
BOOL FlushFileBuffers(HANDLE File);
// Size: low half returned, high half through FileSizeHigh; INVALID_FILE_SIZE with an error on failure.
DWORD GetFileSize(HANDLE File, DWORD* FileSizeHigh);
BOOL GetFileSizeEx(HANDLE File, Int64* FileSize);
// Times in FILETIME (UTC). Linux keeps no settable creation time: it reads as the birth time where the file
// system records one (else the last-write time) and setting it is ignored.
BOOL GetFileTime(HANDLE File, FILETIME* CreationTime, FILETIME* LastAccessTime, FILETIME* LastWriteTime);
BOOL SetFileTime(HANDLE File, const FILETIME* CreationTime, const FILETIME* LastAccessTime,
                 const FILETIME* LastWriteTime);

// Read-only file mappings. CreateFileMapping takes PAGE_READONLY (others give ERROR_INVALID_PARAMETER); size 0
// means the whole file, and an empty file cannot be mapped (null with ERROR_FILE_INVALID), as on the platform.
// The mapping keeps the file open, so the file handle may be closed first. Failures return null (not
// INVALID_HANDLE_VALUE). MapViewOfFile takes FILE_MAP_READ; the offset must be a multiple of 64 KB; 0 bytes maps
// to the end. A view stays valid until UnmapViewOfFile, after the mapping handle is closed too.
HANDLE CreateFileMapping(HANDLE File, LPVOID Attributes, DWORD Protect, DWORD MaximumSizeHigh,
                         DWORD MaximumSizeLow, LPCSTR Name);
LPVOID MapViewOfFile(HANDLE FileMappingObject, DWORD DesiredAccess, DWORD FileOffsetHigh, DWORD FileOffsetLow,
                     std::size_t NumberOfBytesToMap);
BOOL UnmapViewOfFile(LPCVOID BaseAddress);

// Directory search over a snapshot of the folder taken at FindFirstFile, in byte order of the names, "." and
// ".." included as on the platform. The mask is the last path component (see MatchesFileMask).
struct WIN32_FIND_DATA {
  DWORD dwFileAttributes = 0;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh = 0;
  DWORD nFileSizeLow = 0;
  DWORD dwReserved0 = 0;
  DWORD dwReserved1 = 0;
  char cFileName[MAX_PATH] = {};
  char cAlternateFileName[14] = {};
};
using TWin32FindData = WIN32_FIND_DATA;
// INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND (nothing matches) or ERROR_PATH_NOT_FOUND (no such folder).
HANDLE FindFirstFile(LPCSTR FileName, WIN32_FIND_DATA* FindFileData);
// FALSE with ERROR_NO_MORE_FILES at the end.
BOOL FindNextFile(HANDLE FindFile, WIN32_FIND_DATA* FindFileData);
BOOL FindClose(HANDLE FindFile);

// Free and total space of the file system holding Directory (null: the current folder).
BOOL GetDiskFreeSpaceEx(LPCSTR Directory, UInt64* FreeBytesAvailable, UInt64* TotalNumberOfBytes,
                        UInt64* TotalNumberOfFreeBytes);

// The path of a module: the program itself for null, otherwise the shared library a module handle (a dlopen
// handle or an address inside the library) belongs to. Truncates with ERROR_INSUFFICIENT_BUFFER when the
// buffer is too small (returning Size); 0 with ERROR_MOD_NOT_FOUND for an unknown module.
DWORD GetModuleFileName(HMODULE Module, LPSTR FileName, DWORD Size);
std::string GetModuleFileNameString(HMODULE Module);
