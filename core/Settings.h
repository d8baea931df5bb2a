// The settings load and save, and the small registry and help operations beside them.
#pragma once

#include "core/Strstore.h"

#include "platform/win/WinTypes.h"

// Kinds of DeleteOpenFromWebCredentials.
inline constexpr int CREDENTIALS_USERNAMES_AND_PASSWORDS = 1;
inline constexpr int CREDENTIALS_PASSWORDS = 2;
// Flag of DeleteOpenFromWebCredentials: report the outcome in a message box.
inline constexpr int CREDENTIALS_REPORT = 1;

// The help call's id of the engine's display operation.
inline constexpr int HELP_DISPLAY_ID = 35001;

// Reads every setting into the root object's settings objects, creating a missing value with the member's
// current value. 1 when every open, read-back and write succeeded, else 0 (the program then ends). On the first
// start after installation (and only when everything succeeded) the first-run commands are queued.
int LoadSettings();
// Writes every saved setting and the document types. 1 when every write succeeded, else 0.
int SaveSettings();
// Deletes the stored web user names and passwords (kind 1) or only the passwords (kind 2). 0, or -1 when a key
// could not be deleted.
int DeleteOpenFromWebCredentials(HWND Window, int Kind, int Flags);
// Folder + separator + File, or File alone when Folder is empty.
StrStore MakeHelpPath(const char* File, const char* Folder);
// Opens the help file through the engine's display call; true when the engine did not fail.
bool DisplayHelpTopic(HWND Window, const char* File, const char* Folder);
