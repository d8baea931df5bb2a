// The shell tree: folders and links, filling and expanding, sorting, selection by id list, image indexes,
// options and lifecycle.
#include "shell/Uptshelltree.h"

#include "platform/controls/Forms.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Messages.h"
#include "platform/win/Ole.h"

TPTShellTreeOptions PTShellTreeDefaultOptions() {
  return TPTShellTreeOptions{ptstoAutoFill,  ptstoVirtualFolders, ptstoDefaultKeyHandling, ptstoContextMenus,
                             ptstoDynamicRefresh, ptstoOleDrag,  ptstoOleDrop, ptstoShowHidden};
}

TPTCustomShellTree::TPTCustomShellTree(TComponent* AOwner)
    : TPTCustomTreeView(AOwner), FBaseFolder(std::make_unique<TPTShellLocator>()),
      FSelectedFolder(std::make_unique<TPTShellLocator>()), FOptions(PTShellTreeDefaultOptions()),
      FTimer(std::make_unique<TTimer>(nullptr)) {
  PTInitializeCom();
  FTimer->SetEnabled(false);
  FTimer->SetOnTimer([this](TObject* S) { TimerElapsed(S); });
  FBaseFolder->OnChange = [this](TObject*) { BaseFolderChanged(); };
  FSelectedFolder->OnChange = [this](TObject*) { SelectedFolderChanged(); };
  SetShowRoot(false);
  InitImageList();
  PTDeviceChangeHandler()->Add(this, 0, [this](TPTDeviceChangeHandler* S, TMessage& M) { DeviceChangeDetected(S, M); });
}

TPTCustomShellTree::~TPTCustomShellTree() = default;

void TPTCustomShellTree::BeforeDestruction() {
  PTDeviceChangeHandler()->Remove(this, 0);
  RegisterDropTarget(false);
  if (FDropTarget) {
    FDropTarget->Release();
    FDropTarget = nullptr;
  }
  FTimer->SetEnabled(false);
  DestroyChangeThread();
  ++FInternalChange;
  DeleteAllNodes();
  --FInternalChange;
  TPTCustomTreeView::BeforeDestruction();
}

void TPTCustomShellTree::DestroyChangeThread() {
  FChangeThread.reset();
  FWatched.clear();
}

void TPTCustomShellTree::InitImageList() { SetImages(PTSystemImageList(ptsizSmall)); }

// ---- Folders and links -----------------------------------------------------------------------------------------------

void TPTCustomShellTree::SetBaseFolder(TPTShellLocator* Locator) {
  if (ComponentState().Contains(csLoading)) {
    return;
  }
  FBaseFolder->Assign(Locator);
}

void TPTCustomShellTree::BaseFolderChanged() {
  if (ComponentState().Contains(csLoading)) {
    return;
  }
  FSelectedFolder->OnChange = nullptr;
  FSelectedFolder->Clear();
  FSelectedFolder->OnChange = [this](TObject*) { SelectedFolderChanged(); };
  if (FOptions.Contains(ptstoAutoFill)) {
    FApplyNow = true;
    FillItems();
  }
}

void TPTCustomShellTree::SetSelectedFolder(TPTShellLocator* Locator) {
  if (ComponentState().Contains(csLoading) || FInternalChange > 0) {
    if (FShellList) {
      FShellList->SetFolderFromTree(FSelectedFolder.get());
    }
    return;
  }
  FSelectedFolder->Assign(Locator);
}

void TPTCustomShellTree::SelectedFolderChanged() {
  if (Items()->Count() > 0) {
    DoSetSelectedIdList(FSelectedFolder->GetIdList());
  }
}

void TPTCustomShellTree::SetSelectedPathName(const std::string& Path) {
  if (FInternalChange > 0) {
    return;
  }
  FSelectedFolder->SetPathName(Path);
}

std::string TPTCustomShellTree::GetSelectedPathName() {
  TPTShTreeData* D = GetDataFromNode(Selected());
  return D ? D->GetPathName() : std::string();
}

