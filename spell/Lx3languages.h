// The texts the spell checker shows, by text id and language.
#pragma once

#include <string>

enum TSpellLanguageType {
  ltEnglish, ltSwedish, ltBrPort, ltAfrikaans, ltGerman, ltSpanish, ltRussian, ltCzech, ltDutch, ltDanish,
  ltPolish, ltNorwegianBok, ltFrench
};
inline constexpr int SpellLanguageCount = 13;

enum TSpellLanguageString {
  lsLiveSpelling, lsLiveCorrect, lsIgnoreUpcase, lsIgnoreNumbers, lsHTML, lsInternet, lsQuoted, lsAbbreviations,
  lsPrimaryOnly, lsRepeated, lsDUalCaps, lsConfirmation, lsRemoveCustomDict, lsIgnoreAllChangeAll, lsSpelling,
  lsSpellingOptions, lsDictionaries, lsIgnoreAllChangeAllTitle, lsNewCustomTitle, lsDlgNotFound, lsDlgRepeatedWord,
  lsDlgReplaceWith, lsDlgSuggestions, lsDlgUndo, lsDlgOptions, lsDlgIgnoreAll, lsDlgIgnore, lsDlgChangeAll,
  lsDlgChange, lsDlgAdd, lsDlgAutoCorrect, lsDlgHelp, lsDlgCancel, lsDlgResetDefaults, lsDlgOptionsLabel,
  lsDlgDictionariesLabel, lsDlgName, lsDlgFilename, lsDlgCustomDictionary, lsDlgDictionaries, lsDlgBrowseForMain,
  lsDlgBrowseForMainTitle, lsDlgCustomDictionaries, lsDlgEdit, lsDlgDelete, lsDlgNew, lsDlgOK, lsDlgNewCustom,
  lsDlgAddedWords, lsDlgAddedWordsExplanation, lsDlgIgnoreThisWord, lsDlgAutoCorrectPairs,
  lsDlgAutoCorrectPairsExplanation, lsDlgReplace, lsDlgWith, lsDlgExcludedWords, lsDlgExcludedWordsExplanation,
  lsDlgExcludeThisWord, lsEndMessage, lsWordsChecked, lsEndSelectionMessage, lsMnNoSuggestions, lsMnIgnore,
  lsMnIgnoreAll, lsMnAdd, lsMnChangeAll, lsMnAutoCorrect, lsMnSpelling
};
inline constexpr int SpellLanguageStringCount = 68;

// The text of Id in Language, in the language's code page (1251 for Russian, 1250 for Czech and Polish, 1252
// for the others); empty for an id or language outside the table.
std::string GetString(int Id, int Language);
