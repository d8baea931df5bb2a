// The shell combo box: its entries' data, filling from the selected folder, the entries' lazy texts and icons,
// choosing and going up, and the links to a shell tree or shell list.
#include "shell/Uptshellcombo.h"

#include "platform/classes/TypInfo.h"
#include "platform/controls/Forms.h"
#include "platform/win/ListControls.h"
#include "platform/win/Messages.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(TPTShComboData, TObject)
Z_IMPLEMENT_CLASS(TPTCustomShellCombo, TPTCustomImageCombo)
Z_IMPLEMENT_CLASS_PUBLISHED(TPTShellCombo, TPTCustomShellCombo, TPTShellCombo::Publish)

namespace {

// Frees an id list when the scope ends.
struct TIdListHolder {
  LPITEMIDLIST List = nullptr;
  ~TIdListHolder() { ShellMemFree(List); }
};

// Releases a folder reference when the scope ends.
struct TFolderHolder {
  IShellFolder_NRC* Folder = nullptr;
  ~TFolderHolder() {
    if (Folder) {
      Folder->Release();
    }
  }
};

// The attributes an entry is chosen and decorated by.
constexpr ULONG ComboAttributes = SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER |
                                  SFGAO_HIDDEN | SFGAO_SHARE | SFGAO_LINK;

// The folder whose order the sort of subfolders uses; set only while one runs.
IShellFolder_NRC* SortFolder = nullptr;

// Sorts relative lists in the folder's order for column 0.
void SortPidls(IShellFolder_NRC* Folder, std::vector<LPITEMIDLIST>& Lists) {
  if (SortFolder) {
    throw Exception("Recursive call to SortPidls");
  }
  SortFolder = Folder;
  try {
    std::stable_sort(Lists.begin(), Lists.end(), [](LPITEMIDLIST A, LPITEMIDLIST B) {
      return static_cast<short>(SortFolder->CompareIDs(0, A, B) & 0xFFFF) < 0;
    });
  } catch (...) {
    SortFolder = nullptr;
    throw;
  }
  SortFolder = nullptr;
}

bool SameItem(IShellFolder_NRC* Folder, LPCITEMIDLIST A, LPCITEMIDLIST B) {
  const HRESULT Hr = Folder->CompareIDs(0, A, B);
  return SUCCEEDED(Hr) && static_cast<short>(Hr & 0xFFFF) == 0;
}

ULONG AttributesOf(IShellFolder_NRC* Folder, LPCITEMIDLIST Relative) {
  ULONG Attributes = ComboAttributes;
  LPCITEMIDLIST Items[1] = {Relative};
  if (FAILED(Folder->GetAttributesOf(1, Items, &Attributes))) {
    Attributes = ComboAttributes;
  }
  return Attributes;
}

// The name of an item as its folder gives it for the flags.
std::string DisplayName(IShellFolder_NRC* Folder, LPCITEMIDLIST Relative, DWORD Flags) {
  static const BYTE Empty[2] = {0, 0};
  const LPCITEMIDLIST Asked = Relative ? Relative : reinterpret_cast<LPCITEMIDLIST>(Empty);
  STRRET R;
  std::string Name;
  if (SUCCEEDED(Folder->GetDisplayNameOf(Asked, Flags, &R))) {
    StrretToString(Asked, R, Name);
    StrretFree(R);
  }
  return Name;
}

IShellFolder_NRC* BindFolder(IShellFolder_NRC* Parent, LPCITEMIDLIST Relative) {
  void* Out = nullptr;
  const HRESULT Hr = Parent->BindToObject(Relative, nullptr, IID_IShellFolder, &Out);
  if (FAILED(Hr) || !Out) {
    PTShRaiseSysError(FAILED(Hr) ? Hr : E_FAIL);
  }
  return static_cast<IShellFolder_NRC*>(Out);
}

}  // namespace

// ---- TPTShComboData ----------------------------------------------------------------------------------------------

