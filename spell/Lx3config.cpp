// The spell checker's stored configuration and the path variables of its file names.
#include "spell/Lx3config.h"

#include "platform/classes/IniFiles.h"
#include "platform/classes/Registry.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Shell.h"
#include "spell/Lx3spellbase.h"

#include <filesystem>

namespace {

// Option value names, in the order they are read and written.
struct TOptionName {
  TSpellOption Option;
  const char* Name;
};
constexpr TOptionName OptionNames[] = {
    {soUpcase, "_soUpcase"},         {soNumbers, "_soNumbers"},         {soHTML, "_soHTML"},
    {soInternet, "_soInternet"},     {soQuoted, "_soQuoted"},           {soAbbreviations, "_soAbbreviations"},
    {soPrimaryOnly, "_soPrimaryOnly"}, {soRepeated, "_soRepeated"},     {soDUalCaps, "_soDUalCaps"},
    {soLiveSpelling, "_soLiveSpelling"}, {soLiveCorrect, "_soLiveCorrect"}, {soUser1, "_soUser1"},
    {soUser2, "_soUser2"},           {soUser3, "_soUser3"},             {soUser4, "_soUser4"}};

std::string ProgramPath() { return GetModuleFileNameString(nullptr); }

}  // namespace

std::string ReplaceString(const std::string& Pattern, const std::string& Replacement, const std::string& Text) {
  const auto P = Text.find(Pattern);
  if (Pattern.empty() || P == std::string::npos) {
    return Text;
  }
  std::string Result = Text;
  Result.replace(P, Pattern.size(), Replacement);
  return Result;
}

std::string AdExcludeTrailingBackslash(const std::string& Text) {
  if (Text.size() > 1 && Text.back() == PathDelim) {
    return Text.substr(0, Text.size() - 1);
  }
  return Text;
}

std::string GetSpecialFolder(int Id) {
  char Path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPath(0, Path, Id, FALSE)) {
    return std::string();
  }
  return AdExcludeTrailingBackslash(Path);
}

void ADForceDirectories(const std::string& Folder) {
  if (Folder.empty()) {
    return;
  }
  std::error_code Ec;
  std::filesystem::create_directories(AdExcludeTrailingBackslash(Folder), Ec);
}

std::string ExpandFixedVars(const std::string& Text) {
  std::string Result = Text;
  if (Result.find("%AppName%") != std::string::npos) {
    const std::string Name = ExtractFileName(ProgramPath());
    Result = ReplaceString("%AppName%", ChangeFileExt(Name, ""), Result);
  }
  if (Result.find("%UserName%") != std::string::npos) {
    char Buffer[256] = {};
    DWORD Size = sizeof(Buffer);
    std::string User;
    if (GetUserName(Buffer, &Size)) {
      User = Buffer;
    }
    Result = ReplaceString("%UserName%", User.empty() ? "default" : User, Result);
  }
  return Result;
}

std::string ExpandChangingVars(const std::string& Text) {
  std::string Result = Text;
  const std::string AppDir = AdExcludeTrailingBackslash(ExtractFileDir(ProgramPath()));
  Result = ReplaceString("%AppDir%", AppDir, Result);
  if (Result.find("%AppData%") != std::string::npos) {
    std::string Folder = GetSpecialFolder(0x001A);
    Result = ReplaceString("%AppData%", Folder.empty() ? AppDir : Folder, Result);
  }
  if (Result.find("%MyDocuments%") != std::string::npos) {
    Result = ReplaceString("%MyDocuments%", GetSpecialFolder(0x0005), Result);
  }
  const std::string Expanded = ExpandEnvironmentString(Result);
  return Expanded.size() < 4096 ? Expanded : Result;
}

std::string ExpandBasicVars(const std::string& Text) { return ExpandChangingVars(ExpandFixedVars(Text)); }

