// The engine's 44 exported entry points: each checks its arguments and hands over to the handles, the jobs or
// the engine-global settings, inside the engine's guard.
#include "engine/ZubValidator.h"

#include "engine/EngineConfig.h"
#include "engine/EngineJobs.h"
#include "engine/EngineState.h"
#include "engine/EngineTexts.h"
#include "engine/EngineWindows.h"
#include "engine/LinkCheck.h"

#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

#define ZUB_EXPORT extern "C" __attribute__((visibility("default")))
// The variant used by tests to show that binding needs every name leaves this one out of its exports.
#ifdef ZUBQ_ENGINE_LEAVE_OUT_SPELLCHECK2
#define ZUB_EXPORT_SPELLCHECK2 extern "C" __attribute__((visibility("hidden")))
#else
#define ZUB_EXPORT_SPELLCHECK2 ZUB_EXPORT
#endif

using namespace zubengine;

namespace {

// Versions are counted in units of 1/VersionUnit.
constexpr ZUBInt VersionUnit = 10000;
// ShellExecute's results above this value mean success.
constexpr int ShellExecuteOk = 32;
// A freed job's line block up to this size is kept for the next job, so that handing over a page like the last
// one neither grows its block step by step nor faults its memory in again.
constexpr std::size_t MaxSpareLines = std::size_t{64} << 20;

// The program list's exchange file, beside the configuration.
std::string ProgramExportName() { return FolderOf(DefaultConfigFileName()) + "programexport.xml"; }

std::string ProgramFolder() {
  std::error_code Ec;
  const auto P = std::filesystem::read_symlink("/proc/self/exe", Ec);
  return Ec ? std::string() : P.parent_path().string() + "/";
}

// Reads an integer property into Value: 0, or -1 when it does not apply.
template <class Fn>
ZUBInt IntoValue(ZUBInt* Value, Fn&& Read) {
  bool Ok = false;
  const ZUBInt V = Read(Ok);
  if (!Ok || !Value) {
    return -1;
  }
  *Value = V;
  return 0;
}

ZUBInt GlobalInteger(ZUBInt Id, bool& Ok) {
  Ok = true;
  switch (Id) {
    case ZUB_ENGINE_VERSION: return Version();
    case ZUB_LINK_CHECKS_RUNNING: return LinkChecksRunning();
    case ZUB_DOWNLOAD_NOTE: return 0;
    case ZUB_VALIDATE_ALL_DONE: return Engine().ValidateAllMark;
    default: Ok = false; return -1;
  }
}

ZUBInt LinkCacheInteger(ZUBInt Id, const char* Text, bool& Ok) {
  Ok = Id == ZUB_LINK_CACHE_STATUS && Text;
  if (!Ok) {
    return -1;
  }
  TLinkStatus S;
  return LinkCacheLookup(Text, S) ? S.Status : -1;
}

ZUBInt LinkStateInteger(ZUBInt Id, ZUBInt Link, bool& Ok) {
  Ok = Id == ZUB_LINK_STATE;
  return Ok ? LinkState(Link) : -1;
}

// The default configuration file, made with the defaults when there is none yet. A damaged file loads what it
// can and says what it left out.
ZUBInt LoadDefaultConfiguration(HWND Owner, TConfigHandle& H) {
  TEngineConfig& C = H.Config;
  const std::string Name = DefaultConfigFileName();
  C.FileName = Name;
  H.LoadReport.clear();
  std::string Fail;
  if (EnvText("ZUBQ_ENGINE_CONFIG_FAIL", Fail) && Fail != "0") {
    return -1;
  }
  std::error_code Ec;
  if (!std::filesystem::exists(Name, Ec)) {
    C.Reset();
    C.FileName = Name;
    if (!C.Save(Name)) {
      return -1;
    }
    C.Modified = false;
    return 0;
  }
  return LoadConfigurationFile(Owner, H, Name) ? 0 : -1;
}

// Saving (0x20): the configuration's own file.
ZUBInt SaveConfiguration(TEngineConfig& C) {
  const std::string Name = C.FileName.empty() ? DefaultConfigFileName() : C.FileName;
  if (!C.Save(Name)) {
    return -1;
  }
  C.FileName = Name;
  C.Modified = false;
  return 0;
}

}  // namespace

