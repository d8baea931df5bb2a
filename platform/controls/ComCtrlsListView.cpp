// The list view: columns and their header window, items (or owner data asked for on demand), the four views'
// geometry, selection with its notifications, sorting, editing, painting with custom draw.
#include "platform/controls/ComCtrls.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"
#include "platform/win/WinMenu.h"

#include <algorithm>
#include <cstring>

Z_IMPLEMENT_CLASS_PUBLISHED(TListColumn, TCollectionItem, TListColumn::Publish)
Z_IMPLEMENT_CLASS(TListColumns, TCollection)
Z_IMPLEMENT_CLASS(TListItem, TPersistent)
Z_IMPLEMENT_CLASS(TListItems, TPersistent)
Z_IMPLEMENT_CLASS(TCustomListView, TCustomControl)
Z_IMPLEMENT_CLASS_PUBLISHED(TListView, TCustomListView, TListView::Publish)

namespace {

TSize MeasureWith(TFont* Font, const std::string& Text) {
  HDC DC = CreateCompatibleDC(0);
  HGDIOBJ Old = SelectObject(DC, Font->Handle());
  TSize Size{0, 0};
  const std::string S = Text.empty() ? std::string(" ") : Text;
  GetTextExtentPoint32(DC, S.c_str(), static_cast<int>(S.size()), &Size);
  if (Text.empty()) {
    Size.cx = 0;
  }
  SelectObject(DC, Old);
  DeleteDC(DC);
  return Size;
}

bool PtIn(const TRect& R, int X, int Y) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; }

constexpr int IconCellWidth = 75;
constexpr int DividerGrip = 3;

}  // namespace

// ---- The header window ------------------------------------------------------------------------------------------

// The column header of the report view: a window of its own that answers the HDM_ messages and tells its
// parent (the list view) HDN_ITEMCLICK, HDN_BEGINTRACK / HDN_TRACK / HDN_ENDTRACK and HDN_ITEMCHANGING /
// HDN_ITEMCHANGED.
class TListViewHeader : public TCustomControl {
  Z_CLASS(TListViewHeader, TCustomControl)

public:
  explicit TListViewHeader(TCustomListView* AList) : TCustomControl(nullptr), FList(AList) {
    FColor = clBtnFace;
    FParentColor = false;
  }
  void Dispatch(TMessage& Message) override;
  // Sort marks and owner drawing per column (HDF_ flags beyond the alignment).
  std::vector<int> Formats;
  int Format(int Index) const {
    return Index >= 0 && Index < static_cast<int>(Formats.size()) ? Formats[static_cast<std::size_t>(Index)] : 0;
  }
  TRect ItemRect(int Index);

protected:
  void Paint() override;

private:
  LRESULT NotifyHeader(UINT Code, int Item, HDITEM* Data);
  int DividerAt(int X);
  int ItemAt(int X);
  TCustomListView* FList;
  int FTracking = -1;
  int FTrackStartX = 0;
  int FTrackStartWidth = 0;
  int FPressed = -1;
};
Z_IMPLEMENT_CLASS(TListViewHeader, TCustomControl)

TRect TListViewHeader::ItemRect(int Index) {
  int X = -FList->FScrollX;
  for (int I = 0; I < FList->FColumns->Count(); ++I) {
    int W = FList->FColumns->Items(I)->Width();
    if (I == Index) {
      return Rect(X, 0, X + W, Height());
    }
    X += W;
  }
  return TRect{};
}

int TListViewHeader::DividerAt(int X) {
  for (int I = FList->FColumns->Count() - 1; I >= 0; --I) {
    TRect R = ItemRect(I);
    if (X >= R.Right - DividerGrip && X <= R.Right + DividerGrip) {
      return I;
    }
  }
  return -1;
}

int TListViewHeader::ItemAt(int X) {
  for (int I = 0; I < FList->FColumns->Count(); ++I) {
    TRect R = ItemRect(I);
    if (X >= R.Left && X < R.Right) {
      return I;
    }
  }
  return -1;
}

LRESULT TListViewHeader::NotifyHeader(UINT Code, int Item, HDITEM* Data) {
  NMHEADER NM;
  NM.hdr.hwndFrom = HandleAllocated() ? FHandle : 0;
  NM.hdr.idFrom = 0;
  NM.hdr.code = Code;
  NM.iItem = Item;
  NM.pitem = Data;
  return SendMessage(FList->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&NM));
}

