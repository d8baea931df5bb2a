// The list view control: the four views' geometry, properties, item state with its notifications, selection and
// sorting; TListView's published properties.
#include "platform/controls/ComCtrls.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/ComCtrlsListViewHeader.h"
#include "platform/controls/ComCtrlsShared.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"
#include "platform/win/WinMenu.h"

#include <algorithm>
#include <cstring>

Z_IMPLEMENT_CLASS(TCustomListView, TCustomControl)
Z_IMPLEMENT_CLASS_PUBLISHED(TListView, TCustomListView, TListView::Publish)

namespace {

bool PtIn(const TRect& R, int X, int Y) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; }

constexpr int IconCellWidth = 75;

}  // namespace

// ---- TCustomListView --------------------------------------------------------------------------------------------

TCustomListView::TCustomListView(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TListItems>(this)),
      FColumns(std::make_unique<TListColumns>(this)) {
  FWidth = 250;
  FHeight = 150;
  TabStop = true;
  FColor = clWindow;
  FParentColor = false;
}

void TCustomListView::BeforeDestruction() {
  EndEditing(true);
  // Every item is announced as it goes, so the program can free what it keeps in Data.
  if (!FOwnerData) {
    FItems->BeginUpdate();
    FItems->Clear();
  }
  FDestroying = true;
  delete FHeader;
  FHeader = nullptr;
  TCustomControl::BeforeDestruction();
}

void TCustomListView::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_VSCROLL | WS_HSCROLL;
  AddBorder(Params);
}

void TCustomListView::CreateWnd() {
  TCustomControl::CreateWnd();
  if (!FHeader) {
    FHeader = new TListViewHeader(this);
    FHeader->AfterConstruction();
    FHeader->SetVisible(false);
    FHeader->SetParent(this);
  }
  ItemsChanged();
}

HWND TCustomListView::HeaderHandle() {
  HandleNeeded();
  return FHeader ? FHeader->Handle() : 0;
}

void TCustomListView::AdjustClientRect(TRect& Rect) { Rect.Top += HeaderHeight(); }

int TCustomListView::TextWidth(const std::string& Text) { return ComCtrlsShared::MeasureText(Font(), Text).cx; }

int TCustomListView::HeaderHeight() {
  return FViewStyle == vsReport && ShowColumnHeaders ? ComCtrlsShared::MeasureText(Font(), "Wg").cy + 6 : 0;
}

int TCustomListView::ItemHeight() {
  int H = ComCtrlsShared::MeasureText(Font(), "Wg").cy + 3;
  if (FSmallImages) {
    H = std::max(H, FSmallImages->Height() + 1);
  }
  if (FStateImages) {
    H = std::max(H, FStateImages->Height() + 1);
  }
  return H;
}

// List and small-icon cells: as wide as the widest caption (a fixed width with owner data, which is never asked
// for items out of view).
// Items whose texts come on demand count as the width of twenty average characters, so that measuring never asks
// for the texts of items out of view. The width is measured once per change of the items.
int TCustomListView::CellWidth() {
  if (FViewStyle == vsIcon) {
    return IconCellWidth;
  }
  if (FCellWidth < 0) {
    int W = 100;
    if (!FOwnerData) {
      W = 0;
      bool Callback = false;
      for (TListItem* Item : FItems->FItems) {
        if (Item->FTextCallback) {
          Callback = true;
        } else {
          W = std::max(W, TextWidth(Item->FCaption));
        }
      }
      if (Callback) {
        W = std::max(W, TextWidth(std::string(20, 'n')));
      }
      W += 4;
    }
    FCellWidth = W;
  }
  int Icon = FSmallImages ? FSmallImages->Width() + 2 : 0;
  int Check = Checkboxes ? 16 : 0;
  return FCellWidth + Icon + Check + 8;
}

int TCustomListView::CellHeight() {
  if (FViewStyle == vsIcon) {
    int IconH = FLargeImages ? FLargeImages->Height() : 32;
    return IconH + 2 * ComCtrlsShared::MeasureText(Font(), "Wg").cy + 10;
  }
  return ItemHeight();
}

int TCustomListView::PerColumn() {
  int H = ClientHeight() - HeaderHeight();
  return std::max(1, H / std::max(1, ItemHeight()));
}

int TCustomListView::PerRow() { return std::max(1, ClientWidth() / std::max(1, CellWidth())); }

int TCustomListView::VisibleRowCount() {
  switch (FViewStyle) {
    case vsReport: return (ClientHeight() - HeaderHeight()) / std::max(1, ItemHeight());
    case vsList: return PerColumn();
    default: return std::max(1, ClientHeight() / std::max(1, CellHeight()));
  }
}

