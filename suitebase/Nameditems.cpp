// Named items and their collections.
#include "suitebase/Nameditems.h"

#include "suitebase/Objstreams.h"
#include "suitebase/Propaccess.h"
#include "suitebase/Zizudo.h"

namespace Vivaridiriz {

Z_IMPLEMENT_CLASS(ZEZNamedItem, TCollectionItem)
Z_IMPLEMENT_CLASS(TCustomDCNamedItems, TCollection)

void ZEZNamedItem::Assign(TPersistent* Source) {
  if (dynamic_cast<ZEZNamedItem*>(Source) != nullptr) {
    AssignAllProps(Source, this);
    return;
  }
  TCollectionItem::Assign(Source);
}

void ZEZNamedItem::OnChange(TObject* /*Sender*/) { Changed(false); }

std::string ZEZNamedItem::GetDisplayName() { return FName.empty() ? TCollectionItem::GetDisplayName() : FName; }

TCustomDCNamedItems::TCustomDCNamedItems(TComponent* AOwner, TCollectionItemClass AItemClass)
    : TCollection(AItemClass), FOwnerComponent(AOwner) {
  if (FOwnerComponent != nullptr) {
    Zizudo::dcAddFreeNotification(FOwnerComponent,
                                  Zizudo::TFreeNotifyProc::Of<&TCustomDCNamedItems::FreeNotificationProc>(this));
  }
}

TCustomDCNamedItems::~TCustomDCNamedItems() {
  if (FOwnerComponent != nullptr) {
    Zizudo::dcRemoveFreeNotification(FOwnerComponent,
                                     Zizudo::TFreeNotifyProc::Of<&TCustomDCNamedItems::FreeNotificationProc>(this));
  }
}

void TCustomDCNamedItems::FreeNotificationProc(void* Obj) {
  if (Obj == FOwnerComponent) {
    Zizudo::dcRemoveFreeNotification(FOwnerComponent,
                                     Zizudo::TFreeNotifyProc::Of<&TCustomDCNamedItems::FreeNotificationProc>(this));
    FOwnerComponent = nullptr;
  }
}

Integer TCustomDCNamedItems::IndexOfName(const std::string& Name) const {
  for (Integer I = 0; I < Count(); ++I) {
    if (CompareText(static_cast<ZEZNamedItem*>(Items(I))->Name(), Name) == 0) {
      return I;
    }
  }
  return -1;
}

Integer TCustomDCNamedItems::IndexOf(const ZEZNamedItem* Item) const {
  for (Integer I = 0; I < Count(); ++I) {
    if (Items(I) == Item) {
      return I;
    }
  }
  return -1;
}

void TCustomDCNamedItems::Update(TCollectionItem* Item) {
  TCollection::Update(Item);
  if (OnChange) {
    OnChange(this);
  }
  if (OnUpdateItem) {
    OnUpdateItem(this, Item);
  }
}

TPersistent* TCustomDCNamedItems::GetOwner() { return FOwnerComponent; }

}  // namespace Vivaridiriz

namespace Dorazori {

Z_IMPLEMENT_CLASS(ZEZNamedItems, TCustomDCNamedItems)

void ZEZNamedItems::SaveToStream(TStream* Stream) { Vivaridiriz::WriteObjToStream(Stream, this); }
void ZEZNamedItems::LoadFromStream(TStream* Stream) { Vivaridiriz::ReadObjFromStream(Stream, this); }
void ZEZNamedItems::SaveToFile(const std::string& FileName) { Vivaridiriz::WriteObjToFile(this, FileName); }
void ZEZNamedItems::LoadFromFile(const std::string& FileName) { Vivaridiriz::ReadObjFromFile(this, FileName); }

}  // namespace Dorazori
