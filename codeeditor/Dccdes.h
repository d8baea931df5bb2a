// The script code designers: event-handler methods kept in a script's source for a designed module, read with the
// language tokenizers. Script languages (VBScript, Basic, JavaScript, Perl, Python) in Dccdesscript.cpp, Object
// Pascal units in Dccdesdelphi.cpp, the common scanning in Dccdes.cpp.
#pragma once

#include "codeeditor/Dclanguages.h"
#include "suitebase/Dorazori.h"

#include <functional>
#include <memory>
#include <string>

namespace Dccdes {

using Dorazori::TMethodState;
using TGetMethodCodeProc = std::function<void(TObject* Sender, const std::string& MethodName, TStrings* MethodCode)>;

// The common scanning of the designers: owns one tokenizer of GetSyntaxParserClass; the script lines belong to
// the caller (or to Link). Every operation reads the current lines afresh.
class TStringsCodeDesigner : public Dorazori::TCodeDesigner {
  Z_CLASS(TStringsCodeDesigner, Dorazori::TCodeDesigner)
public:
  explicit TStringsCodeDesigner(TComponent* AOwner);
  ~TStringsCodeDesigner() override;
  static void Publish(TMetaClass& Meta);

  // ---- the base's operations ----
  void SetStrings(TStrings* Value) override { FStrings = Value; }
  TStrings* GetStrings() override { return FStrings; }
  void CreateMethod(const std::string& Name, PTypeData TypeData) override;
  void ShowMethod(const std::string& Name) override;
  void RenameMethod(const std::string& OldName, const std::string& NewName) override;
  void DeleteMethod(const std::string& Name) override;
  void DeleteEmptyMethods() override;
  void GetMethods(PTypeData TypeData, TStrings* List) override;
  bool MethodExists(const std::string& Name) override;
  void InsertComponent(TComponent* Component, const std::string& Name) override;
  void DeleteComponent(TComponent* Component) override;
  void RenameComponent(TComponent* Component, const std::string& NewName) override;
  bool ValidIdentifier(const std::string& Name) override;
  TMethodState GetMethodState(const std::string& Name) override;
  void GetUsedUnits(TStrings* List, bool Flag) override;
  void UseUnits(TStrings* List, bool Flag) override;
  void FillWithTemplate(const std::string& Name, bool Flag) override;

  // ---- the designers' own operations ----
  // From just after a method's start keyword: the point after its end (x the scan column, y the line); true when
  // its body holds no token.
  virtual bool GetMethodEnd(TPoint& Point);
  virtual bool FindMethod(const std::string& Name, TPoint& Point);       // the name's point
  virtual bool FindMethodStart(const std::string& Name, TPoint& Point);  // (keyword column + 1, line)
  virtual std::string ScanMethodName();                                  // the next non-comment token
  virtual bool IsMethodStart() = 0;
  virtual bool IsEqualDeclaration(PTypeData TypeData) = 0;
  virtual TPoint GetMethodStart(TPoint HeaderPoint) = 0;
  virtual std::string GetComment() = 0;
  virtual void GetMethodTemplate(const std::string& Name, PTypeData TypeData, TStrings* Lines);
  virtual bool IsBlockBegin() = 0;
  virtual Integer IsBlockEnd() = 0;  // 0 goes on, 1 closes a block, 2 ends the method
  virtual bool DoDeleteEmptyMethods();
  virtual std::string GetUseUnitString();
  virtual bool IdentsEqual(const std::string& A, const std::string& B);

  Dcparser::TStringsParser* GetSyntaxParser();  // the tokenizer (none for a designer without one)
  Dcparser::TStringsParser* GetParser();        // the tokenizer reset on the current lines; none without lines
  std::string GetMethodName();                  // the current token's text
  bool ScanForMethodStart();                    // reads on to the next method start keyword
  bool IsMethodEmpty();                         // GetMethodEnd without moving
  void FilterUsedUnits(TStrings* Wanted, TStrings* Result, bool Flag);
  void RefreshStrings();

