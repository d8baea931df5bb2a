// Properties of the engine's handles: what jobs, results and configurations give and take by identifier.
#include "engine/EngineHandles.h"

#include "engine/EngineState.h"
#include "engine/EngineTexts.h"

#include <string>

namespace zubengine {

namespace {

template <class V>
bool InRange(ZUBInt I, const V& Items) {
  return I >= 0 && I < static_cast<ZUBInt>(Items.size());
}

// Messages are numbered from 1.
const TMessage* MessageAt(const TResult& R, ZUBInt Number) {
  if (Number < 1 || Number > static_cast<ZUBInt>(R.Messages.size())) {
    return nullptr;
  }
  return &R.Messages[static_cast<std::size_t>(Number - 1)];
}

const char* ItemAt(const std::vector<std::string>& Items, ZUBInt I) {
  return InRange(I, Items) ? Items[static_cast<std::size_t>(I)].c_str() : nullptr;
}

bool IsConfigFlagWord(ZUBInt Id) {
  return Id >= ZUB_CONFIG_FLAG_WORD_FIRST && Id <= ZUB_CONFIG_FLAG_WORD_LAST;
}

bool IsProgramFlag(ZUBInt Bit) { return Bit > 0 && Bit < ZUB_PROGRAM_FLAG_LIMIT; }

std::uint32_t Apply(std::uint32_t Word, ZUBInt Bit, ZUBInt Value) {
  const auto Mask = static_cast<std::uint32_t>(Bit);
  return Value ? (Word | Mask) : (Word & ~Mask);
}

ZUBInt Tested(std::uint32_t Word, ZUBInt Bit) { return (Word & static_cast<std::uint32_t>(Bit)) ? 1 : 0; }

ZUBInt ResultInteger(const TResult& R, ZUBInt Id, bool& Ok) {
  switch (Id) {
    case ZUB_RESULT_ERRORS: return R.Errors;
    case ZUB_RESULT_WARNINGS: return R.Warnings;
    case ZUB_RESULT_NEW_TEXT_LINES: return static_cast<ZUBInt>(R.NewText.size());
    case ZUB_RESULT_MESSAGES: return static_cast<ZUBInt>(R.Messages.size());
    case ZUB_RESULT_STRUCTURE_LINES: return static_cast<ZUBInt>(R.Structure.size());
    case ZUB_RESULT_STRUCTURE_OPTION: return R.StructureOption;
    case ZUB_RESULT_TAG_STATS: return static_cast<ZUBInt>(R.TagStats.size());
    case ZUB_RESULT_PLAIN_MESSAGES: return R.Plain;
    case ZUB_RESULT_COMMENTS: return R.Comments;
    case ZUB_RESULT_MISSPELLINGS: return R.Misspellings;
    case ZUB_RESULT_QUOTED_VALUES: return R.Quoted;
    default: Ok = false; return -1;
  }
}

ZUBInt JobInteger(const TJob& J, ZUBInt Id, bool& Ok) {
  switch (Id) {
    case ZUB_JOB_SOURCE: return J.Source;
    case ZUB_JOB_KIND: return J.JobKind;
    case ZUB_JOB_TEXT_START: return static_cast<ZUBInt>(J.Lines.size());
    case ZUB_JOB_CONFIGURATION: return J.ConfigIndex;
    default: Ok = false; return -1;
  }
}

ZUBInt ConfigInteger(const TEngineConfig& C, ZUBInt Id, bool& Ok) {
  switch (Id) {
    case ZUB_CONFIG_PROXY_FLAGS: return C.ProxyFlags;
    case ZUB_CONFIG_CONFIGURATION_COUNT: return static_cast<ZUBInt>(C.Configurations.size());
    case ZUB_CONFIG_LINK_CHECK_MENU: return C.LinkCheckOnlyMenu;
    case ZUB_CONFIG_MESSAGE_IDS: return C.MessageIdsInUse;
    default: Ok = false; return -1;
  }
}

ZUBInt MessageInteger(const TMessage& M, ZUBInt Id, bool& Ok) {
  switch (Id) {
    case ZUB_MSG_TYPE: return M.Type;
    case ZUB_MSG_LINE: return M.Line;
    case ZUB_MSG_CHAR: return M.Char;
    case ZUB_MSG_LENGTH: return M.Length;
    case ZUB_MSG_FLAG1: return M.Flag1;
    case ZUB_MSG_KIND: return M.Kind;
    case ZUB_MSG_FLAG2: return M.Flag2;
    case ZUB_MSG_ID: return M.Id;
    default: Ok = false; return -1;
  }
}

ZUBInt ResultIndexedInteger(const TResult& R, ZUBInt Id, ZUBInt I, bool& Ok) {
  switch (Id) {
    case ZUB_TAG_OPENED:
    case ZUB_TAG_CLOSED:
    case ZUB_TAG_USED: {
      if (!InRange(I, R.TagStats)) {
        break;
      }
      const TTagStat& S = R.TagStats[static_cast<std::size_t>(I)];
      return Id == ZUB_TAG_OPENED ? S.Opened : Id == ZUB_TAG_CLOSED ? S.Closed : S.Used;
    }
    case ZUB_LIST_SIZE:
      if (!InRange(I, R.Lists)) {
        break;
      }
      return static_cast<ZUBInt>(R.Lists[static_cast<std::size_t>(I)].Items.size());
    case ZUB_STRUCTURE_LINE:
    case ZUB_STRUCTURE_CHAR: {
      if (!InRange(I, R.Structure)) {
        break;
      }
      const auto At = static_cast<std::size_t>(I);
      return Id == ZUB_STRUCTURE_LINE ? R.Structure.Line(At) : R.Structure.Column(At);
    }
    default:
      if (const TMessage* M = MessageAt(R, I)) {
        return MessageInteger(*M, Id, Ok);
      }
      break;
  }
  Ok = false;
  return -1;
}

const char* ConfigString(TConfigHandle& C, ZUBInt Id) {
  const TEngineConfig& K = C.Config;
  switch (Id) {
    case ZUB_CONFIG_FILE_NAME:
    case ZUB_CONFIG_LOADED_FILE_NAME:
      C.FileNameText = K.FileName.empty() ? DefaultConfigFileName() : K.FileName;
      return C.FileNameText.c_str();
    case ZUB_CONFIG_PROXY_HOST: return K.ProxyHost.c_str();
    case ZUB_CONFIG_PROXY_PORT: return K.ProxyPort.c_str();
    case ZUB_CONFIG_PROXY_USER: return K.ProxyUser.c_str();
    case ZUB_CONFIG_PROXY_PASSWORD: return K.ProxyPassword.c_str();
    case ZUB_CONFIG_LOG_FILE: return K.LogFile.c_str();
    case ZUB_CONFIG_LOAD_REPORT: return C.LoadReport.c_str();
    default: return nullptr;
  }
}

const char* ResultIndexedString(TResult& R, ZUBInt Id, ZUBInt I) {
  switch (Id) {
    case ZUB_RESULT_NEW_TEXT_LINE: return ItemAt(R.NewText, I);
    case ZUB_MSG_TEXT:
    case ZUB_MSG_CATEGORY: {
      const TMessage* M = MessageAt(R, I);
      if (!M) {
        return nullptr;
      }
      return Id == ZUB_MSG_TEXT ? M->Text.c_str() : M->Category.c_str();
    }
    case ZUB_RESULT_STRUCTURE_LINE:
      return InRange(I, R.Structure) ? R.Structure.Text(static_cast<std::size_t>(I)) : nullptr;
    case ZUB_RESULT_TAG_NAME:
      return InRange(I, R.TagStats) ? R.TagStats[static_cast<std::size_t>(I)].Name.c_str() : nullptr;
    case ZUB_RESULT_REPORT_LINE:
      MakeReport(R);
      return ItemAt(R.Report, I);
    default: return nullptr;
  }
}

}  // namespace

void TJobLines::Assign(const std::vector<std::string>& Lines) {
  clear();
  for (const std::string& L : Lines) {
    Add(L);
  }
}

void TJobLines::JoinInto(std::string& Out) const {
  Out.resize(Data.size());
  const char* From = Data.data();
  char* To = Out.data();
  for (std::size_t I = 0; I < Data.size(); ++I) {
    To[I] = From[I] == '\0' ? '\n' : From[I];
  }
}

bool ValidJobKind(ZUBInt Kind) { return Kind >= ZUB_JOB_LOWER_CASE && Kind <= ZUB_JOB_QUOTE_VALUES; }

ZUBInt IntegerOf(ZUBInt H, ZUBInt Id, bool& Ok) {
  Ok = true;
  if (auto* R = Find<TResult>(H)) {
    return ResultInteger(*R, Id, Ok);
  }
  if (auto* J = Find<TJob>(H)) {
    return JobInteger(*J, Id, Ok);
  }
  if (auto* C = Find<TConfigHandle>(H)) {
    return ConfigInteger(C->Config, Id, Ok);
  }
  Ok = false;
  return -1;
}

ZUBInt IndexedIntegerOf(ZUBInt H, ZUBInt Id, ZUBInt I, bool& Ok) {
  Ok = true;
  if (auto* R = Find<TResult>(H)) {
    return ResultIndexedInteger(*R, Id, I, Ok);
  }
  if (auto* C = Find<TConfigHandle>(H)) {
    if ((Id == ZUB_CONFIG_MESSAGE_TYPE || Id == ZUB_CONFIG_MESSAGE_ENABLED) && I >= 1) {
      const auto It = C->Config.MessageSettings.find(I);
      const TMessageSetting S = It == C->Config.MessageSettings.end() ? TMessageSetting{} : It->second;
      return Id == ZUB_CONFIG_MESSAGE_TYPE ? S.Type : S.Enabled;
    }
  }
  Ok = false;
  return -1;
}

const char* StringOf(ZUBInt H, ZUBInt Id) {
  if (auto* C = Find<TConfigHandle>(H)) {
    return ConfigString(*C, Id);
  }
  if (auto* J = Find<TJob>(H)) {
    return Id == ZUB_JOB_NAME ? J->Name.c_str() : nullptr;
  }
  return nullptr;
}

const char* IndexedStringOf(ZUBInt H, ZUBInt Id, ZUBInt I) {
  if (auto* R = Find<TResult>(H)) {
    return ResultIndexedString(*R, Id, I);
  }
  if (auto* J = Find<TJob>(H)) {
    return Id == ZUB_JOB_INPUT_LINE && I >= 0 && static_cast<std::size_t>(I) < J->Lines.size()
               ? J->Lines.c_str(static_cast<std::size_t>(I))
               : nullptr;
  }
  if (auto* C = Find<TConfigHandle>(H)) {
    if (Id != ZUB_CONFIG_CONFIGURATION_NAME || I < 0 || I >= static_cast<ZUBInt>(C->Config.Configurations.size())) {
      return nullptr;
    }
    return C->Config.Configurations[static_cast<std::size_t>(I)].Name.c_str();
  }
  return nullptr;
}

ZUBInt FlagOf(ZUBInt H, ZUBInt Id, ZUBInt Bit) {
  if (auto* C = Find<TConfigHandle>(H)) {
    if (Id == ZUB_CONFIG_PROGRAM_FLAGS) {
      if (!IsProgramFlag(Bit)) {
        return -1;
      }
      return C->Config.ProgramFlags.test(static_cast<std::size_t>(Bit)) ? 1 : 0;
    }
    return IsConfigFlagWord(Id) ? Tested(C->Config.Flags(Id), Bit) : -1;
  }
  if (auto* J = Find<TJob>(H)) {
    return Id == ZUB_JOB_FLAGS ? Tested(J->Flags, Bit) : -1;
  }
  if (auto* R = Find<TResult>(H)) {
    if (Id == ZUB_RESULT_FLAGS) {
      return Tested(R->Flags, Bit);
    }
    if (Id == ZUB_RESULT_FLAGS2) {
      return Tested(R->Flags2, Bit);
    }
  }
  return -1;
}

ZUBInt SetFlagOf(ZUBInt H, ZUBInt Id, ZUBInt Bit, ZUBInt Value) {
  if (auto* C = Find<TConfigHandle>(H)) {
    if (Id == ZUB_CONFIG_PROGRAM_FLAGS) {
      if (!IsProgramFlag(Bit)) {
        return -1;
      }
      C->Config.ProgramFlags.set(static_cast<std::size_t>(Bit), Value != 0);
    } else if (IsConfigFlagWord(Id)) {
      std::uint32_t& W = C->Config.FlagWords[Id];
      W = Apply(W, Bit, Value);
    } else {
      return -1;
    }
    C->Config.Modified = true;
    return 0;
  }
  if (auto* J = Find<TJob>(H)) {
    if (Id != ZUB_JOB_FLAGS) {
      return -1;
    }
    J->Flags = Apply(J->Flags, Bit, Value);
    return 0;
  }
  return -1;
}

ZUBInt SetIntegerOf(ZUBInt H, ZUBInt Id, ZUBInt Value) {
  if (auto* J = Find<TJob>(H)) {
    switch (Id) {
      case ZUB_JOB_SOURCE:
        if (Value != ZUB_SOURCE_FILE && Value != ZUB_SOURCE_LINES) {
          return -1;
        }
        J->Source = Value;
        return 0;
      case ZUB_JOB_KIND:
        if (!ValidJobKind(Value)) {
          return -1;
        }
        J->JobKind = Value;
        return 0;
      case ZUB_JOB_TEXT_START: J->Lines.clear(); return 0;
      case ZUB_JOB_CONFIGURATION: J->ConfigIndex = Value; return 0;
      default: return -1;
    }
  }
  if (auto* R = Find<TResult>(H)) {
    if (Id != ZUB_RESULT_STRUCTURE_OPTION) {
      return -1;
    }
    R->StructureOption = Value;
    return 0;
  }
  if (auto* C = Find<TConfigHandle>(H)) {
    switch (Id) {
      case ZUB_CONFIG_PROXY_FLAGS: C->Config.ProxyFlags = Value; break;
      case ZUB_CONFIG_LINK_CHECK_MENU: C->Config.LinkCheckOnlyMenu = Value; break;
      case ZUB_CONFIG_MESSAGE_IDS: C->Config.MessageIdsInUse = Value; break;
      default: return -1;
    }
    C->Config.Modified = true;
    return 0;
  }
  return -1;
}

ZUBInt SetIndexedIntegerOf(ZUBInt H, ZUBInt Id, ZUBInt Index, ZUBInt Value) {
  if (auto* R = Find<TResult>(H)) {
    if (Id != ZUB_MSG_LINE || !MessageAt(*R, Index)) {
      return -1;
    }
    R->Messages[static_cast<std::size_t>(Index - 1)].Line = Value;
    return 0;
  }
  if (auto* C = Find<TConfigHandle>(H)) {
    if ((Id != ZUB_CONFIG_MESSAGE_TYPE && Id != ZUB_CONFIG_MESSAGE_ENABLED) || Index < 1) {
      return -1;
    }
    if (Id == ZUB_CONFIG_MESSAGE_TYPE && (Value < MsgError || Value > MsgEngineDefault)) {
      return -1;
    }
    TMessageSetting& S = C->Config.MessageSettings[Index];
    if (Id == ZUB_CONFIG_MESSAGE_TYPE) {
      S.Type = Value;
    } else {
      S.Enabled = Value != 0 ? 1 : 0;
    }
    C->Config.Modified = true;
    return 0;
  }
  return -1;
}

ZUBInt SetStringOf(ZUBInt H, ZUBInt Id, const char* Text) {
  if (auto* J = Find<TJob>(H)) {
    if (Id == ZUB_JOB_NAME) {
      J->Name = Text ? Text : "";
      return 0;
    }
    if (Id == ZUB_JOB_LINE) {
      J->Lines.Add(Text ? std::string_view(Text) : std::string_view());
      return 0;
    }
    return -1;
  }
  if (auto* C = Find<TConfigHandle>(H)) {
    TEngineConfig& K = C->Config;
    std::string* Field = nullptr;
    switch (Id) {
      case ZUB_CONFIG_PROXY_HOST: Field = &K.ProxyHost; break;
      case ZUB_CONFIG_PROXY_PORT: Field = &K.ProxyPort; break;
      case ZUB_CONFIG_PROXY_USER: Field = &K.ProxyUser; break;
      case ZUB_CONFIG_PROXY_PASSWORD: Field = &K.ProxyPassword; break;
      case ZUB_CONFIG_LOG_FILE: Field = &K.LogFile; break;
      default: return -1;
    }
    *Field = Text ? Text : "";
    K.Modified = true;
    return 0;
  }
  return -1;
}

ZUBInt ListIndexOf(ZUBInt H, ZUBInt Id, const char* Name) {
  auto* R = Find<TResult>(H);
  if (!R || Id != ZUB_LIST_INDEX || !Name) {
    return -1;
  }
  for (std::size_t I = 0; I < R->Lists.size(); ++I) {
    if (R->Lists[I].Name == Name) {
      return static_cast<ZUBInt>(I);
    }
  }
  return -1;
}

const char* ListItemOf(ZUBInt H, ZUBInt Id, ZUBInt List, ZUBInt Index) {
  auto* R = Find<TResult>(H);
  if (!R || Id != ZUB_LIST_ITEM || !InRange(List, R->Lists)) {
    return nullptr;
  }
  return ItemAt(R->Lists[static_cast<std::size_t>(List)].Items, Index);
}

}  // namespace zubengine
