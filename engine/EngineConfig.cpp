// The engine's configuration file.
#include "engine/EngineConfig.h"

#include "platform/win/RegistryStore.h"

#include <algorithm>
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

// Whether a name or text must be written quoted to read back exactly: blanks at either end, a first character
// the reader takes for a comment, a section or a quote, a control character, or (in a key) "=".
bool NeedsQuotes(const std::string& S, bool IsKey) {
  if (S.empty()) {
    return false;
  }
  const char First = S.front();
  const char Last = S.back();
  if (First == ' ' || First == '\t' || Last == ' ' || Last == '\t' || First == ';' || First == '#' || First == '[' ||
      First == '"') {
    return true;
  }
  return std::any_of(S.begin(), S.end(),
                     [&](char C) { return static_cast<unsigned char>(C) < 0x20 || (IsKey && C == '='); });
}

// A name or text as the file holds it: as it stands, or in double quotes with \" \\ \t \n \r escapes.
std::string Quoted(const std::string& S, bool IsKey = false) {
  if (!NeedsQuotes(S, IsKey)) {
    return S;
  }
  std::string R = "\"";
  for (char C : S) {
    switch (C) {
      case '"': R += "\\\""; break;
      case '\\': R += "\\\\"; break;
      case '\t': R += "\\t"; break;
      case '\n': R += "\\n"; break;
      case '\r': R += "\\r"; break;
      default:
        if (static_cast<unsigned char>(C) < 0x20) {
          R += ' ';  // no other control character can be typed into the windows
        } else {
          R += C;
        }
    }
  }
  return R + '"';
}

// Reads a quoted text starting at S[Pos] == '"'; returns the position after the closing quote, or npos when the
// quote is not closed or an escape is unknown (the text is then read as it stands, as older files wrote it).
std::size_t ReadQuoted(const std::string& S, std::size_t Pos, std::string& Out) {
  Out.clear();
  for (std::size_t I = Pos + 1; I < S.size(); ++I) {
    if (S[I] == '"') {
      return I + 1;
    }
    if (S[I] != '\\') {
      Out += S[I];
      continue;
    }
    if (++I == S.size()) {
      break;
    }
    switch (S[I]) {
      case '"': Out += '"'; break;
      case '\\': Out += '\\'; break;
      case 't': Out += '\t'; break;
      case 'n': Out += '\n'; break;
      case 'r': Out += '\r'; break;
      default: return std::string::npos;
    }
  }
  return std::string::npos;
}

// A trimmed value: the text of a quoted one, else the value as it stands. Only texts that need quotes are ever
// written quoted, so a quoted text that needs none comes from an older file and keeps its quotes.
std::string Unquoted(const std::string& V) {
  std::string Text;
  if (!V.empty() && V.front() == '"' && ReadQuoted(V, 0, Text) == V.size() && NeedsQuotes(Text, false)) {
    return Text;
  }
  return V;
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
  Configurations = {{"Normal", cpNormal}, {"Strict", cpStrict}, {"Errors Only", cpErrorsOnly},
                    {"Accessibility", cpAccessibility}};
  CurrentConfiguration = 0;
  MessageSettings.clear();
  Programs.clear();
  Modified = true;
}

int ProfileForName(const std::string& Name) {
  if (Name == "Strict") {
    return cpStrict;
  }
  if (Name == "Errors Only") {
    return cpErrorsOnly;
  }
  if (Name == "Accessibility") {
    return cpAccessibility;
  }
  return cpNormal;
}

std::uint32_t TEngineConfig::Flags(int Id) const {
  const auto It = FlagWords.find(Id);
  return It == FlagWords.end() ? 0 : It->second;
}

void TEngineConfig::SetFlag(int Id, std::uint32_t Bit, bool On) {
  std::uint32_t& W = FlagWords[Id];
  W = On ? (W | Bit) : (W & ~Bit);
}

TNamedConfiguration TEngineConfig::ConfigurationFor(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(Configurations.size())) {
    Index = CurrentConfiguration;
  }
  if (Index < 0 || Index >= static_cast<int>(Configurations.size())) {
    return {"Normal", cpNormal};
  }
  return Configurations[static_cast<std::size_t>(Index)];
}

