// The spell checker's stored configuration and the path variables of its file names.
#pragma once

#include "platform/classes/StringList.h"
#include "platform/rtl/System.h"

#include <cstdint>
#include <memory>
#include <string>

class TLexiSpell3Base;
class TCustomIniFile;
class TRegistry;

enum TConfigStorage { csFile, csRegistry, csCallback, csNone };

enum TSpellOption {
  soLiveSpelling, soLiveCorrect, soUpcase, soNumbers, soHTML, soInternet, soQuoted, soAbbreviations, soPrimaryOnly,
  soRepeated, soDUalCaps, soUser1, soUser2, soUser3, soUser4
};
// A set of spell options, one bit per option (16 bits on storage).
using TSpellOptions = std::uint16_t;
inline constexpr TSpellOptions SpellOptionBit(TSpellOption O) {
  return static_cast<TSpellOptions>(1u << static_cast<unsigned>(O));
}

// What the user chose for the spell checker, kept in an INI file, the registry, the owner's events or nowhere.
// One belongs to each spell-check component, which owns it; it is read on first use and written back when
// changed (at the latest when it is destroyed).
class TLexiConfig : public TObject {
public:
  TLexiConfig();
  ~TLexiConfig() override;
  TLexiConfig(const TLexiConfig&) = delete;
  TLexiConfig& operator=(const TLexiConfig&) = delete;

  void SetOwner(TLexiSpell3Base* Owner) { FOwner = Owner; }
  bool Loaded() const { return FLoaded; }
  bool Modified() const { return FModified; }

  virtual void WriteActiveCustom(const std::string& Name);
  virtual void WriteLoaded(bool Value);
  virtual void WriteSpellOptions(TSpellOptions Value);
  virtual void WriteDialogX(int X);
  virtual void WriteDialogY(int Y);
  // The lists themselves: every change of them is a configuration change with reload.
  virtual TStringList* ReadMainDictionaries();
  virtual TStringList* ReadCustomDictionaries();
  virtual TStringList* ReadMSWordCustomDictionaries();
  // The active custom dictionary's name with its path variables expanded.
  virtual std::string ReadActiveCustom();
  virtual TSpellOptions ReadSpellOptions();
  virtual int ReadDialogX();
  virtual int ReadDialogY();
  virtual TStringList* ReadNewDictionaryPaths();
  virtual void NotifyDictionariesChanged(TObject* Sender);
  virtual void FireOnConfigChanged(bool Reload);
  // A list under Key: Key + "_count" and Key + "_0" ...
  virtual void ReadWriteStringList(const std::string& Key, TStrings& List, bool Reading);
  virtual std::string ReadString(const std::string& Key, const std::string& Default);
  virtual void WriteString(const std::string& Key, const std::string& Value);
  virtual void LoadConfiguration();
  virtual void EnsureLoaded();
  virtual std::string GetConfigurationData(const std::string& Name);
  virtual void SetConfigurationData(const std::string& Name, const std::string& Value);
  // Saves, then loads the defaults as on a first run (user data stay).
  virtual void ResetConfigurationDefaults();
  virtual void ReloadConfiguration();
  virtual void SaveConfiguration();

private:
  void OpenStore(TConfigStorage Kind);
  void CloseStore();

  TLexiSpell3Base* FOwner = nullptr;
  bool FModified = false;
  bool FLoaded = false;
  TStringList FMainDictionaries;
  TStringList FCustomDictionaries;
  TStringList FMSWordCustomDictionaries;
  std::string FActiveCustom;
  TSpellOptions FSpellOptions = 0;
  int FDialogX = -1;
  int FDialogY = -1;
  TStringList FNewDictionaryPaths;
  TStringList FUserNames;
  TStringList FUserValues;
  bool FResetNextLoad = false;
  // What a load fixes for the following save.
  TConfigStorage FStorage = csNone;
  std::string FConfigID;
  std::string FFileName;
  std::string FRegistryKey;
  std::unique_ptr<TCustomIniFile> FIni;
  std::unique_ptr<TRegistry> FRegistry;
};

// Path variables. "%AppName%": the program's name; "%UserName%": the user's login name ("default" when there is
// none). Only the first occurrence of each variable is replaced.
std::string ExpandFixedVars(const std::string& Text);
// "%AppDir%": the program's folder; "%AppData%": the user's application-data folder; "%MyDocuments%": the
// user's documents folder; then environment variables (%NAME%).
std::string ExpandChangingVars(const std::string& Text);
std::string ExpandBasicVars(const std::string& Text);
// Replaces the first occurrence of Pattern (case-sensitive).
std::string ReplaceString(const std::string& Pattern, const std::string& Replacement, const std::string& Text);
// A special folder by its number, without a trailing separator; empty when there is none.
std::string GetSpecialFolder(int Id);
// Creates Folder and its missing parents; failures are ignored.
void ADForceDirectories(const std::string& Folder);
std::string AdExcludeTrailingBackslash(const std::string& Text);
