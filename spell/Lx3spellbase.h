// The spell-check component: its options, configuration, dictionary set and ignore filters.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/win/WinTypes.h"
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
class TCustomForm;
class TPopupMenu;
class TMenuItem;
class TWinControl;
class TConfigurationDialogCtrl;

enum TSpellDialogCommand {
  sdcIgnore, sdcIgnoreAll, sdcChange, sdcChangeAll, sdcAdd, sdcAutoCorrect, sdcUndo, sdcHelp, sdcCancel, sdcOptions,
  sdcCustomDictionary, sdcCustomDictionaries, sdcConfigOK, sdcAddedEdit, sdcAutoCorrectEdit, sdcExcludedEdit,
  sdcInternalEdit, sdcMainDictFolderBrowse, sdcResetDefaults
};
// A set of dialog commands, one bit per command.
using TSpellDialogCommands = std::uint32_t;
inline constexpr TSpellDialogCommands SpellCommandBit(TSpellDialogCommand C) {
  return static_cast<TSpellDialogCommands>(1u << static_cast<unsigned>(C));
}
inline constexpr TSpellDialogCommands AllSpellDialogCommands = 0x7FFFF;
enum TSpellDialogInitialPos {
  ipScreenCenter, ipUnderSelection, ipAvoidControl, ipUserDefined, ipLastUserPos, ipIgnore, ipDesktopCenter
};
enum TSpellDialogAvoidPos { saNone, saAvoid, saAvoidUpDown, saMove, saMoveUpDown };
enum TSpellEndMessage { emNever, emAlways, emExceptCancel, emNoDialog };
enum TSpellEndPosition { epHome, epOriginal, epNoModify };
enum TCaseModification { cmNone, cmInitialCaps, cmInitialCapsOrUpcase, cmAnyCase, cmCustom };
enum TSpellUI { suiDialog, suiSilent };
enum TCheckType { ctSelected, ctFromCursor, ctAll, ctSmart, ctCurrent };
enum TWordCheckType { wcAccepted, wcExcluded, wcCorrected, wcDenied, wcRepeated };
enum TSpellAction { saIgnore, saIgnoreAll, saChange, saChangeAll, saAdd, saAutoCorrect };

// One step of a check that Undo can take back.
struct TLexiUndo {
  int X = 0;
  int Y = 0;
  std::string Word;
  std::string Replacement;
  TSpellAction Action = saIgnore;
  bool Automatic = false;
  int Data = 0;
};

using TConfigReadStringEvent = std::function<void(TObject* Sender, const std::string& ConfigID,
                                                  const std::string& Key, const std::string& Default,
                                                  std::string& Value)>;
using TConfigWriteStringEvent = std::function<void(TObject* Sender, const std::string& ConfigID,
                                                   const std::string& Key, const std::string& Value)>;
using TGetStringEvent = std::function<void(TObject* Sender, TSpellLanguageString Id, std::string& Text)>;
// May supply the object for a custom dictionary file (created with new); the component takes ownership.
using TCreateCustomDictionaryEvent = std::function<void(TObject* Sender, TCustomDictionary*& Dictionary)>;
using TWordCheckEvent = std::function<void(TObject* Sender, const std::string& Word, TWordCheckType& CheckType,
                                           std::string& Replacement)>;
using TPromptWordEvent = std::function<void(TObject* Sender, const std::string& Word, bool Repeated)>;
// Create true: supply the spell dialog in Form; Create false: release it (and set Form to null).
using TCreateSpellDialogEvent = std::function<void(TObject* Sender, TCustomForm*& Form, bool Create)>;
using TShowDialogEvent = std::function<void(TObject* Sender, TComponent* AOwner)>;
using TShowEditDictionaryEvent =
    std::function<void(TObject* Sender, TComponent* AOwner, TCustomDictionary* Dictionary)>;
using TParserReplaceWordEvent =
    std::function<void(TObject* Sender, bool Before, const std::string& Replacement, int State)>;
