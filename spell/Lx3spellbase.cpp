// The spell-check component: options, configuration changes and ignore filters.
#include "spell/Lx3spellbase.h"

#include "spell/Lx3customdictionary.h"
#include "spell/Lx3ignore.h"
#include "spell/Lx3maindictionary.h"
#include "spell/Lx3parseengine.h"
#include "spell/Lx3phoneticsmap.h"
#include "spell/Lx3suggestions.h"

Z_IMPLEMENT_CLASS(TLexiSpell3Base, TComponent)

TLexiSpell3Base::TLexiSpell3Base(TComponent* AOwner)
    : TComponent(AOwner),
      InternalCustom(std::make_unique<TCustomDictionary>()),
      FConfig(std::make_unique<TLexiConfig>()),
      FParsingEngine(std::make_unique<TMainParsingEngine>()),
      FSuggestions(std::make_unique<TSuggestionsGenerator>()),
      FPhoneticsMap(std::make_unique<TPhoneticsMap>()) {
  FConfigDictionaryDir.Add("%AppDir%");
  FConfigDefaultMain.Add("American.adm");
  WireEngine();
  FConfig->SetOwner(this);
  DictionaryFolders.Assign(&FConfigDictionaryDir);
  FConfigDictionaryDir.SetOnChange([this](TObject* Sender) { NotifyDictionariesPathChanged(Sender); });
}

TLexiSpell3Base::~TLexiSpell3Base() {
  // A check still running when the component goes: the cursor it was to free at the end is freed now.
  if (FParser) {
    TControlParser* Cursor = FParser;
    FParser = nullptr;
    if (FParsingEngine) {
      FParsingEngine->Initialize(nullptr, 0);
    }
    if (FFreeCursorAtEnd) {
      delete Cursor;
    }
  }
  FConfigDictionaryDir.SetOnChange(nullptr);
  // Dictionaries save their pending changes as they go; the configuration writes itself back when changed.
  OpenMainDictionaries.clear();
  OpenCustomDictionaries.clear();
  OpenMSWordDictionaries.clear();
  ActiveCustom.reset();
  MappingDictionary.reset();
  LearningDictionary.reset();
  InternalCustom.reset();
  ClearIgnoreList();
  FConfig.reset();
}

void TLexiSpell3Base::WireEngine() {
  FParsingEngine->OnInlineIgnore = [this](char Ch, TControlParser* P, bool& Ignore) { RunInlineIgnore(Ch, P, Ignore); };
  FParsingEngine->OnPreCheckIgnore = [this](const std::string& W, TControlParser* P, bool& Ignore) {
    RunPreCheckIgnore(W, P, Ignore);
  };
}

bool TLexiSpell3Base::ReadingOrDesigning() const {
  const auto State = ComponentState();
  return State.Contains(csReading) || State.Contains(csLoading) || State.Contains(csDesigning);
}

void TLexiSpell3Base::WriteParsingEngine(std::unique_ptr<TMainParsingEngine> Value) {
  if (!Value) {
    return;
  }
  FParsingEngine = std::move(Value);
  WireEngine();
  ResynchOptions(true);
}

void TLexiSpell3Base::WriteSuggestions(std::unique_ptr<TSuggestionsGenerator> Value) {
  if (Value) {
    FSuggestions = std::move(Value);
  }
}

void TLexiSpell3Base::WritePhoneticsMap(std::unique_ptr<TPhoneticsMap> Value) {
  if (Value) {
    FPhoneticsMap = std::move(Value);
  }
}

void TLexiSpell3Base::WriteConfigStorage(TConfigStorage Value) {
  if (Value != FConfigStorage) {
    FConfigStorage = Value;
    FConfig->ReloadConfiguration();
  }
}

void TLexiSpell3Base::WriteConfigID(const std::string& Value) {
  if (Value != FConfigID) {
    FConfigID = Value;
    FConfig->ReloadConfiguration();
  }
}

void TLexiSpell3Base::WriteConfigFilename(const std::string& Value) {
  if (Value != FConfigFilename) {
    FConfigFilename = Value;
    if (FConfigStorage == csFile) {
      FConfig->ReloadConfiguration();
    }
  }
}