TLexiConfig::TLexiConfig() {
  FNewDictionaryPaths.SetSorted(true);
  FNewDictionaryPaths.SetDuplicates(dupIgnore);
  for (TStringList* L : {&FMainDictionaries, &FCustomDictionaries, &FMSWordCustomDictionaries, &FNewDictionaryPaths}) {
    L->SetOnChange([this](TObject* Sender) { NotifyDictionariesChanged(Sender); });
  }
}

TLexiConfig::~TLexiConfig() {
  SaveConfiguration();
  for (TStringList* L : {&FMainDictionaries, &FCustomDictionaries, &FMSWordCustomDictionaries, &FNewDictionaryPaths}) {
    L->SetOnChange(nullptr);
  }
}

void TLexiConfig::EnsureLoaded() {
  if (!FLoaded) {
    LoadConfiguration();
  }
}

TStringList* TLexiConfig::ReadMainDictionaries() {
  EnsureLoaded();
  return &FMainDictionaries;
}

TStringList* TLexiConfig::ReadCustomDictionaries() {
  EnsureLoaded();
  return &FCustomDictionaries;
}

TStringList* TLexiConfig::ReadMSWordCustomDictionaries() {
  EnsureLoaded();
  return &FMSWordCustomDictionaries;
}

TStringList* TLexiConfig::ReadNewDictionaryPaths() {
  EnsureLoaded();
  return &FNewDictionaryPaths;
}

std::string TLexiConfig::ReadActiveCustom() {
  EnsureLoaded();
  return FOwner ? FOwner->ExpandVars(FActiveCustom) : FActiveCustom;
}

TSpellOptions TLexiConfig::ReadSpellOptions() {
  EnsureLoaded();
  return FSpellOptions;
}

int TLexiConfig::ReadDialogX() {
  EnsureLoaded();
  return FDialogX;
}

int TLexiConfig::ReadDialogY() {
  EnsureLoaded();
  return FDialogY;
}

void TLexiConfig::WriteLoaded(bool Value) {
  if (Value == FLoaded) {
    return;
  }
  if (Value) {
    LoadConfiguration();
  } else {
    SaveConfiguration();
    FLoaded = false;
  }
}

void TLexiConfig::WriteActiveCustom(const std::string& Name) {
  if (Name == FActiveCustom) {
    return;
  }
  FActiveCustom = Name;
  bool Found = false;
  for (Integer I = 0; I < FCustomDictionaries.Count(); ++I) {
    Found = Found || AnsiCompareText(FCustomDictionaries.Strings(I), Name) == 0;
  }
  // An empty name means "no active dictionary" and is no list entry.
  if (!Found && !Name.empty()) {
    FCustomDictionaries.Add(Name);
  }
  FireOnConfigChanged(true);
}

void TLexiConfig::WriteSpellOptions(TSpellOptions Value) {
  if (Value != FSpellOptions) {
    FSpellOptions = Value;
    FireOnConfigChanged(false);
  }
}

void TLexiConfig::WriteDialogX(int X) {
  if (X != FDialogX) {
    FDialogX = X;
    FireOnConfigChanged(false);
  }
}

void TLexiConfig::WriteDialogY(int Y) {
  if (Y != FDialogY) {
    FDialogY = Y;
    FireOnConfigChanged(false);
  }
}

void TLexiConfig::NotifyDictionariesChanged(TObject*) { FireOnConfigChanged(true); }

void TLexiConfig::FireOnConfigChanged(bool Reload) {
  if (FOwner && FLoaded) {
    FModified = true;
    FOwner->FireConfigurationChanged(Reload);
  }
}

std::string TLexiConfig::ReadString(const std::string& Key, const std::string& Default) {
  if (!FOwner) {
    return Default;
  }
  try {
    switch (FOwner->ConfigStorage()) {
      case csFile:
        return FIni ? FIni->ReadString(FConfigID, Key, Default) : Default;
      case csRegistry:
        return FRegistry && FRegistry->CurrentKey() && FRegistry->ValueExists(Key) ? FRegistry->ReadString(Key)
                                                                                  : Default;
      case csCallback: {
        std::string Value = Default;
        FOwner->FireReadString(FConfigID, Key, Default, Value);
        return Value;
      }
      case csNone:
        return Default;
    }
  } catch (const std::exception&) {
  }
  return Default;
}

