// The suite's run-time form designer (TFDesigner): a selection, name and method services from its owner
// component, change reports to the suite's notifiers; finding and running property editors by name; and the
// registry of callbacks that hear about changed properties.
#pragma once

#include "platform/classes/DesignIntf.h"
#include "platform/controls/Controls.h"
#include "platform/controls/Forms.h"
#include "suitebase/Formhelpers.h"

#include <string>
#include <vector>

namespace Zodir {

inline constexpr UINT SM_COMPONENTRENAMING = 2025;  // WParam: the component; LParam: the new name (const char*)
inline constexpr UINT SM_DESIGNERMODIFIED = 2026;   // WParam: the modified objects (TList*)
inline constexpr UINT SM_OBJECTINSERTED = 2031;     // WParam: the object
inline constexpr UINT SM_SELECTIONCHANGED = 2036;   // WParam: the selection (TList*); LParam: the designer

// A designer for use at run time. It draws nothing: it keeps a selection and answers from its owner control.
// Reference-counted: temporary designers end with their last reference; every live one is in DesignerList().
class TFDesigner : public TInterfacedObject, public IFormDesigner, public Dccommon::IDesignerNotify {
public:
  TFDesigner();
  ~TFDesigner() override;
  TFDesigner(const TFDesigner&) = delete;
  TFDesigner& operator=(const TFDesigner&) = delete;

  void SetOwnerControl(TComponent* Value) { FOwnerControl = Value; }
  // The owner control, or the custom form when there is none.
  virtual TComponent* GetOwnerControl();
  TComponent* GetRoot() override { return GetOwnerControl(); }
  void SetCustomForm(TCustomForm* Value) { FCustomForm = Value; }
  TCustomForm* GetCustomForm() const { return FCustomForm; }
  std::string GetRootClassName();
  // Raises EPropertyError "Invalid property value" for a control that takes no child controls.
  void SetLimitControl(TWinControl* Control);
  TWinControl* GetLimitControl() const { return FLimitControl; }

  TList* GetSelection() { return &FSelection; }
  bool IsSelected(TPersistent* Obj) const;
  void SelectComponent(TPersistent* Obj) override;
  void DeselectComponent(TPersistent* Obj);
  void GetSelections(TDesignerSelections& List) override;
  void SetSelections(const TDesignerSelections& List) override;
  // Drops null entries; an empty selection without a limit control takes the owner control.
  void ValidateSelection();
  void SelectionChanged();
  void Modified() override;
  // An inserted object whose top owner is the owner control is reported.
  void Notification(TPersistent* Obj, TOperation Operation);
  void ValidateRename(TComponent* Component, const std::string& CurrentName, const std::string& NewName);

  std::string UniqueName(const std::string& Base);
  void GetComponentNames(TClass Class, const std::function<void(const std::string&)>& Proc) override;
  // "Form.Component" through the global lookup; the owner control by its own name; else its component.
  TComponent* GetComponent(const std::string& Name) override;
  std::string GetComponentName(TComponent* Component) override;
  // The published method of that name of the owner control's class, bound to it (empty when none).
  TMethod CreateMethod(const std::string& Name);
  std::string GetMethodName(const TMethod& Method);
  bool MethodExists(const std::string& Name);
  virtual bool InUpdate() { return false; }
  virtual bool CanBeSelected(TPersistent* Obj) {
    (void)Obj;
    return true;
  }

private:
  TList FSelection;
  TComponent* FOwnerControl = nullptr;
  TCustomForm* FCustomForm = nullptr;
  TWinControl* FLimitControl = nullptr;
};

// Every live run-time designer.
std::vector<TFDesigner*>& DesignerList();
// The designer of the form Obj lies on (or of its top owner), null when none.
TFDesigner* GetFormDesigner(TPersistent* Obj);

// The editor of the property at Path ("Font.Name") of Instance, or null; SetEditor receives a set property's
// editor met on the way (else null). The caller owns both.
TPropertyEditor* GetPropertyEditor(TPersistent* Instance, const std::string& Path, TPropertyEditor*& SetEditor);
// Runs the edit action (a dialog) of the named property's editor; nothing for a null instance or no such property.
void CallPropertyEditor(TPersistent* Instance, const std::string& Name);

// A callback that hears which objects changed; registrations are told apart by instance and procedure.
using TPropChangesProc = void (*)(TObject* Self, TList* Modified);
struct TPropChangesMethod {
  TPropChangesProc Code = nullptr;
  TObject* Data = nullptr;
  friend bool operator==(const TPropChangesMethod&, const TPropChangesMethod&) = default;
};
void RegisterPropChangesNotifier(TPersistent* Instance, const TPropChangesMethod& Proc);
// Removes the registration whose instance and procedure both match.
void UnRegisterPropChangesNotifier(TPersistent* Instance, const TPropChangesMethod& Proc);
// Calls every registration whose instance is in the list once, in the order of registration.
void NotifyPropChanges(TList* Modified);
int PropChangesNotifierCount();
// Makes the receiver that passes the designers' modification notices to the registrations; the other frees it
// and every registration.
void InitPropChanges();
void DonePropChanges();

}  // namespace Zodir
