// The tree view control: rows and hit tests, scrolling, properties, the TVN_ notifications in the platform's
// order, sorting; TTreeView's published properties.
#include "platform/controls/ComCtrls.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/ComCtrlsShared.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

Z_IMPLEMENT_CLASS(TCustomTreeView, TCustomControl)
Z_IMPLEMENT_CLASS_PUBLISHED(TTreeView, TCustomTreeView, TTreeView::Publish)

// ---- TCustomTreeView --------------------------------------------------------------------------------------------

TCustomTreeView::TCustomTreeView(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TTreeNodes>(this)) {
  FWidth = 121;
  FHeight = 97;
  TabStop = true;
  FColor = clWindow;
  FParentColor = false;
  FImageLink = std::make_unique<TChangeLink>();
  FImageLink->OnChange = [this](TObject*) { NodesChanged(); };
}

void TCustomTreeView::BeforeDestruction() {
  // Every node is announced as it goes (children first), so descendants can free what they keep in Data.
  EndEditing(true);
  FItems->BeginUpdate();
  FItems->Clear();
  FDestroying = true;
  DestroyToolTip();
  SetImages(nullptr);
  SetStateImages(nullptr);
  TCustomControl::BeforeDestruction();
}

void TCustomTreeView::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_VSCROLL;
  if (FHotTrack) {
    Params.Style |= TVS_TRACKSELECT;
  }
  if (!FToolTips) {
    Params.Style |= TVS_NOTOOLTIPS;
  }
  AddBorder(Params);
}

void TCustomTreeView::CreateWnd() {
  TCustomControl::CreateWnd();
  if (TipsStyle()) {
    CreateToolTip();
  }
  NodesChanged();
}

void TCustomTreeView::DestroyWnd() {
  DestroyToolTip();
  SetHotNode(nullptr);
  TCustomControl::DestroyWnd();
}

int TCustomTreeView::TextWidth(const std::string& Text) { return ComCtrlsShared::MeasureText(Font(), Text).cx; }

int TCustomTreeView::ItemHeight() {
  int H = ComCtrlsShared::MeasureText(Font(), "Wg").cy + 3;
  if (FImages) {
    H = std::max(H, FImages->Height());
  }
  if (FStateImages) {
    H = std::max(H, FStateImages->Height());
  }
  return H;
}

int TCustomTreeView::VisibleRowCount() {
  int H = ItemHeight();
  return H > 0 ? ClientHeight() / H : 0;
}

std::vector<TTreeNode*> TCustomTreeView::Rows() {
  std::vector<TTreeNode*> Result;
  for (TTreeNode* N = FItems->GetFirstNode(); N; N = N->GetNextVisible()) {
    Result.push_back(N);
  }
  return Result;
}

int TCustomTreeView::RowOf(TTreeNode* Node) {
  if (!Node || !Node->IsVisible()) {
    return -1;
  }
  int Row = 0;
  for (TTreeNode* N = FItems->GetFirstNode(); N; N = N->GetNextVisible(), ++Row) {
    if (N == Node) {
      return Row;
    }
  }
  return -1;
}

// Where the node's state image (else its image, else its label) starts.
int TCustomTreeView::IndentOf(TTreeNode* Node) {
  int Steps = Node->Level() + ((FShowRoot && (FShowLines || FShowButtons)) ? 1 : 0);
  return Steps * FIndent + 2;
}

TRect TCustomTreeView::LabelRect(TTreeNode* Node, int Row) {
  int H = ItemHeight();
  int X = IndentOf(Node);
  if (FStateImages && Node->FStateIndex > 0) {
    X += FStateImages->Width();
  }
  if (FImages) {
    X += FImages->Width() + 1;
  }
  int Y = (Row - FTopRow) * H;
  return Rect(X, Y, X + TextWidth(Node->FText) + 4, Y + H);
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) {
  if (Y < 0 || X < 0 || X >= ClientWidth()) {
    return nullptr;
  }
  int Row = FTopRow + Y / ItemHeight();
  std::vector<TTreeNode*> All = Rows();
  return Row < static_cast<int>(All.size()) ? All[static_cast<std::size_t>(Row)] : nullptr;
}

