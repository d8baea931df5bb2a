// The shell list's commands: opening items, context menus and verbs, the keyboard table, renaming in place, new
// folders, the selection's shell objects and the mouse wheel.
#include "shell/Uptshelllist.h"

#include "platform/controls/Forms.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Messages.h"
#include "platform/win/VirtualKeys.h"
#include "platform/win/WinMenu.h"

#include <cstdint>

namespace {
const char* VerbOffset(UINT Offset) { return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(Offset)); }
bool IsVerbOffset(const char* Verb) { return (reinterpret_cast<std::uintptr_t>(Verb) >> 16) == 0; }

// Whether a context menu offers a verb (its explore flavour, compared without case).
bool HasVerb(IContextMenu_NRC* Menu, const char* Verb) {
  HMENU Popup = CreatePopupMenu();
  Menu->QueryContextMenu(Popup, 0, 1000, 0x7FFF, CMF_EXPLORE);
  bool Found = false;
  const int Count = GetMenuItemCount(Popup);
  for (int I = 0; I < Count && !Found; ++I) {
    const UINT Id = GetMenuItemID(Popup, I);
    char Name[261] = {};
    Found = Id != static_cast<UINT>(-1) && Id >= 1000 &&
            SUCCEEDED(Menu->GetCommandString(Id - 1000, GCS_VERBA, nullptr, Name, 260)) && SameText(Name, Verb);
  }
  DestroyMenu(Popup);
  return Found;
}
}  // namespace

// ---- Shell objects of the selection ------------------------------------------------------------------------------

HRESULT TPTCustomShellList::GetUIObjectForItem(REFIID Riid, TListItem* Item, void*& Object) {
  Object = nullptr;
  TPTShListData* D = GetDataFromItem(Item);
  if (!D || !FFolderShf) {
    return E_INVALIDARG;
  }
  LPCITEMIDLIST Rel = D->GetRelativeIdList();
  return FFolderShf->GetUIObjectOf(PTShGetOwnerFormHandle(this), 1, &Rel, Riid, nullptr, &Object);
}

HRESULT TPTCustomShellList::GetUIObjectForAllSelected(REFIID Riid, void*& Object) {
  Object = nullptr;
  std::vector<LPCITEMIDLIST> Lists = SelectedIdLists();
  if (Lists.empty() || !FFolderShf) {
    return E_FAIL;
  }
  return FFolderShf->GetUIObjectOf(PTShGetOwnerFormHandle(this), static_cast<UINT>(Lists.size()), Lists.data(), Riid,
                                   nullptr, &Object);
}

DWORD TPTCustomShellList::GetDragDropAttributesForItem(TListItem* Item) {
  TPTShListData* D = GetDataFromItem(Item);
  if (!D || !FFolderShf) {
    return 0;
  }
  ULONG Attr = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK;
  LPCITEMIDLIST Rel = D->GetRelativeIdList();
  if (FAILED(FFolderShf->GetAttributesOf(1, &Rel, &Attr))) {
    return 0;
  }
  return Attr & 7;
}

DWORD TPTCustomShellList::GetDragDropAttributesForAllSelected() {
  std::vector<LPCITEMIDLIST> Lists = SelectedIdLists();
  if (Lists.empty() || !FFolderShf) {
    return 0;
  }
  ULONG Attr = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK;
  if (FAILED(FFolderShf->GetAttributesOf(static_cast<UINT>(Lists.size()), Lists.data(), &Attr))) {
    return 0;
  }
  return Attr & 7;
}

void TPTCustomShellList::SelectAll() {
  if (!MultiSelect()) {
    return;
  }
  Items()->BeginUpdate();
  for (int I = 0; I < Items()->Count(); ++I) {
    Items()->Item(I)->SetSelected(true);
  }
  Items()->EndUpdate();
}

// ---- Opening ------------------------------------------------------------------------------------------------------

void TPTCustomShellList::DblClickOpen(bool& Handled) {
  if (OnDblClickOpen) {
    OnDblClickOpen(this, Handled);
  }
}