TPTShComboData::~TPTShComboData() {
  if (FThisFolder) {
    FThisFolder->Release();
  }
  if (FParentFolder) {
    FParentFolder->Release();
  }
  ShellMemFree(FParentAbs);
  ShellMemFree(FRelPidl);
  ShellMemFree(FAbsPidl);
}

void TPTShComboData::SetData(IShellFolder_NRC* ParentFolder, LPCITEMIDLIST ParentAbs, LPCITEMIDLIST Relative) {
  if (ParentFolder) {
    ParentFolder->AddRef();
  }
  if (FParentFolder) {
    FParentFolder->Release();
  }
  FParentFolder = ParentFolder;
  ShellMemFree(FParentAbs);
  ShellMemFree(FRelPidl);
  ShellMemFree(FAbsPidl);
  FParentAbs = ParentAbs ? CopyIdList(nullptr, ParentAbs) : nullptr;
  FRelPidl = Relative ? CopyIdList(nullptr, Relative) : nullptr;
  FAbsPidl = Relative ? ConcatIdLists(nullptr, ParentAbs, Relative) : nullptr;
  if (FThisFolder) {
    FThisFolder->Release();
    FThisFolder = nullptr;
  }
}

IShellFolder_NRC* TPTShComboData::GetThisIShf() {
  if (FThisFolder) {
    return FThisFolder;
  }
  if (!FAbsPidl) {
    const HRESULT Hr = ShellGetDesktopFolder(FThisFolder);
    if (FAILED(Hr)) {
      PTShRaiseSysError(Hr);
    }
    return FThisFolder;
  }
  FThisFolder = BindFolder(FParentFolder, FRelPidl);
  return FThisFolder;
}

// ---- TPTCustomShellCombo: lifecycle and links --------------------------------------------------------------------

TPTCustomShellCombo::TPTCustomShellCombo(TComponent* AOwner)
    : TPTCustomImageCombo(AOwner),
      FImages(std::make_unique<TCustomImageList>(nullptr)),
      FSelectedFolder(std::make_unique<TPTShellLocator>()) {
  PTInitializeCom();
  FImages->ShareImages = true;
  FImages->SetHandle(ShellGetSystemImageList(ptsizSmall));
  SetImageList(FImages.get());
  FSelectedFolder->OnChange = [this](TObject*) { SelectedFolderChanged(); };
}

TPTCustomShellCombo::~TPTCustomShellCombo() {
  FSelectedFolder->OnChange = nullptr;
  if (FShellTree) {
    FShellTree->SetShellCombo(nullptr);
  }
  if (FShellList) {
    FShellList->SetShellCombo(nullptr);
  }
  // The entries (and their data) go with the window, before the image list goes.
  if (HandleAllocated()) {
    ClearItems();
  }
  SetImageList(nullptr);
}

void TPTCustomShellCombo::SetShellTree(TPTCustomShellTree* Tree) {
  if (Tree && FShellList) {
    return;
  }
  if (Tree == FShellTree) {
    return;
  }
  if (FShellTree) {
    FShellTree->SetShellCombo(nullptr);
    FShellTree->RemoveFreeNotification(this);
  }
  FShellTree = Tree;
  if (FShellTree) {
    FShellTree->FreeNotification(this);
    FShellTree->SetShellCombo(this);
  }
}

void TPTCustomShellCombo::SetShellList(TPTShellListLink* List) {
  if (List && FShellTree) {
    return;
  }
  if (List == FShellList) {
    return;
  }
  if (FShellList) {
    TPTShellListLink* Old = FShellList;
    FShellList = nullptr;
    Old->SetShellCombo(nullptr);
    if (TComponent* C = Old->LinkComponent()) {
      C->RemoveFreeNotification(this);
    }
  }
  FShellList = List;
  if (FShellList) {
    if (TComponent* C = FShellList->LinkComponent()) {
      C->FreeNotification(this);
    }
    FShellList->SetShellCombo(this);
  }
}

