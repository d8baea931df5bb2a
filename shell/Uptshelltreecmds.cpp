// The shell tree's refresh and commands: the merge refresh, change notices and device broadcasts, renaming in
// place, new folders, shell verbs, the keyboard table, the context menu and going up.
#include "shell/Uptshelltree.h"

#include "platform/controls/Forms.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Messages.h"
#include "platform/win/VirtualKeys.h"
#include "platform/win/WinMenu.h"

#include <algorithm>

// ---- Refresh ---------------------------------------------------------------------------------------------------------

void TPTCustomShellTree::RefreshNodes() {
  if (FInDragOrMenu || IsEditing()) {
    FRefreshPending = true;
    return;
  }
  if (Items()->Count() == 0) {
    FillItems();
    return;
  }
  TPTBusyCursor Busy;
  FillStart();
  ++FInternalChange;
  TTreeNode* Remembered = Selected();
  SetSelected(nullptr);
  Items()->BeginUpdate();
  try {
    if (TTreeNode* Root = Items()->GetFirstNode()) {
      RefreshNode(Root, Remembered);
    }
  } catch (...) {
    Items()->EndUpdate();
    --FInternalChange;
    throw;
  }
  Items()->EndUpdate();
  --FInternalChange;
  if (Remembered) {
    FApplyNow = true;
    SetSelected(Remembered);
  }
  FillComplete();
  if (FOptions.Contains(ptstoDynamicRefresh) && !IsDesigning() && FChangeThread) {
    InstallChangeHandlersForAllLocalDrives();
  }
}

void TPTCustomShellTree::RefreshNode(TTreeNode* Node, TTreeNode*& Remembered) {
  if (Node->HasChildren() && Node->Count() == 0) {
    return;  // never expanded: left alone with its whole subtree
  }
  TPTShTreeData* D = GetDataFromNode(Node);
  IShellFolder_NRC* Folder = D ? D->GetThisIShf() : nullptr;
  if (!Folder) {
    return;
  }
  TPTPidlList A;
  A.CompareFolder = Folder;
  A.FreeAllocator = nullptr;
  A.DuplicatesPolicy = 1;
  A.SetCapacity(Node->Count());
  for (TTreeNode* C = Node->getFirstChild(); C; C = C->getNextSibling()) {
    if (TPTShTreeData* CD = GetDataFromNode(C)) {
      A.AddObject(const_cast<LPITEMIDLIST>(CD->GetRelPidl()), reinterpret_cast<TObject*>(C));
    }
  }
  A.SetSorted(true);
  TPTPidlList B;
  B.CompareFolder = Folder;
  B.FreeAllocator = ShellIMalloc();
  B.DuplicatesPolicy = 1;
  DWORD Flags = SHCONTF_FOLDERS;
  if (FOptions.Contains(ptstoShowHidden)) {
    Flags |= SHCONTF_INCLUDEHIDDEN;
  }
  if (FOptions.Contains(ptstoIncludeNonFolders)) {
    Flags |= SHCONTF_NONFOLDERS;
  }
  IEnumIDList_NRC* Enum = nullptr;
  if (SUCCEEDED(Folder->EnumObjects(0, Flags, &Enum)) && Enum) {
    for (;;) {
      LPITEMIDLIST Item = nullptr;
      ULONG Fetched = 0;
      if (Enum->Next(1, &Item, &Fetched) != S_OK || Fetched == 0) {
        break;
      }
      B.Add(Item);
    }
    Enum->Release();
  }
  // A folder whose enumeration fails counts as empty: B stays empty and every child goes.
  for (int I = B.GetCount() - 1; I >= 0; --I) {
    const int J = A.IndexOf(B.GetPIDL(I));
    if (J >= 0) {
      A.Delete(J);
      B.Delete(I);
    }
  }
  for (int I = A.GetCount() - 1; I >= 0; --I) {
    auto* Gone = reinterpret_cast<TTreeNode*>(A.GetObject(I));
    if (Remembered && (Remembered == Gone || Remembered->HasAsParent(Gone))) {
      Remembered = Node;
    }
    Gone->Delete();
  }
  if (B.GetCount() > 0) {
    LPITEMIDLIST Abs = CopyIdList(nullptr, D->GetAbsPidl());
    for (int I = 0; I < B.GetCount(); ++I) {
      AddNewShellNode(Folder, Abs, B.GetPIDL(I), Node);
    }
    ShellMemFree(Abs);
    SortNode(Node);
  }
  for (TTreeNode* C = Node->getFirstChild(); C; C = C->getNextSibling()) {
    RefreshNode(C, Remembered);
  }
}