TRect TCustomListView::ItemRect(int Index, TDisplayCode Code) {
  if (Index < 0 || Index >= FItems->Count()) {
    return TRect{};
  }
  TRect Bounds;
  const int IH = ItemHeight();
  switch (FViewStyle) {
    case vsReport: {
      int Y = HeaderHeight() + (Index - FTop) * IH;
      int Total = 0;
      for (int I = 0; I < FColumns->Count(); ++I) {
        Total += FColumns->Items(I)->Width();
      }
      if (FColumns->Count() == 0) {
        Total = ClientWidth();
      }
      Bounds = Rect(-FScrollX, Y, Total - FScrollX, Y + IH);
      break;
    }
    case vsList: {
      int Col = Index / PerColumn() - FTop, Row = Index % PerColumn();
      Bounds = Rect(Col * CellWidth(), Row * IH, (Col + 1) * CellWidth(), (Row + 1) * IH);
      break;
    }
    case vsSmallIcon:
    case vsIcon: {
      int W = CellWidth(), H = CellHeight();
      int Row = Index / PerRow() - FTop, Col = Index % PerRow();
      Bounds = Rect(Col * W, Row * H, (Col + 1) * W, (Row + 1) * H);
      break;
    }
  }
  if (Code == drBounds) {
    return Bounds;
  }
  TListItem* Item = FOwnerData ? nullptr : FItems->FItems[static_cast<std::size_t>(Index)];
  std::string Caption = Item ? Item->FCaption : std::string();
  if (FViewStyle == vsIcon) {
    int IW = FLargeImages ? FLargeImages->Width() : 32, IHh = FLargeImages ? FLargeImages->Height() : 32;
    TRect Icon = Rect(Bounds.Left + (Bounds.Width() - IW) / 2, Bounds.Top + 2, 0, 0);
    Icon.Right = Icon.Left + IW;
    Icon.Bottom = Icon.Top + IHh;
    int LW = std::min(Bounds.Width() - 4, TextWidth(Caption) + 4);
    TRect Label = Rect(Bounds.Left + (Bounds.Width() - LW) / 2, Icon.Bottom + 2, 0, Bounds.Bottom - 2);
    Label.Right = Label.Left + LW;
    if (Code == drIcon) return Icon;
    if (Code == drLabel) return Label;
    return Rect(std::min(Icon.Left, Label.Left), Icon.Top, std::max(Icon.Right, Label.Right), Label.Bottom);
  }
  int X = Bounds.Left + 2 + (Checkboxes ? 16 : 0);
  if (FStateImages) {
    X += FStateImages->Width();
  }
  TRect Icon = Rect(X, Bounds.Top, X + (FSmallImages ? FSmallImages->Width() : 0), Bounds.Bottom);
  int LabelRight = FViewStyle == vsReport
                       ? Bounds.Left + (FColumns->Count() ? FColumns->Items(0)->Width() : Bounds.Width())
                       : std::min(Bounds.Right, Icon.Right + 2 + TextWidth(Caption) + 4);
  if (FViewStyle != vsReport && FOwnerData) {
    LabelRight = Bounds.Right;
  }
  TRect Label = Rect(Icon.Right + (FSmallImages ? 2 : 0), Bounds.Top, std::max(LabelRight, Icon.Right), Bounds.Bottom);
  if (Code == drIcon) return Icon;
  if (Code == drLabel) return Label;
  if (FViewStyle == vsReport && RowSelect) return Bounds;
  return Rect(Icon.Left, Bounds.Top, Label.Right, Bounds.Bottom);
}

std::vector<int> TCustomListView::VisibleItems() {
  std::vector<int> Result;
  const int Count = FItems->Count();
  if (Count == 0) {
    return Result;
  }
  TRect Area = Rect(0, HeaderHeight(), ClientWidth(), ClientHeight());
  int First = 0, Last = Count - 1;
  switch (FViewStyle) {
    case vsReport:
      First = FTop;
      Last = FTop + (Area.Height() + ItemHeight() - 1) / std::max(1, ItemHeight()) - 1;
      break;
    case vsList:
      First = FTop * PerColumn();
      Last = First + ((Area.Width() + CellWidth() - 1) / CellWidth()) * PerColumn() - 1;
      break;
    default:
      First = FTop * PerRow();
      Last = First + ((Area.Height() + CellHeight() - 1) / CellHeight()) * PerRow() - 1;
      break;
  }
  for (int I = std::max(0, First); I <= std::min(Last, Count - 1); ++I) {
    TRect R = ItemRect(I, drBounds);
    if (R.Right > Area.Left && R.Left < Area.Right && R.Bottom > Area.Top && R.Top < Area.Bottom) {
      Result.push_back(I);
    }
  }
  return Result;
}

// An item under a point: on its icon or label (anywhere in the row with RowSelect in the report view).
TListItem* TCustomListView::GetItemAt(int X, int Y) {
  for (int I : VisibleItems()) {
    if (PtIn(ItemRect(I, drSelectBounds), X, Y)) {
      return FItems->Item(I);
    }
  }
  return nullptr;
}

TListItem* TCustomListView::TopItem() {
  std::vector<int> V = VisibleItems();
  return V.empty() ? nullptr : FItems->Item(V.front());
}

void TCustomListView::Scroll(int DX, int DY) {
  int Count = FItems->Count();
  switch (FViewStyle) {
    case vsReport: {
      int Rows = DY / std::max(1, ItemHeight());
      FTop = std::clamp(FTop + Rows, 0, std::max(0, Count - VisibleRowCount()));
      int Total = 0;
      for (int I = 0; I < FColumns->Count(); ++I) {
        Total += FColumns->Items(I)->Width();
      }
      FScrollX = std::clamp(FScrollX + DX, 0, std::max(0, Total - ClientWidth()));
      break;
    }
    case vsList: {
      int Cols = (Count + PerColumn() - 1) / PerColumn();
      int Visible = std::max(1, ClientWidth() / CellWidth());
      FTop = std::clamp(FTop + DX / std::max(1, CellWidth()), 0, std::max(0, Cols - Visible));
      break;
    }
    default: {
      int Rows = (Count + PerRow() - 1) / PerRow();
      FTop = std::clamp(FTop + DY / std::max(1, CellHeight()), 0, std::max(0, Rows - VisibleRowCount()));
      break;
    }
  }
  UpdateScrollBars();
  if (FHeader) {
    FHeader->Invalidate();
  }
  Invalidate();
}