void TPTCustomShellList::OpenItem(TListItem* Item) {
  Synchronize(true);
  TPTShListData* D = GetDataFromItem(Item);
  if (!D) {
    bool Handled = false;
    DblClickOpen(Handled);
    return;
  }
  LPITEMIDLIST Target = nullptr;
  {
    TPTBusyCursor Busy;
    if (D->IsFolder()) {
      Target = CopyIdList(nullptr, D->GetAbsoluteIdList());
    } else if (D->IsLnkShortcut()) {
      TLinkData Link;
      Link.Silent = true;
      if (SUCCEEDED(ResolveShortcut(D->GetPathName(), Link, false)) && !Link.Target.empty() &&
          DirectoryExists(Link.Target)) {
        LPITEMIDLIST L = nullptr;
        if (SUCCEEDED(ShellGetIdListFromPath(Link.Target, L))) {
          Target = L;
        }
      }
      ShellMemFree(Link.TargetIdList);
    }
  }
  if (Target) {
    NavigateTo(Target);
    ShellMemFree(Target);
    return;
  }
  bool Handled = false;
  DblClickOpen(Handled);
  if (Handled) {
    return;
  }
  LPCITEMIDLIST Rel = D->GetRelativeIdList();
  IContextMenu_NRC* Menu = nullptr;
  HMENU Popup = 0;
  if (FAILED(PTShGetContextMenu(PTShGetOwnerFormHandle(this), FFolderShf, 1, &Rel, CMF_EXPLORE,
                                1000, Menu, Popup)) ||
      !Menu) {
    return;
  }
  const UINT Id = GetMenuDefaultItem(Popup, FALSE, 0);
  if (Id != static_cast<UINT>(-1) && Id >= 1000) {
    PTShInvokeCommand(PTShGetOwnerFormHandle(this), Menu, VerbOffset(Id - 1000));
  }
  Menu->Release();
  DestroyMenu(Popup);
}

void TPTCustomShellList::OpenSelectedItems() {
  Synchronize(true);
  std::vector<LPCITEMIDLIST> Lists = SelectedIdLists();
  if (Lists.size() < 2) {
    if (TListItem* Item = Selected()) {
      OpenItem(Item);
    }
    return;
  }
  bool Handled = false;
  DblClickOpen(Handled);
  if (Handled || !FFolderShf) {
    return;
  }
  IContextMenu_NRC* Menu = nullptr;
  HMENU Popup = 0;
  if (FAILED(PTShGetContextMenu(PTShGetOwnerFormHandle(this), FFolderShf, static_cast<UINT>(Lists.size()),
                                Lists.data(), CMF_EXPLORE, 1000, Menu, Popup)) ||
      !Menu) {
    return;
  }
  const UINT Id = GetMenuDefaultItem(Popup, FALSE, 0);
  if (Id != static_cast<UINT>(-1) && Id >= 1000) {
    PTShInvokeCommand(PTShGetOwnerFormHandle(this), Menu, VerbOffset(Id - 1000));
  }
  Menu->Release();
  DestroyMenu(Popup);
}

// ---- Context menus and verbs --------------------------------------------------------------------------------------

void TPTCustomShellList::ItemContextMenu(TListItem* Item, TPoint Pt, TPopupMenu*& Menu) {
  TPTCustomListView::ItemContextMenu(Item, Pt, Menu);
  if (FOptions.Contains(ptsloContextMenus) && !IsDesigning() && !FInDragOrMenu) {
    ProcessMenuForAllSelected(Pt);
    Menu = nullptr;
  }
}

void TPTCustomShellList::RunMenu(IShellFolder_NRC* Folder, const std::vector<LPCITEMIDLIST>& Lists,
                                 TListItem* RenameItem, bool CanRename, TPoint Pt, bool Guarded) {
  IContextMenu_NRC* Menu = nullptr;
  HMENU Popup = 0;
  const UINT Flags = CMF_EXPLORE | (CanRename ? CMF_CANRENAME : 0);
  if (FAILED(PTShGetContextMenu(PTShGetOwnerFormHandle(this), Folder, static_cast<UINT>(Lists.size()),
                                const_cast<LPCITEMIDLIST*>(Lists.data()), Flags, 1000, Menu, Popup)) ||
      !Menu) {
    return;
  }
  if (Guarded) {
    FInDragOrMenu = true;
    FRefreshPending = false;
  }
  FOpenMenu = Menu;
  const TPoint Screen = ClientToScreen(Pt);
  int Id = 0;
  auto Done = [&] {
    FOpenMenu = nullptr;
    Menu->Release();
    DestroyMenu(Popup);
    if (Guarded) {
      FInDragOrMenu = false;
    }
  };
  try {
    Id = TrackPopupMenu(Popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, Screen.X, Screen.Y, 0, Handle(), nullptr);
    if (Id == static_cast<int>(1000 + ShellCmdRename)) {
      Done();
      StartRename(RenameItem);
    } else if (Id >= 1000) {
      FSuppressNextNotice = false;
      PTShInvokeCommand(PTShGetOwnerFormHandle(this), Menu, VerbOffset(static_cast<UINT>(Id - 1000)));
      Done();
      // The namespace does its work at once: show it now rather than after the change notice's quiet time.
      RefreshItems();
    } else {
      Done();
      if (Id >= 1) {
        ProcessSendTo(Id - 1);
      }
    }
  } catch (...) {
    if (FOpenMenu) {
      Done();
    }
    throw;
  }
  if (Guarded && FRefreshPending) {
    FRefreshPending = false;
    RefreshItems();
  }
}

