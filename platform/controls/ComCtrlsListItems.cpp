// The list view's model: columns (TListColumn, TListColumns) and items (TListItem, TListItems).
#include "platform/controls/ComCtrls.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/ComCtrlsListViewHeader.h"
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