bool TEngineConfig::Load(const std::string& Name, std::string& Error, std::vector<std::string>* Dropped) {
  std::ifstream F(Name, std::ios::binary);
  if (!F) {
    Error = "cannot open the file";
    return false;
  }
  std::ostringstream Text;
  Text << F.rdbuf();
  if (F.bad()) {
    Error = "cannot read the file";
    return false;
  }
  std::vector<std::string> Left;
  LoadText(Text.str(), Name, Left);
  if (Dropped) {
    *Dropped = std::move(Left);
  }
  return true;
}

namespace {

// Reads one file into a configuration that starts from the defaults; what cannot be used goes to Dropped.
class TConfigReader {
public:
  TConfigReader(TEngineConfig& Out, std::vector<std::string>& Dropped) : N(Out), Dropped(Dropped) {}

  void Read(const std::string& Text) {
    std::size_t Pos = 0;
    while (Pos < Text.size()) {
      std::size_t End = Text.find('\n', Pos);
      if (End == std::string::npos) {
        End = Text.size();
      }
      ++LineNo;
      Line(Trim(Text.substr(Pos, End - Pos)));
      Pos = End + 1;
    }
    Finish();
  }

private:
  void Drop(const std::string& Why) { Dropped.push_back("line " + std::to_string(LineNo) + ": " + Why); }

  static bool Printable(const std::string& S) {
    for (unsigned char C : S) {
      if (C < 0x20 && C != '\t') {
        return false;
      }
    }
    return true;
  }

  void Line(const std::string& L) {
    if (L.empty() || L[0] == ';' || L[0] == '#') {
      return;
    }
    if (!Printable(L)) {
      Drop("unreadable characters");
      return;
    }
    if (L.front() == '[') {
      if (L.back() != ']') {
        Drop("bad section name");
        Section = "?";
        return;
      }
      Section = L.substr(1, L.size() - 2);
      if (Section != "Options" && Section != "Network" && Section != "Logging" && Section != "Configurations" &&
          Section != "MessageIDs" && Section != "Programs") {
        Drop("unknown section [" + Section + "]");
        Section = "?";
      } else if (Section == "Configurations" && !SeenConfigurations) {
        SeenConfigurations = true;
        N.Configurations.clear();
      }
      return;
    }
    std::string Key;
    std::size_t Eq = std::string::npos;
    if (L.front() == '"') {  // a quoted key (a program's name)
      const std::size_t After = ReadQuoted(L, 0, Key);
      const std::size_t Next = After == std::string::npos ? After : L.find_first_not_of(" \t", After);
      Eq = Next != std::string::npos && L[Next] == '=' && NeedsQuotes(Key, true) ? Next : std::string::npos;
    }
    if (Eq == std::string::npos) {
      Eq = L.find('=');
      if (Eq == std::string::npos) {
        Drop("\"=\" expected");
        return;
      }
      Key = Trim(L.substr(0, Eq));
    }
    const std::string Value = Unquoted(Trim(L.substr(Eq + 1)));
    if (Section.empty()) {
      Drop("setting outside a section: " + Key);
    } else if (Section == "?") {
      // The section was reported once.
    } else if (Section == "Options") {
      Option(Key, Value);
    } else if (Section == "Network") {
      Network(Key, Value);
    } else if (Section == "Logging") {
      if (Key == "LogFile") {
        N.LogFile = Value;
      } else {
        Drop("unknown setting " + Key);
      }
    } else if (Section == "Configurations") {
      Configuration(Key, Value);
    } else if (Section == "MessageIDs") {
      MessageSetting(Key, Value);
    } else if (Section == "Programs") {
      if (Key.empty()) {
        Drop("program without a name");
      } else {
        N.Programs.emplace_back(Key, Value);
      }
    }
  }

  // An integer within Low..High, or false (reported).
  bool Int(const std::string& Key, const std::string& Value, long long Low, long long High, long long& V) {
    if (!ParseInt(Value, V) || V < Low || V > High) {
      Drop("bad value of " + Key + ": \"" + Value + "\"");
      return false;
    }
    return true;
  }

