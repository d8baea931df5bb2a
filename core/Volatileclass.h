// volatileclass: the program's run-time state. Only the validator engine's part is here so far; the settings
// add the rest of the class to this declaration.
#pragma once

#include "core/Strstore.h"

#include "platform/win/Modules.h"

class volatileclass {
public:
  volatileclass();
  ~volatileclass();
  volatileclass(const volatileclass&) = delete;
  volatileclass& operator=(const volatileclass&) = delete;

  // Loads and binds the engine, checks its version, makes the configuration handle and loads the engine's
  // configuration. Flags 2: when the library is loaded already it is kept. 0 done; 1 ready but the
  // configuration failed to load; -1 library not found; -2 entry points missing; -3 engine too old; -4 no
  // configuration handle.
  int LoadValidatorLibrary(HWND Owner, int Flags);
  // Unloads the library when loaded and forgets it (the configuration handle goes with it). 0.
  int FreeValidatorLibrary();

  // The engine's fields.
  int configHandle = -1;                    // the engine configuration handle; -1 none
  HMODULE engineLibrary = nullptr;          // the loaded engine library
  int engineVersion = 0;                    // the engine's version times 10,000
  StrStore engineLibraryName;               // "zubvalidatorV60.dll", tried first
  StrStore engineLibraryFallbackName;       // "zubvalidator.dll"
  StrStore engineConfigFileName;            // read from the engine after loading its configuration; "NA"
};

// The run-time state whose engine the program's engine calls use (the one that loaded it last); null when no
// engine is loaded.
volatileclass* EngineOwnerState();