void TPTCustomShellTree::AMChangeNotify(TMessage&) {
  if (FIgnoreNextNotice || FInDragOrMenu) {
    FIgnoreNextNotice = false;
    return;
  }
  FTimer->SetEnabled(false);
  FTimer->SetTag(2);
  FTimer->SetInterval(Focused() ? RefreshDelayFocused : RefreshDelayUnfocused);
  FTimer->SetEnabled(true);
}

void TPTCustomShellTree::TimerElapsed(TObject*) {
  FTimer->SetEnabled(false);
  const auto Tag = FTimer->Tag();
  try {
    if (Tag == 1) {
      if (NodeHasData(Selected())) {
        ApplySelection(Selected());
      }
    } else if (Tag == 2) {
      RefreshNodes();
    }
  } catch (...) {
    FTimer->SetTag(0);
    throw;
  }
  FTimer->SetTag(0);
}

void TPTCustomShellTree::InstallChangeHandler(const std::string& Path) {
  if (!FChangeThread) {
    if (!HandleAllocated()) {
      return;
    }
    FChangeThread = std::make_unique<TChangeHandlerThread>(Handle(), AM_CHANGENOTIFY);
  }
  if (Path.empty()) {
    FChangeThread->RemoveAllWatches();
    FWatched.clear();
    return;
  }
  // The folder itself, not its subtree: each expanded folder has its own watch, within the system's limits.
  if (std::find(FWatched.begin(), FWatched.end(), Path) != FWatched.end()) {
    return;
  }
  DWORD Filter = FILE_NOTIFY_CHANGE_DIR_NAME;
  if (FOptions.Contains(ptstoIncludeNonFolders)) {
    Filter |= FILE_NOTIFY_CHANGE_FILE_NAME;
  }
  int Slot = -1;
  if (FChangeThread->AddWatch(Path, Filter, Slot, false)) {
    FWatched.push_back(Path);
  }
}

void TPTCustomShellTree::InstallChangeHandlersForAllLocalDrives() {
  if (!HandleAllocated()) {
    return;
  }
  InstallChangeHandler(std::string());
  // Every filled folder is watched (Computer's volumes through their own nodes once expanded), in tree order.
  for (TTreeNode* N = Items()->GetFirstNode(); N; N = N->GetNext()) {
    if (N->Count() == 0 && N->Parent()) {
      continue;
    }
    if (TPTShTreeData* D = GetDataFromNode(N)) {
      const std::string Path = D->GetPathName();
      if (!Path.empty()) {
        const UINT Type = GetDriveType(Path.c_str());
        if (Type == DRIVE_FIXED || Type == DRIVE_REMOTE || Type == DRIVE_RAMDISK || Type == DRIVE_REMOVABLE) {
          InstallChangeHandler(Path);
        }
      }
    }
  }
}

void TPTCustomShellTree::DeviceChangeDetected(TPTDeviceChangeHandler*, TMessage& Message) {
  if (Message.WParam != DBT_DEVICEARRIVAL && Message.WParam != DBT_DEVICEREMOVECOMPLETE) {
    return;
  }
  FlushDriveInfoCache();
  LockFlushDriveInfoCache();
  try {
    RefreshNodes();
  } catch (...) {
    UnlockFlushDriveInfoCache();
    throw;
  }
  UnlockFlushDriveInfoCache();
}

// ---- Renaming ---------------------------------------------------------------------------------------------------------

bool TPTCustomShellTree::CanEdit(TTreeNode* Node) {
  TPTShTreeData* D = GetDataFromNode(Node);
  if (!D) {
    return TPTCustomTreeView::CanEdit(Node);
  }
  return D->GetEditable() && TPTCustomTreeView::CanEdit(Node) && !IsDesigning();
}

void TPTCustomShellTree::Edit(TTreeNode* Node, std::string& S) {
  TPTShTreeData* D = GetDataFromNode(Node);
  if (!D) {
    TPTCustomTreeView::Edit(Node, S);
    return;
  }
  std::string Name = Trim(S);
  if (OnEdited) {
    OnEdited(this, Node, Name);
  }
  TPTBusyCursor Busy;
  FIgnoreNextNotice = true;
  ++FInternalChange;
  IShellFolder_NRC* Parent = D->GetParentIShf();
  LPITEMIDLIST NewPidl = nullptr;
  HRESULT Hr = E_FAIL;
  if (Parent) {
    std::u16string Wide;
    for (char C : Name.substr(0, 260)) {
      Wide += static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(C)));
    }
    Hr = Parent->SetNameOf(GetParentHWND(), D->GetRelPidl(), Wide.c_str(), 0x20, &NewPidl);
  }
  if (SUCCEEDED(Hr)) {
    std::string Caption;
    if (NewPidl) {
      for (TTreeNode* C = Node->GetNext(); C && C->HasAsParent(Node); C = C->GetNext()) {
        if (TPTShTreeData* CD = GetDataFromNode(C)) {
          CD->Flush();
        }
      }
      ShellGetFriendlyNameFromIdList(Parent, NewPidl, ptfnInFolder, Caption);
      D->SetRelPidl(NewPidl);
      FSelectedFolder->OnChange = nullptr;
      FSelectedFolder->SetIdList(D->GetAbsPidl());
      FSelectedFolder->OnChange = [this](TObject*) { SelectedFolderChanged(); };
      if (FShellList) {
        FShellList->SetFolderFromTree(FSelectedFolder.get());
      }
      if (FShellCombo) {
        FShellCombo->SetFolderFromTree(FSelectedFolder.get());
      }
    } else {
      ShellGetFriendlyNameFromIdList(Parent, D->GetRelPidl(), ptfnInFolder, Caption);
    }
    Node->SetText(Caption);
    if (Node->Parent()) {
      SortNode(Node->Parent());
    }
  } else {
    // The shell told the user why; a notice that never comes must not swallow the next real one.
    FIgnoreNextNotice = false;
  }
  --FInternalChange;
  ShellMemFree(NewPidl);
  if (FRefreshPending) {
    FRefreshPending = false;
    RefreshNodes();
  }
}