void TPTCustomShellTree::SetShellList(TPTShellTreeLink* List) {
  if (FShellList == List) {
    return;
  }
  if (FShellList) {
    FShellList->SetShellTree(nullptr);
    if (TComponent* C = FShellList->LinkComponent()) {
      C->RemoveFreeNotification(this);
    }
  }
  FShellList = List;
  if (FShellList) {
    FShellList->SetShellTree(this);
    if (TComponent* C = FShellList->LinkComponent()) {
      C->FreeNotification(this);
    }
    FShellList->SetFolderFromTree(FSelectedFolder.get());
  }
}

void TPTCustomShellTree::SetShellCombo(TPTShellTreeLink* Combo) {
  FShellCombo = Combo;
  if (Combo && Combo->LinkComponent()) {
    Combo->LinkComponent()->FreeNotification(this);
  }
}

void TPTCustomShellTree::Notification(TComponent* AComponent, TOperation Operation) {
  TPTCustomTreeView::Notification(AComponent, Operation);
  if (Operation == opRemove) {
    if (FShellList && FShellList->LinkComponent() == AComponent) {
      FShellList = nullptr;
    }
    if (FShellCombo && FShellCombo->LinkComponent() == AComponent) {
      FShellCombo = nullptr;
    }
  }
}

// ---- Nodes -------------------------------------------------------------------------------------------------------------

bool TPTCustomShellTree::NodeHasData(TTreeNode* Node) {
  return Node && Node->Data && dynamic_cast<TPTShTreeData*>(static_cast<TObject*>(Node->Data)) != nullptr;
}

TPTShTreeData* TPTCustomShellTree::GetDataFromNode(TTreeNode* Node) {
  return NodeHasData(Node) ? static_cast<TPTShTreeData*>(static_cast<TObject*>(Node->Data)) : nullptr;
}

TPTShTreeData* TPTCustomShellTree::GetSelectedItem() { return GetDataFromNode(Selected()); }

TPTShTreeData* TPTCustomShellTree::GetShTreeData(int Index) {
  if (Index < 0 || Index >= Items()->Count()) {
    return nullptr;
  }
  return GetDataFromNode(Items()->Item(Index));
}

TTreeNode* TPTCustomShellTree::GetFirstRootLevelShellNode() {
  for (TTreeNode* N = Items()->GetFirstNode(); N; N = N->getNextSibling()) {
    if (NodeHasData(N)) {
      return N;
    }
  }
  return nullptr;
}

TTreeNode* TPTCustomShellTree::FindNodeWithIdList(TTreeNode* Parent, LPCITEMIDLIST Relative) {
  if (!Parent) {
    return GetFirstRootLevelShellNode();
  }
  TPTShTreeData* PD = GetDataFromNode(Parent);
  IShellFolder_NRC* Folder = PD ? PD->GetThisIShf() : nullptr;
  if (!Folder) {
    return nullptr;
  }
  for (TTreeNode* C = Parent->getFirstChild(); C; C = C->getNextSibling()) {
    TPTShTreeData* D = GetDataFromNode(C);
    if (D && Folder->CompareIDs(0, D->GetRelPidl(), Relative) == 0) {
      return C;
    }
  }
  return nullptr;
}

void TPTCustomShellTree::DoOnInsertItem(TTreeNode* Node) {
  FLastInserted = Node;
  if (OnInsertItem) {
    OnInsertItem(this, Node);
  }
}

void TPTCustomShellTree::Delete(TTreeNode* Node) {
  TPTShTreeData* D = GetDataFromNode(Node);
  if (OnDeleteItem) {
    OnDeleteItem(this, Node, D);
  }
  if (Node == FLastInserted) {
    FLastInserted = nullptr;
  }
  if (Node == FDragNode) {
    FDragNode = nullptr;
  }
  if (Node && Node->Data) {
    delete static_cast<TObject*>(Node->Data);
    Node->Data = nullptr;
  }
  TPTCustomTreeView::Delete(Node);
}

