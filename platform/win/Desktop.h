// What the window system takes from the desktop: files dropped on windows, hot keys, sounds, help requests and
// window shapes.
#pragma once

#include "platform/win/WinUser.h"

#include <string>
#include <vector>

// ---- Files dropped from the desktop ------------------------------------------------------------------------------
// A window that accepts files (DragAcceptFiles, or WS_EX_ACCEPTFILES) gets WM_DROPFILES with an HDROP in wParam
// when files are dropped on it or on a child that does not accept them. The receiver reads the names with
// DragQueryFile and frees the handle with DragFinish.
using HDROP = std::uintptr_t;
void DragAcceptFiles(HWND Wnd, BOOL Accept);
// Index 0xFFFFFFFF: the number of files. Otherwise copies name Index (code page 1252, at most Size - 1 bytes) and
// returns its length; with a null buffer, the length the name needs (without the terminator). 0 when out of range.
UINT DragQueryFile(HDROP Drop, UINT Index, LPSTR File, UINT Size);
// The drop point in the client coordinates of the window that received it; FALSE when it was in the non-client
// area.
BOOL DragQueryPoint(HDROP Drop, TPoint* Point);
void DragFinish(HDROP Drop);
// The toolkit side calls this for a drop at a screen point; the window that takes it is found as the platform
// finds it. Returns false when no window there accepts files.
bool DropFilesAt(TPoint ScreenPos, const std::vector<std::string>& Files);
// Whether a drop at the screen point would be taken (for the toolkit's drag-over feedback).
bool AcceptsFilesAt(TPoint ScreenPos);
// The number of drop handles not yet freed (tests check DragFinish).
int OpenDropHandles();

// The dropped-files block of CF_HDROP data in global memory: this header, then the names (8-bit text, or UTF-16
// with fWide), each ended by a zero, and one more zero. DragQueryFile, DragQueryPoint and DragFinish take such a
// block as well (its HGLOBAL as the HDROP); wide names are read as code page 1252, '?' for what it cannot hold.
struct DROPFILES {
  DWORD pFiles = 0;  // offset of the first name from the start of the block
  TPoint pt;         // the drop point, client coordinates of the window that took it
  BOOL fNC = FALSE;  // the point is in the non-client area
  BOOL fWide = FALSE;
};
static_assert(sizeof(DROPFILES) == 20);
// Builds a movable block with the names as 8-bit text; null when it cannot be allocated.
HGLOBAL CreateDropFilesBlock(const std::vector<std::string>& Files, TPoint Pt = {}, bool NonClient = false);
// The names, point and area of a block; false when the handle is no readable block (names are read up to its
// end at most).
bool ReadDropFilesBlock(HGLOBAL Block, std::vector<std::string>& Files, TPoint* Pt = nullptr,
                        bool* NonClient = nullptr);

// ---- Hot keys ---------------------------------------------------------------------------------------------------
inline constexpr UINT MOD_ALT = 0x0001;
inline constexpr UINT MOD_CONTROL = 0x0002;
inline constexpr UINT MOD_SHIFT = 0x0004;
inline constexpr UINT MOD_WIN = 0x0008;
inline constexpr LONG ERROR_HOTKEY_ALREADY_REGISTERED = 1409;
inline constexpr LONG ERROR_HOTKEY_NOT_REGISTERED = 1419;
// Hot keys are recorded per window and id. WM_HOTKEY (wParam the id, lParam MAKELONG(modifiers, key)) is posted
// when the key is typed in one of the program's windows; the key itself then produces no key messages. Where the
// window system has a grab of keys for the whole desktop (X11) the key is grabbed as well, so that it arrives
// while another program has the focus; a key another program holds there gives FALSE with
// ERROR_HOTKEY_ALREADY_REGISTERED. Unregistering (or destroying the window) releases the grab.
BOOL RegisterHotKey(HWND Wnd, int Id, UINT Modifiers, UINT Vk);
BOOL UnregisterHotKey(HWND Wnd, int Id);
// The window system's grab of keys for the whole desktop, installed by the toolkit side where it has one. Grab
// answers ERROR_SUCCESS (the key is now the program's), ERROR_HOTKEY_ALREADY_REGISTERED (another program holds it)
// or any other code when there is no such grab here (the key then works in the program's own windows).
class THotKeyGrabber {
public:
  virtual ~THotKeyGrabber() = default;
  virtual LONG Grab(UINT Modifiers, UINT Vk) = 0;
  virtual void Release(UINT Modifiers, UINT Vk) = 0;
};
void SetHotKeyGrabber(THotKeyGrabber* Grabber);
// Posts WM_HOTKEY for a grabbed key that arrived; false when no window registered it.
bool PostHotKey(UINT Modifiers, UINT Vk);
struct THotKey {
  HWND Wnd = 0;
  int Id = 0;
  UINT Modifiers = 0;
  UINT Vk = 0;
};
std::vector<THotKey> RegisteredHotKeys();

