// The class library's file and path routines.
#include "platform/rtl/FileUtils.h"

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <sys/stat.h>

namespace {
constexpr int faSpecial = faHidden | faSysFile | faVolumeID | faDirectory;

int FindMatching(TSearchRec& F) {
  while (static_cast<int>(F.FindData.dwFileAttributes) & F.ExcludeAttr) {
    if (!FindNextFile(F.FindHandle, &F.FindData)) {
      return static_cast<int>(GetLastError());
    }
  }
  FILETIME Local;
  WORD FatDate = 0;
  WORD FatTime = 0;
  F.Time = -1;
  if (FileTimeToLocalFileTime(&F.FindData.ftLastWriteTime, &Local) &&
      FileTimeToDosDateTime(&Local, &FatDate, &FatTime)) {
    F.Time = static_cast<Integer>((static_cast<std::uint32_t>(FatDate) << 16) | FatTime);
  }
  F.Size = static_cast<Int64>((static_cast<UInt64>(F.FindData.nFileSizeHigh) << 32) | F.FindData.nFileSizeLow);
  F.Attr = static_cast<Integer>(F.FindData.dwFileAttributes);
  F.Name = F.FindData.cFileName;
  return 0;
}

bool StatPath(const String& Name, struct stat& St) { return !Name.empty() && stat(Name.c_str(), &St) == 0; }
}  // namespace

int FindFirst(const String& Path, int Attr, TSearchRec& F) {
  F.ExcludeAttr = ~Attr & faSpecial;
  F.FindHandle = FindFirstFile(Path.c_str(), &F.FindData);
  if (F.FindHandle == INVALID_HANDLE_VALUE) {
    return static_cast<int>(GetLastError());
  }
  const int R = FindMatching(F);
  if (R != 0) {
    FindClose(F);
  }
  return R;
}

int FindNext(TSearchRec& F) {
  if (!FindNextFile(F.FindHandle, &F.FindData)) {
    return static_cast<int>(GetLastError());
  }
  return FindMatching(F);
}

void FindClose(TSearchRec& F) {
  if (F.FindHandle != INVALID_HANDLE_VALUE) {
    FindClose(F.FindHandle);
    F.FindHandle = INVALID_HANDLE_VALUE;
  }
}

bool FileExists(const String& FileName) {
  struct stat St {};
  return StatPath(FileName, St) && !S_ISDIR(St.st_mode);
}

bool DirectoryExists(const String& Directory) {
  struct stat St {};
  return StatPath(Directory, St) && S_ISDIR(St.st_mode);
}

bool ForceDirectories(const String& Dir) {
  if (Dir.empty()) {
    throw EInOutError(SCannotCreateDir);
  }
  const String D = ExcludeTrailingBackslash(Dir);
  if (DirectoryExists(D)) {
    return true;
  }
  const String Parent = ExtractFileDir(D);
  if (!Parent.empty() && Parent != D && !ForceDirectories(Parent)) {
    return false;
  }
  // Another process may have created it meanwhile; that counts as success.
  return CreateDir(D) || DirectoryExists(D);
}

bool CreateDir(const String& Dir) { return CreateDirectory(Dir.c_str(), nullptr) != FALSE; }
bool RemoveDir(const String& Dir) { return RemoveDirectory(Dir.c_str()) != FALSE; }
bool DeleteFile(const String& FileName) { return DeleteFile(FileName.c_str()) != FALSE; }
bool RenameFile(const String& OldName, const String& NewName) {
  return MoveFile(OldName.c_str(), NewName.c_str()) != FALSE;
}

Integer FileAge(const String& FileName) {
  struct stat St {};
  if (!StatPath(FileName, St) || S_ISDIR(St.st_mode)) {
    return -1;
  }
  const FILETIME Utc = Int64ToFileTime(UnixEpochFileTime + static_cast<Int64>(St.st_mtim.tv_sec) * 10000000 +
                                       St.st_mtim.tv_nsec / 100);
  FILETIME Local;
  WORD FatDate = 0;
  WORD FatTime = 0;
  if (!FileTimeToLocalFileTime(&Utc, &Local) || !FileTimeToDosDateTime(&Local, &FatDate, &FatTime)) {
    return -1;
  }
  return static_cast<Integer>((static_cast<std::uint32_t>(FatDate) << 16) | FatTime);
}

