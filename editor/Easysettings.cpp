// Self-persisting settings: the property stream, the settings file and the search settings object.
#include "editor/Easysettings.h"

#include "editor/Easyinifile.h"
#include "editor/Easyregistry.h"
#include "editor/Easyutils.h"
#include "platform/rtl/Exceptions.h"

#include <cstring>
#include <memory>

Z_IMPLEMENT_CLASS(TEasySettings, TPersistent)
Z_IMPLEMENT_CLASS(TEasySearchSettings, TEasySettings)

namespace {
constexpr char StreamSignature[] = "EPS1";
constexpr std::size_t SignatureLength = 4;

void AppendInt(std::string& S, Cardinal V) {
  for (int I = 0; I < 4; ++I) {
    S += static_cast<char>((V >> (8 * I)) & 0xFF);
  }
}

[[noreturn]] void BadStream() { throw EReadError(RtlConsts::SInvalidImage); }

// Reads the property stream and hands every value to the settings object.
void ReadPropertyStream(TEasySettings* Settings, const std::string& Bytes) {
  if (Bytes.compare(0, SignatureLength, StreamSignature) != 0) {
    BadStream();
  }
  std::size_t P = SignatureLength;
  auto Need = [&](std::size_t N) {
    if (Bytes.size() - P < N) {
      BadStream();
    }
  };
  auto ReadCardinal = [&] {
    Need(4);
    Cardinal V = 0;
    for (int I = 0; I < 4; ++I) {
      V |= static_cast<Cardinal>(static_cast<unsigned char>(Bytes[P + static_cast<std::size_t>(I)])) << (8 * I);
    }
    P += 4;
    return V;
  };
  for (;;) {
    Need(1);
    const Byte Kind = static_cast<Byte>(Bytes[P++]);
    if (Kind == 0) {
      return;
    }
    Need(1);
    const std::size_t NameLength = static_cast<unsigned char>(Bytes[P++]);
    Need(NameLength);
    const std::string Name = Bytes.substr(P, NameLength);
    P += NameLength;
    TEasyPropertyValue Value;
    switch (Kind) {
      case TEasyPropertyValue::pvInteger:
        Value.Kind = TEasyPropertyValue::pvInteger;
        Value.IntValue = static_cast<Integer>(ReadCardinal());
        break;
      case TEasyPropertyValue::pvString: {
        Value.Kind = TEasyPropertyValue::pvString;
        const std::size_t Length = ReadCardinal();
        Need(Length);
        Value.StrValue = Bytes.substr(P, Length);
        P += Length;
        break;
      }
      case TEasyPropertyValue::pvBoolean:
        Value.Kind = TEasyPropertyValue::pvBoolean;
        Need(1);
        Value.BoolValue = Bytes[P++] != 0;
        break;
      default:
        BadStream();
    }
    Settings->ReadProperty(Name, Value);
  }
}
}  // namespace

// ---- property stream ----

void TEasyPropertyWriter::Header(Byte Kind, const std::string& Name) {
  FBytes += static_cast<char>(Kind);
  FBytes += static_cast<char>(static_cast<unsigned char>(Name.size() > 255 ? 255 : Name.size()));
  FBytes.append(Name, 0, 255);
}

void TEasyPropertyWriter::WriteString(const std::string& Name, const std::string& Value) {
  Header(TEasyPropertyValue::pvString, Name);
  AppendInt(FBytes, static_cast<Cardinal>(Value.size()));
  FBytes += Value;
}

void TEasyPropertyWriter::WriteInteger(const std::string& Name, Integer Value) {
  Header(TEasyPropertyValue::pvInteger, Name);
  AppendInt(FBytes, static_cast<Cardinal>(Value));
}

void TEasyPropertyWriter::WriteBoolean(const std::string& Name, bool Value) {
  Header(TEasyPropertyValue::pvBoolean, Name);
  FBytes += static_cast<char>(Value ? 1 : 0);
}

std::string TEasyPropertyWriter::Bytes() const { return std::string(StreamSignature) + FBytes + '\0'; }

// ---- the settings file ----

std::string& SettingsFileName() {
  static std::string Name = AddSlash(GetTempDir()) + "EasySettings.txt";
  return Name;
}

std::string& SettingsKey() {
  static std::string Key = DefaultKey() + "Settings";
  return Key;
}

void WritePersistentToFile(const TEasySettings* Settings, const std::string& FileName, const std::string& Key) {
  TEasyPropertyWriter Writer;
  Settings->WriteProperties(Writer);
  TEasyIniFile File(FileName);
  File.WriteString(Key, StringToHex(Writer.Bytes()));
  File.UpdateFile();
}

void ReadPersistentFromFile(TEasySettings* Settings, const std::string& FileName, const std::string& Key) {
  std::string Hex;
  {
    TEasyIniFile File(FileName);
    Hex = File.ReadString(Key, std::string());
    File.UpdateFile();  // so that a first run leaves an empty file behind
  }
  const std::string Bytes = HexToString(Hex);
  if (!Bytes.empty()) {
    ReadPropertyStream(Settings, Bytes);
  }
}

// ---- TEasySettings ----

std::string TEasySettings::GetKey() const { return ClassName().substr(1); }

std::string TEasySettings::GetSettingsKey() const { return SettingsKey() + "\\" + GetKey(); }

void TEasySettings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) {
    Apply();
  }
}