void TPTCustomShellTree::DeleteAllNodes() {
  SetSelected(nullptr);
  Items()->Clear();
}

// ---- Filling -------------------------------------------------------------------------------------------------------------

HWND TPTCustomShellTree::GetParentHWND() { return FShellDialogSuppression > 0 ? 0 : PTShGetOwnerFormHandle(this); }

void TPTCustomShellTree::FillStart() {
  if (OnFillStart) {
    OnFillStart(this);
  }
}

void TPTCustomShellTree::FillComplete() {
  if (OnFillComplete) {
    OnFillComplete(this);
  }
}

void TPTCustomShellTree::FillItems() {
  if (FInDragOrMenu || IsEditing()) {
    FRefreshPending = true;
    return;
  }
  TPTBusyCursor Busy;
  ++FInternalChange;
  DeleteAllNodes();
  --FInternalChange;
  IShellFolder_NRC* Folder = nullptr;
  const HRESULT Hr = ShellGetFolderFromIdList(FBaseFolder->GetIdList(), Folder);
  if (FAILED(Hr) || !Folder) {
    PTShRaiseSysError(Hr);
  }
  try {
    FillTree(Folder, nullptr);
  } catch (...) {
    Folder->Release();
    throw;
  }
  if (FSelectedFolder->GetIdList()) {
    DoSetSelectedIdList(FSelectedFolder->GetIdList());
  } else if (Items()->Count() > 0) {
    FApplyNow = true;
    SetSelected(Items()->Item(0));
  }
  Synchronize(false);
  Folder->Release();
  if (FOptions.Contains(ptstoDynamicRefresh) && !IsDesigning()) {
    InstallChangeHandlersForAllLocalDrives();
  }
}

void TPTCustomShellTree::FillTree(IShellFolder_NRC* Folder, TTreeNode* Node) {
  FillStart();
  LPITEMIDLIST Abs = nullptr;
  IEnumIDList_NRC* Enum = nullptr;
  bool Created = false;
  auto Cleanup = [&] {
    ShellMemFree(Abs);
    if (Enum) {
      Enum->Release();
    }
    FillComplete();
  };
  try {
    if (Node) {
      TPTShTreeData* D = GetDataFromNode(Node);
      Abs = CopyIdList(nullptr, D->ParentData() ? nullptr : D->GetAbsPidl());
      if (D->ParentData()) {
        ShellMemFree(Abs);
        Abs = ConcatIdLists(nullptr, D->ParentData()->GetAbsPidl(), D->GetRelPidl());
      }
    } else {
      Abs = CopyIdList(nullptr, FBaseFolder->GetIdList());
      std::string Caption;
      ShellGetFriendlyNameForLastIdListElement(Abs, Caption);
      Node = Items()->AddObject(nullptr, Caption, nullptr);
      Node->SetImageIndex(ShellGetIconIndex(Abs, SHGFI_SMALLICON));
      Node->SetSelectedIndex(ShellGetIconIndex(Abs, SHGFI_SMALLICON | SHGFI_OPENICON));
      auto* Data = new TPTShTreeData(this);
      Data->SetData(nullptr, Abs);
      Data->SetThisIShf(Folder);
      Node->Data = Data;
      DoOnInsertItem(Node);
      Created = true;
    }
    DWORD Flags = SHCONTF_FOLDERS;
    if (FOptions.Contains(ptstoShowHidden)) {
      Flags |= SHCONTF_INCLUDEHIDDEN;
    }
    if (FOptions.Contains(ptstoIncludeNonFolders)) {
      Flags |= SHCONTF_NONFOLDERS;
    }
    if (FAILED(Folder->EnumObjects(GetParentHWND(), Flags, &Enum)) || !Enum) {
      Node->SetHasChildren(true);
      Enum = nullptr;
      Cleanup();
      Abort();
    }
    HRESULT Hr = S_OK;
    Items()->BeginUpdate();
    try {
      for (;;) {
        LPITEMIDLIST Item = nullptr;
        ULONG Fetched = 0;
        Hr = Enum->Next(1, &Item, &Fetched);
        if (Hr != S_OK || Fetched == 0) {
          break;
        }
        const HRESULT Add = AddNewShellNode(Folder, Abs, Item, Node);
        ShellMemFree(Item);
        if (FAILED(Add)) {
          PTShRaiseSysError(Add);
        }
      }
    } catch (...) {
      Items()->EndUpdate();
      throw;
    }
    Items()->EndUpdate();
    if (Node->Count() == 0) {
      Node->SetHasChildren(false);
    }
    if (Hr != S_FALSE && Hr != S_OK) {
      if (Hr != E_FAIL) {
        PTShRaiseSysError(Hr);
      }
    } else {
      SortNode(Node);
      if (Created) {
        Node->Expand(false);
      }
    }
  } catch (const EAbort&) {
    throw;
  } catch (...) {
    Cleanup();
    throw;
  }
  Cleanup();
}