void TLexiSpell3Base::WriteConfigRegistryKey(const std::string& Value) {
  if (Value != FConfigRegistryKey) {
    FConfigRegistryKey = Value;
    if (FConfigStorage == csRegistry) {
      FConfig->ReloadConfiguration();
    }
  }
}

void TLexiSpell3Base::WriteConfigDictionaryDir(TStrings* Value) {
  // Copying the lines is a change of them: it loads the configuration and reloads the dictionary set.
  FConfigDictionaryDir.Assign(Value);
  if (FConfig->Loaded()) {
    RebuildDictionaryFolders();
  }
  EmptyCaches();
}

void TLexiSpell3Base::WriteDefaultMain(TStrings* Value) { FConfigDefaultMain.Assign(Value); }
void TLexiSpell3Base::WriteDefaultCustom(TStrings* Value) { FConfigDefaultCustom.Assign(Value); }

void TLexiSpell3Base::WriteQuoteChars(const std::string& Value) {
  FQuoteChars = Value;
  ResynchOptions(true);
}

void TLexiSpell3Base::WriteKeepDictionariesActive(bool Value) {
  FKeepDictionariesActive = Value;
  if (!Value) {
    UnloadDictionaries();
  }
}

int TLexiSpell3Base::ReadPhoneticMaxDistance() { return FPhoneticsMap->MaxDistance; }
void TLexiSpell3Base::WritePhoneticMaxDistance(int Value) { FPhoneticsMap->MaxDistance = Value; }
int TLexiSpell3Base::ReadPhoneticDivisor() { return FPhoneticsMap->LengthDivisor; }
void TLexiSpell3Base::WritePhoneticDivisor(int Value) { FPhoneticsMap->LengthDivisor = Value; }
int TLexiSpell3Base::ReadPhoneticDepth() { return FPhoneticsMap->StartDepth(); }
void TLexiSpell3Base::WritePhoneticDepth(int Value) { FPhoneticsMap->WriteStartDepth(Value); }

void TLexiSpell3Base::WriteMappingDictionary(const std::string& Value) {
  if (Value == FMappingDictionaryName) {
    return;
  }
  FMappingDictionaryName = Value;
  MappingDictionary.reset();
  if (!OpenMainDictionaries.empty()) {
    ReloadDictionaries();
  }
}

void TLexiSpell3Base::WriteLearnSuggestions(bool Value) {
  if (Value == FSuggestionsLearning) {
    return;
  }
  FSuggestionsLearning = Value;
  LearningDictionary.reset();
  if (Value && FConfig->Loaded()) {
    ReloadDictionaries();
  }
}

void TLexiSpell3Base::WriteSuggestionsDictFN(const std::string& Value) {
  if (Value == FSuggestionsLearningDict) {
    return;
  }
  FSuggestionsLearningDict = Value;
  if (LearningDictionary && FSuggestionsLearning) {
    LearningDictionary.reset();
    ReloadDictionaries();
  }
}

std::string TLexiSpell3Base::ExpandLexiVars(const std::string& Text) {
  return ReplaceString("%ConfigID%", ExpandBasicVars(FConfigID), Text);
}

std::string TLexiSpell3Base::ExpandVars(const std::string& Text) { return ExpandLexiVars(ExpandBasicVars(Text)); }

std::string TLexiSpell3Base::GetString(TSpellLanguageString Id) {
  std::string Text = ::GetString(Id, UILanguage);
  if (OnGetString) {
    OnGetString(this, Id, Text);
  }
  return Text;
}

std::int32_t TLexiSpell3Base::ReadTextPrimaryLanguage() {
  return OpenMainDictionaries.empty() ? 0 : OpenMainDictionaries.front()->Language();
}

void TLexiSpell3Base::FireReadString(const std::string& ConfigID, const std::string& Key, const std::string& Default,
                                     std::string& Value) {
  Value = Default;
  if (OnConfigReadString) {
    OnConfigReadString(this, ConfigID, Key, Default, Value);
  }
}

void TLexiSpell3Base::FireWriteString(const std::string& ConfigID, const std::string& Key, const std::string& Value) {
  if (OnConfigWriteString) {
    OnConfigWriteString(this, ConfigID, Key, Value);
  }
}

void TLexiSpell3Base::FireConfigLoaded() {
  if (OnConfigLoaded) {
    OnConfigLoaded(this);
  }
}

void TLexiSpell3Base::FireConfigSaved() {
  if (OnConfigSaved) {
    OnConfigSaved(this);
  }
}

