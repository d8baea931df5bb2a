// Component naming and lookup routines.
#include "suitebase/Compnames.h"

#include "platform/classes/Filer.h"
#include "platform/win/Resources.h"
#include "suitebase/Classparams.h"

#include <array>
#include <cctype>

namespace Dorazori {

TBuildCompNameFunc BuildCompNameFunc;

namespace {
inline constexpr LongInt LowHalf = 0xFFFF;

// The lookup forwarder's state: the caller's procedure, and the front procedure it replaced (null: the
// layer's default lookup).
TFindComponentProc FindCompProc;
bool ForwarderInstalled = false;
TFindGlobalComponent PreviousFront = nullptr;

TComponent* ForwardFindGlobalComponent(const std::string& Name) {
  if (FindCompProc) {
    return FindCompProc(Name);
  }
  return PreviousFront != nullptr ? PreviousFront(Name) : FindGlobalComponentDefault(Name);
}
}  // namespace

TPoint GetComponentTopLeft(TComponent* Component) {
  const auto Info = static_cast<std::uint32_t>(Component->DesignInfo());
  return TPoint{static_cast<LONG>(Info & LowHalf), static_cast<LONG>(Info >> 16)};
}

void SetComponentTopLeft(TComponent* Component, const TPoint& P) {
  const std::uint32_t Info = (static_cast<std::uint32_t>(P.X) & LowHalf) | (static_cast<std::uint32_t>(P.Y) << 16);
  Component->SetDesignInfo(static_cast<LongInt>(Info));
}

std::string GetCompName(TPersistent* Instance) { return Instance != nullptr ? Instance->GetNamePath() : ""; }

std::string BuildCompName(TPersistent* Instance, const std::string& Name) {
  if (BuildCompNameFunc) {
    return BuildCompNameFunc(Instance, Name);
  }
  if (Instance == nullptr) {
    return "";
  }
  const std::string Shown = Name.empty() ? GetCompName(Instance) : Name;
  return Shown.empty() ? "" : Shown + ": " + Instance->ClassName();
}

std::string GetOriginalComponentName(const std::string& Name) {
  if (Name.size() < 3) {
    return Name;
  }
  std::size_t I = Name.size();
  while (I > 0 && std::isdigit(static_cast<unsigned char>(Name[I - 1])) != 0) {
    --I;
  }
  if (I == Name.size() || I == 0 || Name[I - 1] != '_') {
    return Name;
  }
  return Name.substr(0, I - 1);
}

std::string ExtractControlName(const std::string& S) {
  std::string Result = S;
  if (const std::size_t Dot = Result.find('.'); Dot != std::string::npos) {
    Result.erase(0, Dot + 1);
  }
  if (const std::size_t Dot = Result.find('.'); Dot != std::string::npos) {
    Result.erase(Dot);
  }
  return Result;
}

bool NameIsUnique(TComponent* Owner, const std::string& Name) {
  for (TComponent* O = Owner; O != nullptr; O = O->Owner()) {
    if (O->FindComponent(Name) != nullptr) {
      return false;
    }
  }
  return true;
}

std::string UniqueName(TComponent* Owner, const std::string& BaseName) {
  for (int I = 1;; ++I) {
    std::string Candidate = BaseName + IntToStr(I);
    if (Owner == nullptr || NameIsUnique(Owner, Candidate)) {
      return Candidate;
    }
  }
}

std::string FindUniqueName(const std::string& BaseName) {
  if (!IsFindGlobalComponentSet()) {
    return "";
  }
  std::string Result = BaseName;
  for (int I = 1; FindGlobalComponent(Result) != nullptr; ++I) {
    Result = Format("%s_%d", {BaseName, I});
  }
  return Result;
}

void CompNamesToProc(TComponent* Owner, TComponent* Root, PTypeInfo TypeData, const TGetStrProc& Proc) {
  if (Owner == nullptr || TypeData == nullptr || TypeData->ClassType == nullptr || !Proc) {
    return;
  }
  for (Integer I = 0; I < Owner->ComponentCount(); ++I) {
    TComponent* C = Owner->Components(I);
    if (!C->Name().empty() && C->InheritsFrom(TypeData->ClassType)) {
      Proc(Owner != Root ? Owner->Name() + "." + C->Name() : C->Name());
    }
  }
}

void CompListNamesToProc(TList* Owners, TComponent* Root, PTypeInfo TypeData, const TGetStrProc& Proc) {
  for (Integer I = 0; Owners != nullptr && I < Owners->Count(); ++I) {
    CompNamesToProc(static_cast<TComponent*>(Owners->Items(I)), Root, TypeData, Proc);
  }
}

bool SetFindGlobalCompProc(const TFindComponentProc& Proc) {
  if (FindCompProc) {
    return false;
  }
  if (!ForwarderInstalled) {
    PreviousFront = SetFindGlobalComponentFront(&ForwardFindGlobalComponent);
    ForwarderInstalled = true;
  }
  FindCompProc = Proc;
  return true;
}

void RemoveFindGlobalCompProc() { FindCompProc = nullptr; }

std::string StringFromRType(LPCSTR P) {
  static constexpr std::array<const char*, 23> Names = {
      "",        "CURSOR",      "BITMAP", "ICON",         "MENU",         "DIALOG",    "STRING",     "FONTDIR",
      "FONT",    "ACCELERATOR", "RCDATA", "MESSAGETABLE", "GROUP_CURSOR", "",          "GROUP_ICON", "",
      "VERSION", "DLGINCLUDE",  "",       "PLUGPLAY",     "VXD",          "ANICURSOR", "ANIICON"};
  if (!IS_INTRESOURCE(P)) {
    return P;
  }
  const auto Id = reinterpret_cast<std::uintptr_t>(P);
  return Id < Names.size() ? Names[Id] : "";
}

std::string StringFromRName(LPCSTR P) {
  if (!IS_INTRESOURCE(P)) {
    return P;
  }
  return IntToStr(static_cast<Int64>(reinterpret_cast<std::uintptr_t>(P)));
}

void EnumTextStylesSets(const TGetStrProc& Proc) {
  TObjectParamList* L = ObjectParamList();
  for (Integer I = 0; I < L->Count(); ++I) {
    TObjectParamListItem* Item = L->GetItem(I);
    if (Item->HoldsClass && VarToStr(Item->GetParamByName(TextStylesClassID)) == TextStylesClassID && Proc) {
      Proc(VarToStr(Item->GetParamByName(TextStylesClassInitName)));
    }
  }
}

void FreeTextStylesSets() {
  TObjectParamList* L = ObjectParamList();
  for (Integer I = L->Count() - 1; I >= 0; --I) {
    TObjectParamListItem* Item = L->GetItem(I);
    if (Item->HoldsClass && VarToStr(Item->GetParamByName(TextStylesClassID)) == TextStylesClassID) {
      L->Delete(I);
    }
  }
}

}  // namespace Dorazori