void TLexiConfig::WriteString(const std::string& Key, const std::string& Value) {
  if (!FOwner) {
    return;
  }
  try {
    switch (FOwner->ConfigStorage()) {
      case csFile:
        if (FIni) {
          FIni->WriteString(FConfigID, Key, Value);
        }
        break;
      case csRegistry:
        if (FRegistry && FRegistry->CurrentKey()) {
          FRegistry->WriteString(Key, Value);
        }
        break;
      case csCallback:
        FOwner->FireWriteString(FConfigID, Key, Value);
        break;
      case csNone:
        break;
    }
  } catch (const std::exception&) {
    // The remaining writes of this save are skipped.
    FIni.reset();
    FRegistry.reset();
  }
}

void TLexiConfig::ReadWriteStringList(const std::string& Key, TStrings& List, bool Reading) {
  if (Reading) {
    const int Count = StrToIntDef(ReadString(Key + "_count", ""), 0);
    for (int I = 0; I < Count; ++I) {
      const std::string Item = ReadString(Key + "_" + std::to_string(I), "");
      if (!Item.empty()) {
        List.Add(Item);
      }
    }
    return;
  }
  WriteString(Key + "_count", std::to_string(List.Count()));
  for (Integer I = 0; I < List.Count(); ++I) {
    WriteString(Key + "_" + std::to_string(I), List.Strings(I));
  }
}

void TLexiConfig::OpenStore(TConfigStorage Kind) {
  CloseStore();
  try {
    if (Kind == csFile) {
      ADForceDirectories(ExtractFileDir(FFileName));
      FIni = std::make_unique<TIniFile>(FFileName);
    } else if (Kind == csRegistry) {
      FRegistry = std::make_unique<TRegistry>();
      FRegistry->SetRootKey(HKEY_CURRENT_USER);
      if (!FRegistry->OpenKey(FRegistryKey + "\\" + FConfigID, true)) {
        FRegistry.reset();
      }
    }
  } catch (const std::exception&) {
    CloseStore();
  }
}

void TLexiConfig::CloseStore() {
  FIni.reset();
  FRegistry.reset();
}

void TLexiConfig::LoadConfiguration() {
  if (!FOwner) {
    return;
  }
  FLoaded = false;
  FStorage = FOwner->ConfigStorage();
  FConfigID = FOwner->ExpandVars(FOwner->ConfigID());
  FFileName = FOwner->ExpandVars(FOwner->ConfigFilename());
  FRegistryKey = FOwner->ExpandVars(FOwner->ConfigRegistryKey());
  OpenStore(FStorage);
  const bool FirstRun = ReadString("_FirstRun", "-") == "-" || FResetNextLoad;
  FResetNextLoad = false;
  // The active dictionary is entered into the fresh custom list even when its name did not change.
  FActiveCustom.clear();
  if (FirstRun) {
    FMainDictionaries.Assign(FOwner->ConfigDefaultMain());
    FCustomDictionaries.Assign(FOwner->ConfigDefaultCustom());
    FMSWordCustomDictionaries.Clear();
    if (FOwner->ConfigUseMSWordCustom && FOwner->ConfigDefaultUseMSWordCustom) {
      FMSWordCustomDictionaries.Assign(FOwner->ReadAvailableMSWordCustom());
    }
    FSpellOptions = FOwner->ConfigDefaultOptions;
    FDialogX = -1;
    FDialogY = -1;
    FNewDictionaryPaths.Clear();
    WriteActiveCustom(ExpandFixedVars(FOwner->ExpandLexiVars(FOwner->ConfigDefaultActiveCustom)));
  } else {
    FMainDictionaries.Clear();
    ReadWriteStringList("_Main", FMainDictionaries, true);
    FCustomDictionaries.Clear();
    ReadWriteStringList("_Custom", FCustomDictionaries, true);
    FMSWordCustomDictionaries.Clear();
    ReadWriteStringList("_MSWordCustom", FMSWordCustomDictionaries, true);
    WriteActiveCustom(ReadString("_ActiveCustom", ""));
    TSpellOptions Options = 0;
    for (const auto& O : OptionNames) {
      if (ReadString(O.Name, "-") == "+") {
        Options |= SpellOptionBit(O.Option);
      }
    }
    FSpellOptions = Options;
    FDialogX = StrToIntDef(ReadString("_DialogX", "-1"), -1);
    FDialogY = StrToIntDef(ReadString("_DialogY", "-1"), -1);
    ReadWriteStringList("_NewPaths", FNewDictionaryPaths, true);
    FUserNames.Clear();
    FUserValues.Clear();
    ReadWriteStringList("_UserData", FUserNames, true);
    for (Integer I = 0; I < FUserNames.Count(); ++I) {
      FUserValues.Add(ReadString("User_" + FUserNames.Strings(I), ""));
    }
  }
  FLoaded = true;
  FModified = false;
  FOwner->FireConfigLoaded();
  FireOnConfigChanged(true);
  CloseStore();
}

