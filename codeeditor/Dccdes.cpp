// The common scanning of the code designers: finding, measuring, creating, renaming and deleting methods, and the
// unit-use comments of script languages.
#include "codeeditor/Dccdes.h"

#include "codeeditor/Dccdesdelphi.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/UnitInit.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cctype>

namespace Dccdes {

using namespace Dcparser;

Z_IMPLEMENT_CLASS_PUBLISHED(TStringsCodeDesigner, Dorazori::TCodeDesigner, TStringsCodeDesigner::Publish)
Z_IMPLEMENT_CLASS(TScriptCodeDesigner, TStringsCodeDesigner)

std::string BuildClassName(const std::string& Name) { return "T" + Name; }

TStringsCodeDesigner::TStringsCodeDesigner(TComponent* AOwner) : Dorazori::TCodeDesigner(AOwner) {}

TStringsCodeDesigner::~TStringsCodeDesigner() = default;

void TStringsCodeDesigner::Publish(TMetaClass& Meta) {
  TPublisher<TStringsCodeDesigner> P(Meta);
  P.Property("PropName", &TStringsCodeDesigner::PropName, &TStringsCodeDesigner::SetPropName);
  P.Property("Version", &TStringsCodeDesigner::Version, &TStringsCodeDesigner::SetVersion).Stored(false);
  P.Property("OnGetMethodCode", &TStringsCodeDesigner::OnGetMethodCode, &TStringsCodeDesigner::SetOnGetMethodCode);
}

// ---- lines and tokenizer ----

void TStringsCodeDesigner::SetLink(TPersistent* Value) {
  if (auto* Old = dynamic_cast<TComponent*>(FLink)) {
    Old->RemoveFreeNotification(this);
  }
  FLink = Value;
  if (auto* New = dynamic_cast<TComponent*>(FLink)) {
    New->FreeNotification(this);
  }
  RefreshStrings();
}

void TStringsCodeDesigner::SetPropName(const std::string& Value) {
  FPropName = Value;
  RefreshStrings();
}

void TStringsCodeDesigner::RefreshStrings() {
  if (FLink == nullptr) {
    FStrings = nullptr;
    return;
  }
  if (PPropInfo Info = GetPropInfo(FLink, FPropName); Info != nullptr && Info->PropType->Kind == tkClass) {
    if (auto* Lines = dynamic_cast<TStrings*>(GetObjectProp(FLink, Info))) {
      FStrings = Lines;
    }
  }
}

void TStringsCodeDesigner::Notification(TComponent* AComponent, TOperation Operation) {
  Dorazori::TCodeDesigner::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr && AComponent == dynamic_cast<TComponent*>(FLink)) {
    FLink = nullptr;
    FStrings = nullptr;
  }
}

TStringsParser* TStringsCodeDesigner::GetSyntaxParser() {
  if (!FParserMade) {
    FParserMade = true;
    if (TClass Class = GetSyntaxParserClass()) {
      FParser.reset(dynamic_cast<TStringsParser*>(Class->NewInstance(nullptr)));
    }
  }
  return FParser.get();
}

TStringsParser* TStringsCodeDesigner::GetParser() {
  TStringsParser* P = GetSyntaxParser();
  if (P == nullptr || FStrings == nullptr) {
    return nullptr;
  }
  P->SetStrings(FStrings);
  P->ResetParser();
  return P;
}

std::string TStringsCodeDesigner::GetMethodName() { return FParser ? std::string(FParser->TokenView()) : ""; }

bool TStringsCodeDesigner::TokenIs(const char* Text, bool IgnoreCase) const {
  const std::string_view T = FParser->TokenView();
  return IgnoreCase ? SameText(T, Text) : T == Text;
}

bool TStringsCodeDesigner::FirstOnItsLine() const {
  const char* P = FParser->LinePtr();
  for (; P < FParser->TokenPtr(); ++P) {
    if (*P != ' ' && *P != '\t') {
      return false;
    }
  }
  return true;
}

bool TStringsCodeDesigner::IdentsEqual(const std::string& A, const std::string& B) { return A == B; }

// ---- finding methods ----

bool TStringsCodeDesigner::ScanForMethodStart() {
  while (FParser->NextToken() != tokEof) {
    if (FParser->Token() == tokResWord && IsMethodStart()) {
      return true;
    }
  }
  return false;
}

std::string TStringsCodeDesigner::ScanMethodName() { return FParser->NextValidTokenStr(); }

bool TStringsCodeDesigner::StartScan() { return GetParser() != nullptr; }

