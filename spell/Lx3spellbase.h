// The spell-check component: its options, configuration, dictionary set and ignore filters.
#pragma once

#include "platform/classes/Classes.h"
#include "spell/Lx3config.h"
#include "spell/Lx3languages.h"
#include "spell/Lx3utils.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TMainDictionary;
class TCustomDictionary;
class TMainParsingEngine;
class TSuggestionsGenerator;
class TPhoneticsMap;
class TParserIgnore;
class TControlParser;

using TConfigReadStringEvent = std::function<void(TObject* Sender, const std::string& ConfigID,
                                                  const std::string& Key, const std::string& Default,
                                                  std::string& Value)>;
using TConfigWriteStringEvent = std::function<void(TObject* Sender, const std::string& ConfigID,
                                                   const std::string& Key, const std::string& Value)>;
using TGetStringEvent = std::function<void(TObject* Sender, TSpellLanguageString Id, std::string& Text)>;
// May supply the object for a custom dictionary file (created with new); the component takes ownership.
using TCreateCustomDictionaryEvent = std::function<void(TObject* Sender, TCustomDictionary*& Dictionary)>;

// The non-visual spell-check component. Owns its configuration, every open dictionary, the word splitter with
// its filters, the suggestion generator and the phonetic map. Nothing is read from storage and no dictionary is
// opened until the configuration is first used.
class TLexiSpell3Base : public TComponent {
  Z_CLASS(TLexiSpell3Base, TComponent)
public:
  explicit TLexiSpell3Base(TComponent* AOwner);
  ~TLexiSpell3Base() override;

  // Options (defaults as the constructor sets them).
  TConfigStorage ConfigStorage() const { return FConfigStorage; }
  virtual void WriteConfigStorage(TConfigStorage Value);
  const std::string& ConfigID() const { return FConfigID; }
  virtual void WriteConfigID(const std::string& Value);
  const std::string& ConfigFilename() const { return FConfigFilename; }
  virtual void WriteConfigFilename(const std::string& Value);
  const std::string& ConfigRegistryKey() const { return FConfigRegistryKey; }
  virtual void WriteConfigRegistryKey(const std::string& Value);
  // Folders searched for dictionary files, in order; a change of its lines reloads the dictionary set.
  TStringList* ConfigDictionaryDir() { return &FConfigDictionaryDir; }
  virtual void WriteConfigDictionaryDir(TStrings* Value);
  TStringList* ConfigDefaultMain() { return &FConfigDefaultMain; }
  virtual void WriteDefaultMain(TStrings* Value);
  TStringList* ConfigDefaultCustom() { return &FConfigDefaultCustom; }
  virtual void WriteDefaultCustom(TStrings* Value);
  TSpellOptions ConfigAvailableOptions = 0x70C;
  std::string ConfigUserOption1;
  std::string ConfigUserOption2;
  std::string ConfigUserOption3;
  std::string ConfigUserOption4;
  bool ConfigUseMSWordCustom = true;
  std::string ConfigDefaultActiveCustom = "%ConfigID%.adu";
  TSpellOptions ConfigDefaultOptions = 0x6A3;
  bool ConfigDefaultUseMSWordCustom = false;
  bool SuggestionsAutoReplace = false;
  bool SuggestionsLearning() const { return FSuggestionsLearning; }
  virtual void WriteLearnSuggestions(bool Value);
  const std::string& SuggestionsLearningDict() const { return FSuggestionsLearningDict; }
  virtual void WriteSuggestionsDictFN(const std::string& Value);
  const std::string& QuoteChars() const { return FQuoteChars; }
  virtual void WriteQuoteChars(const std::string& Value);
  bool KeepDictionariesActive() const { return FKeepDictionariesActive; }
  virtual void WriteKeepDictionariesActive(bool Value);
  bool PhoneticSuggestions = true;
  virtual int ReadPhoneticMaxDistance();
  virtual void WritePhoneticMaxDistance(int Value);
  virtual int ReadPhoneticDivisor();
  virtual void WritePhoneticDivisor(int Value);
  virtual int ReadPhoneticDepth();
  virtual void WritePhoneticDepth(int Value);
  const std::string& MappingDictionaryName() const { return FMappingDictionaryName; }
  virtual void WriteMappingDictionary(const std::string& Value);
  bool MappingAutoReplace = true;
  bool UseExcludeWords = true;
  bool UseAutoCorrectFirst = false;
  int MaxUndo = -1;
  int MaxSuggestions = -1;
  TSpellLanguageType UILanguage = ltEnglish;
  bool LiveSpelling() const { return FLiveSpelling; }
  bool LiveCorrect() const { return FLiveCorrect; }
  std::string Version() const { return GetLexiVersion(); }

  // Events.
  TNotifyEvent OnConfigChanged;
  TNotifyEvent OnConfigLoaded;
  TNotifyEvent OnConfigSaved;
  TConfigReadStringEvent OnConfigReadString;
  TConfigWriteStringEvent OnConfigWriteString;
  TNotifyEvent OnDictionariesChanged;
  TGetStringEvent OnGetString;
  TNotifyEvent OnAddCustomIgnore;
  TNotifyEvent OnAdjustPhoneticsMap;
  TCreateCustomDictionaryEvent OnCreateCustomDictionary;

  // Parts the component owns.
  TLexiConfig* Config() { return FConfig.get(); }
  TMainParsingEngine* ParsingEngine() { return FParsingEngine.get(); }
  virtual void WriteParsingEngine(std::unique_ptr<TMainParsingEngine> Value);
  TSuggestionsGenerator* Suggestions() { return FSuggestions.get(); }
  virtual void WriteSuggestions(std::unique_ptr<TSuggestionsGenerator> Value);
  TPhoneticsMap* PhoneticsMap() { return FPhoneticsMap.get(); }
  virtual void WritePhoneticsMap(std::unique_ptr<TPhoneticsMap> Value);

