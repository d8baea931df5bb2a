// The Object Pascal unit designers: methods of the designed module's class in the implementation part, their
// declarations in the class, the component declarations, the uses clauses and the unit templates.
#pragma once

#include "codeeditor/Dccdes.h"

#include <string>
#include <vector>

namespace Dccdes {

// A unit without a designed module's class: methods, uses clauses, the unit name.
class TUnitCodeDesigner : public TStringsCodeDesigner {
  Z_CLASS(TUnitCodeDesigner, TStringsCodeDesigner)
public:
  using TStringsCodeDesigner::TStringsCodeDesigner;
  TClass GetSyntaxParserClass() override { return Dcparser::TDelphiParser::StaticClass(); }
  bool IsMethodStart() override;
  bool IsEqualDeclaration(PTypeData TypeData) override;
  TPoint GetMethodStart(TPoint HeaderPoint) override { return {0, HeaderPoint.Y + 2}; }
  std::string GetComment() override { return {}; }
  void GetMethodTemplate(const std::string& Name, PTypeData TypeData, TStrings* Lines) override;
  bool IsBlockBegin() override;
  Integer IsBlockEnd() override;
  bool GetMethodEnd(TPoint& Point) override;
  std::string ScanMethodName() override;
  bool IdentsEqual(const std::string& A, const std::string& B) override;
  bool AutoFillUses() override { return true; }
  void RenameModule(const std::string& OldName, const std::string& NewName) override;
  void FillWithTemplate(const std::string& Name, bool Flag) override;
  std::string TypeToString(Integer Index) override;
  void GetUsedUnits(TStrings* List, bool Flag) override;  // Flag: the interface part
  void UseUnits(TStrings* List, bool Flag) override;

  // The header: "procedure "/"function ", the class name and "." when Qualified, the name, the parameters (equal
  // neighbours merged), the result and ";". ParamsOnly gives only the parameter list with every name as "#".
  virtual void CreateEventName(const std::string& Name, PTypeData TypeData, std::string& Text, bool Qualified,
                               bool ParamsOnly);
  // The (column + 1, line) of the first reserved word Word from the start; (0, -1) when absent.
  TPoint GetResWordPosition(const std::string& Word);
  bool FindUses(TPoint& Point, bool InterfacePart);

protected:
  // Method searches start after "implementation" (at the start when there is none).
  bool StartScan() override;
  bool StartMethodsScan();
  virtual bool QualifiedOnly() { return false; }
  virtual std::string OwnerClassName() { return {}; }

private:
  bool FInBody = false;
};

// A unit of a designed module (form or data module): also keeps its class declaration.
class TDelphiCodeDesigner : public TUnitCodeDesigner {
  Z_CLASS(TDelphiCodeDesigner, TUnitCodeDesigner)
public:
  using TUnitCodeDesigner::TUnitCodeDesigner;
  void CreateMethod(const std::string& Name, PTypeData TypeData) override;
  void RenameMethod(const std::string& OldName, const std::string& NewName) override;
  void DeleteMethod(const std::string& Name) override;
  void InsertComponent(TComponent* Component, const std::string& Name) override;
  void DeleteComponent(TComponent* Component) override;
  void RenameComponent(TComponent* Component, const std::string& NewName) override;
  void FillWithTemplate(const std::string& Name, bool Flag) override;

  // The line of the module's class declaration ("TName = class(Ancestor)"), -1 when none.
  Integer GetOwnerTypeDesc();
  // The line where the component declarations begin (the token after the class header's ")"), -1 when none.
  Integer GetOwnerCompsDesc();
  void InsertMethodInTypeDesc(const std::string& Name, PTypeData TypeData);
  Integer SkipToFinalEnd();  // the line of the final "end.", -1 when none
  Integer GetCompStringIndex(TComponent* Component);
  void RenameOwner(const std::string& NewName);
  Integer FindMethodInTypeDesc(const std::string& Name);  // the declaration's line, -1 when none
  std::string PeekTokenStr2();                            // the token after the next one, without moving

protected:
  bool QualifiedOnly() override { return FQualifiedOnly; }
  std::string OwnerClassName() override;
  Integer DeleteFoundMethod(const std::string& Name, TPoint Start, TPoint End) override;
  bool StartScan() override;

private:
  bool FindOwnerClass(Integer& DeclLine, Integer& CompsLine);
  template <class F>
  Integer FindClassLine(F Test);
  Integer PrivateLine();  // the "private" line of the class, -1 when none
  bool FQualifiedOnly = false;
  void DeleteDeclarationAndTidy(const std::string& Name, Integer& StartLine);
};

// A Pascal unit declaring Component's class with its owned components.
std::string GenerateCodeForComp(TComponent* Component, const std::string& UnitName);

}  // namespace Dccdes
