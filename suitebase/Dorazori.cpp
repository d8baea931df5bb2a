// The parser and code designer bases and the code designer registry.
#include "suitebase/Dorazori.h"

#include "platform/classes/TypInfoImpl.h"
#include "suitebase/Classparams.h"

namespace Dorazori {

Z_IMPLEMENT_CLASS(EAbstractError, Exception)
Z_IMPLEMENT_CLASS(TSimpleParser, TComponent)
Z_IMPLEMENT_CLASS_PUBLISHED(TCodeDesigner, TComponent, TCodeDesigner::Publish)

void AbstractError() { throw EAbstractError(SAbstractError); }

// ---- TSimpleParser ----

TSimpleParser::TSimpleParser(TComponent* AOwner) : TComponent(AOwner), ChangeListeners(new TNotifierList()) {}

TSimpleParser::~TSimpleParser() { FreeAndNil(ChangeListeners); }

TFont* TSimpleParser::GetFont(Integer Index) {
  (void)Index;
  return nullptr;
}

bool TSimpleParser::GetBackColor(Integer Index, TColor& Color) {
  (void)Index;
  (void)Color;
  return false;
}

bool TSimpleParser::StoreColorData() { return false; }

void TSimpleParser::PrepareColorData(Integer Index, const std::string& S, std::string& ColorData) {
  (void)Index;
  ColorData.assign(S.size(), '\0');
}

void TSimpleParser::RegisterNotifier(const TNotifierProc& Method) {
  ChangeListeners->AddMethod(Method);
  if (auto* Listener = dynamic_cast<TComponent*>(Method.Object())) {
    FreeNotification(Listener);
  }
}

void TSimpleParser::UnRegisterNotifier(const TNotifierProc& Method) {
  if (ChangeListeners == nullptr) {
    return;
  }
  ChangeListeners->DeleteMethod(Method);
  // A component whose last method went no longer needs to hear of this parser's end.
  if (auto* Listener = dynamic_cast<TComponent*>(Method.Object())) {
    for (Integer I = 0; I < ChangeListeners->Count(); ++I) {
      if (ChangeListeners->Methods(I).Object() == Listener) {
        return;
      }
    }
    RemoveFreeNotification(Listener);
  }
}

void TSimpleParser::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && ChangeListeners != nullptr) {
    ChangeListeners->DeleteWithData(AComponent);
  }
}

// ---- TCodeDesigner ----

void TCodeDesigner::Publish(TMetaClass& Meta) {
  TPublisher<TCodeDesigner> P(Meta);
  P.Property("OnShowSource", &TCodeDesigner::OnShowSource, &TCodeDesigner::SetOnShowSource);
}

void TCodeDesigner::SetStrings(TStrings*) { AbstractError(); }
TStrings* TCodeDesigner::GetStrings() { AbstractError(); }

void TCodeDesigner::ShowSource(Integer x, Integer y) {
  if (FOnShowSource) {
    FOnShowSource(this, x, y);
  }
}

TClass TCodeDesigner::GetSyntaxParserClass() { return nullptr; }
void TCodeDesigner::CreateMethod(const std::string&, PTypeData) { AbstractError(); }
void TCodeDesigner::ShowMethod(const std::string&) { AbstractError(); }
void TCodeDesigner::RenameMethod(const std::string&, const std::string&) { AbstractError(); }
void TCodeDesigner::DeleteMethod(const std::string&) { AbstractError(); }
void TCodeDesigner::DeleteEmptyMethods() { AbstractError(); }
void TCodeDesigner::GetMethods(PTypeData, TStrings*) { AbstractError(); }
bool TCodeDesigner::MethodExists(const std::string&) { AbstractError(); }
void TCodeDesigner::InsertComponent(TComponent*, const std::string&) { AbstractError(); }
void TCodeDesigner::DeleteComponent(TComponent*) { AbstractError(); }
void TCodeDesigner::RenameComponent(TComponent*, const std::string&) { AbstractError(); }
bool TCodeDesigner::ValidIdentifier(const std::string&) { AbstractError(); }
TMethodState TCodeDesigner::GetMethodState(const std::string&) { AbstractError(); }
void TCodeDesigner::GetUsedUnits(TStrings*, bool) { AbstractError(); }
void TCodeDesigner::UseUnits(TStrings*, bool) { AbstractError(); }
bool TCodeDesigner::AutoFillUses() { return false; }
void TCodeDesigner::RenameModule(const std::string&, const std::string&) {}
void TCodeDesigner::FillWithTemplate(const std::string&, bool) { AbstractError(); }
std::string TCodeDesigner::TypeToString(Integer) { AbstractError(); }
std::string TCodeDesigner::GetDelimiters() { return "/{}+-*():=,;><$.#[]^@&~|%'"; }

// ---- the registry ----

namespace {
const std::vector<std::string>& CodeDesignerParams() {
  static const std::vector<std::string> Names = {"CodeDes.ForUnit", "CodeDes.Extension"};
  return Names;
}

void RegisterCodeDesigner(TClass DesignerClass, const std::string& Extension, bool ForUnit) {
  (void)RegisterClassExt(DesignerClass, CodeDesignerParams(), {Variant(ForUnit), Variant(Extension)});
}
}  // namespace

void RegisterUnitCodeDesigner(TClass DesignerClass, const std::string& Extension) {
  RegisterCodeDesigner(DesignerClass, Extension, true);
}

void RegisterFormCodeDesigner(TClass DesignerClass, const std::string& Extension) {
  RegisterCodeDesigner(DesignerClass, Extension, false);
}

TClass GetCodeDesignerClass(const std::string& Extension, bool ForUnit) {
  std::string Ext = Extension;
  std::erase(Ext, '.');
  return GetClassEx(TCodeDesigner::StaticClass(), CodeDesignerParams(), {Variant(ForUnit), Variant(Ext)},
                    TCompareParams{cpIgnoreCase});
}

TClass GetUnitCodeDesignerClass(const std::string& Extension) { return GetCodeDesignerClass(Extension, true); }
TClass GetFormCodeDesignerClass(const std::string& Extension) { return GetCodeDesignerClass(Extension, false); }

}  // namespace Dorazori
