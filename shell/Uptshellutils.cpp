// Shell utilities: id lists, folders, names, icons, special folders, shortcuts, strings, TPTPidlList and the
// device-change relay.
#include "shell/Uptshellutils.h"

#include "platform/classes/StringList.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Messages.h"
#include "platform/win/Modules.h"
#include "platform/win/UtilWindow.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

int FlushLock = 0;
std::unique_ptr<TPTDeviceChangeHandler> Relay;

TPTModuleVersion ReadComCtlVersion() {
  TPTModuleVersion V;
  if (!GetModuleVersion("comctl32.dll", V)) {
    V = TPTModuleVersion();
  }
  return V;
}

std::string HexDecode(std::string_view S) {
  std::string Out;
  for (std::size_t I = 0; I < S.size(); ++I) {
    auto Hex = [](char C) { return C >= '0' && C <= '9' ? C - '0' : C >= 'a' && C <= 'f' ? C - 'a' + 10 : C >= 'A' && C <= 'F' ? C - 'A' + 10 : -1; };
    if (S[I] == '%' && I + 2 < S.size() + 0 && Hex(S[I + 1]) >= 0 && I + 2 < S.size() && Hex(S[I + 2]) >= 0) {
      Out += static_cast<char>(Hex(S[I + 1]) * 16 + Hex(S[I + 2]));
      I += 2;
    } else {
      Out += S[I];
    }
  }
  return Out;
}

std::string FileUrl(const std::string& Path) {
  static const char* Hex = "0123456789ABCDEF";
  std::string Out = "file://";
  for (unsigned char C : Path) {
    if (std::isalnum(C) || C == '/' || C == '-' || C == '_' || C == '.' || C == '~') {
      Out += static_cast<char>(C);
    } else {
      Out += '%';
      Out += Hex[C >> 4];
      Out += Hex[C & 15];
    }
  }
  return Out;
}

// Splits an Exec value into its program and the rest, undoing the quoting of the program.
void SplitExec(const std::string& Exec, std::string& Program, std::string& Rest) {
  Program.clear();
  std::size_t I = 0;
  if (!Exec.empty() && Exec[0] == '"') {
    for (I = 1; I < Exec.size() && Exec[I] != '"'; ++I) {
      if (Exec[I] == '\\' && I + 1 < Exec.size()) {
        ++I;
      }
      Program += Exec[I];
    }
    ++I;
  } else {
    I = std::min(Exec.find(' '), Exec.size());
    Program = Exec.substr(0, I);
  }
  while (I < Exec.size() && Exec[I] == ' ') {
    ++I;
  }
  Rest = I < Exec.size() ? Exec.substr(I) : std::string();
}

int ToInt(const std::string& S, int Default) {
  try {
    std::size_t Used = 0;
    const int V = std::stoi(S, &Used);
    return Used == S.size() ? V : Default;
  } catch (...) {
    return Default;
  }
}

}  // namespace

DWORD PTFriendlyNameFlagsValue(TPTFriendlyNameFlags Kind) {
  switch (Kind) {
    case ptfnInFolder: return SHGDN_INFOLDER;
    case ptfnForParsing: return SHGDN_FORPARSING;
    case ptfnForEditing: return SHGDN_FOREDITING | SHGDN_INFOLDER;
    default: return SHGDN_NORMAL;
  }
}

const TPTModuleVersion& PTComCtlVersion() {
  static const TPTModuleVersion V = ReadComCtlVersion();
  return V;
}

// ---- Version tests ----------------------------------------------------------------------------------------------------

namespace {
OSVERSIONINFOA& OsRecord() {
  static OSVERSIONINFOA V = [] {
    OSVERSIONINFOA R{};
    R.dwOSVersionInfoSize = sizeof R;
    GetVersionEx(&R);
    return R;
  }();
  return V;
}
}  // namespace

bool IsWin95() { return OsRecord().dwPlatformId == 1; }
bool IsOSR2OrGreater() { return IsWin95() && (OsRecord().dwBuildNumber & 0xFFFF) > 1000; }
bool IsWinNT() { return OsRecord().dwPlatformId == 2; }
bool IsWin2000() { return IsWinNT() && OsRecord().dwMajorVersion > 4; }
bool HasWin95Shell() { return IsWin95() || (IsWinNT() && OsRecord().dwMajorVersion > 3); }

