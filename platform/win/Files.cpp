// Files and folders by name: attributes, folders, delete, move, copy, the temporary folder and module paths.
#include "platform/win/Files.h"

#include "platform/win/Clock.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <mutex>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

namespace {
std::string FolderOf(std::string_view Path) {
  const size_t Slash = Path.find_last_of('/');
  if (Slash == std::string_view::npos) {
    return ".";
  }
  return Slash == 0 ? "/" : std::string(Path.substr(0, Slash));
}

bool IsFolder(const std::string& Path) {
  struct stat St {};
  return stat(Path.c_str(), &St) == 0 && S_ISDIR(St.st_mode);
}

// Copies a string into a caller's buffer with the platform's length contract: the length without the null
// when it fits, else the size needed with the null.
DWORD CopyToBuffer(const std::string& S, LPSTR Buffer, DWORD Size) {
  if (!Buffer || Size < S.size() + 1) {
    return static_cast<DWORD>(S.size() + 1);
  }
  std::memcpy(Buffer, S.c_str(), S.size() + 1);
  return static_cast<DWORD>(S.size());
}

bool Fail(DWORD Code) {
  SetLastError(Code);
  return false;
}

bool FailErrno(std::string_view Path) { return Fail(ErrorFromErrno(errno, Path)); }

// Copies the bytes, permission bits and times of an open file into a new one.
bool CopyContents(const char* From, const char* To, bool FailIfExists) {
  const int In = open(From, O_RDONLY | O_CLOEXEC);
  if (In < 0) {
    return FailErrno(From);
  }
  struct stat St {};
  if (fstat(In, &St) != 0 || S_ISDIR(St.st_mode)) {
    close(In);
    return Fail(ERROR_ACCESS_DENIED);
  }
  const int Flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (FailIfExists ? O_EXCL : 0);
  const int Out = open(To, Flags, 0666);
  if (Out < 0) {
    const int E = errno;
    close(In);
    return Fail(E == EEXIST ? ERROR_FILE_EXISTS : ErrorFromErrno(E, To));
  }
  std::vector<char> Buf(1 << 16);
  bool Ok = true;
  for (;;) {
    const ssize_t N = read(In, Buf.data(), Buf.size());
    if (N < 0 && errno == EINTR) {
      continue;
    }
    if (N <= 0) {
      Ok = N == 0;
      break;
    }
    for (ssize_t Done = 0; Done < N;) {
      const ssize_t W = write(Out, Buf.data() + Done, static_cast<size_t>(N - Done));
      if (W < 0 && errno == EINTR) {
        continue;
      }
      if (W <= 0) {
        Ok = false;
        break;
      }
      Done += W;
    }
    if (!Ok) {
      break;
    }
  }
  const int E = errno;
  if (Ok) {
    const timespec Times[2] = {St.st_atim, St.st_mtim};
    futimens(Out, Times);
    fchmod(Out, St.st_mode & 07777);
  }
  close(In);
  if (close(Out) != 0) {
    Ok = false;
  }
  if (!Ok) {
    unlink(To);
    return Fail(ErrorFromErrno(E ? E : EIO, To));
  }
  return true;
}
}  // namespace

DWORD ErrorFromErrno(int Errno, std::string_view Path) {
  switch (Errno) {
    case 0: return ERROR_SUCCESS;
    case ENOENT:
      if (!Path.empty() && !IsFolder(FolderOf(Path))) {
        return ERROR_PATH_NOT_FOUND;
      }
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES: case EPERM: case EROFS: case EISDIR: case ETXTBSY: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    case ENOSPC: case EDQUOT: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EMFILE: case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case EBADF: return ERROR_INVALID_HANDLE;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EBUSY: return ERROR_SHARING_VIOLATION;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ELOOP: return ERROR_INVALID_NAME;
    default: return ERROR_INVALID_FUNCTION;
  }
}

namespace {
bool MatchPlain(std::string_view N, std::string_view M) {
  // Iterative '*' matching with one back-track point.
  size_t I = 0, J = 0, StarJ = std::string_view::npos, StarI = 0;
  while (I < N.size()) {
    if (J < M.size() && (M[J] == '?' || M[J] == N[I])) {
      ++I;
      ++J;
    } else if (J < M.size() && M[J] == '*') {
      StarJ = J++;
      StarI = I;
    } else if (StarJ != std::string_view::npos) {
      J = StarJ + 1;
      I = ++StarI;
    } else {
      return false;
    }
  }
  while (J < M.size() && M[J] == '*') {
    ++J;
  }
  return J == M.size();
}
}  // namespace