void TPTCustomShellList::ProcessMenuForAllSelected(TPoint Pt) {
  std::vector<LPCITEMIDLIST> Lists = SelectedIdLists();
  if (Lists.empty() || !FFolderShf) {
    return;
  }
  TListItem* Focus = ItemFocused();
  TPTShListData* D = GetDataFromItem(Focus);
  const bool CanRename = D && !D->GetPathName().empty() && !ReadOnly;
  RunMenu(FFolderShf, Lists, Focus, CanRename, Pt, true);
}

void TPTCustomShellList::ProcessMenu(TListItem* Item, TPoint Pt) {
  TPTShListData* D = GetDataFromItem(Item);
  if (!D || !FFolderShf) {
    return;
  }
  RunMenu(FFolderShf, {D->GetRelativeIdList()}, Item, !ReadOnly, Pt, true);
}

HRESULT TPTCustomShellList::RunVerb(const std::vector<LPCITEMIDLIST>& Lists, const char* Verb) {
  if (Lists.empty() || !FFolderShf) {
    return E_FAIL;
  }
  void* Out = nullptr;
  if (FAILED(FFolderShf->GetUIObjectOf(PTShGetOwnerFormHandle(this), static_cast<UINT>(Lists.size()),
                                       const_cast<LPCITEMIDLIST*>(Lists.data()), IID_IContextMenu, nullptr, &Out)) ||
      !Out) {
    return E_FAIL;
  }
  auto* Menu = static_cast<IContextMenu_NRC*>(Out);
  HRESULT Hr = E_FAIL;
  try {
    // A verb the items' menu does not offer (delete on a virtual folder) runs nothing: looked up by offset it
    // would fall back to the menu's first command and open the items instead.
    if (IsVerbOffset(Verb) || HasVerb(Menu, Verb)) {
      Hr = PTShInvokeCommand(PTShGetOwnerFormHandle(this), Menu, Verb);
    } else {
      Hr = E_INVALIDARG;
    }
  } catch (...) {
    // Verbs on items fail quietly.
    Hr = E_FAIL;
  }
  Menu->Release();
  if (IsFolderNetworkShare()) {
    RefreshItems();
  }
  return Hr;
}

HRESULT TPTCustomShellList::DoCommandForItem(TListItem* Item, const char* Verb) {
  TPTShListData* D = GetDataFromItem(Item);
  if (!D) {
    return E_INVALIDARG;
  }
  return RunVerb({D->GetRelativeIdList()}, Verb);
}

HRESULT TPTCustomShellList::DoCommandForAllSelected(const char* Verb) { return RunVerb(SelectedIdLists(), Verb); }

HRESULT TPTCustomShellList::DoCommandForFolder(const char* Verb) {
  void* Out = nullptr;
  const HRESULT Got = PTShGetUIObjectOf(FFolderPidl, IID_IContextMenu, Out);
  if (FAILED(Got) || !Out) {
    PTShRaiseSysError(FAILED(Got) ? Got : E_FAIL);
  }
  auto* Menu = static_cast<IContextMenu_NRC*>(Out);
  HRESULT Hr = E_FAIL;
  try {
    Hr = IsVerbOffset(Verb) || HasVerb(Menu, Verb) ? PTShInvokeCommand(PTShGetOwnerFormHandle(this), Menu, Verb)
                                                   : E_INVALIDARG;
  } catch (...) {
    Menu->Release();
    throw;
  }
  Menu->Release();
  if (FAILED(Hr)) {
    PTShRaiseSysError(Hr);
  }
  return Hr;
}

