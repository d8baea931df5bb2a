// The shell list: item data, options, the file filter, filling and the merge refresh, columns and their width
// memory, sorting, texts and icons on demand, folder changes and links, change notices and the lifecycle.
#include "shell/Uptshelllist.h"

#include "platform/classes/Registry.h"
#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"
#include "platform/win/Ole.h"
#include "platform/win/VirtualKeys.h"
#include "shell/Uptshconsts.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr UINT WM_GETISHELLBROWSER = WM_USER + 7;
const char* const SExceptionInAddNewShellItem = "Exception in AddNewShellItem";
const char* const SExplorerKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr int DirectoryColsMax = 22;

// The "DirectoryCols" bytes seen at the last rebuild of the default columns (length 0 before the first).
std::string& KeptDirectoryCols() {
  static std::string Kept;
  return Kept;
}
}  // namespace

TPTShellListOptions PTShellListDefaultOptions() {
  return TPTShellListOptions{ptsloAutoFill,     ptsloNonFilesystemAncestors, ptsloDefaultKeyHandling,
                             ptsloContextMenus, ptsloDynamicRefresh,         ptsloOleDrag,
                             ptsloOleDrop,      ptsloFolderContextMenu,      ptsloShowHidden};
}

TMemoryStream* PTShellListColumnMemory() {
  static TMemoryStream Memory;
  return &Memory;
}

void PTReadDirectoryCols(int Widths[4], std::string& Bytes) {
  unsigned char Buffer[DirectoryColsMax] = {200, 0, 60, 0, 100, 0, 120, 0, 50, 0};
  int Length = 10;
  try {
    TRegistry Reg(KEY_READ);
    Reg.SetRootKey(HKEY_CURRENT_USER);
    if (Reg.OpenKeyReadOnly(SExplorerKey)) {
      const int Size = Reg.GetDataSize("DirectoryCols");
      if (Size >= 0 && Size <= DirectoryColsMax) {
        Length = Reg.ReadBinaryData("DirectoryCols", Buffer, DirectoryColsMax);
      }
    }
  } catch (...) {
    // Another program's value: anything wrong with it leaves the defaults.
  }
  for (int I = 0; I < 4; ++I) {
    Widths[I] = Buffer[2 * I] | (Buffer[2 * I + 1] << 8);
  }
  Bytes.assign(reinterpret_cast<const char*>(Buffer), static_cast<std::size_t>(std::max(0, Length)));
}

// ---- TPTShListData ------------------------------------------------------------------------------------------------

TPTShListData::~TPTShListData() {
  ShellMemFree(FAbsPidl);
  ShellMemFree(FRelPidl);
}

void TPTShListData::SetData(LPITEMIDLIST Relative) {
  if (Relative != FRelPidl) {
    ShellMemFree(FRelPidl);
  }
  FRelPidl = Relative;
  Flush();
}

void TPTShListData::Flush() {
  ShellMemFree(FAbsPidl);
  FAbsPidl = nullptr;
  FDisplayName.clear();
  FDisplayNameLoaded = false;
  FExtraLoaded = false;
}

LPCITEMIDLIST TPTShListData::GetAbsoluteIdList() {
  if (!FAbsPidl) {
    FAbsPidl = ConcatIdLists(nullptr, FList->FFolderPidl, FRelPidl);
  }
  return FAbsPidl;
}

std::string TPTShListData::GetPathName() {
  std::string Path;
  ShellGetPathFromIdList(GetAbsoluteIdList(), Path);
  return Path;
}

std::string TPTShListData::GetFilename() { return ExtractFileName(GetPathName()); }

std::string TPTShListData::GetDisplayName() {
  if (!FDisplayNameLoaded) {
    // The folder's own name of the item: file information would cut names at MAX_PATH bytes.
    if (FList->FFolderShf) {
      ShellGetFriendlyNameFromIdList(FList->FFolderShf, FRelPidl, ptfnInFolder, FDisplayName);
    }
    FDisplayNameLoaded = true;
  }
  return FDisplayName;
}

ULONG TPTShListData::GetAttributes() {
  ULONG Asked = PTShListDataAttributes;
  const std::string Path = GetPathName();
  if (Path.size() > 3 && GetDriveType(Path.c_str()) == DRIVE_REMOVABLE) {
    Asked &= ~SFGAO_READONLY;
  }
  ULONG Attr = Asked;
  LPCITEMIDLIST Rel = FRelPidl;
  if (!FList->FFolderShf || FAILED(FList->FFolderShf->GetAttributesOf(1, &Rel, &Attr))) {
    Attr = Asked;
  }
  return Attr;
}

bool TPTShListData::IsValid() {
  ULONG Attr = SFGAO_VALIDATE;
  LPCITEMIDLIST Rel = FRelPidl;
  return FList->FFolderShf && SUCCEEDED(FList->FFolderShf->GetAttributesOf(1, &Rel, &Attr));
}

bool TPTShListData::IsLnkShortcut() {
  const std::string Path = GetPathName();
  return !Path.empty() && IsShortcutPath(Path);
}

std::string TPTShListData::GetColText(int Column) {
  if (Column == 0) {
    return {};
  }
  if (IShellDetails* Details = FList->GetCurrentFolderIShellDetails()) {
    SHELLDETAILS D;
    std::string Text;
    if (SUCCEEDED(Details->GetDetailsOf(FRelPidl, static_cast<UINT>(Column), &D))) {
      StrretToString(FRelPidl, D.str, Text);
    }
    return Text;
  }
  switch (Column) {
    case 1: return GetSize();
    case 2: return GetFileType();
    case 3: return GetModified();
    default: return {};
  }
}

void TPTShListData::GetExtraData() {
  if (FExtraLoaded) {
    return;
  }
  PTShGetSizeAndDate(GetAbsoluteIdList(), FSize, FModified);
  FType = PTShGetTypeName(GetAbsoluteIdList(), GetAttributes());
  FExtraLoaded = true;
}

const std::string& TPTShListData::GetSize() {
  GetExtraData();
  return FSize;
}
const std::string& TPTShListData::GetFileType() {
  GetExtraData();
  return FType;
}
const std::string& TPTShListData::GetModified() {
  GetExtraData();
  return FModified;
}

