// Code templates: the template items, their collection with the name filter, the registry of template sets and
// the three built-in sets.
#include "codeeditor/Dcstring.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/rtl/SysUtils.h"
#include "suitebase/Classparams.h"

namespace Dcstring {

Z_IMPLEMENT_CLASS_PUBLISHED(TMemoCodeTemplate, Vivaridiriz::ZEZNamedItem, TMemoCodeTemplate::Publish)
Z_IMPLEMENT_CLASS(TMemoCodeTemplates, Dorazori::ZEZNamedItems)

namespace {
bool StartsWithIgnoringCase(const std::string& S, const std::string& Prefix) {
  return S.size() >= Prefix.size() && AnsiCompareText(S.substr(0, Prefix.size()), Prefix) == 0;
}

const TTemplateRec DelphiTemplates[] = {
    {"arrayc", "array declaration (const)", "array[0..|] of = ();"},
    {"arrayd", "array declaration (var)", "array[0..|] of ;"},
    {"casee", "case statement (with else)", "case | of\n  : ;\n  : ;\nelse ;\nend;"},
    {"cases", "case statement", "case | of\n  : ;\n  : ;\nend;"},
    {"classc", "class declaration (with Create/Destroy overrides)",
     "T| = class(T)\nprivate\n\nprotected\n\npublic\n  constructor Create; override;\n  destructor Destroy; override;\n"
     "published\n\nend;"},
    {"classd", "class declaration (no parts)", "T| = class(T)\n\nend;"},
    {"classf", "class declaration (all parts)", "T| = class(T)\nprivate\n\nprotected\n\npublic\n\npublished\n\nend;"},
    {"forb", "for statement", "for | :=  to  do\nbegin\n\nend;"},
    {"fors", "for (no begin/end)", "for | :=  to  do"},
    {"function", "function declaration", "function |(): ;\nbegin\n\nend;"},
    {"ifb", "if statement", "if | then\nbegin\n\nend;"},
    {"ife", "if then (no begin/end) else (no begin/end)", "if | then\n\nelse"},
    {"ifeb", "if then else", "if | then\nbegin\n\nend\nelse\nbegin\n\nend;"},
    {"ifs", "if (no begin/end)", "if | then"},
    {"procedure", "procedure declaration", "procedure |();\nbegin\n\nend;"},
    {"trycf", "try finally (with Create/Free)",
     "variable := typename.Create;\ntry\n  |\nfinally\n  variable.Free;\nend;"},
    {"trye", "try except", "try\n  |\nexcept\n\nend;"},
    {"tryf", "try finally", "try\n  |\nfinally\n\nend;"},
    {"whileb", "while statement", "while | do\nbegin\n\nend;"},
    {"whiles", "while (no begin)", "while | do"},
    {"withb", "with statement", "with | do\nbegin\n\nend;"},
    {"withs", "with (no begin)", "with | do"},
};

const TTemplateRec CppTemplates[] = {
    {"classc", "class declaration (with constructor/destructor)",
     "class T|\n{\nprivate:\n\nprotected:\n\npublic:\n  T();\n  ~T();\n};"},
    {"classd", "class declaration (no parts)", "class T|\n{\n\n};"},
    {"classf", "class declaration (all parts)", "class T|\n{\nprivate:\n\nprotected:\n\npublic:\n\n__published:\n\n};"},
    {"forb", "for statement", "for (|; ; )\n{\n\n}"},
    {"fors", "for (no braces)", "for (|; ; )"},
    {"function", "function declaration", "void |()\n{\n\n}"},
    {"ifb", "if statement", "if (|)\n{\n\n}"},
    {"ife", "if else (no braces)", "if (|)\n\nelse\n"},
    {"ifeb", "if else", "if (|)\n{\n\n}\nelse\n{\n\n}"},
    {"ifs", "if (no braces)", "if (|)"},
    {"struct", "struct declaration", "struct |\n{\n\n};"},
    {"switche", "switch statement (with default)", "switch (|)\n{\n  case :\n    break;\n  default:\n    break;\n}"},
    {"switchs", "switch statement", "switch (|)\n{\n  case :\n    break;\n}"},
    {"templ", "template declaration", "template <class T>\n|"},
    {"trye", "try catch", "try\n{\n  |\n}\ncatch (...)\n{\n\n}"},
    {"whileb", "while statement", "while (|)\n{\n\n}"},
    {"whiles", "while (no braces)", "while (|)"},
};

const TTemplateRec ClipperTemplates[] = {
    {"access assign", "access and assign method declaration", "ACCESS |\nASSIGN "},
    {"begins", "begin sequence statement", "BEGIN SEQUENCE\n  |\nEND SEQUENCE"},
    {"beginr", "begin sequence with recover", "BEGIN SEQUENCE\n  |\nRECOVER\n\nEND SEQUENCE"},
    {"caseo", "do case statement (with otherwise)", "DO CASE\nCASE |\n\nOTHERWISE\n\nENDCASE"},
    {"cases", "do case statement", "DO CASE\nCASE |\n\nENDCASE"},
    {"class", "class declaration", "CLASS |\n\nENDCLASS"},
    {"fori", "for statement (i)", "FOR i := | TO \n\nNEXT"},
    {"forj", "for statement (j)", "FOR j := | TO \n\nNEXT"},
    {"forl", "for statement (loop variable)", "FOR | :=  TO \n\nNEXT"},
    {"function", "function declaration", "FUNCTION |()\n\nRETURN "},
    {"ifn", "if statement", "IF |\n\nENDIF"},
    {"ife", "if else statement", "IF |\n\nELSE\n\nENDIF"},
    {"method", "method declaration", "METHOD |() CLASS \n\nRETURN SELF"},
    {"procedure", "procedure declaration", "PROCEDURE |()\n\nRETURN"},
    {"whiles", "do while statement", "DO WHILE |\n\nENDDO"},
    {"while!", "do while not statement", "DO WHILE !|\n\nENDDO"},
};
}  // namespace

// ---- items ----

TMemoCodeTemplate::TMemoCodeTemplate(TCollection* ACollection)
    : Vivaridiriz::ZEZNamedItem(ACollection), FCode(new TStringList()) {}

TMemoCodeTemplate::~TMemoCodeTemplate() { delete FCode; }

void TMemoCodeTemplate::Publish(TMetaClass& Meta) {
  TPublisher<TMemoCodeTemplate> P(Meta);
  P.Property("Name", &TMemoCodeTemplate::Name, &TMemoCodeTemplate::SetName);
  P.Property("Description", &TMemoCodeTemplate::Description, &TMemoCodeTemplate::SetDescription);
  P.Property("Code", &TMemoCodeTemplate::Code, &TMemoCodeTemplate::SetCode);
}

void TMemoCodeTemplate::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TMemoCodeTemplate*>(Source)) {
    SetName(S->Name());
    FDescription = S->FDescription;
    FCode->Assign(S->FCode);
    return;
  }
  ZEZNamedItem::Assign(Source);
}