// ---- New folder, commands, going up ---------------------------------------------------------------------------------------

bool TPTCustomShellTree::CreateNewFolder(bool StartRename) {
  TTreeNode* Node = Selected();
  TPTShTreeData* D = GetDataFromNode(Node);
  const std::string Path = D ? D->GetPathName() : std::string();
  if (!D || Path.empty()) {
    return false;
  }
  FIgnoreNextNotice = true;
  std::string Name;
  if (!PTShCreateNewFolder(Path, Name, GetParentHWND())) {
    FIgnoreNextNotice = false;
    return false;
  }
  PTShBusyWait(IdListLen(FSelectedFolder->GetIdList()) <= 2 ? 2100 : 1000);
  RefreshNodes();
  Node = Selected();
  if (Node) {
    ExpandNode(Node);
    Node->Expand(false);
    if (StartRename) {
      const std::string& Caption = Name;  // the naming rounds use plain ASCII names
      for (TTreeNode* C = Node->getFirstChild(); C; C = C->getNextSibling()) {
        if (C->Text() == Caption) {
          C->EditText();
          break;
        }
      }
    }
  }
  return true;
}

HRESULT TPTCustomShellTree::DoCommandForNode(TTreeNode* Node, const char* Verb) {
  TPTShTreeData* D = GetDataFromNode(Node);
  if (!D || !Node->Parent()) {
    return 1;
  }
  IShellFolder_NRC* Parent = D->GetParentIShf();
  if (!Parent) {
    PTShRaiseSysError(E_FAIL);
  }
  LPCITEMIDLIST Rel = D->GetRelPidl();
  void* Out = nullptr;
  const HRESULT Got = Parent->GetUIObjectOf(GetParentHWND(), 1, &Rel, IID_IContextMenu, nullptr, &Out);
  if (FAILED(Got) || !Out) {
    PTShRaiseSysError(Got);
  }
  auto* Menu = static_cast<IContextMenu_NRC*>(Out);
  HRESULT Hr = E_FAIL;
  try {
    Hr = PTShInvokeCommand(GetParentHWND(), Menu, Verb);
    RefreshNodes();
  } catch (...) {
    Menu->Release();
    throw;
  }
  Menu->Release();
  return Hr;
}

void TPTCustomShellTree::GoUp(int Levels) {
  TTreeNode* Node = Selected();
  if (!Node || !Node->Parent()) {
    return;
  }
  for (int I = 0; I < Levels && Node->Parent(); ++I) {
    Node = Node->Parent();
  }
  FApplyNow = true;
  SetSelected(Node);
}

// ---- Keyboard ---------------------------------------------------------------------------------------------------------

void TPTCustomShellTree::KeyDown(Word& Key, TShiftState Shift) {
  TPTCustomTreeView::KeyDown(Key, Shift);
  if (Key == 0 || IsEditing() || IsDesigning() || !FOptions.Contains(ptstoDefaultKeyHandling)) {
    return;
  }
  const WORD Pressed = PTShortCut(Key, Shift);
  const auto& Table = PTShKeyTable();
  TTreeNode* Node = Selected();
  if (Pressed == Table[6]) {
    Key = 0;
    if (Node) {
      Node->EditText();
    }
  } else if (Pressed == Table[5]) {
    Key = 0;
    RefreshNodes();
  } else if (Pressed == Table[3]) {
    Key = 0;
    DoCommandForNode(Node, "cut");
  } else if (Pressed == Table[2]) {
    Key = 0;
    DoCommandForNode(Node, "copy");
  } else if (Pressed == Table[4]) {
    Key = 0;
    DoCommandForNode(Node, "paste");
    RefreshNodes();
  } else if (Pressed == Table[1] || (Pressed & ~0x2000) == Table[1]) {
    Key = 0;
    DoCommandForNode(Node, "delete");
    RefreshNodes();
  }
}