void TListViewHeader::Dispatch(TMessage& Message) {
  TListColumns* Cols = FList->FColumns.get();
  switch (Message.Msg) {
    case HDM_GETITEMCOUNT: Message.Result = Cols->Count(); return;
    case HDM_GETITEMRECT: {
      auto Index = static_cast<int>(Message.WParam);
      if (Index < 0 || Index >= Cols->Count() || !Message.LParam) {
        Message.Result = 0;
        return;
      }
      *reinterpret_cast<TRect*>(Message.LParam) = ItemRect(Index);
      Message.Result = 1;
      return;
    }
    case HDM_GETITEM:
    case HDM_SETITEM: {
      auto Index = static_cast<int>(Message.WParam);
      auto* Item = reinterpret_cast<HDITEM*>(Message.LParam);
      if (Index < 0 || Index >= Cols->Count() || !Item) {
        Message.Result = 0;
        return;
      }
      TListColumn* Col = Cols->Items(Index);
      if (Message.Msg == HDM_GETITEM) {
        if (Item->mask & HDI_WIDTH) Item->cxy = Col->Width();
        if (Item->mask & HDI_FORMAT) {
          int Align = Col->Alignment() == taRightJustify ? HDF_RIGHT : Col->Alignment() == taCenter ? HDF_CENTER : HDF_LEFT;
          Item->fmt = Align | (Format(Index) & ~HDF_JUSTIFYMASK) | ((Format(Index) & HDF_OWNERDRAW) ? 0 : HDF_STRING);
        }
        if ((Item->mask & HDI_TEXT) && Item->pszText && Item->cchTextMax > 0) {
          std::string T = Col->Caption().substr(0, static_cast<std::size_t>(Item->cchTextMax - 1));
          std::memcpy(Item->pszText, T.c_str(), T.size() + 1);
        }
        if (Item->mask & HDI_IMAGE) Item->iImage = Col->ImageIndex();
        if (Item->mask & HDI_LPARAM) Item->lParam = reinterpret_cast<LPARAM>(Col);
      } else {
        if (NotifyHeader(HDN_ITEMCHANGING, Index, Item) != 0) {
          Message.Result = 0;
          return;
        }
        if (Item->mask & HDI_FORMAT) {
          if (static_cast<int>(Formats.size()) <= Index) {
            Formats.resize(static_cast<std::size_t>(Index) + 1, 0);
          }
          Formats[static_cast<std::size_t>(Index)] = Item->fmt & ~HDF_JUSTIFYMASK;
          int J = Item->fmt & HDF_JUSTIFYMASK;
          Col->SetAlignment(J == HDF_RIGHT ? taRightJustify : J == HDF_CENTER ? taCenter : taLeftJustify);
        }
        if (Item->mask & HDI_WIDTH) Col->SetWidth(Item->cxy);
        if ((Item->mask & HDI_TEXT) && Item->pszText) Col->SetCaption(Item->pszText);
        if (Item->mask & HDI_IMAGE) Col->SetImageIndex(Item->iImage);
        NotifyHeader(HDN_ITEMCHANGED, Index, Item);
        Invalidate();
      }
      Message.Result = 1;
      return;
    }
    case WM_LBUTTONDOWN: {
      auto X = static_cast<short>(LOWORD(Message.LParam));
      int Div = DividerAt(X);
      if (Div >= 0) {
        HDITEM Item;
        Item.mask = HDI_WIDTH;
        Item.cxy = Cols->Items(Div)->Width();
        if (NotifyHeader(HDN_BEGINTRACK, Div, &Item) == 0) {
          FTracking = Div;
          FTrackStartX = X;
          FTrackStartWidth = Item.cxy;
          SetCapture(FHandle);
        }
      } else {
        FPressed = ItemAt(X);
        if (FPressed >= 0) {
          SetCapture(FHandle);
        }
      }
      Message.Result = 0;
      return;
    }
    case WM_MOUSEMOVE:
      if (FTracking >= 0) {
        auto X = static_cast<short>(LOWORD(Message.LParam));
        HDITEM Item;
        Item.mask = HDI_WIDTH;
        Item.cxy = std::max(0, FTrackStartWidth + X - FTrackStartX);
        NotifyHeader(HDN_TRACK, FTracking, &Item);
        Message.Result = 0;
        return;
      }
      break;
    case WM_LBUTTONUP: {
      auto X = static_cast<short>(LOWORD(Message.LParam));
      if (GetCapture() == FHandle) {
        ReleaseCapture();
      }
      if (FTracking >= 0) {
        int Index = FTracking;
        FTracking = -1;
        HDITEM Item;
        Item.mask = HDI_WIDTH;
        Item.cxy = std::max(0, FTrackStartWidth + X - FTrackStartX);
        NotifyHeader(HDN_ENDTRACK, Index, &Item);
        SendMessage(FHandle, HDM_SETITEM, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&Item));
      } else if (FPressed >= 0) {
        int Index = FPressed;
        FPressed = -1;
        if (ItemAt(X) == Index) {
          // The list view's header reports clicks with the wide code, as the platform's does.
          NotifyHeader(HDN_ITEMCLICKW, Index, nullptr);
        }
      }
      Message.Result = 0;
      return;
    }
    default: break;
  }
  TCustomControl::Dispatch(Message);
}

