// The registry hive's text form: formatting and parsing of the key tree, and the folding of names.
#include "platform/win/RegistryStore.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const char* const HiveHeader = "ZUB Quillon registry hive 1";
const char* const HiveEnd = "end";

// Text escapes of the file format.
const char HexDigits[] = "0123456789abcdef";

void AppendHexByte(std::string& Out, unsigned char C) {
  Out += HexDigits[C >> 4];
  Out += HexDigits[C & 15];
}

std::string QuoteString(const std::string& S) {
  std::string Out = "\"";
  for (const char Ch : S) {
    const auto C = static_cast<unsigned char>(Ch);
    switch (C) {
      case '\\': Out += "\\\\"; break;
      case '"': Out += "\\\""; break;
      case '\t': Out += "\\t"; break;
      case '\n': Out += "\\n"; break;
      case '\r': Out += "\\r"; break;
      default:
        if (C < 0x20 || C > 0x7E) {
          Out += "\\x";
          AppendHexByte(Out, C);
        } else {
          Out += Ch;
        }
    }
  }
  return Out + "\"";
}

std::string EscapeKeyName(const std::string& S) {
  std::string Out;
  for (const char Ch : S) {
    const auto C = static_cast<unsigned char>(Ch);
    if (C < 0x20 || C > 0x7E || C == '%' || C == '\\') {
      Out += '%';
      AppendHexByte(Out, C);
    } else {
      Out += Ch;
    }
  }
  return Out;
}

void FormatValue(std::string& Out, const TRegStoreValue& V) {
  Out += V.Name.empty() ? std::string("@") : QuoteString(V.Name);
  Out += '=';
  const bool EndsInNul = !V.Data.empty() && V.Data.back() == '\0';
  if ((V.Type == REG_SZ || V.Type == REG_EXPAND_SZ) && EndsInNul) {
    Out += V.Type == REG_SZ ? "sz:" : "expand:";
    Out += QuoteString(V.Data.substr(0, V.Data.size() - 1));
  } else if (V.Type == REG_DWORD && V.Data.size() == 4) {
    DWORD D = 0;
    std::memcpy(&D, V.Data.data(), 4);
    char Buf[16];
    std::snprintf(Buf, sizeof Buf, "dword:%08x", static_cast<unsigned>(D));
    Out += Buf;
  } else {
    Out += V.Type == REG_BINARY ? std::string("hex:") : "hex(" + std::to_string(V.Type) + "):";
    for (std::size_t I = 0; I < V.Data.size(); ++I) {
      if (I > 0) {
        Out += ',';
      }
      AppendHexByte(Out, static_cast<unsigned char>(V.Data[I]));
    }
  }
  Out += '\n';
}

void FormatKey(std::string& Out, const TRegStoreKey& Key, const std::string& Path, bool IsRoot) {
  if (!IsRoot || !Key.Values.empty()) {
    Out += "[" + Path + "]\n";
  }
  for (const TRegStoreValue& V : Key.Values) {
    FormatValue(Out, V);
  }
  for (const auto& [Fold, Sub] : Key.SubKeys) {
    FormatKey(Out, *Sub, IsRoot ? EscapeKeyName(Sub->Name) : Path + "\\" + EscapeKeyName(Sub->Name), false);
  }
}

int HexValue(char C) {
  if (C >= '0' && C <= '9') {
    return C - '0';
  }
  if (C >= 'a' && C <= 'f') {
    return C - 'a' + 10;
  }
  if (C >= 'A' && C <= 'F') {
    return C - 'A' + 10;
  }
  return -1;
}

bool ParseHexByte(const std::string& S, std::size_t At, char& Out) {
  if (At + 2 > S.size() || HexValue(S[At]) < 0 || HexValue(S[At + 1]) < 0) {
    return false;
  }
  Out = static_cast<char>(HexValue(S[At]) * 16 + HexValue(S[At + 1]));
  return true;
}

