// The command queue's first-run commands.
#pragma once

class volatileclass;

// The command that offers the first-run steps once the program runs.
inline constexpr const char FIRST_RUN_COMMAND[] = "-6";

// Marks the first run after installation in the state flags and appends the first-run command to the queue. 1.
int QueueFirstRunCommands(volatileclass* State);
