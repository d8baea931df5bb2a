// Saving and restoring where a form's dockable windows are: generic routines and registry and ini stores.
#pragma once

#include "platform/win/WinTypes.h"
#include "toolbars/Tb2dockable.h"

#include <string>

// Writes a section per dockable window owned by OwnerComponent; windows lying on their form are skipped.
// Raises Exception for a nameless window or a nameless dock that allows dragging.
void TBCustomSavePositions(TComponent* OwnerComponent, const TTBPositionWriteIntProc& WriteIntProc,
                           const TTBPositionWriteStringProc& WriteStringProc, void* ExtraData);
// Puts every window back as its section says, with all docks suspended until the end.
void TBCustomLoadPositions(TComponent* OwnerComponent, const TTBPositionReadIntProc& ReadIntProc,
                           const TTBPositionReadStringProc& ReadStringProc, void* ExtraData);
// The same over a registry key (a sub key per window, every value as a string).
void TBRegSavePositions(TComponent* OwnerComponent, HKEY RootKey, const std::string& BaseRegistryKey);
void TBRegLoadPositions(TComponent* OwnerComponent, HKEY RootKey, const std::string& BaseRegistryKey);
// The same over an ini file (a section per window, named SectionNamePrefix + the window's name).
void TBIniSavePositions(TComponent* OwnerComponent, const std::string& IniFilename,
                        const std::string& SectionNamePrefix);
void TBIniLoadPositions(TComponent* OwnerComponent, const std::string& IniFilename,
                        const std::string& SectionNamePrefix);