void TListViewHeader::Paint() {
  TCanvas* C = Canvas();
  C->Brush()->SetColor(clBtnFace);
  C->FillRect(ClientRect());
  TListColumns* Cols = FList->FColumns.get();
  for (int I = 0; I < Cols->Count(); ++I) {
    TListColumn* Col = Cols->Items(I);
    TRect R = ItemRect(I);
    TRect Edge = R;
    DrawEdge(C->Handle(), &Edge, EDGE_RAISED, BF_RECT | BF_SOFT);
    int Fmt = Format(I);
    if (Fmt & HDF_OWNERDRAW) {
      DRAWITEMSTRUCT DIS;
      DIS.CtlType = ODT_HEADER;
      DIS.itemID = static_cast<UINT>(I);
      DIS.itemAction = ODA_DRAWENTIRE;
      DIS.hwndItem = FHandle;
      DIS.hDC = C->Handle();
      DIS.rcItem = R;
      DIS.itemData = reinterpret_cast<ULONG_PTR>(Col);
      SendMessage(FList->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&DIS));
      continue;
    }
    C->Font()->Assign(Font());
    C->Brush()->SetStyle(bsClear);
    int W = C->TextWidth(Col->Caption());
    int Room = R.Width() - 12 - ((Fmt & (HDF_SORTUP | HDF_SORTDOWN)) ? 14 : 0);
    int X = R.Left + 6;
    if (Col->Alignment() == taRightJustify) {
      X = R.Left + 6 + std::max(0, Room - W);
    } else if (Col->Alignment() == taCenter) {
      X = R.Left + 6 + std::max(0, (Room - W) / 2);
    }
    TRect Clip = Rect(R.Left + 2, R.Top, R.Right - 2, R.Bottom);
    C->TextRect(Clip, X, R.Top + (R.Height() - C->TextHeight("Wg")) / 2, Col->Caption());
    C->Brush()->SetStyle(bsSolid);
    if (Fmt & (HDF_SORTUP | HDF_SORTDOWN)) {
      // A small triangle: pointing up for ascending, down for descending.
      int AX = std::min(X + W + 6, R.Right - 12), AY = R.Top + R.Height() / 2;
      C->Brush()->SetColor(clBtnShadow);
      for (int Row = 0; Row < 4; ++Row) {
        int Half = (Fmt & HDF_SORTUP) ? Row : 3 - Row;
        C->FillRect(Rect(AX + 3 - Half, AY - 2 + Row, AX + 4 + Half, AY - 1 + Row));
      }
    }
  }
}

// ---- TListColumn ------------------------------------------------------------------------------------------------

void TListColumn::Publish(TMetaClass& Meta) {
  TPublisher<TListColumn> P(Meta);
  P.Property("Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment).Default(taLeftJustify);
  P.Property("AutoSize", &TListColumn::AutoSize, &TListColumn::SetAutoSize).Default(false);
  P.Property("Caption", &TListColumn::Caption, &TListColumn::SetCaption);
  P.Property("ImageIndex", &TListColumn::ImageIndex, &TListColumn::SetImageIndex).Default(-1);
  P.Property("Width", &TListColumn::WidthValue, &TListColumn::SetWidth).Default(50);
}

void TListColumn::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TListColumn*>(Source)) {
    FAlignment = S->FAlignment;
    FAutoSize = S->FAutoSize;
    FCaption = S->FCaption;
    FImageIndex = S->FImageIndex;
    FWidth = S->FWidth;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(Source);
}

void TListColumn::SetAlignment(TAlignment Value) {
  if (FAlignment != Value) {
    FAlignment = Value;
    Changed(false);
  }
}
void TListColumn::SetAutoSize(bool Value) {
  if (FAutoSize != Value) {
    FAutoSize = Value;
    Changed(true);
  }
}
void TListColumn::SetCaption(const std::string& Value) {
  if (FCaption != Value) {
    FCaption = Value;
    Changed(false);
  }
}
void TListColumn::SetImageIndex(int Value) {
  if (FImageIndex != Value) {
    FImageIndex = Value;
    Changed(false);
  }
}
void TListColumn::SetWidth(int Value) {
  if (FWidth != Value) {
    FWidth = std::max(0, Value);
    Changed(true);
  }
}

int TListColumn::Width() {
  if (!FAutoSize || !Collection()) {
    return FWidth;
  }
  auto* Cols = static_cast<TListColumns*>(Collection());
  int Others = 0;
  for (int I = 0; I < Cols->Count(); ++I) {
    TListColumn* C = Cols->Items(I);
    if (C != this && !C->FAutoSize) {
      Others += C->FWidth;
    }
  }
  return std::max(FWidth, Cols->Owner()->ClientWidth() - Others);
}

TListColumns::TListColumns(TCustomListView* AOwner) : TCollection(TListColumn::StaticClass()), FOwner(AOwner) {
  SetPropName("Columns");
}

TPersistent* TListColumns::GetOwner() { return FOwner; }

void TListColumns::Update(TCollectionItem* Item) {
  (void)Item;
  if (FOwner->FHeader) {
    FOwner->FHeader->Invalidate();
  }
  FOwner->ItemsChanged();
}

// ---- TListItem --------------------------------------------------------------------------------------------------

TListItem::TListItem(TListItems* AOwner) : FOwner(AOwner), FSubItems(std::make_unique<TStringList>()) {
  FSubItems->SetOnChange([this](TObject*) {
    if (TCustomListView* LV = ListView(); LV && FIndex >= 0 && !LV->FOwnerData) {
      LV->Invalidate();
    }
  });
}

TListItem::~TListItem() = default;

TCustomListView* TListItem::ListView() const { return FOwner ? FOwner->Owner() : nullptr; }

void TListItem::SetCaption(const std::string& Value) {
  TCustomListView* LV = ListView();
  if (!LV || FIndex < 0 || LV->FOwnerData) {
    FCaption = Value;
    return;
  }
  LV->ChangeText(this, ctText, [&] { FCaption = Value; });
  if (LV->FSortType == stText || LV->FSortType == stBoth) {
    LV->AlphaSort();
  }
}

void TListItem::SetImageIndex(int Value) {
  TCustomListView* LV = ListView();
  if (!LV || FIndex < 0 || LV->FOwnerData) {
    FImageIndex = Value;
    return;
  }
  LV->ChangeText(this, ctImage, [&] { FImageIndex = Value; });
}

void TListItem::SetStateIndex(int Value) {
  FStateIndex = Value;
  Update();
}
void TListItem::SetOverlayIndex(int Value) {
  FOverlayIndex = Value;
  Update();
}

