// The shell tree's OLE drag and drop: the node's data object, starting a drag, the tree as drop target, and
// scrolling and hover expansion while something is dragged over it.
#include "shell/Uptshelltree.h"

#include "platform/controls/Forms.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Clock.h"
#include "platform/win/Messages.h"
#include "platform/win/SystemParams.h"

const TPTHoverSettings& PTHoverSettings() {
  static const TPTHoverSettings S = [] {
    TPTHoverSettings R;
    UINT V = 0;
    if (SystemParametersInfo(SPI_GETMOUSEHOVERTIME, 0, &V, 0)) {
      R.Time = V;
    }
    if (SystemParametersInfo(SPI_GETMOUSEHOVERWIDTH, 0, &V, 0)) {
      R.Width = static_cast<int>(V);
    }
    if (SystemParametersInfo(SPI_GETMOUSEHOVERHEIGHT, 0, &V, 0)) {
      R.Height = static_cast<int>(V);
    }
    return R;
  }();
  return S;
}

// ---- The node's data object --------------------------------------------------------------------------------------------

TDataObject_shtv::TDataObject_shtv(TPTCustomShellTree* Tree, TTreeNode* Node) {
  TPTShTreeData* D = Tree->GetDataFromNode(Node);
  TPTShTreeData* P = Node ? Tree->GetDataFromNode(Node->Parent()) : nullptr;
  if (!D || !P) {
    return;
  }
  std::string Name;
  ShellGetFriendlyNameFromIdList(P->GetThisIShf(), D->GetRelPidl(), ptfnForParsing, Name);
  Build(P->GetAbsPidl(), {D->GetRelPidl()}, Name.empty() ? std::vector<std::string>() : std::vector<std::string>{Name});
}

// ---- The registered drop target -------------------------------------------------------------------------------------

void TPTCustomShellTree::RegisterDropTarget(bool On) { TDropTarget_shtv::Register(this, On, FDropTarget, FDropRegistered); }

// ---- Dragging out ------------------------------------------------------------------------------------------------------

IDropSource_NRC* TPTCustomShellTree::CreateIDropSource(int Button, IDataObject_NRC*) {
  auto* S = new TDropSource_shlvtv(Button);
  S->AddRef();
  return S;
}

DWORD TPTCustomShellTree::GetDragDropAttributesForNode(TTreeNode* Node) {
  TPTShTreeData* D = GetDataFromNode(Node);
  if (!D) {
    return 7;
  }
  ULONG Attr = 7;
  if (D->ParentData()) {
    IShellFolder_NRC* Folder = D->ParentData()->GetThisIShf();
    LPCITEMIDLIST Rel = D->GetRelPidl();
    if (!Folder || FAILED(Folder->GetAttributesOf(1, &Rel, &Attr))) {
      return 7;
    }
    return Attr & 7;
  }
  IShellFolder_NRC* Folder = nullptr;
  LPITEMIDLIST ParentList = nullptr, Item = nullptr;
  if (SUCCEEDED(PTShSplitIdList(nullptr, Folder, ParentList, Item)) && Folder) {
    LPCITEMIDLIST One = Item;
    if (FAILED(Folder->GetAttributesOf(1, &One, &Attr))) {
      Attr = 7;
    }
  }
  if (Folder) {
    Folder->Release();
  }
  ShellMemFree(ParentList);
  ShellMemFree(Item);
  return Attr & 7;
}

void TPTCustomShellTree::BeginDragNotify(NMTREEVIEW* NM, int Button) {
  TTreeNode* Node = NM->itemNew.lParam ? reinterpret_cast<TTreeNode*>(NM->itemNew.lParam) : NM->itemNew.hItem;
  FDragNode = Node;
  SetDropTarget(Node);
  if (NodeHasData(Node) && Node->Parent()) {
    OleBeginDrag(Button);
  }
  FDragNode = nullptr;
  SetDropTarget(nullptr);
}

void TPTCustomShellTree::OleBeginDrag(int Button) {
  if (!FDragNode) {
    return;
  }
  FInDragOrMenu = true;
  auto* Data = new TDataObject_shtv(this, FDragNode);
  Data->AddRef();
  FOutData = Data;
  const DWORD Allowed = GetDragDropAttributesForNode(FDragNode);
  IDropSource_NRC* Source = CreateIDropSource(Button, Data);
  DWORD Effect = DROPEFFECT_NONE;
  HRESULT Hr = E_FAIL;
  try {
    Hr = DoDragDrop(Data, Source, Allowed, &Effect);
  } catch (...) {
    FInDragOrMenu = FRefreshPending = false;
    Source->Release();
    FOutData = nullptr;
    Data->Release();
    throw;
  }
  const bool Refresh = Hr == DRAGDROP_S_DROP || FRefreshPending;
  FInDragOrMenu = FRefreshPending = false;
  Source->Release();
  FOutData = nullptr;
  Data->Release();
  if (Refresh) {
    RefreshNodes();
  }
}

// ---- The tree as drop target -------------------------------------------------------------------------------------------

TTreeNode* TPTCustomShellTree::NodeAtScreen(POINTL Pt, TPoint* Client) {
  const TPoint C = ScreenToClient(Point(Pt.x, Pt.y));
  if (Client) {
    *Client = C;
  }
  return GetNodeAt(C.X, C.Y);
}