  // The dictionary set.
  std::vector<std::unique_ptr<TMainDictionary>> OpenMainDictionaries;
  std::vector<std::unique_ptr<TCustomDictionary>> OpenCustomDictionaries;
  std::vector<std::unique_ptr<TCustomDictionary>> OpenMSWordDictionaries;
  std::unique_ptr<TCustomDictionary> ActiveCustom;
  std::unique_ptr<TCustomDictionary> MappingDictionary;
  std::unique_ptr<TCustomDictionary> LearningDictionary;
  std::unique_ptr<TCustomDictionary> InternalCustom;
  TStringList DictionaryFolders;
  bool Possessive() const { return FPossessive; }
  bool Checking() const { return FChecking; }
  int OrderCountdown() const { return FOrderCountdown; }

  // The ignore filters: all of them (owned), those asked before a word is checked, those that test lines.
  const std::vector<std::unique_ptr<TParserIgnore>>& IgnoreFilters() const { return FFilters; }
  virtual void AddIgnore(std::unique_ptr<TParserIgnore> Filter);
  virtual void ClearIgnoreList();
  virtual void RunInlineIgnore(char CurrentChar, TControlParser* Parser, bool& Ignore);
  virtual void RunPreCheckIgnore(const std::string& Word, TControlParser* Parser, bool& Ignore);
  virtual bool RunPostCheckIgnore(const std::string& Word, TControlParser* Parser);
  virtual bool RunLineIgnore(const std::string& Line);

  // Listener lists: notified at the end of ResynchOptions, at the end of FireConfigurationChanged, around telling
  // the text cursor that a word is ignored, and after a suggestion-menu choice.
  TEventList OptionsEventList;
  TEventList ConfigurationEventList;
  TParserIgnoreWordEventList IgnoreWordEventList;
  TPopupResultEventList PopupResultEventList;

  // Configuration.
  virtual void FireConfigurationChanged(bool Reload);
  virtual void ResynchOptions(bool Force);
  virtual void NotifyDictionariesPathChanged(TObject* Sender);
  virtual void FireReadString(const std::string& ConfigID, const std::string& Key, const std::string& Default,
                              std::string& Value);
  virtual void FireWriteString(const std::string& ConfigID, const std::string& Key, const std::string& Value);
  virtual void FireConfigLoaded();
  virtual void FireConfigSaved();
  virtual std::string ExpandVars(const std::string& Text);
  virtual std::string ExpandLexiVars(const std::string& Text);
  virtual std::string GetString(TSpellLanguageString Id);
  virtual std::int32_t ReadTextPrimaryLanguage();

  // Dictionary access: each returns a new object the caller owns, or null.
  virtual std::unique_ptr<TMainDictionary> GetMainDictionary(const std::string& Name);
  virtual std::unique_ptr<TCustomDictionary> GetCustomDictionary(const std::string& Name);
  virtual std::unique_ptr<TCustomDictionary> GetMSWordCustomDictionary(const std::string& FileName);
  // Appends the bare names of the files "*.Extension" in the dictionary folders (the first folder wins).
  virtual void GetAvailableDictionaries(const std::string& Extension, TStrings& List);
  virtual TStringList* ReadAvailableMain();
  virtual TStringList* ReadAvailableCustom();
  virtual TStringList* ReadAvailableMSWordCustom();
  virtual void EnableCustomDictionary(const std::string& Name, bool Enable);
  virtual void EnableWordDictionary(const std::string& FileName, bool Enable);
  virtual void RemoveCustomDictionary(const std::string& Name);
  virtual void CreateNewCustomDictionary(const std::string& Name);
  virtual bool RenameCustomDictionary(const std::string& OldName, const std::string& NewName);
  virtual void ReloadDictionaries();
  virtual void UnloadDictionaries();
  virtual void OptimizeMainDictionaryOrder();

private:
  void RebuildDictionaryFolders();
  void EmptyCaches();
  std::string FolderPath(const std::string& Folder, const std::string& Name);
  bool ReadingOrDesigning() const;
  void WireEngine();

  std::unique_ptr<TLexiConfig> FConfig;
  std::unique_ptr<TMainParsingEngine> FParsingEngine;
  std::unique_ptr<TSuggestionsGenerator> FSuggestions;
  std::unique_ptr<TPhoneticsMap> FPhoneticsMap;
  TConfigStorage FConfigStorage = csRegistry;
  std::string FConfigID = "%UserName%";
  std::string FConfigFilename = "%AppDir%/Spell.cfg";
  std::string FConfigRegistryKey = "Software\\Corvannic\\%AppName%";
  TStringList FConfigDictionaryDir;
  TStringList FConfigDefaultMain;
  TStringList FConfigDefaultCustom;
  bool FSuggestionsLearning = true;
  std::string FSuggestionsLearningDict = "%AppDir%/%UserName%_sp.adl";
  std::string FQuoteChars = ">";
  bool FKeepDictionariesActive = false;
  std::string FMappingDictionaryName;
  bool FLiveSpelling = true;
  bool FLiveCorrect = true;
  bool FPrimaryOnly = false;
  bool FRepeated = false;
  bool FDualCaps = false;
  bool FPossessive = false;
  bool FChecking = false;
  int FOrderCountdown = 100;
  bool FOptionsApplied = false;
  TSpellOptions FLastOptions = 0;
  TStringList FAvailableMain;
  TStringList FAvailableCustom;
  TStringList FAvailableMSWordCustom;
  std::vector<std::unique_ptr<TParserIgnore>> FFilters;
  std::vector<TParserIgnore*> FPreCheckFilters;
  std::vector<TParserIgnore*> FLineFilters;
};