TMemoCodeTemplates::TMemoCodeTemplates(TComponent* AOwner)
    : Dorazori::ZEZNamedItems(AOwner, TMemoCodeTemplate::StaticClass()) {}

TMemoCodeTemplate* TMemoCodeTemplates::AddTemplate(const std::string& Name, const std::string& Description,
                                                   const std::string& Code) {
  auto* T = static_cast<TMemoCodeTemplate*>(Add());
  T->SetName(Name);
  T->SetDescription(Description);
  T->Code()->SetText(Code);
  return T;
}

void TMemoCodeTemplates::FilterNames(TStrings* List, const std::string& Filter, bool& Exact) const {
  List->Clear();
  Exact = false;
  if (!Filter.empty()) {
    for (Integer I = 0; I < Count(); ++I) {
      TMemoCodeTemplate* T = Items(I);
      if (StartsWithIgnoringCase(T->Name(), Filter)) {
        if (AnsiCompareText(T->Name(), Filter) == 0) {
          List->AddObject(T->Name(), reinterpret_cast<TObject*>(static_cast<NativeInt>(I)));
          Exact = true;
          return;
        }
        break;
      }
    }
  }
  bool Any = false;
  for (Integer I = 0; I < Count() && !Filter.empty(); ++I) {
    if (StartsWithIgnoringCase(Items(I)->Name(), Filter)) {
      List->AddObject(Items(I)->Name(), reinterpret_cast<TObject*>(static_cast<NativeInt>(I)));
      Any = true;
    }
  }
  if (!Any) {
    for (Integer I = 0; I < Count(); ++I) {
      List->AddObject(Items(I)->Name(), reinterpret_cast<TObject*>(static_cast<NativeInt>(I)));
    }
  }
}

