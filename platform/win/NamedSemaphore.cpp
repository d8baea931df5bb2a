// Named semaphores over flock()ed lock files in the user's runtime folder.
#include "platform/win/NamedSemaphore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <vector>

namespace {

// An open descriptor closed on scope exit unless released.
class TFd {
public:
  explicit TFd(int AFd = -1) : Fd(AFd) {}
  ~TFd() {
    if (Fd >= 0) {
      close(Fd);
    }
  }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int Get() const { return Fd; }
  int Release() {
    const int R = Fd;
    Fd = -1;
    return R;
  }

private:
  int Fd;
};

bool MakePrivateFolder(const std::string& Path, bool MustBeOwnPrivate) {
  if (mkdir(Path.c_str(), 0700) != 0 && errno != EEXIST) {
    return false;
  }
  struct stat St {};
  if (lstat(Path.c_str(), &St) != 0 || !S_ISDIR(St.st_mode)) {
    return false;
  }
  // In a shared folder such as /tmp another user could have made the folder first.
  return !MustBeOwnPrivate || (St.st_uid == getuid() && (St.st_mode & 077) == 0);
}

// The file-name form of a semaphore name: the namespace prefix dropped, unsafe bytes as %XX.
std::string EscapeName(std::string Name) {
  for (const char* Prefix : {"Global\\", "Local\\"}) {
    if (Name.rfind(Prefix, 0) == 0) {
      Name.erase(0, std::char_traits<char>::length(Prefix));
      break;
    }
  }
  std::string Out;
  for (unsigned char C : Name) {
    if ((C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9') || C == '_' || C == '-') {
      Out += static_cast<char>(C);
    } else {
      char Buf[4];
      std::snprintf(Buf, sizeof Buf, "%%%02X", C);
      Out += Buf;
    }
  }
  return Out;
}

class TNamedSemaphore final : public TSemaphoreBase {
public:
  ~TNamedSemaphore() override {
    for (int Fd : Units) {
      close(Fd);
    }
    if (MetaFd >= 0) {
      close(MetaFd);
    }
  }

  bool NeedsPolling() const override { return true; }

  bool IsSignaled(DWORD) override {
    if (Reserved >= 0) {
      return true;
    }
    for (std::size_t I = 0; I < Units.size(); ++I) {
      if (!Held[I] && flock(Units[I], LOCK_EX | LOCK_NB) == 0) {
        Reserved = static_cast<int>(I);
        return true;
      }
    }
    return false;
  }

  bool Acquire(DWORD) override {
    Held[static_cast<std::size_t>(Reserved)] = true;
    Reserved = -1;
    return false;
  }

  void CancelReservation() override {
    if (Reserved >= 0) {
      flock(Units[static_cast<std::size_t>(Reserved)], LOCK_UN);
      Reserved = -1;
    }
  }

  BOOL Release(LONG Count, LONG* PreviousCount) override {
    if (Count < 1) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    BOOL Ok = TRUE;
    ChangeWaitableState([&] {
      std::vector<std::size_t> Mine;
      for (std::size_t I = 0; I < Held.size(); ++I) {
        if (Held[I]) {
          Mine.push_back(I);
        }
      }
      if (static_cast<std::size_t>(Count) > Mine.size()) {
        Ok = FALSE;
        return;
      }
      if (PreviousCount) {
        *PreviousCount = FreeUnits();
      }
      for (LONG K = 0; K < Count; ++K) {
        Held[Mine[static_cast<std::size_t>(K)]] = false;
        flock(Units[Mine[static_cast<std::size_t>(K)]], LOCK_UN);
      }
    });
    if (!Ok) {
      SetLastError(ERROR_TOO_MANY_POSTS);
    }
    return Ok;
  }

  // Opens the unit files and, for a new semaphore, takes the units its initial count leaves out.
  bool OpenUnits(const std::string& Base, LONG Maximum, LONG TakeNow) {
    for (LONG I = 0; I < Maximum; ++I) {
      const std::string Path = Base + "." + std::to_string(I) + ".unit";
      const int Fd = open(Path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
      if (Fd < 0) {
        return false;
      }
      Units.push_back(Fd);
      Held.push_back(false);
    }
    for (LONG I = 0; I < TakeNow; ++I) {
      if (flock(Units[static_cast<std::size_t>(I)], LOCK_EX | LOCK_NB) != 0) {
        return false;
      }
      Held[static_cast<std::size_t>(I)] = true;
    }
    return true;
  }

  int MetaFd = -1;  // shared-locked while this process has the name open
  pid_t Owner = getpid();

private:
  // Units no process holds, probed without keeping them. Called with the sync lock held.
  LONG FreeUnits() {
    LONG Free = 0;
    for (std::size_t I = 0; I < Units.size(); ++I) {
      if (!Held[I] && flock(Units[I], LOCK_EX | LOCK_NB) == 0) {
        flock(Units[I], LOCK_UN);
        ++Free;
      }
    }
    return Free;
  }

  std::vector<int> Units;
  std::vector<bool> Held;
  int Reserved = -1;
};

std::mutex RegistryLock;
std::map<std::string, std::weak_ptr<TNamedSemaphore>>& Registry() {
  static auto* R = new std::map<std::string, std::weak_ptr<TNamedSemaphore>>;
  return *R;
}

HANDLE Fail(LONG Error) {
  SetLastError(static_cast<DWORD>(Error));
  return nullptr;
}

}  // namespace

std::string UserRuntimeFolder() {
  const char* Xdg = std::getenv("XDG_RUNTIME_DIR");
  if (Xdg && *Xdg) {
    const std::string Folder = std::string(Xdg) + "/zubq";
    return MakePrivateFolder(Folder, false) ? Folder : std::string();
  }
  const std::string Folder = "/tmp/zubq-" + std::to_string(getuid());
  return MakePrivateFolder(Folder, true) ? Folder : std::string();
}

HANDLE CreateNamedSemaphore(LPCSTR Name, LONG InitialCount, LONG MaximumCount, bool OpenExisting) {
  const std::string Escaped = EscapeName(Name ? Name : "");
  if (Escaped.empty() || Escaped.size() > 200) {
    return Fail(ERROR_INVALID_NAME);
  }
  std::lock_guard<std::mutex> G(RegistryLock);
  // A forked child inherits the parent's objects, whose lock files are shared with the parent: it opens its own.
  if (auto Existing = Registry()[Escaped].lock(); Existing && Existing->Owner == getpid()) {
    HANDLE H = AddKernelObject(Existing);
    SetLastError(OpenExisting ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS);
    return H;
  }

  const std::string Root = UserRuntimeFolder();
  if (Root.empty() || !MakePrivateFolder(Root + "/sem", false)) {
    return Fail(ERROR_ACCESS_DENIED);
  }
  const std::string Base = Root + "/sem/" + Escaped;
  // The guard serialises opening a name between processes, so "am I the first" has one answer.
  TFd Guard(open((Base + ".guard").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  TFd Meta(open((Base + ".meta").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (Guard.Get() < 0 || Meta.Get() < 0 || flock(Guard.Get(), LOCK_EX) != 0) {
    return Fail(ERROR_ACCESS_DENIED);
  }
  // Every process with the name open holds a shared lock on the meta file: an exclusive lock we can take
  // means nobody has it open, and whatever the files say is left over from processes that are gone.
  const bool IsNew = flock(Meta.Get(), LOCK_EX | LOCK_NB) == 0;
  LONG Maximum = MaximumCount;
  if (IsNew) {
    if (OpenExisting) {
      return Fail(ERROR_FILE_NOT_FOUND);
    }
    const std::string Text = std::to_string(Maximum) + "\n";
    if (ftruncate(Meta.Get(), 0) != 0 ||
        pwrite(Meta.Get(), Text.data(), Text.size(), 0) != static_cast<ssize_t>(Text.size())) {
      return Fail(ERROR_ACCESS_DENIED);
    }
  } else {
    char Buf[32] = {};
    const ssize_t N = pread(Meta.Get(), Buf, sizeof Buf - 1, 0);
    Maximum = N > 0 ? static_cast<LONG>(std::strtol(Buf, nullptr, 10)) : 0;
    if (Maximum < 1 || Maximum > 4096) {
      return Fail(ERROR_INVALID_DATA);
    }
  }
  if (flock(Meta.Get(), LOCK_SH) != 0) {
    return Fail(ERROR_ACCESS_DENIED);
  }

  auto Sem = std::make_shared<TNamedSemaphore>();
  Sem->MetaFd = Meta.Release();
  if (!Sem->OpenUnits(Base, Maximum, IsNew ? MaximumCount - InitialCount : 0)) {
    return Fail(ERROR_ACCESS_DENIED);
  }
  Registry()[Escaped] = Sem;
  HANDLE H = AddKernelObject(Sem);
  SetLastError(IsNew || OpenExisting ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS);
  return H;
}
