// Shell node data and the shared shell operations.
#include "shell/Uptshelldata.h"

#include "platform/controls/Forms.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Clock.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"
#include "platform/win/WinMenu.h"
#include "shell/Uptshconsts.h"
#include "shell/Uptshelltree.h"

#include <sys/stat.h>

#include <cerrno>
#include <ctime>

// ---- TPTShTreeData -----------------------------------------------------------------------------------------------------

TPTShTreeData::~TPTShTreeData() {
  if (FThisFolder) {
    FThisFolder->Release();
  }
  if (FRootParentFolder) {
    FRootParentFolder->Release();
  }
  ShellMemFree(FRelPidl);
  ShellMemFree(FAbsPidl);
}

void TPTShTreeData::SetData(TPTShTreeData* Parent, LPCITEMIDLIST List) {
  FParent = Parent;
  ShellMemFree(FRelPidl);
  ShellMemFree(FAbsPidl);
  FRelPidl = FAbsPidl = nullptr;
  if (Parent) {
    FRelPidl = CopyIdList(nullptr, List);
    return;
  }
  TPTIdListArray Chain(List);
  const int Count = Chain.GetCount();
  FRelPidl = CopyIdList(nullptr, Count > 0 ? Chain.GetItem(Count - 1) : List);
  FAbsPidl = CopyIdList(nullptr, List);
}

LPCITEMIDLIST TPTShTreeData::GetAbsPidl() {
  if (!FAbsPidl && FParent) {
    FAbsPidl = ConcatIdLists(nullptr, FParent->GetAbsPidl(), FRelPidl);
  }
  return FAbsPidl;
}

IShellFolder_NRC* TPTShTreeData::GetThisIShf() {
  if (FThisFolder) {
    return FThisFolder;
  }
  if (FParent) {
    IShellFolder_NRC* Parent = FParent->GetThisIShf();
    void* Out = nullptr;
    if (Parent && SUCCEEDED(Parent->BindToObject(FRelPidl, nullptr, IID_IShellFolder, &Out))) {
      FThisFolder = static_cast<IShellFolder_NRC*>(Out);
    }
    return FThisFolder;
  }
  IShellFolder_NRC* F = nullptr;
  const HRESULT Hr = ShellGetFolderFromIdList(GetAbsPidl(), F);
  if (FAILED(Hr) || !F) {
    if (IdListLen(GetAbsPidl()) <= 2) {
      PTShRaiseSysError(Hr);
    }
    return nullptr;
  }
  FThisFolder = F;
  return FThisFolder;
}

void TPTShTreeData::SetThisIShf(IShellFolder_NRC* Folder) {
  if (Folder) {
    Folder->AddRef();
  }
  if (FThisFolder) {
    FThisFolder->Release();
  }
  FThisFolder = Folder;
}

IShellFolder_NRC* TPTShTreeData::GetParentIShf() {
  if (FParent) {
    return FParent->GetThisIShf();
  }
  if (FRootParentFolder) {
    FRootParentFolder->Release();
    FRootParentFolder = nullptr;
  }
  IShellFolder_NRC* Folder = nullptr;
  LPITEMIDLIST ParentList = nullptr, Item = nullptr;
  if (SUCCEEDED(PTShSplitIdList(GetAbsPidl(), Folder, ParentList, Item))) {
    FRootParentFolder = Folder;
  }
  ShellMemFree(ParentList);
  ShellMemFree(Item);
  return FRootParentFolder;
}

ULONG TPTShTreeData::GetAttributes() {
  ULONG Asked = PTShTreeDataAttributes;
  const std::string Path = GetPathName();
  if (Path.size() > 3 && GetDriveType(Path.c_str()) == DRIVE_REMOVABLE) {
    Asked &= ~SFGAO_READONLY;
  }
  IShellFolder_NRC* Parent = GetParentIShf();
  LPCITEMIDLIST Rel = FParent ? FRelPidl : nullptr;
  LPITEMIDLIST Split = nullptr;
  if (!FParent) {
    IShellFolder_NRC* Ignored = nullptr;
    LPITEMIDLIST ParentList = nullptr;
    if (SUCCEEDED(PTShSplitIdList(GetAbsPidl(), Ignored, ParentList, Split)) && Ignored) {
      Ignored->Release();
    }
    ShellMemFree(ParentList);
    Rel = Split;
  }
  ULONG Attr = Asked;
  if (!Parent || !Rel || FAILED(Parent->GetAttributesOf(1, &Rel, &Attr))) {
    Attr = Asked;
  }
  ShellMemFree(Split);
  return Attr;
}

