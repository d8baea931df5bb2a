// Open files, read-only file mappings and directory searches as kernel objects.
#include "platform/win/Files.h"
#include "platform/win/Processes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
// An open file; the descriptor closes with the last reference.
class TFileObject final : public TKernelObject {
public:
  TFileObject(int AFd, bool AIsFolder) : Fd(AFd), IsFolder(AIsFolder) {}
  ~TFileObject() override { close(Fd); }
  TFileObject(const TFileObject&) = delete;
  TFileObject& operator=(const TFileObject&) = delete;
  const int Fd;
  const bool IsFolder;
};

// A mapping holds its own descriptor so that the file handle may be closed before it.
class TMappingObject final : public TKernelObject {
public:
  TMappingObject(int AFd, UInt64 ASize) : Fd(AFd), Size(ASize) {}
  ~TMappingObject() override { close(Fd); }
  TMappingObject(const TMappingObject&) = delete;
  TMappingObject& operator=(const TMappingObject&) = delete;
  const int Fd;
  const UInt64 Size;
};

class TFindObject final : public TKernelObject {
public:
  std::vector<WIN32_FIND_DATA> Entries;
  size_t Next = 0;
};

std::mutex ViewsLock;
std::map<const void*, size_t>& Views() {
  static std::map<const void*, size_t> V;
  return V;
}

std::shared_ptr<TFileObject> FileOf(HANDLE H) {
  auto F = FindKernelObjectAs<TFileObject>(H);
  if (!F) {
    SetLastError(ERROR_INVALID_HANDLE);
  }
  return F;
}

FILETIME FromTimespec(const timespec& Ts) {
  return Int64ToFileTime(UnixEpochFileTime + static_cast<Int64>(Ts.tv_sec) * 10000000 + Ts.tv_nsec / 100);
}

timespec ToTimespec(const FILETIME& Ft) {
  const Int64 Rel = FileTimeToInt64(Ft) - UnixEpochFileTime;
  Int64 Sec = Rel / 10000000;
  Int64 Rest = Rel % 10000000;
  if (Rest < 0) {
    Rest += 10000000;
    --Sec;
  }
  timespec Ts{};
  Ts.tv_sec = static_cast<time_t>(Sec);
  Ts.tv_nsec = static_cast<long>(Rest * 100);
  return Ts;
}

FILETIME CreationTimeOf(int Fd, const char* Path, const struct stat& St) {
  struct statx Sx {};
  const int R = Fd >= 0 ? statx(Fd, "", AT_EMPTY_PATH, STATX_BTIME, &Sx) : statx(AT_FDCWD, Path, 0, STATX_BTIME, &Sx);
  if (R == 0 && (Sx.stx_mask & STATX_BTIME)) {
    timespec Ts{};
    Ts.tv_sec = static_cast<time_t>(Sx.stx_btime.tv_sec);
    Ts.tv_nsec = static_cast<long>(Sx.stx_btime.tv_nsec);
    return FromTimespec(Ts);
  }
  return FromTimespec(St.st_mtim);
}
}  // namespace