  void Option(const std::string& Key, const std::string& Value) {
    long long V = 0;
    if (Key.rfind("Flag", 0) == 0 && Key.size() > 4) {
      long long Id = 0;
      if (!ParseInt(Key.substr(4), Id) || Id < ZUB_CONFIG_FLAG_WORD_FIRST || Id > ZUB_CONFIG_FLAG_WORD_LAST ||
          Id == ZUB_CONFIG_PROGRAM_FLAGS) {
        Drop("bad flag word " + Key);
      } else if (Int(Key, Value, 0, 0xFFFFFFFFll, V)) {
        N.FlagWords[static_cast<int>(Id)] = static_cast<std::uint32_t>(V);
      }
    } else if (Key == "DisabledProgramFlags") {
      std::stringstream Ss(Value);
      std::string Item;
      while (std::getline(Ss, Item, ',')) {
        long long Fl = 0;
        if (ParseInt(Trim(Item), Fl) && Fl > 0 && Fl < ZUB_PROGRAM_FLAG_LIMIT) {
          N.ProgramFlags.reset(static_cast<std::size_t>(Fl));
        } else if (!Trim(Item).empty()) {
          Drop("bad program flag \"" + Trim(Item) + "\"");
        }
      }
    } else if (Key == "ProxyFlags") {
      if (Int(Key, Value, 0, 0x7FFFFFFF, V)) N.ProxyFlags = static_cast<int>(V);
    } else if (Key == "LinkCheckOnlyMenu") {
      if (Int(Key, Value, 0, 0x7FFFFFFF, V)) N.LinkCheckOnlyMenu = static_cast<int>(V);
    } else if (Key == "MessageIDs") {
      if (Int(Key, Value, 0, 1, V)) N.MessageIdsInUse = static_cast<int>(V);
    } else if (Key == "LineEnds") {
      if (Int(Key, Value, 0, 2, V)) N.LineEndFormat = static_cast<int>(V);
    } else if (Key == "LinkTimeout") {
      if (Int(Key, Value, MinLinkTimeout, MaxLinkTimeout, V)) N.LinkTimeout = static_cast<int>(V);
    } else if (Key == "AccessibilityLevel") {
      if (Int(Key, Value, 1, 3, V)) N.AccessibilityLevel = static_cast<int>(V);
    } else if (Key == "CurrentConfiguration") {
      if (Int(Key, Value, 0, 0x7FFFFFFF, V)) Current = static_cast<int>(V);
    } else {
      Drop("unknown setting " + Key);
    }
  }

  void Network(const std::string& Key, const std::string& Value) {
    if (Key == "ProxyHost") {
      N.ProxyHost = Value;
    } else if (Key == "ProxyPort") {
      N.ProxyPort = Value;
    } else if (Key == "ProxyUser") {
      N.ProxyUser = Value;
    } else if (Key == "ProxyPassword") {
      N.ProxyPassword = Value;
    } else {
      Drop("unknown setting " + Key);
    }
  }

  // "NameN=text" names configuration N, "ProfileN=k" gives its profile; numbers may come in any order.
  void Configuration(const std::string& Key, const std::string& Value) {
    const bool IsName = Key.rfind("Name", 0) == 0;
    const bool IsProfile = Key.rfind("Profile", 0) == 0;
    long long Index = -1;
    if ((!IsName && !IsProfile) || !ParseInt(Key.substr(IsName ? 4 : 7), Index) || Index < 0 || Index > 999) {
      Drop("unknown setting " + Key);
      return;
    }
    auto& Slot = Named[static_cast<int>(Index)];
    if (IsName) {
      if (Value.empty() || Value.size() > MaxConfigurationNameLength) {
        Drop("bad configuration name in " + Key);
        return;
      }
      Slot.first = Value;
    } else {
      long long P = 0;
      if (Int(Key, Value, 0, ConfigProfileCount - 1, P)) {
        Slot.second = static_cast<int>(P);
      }
    }
  }