// ---- Construction and lifecycle ---------------------------------------------------------------------------------

TPTCustomShellList::TPTCustomShellList(TComponent* AOwner)
    : TPTCustomListView(AOwner), FFolder(std::make_unique<TPTShellLocator>()),
      FOptions(PTShellListDefaultOptions()), FTimer(std::make_unique<TTimer>(nullptr)) {
  PTInitializeCom();
  ShellIdListFormat();
  FTimer->SetEnabled(false);
  FTimer->SetOnTimer([this](TObject* S) { TimerElapsed(S); });
  FFolder->OnChange = [this](TObject*) { HandleOnFolderChanged(); };
  InitImageLists();
  PTDeviceChangeHandler()->Add(this, 0,
                               [this](TPTDeviceChangeHandler* S, TMessage& M) { DeviceChangeDetected(S, M); });
}

TPTCustomShellList::~TPTCustomShellList() = default;

void TPTCustomShellList::BeforeDestruction() {
  PTDeviceChangeHandler()->Remove(this, 0);
  if (FShellCombo) {
    TPTShellComboLink* Combo = FShellCombo;
    FShellCombo = nullptr;
    if (FShellComboComponent) {
      FShellComboComponent->RemoveFreeNotification(this);
      FShellComboComponent = nullptr;
    }
    Combo->ListUnlinked(this);
  }
  RegisterDropTarget(false);
  if (FDropTarget) {
    FDropTarget->Release();
    FDropTarget = nullptr;
  }
  FTimer->SetEnabled(false);
  FChangeThread.reset();
  ++FFolderChangeNesting;
  ClearItems();
  --FFolderChangeNesting;
  if (FInData) {
    FInData->Release();
    FInData = nullptr;
  }
  if (FDetails) {
    FDetails->Release();
    FDetails = nullptr;
  }
  if (FFolderShf) {
    FFolderShf->Release();
    FFolderShf = nullptr;
  }
  ShellMemFree(FFolderPidl);
  FFolderPidl = nullptr;
  delete FPendingData;
  FPendingData = nullptr;
  TPTCustomListView::BeforeDestruction();
}

void TPTCustomShellList::InitImageLists() {
  SetSmallImages(PTSystemImageList(ptsizSmall));
  SetLargeImages(PTSystemImageList(ptsizLarge));
}

void TPTCustomShellList::CreateWnd() {
  FCreatingWindow = true;
  try {
    TPTCustomListView::CreateWnd();
  } catch (...) {
    FCreatingWindow = false;
    throw;
  }
  if (!IsDesigning() && FOptions.Contains(ptsloOleDrop)) {
    RegisterDropTarget(true);
  }
  if (FOptions.Contains(ptsloAutoFill) && Items()->Count() == 0) {
    PostMessage(Handle(), AM_DEFERREDFILL, 0, 0);
  }
  FCreatingWindow = false;
}

void TPTCustomShellList::DestroyWnd() {
  FDestroyingWindow = true;
  ++FFolderChangeNesting;
  try {
    ClearItems();
  } catch (...) {
    --FFolderChangeNesting;
    FDestroyingWindow = false;
    throw;
  }
  --FFolderChangeNesting;
  TPTCustomListView::DestroyWnd();
  FDestroyingWindow = false;
}

void TPTCustomShellList::Loaded() {
  TPTCustomListView::Loaded();
  if (!FCreatingWindow && FOptions.Contains(ptsloAutoFill) && Items()->Count() == 0 && HandleAllocated()) {
    PostMessage(Handle(), AM_DEFERREDFILL, 0, 0);
  }
}

void TPTCustomShellList::Notification(TComponent* AComponent, TOperation Operation) {
  TPTCustomListView::Notification(AComponent, Operation);
  if (Operation != opRemove) {
    return;
  }
  if (FShellTree && AComponent == FShellTree) {
    FShellTree = nullptr;
  }
  if (FShellCombo && AComponent == FShellComboComponent) {
    FShellCombo = nullptr;
    FShellComboComponent = nullptr;
  }
}

void TPTCustomShellList::ClearItems() {
  if (Items()->Count() == 0) {
    return;
  }
  ClearSelection();
  Items()->BeginUpdate();
  try {
    Items()->Clear();
  } catch (...) {
    Items()->EndUpdate();
    throw;
  }
  Items()->EndUpdate();
  FDropItem = nullptr;
}

// ---- Properties --------------------------------------------------------------------------------------------------

void TPTCustomShellList::SetFolder(TPTShellLocator* Value) { FFolder->Assign(Value); }

void TPTCustomShellList::SetOptions(TPTShellListOptions Value) {
  const TPTShellListOptions Old = FOptions;
  FOptions = Value;
  if (ComponentState().Contains(csLoading) || !HandleAllocated()) {
    return;
  }
  if (Old.Contains(ptsloOleDrop) != Value.Contains(ptsloOleDrop)) {
    RegisterDropTarget(Value.Contains(ptsloOleDrop));
  }
  if (Old.Contains(ptsloDynamicRefresh) != Value.Contains(ptsloDynamicRefresh) && !IsDesigning()) {
    if (Value.Contains(ptsloDynamicRefresh)) {
      InstallChangeHandler();
    } else if (FChangeThread) {
      FChangeThread->RemoveAllWatches();
      FWatched.clear();
    }
  }
  if (Old.Contains(ptsloShowHidden) != Value.Contains(ptsloShowHidden)) {
    RefreshItems();
  }
  // The merge keeps every item the folder still has, so folders already shown would stay: hiding them (or
  // bringing them back in their sorted place) takes a new fill.
  if (Old.Contains(ptsloHideFoldersWhenLinkedToTree) != Value.Contains(ptsloHideFoldersWhenLinkedToTree)) {
    FillItems();
  }
}

void TPTCustomShellList::SetFileFilter(const std::string& Value) {
  if (Value == FFileFilter) {
    if (Value.empty()) {
      FMasks.reset();
    }
    return;
  }
  FFileFilter = Value;
  if (!FMasks) {
    FMasks = std::make_unique<TStringList>();
  }
  FMasks->Clear();
  std::size_t Start = 0;
  while (Start <= Value.size()) {
    const std::size_t End = std::min(Value.find(';', Start), Value.size());
    const std::string Mask = Trim(Value.substr(Start, End - Start));
    if (!Mask.empty()) {
      FMasks->Add(Mask);
    }
    Start = End + 1;
  }
  if (!ComponentState().Contains(csLoading) && FOptions.Contains(ptsloAutoFill) && HandleAllocated()) {
    FillItems();
  }
}