bool TPTShTreeData::GetEditable() {
  if (!FParent || IdListLen(GetAbsPidl()) <= 2) {
    return false;
  }
  IShellFolder_NRC* Parent = GetParentIShf();
  ULONG Attr = PTShEditableAttributes;
  LPCITEMIDLIST Rel = FRelPidl;
  return Parent && SUCCEEDED(Parent->GetAttributesOf(1, &Rel, &Attr)) && (Attr & SFGAO_CANRENAME);
}

std::string TPTShTreeData::GetPathName() {
  std::string Path;
  ShellGetPathFromIdList(GetAbsPidl(), Path);
  return Path;
}

bool TPTShTreeData::IsRootDir() {
  // A volume's root: the file system's "/" or a mount point shown under Computer.
  const std::string Path = GetPathName();
  if (Path == "/") {
    return true;
  }
  for (const TMountEntry& V : ShownVolumes()) {
    if (V.MountPoint == Path) {
      return true;
    }
  }
  return false;
}

void TPTShTreeData::SetRelPidl(LPCITEMIDLIST List) {
  ShellMemFree(FRelPidl);
  ShellMemFree(FAbsPidl);
  FAbsPidl = nullptr;
  if (FThisFolder) {
    FThisFolder->Release();
    FThisFolder = nullptr;
  }
  FRelPidl = CopyIdList(nullptr, List);
  FAbsPidl = FParent ? ConcatIdLists(nullptr, FParent->GetAbsPidl(), FRelPidl) : CopyIdList(nullptr, FRelPidl);
}

void TPTShTreeData::Flush() {
  if (FParent) {
    ShellMemFree(FAbsPidl);
    FAbsPidl = nullptr;
  }
  if (FThisFolder) {
    FThisFolder->Release();
    FThisFolder = nullptr;
  }
}

HRESULT TPTShTreeData::GetIDropTarget(HWND Owner, IDropTarget_NRC*& Target) {
  Target = nullptr;
  void* Out = nullptr;
  HRESULT Hr = E_FAIL;
  if (FParent) {
    IShellFolder_NRC* Parent = FParent->GetThisIShf();
    LPCITEMIDLIST Rel = FRelPidl;
    if (Parent) {
      Hr = Parent->GetUIObjectOf(Owner, 1, &Rel, IID_IDropTarget, nullptr, &Out);
    }
  } else {
    Hr = PTShGetUIObjectOf(GetAbsPidl(), IID_IDropTarget, Out);
  }
  Target = SUCCEEDED(Hr) ? static_cast<IDropTarget_NRC*>(Out) : nullptr;
  return Hr;
}

// ---- Shared operations -------------------------------------------------------------------------------------------------

namespace {

// Makes one folder; 0, ERROR_ALREADY_EXISTS or another error.
DWORD MakeFolder(const std::string& Path) {
  if (mkdir(Path.c_str(), 0777) == 0) {
    return 0;
  }
  return errno == EEXIST ? static_cast<DWORD>(ERROR_ALREADY_EXISTS) : ErrorFromErrno(errno, Path);
}

void WarnFolder(HWND Owner, DWORD Error, const std::string& Name) {
  const std::string Text =
      FormatStrPos(PTLoadStr(Uptshconsts::SUnableToCreateFolder), {PTSysErrorMessage(Error), Name}, 1);
  MessageBox(Owner, Text.c_str(), PTLoadStr(Uptshconsts::SNewFolder).c_str(), MB_OK | MB_ICONWARNING);
}

// One naming round: true when a folder was made; Failed tells that a warning ended the round.
bool NamingRound(const std::string& Dir, bool Long, std::string& Name, HWND Owner) {
  for (int N = 1; N <= 50; ++N) {
    const std::string Base = PTLoadStr(Long ? Uptshconsts::SNewFolder : Uptshconsts::SNewFolderShort);
    Name = N == 1 ? Base : Long ? Base + " (" + std::to_string(N) + ")" : Base + std::to_string(N);
    const DWORD E = MakeFolder(Dir + Name);
    if (E == 0) {
      return true;
    }
    if (E != static_cast<DWORD>(ERROR_ALREADY_EXISTS)) {
      WarnFolder(Owner, E, Name);
      return false;
    }
  }
  return false;
}

}  // namespace

