// A component that owns a root item without showing it.
#include "toolbars/Tb2itemcontainer.h"

#include "platform/classes/ClassRegistry.h"
#include "toolbars/Tb2imagelist.h"
#include "toolbars/Tbskins.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TTBItemContainer, TComponent, TTBItemContainer::Publish)

void TBRegisterItemClasses() {
  static const bool Done = [] {
    RegisterClasses({TTBItem::StaticClass(), TTBSubmenuItem::StaticClass(), TTBSeparatorItem::StaticClass(),
                     TTBGroupItem::StaticClass(), TTBItemContainer::StaticClass(), TTBImageList::StaticClass(),
                     TTBSkin::StaticClass()});
    TBRegisterControlItem();
    return true;
  }();
  (void)Done;
}

TTBItemContainer::TTBItemContainer(TComponent* AOwner) : TComponent(AOwner) {
  TBRegisterItemClasses();
  FItem = new TTBRootItem(this);
  FItem->SetParentComponentLink(this);
}

void TTBItemContainer::BeforeDestruction() {
  // The root goes first, with every item still in it.
  if (FItem && !FItem->ComponentState().Contains(csDestroying)) {
    delete FItem;
  }
  FItem = nullptr;
  TComponent::BeforeDestruction();
}

void TTBItemContainer::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (int I = 0; I < FItem->Count(); ++I) {
    TTBCustomItem* Item = FItem->Items(I);
    if (Item->Owner() == Root) {
      Proc(Item);
    }
  }
}

void TTBItemContainer::SetChildOrder(TComponent* Child, Integer Order) {
  auto* Item = dynamic_cast<TTBCustomItem*>(Child);
  const int Cur = FItem->IndexOf(Item);
  if (Cur >= 0 && Order >= 0 && Order < FItem->Count()) {
    FItem->Move(Cur, Order);
  }
}

void TTBItemContainer::Publish(TMetaClass& Meta) {
  TPublisher<TTBItemContainer> P(Meta);
  P.Property("Images", &TTBItemContainer::Images, &TTBItemContainer::SetImages);
}