void TLexiConfig::SaveConfiguration() {
  if (!FModified || !FLoaded || !FOwner || FOwner->ComponentState().Contains(csDesigning)) {
    return;
  }
  OpenStore(FStorage);
  if (FStorage != csNone) {
    WriteString("_FirstRun", "+");
    ReadWriteStringList("_Main", FMainDictionaries, false);
    ReadWriteStringList("_Custom", FCustomDictionaries, false);
    ReadWriteStringList("_MSWordCustom", FMSWordCustomDictionaries, false);
    WriteString("_ActiveCustom", FActiveCustom);
    for (const auto& O : OptionNames) {
      WriteString(O.Name, (FSpellOptions & SpellOptionBit(O.Option)) ? "+" : "-");
    }
    WriteString("_DialogX", std::to_string(FDialogX));
    WriteString("_DialogY", std::to_string(FDialogY));
    ReadWriteStringList("_NewPaths", FNewDictionaryPaths, false);
    ReadWriteStringList("_UserData", FUserNames, false);
    for (Integer I = 0; I < FUserNames.Count() && I < FUserValues.Count(); ++I) {
      WriteString("User_" + FUserNames.Strings(I), FUserValues.Strings(I));
    }
  }
  FModified = false;
  CloseStore();
  FOwner->FireConfigSaved();
}

void TLexiConfig::ReloadConfiguration() {
  if (FLoaded) {
    SaveConfiguration();
    LoadConfiguration();
  }
}

void TLexiConfig::ResetConfigurationDefaults() {
  FResetNextLoad = true;
  ReloadConfiguration();
}

std::string TLexiConfig::GetConfigurationData(const std::string& Name) {
  EnsureLoaded();
  for (Integer I = 0; I < FUserNames.Count(); ++I) {
    if (AnsiCompareText(FUserNames.Strings(I), Name) == 0) {
      return I < FUserValues.Count() ? FUserValues.Strings(I) : std::string();
    }
  }
  return std::string();
}

void TLexiConfig::SetConfigurationData(const std::string& Name, const std::string& Value) {
  EnsureLoaded();
  if (!FLoaded) {
    return;
  }
  FModified = true;
  bool Found = false;
  for (Integer I = 0; I < FUserNames.Count() && !Found; ++I) {
    if (AnsiCompareText(FUserNames.Strings(I), Name) == 0) {
      while (FUserValues.Count() <= I) {
        FUserValues.Add("");
      }
      FUserValues.SetStrings(I, Value);
      Found = true;
    }
  }
  if (!Found) {
    while (FUserValues.Count() < FUserNames.Count()) {
      FUserValues.Add("");
    }
    FUserNames.Add(Name);
    FUserValues.Add(Value);
  }
  FireOnConfigChanged(false);
}