THitTests TCustomTreeView::GetHitTestInfoAt(int X, int Y) {
  THitTests Result;
  if (Y < 0) {
    Result.Include(htAbove);
  }
  if (Y >= ClientHeight()) {
    Result.Include(htBelow);
  }
  if (X < 0) {
    Result.Include(htToLeft);
  }
  if (X >= ClientWidth()) {
    Result.Include(htToRight);
  }
  if (!Result.Empty()) {
    return Result;
  }
  TTreeNode* Node = GetNodeAt(X, Y);
  if (!Node) {
    Result.Include(htNowhere);
    return Result;
  }
  int Start = IndentOf(Node);
  int Row = RowOf(Node);
  TRect Label = LabelRect(Node, Row);
  if (X < Start) {
    bool ButtonShown = FShowButtons && Node->HasChildren() && (Node->Parent() || FShowRoot);
    Result.Include(ButtonShown && X >= Start - 2 - FIndent ? htOnButton : htOnIndent);
    return Result;
  }
  int X0 = Start;
  if (FStateImages && Node->FStateIndex > 0) {
    if (X < X0 + FStateImages->Width()) {
      Result.Include(htOnStateIcon);
      Result.Include(htOnItem);
      return Result;
    }
    X0 += FStateImages->Width();
  }
  if (FImages && X < X0 + FImages->Width() + 1) {
    Result.Include(htOnIcon);
    Result.Include(htOnItem);
    return Result;
  }
  if (X < Label.Right) {
    Result.Include(htOnLabel);
    Result.Include(htOnItem);
    return Result;
  }
  Result.Include(htOnRight);
  return Result;
}

TTreeNode* TCustomTreeView::TopItem() {
  std::vector<TTreeNode*> All = Rows();
  return FTopRow < static_cast<int>(All.size()) ? All[static_cast<std::size_t>(FTopRow)] : nullptr;
}

void TCustomTreeView::SetTopItem(TTreeNode* Node) {
  int Row = RowOf(Node);
  if (Row >= 0) {
    ScrollTo(Row);
  }
}

void TCustomTreeView::ScrollTo(int TopRow) {
  int Count = static_cast<int>(Rows().size());
  int Page = std::max(1, VisibleRowCount());
  TopRow = std::clamp(TopRow, 0, std::max(0, Count - Page));
  if (TopRow != FTopRow) {
    FTopRow = TopRow;
    ClearTip();  // the labels moved from under it
    Invalidate();
  }
  UpdateScrollBar();
}

void TCustomTreeView::EnsureVisible(TTreeNode* Node) {
  for (TTreeNode* P = Node->Parent(); P; P = P->Parent()) {
    if (!P->FExpanded) {
      DoExpand(P, true, TVC_UNKNOWN);
    }
  }
  int Row = RowOf(Node);
  if (Row < 0) {
    return;
  }
  int Page = std::max(1, VisibleRowCount());
  if (Row < FTopRow) {
    ScrollTo(Row);
  } else if (Row >= FTopRow + Page) {
    ScrollTo(Row - Page + 1);
  }
}

void TCustomTreeView::UpdateScrollBar() {
  if (!HandleAllocated() || FDestroying) {
    return;
  }
  SCROLLINFO Info;
  Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  Info.nMin = 0;
  Info.nMax = static_cast<int>(Rows().size()) - 1;
  Info.nPage = static_cast<UINT>(std::max(0, VisibleRowCount()));
  Info.nPos = FTopRow;
  SetScrollInfo(FHandle, SB_VERT, &Info, TRUE);
}

void TCustomTreeView::NodesChanged() {
  if (FItems->Updating() || FDestroying) {
    return;
  }
  int Count = static_cast<int>(Rows().size());
  int Page = std::max(1, VisibleRowCount());
  FTopRow = std::clamp(FTopRow, 0, std::max(0, Count - Page));
  UpdateScrollBar();
  Invalidate();
}

void TCustomTreeView::Resize() {
  NodesChanged();
  TCustomControl::Resize();
}

void TCustomTreeView::SetHideSelection(bool Value) {
  FHideSelection = Value;
  Invalidate();
}
void TCustomTreeView::SetShowRoot(bool Value) {
  FShowRoot = Value;
  Invalidate();
}
void TCustomTreeView::SetShowLines(bool Value) {
  FShowLines = Value;
  Invalidate();
}
void TCustomTreeView::SetShowButtons(bool Value) {
  FShowButtons = Value;
  Invalidate();
}
void TCustomTreeView::SetIndent(int Value) {
  FIndent = std::max(Value, 0);
  Invalidate();
}
void TCustomTreeView::SetRowSelect(bool Value) {
  FRowSelect = Value;
  Invalidate();
}