HRESULT TPTCustomShellTree::AddNewShellNode(IShellFolder_NRC* Folder, LPCITEMIDLIST ParentAbs,
                                            LPCITEMIDLIST Relative, TTreeNode* ParentNode) {
  if (!Relative) {
    return S_OK;
  }
  ULONG Attr = 0xF20B0000;
  const HRESULT Hr = Folder->GetAttributesOf(1, &Relative, &Attr);
  if (FAILED(Hr)) {
    return Hr;
  }
  const bool Take = FOptions.Contains(ptstoVirtualFolders) || (Attr & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR));
  if (!Take || !CanAdd(Folder, ParentAbs, Attr, Relative)) {
    return S_OK;
  }
  std::string Caption;
  ShellGetFriendlyNameFromIdList(Folder, Relative, ptfnInFolder, Caption);
  TTreeNode* Node = ParentNode ? Items()->AddChildObject(ParentNode, Caption, nullptr)
                               : Items()->AddObject(nullptr, Caption, nullptr);
  const bool Sub = (Attr & SFGAO_HASSUBFOLDER) != 0, IsFolder = (Attr & SFGAO_FOLDER) != 0;
  Node->SetHasChildren(FOptions.Contains(ptstoIncludeNonFolders) ? (Sub || IsFolder) : (Sub && IsFolder));
  if (Attr & SFGAO_SHARE) {
    Node->SetOverlayIndex(0);
  } else if (Attr & SFGAO_LINK) {
    Node->SetOverlayIndex(1);
  }
  if (Attr & SFGAO_GHOSTED) {
    Node->SetCut(true);
  }
  auto* Data = new TPTShTreeData(this);
  Data->SetData(GetDataFromNode(ParentNode), Relative);
  Node->Data = Data;
  DoOnInsertItem(Node);
  return S_OK;
}

bool TPTCustomShellTree::CanAdd(IShellFolder_NRC* Folder, LPCITEMIDLIST ParentAbs, ULONG Attributes,
                                LPCITEMIDLIST Relative) {
  bool Allow = true;
  if (OnAddItem) {
    OnAddItem(this, Folder, ParentAbs, Relative, static_cast<int>(Attributes), Allow);
  }
  return Allow;
}

void TPTCustomShellTree::SortNode(TTreeNode* Node) {
  auto Compare = [this](TTreeNode* A, TTreeNode* B, LPARAM) -> int {
    TPTShTreeData* Da = GetDataFromNode(A);
    TPTShTreeData* Db = GetDataFromNode(B);
    if (!Da || !Db) {
      return 0;
    }
    IShellFolder_NRC* Folder = Da->GetParentIShf();
    if (!Folder || !Da->ParentData()) {
      return 0;
    }
    const HRESULT Hr = Folder->CompareIDs(0, Da->GetRelPidl(), Db->GetRelPidl());
    return FAILED(Hr) ? 0 : static_cast<short>(Hr & 0xFFFF);
  };
  if (Node) {
    Node->CustomSort(Compare, 0, false);
  } else {
    CustomSort(Compare, 0, false);
  }
}