bool GetModuleVersion(const std::string& FileName, TPTModuleVersion& Version) {
  DWORD Handle = 0;
  const DWORD Size = GetFileVersionInfoSize(FileName.c_str(), &Handle);
  if (Size == 0) {
    return false;
  }
  std::vector<char> Buffer(Size);
  if (!GetFileVersionInfo(FileName.c_str(), Handle, Size, Buffer.data())) {
    return false;
  }
  void* Fixed = nullptr;
  UINT Len = 0;
  if (!VerQueryValue(Buffer.data(), "\\", &Fixed, &Len) || Len < sizeof(VS_FIXEDFILEINFO)) {
    return false;
  }
  const auto* Info = static_cast<const VS_FIXEDFILEINFO*>(Fixed);
  Version.MS = Info->dwFileVersionMS;
  Version.LS = Info->dwFileVersionLS;
  return true;
}

// ---- Allocation ---------------------------------------------------------------------------------------------------------

IMalloc_NRC* ShellIMalloc() {
  IMalloc* M = nullptr;
  SHGetMalloc(&M);
  return M;
}
void* ShellMemAlloc(std::size_t Size) { return ShellIMalloc()->Alloc(Size); }
void* ShellMemRealloc(void* List, std::size_t Size) { return List ? ShellIMalloc()->Realloc(List, Size) : nullptr; }
void ShellMemFree(void* List) {
  if (List) {
    ShellIMalloc()->Free(List);
  }
}

// ---- Id lists -----------------------------------------------------------------------------------------------------------

UINT IdListLen(LPCITEMIDLIST List) { return List ? ILGetSize(List) : 0; }

LPITEMIDLIST CopyIdList(IMalloc_NRC* Allocator, LPCITEMIDLIST List) {
  const UINT Size = List ? IdListLen(List) : 2;
  auto* Copy = static_cast<BYTE*>((Allocator ? Allocator : ShellIMalloc())->Alloc(Size));
  if (!Copy) {
    return nullptr;
  }
  if (List) {
    std::memcpy(Copy, List, Size);
  } else {
    Copy[0] = Copy[1] = 0;
  }
  return reinterpret_cast<LPITEMIDLIST>(Copy);
}

LPITEMIDLIST ConcatIdLists(IMalloc_NRC* Allocator, LPCITEMIDLIST First, LPCITEMIDLIST Second) {
  const UINT A = First ? IdListLen(First) - 2 : 0;
  const UINT B = Second ? IdListLen(Second) - 2 : 0;
  auto* Out = static_cast<BYTE*>((Allocator ? Allocator : ShellIMalloc())->Alloc(A + B + 2));
  if (!Out) {
    return nullptr;
  }
  if (A) {
    std::memcpy(Out, First, A);
  }
  if (B) {
    std::memcpy(Out + A, Second, B);
  }
  Out[A + B] = Out[A + B + 1] = 0;
  return reinterpret_cast<LPITEMIDLIST>(Out);
}

int CompareAbsIdLists(LPCITEMIDLIST A, LPCITEMIDLIST B) {
  if (!A && !B) {
    return 0;
  }
  if (!A || !B) {
    return -1;
  }
  const bool EmptyA = IdListLen(A) <= 2, EmptyB = IdListLen(B) <= 2;
  if (EmptyA && EmptyB) {
    return 0;
  }
  if (EmptyA || EmptyB) {
    return -1;
  }
  IShellFolder_NRC* Desktop = nullptr;
  if (FAILED(ShellGetDesktopFolder(Desktop))) {
    return PTCompareFailed;
  }
  const HRESULT Hr = Desktop->CompareIDs(0, A, B);
  Desktop->Release();
  return FAILED(Hr) ? PTCompareFailed : static_cast<short>(Hr & 0xFFFF);
}

int TPTIdListArray::GetCount() const {
  if (!FList) {
    return 0;
  }
  int N = 0;
  const auto* At = reinterpret_cast<const BYTE*>(FList);
  for (USHORT Cb = 0; std::memcpy(&Cb, At, 2), Cb != 0; At += Cb) {
    ++N;
  }
  return N;
}

LPITEMIDLIST TPTIdListArray::GetItem(int Index) {
  const int Count = GetCount();
  if (!FList || Index < 0 || (Index >= Count && Count != 0) || (Count == 0 && Index != 0)) {
    return nullptr;
  }
  ShellMemFree(FScratch);
  FScratch = nullptr;
  const auto* At = reinterpret_cast<const BYTE*>(FList);
  for (int I = 0; I < Index; ++I) {
    USHORT Cb = 0;
    std::memcpy(&Cb, At, 2);
    At += Cb;
  }
  USHORT Cb = 0;
  std::memcpy(&Cb, At, 2);
  auto* Out = static_cast<BYTE*>(ShellMemAlloc(Cb + 2u));
  if (Out) {
    std::memcpy(Out, At, Cb);
    Out[Cb] = Out[Cb + 1] = 0;
  }
  FScratch = reinterpret_cast<LPITEMIDLIST>(Out);
  return FScratch;
}