void TCustomTreeView::SetSortType(TSortType Value) {
  if (FSortType != Value) {
    FSortType = Value;
    if (Value == stText || Value == stBoth) {
      AlphaSort(true);
    }
  }
}

void TCustomTreeView::SetImages(TCustomImageList* Value) {
  if (FImages == Value) {
    return;
  }
  if (FImages) {
    FImages->UnRegisterChanges(FImageLink.get());
    RemoveFreeNotification(FImages);
  }
  FImages = Value;
  if (FImages) {
    FImages->RegisterChanges(FImageLink.get());
    FreeNotification(FImages);
  }
  NodesChanged();
}

void TCustomTreeView::SetStateImages(TCustomImageList* Value) {
  if (FStateImages == Value) {
    return;
  }
  if (FStateImages) {
    RemoveFreeNotification(FStateImages);
  }
  FStateImages = Value;
  if (FStateImages) {
    FreeNotification(FStateImages);
  }
  NodesChanged();
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove) {
    if (AComponent == FImages) {
      FImages = nullptr;
      NodesChanged();
    }
    if (AComponent == FStateImages) {
      FStateImages = nullptr;
      NodesChanged();
    }
  }
}

TTreeNode* TCustomTreeView::DropTarget() const { return FDropTarget; }

void TCustomTreeView::SetDropTarget(TTreeNode* Node) {
  if (FDropTarget) {
    FDropTarget->FDropTarget = false;
  }
  FDropTarget = Node;
  if (Node) {
    Node->FDropTarget = true;
  }
  Invalidate();
}

// ---- Notifications ----------------------------------------------------------------------------------------------

LRESULT TCustomTreeView::Notify(NMHDR& Header, UINT Code) {
  return ComCtrlsShared::SendNotify(this, Header, Code, FDestroying);
}

LRESULT TCustomTreeView::NotifyTree(UINT Code, UINT Action, TTreeNode* OldNode, TTreeNode* NewNode, TPoint Pt) {
  NMTREEVIEW NM;
  NM.action = Action;
  auto Fill = [](TVITEM& Item, TTreeNode* Node) {
    if (!Node) {
      return;
    }
    Item.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE | TVIF_TEXT;
    Item.hItem = Node;
    Item.lParam = reinterpret_cast<LPARAM>(Node);
    Item.state = (Node->Selected() ? TVIS_SELECTED : 0) | (Node->FExpanded ? TVIS_EXPANDED : 0) |
                 (Node->FCut ? TVIS_CUT : 0) | (Node->FDropTarget ? TVIS_DROPHILITED : 0);
    Item.pszText = const_cast<char*>(Node->FText.c_str());
    Item.cChildren = Node->HasChildren() ? 1 : 0;
  };
  Fill(NM.itemOld, OldNode);
  Fill(NM.itemNew, NewNode);
  NM.ptDrag = Pt;
  return Notify(NM.hdr, Code);
}

bool TCustomTreeView::DoSelect(TTreeNode* Node, UINT Action) {
  if (Node == FSelected) {
    return true;
  }
  if (NotifyTree(TVN_SELCHANGING, Action, FSelected, Node) != 0) {
    return false;
  }
  TTreeNode* Old = FSelected;
  FSelected = Node;
  if (Node) {
    EnsureVisible(Node);
  }
  Invalidate();
  NotifyTree(TVN_SELCHANGED, Action, Old, Node);
  return true;
}

void TCustomTreeView::SetSelected(TTreeNode* Node) {
  if (Node && Node->FOwner != FItems.get()) {
    return;
  }
  DoSelect(Node, TVC_UNKNOWN);
}

// Expanding asks first (TVN_ITEMEXPANDING); a node that was only promised children and got none on the way
// loses its button instead of opening.
bool TCustomTreeView::DoExpand(TTreeNode* Node, bool Expand, UINT Action) {
  if (Node->FExpanded == Expand) {
    return true;
  }
  UINT Code = Expand ? TVE_EXPAND : TVE_COLLAPSE;
  (void)Action;
  if (Expand && !Node->HasChildren()) {
    return false;
  }
  if (NotifyTree(TVN_ITEMEXPANDING, Code, nullptr, Node) != 0) {
    return false;
  }
  if (Expand && Node->FChildren.empty()) {
    Node->FHasChildren = false;
    NodesChanged();
    return false;
  }
  Node->FExpanded = Expand;
  ClearTip();  // the rows below moved
  if (!Expand && FSelected && FSelected->HasAsParent(Node)) {
    // The selection may not hide under a collapsed node: it moves up to it.
    TTreeNode* Old = FSelected;
    FSelected = Node;
    NotifyTree(TVN_SELCHANGED, TVC_UNKNOWN, Old, Node);
  }
  NodesChanged();
  NotifyTree(TVN_ITEMEXPANDED, Code, nullptr, Node);
  return true;
}

