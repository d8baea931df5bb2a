// Global memory handles, as the clipboard and drag and drop pass data: GlobalAlloc and friends.
#pragma once

#include "platform/win/WinTypes.h"

inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GMEM_DDESHARE = 0x2000;
inline constexpr UINT GMEM_SHARE = 0x2000;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
inline constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

// Blocks never move: the handle is the block's address, so GlobalLock returns the handle itself. Unknown handles
// fail with ERROR_INVALID_HANDLE.
HGLOBAL GlobalAlloc(UINT Flags, std::size_t Bytes);
HGLOBAL GlobalReAlloc(HGLOBAL Mem, std::size_t Bytes, UINT Flags);  // may return a new handle
HGLOBAL GlobalFree(HGLOBAL Mem);  // null on success, the handle on failure
LPVOID GlobalLock(HGLOBAL Mem);
BOOL GlobalUnlock(HGLOBAL Mem);   // FALSE once the lock count is back at zero
std::size_t GlobalSize(HGLOBAL Mem);
