// Actions, their links and action lists.
#include "platform/controls/ActnList.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/graphics/ImgList.h"

#include <algorithm>


Z_IMPLEMENT_CLASS(TBasicActionLink, TObject)
Z_IMPLEMENT_CLASS(TActionLink, TBasicActionLink)
Z_IMPLEMENT_CLASS(TBasicAction, TComponent)
Z_IMPLEMENT_CLASS_PUBLISHED(TContainedAction, TBasicAction, TContainedAction::Publish)
Z_IMPLEMENT_CLASS(TCustomAction, TContainedAction)
Z_IMPLEMENT_CLASS_PUBLISHED(TAction, TCustomAction, TAction::Publish)
Z_IMPLEMENT_CLASS(TCustomActionList, TComponent)
Z_IMPLEMENT_CLASS_PUBLISHED(TActionList, TCustomActionList, TActionList::Publish)

// ---- TBasicActionLink -------------------------------------------------------------------------------------------

TBasicActionLink::~TBasicActionLink() {
  if (FAction) {
    FAction->UnRegisterChanges(this);
  }
}

bool TBasicActionLink::Execute(TComponent* AComponent) {
  if (!FAction) {
    return false;
  }
  TBasicAction* Action = FAction;
  Action->SetActionComponent(AComponent);
  // The action may be freed by its own handler; the free notification then cleared the link.
  struct TReset {
    TBasicActionLink* Link;
    ~TReset() {
      if (Link->FAction) {
        Link->FAction->SetActionComponent(nullptr);
      }
    }
  } Reset{this};
  return Action->Execute();
}

bool TBasicActionLink::Update() { return FAction ? FAction->Update() : false; }

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (Value == FAction) {
    return;
  }
  if (FAction) {
    FAction->UnRegisterChanges(this);
  }
  FAction = Value;
  if (Value) {
    Value->RegisterChanges(this);
  }
}

void TBasicActionLink::Change() {
  if (OnChange) {
    OnChange(FAction);
  }
}

// ---- TActionLink ------------------------------------------------------------------------------------------------

namespace {
bool IsCustom(TBasicAction* A) { return dynamic_cast<TCustomAction*>(A) != nullptr; }
}  // namespace

bool TActionLink::IsCaptionLinked() { return IsCustom(FAction); }
bool TActionLink::IsCheckedLinked() { return IsCustom(FAction); }
bool TActionLink::IsEnabledLinked() { return IsCustom(FAction); }
bool TActionLink::IsGroupIndexLinked() { return IsCustom(FAction); }
bool TActionLink::IsHelpContextLinked() { return IsCustom(FAction); }
bool TActionLink::IsHintLinked() { return IsCustom(FAction); }
bool TActionLink::IsImageIndexLinked() { return IsCustom(FAction); }
bool TActionLink::IsShortCutLinked() { return IsCustom(FAction); }
bool TActionLink::IsVisibleLinked() { return IsCustom(FAction); }

// ---- TBasicAction -----------------------------------------------------------------------------------------------

void TBasicAction::BeforeDestruction() {
  while (!FClients.empty()) {
    UnRegisterChanges(FClients.back());
  }
  SetActionComponent(nullptr);
  TComponent::BeforeDestruction();
}

bool TBasicAction::Execute() {
  if (FOnExecute) {
    FOnExecute(this);
    return true;
  }
  return false;
}

bool TBasicAction::Update() {
  if (OnUpdate) {
    OnUpdate(this);
    return true;
  }
  return false;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Value) {
  Value->FAction = this;
  FClients.push_back(Value);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Value) {
  auto It = std::find(FClients.begin(), FClients.end(), Value);
  if (It != FClients.end()) {
    FClients.erase(It);
    Value->FAction = nullptr;
  }
}

void TBasicAction::SetActionComponent(TComponent* Value) {
  if (FActionComponent == Value) {
    return;
  }
  ReplaceFreeNotified(FActionComponent, Value);
}

void TBasicAction::SetOnExecute(const TNotifyEvent& Value) {
  for (auto* L : std::vector<TBasicActionLink*>(FClients)) {
    L->SetOnExecute(Value);
  }
  FOnExecute = Value;
  Change();
}

void TBasicAction::Change() {
  if (OnChange) {
    OnChange(this);
  }
  for (auto* L : std::vector<TBasicActionLink*>(FClients)) {
    L->Change();
  }
}

void TBasicAction::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FActionComponent) {
    FActionComponent = nullptr;
  }
}

// ---- TContainedAction -------------------------------------------------------------------------------------------

void TContainedAction::Publish(TMetaClass& Meta) {
  TPublisher<TContainedAction> P(Meta);
  P.Property("Category", &TContainedAction::Category, &TContainedAction::Category);
}

