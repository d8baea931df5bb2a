// TComponent: ownership, names, notifications and teardown.
#include "platform/classes/Component.h"

#include "platform/classes/Lists.h"
#include "platform/classes/TypInfo.h"
#include "platform/classes/TypInfoImpl.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>

Z_IMPLEMENT_CLASS_PUBLISHED(TComponent, TPersistent, TComponent::Publish)

void TComponent::Publish(TMetaClass& Meta) {
  TPublisher<TComponent> P(Meta);
  P.Property("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
  P.Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

namespace {
// Letters, digits and '_', not starting with a digit (the class library's IsValidIdent).
bool IsValidComponentIdent(const std::string& S) {
  if (S.empty()) {
    return false;
  }
  auto IsAlpha = [](char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_'; };
  if (!IsAlpha(S[0])) {
    return false;
  }
  return std::all_of(S.begin() + 1, S.end(), [&](char C) { return IsAlpha(C) || (C >= '0' && C <= '9'); });
}

void RemoveFrom(std::vector<TComponent*>& List, TComponent* Item) {
  auto It = std::find(List.begin(), List.end(), Item);
  if (It != List.end()) {
    List.erase(It);
  }
}
}  // namespace

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner != nullptr) {
    // Joins the owner at once; the insertion is announced by AfterConstruction, once this object is whole.
    AOwner->ValidateContainer(this);
    AOwner->Insert(this);
    if (AOwner->FComponentState.Contains(csDesigning)) {
      SetDesigning(true);
    }
    FInsertPending = true;
  }
}

TComponent::~TComponent() {
  // BeforeDestruction has normally done all of this; it is repeated for a component whose descendant's
  // constructor threw, which C++ tears down without BeforeDestruction.
  TearDown();
}

void TComponent::AfterConstruction() {
  TPersistent::AfterConstruction();
  if (FInsertPending) {
    FInsertPending = false;
    if (FOwner != nullptr) {
      FOwner->Notification(this, opInsert);
    }
  }
}

void TComponent::BeforeDestruction() {
  if (!FComponentState.Contains(csDestroying)) {
    Destroying();
  }
  TearDown();
  TPersistent::BeforeDestruction();
}

void TComponent::TearDown() {
  FComponentState.Include(csDestroying);
  // Tell everyone who asked, last first. Each link is dropped on both sides before the call, so that a
  // Notification override that does not call the inherited one leaves no link to a freed component.
  while (!FFreeNotifies.empty()) {
    TComponent* Other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    Other->RemoveNotification(this);
    Other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner != nullptr) {
    FOwner->RemoveComponent(this);
  }
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* Instance = FComponents.back();
    bool DesigningInline = FComponentState.Contains(csDesigning) && FComponentState.Contains(csInline);
    if (Instance->FComponentState.Contains(csFreeNotification) || DesigningInline) {
      RemoveComponent(Instance);
    } else {
      Remove(Instance);
    }
    delete Instance;
  }
}

void TComponent::Destroying() {
  if (!FComponentState.Contains(csDestroying)) {
    FComponentState.Include(csDestroying);
    for (TComponent* C : FComponents) {
      C->Destroying();
    }
  }
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) {
    return nullptr;
  }
  for (TComponent* C : FComponents) {
    if (CompareText(C->FName, AName) == 0) {
      return C;
    }
  }
  return nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent == this) {
    return;
  }
  // Components of one owner hear of each other's removal through the owner; others are linked both ways.
  // A component that is already going takes no new links: they would outlive it.
  bool Going = FComponentState.Contains(csDestroying) || AComponent->FComponentState.Contains(csDestroying);
  if ((FOwner == nullptr || AComponent->FOwner != FOwner) && !Going) {
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
      FFreeNotifies.push_back(AComponent);
      AComponent->FreeNotification(this);
    }
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr) {
    return;
  }
  RemoveNotification(AComponent);
  AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
  RemoveFrom(FFreeNotifies, AComponent);
}

TComponent* TComponent::GetParentComponent() {
  return nullptr;
}

bool TComponent::HasParent() {
  return false;
}

std::string TComponent::GetNamePath() {
  return FName;
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  AComponent->FOwner = nullptr;
  AComponent->FInsertPending = false;
  RemoveFrom(FComponents, AComponent);
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->FOwner != nullptr) {
    AComponent->FOwner->RemoveComponent(AComponent);
  }
  AComponent->ValidateContainer(this);
  ValidateRename(AComponent, std::string(), AComponent->FName);
  Insert(AComponent);
  AComponent->SetReference(true);
  if (FComponentState.Contains(csDesigning)) {
    AComponent->SetDesigning(true);
  }
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  ValidateRename(AComponent, AComponent->FName, std::string());
  Notification(AComponent, opRemove);
  AComponent->SetReference(false);
  Remove(AComponent);
}

