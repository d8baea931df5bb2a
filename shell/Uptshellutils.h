// Shell utilities: item id lists and their allocator, folders, display names, icons and system image lists,
// special folders, shortcuts, drive information, numbered-insert formatting, command-line splitting, version
// tests, the sorted id-list container TPTPidlList and the process's relay of device-change broadcasts.
// Everything here runs on the user-interface thread.
#pragma once

#include "platform/classes/Lists.h"
#include "platform/controls/Controls.h"
#include "platform/graphics/ImgList.h"
#include "platform/win/Files.h"
#include "shell/Uptshell95.h"

#include <functional>
#include <string>
#include <vector>

// The special-folder numbers, one value per number 0 to 49; csidlNone: not a special folder.
enum TCSIDL : unsigned char {
  csidlDesktop, csidl_None1, csidlPrograms, csidlControls, csidlPrinters, csidlPersonal, csidlFavorites,
  csidlStartup, csidlRecent, csidlSendTo, csidlBitBucket, csidlStartMenu, csidl_None2, csidl_None3, csidl_None4,
  csidl_None5, csidlDesktopDirectory, csidlDrives, csidlNetwork, csidlNethood, csidlFonts, csidlTemplates,
  csidlCommonStartMenu, csidlCommonPrograms, csidlCommonStartup, csidlCommonDesktopDirectory, csidlAppData,
  csidlPrintHood, csidlLocalAppData, csidlAltStartup, csidlCommonAltStartup, csidlCommonFavorites,
  csidlInternetCache, csidlCookies, csidlHistory, csidlCommonAppData, csidlWindows, csidlSystem, csidlProgramFiles,
  csidlMyPictures, csidlProfile, csidlSystemX86, csidlProgramFilesX86, csidlProgramFilesCommon,
  csidlProgramFilesCommonX86, csidlCommonTemplates, csidlCommonDocuments, csidlCommonAdminTools, csidlAdminTools,
  csidlConnections, csidlNone
};

enum TPTFriendlyNameFlags { ptfnNormal, ptfnInFolder, ptfnForParsing, ptfnForEditing };
// The platform's display-name flags of a kind of name.
DWORD PTFriendlyNameFlagsValue(TPTFriendlyNameFlags Kind);
enum TPTShellIconSize { ptsizSmall, ptsizLarge };

struct TPTModuleVersion {
  DWORD MS = 0;  // major (high half), minor (low half)
  DWORD LS = 0;  // build, revision
};
// The common-controls version read at start-up.
const TPTModuleVersion& PTComCtlVersion();

enum TLinkDataOption { ldoUseDesc, ldoUseArgs, ldoUseIcon, ldoUseWorkDir, ldoUseHotKey, ldoUseShowCmd };
using TLinkDataOptions = TSet<TLinkDataOption, ldoUseShowCmd>;
// The contents of a shortcut. The caller owns TargetIdList.
struct TLinkData {
  std::string Target;
  TLinkDataOptions Use;
  std::string Description;
  std::string Arguments;
  std::string IconFile;
  int IconNumber = 0;
  std::string StartFolder;
  int ShowCommand = 1;
  WORD HotKeyCode = 0;
  bool Silent = false;
  LPITEMIDLIST TargetIdList = nullptr;
  WIN32_FIND_DATA TargetFindData{};
};

// ---- Version tests ----------------------------------------------------------------------------------------------------
bool IsWin95();
bool IsOSR2OrGreater();
bool IsWinNT();
bool IsWin2000();
bool HasWin95Shell();
bool GetModuleVersion(const std::string& FileName, TPTModuleVersion& Version);

// ---- Allocation ---------------------------------------------------------------------------------------------------------
void* ShellMemAlloc(std::size_t Size);
void* ShellMemRealloc(void* List, std::size_t Size);
void ShellMemFree(void* List);
IMalloc_NRC* ShellIMalloc();