// ---- The file filter ---------------------------------------------------------------------------------------------

void TPTCustomShellList::FilterPreApply() {
  FMatched.reset();
  std::string Path;
  ShellGetPathFromIdList(FFolderPidl, Path);
  if (Path.empty() || FFileFilter.empty() || FFileFilter == "*" || FFileFilter == "*.*" || !FMasks) {
    return;
  }
  FMatched = std::make_unique<TStringList>();
  FMatched->SetCaseSensitive(true);
  FMatched->SetDuplicates(dupIgnore);
  std::vector<std::string> Names;
  const std::string Dir = IncludeTrailingPathDelimiter(Path);
  for (int I = 0; I < FMasks->Count(); ++I) {
    WIN32_FIND_DATA Found;
    HANDLE H = FindFirstFile((Dir + FMasks->Strings(I)).c_str(), &Found);
    if (H == INVALID_HANDLE_VALUE) {
      if (GetLastError() == ERROR_FILE_NOT_FOUND) {
        continue;
      }
      break;
    }
    do {
      if (!(Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        Names.push_back(AnsiUpperCase(Found.cFileName));
      }
    } while (FindNextFile(H, &Found));
    FindClose(H);
  }
  // One sort of the whole set: adding to a sorted list one by one would be quadratic in a large folder.
  std::sort(Names.begin(), Names.end());
  Names.erase(std::unique(Names.begin(), Names.end()), Names.end());
  FMatched->BeginUpdate();
  for (const std::string& N : Names) {
    FMatched->Add(N);
  }
  FMatched->EndUpdate();
}

bool TPTCustomShellList::FilterApply(IShellFolder_NRC* Folder, LPCITEMIDLIST Relative, ULONG Attributes) {
  if (!FMatched || (Attributes & SFGAO_FOLDER)) {
    return true;
  }
  std::string Name;
  ShellGetFriendlyNameFromIdList(Folder, Relative, ptfnForParsing, Name);
  const std::string Upper = AnsiUpperCase(ExtractFileName(Name));
  // The names were sorted by bytes; look them up the same way.
  int Lo = 0, Hi = FMatched->Count() - 1;
  while (Lo <= Hi) {
    const int Mid = (Lo + Hi) / 2;
    const int C = FMatched->Strings(Mid).compare(Upper);
    if (C == 0) {
      return true;
    }
    if (C < 0) {
      Lo = Mid + 1;
    } else {
      Hi = Mid - 1;
    }
  }
  return false;
}

void TPTCustomShellList::FilterPostApply() { FMatched.reset(); }

// ---- Filling -----------------------------------------------------------------------------------------------------

void TPTCustomShellList::FillStart() {
  if (OnFillStart) {
    OnFillStart(this);
  }
}

void TPTCustomShellList::FillComplete() {
  if (OnFillComplete) {
    OnFillComplete(this);
  }
}

DWORD TPTCustomShellList::EnumFlags() const {
  DWORD Flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;
  if (FOptions.Contains(ptsloShowHidden)) {
    Flags |= SHCONTF_INCLUDEHIDDEN;
  }
  return Flags;
}

void TPTCustomShellList::FillItems() {
  if (!HandleAllocated()) {
    return;
  }
  if (FInDragOrMenu || IsEditing()) {
    FRefreshPending = true;
    return;
  }
  {
    TPTBusyCursor Busy;
    ClearItems();
    IShellFolder_NRC* Folder = nullptr;
    LPCITEMIDLIST Target = FFolder->GetIdList();
    const HRESULT Hr = ShellGetFolderFromIdList(Target, Folder);
    if (FAILED(Hr) || !Folder) {
      PTShRaiseSysError(FAILED(Hr) ? Hr : E_FAIL);
    }
    LPITEMIDLIST Copy = CopyIdList(nullptr, Target);
    Items()->BeginUpdate();
    try {
      FillList(Folder, Copy);
    } catch (...) {
      Items()->EndUpdate();
      Folder->Release();
      ShellMemFree(Copy);
      throw;
    }
    Items()->EndUpdate();
    Folder->Release();
    ShellMemFree(Copy);
  }
  SortList();
  if (Items()->Count() > 0) {
    Items()->Item(0)->SetFocused(true);
  }
  if (ViewStyle() == vsIcon || ViewStyle() == vsSmallIcon) {
    Scroll(-1000000, -1000000);
  }
  if (FOptions.Contains(ptsloDynamicRefresh) && !IsDesigning()) {
    InstallChangeHandler();
  }
}

void TPTCustomShellList::FillList(IShellFolder_NRC* Folder, LPCITEMIDLIST FolderIdList) {
  Items()->BeginUpdate();
  FillStart();
  LPITEMIDLIST OldPidl = FFolderPidl;
  IShellFolder_NRC* OldFolder = FFolderShf;
  std::vector<TPTShListData*> Collected;
  IEnumIDList_NRC* Enum = nullptr;
  auto Finish = [&] {
    for (TPTShListData* D : Collected) {
      delete D;
    }
    Collected.clear();
    if (Enum) {
      Enum->Release();
      Enum = nullptr;
    }
    Items()->EndUpdate();
    FillComplete();
  };
  try {
    FFolderPidl = CopyIdList(nullptr, FolderIdList);
    Folder->AddRef();
    FFolderShf = Folder;
    if (FDetails) {
      FDetails->Release();
      FDetails = nullptr;
    }
    FDetailsFetched = false;
    InitColumns(GetCurrentFolderIShellDetails());
    if (FAILED(Folder->EnumObjects(Handle(), EnumFlags(), &Enum)) || !Enum) {
      Enum = nullptr;
      Finish();
      ShellMemFree(OldPidl);
      if (OldFolder) {
        OldFolder->Release();
      }
      return;
    }
    HRESULT Hr = S_OK;
    for (;;) {
      LPITEMIDLIST Item = nullptr;
      ULONG Fetched = 0;
      Hr = Enum->Next(1, &Item, &Fetched);
      if (Hr != S_OK || Fetched == 0 || !Item) {
        break;
      }
      if (Collected.size() == Collected.capacity()) {
        Collected.reserve(Collected.size() + 500);
      }
      auto* Data = new TPTShListData(this);
      Data->SetData(Item);
      Collected.push_back(Data);
    }
    if (Hr != S_OK && Hr != S_FALSE && Hr != HRESULT_FROM_WIN32(ERROR_NO_MORE_ITEMS)) {
      if (Hr == E_FAIL) {
        Finish();
        ShellMemFree(OldPidl);
        if (OldFolder) {
          OldFolder->Release();
        }
        return;
      }
      PTShRaiseSysError(Hr);
    }
    FilterPreApply();
    Items()->SetCapacity(static_cast<int>(Collected.size()));
    for (std::size_t I = 0; I < Collected.size(); ++I) {
      TPTShListData* Data = Collected[I];
      Collected[I] = nullptr;
      ULONG Attr = 0;
      if (ShouldInclude(Folder, Data->GetRelativeIdList(), Attr)) {
        AddItem(Data, Attr);
      } else {
        delete Data;
      }
    }
    FilterPostApply();
  } catch (...) {
    FilterPostApply();
    // The list keeps the folder it had.
    ShellMemFree(FFolderPidl);
    FFolderPidl = OldPidl;
    if (FFolderShf) {
      FFolderShf->Release();
    }
    FFolderShf = OldFolder;
    Finish();
    throw;
  }
  ShellMemFree(OldPidl);
  if (OldFolder) {
    OldFolder->Release();
  }
  Finish();
}

bool TPTCustomShellList::ShouldInclude(IShellFolder_NRC* Folder, LPCITEMIDLIST Relative, ULONG& Attributes) {
  ULONG A = SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_REMOVABLE | SFGAO_GHOSTED | SFGAO_SHARE |
            SFGAO_LINK;
  LPCITEMIDLIST One = Relative;
  if (FAILED(Folder->GetAttributesOf(1, &One, &A))) {
    return false;  // gone since the enumeration
  }
  Attributes = A;
  if (!FOptions.Contains(ptsloNonFilesystemAncestors) && !(A & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR))) {
    return false;
  }
  if (FOptions.Contains(ptsloHideFoldersWhenLinkedToTree) && FShellTree && (A & SFGAO_FOLDER) &&
      (A & SFGAO_FILESYSTEM)) {
    return false;
  }
  return CanAdd(Folder, FFolderPidl, Relative, A);
}

