// Change notification handles over one inotify instance for the whole process, read by one thread.
#include "platform/win/ChangeNotify.h"

#include <dirent.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
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

class TChangeObject;

// The process's one inotify instance (the system allows few per user), shared by every change handle, and the
// thread that reads it. A watch descriptor of a folder is shared by the handles that watch it; it goes when the
// last of them does. Never destroyed (its thread may run while static objects are torn down).
class TInotify {
public:
  TInotify() : Fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (Fd >= 0) {
      std::thread([this] { Loop(); }).detach();
    }
  }
  int Descriptor() const { return Fd; }
  // Watches Path for Obj; the watch descriptor, or -1 with errno.
  int Add(const std::shared_ptr<TChangeObject>& Obj, const std::string& Path, uint32_t Mask);
  // Drops every watch Obj has (called as it goes).
  void Forget(TChangeObject* Obj);

private:
  struct TWatch {
    std::string Path;
    std::vector<std::weak_ptr<TChangeObject>> Users;
    std::vector<TChangeObject*> Raw;
  };
  void Loop();

  int Fd;
  std::mutex Lock;
  std::map<int, TWatch> Watches;
};

TInotify& Inotify() {
  static TInotify* I = new TInotify;
  return *I;
}

class TChangeObject final : public TWaitableObject, public std::enable_shared_from_this<TChangeObject> {
public:
  ~TChangeObject() override { Inotify().Forget(this); }

  bool IsSignaled(DWORD) override { return Signaled || Gone; }
  bool Acquire(DWORD) override { return Gone; }

  // Adds watches for a folder and, when watching a subtree, every folder below it. Returns whether the folders
  // hold any entry: for a folder that just appeared, entries made before its watch existed.
  bool AddTree(const std::string& Path) {
    if (Inotify().Add(shared_from_this(), Path, Mask) < 0 || !Subtree) {
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

  // One event on one of this handle's watches (Path is the watched folder's). Reader thread only.
  void Event(int Wd, uint32_t EventMask, const std::string& Path, const char* Name) {
    if (Wd == RootWd && (EventMask & (IN_DELETE_SELF | IN_IGNORED | IN_UNMOUNT))) {
      Mark(false, true);
      return;
    }
    if (EventMask & IN_IGNORED) {
      return;
    }
    bool Hit = Matches(EventMask, Filter);
    if (Subtree && (EventMask & IN_ISDIR) && (EventMask & (IN_CREATE | IN_MOVED_TO)) && Name && *Name &&
        AddTree(Path + "/" + Name) && (Filter & (FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME))) {
      Hit = true;  // names created in it before its watch was in place
    }
    if (Hit) {
      Mark(true, false);
    }
  }

  void Mark(bool Hit, bool Deleted) {
    ChangeWaitableState([&] {
      Gone = Gone || Deleted;
      if (Hit) {
        (Signaled ? Recorded : Signaled) = true;
      }
    });
  }

  int RootWd = -1;
  uint32_t Mask = 0;
  DWORD Filter = 0;
  bool Subtree = false;
  // Under the sync lock:
  bool Signaled = false;
  bool Recorded = false;  // a change arrived while already signaled
  bool Gone = false;
};

int TInotify::Add(const std::shared_ptr<TChangeObject>& Obj, const std::string& Path, uint32_t Mask) {
  std::lock_guard<std::mutex> G(Lock);
  const int Wd = inotify_add_watch(Fd, Path.c_str(), Mask | IN_MASK_ADD);
  if (Wd < 0) {
    return -1;
  }
  TWatch& W = Watches[Wd];
  W.Path = Path;
  if (std::find(W.Raw.begin(), W.Raw.end(), Obj.get()) == W.Raw.end()) {
    W.Raw.push_back(Obj.get());
    W.Users.push_back(Obj);
  }
  return Wd;
}

void TInotify::Forget(TChangeObject* Obj) {
  std::lock_guard<std::mutex> G(Lock);
  for (auto It = Watches.begin(); It != Watches.end();) {
    TWatch& W = It->second;
    for (std::size_t I = 0; I < W.Raw.size(); ++I) {
      if (W.Raw[I] == Obj) {
        W.Raw.erase(W.Raw.begin() + static_cast<std::ptrdiff_t>(I));
        W.Users.erase(W.Users.begin() + static_cast<std::ptrdiff_t>(I));
        break;
      }
    }
    if (W.Raw.empty()) {
      inotify_rm_watch(Fd, It->first);
      It = Watches.erase(It);
    } else {
      ++It;
    }
  }
}

void TInotify::Loop() {
  alignas(inotify_event) char Buf[16384];
  for (;;) {
    pollfd P{Fd, POLLIN, 0};
    if (poll(&P, 1, -1) < 0 && errno != EINTR) {
      return;
    }
    for (;;) {
      const ssize_t N = read(Fd, Buf, sizeof Buf);
      if (N <= 0) {
        break;
      }
      for (ssize_t Pos = 0; Pos < N;) {
        const auto* E = reinterpret_cast<const inotify_event*>(Buf + Pos);
        Pos += static_cast<ssize_t>(sizeof(inotify_event) + E->len);
        // The handles are held while their events run, outside the lock: an event may add watches, and a handle
        // whose last reference goes here forgets its watches itself.
        std::vector<std::shared_ptr<TChangeObject>> Users;
        std::string Path;
        {
          std::lock_guard<std::mutex> G(Lock);
          if (E->mask & IN_Q_OVERFLOW) {
            for (auto& [Wd, W] : Watches) {
              for (auto& U : W.Users) {
                if (auto S = U.lock()) {
                  Users.push_back(std::move(S));
                }
              }
            }
          } else if (auto It = Watches.find(E->wd); It != Watches.end()) {
            Path = It->second.Path;
            for (auto& U : It->second.Users) {
              if (auto S = U.lock()) {
                Users.push_back(std::move(S));
              }
            }
            if (E->mask & IN_IGNORED) {
              Watches.erase(It);  // the kernel dropped the watch (its folder went)
            }
          }
        }
        for (auto& U : Users) {
          if (E->mask & IN_Q_OVERFLOW) {
            U->Mark(true, false);  // changes were lost: report one rather than none
          } else {
            U->Event(E->wd, E->mask, Path, E->len ? E->name : nullptr);
          }
        }
      }
    }
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
  if (Inotify().Descriptor() < 0) {
    SetLastError(ERROR_TOO_MANY_OPEN_FILES);
    return INVALID_HANDLE_VALUE;
  }
  auto Obj = std::make_shared<TChangeObject>();
  Obj->Filter = dwNotifyFilter;
  Obj->Subtree = bWatchSubtree != FALSE;
  Obj->Mask = InotifyMask(dwNotifyFilter, Obj->Subtree);
  Obj->RootWd = Inotify().Add(Obj, Path, Obj->Mask);
  if (Obj->RootWd < 0) {
    SetLastError(static_cast<DWORD>(ErrorFromErrno(errno)));
    return INVALID_HANDLE_VALUE;
  }
  // Sub-folders are watched before the handle is handed out, so no change below them is missed.
  Obj->AddTree(Path);
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