void TPTCustomShellList::ProcessSendTo(int Index) {
  // The desktop keeps no Send To folder, so the menus offer no Send To entries.
  (void)Index;
}

// ---- Keyboard and mouse --------------------------------------------------------------------------------------------

void TPTCustomShellList::KeyDown(Word& Key, TShiftState Shift) {
  TPTCustomListView::KeyDown(Key, Shift);
  if (Key == 0 || IsEditing() || IsDesigning() || !FOptions.Contains(ptsloDefaultKeyHandling)) {
    return;
  }
  if (Key == VK_BACK && Shift.Empty()) {
    Key = 0;
    GoUp(1);
    return;
  }
  if (Key == VK_RETURN && Shift.Empty()) {
    Key = 0;
    OpenSelectedItems();
    return;
  }
  const WORD Pressed = PTShortCut(Key, Shift);
  const auto& Table = PTShKeyTable();
  if (Pressed == Table[0]) {
    Key = 0;
    SelectAll();
  } else if (Pressed == Table[5]) {
    Key = 0;
    FillItems();
  } else if (Pressed == Table[2]) {
    Key = 0;
    DoCommandForAllSelected("copy");
  } else if (Pressed == Table[3]) {
    Key = 0;
    DoCommandForAllSelected("cut");
  } else if (Pressed == Table[4]) {
    Key = 0;
    DoCommandForFolder("paste");
    RefreshItems();
  } else if (Pressed == Table[6]) {
    Key = 0;
    StartRename(ItemFocused());
  } else if (Pressed == Table[1] || (Pressed & ~0x2000) == Table[1]) {
    Key = 0;
    DoCommandForAllSelected("delete");
    RefreshItems();
  }
}

void TPTCustomShellList::KeyPress(char& Key) {
  // Enter and Backspace were handled at their key-down; their characters go nowhere.
  if ((Key == '\r' || Key == '\b') && FOptions.Contains(ptsloDefaultKeyHandling) && !IsEditing()) {
    Key = 0;
    return;
  }
  TPTCustomListView::KeyPress(Key);
}

void TPTCustomShellList::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TPTCustomListView::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Shift.Contains(ssDouble) && !IsDesigning()) {
    OpenSelectedItems();
  }
}

bool TPTCustomShellList::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TPTCustomListView::DoMouseWheelDown(Shift, MousePos)) {
    return true;
  }
  TPoint P;
  GetCursorPos(&P);
  TWinControl* Under = FindControl(WindowFromPoint(P));
  if (Under && Under != this && (dynamic_cast<TPTCustomShellTree*>(Under) || dynamic_cast<TPTCustomListView*>(Under))) {
    SendMessage(Under->Handle(), WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(-WHEEL_DELTA)) << 16, 0);
    return true;
  }
  if (ViewStyle() == vsList) {
    PTShWheelScroll(this, SB_HORZ, SB_LINEDOWN, SB_PAGEDOWN);
  } else {
    PTShWheelScroll(this, SB_VERT, SB_LINEDOWN, SB_PAGEDOWN);
  }
  return true;
}

bool TPTCustomShellList::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TPTCustomListView::DoMouseWheelUp(Shift, MousePos)) {
    return true;
  }
  TPoint P;
  GetCursorPos(&P);
  TWinControl* Under = FindControl(WindowFromPoint(P));
  if (Under && Under != this && (dynamic_cast<TPTCustomShellTree*>(Under) || dynamic_cast<TPTCustomListView*>(Under))) {
    SendMessage(Under->Handle(), WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(WHEEL_DELTA)) << 16, 0);
    return true;
  }
  if (ViewStyle() == vsList) {
    PTShWheelScroll(this, SB_HORZ, SB_LINEUP, SB_PAGEUP);
  } else {
    PTShWheelScroll(this, SB_VERT, SB_LINEUP, SB_PAGEUP);
  }
  return true;
}

// ---- Renaming -----------------------------------------------------------------------------------------------------

void TPTCustomShellList::StartRename(TListItem* Item) {
  if (!Item) {
    return;
  }
  Item->EditCaption();
}