bool TPTCustomShellList::CanAdd(IShellFolder_NRC* Folder, LPCITEMIDLIST ParentAbs, LPCITEMIDLIST Relative,
                                ULONG Attributes) {
  bool Allow = FilterApply(Folder, Relative, Attributes);
  if (Allow && OnAddItem) {
    OnAddItem(this, Folder, ParentAbs, Relative, static_cast<int>(Attributes), Allow);
  }
  return Allow;
}

void TPTCustomShellList::AddItem(TPTShListData* Data, ULONG Attributes) {
  FPendingData = Data;
  FPendingAttributes = Attributes;
  try {
    Items()->Add();
  } catch (...) {
    delete FPendingData;
    FPendingData = nullptr;
    throw;
  }
  // An item that did not reach InsertItem leaves its data behind.
  delete FPendingData;
  FPendingData = nullptr;
}

void TPTCustomShellList::InsertItem(TListItem* Item) {
  if (FPendingData && Item) {
    Item->Data = FPendingData;
    FPendingData = nullptr;
    const ULONG A = FPendingAttributes;
    if (A & SFGAO_SHARE) {
      Item->SetOverlayIndex(0);
    } else if (A & SFGAO_LINK) {
      Item->SetOverlayIndex(1);
    }
    if (A & SFGAO_GHOSTED) {
      Item->SetCut(true);
    }
    const int Extra = FDetails ? Columns()->Count() - 1 : 3;
    for (int I = 0; I < Extra; ++I) {
      Item->SubItems()->Add(std::string());
    }
    Item->SetTextCallback(true);
  }
  TPTCustomListView::InsertItem(Item);
}

HRESULT TPTCustomShellList::AddNewShellItem(IShellFolder_NRC* Folder, LPCITEMIDLIST Relative) {
  try {
    ULONG Attr = 0;
    if (!ShouldInclude(Folder, Relative, Attr)) {
      return S_FALSE;
    }
    auto* Data = new TPTShListData(this);
    Data->SetData(CopyIdList(nullptr, Relative));
    AddItem(Data, Attr);
    return S_OK;
  } catch (...) {
    MessageBox(PTShGetOwnerFormHandle(this), PTLoadStr(SExceptionInAddNewShellItem).c_str(), "",
               MB_OK | MB_ICONERROR);
    throw;
  }
}

void TPTCustomShellList::Delete(TListItem* Item) {
  TPTShListData* D = GetDataFromItem(Item);
  if (D && OnDeleteItem) {
    OnDeleteItem(this, Item, D);
  }
  if (Item == FDropItem) {
    FDropItem = nullptr;
  }
  if (D) {
    Item->Data = nullptr;
  }
  TPTCustomListView::Delete(Item);
  delete D;
}

// ---- The merge refresh ---------------------------------------------------------------------------------------------

