// The shell controls' user-interface texts, each read through PTLoadStr before use.
#pragma once

#include <string>

// Returns a text as it is (the hook through which a translation would come).
std::string PTLoadStr(const std::string& S);

namespace Uptshconsts {
// Keyboard table of the tree and the list.
inline const char* const SCtrlA = "Ctrl+A";
inline const char* const SDel = "Del";
inline const char* const SCtrlC = "Ctrl+C";
inline const char* const SCtrlX = "Ctrl+X";
inline const char* const SCtrlV = "Ctrl+V";
inline const char* const SF5 = "F5";
inline const char* const SF2 = "F2";
// Node and item data.
inline const char* const SSystemFolder = "System Folder";
inline const char* const SSizeKB = "%sKB";
// New folder.
inline const char* const SNewFolder = "New Folder";
inline const char* const SNewFolderShort = "fldr";
inline const char* const SUnableToCreateFolder = "Unable to create the folder '%2'\n\n%1";
// List columns.
inline const char* const SColName = "Name";
inline const char* const SColSize = "Size";
inline const char* const SColType = "Type";
inline const char* const SColModified = "Modified";
}  // namespace Uptshconsts