TComponent* TComponent::Components(Integer Index) const {
  if (Index < 0 || Index >= ComponentCount()) {
    TList::Error(RtlConsts::SListIndexError, Index);
  }
  return FComponents[static_cast<std::size_t>(Index)];
}

Integer TComponent::ComponentIndex() const {
  if (FOwner == nullptr) {
    return -1;
  }
  auto& List = FOwner->FComponents;
  auto It = std::find(List.begin(), List.end(), this);
  return It == List.end() ? -1 : static_cast<Integer>(It - List.begin());
}

void TComponent::SetComponentIndex(Integer Value) {
  Integer I = ComponentIndex();
  if (I < 0) {
    return;
  }
  auto& List = FOwner->FComponents;
  Integer Count = static_cast<Integer>(List.size());
  Value = std::clamp(Value, 0, Count - 1);
  if (Value != I) {
    List.erase(List.begin() + I);
    List.insert(List.begin() + Value, this);
  }
}

void TComponent::SetName(const TComponentName& NewName) {
  if (FName == NewName) {
    return;
  }
  if (!NewName.empty() && !IsValidComponentIdent(NewName)) {
    throw EComponentError(Format(RtlConsts::SInvalidName, {NewName}));
  }
  if (FOwner != nullptr) {
    FOwner->ValidateRename(this, FName, NewName);
  } else {
    ValidateRename(nullptr, FName, NewName);
  }
  SetReference(false);
  ChangeName(NewName);
  SetReference(true);
}

void TComponent::SetReference(bool Enable) {
  if (FOwner == nullptr || FName.empty()) {
    return;
  }
  if (const TFieldEntry* Field = FieldAddress(FOwner->ClassType(), FName)) {
    Field->Set(FOwner, Enable ? this : nullptr);
  }
}

void TComponent::ChangeName(const TComponentName& NewName) {
  FName = NewName;
}

void TComponent::GetChildren(TGetChildProc Proc, TComponent* Root) {
  (void)Proc;
  (void)Root;
}

TComponent* TComponent::GetChildOwner() {
  return nullptr;
}

TComponent* TComponent::GetChildParent() {
  return nullptr;
}

TPersistent* TComponent::GetOwner() {
  return FOwner;
}

void TComponent::Loaded() {
  FComponentState.Exclude(csLoading);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent != nullptr) {
    RemoveFreeNotification(AComponent);
  }
  // Index loop: a handler may remove components further down while we go.
  for (std::size_t I = 0; I < FComponents.size(); ++I) {
    FComponents[I]->Notification(AComponent, Operation);
  }
}

void TComponent::SetAncestor(bool Value) {
  if (Value) {
    FComponentState.Include(csAncestor);
  } else {
    FComponentState.Exclude(csAncestor);
  }
  for (TComponent* C : FComponents) {
    C->SetAncestor(Value);
  }
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value) {
    FComponentState.Include(csDesigning);
  } else {
    FComponentState.Exclude(csDesigning);
  }
  if (SetChildren) {
    for (TComponent* C : FComponents) {
      C->SetDesigning(Value, true);
    }
  }
}

void TComponent::SetInline(bool Value) {
  if (Value) {
    FComponentState.Include(csInline);
  } else {
    FComponentState.Exclude(csInline);
  }
}

void TComponent::SetDesignInstance(bool Value) {
  if (Value) {
    FComponentState.Include(csDesignInstance);
  } else {
    FComponentState.Exclude(csDesignInstance);
  }
}

void TComponent::SetChildOrder(TComponent* Child, Integer Order) {
  (void)Child;
  (void)Order;
}

void TComponent::SetParentComponent(TComponent* Value) {
  (void)Value;
}

void TComponent::Updating() {
  FComponentState.Include(csUpdating);
}

void TComponent::Updated() {
  FComponentState.Exclude(csUpdating);
}

void TComponent::ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName) {
  if (AComponent != nullptr && CompareText(CurName, NewName) != 0 && FindComponent(NewName) != nullptr) {
    throw EComponentError(Format(RtlConsts::SDuplicateName, {NewName}));
  }
}

void TComponent::ValidateContainer(TComponent* AComponent) {
  AComponent->ValidateInsert(this);
}

void TComponent::ValidateInsert(TComponent* AComponent) {
  (void)AComponent;
}

std::string UniqueComponentName(TComponent* Owner, std::string_view BaseName) {
  for (Integer N = 1;; ++N) {
    std::string Candidate = std::string(BaseName) + IntToStr(N);
    if (Owner == nullptr || Owner->FindComponent(Candidate) == nullptr) {
      return Candidate;
    }
  }
}