bool TPTCustomShellTree::CanExpand(TTreeNode* Node) {
  if (FExpansionBlock) {
    return false;
  }
  if (!TPTCustomTreeView::CanExpand(Node)) {
    return false;
  }
  ExpandNode(Node);
  return true;
}

void TPTCustomShellTree::ExpandNode(TTreeNode* Node) {
  TPTShTreeData* D = GetDataFromNode(Node);
  if (!D || !Node->HasChildren() || Node->Count() > 0) {
    return;
  }
  IShellFolder_NRC* Folder = D->GetThisIShf();
  if (!Folder) {
    // A folder that cannot be opened keeps its button: a second expansion tries again.
    return;
  }
  TPTBusyCursor Busy;
  try {
    FillTree(Folder, Node);
  } catch (const EAbort&) {
    return;
  }
  if (FOptions.Contains(ptstoDynamicRefresh) && !IsDesigning()) {
    const std::string Path = D->GetPathName();
    if (!Path.empty()) {
      InstallChangeHandler(Path);
    }
  }
}

void TPTCustomShellTree::Synchronize(bool All) {
  if (All) {
    if (FShellList) {
      FShellList->SynchronizeFromTree();
    }
    if (FShellCombo) {
      FShellCombo->SynchronizeFromTree();
    }
  }
  if (FTimer->Enabled()) {
    TimerElapsed(FTimer.get());
  }
}

// ---- Selection ---------------------------------------------------------------------------------------------------------

void TPTCustomShellTree::DoSetSelectedIdList(LPCITEMIDLIST Target) {
  if (FInternalChange > 0) {
    return;
  }
  FApplyNow = true;
  Items()->BeginUpdate();
  TTreeNode* Current = GetFirstRootLevelShellNode();
  TPTIdListArray BaseChain(FBaseFolder->GetIdList());
  TPTIdListArray TargetChain(Target);
  const int B = BaseChain.GetCount(), T = TargetChain.GetCount();
  if (T == 0 || B >= T) {
    if (Current && T != 0) {
      Current->Expand(false);
    }
  } else if (Current) {
    Current->Expand(false);
    for (int Level = B; Level < T; ++Level) {
      LPITEMIDLIST Item = CopyIdList(nullptr, TargetChain.GetItem(Level));
      TTreeNode* Next = FindNodeWithIdList(Current, Item);
      if (!Next) {
        TPTShTreeData* D = GetDataFromNode(Current);
        IShellFolder_NRC* Folder = D ? D->GetThisIShf() : nullptr;
        FLastInserted = nullptr;
        const HRESULT Hr = Folder ? AddNewShellNode(Folder, D->GetAbsPidl(), Item, Current) : E_FAIL;
        if (SUCCEEDED(Hr) && FLastInserted && FLastInserted->Parent() == Current) {
          Next = FLastInserted;
          SortNode(Current);
        } else {
          // The folder cannot be followed (gone, or left out): stop at the deepest folder reached.
          MessageBeep(0);
        }
      }
      ShellMemFree(Item);
      if (!Next) {
        break;
      }
      if (Level < T - 1 || (FShellList && FShellList->HidesFoldersWhenLinked())) {
        Next->Expand(false);
      }
      Current = Next;
    }
  }
  if (Current) {
    SetSelected(Current);
  }
  Items()->EndUpdate();
  if (Current) {
    Current->MakeVisible();
  }
}

void TPTCustomShellTree::ApplySelection(TTreeNode* Node) {
  TPTShTreeData* D = GetDataFromNode(Node);
  if (!D) {
    return;
  }
  ++FInternalChange;
  FSelectedFolder->OnChange = nullptr;
  FSelectedFolder->SetIdList(D->GetAbsPidl());
  FSelectedFolder->OnChange = [this](TObject*) { SelectedFolderChanged(); };
  try {
    if (FShellList) {
      FShellList->TreeChanged(Node);
    }
    if (FShellCombo) {
      FShellCombo->TreeChanged(Node);
    }
  } catch (...) {
    --FInternalChange;
    throw;
  }
  --FInternalChange;
}