void TPTCustomShellCombo::SetShellListComponent(TComponent* Value) {
  SetShellList(dynamic_cast<TPTShellListLink*>(Value));
}

void TPTCustomShellCombo::ListUnlinked(TPTShellListLink* List) {
  if (List && List == FShellList) {
    if (TComponent* C = FShellList->LinkComponent()) {
      C->RemoveFreeNotification(this);
    }
    FShellList = nullptr;
  }
}

void TPTCustomShellCombo::Notification(TComponent* AComponent, TOperation Operation) {
  TPTCustomImageCombo::Notification(AComponent, Operation);
  if (Operation != opRemove) {
    return;
  }
  if (FShellTree && AComponent == FShellTree) {
    FShellTree = nullptr;
  }
  if (FShellList && FShellList->LinkComponent() == AComponent) {
    FShellList = nullptr;
  }
}

void TPTCustomShellCombo::CreateWnd() {
  TPTCustomImageCombo::CreateWnd();
  if (FOptions.Contains(ptscoAutofill) && !ComponentState().Contains(csLoading)) {
    FillItems();
  }
}

void TPTCustomShellCombo::DestroyWnd() {
  ClearItems();
  TPTCustomImageCombo::DestroyWnd();
}

void TPTCustomShellCombo::Loaded() {
  TPTCustomImageCombo::Loaded();
  if (!FOptions.Contains(ptscoAutofill)) {
    return;
  }
  ++FNesting;
  try {
    FillItems();
    if (FShellTree) {
      FShellTree->SetSelectedFolder(FSelectedFolder.get());
      FShellTree->RefreshNodes();
    } else if (FShellList) {
      FShellList->ListFolder()->Assign(FSelectedFolder.get());
    }
  } catch (...) {
    --FNesting;
    throw;
  }
  --FNesting;
}

// ---- Selection and links in motion -------------------------------------------------------------------------------

void TPTCustomShellCombo::SelectedFolderChanged() {
  if (FNesting > 0) {
    return;
  }
  ++FNesting;
  try {
    if (FShellTree) {
      FShellTree->SetSelectedFolder(FSelectedFolder.get());
    } else if (FShellList) {
      FShellList->ListFolder()->SetIdList(FSelectedFolder->GetIdList());
    }
  } catch (...) {
    --FNesting;
    throw;
  }
  --FNesting;
  FillItems();
}

void TPTCustomShellCombo::TreeChanged(TTreeNode* Node) {
  if (!Node || !FShellTree || !Node->Selected()) {
    return;
  }
  if (TPTShTreeData* D = FShellTree->GetDataFromNode(Node)) {
    FSelectedFolder->SetIdList(D->GetAbsPidl());
  }
}

void TPTCustomShellCombo::SetFolderFromTree(TPTShellLocator* Folder) {
  ++FNesting;
  FSelectedFolder->Assign(Folder);
  --FNesting;
  FillItems();
}

void TPTCustomShellCombo::Synchronize(bool Propagate) {
  if (!Propagate) {
    return;
  }
  if (FShellTree) {
    FShellTree->Synchronize(false);
  }
  if (FShellList) {
    FShellList->SynchronizeFromLink();
  }
}

void TPTCustomShellCombo::SelEndOk() {
  TPTCustomImageCombo::SelEndOk();
  if (TPTShComboData* D = GetShComboData(ItemIndex())) {
    FSelectedFolder->SetIdList(D->AbsPidl());
  }
}

void TPTCustomShellCombo::GoUp(int Levels) {
  const int Selected = ItemIndex();
  TPTImageComboItem* Item = GetImageComboItem(Selected);
  if (!Item) {
    return;
  }
  const int Floor = Item->Indent() - Levels + 1;
  int I = Selected;
  while (I > 0) {
    TPTImageComboItem* At = GetImageComboItem(I);
    if (!At || At->Indent() < Floor) {
      break;
    }
    --I;
  }
  if (I != Selected) {
    if (TPTShComboData* D = GetShComboData(I)) {
      FSelectedFolder->SetIdList(D->AbsPidl());
    }
  }
}