void TContainedAction::BeforeDestruction() {
  SetActionList(nullptr);
  TBasicAction::BeforeDestruction();
}

bool TContainedAction::Suspended() const { return FActionList && FActionList->State() != asNormal; }

bool TContainedAction::Execute() {
  if (Suspended()) {
    return false;
  }
  return (FActionList && FActionList->ExecuteAction(this)) || TBasicAction::Execute() ||
         DispatchActionToForms(CM_ACTIONEXECUTE, this);
}

bool TContainedAction::Update() {
  if (Suspended()) {
    return false;
  }
  return (FActionList && FActionList->UpdateAction(this)) || TBasicAction::Update() ||
         DispatchActionToForms(CM_ACTIONUPDATE, this);
}

void TContainedAction::SetActionList(TCustomActionList* Value) {
  if (Value == FActionList) {
    return;
  }
  if (FActionList) {
    FActionList->RemoveAction(this);
  }
  if (Value) {
    Value->AddAction(this);
  }
}

int TContainedAction::Index() const {
  if (!FActionList) {
    return -1;
  }
  auto& V = FActionList->FActions;
  return static_cast<int>(std::find(V.begin(), V.end(), this) - V.begin());
}

void TContainedAction::SetIndex(int Value) {
  if (!FActionList) {
    return;
  }
  auto& V = FActionList->FActions;
  const int Cur = Index();
  Value = std::clamp(Value, 0, static_cast<int>(V.size()) - 1);
  if (Cur == Value) {
    return;
  }
  V.erase(V.begin() + Cur);
  V.insert(V.begin() + Value, this);
}

TComponent* TContainedAction::GetParentComponent() {
  return FActionList ? FActionList : TBasicAction::GetParentComponent();
}

void TContainedAction::SetParentComponent(TComponent* AParent) {
  if (auto* List = dynamic_cast<TCustomActionList*>(AParent)) {
    SetActionList(List);
  }
}

void TContainedAction::ReadState(TReader* Reader) {
  TBasicAction::ReadState(Reader);
  if (auto* List = dynamic_cast<TCustomActionList*>(Reader->Parent())) {
    SetActionList(List);
  }
}

// ---- TCustomAction ----------------------------------------------------------------------------------------------

template <class F> void TCustomAction::ForEachLink(F Fn) {
  for (auto* L : std::vector<TBasicActionLink*>(FClients)) {
    if (auto* Link = dynamic_cast<TActionLink*>(L)) {
      Fn(Link);
    }
  }
}

bool TCustomAction::Execute() {
  if (Suspended()) {
    return false;
  }
  Update();
  if (FEnabled && FAutoCheck && (!FChecked || FGroupIndex == 0)) {
    SetChecked(!FChecked);
  }
  return FEnabled && TContainedAction::Execute();
}

bool TCustomAction::DoHint(std::string& HintStr) {
  bool CanShow = true;
  if (OnHint) {
    OnHint(HintStr, CanShow);
  }
  return CanShow;
}

void TCustomAction::SetAutoCheck(bool Value) {
  if (Value != FAutoCheck) {
    ForEachLink([&](TActionLink* L) { L->SetAutoCheck(Value); });
    FAutoCheck = Value;
    Change();
  }
}

void TCustomAction::SetCaption(const std::string& Value) {
  if (Value != FCaption) {
    ForEachLink([&](TActionLink* L) { L->SetCaption(Value); });
    FCaption = Value;
    Change();
  }
}

void TCustomAction::SetChecked(bool Value) {
  if (FChecking || Value == FChecked) {
    return;
  }
  FChecking = true;
  try {
    ForEachLink([&](TActionLink* L) { L->SetChecked(Value); });
    FChecked = Value;
    if (FGroupIndex > 0 && FChecked && FActionList) {
      for (auto* A : std::vector<TContainedAction*>(FActionList->FActions)) {
        auto* Other = dynamic_cast<TCustomAction*>(A);
        if (Other && Other != this && Other->FGroupIndex == FGroupIndex) {
          Other->SetChecked(false);
        }
      }
    }
    Change();
  } catch (...) {
    FChecking = false;
    throw;
  }
  FChecking = false;
}

void TCustomAction::SetEnabled(bool Value) {
  if (FActionList && FActionList->State() != asNormal) {
    FSavedEnabled = Value;
    FHasSaved = true;
    return;
  }
  ApplyEnabled(Value);
}

void TCustomAction::ApplyEnabled(bool Value) {
  if (Value == FEnabled) {
    return;
  }
  ForEachLink([&](TActionLink* L) { L->SetEnabled(Value); });
  FEnabled = Value;
  Change();
}

