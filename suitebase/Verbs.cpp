// The verb dispatcher and the assign-verb procedures of menu items, speed buttons and buttons.
#include "suitebase/Verbs.h"

#include "platform/controls/Buttons.h"
#include "platform/controls/Menus.h"
#include "platform/controls/StdCtrls.h"
#include "platform/rtl/SysUtils.h"
#include "suitebase/Notifiers.h"

namespace Dccommon {

Z_IMPLEMENT_CLASS_PUBLISHED(TVerbListItem, ZEZNamedItem, TVerbListItem::Publish)
Z_IMPLEMENT_CLASS(TVerbList, ZEZNamedItems)
Z_IMPLEMENT_CLASS_PUBLISHED(TVerbDispatcher, TComponent, TVerbDispatcher::Publish)

namespace {

TNotifyEvent ClickOf(TVerbListItem* Item) {
  if (Item->Releasing()) {
    return {};
  }
  return [Item](TObject* Sender) { Item->VerbOnClick(Sender); };
}

void AssignMenuItem(TComponent* Component, TVerbListItem* Item) {
  auto* M = static_cast<TMenuItem*>(Component);
  const bool Visible = Item->State().Contains(Dorazori::vsVisible);
  if (M->Visible() != Visible) {
    M->SetVisible(Visible);
  }
  M->SetEnabled(Item->State().Contains(Dorazori::vsEnabled));
  M->SetChecked(Item->State().Contains(Dorazori::vsChecked));
  M->SetOnClick(ClickOf(Item));
}

void AssignControl(TComponent* Component, TVerbListItem* Item) {
  auto* C = static_cast<TControl*>(Component);
  C->SetVisible(Item->State().Contains(Dorazori::vsVisible));
  C->SetEnabled(Item->State().Contains(Dorazori::vsEnabled));
  C->OnClick = ClickOf(Item);
}

void RegisterBuiltIns() {
  static const bool Done = [] {
    RegisterAssignVerbProc(TMenuItem::StaticClass(), &AssignMenuItem);
    RegisterAssignVerbProc(TSpeedButton::StaticClass(), &AssignControl);
    RegisterAssignVerbProc(TButton::StaticClass(), &AssignControl);
    return true;
  }();
  (void)Done;
}

}  // namespace

void RegisterAssignVerbProc(TClass ComponentClass, TAssignVerbProc Proc) {
  Dorazori::RegisterClassExt(ComponentClass, {"AssignVerb", "AssignVerb.VerbProc"},
                             {Variant("AssignVerb"), Dorazori::ProcVariant(reinterpret_cast<void*>(Proc))});
}

TAssignVerbProc GetAssignVerbProc(TClass ComponentClass) {
  Dorazori::TObjectParamListItem* Item =
      Dorazori::GetItemInherited(ComponentClass, {"AssignVerb"}, {Variant("AssignVerb")});
  return Item ? reinterpret_cast<TAssignVerbProc>(Item->GetParamByName("AssignVerb.VerbProc").AsPointer()) : nullptr;
}

// ---- Items -------------------------------------------------------------------------------------------------------

void TVerbListItem::Publish(TMetaClass& Meta) {
  TPublisher<TVerbListItem> P(Meta);
  P.Property("VerbComp", &TVerbListItem::VerbComp, &TVerbListItem::SetVerbComp);
  P.Property("VerbName", &TVerbListItem::VerbName, &TVerbListItem::SetVerbName);
}

TVerbListItem::~TVerbListItem() = default;

void TVerbListItem::BeforeDestruction() {
  // The control loses its click handler with the item.
  FState = Dorazori::TVerbStates{};
  FReleasing = true;
  if (FVerbComp && !FVerbComp->ComponentState().Contains(csDestroying)) {
    FStateApplied = false;
    UpdateControl();
  }
  ZEZNamedItem::BeforeDestruction();
}

TComponent* TVerbListItem::Owner() const {
  auto* Items = dynamic_cast<Vivaridiriz::TCustomDCNamedItems*>(Collection());
  return Items ? Items->OwnerComponent() : nullptr;
}

std::string TVerbListItem::GetDisplayName() {
  if (FVerbComp) {
    return FVerbComp->Name() + " - " + FVerbName;
  }
  return FVerbName.empty() ? ZEZNamedItem::GetDisplayName() : FVerbName;
}

void TVerbListItem::SetVerbName(const std::string& Value) {
  const std::string Trimmed = Trim(Value);
  if (Trimmed != FVerbName) {
    FVerbName = Trimmed;
    UpdateVerbObject();
  }
}

void TVerbListItem::SetVerbComp(TComponent* Value) {
  if (Value != FVerbComp) {
    FVerbComp = Value;
    if (Value && Owner()) {
      Value->FreeNotification(Owner());
    }
    UpdateVerbObject();
  }
}

void TVerbListItem::UpdateVerbObject() {
  if (Owner() && Owner()->ComponentState().Contains(csDesigning)) {
    return;
  }
  FGetState = nullptr;
  FExecute = nullptr;
  FAssign = nullptr;
  if (FVerbName.empty() || !FVerbComp) {
    return;
  }
  const TAssignVerbProc Assign = GetAssignVerbProc(FVerbComp->ClassType());
  Dorazori::TVerbGetStateProc GetState = nullptr;
  Dorazori::TVerbExecuteProc Execute = nullptr;
  Dorazori::TObjectParamListItem* Verb = Dorazori::GetVerbProcAddr(FVerbName, GetState, Execute);
  if (Assign && Verb) {
    FGetState = GetState;
    FExecute = Execute;
    FGroup = Verb->Group;
    FAssign = Assign;
    FStateApplied = false;
    UpdateControl();
  }
}

void TVerbListItem::UpdateControl() {
  if (!FAssign || !FVerbComp) {
    return;
  }
  Dorazori::TVerbStates State =
      FReleasing ? Dorazori::TVerbStates{} : Dorazori::TVerbStates{Dorazori::vsVisible, Dorazori::vsEnabled};
  if (FGetState && !FReleasing) {
    FGetState(State);
  }
  if (!FStateApplied || State != FState || FReleasing) {
    FState = State;
    FStateApplied = true;
    FAssign(FVerbComp, this);
  }
}

void TVerbListItem::VerbOnClick(TObject*) {
  if (!FExecute) {
    return;
  }
  Dorazori::IDEBeginUpdate();
  try {
    FExecute();
  } catch (...) {
    Dorazori::IDEEndUpdate();
    throw;
  }
  Dorazori::IDEEndUpdate();
}

// ---- The dispatcher ----------------------------------------------------------------------------------------------

TVerbDispatcher::TVerbDispatcher(TComponent* AOwner)
    : TComponent(AOwner), FVerbList(std::make_unique<TVerbList>(this)) {
  RegisterBuiltIns();
  Dorazori::RegisterNotifier(this);
  Dorazori::InitIDENotifier();
}

TVerbDispatcher::~TVerbDispatcher() {
  Dorazori::UnregisterNotifier(this);
  FVerbList.reset();
}

void TVerbDispatcher::Publish(TMetaClass& Meta) {
  TPublisher<TVerbDispatcher> P(Meta);
  P.Property("VerbList", &TVerbDispatcher::VerbList, &TVerbDispatcher::SetVerbList);
}

void TVerbDispatcher::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case SM_PACKAGELOADED: UpdateVerbObjects(-1); return;
    case Dorazori::SM_FREEEDITGROUP: UpdateVerbObjects(static_cast<Integer>(Message.WParam)); return;
    case SM_PROPCHANGED:
    case Dorazori::SM_IDECHANGED: UpdateControls(); return;
    default: TComponent::Dispatch(Message); return;
  }
}

void TVerbDispatcher::UpdateControls() {
  const TComponentState S = ComponentState();
  if (Dorazori::IDEUpdateCount() > 0 || S.Contains(csLoading) || S.Contains(csReading) || S.Contains(csDestroying) ||
      S.Contains(csDesigning)) {
    return;
  }
  for (Integer I = 0; I < FVerbList->Count(); ++I) {
    FVerbList->Items(I)->UpdateControl();
  }
}

void TVerbDispatcher::UpdateVerbObjects(Integer DesignGroup) {
  for (Integer I = 0; I < FVerbList->Count(); ++I) {
    if (DesignGroup < 0 || FVerbList->Items(I)->Group() == DesignGroup) {
      FVerbList->Items(I)->UpdateVerbObject();
    }
  }
}

void TVerbDispatcher::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && FVerbList) {
    for (Integer I = 0; I < FVerbList->Count(); ++I) {
      if (FVerbList->Items(I)->VerbComp() == AComponent) {
        FVerbList->Items(I)->Unbind();
      }
    }
  }
}

}  // namespace Dccommon
