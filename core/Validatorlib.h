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

// Looks every name up in order and stores its address (a missing name does not stop the binding). 0 when all
// 44 were found, -1 otherwise.
int BindEngineEntryPoints(HMODULE Library);
// Forgets every bound address.
void ClearEngineEntryPoints();

// The checked wrappers: each returns the engine's result unchanged and reports a failure with its bit.
int GetNewHandle(int Kind);                              // failure: report 0x4, -1
int FreeHandle(int Handle, int Ignored = 0);             // a negative handle: 0, nothing freed; failure: 0x20
int GetFlag(int Handle, int Id, int Bit);                // failure: 0x80
int RunJob(HWND Owner, int Config, int Job, int Flags);  // negative but -10: 0x10
int SetInteger(int Handle, int Id, int Value);           // failure: 0x8
int SetString(int Handle, int Id, const char* Text);     // failure: 0x40
int SetString3(int Id, const char* Text);                // failure: 0x200
int SetFlag(int Handle, int Id, int Bit, int Value);     // failure: 0x100
