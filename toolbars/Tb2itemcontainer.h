// A component that owns a root item without showing it, so that item trees can stream through form layouts.
#pragma once

#include "toolbars/Tb2item.h"

// Holds a root item whose subitems stream as this component's children. Owns the root for its lifetime.
class TTBItemContainer : public TComponent, public ITBItems {
  Z_CLASS(TTBItemContainer, TComponent)

public:
  explicit TTBItemContainer(TComponent* AOwner);
  void BeforeDestruction() override;
  TTBCustomItem* GetItems() override { return FItem; }
  TTBRootItem* Items() const { return FItem; }
  TCustomImageList* Images() const { return FItem->SubMenuImages(); }
  void SetImages(TCustomImageList* Value) { FItem->SetSubMenuImages(Value); }
  static void Publish(TMetaClass& Meta);

protected:
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, Integer Order) override;
  TComponent* GetChildParent() override { return this; }

private:
  TTBRootItem* FItem = nullptr;
};

// Registers the item classes that form layouts name, once per process.
void TBRegisterItemClasses();