void TLexiSpell3Base::FireConfigurationChanged(bool Reload) {
  RebuildDictionaryFolders();
  EmptyCaches();
  if (Reload) {
    const std::string Before = ActiveCustom ? ActiveCustom->Filename() : std::string();
    ReloadDictionaries();
    // Undo records of Add and Auto-Correct name the active custom dictionary: another one voids them.
    if (!ActiveCustom || ActiveCustom->Filename() != Before) {
      ResetUndo();
    }
  }
  ResynchOptions(false);
  if (OnConfigChanged) {
    OnConfigChanged(this);
  }
  ConfigurationEventList.Notify(this);
}

void TLexiSpell3Base::NotifyDictionariesPathChanged(TObject*) {
  if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading)) {
    return;
  }
  FConfig->EnsureLoaded();
  FireConfigurationChanged(true);
}

void TLexiSpell3Base::ResynchOptions(bool Force) {
  // Before the configuration is first used there is nothing to apply: its load builds the filters.
  if (ReadingOrDesigning() || !FConfig->Loaded()) {
    return;
  }
  const TSpellOptions Options = FConfig->ReadSpellOptions();
  if (FOptionsApplied && Options == FLastOptions && !Force) {
    return;
  }
  FOptionsApplied = true;
  FLastOptions = Options;
  ClearIgnoreList();
  auto Has = [Options](TSpellOption O) { return (Options & SpellOptionBit(O)) != 0; };
  if (Has(soInternet)) {
    AddIgnore(std::make_unique<TURLIgnore>());
  }
  if (Has(soUpcase)) {
    AddIgnore(std::make_unique<TUppercaseWordIgnore>());
  }
  if (Has(soNumbers)) {
    AddIgnore(std::make_unique<TNumbersIgnore>());
  }
  if (Has(soHTML)) {
    AddIgnore(std::make_unique<THTMLIgnore>());
  }
  if (Has(soQuoted)) {
    AddIgnore(std::make_unique<TQuotedLineIgnore>(FQuoteChars));
  }
  if (Has(soAbbreviations)) {
    AddIgnore(std::make_unique<TAbbreviationsIgnore>());
  }
  FPrimaryOnly = Has(soPrimaryOnly);
  FRepeated = Has(soRepeated);
  FDualCaps = Has(soDUalCaps);
  FLiveSpelling = Has(soLiveSpelling);
  FLiveCorrect = Has(soLiveCorrect);
  if (OnAddCustomIgnore) {
    OnAddCustomIgnore(this);
  }
  OptionsEventList.Notify(this);
}

void TLexiSpell3Base::AddIgnore(std::unique_ptr<TParserIgnore> Filter) {
  if (!Filter) {
    return;
  }
  if (Filter->NeededBeforeCheck()) {
    FPreCheckFilters.push_back(Filter.get());
  }
  if (Filter->LineCheckNeeded()) {
    FLineFilters.push_back(Filter.get());
  }
  FFilters.push_back(std::move(Filter));
}

void TLexiSpell3Base::ClearIgnoreList() {
  FPreCheckFilters.clear();
  FLineFilters.clear();
  FFilters.clear();
}

void TLexiSpell3Base::RunInlineIgnore(char CurrentChar, TControlParser* Parser, bool& Ignore) {
  for (auto* F : FPreCheckFilters) {
    if (F->ExecuteIgnore(CurrentChar, Parser)) {
      Ignore = true;
      return;
    }
  }
}

void TLexiSpell3Base::RunPreCheckIgnore(const std::string& Word, TControlParser* Parser, bool& Ignore) {
  for (auto* F : FPreCheckFilters) {
    if (F->ExecuteWordIgnorePreCheck(Word, Parser)) {
      Ignore = true;
      return;
    }
  }
}

bool TLexiSpell3Base::RunPostCheckIgnore(const std::string& Word, TControlParser* Parser) {
  for (const auto& F : FFilters) {
    if (F->ExecuteWordIgnorePostCheck(Word, Parser)) {
      return true;
    }
  }
  return false;
}

bool TLexiSpell3Base::RunLineIgnore(const std::string& Line) {
  for (auto* F : FLineFilters) {
    if (F->ExecuteLineIgnore(Line)) {
      return true;
    }
  }
  return false;
}