LPITEMIDLIST TPTIdListArray::GoUp(int Levels) {
  const int Count = GetCount();
  if (!FList || Levels < 0 || Levels > Count) {
    return nullptr;
  }
  ShellMemFree(FScratch);
  FScratch = nullptr;
  const auto* Start = reinterpret_cast<const BYTE*>(FList);
  const BYTE* At = Start;
  for (int I = 0; I < Count - Levels; ++I) {
    USHORT Cb = 0;
    std::memcpy(&Cb, At, 2);
    At += Cb;
  }
  const auto Size = static_cast<std::size_t>(At - Start);
  auto* Out = static_cast<BYTE*>(ShellMemAlloc(Size + 2));
  if (Out) {
    std::memcpy(Out, Start, Size);
    Out[Size] = Out[Size + 1] = 0;
  }
  FScratch = reinterpret_cast<LPITEMIDLIST>(Out);
  return FScratch;
}

// ---- Folders and names -----------------------------------------------------------------------------------------------

HRESULT ShellGetDesktopFolder(IShellFolder_NRC*& Folder) {
  Folder = nullptr;
  return SHGetDesktopFolder(&Folder);
}

HRESULT ShellGetFolderFromIdList(LPCITEMIDLIST List, IShellFolder_NRC*& Folder) {
  Folder = nullptr;
  IShellFolder_NRC* Desktop = nullptr;
  HRESULT Hr = ShellGetDesktopFolder(Desktop);
  if (FAILED(Hr)) {
    return Hr;
  }
  if (!List || IdListLen(List) <= 2) {
    Folder = Desktop;
    return S_OK;
  }
  void* Out = nullptr;
  Hr = Desktop->BindToObject(List, nullptr, IID_IShellFolder, &Out);
  Desktop->Release();
  Folder = static_cast<IShellFolder_NRC*>(Out);
  return Hr;
}

HRESULT ShellGetIdListFromPath(const std::string& Path, LPITEMIDLIST& List) {
  List = nullptr;
  IShellFolder_NRC* Desktop = nullptr;
  HRESULT Hr = ShellGetDesktopFolder(Desktop);
  if (FAILED(Hr)) {
    return Hr;
  }
  // The path travels as its bytes (file names need not be text of any code page).
  const std::string Limited = Path.substr(0, std::min<std::size_t>(Path.size(), 4096));
  LPITEMIDLIST Out = nullptr;
  Hr = SHParseDisplayName(Limited, &Out);
  Desktop->Release();
  List = Out;
  return Hr;
}

void ShellGetPathFromIdList(LPCITEMIDLIST List, std::string& Path) {
  static const BYTE Empty[2] = {0, 0};
  Path = PathFromIdList(List ? List : reinterpret_cast<LPCITEMIDLIST>(Empty));
}

void ShellGetDisplayPathName(const std::string& Path, std::string& Path2) {
  Path2.clear();
  LPITEMIDLIST List = nullptr;
  if (SUCCEEDED(ShellGetIdListFromPath(Path, List))) {
    ShellGetPathFromIdList(List, Path2);
  }
  ShellMemFree(List);
}

HRESULT ShellGetSpecialFolderIdList(HWND Owner, TCSIDL Csidl, LPITEMIDLIST& List) {
  List = nullptr;
  return SHGetSpecialFolderLocation(Owner, static_cast<int>(Csidl) & ~0x80, &List);
}

void ShellGetSpecialFolderPath(HWND Owner, TCSIDL Csidl, std::string& Path) {
  Path.clear();
  LPITEMIDLIST List = nullptr;
  if (SUCCEEDED(ShellGetSpecialFolderIdList(Owner, Csidl, List))) {
    ShellGetPathFromIdList(List, Path);
  }
  ShellMemFree(List);
}

TCSIDL ShellFindCSIDLFromIdList(LPCITEMIDLIST List) {
  for (int C = 0; C < csidlNone; ++C) {
    LPITEMIDLIST Special = nullptr;
    if (SUCCEEDED(ShellGetSpecialFolderIdList(0, static_cast<TCSIDL>(C), Special))) {
      const bool Same = CompareAbsIdLists(Special, List) == 0;
      ShellMemFree(Special);
      if (Same) {
        return static_cast<TCSIDL>(C);
      }
    }
  }
  return csidlNone;
}

bool ShellCSIDLEqualsIdList(LPCITEMIDLIST List, TCSIDL Csidl) {
  LPITEMIDLIST Special = nullptr;
  if (FAILED(ShellGetSpecialFolderIdList(0, Csidl, Special))) {
    throw Exception("Cannot locate special folder " + std::to_string(static_cast<int>(Csidl)));
  }
  const bool Same = CompareAbsIdLists(Special, List) == 0;
  ShellMemFree(Special);
  return Same;
}