void TCustomTreeView::NodeGoing(TTreeNode* Node) {
  if (Node == FEditNode) {
    EndEditing(true);
  }
  NotifyTree(TVN_DELETEITEM, 0, Node, nullptr);
  if (Node == FDropTarget) {
    FDropTarget = nullptr;
  }
  if (Node == FDragNode) {
    FDragNode = nullptr;
  }
  if (Node == FRClickNode) {
    FRClickNode = nullptr;
  }
  if (Node == FHotNode) {
    FHotNode = nullptr;
  }
  if (Node == FTipNode) {
    ClearTip();
  }
  if (Node == FChangeNode) {
    FChangeNode = nullptr;
  }
}

void TCustomTreeView::CNNotify(TMessage& Message) {
  auto* Header = reinterpret_cast<NMHDR*>(Message.LParam);
  auto* NM = reinterpret_cast<NMTREEVIEW*>(Message.LParam);
  Message.Result = 0;
  switch (Header->code) {
    case TVN_SELCHANGING: Message.Result = CanChange(NM->itemNew.hItem) ? 0 : 1; break;
    case TVN_SELCHANGED: SelectionChanged(NM->itemNew.hItem); break;
    case TVN_ITEMEXPANDING: {
      TTreeNode* Node = NM->itemNew.hItem;
      bool Allowed = NM->action == TVE_EXPAND ? CanExpand(Node) : CanCollapse(Node);
      Message.Result = Allowed ? 0 : 1;
      break;
    }
    case TVN_ITEMEXPANDED:
      if (NM->action == TVE_EXPAND) {
        Expand(NM->itemNew.hItem);
      } else {
        Collapse(NM->itemNew.hItem);
      }
      break;
    case TVN_DELETEITEM: Delete(NM->itemOld.hItem); break;
    case TVN_GETDISPINFO: {
      auto* Info = reinterpret_cast<NMTVDISPINFO*>(Message.LParam);
      TTreeNode* Node = Info->item.lParam ? reinterpret_cast<TTreeNode*>(Info->item.lParam) : Info->item.hItem;
      if (Node && (Info->item.mask & TVIF_IMAGE)) {
        GetImageIndex(Node);
        Info->item.iImage = Node->FImageIndex;
      }
      if (Node && (Info->item.mask & TVIF_SELECTEDIMAGE)) {
        GetSelectedIndex(Node);
        Info->item.iSelectedImage = Node->FSelectedIndex;
      }
      break;
    }
    case TVN_BEGINLABELEDIT: {
      auto* Info = reinterpret_cast<NMTVDISPINFO*>(Message.LParam);
      Message.Result = CanEdit(reinterpret_cast<TTreeNode*>(Info->item.hItem)) ? 0 : 1;
      break;
    }
    case TVN_ENDLABELEDIT: {
      auto* Info = reinterpret_cast<NMTVDISPINFO*>(Message.LParam);
      if (Info->item.pszText) {
        std::string S = Info->item.pszText;
        auto* Node = reinterpret_cast<TTreeNode*>(Info->item.hItem);
        Edit(Node, S);
      }
      break;
    }
    case TVN_BEGINDRAG:
    case TVN_BEGINRDRAG:
      if (DragMode == dmAutomatic && Header->code == TVN_BEGINDRAG) {
        BeginDrag(true);
      }
      break;
    case NM_RCLICK:
      if (RightClickSelect && FRClickNode) {
        SetSelected(FRClickNode);
      }
      FRClickNode = nullptr;
      break;
    case NM_CUSTOMDRAW: {
      auto* CD = reinterpret_cast<NMTVCUSTOMDRAW*>(Message.LParam);
      LRESULT R = CDRF_DODEFAULT;
      TCanvas* C = Canvas();
      switch (CD->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
          if (OnCustomDraw && !CustomDraw(CD->nmcd.rc, cdPrePaint)) {
            R = CDRF_SKIPDEFAULT;
          } else if (OnCustomDrawItem) {
            R = CDRF_NOTIFYITEMDRAW;
          }
          break;
        case CDDS_ITEMPREPAINT: {
          auto* Node = reinterpret_cast<TTreeNode*>(CD->nmcd.lItemlParam);
          TCustomDrawState State;
          UINT S = CD->nmcd.uItemState;
          if (S & CDIS_SELECTED) State.Include(cdsSelected);
          if (S & CDIS_FOCUS) State.Include(cdsFocused);
          if (S & CDIS_HOT) State.Include(cdsHot);
          if (S & CDIS_DISABLED) State.Include(cdsDisabled);
          C->Font()->Assign(Font());
          C->Font()->SetColor(static_cast<TColor>(CD->clrText));
          C->Brush()->SetColor(static_cast<TColor>(CD->clrTextBk));
          const TColor TextBefore = C->Font()->Color(), BackBefore = C->Brush()->Color();
          if (!CustomDrawItem(Node, State, cdPrePaint)) {
            R = CDRF_SKIPDEFAULT;
          } else if (C->Font()->Color() != TextBefore || C->Brush()->Color() != BackBefore) {
            CD->clrText = ColorToRGB(C->Font()->Color());
            CD->clrTextBk = ColorToRGB(C->Brush()->Color());
            R = CDRF_NEWFONT;
          }
          break;
        }
        default: break;
      }
      Message.Result = R;
      break;
    }
    default: break;
  }
}

