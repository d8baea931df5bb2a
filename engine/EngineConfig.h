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
  std::vector<std::string> Configurations;                      // 0 is "Normal"
  std::map<int, TMessageSetting> MessageSettings;               // by message ID
  std::vector<std::pair<std::string, std::string>> Programs;   // the program list (name, command line)
  std::string FileName;  // the file last loaded or saved
  bool Modified = false;

  void Reset();
  std::uint32_t Flags(int Id) const;
  // Reads FileName's text; false with Error when it cannot be read or is damaged (the settings then stay as
  // they were).
  bool Load(const std::string& Name, std::string& Error);
  bool Save(const std::string& Name) const;
  // Drops message settings equal to the defaults.
  void Clean();
  bool ExportPrograms(const std::string& Name) const;
  bool ImportPrograms(const std::string& Name);
};

// The configuration file's default name: beside the user's settings.
std::string DefaultConfigFileName();
std::string DefaultLogFileName();
// Writes Text to Name through a temporary file and a rename, so a failure leaves the old file whole.
bool WriteFileAtomically(const std::string& Name, const std::string& Text);

}  // namespace zubengine
