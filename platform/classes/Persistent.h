// TPersistent, the base of objects that can be assigned and streamed, and collections of such items.
#pragma once

#include "platform/rtl/System.h"

#include <functional>
#include <string>
#include <vector>

class TFiler;
class TReader;
class TWriter;
class TCollection;

// The class library's event with no arguments beyond the sender.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// An object that can copy its state from another (Assign) and take part in streaming (DefineProperties).
class TPersistent : public TObject {
  Z_CLASS(TPersistent, TObject)
  friend class TFiler;
  friend class TReader;
  friend class TWriter;

public:
  // Copies Source's state into this object. The base asks Source to do it (Source->AssignTo(this)); a null
  // or unsuitable Source raises EConvertError "Cannot assign a <source class or nil> to a <this class>".
  virtual void Assign(TPersistent* Source);
  // The name the object inspector and streaming errors show: "Owner.Path.ClassName" here.
  virtual std::string GetNamePath();

protected:
  // Copies this object into Dest; the base raises the assignment error. Descendants that know how to fill
  // another class override it.
  virtual void AssignTo(TPersistent* Dest);
  // Declares extra data to stream besides the published properties; the base declares none.
  virtual void DefineProperties(TFiler* Filer);
  // The object that owns this one for name paths; none here.
  virtual TPersistent* GetOwner();
  // Raises the assignment error for Source (may be null) assigned to this object.
  [[noreturn]] void AssignError(TPersistent* Source);
};

// Meta class of a collection item class (a class reference descending from TCollectionItem).
using TCollectionItemClass = TClass;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// One item of a TCollection. The collection owns its items: deleting an item removes it from its collection.
// Creating an item with a collection puts it at the end of that collection at once; the collection is told
// (Notify cnAdded, then Update) by AfterConstruction, when the item is whole. TCollection::Add and Insert
// go through the virtual constructor, which calls AfterConstruction; code that creates an item with `new`
// calls AfterConstruction itself when the collection must hear of it.
class TCollectionItem : public TPersistent {
  Z_CLASS(TCollectionItem, TPersistent)
  friend class TCollection;

public:
  using TConstructorArg = TCollection*;
  explicit TCollectionItem(TCollection* ACollection);
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  void AfterConstruction() override;
  // Leaves the collection while the whole item can still be seen by the collection's Notify.
  void BeforeDestruction() override;

  TCollection* Collection() const { return FCollection; }
  virtual void SetCollection(TCollection* Value);  // moves the item to another collection (or none)
  Integer ID() const { return FID; }               // unique within the collection, never reused
  Integer Index() const;                           // -1 without a collection
  virtual void SetIndex(Integer Value);            // moves the item; out of range raises EListError
  std::string DisplayName() { return GetDisplayName(); }
  virtual void SetDisplayName(const std::string& Value);
  // "<collection's name path>[<index>]", or the class name without a collection.
  std::string GetNamePath() override;

protected:
  // Tells the collection this item (or, with AllItems, everything) changed, unless it is updating.
  void Changed(bool AllItems);
  TPersistent* GetOwner() override;
  virtual std::string GetDisplayName();  // the class name here

private:
  TCollection* FCollection = nullptr;
  Integer FID = 0;
  bool FAnnounced = false;
};

// An ordered list of items of one class that owns them. Changes are reported through Update (with the item
// that changed, or null when the whole collection changed), held back between BeginUpdate and EndUpdate.
class TCollection : public TPersistent {
  Z_CLASS(TCollection, TPersistent)
  friend class TCollectionItem;

public:
  // ItemClass must descend from TCollectionItem; Add creates instances of it.
  explicit TCollection(TCollectionItemClass AItemClass);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;
  // Frees the items while the whole collection can still hear about it.
  void BeforeDestruction() override;

  TCollectionItem* Add();                     // a new item of ItemClass at the end
  TCollectionItem* Insert(Integer Index);     // a new item moved to Index
  void Assign(TPersistent* Source) override;  // from a TCollection: clears, then adds and assigns each item
  virtual void BeginUpdate();
  virtual void EndUpdate();                   // reports one Update(null) at the outermost end
  void Clear();                               // frees every item, last first
  void Delete(Integer Index);                 // frees the item
  TCollectionItem* FindItemID(Integer ID) const;  // null when absent
  // "<owner's name path>.<PropName>", or the class name when either is unknown.
  std::string GetNamePath() override;

  Integer Count() const { return static_cast<Integer>(FItems.size()); }
  TCollectionItemClass ItemClass() const { return FItemClass; }
  TPersistent* Owner() { return GetOwner(); }
  TCollectionItem* Items(Integer Index) const;     // out of range raises EListError
  void SetItems(Integer Index, TCollectionItem* Value);  // assigns Value to the item at Index
  // The owner's property that holds this collection (for name paths); set by the owner or the streaming code.
  const std::string& PropName() const { return FPropName; }
  void SetPropName(const std::string& Value) { FPropName = Value; }

protected:
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
  // Reports a change of the whole collection (Update(null)) unless updating.
  virtual void Changed();
  TPersistent* GetOwner() override;
  // Lets a designer name a new item; nothing here.
  virtual void SetItemName(TCollectionItem* Item);
  // Called for every change outside updates: Item changed, or everything when Item is null.
  virtual void Update(TCollectionItem* Item);
  Integer UpdateCount() const { return FUpdateCount; }

private:
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);

  TCollectionItemClass FItemClass;
  std::vector<TCollectionItem*> FItems;
  Integer FUpdateCount = 0;
  Integer FNextID = 0;
  std::string FPropName;
};

// A collection that knows its owner (usually the component that publishes it), for name paths.
class TOwnedCollection : public TCollection {
  Z_CLASS(TOwnedCollection, TCollection)
public:
  TOwnedCollection(TPersistent* AOwner, TCollectionItemClass AItemClass);

protected:
  TPersistent* GetOwner() override;

private:
  TPersistent* FOwner;
};