using TParserIgnoreWordEvent = std::function<void(TObject* Sender, bool Before, int State)>;
using TParserUndoLastEvent = std::function<void(TObject* Sender, int UndoState, TSpellAction Action, int& Data)>;
using TCaseModificationEvent = std::function<void(TObject* Sender, std::string& Word)>;
// Replaces showing the suggestion menu: sets the chosen tag and caption.
using TPopupDoMenuEvent = std::function<void(TObject* Sender, TPopupMenu* Menu, int XPos, int YPos,
                                             int& PopupAction, std::string& PopupWord)>;
using TPopupAddMenuItemEvent =
    std::function<void(TObject* Sender, TPopupMenu* Menu, TMenuItem* SubMenu, const std::string& Caption,
                       bool Enable, bool HasChildren, int Tag, TMenuItem*& MenuItem)>;
using TPopupCreateMenuEvent = std::function<void(TObject* Sender, TComponent* Owner, TPopupMenu*& PopupMenu)>;
using TPopupResultEvent = std::function<void(TObject* Sender, const std::string& Word, std::string& ResultWord,
                                             TSpellPopupOption& PopupResult)>;
// A set of suggestion-menu choices, one bit per choice.
using TSpellPopupOptions = std::uint8_t;
inline constexpr TSpellPopupOptions PopupOptionBit(TSpellPopupOption O) {
  return static_cast<TSpellPopupOptions>(1u << static_cast<unsigned>(O));
}

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
  std::string HelpFile;
  int HelpCtxSpellDialog = 0;
  int HelpCtxConfigDialog = 0;
  int HelpCtxDictionariesDialog = 0;
  int HelpCtxDictionaryEditDialog = 0;
  TSpellDialogInitialPos DialogInitialPos = ipLastUserPos;
  TSpellDialogAvoidPos DialogSelectionAvoid = saAvoid;
  bool DialogShowImmediate = false;
  bool DialogShowModal = false;
  TSpellEndMessage EndMessage = emExceptCancel;
  TSpellEndPosition EndCursorPosition = epOriginal;
  bool EndMessageWordCount = false;
  bool SynchronousCheck = true;
  bool UseHourglassCursor = true;
  TSpellDialogCommands CommandsVisible = AllSpellDialogCommands;
  TSpellDialogCommands CommandsEnabled = AllSpellDialogCommands;
  bool RecheckReplacedWords = true;
  bool ResumeFromLastPosition = true;
  TCaseModification AllowedCases = cmInitialCapsOrUpcase;
  TSpellUI UIType = suiSilent;

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
  TWordCheckEvent OnWordCheck;
  TPromptWordEvent OnPromptWord;
  TCreateSpellDialogEvent OnCreateSpellDialog;
  TShowDialogEvent OnShowConfigDialog;
  TShowDialogEvent OnShowCustomDictionariesDialog;
  TShowEditDictionaryEvent OnShowEditCustomDictionaryDialog;
  TShowDialogEvent OnShowAddDictionaryDir;
  TNotifyEvent OnSpellDialogShow;
  TNotifyEvent OnSpellDialogHide;
  TNotifyEvent OnPositionDialog;
  TNotifyEvent OnShowEndMessage;
  TNotifyEvent OnCompleteCheck;
  TNotifyEvent OnDialogDeactivate;
  TNotifyEvent OnDialogActivate;
  TParserReplaceWordEvent OnParserReplaceWord;
  TParserIgnoreWordEvent OnParserIgnoreWord;
  TParserUndoLastEvent OnParserUndoLast;
  TNotifyEvent OnBeforeChange;
  TCaseModificationEvent OnCaseModification;
  TPopupDoMenuEvent OnPopupDoMenu;
  TPopupAddMenuItemEvent OnPopupAddMenuItem;
  TPopupCreateMenuEvent OnPopupCreateMenu;
  TPopupResultEvent OnPopupResult;

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

  // Checks. The component owns the cursor given to a check or a count from the call on.
  virtual void CheckParser(TControlParser* Parser, TCheckType CheckType);
  virtual void CheckString(std::string& Text);
  // Checks over the edit window of a control, or of a window handle; the cursor is the component's.
  virtual void CheckWinControl(TWinControl* Control, TCheckType CheckType);
  virtual void CheckRichEdit(TWinControl* Control, TCheckType CheckType);
  virtual void CheckWinControlHWND(HWND Handle, TCheckType CheckType);
  int GetWordCountWinControl(TWinControl* Control, TCheckType CheckType);
  int GetErrorCountWinControl(TWinControl* Control, TCheckType CheckType);
  bool ErrorsPresentInWinControl(TWinControl* Control, TCheckType CheckType);
  virtual void StopCheck(bool Cancel);
  virtual void StartSequenceCheck();
  virtual void StopSequenceCheck();
  virtual void ContinueCheck();
  // The verdict on one word of a check before OnWordCheck; remembers an accepted word for the repeated-word test.
  TWordCheckType CheckWord(const std::string& Word, std::string& Replacement);
  virtual void CompleteCheck();
  virtual void CheckSmart(TControlParser* Parser);
  bool CheckCancelled() const { return FCheckCancelled; }
  int WordsChecked() const { return FWordsChecked; }
  const std::string& CurrentWord() const { return FCurrentWord; }
  bool RepeatedWord() const { return FRepeatedWord; }
  TControlParser* Parser() const { return FParser; }
  bool DialogShown() const { return FDialogShown; }

  // Commands of the running check.
  virtual void Check_Ignore();
  virtual void Check_IgnoreAll();
  virtual void Check_Change(const std::string& Replacement);
  virtual void Check_ChangeAll(const std::string& Replacement);
  virtual void Check_Add();
  virtual void Check_AutoCorrect(const std::string& Replacement);
  virtual void Check_Undo();
  virtual void Check_RepeatIgnore();
  virtual void Check_RepeatDelete();
  virtual void Check_ControlEdited();
  virtual void Check_Help() {}
  virtual void Check_Cancel();

  // Single-word tests; each loads the configuration first.
  virtual bool WordExistsInMain(const std::string& Word);
  virtual bool WordExists(const std::string& Word);
  virtual bool WordAcceptable(const std::string& Word);
  virtual bool WordExcluded(const std::string& Word);
  virtual bool WordHasCorrection(const std::string& Word, std::string& Replacement);
  virtual std::string GetCaseModification(const std::string& Word);
  virtual bool WordIsPossessive(const std::string& Word);
  virtual bool ValidRepeatedWord(const std::string& Word, TControlParser* Parser);
  virtual void ExistsEvent(const std::string& Word, bool& Exists);
  // The test of the editor's live spelling: acceptable and not excluded.
  bool LiveWordCorrect(const std::string& Word);

  // Suggestions.
  virtual void Suggest(const std::string& Word, TStrings& Strings);
  virtual void InternalSuggest(const std::string& Word, int Max, TStrings& Strings);
  virtual void LearnSuggestion(const std::string& Word, const std::string& Replacement);

  // Counting.
  virtual int GetWordCountString(const std::string& Text);
  virtual int GetWordCountParser(TControlParser* Parser, TCheckType CheckType);
  int GetErrorCountString(const std::string& Text);
  int GetErrorCountParser(TControlParser* Parser, TCheckType CheckType);
  bool ErrorsPresentInString(const std::string& Text);
  bool ErrorsPresentInParser(TControlParser* Parser, TCheckType CheckType);
  virtual void GetWordCountParserInternal(TControlParser* Parser, TCheckType CheckType, int& Words, int& Errors,
                                          bool& ErrorsPresent, bool StopAtFirstError, bool CountErrors);

  // Undo.
  virtual bool ReadCanUndo() const { return !FUndo.empty(); }
  const std::vector<TLexiUndo>& UndoList() const { return FUndo; }
  virtual void ResetUndo() { FUndo.clear(); }
  virtual void SetUndoAction(TSpellAction Action, const std::string& Replacement, bool Automatic);
  virtual void PerformUndo();
  virtual void Fire_ReplaceWord(const std::string& Replacement, int State);
  virtual void Fire_IgnoreWord(int State);
  virtual void Fire_UndoLast(int Phase, TSpellAction Action, int& Data);

  // The suggestion menu for a word outside a check: the choice, with a chosen suggestion in Word.
  virtual TSpellPopupOption ShowPopupMenu(TObject* Sender, TSpellPopupOptions Options, int X, int Y,
                                          std::string& Word);
  virtual TPopupMenu* CreatePopupMenu(TComponent* Owner);
  virtual TMenuItem* AddMenuItem(TPopupMenu* Menu, TMenuItem* SubMenu, const std::string& Caption, bool Enable,
                                 bool HasChildren, int Tag);
  virtual void DoPopup(TPopupMenu* Menu, int X, int Y);
  virtual void PopupMenuHook(TObject* Sender);

  // The spell dialog and the other windows.
  TCustomForm* SpellDialog() const { return FSpellDialog; }
  TConfigurationDialogCtrl* DialogControl() const { return FDialogCtrl; }
  // The dialog CreateSpellDialog made (the component owns it until the check ends).
  void SetSpellDialog(TCustomForm* Form) { FSpellDialog = Form; }
  virtual void CreateSpellDialog(bool Create);
  virtual void EnsureUI();
  virtual void ShutdownUI();
  virtual void CloseSpellDialog();
  virtual void ShowEndMessage();
  virtual void DoWordPrompt();
  virtual void SetInitialPosition();
  virtual void AdjustDialogToSelection();
  virtual void AdjustDialogToControl();
  virtual void AvoidSelection();
  virtual void Form_OnShow(TObject* Sender);
  virtual void Form_OnActivate(TObject* Sender);
  virtual void Form_OnDeactivate(TObject* Sender);
  virtual TConfigurationDialogCtrl* SetupDialogControl(TCustomForm* Form, TCustomDictionary* Dictionary);
  void Setup();
  void SetupCustomDictionaries();
  void EditCustomDictionary(TCustomDictionary* Dictionary);
  void SetupAddDictionaryDir();
  virtual void InternalSetup(TComponent* AOwner);
  virtual void InternalSetupCustomDictionaries(TComponent* AOwner);
  virtual void InternalEditCustomDictionary(TComponent* AOwner, TCustomDictionary* Dictionary);
  virtual void InternalSetupAddDictionaryDir(TComponent* AOwner);

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
  // Check state.
  TControlParser* FParser = nullptr;
  std::string FCurrentWord;
  std::string FPreviousWord;
  bool FRepeatedWord = false;
  bool FCheckCancelled = false;
  bool FBeforeChangeFired = false;
  bool FSequence = false;
  bool FSavedCloseAtEnd = true;
  bool FSavedKeepActive = false;
  bool FCloseAtEnd = true;
  bool FFreeCursorAtEnd = true;
  int FWordsChecked = 0;
  int FStartX = 0;
  int FStartY = 0;
  std::vector<TLexiUndo> FUndo;
  // Suggestion-menu state.
  bool FPopupOpen = false;
  int FPopupTag = 0;
  std::string FPopupCaption;
  // Dialog state.
  TCustomForm* FSpellDialog = nullptr;
  TConfigurationDialogCtrl* FDialogCtrl = nullptr;
  bool FDialogShown = false;
  bool FDialogRunning = false;
  bool FDeactivated = false;
  TNotifyEvent FFormOnShow;
  TNotifyEvent FFormOnActivate;
  TNotifyEvent FFormOnDeactivate;
  TStringList FAvailableMain;
  TStringList FAvailableCustom;
  TStringList FAvailableMSWordCustom;
  std::vector<std::unique_ptr<TParserIgnore>> FFilters;
  std::vector<TParserIgnore*> FPreCheckFilters;
  std::vector<TParserIgnore*> FLineFilters;
};
