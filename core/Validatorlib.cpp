// The program's binding to the validator engine.
#include "core/Validatorlib.h"

#include "core/Splashstatus.h"

#include "core/Errorreport.h"
#include "core/Volatileclass.h"

#include "platform/win/MessageBox.h"

#include <cstdio>
#include <string>

ZUBEntryPointTable ZUBCalls;

namespace {

volatileclass* LoadedBy = nullptr;

const UINT ErrorBox = MB_OK | MB_ICONERROR | MB_SETFOREGROUND;

// The engine version this program is made for, in units of 1/EngineVersionUnit; an engine up to
// EngineVersionSlack below it is still accepted.
constexpr int RequiredEngineVersion = 60100;
constexpr int EngineVersionSlack = 50;
constexpr double EngineVersionUnit = 10000.0;

}  // namespace

int BindEngineEntryPoints(HMODULE Library) {
  int Missing = 0;
#define ZUB_BIND_ONE(Name, Ret, Args)                                                  \
  ZUBCalls.Name = reinterpret_cast<Name##_t>(GetProcAddress(Library, #Name)); \
  Missing += ZUBCalls.Name == nullptr;
  ZUB_ENTRY_POINTS(ZUB_BIND_ONE)
#undef ZUB_BIND_ONE
  return Missing == 0 ? BIND_ALL_FOUND : BIND_NAMES_MISSING;
}

void ClearEngineEntryPoints() { ZUBCalls = ZUBEntryPointTable(); }

// ---- checked wrappers ----------------------------------------------------------------------------------------
// An unbound entry point counts as a failed call.

int GetNewHandle(int Kind) {
  const int H = ZUBCalls.ZUBGetNewHandle ? ZUBCalls.ZUBGetNewHandle(Kind) : -1;
  if (H < 0) {
    ReportEngineError(ENGINE_FAILED_GETNEWHANDLE);
    return ENGINE_NO_HANDLE;
  }
  return H;
}

int FreeHandle(int Handle, int) {
  if (Handle < 0) return 0;
  const int R = ZUBCalls.ZUBFreeHandle ? ZUBCalls.ZUBFreeHandle(Handle, 0) : -1;
  if (R < 0) ReportEngineError(ENGINE_FAILED_FREEHANDLE);
  return R;
}

int GetFlag(int Handle, int Id, int Bit) {
  const int R = ZUBCalls.ZUBGetFlag ? ZUBCalls.ZUBGetFlag(Handle, Id, Bit) : -1;
  if (R < 0) ReportEngineError(ENGINE_FAILED_GETFLAG);
  return R;
}

int RunJob(HWND Owner, int Config, int Job, int Flags) {
  const int R = ZUBCalls.ZUBRunJob ? ZUBCalls.ZUBRunJob(Owner, Config, Job, Flags) : -1;
  if (R < 0 && R != ZUB_RUN_NO_RESULT) ReportEngineError(ENGINE_FAILED_RUNJOB);
  return R;
}

int SetInteger(int Handle, int Id, int Value) {
  const int R = ZUBCalls.ZUBSetInteger ? ZUBCalls.ZUBSetInteger(Handle, Id, Value) : -1;
  if (R < 0) ReportEngineError(ENGINE_FAILED_SETINTEGER);
  return R;
}

int SetString(int Handle, int Id, const char* Text) {
  const int R = ZUBCalls.ZUBSetString ? ZUBCalls.ZUBSetString(Handle, Id, Text) : -1;
  if (R < 0) ReportEngineError(ENGINE_FAILED_SETSTRING);
  return R;
}

int SetString3(int Id, const char* Text) {
  const int R = ZUBCalls.ZUBSetString3 ? ZUBCalls.ZUBSetString3(Id, Text) : -1;
  if (R < 0) ReportEngineError(ENGINE_FAILED_SETSTRING3);
  return R;
}

int SetFlag(int Handle, int Id, int Bit, int Value) {
  const int R = ZUBCalls.ZUBSetFlag ? ZUBCalls.ZUBSetFlag(Handle, Id, Bit, Value) : -1;
  if (R < 0) ReportEngineError(ENGINE_FAILED_SETFLAG);
  return R;
}

// ---- volatileclass: the engine's part --------------------------------------------------------------------------

volatileclass::volatileclass()
    : engineLibraryName("zubvalidatorV60.dll"), engineLibraryFallbackName("zubvalidator.dll"),
      engineConfigFileName("NA") {}

