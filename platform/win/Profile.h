// The private profile functions: reading and writing ini files ([Section] lines and Key=Value entries).
#pragma once

#include "platform/win/WinTypes.h"

#include <string>
#include <vector>

// Ini files are plain text: "[Section]" lines open sections, "Key=Value" lines are entries, lines starting with
// ';' are comments. Sections and keys match without regard to case (code page 1252 folding); names and values
// are trimmed of surrounding blanks on reading, and a value enclosed in a matching pair of quotes (' or ") loses
// them. Writes keep every other line (comments, blank lines, unknown lines) and the file's line ends (CR LF for
// a new file), and reach the disk at once and atomically (temporary file, fsync, rename); concurrent writers of
// this and other processes are serialised by a lock on the file.
// A file name without '/' names a file in the user's configuration folder (where the registry hives live).
// Names or values that would break the file's structure (line breaks anywhere, '=' in a key, ']' in a section)
// are refused with ERROR_INVALID_PARAMETER.

// The value of Key in Section, or lpDefault (trailing blanks removed; "" when null). Copies at most nSize - 1
// characters and a NUL; returns the number copied without the NUL. With a null Key: the section's key names, with
// a null Section: the section names, each ended by a NUL and the list by another; when that does not fit it is
// cut and ended by two NULs, and the result is nSize - 2.
DWORD GetPrivateProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                              DWORD nSize, LPCSTR lpFileName);
// The value's leading decimal number (with an optional sign; 0 when it has none), or nDefault when missing.
UINT GetPrivateProfileInt(LPCSTR lpAppName, LPCSTR lpKeyName, int nDefault, LPCSTR lpFileName);
// Sets Key to lpString (adding the section at the end and the key at the end of its section when missing); a
// null lpString deletes the key, a null Key the whole section; all three null only flushes (nothing is cached).
// FALSE with the last error set when the file cannot be written.
BOOL WritePrivateProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName);
// The section's entry lines ("Key=Value", trimmed, comments and blank lines left out) as a double-NUL list.
DWORD GetPrivateProfileSection(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);
DWORD GetPrivateProfileSectionNames(LPSTR lpszReturnBuffer, DWORD nSize, LPCSTR lpFileName);
// Replaces every line of the section with the lines of lpString (a double-NUL list of "Key=Value"), adding the
// section when missing; a null lpString deletes the section.
BOOL WritePrivateProfileSection(LPCSTR lpAppName, LPCSTR lpString, LPCSTR lpFileName);

// The same reads without buffer limits, for the class library's ini file class.
std::string ProfileFileName(const std::string& FileName);  // where a profile name resolves to
bool ProfileReadValue(const std::string& FileName, const std::string& Section, const std::string& Key,
                      std::string& Value);  // false when the key is missing
std::vector<std::string> ProfileSectionNames(const std::string& FileName);
std::vector<std::string> ProfileKeyNames(const std::string& FileName, const std::string& Section);