void StrretToString(LPCITEMIDLIST List, const STRRET& Strret, std::string& S) {
  S.clear();
  switch (Strret.uType) {
    case STRRET_WSTR: {
      // The namespace hands names out as UTF-16 of code page 1252 text.
      for (const char16_t* P = Strret.pOleStr; P && *P; ++P) {
        const int B = UnicodeToCp1252(*P);
        S += static_cast<char>(B < 0 ? '?' : B);
      }
      break;
    }
    case STRRET_OFFSET:
      if (List) {
        S = reinterpret_cast<const char*>(List) + Strret.uOffset;
      }
      break;
    case STRRET_CSTR: S.assign(Strret.cStr, strnlen(Strret.cStr, sizeof Strret.cStr)); break;
    default: break;
  }
}

void StrretFree(STRRET& Strret) {
  if (Strret.uType == STRRET_WSTR) {
    CoTaskMemFree(Strret.pOleStr);
    Strret.pOleStr = nullptr;
  }
}

void ShellGetFriendlyNameFromIdList(IShellFolder_NRC* Folder, LPCITEMIDLIST List, TPTFriendlyNameFlags Kind,
                                    std::string& Name) {
  Name.clear();
  IShellFolder_NRC* Desktop = nullptr;
  if (!Folder) {
    if (FAILED(ShellGetDesktopFolder(Desktop))) {
      return;
    }
    Folder = Desktop;
  }
  STRRET R;
  R.uType = STRRET_CSTR;
  static const BYTE Empty[2] = {0, 0};
  const LPCITEMIDLIST Asked = List ? List : reinterpret_cast<LPCITEMIDLIST>(Empty);
  if (SUCCEEDED(Folder->GetDisplayNameOf(Asked, PTFriendlyNameFlagsValue(Kind), &R))) {
    StrretToString(Asked, R, Name);
    StrretFree(R);
  }
  if (Desktop) {
    Desktop->Release();
  }
}

void ShellGetFriendlyNameForLastIdListElement(LPCITEMIDLIST List, std::string& Name) {
  Name.clear();
  TPTIdListArray Chain(List);
  if (Chain.GetCount() > 1) {
    LPITEMIDLIST Parent = CopyIdList(nullptr, Chain.GoUp(1));
    LPITEMIDLIST Last = CopyIdList(nullptr, Chain.GetItem(Chain.GetCount() - 1));
    IShellFolder_NRC* Folder = nullptr;
    if (SUCCEEDED(ShellGetFolderFromIdList(Parent, Folder)) && Folder) {
      ShellGetFriendlyNameFromIdList(Folder, Last, ptfnInFolder, Name);
      Folder->Release();
    }
    ShellMemFree(Parent);
    ShellMemFree(Last);
    return;
  }
  ShellGetFriendlyNameFromIdList(nullptr, List, ptfnInFolder, Name);
}

// ---- Icons -----------------------------------------------------------------------------------------------------------

int ShellGetIconIndex(LPCITEMIDLIST List, UINT Flags) {
  static const BYTE Empty[2] = {0, 0};
  SHFILEINFO Info;
  const LPCITEMIDLIST Asked = List ? List : reinterpret_cast<LPCITEMIDLIST>(Empty);
  if (!SHGetFileInfo(reinterpret_cast<const char*>(Asked), 0, &Info, sizeof Info,
                     SHGFI_SYSICONINDEX | SHGFI_PIDL | Flags)) {
    return 0;
  }
  return Info.iIcon;
}

int ShellGetIconIndexFromPath(const std::string& Path, UINT Flags) {
  SHFILEINFO Info;
  return SHGetFileInfo(Path.c_str(), 0, &Info, sizeof Info, SHGFI_SYSICONINDEX | Flags) ? Info.iIcon : 0;
}

int ShellGetIconIndexFromExt(const std::string& Name, UINT Flags) {
  SHFILEINFO Info;
  return SHGetFileInfo(Name.c_str(), FILE_ATTRIBUTE_NORMAL, &Info, sizeof Info,
                       SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | Flags)
             ? Info.iIcon
             : 0;
}

int ShellGetSpecialFolderIconIndex(TCSIDL Csidl, UINT Flags) {
  LPITEMIDLIST List = nullptr;
  if (FAILED(ShellGetSpecialFolderIdList(0, Csidl, List))) {
    throw Exception("Cannot locate special folder " + std::to_string(static_cast<int>(Csidl)));
  }
  const int I = ShellGetIconIndex(List, Flags);
  ShellMemFree(List);
  return I;
}

