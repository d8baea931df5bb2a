// Item trees: the subitem list, change notifications, options, image-list links and streaming.
#include "toolbars/Tb2item.h"

#include "platform/classes/Filer.h"
#include "toolbars/Tb2consts.h"
#include "toolbars/Tb2itemviewer.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(ETBItemError, Exception)
Z_IMPLEMENT_CLASS(TTBImageChangeLink, TChangeLink)
Z_IMPLEMENT_CLASS(TTBCustomItem, TComponent)
Z_IMPLEMENT_CLASS(TTBRootItem, TTBCustomItem)

// Defined with the click window (Tb2itemclick.cpp).
void TBItemCreated();
void TBItemDestroyed(TTBCustomItem* Item);

TTBCustomItem::TTBCustomItem(TComponent* AOwner) : TComponent(AOwner) { TBItemCreated(); }

TTBCustomItem::~TTBCustomItem() { TBItemDestroyed(this); }

void TTBCustomItem::BeforeDestruction() {
  // Subitems go with their parent (those their owner is already freeing are only let go).
  while (!FItems.empty()) {
    TTBCustomItem* Child = FItems.back();
    if (Child->ComponentState().Contains(csDestroying)) {
      Delete(Count() - 1);
    } else {
      delete Child;
    }
  }
  if (FParent) {
    FParent->Remove(this);
  }
  SetLinkSubitems(nullptr);
  // Items showing this one's subitems forget it.
  for (TTBCustomItem* P : std::vector<TTBCustomItem*>(FLinkParents)) {
    if (P->FLinkSubitems == this) {
      P->SetLinkSubitems(nullptr);
    }
  }
  FActionLink.reset();
  SetImages(nullptr);
  SetSubMenuImages(nullptr);
  TComponent::BeforeDestruction();
  FNotifyList.clear();
}

void TTBCustomItem::IndexError() const { throw ETBItemError(STBToolbarIndexOutOfBounds); }

TTBCustomItem* TTBCustomItem::GetItem(int Index) const {
  if (Index < 0 || Index >= Count()) {
    IndexError();
  }
  return FItems[static_cast<std::size_t>(Index)];
}

void TTBCustomItem::Add(TTBCustomItem* AItem) { Insert(Count(), AItem); }

void TTBCustomItem::Insert(int NewIndex, TTBCustomItem* AItem) {
  if (AItem->FParent) {
    throw ETBItemError(STBToolbarItemReinserted);
  }
  if (NewIndex < 0 || NewIndex > Count()) {
    IndexError();
  }
  FItems.insert(FItems.begin() + NewIndex, AItem);
  AItem->FParent = this;
  ViewBeginUpdate();
  try {
    Notify(this, tbicInserted, NewIndex, AItem);
    AItem->RefreshOptions();
  } catch (...) {
    ViewEndUpdate();
    throw;
  }
  ViewEndUpdate();
}

void TTBCustomItem::Delete(int Index) {
  if (Index < 0 || Index >= Count()) {
    IndexError();
  }
  TTBCustomItem* Item = FItems[static_cast<std::size_t>(Index)];
  Notify(this, tbicDeleting, Index, Item);
  Item->FParent = nullptr;
  // A notification procedure may have changed the list; find the item again.
  auto It = std::find(FItems.begin(), FItems.end(), Item);
  if (It != FItems.end()) {
    FItems.erase(It);
  }
}

int TTBCustomItem::Remove(TTBCustomItem* Item) {
  const int I = IndexOf(Item);
  if (I >= 0) {
    Delete(I);
  }
  return I;
}

int TTBCustomItem::IndexOf(const TTBCustomItem* AItem) const {
  for (std::size_t I = 0; I < FItems.size(); ++I) {
    if (FItems[I] == AItem) {
      return static_cast<int>(I);
    }
  }
  return -1;
}

void TTBCustomItem::Clear() {
  while (!FItems.empty()) {
    delete FItems.back();
  }
}

void TTBCustomItem::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) {
    return;
  }
  if (NewIndex < 0 || NewIndex >= Count()) {
    IndexError();
  }
  TTBCustomItem* Item = GetItem(CurIndex);
  ViewBeginUpdate();
  try {
    Delete(CurIndex);
    Insert(NewIndex, Item);
  } catch (...) {
    ViewEndUpdate();
    throw;
  }
  ViewEndUpdate();
}

