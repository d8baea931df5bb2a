// The spell component's dictionary set: folders, lookup, loading and management of dictionaries.
#include "spell/Lx3spellbase.h"

#include "platform/classes/Registry.h"
#include "platform/rtl/FileUtils.h"
#include "spell/Lx3customdictionary.h"
#include "spell/Lx3maindictionary.h"
#include "spell/Lx3parseengine.h"
#include "spell/Lx3suggestions.h"

#include <fstream>

namespace {

bool IsPathName(const std::string& Name) { return Name.find(PathDelim) != std::string::npos; }

int IndexOfExact(TStrings& List, const std::string& S) {
  for (Integer I = 0; I < List.Count(); ++I) {
    if (List.Strings(I) == S) {
      return I;
    }
  }
  return -1;
}

int IndexOfText(TStrings& List, const std::string& S) {
  for (Integer I = 0; I < List.Count(); ++I) {
    if (AnsiCompareText(List.Strings(I), S) == 0) {
      return I;
    }
  }
  return -1;
}

}  // namespace

void TLexiSpell3Base::RebuildDictionaryFolders() {
  DictionaryFolders.BeginUpdate();
  DictionaryFolders.Clear();
  DictionaryFolders.AddStrings(&FConfigDictionaryDir);
  if (FConfig->Loaded()) {
    DictionaryFolders.AddStrings(FConfig->ReadNewDictionaryPaths());
  }
  DictionaryFolders.EndUpdate();
}

void TLexiSpell3Base::EmptyCaches() {
  FAvailableMain.Clear();
  FAvailableCustom.Clear();
  FAvailableMSWordCustom.Clear();
}

std::string TLexiSpell3Base::FolderPath(const std::string& Folder, const std::string& Name) {
  return ExpandVars(AdExcludeTrailingBackslash(Folder) + PathDelim + Name);
}

std::unique_ptr<TMainDictionary> TLexiSpell3Base::GetMainDictionary(const std::string& Name) {
  auto D = std::make_unique<TMainDictionary>();
  if (IsPathName(Name)) {
    const std::string Path = ExpandVars(Name);
    D->WriteFilename(Path);
    return D->Filename() == Path ? std::move(D) : nullptr;
  }
  for (Integer I = 0; I < DictionaryFolders.Count(); ++I) {
    const std::string Path = FolderPath(DictionaryFolders.Strings(I), Name);
    D->WriteFilename(Path);
    if (D->Filename() == Path) {
      return D;
    }
  }
  return nullptr;
}

std::unique_ptr<TCustomDictionary> TLexiSpell3Base::GetCustomDictionary(const std::string& Name) {
  TCustomDictionary* Supplied = nullptr;
  if (OnCreateCustomDictionary) {
    OnCreateCustomDictionary(this, Supplied);
  }
  std::unique_ptr<TCustomDictionary> D(Supplied ? Supplied : new TCustomDictionary());
  std::string Path;
  if (IsPathName(Name)) {
    Path = ExpandVars(Name);
    ADForceDirectories(ExtractFileDir(Path));
  } else {
    std::string First;
    for (Integer I = 0; I < DictionaryFolders.Count() && Path.empty(); ++I) {
      const std::string Candidate = FolderPath(DictionaryFolders.Strings(I), Name);
      ADForceDirectories(ExtractFileDir(Candidate));
      if (First.empty()) {
        First = Candidate;
      }
      if (FileExists(Candidate)) {
        Path = Candidate;
      }
    }
    if (Path.empty()) {
      Path = DictionaryFolders.Count() > 0 ? First : Name;
    }
  }
  // The new object must read the latest contents of that file.
  for (auto& Open : OpenCustomDictionaries) {
    if (Open->Filename() == Path) {
      Open->Save();
    }
  }
  if (ActiveCustom && ActiveCustom->Filename() == Path) {
    ActiveCustom->Save();
  }
  D->WriteFilename(Path);
  if (D->Filename() != Path) {
    return nullptr;
  }
  return D;
}

std::unique_ptr<TCustomDictionary> TLexiSpell3Base::GetMSWordCustomDictionary(const std::string& FileName) {
  if (!FileExists(FileName)) {
    return nullptr;
  }
  auto D = std::make_unique<TCustomDictionary>();
  std::ifstream In(FileName, std::ios::binary);
  std::string Line;
  while (std::getline(In, Line)) {
    if (!Line.empty() && Line.back() == '\r') {
      Line.pop_back();
    }
    D->AddIgnore(Line);
  }
  return D;
}