ZUB_EXPORT ZUBInt ZUBFreeHandle(ZUBInt H, ZUBInt) {
  return Guarded("ZUBFreeHandle", -1, [&]() -> ZUBInt {
    TEngine& E = Engine();
    const auto It = E.Handles.find(H);
    if (It == E.Handles.end()) {
      return -1;
    }
    if (auto* J = dynamic_cast<TJob*>(It->second.get());
        J && J->Lines.capacity() > E.SpareLines.capacity() && J->Lines.capacity() <= MaxSpareLines) {
      J->Lines.clear();
      std::swap(J->Lines, E.SpareLines);
    }
    E.Handles.erase(It);
    return 0;
  });
}

ZUB_EXPORT ZUBInt ZUBHandle(ZUBInt H) {
  return Guarded("ZUBHandle", -1, [&]() -> ZUBInt {
    const auto It = Engine().Handles.find(H);
    return It == Engine().Handles.end() ? -1 : It->second->Kind;
  });
}

ZUB_EXPORT ZUBInt ZUBDisplayMessage(ZUBWindow Owner, ZUBInt Id, ZUBInt) {
  return Guarded("ZUBDisplayMessage", -1, [&]() -> ZUBInt {
    if (Id != ZUB_QUICK_HELP) {
      return -1;
    }
    MessageBox(static_cast<HWND>(Owner),
               "Message types: an error is a fault that browsers may not recover from; a warning is a likely "
               "fault or a poor practice; a message is information about the markup; a comment says how the "
               "document was checked.\n\nUse the results menu to switch the program flag of a message on or "
               "off, or to change the type of a message by its ID. Changes take effect at the next validation.",
               "ZUB Validator Engine Quick Help", MB_OK | MB_ICONINFORMATION);
    return 0;
  });
}