void TEasySettings::LoadSettings() {
  BeginUpdate();
  try {
    ReadPersistentFromFile(this, SettingsFileName(), GetKey());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TEasySettings::SaveSettings() { WritePersistentToFile(this, SettingsFileName(), GetKey()); }

// ---- TEasySearchSettings ----

TEasySearchSettings::TEasySearchSettings() {
  Init();
  try {
    LoadSettings();
  } catch (...) {
    // A bad entry is replaced by what was read before the error, then the error goes to the caller.
    try {
      SaveSettings();
    } catch (...) {
    }
    throw;
  }
}

TEasySearchSettings::~TEasySearchSettings() {
  if (!SaveOnDestroy) {
    return;
  }
  try {
    SaveSettings();
  } catch (...) {
    // Nothing can be reported from here.
  }
}

void TEasySearchSettings::Init() {
  TextToFind.clear();
  ReplaceWith.clear();
  PromptOnReplace = true;
  CaseSensitive = false;
  WholeWordsOnly = false;
  RegularExpr = false;
  Direction = srForward;
  Scope = scGlobal;
  Origin = sgEntireScope;
  ShowNotFound = true;
  ReplaceAll = false;
  InReplace = false;
  FirstSearch = false;
  GotoLineNumber = 0;
}

void TEasySearchSettings::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TEasySearchSettings*>(Source);
  if (!Other) {
    TEasySettings::Assign(Source);
    return;
  }
  BeginUpdate();
  TextToFind = Other->TextToFind;
  ReplaceWith = Other->ReplaceWith;
  PromptOnReplace = Other->PromptOnReplace;
  CaseSensitive = Other->CaseSensitive;
  WholeWordsOnly = Other->WholeWordsOnly;
  RegularExpr = Other->RegularExpr;
  Direction = Other->Direction;
  Scope = Other->Scope;
  Origin = Other->Origin;
  ShowNotFound = Other->ShowNotFound;
  ReplaceAll = Other->ReplaceAll;
  InReplace = Other->InReplace;
  FirstSearch = Other->FirstSearch;
  GotoLineNumber = Other->GotoLineNumber;
  EndUpdate();
}

void TEasySearchSettings::WriteProperties(TEasyPropertyWriter& W) const {
  W.WriteString("P.TextToFind", TextToFind);
  W.WriteString("P.ReplaceWith", ReplaceWith);
  W.WriteBoolean("P.PromptOnReplace", PromptOnReplace);
  W.WriteBoolean("P.CaseSensitive", CaseSensitive);
  W.WriteBoolean("P.WholeWordsOnly", WholeWordsOnly);
  W.WriteBoolean("P.RegularExpr", RegularExpr);
  W.WriteInteger("P.Direction", Direction);
  W.WriteInteger("P.Scope", Scope);
  W.WriteInteger("P.Origin", Origin);
  if (!ShowNotFound) {  // true is the declared default and is left out
    W.WriteBoolean("P.ShowNotFound", ShowNotFound);
  }
  W.WriteBoolean("P.ReplaceAll", ReplaceAll);
  W.WriteBoolean("P.InReplace", InReplace);
  W.WriteBoolean("P.FirstSearch", FirstSearch);
  W.WriteInteger("P.GotoLineNumber", GotoLineNumber);
}

void TEasySearchSettings::ReadProperty(const std::string& Name, const TEasyPropertyValue& V) {
  const bool IsBool = V.Kind == TEasyPropertyValue::pvBoolean;
  const bool IsInt = V.Kind == TEasyPropertyValue::pvInteger;
  const bool IsStr = V.Kind == TEasyPropertyValue::pvString;
  if (Name == "P.TextToFind" && IsStr) {
    TextToFind = V.StrValue;
  } else if (Name == "P.ReplaceWith" && IsStr) {
    ReplaceWith = V.StrValue;
  } else if (Name == "P.PromptOnReplace" && IsBool) {
    PromptOnReplace = V.BoolValue;
  } else if (Name == "P.CaseSensitive" && IsBool) {
    CaseSensitive = V.BoolValue;
  } else if (Name == "P.WholeWordsOnly" && IsBool) {
    WholeWordsOnly = V.BoolValue;
  } else if (Name == "P.RegularExpr" && IsBool) {
    RegularExpr = V.BoolValue;
  } else if (Name == "P.Direction" && IsInt && (V.IntValue == srForward || V.IntValue == srBackward)) {
    Direction = static_cast<TEasySearchDirection>(V.IntValue);
  } else if (Name == "P.Scope" && IsInt && (V.IntValue == scGlobal || V.IntValue == scSelectedText)) {
    Scope = static_cast<TEasySearchScope>(V.IntValue);
  } else if (Name == "P.Origin" && IsInt && (V.IntValue == sgFromCursor || V.IntValue == sgEntireScope)) {
    Origin = static_cast<TEasySearchOrigin>(V.IntValue);
  } else if (Name == "P.ShowNotFound" && IsBool) {
    ShowNotFound = V.BoolValue;
  } else if (Name == "P.ReplaceAll" && IsBool) {
    ReplaceAll = V.BoolValue;
  } else if (Name == "P.InReplace" && IsBool) {
    InReplace = V.BoolValue;
  } else if (Name == "P.FirstSearch" && IsBool) {
    FirstSearch = V.BoolValue;
  } else if (Name == "P.GotoLineNumber" && IsInt) {
    GotoLineNumber = V.IntValue;
  }
}

namespace {
struct TSearchSettingsHolder {
  std::unique_ptr<TEasySearchSettings> Instance;
  ~TSearchSettingsHolder() {
    try {
      Instance.reset();
    } catch (...) {
    }
  }
};
TSearchSettingsHolder& Holder() {
  static TSearchSettingsHolder H;
  return H;
}
}  // namespace

TEasySearchSettings* SearchSettings() {
  SettingsFileName();  // computed first, so that it outlives the instance
  TSearchSettingsHolder& H = Holder();
  if (!H.Instance) {
    H.Instance.reset(new TEasySearchSettings());
  }
  return H.Instance.get();
}
