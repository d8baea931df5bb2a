// TPersistent, TCollectionItem, TCollection and TOwnedCollection.
#include "platform/classes/Persistent.h"

#include "platform/classes/Lists.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(TPersistent, TObject)
Z_IMPLEMENT_CLASS(TCollectionItem, TPersistent)
Z_IMPLEMENT_CLASS(TCollection, TPersistent)
Z_IMPLEMENT_CLASS(TOwnedCollection, TCollection)

// ---- TPersistent ----

void TPersistent::Assign(TPersistent* Source) {
  if (Source != nullptr) {
    Source->AssignTo(this);
  } else {
    AssignError(nullptr);
  }
}

void TPersistent::AssignTo(TPersistent* Dest) {
  Dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* Source) {
  std::string SourceName = Source != nullptr ? Source->ClassName() : std::string("nil");
  throw EConvertError(Format(RtlConsts::SAssignError, {SourceName, ClassName()}));
}

void TPersistent::DefineProperties(TFiler* Filer) {
  (void)Filer;
}

TPersistent* TPersistent::GetOwner() {
  return nullptr;
}

std::string TPersistent::GetNamePath() {
  std::string Result = ClassName();
  if (TPersistent* Owner = GetOwner()) {
    std::string S = Owner->GetNamePath();
    if (!S.empty()) {
      Result = S + "." + Result;
    }
  }
  return Result;
}

// ---- TCollectionItem ----

TCollectionItem::TCollectionItem(TCollection* ACollection) {
  if (ACollection != nullptr) {
    // Joins quietly; AfterConstruction tells the collection once this item is whole.
    ACollection->InsertItem(this);
  }
}

TCollectionItem::~TCollectionItem() {
  // Normally done by BeforeDestruction; this covers an item whose descendant constructor threw.
  if (FCollection != nullptr) {
    FCollection->RemoveItem(this);
  }
}

void TCollectionItem::AfterConstruction() {
  TPersistent::AfterConstruction();
  if (FCollection != nullptr && !FAnnounced) {
    FAnnounced = true;
    FCollection->Notify(this, cnAdded);
    FCollection->Changed();
  }
}

void TCollectionItem::BeforeDestruction() {
  SetCollection(nullptr);
  TPersistent::BeforeDestruction();
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) {
    return;
  }
  if (FCollection != nullptr) {
    FCollection->RemoveItem(this);
  }
  if (Value != nullptr) {
    Value->InsertItem(this);
    FAnnounced = true;
    Value->Notify(this, cnAdded);
    Value->Changed();
  }
}

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection != nullptr && FCollection->FUpdateCount == 0) {
    FCollection->Update(AllItems ? nullptr : this);
  }
}

Integer TCollectionItem::Index() const {
  if (FCollection == nullptr) {
    return -1;
  }
  auto& Items = FCollection->FItems;
  auto It = std::find(Items.begin(), Items.end(), this);
  return It == Items.end() ? -1 : static_cast<Integer>(It - Items.begin());
}

void TCollectionItem::SetIndex(Integer Value) {
  Integer CurIndex = Index();
  if (CurIndex >= 0 && CurIndex != Value) {
    auto& Items = FCollection->FItems;
    if (Value < 0 || Value >= static_cast<Integer>(Items.size())) {
      TList::Error(RtlConsts::SListIndexError, Value);
    }
    Items.erase(Items.begin() + CurIndex);
    Items.insert(Items.begin() + Value, this);
    Changed(true);
  }
}

std::string TCollectionItem::GetDisplayName() {
  return ClassName();
}

void TCollectionItem::SetDisplayName(const std::string& Value) {
  (void)Value;
  Changed(false);
}

std::string TCollectionItem::GetNamePath() {
  if (FCollection != nullptr) {
    return Format("%s[%d]", {FCollection->GetNamePath(), Index()});
  }
  return ClassName();
}

TPersistent* TCollectionItem::GetOwner() {
  return FCollection;
}

// ---- TCollection ----

TCollection::TCollection(TCollectionItemClass AItemClass) : FItemClass(AItemClass) {}

TCollection::~TCollection() {
  // Normally emptied by BeforeDestruction; items still here only see the base collection now.
  FUpdateCount = 1;
  while (!FItems.empty()) {
    delete FItems.back();
  }
}