void TLexiSpell3Base::GetAvailableDictionaries(const std::string& Extension, TStrings& List) {
  FConfig->EnsureLoaded();
  for (Integer I = 0; I < DictionaryFolders.Count(); ++I) {
    const std::string Mask = FolderPath(DictionaryFolders.Strings(I), "*." + Extension);
    TSearchRec F;
    if (FindFirst(Mask, faAnyFile, F) == 0) {
      do {
        if ((F.Attr & faDirectory) == 0) {
          List.Add(F.Name);
        }
      } while (FindNext(F) == 0);
      FindClose(F);
    }
  }
  // The first folder wins: later entries of the same name go.
  for (Integer I = List.Count() - 1; I > 0; --I) {
    for (Integer J = 0; J < I; ++J) {
      if (List.Strings(J) == List.Strings(I)) {
        List.Delete(I);
        break;
      }
    }
  }
}

TStringList* TLexiSpell3Base::ReadAvailableMain() {
  if (FAvailableMain.Count() == 0) {
    GetAvailableDictionaries("adm", FAvailableMain);
  }
  return &FAvailableMain;
}

TStringList* TLexiSpell3Base::ReadAvailableCustom() {
  if (FAvailableCustom.Count() == 0) {
    GetAvailableDictionaries("adu", FAvailableCustom);
    const std::string Active = FConfig->ReadActiveCustom();
    if (!Active.empty() && IndexOfText(FAvailableCustom, Active) < 0) {
      FAvailableCustom.Insert(0, Active);
    }
  }
  return &FAvailableCustom;
}

TStringList* TLexiSpell3Base::ReadAvailableMSWordCustom() {
  if (FAvailableMSWordCustom.Count() > 0) {
    return &FAvailableMSWordCustom;
  }
  for (HKEY Root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    try {
      TRegistry Reg(KEY_READ);
      Reg.SetRootKey(Root);
      if (!Reg.OpenKeyReadOnly("Software\\Microsoft\\Shared Tools\\Proofing Tools\\Custom Dictionaries")) {
        continue;
      }
      for (int I = 1;; ++I) {
        const std::string Value = std::to_string(I);
        if (!Reg.ValueExists(Value)) {
          break;
        }
        std::string File = Reg.ReadString(Value);
        if (File.empty()) {
          break;
        }
        if (!IsPathName(File)) {
          File = ExpandVars("%AppData%/Microsoft/Proof/" + File);
        }
        if (FileExists(File)) {
          FAvailableMSWordCustom.Add(File);
        }
      }
    } catch (const std::exception&) {
    }
  }
  return &FAvailableMSWordCustom;
}

void TLexiSpell3Base::ReloadDictionaries() {
  FPossessive = false;
  FOrderCountdown = 100;
  OpenMainDictionaries.clear();
  TStringList* Main = FConfig->ReadMainDictionaries();
  for (Integer I = 0; I < Main->Count(); ++I) {
    if (auto D = GetMainDictionary(Main->Strings(I))) {
      if ((D->Language() & 0xFF) == 9) {
        FPossessive = true;
      }
      OpenMainDictionaries.push_back(std::move(D));
    }
  }
  const std::string ActiveName = FConfig->ReadActiveCustom();
  OpenCustomDictionaries.clear();
  TStringList* Custom = FConfig->ReadCustomDictionaries();
  for (Integer I = 0; I < Custom->Count(); ++I) {
    const std::string Name = Custom->Strings(I);
    if (Name == ActiveName) {
      continue;
    }
    if (auto D = GetCustomDictionary(Name)) {
      OpenCustomDictionaries.push_back(std::move(D));
    }
  }
  OpenMSWordDictionaries.clear();
  TStringList* Word = FConfig->ReadMSWordCustomDictionaries();
  for (Integer I = 0; I < Word->Count(); ++I) {
    if (auto D = GetMSWordCustomDictionary(Word->Strings(I))) {
      OpenMSWordDictionaries.push_back(std::move(D));
    }
  }
  ActiveCustom.reset();
  if (!ActiveName.empty()) {
    ActiveCustom = GetCustomDictionary(ActiveName);
  }
  if (!MappingDictionary && !FMappingDictionaryName.empty()) {
    MappingDictionary = GetCustomDictionary(FMappingDictionaryName);
  }
  if (!LearningDictionary && FSuggestionsLearning) {
    LearningDictionary = GetCustomDictionary(FSuggestionsLearningDict);
  }
  if (OnDictionariesChanged) {
    OnDictionariesChanged(this);
  }
}

void TLexiSpell3Base::UnloadDictionaries() {
  if (FKeepDictionariesActive || FChecking) {
    return;
  }
  FConfig->SaveConfiguration();
  for (auto& D : OpenMainDictionaries) {
    D->WriteLoaded(false);
  }
  if (ActiveCustom) {
    ActiveCustom->WriteLoaded(false);
  }
  for (auto& D : OpenCustomDictionaries) {
    D->WriteLoaded(false);
  }
  if (LearningDictionary) {
    LearningDictionary->WriteLoaded(false);
  }
}

