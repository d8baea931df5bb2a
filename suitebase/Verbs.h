// The verb dispatcher: binds the suite's named verbs to menu items, speed buttons, buttons and other controls and
// keeps their visibility, enabled state, check mark and click handler in step with each verb's state.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/win/Messages.h"
#include "suitebase/Classparams.h"
#include "suitebase/Nameditems.h"

#include <string>

namespace Dccommon {

// Broadcasts the dispatcher answers.
inline constexpr UINT SM_PROPCHANGED = 2026;
inline constexpr UINT SM_PACKAGELOADED = 2040;

class TVerbListItem;
// Applies an item's state to a component of a class.
using TAssignVerbProc = void (*)(TComponent* Component, TVerbListItem* Item);
// Registered in the class parameter registry ("AssignVerb", "AssignVerb.VerbProc").
void RegisterAssignVerbProc(TClass ComponentClass, TAssignVerbProc Proc);
TAssignVerbProc GetAssignVerbProc(TClass ComponentClass);

// One binding of a verb (by name) to a component.
class TVerbListItem : public Vivaridiriz::ZEZNamedItem {
  Z_CLASS(TVerbListItem, ZEZNamedItem)
public:
  explicit TVerbListItem(TCollection* ACollection) : ZEZNamedItem(ACollection) {}
  ~TVerbListItem() override;
  void BeforeDestruction() override;
  static void Publish(TMetaClass& Meta);
  std::string GetDisplayName() override;

  TComponent* VerbComp() const { return FVerbComp; }
  void SetVerbComp(TComponent* Value);
  const std::string& VerbName() const { return FVerbName; }
  void SetVerbName(const std::string& Value);  // stored trimmed
  // Resolves the verb and the assign procedure; only with both is the component touched.
  void UpdateVerbObject();
  void UpdateControl();
  // Runs the verb inside the environment's update bracket.
  void VerbOnClick(TObject* Sender);
  Dorazori::TVerbStates State() const { return FState; }
  bool Releasing() const { return FReleasing; }
  Integer Group() const { return FGroup; }
  void Unbind() {
    FVerbComp = nullptr;
    FAssign = nullptr;
  }

private:
  TComponent* Owner() const;
  TComponent* FVerbComp = nullptr;
  std::string FVerbName;
  Dorazori::TVerbGetStateProc FGetState = nullptr;
  Dorazori::TVerbExecuteProc FExecute = nullptr;
  TAssignVerbProc FAssign = nullptr;
  Integer FGroup = 0;
  Dorazori::TVerbStates FState;
  bool FStateApplied = false;
  bool FReleasing = false;
};

class TVerbList : public Dorazori::ZEZNamedItems {
  Z_CLASS(TVerbList, ZEZNamedItems)
public:
  explicit TVerbList(TComponent* AOwner) : ZEZNamedItems(AOwner, TVerbListItem::StaticClass()) {}
  TVerbListItem* Items(Integer Index) const { return static_cast<TVerbListItem*>(TCollection::Items(Index)); }
  TVerbListItem* Add() { return static_cast<TVerbListItem*>(TCollection::Add()); }
};

class TVerbDispatcher : public TComponent {
  Z_CLASS(TVerbDispatcher, TComponent)
public:
  explicit TVerbDispatcher(TComponent* AOwner);
  ~TVerbDispatcher() override;
  static void Publish(TMetaClass& Meta);
  void Dispatch(TMessage& Message) override;
  void UpdateControls();
  void UpdateVerbObjects(Integer DesignGroup);
  TVerbList* VerbList() const { return FVerbList.get(); }
  void SetVerbList(TVerbList* Value) { FVerbList->Assign(Value); }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  std::unique_ptr<TVerbList> FVerbList;
};

}  // namespace Dccommon
