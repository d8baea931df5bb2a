// The engine's configuration file.
#include "engine/EngineConfig.h"

#include "platform/win/RegistryStore.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zubengine {

namespace {

std::string Trim(const std::string& S) {
  const std::size_t B = S.find_first_not_of(" \t\r");
  if (B == std::string::npos) {
    return {};
  }
  const std::size_t E = S.find_last_not_of(" \t\r");
  return S.substr(B, E - B + 1);
}

bool ParseInt(const std::string& S, long long& Out) {
  if (S.empty()) {
    return false;
  }
  char* End = nullptr;
  Out = std::strtoll(S.c_str(), &End, 0);
  return End && *End == 0;
}

std::string XmlEscape(const std::string& S) {
  std::string R;
  for (char C : S) {
    switch (C) {
      case '&': R += "&amp;"; break;
      case '<': R += "&lt;"; break;
      case '>': R += "&gt;"; break;
      case '"': R += "&quot;"; break;
      default: R += C;
    }
  }
  return R;
}

std::string XmlUnescape(const std::string& S) {
  std::string R;
  for (std::size_t I = 0; I < S.size(); ++I) {
    if (S[I] == '&') {
      const std::size_t E = S.find(';', I);
      if (E != std::string::npos) {
        const std::string N = S.substr(I + 1, E - I - 1);
        const char* Rep = N == "amp" ? "&" : N == "lt" ? "<" : N == "gt" ? ">" : N == "quot" ? "\"" : nullptr;
        if (Rep) {
          R += Rep;
          I = E;
          continue;
        }
      }
    }
    R += S[I];
  }
  return R;
}

}  // namespace

std::string DefaultConfigFileName() { return RegistryDirectory() + "/zubvalidator.cfg"; }
std::string DefaultLogFileName() { return RegistryDirectory() + "/zubvalidator.log"; }

bool WriteFileAtomically(const std::string& Name, const std::string& Text) {
  std::error_code Ec;
  const std::filesystem::path P(Name);
  if (P.has_parent_path()) {
    std::filesystem::create_directories(P.parent_path(), Ec);
  }
  const std::string Temp = Name + ".tmp";
  {
    std::ofstream F(Temp, std::ios::binary | std::ios::trunc);
    if (!F) {
      return false;
    }
    F << Text;
    F.flush();
    if (!F) {
      F.close();
      std::remove(Temp.c_str());
      return false;
    }
  }
  if (std::rename(Temp.c_str(), Name.c_str()) != 0) {
    std::remove(Temp.c_str());
    return false;
  }
  return true;
}

void TEngineConfig::Reset() {
  FlagWords.clear();
  FlagWords[ZUB_CONFIG_DROP_OPTIONS] = 0;
  FlagWords[ZUB_CONFIG_NETWORK_OPTIONS] = 0;
  FlagWords[ZUB_CONFIG_LOG_OPTIONS] = 0;
  FlagWords[ZUB_CONFIG_MARKUP_OPTIONS] = 0;
  FlagWords[ZUB_CONFIG_CSS_OPTIONS] = ZUB_CSS_SYNTAX_CHECK;
  ProgramFlags.set();
  ProgramFlags.reset(0);
  ProxyFlags = 0;
  LinkCheckOnlyMenu = 1;
  MessageIdsInUse = 1;
  LineEndFormat = 0;
  LinkTimeout = 15;
  AccessibilityLevel = 1;
  ProxyHost.clear();
  ProxyPort.clear();
  ProxyUser.clear();
  ProxyPassword.clear();
  LogFile = DefaultLogFileName();
  Configurations = {"Normal", "Strict", "Errors Only", "Accessibility"};
  MessageSettings.clear();
  Programs.clear();
  Modified = true;
}

std::uint32_t TEngineConfig::Flags(int Id) const {
  const auto It = FlagWords.find(Id);
  return It == FlagWords.end() ? 0 : It->second;
}