void TCustomListView::EnsureVisible(int Index, bool PartialOK) {
  (void)PartialOK;
  switch (FViewStyle) {
    case vsReport: {
      int Page = std::max(1, VisibleRowCount());
      if (Index < FTop) {
        Scroll(0, (Index - FTop) * ItemHeight());
      } else if (Index >= FTop + Page) {
        Scroll(0, (Index - FTop - Page + 1) * ItemHeight());
      }
      break;
    }
    case vsList: {
      int Col = Index / PerColumn();
      int Visible = std::max(1, ClientWidth() / CellWidth());
      if (Col < FTop) {
        Scroll((Col - FTop) * CellWidth(), 0);
      } else if (Col >= FTop + Visible) {
        Scroll((Col - FTop - Visible + 1) * CellWidth(), 0);
      }
      break;
    }
    default: {
      int Row = Index / PerRow();
      int Page = std::max(1, VisibleRowCount());
      if (Row < FTop) {
        Scroll(0, (Row - FTop) * CellHeight());
      } else if (Row >= FTop + Page) {
        Scroll(0, (Row - FTop - Page + 1) * CellHeight());
      }
      break;
    }
  }
}

void TCustomListView::UpdateScrollBars() {
  if (!HandleAllocated() || FDestroying) {
    return;
  }
  int Count = FItems->Count();
  SCROLLINFO V, H;
  V.fMask = H.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  switch (FViewStyle) {
    case vsReport: {
      V.nMax = Count - 1;
      V.nPage = static_cast<UINT>(std::max(0, VisibleRowCount()));
      V.nPos = FTop;
      int Total = 0;
      for (int I = 0; I < FColumns->Count(); ++I) {
        Total += FColumns->Items(I)->Width();
      }
      H.nMax = Total - 1;
      H.nPage = static_cast<UINT>(std::max(0, ClientWidth()));
      H.nPos = FScrollX;
      break;
    }
    case vsList:
      H.nMax = (Count + PerColumn() - 1) / PerColumn() - 1;
      H.nPage = static_cast<UINT>(std::max(1, ClientWidth() / CellWidth()));
      H.nPos = FTop;
      V.nMax = -1;
      break;
    default:
      V.nMax = (Count + PerRow() - 1) / PerRow() - 1;
      V.nPage = static_cast<UINT>(std::max(0, VisibleRowCount()));
      V.nPos = FTop;
      H.nMax = -1;
      break;
  }
  SetScrollInfo(FHandle, SB_VERT, &V, TRUE);
  SetScrollInfo(FHandle, SB_HORZ, &H, TRUE);
}

void TCustomListView::ItemsChanged() {
  // Items moved under the pointer: the next move finds the hot one again.
  FHotIndex = -1;
  FCellWidth = -1;
  if (FDestroying || FItems->FUpdateCount > 0) {
    return;
  }
  if (FHeader) {
    bool Show = FViewStyle == vsReport && ShowColumnHeaders;
    FHeader->SetBounds(0, 0, ClientWidth(), HeaderHeight());
    FHeader->SetVisible(Show);
    FHeader->Invalidate();
  }
  UpdateScrollBars();
  Invalidate();
}

void TCustomListView::Resize() {
  ItemsChanged();
  TCustomControl::Resize();
}

void TCustomListView::SetViewStyle(TViewStyle Value) {
  if (FViewStyle != Value) {
    FViewStyle = Value;
    FTop = 0;
    FScrollX = 0;
    ItemsChanged();
  }
}

void TCustomListView::SetOwnerData(bool Value) {
  if (FOwnerData == Value) {
    return;
  }
  FItems->Clear();
  FOwnerData = Value;
  FItems->FOwnerDataCount = 0;
  FOwnerSelected.clear();
  FItems->FTemp = Value ? std::make_unique<TListItem>(FItems.get()) : nullptr;
  ItemsChanged();
}

void TCustomListView::SetMultiSelect(bool Value) {
  FMultiSelect = Value;
  if (!Value) {
    TListItem* First = Selected();
    int Keep = First ? First->Index() : -1;
    for (int I = 0; I < FItems->Count(); ++I) {
      if (I != Keep && (StateOf(I) & LVIS_SELECTED)) {
        ChangeState(I, LVIS_SELECTED, 0);
      }
    }
  }
}

void TCustomListView::SetSortType(TSortType Value) {
  if (FSortType != Value) {
    FSortType = Value;
    if (Value == stText || Value == stBoth) {
      AlphaSort();
    }
  }
}

void TCustomListView::SetLargeImages(TCustomImageList* Value) {
  if (FLargeImages) RemoveFreeNotification(FLargeImages);
  FLargeImages = Value;
  if (Value) FreeNotification(Value);
  ItemsChanged();
}
void TCustomListView::SetSmallImages(TCustomImageList* Value) {
  if (FSmallImages) RemoveFreeNotification(FSmallImages);
  FSmallImages = Value;
  if (Value) FreeNotification(Value);
  ItemsChanged();
}
void TCustomListView::SetStateImages(TCustomImageList* Value) {
  if (FStateImages) RemoveFreeNotification(FStateImages);
  FStateImages = Value;
  if (Value) FreeNotification(Value);
  ItemsChanged();
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove) {
    if (AComponent == FLargeImages) FLargeImages = nullptr;
    if (AComponent == FSmallImages) FSmallImages = nullptr;
    if (AComponent == FStateImages) FStateImages = nullptr;
  }
}