bool PTShCreateNewFolder(const std::string& Directory, std::string& Name, HWND Owner) {
  std::string Dir = Directory;
  if (Dir.empty()) {
    char Buf[4096];
    Dir = getcwd(Buf, sizeof Buf) ? Buf : ".";
  }
  Dir = EnsureTrailingCharDB(Dir, '/');
  if (NamingRound(Dir, true, Name, Owner) || NamingRound(Dir, false, Name, Owner)) {
    return true;
  }
  WarnFolder(Owner, static_cast<DWORD>(ERROR_ALREADY_EXISTS), PTLoadStr(Uptshconsts::SNewFolder));
  Name.clear();
  return false;
}

HRESULT PTShGetContextMenu(HWND Owner, IShellFolder_NRC* Folder, UINT Count, LPCITEMIDLIST* Items, UINT Flags,
                           UINT FirstId, IContextMenu_NRC*& ContextMenu, HMENU& Popup) {
  ContextMenu = nullptr;
  Popup = 0;
  void* Out = nullptr;
  const HRESULT Hr = Folder->GetUIObjectOf(Owner, Count, Items, IID_IContextMenu, nullptr, &Out);
  if (FAILED(Hr)) {
    return Hr;
  }
  ContextMenu = static_cast<IContextMenu_NRC*>(Out);
  Popup = CreatePopupMenu();
  const HRESULT Fill = ContextMenu->QueryContextMenu(Popup, 0, FirstId, 0x7FFF, Flags);
  if (FAILED(Fill)) {
    ContextMenu->Release();
    ContextMenu = nullptr;
    DestroyMenu(Popup);
    Popup = 0;
    PTShRaiseSysError(Fill);
  }
  return Hr;
}

int PTShFindVerb(IContextMenu_NRC* ContextMenu, const std::string& Verb) {
  HMENU Menu = CreatePopupMenu();
  ContextMenu->QueryContextMenu(Menu, 0, 1000, 0x7FFF, CMF_EXPLORE);
  int Offset = 0;
  const int Count = GetMenuItemCount(Menu);
  for (int I = 0; I < Count; ++I) {
    const UINT Id = GetMenuItemID(Menu, I);
    if (Id == static_cast<UINT>(-1) || Id < 1000) {
      continue;
    }
    char Name[261] = {};
    if (SUCCEEDED(ContextMenu->GetCommandString(Id - 1000, GCS_VERBA, nullptr, Name, 260)) && SameText(Name, Verb)) {
      Offset = static_cast<int>(Id - 1000);
      break;
    }
  }
  DestroyMenu(Menu);
  return Offset;
}

HRESULT PTShInvokeCommand(HWND Owner, IContextMenu_NRC* ContextMenu, const char* VerbOrOffset) {
  const auto Raw = reinterpret_cast<std::uintptr_t>(VerbOrOffset);
  const UINT Offset =
      (Raw >> 16) == 0 ? static_cast<UINT>(Raw) : static_cast<UINT>(PTShFindVerb(ContextMenu, VerbOrOffset));
  CMINVOKECOMMANDINFO Info;
  Info.cbSize = 36;
  Info.hwnd = Owner;
  Info.lpVerb = reinterpret_cast<const char*>(static_cast<std::uintptr_t>(Offset));
  Info.nShow = 1;
  return ContextMenu->InvokeCommand(&Info);
}

HRESULT PTShSplitIdList(LPCITEMIDLIST Absolute, IShellFolder_NRC*& Folder, LPITEMIDLIST& ParentList,
                        LPITEMIDLIST& Item) {
  Folder = nullptr;
  ParentList = Item = nullptr;
  LPITEMIDLIST Desktop = nullptr;
  if (!Absolute || IdListLen(Absolute) <= 2) {
    std::string Path;
    ShellGetSpecialFolderPath(0, csidlDesktop, Path);
    const HRESULT Hr = ShellGetIdListFromPath(Path, Desktop);
    if (FAILED(Hr)) {
      return Hr;
    }
    Absolute = Desktop;
  }
  TPTIdListArray Chain(Absolute);
  HRESULT Hr = S_OK;
  if (Chain.GetCount() == 1) {
    Hr = ShellGetDesktopFolder(Folder);
    Item = CopyIdList(nullptr, Absolute);
  } else {
    ParentList = CopyIdList(nullptr, Chain.GoUp(1));
    Item = CopyIdList(nullptr, Chain.GetItem(Chain.GetCount() - 1));
    Hr = ShellGetFolderFromIdList(ParentList, Folder);
  }
  ShellMemFree(Desktop);
  return Hr;
}