// Parses a quoted string starting at Pos (which holds '"'); leaves Pos after the closing quote.
bool ParseQuoted(const std::string& S, std::size_t& Pos, std::string& Out) {
  if (Pos >= S.size() || S[Pos] != '"') {
    return false;
  }
  for (++Pos; Pos < S.size(); ++Pos) {
    const char C = S[Pos];
    if (C == '"') {
      ++Pos;
      return true;
    }
    if (C != '\\') {
      Out += C;
      continue;
    }
    if (++Pos >= S.size()) {
      return false;
    }
    switch (S[Pos]) {
      case '\\': Out += '\\'; break;
      case '"': Out += '"'; break;
      case 't': Out += '\t'; break;
      case 'n': Out += '\n'; break;
      case 'r': Out += '\r'; break;
      case 'x': {
        char B = 0;
        if (!ParseHexByte(S, Pos + 1, B)) {
          return false;
        }
        Out += B;
        Pos += 2;
        break;
      }
      default: return false;
    }
  }
  return false;
}

bool ParseKeyPath(const std::string& Path, TRegStoreKey& Root, TRegStoreKey*& Key) {
  Key = &Root;
  if (Path.empty()) {
    return true;
  }
  std::size_t Start = 0;
  for (;;) {
    const std::size_t End = std::min(Path.find('\\', Start), Path.size());
    std::string Name;
    for (std::size_t I = Start; I < End; ++I) {
      if (Path[I] == '%') {
        char B = 0;
        if (!ParseHexByte(Path, I + 1, B) || I + 2 >= End) {
          return false;
        }
        Name += B;
        I += 2;
      } else {
        Name += Path[I];
      }
    }
    if (Name.empty()) {
      return false;
    }
    auto& Slot = Key->SubKeys[RegFoldName(Name)];
    if (!Slot) {
      Slot = std::make_unique<TRegStoreKey>();
      Slot->Name = Name;
    }
    Key = Slot.get();
    if (End == Path.size()) {
      return true;
    }
    Start = End + 1;
  }
}

bool ParseValueLine(const std::string& Line, TRegStoreKey& Key) {
  TRegStoreValue V;
  std::size_t Pos = 0;
  if (Line[0] == '@') {
    Pos = 1;
  } else if (!ParseQuoted(Line, Pos, V.Name)) {
    return false;
  }
  if (Pos >= Line.size() || Line[Pos] != '=') {
    return false;
  }
  const std::size_t Colon = Line.find(':', Pos + 1);
  if (Colon == std::string::npos) {
    return false;
  }
  const std::string Kind = Line.substr(Pos + 1, Colon - Pos - 1);
  Pos = Colon + 1;
  if (Kind == "sz" || Kind == "expand") {
    V.Type = Kind == "sz" ? REG_SZ : REG_EXPAND_SZ;
    if (!ParseQuoted(Line, Pos, V.Data) || Pos != Line.size()) {
      return false;
    }
    V.Data += '\0';
  } else if (Kind == "dword") {
    if (Line.size() - Pos != 8) {
      return false;
    }
    DWORD D = 0;
    for (std::size_t I = Pos; I < Line.size(); ++I) {
      const int H = HexValue(Line[I]);
      if (H < 0) {
        return false;
      }
      D = D * 16 + static_cast<DWORD>(H);
    }
    V.Type = REG_DWORD;
    V.Data.assign(reinterpret_cast<const char*>(&D), 4);
  } else if (Kind == "hex" || (Kind.size() > 5 && Kind.compare(0, 4, "hex(") == 0 && Kind.back() == ')')) {
    if (Kind == "hex") {
      V.Type = REG_BINARY;
    } else {
      const std::string Num = Kind.substr(4, Kind.size() - 5);
      if (Num.empty() || Num.size() > 10 || Num.find_first_not_of("0123456789") != std::string::npos) {
        return false;
      }
      const unsigned long long T = std::stoull(Num);
      if (T > 0xFFFFFFFFull) {
        return false;
      }
      V.Type = static_cast<DWORD>(T);
    }
    while (Pos < Line.size()) {
      char B = 0;
      if (!ParseHexByte(Line, Pos, B)) {
        return false;
      }
      V.Data += B;
      Pos += 2;
      if (Pos < Line.size() && (Line[Pos] != ',' || ++Pos == Line.size())) {
        return false;
      }
    }
  } else {
    return false;
  }
  V.Fold = RegFoldName(V.Name);
  if (TRegStoreValue* Old = Key.FindValue(V.Name)) {
    *Old = std::move(V);
  } else {
    Key.Values.push_back(std::move(V));
  }
  return true;
}

}  // namespace

