// Change notification handles: one inotify descriptor per handle, read by one watcher thread per process.
#include "platform/win/ChangeNotify.h"

#include <dirent.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr DWORD KnownFilters = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                               FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE |
                               FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_LAST_ACCESS |
                               FILE_NOTIFY_CHANGE_CREATION | FILE_NOTIFY_CHANGE_SECURITY;
constexpr uint32_t NameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

uint32_t InotifyMask(DWORD Filter, bool Subtree) {
  uint32_t Mask = IN_DELETE_SELF | IN_ONLYDIR;
  if (Filter & (FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME)) {
    Mask |= NameEvents;
  }
  if (Filter & (FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SECURITY)) {
    Mask |= IN_ATTRIB;
  }
  if (Filter & (FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE)) {
    Mask |= IN_MODIFY | IN_CLOSE_WRITE;
  }
  if (Filter & FILE_NOTIFY_CHANGE_LAST_ACCESS) {
    Mask |= IN_ACCESS;
  }
  if (Filter & FILE_NOTIFY_CHANGE_CREATION) {
    Mask |= IN_CREATE | IN_MOVED_TO;
  }
  if (Subtree) {
    Mask |= IN_CREATE | IN_MOVED_TO;  // to follow folders that appear below
  }
  return Mask;
}

// Whether an inotify event is a change the caller asked for.
bool Matches(uint32_t Mask, DWORD Filter) {
  if (Mask & IN_Q_OVERFLOW) {
    return true;  // changes were lost: report one rather than none
  }
  const bool IsDir = (Mask & IN_ISDIR) != 0;
  if ((Mask & NameEvents) &&
      (Filter & (IsDir ? FILE_NOTIFY_CHANGE_DIR_NAME : FILE_NOTIFY_CHANGE_FILE_NAME))) {
    return true;
  }
  if ((Mask & (IN_CREATE | IN_MOVED_TO)) && (Filter & FILE_NOTIFY_CHANGE_CREATION)) {
    return true;
  }
  if ((Mask & IN_ATTRIB) && (Filter & (FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SECURITY))) {
    return true;
  }
  if ((Mask & (IN_MODIFY | IN_CLOSE_WRITE)) && (Filter & (FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE))) {
    return true;
  }
  return (Mask & IN_ACCESS) && (Filter & FILE_NOTIFY_CHANGE_LAST_ACCESS);
}

void RetireDescriptor(int Fd);

class TChangeObject final : public TWaitableObject {
public:
  ~TChangeObject() override { RetireDescriptor(Fd); }

  bool IsSignaled(DWORD) override { return Signaled || Gone; }
  bool Acquire(DWORD) override { return Gone; }

  // Adds watches for a folder and, when watching a subtree, every folder below it. Only the watcher thread
  // calls this once the object is registered. Returns whether the folders hold any entry: for a folder that
  // just appeared, entries made before its watch existed.
  bool AddTree(const std::string& Path) {
    const int Wd = inotify_add_watch(Fd, Path.c_str(), Mask);
    if (Wd < 0) {
      return false;
    }
    Watches[Wd] = Path;
    if (!Subtree) {
      return false;
    }
    DIR* D = opendir(Path.c_str());
    if (!D) {
      return false;
    }
    bool Found = false;
    while (dirent* E = readdir(D)) {
      const std::string Name = E->d_name;
      if (Name == "." || Name == "..") {
        continue;
      }
      Found = true;
      const std::string Child = Path + "/" + Name;
      struct stat St {};
      if (lstat(Child.c_str(), &St) == 0 && S_ISDIR(St.st_mode)) {
        AddTree(Child);
      }
    }
    closedir(D);
    return Found;
  }

  // Reads what inotify has queued and updates the state. Watcher thread only.
  void Drain() {
    alignas(inotify_event) char Buf[8192];
    bool Hit = false;
    bool Deleted = false;
    for (;;) {
      const ssize_t N = read(Fd, Buf, sizeof Buf);
      if (N <= 0) {
        break;
      }
      for (ssize_t Pos = 0; Pos < N;) {
        const auto* E = reinterpret_cast<const inotify_event*>(Buf + Pos);
        Pos += static_cast<ssize_t>(sizeof(inotify_event) + E->len);
        if (E->wd == RootWd && (E->mask & (IN_DELETE_SELF | IN_IGNORED | IN_UNMOUNT))) {
          Deleted = true;
          continue;
        }
        if (E->mask & IN_IGNORED) {
          Watches.erase(E->wd);
          continue;
        }
        if (Subtree && (E->mask & IN_ISDIR) && (E->mask & (IN_CREATE | IN_MOVED_TO)) && E->len > 0) {
          auto It = Watches.find(E->wd);
          if (It != Watches.end() && AddTree(It->second + "/" + E->name) &&
              (Filter & (FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME))) {
            Hit = true;  // names created in it before its watch was in place
          }
        }
        Hit = Hit || Matches(E->mask, Filter);
      }
    }
    if (Hit || Deleted) {
      ChangeWaitableState([&] {
        Gone = Gone || Deleted;
        if (Hit) {
          (Signaled ? Recorded : Signaled) = true;
        }
      });
    }
  }

  int Fd = -1;
  int RootWd = -1;
  uint32_t Mask = 0;
  DWORD Filter = 0;
  bool Subtree = false;
  std::map<int, std::string> Watches;
  // Under the sync lock:
  bool Signaled = false;
  bool Recorded = false;  // a change arrived while already signaled
  bool Gone = false;
};