bool TCustomTreeView::CanChange(TTreeNode* Node) {
  bool Allow = true;
  if (OnChanging) {
    OnChanging(this, Node, Allow);
  }
  return Allow;
}

void TCustomTreeView::Change(TTreeNode* Node) {
  if (OnChange) {
    OnChange(this, Node);
  }
}

bool TCustomTreeView::CanExpand(TTreeNode* Node) {
  bool Allow = true;
  if (OnExpanding) {
    OnExpanding(this, Node, Allow);
  }
  return Allow;
}

void TCustomTreeView::Expand(TTreeNode* Node) {
  if (OnExpanded) {
    OnExpanded(this, Node);
  }
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node) {
  bool Allow = true;
  if (OnCollapsing) {
    OnCollapsing(this, Node, Allow);
  }
  return Allow;
}

void TCustomTreeView::Collapse(TTreeNode* Node) {
  if (OnCollapsed) {
    OnCollapsed(this, Node);
  }
}

bool TCustomTreeView::CanEdit(TTreeNode* Node) {
  bool Allow = !ReadOnly;
  if (Allow && OnEditing) {
    OnEditing(this, Node, Allow);
  }
  return Allow;
}

void TCustomTreeView::Edit(TTreeNode* Node, std::string& S) {
  if (OnEdited) {
    OnEdited(this, Node, S);
  }
  if (Node) {
    Node->SetText(S);
  }
}

void TCustomTreeView::Delete(TTreeNode* Node) {
  if (OnDeletion) {
    OnDeletion(this, Node);
  }
}

void TCustomTreeView::GetImageIndex(TTreeNode* Node) {
  if (OnGetImageIndex) {
    OnGetImageIndex(this, Node);
  }
}

void TCustomTreeView::GetSelectedIndex(TTreeNode* Node) {
  if (OnGetSelectedIndex) {
    OnGetSelectedIndex(this, Node);
  }
}

bool TCustomTreeView::CustomDraw(const TRect& ARect, TCustomDrawStage Stage) {
  bool Default = true;
  if (OnCustomDraw && Stage == cdPrePaint) {
    OnCustomDraw(this, ARect, Default);
  }
  return Default;
}

bool TCustomTreeView::CustomDrawItem(TTreeNode* Node, TCustomDrawState State, TCustomDrawStage Stage) {
  bool Default = true;
  if (OnCustomDrawItem && Stage == cdPrePaint) {
    OnCustomDrawItem(this, Node, State, Default);
  }
  return Default;
}

// ---- Sorting ----------------------------------------------------------------------------------------------------

int TCustomTreeView::Compare(TTreeNode* Node1, TTreeNode* Node2, LPARAM Data) {
  if (OnCompare) {
    int Result = 0;
    OnCompare(this, Node1, Node2, static_cast<int>(Data), Result);
    return Result;
  }
  return std::strcmp(Node1->FText.c_str(), Node2->FText.c_str());
}

void TCustomTreeView::SortChildren(TTreeNode* Parent, const TTVCompare& Proc, LPARAM Data, bool Recurse) {
  auto& C = Parent->FChildren;
  std::stable_sort(C.begin(), C.end(), [&](TTreeNode* A, TTreeNode* B) {
    return (Proc ? Proc(A, B, Data) : Compare(A, B, Data)) < 0;
  });
  if (Recurse) {
    for (TTreeNode* Child : C) {
      SortChildren(Child, Proc, Data, true);
    }
  }
}

