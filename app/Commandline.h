// The program's arguments turned into the one command line that the command queue and a running instance read.
#pragma once

#include <string>
#include <vector>

// Results of BuildCommandLine.
inline constexpr int COMMANDLINE_BUILT = 0;
// At least one argument could not be carried and was left out; Error names them.
inline constexpr int COMMANDLINE_ARGUMENTS_LEFT_OUT = 1;

// Joins Arguments (without the program name) into one line of blank-separated words. An argument that names a
// file (not a switch beginning with "-", not an "http://" or "https://" address) is made absolute against
// WorkingFolder, so that a running instance with another folder reads the same file; a word holding a blank is
// put in double quotes. An argument holding a double quote or another white-space character than the blank
// cannot be carried by the command words: it is left out and named in Error (the user's message). Empty
// arguments are skipped.
[[nodiscard]] int BuildCommandLine(const std::vector<std::string>& Arguments, const std::string& WorkingFolder,
                                   std::string& Line, std::string& Error);
