// The bases of the code editor's line colouring engines and script code designers, and the registry that maps a
// script file extension to a code designer class.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/classes/MethodTypeInfo.h"
#include "platform/graphics/Colors.h"
#include "suitebase/Notifiers.h"

#include <string>
#include <vector>

class TFont;

namespace Dorazori {

// The class library's error for an operation a class declares and leaves to its descendants.
Z_EXCEPTION(EAbstractError, Exception)
inline constexpr const char* SAbstractError = "Abstract Error";
[[noreturn]] void AbstractError();

// The base of every line colouring engine: it turns a line into colour data (one style byte per character) and
// tells its change listeners when it changes and when it goes.
class TSimpleParser : public TComponent {
  Z_CLASS(TSimpleParser, TComponent)
public:
  explicit TSimpleParser(TComponent* AOwner);
  ~TSimpleParser() override;

  virtual void UpdateLinePos(Integer Value) { CurrentLine = Value; }
  virtual TFont* GetFont(Integer Index);                    // none: the control's font
  virtual bool GetBackColor(Integer Index, TColor& Color);  // false, Color untouched
  // Colours S into ColorData starting in State (the state the previous line ended in); returns the state at the
  // end of the line.
  virtual Integer ColorString(const std::string& S, Integer State, std::string& ColorData) = 0;
  virtual bool StoreColorData();  // false
  // ColorData becomes as long as S, all style 0.
  virtual void PrepareColorData(Integer Index, const std::string& S, std::string& ColorData);

  // Holds Method once (an equal one moves to the end). A method bound to a component is dropped when that
  // component goes, and the component hears Notification(this, opRemove) once when this parser goes (through
  // the free-notification link, which the component teardown drops before the call).
  void RegisterNotifier(const TNotifierProc& Method);
  void UnRegisterNotifier(const TNotifierProc& Method);

  TNotifierList* ChangeListeners = nullptr;
  Integer CurrentLine = 0;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};

enum TMethodState { msEmpty, msNotPresent, msOk };

class TCodeDesigner;
using TShowSourceEvent = std::function<void(TObject* Sender, Integer x, Integer y)>;

// The base of the script code designers, which keep the event handlers of a designed module in a script's
// source. Operations without a body here raise EAbstractError.
class TCodeDesigner : public TComponent {
  Z_CLASS(TCodeDesigner, TComponent)
public:
  explicit TCodeDesigner(TComponent* AOwner) : TComponent(AOwner) {}
  static void Publish(TMetaClass& Meta);

  virtual void SetStrings(TStrings* Value);
  virtual TStrings* GetStrings();
  virtual void ShowSource(Integer x, Integer y);  // OnShowSource when assigned
  virtual TClass GetSyntaxParserClass();          // none
  virtual void CreateMethod(const std::string& Name, PTypeData TypeData);
  virtual void ShowMethod(const std::string& Name);
  virtual void RenameMethod(const std::string& OldName, const std::string& NewName);
  virtual void DeleteMethod(const std::string& Name);
  virtual void DeleteEmptyMethods();
  virtual void GetMethods(PTypeData TypeData, TStrings* List);
  virtual bool MethodExists(const std::string& Name);
  virtual void InsertComponent(TComponent* Component, const std::string& Name);
  virtual void DeleteComponent(TComponent* Component);
  virtual void RenameComponent(TComponent* Component, const std::string& NewName);
  virtual bool ValidIdentifier(const std::string& Name);
  virtual TMethodState GetMethodState(const std::string& Name);
  virtual void GetUsedUnits(TStrings* List, bool Flag);
  virtual void UseUnits(TStrings* List, bool Flag);
  virtual bool AutoFillUses();                                                        // false
  virtual void RenameModule(const std::string& OldName, const std::string& NewName);  // nothing
  virtual void FillWithTemplate(const std::string& Name, bool Flag);
  virtual std::string TypeToString(Integer Index);
  virtual std::string GetDelimiters();  // "/{}+-*():=,;><$.#[]^@&~|%'"

  TComponent* DesignedModule = nullptr;
  const TShowSourceEvent& OnShowSource() const { return FOnShowSource; }
  void SetOnShowSource(TShowSourceEvent Value) { FOnShowSource = std::move(Value); }

private:
  TShowSourceEvent FOnShowSource;
};

// The code designer registry: classes by script extension (given without a dot), for unit or form scripts.
// A class may be registered several times.
void RegisterUnitCodeDesigner(TClass DesignerClass, const std::string& Extension);
void RegisterFormCodeDesigner(TClass DesignerClass, const std::string& Extension);
// The first registration, in registration order, of a TCodeDesigner descendant for that kind whose extension
// equals Extension with its dots removed (ASCII case ignored); null when none.
TClass GetCodeDesignerClass(const std::string& Extension, bool ForUnit);
TClass GetUnitCodeDesignerClass(const std::string& Extension);
TClass GetFormCodeDesignerClass(const std::string& Extension);

}  // namespace Dorazori
