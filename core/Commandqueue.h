// The hand-over of a second start's command line to the running instance, the command line of a first start, and
// the queue of pending commands that the main window's idle handler drains.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>
#include <vector>

class StringArrayStore;
class volatileclass;

// The running instance's hidden message window, found by its class and caption.
inline constexpr const char MESSAGE_WINDOW_CLASS[] = "TZUBEditorMessageWindow";
inline constexpr const char MESSAGE_WINDOW_CAPTION[] = "ZUB Editor Message Window";
// The message that hands a command over: wParam 0, lParam a global atom whose name is the command.
inline constexpr UINT REMOTE_COMMAND_MESSAGE = 0x8001;
// The longest text a global atom holds, and the buffer the receiver reads an atom's name into.
inline constexpr int REMOTE_COMMAND_MAXIMUM = 255;
inline constexpr int REMOTE_COMMAND_BUFFER = 1024;

// Commands of the queue's vocabulary that the program sends itself or another instance.
inline constexpr const char FIRST_RUN_COMMAND[] = "-6";
inline constexpr const char BRING_TO_FRONT_COMMAND[] = "-BringToFront";
inline constexpr const char LINK_CHECK_COMMAND[] = "-LinkCheckMessage";
// The link-check progress value that ends a check, and the change of progress that refreshes the link statuses.
inline constexpr int LINK_CHECK_COMPLETED = 101;
inline constexpr int LINK_CHECK_REFRESH_STEP = 33;

// Results of SendToRunningInstance.
inline constexpr int HANDOVER_NO_WINDOW = 0;
inline constexpr int HANDOVER_DONE = 1;
// Results of ProcessCommandLine.
inline constexpr int COMMANDLINE_ASSOCIATIONS_REMOVED = 0;
inline constexpr int COMMANDLINE_QUEUED = 1;

// Hands a command line to the running instance's message window: an empty or null line becomes "-BringToFront".
// A line longer than an atom holds goes over in several messages split between words (a leading "-o" or "-v" is
// repeated in front of each part); a line that cannot be split that way, a word too long for any message and a
// message that could not be posted are told to the user in a message box. HANDOVER_NO_WINDOW for a null window,
// else HANDOVER_DONE, whatever went over.
[[nodiscard]] int SendToRunningInstance(HWND MessageWindow, const char* CommandLine);
// The parts SendToRunningInstance posts for a line, in order; Rejected receives the text of each word or line that
// cannot go over.
void SplitRemoteCommandLine(const char* CommandLine, std::vector<std::string>& Parts,
                            std::vector<std::string>& Rejected);

// A first start's command line: "-x" (only the second character is compared, ignoring case) removes the file
// associations (COMMANDLINE_ASSOCIATIONS_REMOVED); any other line goes to the top of the queue
// (COMMANDLINE_QUEUED). Marks the command line present.
[[nodiscard]] int ProcessCommandLine(HWND Window, const char* CommandLine);

// Marks the first run after installation in the state flags and appends the first-run command to the queue. 1.
int QueueFirstRunCommands(volatileclass* State);

// The receiving end of a hand-over message: reads the atom's name (at most REMOTE_COMMAND_BUFFER bytes), deletes
// the atom, and appends the text at the end of the command queue unless the program is shutting down. Atom 0 is
// ignored. 1 when a command was queued, else 0.
int QueueRemoteCommandAtom(ATOM Atom);

// Runs and removes every queued command from the top, commands queued meanwhile included. 0.
int ProcessCommandQueue(StringArrayStore* Queue);