bool TStringsCodeDesigner::FindMethodStart(const std::string& Name, TPoint& Point) {
  if (!StartScan()) {
    return false;
  }
  while (ScanForMethodStart()) {
    (void)FParser->PushState();  // the name is read ahead, then the parser goes back to the keyword
    const std::string Found = ScanMethodName();
    (void)FParser->PopState();
    if (!Found.empty() && IdentsEqual(Found, Name)) {
      Point = {static_cast<int>(FParser->GetTokenCharPos() + 1), FParser->LinePos()};
      return true;
    }
  }
  return false;
}

bool TStringsCodeDesigner::FindMethod(const std::string& Name, TPoint& Point) {
  if (!FindMethodStart(Name, Point)) {
    return false;
  }
  (void)ScanMethodName();  // leaves the parser on the name
  Point = {static_cast<int>(FParser->GetTokenCharPos() + 1), FParser->LinePos()};
  return true;
}

bool TStringsCodeDesigner::GetMethodEnd(TPoint& Point) {
  TStringsParser* P = FParser.get();
  (void)P->NextValidToken();  // the first token of the name
  if (P->IsTokenChar('(')) {
    (void)P->SkipToChar(')');  // at the end of the text the loop below ends at once
  }
  while (!P->ParserEOF() && !IsBlockBegin()) {
    (void)P->NextToken();  // the test reads the token taken
  }
  Integer Depth = 1;
  Integer Count = -1;
  bool EndedFirst = P->ParserEOF();
  while (Depth > 0 && !P->ParserEOF()) {
    if (P->NextToken() == tokEof) {
      EndedFirst = true;
      break;
    }
    ++Count;
    const Integer End = IsBlockEnd();
    if (End == 2) {
      break;
    }
    if (End == 1) {
      --Depth;
    } else if (IsBlockBegin()) {
      ++Depth;
    }
  }
  Point = {static_cast<int>(P->GetCharPos()), P->LinePos()};
  return Count == 0 && !EndedFirst;
}

bool TStringsCodeDesigner::IsMethodEmpty() {
  (void)FParser->PushState();  // measured without moving
  TPoint End{};
  const bool Empty = GetMethodEnd(End);
  (void)FParser->PopState();
  return Empty;
}

TMethodState TStringsCodeDesigner::GetMethodState(const std::string& Name) {
  TPoint Point{};
  if (!FindMethodStart(Name, Point)) {
    return Dorazori::msNotPresent;
  }
  return IsMethodEmpty() ? Dorazori::msEmpty : Dorazori::msOk;
}

bool TStringsCodeDesigner::MethodExists(const std::string& Name) {
  TPoint Point{};
  return FindMethodStart(Name, Point);
}

void TStringsCodeDesigner::ShowMethod(const std::string& Name) {
  TPoint Point{};
  if (FindMethod(Name, Point)) {
    const TPoint At = GetMethodStart(Point);
    ShowSource(At.X, At.Y);
  }
}

void TStringsCodeDesigner::GetMethods(PTypeData TypeData, TStrings* List) {
  if (!StartScan()) {
    return;
  }
  while (ScanForMethodStart()) {
    (void)FParser->PushState();  // read ahead, then back to the keyword
    const std::string Name = ScanMethodName();
    const bool Fits = !Name.empty() && (TypeData == nullptr || IsEqualDeclaration(TypeData));
    (void)FParser->PopState();
    if (Fits) {
      List->Add(Name);
    }
  }
}

// ---- changing methods ----

void TStringsCodeDesigner::GetMethodTemplate(const std::string& Name, PTypeData TypeData, TStrings* Lines) {
  (void)TypeData;
  if (FOnGetMethodCode) {
    FOnGetMethodCode(this, Name, Lines);
  }
}

void TStringsCodeDesigner::CreateMethod(const std::string& Name, PTypeData TypeData) {
  if (FStrings == nullptr) {
    return;
  }
  FStrings->BeginUpdate();
  try {
    if (FStrings->Count() > 0 && !FStrings->Strings(FStrings->Count() - 1).empty()) {
      FStrings->Add("");
    }
    std::unique_ptr<TStringList> Template(new TStringList());
    GetMethodTemplate(Name, TypeData, Template.get());
    FStrings->AddStrings(Template.get());
  } catch (...) {
    FStrings->EndUpdate();
    throw;
  }
  FStrings->EndUpdate();
  ShowSource(0, FStrings->Count() - 2);
}

void TStringsCodeDesigner::RenameMethod(const std::string& OldName, const std::string& NewName) {
  TPoint Point{};
  if (FindMethod(OldName, Point)) {
    std::string Line = FStrings->Strings(Point.Y);
    Line.replace(static_cast<std::size_t>(Point.X - 1), FParser->TokenView().size(), NewName);
    FStrings->SetStrings(Point.Y, Line);
  }
}

