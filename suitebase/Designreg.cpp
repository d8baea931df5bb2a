// The designer support registries.
#include "suitebase/Designreg.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/graphics/Images.h"
#include "platform/graphics/WinGdi.h"
#include "platform/rtl/UnitInit.h"
#include "suitebase/Containers.h"
#include "suitebase/Notifiers.h"

#include <algorithm>
#include <memory>

namespace Dorazori {

Integer _Package = 0;
bool UnderDelphiIDE = false;
bool boolShowHelpButton = false;
TCallPropEditProc CallPropEditProc;

Z_IMPLEMENT_CLASS(TPackagedCollectionItem, TCollectionItem)
Z_IMPLEMENT_CLASS(TPackagedCollection, TCollection)
Z_IMPLEMENT_CLASS(TPopupClassInfo, TPackagedCollectionItem)
Z_IMPLEMENT_CLASS(TEditClassInfo, TPopupClassInfo)
Z_IMPLEMENT_CLASS(TEditSourceClassInfo, TPackagedCollectionItem)
Z_IMPLEMENT_CLASS(TClassItem, TPackagedCollectionItem)
Z_IMPLEMENT_CLASS(TClassItems, TPackagedCollection)
Z_IMPLEMENT_CLASS(TEditSource, TComponent)

// ---- Collections -------------------------------------------------------------------------------------------------

TPackagedCollection::TPackagedCollection(TCollectionItemClass AItemClass) : TCollection(AItemClass) {
  RegisterNotifier(this);
}

TPackagedCollection::~TPackagedCollection() { UnregisterNotifier(this); }

void TPackagedCollection::Dispatch(TMessage& Message) {
  if (Message.Msg == SM_FREEEDITGROUP) {
    DeleteItems(static_cast<Integer>(Message.WParam));
    return;
  }
  TCollection::Dispatch(Message);
}

TPackagedCollectionItem* TPackagedCollection::Add() {
  auto* Item = static_cast<TPackagedCollectionItem*>(TCollection::Add());
  Item->Package = _Package;
  Item->Group = CurrentGroup;
  return Item;
}

TPackagedCollectionItem* TPackagedCollection::Last() const {
  return Count() > 0 ? static_cast<TPackagedCollectionItem*>(Items(Count() - 1)) : nullptr;
}

void TPackagedCollection::DeleteItems(Integer Group) {
  for (Integer I = Count() - 1; I >= 0; --I) {
    if (static_cast<TPackagedCollectionItem*>(Items(I))->Group == Group) {
      Delete(I);
    }
  }
}

TClassItems::TClassItems() : TPackagedCollection(TClassItem::StaticClass()) {}

TClassItem* TClassItems::RegisterClass(TClass AClass, TClassItemCats Categories) {
  TClassItem* Item = nullptr;
  for (Integer I = 0; I < Count() && !Item; ++I) {
    if (Items(I)->ItemClass == AClass) {
      Item = Items(I);
    }
  }
  if (!Item) {
    Item = static_cast<TClassItem*>(Add());
  }
  Item->Categories += Categories;
  Item->ItemClass = AClass;
  return Item;
}

void TClassItems::ListFieldClasses(TList* List) {
  List->Clear();
  for (Integer I = 0; I < Count(); ++I) {
    if (Items(I)->Categories.Contains(icField)) {
      List->Add(const_cast<TMetaClass*>(Items(I)->ItemClass));
    }
  }
}

bool TClassItems::IsIconClass(TClass AClass) const {
  for (Integer I = 0; I < Count(); ++I) {
    const TClassItem* Item = Items(I);
    if (AClass && Item->ItemClass && AClass->InheritsFrom(Item->ItemClass)) {
      return !Item->Categories.Contains(icNoIcon);
    }
  }
  return true;
}

namespace {
std::unique_ptr<TPackagedCollection> ThePopups;
std::unique_ptr<TPackagedCollection> TheEdits;
std::unique_ptr<TPackagedCollection> TheEditSources;
std::unique_ptr<TClassItems> TheClassItems;

void Finalize() {
  RemoveRegistrationHooks();
  ThePopups.reset();
  TheEdits.reset();
  TheEditSources.reset();
  TheClassItems.reset();
}
}  // namespace

TPackagedCollection* PopupClasses() {
  if (!ThePopups) {
    ThePopups = std::make_unique<TPackagedCollection>(TPopupClassInfo::StaticClass());
  }
  return ThePopups.get();
}
TPackagedCollection* EditClasses() {
  if (!TheEdits) {
    TheEdits = std::make_unique<TPackagedCollection>(TEditClassInfo::StaticClass());
  }
  return TheEdits.get();
}
TPackagedCollection* EditSourceClasses() {
  if (!TheEditSources) {
    TheEditSources = std::make_unique<TPackagedCollection>(TEditSourceClassInfo::StaticClass());
  }
  return TheEditSources.get();
}
TClassItems* ClassItems() {
  if (!TheClassItems) {
    TheClassItems = std::make_unique<TClassItems>();
  }
  return TheClassItems.get();
}

// ---- Editor registries -------------------------------------------------------------------------------------------

namespace {
void Fill(TPopupClassInfo* Item, PTypeInfo PropType, TClass ComponentClass, const std::string& PropName,
          TClass EditorClass) {
  Item->PropType = PropType;
  Item->ComponentClass = ComponentClass;
  Item->PropName = PropName;
  Item->EditorClass = EditorClass;
}
void RemoveFirst(TPackagedCollection* List, PTypeInfo PropType, TClass ComponentClass, const std::string& PropName,
                 TClass EditorClass) {
  for (Integer I = 0; I < List->Count(); ++I) {
    auto* Item = static_cast<TPopupClassInfo*>(List->Items(I));
    if (Item->PropType == PropType && Item->ComponentClass == ComponentClass && Item->PropName == PropName &&
        Item->EditorClass == EditorClass) {
      List->Delete(I);
      return;
    }
  }
}
}  // namespace

void RegisterPopupClass(PTypeInfo PropType, TClass ComponentClass, const std::string& PropName, TClass EditorClass) {
  Fill(static_cast<TPopupClassInfo*>(PopupClasses()->Add()), PropType, ComponentClass, PropName, EditorClass);
  SafeRegisterClass(EditorClass);
}

void RegisterEditClass(PTypeInfo PropType, TClass ComponentClass, const std::string& PropName, TClass EditorClass) {
  Fill(static_cast<TEditClassInfo*>(EditClasses()->Add()), PropType, ComponentClass, PropName, EditorClass);
  SafeRegisterClass(EditorClass);
}

void RegisterTextEditClass(PTypeInfo PropType, TClass ComponentClass, const std::string& PropName, TClass EditorClass) {
  RegisterEditClass(PropType, ComponentClass, PropName, EditorClass);
  static_cast<TEditClassInfo*>(EditClasses()->Last())->IsTextEdit = true;
}

void UnRegisterPopupClass(PTypeInfo PropType, TClass ComponentClass, const std::string& PropName, TClass EditorClass) {
  RemoveFirst(PopupClasses(), PropType, ComponentClass, PropName, EditorClass);
}

void UnRegisterEditClass(PTypeInfo PropType, TClass ComponentClass, const std::string& PropName, TClass EditorClass) {
  RemoveFirst(EditClasses(), PropType, ComponentClass, PropName, EditorClass);
}

bool IsTextEditClass(TClass EditorClass) {
  TPackagedCollection* List = EditClasses();
  for (Integer I = List->Count() - 1; I >= 0; --I) {
    auto* Item = static_cast<TEditClassInfo*>(List->Items(I));
    if (Item->EditorClass == EditorClass && Item->IsTextEdit) {
      return true;
    }
  }
  return false;
}

void RegisterEditSource(TClass EditSourceClass) {
  static_cast<TEditSourceClassInfo*>(EditSourceClasses()->Add())->EditSourceClass = EditSourceClass;
  SafeRegisterClass(EditSourceClass);
}

bool IsIconClass(TClass AClass) { return ClassItems()->IsIconClass(AClass); }

// ---- Registration hooks ------------------------------------------------------------------------------------------

namespace {
void RegisterWith(const TComponentClassList& Classes, TClassItemCats Categories, const std::string* Page) {
  for (TClass C : Classes) {
    SafeRegisterClass(C);
    TClassItem* Item = ClassItems()->RegisterClass(C, Categories);
    if (Page && Item->Page.empty()) {
      Item->Page = *Page;
    }
  }
  SimpleBroadCast(SM_COMPONENTSREGISTERED);
}
void HookComponents(const std::string& Page, const TComponentClassList& Classes) {
  RegisterWith(Classes, TClassItemCats{icShowinPalette}, &Page);
}
void HookNoIcon(const TComponentClassList& Classes) { RegisterWith(Classes, TClassItemCats{icNoIcon}, nullptr); }
void HookNonActiveX(const TComponentClassList& Classes, int) {
  RegisterWith(Classes, TClassItemCats{icNonActiveX}, nullptr);
}
}  // namespace

void InstallRegistrationHooks() {
  if (!RegisterComponentsProc) {
    RegisterComponentsProc = &HookComponents;
  }
  if (!RegisterNoIconProc) {
    RegisterNoIconProc = &HookNoIcon;
  }
  if (!RegisterNonActiveXProc) {
    RegisterNonActiveXProc = &HookNonActiveX;
  }
}

void RemoveRegistrationHooks() {
  if (RegisterComponentsProc == &HookComponents) {
    RegisterComponentsProc = nullptr;
  }
  if (RegisterNoIconProc == &HookNoIcon) {
    RegisterNoIconProc = nullptr;
  }
  if (RegisterNonActiveXProc == &HookNonActiveX) {
    RegisterNonActiveXProc = nullptr;
  }
}

void RegisterNonCorvane(const TComponentClassList& Classes) { HookNoIcon(Classes); }

void RegisterForDelphi(const std::function<void()>& Proc) {
  if (Proc) {
    Proc();
  }
}

void RegisterForCorvane(const std::function<void()>& Proc) {
  if (Proc && !UnderDelphiIDE) {
    Proc();
  }
}

void SafeRegisterClass(TClass AClass) {
  if (!AClass || GetClass(AClass->ClassName())) {
    return;
  }
  try {
    ::RegisterClass(AClass);
  } catch (...) {
    // A class another one's name already holds stays unregistered.
  }
}

void SafeRegisterClasses(const TComponentClassList& Classes) {
  for (TClass C : Classes) {
    SafeRegisterClass(C);
  }
}

void CallPropertyEdit(TPersistent* Instance, const std::string& PropName) {
  if (CallPropEditProc) {
    CallPropEditProc(Instance, PropName);
  }
}

void TListWrapper::Add(Pointer Item) {
  // As the suite's sorted lists, an item already there is not entered again.
  const auto It = std::lower_bound(FItems.begin(), FItems.end(), Item);
  if (It == FItems.end() || *It != Item) {
    FItems.insert(It, Item);
  }
}

void TListWrapper::Remove(Pointer Item) {
  const auto It = std::lower_bound(FItems.begin(), FItems.end(), Item);
  if (It != FItems.end() && *It == Item) {
    FItems.erase(It);
  }
}

// ---- Dialog buttons and check boxes ------------------------------------------------------------------------------

void UpdateStandardButtons(TButton* OkButton, TButton* CancelButton, TButton* HelpButton) {
  if (!boolShowHelpButton && OkButton && CancelButton && HelpButton) {
    HelpButton->SetVisible(false);
    const TRect Cancel = CancelButton->BoundsRect();
    const TRect Help = HelpButton->BoundsRect();
    OkButton->SetBounds(Cancel.Left, Cancel.Top, Cancel.Width(), Cancel.Height());
    CancelButton->SetBounds(Help.Left, Help.Top, Help.Width(), Help.Height());
  } else if (HelpButton) {
    HelpButton->SetVisible(true);
  }
  if (OkButton) {
    OkButton->SetCaption(Vivaridiriz::ResStr("OK"));
  }
  if (CancelButton) {
    CancelButton->SetCaption(Vivaridiriz::ResStr("Cancel"));
  }
  if (HelpButton) {
    HelpButton->SetCaption(Vivaridiriz::ResStr("&Help"));
  }
}

namespace {
TSize CheckSize() {
  static const TSize Size = [] {
    TSize S{13, 13};
    const HBITMAP B = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECKBOXES));
    BITMAP Info{};
    if (B && GetObject(B, sizeof Info, &Info)) {
      S = TSize{Info.bmWidth / 4, Info.bmHeight / 3};
    }
    if (B) {
      DeleteObject(B);
    }
    return S;
  }();
  return Size;
}
}  // namespace

int DefaultCheckWidth() { return CheckSize().cx; }
int DefaultCheckHeight() { return CheckSize().cy; }

}  // namespace Dorazori

Z_REGISTER_UNIT(UnitOrder::Dorazori, "Dorazori.Designer", &Dorazori::InstallRegistrationHooks, &Dorazori::Finalize)