// ---- Id lists -----------------------------------------------------------------------------------------------------------
UINT IdListLen(LPCITEMIDLIST List);
LPITEMIDLIST CopyIdList(IMalloc_NRC* Allocator, LPCITEMIDLIST List);
LPITEMIDLIST ConcatIdLists(IMalloc_NRC* Allocator, LPCITEMIDLIST First, LPCITEMIDLIST Second);
// 0: both null or both empty; -1: exactly one null or exactly one empty; else the desktop's order (signed 16
// bits); 2147483647 when the desktop cannot compare them.
int CompareAbsIdLists(LPCITEMIDLIST A, LPCITEMIDLIST B);
inline constexpr int PTCompareFailed = 2147483647;

// One absolute id list seen as its chain of items. The results of GetItem and GoUp live until the next such
// call or the array's end: copy what you keep.
class TPTIdListArray {
public:
  explicit TPTIdListArray(LPCITEMIDLIST List) : FList(List) {}
  ~TPTIdListArray() { ShellMemFree(FScratch); }
  TPTIdListArray(const TPTIdListArray&) = delete;
  TPTIdListArray& operator=(const TPTIdListArray&) = delete;
  int GetCount() const;
  LPITEMIDLIST GetItem(int Index);
  LPITEMIDLIST GoUp(int Levels);

private:
  LPCITEMIDLIST FList;
  LPITEMIDLIST FScratch = nullptr;
};

// ---- Folders and names -----------------------------------------------------------------------------------------------
HRESULT ShellGetDesktopFolder(IShellFolder_NRC*& Folder);
HRESULT ShellGetFolderFromIdList(LPCITEMIDLIST List, IShellFolder_NRC*& Folder);
HRESULT ShellGetIdListFromPath(const std::string& Path, LPITEMIDLIST& List);
void ShellGetPathFromIdList(LPCITEMIDLIST List, std::string& Path);
void ShellGetDisplayPathName(const std::string& Path, std::string& Path2);
HRESULT ShellGetSpecialFolderIdList(HWND Owner, TCSIDL Csidl, LPITEMIDLIST& List);
void ShellGetSpecialFolderPath(HWND Owner, TCSIDL Csidl, std::string& Path);
TCSIDL ShellFindCSIDLFromIdList(LPCITEMIDLIST List);
bool ShellCSIDLEqualsIdList(LPCITEMIDLIST List, TCSIDL Csidl);
void ShellGetFriendlyNameFromIdList(IShellFolder_NRC* Folder, LPCITEMIDLIST List, TPTFriendlyNameFlags Kind,
                                    std::string& Name);
void ShellGetFriendlyNameForLastIdListElement(LPCITEMIDLIST List, std::string& Name);
void StrretToString(LPCITEMIDLIST List, const STRRET& Strret, std::string& S);
void StrretFree(STRRET& Strret);

// ---- Icons -----------------------------------------------------------------------------------------------------------
int ShellGetIconIndex(LPCITEMIDLIST List, UINT Flags);
int ShellGetIconIndexFromPath(const std::string& Path, UINT Flags);
int ShellGetIconIndexFromExt(const std::string& Name, UINT Flags);
int ShellGetSpecialFolderIconIndex(TCSIDL Csidl, UINT Flags);
HIMAGELIST ShellGetSystemImageList(TPTShellIconSize Size);
// A class-library image list sharing the system list of the given size (not owning it); created once.
TCustomImageList* PTSystemImageList(TPTShellIconSize Size);

// ---- Shortcuts and file types ------------------------------------------------------------------------------------------
// Shortcuts are desktop entries: Target is Exec/URL... (see the source for the keys); a symbolic link resolves
// like a shortcut to its target.
HRESULT CreateShortcut(const std::string& LinkFile, const TLinkData& Data);
HRESULT CreateQuickShortcut(const std::string& LinkFile, const std::string& Target);
HRESULT ResolveShortcut(const std::string& LinkFile, TLinkData& Data, bool WantIdList);
bool PTClsidFromFileType(const std::string& Key, GUID& ClassId);

// ---- Drive information -----------------------------------------------------------------------------------------------
void FlushDriveInfoCache();
void LockFlushDriveInfoCache();
void UnlockFlushDriveInfoCache();

