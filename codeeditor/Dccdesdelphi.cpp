// The Object Pascal unit designers.
#include "codeeditor/Dccdesdelphi.h"

#include "platform/rtl/SysUtils.h"
#include "suitebase/Compnames.h"
#include "suitebase/Fileutils.h"
#include "suitebase/Propaccess.h"

#include <algorithm>

namespace Dccdes {

using namespace Dcparser;

Z_IMPLEMENT_CLASS(TUnitCodeDesigner, TStringsCodeDesigner)
Z_IMPLEMENT_CLASS(TDelphiCodeDesigner, TUnitCodeDesigner)

namespace {
constexpr std::size_t MaxUsesLine = 80;

const char* const UnitTemplate = "unit %s;\r\n\r\ninterface\r\n\r\nimplementation\r\n\r\nend.\r\n";
const char* const FormTemplate =
    "unit %s;\r\n\r\ninterface\r\n\r\nuses\r\n  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, "
    "Dialogs;\r\n\r\ntype\r\n  T%s = class(%s)\r\n  private\r\n    { Private declarations }\r\n  public\r\n    { "
    "Public declarations }\r\n  end;\r\n\r\nvar\r\n  %s: T%s;\r\n\r\nimplementation\r\n\r\n{$R *.DFM}\r\n\r\nend.\r\n";
const char* const CompTemplate =
    "unit %s;\r\n\r\ninterface\r\n\r\nuses %s;\r\n\r\ntype\r\n  %s = class(%s)\r\n%s  private\r\n    {private "
    "declarations}\r\n  protected\r\n    {protected declarations}\r\n  public\r\n    {public declarations}\r\n  "
    "end;\r\n\r\nvar\r\n  %s: %s;\r\n\r\nimplementation\r\n\r\n{$R *.DFM}\r\n\r\nend.";

std::string UpperTrim(const std::string& S) { return UpperCase(Trim(S)); }

// The declaration of a component in its owner's class: the name, ": " and the class name.
std::string CompDeclaration(TComponent* Component, const std::string& Name) {
  return Dorazori::BuildCompName(Component, Name);
}

std::string ParamModifier(TParamFlags Flags) {
  if ((Flags & pfVar) != 0) {
    return "var ";
  }
  if ((Flags & pfConst) != 0) {
    return "const ";
  }
  if ((Flags & pfOut) != 0) {
    return "out ";
  }
  return {};
}
}  // namespace

// ---- scanning ----

bool TUnitCodeDesigner::IsMethodStart() {
  return GetSyntaxParser()->Token() == tokResWord && (TokenIs("procedure", true) || TokenIs("function", true));
}

bool TUnitCodeDesigner::IsBlockBegin() {
  if (GetSyntaxParser()->Token() != tokResWord) {
    return false;
  }
  if (TokenIs("begin", true)) {
    FInBody = true;
    return true;
  }
  // Inside the body these open blocks closed by "end" too; counting only "begin" would end the method early.
  return FInBody && (TokenIs("case", true) || TokenIs("try", true) || TokenIs("asm", true));
}

Integer TUnitCodeDesigner::IsBlockEnd() {
  return GetSyntaxParser()->Token() == tokResWord && TokenIs("end", true) ? 1 : 0;
}

bool TUnitCodeDesigner::GetMethodEnd(TPoint& Point) {
  FInBody = false;
  const bool Empty = TStringsCodeDesigner::GetMethodEnd(Point);
  TStringsParser* P = GetSyntaxParser();
  if (P->NextValidToken() != tokEof) {  // the ";" after "end"
    Point = {static_cast<int>(P->GetCharPos()), P->LinePos()};
  }
  return Empty;
}

bool TUnitCodeDesigner::IdentsEqual(const std::string& A, const std::string& B) { return SameText(A, B); }

bool TUnitCodeDesigner::StartMethodsScan() {
  TStringsParser* P = GetParser();
  if (P == nullptr) {
    return false;
  }
  if (!P->SkipToResWord(P->WordId("implementation"))) {
    (void)GetParser();  // no implementation part: from the start
  }
  return true;
}

std::string TUnitCodeDesigner::ScanMethodName() {
  TStringsParser* P = GetSyntaxParser();
  std::string Name = P->NextValidTokenStr();
  std::string Qualifier;
  if (P->IsPeekTokenChar('.')) {
    Qualifier = Name;
    (void)P->NextValidToken();  // the "."
    Name = P->NextValidTokenStr();
  }
  if (QualifiedOnly() && !SameText(Qualifier, OwnerClassName())) {
    return {};
  }
  return Name;
}

bool TUnitCodeDesigner::StartScan() { return StartMethodsScan(); }

TPoint TUnitCodeDesigner::GetResWordPosition(const std::string& Word) {
  TStringsParser* P = GetParser();
  if (P == nullptr || !P->SkipToResWord(P->WordId(Word))) {
    return {0, -1};
  }
  return {static_cast<int>(P->GetTokenCharPos() + 1), P->LinePos()};
}

// ---- headers ----

void TUnitCodeDesigner::CreateEventName(const std::string& Name, PTypeData TypeData, std::string& Text, bool Qualified,
                                        bool ParamsOnly) {
  const bool Function = TypeData != nullptr && TypeData->IsFunction();
  // Each entry: modifier, names, type; a parameter like the one before joins its entry.
  struct TEntry {
    TParamFlags Flags;
    std::string Names;
    std::string Type;
  };
  std::vector<TEntry> Entries;
  for (Integer I = 0; TypeData != nullptr && I < TypeData->ParamCount(); ++I) {
    const TParamData& Param = TypeData->Params[static_cast<std::size_t>(I)];
    const std::string N = ParamsOnly ? "#" : Param.ParamName;
    if (!Entries.empty() && Entries.back().Flags == Param.Flags && SameText(Entries.back().Type, Param.TypeName)) {
      Entries.back().Names += ", " + N;
    } else {
      Entries.push_back({Param.Flags, N, Param.TypeName});
    }
  }
  std::string Params;
  for (const TEntry& E : Entries) {
    if (!Params.empty()) {
      Params += "; ";
    }
    Params += ParamModifier(E.Flags) + E.Names + ": " + ((E.Flags & pfArray) != 0 ? "Array of " : "") + E.Type;
  }
  if (!Params.empty()) {
    Params = "(" + Params + ")";
  }
  if (Function) {
    Params += ": " + TypeData->ResultType;
  }
  if (ParamsOnly) {
    Text = Params;
    return;
  }
  Text = Function ? "function " : "procedure ";
  if (Qualified && DesignedModule != nullptr && !DesignedModule->Name().empty()) {
    Text += BuildClassName(DesignedModule->Name()) + ".";
  }
  Text += Name + Params + ";";
}

bool TUnitCodeDesigner::IsEqualDeclaration(PTypeData TypeData) {
  std::string Wanted;
  CreateEventName("", TypeData, Wanted, false, true);
  TStringsParser* P = GetSyntaxParser();
  if (!P->IsPeekTokenChar('(')) {
    return false;
  }
  (void)P->NextValidToken();  // the "("
  std::string Read = "(";
  bool InType = false;
  bool NameNext = true;
  while (P->NextValidToken() != tokEof && !P->IsTokenChar(')')) {
    const std::string T = P->TokenString();
    if (P->IsTokenChar(';')) {
      Read += "; ";
      InType = false;
      NameNext = true;
    } else if (P->IsTokenChar(',')) {
      Read += ", ";
      NameNext = true;
    } else if (P->IsTokenChar(':')) {
      Read += ": ";
      InType = true;
    } else if (InType) {
      Read += (Read.back() == ' ' ? "" : " ") + T;
    } else if (NameNext && (SameText(T, "var") || SameText(T, "const") || SameText(T, "out"))) {
      Read += T + " ";
    } else {
      Read += "#";
      NameNext = false;
    }
  }
  Read += ")";
  if (TypeData->IsFunction() && P->IsPeekTokenChar(':')) {
    (void)P->NextValidToken();  // the ":"
    Read += ": " + P->NextValidTokenStr();
  }
  if (Read == "()") {
    Read.clear();
  }
  return SameText(Read, Wanted);
}

void TUnitCodeDesigner::GetMethodTemplate(const std::string& Name, PTypeData TypeData, TStrings* Lines) {
  std::string Header;
  CreateEventName(Name, TypeData, Header, true, false);
  for (const char* L : {Header.c_str(), "begin", "", "end;", ""}) {
    Lines->Add(L);
  }
  TStringsCodeDesigner::GetMethodTemplate(Name, TypeData, Lines);
}

std::string TUnitCodeDesigner::TypeToString(Integer Index) {
  return Index >= 0 && Index <= 31 ? Dorazori::ConvertDelphiTypeToString(Index) : std::string();
}

// ---- the unit ----

void TUnitCodeDesigner::RenameModule(const std::string& OldName, const std::string& NewName) {
  if (OldName == NewName) {
    return;
  }
  TStringsParser* P = GetParser();
  if (P == nullptr || !P->SkipToResWord(P->WordId("unit"))) {
    return;
  }
  if (SameText(P->NextValidTokenStr(), OldName)) {
    std::string Line = FStrings->Strings(P->LinePos());
    Line.replace(static_cast<std::size_t>(P->GetTokenCharPos()), P->TokenView().size(), NewName);
    FStrings->SetStrings(P->LinePos(), Line);
  }
}

void TUnitCodeDesigner::FillWithTemplate(const std::string& Name, bool Flag) {
  (void)Flag;
  if (FStrings != nullptr) {
    FStrings->SetText(Format(UnitTemplate, {Name}));
  }
}

bool TUnitCodeDesigner::FindUses(TPoint& Point, bool InterfacePart) {
  const TPoint Interface = GetResWordPosition("interface");
  const TPoint Implementation = GetResWordPosition("implementation");
  TStringsParser* P = GetParser();
  if (P == nullptr) {
    return false;
  }
  if (!InterfacePart) {
    if (Interface.Y < 0 || Implementation.Y < 0) {
      return false;
    }
    (void)P->SkipToResWord(P->WordId("implementation"));  // found above
  }
  if (!P->SkipToResWord(P->WordId("uses"))) {
    return false;
  }
  Point = {static_cast<int>(P->GetTokenCharPos() + 1), P->LinePos()};
  if (InterfacePart) {
    const bool AfterInterface =
        Interface.Y >= 0 && (Point.Y > Interface.Y || (Point.Y == Interface.Y && Point.X > Interface.X));
    const bool BeforeImplementation = Implementation.Y < 0 || Point.Y < Implementation.Y ||
                                      (Point.Y == Implementation.Y && Point.X < Implementation.X);
    return AfterInterface && BeforeImplementation;
  }
  return true;
}

void TUnitCodeDesigner::GetUsedUnits(TStrings* List, bool Flag) {
  TPoint At{};
  if (!FindUses(At, Flag)) {
    return;
  }
  // FindUses leaves the tokenizer on "uses".
  TStringsParser* P = GetSyntaxParser();
  std::string Unit;
  while (P->NextValidToken() != tokEof && !P->IsTokenChar(';')) {
    if (P->IsTokenChar(',')) {
      List->Add(Unit);
      Unit.clear();
    } else {
      Unit += P->TokenString();
    }
  }
  if (!Unit.empty()) {
    List->Add(Unit);
  }
}

void TUnitCodeDesigner::UseUnits(TStrings* List, bool Flag) {
  if (FStrings == nullptr) {
    return;
  }
  std::unique_ptr<TStringList> Units(new TStringList());
  FilterUsedUnits(List, Units.get(), Flag);
  if (Units->Count() == 0) {
    return;
  }
  std::string Current;
  std::string Rest;  // what followed the clause's ";" on its line
  Integer Row = 0;
  TPoint At{};
  if (FindUses(At, Flag)) {
    TStringsParser* P = GetSyntaxParser();
    (void)P->SkipToChar(';');  // the clause's end
    Row = P->LinePos();
    const std::string Line = FStrings->Strings(Row);
    const auto Semicolon = static_cast<std::size_t>(P->GetTokenCharPos());
    Current = Line.substr(0, std::min(Semicolon, Line.size()));
    Rest = Semicolon < Line.size() ? Line.substr(Semicolon + 1) : std::string();
    FStrings->Delete(Row);
  } else {
    const TPoint Section = GetResWordPosition(Flag ? "interface" : "implementation");
    if (Section.Y < 0) {
      return;  // no place for a clause
    }
    // The clause goes right after the section word, so that no existing line is overwritten.
    Row = Section.Y + 1;
    FStrings->Insert(Row, "uses");
    FStrings->Insert(Row + 1, "");
    ++Row;
    Current = "  ";
  }
  for (Integer I = 0; I < Units->Count(); ++I) {
    const std::string U = Units->Strings(I);
    const bool Fresh = Trim(Current).empty() || Trim(Current) == "uses";
    const std::string Piece = (Fresh ? (Current.empty() || Current.back() == ' ' ? "" : " ") : ", ") + U;
    if (!Fresh && Current.size() + Piece.size() + 1 > MaxUsesLine) {
      FStrings->Insert(Row++, Current + ",");
      Current = "  " + U;
    } else {
      Current += Piece;
    }
  }
  FStrings->Insert(Row, Current + ";" + Rest);
}

// ---- TDelphiCodeDesigner ----

std::string TDelphiCodeDesigner::OwnerClassName() {
  return DesignedModule != nullptr ? BuildClassName(DesignedModule->Name()) : std::string();
}

bool TDelphiCodeDesigner::FindOwnerClass(Integer& DeclLine, Integer& CompsLine) {
  DeclLine = CompsLine = -1;
  TStringsParser* P = GetParser();
  if (P == nullptr || DesignedModule == nullptr || !P->SkipToResWord(P->WordId("interface")) ||
      !P->SkipToResWord(P->WordId("type"))) {
    return false;
  }
  const std::string ClassName = OwnerClassName();
  const Integer Implementation = P->WordId("implementation");
  while (P->NextValidToken() != tokEof && !P->IsTokenResWord(Implementation)) {
    if (P->Token() != tokIdentifier || !SameText(P->TokenView(), ClassName)) {
      continue;
    }
    const Integer Line = P->LinePos();
    if (P->IsNextTokenChar('=') && P->IsNextTokenResWord(P->WordId("class")) && P->IsNextTokenChar('(') &&
        P->NextValidToken() == tokIdentifier && P->IsNextTokenChar(')')) {
      (void)P->NextValidToken();  // the token where the component declarations begin
      DeclLine = Line;
      CompsLine = P->LinePos();
      return true;
    }
  }
  return false;
}

Integer TDelphiCodeDesigner::GetOwnerTypeDesc() {
  Integer Decl = 0;
  Integer Comps = 0;
  return FindOwnerClass(Decl, Comps) ? Decl : -1;
}

Integer TDelphiCodeDesigner::GetOwnerCompsDesc() {
  Integer Decl = 0;
  Integer Comps = 0;
  return FindOwnerClass(Decl, Comps) ? Comps : -1;
}

bool TDelphiCodeDesigner::StartScan() {
  FQualifiedOnly = GetOwnerTypeDesc() >= 0;
  return StartMethodsScan();
}

// The first line from the component declarations on whose trimmed upper-case text passes Test; -1 when none.
template <class F>
Integer TDelphiCodeDesigner::FindClassLine(F Test) {
  const Integer Comps = GetOwnerCompsDesc();
  for (Integer I = std::max<Integer>(Comps, 0); Comps >= 0 && I < FStrings->Count(); ++I) {
    if (Test(UpperTrim(FStrings->Strings(I)))) {
      return I;
    }
  }
  return -1;
}

Integer TDelphiCodeDesigner::PrivateLine() {
  return FindClassLine([](const std::string& L) { return L == "PRIVATE"; });
}

void TDelphiCodeDesigner::InsertMethodInTypeDesc(const std::string& Name, PTypeData TypeData) {
  const Integer Line = PrivateLine();
  if (Line >= 0) {
    std::string Header;
    CreateEventName(Name, TypeData, Header, false, false);
    FStrings->Insert(Line, "    " + Header);
  }
}

Integer TDelphiCodeDesigner::SkipToFinalEnd() {
  TStringsParser* P = GetParser();
  if (P == nullptr) {
    return -1;
  }
  const Integer End = P->WordId("end");
  Integer Found = -1;
  while (P->SkipToResWord(End)) {
    const Integer Line = P->LinePos();
    if (P->IsPeekTokenChar('.')) {
      Found = Line;
    }
  }
  return Found;
}

void TDelphiCodeDesigner::CreateMethod(const std::string& Name, PTypeData TypeData) {
  if (FStrings == nullptr) {
    return;
  }
  std::unique_ptr<TStringList> Template(new TStringList());
  GetMethodTemplate(Name, TypeData, Template.get());
  FStrings->BeginUpdate();
  InsertMethodInTypeDesc(Name, TypeData);
  Integer Line = SkipToFinalEnd();
  if (Line < 0) {
    FStrings->EndUpdate();
    return;
  }
  if (Line > 0 && !FStrings->Strings(Line - 1).empty()) {
    FStrings->Insert(Line, "");
  }
  for (Integer I = 0; I < Template->Count(); ++I) {
    FStrings->Insert(Line + I, Template->Strings(I));
  }
  FStrings->EndUpdate();
  ShowSource(0, Line + Template->Count() - 1);
}

Integer TDelphiCodeDesigner::FindMethodInTypeDesc(const std::string& Name) {
  const Integer Private = PrivateLine();
  const Integer Comps = GetOwnerCompsDesc();
  for (Integer I = std::max<Integer>(Comps, 0); Comps >= 0 && I < Private; ++I) {
    const std::string L = UpperTrim(FStrings->Strings(I));
    for (const char* Kind : {"PROCEDURE ", "FUNCTION "}) {
      const std::string Head = std::string(Kind) + UpperCase(Name);
      if (L.compare(0, Head.size(), Head) == 0 &&
          (L.size() == Head.size() || L[Head.size()] == '(' || L[Head.size()] == ';' || L[Head.size()] == ':' ||
           L[Head.size()] == ' ')) {
        return I;
      }
    }
  }
  return -1;
}

void TDelphiCodeDesigner::RenameMethod(const std::string& OldName, const std::string& NewName) {
  const Integer Decl = FindMethodInTypeDesc(OldName);
  if (Decl >= 0) {
    std::string Line = FStrings->Strings(Decl);
    const std::size_t At = UpperCase(Line).find(UpperCase(OldName));
    Line.replace(At, OldName.size(), NewName);
    FStrings->SetStrings(Decl, Line);
  }
  TUnitCodeDesigner::RenameMethod(OldName, NewName);
}

void TDelphiCodeDesigner::DeleteDeclarationAndTidy(const std::string& Name, Integer& StartLine) {
  const Integer Decl = FindMethodInTypeDesc(Name);
  if (Decl >= 0) {
    FStrings->Delete(Decl);
    if (Decl < StartLine) {
      --StartLine;
    }
  }
  // Going up from the final "end.", empty lines go while the two lines above are both empty.
  Integer Final = SkipToFinalEnd();
  while (Final >= 2 && FStrings->Strings(Final - 1).empty() && FStrings->Strings(Final - 2).empty()) {
    FStrings->Delete(Final - 1);
    if (Final - 1 < StartLine) {
      --StartLine;
    }
    --Final;
  }
}

void TDelphiCodeDesigner::DeleteMethod(const std::string& Name) {
  TPoint Start{};
  if (!FindMethodStart(Name, Start)) {
    return;
  }
  TPoint End{};
  (void)GetMethodEnd(End);  // deleted whether empty or not
  DeleteRange(Start, End);
  Integer Line = Start.Y;
  DeleteDeclarationAndTidy(Name, Line);
}

Integer TDelphiCodeDesigner::DeleteFoundMethod(const std::string& Name, TPoint Start, TPoint End) {
  DeleteRange(Start, End);
  Integer Line = Start.Y;
  DeleteDeclarationAndTidy(Name, Line);
  return Start.Y - Line;
}

// ---- components ----

void TDelphiCodeDesigner::InsertComponent(TComponent* Component, const std::string& Name) {
  const Integer Line = FindClassLine([](const std::string& L) {
    return L == "PRIVATE" || L.rfind("FUNCTION", 0) == 0 || L.rfind("PROCEDURE", 0) == 0;
  });
  if (Line >= 0) {
    FStrings->Insert(Line, "    " + CompDeclaration(Component, Name) + ";");
  }
}

Integer TDelphiCodeDesigner::GetCompStringIndex(TComponent* Component) {
  const std::string Decl = UpperCase(CompDeclaration(Component, "") + ";");
  const Integer Private = PrivateLine();
  const Integer Found = FindClassLine([&](const std::string& L) { return L == Decl || L == "PRIVATE"; });
  return Found >= 0 && Found != Private ? Found : -1;
}

void TDelphiCodeDesigner::DeleteComponent(TComponent* Component) {
  const Integer Line = GetCompStringIndex(Component);
  if (Line >= 0) {
    FStrings->Delete(Line);
  }
}

void TDelphiCodeDesigner::RenameComponent(TComponent* Component, const std::string& NewName) {
  if (Component == DesignedModule) {
    RenameOwner(NewName);
    return;
  }
  const Integer Line = GetCompStringIndex(Component);
  if (Line >= 0) {
    FStrings->SetStrings(Line, "    " + CompDeclaration(Component, NewName) + ";");
  }
}

void TDelphiCodeDesigner::RenameOwner(const std::string& NewName) {
  if (DesignedModule == nullptr || GetParser() == nullptr) {
    return;
  }
  const std::string Old = DesignedModule->Name();
  const std::string OldClass = BuildClassName(Old);
  // Collected first, applied from the last: the class declaration ("TOld ="), qualified method headers
  // ("TOld."), and the module's variable ("Old: TOld").
  struct TEdit {
    Integer Line;
    NativeInt Column;
    std::size_t Length;
    std::string Text;
  };
  std::vector<TEdit> Edits;
  TStringsParser* P = GetSyntaxParser();
  while (P->NextValidToken() != tokEof) {
    if (P->Token() != tokIdentifier) {
      continue;
    }
    const TEdit Here{P->LinePos(), P->GetTokenCharPos(), P->TokenView().size(), {}};
    if (SameText(P->TokenView(), OldClass) && (P->IsPeekTokenChar('=') || P->IsPeekTokenChar('.'))) {
      Edits.push_back({Here.Line, Here.Column + 1, Old.size(), NewName});
    } else if (SameText(P->TokenView(), Old) && P->IsPeekTokenChar(':')) {
      (void)P->NextValidToken();  // the ":"
      if (P->NextValidToken() == tokIdentifier && SameText(P->TokenView(), OldClass)) {
        Edits.push_back({Here.Line, Here.Column, Old.size(), NewName});
        Edits.push_back({P->LinePos(), P->GetTokenCharPos() + 1, Old.size(), NewName});
      }
    }
  }
  for (auto It = Edits.rbegin(); It != Edits.rend(); ++It) {
    std::string Line = FStrings->Strings(It->Line);
    Line.replace(static_cast<std::size_t>(It->Column), It->Length, It->Text);
    FStrings->SetStrings(It->Line, Line);
  }
}

std::string TDelphiCodeDesigner::PeekTokenStr2() {
  TStringsParser* P = GetSyntaxParser();
  (void)P->PushState();  // two tokens read ahead, then back
  (void)P->NextValidToken();
  std::string Result = P->NextValidTokenStr();
  (void)P->PopState();
  return Result;
}

void TDelphiCodeDesigner::FillWithTemplate(const std::string& Name, bool Flag) {
  if (FStrings == nullptr) {
    return;
  }
  if (DesignedModule == nullptr) {
    TUnitCodeDesigner::FillWithTemplate(Name, Flag);
  } else if (Flag) {
    const std::string M = DesignedModule->Name();
    FStrings->SetText(Format(FormTemplate, {Name, M, DesignedModule->ClassName(), M, M}));
  } else {
    FStrings->SetText(GenerateCodeForComp(DesignedModule, Name));
  }
}

std::string GenerateCodeForComp(TComponent* Component, const std::string& UnitName) {
  std::unique_ptr<TStringList> Uses(new TStringList());
  Uses->SetCommaText("Windows,Messages,SysUtils,Classes,Graphics,Controls,Forms,Dialogs");
  std::string Declarations;
  for (Integer I = 0; I < Component->ComponentCount(); ++I) {
    TComponent* C = Component->Components(I);
    const std::string Unit = Dorazori::GetClassUnit(C);
    bool Listed = false;
    for (Integer J = 0; J < Uses->Count(); ++J) {
      Listed = Listed || SameText(Uses->Strings(J), Unit);
    }
    if (!Listed && !Unit.empty()) {
      Uses->Add(Unit);
    }
    Declarations += "    " + C->Name() + ": " + C->ClassName() + ";\r\n";
  }
  // Joined by ", "; once the entries and separators since the last break reach 61 characters, the next separator
  // is followed by a line break and five blanks.
  std::string List;
  std::size_t Length = 0;
  for (Integer I = 0; I < Uses->Count(); ++I) {
    if (I > 0) {
      List += ", ";
      if (Length >= 61) {
        List += "\r\n     ";
        Length = 0;
      } else {
        Length += 2;
      }
    }
    List += Uses->Strings(I);
    Length += Uses->Strings(I).size();
  }
  const std::string ClassName = BuildClassName(Component->Name());
  return Format(CompTemplate,
                {UnitName, List, ClassName, Component->ClassName(), Declarations, Component->Name(), ClassName});
}

}  // namespace Dccdes
