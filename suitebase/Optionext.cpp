// Option groups: the global instances, working copies, their store and the initialisers.
#include "suitebase/Optionext.h"

#include "platform/rtl/UnitInit.h"
#include "suitebase/Classparams.h"
#include "suitebase/Propaccess.h"
#include "suitebase/Regstore.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace Dorazori {

bool StoreOptionsInFile = false;

Z_IMPLEMENT_CLASS(TOptionExt, TPersistent)
Z_IMPLEMENT_CLASS(TOptionExtList, TList)

namespace {
inline constexpr const char* OptionsParam = "Environment.Options";
inline constexpr Integer OptionsMarker = 123;

// The global instances by class name (ASCII case ignored), in the order they were made.
std::vector<std::pair<std::string, TOptionExt*>>& Globals() {
  static std::vector<std::pair<std::string, TOptionExt*>> List;
  return List;
}

std::vector<TInitProc>& Initializers() {
  static std::vector<TInitProc> List;
  return List;
}

TOptionExt* FindGlobal(const std::string& ClassName) {
  for (const auto& [Name, Options] : Globals()) {
    if (SameText(Name, ClassName)) {
      return Options;
    }
  }
  return nullptr;
}

void FinalizeOptions() {
  SaveGlobalOptions();
  while (!Globals().empty()) {
    delete Globals().back().second;  // its destructor takes its entry away
  }
}
}  // namespace

void TOptionExt::AfterConstruction() {
  TPersistent::AfterConstruction();
  if (TOptionExt* Global = FindGlobal(ClassName())) {
    FGlobalInstance = Global;
    FIsGlobalInstance = false;
    Assign(Global);
    return;
  }
  FIsGlobalInstance = true;
  Globals().emplace_back(ClassName(), this);
  InitValues();
  const std::vector<TInitProc> Procs = Initializers();
  for (auto It = Procs.rbegin(); It != Procs.rend(); ++It) {
    (*It)(this);
  }
  LoadConfig();
}

TOptionExt::~TOptionExt() {
  if (FIsGlobalInstance) {
    std::erase_if(Globals(), [this](const auto& Entry) { return Entry.second == this; });
  }
}

void TOptionExt::EndUpdate() {
  if (FUpdateLevel > 0 && --FUpdateLevel == 0) {
    Update();
  }
}

void TOptionExt::Assign(TPersistent* Source) {
  BeginUpdate();
  try {
    Vivaridiriz::AssignAllProps(Source, this);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TOptionExt::ApplyOptions() {
  if (FIsGlobalInstance || FGlobalInstance == nullptr) {
    Update();
    return;
  }
  BeginUpdate();
  try {
    FGlobalInstance->Assign(this);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TOptionExt::LoadConfig() {
  BeginUpdate();
  try {
    if (StoreOptionsInFile) {
      LoadComponentFromIniFile(GetOptionControl(), GetKey());
    } else {
      ReadPropsFromRegistry(GetOptionControl(), GetKey());
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TOptionExt::SaveConfig() {
  if (StoreOptionsInFile) {
    SaveComponentToIniFile(GetOptionControl(), GetKey());
  } else {
    WritePropsToRegistry(GetOptionControl(), GetKey());
  }
}

std::string TOptionExt::GetKey() { return ClassName().substr(1); }

TOptionExt* GetOptionsByClass(TClass OptionClass) {
  if (OptionClass == nullptr) {
    return nullptr;
  }
  if (TOptionExt* Global = FindGlobal(OptionClass->ClassName())) {
    return Global;
  }
  return dynamic_cast<TOptionExt*>(OptionClass->NewInstance());
}

void SaveGlobalOptions() {
  const auto List = Globals();
  for (const auto& Entry : List) {
    Entry.second->SaveConfig();
  }
}

void RegisterOptionExt(TClass OptionClass) { (void)RegisterClassExt(OptionClass, {OptionsParam}, {OptionsMarker}); }

void RegisterOptionsInitializator(TInitProc Proc) { Initializers().push_back(Proc); }

void UnRegisterOptionsInitializator(TInitProc Proc) {
  auto& L = Initializers();
  if (const auto It = std::find(L.begin(), L.end(), Proc); It != L.end()) {
    L.erase(It);
  }
}

TOptionExtList::TOptionExtList() {
  TList Classes;
  GetRegisteredClasses(TOptionExt::StaticClass(), &Classes);
  for (Integer I = 0; I < Classes.Count(); ++I) {
    const auto Class = static_cast<TClass>(Classes.Items(I));
    TObjectParamListItem* Item = GetItemEqual(Class, {OptionsParam}, {OptionsMarker});
    if (Item == nullptr || Class->IsAbstract()) {
      continue;
    }
    TOptionExt* Copy = nullptr;
    // The first instance of a class becomes the global one, which stays in the global registry.
    while (Copy == nullptr) {
      auto* Made = dynamic_cast<TOptionExt*>(Class->NewInstance());
      if (Made == nullptr) {
        break;
      }
      if (!Made->IsGlobalInstance()) {
        Copy = Made;
      }
    }
    if (Copy != nullptr) {
      Add(Copy);
    }
  }
}

TOptionExtList::~TOptionExtList() {
  for (Integer I = 0; I < Count(); ++I) {
    delete static_cast<TOptionExt*>(Items(I));
  }
}

TOptionExt* TOptionExtList::GetOptionWithClass(const std::string& ClassName) const {
  for (Integer I = 0; I < Count(); ++I) {
    auto* O = static_cast<TOptionExt*>(Items(I));
    if (CompareText(O->ClassName(), ClassName) == 0) {
      return O;
    }
  }
  return nullptr;
}

void TOptionExtList::ApplyOptions() {
  for (Integer I = 0; I < Count(); ++I) {
    static_cast<TOptionExt*>(Items(I))->ApplyOptions();
  }
}

}  // namespace Dorazori

Z_REGISTER_UNIT(UnitOrder::Dorazori, "Dorazori.Options", nullptr, &Dorazori::FinalizeOptions)