HIMAGELIST ShellGetSystemImageList(TPTShellIconSize Size) {
  // The namespace's image lists carry the shared-folder and shortcut marks as overlays 1 and 2 from the start.
  SHFILEINFO Info;
  return static_cast<HIMAGELIST>(
      SHGetFileInfo("/", 0, &Info, sizeof Info, SHGFI_SYSICONINDEX | (Size == ptsizSmall ? SHGFI_SMALLICON : 0)));
}

TCustomImageList* PTSystemImageList(TPTShellIconSize Size) {
  static TCustomImageList* Lists[2] = {nullptr, nullptr};
  TCustomImageList*& L = Lists[Size == ptsizSmall ? 0 : 1];
  if (!L) {
    L = new TCustomImageList(nullptr);
    L->ShareImages = true;
    L->SetHandle(ShellGetSystemImageList(Size));
  }
  return L;
}

// ---- Shortcuts and file types ------------------------------------------------------------------------------------------
// A shortcut is a desktop entry: Type=Link with URL=file://<target> (Type=Application entries are read with
// Exec's program as the target and the rest as the arguments); Comment = Description, Icon = IconFile, Path =
// StartFolder, and X-Arguments, X-IconNumber, X-ShowCommand, X-HotKey for the fields desktop entries have no key
// for, so that a shortcut round-trips.

HRESULT CreateShortcut(const std::string& LinkFile, const TLinkData& Data) {
  TDesktopEntry E;
  E.Set("Type", "Link");
  std::string Name = Data.Target.substr(Data.Target.rfind('/') + 1);
  E.Set("Name", Name.empty() ? Data.Target : Name);
  E.Set("URL", Data.Target.empty() || Data.Target[0] != '/' ? Data.Target : FileUrl(Data.Target));
  if (Data.Use.Contains(ldoUseDesc)) {
    E.Set("Comment", Data.Description);
  }
  if (Data.Use.Contains(ldoUseArgs)) {
    E.Set("X-Arguments", Data.Arguments);
  }
  if (Data.Use.Contains(ldoUseIcon)) {
    E.Set("Icon", Data.IconFile);
    E.Set("X-IconNumber", std::to_string(Data.IconNumber));
  }
  if (Data.Use.Contains(ldoUseWorkDir)) {
    E.Set("Path", Data.StartFolder);
  }
  if (Data.Use.Contains(ldoUseHotKey)) {
    E.Set("X-HotKey", std::to_string(Data.HotKeyCode));
  }
  if (Data.Use.Contains(ldoUseShowCmd)) {
    E.Set("X-ShowCommand", std::to_string(Data.ShowCommand));
  }
  const std::string Text = FormatDesktopEntry(E);
  const std::string Temp = LinkFile + ".tmp";
  {
    std::ofstream Out(Temp, std::ios::binary | std::ios::trunc);
    Out << Text;
    if (!Out.flush()) {
      std::remove(Temp.c_str());
      return HRESULT_FROM_WIN32(static_cast<LONG>(ErrorFromErrno(errno ? errno : EACCES, LinkFile)));
    }
  }
  if (std::rename(Temp.c_str(), LinkFile.c_str()) != 0) {
    const int E2 = errno;
    std::remove(Temp.c_str());
    return HRESULT_FROM_WIN32(static_cast<LONG>(ErrorFromErrno(E2, LinkFile)));
  }
  return S_OK;
}

HRESULT CreateQuickShortcut(const std::string& LinkFile, const std::string& Target) {
  TLinkData D;
  D.Target = Target;
  D.Description = Target;
  D.StartFolder = Target.substr(0, Target.rfind('/') + 1);
  D.Use = TLinkDataOptions{ldoUseDesc, ldoUseWorkDir};
  return CreateShortcut(LinkFile, D);
}