HRESULT PTShGetUIObjectOf(LPCITEMIDLIST Absolute, REFIID Riid, void*& Object) {
  Object = nullptr;
  IShellFolder_NRC* Folder = nullptr;
  LPITEMIDLIST ParentList = nullptr, Item = nullptr;
  HRESULT Hr = PTShSplitIdList(Absolute, Folder, ParentList, Item);
  if (SUCCEEDED(Hr) && Folder) {
    LPCITEMIDLIST One = Item;
    Hr = Folder->GetUIObjectOf(0, 1, &One, Riid, nullptr, &Object);
  }
  if (Folder) {
    Folder->Release();
  }
  ShellMemFree(ParentList);
  ShellMemFree(Item);
  return Hr;
}

HRESULT PTShGetDesktopDropTarget(IDropTarget_NRC*& Target) {
  void* Out = nullptr;
  const HRESULT Hr = PTShGetUIObjectOf(nullptr, IID_IDropTarget, Out);
  Target = static_cast<IDropTarget_NRC*>(Out);
  return Hr;
}

void PTShMenuSelect(IContextMenu_NRC* ContextMenu, TMessage& Message,
                    const std::function<void(const std::string&)>& Hint) {
  if (!ContextMenu || !Hint) {
    return;
  }
  const UINT Id = LOWORD(Message.WParam), Flags = HIWORD(Message.WParam);
  std::string Text;
  if (Id >= 1000 && !(Flags & (MF_POPUP | MF_SYSMENU)) && Flags != 0xFFFF) {
    char Buf[261] = {};
    if (SUCCEEDED(ContextMenu->GetCommandString(Id - 1000, GCS_HELPTEXTA, nullptr, Buf, 260))) {
      Text = Buf;
    }
  }
  Hint(Text);
}

HWND PTShGetOwnerFormHandle(TControl* Control) {
  TCustomForm* Form = Control ? GetParentForm(Control) : nullptr;
  return Form && Form->HandleAllocated() ? Form->Handle() : 0;
}

