// The shell list: options and properties, folder changes and links, change notices, messages, the lifecycle and
// the published properties.
#include "shell/Uptshelllist.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Messages.h"
#include "platform/win/Ole.h"
#include "platform/win/VirtualKeys.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr UINT WM_GETISHELLBROWSER = WM_USER + 7;
}  // namespace

TPTShellListOptions PTShellListDefaultOptions() {
  return TPTShellListOptions{ptsloAutoFill,     ptsloNonFilesystemAncestors, ptsloDefaultKeyHandling,
                             ptsloContextMenus, ptsloDynamicRefresh,         ptsloOleDrag,
                             ptsloOleDrop,      ptsloFolderContextMenu,      ptsloShowHidden};
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

// Shares are mounted here: a folder on a remote file system counts as one.
bool TPTCustomShellList::IsFolderNetworkShare() {
  std::string Path;
  ShellGetPathFromIdList(FFolderPidl, Path);
  return !Path.empty() && (Path.rfind("//", 0) == 0 || GetDriveType(Path.c_str()) == DRIVE_REMOTE);
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
    case WM_RBUTTONDOWN:
      FDragStartedHere = false;  // a new click: its release is the user's again
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