void TCustomAction::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) {
    return;
  }
  FGroupIndex = Value;
  ForEachLink([&](TActionLink* L) { L->SetGroupIndex(Value); });
  // Joining a group while checked unchecks the other members.
  if (FChecked && FGroupIndex > 0 && FActionList) {
    for (auto* A : std::vector<TContainedAction*>(FActionList->FActions)) {
      auto* Other = dynamic_cast<TCustomAction*>(A);
      if (Other && Other != this && Other->FGroupIndex == FGroupIndex) {
        Other->SetChecked(false);
      }
    }
  }
  Change();
}

void TCustomAction::SetHelpContext(THelpContext Value) {
  if (Value != FHelpContext) {
    ForEachLink([&](TActionLink* L) { L->SetHelpContext(Value); });
    FHelpContext = Value;
    Change();
  }
}

void TCustomAction::SetHint(const std::string& Value) {
  if (Value != FHint) {
    ForEachLink([&](TActionLink* L) { L->SetHint(Value); });
    FHint = Value;
    Change();
  }
}

void TCustomAction::SetImageIndex(TImageIndex Value) {
  if (Value != FImageIndex) {
    ForEachLink([&](TActionLink* L) { L->SetImageIndex(Value); });
    FImageIndex = Value;
    Change();
  }
}

void TCustomAction::SetShortCut(TShortCut Value) {
  if (Value != FShortCut) {
    ForEachLink([&](TActionLink* L) { L->SetShortCut(Value); });
    FShortCut = Value;
    Change();
  }
}

void TCustomAction::SetVisible(bool Value) {
  if (Value != FVisible) {
    ForEachLink([&](TActionLink* L) { L->SetVisible(Value); });
    FVisible = Value;
    Change();
  }
}

void TAction::Publish(TMetaClass& Meta) {
  TPublisher<TAction> P(Meta);
  P.Property("AutoCheck", &TAction::AutoCheck, &TAction::SetAutoCheck).Default(false);
  P.Property("Caption", &TAction::Caption, &TAction::SetCaption);
  P.Property("Checked", &TAction::Checked, &TAction::SetChecked).Default(false);
  P.Property("Enabled", &TAction::Enabled, &TAction::SetEnabled).Default(true);
  P.Property("GroupIndex", &TAction::GroupIndex, &TAction::SetGroupIndex).Default(0);
  P.Property("HelpContext", &TAction::HelpContext, &TAction::SetHelpContext).Default(0);
  P.Property("Hint", &TAction::Hint, &TAction::SetHint);
  P.Property("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex).Default(-1);
  P.Property("ShortCut", &TAction::ShortCut, &TAction::SetShortCut).Default(0);
  P.Property("Visible", &TAction::Visible, &TAction::SetVisible).Default(true);
  P.Property("OnExecute", &TAction::OnExecute, &TAction::SetOnExecute);
  P.Property("OnHint", &TAction::OnHint, &TAction::OnHint);
  P.Property("OnUpdate", &TAction::OnUpdate, &TAction::OnUpdate);
}

// ---- TCustomActionList ------------------------------------------------------------------------------------------

void TCustomActionList::BeforeDestruction() {
  // The list frees the actions still in it (their owner hears of it as usual).
  while (!FActions.empty()) {
    TContainedAction* A = FActions.back();
    if (A->ComponentState().Contains(csDestroying)) {
      RemoveAction(A);
    } else {
      delete A;
    }
  }
  SetImages(nullptr);
  TComponent::BeforeDestruction();
}

TContainedAction* TCustomActionList::Actions(int Index) const {
  if (Index < 0 || Index >= ActionCount()) {
    throw EListError(Format(RtlConsts::SListIndexError, {Index}));
  }
  return FActions[static_cast<std::size_t>(Index)];
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action) {
  bool Handled = false;
  if (OnExecute) {
    OnExecute(Action, Handled);
  }
  return Handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action) {
  bool Handled = false;
  if (OnUpdate) {
    OnUpdate(Action, Handled);
  }
  return Handled;
}

bool TCustomActionList::IsShortCut(TWMKey& Message) {
  const TShortCut Key = ::ShortCut(Message.CharCode, KeyDataToShiftState(Message.KeyData));
  if (Key == scNone) {
    return false;
  }
  for (auto* A : std::vector<TContainedAction*>(FActions)) {
    if (auto* C = dynamic_cast<TCustomAction*>(A); C && C->ShortCut() == Key) {
      return C->Execute();
    }
  }
  return false;
}

void TCustomActionList::SetImages(TCustomImageList* Value) {
  if (Value == FImages) {
    return;
  }
  ReplaceFreeNotified(FImages, Value);
  Change();
}

void TCustomActionList::SetState(TActionListState Value) {
  if (Value == FState) {
    return;
  }
  const TActionListState Old = FState;
  FState = Value;
  for (auto* A : std::vector<TContainedAction*>(FActions)) {
    auto* C = dynamic_cast<TCustomAction*>(A);
    if (!C) {
      continue;
    }
    if (Value == asSuspendedEnabled) {
      if (Old == asNormal) {
        C->FSavedEnabled = C->FEnabled;
        C->FHasSaved = true;
      }
      C->ApplyEnabled(true);
    } else if (Value == asNormal && C->FHasSaved) {
      C->FHasSaved = false;
      C->ApplyEnabled(C->FSavedEnabled);
    }
  }
}

void TCustomActionList::AddAction(TContainedAction* Action) {
  if (!Action || Action->FActionList == this) {
    return;
  }
  FActions.push_back(Action);
  Action->FActionList = this;
  Action->FreeNotification(this);
  Change();
}

void TCustomActionList::RemoveAction(TContainedAction* Action) {
  auto It = std::find(FActions.begin(), FActions.end(), Action);
  if (It == FActions.end()) {
    return;
  }
  FActions.erase(It);
  Action->FActionList = nullptr;
  Action->RemoveFreeNotification(this);
  Change();
}

void TCustomActionList::Change() {
  if (OnChange && !ComponentState().Contains(csDestroying)) {
    OnChange(this);
  }
}

void TCustomActionList::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (auto* A : FActions) {
    if (A->Owner() == Root) {
      Proc(A);
    }
  }
}