// ---- Mouse wheel ------------------------------------------------------------------------------------------------------

namespace {
// The other shell tree or list under the pointer, if any.
TWinControl* OtherShellControlAt(TWinControl* Self) {
  TPoint P;
  GetCursorPos(&P);
  TWinControl* Under = FindControl(WindowFromPoint(P));
  if (Under && Under != Self &&
      (dynamic_cast<TPTCustomShellTree*>(Under) || dynamic_cast<TPTCustomListView*>(Under))) {
    return Under;
  }
  return nullptr;
}
}  // namespace

bool TPTCustomShellTree::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TPTCustomTreeView::DoMouseWheelDown(Shift, MousePos)) {
    return true;
  }
  if (TWinControl* Other = OtherShellControlAt(this)) {
    SendMessage(Other->Handle(), WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(-WHEEL_DELTA)) << 16, 0);
    return true;
  }
  PTShWheelScroll(this, SB_VERT, SB_LINEDOWN, SB_PAGEDOWN);
  return true;
}

bool TPTCustomShellTree::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TPTCustomTreeView::DoMouseWheelUp(Shift, MousePos)) {
    return true;
  }
  if (TWinControl* Other = OtherShellControlAt(this)) {
    SendMessage(Other->Handle(), WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(WHEEL_DELTA)) << 16, 0);
    return true;
  }
  PTShWheelScroll(this, SB_VERT, SB_LINEUP, SB_PAGEUP);
  return true;
}

// ---- Context menu -----------------------------------------------------------------------------------------------------

void TPTCustomShellTree::NodeContextMenu(TTreeNode* Node, TPoint Pt, TPopupMenu*& Menu) {
  TPTCustomTreeView::NodeContextMenu(Node, Pt, Menu);
  if (FOptions.Contains(ptstoContextMenus) && !IsDesigning() && Node) {
    ProcessMenu(Node, Pt);
    Menu = nullptr;
  }
}

void TPTCustomShellTree::ProcessMenu(TTreeNode* Node, TPoint Pt) {
  TPTShTreeData* D = GetDataFromNode(Node);
  if (!D || IdListLen(D->GetAbsPidl()) <= 2) {
    return;
  }
  IShellFolder_NRC* Parent = D->GetParentIShf();
  if (!Parent) {
    return;
  }
  LPITEMIDLIST Split = nullptr;
  LPCITEMIDLIST Rel = D->GetRelPidl();
  if (!D->ParentData()) {
    IShellFolder_NRC* Ignored = nullptr;
    LPITEMIDLIST ParentList = nullptr;
    if (SUCCEEDED(PTShSplitIdList(D->GetAbsPidl(), Ignored, ParentList, Split)) && Ignored) {
      Ignored->Release();
    }
    ShellMemFree(ParentList);
    Rel = Split;
  }
  IContextMenu_NRC* Menu = nullptr;
  HMENU Popup = 0;
  FInDragOrMenu = true;
  const UINT Flags = CMF_EXPLORE | (ReadOnly ? 0 : CMF_CANRENAME);
  if (FAILED(PTShGetContextMenu(GetParentHWND(), Parent, 1, &Rel, Flags, 1000, Menu, Popup)) || !Menu) {
    FInDragOrMenu = false;
    ShellMemFree(Split);
    return;
  }
  ShellMemFree(Split);
  FOpenMenu = Menu;
  const TPoint Screen = ClientToScreen(Pt);
  const int Id = TrackPopupMenu(Popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, Screen.X, Screen.Y, 0, Handle(), nullptr);
  bool Invoked = false;
  try {
    if (Id == 1000 + ShellCmdRename) {
      Node->EditText();
    } else if (Id >= 1000) {
      PTShInvokeCommand(GetParentHWND(), Menu, reinterpret_cast<const char*>(static_cast<std::uintptr_t>(Id - 1000)));
      Invoked = true;
    } else if (Id >= 1) {
      ProcessSendTo(Node, Id - 1);
    }
  } catch (...) {
    FInDragOrMenu = false;
    FOpenMenu = nullptr;
    Menu->Release();
    DestroyMenu(Popup);
    throw;
  }
  FInDragOrMenu = false;
  FOpenMenu = nullptr;
  Menu->Release();
  DestroyMenu(Popup);
  if (Invoked) {
    FRefreshPending = false;
    RefreshNodes();
  }
}

void TPTCustomShellTree::ProcessSendTo(TTreeNode* Node, int Index) {
  // The desktop has no Send To folder, so no Send To entries are ever offered.
  (void)Node;
  (void)Index;
}