// ---- Strings ---------------------------------------------------------------------------------------------------------
// Inserts numbered from %1; Count is the index of the last argument. 50 or more raises.
std::string FormatStrPos(const std::string& Fmt, const std::vector<std::string>& Args, int Count);
std::string EnsureTrailingCharDB(const std::string& S, char Ch);
std::string TrimRightDB(const std::string& S);
void CopyCharDB(int& Pos, const std::string& S, std::string& Dest);
void ParametizeCmdLineDB(const std::string& CommandLine, TStrings* List);
// The system's message text for an error code.
std::string PTSysErrorMessage(DWORD Code);

// ---- TPTPidlList -----------------------------------------------------------------------------------------------------
// An ordered list of {id list, object}; sorted lists keep their order on Add. With a freeing allocator the list
// owns its id lists.
class TPTPidlList : public TObject {
  Z_CLASS(TPTPidlList, TObject)
public:
  TPTPidlList() = default;
  ~TPTPidlList() override;
  TPTPidlList(const TPTPidlList&) = delete;
  TPTPidlList& operator=(const TPTPidlList&) = delete;

  virtual int Add(LPITEMIDLIST List);
  virtual int AddObject(LPITEMIDLIST List, TObject* Object);
  void Insert(int Index, LPITEMIDLIST List) { InsertObject(Index, List, nullptr); }
  void InsertObject(int Index, LPITEMIDLIST List, TObject* Object);
  void Delete(int Index);
  void Clear();
  int IndexOf(LPCITEMIDLIST List);
  void Sort();
  int GetCount() const { return static_cast<int>(FEntries.size()); }
  int GetCapacity() const { return static_cast<int>(FEntries.capacity()); }
  void SetCapacity(int Value) { FEntries.reserve(static_cast<std::size_t>(Value)); }
  LPITEMIDLIST GetPIDL(int Index) const { return FEntries.at(static_cast<std::size_t>(Index)).List; }
  void SetPIDL(int Index, LPITEMIDLIST List) { FEntries.at(static_cast<std::size_t>(Index)).List = List; }
  TObject* GetObject(int Index) const { return FEntries.at(static_cast<std::size_t>(Index)).Object; }
  void SetObject(int Index, TObject* Object) { FEntries.at(static_cast<std::size_t>(Index)).Object = Object; }
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);

  IShellFolder_NRC* CompareFolder = nullptr;  // not held; null compares bytes
  IMalloc_NRC* FreeAllocator = nullptr;       // not held; null: the list does not own its id lists
  int DuplicatesPolicy = 2;                   // 0 ignore, 1 accept, 2 error

private:
  struct TEntry {
    LPITEMIDLIST List = nullptr;
    TObject* Object = nullptr;
  };
  int CompareEntry(LPCITEMIDLIST Entry, LPCITEMIDLIST Key) const;
  bool Find(LPCITEMIDLIST Key, int& Index) const;
  std::vector<TEntry> FEntries;
  bool FSorted = false;
};

// ---- The device-change relay ---------------------------------------------------------------------------------------
class TPTDeviceChangeHandler;
using TPTDeviceChangeEvent = std::function<void(TPTDeviceChangeHandler* ASender, TMessage& AMessage)>;

// The process's one relay of WM_DEVICECHANGE broadcasts: a hidden window that posts each broadcast to itself and
// then calls the registered handlers in order, after the broadcast returned.
class TPTDeviceChangeHandler : public TObject {
  Z_CLASS(TPTDeviceChangeHandler, TObject)
public:
  TPTDeviceChangeHandler();
  ~TPTDeviceChangeHandler() override;
  // Handlers are told apart by Owner (the object whose method it is) and Id (which of its handlers).
  void Add(void* Owner, int Id, TPTDeviceChangeEvent Handler);
  void Remove(void* Owner, int Id);
  bool Enabled = true;
  HWND Handle() const { return FWnd; }

private:
  void WndProc(TMessage& Message);
  struct TEntry {
    void* Owner;
    int Id;
    TPTDeviceChangeEvent Handler;
  };
  HWND FWnd = 0;
  std::vector<TEntry> FHandlers;
};
TPTDeviceChangeHandler* PTDeviceChangeHandler();
// Destroys the relay (at the end of the process; tests).
void PTFreeDeviceChangeHandler();

inline constexpr UINT AM_DEVICECHANGE = 0x464;
