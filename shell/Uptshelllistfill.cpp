// The shell list's contents: item data, the file filter, filling and the merge refresh, columns and their width
// memory, sorting, and texts and icons on demand.
#include "shell/Uptshelllist.h"

#include "platform/classes/Registry.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/MessageBox.h"
#include "shell/Uptshconsts.h"

#include <algorithm>
#include <cstring>

namespace {
const char* const SExceptionInAddNewShellItem = "Exception in AddNewShellItem";
const char* const SExplorerKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr int DirectoryColsMax = 22;

// The "DirectoryCols" bytes seen at the last rebuild of the default columns (length 0 before the first).
std::string& KeptDirectoryCols() {
  static std::string Kept;
  return Kept;
}
}  // namespace

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
      StrretFree(D.str);
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
  // A folder that cannot be read leaves the list with the folder it had.
  auto RestoreOld = [&] {
    ShellMemFree(FFolderPidl);
    FFolderPidl = OldPidl;
    if (FFolderShf) {
      FFolderShf->Release();
    }
    FFolderShf = OldFolder;
    if (FDetails) {
      FDetails->Release();
      FDetails = nullptr;
    }
    FDetailsFetched = false;
  };
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
      RestoreOld();
      Finish();
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
        RestoreOld();
        Finish();
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
    RestoreOld();
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
  // Entries found on both sides are marked rather than removed: removing them one by one from the middle of
  // the lists would make the merge of a large folder quadratic.
  std::vector<bool> New(static_cast<std::size_t>(B.GetCount()), true);
  for (int I = B.GetCount() - 1; I >= 0; --I) {
    const int J = A.IndexOf(B.GetPIDL(I));
    if (J >= 0 && A.GetObject(J)) {
      A.SetObject(J, nullptr);
      New[static_cast<std::size_t>(I)] = false;
    }
  }
  Items()->BeginUpdate();
  try {
    std::vector<int> Gone;
    for (int I = 0; I < A.GetCount(); ++I) {
      if (auto* Item = reinterpret_cast<TListItem*>(A.GetObject(I))) {
        Gone.push_back(Item->Index());
      }
    }
    Items()->DeleteSeveral(Gone);
    for (int I = 0; I < B.GetCount(); ++I) {
      if (New[static_cast<std::size_t>(I)]) {
        AddNewShellItem(Folder, B.GetPIDL(I));
      }
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
  const int Count = Items()->Count();
  if (Count < 2) {
    return;
  }
  if (FSortColumn == 0 || !FFolderShf) {
    AlphaSort();
    return;
  }
  IShellFolder_NRC* Folder = FFolderShf;
  const LPARAM Column = std::abs(FSortColumn) - 1;
  const bool Reverse = FSortColumn < 0;
  // The keys are sorted in one compact array (a large folder compares a great many times), then the items are
  // put in that order. Items without shell data keep their order after the others.
  struct TKey {
    LPCITEMIDLIST Relative;
    int Index;
  };
  std::vector<TKey> Keys, Others;
  Keys.reserve(static_cast<std::size_t>(Count));
  for (int I = 0; I < Count; ++I) {
    if (TPTShListData* D = GetDataFromItem(Items()->Item(I))) {
      Keys.push_back({D->GetRelativeIdList(), I});
    } else {
      Others.push_back({nullptr, I});
    }
  }
  std::stable_sort(Keys.begin(), Keys.end(), [Folder, Column, Reverse](const TKey& A, const TKey& B) {
    const HRESULT Hr = Folder->CompareIDs(Column, A.Relative, B.Relative);
    if (FAILED(Hr)) {
      return false;  // a failed comparison counts as equal
    }
    const int R = static_cast<short>(Hr & 0xFFFF);
    return Reverse ? R > 0 : R < 0;
  });
  std::vector<int> Order;
  Order.reserve(static_cast<std::size_t>(Count));
  for (const TKey& K : Keys) {
    Order.push_back(K.Index);
  }
  for (const TKey& K : Others) {
    Order.push_back(K.Index);
  }
  SortByOrder(Order);
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