// ---- Items, state and notifications -----------------------------------------------------------------------------

TListItem* TCustomListView::Fetch(int Index) {
  if (!FOwnerData) {
    return FItems->FItems[static_cast<std::size_t>(Index)];
  }
  TListItem* T = FItems->FTemp.get();
  T->FCaption.clear();
  T->FSubItems->Clear();
  T->Data = nullptr;
  T->FImageIndex = -1;
  T->FStateIndex = -1;
  T->FOverlayIndex = -1;
  T->FIndex = Index;
  T->FSelected = Index < static_cast<int>(FOwnerSelected.size()) && FOwnerSelected[static_cast<std::size_t>(Index)];
  NMLVDISPINFO Info;
  Info.item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  Info.item.iItem = Index;
  Info.item.lParam = reinterpret_cast<LPARAM>(T);
  Notify(Info.hdr, LVN_GETDISPINFO);
  return T;
}

UINT TCustomListView::StateOf(int Index) {
  UINT S = Index == FFocusIndex ? LVIS_FOCUSED : 0;
  if (FOwnerData) {
    if (Index >= 0 && Index < static_cast<int>(FOwnerSelected.size()) && FOwnerSelected[static_cast<std::size_t>(Index)]) {
      S |= LVIS_SELECTED;
    }
    return S;
  }
  TListItem* Item = FItems->FItems[static_cast<std::size_t>(Index)];
  return S | (Item->FSelected ? LVIS_SELECTED : 0) | (Item->FCut ? LVIS_CUT : 0) |
         (Item->FDropTarget ? LVIS_DROPHILITED : 0);
}

LRESULT TCustomListView::Notify(NMHDR& Header, UINT Code) {
  return ComCtrlsShared::SendNotify(this, Header, Code, FDestroying);
}

LRESULT TCustomListView::NotifyItem(UINT Code, int Index, UINT Changed, UINT OldState, UINT NewState, TPoint Pt) {
  NMLISTVIEW NM;
  NM.iItem = Index;
  NM.uChanged = Changed;
  NM.uOldState = OldState;
  NM.uNewState = NewState;
  NM.ptAction = Pt;
  NM.lParam = !FOwnerData && Index >= 0 && Index < static_cast<int>(FItems->FItems.size())
                  ? reinterpret_cast<LPARAM>(FItems->FItems[static_cast<std::size_t>(Index)])
                  : 0;
  return Notify(NM.hdr, Code);
}

bool TCustomListView::ChangeState(int Index, UINT Mask, UINT Value) {
  if (Index < 0 || Index >= FItems->Count()) {
    return false;
  }
  UINT Old = StateOf(Index);
  UINT New = (Old & ~Mask) | (Value & Mask);
  if (Old == New) {
    return true;
  }
  if (NotifyItem(LVN_ITEMCHANGING, Index, LVIF_STATE, Old, New) != 0) {
    return false;
  }
  if ((Old ^ New) & LVIS_FOCUSED) {
    FFocusIndex = (New & LVIS_FOCUSED) ? Index : -1;
  }
  if (FOwnerData) {
    if (FOwnerSelected.size() < static_cast<std::size_t>(FItems->Count())) {
      FOwnerSelected.resize(static_cast<std::size_t>(FItems->Count()), false);
    }
    FOwnerSelected[static_cast<std::size_t>(Index)] = (New & LVIS_SELECTED) != 0;
  } else {
    TListItem* Item = FItems->FItems[static_cast<std::size_t>(Index)];
    Item->FSelected = (New & LVIS_SELECTED) != 0;
    Item->FCut = (New & LVIS_CUT) != 0;
    Item->FDropTarget = (New & LVIS_DROPHILITED) != 0;
  }
  Invalidate();
  NotifyItem(LVN_ITEMCHANGED, Index, LVIF_STATE, Old, New);
  return true;
}

bool TCustomListView::ChangeText(TListItem* Item, TItemChange What, const std::function<void()>& Apply) {
  UINT Flag = What == ctText ? LVIF_TEXT : What == ctImage ? LVIF_IMAGE : LVIF_STATE;
  if (NotifyItem(LVN_ITEMCHANGING, Item->FIndex, Flag, 0, 0) != 0) {
    return false;
  }
  Apply();
  if (What == ctText && !Item->FTextCallback) {
    FCellWidth = -1;  // items with texts on demand never count with their own caption
  }
  Invalidate();
  NotifyItem(LVN_ITEMCHANGED, Item->FIndex, Flag, 0, 0);
  return true;
}

void TCustomListView::DeleteItemAt(int Index) {
  if (FHotIndex >= Index) {
    FHotIndex = -1;
  }
  if (Index == FEditIndex) {
    EndEditing(true);
  }
  NotifyItem(LVN_DELETEITEM, Index, 0, 0, 0);
  auto& V = FItems->FItems;
  TListItem* Item = V[static_cast<std::size_t>(Index)];
  V.erase(V.begin() + Index);
  FItems->Reindex(Index);
  if (FFocusIndex == Index) {
    FFocusIndex = -1;
  } else if (FFocusIndex > Index) {
    --FFocusIndex;
  }
  Item->FIndex = -1;
  delete Item;
  ItemsChanged();
}