HRESULT TPTCustomShellTree::OnDropTarget_DragEnter(IDataObject_NRC* Data, DWORD Keys, POINTL Pt, DWORD& Effect) {
  FLastScrollCheck = GetTickCount64();
  FLastAction = FLastScrollCheck;
  if (FInData) {
    FInData->Release();
  }
  FInData = Data;
  if (FInData) {
    FInData->AddRef();
  }
  FKeysAtEntry = Keys;
  TPoint Client;
  TTreeNode* Node = NodeAtScreen(Pt, &Client);
  FHoverPoint = Client;
  HRESULT Hr = S_OK;
  if (NodeHasData(Node) && Node->Parent()) {
    IDropTarget_NRC* Target = nullptr;
    GetDataFromNode(Node)->GetIDropTarget(GetParentHWND(), Target);
    SetDropTarget(Node);
    if (Target) {
      Hr = Target->DragEnter(Data, Keys, Pt, &Effect);
      Target->DragLeave();
      Target->Release();
    } else {
      Effect = DROPEFFECT_NONE;
    }
  } else {
    SetDropTarget(FDragNode);
    Effect = DROPEFFECT_NONE;
  }
  return Hr;
}

HRESULT TPTCustomShellTree::OnDropTarget_DragOver(DWORD Keys, POINTL Pt, DWORD& Effect) {
  TTreeNode* Before = DropTarget();
  TPoint Client;
  TTreeNode* Node = NodeAtScreen(Pt, &Client);
  HRESULT Hr = S_OK;
  if (NodeHasData(Node)) {
    IDropTarget_NRC* Target = nullptr;
    GetDataFromNode(Node)->GetIDropTarget(GetParentHWND(), Target);
    SetDropTarget(Node);
    if (Target) {
      DWORD E = Effect;
      Target->DragEnter(FInData, Keys, Pt, &E);
      E = Effect;
      Hr = Target->DragOver(Keys, Pt, &E);
      Effect = E;
      Target->DragLeave();
      Target->Release();
    } else {
      Effect = DROPEFFECT_NONE;
    }
  } else {
    Effect = DROPEFFECT_NONE;
    SetDropTarget(FDragNode);
  }
  DoDropTargetAutoscroll(Client);
  Effect |= DROPEFFECT_SCROLL;
  if (DropTarget() != Before) {
    Repaint();
  }
  return Hr;
}

HRESULT TPTCustomShellTree::OnDropTarget_DragLeave() {
  if (FInData) {
    FInData->Release();
    FInData = nullptr;
  }
  SetDropTarget(nullptr);
  return S_OK;
}

HRESULT TPTCustomShellTree::OnDropTarget_Drop(IDataObject_NRC* Data, DWORD Keys, POINTL Pt, DWORD& Effect) {
  HRESULT Hr = S_OK;
  TTreeNode* Node = NodeAtScreen(Pt);
  IDropTarget_NRC* Target = nullptr;
  if (NodeHasData(Node)) {
    GetDataFromNode(Node)->GetIDropTarget(GetParentHWND(), Target);
  }
  try {
    if (Target) {
      Keys |= FKeysAtEntry & (MK_LBUTTON | MK_RBUTTON);
      Hr = PTShDropOnTarget(Target, Data, Keys, Pt, Effect);
      RefreshNodes();
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

void TPTCustomShellTree::DoDropTargetAutoscroll(TPoint Client) {
  const ULONGLONG Now = GetTickCount64();
  if (Now - FLastScrollCheck > PTDragScrollInterval) {
    const TRect R = ClientRect();
    auto Step = [&](int Bar, int Code) {
      PTShScrollStep(this, Bar, Code);
      FLastAction = Now;
    };
    if (Client.X < PTDragScrollMarginX) {
      Step(SB_HORZ, SB_LINELEFT);
    } else if (Client.X >= R.Width() - PTDragScrollMarginX) {
      Step(SB_HORZ, SB_LINERIGHT);
    }
    if (Client.Y < PTDragScrollMarginY) {
      Step(SB_VERT, SB_LINEUP);
    } else if (Client.Y >= R.Height() - PTDragScrollMarginY) {
      Step(SB_VERT, SB_LINEDOWN);
    }
    FLastScrollCheck = Now;
  }
  const TPTHoverSettings& H = PTHoverSettings();
  const TRect Box = Rect(FHoverPoint.X - H.Width / 2, FHoverPoint.Y - H.Height / 2, FHoverPoint.X + H.Width,
                         FHoverPoint.Y + H.Height);
  const bool Inside = Client.X >= Box.Left && Client.X < Box.Right && Client.Y >= Box.Top && Client.Y < Box.Bottom;
  if (Inside) {
    if (Now - FLastAction > H.Time) {
      if (TTreeNode* Node = GetNodeAt(FHoverPoint.X, FHoverPoint.Y)) {
        ++FShellDialogSuppression;
        try {
          Node->Expand(false);
        } catch (...) {
          Node->SetHasChildren(false);
        }
        --FShellDialogSuppression;
      }
      FHoverPoint = Client;
      FLastAction = Now;
    }
  } else {
    FHoverPoint = Client;
    FLastAction = Now;
  }
}