void TStringsCodeDesigner::DeleteRange(TPoint Start, TPoint End) {
  const auto From = static_cast<std::size_t>(Start.X - 1);
  const auto To = static_cast<std::size_t>(End.X);
  if (Start.Y == End.Y) {
    std::string Line = FStrings->Strings(Start.Y);
    Line.erase(From, To > From ? To - From : 0);
    FStrings->SetStrings(Start.Y, Line);
    return;
  }
  FStrings->BeginUpdate();
  const std::string Last = End.Y < FStrings->Count() ? FStrings->Strings(End.Y) : std::string();
  const std::string After = To < Last.size() ? Last.substr(To) : std::string();
  if (End.Y < FStrings->Count()) {
    if (Trim(After).empty()) {
      FStrings->Delete(End.Y);
    } else {
      FStrings->SetStrings(End.Y, After);
    }
  }
  for (Integer I = std::min(End.Y, FStrings->Count()) - 1; I > Start.Y; --I) {
    FStrings->Delete(I);
  }
  const std::string Before = FStrings->Strings(Start.Y).substr(0, From);
  if (Trim(Before).empty()) {
    FStrings->Delete(Start.Y);
  } else {
    FStrings->SetStrings(Start.Y, Before);
  }
  FStrings->EndUpdate();
}

void TStringsCodeDesigner::DeleteMethod(const std::string& Name) {
  TPoint Start{};
  if (!FindMethodStart(Name, Start)) {
    return;
  }
  TPoint End{};
  (void)GetMethodEnd(End);  // deleted whether empty or not
  DeleteRange(Start, End);
}

Integer TStringsCodeDesigner::DeleteFoundMethod(const std::string& Name, TPoint Start, TPoint End) {
  (void)Name;
  DeleteRange(Start, End);
  return 0;
}

bool TStringsCodeDesigner::DeleteNextEmptyMethod(Integer& ResumeLine) {
  while (ScanForMethodStart()) {
    const TPoint Start{static_cast<int>(FParser->GetTokenCharPos() + 1), FParser->LinePos()};
    (void)FParser->PushState();  // the name is read ahead
    const std::string Name = ScanMethodName();
    (void)FParser->PopState();
    if (Name.empty()) {
      continue;
    }
    TPoint End{};
    if (GetMethodEnd(End)) {
      ResumeLine = Start.Y - DeleteFoundMethod(Name, Start, End);
      return true;
    }
    // Not empty: the scan goes on after its end, as a pass from the start would.
  }
  return false;
}

bool TStringsCodeDesigner::DoDeleteEmptyMethods() {
  // The method found empty is deleted where it was found (a search by name could take a non-empty one of the same
  // name first), and the scan resumes at its line instead of the start: what lies before it was scanned already
  // and stays as it was, so the result is that of starting again after every deletion until a pass finds none.
  if (!StartScan()) {
    return false;
  }
  bool Deleted = false;
  Integer Resume = 0;
  while (DeleteNextEmptyMethod(Resume)) {
    Deleted = true;
    (void)StartScan();  // the lines changed
    if (Resume > FParser->LinePos()) {
      FParser->SetLinePos(std::min(Resume, FStrings->Count()));
    }
  }
  return Deleted;
}

void TStringsCodeDesigner::DeleteEmptyMethods() { (void)DoDeleteEmptyMethods(); }

// ---- components: nothing in scripts ----

void TStringsCodeDesigner::InsertComponent(TComponent*, const std::string&) {}
void TStringsCodeDesigner::DeleteComponent(TComponent*) {}
void TStringsCodeDesigner::RenameComponent(TComponent*, const std::string&) {}
void TStringsCodeDesigner::FillWithTemplate(const std::string&, bool) {}

bool TStringsCodeDesigner::ValidIdentifier(const std::string& Name) {
  if (!IsValidIdent(Name)) {
    return false;
  }
  TStringsParser* P = GetSyntaxParser();
  return P == nullptr || P->WordId(Name) < 0 || (P->CaseSensitive() && P->WordList()->IndexOf(Name) < 0);
}

// ---- unit-use comments ----

std::string TStringsCodeDesigner::GetUseUnitString() { return GetComment() + "USEUNIT "; }

void TStringsCodeDesigner::GetUsedUnits(TStrings* List, bool Flag) {
  (void)Flag;
  if (FStrings == nullptr) {
    return;
  }
  const std::string Use = GetUseUnitString();
  for (Integer I = 0; I < FStrings->Count(); ++I) {
    const std::string Line = FStrings->Strings(I);
    if (Line.compare(0, Use.size(), Use) != 0) {
      continue;
    }
    const std::string Rest = Trim(std::string_view(Line).substr(Use.size()));
    std::size_t N = 0;
    while (N < Rest.size() && (std::isalnum(static_cast<unsigned char>(Rest[N])) || Rest[N] == '_' || Rest[N] == '.' ||
                               Rest[N] == ':' || Rest[N] == '\\')) {
      ++N;
    }
    List->Add(Rest.substr(0, N));
  }
}

