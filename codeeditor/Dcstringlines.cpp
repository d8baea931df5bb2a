// The line store of the memo source and its tracked positions.
#include "codeeditor/Dcstringlines.h"

#include <algorithm>

namespace Dcstring {

Z_IMPLEMENT_CLASS(TStringItem, TObject)
Z_IMPLEMENT_CLASS(TInternalStrings, TStrings)
Z_IMPLEMENT_CLASS(TPosition, TCollectionItem)

namespace {
constexpr Integer MinGrowth = 64;
}  // namespace

TInternalStrings::~TInternalStrings() {
  for (TStringItem* Item : FItems) {
    delete Item;
  }
}

TStringItem* TInternalStrings::NewItem() const {
  TObject* Made = FItemClass != nullptr ? FItemClass->NewInstance(nullptr) : nullptr;
  if (auto* Item = dynamic_cast<TStringItem*>(Made)) {
    return Item;
  }
  delete Made;
  return new TStringItem();
}

TStringItem* TInternalStrings::Items(Integer Index) const {
  return Index >= 0 && Index < GetCount() ? FItems[static_cast<std::size_t>(Index)] : nullptr;
}

std::string TInternalStrings::GetRaw(Integer Index) const {
  const TStringItem* Item = Items(Index);
  return Item != nullptr ? Item->Text : std::string();
}

std::string TInternalStrings::Get(Integer Index) const {
  const TStringItem* Item = Items(Index);
  if (Item == nullptr) {
    return {};
  }
  return FReadHook && !IgnoreTabs ? FReadHook(Item->Text) : Item->Text;
}

TObject* TInternalStrings::GetObject(Integer Index) const {
  const TStringItem* Item = Items(Index);
  return Item != nullptr ? Item->Object : nullptr;
}

void TInternalStrings::Put(Integer Index, const std::string& S) {
  if (TStringItem* Item = Items(Index)) {
    Item->Text = S;
    Item->ItemState.Exclude(isWasParsed);
  }
}

void TInternalStrings::PutObject(Integer Index, TObject* AObject) {
  if (TStringItem* Item = Items(Index)) {
    Item->Object = AObject;
  }
}

void TInternalStrings::Clear() {
  for (TStringItem* Item : FItems) {
    delete Item;
  }
  FItems.clear();
  FItems.shrink_to_fit();
  FCapacity = 0;
}

void TInternalStrings::Delete(Integer Index) {
  if (Index < 0 || Index >= GetCount()) {
    return;
  }
  delete FItems[static_cast<std::size_t>(Index)];
  FItems.erase(FItems.begin() + Index);
}

void TInternalStrings::Insert(Integer Index, const std::string& S) { InsertObject(Index, S, nullptr); }

void TInternalStrings::InsertObject(Integer Index, const std::string& S, TObject* AObject) {
  if (Index < 0 || Index > GetCount()) {
    return;
  }
  if (GetCount() == FCapacity) {
    // Grows by half again, at least 64 lines: inserting many lines moves pointers, never text.
    FCapacity += std::max(FCapacity / 2, MinGrowth);
    FItems.reserve(static_cast<std::size_t>(FCapacity));
  }
  TStringItem* Item = NewItem();
  Item->Text = S;
  Item->Object = AObject;
  FItems.insert(FItems.begin() + Index, Item);
}

void TInternalStrings::Exchange(Integer, Integer) {}

std::string TInternalStrings::GetTextStr() const {
  std::string Text;
  for (const TStringItem* Item : FItems) {
    Text += Item->Text;
    Text += "\r\n";
  }
  // At most two trailing line-break characters go: the final line break.
  for (int I = 0; I < 2 && !Text.empty() && (Text.back() == '\r' || Text.back() == '\n'); ++I) {
    Text.pop_back();
  }
  return Text;
}

void TPosition::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TPosition*>(Source)) {
    SetPosition(S->CharPos, S->LinePos);
    return;
  }
  TCollectionItem::Assign(Source);
}

}  // namespace Dcstring
