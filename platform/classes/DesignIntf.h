// The class library's design-time registry: property editors by type, class and name, the standard editors of
// the type kinds, the property list of a selection, component editors, editor groups, the designer interfaces and
// the release procedure for custom modules.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/classes/DesignHooks.h"
#include "platform/classes/TypInfo.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TPropertyAttribute {
  paValueList,
  paSubProperties,
  paDialog,
  paMultiSelect,
  paAutoUpdate,
  paSortList,
  paReadOnly,
  paRevertable,
  paFullWidthName,
  paVolatileSubProperties,
  paVCL,
  paNotNestable
};
using TPropertyAttributes = TSet<TPropertyAttribute, paNotNestable>;

// A list of the objects a designer has selected; the objects are not owned.
using TDesignerSelections = std::vector<TPersistent*>;

// What a property editor asks of the designer of the form it edits. Every operation has a harmless answer here,
// so a designer overrides only what it provides.
class IFormDesigner {
public:
  virtual ~IFormDesigner() = default;
  // A property of the selection changed.
  virtual void Modified() {}
  // The form or module being designed.
  virtual TComponent* GetRoot() { return nullptr; }
  // The component of the root with that name (null when none).
  virtual TComponent* GetComponent(const std::string& Name);
  virtual std::string GetComponentName(TComponent* Component) { return Component ? Component->Name() : ""; }
  // Calls Proc with the name of every component of the root of the class (or a descendant).
  virtual void GetComponentNames(TClass Class, const std::function<void(const std::string&)>& Proc);
  virtual void GetSelections(TDesignerSelections& List) { (void)List; }
  virtual void SelectComponent(TPersistent* Instance) { (void)Instance; }
  virtual void SetSelections(const TDesignerSelections& List) { (void)List; }
  virtual bool IsDesigning() { return true; }
};
using IDesigner = IFormDesigner;

// Edits one property of one or more objects (the selection). The registry makes editors with their class's
// virtual constructor and then Initialize; the caller of GetComponentProperties owns them.
class TPropertyEditor : public TObject {
  Z_CLASS(TPropertyEditor, TObject)
public:
  TPropertyEditor() = default;
  void Initialize(IFormDesigner* ADesigner, int APropCount);
  // paRevertable here.
  virtual TPropertyAttributes GetAttributes();
  // The value as text ("(unknown)" here).
  virtual std::string GetValue();
  // Takes the value from text; raises EPropertyError (or the conversion's error) when it is not valid.
  virtual void SetValue(const std::string& Value);
  // The texts a value list offers.
  virtual void GetValues(const std::function<void(const std::string&)>& Proc);
  // The dialog of the property, where it has one.
  virtual void Edit();
  // The sub-property editors (of a class or set property); the receiver owns them.
  virtual void GetProperties(const std::function<void(TPropertyEditor*)>& Proc);
  virtual std::string GetName();
  // Whether every object of the selection has the same value (true for one object).
  virtual bool AllEqual();

  IFormDesigner* Designer() const { return FDesigner; }
  int PropCount() const { return static_cast<int>(FProps.size()); }
  PPropInfo GetPropInfo() const { return FProps.empty() ? nullptr : FProps[0].Info; }
  PTypeInfo GetPropType() const { return FProps.empty() ? nullptr : FProps[0].Info->PropType; }
  TPersistent* GetComponent(int Index) const { return FProps[static_cast<std::size_t>(Index)].Instance; }
  void SetPropEntry(int Index, TPersistent* Instance, PPropInfo Info);
  // Values of the first object; setters write every object of the selection and then call Modified.
  Int64 GetOrdValue() const;
  Int64 GetOrdValueAt(int Index) const;
  void SetOrdValue(Int64 Value);
  std::string GetStrValue() const;
  std::string GetStrValueAt(int Index) const;
  void SetStrValue(const std::string& Value);
  Extended GetFloatValue() const;
  void SetFloatValue(Extended Value);
  Variant GetVarValue() const;
  void SetVarValue(const Variant& Value);
  TMethod GetMethodValue() const;
  void Modified();

private:
  struct TEntry {
    TPersistent* Instance = nullptr;
    PPropInfo Info = nullptr;
  };
  IFormDesigner* FDesigner = nullptr;
  std::vector<TEntry> FProps;
};
using TPropertyEditorClass = TClass;
using TGetPropEditProc = std::function<void(TPropertyEditor*)>;

