// Collection items with a name, and their collections: lookup by name, every change reported to the owner
// through two events, the owner forgotten when it is freed, and loading and saving in the component stream
// format.
#pragma once

#include "platform/classes/Classes.h"

#include <functional>
#include <string>

namespace Vivaridiriz {

// An item with a name. The name is a label: not unique, not checked, raising no event when set. Subclasses
// publish Name as their first published property.
class ZEZNamedItem : public TCollectionItem {
  Z_CLASS(ZEZNamedItem, TCollectionItem)
public:
  explicit ZEZNamedItem(TCollection* ACollection) : TCollectionItem(ACollection) {}
  // From another named item: every published property both have; otherwise the class library's Assign.
  void Assign(TPersistent* Source) override;
  void SetDisplayName(const std::string& Value) override { FName = Value; }
  // Reports the item as changed to its collection (a handler for owned fonts and bitmaps).
  virtual void OnChange(TObject* Sender);

  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }

protected:
  std::string GetDisplayName() override;  // Name, or the class name when it is empty

private:
  std::string FName;
};

using TUpdateCollectionEvent = std::function<void(TObject* Sender, TCollectionItem* Item)>;

// A collection of named items that knows the component owning it (not owned; forgotten when it is freed).
class TCustomDCNamedItems : public TCollection {
  Z_CLASS(TCustomDCNamedItems, TCollection)
public:
  TCustomDCNamedItems(TComponent* AOwner, TCollectionItemClass AItemClass);
  ~TCustomDCNamedItems() override;

  // The first item of that name (ASCII case ignored), -1 when none.
  Integer IndexOfName(const std::string& Name) const;
  Integer IndexOf(const ZEZNamedItem* Item) const;
  TComponent* OwnerComponent() const { return FOwnerComponent; }

  // After any change of the collection or of an item: OnChange, then OnUpdateItem (null item: the whole).
  TNotifyEvent OnChange;
  TUpdateCollectionEvent OnUpdateItem;

protected:
  void Update(TCollectionItem* Item) override;
  TPersistent* GetOwner() override;

private:
  void FreeNotificationProc(void* Obj);
  TComponent* FOwnerComponent = nullptr;
};

}  // namespace Vivaridiriz

namespace Dorazori {

// Named items that load and save themselves in the binary component stream format.
class ZEZNamedItems : public Vivaridiriz::TCustomDCNamedItems {
  Z_CLASS(ZEZNamedItems, TCustomDCNamedItems)
public:
  using TCustomDCNamedItems::TCustomDCNamedItems;
  void SaveToStream(TStream* Stream);
  void LoadFromStream(TStream* Stream);
  void SaveToFile(const std::string& FileName);
  void LoadFromFile(const std::string& FileName);
};

}  // namespace Dorazori
