// The desktop's shell namespace: item id lists, the task allocator, shell folders and their enumeration,
// attributes, display names, renaming, context menus with their verbs, drop targets of folders, shortcuts as
// desktop entries, the mount table, the trash, file information and device-change broadcasts.
//
// The namespace over Linux: the empty id list is the desktop. The desktop holds the home folder, "Computer" (the
// special folder of drives: "/" and the mounted volumes, a file-system ancestor but not a file system itself),
// the trash (virtual: its items are the files in the freedesktop trash) and the entries of the desktop folder.
// Below the home folder, a volume or the desktop, every item is one file-system name.
//
// Item data (the bytes after an item's 16-bit count): a kind byte, then
//   ItemKindVirtual  one byte: VirtualHome, VirtualComputer or VirtualTrash;
//   ItemKindFile     a file's name bytes, as the file system holds them (not necessarily UTF-8);
//   ItemKindFolder   the same for a folder (or a link to one), so that lists order folders first cheaply;
//   ItemKindVolume   the mount point's full path.
#pragma once

#include "platform/win/Ole.h"
#include "platform/win/Shell.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

inline constexpr BYTE ItemKindVirtual = 1;
inline constexpr BYTE ItemKindFile = 2;
inline constexpr BYTE ItemKindVolume = 3;
inline constexpr BYTE ItemKindFolder = 4;
inline constexpr BYTE VirtualHome = 1;
inline constexpr BYTE VirtualComputer = 2;
inline constexpr BYTE VirtualTrash = 3;

inline constexpr int CSIDL_BITBUCKET = 0x000A;

// ---- Attributes, enumeration flags, name flags -------------------------------------------------------------------
inline constexpr ULONG SFGAO_CANCOPY = 0x1;
inline constexpr ULONG SFGAO_CANMOVE = 0x2;
inline constexpr ULONG SFGAO_CANLINK = 0x4;
inline constexpr ULONG SFGAO_CANRENAME = 0x10;
inline constexpr ULONG SFGAO_CANDELETE = 0x20;
inline constexpr ULONG SFGAO_HASPROPSHEET = 0x40;
inline constexpr ULONG SFGAO_DROPTARGET = 0x100;
inline constexpr ULONG SFGAO_LINK = 0x10000;
inline constexpr ULONG SFGAO_SHARE = 0x20000;
inline constexpr ULONG SFGAO_READONLY = 0x40000;
inline constexpr ULONG SFGAO_GHOSTED = 0x80000;
inline constexpr ULONG SFGAO_HIDDEN = 0x80000;
inline constexpr ULONG SFGAO_VALIDATE = 0x1000000;
inline constexpr ULONG SFGAO_REMOVABLE = 0x2000000;
inline constexpr ULONG SFGAO_FILESYSANCESTOR = 0x10000000;
inline constexpr ULONG SFGAO_FOLDER = 0x20000000;
inline constexpr ULONG SFGAO_FILESYSTEM = 0x40000000;
inline constexpr ULONG SFGAO_HASSUBFOLDER = 0x80000000;

inline constexpr DWORD SHCONTF_FOLDERS = 0x20;
inline constexpr DWORD SHCONTF_NONFOLDERS = 0x40;
inline constexpr DWORD SHCONTF_INCLUDEHIDDEN = 0x80;

inline constexpr DWORD SHGDN_NORMAL = 0;
inline constexpr DWORD SHGDN_INFOLDER = 1;
inline constexpr DWORD SHGDN_FOREDITING = 0x1000;
inline constexpr DWORD SHGDN_FORADDRESSBAR = 0x4000;
inline constexpr DWORD SHGDN_FORPARSING = 0x8000;

inline constexpr HRESULT HRESULT_FROM_WIN32(LONG Error) {
  return Error <= 0 ? static_cast<HRESULT>(Error)
                    : static_cast<HRESULT>((static_cast<DWORD>(Error) & 0xFFFF) | 0x80070000u);
}

