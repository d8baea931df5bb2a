// The table of kernel object handles.
#include "platform/win/KernelObjects.h"

#include <mutex>
#include <unordered_map>

namespace {
struct TTable {
  std::mutex Lock;
  std::uintptr_t Next = 0x100;  // handles are multiples of 4 above this, never reused
  std::unordered_map<std::uintptr_t, std::shared_ptr<TKernelObject>> Objects;
};
TTable& Table() {
  static TTable T;
  return T;
}
}  // namespace

HANDLE AddKernelObject(std::shared_ptr<TKernelObject> Obj) {
  TTable& T = Table();
  std::lock_guard<std::mutex> Guard(T.Lock);
  T.Next += 4;
  T.Objects.emplace(T.Next, std::move(Obj));
  return reinterpret_cast<HANDLE>(T.Next);
}

std::shared_ptr<TKernelObject> FindKernelObject(HANDLE H) {
  TTable& T = Table();
  std::lock_guard<std::mutex> Guard(T.Lock);
  auto It = T.Objects.find(reinterpret_cast<std::uintptr_t>(H));
  return It == T.Objects.end() ? nullptr : It->second;
}

BOOL CloseHandle(HANDLE H) {
  std::shared_ptr<TKernelObject> Dropped;  // released outside the lock
  {
    TTable& T = Table();
    std::lock_guard<std::mutex> Guard(T.Lock);
    auto It = T.Objects.find(reinterpret_cast<std::uintptr_t>(H));
    if (It == T.Objects.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    Dropped = std::move(It->second);
    T.Objects.erase(It);
  }
  return TRUE;
}
