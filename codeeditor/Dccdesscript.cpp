// The script language designers: VBScript and Basic, JavaScript and Perl, Python, and the tokenizer-only SQL and
// HTML designers.
#include "codeeditor/Dccdes.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/SysUtils.h"

#include <array>
#include <utility>

namespace Dccdes {

using namespace Dcparser;

Z_IMPLEMENT_CLASS(TVbsCodeDesigner, TScriptCodeDesigner)
Z_IMPLEMENT_CLASS(TBasicCodeDesigner, TVbsCodeDesigner)
Z_IMPLEMENT_CLASS(TJsCodeDesigner, TScriptCodeDesigner)
Z_IMPLEMENT_CLASS(TPerlCodeDesigner, TJsCodeDesigner)
Z_IMPLEMENT_CLASS(TPythonCodeDesigner, TScriptCodeDesigner)
Z_IMPLEMENT_CLASS(TSqlCodeDesigner, TStringsCodeDesigner)
Z_IMPLEMENT_CLASS(THTMLCodeDesigner, TSqlCodeDesigner)

// ---- VBScript ----

bool TVbsCodeDesigner::IsMethodStart() {
  return (TokenIs("function", true) || TokenIs("sub", true)) && FirstOnItsLine();
}

bool TVbsCodeDesigner::IdentsEqual(const std::string& A, const std::string& B) { return SameText(A, B); }

std::string TVbsCodeDesigner::GetFuncName(PTypeData TypeData) {
  return TypeData != nullptr && TypeData->IsFunction() ? "Function " : "Sub ";
}

Integer TVbsCodeDesigner::IsBlockEnd() {
  if (!TokenIs("end", true)) {
    return 0;
  }
  const std::string Next = GetSyntaxParser()->PeekValidTokenStr();
  return SameText(Next, "sub") || SameText(Next, "function") ? 2 : 0;
}

bool TVbsCodeDesigner::GetMethodEnd(TPoint& Point) {
  const bool Empty = TScriptCodeDesigner::GetMethodEnd(Point);
  TStringsParser* P = GetSyntaxParser();
  if (P->NextValidToken() != tokEof) {  // "Sub" of "End Sub" belongs to the method
    Point = {static_cast<int>(P->GetCharPos()), P->LinePos()};
  }
  return Empty;
}

void TVbsCodeDesigner::GetMethodTemplate(const std::string& Name, PTypeData TypeData, TStrings* Lines) {
  std::string Header;
  CreateEventName(Name, TypeData, Header, false);
  Lines->Add(Header);
  Lines->Add("");
  Lines->Add(TypeData != nullptr && TypeData->IsFunction() ? "End Function" : "End Sub");
  TScriptCodeDesigner::GetMethodTemplate(Name, TypeData, Lines);
}

std::string TVbsCodeDesigner::TypeToString(Integer Index) {
  static const std::array<const char*, 16> Names = {"",         "",        "Integer", "Long",    "Single",  "Double",
                                                    "Currency", "Date",    "String",  "Pointer", "Integer", "Boolean",
                                                    "Variant",  "Pointer", "Decimal", ""};
  return Index >= 0 && Index < 16 ? Names[static_cast<std::size_t>(Index)] : "";
}

// ---- Basic ----

namespace {
std::string BasicType(const std::string& Pascal) {
  static const std::pair<const char*, const char*> Map[] = {
      {"TObject", "Object"},     {"Shortint", "Byte"},  {"Smallint", "Integer"}, {"Longint", "Longint"},
      {"Byte", "Byte"},          {"Word", "Integer"},   {"Cardinal", "Long"},    {"Integer", "Long"},
      {"Boolean", "Boolean"},    {"String", "String"},  {"Char", "Integer"},     {"AnsiChar", "String"},
      {"WideChar", "String"},    {"PChar", "String"},   {"Single", "Single"},    {"Double", "Double"},
      {"TDate", "Date"},         {"TDateTime", "Date"}, {"TTime", "Time"},       {"Currency", "Currency"},
      {"TShiftState", "Integer"}};
  for (const auto& [From, To] : Map) {
    if (SameText(Pascal, From)) {
      return To;
    }
  }
  return GetClass(Pascal) != nullptr ? "Object" : "Variant";
}
}  // namespace

void TBasicCodeDesigner::CreateEventName(const std::string& Name, PTypeData TypeData, std::string& Text,
                                         bool TypesOnly) {
  const bool Function = TypeData != nullptr && TypeData->IsFunction();
  Text = TypesOnly ? "" : GetFuncName(TypeData) + Name + "(";
  for (Integer I = 0; TypeData != nullptr && I < TypeData->ParamCount(); ++I) {
    const TParamData& Param = TypeData->Params[static_cast<std::size_t>(I)];
    if (I > 0) {
      Text += TypesOnly ? "," : ", ";
    }
    if ((Param.Flags & pfVar) != 0) {
      Text += "ByVal ";
    }
    Text += TypesOnly ? BasicType(Param.TypeName) : Param.ParamName + " As " + BasicType(Param.TypeName);
  }
  if (!TypesOnly) {
    Text += ")";
    if (Function) {
      Text += " As " + TypeData->ResultType;
    }
  }
}

bool TBasicCodeDesigner::IsEqualDeclaration(PTypeData TypeData) {
  std::string Wanted;
  CreateEventName("", TypeData, Wanted, true);
  TStringsParser* P = GetSyntaxParser();
  if (!P->IsNextTokenChar('(')) {
    return false;
  }
  // Per parameter: an optional "ByVal", the name, "As" and the type.
  std::string Read;
  bool TypeNext = false;
  while (P->NextValidToken() != tokEof && !P->IsTokenChar(')')) {
    const std::string T = P->TokenString();
    if (P->IsTokenChar(',')) {
      Read += ",";
    } else if (SameText(T, "ByVal")) {
      Read += "ByVal ";
    } else if (SameText(T, "As")) {
      TypeNext = true;
    } else if (TypeNext) {
      Read += T;
      TypeNext = false;
    }
  }
  return SameText(Read, Wanted);
}

// ---- JavaScript and Perl ----

std::string TJsCodeDesigner::GetFuncName(PTypeData) { return "function "; }

void TJsCodeDesigner::GetMethodTemplate(const std::string& Name, PTypeData TypeData, TStrings* Lines) {
  std::string Header;
  CreateEventName(Name, TypeData, Header, false);
  Lines->Add(Header);
  Lines->Add("{");
  Lines->Add("");
  Lines->Add("}");
  TScriptCodeDesigner::GetMethodTemplate(Name, TypeData, Lines);
}

std::string TPerlCodeDesigner::GetFuncName(PTypeData) { return "sub "; }

void TPerlCodeDesigner::CreateEventName(const std::string& Name, PTypeData TypeData, std::string& Text, bool) {
  Text = "sub " + Name + " # ";
  for (Integer I = 0; TypeData != nullptr && I < TypeData->ParamCount(); ++I) {
    Text += TypeData->Params[static_cast<std::size_t>(I)].ParamName + ", ";
  }
  Text.resize(Text.size() - 2);
}

bool TPerlCodeDesigner::IsEqualDeclaration(PTypeData) { return true; }

// ---- Python ----

bool TPythonCodeDesigner::IdentsEqual(const std::string& A, const std::string& B) { return SameText(A, B); }

std::string TPythonCodeDesigner::GetFuncName(PTypeData) { return "def "; }

Integer TPythonCodeDesigner::IsBlockEnd() {
  return GetSyntaxParser()->Token() == tokComment && TokenIs("#def", true) ? 2 : 0;
}

void TPythonCodeDesigner::GetMethodTemplate(const std::string& Name, PTypeData TypeData, TStrings* Lines) {
  std::string Header;
  CreateEventName(Name, TypeData, Header, false);
  Lines->Add(Header + ":");
  Lines->Add("");
  Lines->Add("#def");
  TScriptCodeDesigner::GetMethodTemplate(Name, TypeData, Lines);
}

// ---- HTML ----

void THTMLCodeDesigner::FillWithTemplate(const std::string& Name, bool Flag) {
  if (Flag && FStrings != nullptr) {
    FStrings->SetText(
        Format("<html>\r\n\r\n<head>\r\n<title>%s</title>\r\n</head>\r\n\r\n<body>\r\n</body>\r\n</html>", {Name}));
  }
}

}  // namespace Dccdes
