// The shell's folder browser (SHBrowseForFolder) over the dialog service, and the local machine's name.
#pragma once

#include "platform/win/ShlObj.h"

#include <string>

// ---- The folder browser ------------------------------------------------------------------------------------------
// SHBrowseForFolder asks the dialog service with a "BrowseForFolder" request: Caption = lpszTitle, Params "Flags"
// (decimal BIF_ bits), "Root" (the root's path; empty for the desktop or a virtual root) and "Selection" (the path
// the callback chose with BFFM_SETSELECTION, empty when none). The answer IDOK with Value = the chosen folder's path
// (or, with BIF_BROWSEFORCOMPUTER, the computer's name) ends it; anything else is a cancel. The callback hears
// BFFM_INITIALIZED first, with a window of the browser that takes BFFM_SETSELECTION (wParam TRUE: lParam is a path,
// FALSE: an id list).
inline constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001;
inline constexpr UINT BIF_DONTGOBELOWDOMAIN = 0x0002;
inline constexpr UINT BIF_RETURNFSANCESTORS = 0x0008;
inline constexpr UINT BIF_BROWSEFORCOMPUTER = 0x1000;
inline constexpr UINT BIF_BROWSEFORPRINTER = 0x2000;
inline constexpr UINT BFFM_INITIALIZED = 1;
inline constexpr UINT BFFM_SELCHANGED = 2;
inline constexpr UINT BFFM_SETSELECTION = 0x400 + 102;  // 1126
using BFFCALLBACK = int (*)(HWND Wnd, UINT Msg, LPARAM LParam, LPARAM Data);
struct BROWSEINFO {
  HWND hwndOwner = 0;
  LPCITEMIDLIST pidlRoot = nullptr;
  LPSTR pszDisplayName = nullptr;  // MAX_PATH characters: the chosen item's display name
  LPCSTR lpszTitle = nullptr;
  UINT ulFlags = 0;
  BFFCALLBACK lpfn = nullptr;
  LPARAM lParam = 0;
  int iImage = 0;
};
// The chosen item's id list (the caller frees it with the task allocator), null on cancel. With
// BIF_BROWSEFORCOMPUTER only the local machine is offered; its id list is the virtual "Computer" item, which has no
// file-system path.
LPITEMIDLIST SHBrowseForFolder(BROWSEINFO* Info);
// The local machine's name (the host name).
std::string LocalComputerName();
