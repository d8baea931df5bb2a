// The registry's hive files: cached trees kept in step with the files, durable lock-protected updates, damaged files.
#include "platform/win/RegistryStore.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// Defined with the key handle table.
void RegResetHandleTable();

namespace {

// Identity of a hive file as last read or written: a change of any field means another writer replaced it.
struct TFileId {
  bool Exists = false;
  dev_t Dev = 0;
  ino_t Ino = 0;
  off_t Size = 0;
  timespec MTime{};
  timespec CTime{};
  bool operator==(const TFileId& O) const {
    if (Exists != O.Exists) {
      return false;
    }
    return !Exists || (Dev == O.Dev && Ino == O.Ino && Size == O.Size && MTime.tv_sec == O.MTime.tv_sec &&
                       MTime.tv_nsec == O.MTime.tv_nsec && CTime.tv_sec == O.CTime.tv_sec &&
                       CTime.tv_nsec == O.CTime.tv_nsec);
  }
};

TFileId IdFromStat(const struct stat& St) {
  TFileId Id;
  Id.Exists = true;
  Id.Dev = St.st_dev;
  Id.Ino = St.st_ino;
  Id.Size = St.st_size;
  Id.MTime = St.st_mtim;
  Id.CTime = St.st_ctim;
  return Id;
}

struct THive {
  THive(HKEY ARoot, const char* AShortName) : Root(ARoot), ShortName(AShortName) {}
  HKEY Root;
  const char* ShortName;
  bool Loaded = false;
  bool ReadOnly = false;
  bool Damaged = false;  // unreadable or damaged and not moved aside: changes would destroy it
  TFileId Known;
  TRegStoreKey Tree;
};

struct TStoreState {
  bool Initialised = false;
  std::string Dir;
  std::vector<std::string> Reports;
  THive Hives[5] = {{HKEY_CLASSES_ROOT, "HKCR"},
                    {HKEY_CURRENT_USER, "HKCU"},
                    {HKEY_LOCAL_MACHINE, "HKLM"},
                    {HKEY_USERS, "HKU"},
                    {HKEY_CURRENT_CONFIG, "HKCC"}};
};

TStoreState& State() {
  static TStoreState S;
  return S;
}

THive* FindHive(HKEY Root) {
  for (THive& H : State().Hives) {
    if (H.Root == Root) {
      return &H;
    }
  }
  return nullptr;
}

std::string DefaultDirectory() {
  if (const char* Dir = std::getenv("ZUBQ_REGISTRY_DIR"); Dir && *Dir) {
    return Dir;
  }
  std::string Base;
  if (const char* Xdg = std::getenv("XDG_CONFIG_HOME"); Xdg && *Xdg) {
    Base = Xdg;
  } else {
    const char* Home = std::getenv("HOME");
    Base = std::string(Home ? Home : "") + "/.config";
  }
  return Base + "/ZUB Quillon";
}

void ApplyReadOnlyEnvironment() {
  const char* List = std::getenv("ZUBQ_REGISTRY_READONLY");
  if (!List) {
    return;
  }
  std::string Item;
  for (const char* P = List;; ++P) {
    if (*P == ',' || *P == '\0') {
      for (THive& H : State().Hives) {
        if (RegFoldName(Item) == H.ShortName) {
          H.ReadOnly = true;
        }
      }
      Item.clear();
      if (*P == '\0') {
        break;
      }
    } else if (*P != ' ') {
      Item += *P;
    }
  }
}

TStoreState& Store() {
  TStoreState& S = State();
  if (!S.Initialised) {
    S.Initialised = true;
    S.Dir = DefaultDirectory();
    ApplyReadOnlyEnvironment();
  }
  return S;
}

std::string HivePath(const THive& H) { return Store().Dir + "/" + H.ShortName + ".reg"; }

bool EnsureDirectory(const std::string& Dir) {
  struct stat St {};
  if (stat(Dir.c_str(), &St) == 0) {
    return S_ISDIR(St.st_mode);
  }
  const auto Slash = Dir.find_last_of('/');
  if (Slash != std::string::npos && Slash > 0 && !EnsureDirectory(Dir.substr(0, Slash))) {
    return false;
  }
  return mkdir(Dir.c_str(), 0700) == 0 || errno == EEXIST;
}

// An exclusive lock on the hive's lock file, held for one re-read + change + write cycle.
class THiveFileLock {
public:
  explicit THiveFileLock(const THive& H) {
    const std::string Name = Store().Dir + "/" + H.ShortName + ".lock";
    FFd = open(Name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (FFd >= 0) {
      while (flock(FFd, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  ~THiveFileLock() {
    if (FFd >= 0) {
      close(FFd);  // closing the only descriptor releases the lock
    }
  }
  THiveFileLock(const THiveFileLock&) = delete;
  THiveFileLock& operator=(const THiveFileLock&) = delete;
  bool Held() const { return FFd >= 0; }

private:
  int FFd = -1;
};

void ResetTree(THive& H) {
  H.Tree = TRegStoreKey();
  if (H.Root == HKEY_USERS) {
    auto Default = std::make_unique<TRegStoreKey>();
    Default->Name = ".DEFAULT";
    H.Tree.SubKeys[RegFoldName(".DEFAULT")] = std::move(Default);
  }
}

std::string TimeStampForName() {
  const std::time_t Now = std::time(nullptr);
  std::tm Tm{};
  localtime_r(&Now, &Tm);
  char Buf[32];
  std::strftime(Buf, sizeof Buf, "%Y%m%d-%H%M%S", &Tm);
  return Buf;
}

void Report(const std::string& Message) {
  Store().Reports.push_back(Message);
  std::fprintf(stderr, "ZUB Quillon registry: %s\n", Message.c_str());
}

// Moves a damaged hive file aside and starts the hive empty; when it cannot be moved the hive refuses changes.
void SetAside(THive& H, const TFileId& Id, const std::string& Why) {
  const std::string Path = HivePath(H);
  std::string Target = Path + ".corrupt-" + TimeStampForName();
  struct stat St {};
  for (int N = 2; stat(Target.c_str(), &St) == 0; ++N) {
    Target = Path + ".corrupt-" + TimeStampForName() + "-" + std::to_string(N);
  }
  ResetTree(H);
  H.Loaded = true;
  if (rename(Path.c_str(), Target.c_str()) == 0) {
    H.Known = TFileId();
    H.Damaged = false;
    Report("the hive file " + Path + " is damaged (" + Why + "); it was moved to " + Target +
           " and the hive starts empty");
  } else {
    H.Known = Id;
    H.Damaged = true;
    Report("the hive file " + Path + " is damaged (" + Why + ") and could not be moved aside (" +
           std::strerror(errno) + "); changes to the hive are refused");
  }
}

// Keeps what could be read of a hive file with damaged lines: the file as it was goes aside, the hive holds the
// salvaged tree and its file is written again without the damage (under the file lock; else at the next change).
// When the file cannot be moved aside the hive can be read but refuses changes.
bool WriteHiveFile(THive& H);
void Salvage(THive& H, const TFileId& Id, TRegStoreKey& Parsed, const std::vector<std::string>& Dropped,
             bool Locked) {
  const std::string Path = HivePath(H);
  std::string Lines;
  for (std::size_t I = 0; I < Dropped.size() && I < 8; ++I) {
    Lines += (I > 0 ? "; " : "") + Dropped[I];
  }
  if (Dropped.size() > 8) {
    Lines += "; " + std::to_string(Dropped.size() - 8) + " more";
  }
  std::string Target = Path + ".corrupt-" + TimeStampForName();
  struct stat St {};
  for (int N = 2; stat(Target.c_str(), &St) == 0; ++N) {
    Target = Path + ".corrupt-" + TimeStampForName() + "-" + std::to_string(N);
  }
  H.Tree = std::move(Parsed);
  if (H.Root == HKEY_USERS && !H.Tree.FindSubKey(".DEFAULT")) {
    auto Default = std::make_unique<TRegStoreKey>();
    Default->Name = ".DEFAULT";
    H.Tree.SubKeys[RegFoldName(".DEFAULT")] = std::move(Default);
  }
  H.Loaded = true;
  if (rename(Path.c_str(), Target.c_str()) != 0) {
    const int Err = errno;
    H.Known = Id;
    H.Damaged = true;
    Report("the hive file " + Path + " is damaged (" + Lines + "); what could be read is used, but the file could " +
           "not be moved aside (" + std::strerror(Err) + "): changes to the hive are refused");
    return;
  }
  H.Known = TFileId();
  H.Damaged = false;
  const bool Written = Locked && WriteHiveFile(H);
  H.Loaded = true;
  Report("the hive file " + Path + " is damaged; left out: " + Lines + ". Every other key and value was kept" +
         (Written ? "" : " (to be written at the next change)") + "; the file as it was is at " + Target);
}

bool ReadWholeFile(int Fd, std::string& Text) {
  char Buf[65536];
  for (;;) {
    const ssize_t N = read(Fd, Buf, sizeof Buf);
    if (N < 0 && errno == EINTR) {
      continue;
    }
    if (N < 0) {
      return false;
    }
    if (N == 0) {
      return true;
    }
    Text.append(Buf, static_cast<std::size_t>(N));
  }
}

// Brings the hive's tree up to date with its file. Locked: the caller holds the hive's file lock, so a damaged
// file can be moved aside without racing a writer that is replacing it.
void Refresh(THive& H, bool Locked) {
  const std::string Path = HivePath(H);
  const int Fd = open(Path.c_str(), O_RDONLY | O_CLOEXEC);
  if (Fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) {
      if (!H.Loaded || H.Known.Exists) {
        ResetTree(H);
      }
      H.Loaded = true;
      H.Known = TFileId();
      H.Damaged = false;
    } else if (!H.Damaged) {
      ResetTree(H);
      H.Loaded = true;
      H.Damaged = true;
      H.Known = TFileId();
      Report("the hive file " + Path + " cannot be read (" + std::strerror(errno) + "); changes are refused");
    }
    return;
  }
  struct stat St {};
  fstat(Fd, &St);
  const TFileId Id = IdFromStat(St);
  if (H.Loaded && Id == H.Known) {
    close(Fd);
    return;
  }
  std::string Text;
  const bool ReadOk = ReadWholeFile(Fd, Text);
  close(Fd);
  TRegStoreKey Parsed;
  std::string Error;
  std::vector<std::string> Dropped;
  if (ReadOk && Text.empty()) {
    ResetTree(H);  // an empty file holds nothing to lose
    H.Loaded = true;
    H.Known = Id;
    H.Damaged = false;
    return;
  }
  const bool ParsedOk = ReadOk && RegParseHive(Text, Parsed, Error, &Dropped);
  if (ParsedOk && Dropped.empty()) {
    H.Tree = std::move(Parsed);
    if (H.Root == HKEY_USERS && !H.Tree.FindSubKey(".DEFAULT")) {
      auto Default = std::make_unique<TRegStoreKey>();
      Default->Name = ".DEFAULT";
      H.Tree.SubKeys[RegFoldName(".DEFAULT")] = std::move(Default);
    }
    H.Loaded = true;
    H.Known = Id;
    H.Damaged = false;
    return;
  }
  if (!ReadOk) {
    Error = std::strerror(errno);
  }
  if (!Locked && EnsureDirectory(Store().Dir)) {
    THiveFileLock Lock(H);
    if (Lock.Held()) {
      Refresh(H, true);
      return;
    }
  }
  if (H.Damaged && H.Known == Id) {
    return;  // reported already
  }
  if (ParsedOk) {
    Salvage(H, Id, Parsed, Dropped, Locked);
    return;
  }
  SetAside(H, Id, Error);
}

bool WriteAll(int Fd, const std::string& Text) {
  std::size_t Done = 0;
  while (Done < Text.size()) {
    const ssize_t N = write(Fd, Text.data() + Done, Text.size() - Done);
    if (N < 0 && errno == EINTR) {
      continue;
    }
    if (N <= 0) {
      return false;
    }
    Done += static_cast<std::size_t>(N);
  }
  return true;
}

// Replaces the hive file with the tree's text: the file is always either the old or the new one.
bool WriteHiveFile(THive& H) {
  const std::string Path = HivePath(H);
  const std::string Temp = Path + ".tmp";  // only ever written under the hive's file lock
  const std::string Text = RegFormatHive(H.Tree);
  const int Fd = open(Temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (Fd < 0) {
    return false;
  }
  const bool Ok = WriteAll(Fd, Text) && fsync(Fd) == 0;
  if (close(Fd) != 0 || !Ok || rename(Temp.c_str(), Path.c_str()) != 0) {
    unlink(Temp.c_str());
    return false;
  }
  const int DirFd = open(Store().Dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (DirFd >= 0) {
    fsync(DirFd);
    close(DirFd);
  }
  struct stat St {};
  if (stat(Path.c_str(), &St) == 0) {
    H.Known = IdFromStat(St);
  } else {
    H.Loaded = false;
  }
  return true;
}

}  // namespace

std::recursive_mutex& RegStoreMutex() {
  static std::recursive_mutex M;
  return M;
}

bool RegIsHiveRoot(HKEY Root) { return FindHive(Root) != nullptr; }

LONG RegReadHive(HKEY Root, const std::function<LONG(const TRegStoreKey& HiveRoot)>& Fn) {
  std::lock_guard Guard(RegStoreMutex());
  Store();
  THive* H = FindHive(Root);
  if (!H) {
    return ERROR_INVALID_HANDLE;
  }
  Refresh(*H, false);
  return Fn(H->Tree);
}

LONG RegWriteHive(HKEY Root, const std::function<LONG(TRegStoreKey& HiveRoot, bool& Changed)>& Fn) {
  std::lock_guard Guard(RegStoreMutex());
  TStoreState& S = Store();
  THive* H = FindHive(Root);
  if (!H) {
    return ERROR_INVALID_HANDLE;
  }
  if (H->ReadOnly) {
    return ERROR_ACCESS_DENIED;
  }
  if (!EnsureDirectory(S.Dir)) {
    return ERROR_CANTWRITE;
  }
  THiveFileLock Lock(*H);
  if (!Lock.Held()) {
    return ERROR_CANTWRITE;
  }
  Refresh(*H, true);
  if (H->Damaged) {
    return ERROR_BADDB;
  }
  bool Changed = false;
  const LONG Result = Fn(H->Tree, Changed);
  if (Result == ERROR_SUCCESS && Changed && !WriteHiveFile(*H)) {
    H->Loaded = false;  // drop the change that did not reach the file
    return ERROR_CANTWRITE;
  }
  return Result;
}

Int64 RegHiveFileTime(HKEY Root) {
  std::lock_guard Guard(RegStoreMutex());
  Store();
  const THive* H = FindHive(Root);
  if (!H || !H->Known.Exists) {
    return 0;
  }
  return static_cast<Int64>(H->Known.MTime.tv_sec) * 10000000 + H->Known.MTime.tv_nsec / 100 +
         UnixEpochFileTime;
}

std::string RegistryDirectory() {
  std::lock_guard Guard(RegStoreMutex());
  return Store().Dir;
}

void RegistryResetForTests() {
  std::lock_guard Guard(RegStoreMutex());
  TStoreState& S = State();
  S.Initialised = false;
  S.Reports.clear();
  for (THive& H : S.Hives) {
    H.Loaded = false;
    H.ReadOnly = false;
    H.Damaged = false;
    H.Known = TFileId();
    H.Tree = TRegStoreKey();
  }
  RegResetHandleTable();
  Store();
}

void RegistrySetReadOnly(HKEY Root, bool ReadOnly) {
  std::lock_guard Guard(RegStoreMutex());
  Store();
  if (THive* H = FindHive(Root)) {
    H->ReadOnly = ReadOnly;
  }
}

bool RegistryIsReadOnly(HKEY Root) {
  std::lock_guard Guard(RegStoreMutex());
  Store();
  const THive* H = FindHive(Root);
  return H && H->ReadOnly;
}

std::vector<std::string> RegistryCorruptHives() {
  std::lock_guard Guard(RegStoreMutex());
  return Store().Reports;
}