void TCustomListView::DeleteItemsAt(const std::vector<int>& Indexes) {
  // Indexes: sorted, unique, in range. Every item is announced while the list is still whole, from the last.
  FHotIndex = -1;
  if (FEditIndex >= 0 && std::binary_search(Indexes.begin(), Indexes.end(), FEditIndex)) {
    EndEditing(true);
  }
  std::vector<TListItem*> Gone;
  Gone.reserve(Indexes.size());
  for (auto It = Indexes.rbegin(); It != Indexes.rend(); ++It) {
    NotifyItem(LVN_DELETEITEM, *It, 0, 0, 0);
    Gone.push_back(FItems->FItems[static_cast<std::size_t>(*It)]);
  }
  auto& V = FItems->FItems;
  const int OldFocus = FFocusIndex;
  TListItem* Focused = OldFocus >= 0 && OldFocus < static_cast<int>(V.size()) ? V[static_cast<std::size_t>(OldFocus)]
                                                                              : nullptr;
  std::vector<TListItem*> Kept;
  Kept.reserve(V.size() - Gone.size());
  std::size_t Next = 0;
  for (std::size_t I = 0; I < V.size(); ++I) {
    if (Next < Indexes.size() && Indexes[Next] == static_cast<int>(I)) {
      ++Next;
      continue;
    }
    Kept.push_back(V[I]);
  }
  V.swap(Kept);
  FItems->Reindex(0);
  FFocusIndex = -1;
  FAnchor = -1;
  for (TListItem* Item : Gone) {
    if (Item == Focused) {
      Focused = nullptr;
    }
    Item->FIndex = -1;
    delete Item;
  }
  if (Focused) {
    FFocusIndex = Focused->FIndex;
  }
  ItemsChanged();
}

void TCustomListView::CNNotify(TMessage& Message) {
  auto* Header = reinterpret_cast<NMHDR*>(Message.LParam);
  auto* NM = reinterpret_cast<NMLISTVIEW*>(Message.LParam);
  Message.Result = 0;
  auto ItemOf = [&](int Index) -> TListItem* {
    if (Index < 0 || Index >= FItems->Count()) {
      return nullptr;
    }
    return FOwnerData ? Fetch(Index) : FItems->FItems[static_cast<std::size_t>(Index)];
  };
  auto ChangeOf = [](UINT Changed) { return Changed == LVIF_TEXT ? ctText : Changed == LVIF_IMAGE ? ctImage : ctState; };
  switch (Header->code) {
    case LVN_ITEMCHANGING:
      Message.Result = CanChange(ItemOf(NM->iItem), ChangeOf(NM->uChanged)) ? 0 : 1;
      break;
    case LVN_ITEMCHANGED: {
      TListItem* Item = ItemOf(NM->iItem);
      Change(Item, ChangeOf(NM->uChanged));
      if (NM->uChanged == LVIF_STATE && ((NM->uOldState ^ NM->uNewState) & LVIS_SELECTED)) {
        DoSelectItem(Item, (NM->uNewState & LVIS_SELECTED) != 0);
      }
      break;
    }
    case LVN_INSERTITEM: InsertItem(ItemOf(NM->iItem)); break;
    case LVN_DELETEITEM: Delete(ItemOf(NM->iItem)); break;
    case LVN_COLUMNCLICK:
      if (NM->iSubItem >= 0 && NM->iSubItem < FColumns->Count()) {
        ColClick(FColumns->Items(NM->iSubItem));
      }
      break;
    case LVN_GETDISPINFO: {
      // Items of an ordinary list arrive with their stored texts already in the answer.
      auto* Info = reinterpret_cast<NMLVDISPINFO*>(Message.LParam);
      if (FOwnerData) {
        OwnerDataFetch(reinterpret_cast<TListItem*>(Info->item.lParam));
      }
      break;
    }
    case LVN_BEGINLABELEDIT: {
      auto* Info = reinterpret_cast<NMLVDISPINFO*>(Message.LParam);
      Message.Result = CanEdit(reinterpret_cast<TListItem*>(Info->item.lParam)) ? 0 : 1;
      break;
    }
    case LVN_ENDLABELEDIT: {
      auto* Info = reinterpret_cast<NMLVDISPINFO*>(Message.LParam);
      if (Info->item.pszText) {
        std::string S = Info->item.pszText;
        Edit(reinterpret_cast<TListItem*>(Info->item.lParam), S);
      }
      break;
    }
    case LVN_BEGINDRAG:
      if (DragMode == dmAutomatic) {
        BeginDrag(true);
      }
      break;
    case NM_CUSTOMDRAW: {
      auto* CD = reinterpret_cast<NMLVCUSTOMDRAW*>(Message.LParam);
      TCanvas* C = Canvas();
      LRESULT R = CDRF_DODEFAULT;
      DWORD Stage = CD->nmcd.dwDrawStage;
      if (Stage == CDDS_PREPAINT) {
        bool Default = true;
        if (OnCustomDraw) {
          OnCustomDraw(this, CD->nmcd.rc, Default);
        }
        R = !Default ? CDRF_SKIPDEFAULT : (OnCustomDrawItem || OnCustomDrawSubItem) ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
      } else if (Stage == CDDS_ITEMPREPAINT || Stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
        auto* Item = reinterpret_cast<TListItem*>(CD->nmcd.lItemlParam);
        TCustomDrawState State;
        if (CD->nmcd.uItemState & CDIS_SELECTED) State.Include(cdsSelected);
        if (CD->nmcd.uItemState & CDIS_FOCUS) State.Include(cdsFocused);
        if (CD->nmcd.uItemState & CDIS_HOT) State.Include(cdsHot);
        C->Font()->Assign(Font());
        C->Font()->SetColor(static_cast<TColor>(CD->clrText));
        C->Brush()->SetColor(static_cast<TColor>(CD->clrTextBk));
        const TColor TextBefore = C->Font()->Color(), BackBefore = C->Brush()->Color();
        bool Default = true;
        if (Stage == CDDS_ITEMPREPAINT) {
          if (OnCustomDrawItem) {
            OnCustomDrawItem(this, Item, State, Default);
          }
          if (Default && OnCustomDrawSubItem) {
            R |= CDRF_NOTIFYSUBITEMDRAW;
          }
        } else if (OnCustomDrawSubItem) {
          OnCustomDrawSubItem(this, Item, CD->iSubItem, State, Default);
        }
        if (!Default) {
          R = CDRF_SKIPDEFAULT;
        } else if (C->Font()->Color() != TextBefore || C->Brush()->Color() != BackBefore) {
          CD->clrText = ColorToRGB(C->Font()->Color());
          CD->clrTextBk = ColorToRGB(C->Brush()->Color());
          R |= CDRF_NEWFONT;
        }
      }
      Message.Result = R;
      break;
    }
    default: break;
  }
}