bool TEngineConfig::Load(const std::string& Name, std::string& Error) {
  std::ifstream F(Name, std::ios::binary);
  if (!F) {
    Error = "cannot open the file";
    return false;
  }
  TEngineConfig N;
  N.Configurations.clear();
  std::string Section;
  std::string Raw;
  int LineNo = 0;
  while (std::getline(F, Raw)) {
    ++LineNo;
    const std::string L = Trim(Raw);
    if (L.empty() || L[0] == ';' || L[0] == '#') {
      continue;
    }
    if (L.front() == '[') {
      if (L.back() != ']') {
        Error = "line " + std::to_string(LineNo) + ": bad section name";
        return false;
      }
      Section = L.substr(1, L.size() - 2);
      continue;
    }
    const std::size_t Eq = L.find('=');
    if (Eq == std::string::npos) {
      Error = "line " + std::to_string(LineNo) + ": \"=\" expected";
      return false;
    }
    const std::string Key = Trim(L.substr(0, Eq));
    const std::string Value = Trim(L.substr(Eq + 1));
    long long V = 0;
    const bool Number = ParseInt(Value, V);
    if (Section == "Options") {
      if (Key.rfind("Flag", 0) == 0 && Key.size() > 4) {
        long long Id = 0;
        if (!ParseInt(Key.substr(4), Id) || !Number || Id < ZUB_CONFIG_FLAG_WORD_FIRST || Id > ZUB_CONFIG_FLAG_WORD_LAST ||
            Id == ZUB_CONFIG_PROGRAM_FLAGS) {
          Error = "line " + std::to_string(LineNo) + ": bad flag word";
          return false;
        }
        N.FlagWords[static_cast<int>(Id)] = static_cast<std::uint32_t>(V);
      } else if (Key == "DisabledProgramFlags") {
        std::stringstream Ss(Value);
        std::string Item;
        while (std::getline(Ss, Item, ',')) {
          long long Fl = 0;
          if (ParseInt(Trim(Item), Fl) && Fl > 0 && Fl < 256) {
            N.ProgramFlags.reset(static_cast<std::size_t>(Fl));
          }
        }
      } else if (Number) {
        if (Key == "ProxyFlags") {
          N.ProxyFlags = static_cast<int>(V);
        }
        if (Key == "LinkCheckOnlyMenu") {
          N.LinkCheckOnlyMenu = static_cast<int>(V);
        }
        if (Key == "MessageIDs") {
          N.MessageIdsInUse = static_cast<int>(V);
        }
        if (Key == "LineEnds") {
          N.LineEndFormat = static_cast<int>(V);
        }
        if (Key == "LinkTimeout") {
          N.LinkTimeout = static_cast<int>(V);
        }
        if (Key == "AccessibilityLevel") {
          N.AccessibilityLevel = static_cast<int>(V);
        }
      }
    } else if (Section == "Network") {
      if (Key == "ProxyHost") {
        N.ProxyHost = Value;
      }
      if (Key == "ProxyPort") {
        N.ProxyPort = Value;
      }
      if (Key == "ProxyUser") {
        N.ProxyUser = Value;
      }
      if (Key == "ProxyPassword") {
        N.ProxyPassword = Value;
      }
    } else if (Section == "Logging") {
      if (Key == "LogFile") {
        N.LogFile = Value;
      }
    } else if (Section == "Configurations") {
      N.Configurations.push_back(Value);
    } else if (Section == "MessageIDs") {
      long long Id = 0;
      const std::size_t Comma = Value.find(',');
      long long Type = 0, Enabled = 0;
      if (!ParseInt(Key, Id) || Comma == std::string::npos || !ParseInt(Trim(Value.substr(0, Comma)), Type) ||
          !ParseInt(Trim(Value.substr(Comma + 1)), Enabled)) {
        Error = "line " + std::to_string(LineNo) + ": bad message ID setting";
        return false;
      }
      N.MessageSettings[static_cast<int>(Id)] = {static_cast<int>(Type), static_cast<int>(Enabled)};
    } else if (Section == "Programs") {
      N.Programs.emplace_back(Key, Value);
    }
  }
  if (N.Configurations.empty()) {
    N.Configurations.push_back("Normal");
  }
  N.FileName = Name;
  N.Modified = false;
  *this = std::move(N);
  return true;
}

bool TEngineConfig::Save(const std::string& Name) const {
  std::ostringstream O;
  O << "; ZUB validator engine configuration\n[Options]\n";
  for (const auto& [Id, Word] : FlagWords) {
    O << "Flag" << Id << "=" << Word << "\n";
  }
  O << "DisabledProgramFlags=";
  bool First = true;
  for (std::size_t I = 1; I < ProgramFlags.size(); ++I) {
    if (!ProgramFlags.test(I)) {
      O << (First ? "" : ",") << I;
      First = false;
    }
  }
  O << "\nProxyFlags=" << ProxyFlags << "\nLinkCheckOnlyMenu=" << LinkCheckOnlyMenu << "\nMessageIDs="
    << MessageIdsInUse << "\nLineEnds=" << LineEndFormat << "\nLinkTimeout=" << LinkTimeout
    << "\nAccessibilityLevel=" << AccessibilityLevel << "\n";
  O << "[Network]\nProxyHost=" << ProxyHost << "\nProxyPort=" << ProxyPort << "\nProxyUser=" << ProxyUser
    << "\nProxyPassword=" << ProxyPassword << "\n";
  O << "[Logging]\nLogFile=" << LogFile << "\n";
  O << "[Configurations]\n";
  for (std::size_t I = 0; I < Configurations.size(); ++I) {
    O << "Name" << I << "=" << Configurations[I] << "\n";
  }
  O << "[MessageIDs]\n";
  for (const auto& [Id, S] : MessageSettings) {
    O << Id << "=" << S.Type << "," << S.Enabled << "\n";
  }
  O << "[Programs]\n";
  for (const auto& [K, V] : Programs) {
    O << K << "=" << V << "\n";
  }
  return WriteFileAtomically(Name, O.str());
}

void TEngineConfig::Clean() {
  for (auto It = MessageSettings.begin(); It != MessageSettings.end();) {
    if ((It->second.Type == 5 || It->second.Type < 1 || It->second.Type > 5) && It->second.Enabled != 0) {
      It = MessageSettings.erase(It);
    } else {
      ++It;
    }
  }
}

bool TEngineConfig::ExportPrograms(const std::string& Name) const {
  std::ostringstream O;
  O << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<programs>\n";
  for (const auto& [K, V] : Programs) {
    O << "  <program name=\"" << XmlEscape(K) << "\" command=\"" << XmlEscape(V) << "\"/>\n";
  }
  O << "</programs>\n";
  return WriteFileAtomically(Name, O.str());
}

bool TEngineConfig::ImportPrograms(const std::string& Name) {
  std::ifstream F(Name, std::ios::binary);
  if (!F) {
    return false;
  }
  std::vector<std::pair<std::string, std::string>> List;
  std::string L;
  while (std::getline(F, L)) {
    const std::size_t P = L.find("<program ");
    if (P == std::string::npos) {
      continue;
    }
    auto Attr = [&](const std::string& A) -> std::string {
      const std::size_t B = L.find(A + "=\"", P);
      if (B == std::string::npos) {
        return {};
      }
      const std::size_t S = B + A.size() + 2;
      const std::size_t E = L.find('"', S);
      return E == std::string::npos ? std::string() : XmlUnescape(L.substr(S, E - S));
    };
    List.emplace_back(Attr("name"), Attr("command"));
  }
  Programs = std::move(List);
  return true;
}

}  // namespace zubengine