TPTBusyCursor::TPTBusyCursor() : FSaved(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
TPTBusyCursor::~TPTBusyCursor() { Screen->SetCursor(FSaved); }

void PTShBusyWait(DWORD Milliseconds) {
  TPTBusyCursor Busy;
  Sleep(Milliseconds);
}

void PTShScrollStep(TWinControl* Control, int Bar, int Code) {
  if (!Control || !Control->HandleAllocated()) {
    return;
  }
  SCROLLINFO Info;
  Info.cbSize = sizeof Info;
  Info.fMask = SIF_ALL;
  if (!GetScrollInfo(Control->Handle(), Bar, &Info)) {
    return;
  }
  if (Info.nMax - Info.nMin - static_cast<int>(Info.nPage) > 0) {
    SendMessage(Control->Handle(), Bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, static_cast<WPARAM>(Code), 0);
  }
}

void PTShWheelScroll(TWinControl* Control, int Bar, int LineCode, int PageCode) {
  const int Lines = Mouse->WheelScrollLines;
  if (Lines == -1) {
    PTShScrollStep(Control, Bar, PageCode);
    return;
  }
  const int Steps = Bar == SB_VERT ? Lines : 1;
  for (int I = 0; I < Steps; ++I) {
    PTShScrollStep(Control, Bar, LineCode);
  }
}

std::string PTShFormatSizeKB(unsigned long long Bytes) {
  const unsigned long long KB = Bytes / 1024 + (Bytes % 1024 ? 1 : 0);
  std::string Digits = std::to_string(KB), Grouped;
  for (std::size_t I = 0; I < Digits.size(); ++I) {
    if (I > 0 && (Digits.size() - I) % 3 == 0) {
      Grouped += ',';
    }
    Grouped += Digits[I];
  }
  return FormatStrPos(std::string(PTLoadStr(Uptshconsts::SSizeKB)).replace(0, 2, "%1"), {Grouped}, 0);
}

void PTShGetSizeAndDate(LPCITEMIDLIST Absolute, std::string& Size, std::string& Modified) {
  Size.clear();
  Modified.clear();
  std::string Path;
  ShellGetPathFromIdList(Absolute, Path);
  if (Path.size() <= 3) {
    return;
  }
  struct stat St {};
  if (stat(Path.c_str(), &St) != 0) {
    return;
  }
  if (!S_ISDIR(St.st_mode)) {
    Size = PTShFormatSizeKB(static_cast<unsigned long long>(St.st_size));
  }
  const std::time_t When = St.st_mtime ? St.st_mtime : St.st_ctime;
  std::tm Tm{};
  localtime_r(&When, &Tm);
  const TDateTime D = EncodeDate(static_cast<Word>(Tm.tm_year + 1900), static_cast<Word>(Tm.tm_mon + 1),
                                 static_cast<Word>(Tm.tm_mday)) +
                      (Tm.tm_hour * 3600.0 + Tm.tm_min * 60.0 + Tm.tm_sec) / 86400.0;
  Modified = FormatDateTime("ddddd t", D);
}

std::string PTShGetTypeName(LPCITEMIDLIST Absolute, ULONG Attributes) {
  if (!(Attributes & SFGAO_FILESYSTEM)) {
    return PTLoadStr(Uptshconsts::SSystemFolder);
  }
  SHFILEINFO Info;
  if (!SHGetFileInfo(reinterpret_cast<const char*>(Absolute), 0, &Info, sizeof Info, SHGFI_PIDL | SHGFI_TYPENAME)) {
    return {};
  }
  return std::string(Info.szTypeName).substr(0, 80);
}

void PTShRaiseSysError(HRESULT Code) { throw Exception(PTSysErrorMessage(static_cast<DWORD>(Code))); }

// ---- The keyboard table ------------------------------------------------------------------------------------------------

namespace {
std::string KeyName(int Code) {
  switch (Code) {
    case 8: return "BkSp";
    case 9: return "Tab";
    case 13: return "Enter";
    case 27: return "Esc";
    case 32: return "Space";
    case 33: return "PgUp";
    case 34: return "PgDn";
    case 35: return "End";
    case 36: return "Home";
    case 37: return "Left";
    case 38: return "Up";
    case 39: return "Right";
    case 40: return "Down";
    case 45: return "Ins";
    case 46: return "Del";
    default: break;
  }
  if ((Code >= '0' && Code <= '9') || (Code >= 'A' && Code <= 'Z')) {
    return std::string(1, static_cast<char>(Code));
  }
  if (Code >= 96 && Code <= 105) {
    return std::string(1, static_cast<char>('0' + Code - 96));
  }
  if (Code >= 112 && Code <= 135) {
    return "F" + std::to_string(Code - 111);
  }
  return "#" + std::to_string(Code);
}
}  // namespace

WORD PTTextToShortCut(const std::string& Text) {
  WORD Mods = 0;
  std::string Rest = Text;
  for (bool Again = true; Again;) {
    Again = false;
    for (const auto& [Prefix, Bit] : {std::pair<const char*, WORD>{"Shift+", 0x2000}, {"Ctrl+", 0x4000},
                                      {"^", 0x4000}, {"Alt+", 0x8000}}) {
      const std::size_t N = std::strlen(Prefix);
      if (Rest.size() > N && SameText(Rest.substr(0, N), Prefix)) {
        Mods |= Bit;
        Rest = Rest.substr(N);
        Again = true;
      }
    }
  }
  for (int Code = 8; Code <= 597; ++Code) {
    if (SameText(KeyName(Code), Rest)) {
      return static_cast<WORD>(Mods | Code);
    }
  }
  return 0;
}

const std::array<WORD, 7>& PTShKeyTable() {
  static const std::array<WORD, 7> Table = {
      PTTextToShortCut(PTLoadStr(Uptshconsts::SCtrlA)), PTTextToShortCut(PTLoadStr(Uptshconsts::SDel)),
      PTTextToShortCut(PTLoadStr(Uptshconsts::SCtrlC)), PTTextToShortCut(PTLoadStr(Uptshconsts::SCtrlX)),
      PTTextToShortCut(PTLoadStr(Uptshconsts::SCtrlV)), PTTextToShortCut(PTLoadStr(Uptshconsts::SF5)),
      PTTextToShortCut(PTLoadStr(Uptshconsts::SF2))};
  return Table;
}

WORD PTShortCut(WORD Key, TShiftState Shift) {
  WORD R = Key;
  if (Shift.Contains(ssShift)) {
    R |= 0x2000;
  }
  if (Shift.Contains(ssCtrl)) {
    R |= 0x4000;
  }
  if (Shift.Contains(ssAlt)) {
    R |= 0x8000;
  }
  return R;
}

Z_IMPLEMENT_CLASS(TPTShTreeData, TObject)
