// The desktop's registration files by the freedesktop.org rules: where the user's application entries and
// association list live, the text of an application's desktop entry, the edits of the user's association list
// (mimeapps.list) and atomic file writes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// $XDG_DATA_HOME/applications (default ~/.local/share/applications).
std::string UserApplicationsFolder();
// $XDG_CONFIG_HOME/mimeapps.list (default ~/.config/mimeapps.list): where the user's own associations go.
std::string UserMimeAppsListPath();

// One argument of an Exec key as the Desktop Entry rules want it: a "%" doubled, and in double quotes (with '"',
// '`', '$' and '\' escaped) when it holds a reserved character. The result is still to be escaped as a string value.
std::string QuoteExecArgument(std::string_view Argument);
// A string value escaped for a desktop file: "\\", "\n", "\t", "\r", and a leading blank as "\s".
std::string EscapeDesktopValue(std::string_view Value);

// An additional action of an application (a "[Desktop Action Id]" group).
struct TDesktopAction {
  std::string Id;
  std::string Name;
  std::string Exec;  // the command line as built from QuoteExecArgument and field codes, not yet escaped
};

// The keys of an application's desktop entry that the program writes.
struct TApplicationEntry {
  std::string Name;
  std::string Comment;
  std::string Exec;  // as TDesktopAction::Exec
  std::vector<std::string> MimeTypes;
  std::vector<TDesktopAction> Actions;
};
// The entry's text: "[Desktop Entry]" with Type=Application and the keys given, then one group per action.
std::string FormatApplicationEntry(const TApplicationEntry& Entry);

// The name of the group of the user's added associations in mimeapps.list.
inline constexpr const char AddedAssociationsGroup[] = "Added Associations";

// Adds the desktop id to the "[Added Associations]" key of each type (a key that names it already is left as it
// is; a missing key is appended to the group, a missing group to the text). Every other byte stays.
std::string AddMimeAssociations(std::string_view Text, std::string_view DesktopId,
                                const std::vector<std::string>& Types);
// Removes exactly the desktop id from the "[Added Associations]" keys, drops a key left empty and a group left
// without lines (with the blank line before it). Every other byte stays, so removing what AddMimeAssociations
// added gives the text back.
std::string RemoveMimeAssociations(std::string_view Text, std::string_view DesktopId);

// Reads a whole file; false when it cannot be read (a missing file included).
bool ReadTextFile(const std::string& Path, std::string& Text);
// Writes the file through a temporary file in its folder (created when missing), flushed to disk and renamed over
// the old one, so that the file is always the old or the new text. false (errno kept) when it cannot.
bool WriteTextFileAtomic(const std::string& Path, std::string_view Text);