void TPTCustomShellTree::Change(TTreeNode* Node) {
  if (FInternalChange > 0 || ComponentState().Contains(csLoading)) {
    if (TPTShTreeData* D = GetDataFromNode(Node)) {
      FSelectedFolder->OnChange = nullptr;
      FSelectedFolder->SetIdList(D->GetAbsPidl());
      FSelectedFolder->OnChange = [this](TObject*) { SelectedFolderChanged(); };
    }
    return;
  }
  TPTCustomTreeView::Change(Node);
  if (!NodeHasData(Node)) {
    return;
  }
  if (FApplyNow || !FShellList) {
    ApplySelection(Node);
    FApplyNow = false;
  } else {
    FTimer->SetEnabled(false);
    FTimer->SetTag(1);
    FTimer->SetInterval(500);
    FTimer->SetEnabled(true);
  }
}

// ---- Images and drawing ---------------------------------------------------------------------------------------------------

void TPTCustomShellTree::GetImageIndex(TTreeNode* Node) {
  if (TPTShTreeData* D = GetDataFromNode(Node); D && Node->ImageIndex() == 0) {
    Node->SetImageIndex(ShellGetIconIndex(D->GetAbsPidl(), SHGFI_SMALLICON));
  }
  TPTCustomTreeView::GetImageIndex(Node);
}

void TPTCustomShellTree::GetSelectedIndex(TTreeNode* Node) {
  if (TPTShTreeData* D = GetDataFromNode(Node); D && Node->SelectedIndex() == 0) {
    Node->SetSelectedIndex(ShellGetIconIndex(D->GetAbsPidl(), SHGFI_SMALLICON | SHGFI_OPENICON));
  }
  TPTCustomTreeView::GetSelectedIndex(Node);
}

void TPTCustomShellTree::PTCustomDraw(NMTVCUSTOMDRAW* Notification, LRESULT& Result) {
  Result = 0;
  const DWORD Stage = Notification->nmcd.dwDrawStage;
  TTreeNode* Node = (Stage & CDDS_ITEM) ? reinterpret_cast<TTreeNode*>(Notification->nmcd.lItemlParam) : nullptr;
  SetCustomDraw(CreateCustomDraw(Notification, &Result));
  PTCustomDrawSh(CurrentCustomDraw(), Node, GetDataFromNode(Node));
  CurrentCustomDraw()->Apply();
  if (Stage & CDDS_PREPAINT) {
    Result |= CDRF_NOTIFYITEMDRAW;
  }
}

void TPTCustomShellTree::PTCustomDrawSh(TPTCustomDraw* CD, TTreeNode* Node, TPTShTreeData* Data) {
  if (OnCustomDrawShEx) {
    OnCustomDrawShEx(this, CD, Node, Data);
  }
  if (OnCustomDrawSh && CD->GetDrawStage() == ptcdsItemPrePaint) {
    OnCustomDrawSh(this, CD, Node, Data);
  }
}

// ---- Options and lifecycle ------------------------------------------------------------------------------------------------

void TPTCustomShellTree::SetOptions(TPTShellTreeOptions Value) {
  const TPTShellTreeOptions Old = FOptions;
  FOptions = Value;
  if (!HandleAllocated()) {
    return;
  }
  if (Old.Contains(ptstoOleDrop) != Value.Contains(ptstoOleDrop)) {
    RegisterDropTarget(Value.Contains(ptstoOleDrop));
  }
  ApplyDragStyle();
  if (Old.Contains(ptstoDynamicRefresh) != Value.Contains(ptstoDynamicRefresh) && !IsDesigning()) {
    if (Value.Contains(ptstoDynamicRefresh)) {
      InstallChangeHandlersForAllLocalDrives();
    } else if (FChangeThread) {
      FChangeThread->RemoveAllWatches();
      FWatched.clear();
    }
  }
}

