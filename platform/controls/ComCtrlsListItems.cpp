// The list view's model: columns (TListColumn, TListColumns) and items (TListItem, TListItems).
#include "platform/controls/ComCtrls.h"

#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/ComCtrlsListViewHeader.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"
#include "platform/win/WinMenu.h"

#include <algorithm>
#include <cstdint>
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
    // Inside an update the end of the update repaints once.
    if (TCustomListView* LV = ListView(); LV && FIndex >= 0 && !LV->FOwnerData && FOwner->FUpdateCount == 0) {
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

int TListItem::SubItemImages(int Index) const {
  return Index >= 0 && static_cast<std::size_t>(Index) < FSubItemImages.size()
             ? FSubItemImages[static_cast<std::size_t>(Index)]
             : -1;
}

void TListItem::SetSubItemImages(int Index, int Value) {
  if (Index < 0 || Index >= FSubItems->Count()) {
    throw EListError(Format(RtlConsts::SListIndexError, {Index}));
  }
  if (static_cast<std::size_t>(Index) >= FSubItemImages.size()) {
    FSubItemImages.resize(static_cast<std::size_t>(Index) + 1, -1);
  }
  if (FSubItemImages[static_cast<std::size_t>(Index)] != Value) {
    FSubItemImages[static_cast<std::size_t>(Index)] = Value;
    Update();
  }
}

void TListItem::Delete() {
  if (FOwner && FIndex >= 0) {
    FOwner->Delete(FIndex);
  }
}

void TListItem::Update() {
  if (TCustomListView* LV = ListView(); LV && FOwner->FUpdateCount == 0) {
    LV->Invalidate();
  }
}

void TListItem::SetTextCallback(bool Value) {
  if (FTextCallback != Value) {
    FTextCallback = Value;
    if (TCustomListView* LV = ListView(); LV && FIndex >= 0) {
      LV->FCellWidth = -1;
    }
    Update();
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

void TListItems::DeleteSeveral(std::vector<int> Indexes) {
  std::sort(Indexes.begin(), Indexes.end());
  Indexes.erase(std::unique(Indexes.begin(), Indexes.end()), Indexes.end());
  for (int Index : Indexes) {
    if (Index < 0 || Index >= Count()) {
      throw EListError(Format(RtlConsts::SListIndexError, {Index}));
    }
  }
  if (Indexes.empty() || (FOwner && FOwner->FOwnerData)) {
    return;
  }
  FOwner->DeleteItemsAt(Indexes);
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

void TListItems::SetCapacity(int Value) {
  if (Value > 0) {
    FItems.reserve(static_cast<std::size_t>(Value));
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
    To->FSubItemImages = From->FSubItemImages;
  }
  EndUpdate();
}

// ---- The stored form --------------------------------------------------------------------------------------------

void TListItems::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  const bool Stored = !(FOwner && FOwner->FOwnerData) && !FItems.empty();
  Filer->DefineBinaryProperty(
      "Data", [this](TStream* S) { ReadData(S); }, [this](TStream* S) { WriteData(S); }, Stored);
}

namespace {
constexpr std::int32_t ItemRecordFixed = 5 * 4;  // three indexes, the sub-item count and the data slot

struct TStoredItem {
  std::string Caption;
  std::int32_t ImageIndex = -1, StateIndex = -1, OverlayIndex = -1;
  std::vector<std::string> SubItems;
  std::vector<std::int32_t> SubItemImages;
};
}  // namespace

// The whole block is checked before the list changes: a block whose size, counts and strings disagree is refused
// and the items stay as they were. The data slot is not read back: a pointer from another run means nothing here.
void TListItems::ReadData(TStream* Stream) {
  std::int32_t Size = 0;
  Stream->ReadBuffer(&Size, sizeof Size);
  if (Size < 8 || Size - 4 > Stream->Size() - Stream->Position()) {
    throw EReadError(RtlConsts::SInvalidImage);
  }
  std::vector<unsigned char> Block(static_cast<std::size_t>(Size - 4));
  Stream->ReadBuffer(Block.data(), static_cast<LongInt>(Block.size()));
  std::size_t Pos = 0;
  auto Need = [&](std::size_t N) {
    if (N > Block.size() - Pos) {
      throw EReadError(RtlConsts::SInvalidImage);
    }
  };
  auto Int = [&] {
    Need(4);
    std::int32_t V;
    std::memcpy(&V, Block.data() + Pos, 4);
    Pos += 4;
    return V;
  };
  auto Short = [&] {
    Need(1);
    const std::size_t Len = Block[Pos++];
    Need(Len);
    std::string S(reinterpret_cast<const char*>(Block.data() + Pos), Len);
    Pos += Len;
    return S;
  };
  const std::int32_t Count = Int();
  // Every item takes at least its fixed fields and a caption length.
  if (Count < 0 || static_cast<std::size_t>(Count) > Block.size() / static_cast<std::size_t>(ItemRecordFixed + 1)) {
    throw EReadError(RtlConsts::SInvalidImage);
  }
  std::vector<TStoredItem> Read(static_cast<std::size_t>(Count));
  std::size_t SubTotal = 0;
  for (TStoredItem& Item : Read) {
    Item.ImageIndex = Int();
    Item.StateIndex = Int();
    Item.OverlayIndex = Int();
    const std::int32_t SubCount = Int();
    (void)Int();  // the data slot
    if (SubCount < 0 || static_cast<std::size_t>(SubCount) > Block.size() - Pos) {
      throw EReadError(RtlConsts::SInvalidImage);
    }
    Item.Caption = Short();
    for (std::int32_t J = 0; J < SubCount; ++J) {
      Item.SubItems.push_back(Short());
    }
    SubTotal += static_cast<std::size_t>(SubCount);
  }
  // The sub-item images follow when the block has them (older blocks end here); anything else is damage.
  const std::size_t Rest = Block.size() - Pos;
  if (Rest != 0 && Rest != SubTotal * 4) {
    throw EReadError(RtlConsts::SInvalidImage);
  }
  if (Rest != 0) {
    for (TStoredItem& Item : Read) {
      for (std::size_t J = 0; J < Item.SubItems.size(); ++J) {
        Item.SubItemImages.push_back(Int());
      }
    }
  }
  BeginUpdate();
  try {
    Clear();
    for (const TStoredItem& From : Read) {
      TListItem* To = Add();
      To->FCaption = From.Caption;
      To->FImageIndex = From.ImageIndex;
      To->FStateIndex = From.StateIndex;
      To->FOverlayIndex = From.OverlayIndex;
      for (const std::string& Sub : From.SubItems) {
        To->FSubItems->Add(Sub);
      }
      To->FSubItemImages.assign(From.SubItemImages.begin(), From.SubItemImages.end());
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TListItems::WriteData(TStream* Stream) {
  std::vector<unsigned char> Block;
  auto Int = [&](std::int32_t V) {
    const auto* B = reinterpret_cast<const unsigned char*>(&V);
    Block.insert(Block.end(), B, B + 4);
  };
  auto Short = [&](const std::string& S) {
    const std::size_t Len = std::min<std::size_t>(S.size(), 255);
    Block.push_back(static_cast<unsigned char>(Len));
    Block.insert(Block.end(), S.begin(), S.begin() + static_cast<std::ptrdiff_t>(Len));
  };
  Int(0);  // the size, filled in below
  Int(static_cast<std::int32_t>(FItems.size()));
  for (TListItem* Item : FItems) {
    Int(Item->FImageIndex);
    Int(Item->FStateIndex);
    Int(Item->FOverlayIndex);
    Int(Item->FSubItems->Count());
    Int(0);  // the data slot
    Short(Item->FCaption);
    for (int J = 0; J < Item->FSubItems->Count(); ++J) {
      Short(Item->FSubItems->Strings(J));
    }
  }
  for (TListItem* Item : FItems) {
    for (int J = 0; J < Item->FSubItems->Count(); ++J) {
      Int(Item->SubItemImages(J));
    }
  }
  const auto Size = static_cast<std::int32_t>(Block.size());
  std::memcpy(Block.data(), &Size, 4);
  Stream->WriteBuffer(Block.data(), static_cast<LongInt>(Block.size()));
}
