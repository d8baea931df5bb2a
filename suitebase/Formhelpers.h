// The suite's routines for whole forms: window positions in the registry or an INI file, the editor window's
// maximised size, dialog fonts, finding forms, data modules and components by name, making forms of a class,
// owners, designer notices, option pages and module lists.
#pragma once

#include "platform/controls/DataModules.h"
#include "platform/controls/Forms.h"

#include <functional>
#include <string>
#include <vector>

namespace Dccommon {

// Positions: "Forms\" + Name below the suite's registry key holds "WinPos" (the 44-byte window placement) and,
// for a form, "WindowState". Only a control with a window is written; only a 44-byte value whose length field
// says 44 is read back.
void WriteWinPosToReg(TWinControl* Control, const std::string& Name);
void ReadWinPosFromReg(TWinControl* Control, const std::string& Name);
// The INI form: section Section + "WinPos" with Left, Top, Width, Height (and WindowState for a form).
void WriteWinPosToIni(TWinControl* Control, const std::string& Name, const std::string& FileName,
                      const std::string& Section);
void ReadWinPosFromIni(TWinControl* Control, const std::string& Name, const std::string& FileName,
                       const std::string& Section);
// Answers WM_GETMINMAXINFO for an editor window that maximises below MainForm (over the whole work area when
// there is no room below it or with Full); the smallest tracking size is 320 x 240.
void CalcEditorMinMaxInfo(TMessage& Message, TCustomForm* MainForm, bool Full);

extern bool UseOneFont;
extern TCustomForm* FMainForm;
// Gives a form the main form's font when UseOneFont and the form's ParentFont are on.
void SetFormFont(TCustomForm* Form);

int ScreenFormCount();
TCustomForm* ScreenForms(int Index);
TCustomForm* FindFormWithClass(TClass FormClass);
TCustomForm* FindOrCreateFormWithClass(TClass FormClass, TComponent* Owner);
// "Root" or "Root.Component" (split at the last dot): screen forms first, then data modules; names ignore case.
TComponent* GlobalFindObject(const std::string& Name);
bool FormIsActive(TCustomForm* Form);
inline constexpr UINT CM_DCBASE = 2025;
inline constexpr UINT CM_ISSUBFORM = 2042;  // a form answering non-zero is passed over by FormIsActive
inline constexpr UINT CM_POSTVALUE = 2035;  // in-place editors commit their text

// Forms and data modules of a class, made with their stored layout when they have one (owner none). A class
// that is not a form (data module) class gives a plain form (data module).
TCustomForm* CreateFormWithClass(TClass FormClass);
TDataModule* CreateDataModuleWithClass(TClass DataModuleClass);
// Fires OnCreate of a form or data module; an exception goes to the application's handler.
void CallCompOnCreate(TComponent* Component);
void SetDesign(TComponent* Component, bool Value);

// The form a control sits on (its parent chain), else the first form up the owner chain.
TCustomForm* GetPForm(TPersistent* Instance);
// The first data module up the owner chain, else GetPForm.
TComponent* GetTopOwner(TPersistent* Instance);

// What a form designer hears from the suite.
class IDesignerNotify {
public:
  virtual void Modified() = 0;

protected:
  ~IDesignerNotify() = default;
};
using TGetDesignerProc = std::function<IDesignerNotify*(TPersistent* Instance)>;
extern TGetDesignerProc GetDesignerProc;
void DesignerModified(TPersistent* Instance);
void DesignerSelectComponent(TComponent* Component);
void UpdateEditors(TWinControl* Control);

// Option pages of an options dialog, ordered by Order; a second page of an Order already there is not entered.
struct TOptionFormItem {
  Integer Order = 0;
  TClass FormClass = nullptr;
};
void RegisterOptionsFormOrder(TClass FormClass, Integer Order, const std::string& Caption);
void RegisterOptionsForm(TClass FormClass, const std::string& Caption);
void UnregisterOptionsForm(TClass FormClass);
const std::vector<TOptionFormItem>& OptionFormClasses();
TClass OptionFormClass(int Index);
TStrings* OptionFormCaptions();
std::string GetOptionsFormCaption(TClass FormClass);

// The extension without its dot equals Ext without its dot (case ignored).
bool CheckFileExt(const std::string& FileName, const std::string& Ext);
bool FileIsPackage(const std::string& FileName);  // "BPL" or "DPL"
// No package module is ever loaded here: the list is emptied.
void GetLoadedPackagesPaths(TStrings* Strings);

}  // namespace Dccommon