void TPTCustomShellList::RefreshItems() {
  if (FInDragOrMenu || IsEditing()) {
    FRefreshPending = true;
    return;
  }
  if (Items()->Count() == 0 || !FFolderShf) {
    FillItems();
    return;
  }
  TPTBusyCursor Busy;
  FillStart();
  FilterPreApply();
  IShellFolder_NRC* Folder = FFolderShf;
  Folder->AddRef();
  std::string Path;
  ShellGetPathFromIdList(FFolderPidl, Path);
  TPTPidlList A;
  // File-system items compare by their bytes; a virtual folder's items only through the folder's own order.
  A.CompareFolder = Path.empty() ? Folder : nullptr;
  A.DuplicatesPolicy = 1;
  A.SetCapacity(Items()->Count());
  for (int I = 0; I < Items()->Count(); ++I) {
    TListItem* Item = Items()->Item(I);
    if (TPTShListData* D = GetDataFromItem(Item)) {
      A.AddObject(const_cast<LPITEMIDLIST>(D->GetRelativeIdList()), reinterpret_cast<TObject*>(Item));
    }
  }
  A.SetSorted(true);
  TPTPidlList B;
  B.FreeAllocator = ShellIMalloc();
  B.DuplicatesPolicy = 1;
  IEnumIDList_NRC* Enum = nullptr;
  if (SUCCEEDED(Folder->EnumObjects(Handle(), EnumFlags(), &Enum)) && Enum) {
    for (;;) {
      LPITEMIDLIST Item = nullptr;
      ULONG Fetched = 0;
      if (Enum->Next(1, &Item, &Fetched) != S_OK || Fetched == 0 || !Item) {
        break;
      }
      B.Add(Item);
    }
    Enum->Release();
  }
  for (int I = B.GetCount() - 1; I >= 0; --I) {
    const int J = A.IndexOf(B.GetPIDL(I));
    if (J >= 0) {
      A.Delete(J);
      B.Delete(I);
    }
  }
  Items()->BeginUpdate();
  try {
    for (int I = A.GetCount() - 1; I >= 0; --I) {
      reinterpret_cast<TListItem*>(A.GetObject(I))->Delete();
    }
    for (int I = 0; I < B.GetCount(); ++I) {
      AddNewShellItem(Folder, B.GetPIDL(I));
    }
  } catch (...) {
    Items()->EndUpdate();
    FilterPostApply();
    Folder->Release();
    FillComplete();
    throw;
  }
  Items()->EndUpdate();
  FilterPostApply();
  Folder->Release();
  FillComplete();
}

// ---- Columns -----------------------------------------------------------------------------------------------------

IShellDetails* TPTCustomShellList::GetCurrentFolderIShellDetails() {
  if (FDetailsFetched || !FFolderShf) {
    return FDetails;
  }
  FDetailsFetched = true;
  void* Out = nullptr;
  if (SUCCEEDED(FFolderShf->QueryInterface(IID_IShellDetails, &Out)) && Out) {
    FDetails = static_cast<IShellDetails*>(Out);
  } else if (SUCCEEDED(FFolderShf->CreateViewObject(HandleAllocated() ? Handle() : 0, IID_IShellDetails, &Out)) &&
             Out) {
    FDetails = static_cast<IShellDetails*>(Out);
  }
  return FDetails;
}

void TPTCustomShellList::RememberColumnWidths() {
  if (Columns()->Count() == 0 || !FWidthsRemembered) {
    return;
  }
  TMemoryStream* M = PTShellListColumnMemory();
  M->Clear();
  const std::int32_t Count = Columns()->Count();
  M->WriteBuffer(&Count, 4);
  for (int I = 0; I < Count; ++I) {
    const std::int32_t W = Columns()->Items(I)->Width();
    M->WriteBuffer(&W, 4);
  }
}

void TPTCustomShellList::ApplyRememberedWidths() {
  TMemoryStream* M = PTShellListColumnMemory();
  if (M->Size() == 0) {
    return;
  }
  M->SetPosition(0);
  std::int32_t Count = 0;
  if (M->Read(&Count, 4) != 4) {
    return;
  }
  Count = std::min<std::int32_t>(Count, Columns()->Count());
  for (std::int32_t I = 0; I < Count; ++I) {
    std::int32_t W = 0;
    if (M->Read(&W, 4) != 4) {
      break;
    }
    Columns()->Items(I)->SetWidth(W);
  }
}

void TPTCustomShellList::InitColumns(IShellDetails* Details) {
  RememberColumnWidths();
  Columns()->BeginUpdate();
  try {
    Columns()->Clear();
    std::string Path;
    ShellGetPathFromIdList(FFolderPidl, Path);
    if (Details) {
      for (UINT C = 0;; ++C) {
        SHELLDETAILS D;
        if (FAILED(Details->GetDetailsOf(nullptr, C, &D))) {
          break;
        }
        TListColumn* Col = Columns()->Add();
        std::string Caption;
        StrretToString(nullptr, D.str, Caption);
        StrretFree(D.str);
        Col->SetCaption(Caption);
        Col->SetAlignment(D.fmt == 1 ? taRightJustify : D.fmt == 2 ? taCenter : taLeftJustify);
        Col->SetWidth(D.cxChar * 7);
      }
      FWidthsRemembered = !Path.empty();
      if (FWidthsRemembered) {
        ApplyRememberedWidths();
      }
    } else {
      int Widths[4];
      std::string Bytes;
      PTReadDirectoryCols(Widths, Bytes);
      const char* Captions[4] = {Uptshconsts::SColName, Uptshconsts::SColSize, Uptshconsts::SColType,
                                 Uptshconsts::SColModified};
      for (int I = 0; I < 4; ++I) {
        TListColumn* Col = Columns()->Add();
        Col->SetCaption(PTLoadStr(Captions[I]));
        Col->SetAlignment(I == 1 ? taRightJustify : taLeftJustify);
        Col->SetWidth(Widths[I]);
      }
      // The remembered widths hold while "DirectoryCols" stays as it was when they were remembered.
      std::string& Kept = KeptDirectoryCols();
      if (PTShellListColumnMemory()->Size() > 0 && !Kept.empty() && Kept == Bytes) {
        ApplyRememberedWidths();
      }
      Kept = Bytes;
      FWidthsRemembered = true;
    }
  } catch (...) {
    Columns()->EndUpdate();
    throw;
  }
  Columns()->EndUpdate();
  SetHeaderODStyle();
  if (FSortColumn > Columns()->Count()) {
    FSortColumn = 1;
  }
  SetSortColumn(FSortColumn);
}

// ---- Sorting -----------------------------------------------------------------------------------------------------

void TPTCustomShellList::SetSortColumn(int Column) {
  SetHeaderSortColumn(Column == 0 ? -1 : std::abs(Column) - 1);
  SetHeaderSortDirection(Column >= 0 ? ptsdDesc : ptsdAsc);
  FHandlerSetSort = true;
  if (Column != FSortColumn) {
    FSortColumn = Column;
    SortList();
  }
}