void TCustomTreeView::AutoSort(TTreeNode* Parent) {
  if (FSortType == stText || FSortType == stBoth) {
    SortChildren(Parent, nullptr, 0, false);
  }
}

bool TCustomTreeView::AlphaSort(bool Recurse) { return CustomSort(nullptr, 0, Recurse); }

bool TCustomTreeView::CustomSort(const TTVCompare& SortProc, LPARAM Data, bool Recurse) {
  SortChildren(&FItems->FRoot, SortProc, Data, Recurse);
  NodesChanged();
  return true;
}

void TCustomTreeView::FullExpand() {
  for (TTreeNode* N = FItems->GetFirstNode(); N; N = N->getNextSibling()) {
    N->Expand(true);
  }
}

void TCustomTreeView::FullCollapse() {
  for (TTreeNode* N = FItems->GetFirstNode(); N; N = N->getNextSibling()) {
    N->Collapse(true);
  }
}

// ---- TTreeView --------------------------------------------------------------------------------------------------

void TTreeView::Publish(TMetaClass& Meta) {
  TPublisher<TTreeView> P(Meta);
  // Published again with the defaults this control's constructor gives, so layouts leave them out.
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  P.Property("Items", &TTreeView::Items, &TTreeView::SetItems);
  P.Property("AutoExpand", &TTreeView::AutoExpand, &TTreeView::AutoExpand).Default(false);
  P.Property("HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection).Default(true);
  P.Property("ChangeDelay", &TTreeView::ChangeDelay, &TTreeView::SetChangeDelay).Default(0);
  P.Property("HotTrack", &TTreeView::HotTrack, &TTreeView::SetHotTrack).Default(false);
  P.Property("Images", &TTreeView::Images, &TTreeView::SetImages);
  P.Property("Indent", &TTreeView::Indent, &TTreeView::SetIndent).Default(19);
  P.Property("ReadOnly", &TTreeView::ReadOnly, &TTreeView::ReadOnly).Default(false);
  P.Property("RightClickSelect", &TTreeView::RightClickSelect, &TTreeView::RightClickSelect).Default(false);
  P.Property("RowSelect", &TTreeView::RowSelect, &TTreeView::SetRowSelect).Default(false);
  P.Property("ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons).Default(true);
  P.Property("ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines).Default(true);
  P.Property("ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot).Default(true);
  P.Property("SortType", &TTreeView::SortType, &TTreeView::SetSortType).Default(stNone);
  P.Property("StateImages", &TTreeView::StateImages, &TTreeView::SetStateImages);
  P.Property("ToolTips", &TTreeView::ToolTips, &TTreeView::SetToolTips).Default(true);
  P.Property("OnChange", &TTreeView::OnChange, &TTreeView::OnChange);
  P.Property("OnChanging", &TTreeView::OnChanging, &TTreeView::OnChanging);
  P.Property("OnCollapsed", &TTreeView::OnCollapsed, &TTreeView::OnCollapsed);
  P.Property("OnCollapsing", &TTreeView::OnCollapsing, &TTreeView::OnCollapsing);
  P.Property("OnCompare", &TTreeView::OnCompare, &TTreeView::OnCompare);
  P.Property("OnCustomDraw", &TTreeView::OnCustomDraw, &TTreeView::OnCustomDraw);
  P.Property("OnCustomDrawItem", &TTreeView::OnCustomDrawItem, &TTreeView::OnCustomDrawItem);
  P.Property("OnDeletion", &TTreeView::OnDeletion, &TTreeView::OnDeletion);
  P.Property("OnEdited", &TTreeView::OnEdited, &TTreeView::OnEdited);
  P.Property("OnEditing", &TTreeView::OnEditing, &TTreeView::OnEditing);
  P.Property("OnExpanded", &TTreeView::OnExpanded, &TTreeView::OnExpanded);
  P.Property("OnExpanding", &TTreeView::OnExpanding, &TTreeView::OnExpanding);
  P.Property("OnGetImageIndex", &TTreeView::OnGetImageIndex, &TTreeView::OnGetImageIndex);
  P.Property("OnGetSelectedIndex", &TTreeView::OnGetSelectedIndex, &TTreeView::OnGetSelectedIndex);
}