// A name handed back by a folder: STRRET_WSTR (a UTF-16 string from the task allocator), STRRET_OFFSET (an 8-bit
// string at an offset inside the item) or STRRET_CSTR (inline 8-bit text).
inline constexpr UINT STRRET_WSTR = 0;
inline constexpr UINT STRRET_OFFSET = 1;
inline constexpr UINT STRRET_CSTR = 2;
struct STRRET {
  UINT uType = STRRET_CSTR;
  union {
    char16_t* pOleStr;
    UINT uOffset;
    char cStr[MAX_PATH] = {};
  };
};

// ---- Interface identifiers ------------------------------------------------------------------------------------------
inline constexpr IID IID_IMalloc{0x00000002, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IShellFolder{0x000214E6, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IEnumIDList{0x000214F2, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IContextMenu{0x000214E4, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IContextMenu2{0x000214F4, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IShellDetails{0x000214EC, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// ---- Interfaces -----------------------------------------------------------------------------------------------------
// The task allocator: id lists the namespace hands out come from it and go back through Free (or ILFree).
class IMalloc : public IUnknown {
public:
  virtual void* Alloc(std::size_t Size) = 0;
  virtual void* Realloc(void* Block, std::size_t Size) = 0;
  virtual void Free(void* Block) = 0;
  virtual std::size_t GetSize(void* Block) = 0;
  virtual int DidAlloc(void* Block) = 0;
  virtual void HeapMinimize() = 0;

protected:
  ~IMalloc() = default;
};

// One relative id list per Next call (S_OK), S_FALSE at the end.
class IEnumIDList : public IUnknown {
public:
  virtual HRESULT Next(ULONG Celt, LPITEMIDLIST* Rgelt, ULONG* CeltFetched) = 0;
  virtual HRESULT Skip(ULONG Celt) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumIDList** Enum) = 0;

protected:
  ~IEnumIDList() = default;
};

class IBindCtx;

class IShellFolder : public IUnknown {
public:
  // A path (absolute, or relative to this folder) to an id list relative to this folder. Eaten and Attributes
  // may be null; Attributes in: the bits asked for, out: those that hold.
  virtual HRESULT ParseDisplayName(HWND Owner, IBindCtx* Bc, const char16_t* DisplayName, ULONG* Eaten,
                                   LPITEMIDLIST* Pidl, ULONG* Attributes) = 0;
  virtual HRESULT EnumObjects(HWND Owner, DWORD Flags, IEnumIDList** Enum) = 0;
  virtual HRESULT BindToObject(LPCITEMIDLIST Pidl, IBindCtx* Bc, REFIID Riid, void** Out) = 0;
  virtual HRESULT BindToStorage(LPCITEMIDLIST Pidl, IBindCtx* Bc, REFIID Riid, void** Out) = 0;
  // The order of two relative lists (column 0: folders before files, then names) in the low 16 bits.
  virtual HRESULT CompareIDs(LPARAM Param, LPCITEMIDLIST Pidl1, LPCITEMIDLIST Pidl2) = 0;
  virtual HRESULT CreateViewObject(HWND Owner, REFIID Riid, void** Out) = 0;
  // The bits of InOut that hold for every one of the items (and-ed).
  virtual HRESULT GetAttributesOf(UINT Count, LPCITEMIDLIST* Pidls, ULONG* InOut) = 0;
  // IID_IContextMenu, IID_IDropTarget or IID_IDataObject of the items.
  virtual HRESULT GetUIObjectOf(HWND Owner, UINT Count, LPCITEMIDLIST* Pidls, REFIID Riid, UINT* Reserved,
                                void** Out) = 0;
  virtual HRESULT GetDisplayNameOf(LPCITEMIDLIST Pidl, DWORD Flags, STRRET* Name) = 0;
  // Renames an item; OutPidl (may be null) gets the new relative list. Errors are shown to the user through the
  // dialog service when Owner is given.
  virtual HRESULT SetNameOf(HWND Owner, LPCITEMIDLIST Pidl, const char16_t* Name, DWORD Flags,
                            LPITEMIDLIST* OutPidl) = 0;

protected:
  ~IShellFolder() = default;
};

// A folder's detail columns: the header of a column (Pidl null) or an item's text in it. fmt is the alignment
// (left 0, right 1, centre 2) and cxChar the width in characters; E_INVALIDARG past the last column.
struct SHELLDETAILS {
  int fmt = 0;
  int cxChar = 0;
  STRRET str;
};
class IShellDetails : public IUnknown {
public:
  virtual HRESULT GetDetailsOf(LPCITEMIDLIST Pidl, UINT Column, SHELLDETAILS* Details) = 0;
  virtual HRESULT ColumnClick(UINT Column) = 0;

protected:
  ~IShellDetails() = default;
};

// Context menus.
inline constexpr UINT CMF_NORMAL = 0;
inline constexpr UINT CMF_DEFAULTONLY = 1;
inline constexpr UINT CMF_EXPLORE = 4;
inline constexpr UINT CMF_CANRENAME = 0x10;
inline constexpr UINT GCS_VERBA = 0;
inline constexpr UINT GCS_HELPTEXTA = 1;
struct CMINVOKECOMMANDINFO {
  DWORD cbSize = 36;
  DWORD fMask = 0;
  HWND hwnd = 0;
  const char* lpVerb = nullptr;  // a verb, or a command offset in the low word with the high word zero
  const char* lpParameters = nullptr;
  const char* lpDirectory = nullptr;
  int nShow = 1;
  DWORD dwHotKey = 0;
  HANDLE hIcon = nullptr;
};
class IContextMenu : public IUnknown {
public:
  // Adds the commands from IdFirst; returns S_OK with the number of ids used in the low word.
  virtual HRESULT QueryContextMenu(HMENU Menu, UINT IndexMenu, UINT IdFirst, UINT IdLast, UINT Flags) = 0;
  virtual HRESULT InvokeCommand(CMINVOKECOMMANDINFO* Info) = 0;
  virtual HRESULT GetCommandString(UINT_PTR Offset, UINT Type, UINT* Reserved, char* Name, UINT MaxChars) = 0;

protected:
  ~IContextMenu() = default;
};
class IContextMenu2 : public IContextMenu {
public:
  virtual HRESULT HandleMenuMsg(UINT Msg, WPARAM WParam, LPARAM LParam) = 0;

protected:
  ~IContextMenu2() = default;
};

// The commands of the namespace's context menus, by offset from the first id: the order the menu shows them.
enum TShellCommand : UINT {
  ShellCmdOpen = 0,
  ShellCmdCut = 1,
  ShellCmdCopy = 2,
  ShellCmdPaste = 3,
  ShellCmdDelete = 4,
  ShellCmdNewFolder = 5,
  ShellCmdProperties = 6,
  ShellCmdRename = 18,  // where the platform's menus put rename
};

// ---- Functions -----------------------------------------------------------------------------------------------------
HRESULT SHGetMalloc(IMalloc** Malloc);
void* CoTaskMemAlloc(std::size_t Size);
void CoTaskMemFree(void* Block);
HRESULT CoInitialize(void* Reserved);
void CoUninitialize();
HRESULT SHGetDesktopFolder(IShellFolder** Folder);
// An id list of a path (the folder of the desktop's own namespace: home, volumes); E_FAIL-family codes for a path
// that does not exist.
HRESULT SHParseDisplayName(const std::string& Path, LPITEMIDLIST* Pidl);
// The file-system path of an absolute id list as a string; empty for virtual folders and bad lists.
std::string PathFromIdList(LPCITEMIDLIST Pidl);
// Id list helpers (all tolerate null as "no list").
UINT ILGetSize(LPCITEMIDLIST Pidl);
LPITEMIDLIST ILClone(LPCITEMIDLIST Pidl);
LPITEMIDLIST ILCombine(LPCITEMIDLIST First, LPCITEMIDLIST Second);
// Whether the bytes form a well-made list within Size bytes (every count at least 3 and inside the bytes).
bool ILIsValid(const void* Bytes, std::size_t Size);

// File information.
inline constexpr UINT SHGFI_SMALLICON = 0x1;
inline constexpr UINT SHGFI_OPENICON = 0x2;
inline constexpr UINT SHGFI_PIDL = 0x8;
inline constexpr UINT SHGFI_USEFILEATTRIBUTES = 0x10;
inline constexpr UINT SHGFI_ICON = 0x100;
inline constexpr UINT SHGFI_DISPLAYNAME = 0x200;
inline constexpr UINT SHGFI_TYPENAME = 0x400;
inline constexpr UINT SHGFI_ATTRIBUTES = 0x800;
inline constexpr UINT SHGFI_SYSICONINDEX = 0x4000;
struct SHFILEINFO {
  HICON hIcon = 0;
  int iIcon = 0;
  DWORD dwAttributes = 0;
  char szDisplayName[MAX_PATH] = {};
  char szTypeName[80] = {};
};
// With SHGFI_PIDL, Path is an absolute id list. With SHGFI_SYSICONINDEX the result is the system image list
// (small with SHGFI_SMALLICON), else nonzero on success. iIcon indexes both system image lists (SHGFI_OPENICON: a
// folder's open icon); SHGFI_ICON also gives hIcon, a copy of that image the caller destroys (DestroyIcon).
DWORD_PTR SHGetFileInfo(const char* Path, DWORD FileAttributes, SHFILEINFO* Info, UINT Size, UINT Flags);

// Drive types (of a volume's mount type).
inline constexpr UINT DRIVE_UNKNOWN = 0;
inline constexpr UINT DRIVE_NO_ROOT_DIR = 1;
inline constexpr UINT DRIVE_REMOVABLE = 2;
inline constexpr UINT DRIVE_FIXED = 3;
inline constexpr UINT DRIVE_REMOTE = 4;
inline constexpr UINT DRIVE_CDROM = 5;
inline constexpr UINT DRIVE_RAMDISK = 6;
// The type of the volume a path lies on (DRIVE_NO_ROOT_DIR when the path does not exist).
UINT GetDriveType(LPCSTR RootPath);

// ---- The mount table ------------------------------------------------------------------------------------------------
struct TMountEntry {
  std::string Device;
  std::string MountPoint;
  std::string Type;
  std::string Options;
  UINT DriveType = DRIVE_UNKNOWN;
};
// Parses mount-table text (fstab syntax: device, mount point, type, options, each with \ooo octal escapes).
// Lines that are not well made are skipped; returns whether every non-empty line was.
bool ParseMountTable(std::string_view Text, std::vector<TMountEntry>& Entries);
// The volumes "Computer" shows: "/" first, then the real file systems of the table in its order, pseudo file
// systems (proc, sysfs, cgroup, tmpfs...) and mount points under /proc, /sys, /dev and /run left out.
std::vector<TMountEntry> ShownVolumes();
// Reads the table from another file than /proc/self/mounts (tests); empty restores it.
void SetMountTableFile(const std::string& FileName);

// ---- Device-change broadcasts -----------------------------------------------------------------------------------------
inline constexpr WPARAM DBT_DEVICEARRIVAL = 0x8000;
inline constexpr WPARAM DBT_DEVICEREMOVECOMPLETE = 0x8004;
// Starts watching the mount table (once per process): when volumes come or go, WM_DEVICECHANGE with
// DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE is posted to every top-level window, hidden ones included.
void WatchDeviceChanges();
// Posts the broadcast now as the watcher would (tests).
void BroadcastDeviceChange(WPARAM Event);

// ---- Shortcuts: freedesktop desktop entries -----------------------------------------------------------------------
// One desktop entry's [Desktop Entry] group, keys in file order; other groups are kept as they stand.
struct TDesktopEntry {
  std::vector<std::pair<std::string, std::string>> Keys;
  std::string OtherGroups;
  std::string Get(const std::string& Key) const;
  void Set(const std::string& Key, const std::string& Value);
};
// Reads the text of a desktop entry; false (with Error) when it has no [Desktop Entry] group or a line there is
// neither a comment, a blank nor key=value. Values are unescaped (\s \n \t \r \\).
bool ParseDesktopEntry(std::string_view Text, TDesktopEntry& Entry, std::string* Error = nullptr);
std::string FormatDesktopEntry(const TDesktopEntry& Entry);
// Whether a path names a shortcut: a ".desktop" file or a symbolic link.
bool IsShortcutPath(const std::string& Path);

// ---- Type names from the shared MIME database ------------------------------------------------------------------------
// Reads globs2 text ("weight:type:pattern[:flags]" lines) into lower-case ".ext" -> type for the plain extension
// patterns, the heaviest pattern winning; returns whether every line was well made.
bool ParseMimeGlobs(std::string_view Text, std::map<std::string, std::string>& Extensions);
// The MIME type of a file name by its extension (the XDG data folders' mime/globs2), empty when unknown; and a
// type's English comment ("HTML document"), empty when the database has none.
std::string MimeTypeOfName(const std::string& Name);
std::string MimeComment(const std::string& Type);
// The icon names of a type, in the order the icon theme is asked: the database's icon (else the type with "/" made
// "-"), its generic icon (else "<media>-x-generic"), then "text-x-generic" for text types, else
// "application-x-generic".
std::vector<std::string> MimeIconNames(const std::string& Type);

// ---- File operations ----------------------------------------------------------------------------------------------
// Moves a file or folder to the freedesktop trash ($XDG_DATA_HOME/Trash): files/<name>, info/<name>.trashinfo.
// Returns 0 or the error (ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED...).
DWORD MoveToTrash(const std::string& Path);
// Copies (recursively), moves (rename, else copy and delete) or links (a symbolic link) Source into Folder,
// naming the result "<name> (2)"... when the name exists there. Returns 0 or the error.
DWORD ShellTransfer(const std::string& Source, const std::string& Folder, DWORD Effect, std::string* Made = nullptr);

// The clipboard format number of "Shell IDList Array", and the drop effect the source prefers.
UINT ShellIdListFormat();
UINT PreferredDropEffectFormat();
// The bytes of a "Shell IDList Array": the count n, n + 1 offsets (the parent's absolute list, then each item's
// relative list), then the lists. Reading checks every offset and list against Size; false for bytes that are
// not such a block.
std::string MakeIdListArray(LPCITEMIDLIST Parent, const std::vector<LPCITEMIDLIST>& Items);
bool ReadIdListArray(const void* Bytes, std::size_t Size, std::string& Parent, std::vector<std::string>& Items);

// The files a data object carries (CF_HDROP, else "Shell IDList Array"); empty when none.
std::vector<std::string> FilesOfDataObject(IDataObject* Data);
// The effect a drop of Keys (MK_ bits) onto Folder gives: Ctrl copies, Shift moves, Ctrl+Shift links, no key
// moves on the same file system and copies otherwise; limited to Allowed (then the first allowed of copy, move,
// link).
DWORD ChooseDropEffect(DWORD Keys, DWORD Allowed, const std::vector<std::string>& Files, const std::string& Folder);

// The properties window the namespace's "properties" verb shows (replaceable for tests); gets the paths.
using TPropertiesHandler = std::function<void(HWND Owner, const std::vector<std::string>& Paths)>;
void SetPropertiesHandler(TPropertiesHandler Handler);