HRESULT ResolveShortcut(const std::string& LinkFile, TLinkData& Data, bool WantIdList) {
  Data.TargetIdList = nullptr;
  struct stat St {};
  if (lstat(LinkFile.c_str(), &St) != 0) {
    return HRESULT_FROM_WIN32(static_cast<LONG>(ErrorFromErrno(errno, LinkFile)));
  }
  if (S_ISLNK(St.st_mode)) {
    char Buf[4096];
    const ssize_t N = readlink(LinkFile.c_str(), Buf, sizeof Buf - 1);
    if (N < 0) {
      return HRESULT_FROM_WIN32(static_cast<LONG>(ErrorFromErrno(errno, LinkFile)));
    }
    std::string Target(Buf, static_cast<std::size_t>(N));
    if (Target.empty() || Target[0] != '/') {
      Target = LinkFile.substr(0, LinkFile.rfind('/') + 1) + Target;
    }
    Data.Target = Target;
    Data.Arguments.clear();
    Data.Description.clear();
    Data.IconFile.clear();
    Data.IconNumber = 0;
    Data.StartFolder = Target.substr(0, Target.rfind('/') + 1);
    Data.ShowCommand = 1;
    Data.HotKeyCode = 0;
  } else {
    std::ifstream In(LinkFile, std::ios::binary);
    std::ostringstream S;
    S << In.rdbuf();
    TDesktopEntry E;
    if (!In.good() && !In.eof()) {
      return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
    }
    if (!ParseDesktopEntry(S.str(), E)) {
      return E_FAIL;
    }
    std::string Url = E.Get("URL"), Rest;
    if (Url.rfind("file://", 0) == 0) {
      Url = HexDecode(Url.substr(7));
    }
    if (Url.empty() && !E.Get("Exec").empty()) {
      SplitExec(E.Get("Exec"), Url, Rest);
    }
    Data.Target = Url.substr(0, 259);
    Data.Arguments = (E.Get("X-Arguments").empty() ? Rest : E.Get("X-Arguments")).substr(0, 259);
    Data.Description = E.Get("Comment").substr(0, 259);
    Data.IconFile = E.Get("Icon").substr(0, 259);
    Data.IconNumber = ToInt(E.Get("X-IconNumber"), 0);
    Data.StartFolder = E.Get("Path").substr(0, 259);
    Data.ShowCommand = ToInt(E.Get("X-ShowCommand"), 1);
    Data.HotKeyCode = static_cast<WORD>(ToInt(E.Get("X-HotKey"), 0));
  }
  Data.Use = TLinkDataOptions{ldoUseDesc, ldoUseArgs, ldoUseIcon, ldoUseWorkDir, ldoUseHotKey, ldoUseShowCmd};
  Data.TargetFindData = WIN32_FIND_DATA();
  const HANDLE Find = FindFirstFile(Data.Target.c_str(), &Data.TargetFindData);
  if (Find != INVALID_HANDLE_VALUE) {
    FindClose(Find);
  }
  if (WantIdList) {
    LPITEMIDLIST List = nullptr;
    const HRESULT Hr = ShellGetIdListFromPath(Data.Target, List);
    if (FAILED(Hr)) {
      return Hr;
    }
    Data.TargetIdList = List;
  }
  return S_OK;
}

bool PTClsidFromFileType(const std::string&, GUID&) {
  // The desktop keeps no class ids for file types.
  return false;
}

// ---- Drive information -----------------------------------------------------------------------------------------------

void FlushDriveInfoCache() {
  if (FlushLock > 0) {
    return;
  }
  IShellFolder_NRC* Drives = nullptr;
  LPITEMIDLIST List = nullptr;
  HRESULT Hr = ShellGetSpecialFolderIdList(0, csidlDrives, List);
  if (SUCCEEDED(Hr)) {
    Hr = ShellGetFolderFromIdList(List, Drives);
  }
  ShellMemFree(List);
  if (FAILED(Hr) || !Drives) {
    throw Exception(PTSysErrorMessage(static_cast<DWORD>(Hr)));
  }
  ULONG Attr = SFGAO_VALIDATE;
  Hr = Drives->GetAttributesOf(0, nullptr, &Attr);
  Drives->Release();
  if (FAILED(Hr)) {
    throw Exception(PTSysErrorMessage(static_cast<DWORD>(Hr)));
  }
}
void LockFlushDriveInfoCache() { ++FlushLock; }
void UnlockFlushDriveInfoCache() { --FlushLock; }

// ---- Strings ---------------------------------------------------------------------------------------------------------

std::string FormatStrPos(const std::string& Fmt, const std::vector<std::string>& Args, int Count) {
  if (Fmt.empty()) {
    return {};
  }
  if (Count >= 50) {
    throw Exception("FormatStrPos: Too many substitution strings");
  }
  std::string Out;
  for (std::size_t I = 0; I < Fmt.size(); ++I) {
    if (Fmt[I] != '%' || I + 1 >= Fmt.size()) {
      Out += Fmt[I];
      continue;
    }
    const char C = Fmt[I + 1];
    if (C >= '1' && C <= '9') {
      int N = C - '0';
      std::size_t J = I + 2;
      if (J < Fmt.size() && Fmt[J] >= '0' && Fmt[J] <= '9') {
        N = N * 10 + (Fmt[J] - '0');
        ++J;
      }
      if (N - 1 > Count || N - 1 >= static_cast<int>(Args.size())) {
        return {};  // an insert without an argument: the formatter fails
      }
      Out += Args[static_cast<std::size_t>(N - 1)];
      I = J - 1;
    } else if (C == '%') {
      Out += '%';
      ++I;
    } else if (C == 'n') {
      Out += "\r\n";
      ++I;
    } else {
      Out += C;
      ++I;
    }
  }
  return Out;
}