void TListItem::SetCut(bool Value) {
  if (TCustomListView* LV = ListView(); LV && FIndex >= 0) {
    LV->ChangeState(FIndex, LVIS_CUT, Value ? LVIS_CUT : 0);
  } else {
    FCut = Value;
  }
}

void TListItem::SetDropTarget(bool Value) {
  if (TCustomListView* LV = ListView(); LV && FIndex >= 0) {
    LV->ChangeState(FIndex, LVIS_DROPHILITED, Value ? LVIS_DROPHILITED : 0);
  } else {
    FDropTarget = Value;
  }
}

void TListItem::SetSelected(bool Value) {
  if (TCustomListView* LV = ListView(); LV && FIndex >= 0) {
    if (Value && !LV->FMultiSelect) {
      for (int I = 0; I < LV->FItems->Count(); ++I) {
        if (I != FIndex && (LV->StateOf(I) & LVIS_SELECTED)) {
          LV->ChangeState(I, LVIS_SELECTED, 0);
        }
      }
    }
    LV->ChangeState(FIndex, LVIS_SELECTED, Value ? LVIS_SELECTED : 0);
  } else {
    FSelected = Value;
  }
}

bool TListItem::Focused() const {
  TCustomListView* LV = ListView();
  return LV && FIndex >= 0 && LV->FFocusIndex == FIndex;
}

void TListItem::SetFocused(bool Value) {
  if (TCustomListView* LV = ListView(); LV && FIndex >= 0) {
    if (Value && LV->FFocusIndex >= 0 && LV->FFocusIndex != FIndex) {
      LV->ChangeState(LV->FFocusIndex, LVIS_FOCUSED, 0);
    }
    LV->ChangeState(FIndex, LVIS_FOCUSED, Value ? LVIS_FOCUSED : 0);
  }
}

void TListItem::SetChecked(bool Value) {
  if (FChecked == Value) {
    return;
  }
  TCustomListView* LV = ListView();
  if (!LV || FIndex < 0 || LV->FOwnerData) {
    FChecked = Value;
    return;
  }
  LV->ChangeText(this, ctState, [&] { FChecked = Value; });
}

TRect TListItem::DisplayRect(TDisplayCode Code) {
  TCustomListView* LV = ListView();
  return LV && FIndex >= 0 ? LV->ItemRect(FIndex, Code) : TRect{};
}

void TListItem::MakeVisible(bool PartialOK) {
  if (TCustomListView* LV = ListView(); LV && FIndex >= 0) {
    LV->EnsureVisible(FIndex, PartialOK);
  }
}

void TListItem::Delete() {
  if (FOwner && FIndex >= 0) {
    FOwner->Delete(FIndex);
  }
}

void TListItem::Update() {
  if (TCustomListView* LV = ListView()) {
    LV->Invalidate();
  }
}

bool TListItem::EditCaption() {
  TCustomListView* LV = ListView();
  if (!LV || FIndex < 0 || LV->ReadOnly || !LV->HandleAllocated()) {
    return false;
  }
  LV->EndEditing(false);
  LV->EnsureVisible(FIndex, false);
  NMLVDISPINFO Info;
  Info.item.mask = LVIF_TEXT | LVIF_PARAM;
  Info.item.iItem = FIndex;
  Info.item.pszText = FCaption.data();
  Info.item.lParam = reinterpret_cast<LPARAM>(this);
  if (LV->Notify(Info.hdr, LVN_BEGINLABELEDIT) != 0) {
    return false;
  }
  TRect R = LV->ItemRect(FIndex, drLabel);
  LV->FEditIndex = FIndex;
  LV->FEditWnd = CreateWindowEx(0, WC_EDIT, FCaption.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                                R.Left, R.Top, std::max(R.Width() + 40, 60), R.Height() + 2, LV->Handle(), 0, 0,
                                nullptr);
  if (!LV->FEditWnd) {
    LV->FEditIndex = -1;
    return false;
  }
  SetWindowLongPtr(LV->FEditWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(LV));
  LV->FEditOldProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(LV->FEditWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TCustomListView::EditProc)));
  SendMessage(LV->FEditWnd, EM_SETSEL, 0, -1);
  ::SetFocus(LV->FEditWnd);
  return true;
}

void TListItem::CancelEdit() {
  if (TCustomListView* LV = ListView(); LV && LV->FEditIndex == FIndex) {
    LV->EndEditing(true);
  }
}

// ---- TListItems -------------------------------------------------------------------------------------------------

TListItems::TListItems(TCustomListView* AOwner) : FOwner(AOwner) {}

TListItems::~TListItems() {
  for (TListItem* Item : FItems) {
    delete Item;
  }
}

int TListItems::Count() const { return FOwner && FOwner->FOwnerData ? FOwnerDataCount : static_cast<int>(FItems.size()); }

void TListItems::SetCount(int Value) {
  if (!FOwner || !FOwner->FOwnerData) {
    return;
  }
  FOwnerDataCount = std::max(0, Value);
  FOwner->FOwnerSelected.resize(static_cast<std::size_t>(FOwnerDataCount), false);
  if (FOwner->FFocusIndex >= FOwnerDataCount) {
    FOwner->FFocusIndex = -1;
  }
  FOwner->ItemsChanged();
}