void TCustomListView::HeaderNotify(TMessage& Message) {
  auto* NM = reinterpret_cast<NMHEADER*>(Message.LParam);
  Message.Result = 0;
  switch (NM->hdr.code) {
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW: {
      NMLISTVIEW LV;
      LV.iItem = -1;
      LV.iSubItem = NM->iItem;
      Notify(LV.hdr, LVN_COLUMNCLICK);
      break;
    }
    case HDN_ITEMCHANGED:
    case HDN_ENDTRACK:
      ItemsChanged();
      break;
    default: break;
  }
}

bool TCustomListView::CanChange(TListItem* Item, TItemChange AChange) {
  bool Allow = true;
  if (OnChanging) {
    OnChanging(this, Item, AChange, Allow);
  }
  return Allow;
}

void TCustomListView::Change(TListItem* Item, TItemChange AChange) {
  if (OnChange) {
    OnChange(this, Item, AChange);
  }
}

void TCustomListView::DoSelectItem(TListItem* Item, bool IsSelected) {
  if (OnSelectItem) {
    OnSelectItem(this, Item, IsSelected);
  }
}

void TCustomListView::ColClick(TListColumn* Column) {
  if (OnColumnClick) {
    OnColumnClick(this, Column);
  }
}

void TCustomListView::Delete(TListItem* Item) {
  if (OnDeletion) {
    OnDeletion(this, Item);
  }
}

void TCustomListView::InsertItem(TListItem* Item) {
  if (OnInsert) {
    OnInsert(this, Item);
  }
}

bool TCustomListView::CanEdit(TListItem* Item) {
  bool Allow = !ReadOnly;
  if (Allow && OnEditing) {
    OnEditing(this, Item, Allow);
  }
  return Allow;
}

void TCustomListView::Edit(TListItem* Item, std::string& S) {
  if (OnEdited) {
    OnEdited(this, Item, S);
  }
  if (Item && !FOwnerData) {
    Item->SetCaption(S);
  }
}

std::string TCustomListView::DisplayText(TListItem* Item, int Column, int* Image) {
  std::string Stored = Column == 0 ? Item->FCaption
                       : Column - 1 < Item->FSubItems->Count() ? Item->FSubItems->Strings(Column - 1)
                                                                : std::string();
  if (Image) {
    *Image = Item->FImageIndex;
  }
  if (!Item->FTextCallback || FOwnerData) {
    return Stored;
  }
  char Buffer[MAX_PATH + 1] = {};
  Stored.copy(Buffer, MAX_PATH);
  NMLVDISPINFO Info;
  Info.item.mask = LVIF_TEXT | LVIF_PARAM | (Image ? LVIF_IMAGE : 0);
  Info.item.iItem = Item->FIndex;
  Info.item.iSubItem = Column;
  Info.item.pszText = Buffer;
  Info.item.cchTextMax = MAX_PATH + 1;
  Info.item.iImage = Item->FImageIndex;
  Info.item.lParam = reinterpret_cast<LPARAM>(Item);
  Notify(Info.hdr, LVN_GETDISPINFO);
  if (Image) {
    *Image = Info.item.iImage;
  }
  return Info.item.pszText ? std::string(Info.item.pszText) : std::string();
}

bool TCustomListView::OwnerDataFetch(TListItem* Item) {
  if (OnData && Item) {
    OnData(this, Item);
    return true;
  }
  return false;
}

// ---- Selection --------------------------------------------------------------------------------------------------

TListItem* TCustomListView::Selected() {
  for (int I = 0; I < FItems->Count(); ++I) {
    if (StateOf(I) & LVIS_SELECTED) {
      return FItems->Item(I);
    }
  }
  return nullptr;
}