TPTShComboData* TPTCustomShellCombo::GetShComboData(int Index) {
  TPTImageComboItem* Item = Index >= 0 ? GetImageComboItem(Index) : nullptr;
  return Item ? dynamic_cast<TPTShComboData*>(Item->Data) : nullptr;
}

bool TPTCustomShellCombo::CanAdd(IShellFolder_NRC* Folder, LPCITEMIDLIST ParentAbs, int Level, ULONG Attributes,
                                 LPCITEMIDLIST Relative) {
  (void)Folder;
  (void)ParentAbs;
  (void)Level;
  (void)Attributes;
  (void)Relative;
  return true;
}

// ---- Filling -----------------------------------------------------------------------------------------------------

void TPTCustomShellCombo::FillItems() {
  if (!HandleAllocated()) {
    return;
  }
  ++FNesting;
  SendMessage(FHandle, WM_SETREDRAW, FALSE, 0);
  auto Finish = [this] {
    SendMessage(FHandle, WM_SETREDRAW, TRUE, 0);
    Invalidate();
    --FNesting;
  };
  std::vector<LPITEMIDLIST> Chain;
  TFolderHolder Desktop;
  try {
    SetItemIndex(-1);
    ClearItems();
    TPTIdListArray Array(FSelectedFolder->GetIdList());
    for (int I = 0; I < Array.GetCount(); ++I) {
      Chain.push_back(CopyIdList(nullptr, Array.GetItem(I)));
    }
    const HRESULT Hr = ShellGetDesktopFolder(Desktop.Folder);
    if (FAILED(Hr)) {
      PTShRaiseSysError(Hr);
    }
    FillCombo(Desktop.Folder, nullptr, &Chain, -1);
    if (ItemIndex() < 0 && ItemCount() > 0) {
      SetItemIndex(0);
    }
  } catch (...) {
    for (LPITEMIDLIST L : Chain) {
      ShellMemFree(L);
    }
    Finish();
    throw;
  }
  for (LPITEMIDLIST L : Chain) {
    ShellMemFree(L);
  }
  Finish();
}

TPTImageComboItem* TPTCustomShellCombo::AddFolderEntry(IShellFolder_NRC* Folder, LPCITEMIDLIST ParentAbs,
                                                       LPCITEMIDLIST Relative, ULONG Attributes, int Indent,
                                                       bool Selected) {
  auto Data = std::make_unique<TPTShComboData>(this);
  Data->SetData(Folder, ParentAbs, Relative);
  TPTImageComboItem* Item = nullptr;
  if (Selected) {
    Item = AddItem(DisplayName(Folder, Relative, SHGDN_FORADDRESSBAR | SHGDN_INFOLDER), -1, Indent);
    SetItemValues(Item, Item->Caption(), ShellGetIconIndex(Data->AbsPidl(), SHGFI_SMALLICON | SHGFI_OPENICON));
  } else {
    Item = AddItem("", -1, Indent);
  }
  Item->Data = Data.release();
  if (Attributes & SFGAO_SHARE) {
    Item->SetOverlayIndex(0);
  } else if (Attributes & SFGAO_LINK) {
    Item->SetOverlayIndex(1);
  }
  if (Selected) {
    SetItemIndex(Item->Index());
  }
  return Item;
}