void TCustomActionList::SetChildOrder(TComponent* Child, Integer Order) {
  if (auto* A = dynamic_cast<TContainedAction*>(Child); A && A->FActionList == this) {
    A->SetIndex(Order);
  }
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) {
    return;
  }
  if (AComponent == FImages) {
    FImages = nullptr;
  }
  if (auto* A = dynamic_cast<TContainedAction*>(AComponent)) {
    RemoveAction(A);
  }
}

void TActionList::Publish(TMetaClass& Meta) {
  TPublisher<TActionList> P(Meta);
  P.Property("Images", &TActionList::Images, &TActionList::SetImages);
  P.Property("State", &TActionList::State, &TActionList::SetState).Default(asNormal);
  P.Property("OnChange", &TActionList::OnChange, &TActionList::OnChange);
  P.Property("OnExecute", &TActionList::OnExecute, &TActionList::OnExecute);
  P.Property("OnUpdate", &TActionList::OnUpdate, &TActionList::OnUpdate);
}

// ---- Dispatch to the forms --------------------------------------------------------------------------------------

namespace {

bool ApplyToTarget(UINT Msg, TBasicAction* Action, TControl* Target) {
  if (!Target || !Action->HandlesTarget(Target)) {
    return false;
  }
  if (Msg == CM_ACTIONEXECUTE) {
    Action->ExecuteTarget(Target);
  } else {
    Action->UpdateTarget(Target);
  }
  return true;
}

bool TraverseClients(UINT Msg, TBasicAction* Action, TWinControl* Container) {
  for (int I = 0; I < Container->ControlCount(); ++I) {
    TControl* C = Container->Controls(I);
    if (!C->Visible()) {
      continue;
    }
    if (ApplyToTarget(Msg, Action, C)) {
      return true;
    }
    if (auto* W = dynamic_cast<TWinControl*>(C); W && TraverseClients(Msg, Action, W)) {
      return true;
    }
  }
  return false;
}

bool FormHandles(UINT Msg, TBasicAction* Action, TCustomForm* Form) {
  if (!Form) {
    return false;
  }
  if (Form->Perform(Msg, 0, reinterpret_cast<LPARAM>(Action)) == 1) {
    return true;
  }
  return ApplyToTarget(Msg, Action, Form->ActiveControl()) || ApplyToTarget(Msg, Action, Form) ||
         TraverseClients(Msg, Action, Form);
}

}  // namespace

bool DispatchActionToForms(UINT Msg, TBasicAction* Action) {
  bool Result = false;
  TApplication* App = Application;
  if (App->HandleAllocated() && SendMessage(App->Handle(), Msg, 0, reinterpret_cast<LPARAM>(Action)) == 1) {
    Result = true;
  }
  if (!Result) {
    TCustomForm* Form = Screen->ActiveForm();
    TCustomForm* Main = App->MainForm();
    Result = FormHandles(Msg, Action, Form) || (Main != Form && FormHandles(Msg, Action, Main));
  }
  if (!Result) {
    if (auto* C = dynamic_cast<TCustomAction*>(Action); C && C->Enabled() && C->DisableIfNoHandler) {
      C->SetEnabled(static_cast<bool>(C->OnExecute()));
    }
  }
  return Result;
}