Integer FileGetAttr(const String& FileName) { return static_cast<Integer>(GetFileAttributes(FileName.c_str())); }

Integer FileSetAttr(const String& FileName, Integer Attr) {
  return SetFileAttributes(FileName.c_str(), static_cast<DWORD>(Attr)) ? 0 : static_cast<Integer>(GetLastError());
}

String GetCurrentDir() {
  char Buf[4096];
  const DWORD N = GetCurrentDirectory(sizeof(Buf), Buf);
  return N > 0 && N < sizeof(Buf) ? String(Buf, N) : String();
}

bool SetCurrentDir(const String& Dir) { return SetCurrentDirectory(Dir.c_str()) != FALSE; }

Int64 DiskFree(Byte Drive) {
  UInt64 Free = 0;
  if (Drive != 0 || !GetDiskFreeSpaceEx(nullptr, &Free, nullptr, nullptr)) {
    return -1;
  }
  return static_cast<Int64>(Free);
}

Int64 DiskSize(Byte Drive) {
  UInt64 Total = 0;
  if (Drive != 0 || !GetDiskFreeSpaceEx(nullptr, nullptr, &Total, nullptr)) {
    return -1;
  }
  return static_cast<Int64>(Total);
}

String ExtractFilePath(std::string_view FileName) {
  const size_t I = FileName.find_last_of(PathDelim);
  return I == std::string_view::npos ? String() : String(FileName.substr(0, I + 1));
}

String ExtractFileDir(std::string_view FileName) {
  size_t I = FileName.find_last_of(PathDelim);
  if (I == std::string_view::npos) {
    return String();
  }
  // Keep the separator of the root, and drop only one of a run of separators.
  if (I > 0 && FileName[I - 1] != PathDelim) {
    return String(FileName.substr(0, I));
  }
  return String(FileName.substr(0, I + 1));
}

String ExtractFileName(std::string_view FileName) {
  const size_t I = FileName.find_last_of(PathDelim);
  return String(I == std::string_view::npos ? FileName : FileName.substr(I + 1));
}

String ExtractFileExt(std::string_view FileName) {
  const size_t I = FileName.find_last_of(std::string_view("./", 2));
  if (I == std::string_view::npos || FileName[I] != '.') {
    return String();
  }
  return String(FileName.substr(I));
}

String ChangeFileExt(std::string_view FileName, std::string_view Extension) {
  size_t I = FileName.find_last_of(std::string_view("./", 2));
  if (I == std::string_view::npos || FileName[I] != '.') {
    I = FileName.size();
  }
  return String(FileName.substr(0, I)) + String(Extension);
}

String ExpandFileName(std::string_view FileName) {
  if (FileName.empty()) {
    return GetCurrentDir();
  }
  const String Name(FileName);
  char Buf[4096];
  const DWORD N = GetFullPathName(Name.c_str(), sizeof(Buf), Buf, nullptr);
  return N > 0 && N < sizeof(Buf) ? String(Buf, N) : Name;
}

String IncludeTrailingBackslash(std::string_view S) {
  String R(S);
  if (R.empty() || R.back() != PathDelim) {
    R += PathDelim;
  }
  return R;
}

String IncludeTrailingPathDelimiter(std::string_view S) { return IncludeTrailingBackslash(S); }

String ExcludeTrailingBackslash(std::string_view S) {
  String R(S);
  if (R.size() > 1 && R.back() == PathDelim) {
    R.pop_back();
  }
  return R;
}

String ExcludeTrailingPathDelimiter(std::string_view S) { return ExcludeTrailingBackslash(S); }

bool IsPathDelimiter(std::string_view S, int Index) {
  return Index >= 1 && static_cast<size_t>(Index) <= S.size() && S[static_cast<size_t>(Index) - 1] == PathDelim;
}

bool IsAbsolutePath(std::string_view Path) { return !Path.empty() && Path[0] == PathDelim; }