void TPTCustomShellTree::ApplyDragStyle() {
  if (!HandleAllocated()) {
    return;
  }
  const LONG_PTR Style = GetWindowLongPtr(Handle(), GWL_STYLE);
  const bool Disable = !FOptions.Contains(ptstoOleDrag) && DragMode != dmAutomatic;
  SetWindowLongPtr(Handle(), GWL_STYLE, Disable ? (Style | TVS_DISABLEDRAGDROP) : (Style & ~TVS_DISABLEDRAGDROP));
}

void TPTCustomShellTree::CreateWnd() {
  TPTCustomTreeView::CreateWnd();
  ApplyDragStyle();
  if (!IsDesigning() && FOptions.Contains(ptstoOleDrop)) {
    RegisterDropTarget(true);
  }
  if (!ComponentState().Contains(csLoading)) {
    if (FOptions.Contains(ptstoAutoFill) && Items()->Count() == 0) {
      PostMessage(Handle(), AM_DEFERREDFILL, 0, 0);
    }
    if (FShellList) {
      FShellList->SetFolderFromTree(FSelectedFolder.get());
    }
  }
}

void TPTCustomShellTree::DestroyWnd() {
  FDestroyingWindow = true;
  ++FInternalChange;
  DeleteAllNodes();
  --FInternalChange;
  TPTCustomTreeView::DestroyWnd();
  FDestroyingWindow = false;
}

void TPTCustomShellTree::Loaded() {
  if (FOptions.Contains(ptstoAutoFill) && !FShellCombo) {
    if (Items()->Count() == 0 && HandleAllocated()) {
      FillItems();
    }
    if (FShellList) {
      FShellList->SetFolderFromTree(FSelectedFolder.get());
    }
  }
  FExpansionBlock = true;
  try {
    TPTCustomTreeView::Loaded();
  } catch (...) {
    FExpansionBlock = false;
    throw;
  }
  FExpansionBlock = false;
}

void TPTCustomShellTree::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case AM_DEFERREDFILL:
      if (Items()->Count() == 0) {
        FillItems();
      }
      return;
    case AM_CHANGENOTIFY: AMChangeNotify(Message); return;
    case WM_NCDESTROY:
      ++FInternalChange;
      RegisterDropTarget(false);
      DestroyChangeThread();
      --FInternalChange;
      break;
    case WM_WINDOWPOSCHANGED:
      if (FDestroyingWindow) {
        return;
      }
      break;
    case WM_MENUSELECT:
      TPTCustomTreeView::Dispatch(Message);
      PTShMenuSelect(FOpenMenu, Message, OnPopupHint ? std::function<void(const std::string&)>(
                                                           [this](const std::string& H) { OnPopupHint(this, H); })
                                                     : nullptr);
      return;
    case CN_NOTIFY: {
      auto* Header = reinterpret_cast<NMHDR*>(Message.LParam);
      if (Header->code == NM_CLICK) {
        FApplyNow = true;
      }
      if ((Header->code == TVN_BEGINDRAG || Header->code == TVN_BEGINRDRAG) && FOptions.Contains(ptstoOleDrag)) {
        BeginDragNotify(reinterpret_cast<NMTREEVIEW*>(Message.LParam), Header->code == TVN_BEGINDRAG ? 0 : 1);
        Message.Result = 0;
        return;
      }
      break;
    }
    case WM_LBUTTONDOWN:
      // A click applies the selection at once, even to a linked list.
      FApplyNow = true;
      break;
    default: break;
  }
  TPTCustomTreeView::Dispatch(Message);
}

Z_IMPLEMENT_CLASS(TPTCustomShellTree, TPTCustomTreeView)
Z_IMPLEMENT_CLASS(TPTShellTree, TPTCustomShellTree)