void TPTCustomShellList::SortList() {
  if (Items()->Count() < 2) {
    return;
  }
  if (FSortColumn == 0 || !FFolderShf) {
    AlphaSort();
    return;
  }
  IShellFolder_NRC* Folder = FFolderShf;
  const LPARAM Column = std::abs(FSortColumn) - 1;
  const bool Reverse = FSortColumn < 0;
  CustomSort(
      [this, Folder, Column, Reverse](TListItem* A, TListItem* B, LPARAM) -> int {
        TPTShListData* Da = GetDataFromItem(A);
        TPTShListData* Db = GetDataFromItem(B);
        if (!Da || !Db) {
          return 0;
        }
        const HRESULT Hr = Folder->CompareIDs(Column, Da->GetRelativeIdList(), Db->GetRelativeIdList());
        if (FAILED(Hr)) {
          return 0;
        }
        const int R = static_cast<short>(Hr & 0xFFFF);
        return Reverse ? -R : R;
      },
      0);
}

void TPTCustomShellList::ColClick(TListColumn* Column) {
  FHandlerSetSort = false;
  TPTCustomListView::ColClick(Column);
  if (FHandlerSetSort || !Column) {
    return;
  }
  const int Clicked = Column->Index() + 1;
  SetSortColumn(Clicked == FSortColumn ? -FSortColumn : Clicked);
}

// ---- Items and texts on demand -------------------------------------------------------------------------------------

bool TPTCustomShellList::ItemHasData(TListItem* Item) { return GetDataFromItem(Item) != nullptr; }

TPTShListData* TPTCustomShellList::GetDataFromItem(TListItem* Item) {
  return Item && Item->Data ? dynamic_cast<TPTShListData*>(static_cast<TObject*>(Item->Data)) : nullptr;
}

TPTShListData* TPTCustomShellList::GetShListData(int Index) {
  return Index >= 0 && Index < Items()->Count() ? GetDataFromItem(Items()->Item(Index)) : nullptr;
}

TPTShListData* TPTCustomShellList::GetSelectedItem() { return GetDataFromItem(Selected()); }

int TPTCustomShellList::ShellSelCount() {
  int N = 0;
  for (int I = 0; I < Items()->Count(); ++I) {
    TListItem* Item = Items()->Item(I);
    if (Item->Selected() && ItemHasData(Item)) {
      ++N;
    }
  }
  return N;
}

std::vector<LPCITEMIDLIST> TPTCustomShellList::SelectedIdLists() {
  std::vector<LPCITEMIDLIST> Lists;
  for (int I = 0; I < Items()->Count(); ++I) {
    TListItem* Item = Items()->Item(I);
    if (Item->Selected()) {
      if (TPTShListData* D = GetDataFromItem(Item)) {
        Lists.push_back(D->GetRelativeIdList());
      }
    }
  }
  return Lists;
}

void TPTCustomShellList::GetDispInfo(NMLVDISPINFO& Info) {
  auto* Item = reinterpret_cast<TListItem*>(Info.item.lParam);
  TPTShListData* D = GetDataFromItem(Item);
  if (!D) {
    return;
  }
  if ((Info.item.mask & LVIF_TEXT) && Info.item.pszText && Info.item.cchTextMax > 0) {
    std::string Text;
    if (Info.item.iSubItem == 0) {
      if (Item->Caption().empty()) {
        Item->SetCaption(D->GetDisplayName());
      }
      Text = Item->Caption();
    } else {
      const int N = Info.item.iSubItem;
      if (N <= Item->SubItems()->Count()) {
        Text = Item->SubItems()->Strings(N - 1);
        if (Text.empty()) {
          Text = D->GetColText(N);
        }
      }
    }
    const std::size_t Max = static_cast<std::size_t>(Info.item.cchTextMax - 1);
    const std::size_t Len = std::min(Text.size(), Max);
    std::memcpy(Info.item.pszText, Text.data(), Len);
    Info.item.pszText[Len] = 0;
  }
  if ((Info.item.mask & LVIF_IMAGE) && Info.item.iSubItem == 0) {
    if (Item->ImageIndex() < 1) {
      Info.item.iImage = ShellGetIconIndex(D->GetAbsoluteIdList(), SHGFI_SMALLICON);
    } else {
      Info.item.iImage = Item->ImageIndex();
    }
  }
}

void TPTCustomShellList::PTCustomDraw(NMLVCUSTOMDRAW* Notification, LRESULT& Result) {
  Result = 0;
  const DWORD Stage = Notification->nmcd.dwDrawStage;
  TListItem* Item = (Stage & CDDS_ITEM) ? reinterpret_cast<TListItem*>(Notification->nmcd.lItemlParam) : nullptr;
  SetCustomDraw(CreateCustomDraw(Notification, &Result));
  PTCustomDrawSh(CurrentCustomDraw(), Item, GetDataFromItem(Item));
  CurrentCustomDraw()->Apply();
  if (Stage & CDDS_PREPAINT) {
    Result |= CDRF_NOTIFYITEMDRAW;
  }
}

void TPTCustomShellList::PTCustomDrawSh(TPTCustomDraw* CD, TListItem* Item, TPTShListData* Data) {
  if (OnCustomDrawShEx) {
    OnCustomDrawShEx(this, CD, Item, Data);
  }
  if (OnCustomDrawSh && CD->GetDrawStage() == ptcdsItemPrePaint) {
    OnCustomDrawSh(this, CD, Item, Data);
  }
}

// ---- Folder changes and links ----------------------------------------------------------------------------------------

void TPTCustomShellList::FolderChanged() {
  if (OnFolderChanged) {
    OnFolderChanged(this);
  }
}

void TPTCustomShellList::HandleOnFolderChanged() {
  if (FFolderChangeNesting == 0) {
    ++FFolderChangeNesting;
    try {
      if (FShellTree) {
        FShellTree->SetSelectedFolder(FFolder.get());
      } else if (FShellCombo) {
        if (TPTShellLocator* L = FShellCombo->ComboSelectedFolder()) {
          L->Assign(FFolder.get());
        }
      }
      if (!ComponentState().Contains(csLoading)) {
        FillItems();
      }
    } catch (...) {
      --FFolderChangeNesting;
      throw;
    }
    --FFolderChangeNesting;
  }
  FolderChanged();
}