TListItem* TListItems::Item(int Index) {
  if (Index < 0 || Index >= Count()) {
    throw EListError(Format(RtlConsts::SListIndexError, {Index}));
  }
  if (FOwner && FOwner->FOwnerData) {
    return FOwner->Fetch(Index);
  }
  return FItems[static_cast<std::size_t>(Index)];
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int Index) {
  if (FOwner && FOwner->FOwnerData) {
    throw EInvalidOperation("Owner data lists take their items from OnData");
  }
  Index = std::clamp(Index, 0, Count());
  auto* Item = new TListItem(this);
  FItems.insert(FItems.begin() + Index, Item);
  Reindex(Index);
  if (FOwner) {
    if (FOwner->FFocusIndex >= Index) {
      ++FOwner->FFocusIndex;
    }
    FOwner->NotifyItem(LVN_INSERTITEM, Index, 0, 0, 0);
    FOwner->ItemsChanged();
  }
  return Item;
}

void TListItems::Reindex(int From) {
  for (std::size_t I = static_cast<std::size_t>(std::max(0, From)); I < FItems.size(); ++I) {
    FItems[I]->FIndex = static_cast<int>(I);
  }
}

void TListItems::Delete(int Index) {
  if (Index < 0 || Index >= Count()) {
    throw EListError(Format(RtlConsts::SListIndexError, {Index}));
  }
  if (FOwner && FOwner->FOwnerData) {
    return;
  }
  FOwner->DeleteItemAt(Index);
}

void TListItems::Clear() {
  if (FOwner && FOwner->FOwnerData) {
    SetCount(0);
    return;
  }
  BeginUpdate();
  while (!FItems.empty()) {
    FOwner->DeleteItemAt(static_cast<int>(FItems.size()) - 1);
  }
  EndUpdate();
}

void TListItems::BeginUpdate() { ++FUpdateCount; }

void TListItems::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FOwner) {
    FOwner->ItemsChanged();
  }
}

