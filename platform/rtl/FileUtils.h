// The class library's file and path routines over native '/' paths: tests, folders, search, names.
#pragma once

#include "platform/rtl/Types.h"
#include "platform/win/Files.h"

#include <string>
#include <string_view>

// The path separator. Code that splits or joins paths uses it (and IsAbsolutePath) instead of '\' and drive
// letters.
inline constexpr char PathDelim = '/';
inline constexpr const char* SCannotCreateDir = "Unable to create directory";

// File attributes of the search records, with their documented values.
inline constexpr int faReadOnly = 0x01;
inline constexpr int faHidden = 0x02;
inline constexpr int faSysFile = 0x04;
inline constexpr int faVolumeID = 0x08;
inline constexpr int faDirectory = 0x10;
inline constexpr int faArchive = 0x20;
inline constexpr int faAnyFile = 0x3F;

// One entry of a directory search. Time is the packed local file date (see FileDateToDateTime).
struct TSearchRec {
  Integer Time = 0;
  Int64 Size = 0;
  Integer Attr = 0;
  String Name;
  Integer ExcludeAttr = 0;
  HANDLE FindHandle = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATA FindData;
};

// Searches Path (a folder and a mask of '*' and '?'). Ordinary files always qualify; folders, hidden and system
// entries only when Attr asks for them (faDirectory, faHidden, faSysFile). Returns 0 on success, otherwise the
// error code (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_NO_MORE_FILES); FindClose must follow a
// successful FindFirst and may be called again safely.
int FindFirst(const String& Path, int Attr, TSearchRec& F);
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);

// True for an existing file that is not a folder (whatever its date).
bool FileExists(const String& FileName);
bool DirectoryExists(const String& Directory);
// Creates a folder and its missing parents; true when it exists afterwards. An empty name raises EInOutError
// (SCannotCreateDir).
bool ForceDirectories(const String& Dir);
bool CreateDir(const String& Dir);
bool RemoveDir(const String& Dir);
bool DeleteFile(const String& FileName);
bool RenameFile(const String& OldName, const String& NewName);
// The packed local last-write date of a file, -1 when it does not exist, is a folder or lies outside 1980-2107.
Integer FileAge(const String& FileName);
// Attributes as faXXX bits, or -1 when the file does not exist.
Integer FileGetAttr(const String& FileName);
// 0 on success, else the error code.
Integer FileSetAttr(const String& FileName, Integer Attr);
String GetCurrentDir();
bool SetCurrentDir(const String& Dir);
// Free bytes of the file system holding the current folder (Drive 0); -1 for any other drive number, which
// has no meaning here.
Int64 DiskFree(Byte Drive);
Int64 DiskSize(Byte Drive);

// Name parts. ExtractFilePath keeps the trailing separator, ExtractFileDir drops it (except for the root);
// ExtractFileExt includes the dot and is empty when the last part has none.
String ExtractFilePath(std::string_view FileName);
String ExtractFileDir(std::string_view FileName);
String ExtractFileName(std::string_view FileName);
String ExtractFileExt(std::string_view FileName);
String ChangeFileExt(std::string_view FileName, std::string_view Extension);
// The absolute form, relative to the current folder, with "." and ".." resolved.
String ExpandFileName(std::string_view FileName);
// Adds a separator unless the text ends with one ("" becomes "/", as the class library does).
String IncludeTrailingBackslash(std::string_view S);
String IncludeTrailingPathDelimiter(std::string_view S);
// Drops one trailing separator; the root "/" stays as it is.
String ExcludeTrailingBackslash(std::string_view S);
String ExcludeTrailingPathDelimiter(std::string_view S);
bool IsPathDelimiter(std::string_view S, int Index);
// A path that does not depend on the current folder (starts with '/').
bool IsAbsolutePath(std::string_view Path);