void TLexiSpell3Base::OptimizeMainDictionaryOrder() {
  if (OpenMainDictionaries.size() >= 2) {
    std::size_t Best = 0;
    for (std::size_t I = 1; I < OpenMainDictionaries.size(); ++I) {
      if (OpenMainDictionaries[I]->WordsFound() > OpenMainDictionaries[Best]->WordsFound()) {
        Best = I;
      }
    }
    if (Best > 0) {
      auto D = std::move(OpenMainDictionaries[Best]);
      OpenMainDictionaries.erase(OpenMainDictionaries.begin() + static_cast<std::ptrdiff_t>(Best));
      OpenMainDictionaries.insert(OpenMainDictionaries.begin(), std::move(D));
    }
  }
  if (!OpenMainDictionaries.empty()) {
    const std::int32_t Language = OpenMainDictionaries.front()->Language();
    FSuggestions->WriteLanguage(Language);
    const bool French = (Language & 0xFF) == 12;
    if (FParsingEngine->FrenchExceptions() != French) {
      FParsingEngine->SetFrenchExceptions(French);
    }
  }
}

void TLexiSpell3Base::EnableCustomDictionary(const std::string& Name, bool Enable) {
  TStringList* Custom = FConfig->ReadCustomDictionaries();
  const int Index = IndexOfText(*Custom, Name);
  if (Index >= 0) {
    if (Enable) {
      return;
    }
    const bool WasActive = FConfig->ReadActiveCustom() == Name;
    Custom->Delete(Index);
    if (WasActive) {
      FConfig->WriteActiveCustom(Custom->Count() > 0 ? Custom->Strings(0) : std::string());
    }
    return;
  }
  if (Enable && GetCustomDictionary(Name)) {
    Custom->Add(Name);
  }
}

void TLexiSpell3Base::EnableWordDictionary(const std::string& FileName, bool Enable) {
  TStringList* Word = FConfig->ReadMSWordCustomDictionaries();
  const int Index = IndexOfText(*Word, FileName);
  if (Index >= 0) {
    if (!Enable) {
      Word->Delete(Index);
    }
    return;
  }
  if (Enable && FileExists(FileName)) {
    Word->Add(FileName);
  }
}

void TLexiSpell3Base::RemoveCustomDictionary(const std::string& Name) {
  EnableCustomDictionary(Name, false);
  FAvailableCustom.Clear();
  if (auto D = GetCustomDictionary(Name)) {
    const std::string File = D->Filename();
    D->SetModified(false);
    D.reset();
    if (!File.empty() && FileExists(File)) {
      DeleteFile(File);
    }
  }
}

void TLexiSpell3Base::CreateNewCustomDictionary(const std::string& Name) {
  const std::string FileName = ChangeFileExt(ExtractFileName(Name), ".adu");
  if (auto D = GetCustomDictionary(FileName)) {
    // Read what a file of that name already holds, so that saving it keeps its words.
    D->WriteLoaded(true);
    D->SetModified(true);
    D->Save();
  }
  TStringList* Custom = FConfig->ReadCustomDictionaries();
  if (IndexOfText(*Custom, FileName) < 0) {
    Custom->Add(FileName);
  }
  FAvailableCustom.Clear();
}

bool TLexiSpell3Base::RenameCustomDictionary(const std::string& OldName, const std::string& NewName) {
  if (OldName == NewName || ReadAvailableCustom()->IndexOf(OldName) < 0) {
    return false;
  }
  auto D = GetCustomDictionary(OldName);
  if (!D || D->Filename().empty()) {
    return false;
  }
  const std::string OldFile = D->Filename();
  const std::string Target = ExtractFilePath(OldFile) + ChangeFileExt(NewName, ".adu");
  if (FileExists(Target) || !CanFileBeWritten(Target, true)) {
    return false;
  }
  D->WriteLoaded(true);
  D->SetModified(true);
  D->Save();
  D.reset();
  if (!RenameFile(OldFile, Target)) {
    return false;
  }
  const bool WasActive = FConfig->ReadActiveCustom() == OldName;
  TStringList* Custom = FConfig->ReadCustomDictionaries();
  const int Index = IndexOfExact(*Custom, OldName);
  if (Index >= 0) {
    Custom->Delete(Index);
  }
  Custom->Add(NewName);
  if (WasActive) {
    FConfig->WriteActiveCustom(NewName);
  }
  FAvailableCustom.Clear();
  return true;
}
