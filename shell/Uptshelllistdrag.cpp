// The shell list's OLE drag and drop: the selection's data object, dragging items out, and the list as a drop
// target with automatic scrolling.
#include "shell/Uptshelllist.h"

#include "platform/controls/Forms.h"
#include "platform/win/Clock.h"
#include "platform/win/Messages.h"

// ---- The selection's data object ------------------------------------------------------------------------------------

TDataObject_shlv::TDataObject_shlv(TPTCustomShellList* List) {
  const std::vector<LPCITEMIDLIST> Items = List->SelectedIdLists();
  if (Items.empty()) {
    return;
  }
  std::vector<std::string> Names;
  for (LPCITEMIDLIST Item : Items) {
    std::string Name;
    ShellGetFriendlyNameFromIdList(List->CurrentFolder(), Item, ptfnForParsing, Name);
    if (!Name.empty()) {
      Names.push_back(Name);
    }
  }
  Build(List->CurrentFolderIdList(), Items, Names);
}

// ---- The registered drop target -------------------------------------------------------------------------------------

void TPTCustomShellList::RegisterDropTarget(bool On) { TDropTarget_shlv::Register(this, On, FDropTarget, FDropRegistered); }

// ---- Dragging out ----------------------------------------------------------------------------------------------------

IDropSource_NRC* TPTCustomShellList::CreateIDropSource(int Button) {
  auto* S = new TDropSource_shlvtv(Button);
  S->AddRef();
  return S;
}

void TPTCustomShellList::OleBeginDrag(int Button) {
  FInDragOrMenu = true;
  FDragStartedHere = true;
  FDragButton = Button;
  auto* Data = new TDataObject_shlv(this);
  Data->AddRef();
  FOutData = Data;
  const DWORD Allowed = GetDragDropAttributesForAllSelected();
  IDropSource_NRC* Source = CreateIDropSource(Button);
  DWORD Effect = DROPEFFECT_NONE;
  HRESULT Hr = E_FAIL;
  auto Cleanup = [&] {
    FInDragOrMenu = false;
    Source->Release();
    FOutData = nullptr;
    Data->Release();
  };
  try {
    Hr = DoDragDrop(Data, Source, Allowed, &Effect);
  } catch (...) {
    FRefreshPending = false;
    Cleanup();
    throw;
  }
  const bool Refresh = Hr == DRAGDROP_S_DROP || FRefreshPending;
  FRefreshPending = false;
  Cleanup();
  if (Refresh) {
    RefreshItems();
    SortList();
  }
}

// ---- The list as drop target -------------------------------------------------------------------------------------------

TListItem* TPTCustomShellList::ItemAtScreen(POINTL Pt, TPoint* Client) {
  const TPoint C = ScreenToClient(Point(Pt.x, Pt.y));
  if (Client) {
    *Client = C;
  }
  return GetItemAt(C.X, C.Y);
}

// The target under a point. Null with Refused false means "copy, and nothing to ask" (an item without shell data,
// or the list's own items dragged onto empty space with the right button); null with Refused true refuses.
IDropTarget_NRC* TPTCustomShellList::DropTargetAt(POINTL Pt, DWORD Keys, TListItem*& Item, bool& Refused,
                                                  bool ForDrop) {
  Refused = false;
  Item = ItemAtScreen(Pt);
  void* Out = nullptr;
  if (Item) {
    if (!ItemHasData(Item)) {
      Item = nullptr;
      return nullptr;
    }
    if (SUCCEEDED(GetUIObjectForItem(IID_IDropTarget, Item, Out)) && Out) {
      return static_cast<IDropTarget_NRC*>(Out);
    }
    Item = nullptr;
  } else if (FOutData) {
    // The list's own items over the list's empty space: a right-button drag may copy into the same folder.
    const bool Right = ForDrop ? FDragButton == 1 : (Keys & MK_RBUTTON) != 0;
    if (!Right) {
      Refused = true;
      return nullptr;
    }
    if (!ForDrop) {
      return nullptr;
    }
  }
  if (FFolderShf && SUCCEEDED(FFolderShf->CreateViewObject(PTShGetOwnerFormHandle(this), IID_IDropTarget, &Out)) &&
      Out) {
    return static_cast<IDropTarget_NRC*>(Out);
  }
  Refused = true;
  return nullptr;
}

