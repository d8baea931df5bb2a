// Self-persisting settings objects: a base that loads itself from and saves itself to the settings file
// "EasySettings.txt" in the temporary folder, and the search settings with their search step.
#pragma once

#include "editor/Easystrings.h"
#include "platform/classes/Persistent.h"

#include <functional>
#include <string>
#include <vector>

// The settings file's property stream: a self-describing list of named values.
class TEasyPropertyWriter {
public:
  void WriteString(const std::string& Name, const std::string& Value);
  void WriteInteger(const std::string& Name, Integer Value);
  void WriteBoolean(const std::string& Name, bool Value);
  std::string Bytes() const;  // the stream, terminated

private:
  void Header(Byte Kind, const std::string& Name);
  std::string FBytes;
};

// One value read back from the stream.
struct TEasyPropertyValue {
  enum TKind : Byte { pvInteger = 1, pvString = 2, pvBoolean = 3 } Kind = pvInteger;
  Integer IntValue = 0;
  std::string StrValue;
  bool BoolValue = false;
};

// Base of the settings objects. Descendants set their defaults in Init, name their values in
// WriteProperties and take them back in ReadProperty; values missing from the file keep the defaults.
class TEasySettings : public TPersistent {
  Z_CLASS(TEasySettings, TPersistent)
public:
  TEasySettings() = default;
  virtual void LoadSettings();  // from the settings file, inside BeginUpdate / EndUpdate
  virtual void SaveSettings();  // to the settings file; raises when the file cannot be written
  virtual std::string GetKey() const;  // the class name without its first letter
  std::string GetSettingsKey() const;
  virtual void Init() {}
  virtual void Apply() {}
  virtual void ApplySettings(TPersistent*) {}
  virtual bool IsValidSettings(TPersistent*) const { return false; }
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

  virtual void WriteProperties(TEasyPropertyWriter&) const {}
  virtual void ReadProperty(const std::string&, const TEasyPropertyValue&) {}

private:
  int FUpdateCount = 0;
};

// The settings file's full name: the temporary folder followed by "EasySettings.txt".
std::string& SettingsFileName();
// The registry base of the component's settings.
std::string& SettingsKey();

void WritePersistentToFile(const TEasySettings* Settings, const std::string& FileName, const std::string& Key);
// Raises EReadError for a value that does not decode into a property stream.
void ReadPersistentFromFile(TEasySettings* Settings, const std::string& FileName, const std::string& Key);

enum TEasySearchDirection { srForward, srBackward };
enum TEasySearchScope { scGlobal, scSelectedText };
enum TEasySearchOrigin { sgFromCursor, sgEntireScope };

// The options of find, replace and go-to-line, persisted under "SearchSettings". Construction sets the
// defaults and loads; destruction saves.
class TEasySearchSettings : public TEasySettings {
  Z_CLASS(TEasySearchSettings, TEasySettings)
public:
  TEasySearchSettings();
  ~TEasySearchSettings() override;
  void Assign(TPersistent* Source) override;
  void Init() override;
  std::string GetKey() const override { return "SearchSettings"; }
  void WriteProperties(TEasyPropertyWriter& Writer) const override;
  void ReadProperty(const std::string& Name, const TEasyPropertyValue& Value) override;

  // One search step over Strings from Pos (X 1-based, Y line); on success Pos is the match, Len its length.
  bool Search(TEasyStrings* Strings, TPoint& Pos, int& Len, const TEasyCharSet& Delimiters);

  std::string TextToFind;
  std::string ReplaceWith;
  bool PromptOnReplace = true;
  bool CaseSensitive = false;
  bool WholeWordsOnly = false;
  bool RegularExpr = false;
  TEasySearchDirection Direction = srForward;
  TEasySearchScope Scope = scGlobal;
  TEasySearchOrigin Origin = sgEntireScope;
  bool ShowNotFound = true;
  bool ReplaceAll = false;
  bool InReplace = false;
  bool FirstSearch = false;
  Integer GotoLineNumber = 0;
  // False for a private instance (an editor's incremental search) that must not write over the stored settings.
  bool SaveOnDestroy = true;
};

// Lets a host supply the pattern matcher of pattern searches.
using TGetGlobalFindRoutine = std::function<TEasyMatchFunc(TEasySearchSettings* Settings)>;
extern TGetGlobalFindRoutine OnGetGlobalFindRoutine;

// The process-wide search settings, created (and loaded) on the first call and saved at program end.
TEasySearchSettings* SearchSettings();
