// Global memory handles: blocks kept in a table with their sizes and lock counts.
#include "platform/win/GlobalMemory.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

struct TBlock {
  std::size_t Size = 0;
  int Locks = 0;
};

std::mutex& Lock() {
  static std::mutex M;
  return M;
}

std::unordered_map<void*, TBlock>& Blocks() {
  static std::unordered_map<void*, TBlock> B;
  return B;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT Flags, std::size_t Bytes) {
  void* P = (Flags & GMEM_ZEROINIT) ? std::calloc(Bytes ? Bytes : 1, 1) : std::malloc(Bytes ? Bytes : 1);
  if (!P) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  std::lock_guard G(Lock());
  Blocks()[P] = TBlock{Bytes, 0};
  return P;
}

HGLOBAL GlobalReAlloc(HGLOBAL Mem, std::size_t Bytes, UINT Flags) {
  std::lock_guard G(Lock());
  auto It = Blocks().find(Mem);
  if (It == Blocks().end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  std::size_t Old = It->second.Size;
  void* P = std::realloc(Mem, Bytes ? Bytes : 1);
  if (!P) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if ((Flags & GMEM_ZEROINIT) && Bytes > Old) {
    std::memset(static_cast<char*>(P) + Old, 0, Bytes - Old);
  }
  TBlock B = It->second;
  Blocks().erase(It);
  B.Size = Bytes;
  Blocks()[P] = B;
  return P;
}

HGLOBAL GlobalFree(HGLOBAL Mem) {
  std::lock_guard G(Lock());
  auto It = Blocks().find(Mem);
  if (It == Blocks().end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return Mem;
  }
  Blocks().erase(It);
  std::free(Mem);
  return nullptr;
}

LPVOID GlobalLock(HGLOBAL Mem) {
  std::lock_guard G(Lock());
  auto It = Blocks().find(Mem);
  if (It == Blocks().end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  ++It->second.Locks;
  return Mem;
}

BOOL GlobalUnlock(HGLOBAL Mem) {
  std::lock_guard G(Lock());
  auto It = Blocks().find(Mem);
  if (It == Blocks().end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (It->second.Locks > 0) {
    --It->second.Locks;
  }
  return It->second.Locks > 0 ? TRUE : FALSE;
}

std::size_t GlobalSize(HGLOBAL Mem) {
  std::lock_guard G(Lock());
  auto It = Blocks().find(Mem);
  return It == Blocks().end() ? 0 : It->second.Size;
}