std::string RegFoldName(const std::string& Name) {
  std::string Out = Name;
  for (char& Ch : Out) {
    const auto C = static_cast<unsigned char>(Ch);
    if ((C >= 'a' && C <= 'z') || (C >= 0xE0 && C <= 0xFE && C != 0xF7)) {
      Ch = static_cast<char>(C - 0x20);
    } else if (C == 0x9A || C == 0x9C || C == 0x9E) {  // s, oe, z with caron / ligature
      Ch = static_cast<char>(C - 0x10);
    } else if (C == 0xFF) {  // y with diaeresis
      Ch = static_cast<char>(0x9F);
    }
  }
  return Out;
}

TRegStoreKey* TRegStoreKey::FindSubKey(const std::string& AName) const {
  const auto It = SubKeys.find(RegFoldName(AName));
  return It == SubKeys.end() ? nullptr : It->second.get();
}

TRegStoreValue* TRegStoreKey::FindValue(const std::string& AName) {
  const std::string Fold = RegFoldName(AName);
  for (TRegStoreValue& V : Values) {
    if (V.Fold == Fold) {
      return &V;
    }
  }
  return nullptr;
}

const TRegStoreValue* TRegStoreKey::FindValue(const std::string& AName) const {
  return const_cast<TRegStoreKey*>(this)->FindValue(AName);
}

std::string RegFormatHive(const TRegStoreKey& HiveRoot) {
  std::string Out = std::string(HiveHeader) + "\n";
  FormatKey(Out, HiveRoot, "", true);
  return Out + HiveEnd + "\n";
}

bool RegParseHive(const std::string& Text, TRegStoreKey& HiveRoot, std::string& Error,
                  std::vector<std::string>* Dropped) {
  TRegStoreKey Root;
  TRegStoreKey* Current = nullptr;
  bool Ended = false;
  std::size_t LineNo = 0;
  std::size_t Start = 0;
  while (Start < Text.size()) {
    std::size_t End = Text.find('\n', Start);
    if (End == std::string::npos) {
      End = Text.size();
    }
    std::string Line = Text.substr(Start, End - Start);
    Start = End + 1;
    ++LineNo;
    if (!Line.empty() && Line.back() == '\r') {
      Line.pop_back();
    }
    // A damaged line fails the whole text, or is dropped and listed when the caller keeps what can be read.
    const auto Fail = [&](const char* What) {
      Error = std::string(What) + " in line " + std::to_string(LineNo);
      if (Dropped != nullptr && LineNo > 1) {
        Dropped->push_back(Error);
        return true;
      }
      return false;
    };
    if (LineNo == 1) {
      if (Line != HiveHeader) {
        Fail("unknown header");
        return false;
      }
      continue;
    }
    if (Line.empty() || Line[0] == ';') {
      continue;
    }
    if (Ended) {
      if (!Fail("text after the end line")) {
        return false;
      }
      continue;
    }
    if (Line == HiveEnd) {
      Ended = true;
    } else if (Line[0] == '[') {
      if (Line.back() != ']' || Line.size() < 2 || !ParseKeyPath(Line.substr(1, Line.size() - 2), Root, Current)) {
        // The values that follow belong to a key that cannot be named: they go with it.
        Current = nullptr;
        if (!Fail("malformed key")) {
          return false;
        }
      }
    } else if (Line[0] == '@' || Line[0] == '"') {
      if (!Current || !ParseValueLine(Line, *Current)) {
        if (!Fail(Current ? "malformed value" : "value without its key")) {
          return false;
        }
      }
    } else if (!Fail("unknown line")) {
      return false;
    }
  }
  if (LineNo == 0) {
    Error = "empty file";
    return false;
  }
  if (!Ended) {
    Error = "the file is cut short (no end line)";
    if (Dropped == nullptr) {
      return false;
    }
    Dropped->push_back(Error);
  }
  if (Dropped != nullptr && !Dropped->empty()) {
    Error = (*Dropped)[0];
  } else {
    Error.clear();
  }
  HiveRoot = std::move(Root);
  return true;
}