void TPTCustomShellList::HighlightDropItem(TListItem* Item) {
  if (Item == FDropItem) {
    return;
  }
  if (FDropItem) {
    FDropItem->SetDropTarget(false);
  }
  FDropItem = Item;
  if (FDropItem) {
    FDropItem->SetDropTarget(true);
  }
}

HRESULT TPTCustomShellList::OnDropTarget_DragEnter(IDataObject_NRC* Data, DWORD Keys, POINTL Pt, DWORD& Effect) {
  FLastScroll = GetTickCount64();
  if (FInData) {
    FInData->Release();
  }
  FInData = Data;
  if (FInData) {
    FInData->AddRef();
  }
  FKeysAtEntry = Keys;
  TListItem* Item = nullptr;
  bool Refused = false;
  IDropTarget_NRC* Target = DropTargetAt(Pt, Keys, Item, Refused, false);
  HRESULT Hr = S_OK;
  if (Target) {
    Hr = Target->DragEnter(Data, Keys, Pt, &Effect);
    Target->DragLeave();
    Target->Release();
  } else {
    Effect = Refused ? DROPEFFECT_NONE : DROPEFFECT_COPY;
  }
  HighlightDropItem(Effect != DROPEFFECT_NONE ? Item : nullptr);
  return Hr;
}

HRESULT TPTCustomShellList::OnDropTarget_DragOver(DWORD Keys, POINTL Pt, DWORD& Effect) {
  TListItem* Before = FDropItem;
  TPoint Client;
  ItemAtScreen(Pt, &Client);
  TListItem* Item = nullptr;
  bool Refused = false;
  IDropTarget_NRC* Target = DropTargetAt(Pt, Keys, Item, Refused, false);
  HRESULT Hr = S_OK;
  if (Target) {
    DWORD E = Effect;
    Target->DragEnter(FInData, Keys, Pt, &E);
    E = Effect;
    Hr = Target->DragOver(Keys, Pt, &E);
    Effect = E;
    Target->DragLeave();
    Target->Release();
  } else {
    Effect = Refused ? DROPEFFECT_NONE : DROPEFFECT_COPY;
  }
  HighlightDropItem(Effect != DROPEFFECT_NONE ? Item : nullptr);
  DropAutoscroll(Client);
  Effect |= DROPEFFECT_SCROLL;
  if (FDropItem != Before) {
    Repaint();
  }
  return Hr;
}

HRESULT TPTCustomShellList::OnDropTarget_DragLeave() {
  if (FInData) {
    FInData->Release();
    FInData = nullptr;
  }
  HighlightDropItem(nullptr);
  return S_OK;
}

HRESULT TPTCustomShellList::OnDropTarget_Drop(IDataObject_NRC* Data, DWORD Keys, POINTL Pt, DWORD& Effect) {
  TListItem* Item = nullptr;
  bool Refused = false;
  IDropTarget_NRC* Target = DropTargetAt(Pt, Keys, Item, Refused, true);
  HRESULT Hr = S_OK;
  try {
    if (Target) {
      if (FOutData && !Item) {
        Effect &= ~DROPEFFECT_MOVE;  // the list's own items into their own folder: never a move
      }
      Keys |= FKeysAtEntry & (MK_LBUTTON | MK_RBUTTON);
      Hr = PTShDropOnTarget(Target, Data, Keys, Pt, Effect);
      RefreshItems();
    } else {
      Effect = DROPEFFECT_NONE;
    }
  } catch (...) {
    OnDropTarget_DragLeave();
    throw;
  }
  OnDropTarget_DragLeave();
  return Hr;
}

void TPTCustomShellList::DropAutoscroll(TPoint Client) {
  const ULONGLONG Now = GetTickCount64();
  if (Now - FLastScroll < PTDragScrollInterval) {
    return;
  }
  FLastScroll = Now;
  const TRect R = ClientRect();
  if (Client.X < PTDragScrollMarginX) {
    PTShScrollStep(this, SB_HORZ, SB_LINELEFT);
  } else if (Client.X >= R.Width() - PTDragScrollMarginX) {
    PTShScrollStep(this, SB_HORZ, SB_LINERIGHT);
  }
  if (Client.Y < PTDragScrollMarginY) {
    PTShScrollStep(this, SB_VERT, SB_LINEUP);
  } else if (Client.Y >= R.Height() - PTDragScrollMarginY) {
    PTShScrollStep(this, SB_VERT, SB_LINEDOWN);
  }
}