bool TPTCustomShellList::CanEdit(TListItem* Item) {
  TPTShListData* D = GetDataFromItem(Item);
  if (!D) {
    return TPTCustomListView::CanEdit(Item);
  }
  if (!D->GetEditable() || !TPTCustomListView::CanEdit(Item) || IsDesigning()) {
    return false;
  }
  // The edit box starts with the name as it is written for editing.
  std::string Name;
  ShellGetFriendlyNameFromIdList(FFolderShf, D->GetRelativeIdList(), ptfnForEditing, Name);
  if (!Name.empty() && Name != Item->Caption()) {
    Item->SetCaption(Name);
  }
  return true;
}

void TPTCustomShellList::Edit(TListItem* Item, std::string& S) {
  TPTShListData* D = GetDataFromItem(Item);
  if (!D) {
    TPTCustomListView::Edit(Item, S);
    return;
  }
  std::string Name = Trim(S);
  if (OnEdited) {
    OnEdited(this, Item, Name);
  }
  std::string Current;
  ShellGetFriendlyNameFromIdList(FFolderShf, D->GetRelativeIdList(), ptfnForEditing, Current);
  if (Name == Current) {
    // Nothing to rename: no change notice would come to be dropped, and the next real one must not be.
    ShellGetFriendlyNameFromIdList(FFolderShf, D->GetRelativeIdList(), ptfnInFolder, S);
    Item->SetCaption(S);
    return;
  }
  TPTBusyCursor Busy;
  FSuppressNextNotice = true;
  std::u16string Wide;
  for (char C : Name.substr(0, 260)) {
    Wide += static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(C)));
  }
  LPITEMIDLIST NewPidl = nullptr;
  const HRESULT Hr = FFolderShf ? FFolderShf->SetNameOf(PTShGetOwnerFormHandle(this), D->GetRelativeIdList(),
                                                        Wide.c_str(), 0x20, &NewPidl)
                                : E_FAIL;
  std::string Caption = Item->Caption();
  if (SUCCEEDED(Hr)) {
    if (NewPidl) {
      ShellGetFriendlyNameFromIdList(FFolderShf, NewPidl, ptfnInFolder, Caption);
      D->SetData(NewPidl);
      NewPidl = nullptr;
    } else {
      ShellGetFriendlyNameFromIdList(FFolderShf, D->GetRelativeIdList(), ptfnInFolder, Caption);
      D->Flush();
    }
  } else {
    // The folder told the user why; the caption stays, and no notice will come for a rename that did not happen.
    FSuppressNextNotice = false;
    D->Flush();
    ShellGetFriendlyNameFromIdList(FFolderShf, D->GetRelativeIdList(), ptfnInFolder, Caption);
  }
  ShellMemFree(NewPidl);
  S = Caption;
  Item->SetCaption(Caption);
  if (FRefreshPending) {
    FRefreshPending = false;
    RefreshItems();
  }
}

void TPTCustomShellList::AMDeferredEdit() {
  if (FNewFolderName.empty()) {
    return;
  }
  const std::string Name = FNewFolderName;
  FNewFolderName.clear();
  for (int I = 0; I < Items()->Count(); ++I) {
    TListItem* Item = Items()->Item(I);
    TPTShListData* D = GetDataFromItem(Item);
    if (D && D->GetDisplayName() == Name) {
      if (CanFocus()) {
        SetFocus();
      }
      SetSelected(Item);
      Item->SetFocused(true);
      Item->MakeVisible(false);
      Item->EditCaption();
      return;
    }
  }
}

// ---- New folders --------------------------------------------------------------------------------------------------

bool TPTCustomShellList::CreateNewFolder(bool StartRename) {
  std::string Path;
  ShellGetPathFromIdList(FFolderPidl, Path);
  FSuppressNextNotice = true;
  std::string Name;
  if (!PTShCreateNewFolder(Path, Name, PTShGetOwnerFormHandle(this))) {
    FSuppressNextNotice = false;
    return false;
  }
  if (IdListLen(FFolderPidl) <= 2) {
    PTShBusyWait(2100);
  }
  RefreshItems();
  if (StartRename && HandleAllocated()) {
    FNewFolderName = Name;
    PostMessage(Handle(), AM_DEFERREDEDIT, 0, 0);
  }
  return true;
}
