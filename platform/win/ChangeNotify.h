// File-system change notification handles over inotify, waitable together with events.
#pragma once

#include "platform/win/Sync.h"

inline constexpr DWORD FILE_NOTIFY_CHANGE_FILE_NAME = 0x1;
inline constexpr DWORD FILE_NOTIFY_CHANGE_DIR_NAME = 0x2;
inline constexpr DWORD FILE_NOTIFY_CHANGE_ATTRIBUTES = 0x4;
inline constexpr DWORD FILE_NOTIFY_CHANGE_SIZE = 0x8;
inline constexpr DWORD FILE_NOTIFY_CHANGE_LAST_WRITE = 0x10;
inline constexpr DWORD FILE_NOTIFY_CHANGE_LAST_ACCESS = 0x20;
inline constexpr DWORD FILE_NOTIFY_CHANGE_CREATION = 0x40;
inline constexpr DWORD FILE_NOTIFY_CHANGE_SECURITY = 0x100;

// Watches a folder (and, with bWatchSubtree, every folder below it, including ones created later) for the
// kinds of change in dwNotifyFilter. The handle becomes signaled at the first matching change and stays so
// until FindNextChangeNotification; changes in between are remembered, so FindNextChangeNotification after
// them leaves it signaled. Fails with INVALID_HANDLE_VALUE and ERROR_FILE_NOT_FOUND (no such folder),
// ERROR_DIRECTORY (not a folder), ERROR_ACCESS_DENIED or ERROR_INVALID_PARAMETER (empty or unknown filter).
//
// When the watched folder itself is deleted the handle is abandoned: every wait on it returns
// WAIT_ABANDONED_0 + its index from then on, and FindNextChangeNotification fails with ERROR_PATH_NOT_FOUND.
// Close it with FindCloseChangeNotification (or CloseHandle).
HANDLE FindFirstChangeNotification(LPCSTR lpPathName, BOOL bWatchSubtree, DWORD dwNotifyFilter);
BOOL FindNextChangeNotification(HANDLE hChangeHandle);
BOOL FindCloseChangeNotification(HANDLE hChangeHandle);