ZUB_EXPORT ZUBInt ZUBDisplayHelp(ZUBWindow Owner, ZUBInt Id, const char* Text, ZUBInt) {
  return Guarded("ZUBDisplayHelp", -1, [&]() -> ZUBInt {
    std::string Target;
    if (Id == ZUB_HELP_PROGRAM_FLAG) {
      const auto Flag = static_cast<long long>(reinterpret_cast<std::intptr_t>(Text));
      Target = ProgramFolder() + "Help/programflags.html#flag" + std::to_string(Flag);
    } else if (Id == ZUB_HELP_PAGE) {
      if (!Text || !*Text) {
        return -1;
      }
      Target = Text;
      const bool HasScheme = Target.find("://") != std::string::npos || Target.rfind("mailto:", 0) == 0;
      if (!HasScheme && Target[0] != '/') {
        Target = ProgramFolder() + "Help/" + Target;
      }
    } else {
      return -1;
    }
    const int R = ShellExecuteResult(
        ShellExecute(static_cast<HWND>(Owner), "open", Target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return R > ShellExecuteOk ? 0 : -1;
  });
}

ZUB_EXPORT ZUBInt ZUBGetFlag(ZUBInt H, ZUBInt Id, ZUBInt Bit) {
  return Guarded("ZUBGetFlag", -1, [&]() -> ZUBInt { return FlagOf(H, Id, Bit); });
}

ZUB_EXPORT ZUBInt ZUBGetFlag2(ZUBInt Id, ZUBInt Bit) {
  return Guarded("ZUBGetFlag2", -1, [&]() -> ZUBInt {
    if (Id != ZUB_ENGINE_FLAGS) {
      return -1;
    }
    return (Engine().GlobalFlags.load() & static_cast<std::uint32_t>(Bit)) ? 1 : 0;
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger(ZUBInt H, ZUBInt Id, ZUBInt* Value) {
  return Guarded("ZUBGetInteger", -1, [&]() -> ZUBInt {
    return IntoValue(Value, [&](bool& Ok) { return IntegerOf(H, Id, Ok); });
  });
}

ZUB_EXPORT ZUBInt ZUBGetIntegerEZ(ZUBInt H, ZUBInt Id) {
  return Guarded("ZUBGetIntegerEZ", -1, [&]() -> ZUBInt {
    bool Ok = false;
    return IntegerOf(H, Id, Ok);
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger2(ZUBInt H, ZUBInt Id, ZUBInt Index, ZUBInt* Value) {
  return Guarded("ZUBGetInteger2", -1, [&]() -> ZUBInt {
    return IntoValue(Value, [&](bool& Ok) { return IndexedIntegerOf(H, Id, Index, Ok); });
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger2EZ(ZUBInt H, ZUBInt Id, ZUBInt Index) {
  return Guarded("ZUBGetInteger2EZ", -1, [&]() -> ZUBInt {
    bool Ok = false;
    return IndexedIntegerOf(H, Id, Index, Ok);
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger3(ZUBInt Id, ZUBInt* Value) {
  return Guarded("ZUBGetInteger3", -1, [&]() -> ZUBInt {
    return IntoValue(Value, [&](bool& Ok) { return GlobalInteger(Id, Ok); });
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger3EZ(ZUBInt Id) {
  return Guarded("ZUBGetInteger3EZ", -1, [&]() -> ZUBInt {
    bool Ok = false;
    return GlobalInteger(Id, Ok);
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger4(ZUBInt H, ZUBInt Id, const char* Name, ZUBInt* Value) {
  return Guarded("ZUBGetInteger4", -1, [&]() -> ZUBInt {
    return IntoValue(Value, [&](bool& Ok) {
      const ZUBInt I = ListIndexOf(H, Id, Name);
      Ok = I >= 0;
      return I;
    });
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger4EZ(ZUBInt H, ZUBInt Id, const char* Name) {
  return Guarded("ZUBGetInteger4EZ", -1, [&]() -> ZUBInt { return ListIndexOf(H, Id, Name); });
}

ZUB_EXPORT ZUBInt ZUBGetInteger5(ZUBInt Id, const char* Text, ZUBInt* Value) {
  return Guarded("ZUBGetInteger5", -1, [&]() -> ZUBInt {
    return IntoValue(Value, [&](bool& Ok) { return LinkCacheInteger(Id, Text, Ok); });
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger5EZ(ZUBInt Id, const char* Text) {
  return Guarded("ZUBGetInteger5EZ", -1, [&]() -> ZUBInt {
    bool Ok = false;
    return LinkCacheInteger(Id, Text, Ok);
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger6(ZUBInt Id, ZUBInt Arg, ZUBInt* Value) {
  return Guarded("ZUBGetInteger6", -1, [&]() -> ZUBInt {
    return IntoValue(Value, [&](bool& Ok) { return LinkStateInteger(Id, Arg, Ok); });
  });
}

ZUB_EXPORT ZUBInt ZUBGetInteger6EZ(ZUBInt Id, ZUBInt Arg) {
  return Guarded("ZUBGetInteger6EZ", -1, [&]() -> ZUBInt {
    bool Ok = false;
    return LinkStateInteger(Id, Arg, Ok);
  });
}

ZUB_EXPORT ZUBInt ZUBGetNewHandle(ZUBInt Kind) {
  return Guarded("ZUBGetNewHandle", -1, [&]() -> ZUBInt {
    if (Kind == ZUB_KIND_JOB) {
      auto J = std::make_unique<TJob>();
      std::swap(J->Lines, Engine().SpareLines);
      return AddHandle(std::move(J));
    }
    if (Kind == ZUB_KIND_CONFIGURATION) {
      return AddHandle(std::make_unique<TConfigHandle>());
    }
    return -1;
  });
}

ZUB_EXPORT ZUBInt ZUBGetNumberOfHandles(ZUBInt Kind) {
  return Guarded("ZUBGetNumberOfHandles", -1, [&]() -> ZUBInt {
    ZUBInt N = 0;
    for (const auto& [H, O] : Engine().Handles) {
      if (Kind == 0 || O->Kind == Kind) {
        ++N;
      }
    }
    return N;
  });
}

ZUB_EXPORT const char* ZUBGetString(ZUBInt H, ZUBInt Id) {
  return Guarded<const char*>("ZUBGetString", nullptr, [&]() { return StringOf(H, Id); });
}

ZUB_EXPORT const char* ZUBGetString2(ZUBInt H, ZUBInt Id, ZUBInt Index) {
  return Guarded<const char*>("ZUBGetString2", nullptr, [&]() { return IndexedStringOf(H, Id, Index); });
}

ZUB_EXPORT const char* ZUBGetString3(ZUBInt Id) {
  return Guarded<const char*>("ZUBGetString3", nullptr, [&]() -> const char* {
    TEngine& E = Engine();
    if (Id == ZUB_ENGINE_VERSION_TEXT) {
      const ZUBInt V = Version();
      char Buf[64];
      std::snprintf(Buf, sizeof Buf, "ZUB Validator Engine v%d.%04d", V / VersionUnit, V % VersionUnit);
      E.VersionText = Buf;
      return E.VersionText.c_str();
    }
    return nullptr;
  });
}

ZUB_EXPORT const char* ZUBGetString4(ZUBInt H, ZUBInt Id, ZUBInt List, ZUBInt Index) {
  return Guarded<const char*>("ZUBGetString4", nullptr, [&]() { return ListItemOf(H, Id, List, Index); });
}

ZUB_EXPORT const char* ZUBGetString5(ZUBInt Id, const char* Text) {
  return Guarded<const char*>("ZUBGetString5", nullptr, [&]() -> const char* {
    if ((Id != ZUB_LINK_CACHE_TEXT && Id != ZUB_LINK_CACHE_COMMENT) || !Text) {
      return nullptr;
    }
    TLinkStatus S;
    std::string& Out = Engine().LinkCacheText;
    Out.clear();
    if (LinkCacheLookup(Text, S)) {
      Out = Id == ZUB_LINK_CACHE_TEXT ? S.Text : S.Comment;
    }
    return Out.c_str();
  });
}

ZUB_EXPORT const char* ZUBGetString6(ZUBInt Id, ZUBInt Arg) {
  return Guarded<const char*>("ZUBGetString6", nullptr, [&]() -> const char* {
    if (Id == ZUB_TYPE_NAME) {
      return TypeName(Arg);
    }
    if (Id == ZUB_KIND_TEXT) {
      return KindText(Arg);
    }
    return nullptr;
  });
}

ZUB_EXPORT ZUBInt ZUBHTMLConfiguration(ZUBWindow Owner, ZUBInt Config, ZUBInt Operation) {
  return Guarded("ZUBHTMLConfiguration", -1, [&]() -> ZUBInt {
    auto* H = Find<TConfigHandle>(Config);
    if (!H) {
      return -1;
    }
    TEngineConfig& C = H->Config;
    switch (Operation) {
      case ZUB_CONFIG_LOAD_DEFAULT: return LoadDefaultConfiguration(static_cast<HWND>(Owner), *H);
      case ZUB_CONFIG_RESET: {
        const std::string Name = C.FileName;
        C.Reset();
        C.FileName = Name;
        return 0;
      }
      case ZUB_CONFIG_SAVE: return SaveConfiguration(C);
      case ZUB_CONFIG_SAVE_AT_SHUTDOWN: return AskAtShutdown(static_cast<HWND>(Owner), *H);
      case ZUB_CONFIG_CLEAN:
        C.Clean();
        C.Modified = true;
        return 0;
      case ZUB_CONFIG_SAVE_AS: return SaveConfigurationAs(static_cast<HWND>(Owner), *H);
      case ZUB_CONFIG_LOAD_FROM: return LoadConfigurationFrom(static_cast<HWND>(Owner), *H);
      case ZUB_CONFIG_EXPORT_PROGRAMS: return C.ExportPrograms(ProgramExportName()) ? 0 : -1;
      case ZUB_CONFIG_IMPORT_PROGRAMS:
        if (!C.ImportPrograms(ProgramExportName())) {
          return -1;
        }
        C.Modified = true;
        return 0;
      default: return -1;
    }
  });
}

ZUB_EXPORT ZUBInt ZUBOpenConfigurationEditor(ZUBWindow Owner, ZUBInt Config, ZUBInt Value) {
  return Guarded("ZUBOpenConfigurationEditor", -1, [&]() -> ZUBInt {
    return RunConfigurationEditor(static_cast<HWND>(Owner), Config, Value);
  });
}

ZUB_EXPORT ZUBInt ZUBOpenValidatorOptions(ZUBWindow Owner, ZUBInt Config, ZUBInt Value) {
  return Guarded("ZUBOpenValidatorOptions", -1, [&]() -> ZUBInt {
    return RunValidatorOptions(static_cast<HWND>(Owner), Config, Value);
  });
}

ZUB_EXPORT ZUBInt ZUBReadFromRegistry(ZUBWindow Owner, ZUBInt Config, ZUBInt) {
  return Guarded("ZUBReadFromRegistry", -1, [&]() -> ZUBInt {
    auto* H = Find<TConfigHandle>(Config);
    if (!H) {
      return -1;
    }
    const std::string Name = H->Config.FileName.empty() ? DefaultConfigFileName() : H->Config.FileName;
    if (!LoadConfigurationFile(static_cast<HWND>(Owner), *H, Name)) {
      return -1;
    }
    H->Config.FileName = Name;
    return 0;
  });
}

ZUB_EXPORT ZUBInt ZUBRunJob(ZUBWindow, ZUBInt Config, ZUBInt Job, ZUBInt Flags) {
  return Guarded("ZUBRunJob", -1, [&]() -> ZUBInt {
    long Forced = 0;
    if (EnvInt("ZUBQ_ENGINE_RUN_RESULT", Forced)) {
      return static_cast<ZUBInt>(Forced);
    }
    return RunJobLocked(Config, Job, Flags);
  });
}

ZUB_EXPORT ZUBInt ZUBSetFlag(ZUBInt H, ZUBInt Id, ZUBInt Bit, ZUBInt Value) {
  return Guarded("ZUBSetFlag", -1, [&]() -> ZUBInt { return SetFlagOf(H, Id, Bit, Value); });
}

ZUB_EXPORT ZUBInt ZUBSetFlag2(ZUBInt Id, ZUBInt Bit, ZUBInt Value) {
  return Guarded("ZUBSetFlag2", -1, [&]() -> ZUBInt {
    if (Id != ZUB_ENGINE_FLAGS) {
      return -1;
    }
    const auto Mask = static_cast<std::uint32_t>(Bit);
    if (Value) {
      Engine().GlobalFlags |= Mask;
    } else {
      Engine().GlobalFlags &= ~Mask;
    }
    return 0;
  });
}

ZUB_EXPORT ZUBInt ZUBSetInteger(ZUBInt H, ZUBInt Id, ZUBInt Value) {
  return Guarded("ZUBSetInteger", -1, [&]() -> ZUBInt { return SetIntegerOf(H, Id, Value); });
}

ZUB_EXPORT ZUBInt ZUBSetInteger2(ZUBInt H, ZUBInt Id, ZUBInt Index, ZUBInt Value) {
  return Guarded("ZUBSetInteger2", -1, [&]() -> ZUBInt { return SetIndexedIntegerOf(H, Id, Index, Value); });
}

ZUB_EXPORT ZUBInt ZUBSetInteger3(ZUBInt Id, ZUBInt Value) {
  return Guarded("ZUBSetInteger3", -1, [&]() -> ZUBInt {
    switch (Id) {
      case ZUB_LINK_CACHE_RESET: LinkCacheClear(); return 0;
      case ZUB_VALIDATE_ALL_DONE: Engine().ValidateAllMark = Value; return 0;
      default: return -1;
    }
  });
}

ZUB_EXPORT ZUBInt ZUBSetInteger6(ZUBInt Id, ZUBInt Arg, ZUBInt Value) {
  return Guarded("ZUBSetInteger6", -1, [&]() -> ZUBInt {
    if (Id != ZUB_LINK_RESET) {
      return -1;
    }
    if (Value != 1) {
      return LinkState(Arg) < 0 ? -1 : 0;
    }
    return LinkReset(Arg) ? 0 : -1;
  });
}

ZUB_EXPORT ZUBInt ZUBSetPointer(ZUBInt Id, void* Pointer) {
  return Guarded("ZUBSetPointer", -1, [&]() -> ZUBInt {
    if (Id != ZUB_SPELL_CALLBACK) {
      return -1;
    }
    Engine().Callback = reinterpret_cast<ZUBSpellCallback>(Pointer);
    return 0;
  });
}

ZUB_EXPORT ZUBInt ZUBSetString(ZUBInt H, ZUBInt Id, const char* Text) {
  return Guarded("ZUBSetString", -1, [&]() -> ZUBInt { return SetStringOf(H, Id, Text); });
}

ZUB_EXPORT ZUBInt ZUBSetString3(ZUBInt Id, const char* Text) {
  return Guarded("ZUBSetString3", -1, [&]() -> ZUBInt {
    if (Id != ZUB_LINK_REGISTER || !Text) {
      return -1;
    }
    return LinkRegister(Text);
  });
}

ZUB_EXPORT ZUBInt ZUBSetString7(ZUBInt Id, ZUBInt Arg, const char* Text) {
  return Guarded("ZUBSetString7", -1, [&]() -> ZUBInt {
    if (Id < ZUB_LINK_USER || Id > ZUB_LINK_USER_AGENT) {
      return -1;
    }
    return LinkSetText(Arg, Id - ZUB_LINK_USER, Text ? Text : "") ? 0 : -1;
  });
}

ZUB_EXPORT ZUBInt ZUBSpellCheck(ZUBInt Id) {
  return Guarded("ZUBSpellCheck", -1, [&]() -> ZUBInt {
    const ZUBSpellCallback Cb = Engine().Callback;
    if (Id != ZUB_SPELL_OPTIONS || !Cb) {
      return -1;
    }
    Cb(nullptr, ZUB_SPELL_ASK_OPTIONS);
    return 0;
  });
}

ZUB_EXPORT_SPELLCHECK2 ZUBInt ZUBSpellCheck2(ZUBInt Id, const char* Text) {
  return Guarded("ZUBSpellCheck2", -1, [&]() -> ZUBInt {
    const ZUBSpellCallback Cb = Engine().Callback;
    if (Id != ZUB_SPELL_TEST_WORD || !Cb || !Text) {
      return -1;
    }
    return Cb(Text, ZUB_SPELL_ASK_TEST) != 0 ? 1 : 0;
  });
}

ZUB_EXPORT ZUBInt ZUBWriteToRegistry(ZUBWindow, ZUBInt Config, ZUBInt) {
  return Guarded("ZUBWriteToRegistry", -1, [&]() -> ZUBInt {
    auto* H = Find<TConfigHandle>(Config);
    if (!H) {
      return -1;
    }
    const std::string Name = H->Config.FileName.empty() ? DefaultConfigFileName() : H->Config.FileName;
    if (!H->Config.Save(Name)) {
      return -1;
    }
    H->Config.Modified = false;
    return 0;
  });
}