int TListItems::IndexOf(TListItem* Value) const {
  auto It = std::find(FItems.begin(), FItems.end(), Value);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TListItems::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TListItems*>(Source);
  if (!Other) {
    TPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  Clear();
  for (TListItem* From : Other->FItems) {
    TListItem* To = Add();
    To->FCaption = From->FCaption;
    To->FSubItems->Assign(From->FSubItems.get());
    To->Data = From->Data;
    To->FImageIndex = From->FImageIndex;
    To->FStateIndex = From->FStateIndex;
    To->FOverlayIndex = From->FOverlayIndex;
  }
  EndUpdate();
}

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
  Params.ExStyle |= WS_EX_CLIENTEDGE;
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

int TCustomListView::TextWidth(const std::string& Text) { return MeasureWith(Font(), Text).cx; }

int TCustomListView::HeaderHeight() {
  return FViewStyle == vsReport && ShowColumnHeaders ? MeasureWith(Font(), "Wg").cy + 6 : 0;
}

int TCustomListView::ItemHeight() {
  int H = MeasureWith(Font(), "Wg").cy + 3;
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
int TCustomListView::CellWidth() {
  if (FViewStyle == vsIcon) {
    return IconCellWidth;
  }
  int W = 100;
  if (!FOwnerData) {
    W = 0;
    for (TListItem* Item : FItems->FItems) {
      W = std::max(W, TextWidth(Item->FCaption));
    }
    W += 4;
  }
  int Icon = FSmallImages ? FSmallImages->Width() + 2 : 0;
  int Check = Checkboxes ? 16 : 0;
  return W + Icon + Check + 8;
}

int TCustomListView::CellHeight() {
  if (FViewStyle == vsIcon) {
    int IconH = FLargeImages ? FLargeImages->Height() : 32;
    return IconH + 2 * MeasureWith(Font(), "Wg").cy + 10;
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
  Header.hwndFrom = HandleAllocated() ? FHandle : 0;
  Header.idFrom = HandleAllocated() ? static_cast<UINT_PTR>(GetDlgCtrlID(FHandle)) : 0;
  Header.code = Code;
  auto L = reinterpret_cast<LPARAM>(&Header);
  if (HandleAllocated() && FParent && FParent->HandleAllocated() && !FDestroying) {
    return SendMessage(FParent->Handle(), WM_NOTIFY, Header.idFrom, L);
  }
  return Perform(CN_NOTIFY, Header.idFrom, L);
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
  Invalidate();
  NotifyItem(LVN_ITEMCHANGED, Item->FIndex, Flag, 0, 0);
  return true;
}

void TCustomListView::DeleteItemAt(int Index) {
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
      auto* Info = reinterpret_cast<NMLVDISPINFO*>(Message.LParam);
      OwnerDataFetch(reinterpret_cast<TListItem*>(Info->item.lParam));
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

// ---- Editing ----------------------------------------------------------------------------------------------------

LRESULT TCustomListView::EditProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* LV = reinterpret_cast<TCustomListView*>(GetWindowLongPtr(Wnd, GWLP_USERDATA));
  WNDPROC Old = LV ? LV->FEditOldProc : nullptr;
  if (LV && LV->FEditWnd == Wnd) {
    if (Msg == WM_KEYDOWN && (WParam == VK_RETURN || WParam == VK_ESCAPE)) {
      LV->EndEditing(WParam == VK_ESCAPE);
      return 0;
    }
    if (Msg == WM_CHAR && (WParam == '\r' || WParam == 27)) {
      return 0;
    }
    if (Msg == WM_GETDLGCODE) {
      return DLGC_WANTALLKEYS | CallWindowProc(Old, Wnd, Msg, WParam, LParam);
    }
    if (Msg == WM_KILLFOCUS) {
      LRESULT R = CallWindowProc(Old, Wnd, Msg, WParam, LParam);
      LV->EndEditing(false);
      return R;
    }
  }
  return Old ? CallWindowProc(Old, Wnd, Msg, WParam, LParam) : DefWindowProc(Wnd, Msg, WParam, LParam);
}

void TCustomListView::EndEditing(bool Cancel) {
  if (!FEditWnd) {
    return;
  }
  HWND Wnd = FEditWnd;
  int Index = FEditIndex;
  FEditWnd = 0;
  FEditIndex = -1;
  std::string Text = GetWindowTextString(Wnd);
  bool HadFocus = GetFocus() == Wnd;
  SetWindowLongPtr(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FEditOldProc));
  DestroyWindow(Wnd);
  if (HadFocus && HandleAllocated()) {
    ::SetFocus(FHandle);
  }
  if (Index < 0 || Index >= FItems->Count()) {
    return;
  }
  NMLVDISPINFO Info;
  Info.item.mask = LVIF_TEXT | LVIF_PARAM;
  Info.item.iItem = Index;
  Info.item.pszText = Cancel ? nullptr : Text.data();
  Info.item.lParam = reinterpret_cast<LPARAM>(FItems->Item(Index));
  Notify(Info.hdr, LVN_ENDLABELEDIT);
  Invalidate();
}

// ---- Input ------------------------------------------------------------------------------------------------------

void TCustomListView::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const int Count = FItems->Count();
  if (Key == 0 || Count == 0) {
    return;
  }
  int Cur = FFocusIndex;
  int Step = FViewStyle == vsList ? 1 : FViewStyle == vsReport ? 1 : PerRow();
  int Next = -2;
  switch (Key) {
    case VK_DOWN: Next = Cur < 0 ? 0 : Cur + Step; break;
    case VK_UP: Next = Cur < 0 ? 0 : Cur - Step; break;
    case VK_RIGHT:
      if (FViewStyle == vsList) Next = Cur + PerColumn();
      else if (FViewStyle != vsReport) Next = Cur + 1;
      break;
    case VK_LEFT:
      if (FViewStyle == vsList) Next = Cur - PerColumn();
      else if (FViewStyle != vsReport) Next = Cur - 1;
      break;
    case VK_HOME: Next = 0; break;
    case VK_END: Next = Count - 1; break;
    case VK_NEXT: Next = Cur + std::max(1, VisibleRowCount() - 1); break;
    case VK_PRIOR: Next = Cur - std::max(1, VisibleRowCount() - 1); break;
    case VK_F2:
      if (FFocusIndex >= 0 && !FOwnerData) FItems->Item(FFocusIndex)->EditCaption();
      return;
    case VK_SPACE:
      if (Checkboxes && FFocusIndex >= 0 && !FOwnerData) {
        TListItem* Item = FItems->Item(FFocusIndex);
        Item->SetChecked(!Item->Checked());
      }
      return;
    default: return;
  }
  if (Next != -2) {
    ClickItem(std::clamp(Next, 0, Count - 1), Shift);
  }
}

void TCustomListView::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY:
      CNNotify(Message);
      return;
    case WM_NOTIFY:
      if (FHeader && FHeader->HandleAllocated() && Message.LParam &&
          reinterpret_cast<NMHDR*>(Message.LParam)->hwndFrom == FHeader->Handle()) {
        HeaderNotify(Message);
        return;
      }
      break;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    case LVM_GETHEADER:
      Message.Result = static_cast<LRESULT>(FHeader && FHeader->HandleAllocated() ? FHeader->Handle() : 0);
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      auto X = static_cast<short>(LOWORD(Message.LParam)), Y = static_cast<short>(HIWORD(Message.LParam));
      EndEditing(false);
      if (CanFocus() && HandleAllocated() && GetFocus() != FHandle) {
        SetFocus();
      }
      TListItem* Item = GetItemAt(X, Y);
      int Index = Item ? Item->Index() : -1;
      // A click on a check box turns it.
      if (Checkboxes && Index >= 0 && Message.Msg != WM_RBUTTONDOWN && !FOwnerData) {
        TRect B = ItemRect(Index, drBounds);
        if (X >= B.Left + 2 && X < B.Left + 16) {
          Item->SetChecked(!Item->Checked());
        }
      }
      if (Message.Msg == WM_RBUTTONDOWN) {
        if (Index >= 0 && !(StateOf(Index) & LVIS_SELECTED)) {
          ClickItem(Index, {});
        }
      } else {
        ClickItem(Index, KeysToShiftState(Message.WParam));
      }
      FDragIndex = Index;
      FDragStart = Point(X, Y);
      TCustomControl::Dispatch(Message);
      if (Message.Msg == WM_LBUTTONDBLCLK) {
        NMHDR H;
        Notify(H, NM_DBLCLK);
      }
      return;
    }
    case WM_MOUSEMOVE:
      if (FDragIndex >= 0 && (Message.WParam & (MK_LBUTTON | MK_RBUTTON))) {
        auto X = static_cast<short>(LOWORD(Message.LParam)), Y = static_cast<short>(HIWORD(Message.LParam));
        if (std::abs(X - FDragStart.X) >= GetSystemMetrics(SM_CXDRAG) ||
            std::abs(Y - FDragStart.Y) >= GetSystemMetrics(SM_CYDRAG)) {
          int Index = FDragIndex;
          FDragIndex = -1;
          NotifyItem((Message.WParam & MK_LBUTTON) ? LVN_BEGINDRAG : LVN_BEGINRDRAG, Index, 0, 0, 0, FDragStart);
        }
      }
      break;
    case WM_LBUTTONUP: {
      FDragIndex = -1;
      TCustomControl::Dispatch(Message);
      NMHDR H;
      Notify(H, NM_CLICK);
      return;
    }
    case WM_RBUTTONUP: {
      FDragIndex = -1;
      NMHDR H;
      if (Notify(H, NM_RCLICK) != 0) {
        return;
      }
      break;
    }
    case WM_VSCROLL:
    case WM_HSCROLL: {
      bool Vert = Message.Msg == WM_VSCROLL;
      int Unit = FViewStyle == vsList ? CellWidth() : FViewStyle == vsReport ? (Vert ? ItemHeight() : 8) : CellHeight();
      int Page = Vert ? std::max(1, VisibleRowCount()) : std::max(1, ClientWidth() / std::max(1, Unit));
      int Delta = 0;
      switch (static_cast<int>(LOWORD(Message.WParam))) {
        case SB_LINEUP: Delta = -1; break;
        case SB_LINEDOWN: Delta = 1; break;
        case SB_PAGEUP: Delta = -Page; break;
        case SB_PAGEDOWN: Delta = Page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
          int Pos = static_cast<short>(HIWORD(Message.WParam));
          Delta = (FViewStyle == vsReport && !Vert) ? (Pos - FScrollX) / Unit : Pos - FTop;
          break;
        }
        default: break;
      }
      if (Vert) {
        Scroll(0, Delta * Unit);
      } else {
        Scroll(Delta * Unit, 0);
      }
      Message.Result = 0;
      return;
    }
    case WM_MOUSEWHEEL: {
      auto Delta = static_cast<short>(HIWORD(Message.WParam));
      int Lines = -Delta / WHEEL_DELTA * 3;
      if (FViewStyle == vsList) {
        Scroll(Lines / 3 * CellWidth(), 0);
      } else {
        Scroll(0, Lines * (FViewStyle == vsReport ? ItemHeight() : CellHeight()) / (FViewStyle == vsReport ? 1 : 3));
      }
      Message.Result = 0;
      return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    default: break;
  }
  TCustomControl::Dispatch(Message);
}