  TPersistent* Link() const { return FLink; }
  void SetLink(TPersistent* Value);
  const std::string& PropName() const { return FPropName; }
  void SetPropName(const std::string& Value);
  const std::string& Version() const { return FVersion; }
  void SetVersion(const std::string& Value) { (void)Value; }
  const TGetMethodCodeProc& OnGetMethodCode() const { return FOnGetMethodCode; }
  void SetOnGetMethodCode(TGetMethodCodeProc Value) { FOnGetMethodCode = std::move(Value); }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Resets the tokenizer on the lines where method searches start; false without lines or tokenizer.
  virtual bool StartScan();
  // Deletes the text from Start (1-based column) to End (0-based end column) as DeleteMethod does.
  void DeleteRange(TPoint Start, TPoint End);
  // The first empty method from the current scan position on, deleted at its own place; false when none.
  // ResumeLine: where the scan goes on.
  bool DeleteNextEmptyMethod(Integer& ResumeLine);
  // Deletes a method found at Start..End; returns the number of lines deleted above Start.
  virtual Integer DeleteFoundMethod(const std::string& Name, TPoint Start, TPoint End);
  bool TokenIs(const char* Text, bool IgnoreCase) const;
  bool FirstOnItsLine() const;

  TStrings* FStrings = nullptr;

private:
  std::unique_ptr<Dcparser::TStringsParser> FParser;
  bool FParserMade = false;
  TPersistent* FLink = nullptr;
  std::string FPropName;
  std::string FVersion = "4.11";
  TGetMethodCodeProc FOnGetMethodCode;
};

// Script languages: headers written from the event's parameter names.
class TScriptCodeDesigner : public TStringsCodeDesigner {
  Z_CLASS(TScriptCodeDesigner, TStringsCodeDesigner)
public:
  using TStringsCodeDesigner::TStringsCodeDesigner;
  virtual bool AlwaysUseBrackets() { return false; }
  // The header ("types only" gives the parameter types as the source declares them, for comparisons).
  virtual void CreateEventName(const std::string& Name, PTypeData TypeData, std::string& Text, bool TypesOnly);
  virtual std::string GetFuncName(PTypeData TypeData) = 0;
  bool IsEqualDeclaration(PTypeData TypeData) override;
};

class TVbsCodeDesigner : public TScriptCodeDesigner {
  Z_CLASS(TVbsCodeDesigner, TScriptCodeDesigner)
public:
  using TScriptCodeDesigner::TScriptCodeDesigner;
  TClass GetSyntaxParserClass() override { return Dcparser::TVBScriptParser::StaticClass(); }
  bool IsMethodStart() override;
  TPoint GetMethodStart(TPoint HeaderPoint) override { return {0, HeaderPoint.Y + 1}; }
  std::string GetComment() override { return "'"; }
  void GetMethodTemplate(const std::string& Name, PTypeData TypeData, TStrings* Lines) override;
  bool IsBlockBegin() override { return true; }
  Integer IsBlockEnd() override;
  bool GetMethodEnd(TPoint& Point) override;
  bool IdentsEqual(const std::string& A, const std::string& B) override;
  std::string GetFuncName(PTypeData TypeData) override;
  std::string TypeToString(Integer Index) override;
};

class TBasicCodeDesigner : public TVbsCodeDesigner {
  Z_CLASS(TBasicCodeDesigner, TVbsCodeDesigner)
public:
  using TVbsCodeDesigner::TVbsCodeDesigner;
  bool AlwaysUseBrackets() override { return true; }
  void CreateEventName(const std::string& Name, PTypeData TypeData, std::string& Text, bool TypesOnly) override;
  bool IsEqualDeclaration(PTypeData TypeData) override;
};

class TJsCodeDesigner : public TScriptCodeDesigner {
  Z_CLASS(TJsCodeDesigner, TScriptCodeDesigner)
public:
  using TScriptCodeDesigner::TScriptCodeDesigner;
  TClass GetSyntaxParserClass() override { return Dcparser::TJavaScriptParser::StaticClass(); }
  bool AlwaysUseBrackets() override { return true; }
  bool IsMethodStart() override { return TokenIs("function", false); }
  TPoint GetMethodStart(TPoint HeaderPoint) override { return {0, HeaderPoint.Y + 2}; }
  std::string GetComment() override { return "//"; }
  void GetMethodTemplate(const std::string& Name, PTypeData TypeData, TStrings* Lines) override;
  bool IsBlockBegin() override { return TokenIs("{", false); }
  Integer IsBlockEnd() override { return TokenIs("}", false) ? 1 : 0; }
  std::string GetFuncName(PTypeData TypeData) override;
};

class TPerlCodeDesigner : public TJsCodeDesigner {
  Z_CLASS(TPerlCodeDesigner, TJsCodeDesigner)
public:
  using TJsCodeDesigner::TJsCodeDesigner;
  TClass GetSyntaxParserClass() override { return Dcparser::TPerlParser::StaticClass(); }
  bool IsMethodStart() override { return TokenIs("sub", false); }
  std::string GetComment() override { return "#"; }
  void CreateEventName(const std::string& Name, PTypeData TypeData, std::string& Text, bool TypesOnly) override;
  bool IsEqualDeclaration(PTypeData TypeData) override;
  std::string GetFuncName(PTypeData TypeData) override;
};

class TPythonCodeDesigner : public TScriptCodeDesigner {
  Z_CLASS(TPythonCodeDesigner, TScriptCodeDesigner)
public:
  using TScriptCodeDesigner::TScriptCodeDesigner;
  TClass GetSyntaxParserClass() override { return Dcparser::TPythonParser::StaticClass(); }
  bool IsMethodStart() override { return TokenIs("def", true); }
  TPoint GetMethodStart(TPoint HeaderPoint) override { return {0, HeaderPoint.Y + 1}; }
  std::string GetComment() override { return "#"; }
  void GetMethodTemplate(const std::string& Name, PTypeData TypeData, TStrings* Lines) override;
  bool IsBlockBegin() override { return true; }
  Integer IsBlockEnd() override;
  bool IdentsEqual(const std::string& A, const std::string& B) override;
  std::string GetFuncName(PTypeData TypeData) override;
};

// Only a tokenizer; the method operations raise EAbstractError.
class TSqlCodeDesigner : public TStringsCodeDesigner {
  Z_CLASS(TSqlCodeDesigner, TStringsCodeDesigner)
public:
  using TStringsCodeDesigner::TStringsCodeDesigner;
  TClass GetSyntaxParserClass() override { return Dcparser::TSqlParser::StaticClass(); }
  void CreateMethod(const std::string&, PTypeData) override { Dorazori::AbstractError(); }
  void ShowMethod(const std::string&) override { Dorazori::AbstractError(); }
  void RenameMethod(const std::string&, const std::string&) override { Dorazori::AbstractError(); }
  void DeleteMethod(const std::string&) override { Dorazori::AbstractError(); }
  void DeleteEmptyMethods() override { Dorazori::AbstractError(); }
  void GetMethods(PTypeData, TStrings*) override { Dorazori::AbstractError(); }
  bool MethodExists(const std::string&) override { Dorazori::AbstractError(); }
  TMethodState GetMethodState(const std::string&) override { Dorazori::AbstractError(); }
  bool IsMethodStart() override { Dorazori::AbstractError(); }
  bool IsEqualDeclaration(PTypeData) override { Dorazori::AbstractError(); }
  TPoint GetMethodStart(TPoint) override { Dorazori::AbstractError(); }
  std::string GetComment() override { Dorazori::AbstractError(); }
  bool IsBlockBegin() override { Dorazori::AbstractError(); }
  Integer IsBlockEnd() override { Dorazori::AbstractError(); }
};

class THTMLCodeDesigner : public TSqlCodeDesigner {
  Z_CLASS(THTMLCodeDesigner, TSqlCodeDesigner)
public:
  using TSqlCodeDesigner::TSqlCodeDesigner;
  TClass GetSyntaxParserClass() override { return Dcparser::THTMLParser::StaticClass(); }
  void FillWithTemplate(const std::string& Name, bool Flag) override;
};

std::string BuildClassName(const std::string& Name);  // "T" + Name

}  // namespace Dccdes
