// The program's main function and its start-up phases around the engine load and the main form's creation.
#pragma once

#include "platform/win/WinTypes.h"

// Exit codes of the program.
inline constexpr int EXIT_NORMAL = 0;
inline constexpr int EXIT_SETTINGS_UNREADABLE = 1;
inline constexpr int EXIT_ASSOCIATIONS_REMOVED = 6;
inline constexpr int EXIT_HANDED_OVER = 7;
inline constexpr int EXIT_ENGINE_MISSING = 8;
inline constexpr int EXIT_ENGINE_ENTRY_POINT_MISSING = 9;
inline constexpr int EXIT_ENGINE_WINDOW_OPEN = 10;
inline constexpr int EXIT_ENGINE_TOO_OLD = 11;
// The engine made no configuration handle (told to the user).
inline constexpr int EXIT_NO_ENGINE_CONFIGURATION = 12;
// An exception escaped start-up or the message loop (shown to the user).
inline constexpr int EXIT_UNEXPECTED_ERROR = 13;

// Passed from phase to phase: a phase sets stop on entry and clears it when the process may go on.
struct StartupRecord {
  int stop = 0;
};

// The whole run: the root object, the hand-over to a running instance, the engine, the main form and the hidden
// message window, the message loop, and the clean-up. Returns the exit code.
int WinMain(HINSTANCE Instance, HINSTANCE PreviousInstance, const char* CommandLine, int ShowState);
// The single-instance test and hand-over, the refusal while engine windows are open, the command line and the
// settings; 0 to go on, else the exit code.
int StartupPhase1(const char* CommandLine, StartupRecord* Record);
// The engine's spell-check callback and the network settings; 0.
int StartupPhase2(StartupRecord* Record);
// The main form's set-up once it exists: images, editors, the drag-and-drop window, scratch pads, the documents
// of the last run, inserters, the first-run and update questions and the browser preview; 0.
int StartupPhase3(HINSTANCE Instance, StartupRecord* Record);
// Flag 1: creates and shows the splash window. 0.
int ShowSplash(int Flags);
