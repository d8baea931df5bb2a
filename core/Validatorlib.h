// The program's binding to the validator engine: the entry-point table, binding by name and the checked call
// wrappers with their failure bits (the engine's dialogs: Enginedialogs.h).
#pragma once

#include "engine/ZubValidator.h"

#include "platform/win/Modules.h"

#include <functional>

// The 44 bound entry points, in binding order. Null until bound; a missing name stays null.
struct ZUBEntryPointTable {
#define ZUB_TABLE_MEMBER(Name, Ret, Args) Name##_t Name = nullptr;
  ZUB_ENTRY_POINTS(ZUB_TABLE_MEMBER)
#undef ZUB_TABLE_MEMBER
};
extern ZUBEntryPointTable ZUBCalls;

// Results of BindEngineEntryPoints.
inline constexpr int BIND_ALL_FOUND = 0;
inline constexpr int BIND_NAMES_MISSING = -1;
// Looks every name up in order and stores its address (a missing name does not stop the binding).
[[nodiscard]] int BindEngineEntryPoints(HMODULE Library);
// Forgets every bound address.
void ClearEngineEntryPoints();

// The checked wrappers: each returns the engine's result unchanged and reports a failure with its bit. A
// negative result is a failure (already reported to the user); FreeHandle's result may be ignored where nothing
// can be done about a handle the engine would not free.
inline constexpr int ENGINE_NO_HANDLE = -1;              // a handle that could not be made
[[nodiscard]] int GetNewHandle(int Kind);                // failure: report 0x4, ENGINE_NO_HANDLE
int FreeHandle(int Handle, int Ignored = 0);             // a negative handle: 0, nothing freed; failure: 0x20
[[nodiscard]] int GetFlag(int Handle, int Id, int Bit);  // failure: 0x80
[[nodiscard]] int RunJob(HWND Owner, int Config, int Job, int Flags);  // negative but -10: 0x10
[[nodiscard]] int SetInteger(int Handle, int Id, int Value);           // failure: 0x8
[[nodiscard]] int SetString(int Handle, int Id, const char* Text);     // failure: 0x40
[[nodiscard]] int SetString3(int Id, const char* Text);                // failure: 0x200
[[nodiscard]] int SetFlag(int Handle, int Id, int Bit, int Value);     // failure: 0x100

// Frees an engine handle when it goes out of scope (a negative handle is none), so that every path out of a job
// gives its handles back. Release() keeps the handle alive and hands it to the caller.
class EngineHandleGuard {
public:
  explicit EngineHandleGuard(int Handle) : handle(Handle) {}
  ~EngineHandleGuard() { (void)FreeHandle(handle); }  // a failure was reported; nothing more to do here
  EngineHandleGuard(const EngineHandleGuard&) = delete;
  EngineHandleGuard& operator=(const EngineHandleGuard&) = delete;
  int Get() const { return handle; }
  int Release() {
    const int H = handle;
    handle = -1;
    return H;
  }

private:
  int handle;
};

// What belongs to the loaded engine is read from the run-time state that loaded it, never from another one: its
// configuration handle (-1 when no engine is loaded) and its version (0 then).
int EngineConfigHandle();
int EngineVersionNumber();

