// The suite's component verbs (visual properties and component actions) kept by the application object, the
// component editor that shows them, the action bound to a named verb, and the suite's small property editors.
#pragma once

#include "platform/classes/DesignIntf.h"
#include "platform/controls/ActnList.h"
#include "platform/controls/DesignEditors.h"
#include "suitebase/Classparams.h"
#include "suitebase/Designreg.h"

#include <functional>
#include <memory>
#include <string>

namespace Zodir {

using TComponentActionProc = std::function<void(TComponent* Component)>;

// One verb: a visual property (its editor opens) or a component action (a procedure runs with the component).
class TActionListItem : public Dorazori::TPackagedCollectionItem {
  Z_CLASS(TActionListItem, Dorazori::TPackagedCollectionItem)
public:
  explicit TActionListItem(TCollection* ACollection) : Dorazori::TPackagedCollectionItem(ACollection) {}
  std::string Caption;
  TClass ObjClass = nullptr;  // null: every class
  TComponentActionProc ActionProc;
  std::string PropName;
  bool IsAction = false;
};

// The verbs in registration order; a component's verbs are the items of its class, its ancestors' and null.
class TActionsList : public Dorazori::TPackagedCollection {
  Z_CLASS(TActionsList, Dorazori::TPackagedCollection)
public:
  TActionsList();
  int GetVerbCount(TComponent* Component) const;
  TActionListItem* GetActionItem(TComponent* Component, int N) const;
  std::string GetVerb(TComponent* Component, int N) const;
  void ExecuteVerb(TComponent* Component, int N) const;
};

// The suite's application object: one, from the suite's initialisation to its finalisation.
class ZEZApplication : public TObject {
  Z_CLASS(ZEZApplication, TObject)
public:
  ZEZApplication();
  ~ZEZApplication() override;
  ZEZApplication(const ZEZApplication&) = delete;
  ZEZApplication& operator=(const ZEZApplication&) = delete;
  // Made on first use.
  TActionsList* GetActionList();

private:
  std::unique_ptr<TActionsList> FActionList;
};
extern ZEZApplication* App;
// Raised while the standard property editors are being registered.
extern int DCRegisteringStdProps;
extern bool HideEventsInInspector;
extern bool ToolFormsOnTop;
// Whether the standard property editors were already registered (as inside a development environment).
bool StandardEditorsPresent();
// Registers the class library's standard property editors, the variant editors and the font-size editor.
void RegisterStandardEditors();
// Frees every property-editor group from -1 up to the current group.
void FreePropEditors();
// The component-name builder: "Form1: TForm1" for a designed form, "Button1: TButton" for others.
std::string BuildComponentName(TPersistent* Instance, const std::string& Name);
// The suite's start-up and shut-down of its design services (the unit's initialisation and finalisation).
void InitializeZodir();
void FinalizeZodir();

// Append a verb to App's list (nothing without App).
void RegisterVisualProperty(const std::string& Caption, TClass ObjClass, const std::string& PropName);
void RegisterComponentAction(const std::string& Caption, TClass ObjClass, const TComponentActionProc& ActionProc);

// A component editor whose verbs are App's verbs for its component.
class TActionEditor : public TComponentEditor {
  Z_CLASS(TActionEditor, TComponentEditor)
public:
  int GetVerbCount() override;
  std::string GetVerb(int Index) override;
  void ExecuteVerb(int Index) override;
};

// An action bound to a named verb of the verb registry: its state comes from the verb's state procedure, and
// executing it runs the verb inside the update bracket.
class TDCIDEAction : public TCustomAction {
  Z_CLASS(TDCIDEAction, TCustomAction)
public:
  explicit TDCIDEAction(TComponent* AOwner);
  static void Publish(TMetaClass& Meta);
  const std::string& VerbName() const { return FVerbName; }
  void SetVerbName(const std::string& Value);  // stored trimmed
  void UpdateVerbObject();
  // False without the verb's procedure.
  bool Execute() override;
  bool Update() override;

private:
  std::string FVerbName;
  Dorazori::TVerbGetStateProc FUpdateProc = nullptr;
  Dorazori::TVerbExecuteProc FExecuteProc = nullptr;
};

// A file name, chosen in the open-file dialog.
class TFileNameEdit : public TStringProperty {
  Z_CLASS(TFileNameEdit, TStringProperty)
public:
  TPropertyAttributes GetAttributes() override;
  void Edit() override;
  virtual std::string GetDefaultExtension() { return {}; }
  virtual std::string GetFilter();
};

// The usual font sizes as values.
class TFontSizePropEdit : public TIntegerProperty {
  Z_CLASS(TFontSizePropEdit, TIntegerProperty)
public:
  TPropertyAttributes GetAttributes() override;
  void GetValues(const std::function<void(const std::string&)>& Proc) override;
};
// Only fixed-pitch fonts: others are refused with "Only monospaced fonts can be used".
class TMonoSpaceFontNamesProperty : public TFontNameProperty {
  Z_CLASS(TMonoSpaceFontNamesProperty, TFontNameProperty)
public:
  void GetValues(const std::function<void(const std::string&)>& Proc) override;
  void SetValue(const std::string& Value) override;
};
// A folder, chosen in the folder dialog "Select Directory".
class TDirectoryProperty : public TStringProperty {
  Z_CLASS(TDirectoryProperty, TStringProperty)
public:
  TPropertyAttributes GetAttributes() override;
  void Edit() override;
};
// A font without its dialog.
class TMonoFontProperty : public TFontProperty {
  Z_CLASS(TMonoFontProperty, TFontProperty)
public:
  TPropertyAttributes GetAttributes() override;
  void Edit() override {}
};
// A computer's name, chosen in the computer browser.
class TComputerNameProperty : public TStringProperty {
  Z_CLASS(TComputerNameProperty, TStringProperty)
public:
  TPropertyAttributes GetAttributes() override;
  void Edit() override;
};

}  // namespace Zodir