volatileclass::~volatileclass() {
  ReleaseOwnedState();
  FreeValidatorLibrary();
}

volatileclass* EngineOwnerState() { return LoadedBy; }

int EngineConfigHandle() { return LoadedBy != nullptr ? LoadedBy->configHandle : -1; }

int EngineVersionNumber() { return LoadedBy != nullptr ? LoadedBy->engineVersion : 0; }

int volatileclass::FreeValidatorLibrary() {
  if (engineLibrary) {
    FreeLibrary(engineLibrary);
    engineLibrary = nullptr;
    configHandle = -1;  // the handle lived in the library
    if (LoadedBy == this) {
      ClearEngineEntryPoints();
      SetEngineConfigurationNameHook(nullptr);
      LoadedBy = nullptr;
    }
  }
  return 0;
}

int volatileclass::LoadValidatorLibrary(HWND Owner, int Flags) {
  if (!((Flags & ENGINELOAD_KEEP_LOADED) && engineLibrary)) {
    SplashStatus("Loading DLL...");
    FreeValidatorLibrary();
    engineLibrary = LoadLibrary(engineLibraryName.text);
    if (!engineLibrary) engineLibrary = LoadLibrary(engineLibraryFallbackName.text);
    if (!engineLibrary) {
      MessageBox(Owner, "Cannot load validator DLL. Try reinstalling.", engineLibraryName.text, ErrorBox);
      return ENGINELOAD_NO_LIBRARY;
    }
    LoadedBy = this;
    // The configuration-file message of the engine-error reporter names this engine's configuration file.
    SetEngineConfigurationNameHook([this]() -> StrStore {
      const char* Name = ZUBCalls.ZUBGetString && configHandle >= 0 ? ZUBCalls.ZUBGetString(configHandle, ZUB_CONFIG_FILE_NAME)
                                                                     : nullptr;
      return StrStore(Name ? Name : "");
    });
    SplashStatus("Initializing DLL pointers...");
    if (BindEngineEntryPoints(engineLibrary) != 0) {
      const std::string Quoted = std::string("\"") + engineLibraryName.text + "\"";
      const std::string Text =
          "Cannot initialize DLL pointers. This is usually caused by an older version of " + Quoted +
          " on your system. Please try reinstalling and/or upgrading to the latest version so that the DLL is "
          "updated. Note that the DLL should only be in your Windows system directory and no where else. "
          "Therefore, if reinstalling and/or upgrading doesn't fix the problem, try deleting " +
          Quoted + " from everywhere on your hard drive except from your Windows system directory.";
      MessageBox(Owner, Text.c_str(), "Quillon: DLL Pointer Initialization Error", ErrorBox);
      return ENGINELOAD_ENTRY_POINTS_MISSING;
    }
  }
  engineVersion = ZUBCalls.ZUBGetInteger3EZ(ZUB_ENGINE_VERSION);
  if (engineVersion + EngineVersionSlack < RequiredEngineVersion) {
    char Version[64];
    std::snprintf(Version, sizeof Version, "%.4f", engineVersion / EngineVersionUnit);
    const std::string Text = std::string("The validator DLL version (") + Version +
                             ") is too old for this version of the integrated editor (6.0100). Try reinstalling "
                             "Quillon.";
    MessageBox(Owner, Text.c_str(), "Quillon: DLL Version Is Too Old", ErrorBox);
    return ENGINELOAD_TOO_OLD;
  }
  if (configHandle >= 0) ZUBCalls.ZUBFreeHandle(configHandle, 0);
  configHandle = ZUBCalls.ZUBGetNewHandle(ZUB_KIND_CONFIGURATION);
  if (configHandle < 0) {
    configHandle = -1;
    return ENGINELOAD_NO_CONFIGURATION_HANDLE;
  }
  SplashStatus("Loading configuration...");
  int Result = ENGINELOAD_DONE;
  if (ZUBCalls.ZUBHTMLConfiguration(0, configHandle, ZUB_CONFIG_LOAD_DEFAULT) < 0) {
    ReportEngineError(ENGINE_FAILED_CONFIGURATION);
    Result = ENGINELOAD_NO_CONFIGURATION;
  } else {
    const char* Name = ZUBCalls.ZUBGetString(configHandle, ZUB_CONFIG_LOADED_FILE_NAME);
    engineConfigFileName.assign(Name ? Name : "");
  }
  ZUBCalls.ZUBSetFlag2(ZUB_ENGINE_FLAGS, ZUB_ENGINE_CONFIG_LOADED, 1);
  return Result;
}
