// Shell integration: the validate and edit verbs on the web document classes and the Open With entries (registry
// keys beside the desktop's entry and association list), the browser's source viewer, and the system-wide hot key.
#pragma once

#include "core/Strstore.h"

#include "platform/win/WinTypes.h"

// Modes of GetPathFromRegistry.
inline constexpr int REGPATH_NAMED_VALUE = 0;  // the path ends in the named value's text
inline constexpr int REGPATH_NAME_ITSELF = 1;  // the path ends in the name itself

// The installer's values under the settings root.
inline constexpr const char INSTALL_DIR_VALUE[] = "InstallDir";
inline constexpr const char EDITOR_EXE_VALUE[] = "EditorEXE";
inline constexpr const char VALIDATOR_EXE_VALUE[] = "ValidatorEXE";

// The verbs the program adds to the document classes.
inline constexpr const char VALIDATE_VERB[] = "ValidateZUB";
inline constexpr const char EDIT_VERB[] = "EditZUB";

// The desktop's name of the program's entry (its desktop id).
inline constexpr const char DESKTOP_ENTRY_ID[] = "zubquillon.desktop";

// The browser's source-viewer key under HKEY_LOCAL_MACHINE, and the value that keeps the viewer it had.
inline constexpr const char SOURCE_VIEWER_PARENT[] = "SOFTWARE\\Microsoft\\Internet Explorer\\View Source Editor";
inline constexpr const char SOURCE_VIEWER_KEY[] =
    "SOFTWARE\\Microsoft\\Internet Explorer\\View Source Editor\\Editor Name";
inline constexpr const char SOURCE_VIEWER_SAVED[] = "ZUBOldDefaultValue";

// The hot key that brings the main window back: id 0, no modifier keys, F2.
inline constexpr int MAIN_HOTKEY_ID = 0;

// Path = the program folder ("InstallDir"), a separator and (mode 0) the named value's text or (mode 1) the name.
// A value missing from the settings is taken from the running program (its folder; its file name for the editor
// and the validator, which is this program) and written as the installer would. 1 done; 0 after the error message
// when the settings cannot be read or written.
int GetPathFromRegistry(HWND Owner, StrStore& Value, StrStore& Path, const char* Name, int Mode);
// Gives the extension's file class (the default class with its description when it has none; an empty description
// of an existing class is filled) the verb with its menu text and command ("path" arguments). 1 done, 0 a write
// failed.
int AddShellVerb(const char* Extension, const char* MenuText, const char* ProgramPath, const char* Arguments,
                 const char* DefaultClass, const char* Verb, const char* Description);
// Deletes the verbs (the second may be null) from the extension's class. 1 done or nothing to remove, 0 a key
// could not be deleted.
int RemoveShellVerbs(const char* Extension, const char* Verb, const char* Verb2);
// Asks, then adds the verbs, the Open With entries, the desktop entry and the user's associations. 1 done or
// declined, 0 failed (with the messages).
int AddFileAssociations(HWND Owner, int OfferLater, int Report);
// Removes what AddFileAssociations added. 1 done, 0 something failed.
int RemoveFileAssociations(HWND Owner, int Report);
// Asks, then makes the validator the browser's source viewer, keeping the viewer it had once. 1.
int MakeSourceViewer(HWND Owner, int OfferLater);
// Puts the saved source viewer back (Quiet 1: no questions or messages). 1.
int RestoreSourceViewer(HWND Owner, int Quiet);
// The menu command has no effect. 1.
int MakeDefaultEditor();
// On: registers the hot key for the window; off: unregisters it. 1.
int SetHotKey(HWND Wnd, int On);
// 1 when the log file can be opened; else "There is currently no log file on disk." and 0.
int CheckLogFileExists(HWND Owner, const char* LogFile);