void TPTCustomShellList::NavigateTo(LPCITEMIDLIST Absolute) {
  if (FOptions.Contains(ptsloDontChangeFolder)) {
    return;
  }
  ClearItems();
  if (FShellTree) {
    TPTShellLocator L;
    L.SetIdList(Absolute);
    FShellTree->SetSelectedFolder(&L);
  } else if (FShellCombo && FShellCombo->ComboSelectedFolder()) {
    FShellCombo->ComboSelectedFolder()->SetIdList(Absolute);
  } else {
    FFolder->SetIdList(Absolute);
  }
}

void TPTCustomShellList::GoUp(int Levels) {
  if (FOptions.Contains(ptsloDontChangeFolder)) {
    return;
  }
  if (FShellTree) {
    FShellTree->GoUp(Levels);
  } else if (FShellCombo) {
    FShellCombo->ComboGoUp(Levels);
  } else {
    TPTIdListArray Chain(FFolder->GetIdList());
    if (Chain.GetCount() > 0) {
      LPITEMIDLIST Up = CopyIdList(nullptr, Chain.GoUp(std::min(Levels, Chain.GetCount())));
      FFolder->SetIdList(Up);
      ShellMemFree(Up);
    }
  }
}

void TPTCustomShellList::Synchronize(bool Propagate) {
  if (Propagate) {
    if (FShellCombo) {
      FShellCombo->SynchronizeFromLink();
    }
    if (FShellTree) {
      FShellTree->Synchronize(false);
    }
  }
  if (FTimer->Enabled()) {
    TimerElapsed(FTimer.get());
  }
}

void TPTCustomShellList::SetShellTree(TPTCustomShellTree* Tree) {
  if (FShellTree == Tree) {
    return;
  }
  if (FShellTree) {
    FShellTree->RemoveFreeNotification(this);
  }
  FShellTree = Tree;
  if (Tree) {
    Tree->FreeNotification(this);
  }
}

void TPTCustomShellList::SetShellCombo(TPTShellComboLink* Combo) {
  if (FShellCombo == Combo) {
    return;
  }
  if (FShellComboComponent) {
    FShellComboComponent->RemoveFreeNotification(this);
  }
  FShellCombo = Combo;
  // Kept apart from the link: a combo box that is being freed can no longer be asked for its component.
  FShellComboComponent = Combo ? Combo->LinkComponent() : nullptr;
  if (FShellComboComponent) {
    FShellComboComponent->FreeNotification(this);
  }
}

void TPTCustomShellList::TreeChanged(TTreeNode* Node) {
  if (ComponentState().Contains(csLoading) || !FShellTree) {
    return;
  }
  if (TPTShTreeData* D = FShellTree->GetDataFromNode(Node)) {
    FFolder->SetIdList(D->GetAbsPidl());
  }
}

void TPTCustomShellList::SetFolderFromTree(TPTShellLocator* Folder) {
  if (ComponentState().Contains(csLoading) || !Folder) {
    return;
  }
  FFolder->Assign(Folder);
}

bool TPTCustomShellList::IsFolderNetworkShare() {
  std::string Path;
  ShellGetPathFromIdList(FFolderPidl, Path);
  return Path.rfind("//", 0) == 0 || Path.rfind("\\\\", 0) == 0;
}

// ---- Change notices ----------------------------------------------------------------------------------------------

void TPTCustomShellList::InstallChangeHandler() {
  FTimer->SetEnabled(false);
  if (!HandleAllocated()) {
    return;
  }
  if (FChangeThread) {
    FChangeThread->RemoveAllWatches();
  } else {
    FChangeThread = std::make_unique<TChangeHandlerThread>(Handle(), AM_CHANGENOTIFY);
  }
  FWatched.clear();
  std::string Path;
  ShellGetPathFromIdList(FFolderPidl, Path);
  if (Path.empty()) {
    return;
  }
  int Slot = -1;
  if (FChangeThread->AddWatch(Path, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME, Slot, false)) {
    FWatched = Path;
  }
}

void TPTCustomShellList::AMChangeNotify() {
  if (FSuppressNextNotice || FInDragOrMenu) {
    FSuppressNextNotice = false;
    return;
  }
  FTimer->SetEnabled(false);
  FTimer->SetInterval(Focused() ? RefreshDelayFocused : RefreshDelayUnfocused);
  FTimer->SetEnabled(true);
}

void TPTCustomShellList::TimerElapsed(TObject*) {
  FTimer->SetEnabled(false);
  ++FFolderChangeNesting;
  try {
    Synchronize(true);
  } catch (...) {
    --FFolderChangeNesting;
    throw;
  }
  --FFolderChangeNesting;
  RefreshItems();
}

void TPTCustomShellList::DeviceChangeDetected(TPTDeviceChangeHandler*, TMessage& Message) {
  if (Message.WParam != DBT_DEVICEARRIVAL && Message.WParam != DBT_DEVICEREMOVECOMPLETE) {
    return;
  }
  FlushDriveInfoCache();
  LockFlushDriveInfoCache();
  try {
    if (HandleAllocated() && ShellCSIDLEqualsIdList(FFolderPidl, csidlDrives)) {
      FillItems();
    }
  } catch (...) {
    UnlockFlushDriveInfoCache();
    throw;
  }
  UnlockFlushDriveInfoCache();
}

// ---- Messages ----------------------------------------------------------------------------------------------------

