// Typed file names of the open and save window: the options of the file dialogs, the rules that split, check and
// combine the text of the name box, the default extension, and TPTTypedNameParser, which turns the text into the
// accepted full path names while asking its host (the window) about folders, list items and the user's answers.
#pragma once

#include "platform/rtl/Sets.h"

#include <functional>
#include <string>
#include <vector>

// The options of the open and save dialogs (bit = position in the set).
enum TPTOpenOption {
  ptofAllowMultiselect,
  ptofCreatePrompt,
  ptofExtensionDifferent,
  ptofFileMustExist,
  ptofHideReadOnly,
  ptofNoChangeDir,
  ptofNoDereferenceLinks,
  ptofNoReadOnlyReturn,
  ptofNoTestFileCreate,
  ptofNoValidate,
  ptofOverwritePrompt,
  ptofReadOnly,
  ptofPathMustExist,
  ptofShareAware,
  ptofShowHelp,
  ptofAllowTree,
  ptofShowTree,
  ptofShowHints,
  ptofHideFoldersInListWhenTreeVisible,
  ptofOleDrag,
  ptofOleDrop,
  ptofShowHidden
};
using TPTOpenOptions = TSet<TPTOpenOption, ptofShowHidden>;

// ---- Text rules -------------------------------------------------------------------------------------------------------
// The longest full path name a typed name may give (the file system's limit, without the terminating zero).
inline constexpr std::size_t PTMaxTypedPath = 4095;

// Whether the name part of the text (after the last '/') holds a wildcard ('*' or '?').
bool PTHasWildcardName(const std::string& Text);
// Splits the text after its last '/': Folder keeps the '/', Name is the rest.
void PTSplitTypedName(const std::string& Text, std::string& Folder, std::string& Name);
// Whether the text is free of what a typed name may not hold: '\', '<', '>', '|' and two '/' in a row.
bool PTIsValidTypedText(const std::string& Text);
// The names of a text with double quotes: outside quotes blanks and tabs separate and '"' starts a quoted name;
// inside quotes everything up to the next '"' belongs to the name; an unquoted name runs up to the next '"'.
// Every name is trimmed at the right; empty names are left out.
std::vector<std::string> PTSplitQuotedNames(const std::string& Text);
// The full path of a typed name in a folder (a full path; may end in '/'): a name starting with '/' is absolute,
// any other is relative to the folder; empty parts are skipped and a part of n dots removes the last n - 1 parts,
// never above the root. An empty name, and a relative name without a folder to start from, give an empty result.
// False (and an empty result) when the result would be longer than PTMaxTypedPath.
bool PTCombineTypedPath(const std::string& Folder, const std::string& Name, std::string& Result);

// ---- Default extension --------------------------------------------------------------------------------------------------
// A file type's extension: the masks' text from its last dot ("*.htm;*.html" gives ".html"); empty when the text
// has no dot, when the dot belongs to a folder part, or when that extension holds a wildcard ("*.*").
std::string PTTypeExtension(const std::string& Masks);
// The extension of the last part of a name, with its dot; empty when it has none (a leading dot only makes a
// hidden name, not an extension).
std::string PTNameExtension(const std::string& Name);
// Whether the system knows the extension as a file type (its shared MIME database has a type for it).
bool PTIsRegisteredExtension(const std::string& Extension);
using TPTExtensionTest = std::function<bool(const std::string& Extension)>;
// Applies the default extension to a typed name (nothing when DefaultExt is empty): a name without an extension
// or with one the system does not know gets the type's extension when it differs from the name's, else
// "." + DefaultExt when the type has none; a known extension is kept. ExtensionDifferent is set when the
// resulting extension differs (without case) from "." + DefaultExt; it is left alone with an empty DefaultExt.
std::string PTApplyDefaultExt(const std::string& Name, const std::string& DefaultExt, const std::string& TypeMasks,
                              bool& ExtensionDifferent, const TPTExtensionTest& IsRegistered = PTIsRegisteredExtension);

// ---- The parser ---------------------------------------------------------------------------------------------------------
// The questions and refusals of typed names; the texts are the program's (PTTypedNameMessage).
enum class TPTTypedNameMessage { Invalid, MustExist, ReadOnly, Replace, Create, Ambiguous };
// The text of a message with its argument put in.
std::string PTTypedNameMessage(TPTTypedNameMessage Kind, const std::string& Argument);

// What the open and save window offers the parser. Every call is made on the user-interface thread.
class TPTTypedNameHost {
public:
  virtual ~TPTTypedNameHost() = default;
  // The list's folder path, without a trailing '/' (empty for a folder without a path).
  virtual std::string CurrentFolder() = 0;
  // Whether the path names a folder of the shell namespace.
  virtual bool IsShellFolder(const std::string& Path) = 0;
  // Shows the folder (the user navigated there); may raise an error with the system's message.
  virtual void OpenFolder(const std::string& Path) = 0;
  // Moves the window's folder to Folder (the folder part of a single name), so that its items are listed.
  virtual void MoveToFolder(const std::string& Folder) = 0;
  // With the name taken from the list's selection: the selected item's path (false when not so).
  virtual bool NameFromSelection(std::string& Path) = 0;
  // The list items whose caption equals Name: the number found (stopping at 2) and the first one's path; an exact
  // match of case is preferred and counts alone.
  virtual int FindListItems(const std::string& Name, std::string& FirstPath) = 0;
  // Selects and focuses the first item found for Name and gives the list the focus.
  virtual void FocusFirstListItem(const std::string& Name) = 0;
  // Shows a message and returns the button chosen (IDYES, IDNO or IDOK).
  virtual int Ask(TPTTypedNameMessage Kind, const std::string& Text) = 0;
};

// Turns the name box's text into the accepted list of full path names, as the window's OK does.
class TPTTypedNameParser {
public:
  explicit TPTTypedNameParser(TPTTypedNameHost& Host) : FHost(Host) {}

  TPTOpenOptions Options;  // read; ptofExtensionDifferent is written
  std::string DefaultExt;  // without the dot
  std::string TypeMasks;   // the selected file type's masks

  // Fills Files with the names of the text, in order; true when every name was accepted and there was at least one.
  // On false Files is empty: the input was refused with a message, navigated to a folder, or named nothing.
  bool Parse(const std::string& Text, std::vector<std::string>& Files);

private:
  enum class TStep { Accepted, Skipped, Stop };
  TStep ParseName(const std::string& Text, const std::string& Name, bool Single, std::string& Path);
  bool ExistenceAccepts(const std::string& Path);
  TPTTypedNameHost& FHost;
};