void TCustomListView::SetSelected(TListItem* Item) {
  int Keep = Item ? Item->Index() : -1;
  for (int I = 0; I < FItems->Count(); ++I) {
    if (I != Keep && (StateOf(I) & LVIS_SELECTED)) {
      ChangeState(I, LVIS_SELECTED, 0);
    }
  }
  if (Keep >= 0) {
    ChangeState(Keep, LVIS_SELECTED, LVIS_SELECTED);
  }
}

TListItem* TCustomListView::ItemFocused() { return FFocusIndex >= 0 ? FItems->Item(FFocusIndex) : nullptr; }

void TCustomListView::SetItemFocused(TListItem* Item) {
  if (Item) {
    Item->SetFocused(true);
  } else if (FFocusIndex >= 0) {
    ChangeState(FFocusIndex, LVIS_FOCUSED, 0);
  }
}

int TCustomListView::SelCount() {
  int N = 0;
  for (int I = 0; I < FItems->Count(); ++I) {
    N += (StateOf(I) & LVIS_SELECTED) ? 1 : 0;
  }
  return N;
}

void TCustomListView::ClearSelection() { SetSelected(nullptr); }

void TCustomListView::SelectAll() {
  if (!FMultiSelect) {
    return;
  }
  for (int I = 0; I < FItems->Count(); ++I) {
    ChangeState(I, LVIS_SELECTED, LVIS_SELECTED);
  }
}

// A click: the item alone selected and focused; Ctrl toggles it and Shift selects the run from the anchor when
// several may be selected. A click beside the items clears the selection.
void TCustomListView::ClickItem(int Index, TShiftState Shift) {
  bool Ctrl = FMultiSelect && Shift.Contains(ssCtrl);
  bool Range = FMultiSelect && Shift.Contains(ssShift) && FAnchor >= 0;
  if (Index < 0) {
    if (!Ctrl) {
      SetSelected(nullptr);
    }
    return;
  }
  if (Ctrl) {
    ChangeState(Index, LVIS_SELECTED | LVIS_FOCUSED, (StateOf(Index) & LVIS_SELECTED) ? LVIS_FOCUSED : LVIS_SELECTED | LVIS_FOCUSED);
    FAnchor = Index;
    return;
  }
  int Lo = Range ? std::min(FAnchor, Index) : Index, Hi = Range ? std::max(FAnchor, Index) : Index;
  for (int I = 0; I < FItems->Count(); ++I) {
    if ((I < Lo || I > Hi) && (StateOf(I) & (LVIS_SELECTED | LVIS_FOCUSED))) {
      if (!ChangeState(I, LVIS_SELECTED | LVIS_FOCUSED, 0)) {
        return;
      }
    }
  }
  for (int I = Lo; I <= Hi; ++I) {
    UINT Want = LVIS_SELECTED | (I == Index ? LVIS_FOCUSED : 0);
    ChangeState(I, LVIS_SELECTED | LVIS_FOCUSED, Want);
  }
  if (!Range) {
    FAnchor = Index;
  }
  EnsureVisible(Index, false);
}

// ---- Sorting ----------------------------------------------------------------------------------------------------

void TCustomListView::SortItems(const TLVCompare& Proc, LPARAM Data) {
  auto& V = FItems->FItems;
  std::stable_sort(V.begin(), V.end(), [&](TListItem* A, TListItem* B) {
    if (Proc) {
      return Proc(A, B, Data) < 0;
    }
    if (OnCompare) {
      int R = 0;
      OnCompare(this, A, B, static_cast<int>(Data), R);
      return R < 0;
    }
    return std::strcmp(A->FCaption.c_str(), B->FCaption.c_str()) < 0;
  });
  int Focus = FFocusIndex >= 0 && FFocusIndex < static_cast<int>(V.size()) ? FFocusIndex : -1;
  TListItem* Focused = nullptr;
  if (Focus >= 0) {
    for (TListItem* I : V) {
      if (I->FIndex == Focus) {
        Focused = I;
      }
    }
  }
  FItems->Reindex(0);
  if (Focused) {
    FFocusIndex = Focused->FIndex;
  }
  Invalidate();
}

bool TCustomListView::SortByOrder(const std::vector<int>& Order) {
  auto& V = FItems->FItems;
  if (FOwnerData || Order.size() != V.size()) {
    return false;
  }
  std::vector<bool> Seen(V.size(), false);
  for (int From : Order) {
    if (From < 0 || static_cast<std::size_t>(From) >= V.size() || Seen[static_cast<std::size_t>(From)]) {
      return false;
    }
    Seen[static_cast<std::size_t>(From)] = true;
  }
  TListItem* Focused = FFocusIndex >= 0 && FFocusIndex < static_cast<int>(V.size())
                           ? V[static_cast<std::size_t>(FFocusIndex)]
                           : nullptr;
  std::vector<TListItem*> Sorted;
  Sorted.reserve(V.size());
  for (int From : Order) {
    Sorted.push_back(V[static_cast<std::size_t>(From)]);
  }
  V.swap(Sorted);
  FItems->Reindex(0);
  if (Focused) {
    FFocusIndex = Focused->FIndex;
  }
  Invalidate();
  return true;
}

bool TCustomListView::AlphaSort() {
  if (FOwnerData) {
    return false;
  }
  SortItems(nullptr, 0);
  return true;
}