// The standard editors of the type kinds.
class TOrdinalProperty : public TPropertyEditor {
  Z_CLASS(TOrdinalProperty, TPropertyEditor)
public:
  bool AllEqual() override;
};
class TIntegerProperty : public TOrdinalProperty {
  Z_CLASS(TIntegerProperty, TOrdinalProperty)
public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  // Raises EPropertyError "Value must be between <min> and <max>" outside the type's range.
  void SetValue(const std::string& Value) override;
};
class TCharProperty : public TOrdinalProperty {
  Z_CLASS(TCharProperty, TOrdinalProperty)
public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;  // the character, or "#<code>" for a control character
  void SetValue(const std::string& Value) override;
};
class TEnumProperty : public TOrdinalProperty {
  Z_CLASS(TEnumProperty, TOrdinalProperty)
public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  // Raises EPropertyError "Invalid property value" for a name of no value.
  void SetValue(const std::string& Value) override;
  void GetValues(const std::function<void(const std::string&)>& Proc) override;
};
class TBoolProperty : public TEnumProperty {
  Z_CLASS(TBoolProperty, TEnumProperty)
};
class TInt64Property : public TPropertyEditor {
  Z_CLASS(TInt64Property, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override;
  bool AllEqual() override;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
};
class TFloatProperty : public TPropertyEditor {
  Z_CLASS(TFloatProperty, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override;
  bool AllEqual() override;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
};
class TStringProperty : public TPropertyEditor {
  Z_CLASS(TStringProperty, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override;
  bool AllEqual() override;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
};
// A set: "[a,b]", one sub-property per element.
class TSetProperty : public TOrdinalProperty {
  Z_CLASS(TSetProperty, TOrdinalProperty)
public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
  void GetProperties(const std::function<void(TPropertyEditor*)>& Proc) override;
};
// One element of a set property: "True" or "False".
class TSetElementProperty : public TPropertyEditor {
  Z_CLASS(TSetElementProperty, TPropertyEditor)
public:
  void SetElement(int Element) { FElement = Element; }
  TPropertyAttributes GetAttributes() override;
  std::string GetName() override;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
  void GetValues(const std::function<void(const std::string&)>& Proc) override;
  bool AllEqual() override;

private:
  int FElement = 0;
};
// An object: "(<class name>)", its published properties as sub-properties.
class TClassProperty : public TPropertyEditor {
  Z_CLASS(TClassProperty, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void GetProperties(const std::function<void(TPropertyEditor*)>& Proc) override;
};
// A reference to a component of the designed root, by name.
class TComponentProperty : public TPropertyEditor {
  Z_CLASS(TComponentProperty, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  // An empty name clears the reference; a name of no component raises EPropertyError "Invalid property value".
  void SetValue(const std::string& Value) override;
  void GetValues(const std::function<void(const std::string&)>& Proc) override;
};
// An event: the handler's method name.
class TMethodProperty : public TPropertyEditor {
  Z_CLASS(TMethodProperty, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override;
  bool AllEqual() override;
  std::string GetValue() override;
};
class TVariantProperty : public TPropertyEditor {
  Z_CLASS(TVariantProperty, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
};

// Registers an editor for properties of PropertyType, of objects of ComponentClass (null: any) and named
// PropertyName (empty: any). The closest match wins: an exact type before an ancestor class type, a component
// class before none and a descendant before its ancestor, a name before none; among equals the latest.
void RegisterPropertyEditor(PTypeInfo PropertyType, TClass ComponentClass, const std::string& PropertyName,
                            TPropertyEditorClass EditorClass);
// The editor class for a property of an object: the registered one, else the standard editor of its kind.
TPropertyEditorClass GetEditorClass(PPropInfo PropInfo, TClass ObjectClass);
// Makes an editor for the property of each object (first object's property; the others share it by name and
// type) and calls Proc with it for the properties of the kinds in Filter that every object has and, with
// several objects, whose editors allow a multiple selection. Proc owns the editors.
void GetComponentProperties(const TDesignerSelections& Components, const TTypeKinds& Filter, IFormDesigner* Designer,
                            const TGetPropEditProc& Proc);

// Edits a component as a whole: its verbs (a designer's context menu) and its double-click action.
class TComponentEditor : public TObject {
  Z_CLASS(TComponentEditor, TObject)
public:
  TComponentEditor() = default;
  void Initialize(TComponent* AComponent, IFormDesigner* ADesigner);
  virtual int GetVerbCount() { return 0; }
  virtual std::string GetVerb(int Index) {
    (void)Index;
    return {};
  }
  virtual void ExecuteVerb(int Index) { (void)Index; }
  // The double-click action: the first verb, when there is one.
  virtual void Edit();
  virtual void Copy() {}
  TComponent* Component() const { return FComponent; }
  IFormDesigner* Designer() const { return FDesigner; }

private:
  TComponent* FComponent = nullptr;
  IFormDesigner* FDesigner = nullptr;
};
// The editor of components that have none of their own.
class TDefaultEditor : public TComponentEditor {
  Z_CLASS(TDefaultEditor, TComponentEditor)
};
using TComponentEditorClass = TClass;

void RegisterComponentEditor(TClass ComponentClass, TComponentEditorClass EditorClass);
// A new editor for the component (the most derived registered class, else TDefaultEditor); the caller owns it.
std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* Component, IFormDesigner* Designer);

// Editor groups: registrations are made into the current group (CurrentGroup); freeing a group removes them.
int NewEditorGroup();
void FreeEditorGroup(int Group);
// The number of property and component editor registrations (for tests and diagnostics).
int PropertyEditorCount();
int ComponentEditorCount();

// Called as a custom module (a designed form or module) is released; null when nobody listens.
using TReleaseCustomModuleProc = void (*)(TObject* Module);
extern TReleaseCustomModuleProc ReleaseCustomModuleProc;
// Called when a design package registers actions; null when nobody listens.
using TRegisterActionsProc = void (*)(const std::string& Category, const std::vector<TClass>& ActionClasses,
                                      TClass Resource);
extern TRegisterActionsProc RegisterActionsProc;