void TPTCustomShellList::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case AM_DEFERREDFILL:
      if (Items()->Count() == 0) {
        FillItems();
      }
      return;
    case AM_CHANGENOTIFY: AMChangeNotify(); return;
    case WM_GETISHELLBROWSER:
      Message.Result = 0;  // no explorer window hosts the list
      return;
    case CM_DESIGNHITTEST:
      Message.Result = FOptions.Contains(ptsloDesignInteractive) ? 1 : 0;
      return;
    case AM_DEFERREDEDIT: AMDeferredEdit(); return;
    case CM_WANTSPECIALKEY:
      // While a caption is edited the list takes every key; Enter on a folder opens it instead of pressing a
      // dialog's default button.
      if (IsEditing()) {
        Message.Result = 1;
        return;
      }
      if (Message.WParam == VK_RETURN && FOptions.Contains(ptsloDefaultKeyHandling)) {
        if (TPTShListData* D = GetSelectedItem(); D && D->IsFolder()) {
          Message.Result = 1;
          return;
        }
      }
      break;
    case WM_RBUTTONUP:
      // After a drag that began here the release belongs to the drag, not to a context menu.
      if (FDragStartedHere) {
        FDragStartedHere = false;
        Message.Result = 0;
        return;
      }
      break;
    case WM_WINDOWPOSCHANGED:
      if (FDestroyingWindow) {
        return;
      }
      break;
    case WM_DESTROY:
      RememberColumnWidths();
      FTimer->SetEnabled(false);
      FChangeThread.reset();
      FWatched.clear();
      RegisterDropTarget(false);
      break;
    case WM_MENUSELECT:
      TPTCustomListView::Dispatch(Message);
      PTShMenuSelect(FOpenMenu, Message,
                     OnPopupHint ? std::function<void(const std::string&)>(
                                       [this](const std::string& H) { OnPopupHint(this, H); })
                                 : nullptr);
      return;
    case WM_INITMENUPOPUP:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_MENUCHAR:
      TPTCustomListView::Dispatch(Message);
      if (FOpenMenu) {
        void* Out = nullptr;
        if (SUCCEEDED(FOpenMenu->QueryInterface(IID_IContextMenu2, &Out)) && Out) {
          auto* M2 = static_cast<IContextMenu2_NRC*>(Out);
          M2->HandleMenuMsg(Message.Msg, Message.WParam, Message.LParam);
          M2->Release();
        }
      }
      return;
    case CN_NOTIFY: {
      auto* Header = reinterpret_cast<NMHDR*>(Message.LParam);
      if (Header->code == LVN_GETDISPINFO && !OwnerData()) {
        auto* Info = reinterpret_cast<NMLVDISPINFO*>(Message.LParam);
        // The class library's image event first, then the shell's answers.
        if (auto* Item = reinterpret_cast<TListItem*>(Info->item.lParam); Item && (Info->item.mask & LVIF_IMAGE)) {
          Info->item.iImage = Item->ImageIndex();
        }
        GetDispInfo(*Info);
        Message.Result = 0;
        return;
      }
      if ((Header->code == LVN_BEGINDRAG || Header->code == LVN_BEGINRDRAG) && FOptions.Contains(ptsloOleDrag)) {
        TPTCustomListView::Dispatch(Message);
        OleBeginDrag(Header->code == LVN_BEGINDRAG ? 0 : 1);
        return;
      }
      break;
    }
    default: break;
  }
  TPTCustomListView::Dispatch(Message);
}

// ---- Publishing --------------------------------------------------------------------------------------------------

void TPTShellList::Publish(TMetaClass& Meta) {
  TPublisher<TPTShellList> P(Meta);
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  P.Property("HideSelection", &TPTShellList::HideSelection, &TPTShellList::HideSelection).Default(true);
  P.Property("HotTrack", &TPTShellList::HotTrack, &TPTShellList::SetHotTrack).Default(false);
  P.Property("MultiSelect", &TPTShellList::MultiSelect, &TPTShellList::SetMultiSelect).Default(false);
  P.Property("ReadOnly", &TPTShellList::ReadOnly, &TPTShellList::ReadOnly).Default(false);
  P.Property("RowSelect", &TPTShellList::RowSelect, &TPTShellList::RowSelect).Default(false);
  P.Property("ShowColumnHeaders", &TPTShellList::ShowColumnHeaders, &TPTShellList::ShowColumnHeaders).Default(true);
  P.Property("ViewStyle", &TPTShellList::GetViewStyle, &TPTShellList::SetViewStyle).Default(vsIcon);
  P.Property("HeaderSortDisplayMode", &TPTShellList::HeaderSortDisplayMode, &TPTShellList::SetHeaderSortDisplayMode)
      .Default(ptlvRightOfText);
  P.Property("OnItemContextMenu", &TPTShellList::OnItemContextMenu, &TPTShellList::OnItemContextMenu);
  P.Property("Options", &TPTShellList::Options, &TPTShellList::SetOptions).Default(PTShellListDefaultOptions());
  P.Property("Folder", &TPTShellList::Folder, &TPTShellList::SetFolder).Stored(&TPTShellList::IsFolderStored);
  P.Property("FileFilter", &TPTShellList::FileFilter, &TPTShellList::SetFileFilter);
  P.Property("OnAddItem", &TPTShellList::OnAddItem, &TPTShellList::OnAddItem);
  P.Property("OnDeleteItem", &TPTShellList::OnDeleteItem, &TPTShellList::OnDeleteItem);
  P.Property("OnPopupHint", &TPTShellList::OnPopupHint, &TPTShellList::OnPopupHint);
  P.Property("OnDblClickOpen", &TPTShellList::OnDblClickOpen, &TPTShellList::OnDblClickOpen);
  P.Property("OnCustomDrawSh", &TPTShellList::OnCustomDrawSh, &TPTShellList::OnCustomDrawSh);
  P.Property("OnCustomDrawShEx", &TPTShellList::OnCustomDrawShEx, &TPTShellList::OnCustomDrawShEx);
  P.Property("OnFillStart", &TPTShellList::OnFillStart, &TPTShellList::OnFillStart);
  P.Property("OnFillComplete", &TPTShellList::OnFillComplete, &TPTShellList::OnFillComplete);
  P.Property("OnFolderChanged", &TPTShellList::OnFolderChanged, &TPTShellList::OnFolderChanged);
  P.Property("OnChange", &TPTShellList::OnChange, &TPTShellList::OnChange);
  P.Property("OnColumnClick", &TPTShellList::OnColumnClick, &TPTShellList::OnColumnClick);
  P.Property("OnEdited", &TPTShellList::OnEdited, &TPTShellList::OnEdited);
  P.Property("OnEditing", &TPTShellList::OnEditing, &TPTShellList::OnEditing);
  P.Property("OnSelectItem", &TPTShellList::OnSelectItem, &TPTShellList::OnSelectItem);
}

Z_IMPLEMENT_CLASS(TPTShListData, TObject)
Z_IMPLEMENT_CLASS(TPTCustomShellList, TPTCustomListView)
Z_IMPLEMENT_CLASS_PUBLISHED(TPTShellList, TPTCustomShellList, TPTShellList::Publish)