void TPTCustomShellCombo::AddChainBelow(IShellFolder_NRC* Folder, LPCITEMIDLIST Abs,
                                        const std::vector<LPITEMIDLIST>& Chain, int Start) {
  TFolderHolder Current;
  Current.Folder = BindFolder(Folder, Chain[static_cast<std::size_t>(Start) - 1]);
  TIdListHolder CurrentAbs;
  CurrentAbs.List = CopyIdList(nullptr, Abs);
  const int Count = static_cast<int>(Chain.size());
  for (int K = Start; K < Count; ++K) {
    LPCITEMIDLIST Id = Chain[static_cast<std::size_t>(K)];
    const ULONG Attributes = AttributesOf(Current.Folder, Id);
    const bool Last = K == Count - 1;
    AddFolderEntry(Current.Folder, CurrentAbs.List, Id, Attributes, K + 1, Last);
    if (Last) {
      break;
    }
    IShellFolder_NRC* Next = BindFolder(Current.Folder, Id);
    Current.Folder->Release();
    Current.Folder = Next;
    LPITEMIDLIST Deeper = ConcatIdLists(nullptr, CurrentAbs.List, Id);
    ShellMemFree(CurrentAbs.List);
    CurrentAbs.List = Deeper;
  }
}

void TPTCustomShellCombo::FillCombo(IShellFolder_NRC* Folder, LPCITEMIDLIST ParentAbs, std::vector<LPITEMIDLIST>* Chain,
                                    int Level) {
  TIdListHolder Drives;
  HRESULT Hr = ShellGetSpecialFolderIdList(FHandle, csidlDrives, Drives.List);
  if (FAILED(Hr)) {
    PTShRaiseSysError(Hr);
  }
  if (Level == -1) {
    auto Data = std::make_unique<TPTShComboData>(this);
    Data->SetData(Folder, nullptr, nullptr);
    TPTImageComboItem* Desktop =
        AddItem(DisplayName(Folder, nullptr, SHGDN_NORMAL), ShellGetIconIndex(nullptr, SHGFI_SMALLICON), 0);
    Desktop->Data = Data.release();
    Level = 1;
  }
  IEnumIDList_NRC* Enum = nullptr;
  Hr = Folder->EnumObjects(FHandle, SHCONTF_FOLDERS, &Enum);
  if (FAILED(Hr) || !Enum) {
    PTShRaiseSysError(FAILED(Hr) ? Hr : E_FAIL);
  }
  std::vector<LPITEMIDLIST> Subfolders;
  auto FreeAll = [&] {
    for (LPITEMIDLIST L : Subfolders) {
      ShellMemFree(L);
    }
    Subfolders.clear();
    if (Enum) {
      Enum->Release();
      Enum = nullptr;
    }
  };
  try {
    for (;;) {
      LPITEMIDLIST Item = nullptr;
      ULONG Fetched = 0;
      if (Enum->Next(1, &Item, &Fetched) != S_OK || Fetched == 0) {
        break;
      }
      Subfolders.push_back(Item);
    }
    SortPidls(Folder, Subfolders);
    for (LPITEMIDLIST Id : Subfolders) {
      const ULONG Attributes = AttributesOf(Folder, Id);
      const bool Wanted = FOptions.Contains(ptscoNonFilesystemAncestors) ||
                          (Attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)) != 0;
      if (!Wanted || !CanAdd(Folder, ParentAbs, Level, Attributes, Id)) {
        continue;
      }
      const int Depth = Chain ? static_cast<int>(Chain->size()) : 0;
      const bool OnPath = Depth >= Level && SameItem(Folder, Id, (*Chain)[static_cast<std::size_t>(Level) - 1]);
      const bool IsSelected = OnPath && Depth == Level;
      TIdListHolder Abs;
      Abs.List = ConcatIdLists(nullptr, ParentAbs, Id);
      const bool IsDrives = Level == 1 && PTIdListsEqual(Abs.List, Drives.List);
      AddFolderEntry(Folder, ParentAbs, Id, Attributes, Level, IsSelected);
      if (OnPath) {
        if (!IsSelected && !IsDrives) {
          AddChainBelow(Folder, Abs.List, *Chain, Level);
        }
        // The drives folder keeps the chain: it is matched against the drives below it.
        if (!IsDrives) {
          Chain = nullptr;
        }
      }
      if (IsDrives) {
        TFolderHolder DrivesFolder;
        DrivesFolder.Folder = BindFolder(Folder, Id);
        FillCombo(DrivesFolder.Folder, Abs.List, IsSelected ? nullptr : Chain, 2);
        if (OnPath) {
          Chain = nullptr;
        }
      }
    }
  } catch (...) {
    FreeAll();
    throw;
  }
  FreeAll();
}

