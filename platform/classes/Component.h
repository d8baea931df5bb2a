// TComponent: named objects that own other components, hear about insertions and removals, and stream.
#pragma once

#include "platform/classes/Persistent.h"
#include "platform/rtl/Sets.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TComponent;

enum TOperation { opInsert, opRemove };

enum TComponentStateItem {
  csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups,
  csFreeNotification, csInline, csDesignInstance
};
using TComponentState = TSet<TComponentStateItem, csDesignInstance>;

enum TComponentStyleItem { csInheritable, csCheckPropAvail, csSubComponent };
using TComponentStyle = TSet<TComponentStyleItem, csSubComponent>;

using TComponentName = std::string;
using TComponentClass = TClass;
// Receives each child in turn (GetChildren).
using TGetChildProc = std::function<void(TComponent* Child)>;

// A component belongs to its Owner, which frees it; it owns the components created with it as their owner.
// Names are unique (case-insensitively) among an owner's components. A component can also ask another,
// anywhere, to tell it before it goes (FreeNotification); the link is kept in both directions and removed
// by whichever side goes first.
//
// Construction: the constructor puts the component into its owner's list at once; the owner's components
// hear Notification(opInsert) from AfterConstruction, when the new component is whole (the virtual
// constructor calls it; code that creates a component with `new` calls AfterConstruction when the
// insertion must be announced).
// Destruction (`delete`): BeforeDestruction runs the class library's teardown while the object is whole:
// Destroying (csDestroying here and in every owned component), Notification(this, opRemove) to the
// free-notified components (last first), the owned components freed (last first), then removal from the
// owner (whose components all hear opRemove). Descendants whose cleanup needs their owned components do it
// in BeforeDestruction before calling the inherited one; their destructors run after it.
class TComponent : public TPersistent {
  Z_CLASS(TComponent, TPersistent)
  friend class TFiler;
  friend class TReader;
  friend class TWriter;

public:
  using TConstructorArg = TComponent*;
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  void AfterConstruction() override;
  void BeforeDestruction() override;

  void DestroyComponents();              // frees every owned component, last first
  void Destroying();                     // marks this and the owned components csDestroying
  TComponent* FindComponent(const std::string& AName) const;  // case-insensitive; null when absent
  // Asks AComponent to send Notification(AComponent, opRemove) to this one when it goes.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);
  // Points a reference field at Value, moving this component's free notification from the old target to the new
  // one (so that Notification(opRemove) can clear the field when the target goes).
  template <class T> void ReplaceFreeNotified(T*& Field, T* Value) {
    if (Field != nullptr) {
      Field->RemoveFreeNotification(this);
    }
    Field = Value;
    if (Value != nullptr) {
      Value->FreeNotification(this);
    }
  }
  virtual TComponent* GetParentComponent();  // none here
  virtual bool HasParent();                  // false here
  std::string GetNamePath() override;        // the name
  void InsertComponent(TComponent* AComponent);  // takes ownership; notifies
  void RemoveComponent(TComponent* AComponent);  // gives ownership up; notifies

  TComponent* Components(Integer Index) const;   // out of range raises EListError
  Integer ComponentCount() const { return static_cast<Integer>(FComponents.size()); }
  Integer ComponentIndex() const;                // -1 without an owner
  void SetComponentIndex(Integer Value);         // clamped to the owner's list
  TComponentState ComponentState() const { return FComponentState; }
  TComponentStyle ComponentStyle() const { return FComponentStyle; }
  LongInt DesignInfo() const { return FDesignInfo; }
  void SetDesignInfo(LongInt Value) { FDesignInfo = Value; }
  TComponent* Owner() const { return FOwner; }
  const TComponentName& Name() const { return FName; }
  // Renames; an invalid identifier raises EComponentError SInvalidName, a name another component of the
  // owner has raises SDuplicateName. "" is allowed.
  virtual void SetName(const TComponentName& NewName);
  NativeInt Tag() const { return FTag; }
  void SetTag(NativeInt Value) { FTag = Value; }

  // Declares the published properties Name (not stored: the stream's header carries it) and Tag.
  static void Publish(TMetaClass& Meta);

protected:
  void ChangeName(const TComponentName& NewName);
  // Points the owner's published field of this component's name at this component (or clears it).
  void SetReference(bool Enable);
  // Streams the design position (Left, Top); defined by the streaming unit.
  void DefineProperties(TFiler* Filer) override;
  virtual void GetChildren(TGetChildProc Proc, TComponent* Root);  // nothing here
  virtual TComponent* GetChildOwner();   // null here
  virtual TComponent* GetChildParent();  // null here
  TPersistent* GetOwner() override;
  virtual void Loaded();                 // clears csLoading
  // Told about every component inserted into or removed from the owner, and about free-notified ones.
  // The base drops a removed component from the free-notification links and passes the call on to every
  // owned component.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void ReadState(TReader* Reader);   // defined by the streaming unit
  virtual void WriteState(TWriter* Writer);  // defined by the streaming unit
  void SetAncestor(bool Value);              // csAncestor here and in the owned components
  void SetDesigning(bool Value, bool SetChildren = true);
  void SetInline(bool Value);
  void SetDesignInstance(bool Value);
  virtual void SetChildOrder(TComponent* Child, Integer Order);  // nothing here
  virtual void SetParentComponent(TComponent* Value);            // nothing here
  virtual void Updating();   // sets csUpdating
  virtual void Updated();    // clears csUpdating
  // Raises SDuplicateName when another of this component's components is already called NewName.
  virtual void ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName);
  virtual void ValidateContainer(TComponent* AComponent);  // asks AComponent->ValidateInsert(this)
  virtual void ValidateInsert(TComponent* AComponent);     // nothing here

  TComponentState FComponentState;
  TComponentStyle FComponentStyle{csInheritable};

private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void RemoveNotification(TComponent* AComponent);
  void TearDown();

  TComponent* FOwner = nullptr;
  TComponentName FName;
  NativeInt FTag = 0;
  LongInt FDesignInfo = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  bool FInsertPending = false;
};

// "<BaseName><N>" with the smallest N >= 1 that no component of Owner is called (case-insensitively):
// "Button1", "Button2"... A null Owner gives "<BaseName>1".
std::string UniqueComponentName(TComponent* Owner, std::string_view BaseName);