HANDLE CreateFile(LPCSTR FileName, DWORD DesiredAccess, DWORD, LPVOID, DWORD CreationDisposition,
                  DWORD FlagsAndAttributes, HANDLE) {
  if (!FileName || !*FileName) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  const bool Read = (DesiredAccess & GENERIC_READ) != 0;
  const bool Write = (DesiredAccess & GENERIC_WRITE) != 0;
  int Flags = O_CLOEXEC | (Read && Write ? O_RDWR : Write ? O_WRONLY : O_RDONLY);
  switch (CreationDisposition) {
    case CREATE_NEW: Flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: Flags |= O_CREAT | O_TRUNC; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: Flags |= O_CREAT; break;
    case TRUNCATE_EXISTING:
      if (!Write) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
      }
      Flags |= O_TRUNC;
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return INVALID_HANDLE_VALUE;
  }
  struct stat Before {};
  const bool Existed = stat(FileName, &Before) == 0;
  if (Existed && S_ISDIR(Before.st_mode)) {
    if (!(FlagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS) || Write || CreationDisposition == CREATE_NEW) {
      SetLastError(CreationDisposition == CREATE_NEW ? ERROR_FILE_EXISTS : ERROR_ACCESS_DENIED);
      return INVALID_HANDLE_VALUE;
    }
    Flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
  }
  // The platform refuses to truncate or replace a read-only file.
  if (Existed && S_ISREG(Before.st_mode) && !(Before.st_mode & S_IWUSR) &&
      (CreationDisposition == CREATE_ALWAYS || CreationDisposition == TRUNCATE_EXISTING)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  const mode_t Mode = (FlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
  const int Fd = open(FileName, Flags, Mode);
  if (Fd < 0) {
    const int E = errno;
    SetLastError(E == EEXIST ? ERROR_FILE_EXISTS : ErrorFromErrno(E, FileName));
    return INVALID_HANDLE_VALUE;
  }
  HANDLE H = AddKernelObject(std::make_shared<TFileObject>(Fd, (Flags & O_DIRECTORY) != 0));
  SetLastError(Existed && (CreationDisposition == CREATE_ALWAYS || CreationDisposition == OPEN_ALWAYS)
                   ? ERROR_ALREADY_EXISTS
                   : ERROR_SUCCESS);
  return H;
}

BOOL ReadFile(HANDLE File, LPVOID Buffer, DWORD NumberOfBytesToRead, DWORD* NumberOfBytesRead, LPVOID Overlapped) {
  if (NumberOfBytesRead) {
    *NumberOfBytesRead = 0;
  }
  auto F = FileOf(File);
  if (!F) {
    return FALSE;
  }
  if (Overlapped || (!Buffer && NumberOfBytesToRead)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD Done = 0;
  while (Done < NumberOfBytesToRead) {
    const ssize_t N = read(F->Fd, static_cast<char*>(Buffer) + Done, NumberOfBytesToRead - Done);
    if (N < 0 && errno == EINTR) {
      continue;
    }
    if (N < 0) {
      SetLastError(errno == EBADF ? ERROR_ACCESS_DENIED : ErrorFromErrno(errno));
      if (NumberOfBytesRead) {
        *NumberOfBytesRead = Done;
      }
      return FALSE;
    }
    if (N == 0) {
      break;
    }
    Done += static_cast<DWORD>(N);
  }
  if (NumberOfBytesRead) {
    *NumberOfBytesRead = Done;
  }
  return TRUE;
}

BOOL WriteFile(HANDLE File, LPCVOID Buffer, DWORD NumberOfBytesToWrite, DWORD* NumberOfBytesWritten,
               LPVOID Overlapped) {
  if (NumberOfBytesWritten) {
    *NumberOfBytesWritten = 0;
  }
  auto F = FileOf(File);
  if (!F) {
    return FALSE;
  }
  if (Overlapped || (!Buffer && NumberOfBytesToWrite)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD Done = 0;
  while (Done < NumberOfBytesToWrite) {
    const ssize_t N = write(F->Fd, static_cast<const char*>(Buffer) + Done, NumberOfBytesToWrite - Done);
    if (N < 0 && errno == EINTR) {
      continue;
    }
    if (N <= 0) {
      SetLastError(N == 0 || errno == ENOSPC ? ERROR_DISK_FULL
                   : errno == EBADF         ? ERROR_ACCESS_DENIED
                                            : ErrorFromErrno(errno));
      if (NumberOfBytesWritten) {
        *NumberOfBytesWritten = Done;
      }
      return FALSE;
    }
    Done += static_cast<DWORD>(N);
  }
  if (NumberOfBytesWritten) {
    *NumberOfBytesWritten = Done;
  }
  return TRUE;
}

BOOL SetFilePointerEx(HANDLE File, Int64 DistanceToMove, Int64* NewFilePointer, DWORD MoveMethod) {
  auto F = FileOf(File);
  if (!F) {
    return FALSE;
  }
  const int Whence = MoveMethod == FILE_BEGIN ? SEEK_SET : MoveMethod == FILE_CURRENT ? SEEK_CUR
                     : MoveMethod == FILE_END ? SEEK_END : -1;
  if (Whence < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const off_t R = lseek(F->Fd, static_cast<off_t>(DistanceToMove), Whence);
  if (R < 0) {
    SetLastError(errno == EINVAL ? ERROR_NEGATIVE_SEEK : ErrorFromErrno(errno));
    return FALSE;
  }
  if (NewFilePointer) {
    *NewFilePointer = R;
  }
  return TRUE;
}

DWORD SetFilePointer(HANDLE File, LONG DistanceToMove, LONG* DistanceToMoveHigh, DWORD MoveMethod) {
  // Without a high half the distance is a signed 32-bit value; with one the two halves form a signed 64-bit one.
  const Int64 Distance = DistanceToMoveHigh
                             ? static_cast<Int64>((static_cast<UInt64>(static_cast<DWORD>(*DistanceToMoveHigh)) << 32) |
                                                  static_cast<DWORD>(DistanceToMove))
                             : static_cast<Int64>(DistanceToMove);
  Int64 NewPos = 0;
  if (!SetFilePointerEx(File, Distance, &NewPos, MoveMethod)) {
    return INVALID_SET_FILE_POINTER;
  }
  if (DistanceToMoveHigh) {
    *DistanceToMoveHigh = static_cast<LONG>(NewPos >> 32);
  } else if (NewPos > 0xFFFFFFFFll) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(NewPos & 0xFFFFFFFF);
}

BOOL SetEndOfFile(HANDLE File) {
  auto F = FileOf(File);
  if (!F) {
    return FALSE;
  }
  const off_t Pos = lseek(F->Fd, 0, SEEK_CUR);
  if (Pos < 0 || ftruncate(F->Fd, Pos) != 0) {
    SetLastError(errno == EBADF || errno == EINVAL ? ERROR_ACCESS_DENIED : ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

BOOL FlushFileBuffers(HANDLE File) {
  auto F = FileOf(File);
  if (!F) {
    return FALSE;
  }
  if (fsync(F->Fd) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

BOOL GetFileSizeEx(HANDLE File, Int64* FileSize) {
  auto F = FileOf(File);
  struct stat St {};
  if (!F) {
    return FALSE;
  }
  if (!FileSize || fstat(F->Fd, &St) != 0) {
    SetLastError(FileSize ? ErrorFromErrno(errno) : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *FileSize = St.st_size;
  return TRUE;
}

DWORD GetFileSize(HANDLE File, DWORD* FileSizeHigh) {
  Int64 Size = 0;
  if (!GetFileSizeEx(File, &Size)) {
    return INVALID_FILE_SIZE;
  }
  if (FileSizeHigh) {
    *FileSizeHigh = static_cast<DWORD>(static_cast<UInt64>(Size) >> 32);
  }
  // A size whose low half is INVALID_FILE_SIZE is told apart by GetLastError, as on the platform.
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(Size & 0xFFFFFFFF);
}

BOOL GetFileTime(HANDLE File, FILETIME* CreationTime, FILETIME* LastAccessTime, FILETIME* LastWriteTime) {
  auto F = FileOf(File);
  struct stat St {};
  if (!F) {
    return FALSE;
  }
  if (fstat(F->Fd, &St) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return FALSE;
  }
  if (CreationTime) {
    *CreationTime = CreationTimeOf(F->Fd, nullptr, St);
  }
  if (LastAccessTime) {
    *LastAccessTime = FromTimespec(St.st_atim);
  }
  if (LastWriteTime) {
    *LastWriteTime = FromTimespec(St.st_mtim);
  }
  return TRUE;
}

BOOL SetFileTime(HANDLE File, const FILETIME*, const FILETIME* LastAccessTime, const FILETIME* LastWriteTime) {
  auto F = FileOf(File);
  if (!F) {
    return FALSE;
  }
  timespec Times[2];
  Times[0].tv_sec = 0;
  Times[0].tv_nsec = UTIME_OMIT;
  Times[1] = Times[0];
  if (LastAccessTime) {
    Times[0] = ToTimespec(*LastAccessTime);
  }
  if (LastWriteTime) {
    Times[1] = ToTimespec(*LastWriteTime);
  }
  if (futimens(F->Fd, Times) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

HANDLE CreateFileMapping(HANDLE File, LPVOID, DWORD Protect, DWORD MaximumSizeHigh, DWORD MaximumSizeLow, LPCSTR) {
  auto F = FindKernelObjectAs<TFileObject>(File);
  if (!F || F->IsFolder) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (Protect != PAGE_READONLY) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  struct stat St {};
  if (fstat(F->Fd, &St) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return nullptr;
  }
  const UInt64 FileSize = static_cast<UInt64>(St.st_size);
  UInt64 Size = (static_cast<UInt64>(MaximumSizeHigh) << 32) | MaximumSizeLow;
  if (Size == 0) {
    if (FileSize == 0) {
      SetLastError(ERROR_FILE_INVALID);
      return nullptr;
    }
    Size = FileSize;
  } else if (Size > FileSize) {
    // A read-only mapping cannot grow the file.
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  const int Fd = fcntl(F->Fd, F_DUPFD_CLOEXEC, 0);
  if (Fd < 0) {
    SetLastError(ErrorFromErrno(errno));
    return nullptr;
  }
  SetLastError(ERROR_SUCCESS);
  return AddKernelObject(std::make_shared<TMappingObject>(Fd, Size));
}

LPVOID MapViewOfFile(HANDLE FileMappingObject, DWORD DesiredAccess, DWORD FileOffsetHigh, DWORD FileOffsetLow,
                     std::size_t NumberOfBytesToMap) {
  auto M = FindKernelObjectAs<TMappingObject>(FileMappingObject);
  if (!M) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (DesiredAccess & FILE_MAP_WRITE) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const UInt64 Offset = (static_cast<UInt64>(FileOffsetHigh) << 32) | FileOffsetLow;
  if (Offset % 65536 != 0) {
    SetLastError(ERROR_MAPPED_ALIGNMENT);
    return nullptr;
  }
  if (Offset >= M->Size || NumberOfBytesToMap > M->Size - Offset) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const size_t Length = NumberOfBytesToMap ? NumberOfBytesToMap : static_cast<size_t>(M->Size - Offset);
  void* P = mmap(nullptr, Length, PROT_READ, MAP_SHARED, M->Fd, static_cast<off_t>(Offset));
  if (P == MAP_FAILED) {
    SetLastError(errno == ENOMEM ? ERROR_NOT_ENOUGH_MEMORY : ErrorFromErrno(errno));
    return nullptr;
  }
  std::lock_guard<std::mutex> G(ViewsLock);
  Views()[P] = Length;
  return P;
}

BOOL UnmapViewOfFile(LPCVOID BaseAddress) {
  size_t Length = 0;
  {
    std::lock_guard<std::mutex> G(ViewsLock);
    auto It = Views().find(BaseAddress);
    if (It == Views().end()) {
      SetLastError(ERROR_INVALID_ADDRESS);
      return FALSE;
    }
    Length = It->second;
    Views().erase(It);
  }
  munmap(const_cast<void*>(BaseAddress), Length);
  return TRUE;
}

namespace {
bool FillFindData(const std::string& Folder, const std::string& Name, WIN32_FIND_DATA& D) {
  const std::string Path = Folder + Name;
  struct stat St {};
  if (stat(Path.c_str(), &St) != 0 && lstat(Path.c_str(), &St) != 0) {
    return false;  // vanished meanwhile
  }
  D = WIN32_FIND_DATA{};
  D.dwFileAttributes = S_ISDIR(St.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  if (!(St.st_mode & S_IWUSR)) {
    D.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
  }
  if (Name.size() > 1 && Name[0] == '.' && Name != "..") {
    D.dwFileAttributes |= FILE_ATTRIBUTE_HIDDEN;
  }
  D.ftCreationTime = CreationTimeOf(-1, Path.c_str(), St);
  D.ftLastAccessTime = FromTimespec(St.st_atim);
  D.ftLastWriteTime = FromTimespec(St.st_mtim);
  if (!S_ISDIR(St.st_mode)) {
    D.nFileSizeHigh = static_cast<DWORD>(static_cast<UInt64>(St.st_size) >> 32);
    D.nFileSizeLow = static_cast<DWORD>(static_cast<UInt64>(St.st_size) & 0xFFFFFFFF);
  }
  std::strncpy(D.cFileName, Name.c_str(), sizeof(D.cFileName) - 1);
  return true;
}
}  // namespace

HANDLE FindFirstFile(LPCSTR FileName, WIN32_FIND_DATA* FindFileData) {
  if (!FileName || !*FileName || !FindFileData) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  const std::string_view Path(FileName);
  const size_t Slash = Path.find_last_of('/');
  const std::string Folder = Slash == std::string_view::npos ? std::string() : std::string(Path.substr(0, Slash + 1));
  const std::string Mask(Slash == std::string_view::npos ? Path : Path.substr(Slash + 1));
  DIR* Dir = opendir(Folder.empty() ? "." : Folder.c_str());
  if (!Dir) {
    const int E = errno;
    SetLastError(E == ENOENT || E == ENOTDIR ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(E, FileName));
    return INVALID_HANDLE_VALUE;
  }
  std::vector<std::string> Names;
  while (dirent* Ent = readdir(Dir)) {
    if (MatchesFileMask(Ent->d_name, Mask)) {
      Names.emplace_back(Ent->d_name);
    }
  }
  closedir(Dir);
  // "." and ".." come first, then the rest in byte order, so the order is stable between runs.
  std::sort(Names.begin(), Names.end(), [](const std::string& A, const std::string& B) {
    const bool DotsA = A == "." || A == "..";
    const bool DotsB = B == "." || B == "..";
    return DotsA != DotsB ? DotsA : A < B;
  });
  auto Find = std::make_shared<TFindObject>();
  for (const std::string& Name : Names) {
    WIN32_FIND_DATA D;
    if (FillFindData(Folder, Name, D)) {
      Find->Entries.push_back(D);
    }
  }
  if (Find->Entries.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  *FindFileData = Find->Entries[0];
  Find->Next = 1;
  SetLastError(ERROR_SUCCESS);
  return AddKernelObject(std::move(Find));
}

BOOL FindNextFile(HANDLE FindFile, WIN32_FIND_DATA* FindFileData) {
  auto Find = FindKernelObjectAs<TFindObject>(FindFile);
  if (!Find) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (Find->Next >= Find->Entries.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  if (FindFileData) {
    *FindFileData = Find->Entries[Find->Next];
  }
  ++Find->Next;
  return TRUE;
}

BOOL FindClose(HANDLE FindFile) {
  if (!FindKernelObjectAs<TFindObject>(FindFile)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return CloseHandle(FindFile);
}

int FileDescriptorOfHandle(HANDLE H) {
  const auto F = FindKernelObjectAs<TFileObject>(H);
  return F ? F->Fd : -1;
}