// ---- Entries -----------------------------------------------------------------------------------------------------

void TPTCustomShellCombo::GetItemData(TPTImageComboItem* Item) {
  auto* D = dynamic_cast<TPTShComboData*>(Item->Data);
  if (D && D->ParentFolder()) {
    std::string Caption = Item->Caption();
    int Image = Item->ImageIndex();
    if (Caption.empty()) {
      ShellGetFriendlyNameFromIdList(D->ParentFolder(), D->RelPidl(), ptfnInFolder, Caption);
    }
    if (Image < 0) {
      Image = ShellGetIconIndex(D->AbsPidl(), SHGFI_SMALLICON);
    }
    SetItemValues(Item, Caption, Image);
  }
  TPTCustomImageCombo::GetItemData(Item);
}

void TPTCustomShellCombo::DeleteItem(void* Item) {
  auto* Entry = static_cast<TPTImageComboItem*>(Item);
  TPTCustomCombobox::DeleteItem(Item);
  delete Entry->Data;
  Entry->Data = nullptr;
  delete Entry;
}

void TPTCustomShellCombo::DropDown() {
  if (FAutoDropDownCount && Parent()) {
    const int Y = Parent()->ClientToScreen(Point(0, Top() + Height())).Y;
    const int H = std::max(ItemHeight(), 1);
    DropDownCount = std::max((Screen->Height() - Y - 1) / H, 1);
  }
  TPTCustomImageCombo::DropDown();
}

void TPTCustomShellCombo::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT && !ComponentState().Contains(csDestroying)) {
    // The shared system images are drawn on the box's colour while it paints.
    const HIMAGELIST List = FImages->Handle();
    const COLORREF Kept = ImageList_SetBkColor(List, ColorToRGB(Color()));
    try {
      TPTCustomImageCombo::Dispatch(Message);
    } catch (...) {
      ImageList_SetBkColor(List, Kept);
      throw;
    }
    ImageList_SetBkColor(List, Kept);
    return;
  }
  TPTCustomImageCombo::Dispatch(Message);
}

void TPTShellCombo::Publish(TMetaClass& Meta) {
  TPublisher<TPTShellCombo> P(Meta);
  P.Property("AutoDropDownCount", &TPTCustomShellCombo::AutoDropDownCount, &TPTCustomShellCombo::SetAutoDropDownCount)
      .Default(true);
  P.Property("ShellTree", &TPTCustomShellCombo::ShellTree, &TPTCustomShellCombo::SetShellTree);
  P.Property("ShellList", &TPTCustomShellCombo::ShellListComponent, &TPTCustomShellCombo::SetShellListComponent);
  P.Property("IndentPixels", &TPTCustomImageCombo::IndentPixels, &TPTCustomImageCombo::SetIndentPixels).Default(12);
  P.Property("Options", &TPTCustomShellCombo::Options, &TPTCustomShellCombo::SetOptions);
  P.Property("OnDeleteItem", &TPTCustomCombobox::OnDeleteItem, &TPTCustomCombobox::OnDeleteItem);
  P.Property("OnCloseUp", &TCustomComboBox::OnCloseUp, &TCustomComboBox::OnCloseUp);
  P.Property("OnSelEndCancel", &TPTCustomCombobox::OnSelEndCancel, &TPTCustomCombobox::OnSelEndCancel);
  P.Property("OnSelEndOk", &TPTCustomCombobox::OnSelEndOk, &TPTCustomCombobox::OnSelEndOk);
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  P.Property("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::DropDownCount).Default(8);
}