// The thread that polls every handle's inotify descriptor. Never destroyed (it may run while the process's
// static objects are torn down); descriptors of closed handles are closed here, after a poll no longer uses them.
class TWatcher {
public:
  TWatcher() : WakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) { std::thread([this] { Loop(); }).detach(); }

  void Add(const std::shared_ptr<TChangeObject>& Obj) {
    std::lock_guard<std::mutex> G(Lock);
    Objects.push_back(Obj);
    Wake();
  }
  void Retire(int Fd) {
    std::lock_guard<std::mutex> G(Lock);
    Retired.push_back(Fd);
    Wake();
  }

private:
  void Wake() {
    const uint64_t One = 1;
    [[maybe_unused]] const ssize_t N = write(WakeFd, &One, sizeof One);
  }

  void Loop() {
    std::vector<pollfd> Fds;
    std::vector<std::weak_ptr<TChangeObject>> Polled;
    for (;;) {
      {
        std::lock_guard<std::mutex> G(Lock);
        for (int Fd : Retired) {
          close(Fd);
        }
        Retired.clear();
        std::erase_if(Objects, [](const auto& W) { return W.expired(); });
        Polled = Objects;
      }
      Fds.assign(1, pollfd{WakeFd, POLLIN, 0});
      std::vector<std::weak_ptr<TChangeObject>> Live;
      for (auto& W : Polled) {
        if (auto Obj = W.lock()) {
          Fds.push_back(pollfd{Obj->Fd, POLLIN, 0});
          Live.push_back(W);
        }
      }
      if (poll(Fds.data(), Fds.size(), -1) < 0 && errno != EINTR) {
        return;
      }
      if (Fds[0].revents) {
        uint64_t Count = 0;
        [[maybe_unused]] const ssize_t N = read(WakeFd, &Count, sizeof Count);
      }
      for (std::size_t I = 1; I < Fds.size(); ++I) {
        if (Fds[I].revents == 0) {
          continue;
        }
        if (auto Obj = Live[I - 1].lock()) {
          Obj->Drain();
        }
      }
    }
  }

  std::mutex Lock;
  int WakeFd;
  std::vector<std::weak_ptr<TChangeObject>> Objects;
  std::vector<int> Retired;
};

TWatcher& Watcher() {
  static TWatcher* W = new TWatcher;
  return *W;
}

void RetireDescriptor(int Fd) {
  if (Fd >= 0) {
    Watcher().Retire(Fd);
  }
}

LONG ErrorFromErrno(int E) {
  switch (E) {
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_DIRECTORY;
    case EACCES:
    case EPERM:
      return ERROR_ACCESS_DENIED;
    case EMFILE:
    case ENFILE:
    case ENOSPC:
      return ERROR_TOO_MANY_OPEN_FILES;
    default:
      return ERROR_INVALID_PARAMETER;
  }
}

}  // namespace

HANDLE FindFirstChangeNotification(LPCSTR lpPathName, BOOL bWatchSubtree, DWORD dwNotifyFilter) {
  if (!lpPathName || !*lpPathName || dwNotifyFilter == 0 || (dwNotifyFilter & ~KnownFilters) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::string Path = lpPathName;
  while (Path.size() > 1 && Path.back() == '/') {
    Path.pop_back();
  }
  struct stat St {};
  if (stat(Path.c_str(), &St) != 0) {
    SetLastError(static_cast<DWORD>(ErrorFromErrno(errno)));
    return INVALID_HANDLE_VALUE;
  }
  if (!S_ISDIR(St.st_mode)) {
    SetLastError(ERROR_DIRECTORY);
    return INVALID_HANDLE_VALUE;
  }
  auto Obj = std::make_shared<TChangeObject>();
  Obj->Fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (Obj->Fd < 0) {
    SetLastError(static_cast<DWORD>(ErrorFromErrno(errno)));
    return INVALID_HANDLE_VALUE;
  }
  Obj->Filter = dwNotifyFilter;
  Obj->Subtree = bWatchSubtree != FALSE;
  Obj->Mask = InotifyMask(dwNotifyFilter, Obj->Subtree);
  Obj->RootWd = inotify_add_watch(Obj->Fd, Path.c_str(), Obj->Mask);
  if (Obj->RootWd < 0) {
    SetLastError(static_cast<DWORD>(ErrorFromErrno(errno)));
    return INVALID_HANDLE_VALUE;
  }
  // Sub-folders are watched before the handle is handed out, so no change below them is missed.
  Obj->AddTree(Path);
  Watcher().Add(Obj);
  return AddKernelObject(std::move(Obj));
}

BOOL FindNextChangeNotification(HANDLE hChangeHandle) {
  auto Obj = FindKernelObjectAs<TChangeObject>(hChangeHandle);
  if (!Obj) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  bool Gone = false;
  ChangeWaitableState([&] {
    Gone = Obj->Gone;
    Obj->Signaled = Obj->Recorded;
    Obj->Recorded = false;
  });
  if (Gone) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  return TRUE;
}

BOOL FindCloseChangeNotification(HANDLE hChangeHandle) {
  if (!FindKernelObjectAs<TChangeObject>(hChangeHandle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return CloseHandle(hChangeHandle);
}
