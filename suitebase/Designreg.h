// The designer support registries: in-place editor and popup classes by property type, edit sources, and the
// catalogue of component classes with their palette page and categories. Every registration remembers the package
// and package group current when it was made, so that a group's registrations go when the group is unloaded.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/classes/DesignHooks.h"
#include "platform/classes/TypInfo.h"
#include "platform/controls/StdCtrls.h"
#include "platform/rtl/Sets.h"

#include <functional>
#include <string>
#include <vector>

namespace Dorazori {

// The suite's package number at registration (a design package sets it while it registers).
extern Integer _Package;
// Set when running inside the design environment: RegisterForCorvane then does nothing.
extern bool UnderDelphiIDE;
extern bool boolShowHelpButton;

class TPackagedCollectionItem : public TCollectionItem {
  Z_CLASS(TPackagedCollectionItem, TCollectionItem)
public:
  explicit TPackagedCollectionItem(TCollection* ACollection) : TCollectionItem(ACollection) {}
  Integer Package = 0;
  Integer Group = 0;
};

// A registry that listens to the suite's broadcasts: SM_FREEEDITGROUP deletes the items of that group.
class TPackagedCollection : public TCollection {
  Z_CLASS(TPackagedCollection, TCollection)
public:
  explicit TPackagedCollection(TCollectionItemClass AItemClass);
  ~TPackagedCollection() override;
  void Dispatch(TMessage& Message) override;
  TPackagedCollectionItem* Add();  // with the current package and group
  TPackagedCollectionItem* Last() const;
  void DeleteItems(Integer Group);
};

class TPopupClassInfo : public TPackagedCollectionItem {
  Z_CLASS(TPopupClassInfo, TPackagedCollectionItem)
public:
  explicit TPopupClassInfo(TCollection* ACollection) : TPackagedCollectionItem(ACollection) {}
  TClass EditorClass = nullptr;
  PTypeInfo PropType = nullptr;
  std::string PropName;             // empty: any property
  TClass ComponentClass = nullptr;  // none: any class
};
class TEditClassInfo : public TPopupClassInfo {
  Z_CLASS(TEditClassInfo, TPopupClassInfo)
public:
  explicit TEditClassInfo(TCollection* ACollection) : TPopupClassInfo(ACollection) {}
  bool IsTextEdit = false;
};
class TEditSourceClassInfo : public TPackagedCollectionItem {
  Z_CLASS(TEditSourceClassInfo, TPackagedCollectionItem)
public:
  explicit TEditSourceClassInfo(TCollection* ACollection) : TPackagedCollectionItem(ACollection) {}
  TClass EditSourceClass = nullptr;
};

enum TClassItemCat { icNonActiveX, icField, icNoIcon, icShowinPalette };
using TClassItemCats = TSet<TClassItemCat, icShowinPalette>;

class TClassItem : public TPackagedCollectionItem {
  Z_CLASS(TClassItem, TPackagedCollectionItem)
public:
  explicit TClassItem(TCollection* ACollection) : TPackagedCollectionItem(ACollection) {}
  TClass ItemClass = nullptr;
  TClassItemCats Categories;
  std::string Page;
};

class TClassItems : public TPackagedCollection {
  Z_CLASS(TClassItems, TPackagedCollection)
public:
  TClassItems();
  // The item of the class (made when there is none); its categories gain Categories.
  TClassItem* RegisterClass(TClass AClass, TClassItemCats Categories);
  TClassItem* Items(Integer Index) const { return static_cast<TClassItem*>(TCollection::Items(Index)); }
  void ListFieldClasses(TList* List);
  // The first item of the class or an ancestor decides: false when it has icNoIcon; true when none applies.
  bool IsIconClass(TClass AClass) const;
};

// The data source of an in-place editor.
class TEditSource : public TComponent {
  Z_CLASS(TEditSource, TComponent)
public:
  using TComponent::TComponent;
  virtual std::string GetValue() = 0;
  virtual void SetValue(const std::string& Value) = 0;
  virtual void StartEdit() {}
};

// A designer's selection: a reference-counted list of persistent objects.
class ZEZPersistentList : public TInterfacedObject {
public:
  void Add(TPersistent* Item) { FItems.push_back(Item); }
  TPersistent* Get(Integer Index) const { return FItems.at(static_cast<std::size_t>(Index)); }
  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  // The same count and the same object at every index.
  bool Equals(const ZEZPersistentList& Other) const { return FItems == Other.FItems; }

private:
  std::vector<TPersistent*> FItems;
};

// A sorted list of pointers without duplicates; GetClass and GetObject both give the item at the index.
class TListWrapper : public TObject {
public:
  void Add(Pointer Item);
  void Remove(Pointer Item);
  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  Pointer GetClass(Integer Index) const { return FItems.at(static_cast<std::size_t>(Index)); }
  Pointer GetObject(Integer Index) const { return FItems.at(static_cast<std::size_t>(Index)); }

private:
  std::vector<Pointer> FItems;  // kept sorted
};

TPackagedCollection* PopupClasses();
TPackagedCollection* EditClasses();
TPackagedCollection* EditSourceClasses();
TClassItems* ClassItems();

void RegisterPopupClass(PTypeInfo PropType, TClass ComponentClass, const std::string& PropName, TClass EditorClass);
void RegisterEditClass(PTypeInfo PropType, TClass ComponentClass, const std::string& PropName, TClass EditorClass);
void RegisterTextEditClass(PTypeInfo PropType, TClass ComponentClass, const std::string& PropName, TClass EditorClass);
void UnRegisterPopupClass(PTypeInfo PropType, TClass ComponentClass, const std::string& PropName, TClass EditorClass);
void UnRegisterEditClass(PTypeInfo PropType, TClass ComponentClass, const std::string& PropName, TClass EditorClass);
bool IsTextEditClass(TClass EditorClass);
void RegisterEditSource(TClass EditSourceClass);
bool IsIconClass(TClass AClass);

void RegisterNonCorvane(const TComponentClassList& Classes);
void RegisterForDelphi(const std::function<void()>& Proc);
void RegisterForCorvane(const std::function<void()>& Proc);
// Registers with the class registry unless none or a class of that name is there; errors are swallowed.
void SafeRegisterClass(TClass AClass);
void SafeRegisterClasses(const TComponentClassList& Classes);
// Installs the suite's registration procedures into the empty hooks (the unit's initialisation does it).
void InstallRegistrationHooks();
void RemoveRegistrationHooks();

using TCallPropEditProc = std::function<void(TPersistent* Instance, const std::string& PropName)>;
extern TCallPropEditProc CallPropEditProc;
void CallPropertyEdit(TPersistent* Instance, const std::string& PropName);

// Without the help button, OK moves to Cancel's place and Cancel to Help's; captions "OK", "Cancel", "&Help".
void UpdateStandardButtons(TButton* OkButton, TButton* CancelButton, TButton* HelpButton);
// A quarter of the check-box bitmap's width and a third of its height, measured once.
int DefaultCheckWidth();
int DefaultCheckHeight();

}  // namespace Dorazori