// ---- Sounds -----------------------------------------------------------------------------------------------------
inline constexpr DWORD SND_SYNC = 0x0000;
inline constexpr DWORD SND_ASYNC = 0x0001;
inline constexpr DWORD SND_NODEFAULT = 0x0002;
inline constexpr DWORD SND_MEMORY = 0x0004;
inline constexpr DWORD SND_LOOP = 0x0008;
inline constexpr DWORD SND_NOSTOP = 0x0010;
inline constexpr DWORD SND_PURGE = 0x0040;
inline constexpr DWORD SND_APPLICATION = 0x0080;
inline constexpr DWORD SND_NOWAIT = 0x00002000;
inline constexpr DWORD SND_ALIAS = 0x00010000;
inline constexpr DWORD SND_FILENAME = 0x00020000;
inline constexpr DWORD SND_RESOURCE = 0x00040004;
inline constexpr DWORD SND_ALIAS_ID = 0x00110000;
// MessageBeep's types.
inline constexpr UINT MB_SIMPLEBEEP = 0xFFFFFFFF;
// Plays a sound: a system alias ("SystemAsterisk", "SystemExclamation", "SystemHand", "SystemQuestion",
// "SystemDefault", "SystemStart", "SystemExit", ".Default"), a program event the user's sound scheme names a sound
// for (such as "MenuPopup" under AppEvents\Schemes\Apps\.Default), a file, or (null name) stops the current one.
// There is no sound device here: the sound is recorded and nothing is heard. An unknown alias or a missing file plays
// the default sound unless SND_NODEFAULT, in which case the call fails.
BOOL PlaySound(LPCSTR Sound, HMODULE Module, DWORD Flags);
// What was "played" since the start (the alias or the file name; ".Default" for a default sound), for tests.
std::vector<std::string> PlayedSounds();

// ---- Help -------------------------------------------------------------------------------------------------------
inline constexpr UINT HELP_CONTEXT = 0x0001;
inline constexpr UINT HELP_QUIT = 0x0002;
inline constexpr UINT HELP_INDEX = 0x0003;
inline constexpr UINT HELP_CONTENTS = 0x0003;
inline constexpr UINT HELP_HELPONHELP = 0x0004;
inline constexpr UINT HELP_SETINDEX = 0x0005;
inline constexpr UINT HELP_SETCONTENTS = 0x0005;
inline constexpr UINT HELP_CONTEXTPOPUP = 0x0008;
inline constexpr UINT HELP_FORCEFILE = 0x0009;
inline constexpr UINT HELP_KEY = 0x0101;
inline constexpr UINT HELP_COMMAND = 0x0102;
inline constexpr UINT HELP_PARTIALKEY = 0x0105;
inline constexpr UINT HELP_MULTIKEY = 0x0201;
inline constexpr UINT HELP_SETWINPOS = 0x0203;
inline constexpr UINT HELP_FINDER = 0x000B;
// There is no help viewer: requests are recorded (WinHelpRequests) and answered TRUE when a file is named.
BOOL WinHelp(HWND Wnd, LPCSTR HelpFile, UINT Command, UINT_PTR Data);
struct TWinHelpRequest {
  HWND Wnd = 0;
  std::string File;
  UINT Command = 0;
  UINT_PTR Data = 0;
};
std::vector<TWinHelpRequest> WinHelpRequests();

// ---- Window shapes ----------------------------------------------------------------------------------------------
// Gives a window a region (window coordinates) outside which it neither draws nor takes the mouse; the window
// owns the region from then on (0 removes it). GetWindowRgn copies it into an existing region.
int SetWindowRgn(HWND Wnd, HRGN Rgn, BOOL Redraw);
int GetWindowRgn(HWND Wnd, HRGN Rgn);