std::string EnsureTrailingCharDB(const std::string& S, char Ch) {
  if (S.empty() || S.back() == Ch) {
    return S;
  }
  return S + Ch;
}

std::string TrimRightDB(const std::string& S) {
  std::size_t End = S.size();
  while (End > 0 && static_cast<unsigned char>(S[End - 1]) <= 32) {
    --End;
  }
  return S.substr(0, End);
}

void CopyCharDB(int& Pos, const std::string& S, std::string& Dest) {
  // Code page 1252 has no lead bytes: every character is one byte.
  if (Pos >= 1 && Pos <= static_cast<int>(S.size())) {
    Dest += S[static_cast<std::size_t>(Pos - 1)];
  }
  ++Pos;
}

void ParametizeCmdLineDB(const std::string& CommandLine, TStrings* List) {
  enum { Between, Plain, Quoted } State = Between;
  std::string Arg;
  auto Flush = [&] {
    const std::string T = TrimRightDB(Arg);
    if (!T.empty()) {
      List->Add(T);
    }
    Arg.clear();
  };
  for (int Pos = 1; Pos <= static_cast<int>(CommandLine.size());) {
    const char C = CommandLine[static_cast<std::size_t>(Pos - 1)];
    switch (State) {
      case Between:
        if (C == ' ' || C == '\t') {
          ++Pos;
        } else if (C == '"') {
          State = Quoted;
          ++Pos;
        } else {
          State = Plain;
          CopyCharDB(Pos, CommandLine, Arg);
        }
        break;
      case Plain:
        if (C == ' ' || C == '\t' || C == '"') {
          Flush();
          State = C == '"' ? Quoted : Between;
          ++Pos;
        } else {
          CopyCharDB(Pos, CommandLine, Arg);
        }
        break;
      case Quoted:
        if (C == '"') {
          Flush();
          State = Between;
          ++Pos;
        } else {
          CopyCharDB(Pos, CommandLine, Arg);
        }
        break;
    }
  }
  Flush();
}

std::string PTSysErrorMessage(DWORD Code) {
  DWORD E = Code;
  if ((Code & 0xFFFF0000u) == 0x80070000u) {
    E = Code & 0xFFFF;
  }
  switch (E) {
    case 2: return "The system cannot find the file specified.";
    case 3: return "The system cannot find the path specified.";
    case 5: return "Access is denied.";
    case 80: return "The file exists.";
    case 123: return "The filename, directory name, or volume label syntax is incorrect.";
    case 183: return "Cannot create a file when that file already exists.";
    case 267: return "The directory name is invalid.";
    case 0x80004005u: return "Unspecified error";
    case 0x80070057u: return "The parameter is incorrect.";
    default: {
      char Buf[64];
      std::snprintf(Buf, sizeof Buf, "System error.  Code: %u.", static_cast<unsigned>(Code));
      return Buf;
    }
  }
}

// ---- TPTPidlList -----------------------------------------------------------------------------------------------------

TPTPidlList::~TPTPidlList() { Clear(); }

int TPTPidlList::CompareEntry(LPCITEMIDLIST Entry, LPCITEMIDLIST Key) const {
  if (CompareFolder) {
    return static_cast<short>(CompareFolder->CompareIDs(0, Entry, Key) & 0xFFFF);
  }
  const UINT La = IdListLen(Entry), Lb = IdListLen(Key);
  const auto* A = reinterpret_cast<const unsigned char*>(Entry);
  const auto* B = reinterpret_cast<const unsigned char*>(Key);
  for (UINT I = 0; I < std::min(La, Lb); ++I) {
    if (A[I] != B[I]) {
      return static_cast<int>(A[I]) - static_cast<int>(B[I]);
    }
  }
  return static_cast<int>(La) - static_cast<int>(Lb);
}

bool TPTPidlList::Find(LPCITEMIDLIST Key, int& Index) const {
  int Low = 0, High = GetCount() - 1;
  bool Hit = false;
  while (Low <= High) {
    const int Middle = (Low + High) / 2;
    const int C = CompareEntry(FEntries[static_cast<std::size_t>(Middle)].List, Key);
    if (C < 0) {
      Low = Middle + 1;
    } else {
      High = Middle - 1;
      if (C == 0) {
        Hit = true;
        if (DuplicatesPolicy != 1) {
          Low = Middle;
        }
      }
    }
  }
  Index = Low;
  return Hit;
}