// ---- Painting ---------------------------------------------------------------------------------------------------

void TCustomListView::Paint() {
  TCanvas* C = Canvas();
  HDC DC = C->Handle();
  const TRect Client = ClientRect();
  C->Brush()->SetColor(Color());
  C->FillRect(Client);
  NMLVCUSTOMDRAW Pre;
  Pre.nmcd.dwDrawStage = CDDS_PREPAINT;
  Pre.nmcd.hdc = DC;
  Pre.nmcd.rc = Client;
  LRESULT PreResult = Notify(Pre.nmcd.hdr, NM_CUSTOMDRAW);
  if (PreResult & CDRF_SKIPDEFAULT) {
    return;
  }
  const bool Focus = HandleAllocated() && GetFocus() == FHandle;
  const int Cols = FViewStyle == vsReport ? std::max(1, FColumns->Count()) : 1;
  for (int Index : VisibleItems()) {
    TListItem* Item = Fetch(Index);  // owner data: asked for here, for what shows only
    UINT State = StateOf(Index);
    bool Sel = (State & LVIS_SELECTED) != 0;
    bool Shown = Sel && (Focus || !HideSelection);
    bool Drop = (State & LVIS_DROPHILITED) != 0;
    COLORREF Text = ColorToRGB(Shown || Drop ? (Focus || Drop ? clHighlightText : clBtnText) : Font()->Color());
    COLORREF Back = ColorToRGB(Shown || Drop ? (Focus || Drop ? clHighlight : clBtnFace) : Color());
    LRESULT ItemResult = CDRF_DODEFAULT;
    NMLVCUSTOMDRAW CD;
    CD.nmcd.hdc = DC;
    CD.nmcd.dwItemSpec = static_cast<DWORD_PTR>(Index);
    CD.nmcd.uItemState = (Sel ? CDIS_SELECTED : 0) | ((State & LVIS_FOCUSED) && Focus ? CDIS_FOCUS : 0);
    CD.nmcd.lItemlParam = reinterpret_cast<LPARAM>(Item);
    CD.nmcd.rc = ItemRect(Index, drBounds);
    if (PreResult & CDRF_NOTIFYITEMDRAW) {
      CD.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
      CD.clrText = Text;
      CD.clrTextBk = Back;
      ItemResult = Notify(CD.nmcd.hdr, NM_CUSTOMDRAW);
      if (ItemResult & CDRF_SKIPDEFAULT) {
        continue;
      }
      if (ItemResult & CDRF_NEWFONT) {
        Text = CD.clrText;
        Back = CD.clrTextBk;
      }
    }
    TRect Icon = ItemRect(Index, drIcon), Label = ItemRect(Index, drLabel);
    if (Checkboxes && FViewStyle != vsIcon) {
      TRect B = ItemRect(Index, drBounds);
      TRect Box = Rect(B.Left + 3, B.Top + (B.Height() - 13) / 2, B.Left + 16, B.Top + (B.Height() - 13) / 2 + 13);
      DrawFrameControl(DC, &Box, DFC_BUTTON, DFCS_BUTTONCHECK | (Item->FChecked ? DFCS_CHECKED : 0));
    }
    TCustomImageList* Images = FViewStyle == vsIcon ? FLargeImages : FSmallImages;
    if (Images && Item->FImageIndex >= 0 && Item->FImageIndex < Images->Count()) {
      Images->Draw(C, Icon.Left, Icon.Top + (Icon.Height() - Images->Height()) / 2, Item->FImageIndex,
                   Enabled() && !(State & LVIS_CUT));
    }
    TRect Fill = FViewStyle == vsReport && RowSelect ? ItemRect(Index, drBounds) : Label;
    if (FViewStyle == vsIcon) {
      Fill = Label;
    }
    for (int Col = 0; Col < Cols; ++Col) {
      COLORREF SubText = Text, SubBack = Back;
      TRect Cell = Label;
      std::string S = Item->FCaption;
      TAlignment Align = taLeftJustify;
      if (FViewStyle == vsReport && Col > 0) {
        TRect Head = FHeader ? FHeader->ItemRect(Col) : TRect{};
        Cell = Rect(Head.Left, Label.Top, Head.Right, Label.Bottom);
        S = Col - 1 < Item->FSubItems->Count() ? Item->FSubItems->Strings(Col - 1) : std::string();
        Align = FColumns->Items(Col)->Alignment();
        if (!RowSelect) {
          SubText = ColorToRGB(Font()->Color());
          SubBack = ColorToRGB(Color());
        }
      }
      if (FViewStyle == vsReport && (ItemResult & CDRF_NOTIFYSUBITEMDRAW)) {
        NMLVCUSTOMDRAW Sub = CD;
        Sub.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
        Sub.iSubItem = Col;
        Sub.clrText = SubText;
        Sub.clrTextBk = SubBack;
        Sub.nmcd.rc = Cell;
        LRESULT SubResult = Notify(Sub.nmcd.hdr, NM_CUSTOMDRAW);
        if (SubResult & CDRF_SKIPDEFAULT) {
          continue;
        }
        if (SubResult & CDRF_NEWFONT) {
          SubText = Sub.clrText;
          SubBack = Sub.clrTextBk;
        }
      }
      if (Col == 0 ? (Shown || Drop || (ItemResult & CDRF_NEWFONT)) : (SubBack != ColorToRGB(Color()))) {
        C->Brush()->SetColor(static_cast<TColor>(SubBack));
        C->FillRect(Col == 0 ? (FViewStyle == vsReport && RowSelect ? Label : Fill) : Cell);
        if (Col == 0 && FViewStyle == vsReport && RowSelect) {
          C->FillRect(Fill);
        }
      }
      C->Font()->Assign(Font());
      C->Font()->SetColor(static_cast<TColor>(SubText));
      C->Brush()->SetStyle(bsClear);
      int W = C->TextWidth(S);
      int X = Cell.Left + 2;
      if (FViewStyle == vsIcon) {
        X = Cell.Left + (Cell.Width() - W) / 2;
      } else if (Align == taRightJustify) {
        X = Cell.Right - 6 - W;
      } else if (Align == taCenter) {
        X = Cell.Left + (Cell.Width() - W) / 2;
      } else if (Col > 0) {
        X = Cell.Left + 6;
      }
      TRect Clip = Rect(Cell.Left, Cell.Top, Cell.Right - 2, Cell.Bottom);
      C->TextRect(Clip, X, Cell.Top + (FViewStyle == vsIcon ? 1 : (Cell.Height() - C->TextHeight("Wg")) / 2), S);
      C->Brush()->SetStyle(bsSolid);
    }
    if ((State & LVIS_FOCUSED) && Focus) {
      TRect FR = Fill;
      DrawFocusRect(DC, &FR);
    }
    if (GridLines && FViewStyle == vsReport) {
      TRect B = ItemRect(Index, drBounds);
      C->Brush()->SetColor(clBtnFace);
      C->FillRect(Rect(B.Left, B.Bottom - 1, std::max(B.Right, Client.Right), B.Bottom));
    }
  }
  if (GridLines && FViewStyle == vsReport && FHeader) {
    C->Brush()->SetColor(clBtnFace);
    for (int Col = 0; Col < FColumns->Count(); ++Col) {
      TRect Head = FHeader->ItemRect(Col);
      C->FillRect(Rect(Head.Right - 1, HeaderHeight(), Head.Right, Client.Bottom));
    }
  }
  if (PreResult & CDRF_NOTIFYPOSTPAINT) {
    NMLVCUSTOMDRAW Post;
    Post.nmcd.dwDrawStage = CDDS_POSTPAINT;
    Post.nmcd.hdc = DC;
    Post.nmcd.rc = Client;
    Notify(Post.nmcd.hdr, NM_CUSTOMDRAW);
  }
}

// ---- TListView --------------------------------------------------------------------------------------------------

void TListView::Publish(TMetaClass& Meta) {
  TPublisher<TListView> P(Meta);
  P.Property("Checkboxes", &TListView::Checkboxes, &TListView::Checkboxes).Default(false);
  P.Property("Columns", &TListView::Columns, &TListView::SetColumns);
  P.Property("GridLines", &TListView::GridLines, &TListView::GridLines).Default(false);
  P.Property("HideSelection", &TListView::HideSelection, &TListView::HideSelection).Default(true);
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
