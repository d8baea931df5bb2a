// The engine's configuration: option flags, network and log settings, named validator configurations and the
// settings per message ID, kept in a text file beside the user's settings.
#pragma once

#include "engine/ZubValidator.h"

#include <bitset>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zubengine {

struct TMessageSetting {
  int Type = 5;      // 1 error, 2 warning, 3 comment, 4 message, 5 the engine's default
  int Enabled = 1;   // 0 disabled
};

// How a named validator configuration checks: the built-in behaviours a configuration is made from.
enum TConfigProfile { cpNormal = 0, cpStrict = 1, cpErrorsOnly = 2, cpAccessibility = 3 };
inline constexpr int ConfigProfileCount = 4;

struct TNamedConfiguration {
  std::string Name;
  int Profile = cpNormal;
  bool operator==(const TNamedConfiguration&) const = default;
};

// Limits of the settings the windows edit.
inline constexpr int MinLinkTimeout = 1;
inline constexpr int MaxLinkTimeout = 600;
inline constexpr int MaxConfigurationNameLength = 80;

class TEngineConfig {
public:
  TEngineConfig() { Reset(); }

  std::map<int, std::uint32_t> FlagWords;  // the flag words but the program flags
  std::bitset<ZUB_PROGRAM_FLAG_LIMIT> ProgramFlags;  // numbered
  int ProxyFlags = 0;
  int LinkCheckOnlyMenu = 1;               // bit 1: the link-check-only mode is offered
  int MessageIdsInUse = 1;
  int LineEndFormat = 0;                   // tools: 0 LF, 1 CR LF, 2 CR
  int LinkTimeout = 15;                    // seconds per link request
  int AccessibilityLevel = 1;              // 1..3
  std::string ProxyHost, ProxyPort, ProxyUser, ProxyPassword;
  std::string LogFile;
  std::vector<TNamedConfiguration> Configurations;              // 0 is "Normal"
  int CurrentConfiguration = 0;  // the one jobs use when they name none
  std::map<int, TMessageSetting> MessageSettings;               // by message ID
  std::vector<std::pair<std::string, std::string>> Programs;   // the program list (name, command line)
  std::string FileName;  // the file last loaded or saved
  bool Modified = false;

  void Reset();
  std::uint32_t Flags(int Id) const;
  void SetFlag(int Id, std::uint32_t Bit, bool On);
  // Reads the file. False with Error when it cannot be read (the settings then stay as they were). A damaged
  // file loads what it can: every line or value that could not be used is left out, the defaults stand in its
  // place and Dropped lists what was left out ("line 7: ..."), so that the caller can say so.
  bool Load(const std::string& Name, std::string& Error, std::vector<std::string>* Dropped = nullptr);
  // The same from text already read (Name is only remembered).
  void LoadText(const std::string& Text, const std::string& Name, std::vector<std::string>& Dropped);
  bool Save(const std::string& Name) const;
  // The settings as the file holds them; two configurations with the same text hold the same settings.
  std::string ToText() const;
  // Drops message settings equal to the defaults.
  void Clean();
  bool ExportPrograms(const std::string& Name) const;
  bool ImportPrograms(const std::string& Name);
  // The configuration jobs use for the number they name (out of range: the current one; none: "Normal").
  TNamedConfiguration ConfigurationFor(int Index) const;
};

// The profile a configuration of that name had before configurations carried one.
int ProfileForName(const std::string& Name);

// The configuration file's default name: beside the user's settings.
std::string DefaultConfigFileName();
std::string DefaultLogFileName();
// Writes Text to Name through a temporary file and a rename, so a failure leaves the old file whole.
bool WriteFileAtomically(const std::string& Name, const std::string& Text);

}  // namespace zubengine