// ---- sets ----

void RegisterTemplatesProc(const std::string& Lang, TTemplatesProc Proc) {
  Dorazori::RegisterClassExt(TMemoCodeTemplates::StaticClass(), {"CodeTemplates.Lang", "CodeTemplates.Proc"},
                             {Variant(Lang), Dorazori::ProcVariant(reinterpret_cast<void*>(Proc))});
}

TTemplatesProc FindTemplatesProc(const std::string& Lang, bool& Found) {
  Dorazori::TObjectParamListItem* Item =
      Dorazori::GetItemEqual(TMemoCodeTemplates::StaticClass(), {"CodeTemplates.Lang"}, {Variant(Lang)});
  Found = Item != nullptr;
  if (Item == nullptr) {
    return nullptr;
  }
  const Variant V = Item->GetParamByName("CodeTemplates.Proc");
  if (VarIsNull(V)) {
    return nullptr;
  }
  return reinterpret_cast<TTemplatesProc>(V.AsPointer());
}

void TemplatesFromArray(TMemoCodeTemplates* Templates, const TTemplateRec* Arr, Integer High) {
  Templates->BeginUpdate();
  Templates->Clear();
  for (Integer I = 0; I <= High; ++I) {
    Templates->AddTemplate(Arr[I].Name, Arr[I].Description, Arr[I].Code);
  }
  Templates->EndUpdate();
}

void FillWithDelphiTemplates(TMemoCodeTemplates* Templates) {
  TemplatesFromArray(Templates, DelphiTemplates, std::size(DelphiTemplates) - 1);
}

void FillWithCppTemplates(TMemoCodeTemplates* Templates) {
  TemplatesFromArray(Templates, CppTemplates, std::size(CppTemplates) - 1);
}

void FillWithClipperTemplates(TMemoCodeTemplates* Templates) {
  TemplatesFromArray(Templates, ClipperTemplates, std::size(ClipperTemplates) - 1);
}

std::string ConvertCodeTemplate(TMemoCodeTemplate* T) {
  return T->Description() + "|" + SBoldTag + T->Name() + SBoldTag;
}

Integer ConvertCodeTemplates(TMemoCodeTemplates* Templates, TStrings* Strings, const std::string& Filter) {
  Strings->Clear();
  TStringList Names;
  bool Exact = false;
  Templates->FilterNames(&Names, Filter, Exact);
  for (Integer I = 0; I < Names.Count(); ++I) {
    const auto Index = static_cast<Integer>(reinterpret_cast<NativeInt>(Names.Objects(I)));
    Strings->AddObject(ConvertCodeTemplate(Templates->Items(Index)), Names.Objects(I));
  }
  return Exact ? 0 : -1;
}

void TCustomMemoSource::SetTemplatesType(const std::string& S) {
  if (S == FTemplatesType) {
    return;
  }
  bool Found = false;
  const TTemplatesProc Proc = FindTemplatesProc(S, Found);
  if (!Found) {
    return;
  }
  FTemplatesType = S;
  if (Proc != nullptr) {
    Proc(FCodeTemplates);
  }
}

}  // namespace Dcstring