bool TTBCustomItem::ContainsItem(const TTBCustomItem* AItem) const {
  for (const TTBCustomItem* I = AItem; I; I = I->FParent) {
    if (I == this) {
      return true;
    }
  }
  return false;
}

void TTBCustomItem::ViewBeginUpdate() { Notify(this, tbicSubitemsBeginUpdate, 0, nullptr); }

void TTBCustomItem::ViewEndUpdate() { Notify(this, tbicSubitemsEndUpdate, 0, nullptr); }

// ---- Notifications ----------------------------------------------------------------------------------------------

void TTBCustomItem::RegisterNotification(const TTBItemChangedProc& Proc) {
  for (TNotifyEntry& E : FNotifyList) {
    if (MethodsEqual(E.Proc, Proc)) {
      ++E.RefCount;
      return;
    }
  }
  FNotifyList.push_back({Proc, 1});
}

void TTBCustomItem::UnregisterNotification(const TTBItemChangedProc& Proc) {
  for (std::size_t I = 0; I < FNotifyList.size(); ++I) {
    if (MethodsEqual(FNotifyList[I].Proc, Proc)) {
      if (--FNotifyList[I].RefCount <= 0) {
        FNotifyList.erase(FNotifyList.begin() + static_cast<std::ptrdiff_t>(I));
      }
      return;
    }
  }
}

void TTBCustomItem::Notify(TTBCustomItem* Ancestor, TTBItemChangedAction Action, int Index, TTBCustomItem* Item) {
  if (Ancestor == this) {
    // A group relays its changes to the item that embeds it, also where it is embedded through a link.
    if (FItemStyle.Contains(tbisEmbeddedGroup) && FParent) {
      FParent->Notify(this, Action, Index, Item);
    }
    for (TTBCustomItem* P : std::vector<TTBCustomItem*>(FLinkParents)) {
      if (P != FParent && P->FItemStyle.Contains(tbisEmbeddedGroup) && P->FParent) {
        P->FParent->Notify(P, Action, Index, Item);
      }
    }
  }
  // A procedure may unregister itself or others while it runs: the position advances only when the entry there
  // is still the procedure just called.
  std::size_t I = 0;
  while (I < FNotifyList.size()) {
    TTBItemChangedProc Proc = FNotifyList[I].Proc;
    Proc.Fn(Ancestor, Ancestor != this, Action, Index, Item);
    if (I < FNotifyList.size() && MethodsEqual(FNotifyList[I].Proc, Proc)) {
      ++I;
    }
  }
}

void TTBCustomItem::Change(bool NeedResize) {
  if (FParent) {
    FParent->Notify(FParent, NeedResize ? tbicInvalidateAndResize : tbicInvalidate, 0, this);
  }
}

void TTBCustomItem::RecreateItemViewers() {
  if (FParent) {
    FParent->Notify(FParent, tbicRecreateItemViewers, 0, this);
  }
}

void TTBCustomItem::SubMenuImagesChanged() { Notify(this, tbicSubMenuImagesChanged, 0, nullptr); }

void TTBCustomItem::EnabledChanged() { Change(false); }

TTBItemViewerClass TTBCustomItem::GetItemViewerClass(TTBView* AView) {
  (void)AView;
  return &TTBItemViewer::Create;
}

// ---- Properties -------------------------------------------------------------------------------------------------

void TTBCustomItem::SetCaption(const std::string& Value) {
  if (Value != FCaption) {
    FCaption = Value;
    Change(true);
  }
}

void TTBCustomItem::SetChecked(bool Value) {
  if (Value != FChecked) {
    FChecked = Value;
    Change(false);
    if (Value) {
      TurnSiblingsOff();
    }
  }
}

void TTBCustomItem::SetDisplayMode(TTBItemDisplayMode Value) {
  if (Value != FDisplayMode) {
    FDisplayMode = Value;
    Change(true);
  }
}