void TCollection::BeforeDestruction() {
  // Freeing the items reports nothing: the collection is going.
  FUpdateCount = 1;
  Clear();
  TPersistent::BeforeDestruction();
}

TCollectionItem* TCollection::Add() {
  if (FItemClass == nullptr || !FItemClass->InheritsFrom(TCollectionItem::StaticClass())) {
    throw EInvalidOperation(Format("%s is not a collection item class",
                                   {FItemClass != nullptr ? FItemClass->ClassName() : std::string("nil")}));
  }
  TObject* Obj = FItemClass->NewInstance(this);
  if (Obj == nullptr) {
    throw EInvalidOperation(Format("Cannot create an instance of %s", {FItemClass->ClassName()}));
  }
  return static_cast<TCollectionItem*>(Obj);
}

TCollectionItem* TCollection::Insert(Integer Index) {
  TCollectionItem* Result = Add();
  try {
    Result->SetIndex(Index);
  } catch (...) {
    delete Result;
    throw;
  }
  return Result;
}

void TCollection::Assign(TPersistent* Source) {
  auto* Src = dynamic_cast<TCollection*>(Source);
  if (Src == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* Item : Src->FItems) {
      Add()->Assign(Item);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::BeginUpdate() {
  ++FUpdateCount;
}

void TCollection::EndUpdate() {
  --FUpdateCount;
  Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) {
    Update(nullptr);
  }
}

void TCollection::Clear() {
  if (FItems.empty()) {
    return;
  }
  BeginUpdate();
  try {
    while (!FItems.empty()) {
      delete FItems.back();
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::Delete(Integer Index) {
  TCollectionItem* Item = Items(Index);
  Notify(Item, cnDeleting);
  delete Item;
}

TCollectionItem* TCollection::FindItemID(Integer ID) const {
  for (TCollectionItem* Item : FItems) {
    if (Item->FID == ID) {
      return Item;
    }
  }
  return nullptr;
}

std::string TCollection::GetNamePath() {
  std::string Result = ClassName();
  TPersistent* Owner = GetOwner();
  if (Owner == nullptr) {
    return Result;
  }
  std::string S = Owner->GetNamePath();
  if (S.empty() || FPropName.empty()) {
    return Result;
  }
  return S + "." + FPropName;
}

TCollectionItem* TCollection::Items(Integer Index) const {
  if (Index < 0 || Index >= Count()) {
    TList::Error(RtlConsts::SListIndexError, Index);
  }
  return FItems[static_cast<std::size_t>(Index)];
}

void TCollection::SetItems(Integer Index, TCollectionItem* Value) {
  Items(Index)->Assign(Value);
}

void TCollection::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  (void)Item;
  (void)Action;
}

TPersistent* TCollection::GetOwner() {
  return nullptr;
}

void TCollection::SetItemName(TCollectionItem* Item) {
  (void)Item;
}

void TCollection::Update(TCollectionItem* Item) {
  (void)Item;
}

void TCollection::InsertItem(TCollectionItem* Item) {
  if (!Item->InheritsFrom(FItemClass)) {
    // A constructing item only knows its base class yet; let the exact class check pass for those.
    if (FItemClass == nullptr || !FItemClass->InheritsFrom(Item->ClassType())) {
      TList::Error(RtlConsts::SInvalidPropertyValue, 0);
    }
  }
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  SetItemName(Item);
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  // An item that was never announced (its constructor failed) leaves as quietly as it came.
  bool Announced = Item->FAnnounced;
  if (Announced) {
    Notify(Item, cnExtracting);
  }
  auto It = std::find(FItems.begin(), FItems.end(), Item);
  if (It != FItems.end()) {
    FItems.erase(It);
  }
  Item->FCollection = nullptr;
  Item->FAnnounced = false;
  if (Announced) {
    Changed();
  }
}

// ---- TOwnedCollection ----

TOwnedCollection::TOwnedCollection(TPersistent* AOwner, TCollectionItemClass AItemClass)
    : TCollection(AItemClass), FOwner(AOwner) {}

TPersistent* TOwnedCollection::GetOwner() {
  return FOwner;
}
