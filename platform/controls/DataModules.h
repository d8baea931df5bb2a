// TDataModule: a non-visual container of components with its own layout, and the screen's list of data modules.
#pragma once

#include "platform/classes/Classes.h"

// A data module reads the layouts of its class and ancestors in AfterConstruction (run by the virtual
// constructor or by hand after `new`), then fires OnCreate; OnDestroy fires when it is freed. It is in the
// screen's list from its construction to its destruction.
class TDataModule : public TComponent {
  Z_CLASS(TDataModule, TComponent)
public:
  explicit TDataModule(TComponent* AOwner);
  ~TDataModule() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;
  // Published: OldCreateOrder, the design position (Left, Top, Width, Height), OnCreate, OnDestroy.
  static void Publish(TMetaClass& Meta);

  bool OldCreateOrder = false;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
};

// The screen's data modules, in creation order.
int DataModuleCount();
TDataModule* DataModules(int Index);
