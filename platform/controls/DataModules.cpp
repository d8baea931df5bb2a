// Data modules and the screen's list of them.
#include "platform/controls/DataModules.h"

#include "platform/classes/FormResources.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<TDataModule*>& List() {
  static std::vector<TDataModule*> L;
  return L;
}
}  // namespace

Z_IMPLEMENT_CLASS_PUBLISHED(TDataModule, TComponent, TDataModule::Publish)

TDataModule::TDataModule(TComponent* AOwner) : TComponent(AOwner) { List().push_back(this); }

TDataModule::~TDataModule() { List().erase(std::remove(List().begin(), List().end(), this), List().end()); }

void TDataModule::Publish(TMetaClass& Meta) {
  TPublisher<TDataModule> P(Meta);
  P.Property("OldCreateOrder", &TDataModule::OldCreateOrder, &TDataModule::OldCreateOrder).Default(false);
  P.Property("Left", &TDataModule::Left, &TDataModule::Left).NoDefault();
  P.Property("Top", &TDataModule::Top, &TDataModule::Top).NoDefault();
  P.Property("Width", &TDataModule::Width, &TDataModule::Width).NoDefault();
  P.Property("Height", &TDataModule::Height, &TDataModule::Height).NoDefault();
  P.Property("OnCreate", &TDataModule::OnCreate, &TDataModule::OnCreate);
  P.Property("OnDestroy", &TDataModule::OnDestroy, &TDataModule::OnDestroy);
}

void TDataModule::AfterConstruction() {
  if (ClassType() != TDataModule::StaticClass()) {
    InitInheritedComponent(this, TDataModule::StaticClass());
  }
  TComponent::AfterConstruction();
  if (OnCreate) {
    OnCreate(this);
  }
}

void TDataModule::BeforeDestruction() {
  if (OnDestroy) {
    OnDestroy(this);
  }
  TComponent::BeforeDestruction();
}

int DataModuleCount() { return static_cast<int>(List().size()); }

TDataModule* DataModules(int Index) {
  return Index >= 0 && Index < DataModuleCount() ? List()[static_cast<std::size_t>(Index)] : nullptr;
}