  void MessageSetting(const std::string& Key, const std::string& Value) {
    long long Id = 0;
    long long Type = 0;
    long long Enabled = 0;
    const std::size_t Comma = Value.find(',');
    if (!ParseInt(Key, Id) || Id < 1 || Id > 0x7FFFFFFF || Comma == std::string::npos ||
        !ParseInt(Trim(Value.substr(0, Comma)), Type) || Type < 1 || Type > 5 ||
        !ParseInt(Trim(Value.substr(Comma + 1)), Enabled) || (Enabled != 0 && Enabled != 1)) {
      Drop("bad message ID setting " + Key);
      return;
    }
    N.MessageSettings[static_cast<int>(Id)] = {static_cast<int>(Type), static_cast<int>(Enabled)};
  }

  void Finish() {
    if (SeenConfigurations) {
      for (const auto& [Index, Slot] : Named) {
        if (Slot.first.empty()) {
          Dropped.push_back("configuration " + std::to_string(Index) + " has no name");
          continue;
        }
        const std::string& Name = Slot.first;
        const bool Duplicate = std::any_of(N.Configurations.begin(), N.Configurations.end(),
                                           [&](const TNamedConfiguration& C) { return C.Name == Name; });
        if (Duplicate) {
          Dropped.push_back("configuration \"" + Slot.first + "\" is named twice");
          continue;
        }
        N.Configurations.push_back({Slot.first, Slot.second >= 0 ? Slot.second : ProfileForName(Slot.first)});
      }
    }
    if (N.Configurations.empty()) {
      N.Configurations.push_back({"Normal", cpNormal});
    }
    if (Current >= static_cast<int>(N.Configurations.size())) {
      Dropped.push_back("the configuration in use (" + std::to_string(Current) + ") does not exist");
      Current = 0;
    }
    N.CurrentConfiguration = Current;
  }

  TEngineConfig& N;
  std::vector<std::string>& Dropped;
  std::string Section;
  int LineNo = 0;
  bool SeenConfigurations = false;
  int Current = 0;
  std::map<int, std::pair<std::string, int>> Named;  // by number: name, profile (-1 by the name)
};

}  // namespace

void TEngineConfig::LoadText(const std::string& Text, const std::string& Name, std::vector<std::string>& Dropped) {
  TEngineConfig N;
  N.Reset();
  N.Programs.clear();
  N.MessageSettings.clear();
  Dropped.clear();
  TConfigReader Reader(N, Dropped);
  Reader.Read(Text);
  N.FileName = Name;
  N.Modified = false;
  *this = std::move(N);
}

std::string TEngineConfig::ToText() const {
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
    << "\nAccessibilityLevel=" << AccessibilityLevel << "\nCurrentConfiguration=" << CurrentConfiguration << "\n";
  O << "[Network]\nProxyHost=" << Quoted(ProxyHost) << "\nProxyPort=" << Quoted(ProxyPort)
    << "\nProxyUser=" << Quoted(ProxyUser) << "\nProxyPassword=" << Quoted(ProxyPassword) << "\n";
  O << "[Logging]\nLogFile=" << Quoted(LogFile) << "\n";
  O << "[Configurations]\n";
  for (std::size_t I = 0; I < Configurations.size(); ++I) {
    O << "Name" << I << "=" << Quoted(Configurations[I].Name) << "\nProfile" << I << "=" << Configurations[I].Profile
      << "\n";
  }
  O << "[MessageIDs]\n";
  for (const auto& [Id, S] : MessageSettings) {
    O << Id << "=" << S.Type << "," << S.Enabled << "\n";
  }
  O << "[Programs]\n";
  for (const auto& [K, V] : Programs) {
    O << Quoted(K, true) << "=" << Quoted(V) << "\n";
  }
  return O.str();
}

bool TEngineConfig::Save(const std::string& Name) const { return WriteFileAtomically(Name, ToText()); }

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
    std::string Name = Attr("name");
    if (Name.empty()) {
      continue;  // a program needs a name
    }
    List.emplace_back(std::move(Name), Attr("command"));
  }
  Programs = std::move(List);
  return true;
}

}  // namespace zubengine