bool MatchesFileMask(std::string_view Name, std::string_view Mask) {
  if (Mask.empty()) {
    return false;
  }
  if (MatchPlain(Name, Mask)) {
    return true;
  }
  if (Mask.size() >= 2 && Mask.substr(Mask.size() - 2) == ".*") {
    return MatchPlain(Name, Mask.substr(0, Mask.size() - 2));
  }
  if (Mask.back() == '.') {
    return Name.find('.') == std::string_view::npos && MatchPlain(Name, Mask.substr(0, Mask.size() - 1));
  }
  return false;
}

DWORD GetFileAttributes(LPCSTR FileName) {
  struct stat St {};
  if (!FileName || !*FileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_FILE_ATTRIBUTES;
  }
  if (stat(FileName, &St) != 0) {
    SetLastError(ErrorFromErrno(errno, FileName));
    return INVALID_FILE_ATTRIBUTES;
  }
  DWORD A = S_ISDIR(St.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  if (!(St.st_mode & S_IWUSR)) {
    A |= FILE_ATTRIBUTE_READONLY;
  }
  std::string_view Name(FileName);
  while (Name.size() > 1 && Name.back() == '/') {
    Name.remove_suffix(1);
  }
  Name = Name.substr(Name.find_last_of('/') == std::string_view::npos ? 0 : Name.find_last_of('/') + 1);
  if (Name.size() > 1 && Name[0] == '.' && Name != "..") {
    A |= FILE_ATTRIBUTE_HIDDEN;
  }
  return A;
}

BOOL SetFileAttributes(LPCSTR FileName, DWORD Attributes) {
  struct stat St {};
  if (!FileName || stat(FileName, &St) != 0) {
    return FailErrno(FileName ? FileName : "");
  }
  mode_t Mode = St.st_mode & 07777;
  if (Attributes & FILE_ATTRIBUTE_READONLY) {
    Mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  } else if (!(Mode & S_IWUSR)) {
    // Clearing read-only gives the owner write access back; what the group and others may do stays as the
    // umask would set it for a new file.
    const mode_t Mask = umask(0);
    umask(Mask);
    Mode |= S_IWUSR | (static_cast<mode_t>(S_IWGRP | S_IWOTH) & ~Mask & ((Mode & (S_IRGRP | S_IROTH)) >> 1));
  }
  if (chmod(FileName, Mode) != 0) {
    return FailErrno(FileName);
  }
  return TRUE;
}

BOOL CreateDirectory(LPCSTR PathName, LPVOID) {
  if (!PathName || !*PathName) {
    return Fail(ERROR_PATH_NOT_FOUND);
  }
  if (mkdir(PathName, 0777) != 0) {
    return FailErrno(PathName);
  }
  return TRUE;
}

BOOL RemoveDirectory(LPCSTR PathName) {
  if (!PathName || rmdir(PathName) != 0) {
    const int E = errno;
    return Fail(E == ENOTDIR ? ERROR_DIRECTORY : ErrorFromErrno(E, PathName ? PathName : ""));
  }
  return TRUE;
}

DWORD GetCurrentDirectory(DWORD BufferLength, LPSTR Buffer) {
  char Cwd[PATH_MAX];
  if (!getcwd(Cwd, sizeof(Cwd))) {
    SetLastError(ErrorFromErrno(errno));
    return 0;
  }
  return CopyToBuffer(Cwd, Buffer, BufferLength);
}

BOOL SetCurrentDirectory(LPCSTR PathName) {
  if (!PathName || chdir(PathName) != 0) {
    return FailErrno(PathName ? PathName : "");
  }
  return TRUE;
}

DWORD GetFullPathName(LPCSTR FileName, DWORD BufferLength, LPSTR Buffer, LPSTR* FilePart) {
  if (!FileName || !*FileName) {
    SetLastError(ERROR_INVALID_NAME);
    return 0;
  }
  std::string Path = FileName;
  if (Path[0] != '/') {
    char Cwd[PATH_MAX];
    if (!getcwd(Cwd, sizeof(Cwd))) {
      SetLastError(ErrorFromErrno(errno));
      return 0;
    }
    Path = std::string(Cwd) + "/" + Path;
  }
  // Resolve "." and ".." textually, keeping a trailing separator.
  std::vector<std::string> Parts;
  size_t I = 0;
  while (I <= Path.size()) {
    size_t J = Path.find('/', I);
    if (J == std::string::npos) {
      J = Path.size();
    }
    const std::string Part = Path.substr(I, J - I);
    if (Part == "..") {
      if (!Parts.empty()) {
        Parts.pop_back();
      }
    } else if (!Part.empty() && Part != ".") {
      Parts.push_back(Part);
    }
    I = J + 1;
  }
  std::string Full;
  for (const std::string& P : Parts) {
    Full += "/" + P;
  }
  if (Full.empty() || (Path.back() == '/' && Full != "/")) {
    Full += "/";
  }
  const DWORD R = CopyToBuffer(Full, Buffer, BufferLength);
  if (FilePart && R == Full.size()) {
    const size_t Slash = Full.find_last_of('/');
    *FilePart = Slash + 1 < Full.size() ? Buffer + Slash + 1 : nullptr;
  }
  return R;
}

BOOL DeleteFile(LPCSTR FileName) {
  struct stat St {};
  if (!FileName || lstat(FileName, &St) != 0) {
    return FailErrno(FileName ? FileName : "");
  }
  if (S_ISDIR(St.st_mode) || (S_ISREG(St.st_mode) && !(St.st_mode & S_IWUSR))) {
    return Fail(ERROR_ACCESS_DENIED);
  }
  if (unlink(FileName) != 0) {
    return FailErrno(FileName);
  }
  return TRUE;
}

BOOL MoveFileEx(LPCSTR ExistingFileName, LPCSTR NewFileName, DWORD Flags) {
  if (!ExistingFileName || !NewFileName) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  struct stat St {};
  if (lstat(ExistingFileName, &St) != 0) {
    return FailErrno(ExistingFileName);
  }
  const bool Replace = (Flags & MOVEFILE_REPLACE_EXISTING) != 0;
  const int R = Replace ? rename(ExistingFileName, NewFileName)
                        : renameat2(AT_FDCWD, ExistingFileName, AT_FDCWD, NewFileName, RENAME_NOREPLACE);
  if (R == 0) {
    return TRUE;
  }
  const int E = errno;
  if (E == EEXIST) {
    return Fail(ERROR_ALREADY_EXISTS);
  }
  if (E == EXDEV && (Flags & MOVEFILE_COPY_ALLOWED) && !S_ISDIR(St.st_mode)) {
    if (!CopyContents(ExistingFileName, NewFileName, !Replace)) {
      return FALSE;
    }
    unlink(ExistingFileName);
    return TRUE;
  }
  return Fail(ErrorFromErrno(E, NewFileName));
}

BOOL MoveFile(LPCSTR ExistingFileName, LPCSTR NewFileName) {
  return MoveFileEx(ExistingFileName, NewFileName, MOVEFILE_COPY_ALLOWED);
}

BOOL CopyFile(LPCSTR ExistingFileName, LPCSTR NewFileName, BOOL FailIfExists) {
  if (!ExistingFileName || !NewFileName) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  return CopyContents(ExistingFileName, NewFileName, FailIfExists != FALSE) ? TRUE : FALSE;
}

std::string GetTempPathString() {
  std::string Folder;
  if (const char* Override = std::getenv("ZUBQ_TEMP"); Override && *Override) {
    Folder = Override;
  } else {
    const char* Cache = std::getenv("XDG_CACHE_HOME");
    if (Cache && *Cache == '/') {
      Folder = Cache;
    } else {
      const char* Home = std::getenv("HOME");
      Folder = std::string(Home && *Home ? Home : "/tmp") + "/.cache";
    }
    Folder += "/ZUB Quillon/Temp";
  }
  // Create the folder and its parents on demand; a failure shows up when the caller uses it.
  for (size_t I = 1; I <= Folder.size(); ++I) {
    if (I == Folder.size() || Folder[I] == '/') {
      mkdir(Folder.substr(0, I).c_str(), 0700);
    }
  }
  if (Folder.back() != '/') {
    Folder += '/';
  }
  return Folder;
}

DWORD GetTempPath(DWORD BufferLength, LPSTR Buffer) { return CopyToBuffer(GetTempPathString(), Buffer, BufferLength); }

UINT GetTempFileName(LPCSTR PathName, LPCSTR PrefixString, UINT Unique, LPSTR TempFileName) {
  if (!PathName || !TempFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string Folder = PathName;
  if (!Folder.empty() && Folder.back() != '/') {
    Folder += '/';
  }
  const std::string Prefix = std::string(PrefixString ? PrefixString : "").substr(0, 3);
  auto NameFor = [&](UINT N) {
    char Num[16];
    std::snprintf(Num, sizeof(Num), "%X", N);
    return Folder + Prefix + Num + ".tmp";
  };
  auto Store = [&](const std::string& Name) {
    if (Name.size() >= static_cast<size_t>(MAX_PATH)) {
      SetLastError(ERROR_FILENAME_EXCED_RANGE);
      return false;
    }
    std::memcpy(TempFileName, Name.c_str(), Name.size() + 1);
    return true;
  };
  if (Unique != 0) {
    Unique &= 0xFFFF;
    if (Unique == 0) {
      Unique = 1;
    }
    return Store(NameFor(Unique)) ? Unique : 0;
  }
  if (!IsFolder(Folder.empty() ? "." : Folder)) {
    SetLastError(ERROR_DIRECTORY);
    return 0;
  }
  // Start from a number that differs between runs and processes, then count up until a name is free.
  static std::mutex Lock;
  static UINT Next = 0;
  std::lock_guard<std::mutex> G(Lock);
  if (Next == 0) {
    Next = static_cast<UINT>((GetTickCount64() ^ static_cast<ULONGLONG>(getpid()) * 2654435761u) & 0xFFFF);
  }
  for (UINT Tries = 0; Tries < 0xFFFF; ++Tries) {
    Next = Next % 0xFFFF + 1;  // 1..0xFFFF
    const std::string Name = NameFor(Next);
    const int Fd = open(Name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (Fd >= 0) {
      close(Fd);
      if (!Store(Name)) {
        unlink(Name.c_str());
        return 0;
      }
      return Next;
    }
    if (errno != EEXIST) {
      SetLastError(ErrorFromErrno(errno, Name));
      return 0;
    }
  }
  SetLastError(ERROR_FILE_EXISTS);
  return 0;
}

BOOL GetDiskFreeSpaceEx(LPCSTR Directory, UInt64* FreeBytesAvailable, UInt64* TotalNumberOfBytes,
                        UInt64* TotalNumberOfFreeBytes) {
  struct statvfs S {};
  if (statvfs(Directory && *Directory ? Directory : ".", &S) != 0) {
    return FailErrno(Directory ? Directory : "");
  }
  if (FreeBytesAvailable) {
    *FreeBytesAvailable = static_cast<UInt64>(S.f_bavail) * S.f_frsize;
  }
  if (TotalNumberOfBytes) {
    *TotalNumberOfBytes = static_cast<UInt64>(S.f_blocks) * S.f_frsize;
  }
  if (TotalNumberOfFreeBytes) {
    *TotalNumberOfFreeBytes = static_cast<UInt64>(S.f_bfree) * S.f_frsize;
  }
  return TRUE;
}

namespace {
struct TModuleSearch {
  HMODULE Module;
  std::string Path;
};

int FindModuleByHandle(dl_phdr_info* Info, size_t, void* Data) {
  auto* Search = static_cast<TModuleSearch*>(Data);
  if (!Info->dlpi_name || !*Info->dlpi_name) {
    return 0;
  }
  void* H = dlopen(Info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD);
  if (!H) {
    return 0;
  }
  const bool Same = H == Search->Module || reinterpret_cast<void*>(Info->dlpi_addr) == Search->Module;
  dlclose(H);
  if (Same) {
    Search->Path = Info->dlpi_name;
    return 1;
  }
  return 0;
}

std::string ExecutablePath() {
  char Buf[PATH_MAX];
  const ssize_t N = readlink("/proc/self/exe", Buf, sizeof(Buf) - 1);
  return N > 0 ? std::string(Buf, static_cast<size_t>(N)) : std::string();
}
}  // namespace

std::string GetModuleFileNameString(HMODULE Module) {
  if (!Module) {
    return ExecutablePath();
  }
  TModuleSearch Search{Module, {}};
  dl_iterate_phdr(FindModuleByHandle, &Search);
  if (!Search.Path.empty()) {
    return Search.Path;
  }
  // An address inside a loaded object names that object.
  Dl_info Info{};
  if (dladdr(Module, &Info) && Info.dli_fname) {
    std::string Path = Info.dli_fname;
    if (Path.empty() || Path.find('/') == std::string::npos) {
      return ExecutablePath();
    }
    return Path;
  }
  return {};
}

DWORD GetModuleFileName(HMODULE Module, LPSTR FileName, DWORD Size) {
  const std::string Path = GetModuleFileNameString(Module);
  if (Path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (!FileName || Size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (Path.size() + 1 > Size) {
    std::memcpy(FileName, Path.data(), Size - 1);
    FileName[Size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return Size;
  }
  std::memcpy(FileName, Path.c_str(), Path.size() + 1);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(Path.size());
}