void TStringsCodeDesigner::FilterUsedUnits(TStrings* Wanted, TStrings* Result, bool Flag) {
  std::unique_ptr<TStringList> Used(new TStringList());
  GetUsedUnits(Used.get(), Flag);
  for (Integer I = 0; I < Wanted->Count(); ++I) {
    const std::string U = Wanted->Strings(I);
    if (Used->IndexOf(U) < 0 && Result->IndexOf(U) < 0) {
      Result->Add(U);
    }
  }
}

void TStringsCodeDesigner::UseUnits(TStrings* List, bool Flag) {
  if (FStrings == nullptr) {
    return;
  }
  std::unique_ptr<TStringList> Units(new TStringList());
  FilterUsedUnits(List, Units.get(), Flag);
  for (Integer I = 0; I < Units->Count(); ++I) {
    FStrings->Insert(0, GetUseUnitString() + " " + Units->Strings(I));
  }
}

// ---- script headers ----

void TScriptCodeDesigner::CreateEventName(const std::string& Name, PTypeData TypeData, std::string& Text,
                                          bool TypesOnly) {
  (void)TypesOnly;
  Text = GetFuncName(TypeData) + Name;
  if (TypeData != nullptr && TypeData->ParamCount() > 0) {
    Text += "(";
    for (Integer I = 0; I < TypeData->ParamCount(); ++I) {
      Text += (I > 0 ? ", " : "") + TypeData->Params[static_cast<std::size_t>(I)].ParamName;
    }
    Text += ")";
  } else if (AlwaysUseBrackets()) {
    Text += "()";
  }
}

bool TScriptCodeDesigner::IsEqualDeclaration(PTypeData TypeData) {
  TStringsParser* P = GetSyntaxParser();
  if (!P->IsNextTokenChar('(')) {
    return false;
  }
  Integer Count = 0;
  while (P->NextValidToken() != tokEof && !P->IsTokenChar(')')) {
    if (!P->IsTokenChar(',')) {
      ++Count;
    }
  }
  return Count == TypeData->ParamCount();
}

}  // namespace Dccdes

namespace {
// The designers by script extension, and by class name for form layouts and design-time registration.
void InitializeDccdes() {
  using namespace Dccdes;
  using Dorazori::RegisterFormCodeDesigner;
  using Dorazori::RegisterUnitCodeDesigner;
  RegisterClasses({TStringsCodeDesigner::StaticClass(), TScriptCodeDesigner::StaticClass(),
                   TVbsCodeDesigner::StaticClass(), TBasicCodeDesigner::StaticClass(), TJsCodeDesigner::StaticClass(),
                   TPerlCodeDesigner::StaticClass(), TPythonCodeDesigner::StaticClass(),
                   TUnitCodeDesigner::StaticClass(), TDelphiCodeDesigner::StaticClass(),
                   TSqlCodeDesigner::StaticClass(), THTMLCodeDesigner::StaticClass()});
  RegisterUnitCodeDesigner(TVbsCodeDesigner::StaticClass(), "vbs");
  RegisterUnitCodeDesigner(TJsCodeDesigner::StaticClass(), "js");
  RegisterUnitCodeDesigner(TUnitCodeDesigner::StaticClass(), "pas");
  RegisterUnitCodeDesigner(TPerlCodeDesigner::StaticClass(), "pl");
  RegisterUnitCodeDesigner(TPythonCodeDesigner::StaticClass(), "py");
  RegisterUnitCodeDesigner(TSqlCodeDesigner::StaticClass(), "sql");
  RegisterUnitCodeDesigner(THTMLCodeDesigner::StaticClass(), "html");
  RegisterUnitCodeDesigner(THTMLCodeDesigner::StaticClass(), "htm");
  RegisterFormCodeDesigner(TDelphiCodeDesigner::StaticClass(), "pas");
  RegisterFormCodeDesigner(TVbsCodeDesigner::StaticClass(), "vbs");
  RegisterFormCodeDesigner(TJsCodeDesigner::StaticClass(), "js");
  RegisterFormCodeDesigner(TPerlCodeDesigner::StaticClass(), "pl");
  RegisterFormCodeDesigner(TPythonCodeDesigner::StaticClass(), "py");
}
}  // namespace

Z_REGISTER_UNIT(UnitOrder::CodeEditorUnits + 30, "Dccdes", &InitializeDccdes, nullptr)