bool TCustomListView::CustomSort(const TLVCompare& SortProc, LPARAM Data) {
  if (FOwnerData) {
    return false;
  }
  SortItems(SortProc, Data);
  return true;
}

// ---- TListView --------------------------------------------------------------------------------------------------

void TListView::Publish(TMetaClass& Meta) {
  TPublisher<TListView> P(Meta);
  // Published again with the defaults this control's constructor gives, so layouts leave them out.
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  P.Property("Checkboxes", &TListView::Checkboxes, &TListView::Checkboxes).Default(false);
  P.Property("Columns", &TListView::Columns, &TListView::SetColumns);
  P.Property("GridLines", &TListView::GridLines, &TListView::GridLines).Default(false);
  P.Property("HideSelection", &TListView::HideSelection, &TListView::HideSelection).Default(true);
  P.Property("HotTrack", &TListView::HotTrack, &TListView::SetHotTrack).Default(false);
  P.Property("HotTrackStyles", &TListView::HotTrackStyles, &TListView::SetHotTrackStyles).Default(THotTrackStyles{});
  P.Property("Items", &TListView::Items, &TListView::SetItems);
  P.Property("LargeImages", &TListView::LargeImages, &TListView::SetLargeImages);
  P.Property("MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect).Default(false);
  P.Property("OwnerData", &TListView::OwnerData, &TListView::SetOwnerData).Default(false);
  P.Property("ReadOnly", &TListView::ReadOnly, &TListView::ReadOnly).Default(false);
  P.Property("RowSelect", &TListView::RowSelect, &TListView::RowSelect).Default(false);
  P.Property("ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::ShowColumnHeaders).Default(true);
  P.Property("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages);
  P.Property("SortType", &TListView::SortType, &TListView::SetSortType).Default(stNone);
  P.Property("StateImages", &TListView::StateImages, &TListView::SetStateImages);
  P.Property("ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle).Default(vsIcon);
  P.Property("OnChange", &TListView::OnChange, &TListView::OnChange);
  P.Property("OnChanging", &TListView::OnChanging, &TListView::OnChanging);
  P.Property("OnColumnClick", &TListView::OnColumnClick, &TListView::OnColumnClick);
  P.Property("OnCompare", &TListView::OnCompare, &TListView::OnCompare);
  P.Property("OnCustomDraw", &TListView::OnCustomDraw, &TListView::OnCustomDraw);
  P.Property("OnCustomDrawItem", &TListView::OnCustomDrawItem, &TListView::OnCustomDrawItem);
  P.Property("OnCustomDrawSubItem", &TListView::OnCustomDrawSubItem, &TListView::OnCustomDrawSubItem);
  P.Property("OnData", &TListView::OnData, &TListView::OnData);
  P.Property("OnDeletion", &TListView::OnDeletion, &TListView::OnDeletion);
  P.Property("OnEdited", &TListView::OnEdited, &TListView::OnEdited);
  P.Property("OnEditing", &TListView::OnEditing, &TListView::OnEditing);
  P.Property("OnInsert", &TListView::OnInsert, &TListView::OnInsert);
  P.Property("OnSelectItem", &TListView::OnSelectItem, &TListView::OnSelectItem);
}

// ---- Hot tracking -----------------------------------------------------------------------------------------------

void TCustomListView::SetHotTrack(bool Value) {
  if (FHotTrack != Value) {
    FHotTrack = Value;
    if (!Value) {
      SetHotIndex(-1);
    }
    Invalidate();
  }
}

void TCustomListView::SetHotTrackStyles(THotTrackStyles Value) {
  if (FHotTrackStyles != Value) {
    FHotTrackStyles = Value;
    Invalidate();
  }
}

void TCustomListView::SetHotIndex(int Index) {
  if (Index == FHotIndex) {
    return;
  }
  auto InvalidateItem = [this](int I) {
    if (I >= 0 && I < FItems->Count() && HandleAllocated()) {
      TRect R = ItemRect(I, drBounds);
      InvalidateRect(FHandle, &R, TRUE);
    }
  };
  InvalidateItem(FHotIndex);
  FHotIndex = Index;
  InvalidateItem(FHotIndex);
}

void TCustomListView::TrackHot(UINT Msg, LPARAM LParam) {
  if (!FHotTrack || Msg == WM_MOUSELEAVE) {
    SetHotIndex(-1);
    return;
  }
  TRACKMOUSEEVENT Track;
  Track.dwFlags = TME_LEAVE;
  Track.hwndTrack = FHandle;
  TrackMouseEvent(&Track);
  const TPoint P = ComCtrlsShared::MousePos(LParam);
  TListItem* Item = FHeader && FHeader->Visible() && P.Y < HeaderHeight() ? nullptr : GetItemAt(P.X, P.Y);
  SetHotIndex(Item ? Item->Index() : -1);
}

bool TCustomListView::SetHotCursor() {
  if (!FHotTrack || !FHotTrackStyles.Contains(htHandPoint) || Cursor != crDefault) {
    return false;
  }
  TPoint P;
  GetCursorPos(&P);
  P = ScreenToClient(P);
  if (!GetItemAt(P.X, P.Y)) {
    return false;
  }
  ::SetCursor(LoadCursor(nullptr, MAKEINTRESOURCE(IDC_HAND)));
  return true;
}