int TPTPidlList::Add(LPITEMIDLIST List) { return AddObject(List, nullptr); }

int TPTPidlList::AddObject(LPITEMIDLIST List, TObject* Object) {
  if (!FSorted) {
    FEntries.push_back(TEntry{List, Object});
    return GetCount() - 1;
  }
  int Index = 0;
  if (Find(List, Index)) {
    if (DuplicatesPolicy == 0) {
      return Index;
    }
    if (DuplicatesPolicy == 2) {
      throw Exception("TPTPidlList: Duplicate PIDL");
    }
  }
  InsertObject(Index, List, Object);
  return Index;
}

void TPTPidlList::InsertObject(int Index, LPITEMIDLIST List, TObject* Object) {
  Index = std::clamp(Index, 0, GetCount());
  FEntries.insert(FEntries.begin() + Index, TEntry{List, Object});
}

void TPTPidlList::Delete(int Index) {
  if (Index < 0 || Index >= GetCount()) {
    return;
  }
  if (FreeAllocator && FEntries[static_cast<std::size_t>(Index)].List) {
    FreeAllocator->Free(FEntries[static_cast<std::size_t>(Index)].List);
  }
  FEntries.erase(FEntries.begin() + Index);
}

void TPTPidlList::Clear() {
  if (FreeAllocator) {
    for (TEntry& E : FEntries) {
      if (E.List) {
        FreeAllocator->Free(E.List);
      }
    }
  }
  FEntries.clear();
}

int TPTPidlList::IndexOf(LPCITEMIDLIST List) {
  if (FSorted) {
    int Index = 0;
    return Find(List, Index) ? Index : -1;
  }
  for (int I = 0; I < GetCount(); ++I) {
    if (CompareEntry(FEntries[static_cast<std::size_t>(I)].List, List) == 0) {
      return I;
    }
  }
  return -1;
}

void TPTPidlList::Sort() {
  std::stable_sort(FEntries.begin(), FEntries.end(),
                   [this](const TEntry& A, const TEntry& B) { return CompareEntry(A.List, B.List) < 0; });
}

void TPTPidlList::SetSorted(bool Value) {
  if (Value && !FSorted) {
    Sort();
  }
  FSorted = Value;
}

// ---- The device-change relay ---------------------------------------------------------------------------------------

TPTDeviceChangeHandler::TPTDeviceChangeHandler() {
  FWnd = AllocateHWnd([this](TMessage& M) { WndProc(M); });
  WatchDeviceChanges();
}

TPTDeviceChangeHandler::~TPTDeviceChangeHandler() {
  if (FWnd) {
    DeallocateHWnd(FWnd);
  }
}

void TPTDeviceChangeHandler::Add(void* Owner, int Id, TPTDeviceChangeEvent Handler) {
  FHandlers.push_back(TEntry{Owner, Id, std::move(Handler)});
}

void TPTDeviceChangeHandler::Remove(void* Owner, int Id) {
  for (auto It = FHandlers.begin(); It != FHandlers.end(); ++It) {
    if (It->Owner == Owner && It->Id == Id) {
      FHandlers.erase(It);
      return;
    }
  }
}

void TPTDeviceChangeHandler::WndProc(TMessage& Message) {
  if (Message.Msg == WM_DEVICECHANGE) {
    PostMessage(FWnd, AM_DEVICECHANGE, Message.WParam, Message.LParam);
    Message.Result = DefWindowProc(FWnd, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  if (Message.Msg == AM_DEVICECHANGE) {
    if (Enabled) {
      // A handler may remove itself or another: call over a copy, skipping those removed meanwhile.
      const std::vector<TEntry> Copy = FHandlers;
      for (const TEntry& E : Copy) {
        const bool Still = std::any_of(FHandlers.begin(), FHandlers.end(),
                                       [&](const TEntry& H) { return H.Owner == E.Owner && H.Id == E.Id; });
        if (Still) {
          TMessage M = Message;
          M.Msg = WM_DEVICECHANGE;
          E.Handler(this, M);
        }
      }
    }
    return;
  }
  Message.Result = DefWindowProc(FWnd, Message.Msg, Message.WParam, Message.LParam);
}

TPTDeviceChangeHandler* PTDeviceChangeHandler() {
  if (!Relay) {
    Relay = std::make_unique<TPTDeviceChangeHandler>();
  }
  return Relay.get();
}

void PTFreeDeviceChangeHandler() { Relay.reset(); }

Z_IMPLEMENT_CLASS(TPTPidlList, TObject)
Z_IMPLEMENT_CLASS(TPTDeviceChangeHandler, TObject)
