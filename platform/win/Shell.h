// Shell services: ShellExecute through the desktop, special folders mapped to the XDG folders, the user's name
// and the environment.
#pragma once

#include "platform/win/WinUser.h"

#include <string>
#include <string_view>
#include <vector>

// ShellExecute results of 32 or less are failures.
inline constexpr int SE_ERR_FNF = 2;
inline constexpr int SE_ERR_PNF = 3;
inline constexpr int SE_ERR_ACCESSDENIED = 5;
inline constexpr int SE_ERR_OOM = 8;
inline constexpr int SE_ERR_SHARE = 26;
inline constexpr int SE_ERR_ASSOCINCOMPLETE = 27;
inline constexpr int SE_ERR_DDETIMEOUT = 28;
inline constexpr int SE_ERR_DDEFAIL = 29;
inline constexpr int SE_ERR_DDEBUSY = 30;
inline constexpr int SE_ERR_NOASSOC = 31;
inline constexpr int SE_ERR_DLLNOTFOUND = 32;

// Opens File with Operation (null or "open": a program is started with Parameters in Directory; a URL, a
// document or a folder goes to the desktop's opener, xdg-open; "explore" opens a folder). Returns a value
// above 32 on success, else 0 (no file given), ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, SE_ERR_ACCESSDENIED,
// ERROR_BAD_FORMAT, SE_ERR_OOM or SE_ERR_NOASSOC (an unknown verb, or no opener installed).
// While recording is on, the call is checked and recorded but nothing is started.
HINSTANCE ShellExecute(HWND Wnd, LPCSTR Operation, LPCSTR File, LPCSTR Parameters, LPCSTR Directory, int ShowCmd);
// The result of ShellExecute as a number.
inline int ShellExecuteResult(HINSTANCE H) { return static_cast<int>(reinterpret_cast<std::intptr_t>(H)); }

// One recorded ShellExecute call. Action is "spawn" (a program started directly, Program and Arguments
// filled in), "xdg-open" (handed to the desktop, Program "xdg-open") or empty when the call failed.
struct TShellExecuteRecord {
  std::string Operation;
  std::string File;
  std::string Parameters;
  std::string Directory;
  int ShowCmd = 0;
  std::string Action;
  std::string Program;
  std::vector<std::string> Arguments;
  int Result = 0;
};
// Recording is on when switched on here or when ZUBQ_SHELLEXECUTE_LOG names a file; with the variable set,
// each call is also appended to that file as one tab-separated line:
// operation, file, parameters, directory, show command, action, result.
void SetShellExecuteRecording(bool On);
bool ShellExecuteRecording();
std::vector<TShellExecuteRecord> ShellExecuteRecords();
void ClearShellExecuteRecords();
// Splits a command line as the platform's programs do: blanks separate, double quotes group, \" is a quote.
std::vector<std::string> SplitCommandLine(std::string_view CommandLine);

// Special folder numbers (CSIDL), with their documented values.
inline constexpr int CSIDL_DESKTOP = 0x0000;
inline constexpr int CSIDL_PROGRAMS = 0x0002;
inline constexpr int CSIDL_PERSONAL = 0x0005;
inline constexpr int CSIDL_MYDOCUMENTS = CSIDL_PERSONAL;
inline constexpr int CSIDL_FAVORITES = 0x0006;
inline constexpr int CSIDL_STARTUP = 0x0007;
inline constexpr int CSIDL_RECENT = 0x0008;
inline constexpr int CSIDL_SENDTO = 0x0009;
inline constexpr int CSIDL_STARTMENU = 0x000B;
inline constexpr int CSIDL_MYMUSIC = 0x000D;
inline constexpr int CSIDL_MYVIDEO = 0x000E;
inline constexpr int CSIDL_DESKTOPDIRECTORY = 0x0010;
inline constexpr int CSIDL_DRIVES = 0x0011;
inline constexpr int CSIDL_FONTS = 0x0014;
inline constexpr int CSIDL_TEMPLATES = 0x0015;
inline constexpr int CSIDL_APPDATA = 0x001A;
inline constexpr int CSIDL_LOCAL_APPDATA = 0x001C;
inline constexpr int CSIDL_INTERNET_CACHE = 0x0020;
inline constexpr int CSIDL_COMMON_APPDATA = 0x0023;
inline constexpr int CSIDL_WINDOWS = 0x0024;
inline constexpr int CSIDL_SYSTEM = 0x0025;
inline constexpr int CSIDL_PROGRAM_FILES = 0x0026;
inline constexpr int CSIDL_MYPICTURES = 0x0027;
inline constexpr int CSIDL_PROFILE = 0x0028;
inline constexpr int CSIDL_COMMON_DOCUMENTS = 0x002E;
inline constexpr int CSIDL_FLAG_CREATE = 0x8000;