void TTBCustomItem::SetEnabled(bool Value) {
  if (Value != FEnabled) {
    FEnabled = Value;
    EnabledChanged();
  }
}

void TTBCustomItem::SetGroupIndex(int Value) {
  if (Value != FGroupIndex) {
    FGroupIndex = Value;
    if (FChecked) {
      TurnSiblingsOff();
    }
  }
}

void TTBCustomItem::SetImageIndex(TImageIndex Value) {
  if (Value != FImageIndex) {
    const bool Resize = (FImageIndex == -1) != (Value == -1);
    FImageIndex = Value;
    Change(Resize);
  }
}

void TTBCustomItem::SetImages(TCustomImageList* Value) {
  if (Value != FImages) {
    Change(ChangeImages(FImages, Value, FImagesChangeLink));
  }
}

void TTBCustomItem::SetSubMenuImages(TCustomImageList* Value) {
  if (Value != FSubMenuImages) {
    ChangeImages(FSubMenuImages, Value, FSubMenuImagesChangeLink);
    SubMenuImagesChanged();
  }
}

void TTBCustomItem::SetVisible(bool Value) {
  if (Value != FVisible) {
    FVisible = Value;
    Change(true);
  }
}

void TTBCustomItem::SetOptions(TTBItemOptions Value) {
  Value = FixOptions(Value);
  if (Value != FOptions) {
    FOptions = Value;
    RefreshOptions();
  }
}

void TTBCustomItem::SetMaskOptions(TTBItemOptions Value) {
  if (Value != FMaskOptions) {
    FMaskOptions = Value;
    RefreshOptions();
  }
}

void TTBCustomItem::SetInheritOptions(bool Value) {
  if (Value != FInheritOptions) {
    FInheritOptions = Value;
    RefreshOptions();
  }
}

void TTBCustomItem::SetLinkSubitems(TTBCustomItem* Value) {
  if (Value == this) {
    Value = nullptr;
  }
  if (Value == FLinkSubitems) {
    return;
  }
  if (FLinkSubitems) {
    auto& L = FLinkSubitems->FLinkParents;
    L.erase(std::remove(L.begin(), L.end(), this), L.end());
    FLinkSubitems->RemoveFreeNotification(this);
  }
  FLinkSubitems = Value;
  if (Value) {
    Value->FLinkParents.push_back(this);
    Value->FreeNotification(this);
  }
  Notify(this, tbicSubitemsChanged, 0, nullptr);
}

TTBItemOptions TTBCustomItem::FixOptions(TTBItemOptions Value) {
  if (!Value.Contains(tboToolbarStyle)) {
    Value.Exclude(tboToolbarSize);
  }
  return Value;
}

void TTBCustomItem::RefreshOptions() {
  TTBItemOptions Inherited;
  if (FInheritOptions && FParent) {
    Inherited = FParent->FEffectiveOptions;
    Inherited.Exclude(tboDefault);
  }
  const TTBItemOptions NewOptions = FixOptions((Inherited - FMaskOptions) + FOptions);
  if (NewOptions == FEffectiveOptions) {
    return;
  }
  const TTBItemOptions Changed = (NewOptions - FEffectiveOptions) + (FEffectiveOptions - NewOptions);
  FEffectiveOptions = NewOptions;
  if (!(Changed - TTBItemOptions{tboLongHintInMenuOnly, tboShowHint}).Empty()) {
    Change(true);
  }
  for (TTBCustomItem* Child : std::vector<TTBCustomItem*>(FItems)) {
    if (Child->FInheritOptions) {
      Child->RefreshOptions();
    }
  }
}

void TTBCustomItem::TurnSiblingsOff() {
  if (FGroupIndex == 0 || !FParent) {
    return;
  }
  for (TTBCustomItem* Sibling : std::vector<TTBCustomItem*>(FParent->FItems)) {
    if (Sibling != this && Sibling->FGroupIndex == FGroupIndex) {
      Sibling->SetChecked(false);
    }
  }
}

bool TTBCustomItem::ChangeImages(TCustomImageList*& AImages, TCustomImageList* Value,
                                 std::unique_ptr<TTBImageChangeLink>& ALink) {
  int OldWidth = -1;
  int OldHeight = -1;
  bool Result = false;
  if (AImages) {
    OldWidth = AImages->Width();
    OldHeight = AImages->Height();
    if (ALink) {
      AImages->UnRegisterChanges(ALink.get());
    }
    AImages->RemoveFreeNotification(this);
    if (!Value) {
      ALink.reset();
      Result = true;
    }
  }
  AImages = Value;
  if (Value) {
    Result = OldWidth != Value->Width() || OldHeight != Value->Height();
    if (!ALink) {
      ALink = std::make_unique<TTBImageChangeLink>();
      ALink->OnChange = [this](TObject* Sender) { ImageListChangeHandler(Sender); };
    }
    ALink->LastWidth = Value->Width();
    ALink->LastHeight = Value->Height();
    Value->RegisterChanges(ALink.get());
    Value->FreeNotification(this);
  }
  return Result;
}

void TTBCustomItem::ImageListChangeHandler(TObject* Sender) {
  TCustomImageList* List = FSubMenuImagesChangeLink && Sender == FSubMenuImagesChangeLink.get()
                               ? FSubMenuImages
                               : (FImagesChangeLink && Sender == FImagesChangeLink.get() ? FImages : nullptr);
  if (!List) {
    // Senders may be the list itself.
    List = dynamic_cast<TCustomImageList*>(Sender);
  }
  if (List && List == FSubMenuImages) {
    FSubMenuImagesChangeLink->LastWidth = List->Width();
    FSubMenuImagesChangeLink->LastHeight = List->Height();
    SubMenuImagesChanged();
  } else if (List && List == FImages) {
    if (List->Width() != FImagesChangeLink->LastWidth || List->Height() != FImagesChangeLink->LastHeight) {
      FImagesChangeLink->LastWidth = List->Width();
      FImagesChangeLink->LastHeight = List->Height();
      Change(true);
    } else {
      Change(false);
    }
  }
}

// ---- Streaming --------------------------------------------------------------------------------------------------

TComponent* TTBCustomItem::GetParentComponent() {
  if (FParent && FParent->FParentComponent) {
    return FParent->FParentComponent;
  }
  return FParent;
}

void TTBCustomItem::SetParentComponent(TComponent* Value) {
  TTBCustomItem* Target = dynamic_cast<TTBCustomItem*>(Value);
  if (!Target) {
    if (auto* Intf = dynamic_cast<ITBItems*>(Value)) {
      Target = Intf->GetItems();
    }
  }
  if (FParent) {
    FParent->Remove(this);
  }
  if (Target) {
    Target->Add(this);
  }
}

void TTBCustomItem::SetName(const TComponentName& NewName) {
  if (NewName != Name()) {
    TComponent::SetName(NewName);
    if (FParent) {
      FParent->Notify(FParent, tbicNameChanged, 0, this);
    }
  }
}

void TTBCustomItem::GetChildren(TGetChildProc Proc, TComponent* Root) {
  (void)Root;
  for (TTBCustomItem* I : std::vector<TTBCustomItem*>(FItems)) {
    Proc(I);
  }
}

void TTBCustomItem::SetChildOrder(TComponent* Child, Integer Order) {
  auto* I = dynamic_cast<TTBCustomItem*>(Child);
  const int Cur = IndexOf(I);
  if (Cur >= 0 && Order >= 0 && Order < Count()) {
    Move(Cur, Order);
  }
}

void TTBCustomItem::ReadState(TReader* Reader) {
  if (Reader->Parent() && !FParent) {
    SetParentComponent(Reader->Parent());
  }
  TComponent::ReadState(Reader);
}

void TTBCustomItem::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) {
    return;
  }
  FLinkParents.erase(std::remove(FLinkParents.begin(), FLinkParents.end(), AComponent), FLinkParents.end());
  if (FActionLink && AComponent == FActionLink->Action()) {
    SetAction(nullptr);
  }
  if (AComponent == FImages) {
    SetImages(nullptr);
  }
  if (AComponent == FSubMenuImages) {
    SetSubMenuImages(nullptr);
  }
  if (AComponent == FLinkSubitems) {
    SetLinkSubitems(nullptr);
  }
}