// The folder a CSIDL number stands for: desktop, documents, music, videos, pictures and templates from the
// XDG user folders (user-dirs.dirs, else ~/Desktop...), application data = $XDG_CONFIG_HOME (~/.config),
// local application data = $XDG_DATA_HOME (~/.local/share), internet cache = $XDG_CACHE_HOME (~/.cache),
// profile = home, fonts = ~/.local/share/fonts, common application data and documents = the first of
// $XDG_DATA_DIRS (/usr/local/share); for setup programs, per user: Windows folder = $XDG_DATA_HOME, system
// folder = ~/.local/lib, program files = ~/.local/opt, start menu programs = $XDG_DATA_HOME/applications (the
// desktop-entry folder). Empty for numbers with no folder here (start menu, the virtual "drives" folder...).
// No trailing separator.
std::string SpecialFolderPath(int Csidl);
// Fills Path (MAX_PATH characters) with the folder; FALSE when there is none, or when it does not exist and
// Create is FALSE (with Create it is made, parents included).
BOOL SHGetSpecialFolderPath(HWND Owner, LPSTR Path, int Csidl, BOOL Create);

// Item id lists of the desktop's namespace (ShlObj.h says what the items hold): a sequence of items, each a
// 16-bit byte count (including the count) and its data; a zero count ends the list, and the empty list is the
// desktop. Allocated by the task allocator; ILFree releases them.
struct SHITEMID {
  USHORT cb;
  BYTE abID[1];
};
struct ITEMIDLIST {
  SHITEMID mkid;
};
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
// The folder as an item id list: CSIDL_DESKTOP the empty list, CSIDL_DRIVES "Computer", CSIDL_BITBUCKET the
// trash, CSIDL_PROFILE the home folder, the others their folder's path parsed; E_FAIL when there is no such
// folder, or it does not exist (CSIDL_FLAG_CREATE creates it).
HRESULT SHGetSpecialFolderLocation(HWND Owner, int Csidl, LPITEMIDLIST* Pidl);
// The file-system path of an id list (the desktop's is the desktop folder); FALSE for virtual folders.
BOOL SHGetPathFromIDList(LPCITEMIDLIST Pidl, LPSTR Path);
void ILFree(LPITEMIDLIST Pidl);

// The login name of the user. Size is in/out and counts the null; ERROR_INSUFFICIENT_BUFFER with the size
// needed when the buffer is too small.
BOOL GetUserName(LPSTR Buffer, DWORD* Size);

// Environment. Names are matched exactly first, then without regard to case as on the platform. When the
// environment does not hold them, TEMP and TMP give the temporary folder, USERPROFILE the home folder,
// APPDATA and LOCALAPPDATA the matching special folders and USERNAME the user's name.
// GetEnvironmentVariable returns the length, or the size needed with the null, or 0 with
// ERROR_ENVVAR_NOT_FOUND.
inline constexpr LONG ERROR_ENVVAR_NOT_FOUND = 203;
DWORD GetEnvironmentVariable(LPCSTR Name, LPSTR Buffer, DWORD Size);
BOOL SetEnvironmentVariable(LPCSTR Name, LPCSTR Value);
// The class library's form: the value or empty.
std::string GetEnvironmentVariable(const std::string& Name);
// Replaces each %NAME% with the variable's value; unknown names stay as they are. Returns the size of the
// result including the null (so a buffer too small tells the size needed; the buffer is filled only when it is
// large enough).
DWORD ExpandEnvironmentStrings(LPCSTR Src, LPSTR Dst, DWORD Size);
std::string ExpandEnvironmentString(std::string_view Src);
